#include "platform/TStringList.h"

#include "platform/WriteFileReplacing.h"

#include <QFile>

#include <utility>

namespace {

bool NeedsQuotes(const QString& s) {
  if (s.isEmpty()) return true;
  for (QChar c : s)
    if (c.unicode() <= ' ' || c == u'"' || c == u',') return true;
  return false;
}

QString Quoted(const QString& s) {
  QString inner = s;
  inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return u'"' + inner + u'"';
}

bool IsBlank(QChar c) {
  return c.unicode() >= 1 && c.unicode() <= ' ';
}

// Merge sort of indices: stable, and safe with any comparison (a comparison
// that is not a strict order gives some order, never a crash).
void MergeSort(std::vector<int>& order, const std::function<int(int, int)>& compare) {
  if (order.size() < 2) return;
  std::vector<int> buffer(order.size());
  for (size_t width = 1; width < order.size(); width *= 2) {
    for (size_t lo = 0; lo < order.size(); lo += 2 * width) {
      const size_t mid = std::min(lo + width, order.size());
      const size_t hi = std::min(lo + 2 * width, order.size());
      size_t a = lo, b = mid, out = lo;
      while (a < mid && b < hi)
        buffer[out++] = compare(order[b], order[a]) < 0 ? order[b++] : order[a++];
      while (a < mid) buffer[out++] = order[a++];
      while (b < hi) buffer[out++] = order[b++];
    }
    order.swap(buffer);
  }
}

}  // namespace

TStringList::TStringList(const TStringList& Other)
    : FItems(Other.FItems),
      FSorted(Other.FSorted),
      FCaseSensitive(Other.FCaseSensitive),
      FDuplicates(Other.FDuplicates) {}

TStringList& TStringList::operator=(const TStringList& Other) {
  if (this != &Other) {
    FSorted = Other.FSorted;
    FCaseSensitive = Other.FCaseSensitive;
    FDuplicates = Other.FDuplicates;
    FItems = Other.FItems;
    Changed();
  }
  return *this;
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TStringList::Changed() {
  if (FUpdateCount > 0) {
    FChangedInUpdate = true;
    return;
  }
  if (OnChange) OnChange();
}

void TStringList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedInUpdate) {
    FChangedInUpdate = false;
    if (OnChange) OnChange();
  }
}

const QString& TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].String;
}

void TStringList::Put(int Index, const QString& Value) {
  if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].String = Value;
  Changed();
}

void* TStringList::Objects(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, void* AObject) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].Object = AObject;
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == FCaseSensitive) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

int TStringList::CompareStrings(const QString& S1, const QString& S2) const {
  return S1.compare(S2, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

QString TStringList::Text() const {
  QString text;
  for (const Item& item : FItems) text += item.String + QStringLiteral("\r\n");
  return text;
}

void TStringList::SetText(const QString& Value) {
  BeginUpdate();
  Clear();
  int start = 0;
  for (int i = 0; i < Value.size(); ++i) {
    if (Value[i] != u'\r' && Value[i] != u'\n') continue;
    Add(Value.mid(start, i - start));
    if (Value[i] == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < Value.size()) Add(Value.mid(start));
  EndUpdate();
}

QString TStringList::CommaText() const {
  QString text;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) text += u',';
    const QString& s = FItems[static_cast<size_t>(i)].String;
    text += NeedsQuotes(s) ? Quoted(s) : s;
  }
  return text;
}

void TStringList::SetCommaText(const QString& Value) {
  BeginUpdate();
  Clear();
  int i = 0;
  const int n = static_cast<int>(Value.size());
  while (i < n && IsBlank(Value[i])) ++i;
  while (i < n) {
    QString item;
    if (Value[i] == u'"') {
      ++i;
      while (i < n) {
        if (Value[i] == u'"') {
          if (i + 1 < n && Value[i + 1] == u'"') {
            item += u'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += Value[i++];
      }
    } else {
      const int start = i;
      while (i < n && Value[i].unicode() > ' ' && Value[i] != u',') ++i;
      item = Value.mid(start, i - start);
    }
    Add(item);
    while (i < n && IsBlank(Value[i])) ++i;
    if (i < n && Value[i] == u',') {
      if (i + 1 == n) Add(QString());  // a trailing comma ends with an empty item
      ++i;
      while (i < n && IsBlank(Value[i])) ++i;
    }
  }
  EndUpdate();
}

bool TStringList::Find(const QString& S, int& Index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const int c = CompareStrings(FItems[static_cast<size_t>(mid)].String, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;  // keep going left to the first match
    }
  }
  Index = lo;
  return found;
}

int TStringList::IndexOf(const QString& S) const {
  if (FSorted) {
    int index = 0;
    return Find(S, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(FItems[static_cast<size_t>(i)].String, S) == 0) return i;
  return -1;
}

int TStringList::IndexOfObject(const void* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)].Object == AObject) return i;
  return -1;
}

int TStringList::Add(const QString& S) {
  return AddObject(S, nullptr);
}

int TStringList::AddObject(const QString& S, void* AObject) {
  int index = Count();
  if (FSorted && Find(S, index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return index;
    if (FDuplicates == TDuplicates::dupError)
      throw EStringListError(QStringLiteral("String list does not allow duplicates"));
    while (index < Count() && CompareStrings(FItems[static_cast<size_t>(index)].String, S) == 0)
      ++index;  // accepted duplicates go after their equals
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::AddStrings(const TStringList& Strings) {
  BeginUpdate();
  const std::vector<Item> items = Strings.FItems;  // Strings may be this list
  for (const Item& item : items) AddObject(item.String, item.Object);
  EndUpdate();
}

void TStringList::Assign(const TStringList& Source) {
  if (&Source == this) return;
  BeginUpdate();
  Clear();
  AddStrings(Source);
  EndUpdate();
}

void TStringList::Insert(int Index, const QString& S) {
  InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const QString& S, void* AObject) {
  if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
  if (Index < 0 || Index > Count())
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const QString& S, void* AObject) {
  FItems.insert(FItems.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  const Item item = FItems[static_cast<size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, item);
  Changed();
}

void TStringList::Sort() {
  CustomSort([](const TStringList& list, int a, int b) {
    return list.CompareStrings(list.FItems[static_cast<size_t>(a)].String,
                               list.FItems[static_cast<size_t>(b)].String);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (Count() < 2) return;
  std::vector<int> order(FItems.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  MergeSort(order, [&](int a, int b) { return Compare(*this, a, b); });
  std::vector<Item> sorted;
  sorted.reserve(FItems.size());
  for (int i : order) sorted.push_back(FItems[static_cast<size_t>(i)]);
  FItems.swap(sorted);
  Changed();
}

void TStringList::SaveToFile(const QString& FileName) const {
  WriteFileReplacing(FileName, Text().toUtf8());
}

void TStringList::LoadFromFile(const QString& FileName) {
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EFileError(
        QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, file.errorString()));
  SetText(QString::fromUtf8(file.readAll()));
}
