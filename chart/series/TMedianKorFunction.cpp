#include "chart/series/TMedianKorFunction.h"

double TMedianKorFunction::CalcResult() {
  const std::vector<double>& V = SortedValues();
  const size_t N = V.size();
  if (N % 2 == 1) return V[N / 2];
  return (V[N / 2 - 1] + V[N / 2]) / 2;
}
