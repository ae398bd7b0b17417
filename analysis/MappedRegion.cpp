#include "analysis/MappedRegion.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace {

#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23;  // older C library headers lack it
#endif

std::size_t PageSize() {
  static const std::size_t bytes = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return bytes;
}

// The least mapped ahead at a time, and the share of what is ready that is
// added to it: a long run maps its stores in some twenty calls.
constexpr std::size_t MinStepBytes = std::size_t{256} << 10;
constexpr std::size_t GrowthDivisor = 4;

}  // namespace

MappedRegion::MappedRegion(void* Start, std::size_t Bytes) {
  const auto address = reinterpret_cast<std::uintptr_t>(Start);
  FOffset = address % PageSize();
  FStart = static_cast<char*>(Start) - FOffset;
  FBytes = FOffset + Bytes;
}

void MappedRegion::MapAhead(std::size_t Bytes) {
  const std::size_t page = PageSize();
  const std::size_t from = (FOffset + FReady) / page * page;
  const std::size_t wanted =
      FOffset + std::max(Bytes, FReady + std::max(MinStepBytes, FReady / GrowthDivisor));
  const std::size_t to =
      std::min((wanted + page - 1) / page * page, (FBytes + page - 1) / page * page);
  // Advice only: a kernel without it (or without memory to spare now)
  // leaves the pages to be mapped one by one as they are written.
  if (to > from) ::madvise(FStart + from, to - from, MADV_POPULATE_WRITE);
  FReady = std::min(to - FOffset, FBytes - FOffset);
}
