#include "chart/core/Korproco.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "chart/core/Korconst.h"
#include "platform/FormatSettings.h"

#include "tests/support/TestSupport.h"

namespace {

std::set<std::string> NamesOf(std::span<const Korconst::KorTextEntry> Texts) {
  std::set<std::string> Names;
  for (const auto& Entry : Texts) Names.insert(Entry.Name);
  return Names;
}

std::vector<QString> ValuesOf(std::span<const Korconst::KorTextEntry> Texts) {
  std::vector<QString> Values;
  for (const auto& Entry : Texts) Values.push_back(*Entry.Variable);
  return Values;
}

class KorprocoTest : public ::testing::Test {
 protected:
  void TearDown() override {
    Korconst::KorMsg_KorExtension = QStringLiteral("kor");
    Korproco::KorSetEnglish();
  }

  // What a language module does to the texts: replace every one.
  static void Translate(std::span<const Korconst::KorTextEntry> Texts) {
    for (const auto& Entry : Texts) *Entry.Variable = QStringLiteral("xx ") + Entry.Name;
  }
};

TEST_F(KorprocoTest, TableHoldsEach224TextsOnceUnderItsOwnName) {
  const auto Texts = Korproco::KorprocoTexts();
  ASSERT_EQ(Texts.size(), 224u);
  EXPECT_EQ(NamesOf(Texts).size(), 224u) << "duplicate name";
  std::set<const QString*> Variables;
  for (const auto& Entry : Texts) {
    const std::string Name = Entry.Name;
    EXPECT_TRUE(Variables.insert(Entry.Variable).second) << "shared variable " << Name;
    EXPECT_TRUE(Name.starts_with("KorMsg_") || Name.starts_with("KorCommanMsg_")) << Name;
    EXPECT_FALSE(Entry.Variable->isEmpty()) << Name;
  }
}

TEST_F(KorprocoTest, OnlyPeriodRangeAndEditAreNamedInBothUnitsAndTheyStayApart) {
  const auto ConstNames = NamesOf(Korconst::KorconstTexts());
  std::set<std::string> Shared;
  for (const auto& Name : NamesOf(Korproco::KorprocoTexts())) {
    if (ConstNames.count(Name)) Shared.insert(Name);
  }
  EXPECT_EQ(Shared, (std::set<std::string>{"KorMsg_Edit", "KorMsg_PeriodRange"}));

  EXPECT_EQ(Korconst::KorMsg_PeriodRange, "Period range");
  EXPECT_EQ(Korproco::KorMsg_PeriodRange, "Period must be >= 0");
  EXPECT_EQ(Korconst::KorMsg_Edit, "Edit");
  EXPECT_EQ(Korproco::KorMsg_Edit, "Edit");
  Korproco::KorMsg_Edit = QStringLiteral("Bearbeiten");
  EXPECT_EQ(Korconst::KorMsg_Edit, "Edit");
}

TEST_F(KorprocoTest, CommandBarTextsFormatWithDegreesAndPercent) {
  using namespace Korproco;
  EXPECT_EQ(Format(KorCommanMsg_Rotating, {345, 20}),
            QString::fromUtf8("Rotation: 345\u00b0 Elevation: 20\u00b0"));
  EXPECT_EQ(Format(KorCommanMsg_Zooming, {150}), "Zoom: 150 %");
  EXPECT_EQ(Format(KorCommanMsg_PieExploding, {2, 30}), "Slice: 2 Exploded: 30 %");
  EXPECT_EQ(Format(KorCommanMsg_RotateLabel, {"Left button"}), "Drag Left button to Rotate");
  EXPECT_EQ(Format(KorMsg_AnswerVectorIndex, {5}), "Answer Vector index must be between 1 and 5");
  EXPECT_EQ(KorMsg_WapBMPFilter, "Wap Bitmaps (*.wbmp)|*.wbmp");
  EXPECT_EQ(KorMsg_FunnelPercent, "0.00 %");
  EXPECT_EQ(KorMsg_TriSurfaceSimilar, "Similar XYZ points. Cannot calculate triangles.");
  EXPECT_EQ(KorCommanMsg_Normal, "Normal");
  EXPECT_EQ(KorMsg_CursorTool, "Cursor");
  EXPECT_EQ(KorMsg_GalleryErrorBar, "Error Bar");
}

TEST_F(KorprocoTest, SetEnglishRestoresEveryTextOfBothUnitsAndTheLanguage) {
  const auto ConstEnglish = ValuesOf(Korconst::KorconstTexts());
  const auto ProEnglish = ValuesOf(Korproco::KorprocoTexts());
  Translate(Korconst::KorconstTexts());
  Translate(Korproco::KorprocoTexts());
  Korconst::KorLanguage = 0x0407;
  Korconst::KorLanguageHotKeyAtEnd = true;
  Korconst::KorLanguageCanUpper = false;

  Korproco::KorSetEnglish();

  EXPECT_EQ(ValuesOf(Korconst::KorconstTexts()), ConstEnglish);
  EXPECT_EQ(ValuesOf(Korproco::KorprocoTexts()), ProEnglish);
  EXPECT_EQ(Korconst::KorLanguage, Korconst::KorEnglishLanguage);
  EXPECT_FALSE(Korconst::KorLanguageHotKeyAtEnd);
  EXPECT_TRUE(Korconst::KorLanguageCanUpper);
  EXPECT_EQ(Korconst::KorMsg_KorExtension, "kor");
}

TEST_F(KorprocoTest, EachUnitsSetterAndClearTouchOnlyItsOwnTexts) {
  Korproco::KorClearProStrings();
  for (const auto& Entry : Korproco::KorprocoTexts()) {
    EXPECT_TRUE(Entry.Variable->isEmpty()) << Entry.Name;
  }
  EXPECT_EQ(Korconst::KorMsg_PeriodRange, "Period range");

  Translate(Korconst::KorconstTexts());
  Korproco::KorSetProStrings();
  EXPECT_EQ(Korproco::KorMsg_PeriodRange, "Period must be >= 0");
  EXPECT_EQ(Korconst::KorMsg_PeriodRange, "xx KorMsg_PeriodRange");
}

}  // namespace
