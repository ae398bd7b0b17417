#include "chart/core/TKorZoom.h"

#include <gtest/gtest.h>

namespace {

class TKorZoomTest : public ::testing::Test {};

TEST_F(TKorZoomTest, CheckOrdersTheCornersOfADrag) {
  TKorZoom Zoom;
  Zoom.Activate(50, 40);
  EXPECT_TRUE(Zoom.Engaged);
  Zoom.EndX = 10;
  Zoom.EndY = 20;
  Zoom.Check();
  EXPECT_EQ(Zoom.StartX, 10);
  EXPECT_EQ(Zoom.StartY, 20);
  EXPECT_EQ(Zoom.EndX, 50);
  EXPECT_EQ(Zoom.EndY, 40);
}

TEST_F(TKorZoomTest, BrushAndPenAreMadeOnFirstUseWithWhiteDefaults) {
  TKorZoom Zoom;
  EXPECT_EQ(Zoom.ExistingBrush(), nullptr);
  EXPECT_EQ(Zoom.ExistingPen(), nullptr);
  EXPECT_EQ(Zoom.GetBrush()->GetStyle(), bsClear);
  EXPECT_EQ(Zoom.GetBrush()->GetColor(), clWhite);
  EXPECT_EQ(Zoom.GetPen()->GetColor(), clWhite);
  // A white pen is the default and is not streamed.
  const TPublishedProperty* Color = Zoom.GetPen()->Properties().Find("Color");
  ASSERT_NE(Color, nullptr);
  EXPECT_FALSE(Color->IsStored(*Zoom.GetPen()));
  Zoom.SetPen(nullptr);
  EXPECT_EQ(Zoom.ExistingPen(), nullptr);
}

TEST_F(TKorZoomTest, AssignCopiesTheSettingsButNotTheDrag) {
  TKorZoom Source;
  Source.SetAllow(false);
  Source.SetAnimated(true);
  Source.SetAnimatedSteps(3);
  Source.SetDirection(tzdVertical);
  Source.SetKeyShift(TShiftState{ssShift, ssCtrl});
  Source.SetMouseButton(mbRight);
  Source.GetPen()->SetColor(clRed);
  Source.Activate(5, 6);
  TKorZoom Zoom;
  Zoom.GetBrush();
  Zoom.Assign(Source);
  EXPECT_FALSE(Zoom.GetAllow());
  EXPECT_TRUE(Zoom.GetAnimated());
  EXPECT_EQ(Zoom.GetAnimatedSteps(), 3);
  EXPECT_EQ(Zoom.GetDirection(), tzdVertical);
  EXPECT_EQ(Zoom.GetKeyShift(), (TShiftState{ssShift, ssCtrl}));
  EXPECT_EQ(Zoom.GetMouseButton(), mbRight);
  EXPECT_EQ(Zoom.GetPen()->GetColor(), clRed);
  EXPECT_EQ(Zoom.ExistingBrush(), nullptr);  // the source has none
  EXPECT_FALSE(Zoom.Engaged);
  TPropertyValue Shift;
  ASSERT_TRUE(GetPropertyValue(Zoom, "KeyShift", Shift));
  ASSERT_TRUE(SetPropertyValue(Zoom, "KeyShift", std::get<int>(Shift) | 1));
  EXPECT_EQ(Zoom.GetKeyShift(), (TShiftState{ssShift, ssCtrl}));
}

}  // namespace
