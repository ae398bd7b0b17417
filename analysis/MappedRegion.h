#pragma once

#include <cstddef>

// A range of memory mapped from the kernel that is written from its start
// onwards, a set at a time. A page written for the first time costs a fault
// each (some ten microseconds on a virtual machine, more than writing it);
// Reach has the kernel map the pages before they are written, many in one
// call, and a little ahead, so that a range that grows set by set is mapped
// in a few dozen calls and never holds much more memory than it has filled.
class MappedRegion {
 public:
  MappedRegion() = default;
  MappedRegion(void* Start, std::size_t Bytes);

  // Makes the first Bytes of the range ready to be written.
  void Reach(std::size_t Bytes) {
    if (Bytes > FReady) MapAhead(Bytes);
  }

 private:
  void MapAhead(std::size_t Bytes);

  char* FStart = nullptr;   // page aligned
  std::size_t FBytes = 0;   // counted from FStart
  std::size_t FOffset = 0;  // of the caller's start from FStart
  std::size_t FReady = 0;   // counted from the caller's start
};
