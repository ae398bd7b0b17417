#pragma once

#include <algorithm>
#include <vector>

class TCustomKorPanel;

// Data: the panels a print preview shows on one sheet, in order; the first
// is the main panel. The list does not own them.
class TKorPanelsList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TCustomKorPanel* Get(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  TCustomKorPanel* operator[](int Index) const { return Get(Index); }
  int IndexOf(const TCustomKorPanel* Panel) const {
    const auto It = std::find(FItems.begin(), FItems.end(), Panel);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
  }
  void Add(TCustomKorPanel* Panel) { FItems.push_back(Panel); }
  void Insert(int Index, TCustomKorPanel* Panel) { FItems.insert(FItems.begin() + Index, Panel); }
  void Delete(int Index) { FItems.erase(FItems.begin() + Index); }
  void Remove(const TCustomKorPanel* Panel) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Panel), FItems.end());
  }
  void Clear() { FItems.clear(); }

 private:
  std::vector<TCustomKorPanel*> FItems;
};
