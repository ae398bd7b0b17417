#include "app/ScanIntake.h"

#include "app/ScanFileNames.h"

#include "analysis/BeckmanFile.h"
#include "analysis/Realtimegofs.h"
#include "analysis/Zoqutils.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <map>
#include <numeric>

#include <sys/stat.h>

namespace {

// Every scan is read without a reference speed, so that its time never
// depends on whether the first load or a poll read it.
constexpr double NoReferenceRpm = 0.0;
// What ReadUnchanged gives for a file that changed while it was read.
constexpr int ChangedWhileRead = -2;

QString MaskOf(const RealTimeGofS& Analysis) {
  return QString::fromStdString(Analysis.ChannelMask);
}

bool HasGrid(const RealTimeGofS& Analysis) {
  return Analysis.RawStore && Analysis.RawStore->GetNumberOfSets() > 0;
}

// In UTC: every poll asks the time of each file it looks at, and a
// conversion to local time would cost more than the question.
QDateTime SystemNow() {
  return QDateTime::currentDateTimeUtc();
}

}  // namespace

QString ScanIntake::ChannelPattern(const QString& Mask) {
  const qsizetype dot = Mask.indexOf(u'.');
  return dot < 0 ? QStringLiteral("*") : QStringLiteral("*") + Mask.mid(dot, 4);
}

int ScanIntake::ReadMode(const QString& Mask) {
  if (Mask.contains(QStringLiteral("Ref"))) return 1;
  if (Mask.contains(QStringLiteral("Sam"))) return 2;
  return 0;
}

ScanIntake::ScanIntake() : Clock(SystemNow) {}

ScanIntake::~ScanIntake() = default;

BeckmanFile& ScanIntake::Reader() {
  if (!FReader) FReader = std::make_unique<BeckmanFile>(nullptr);
  return *FReader;
}

void ScanIntake::SetClock(TClock Value) {
  Clock = Value ? std::move(Value) : TClock(SystemNow);
}

int ScanIntake::GetLeftOutTotal() const {
  return std::accumulate(LeftOut.begin(), LeftOut.end(), 0);
}

// One status query per file: every poll asks it of each scan taken, where
// a QFileInfo would query the file once per property and convert its time
// to local time.
ScanIntake::TFileStamp ScanIntake::StampOf(const QString& Name) const {
  struct stat status {};
  if (::stat(QFile::encodeName(QDir(Directory).filePath(Name)).constData(), &status) != 0)
    return {};
  const qint64 ms = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
  return {qint64(status.st_size), QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)};
}

bool ScanIntake::RestedFor(const QString& Name, const TFileStamp& Stamp, int Ms) const {
  const QDateTime now = Clock();
  if (Stamp.Modified.isValid() && Stamp.Modified.msecsTo(now) >= Ms) return true;
  const auto it = Deferred.constFind(Name);
  return it != Deferred.constEnd() && it->Stamp == Stamp && it->Since.msecsTo(now) >= Ms;
}

ScanIntake::TLoadResult ScanIntake::LoadAll(const QString& ADirectory, RealTimeGofS& Analysis) {
  Directory = ADirectory;
  FileNames.clear();
  Deferred.clear();
  Taken.clear();
  Recheck.clear();
  LeftOut.fill(0);
  FullPointCount = 0;
  TLoadResult result;
  // Watched before the listing: whatever changes after it is reported.
  if (WatchAllowed)
    Watch.Start(Directory);
  else
    Watch.Stop();
  ListFolder(ChannelPattern(MaskOf(Analysis)));
  const QStringList names = ScanFilesNow;
  bool gridMade = false;
  for (qsizetype i = 0; i < names.size(); ++i) {
    int set = -1;
    const TTake take = TakeFile(names[i], Analysis, !gridMade, i + 1 < names.size(), set);
    if (take == TTake::Deferred) {
      ++result.Deferred;
      break;
    }
    if (take == TTake::Added) {
      ++result.SetsAdded;
      gridMade = true;
    } else {
      ++result.Refused;
    }
  }
  OnlyMalformed = !names.isEmpty() && !gridMade && result.Deferred == 0 &&
                  GetMalformedCount() == static_cast<int>(names.size());
  return result;
}

ScanIntake::TLoadResult ScanIntake::Poll(RealTimeGofS& Analysis, const TSetAdded& OnSetAdded) {
  TLoadResult result;
  if (!HasGrid(Analysis)) return result;
  const QString pattern = ChannelPattern(MaskOf(Analysis));
  const DirectoryWatch::TChanges changes =
      WatchAllowed ? Watch.TakeChanges() : DirectoryWatch::TChanges{};
  LastPollWatched = changes.Trusted && ListingKept;
  if (LastPollWatched) {
    QStringList candidates = Recheck;
    for (const QString& name : changes.Touched) candidates.append(name);
    result.SetsReplaced = ReplaceChangedSets(Analysis, candidates);
    ApplyEntryChanges(changes.Entries, pattern);
  } else {
    result.SetsReplaced = ReplaceChangedSets(Analysis, Taken.keys());
    ListFolder(pattern);
  }
  NewFileNames = Unknown;
  for (const QString& name : NewFileNames) {
    const bool laterExists = ScanFileNames::Compare(name, ScanFilesNow.last()) < 0;
    int set = -1;
    const TTake take = TakeFile(name, Analysis, false, laterExists, set);
    if (take == TTake::Deferred) {
      ++result.Deferred;
      break;
    }
    if (take == TTake::RefusedForGood) {
      ++result.Refused;
      continue;
    }
    ++result.SetsAdded;
    if (set > 0) {
      Analysis.IPtransformSet(set);
      if (OnSetAdded) OnSetAdded(set);
      if (result.SetsReplaced == 0) Analysis.AddOnedcdtvss(set);
    }
  }
  return result;
}

int ScanIntake::ReadUnchanged(const QString& Name, const TFileStamp& Listed,
                              const RealTimeGofS& Analysis, BeckmanFile& Reader) const {
  // Nothing of the file read before may carry over into this one's header.
  Reader.Header = ScanHeader();
  Reader.Header.UseApparentTime = Analysis.Settings.ComputeApparentStartTime;
  const QString path = QDir(Directory).filePath(Name);
  const int bytes = Reader.ReadScanFile(QFile::encodeName(path).toStdString(),
                                        ReadMode(MaskOf(Analysis)), NoReferenceRpm);
  return StampOf(Name) == Listed ? bytes : ChangedWhileRead;
}

bool ScanIntake::Incomplete(int Bytes, const BeckmanFile& Reader,
                            const RealTimeGofS& Analysis) const {
  if (Bytes < 1 || Reader.PointCount < 1) return true;
  if (Reader.PointCount < Analysis.Settings.MinimumDataSetSize) return true;
  return FullPointCount > 0 && Reader.PointCount < ShortShare * FullPointCount;
}

bool ScanIntake::StoreRefuses(const RealTimeGofS& Analysis, const BeckmanFile& Reader,
                              TLeftOut& Reason) const {
  const ChannelDataStore& raw = *Analysis.RawStore;
  const int n = raw.GetNumberOfSets();
  if (n == 0) return false;
  // The analysis holds one rotor speed: dc/dt pairs and averages across a
  // change of speed would mix two time bases.
  if (!SameRotorSpeed(Reader.Header.Rpm, raw.Headers[0].Rpm))
    Reason = TLeftOut::SpeedChanged;
  else if (n >= ChannelDataStore::MaxSets)
    Reason = TLeftOut::StoreFull;
  else if (!(Reader.Header.TimeUsed > raw.Headers[static_cast<size_t>(n - 1)].TimeUsed))
    Reason = TLeftOut::TimeNotRising;
  else
    return false;
  return true;
}

ScanIntake::TTake ScanIntake::TakeFile(const QString& Name, RealTimeGofS& Analysis, bool MakeGrid,
                                       bool LaterExists, int& Set) {
  const TFileStamp listed = StampOf(Name);
  if (!RestedFor(Name, listed, SettleMs)) return LeaveForLater(Name, listed);
  BeckmanFile& reader = Reader();
  const int bytes = ReadUnchanged(Name, listed, Analysis, reader);
  if (bytes == ChangedWhileRead) return LeaveForLater(Name, listed);

  // Nothing before the grid tells how long a scan should be: the grid
  // comes only from a file that is followed by another or has long rested.
  const bool incomplete = MakeGrid || Incomplete(bytes, reader, Analysis);
  if (incomplete && !LaterExists && !RestedFor(Name, listed, LongRestMs))
    return LeaveForLater(Name, listed);
  if (bytes < 1 || reader.PointCount < 1) return Refuse(Name, TLeftOut::Unreadable);
  const int points = reader.PointCount;
  if (MakeGrid) {
    if (points < Analysis.Settings.MinimumDataSetSize) return Refuse(Name, TLeftOut::Short);
    if (Analysis.CreateX(reader.Radius(), points) != 0) return Refuse(Name, TLeftOut::Unreadable);
  }
  TLeftOut reason = TLeftOut::Unreadable;
  if (StoreRefuses(Analysis, reader, reason)) return Refuse(Name, reason);
  Set = Analysis.RawStore->AddSet(reader.Radius(), reader.Value(), points, reader.Header,
                                  reader.Header.TimeUsed);
  // A scan whose radii miss the grid altogether holds nothing to analyse.
  if (Set < 0) return Refuse(Name, TLeftOut::Unreadable);
  if (!Incomplete(bytes, reader, Analysis)) FullPointCount = points;
  MarkKnown(Name);
  Taken.insert(Name, {listed, Set});
  return TTake::Added;
}

ScanIntake::TTake ScanIntake::LeaveForLater(const QString& Name, const TFileStamp& Stamp) {
  const auto it = Deferred.constFind(Name);
  if (it == Deferred.constEnd() || !(it->Stamp == Stamp)) Deferred.insert(Name, {Stamp, Clock()});
  return TTake::Deferred;
}

ScanIntake::TTake ScanIntake::Refuse(const QString& Name, TLeftOut Reason) {
  ++LeftOut[static_cast<size_t>(Reason)];
  MarkKnown(Name);
  return TTake::RefusedForGood;
}

namespace {

// Inserts Name into the list sorted by Before unless it holds it already.
template <class TBefore>
void InsertSorted(QStringList& Names, const QString& Name, TBefore Before) {
  const auto at = std::lower_bound(Names.begin(), Names.end(), Name, Before);
  if (at == Names.end() || Before(Name, *at)) Names.insert(at, Name);
}

template <class TBefore>
void RemoveSorted(QStringList& Names, const QString& Name, TBefore Before) {
  const auto at = std::lower_bound(Names.begin(), Names.end(), Name, Before);
  if (at != Names.end() && !Before(Name, *at)) Names.erase(at);
}

bool NameBefore(const QString& A, const QString& B) {
  return ScanFileNames::Compare(A, B) < 0;
}

}  // namespace

void ScanIntake::MarkKnown(const QString& Name) {
  Deferred.remove(Name);
  InsertSorted(FileNames, Name, NameBefore);
  RemoveSorted(Unknown, Name, ScanFileNames::ListedBefore);
}

void ScanIntake::ListFolder(const QString& Pattern) {
  ScanFilesNow = ScanFileNames::ListMatching(Directory, Pattern);
  Unknown.clear();
  for (const QString& name : ScanFilesNow)
    if (!ScanFileNames::SortedContains(FileNames, name)) Unknown.append(name);
  ListingKept = true;
}

void ScanIntake::ApplyEntryChanges(const std::vector<DirectoryWatch::TEntryChange>& Entries,
                                   const QString& Pattern) {
  // In the order they happened: the last change of a name is how it is.
  for (const DirectoryWatch::TEntryChange& entry : Entries) {
    if (!ScanFileNames::MatchesMask(entry.Name, Pattern)) continue;
    if (!entry.Present) {
      RemoveSorted(ScanFilesNow, entry.Name, ScanFileNames::ListedBefore);
      RemoveSorted(Unknown, entry.Name, ScanFileNames::ListedBefore);
      continue;
    }
    InsertSorted(ScanFilesNow, entry.Name, ScanFileNames::ListedBefore);
    if (!ScanFileNames::SortedContains(FileNames, entry.Name))
      InsertSorted(Unknown, entry.Name, ScanFileNames::ListedBefore);
  }
}

int ScanIntake::ReplaceChangedSets(RealTimeGofS& Analysis, const QStringList& Candidates) {
  // In set order, so that each replaced set is matched to its already
  // corrected predecessor.
  std::map<int, QString> changed;
  for (const QString& name : Candidates) {
    const auto it = Taken.constFind(name);
    if (it != Taken.constEnd() && !(StampOf(name) == it->Stamp)) changed.emplace(it->Set, name);
  }
  Recheck.clear();
  int replaced = 0;
  for (const auto& [set, name] : changed) {
    const TFileStamp before = Taken[name].Stamp;
    if (ReplaceSet(name, set, Analysis)) ++replaced;
    // Not read yet (still being written, or gone): looked at again at
    // every poll, whatever the watch reports.
    if (Taken[name].Stamp == before) Recheck.append(name);
  }
  return replaced;
}

bool ScanIntake::ReplaceSet(const QString& Name, int Set, RealTimeGofS& Analysis) {
  const TFileStamp listed = StampOf(Name);
  if (!listed.Modified.isValid()) return false;  // gone: the set stays as it was read
  if (!RestedFor(Name, listed, SettleMs)) {
    LeaveForLater(Name, listed);
    return false;
  }
  BeckmanFile& reader = Reader();
  const int bytes = ReadUnchanged(Name, listed, Analysis, reader);
  // A file being written anew reads short for a while: its old set stays
  // until it is whole again (or has long rested).
  if (bytes == ChangedWhileRead ||
      (Incomplete(bytes, reader, Analysis) && !RestedFor(Name, listed, LongRestMs))) {
    LeaveForLater(Name, listed);
    return false;
  }
  Deferred.remove(Name);
  Taken[Name].Stamp = listed;
  if (bytes < 1 || reader.PointCount < 1) return false;
  if (!SameRotorSpeed(reader.Header.Rpm, Analysis.RawStore->Headers[0].Rpm)) return false;
  if (Analysis.RawStore->ReplaceSet(Set, reader.Radius(), reader.Value(), reader.PointCount,
                                    reader.Header, reader.Header.TimeUsed) < 0)
    return false;
  Analysis.IPtransformSet(Set);
  return true;
}
