#pragma once

#include "platform/TCustomControl.h"

// The bevel of a panel edge; bvSpace draws like a raised bevel.
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A control's own border: none, or a single sunken edge two pixels wide.
enum TBorderStyle { bsNone, bsSingle };

// Interaction: the framework panel without a caption: a custom control
// with the panel's colour and its outer bevel, border and inner bevel
// settings; every change of a property repaints through the (virtual)
// invalidation of the control.
class TCustomPanelNoCaption : public TCustomControl {
 public:
  explicit TCustomPanelNoCaption(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TCustomPanelNoCaption"); }
  // The control's, with the panel's colour default and its bevels.
  const TPropertyList& Properties() const override;

  TPanelBevel GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  // Pixels of each bevel.
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  // Pixels between the outer and the inner bevel, in the panel colour.
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);

 private:
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};
