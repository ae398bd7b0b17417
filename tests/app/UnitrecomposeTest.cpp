#include "app/Unitrecompose.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class UnitrecomposeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Root = FreshTestDir("recomposefrm");
    fs::create_directories(Root / "data");
    fs::create_directories(Root / "out");
    WriteTextFile(Root / "paradigm", "Para, p\r\nP\r\n");
    WriteTextFile(Root / "data/00001.IP1", "Data, d\r\nP\r\n");
    Form.EditDataDir->setText(Q(Root / "data"));
  }
  static QString Q(const fs::path& Path) { return QString::fromStdString(Path.string()); }

  fs::path Root;
  Trecompose Form{nullptr};
};

TEST_F(UnitrecomposeTest, RecomposeIsEnabledOnceParadigmAndAnotherOutputAreChosen) {
  EXPECT_EQ(Form.windowTitle(), "recompose");
  EXPECT_EQ(Form.Editupdate->text(), "status = idle");
  EXPECT_FALSE(Form.ButtonRecompose->isEnabled());
  ModalScript script;
  script.AnswerFile(true, Q(Root / "data/Recompose.log"));
  script.AnswerMessage(mrOk);
  script.AnswerFile(true, Q(Root / "paradigm"));
  script.AnswerFile(true, Q(Root / "out/Recompose.log"));

  Form.ButtonSetOutputClick();
  EXPECT_EQ(script.Asked()[1], "message: Input and Output Directories must be different");
  EXPECT_TRUE(Form.EditOutput->text().isEmpty());
  Form.ButtonReadParadigmClick();
  EXPECT_EQ(Form.EditParadigmFileName->text(), Q(Root / "paradigm"));
  EXPECT_FALSE(Form.ButtonRecompose->isEnabled());
  Form.ButtonSetOutputClick();
  EXPECT_EQ(Form.EditOutput->text(), Q(Root / "out"));
  ASSERT_TRUE(Form.ButtonRecompose->isEnabled());

  Form.ButtonRecomposeClick();
  EXPECT_EQ(Form.Editupdate->text(), "1 files processed.");
  EXPECT_TRUE(fs::exists(Root / "out/00001.IP1"));
  EXPECT_EQ(script.Asked()[3], "save: ");
}

TEST_F(UnitrecomposeTest, ADirectoryWithoutInterferenceFilesProcessesNone) {
  fs::remove(Root / "data/00001.IP1");
  ModalScript script;
  script.AnswerFile(true, Q(Root / "paradigm"));
  script.AnswerFile(true, Q(Root / "out/Recompose.log"));
  Form.ButtonReadParadigmClick();
  Form.ButtonSetOutputClick();
  Form.ButtonRecomposeClick();
  EXPECT_EQ(Form.Editupdate->text(), "0 files processed.");
  Form.ButtonCloseClick();
  EXPECT_FALSE(Form.ButtonRecompose->isEnabled());
}

}  // namespace
