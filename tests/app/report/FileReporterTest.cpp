#include "app/report/FileReporter.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTextDocument>

#include <filesystem>

#include "app/Configuration.h"
#include "app/report/ReportTextEdit.h"
#include "app/report/ScanDescription.h"
#include "app/report/TextEditor.h"
#include "tests/app/report/ReportDocs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using namespace reportdocs;

namespace {

QString Q(const fs::path& Path) {
  return QString::fromStdString(Path.string());
}

const QString Rule(40, u'_');

class FileReporterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = FreshTestDir("filereporter");
    Config = std::make_unique<Configuration>(nullptr, "k", Q(Dir));
    ModalScript script;
    script.AnswerFile(false);  // no logo beside the program: the question is cancelled
    Form = std::make_unique<TFileRptFrm>(nullptr);
    Form->show();
  }
  void TearDown() override {
    Form.reset();
    Config.reset();
  }
  QStringList Lines() const {
    return Form->Editor()->RichEdit1->document()->toPlainText().split(u'\n');
  }
  // The report's lines after the start (logo line and time stamp).
  QStringList BodyLines() const { return Lines().mid(2); }
  fs::path ScanDir(const std::string& Name, const std::string& FirstFile) {
    const fs::path dir = Dir / Name;
    fs::create_directories(dir);
    WriteTextFile(dir / "00001.RA3", FirstFile);
    return dir;
  }

  fs::path Dir;
  std::unique_ptr<Configuration> Config;
  std::unique_ptr<TFileRptFrm> Form;
};

TEST_F(FileReporterTest, ShowingTheTabStartsTheReportOnce) {
  ASSERT_TRUE(Form->GetEditorReady());
  ASSERT_NE(Form->Editor(), nullptr);
  EXPECT_TRUE(Form->Editor()->GetOleReady());
  EXPECT_FALSE(Form->Editor()->BotPanel->isVisible());
  const QStringList lines = Lines();
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines[0], "");  // the logo line: no logo, the question was cancelled
  EXPECT_TRUE(lines[1].startsWith("Report generated ")) << lines[1].toStdString();
  Form->hide();
  Form->show();
  EXPECT_EQ(Lines(), lines);
}

TEST_F(FileReporterTest, SameDirectoryGetsOneHeadingAndADescriptionPerViewer) {
  const fs::path dir = ScanDir("run7", "Cell 3 sample\r\nR 3 20.0 42000 1234 5.67E10 280 2\r\n");
  const QStringList files{"00001.RA3", "00002.RA3"};
  ASSERT_TRUE(Form->ReportDataDirectory(Q(dir), files));
  ASSERT_TRUE(Form->ReportDataDirectory(Q(dir), files));
  const QString description = " " + QString(" Absorbance ") + " data " + "from cell " + "3" +
                              ", temperature at start " + "20.0" + " C" + ", " + "42000" + " rpm" +
                              ", " + "280" + " nm" + ", averaging " + "2";
  const QString heading = "Data from " + Q(dir).right(38).prepend("...") + " containing 2 files.";
  EXPECT_EQ(
      BodyLines(),
      QStringList({Rule, "",
                   Q(dir).size() > 43 ? heading : "Data from " + Q(dir) + " containing 2 files.",
                   Rule, description, "     Header: Cell 3 sample", Rule, description,
                   "     Header: Cell 3 sample", ""}));
  EXPECT_EQ(Form->GetReportedDirectories(), QStringList{Q(dir)});
}

TEST_F(FileReporterTest, HeaderWithDoubleBlankOrOneLineFileIsNotDescribed) {
  const fs::path doubled = ScanDir("doubled", "title\nR 3 20.0  42000 1234 5.67E10 280 2\n");
  ASSERT_TRUE(Form->ReportDataDirectory(Q(doubled), {"00001.RA3"}));
  EXPECT_EQ(BodyLines().mid(3), QStringList({Rule, "     Header: title", ""}));
  const fs::path single = ScanDir("single", "only a title\n");
  ASSERT_TRUE(Form->ReportDataDirectory(Q(single), {"00001.RA3"}));
  EXPECT_EQ(BodyLines().mid(8), QStringList({Rule, ""}));
}

TEST_F(FileReporterTest, ChartPictureComesWithRuleAndCentredBoldTitle) {
  QGuiApplication::clipboard()->setImage(Solid(64, 48, Qt::magenta));
  ASSERT_TRUE(Form->AppendChartPicture("g(s*) of run 7"));
  EXPECT_EQ(BodyLines(), QStringList({"", Rule, "g(s*) of run 7", "", "\uFFFC", ""}));
  const auto pictures = Pictures(*Form->Editor()->RichEdit1->document());
  ASSERT_EQ(pictures.size(), 1);
  EXPECT_EQ(pictures[0].Image.size(), QSize(64, 48));
  QGuiApplication::clipboard()->setText("no picture");
  EXPECT_FALSE(Form->AppendChartPicture("nothing to paste"));
}

TEST_F(FileReporterTest, ClosingTheMainWindowAsksToSaveAnUnsavedReport) {
  ModalScript script;
  script.AnswerMessage(mrYes);
  script.AnswerFile(false);
  EXPECT_FALSE(Form->QueryCloseReport());
  script.AnswerMessage(mrYes);
  script.AnswerFile(true, Q(Dir / "report.rtf"));
  EXPECT_TRUE(Form->QueryCloseReport());
  EXPECT_TRUE(fs::exists(Dir / "report.rtf"));
  EXPECT_TRUE(Form->QueryCloseReport());  // saved: no second question
  EXPECT_EQ(script.Asked().size(), 4u);
}

TEST_F(FileReporterTest, CancelWhenLeavingKeepsTheProgramAndTheReport) {
  ModalScript script;
  script.AnswerMessage(mrCancel);
  EXPECT_FALSE(Form->QueryCloseReport());
  EXPECT_TRUE(Form->Editor()->RichEdit1->document()->isModified());
  script.AnswerMessage(mrNo);
  EXPECT_TRUE(Form->QueryCloseReport());
}

TEST_F(FileReporterTest, WithoutAnEditorEveryOperationFailsQuietly) {
  TFileRptFrm bare(nullptr);
  EXPECT_FALSE(bare.StartReport());
  EXPECT_FALSE(bare.AppendChartPicture("t"));
  EXPECT_FALSE(bare.ReportDataDirectory("/d", {"f"}));
  EXPECT_TRUE(bare.QueryCloseReport());
  bare.EditorBtnClick();
}

TEST(ScanDescriptionTest, SplitTextCountsSeparators) {
  QStringList fields;
  EXPECT_EQ(ScanDescription::SplitText("", u' ', fields), 0);
  EXPECT_TRUE(fields.isEmpty());
  EXPECT_EQ(ScanDescription::SplitText("a b  c ", u' ', fields), 4);
  EXPECT_EQ(fields, QStringList({"a", "b", "", "c"}));
  EXPECT_EQ(ScanDescription::ScanTypeText("I"), " Intensity  data ");
  EXPECT_EQ(ScanDescription::ScanTypeText("X"), " Absorbance  data ");
  EXPECT_EQ(ScanDescription::ShortenPathForDisplay(QString(43, u'x'), 40), QString(43, u'x'));
  EXPECT_EQ(ScanDescription::ShortenPathForDisplay(QString(44, u'x') + "end", 40),
            "..." + QString(35, u'x') + "end");
  // Seven separators but a trailing blank: only seven fields, no description.
  EXPECT_EQ(ScanDescription::DescriptionLine("R 3 20.0 42000 1234 5.67E10 280 "), "");
}

}  // namespace
