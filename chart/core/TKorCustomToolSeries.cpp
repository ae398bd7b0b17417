#include "chart/core/TKorCustomToolSeries.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"

void TKorCustomToolSeries::SetSeries(TChartSeries* Value) {
  if (Value == FSeries) return;
  if (FSeriesComponent != nullptr) FSeriesComponent->RemoveFreeNotification(this);
  FSeries = Value;
  FSeriesComponent = Value;
  if (FSeriesComponent != nullptr) FSeriesComponent->FreeNotification(this);
}

TChartAxis* TKorCustomToolSeries::GetHorizAxis() const {
  if (FSeries != nullptr) return FSeries->GetHorizAxisObject();
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return nullptr;
  if (Chart->NoActiveSeries(Chart->GetBottomAxis()) && !Chart->NoActiveSeries(Chart->GetTopAxis()))
    return Chart->GetTopAxis();
  return Chart->GetBottomAxis();
}

TChartAxis* TKorCustomToolSeries::GetVertAxis() const {
  if (FSeries != nullptr) return FSeries->GetVertAxisObject();
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return nullptr;
  if (Chart->NoActiveSeries(Chart->GetLeftAxis()) && !Chart->NoActiveSeries(Chart->GetRightAxis()))
    return Chart->GetRightAxis();
  return Chart->GetLeftAxis();
}

void TKorCustomToolSeries::Notification(TComponent* AComponent, TOperation Operation) {
  TKorCustomTool::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSeriesComponent &&
      FSeriesComponent != nullptr) {
    FSeries = nullptr;
    FSeriesComponent = nullptr;
  }
}
