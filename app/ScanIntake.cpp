#include "app/ScanIntake.h"

#include "app/ScanFileNames.h"

#include "analysis/BeckmanFile.h"
#include "analysis/Realtimegofs.h"
#include "analysis/Zoqutils.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>
#include <new>
#include <numeric>

#include <sys/stat.h>

namespace {

// Every scan is read without a reference speed, so that its time never
// depends on whether the first load or a poll read it.
constexpr double NoReferenceRpm = 0.0;

QString MaskOf(const RealTimeGofS& Analysis) {
  return QString::fromStdString(Analysis.ChannelMask);
}

long long SteadyNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

long long Nanoseconds(const timespec& Time) {
  return static_cast<long long>(Time.tv_sec) * 1000000000 + Time.tv_nsec;
}

bool NameBefore(const QString& A, const QString& B) {
  return ScanFileNames::ListedBefore(A, B);
}

// Inserts Name into the list sorted by ListedBefore unless it holds it already.
void InsertSorted(QStringList& Names, const QString& Name) {
  const auto at = std::lower_bound(Names.begin(), Names.end(), Name, NameBefore);
  if (at == Names.end() || NameBefore(Name, *at)) Names.insert(at, Name);
}

void RemoveSorted(QStringList& Names, const QString& Name) {
  const auto at = std::lower_bound(Names.begin(), Names.end(), Name, NameBefore);
  if (at != Names.end() && !NameBefore(Name, *at)) Names.erase(at);
}

ScanIntake::TLeftOut LeftOutOf(IntakePlan::TDecision Decision) {
  using D = IntakePlan::TDecision;
  using R = ScanIntake::TLeftOut;
  switch (Decision) {
    case D::Short: return R::Short;
    case D::TimeNotRising: return R::TimeNotRising;
    case D::StoreFull: return R::StoreFull;
    case D::OtherSpeed: return R::SpeedChanged;
    case D::SpeedBreak: return R::SpeedBreak;
    case D::NotRegular: return R::NotRegular;
    case D::Take:
    case D::Unreadable: break;
  }
  return R::Unreadable;
}

// A store made when memory ran out says so in its status.
bool StoresLackMemory(const RealTimeGofS& Analysis) {
  for (const auto* store :
       {&Analysis.RawStore, &Analysis.DcdtStore, &Analysis.AveragedStore, &Analysis.SmoothedStore,
        &Analysis.CorrectedStore, &Analysis.ExtrapolationStore})
    if (*store == nullptr || (*store)->Status == "Memory Error") return true;
  return false;
}

}  // namespace

// The files of one pass in name order, what the plan is asked, and the sets
// already checked against it while they were taken in.
// What deciding the files of a pass in name order carries from one file to
// the next.
struct ScanIntake::TDeciding {
  explicit TDeciding(int Minimum) : Minimum(Minimum), Stream(Minimum, ChannelDataStore::MaxSets) {}
  int Minimum;
  long long HighestNumber = -1;   // of the files present
  long long HighestDecided = -1;  // of the files decided so far
  int PointsBefore = 0;           // of the readable scan before
  bool WholeScanSeen = false;
  // The sets a run of one speed makes, as the plan will take them: each
  // one that comes right after the sets held is appended at once, while the
  // reader holds it, so that such a run is read once.
  IntakePlan::TTaker Stream;
  bool Streaming = true;
  double StreamRpm = 0.0;
};

// The files of one pass in name order, what the plan is asked, and how far
// they are settled: decided on as they are now. A poll that learns from the
// kernel that only files after the settled ones changed goes on from there
// with what the pass before knew, instead of deciding every file again.
struct ScanIntake::TPass {
  explicit TPass(int Minimum) : Deciding(Minimum), SettledDeciding(Minimum) {}
  std::vector<TPassEntry> Entries;
  std::vector<IntakePlan::TEntry> PlanEntries;
  size_t Stop = 0;  // entries from here on are left for later
  bool Polling = false;
  TLoadResult Result;
  const TSetAdded* OnSetAdded = nullptr;
  TDeciding Deciding;
  // The entries before Settled are settled; SettledDeciding is what
  // deciding them left.
  size_t Settled = 0;
  TDeciding SettledDeciding;
  // The raw store holds what the plan takes.
  bool Reconciled = false;
};

// The data of a set taken before, for a file that can no longer be read as
// it was then (gone, or being written anew) when the sets are taken again.
struct ScanIntake::TKeptSet {
  TFileStamp Stamp;
  std::vector<double> X, Y, Errors;
  ScanHeader Header;
};

QString ScanIntake::ChannelPattern(const QString& Mask) {
  const qsizetype dot = Mask.indexOf(u'.');
  return dot < 0 ? QStringLiteral("*") : QStringLiteral("*") + Mask.mid(dot, 4);
}

int ScanIntake::ReadMode(const QString& Mask) {
  if (Mask.contains(QStringLiteral("Ref"))) return 1;
  if (Mask.contains(QStringLiteral("Sam"))) return 2;
  return 0;
}

namespace {
int SettleMsOfNewIntakes = ScanIntake::DefaultSettleMs;
}  // namespace

void ScanIntake::SetSettleMsOfNewIntakes(int Ms) {
  SettleMsOfNewIntakes = Ms;
}

ScanIntake::ScanIntake() : SettleMs(SettleMsOfNewIntakes), Clock(SteadyNow) {}

ScanIntake::~ScanIntake() = default;

BeckmanFile& ScanIntake::Reader() {
  if (!FReader) FReader = std::make_unique<BeckmanFile>(nullptr);
  return *FReader;
}

void ScanIntake::SetClock(TClock Value) {
  Clock = Value ? std::move(Value) : TClock(SteadyNow);
}

int ScanIntake::GetLeftOutTotal() const {
  return std::accumulate(LeftOut.begin(), LeftOut.end(), 0);
}

QStringList ScanIntake::GetGoneNames() const {
  QStringList gone;
  for (const TTakenSet& set : Taken)
    if (!set.Record->Present) gone.append(set.Name);
  return gone;
}

// One status query per file: its size, times and inode tell a file written
// anew (or renamed into place) from the one read, whatever time the writer
// gave it; the change time is the kernel's own and cannot be set back.
ScanIntake::TFileStamp ScanIntake::StampOf(const QString& Name) const {
  struct stat status {};
  if (::stat(QFile::encodeName(QDir(Directory).filePath(Name)).constData(), &status) != 0)
    return {};
  TFileStamp stamp;
  stamp.Size = status.st_size;
  stamp.ModifiedNs = Nanoseconds(status.st_mtim);
  stamp.ChangedNs = Nanoseconds(status.st_ctim);
  stamp.Inode = static_cast<unsigned long long>(status.st_ino);
  stamp.Regular = S_ISREG(status.st_mode);
  return stamp;
}

// ------------------------------------------------------------ the two entries

ScanIntake::TLoadResult ScanIntake::LoadAll(const QString& ADirectory, RealTimeGofS& Analysis) {
  if (ADirectory != Directory) {
    Records.clear();
    RewrittenNames.clear();
    FolderKnown = false;
    FolderReplaced = false;
  }
  Directory = ADirectory;
  Loaded = true;
  Cache.reset();
  Taken.clear();
  // Room for every set at once: appending one never needs memory the store
  // had and this list had not.
  Taken.reserve(ChannelDataStore::MaxSets);
  ReaderHolds.clear();
  GridRefused.clear();
  OutOfMemory = false;
  ListingKept = false;
  TLoadResult result = RunPassWhileMemoryLasts(Analysis, false, nullptr);
  OnlyMalformed = !ScanFilesNow.isEmpty() && Taken.empty() && WaitingCount == 0 &&
                  GetMalformedCount() == static_cast<int>(ScanFilesNow.size());
  return result;
}

ScanIntake::TLoadResult ScanIntake::Poll(RealTimeGofS& Analysis, const TSetAdded& OnSetAdded) {
  // Memory that ran out stays out: taking in more would only fail again.
  if (!Loaded || OutOfMemory) return {};
  return RunPassWhileMemoryLasts(Analysis, true, &OnSetAdded);
}

ScanIntake::TLoadResult ScanIntake::RunPassWhileMemoryLasts(RealTimeGofS& Analysis, bool Polling,
                                                            const TSetAdded* OnSetAdded) {
  // The sets taken before memory ran out stay, each with its file's entry.
  try {
    return RunPass(Analysis, Polling, OnSetAdded);
  } catch (const std::bad_alloc&) {
    OutOfMemory = true;
    Kept.clear();
    return {};
  }
}

// ---------------------------------------------------------------- looking

bool ScanIntake::CheckFolder() {
  struct stat status {};
  if (::stat(QFile::encodeName(Directory).constData(), &status) != 0) {
    FolderError = errno;
    FolderState = FolderError == EACCES ? TFolderState::Unreadable : TFolderState::Missing;
    return false;
  }
  if (!S_ISDIR(status.st_mode)) {
    FolderError = ENOTDIR;
    FolderState = TFolderState::NotAFolder;
    return false;
  }
  const auto device = static_cast<unsigned long long>(status.st_dev);
  const auto inode = static_cast<unsigned long long>(status.st_ino);
  const bool another = FolderKnown && (device != FolderDevice || inode != FolderInode);
  if (another) FolderReplaced = true;
  // A watch set on the folder that was here reports on that folder only.
  if (!FolderKnown || another) {
    ListingKept = false;
    if (WatchAllowed) {
      Watch.Start(Directory);
      WatchError = Watch.GetError();
    } else {
      Watch.Stop();
    }
  }
  FolderDevice = device;
  FolderInode = inode;
  FolderKnown = true;
  return true;
}

void ScanIntake::AddRecord(const QString& Name) {
  TRecord record;
  record.SeenSince = Now();
  record.Seen = StampOf(Name);
  record.Number = ScanFileNames::ScanNumber(Name);
  Records.emplace(Name, record);
}

void ScanIntake::Look(const QString& Name, TRecord& Record) {
  const TFileStamp stamp = StampOf(Name);
  Record.Present = true;
  if (stamp == Record.Seen) return;
  Record.Seen = stamp;
  Record.SeenSince = Now();
}

bool ScanIntake::Observe(const QString& Pattern, bool Polling, bool& Trusted,
                         std::vector<QString>& Changed) {
  if (!CheckFolder()) return false;
  DirectoryWatch::TChanges changes;
  if (Polling && WatchAllowed) changes = Watch.TakeChanges();
  const bool trusted =
      Polling && changes.Trusted && ListingKept && Now() - ListedAt < ListAtLeastEveryMs;
  LastPollWatched = trusted;
  Trusted = trusted;
  if (trusted) {
    // In the order they happened: the last change of a name is how it is.
    for (const DirectoryWatch::TEntryChange& entry : changes.Entries) {
      if (!ScanFileNames::IsScanName(entry.Name) ||
          !ScanFileNames::MatchesMask(entry.Name, Pattern))
        continue;
      if (entry.Present) {
        InsertSorted(ScanFilesNow, entry.Name);
        if (Records.find(entry.Name) == Records.end()) AddRecord(entry.Name);
      } else {
        RemoveSorted(ScanFilesNow, entry.Name);
      }
      Changed.push_back(entry.Name);
    }
    for (const QString& name : changes.Touched) {
      if (const auto it = Records.find(name); it != Records.end()) {
        Look(name, it->second);
        Changed.push_back(name);
      }
    }
  } else {
    ScanFileNames::TListing listing = ScanFileNames::ListScanEntries(Directory, Pattern);
    if (listing.Error != 0) {
      FolderError = listing.Error;
      FolderState = TFolderState::Unreadable;
      return false;
    }
    ScanFilesNow = std::move(listing.Names);
    ListedAt = Now();
    ListingKept = true;
  }
  FolderState = TFolderState::Readable;
  FolderError = 0;
  // The kernel names what changed; the files after those settled before may
  // still be coming to rest, and are looked at whatever it says.
  auto from = ScanFilesNow.begin();
  if (trusted && Cache && Cache->Settled > 0)
    from = std::upper_bound(ScanFilesNow.begin(), ScanFilesNow.end(),
                            Cache->Entries[Cache->Settled - 1].Name, NameBefore);
  for (auto name = from; name != ScanFilesNow.end(); ++name) {
    const auto it = Records.find(*name);
    if (it == Records.end()) {
      AddRecord(*name);
      Changed.push_back(*name);
    } else if (!trusted || !it->second.Present || !(it->second.Decided.Stamp == it->second.Seen)) {
      Look(*name, it->second);
    }
  }
  ForgetUnlisted();
  return true;
}

void ScanIntake::ForgetUnlisted() {
  // Every name listed has its record: equal counts mean nothing else is held.
  if (Records.size() == static_cast<size_t>(ScanFilesNow.size())) return;
  QSet<QString> taken;
  for (const TTakenSet& set : Taken) taken.insert(set.Name);
  for (auto it = Records.begin(); it != Records.end();) {
    if (std::binary_search(ScanFilesNow.begin(), ScanFilesNow.end(), it->first, NameBefore)) {
      ++it;
    } else if (taken.contains(it->first)) {
      it->second.Present = false;
      ++it;
    } else {
      it = Records.erase(it);
    }
  }
}

// ---------------------------------------------------------------- reading

ScanIntake::TReading ScanIntake::ReadFile(const QString& Name, const RealTimeGofS& Analysis) {
  const TFileStamp before = StampOf(Name);
  BeckmanFile& reader = Reader();
  ReaderHolds.clear();
  // Nothing of the file read before may carry over into this one's header.
  reader.Header = ScanHeader();
  reader.Header.UseApparentTime = Analysis.Settings.ComputeApparentStartTime;
  const QString path = QDir(Directory).filePath(Name);
  TReading reading;
  reading.Bytes = reader.ReadScanFile(QFile::encodeName(path).toStdString(),
                                      ReadMode(MaskOf(Analysis)), NoReferenceRpm);
  // A file the reader had no memory for is no file without a scan.
  if (reader.LastReadStatus() == BeckmanFile::ReadStatus::OutOfMemory) {
    OutOfMemory = true;
    return {};
  }
  if (!(StampOf(Name) == before) || before.Size < 0) return {};  // changed while read
  reading.Stamp = before;
  reading.Points = reading.Bytes >= 1 ? reader.PointCount : 0;
  reading.Time = reader.Header.TimeUsed;
  reading.Rpm = reader.Header.Rpm;
  ReaderHolds = Name;
  ReaderStamp = before;
  return reading;
}

bool ScanIntake::Incomplete(const TReading& Reading, int FullPoints, bool GridSeen,
                            int MinimumPoints) const {
  // Nothing before the first whole scan tells how long a scan should be.
  if (!GridSeen || !Reading.Readable() || Reading.Points < MinimumPoints) return true;
  return FullPoints > 0 && Reading.Points < ShortShare * FullPoints;
}

// ------------------------------------------------------------------ a pass

ScanIntake::TLoadResult ScanIntake::RunPass(RealTimeGofS& Analysis, bool Polling,
                                            const TSetAdded* OnSetAdded) {
  std::vector<QString> changed;
  bool trusted = false;
  if (!Observe(ChannelPattern(MaskOf(Analysis)), Polling, trusted, changed)) return {};
  // Nothing changed since a pass that settled every file: all is as it was.
  if (trusted && changed.empty() && Cache && Cache->Reconciled &&
      Cache->Settled == Cache->Entries.size() &&
      Records.size() == static_cast<size_t>(ScanFilesNow.size()))
    return {};
  auto pass = std::make_unique<TPass>(Analysis.Settings.MinimumDataSetSize);
  const size_t first = trusted ? Resume(*pass, changed) : 0;
  if (first == 0) CollectEntries(*pass);
  pass->Polling = Polling;
  pass->OnSetAdded = OnSetAdded;
  DecideEntries(*pass, first, Analysis);
  IntakePlan::TPlan plan;
  // A set the store refuses changes the plan: plan again, at most once per
  // file. What the pass knew of the store's refusals may not hold for the
  // grid made since then: the next pass decides everything anew.
  for (size_t round = 0; round <= pass->Entries.size(); ++round) {
    plan = IntakePlan::Make(pass->PlanEntries, Analysis.Settings.MinimumDataSetSize,
                            ChannelDataStore::MaxSets);
    if (Reconcile(*pass, plan, Analysis)) break;
    pass->Settled = 0;
  }
  if (pass->Result.Rebuilt) pass->Settled = 0;
  RunRpm = plan.RunRpm;
  WaitingCount = pass->Result.Waiting;
  NoteDecisions(*pass, plan);
  const TLoadResult result = pass->Result;
  Cache = std::move(pass);
  return result;
}

// Takes over from the pass before the files it settled, when every file
// that changed since sorts after them, and gives the first file to decide;
// 0 when everything must be decided anew.
size_t ScanIntake::Resume(TPass& Pass, const std::vector<QString>& Changed) {
  if (!Cache || Cache->Settled == 0 || OutOfMemory) return 0;
  // A taken scan whose file is gone keeps a place among the others.
  if (Records.size() != static_cast<size_t>(ScanFilesNow.size())) return 0;
  const QString last = Cache->Entries[Cache->Settled - 1].Name;
  for (const QString& name : Changed)
    if (!NameBefore(last, name)) return 0;
  // The pass before is replaced by this one: its lists are taken over.
  const size_t settled = Cache->Settled;
  Pass.Entries = std::move(Cache->Entries);
  Pass.Entries.resize(settled);
  Pass.PlanEntries = std::move(Cache->PlanEntries);
  Pass.PlanEntries.resize(settled);
  Pass.Deciding = Cache->SettledDeciding;
  Cache.reset();
  auto it = std::upper_bound(ScanFilesNow.begin(), ScanFilesNow.end(), last, NameBefore);
  for (; it != ScanFilesNow.end(); ++it) Pass.Entries.push_back({*it, &Records.at(*it)});
  return settled;
}

void ScanIntake::CollectEntries(TPass& Pass) {
  QStringList names = ScanFilesNow;
  // Taken scans whose files are gone keep their place.
  const QStringList gone = GetGoneNames();
  if (!gone.isEmpty()) {
    names.append(gone);
    std::sort(names.begin(), names.end(), NameBefore);
  }
  Pass.Entries.reserve(static_cast<size_t>(names.size()));
  for (const QString& name : names) Pass.Entries.push_back({name, &Records.at(name)});
}

bool ScanIntake::LaterScanExists(const TPass& Pass, size_t Index, long long HighestNumber) const {
  const TRecord& record = *Pass.Entries[Index].Record;
  if (record.Number >= 0) return record.Number < HighestNumber;
  // A name without a number is followed by whatever sorts after it.
  for (size_t i = Index + 1; i < Pass.Entries.size(); ++i)
    if (Pass.Entries[i].Record->Present) return true;
  return false;
}

void ScanIntake::DecideEntries(TPass& Pass, size_t First, RealTimeGofS& Analysis) {
  TDeciding& deciding = Pass.Deciding;
  deciding.HighestNumber = deciding.HighestDecided;
  for (size_t i = First; i < Pass.Entries.size(); ++i)
    if (Pass.Entries[i].Record->Present)
      deciding.HighestNumber = std::max(deciding.HighestNumber, Pass.Entries[i].Record->Number);
  Pass.Stop = Pass.Entries.size();
  Pass.Settled = First;
  Pass.SettledDeciding = deciding;
  bool settling = true;
  Pass.PlanEntries.reserve(Pass.Entries.size());
  for (size_t i = First; i < Pass.Entries.size(); ++i) {
    const QString& name = Pass.Entries[i].Name;
    TRecord& record = *Pass.Entries[i].Record;
    IntakePlan::TEntry entry;
    if (record.Present && !record.Seen.Regular) {
      entry.Regular = false;
      Pass.PlanEntries.push_back(entry);
      settling = false;
      continue;
    }
    if (record.Present && !Decide(Pass, i, deciding, Analysis)) {
      Pass.Stop = i;  // taking in stops here: no later scan overtakes it
      break;
    }
    const TReading& reading = record.Decided;
    entry.Readable = reading.Readable();
    entry.Points = reading.Points;
    entry.Time = reading.Time;
    entry.Rpm = reading.Rpm;
    entry.StoreRefused = RefusedOnGrid(name, reading.Stamp);
    // Measured against the scan just before: one long scan (a speed step
    // that widens the radial range) must not make every later one look
    // unfinished.
    if (entry.Readable) deciding.PointsBefore = reading.Points;
    if (entry.Readable && reading.Points >= deciding.Minimum) deciding.WholeScanSeen = true;
    if (deciding.Streaming && entry.Readable) Stream(Pass, name, entry, deciding, Analysis);
    if (record.Present) deciding.HighestDecided = std::max(deciding.HighestDecided, record.Number);
    Pass.PlanEntries.push_back(entry);
    settling = settling && record.Present && record.Decided.Stamp == record.Seen;
    if (settling) {
      Pass.Settled = i + 1;
      Pass.SettledDeciding = deciding;
    }
  }
  CountWaiting(Pass);
}

// Reads the file of entry Index when it is at rest and not read yet, and
// decides on what it read when it looks whole, a later scan shows that the
// writer moved on from a new file, or it has rested the long time. False
// when the file was never decided on: it is left for later.
bool ScanIntake::Decide(TPass& Pass, size_t Index, const TDeciding& Deciding,
                        RealTimeGofS& Analysis) {
  const QString& name = Pass.Entries[Index].Name;
  TRecord& record = *Pass.Entries[Index].Record;
  if (!(record.Latest.Stamp == record.Seen) && Rested(record, SettleMs)) {
    record.Latest = ReadFile(name, Analysis);
    if (!record.Latest.Valid()) Look(name, record);  // changed while read
  }
  // A file written anew is whole once it is as long as the scan before it;
  // a later scan says nothing of a file its writer went back to.
  const bool first = !record.Decided.Valid();
  if (record.Latest.Valid() && record.Latest.Stamp == record.Seen &&
      !(record.Decided.Stamp == record.Seen) &&
      (!Incomplete(record.Latest, Deciding.PointsBefore, Deciding.WholeScanSeen || !first,
                   Deciding.Minimum) ||
       (first && LaterScanExists(Pass, Index, Deciding.HighestNumber)) ||
       Rested(record, LongRestMs))) {
    if (!first && IsTaken(name) && !RewrittenNames.contains(name)) RewrittenNames.append(name);
    record.Decided = record.Latest;
  }
  return record.Decided.Valid();
}

void ScanIntake::Stream(TPass& Pass, const QString& Name, IntakePlan::TEntry& Entry,
                        TDeciding& Deciding, RealTimeGofS& Analysis) {
  if (Deciding.Stream.Taken() == 0 && Deciding.StreamRpm == 0.0) Deciding.StreamRpm = Entry.Rpm;
  // Another speed: the plan decides what the run is.
  if (!SameRotorSpeed(Entry.Rpm, Deciding.StreamRpm)) {
    Deciding.Streaming = false;
    return;
  }
  if (Deciding.Stream.Take(Entry) != IntakePlan::TDecision::Take) return;
  const auto set = static_cast<size_t>(Deciding.Stream.Taken() - 1);
  const TRecord& record = Records.at(Name);
  const TReading& reading = record.Decided;
  if (set < Taken.size())
    Deciding.Streaming = Taken[set].Record == &record && Taken[set].Stamp == reading.Stamp;
  else if (!AppendSet(Pass, Name, reading, Analysis))
    Deciding.Streaming = false;
  Entry.StoreRefused = RefusedOnGrid(Name, reading.Stamp);
}

// The files whose present state is not decided on yet, and how soon the
// first of them may be: a viewer looks again then, not a whole poll later.
void ScanIntake::CountWaiting(TPass& Pass) const {
  long long soonest = -1;
  // Files at rest that wait for one before them have no time of their own.
  auto consider = [&](long long Ms) {
    if (Ms > 0 && (soonest < 0 || Ms < soonest)) soonest = Ms;
  };
  int waiting = 0;
  // The files settled wait for nothing.
  for (size_t i = Pass.Settled; i < Pass.Entries.size(); ++i) {
    const TRecord& record = *Pass.Entries[i].Record;
    if (!record.Present || !record.Seen.Regular || record.Decided.Stamp == record.Seen) continue;
    ++waiting;
    const long long rested = Now() - record.SeenSince;
    consider(SettleMs - rested);
    if (record.Latest.Stamp == record.Seen) consider(LongRestMs - rested);
  }
  Pass.Result.Waiting = waiting;
  Pass.Result.WaitMs = soonest;
}

bool ScanIntake::IsTaken(const QString& Name) const {
  return std::any_of(Taken.begin(), Taken.end(),
                     [&](const TTakenSet& Set) { return Set.Name == Name; });
}

bool ScanIntake::RefusedOnGrid(const QString& Name, const TFileStamp& Stamp) const {
  const auto it = GridRefused.constFind(Name);
  return it != GridRefused.constEnd() && *it == Stamp;
}

// --------------------------------------------------------- keeping the sets

// Makes the raw store hold the sets the plan takes. Sets that come after
// those held are appended; when the plan differs from the sets held, they
// are taken in again from the first that differs, once the plan reaches
// past every set held (a file left for later before them may still change
// the answer). False when a set was refused: the caller plans again.
bool ScanIntake::Reconcile(TPass& Pass, const IntakePlan::TPlan& Plan, RealTimeGofS& Analysis) {
  Pass.Reconciled = false;
  size_t same = 0;
  while (same < Taken.size() && same < Plan.Taken.size()) {
    const TPassEntry& entry = Pass.Entries[static_cast<size_t>(Plan.Taken[same])];
    if (!(Taken[same].Record == entry.Record && Taken[same].Stamp == entry.Record->Decided.Stamp))
      break;
    ++same;
  }
  if (same < Taken.size()) {
    const bool planReachesPastTaken = Pass.Stop == Pass.Entries.size() ||
                                      NameBefore(Taken.back().Name, Pass.Entries[Pass.Stop].Name);
    if (!planReachesPastTaken) return true;
    KeepTakenSets(Pass, same, Analysis);
  }
  for (size_t next = Taken.size(); next < Plan.Taken.size(); ++next) {
    const auto index = static_cast<size_t>(Plan.Taken[next]);
    const TPassEntry& entry = Pass.Entries[index];
    if (AppendSet(Pass, entry.Name, entry.Record->Decided, Analysis)) continue;
    if (OutOfMemory || !RefusedOnGrid(entry.Name, entry.Record->Decided.Stamp)) return true;
    Pass.PlanEntries[index].StoreRefused = true;
    return false;
  }
  Pass.Reconciled = true;
  return true;
}

void ScanIntake::KeepTakenSets(TPass& Pass, size_t Count, RealTimeGofS& Analysis) {
  // Files that can no longer be read as they were taken give their sets
  // from the store, as they were.
  Kept.clear();
  const ChannelDataStore* raw = Analysis.RawStore.get();
  for (size_t set = Count; set < Taken.size() && raw != nullptr; ++set) {
    const TRecord& record = Records.at(Taken[set].Name);
    if (record.Present && record.Seen == Taken[set].Stamp) continue;
    auto kept = std::make_unique<TKeptSet>();
    const int n = raw->GetNumberOfPoints();
    const int s = static_cast<int>(set);
    kept->Stamp = Taken[set].Stamp;
    kept->X.assign(raw->GetGrid(), raw->GetGrid() + n);
    kept->Y.assign(raw->GetYArray(s), raw->GetYArray(s) + n);
    kept->Errors.assign(raw->GetErrorArray(s), raw->GetErrorArray(s) + n);
    kept->Header = raw->Headers[set];
    Kept[Taken[set].Name] = std::move(kept);
  }
  if (Analysis.RawStore) Analysis.RawStore->KeepSets(static_cast<int>(Count));
  Taken.resize(Count);
  Pass.Result.Rebuilt = true;
}

bool ScanIntake::AppendSet(TPass& Pass, const QString& Name, const TReading& Reading,
                           RealTimeGofS& Analysis) {
  if (OutOfMemory) return false;
  try {
    return AppendSetFrom(Pass, Name, Reading, Analysis);
  } catch (const std::bad_alloc&) {
    OutOfMemory = true;
    return false;
  }
}

bool ScanIntake::AppendSetFrom(TPass& Pass, const QString& Name, const TReading& Reading,
                               RealTimeGofS& Analysis) {
  // The reader holds the file read last; any other is read again as it was
  // decided on, or, when it can no longer be, given from the set kept.
  const TKeptSet* kept = nullptr;
  if (!(ReaderHolds == Name && ReaderStamp == Reading.Stamp)) {
    TRecord& record = Records.at(Name);
    const bool asDecided = record.Present && record.Seen == Reading.Stamp &&
                           ReadFile(Name, Analysis).Stamp == Reading.Stamp;
    if (!asDecided) {
      if (record.Present) Look(Name, record);
      const auto it = Kept.find(Name);
      if (it == Kept.end() || !(it->second->Stamp == Reading.Stamp)) return false;
      kept = it->second.get();
    }
  }
  BeckmanFile& reader = Reader();
  const double* x = kept != nullptr ? kept->X.data() : reader.Radius();
  const int points = kept != nullptr ? static_cast<int>(kept->X.size()) : reader.PointCount;
  if (Taken.empty() && !MakeGrid(Name, Reading, x, points, Analysis)) return false;
  ChannelDataStore& raw = *Analysis.RawStore;
  const int set =
      kept != nullptr
          ? raw.AddSetWithErrors(x, kept->Y.data(), kept->Errors.data(), points, kept->Header,
                                 kept->Header.TimeUsed)
          : raw.AddSet(x, reader.Value(), points, reader.Header, reader.Header.TimeUsed);
  // A scan whose radii miss the grid altogether holds nothing to analyse.
  if (set < 0) {
    GridRefused.insert(Name, Reading.Stamp);
    return false;
  }
  Taken.push_back({Name, Reading.Stamp, &Records.at(Name)});
  if (Pass.Polling) {
    // Exactly the corrections a first load gives it, in set order.
    Analysis.IPtransformSet(set);
    if (!Pass.Result.Rebuilt && set > 0) {
      if (Pass.OnSetAdded != nullptr && *Pass.OnSetAdded) (*Pass.OnSetAdded)(set);
      Analysis.AddOnedcdtvss(set);
    }
  }
  if (!Pass.Result.Rebuilt) ++Pass.Result.SetsAdded;
  return true;
}

bool ScanIntake::MakeGrid(const QString& Name, const TReading& Reading, const double* Radius,
                          int Points, RealTimeGofS& Analysis) {
  if (Analysis.CreateX(Radius, Points) == 0) {
    GridRefused.clear();
    return true;
  }
  if (StoresLackMemory(Analysis))
    OutOfMemory = true;
  else
    GridRefused.insert(Name, Reading.Stamp);
  return false;
}

// ------------------------------------------------------------- what is told

void ScanIntake::NoteDecisions(const TPass& Pass, const IntakePlan::TPlan& Plan) {
  LeftOut.fill(0);
  NotRegularNames.clear();
  FileNames.clear();
  NewFileNames.clear();
  for (size_t i = 0; i < Pass.Entries.size(); ++i) {
    const QString& name = Pass.Entries[i].Name;
    if (i >= Pass.Stop || i >= Plan.Decisions.size()) {
      if (Pass.Entries[i].Record->Present) NewFileNames.append(name);
      continue;
    }
    FileNames.append(name);
    const IntakePlan::TDecision decision = Plan.Decisions[i];
    if (decision == IntakePlan::TDecision::Take) continue;
    const TLeftOut reason = LeftOutOf(decision);
    ++LeftOut[static_cast<size_t>(reason)];
    if (reason == TLeftOut::NotRegular) NotRegularNames.append(name);
  }
  Kept.clear();
}
