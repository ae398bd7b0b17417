#pragma once

#include "chart/core/TComboFlat.h"
#include "platform/TRect.h"

#include <functional>

class QPaintEvent;
class TCanvas;

// A flat combo box whose owner-drawn items (a sample line, a pointer
// shape) also show on its face: the current item is drawn there as the
// list draws it, centred in the edit field.
class TItemFaceCombo : public TComboFlat {
 public:
  using TDrawItem = std::function<void(TCanvas& Canvas, int Index, const TRect& Rect)>;

  TItemFaceCombo(QWidget* Parent, int ItemHeight, TDrawItem DrawItem);

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  int FItemHeight;
  TDrawItem FDrawItem;
};
