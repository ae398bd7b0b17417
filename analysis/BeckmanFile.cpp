#include "analysis/BeckmanFile.h"

#include <fcntl.h>
#include <sanitizer/asan_interface.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "platform/MessageBox.h"

namespace {

enum class ScanColumns { RadiusValue, RadiusValueThird, RadiusTwoIntensities };

class FileDescriptor {
 public:
  explicit FileDescriptor(int Descriptor) : FDescriptor(Descriptor) {}
  ~FileDescriptor() {
    if (FDescriptor >= 0) ::close(FDescriptor);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return FDescriptor; }

 private:
  const int FDescriptor;
};

// The memory of a read buffer, while no read holds it.
struct BufferMemory {
  std::unique_ptr<char[]> Data;
  size_t Capacity = 0;
};

// Set when the thread's buffer has been destroyed: a reader with static
// storage reading after it reads into memory of its own.
thread_local bool ThreadBufferGone = false;

BufferMemory* ThreadBuffer() {
  struct Slot {
    BufferMemory Memory;
    ~Slot() { ThreadBufferGone = true; }
  };
  if (ThreadBufferGone) return nullptr;
  thread_local Slot slot;
  return &slot.Memory;
}

// Larger buffers are freed after their read: one rare huge file should not
// hold its memory for the thread's life.
constexpr size_t KeptBufferBytes = 1048577;
// The least a buffer grows by when a file turns out longer than it was.
constexpr size_t FirstGrowth = 65536;

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The line from Start up to its NUL (a NUL inside the file ends it early, as
// for any C string) and never beyond the next line.
std::string_view LineText(const char* Start, const char* Next) {
  const auto* nul =
      static_cast<const char*>(std::memchr(Start, '\0', static_cast<size_t>(Next - Start)));
  return {Start, static_cast<size_t>((nul != nullptr ? nul : Next) - Start)};
}

double IgnoreTag() {
  static const double tag = GofsSettings().DefaultIgnoreTag;
  return tag;
}

// Value of an intensity point; false when it has to be ignored (a ratio or
// logarithm that does not give a finite number).
bool IntensityValue(double I1, double I2, int Mode, double& Value) {
  Value = 0.0;
  // Negated so that NaN intensities count as not positive.
  if (!(I1 > 0.0) || !(I2 > 0.0)) return true;
  double computed = 0.0;
  switch (Mode) {
    case 0: computed = std::log10(I1 / I2); break;
    case 1: computed = std::log10(1000.0 / I1); break;
    case 2: computed = std::log10(1000.0 / I2); break;
    default: return true;  // no such mode: value 0 rather than nothing
  }
  if (!std::isfinite(computed)) return false;
  Value = computed;
  return true;
}

// Reads the data lines where they lie in the loaded file, without
// splitting them first: each number is converted as ScanDouble converts it
// (blanks skipped, one sign, then std::from_chars), and the end of the line
// is looked for once, after its numbers. Nothing a number may hold (nor a
// blank) is a CR, LF or NUL, so a number never runs into the next line and
// a NUL ends a line's numbers as it ends a C string; lines end at CR LF, CR
// or LF, as NextLine splits them.
class DataLineCursor {
 public:
  DataLineCursor(const char* Start, const char* End) : P(Start), End(End) {}

  bool AtEnd() const { return P >= End; }

  // The next number of the line; false, and nothing consumed that matters,
  // when there is none.
  bool Number(double& Value) {
    const char* p = P;
    while (p < End && IsBlank(*p)) ++p;
    bool negative = false;
    if (p < End && (*p == '+' || *p == '-')) {
      negative = *p == '-';
      ++p;
      // A second sign ("+-1") is not a number for scanf either.
      if (p < End && (*p == '+' || *p == '-')) return false;
    }
    double parsed = 0.0;
    const std::from_chars_result result =
        std::from_chars(p, End, parsed, std::chars_format::general);
    if (result.ec != std::errc()) return false;
    Value = negative ? -parsed : parsed;
    P = result.ptr;
    return true;
  }

  void SkipToNextLine() {
    while (P < End && *P != '\r' && *P != '\n') ++P;
    if (P == End) return;
    const bool carriageReturn = *P++ == '\r';
    if (carriageReturn && P < End && *P == '\n') ++P;
  }

 private:
  // White space inside a line: CR and LF end it.
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

  const char* P;
  const char* const End;
};

}  // namespace

struct BeckmanFile::ScanFormat {
  char Letters[3];
  int Kind;
  int MaxPoints;
  ScanColumns Columns;
};

// The memory one file is read into. Only what it holds during one read
// matters, so all readers on a thread share one: a reader made for a single
// file then reads into pages written before, not into fresh ones, which cost
// a fault each (microseconds on a virtual machine). A read begun
// while another is under way on the thread (from a message box's hook) gets
// memory of its own.
class BeckmanFile::ReadBuffer {
 public:
  ReadBuffer() {
    if (BufferMemory* shared = ThreadBuffer()) std::swap(FMemory, *shared);
  }
  ~ReadBuffer() {
    ASAN_UNPOISON_MEMORY_REGION(FMemory.Data.get(), FMemory.Capacity);
    BufferMemory* shared = ThreadBuffer();
    if (shared != nullptr && FMemory.Capacity <= KeptBufferBytes &&
        FMemory.Capacity >= shared->Capacity)
      std::swap(FMemory, *shared);
  }
  ReadBuffer(const ReadBuffer&) = delete;
  ReadBuffer& operator=(const ReadBuffer&) = delete;

  char* Data() const { return FMemory.Data.get(); }
  size_t Capacity() const { return FMemory.Capacity; }

  // At least Bytes (not more than Most), contents dropped. An eighth more:
  // the scans of a run differ a little in length, and should not each need
  // a new buffer.
  void Reserve(size_t Bytes, size_t Most) {
    if (FMemory.Capacity >= Bytes) return;
    const size_t capacity = std::min(Most, Bytes + Bytes / 8);
    FMemory = BufferMemory();
    FMemory.Data = std::make_unique_for_overwrite<char[]>(capacity);
    FMemory.Capacity = capacity;
  }

  // Larger, keeping what it holds, up to Most; for a file that grew after
  // its size was taken.
  void Grow(size_t Most) {
    const size_t capacity = std::min(Most, std::max(FirstGrowth, FMemory.Capacity * 2));
    if (capacity <= FMemory.Capacity) return;
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (FMemory.Capacity > 0) std::memcpy(grown.get(), FMemory.Data.get(), FMemory.Capacity);
    FMemory.Data = std::move(grown);
    FMemory.Capacity = capacity;
  }

  // Nothing from Count on was read: the address sanitizer then reports any
  // look beyond the data, however large the shared buffer has grown.
  void MarkEnd(size_t Count) {
    if (Count < FMemory.Capacity)
      ASAN_POISON_MEMORY_REGION(FMemory.Data.get() + Count, FMemory.Capacity - Count);
  }

 private:
  BufferMemory FMemory;
};

BeckmanFile::BeckmanFile(TComponent* AOwner) : KorvaleScanData(AOwner) {}

BeckmanFile::~BeckmanFile() = default;

int BeckmanFile::NextLine(char* Buffer, char*& NextStart, const char* DataEnd) {
  if (Buffer == nullptr) return -1;
  if (Buffer >= DataEnd) return 0;
  char* p = Buffer;
  // One comparison per ordinary character: CR and LF are both below 14.
  while (p < DataEnd && (static_cast<unsigned char>(*p) > '\r' || (*p != '\r' && *p != '\n'))) ++p;
  if (p == DataEnd) {
    NextStart = p;
    return 1;
  }
  const bool carriageReturn = *p == '\r';
  *p++ = '\0';
  if (carriageReturn && p < DataEnd && *p == '\n') *p++ = '\0';
  NextStart = p;
  return 1;
}

const BeckmanFile::ScanFormat* BeckmanFile::FormatOfFileName(std::string_view FileName) {
  static constexpr ScanFormat formats[] = {
      {"IP", 3, 2048, ScanColumns::RadiusValue},
      {"RA", 1, 2048, ScanColumns::RadiusValueThird},
      {"RI", 1, 2048, ScanColumns::RadiusTwoIntensities},
      {"FI", 2, 10000, ScanColumns::RadiusValueThird},
  };
  const size_t slash = FileName.find_last_of('/');
  const std::string_view name =
      slash == std::string_view::npos ? FileName : FileName.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos) return nullptr;
  // The third character, the cell digit, must be there but does not matter.
  const std::string_view extension = name.substr(dot + 1);
  if (extension.size() < 3) return nullptr;
  const char first = UpperAscii(extension[0]);
  const char second = UpperAscii(extension[1]);
  for (const ScanFormat& format : formats)
    if (format.Letters[0] == first && format.Letters[1] == second) return &format;
  return nullptr;
}

BeckmanFile::ReadStatus BeckmanFile::LoadFile(const std::string& FileName, ReadBuffer& Buffer,
                                              size_t& Count) const {
  // Opening a FIFO to read waits for a writer unless it is not to block; a
  // terminal must not become the program's either.
  const FileDescriptor file(::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) return ReadStatus::CannotOpen;
  // What was opened is checked, not the name, which may lead elsewhere by now.
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return ReadStatus::CannotOpen;
  if (!S_ISREG(info.st_mode)) return ReadStatus::NotRegularFile;
  // A regular file is read as any other: no file system may answer "try
  // again" (of the flags this can change, only O_NONBLOCK was set).
  if (::fcntl(file.Get(), F_SETFL, 0) != 0) return ReadStatus::ReadFailed;

  const size_t limit = BufferSize > 0 ? static_cast<size_t>(BufferSize) : 0;
  const size_t size = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  // Refused rather than cut short: a truncated scan would look complete.
  if (size > limit) return ReadStatus::TooLarge;
  // Room for one byte more than the file holds: the file may grow while it
  // is read, and one byte more than the limit tells a file that does not
  // fit from one that fills it exactly.
  const size_t most = limit + 1;
  Buffer.Reserve(size + 1, most);
  Count = 0;
  while (Count < most) {
    if (Count == Buffer.Capacity()) Buffer.Grow(most);
    const size_t room = std::min(Buffer.Capacity(), most) - Count;
    const ssize_t got = ::read(file.Get(), Buffer.Data() + Count, room);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return ReadStatus::ReadFailed;
    }
    Count += static_cast<size_t>(got);
  }
  if (Count > limit) return ReadStatus::TooLarge;
  Buffer.MarkEnd(Count);
  return ReadStatus::Read;
}

int BeckmanFile::PointsToHold(const ScanFormat& Format, size_t Count) {
  // A point takes at least four bytes: two one-character numbers, the sign
  // of the second between them ("1-2"), and the line's end (but for the
  // last line). A short file so needs no whole table.
  return static_cast<int>(std::min(static_cast<size_t>(Format.MaxPoints), (Count + 1) / 4));
}

void BeckmanFile::TakeHeaderLines(char*& Cursor, const char* DataEnd) {
  char* next = Cursor;
  Header.TitleLine.clear();
  Header.HeaderLine.clear();
  if (NextLine(Cursor, next, DataEnd) == 1) {
    Header.TitleLine = LineText(Cursor, next);
    Cursor = next;
  }
  if (NextLine(Cursor, next, DataEnd) == 1) {
    Header.HeaderLine = LineText(Cursor, next);
    Cursor = next;
  }
  if (DebugLevel > 10) ShowMessageBox(Header.TitleLine);
  if (DebugLevel > 20) ShowMessageBox(Header.HeaderLine);
}

void BeckmanFile::TakePoints(const ScanFormat& Format, const char* Cursor, const char* DataEnd,
                             int Mode) {
  double* radius = Radius();
  double* value = Value();
  double* third = ThirdColumn();
  const bool hasThird = Format.Columns != ScanColumns::RadiusValue;
  // The arrays hold every point the data can give; the bound is kept anyway.
  const int most = std::min(Format.MaxPoints, Capacity());
  int taken = 0;
  DataLineCursor line(Cursor, DataEnd);
  for (; taken < most && !line.AtEnd(); line.SkipToNextLine()) {
    // A line without a radius and a value (blank, cut off, not numbers) is
    // not a point: counting it would add a point at radius 0.
    double r = 0.0;
    double first = 0.0;
    double second = 0.0;
    if (!line.Number(r) || !line.Number(first) || !std::isfinite(r)) continue;
    if (hasThird && !line.Number(second)) second = 0.0;
    if (Format.Columns == ScanColumns::RadiusTwoIntensities) {
      double computed = 0.0;
      const bool usable = IntensityValue(first, second, Mode, computed);
      value[taken] = computed;
      third[taken] = usable ? 0.0 : IgnoreTag();
    } else {
      if (!std::isfinite(first)) continue;
      value[taken] = first;
      if (hasThird) third[taken] = std::isfinite(second) ? second : 0.0;
    }
    radius[taken] = r;
    ++taken;
  }
  PointCount = taken;
}

BeckmanFile::ReadStatus BeckmanFile::ReadLoaded(const std::string& FileName, char* Data,
                                                size_t Count, int Mode, double ReferenceRpm) {
  FilePath = FileName;
  const ScanFormat* format = FormatOfFileName(FileName);
  if (format == nullptr) return ReadStatus::UnknownKind;
  DataKind = format->Kind;
  if (!Reserve(PointsToHold(*format, Count))) return ReadStatus::OutOfMemory;

  char* cursor = Data;
  const char* dataEnd = Data + Count;
  TakeHeaderLines(cursor, dataEnd);
  if (Header.ParseScanHeader(ReferenceRpm) != 0) return ReadStatus::HeaderRefused;
  Header.FullPath = FileName;
  const size_t slash = FileName.find_last_of('/');
  Header.FileName = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
  TakePoints(*format, cursor, dataEnd, Mode);
  return ReadStatus::Read;
}

BeckmanFile::ReadStatus BeckmanFile::Read(const std::string& FileName, int Mode,
                                          double ReferenceRpm, size_t& Count) {
  ReadBuffer buffer;
  const ReadStatus loaded = LoadFile(FileName, buffer, Count);
  if (loaded != ReadStatus::Read) return loaded;
  return ReadLoaded(FileName, buffer.Data(), Count, Mode, ReferenceRpm);
}

int BeckmanFile::ReadScanFile(const std::string& FileName, int Mode, double ReferenceRpm) {
  size_t count = 0;
  try {
    FLastReadStatus = Read(FileName, Mode, ReferenceRpm, count);
  } catch (...) {
    // Only memory can run out here: buffers, arrays and header texts.
    FLastReadStatus = ReadStatus::OutOfMemory;
  }
  switch (FLastReadStatus) {
    case ReadStatus::Read: return static_cast<int>(count);
    case ReadStatus::CannotOpen:
    case ReadStatus::NotRegularFile: return -1;
    default: PointCount = 0; return -1;
  }
}
