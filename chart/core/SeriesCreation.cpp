#include "chart/core/SeriesCreation.h"

#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TCustomSeriesList.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TKorFunction.h"

#include "platform/FormatSettings.h"

#include <vector>

namespace {

// The registered class of Instance; raises ChartException when it was
// never registered, as nothing else can make another instance of it.
template <class Base>
TClassOf<Base> RegisteredClassOf(const Base& Instance) {
  const TClassOf<Base> Result = ClassOfInstance(Instance);
  if (!Result)
    throw ChartException(
        Format(QStringLiteral("Class %s is not registered"), {Instance.ClassName()}));
  return Result;
}

// In Series' data sources, NewSource takes OldSource's place (once: when
// NewSource is there already, OldSource only goes). The place matters to
// functions of several sources, whose result depends on their order.
void ReplaceDataSource(TChartSeries& Series, TComponent* OldSource, TComponent* NewSource) {
  TDataSourcesList& Sources = Series.GetDataSources();
  std::vector<TComponent*> Items;
  for (int I = 0; I < Sources.Count(); ++I) Items.push_back(Sources.Get(I));
  Sources.ClearRaw();
  for (TComponent* Item : Items) {
    TComponent* Kept = Item == OldSource ? NewSource : Item;
    if (Sources.IndexOf(Kept) < 0) Sources.Append(Kept);
  }
}

// Every series computed from OldSeries is computed from NewSeries instead.
void MoveLinkedSeries(TChartSeries& OldSeries, TChartSeries& NewSeries) {
  TCustomSeriesList& Linked = OldSeries.GetLinkedSeries();
  while (Linked.Count() > 0) {
    TChartSeries* Dependent = Linked.Get(0);
    ReplaceDataSource(*Dependent, &OldSeries, &NewSeries);
    OldSeries.RemoveLinkedSeries(Dependent);
    NewSeries.AddLinkedSeries(Dependent);
  }
}

void MoveSeriesTools(TCustomAxisPanel& Chart, TChartSeries* OldSeries, TChartSeries* NewSeries) {
  TChartTools& Tools = Chart.GetTools();
  for (int I = 0; I < Tools.Count(); ++I)
    if (auto* Tool = dynamic_cast<TKorCustomToolSeries*>(Tools.Get(I)))
      if (Tool->GetSeries() == OldSeries) Tool->SetSeries(NewSeries);
}

void CopyEventHandlers(const TChartSeries& From, TChartSeries& To) {
  To.OnAfterDrawValues = From.OnAfterDrawValues;
  To.OnBeforeDrawValues = From.OnBeforeDrawValues;
  To.OnAfterAdd = From.OnAfterAdd;
  To.OnBeforeAdd = From.OnBeforeAdd;
  To.OnClearValues = From.OnClearValues;
  To.OnClick = From.OnClick;
  To.OnDblClick = From.OnDblClick;
  To.OnGetMarkText = From.OnGetMarkText;
}

}  // namespace

QString GetNewSeriesName(const TComponent* AOwner) {
  return KorGetUniqueName(AOwner, QStringLiteral("Series"));
}

TKorFunction* CreateNewKorFunction(TChartSeries& ASeries, TKorFunctionClass AFunctionClass) {
  TComponent* Owner = ASeries.GetOwner();
  TKorFunction* Function = AFunctionClass.Create(Owner);
  Function->SetParentSeries(&ASeries);
  Function->SetName(KorGetUniqueName(Owner, QStringLiteral("KorFunction")).toStdString());
  return Function;
}

TChartSeries* CreateNewSeries(TComponent* AOwner, TCustomAxisPanel* AChart,
                              TChartSeriesClass ASeriesClass, TKorFunctionClass AFunctionClass) {
  TComponent* Owner = AOwner != nullptr ? AOwner : AChart;
  if (AChart != nullptr) {
    for (int I = 0; I < AChart->SeriesCount(); ++I)
      if (AChart->GetSeries(I)->GetOwner() == AChart) Owner = AChart;
  }
  TChartSeries* Series = ASeriesClass.Create(Owner);
  Series->SetName(GetNewSeriesName(Owner).toStdString());
  Series->SetParentChart(AChart);
  if (AFunctionClass) CreateNewKorFunction(*Series, AFunctionClass);
  return Series;
}

TChartSeries* CloneChartSeries(TChartSeries& ASeries) {
  return CloneChartSeries(ASeries, ASeries.GetParentChart());
}

TChartSeries* CloneChartSeries(TChartSeries& ASeries, TCustomAxisPanel* AChart) {
  return CloneChartSeries(ASeries, ASeries.GetOwner(), AChart);
}

TChartSeries* CloneChartSeries(TChartSeries& ASeries, TComponent* AOwner,
                               TCustomAxisPanel* AChart) {
  const TChartSeriesClass SeriesClass = RegisteredClassOf<TChartSeries>(ASeries);
  const TKorFunction* Function = ASeries.GetFunction();
  const TKorFunctionClass FunctionClass =
      Function != nullptr ? RegisteredClassOf<TKorFunction>(*Function) : TKorFunctionClass();
  TChartSeries* Clone = CreateNewSeries(AOwner, AChart, SeriesClass, FunctionClass);
  // The new function computes as the original's does (its period and
  // alignment), or the clone would not show the same points.
  if (Function != nullptr) Clone->GetFunction()->Assign(*Function);
  Clone->Assign(ASeries);
  return Clone;
}

TChartSeries* ChangeSeriesType(TChartSeries*& ASeries, TChartSeriesClass ANewClass) {
  if (ANewClass.IsClassOf(ASeries)) return ASeries;
  TChartSeries* NewSeries = CreateNewSeries(ASeries->GetOwner(), ASeries->GetParentChart(),
                                            ANewClass, TKorFunctionClass());
  AssignSeries(ASeries, NewSeries);
  ASeries = NewSeries;
  return ASeries;
}

void ChangeAllSeriesType(TCustomAxisPanel& AChart, TChartSeriesClass ANewClass) {
  for (int I = 0; I < AChart.SeriesCount(); ++I) {
    TChartSeries* Series = AChart.GetSeries(I);
    ChangeSeriesType(Series, ANewClass);
  }
}

void AssignSeries(TChartSeries*& OldSeries, TChartSeries*& NewSeries) {
  if (OldSeries == NewSeries) return;
  NewSeries->Assign(*OldSeries);
  CopyEventHandlers(*OldSeries, *NewSeries);
  const std::string OldName = OldSeries->GetName();
  MoveLinkedSeries(*OldSeries, *NewSeries);
  TCustomAxisPanel* Chart = OldSeries->GetParentChart();
  if (Chart != nullptr) {
    MoveSeriesTools(*Chart, OldSeries, NewSeries);
    Chart->ExchangeSeries(OldSeries, NewSeries);
  }
  delete OldSeries;
  OldSeries = nullptr;
  NewSeries->SetName(OldName);
  Chart = NewSeries->GetParentChart();
  if (Chart != nullptr) Chart->BroadcastSeriesEvent(NewSeries, seChangeTitle);
  NewSeries->CheckDataSource();
  if (NewSeries->GetManualData()) NewSeries->RefreshSeries();
}
