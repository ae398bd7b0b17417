#pragma once

class TChartEditor;
class TCustomChart;

// The one way the program's windows open the chart editor on one of their
// charts (a double click on the chart): the window's editor component is
// bound to that chart and shows the editor modally.
void OpenChartEditor(TChartEditor& Editor, TCustomChart& Chart);
