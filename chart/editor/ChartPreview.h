#pragma once

class QWidget;
class TCustomKorPanel;

// Previews Panel in a modal print preview whose page navigator pages
// through a paged chart; Print then prints every page. The panel is
// repainted afterwards, also when showing fails.
void ChartPreview(QWidget* Owner, TCustomKorPanel* Panel);

// Makes the chart editor's "Print" tab the chart's print preview, without
// its Close button.
void RegisterPrintEditorPage();
