#include "chart/core/TChartWalls.h"

#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartRightWall.h"
#include "chart/core/TCustomChart.h"

TChartWalls::TChartWalls(TCustomChart* AChart)
    : FChart(AChart),
      FBack(std::make_unique<TChartBackWall>(AChart)),
      FBottom(std::make_unique<TChartWall>(AChart, clWhite)),
      FLeft(std::make_unique<TChartWall>(AChart, static_cast<TColor>(8454143))),
      FRight(std::make_unique<TChartRightWall>(AChart)) {}

TChartWalls::~TChartWalls() = default;

const TPropertyList& TChartWalls::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartWalls;
  static const TPropertyList List{
      PP::Object<C, TChartBackWall>(QStringLiteral("Back"), &C::BackObject),
      PP::Object<C, TChartWall>(QStringLiteral("Bottom"), &C::BottomObject),
      PP::Object<C, TChartWall>(QStringLiteral("Left"), &C::LeftObject),
      PP::Object<C, TChartRightWall>(QStringLiteral("Right"), &C::RightObject),
      PP::Boolean<C>(QStringLiteral("Visible"), &C::GetVisible, &C::SetVisible, true),
  };
  return List;
}

void TChartWalls::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TChartWalls*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FBack->Assign(*Other->FBack);
  FBottom->Assign(*Other->FBottom);
  FLeft->Assign(*Other->FLeft);
  FRight->Assign(*Other->FRight);
}

bool TChartWalls::GetVisible() const {
  return FChart == nullptr || FChart->GetView3DWalls();
}

void TChartWalls::SetVisible(bool Value) {
  if (FChart != nullptr) FChart->SetView3DWalls(Value);
}

int TChartWalls::GetSize() const {
  return FLeft->GetSize();
}

void TChartWalls::SetSize(int Value) {
  FLeft->SetSize(Value);
  FRight->SetSize(Value);
  FBack->SetSize(Value);
  FBottom->SetSize(Value);
}
