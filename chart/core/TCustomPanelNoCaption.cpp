#include "chart/core/TCustomPanelNoCaption.h"

#include "platform/TPersistent.h"

TCustomPanelNoCaption::TCustomPanelNoCaption(TComponent* AOwner) : TCustomControl(AOwner) {
  TCustomControl::SetColor(clBtnFace);
}

void TCustomPanelNoCaption::SetBevelInner(TPanelBevel Value) {
  if (SetIfChanged(FBevelInner, Value)) Invalidate();
}

void TCustomPanelNoCaption::SetBevelOuter(TPanelBevel Value) {
  if (SetIfChanged(FBevelOuter, Value)) Invalidate();
}

void TCustomPanelNoCaption::SetBevelWidth(int Value) {
  if (SetIfChanged(FBevelWidth, Value)) Invalidate();
}

void TCustomPanelNoCaption::SetBorderWidth(int Value) {
  if (SetIfChanged(FBorderWidth, Value)) Invalidate();
}
