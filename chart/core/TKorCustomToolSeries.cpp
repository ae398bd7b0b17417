#include "chart/core/TKorCustomToolSeries.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"

#include <utility>

const TPropertyList& TKorCustomToolSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorCustomToolSeries;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TKorCustomTool::Properties(),
        {PP::Component<C>(QStringLiteral("Series"), &C::GetSeriesName, &C::SetSeriesName)});
  }();
  return List;
}

void TKorCustomToolSeries::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TKorCustomToolSeries*>(&Source); Other != nullptr)
    SetSeries(Other->GetSeries());
  TKorCustomTool::Assign(Source);
}

void TKorCustomToolSeries::Loaded() {
  TKorCustomTool::Loaded();
  const QString Pending = std::exchange(FPendingSeriesName, QString());
  if (!Pending.isEmpty()) SetSeriesName(Pending);
}

QString TKorCustomToolSeries::GetSeriesName() const {
  return FSeries != nullptr ? QString::fromStdString(FSeries->GetName()) : QString();
}

void TKorCustomToolSeries::SetSeriesName(const QString& Value) {
  FPendingSeriesName.clear();
  if (Value.isEmpty()) {
    SetSeries(nullptr);
    return;
  }
  const std::string Name = Value.toStdString();
  TComponent* Found = GetOwner() != nullptr ? GetOwner()->FindComponent(Name) : nullptr;
  if (Found == nullptr && GetParentChart() != nullptr) {
    for (int I = 0; I < GetParentChart()->SeriesCount() && Found == nullptr; ++I) {
      TChartSeries* S = GetParentChart()->GetSeries(I);
      if (S->GetName() == Name) Found = S;
    }
  }
  if (auto* Series = dynamic_cast<TChartSeries*>(Found))
    SetSeries(Series);
  else
    FPendingSeriesName = Value;
}

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
