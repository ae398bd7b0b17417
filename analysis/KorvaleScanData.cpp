#include "analysis/KorvaleScanData.h"

#include <new>

KorvaleScanData::KorvaleScanData(TComponent* AOwner) : TComponent(AOwner) {}

KorvaleScanData::~KorvaleScanData() = default;

void KorvaleScanData::Release() {
  FRadius.reset();
  FValue.reset();
  FSpareArray1.reset();
  FThirdColumn.reset();
  FSpareArray2.reset();
  FCapacity = 0;
}

bool KorvaleScanData::Allocate(int N) {
  PointCount = 0;
  if (N < 0) N = 0;
  // A reader used for a whole run allocates the same arrays for every
  // file: the ones it holds serve again (their contents are not cleared
  // either way), which spares the allocator returning and fetching them.
  const bool ThirdColumns = DataKind == 1 || DataKind == 2;
  if (FRadius && N == FCapacity && (FThirdColumn != nullptr) == ThirdColumns) return true;
  Release();
  const auto count = static_cast<size_t>(N);
  try {
    // Left uncleared on purpose: a reader fills only the points it takes, and
    // clearing 10,000-point tables for every scan file costs more than the parse.
    FRadius = std::make_unique_for_overwrite<double[]>(count);
    FValue = std::make_unique_for_overwrite<double[]>(count);
    FSpareArray1 = std::make_unique_for_overwrite<double[]>(count);
    if (DataKind == 1 || DataKind == 2) {
      FThirdColumn = std::make_unique_for_overwrite<double[]>(count);
      FSpareArray2 = std::make_unique_for_overwrite<double[]>(count);
    }
  } catch (const std::bad_alloc&) {
    Release();
    return false;
  }
  FCapacity = N;
  return true;
}
