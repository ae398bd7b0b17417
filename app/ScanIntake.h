#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/IntakePlan.h"
#include "platform/DirectoryWatch.h"

class BeckmanFile;
class RealTimeGofS;

// Takes the scan files of one channel into a viewer's raw store (data role):
// the first load of the whole directory, then polls for scans that the
// running instrument adds, completes or writes anew.
//
// A file is at rest once this intake has seen the same size and time for the
// rest period, counted by its own clock from the first time it saw that
// state, never from the file's time (another machine's clock, or a copy that
// kept old times, says nothing of whether it is still being written). A
// file is read only at rest and only when it did not change while it was
// read; one that reads clearly shorter than the scans before it, or not at
// all, is decided only once a later scan of the channel exists or it has
// rested the long time. Taking in stops at the first file left for later,
// so later scans never overtake it. Nothing learnt is forgotten between
// load attempts, and a file decided on is looked at again whenever its size
// or time changes.
//
// Which files make the analysis is one answer for one folder: the answer a
// fresh load gives (IntakePlan), also for a live viewer. A scan that arrives
// after the sets taken is appended; any other change (a scan completed or
// rewritten after later ones were taken, a file arriving under an earlier
// name, the run's speed decided anew) takes the sets in again from the
// first one it changes, as a reload would. A file gone after its scan was
// taken keeps its scan in the analysis.
class ScanIntake {
 public:
  // What a set that was just appended needs from the viewer before its
  // dc/dt pair is made (drawing it).
  using TSetAdded = std::function<void(int Set)>;
  // Milliseconds on a clock that only goes forward; tests replace it to
  // let files rest without waiting.
  using TClock = std::function<long long()>;

  // Milliseconds without change after which a scan file counts as written.
  static constexpr int DefaultSettleMs = 2000;
  // Milliseconds a short or unreadable file with no later scan of its
  // channel must rest before it is decided as it is: a writer on a network
  // share or a busy instrument PC pauses for seconds in the middle of a file.
  static constexpr int DefaultLongRestMs = 30000;
  // Even while the kernel reports every change, the folder is listed at
  // least this often: a notice it should have sent may be missing.
  static constexpr int ListAtLeastEveryMs = 60000;
  // A scan with fewer points than this share of the scan before it is
  // clearly short (scans that differ by a point or two are not).
  static constexpr double ShortShare = 0.9;

  // Why a file is left out of the analysis.
  enum class TLeftOut {
    Unreadable,
    Short,
    TimeNotRising,
    StoreFull,
    SpeedChanged,
    SpeedBreak,
    NotRegular
  };
  static constexpr int LeftOutReasons = 7;

  // What became of the folder the viewer shows.
  enum class TFolderState { Readable, Missing, NotAFolder, Unreadable };

  struct TLoadResult {
    int SetsAdded = 0;     // sets appended after those held before
    bool Rebuilt = false;  // sets taken in again from one on: derive everything anew
    int Waiting = 0;       // files left for a later pass
    // Milliseconds until a file left for later may be decided, -1 when none
    // waits for time to pass.
    long long WaitMs = -1;
  };

  // "*" and the four characters from the mask's first "." on: every file of
  // that type and cell whatever its prefix, for the first load and polls.
  static QString ChannelPattern(const QString& Mask);
  // Reader mode: 1 for the reference sector ("Ref"), 2 for the sample
  // sector ("Sam"), else 0.
  static int ReadMode(const QString& Mask);

  // The rest period intakes made from now on start with (DefaultSettleMs
  // unless changed): tests of windows that make viewers themselves set it.
  static void SetSettleMsOfNewIntakes(int Ms);

  ScanIntake();
  ~ScanIntake();
  ScanIntake(const ScanIntake&) = delete;
  ScanIntake& operator=(const ScanIntake&) = delete;

  int GetSettleMs() const { return SettleMs; }
  void SetSettleMs(int Value) { SettleMs = Value; }
  int GetLongRestMs() const { return LongRestMs; }
  void SetLongRestMs(int Value) { LongRestMs = Value; }
  void SetClock(TClock Value);
  // Whether polls may learn what changed from the kernel (on by default);
  // off, every poll lists the folder and queries every taken file.
  void SetWatchAllowed(bool Value) { WatchAllowed = Value; }
  // Whether the latest poll could trust what the kernel reported.
  bool GetLastPollWatched() const { return LastPollWatched; }

  // The first load: takes the files of Directory as a fresh load does,
  // making the grid from the first scan taken. OnSetAdded is not called
  // and no correction is made (the viewer runs the full passes afterwards).
  TLoadResult LoadAll(const QString& Directory, RealTimeGofS& Analysis);
  // A poll: looks at what changed and takes the files as a fresh load of
  // the folder now would. For every set appended after those held its
  // corrections run, then OnSetAdded, then AddOnedcdtvss; when sets were
  // taken in again (Rebuilt) the corrections of those sets ran and the
  // dc/dt pairs are left to the caller, which must recompute them all.
  // Does nothing before a first load took a scan.
  TLoadResult Poll(RealTimeGofS& Analysis, const TSetAdded& OnSetAdded);

  const QString& GetDirectory() const { return Directory; }
  // Names (without path) decided on: taken in or left out, sorted.
  const QStringList& GetFileNames() const { return FileNames; }
  // Names the folder held at the latest look, and those of them not
  // decided on yet.
  const QStringList& GetScanFilesNow() const { return ScanFilesNow; }
  const QStringList& GetNewFileNames() const { return NewFileNames; }
  // Files left out of the analysis now, by reason and in all, and the names
  // of those that are not regular files.
  int GetLeftOut(TLeftOut Reason) const { return LeftOut[static_cast<size_t>(Reason)]; }
  int GetLeftOutTotal() const;
  const QStringList& GetNotRegularNames() const { return NotRegularNames; }
  // Files that could not be read as scans, and whether the first load found
  // files of the channel but could read none of them.
  int GetMalformedCount() const { return GetLeftOut(TLeftOut::Unreadable); }
  bool GetOnlyMalformed() const { return OnlyMalformed; }
  // The rotor speed the analysis uses (rpm); 0 before a scan was read.
  double GetRunRpm() const { return RunRpm; }
  // Taken scans whose files were written anew since (in the order it was
  // seen), and taken scans whose files are gone (they stay in the analysis).
  const QStringList& GetRewrittenNames() const { return RewrittenNames; }
  QStringList GetGoneNames() const;
  // Files left for later at the latest pass.
  int GetWaitingCount() const { return WaitingCount; }
  TFolderState GetFolderState() const { return FolderState; }
  // The system's reason the folder cannot be read (errno), 0 when none.
  int GetFolderError() const { return FolderError; }
  // The path names another folder than the one first loaded (moved,
  // re-linked or mounted over since).
  bool GetFolderReplaced() const { return FolderReplaced; }
  // The kernel could not be asked to report changes although the folder
  // lies on a disk it watches: errno, or 0.
  int GetWatchError() const { return WatchError; }
  // Memory ran out while scans were taken in: the sets taken stay, no more
  // are taken until the folder is loaded anew.
  bool GetOutOfMemory() const { return OutOfMemory; }

 private:
  struct TFileStamp {
    long long Size = -1;  // -1: no such file
    long long ModifiedNs = 0;
    long long ChangedNs = 0;
    unsigned long long Inode = 0;
    bool Regular = true;
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
  };
  // What a file said when it was read.
  struct TReading {
    TFileStamp Stamp;  // Size -1: not read, or changed while it was read
    int Bytes = -1;
    int Points = 0;
    double Time = 0.0;
    double Rpm = 0.0;
    bool Valid() const { return Stamp.Size >= 0; }
    bool Readable() const { return Bytes >= 1 && Points >= 1; }
  };
  // What the intake knows of one file of the channel.
  struct TRecord {
    TFileStamp Seen;          // at the latest look
    long long SeenSince = 0;  // clock ms when Seen was first seen
    long long Number = -1;    // the scan number its name carries
    bool Present = true;      // false: gone, kept while its scan is taken
    TReading Latest;          // of the state Seen, once read
    TReading Decided;         // the reading the analysis is decided on
  };
  // One set of the raw store: whose file, read when it looked how.
  struct TTakenSet {
    QString Name;
    TFileStamp Stamp;
    const TRecord* Record = nullptr;  // kept while the set is taken
  };
  struct TPassEntry {
    QString Name;
    TRecord* Record;
  };
  struct TPass;
  struct TKeptSet;

  long long Now() const { return Clock(); }
  bool Rested(const TRecord& Record, int Ms) const { return Now() - Record.SeenSince >= Ms; }
  TFileStamp StampOf(const QString& Name) const;
  // The folder's state and identity; false when it cannot be listed.
  bool CheckFolder();
  // Lists the folder (or follows the kernel's report) and looks at every
  // file whose state may have changed. False when the folder could not be
  // read: then nothing known changes.
  bool Observe(const QString& Pattern, bool Polling, bool& Trusted, std::vector<QString>& Changed);
  void AddRecord(const QString& Name);
  void Look(const QString& Name, TRecord& Record);
  void ForgetUnlisted();
  // Reads Name into the reader: the reading, or one not Valid when the
  // file changed while it was read.
  TReading ReadFile(const QString& Name, const RealTimeGofS& Analysis);
  // True when the reading gives no scan, or one clearly shorter than the
  // scan before it (FullPoints): the rest of the file may still come.
  bool Incomplete(const TReading& Reading, int FullPoints, bool GridSeen, int MinimumPoints) const;
  TLoadResult RunPass(RealTimeGofS& Analysis, bool Polling, const TSetAdded* OnSetAdded);
  TLoadResult RunPassWhileMemoryLasts(RealTimeGofS& Analysis, bool Polling,
                                      const TSetAdded* OnSetAdded);
  void CollectEntries(TPass& Pass);
  struct TDeciding;
  size_t Resume(TPass& Pass, const std::vector<QString>& Changed);
  void DecideEntries(TPass& Pass, size_t First, RealTimeGofS& Analysis);
  bool Decide(TPass& Pass, size_t Index, const TDeciding& Deciding, RealTimeGofS& Analysis);
  void Stream(TPass& Pass, const QString& Name, IntakePlan::TEntry& Entry, TDeciding& Deciding,
              RealTimeGofS& Analysis);
  bool LaterScanExists(const TPass& Pass, size_t Index, long long HighestNumber) const;
  void CountWaiting(TPass& Pass) const;
  bool IsTaken(const QString& Name) const;
  bool RefusedOnGrid(const QString& Name, const TFileStamp& Stamp) const;
  bool Reconcile(TPass& Pass, const IntakePlan::TPlan& Plan, RealTimeGofS& Analysis);
  // Forgets the sets from Count on, keeping the data of those whose files
  // can no longer be read as they were taken.
  void KeepTakenSets(TPass& Pass, size_t Count, RealTimeGofS& Analysis);
  // Appends the scan of Name as decided on; false when it could not be had
  // as it was read or the store refused it (then RefusedOnGrid), or memory
  // ran out.
  bool AppendSet(TPass& Pass, const QString& Name, const TReading& Reading, RealTimeGofS& Analysis);
  bool AppendSetFrom(TPass& Pass, const QString& Name, const TReading& Reading,
                     RealTimeGofS& Analysis);
  bool MakeGrid(const QString& Name, const TReading& Reading, const double* Radius, int Points,
                RealTimeGofS& Analysis);
  void NoteDecisions(const TPass& Pass, const IntakePlan::TPlan& Plan);
  // One reader for every file, so that its buffers are made once.
  BeckmanFile& Reader();

  int SettleMs = DefaultSettleMs;
  int LongRestMs = DefaultLongRestMs;
  TClock Clock;
  bool WatchAllowed = true;
  bool LastPollWatched = false;
  QString Directory;
  bool Loaded = false;
  QStringList FileNames;
  QStringList ScanFilesNow;
  QStringList NewFileNames;
  std::array<int, LeftOutReasons> LeftOut{};
  QStringList NotRegularNames;
  bool OnlyMalformed = false;
  double RunRpm = 0.0;
  QStringList RewrittenNames;
  int WaitingCount = 0;
  TFolderState FolderState = TFolderState::Readable;
  int FolderError = 0;
  bool FolderReplaced = false;
  int WatchError = 0;
  bool OutOfMemory = false;
  // caches: what is known of every file listed (and of taken files gone;
  // the map keeps its elements in place, as a pass points at them), the
  // sets of the raw store in order, and which file's data the reader holds.
  std::unordered_map<QString, TRecord> Records;
  std::vector<TTakenSet> Taken;
  std::unique_ptr<BeckmanFile> FReader;
  QString ReaderHolds;
  TFileStamp ReaderStamp;
  // The files whose scans the store refused on the grid it holds, as they
  // were then.
  QHash<QString, TFileStamp> GridRefused;
  // Sets kept from the store while they are taken in again.
  std::map<QString, std::unique_ptr<TKeptSet>> Kept;
  // The pass before, for the next poll to go on from.
  std::unique_ptr<TPass> Cache;
  DirectoryWatch Watch;
  // The folder's identity at the latest look, and when it was last listed
  // whole (clock ms).
  unsigned long long FolderDevice = 0;
  unsigned long long FolderInode = 0;
  bool FolderKnown = false;
  long long ListedAt = 0;
  bool ListingKept = false;
};
