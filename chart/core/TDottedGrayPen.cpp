#include "chart/core/TDottedGrayPen.h"

// The change handler is attached last, so setting up the preset does not
// notify the owner while it is still being built.
TDottedGrayPen::TDottedGrayPen(TNotifyEvent ChangeHandler) {
  SetColor(clGray);
  SetStyle(psDot);
  OnChange = std::move(ChangeHandler);
}

const TPropertyList& TDottedGrayPen::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List(
      TChartPen().Properties(),
      {
          PP::Color<TPen>(QStringLiteral("Color"), &TPen::GetColor, &TPen::SetColor, clGray),
          PP::Enum<TPen, TPenStyle>(QStringLiteral("Style"), &TPen::GetStyle, &TPen::SetStyle,
                                    {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                                     "psClear", "psInsideFrame", "psUserStyle", "psAlternate"},
                                    psDot),
      });
  return List;
}
