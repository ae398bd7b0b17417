#pragma once

#include "chart/core/TKorButton.h"

#include <QPointer>

class TPen;
class TPenDialog;

// Interaction: a button linked to a pen that shows a sample of the pen on
// its face and edits it with the pen dialog when clicked. Unlinked, it is a
// plain button.
class TButtonPen : public TKorButton {
 public:
  explicit TButtonPen(QWidget* Parent = nullptr);

  // The pen is not owned; whoever links it keeps it alive while linked.
  void LinkPen(TPen* Pen);
  TPen* GetPen() const { return FPen; }
  // Hides the dialog's colour button.
  bool GetHideColor() const { return FHideColor; }
  void SetHideColor(bool Value) { FHideColor = Value; }
  // The pen dialog while it is open, else nullptr.
  TPenDialog* GetDialog() const;

 protected:
  // A line across the right of the face; wide pens are drawn 6 pixels wide
  // so the sample fits the button.
  void DrawSymbol(TCanvas3D& Canvas) override;
  // The pen dialog; on OK the button repaints and runs its ordinary click.
  void Click() override;

 private:
  TPen* FPen = nullptr;  // not owned
  bool FHideColor = false;
  // Cleared by Qt when the dialog is freed.
  QPointer<TPenDialog> FDialog;
};
