#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "analysis/Gofs2004.h"
#include "analysis/KorvaleScanData.h"

// Reader of one scan file (data role): two header lines, then one point per
// line. The extension's two letters after the dot give the format: IP
// interference, RA absorbance, RI intensity, FI fluorescence (any case).
class BeckmanFile : public KorvaleScanData {
 public:
  explicit BeckmanFile(TComponent* AOwner);
  ~BeckmanFile() override;

  // Reads FileName into the arrays and Header. Mode matters for intensity
  // files only: 0 log10(I1/I2), 1 log10(1000/I1), 2 log10(1000/I2).
  // ReferenceRpm 0 means there is no reference speed (see ParseScanHeader).
  // Returns the number of bytes read, or -1 when the file cannot be opened
  // (nothing changes), is larger than BufferSize, has no known extension, has
  // a refused header, or the read fails otherwise (PointCount is then 0).
  int ReadScanFile(const std::string& FileName, int Mode, double ReferenceRpm);

  // Splits the line at Buffer out of the data ending at DataEnd in place: its
  // CR, LF or CR LF becomes NUL. Returns 1 with NextStart at the following
  // line (DataEnd after an unterminated last line), 0 when Buffer is at
  // DataEnd, -1 for a null Buffer. Never writes at or beyond DataEnd.
  static int NextLine(char* Buffer, char*& NextStart, const char* DataEnd);

  int BufferSize = 1048576;  // bytes; larger files are refused
  int DebugLevel = 5;        // above 10 line 1 is shown, above 20 line 2 too
  ScanHeader Header;

 private:
  struct ScanFormat;

  // Bytes read, or a negative LoadStatus.
  long LoadFile(const std::string& FileName);
  static const ScanFormat* FormatOfFileName(std::string_view FileName);
  void TakeHeaderLines(char*& Cursor, const char* DataEnd);
  void TakePoints(const ScanFormat& Format, const char* Cursor, const char* DataEnd, int Mode);
  int ReadLoaded(const std::string& FileName, long Count, int Mode, double ReferenceRpm);

  // Grows the buffer, keeping what it holds, up to Most bytes; false when
  // it holds that many already.
  bool GrowBuffer(size_t Most);

  // Reused for every file; grows up to one byte more than BufferSize, so
  // that a file that does not fit can be told from one that fills it exactly.
  std::unique_ptr<char[]> FBuffer;
  size_t FBufferCapacity = 0;
};
