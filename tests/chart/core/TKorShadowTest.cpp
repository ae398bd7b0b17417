#include "chart/core/TKorShadow.h"

#include <gtest/gtest.h>

namespace {

class TKorShadowTest : public ::testing::Test {
 protected:
  bool Stored(const TKorShadow& Shadow, const char* Name) const {
    return Shadow.Properties().Find(QString::fromLatin1(Name))->IsStored(Shadow);
  }

  int Changes = 0;
  TNotifyEvent Count = [this](TPersistent*) { ++Changes; };
};

TEST_F(TKorShadowTest, SizeReadsTheLargerOffsetAndWritesBoth) {
  TKorShadow Shadow(Count);
  Shadow.SetHorizSize(2);
  Shadow.SetVertSize(-5);
  EXPECT_EQ(Shadow.GetSize(), 2);
  Shadow.SetSize(4);
  EXPECT_EQ(Shadow.GetHorizSize(), 4);
  EXPECT_EQ(Shadow.GetVertSize(), 4);
  Shadow.SetSize(4);
  EXPECT_EQ(Changes, 3);
}

TEST_F(TKorShadowTest, TransparencyStaysAPercentage) {
  TKorShadow Shadow;
  Shadow.SetTransparency(130);
  EXPECT_EQ(Shadow.GetTransparency(), 100);
  Shadow.SetTransparency(-1);
  EXPECT_EQ(Shadow.GetTransparency(), 0);
}

TEST_F(TKorShadowTest, ColourAndSizesAreStoredAgainstTheOwnersDefaults) {
  TKorShadow Shadow;
  EXPECT_EQ(Shadow.GetColor(), clSilver);
  EXPECT_TRUE(Shadow.GetSmooth());
  for (const char* Name : {"Color", "HorizSize", "VertSize", "Smooth", "Transparency"})
    EXPECT_FALSE(Stored(Shadow, Name)) << Name;
  Shadow.SetSize(3);
  EXPECT_TRUE(Stored(Shadow, "HorizSize"));
  Shadow.SetDefaultSize(3);
  Shadow.SetDefaultColor(clGray);
  EXPECT_FALSE(Stored(Shadow, "HorizSize"));
  EXPECT_FALSE(Stored(Shadow, "VertSize"));
  EXPECT_TRUE(Stored(Shadow, "Color"));
}

}  // namespace
