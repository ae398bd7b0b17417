#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class RealTimeGofS;

// Takes the scan files of one channel into a viewer's raw store (data role):
// the first load of the whole directory, then polls for scans that the
// running instrument adds.
//
// A scan is never lost: a name joins FileNames only after its set was
// accepted by the store or refused for good (time not rising, store full,
// no grid point filled, or a file that stayed unreadable and unchanged over
// a whole poll). A file that is still being written is left for the next
// poll: it failed to read, its size or modification time changed while it
// was read, it was modified less than SettleMs ago, or it has fewer points
// than the minimum data set size. Taking in stops at the first such file, so
// later scans never overtake it. A file left over once stays a candidate for
// the next poll; when it is found unchanged then, it is taken as it is (a
// short scan) or refused for good (unreadable).
class ScanIntake {
 public:
  // What a set that was just appended needs from the viewer before its
  // dc/dt pair is made (drawing it).
  using TSetAdded = std::function<void(int Set)>;

  struct TLoadResult {
    int SetsAdded = 0;
    int Deferred = 0;  // files left for the next poll
    int Refused = 0;   // files refused for good in this pass
  };

  // "*" and the four characters from the mask's first "." on: the first load
  // takes every file of that type and cell whatever its prefix.
  static QString FirstLoadPattern(const QString& Mask);
  // The mask without its "Ref"/"Sam" sector suffix.
  static QString PollPattern(const QString& Mask);
  // Reader mode: 1 for the reference sector ("Ref"), 2 for the sample
  // sector ("Sam"), else 0.
  static int ReadMode(const QString& Mask);

  // Milliseconds a file must have rested before it is read.
  int GetSettleMs() const { return SettleMs; }
  void SetSettleMs(int Value) { SettleMs = Value; }

  // The first load: lists Directory with FirstLoadPattern of the analysis'
  // channel mask, finds the first file of at least the minimum size, makes
  // the grid from it (CreateX) and appends it and every later file. OnSetAdded
  // is not called (the viewer draws everything afterwards). Forgets what
  // earlier loads took in.
  TLoadResult LoadAll(const QString& Directory, RealTimeGofS& Analysis);
  // A poll: lists the directory with PollPattern and takes in the new files
  // in name order; for every appended set the interference corrections run,
  // then OnSetAdded, then AddOnedcdtvss. Does nothing before a first load
  // made the grid.
  TLoadResult Poll(RealTimeGofS& Analysis, const TSetAdded& OnSetAdded);

  const QString& GetDirectory() const { return Directory; }
  // Names (without path) taken in or refused for good, sorted.
  const QStringList& GetFileNames() const { return FileNames; }
  // Names the latest poll found, and those of them not yet known.
  const QStringList& GetScanFilesNow() const { return ScanFilesNow; }
  const QStringList& GetNewFileNames() const { return NewFileNames; }
  // Files found by the latest pass that could not be read as scans (the
  // first load or a poll), and whether nothing at all could be read.
  int GetMalformedCount() const { return MalformedCount; }
  bool GetOnlyMalformed() const { return OnlyMalformed; }

 private:
  struct TFileStamp {
    qint64 Size = -1;
    QDateTime Modified;
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
  };
  enum class TTake { Added, RefusedForGood, Deferred };

  TFileStamp StampOf(const QString& Name) const;
  bool Settled(const TFileStamp& Stamp) const;
  // True when Name was left for later looking exactly like Stamp, at least
  // SettleMs ago.
  bool RestedSinceDeferred(const QString& Name, const TFileStamp& Stamp) const;
  // Reads Name and offers it to the raw store (creating the grid from it
  // first when MakeGrid is set). Set receives the new set's index when added.
  TTake TakeFile(const QString& Name, RealTimeGofS& Analysis, bool MakeGrid, double ReferenceRpm,
                 int& Set);
  TTake LeaveForLater(const QString& Name, const TFileStamp& Stamp);
  void MarkKnown(const QString& Name);
  void CorrectNewSet(RealTimeGofS& Analysis, int Set);

  int SettleMs = 2000;
  QString Directory;
  QStringList FileNames;
  QStringList ScanFilesNow;
  QStringList NewFileNames;
  // What a file left for later looked like, and when it was first seen so.
  struct TDeferral {
    TFileStamp Stamp;
    QDateTime Since;
  };
  // caches: the files left for later (an entry goes when its file is taken
  // or refused).
  QHash<QString, TDeferral> Deferred;
  int MalformedCount = 0;
  bool OnlyMalformed = false;
};
