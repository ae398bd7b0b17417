#pragma once

#include <array>
#include <string>

// Display settings: 16 named parameters; KeyNames follow the declaration order.
struct GuiSettings {
  GuiSettings();

  double DefaultMeniscus = 6.0;        // cm
  double DefaultJitter = 5.9;          // cm
  double DefaultIntegralFringe = 6.9;  // cm
  int PlayPercentSpeed = 50;
  double graphPadPercent = 0.05;  // a fraction, despite the name
  int DefaultExtSetsToPlot = 1;
  double ExtrapolationCutoff = 0.05;
  double ExtrapolationErrorCutoff = 10000.0;
  double ExtrapolationMinLogS;  // ln(5e-14), a natural logarithm of s*
  int ExtrapolationSmoothRepetition = 3;
  int ExtrapolationSmoothCarSize = 3;
  int ExtErrorBarPerPoints = 1;
  int DrawAllSetsCutoff = 20;
  int DisplayNumberMid = 10;
  int DisplayNumberStart = 5;
  bool bAlwaysPlotExtrapolation = false;
  std::array<std::string, 100> KeyNames;
  int KeyCount = 16;
};
