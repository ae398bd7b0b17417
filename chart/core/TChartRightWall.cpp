#include "chart/core/TChartRightWall.h"

TChartRightWall::TChartRightWall(TCustomChart* AChart) : TChartWall(AChart, clSilver) {
  SetVisible(false);
}

const TPropertyList& TChartRightWall::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartRightWall;
  static const TPropertyList List(
      TChartWall::Properties(),
      {PP::Boolean<C>(QStringLiteral("Visible"), &C::GetVisible, &C::SetVisible, false)});
  return List;
}
