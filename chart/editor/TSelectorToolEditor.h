#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QShowEvent;
class TButtonColor;
class TButtonPen;
class TEditUpDown;
class TSelectorTool;

// Interaction: the selector tool's editor: the handles' pen, colour and
// size, and whether the selection may be dragged or the chart resized. The
// tool comes from the form's tag (see AddFormTo) when the form is shown.
class TSelectorToolEditor : public QWidget {
 public:
  explicit TSelectorToolEditor(QWidget* Parent = nullptr);

  TSelectorTool* GetTool() const { return Tool; }

  void FormShow();
  // Handle sizes follow the text as it is typed.
  void Edit1Change();
  void CBAllowDragClick();
  void CBResizeChartClick();

  TButtonPen* ButtonPen1 = nullptr;
  TButtonColor* ButtonColor1 = nullptr;
  QLabel* Label1 = nullptr;
  TEditUpDown* Edit1 = nullptr;
  QCheckBox* CBAllowDrag = nullptr;
  QCheckBox* CBResizeChart = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void LoadControls();
  // A refused edit is reported and the controls show the tool again.
  void Guarded(const std::function<void()>& Body);

  TSelectorTool* Tool = nullptr;  // not owned
  // True once the form has been shown for its tool; edits before are
  // the form filling itself.
  bool FShowing = false;
  bool FUpdating = false;
};
