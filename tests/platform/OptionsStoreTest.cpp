#include "platform/OptionsStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "tests/support/TestSupport.h"

namespace {

const QString EditorKey = QStringLiteral("SOFTWARE\\Korvale\\KorChart Pro\\Editor");

class OptionsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = FreshTestDir(std::string("OptionsStoreTest.") +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    FFile = QString::fromStdString((FDir / "Options.ini").string());
  }

  void WriteFile(const std::string& Text) { WriteTextFile(FDir / "Options.ini", Text); }

  std::filesystem::path FDir;
  QString FFile;
};

TEST_F(OptionsStoreTest, RoundTripOfIntegersBoolsAndStrings) {
  {
    OptionsStore store(FFile);
    EXPECT_TRUE(store.WriteInteger(EditorKey, "Left", -12));
    EXPECT_TRUE(store.WriteBool(EditorKey, "TreeMode", true));
    EXPECT_TRUE(store.WriteString(EditorKey, "Help", " C:\\Path\\with = sign\nand line "));
    EXPECT_TRUE(store.WriteString("Other", "Quote", "\"quoted\""));
    EXPECT_TRUE(store.WriteString("Other", "Tabs", QString("a\tb") + QChar(0) + "c\\x41"));
    EXPECT_TRUE(store.WriteInteger(EditorKey, "Left", 40));  // replaces
  }
  OptionsStore store(FFile);
  EXPECT_EQ(store.ReadInteger(EditorKey, "Left", 0), 40);
  EXPECT_EQ(store.ReadInteger(EditorKey.toLower(), "LEFT", 0), 40);  // no case
  EXPECT_TRUE(store.ReadBool(EditorKey, "TreeMode", false));
  EXPECT_EQ(store.ReadString(EditorKey, "Help", ""), " C:\\Path\\with = sign\nand line ");
  EXPECT_EQ(store.ReadString("Other", "Quote", ""), "\"quoted\"");
  EXPECT_EQ(store.ReadString("Other", "Tabs", ""), QString("a\tb") + QChar(0) + "c\\x41");
  EXPECT_TRUE(store.ValueExists(EditorKey, "Left"));
  EXPECT_FALSE(store.ValueExists(EditorKey, "Top"));
  EXPECT_TRUE(store.KeyExists("other"));
}

TEST_F(OptionsStoreTest, MissingFileKeyOrValueGivesTheDefault) {
  MessageRecorder recorder;
  OptionsStore store(FFile);
  EXPECT_EQ(store.ReadInteger(EditorKey, "Left", 7), 7);
  EXPECT_TRUE(store.ReadBool(EditorKey, "RememberSize", true));
  EXPECT_FALSE(store.KeyExists(EditorKey));
  EXPECT_FALSE(QFileInfo::exists(FFile));  // reading creates nothing
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(OptionsStoreTest, MalformedValuesGiveTheDefault) {
  WriteFile("[Editor]\nLeft=12px\nBig=99999999999\nFlag=maybe\nEmpty=\n");
  OptionsStore store(FFile);
  EXPECT_EQ(store.ReadInteger("Editor", "Left", 5), 5);
  EXPECT_EQ(store.ReadInteger("Editor", "Big", 5), 5);
  EXPECT_TRUE(store.ReadBool("Editor", "Flag", true));
  EXPECT_EQ(store.ReadInteger("Editor", "Empty", 3), 3);
  EXPECT_EQ(store.ReadString("Editor", "Empty", "x"), "");
}

TEST_F(OptionsStoreTest, CorruptFileIsReportedOnceAndRewrittenCleanly) {
  const char bytes[] =
      "[Editor]\r\nLeft=10\r\ngarbage line\r\n[broken\r\nX=1\r\n\xff\xfe\x00[Tail]\r\nTop=3\r\n";
  WriteFile(std::string(bytes, sizeof bytes - 1));
  MessageRecorder recorder;
  OptionsStore store(FFile);
  EXPECT_EQ(store.ReadInteger("Editor", "Left", 0), 10);
  EXPECT_EQ(store.ReadInteger("broken", "X", 0), 0);
  EXPECT_EQ(store.ReadInteger("Editor", "Top", 0), 0);
  ASSERT_EQ(recorder.Messages().size(), 1u);
  EXPECT_NE(recorder.Messages()[0].find("damaged"), std::string::npos);

  EXPECT_TRUE(store.WriteInteger("Editor", "Width", 300));
  OptionsStore fresh(FFile);
  EXPECT_EQ(fresh.ReadInteger("Editor", "Left", 0), 10);
  EXPECT_EQ(fresh.ReadInteger("Editor", "Width", 0), 300);
  EXPECT_EQ(recorder.Messages().size(), 1u);  // the rewritten file is clean
}

TEST_F(OptionsStoreTest, NamesTheFileCannotHoldAreRefused) {
  OptionsStore store(FFile);
  EXPECT_FALSE(store.WriteInteger(EditorKey, "a=b", 1));
  EXPECT_FALSE(store.WriteInteger("Key]", "a", 1));
  EXPECT_FALSE(store.WriteInteger(EditorKey, "line\nbreak", 1));
  EXPECT_FALSE(store.WriteInteger(EditorKey, "", 1));
  EXPECT_FALSE(store.WriteInteger(EditorKey, QString("nul") + QChar(0), 1));
  EXPECT_FALSE(QFileInfo::exists(FFile));
}

// A blank section name and one holding NUL bytes: their entries are not
// read, and after a write the file no longer counts as damaged.
TEST_F(OptionsStoreTest, KeysTheFileCannotHoldAreDamageAndVanishOnRewrite) {
  const char bytes[] =
      "[Editor]\nLeft=5\n[ ]\nTop=7\n[Ko\0\0rv]\nWidth=9\n[Tail]\nA\0b=1\nHeight=3\n";
  WriteFile(std::string(bytes, sizeof bytes - 1));
  MessageRecorder recorder;
  OptionsStore store(FFile);
  EXPECT_EQ(store.ReadInteger("", "Top", 0), 0);
  EXPECT_EQ(store.ReadInteger(QString("Ko") + QChar(0) + QChar(0) + "rv", "Width", 0), 0);
  EXPECT_EQ(store.ReadInteger("Tail", "Height", 0), 3);
  EXPECT_EQ(recorder.Messages().size(), 1u);

  EXPECT_TRUE(store.WriteInteger("Editor", "Right", 6));
  QFile file(FFile);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const ParsedOptions reread = ParseOptionsText(file.readAll());
  EXPECT_FALSE(reread.Damaged);
  ASSERT_EQ(reread.Entries.size(), 3u);  // Left, Right and Height
  OptionsStore fresh(FFile);
  EXPECT_EQ(fresh.ReadInteger("Editor", "Left", 0), 5);
  EXPECT_EQ(fresh.ReadInteger("Tail", "Height", 0), 3);
}

TEST_F(OptionsStoreTest, UnwritableLocationReportsFailure) {
  WriteFile("");
  OptionsStore store(FFile + "/inside-a-file.ini");
  EXPECT_FALSE(store.WriteBool(EditorKey, "TreeMode", true));
}

TEST_F(OptionsStoreTest, UserStoreLivesInTheTestConfigFolder) {
  const PrivateUserConfig Config;
  const QString name = OptionsStore::User().FileName();
  EXPECT_TRUE(name.endsWith("/Korvale/Options.ini"));
  EXPECT_TRUE(
      name.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
}

}  // namespace
