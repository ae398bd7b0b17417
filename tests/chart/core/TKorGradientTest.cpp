#include "chart/core/TKorGradient.h"

#include "chart/core/TKorFontGradient.h"

#include <gtest/gtest.h>

namespace {

class TKorGradientTest : public ::testing::Test {
 protected:
  int Changes = 0;
  TNotifyEvent Count = [this](TPersistent*) { ++Changes; };
};

TEST_F(TKorGradientTest, DefaultsMatchThePublishedDefaults) {
  TKorGradient Gradient;
  for (const TPublishedProperty& P : Gradient.Properties())
    EXPECT_FALSE(P.IsStored(Gradient)) << P.Name.toStdString();
  EXPECT_EQ(Gradient.GetStartColor(), clWhite);
  EXPECT_EQ(Gradient.GetEndColor(), clYellow);
  EXPECT_EQ(Gradient.GetMidColor(), clNone);
  EXPECT_EQ(Gradient.GetBalance(), 50);
  EXPECT_FALSE(Gradient.GetVisible());
}

TEST_F(TKorGradientTest, MiddleColourIsAddedRemovedAndRestored) {
  TKorGradient Gradient(Count);
  Gradient.SetMidColor(clRed);
  EXPECT_TRUE(Gradient.HasMiddleColor());
  EXPECT_EQ(Gradient.GetMidColor(), clRed);
  Gradient.SetMidColor(clNone);
  EXPECT_FALSE(Gradient.HasMiddleColor());
  EXPECT_EQ(Gradient.GetMidColor(), clNone);
  Gradient.UseMiddleColor();
  EXPECT_EQ(Gradient.GetMidColor(), clRed);
  EXPECT_EQ(Changes, 3);
}

TEST_F(TKorGradientTest, AssignCopiesEverySettingAndFontGradientsTheirOutline) {
  TKorFontGradient Source;
  Source.SetBalance(20);
  Source.SetMidColor(clLime);
  Source.SetRadialY(-4);
  Source.SetVisible(true);
  Source.SetOutline(true);
  TKorFontGradient Copy(Count);
  Copy.Assign(Source);
  EXPECT_EQ(Copy.GetBalance(), 20);
  EXPECT_EQ(Copy.GetMidColor(), clLime);
  EXPECT_EQ(Copy.GetRadialY(), -4);
  EXPECT_TRUE(Copy.GetVisible());
  EXPECT_TRUE(Copy.GetOutline());
  EXPECT_EQ(Changes, 1);
  const TPublishedProperty* Outline = Copy.Properties().Find(QStringLiteral("Outline"));
  ASSERT_NE(Outline, nullptr);
  EXPECT_TRUE(Outline->IsStored(Copy));
}

}  // namespace
