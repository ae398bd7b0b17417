#pragma once

class QWidget;
class TCustomChart;

// The one way the program's windows open the chart editor on one of their
// charts (a double click on the chart). The editor is not built yet, so this
// does nothing for now. TODO(#26): open the chart editor here.
void OpenChartEditor(TCustomChart& Chart, QWidget* Parent);
