#include "analysis/Guisettings.h"

#include <cmath>

GuiSettings::GuiSettings() : ExtrapolationMinLogS(std::log(5e-14)) {
  static constexpr const char* names[] = {
      "DefaultMeniscus",    "DefaultJitter",
      "DefaultIntegralFringe", "PlayPercentSpeed",
      "graphPadPercent",    "DefaultExtSetsToPlot",
      "ExtrapolationCutoff", "ExtrapolationErrorCutoff",
      "ExtrapolationMinLogS", "ExtrapolationSmoothRepetition",
      "ExtrapolationSmoothCarSize", "ExtErrorBarPerPoints",
      "DrawAllSetsCutoff",  "DisplayNumberMid",
      "DisplayNumberStart", "bAlwaysPlotExtrapolation"};
  static_assert(std::size(names) == 16);
  for (size_t i = 0; i < std::size(names); ++i) KeyNames[i] = names[i];
}
