#include "chart/series/THorizLineSeries.h"

#include "chart/core/TChartValueList.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"

THorizLineSeries::THorizLineSeries(TComponent* AOwner) : TLineSeries(AOwner) {
  SetHorizontal();
  SetCalcVisiblePoints(false);
  GetXValues().SetOrder(loNone);
  GetYValues().SetOrder(loAscending);
}

bool THorizLineSeries::IsOfSeriesClass(const TChartSeries* Other) const {
  return dynamic_cast<const THorizLineSeries*>(Other) != nullptr;
}

int THorizLineSeries::CalcMarkLength(int) {
  return MaxMarkWidth();
}

void THorizLineSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  const TMarksCallout* Callout = GetMarks().ExistingCallout();
  const int Distance = Callout != nullptr ? Callout->GetDistance() : 0;
  const int Gap = GetMarks().GetArrowLength() + Distance;
  const bool Left = APosition.ArrowFrom.X < GetOriginPos(ValueIndex);
  const int Shift = Left ? -(Gap + APosition.Width) : Gap;
  APosition.LeftTop.X += Shift + APosition.Width / 2;
  APosition.LeftTop.Y += APosition.Height / 2;
  // The arrow's end moves with the box: on the left side it ends under the
  // box's far edge, which the box then covers.
  APosition.ArrowTo.X += Shift;
  APosition.ArrowFrom.X += Left ? -Distance : Distance;
  TLineSeries::DrawMark(ValueIndex, St, APosition);
}
