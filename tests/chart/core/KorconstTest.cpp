#include "chart/core/Korconst.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <ostream>
#include <set>
#include <string>

#include "chart/core/Korproco.h"
#include "platform/FormatSettings.h"

#include "tests/support/TestSupport.h"

namespace {

// Read during this file's static initialisation: the texts must already be
// there, whatever order the program's files are initialised in.
const QString AxisMinMaxSeenAtStartUp = Korconst::KorMsg_AxisMinMax;
const QString NativeFilterSeenAtStartUp = Korconst::KorMsg_NativeFilter;

class KorconstTest : public ::testing::Test {
 protected:
  void TearDown() override {
    Korconst::KorMsg_KorExtension = QStringLiteral("kor");
    Korproco::KorSetEnglish();
  }
};

TEST_F(KorconstTest, TableHoldsEach276TextsOnceUnderItsOwnName) {
  const auto Texts = Korconst::KorconstTexts();
  ASSERT_EQ(Texts.size(), 276u);
  std::set<std::string> Names;
  std::set<const QString*> Variables;
  for (const auto& Entry : Texts) {
    const std::string Name = Entry.Name;
    EXPECT_TRUE(Names.insert(Name).second) << "duplicate name " << Name;
    EXPECT_TRUE(Variables.insert(Entry.Variable).second) << "shared variable " << Name;
    EXPECT_TRUE(Name.starts_with("KorMsg_") || Name.starts_with("tc")) << Name;
  }
  EXPECT_EQ(Names.count("KorMsg_KorExtension"), 0u);
  for (const char* Name : {"tcAdditional", "tcDControls", "tcQReport", "KorMsg_SubFoot",
                           "KorMsg_NativeFilter", "KorMsg_WantToSave", "KorMsg_SVGFilter"}) {
    EXPECT_EQ(Names.count(Name), 1u) << Name;
  }
}

TEST_F(KorconstTest, StartUpFillsEveryTextBeforeOtherStaticsRead) {
  EXPECT_EQ(AxisMinMaxSeenAtStartUp, "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(NativeFilterSeenAtStartUp, "KorChart files (*.kor)|*.kor");
  for (const auto& Entry : Korconst::KorconstTexts()) {
    EXPECT_FALSE(Entry.Variable->isEmpty()) << Entry.Name;
  }
  EXPECT_EQ(Korconst::KorMsg_KorExtension, "kor");
  EXPECT_EQ(Korconst::KorLanguage, Korconst::KorEnglishLanguage);
}

TEST_F(KorconstTest, TextsKeepLineBreaksHotKeysQuotesAndPlaceholders) {
  using namespace Korconst;
  EXPECT_EQ(KorMsg_GalleryHorizBar, QString("Horizontal") + QChar(13) + "Bar");
  EXPECT_EQ(KorMsg_DefaultPercentOf2, QString("%s") + QChar(13) + "of %s");
  EXPECT_EQ(KorMsg_AsBMP, "as &Bitmap");
  EXPECT_EQ(KorMsg_DefLogValueFormat, "#.0 \"x10\" E+0");
  EXPECT_EQ(KorMsg_AxisLabelSep, "Labels Separation % must be greater than 0");
  EXPECT_EQ(KorMsg_LegendColorWidth, "Legend Color Width must be > 0%");
  EXPECT_EQ(KorMsg_AxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0");
  EXPECT_EQ(KorMsg_DefPercentFormat, "##0.## %");
  EXPECT_EQ(KorMsg_DefValueFormat, "#,##0.###");
  EXPECT_EQ(KorMsg_DefaultFontSize, "8");
  EXPECT_EQ(KorMsg_DefaultFontName, "Arial");
  EXPECT_EQ(KorMsg_PieSample1, "Cars");
  EXPECT_EQ(KorMsg_GanttSample10, "Banking");
  EXPECT_EQ(KorMsg_FunctionCustom, "y = f(x)");

  EXPECT_EQ(Format(KorMsg_SeriesDelete, {7, 4}),
            "Series Delete: ValueIndex 7 out of bounds (0 to 4).");
  EXPECT_EQ(Format(KorMsg_3dPercent, {1, 100}), "3D effect percent must be between 1 and 100");
  EXPECT_EQ(Format(KorMsg_DefaultPercentOf, {"25 %", "80"}), "25 % of 80");
  EXPECT_EQ(Format(KorMsg_CannotLoadChartFromURL, {404, "http://x/c.kor"}),
            "Error code: 404 downloading Chart from URL: http://x/c.kor");
}

TEST_F(KorconstTest, FileFiltersAreDescriptionPatternPairs) {
  using namespace Korconst;
  EXPECT_EQ(KorMsg_EMFFilter, "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
  EXPECT_EQ(KorMsg_TextFilter3, "Comma delimited text files (*.csv)|*.csv");
  EXPECT_EQ(KorMsg_ExcelFilter, "Microsoft Excel files (*.xls)|*.xls");
  for (const auto& Entry : KorconstTexts()) {
    if (!QString::fromLatin1(Entry.Name).endsWith("Filter")) continue;
    const QStringList Parts = Entry.Variable->split('|');
    EXPECT_EQ(Parts.size() % 2, 0) << Entry.Name;
    for (int i = 1; i < Parts.size(); i += 2) {
      EXPECT_TRUE(Parts[i].startsWith("*.")) << Entry.Name;
      EXPECT_TRUE(Parts[i - 1].endsWith("(" + Parts[i] + ")")) << Entry.Name;
    }
  }
}

TEST_F(KorconstTest, FileTextsAreBuiltFromTheNativeExtension) {
  using namespace Korconst;
  EXPECT_EQ(KorDefaultFilterExtension(), "(*.kor)|*.kor");
  EXPECT_EQ(KorMsg_NativeFilter, "KorChart files (*.kor)|*.kor");
  EXPECT_EQ(KorMsg_InvalidKorFile, "Invalid Chart in *.kor file");
  EXPECT_EQ(KorMsg_WrongKorFileFormat, "Wrong *.kor file format");
  EXPECT_EQ(KorMsg_EmptyKorFile, "Empty *.kor file");
  EXPECT_EQ(KorMsg_WizardSureToClose, "Are you sure that you want to close the KorChart Wizard ?");
  EXPECT_EQ(Format(KorMsg_CanNotEmailChart, {3}), "Can not email KorChart. Mapi Error: 3");

  KorMsg_KorExtension = QStringLiteral("kch");
  EXPECT_EQ(KorDefaultFilterExtension(), "(*.kch)|*.kch");
  EXPECT_EQ(KorMsg_EmptyKorFile, "Empty *.kor file") << "texts change only when set again";
  KorSetConstants();
  EXPECT_EQ(KorMsg_KorExtension, "kch");
  EXPECT_EQ(KorMsg_NativeFilter, "KorChart files (*.kch)|*.kch");
  EXPECT_EQ(KorMsg_InvalidKorFile, "Invalid Chart in *.kch file");
  EXPECT_EQ(KorMsg_WrongKorFileFormat, "Wrong *.kch file format");
  EXPECT_EQ(KorMsg_EmptyKorFile, "Empty *.kch file");
}

TEST_F(KorconstTest, ClearingEmptiesTheTextsButNotTheExtension) {
  Korconst::KorClearConstants();
  for (const auto& Entry : Korconst::KorconstTexts()) {
    EXPECT_TRUE(Entry.Variable->isEmpty()) << Entry.Name;
  }
  EXPECT_EQ(Korconst::KorMsg_KorExtension, "kor");
  EXPECT_FALSE(Korproco::KorMsg_PeriodRange.isEmpty()) << "the other unit keeps its texts";

  Korconst::KorSetConstants();
  EXPECT_EQ(Korconst::KorMsg_AxisMaxMin, "Axis Maximum Value must be >= Minimum");
  EXPECT_EQ(Korconst::KorMsg_InvalidKorFile, "Invalid Chart in *.kor file");
}

}  // namespace
