#include "app/ScanFileNames.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

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
  for (const char* name : {"00012.ra1", "00003.RA1", "00010.RA2", ".00001.RA1", "notes.txt"})
    WriteTextFile(Dir / name, "x");
  fs::create_directories(Dir / "00007.RA1");  // directories count, as the file search has them
  const QStringList expected = {".00001.RA1", "00003.RA1", "00007.RA1", "00012.ra1"};
  EXPECT_EQ(ScanFileNames::ListMatching(DirName(), QStringLiteral("*.RA1")), expected);
  EXPECT_EQ(ScanFileNames::ListMatching(DirName(), QStringLiteral("*")).size(), 6);
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
