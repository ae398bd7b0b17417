#include "analysis/Gofs2004.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/Guisettings.h"

namespace {

class GofsSettingsTest : public ::testing::Test {};

template <typename Record>
std::vector<std::string> Keys(const Record& R) {
  return std::vector<std::string>(R.KeyNames.begin(), R.KeyNames.begin() + R.KeyCount);
}

// The key order differs from the field order; a settings page addresses the
// parameters by position.
TEST_F(GofsSettingsTest, AnalysisKeysInKeyOrder) {
  const GofsSettings settings;
  const std::vector<std::string> expected = {"JitterWindow",
                                             "LowS",
                                             "HighS",
                                             "LowLogS",
                                             "HighLogS",
                                             "sGridNumberOfPoints",
                                             "DefaultCellTop",
                                             "DefaultCellBottom",
                                             "DefaultCellMidpoint",
                                             "DefaultNegativeTag",
                                             "DefaultIgnoreTag",
                                             "DefaultPositiveError",
                                             "DefaultMeniscusIgnore",
                                             "DefaultBottomIgnore",
                                             "DefaultStepSize",
                                             "BeginningScanGroupSize",
                                             "MinimumDataSetSize",
                                             "dcdtWindowFactor",
                                             "MaxAveragingPercent",
                                             "SmoothRepetition",
                                             "SmoothCarSize",
                                             "ComputeApparentStartTime"};
  EXPECT_EQ(Keys(settings), expected);
  EXPECT_EQ(settings.KeyNames[22], "");
}

TEST_F(GofsSettingsTest, LogarithmsAreFixedAtConstructionAndCopiesKeepEverything) {
  GofsSettings settings;
  EXPECT_EQ(settings.LowLogS, std::log(1e-15));
  EXPECT_EQ(settings.HighLogS, std::log(1e-10));
  settings.LowS = 1e-14;
  settings.SmoothCarSize = 7;
  const GofsSettings copy = settings;
  EXPECT_EQ(copy.LowLogS, std::log(1e-15));
  EXPECT_EQ(copy.LowS, 1e-14);
  EXPECT_EQ(copy.SmoothCarSize, 7);
  EXPECT_EQ(Keys(copy), Keys(settings));
}

TEST_F(GofsSettingsTest, DisplayKeysFollowTheFields) {
  const GuiSettings gui;
  EXPECT_EQ(gui.ExtrapolationMinLogS, std::log(5e-14));
  const std::vector<std::string> expected = {"DefaultMeniscus",
                                             "DefaultJitter",
                                             "DefaultIntegralFringe",
                                             "PlayPercentSpeed",
                                             "graphPadPercent",
                                             "DefaultExtSetsToPlot",
                                             "ExtrapolationCutoff",
                                             "ExtrapolationErrorCutoff",
                                             "ExtrapolationMinLogS",
                                             "ExtrapolationSmoothRepetition",
                                             "ExtrapolationSmoothCarSize",
                                             "ExtErrorBarPerPoints",
                                             "DrawAllSetsCutoff",
                                             "DisplayNumberMid",
                                             "DisplayNumberStart",
                                             "bAlwaysPlotExtrapolation"};
  EXPECT_EQ(Keys(gui), expected);
}

}  // namespace
