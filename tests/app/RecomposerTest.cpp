#include "app/Recomposer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TStringList Lines(const QString& Text) {
  TStringList list;
  list.SetText(Text);
  return list;
}

class RecomposerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Root = FreshTestDir("recompose");
    Data = Root / "data";
    Out = Root / "out";
    fs::create_directories(Data);
    fs::create_directories(Out);
    WriteTextFile(
        Root / "paradigm.ip1",
        "cm/pixel:  0.00077, Paradigm\r\nP 1 20.0\r\nAAAAAAAAAA-rest\r\nBBBBBBBBBB-rest\r\n");
    R.SetDataDirectory(Q(Data));
  }
  static QString Q(const fs::path& Path) { return QString::fromStdString(Path.string()); }

  fs::path Root, Data, Out;
  Recomposer R;
};

TEST_F(RecomposerTest, LinesTakeTheParadigmStartAndTheDataRest) {
  const TStringList paradigm = Lines("Para title, x\nline2\n0123456789abc\nABCDEFGHIJKLMN\n");
  TStringList data = Lines("Data, title\nkept\nxxxxxxxxxYyyy\nshort\n");
  ASSERT_TRUE(Recomposer::RecomposeLines(paradigm, data));
  // Character 10 of a data line appears after the paradigm's ten.
  EXPECT_EQ(data.Text(), "Para, title\r\nkept\r\n0123456789Yyyy\r\nABCDEFGHIJ\r\n");

  TStringList noComma = Lines(QString(300, u'z') + "\n");
  ASSERT_TRUE(Recomposer::RecomposeLines(paradigm, noComma));
  EXPECT_EQ(noComma[0], QString(255, u'z'));

  TStringList longer = Lines("a\nb\nc\nd\ne\n");
  EXPECT_FALSE(Recomposer::RecomposeLines(paradigm, longer));
  EXPECT_EQ(longer[2], "c");
  EXPECT_FALSE(Recomposer::RecomposeLines(TStringList(), data));
}

TEST_F(RecomposerTest, EveryInterferenceFileIsRewrittenUnderItsNameElsewhere) {
  WriteTextFile(Data / "00002.ip1", "cm/pixel:  0.00099, two\r\nP 1 x\r\n123456789-2nd\r\n");
  WriteTextFile(Data / "00001.IP3", "cm/pixel:  0.00099, one\r\nP 3 x\r\n");
  WriteTextFile(Data / "00001.RA1", "not interference\r\n");
  ASSERT_TRUE(R.ReadParadigm(Q(Root / "paradigm.ip1")));
  ASSERT_TRUE(R.SetOutputDirectory(Q(Out)));
  QStringList shown;
  EXPECT_EQ(R.Recompose([&](const QString& s) { shown << s; }), "2 files processed.");
  EXPECT_EQ(shown, QStringList({"32 bytes read and being processed for file 1",
                                "47 bytes read and being processed for file 2"}));
  EXPECT_EQ(ReadFile(Out / "00001.IP3"), "cm/pixel:  0.00077, one\r\nP 3 x\r\n");
  EXPECT_EQ(ReadFile(Out / "00002.ip1"), "cm/pixel:  0.00077, two\r\nP 1 x\r\nAAAAAAAAAA-2nd\r\n");
  EXPECT_FALSE(fs::exists(Out / "00001.RA1"));
  EXPECT_EQ(ReadFile(Data / "00002.ip1"), "cm/pixel:  0.00099, two\r\nP 1 x\r\n123456789-2nd\r\n");
}

TEST_F(RecomposerTest, OutputMustBeAnotherFolderHoweverItIsWritten) {
  ASSERT_TRUE(R.ReadParadigm(Q(Root / "paradigm.ip1")));
  for (const fs::path& same :
       {Data, fs::path(Data.string() + "/"), Data / ".", Out / ".." / "data"}) {
    EXPECT_FALSE(R.SetOutputDirectory(Q(same))) << same;
    EXPECT_FALSE(R.RecomposeEnabled());
    EXPECT_TRUE(R.GetOutputDirectory().isEmpty());
  }
  fs::create_directory_symlink(Data, Root / "link");
  EXPECT_FALSE(R.SetOutputDirectory(Q(Root / "link")));
  EXPECT_TRUE(R.SetOutputDirectory(Q(Out)));
  EXPECT_TRUE(R.RecomposeEnabled());
}

TEST_F(RecomposerTest, ARunStopsAtAFileItCannotHandleAndNamesIt) {
  WriteTextFile(Data / "00001.IP1", "Data, a\r\nP\r\n1234567890\r\n");
  WriteTextFile(Data / "00002.IP1", "Data, b\r\nP\r\n1\r\n2\r\n3\r\n");
  WriteTextFile(Data / "00003.IP1", "Data, c\r\n");
  ASSERT_TRUE(R.ReadParadigm(Q(Root / "paradigm.ip1")));
  ASSERT_TRUE(R.SetOutputDirectory(Q(Out)));
  EXPECT_EQ(R.Recompose(nullptr),
            Q(Data / "00002.IP1") + " has more lines than the paradigm; stopped there");
  EXPECT_TRUE(fs::exists(Out / "00001.IP1"));
  EXPECT_FALSE(fs::exists(Out / "00002.IP1"));
  EXPECT_FALSE(fs::exists(Out / "00003.IP1"));

  fs::remove(Data / "00002.IP1");
  fs::create_directory(Out / "00003.IP1");  // nothing can be written there
  EXPECT_EQ(R.Recompose(nullptr), "Failed to write " + Q(Out / "00003.IP1") + "; stopped there");

  WriteTextFile(Root / "empty", "");
  EXPECT_FALSE(R.ReadParadigm(Q(Root / "empty")));
  EXPECT_FALSE(R.RecomposeEnabled());
}

TEST_F(RecomposerTest, LoadTextFileToListReportsUnreadableFilesAndKeepsTheList) {
  TStringList list = Lines("old\n");
  EXPECT_EQ(Recomposer::LoadTextFileToList(Q(Root / "absent"), list), -1);
  EXPECT_EQ(list.Text(), "old\r\n");
  WriteTextFile(Root / "bytes", std::string("a\xE9\r\nb", 5));
  EXPECT_EQ(Recomposer::LoadTextFileToList(Q(Root / "bytes"), list), 5);
  EXPECT_EQ(list.Text().toLatin1(), QByteArray("a\xE9\r\nb\r\n"));
}

}  // namespace
