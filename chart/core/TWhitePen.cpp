#include "chart/core/TWhitePen.h"

// The change handler is attached last, so setting up the preset does not
// notify the owner while it is still being built.
TWhitePen::TWhitePen(TNotifyEvent ChangeHandler) {
  SetColor(clWhite);
  OnChange = std::move(ChangeHandler);
}

const TPropertyList& TWhitePen::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List(
      TChartPen().Properties(),
      {
          PP::Color<TPen>(QStringLiteral("Color"), &TPen::GetColor, &TPen::SetColor, clWhite),
      });
  return List;
}
