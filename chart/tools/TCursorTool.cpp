#include "chart/tools/TCursorTool.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"

#include "platform/Cursors.h"
#include "platform/TBrush.h"
#include "platform/TColor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TCursorTool::TCursorTool(TComponent* AOwner) : TKorCustomToolSeries(AOwner) {}

const TPropertyList& TCursorTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCursorTool;
  static const TPropertyList List(
      TKorCustomToolSeries::Properties(),
      {
          PP::Integer<C>(QStringLiteral("ClickTolerance"), &C::GetClickTolerance,
                         &C::SetClickTolerance, 3),
          PP::Boolean<C>(QStringLiteral("FollowMouse"), &C::GetFollowMouse, &C::SetFollowMouse,
                         false),
          PP::Boolean<C>(QStringLiteral("Snap"), &C::GetSnap, &C::SetSnap, false),
          PP::Enum<C, TCursorToolStyle>(QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
                                        {QStringLiteral("cssHorizontal"),
                                         QStringLiteral("cssVertical"), QStringLiteral("cssBoth")},
                                        cssBoth),
          PP::Boolean<C>(QStringLiteral("UseSeriesZ"), &C::GetUseSeriesZ, &C::SetUseSeriesZ, false),
      });
  return List;
}

QString TCursorTool::Description() const {
  return Korproco::KorMsg_CursorTool;
}

void TCursorTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCursorTool*>(&Source); Other != nullptr) {
    FUseChartRect = Other->FUseChartRect;
    FXValue = Other->FXValue;
    FYValue = Other->FYValue;
    FPositioned = Other->FPositioned;
    FClickTolerance = Other->FClickTolerance;
    FFollowMouse = Other->FFollowMouse;
    FSnap = Other->FSnap;
    FStyle = Other->FStyle;
    FUseSeriesZ = Other->FUseSeriesZ;
  }
  TKorCustomToolSeries::Assign(Source);
}

void TCursorTool::SetStyle(TCursorToolStyle Value) {
  if (!SetIfChanged(FStyle, Value)) return;
  SnapToPoint();
  Repaint();
}

void TCursorTool::SetXValue(double Value) {
  FPositioned = true;
  if (Value == FXValue) return;
  FXValue = Value;
  FLastSnap = -1;
  CalcScreenPositions();
  Changed(-1);
  Repaint();
}

void TCursorTool::SetYValue(double Value) {
  FPositioned = true;
  if (Value == FYValue) return;
  FYValue = Value;
  FLastSnap = -1;
  CalcScreenPositions();
  Changed(-1);
  Repaint();
}

void TCursorTool::SetSeries(TChartSeries* Value) {
  TKorCustomToolSeries::SetSeries(Value);
  FLastSnap = -1;
  if (Value == nullptr || InState(csLoading)) return;
  SnapToPoint();
  Repaint();
}

int TCursorTool::Z() const {
  if (FUseSeriesZ && GetSeries() != nullptr) return GetSeries()->GetStartZ();
  return 0;
}

TRect TCursorTool::GetAxisRect() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (FUseChartRect && Chart != nullptr) return Chart->GetPlotRect();
  if (!HasAxes()) return TRect();
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  TRect R(H->GetIStartPos(), V->GetIStartPos(), H->GetIEndPos(), V->GetIEndPos());
  if (OnGetAxisRect) OnGetAxisRect(const_cast<TCursorTool*>(this), R);
  return R;
}

void TCursorTool::ToLinePlane(int& X, int& Y) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (FUseSeriesZ && Chart != nullptr) Chart->GetPanelCanvas().Calculate2DPosition(X, Y, Z());
}

bool TCursorTool::InAxisRectangle(int X, int Y) const {
  ToLinePlane(X, Y);
  // The axis ends are pixels of the axis too, so both edges count.
  const TRect R = GetAxisRect();
  return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

int TCursorTool::Clicked(int X, int Y) const {
  if (!InAxisRectangle(X, Y)) return 0;
  ToLinePlane(X, Y);
  const bool OnHorizontal = std::abs(Y - FScreenY) <= FClickTolerance;
  const bool OnVertical = std::abs(X - FScreenX) <= FClickTolerance;
  if (FStyle == cssBoth && OnHorizontal && OnVertical) return 3;
  if (FStyle != cssVertical && OnHorizontal) return 1;
  if (FStyle != cssHorizontal && OnVertical) return 2;
  return 0;
}

void TCursorTool::CalcScreenPositions() {
  if (!HasAxes()) return;
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  if (!FPositioned) {
    // Only a cursor nobody placed goes to the middle of its axes: values
    // set in code or copied from another cursor are kept.
    FXValue = H->CalcPosPoint((H->GetIStartPos() + H->GetIEndPos()) / 2);
    FYValue = V->CalcPosPoint((V->GetIStartPos() + V->GetIEndPos()) / 2);
    FPositioned = true;
    const int Snapped = SnapToPoint();
    FScreenX = H->CalcPosValue(FXValue);
    FScreenY = V->CalcPosValue(FYValue);
    Changed(Snapped);
    return;
  }
  FScreenX = H->CalcPosValue(FXValue);
  FScreenY = V->CalcPosValue(FYValue);
}

void TCursorTool::CalcValuePositions(int X, int Y) {
  if (!HasAxes()) return;
  ToLinePlane(X, Y);
  FPositioned = true;
  if (FDragged != 1) FXValue = GetHorizAxis()->CalcPosPoint(X);
  if (FDragged != 2) FYValue = GetVertAxis()->CalcPosPoint(Y);
}

int TCursorTool::SnapToPoint() {
  const TChartSeries* S = GetSeries();
  if (S == nullptr || !FSnap) return -1;
  const int First = std::max(0, S->GetFirstValueIndex());
  const int Last = std::min(S->Count() - 1, S->GetLastValueIndex());
  const TChartValueList& Xs = S->GetXValues();
  const TChartValueList& Ys = S->GetYValues();
  int Best = -1;
  double BestDistance = 0;
  for (int I = First; I <= Last; ++I) {
    const double DX = std::abs(FXValue - Xs[I]);
    const double DY = std::abs(FYValue - Ys[I]);
    const double Distance = FStyle == cssHorizontal ? DY
                            : FStyle == cssVertical ? DX
                                                    : std::hypot(DX, DY);
    if (Best == -1 || Distance < BestDistance) {
      Best = I;
      BestDistance = Distance;
    }
  }
  if (Best == -1) return -1;
  if (FStyle != cssHorizontal) FXValue = Xs[Best];
  if (FStyle != cssVertical) FYValue = Ys[Best];
  return Best;
}

void TCursorTool::RedrawCursor() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || !HasAxes()) return;
  // Between frames this is the window's buffer, and asking for it
  // schedules the copy to the screen.
  Chart->GetCanvas();
  TCanvas3D& C = Chart->GetPanelCanvas();
  // XOR with (pen ^ background) shows the pen's own colour over the
  // chart's background, and a second pass restores every pixel.
  const TColor Back = InvertibleColor(Chart->GetColor(), clBtnFace);
  C.AssignVisiblePenColor(GetPen(), InvertibleColor(GetPen().GetColor(), clBlack) ^ Back);
  C.GetBrush().SetStyle(bsClear);
  C.GetPen().SetMode(pmXor);
  const TRect R = GetAxisRect();
  const bool Is3D = Chart->GetView3D();
  if (FStyle != cssVertical) {
    if (Is3D)
      C.HorizLine3D(R.Left, R.Right, FScreenY, Z());
    else
      C.DoHorizLine(R.Left, R.Right, FScreenY);
  }
  if (FStyle != cssHorizontal) {
    if (Is3D)
      C.VertLine3D(FScreenX, R.Top, R.Bottom, Z());
    else
      C.DoVertLine(FScreenX, R.Top, R.Bottom);
  }
  C.GetPen().SetMode(pmCopy);
}

void TCursorTool::ChartEvent(TChartToolEvent Event) {
  TKorCustomToolSeries::ChartEvent(Event);
  if (Event != cteAfterDraw) return;
  CalcScreenPositions();
  RedrawCursor();
}

void TCursorTool::ChartMouseEvent(TChartMouseEvent Event, TMouseButton, TShiftState, int X, int Y) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  switch (Event) {
    case cmeDown:
      if (FFollowMouse) return;
      FDragged = Clicked(X, Y);
      if (FDragged != 0) Chart->SetMouseCancelled(true);
      break;
    case cmeMove: MouseMoved(X, Y); break;
    case cmeUp: FDragged = 0; break;
  }
}

void TCursorTool::MouseMoved(int X, int Y) {
  if ((FDragged != 0 || FFollowMouse) && InAxisRectangle(X, Y)) {
    PointCursorAt(X, Y);
    return;
  }
  const int Part = Clicked(X, Y);
  if (Part == 0) return;
  TCustomAxisPanel* Chart = GetParentChart();
  Chart->SetCursor(Part == 1 ? crVSplit : Part == 2 ? crHSplit : crSizeAll);
  Chart->SetMouseCancelled(true);
}

void TCursorTool::PointCursorAt(int X, int Y) {
  RedrawCursor();  // erases the lines where they are
  CalcValuePositions(X, Y);
  const int Snapped = SnapToPoint();
  CalcScreenPositions();
  RedrawCursor();
  Changed(Snapped);
  if (OnSnapChange && Snapped != FLastSnap)
    OnSnapChange(this, FScreenX, FScreenY, FXValue, FYValue, GetSeries(), Snapped);
  FLastSnap = Snapped;
}

void TCursorTool::Changed(int ValueIndex) {
  if (OnChange) OnChange(this, FScreenX, FScreenY, FXValue, FYValue, GetSeries(), ValueIndex);
}
