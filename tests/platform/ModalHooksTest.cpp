#include "platform/ModalHooks.h"
#include "platform/WindowTitle.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QInputDialog>

#include <memory>

#include "platform/TFont.h"
#include "tests/support/LayoutChecks.h"
#include "tests/support/ModalScript.h"

namespace {

class ModalHooksTest : public ::testing::Test {};

TEST_F(ModalHooksTest, ScriptedAnswersReachTheCallers) {
  ModalScript script;
  script.AnswerMessage(mrYes);
  script.AnswerMessage(mrNo);
  script.AnswerColor(true, 0x00FF00);
  script.AnswerFile(true, "/tmp/chart.png", 2);
  script.AnswerFont([](TFont& f) {
    f.SetName("DejaVu Sans");
    return true;
  });
  script.AnswerForm([](QDialog& d) {
    d.setWindowTitle("touched");
    return int(mrOk);
  });

  EXPECT_TRUE(ConfirmYesNo("Delete Series1 ?"));
  EXPECT_EQ(MessageDlg("Save?", TMsgDlgType::mtConfirmation, mbYesNoCancel), mrNo);
  const TColorDialogAnswer colour = ExecuteColorDialog({0xFF, {}, nullptr});
  EXPECT_TRUE(colour.Accepted);
  EXPECT_EQ(colour.Color, 0x00FF00u);
  TFileDialogRequest save;
  save.Kind = TFileDialogKind::fdSave;
  save.Filter = "Bitmaps (*.bmp)|*.bmp|PNG files (*.png)|*.png";
  const TFileDialogAnswer file = ExecuteFileDialog(save);
  EXPECT_EQ(file.FileName, "/tmp/chart.png");
  EXPECT_EQ(file.FilterIndex, 2);
  TFont font;
  EXPECT_TRUE(ExecuteFontDialog(font));
  EXPECT_EQ(font.GetName(), "DejaVu Sans");
  QDialog dialog;
  dialog.setWindowTitle("Pen");
  EXPECT_EQ(ShowModal(dialog), mrOk);
  EXPECT_EQ(dialog.windowTitle(), "touched");

  ASSERT_EQ(script.Asked().size(), 6u);
  EXPECT_EQ(script.Asked()[0], "message: Delete Series1 ?");
  EXPECT_EQ(script.Asked()[5], "form: Pen");
}

TEST_F(ModalHooksTest, FileDialogsOfAKindStartWhereAFileOfThatKindWasLastChosen) {
  ForgetFileDialogFolders();
  const QString data = QDir::tempPath();
  const QString chosen = QDir::homePath();
  SetDataFolder(data);
  ModalScript script;
  script.AnswerFile(true, chosen + "/report.rtf");
  script.AnswerFile(false);
  script.AnswerFile(false);
  script.AnswerFile(false);
  TFileDialogRequest reports;
  reports.FolderKind = "reports";
  ExecuteFileDialog(reports);  // first time: the data folder
  ExecuteFileDialog(reports);  // then where the last report was
  TFileDialogRequest results;
  results.FolderKind = "results";
  results.InitialDir = "/viewer/folder";
  ExecuteFileDialog(results);  // first time: the caller's folder
  TFileDialogRequest plain;
  plain.InitialDir = "/given";
  ExecuteFileDialog(plain);
  ASSERT_EQ(script.FileRequests().size(), 4u);
  EXPECT_EQ(script.FileRequests()[0].InitialDir, data);
  EXPECT_EQ(script.FileRequests()[1].InitialDir, chosen);
  EXPECT_EQ(script.FileRequests()[2].InitialDir, "/viewer/folder");
  EXPECT_EQ(script.FileRequests()[3].InitialDir, "/given");
  EXPECT_EQ(LastFileDialogFolder("reports"), chosen);
  EXPECT_EQ(LastFileDialogFolder("results"), QString());
  ForgetFileDialogFolders();
  EXPECT_EQ(DataFolder(), QString());
}

TEST_F(ModalHooksTest, UnscriptedRequestFailsTheTestAndCancels) {
  EXPECT_NONFATAL_FAILURE(
      {
        ModalScript script;
        EXPECT_FALSE(ExecuteFolderDialog({"Choose", "/", nullptr}).Accepted);
      },
      "No scripted answer");
  EXPECT_NONFATAL_FAILURE(
      {
        ModalScript script;
        script.AnswerMessage(mrOk);
      },
      "unused");
}

TEST_F(ModalHooksTest, StrayModalFailsInsteadOfBlocking) {
  ASSERT_TRUE(IsHeadlessDisplay());
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(MessageDlg("Nobody answers", TMsgDlgType::mtError, mbOKOnly), "nobody can answer");
  // A handler that returns makes the dialog count as cancelled.
  QStringList seen;
  SetStrayModalHandler([&](const QString& what) { seen << what; });
  QDialog dialog;
  dialog.setWindowTitle("Editor");
  EXPECT_EQ(ShowModal(dialog), mrCancel);
  EXPECT_FALSE(ConfirmYesNo("Sure?"));
  SetStrayModalHandler(nullptr);
  EXPECT_EQ(seen, QStringList({"form \"Editor\"", "message \"Sure?\""}));
}

}  // namespace

TEST(InputQueryDialog, IsWideEnoughForItsWholeCaptionAndHoldsTheValue) {
  const QString caption = QStringLiteral("Input a molecular Weight in Daltons");
  const std::unique_ptr<QInputDialog> dialog =
      MakeInputQueryDialog({caption, QStringLiteral("Weight in Daltons"), nullptr}, "25000");
  EXPECT_EQ(dialog->windowTitle(), caption);
  EXPECT_EQ(dialog->labelText(), QStringLiteral("Weight in Daltons"));
  EXPECT_EQ(dialog->textValue(), QStringLiteral("25000"));
  EXPECT_GE(dialog->width(), TitleBarWidth(caption));
  EXPECT_GT(TitleBarWidth(caption), 200);  // the width the toolkit gave it
  dialog->show();
  EXPECT_GE(dialog->width(), TitleBarWidth(caption));
  SaveLook(*dialog, QStringLiteral("molar-mass-input"));
}
