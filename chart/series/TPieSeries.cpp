#include "chart/series/TPieSeries.h"

#include "chart/series/TPieShadow.h"
#include "chart/series/TSliceValueList.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/ScopeGuard.h"
#include "platform/TPen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

double Radians(int Degrees) {
  return Degrees * Pi / 180.0;
}

}  // namespace

TPieSeries::TPieSeries(TComponent* AOwner)
    : TCircledSeries(AOwner),
      FOtherSlice(std::make_unique<TPieOtherSlice>(*this)),
      FShadow(std::make_unique<TPieShadow>([this](TPersistent* Sender) { CanvasChanged(Sender); })),
      FExplodedSlice(std::make_unique<TSliceValueList>(*this)),
      FSliceHeights(std::make_unique<TSliceValueList>(*this)) {
  GetXValues().SetName(QString());
  GetYValues().SetName(Korconst::KorMsg_ValuesPie);
  SetColorEachPoint(true);
  GetMarks().SetVisible(true);
  GetMarks().GetCallout()->SetLength(TMarksCallout::DefaultLength);
  TKorGradient& Gradient = GetCircleGradient();
  Gradient.SetStartColor(clWhite);
  Gradient.SetDirection(gdRadial);
  Gradient.SetVisible(false);
}

TPieSeries::~TPieSeries() = default;

const TPropertyList& TPieSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TPieSeries;
  static const TPropertyList List(
      TCircledSeries::Properties(),
      {
          PP::Integer<C>(QStringLiteral("AngleSize"), &C::GetAngleSize, &C::SetAngleSize, 360),
          PP::Boolean<C>(QStringLiteral("AutoMarkPosition"), &C::GetAutoMarkPosition,
                         &C::SetAutoMarkPosition, true),
          PP::Color<C>(QStringLiteral("CircleBackColor"), &C::GetCircleBackColor,
                       &C::SetCircleBackColor, clDefault),
          PP::Boolean<C>(QStringLiteral("ColorEachPoint"), &C::GetColorEachPoint,
                         &C::SetColorEachPoint, true),
          PP::Boolean<C>(QStringLiteral("Dark3D"), &C::GetDark3D, &C::SetDark3D, true),
          PP::Integer<C>(QStringLiteral("DarkPen"), &C::GetDarkPen, &C::SetDarkPen, 0),
          PP::Integer<C>(QStringLiteral("ExplodeBiggest"), &C::GetExplodeBiggest,
                         &C::SetExplodeBiggest, 0),
          PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject),
          PP::Enum<C, TMultiPie>(QStringLiteral("MultiPie"), &C::GetMultiPie, &C::SetMultiPie,
                                 {"mpAutomatic", "mpDisabled"}, mpAutomatic),
          PP::Object<C, TPieOtherSlice>(QStringLiteral("OtherSlice"), &C::OtherSliceObject),
          PP::Object<C, TChartPen>(QStringLiteral("PiePen"), &C::PiePenObject),
          PP::Object<C, TChartValueList>(QStringLiteral("PieValues"), &C::PieValuesObject),
          PP::Integer<C>(QStringLiteral("RotationAngle"), &C::GetRotationAngle,
                         &C::SetRotationAngle, 0),
          PP::Object<C, TPieShadow>(QStringLiteral("Shadow"), &C::ShadowObject),
          PP::Boolean<C>(QStringLiteral("UsePatterns"), &C::GetUsePatterns, &C::SetUsePatterns,
                         false),
      });
  return List;
}

void TPieSeries::Assign(const TPersistent& Source) {
  if (const auto* S = dynamic_cast<const TPieSeries*>(&Source); S != nullptr && S != this) {
    FAngleSize = S->FAngleSize;
    FAutoMarkPosition = S->FAutoMarkPosition;
    FDark3D = S->FDark3D;
    FDarkPen = S->FDarkPen;
    FDonutPercent = S->FDonutPercent;
    FExplodeBiggest = S->FExplodeBiggest;
    FMultiPie = S->FMultiPie;
    FOtherSlice->Assign(*S->FOtherSlice);
    FShadow->Assign(*S->FShadow);
    FUsePatterns = S->FUsePatterns;
  }
  TCircledSeries::Assign(Source);
  // After the points: copying them clears the per-slice lists.
  if (const auto* S = dynamic_cast<const TPieSeries*>(&Source); S != nullptr && S != this) {
    FExplodedSlice->Assign(*S->FExplodedSlice);
    FSliceHeights->Assign(*S->FSliceHeights);
  }
  SetColorEachPoint(true);
  FAngles.clear();
}

bool TPieSeries::ClassIncludes(const TChartSeries* Other) const {
  return dynamic_cast<const TPieSeries*>(Other) != nullptr;
}

// -- properties

void TPieSeries::SetAngleSize(int Value) {
  SetIntegerProperty(FAngleSize, Value);
  FAngles.clear();
}

void TPieSeries::SetAutoMarkPosition(bool Value) {
  SetBooleanProperty(FAutoMarkPosition, Value);
}

void TPieSeries::SetDark3D(bool Value) {
  SetBooleanProperty(FDark3D, Value);
}

void TPieSeries::SetDarkPen(int Value) {
  SetIntegerProperty(FDarkPen, Value);
}

void TPieSeries::SetDonutPercent(int Value) {
  SetIntegerProperty(FDonutPercent, Value);
}

void TPieSeries::SetExplodeBiggest(int Value) {
  SetIntegerProperty(FExplodeBiggest, Value);
  CalcExplodeBiggest();
}

void TPieSeries::SetMultiPie(TMultiPie Value) {
  if (SetIfChanged(FMultiPie, Value)) Repaint();
}

void TPieSeries::SetOtherSlice(const TPieOtherSlice& Value) {
  FOtherSlice->Assign(Value);
}

void TPieSeries::SetShadow(const TPieShadow& Value) {
  FShadow->Assign(Value);
}

void TPieSeries::SetUsePatterns(bool Value) {
  SetBooleanProperty(FUsePatterns, Value);
}

// -- points

int TPieSeries::AddPie(double Value, const QString& Label, TColor Color) {
  return Add(Value, Label, Color);
}

void TPieSeries::Clear() {
  TCircledSeries::Clear();
  FAngles.clear();
}

void TPieSeries::Delete(int ValueIndex) {
  TCircledSeries::Delete(ValueIndex);
  FExplodedSlice->Delete(ValueIndex);
  FSliceHeights->Delete(ValueIndex);
  FAngles.clear();
}

void TPieSeries::Delete(int Start, int Quantity, bool RemoveGap) {
  const int Before = Count();
  TCircledSeries::Delete(Start, Quantity, RemoveGap);
  // The per-slice lists follow the points that really went.
  for (int I = Start + (Before - Count()) - 1; I >= Start; --I) {
    FExplodedSlice->Delete(I);
    FSliceHeights->Delete(I);
  }
  FAngles.clear();
}

void TPieSeries::SwapValueIndex(int A, int B) {
  TCircledSeries::SwapValueIndex(A, B);
  for (TSliceValueList* List : {FExplodedSlice.get(), FSliceHeights.get()}) {
    if (List->Count() == 0) continue;
    List->Pad(Count());
    List->Exchange(A, B);
  }
  FAngles.clear();
}

void TPieSeries::ClearLists() {
  TCircledSeries::ClearLists();
  FExplodedSlice->Clear();
  FSliceHeights->Clear();
  FAngles.clear();
}

bool TPieSeries::BelongsToOtherSlice(int ValueIndex) const {
  return ValueIndex >= 0 && ValueIndex < Count() && GetXValues().GetValue(ValueIndex) == -1;
}

// -- figures the axes see

int TPieSeries::CalcXPos(int ValueIndex) const {
  if (ValueIndex >= 0 && ValueIndex < Count() && GetXValues().GetValue(ValueIndex) == OtherSliceX)
    return 0;
  return TCircledSeries::CalcXPos(ValueIndex);
}

// A pie never changes the ranges of the axes it sits over.
double TPieSeries::MaxXValue() const {
  const TChartAxis* Axis = GetHorizAxisObject();
  return Axis != nullptr ? Axis->GetMaximum() : 0;
}

double TPieSeries::MinXValue() const {
  const TChartAxis* Axis = GetHorizAxisObject();
  return Axis != nullptr ? Axis->GetMinimum() : 0;
}

double TPieSeries::MaxYValue() const {
  const TChartAxis* Axis = GetVertAxisObject();
  return Axis != nullptr ? Axis->GetMaximum() : 0;
}

double TPieSeries::MinYValue() const {
  const TChartAxis* Axis = GetVertAxisObject();
  return Axis != nullptr ? Axis->GetMinimum() : 0;
}

void TPieSeries::CalcZOrder() {
  // A pie takes no depth slot of its own: it stands at the front.
  SetInternalZOrder(0);
}

void TPieSeries::CalcFirstLastVisibleIndex() {
  TCircledSeries::CalcFirstLastVisibleIndex();
  if (FOtherSlice->GetStyle() != poNone) return;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || Chart->GetMaxPointsPerPage() <= 0) return;
  int First = -1;
  int Last = -1;
  CalcFirstLastPage(First, Last);
  if (First != -1) SetVisibleRange(First, Last);
}

void TPieSeries::WriteData(TStream& Stream) const {
  // The other slice is rebuilt at every drawing pass from the points it
  // groups, so it is taken out rather than saved as a point.
  const int Other = GetXValues().Locate(OtherSliceX);
  if (Other != -1) const_cast<TPieSeries*>(this)->Delete(Other);
  TCircledSeries::WriteData(Stream);
}

// -- angles and explosion

void TPieSeries::CalcAngles() {
  const int N = Count();
  FAngles.assign(static_cast<size_t>(N), TPieAngle());
  const int First = GetFirstValueIndex();
  const int Last = std::min(GetLastValueIndex(), N - 1);
  const bool Grouping = FOtherSlice->GetStyle() != poNone;
  const TChartValueList& Y = GetYValues();
  double Total = 0;
  if (Grouping || First < 0) {
    Total = PercentTotal();
  } else {
    for (int I = First; I <= Last; ++I) Total += std::fabs(Y.GetValue(I));
  }
  const double Full = Radians(FAngleSize);
  const double Scale = Total == 0 ? 0 : Full / Total;
  double Sum = 0;
  for (int I = std::max(First, 0); First >= 0 && I <= Last; ++I) {
    TPieAngle& A = FAngles[static_cast<size_t>(I)];
    A.StartAngle = I == First ? 0 : FAngles[static_cast<size_t>(I - 1)].EndAngle;
    if (!BelongsToOtherSlice(I)) Sum += std::fabs(Y.GetValue(I));
    A.EndAngle = (Sum == Total || Total == 0) ? Full : Sum * Scale;
    if (A.EndAngle - A.StartAngle > Full) A.EndAngle = A.StartAngle + Full;
    A.MidAngle = (A.StartAngle + A.EndAngle) / 2;
  }
}

double TPieSeries::PercentTotal() const {
  // The grouped points are counted once, in the other slice.
  const TChartValueList& Y = GetYValues();
  double Total = Y.TotalABS();
  for (int I = 0; I < Count(); ++I)
    if (BelongsToOtherSlice(I)) Total -= std::fabs(Y.GetValue(I));
  return Total;
}

void TPieSeries::CalcExplodeBiggest() {
  const int N = Count();
  if (N == 0) return;
  int Biggest = -1;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr && Chart->GetMaxPointsPerPage() > 0) {
    const int First = GetFirstValueIndex();
    const int Last = std::min(GetLastValueIndex(), N - 1);
    for (int I = std::max(First, 0); First >= 0 && I <= Last; ++I)
      if (Biggest == -1 || GetYValues().GetValue(I) > GetYValues().GetValue(Biggest)) Biggest = I;
  } else {
    Biggest = GetYValues().Locate(GetYValues().MaxValue());
  }
  // Nothing to push out on a series without visible points.
  if (Biggest != -1) FExplodedSlice->SetValue(Biggest, FExplodeBiggest);
}

TPoint TPieSeries::CalcExplodedOffset(int ValueIndex) const {
  const int Percent = FExplodedSlice->GetValue(ValueIndex);
  if (!FIsExploded || Percent <= 0 || ValueIndex >= static_cast<int>(FAngles.size()))
    return TPoint(0, 0);
  double Angle = FAngles[static_cast<size_t>(ValueIndex)].MidAngle;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr && Chart->GetPanelCanvas().GetSupportsFullRotation())
    Angle += FAngleSize * Pi / 45 + Pi;
  Angle += GetRotationRadians();
  return TPoint(Round(std::cos(Angle) * GetXRadius() * Percent / 100.0),
                Round(std::sin(Angle) * GetYRadius() * Percent / 100.0));
}

void TPieSeries::CalcExplodedRadius(int ValueIndex, int& AXRadius, int& AYRadius) const {
  const double Factor = 1 + FExplodedSlice->GetValue(ValueIndex) / 100.0;
  AXRadius = Round(GetXRadius() * Factor);
  AYRadius = Round(GetYRadius() * Factor);
}

int TPieSeries::SliceEndZ(int ValueIndex) const {
  const int Height = FSliceHeights->GetValue(ValueIndex);
  if (Height == 0) return GetEndZ();
  return GetStartZ() + Round(Height * (GetEndZ() - GetStartZ()) * 0.01);
}

TBrushStyle TPieSeries::SliceBrushStyle(int ValueIndex) const {
  static constexpr std::array<TBrushStyle, 6> Patterns = {bsHorizontal, bsVertical, bsFDiagonal,
                                                          bsBDiagonal,  bsCross,    bsDiagCross};
  const TCustomAxisPanel* Chart = GetParentChart();
  const bool Mono = Chart != nullptr && Chart->GetMonochrome();
  if ((!FUsePatterns && !Mono) || ValueIndex == -1) return bsSolid;
  return Patterns[static_cast<size_t>(ValueIndex % 6)];
}

// -- the drawing pass

void TPieSeries::DoBeforeDrawChart() {
  TCircledSeries::DoBeforeDrawChart();
  TChartValueList& X = GetXValues();
  TSeriesMarkPosition Kept;
  int Other = X.Locate(OtherSliceX);
  if (Other != -1) {
    if (const TSeriesMarkPosition* P = GetMarks().GetPositions().Get(Other); P && P->Custom)
      Kept.Assign(*P);
  }
  if (GetYValues().GetOrder() != loNone) GetYValues().Sort();
  Other = X.Locate(OtherSliceX);
  if (Other != -1) Delete(Other);
  X.FillSequence();
  GroupOtherSlice();
  if (Kept.Custom && (Other = X.Locate(OtherSliceX)) != -1)
    GetMarks().GetPositions().Put(Other, Kept);
  FAngles.clear();
}

void TPieSeries::GroupOtherSlice() {
  const TPieOtherStyle Style = FOtherSlice->GetStyle();
  TChartValueList& X = GetXValues();
  const TChartValueList& Y = GetYValues();
  const double Total = Y.TotalABS();
  if (Style == poNone || Total <= 0) return;
  double Sum = 0;
  bool Grouped = false;
  for (int I = 0; I < Count(); ++I) {
    const double Value = std::fabs(Y.GetValue(I));
    const double Measure = Style == poBelowPercent ? Value * 100 / Total : Value;
    if (Measure < FOtherSlice->GetValue()) {
      X.SetValue(I, -1);
      Sum += Value;
      Grouped = true;
    }
  }
  if (!Grouped) return;
  // Appended last whatever the X order says.
  const TChartListOrder Order = X.GetOrder();
  X.SetOrder(loNone);
  TScopeGuard Restore([&X, Order] { X.SetOrder(Order); });
  AddXY(OtherSliceX, Sum, FOtherSlice->GetText(), FOtherSlice->GetColor());
}

void TPieSeries::PlaceInGrid() {
  TCustomAxisPanel* Chart = GetParentChart();
  int Pies = 0;
  int Mine = 0;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    const TChartSeries* S = Chart->GetSeries(I);
    if (S == this) Mine = Pies;
    if (S->GetActive() && IsSameClass(S)) ++Pies;
  }
  if (Pies < 2) return;
  const int Columns = std::max(1, Round(std::sqrt(static_cast<double>(Pies))));
  const int Rows = std::max(1, Round(std::sqrt(static_cast<double>(Pies)) + 0.5));
  const TRect& R = FOldChartRect;
  const int Width = R.Width() / Columns;
  const int Height = R.Height() / Rows;
  const int Column = Mine % Columns;
  const int Row = Mine / Columns;
  const TRect Cell(R.Left + Column * Width, R.Top + Row * Height, R.Left + (Column + 1) * Width,
                   R.Top + (Row + 1) * Height);
  Chart->SetPlotRect(Chart->GetView3D() ? Chart->GetPanelCanvas().CalcRect3D(Cell, 0) : Cell);
  FMultiPieRect = true;
}

void TPieSeries::DoBeforeDrawValues() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr && !FMultiPieRect) {
    FOldChartRect = Chart->GetPlotRect();
    if (FMultiPie == mpAutomatic) PlaceInGrid();
  }
  TCircledSeries::DoBeforeDrawValues();
  FAngles.clear();
}

void TPieSeries::DoAfterDrawValues() {
  if (FMultiPieRect && GetParentChart() != nullptr) GetParentChart()->SetPlotRect(FOldChartRect);
  FMultiPieRect = false;
  TCircledSeries::DoAfterDrawValues();
}

int TPieSeries::MostExploded() const {
  int Most = -1;
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  for (int I = std::max(GetFirstValueIndex(), 0); GetFirstValueIndex() >= 0 && I <= Last; ++I) {
    const int P = FExplodedSlice->GetValue(I);
    if (P > 0 && (Most == -1 || P > FExplodedSlice->GetValue(Most))) Most = I;
  }
  return Most;
}

void TPieSeries::DrawAllValues() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  if (FExplodeBiggest > 0) CalcExplodeBiggest();
  const int Most = MostExploded();
  if (FAngles.empty()) CalcAngles();
  FIsExploded = Most != -1 || FSliceHeights->AnySet();
  if (Most != -1) {
    // Room for the slice that moves out furthest.
    const TPoint Offset = CalcExplodedOffset(Most);
    TRect R = GetCircleRect();
    InflateRect(R, -std::abs(Offset.X) / 2, -std::abs(Offset.Y) / 2);
    SetCircleRect(R);
    CalcRadius();
  }
  AngleToPos(0, GetXRadius(), GetYRadius(), FIniPoint.X, FIniPoint.Y);
  FIniAngle = 0;
  TCanvas3D& C = Chart->GetPanelCanvas();
  FShadow->DrawEllipse(C, GetCircleRect(), GetEndZ() - 10);
  if (!Chart->GetView3D() || (!FIsExploded && FDonutPercent == 0) || C.GetSupportsFullRotation())
    TCircledSeries::DrawAllValues();
  else
    DrawSortedSlices();
  DrawOtherLegend();
}

void TPieSeries::DrawSortedSlices() {
  const int First = GetFirstValueIndex();
  const int Last = std::min(GetLastValueIndex(), Count() - 1);
  if (First < 0 || Last < First) return;
  const double Full = Radians(FAngleSize);
  // Slices at the back (a quarter turn into the pie) first, the front
  // ones over them.
  auto Distance = [&](int I) {
    double A = FAngles[static_cast<size_t>(I)].MidAngle + GetRotationRadians();
    if (A > Full) A -= Full;
    const double D = std::fabs(A - Full / 4);
    return D <= Pi ? D : Full - D;
  };
  std::vector<int> Sorted;
  for (int I = First; I <= Last; ++I) Sorted.push_back(I);
  std::stable_sort(Sorted.begin(), Sorted.end(),
                   [&](int A, int B) { return Distance(A) < Distance(B); });
  // The cut faces of a partial donut show at both of its ends.
  const bool ShowEnds = FDonutPercent > 0 && !FIsExploded && FAngleSize != 360;
  for (int I : Sorted) {
    const bool Ends = ShowEnds && (I == First || I == Last);
    const bool Old = FIsExploded;
    if (Ends) FIsExploded = true;
    DrawValue(I);
    FIsExploded = Old;
  }
}

void TPieSeries::DrawOtherLegend() {
  TChartLegend* Legend = FOtherSlice->ExistingLegend();
  if (Legend == nullptr || !Legend->GetVisible()) return;
  FOtherLegendItems = true;
  TScopeGuard Reset([this] { FOtherLegendItems = false; });
  TFrontPlane Front(GetParentChart()->GetPanelCanvas());
  Legend->DrawLegend();
}

void TPieSeries::PreparePiePen(int ValueIndex) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  if (FDarkPen <= 0)
    C.AssignVisiblePen(GetPen());
  else
    C.AssignVisiblePenColor(GetPen(), ApplyDark(GetValueColor(ValueIndex), 255 - FDarkPen));
}

void TPieSeries::DrawValue(int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || GetCircleWidth() < 5 || GetCircleHeight() < 5 ||
      BelongsToOtherSlice(ValueIndex) || ValueIndex >= static_cast<int>(FAngles.size()))
    return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  const TColor Color = Chart->GetMonochrome() ? clBlack : GetValueColor(ValueIndex);
  if (Color == clNone) {
    C.GetBrush().SetStyle(bsClear);
  } else {
    TChartBrush& Brush = GetBrush();
    const TBrushStyle OldStyle = Brush.GetStyle();
    const TBrushStyle Style = SliceBrushStyle(ValueIndex);
    if (Style != OldStyle) Brush.SetStyle(Style);
    TScopeGuard Restore([&Brush, OldStyle] {
      if (Brush.GetStyle() != OldStyle) Brush.SetStyle(OldStyle);
    });
    Chart->SetBrushCanvas(Color, Brush, CalcCircleBackColor());
  }
  PreparePiePen(ValueIndex);
  DrawPie(ValueIndex);
}

void TPieSeries::DrawPie(int ValueIndex) {
  TCustomAxisPanel* Chart = GetParentChart();
  TCanvas3D& C = Chart->GetPanelCanvas();
  const TPieAngle& A = FAngles[static_cast<size_t>(ValueIndex)];
  const TPoint Offset = CalcExplodedOffset(ValueIndex);
  const int CX = GetCircleXCenter() + Offset.X;
  const int CY = GetCircleYCenter() - Offset.Y;
  const double Rotation = GetRotationRadians();
  if (Chart->GetView3D()) {
    // The gradient of this slice ends in the slice's colour.
    TKorGradient Gradient;
    const bool WithGradient = GetCircleGradient().GetVisible();
    if (WithGradient) {
      Gradient.Assign(GetCircleGradient());
      Gradient.SetEndColor(C.GetBrush().GetColor());
    }
    C.Pie3D(CX, CY, GetXRadius(), GetYRadius(), GetStartZ(), SliceEndZ(ValueIndex),
            A.StartAngle + Rotation, A.EndAngle + Rotation, FDark3D, FIsExploded, FDonutPercent,
            WithGradient ? &Gradient : nullptr);
    return;
  }
  if (FDonutPercent > 0) {
    C.Donut(CX, CY, GetXRadius(), GetYRadius(), A.StartAngle + Rotation, A.EndAngle + Rotation,
            FDonutPercent);
    return;
  }
  TPoint End;
  AngleToPos(A.EndAngle, GetXRadius(), GetYRadius(), End.X, End.Y);
  // A slice too thin to move the arc's end pixel is left to the next one.
  if (End == FIniPoint && Count() != 1 && A.EndAngle - A.StartAngle <= 1) return;
  const TPoint Moved(Offset.X, -Offset.Y);
  if (GetCircleGradient().GetVisible() && C.GetBrush().GetStyle() != bsClear) {
    DrawSliceGradient(ValueIndex, Moved);
    // The slice's outline goes over its gradient.
    C.GetBrush().SetStyle(bsClear);
  }
  const TRect& R = GetCircleRect();
  C.Pie(R.Left + Moved.X, R.Top + Moved.Y, R.Right + Moved.X, R.Bottom + Moved.Y,
        FIniPoint.X + Moved.X, FIniPoint.Y + Moved.Y, End.X + Moved.X, End.Y + Moved.Y);
  FIniPoint = End;
  FIniAngle = A.EndAngle;
}

void TPieSeries::DrawSliceGradient(int ValueIndex, const TPoint& Offset) {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  TKorGradient Gradient;
  Gradient.Assign(GetCircleGradient());
  Gradient.SetEndColor(C.GetBrush().GetColor());
  // The slice as a polygon: the centre and its arc, a point every degree or
  // so, a little beyond the ellipse that the circle gradient is clipped to.
  const TPieAngle& A = FAngles[static_cast<size_t>(ValueIndex)];
  const double Start = FIniAngle;
  const int Steps = std::max(2, static_cast<int>(std::ceil((A.EndAngle - Start) * 180 / Pi)));
  std::vector<TPoint> Slice{TPoint(GetCircleXCenter() + Offset.X, GetCircleYCenter() + Offset.Y)};
  for (int I = 0; I <= Steps; ++I) {
    TPoint P;
    AngleToPos(Start + (A.EndAngle - Start) * I / Steps, GetXRadius() + 2, GetYRadius() + 2, P.X,
               P.Y);
    Slice.push_back(TPoint(P.X + Offset.X, P.Y + Offset.Y));
  }
  C.ClipPolygon(Slice.data(), static_cast<int>(Slice.size()));
  TScopeGuard Unclip([&C] { C.UnClipRectangle(); });
  DrawCircleGradient(Gradient, Offset);
}

// -- marks

void TPieSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  if (BelongsToOtherSlice(ValueIndex) || ValueIndex >= static_cast<int>(FAngles.size())) return;
  TCustomAxisPanel* Chart = GetParentChart();
  int RX = 0;
  int RY = 0;
  CalcExplodedRadius(ValueIndex, RX, RY);
  double Angle = FAngles[static_cast<size_t>(ValueIndex)].MidAngle;
  if (Chart != nullptr && Chart->GetPanelCanvas().GetSupportsFullRotation()) {
    Angle += 3 * Pi / 2;
    GetMarks().SetZPosition(GetStartZ());
  } else {
    GetMarks().SetZPosition(SliceEndZ(ValueIndex));
  }
  const TMarksCallout* Callout = GetMarks().ExistingCallout();
  const int Distance = Callout != nullptr ? Callout->GetDistance() : 0;
  const int Length =
      (Callout != nullptr ? Callout->GetLength() : TMarksCallout::DefaultLength) + Distance;
  AngleToPos(Angle, RX + Length, RY + Length, APosition.ArrowTo.X, APosition.ArrowTo.Y);
  AngleToPos(Angle, RX + Distance, RY + Distance, APosition.ArrowFrom.X, APosition.ArrowFrom.Y);
  const TPoint& To = APosition.ArrowTo;
  APosition.LeftTop.X = To.X > GetCircleXCenter() ? To.X : To.X - APosition.Width;
  APosition.LeftTop.Y = To.Y > GetCircleYCenter() ? To.Y : To.Y - APosition.Height;
  if (FAutoMarkPosition) GetMarks().AntiOverlap(GetFirstValueIndex(), ValueIndex, APosition);
  TCircledSeries::DrawMark(ValueIndex, St, APosition);
}

// -- hit test

int TPieSeries::Clicked(int X, int Y) const {
  const int Base = TCircledSeries::Clicked(X, Y);
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Base != -1 || Chart == nullptr) return Base;
  const TCanvas3D& C = Chart->GetPanelCanvas();
  constexpr int Steps = 30;
  const int N = std::min(Count(), static_cast<int>(FAngles.size()));
  std::array<TPoint, Steps + 2> Polygon;
  for (int I = 0; I < N; ++I) {
    const TPieAngle& A = FAngles[static_cast<size_t>(I)];
    const TPoint Offset = CalcExplodedOffset(I);
    auto Project = [&](int PX, int PY) {
      return C.Calculate3DPosition(PX + Offset.X, PY - Offset.Y, GetEndZ());
    };
    TPoint P;
    AngleToPos(A.StartAngle, GetXRadius(), GetYRadius(), P.X, P.Y);
    Polygon[0] = Project(P.X, P.Y);
    Polygon[1] = Project(GetCircleXCenter(), GetCircleYCenter());
    const double Step = (A.EndAngle - A.StartAngle) / Steps;
    for (int S = 0; S < Steps; ++S) {
      AngleToPos(A.EndAngle - S * Step, GetXRadius(), GetYRadius(), P.X, P.Y);
      Polygon[static_cast<size_t>(S + 2)] = Project(P.X, P.Y);
    }
    if (PointInPolygon(TPoint(X, Y), Polygon)) return I;
  }
  return -1;
}

// -- legend

int TPieSeries::CountLegendItems() const {
  int Items = 0;
  for (int I = 0; I < Count(); ++I)
    if (BelongsToOtherSlice(I) == FOtherLegendItems) ++Items;
  return Items;
}

int TPieSeries::LegendToValueIndex(int LegendIndex) const {
  int Seen = -1;
  for (int I = 0; I < Count(); ++I)
    if (BelongsToOtherSlice(I) == FOtherLegendItems && ++Seen == LegendIndex) return I;
  return LegendIndex;
}

void TPieSeries::PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) {
  BackColor = CalcCircleBackColor();
  if (GetParentChart() != nullptr) GetParentChart()->GetPanelCanvas().AssignVisiblePen(GetPen());
  BrushStyle = SliceBrushStyle(ValueIndex);
}

void TPieSeries::DrawLegendShape(int ValueIndex, const TRect& Rect) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  TColor Color = ValueIndex == -1 ? GetSeriesColor() : GetValueColor(ValueIndex);
  if (Chart->GetMonochrome()) Color = clBlack;
  if (!GetCircleGradient().GetVisible() || Color == clNone) {
    TCircledSeries::DrawLegendShape(ValueIndex, Rect);
    return;
  }
  TCanvas3D& C = Chart->GetPanelCanvas();
  TKorGradient Gradient;
  Gradient.Assign(GetCircleGradient());
  Gradient.SetEndColor(Color);
  Gradient.Draw(C, Rect);
  C.GetBrush().SetStyle(bsClear);
  C.AssignVisiblePen(GetPen());
  C.Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

// -- the chart

void TPieSeries::SetParentChart(TCustomAxisPanel* Value) {
  if (Value != GetParentChart()) FOtherSlice->ForgetLegend();
  TCircledSeries::SetParentChart(Value);
}

void TPieSeries::InitCustom3DOptions(TView3DOptions& Options) {
  Options.SetOrthogonal(false);
  Options.SetRotation(360);
  Options.SetElevation(315);
  Options.SetPerspective(0);
  Options.SetTilt(0);
}

void TPieSeries::DisableRotation() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  TView3DOptions& View = Chart->GetView3DOptions();
  View.SetOrthogonal(false);
  View.SetRotation(0);
  View.SetElevation(305);
}

void TPieSeries::GalleryChanged3D(bool) {
  DisableRotation();
  if (GetParentChart() != nullptr) SetCircled(!GetParentChart()->GetView3D());
}

// -- gallery

void TPieSeries::AddSampleValues(int NumValues, bool) {
  const std::array<const QString*, 8> Labels = {
      &Korconst::KorMsg_PieSample1, &Korconst::KorMsg_PieSample2, &Korconst::KorMsg_PieSample3,
      &Korconst::KorMsg_PieSample4, &Korconst::KorMsg_PieSample5, &Korconst::KorMsg_PieSample6,
      &Korconst::KorMsg_PieSample7, &Korconst::KorMsg_PieSample8};
  for (int I = 0; I < NumValues; ++I)
    AddPie(RandomValue(1000) + 1, *Labels[static_cast<size_t>(I) % Labels.size()], clDefault);
}

void TPieSeries::PrepareForGallery(bool IsEnabled) {
  TCircledSeries::PrepareForGallery(IsEnabled);
  FillSampleValues(8);
  SetColorEachPoint(true);
  if (TCustomAxisPanel* Chart = GetParentChart()) Chart->SetChart3DPercent(75);
  GetMarks().GetCallout()->SetLength(0);
  GetMarks().SetDrawEvery(1);
  GetCircleGradient().SetVisible(true);
  DisableRotation();
}

QStringList TPieSeries::CreateSubGallery() const {
  QStringList Items = TCircledSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Patterns << Korconst::KorMsg_Exploded << Korconst::KorMsg_Shadow
        << Korconst::KorMsg_Marks << Korconst::KorMsg_SemiPie << Korconst::KorMsg_NoBorder
        << Korconst::KorMsg_DarkPen;
  return Items;
}

void TPieSeries::SetSubGallery(int Index) {
  switch (Index) {
    case 1: SetUsePatterns(true); break;
    case 2: SetExplodeBiggest(30); break;
    case 3:
      FShadow->SetHorizSize(10);
      FShadow->SetVertSize(10);
      break;
    case 4:
      GetMarks().SetVisible(true);
      Clear();
      AddPie(30, QStringLiteral("A"));
      AddPie(70, QStringLiteral("B"));
      break;
    case 5: SetAngleSize(180); break;
    case 6: GetPen().SetVisible(false); break;
    case 7: SetDarkPen(32); break;
    default: break;
  }
}
