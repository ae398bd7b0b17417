#include "app/report/ReportPage.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QTextDocument>

#include "tests/app/report/ReportDocs.h"

using namespace reportdocs;

namespace {

class ReportPageTest : public ::testing::Test {
 protected:
  QTextDocument Doc;
};

TEST_F(ReportPageTest, NewReportsAreLaidOutOnLetterWithInchMargins) {
  const ReportPage page = ReportPage::Of(Doc);
  EXPECT_EQ(page, ReportPage());
  EXPECT_EQ(page.TextWidth(), 9360);  // 6.5 inches
  EXPECT_DOUBLE_EQ(page.TextWidthPixels(), 624.0);
  EXPECT_EQ(page.RtfWords(),
            "\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440");
  EXPECT_TRUE(page.IsUsable());
}

TEST_F(ReportPageTest, TheFilesPageIsReadFromItsDocumentFormattingOnly) {
  // As the office suite writes it: section-table words in a group, the
  // page at the top level, then the section and its paragraphs.
  const QByteArray office =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\pgdsctbl{\\pgdsc0\\pgwsxn1\\margl5}}"
      "\\paperh16838\\paperw11906\\margl1134\\margr1134\\margt1134\\margb1134"
      "\\sectd\\margl1\\pard text\\paperw5 \\par}";
  const ReportPage page = ReportPage::FromRtf(office);
  EXPECT_EQ(page.PaperWidth, 11906);
  EXPECT_EQ(page.PaperHeight, 16838);
  EXPECT_EQ(page.MarginLeft, 1134);
  EXPECT_EQ(page.MarginBottom, 1134);
  // What a file leaves out keeps the default.
  const ReportPage partial = ReportPage::FromRtf("{\\rtf1\\margl720\\pard x\\par}");
  EXPECT_EQ(partial.MarginLeft, 720);
  EXPECT_EQ(partial.PaperWidth, ReportPage().PaperWidth);
  EXPECT_EQ(partial.MarginRight, ReportPage().MarginRight);
  // Binary data is no place for words.
  EXPECT_EQ(ReportPage::FromRtf("{\\rtf1\\bin8 \\margl99\\margl800\\pard}").MarginLeft, 800);
}

TEST_F(ReportPageTest, APageWithoutRoomForTextGivesTheDefault) {
  EXPECT_EQ(ReportPage::FromRtf("{\\rtf1\\margl6000\\margr6000\\pard x}"), ReportPage());
  EXPECT_EQ(ReportPage::FromRtf("{\\rtf1\\paperw100\\pard x}"), ReportPage());
  EXPECT_EQ(ReportPage::FromRtf("{\\rtf1\\margl-20\\pard x}"), ReportPage());
  EXPECT_EQ(ReportPage::FromRtf("{\\rtf1\\paperw99999999999999\\pard x}"), ReportPage());
  EXPECT_EQ(ReportPage::FromRtf("not rich text at all"), ReportPage());
  EXPECT_EQ(ReportPage::FromRtf("{\\rtf1\\paperw"), ReportPage());
}

TEST_F(ReportPageTest, PageLayoutsGoBothWaysAsNamedPaperSizes) {
  const QPageLayout letter = ReportPage().ToPageLayout();
  EXPECT_EQ(letter.pageSize().id(), QPageSize::Letter);
  EXPECT_EQ(letter.orientation(), QPageLayout::Portrait);
  EXPECT_EQ(ReportPage::FromPageLayout(letter), ReportPage());
  // The office suite's A4 is A4 to within a few twips; the margins stay.
  const QPageLayout a4 = A4Landscape().ToPageLayout();
  EXPECT_EQ(a4.pageSize().id(), QPageSize::A4);
  EXPECT_EQ(a4.orientation(), QPageLayout::Landscape);
  const ReportPage back = ReportPage::FromPageLayout(a4);
  EXPECT_NEAR(back.PaperWidth, A4Landscape().PaperWidth, 10);
  EXPECT_NEAR(back.PaperHeight, A4Landscape().PaperHeight, 10);
  EXPECT_EQ(back.MarginLeft, 720);
  EXPECT_EQ(back.MarginTop, 567);
}

}  // namespace
