#include "chart/core/TKorFunction.h"

#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TDataSourcesList.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TKorFunction::TKorFunction(TComponent* AOwner) : TComponent(AOwner) {}

TKorFunction::~TKorFunction() {
  Destroying();
  if (FParent != nullptr) FParent->ForgetFunction(this);
}

const TPropertyList& TKorFunction::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorFunction;
  static const TPropertyList List{
      PP::Double<C>(QStringLiteral("Period"), &C::GetPeriod, &C::SetPeriod, 0.0),
      PP::Enum<C, TFunctionPeriodAlign>(QStringLiteral("PeriodAlign"), &C::GetPeriodAlign,
                                        &C::SetPeriodAlign, {"paFirst", "paCenter", "paLast"},
                                        paCenter),
      PP::Enum<C, TFunctionPeriodStyle>(QStringLiteral("PeriodStyle"), &C::GetPeriodStyle,
                                        &C::SetPeriodStyle, {"psNumPoints", "psRange"},
                                        psNumPoints),
  };
  return List;
}

void TKorFunction::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TKorFunction*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FPeriod = Other->FPeriod;
  FPeriodStyle = Other->FPeriodStyle;
  FPeriodAlign = Other->FPeriodAlign;
}

double TKorFunction::CombineSources(const std::vector<TComponent*>& SourceSeriesList,
                                    int ValueIndex,
                                    const std::function<double(double, double)>& Combine) const {
  double Result = 0;
  bool Started = false;
  for (TComponent* Component : SourceSeriesList) {
    const auto* Source = dynamic_cast<const TChartSeries*>(Component);
    if (Source == nullptr || ValueIndex >= Source->Count()) continue;
    const double Value = ValueList(Source).GetValue(ValueIndex);
    Result = Started ? Combine(Result, Value) : Value;
    Started = true;
  }
  return Result;
}

void TKorFunction::SetPeriod(double Value) {
  if (Value < 0) throw ChartException(Korconst::KorMsg_FunctionPeriod);
  if (SetIfChanged(FPeriod, Value)) ReCalculate();
}

void TKorFunction::SetPeriodStyle(TFunctionPeriodStyle Value) {
  if (SetIfChanged(FPeriodStyle, Value)) ReCalculate();
}

void TKorFunction::SetPeriodAlign(TFunctionPeriodAlign Value) {
  if (SetIfChanged(FPeriodAlign, Value)) ReCalculate();
}

void TKorFunction::SetParentSeries(TChartSeries* Value) {
  if (Value == FParent) return;
  TChartSeries* Old = FParent;
  FParent = Value;
  if (Old != nullptr) Old->ForgetFunction(this);
  if (Value != nullptr) {
    Value->FreeNotification(this);
    Value->SetFunction(this);
  }
}

void TKorFunction::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FParent) FParent = nullptr;
}

TComponent* TKorFunction::GetParentComponent() const {
  return FParent;
}

void TKorFunction::SetParentComponent(TComponent* Value) {
  if (auto* Series = dynamic_cast<TChartSeries*>(Value)) SetParentSeries(Series);
}

void TKorFunction::ReCalculate() {
  if (!FUpdating && FParent != nullptr) FParent->CheckDataSource();
}

void TKorFunction::EndUpdate() {
  if (!FUpdating) return;
  FUpdating = false;
  ReCalculate();
}

bool TKorFunction::IsValidSource(const TChartSeries*) const {
  return true;
}

TChartValueList& TKorFunction::ValueList(const TChartSeries* Source) const {
  const QString Name = FParent != nullptr ? FParent->GetMandatory().GetValueSource() : QString();
  if (Name.isEmpty()) return Source->GetMandatory();
  return Source->GetYValueList(Name);
}

void TKorFunction::AddFunctionXY(bool YMandatorySource, double Value, double Position) {
  if (FParent == nullptr) return;
  if (YMandatorySource)
    FParent->AddXY(Position, Value);
  else
    FParent->AddXY(Value, Position);
}

void TKorFunction::PrepareForGallery(TCustomAxisPanel* Chart) {
  if (Chart == nullptr) return;
  for (int I = 0; I < Chart->SeriesCount(); ++I) Chart->GetSeries(I)->PrepareForGallery(true);
}

double TKorFunction::Calculate(TChartSeries*, int, int) {
  return 0;
}

double TKorFunction::CalculateMany(const std::vector<TComponent*>&, int) {
  return 0;
}

namespace {

// The sum of the change counts of a series' value lists: an appended point
// raises each of them by one.
std::uint64_t Generations(const TChartSeries& Series) {
  std::uint64_t Sum = 0;
  for (const auto& List : Series.GetValuesList()) Sum += List->GetGeneration();
  return Sum;
}

}  // namespace

void TKorFunction::AddPoints(TChartSeries* Source) {
  FResume = TResume();
  if (FUpdating || Source == nullptr || FParent == nullptr) return;
  if (FParent->GetDataSources().Count() > 1) {
    CalculateManySources(Source);
    return;
  }
  if (Source->Count() > 0) DoCalculation(Source, Source->GetNotMandatory());
  KeepResume(Source);
}

void TKorFunction::KeepResume(TChartSeries* Source) {
  FResume.Valid = true;
  FResume.Source = Source;
  FResume.Count = Source->Count();
  FResume.SourceGenerations = Generations(*Source);
  FResume.ParentGenerations = Generations(*FParent);
}

// Only the point at the end is new, and nothing else changed since the
// last computation, in the source or in the parent's points.
bool TKorFunction::AddedPoint(TChartSeries* Source, int ValueIndex) {
  if (FUpdating || FParent == nullptr || Source == nullptr || FNoSourceRequired) return false;
  const TDataSourcesList& Sources = FParent->GetDataSources();
  if (Sources.Count() != 1 || Sources.Get(0) != Source) return false;
  const int N = Source->Count();
  if (!FResume.Valid || FResume.Source != Source || FResume.Count == 0 || FResume.Count != N - 1 ||
      ValueIndex != N - 1)
    return false;
  const std::uint64_t Lists = static_cast<std::uint64_t>(Source->GetValuesList().Count());
  if (Generations(*Source) != FResume.SourceGenerations + Lists ||
      Generations(*FParent) != FResume.ParentGenerations)
    return false;
  if (!ContinueCalculation(Source, Source->GetNotMandatory())) return false;
  KeepResume(Source);
  return true;
}

// Every period is final once complete, except that a range may take more
// of the points that come: the range that took the last point is taken
// back from the parent and computed again.
bool TKorFunction::ContinueCalculation(TChartSeries* Source, const TChartValueList& NotMandatory) {
  if (FPeriod == 0) return false;
  TPeriodWalk Walk = FResume.Walk;
  if (FPeriodStyle == psRange) {
    const int N = Source->Count();
    if (N < 2 || NotMandatory.GetValue(N - 1) < NotMandatory.GetValue(N - 2)) return false;
    if (!ParentAppendsAtTheEnd(*Source)) return false;
    while (FParent->Count() > Walk.ParentCountBeforeLast) FParent->Delete(FParent->Count() - 1);
    Walk.P = Walk.LastStartP;
    Walk.X = Walk.LastStartX;
  }
  WalkPeriods(Source, NotMandatory, Walk);
  FResume.Walk = Walk;
  return true;
}

bool TKorFunction::ParentAppendsAtTheEnd(const TChartSeries& Source) const {
  const TChartListOrder Order = FParent->GetXValues().GetOrder();
  return Source.GetYMandatory() && (Order == loNone || Order == loAscending);
}

void TKorFunction::DoCalculation(TChartSeries* Source, const TChartValueList& NotMandatory) {
  if (FPeriod != 0)
    CalculateByPeriod(Source, NotMandatory);
  else
    CalculateAllPoints(Source, NotMandatory);
}

void TKorFunction::CalculatePeriod(TChartSeries* Source, int First, int Last, double Position) {
  AddFunctionXY(Source->GetYMandatory(), Calculate(Source, First, Last), Position);
}

void TKorFunction::CalculateAllPoints(TChartSeries* Source, const TChartValueList& NotMandatory) {
  const double V = Calculate(Source, -1, -1);
  const bool YMandatory = Source->GetYMandatory();
  if (!FParent->GetSinglePointFunction()) {
    // A constant line spans the source's range.
    AddFunctionXY(YMandatory, V, NotMandatory.MinValue());
    AddFunctionXY(YMandatory, V, NotMandatory.MaxValue());
    return;
  }
  const double Middle =
      NotMandatory.MinValue() + (NotMandatory.MaxValue() - NotMandatory.MinValue()) / 2;
  if (FParent->GetYMandatory())
    FParent->AddXY(Middle, V);
  else
    FParent->AddXY(V, Middle);
}

double TKorFunction::NextRangeStart(double X) const {
  const TChartAxis* Axis = FParent != nullptr ? FParent->GetHorizAxisObject() : nullptr;
  const TDateTimeStep Step = FindDateTimeStep(FPeriod);
  if (Axis != nullptr && Step != dtNone) {
    Axis->IncDecDateTime(true, X, FPeriod, Step);
    return X;
  }
  return X + FPeriod;
}

void TKorFunction::CalculateByPeriod(TChartSeries* Source, const TChartValueList& NotMandatory) {
  TPeriodWalk Walk;
  Walk.X = Source->Count() > 0 ? NotMandatory.Data()[0] : 0;
  Walk.LastStartX = Walk.X;
  Walk.ParentCountBeforeLast = FParent->Count();
  WalkPeriods(Source, NotMandatory, Walk);
  FResume.Walk = Walk;
}

void TKorFunction::WalkPeriods(TChartSeries* Source, const TChartValueList& NotMandatory,
                               TPeriodWalk& Walk) {
  const int N = Source->Count();
  const double* NM = NotMandatory.Data();
  int& P = Walk.P;
  double& X = Walk.X;
  while (P <= N - 1) {
    const int StartP = P;
    const double StartX = X;
    const int ParentCount = FParent->Count();
    double FirstValue;
    double LastValue = 0;
    int I;
    if (FPeriodStyle == psNumPoints) {
      FirstValue = NM[P];
      // Periods below one point still take one point each.
      I = std::max(1, Round(FPeriod)) + P - 1;
      if (I < N) LastValue = NM[I];
    } else {
      FirstValue = X;
      const double Next = NextRangeStart(X);
      // A period too small to move X would never end the loop.
      if (!(Next > X)) break;
      X = Next;
      LastValue = X - FPeriod * 0.001;
      I = P;
      while (I < N - 1 && NM[I + 1] < LastValue) ++I;
    }
    if (I >= N) break;
    const double Position = FPeriodAlign == paFirst  ? FirstValue
                            : FPeriodAlign == paLast ? LastValue
                                                     : (FirstValue + LastValue) / 2;
    if (FPeriodStyle == psNumPoints || NM[P] < X) {
      CalculatePeriod(Source, P, I, Position);
      P = I + 1;
      Walk.LastStartP = StartP;
      Walk.LastStartX = StartX;
      Walk.ParentCountBeforeLast = ParentCount;
    } else {
      AddFunctionXY(Source->GetYMandatory(), 0, Position);
    }
  }
}

void TKorFunction::CalculateManySources(TChartSeries* Source) {
  const TDataSourcesList& Sources = FParent->GetDataSources();
  std::vector<TComponent*> List;
  TChartSeries* Most = Source;
  for (int I = 0; I < Sources.Count(); ++I) {
    List.push_back(Sources.Get(I));
    auto* S = dynamic_cast<TChartSeries*>(Sources.Get(I));
    if (S != nullptr && S->Count() > Most->Count()) Most = S;
  }
  const TChartValueList& NM = Most->GetNotMandatory();
  for (int A = 0; A < Most->Count(); ++A) {
    const double V = CalculateMany(List, A);
    const double Position = NM.GetValue(A);
    const QString Label = Most->GetXLabel(A);
    if (Most->GetYMandatory())
      FParent->AddXY(Position, V, Label);
    else
      FParent->AddXY(V, Position, Label);
  }
}

TKorMovingFunction::TKorMovingFunction(TComponent* AOwner) : TKorFunction(AOwner) {
  SetPeriod(1);
  SetSingleSource(true);
}

const TPropertyList& TKorMovingFunction::Properties() const {
  using C = TKorMovingFunction;
  static const TPropertyList List(
      TKorFunction::Properties(),
      {PublishedProperty::Double<C>(QStringLiteral("Period"), &C::GetPeriod, &C::SetPeriod, 1.0)});
  return List;
}

void TKorMovingFunction::DoCalculation(TChartSeries* Source, const TChartValueList& NotMandatory) {
  CalculateWindows(Source, NotMandatory, 0);
}

// A window ending at an earlier point keeps its points.
bool TKorMovingFunction::ContinueCalculation(TChartSeries* Source,
                                             const TChartValueList& NotMandatory) {
  CalculateWindows(Source, NotMandatory, Resume().NextMovingIndex);
  return true;
}

void TKorMovingFunction::CalculateWindows(TChartSeries* Source, const TChartValueList& NotMandatory,
                                          int From) {
  const int K = std::max(1, Round(GetPeriod()));
  const int N = Source->Count();
  for (int I = std::max(K - 1, From); I < N; ++I)
    AddFunctionXY(Source->GetYMandatory(), Calculate(Source, I - K + 1, I),
                  NotMandatory.GetValue(I));
  Resume().NextMovingIndex = N;
}
