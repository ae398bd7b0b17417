#include "app/RawScanSelection.h"

#include "analysis/Guisettings.h"

#include <algorithm>

namespace RawScanSelection {

int ChooseAutomatically(int* Flags, int N, const GuiSettings& Gui) {
  if (Flags == nullptr || N <= 0) return 0;
  // Few scans: draw them all. (Leaving the first scans as they were would
  // hide the start of a young run, whose flags were never set.)
  if (N < Gui.DrawAllSetsCutoff) {
    std::fill(Flags, Flags + N, 1);
    return 0;
  }
  const int step = std::max(1, N / std::max(1, Gui.DisplayNumberMid));
  const int start = std::clamp(Gui.DisplayNumberStart, 0, N);
  std::fill(Flags + std::min(5, N), Flags + N, 0);
  std::fill(Flags, Flags + start, 1);
  for (int i = step + 6; i < N; i += step) Flags[i] = 1;
  Flags[N - 1] = 1;
  return step;
}

int ThinManualSelection(int* Flags, int N, int SelectorStep, int ShownCount) {
  int step = std::max(1, SelectorStep);
  if (N / step > 40) step = std::max(1, N / 10);
  if (Flags == nullptr) return step;
  for (int i = N - 2; i > ShownCount; --i) Flags[i] = 0;
  for (int i = N - 1; i > ShownCount; i -= step) Flags[i] = 1;
  return step;
}

void FlagNewScan(int* Flags, int S, int Step) {
  if (Flags == nullptr || S < 0) return;
  const int k = std::max(0, S - Step);
  for (int i = S - 2; i > k; --i) Flags[i] = 0;
  Flags[k] = 1;
  Flags[S] = 1;
}

}  // namespace RawScanSelection
