#pragma once

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

// Ratios of two bodies timed in turns within one run: the machine's load
// then weighs on both alike. Times are the thread's processor time, which
// other programs on a busy machine do not add to.
namespace BenchRatio {

inline double ThreadSeconds() {
  timespec Now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
  return double(Now.tv_sec) + double(Now.tv_nsec) * 1e-9;
}

// Seconds per call of Body, over Repeats calls.
inline double SecondsPerCall(const std::function<void()>& Body, int Repeats) {
  const double Start = ThreadSeconds();
  for (int I = 0; I < Repeats; ++I) Body();
  return (ThreadSeconds() - Start) / Repeats;
}

// The ratio of Measured to Reference in each of Turns turns of Repeats
// calls each, sorted.
inline std::vector<double> TurnRatios(const std::function<void()>& Measured,
                                      const std::function<void()>& Reference, int Turns,
                                      int Repeats) {
  std::vector<double> Ratios;
  for (int T = 0; T < Turns; ++T) {
    const double M = SecondsPerCall(Measured, Repeats);
    const double R = SecondsPerCall(Reference, Repeats);
    Ratios.push_back(M / R);
  }
  std::sort(Ratios.begin(), Ratios.end());
  return Ratios;
}

inline double Median(const std::vector<double>& Sorted) {
  return Sorted.empty() ? 0.0 : Sorted[Sorted.size() / 2];
}

}  // namespace BenchRatio
