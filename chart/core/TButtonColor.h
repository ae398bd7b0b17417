#pragma once

#include "chart/core/TKorButton.h"

#include "platform/TColor.h"

#include <functional>

// Supplies the colour a button shows (for colours that are not a published
// property of one object).
using TButtonGetColorProc = std::function<TColor()>;

// Interaction: a button with a colour swatch that opens the colour dialog
// when clicked. The colour is the callback's answer when one is set, else
// the linked colour property, else the button's own.
class TButtonColor : public TKorButton {
 public:
  explicit TButtonColor(QWidget* Parent = nullptr);

  // The linked property is read converted to RGB (system colours become
  // their value); writing goes to the linked property when there is one.
  TColor GetSymbolColor() const;
  void SetSymbolColor(TColor Value);

  TButtonGetColorProc GetColorProc;

 protected:
  // The swatch in SymbolRectangle; nothing for clNone; no frame when
  // disabled.
  void DrawSymbol(TCanvas3D& Canvas) override;
  // The colour dialog; when the user picks another colour: store it,
  // repaint, then the ordinary click.
  void Click() override;

 private:
  TColor FSymbolColor = clBlack;
};
