#include "analysis/Gofs2004.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <new>
#include <numbers>
#include <string_view>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

#include "platform/NumberText.h"

const char* const StoreStatusBadConstructParameters = "Bad Construct Parameters";
const char* const StoreStatusMemoryError = "Memory Error";
const char* const StoreStatusMemoryInitialized = "Memory Initialized";

GofsErrorLogStream& GofsErrorLog() {
  static GofsErrorLogStream log;
  return log;
}

// ---------------------------------------------------------------- ScanHeader

ScanHeader::ScanHeader() = default;

namespace {

constexpr std::string_view VoltageMark = "Voltage:";

int KindOfTypeLetter(char letter) {
  switch (letter) {
    case 'P': return 3;
    case 'R':
    case 'I': return 1;
    case 'F': return 2;
    default: return 0;
  }
}

double OmegaSquared(double rpm) {
  return rpm * rpm * 4.0 * std::numbers::pi * std::numbers::pi / 3600.0;
}

}  // namespace

int ScanHeader::ParseScanHeader(double ReferenceRpm) {
  // A reused reader must not keep the previous file's numbers.
  Cell = Replicates = Kind = 0;
  Omega2t = TimeUsed = Rpm = Temperature = ElapsedTime = Wavelength = 0.0;
  InterferenceValue = 0.0;

  // Line 2: letter, cell, temperature, rpm, elapsed time, omega^2 t,
  // then the optional wavelength and replicate count.
  std::string_view line = HeaderLine;
  char letter = 0;
  const bool essentials = ScanChar(line, letter) && ScanInt(line, Cell) &&
                          ScanDouble(line, Temperature) && ScanDouble(line, Rpm) &&
                          ScanDouble(line, ElapsedTime) && ScanDouble(line, Omega2t);
  if (essentials && ScanDouble(line, Wavelength)) ScanInt(line, Replicates);

  Kind = KindOfTypeLetter(letter);
  int result = Kind == 0 ? 1 : 0;
  // Written as negations so that NaN is refused too.
  const double omegaSquared = OmegaSquared(Rpm);
  if (!essentials || !(Rpm > 0.0) || !(Omega2t > 0.0) || !std::isfinite(Rpm) ||
      !std::isfinite(Omega2t) || !std::isfinite(omegaSquared))
    result = 2;

  if (UseApparentTime != 0 && (Rpm == ReferenceRpm || ReferenceRpm == 0.0)) {
    TimeUsed = omegaSquared > 0.0 ? Omega2t / omegaSquared : 0.0;
  } else {
    UseApparentTime = 0;
    TimeUsed = ElapsedTime;
  }
  // "inf" and "nan" read as numbers; a time that is not finite is no time.
  if (!std::isfinite(TimeUsed)) result = 2;

  std::string_view title = TitleLine;
  if (Kind == 3) {
    std::string firstWord;
    std::string secondWord;
    if (ScanWord(title, firstWord) && ScanDouble(title, InterferenceValue) &&
        ScanLiteral(title, ','))
      ScanWord(title, secondWord);
    ScanDescription = secondWord;
  } else if (Kind == 1) {
    ScanDescription = TitleLine;
  } else if (Kind == 2) {
    const size_t mark = title.find(VoltageMark);
    // Without the mark the title cannot be taken apart: refuse the file.
    if (mark == std::string_view::npos) return result != 0 ? result : 3;
    FluorescencePrefix = std::string(title.substr(0, mark > 0 ? mark - 1 : 0));
  }
  return result;
}

// -------------------------------------------------------------- GofsSettings

GofsSettings::GofsSettings() : LowLogS(std::log(1e-15)), HighLogS(std::log(1e-10)) {
  static constexpr const char* names[] = {"JitterWindow",
                                          "LowS",
                                          "HighS",
                                          "LowLogS",
                                          "HighLogS",
                                          "sGridNumberOfPoints",
                                          "DefaultCellTop",
                                          "DefaultCellBottom",
                                          "DefaultCellMidpoint",
                                          "DefaultNegativeTag",
                                          "DefaultIgnoreTag",
                                          "DefaultPositiveError",
                                          "DefaultMeniscusIgnore",
                                          "DefaultBottomIgnore",
                                          "DefaultStepSize",
                                          "BeginningScanGroupSize",
                                          "MinimumDataSetSize",
                                          "dcdtWindowFactor",
                                          "MaxAveragingPercent",
                                          "SmoothRepetition",
                                          "SmoothCarSize",
                                          "ComputeApparentStartTime"};
  static_assert(std::size(names) == 22);
  for (size_t i = 0; i < std::size(names); ++i) KeyNames[i] = names[i];
}

// ----------------------------------------------------------- ScanHeaderSlots

ScanHeaderSlots::ScanHeaderSlots() {
  // Room straight from the kernel: its pages cost memory only once a
  // header is made in them.
  const std::size_t bytes = Count * sizeof(ScanHeader);
  void* room = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (room == MAP_FAILED) throw std::bad_alloc();
  FRoom = static_cast<ScanHeader*>(room);
  FRoomBytes = bytes;
  FRoomPages = MappedRegion(room, bytes);
}

ScanHeaderSlots::~ScanHeaderSlots() {
  for (std::size_t slot = 0; slot < Count; ++slot)
    if (FMade[slot]) FRoom[slot].~ScanHeader();
  ::munmap(FRoom, FRoomBytes);
}

ScanHeader& ScanHeaderSlots::operator[](std::size_t Slot) {
  if (!FMade[Slot]) {
    FRoomPages.Reach((Slot + 1) * sizeof(ScanHeader));
    new (FRoom + Slot) ScanHeader();
    FMade[Slot] = true;
  }
  return FRoom[Slot];
}

const ScanHeader& ScanHeaderSlots::operator[](std::size_t Slot) const {
  static const ScanHeader unwritten;
  return FMade[Slot] ? FRoom[Slot] : unwritten;
}

ScanHeader* ScanHeaderSlots::data() {
  for (std::size_t slot = 0; slot < Count; ++slot) (*this)[slot];
  return FRoom;
}

// ---------------------------------------------------------- ChannelDataStore

namespace {

// Arrays in a store's block: the grid, a y and an error array per slot, and
// the zeros that never-written error arrays are read from.
constexpr std::size_t ArraysPerStore =
    2 + 2 * static_cast<std::size_t>(ChannelDataStore::SlotCount);
// A grid this large can only come from a corrupt count (2^38 bytes is some
// 17 million points); it is refused without asking for memory.
constexpr std::size_t MaxBlockBytes = std::size_t{1} << 38;
// Used when a store has no settings record to take the tag from.
constexpr double FallbackNegativeTag = -1e10;

std::size_t PageBytes() {
  static const std::size_t bytes = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return bytes;
}

// Once a store's sets fill this many bytes of their y arrays, the rest of
// its block is offered huge pages: a run that long will fill them, and one
// first write then maps 2 MiB instead of 4 KiB (page faults are most of
// what storing a long run costs). A short run keeps small pages and pays
// memory only for what it writes.
constexpr std::size_t LargePagesFrom = std::size_t{1} << 20;

// Maps a block of N-point arrays straight from the kernel: its pages read
// as zeros and cost memory only once written, whatever its size (an
// allocator may instead hand out recycled memory that it must clear,
// touching every page, and a sanitizing allocator marks every byte of a
// block it hands out or takes back). An inaccessible page on either side
// makes any access past the block's ends fault. MappedBytes receives what
// to unmap; nullptr when there is no memory for it.
double* MapZeroedBlock(int N, std::size_t& MappedBytes) {
  const std::size_t points = static_cast<std::size_t>(N);
  if (points > MaxBlockBytes / sizeof(double) / ArraysPerStore) return nullptr;
  const std::size_t page = PageBytes();
  const std::size_t bytes = (points * ArraysPerStore * sizeof(double) + page - 1) / page * page;
  void* mapped = ::mmap(nullptr, bytes + 2 * page, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  char* block = static_cast<char*>(mapped) + page;
  if (::mprotect(block, bytes, PROT_READ | PROT_WRITE) != 0) {
    ::munmap(mapped, bytes + 2 * page);
    return nullptr;
  }
  MappedBytes = bytes + 2 * page;
  return reinterpret_cast<double*>(block);
}

// Error of a grid point outside the input range. The negated input error
// keeps its magnitude; an input error of 0 (or not a number) would read as
// valid once negated, so it gets the tag instead.
double OutsideError(const double* Errors, int K, int Count, double Tag) {
  if (Errors == nullptr || K >= Count) return Tag;
  const double negated = -std::fabs(Errors[K]);
  return negated < 0.0 ? negated : Tag;
}

bool DecreasesSomewhere(const double* X, int Count) {
  for (int i = 1; i < Count; ++i)
    if (X[i - 1] > X[i]) return true;
  return false;
}

std::string DumpLine(double A, double B) {
  return PadLeft(FormatScientific(A, 4), 10) + "   " + PadLeft(FormatScientific(B, 4), 10) + "\n";
}

// Dump files are a debugging aid: one that cannot be written is skipped.
void WriteDumpFile(const char* Name, const double* X, const double* Y, int Count) {
  std::ofstream out(Name, std::ios::binary | std::ios::trunc);
  if (!out) return;
  std::string text;
  for (int i = 0; i < Count; ++i) text += DumpLine(X[i], Y[i]);
  out << text;
}

// The log is diagnostics only: losing a line must not fail the caller.
void AppendToLog(const char* Text) {
  try {
    GofsErrorLog().Append(Text);
  } catch (...) {
  }
}

void LogNonSequential(int Set) {
  try {
    GofsErrorLog().Append(
        "\nA file read has a non-sequential R.  File index:  " + FormatInteger(Set) + "  ");
  } catch (...) {
  }
}

}  // namespace

void ChannelDataStore::FreeBlock::operator()(double* p) const {
  if (p != nullptr) ::munmap(reinterpret_cast<char*>(p) - PageBytes(), MappedBytes);
}

ChannelDataStore::ChannelDataStore(GofsSettings* Settings, double XMinimum, double XMaximum, int N)
    : SettingsRef(Settings) {
  Construct(nullptr, XMinimum, XMaximum, N);
}

ChannelDataStore::ChannelDataStore(GofsSettings* Settings, const double* X, int N)
    : SettingsRef(Settings) {
  const bool readable = X != nullptr && N >= 1;
  Construct(X, readable ? X[0] : 0.0, readable ? X[N - 1] : 0.0, readable ? N : 0);
}

ChannelDataStore::~ChannelDataStore() = default;

// X null: a uniform grid from XMinimum to XMaximum; otherwise a copy of X.
void ChannelDataStore::Construct(const double* X, double XMinimum, double XMaximum, int N) {
  Status = StoreStatusBadConstructParameters;
  XMin = XMinimum;
  XMax = XMaximum;
  Step = 1.0;
  NumberOfPoints = 0;
  if (N < 1) return;  // nothing to allocate, and no x to read

  std::size_t mapped = 0;
  double* block = MapZeroedBlock(N, mapped);
  FBlock = std::unique_ptr<double, FreeBlock>(block, FreeBlock{mapped});
  FErrorsWritten.fill(false);
  FLargePagesOffered = false;
  if (!FBlock) {
    SetConstructFailure();
    return;
  }
  NumberOfPoints = N;
  FYPages = MappedRegion(SlotY(0), SlotBytes(SlotCount));
  FErrorPages = MappedRegion(SlotError(0), SlotBytes(SlotCount));
  // A single point has no step; 1 keeps anything that divides by it safe.
  if (N > 1) Step = (XMax - XMin) / (N - 1);
  double* grid = FBlock.get();
  for (int i = 0; i < N; ++i) grid[i] = X != nullptr ? X[i] : XMin + i * Step;

  // Written as a negation so that a NaN step is refused too.
  const bool bad = XMin >= XMax || !(Step > 0.0) || N <= 2;
  Status = bad ? StoreStatusBadConstructParameters : StoreStatusMemoryInitialized;
}

void ChannelDataStore::SetConstructFailure() {
  AppendToLog("\nTrouble allocating memory in ChannelDataStore::ChannelDataStore.  ");
  Status = StoreStatusMemoryError;
  XMin = 0.0;
  XMax = -1.0;
  NumberOfPoints = 0;
  Step = 1.0;
}

double* ChannelDataStore::SlotY(int Set) const {
  return FBlock.get() + NumberOfPoints + static_cast<std::size_t>(Set) * NumberOfPoints;
}

std::size_t ChannelDataStore::SlotBytes(int Slots) const {
  return static_cast<std::size_t>(Slots) * static_cast<std::size_t>(NumberOfPoints) *
         sizeof(double);
}

double* ChannelDataStore::SlotError(int Set) const {
  return FBlock.get() + NumberOfPoints +
         (static_cast<std::size_t>(SlotCount) + Set) * NumberOfPoints;
}

void ChannelDataStore::OfferLargePages(int Set) {
  if (FLargePagesOffered || SlotBytes(Set + 1) < LargePagesFrom) return;
  FLargePagesOffered = true;
  const std::size_t page = PageBytes();
  char* from = reinterpret_cast<char*>(SlotY(Set));
  from -= reinterpret_cast<std::uintptr_t>(from) % page;
  char* end = reinterpret_cast<char*>(FBlock.get()) + FBlock.get_deleter().MappedBytes - 2 * page;
  // Advice only: where the kernel has no huge page, small pages serve.
  if (from < end) ::madvise(from, static_cast<std::size_t>(end - from), MADV_HUGEPAGE);
}

const double* ChannelDataStore::ReadError(int Set) const {
  return FErrorsWritten[static_cast<std::size_t>(Set)] ? SlotError(Set) : SlotError(SlotCount);
}

double* ChannelDataStore::WriteY(int Set) {
  FYPages.Reach(SlotBytes(Set + 1));
  return SlotY(Set);
}

double* ChannelDataStore::WriteError(int Set) {
  FErrorPages.Reach(SlotBytes(Set + 1));
  FErrorsWritten[static_cast<std::size_t>(Set)] = true;
  return SlotError(Set);
}

double ChannelDataStore::NegativeTag() const {
  return SettingsRef != nullptr ? SettingsRef->DefaultNegativeTag : FallbackNegativeTag;
}

// ---------------------------------------------------------------- accessors

double ChannelDataStore::GetSetX(int /*Set*/, int I) const {
  return GetX(I);
}

double ChannelDataStore::GetX(int I) const {
  return ValidPoint(I) ? FBlock.get()[I] : 0.0;
}

double ChannelDataStore::GetY(int Set, int I) const {
  return ValidSlot(Set) && ValidPoint(I) ? SlotY(Set)[I] : 0.0;
}

double ChannelDataStore::GetError(int Set, int I) const {
  return ValidSlot(Set) && ValidPoint(I) ? ReadError(Set)[I] : 0.0;
}

const double* ChannelDataStore::GetGrid() const {
  return FBlock.get();
}

double* ChannelDataStore::GetYArray(int Set) {
  return ValidSlot(Set) && NumberOfPoints > 0 ? SlotY(Set) : nullptr;
}

const double* ChannelDataStore::GetYArray(int Set) const {
  return ValidSlot(Set) && NumberOfPoints > 0 ? SlotY(Set) : nullptr;
}

const double* ChannelDataStore::GetErrorArray(int Set) const {
  return ValidSlot(Set) && NumberOfPoints > 0 ? ReadError(Set) : nullptr;
}

void ChannelDataStore::SetError(int Set, int I, double Value) {
  if (ValidSet(Set) && ValidPoint(I)) WriteError(Set)[I] = Value;
}

void ChannelDataStore::SetErrors(int Set, const double* Values) {
  if (ValidSet(Set) && Values != nullptr) std::copy_n(Values, NumberOfPoints, WriteError(Set));
}

int ChannelDataStore::AddToSet(int Set, double C) {
  if (ValidSlot(Set)) {
    double* y = SlotY(Set);
    for (int i = 0; i < NumberOfPoints; ++i) y[i] += C;
  }
  return NumberOfPoints;
}

// ------------------------------------------------------------ appending sets

int ChannelDataStore::AddSet(const double* X, const double* Y, int Count, ScanHeader Header,
                             double TimeKey) {
  return AddSetWithErrors(X, Y, nullptr, Count, std::move(Header), TimeKey);
}

int ChannelDataStore::AddSetWithErrors(const double* X, const double* Y, const double* Errors,
                                       int Count, ScanHeader Header, double TimeKey) {
  if (Count < 1 || X == nullptr || Y == nullptr) return -1;
  // Time keys rise strictly; NaN and infinities would break that order for good.
  if (!std::isfinite(TimeKey)) return -1;
  if (NumberOfSets >= 1 && !(TimeKey > Headers[NumberOfSets - 1].TimeUsed)) return -1;
  if (NumberOfSets >= MaxSets) return -1;

  const int set = NumberOfSets;
  OfferLargePages(set);
  Headers[set] = std::move(Header);
  ++NumberOfSets;
  const int filled = InterpolateOntoGrid(set, X, Y, Errors, Count);
  if (filled < 0) {
    NumberOfSets = set;
    if (DecreasesSomewhere(X, Count)) LogNonSequential(set);
    return -1;
  }
  if (DebugLevel >= 31) WriteDumpFiles(set, X, Y, Count);
  if (filled == 0) {
    NumberOfSets = set;
    return -1;
  }
  return set;
}

int ChannelDataStore::ReplaceSet(int Set, const double* X, const double* Y, int Count,
                                 ScanHeader Header, double TimeKey) {
  if (!ValidSet(Set) || Count < 1 || X == nullptr || Y == nullptr || !std::isfinite(TimeKey))
    return -1;
  if (Set > 0 && !(TimeKey > Headers[Set - 1].TimeUsed)) return -1;
  if (Set < NumberOfSets - 1 && !(TimeKey < Headers[Set + 1].TimeUsed)) return -1;
  // The series is interpolated into the first free slot (there is always
  // one: 1000 slots hold at most 999 sets), so that a refused series leaves
  // the set untouched.
  const int scratch = NumberOfSets;
  const int filled = InterpolateOntoGrid(scratch, X, Y, nullptr, Count);
  if (filled <= 0) return -1;
  const auto n = static_cast<size_t>(NumberOfPoints);
  std::copy_n(SlotY(scratch), n, SlotY(Set));
  if (FErrorsWritten[static_cast<std::size_t>(scratch)] ||
      FErrorsWritten[static_cast<std::size_t>(Set)])
    std::copy_n(ReadError(scratch), n, WriteError(Set));
  Headers[Set] = std::move(Header);
  return Set;
}

// One forward pass over the grid with a search index that never moves back.
// The input is taken as ascending; runs of equal x (as dc/dt sets have at
// both ends) are passed over, and only an interpolation that would divide by
// an x step of 0, or that yields no finite value, fails. Failures are
// collected without branching and judged once at the end: a failed set is
// taken back whole, so the rest of its slot does not matter.
int ChannelDataStore::InterpolateOntoGrid(int Set, const double* X, const double* Y,
                                          const double* Errors, int Count) {
  const double* grid = FBlock.get();
  double* ys = WriteY(Set);
  // A slot whose errors were never written holds zeros already: a series
  // without errors writes only the tags of the points it leaves empty, and
  // a scan that fills every point touches no error page at all.
  const bool zerosHeld = Errors == nullptr && !FErrorsWritten[static_cast<std::size_t>(Set)];
  double* es = zerosHeld ? SlotError(Set) : WriteError(Set);
  if (Count == NumberOfPoints && (X == grid || std::equal(X, X + Count, grid))) {
    // A series on the grid itself (every scan of a run, every copy of a
    // derived set) is what the loop below would make point by point.
    std::copy_n(Y, Count, ys);
    if (!zerosHeld && Errors != nullptr) std::copy_n(Errors, Count, es);
    if (!zerosHeld && Errors == nullptr) std::fill_n(es, Count, 0.0);
    return Count;
  }
  const double first = X[0];
  const double last = X[Count - 1];
  const double tag = NegativeTag();
  int filled = 0;
  bool failed = false;
  int j = 1;
  for (int k = 0; k < NumberOfPoints; ++k) {
    const double g = grid[k];
    if (k < Count && g == X[k]) {
      ys[k] = Y[k];
      if (!zerosHeld) es[k] = Errors != nullptr ? Errors[k] : 0.0;
      ++filled;
      continue;
    }
    if (g < first || g > last) {
      ys[k] = 0.0;
      if (zerosHeld) WriteError(Set);
      es[k] = OutsideError(Errors, k, Count, tag);
      continue;
    }
    if (Count == 1) {  // inside a one-point range means at that point
      if (g != X[0]) return -1;
      ys[k] = Y[0];
      if (!zerosHeld) es[k] = Errors != nullptr ? Errors[0] : 0.0;
      ++filled;
      continue;
    }
    while (j < Count - 1 && X[j] < g) ++j;
    const double dx = X[j] - X[j - 1];
    const double fraction = (g - X[j - 1]) / dx;
    const double y = Y[j - 1] + (Y[j] - Y[j - 1]) * fraction;
    const double e =
        Errors != nullptr ? Errors[j - 1] + (Errors[j] - Errors[j - 1]) * fraction : 0.0;
    failed = failed || dx == 0.0 || !std::isfinite(y) || !std::isfinite(e);
    ys[k] = y;
    if (!zerosHeld) es[k] = e;
    ++filled;
  }
  return failed ? -1 : filled;
}

void ChannelDataStore::WriteDumpFiles(int Set, const double* X, const double* Y, int Count) const {
  try {
    WriteDumpFile("AddSetoriginal.out", X, Y, Count);
    WriteDumpFile("AddSetinterpolated.out", FBlock.get(), SlotY(Set), NumberOfPoints);
  } catch (...) {
    // A dump that cannot be built is skipped like one that cannot be opened.
  }
}

int ChannelDataStore::CopySetFrom(const ChannelDataStore& Other, int Set) {
  if (Set < 0 || Set >= Other.NumberOfSets) return -1;
  const ScanHeader& header = Other.Headers[Set];
  try {
    return AddSet(Other.GetGrid(), Other.SlotY(Set), Other.NumberOfPoints, header, header.TimeUsed);
  } catch (...) {  // copying the header's texts can fail to allocate
    return -1;
  }
}

// ------------------------------------------------------ interference corrections

// First grid index from 0 to n-2 whose x lies above X, else n-1.
int ChannelDataStore::IndexAbove(double X) const {
  const double* grid = FBlock.get();
  for (int i = 0; i < NumberOfPoints - 1; ++i)
    if (grid[i] > X) return i;
  return NumberOfPoints - 1;
}

// Subtracts the mean of the valid points of the window of W+1 grid points
// ending at the point at X. A set without data at that point is left alone.
bool ChannelDataStore::RemoveJitterFrom(int Set, double X, int W) {
  if (!ValidSet(Set) || NumberOfPoints < 1) return false;
  const int w = std::max(W, 0);  // a negative width would reach past the grid
  const int i = IndexAbove(X);
  const double* ys = SlotY(Set);
  const double* es = ReadError(Set);
  if (!(es[i] >= 0.0)) return false;
  const int start = std::max(0, i - w);
  const int end = std::max(start, std::min(NumberOfPoints - 1, start + w));
  double sum = 0.0;
  int valid = 0;
  for (int p = start; p <= end; ++p) {
    if (!(es[p] >= 0.0)) continue;
    sum += ys[p];
    ++valid;
  }
  const double mean = sum / valid;  // valid >= 1: the point at X is in the window
  if (!std::isfinite(mean)) return false;
  AddToSet(Set, -mean);
  return true;
}

void ChannelDataStore::RemoveJitter(int Set, double X, int W) {
  RemoveJitterFrom(Set, X, W);
}

int ChannelDataStore::RemoveJitterAllSets(double X, int W) {
  int treated = 0;
  for (int set = 0; set < NumberOfSets; ++set)
    if (RemoveJitterFrom(set, X, W)) ++treated;
  return treated;
}

void ChannelDataStore::RemoveJitterAtPoint(int Set, double X) {
  RemoveJitterFrom(Set, X, 0);
}

// Moves the set by the whole number of fringes nearest to its offset from the
// previous set at X: 0.51 and more rounds away from zero, 0.50 towards it.
void ChannelDataStore::FixIntegralFringe(int Set, double X) {
  if (Set < 1 || Set >= NumberOfSets || NumberOfPoints < 1) return;
  const int i = IndexAbove(X);
  if (!(ReadError(Set)[i] >= 0.0) || !(ReadError(Set - 1)[i] >= 0.0)) return;
  const double d = SlotY(Set)[i] - SlotY(Set - 1)[i];
  if (!std::isfinite(d)) return;
  const double fringes = d > 0.0 ? std::floor(d + 0.49) : std::ceil(d - 0.49);
  if (fringes != 0.0) AddToSet(Set, -fringes);
}

void ChannelDataStore::FixIntegralFringeAllSets(double X) {
  for (int set = 1; set < NumberOfSets; ++set) FixIntegralFringe(set, X);
}
