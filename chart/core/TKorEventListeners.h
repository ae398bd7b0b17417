#pragma once

#include <vector>

class TKorEvent;

// Interaction: receives the events a chart panel broadcasts.
class IKorEventListener {
 public:
  virtual void KorEvent(TKorEvent& Event) = 0;

 protected:
  ~IKorEventListener() = default;
};

// The listeners of one panel in registration order. Listeners are not
// owned: each removes itself before it goes away.
class TKorEventListeners {
 public:
  // The existing index when Listener is registered already, else the new one.
  int Add(IKorEventListener* Listener);
  // The index the listener had, or -1 when it was not registered.
  int Remove(IKorEventListener* Listener);
  IKorEventListener* Get(int Index) const { return FItems.at(Index); }
  int Count() const { return static_cast<int>(FItems.size()); }
  int IndexOf(const IKorEventListener* Listener) const;

 private:
  std::vector<IKorEventListener*> FItems;
};
