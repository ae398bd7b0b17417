#include "chart/series/TArrowSeries.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/Rounding.h"

#include <algorithm>

TArrowSeries::TArrowSeries(TComponent* AOwner)
    : TPointSeries(AOwner),
      FEndX(new TChartValueList(this, Korconst::KorMsg_ValuesArrowEndX)),
      FEndY(new TChartValueList(this, Korconst::KorMsg_ValuesArrowEndY)) {
  GetXValues().InitDateTime(true);
  FEndX->InitDateTime(true);
  // An arrow is as long as its data says: no room is kept for the head.
  GetPointer().SetInflateMargins(false);
  GetMarks().SetTransparent(true);
  GetMarks().GetPen().Hide();
}

const TPropertyList& TArrowSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TArrowSeries;
  static const TPropertyList List = [this] {
    // The head sizes live in the pointer, which streams them.
    TPublishedProperty Width =
        PP::Integer<C>(QStringLiteral("ArrowWidth"), &C::GetArrowWidth, &C::SetArrowWidth);
    Width.Stored = [](const TPersistent&) { return false; };
    TPublishedProperty Height =
        PP::Integer<C>(QStringLiteral("ArrowHeight"), &C::GetArrowHeight, &C::SetArrowHeight);
    Height.Stored = [](const TPersistent&) { return false; };
    return TPropertyList(
        TPointSeries::Properties(),
        {
            PP::Object<C, TChartValueList>(QStringLiteral("StartXValues"), &C::StartXValuesObject),
            PP::Object<C, TChartValueList>(QStringLiteral("StartYValues"), &C::StartYValuesObject),
            PP::Object<C, TChartValueList>(QStringLiteral("EndXValues"), &C::EndXValuesObject),
            PP::Object<C, TChartValueList>(QStringLiteral("EndYValues"), &C::EndYValuesObject),
            Width,
            Height,
            PP::Integer<C>(QStringLiteral("ArrowPercent"), &C::GetArrowPercent, &C::SetArrowPercent,
                           50),
        });
  }();
  return List;
}

void TArrowSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TArrowSeries*>(&Source); S != nullptr && S != this)
    FArrowPercent = S->FArrowPercent;
  TPointSeries::Assign(Source);
}

// -- properties

void TArrowSeries::SetEndXValues(const TChartValueList& Value) {
  FEndX->Assign(Value);
  Repaint();
}

void TArrowSeries::SetEndYValues(const TChartValueList& Value) {
  FEndY->Assign(Value);
  Repaint();
}

int TArrowSeries::GetArrowWidth() const {
  return GetPointer().GetHorizSize();
}

void TArrowSeries::SetArrowWidth(int Value) {
  GetPointer().SetHorizSize(Value);
}

int TArrowSeries::GetArrowHeight() const {
  return GetPointer().GetVertSize();
}

void TArrowSeries::SetArrowHeight(int Value) {
  GetPointer().SetVertSize(Value);
}

void TArrowSeries::SetArrowPercent(int Value) {
  SetIntegerProperty(FArrowPercent, Value);
}

// -- points

int TArrowSeries::AddArrow(double X0, double Y0, double X1, double Y1, const QString& ALabel,
                           TColor AColor) {
  FEndX->SetTempValue(X1);
  FEndY->SetTempValue(Y1);
  return AddXY(X0, Y0, ALabel, AColor);
}

void TArrowSeries::GetArrowPoints(int ValueIndex, TPoint& From, TPoint& To) const {
  if (GetHorizAxisObject() == nullptr || GetVertAxisObject() == nullptr) {
    From = To = TPoint(0, 0);
    return;
  }
  From = TPoint(CalcXPos(ValueIndex), CalcYPos(ValueIndex));
  To = TPoint(CalcXPosValue(FEndX->GetValue(ValueIndex)),
              CalcYPosValue(FEndY->GetValue(ValueIndex)));
}

double TArrowSeries::MaxXValue() const {
  return std::max(TPointSeries::MaxXValue(), FEndX->MaxValue());
}

double TArrowSeries::MinXValue() const {
  return std::min(TPointSeries::MinXValue(), FEndX->MinValue());
}

double TArrowSeries::MaxYValue() const {
  return std::max(TPointSeries::MaxYValue(), FEndY->MaxValue());
}

double TArrowSeries::MinYValue() const {
  return std::min(TPointSeries::MinYValue(), FEndY->MinValue());
}

int TArrowSeries::Clicked(int X, int Y) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || GetHorizAxisObject() == nullptr || GetVertAxisObject() == nullptr)
    return -1;
  // The arrows are drawn at the series' middle depth.
  Chart->GetPanelCanvas().Calculate2DPosition(X, Y, GetMiddleZ());
  const TPoint Mouse(X, Y);
  const int Tolerance = GetPen().GetWidth();
  for (int I = 0; I < Count(); ++I) {
    if (IsNull(I)) continue;  // not drawn
    TPoint From;
    TPoint To;
    GetArrowPoints(I, From, To);
    if (PointInLine(Mouse, From, To, Tolerance)) return I;
  }
  return -1;
}

bool TArrowSeries::IsValidSourceOf(const TChartSeries* Value) const {
  return Value != this && dynamic_cast<const TArrowSeries*>(Value) != nullptr;
}

void TArrowSeries::PrepareForGallery(bool IsEnabled) {
  TPointSeries::PrepareForGallery(IsEnabled);
  FillSampleValues(3);
  SetArrowWidth(12);
  SetArrowHeight(12);
  if (!IsEnabled) SetSeriesColor(clSilver);
}

void TArrowSeries::AddSampleValues(int NumValues, bool) {
  TSeriesRandomBounds R = RandomBounds(NumValues);
  const int StepX = std::max(1, Round(R.StepX));
  const int StepY = std::max(1, Round(R.DifY / 5));
  for (int I = 0; I < NumValues; ++I) {
    const double X0 = R.StartX + RandomValue(StepX);
    const double Y0 = R.tmpY + RandomValue(StepY) - StepY / 2.0;
    const double X1 = X0 + RandomValue(StepX);
    const double Y1 = Y0 + RandomValue(StepY) - StepY / 2.0;
    AddArrow(X0, Y0, X1, Y1);
    R.StartX += R.StepX;
    R.tmpY = Y0;
  }
}

void TArrowSeries::DrawValue(int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || ValueIndex < 0 || ValueIndex >= Count()) return;
  const TColor Color = GetValueColor(ValueIndex);
  if (Color == clNone) return;  // a null point has no arrow
  TCanvas3D& C = Chart->GetPanelCanvas();
  const bool Solid = Is3D();
  if (Solid)
    GetPointer().PrepareCanvas(C, Color);
  else
    C.AssignVisiblePenColor(GetPointer().GetPen(), Color);
  TPoint From;
  TPoint To;
  GetArrowPoints(ValueIndex, From, To);
  C.Arrow(Solid, From, To, GetArrowWidth(), GetArrowHeight(), GetMiddleZ(), FArrowPercent);
}
