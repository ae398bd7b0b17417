#include "chart/core/TChartDepthAxis.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel* AChart) : TChartAxis(AChart) {
  SetIsDepthAxis(true);
}

const TPropertyList& TChartDepthAxis::Properties() const {
  static const TPropertyList List(TChartAxis::Properties(), {});
  return List;
}

void TChartDepthAxis::SetInverted(bool Value) {
  TChartAxis::SetInverted(Value);
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  TChartAxis* Other = nullptr;
  if (this == Chart->GetDepthAxis())
    Other = Chart->GetDepthTopAxis();
  else if (this == Chart->GetDepthTopAxis())
    Other = Chart->GetDepthAxis();
  if (Other != nullptr && Other->GetInverted() != Value) Other->SetInverted(Value);
}

TAxisLabelStyle TChartDepthAxis::InternalCalcLabelStyle() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return talText;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    const TChartSeries* S = Chart->GetSeries(I);
    if (S->GetActive() && S->MaxZValue() != S->MinZValue()) return talValue;
  }
  return talText;
}
