#include "app/TarExtractor.h"

#include "app/ExtractionTarget.h"
#include "app/TarBlockParser.h"
#include "app/TarMemberWriter.h"

#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <unordered_set>

namespace {

constexpr size_t InputChunk = 64 * 1024;    // bytes read from the archive at a time
constexpr size_t OutputChunk = 256 * 1024;  // bytes inflated at a time

enum class TMemberKind { mkRegular, mkDirectory, mkExtendedHeader, mkLongName, mkLink, mkOther };

TMemberKind KindOf(char TypeFlag) {
  switch (TypeFlag) {
    case '0':
    case '\0':
    case '7': return TMemberKind::mkRegular;
    case '5': return TMemberKind::mkDirectory;
    case 'x':
    case 'g': return TMemberKind::mkExtendedHeader;
    case 'L':
    case 'K': return TMemberKind::mkLongName;
    case '1':
    case '2': return TMemberKind::mkLink;
    default: return TMemberKind::mkOther;
  }
}

bool IsControl(char C) {
  const auto u = static_cast<unsigned char>(C);
  return u < 0x20 || u == 0x7F;
}

// A name that can only mean one file inside its folder.
bool IsSafeName(const std::string& Name) {
  return !Name.empty() && Name != "." && Name != ".." &&
         std::none_of(Name.begin(), Name.end(),
                      [](char c) { return c == '/' || c == '\\' || IsControl(c); });
}

std::string BaseNameOf(const std::string& Name) {
  const size_t slash = Name.rfind('/');
  return slash == std::string::npos ? Name : Name.substr(slash + 1);
}

// A member name as the log shows it: control characters as "?".
QString Shown(const std::string& Name) {
  std::string text = Name;
  std::replace_if(text.begin(), text.end(), IsControl, '?');
  return QString::fromUtf8(text);
}

// " -12", "280": blanks before an optional sign and digits, nothing after.
bool ReadsAsInteger(const std::string& Text, long& Value) {
  size_t i = 0;
  while (i < Text.size() && Text[i] == ' ') ++i;
  const bool negative = i < Text.size() && Text[i] == '-';
  if (i < Text.size() && (Text[i] == '-' || Text[i] == '+')) ++i;
  if (i == Text.size()) return false;
  long value = 0;
  for (; i < Text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(Text[i]))) return false;
    value = value * 10 + (Text[i] - '0');
  }
  Value = negative ? -value : value;
  return true;
}

std::string Lower(std::string Text) {
  std::transform(Text.begin(), Text.end(), Text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return Text;
}

std::string ToBytes(const QString& Path) {
  return QFile::encodeName(Path).toStdString();
}

// What one archive's extraction has done so far. A member that cannot be
// written is named in the log with the reason, and the members after it go
// on: one bad name or a full disk should not hide what else is missing.
class ExtractionRun {
 public:
  ExtractionRun(const TarExtractor::TLog& Log, const ExtractionTarget& Target)
      : FLog(Log), FTarget(Target) {}

  bool AcceptHeader(const TarBlockParser::TEntry& Entry);
  void TakeData(const char* Bytes, size_t Count);
  void EndMember();

  int Count = 0;     // files written (each once, however often the archive names it)
  int Replaced = 0;  // of those, files that took the place of one already there
  int Refused = 0;   // entries with data that were not written

 private:
  void Refuse(const QString& Line) {
    FLog(Line);
    ++Refused;
  }
  // Logs how the current member ended and lets its writer go.
  void Finished(ExtractionTarget::TWrite Result);

  const TarExtractor::TLog& FLog;
  const ExtractionTarget& FTarget;
  // The member being written; one that is left here unfinished is removed.
  std::optional<TarMemberWriter> FMember;
  std::string FMemberName;  // as the archive names it
  // The files written so far, below the root: a later member of the same
  // place replaces the file of an earlier one, as extracting the archive in
  // order would, and is said so. It grows only with files put on the disk.
  std::unordered_set<std::string> FWritten;
};

bool ExtractionRun::AcceptHeader(const TarBlockParser::TEntry& Entry) {
  const QString name = Shown(Entry.Name);
  switch (KindOf(Entry.TypeFlag)) {
    case TMemberKind::mkDirectory: return false;
    case TMemberKind::mkExtendedHeader: FLog("Skipped extended header " + name); return false;
    case TMemberKind::mkLongName: FLog("Skipped long-name header " + name); return false;
    case TMemberKind::mkLink: Refuse("Skipped link " + name); return false;
    case TMemberKind::mkOther: Refuse("Skipped " + name + ": not a regular file"); return false;
    case TMemberKind::mkRegular: break;
  }
  if (Entry.Size == 0) return false;
  if (!IsSafeName(BaseNameOf(Entry.Name))) {
    Refuse("Refused unsafe file name " + name);
    return false;
  }
  if (Entry.Size > TarExtractor::MaxMemberSize) {
    Refuse("Skipped " + name + ": larger than 64 MiB");
    return false;
  }
  FMember.emplace(FTarget, BaseNameOf(Entry.Name));
  FMemberName = Entry.Name;
  return true;
}

void ExtractionRun::TakeData(const char* Bytes, size_t Count) {
  // The rest of a member that will not be written is passed over.
  if (FMember && !FMember->Append(Bytes, Count)) Finished(FMember->Result());
}

void ExtractionRun::EndMember() {
  if (FMember) Finished(FMember->Finish());
}

void ExtractionRun::Finished(ExtractionTarget::TWrite Result) {
  using W = ExtractionTarget::TWrite;
  const std::string& subdir = FMember->Subdir();
  const std::string& base = FMember->BaseName();
  const std::string path = FTarget.PathOf(subdir, base);
  const std::string notWritten = FMember->Error() + "; " + FMemberName + " was not written";
  switch (Result) {
    case W::twWritten:
    case W::twReplaced:
    case W::twReplacedLinked:
      if (!FWritten.insert(subdir.empty() ? base : subdir + "/" + base).second) {
        FLog(Shown(FMemberName) + " replaces the earlier member of this archive at " + Shown(path));
        break;
      }
      ++Count;
      if (Result != W::twWritten) ++Replaced;
      if (Result == W::twReplacedLinked)
        FLog("Replaced " + Shown(path) + "; its other hard links keep the earlier data");
      break;
    case W::twObstructed: Refuse(Shown(notWritten)); break;
    case W::twFolderFailed:
      FLog("Failed to create path: " +
           Shown(subdir.empty() ? FTarget.Root() : FTarget.Root() + "/" + subdir));
      Refuse("    " + Shown(notWritten));
      break;
    case W::twWriteFailed:
      FLog("Failed to write " + Shown(path));
      Refuse("    " + Shown(notWritten));
      break;
  }
  FMember.reset();
}

// Frees the inflate state however the inflation ends.
struct InflateStream {
  InflateStream() { Ready = inflateInit2(&Stream, 16 + MAX_WBITS) == Z_OK; }
  ~InflateStream() {
    if (Ready) inflateEnd(&Stream);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
  z_stream Stream{};
  bool Ready = false;
};

// Logs how the archive ended; true when it ended whole.
bool ReportEnd(const TarExtractor::TLog& Log, TarExtractor::TGunzipResult Result,
               const TarBlockParser& Parser, const QString& Path) {
  using R = TarExtractor::TGunzipResult;
  switch (Result) {
    case R::grOk: break;
    case R::grNotGzip: Log(Path + " is not a tar.gz file"); return false;
    case R::grDamaged: Log("Damaged gzip data in " + Path); return false;
    case R::grTruncated: Log("Truncated archive " + Path); return false;
    case R::grUnreadable: Log("Cannot read " + Path); return false;
    case R::grStopped:
      if (!Parser.Error().empty())
        Log("Corrupt tar header in " + Path + ": " + QString::fromStdString(Parser.Error()));
      return false;
  }
  switch (Parser.End()) {
    case TarBlockParser::TEnd::teComplete: return true;
    case TarBlockParser::TEnd::teNoEndMarker:
      Log(Path + " ends without its end marker and may be incomplete");
      return false;
    case TarBlockParser::TEnd::teTruncatedHeader: Log("Truncated archive " + Path); return false;
    case TarBlockParser::TEnd::teTruncatedData:
      Log("Truncated archive " + Path + ": " + Shown(Parser.Current().Name) + " is incomplete");
      return false;
  }
  return false;
}

}  // namespace

TarExtractor::TarExtractor(TLog Log) : FLog(std::move(Log)) {}

QString TarExtractor::TargetRoot(const QString& ArchivePath) {
  const QFileInfo info(ArchivePath);
  const QString name = info.fileName();
  const qsizetype dot = name.indexOf(u'.');
  const QString stem = dot >= 0 ? name.left(dot) : name;
  return stem.isEmpty() ? info.absolutePath() : info.absolutePath() + u'/' + stem;
}

bool TarExtractor::ExtractTarGz(const QString& ArchivePath) {
  if (!ArchivePath.endsWith(QStringLiteral(".gz"))) {
    FLog(ArchivePath + " is not a .gz file");
    return false;
  }
  try {
    const QFileInfo info(ArchivePath);
    const QString root = TargetRoot(ArchivePath);
    const QString stem = root == info.absolutePath() ? QString() : QFileInfo(root).fileName();
    const ExtractionTarget target(ToBytes(info.absolutePath()), ToBytes(stem));
    ExtractionRun run(FLog, target);
    TarBlockParser parser;
    parser.OnHeader = [&](const TarBlockParser::TEntry& e) { return run.AcceptHeader(e); };
    parser.OnData = [&](const TarBlockParser::TEntry&, const char* p, size_t n) {
      run.TakeData(p, n);
      return true;
    };
    parser.OnEnd = [&](const TarBlockParser::TEntry&) {
      run.EndMember();
      return true;
    };
    const TGunzipResult result =
        GunzipToStream(ArchivePath, [&](const char* p, size_t n) { return parser.Feed(p, n); });
    const bool whole = ReportEnd(FLog, result, parser, ArchivePath);
    if (run.Replaced > 0)
      FLog(QStringLiteral("Replaced %1 files that were already in %2").arg(run.Replaced).arg(root));
    if (whole && run.Refused == 0) {
      FLog(QStringLiteral("Expanded %1 files from %2").arg(run.Count).arg(ArchivePath));
      return true;
    }
    if (run.Count > 0)
      FLog(QStringLiteral("Unpacked only %1 files from %2").arg(run.Count).arg(ArchivePath));
  } catch (const std::exception& e) {
    FLog(QString::fromUtf8(e.what()));
  }
  return false;
}

TarExtractor::TGunzipResult TarExtractor::GunzipToStream(const QString& ArchivePath,
                                                         const TSink& Sink) const {
  QFile file(ArchivePath);
  if (!file.open(QIODevice::ReadOnly)) return TGunzipResult::grUnreadable;
  InflateStream inflater;
  if (!inflater.Ready) return TGunzipResult::grDamaged;
  z_stream& s = inflater.Stream;
  const auto input = std::make_unique_for_overwrite<char[]>(InputChunk);
  const auto output = std::make_unique_for_overwrite<char[]>(OutputChunk);
  bool produced = false;
  for (;;) {
    if (s.avail_in == 0) {
      const qint64 n = file.read(input.get(), InputChunk);
      if (n < 0) return TGunzipResult::grUnreadable;
      if (n == 0) return produced ? TGunzipResult::grTruncated : TGunzipResult::grNotGzip;
      s.next_in = reinterpret_cast<Bytef*>(input.get());
      s.avail_in = static_cast<uInt>(n);
    }
    s.next_out = reinterpret_cast<Bytef*>(output.get());
    s.avail_out = static_cast<uInt>(OutputChunk);
    const int status = inflate(&s, Z_NO_FLUSH);
    const size_t have = OutputChunk - s.avail_out;
    if (have > 0) {
      produced = true;
      if (!Sink(output.get(), have)) return TGunzipResult::grStopped;
    }
    if (status == Z_STREAM_END) return TGunzipResult::grOk;
    if (status != Z_OK && status != Z_BUF_ERROR)
      return produced ? TGunzipResult::grDamaged : TGunzipResult::grNotGzip;
  }
}

std::string TarExtractor::TarTargetSubdir(const std::string& BaseName,
                                          const std::vector<std::string>& Lines) {
  if (Lines.size() < 2) return std::string();
  const std::string cell = ScanCellNumber(Lines[1]);
  if (cell.empty()) return std::string();
  const size_t dot = BaseName.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : Lower(BaseName.substr(dot));
  const std::string folder = "Cell" + cell;
  auto withWavelength = [&](const char* System) {
    const std::string w = ScanWavelength(Lines[1]);
    return w.empty() ? folder : folder + "/" + System + "/" + w;
  };
  if (extension.find(".ra") != std::string::npos) return withWavelength("Absorbance");
  if (extension.find(".ri") != std::string::npos) return withWavelength("Intensity");
  if (extension.find(".ip") != std::string::npos) return folder + "/Interference";
  if (extension.find(".fi") != std::string::npos) return folder + "/Fluorescence";
  return std::string();
}

std::string TarExtractor::ScanCellNumber(const std::string& Line) {
  if (Line.size() < 3 || !std::isdigit(static_cast<unsigned char>(Line[2]))) return std::string();
  return Line.substr(2, 1);
}

std::string TarExtractor::ScanWavelength(const std::string& Line) {
  // Characters L-4 to L-2 (1-based) of a line of length L; a short line
  // gives its first characters.
  const size_t start = Line.size() >= 5 ? Line.size() - 5 : 0;
  const std::string w = Line.substr(start, 3);
  long value = 0;
  if (ReadsAsInteger(w, value) && (value < 190 || value > 650)) return std::string();
  return IsSafeName(w) ? w : std::string();
}
