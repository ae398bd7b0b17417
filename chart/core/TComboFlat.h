#pragma once

#include <QComboBox>

class QEnterEvent;
class QEvent;
class QFocusEvent;
class QPaintEvent;
class TCanvas;

// Interaction: a drop-down list that looks flat (its frame and arrow area
// painted over in the face colour) until the mouse is over it or it has
// the focus.
class TComboFlat : public QComboBox {
 public:
  explicit TComboFlat(QWidget* Parent = nullptr);

  // Width of the open list in pixels; never below the control's width.
  int GetDropDownWidth() const;
  void SetDropDownWidth(int Value);

  bool GetMouseInside() const { return FMouseInside; }
  // Whether the flat frame is painted now.
  bool LooksFlat() const;

  // What the mouse and focus events do; each repaints.
  void MouseEnter();
  void MouseLeave();
  void FocusChanged();

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  // The flat frame over the standard painting, on a canvas of the client
  // area.
  void DrawFlatFrame(TCanvas& Canvas) const;

  bool FMouseInside = false;
};
