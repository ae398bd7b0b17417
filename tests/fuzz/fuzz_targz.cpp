// Feeds arbitrary bytes to the run-archive extractor, as the archive file
// itself or (first byte odd) as a tar stream that is gzip-compressed first,
// so the tar reading is reached as often as the inflation. The target holds
// what an earlier extraction or anyone else may have left there: a file, a
// symbolic link and a hard link to files outside, a folder link and a FIFO
// (opened, it would hang the run). Whatever the archive, nothing may be
// written outside the target folder or through what was planted, no link
// may be created, no partial file is left behind, a failure is never
// reported as "Expanded", the count reported is the number of files
// written, and the tar reader must give the same entries whatever pieces
// the stream arrives in.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "app/TarBlockParser.h"
#include "app/TarExtractor.h"
#include "tests/fuzz/FuzzSanitizerOptions.h"
#include "tests/support/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

const fs::path& WorkDir() {
  static const ScratchFolder folder("fuzz-targz", "in");
  return folder.Path();
}

std::string Gzip(const uint8_t* Data, size_t Size) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, static_cast<uLong>(Size)), '\0');
  stream.next_in = const_cast<Bytef*>(Data);
  stream.avail_in = static_cast<uInt>(Size);
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(out.size() - stream.avail_out);
  deflateEnd(&stream);
  return out;
}

using Entries = std::vector<std::pair<std::string, std::string>>;

// The entries a parser hands over when the stream comes in pieces of Piece.
Entries ParseInPieces(const uint8_t* Data, size_t Size, size_t Piece, TarBlockParser::TEnd& End) {
  Entries entries;
  std::string data;
  TarBlockParser parser;
  parser.OnHeader = [](const TarBlockParser::TEntry& e) {
    return e.Size <= TarExtractor::MaxMemberSize;
  };
  parser.OnData = [&](const TarBlockParser::TEntry&, const char* Bytes, size_t Count) {
    data.append(Bytes, Count);
    return true;
  };
  parser.OnEnd = [&](const TarBlockParser::TEntry& e) {
    Check(static_cast<long long>(data.size()) == e.Size);
    entries.emplace_back(e.Name, std::exchange(data, std::string()));
    return true;
  };
  for (size_t at = 0; at < Size; at += Piece)
    if (!parser.Feed(reinterpret_cast<const char*>(Data) + at, std::min(Piece, Size - at))) break;
  End = parser.End();
  return entries;
}

void CheckTarReading(const uint8_t* Data, size_t Size, size_t Piece) {
  TarBlockParser::TEnd whole{}, pieces{};
  Check(ParseInPieces(Data, Size, Size == 0 ? 1 : Size, whole) ==
        ParseInPieces(Data, Size, Piece, pieces));
  Check(whole == pieces);
}

const std::string& HoldingPrefix() {
  static const std::string prefix = ".korvale-unpacking-" + std::to_string(getpid()) + "-";
  return prefix;
}

// A parser that sets Named when an entry is named with the holding
// prefix: such a file is the archive's own, not one left behind.
TarBlockParser HoldingNameFinder(bool& Named) {
  TarBlockParser parser;
  parser.OnHeader = [&Named](const TarBlockParser::TEntry& e) {
    Named = Named || e.Name.find(".korvale-unpacking-") != std::string::npos;
    return false;
  };
  return parser;
}

// Whether an entry of Tar (a tar stream) is named with the holding prefix.
bool NamesAHoldingFile(const char* Tar, size_t Size) {
  bool named = false;
  TarBlockParser parser = HoldingNameFinder(named);
  parser.Feed(Tar, Size);
  return named;
}

// The same for a gzip file of a tar stream, inflated member after member
// and read as it comes, so that a bomb costs time but no memory.
bool GzipNamesAHoldingFile(const uint8_t* Data, size_t Size) {
  bool named = false;
  TarBlockParser parser = HoldingNameFinder(named);
  z_stream stream{};
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(Data);
  stream.avail_in = static_cast<uInt>(Size);
  std::vector<char> out(1 << 16);
  int result = Z_OK;
  while (result == Z_OK || (result == Z_STREAM_END && stream.avail_in > 0)) {
    if (result == Z_STREAM_END) inflateReset(&stream);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    result = inflate(&stream, Z_NO_FLUSH);
    const size_t got = out.size() - stream.avail_out;
    if (got > 0 && !parser.Feed(out.data(), got)) break;
    if (result == Z_OK && got == 0) break;
  }
  inflateEnd(&stream);
  return named;
}

const fs::path& Outside() {
  static const fs::path outside = [] {
    const fs::path path = WorkDir() / "outside";
    fs::create_directories(path / "folder");
    std::ofstream(path / "shared.txt") << "shared";
    return path;
  }();
  return outside;
}

// Fills a fresh target with entries an extraction must not go through or
// replace, and a regular file it may replace. Gives the inodes of the
// regular files planted, kept from being used again while Held is open.
std::set<ino_t> Plant(const fs::path& Root, int& Held) {
  fs::create_directories(Root);
  fs::create_symlink(Outside() / "shared.txt", Root / "link.txt");
  fs::create_directory_symlink(Outside() / "folder", Root / "Cell1");
  // Its inode lives on in the outside name.
  fs::create_hard_link(Outside() / "shared.txt", Root / "hard.txt");
  Check(::mkfifo((Root / "fifo.txt").c_str(), 0666) == 0);
  std::ofstream(Root / "old.txt") << "old";
  Held = ::open((Root / "old.txt").c_str(), O_RDONLY | O_CLOEXEC);
  Check(Held >= 0);
  std::set<ino_t> planted;
  for (const char* name : {"hard.txt", "old.txt"}) {
    struct stat info {};
    Check(::stat((Root / name).c_str(), &info) == 0);
    planted.insert(info.st_ino);
  }
  return planted;
}

// The planted entries that are not regular files are still there as they
// were (when they were planted), and what lies outside is untouched.
void CheckPlanted(const fs::path& Root, bool Planted) {
  if (Planted) {
    Check(fs::read_symlink(Root / "link.txt") == Outside() / "shared.txt");
    Check(fs::read_symlink(Root / "Cell1") == Outside() / "folder");
    Check(fs::is_fifo(fs::symlink_status(Root / "fifo.txt")));
  }
  std::ifstream in(Outside() / "shared.txt");
  std::string text;
  std::getline(in, text);
  Check(text == "shared");
  Check(fs::is_empty(Outside() / "folder"));
  Check(std::distance(fs::directory_iterator(Outside()), fs::directory_iterator()) == 2);
}

// Everything under the work folder is the archive, lies in the target or is
// the untouched outside. ArchiveNamesHolding: the archive itself names a
// file with the holding prefix, which it then may place like any other.
// Gives the number of regular files in the target that were not planted.
int CheckTarget(const fs::path& Root, bool ArchiveNamesHolding, const std::set<ino_t>& Planted) {
  const std::set<fs::path> plantedOthers{Root / "link.txt", Root / "Cell1", Root / "fifo.txt"};
  int written = 0;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(WorkDir(), ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    const fs::path& p = it->path();
    if (p == Outside()) {
      it.disable_recursion_pending();
      continue;
    }
    const fs::file_status status = it->symlink_status();
    Check(fs::is_directory(status) || fs::is_regular_file(status) || plantedOthers.count(p) == 1);
    // No member is left under its holding name.
    Check(ArchiveNamesHolding || p.filename().string().rfind(HoldingPrefix(), 0) != 0);
    if (p == WorkDir() / "in" || p == WorkDir() / "in" / "a.tar.gz") continue;
    // Lexically: the planted folder link names a place outside.
    const std::string relative = p.lexically_relative(Root).string();
    Check(relative != ".." && relative.rfind("../", 0) != 0);
    struct stat info {};
    if (fs::is_regular_file(status) && ::lstat(p.c_str(), &info) == 0 &&
        Planted.count(info.st_ino) == 0)
      ++written;
  }
  Check(!ec);
  return written;
}

// The count of "Expanded N files from" or "Unpacked only N files from", 0
// when the log ends otherwise.
int ReportedCount(const std::string& Line) {
  for (const std::string start : {"Expanded ", "Unpacked only "})
    if (Line.rfind(start, 0) == 0) return std::atoi(Line.c_str() + start.size());
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0 || Size > (1u << 20)) return 0;
  const bool compress = Data[0] & 1;
  const size_t piece = 1 + Data[0] / 2;
  CheckTarReading(Data + 1, Size - 1, piece);

  const fs::path archive = WorkDir() / "in" / "a.tar.gz";
  const fs::path root = WorkDir() / "in" / "a";
  {
    std::ofstream out(archive, std::ios::binary | std::ios::trunc);
    if (compress)
      out << Gzip(Data + 1, Size - 1);
    else
      out.write(reinterpret_cast<const char*>(Data + 1), static_cast<std::streamsize>(Size - 1));
  }
  // The top bit of the first byte decides on a fresh target or one with
  // entries planted.
  const bool plant = (Data[0] & 0x80) == 0;
  int held = -1;
  const std::set<ino_t> planted = plant ? Plant(root, held) : std::set<ino_t>();
  std::vector<std::string> log;
  TarExtractor extractor([&](const QString& line) { log.push_back(line.toStdString()); });
  const bool expanded = extractor.ExtractTarGz(QString::fromStdString(archive.string()));
  Check(!log.empty());
  for (size_t i = 0; i + 1 < log.size(); ++i) Check(log[i].rfind("Expanded ", 0) != 0);
  Check(expanded == (log.back().rfind("Expanded ", 0) == 0));
  const bool namesHolding =
      compress ? NamesAHoldingFile(reinterpret_cast<const char*>(Data + 1), Size - 1)
               : GzipNamesAHoldingFile(Data + 1, Size - 1);
  CheckPlanted(root, plant);
  Check(CheckTarget(root, namesHolding, planted) == ReportedCount(log.back()));
  if (held >= 0) ::close(held);
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
