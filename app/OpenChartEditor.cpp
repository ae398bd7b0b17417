#include "app/OpenChartEditor.h"

#include "chart/editor/TChartEditor.h"

void OpenChartEditor(TChartEditor& Editor, TCustomChart& Chart) {
  Editor.SetChart(&Chart);
  Editor.Execute();
}
