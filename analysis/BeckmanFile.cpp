#include "analysis/BeckmanFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <system_error>
#include <utility>

#include "platform/MessageBox.h"

namespace {

enum LoadStatus : long { CannotOpen = -1, ReadFailed = -2, TooLarge = -3 };

enum class ScanColumns { RadiusValue, RadiusValueThird, RadiusTwoIntensities };

struct FileCloser {
  void operator()(std::FILE* File) const { std::fclose(File); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

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
  int AllocateCount;
  int MaxPoints;
  ScanColumns Columns;
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
      {"IP", 3, 2048, 2048, ScanColumns::RadiusValue},
      {"RA", 1, 10000, 2048, ScanColumns::RadiusValueThird},
      {"RI", 1, 10000, 2048, ScanColumns::RadiusTwoIntensities},
      {"FI", 2, 10000, 10000, ScanColumns::RadiusValueThird},
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

long BeckmanFile::LoadFile(const std::string& FileName) {
  FileHandle file(std::fopen(FileName.c_str(), "rb"));
  if (!file) return CannotOpen;
  const size_t limit = BufferSize > 0 ? static_cast<size_t>(BufferSize) : 0;
  // The buffer grows to what the files need, up to one byte more than the
  // limit: a scan of a few dozen kilobytes never costs a megabyte of fresh
  // memory.
  size_t count = 0;
  for (;;) {
    if (count == FBufferCapacity && !GrowBuffer(limit + 1)) break;
    const size_t got = std::fread(FBuffer.get() + count, 1, FBufferCapacity - count, file.get());
    count += got;
    if (count < FBufferCapacity) break;
  }
  if (std::ferror(file.get())) return ReadFailed;
  // Refused rather than cut short: a truncated scan would look complete.
  if (count > limit) return TooLarge;
  return static_cast<long>(count);
}

bool BeckmanFile::GrowBuffer(size_t Most) {
  if (FBufferCapacity >= Most) return false;
  constexpr size_t first = 65536;
  const size_t capacity = std::min(Most, std::max(first, FBufferCapacity * 2));
  auto grown = std::make_unique_for_overwrite<char[]>(capacity);
  if (FBufferCapacity > 0) std::memcpy(grown.get(), FBuffer.get(), FBufferCapacity);
  FBuffer = std::move(grown);
  FBufferCapacity = capacity;
  return true;
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
  int taken = 0;
  DataLineCursor line(Cursor, DataEnd);
  for (; taken < Format.MaxPoints && !line.AtEnd(); line.SkipToNextLine()) {
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

int BeckmanFile::ReadLoaded(const std::string& FileName, long Count, int Mode,
                            double ReferenceRpm) {
  FilePath = FileName;
  const ScanFormat* format = FormatOfFileName(FileName);
  if (format == nullptr) {
    PointCount = 0;
    return -1;
  }
  DataKind = format->Kind;
  if (!Allocate(format->AllocateCount)) return -1;

  char* cursor = FBuffer.get();
  const char* dataEnd = cursor + Count;
  TakeHeaderLines(cursor, dataEnd);
  if (Header.ParseScanHeader(ReferenceRpm) != 0) {
    PointCount = 0;
    return -1;
  }
  Header.FullPath = FileName;
  const size_t slash = FileName.find_last_of('/');
  Header.FileName = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
  TakePoints(*format, cursor, dataEnd, Mode);
  return static_cast<int>(Count);
}

int BeckmanFile::ReadScanFile(const std::string& FileName, int Mode, double ReferenceRpm) {
  try {
    const long count = LoadFile(FileName);
    if (count == CannotOpen) return -1;
    if (count < 0) {
      PointCount = 0;
      return -1;
    }
    return ReadLoaded(FileName, count, Mode, ReferenceRpm);
  } catch (...) {
    PointCount = 0;
    return -1;
  }
}
