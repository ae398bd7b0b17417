#include "chart/series/TChartShape.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorGradient.h"

#include "platform/Rounding.h"
#include "platform/ScopeGuard.h"
#include "platform/TCanvas.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace {

// The corners a shape starts with and falls back to.
constexpr double DefaultCorner[2][2] = {{0, 0}, {100, 100}};

// Corner size of round rectangles, pixels.
constexpr int RoundSize = 12;

}  // namespace

TChartShape::TChartShape(TComponent* AOwner)
    : TChartSeries(AOwner),
      FFont(std::make_unique<TKorFont>([this](TPersistent* S) { CanvasChanged(S); })),
      FGradient(std::make_unique<TKorGradient>([this](TPersistent* S) { CanvasChanged(S); })) {
  // The corners keep their places: point 0 is always (X0, Y0).
  GetXValues().SetOrder(loNone);
  GetBrush().SetColor(clWhite);
  // Also when the brush was white already and so did not tell.
  TChartSeries::SetSeriesColor(clWhite);
  AddDefaultCorners();
}

TChartShape::~TChartShape() = default;

const TPropertyList& TChartShape::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartShape;
  static const TPropertyList List(
      TChartSeries::Properties(),
      {
          PP::Enum<C, TChartShapeStyle>(
              QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
              {"chasRectangle", "chasCircle", "chasVertLine", "chasHorizLine", "chasTriangle",
               "chasInvertTriangle", "chasLine", "chasDiamond", "chasCube", "chasCross",
               "chasDiagCross", "chasStar", "chasPyramid", "chasInvertPyramid"},
              chasCircle),
          PP::Enum<C, TChartShapeXYStyle>(QStringLiteral("XYStyle"), &C::GetXYStyle, &C::SetXYStyle,
                                          {"xysPixels", "xysAxis", "xysAxisOrigin"}, xysAxis),
          PP::Double<C>(QStringLiteral("X0"), &C::GetX0, &C::SetX0, DefaultCorner[0][0]),
          PP::Double<C>(QStringLiteral("Y0"), &C::GetY0, &C::SetY0, DefaultCorner[0][1]),
          PP::Double<C>(QStringLiteral("X1"), &C::GetX1, &C::SetX1, DefaultCorner[1][0]),
          PP::Double<C>(QStringLiteral("Y1"), &C::GetY1, &C::SetY1, DefaultCorner[1][1]),
          PP::Enum<C, TAlignment>(QStringLiteral("Alignment"), &C::GetAlignment, &C::SetAlignment,
                                  {"taLeftJustify", "taRightJustify", "taCenter"}, taCenter),
          PP::Enum<C, TKorVertAlign>(QStringLiteral("VertAlign"), &C::GetVertAlign,
                                     &C::SetVertAlign, {"vaTop", "vaCenter", "vaBottom"}, vaCenter),
          PP::Strings<C>(QStringLiteral("Text"), &C::GetText, &C::SetText),
          PP::Object<C, TKorFont>(QStringLiteral("Font"), &C::FontObject),
          // Brush and Pen are the element's, published by the base.
          PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject),
          PP::Boolean<C>(QStringLiteral("RoundRectangle"), &C::GetRoundRectangle,
                         &C::SetRoundRectangle, false),
          PP::Boolean<C>(QStringLiteral("Transparent"), &C::GetTransparent, &C::SetTransparent,
                         false),
      });
  return List;
}

void TChartShape::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TChartShape*>(&Source); S != nullptr && S != this) {
    FStyle = S->FStyle;
    FXYStyle = S->FXYStyle;
    FAlignment = S->FAlignment;
    FVertAlign = S->FVertAlign;
    FText = S->FText;
    FFont->Assign(*S->FFont);
    FGradient->Assign(*S->FGradient);
    FRoundRectangle = S->FRoundRectangle;
    FTransparent = S->FTransparent;
  }
  TChartSeries::Assign(Source);
}

// -- properties

void TChartShape::SetStyle(TChartShapeStyle Value) {
  if (SetIfChanged(FStyle, Value)) Repaint();
}

void TChartShape::SetXYStyle(TChartShapeXYStyle Value) {
  if (SetIfChanged(FXYStyle, Value)) Repaint();
}

void TChartShape::SetAlignment(TAlignment Value) {
  if (SetIfChanged(FAlignment, Value)) Repaint();
}

void TChartShape::SetVertAlign(TKorVertAlign Value) {
  if (SetIfChanged(FVertAlign, Value)) Repaint();
}

void TChartShape::SetText(const QStringList& Value) {
  if (SetIfChanged(FText, Value)) Repaint();
}

void TChartShape::SetFont(const TKorFont& Value) {
  FFont->Assign(Value);
}

void TChartShape::SetGradient(const TKorGradient& Value) {
  FGradient->Assign(Value);
}

void TChartShape::SetRoundRectangle(bool Value) {
  SetBooleanProperty(FRoundRectangle, Value);
}

void TChartShape::SetTransparent(bool Value) {
  SetBooleanProperty(FTransparent, Value);
}

// -- corners

double TChartShape::Corner(int Index, bool IsX) const {
  if (!HasCorners()) return DefaultCorner[Index][IsX ? 0 : 1];
  return IsX ? GetXValues().GetValue(Index) : GetYValues().GetValue(Index);
}

void TChartShape::AddDefaultCorners() {
  BeginUpdate();
  {
    TScopeGuard End([this] { EndUpdate(); });
    Clear();
    for (const auto& P : DefaultCorner) AddXY(P[0], P[1]);
  }
}

void TChartShape::SetCorner(int Index, bool IsX, double Value) {
  // Without its two points a shape would write past its lists.
  if (!HasCorners()) AddDefaultCorners();
  TChartValueList& List = IsX ? GetXValues() : GetYValues();
  List.SetValue(Index, Value);
  SetManualData(true);
  Repaint();
}

// -- colour

void TChartShape::SetSeriesColor(TColor AColor) {
  TChartSeries::SetSeriesColor(AColor);
  if (FFollowingBrush) return;
  FFollowingBrush = true;
  TScopeGuard Done([this] { FFollowingBrush = false; });
  GetBrush().SetColor(AColor);
}

void TChartShape::CanvasChanged(TPersistent* Sender) {
  if (Sender == &GetBrush() && !FFollowingBrush) {
    FFollowingBrush = true;
    TScopeGuard Done([this] { FFollowingBrush = false; });
    TChartSeries::SetSeriesColor(GetBrush().GetColor());
  }
  TChartSeries::CanvasChanged(Sender);
}

// -- geometry

TRect TChartShape::GetShapeRectangle() const {
  switch (FXYStyle) {
    case xysPixels: return TRect(Round(GetX0()), Round(GetY0()), Round(GetX1()), Round(GetY1()));
    case xysAxis:
      return TRect(CalcXPosValue(GetX0()), CalcYPosValue(GetY0()), CalcXPosValue(GetX1()),
                   CalcYPosValue(GetY1()));
    case xysAxisOrigin: {
      const int Left = CalcXPosValue(GetX0());
      const int Top = CalcYPosValue(GetY0());
      return TRect(Left, Top, Left + Round(GetX1()), Top + Round(GetY1()));
    }
  }
  return TRect();
}

void TChartShape::SetShapeRectangle(const TRect& Rect) {
  SetXYStyle(xysPixels);
  SetX0(Rect.Left);
  SetY0(Rect.Top);
  SetX1(Rect.Right);
  SetY1(Rect.Bottom);
}

TRect TChartShape::GetAdjustedRectangle() const {
  TRect R = OrientRectangle(GetShapeRectangle());
  if (R.Right == R.Left) ++R.Right;
  if (R.Bottom == R.Top) ++R.Bottom;
  return R;
}

// -- drawing

void TChartShape::CalcZOrder() {
  if (UseAxis()) TChartSeries::CalcZOrder();
}

bool TChartShape::Is3DShape() const {
  return UseAxis() && GetParentChart() != nullptr && GetParentChart()->GetView3D();
}

void TChartShape::DrawValue(int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || ValueIndex != 0 || Count() != 2) return;
  const TRect Adjusted = GetAdjustedRectangle();
  TRect Common;
  if (!IntersectRect(Common, Adjusted, Chart->GetPlotRect())) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  // A line keeps its direction; the other figures fill their box.
  DrawShape(C, Is3DShape(), FStyle == chasLine ? GetShapeRectangle() : Adjusted);
  DrawText(C, Adjusted);
}

void TChartShape::PrepareCanvas(TCanvas3D& C) const {
  C.AssignVisiblePen(GetPen());
  if (FTransparent)
    C.GetBrush().SetStyle(bsClear);
  else
    C.AssignBrush(GetBrush(), GetSeriesColor());
  C.SetBackMode(GetBrush().GetColor() == clNone ? cbmTransparent : cbmOpaque);
}

void TChartShape::DrawShape(TCanvas3D& C, bool Is3D, const TRect& R) {
  PrepareCanvas(C);
  if (Is3D)
    DrawShape3D(C, R);
  else
    DrawShape2D(C, R);
}

void TChartShape::DrawGradient(TCanvas3D& C, bool Is3D, const TRect& R) {
  if (!FGradient->GetVisible() || FTransparent) return;
  const bool Ellipse = FStyle == chasCircle;
  if (Is3D) {
    const int Z = GetMiddleZ();
    if (Ellipse) C.ClipEllipse(C.RectFromRectZ(R, Z));
    // The gradient projects the corners itself.
    const TFourPoints Corners{TPoint(R.Left, R.Top), TPoint(R.Right, R.Top),
                              TPoint(R.Right, R.Bottom), TPoint(R.Left, R.Bottom)};
    FGradient->Draw(C, Corners, Z);
  } else {
    if (Ellipse) C.ClipEllipse(R);
    FGradient->Draw(C, R);
  }
  if (Ellipse) C.UnClipRectangle();
  C.GetBrush().SetStyle(bsClear);
}

void TChartShape::DrawShape2D(TCanvas3D& C, const TRect& R) {
  const int L = R.Left;
  const int T = R.Top;
  const int Ri = R.Right;
  const int B = R.Bottom;
  const int CX = (L + Ri) / 2;
  const int CY = (T + B) / 2;
  auto Cross = [&] {
    C.DoVertLine(CX, T, B + 1);
    C.DoHorizLine(L, Ri + 1, CY);
  };
  auto DiagCross = [&] {
    C.Line(L, T, Ri + 1, B + 1);
    C.Line(L, B, Ri + 1, T - 1);
  };
  auto Triangle = [&](bool Up) {
    const std::array<TPoint, 3> P = Up ? std::array<TPoint, 3>{{{L, B}, {CX, T}, {Ri, B}}}
                                       : std::array<TPoint, 3>{{{L, T}, {CX, B}, {Ri, T}}};
    C.Polygon(P.data(), 2);
  };
  switch (FStyle) {
    case chasRectangle:
      if (FRoundRectangle) {
        C.RoundRect(R, RoundSize, RoundSize);
      } else {
        DrawGradient(C, false, R);
        C.Rectangle(L, T, Ri + 1, B + 1);
      }
      break;
    case chasCircle:
      DrawGradient(C, false, R);
      C.Ellipse(R);
      break;
    case chasVertLine: C.DoVertLine(CX, T, B); break;
    case chasHorizLine: C.DoHorizLine(L, Ri + 1, CY); break;
    case chasTriangle:
    case chasPyramid: Triangle(true); break;
    case chasInvertTriangle:
    case chasInvertPyramid: Triangle(false); break;
    case chasLine: C.Line(L, T, Ri, B); break;
    case chasDiamond: {
      const std::array<TPoint, 4> P{{{L, CY}, {CX, T}, {Ri, CY}, {CX, B}}};
      C.Polygon(P.data(), 3);
      break;
    }
    case chasCube: C.Rectangle(L, T, Ri, B); break;
    case chasCross: Cross(); break;
    case chasDiagCross: DiagCross(); break;
    case chasStar:
      Cross();
      DiagCross();
      break;
  }
}

void TChartShape::DrawShape3D(TCanvas3D& C, const TRect& R) {
  const int L = R.Left;
  const int T = R.Top;
  const int Ri = R.Right;
  const int B = R.Bottom;
  const int CX = (L + Ri) / 2;
  const int CY = (T + B) / 2;
  const int Z = GetMiddleZ();
  const bool Dark = !FTransparent;
  auto Cross = [&] {
    C.VertLine3D(CX, T, B, Z);
    C.HorizLine3D(L, Ri, CY, Z);
  };
  auto DiagCross = [&] {
    C.LineWithZ(L, T, Ri, B, Z);
    C.LineWithZ(L, B, Ri, T, Z);
  };
  switch (FStyle) {
    case chasRectangle:
      DrawGradient(C, true, R);
      C.RectangleWithZ(R, Z);
      break;
    case chasCircle:
      DrawGradient(C, true, R);
      C.EllipseWithZ(L, T, Ri, B, Z);
      break;
    case chasVertLine: C.VertLine3D(CX, T, B, Z); break;
    case chasHorizLine: C.HorizLine3D(L, Ri, CY, Z); break;
    case chasTriangle: C.TriangleWithZ(TPoint(L, B), TPoint(CX, T), TPoint(Ri, B), Z); break;
    case chasInvertTriangle: C.TriangleWithZ(TPoint(L, T), TPoint(CX, B), TPoint(Ri, T), Z); break;
    case chasLine: C.LineWithZ(L, T, Ri, B, Z); break;
    case chasDiamond:
      C.PlaneWithZ(TPoint(L, CY), TPoint(CX, T), TPoint(Ri, CY), TPoint(CX, B), Z);
      break;
    case chasCube: C.Cube(L, Ri, T, B, GetStartZ(), GetEndZ(), Dark); break;
    case chasCross: Cross(); break;
    case chasDiagCross: DiagCross(); break;
    case chasStar:
      Cross();
      DiagCross();
      break;
    case chasPyramid: C.Pyramid(true, L, T, Ri, B, GetStartZ(), GetEndZ(), Dark); break;
    // The apex is the "top" corner, so the bottom edge goes first.
    case chasInvertPyramid: C.Pyramid(true, L, B, Ri, T, GetStartZ(), GetEndZ(), Dark); break;
  }
}

void TChartShape::DrawText(TCanvas3D& C, const TRect& R) {
  if (FText.isEmpty()) return;
  C.AssignFont(*FFont);
  // Text in the fill's own colour would vanish.
  if (GetBrush().GetColor() == FFont->GetColor())
    C.GetFont().SetColor(FFont->GetColor() == clBlack ? clWhite : clBlack);
  const int LineHeight = C.TextHeight(QStringLiteral("W"));
  const int Lines = static_cast<int>(FText.size());
  const int CX = (R.Left + R.Right) / 2;
  const int CY = (R.Top + R.Bottom) / 2;
  int Y = R.Top;
  if (FVertAlign == vaCenter)
    Y = CY - Round(Lines * LineHeight / 2.0);
  else if (FVertAlign == vaBottom)
    Y = R.Bottom - Lines * LineHeight;
  const int PenWidth = GetPen().GetWidth();
  const bool In3D = Is3DShape();
  C.SetTextAlign(TA_LEFT);
  for (const QString& Line : FText) {
    const int Width = C.TextWidth(Line);
    int X = CX - Width / 2;
    if (FAlignment == taLeftJustify)
      X = R.Left + PenWidth + 4;
    else if (FAlignment == taRightJustify)
      X = R.Right - PenWidth - Width - 4;
    if (In3D)
      C.TextOut3D(X, Y, GetStartZ(), Line);
    else
      C.TextOut(X, Y, Line);
    Y += LineHeight;
  }
}

void TChartShape::DrawLegendShape(int, const TRect& Rect) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  DrawShape(Chart->GetPanelCanvas(), false, Rect);
}

// -- hit test

int TChartShape::Clicked(int X, int Y) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || Count() != 2) return -1;
  if (Chart->GetView3D()) Chart->GetPanelCanvas().Calculate2DPosition(X, Y, GetStartZ());
  const TPoint P(X, Y);
  // The figure as drawn: every style but the line fills the oriented box.
  const TRect Given = GetShapeRectangle();
  const TRect R = GetAdjustedRectangle();
  const int CX = (R.Left + R.Right) / 2;
  const int CY = (R.Top + R.Bottom) / 2;
  bool Hit = false;
  switch (FStyle) {
    case chasCircle: Hit = PointInEllipse(P, R); break;
    case chasVertLine: Hit = PointInLine(P, CX, R.Top, CX, R.Bottom); break;
    case chasHorizLine: Hit = PointInLine(P, R.Left, CY, R.Right, CY); break;
    case chasTriangle:
    case chasPyramid: Hit = PointInTriangle(P, R.Left, R.Right, R.Top, R.Bottom); break;
    case chasInvertTriangle:
    case chasInvertPyramid: Hit = PointInTriangle(P, R.Left, R.Right, R.Bottom, R.Top); break;
    case chasLine: Hit = PointInLine(P, Given.Left, Given.Top, Given.Right, Given.Bottom); break;
    case chasDiamond: {
      const std::array<TPoint, 4> Corners{
          {{CX, R.Top}, {R.Right, CY}, {CX, R.Bottom}, {R.Left, CY}}};
      Hit = PointInPolygon(P, Corners);
      break;
    }
    default: Hit = PointInRect(R, P); break;
  }
  return Hit ? 0 : -1;
}

bool TChartShape::IsValidSourceOf(const TChartSeries* Value) const {
  return Value != this && dynamic_cast<const TChartShape*>(Value) != nullptr;
}

// -- gallery and sample values

QStringList TChartShape::CreateSubGallery() const {
  QStringList Items = TChartSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Rectangle << Korconst::KorMsg_VertLine << Korconst::KorMsg_HorizLine
        << Korconst::KorMsg_Ellipse << Korconst::KorMsg_DownTri << Korconst::KorMsg_Line
        << Korconst::KorMsg_Diamond << Korconst::KorMsg_Cube << Korconst::KorMsg_Cross
        << Korconst::KorMsg_DiagCross << Korconst::KorMsg_Star << Korconst::KorMsg_Pyramid
        << Korconst::KorMsg_InvPyramid << Korconst::KorMsg_Hollow;
  return Items;
}

void TChartShape::SetSubGallery(int Index) {
  static constexpr TChartShapeStyle Styles[] = {
      chasRectangle, chasVertLine, chasHorizLine,    chasCircle, chasInvertTriangle,
      chasLine,      chasDiamond,  chasCube,         chasCross,  chasDiagCross,
      chasStar,      chasPyramid,  chasInvertPyramid};
  constexpr int StyleCount = static_cast<int>(std::size(Styles));
  if (Index >= 1 && Index <= StyleCount)
    SetStyle(Styles[Index - 1]);
  else if (Index == StyleCount + 1)
    SetTransparent(!FTransparent);
}

void TChartShape::PrepareForGallery(bool IsEnabled) {
  TChartSeries::PrepareForGallery(IsEnabled);
  FFont->SetSize(12);
  FFont->SetStyle(TFontStyles{fsBold});
  FFont->SetColor(IsEnabled ? clYellow : clGray);
  SetText({});
  const TCustomAxisPanel* Chart = GetParentChart();
  const bool Second = Chart != nullptr && Chart->IndexOfSeries(this) == 1;
  SetStyle(Second ? chasCircle : chasTriangle);
  GetBrush().SetColor(IsEnabled ? (Second ? clBlue : clRed) : clSilver);
  SetText({Second ? Korconst::KorMsg_ShapeGallery1 : Korconst::KorMsg_ShapeGallery2});
}

void TChartShape::AddSampleValues(int NumValues, bool) {
  const TSeriesRandomBounds R = RandomBounds(NumValues);
  const double Width = R.StepX * std::max(0, NumValues - 1);
  if (Width <= 0 || R.DifY <= 0) {
    AddDefaultCorners();
    return;
  }
  // The bounds' low Y: that of the chart's values when it has any.
  const TCustomAxisPanel* Chart = GetParentChart();
  double MinY = 0;
  if (Chart != nullptr && Chart->GetMaxValuesCount() > 0 && GetVertAxisObject() != nullptr)
    MinY = Chart->MinYValue(GetVertAxisObject());
  // The first corner in the lower left half, the second in the upper right.
  auto Along = [this](double From, double Range, int Half) {
    return From + Range * (50 * Half + RandomValue(50)) / 100;
  };
  const double X0 = Along(R.StartX, Width, 0);
  const double Y0 = Along(MinY, R.DifY, 0);
  const double X1 = Along(R.StartX, Width, 1);
  const double Y1 = Along(MinY, R.DifY, 1);
  Clear();
  AddXY(X0, Y0);
  AddXY(X1, Y1);
}
