#include "chart/core/TKorFont.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorFontGradient.h"
#include "chart/core/TKorShadow.h"

#include <gtest/gtest.h>

namespace {

class TKorFontTest : public ::testing::Test {
 protected:
  bool Stored(const TKorFont& Font, const char* Name) const {
    const TPublishedProperty* P = Font.Properties().Find(QString::fromLatin1(Name));
    EXPECT_NE(P, nullptr) << Name;
    return P != nullptr && P->IsStored(Font);
  }

  int Changes = 0;
  TNotifyEvent Count = [this](TPersistent*) { ++Changes; };
};

TEST_F(TKorFontTest, StartsAsTheDefaultChartFontWithoutParts) {
  TKorFont Font(Count);
  EXPECT_EQ(Font.GetName(), GetDefaultFontName());
  EXPECT_EQ(Font.GetSize(), GetDefaultFontSize());
  EXPECT_EQ(Font.GetColor(), clBlack);
  EXPECT_EQ(Font.GetCharset(), DEFAULT_CHARSET);
  EXPECT_EQ(Font.ExistingShadow(), nullptr);
  EXPECT_EQ(Font.ExistingOutLine(), nullptr);
  EXPECT_EQ(Font.ExistingGradient(), nullptr);
  EXPECT_EQ(Changes, 0);
  for (const char* Name : {"Color", "Height", "Name", "Style", "Charset", "InterCharSize"})
    EXPECT_FALSE(Stored(Font, Name)) << Name;
}

TEST_F(TKorFontTest, PropertiesAreStoredWhenTheyDifferFromTheChartDefaults) {
  TKorFont Font;
  Font.SetSize(GetDefaultFontSize() + 2);
  Font.SetName(GetDefaultFontName() + QStringLiteral("X"));
  Font.SetColor(clRed);
  Font.SetStyle(TFontStyles{fsBold});
  for (const char* Name : {"Height", "Name", "Color", "Style"})
    EXPECT_TRUE(Stored(Font, Name)) << Name;
  Font.SetDefaultColor(clRed);
  Font.SetDefaultStyle(TFontStyles{fsBold});
  EXPECT_FALSE(Stored(Font, "Color"));
  EXPECT_FALSE(Stored(Font, "Style"));
}

TEST_F(TKorFontTest, PartsAreCreatedOnFirstReadAndShareTheFontsHandler) {
  TKorFont Font(Count);
  TKorShadow* Shadow = Font.GetShadow();
  ASSERT_NE(Shadow, nullptr);
  EXPECT_EQ(Font.ExistingShadow(), Shadow);
  EXPECT_EQ(Font.GetShadow(), Shadow);
  EXPECT_EQ(Changes, 0);
  Shadow->SetSize(2);
  Font.GetOutLine()->Show();
  Font.GetGradient()->SetVisible(true);
  Font.SetInterCharSize(1);
  EXPECT_EQ(Changes, 4);
}

TEST_F(TKorFontTest, AssignCreatesAndFreesPartsToMatchTheSource) {
  TKorFont Source;
  Source.GetShadow()->SetHorizSize(3);
  Source.GetOutLine()->Show();
  Source.GetGradient()->SetOutline(true);
  Source.SetInterCharSize(2);
  Source.SetSize(14);
  TKorFont Copy;
  Copy.Assign(Source);
  ASSERT_NE(Copy.ExistingShadow(), nullptr);
  ASSERT_NE(Copy.ExistingOutLine(), nullptr);
  ASSERT_NE(Copy.ExistingGradient(), nullptr);
  EXPECT_EQ(Copy.ExistingShadow()->GetHorizSize(), 3);
  EXPECT_TRUE(Copy.ExistingOutLine()->GetVisible());
  EXPECT_TRUE(Copy.ExistingGradient()->GetOutline());
  EXPECT_EQ(Copy.GetInterCharSize(), 2);
  EXPECT_EQ(Copy.GetSize(), 14);

  TKorFont Plain;
  Copy.Assign(Plain);
  EXPECT_EQ(Copy.ExistingShadow(), nullptr);
  EXPECT_EQ(Copy.ExistingOutLine(), nullptr);
  EXPECT_EQ(Copy.ExistingGradient(), nullptr);
  EXPECT_EQ(Copy.GetInterCharSize(), 0);
}

}  // namespace
