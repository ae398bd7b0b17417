#pragma once

#include "chart/core/TKorButton.h"

#include <QPointer>

class TCustomKorGradient;
class TKorGradientEditor;

// Interaction: a button linked to a gradient that shows the gradient on its
// face and edits it with the gradient dialog when clicked. Unlinked, it is
// a plain button.
class TButtonGradient : public TKorButton {
 public:
  explicit TButtonGradient(QWidget* Parent = nullptr);

  // The gradient is not owned; whoever links it keeps it alive while
  // linked. Repaints.
  void LinkGradient(TCustomKorGradient* Gradient);
  TCustomKorGradient* GetGradient() const { return FGradient; }
  // Opens the dialog with its colours-only switch on.
  bool GetColorsOnly() const { return FColorsOnly; }
  void SetColorsOnly(bool Value) { FColorsOnly = Value; }
  // The gradient dialog while it is open, else nullptr.
  TKorGradientEditor* GetEditor() const;

 protected:
  // The gradient in the symbol rectangle, framed black when the gradient
  // is visible and grey when it is not.
  void DrawSymbol(TCanvas3D& Canvas) override;
  // The gradient dialog; on OK the button repaints and runs its ordinary
  // click.
  void Click() override;

 private:
  TCustomKorGradient* FGradient = nullptr;  // not owned
  bool FColorsOnly = false;
  // Cleared by Qt when the dialog is freed.
  QPointer<TKorGradientEditor> FEditor;
};
