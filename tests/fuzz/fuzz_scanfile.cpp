// Feeds arbitrary bytes to the scan-file reader as each of the four scan
// formats, and to the line splitter on its own.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "tests/fuzz/FuzzSanitizerOptions.h"
#include "tests/support/ScanLineOracle.h"
#include "tests/support/ScratchFolder.h"

namespace {

const std::filesystem::path& WorkDir() {
  static const ScratchFolder folder("fuzz-scanfile");
  return folder.Path();
}

void Check(bool Condition) {
  if (!Condition) std::abort();
}

bool WriteFile(const std::string& Path, const uint8_t* Data, size_t Size) {
  std::FILE* file = std::fopen(Path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = Size == 0 || std::fwrite(Data, 1, Size, file) == Size;
  return std::fclose(file) == 0 && written;
}

void CheckRead(BeckmanFile& Reader, int Result, size_t Size) {
  using ReadStatus = BeckmanFile::ReadStatus;
  Check(Result == -1 || Result == static_cast<int>(Size));
  Check((Result != -1) == (Reader.LastReadStatus() == ReadStatus::Read));
  // A regular file that was just written always opens.
  Check(Reader.LastReadStatus() != ReadStatus::CannotOpen &&
        Reader.LastReadStatus() != ReadStatus::NotRegularFile);
  Check(Reader.PointCount >= 0 && Reader.PointCount <= Reader.Capacity());
  if (Result == -1) {
    Check(Reader.PointCount == 0);
    return;
  }
  for (int i = 0; i < Reader.PointCount; ++i) {
    Check(std::isfinite(Reader.Radius()[i]) && std::isfinite(Reader.Value()[i]));
    if (Reader.ThirdColumn() != nullptr) Check(std::isfinite(Reader.ThirdColumn()[i]));
  }
}

// The points of an accepted file are those the plain line-by-line parse
// finds, bit for bit (intensity values come from two numbers and are left
// to the unit tests; their radii are checked).
void CheckAgainstOracle(const BeckmanFile& Reader, const uint8_t* Data, size_t Size, bool Intensity,
                        bool TwoColumns) {
  const int limit = Reader.DataKind == 2 ? 10000 : 2048;
  const std::vector<ScanLineOracle::TPoint> expected = ScanLineOracle::Points(
      std::string(reinterpret_cast<const char*>(Data), Size), limit, !Intensity);
  Check(Reader.PointCount == static_cast<int>(expected.size()));
  for (int i = 0; i < Reader.PointCount; ++i) {
    const ScanLineOracle::TPoint& point = expected[static_cast<size_t>(i)];
    Check(ScanLineOracle::SameBits(Reader.Radius()[i], point.Radius));
    if (Intensity) continue;
    Check(ScanLineOracle::SameBits(Reader.Value()[i], point.First));
    if (TwoColumns) continue;
    const double third = point.HasSecond && std::isfinite(point.Second) ? point.Second : 0.0;
    Check(ScanLineOracle::SameBits(Reader.ThirdColumn()[i], third));
  }
}

void SplitLines(const uint8_t* Data, size_t Size) {
  std::vector<char> text(Data, Data + Size);
  char* const end = text.data() + text.size();
  char* start = text.data();
  char* next = nullptr;
  size_t lines = 0;
  while (BeckmanFile::NextLine(start, next, end) == 1) {
    Check(next > start);
    Check(next <= end);
    start = next;
    Check(++lines <= Size);
  }
  Check(start == end);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > (1u << 20) + 16) return 0;
  static BeckmanFile reused(nullptr);  // a reader used for many files, as on a first load
  const int mode = Size > 0 ? Data[0] % 4 : 0;
  for (const char* extension : {".RA1", ".ri1", ".IP3", ".fi2"}) {
    const std::string path = (WorkDir() / (std::string("scan") + extension)).string();
    if (!WriteFile(path, Data, Size)) return 0;
    const int read = reused.ReadScanFile(path, mode, 0.0);
    CheckRead(reused, read, Size);
    const std::string letters(extension + 1, 2);
    if (read != -1) CheckAgainstOracle(reused, Data, Size, letters == "ri", letters == "IP");
    // A limit of exactly the data's size, and a reader made for this file
    // alone: it takes the arrays the last one gave up, which must show
    // nothing of the files before.
    BeckmanFile exact(nullptr);
    exact.BufferSize = static_cast<int>(Size);
    const int exactRead = exact.ReadScanFile(path, mode, 55000.0);
    CheckRead(exact, exactRead, Size);
    if (exactRead != -1) CheckAgainstOracle(exact, Data, Size, letters == "ri", letters == "IP");
    std::filesystem::remove(path);
  }
  SplitLines(Data, Size);
  return 0;
}
