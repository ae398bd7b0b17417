#include "chart/core/TChartSeries.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/KorRandom.h"
#include "chart/core/KorSeriesData.h"
#include "chart/core/Korconst.h"
#include "chart/core/Korhtml.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TCustomSeriesList.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorFunction.h"
#include "chart/core/TKorSeriesSource.h"
#include "chart/core/TLabelsList.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TMarksItems.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/core/TSeriesMarksSymbol.h"
#include "chart/core/TView3DOptions.h"

#include "platform/FormatSettings.h"
#include "platform/Rounding.h"
#include "platform/ScopeGuard.h"
#include "platform/TDateTime.h"
#include "platform/TFont.h"
#include "platform/TStream.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// The lines of a custom mark text, joined with CR LF (no CR LF after the
// last line).
QString JoinMarkLines(const QStringList& Lines) {
  return Lines.join(QStringLiteral("\r\n"));
}

}  // namespace

// -- construction

TChartSeries::TChartSeries(TComponent* AOwner)
    : TCustomChartSeries(AOwner),
      FDataSources(std::make_unique<TDataSourcesList>(this)),
      FLinkedSeries(std::make_unique<TCustomSeriesList>()),
      FPercentFormat(Korconst::KorMsg_DefPercentFormat),
      FValueFormat(Korconst::KorMsg_DefValueFormat),
      FValuesList(std::make_unique<TChartValueLists>()),
      FLabels(std::make_unique<TLabelsList>(this)) {
  FX = new TChartValueList(this, Korconst::KorMsg_ValuesX);  // owned by FValuesList
  FX->SetOrder(loAscending);
  FY = new TChartValueList(this, Korconst::KorMsg_ValuesY);
  FMandatory = FY;
  FNotMandatory = FX;
  FMarks = std::make_unique<TSeriesMarks>(this);
}

TChartSeries::~TChartSeries() {
  Destroying();
  if (FFunction != nullptr) {
    TKorFunction* Function = FFunction;
    FFunction = nullptr;
    delete Function;
  }
  RemoveAllLinkedSeries();
  // Series that take this one as their source forget it.
  const std::vector<TChartSeries*> Linked(FLinkedSeries->begin(), FLinkedSeries->end());
  for (TChartSeries* S : Linked) S->FDataSources->Remove(this);
  FLinkedSeries->Clear();
  FDataSources->ClearRaw();
  if (GetParentChart() != nullptr) GetParentChart()->RemoveSeries(this);
  ClearLists();
}

const TPropertyList& TChartSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartSeries;
  static const TPropertyList List = [this] {
    TPublishedProperty SeriesColor =
        PP::Color<C>(QStringLiteral("SeriesColor"), &C::GetRawSeriesColor, &C::SetSeriesColor);
    SeriesColor.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetRawSeriesColor() != clDefault;
    };
    TPublishedProperty ColorSource = PP::String<C>(
        QStringLiteral("ColorSource"), &C::ColorSourceText, &C::SetColorSource, QString());
    TPublishedProperty LabelsSource = PP::String<C>(
        QStringLiteral("XLabelsSource"), &C::LabelsSourceText, &C::SetLabelsSource, QString());
    TPublishedProperty PercentFormat =
        PP::String<C>(QStringLiteral("PercentFormat"), &C::PercentFormatText, &C::SetPercentFormat);
    PercentFormat.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetPercentFormat() != Korconst::KorMsg_DefPercentFormat;
    };
    TPublishedProperty ValueFormat =
        PP::String<C>(QStringLiteral("ValueFormat"), &C::ValueFormatText, &C::SetValueFormat);
    ValueFormat.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetValueFormat() != Korconst::KorMsg_DefValueFormat;
    };
    TPublishedProperty DataSources = PP::StringArray<C>(
        QStringLiteral("DataSources"), &C::DataSourceNames, &C::SetDataSourceNames);
    DataSources.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetDataSources().Count() > 1;
    };
    TPublishedProperty CustomHorizAxis = PP::Integer<C>(
        QStringLiteral("CustomHorizAxis"), &C::CustomHorizAxisIndex, &C::SetCustomHorizAxisIndex);
    CustomHorizAxis.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetCustomHorizAxis() != nullptr;
    };
    TPublishedProperty CustomVertAxis = PP::Integer<C>(
        QStringLiteral("CustomVertAxis"), &C::CustomVertAxisIndex, &C::SetCustomVertAxisIndex);
    CustomVertAxis.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetCustomVertAxis() != nullptr;
    };
    TPublishedProperty Data;
    Data.Name = QStringLiteral("Data");
    Data.Kind = TPropertyKind::pkBinary;
    Data.Get = [](const TPersistent& P) { return TPropertyValue(PP::As<C>(P).DataBytes()); };
    Data.Set = [](TPersistent& P, const TPropertyValue& V) {
      PP::As<C>(P).SetDataBytes(std::get<QByteArray>(V));
    };
    Data.Stored = [](const TPersistent& P) { return PP::As<C>(P).IsDataStored(); };
    TPublishedProperty RecalcOptions = PP::Set<C, TSeriesRecalcOptions>(
        QStringLiteral("RecalcOptions"), &C::GetRecalcOptions, &C::SetRecalcOptions,
        {"rOnDelete", "rOnModify", "rOnInsert", "rOnClear"}, AllRecalcOptions);
    return TPropertyList(
        TCustomChartSeries::Properties(),
        {
            SeriesColor,
            PP::Boolean<C>(QStringLiteral("ColorEachPoint"), &C::GetColorEachPoint,
                           &C::SetColorEachPoint, false),
            ColorSource,
            PP::Cursor<C>(QStringLiteral("Cursor"), &C::CursorValue, &C::SetCursorValue, crDefault),
            PP::Component<C>(QStringLiteral("DataSource"), &C::DataSourceName,
                             &C::SetDataSourceName),
            PP::Integer<C>(QStringLiteral("Depth"), &C::GetDepth, &C::SetDepth, -1),
            LabelsSource,
            PP::Object<C, TSeriesMarks>(QStringLiteral("Marks"), &C::MarksObject),
            PercentFormat,
            ValueFormat,
            PP::Object<C, TChartValueList>(QStringLiteral("XValues"), &C::XValuesObject),
            PP::Object<C, TChartValueList>(QStringLiteral("YValues"), &C::YValuesObject),
            PP::Enum<C, THorizAxis>(
                QStringLiteral("HorizAxis"), &C::GetHorizAxis, &C::SetHorizAxis,
                {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"}, aBottomAxis),
            PP::Integer<C>(QStringLiteral("ZOrder"), &C::GetRawZOrder, &C::SetZOrder, -1),
            PP::Enum<C, TVertAxis>(QStringLiteral("VertAxis"), &C::GetVertAxis, &C::SetVertAxis,
                                   {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"},
                                   aLeftAxis),
            RecalcOptions,
            DataSources,
            CustomHorizAxis,
            CustomVertAxis,
            Data,
        });
  }();
  return List;
}

// -- the "Data" stream and the other stream-only properties

bool TChartSeries::IsDataStored() const {
  return FForceSaveData || (FManualData && !FDontSaveData);
}

void TChartSeries::WriteData(TStream& Stream) const {
  WriteSeriesData(*this, Stream);
}

void TChartSeries::ReadData(TStream& Stream) {
  ReadSeriesData(*this, Stream);
}

QByteArray TChartSeries::DataBytes() const {
  TMemoryStream Stream;
  WriteData(Stream);
  return Stream.Bytes();
}

void TChartSeries::SetDataBytes(const QByteArray& Value) {
  TMemoryStream Stream(Value);
  if (!InState(csReading)) {
    ReadData(Stream);
    return;
  }
  // While the series is read, its points wait for all its properties: the
  // order of its value lists decides where each point goes, whether a file
  // sets it before the points or after them. A damaged stream is reported
  // now, as the property is read.
  FPendingData = Value;
  CheckSeriesData(*this, Stream);
}

void TChartSeries::ReadPendingData() {
  if (!FPendingData) return;
  TMemoryStream Stream(*std::exchange(FPendingData, std::nullopt));
  try {
    ReadData(Stream);
  } catch (const Exception&) {
    // The points read so far stay; the damage was reported with the property.
  }
}

QString TChartSeries::DataSourceName() const {
  if (const TComponent* Source = GetDataSource()) return QString::fromStdString(Source->GetName());
  // Read but not resolved yet: the reference is kept, not lost.
  return FTempDataSources.isEmpty() ? QString() : FTempDataSources.first();
}

void TChartSeries::SetDataSourceName(const QString& Value) {
  if (InState(csLoading) || InState(csReading)) {
    // Resolved in Loaded, together with the other sources ("DataSources"
    // names this one first when both are read).
    if (!Value.isEmpty() && !FTempDataSources.contains(Value)) FTempDataSources.prepend(Value);
    return;
  }
  FTempDataSources.clear();
  if (Value.isEmpty()) {
    SetDataSource(nullptr);
    return;
  }
  TComponent* Owner = GetOwner();
  TComponent* Found = Owner != nullptr ? Owner->FindComponent(Value.toStdString()) : nullptr;
  if (Found != nullptr)
    SetDataSource(Found);
  else
    FTempDataSources = QStringList{Value};  // not there yet: Loaded looks again
}

QStringList TChartSeries::DataSourceNames() const {
  QStringList Names;
  for (int I = 0; I < FDataSources->Count(); ++I)
    Names << QString::fromStdString(FDataSources->Get(I)->GetName());
  return Names;
}

TChartAxis* TChartSeries::CustomAxisAt(int Index) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || Index < 0 || Index >= Chart->GetCustomAxes().Count()) return nullptr;
  return Chart->GetCustomAxes().Get(Index);
}

int TChartSeries::CustomHorizAxisIndex() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  return Chart != nullptr ? Chart->GetCustomAxes().IndexOf(FCustomHorizAxis) : -1;
}

void TChartSeries::SetCustomHorizAxisIndex(int Value) {
  if (TChartAxis* Axis = CustomAxisAt(Value)) SetCustomHorizAxis(Axis);
}

int TChartSeries::CustomVertAxisIndex() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  return Chart != nullptr ? Chart->GetCustomAxes().IndexOf(FCustomVertAxis) : -1;
}

void TChartSeries::SetCustomVertAxisIndex(int Value) {
  if (TChartAxis* Axis = CustomAxisAt(Value)) SetCustomVertAxis(Axis);
}

// -- copying

void TChartSeries::Assign(const TPersistent& Source) {
  auto* S = const_cast<TChartSeries*>(dynamic_cast<const TChartSeries*>(&Source));
  if (S == nullptr) {
    TCustomChartSeries::Assign(Source);
    return;
  }
  if (S == this) return;
  TCustomChartSeries::Assign(Source);
  AssignFormat(*S);
  if (S->FFunction != nullptr && FFunction == nullptr) S->FFunction->SetParentSeries(this);
  FManualData = S->FManualData;
  if (S->GetDataSource() == nullptr || S->FManualData) {
    if (S->FManualData || !S->InState(csDesigning)) {
      AssignValues(S);
      if (FFunction == nullptr) {
        // Copied whole, so that the lists have the source's exact lengths.
        FColors = S->FColors ? std::make_unique<std::vector<TColor>>(*S->FColors) : nullptr;
        FLabels->Assign(*S->FLabels);
      }
    }
  } else {
    for (int I = 0; I < S->FDataSources->Count(); ++I)
      InternalAddDataSource(S->FDataSources->Get(I));
  }
  CheckDataSource();
}

void TChartSeries::AssignFormat(const TChartSeries& Source) {
  SetDataSource(nullptr);
  if (Source.FYMandatory == FYMandatory) {
    FX->Assign(*Source.FX);
    FY->Assign(*Source.FY);
  } else {
    FX->Assign(*Source.FY);
    FY->Assign(*Source.FX);
  }
  FLabelsSource = Source.FLabelsSource;
  FColorSource = Source.FColorSource;
  const int Lists = std::min(FValuesList->Count(), Source.FValuesList->Count());
  for (int I = 2; I < Lists; ++I) FValuesList->Get(I)->Assign(*Source.FValuesList->Get(I));
  FMarks->Assign(*Source.FMarks);
  FColor = Source.FColor;
  ChangeInternalColor(Source.FInternalColor);
  FColor = Source.FColor;
  SetColorEachPoint(Source.FColorEachPoint);
  FValueFormat = Source.FValueFormat;
  FPercentFormat = Source.FPercentFormat;
  FCustomHorizAxis = Source.FCustomHorizAxis;
  FCustomVertAxis = Source.FCustomVertAxis;
  FHorizAxis = Source.FHorizAxis;
  FVertAxis = Source.FVertAxis;
  FRecalcOptions = Source.FRecalcOptions;
  FCursor = Source.FCursor;
  FDepth = Source.FDepth;
  RecalcGetAxis();
}

void TChartSeries::Loaded() {
  TCustomChartSeries::Loaded();
  ReadPendingData();
  // Custom mark items were kept through the "Data" read's Clear; from now
  // on clearing the series drops them again.
  FMarks->SetLoadingItems(false);
  if (!FTempDataSources.isEmpty()) {
    FDataSources->ClearRaw();
    TComponent* Owner = GetOwner();
    for (const QString& Name : std::as_const(FTempDataSources)) {
      TComponent* Found = Owner != nullptr ? Owner->FindComponent(Name.toStdString()) : nullptr;
      if (Found != nullptr) InternalAddDataSource(Found);
    }
    FTempDataSources.clear();
  }
  CheckDataSource();
}

void TChartSeries::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomChartSeries::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FFunction) FFunction = nullptr;
  if (AComponent == FPendingSource) FPendingSource = nullptr;
  if (AComponent == GetDataSource()) InternalRemoveDataSource(AComponent);
  // A data source that is not the first is only forgotten.
  if (FDataSources->IndexOf(AComponent) >= 0) FDataSources->Remove(AComponent);
  if (auto* S = dynamic_cast<TChartSeries*>(AComponent)) FLinkedSeries->Remove(S);
}

// -- the points

int TChartSeries::Count() const {
  return FX->Count();
}

void TChartSeries::SetXValues(const TChartValueList& Value) {
  FX->Assign(Value);
  Repaint();
}

void TChartSeries::SetYValues(const TChartValueList& Value) {
  FY->Assign(Value);
  Repaint();
}

TChartValueList& TChartSeries::GetYValueList(const QString& AListName) const {
  for (int I = 2; I < FValuesList->Count(); ++I) {
    TChartValueList* List = FValuesList->Get(I);
    if (List->GetName().compare(AListName, Qt::CaseInsensitive) == 0) return *List;
  }
  return *FY;
}

void TChartSeries::AddValueList(TChartValueList* List) {
  FValuesList->Add(std::unique_ptr<TChartValueList>(List));
}

void TChartSeries::ReplaceList(TChartValueList* OldList, TChartValueList* NewList) {
  if (OldList == nullptr || NewList == nullptr || OldList == NewList) return;
  std::unique_ptr<TChartValueList> New = FValuesList->Extract(NewList);
  if (!New) New.reset(NewList);
  const int Index = FValuesList->IndexOf(OldList);
  if (Index < 0) {
    FValuesList->Add(std::move(New));  // nothing to replace: keep it
    return;
  }
  NewList->SetName(OldList->GetName());
  if (OldList == FX) FX = NewList;
  if (OldList == FY) FY = NewList;
  if (OldList == FMandatory) FMandatory = NewList;
  if (OldList == FNotMandatory) FNotMandatory = NewList;
  std::unique_ptr<TChartValueList> Old = FValuesList->Extract(OldList);
  FValuesList->Insert(Index, std::move(New));
}

void TChartSeries::CheckIndex(int Index) const {
  TChartValueList::CheckValueIndex(Index, Count());
}

double TChartSeries::GetxValue(int ValueIndex) const {
  return FX->GetValue(ValueIndex);
}

double TChartSeries::GetyValue(int ValueIndex) const {
  return FY->GetValue(ValueIndex);
}

// Direct writes: linked series are not told (only a repaint).
void TChartSeries::SetXValue(int Index, double Value) {
  CheckIndex(Index);
  FX->FValues[static_cast<size_t>(Index)] = Value;
  FX->SetModified(true);
  Repaint();
}

void TChartSeries::SetYValue(int Index, double Value) {
  CheckIndex(Index);
  FY->FValues[static_cast<size_t>(Index)] = Value;
  FY->SetModified(true);
  Repaint();
}

QString TChartSeries::GetXLabel(int Index) const {
  return FLabels->GetLabel(Index);
}

void TChartSeries::SetXLabel(int Index, const QString& Value) {
  CheckIndex(Index);
  FLabels->SetLabel(Index, Value);
}

double TChartSeries::GetMarkValue(int ValueIndex) const {
  return FMandatory->GetValue(ValueIndex);
}

double TChartSeries::GetOriginValue(int ValueIndex) const {
  return GetMarkValue(ValueIndex);
}

double TChartSeries::MaxXValue() const {
  return FX->MaxValue();
}

double TChartSeries::MaxYValue() const {
  return FY->MaxValue();
}

double TChartSeries::MinXValue() const {
  return FX->MinValue();
}

double TChartSeries::MinYValue() const {
  return FY->MinValue();
}

double TChartSeries::MaxZValue() const {
  return GetZOrder();
}

double TChartSeries::MinZValue() const {
  return GetZOrder();
}

// -- adding

int TChartSeries::AddXY(double AXValue, double AYValue, const QString& ALabel, TColor AColor) {
  FX->SetTempValue(AXValue);
  FY->SetTempValue(AYValue);
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  const int Index = FX->AddChartValue();
  FY->InsertChartValue(Index, FY->GetTempValue());
  for (int I = 2; I < FValuesList->Count(); ++I) {
    TChartValueList* List = FValuesList->Get(I);
    List->InsertChartValue(Index, List->GetTempValue());
  }
  if (FColors) {
    FColors->insert(FColors->begin() + std::min<size_t>(Index, FColors->size()), AColor);
  } else if (AColor != clDefault) {
    EnsureColorList();
    (*FColors)[static_cast<size_t>(Index)] = AColor;
  }
  if (!ALabel.isEmpty() || FLabels->Count() > 0) FLabels->InsertLabel(Index, ALabel);
  if (FUpdateCount == 0) NotifyNewValue(this, Index);
  return Index;
}

int TChartSeries::Add(double AValue, const QString& ALabel, TColor AColor) {
  if (FYMandatory) return AddXY(Count(), AValue, ALabel, AColor);
  return AddXY(AValue, FY->Count(), ALabel, AColor);
}

int TChartSeries::AddX(double AXValue, const QString& ALabel, TColor AColor) {
  return AddXY(AXValue, Count(), ALabel, AColor);
}

int TChartSeries::AddY(double AYValue, const QString& ALabel, TColor AColor) {
  return AddXY(Count(), AYValue, ALabel, AColor);
}

int TChartSeries::AddNull(double Value) {
  return Add(Value, QString(), clNone);
}

int TChartSeries::AddNull(const QString& ALabel) {
  return Add(0, ALabel, clNone);
}

int TChartSeries::AddNullXY(double X, double Y, const QString& ALabel) {
  return AddXY(X, Y, ALabel, clNone);
}

int TChartSeries::AddArray(const std::vector<double>& Values, int HighIndex) {
  HighIndex = std::min(HighIndex, static_cast<int>(Values.size()) - 1);
  BeginUpdate();
  TScopeGuard End([this] { EndUpdate(); });
  for (int I = 0; I <= HighIndex; ++I) Add(Values[static_cast<size_t>(I)], QString(), clDefault);
  return HighIndex + 1;
}

// -- removing

void TChartSeries::Delete(int ValueIndex) {
  if (ValueIndex < 0 || ValueIndex >= Count())
    throw ChartException(Format(Korconst::KorMsg_SeriesDelete, {ValueIndex, Count() - 1}));
  for (const auto& List : *FValuesList) List->Delete(ValueIndex, 1);
  if (FColors && ValueIndex < static_cast<int>(FColors->size()))
    FColors->erase(FColors->begin() + ValueIndex);
  if (ValueIndex < FLabels->Count()) FLabels->DeleteLabel(ValueIndex);
  FMarks->GetPositions().Delete(ValueIndex);
  FMarks->GetItems().Delete(ValueIndex);
  NotifyValue(veDelete, ValueIndex);
  if (GetActive()) Repaint();
}

void TChartSeries::Delete(int Start, int Quantity, bool RemoveGap) {
  if (Start < 0 || Start >= Count() || Quantity < 1) return;
  Quantity = std::min(Quantity, Count() - Start);
  for (const auto& List : *FValuesList) List->Delete(Start, Quantity);
  if (FColors && Start < static_cast<int>(FColors->size())) {
    const int Cut = std::min<int>(Quantity, static_cast<int>(FColors->size()) - Start);
    FColors->erase(FColors->begin() + Start, FColors->begin() + Start + Cut);
    if (FColors->empty()) FColors.reset();
  }
  FLabels->Delete(Start, Quantity);
  FMarks->GetPositions().Delete(Start, Quantity);
  FMarks->GetItems().Delete(Start, Quantity);
  NotifyValue(veDelete, -1);
  if (GetActive()) Repaint();
  if (RemoveGap) FNotMandatory->FillSequence();
}

void TChartSeries::ClearLists() {
  for (const auto& List : *FValuesList) List->ClearValues();
  FColors.reset();
  FLabels->Clear();
  FMarks->Clear();
}

void TChartSeries::Clear() {
  FFirstVisibleIndex = -1;
  FLastVisibleIndex = -1;
  ClearLists();
  if (OnClearValues) OnClearValues(this);
  NotifyValue(veClear, 0);
  if (FFunction != nullptr) FFunction->Clear();
  if (GetActive() && GetParentChart() != nullptr && !GetParentChart()->InState(csDestroying))
    Repaint();
}

// -- colours

void TChartSeries::EnsureColorList() {
  if (!FColors) FColors = std::make_unique<std::vector<TColor>>();
  if (static_cast<int>(FColors->size()) < Count())
    FColors->resize(static_cast<size_t>(Count()), clDefault);
}

TColor TChartSeries::GetSeriesColor() const {
  return FColor == clDefault ? FInternalColor : FColor;
}

void TChartSeries::SetSeriesColor(TColor AColor) {
  if (FColor == clDefault && AColor == FInternalColor) return;
  // The colour it has already: nothing to tell the chart's listeners.
  if (AColor == FColor && AColor == FInternalColor) return;
  SetColorProperty(FColor, AColor);
  FInternalColor = FColor;
  NotifyColorChanged();
}

void TChartSeries::ChangeInternalColor(TColor Value) {
  FInternalColor = Value;
  SetSeriesColor(Value);
}

void TChartSeries::SetColorEachPoint(bool Value) {
  SetBooleanProperty(FColorEachPoint, Value);
}

TColor TChartSeries::GetOwnColor(int ValueIndex) const {
  if (!FColors || ValueIndex < 0 || ValueIndex >= static_cast<int>(FColors->size()))
    return clDefault;
  return (*FColors)[static_cast<size_t>(ValueIndex)];
}

TColor TChartSeries::GetValueColor(int ValueIndex) const {
  const TColor Own = GetOwnColor(ValueIndex);
  if (Own != clDefault) return Own;
  if (FColorEachPoint) {
    const TCustomAxisPanel* Chart = GetParentChart();
    return Chart != nullptr ? Chart->GetDefaultColor(ValueIndex) : GetDefaultColor(ValueIndex);
  }
  return GetSeriesColor();
}

void TChartSeries::SetValueColor(int ValueIndex, TColor AColor) {
  CheckIndex(ValueIndex);
  if (!FColors && AColor == clDefault) return;
  EnsureColorList();
  (*FColors)[static_cast<size_t>(ValueIndex)] = AColor;
  Repaint();
}

bool TChartSeries::IsNull(int ValueIndex) const {
  return GetValueColor(ValueIndex) == clNone;
}

void TChartSeries::SetNull(int ValueIndex, bool Null) {
  SetValueColor(ValueIndex, Null ? clNone : clDefault);
}

void TChartSeries::ColorRange(const TChartValueList& AValueList, double FromValue, double ToValue,
                              TColor AColor) {
  for (int I = 0; I < AValueList.Count(); ++I) {
    const double V = AValueList.Data()[I];
    if (V >= FromValue && V <= ToValue && !IsNull(I)) {
      EnsureColorList();
      (*FColors)[static_cast<size_t>(I)] = AColor;
    }
  }
  Repaint();
}

void TChartSeries::NotifyColorChanged() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  Chart->BroadcastSeriesEvent(this, seChangeColor);
}

// -- formats and plain properties

void TChartSeries::SetValueFormat(const QString& Value) {
  SetStringProperty(FValueFormat, Value);
}

void TChartSeries::SetPercentFormat(const QString& Value) {
  SetStringProperty(FPercentFormat, Value);
}

void TChartSeries::SetColorSource(const QString& Value) {
  if (SetIfChanged(FColorSource, Value)) CheckDataSource();
}

void TChartSeries::SetLabelsSource(const QString& Value) {
  if (SetIfChanged(FLabelsSource, Value)) CheckDataSource();
}

void TChartSeries::SetDepth(int Value) {
  SetIntegerProperty(FDepth, Value);
}

void TChartSeries::SetMarks(const TSeriesMarks& Value) {
  FMarks->Assign(Value);
}

void TChartSeries::SetShowInLegend(bool Value) {
  TCustomChartSeries::SetShowInLegend(Value);
}

void TChartSeries::SetTitle(const QString& Value) {
  if (Value == GetTitle()) return;
  TCustomChartSeries::SetTitle(Value);
  if (GetParentChart() != nullptr) GetParentChart()->BroadcastSeriesEvent(this, seChangeTitle);
}

void TChartSeries::SetActive(bool Value) {
  if (Value == GetActive()) return;
  TCustomChartSeries::SetActive(Value);
  if (GetParentChart() != nullptr) GetParentChart()->BroadcastSeriesEvent(this, seChangeActive);
}

int TChartSeries::GetZOrder() const {
  return FZOrder == -1 ? FInternalZOrder : FZOrder;
}

void TChartSeries::SetZOrder(int Value) {
  SetIntegerProperty(FZOrder, Value);
  FInternalZOrder = Value == -1 ? 0 : Value;
}

// -- texts

QString TChartSeries::FormatValue(double Value) const {
  return FormatFloat(FValueFormat, Value);
}

double TChartSeries::PercentTotal() const {
  return FMandatory->TotalABS();
}

double TChartSeries::PercentOfTotal(double Value) const {
  const double Total = PercentTotal();
  return Total == 0 ? 100.0 : Value * 100.0 / Total;
}

QString TChartSeries::MarkPercent(int ValueIndex, bool AddTotal) const {
  const QString Percent =
      FormatFloat(FPercentFormat, PercentOfTotal(std::fabs(GetMarkValue(ValueIndex))));
  if (!AddTotal) return Percent;
  const QString& Of = FMarks->GetMultiLine() ? Korconst::KorMsg_DefaultPercentOf2
                                             : Korconst::KorMsg_DefaultPercentOf;
  return Format(Of, {Percent, FormatValue(PercentTotal())});
}

QString TChartSeries::MarkXText(int ValueIndex) const {
  const double X = FNotMandatory->GetValue(ValueIndex);
  const TChartAxis* Axis = FYMandatory ? FGetHorizAxis : FGetVertAxis;
  return Axis != nullptr ? Axis->LabelValue(X) : FormatValue(X);
}

QString TChartSeries::GetMarkText(int ValueIndex) {
  QString Text;
  const TMarksItem* Item = FMarks->GetItems().Existing(ValueIndex);
  if (Item != nullptr && Item->ExistingText() != nullptr) {
    Text = JoinMarkLines(*Item->ExistingText());
  } else {
    const QString Separator = FMarks->GetMultiLine() ? QString(KorLineSeparator) : QString(u' ');
    const QString ValueText = FormatValue(GetMarkValue(ValueIndex));
    QString Label = GetXLabel(ValueIndex);
    const QString LabelOrValue = Label.isEmpty() ? ValueText : Label;
    switch (FMarks->GetStyle()) {
      case smsValue: Text = ValueText; break;
      case smsPercent: Text = MarkPercent(ValueIndex, false); break;
      case smsLabel: Text = LabelOrValue; break;
      case smsLabelPercent: Text = LabelOrValue + Separator + MarkPercent(ValueIndex, false); break;
      case smsLabelValue: Text = LabelOrValue + Separator + ValueText; break;
      case smsLegend:
        Text = GetParentChart() != nullptr
                   ? GetParentChart()->FormattedValueLegend(this, ValueIndex)
                   : QString();
        if (!FMarks->GetMultiLine()) Text.replace(KorColumnSeparator, QChar(u' '));
        break;
      case smsPercentTotal: Text = MarkPercent(ValueIndex, true); break;
      case smsLabelPercentTotal:
        Text = LabelOrValue + Separator + MarkPercent(ValueIndex, true);
        break;
      case smsXValue: Text = MarkXText(ValueIndex); break;
      case smsXY: Text = MarkXText(ValueIndex) + Separator + ValueText; break;
    }
  }
  if (OnGetMarkText) OnGetMarkText(this, ValueIndex, Text);
  return Text;
}

QString TChartSeries::LegendValueText(double Value) const {
  if (FMandatory->GetDateTime()) {
    const double Range = FMandatory->Range();
    return FormatDateTime(DateTimeDefaultFormat(Range), Value);
  }
  return FormatValue(Value);
}

QString TChartSeries::LegendString(int LegendIndex, TLegendTextStyle LegendTextStyle) {
  const int ValueIndex = LegendToValueIndex(LegendIndex);
  const QString Label = GetXLabel(ValueIndex);
  const double Value = GetMarkValue(ValueIndex);
  const QString Separator(KorColumnSeparator);
  auto ValueText = [&] { return LegendValueText(Value); };
  auto PercentText = [&] { return FormatFloat(FPercentFormat, PercentOfTotal(Value)); };
  auto XText = [&] {
    const double X = FX->GetValue(ValueIndex);
    return FGetHorizAxis != nullptr ? FGetHorizAxis->LabelValue(X) : FormatValue(X);
  };
  auto WithLabelAfter = [&](const QString& First) {
    return Label.isEmpty() ? First : First + Separator + Label;
  };
  auto WithLabelBefore = [&](const QString& Last) {
    return Label.isEmpty() ? Last : Label + Separator + Last;
  };
  switch (LegendTextStyle) {
    case ltsPlain: return Label;
    case ltsLeftValue: return WithLabelAfter(ValueText());
    case ltsRightValue: return WithLabelBefore(ValueText());
    case ltsLeftPercent: return WithLabelAfter(PercentText());
    case ltsRightPercent: return WithLabelBefore(PercentText());
    case ltsXValue: return XText();
    case ltsValue: return ValueText();
    case ltsPercent: return PercentText();
    case ltsXAndValue: return XText() + Separator + ValueText();
    case ltsXAndPercent: return XText() + Separator + PercentText();
  }
  return Label;
}

int TChartSeries::MaxMarkWidth() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return 0;
  int Result = 0;
  for (int I = 0; I < Count(); ++I) {
    if (!FMarks->MarkItem(I).GetVisible()) continue;
    int Lines = 0;
    Result = std::max(Result, Chart->MultiLineTextWidth(GetMarkText(I), Lines));
  }
  return Result;
}

QString TChartSeries::XValueToText(double AValue) const {
  return FGetHorizAxis != nullptr ? FGetHorizAxis->LabelValue(AValue) : FormatValue(AValue);
}

QString TChartSeries::YValueToText(double AValue) const {
  return FGetVertAxis != nullptr ? FGetVertAxis->LabelValue(AValue) : FormatValue(AValue);
}

// -- axes

void TChartSeries::RecalcGetAxis() {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) {
    FGetHorizAxis = nullptr;
    FGetVertAxis = nullptr;
    return;
  }
  FGetHorizAxis = Chart->GetBottomAxis();
  if (FHorizAxis == aTopAxis) FGetHorizAxis = Chart->GetTopAxis();
  if (FHorizAxis == aCustomHorizAxis && FCustomHorizAxis != nullptr)
    FGetHorizAxis = FCustomHorizAxis;
  FGetVertAxis = Chart->GetLeftAxis();
  if (FVertAxis == aRightAxis) FGetVertAxis = Chart->GetRightAxis();
  if (FVertAxis == aCustomVertAxis && FCustomVertAxis != nullptr) FGetVertAxis = FCustomVertAxis;
}

void TChartSeries::SetHorizAxis(THorizAxis Value) {
  if (Value == FHorizAxis) return;
  FHorizAxis = Value;
  if (Value != aCustomHorizAxis && !InState(csLoading)) FCustomHorizAxis = nullptr;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis Value) {
  if (Value == FVertAxis) return;
  FVertAxis = Value;
  if (Value != aCustomVertAxis && !InState(csLoading)) FCustomVertAxis = nullptr;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* Value) {
  FCustomHorizAxis = Value;
  FHorizAxis = Value != nullptr ? aCustomHorizAxis : aBottomAxis;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* Value) {
  FCustomVertAxis = Value;
  FVertAxis = Value != nullptr ? aCustomVertAxis : aLeftAxis;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::CustomAxisRemoved(const TChartAxis* Axis) {
  if (Axis == nullptr) return;
  if (FCustomHorizAxis == Axis) SetCustomHorizAxis(nullptr);
  if (FCustomVertAxis == Axis) SetCustomVertAxis(nullptr);
}

bool TChartSeries::AssociatedToAxis(const TChartAxis* Axis) const {
  if (Axis == nullptr || !UseAxis()) return false;
  if (Axis->GetHorizontal()) return FHorizAxis == aBothHorizAxis || Axis == FGetHorizAxis;
  return FVertAxis == aBothVertAxis || Axis == FGetVertAxis;
}

TChartValueList* TChartSeries::ValueListOfAxis(const TChartAxis* Axis) const {
  if (!AssociatedToAxis(Axis)) return nullptr;
  return Axis->GetHorizontal() ? FX : FY;
}

TChartAxis* TChartSeries::MandatoryAxis() const {
  return FYMandatory ? FGetVertAxis : FGetHorizAxis;
}

// -- conversions (no axis: position 0, value 0)

int TChartSeries::CalcXPos(int ValueIndex) const {
  return CalcXPosValue(FX->GetValue(ValueIndex));
}

int TChartSeries::CalcYPos(int ValueIndex) const {
  return CalcYPosValue(FY->GetValue(ValueIndex));
}

int TChartSeries::CalcXPosValue(double Value) const {
  return FGetHorizAxis != nullptr ? FGetHorizAxis->CalcXPosValue(Value) : 0;
}

int TChartSeries::CalcYPosValue(double Value) const {
  return FGetVertAxis != nullptr ? FGetVertAxis->CalcYPosValue(Value) : 0;
}

int TChartSeries::CalcPosValue(double Value) const {
  return FYMandatory ? CalcYPosValue(Value) : CalcXPosValue(Value);
}

int TChartSeries::CalcXSizeValue(double Value) const {
  return FGetHorizAxis != nullptr ? FGetHorizAxis->CalcSizeValue(Value) : 0;
}

int TChartSeries::CalcYSizeValue(double Value) const {
  return FGetVertAxis != nullptr ? FGetVertAxis->CalcSizeValue(Value) : 0;
}

double TChartSeries::XScreenToValue(int ScreenPos) const {
  return FGetHorizAxis != nullptr ? FGetHorizAxis->CalcPosPoint(ScreenPos) : 0.0;
}

double TChartSeries::YScreenToValue(int ScreenPos) const {
  return FGetVertAxis != nullptr ? FGetVertAxis->CalcPosPoint(ScreenPos) : 0.0;
}

void TChartSeries::GetCursorValues(double& XValue, double& YValue) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  const TPoint P = Chart != nullptr ? Chart->GetCursorPos() : TPoint{0, 0};
  XValue = XScreenToValue(P.X);
  YValue = YScreenToValue(P.Y);
}

int TChartSeries::GetCursorValueIndex() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return -1;
  return Clicked(Chart->GetCursorPos());
}

// -- drawing hooks

void TChartSeries::CalcFirstLastVisibleIndex() {
  FFirstVisibleIndex = -1;
  FLastVisibleIndex = -1;
  const int N = Count();
  if (N < 1) return;
  const TCustomAxisPanel* Chart = GetParentChart();
  const TChartAxis* Axis = FYMandatory ? FGetHorizAxis : FGetVertAxis;
  if (!FCalcVisiblePoints || FNotMandatory->GetOrder() == loNone || Chart == nullptr ||
      Axis == nullptr) {
    FFirstVisibleIndex = 0;
    FLastVisibleIndex = N - 1;
    return;
  }
  const TRect& R = Chart->GetPlotRect();
  const bool Inverted = Axis->GetInverted();
  const int StartPixel =
      FYMandatory ? (Inverted ? R.Right : R.Left) : (Inverted ? R.Top : R.Bottom);
  const int EndPixel = FYMandatory ? (Inverted ? R.Left : R.Right) : (Inverted ? R.Bottom : R.Top);
  const double Low = Axis->CalcPosPoint(StartPixel);
  const double* V = FNotMandatory->Data();
  int First = 0;
  while (First < N && !(V[First] >= Low)) ++First;
  if (First == N) return;
  FFirstVisibleIndex = First;
  const double High = Axis->CalcPosPoint(EndPixel);
  if (V[N - 1] > High) {
    int Last = First;
    while (Last < N && !(V[Last] >= High)) ++Last;
    if (Last == N) Last = N - 1;
    if (!FDrawBetweenPoints && V[Last] > High) --Last;
    FLastVisibleIndex = Last;
  } else {
    FLastVisibleIndex = N - 1;
  }
}

int TChartSeries::VisibleCount() const {
  if (FFirstVisibleIndex == -1 || FLastVisibleIndex == -1) return 0;
  return FLastVisibleIndex - FFirstVisibleIndex + 1;
}

int TChartSeries::FirstDisplayedIndex() const {
  return DrawValuesForward() ? FFirstVisibleIndex : FLastVisibleIndex;
}

void TChartSeries::CalcZOrder() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  if (FZOrder == -1) {
    if (Chart->GetView3D()) {
      Chart->SetZOrderCount(Chart->GetZOrderCount() + 1);
      FInternalZOrder = Chart->GetZOrderCount();
    } else {
      FInternalZOrder = 0;
    }
  } else {
    // The chart's pass turns the internal order into a depth slot, so it
    // starts from the fixed order on every pass.
    FInternalZOrder = FZOrder;
    Chart->SetZOrderCount(std::max(Chart->GetZOrderCount(), FZOrder));
  }
}

void TChartSeries::CalcDepthPositions() {
  const TCustomAxisPanel* Chart = GetParentChart();
  const int SeriesDepth = Chart != nullptr ? Chart->GetSeriesDepth3D() : 0;
  FStartZ = SeriesDepth * FInternalZOrder;
  FEndZ = FStartZ + (FDepth == -1 ? SeriesDepth : FDepth);
  FMiddleZ = (FStartZ + FEndZ) / 2;
  FMarks->SetZPosition(FMiddleZ);
}

bool TChartSeries::MoreSameZOrder() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || !Chart->GetApplyZOrder()) return false;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    const TChartSeries* S = Chart->GetSeries(I);
    if (S != this && S->GetActive() && S->GetZOrder() == GetZOrder()) return true;
  }
  return false;
}

bool TChartSeries::FirstInZOrder() const {
  if (!GetActive()) return false;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return true;
  for (int I = 0; I < Chart->SeriesCount(); ++I) {
    const TChartSeries* S = Chart->GetSeries(I);
    if (S == this) return true;
    if (S->GetActive() && S->GetZOrder() == GetZOrder()) return false;
  }
  return true;
}

bool TChartSeries::DrawValuesForward() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  const bool RotationInverted = Chart != nullptr && Chart->GetRotationInverted();
  if (FYMandatory) {
    const bool Inverted = FGetHorizAxis != nullptr && FGetHorizAxis->GetInverted();
    return RotationInverted ? Inverted : !Inverted;
  }
  return !(FGetVertAxis != nullptr && FGetVertAxis->GetInverted());
}

bool TChartSeries::DrawSeriesForward(int) const {
  const TCustomAxisPanel* Chart = GetParentChart();
  return !(Chart != nullptr && Chart->GetRotationInverted());
}

void TChartSeries::DoBeforeDrawValues() {
  if (OnBeforeDrawValues) OnBeforeDrawValues(this);
}

void TChartSeries::DoAfterDrawValues() {
  if (OnAfterDrawValues) OnAfterDrawValues(this);
}

// -- marks

namespace {

// The item's font on the canvas. A flat text surface of a zoomed 3D chart
// scales it here, since mark texts are written in 2D there.
void AssignMarkFont(TCustomAxisPanel& Chart, TKorCustomShape& Item) {
  TCanvas3D& C = Chart.GetPanelCanvas();
  C.AssignFont(Item.GetFont());
  const TView3DOptions& View = Chart.GetView3DOptions();
  if (!Chart.GetView3D() || C.GetSupports3DText() || !View.GetZoomText() || View.GetZoom() == 100)
    return;
  TFont& Font = C.GetFont();
  Font.SetSize(std::max(1, Round(Font.GetSize() * View.GetZoom() / 100.0)));
}

// Width and height of the box around Text in the canvas font: a "W" wider
// than the text, room for the symbol, and the frame on every side.
TSize MarkBoxSize(TCanvas3D& C, const TKorCustomShape& Item, bool WithSymbol, const QString& Text) {
  const int LineHeight = C.TextHeight(QStringLiteral("W"));
  TSize Size;
  if (Item.GetTextFormat() == ttfHtml) {
    Size = HtmlTextExtent(C, Text);
  } else {
    const QStringList Lines = MarkTextLines(Text);
    for (const QString& Line : Lines) Size.cx = std::max(Size.cx, C.TextWidth(Line));
    Size.cy = static_cast<int>(Lines.size()) * LineHeight;
  }
  Size.cx += C.TextWidth(QStringLiteral("W"));
  if (WithSymbol) Size.cx += LineHeight - 4;
  const int Frame = Item.GetPen().GetVisible() ? 2 * Item.GetPen().GetWidth() : 1;
  Size.cx += Frame;
  Size.cy += Frame;
  return Size;
}

}  // namespace

void TChartSeries::DrawMarks() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || FFirstVisibleIndex < 0) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  const int Every = FMarks->EffectiveDrawEvery();
  TSeriesMarkPosition Position;  // one for the whole pass
  const int Last = std::min(FLastVisibleIndex, Count() - 1);
  for (int I = FFirstVisibleIndex; I <= Last; ++I) {
    if (I % Every != 0 || IsNull(I)) continue;
    const QString Text = GetMarkText(I);
    if (Text.isEmpty()) continue;
    TKorCustomShape& Item = FMarks->MarkItem(I);
    if (!Item.GetVisible()) continue;
    AssignMarkFont(*Chart, Item);
    const TSeriesMarksSymbol* Symbol = FMarks->ExistingSymbol();
    const TSize Size = MarkBoxSize(C, Item, Symbol != nullptr && Symbol->ShouldDraw(), Text);
    const TPoint At(CalcXPos(I), CalcYPos(I));
    Position.ArrowFrom = At;
    Position.ArrowTo = At;
    Position.Width = Size.cx;
    Position.Height = Size.cy;
    Position.LeftTop = TPoint(At.X - Size.cx / 2, At.Y - Size.cy + 1);
    if (Symbol != nullptr) {
      const int H = C.TextHeight(QStringLiteral("W"));
      const TPoint& P = Position.LeftTop;
      FMarks->GetSymbol()->SetShapeBounds(TRect(P.X + 2, P.Y + 2, P.X + 2 + H, P.Y + 2 + H));
    }
    DrawMark(I, Text, Position);
  }
}

void TChartSeries::DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) {
  FMarks->InternalDraw(ValueIndex, GetValueColor(ValueIndex), St, APosition);
}

void TChartSeries::DrawAllValues() {
  if (FLastVisibleIndex < FFirstVisibleIndex || FFirstVisibleIndex < 0) return;
  if (DrawValuesForward()) {
    for (int I = FFirstVisibleIndex; I <= FLastVisibleIndex; ++I) DrawValue(I);
  } else {
    for (int I = FLastVisibleIndex; I >= FFirstVisibleIndex; --I) DrawValue(I);
  }
}

void TChartSeries::DrawValue(int) {}

void TChartSeries::DrawLegend(int ValueIndex, const TRect& Rect) {
  if (ValueIndex == -1 && FColorEachPoint) return;
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  const bool OldAutoRepaint = Chart->GetAutoRepaint();
  Chart->SetAutoRepaint(false);
  TScopeGuard Restore([Chart, OldAutoRepaint] { Chart->SetAutoRepaint(OldAutoRepaint); });
  TCanvas3D& Canvas = Chart->GetPanelCanvas();
  const TColor Color = ValueIndex == -1 ? GetSeriesColor() : LegendItemColor(ValueIndex);
  Canvas.GetBrush().SetColor(Color);
  if (Color == clNone) return;
  TColor BackColor = Chart->GetLegendBackColor();
  TBrushStyle Style = GetBrush().GetStyle();
  Canvas.AssignVisiblePen(GetPen());
  PrepareLegendCanvas(ValueIndex, BackColor, Style);
  if (Chart->GetLegendSymbolPen() != nullptr) Canvas.AssignVisiblePen(*Chart->GetLegendSymbolPen());
  if (BackColor == clDefault) {
    BackColor = Chart->GetLegendBackColor();
    if (BackColor == clDefault) BackColor = Chart->GetColor();
  }
  const TBrushStyle OldStyle = GetBrush().GetStyle();
  const bool ChangeStyle = Style != OldStyle && (GetBrush().ExistingImage() == nullptr ||
                                                 GetBrush().ExistingImage()->GetEmpty());
  if (ChangeStyle) GetBrush().SetStyle(Style);
  TScopeGuard RestoreStyle([this, ChangeStyle, OldStyle] {
    if (ChangeStyle) GetBrush().SetStyle(OldStyle);
  });
  Chart->SetBrushCanvas(Canvas.GetBrush().GetColor(), GetBrush(), BackColor);
  DrawLegendShape(ValueIndex, Rect);
}

void TChartSeries::DrawLegendShape(int, const TRect& Rect) {
  if (GetParentChart() != nullptr) GetParentChart()->DrawLegendShape(Rect);
}

void TChartSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle&) {}

int TChartSeries::Clicked(int, int) const {
  return -1;
}

bool TChartSeries::CheckMouse(int X, int Y) {
  if (FCursor == crDefault && !OnMouseEnter && !OnMouseLeave) return false;
  if (Clicked(X, Y) == -1) {
    if (FMouseInside) {
      FMouseInside = false;
      if (OnMouseLeave) OnMouseLeave(this);
    }
    return false;
  }
  TCustomAxisPanel* Chart = GetParentChart();
  if (FCursor != crDefault && Chart != nullptr) Chart->SetCursor(FCursor);
  if (!FMouseInside) {
    FMouseInside = true;
    if (OnMouseEnter) OnMouseEnter(this);
  }
  return true;
}

void TChartSeries::CalcFirstLastPage(int& First, int& Last) const {
  const int N = Count();
  if (N == 0) {
    First = -1;
    Last = -1;
    return;
  }
  const TCustomAxisPanel* Chart = GetParentChart();
  const int P = Chart != nullptr ? Chart->GetMaxPointsPerPage() : 0;
  if (P <= 0) {
    First = 0;
    Last = N - 1;
    return;
  }
  const int Page = std::max(1, Chart->GetPage());
  First = P == 1 ? Page - 1 : P * (Page - 1);
  // A page past the end shows the last page.
  if (First >= N) First = P * ((N - 1) / P);
  Last = First + P - 1;
  if (Last >= N) Last = N - 1;
}

// -- the chart

void TChartSeries::Added() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (FColor == clDefault && Chart != nullptr) {
    ChangeInternalColor(Chart->GetFreeSeriesColor(true, this));
    NotifyColorChanged();
  }
  RecalcGetAxis();
  CheckDataSource();
}

void TChartSeries::Removed() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr && FCursor != crDefault && Chart->GetCursor() == FCursor)
    Chart->SetCursor(Chart->GetSavedCursor());
}

void TChartSeries::SetParentChart(TCustomAxisPanel* Value) {
  TCustomAxisPanel* Old = GetParentChart();
  if (Old == Value) return;
  if (Old != nullptr) Old->RemoveSeries(this);
  SetParentChartField(Value);
  FMarks->SetParent(Value);
  if (Value != nullptr) Value->InternalAddSeries(this);
  RecalcGetAxis();
}

// -- update bracket and propagation

void TChartSeries::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount != 0) return;
  TChartSeries* Pending = std::exchange(FPendingSource, nullptr);
  if (Pending != nullptr && FFunction != nullptr && FDataSources->IndexOf(Pending) >= 0) {
    AddValues(Pending);  // refreshes at the end of its own bracket
    return;
  }
  RefreshSeries();
}

void TChartSeries::NotifyNewValue(TChartSeries*, int ValueIndex) {
  if (OnAfterAdd) OnAfterAdd(this, ValueIndex);
  NotifyValue(veAdd, ValueIndex);
  if (GetActive()) Repaint();
}

void TChartSeries::NotifyValue(TValueEvent ValueEvent, int ValueIndex) {
  if (FUpdateCount != 0) return;
  // Copy first: a linked series may unlink itself while it follows.
  const std::vector<TChartSeries*> Linked(FLinkedSeries->begin(), FLinkedSeries->end());
  for (TChartSeries* S : Linked) {
    // A series computed by a function that is in an update bracket
    // computes once, when the bracket ends.
    if (S->FFunction != nullptr && S->FUpdateCount > 0 && ValueEvent != veClear) {
      const bool Follows = (ValueEvent == veAdd && S->HasRecalcOption(rOnInsert)) ||
                           (ValueEvent == veDelete && S->HasRecalcOption(rOnDelete)) ||
                           (ValueEvent == veModify && S->HasRecalcOption(rOnModify)) ||
                           ValueEvent == veRefresh;
      if (Follows) S->FPendingSource = this;
      continue;
    }
    switch (ValueEvent) {
      case veClear:
        if (S->HasRecalcOption(rOnClear)) S->Clear();
        break;
      case veAdd:
        if (!S->HasRecalcOption(rOnInsert)) break;
        if (S->FFunction == nullptr)
          S->AddedValue(this, ValueIndex);
        else
          S->AddedFunctionValue(this, ValueIndex);
        break;
      case veDelete:
        if (!S->HasRecalcOption(rOnDelete)) break;
        if (S->FFunction == nullptr)
          S->DeletedValue(this, ValueIndex);
        else
          S->AddValues(this);
        break;
      case veModify:
        if (S->HasRecalcOption(rOnModify)) S->AddValues(this);
        break;
      case veRefresh: S->AddValues(this); break;
    }
  }
}

void TChartSeries::RefreshSeries() {
  NotifyValue(veRefresh, 0);
  if (GetParentChart() != nullptr) GetParentChart()->BroadcastSeriesEvent(this, seDataChanged);
}

void TChartSeries::CheckDataSource() {
  if (FUpdateCount == 0 && GetParentChart() != nullptr) GetParentChart()->CheckDatasource(this);
}

void TChartSeries::SwapValueIndex(int A, int B) {
  for (const auto& List : *FValuesList)
    std::swap(List->FValues[static_cast<size_t>(A)], List->FValues[static_cast<size_t>(B)]);
  if (FColors) {
    EnsureColorList();
    std::swap((*FColors)[static_cast<size_t>(A)], (*FColors)[static_cast<size_t>(B)]);
  }
  if (FLabels->Count() > 0) FLabels->Exchange(A, B);
  for (const auto& List : *FValuesList) List->SetModified(true);
}

void TChartSeries::SetHorizontal() {
  FMandatory = FX;
  FNotMandatory = FY;
  FYMandatory = false;
}

void TChartSeries::CheckOrder() {
  if (FNotMandatory->GetOrder() != loNone) FNotMandatory->Sort();
}

// -- data sources

TComponent* TChartSeries::GetDataSource() const {
  return FDataSources->First();
}

void TChartSeries::SetDataSource(TComponent* Value) {
  if (Value != nullptr)
    InternalSetDataSource(Value, true);
  else if (TComponent* First = GetDataSource())
    // Removing the first source is what empties the list: "none" must
    // stop the series following its sources, not leave them in place.
    InternalRemoveDataSource(First);
  else
    InternalRemoveDataSource(nullptr);
}

int TChartSeries::InternalSetDataSource(TComponent* Value, bool ClearFirst) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr) {
    if (!Chart->IsValidDataSource(this, Value)) {
      QString Name = QString::fromStdString(Value->GetName());
      if (Name.isEmpty())
        if (auto* P = dynamic_cast<TPersistent*>(Value)) Name = P->ClassName();
      throw ChartException(Format(Korconst::KorMsg_SeriesInvDataSource, {Name}));
    }
  } else if (!IsValidDataSource(Value)) {
    throw ChartException(Korconst::KorMsg_SeriesSetDataSource);
  }
  if (FDataSources->IndexOf(Value) >= 0) return -1;
  if (auto* Source = dynamic_cast<TChartSeries*>(Value); Source != nullptr && Chart != nullptr)
    Chart->CheckOtherSeries(this, Source);
  if (ClearFirst && !InState(csLoading)) {
    RemoveAllLinkedSeries();
    FDataSources->ClearRaw();
  }
  const int Index = InternalAddDataSource(Value);
  CheckDataSource();
  return Index;
}

int TChartSeries::InternalAddDataSource(TComponent* Value) {
  if (Value == nullptr) return -1;
  FDataSources->Append(Value);
  FManualData = false;
  if (auto* Source = dynamic_cast<TChartSeries*>(Value))
    Source->AddLinkedSeries(this);
  else
    Value->FreeNotification(this);
  if (auto* SeriesSource = dynamic_cast<TKorSeriesSource*>(Value)) SeriesSource->MoveToSeries(this);
  return FDataSources->Count() - 1;
}

void TChartSeries::InternalRemoveDataSource(TComponent* Value) {
  if (InState(csDestroying)) return;
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr && GetDataSource() != nullptr) Chart->RemovedDataSource(this, Value);
  if (Value == GetDataSource()) {
    RemoveAllLinkedSeries();
    FDataSources->ClearRaw();
  }
  CheckDataSource();
}

void TChartSeries::RemoveDataSource(TComponent* Value) {
  if (auto* Source = dynamic_cast<TChartSeries*>(Value)) Source->RemoveLinkedSeries(this);
  FDataSources->Remove(Value);
}

bool TChartSeries::IsValidDataSource(TComponent* Value) const {
  const auto* Source = dynamic_cast<const TChartSeries*>(Value);
  return Value != this && Source != nullptr && IsValidSeriesSource(Source);
}

bool TChartSeries::IsValidSeriesSource(const TChartSeries* Value) const {
  return FFunction == nullptr || FFunction->IsValidSource(Value);
}

void TChartSeries::CheckOtherSeries(TChartSeries* Source) {
  if (GetParentChart() != nullptr) GetParentChart()->CheckOtherSeries(this, Source);
}

void TChartSeries::AddLinkedSeries(TChartSeries* Series) {
  if (Series == nullptr || FLinkedSeries->Contains(Series)) return;
  FLinkedSeries->Add(Series);
  Series->FreeNotification(this);
}

void TChartSeries::RemoveLinkedSeries(TChartSeries* Series) {
  if (Series != nullptr) FLinkedSeries->Remove(Series);
}

void TChartSeries::RemoveAllLinkedSeries() {
  for (int I = 0; I < FDataSources->Count(); ++I)
    if (auto* Source = dynamic_cast<TChartSeries*>(FDataSources->Get(I)))
      Source->RemoveLinkedSeries(this);
}

void TChartSeries::AddValues(TChartSeries* Source) {
  BeginUpdate();
  TScopeGuard End([this] { EndUpdate(); });
  Clear();
  if (FFunction != nullptr) {
    FX->SetDateTime(Source->FX->GetDateTime());
    FY->SetDateTime(Source->FY->GetDateTime());
    FFunction->AddPoints(Source);
  } else if (IsValidSourceOf(Source)) {
    for (int I = 0; I < Source->Count(); ++I) AddedValue(Source, I);
  }
}

void TChartSeries::AddedFunctionValue(TChartSeries* Source, int ValueIndex) {
  if (!FFunction->AddedPoint(Source, ValueIndex)) AddValues(Source);
}

void TChartSeries::AddedValue(TChartSeries* Source, int ValueIndex) {
  const int Index = AddChartValue(Source, ValueIndex);
  const TColor Color = Source->GetOwnColor(ValueIndex);
  if (Color != clDefault || FColors) {
    EnsureColorList();
    FColors->insert(FColors->begin() + Index, Color);
    FColors->resize(static_cast<size_t>(Count()));
  }
  const QString Label = Source->GetXLabel(ValueIndex);
  if (!Label.isEmpty() || FLabels->Count() > 0) FLabels->InsertLabel(Index, Label);
  NotifyNewValue(this, Index);
}

int TChartSeries::AddChartValue(TChartSeries* Source, int ValueIndex) {
  double X = Source->FX->GetValue(ValueIndex);
  double Y = Source->FY->GetValue(ValueIndex);
  if (Source->FYMandatory != FYMandatory) std::swap(X, Y);
  const int Index = FX->AddChartValue(X);
  FY->InsertChartValue(Index, Y);
  for (int K = 2; K < FValuesList->Count(); ++K) {
    const double V =
        K < Source->FValuesList->Count() ? Source->FValuesList->Get(K)->GetValue(ValueIndex) : 0.0;
    FValuesList->Get(K)->InsertChartValue(Index, V);
  }
  return Index;
}

void TChartSeries::DeletedValue(TChartSeries*, int ValueIndex) {
  if (ValueIndex >= 0 && ValueIndex < Count()) Delete(ValueIndex);
}

void TChartSeries::ForgetFunction(const TKorFunction* Function) {
  if (FFunction == Function) FFunction = nullptr;
}

void TChartSeries::SetFunction(TKorFunction* Value) {
  if (Value == FFunction) return;
  TKorFunction* Old = FFunction;
  FFunction = nullptr;
  delete Old;
  FFunction = Value;
  if (Value != nullptr) {
    Value->FreeNotification(this);
    if (Value->GetParentSeries() != this) Value->SetParentSeries(this);
  }
  CheckDataSource();
}

// -- sample values

void TChartSeries::FillSampleValues(int NumValues) {
  if (NumValues < 0) throw ChartException(Korconst::KorMsg_FillSample);
  if (NumValues == 0) NumValues = FDefaultSampleCount > 0 ? FDefaultSampleCount : NumSampleValues();
  Clear();
  KorRandomize(static_cast<unsigned>(KorRandom(7774444)));
  BeginUpdate();
  {
    TScopeGuard End([this] { EndUpdate(); });
    AddSampleValues(NumValues, false);
    CheckOrder();
  }
  FManualData = false;
}

TSeriesRandomBounds TChartSeries::RandomBounds(int NumValues) {
  double MinX = 0;
  double MaxX = std::max(0, NumValues - 1);
  double MinY = 0;
  double MaxY = 1000;
  const TCustomAxisPanel* Chart = GetParentChart();
  if (Chart != nullptr && Chart->GetMaxValuesCount() > 0 && FGetVertAxis != nullptr &&
      FGetHorizAxis != nullptr) {
    MinY = Chart->MinYValue(FGetVertAxis);
    MaxY = Chart->MaxYValue(FGetVertAxis);
    if (MaxY == MinY) MaxY = MinY == 0 ? 1000 : 2 * MinY;
    MinX = Chart->MinXValue(FGetHorizAxis);
    MaxX = Chart->MaxXValue(FGetHorizAxis);
    if (MaxX == MinX) MaxX = MinX == 0 ? NumValues - 1 : 2 * MinX;
    if (!FYMandatory) {
      std::swap(MinX, MinY);
      std::swap(MaxX, MaxY);
    }
  } else if (FX->GetDateTime()) {
    MinX = Date();
    MaxX = MinX + NumValues - 1;
  }
  TSeriesRandomBounds Result;
  Result.StartX = MinX;
  Result.StepX = NumValues > 1 ? (MaxX - MinX) / (NumValues - 1) : MaxX - MinX;
  Result.DifY = std::clamp(MaxY - MinY, -2147483647.0, 2147483647.0);
  Result.tmpY = KorRandom(100) * Result.DifY * 0.01 + MinY;
  return Result;
}

void TChartSeries::AddSampleValues(int NumValues, bool OnlyMandatory) {
  TSeriesRandomBounds R = RandomBounds(NumValues);
  const double D = R.DifY * 0.25;
  for (int I = 0; I < NumValues; ++I) {
    R.tmpY = std::fabs(KorRandom(100) * D * 0.01 + R.tmpY - D * 0.5);
    if (OnlyMandatory)
      Add(R.tmpY);
    else if (FYMandatory)
      AddXY(R.StartX, R.tmpY);
    else
      AddXY(R.tmpY, R.StartX);
    R.StartX += R.StepX;
  }
}

double TChartSeries::RandomValue(int Range) {
  return KorRandom(Range);
}

bool TChartSeries::CanAddRandomPoints() const {
  return KorRandomAtRunTime || InState(csDesigning);
}

void TChartSeries::PrepareForGallery(bool IsEnabled) {
  FillSampleValues(4);
  FMarks->SetVisible(false);
  FMarks->GetFont().SetSize(7);
  FMarks->GetCallout()->SetLength(4);
  FMarks->SetDrawEvery(2);
  SetColorEachPoint(false);
  const TCustomAxisPanel* Chart = GetParentChart();
  if (!IsEnabled)
    SetSeriesColor(clSilver);
  else if (Chart != nullptr)
    SetSeriesColor(Chart->GetDefaultColor(Chart->IndexOfSeries(this) == 0 ? 0 : 3));
}

QStringList TChartSeries::CreateSubGallery() const {
  return {Korconst::KorMsg_Normal};
}

void TChartSeries::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TCustomChartSeries::GetChildren(Proc, Root);
  if (FFunction != nullptr) Proc(FFunction);
}
