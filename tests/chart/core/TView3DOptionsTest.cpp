#include "chart/core/TView3DOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class TView3DOptionsTest : public ::testing::Test {};

TEST_F(TView3DOptionsTest, DefaultsAreNotStored) {
  TView3DOptions Options;
  for (const TPublishedProperty& P : Options.Properties())
    EXPECT_FALSE(P.IsStored(Options)) << P.Name.toStdString();
  EXPECT_EQ(Options.GetElevationDouble(), 345.0);
  EXPECT_EQ(Options.GetRotationDouble(), 345.0);
}

TEST_F(TView3DOptionsTest, AnglesAreHeldAsDoublesAndPublishedRounded) {
  TView3DOptions Options;
  Options.SetElevationDouble(10.6);
  Options.SetRotationDouble(-2.5);
  EXPECT_EQ(Options.GetElevation(), 11);
  EXPECT_EQ(Options.GetRotation(), -2);  // halves go to the even neighbour
  Options.SetElevation(30);
  EXPECT_EQ(Options.GetElevationDouble(), 30.0);
}

TEST_F(TView3DOptionsTest, OffsetsReportWhichDirectionScrolledOnlyOnChange) {
  TView3DOptions Options;
  std::vector<bool> Scrolls;
  Options.OnScrolled = [&](bool IsHorizontal) { Scrolls.push_back(IsHorizontal); };
  Options.SetHorizOffset(5);
  Options.SetHorizOffset(5);
  Options.SetVertOffset(-3);
  EXPECT_EQ(Scrolls, (std::vector<bool>{true, false}));
}

TEST_F(TView3DOptionsTest, ZoomEventSeesTheNewValueBeforeItIsStored) {
  TView3DOptions Options;
  int Reported = 0;
  int StoredDuringEvent = 0;
  Options.OnChangedZoom = [&](int NewZoom) {
    Reported = NewZoom;
    StoredDuringEvent = Options.GetZoom();
  };
  Options.SetZoom(150);
  EXPECT_EQ(Reported, 150);
  EXPECT_EQ(StoredDuringEvent, 100);
  EXPECT_EQ(Options.GetZoom(), 150);
}

TEST_F(TView3DOptionsTest, AssignCopiesSettingsAndZoomTextButNotEvents) {
  TView3DOptions Source;
  Source.SetElevationDouble(12.25);
  Source.SetRotationDouble(33.5);
  Source.SetZoom(80);
  Source.SetVertOffset(-6);
  Source.SetOrthoAngle(60);
  Source.SetZoomText(false);
  Source.OnScrolled = [](bool) {};

  TView3DOptions Copy;
  int CopyEvents = 0;
  Copy.OnChangedZoom = [&](int) { ++CopyEvents; };
  Copy.Assign(Source);
  EXPECT_EQ(Copy.GetElevationDouble(), 12.25);
  EXPECT_EQ(Copy.GetRotationDouble(), 33.5);
  EXPECT_EQ(Copy.GetZoom(), 80);
  EXPECT_EQ(Copy.GetVertOffset(), -6);
  EXPECT_EQ(Copy.GetOrthoAngle(), 60);
  EXPECT_FALSE(Copy.GetZoomText());
  EXPECT_FALSE(static_cast<bool>(Copy.OnScrolled));
  EXPECT_TRUE(static_cast<bool>(Copy.OnChangedZoom));
  EXPECT_EQ(CopyEvents, 0);
}

TEST_F(TView3DOptionsTest, OrthoRatioIsTheTangentOfTheFoldedAngle) {
  TView3DOptions Options;
  Options.SetOrthoAngle(60);
  EXPECT_DOUBLE_EQ(Options.CalcOrthoRatio(), std::tan(60 * M_PI / 180));
  Options.SetOrthoAngle(120);
  EXPECT_DOUBLE_EQ(Options.CalcOrthoRatio(), std::tan(60 * M_PI / 180));
  Options.SetOrthoAngle(45);
  EXPECT_NEAR(Options.CalcOrthoRatio(), 1.0, 1e-12);
  Options.SetOrthogonal(false);
  EXPECT_EQ(Options.CalcOrthoRatio(), 1.0);
}

}  // namespace
