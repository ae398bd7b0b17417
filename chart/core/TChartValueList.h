#pragma once

#include "platform/TPersistent.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TChartSeries;

// The order a value list keeps its values in when points are added.
enum TChartListOrder { loNone, loAscending, loDescending };

// Data: one coordinate (X, Y, or a further value such as an error or a
// size) of all points of a series, as a growable array of doubles kept in
// the order the series demands, with cached minimum, maximum, total and
// total of absolute values. The owner series inserts and deletes in all of
// its lists together and is told of changes made through the list.
//
// Capacity grows in steps of KorDefaultCapacity values and is kept when
// the list is cleared, so that a series refilled on every poll does not
// reallocate.
class TChartValueList : public TPersistent {
 public:
  // Appends the new list to Owner's value lists (Owner may be nullptr for
  // a free-standing list).
  TChartValueList(TChartSeries* AOwner, const QString& AName);
  ~TChartValueList() override;

  QString ClassName() const override { return QStringLiteral("TChartValueList"); }
  const TPropertyList& Properties() const override;
  // Order, DateTime and ValueSource of another list; never the values.
  void Assign(const TPersistent& Source) override;
  // "Multiplier" of old streams: read and ignored; a value other than 1
  // tells the user in an error box that it no longer applies.
  bool ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) override;

  bool GetDateTime() const { return FDateTime; }
  // Repaints the owner's chart when it changes.
  void SetDateTime(bool Value);
  // Sets DateTime and the value streams compare it with.
  void InitDateTime(bool Value);
  bool GetDefaultDateTime() const { return FDefaultDateTime; }
  const QString& GetName() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }
  TChartListOrder GetOrder() const { return FOrder; }
  void SetOrder(TChartListOrder Value) { FOrder = Value; }
  TChartSeries* GetOwner() const { return FOwner; }
  const QString& GetValueSource() const { return FValueSource; }
  // Tells the owner to look at its data source again when it changes.
  void SetValueSource(const QString& Value);
  // The value the next AddChartValue () stores (set by the series first).
  double GetTempValue() const { return FTempValue; }
  void SetTempValue(double Value) { FTempValue = Value; }

  int Count() const { return FCount; }
  int Capacity() const { return static_cast<int>(FValues.size()); }
  // The values in use, for loops that read them all.
  const double* Data() const { return FValues.data(); }
  // Raise ChartException for an index outside 0 .. Count - 1.
  double GetValue(int Index) const;
  double operator[](int Index) const { return GetValue(Index); }
  // Stores, marks the statistics stale and tells the owner veModify.
  void SetValue(int Index, double Value);
  bool GetModified() const { return FModified; }
  // Marking the list modified also counts as a change of its values.
  void SetModified(bool Value) {
    if (Value) ValuesChanged();
    FModified = Value;
  }
  // Rises with every change of the values or their order, so that what
  // was computed from them can tell whether it still holds.
  std::uint64_t GetGeneration() const { return FGeneration; }

  // Inserts Value where Order puts it (after equal values) and returns
  // the index.
  int AddChartValue(double Value);
  // The same with the pending value.
  virtual int AddChartValue();
  // Inserts at Index regardless of Order.
  virtual void InsertChartValue(int Index, double Value);
  // Remove one value, or Quantity values from Start (only those that
  // exist; nothing for a Start outside the list).
  virtual void Delete(int Index);
  void Delete(int Start, int Quantity);
  // Count 0; the capacity stays.
  virtual void ClearValues();

  // The first and last value; 0 for an empty list.
  double First() const;
  double Last() const;
  // Statistics, recomputed first when the list was modified; 0 for an
  // empty list.
  double MaxValue() const;
  double MinValue() const;
  double Total() const;
  double TotalABS() const;
  double Range() const { return MaxValue() - MinValue(); }
  void RecalcStats() const;
  // Adds the values from Start onward to the cached figures (after
  // appending); Start 0 computes them afresh.
  void RecalcStats(int Start) const;

  // The first index whose value equals Value exactly, or -1.
  int Locate(double Value) const;
  int Locate(double Value, int FirstIndex, int LastIndex) const;
  // Swaps two values and tells the owner veModify.
  void Exchange(int Index1, int Index2);
  // Value i becomes i.
  void FillSequence();
  // The first value moves to the end (nothing with fewer than two).
  void Scroll();
  // Sorts the owner's points by this list (nothing for loNone).
  void Sort();
  // -1, 0 or 1 comparing value a with value b; negated for loDescending.
  int CompareValueIndex(int a, int b) const;
  // The shortest general text of value Index.
  QString ToString(int Index) const;

  // Raises ChartException ("ValueIndex n out of bounds (0 to Count - 1).")
  // unless 0 <= Index < Count; shared by the lists and their series.
  static void CheckValueIndex(int Index, int ACount);

 private:
  // The series writes values without notifications and swaps whole points.
  friend class TChartSeries;
  void CheckIndex(int Index) const { CheckValueIndex(Index, FCount); }
  QString NameText() const { return FName; }
  QString ValueSourceText() const { return FValueSource; }
  // Room for one more value.
  void Grow();
  // The values changed other than by appending: the statistics are stale.
  void ValuesChanged() {
    FModified = true;
    FStatsCount = -1;
    ++FGeneration;
  }
  // Brings stale statistics up to date.
  void UpdateStats() const;
  int InsertionIndex(double Value) const;

  bool FDateTime = false;
  QString FName;
  TChartListOrder FOrder = loNone;
  TChartSeries* FOwner;  // not owned
  double FTempValue = 0;
  QString FValueSource;
  bool FDefaultDateTime = false;
  std::vector<double> FValues;  // size is the capacity
  int FCount = 0;
  std::uint64_t FGeneration = 0;
  // caches: the statistics, stale while FModified
  mutable bool FModified = true;
  mutable double FMaxValue = 0;
  mutable double FMinValue = 0;
  mutable double FTotal = 0;
  mutable double FTotalABS = 0;
  // The values the figures were computed from, when only appends have
  // followed; -1 when other changes made them stale.
  mutable int FStatsCount = -1;
};

// Data: the value lists of one series (index 0 X, 1 Y, then the lists of
// the series type). Owns its lists.
class TChartValueLists {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TChartValueList* Get(int Index) const { return FItems.at(Index).get(); }
  TChartValueList* operator[](int Index) const { return Get(Index); }
  void Add(std::unique_ptr<TChartValueList> List) { FItems.push_back(std::move(List)); }
  // Takes List out without freeing it; nullptr when it is not here.
  std::unique_ptr<TChartValueList> Extract(const TChartValueList* List);
  void Insert(int Index, std::unique_ptr<TChartValueList> List);
  int IndexOf(const TChartValueList* List) const;
  // Frees every list.
  void Clear() { FItems.clear(); }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::vector<std::unique_ptr<TChartValueList>> FItems;
};
