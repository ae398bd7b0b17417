#include "chart/series/THorizAreaSeries.h"

#include "chart/core/TChartValueList.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"

THorizAreaSeries::THorizAreaSeries(TComponent* AOwner) : TAreaSeries(AOwner) {
  SetHorizontal();
  GetXValues().SetOrder(loNone);
  GetYValues().SetOrder(loAscending);
  GetGradient().SetDirection(gdRightLeft);
}

bool THorizAreaSeries::IsOfSeriesClass(const TChartSeries* Other) const {
  return dynamic_cast<const THorizAreaSeries*>(Other) != nullptr;
}

void THorizAreaSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  const TMarksCallout* Callout = GetMarks().ExistingCallout();
  const int Distance = Callout != nullptr ? Callout->GetDistance() : 0;
  const int Gap = GetMarks().GetArrowLength() + Distance;
  APosition.LeftTop.Y = APosition.ArrowTo.Y - APosition.Height / 2;
  APosition.LeftTop.X += Gap + APosition.Width / 2;
  APosition.ArrowTo.X += Gap;
  APosition.ArrowFrom.Y = APosition.ArrowTo.Y;
  APosition.ArrowFrom.X += Distance;
  TAreaSeries::DrawMark(ValueIndex, St, APosition);
}
