#include "app/TarHandler.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <filesystem>

#include "tests/app/ArchiveBuilder.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class TarHandlerTest : public ::testing::Test {
 protected:
  QStringList LogLines() const { return Form.Memo1->toPlainText().split(u'\n'); }

  TTarFrm Form{nullptr};
};

TEST_F(TarHandlerTest, OpenFileUnpacksTheChosenArchiveAndLogsEachOne) {
  const fs::path dir = FreshTestDir("tarfrm");
  const QString good = QString::fromStdString((dir / "run7.tar.gz").string());
  const QString bad = QString::fromStdString((dir / "bad.tar.gz").string());
  WriteTextFile(
      dir / "run7.tar.gz",
      archive::Gzip(archive::Member("a.RA2", archive::ScanText('R', 2, 280, 3)) + archive::End()));
  WriteTextFile(dir / "bad.tar.gz", "not gzip");
  EXPECT_EQ(Form.windowTitle(), "Extract files from Beckman tar.gz");
  EXPECT_TRUE(Form.Memo1->toPlainText().isEmpty());

  ModalScript script;
  script.AnswerFile(true, good);
  script.AnswerFile(false);
  script.AnswerFile(true, bad);
  Form.BitBtn1Click();
  Form.BitBtn1Click();
  Form.BitBtn1Click();
  EXPECT_EQ(LogLines(), QStringList({"Expanded 1 files from " + good, bad + " is not a tar.gz file",
                                     "Failed handle tar.gz file"}));
  EXPECT_TRUE(fs::exists(dir / "run7/Cell2/Absorbance/280/a.RA2"));
}

TEST_F(TarHandlerTest, MembersThatAreNotWrittenAreNamedBeforeTheFailure) {
  const fs::path dir = FreshTestDir("tarfrm");
  const QString path = QString::fromStdString((dir / "run8.tar.gz").string());
  WriteTextFile(dir / "run8.tar.gz", archive::Gzip(archive::Member("a.txt", "a") +
                                                   archive::Member("b.txt", "b") + archive::End()));
  fs::create_directories(dir / "run8");
  fs::create_symlink(dir / "elsewhere.txt", dir / "run8/b.txt");

  ModalScript script;
  script.AnswerFile(true, path);
  Form.BitBtn1Click();
  const QString link = QString::fromStdString((dir / "run8/b.txt").string());
  EXPECT_EQ(LogLines(),
            QStringList({link + " is a symbolic link; b.txt was not written",
                         "Unpacked only 1 files from " + path, "Failed handle tar.gz file"}));
  EXPECT_FALSE(fs::exists(dir / "elsewhere.txt"));
}

}  // namespace
