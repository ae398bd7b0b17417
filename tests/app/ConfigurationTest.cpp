#include "app/Configuration.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/ConfigEdit.h"
#include "app/TMemIniFile.h"
#include "platform/Exception.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ConfigurationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = FreshTestDir("config");
    File = Dir / "korvale.cfg";
  }
  std::unique_ptr<Configuration> Open() {
    return std::make_unique<Configuration>(nullptr, "korvale",
                                           QString::fromStdString(Dir.string()));
  }

  fs::path Dir;
  fs::path File;
  MessageRecorder Messages;
};

TEST_F(ConfigurationTest, AChangeReachesTheFileAtTheNextTimerTick) {
  auto config = Open();
  EXPECT_EQ(config->FileName(), QString::fromStdString(File.string()));
  EXPECT_FALSE(config->ValueExists("Directory", "LastDirectory"));
  EXPECT_EQ(config->GetFlushTimer().interval(), 5000);
  EXPECT_TRUE(config->GetFlushTimer().isActive());

  config->WriteString("Directory", "LastDirectory", "/data/runs/");
  EXPECT_TRUE(config->GetDirty());
  EXPECT_FALSE(fs::exists(File));
  config->FlushIfDirty();
  EXPECT_FALSE(config->GetDirty());
  EXPECT_EQ(ReadFile(File), "[Directory]\nLastDirectory=/data/runs/\n");
  EXPECT_TRUE(Messages.Messages().empty());
}

TEST_F(ConfigurationTest, ClosingWritesPendingChangesButNeverCreatesAnEmptyFile) {
  Open().reset();
  EXPECT_FALSE(fs::exists(File));
  auto config = Open();
  config->WriteString("Directory", "LastDirectory", "/x");
  config.reset();
  EXPECT_EQ(ReadFile(File), "[Directory]\nLastDirectory=/x\n");
}

TEST_F(ConfigurationTest, UserFileKeepsItsCommentsAndOrderThroughAChange) {
  WriteTextFile(File, "; mine\r\n[Z]\r\nb=1\r\na=2\r\n[Directory]\r\nLastDirectory=/old\r\n");
  auto config = Open();
  EXPECT_EQ(config->ReadString("Directory", "LastDirectory", ""), "/old");
  config->WriteString("Directory", "LastDirectory", "/new");
  config->FlushNow();
  EXPECT_EQ(ReadFile(File), "; mine\r\n[Z]\r\nb=1\r\na=2\r\n[Directory]\r\nLastDirectory=/new\r\n");
}

TEST_F(ConfigurationTest, AWindowsProgramsFileKeepsItsCharactersThroughAChange) {
  // Latin-1 "\xFC" and the Windows euro sign "\x80": the file is not UTF-8.
  WriteTextFile(
      File, "; f\xFCr M\xFCller\r\n[Directory]\r\nLastDirectory=C:\\L\xE4ufe\r\nPrice=\x80\r\n");
  auto config = Open();
  EXPECT_EQ(config->ReadString("Directory", "LastDirectory", ""), "C:\\L\u00e4ufe");
  config->WriteString("Directory", "LastDirectory", "/data/M\u00fcller");
  config->FlushNow();
  EXPECT_EQ(ReadFile(File),
            "; f\xFCr M\xFCller\r\n[Directory]\r\nLastDirectory=/data/M\xFCller\r\nPrice=\x80\r\n");
}

TEST_F(ConfigurationTest, AFileThatCannotBeReadIsNeverReplaced) {
  const std::string content(TMemIniFile::MaxFileSize + 1, 'x');
  WriteTextFile(File, content);
  auto config = Open();
  config->WriteString("Directory", "LastDirectory", "/x");
  config->FlushIfDirty();
  config->FlushIfDirty();
  config.reset();
  EXPECT_EQ(ReadFile(File), content);
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_NE(Messages.Messages()[0].find("could not be read"), std::string::npos);
}

TEST_F(ConfigurationTest, AWriteErrorIsReportedOnceAndRetriedLater) {
  const fs::path blocker = Dir / "blocker";  // a file where the folder should be
  WriteTextFile(blocker, "");
  Configuration config(nullptr, "korvale", QString::fromStdString(blocker.string()));
  config.WriteString("Directory", "LastDirectory", "/x");
  config.FlushIfDirty();
  config.FlushIfDirty();
  EXPECT_TRUE(config.GetDirty());
  EXPECT_EQ(Messages.Messages().size(), 1u);

  fs::remove(blocker);
  config.FlushIfDirty();
  EXPECT_FALSE(config.GetDirty());
  EXPECT_EQ(ReadFile(blocker / "korvale.cfg"), "[Directory]\nLastDirectory=/x\n");
  EXPECT_EQ(Messages.Messages().size(), 1u);
}

TEST_F(ConfigurationTest, WriteOfATextALineCannotHoldRaisesAndChangesNothing) {
  auto config = Open();
  EXPECT_THROW(config->WriteString("Directory", "LastDirectory", "a\nb"), EConvertError);
  EXPECT_FALSE(config->GetDirty());
}

TEST_F(ConfigurationTest, DefaultsNameTheExecutableAndTheFirstInstanceIsTheProgramOne) {
  Configuration first(nullptr, "0", "0");
  const QFileInfo exe(QCoreApplication::applicationFilePath());
  EXPECT_EQ(first.FileName(), exe.absolutePath() + "/" + exe.completeBaseName() + ".cfg");
  EXPECT_EQ(Configuration::Instance(), &first);
  {
    auto second = Open();
    EXPECT_EQ(Configuration::Instance(), &first);
  }
  EXPECT_EQ(Configuration::Instance(), &first);
}

TEST_F(ConfigurationTest, EditorOkWritesExactlyTheMemoLines) {
  WriteTextFile(File, "[Directory]\nLastDirectory=/old\n");
  auto config = Open();
  ModalScript script;
  script.AnswerForm([](QDialog& dialog) {
    auto& form = dynamic_cast<TConfigEdFrm&>(dialog);
    form.FormShow();
    EXPECT_EQ(form.Memo1->toPlainText(), "[Directory]\nLastDirectory=/old");
    form.Memo1->setPlainText("; new\n[A]\nk=v\n");
    form.BitBtn1Click();
    return form.result();
  });
  EXPECT_TRUE(config->EditFile());
  EXPECT_EQ(script.Asked().front(), "form: korvale.cfg");
  EXPECT_EQ(ReadFile(File), "; new\n[A]\nk=v\n");
  EXPECT_FALSE(config->GetDirty());
}

TEST_F(ConfigurationTest, EditorCancelLeavesTheFileAlone) {
  WriteTextFile(File, "[Directory]\nLastDirectory=/old\n");
  auto config = Open();
  ModalScript script;
  script.AnswerForm([](QDialog& dialog) {
    auto& form = dynamic_cast<TConfigEdFrm&>(dialog);
    form.Memo1->setPlainText("changed");
    form.BitBtn2Click();
    return form.result();
  });
  EXPECT_FALSE(config->EditFile());
  EXPECT_EQ(ReadFile(File), "[Directory]\nLastDirectory=/old\n");
  EXPECT_EQ(config->ReadString("Directory", "LastDirectory", ""), "/old");
}

}  // namespace
