#include "chart/series/TErrorSeries.h"

#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"

const TPropertyList& TErrorSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomErrorSeries;
  static const TPropertyList List(
      TCustomErrorSeries::Properties(),
      {
          PP::Object<C, TChartPen>(QStringLiteral("ErrorPen"), &TErrorSeries::ErrorPenObject),
          PP::Object<C, TChartValueList>(QStringLiteral("ErrorValues"),
                                         &TErrorSeries::ErrorValuesObject),
          PP::Enum<C, TErrorSeriesStyle>(
              QStringLiteral("ErrorStyle"), &C::GetErrorStyle, &C::SetErrorStyle,
              {"essLeft", "essRight", "essLeftRight", "essTop", "essBottom", "essTopBottom"},
              essTopBottom),
          PP::Integer<C>(QStringLiteral("ErrorWidth"), &C::GetErrorWidth, &C::SetErrorWidth, 100),
          PP::Enum<C, TErrorWidthUnits>(QStringLiteral("ErrorWidthUnits"), &C::GetErrorWidthUnits,
                                        &C::SetErrorWidthUnits, {"ewuPercent", "ewuPixels"},
                                        ewuPercent),
      });
  return List;
}

bool TErrorSeries::IsOfBarClass(const TChartSeries* Other) const {
  return dynamic_cast<const TErrorSeries*>(Other) != nullptr;
}

void TErrorSeries::SetSeriesColor(TColor AColor) {
  TCustomErrorSeries::SetSeriesColor(AColor);
  GetErrorPen().SetColor(AColor);
}

void TErrorSeries::SetErrorPen(const TChartPen& Value) {
  TCustomErrorSeries::SetErrorPen(Value);
  SetSeriesColor(GetErrorPen().GetColor());
}
