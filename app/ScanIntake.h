#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

#include "platform/DirectoryWatch.h"

class BeckmanFile;
class RealTimeGofS;

// Takes the scan files of one channel into a viewer's raw store (data role):
// the first load of the whole directory, then polls for scans that the
// running instrument adds or completes.
//
// A scan is never taken half-written. A file is read only once it has
// rested SettleMs without change and did not change while it was read; one
// that reads clearly shorter than the scans before it, or not at all, is
// taken (or refused) only once a later file of the channel exists or it has
// rested LongRestMs. Taking in stops at the first file left for later, so
// later scans never overtake it. A taken file whose size or modification
// time changes afterwards is read again once it rests, and its set replaced.
//
// A scan is never left out without a word: every file refused for good is
// counted under its reason, and the first load and the polls refuse alike
// (both list the channel with the same pattern and read with the same
// reference speed; a scan at another rotor speed than the first one taken
// is refused by both, so no dc/dt pair spans a change of speed).
class ScanIntake {
 public:
  // What a set that was just appended needs from the viewer before its
  // dc/dt pair is made (drawing it).
  using TSetAdded = std::function<void(int Set)>;
  // The time now; tests replace it to let files rest without waiting.
  using TClock = std::function<QDateTime()>;

  // Milliseconds without change after which a scan file counts as written.
  static constexpr int DefaultSettleMs = 2000;
  // Milliseconds a short or unreadable file with no later file of its
  // channel must rest before it is taken as it is: a writer on a network
  // share or a busy instrument PC pauses for seconds in the middle of a file.
  static constexpr int LongRestMs = 30000;
  // A scan with fewer points than this share of the last whole scan before
  // it is clearly short (scans that differ by a point or two are not).
  static constexpr double ShortShare = 0.9;

  // Why a file was refused for good.
  enum class TLeftOut { Unreadable, Short, TimeNotRising, StoreFull, SpeedChanged };
  static constexpr int LeftOutReasons = 5;

  struct TLoadResult {
    int SetsAdded = 0;
    int SetsReplaced = 0;  // taken files read again after they changed
    int Deferred = 0;      // files left for the next poll
    int Refused = 0;       // files refused for good in this pass
  };

  // "*" and the four characters from the mask's first "." on: every file of
  // that type and cell whatever its prefix, for the first load and polls.
  static QString ChannelPattern(const QString& Mask);
  // Reader mode: 1 for the reference sector ("Ref"), 2 for the sample
  // sector ("Sam"), else 0.
  static int ReadMode(const QString& Mask);

  ScanIntake();
  ~ScanIntake();
  ScanIntake(const ScanIntake&) = delete;
  ScanIntake& operator=(const ScanIntake&) = delete;

  int GetSettleMs() const { return SettleMs; }
  void SetSettleMs(int Value) { SettleMs = Value; }
  void SetClock(TClock Value);
  // Whether polls may learn what changed from the kernel (on by default);
  // off, every poll lists the folder and queries every taken file.
  void SetWatchAllowed(bool Value) { WatchAllowed = Value; }
  // Whether the latest poll could trust what the kernel reported.
  bool GetLastPollWatched() const { return LastPollWatched; }

  // The first load: lists Directory, finds the first file of at least the
  // minimum size, makes the grid from it (CreateX) and appends it and every
  // later file. OnSetAdded is not called (the viewer draws everything
  // afterwards). Forgets what earlier loads took in and left out.
  TLoadResult LoadAll(const QString& Directory, RealTimeGofS& Analysis);
  // A poll: first reads again the taken files that changed and replaces
  // their sets (with their corrections), then takes in the new files in name
  // order; for every appended set its corrections run, then OnSetAdded, then
  // AddOnedcdtvss. Once a set was replaced the dc/dt pairs are left to the
  // caller, which must then recompute them all. Does nothing before a first
  // load made the grid.
  TLoadResult Poll(RealTimeGofS& Analysis, const TSetAdded& OnSetAdded);

  const QString& GetDirectory() const { return Directory; }
  // Names (without path) taken in or refused for good, sorted.
  const QStringList& GetFileNames() const { return FileNames; }
  // Names the latest poll found, and those of them not yet known.
  const QStringList& GetScanFilesNow() const { return ScanFilesNow; }
  const QStringList& GetNewFileNames() const { return NewFileNames; }
  // Files refused for good since the first load, by reason and in all.
  int GetLeftOut(TLeftOut Reason) const { return LeftOut[static_cast<size_t>(Reason)]; }
  int GetLeftOutTotal() const;
  // Files that could not be read as scans since the first load, and whether
  // the first load could read nothing at all.
  int GetMalformedCount() const { return GetLeftOut(TLeftOut::Unreadable); }
  bool GetOnlyMalformed() const { return OnlyMalformed; }

 private:
  struct TFileStamp {
    qint64 Size = -1;
    QDateTime Modified;
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
  };
  enum class TTake { Added, RefusedForGood, Deferred };

  TFileStamp StampOf(const QString& Name) const;
  // True when the file has not changed for Ms: by its modification time,
  // or since this intake first saw it looking exactly like Stamp (a clock
  // of another machine may have dated the file in the future).
  bool RestedFor(const QString& Name, const TFileStamp& Stamp, int Ms) const;
  // Reads Name and offers it to the raw store (creating the grid from it
  // first when MakeGrid is set). Set receives the new set's index when
  // added. LaterExists: a later file of the channel is listed.
  TTake TakeFile(const QString& Name, RealTimeGofS& Analysis, bool MakeGrid, bool LaterExists,
                 int& Set);
  // Reads Name into Reader: the bytes read as the reader gives them, or a
  // value below -1 when the file does not look like Listed after the read.
  int ReadUnchanged(const QString& Name, const TFileStamp& Listed, const RealTimeGofS& Analysis,
                    BeckmanFile& Reader) const;
  // True when the read gave no scan, or one clearly shorter than the last
  // whole scan: the rest of the file may still come.
  bool Incomplete(int Bytes, const BeckmanFile& Reader, const RealTimeGofS& Analysis) const;
  // True, with the reason, when the raw store must not take the scan.
  bool StoreRefuses(const RealTimeGofS& Analysis, const BeckmanFile& Reader,
                    TLeftOut& Reason) const;
  // One reader for every file, so that its buffers are made once.
  BeckmanFile& Reader();
  TTake LeaveForLater(const QString& Name, const TFileStamp& Stamp);
  TTake Refuse(const QString& Name, TLeftOut Reason);
  void MarkKnown(const QString& Name);
  // Replaces the sets of taken files among Candidates that changed, in set
  // order; returns how many. A changed file whose set could not be replaced
  // yet is kept to look at again.
  int ReplaceChangedSets(RealTimeGofS& Analysis, const QStringList& Candidates);
  // The listing and the names not yet known, from the folder itself or
  // from the entries the watch reported.
  void ListFolder(const QString& Pattern);
  void ApplyEntryChanges(const std::vector<DirectoryWatch::TEntryChange>& Entries,
                         const QString& Pattern);
  bool ReplaceSet(const QString& Name, int Set, RealTimeGofS& Analysis);

  int SettleMs = DefaultSettleMs;
  TClock Clock;
  bool WatchAllowed = true;
  bool LastPollWatched = false;
  QString Directory;
  QStringList FileNames;
  QStringList ScanFilesNow;
  QStringList NewFileNames;
  std::array<int, LeftOutReasons> LeftOut{};
  bool OnlyMalformed = false;
  // What a file left for later looked like, and when it was first seen so.
  struct TDeferral {
    TFileStamp Stamp;
    QDateTime Since;
  };
  // What a taken file looked like when it was read, and its set.
  struct TTaken {
    TFileStamp Stamp;
    int Set = -1;
  };
  // caches: the files left for later (an entry goes when its file is taken
  // or refused), the taken files (cleared by the first load) and the point
  // count of the last scan that was not short.
  QHash<QString, TDeferral> Deferred;
  QHash<QString, TTaken> Taken;
  int FullPointCount = 0;
  // What the folder held at the last listing, kept up to date from the
  // watch's entries (false when there is no listing to keep); the taken
  // files found changed whose sets could not be replaced yet.
  std::unique_ptr<BeckmanFile> FReader;
  DirectoryWatch Watch;
  bool ListingKept = false;
  QStringList Recheck;
  // The names of ScanFilesNow not in FileNames, sorted.
  QStringList Unknown;
};
