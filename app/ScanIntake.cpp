#include "app/ScanIntake.h"

#include "app/ScanFileNames.h"

#include "analysis/BeckmanFile.h"
#include "analysis/Realtimegofs.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString MaskOf(const RealTimeGofS& Analysis) {
  return QString::fromStdString(Analysis.ChannelMask);
}

bool HasGrid(const RealTimeGofS& Analysis) {
  return Analysis.RawStore && Analysis.RawStore->GetNumberOfSets() > 0;
}

}  // namespace

QString ScanIntake::FirstLoadPattern(const QString& Mask) {
  const qsizetype dot = Mask.indexOf(u'.');
  return dot < 0 ? QStringLiteral("*") : QStringLiteral("*") + Mask.mid(dot, 4);
}

QString ScanIntake::PollPattern(const QString& Mask) {
  for (const QString& suffix : {QStringLiteral("Ref"), QStringLiteral("Sam")})
    if (Mask.endsWith(suffix, Qt::CaseInsensitive)) return Mask.chopped(suffix.size());
  return Mask;
}

int ScanIntake::ReadMode(const QString& Mask) {
  if (Mask.contains(QStringLiteral("Ref"))) return 1;
  if (Mask.contains(QStringLiteral("Sam"))) return 2;
  return 0;
}

ScanIntake::TFileStamp ScanIntake::StampOf(const QString& Name) const {
  QFileInfo info(QDir(Directory).filePath(Name));
  info.setCaching(false);
  if (!info.exists()) return {};
  return {info.size(), info.lastModified()};
}

bool ScanIntake::Settled(const TFileStamp& Stamp) const {
  return Stamp.Modified.isValid() &&
         Stamp.Modified.msecsTo(QDateTime::currentDateTime()) >= SettleMs;
}

ScanIntake::TLoadResult ScanIntake::LoadAll(const QString& ADirectory, RealTimeGofS& Analysis) {
  Directory = ADirectory;
  FileNames.clear();
  Deferred.clear();
  MalformedCount = 0;
  TLoadResult result;
  const QStringList names =
      ScanFileNames::ListMatching(Directory, FirstLoadPattern(MaskOf(Analysis)));
  bool gridMade = false;
  for (const QString& name : names) {
    int set = -1;
    const TTake take = TakeFile(name, Analysis, !gridMade, 0.0, set);
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
                  MalformedCount == static_cast<int>(names.size());
  return result;
}

ScanIntake::TLoadResult ScanIntake::Poll(RealTimeGofS& Analysis, const TSetAdded& OnSetAdded) {
  TLoadResult result;
  if (!HasGrid(Analysis)) return result;
  MalformedCount = 0;
  ScanFilesNow = ScanFileNames::ListMatching(Directory, PollPattern(MaskOf(Analysis)));
  NewFileNames.clear();
  for (const QString& name : ScanFilesNow)
    if (!ScanFileNames::SortedContains(FileNames, name)) NewFileNames.append(name);
  const double referenceRpm = Analysis.RawStore->Headers[0].Rpm;
  for (const QString& name : NewFileNames) {
    int set = -1;
    const TTake take = TakeFile(name, Analysis, false, referenceRpm, set);
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
      CorrectNewSet(Analysis, set);
      if (OnSetAdded) OnSetAdded(set);
      Analysis.AddOnedcdtvss(set);
    }
  }
  return result;
}

ScanIntake::TTake ScanIntake::TakeFile(const QString& Name, RealTimeGofS& Analysis, bool MakeGrid,
                                       double ReferenceRpm, int& Set) {
  const TFileStamp listed = StampOf(Name);
  const bool seenUnchanged = RestedSinceDeferred(Name, listed);
  if (!seenUnchanged && !Settled(listed)) return LeaveForLater(Name, listed);

  BeckmanFile reader(nullptr);
  reader.Header.UseApparentTime = Analysis.Settings.ComputeApparentStartTime;
  const QString path = QDir(Directory).filePath(Name);
  const int bytes =
      reader.ReadScanFile(path.toStdString(), ReadMode(MaskOf(Analysis)), ReferenceRpm);
  if (StampOf(Name) != listed) return LeaveForLater(Name, listed);

  const bool unreadable = bytes < 1 || reader.PointCount < 1;
  const bool isShort = reader.PointCount < Analysis.Settings.MinimumDataSetSize;
  // Before the grid exists a short or unreadable file that has come to rest
  // is passed over for good: the grid must come from a full scan.
  if (MakeGrid && (unreadable || isShort)) {
    if (unreadable) ++MalformedCount;
    MarkKnown(Name);
    return TTake::RefusedForGood;
  }
  if (unreadable) {
    if (!seenUnchanged) return LeaveForLater(Name, listed);
    ++MalformedCount;
    MarkKnown(Name);
    return TTake::RefusedForGood;
  }
  // A short scan may still be growing; one that stayed as it was over a whole
  // poll is taken as it is.
  if (isShort && !seenUnchanged) return LeaveForLater(Name, listed);

  if (MakeGrid && Analysis.CreateX(reader.Radius(), reader.PointCount) != 0) {
    ++MalformedCount;
    MarkKnown(Name);
    return TTake::RefusedForGood;
  }
  Set = Analysis.RawStore->AddSet(reader.Radius(), reader.Value(), reader.PointCount, reader.Header,
                                  reader.Header.TimeUsed);
  MarkKnown(Name);
  return Set >= 0 ? TTake::Added : TTake::RefusedForGood;
}

ScanIntake::TTake ScanIntake::LeaveForLater(const QString& Name, const TFileStamp& Stamp) {
  const auto it = Deferred.constFind(Name);
  if (it == Deferred.constEnd() || !(it->Stamp == Stamp))
    Deferred.insert(Name, {Stamp, QDateTime::currentDateTime()});
  return TTake::Deferred;
}

bool ScanIntake::RestedSinceDeferred(const QString& Name, const TFileStamp& Stamp) const {
  const auto it = Deferred.constFind(Name);
  // The time since it was first seen so, not its modification time, which
  // a clock of another machine may have set in the future.
  return it != Deferred.constEnd() && it->Stamp == Stamp &&
         it->Since.msecsTo(QDateTime::currentDateTime()) >= SettleMs;
}

void ScanIntake::MarkKnown(const QString& Name) {
  Deferred.remove(Name);
  const auto at = std::lower_bound(
      FileNames.begin(), FileNames.end(), Name,
      [](const QString& A, const QString& B) { return ScanFileNames::Compare(A, B) < 0; });
  if (at == FileNames.end() || ScanFileNames::Compare(*at, Name) != 0) FileNames.insert(at, Name);
}

void ScanIntake::CorrectNewSet(RealTimeGofS& Analysis, int Set) {
  // A single grid point, not the window of the full pass: the new scan is
  // matched to the scans before it, which are already corrected.
  if (Analysis.JitterCorrectionOn)
    Analysis.RawStore->RemoveJitterAtPoint(Set, Analysis.JitterPosition);
  if (Analysis.FringeCorrectionOn)
    Analysis.RawStore->FixIntegralFringe(Set, Analysis.FringePosition);
}
