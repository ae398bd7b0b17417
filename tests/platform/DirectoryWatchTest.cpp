#include "platform/DirectoryWatch.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QString>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

class DirectoryWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = FreshTestDir("directory-watch");
    if (!DirectoryWatch::ReportsEveryChange(DirText()))
      GTEST_SKIP() << "the test folder lies on a file system the watch does not trust";
    ASSERT_TRUE(Watch.Start(DirText()));
  }

  QString DirText() const { return QString::fromStdString(Dir.string()); }
  void Write(const std::string& Name, const std::string& Text) const {
    std::ofstream(Dir / Name, std::ios::binary) << Text;
  }
  static std::vector<std::string> Names(const std::vector<QString>& Names) {
    std::vector<std::string> names;
    for (const QString& name : Names) names.push_back(name.toStdString());
    return names;
  }
  static std::vector<std::pair<std::string, bool>> Entries(const DirectoryWatch::TChanges& C) {
    std::vector<std::pair<std::string, bool>> entries;
    for (const auto& entry : C.Entries)
      entries.emplace_back(entry.Name.toStdString(), entry.Present);
    return entries;
  }

  fs::path Dir;
  DirectoryWatch Watch;
};

TEST_F(DirectoryWatchTest, ReportsEntriesInOrderAndEachTouchedNameOnce) {
  Write("00001.RA1", "first");
  Write("00002.RA1", "second");
  Write("00001.RA1", "first, written again");
  fs::remove(Dir / "00002.RA1");
  fs::rename(Dir / "00001.RA1", Dir / "00003.RA1");
  const DirectoryWatch::TChanges changes = Watch.TakeChanges();
  ASSERT_TRUE(changes.Trusted);
  const std::vector<std::pair<std::string, bool>> expected{{"00001.RA1", true},
                                                           {"00002.RA1", true},
                                                           {"00002.RA1", false},
                                                           {"00001.RA1", false},
                                                           {"00003.RA1", true}};
  EXPECT_EQ(Entries(changes), expected);
  EXPECT_EQ(Names(changes.Touched),
            (std::vector<std::string>{"00001.RA1", "00002.RA1", "00003.RA1"}));

  // What was taken is not reported again; a quiet folder is trusted and
  // empty, and a change of status alone is reported as a touch.
  const DirectoryWatch::TChanges quiet = Watch.TakeChanges();
  EXPECT_TRUE(quiet.Trusted);
  EXPECT_TRUE(quiet.Touched.empty());
  EXPECT_TRUE(quiet.Entries.empty());
  fs::last_write_time(Dir / "00003.RA1",
                      fs::file_time_type::clock::now() - std::chrono::minutes(1));
  const DirectoryWatch::TChanges aged = Watch.TakeChanges();
  EXPECT_TRUE(aged.Trusted);
  EXPECT_EQ(Names(aged.Touched), std::vector<std::string>{"00003.RA1"});
  EXPECT_TRUE(aged.Entries.empty());
}

// A folder removed and made anew, or moved away, is another folder than
// the one watched: the watch says so once (the caller looks at everything)
// and then watches the folder now at the path.
TEST_F(DirectoryWatchTest, FolderMadeAnewOrMovedIsDistrustedOnceAndWatchedAgain) {
  Write("00001.RA1", "first");
  fs::remove_all(Dir);
  fs::create_directories(Dir);
  EXPECT_FALSE(Watch.TakeChanges().Trusted);
  Write("00002.RA1", "second");
  DirectoryWatch::TChanges changes = Watch.TakeChanges();
  EXPECT_TRUE(changes.Trusted);
  EXPECT_EQ(Entries(changes), (std::vector<std::pair<std::string, bool>>{{"00002.RA1", true}}));

  fs::rename(Dir, Dir.string() + "-old");
  fs::create_directories(Dir);
  Write("00003.RA1", "third");
  EXPECT_FALSE(Watch.TakeChanges().Trusted);
  std::ofstream(Dir.string() + "-old/00009.RA1") << "in the folder moved away";
  Write("00004.RA1", "fourth");
  changes = Watch.TakeChanges();
  EXPECT_TRUE(changes.Trusted);
  EXPECT_EQ(Entries(changes), (std::vector<std::pair<std::string, bool>>{{"00004.RA1", true}}));
  fs::remove_all(Dir.string() + "-old");
}

// More events than the kernel queues: some were dropped, so this once
// nothing the watch says can be trusted.
TEST_F(DirectoryWatchTest, DroppedEventsAreNotTrusted) {
  std::ofstream a(Dir / "a.RA1");
  std::ofstream b(Dir / "b.RA1");
  for (int i = 0; i < 20000; ++i) {
    (i % 2 == 0 ? a : b) << 'x';
    (i % 2 == 0 ? a : b).flush();
  }
  EXPECT_FALSE(Watch.TakeChanges().Trusted);
  Write("c.RA1", "after");
  EXPECT_TRUE(Watch.TakeChanges().Trusted);
}

TEST(DirectoryWatchPlaces, ForeignMissingOrUnwatchedFoldersAreNeverTrusted) {
  DirectoryWatch watch;
  // A file system whose type is not known to report every change.
  EXPECT_FALSE(DirectoryWatch::ReportsEveryChange(QStringLiteral("/proc")));
  EXPECT_FALSE(watch.Start(QStringLiteral("/proc")));
  EXPECT_FALSE(watch.TakeChanges().Trusted);
  EXPECT_FALSE(watch.Start(QStringLiteral("/no/such/folder/here")));
  EXPECT_FALSE(watch.TakeChanges().Trusted);
  DirectoryWatch never;
  EXPECT_FALSE(never.TakeChanges().Trusted);
}

// A watch the kernel cannot set (no handle left for it) says why, so the
// viewer can tell its user that it lists the folder at every poll instead.
TEST_F(DirectoryWatchTest, AWatchThatCannotBeSetSaysWhy) {
  EXPECT_EQ(Watch.GetError(), 0);
  EXPECT_EXIT(
      {
        AllowNoMoreFileDescriptors();
        DirectoryWatch watch;
        const bool started = watch.Start(DirText());
        std::_Exit(!started && watch.GetError() == EMFILE ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}
