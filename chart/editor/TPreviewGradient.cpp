#include "chart/editor/TPreviewGradient.h"

TPreviewGradient::TPreviewGradient(TComponent* AOwner) : TCustomKorPanelExtended(AOwner) {}

void TPreviewGradient::InternalDraw(const TRect& UserRectangle) {
  PanelPaint(UserRectangle);
}
