#pragma once

#include "chart/editor/TSeriesToolEditor.h"

class TComboFlat;
class TDragPointTool;
class TRadioGroup;

// Interaction: the drag-point tool's editor: its series, the directions a
// point may be dragged in, and the cursor shown over the series.
class TDragPointToolEdit : public TSeriesToolEditor {
 public:
  explicit TDragPointToolEdit(QWidget* Parent = nullptr);

  TDragPointTool* GetDragTool() const;

  void FormShow() override;
  // The cursor box is usable exactly while the tool has a series.
  void CBSeriesChange() override;
  void RGStyleClick();
  void CBCursorChange();

  TRadioGroup* RGStyle = nullptr;
  QLabel* Label2 = nullptr;
  TComboFlat* CBCursor = nullptr;

 protected:
  void ReloadControls() override;

 private:
  void LoadToolControls();
};
