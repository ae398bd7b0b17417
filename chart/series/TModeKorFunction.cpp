#include "chart/series/TModeKorFunction.h"

double TModeKorFunction::CalcResult() {
  // Equal values sit next to each other in the sorted buffer: the longest
  // run wins, and only a strictly longer run replaces an earlier one.
  const std::vector<double>& V = SortedValues();
  double Mode = V[0];
  size_t Longest = 0;
  size_t RunStart = 0;
  for (size_t I = 1; I <= V.size(); ++I) {
    if (I < V.size() && V[I] == V[RunStart]) continue;
    if (I - RunStart > Longest) {
      Longest = I - RunStart;
      Mode = V[RunStart];
    }
    RunStart = I;
  }
  return Mode;
}
