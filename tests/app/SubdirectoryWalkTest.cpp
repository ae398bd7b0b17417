#include "app/SubdirectoryWalk.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>

#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using SubdirectoryWalk::CollectSubdirectories;

namespace {

class SubdirectoryWalkTest : public ::testing::Test {
 protected:
  void SetUp() override { Root = FreshTestDir("walk"); }
  void TearDown() override {
    // A folder made unreadable must be readable again for the next clean-up.
    std::error_code error;
    for (const fs::path& p : Locked) fs::permissions(p, fs::perms::owner_all, error);
  }
  QString R() const { return QString::fromStdString(Root.string()) + "/"; }

  fs::path Root;
  std::vector<fs::path> Locked;
};

TEST_F(SubdirectoryWalkTest, DirectoryComesBeforeItsSubdirectoriesAndEveryPathEndsWithADelimiter) {
  fs::create_directories(Root / "run1" / "Cell1" / "Absorbance");
  fs::create_directories(Root / "run2");
  WriteTextFile(Root / "run2" / "00001.RA1", "");
  QStringList list;
  ASSERT_TRUE(CollectSubdirectories(R(), list));
  ASSERT_EQ(list.size(), 4);
  const qsizetype run1 = list.indexOf(R() + "run1/");
  const qsizetype cell = list.indexOf(R() + "run1/Cell1/");
  const qsizetype absorbance = list.indexOf(R() + "run1/Cell1/Absorbance/");
  ASSERT_GE(run1, 0);
  EXPECT_EQ(cell, run1 + 1);
  EXPECT_EQ(absorbance, run1 + 2);
  EXPECT_TRUE(list.contains(R() + "run2/"));
}

TEST_F(SubdirectoryWalkTest, ALinkIsListedButNeverEnteredSoALoopEnds) {
  fs::create_directories(Root / "a" / "b");
  fs::create_directory_symlink(Root, Root / "a" / "b" / "up");
  fs::create_directory_symlink(Root / "a", Root / "again");
  QStringList list;
  ASSERT_TRUE(CollectSubdirectories(R(), list));
  list.sort();
  EXPECT_EQ(list, QStringList({R() + "a/", R() + "a/b/", R() + "a/b/up/", R() + "again/"}));
}

TEST_F(SubdirectoryWalkTest, AnUnreadableSubdirectoryIsLeftOutAndItsSiblingsAreWalked) {
  // A stand-in file system: root holds locked/ (unreadable) and open/ with
  // inner/; works whatever the user's rights (root reads every folder).
  const std::map<QString, SubdirectoryWalk::TEntries> tree = {
      {"/r/", {{"locked", true, false}, {"open", true, false}, {"file.RA1", false, false}}},
      {"/r/open/", {{"inner", true, false}}},
      {"/r/open/inner/", {}}};
  const auto read = [&](const QString& Dir) -> std::optional<SubdirectoryWalk::TEntries> {
    const auto it = tree.find(Dir);
    if (it == tree.end()) return std::nullopt;
    return it->second;
  };
  QStringList list = {"/earlier/"};
  ASSERT_TRUE(CollectSubdirectories("/r/", list, read));
  EXPECT_EQ(list, QStringList({"/earlier/", "/r/open/", "/r/open/inner/"}));
  EXPECT_FALSE(CollectSubdirectories("/r/missing/", list, read));
  EXPECT_EQ(list.size(), 3);
}

TEST_F(SubdirectoryWalkTest, RealUnreadableFolderIsSkipped) {
  fs::create_directories(Root / "locked" / "hidden");
  fs::create_directories(Root / "open");
  fs::permissions(Root / "locked", fs::perms::none);
  Locked.push_back(Root / "locked");
  QStringList list;
  {
    AsUnprivilegedUser user;
    ASSERT_TRUE(CollectSubdirectories(R(), list));
  }
  EXPECT_EQ(list, QStringList({R() + "open/"}));
}

}  // namespace
