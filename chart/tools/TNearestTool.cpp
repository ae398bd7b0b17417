#include "chart/tools/TNearestTool.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"

#include "platform/Rounding.h"
#include "platform/TBrush.h"
#include "platform/TColor.h"

#include <algorithm>
#include <cmath>

namespace {

// The list of Z values of a series that has one, else nullptr.
const TChartValueList* ZValues(const TChartSeries& Series) {
  const TChartValueList& List = Series.GetYValueList(QStringLiteral("Z"));
  return &List == &Series.GetYValues() ? nullptr : &List;
}

// Right and bottom edges count: a point at an axis maximum lies on them.
bool InsideInclusive(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

// The colour that, drawn with the not-xor mode, shows as Color over the
// chart's background Back and as an inversion elsewhere. The markers for
// "inherit" and "no colour" are not colours, so they become Fallback first,
// and system colours are resolved.
TColor NotXorColor(TColor Color, TColor Back, TColor Fallback) {
  return InvertibleColor(Color, Fallback) ^ (0xFFFFFF ^ Back);
}

}  // namespace

TNearestTool::TNearestTool(TComponent* AOwner)
    : TKorCustomToolSeries(AOwner),
      FLinePen(std::make_unique<TChartPen>([this](TPersistent* S) { CanvasChanged(S); })) {
  GetBrush().SetStyle(bsClear);
  GetPen().SetStyle(psDot);
  GetPen().SetColor(clWhite);
}

TNearestTool::~TNearestTool() = default;

const TPropertyList& TNearestTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TNearestTool;
  static const TPropertyList List(
      TKorCustomToolSeries::Properties(),
      {
          PP::Object<C, TChartPen>(QStringLiteral("LinePen"), &C::LinePenObject),
          PP::Boolean<C>(QStringLiteral("DrawLine"), &C::GetDrawLine, &C::SetDrawLine, true),
          PP::Boolean<C>(QStringLiteral("FullRepaint"), &C::GetFullRepaint, &C::SetFullRepaint,
                         true),
          PP::Integer<C>(QStringLiteral("Size"), &C::GetSize, &C::SetSize, 20),
          PP::Enum<C, TNearestToolStyle>(
              QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
              {QStringLiteral("hsNone"), QStringLiteral("hsCircle"), QStringLiteral("hsRectangle"),
               QStringLiteral("hsDiamond")},
              hsCircle),
      });
  return List;
}

QString TNearestTool::Description() const {
  return Korproco::KorMsg_NearestTool;
}

void TNearestTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TNearestTool*>(&Source); Other != nullptr) {
    FLinePen->Assign(*Other->FLinePen);
    FFullRepaint = Other->FFullRepaint;
    FSize = Other->FSize;
    FStyle = Other->FStyle;
  }
  TKorCustomToolSeries::Assign(Source);
}

void TNearestTool::SetLinePen(const TChartPen& Value) {
  FLinePen->Assign(Value);
}

bool TNearestTool::GetDrawLine() const {
  return FLinePen->GetVisible();
}

void TNearestTool::SetDrawLine(bool Value) {
  FLinePen->SetVisible(Value);
}

void TNearestTool::SetStyle(TNearestToolStyle Value) {
  if (SetIfChanged(FStyle, Value)) Repaint();
}

int TNearestTool::GetNearestPoint(const TChartSeries* Series, int X, int Y, bool IncludeNulls) {
  if (Series == nullptr || Series->Count() == 0) return -1;
  const TCustomAxisPanel* Chart = Series->GetParentChart();
  if (Chart == nullptr) return -1;
  const TChartValueList* Zs = ZValues(*Series);
  const TChartAxis* Depth = Chart->GetDepthAxis();
  const TRect& R = Chart->GetPlotRect();
  const int First = std::max(0, Series->GetFirstValueIndex());
  const int Last = std::min(Series->Count() - 1, Series->GetLastValueIndex());
  int Best = -1;
  int BestDistance = 10000;
  for (int I = First; I <= Last; ++I) {
    if (!IncludeNulls && Series->IsNull(I)) continue;
    TPoint P(Series->CalcXPos(I), Series->CalcYPos(I));
    if (Zs != nullptr && Depth != nullptr)
      P = Chart->GetPanelCanvas().Calculate3DPosition(P, Depth->CalcPosValue((*Zs)[I]));
    if (!InsideInclusive(R, P)) continue;
    const int Distance = Round(std::hypot(double(X - P.X), double(Y - P.Y)));
    if (Distance < BestDistance) {
      Best = I;
      BestDistance = Distance;
    }
  }
  return Best;
}

int TNearestTool::PointZ() const {
  const TChartSeries* S = GetSeries();
  const TChartValueList* Zs = ZValues(*S);
  const TChartAxis* Depth = GetParentChart()->GetDepthAxis();
  if (Zs != nullptr && Depth != nullptr) return Depth->CalcPosValue((*Zs)[FPoint]);
  return S->GetStartZ();
}

void TNearestTool::PaintHint() {
  TCustomAxisPanel* Chart = GetParentChart();
  const TChartSeries* S = GetSeries();
  if (Chart == nullptr || S == nullptr || FPoint < 0 || FPoint >= S->Count()) return;
  const bool Inverting = !FFullRepaint;
  // Between frames this is the window's buffer, and asking for it
  // schedules the copy to the screen.
  Chart->GetCanvas();
  TCanvas3D& C = Chart->GetPanelCanvas();
  const TColor Back = InvertibleColor(Chart->GetColor(), clBtnFace);
  const auto Prepare = [&](const TChartPen& Pen) {
    if (Inverting) {
      C.AssignVisiblePenColor(Pen, NotXorColor(Pen.GetColor(), Back, clBlack));
      C.GetPen().SetMode(pmNotXor);
    } else {
      C.AssignVisiblePen(Pen);
    }
  };
  Prepare(GetPen());
  const TChartBrush& Brush = GetBrush();
  C.AssignBrush(Brush, Inverting ? NotXorColor(Brush.GetColor(), Back, clWhite) : Brush.GetColor());
  if (Brush.GetStyle() == bsClear) C.SetBackMode(cbmTransparent);
  const int X = S->CalcXPos(FPoint);
  const int Y = S->CalcYPos(FPoint);
  const int Z = PointZ();
  const bool Is3D = Chart->GetView3D();
  const TRect Box(X - FSize, Y - FSize, X + FSize, Y + FSize);
  switch (FStyle) {
    case hsNone: break;
    case hsCircle:
      if (Is3D)
        C.EllipseWithZ(Box.Left, Box.Top, Box.Right, Box.Bottom, Z);
      else
        C.Ellipse(Box);
      break;
    case hsRectangle:
      if (Is3D)
        C.RectangleWithZ(Box, Z);
      else
        C.Rectangle(Box);
      break;
    case hsDiamond: {
      const TPoint Diamond[4] = {{X, Box.Top}, {Box.Right, Y}, {X, Box.Bottom}, {Box.Left, Y}};
      C.PolygonWithZ(Diamond, 3, Z);
      break;
    }
  }
  if (GetDrawLine()) {
    Prepare(*FLinePen);
    C.MoveTo(FMouse.X, FMouse.Y);
    if (Is3D)
      C.LineTo3D(X, Y, Z);
    else
      C.LineTo(X, Y);
  }
  if (Inverting) C.GetPen().SetMode(pmCopy);
}

void TNearestTool::ChartEvent(TChartToolEvent Event) {
  TKorCustomToolSeries::ChartEvent(Event);
  if (Event == cteAfterDraw) {
    PaintHint();
  } else if (Event == cteMouseLeave) {
    if (!FFullRepaint) PaintHint();  // erases it
    FPoint = -1;
    if (FFullRepaint) Repaint();
  }
}

void TNearestTool::ChartMouseEvent(TChartMouseEvent Event, TMouseButton, TShiftState, int X,
                                   int Y) {
  if (Event == cmeMove) MouseMoved(X, Y);
}

void TNearestTool::MouseMoved(int X, int Y) {
  if (GetSeries() == nullptr) return;
  if (!FFullRepaint) PaintHint();  // erases the old marker
  FPoint = GetNearestPoint(GetSeries(), X, Y);
  FMouse = TPoint(X, Y);
  if (!FFullRepaint) PaintHint();
  if (OnChange) OnChange(this);
  if (FFullRepaint) Repaint();
}
