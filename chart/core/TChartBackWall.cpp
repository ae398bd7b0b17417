#include "chart/core/TChartBackWall.h"

TChartBackWall::TChartBackWall(TCustomChart* AChart) : TChartWall(AChart, clSilver) {
  SetTransparent(true);
}

const TPropertyList& TChartBackWall::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartBackWall;
  static const TPropertyList List(TChartWall::Properties(),
                                  {PP::Boolean<C>(QStringLiteral("Transparent"), &C::GetTransparent,
                                                  &C::SetTransparent, true)});
  return List;
}
