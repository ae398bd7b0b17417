#include "chart/core/TChartHiddenPen.h"

// The change handler is attached last, so setting up the preset does not
// notify the owner while it is still being built.
TChartHiddenPen::TChartHiddenPen(TNotifyEvent ChangeHandler) {
  SetDefaults(false, esRound);
  OnChange = std::move(ChangeHandler);
}
