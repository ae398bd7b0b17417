#include "app/report/ReportPicture.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

#include "app/report/ReportPage.h"
#include "app/report/RtfReader.h"
#include "app/report/RtfWriter.h"
#include "tests/app/report/ReportDocs.h"

using namespace reportdocs;

namespace {

class ReportPictureTest : public ::testing::Test {
 protected:
  // An 800 x 400 chart picture, as the viewers copy them, appended to Doc.
  void AppendChart(QSize Size = QSize(800, 400)) {
    QTextCursor cursor(&Doc);
    cursor.movePosition(QTextCursor::End);
    ASSERT_TRUE(InsertReportPicture(cursor, Solid(Size.width(), Size.height(), Qt::blue)));
  }
  QTextDocument Doc;
};

TEST_F(ReportPictureTest, PicturesAreNeverWiderThanThePagesTextAndKeepTheirPixels) {
  AppendChart();
  AppendChart(QSize(300, 200));
  auto pictures = Pictures(Doc);
  ASSERT_EQ(pictures.size(), 2);
  EXPECT_EQ(pictures[0].Image.size(), QSize(800, 400));
  EXPECT_DOUBLE_EQ(pictures[0].Width, 624.0);
  EXPECT_DOUBLE_EQ(pictures[0].Height, 312.0);
  EXPECT_DOUBLE_EQ(pictures[1].Width, 300.0);

  // A wider page shows the chart at its own size again; a narrow one
  // shrinks both.
  A4Landscape().SetOn(Doc);
  EXPECT_EQ(FitReportPictures(Doc), 1);
  EXPECT_DOUBLE_EQ(Pictures(Doc)[0].Width, 800.0);
  ReportPage narrow;
  narrow.MarginLeft = narrow.MarginRight = 4320;  // 2.5 inches of text
  narrow.SetOn(Doc);
  EXPECT_EQ(FitReportPictures(Doc), 2);
  pictures = Pictures(Doc);
  EXPECT_DOUBLE_EQ(pictures[0].Width, 240.0);
  EXPECT_DOUBLE_EQ(pictures[0].Height, 120.0);
  EXPECT_DOUBLE_EQ(pictures[1].Width, 240.0);
  EXPECT_DOUBLE_EQ(pictures[1].Height, 160.0);
  EXPECT_EQ(pictures[1].Image.size(), QSize(300, 200));
  EXPECT_EQ(FitReportPictures(Doc), 0);
}

TEST_F(ReportPictureTest, TheWrittenFileStatesItsPageSpacingAndFittedPictures) {
  A4Landscape().SetOn(Doc);
  QTextCursor cursor(&Doc);
  QTextBlockFormat spaced;
  spaced.setTopMargin(4);
  spaced.setBottomMargin(2);
  cursor.setBlockFormat(spaced);
  cursor.insertText("spaced");
  cursor.insertBlock(QTextBlockFormat());
  cursor.insertText("tight");
  AppendChart(QSize(1200, 300));  // wider than the 10.7 inches of text
  const QByteArray written = RtfWriter(Doc).Write();
  EXPECT_TRUE(written.contains(A4Landscape().RtfWords())) << written.left(400).toStdString();
  EXPECT_TRUE(written.contains("\\pard\\ql\\sb60\\sa30"));
  EXPECT_TRUE(written.contains("\\pard\\ql\\sb0\\sa0"));
  const int textTwips = A4Landscape().TextWidth();
  EXPECT_TRUE(written.contains("\\picw1200\\pich300\\picwgoal" + QByteArray::number(textTwips)));

  // Reading it back gives the page and the picture as shown.
  EXPECT_EQ(ReportPage::FromRtf(written), A4Landscape());
  QTextDocument again;
  ReportPage::FromRtf(written).SetOn(again);
  QTextCursor againCursor(&again);
  ASSERT_TRUE(RtfReader().Read(written, againCursor));
  const auto pictures = Pictures(again);
  ASSERT_EQ(pictures.size(), 1);
  EXPECT_EQ(pictures[0].Image.size(), QSize(1200, 300));
  EXPECT_NEAR(pictures[0].Width, A4Landscape().TextWidthPixels(), 0.1);
}

}  // namespace
