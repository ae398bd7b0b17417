#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Unpacks a gzip-compressed tar archive of scan files (logic role) into a
// folder beside the archive named after it, with a folder per cell, optical
// system and (absorbance, intensity) wavelength, so the run-directory walk
// finds the channels. Scan files are written as text with CR LF line ends.
//
// The archive comes from outside: it is inflated, read and written as a
// stream, so memory does not grow with the archive or its members; only
// regular files (of at most MaxMemberSize bytes) are written, under names
// (long ones included) checked to stay inside the target; an archive that
// is damaged, truncated, lacks its end marker or holds entries that were
// not written gives false, and the log says why.
//
// A file already in the target under a member's name (say from an earlier
// extraction) is replaced once the member has been written whole; anything
// else there (a link, a FIFO, a folder) is left as it is and the member is
// not written. A member that cannot be written is named with the reason and
// the members after it still go on. Members of the archive that land on the
// same file leave the later one, as extracting the archive in order would.
// "Expanded N files" counts the files written, each once.
class TarExtractor {
 public:
  using TLog = std::function<void(const QString& Line)>;
  // Bytes of the inflated archive in order; false stops the inflation.
  using TSink = std::function<bool(const char* Bytes, size_t Count)>;

  enum class TGunzipResult {
    grOk,          // the whole gzip stream was inflated and checked
    grNotGzip,     // nothing could be inflated
    grDamaged,     // the data went wrong after a start
    grTruncated,   // the file ended before the stream did
    grUnreadable,  // the file could not be opened or read
    grStopped      // the sink stopped it
  };

  // Larger entries are skipped: a scan file is a few hundred kilobytes.
  static constexpr long long MaxMemberSize = 64LL << 20;

  explicit TarExtractor(TLog Log);

  // Unpacks the ".gz" archive at ArchivePath into TargetRoot(ArchivePath).
  bool ExtractTarGz(const QString& ArchivePath);
  // The archive's folder + the archive's file name up to its first ".".
  static QString TargetRoot(const QString& ArchivePath);

  TGunzipResult GunzipToStream(const QString& ArchivePath, const TSink& Sink) const;

  // Folder below the root for a member named BaseName whose text begins with
  // Lines (its first two lines suffice):
  // "Cell<c>/Absorbance/<w>", "Cell<c>/Intensity/<w>" ("Cell<c>" without a
  // wavelength), "Cell<c>/Interference", "Cell<c>/Fluorescence", or empty
  // for the root itself (another extension, fewer than two lines, or no cell).
  static std::string TarTargetSubdir(const std::string& BaseName,
                                     const std::vector<std::string>& Lines);
  // The third character of a scan's second line when it is a digit, else
  // empty.
  static std::string ScanCellNumber(const std::string& Line);
  // The three characters ending two before the end of a scan's second line;
  // empty when they read as an integer outside 190 to 650, or when they
  // cannot name a folder (a path delimiter, a control character, "." or "..").
  static std::string ScanWavelength(const std::string& Line);

 private:
  TLog FLog;
};
