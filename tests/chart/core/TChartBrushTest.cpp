#include "chart/core/TChartBrush.h"

#include "platform/TBitmap.h"
#include "platform/TPicture.h"

#include <gtest/gtest.h>

namespace {

class TChartBrushTest : public ::testing::Test {
 protected:
  int Changes = 0;
  TNotifyEvent Count = [this](TPersistent*) { ++Changes; };
};

TEST_F(TChartBrushTest, ColourDefaultsToTheOwnersColour) {
  TChartBrush Brush(Count);
  EXPECT_EQ(Brush.GetColor(), clDefault);
  EXPECT_EQ(Changes, 0);
  const TPublishedProperty* Color = Brush.Properties().Find(QStringLiteral("Color"));
  ASSERT_NE(Color, nullptr);
  EXPECT_FALSE(Color->IsStored(Brush));
  Brush.SetColor(clRed);
  EXPECT_TRUE(Color->IsStored(Brush));
}

TEST_F(TChartBrushTest, ImageIsCreatedOnFirstReadAndNotifiesTheBrushesOwner) {
  TChartBrush Brush(Count);
  EXPECT_EQ(Brush.ExistingImage(), nullptr);
  TPicture* Image = Brush.GetImage();
  ASSERT_NE(Image, nullptr);
  EXPECT_EQ(Brush.ExistingImage(), Image);
  EXPECT_EQ(Changes, 0);
  TBitmap Pattern(2, 2);
  Image->Assign(Pattern);
  EXPECT_EQ(Changes, 1);
}

TEST_F(TChartBrushTest, SettingOrClearingTheImageCopiesOrFreesItAndNotifies) {
  TPicture Source;
  TBitmap Pattern(3, 2);
  Source.Assign(Pattern);
  TChartBrush Brush(Count);
  Brush.SetImage(&Source);
  ASSERT_NE(Brush.ExistingImage(), nullptr);
  EXPECT_NE(Brush.ExistingImage(), &Source);
  EXPECT_EQ(Brush.ExistingImage()->GetWidth(), 3);
  EXPECT_EQ(Changes, 1);

  Brush.Clear();
  EXPECT_EQ(Brush.ExistingImage(), nullptr);
  EXPECT_EQ(Brush.GetStyle(), bsClear);
  EXPECT_EQ(Changes, 3);
}

TEST_F(TChartBrushTest, AssignCopiesTheImageAndItsAbsence) {
  TChartBrush Source;
  Source.GetImage()->Assign(TBitmap(4, 4));
  Source.SetStyle(bsCross);
  Source.SetColor(clBlue);
  TChartBrush Copy;
  Copy.Assign(Source);
  ASSERT_NE(Copy.ExistingImage(), nullptr);
  EXPECT_EQ(Copy.ExistingImage()->GetWidth(), 4);
  EXPECT_EQ(Copy.GetStyle(), bsCross);
  EXPECT_EQ(Copy.GetColor(), clBlue);

  TChartBrush Empty;
  Copy.Assign(Empty);
  EXPECT_EQ(Copy.ExistingImage(), nullptr);
  EXPECT_EQ(Copy.GetColor(), clDefault);
}

}  // namespace
