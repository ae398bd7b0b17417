#include "chart/series/THorizBarSeries.h"

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
#include <utility>
#include <vector>

THorizBarSeries::THorizBarSeries(TComponent* AOwner) : TCustomBarSeries(AOwner) {
  SetHorizontal();
  GetXValues().SetOrder(loNone);
  GetYValues().SetOrder(loAscending);
  GetXValues().SetName(Korconst::KorMsg_ValuesBar);
  GetGradient().SetDirection(gdLeftRight);
}

const TPropertyList& THorizBarSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = THorizBarSeries;
  static const TPropertyList List(
      TCustomBarSeries::Properties(),
      {PP::Integer<C>(QStringLiteral("CustomBarHeight"), &C::GetCustomBarHeight,
                      &C::SetCustomBarHeight, 0)});
  return List;
}

bool THorizBarSeries::IsOfBarClass(const TChartSeries* Other) const {
  return dynamic_cast<const THorizBarSeries*>(Other) != nullptr;
}

// -- positions

int THorizBarSeries::CalcXPos(int ValueIndex) const {
  return ValuePosition(ValueIndex, TCustomBarSeries::CalcXPos(ValueIndex));
}

int THorizBarSeries::CalcYPos(int ValueIndex) const {
  const int Half = GetBarSize() / 2;
  int Pos = 0;
  switch (GetMultiBar()) {
    case mbSideAll: Pos = CalcYPosValue(ValueIndex + GetPreviousCount()) - Half; break;
    case mbSelfStack: Pos = CalcYPosValue(MinYValue()) - Half; break;
    case mbNone: Pos = TCustomBarSeries::CalcYPos(ValueIndex) - Half; break;
    default:
      Pos = TCustomBarSeries::CalcYPos(ValueIndex) +
            Round((GetNumBars() * 0.5 - (GetNumBars() - GetOrderPosition() + 1)) * GetBarSize());
      break;
  }
  return ApplyBarOffset(Pos);
}

int THorizBarSeries::GetOriginPos(int ValueIndex) const {
  const TChartAxis* Axis = GetHorizAxisObject();
  return InternalGetOriginPos(ValueIndex, Axis != nullptr ? Axis->GetIStartPos() : 0);
}

double THorizBarSeries::MaxXValue() const {
  return MaxMandatoryValue(TCustomBarSeries::MaxXValue());
}

double THorizBarSeries::MinXValue() const {
  return MinMandatoryValue(TCustomBarSeries::MinXValue());
}

double THorizBarSeries::MaxYValue() const {
  if (GetMultiBar() == mbSideAll) return Count() + GetPreviousCount() - 1;
  if (GetMultiBar() == mbSelfStack && GetParentChart() != nullptr)
    return GetParentChart()->IndexOfSeries(this);
  return TCustomBarSeries::MaxYValue();
}

double THorizBarSeries::MinYValue() const {
  if (GetMultiBar() == mbSelfStack && GetParentChart() != nullptr)
    return GetParentChart()->IndexOfSeries(this);
  return TCustomBarSeries::MinYValue();
}

void THorizBarSeries::CalcHorizMargins(int& LeftMargin, int& RightMargin) {
  TCustomBarSeries::CalcHorizMargins(LeftMargin, RightMargin);
  int Length = CalcMarkLength(-1);
  if (Length > 0) ++Length;
  const bool Inverted = GetHorizAxisObject() != nullptr && GetHorizAxisObject()->GetInverted();
  if (GetUseYOrigin() && MinXValue() < GetYOrigin()) LeftMargin += Length;
  if (!GetUseYOrigin() || MaxXValue() > GetYOrigin())
    (Inverted ? LeftMargin : RightMargin) += Length;
}

void THorizBarSeries::CalcVerticalMargins(int& TopMargin, int& BottomMargin) {
  TCustomBarSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  InternalApplyBarMargin(TopMargin, BottomMargin);
}

TRect THorizBarSeries::CalcBarBounds(int ValueIndex) const {
  TRect B;
  B.Top = CalcYPos(ValueIndex);
  const bool PenVisible = GetBarPen().GetVisible();
  if (GetBarWidthPercent() != 100 || GetCustomBarSize() != 0 || GetMultiBar() == mbSelfStack) {
    B.Bottom = B.Top + GetBarSize() - 1;
  } else {
    // Whole-height bars reach the next category.
    const int P = PenVisible ? GetBarPen().GetWidth() : 0;
    if (GetVertAxisObject() != nullptr && GetVertAxisObject()->GetInverted())
      B.Bottom = ValueIndex < Count() - 1 ? CalcYPos(ValueIndex + 1) : B.Top + GetBarSize() - P;
    else
      B.Bottom = ValueIndex == 0 ? B.Top + GetBarSize() - P : CalcYPos(ValueIndex - 1);
  }
  B.Right = CalcXPos(ValueIndex);
  B.Left = GetOriginPos(ValueIndex);
  if (!PenVisible) {
    if (B.Left < B.Right) {
      ++B.Right;
    } else {
      ++B.Left;
      --B.Right;
    }
    ++B.Bottom;
  }
  return B;
}

// -- drawing

void THorizBarSeries::DrawValue(int ValueIndex) {
  TCustomBarSeries::DrawValue(ValueIndex);
  SetNormalBarColor(GetValueColor(ValueIndex));
  if (GetNormalBarColor() == clNone || GetParentChart() == nullptr) return;
  SetBarBounds(CalcBarBounds(ValueIndex));
  const TRect& B = GetBarBounds();
  const int Start = std::min(B.Left, B.Right);
  const int End = std::max(B.Left, B.Right);
  DrawBlended([&] { DrawBar(ValueIndex, Start, End); });
}

void THorizBarSeries::DrawBar(int ValueIndex, int StartPos, int EndPos) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const TColor Color = GetNormalBarColor();
  SetPenBrushBar(Color);
  const TBarStyle Style = GetBarStyle(ValueIndex);
  const int T = GetBarBounds().Top;
  const int B = GetBarBounds().Bottom;
  const int M = (T + B) / 2;
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
        C.Cube(StartPos, EndPos, T, B, Z0, Z1, GetDark3D());
      else
        BarRectangle(Color, StartPos, T, EndPos, B);
      break;
    case bsCilinder:
      if (D3)
        C.Cylinder(false, StartPos, T, EndPos, B, Z0, Z1, GetDark3D());
      else
        BarRectangle(Color, StartPos, T, EndPos, B);
      break;
    case bsPyramid:
    case bsCone:
      if (!D3)
        Polygon({TPoint(StartPos, T), TPoint(EndPos, M), TPoint(StartPos, B)});
      else if (Style == bsPyramid)
        C.Pyramid(false, StartPos, T, EndPos, B, Z0, Z1, GetDark3D());
      else
        C.Cone(false, StartPos, T, EndPos, B, Z0, Z1, GetDark3D(), GetConePercent());
      break;
    case bsInvPyramid:
    case bsInvCone:
      if (!D3)
        Polygon({TPoint(EndPos, T), TPoint(StartPos, M), TPoint(EndPos, B)});
      else if (Style == bsInvPyramid)
        C.Pyramid(false, EndPos, T, StartPos, B, Z0, Z1, GetDark3D());
      else
        C.Cone(false, EndPos, T, StartPos, B, Z0, Z1, GetDark3D(), GetConePercent());
      break;
    case bsEllipse:
      if (D3)
        C.EllipseWithZ(StartPos, T, EndPos, B, ZM);
      else
        C.Ellipse(StartPos, T, EndPos, B);
      break;
    case bsArrow:
    case bsInvArrow: {
      const TPoint Base(Style == bsArrow ? StartPos : EndPos, M);
      const TPoint Tip(Style == bsArrow ? EndPos : StartPos, M);
      C.Arrow(true, Base, Tip, B - T, (B - T) / 2, D3 ? ZM : 0);
      break;
    }
    case bsSlantCube:
      if (D3) {
        const int Sides = KorNumCylinderSides;
        KorNumCylinderSides = 4;
        C.Cylinder(false, StartPos, T, EndPos, B, Z0, Z1, GetDark3D());
        KorNumCylinderSides = Sides;
      } else {
        BarRectangle(Color, StartPos, T, EndPos, B);
        C.MoveTo(StartPos, M);
        C.LineTo(EndPos, M);
      }
      break;
    case bsDiamond:
      Polygon({TPoint(StartPos, M), TPoint(Middle, T), TPoint(EndPos, M), TPoint(Middle, B)});
      break;
  }
  if (Style == bsRectGradient) BarGradient(ValueIndex, TRect(StartPos, T, EndPos, B));
  if (Style == bsBevel) DrawBevel();
  DrawTickLines(StartPos, EndPos, Style);
}

void THorizBarSeries::DrawTickLine(int Pos, TBarStyle AStyle) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const TRect& B = GetBarBounds();
  if (AStyle == bsArrow) {
    const int H = B.Bottom - B.Top;
    C.VertLine3D(Pos, B.Top + H / 4, B.Bottom - H / 4, GetMiddleZ());
    return;
  }
  if (AStyle != bsRectangle && AStyle != bsRectGradient && AStyle != bsBevel) return;
  C.VertLine3D(Pos, B.Top, B.Bottom, GetStartZ());
  if (!Is3D()) return;
  // Along the top or bottom face, whichever the view shows.
  auto Shows = [&](int Y, bool Top) {
    const int Near = C.Calculate3DPosition(Pos, Y, GetStartZ()).Y;
    const int Far = C.Calculate3DPosition(Pos, Y, GetEndZ()).Y;
    return Top ? Far < Near : Far > Near;
  };
  if (Shows(B.Top, true))
    C.ZLine3D(Pos, B.Top, GetStartZ(), GetEndZ());
  else if (Shows(B.Bottom, false))
    C.ZLine3D(Pos, B.Bottom, GetStartZ(), GetEndZ());
}

bool THorizBarSeries::DrawSeriesForward(int ValueIndex) const {
  const bool Inverted = GetHorizAxisObject() != nullptr && GetHorizAxisObject()->GetInverted();
  switch (GetMultiBar()) {
    case mbNone: return TCustomBarSeries::DrawSeriesForward(ValueIndex);
    case mbSide:
    case mbSideAll: return false;
    case mbStacked:
    case mbSelfStack: {
      const bool Right = GetMandatory().GetValue(ValueIndex) >= 0;
      return Inverted ? !Right : Right;
    }
    case mbStacked100: return !Inverted;
  }
  return false;
}

// -- marks

int THorizBarSeries::InternalCalcMarkLength(int ValueIndex) {
  if (ValueIndex == -1) return MaxMarkWidth();
  return GetMarks().TextWidth(ValueIndex);
}

void THorizBarSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  const TMarksCallout* Callout = GetMarks().ExistingCallout();
  const int Distance = Callout != nullptr ? Callout->GetDistance() : 0;
  int Length = GetMarks().GetArrowLength() + Distance;
  const bool Left = APosition.ArrowFrom.X < GetOriginPos(ValueIndex);
  // A bar that grows to the left gets its mark on the left.
  if (Left) Length = -Length - APosition.Width;
  const int Half = GetBarSize() / 2;
  APosition.LeftTop.X += Length + APosition.Width / 2;
  APosition.LeftTop.Y += Half + APosition.Height / 2;
  APosition.ArrowTo.X += Length;
  APosition.ArrowTo.Y += Half;
  APosition.ArrowFrom.Y += Half;
  APosition.ArrowFrom.X += Left ? -Distance : Distance;
  TCustomBarSeries::DrawMark(ValueIndex, St, APosition);
}

// -- hit test

bool THorizBarSeries::InternalClicked(int ValueIndex, const TPoint& P) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  const int Y = CalcYPos(ValueIndex);
  const int Size = GetBarSize();
  const bool D3 = Is3D();
  if (!D3 && (P.Y < Y || P.Y > Y + Size)) return false;
  int X = CalcXPos(ValueIndex);
  int Origin = GetOriginPos(ValueIndex);
  if (X < Origin) std::swap(X, Origin);  // X the larger: apexes point right
  const TCanvas3D& C = Chart->GetPanelCanvas();
  auto Triangle3D = [&](int Base, int Apex) {
    return PointInTriangle(P, C.Calculate3DPosition(Base, Y, GetStartZ()),
                           C.Calculate3DPosition(Base, Y + Size, GetStartZ()),
                           C.Calculate3DPosition(Apex, Y + Size / 2, GetMiddleZ()));
  };
  switch (GetBarStyle()) {
    case bsPyramid:
    case bsCone:
      return D3 ? Triangle3D(Origin, X) : PointInHorizTriangle(P, Y, Y + Size, X, Origin);
    case bsInvPyramid:
    case bsInvCone:
      return D3 ? Triangle3D(X, Origin) : PointInHorizTriangle(P, Y, Y + Size, Origin, X);
    default: break;
  }
  TPoint Q = P;
  if (D3) {
    C.Calculate2DPosition(Q.X, Q.Y, GetStartZ());
    if (Q.Y < Y || Q.Y > Y + Size) return false;
  }
  if (GetBarStyle() == bsEllipse) return PointInEllipse(Q, Origin, Y, X, Y + Size);
  return Q.X >= Origin && Q.X <= X;
}
