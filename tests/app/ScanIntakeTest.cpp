#include "app/ScanIntake.h"

#include "app/IntakeStatusText.h"

#include "analysis/Realtimegofs.h"
#include "platform/DirectoryWatch.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

class ScanIntakeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = FreshTestDir("intake");
    Analysis.ChannelMask = "0*.RA1";
    Analysis.MeniscusRadius = 6.05;
    Analysis.CellBottom = 7.2;
    // Files rest at first sight unless a test says otherwise; the intake's
    // clock is the test's own.
    Intake.SetSettleMs(0);
    Intake.SetClock([this] { return ClockMs; });
  }

  static const SimulatedChannel& Run() { return SimulatedChannel::Absorbance(12); }
  QString DirText() const { return QString::fromStdString(Dir.string()); }
  int Sets() const { return Analysis.RawStore ? Analysis.RawStore->GetNumberOfSets() : 0; }
  std::string SetFile(int Set) const {
    return Analysis.RawStore->Headers[static_cast<size_t>(Set)].FileName;
  }
  int ValidPoints(int Set) const {
    int valid = 0;
    for (int j = 0; j < Analysis.RawStore->GetNumberOfPoints(); ++j)
      if (Analysis.RawStore->GetError(Set, j) >= 0) ++valid;
    return valid;
  }
  ScanIntake::TLoadResult Poll() { return Intake.Poll(Analysis, {}); }

  // Name order must be time order: every set's file is the next scan file.
  void ExpectScansInOrder(int Count) const {
    ASSERT_EQ(Sets(), Count);
    for (int i = 0; i < Count; ++i)
      EXPECT_EQ(SetFile(i), Run().Files[static_cast<size_t>(i)].first);
  }

  fs::path Dir;
  RealTimeGofS Analysis;
  ScanIntake Intake;
  long long ClockMs = 0;
};

TEST_F(ScanIntakeTest, PatternsAndModesComeFromTheChannelMask) {
  EXPECT_EQ(ScanIntake::ChannelPattern(QStringLiteral("0*.RI1Sam")), QStringLiteral("*.RI1"));
  EXPECT_EQ(ScanIntake::ChannelPattern(QStringLiteral("Run*.RA1")), QStringLiteral("*.RA1"));
  EXPECT_EQ(ScanIntake::ReadMode(QStringLiteral("0*.RI1Ref")), 1);
  EXPECT_EQ(ScanIntake::ReadMode(QStringLiteral("0*.RI1Sam")), 2);
  EXPECT_EQ(ScanIntake::ReadMode(QStringLiteral("0*.IP2")), 0);
}

TEST_F(ScanIntakeTest, FirstLoadTakesEveryScanAndPollsTakeNewOnesOnce) {
  Run().WriteRange(Dir, 0, 6);
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).SetsAdded, 6);
  ExpectScansInOrder(6);
  EXPECT_EQ(Poll().SetsAdded, 0);
  Run().WriteRange(Dir, 6, 9);
  std::vector<int> added;
  EXPECT_EQ(Intake.Poll(Analysis, [&](int Set) { added.push_back(Set); }).SetsAdded, 3);
  EXPECT_EQ(added, (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(Poll().SetsAdded, 0);
  ExpectScansInOrder(9);
  EXPECT_EQ(Intake.GetFileNames().size(), 9);
}

TEST_F(ScanIntakeTest, LowerCaseExtensionsMatchTheUpperCaseMask) {
  for (size_t i = 0; i < 3; ++i) {
    const std::string lower = "0000" + std::to_string(i + 1) + ".ra1";
    WriteTextFile(Dir / lower, Run().Files[i].second);
    AgeFile(Dir / lower, 60);
  }
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).SetsAdded, 3);
  WriteTextFile(Dir / "00004.ra1", Run().Files[3].second);
  AgeFile(Dir / "00004.ra1", 60);
  EXPECT_EQ(Poll().SetsAdded, 1);
}

TEST_F(ScanIntakeTest, HalfWrittenScanWaitsAndLaterScansDoNotOvertakeIt) {
  Run().WriteRange(Dir, 0, 4);
  Intake.LoadAll(DirText(), Analysis);
  // Scan 5 is half written and was just touched; scan 6 is complete.
  const std::string& text = Run().Files[4].second;
  WriteTextFile(Dir / Run().Files[4].first, text.substr(0, text.size() / 2));
  Run().Write(Dir, 5);
  Intake.SetSettleMs(ScanIntake::DefaultSettleMs);
  EXPECT_EQ(Poll().SetsAdded, 0);
  EXPECT_EQ(Sets(), 4);
  EXPECT_FALSE(Intake.GetFileNames().contains(QString::fromStdString(Run().Files[4].first)));
  // The writer finishes before the half rested; once the whole has rested
  // both scans come in order.
  ClockMs = 1000;
  Run().Write(Dir, 4);
  EXPECT_EQ(Poll().SetsAdded, 0);
  ClockMs = 1000 + ScanIntake::DefaultSettleMs;
  EXPECT_EQ(Poll().SetsAdded, 2);
  ExpectScansInOrder(6);
}

TEST_F(ScanIntakeTest, ShortOrUnreadableFilesFollowedByLaterScansAreSettledAtOnce) {
  Run().WriteRange(Dir, 0, 3);
  Intake.LoadAll(DirText(), Analysis);
  // A stable short scan (5 points) and a stable file that is no scan, both
  // followed by a whole scan: the writer has moved on, they are final.
  const std::string& text = Run().Files[3].second;
  size_t cut = 0;
  for (int line = 0; line < 7; ++line) cut = text.find('\n', cut) + 1;
  WriteTextFile(Dir / Run().Files[3].first, text.substr(0, cut));
  AgeFile(Dir / Run().Files[3].first, 10);
  WriteTextFile(Dir / "00005.RA1", "not a scan\r\n");
  AgeFile(Dir / "00005.RA1", 10);
  Run().Write(Dir, 5);
  const ScanIntake::TLoadResult poll = Poll();
  EXPECT_EQ(poll.SetsAdded, 2);
  EXPECT_EQ(poll.Waiting, 0);
  EXPECT_EQ(Intake.GetLeftOutTotal(), 1);
  EXPECT_EQ(Intake.GetMalformedCount(), 1);
  EXPECT_EQ(ValidPoints(3), 5);
  EXPECT_EQ(Sets(), 5);
  EXPECT_EQ(SetFile(4), Run().Files[5].first);
  EXPECT_TRUE(Intake.GetFileNames().contains(QStringLiteral("00005.RA1")));
}

TEST_F(ScanIntakeTest, ScanWhoseTimeDoesNotRiseIsLeftOut) {
  Run().WriteRange(Dir, 0, 3);
  Intake.LoadAll(DirText(), Analysis);
  // The second scan again under a later name: its time is not later.
  WriteTextFile(Dir / "00004.RA1", Run().Files[1].second);
  Poll();
  EXPECT_EQ(Intake.GetLeftOut(ScanIntake::TLeftOut::TimeNotRising), 1);
  EXPECT_TRUE(Intake.GetFileNames().contains(QStringLiteral("00004.RA1")));
  Run().Write(Dir, 4);
  EXPECT_EQ(Poll().SetsAdded, 1);
}

TEST_F(ScanIntakeTest, GridComesFromTheFirstFullScanAndShortOnesBeforeItAreSkipped) {
  // Two short scans (fewer than 20 points) before the full ones.
  for (size_t i = 0; i < 2; ++i) {
    const std::string& text = Run().Files[i].second;
    size_t cut = 0;
    for (int line = 0; line < 12; ++line) cut = text.find('\n', cut) + 1;
    WriteTextFile(Dir / Run().Files[i].first, text.substr(0, cut));
    AgeFile(Dir / Run().Files[i].first, 60);
  }
  Run().WriteRange(Dir, 2, 5);
  const ScanIntake::TLoadResult result = Intake.LoadAll(DirText(), Analysis);
  EXPECT_EQ(result.SetsAdded, 3);
  EXPECT_EQ(Intake.GetLeftOut(ScanIntake::TLeftOut::Short), 2);
  EXPECT_EQ(SetFile(0), Run().Files[2].first);
  EXPECT_EQ(Poll().SetsAdded, 0);  // the skipped ones are not taken later either
}

TEST_F(ScanIntakeTest, FolderOfOnlyMalformedFilesIsReported) {
  for (const char* name : {"00001.RA1", "00002.RA1"}) {
    WriteTextFile(Dir / name, "garbage\r\nmore garbage\r\n1 2\r\n");
    AgeFile(Dir / name, 60);
  }
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).Waiting, 1);  // the last may still be written
  EXPECT_FALSE(Intake.GetOnlyMalformed());
  ClockMs = ScanIntake::DefaultLongRestMs;
  const ScanIntake::TLoadResult result = Intake.LoadAll(DirText(), Analysis);
  EXPECT_EQ(result.SetsAdded, 0);
  EXPECT_TRUE(Intake.GetOnlyMalformed());
  Run().Write(Dir, 0);
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).SetsAdded, 1);
  EXPECT_FALSE(Intake.GetOnlyMalformed());
}

TEST_F(ScanIntakeTest, PrefixOfOtherChannelsIsTakenByTheFirstLoadAndByPolls) {
  Run().WriteRange(Dir, 0, 3);
  WriteTextFile(Dir / "Run9.RA1", Run().Files[3].second);
  AgeFile(Dir / "Run9.RA1", 60);
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).SetsAdded, 4);  // "*.RA1" takes Run9 too
  WriteTextFile(Dir / "Run99.RA1", Run().Files[4].second);
  AgeFile(Dir / "Run99.RA1", 60);
  EXPECT_EQ(Poll().SetsAdded, 1);  // polls list with the same pattern
  EXPECT_EQ(SetFile(4), "Run99.RA1");
}

// The first load stops at a file it must leave for later; the poll that
// takes it takes the files after it too, whatever their prefix.
TEST_F(ScanIntakeTest, FilesAfterTheFirstLoadsStopAreTakenByLaterPolls) {
  Run().WriteRange(Dir, 0, 3);
  const std::string& text = Run().Files[3].second;
  WriteTextFile(Dir / Run().Files[3].first, text.substr(0, text.size() / 2));  // being written
  WriteTextFile(Dir / "Run0005.RA1", Run().Files[4].second);
  Intake.SetSettleMs(ScanIntake::DefaultSettleMs);
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).Waiting, 5);  // all seen for the first time
  Run().Write(Dir, 3);  // the writer finishes the fourth, seen at the next look
  ClockMs = ScanIntake::DefaultSettleMs;
  const ScanIntake::TLoadResult load = Intake.LoadAll(DirText(), Analysis);
  EXPECT_EQ(load.SetsAdded, 3);
  EXPECT_EQ(load.Waiting, 2);
  EXPECT_EQ(load.WaitMs, ScanIntake::DefaultSettleMs);
  ClockMs = 2 * ScanIntake::DefaultSettleMs;
  EXPECT_EQ(Poll().SetsAdded, 2);
  EXPECT_EQ(SetFile(4), "Run0005.RA1");
}

TEST_F(ScanIntakeTest, LiveWriterLosesNoScan) {
  const SimulatedChannel& run = Run();
  run.WriteRange(Dir, 0, 3);
  Intake.LoadAll(DirText(), Analysis);
  // Generous against a loaded machine: a writer paused longer than this
  // between pieces would look finished.
  Intake.SetSettleMs(1000);
  Intake.SetClock({});
  // The writer writes each remaining scan in three pieces, cut mid-line,
  // 20 ms apart, while this thread polls every 5 ms.
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (size_t i = 3; i < run.Files.size(); ++i) {
      std::ofstream out(Dir / run.Files[i].first, std::ios::binary);
      const std::string& text = run.Files[i].second;
      const size_t piece = text.size() / 3 + 7;
      for (size_t at = 0; at < text.size(); at += piece) {
        out.write(text.data() + at,
                  static_cast<std::streamsize>(std::min(piece, text.size() - at)));
        out.flush();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
    done = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while ((!done || Sets() < static_cast<int>(run.Files.size())) &&
         std::chrono::steady_clock::now() < deadline) {
    Poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  writer.join();
  ExpectScansInOrder(static_cast<int>(run.Files.size()));
  // Every set is the whole scan, not a piece of it.
  for (int i = 1; i < Sets(); ++i) EXPECT_EQ(ValidPoints(i), ValidPoints(0)) << "set " << i;
}

namespace {

double OmegaSquared(double Rpm) {
  return Rpm * Rpm * 0.01096622711;
}

// Text of a small absorbance scan file of 25 points at Rpm, taken Seconds
// after the start, when the rotor has run Omega2t (rad^2/s).
std::string SmallScan(double Rpm, double Seconds, double Omega2t) {
  std::ostringstream text;
  text.precision(12);
  text << "small scan\r\nR 1 20.0 " << Rpm << " " << Seconds << " " << Omega2t << " 280 1\r\n";
  for (int i = 0; i < 25; ++i) text << "   " << 6.0 + 0.04 * i << "    0.5    0.01\r\n";
  return text.str();
}

// The first third of a scan file: what a writer leaves while it pauses.
std::string FirstThird(const std::string& Text) {
  return Text.substr(0, Text.size() / 3);
}

}  // namespace

// A writer that pauses in the middle of a file (a network share, a busy
// instrument PC) leaves a clearly short scan that rests for seconds: it is
// taken only once a later scan file exists or it has rested the long time,
// and when the writer finishes it later its set is replaced.
TEST_F(ScanIntakeTest, ScanLeftHalfWrittenWaitsForALaterScanOrTheLongRest) {
  Run().WriteRange(Dir, 0, 5);
  Intake.LoadAll(DirText(), Analysis);
  Intake.SetSettleMs(ScanIntake::DefaultSettleMs);
  auto writePiece = [&](size_t Scan, bool Whole) {
    const std::string& text = Run().Files[Scan].second;
    WriteTextFile(Dir / Run().Files[Scan].first, Whole ? text : FirstThird(text));
    AgeFile(Dir / Run().Files[Scan].first, 3600);  // its time says nothing of its rest
  };
  const int whole = ValidPoints(0);
  const long long rest = ScanIntake::DefaultSettleMs;
  const long long longRest = ScanIntake::DefaultLongRestMs;

  writePiece(5, false);
  EXPECT_EQ(Poll().Waiting, 1);
  ClockMs += longRest - 5000;
  EXPECT_EQ(Poll().Waiting, 1);
  EXPECT_EQ(Sets(), 5);
  writePiece(5, true);
  EXPECT_EQ(Poll().SetsAdded, 0);  // seen whole just now
  ClockMs += rest;
  EXPECT_EQ(Poll().SetsAdded, 1);
  EXPECT_EQ(ValidPoints(5), whole);

  // Resting longer than the long time, the piece is taken as it is; the
  // writer finishes it after all, and the scan is taken again.
  writePiece(6, false);
  EXPECT_EQ(Poll().Waiting, 1);
  ClockMs += longRest;
  EXPECT_EQ(Poll().SetsAdded, 1);
  EXPECT_LT(ValidPoints(6), whole / 2);
  writePiece(6, true);
  EXPECT_FALSE(Poll().Rebuilt);
  ClockMs += rest;
  const ScanIntake::TLoadResult replaced = Poll();
  EXPECT_TRUE(replaced.Rebuilt);
  EXPECT_EQ(replaced.SetsAdded, 0);
  EXPECT_EQ(Sets(), 7);
  EXPECT_EQ(ValidPoints(6), whole);
  EXPECT_FALSE(Poll().Rebuilt);  // once
  EXPECT_EQ(Intake.GetRewrittenNames(), QStringList{QString::fromStdString(Run().Files[6].first)});

  // A later scan file means the writer has moved on: no long wait.
  writePiece(7, false);
  writePiece(8, true);
  EXPECT_EQ(Poll().Waiting, 2);
  ClockMs += rest;
  EXPECT_EQ(Poll().SetsAdded, 2);
  EXPECT_LT(ValidPoints(7), whole / 2);
  EXPECT_EQ(Intake.GetLeftOutTotal(), 0);
}

// The same with a real writer and the real clock: the instrument pauses 3 s
// in the middle of a scan file, longer than a file must rest, while the
// viewer polls all the time. The half is never taken; the whole scan is.
TEST_F(ScanIntakeTest, WriterPausingMidFileLongerThanTheRestGetsItsWholeScanTaken) {
  Run().WriteRange(Dir, 0, 5);
  Intake.LoadAll(DirText(), Analysis);
  Intake.SetSettleMs(ScanIntake::DefaultSettleMs);
  Intake.SetClock({});
  std::atomic<bool> done{false};
  std::thread writer([&] {
    const std::string& text = Run().Files[5].second;
    const size_t half = text.size() / 2;
    std::ofstream out(Dir / Run().Files[5].first, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(half));
    out.flush();
    std::this_thread::sleep_for(std::chrono::milliseconds(ScanIntake::DefaultSettleMs + 1000));
    out.write(text.data() + half, static_cast<std::streamsize>(text.size() - half));
    out.flush();
    done = true;
  });
  int replaced = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while ((!done || Sets() < 6) && std::chrono::steady_clock::now() < deadline) {
    replaced += Poll().Rebuilt ? 1 : 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  writer.join();
  ASSERT_EQ(Sets(), 6);
  EXPECT_EQ(ValidPoints(5), ValidPoints(0));
  EXPECT_EQ(replaced, 0);  // never taken as a half
}

// The first file of a young run says nothing of how long its scans are: it
// makes the grid only once a second file exists or it has long rested.
TEST_F(ScanIntakeTest, GridWaitsForASecondFileOrTheLongRest) {
  Run().Write(Dir, 0, 3);
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).Waiting, 1);
  EXPECT_EQ(Sets(), 0);
  ClockMs = ScanIntake::DefaultLongRestMs;
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).SetsAdded, 1);
  Run().Write(Dir, 1, 3);
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).SetsAdded, 2);
}

// A run whose rotor speed changes: the first load and the polls refuse the
// scans at the new speed alike and count them, so no dc/dt pair spans the
// change and a live viewer ends where a reload does.
TEST_F(ScanIntakeTest, ScansAtAnotherRotorSpeedAreRefusedByLoadAndPollAlike) {
  auto writeRun = [&](const fs::path& Into, int First, int Last) {
    // 50000 rpm up to 1200 s, then 60000 rpm: omega^2 t goes on from the
    // first speed, so the apparent time at the new speed falls back at first.
    constexpr double change = 1200;
    for (int i = First; i < Last; ++i) {
      const std::string name = "0000" + std::to_string(i) + ".RA1";
      const double t = 600 + 120 * i;
      const double omega2t =
          t <= change ? OmegaSquared(50000) * t
                      : OmegaSquared(50000) * change + OmegaSquared(60000) * (t - change);
      WriteTextFile(Into / name, SmallScan(t <= change ? 50000 : 60000, t, omega2t));
      AgeFile(Into / name, 60);
    }
  };
  writeRun(Dir, 1, 10);
  EXPECT_EQ(Intake.LoadAll(DirText(), Analysis).SetsAdded, 5);
  EXPECT_EQ(Intake.GetLeftOut(ScanIntake::TLeftOut::SpeedChanged), 4);
  EXPECT_EQ(Intake.GetLeftOutTotal(), 4);

  const fs::path live = FreshTestDir("intake-live");
  RealTimeGofS analysis;
  analysis.ChannelMask = "0*.RA1";
  ScanIntake intake;
  intake.SetSettleMs(0);
  writeRun(live, 1, 6);
  intake.LoadAll(QString::fromStdString(live.string()), analysis);
  writeRun(live, 6, 10);
  const ScanIntake::TLoadResult poll = intake.Poll(analysis, {});
  EXPECT_EQ(poll.SetsAdded, 0);
  EXPECT_EQ(intake.GetLeftOut(ScanIntake::TLeftOut::SpeedChanged), 4);
  EXPECT_EQ(intake.GetRunRpm(), 50000);
  EXPECT_EQ(analysis.RawStore->GetNumberOfSets(), Sets());
}

// The store holds 999 scans: the rest are counted as left out for that
// reason, not dropped without a word.
TEST_F(ScanIntakeTest, ScansBeyondTheFullStoreAreCounted) {
  for (int i = 1; i <= 1010; ++i) {
    const QString name = QStringLiteral("%1.RA1").arg(i, 5, 10, QLatin1Char('0'));
    const fs::path path = Dir / name.toStdString();
    WriteTextFile(path, SmallScan(50000, 300 + 60 * i, OmegaSquared(50000) * (300 + 60 * i)));
    AgeFile(path, 60);
  }
  const ScanIntake::TLoadResult load = Intake.LoadAll(DirText(), Analysis);
  EXPECT_EQ(load.SetsAdded, 999);
  EXPECT_EQ(Intake.GetLeftOut(ScanIntake::TLeftOut::StoreFull), 11);
  EXPECT_EQ(Intake.GetFileNames().size(), 1010);
}

// Unreadable files wait like short ones while they may still be written,
// and are counted once they are refused.
TEST_F(ScanIntakeTest, UnreadableLastFileWaitsForTheLongRest) {
  Run().WriteRange(Dir, 0, 3);
  Intake.LoadAll(DirText(), Analysis);
  Intake.SetSettleMs(ScanIntake::DefaultSettleMs);
  WriteTextFile(Dir / "00004.RA1", "Cell 1 : BSA\r\n");  // the header line is yet to come
  AgeFile(Dir / "00004.RA1", -3600);                     // dated an hour ahead of this clock
  EXPECT_EQ(Poll().Waiting, 1);
  ClockMs = ScanIntake::DefaultLongRestMs;
  Poll();
  EXPECT_EQ(Intake.GetLeftOut(ScanIntake::TLeftOut::Unreadable), 1);
}

// Two intakes over one folder, one learning from the kernel what changed,
// the other listing the folder and querying every taken file at every poll:
// through new scans, a scan written in pieces, a taken scan written anew,
// files removed, moved in and of another channel, and the folder replaced,
// both take in, leave for later, replace and refuse alike, poll after poll.
TEST_F(ScanIntakeTest, PollsThatLearnFromTheKernelEqualPollsThatLookAtEveryFile) {
  RealTimeGofS swept;
  swept.ChannelMask = Analysis.ChannelMask;
  swept.MeniscusRadius = Analysis.MeniscusRadius;
  swept.CellBottom = Analysis.CellBottom;
  ScanIntake sweeping;
  sweeping.SetSettleMs(0);
  sweeping.SetWatchAllowed(false);
  const bool kernelReports = DirectoryWatch::ReportsEveryChange(DirText());
  Run().WriteRange(Dir, 0, 4);
  Intake.LoadAll(DirText(), Analysis);
  sweeping.LoadAll(DirText(), swept);

  // Both raw stores hold the same sets, to the bit.
  auto sameRaw = [&] {
    const ChannelDataStore& mine = *Analysis.RawStore;
    const ChannelDataStore& theirs = *swept.RawStore;
    if (mine.GetNumberOfSets() != theirs.GetNumberOfSets()) return false;
    for (int s = 0; s < mine.GetNumberOfSets(); ++s)
      for (int j = 0; j < mine.GetNumberOfPoints(); ++j)
        if (mine.GetY(s, j) != theirs.GetY(s, j) || mine.GetError(s, j) != theirs.GetError(s, j))
          return false;
    return true;
  };
  auto pollBoth = [&](const std::string& Step, bool Watched = true) -> ScanIntake::TLoadResult {
    SCOPED_TRACE(Step);
    const ScanIntake::TLoadResult a = Poll();
    const ScanIntake::TLoadResult b = sweeping.Poll(swept, {});
    EXPECT_EQ(Intake.GetLastPollWatched(), Watched && kernelReports);
    EXPECT_FALSE(sweeping.GetLastPollWatched());
    EXPECT_EQ(a.SetsAdded, b.SetsAdded);
    EXPECT_EQ(a.Rebuilt, b.Rebuilt);
    EXPECT_EQ(a.Waiting, b.Waiting);
    EXPECT_EQ(Intake.GetFileNames(), sweeping.GetFileNames());
    EXPECT_EQ(Intake.GetScanFilesNow(), sweeping.GetScanFilesNow());
    EXPECT_EQ(Intake.GetNewFileNames(), sweeping.GetNewFileNames());
    EXPECT_EQ(Intake.GetLeftOutTotal(), sweeping.GetLeftOutTotal());
    EXPECT_TRUE(sameRaw());
    return a;
  };

  Run().WriteRange(Dir, 4, 6);
  EXPECT_EQ(pollBoth("two new scans").SetsAdded, 2);
  pollBoth("nothing new");
  WriteTextFile(Dir / Run().Files[6].first, FirstThird(Run().Files[6].second));
  AgeFile(Dir / Run().Files[6].first, 3);
  EXPECT_EQ(pollBoth("a scan half written").Waiting, 1);
  Run().WriteRange(Dir, 6, 8);
  EXPECT_EQ(pollBoth("the scan finished, and one more").SetsAdded, 2);
  Run().Write(Dir, 2, 30);
  EXPECT_TRUE(pollBoth("a taken scan written anew").Rebuilt);

  fs::remove(Dir / Run().Files[7].first);
  const fs::path staging = FreshTestDir("intake-staging");
  Run().Write(staging, 8);
  fs::rename(staging / Run().Files[8].first, Dir / Run().Files[8].first);
  WriteTextFile(Dir / "00009.RA2", Run().Files[9].second);
  AgeFile(Dir / "00009.RA2", 60);
  EXPECT_EQ(pollBoth("one removed, one moved in, one of another channel").SetsAdded, 1);

  // The folder replaced by a copy that holds one scan more: the watch was
  // on the folder now gone, so this poll looks at everything.
  const fs::path old = Dir.string() + "-old";
  fs::rename(Dir, old);
  fs::copy(old, Dir);
  for (const auto& entry : fs::directory_iterator(Dir)) AgeFile(entry.path(), 60);
  Run().Write(Dir, 9);
  // Every file of the copy is another file: all are taken again.
  const ScanIntake::TLoadResult replaced = pollBoth("the folder replaced", false);
  EXPECT_TRUE(replaced.Rebuilt);
  EXPECT_EQ(Sets(), 10);  // with the scan whose file was removed before
  EXPECT_TRUE(Intake.GetFolderReplaced());
  Run().Write(Dir, 10);
  EXPECT_EQ(pollBoth("a scan in the new folder").SetsAdded, 1);
  fs::remove_all(old);
}

// A taken scan that is written anew is replaced only once it has rested
// and is whole again, however many polls that takes and though nothing
// happens to the file meanwhile.
TEST_F(ScanIntakeTest, ATakenScanWrittenAnewIsLookedAtUntilItCanBeReplaced) {
  Run().WriteRange(Dir, 0, 6);
  Intake.LoadAll(DirText(), Analysis);
  const int whole = ValidPoints(3);
  Intake.SetSettleMs(ScanIntake::DefaultSettleMs);
  const auto& [name, text] = Run().Files[3];

  WriteTextFile(Dir / name, FirstThird(text));
  EXPECT_FALSE(Poll().Rebuilt);  // not at rest
  ClockMs += 5000;
  EXPECT_FALSE(Poll().Rebuilt);  // at rest, but short: it may go on
  EXPECT_EQ(ValidPoints(3), whole);
  WriteTextFile(Dir / name, text);
  EXPECT_FALSE(Poll().Rebuilt);  // whole, not at rest
  ClockMs += 5000;
  EXPECT_TRUE(Poll().Rebuilt);
  EXPECT_EQ(ValidPoints(3), whole);
  EXPECT_EQ(Sets(), 6);
  EXPECT_FALSE(Poll().Rebuilt);
}

// The kernel's report is not trusted for ever: once a minute the folder is
// listed whole, and every file looked at, whatever the watch says.
TEST_F(ScanIntakeTest, TheFolderIsListedWholeAtLeastOnceAMinute) {
  if (!DirectoryWatch::ReportsEveryChange(DirText())) GTEST_SKIP() << "no watch on this disk";
  Run().WriteRange(Dir, 0, 4);
  Intake.LoadAll(DirText(), Analysis);
  Poll();
  EXPECT_TRUE(Intake.GetLastPollWatched());
  ClockMs += ScanIntake::ListAtLeastEveryMs - 1;
  Poll();
  EXPECT_TRUE(Intake.GetLastPollWatched());
  ClockMs += 1;
  Poll();
  EXPECT_FALSE(Intake.GetLastPollWatched());
  Poll();
  EXPECT_TRUE(Intake.GetLastPollWatched());
}

// Without a handle left for the kernel's watch the viewer says so (and
// that it cannot read the folder either, as it cannot open it).
TEST_F(ScanIntakeTest, AWatchThatCannotBeSetIsSaidSo) {
  if (!DirectoryWatch::ReportsEveryChange(DirText())) GTEST_SKIP() << "no watch on this disk";
  Run().WriteRange(Dir, 0, 2);
  EXPECT_EXIT(
      {
        AllowNoMoreFileDescriptors();
        Intake.LoadAll(DirText(), Analysis);
        const QString text = IntakeStatusText(Intake, DirText(), 0);
        std::_Exit(Intake.GetWatchError() == EMFILE &&
                           text.contains(QStringLiteral(
                               "Korvale cannot be told of changes in this folder (the limit of "
                               "open watches is reached); it lists the folder at every poll."))
                       ? 0
                       : 1);
      },
      ::testing::ExitedWithCode(0), "");
  Intake.LoadAll(DirText(), Analysis);
  EXPECT_EQ(Intake.GetWatchError(), 0);
  EXPECT_TRUE(IntakeStatusText(Intake, DirText(), 2).isEmpty());
}
