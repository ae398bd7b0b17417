#include "chart/core/TChartValueList.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TChartSeries.h"

#include "platform/FormatSettings.h"

#include <algorithm>
#include <cmath>

TChartValueList::TChartValueList(TChartSeries* AOwner, const QString& AName)
    : FName(AName), FOwner(AOwner) {
  if (FOwner != nullptr) FOwner->AddValueList(this);
}

TChartValueList::~TChartValueList() = default;

const TPropertyList& TChartValueList::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartValueList;
  static const TPropertyList List = [] {
    TPublishedProperty DateTime =
        PP::Boolean<C>(QStringLiteral("DateTime"), &C::GetDateTime, &C::SetDateTime);
    DateTime.Stored = [](const TPersistent& P) {
      const C& L = PP::As<C>(P);
      return L.GetDateTime() != L.GetDefaultDateTime();
    };
    TPublishedProperty Name = PP::String<C>(QStringLiteral("Name"), &C::NameText, &C::SetName);
    TPublishedProperty ValueSource = PP::String<C>(
        QStringLiteral("ValueSource"), &C::ValueSourceText, &C::SetValueSource, QString());
    return TPropertyList{
        DateTime,
        Name,
        PP::Enum<C, TChartListOrder>(QStringLiteral("Order"), &C::GetOrder, &C::SetOrder,
                                     {"loNone", "loAscending", "loDescending"}),
        ValueSource,
    };
  }();
  return List;
}

void TChartValueList::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TChartValueList*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FOrder = Other->FOrder;
  SetDateTime(Other->FDateTime);
  FValueSource = Other->FValueSource;
}

bool TChartValueList::ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) {
  if (Name.compare(QStringLiteral("Multiplier"), Qt::CaseInsensitive) != 0)
    return TPersistent::ReadLegacyProperty(Name, Value);
  double Multiplier = 1;
  if (const double* D = std::get_if<double>(&Value))
    Multiplier = *D;
  else if (const int* I = std::get_if<int>(&Value))
    Multiplier = *I;
  if (Multiplier != 1)
    ShowMessageUser(QStringLiteral("Error: Multiplier property is obsolete.") + QChar(u'\r') +
                    QStringLiteral("Modify KorDefs (enable Multiplier) and recompile."));
  return true;
}

void TChartValueList::SetDateTime(bool Value) {
  if (FOwner != nullptr)
    FOwner->SetBooleanProperty(FDateTime, Value);
  else
    FDateTime = Value;
}

void TChartValueList::InitDateTime(bool Value) {
  FDateTime = Value;
  FDefaultDateTime = Value;
}

void TChartValueList::SetValueSource(const QString& Value) {
  if (!SetIfChanged(FValueSource, Value)) return;
  if (FOwner != nullptr) FOwner->CheckDataSource();
}

void TChartValueList::CheckValueIndex(int Index, int ACount) {
  if (Index < 0 || Index >= ACount)
    throw ChartException(
        Format(QStringLiteral("ValueIndex %d out of bounds (0 to %d)."), {Index, ACount - 1}));
}

double TChartValueList::GetValue(int Index) const {
  CheckIndex(Index);
  return FValues[static_cast<size_t>(Index)];
}

void TChartValueList::SetValue(int Index, double Value) {
  CheckIndex(Index);
  FValues[static_cast<size_t>(Index)] = Value;
  ValuesChanged();
  if (FOwner != nullptr) FOwner->NotifyValue(veModify, Index);
}

void TChartValueList::Grow() {
  if (FCount < Capacity()) return;
  FValues.resize(FValues.size() + KorDefaultCapacity);
}

// Where Order puts Value: after every value that compares equal, so points
// with the same X keep the order they were added in.
int TChartValueList::InsertionIndex(double Value) const {
  const double* V = FValues.data();
  int A = FCount - 1;
  switch (FOrder) {
    case loNone: return FCount;
    case loAscending:
      if (FCount == 0 || Value >= V[A]) return FCount;
      while (A >= 0 && V[A] > Value) --A;
      return A + 1;
    case loDescending:
      if (FCount == 0 || Value <= V[A]) return FCount;
      while (A >= 0 && Value > V[A]) --A;
      return A + 1;
  }
  return FCount;
}

int TChartValueList::AddChartValue(double Value) {
  FTempValue = Value;
  return AddChartValue();
}

int TChartValueList::AddChartValue() {
  const int Index = InsertionIndex(FTempValue);
  InsertChartValue(Index, FTempValue);
  return Index;
}

void TChartValueList::InsertChartValue(int Index, double Value) {
  Index = std::clamp(Index, 0, FCount);
  Grow();
  double* V = FValues.data();
  if (Index < FCount) std::move_backward(V + Index, V + FCount, V + FCount + 1);
  V[Index] = Value;
  ++FCount;
  if (Index == FCount - 1) {
    // The statistics of the values before it still hold: the next query
    // only adds the new ones.
    FModified = true;
    ++FGeneration;
  } else {
    ValuesChanged();
  }
}

void TChartValueList::Delete(int Index) {
  CheckIndex(Index);
  Delete(Index, 1);
}

void TChartValueList::Delete(int Start, int Quantity) {
  if (Start < 0 || Start >= FCount || Quantity < 1) return;
  Quantity = std::min(Quantity, FCount - Start);
  double* V = FValues.data();
  std::move(V + Start + Quantity, V + FCount, V + Start);
  FCount -= Quantity;
  ValuesChanged();
}

void TChartValueList::ClearValues() {
  FCount = 0;
  ValuesChanged();
}

double TChartValueList::First() const {
  return FCount > 0 ? FValues[0] : 0.0;
}

double TChartValueList::Last() const {
  return FCount > 0 ? FValues[static_cast<size_t>(FCount - 1)] : 0.0;
}

double TChartValueList::MaxValue() const {
  if (FModified) UpdateStats();
  return FMaxValue;
}

double TChartValueList::MinValue() const {
  if (FModified) UpdateStats();
  return FMinValue;
}

double TChartValueList::Total() const {
  if (FModified) UpdateStats();
  return FTotal;
}

double TChartValueList::TotalABS() const {
  if (FModified) UpdateStats();
  return FTotalABS;
}

// Values appended since the last computation are added to it, in the
// order a full pass takes them, so the figures are exactly those of a full
// pass; appending point by point then costs nothing more per point.
void TChartValueList::UpdateStats() const {
  if (FStatsCount > 0 && FStatsCount <= FCount)
    RecalcStats(FStatsCount);
  else
    RecalcStats();
}

void TChartValueList::RecalcStats() const {
  if (FCount <= 0) {
    FMinValue = FMaxValue = FTotal = FTotalABS = 0;
    FModified = false;
    FStatsCount = 0;
    return;
  }
  RecalcStats(0);
}

void TChartValueList::RecalcStats(int Start) const {
  if (FCount > 0) {
    const double* V = FValues.data();
    int From = std::max(Start, 0);
    if (From == 0) {
      FMinValue = FMaxValue = FTotal = V[0];
      FTotalABS = std::fabs(V[0]);
      From = 1;
    }
    for (int I = From; I < FCount; ++I) {
      const double X = V[I];
      if (X < FMinValue)
        FMinValue = X;
      else if (X > FMaxValue)
        FMaxValue = X;
      FTotal += X;
      FTotalABS += std::fabs(X);
    }
  }
  FModified = false;
  FStatsCount = FCount;
}

int TChartValueList::Locate(double Value) const {
  return Locate(Value, 0, FCount - 1);
}

int TChartValueList::Locate(double Value, int FirstIndex, int LastIndex) const {
  if (FCount == 0) return -1;
  CheckIndex(FirstIndex);
  CheckIndex(LastIndex);
  for (int I = FirstIndex; I <= LastIndex; ++I)
    if (FValues[static_cast<size_t>(I)] == Value) return I;
  return -1;
}

void TChartValueList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FValues[static_cast<size_t>(Index1)], FValues[static_cast<size_t>(Index2)]);
  ValuesChanged();
  if (FOwner != nullptr) FOwner->NotifyValue(veModify, Index1);
}

void TChartValueList::FillSequence() {
  for (int I = 0; I < FCount; ++I) FValues[static_cast<size_t>(I)] = I;
  ValuesChanged();
  if (FOwner != nullptr) FOwner->NotifyValue(veModify, 0);
}

// The statistics do not change, so the modified flag is left alone.
void TChartValueList::Scroll() {
  if (FCount < 2) return;
  std::rotate(FValues.begin(), FValues.begin() + 1, FValues.begin() + FCount);
  ++FGeneration;
}

void TChartValueList::Sort() {
  if (FOrder == loNone || FCount < 2) return;
  TChartSeries* Owner = FOwner;
  KorSort(
      0, FCount - 1, [this](int A, int B) { return CompareValueIndex(A, B); },
      [this, Owner](int A, int B) {
        if (Owner != nullptr)
          Owner->SwapValueIndex(A, B);
        else
          std::swap(FValues[static_cast<size_t>(A)], FValues[static_cast<size_t>(B)]);
      });
  ValuesChanged();
}

int TChartValueList::CompareValueIndex(int a, int b) const {
  const double A = GetValue(a);
  const double B = GetValue(b);
  const int Result = A < B ? -1 : (A > B ? 1 : 0);
  return FOrder == loDescending ? -Result : Result;
}

QString TChartValueList::ToString(int Index) const {
  return FloatToStr(GetValue(Index));
}

std::unique_ptr<TChartValueList> TChartValueLists::Extract(const TChartValueList* List) {
  auto It = std::find_if(FItems.begin(), FItems.end(),
                         [List](const auto& Item) { return Item.get() == List; });
  if (It == FItems.end()) return nullptr;
  std::unique_ptr<TChartValueList> Taken = std::move(*It);
  FItems.erase(It);
  return Taken;
}

void TChartValueLists::Insert(int Index, std::unique_ptr<TChartValueList> List) {
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, std::move(List));
}

int TChartValueLists::IndexOf(const TChartValueList* List) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)].get() == List) return I;
  return -1;
}
