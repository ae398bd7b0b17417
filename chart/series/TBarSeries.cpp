#include "chart/series/TBarSeries.h"

#include "chart/series/TBarSeriesGradient.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <utility>

TBarSeries::TBarSeries(TComponent* AOwner) : TCustomBarSeries(AOwner) {
  GetYValues().SetName(Korconst::KorMsg_ValuesBar);
  GetGradient().SetDirection(gdTopBottom);
}

const TPropertyList& TBarSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TBarSeries;
  static const TPropertyList List(
      TCustomBarSeries::Properties(),
      {PP::Integer<C>(QStringLiteral("CustomBarWidth"), &C::GetCustomBarWidth,
                      &C::SetCustomBarWidth, 0)});
  return List;
}

bool TBarSeries::IsOfBarClass(const TChartSeries* Other) const {
  return dynamic_cast<const TBarSeries*>(Other) != nullptr;
}

// -- positions

int TBarSeries::CalcXPos(int ValueIndex) const {
  const int Half = GetBarSize() / 2;
  int Pos = 0;
  switch (GetMultiBar()) {
    case mbSideAll: Pos = CalcXPosValue(ValueIndex + GetPreviousCount()) - Half; break;
    case mbSelfStack: Pos = CalcXPosValue(MinXValue()) - Half; break;
    case mbNone: Pos = TCustomBarSeries::CalcXPos(ValueIndex) - Half; break;
    default:
      Pos = TCustomBarSeries::CalcXPos(ValueIndex) +
            Round((GetOrderPosition() - GetNumBars() * 0.5 - 1) * GetBarSize());
      break;
  }
  return ApplyBarOffset(Pos);
}

int TBarSeries::CalcYPos(int ValueIndex) const {
  return ValuePosition(ValueIndex, TCustomBarSeries::CalcYPos(ValueIndex));
}

int TBarSeries::GetOriginPos(int ValueIndex) const {
  const TChartAxis* Axis = GetVertAxisObject();
  return InternalGetOriginPos(ValueIndex, Axis != nullptr ? Axis->GetIEndPos() : 0);
}

double TBarSeries::MaxXValue() const {
  if (GetMultiBar() == mbSideAll) return Count() + GetPreviousCount() - 1;
  if (GetMultiBar() == mbSelfStack && GetParentChart() != nullptr)
    return GetParentChart()->IndexOfSeries(this);
  return TCustomBarSeries::MaxXValue();
}

double TBarSeries::MinXValue() const {
  if (GetMultiBar() == mbSelfStack && GetParentChart() != nullptr)
    return GetParentChart()->IndexOfSeries(this);
  return TCustomBarSeries::MinXValue();
}

double TBarSeries::MaxYValue() const {
  return MaxMandatoryValue(TCustomBarSeries::MaxYValue());
}

double TBarSeries::MinYValue() const {
  return MinMandatoryValue(TCustomBarSeries::MinYValue());
}

void TBarSeries::CalcHorizMargins(int& LeftMargin, int& RightMargin) {
  TCustomBarSeries::CalcHorizMargins(LeftMargin, RightMargin);
  InternalApplyBarMargin(LeftMargin, RightMargin);
}

void TBarSeries::CalcVerticalMargins(int& TopMargin, int& BottomMargin) {
  TCustomBarSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  int Length = CalcMarkLength(0);
  if (Length <= 0) return;
  ++Length;
  const bool Inverted = GetVertAxisObject() != nullptr && GetVertAxisObject()->GetInverted();
  if (GetUseYOrigin() && MinYValue() < GetYOrigin())
    (Inverted ? TopMargin : BottomMargin) += Length;
  if (!GetUseYOrigin() || MaxYValue() > GetYOrigin())
    (Inverted ? BottomMargin : TopMargin) += Length;
}

TRect TBarSeries::CalcBarBounds(int ValueIndex) const {
  TRect B;
  B.Left = CalcXPos(ValueIndex);
  const bool PenVisible = GetBarPen().GetVisible();
  if (GetBarWidthPercent() != 100 || GetCustomBarSize() != 0 || GetMultiBar() == mbSelfStack) {
    B.Right = B.Left + GetBarSize() + 1;
  } else {
    // Whole-width bars reach the next category.
    const int P = PenVisible ? std::max(1, GetBarPen().GetWidth()) : 0;
    if (GetHorizAxisObject() != nullptr && GetHorizAxisObject()->GetInverted())
      B.Right = ValueIndex == 0 ? B.Left + GetBarSize() + P : CalcXPos(ValueIndex - 1);
    else
      B.Right = ValueIndex < Count() - 1 ? CalcXPos(ValueIndex + 1) + 1 - P / 2
                                         : B.Left + GetBarSize() + 1 - P / 2;
  }
  B.Top = CalcYPos(ValueIndex);
  B.Bottom = GetOriginPos(ValueIndex);
  // Without a pen the canvas fills one pixel short of right and bottom.
  if (!PenVisible) {
    if (B.Top > B.Bottom)
      ++B.Top;
    else
      ++B.Bottom;
    ++B.Right;
  }
  return B;
}

// -- drawing

void TBarSeries::DrawValue(int ValueIndex) {
  TCustomBarSeries::DrawValue(ValueIndex);
  SetNormalBarColor(GetValueColor(ValueIndex));
  if (GetNormalBarColor() == clNone || GetParentChart() == nullptr) return;
  SetBarBounds(CalcBarBounds(ValueIndex));
  const TRect& B = GetBarBounds();
  const int Start = std::min(B.Top, B.Bottom);
  const int End = std::max(B.Top, B.Bottom);
  DrawBlended([&] { DrawBar(ValueIndex, Start, End); });
}

void TBarSeries::DrawBar(int ValueIndex, int StartPos, int EndPos) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const TColor Color = GetNormalBarColor();
  SetPenBrushBar(Color);
  const TBarStyle Style = GetBarStyle(ValueIndex);
  const int L = GetBarBounds().Left;
  const int R = GetBarBounds().Right;
  const int M = (L + R) / 2;
  const int Middle = (StartPos + EndPos) / 2;
  const bool D3 = Is3D();
  const int Z0 = GetStartZ();
  const int Z1 = GetEndZ();
  const int ZM = GetMiddleZ();
  auto Polygon = [&](std::initializer_list<TPoint> Points) {
    const std::vector<TPoint> P(Points);
    const int High = static_cast<int>(P.size()) - 1;
    if (D3)
      C.PolygonWithZ(P.data(), High, ZM);
    else
      C.Polygon(P.data(), High);
  };
  switch (Style) {
    case bsRectangle:
    case bsRectGradient:
    case bsBevel:
      if (D3)
        C.Cube(L, R, StartPos, EndPos, Z0, Z1, GetDark3D());
      else
        BarRectangle(Color, L, StartPos, R, EndPos);
      break;
    case bsCilinder:
      if (D3)
        C.Cylinder(true, L, StartPos, R, EndPos, Z0, Z1, GetDark3D());
      else
        BarRectangle(Color, L, StartPos, R, EndPos);
      break;
    case bsPyramid:
    case bsCone:
      if (!D3)
        Polygon({TPoint(L, EndPos), TPoint(M, StartPos), TPoint(R, EndPos)});
      else if (Style == bsPyramid)
        C.Pyramid(true, L, StartPos, R, EndPos, Z0, Z1, GetDark3D());
      else
        C.Cone(true, L, StartPos, R, EndPos, Z0, Z1, GetDark3D(), GetConePercent());
      break;
    case bsInvPyramid:
    case bsInvCone:
      if (!D3)
        Polygon({TPoint(L, StartPos), TPoint(M, EndPos), TPoint(R, StartPos)});
      else if (Style == bsInvPyramid)
        C.Pyramid(true, L, EndPos, R, StartPos, Z0, Z1, GetDark3D());
      else
        C.Cone(true, L, EndPos, R, StartPos, Z0, Z1, GetDark3D(), GetConePercent());
      break;
    case bsEllipse:
      if (D3)
        C.EllipseWithZ(L, StartPos, R, EndPos, ZM);
      else
        C.Ellipse(L, StartPos, R, EndPos);
      break;
    case bsArrow:
    case bsInvArrow: {
      const TPoint Base(M, Style == bsArrow ? EndPos : StartPos);
      const TPoint Tip(M, Style == bsArrow ? StartPos : EndPos);
      C.Arrow(true, Base, Tip, R - L, (R - L) / 2, D3 ? ZM : 0);
      break;
    }
    case bsSlantCube:
      if (D3) {
        const int Sides = KorNumCylinderSides;
        KorNumCylinderSides = 4;
        C.Cylinder(true, L, StartPos, R, EndPos, Z0, Z1, GetDark3D());
        KorNumCylinderSides = Sides;
      } else {
        BarRectangle(Color, L, StartPos, R, EndPos);
        C.MoveTo(M, StartPos);
        C.LineTo(M, EndPos);
      }
      break;
    case bsDiamond:
      Polygon({TPoint(M, StartPos), TPoint(R, Middle), TPoint(M, EndPos), TPoint(L, Middle)});
      break;
  }
  if (Style == bsRectGradient) BarGradient(ValueIndex, TRect(L, StartPos, R, EndPos));
  if (Style == bsBevel) DrawBevel();
  DrawTickLines(StartPos, EndPos, Style);
}

void TBarSeries::DrawTickLine(int Pos, TBarStyle AStyle) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const TRect& B = GetBarBounds();
  if (AStyle == bsArrow) {
    const int W = B.Right - B.Left;
    C.HorizLine3D(B.Left + W / 4, B.Right - W / 4, Pos, GetMiddleZ());
    return;
  }
  if (AStyle != bsRectangle && AStyle != bsRectGradient && AStyle != bsBevel) return;
  C.HorizLine3D(B.Left, B.Right, Pos, GetStartZ());
  if (!Is3D()) return;
  // Along the side face the view shows: the one the depth runs away from.
  auto Shows = [&](int X, bool Right) {
    const int Near = C.Calculate3DPosition(X, Pos, GetStartZ()).X;
    const int Far = C.Calculate3DPosition(X, Pos, GetEndZ()).X;
    return Right ? Far > Near : Far < Near;
  };
  if (Shows(B.Right, true))
    C.ZLine3D(B.Right, Pos, GetStartZ(), GetEndZ());
  else if (Shows(B.Left, false))
    C.ZLine3D(B.Left, Pos, GetStartZ(), GetEndZ());
}

bool TBarSeries::DrawSeriesForward(int ValueIndex) const {
  const bool Inverted = GetVertAxisObject() != nullptr && GetVertAxisObject()->GetInverted();
  switch (GetMultiBar()) {
    case mbStacked:
    case mbSelfStack: {
      const bool Up = GetMandatory().GetValue(ValueIndex) >= GetYOrigin();
      return Inverted ? !Up : Up;
    }
    case mbStacked100: return !Inverted;
    default: return TCustomBarSeries::DrawSeriesForward(ValueIndex);
  }
}

bool TBarSeries::MoreSameZOrder() const {
  return GetMultiBar() != mbSideAll && TCustomBarSeries::MoreSameZOrder();
}

// -- marks

int TBarSeries::InternalCalcMarkLength(int) {
  return GetParentChart()->GetPanelCanvas().GetFontHeight();
}

void TBarSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  const TMarksCallout* Callout = GetMarks().ExistingCallout();
  const int Distance = Callout != nullptr ? Callout->GetDistance() : 0;
  int Length = GetMarks().GetArrowLength() + Distance;
  if (GetOriginPos(ValueIndex) < APosition.ArrowFrom.Y) {
    // The bar grows downward: the mark goes below its end.
    APosition.ArrowFrom.Y += Distance;
    Length = -Length - APosition.Height;
  } else {
    APosition.ArrowFrom.Y -= Distance;
  }
  const int Half = GetBarSize() / 2;
  APosition.LeftTop.X += Half;
  APosition.ArrowTo.X += Half;
  APosition.ArrowFrom.X += Half;
  APosition.LeftTop.Y -= Length;
  APosition.ArrowTo.Y -= Length;
  if (GetAutoMarkPosition()) GetMarks().AntiOverlap(GetFirstValueIndex(), ValueIndex, APosition);
  TCustomBarSeries::DrawMark(ValueIndex, St, APosition);
}

// -- hit test

bool TBarSeries::InternalClicked(int ValueIndex, const TPoint& P) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  const int X = CalcXPos(ValueIndex);
  const int Size = GetBarSize();
  const bool D3 = Is3D();
  if (!D3 && (P.X < X || P.X > X + Size)) return false;
  int Y = CalcYPos(ValueIndex);
  int Origin = GetOriginPos(ValueIndex);
  if (Y > Origin) std::swap(Y, Origin);
  const TCanvas3D& C = Chart->GetPanelCanvas();
  auto Triangle3D = [&](int Base, int Apex) {
    return PointInTriangle(P, C.Calculate3DPosition(X, Base, GetStartZ()),
                           C.Calculate3DPosition(X + Size, Base, GetStartZ()),
                           C.Calculate3DPosition(X + Size / 2, Apex, GetMiddleZ()));
  };
  switch (GetBarStyle()) {
    case bsPyramid:
    case bsCone: return D3 ? Triangle3D(Origin, Y) : PointInTriangle(P, X, X + Size, Y, Origin);
    case bsInvPyramid:
    case bsInvCone: return D3 ? Triangle3D(Y, Origin) : PointInTriangle(P, X, X + Size, Origin, Y);
    default: break;
  }
  TPoint Q = P;
  if (D3) {
    C.Calculate2DPosition(Q.X, Q.Y, GetStartZ());
    if (Q.X < X || Q.X > X + Size) return false;
  }
  if (GetBarStyle() == bsEllipse) return PointInEllipse(Q, X, Y, X + Size, Origin);
  return Q.Y >= Y && Q.Y <= Origin;
}
