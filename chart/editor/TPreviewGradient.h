#pragma once

#include "chart/core/TCustomKorPanelExtended.h"

// Render: a panel that draws nothing but its own background, so that its
// gradient shows alone; the gradient editor previews the edited gradient
// on it.
class TPreviewGradient : public TCustomKorPanelExtended {
 public:
  explicit TPreviewGradient(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TPreviewGradient"); }

 protected:
  void InternalDraw(const TRect& UserRectangle) override;
};
