#include "tools/runsim/GaussianNoise.h"

#include <cmath>
#include <numbers>

GaussianNoise::GaussianNoise(std::uint64_t Seed) : FEngine(Seed) {}

double GaussianNoise::Uniform() {
  // The top 53 bits fill a double's mantissa exactly.
  const std::uint64_t bits = FEngine() >> 11;
  return (static_cast<double>(bits) + 1.0) * 0x1.0p-53;
}

double GaussianNoise::Normal() {
  if (FHaveSpare) {
    FHaveSpare = false;
    return FSpare;
  }
  const double radius = std::sqrt(-2.0 * std::log(Uniform()));
  const double angle = 2.0 * std::numbers::pi * Uniform();
  FSpare = radius * std::sin(angle);
  FHaveSpare = true;
  return radius * std::cos(angle);
}
