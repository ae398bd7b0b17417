#include "chart/core/TKorEventListeners.h"

#include <algorithm>

int TKorEventListeners::IndexOf(const IKorEventListener* Listener) const {
  auto It = std::find(FItems.begin(), FItems.end(), Listener);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

int TKorEventListeners::Add(IKorEventListener* Listener) {
  int Index = IndexOf(Listener);
  if (Index >= 0) return Index;
  FItems.push_back(Listener);
  return Count() - 1;
}

int TKorEventListeners::Remove(IKorEventListener* Listener) {
  int Index = IndexOf(Listener);
  if (Index >= 0) FItems.erase(FItems.begin() + Index);
  return Index;
}
