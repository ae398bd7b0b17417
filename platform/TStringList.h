#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "platform/Exception.h"

// Index out of range, a duplicate refused, or Insert on a sorted list.
class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

// A list of strings with an optional object pointer per string. The list
// never owns the objects. A sorted list keeps its order on Add and finds by
// binary search; comparisons ignore case unless CaseSensitive is set, and
// are ordinal (not locale-dependent), so the order is the same everywhere.
class TStringList {
 public:
  enum class TDuplicates { dupIgnore, dupAccept, dupError };
  // Negative, zero or positive as item Index1 sorts before, with or after Index2.
  using TStringListSortCompare = std::function<int(const TStringList&, int, int)>;

  TStringList() = default;
  TStringList(const TStringList& Other);
  TStringList& operator=(const TStringList& Other);

  int Count() const { return static_cast<int>(FItems.size()); }
  const QString& operator[](int Index) const { return Get(Index); }
  const QString& Get(int Index) const;
  void Put(int Index, const QString& Value);
  void* Objects(int Index) const;
  void PutObject(int Index, void* AObject);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);

  // Lines, each followed by CR LF; setting splits at CR LF, LF or CR.
  QString Text() const;
  void SetText(const QString& Value);
  // Comma-separated; items holding blanks, commas, quotes or control
  // characters (and empty items) are quoted with '"', inner quotes doubled.
  // Setting also splits at blanks outside quotes.
  QString CommaText() const;
  void SetCommaText(const QString& Value);

  // Returns the new item's index; on a sorted list a duplicate is ignored
  // (returning the existing index) or refused, as Duplicates says.
  int Add(const QString& S);
  int AddObject(const QString& S, void* AObject);
  void AddStrings(const TStringList& Strings);
  void Assign(const TStringList& Source);
  void Insert(int Index, const QString& S);
  void InsertObject(int Index, const QString& S, void* AObject);
  void Delete(int Index);
  void Clear();
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);

  // -1 when absent.
  int IndexOf(const QString& S) const;
  int IndexOfObject(const void* AObject) const;
  // Binary search of a sorted list: true when found (Index is the first
  // match), else false with Index where S would be inserted.
  bool Find(const QString& S, int& Index) const;

  void Sort();
  void CustomSort(const TStringListSortCompare& Compare);
  int CompareStrings(const QString& S1, const QString& S2) const;

  // Lines in UTF-8, CR LF after each. Failures raise EFileError.
  void SaveToFile(const QString& FileName) const;
  void LoadFromFile(const QString& FileName);

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // Called after every change (once per outermost BeginUpdate/EndUpdate).
  std::function<void()> OnChange;

 private:
  struct Item {
    QString String;
    void* Object = nullptr;
  };

  void CheckIndex(int Index) const;
  void InsertItem(int Index, const QString& S, void* AObject);
  void Changed();

  std::vector<Item> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
  int FUpdateCount = 0;
  bool FChangedInUpdate = false;
};
