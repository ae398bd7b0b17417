#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "analysis/Gofs2004.h"
#include "analysis/KorvaleScanData.h"

// Reader of one scan file (data role): two header lines, then one point per
// line. The extension's two letters after the dot give the format: IP
// interference, RA absorbance, RI intensity, FI fluorescence (any case).
class BeckmanFile : public KorvaleScanData {
 public:
  // What the last ReadScanFile came to. CannotOpen and NotRegularFile
  // change nothing; the others after Read leave PointCount 0.
  enum class ReadStatus {
    Read,            // the file was read; its points are in the arrays
    CannotOpen,      // missing, not permitted, or a socket
    NotRegularFile,  // a folder, FIFO or device (links followed); never waited on
    TooLarge,        // larger than BufferSize
    ReadFailed,      // the system's read failed
    UnknownKind,     // the name has no scan extension
    HeaderRefused,   // the header lines are not those of a scan
    OutOfMemory,     // the buffer or the arrays could not be had
  };

  explicit BeckmanFile(TComponent* AOwner);
  ~BeckmanFile() override;

  // Reads FileName into the arrays and Header. Mode matters for intensity
  // files only: 0 log10(I1/I2), 1 log10(1000/I1), 2 log10(1000/I2).
  // ReferenceRpm 0 means there is no reference speed (see ParseScanHeader).
  // Returns the number of bytes read, or -1 when the file cannot be opened
  // or is not a regular file (nothing changes), is larger than BufferSize,
  // has no known extension, has a refused header, or the read fails
  // otherwise (PointCount is then 0); LastReadStatus() tells which. Never
  // waits for a writer: only regular files are read.
  int ReadScanFile(const std::string& FileName, int Mode, double ReferenceRpm);

  // Splits the line at Buffer out of the data ending at DataEnd in place: its
  // CR, LF or CR LF becomes NUL. Returns 1 with NextStart at the following
  // line (DataEnd after an unterminated last line), 0 when Buffer is at
  // DataEnd, -1 for a null Buffer. Never writes at or beyond DataEnd.
  static int NextLine(char* Buffer, char*& NextStart, const char* DataEnd);

  ReadStatus LastReadStatus() const { return FLastReadStatus; }

  int BufferSize = 1048576;  // bytes; larger files are refused
  int DebugLevel = 5;        // above 10 line 1 is shown, above 20 line 2 too
  ScanHeader Header;

 private:
  struct ScanFormat;
  class ReadBuffer;

  // Reads the whole file into Buffer; Count is the number of bytes.
  ReadStatus LoadFile(const std::string& FileName, ReadBuffer& Buffer, size_t& Count) const;
  static const ScanFormat* FormatOfFileName(std::string_view FileName);
  // The most points Count bytes of a file in Format can give.
  static int PointsToHold(const ScanFormat& Format, size_t Count);
  void TakeHeaderLines(char*& Cursor, const char* DataEnd);
  void TakePoints(const ScanFormat& Format, const char* Cursor, const char* DataEnd, int Mode);
  ReadStatus ReadLoaded(const std::string& FileName, char* Data, size_t Count, int Mode,
                        double ReferenceRpm);
  ReadStatus Read(const std::string& FileName, int Mode, double ReferenceRpm, size_t& Count);

  ReadStatus FLastReadStatus = ReadStatus::Read;
};
