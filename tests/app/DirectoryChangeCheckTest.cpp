#include "app/DirectoryChangeCheck.h"

#include <gtest/gtest.h>

#include <QString>

#include <chrono>
#include <filesystem>

#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class DirectoryChangeCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { Dir = FreshTestDir("DirectoryChangeCheckTest"); }

  QString Name(const fs::path& Path) const { return QString::fromStdString(Path.string()); }
  // As if the last entry had been made a minute ago.
  static void Age(const fs::path& Path) {
    fs::last_write_time(Path, fs::file_time_type::clock::now() - std::chrono::minutes(1));
  }

  fs::path Dir;
  DirectoryChangeCheck Check;
};

TEST_F(DirectoryChangeCheckTest, ASettledDirectoryIsLookedAtOnceUntilAnEntryComesOrGoes) {
  Age(Dir);
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));  // never looked at
  EXPECT_FALSE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_FALSE(Check.MayHaveChanged(Name(Dir)));
  // Rewriting a file leaves the directory as it was.
  WriteTextFile(Dir / "a.RA1", "x");
  Age(Dir);
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_FALSE(Check.MayHaveChanged(Name(Dir)));

  fs::remove(Dir / "a.RA1");
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
}

TEST_F(DirectoryChangeCheckTest, ARecentTimeIsNotTrustedUntilItLiesAStepBack) {
  // An entry made within the same step of the time would not move it: a
  // directory changed just now is looked at again on every call.
  WriteTextFile(Dir / "a.RA1", "x");
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
  Age(Dir);
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_FALSE(Check.MayHaveChanged(Name(Dir)));
}

TEST_F(DirectoryChangeCheckTest, AnotherOrAMissingDirectoryIsAlwaysLookedAt) {
  const fs::path Other = Dir / "other";
  fs::create_directories(Other);
  Age(Other);
  Age(Dir);
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_FALSE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_TRUE(Check.MayHaveChanged(Name(Other)));
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
  EXPECT_FALSE(Check.MayHaveChanged(Name(Dir)));
  for (const QString& Missing : {Name(Dir / "gone"), QStringLiteral(" "), QString()}) {
    EXPECT_TRUE(Check.MayHaveChanged(Missing));
    EXPECT_TRUE(Check.MayHaveChanged(Missing));
  }
  EXPECT_TRUE(Check.MayHaveChanged(Name(Dir)));
}

}  // namespace
