#include "chart/core/TKorCustomToolAxis.h"

#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TCustomAxisPanel.h"

const TPropertyList& TKorCustomToolAxis::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorCustomToolAxis;
  static const TPropertyList List = [this] {
    TPublishedProperty AxisID =
        PP::Integer<C>(QStringLiteral("AxisID"), &C::GetAxisID, &C::SetAxisID);
    AxisID.Stored = [](const TPersistent& P) { return PP::As<C>(P).GetAxis() != nullptr; };
    return TPropertyList(TKorCustomTool::Properties(), {AxisID});
  }();
  return List;
}

void TKorCustomToolAxis::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TKorCustomToolAxis*>(&Source); Other != nullptr)
    SetAxis(Other->GetAxis());
  TKorCustomTool::Assign(Source);
}

void TKorCustomToolAxis::Loaded() {
  TKorCustomTool::Loaded();
  if (FPendingAxisID >= 0) SetAxisID(FPendingAxisID);
  FPendingAxisID = -1;
}

void TKorCustomToolAxis::SetAxis(TChartAxis* Value) {
  if (Value == FAxis) return;
  FAxis = Value;
  SetParentChart(Value != nullptr ? Value->GetParentChart() : nullptr);
  Repaint();
}

int TKorCustomToolAxis::GetAxisID() const {
  if (FAxis == nullptr || FAxis->GetParentChart() == nullptr) return -1;
  return FAxis->GetParentChart()->GetAxesList().IndexOf(FAxis);
}

void TKorCustomToolAxis::SetAxisID(int Value) {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) {
    FPendingAxisID = Value;
    return;
  }
  const TChartAxes& Axes = Chart->GetAxesList();
  if (Value >= 0 && Value < Axes.Count()) SetAxis(Axes.Get(Value));
}
