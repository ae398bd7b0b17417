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

void TKorFunction::AddPoints(TChartSeries* Source) {
  if (FUpdating || Source == nullptr || FParent == nullptr) return;
  if (FParent->GetDataSources().Count() > 1) {
    CalculateManySources(Source);
    return;
  }
  if (Source->Count() > 0) DoCalculation(Source, Source->GetNotMandatory());
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
  const int N = Source->Count();
  const double* NM = NotMandatory.Data();
  int P = 0;
  double X = N > 0 ? NM[0] : 0;
  while (P <= N - 1) {
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
  const int K = std::max(1, Round(GetPeriod()));
  const int N = Source->Count();
  for (int I = K - 1; I < N; ++I)
    AddFunctionXY(Source->GetYMandatory(), Calculate(Source, I - K + 1, I),
                  NotMandatory.GetValue(I));
}
