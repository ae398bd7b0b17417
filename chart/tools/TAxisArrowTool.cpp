#include "chart/tools/TAxisArrowTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"

#include "platform/Cursors.h"

#include <cstdlib>

const TPropertyList& TAxisArrowTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAxisArrowTool;
  static const TPropertyList List(
      TKorCustomToolAxis::Properties(),
      {
          PP::Integer<C>(QStringLiteral("HeadWidth"), &C::GetHeadWidth, &C::SetHeadWidth, 8),
          PP::Integer<C>(QStringLiteral("Length"), &C::GetLength, &C::SetLength, 16),
          PP::Enum<C, TAxisArrowToolPosition>(
              QStringLiteral("Position"), &C::GetPosition, &C::SetPosition,
              {QStringLiteral("aaStart"), QStringLiteral("aaEnd"), QStringLiteral("aaBoth")},
              aaBoth),
          PP::Boolean<C>(QStringLiteral("ScrollInverted"), &C::GetScrollInverted,
                         &C::SetScrollInverted, false),
          PP::Integer<C>(QStringLiteral("ScrollPercent"), &C::GetScrollPercent,
                         &C::SetScrollPercent, 10),
          PP::Integer<C>(QStringLiteral("SizePercent"), &C::GetSizePercent, &C::SetSizePercent, 50),
      });
  return List;
}

QString TAxisArrowTool::Description() const {
  return Korproco::KorMsg_AxisArrowTool;
}

void TAxisArrowTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TAxisArrowTool*>(&Source);
      Other != nullptr && Other != this) {
    FHeadWidth = Other->FHeadWidth;
    FLength = Other->FLength;
    FPosition = Other->FPosition;
    FScrollInverted = Other->FScrollInverted;
    FScrollPercent = Other->FScrollPercent;
    FSizePercent = Other->FSizePercent;
  }
  TKorCustomToolAxis::Assign(Source);
}

void TAxisArrowTool::SetPosition(TAxisArrowToolPosition Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  Repaint();
}

TChartAxis* TAxisArrowTool::ShownAxis() const {
  TChartAxis* Axis = GetAxis();
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Axis == nullptr || Chart == nullptr) return nullptr;
  return Axis->GetVisible() && Chart->GetAxisVisible() ? Axis : nullptr;
}

int TAxisArrowTool::ClickedArrow(int X, int Y) const {
  const TChartAxis* Axis = ShownAxis();
  if (Axis == nullptr) return -1;
  const bool Horizontal = Axis->GetHorizontal();
  const int Across = Horizontal ? Y : X;
  const int Along = Horizontal ? X : Y;
  if (std::abs(Across - Axis->GetPosAxis()) > 2) return -1;
  const int Start = Axis->GetIStartPos();
  const int End = Axis->GetIEndPos();
  if (HasStart() && Along > Start && Along < Start + FLength) return 0;
  if (HasEnd() && Along > End - FLength && Along < End) return 1;
  return -1;
}

void TAxisArrowTool::ChartEvent(TChartToolEvent AEvent) {
  if (AEvent != cteAfterDraw) return;
  if (TChartAxis* Axis = ShownAxis()) DrawArrows(*Axis);
}

void TAxisArrowTool::DrawArrows(TChartAxis& Axis) {
  TCustomAxisPanel& Chart = *GetParentChart();
  TCanvas3D& C = Chart.GetPanelCanvas();
  C.AssignBrush(GetBrush(), GetBrush().GetColor());
  C.AssignVisiblePen(GetPen());
  // An axis on the far side of a 3D chart lies on the back plane.
  const int Z = Chart.GetView3D() && Axis.GetOtherSide() ? Chart.GetDepth3D() : 0;
  const bool Horizontal = Axis.GetHorizontal();
  const auto At = [&](int Along) {
    return Horizontal ? TPoint(Along, Axis.GetPosAxis()) : TPoint(Axis.GetPosAxis(), Along);
  };
  const int Start = Axis.GetIStartPos();
  const int End = Axis.GetIEndPos();
  if (HasStart())
    C.Arrow(true, At(Start + FLength), At(Start), FHeadWidth, FHeadWidth, Z, FSizePercent);
  if (HasEnd()) C.Arrow(true, At(End - FLength), At(End), FHeadWidth, FHeadWidth, Z, FSizePercent);
}

void TAxisArrowTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton, TShiftState, int X,
                                     int Y) {
  TChartAxis* Axis = ShownAxis();
  if (Axis == nullptr) return;
  TCustomAxisPanel& Chart = *GetParentChart();
  if (AEvent == cmeMove) {
    if (ClickedArrow(X, Y) == -1) return;
    Chart.SetCursor(crHandPoint);
    Chart.SetMouseCancelled(true);
  } else if (AEvent == cmeDown && FScrollPercent != 0) {
    const int Arrow = ClickedArrow(X, Y);
    if (Arrow == -1) return;
    double Delta = (Axis->GetMaximum() - Axis->GetMinimum()) * FScrollPercent / 100.0;
    if (FScrollInverted) Delta = -Delta;
    ScrollAxis(*Axis, Arrow == 0 ? Delta : -Delta);
    Chart.SetMouseCancelled(true);
    if (OnClick) OnClick(this, Arrow == 0);
  }
}

namespace {

// The standard axis on the other side of the same orientation, or nullptr
// (custom and depth axes have none).
TChartAxis* OppositeAxis(const TCustomAxisPanel& Chart, const TChartAxis* Axis) {
  if (Axis == Chart.GetBottomAxis()) return Chart.GetTopAxis();
  if (Axis == Chart.GetTopAxis()) return Chart.GetBottomAxis();
  if (Axis == Chart.GetLeftAxis()) return Chart.GetRightAxis();
  if (Axis == Chart.GetRightAxis()) return Chart.GetLeftAxis();
  return nullptr;
}

// Whether a series of the chart is drawn against this axis and both axes
// of its orientation.
bool SpansBothAxes(const TCustomAxisPanel& Chart, const TChartAxis* Axis) {
  for (int I = 0; I < Chart.SeriesCount(); ++I) {
    const TChartSeries* S = Chart.GetSeries(I);
    const bool Both = Axis->GetHorizontal() ? S->GetHorizAxis() == aBothHorizAxis
                                            : S->GetVertAxis() == aBothVertAxis;
    if (Both && S->AssociatedToAxis(Axis)) return true;
  }
  return false;
}

}  // namespace

void TAxisArrowTool::ScrollAxis(TChartAxis& Axis, double Delta) {
  TCustomAxisPanel& Chart = *GetParentChart();
  auto* Full = dynamic_cast<TCustomChart*>(&Chart);
  if (Full != nullptr && Full->OnAllowScroll) {
    double Min = Axis.GetMinimum() + Delta;
    double Max = Axis.GetMaximum() + Delta;
    bool Allow = true;
    Full->OnAllowScroll(&Axis, Min, Max, Allow);
    if (!Allow) return;
  }
  Axis.Scroll(Delta, false);
  if (TChartAxis* Opposite = OppositeAxis(Chart, &Axis);
      Opposite != nullptr && SpansBothAxes(Chart, &Axis))
    Opposite->Scroll(Delta, false);
  if (Full != nullptr && Full->OnScroll) Full->OnScroll(Full);
}
