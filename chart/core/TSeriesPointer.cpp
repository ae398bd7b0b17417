#include "chart/core/TSeriesPointer.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorGradient.h"

#include <algorithm>
#include <iterator>

namespace {

TCustomKorPanel* ChartOf(const TChartSeries* Series) {
  return Series != nullptr ? Series->GetParentChart() : nullptr;
}

void CheckPointerSize(int Value) {
  if (Value <= 0) throw ChartException(Korconst::KorMsg_CheckPointerSize);
}

}  // namespace

TSeriesPointer::TSeriesPointer(TChartSeries* ASeries)
    : TKorCustomShapeBrushPen(ChartOf(ASeries)),
      FSeries(ASeries),
      FGradient(std::make_unique<TKorGradient>([this](TPersistent*) { Repaint(); })) {}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TSeriesPointer*>(&Source);
  if (Other != nullptr && Other != this) {
    SetStyle(Other->FStyle);
    // The source's sizes were accepted there (or set by series code), so
    // they are copied without the setters' check.
    SetShapeField(FHorizSize, Other->FHorizSize);
    SetShapeField(FVertSize, Other->FVertSize);
    SetDark3D(Other->FDark3D);
    SetDraw3D(Other->FDraw3D);
    SetInflateMargins(Other->FInflateMargins);
    SetTransparency(Other->FTransparency);
    FGradient->Assign(*Other->FGradient);
  }
  TKorCustomShapeBrushPen::Assign(Source);
}

const TPropertyList& TSeriesPointer::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesPointer;
  static const TPropertyList List = [this] {
    const TPropertyList& Base = TKorCustomShapeBrushPen::Properties();
    // A pointer calls its outline pen "Pen".
    TPublishedProperty Pen = *Base.Find(QStringLiteral("Frame"));
    Pen.Name = QStringLiteral("Pen");
    return TPropertyList{
        *Base.Find(QStringLiteral("Brush")),
        Pen,
        *Base.Find(QStringLiteral("Visible")),
        PP::Enum<C, TSeriesPointerStyle>(
            QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
            {"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross",
             "psStar", "psDiamond", "psSmallDot", "psNothing", "psLeftTriangle", "psRightTriangle"},
            psRectangle),
        PP::Integer<C>(QStringLiteral("HorizSize"), &C::GetHorizSize, &C::SetHorizSize, 4),
        PP::Integer<C>(QStringLiteral("VertSize"), &C::GetVertSize, &C::SetVertSize, 4),
        PP::Boolean<C>(QStringLiteral("Dark3D"), &C::GetDark3D, &C::SetDark3D, true),
        PP::Boolean<C>(QStringLiteral("Draw3D"), &C::GetDraw3D, &C::SetDraw3D, true),
        PP::Boolean<C>(QStringLiteral("InflateMargins"), &C::GetInflateMargins,
                       &C::SetInflateMargins, true),
        PP::Integer<C>(QStringLiteral("Transparency"), &C::GetTransparency, &C::SetTransparency, 0),
        PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject),
    };
  }();
  return List;
}

void TSeriesPointer::SetHorizSize(int Value) {
  CheckPointerSize(Value);
  SetShapeField(FHorizSize, Value);
}

void TSeriesPointer::SetVertSize(int Value) {
  CheckPointerSize(Value);
  SetShapeField(FVertSize, Value);
}

int TSeriesPointer::GetSize() const {
  return std::max(FHorizSize, FVertSize);
}

void TSeriesPointer::SetSize(int Value) {
  SetHorizSize(Value);
  SetVertSize(Value);
}

void TSeriesPointer::SetTransparency(int Value) {
  SetShapeField(FTransparency, std::clamp(Value, 0, 100));
}

void TSeriesPointer::SetGradient(const TKorGradient& Value) {
  FGradient->Assign(Value);
}

TColor TSeriesPointer::GetColor() const {
  return GetBrush().GetColor();
}

void TSeriesPointer::SetColor(TColor Value) {
  GetBrush().SetColor(Value);
}

int TSeriesPointer::GetStartZ() const {
  return FSeries != nullptr ? FSeries->GetStartZ() : 0;
}

int TSeriesPointer::GetMiddleZ() const {
  return FSeries != nullptr ? FSeries->GetMiddleZ() : 0;
}

int TSeriesPointer::GetEndZ() const {
  return FSeries != nullptr ? FSeries->GetEndZ() : 0;
}

void TSeriesPointer::CalcHorizMargins(int& LeftMargin, int& RightMargin) const {
  if (!GetVisible() || !FInflateMargins) return;
  LeftMargin = std::max(LeftMargin, FHorizSize + 1);
  RightMargin = std::max(RightMargin, FHorizSize + 1);
}

void TSeriesPointer::CalcVerticalMargins(int& TopMargin, int& BottomMargin) const {
  if (!GetVisible() || !FInflateMargins) return;
  TopMargin = std::max(TopMargin, FVertSize + 1);
  BottomMargin = std::max(BottomMargin, FVertSize + 1);
}

// -- drawing

void TSeriesPointer::PrepareCanvas(TCanvas3D& ACanvas, TColor AColor) const {
  const TChartPen& Pen = GetPen();
  ACanvas.AssignVisiblePenColor(Pen, Pen.GetColor() == clDefault ? AColor : Pen.GetColor());
  const TChartBrush& Brush = GetBrush();
  TColor BrushColor = Brush.GetColor();
  if (BrushColor == clDefault) BrushColor = Brush.GetStyle() == bsSolid ? AColor : clBlack;
  ACanvas.AssignBrushColor(Brush, BrushColor, AColor);
}

void TSeriesPointer::Prepare() const {
  if (GetParent() != nullptr) PrepareCanvas(GetParent()->GetPanelCanvas(), GetColor());
}

void TSeriesPointer::Draw(int X, int Y) {
  Draw(X, Y, GetColor(), FStyle);
}

void TSeriesPointer::Draw(int X, int Y, TColor AColor, TSeriesPointerStyle AStyle) {
  TCustomKorPanel* Panel = GetParent();
  if (Panel == nullptr) return;
  DrawPointer(Panel->GetPanelCanvas(), Panel->GetView3D(), X, Y, FHorizSize, FVertSize, AColor,
              AStyle);
}

void TSeriesPointer::DrawPointer(TCanvas3D& C, bool Is3D, int PX, int PY, int HorizHalf,
                                 int VertHalf, TColor AColor, TSeriesPointerStyle AStyle) {
  std::unique_ptr<TKorBlend> Blend;
  if (FTransparency > 0) {
    const TRect Box(PX - HorizHalf, PY - VertHalf, PX + HorizHalf + 1, PY + VertHalf + 1);
    TRect Area = Box;
    if (Is3D) {
      Area = C.CalcRect3D(Box, GetStartZ());
      // A solid cube also shows its top and side, up to its back face.
      if (C.GetIsOrthogonal() && AStyle == psRectangle && FDraw3D)
        UnionRect(Area, Area, C.CalcRect3D(Box, GetEndZ()));
    }
    Blend = C.BeginBlending(Area, FTransparency);
  }
  DrawShape(C, Is3D, PX, PY, HorizHalf, VertHalf, AStyle);
  if (FGradient->GetVisible()) DrawGradient(C, Is3D, PX, PY, HorizHalf, VertHalf, AColor, AStyle);
  if (Blend) C.EndBlending(std::move(Blend));
}

void TSeriesPointer::DrawShape(TCanvas3D& C, bool Is3D, int PX, int PY, int H, int V,
                               TSeriesPointerStyle AStyle) {
  const int Left = PX - H;
  const int Right = PX + H;
  const int Top = PY - V;
  const int Bottom = PY + V;
  const int Z0 = GetStartZ();
  auto Line = [&C, Is3D, Z0](int X0, int Y0, int X1, int Y1) {
    if (Is3D)
      C.LineWithZ(X0, Y0, X1, Y1, Z0);
    else
      C.Line(X0, Y0, X1, Y1);
  };
  auto Polygon = [&C, Is3D, Z0](const auto& Points) {
    const int High = static_cast<int>(std::size(Points)) - 1;
    if (Is3D)
      C.PolygonWithZ(Points, High, Z0);
    else
      C.Polygon(Points, High);
  };
  auto Cross = [&] {
    Line(PX, Top, PX, Bottom + 1);
    Line(Left, PY, Right + 1, PY);
  };
  auto DiagCross = [&] {
    Line(Left, Top, Right + 1, Bottom + 1);
    Line(Right, Top, Left - 1, Bottom + 1);
  };
  switch (AStyle) {
    case psRectangle:
      if (!Is3D)
        C.Rectangle(Left, Top, Right + 1, Bottom + 1);
      else if (FDraw3D)
        C.Cube(Left, Right, Top, Bottom, Z0, GetEndZ(), FDark3D);
      else
        C.RectangleWithZ(TRect(Left, Top, Right, Bottom), Z0);
      break;
    case psCircle:
      if (!Is3D)
        C.Ellipse(Left, Top, Right, Bottom);
      else if (FDraw3D && C.GetSupportsFullRotation())
        C.Sphere(PX, PY, GetMiddleZ(), H);
      else
        C.EllipseWithZ(Left, Top, Right, Bottom, Z0);
      break;
    case psTriangle:
    case psDownTriangle: {
      // A down triangle is the up one with its vertical size negated.
      const int Tip = AStyle == psTriangle ? V : -V;
      if (Is3D && FDraw3D) {
        C.Pyramid(true, Left, PY - Tip, Right, PY + Tip, Z0, GetEndZ(), FDark3D);
      } else {
        const TPoint Points[3] = {{Left, PY + Tip}, {Right, PY + Tip}, {PX, PY - Tip}};
        Polygon(Points);
      }
      break;
    }
    case psCross: Cross(); break;
    case psDiagCross: DiagCross(); break;
    case psStar:
      Cross();
      DiagCross();
      break;
    case psDiamond: {
      const TPoint Points[4] = {{Left, PY}, {PX, Top}, {Right, PY}, {PX, Bottom}};
      Polygon(Points);
      break;
    }
    case psSmallDot:
      if (Is3D)
        C.SetPixel3D(PX, PY, GetMiddleZ(), C.GetBrush().GetColor());
      else
        C.SetPixel(PX, PY, C.GetBrush().GetColor());
      break;
    case psNothing: break;
    case psLeftTriangle: {
      const TPoint Points[3] = {{Left, PY}, {Right, Bottom}, {Right, Top}};
      Polygon(Points);
      break;
    }
    case psRightTriangle: {
      const TPoint Points[3] = {{Right, PY}, {Left, Bottom}, {Left, Top}};
      Polygon(Points);
      break;
    }
  }
}

void TSeriesPointer::FollowPointColor(TColor AColor) {
  auto* Chart = dynamic_cast<TCustomAxisPanel*>(GetParent());
  const bool OldAutoRepaint = Chart != nullptr && Chart->GetAutoRepaint();
  if (Chart != nullptr) Chart->SetAutoRepaint(false);
  FGradient->SetEndColor(AColor);
  if (Chart != nullptr) Chart->SetAutoRepaint(OldAutoRepaint);
}

void TSeriesPointer::DrawGradient(TCanvas3D& C, bool Is3D, int PX, int PY, int H, int V,
                                  TColor AColor, TSeriesPointerStyle AStyle) {
  if (!FKeepGradientColors) FollowPointColor(AColor);
  const int Z0 = GetStartZ();
  const int PenWidth = GetPen().GetVisible() ? GetPen().GetWidth() : 0;
  TRect R(PX - H + PenWidth, PY - V + PenWidth, PX + H, PY + V);
  if (Is3D && !C.GetIsOrthogonal() && AStyle == psRectangle) {
    R.Right -= PenWidth;
    R.Bottom -= PenWidth;
    FGradient->Draw(C, C.FourPointsFromRect(R, Z0));
    return;
  }
  if (Is3D) R = C.CalcRect3D(R, Z0);
  // Triangles clip to their outline (projected in 3D) and fill its bounds.
  auto ClipTriangle = [&](TPoint A, TPoint B, TPoint Tip) {
    TPoint Points[3] = {A, B, Tip};
    if (Is3D)
      for (TPoint& P : Points) P = C.Calculate3DPosition(P, Z0);
    C.ClipPolygon(Points, 3);
    R = RectFromPolygon(Points, 3);
  };
  const int Left = PX - H;
  const int Right = PX + H;
  switch (AStyle) {
    case psRectangle: C.ClipRectangle(R); break;
    case psCircle: C.ClipEllipse(R); break;
    case psTriangle:
    case psDownTriangle: {
      // A solid pyramid takes no flat gradient.
      if (Is3D && FDraw3D) return;
      const int Tip = AStyle == psTriangle ? V : -V;
      ClipTriangle({Left, PY + Tip}, {Right, PY + Tip}, {PX, PY - Tip});
      break;
    }
    case psLeftTriangle: ClipTriangle({Right, PY + V}, {Right, PY - V}, {Left, PY}); break;
    case psRightTriangle: ClipTriangle({Left, PY + V}, {Left, PY - V}, {Right, PY}); break;
    case psDiamond: {
      const TFourPoints Points{TPoint(Left, PY), TPoint(PX, PY - V), TPoint(Right, PY),
                               TPoint(PX, PY + V)};
      if (Is3D)
        FGradient->Draw(C, Points, Z0);
      else
        FGradient->Draw(static_cast<TKorCanvas&>(C), Points);
      return;
    }
    default: return;
  }
  FGradient->Draw(C, R);
  C.UnClipRectangle();
}
