#include "chart/core/TChartAxes.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TCustomAxisPanel.h"

#include <algorithm>

TChartAxis* TChartAxes::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)];
}

void TChartAxes::Add(TChartAxis* Axis) {
  FItems.push_back(Axis);
}

void TChartAxes::Remove(TChartAxis* Axis) {
  const auto It = std::find(FItems.begin(), FItems.end(), Axis);
  if (It != FItems.end()) FItems.erase(It);
}

int TChartAxes::IndexOf(const TChartAxis* Axis) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Axis);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

TChartAxis* TChartAxes::GetBottomAxis() const {
  return FChart->GetBottomAxis();
}

TChartAxis* TChartAxes::GetTopAxis() const {
  return FChart->GetTopAxis();
}

TChartAxis* TChartAxes::GetLeftAxis() const {
  return FChart->GetLeftAxis();
}

TChartAxis* TChartAxes::GetRightAxis() const {
  return FChart->GetRightAxis();
}

TChartAxis* TChartAxes::GetDepthAxis() const {
  return FChart->GetDepthAxis();
}

TChartAxis* TChartAxes::GetDepthTopAxis() const {
  return FChart->GetDepthTopAxis();
}

void TChartAxes::SetFastCalc(bool Value) {
  FFastCalc = Value;
  for (TChartAxis* Axis : FItems) Axis->SetCalcPosValue();
}

bool TChartAxes::GetBehind() const {
  return FChart->GetAxisBehind();
}

void TChartAxes::SetBehind(bool Value) {
  FChart->SetAxisBehind(Value);
}

bool TChartAxes::GetVisible() const {
  return FChart->GetAxisVisible();
}

void TChartAxes::SetVisible(bool Value) {
  FChart->SetAxisVisible(Value);
}

void TChartAxes::Reset() {
  for (TChartAxis* Axis : FItems) Axis->SetAutomatic(true);
}
