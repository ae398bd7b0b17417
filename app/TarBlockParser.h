#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Reads a tar stream handed over in pieces of any size (data role): collects
// each 512-byte header, checks it, and hands every entry's data to the client
// piece by piece as it arrives, so neither the archive nor an entry is ever
// held in memory whole.
//
// POSIX ustar layout: name at offset 0 (100 bytes), size at 124 (12 octal
// digits), checksum at 148 (8), type flag at 156, magic at 257, prefix at 345
// (155). Blocks of zeros between entries are passed over; one after the
// last entry is the end-of-archive marker.
//
// Names longer than the name field come in an entry of their own before the
// one they name: a pax extended header ('x', its "path" record) or a GNU
// long name ('L'). Both are read here and give the next entry its Name; the
// GNU long link name ('K') is read and dropped. Such an entry larger than
// MaxLongNameEntry is handed to the client like any other.
class TarBlockParser {
 public:
  static constexpr int BlockSize = 512;
  static constexpr long long MaxLongNameEntry = 1 << 20;  // bytes

  struct TEntry {
    std::string Name;  // the long name when one came before, else as TarEntryName gives it
    char TypeFlag = '0';
    long long Size = 0;  // bytes of data after the header
  };

  enum class TEnd {
    teComplete,         // after the end-of-archive marker (a zero block)
    teNoEndMarker,      // after a whole entry (its padding may be missing), with no marker
    teTruncatedHeader,  // inside a header
    teTruncatedData     // inside an entry's data
  };

  // Decides from an entry's header whether its data is wanted (entries of
  // size 0 have none and reach only OnHeader).
  std::function<bool(const TEntry&)> OnHeader;
  // Receives the next piece of a kept entry's data; false stops the parse.
  std::function<bool(const TEntry&, const char* Bytes, size_t Count)> OnData;
  // A kept entry's data is complete; false stops the parse.
  std::function<bool(const TEntry&)> OnEnd;

  // Takes the next piece of the stream; false once the parse has stopped,
  // by a corrupt header (Error says what) or by the client.
  bool Feed(const char* Bytes, size_t Count);
  // Where the stream stopped, after its last piece.
  TEnd End() const;
  bool Stopped() const { return FStopped; }
  // Empty unless a corrupt header stopped the parse.
  const std::string& Error() const { return FError; }
  // The entry last read (the incomplete one when End is teTruncatedData).
  const TEntry& Current() const { return FEntry; }

  // Header fields. ParseOctal reads the octal number of a field of Width
  // bytes: leading blanks are passed over, the digits end at a NUL, a blank
  // or the field's end; -1 when any other character stands in the way.
  static long long ParseOctal(const char* Field, int Width);
  // -1 for a size field that is not an octal number.
  static long long TarEntrySize(const char* Header);
  // Prefix + "//" + name for a ustar header with a prefix, else the name.
  static std::string TarEntryName(const char* Header);
  // The stored checksum equals the sum of the header's bytes, its own field
  // counted as blanks (summed as unsigned or as signed bytes).
  static bool ChecksumMatches(const char* Header);
  // The "path" of a pax extended header's records ("<length> path=<value>\n"),
  // empty when it has none; reading stops at the first malformed record.
  static std::string PaxPath(const std::string& Records);

 private:
  enum class TStage { tsHeader, tsData, tsPadding };
  enum class TRole { trSkip, trClient, trLongName, trLongLink, trPax };

  size_t ReadTarHeader(const char* Bytes, size_t Count);
  size_t ReadData(const char* Bytes, size_t Count);
  size_t SkipPadding(size_t Count);
  void TakeHeader();
  TRole RoleOf(char TypeFlag, long long Size) const;
  void FinishEntry();
  void Corrupt(const std::string& Why);

  TStage FStage = TStage::tsHeader;
  char FHeader[BlockSize] = {};
  size_t FHeaderFill = 0;
  TEntry FEntry;
  TRole FRole = TRole::trSkip;
  std::string FLongEntry;    // data of a long-name or pax entry being read
  std::string FPendingName;  // the name those gave the next entry
  long long FRemaining = 0;  // bytes of data or padding still to come
  bool FAtEndMarker = false;
  bool FStopped = false;
  std::string FError;
};
