// The viewer's scan intake as instruments and the shares they write to
// treat it: a writer thread writes scans in pieces, pauses, sets file times
// with utimensat, renames, rewrites and deletes while the viewer polls, and
// at the end the live viewer holds what a fresh viewer of the finished
// folder holds: the same raw scans in the same order, the same dc/dt pairs
// and averages and the same corrected sets, to the last bit.

#include "app/UnitSedDataView.h"

#include "analysis/Realtimegofs.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QListWidget>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Sets a file's access and modification times to Seconds since 1970, as
// a copy that keeps times or another machine's clock gives them.
void SetFileTime(const fs::path& Path, time_t Seconds) {
  const timespec times[2] = {{Seconds, 0}, {Seconds, 0}};
  ::utimensat(AT_FDCWD, Path.c_str(), times, 0);
}

time_t HourAhead() {
  return ::time(nullptr) + 3600;
}

constexpr time_t In1980 = 315532800;

void Sleep(int Ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

// Writes Text to Path (or appends it) in Pieces pieces PauseMs apart; after
// each piece the file's time is set to Time when one is given.
enum class TWriting { Anew, Appending };
void WriteInPieces(const fs::path& Path, const std::string& Text, int Pieces, int PauseMs,
                   std::optional<time_t> Time = std::nullopt, TWriting Writing = TWriting::Anew) {
  std::ofstream out(
      Path, std::ios::binary | (Writing == TWriting::Anew ? std::ios::trunc : std::ios::app));
  const size_t piece = Text.size() / static_cast<size_t>(Pieces) + 1;
  for (size_t at = 0; at < Text.size(); at += piece) {
    out.write(Text.data() + at, static_cast<std::streamsize>(std::min(piece, Text.size() - at)));
    out.flush();
    if (Time) SetFileTime(Path, *Time);
    Sleep(PauseMs);
  }
}

// The two header lines of a scan file, and its data lines.
std::pair<std::string, std::string> HeaderAndData(const std::string& Text) {
  size_t cut = Text.find('\n');
  cut = Text.find('\n', cut + 1) + 1;
  return {Text.substr(0, cut), Text.substr(cut)};
}

// The scan with line 2 saying it ran at Rpm and had run Omega2t.
std::string AtSpeed(const std::string& Text, double Rpm, double Omega2t) {
  const size_t first = Text.find('\n') + 1;
  const size_t second = Text.find('\n', first);
  std::istringstream fields(Text.substr(first, second - first));
  std::string letter, cell, temperature, rpm, elapsed, omega2t, wavelength, count;
  fields >> letter >> cell >> temperature >> rpm >> elapsed >> omega2t >> wavelength >> count;
  std::ostringstream line;
  line.precision(10);
  line << letter << ' ' << cell << ' ' << temperature << ' ' << Rpm << ' ' << elapsed << ' '
       << Omega2t << ' ' << wavelength << ' ' << count << '\r';
  return Text.substr(0, first) + line.str() + Text.substr(second);
}

double ElapsedOf(const std::string& Text) {
  const size_t first = Text.find('\n') + 1;
  std::istringstream fields(Text.substr(first));
  std::string skip;
  double elapsed = 0;
  fields >> skip >> skip >> skip >> skip >> elapsed;
  return elapsed;
}

// The files of a run whose rotor ran at SpeedOf(scan) between each scan
// and the one before (and from the start to the first).
std::vector<std::pair<std::string, std::string>> WithSpeeds(
    const SimulatedChannel& Run, const std::function<double(size_t)>& SpeedOf) {
  std::vector<std::pair<std::string, std::string>> files = Run.Files;
  double omega2t = 0, before = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    const double elapsed = ElapsedOf(files[i].second);
    const double rpm = SpeedOf(i);
    omega2t += rpm * rpm * 0.01096622711 * (elapsed - before);
    before = elapsed;
    files[i].second = AtSpeed(files[i].second, rpm, omega2t);
  }
  return files;
}

}  // namespace

class LiveIntakeTest : public ::testing::Test {
 protected:
  // Short rests keep the tests quick; the rules are those of the defaults.
  static constexpr int RestMs = 250;
  static constexpr int LongRestMs = 1500;

  void SetUp() override {
    RegisterSeriesTypes();
    Dir = FreshTestDir("live");
  }
  void TearDown() override {
    Live.reset();
    UnRegisterSeriesTypes();
  }

  QString DirText() const { return QString::fromStdString(Dir.string()); }
  static const SimulatedChannel& Run() { return SimulatedChannel::Absorbance(24); }
  static void Write(const fs::path& Path, const std::string& Text) { WriteTextFile(Path, Text); }

  std::unique_ptr<TSedDataView> NewViewer(int SettleMs, int LongMs) {
    auto viewer = std::make_unique<TSedDataView>(nullptr, &OpenWindows);
    RealTimeGofS& analysis = viewer->GetAnalysis();
    analysis.ChannelMask = Mask;
    analysis.MeniscusRadius = 6.05;
    analysis.CellBottom = 7.2;
    viewer->SetSettleMs(SettleMs);
    viewer->SetLongRestMs(LongMs);
    return viewer;
  }
  void StartLive(const QString& Folder = {}) {
    Live = NewViewer(RestMs, LongRestMs);
    Live->LoadDataDirectory(Folder.isEmpty() ? DirText() : Folder);
  }
  ChannelDataStore& Raw() const { return *Live->GetAnalysis().RawStore; }
  int Sets() const {
    const auto& raw = Live->GetAnalysis().RawStore;
    return raw ? raw->GetNumberOfSets() : 0;
  }
  const ScanIntake& Intake() const { return Live->GetIntake(); }
  // What the timers would do: a poll, or a load while nothing is loaded.
  void Poll() { Live->Timer1Timer(); }

  // Polls the live viewer every 20 ms while Writer writes on a thread of
  // its own, then until no file waits (at most 30 s in all); Seen is told
  // after every poll.
  void PollWhile(const std::function<void()>& Writer, const std::function<void()>& Seen = {}) {
    std::atomic<bool> done{false};
    std::thread writer([&] {
      Writer();
      done = true;
    });
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!done && Clock::now() < deadline) {
      Poll();
      if (Seen) Seen();
      Sleep(20);
    }
    writer.join();
    PollUntilSettled(deadline);
  }
  void PollUntilSettled(Clock::time_point Deadline = Clock::now() + std::chrono::seconds(20)) {
    do {
      Sleep(20);
      Poll();
    } while (Intake().GetWaitingCount() > 0 && Clock::now() < Deadline);
    ASSERT_EQ(Intake().GetWaitingCount(), 0);
  }

  // A viewer opened on the finished folder: every file has long rested.
  std::unique_ptr<TSedDataView> Fresh(const QString& Folder = {}) {
    auto fresh = NewViewer(0, 0);
    fresh->LoadDataDirectory(Folder.isEmpty() ? DirText() : Folder);
    return fresh;
  }

  static void ExpectSameStore(const ChannelDataStore* A, const ChannelDataStore* B,
                              const char* What) {
    SCOPED_TRACE(What);
    ASSERT_EQ(A == nullptr, B == nullptr);
    if (A == nullptr) return;
    ASSERT_EQ(A->GetNumberOfSets(), B->GetNumberOfSets());
    for (int s = 0; s < A->GetNumberOfSets(); ++s) {
      const ScanHeader& a = A->Headers[static_cast<size_t>(s)];
      const ScanHeader& b = B->Headers[static_cast<size_t>(s)];
      ASSERT_EQ(a.FileName, b.FileName) << "set " << s;
      ASSERT_EQ(a.TimeUsed, b.TimeUsed) << "set " << s;
      ASSERT_EQ(a.FirstSourceSet, b.FirstSourceSet) << "set " << s;
      ASSERT_EQ(a.LastSourceSet, b.LastSourceSet) << "set " << s;
      for (int j = 0; j < A->GetNumberOfPoints(); ++j) {
        ASSERT_EQ(A->GetY(s, j), B->GetY(s, j)) << "set " << s << " point " << j;
        ASSERT_EQ(A->GetError(s, j), B->GetError(s, j)) << "set " << s << " point " << j;
      }
    }
  }
  // The live viewer and a fresh viewer of the finished folder hold the
  // same analysis and leave out the same files for the same reasons.
  void ExpectLiveEqualsFresh(const QString& Folder = {}) {
    const std::unique_ptr<TSedDataView> fresh = Fresh(Folder);
    const RealTimeGofS& live = Live->GetAnalysis();
    const RealTimeGofS& reload = fresh->GetAnalysis();
    ExpectSameStore(live.RawStore.get(), reload.RawStore.get(), "raw");
    ExpectSameStore(live.DcdtStore.get(), reload.DcdtStore.get(), "dc/dt");
    ExpectSameStore(live.AveragedStore.get(), reload.AveragedStore.get(), "averaged");
    ExpectSameStore(live.CorrectedStore.get(), reload.CorrectedStore.get(), "corrected");
    EXPECT_EQ(live.LastCorrectedY, reload.LastCorrectedY);
    const ScanIntake& theirs = fresh->GetIntake();
    for (int r = 0; r < ScanIntake::LeftOutReasons; ++r) {
      const auto reason = static_cast<ScanIntake::TLeftOut>(r);
      EXPECT_EQ(Intake().GetLeftOut(reason), theirs.GetLeftOut(reason)) << "reason " << r;
    }
    EXPECT_EQ(Intake().GetRunRpm(), theirs.GetRunRpm());
  }

  std::string Mask = "0*.RA1";
  QListWidget OpenWindows;
  fs::path Dir;
  std::unique_ptr<TSedDataView> Live;
};

// ---------------------------------------------------------------- rest

// Files dated an hour ahead of the viewer's clock (a share whose clock runs
// ahead): a finished folder is taken whole as soon as the viewer has seen
// its files rest, at the look it makes of its own, and the status row says
// what it waits for meanwhile.
TEST_F(LiveIntakeTest, AFinishedFolderDatedAnHourAheadIsTakenOnceItsFilesRested) {
  Run().WriteRange(Dir, 0, Run().Files.size());
  for (const auto& file : Run().Files) SetFileTime(Dir / file.first, HourAhead());
  StartLive();
  EXPECT_EQ(Sets(), 0);
  EXPECT_EQ(Live->DataProblemText(),
            QStringLiteral("Waiting for 24 scan file(s) to stay unchanged for 0.25 s before "
                           "reading them."));
  ASSERT_TRUE(Live->RestTimer->isActive());
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!Live->GetDataLoaded() && Clock::now() < deadline)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(Sets(), 24);
  EXPECT_EQ(Live->GetLoadAttempts(), 1);
  EXPECT_TRUE(Live->DataProblemText().isEmpty());
  ExpectLiveEqualsFresh();
}

// The same while the run is recorded: every scan arrives in pieces dated an
// hour ahead, and every one is taken as it comes to rest.
TEST_F(LiveIntakeTest, ScansArrivingDatedAnHourAheadAreAllTaken) {
  Run().WriteRange(Dir, 0, 5);
  StartLive();
  PollUntilSettled();
  ASSERT_EQ(Sets(), 5);
  PollWhile([&] {
    for (size_t i = 5; i < Run().Files.size(); ++i)
      WriteInPieces(Dir / Run().Files[i].first, Run().Files[i].second, 3, 15, HourAhead());
  });
  EXPECT_EQ(Sets(), 24);
  ExpectLiveEqualsFresh();
}

// Files dated 1980 (unpacked from an archive, or copied with their times)
// look long at rest by their times in every state, the header alone too;
// the viewer waits for what it sees.
TEST_F(LiveIntakeTest, ScansArrivingDated1980LoseNothing) {
  Run().WriteRange(Dir, 0, 3);
  StartLive();
  PollUntilSettled();
  PollWhile([&] {
    for (size_t i = 3; i < 12; ++i) {
      const auto [header, data] = HeaderAndData(Run().Files[i].second);
      const fs::path path = Dir / Run().Files[i].first;
      WriteInPieces(path, header, 1, 2 * RestMs, In1980);  // the writer pauses after the header
      WriteInPieces(path, data, 2, 15, In1980, TWriting::Appending);
    }
  });
  EXPECT_EQ(Sets(), 12);
  EXPECT_EQ(Intake().GetLeftOutTotal(), 0);
  ExpectLiveEqualsFresh();
}

// ------------------------------------------------- decided, then changed

// A writer creates the next scan with its header only and pauses longer
// than the long rest while the scans after it are written: the file is
// decided on as it is (no scan) and the later scans are taken. When the
// writer finishes it, the viewer takes it in its place and every set after
// it anew, as a reload would, and the count of scans left out drops.
TEST_F(LiveIntakeTest, AScanFinishedAfterLaterScansWereTakenTakesItsPlace) {
  Run().WriteRange(Dir, 0, 5);
  StartLive();
  PollUntilSettled();
  int mostLeftOut = 0;
  PollWhile(
      [&] {
        const auto [header, data] = HeaderAndData(Run().Files[5].second);
        Write(Dir / Run().Files[5].first, header);
        Run().WriteRange(Dir, 6, 9);
        Sleep(LongRestMs + 4 * RestMs);
        WriteInPieces(Dir / Run().Files[5].first, data, 3, 15, std::nullopt, TWriting::Appending);
        Run().WriteRange(Dir, 9, 12);
      },
      [&] { mostLeftOut = std::max(mostLeftOut, Intake().GetLeftOutTotal()); });
  EXPECT_EQ(mostLeftOut, 1);
  EXPECT_EQ(Sets(), 12);
  EXPECT_EQ(Intake().GetLeftOutTotal(), 0);
  EXPECT_EQ(Raw().Headers[5].FileName, Run().Files[5].first);
  ExpectLiveEqualsFresh();
}

// The same with the last file: it waits for the long rest, is left out as
// it is, and is taken when the writer finishes it at last.
TEST_F(LiveIntakeTest, AnEmptyFileLeftOutIsTakenWhenItsWriterFinishesIt) {
  Run().WriteRange(Dir, 0, 5);
  StartLive();
  PollUntilSettled();
  Write(Dir / Run().Files[5].first, "");
  PollUntilSettled();
  EXPECT_EQ(Intake().GetLeftOut(ScanIntake::TLeftOut::Unreadable), 1);
  EXPECT_TRUE(Live->DataProblemText().contains(QStringLiteral("1 unreadable")));
  PollWhile([&] { WriteInPieces(Dir / Run().Files[5].first, Run().Files[5].second, 4, 15); });
  EXPECT_EQ(Sets(), 6);
  EXPECT_EQ(Intake().GetLeftOutTotal(), 0);
  EXPECT_TRUE(Live->DataProblemText().isEmpty());
  ExpectLiveEqualsFresh();
}

// A writer that writes each scan under a hidden name (and leaves a backup
// beside it) and renames it into place when done: the half-written file,
// resting between pieces, is never taken for a scan.
TEST_F(LiveIntakeTest, AScanWrittenUnderAHiddenNameIsTakenOnlyOnceRenamed) {
  Run().WriteRange(Dir, 0, 4);
  StartLive();
  PollUntilSettled();
  PollWhile([&] {
    for (size_t i = 4; i < 9; ++i) {
      const fs::path hidden = Dir / ("." + Run().Files[i].first);
      WriteInPieces(hidden, Run().Files[i].second, 2, RestMs + 100);  // each piece rests
      Write(Dir / ("~" + Run().Files[i].first), Run().Files[i].second.substr(0, 500));
      fs::rename(hidden, Dir / Run().Files[i].first);
    }
  });
  EXPECT_EQ(Sets(), 9);
  EXPECT_EQ(Intake().GetLeftOutTotal(), 0);
  for (const QString& name : Intake().GetFileNames())
    EXPECT_TRUE(name.startsWith(u'0')) << name.toStdString();
  ExpectLiveEqualsFresh();
}

// A taken scan written anew with another scan's contents, whose time no
// longer fits between its neighbours: the live viewer gives the fresh
// load's answer and says which scan was rewritten. A scan whose file is
// deleted afterwards stays in the analysis, and the status row says so.
TEST_F(LiveIntakeTest, AScanRewrittenWithATimeThatNoLongerFitsGivesTheFreshLoadsAnswer) {
  Run().WriteRange(Dir, 0, 20);
  StartLive();
  PollUntilSettled();
  ASSERT_EQ(Sets(), 20);
  PollWhile([&] { WriteInPieces(Dir / Run().Files[8].first, Run().Files[14].second, 3, 15); });
  EXPECT_EQ(Intake().GetLeftOut(ScanIntake::TLeftOut::TimeNotRising), 6);
  EXPECT_EQ(Sets(), 14);
  EXPECT_TRUE(Live->DataProblemText().contains(
      QStringLiteral("Written anew after it was taken: 00009.RA1")))
      << Live->DataProblemText().toStdString();
  ExpectLiveEqualsFresh();

  fs::remove(Dir / Run().Files[17].first);
  PollUntilSettled();
  EXPECT_EQ(Sets(), 14);
  EXPECT_EQ(Raw().Headers[11].FileName, Run().Files[17].first);
  EXPECT_TRUE(Live->DataProblemText().contains(QStringLiteral(
      "The file of 1 taken scan(s) is gone (00018.RA1); the scans stay in the analysis.")))
      << Live->DataProblemText().toStdString();
}

// --------------------------------------------------------------- speeds

// A run that starts with two scans of a low-speed check: the run's speed is
// the speed most scans have, found anew as the scans arrive, and the status
// row says which speed the analysis uses.
TEST_F(LiveIntakeTest, ARunStartedWithALowSpeedCheckIsAnalysedAtTheRunsSpeed) {
  const auto files = WithSpeeds(Run(), [](size_t i) { return i < 2 ? 3000.0 : 50000.0; });
  Write(Dir / files[0].first, files[0].second);
  StartLive();
  PollUntilSettled();
  PollWhile([&] {
    for (size_t i = 1; i < files.size(); ++i) {
      WriteInPieces(Dir / files[i].first, files[i].second, 2, 15);
      if (i < 5) Sleep(2 * RestMs);  // the speed is found anew at each of these
    }
  });
  EXPECT_EQ(Intake().GetRunRpm(), 50000);
  EXPECT_EQ(Sets(), 22);
  EXPECT_EQ(Raw().Headers[0].FileName, files[2].first);
  EXPECT_EQ(Live->DataProblemText(),
            QStringLiteral("2 scan file(s) left out: 2 at another rotor speed than the 50000 rpm "
                           "the analysis uses."));
  ExpectLiveEqualsFresh();
}

// A run at 35,000 rpm with an excursion to 40,000: the scans of the
// excursion are left out, and so are those on the shorter side of it, so
// no dc/dt pair and no average spans it.
TEST_F(LiveIntakeTest, NoPairOrAverageSpansAnExcursionOfSpeed) {
  const auto files =
      WithSpeeds(Run(), [](size_t i) { return i >= 6 && i < 10 ? 40000.0 : 35000.0; });
  for (size_t i = 0; i < 4; ++i) Write(Dir / files[i].first, files[i].second);
  StartLive();
  PollUntilSettled();
  PollWhile([&] {
    for (size_t i = 4; i < files.size(); ++i) {
      WriteInPieces(Dir / files[i].first, files[i].second, 2, 10);
      Sleep(RestMs);
    }
  });
  EXPECT_EQ(Intake().GetLeftOut(ScanIntake::TLeftOut::SpeedChanged), 4);
  EXPECT_EQ(Intake().GetLeftOut(ScanIntake::TLeftOut::SpeedBreak), 6);
  ASSERT_EQ(Sets(), 14);
  EXPECT_EQ(Raw().Headers[0].FileName, files[10].first);
  const ChannelDataStore& dcdt = *Live->GetAnalysis().DcdtStore;
  ASSERT_GT(dcdt.GetNumberOfSets(), 0);
  for (int s = 0; s < dcdt.GetNumberOfSets(); ++s) {
    const ScanHeader& pair = dcdt.Headers[static_cast<size_t>(s)];
    // Both scans of every pair are of the analysed stretch, and their
    // times lie as close as the scans of one speed do.
    const double span = Raw().Headers[static_cast<size_t>(pair.LastSourceSet)].TimeUsed -
                        Raw().Headers[static_cast<size_t>(pair.FirstSourceSet)].TimeUsed;
    EXPECT_LT(span, 20 * 120.0) << "pair " << s;
  }
  EXPECT_TRUE(Live->DataProblemText().contains(
      QStringLiteral("6 at 35000 rpm but parted from the analysed scans by another speed")))
      << Live->DataProblemText().toStdString();
  ExpectLiveEqualsFresh();
}

// -------------------------------------------------------------- folders

// A viewer of a "current run" folder reached through a symbolic link: the
// link is pointed at another run, which sends the kernel's watch no word.
// The viewer notices at its next poll, lists the folder now there, takes
// its scans as a fresh load of the path would and says what happened.
TEST_F(LiveIntakeTest, ALinkToTheRunPointedElsewhereIsFollowedAndSaidSo) {
  const fs::path first = Dir / "first", second = Dir / "second", current = Dir / "current";
  Run().WriteRange(first, 0, 6);
  const SimulatedChannel& other = SimulatedChannel::Absorbance(12, 0.004);
  other.WriteRange(second, 0, 4);
  fs::create_directory_symlink(first, current);
  const QString path = QString::fromStdString(current.string());
  StartLive(path);
  PollUntilSettled();
  ASSERT_EQ(Sets(), 6);
  const fs::path relinked = Dir / "relinked";
  fs::create_directory_symlink(second, relinked);
  fs::rename(relinked, current);
  PollWhile([&] { other.WriteRange(second, 4, 8); });
  EXPECT_EQ(Sets(), 8);
  EXPECT_TRUE(Intake().GetFolderReplaced());
  EXPECT_TRUE(Live->DataProblemText().contains(QStringLiteral("is not the one first loaded")))
      << Live->DataProblemText().toStdString();
  ExpectLiveEqualsFresh(path);
}

// The run's parent folder renamed away and back: the viewer says the folder
// is gone while it is, keeps its scans, and goes on when it comes back.
TEST_F(LiveIntakeTest, AFolderRenamedAwayIsSaidToBeGoneAndFoundAgain) {
  const fs::path run = Dir / "parent" / "run";
  Run().WriteRange(run, 0, 6);
  const QString path = QString::fromStdString(run.string());
  StartLive(path);
  PollUntilSettled();
  fs::rename(Dir / "parent", Dir / "moved");
  Poll();
  EXPECT_EQ(Intake().GetFolderState(), ScanIntake::TFolderState::Missing);
  EXPECT_TRUE(Live->DataProblemText().startsWith(QStringLiteral("The folder ") + path +
                                                 QStringLiteral(" is gone")))
      << Live->DataProblemText().toStdString();
  EXPECT_EQ(Sets(), 6);
  fs::rename(Dir / "moved", Dir / "parent");
  PollWhile([&] { Run().WriteRange(run, 6, 9); });
  EXPECT_EQ(Sets(), 9);
  EXPECT_FALSE(Intake().GetFolderReplaced());  // the same folder came back
  EXPECT_TRUE(Live->DataProblemText().isEmpty()) << Live->DataProblemText().toStdString();
  ExpectLiveEqualsFresh(path);
}

// A file system mounted over the run's folder (a share mounted late) hides
// the folder the watch was set on; the viewer takes the scans found there.
TEST_F(LiveIntakeTest, AFileSystemMountedOverTheFolderIsListed) {
  Run().WriteRange(Dir, 0, 4);
  StartLive();
  PollUntilSettled();
  if (::mount("none", Dir.c_str(), "tmpfs", 0, nullptr) != 0)
    GTEST_SKIP() << "cannot mount here: " << std::strerror(errno);
  struct TUnmount {
    const fs::path& Path;
    ~TUnmount() { ::umount(Path.c_str()); }
  } unmount{Dir};
  Run().WriteRange(Dir, 0, 8);
  PollUntilSettled();
  EXPECT_TRUE(Intake().GetFolderReplaced());
  EXPECT_EQ(Sets(), 8);
  ExpectLiveEqualsFresh();
}

// The folder removed, replaced by a file, or made unreadable: the status
// row says which, the scans taken stay, and the viewer recovers.
TEST_F(LiveIntakeTest, AFolderRemovedReplacedByAFileOrUnreadableIsSaidSo) {
  const fs::path run = Dir / "run";
  Run().WriteRange(run, 0, 5);
  const QString path = QString::fromStdString(run.string());
  StartLive(path);
  PollUntilSettled();
  fs::rename(run, Dir / "kept");
  Write(run, "not a folder");
  Poll();
  EXPECT_EQ(Live->DataProblemText(),
            path + QStringLiteral(" is no longer a folder; Korvale keeps looking for the folder."));
  fs::remove(run);
  Poll();
  EXPECT_TRUE(Live->DataProblemText().contains(QStringLiteral("is gone")));
  fs::rename(Dir / "kept", run);
  fs::permissions(run, fs::perms::none);
  {
    AsUnprivilegedUser user;
    Poll();
  }
  fs::permissions(run, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EQ(
      Live->DataProblemText(),
      QStringLiteral("The folder %1 cannot be read (Permission denied); Korvale keeps trying.")
          .arg(path));
  EXPECT_EQ(Sets(), 5);
  PollWhile([&] { Run().WriteRange(run, 5, 7); });
  EXPECT_EQ(Sets(), 7);
  EXPECT_TRUE(Live->DataProblemText().isEmpty()) << Live->DataProblemText().toStdString();
}

// A FIFO named like a scan would block a reader that opens it for good:
// the viewer reads only regular files and names what it left out.
TEST_F(LiveIntakeTest, AFifoNamedLikeAScanNeverBlocksAndIsNamed) {
  Run().WriteRange(Dir, 0, 4);
  ASSERT_EQ(::mkfifo((Dir / "00005.RA1").c_str(), 0666), 0);
  StartLive();
  PollUntilSettled();
  PollWhile([&] { Run().WriteRange(Dir, 5, 8); });
  EXPECT_EQ(Sets(), 7);
  EXPECT_EQ(Live->DataProblemText(),
            QStringLiteral("1 scan file(s) left out: 1 not a regular file (00005.RA1)."));
  ExpectLiveEqualsFresh();
}

// --------------------------------------------------------------- timers

// Looking again when files are due is neither a load attempt nor a poll of
// the timer: a load that keeps failing goes on at its slow interval.
TEST_F(LiveIntakeTest, LookingAgainLeavesTheSlowPollTimerAndTheAttemptsAlone) {
  StartLive();
  for (int attempt = 0; attempt < 11; ++attempt) Poll();
  ASSERT_EQ(Live->Timer1->interval(), TSedDataView::SlowPollIntervalMs);
  ASSERT_EQ(Live->GetLoadAttempts(), TSedDataView::FastLoadAttempts);
  Live->Timer1->start();
  Sleep(100);
  Write(Dir / "00001.RA1", "no scan\r\n");
  const int before = Live->Timer1->remainingTime();
  for (int look = 0; look < 5; ++look) {
    Sleep(RestMs);
    Live->RestTimerTimer();
  }
  EXPECT_LE(Live->Timer1->remainingTime(), before);
  EXPECT_EQ(Live->GetLoadAttempts(), TSedDataView::FastLoadAttempts);
  Poll();  // a timer tick: the interval stays, the timer is not set again
  EXPECT_LE(Live->Timer1->remainingTime(), before);
}
