#include "app/ScanFileNames.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <cerrno>
#include <filesystem>

#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class ScanFileNamesTest : public ::testing::Test {
 protected:
  void SetUp() override { Dir = FreshTestDir("ScanFileNamesTest"); }

  QString DirName() const { return QString::fromStdString(Dir.string()); }

  fs::path Dir;
};

TEST_F(ScanFileNamesTest, ListsEveryMatchingEntrySortedIgnoringCase) {
  for (const char* name : {"00012.ra1", "00003.RA1", "00010.RA2", "notes.txt"})
    WriteTextFile(Dir / name, "x");
  fs::create_directories(Dir / "00007.RA1");  // directories count, as the file search has them
  const QStringList expected = {"00003.RA1", "00007.RA1", "00012.ra1"};
  EXPECT_EQ(ScanFileNames::ListMatching(DirName(), QStringLiteral("*.RA1")), expected);
  EXPECT_EQ(ScanFileNames::ListMatching(DirName(), QStringLiteral("*")).size(), 5);
}

// What a writer leaves while it writes, to rename it when done, is never
// listed as a scan, whatever mask it matches.
TEST_F(ScanFileNamesTest, HiddenAndTemporaryNamesAreNeverScans) {
  for (const char* name :
       {".00021.IP2", "~00022.IP2", "00023.IP2~", "00024.IP2.tmp", "00025.IP2.PART", "00026.IP2"})
    WriteTextFile(Dir / name, "x");
  EXPECT_EQ(ScanFileNames::ListMatching(DirName(), QStringLiteral("*")),
            QStringList{QStringLiteral("00026.IP2")});
  EXPECT_EQ(ScanFileNames::ListMatching(DirName(), QStringLiteral("*.IP2")),
            QStringList{QStringLiteral("00026.IP2")});
  EXPECT_TRUE(ScanFileNames::IsScanName(QStringLiteral("Run9.RA1")));
  EXPECT_TRUE(ScanFileNames::IsScanName(QStringLiteral("a.tmp.RA1")));
  EXPECT_FALSE(ScanFileNames::IsScanName(QString()));
}

TEST_F(ScanFileNamesTest, TheScanNumberIsTheLastRunOfDigitsBeforeTheExtension) {
  EXPECT_EQ(ScanFileNames::ScanNumber(QStringLiteral("00021.IP2")), 21);
  EXPECT_EQ(ScanFileNames::ScanNumber(QStringLiteral("Run9.RA1")), 9);
  EXPECT_EQ(ScanFileNames::ScanNumber(QStringLiteral("A2b0017x.FI3")), 17);
  EXPECT_EQ(ScanFileNames::ScanNumber(QStringLiteral("scan.RA1")), -1);
  EXPECT_EQ(ScanFileNames::ScanNumber(QStringLiteral("0123456789012345678901.RA1")), -1);
}

TEST_F(ScanFileNamesTest, AFolderThatCannotBeListedSaysWhy) {
  EXPECT_EQ(ScanFileNames::ListScanEntries(DirName() + QStringLiteral("/none"), QStringLiteral("*"))
                .Error,
            ENOENT);
  WriteTextFile(Dir / "file", "x");
  EXPECT_EQ(ScanFileNames::ListScanEntries(DirName() + QStringLiteral("/file"), QStringLiteral("*"))
                .Error,
            ENOTDIR);
  EXPECT_EQ(ScanFileNames::ListScanEntries(DirName(), QStringLiteral("*")).Error, 0);
}

TEST_F(ScanFileNamesTest, NamesEqualButForCaseComeInOneOrder) {
  for (const char* name : {"b.RA1", "A.ra1", "a.RA1", "a.ra1"}) WriteTextFile(Dir / name, "x");
  const QStringList expected = {"A.ra1", "a.RA1", "a.ra1", "b.RA1"};
  const QStringList listed = ScanFileNames::ListMatching(DirName(), QStringLiteral("*.ra1"));
  EXPECT_EQ(listed, expected);
  for (const QString& name : listed) EXPECT_TRUE(ScanFileNames::SortedContains(listed, name));
}

TEST_F(ScanFileNamesTest, NamesKeepTheirCharactersAndAMissingDirectoryListsNothing) {
  WriteTextFile(Dir / "M\xc3\xbcller.RA1", "x");
  EXPECT_EQ(ScanFileNames::ListMatching(DirName(), QStringLiteral("*.RA1")),
            QStringList{QStringLiteral("M\u00fcller.RA1")});
  EXPECT_TRUE(ScanFileNames::ListMatching(DirName() + QStringLiteral("/gone"), QStringLiteral("*"))
                  .isEmpty());
  EXPECT_TRUE(ScanFileNames::ListMatching(QStringLiteral("  "), QStringLiteral("*")).isEmpty());
}

}  // namespace
