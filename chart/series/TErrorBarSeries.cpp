#include "chart/series/TErrorBarSeries.h"

#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"

TErrorBarSeries::TErrorBarSeries(TComponent* AOwner) : TCustomErrorSeries(AOwner) {
  SetDrawBar(true);
  SetErrorStyle(essTop);
}

const TPropertyList& TErrorBarSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomErrorSeries;
  static const TPropertyList List(
      TCustomErrorSeries::Properties(),
      {
          PP::Object<C, TChartPen>(QStringLiteral("ErrorPen"), &TErrorBarSeries::ErrorPenObject),
          PP::Object<C, TChartValueList>(QStringLiteral("ErrorValues"),
                                         &TErrorBarSeries::ErrorValuesObject),
          PP::Integer<C>(QStringLiteral("ErrorWidth"), &C::GetErrorWidth, &C::SetErrorWidth, 100),
          PP::Enum<C, TErrorWidthUnits>(QStringLiteral("ErrorWidthUnits"), &C::GetErrorWidthUnits,
                                        &C::SetErrorWidthUnits, {"ewuPercent", "ewuPixels"},
                                        ewuPercent),
      });
  return List;
}

bool TErrorBarSeries::IsOfBarClass(const TChartSeries* Other) const {
  return dynamic_cast<const TErrorBarSeries*>(Other) != nullptr;
}

void TErrorBarSeries::PrepareForGallery(bool IsEnabled) {
  GetErrorPen().SetWidth(2);
  TCustomErrorSeries::PrepareForGallery(IsEnabled);
}
