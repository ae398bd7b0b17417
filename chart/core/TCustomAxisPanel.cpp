#include "chart/core/TCustomAxisPanel.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TAxisGridPen.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartDepthAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorCustomToolAxis.h"
#include "chart/core/TKorFunction.h"
#include "chart/core/TKorSeriesSource.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TLabelsList.h"
#include "chart/core/TSeriesGroup.h"
#include "chart/core/TSeriesGroups.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TView3DOptions.h"

#include "platform/FormatSettings.h"
#include "platform/Rounding.h"
#include "platform/ScopeGuard.h"

#include <algorithm>
#include <cmath>

namespace {

// Whether Series' horizontal (or vertical) axis choice takes in Axis for
// the range the axis asks for.
bool TakesAxis(const TChartSeries* Series, const TChartAxis* Axis, bool Horizontal) {
  if (Horizontal)
    return Series->GetHorizAxis() == aBothHorizAxis || Series->GetHorizAxisObject() == Axis;
  return Series->GetVertAxis() == aBothVertAxis || Series->GetVertAxisObject() == Axis;
}

}  // namespace

// -- construction

TCustomAxisPanel::TCustomAxisPanel(TComponent* AOwner)
    : TCustomKorPanelExtended(AOwner),
      FTools(std::make_unique<TChartTools>(this)),
      FAxes(std::make_unique<TChartAxes>(this)),
      FCustomAxes(std::make_unique<TChartCustomAxes>(this)),
      FSeriesList(std::make_unique<TChartSeriesList>(this)) {
  auto Standard = [this](std::unique_ptr<TChartAxis> Axis) {
    TChartAxis* Raw = Axis.get();
    FStandardAxes.push_back(std::move(Axis));
    return Raw;
  };
  FBottomAxis = Standard(std::make_unique<TChartAxis>(this));
  FBottomAxis->SetHorizontal(true);
  FTopAxis = Standard(std::make_unique<TChartAxis>(this));
  FTopAxis->SetHorizontal(true);
  FTopAxis->SetOtherSide(true);
  FTopAxis->SetZPosition(100);
  FTopAxis->GetGrid().InitZPosition(100);
  FLeftAxis = Standard(std::make_unique<TChartAxis>(this));
  FLeftAxis->GetTitle().InitAngle(90);
  FRightAxis = Standard(std::make_unique<TChartAxis>(this));
  FRightAxis->SetOtherSide(true);
  FRightAxis->GetTitle().InitAngle(270);
  FRightAxis->SetZPosition(100);
  FRightAxis->GetGrid().InitZPosition(100);
  FDepthAxis = Standard(std::make_unique<TChartDepthAxis>(this));
  FDepthAxis->SetOtherSide(true);
  FDepthAxis->SetVisible(false);
  FDepthTopAxis = Standard(std::make_unique<TChartDepthAxis>(this));
  FDepthTopAxis->SetVisible(false);
  for (const auto& Axis : FStandardAxes) {
    Axis->SetCalcPosValue();
    Axis->KeepPlacementAsDefault();
  }
}

TCustomAxisPanel::~TCustomAxisPanel() {
  Destroying();
  FreeAllSeries();
  // Custom axes first (series may still refer to them), then the standard
  // ones; each leaves the list of all axes as it goes.
  FCustomAxes->Clear();
  FStandardAxes.clear();
  for (int I = 0; I < FTools->Count(); ++I)
    if (auto* AxisTool = dynamic_cast<TKorCustomToolAxis*>(FTools->Get(I)))
      AxisTool->ClearAxisLink();
  FTools->Clear();
}

const TPropertyList& TCustomAxisPanel::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomAxisPanel;
  static const TPropertyList List = [this] {
    auto Axis = [](const QString& Name, TChartAxis* (C::*Get)() const) {
      TPublishedProperty P;
      P.Name = Name;
      P.Kind = TPropertyKind::pkClass;
      P.Get = [Get](const TPersistent& I) {
        return TPropertyValue(static_cast<TPersistent*>((PP::As<C>(I).*Get)()));
      };
      return P;
    };
    TCollectionAccess CustomAxes{
        [](const TPersistent& I) { return PP::As<C>(I).GetCustomAxes().Count(); },
        [](const TPersistent& I, int Index) -> TPersistent* {
          return PP::As<C>(I).GetCustomAxes().Get(Index);
        },
        [](TPersistent& I) -> TPersistent* { return PP::As<C>(I).GetCustomAxes().Add(); },
        [](TPersistent& I) { PP::As<C>(I).GetCustomAxes().Clear(); },
    };
    return TPropertyList(TCustomKorPanelExtended::Properties(),
                         {
                             PP::Integer<C>(QStringLiteral("Chart3DPercent"), &C::GetChart3DPercent,
                                            &C::SetChart3DPercent, 15),
                             PP::Boolean<C>(QStringLiteral("AxisBehind"), &C::GetAxisBehind,
                                            &C::SetAxisBehind, true),
                             PP::Boolean<C>(QStringLiteral("AxisVisible"), &C::GetAxisVisible,
                                            &C::SetAxisVisible, true),
                             PP::Boolean<C>(QStringLiteral("ClipPoints"), &C::GetClipPoints,
                                            &C::SetClipPoints, true),
                             PP::Collection(QStringLiteral("CustomAxes"), CustomAxes),
                             Axis(QStringLiteral("BottomAxis"), &C::GetBottomAxis),
                             Axis(QStringLiteral("TopAxis"), &C::GetTopAxis),
                             Axis(QStringLiteral("LeftAxis"), &C::GetLeftAxis),
                             Axis(QStringLiteral("RightAxis"), &C::GetRightAxis),
                             Axis(QStringLiteral("DepthAxis"), &C::GetDepthAxis),
                             Axis(QStringLiteral("DepthTopAxis"), &C::GetDepthTopAxis),
                             PP::Boolean<C>(QStringLiteral("View3DWalls"), &C::GetView3DWalls,
                                            &C::SetView3DWalls, true),
                             PP::Integer<C>(QStringLiteral("Page"), &C::GetPage, &C::SetPage, 1),
                             PP::Integer<C>(QStringLiteral("MaxPointsPerPage"),
                                            &C::GetMaxPointsPerPage, &C::SetMaxPointsPerPage, 0),
                             PP::Boolean<C>(QStringLiteral("ScaleLastPage"), &C::GetScaleLastPage,
                                            &C::SetScaleLastPage, true),
                         });
  }();
  return List;
}

void TCustomAxisPanel::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCustomAxisPanel*>(&Source); Other && Other != this) {
    FChart3DPercent = Other->FChart3DPercent;
    FAxisBehind = Other->FAxisBehind;
    FAxisVisible = Other->FAxisVisible;
    for (size_t I = 0; I < FStandardAxes.size(); ++I)
      FStandardAxes[I]->Assign(*Other->FStandardAxes[I]);
    FClipPoints = Other->FClipPoints;
    FColorPalette = Other->FColorPalette;
    FCustomAxes->Assign(*Other->FCustomAxes);
    FMaxPointsPerPage = Other->FMaxPointsPerPage;
    FPage = Other->FPage;
    FScaleLastPage = Other->FScaleLastPage;
    FView3DWalls = Other->FView3DWalls;
  }
  TCustomKorPanelExtended::Assign(Source);
}

void TCustomAxisPanel::AxisCreated(TChartAxis* Axis) {
  FAxes->Add(Axis);
}

void TCustomAxisPanel::AxisDestroyed(TChartAxis* Axis) {
  FAxes->Remove(Axis);
  for (int I = 0; I < SeriesCount(); ++I) GetSeries(I)->CustomAxisRemoved(Axis);
  AxisRemoved(Axis);
}

void TCustomAxisPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomKorPanelExtended::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (auto* Series = dynamic_cast<TChartSeries*>(AComponent)) RemoveSeries(Series);
}

// -- properties

void TCustomAxisPanel::SetChart3DPercent(int Value) {
  if (Value < 1 || Value > 100)
    throw ChartException(
        Format(QStringLiteral("3D effect percent must be between %d and %d"), {1, 100}));
  SetIntegerProperty(FChart3DPercent, Value);
}

void TCustomAxisPanel::SetColorPalette(const std::vector<TColor>& Value) {
  FColorPalette = Value;
  ColorPaletteChanged();
  Invalidate();
}

void TCustomAxisPanel::Invalidate() {
  if (FAutoRepaint) TCustomKorPanelExtended::Invalidate();
}

// -- axes

bool TCustomAxisPanel::IsAxisVisible(const TChartAxis* Axis) const {
  return Axis != nullptr && Axis->GetIsVisible();
}

bool TCustomAxisPanel::CalcIsAxisVisible(const TChartAxis* Axis) const {
  if (Axis == nullptr || !FAxisVisible || !Axis->GetVisible()) return false;
  if (Axis->IsDepthAxis()) return GetView3D();
  return HasActiveSeries(Axis);
}

bool TCustomAxisPanel::HasActiveSeries(const TChartAxis* Axis) const {
  for (int I = 0; I < SeriesCount(); ++I) {
    const TChartSeries* S = GetSeries(I);
    if (!S->GetActive()) continue;
    if (!S->UseAxis()) return false;
    if (S->AssociatedToAxis(Axis)) return true;
  }
  return false;
}

bool TCustomAxisPanel::NoActiveSeries(const TChartAxis* Axis) const {
  for (int I = 0; I < SeriesCount(); ++I) {
    const TChartSeries* S = GetSeries(I);
    if (S->GetActive() && S->AssociatedToAxis(Axis)) return false;
  }
  return true;
}

TChartSeries* TCustomAxisPanel::GetAxisSeries(const TChartAxis* Axis) const {
  const bool AnyActive = !NoActiveSeries(Axis);
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries* S = GetSeries(I);
    if ((S->GetActive() || !AnyActive) && S->AssociatedToAxis(Axis)) return S;
  }
  return nullptr;
}

TChartSeries* TCustomAxisPanel::GetAxisSeriesMaxPoints(const TChartAxis* Axis) const {
  const bool AnyActive = !NoActiveSeries(Axis);
  TChartSeries* Result = nullptr;
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries* S = GetSeries(I);
    if ((S->GetActive() || !AnyActive) && S->AssociatedToAxis(Axis) &&
        (Result == nullptr || S->Count() > Result->Count()))
      Result = S;
  }
  return Result;
}

double TCustomAxisPanel::MinXValue(const TChartAxis* Axis) const {
  return InternalMinMax(Axis, true, true);
}

double TCustomAxisPanel::MaxXValue(const TChartAxis* Axis) const {
  return InternalMinMax(Axis, false, true);
}

double TCustomAxisPanel::MinYValue(const TChartAxis* Axis) const {
  return InternalMinMax(Axis, true, false);
}

double TCustomAxisPanel::MaxYValue(const TChartAxis* Axis) const {
  return InternalMinMax(Axis, false, false);
}

double TCustomAxisPanel::InternalMinMax(const TChartAxis* Axis, bool IsMin, bool IsX) const {
  if (Axis == nullptr) return 0;
  if (Axis->IsDepthAxis()) {
    if (Axis->CalcLabelStyle() != talValue) return IsMin ? -0.5 : FZOrderCount + 0.5;
    bool Found = false;
    double Result = 0;
    for (int I = 0; I < SeriesCount(); ++I) {
      const TChartSeries* S = GetSeries(I);
      if (!S->GetActive()) continue;
      const double V = IsMin ? S->MinZValue() : S->MaxZValue();
      if (!Found || (IsMin ? V < Result : V > Result)) Result = V;
      Found = true;
    }
    return Result;
  }
  const TChartSeries* Paged = FMaxPointsPerPage > 0 ? GetAxisSeriesMaxPoints(Axis) : nullptr;
  if (Paged != nullptr) {
    // The axis carries the series' X values (Y for a horizontal series).
    const bool CarriesX = IsX == Paged->GetYMandatory();
    if (CarriesX) {
      int First = 0;
      int Last = 0;
      Paged->CalcFirstLastPage(First, Last);
      if (First < 0) return 0;
      const TChartValueList& List = IsX ? Paged->GetXValues() : Paged->GetYValues();
      const double VFirst = List.GetValue(First);
      const double VLast = List.GetValue(Last);
      if (IsMin) return VFirst;
      const int D = Last - First + 1;
      if (!FScaleLastPage && D < FMaxPointsPerPage) {
        if (First == Last) return VFirst + static_cast<double>(FMaxPointsPerPage) / D;
        return VFirst + (VLast - VFirst) * FMaxPointsPerPage / D;
      }
      return VLast;
    }
  }
  const bool AnyActive = !NoActiveSeries(Axis);
  bool Found = false;
  double Result = 0;
  for (int I = 0; I < SeriesCount(); ++I) {
    const TChartSeries* S = GetSeries(I);
    if ((!S->GetActive() && AnyActive) || S->Count() == 0) continue;
    if (!TakesAxis(S, Axis, Axis->GetHorizontal())) continue;
    const double V =
        IsX ? (IsMin ? S->MinXValue() : S->MaxXValue()) : (IsMin ? S->MinYValue() : S->MaxYValue());
    if (!Found || (IsMin ? V < Result : V > Result)) Result = V;
    Found = true;
  }
  return Result;
}

// -- series list

TChartSeries* TCustomAxisPanel::AddSeries(TChartSeries* ASeries) {
  if (ASeries != nullptr) ASeries->SetParentChart(this);
  return ASeries;
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries* ASeries) {
  if (ASeries == nullptr || FSeriesList->Contains(ASeries)) return;
  ASeries->SetParentChartField(this);
  ASeries->FreeNotification(this);
  FSeriesList->Add(ASeries);
  ASeries->Added();
  BroadcastSeriesEvent(ASeries, seAdd);
  Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* ASeries) {
  RemoveSeries(FSeriesList->IndexOf(ASeries));
}

void TCustomAxisPanel::RemoveSeries(int SeriesIndex) {
  if (SeriesIndex < 0 || SeriesIndex >= SeriesCount()) return;
  TChartSeries* S = FSeriesList->Get(SeriesIndex);
  BroadcastSeriesEvent(S, seRemove);
  S->Removed();
  FSeriesList->Delete(SeriesIndex);
  for (int G = 0; G < FSeriesList->GetGroups().Count(); ++G)
    FSeriesList->GetGroups().Get(G)->GetSeries().Remove(S);
  S->SetParentChartField(nullptr);
  S->RecalcGetAxis();
  S->GetMarks().SetParent(nullptr);
  Invalidate();
}

void TCustomAxisPanel::RemoveAllSeries() {
  while (SeriesCount() > 0) RemoveSeries(0);
}

void TCustomAxisPanel::FreeAllSeries(const QString& SeriesClassName) {
  for (int I = SeriesCount() - 1; I >= 0; --I) {
    if (I >= SeriesCount()) continue;
    TChartSeries* S = GetSeries(I);
    if (!SeriesClassName.isEmpty() && S->ClassName() != SeriesClassName) continue;
    RemoveSeries(I);
    delete S;
  }
}

void TCustomAxisPanel::ExchangeSeries(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= SeriesCount() || Index2 < 0 || Index2 >= SeriesCount()) return;
  TChartSeries* S1 = FSeriesList->Get(Index1);
  TChartSeries* S2 = FSeriesList->Get(Index2);
  FSeriesList->Exchange(Index1, Index2);
  TSeriesGroups& Groups = FSeriesList->GetGroups();
  const int G = Groups.Contains(S1);
  if (G >= 0) {
    TCustomSeriesList& InGroup = Groups.Get(G)->GetSeries();
    const int A = InGroup.IndexOf(S1);
    const int B = InGroup.IndexOf(S2);
    if (A >= 0 && B >= 0) InGroup.Exchange(A, B);
  }
  BroadcastSeriesEvent(nullptr, seSwap);
  Invalidate();
}

void TCustomAxisPanel::ExchangeSeries(TChartSeries* Series1, TChartSeries* Series2) {
  ExchangeSeries(IndexOfSeries(Series1), IndexOfSeries(Series2));
}

void TCustomAxisPanel::SeriesUp(TChartSeries* ASeries) {
  const int I = IndexOfSeries(ASeries);
  if (I > 0) ExchangeSeries(I, I - 1);
}

void TCustomAxisPanel::SeriesDown(TChartSeries* ASeries) {
  const int I = IndexOfSeries(ASeries);
  if (I >= 0 && I < SeriesCount() - 1) ExchangeSeries(I, I + 1);
}

TChartSeries* TCustomAxisPanel::GetSeries(int Index) const {
  if (Index < 0 || Index >= SeriesCount())
    throw ChartException(Format(QStringLiteral("Series index %d out of bounds (0 to %d)."),
                                {Index, SeriesCount() - 1}));
  return FSeriesList->Get(Index);
}

int TCustomAxisPanel::SeriesCount() const {
  return FSeriesList->Count();
}

int TCustomAxisPanel::CountActiveSeries() const {
  int N = 0;
  for (int I = 0; I < SeriesCount(); ++I)
    if (GetSeries(I)->GetActive()) ++N;
  return N;
}

TChartSeries* TCustomAxisPanel::GetASeries() const {
  for (int I = 0; I < SeriesCount(); ++I)
    if (GetSeries(I)->GetActive()) return GetSeries(I);
  return nullptr;
}

int TCustomAxisPanel::IndexOfSeries(const TChartSeries* ASeries) const {
  return FSeriesList->IndexOf(ASeries);
}

TChartSeries* TCustomAxisPanel::SeriesLegend(int ItemIndex, bool OnlyActive) const {
  int N = 0;
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries* S = GetSeries(I);
    if (!S->GetShowInLegend() || (OnlyActive && !S->GetActive())) continue;
    if (N == ItemIndex) return S;
    ++N;
  }
  return nullptr;
}

QString TCustomAxisPanel::SeriesTitleLegend(int SeriesIndex, bool OnlyActive) const {
  const TChartSeries* S = SeriesLegend(SeriesIndex, OnlyActive);
  return S != nullptr ? SeriesTitleOrName(S) : QString();
}

int TCustomAxisPanel::GetMaxValuesCount() const {
  int Result = 0;
  for (int I = 0; I < SeriesCount(); ++I) {
    const TChartSeries* S = GetSeries(I);
    if (S->GetActive()) Result = std::max(Result, S->Count());
  }
  return Result;
}

int TCustomAxisPanel::MultiLineTextWidth(const QString& Text, int& NumLines) {
  // Most texts are one line: measured without splitting them up.
  if (!Text.contains(KorLineSeparator)) {
    NumLines = 1;
    return GetPanelCanvas().TextWidth(Text);
  }
  const QStringList Lines = Text.split(KorLineSeparator);
  NumLines = static_cast<int>(Lines.size());
  int Result = 0;
  for (const QString& Line : Lines) Result = std::max(Result, GetPanelCanvas().TextWidth(Line));
  return Result;
}

int TCustomAxisPanel::MaxTextWidth() {
  int Result = 0;
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries* S = GetSeries(I);
    for (int J = 0; J < S->GetLabels().Count(); ++J) {
      int Lines = 0;
      Result = std::max(Result, MultiLineTextWidth(S->GetXLabel(J), Lines));
    }
  }
  return Result;
}

int TCustomAxisPanel::MaxMarkWidth() {
  int Result = 0;
  for (int I = 0; I < SeriesCount(); ++I)
    if (GetSeries(I)->GetActive()) Result = std::max(Result, GetSeries(I)->MaxMarkWidth());
  return Result;
}

// -- colours

TColor TCustomAxisPanel::GetDefaultColor(int Index) const {
  if (FColorPalette.empty()) return ::GetDefaultColor(Index);
  const int N = static_cast<int>(FColorPalette.size());
  return FColorPalette[static_cast<size_t>(((Index % N) + N) % N)];
}

TColor TCustomAxisPanel::GetFreeSeriesColor(bool CheckBackground,
                                            const TChartSeries* Series) const {
  const int Count = FColorPalette.empty() ? static_cast<int>(ColorPalette.size())
                                          : static_cast<int>(FColorPalette.size());
  TColor Color = clBlack;
  for (int I = 0; I < Count; ++I) {
    Color = GetDefaultColor(I);
    if (IsFreeSeriesColor(Color, CheckBackground, Series)) return Color;
  }
  return Color;
}

void TCustomAxisPanel::ColorPaletteChanged() {
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries* S = GetSeries(I);
    if (S->GetRawSeriesColor() == clDefault) S->ChangeInternalColor(GetFreeSeriesColor(true, S));
  }
}

// -- paging

int TCustomAxisPanel::NumPages() const {
  if (FMaxPointsPerPage < 1 || SeriesCount() == 0) return 1;
  auto PagesOf = [this](const TChartAxis* Axis) {
    int Most = 0;
    for (int I = 0; I < SeriesCount(); ++I) {
      const TChartSeries* S = GetSeries(I);
      if (S->GetActive() && S->AssociatedToAxis(Axis)) Most = std::max(Most, S->Count());
    }
    if (Most == 0) return 1;
    return (Most + FMaxPointsPerPage - 1) / FMaxPointsPerPage;
  };
  const bool Horizontal = !GetSeries(0)->GetYMandatory();
  if (Horizontal) return std::max(PagesOf(FLeftAxis), PagesOf(FRightAxis));
  return std::max(PagesOf(FTopAxis), PagesOf(FBottomAxis));
}

void TCustomAxisPanel::SetPage(int Value) {
  Value = std::clamp(Value, 1, std::max(1, NumPages()));
  if (Value == FPage) return;
  FPage = Value;
  Invalidate();
  BroadcastKorEventClass<TKorPageChangeEvent>();
  if (OnPageChange) OnPageChange(this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int Value) {
  if (Value < 0) throw ChartException(Korconst::KorMsg_MaxPointsPerPage);
  FMaxPointsPerPage = Value;
  FPage = std::clamp(FPage, 1, std::max(1, NumPages()));
  Invalidate();
  BroadcastKorEventClass<TKorPageChangeEvent>();
}

void TCustomAxisPanel::NextPage() {
  if (FMaxPointsPerPage > 0 && FPage < NumPages()) SetPage(FPage + 1);
}

void TCustomAxisPanel::PreviousPage() {
  if (FMaxPointsPerPage > 0 && FPage > 1) SetPage(FPage - 1);
}

void TCustomAxisPanel::PrintPages(int FromPage, int ToPage) {
  TPrinter& P = Printer();
  if (!GetName().empty()) P.SetTitle(QString::fromStdString(GetName()));
  const int OldPage = FPage;
  // Pages beyond the chart's would print the last page again.
  const int Last = ToPage == 0 ? NumPages() : std::clamp(ToPage, 1, NumPages());
  const int First = FromPage == 0 ? 1 : std::clamp(FromPage, 1, NumPages());
  P.BeginDoc();
  try {
    const TRect R = ChartPrintRect();
    for (int Page = First; Page <= Last; ++Page) {
      SetPage(Page);
      PrintPartial(R);
      if (Page < Last) P.NewPage();
    }
    P.EndDoc();
  } catch (...) {
    P.Abort();
    SetPage(OldPage);
    throw;
  }
  SetPage(OldPage);
}

// -- data sources

void TCustomAxisPanel::CheckDatasource(TChartSeries* ASeries) {
  if (ASeries == nullptr || ASeries->InState(csLoading)) return;
  TComponent* Source = ASeries->GetDataSource();
  if (auto* SourceSeries = dynamic_cast<TChartSeries*>(Source)) {
    ASeries->AddValues(SourceSeries);
    return;
  }
  if (auto* SeriesSource = dynamic_cast<TKorSeriesSource*>(Source)) {
    SeriesSource->Refresh();
    return;
  }
  TKorFunction* Function = ASeries->GetFunction();
  if (Function != nullptr && Function->GetNoSourceRequired()) {
    ASeries->BeginUpdate();
    TScopeGuard End([ASeries] { ASeries->EndUpdate(); });
    ASeries->Clear();
    Function->AddPoints(nullptr);
    return;
  }
  if (Source == nullptr && !ASeries->GetManualData() && ASeries->CanAddRandomPoints())
    ASeries->FillSampleValues(ASeries->NumSampleValues());
}

bool TCustomAxisPanel::IsValidDataSource(TChartSeries* ASeries, TComponent* AComponent) const {
  if (ASeries == nullptr) return false;
  if (auto* SeriesSource = dynamic_cast<TKorSeriesSource*>(AComponent))
    return SeriesSource->Available(this);
  return ASeries->IsValidDataSource(AComponent);
}

void TCustomAxisPanel::CheckOtherSeries(TChartSeries* Dest, TChartSeries* Source) const {
  if (Source == nullptr) return;
  // Every source of every source, depth first; a series met twice is not
  // walked again, so a cycle elsewhere in the graph cannot recurse forever.
  std::vector<const TChartSeries*> Visited;
  std::vector<TChartSeries*> Pending{Source};
  while (!Pending.empty()) {
    TChartSeries* S = Pending.back();
    Pending.pop_back();
    if (std::find(Visited.begin(), Visited.end(), S) != Visited.end()) continue;
    Visited.push_back(S);
    const TDataSourcesList& Sources = S->GetDataSources();
    for (int I = 0; I < Sources.Count(); ++I) {
      if (Sources.Get(I) == Dest)
        throw ChartException(QStringLiteral("Circular Series dependences are not allowed"));
      if (auto* Deeper = dynamic_cast<TChartSeries*>(Sources.Get(I))) Pending.push_back(Deeper);
    }
  }
}

void TCustomAxisPanel::RemovedDataSource(TChartSeries* ASeries, TComponent* AComponent) {
  if (auto* SeriesSource = dynamic_cast<TKorSeriesSource*>(AComponent))
    SeriesSource->ForgetSeries(ASeries);
}

// -- tools and events

void TCustomAxisPanel::BroadcastToolEvent(TChartToolEvent AEvent) {
  for (int I = 0; I < FTools->Count(); ++I) {
    TKorCustomTool* Tool = FTools->Get(I);
    if (Tool->GetActive()) Tool->ChartEvent(AEvent);
  }
}

void TCustomAxisPanel::MouseLeave() {
  TCustomKorPanelExtended::MouseLeave();
  BroadcastToolEvent(cteMouseLeave);
}

void TCustomAxisPanel::BroadcastSeriesEvent(TChartSeries* ASeries, TChartSeriesEvent Event) {
  if (FSuppressSeriesEvents) return;
  TKorSeriesEvent SeriesEvent(ASeries, Event);
  BroadcastKorEvent(SeriesEvent);
}

QString TCustomAxisPanel::FormattedValueLegend(TChartSeries*, int) {
  return QString();
}

void TCustomAxisPanel::DrawLegendShape(const TRect& Rect) {
  TCanvas3D& C = GetPanelCanvas();
  C.Rectangle(Rect);
  const TColor BrushColor = C.GetBrush().GetColor();
  if (BrushColor != FLegendBackColor) return;
  // A symbol in the legend's own colour gets an outline so that it shows.
  const TColor OldPen = C.GetPen().GetColor();
  if (BrushColor == clBlack) C.GetPen().SetColor(clWhite);
  C.GetBrush().SetStyle(bsClear);
  C.Rectangle(Rect);
  C.GetPen().SetColor(OldPen);
}

bool TCustomAxisPanel::DrawBackWallAfter(int Z) {
  TCanvas3D& C = GetPanelCanvas();
  if (C.GetSupportsFullRotation()) return false;
  return !KorCull(C.FourPointsFromRect(GetPlotRect(), Z));
}

void TCustomAxisPanel::DoOnAfterDraw() {
  if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomAxisPanel::DoOnBeforeDrawAxes() {
  if (OnBeforeDrawAxes) OnBeforeDrawAxes(this);
}

void TCustomAxisPanel::DoOnBeforeDrawChart() {
  if (OnBeforeDrawChart) OnBeforeDrawChart(this);
}

void TCustomAxisPanel::DoOnBeforeDrawSeries() {
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
}

// -- drawing

void TCustomAxisPanel::CalcInvertedRotation() {
  const TView3DOptions& O = GetView3DOptions();
  FRotationInverted = GetView3D() && ((O.GetOrthogonal() && O.GetOrthoAngle() > 90) ||
                                      (!O.GetOrthogonal() && O.GetRotation() < 180));
}

void TCustomAxisPanel::CalcZOrderPass() {
  FZOrderCount = 0;
  const bool Apply = GetApplyZOrder() && GetView3D();
  if (Apply) {
    FZOrderCount = -1;
    for (int I = 0; I < SeriesCount(); ++I)
      if (GetSeries(I)->GetActive()) GetSeries(I)->CalcZOrder();
  }
  if (FDepthAxis->GetInverted()) return;
  for (int I = 0; I < SeriesCount(); ++I) {
    TChartSeries* S = GetSeries(I);
    if (S->GetActive()) S->SetInternalZOrder(Apply ? FZOrderCount - S->GetInternalZOrder() : 0);
  }
}

void TCustomAxisPanel::CalcSize3DWalls() {
  if (!GetView3D()) {
    FSeriesDepth3D = FSeriesDepthHeight3D = FDepth3D = FDepthHeight3D = 0;
    return;
  }
  const TView3DOptions& O = GetView3DOptions();
  double P = FChart3DPercent * 0.001;
  if (!O.GetOrthogonal()) P *= 2;
  FSeriesDepth3D = Round(GetPlotWidth() * P);
  const double R = O.CalcOrthoRatio();
  if (R > 1) FSeriesDepth3D = Round(FSeriesDepth3D / R);
  FSeriesDepthHeight3D = Round(FSeriesDepth3D * R);
  const int N = GetApplyZOrder() ? std::max(1, FZOrderCount + 1) : 1;
  FDepth3D = N * FSeriesDepth3D;
  FDepthHeight3D = N * FSeriesDepthHeight3D;
}

void TCustomAxisPanel::CalcAxisRectPass() {
  for (int I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* Axis = FAxes->Get(I);
    Axis->SetIsVisible(CalcIsAxisVisible(Axis));
    Axis->AdjustMaxMin();
  }
  for (int I = 0; I < FAxes->Count(); ++I) FAxes->Get(I)->InternalCalcPositions();
  TRect R = GetPlotRect();
  for (int I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* Axis = FAxes->Get(I);
    if (Axis->GetIsVisible()) {
      TRect Copy = R;
      Axis->CalcRect(Copy, I < 5);
      TRect Common;
      if (IntersectRect(Common, Copy, R)) R = Copy;
    } else if (FAxes->CalcPosLabels) {
      Axis->InflateAxisRect(R, FAxes->CalcPosLabels(Axis, Axis->GetPosLabels()));
    }
  }
  if (!GetUserChartRect()) SetPlotRect(R);
  ReCalcWidthHeight();
  for (int I = 0; I < FAxes->Count(); ++I) FAxes->Get(I)->InternalCalcPositions();
}

void TCustomAxisPanel::CalcSeriesMarginsPass() {
  for (int I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* Axis = FAxes->Get(I);
    int First = 0;   // left or bottom: the minimum's side when not inverted
    int Second = 0;  // right or top
    for (int J = 0; J < SeriesCount(); ++J) {
      TChartSeries* S = GetSeries(J);
      if (!S->GetActive() || !S->AssociatedToAxis(Axis)) continue;
      int A = 0;
      int B = 0;
      if (Axis->GetHorizontal()) {
        S->CalcHorizMargins(A, B);  // left, right
        if (Axis->GetAutomaticMinimum()) First = std::max(First, A);
        if (Axis->GetAutomaticMaximum()) Second = std::max(Second, B);
      } else {
        S->CalcVerticalMargins(A, B);  // top, bottom
        if (Axis->GetAutomaticMaximum()) Second = std::max(Second, A);
        if (Axis->GetAutomaticMinimum()) First = std::max(First, B);
      }
    }
    const bool Offsets = Axis->GetMinimumOffset() != 0 || Axis->GetMaximumOffset() != 0;
    if (Offsets) {
      if (Axis->GetInverted()) {
        First += Axis->GetMaximumOffset();
        Second += Axis->GetMinimumOffset();
      } else {
        First += Axis->GetMinimumOffset();
        Second += Axis->GetMaximumOffset();
      }
    }
    if (First == 0 && Second == 0) continue;
    // The axis takes pixels at its start (left, or top for a vertical axis)
    // and its end.
    const TRect Margins =
        Axis->GetHorizontal() ? TRect(First, 0, Second, 0) : TRect(0, Second, 0, First);
    Axis->AdjustMaxMinRect(Margins);
    if (Offsets) {
      TRect Copy = GetPlotRect();
      Axis->CalcRect(Copy, false);
    }
  }
}

void TCustomAxisPanel::DrawAxes() {
  if (!FAxisVisible) return;
  DoOnBeforeDrawAxes();
  const bool BottomLater = DrawBackWallAfter(0);
  for (int I = 0; I < FAxes->Count(); ++I) {
    TChartAxis* Axis = FAxes->Get(I);
    if (!Axis->GetIsVisible()) continue;
    if (Axis == FBottomAxis && BottomLater) continue;
    Axis->Draw(true);
  }
}

void TCustomAxisPanel::DrawAllSeries() {
  const bool Backwards = FDepthAxis->GetInverted() != DrawBackWallAfter(FDepth3D);
  if (Backwards) {
    for (int I = SeriesCount() - 1; I >= 0; --I)
      if (GetSeries(I)->GetActive()) DrawSeries(GetSeries(I));
  } else {
    for (int I = 0; I < SeriesCount(); ++I)
      if (GetSeries(I)->GetActive()) DrawSeries(GetSeries(I));
  }
}

namespace {

// The series' clip: the chart rectangle over the whole depth, its bottom
// one pixel lower.
void ClipSeries(TCustomAxisPanel& Chart) {
  TRect R = Chart.GetPlotRect();
  R.Bottom += 1;
  Chart.GetPanelCanvas().ClipCube(R, 0, Chart.GetDepth3D());
}

// The series' marks after its values, clipped like them when the marks'
// own clip switch is on.
void DrawSeriesMarks(TCustomAxisPanel& Chart, TChartSeries& S) {
  if (S.Count() == 0 || !S.GetMarks().GetVisible()) return;
  const bool Clip = S.GetMarks().GetClip() && Chart.CanClip();
  if (Clip) ClipSeries(Chart);
  TScopeGuard Unclip([&Chart, Clip] {
    if (Clip) Chart.GetPanelCanvas().UnClipRectangle();
  });
  S.DrawMarks();
}

}  // namespace

void TCustomAxisPanel::DrawSeries(TChartSeries* ASeries) {
  TCanvas3D& Canvas = GetPanelCanvas();
  const bool Clip = FClipPoints && CanClip();
  if (!GetView3D() || !ASeries->MoreSameZOrder()) {
    ASeries->CalcFirstLastVisibleIndex();
    if (ASeries->GetFirstValueIndex() == -1) return;
    ASeries->DoBeforeDrawValues();
    const bool ClipThis = ASeries->UseAxis() && Clip;
    if (ClipThis) ClipSeries(*this);
    {
      TScopeGuard Unclip([&Canvas, ClipThis] {
        if (ClipThis) Canvas.UnClipRectangle();
      });
      ASeries->DrawAllValues();
    }
    DrawSeriesMarks(*this, *ASeries);
    ASeries->DoAfterDrawValues();
    return;
  }
  if (!ASeries->FirstInZOrder()) return;
  // Every active series of this Z order, from this one to the end.
  std::vector<TChartSeries*> Group;
  for (int I = IndexOfSeries(ASeries); I < SeriesCount(); ++I) {
    TChartSeries* S = GetSeries(I);
    if (S->GetActive() && S->GetZOrder() == ASeries->GetZOrder()) Group.push_back(S);
  }
  int First = -1;
  int Last = -1;
  for (TChartSeries* S : Group) {
    S->CalcFirstLastVisibleIndex();
    First = std::max(First, S->GetFirstValueIndex());
    Last = std::max(Last, S->GetLastValueIndex());
    S->DoBeforeDrawValues();
  }
  if (Clip) ClipSeries(*this);
  {
    TScopeGuard Unclip([&Canvas, Clip] {
      if (Clip) Canvas.UnClipRectangle();
    });
    auto DrawIndex = [&Group, ASeries](int Index) {
      const bool Reverse = Index < ASeries->Count() && !ASeries->DrawSeriesForward(Index);
      auto One = [Index](TChartSeries* S) {
        if (Index < S->Count()) S->DrawValue(Index);
      };
      if (Reverse)
        std::for_each(Group.rbegin(), Group.rend(), One);
      else
        std::for_each(Group.begin(), Group.end(), One);
    };
    if (First >= 0 && Last >= First) {
      if (ASeries->DrawValuesForward()) {
        for (int I = First; I <= Last; ++I) DrawIndex(I);
      } else {
        for (int I = Last; I >= First; --I) DrawIndex(I);
      }
    }
  }
  for (TChartSeries* S : Group) {
    if (S->GetFirstValueIndex() == -1) continue;
    DrawSeriesMarks(*this, *S);
    S->DoAfterDrawValues();
  }
}

bool TCustomAxisPanel::FramePaintsEveryPixel() const {
  return !GetPanelCanvas().GetSupportsFullRotation() && PanelPaintCovers();
}

void TCustomAxisPanel::InternalDraw(const TRect& UserRectangle) {
  const bool OldAutoRepaint = FAutoRepaint;
  FAutoRepaint = false;
  TScopeGuard Restore([this, OldAutoRepaint] { FAutoRepaint = OldAutoRepaint; });
  TCanvas3D& Canvas = GetPanelCanvas();
  CalcInvertedRotation();
  const bool FullRotation = Canvas.GetSupportsFullRotation();
  // Everything up to the series mostly looks the same in the next frame.
  if (!FullRotation) Canvas.BeginFixedLayer();
  TScopeGuard EndFixed([&Canvas] { Canvas.EndFixedLayer(); });
  if (!FullRotation) PanelPaint(UserRectangle);
  BroadcastToolEvent(cteBeforeDraw);
  DoOnBeforeDrawChart();
  for (int I = 0; I < SeriesCount(); ++I)
    if (GetSeries(I)->GetActive()) GetSeries(I)->DoBeforeDrawChart();
  if (!FullRotation) DrawTitlesAndLegend(true);
  CalcZOrderPass();
  CalcWallsRect();
  const TRect Remembered = GetPlotRect();
  CalcAxisRectPass();
  for (int I = 0; I < SeriesCount(); ++I)
    if (GetSeries(I)->GetActive()) GetSeries(I)->CalcDepthPositions();
  CalcSeriesMarginsPass();
  Canvas.Projection(FDepth3D, GetDrawBounds(), GetPlotRect());
  if (FullRotation) {
    const TRect Current = GetPlotRect();
    SetPlotRect(Remembered);
    PanelPaint(UserRectangle);
    DrawTitlesAndLegend(true);
    SetPlotRect(Current);
    ReCalcWidthHeight();
  }
  DrawWalls();
  if (FAxisBehind) {
    BroadcastToolEvent(cteBeforeDrawAxes);
    DrawAxes();
  }
  BroadcastToolEvent(cteBeforeDrawSeries);
  DoOnBeforeDrawSeries();
  Canvas.EndFixedLayer();
  DrawAllSeries();
  BroadcastToolEvent(cteAfterDrawSeries);
  if (!FAxisBehind) {
    BroadcastToolEvent(cteBeforeDrawAxes);
    DrawAxes();
  }
  DrawTitlesAndLegend(false);
  if (GetZoom().Engaged) DrawZoomRectangle();
  BroadcastToolEvent(cteAfterDraw);
  Canvas.ResetState();
  DoOnAfterDraw();
}

void TCustomAxisPanel::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TCustomKorPanelExtended::GetChildren(Proc, Root);
  for (int I = 0; I < SeriesCount(); ++I) Proc(GetSeries(I));
}
