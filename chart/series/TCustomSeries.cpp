#include "chart/series/TCustomSeries.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TPen.h"
#include "platform/TPicture.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Runs its action when the scope ends, also when drawing throws.
template <class F>
class TRestore {
 public:
  explicit TRestore(F Action) : FAction(std::move(Action)) {}
  ~TRestore() { FAction(); }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

 private:
  F FAction;
};

// Where E lies between A and B as a fraction (0 at A, 1 at B), in
// logarithms on a logarithmic axis when all three have one; NaN when A
// equals B.
double Fraction(double A, double B, double E, bool Logarithmic) {
  if (Logarithmic && A > 0 && B > 0 && E > 0) {
    A = std::log(A);
    B = std::log(B);
    E = std::log(E);
  }
  if (A == B) return std::nan("");
  return (E - A) / (B - A);
}

// The value a fraction T of the way from A to B, in logarithms on a
// logarithmic axis when both have one (a value of 0 or less has none, and
// the straight line is the only one there is).
double Along(double A, double B, double T, bool Logarithmic) {
  if (Logarithmic && A > 0 && B > 0) return std::exp(std::log(A) + T * (std::log(B) - std::log(A)));
  return A + T * (B - A);
}

const QStringList& BrushStyleNames() {
  static const QStringList Names{"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                 "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
  return Names;
}

}  // namespace

TCustomSeries::TCustomSeries(TComponent* AOwner)
    : TCustomLineSeries(AOwner),
      FAreaBrush(std::make_unique<TChartBrush>([this](TPersistent* S) { CanvasChanged(S); })),
      FAreaLinesPen(CreateChartPen()),
      FOutLine(std::make_unique<TChartHiddenPen>([this](TPersistent* S) { CanvasChanged(S); })),
      FPointer(std::make_unique<TSeriesPointer>(this)),
      FShadow(std::make_unique<TKorShadow>([this](TPersistent* S) { CanvasChanged(S); })),
      FGradient(std::make_unique<TKorGradient>([this](TPersistent* S) { CanvasChanged(S); })) {
  // The segment that leaves the chart on the right is drawn.
  SetDrawBetweenPoints(true);
}

TCustomSeries::~TCustomSeries() = default;

const TPropertyList& TCustomSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomSeries;
  static const TPropertyList List(
      TCustomLineSeries::Properties(),
      {
          PP::Object<C, TChartBrush>(QStringLiteral("AreaChartBrush"), &C::AreaBrushObject),
          PP::Enum<C, TBrushStyle>(QStringLiteral("AreaBrush"), &C::GetAreaBrushStyle,
                                   &C::SetAreaBrushStyle, BrushStyleNames(), bsSolid),
          PP::Color<C>(QStringLiteral("AreaColor"), &C::GetAreaColor, &C::SetAreaColor, clDefault),
          PP::Object<C, TChartPen>(QStringLiteral("AreaLinesPen"), &C::AreaLinesPenObject),
          PP::Boolean<C>(QStringLiteral("ClickableLine"), &C::GetClickableLine,
                         &C::SetClickableLine, true),
          PP::Boolean<C>(QStringLiteral("ColorEachLine"), &C::GetColorEachLine,
                         &C::SetColorEachLine, true),
          PP::Boolean<C>(QStringLiteral("Dark3D"), &C::GetDark3D, &C::SetDark3D, true),
          // Always written: the series types start with different values.
          PP::Boolean<C>(QStringLiteral("DrawArea"), &C::GetDrawArea, &C::SetDrawArea),
          PP::Boolean<C>(QStringLiteral("InvertedStairs"), &C::GetInvertedStairs,
                         &C::SetInvertedStairs, false),
          PP::Integer<C>(QStringLiteral("LineHeight"), &C::GetLineHeight, &C::SetLineHeight, 0),
          PP::Object<C, TChartHiddenPen>(QStringLiteral("OutLine"), &C::OutLineObject),
          PP::Object<C, TSeriesPointer>(QStringLiteral("Pointer"), &C::PointerObject),
          PP::Object<C, TKorShadow>(QStringLiteral("Shadow"), &C::ShadowObject),
          PP::Enum<C, TCustomSeriesStack>(QStringLiteral("Stacked"), &C::GetStacked, &C::SetStacked,
                                          {"cssNone", "cssOverlap", "cssStack", "cssStack100"},
                                          cssNone),
          PP::Boolean<C>(QStringLiteral("Stairs"), &C::GetStairs, &C::SetStairs, false),
          PP::Integer<C>(QStringLiteral("Transparency"), &C::TransparencyValue,
                         &C::SetTransparencyValue, 0),
          PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject),
          PP::Enum<C, TBrushStyle>(QStringLiteral("LineBrush"), &C::GetLineBrush, &C::SetLineBrush,
                                   BrushStyleNames(), bsSolid),
          PP::Object<C, TChartPen>(QStringLiteral("LinePen"), &C::LinePenObject),
      });
  return List;
}

void TCustomSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TCustomSeries*>(&Source); S != nullptr && S != this) {
    FClickableLine = S->FClickableLine;
    FAreaBrush->Assign(*S->FAreaBrush);
    FAreaColor = S->FAreaColor;
    FAreaLinesPen->Assign(*S->FAreaLinesPen);
    FColorEachLine = S->FColorEachLine;
    FDark3D = S->FDark3D;
    FDrawArea = S->FDrawArea;
    FDrawLine = S->FDrawLine;
    FInvertedStairs = S->FInvertedStairs;
    FLineHeight = S->FLineHeight;
    FPointer->Assign(*S->FPointer);
    FStacked = S->FStacked;
    FStairs = S->FStairs;
    FOutLine->Assign(*S->FOutLine);
    FShadow->Assign(*S->FShadow);
    FTransparency = S->FTransparency;
    FGradient->Assign(*S->FGradient);
  }
  TCustomLineSeries::Assign(Source);
}

// -- properties

void TCustomSeries::SetAreaBrush(const TChartBrush& Value) {
  FAreaBrush->Assign(Value);
}

TBrushStyle TCustomSeries::GetAreaBrushStyle() const {
  return FAreaBrush->GetStyle();
}

void TCustomSeries::SetAreaBrushStyle(TBrushStyle Value) {
  FAreaBrush->SetStyle(Value);
}

void TCustomSeries::SetAreaColor(TColor Value) {
  SetColorProperty(FAreaColor, Value);
}

void TCustomSeries::SetAreaLinesPen(const TChartPen& Value) {
  FAreaLinesPen->Assign(Value);
}

void TCustomSeries::SetColorEachLine(bool Value) {
  SetBooleanProperty(FColorEachLine, Value);
}

void TCustomSeries::SetDark3D(bool Value) {
  SetBooleanProperty(FDark3D, Value);
}

void TCustomSeries::SetDrawArea(bool Value) {
  SetBooleanProperty(FDrawArea, Value);
}

void TCustomSeries::SetInvertedStairs(bool Value) {
  SetBooleanProperty(FInvertedStairs, Value);
}

void TCustomSeries::SetLineHeight(int Value) {
  SetIntegerProperty(FLineHeight, Value);
}

TBrushStyle TCustomSeries::GetLineBrush() const {
  return GetBrush().GetStyle();
}

void TCustomSeries::SetLineBrush(TBrushStyle Value) {
  GetBrush().SetStyle(Value);
}

void TCustomSeries::SetOutLine(const TChartPen& Value) {
  FOutLine->Assign(Value);
}

void TCustomSeries::SetPointer(const TSeriesPointer& Value) {
  FPointer->Assign(Value);
}

void TCustomSeries::SetShadow(const TKorShadow& Value) {
  FShadow->Assign(Value);
}

void TCustomSeries::SetStacked(TCustomSeriesStack Value) {
  FStacked = Value;
  if (TCustomAxisPanel* Chart = GetParentChart())
    for (int I = 0; I < Chart->SeriesCount(); ++I) {
      auto* S = dynamic_cast<TCustomSeries*>(Chart->GetSeries(I));
      if (S != nullptr && S != this && S->IsOfSeriesClass(this)) S->FStacked = Value;
    }
  Repaint();
}

void TCustomSeries::SetStairs(bool Value) {
  SetBooleanProperty(FStairs, Value);
}

TKorGradient& TCustomSeries::GetGradient() const {
  return *FGradient;
}

void TCustomSeries::SetGradient(const TKorGradient& Value) {
  GetGradient().Assign(Value);
}

void TCustomSeries::SetTransparency(TKorTransparency Value) {
  if (SetIfChanged(FTransparency, Value)) Repaint();
}

void TCustomSeries::SetParentChart(TCustomAxisPanel* Value) {
  TCustomLineSeries::SetParentChart(Value);
  FPointer->SetParent(Value);
}

// -- stacking and positions

bool TCustomSeries::IsOfSeriesClass(const TChartSeries* Other) const {
  return dynamic_cast<const TCustomSeries*>(Other) != nullptr;
}

bool TCustomSeries::SameClass(const TChartSeries* Other) const {
  if (IsOfSeriesClass(Other)) return true;
  const auto* S = dynamic_cast<const TCustomSeries*>(Other);
  return S != nullptr && S->IsOfSeriesClass(this);
}

TChartAxis* TCustomSeries::ValueAxis() const {
  return GetYMandatory() ? GetVertAxisObject() : GetHorizAxisObject();
}

TChartAxis* TCustomSeries::OtherAxis() const {
  return GetYMandatory() ? GetHorizAxisObject() : GetVertAxisObject();
}

bool TCustomSeries::Is3D() const {
  return GetParentChart() != nullptr && GetParentChart()->GetView3D();
}

double TCustomSeries::PointOrigin(int ValueIndex, bool IncludeAll) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || ValueIndex < 0 || ValueIndex >= Count()) return 0;
  const bool Positive = GetMandatory().GetValue(ValueIndex) >= 0;
  double Sum = 0;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    const TChartSeries* S = Chart->GetSeries(I);
    if (!IncludeAll && S == this) break;
    if (!S->GetActive() || !SameClass(S) || S->Count() <= ValueIndex) continue;
    const double V = S->GetOriginValue(ValueIndex);
    if (Positive ? V > 0 : V < 0) Sum += V;
  }
  return Sum;
}

int TCustomSeries::CalcStackedPos(int ValueIndex, double Value) const {
  const TChartAxis* Axis = ValueAxis();
  if (Axis == nullptr) return 0;
  const double Origin = PointOrigin(ValueIndex, false);
  if (FStacked == cssStack100) {
    const double Total = PointOrigin(ValueIndex, true);
    if (Total == 0) return Axis->GetIEndPos();
    return Axis->CalcPosValue((Origin + Value) * 100.0 / Total);
  }
  return std::min(Axis->CalcPosValue(Origin + Value), Axis->GetIEndPos());
}

int TCustomSeries::GetOriginPos(int ValueIndex) const {
  if (Stacking()) return CalcStackedPos(ValueIndex, 0);
  const TChartAxis* Axis = ValueAxis();
  if (Axis == nullptr) return 0;
  // The low end of the value axis.
  const bool End = GetYMandatory() != Axis->GetInverted();
  return End ? Axis->GetIEndPos() : Axis->GetIStartPos();
}

int TCustomSeries::CalcXPos(int ValueIndex) const {
  if (!GetYMandatory() && Stacking())
    return CalcStackedPos(ValueIndex, GetMandatory().GetValue(ValueIndex));
  return TCustomLineSeries::CalcXPos(ValueIndex);
}

int TCustomSeries::CalcYPos(int ValueIndex) const {
  if (GetYMandatory() && Stacking())
    return CalcStackedPos(ValueIndex, GetMandatory().GetValue(ValueIndex));
  return TCustomLineSeries::CalcYPos(ValueIndex);
}

TColor TCustomSeries::GetAreaBrushColor(TColor AColor) const {
  return GetColorEachPoint() || FAreaColor == clDefault ? AColor : FAreaColor;
}

void TCustomSeries::CalcZOrder() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (FStacked == cssNone || Chart == nullptr) {
    TCustomLineSeries::CalcZOrder();
    return;
  }
  // Stacked series stand in the chart's highest depth slot so far; the
  // first slot when no series has taken one yet.
  if (Chart->GetZOrderCount() < 0) Chart->SetZOrderCount(0);
  SetInternalZOrder(Chart->GetZOrderCount());
}

// -- value range

double TCustomSeries::StackedExtreme(double Start, bool Max) const {
  double Result = Start;
  for (int I = 0; I < Count(); ++I) {
    const double End = PointOrigin(I, false) + GetMandatory().GetValue(I);
    Result = Max ? std::max(Result, End) : std::min(Result, End);
  }
  return Result;
}

double TCustomSeries::MaxYValue() const {
  const double Base = TCustomLineSeries::MaxYValue();
  if (!GetYMandatory()) return Base;
  if (FStacked == cssStack100) return 100;
  return FStacked == cssStack ? StackedExtreme(Base, true) : Base;
}

double TCustomSeries::MinYValue() const {
  const double Base = TCustomLineSeries::MinYValue();
  if (!GetYMandatory()) return Base;
  if (FStacked == cssStack100) return 0;
  return FStacked == cssStack ? StackedExtreme(Base, false) : Base;
}

double TCustomSeries::MaxXValue() const {
  const double Base = TCustomLineSeries::MaxXValue();
  if (GetYMandatory()) return Base;
  if (FStacked == cssStack100) return 100;
  return FStacked == cssStack ? StackedExtreme(Base, true) : Base;
}

double TCustomSeries::MinXValue() const {
  const double Base = TCustomLineSeries::MinXValue();
  if (GetYMandatory()) return Base;
  if (FStacked == cssStack100) return 0;
  return FStacked == cssStack ? StackedExtreme(Base, false) : Base;
}

// -- margins and marks

int TCustomSeries::CalcMarkLength(int) {
  const TMarksCallout* Callout = GetMarks().ExistingCallout();
  return GetMarks().GetArrowLength() + (Callout != nullptr ? Callout->GetDistance() : 0);
}

void TCustomSeries::CalcHorizMargins(int& LeftMargin, int& RightMargin) {
  TCustomLineSeries::CalcHorizMargins(LeftMargin, RightMargin);
  FPointer->CalcHorizMargins(LeftMargin, RightMargin);
  if (FDrawLine) {
    auto AtLeast = [&](int W) {
      LeftMargin = std::max(LeftMargin, W);
      RightMargin = std::max(RightMargin, W);
    };
    if (FStairs) AtLeast(GetLinePen().GetWidth());
    if (FOutLine->GetVisible()) AtLeast(FOutLine->GetWidth());
  }
  if (GetMarks().GetVisible() && !GetYMandatory())
    RightMargin = std::max(LeftMargin, CalcMarkLength(0));
}

void TCustomSeries::CalcVerticalMargins(int& TopMargin, int& BottomMargin) {
  TCustomLineSeries::CalcVerticalMargins(TopMargin, BottomMargin);
  FPointer->CalcVerticalMargins(TopMargin, BottomMargin);
  if (FDrawLine) {
    auto AtLeast = [&](int W) {
      TopMargin = std::max(TopMargin, W);
      BottomMargin = std::max(BottomMargin, W);
    };
    if (FStairs) AtLeast(GetLinePen().GetWidth());
    if (FOutLine->GetVisible()) AtLeast(FOutLine->GetWidth());
  }
  if (GetMarks().GetVisible() && GetYMandatory())
    TopMargin = std::max(BottomMargin, CalcMarkLength(0));
  if (Is3D() && FLineHeight > 0 && !FDrawArea) BottomMargin = std::max(BottomMargin, FLineHeight);
}

void TCustomSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  GetMarks().SetZPosition(GetStartZ());
  if (GetYMandatory()) GetMarks().ApplyArrowLength(APosition);
  TCustomLineSeries::DrawMark(ValueIndex, St, APosition);
}

// -- drawing passes

void TCustomSeries::DrawAllValues() {
  if (GetParentChart() == nullptr || GetHorizAxisObject() == nullptr ||
      GetVertAxisObject() == nullptr)
    return;
  if (FShadow->GetHorizSize() != 0 || FShadow->GetVertSize() != 0) DrawShadowPass();
  if (FOutLine->GetVisible()) DrawOutlinePass();
  DrawPass();
}

void TCustomSeries::DrawPass() {
  FOldColor = clNone;
  FOldIndex = -1;
  const int First = GetFirstValueIndex();
  // The visible range is that of the last layout; points may have gone since.
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  if (First < 0 || Last < First) return;
  if (DrawValuesForward()) {
    for (int I = First; I <= Last; ++I) DrawValue(I);
  } else {
    for (int I = Last; I >= First; --I) DrawValue(I);
  }
}

void TCustomSeries::DrawShadowPass() {
  TChartAxis& Horizontal = *GetHorizAxisObject();
  TChartAxis& Vertical = *GetVertAxisObject();
  const int DX = FShadow->GetHorizSize();
  const int DY = FShadow->GetVertSize();
  FPassColor = FShadow->GetColor();
  FPassHidesPointers = true;
  Horizontal.MovePositions(DX);
  Vertical.MovePositions(DY);
  TRestore Back([&] {
    Horizontal.MovePositions(-DX);
    Vertical.MovePositions(-DY);
    FPassHidesPointers = false;
    FPassColor = clNone;
  });
  DrawPass();
}

void TCustomSeries::DrawOutlinePass() {
  // A wide line in the outline's colour, under the line itself.
  TChartPen Wide;
  Wide.Assign(*FOutLine);
  Wide.SetWidth(2 * GetLinePen().GetWidth() + FOutLine->GetWidth() + 1);
  FPassColor = FOutLine->GetColor();
  FPassPen = &Wide;
  TRestore Back([&] {
    FPassPen = nullptr;
    FPassColor = clNone;
  });
  DrawPass();
}

TColor TCustomSeries::PointColor(int ValueIndex) const {
  const TColor Own = GetValueColor(ValueIndex);
  return FPassColor == clNone || Own == clNone ? Own : FPassColor;
}

TColor TCustomSeries::LineColor() const {
  return FPassColor == clNone ? GetSeriesColor() : FPassColor;
}

const TChartPen& TCustomSeries::LinePen() const {
  return FPassPen != nullptr ? *FPassPen : GetLinePen();
}

void TCustomSeries::UseLinePen() {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  if (FPassColor == clNone)
    C.AssignVisiblePen(LinePen());
  else
    C.AssignVisiblePenColor(LinePen(), FPassColor);
}

void TCustomSeries::DrawValue(int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || ValueIndex < 0 || ValueIndex >= Count()) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  const TColor Color = PointColor(ValueIndex);
  const int X = CalcXPos(ValueIndex);
  const int Y = CalcYPos(ValueIndex);
  C.GetPen().SetColor(clBlack);
  C.GetBrush().SetColor(Color);
  FBottom = GetOriginPos(ValueIndex);
  if (FOldColor == clNone) {
    FOldX = X;
    FOldY = Y;
    FOldBottom = FBottom;
  }
  const int First = GetFirstValueIndex();
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  const bool Forward = DrawValuesForward();
  const bool IsLast = ValueIndex == (Forward ? Last : First);
  if (ValueIndex == (Forward ? First : Last)) {
    if (FDark3D) {
      const int W = Chart->GetSeriesDepth3D();
      FDark3DRatio = W == 0 ? 1.0 : std::abs(double(Chart->GetSeriesDepthHeight3D()) / W);
    }
    if (ValueIndex == First && ValueIndex > 0) DrawEnteringSegment(ValueIndex, X, Y);
    if (IsLast && PointersShown() && Color != clNone) DrawPointer(X, Y, Color, ValueIndex);
    if (C.GetSupportsFullRotation() && Is3D() && FDrawArea)
      C.RectangleZ(X, Y, FBottom, GetStartZ(), GetEndZ());
  } else {
    DrawSegment(ValueIndex, X, Y, Color, IsLast, true);
  }
  FOldX = X;
  FOldY = Y;
  FOldBottom = FBottom;
  FOldColor = Color;
  FOldIndex = ValueIndex;
}

void TCustomSeries::DrawEnteringSegment(int ValueIndex, int X, int Y) {
  const int Before = ValueIndex - 1;
  if (IsNull(Before)) return;
  if (FDrawArea) {
    FOldX = CalcXPos(Before);
    FOldY = CalcYPos(Before);
    FOldBottom = GetOriginPos(Before);
  } else {
    // Cut at the edge of the chart rectangle the series enters from.
    const TRect& R = GetParentChart()->GetPlotRect();
    if (GetYMandatory()) {
      FOldX = GetHorizAxisObject()->GetInverted() ? R.Right : R.Left;
      FOldY = FStairs ? CalcYPos(Before) : EdgeValuePos(Before, ValueIndex, FOldX);
    } else {
      FOldY = GetVertAxisObject()->GetInverted() ? R.Top : R.Bottom;
      FOldX = FStairs ? CalcXPos(Before) : EdgeValuePos(Before, ValueIndex, FOldY);
    }
  }
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  DrawSegment(ValueIndex, X, Y, PointColor(ValueIndex), ValueIndex == Last, false);
}

int TCustomSeries::EdgeValuePos(int Before, int ValueIndex, int Edge) const {
  const TChartAxis& Value = *ValueAxis();
  const TChartAxis& Other = *OtherAxis();
  const bool Vertical = GetYMandatory();
  if (Stacking()) {
    // Stacked positions are sums over series: the straight line between
    // the two pixels is what the segment is.
    const int O0 = Vertical ? CalcXPos(Before) : CalcYPos(Before);
    const int O1 = Vertical ? CalcXPos(ValueIndex) : CalcYPos(ValueIndex);
    const int V0 = Vertical ? CalcYPos(Before) : CalcXPos(Before);
    const int V1 = Vertical ? CalcYPos(ValueIndex) : CalcXPos(ValueIndex);
    if (O0 == O1) return V0;
    return Round(V0 + double(Edge - O0) * (V1 - V0) / (O1 - O0));
  }
  const double V0 = GetMandatory().GetValue(Before);
  const double V1 = GetMandatory().GetValue(ValueIndex);
  const double T =
      Fraction(GetNotMandatory().GetValue(Before), GetNotMandatory().GetValue(ValueIndex),
               Other.CalcPosPoint(Edge), Other.GetLogarithmic());
  // Both points at one X: the line enters at the earlier point's value.
  if (std::isnan(T)) return Value.CalcPosValue(V0);
  return Value.CalcPosValue(Along(V0, V1, T, Value.GetLogarithmic()));
}

// -- one segment

void TCustomSeries::DrawSegment(int ValueIndex, int X, int Y, TColor AColor, bool IsLast,
                                bool Pointers) {
  const bool Null = AColor == clNone;
  if (!Null && !(X == FOldX && Y == FOldY)) {
    if (Is3D() && (FDrawLine || FDrawArea)) DrawSegment3D(X, Y, AColor, IsLast);
    if (FDrawArea)
      FillArea(X, Y, AColor, IsLast);
    else if (!Is3D() && FDrawLine)
      DrawSegment2D(X, Y, AColor);
  }
  // Each pointer after the segments that touch it.
  if (!Pointers || !PointersShown()) return;
  if (FOldColor != clNone) DrawPointer(FOldX, FOldY, FOldColor, FOldIndex);
  if (IsLast && !Null) DrawPointer(X, Y, AColor, ValueIndex);
}

void TCustomSeries::PrepareLineCanvas(TColor AColor) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const TColor Color = C.GetMonochrome() ? clWhite : AColor;
  if (Is3D()) {
    C.AssignBrushColor(GetBrush(), Color, clNone);
    UseLinePen();
  } else {
    C.GetBrush().SetStyle(bsClear);
    C.AssignVisiblePenColor(LinePen(), Color);
  }
}

void TCustomSeries::DrawSegment2D(int X, int Y, TColor AColor) {
  const TColor Color = GetColorEachPoint() && FColorEachLine ? AColor : LineColor();
  PrepareLineCanvas(Color);
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  C.MoveTo(FOldX, FOldY);
  if (FStairs) {
    if (FInvertedStairs)
      C.LineTo(FOldX, Y);
    else
      C.LineTo(X, FOldY);
  }
  C.LineTo(X, Y);
}

void TCustomSeries::DrawSegment3D(int X, int Y, TColor AColor, bool IsLast) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const int Z0 = GetStartZ();
  const int Z1 = GetEndZ();
  const TColor Color = FColorEachLine || FDrawArea ? GetAreaBrushColor(AColor) : LineColor();
  UseLinePen();
  C.AssignBrushColor(GetBrush(), C.GetMonochrome() ? clWhite : Color, clNone);
  const TColor Dark = ApplyDark(Color, DarkColorQuantity);
  auto VerticalPlane = [&](int AtX) {
    if (FDark3D) C.GetBrush().SetColor(Dark);
    C.RectangleZ(AtX, std::min(FOldY, Y), std::max(FOldY, Y), Z0, Z1);
    C.GetBrush().SetColor(Color);
  };
  auto HorizontalPlane = [&](int AtY) {
    C.RectangleY(std::min(FOldX, X), AtY, std::max(FOldX, X), Z0, Z1);
  };
  if (FStairs) {
    if (FInvertedStairs) {
      VerticalPlane(FOldX);
      HorizontalPlane(Y);
    } else {
      HorizontalPlane(FOldY);
      VerticalPlane(X);
    }
    return;
  }
  int OldY = FOldY;
  int NewY = Y;
  const bool Ribbon = FLineHeight > 0 && !FDrawArea;
  if (Ribbon) {
    C.PlaneWithZ(TPoint(X, Y), TPoint(FOldX, FOldY), TPoint(FOldX, FOldY + FLineHeight),
                 TPoint(X, Y + FLineHeight), Z0);
    if (IsLast) C.RectangleZ(X, Y, Y + FLineHeight, Z0, Z1);
  }
  if (FDark3D && !C.GetSupportsFullRotation() && X != FOldX && FDark3DRatio != 0 &&
      double(FOldY - Y) / (X - FOldX) > FDark3DRatio) {
    C.GetBrush().SetColor(Dark);
    if (Ribbon) {
      OldY += FLineHeight;
      NewY += FLineHeight;
    }
  }
  if (C.GetMonochrome()) C.GetBrush().SetColor(clWhite);
  C.Plane3D(TPoint(FOldX, OldY), TPoint(X, NewY), Z0, Z1);
}

// -- area

void TCustomSeries::Blended(const TRect& R, const std::function<void()>& Draw) {
  const TKorTransparency Transparency = GetTransparency();
  if (Transparency <= 0) {
    Draw();
    return;
  }
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  std::unique_ptr<TKorBlend> Blend = C.BeginBlending(R, Transparency);
  Draw();
  C.EndBlending(std::move(Blend));
}

void TCustomSeries::FillArea(int X, int Y, TColor AColor, bool IsLast) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const TColor Fill = GetAreaBrushColor(AColor);
  TColor Back = FAreaBrush->GetColor();
  if (Back == clDefault) Back = LineColor();
  const TPicture* Image = FAreaBrush->ExistingImage();
  if (Back == Fill)
    // A picture shows on white; hatch lines show on what lies beneath.
    Back = Image != nullptr && !Image->GetEmpty() ? clWhite : clNone;
  C.AssignBrushColor(*FAreaBrush, Fill, Back);
  if (FAreaLinesPen->GetColor() != clDefault && FAreaLinesPen->GetVisible() && FPassColor == clNone)
    C.AssignVisiblePen(*FAreaLinesPen);
  else
    C.AssignVisiblePenColor(*FAreaLinesPen, AColor);
  if (Is3D() && IsLast) {
    if (GetYMandatory())
      C.RectangleZ(X, std::min(Y, FBottom), std::max(Y, FBottom), GetStartZ(), GetEndZ());
    else
      C.RectangleY(std::min(X, FBottom), Y, std::max(X, FBottom), GetStartZ(), GetEndZ());
  }
  if (FStairs)
    FillStairsArea(X, Y, IsLast);
  else
    FillSlopedArea(X, Y, IsLast);
}

void TCustomSeries::FillStairsArea(int X, int Y, bool) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const bool Vertical = GetYMandatory();
  const int Bottom = FInvertedStairs ? FBottom : FOldBottom;
  // The step: its level, and the corner the line turns at.
  TPoint Corner;
  TRect R;
  if (Vertical) {
    const int StepY = FInvertedStairs ? Y : FOldY;
    Corner = FInvertedStairs ? TPoint(FOldX, Y) : TPoint(X, FOldY);
    R = OrientRectangle(TRect(FOldX, StepY, X + 1, Bottom));
  } else {
    const int StepX = FInvertedStairs ? X : FOldX;
    Corner = FInvertedStairs ? TPoint(X, FOldY) : TPoint(FOldX, Y);
    R = OrientRectangle(TRect(Bottom, FOldY, StepX, Y + 1));
  }
  const bool Is3DChart = Is3D();
  TRect Area = R;
  if (Is3DChart) UnionRect(Area, C.RectFromRectZ(R, GetStartZ()), C.RectFromRectZ(R, GetEndZ()));
  Blended(Area, [&] {
    if (Is3DChart) {
      C.RectangleWithZ(R, GetStartZ());
      if (C.GetSupportsFullRotation()) C.RectangleWithZ(R, GetEndZ());
    } else if (GetGradient().GetVisible()) {
      GetGradient().Draw(C, R);
      if (C.GetPen().GetStyle() != psClear) {
        C.GetBrush().SetStyle(bsClear);
        C.Rectangle(R);
      }
    } else {
      C.Rectangle(R);
    }
  });
  if (LinePen().GetVisible() && !FAreaLinesPen->GetVisible()) {
    // The step's edges in the line pen, so that the line reads as stairs.
    UseLinePen();
    if (Is3DChart) {
      C.LineWithZ(FOldX, FOldY, Corner.X, Corner.Y, GetStartZ());
      C.LineWithZ(Corner.X, Corner.Y, X, Y, GetStartZ());
    } else {
      C.MoveTo(FOldX, FOldY);
      C.LineTo(Corner.X, Corner.Y);
      C.LineTo(X, Y);
    }
  }
}

void TCustomSeries::FillSlopedArea(int X, int Y, bool) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  const bool Vertical = GetYMandatory();
  const TPointArray P =
      Vertical ? TPointArray{{FOldX, FOldBottom}, {FOldX, FOldY}, {X, Y}, {X, FBottom}}
               : TPointArray{{FOldBottom, FOldY}, {FOldX, FOldY}, {X, Y}, {FBottom, Y}};
  const bool Is3DChart = Is3D();
  TRect Area = RectFromPolygon(P.data(), 4);
  if (Is3DChart)
    UnionRect(Area, C.RectFromRectZ(Area, GetStartZ()), C.RectFromRectZ(Area, GetEndZ()));
  Blended(Area, [&] {
    if (Is3DChart) {
      const TView3DOptions* View = C.GetView3DOptions();
      const int Rotation = View != nullptr ? View->GetRotation() : 0;
      // The face towards the viewer.
      const int Z = Rotation <= 90 || Rotation > 269 ? GetStartZ() : GetEndZ();
      if (GetGradient().GetVisible())
        GetGradient().Draw(C, P, Z, true);
      else
        C.PolygonWithZ(P.data(), 3, Z);
      if (C.GetSupportsFullRotation()) C.PolygonWithZ(P.data(), 3, GetEndZ());
      return;
    }
    if (!GetGradient().GetVisible()) {
      C.Polygon(P.data(), 3);
      return;
    }
    // One gradient over the whole series, not one per segment.
    const int High = CalcPosValue(GetMandatory().MaxValue());
    const int Low = CalcPosValue(GetMandatory().MinValue());
    const TRect G = Vertical ? OrientRectangle(TRect(FOldX, High, X, Low))
                             : OrientRectangle(TRect(Low, FOldY, High, Y));
    C.ClipPolygon(P.data(), 4);
    GetGradient().Draw(C, G);
    C.UnClipRectangle();
    if (C.GetPen().GetStyle() != psClear) C.Line(P[0], P[1]);
  });
  if (LinePen().GetVisible()) {
    UseLinePen();
    if (Is3DChart)
      C.LineWithZ(FOldX, FOldY, X, Y, GetStartZ());
    else
      C.Line(FOldX, FOldY, X, Y);
  }
}

// -- pointers

void TCustomSeries::DrawPointer(int X, int Y, TColor AColor, int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || ValueIndex < 0) return;
  PreparePointer(ValueIndex);
  TCanvas3D& C = Chart->GetPanelCanvas();
  FPointer->PrepareCanvas(C, AColor);
  const TSeriesPointerStyle Style =
      OnGetPointerStyle ? OnGetPointerStyle(this, ValueIndex) : FPointer->GetStyle();
  FPointer->DrawPointer(C, Is3D(), X, Y, FPointer->GetHorizSize(), FPointer->GetVertSize(), AColor,
                        Style);
}

bool TCustomSeries::ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) {
  PreparePointer(ValueIndex);
  const TSeriesPointerStyle Style =
      OnGetPointerStyle ? OnGetPointerStyle(this, ValueIndex) : FPointer->GetStyle();
  return Style != psNothing && std::abs(PX - X) < FPointer->GetHorizSize() &&
         std::abs(PY - Y) < FPointer->GetVertSize();
}

// -- legend

const TChartPen& TCustomSeries::LegendPen() const {
  const TChartPen* Symbol = GetParentChart()->GetLegendSymbolPen();
  return Symbol != nullptr ? *Symbol : GetLinePen();
}

void TCustomSeries::DrawLegendLine(TColor AColor, const TRect& Rect) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  // With the legend's own symbol pen that pen stays.
  if (GetParentChart()->GetLegendSymbolPen() == nullptr) PrepareLineCanvas(AColor);
  C.DoHorizLine(Rect.Left, Rect.Right, (Rect.Top + Rect.Bottom) / 2);
}

void TCustomSeries::DrawLegendShape(int ValueIndex, const TRect& Rect) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  const TColor Color = ValueIndex == -1 ? GetSeriesColor() : LegendItemColor(ValueIndex);
  if (FPointer->GetVisible()) {
    if (FDrawLine) DrawLegendLine(Color, Rect);
    FPointer->PrepareCanvas(C, Color);
    const TChartPen& Pen = LegendPen();
    if (Chart->GetLegendSymbolPen() != nullptr) C.AssignVisiblePen(Pen);
    const int W = Rect.Right - Rect.Left;
    const int H = Rect.Bottom - Rect.Top;
    // Room for the pen around the symbol when it has one.
    const int MaxH = Pen.GetVisible() ? W / 3 : W / 2 + 1;
    const int MaxV = Pen.GetVisible() ? H / 3 : H / 2 + 1;
    if (ValueIndex >= 0) PreparePointer(ValueIndex);
    const TSeriesPointerStyle Style = OnGetPointerStyle && ValueIndex >= 0
                                          ? OnGetPointerStyle(this, ValueIndex)
                                          : FPointer->GetStyle();
    FPointer->DrawPointer(C, false, (Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2,
                          std::min(FPointer->GetHorizSize(), MaxH),
                          std::min(FPointer->GetVertSize(), MaxV), Color, Style);
    return;
  }
  if (!FDrawLine || FDrawArea) {
    TCustomLineSeries::DrawLegendShape(ValueIndex, Rect);
    return;
  }
  if (Is3D()) {
    if (Chart->GetLegendSymbolPen() == nullptr) PrepareLineCanvas(Color);
    C.Rectangle(Rect);
  } else {
    DrawLegendLine(Color, Rect);
  }
}

// -- hit test

bool TCustomSeries::HitsSegment(const TPoint& Mouse, const TPoint& P,
                                const TPoint& Previous) const {
  if (!FStairs) return PointInLine(Mouse, P, Previous);
  const TPoint Corner = FInvertedStairs ? TPoint(Previous.X, P.Y) : TPoint(P.X, Previous.Y);
  return PointInLine(Mouse, Previous, Corner) || PointInLine(Mouse, Corner, P);
}

int TCustomSeries::Clicked(int X, int Y) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || GetHorizAxisObject() == nullptr || GetVertAxisObject() == nullptr)
    return -1;
  Chart->GetPanelCanvas().Calculate2DPosition(X, Y, GetStartZ());
  const int Base = TCustomLineSeries::Clicked(X, Y);
  if (Base != -1) return Base;
  int First = GetFirstValueIndex();
  // The visible range is that of the last layout; points may have gone since.
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  if (First < 0 || Last < First) return -1;
  if (FClickableLine) First = std::max(0, First - 1);
  const TPoint Mouse(X, Y);
  const bool Flat = !Chart->GetView3D();
  const int DX = Chart->GetSeriesDepth3D();
  const int DY = Chart->GetSeriesDepthHeight3D();
  // The pointer event is a notification of the click being looked at; the
  // series itself is not changed by it.
  auto* Self = const_cast<TCustomSeries*>(this);
  TPoint Previous;
  int PreviousBottom = 0;
  for (int I = First; I <= Last; ++I) {
    const TPoint P(CalcXPos(I), CalcYPos(I));
    const int Bottom = GetOriginPos(I);
    if (FPointer->GetVisible() && Self->ClickedPointer(I, P.X, P.Y, X, Y)) {
      if (OnClickPointer) OnClickPointer(Self, I, X, Y);
      return I;
    }
    if (P == Mouse) return I;
    if (I > First && FClickableLine) {
      if (Flat) {
        if (HitsSegment(Mouse, P, Previous)) return I - 1;
      } else {
        const TPoint Ribbon[4] = {P, TPoint(P.X + DX, P.Y - DY),
                                  TPoint(Previous.X + DX, Previous.Y - DY), Previous};
        if (PointInPolygon(Mouse, Ribbon)) return I - 1;
      }
      if (FDrawArea) {
        const TPoint Area[4] = {Previous, P,
                                GetYMandatory() ? TPoint(P.X, Bottom) : TPoint(Bottom, P.Y),
                                GetYMandatory() ? TPoint(Previous.X, PreviousBottom)
                                                : TPoint(PreviousBottom, Previous.Y)};
        if (PointInPolygon(Mouse, Area)) return I - 1;
      }
    }
    Previous = P;
    PreviousBottom = Bottom;
  }
  return -1;
}
