#pragma once

#include <utility>

// Runs its function when the scope is left, however that happens (also when
// drawing throws): restores state that a step changed for its own use.
template <class F>
class TScopeGuard {
 public:
  explicit TScopeGuard(F Done) : FDone(std::move(Done)) {}
  ~TScopeGuard() { FDone(); }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

 private:
  F FDone;
};
