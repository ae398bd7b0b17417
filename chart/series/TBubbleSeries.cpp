#include "chart/series/TBubbleSeries.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Puts the pointer's half sizes back when the scope ends. Drawing and hit
// testing size the pointer per bubble; the sizes the pointer streams must
// stay the user's, or a bubble of 0 pixels would be saved as a size the
// pointer refuses when the chart is read back.
class TKeepPointerSize {
 public:
  explicit TKeepPointerSize(TSeriesPointer& APointer)
      : FPointer(APointer), FHoriz(APointer.GetHorizSize()), FVert(APointer.GetVertSize()) {}
  ~TKeepPointerSize() {
    FPointer.ChangeHorizSize(FHoriz);
    FPointer.ChangeVertSize(FVert);
  }
  TKeepPointerSize(const TKeepPointerSize&) = delete;
  TKeepPointerSize& operator=(const TKeepPointerSize&) = delete;

 private:
  TSeriesPointer& FPointer;
  int FHoriz;
  int FVert;
};

}  // namespace

TBubbleSeries::TBubbleSeries(TComponent* AOwner)
    : TPointSeries(AOwner),
      FRadius(new TChartValueList(this, Korconst::KorMsg_ValuesBubbleRadius)) {
  TSeriesPointer& P = GetPointer();
  P.SetStyle(psCircle);
  // The radius values decide the size; the axis range already holds
  // every bubble (see MaxYValue).
  P.SetInflateMargins(false);
  P.SetAllowChangeSize(false);
  GetMarks().SetTransparent(true);
  GetMarks().GetPen().Hide();
  SetColorEachPoint(true);
}

const TPropertyList& TBubbleSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TBubbleSeries;
  static const TPropertyList List(
      TPointSeries::Properties(),
      {
          PP::Object<C, TChartValueList>(QStringLiteral("RadiusValues"), &C::RadiusValuesObject),
          PP::Boolean<C>(QStringLiteral("Squared"), &C::GetSquared, &C::SetSquared, true),
      });
  return List;
}

void TBubbleSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TBubbleSeries*>(&Source); S != nullptr && S != this)
    FSquared = S->FSquared;
  TPointSeries::Assign(Source);
}

void TBubbleSeries::SetRadiusValues(const TChartValueList& Value) {
  FRadius->Assign(Value);
  Repaint();
}

void TBubbleSeries::SetSquared(bool Value) {
  SetBooleanProperty(FSquared, Value);
}

int TBubbleSeries::AddBubble(double AX, double AY, double ARadius, const QString& ALabel,
                             TColor AColor) {
  FRadius->SetTempValue(ARadius);
  return AddXY(AX, AY, ALabel, AColor);
}

// -- pointer

void TBubbleSeries::PreparePointer(int ValueIndex) {
  // The legend symbol keeps the size the legend gave it.
  if (FLegendSize || ValueIndex < 0 || ValueIndex >= Count()) return;
  const double Radius = FRadius->GetValue(ValueIndex);
  const int Vert = CalcYSizeValue(Radius);
  GetPointer().ChangeVertSize(Vert);
  GetPointer().ChangeHorizSize(FSquared ? Vert : CalcXSizeValue(Radius));
}

bool TBubbleSeries::ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) {
  const TKeepPointerSize Keep(GetPointer());
  PreparePointer(ValueIndex);
  const int H = GetPointer().GetHorizSize();
  const int V = GetPointer().GetVertSize();
  const int Left = PX - H;
  const int Right = PX + H;
  const int Top = PY - V;
  const int Bottom = PY + V;
  const TPoint Mouse(X, Y);
  const TSeriesPointerStyle Style =
      OnGetPointerStyle ? OnGetPointerStyle(this, ValueIndex) : GetPointer().GetStyle();
  switch (Style) {
    case psCircle: return PointInEllipse(Mouse, Left, Top, Right, Bottom);
    case psTriangle: return PointInTriangle(Mouse, Left, Right, Top, Bottom);
    case psDownTriangle: return PointInTriangle(Mouse, Left, Right, Bottom, Top);
    case psDiamond: {
      const TPoint Diamond[4] = {{Left, PY}, {PX, Top}, {Right, PY}, {PX, Bottom}};
      return PointInPolygon(Mouse, Diamond);
    }
    case psLeftTriangle: return PointInHorizTriangle(Mouse, Top, Bottom, Left, Right);
    case psRightTriangle: return PointInHorizTriangle(Mouse, Top, Bottom, Right, Left);
    case psNothing: return false;
    default: return std::abs(X - PX) < H && std::abs(Y - PY) < V;
  }
}

// -- value range

double TBubbleSeries::MaxYValue() const {
  double Result = TPointSeries::MaxYValue();
  for (int I = 0; I < Count(); ++I)
    Result = std::max(Result, GetYValues().GetValue(I) + FRadius->GetValue(I));
  return Result;
}

double TBubbleSeries::MinYValue() const {
  double Result = TPointSeries::MinYValue();
  for (int I = 0; I < Count(); ++I)
    Result = std::min(Result, GetYValues().GetValue(I) - FRadius->GetValue(I));
  return Result;
}

double TBubbleSeries::MaxZValue() const {
  return GetPointer().GetDraw3D() ? FRadius->MaxValue() : TPointSeries::MaxZValue();
}

double TBubbleSeries::MinZValue() const {
  return GetPointer().GetDraw3D() ? -FRadius->MaxValue() : TPointSeries::MinZValue();
}

// -- gallery and samples

bool TBubbleSeries::IsValidSourceOf(const TChartSeries* Value) const {
  return Value != this && dynamic_cast<const TBubbleSeries*>(Value) != nullptr;
}

void TBubbleSeries::PrepareForGallery(bool IsEnabled) {
  TPointSeries::PrepareForGallery(IsEnabled);
  GetPointer().GetGradient().SetVisible(true);
}

void TBubbleSeries::AddSampleValues(int NumValues, bool) {
  TSeriesRandomBounds R = RandomBounds(NumValues);
  const int Range = Round(R.DifY);
  for (int I = 0; I < NumValues; ++I) {
    const double Y = RandomValue(Range);
    const double Radius = Round(R.DifY / (10 + RandomValue(15))) + R.DifY / 15;
    AddBubble(R.StartX, Y, Radius);
    R.StartX += R.StepX;
  }
}

// -- drawing

void TBubbleSeries::DrawValue(int ValueIndex) {
  if (GetParentChart() == nullptr || ValueIndex < 0 || ValueIndex >= Count()) return;
  const TColor Color = GetValueColor(ValueIndex);
  if (Color == clNone || !GetPointer().GetVisible()) return;
  const TKeepPointerSize Keep(GetPointer());
  DrawPointer(CalcXPos(ValueIndex), CalcYPos(ValueIndex), Color, ValueIndex);
}

void TBubbleSeries::DrawLegendShape(int ValueIndex, const TRect& Rect) {
  const TKeepPointerSize Keep(GetPointer());
  const int Size = std::min(Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
  GetPointer().ChangeHorizSize(Size);
  GetPointer().ChangeVertSize(Size);
  FLegendSize = true;
  struct TLegendDone {
    bool& Flag;
    ~TLegendDone() { Flag = false; }
  } Done{FLegendSize};
  TPointSeries::DrawLegendShape(ValueIndex, Rect);
}
