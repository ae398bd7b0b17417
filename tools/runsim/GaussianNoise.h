#pragma once

#include <cstdint>
#include <random>

// Reproducible random numbers for simulated noise. Only the raw output of the
// 64-bit Mersenne twister is used (its sequence is fixed by the standard);
// the standard distributions are implementation-defined and would make the
// files differ between standard libraries.
class GaussianNoise {
 public:
  explicit GaussianNoise(std::uint64_t Seed);

  // Uniform in (0, 1], never 0 so that its logarithm is finite.
  double Uniform();
  // Standard normal deviate (Box-Muller, both values of a pair used).
  double Normal();

 private:
  std::mt19937_64 FEngine;
  bool FHaveSpare = false;
  double FSpare = 0;
};
