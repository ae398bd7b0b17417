#include "chart/editor/TButtonPen.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TPenDialog.h"

#include "chart/core/TCanvas3D.h"

#include "platform/ModalHooks.h"
#include "platform/TBrush.h"
#include "platform/TPen.h"

namespace {

// Widest sample line in pixels.
constexpr int MaxSampleWidth = 6;

}  // namespace

TButtonPen::TButtonPen(QWidget* Parent) : TKorButton(Parent) {}

void TButtonPen::LinkPen(TPen* Pen) {
  FPen = Pen;
  if (Pen != nullptr) LinkProperty(Pen, QString());
  repaint();
}

TPenDialog* TButtonPen::GetDialog() const {
  return FDialog;
}

void TButtonPen::DrawSymbol(TCanvas3D& Canvas) {
  if (!isEnabled() || FPen == nullptr) return;
  const int OldWidth = FPen->GetWidth();
  const bool Narrowed = OldWidth > MaxSampleWidth;
  TNotifyEvent Handler;
  if (Narrowed) {
    // Narrowing only for the sample: the pen's owner must not see a change.
    Handler = FPen->OnChange;
    FPen->OnChange = nullptr;
    FPen->SetWidth(MaxSampleWidth);
  }
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.AssignVisiblePen(*FPen);
  const int Y = height() / 2;
  Canvas.Line(width() - 17, Y, width() - 6, Y);
  if (Narrowed) {
    FPen->SetWidth(OldWidth);
    FPen->OnChange = Handler;
  }
}

void TButtonPen::Click() {
  if (FPen == nullptr) {
    TKorButton::Click();
    return;
  }
  const std::unique_ptr<TPenDialog> Dialog = KorCreateForm<TPenDialog>(this);
  Dialog->SetPen(FPen);
  Dialog->SetHideColor(FHideColor);
  FDialog = Dialog.get();
  if (ShowModal(*Dialog) != mrOk) return;
  repaint();
  TKorButton::Click();
}
