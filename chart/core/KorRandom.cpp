#include "chart/core/KorRandom.h"

#include <cstdint>

namespace {

// A 32-bit linear congruential sequence; its high bits scale the range.
std::uint32_t& Seed() {
  static std::uint32_t Value = 0;
  return Value;
}

}  // namespace

void KorRandomize(unsigned Seed_) {
  Seed() = Seed_;
}

int KorRandom(int Range) {
  std::uint32_t& S = Seed();
  S = S * 1664525u + 1013904223u;
  if (Range < 1) return 0;
  return static_cast<int>((static_cast<std::uint64_t>(S) * static_cast<std::uint32_t>(Range)) >>
                          32);
}
