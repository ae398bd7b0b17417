#include "chart/core/TDarkGrayPen.h"

// The change handler is attached last, so setting up the preset does not
// notify the owner while it is still being built.
TDarkGrayPen::TDarkGrayPen(TNotifyEvent ChangeHandler) {
  SetColor(clGray);
  OnChange = std::move(ChangeHandler);
}

const TPropertyList& TDarkGrayPen::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List(
      TChartPen().Properties(),
      {
          PP::Color<TPen>(QStringLiteral("Color"), &TPen::GetColor, &TPen::SetColor, clGray),
      });
  return List;
}
