#include "chart/tools/TDragPointTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"

#include "platform/ScopeGuard.h"

const TPropertyList& TDragPointTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TDragPointTool;
  static const TPropertyList List(
      TKorCustomToolSeries::Properties(),
      {
          PP::Enum<C, TDragPointStyle>(
              QStringLiteral("DragStyle"), &C::GetDragStyle, &C::SetDragStyle,
              {QStringLiteral("dsX"), QStringLiteral("dsY"), QStringLiteral("dsBoth")}, dsBoth),
      });
  return List;
}

QString TDragPointTool::Description() const {
  return Korproco::KorMsg_DragPoint;
}

void TDragPointTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TDragPointTool*>(&Source);
      Other != nullptr && Other != this) {
    FDragStyle = Other->FDragStyle;
    SetSeries(Other->GetSeries());
  }
  TKorCustomToolSeries::Assign(Source);
}

void TDragPointTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton, TShiftState, int X,
                                     int Y) {
  TChartSeries* Series = GetSeries();
  if (Series == nullptr) return;
  switch (AEvent) {
    case cmeDown:
      FIndex = Series->Clicked(X, Y);
      // Only a press on a point is the tool's: elsewhere the chart zooms
      // and scrolls as usual.
      if (FIndex != -1 && GetParentChart() != nullptr) GetParentChart()->SetMouseCancelled(true);
      break;
    case cmeMove:
      if (FIndex != -1) MoveTo(X, Y);
      break;
    case cmeUp: FIndex = -1; break;
  }
}

void TDragPointTool::MoveTo(int X, int Y) {
  TChartSeries& Series = *GetSeries();
  // The program may clear or shorten the series while the button is held
  // (a live run refills it): the pressed point is gone, so the drag ends
  // rather than writing to another point or past the end.
  if (FIndex >= Series.Count()) {
    FIndex = -1;
    return;
  }
  {
    Series.BeginUpdate();
    // Linked series refresh once, also when a value cannot be set.
    const TScopeGuard EndUpdate([&Series] { Series.EndUpdate(); });
    TChartAxis* Horiz = GetHorizAxis();
    TChartAxis* Vert = GetVertAxis();
    if ((FDragStyle == dsX || FDragStyle == dsBoth) && Horiz != nullptr)
      Series.SetXValue(FIndex, AxisValue(*Horiz, X));
    if ((FDragStyle == dsY || FDragStyle == dsBoth) && Vert != nullptr)
      Series.SetYValue(FIndex, AxisValue(*Vert, Y));
  }
  if (OnDragPoint) OnDragPoint(this, FIndex);
}

double TDragPointTool::AxisValue(TChartAxis& Axis, int Pos) {
  if (Axis.GetMaximum() == Axis.GetMinimum()) {
    Axis.SetAutomaticMaximum(false);
    Axis.SetMaximum(Axis.GetMaximum() + MinAxisIncrement * 0.1);
  }
  return Axis.CalcPosPoint(Pos);
}
