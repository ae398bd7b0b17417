#include "analysis/KorvaleScanData.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

namespace {

// Set when the thread's spare set has been destroyed: a reader with static
// storage is freed after it and must not give its arrays to it.
thread_local bool ThreadSpareGone = false;

std::unique_ptr<double[]> Doubles(int N) {
  // Left uncleared on purpose: a reader fills only the points it takes, and
  // clearing 10,000-point tables for every scan file costs more than the parse.
  return std::make_unique_for_overwrite<double[]>(static_cast<size_t>(N));
}

}  // namespace

KorvaleScanData::KorvaleScanData(TComponent* AOwner) : TComponent(AOwner) {}

KorvaleScanData::~KorvaleScanData() {
  Release();
}

KorvaleScanData::PointArrays* KorvaleScanData::ThreadSpare() {
  struct Slot {
    PointArrays Arrays;
    ~Slot() { ThreadSpareGone = true; }
  };
  if (ThreadSpareGone) return nullptr;
  thread_local Slot slot;
  return &slot.Arrays;
}

bool KorvaleScanData::Holds(int N, bool Exactly) const {
  const int held = FArrays.Capacity;
  return FArrays.Radius && (Exactly ? held == N : held >= N) &&
         (FArrays.Third != nullptr) == HasThirdColumns();
}

void KorvaleScanData::Release() {
  PointArrays* spare = ThreadSpare();
  // The larger set serves more files; at equal size the one with third
  // columns serves every kind.
  const bool better = spare != nullptr && FArrays.Radius && FArrays.Capacity <= SpareLimit &&
                      (!spare->Radius || FArrays.Capacity > spare->Capacity ||
                       (FArrays.Capacity == spare->Capacity && FArrays.Third && !spare->Third));
  if (better) std::swap(*spare, FArrays);
  FArrays = PointArrays();
}

void KorvaleScanData::Complete(int N) {
  const int count = FArrays.Radius ? FArrays.Capacity : N;
  if (!FArrays.Radius) {
    FArrays.Radius = Doubles(count);
    FArrays.Value = Doubles(count);
    FArrays.Spare1 = Doubles(count);
  }
  if (HasThirdColumns()) {
    if (!FArrays.Third) FArrays.Third = Doubles(count);
    if (!FArrays.Spare2) FArrays.Spare2 = Doubles(count);
  } else {
    FArrays.Third.reset();
    FArrays.Spare2.reset();
  }
  FArrays.Capacity = count;
}

bool KorvaleScanData::Allocate(int N) {
  PointCount = 0;
  N = std::max(N, 0);
  // A reader used for a whole run allocates the same arrays for every
  // file: the ones it holds serve again (their contents are not cleared
  // either way), which spares the allocator returning and fetching them.
  if (Holds(N, true)) return true;
  Release();
  return CompleteOrGiveUp(N);
}

bool KorvaleScanData::CompleteOrGiveUp(int N) {
  try {
    Complete(N);
  } catch (const std::bad_alloc&) {
    FArrays = PointArrays();
    return false;
  }
  return true;
}

bool KorvaleScanData::Reserve(int N) {
  PointCount = 0;
  N = std::max(N, 0);
  if (Holds(N, false)) return true;
  Release();
  PointArrays* spare = ThreadSpare();
  if (spare != nullptr && spare->Radius && spare->Capacity >= N) std::swap(FArrays, *spare);
  return CompleteOrGiveUp(N);
}
