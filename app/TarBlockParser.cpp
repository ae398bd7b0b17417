#include "app/TarBlockParser.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr int NameOffset = 0;
constexpr int NameLength = 100;
constexpr int SizeOffset = 124;
constexpr int SizeLength = 12;
constexpr int ChecksumOffset = 148;
constexpr int ChecksumLength = 8;
constexpr int TypeFlagOffset = 156;
constexpr int MagicOffset = 257;
constexpr int PrefixOffset = 345;
constexpr int PrefixLength = 155;

// Text of a field up to its first NUL.
std::string FieldText(const char* Field, int Width) {
  const void* nul = std::memchr(Field, 0, static_cast<size_t>(Width));
  const size_t length = nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - Field)
                                       : static_cast<size_t>(Width);
  return std::string(Field, length);
}

bool AllZero(const char* Bytes, size_t Count) {
  return std::all_of(Bytes, Bytes + Count, [](char c) { return c == 0; });
}

// Older tar formats (the GNU one among them) keep other fields where ustar
// keeps its name prefix.
bool IsUstar(const char* Header) {
  return std::memcmp(Header + MagicOffset, "ustar\0", 6) == 0;
}

}  // namespace

long long TarBlockParser::ParseOctal(const char* Field, int Width) {
  int i = 0;
  while (i < Width && Field[i] == ' ') ++i;
  long long value = 0;
  for (; i < Width && Field[i] != 0 && Field[i] != ' '; ++i) {
    if (Field[i] < '0' || Field[i] > '7') return -1;
    value = value * 8 + (Field[i] - '0');
  }
  return value;
}

long long TarBlockParser::TarEntrySize(const char* Header) {
  return ParseOctal(Header + SizeOffset, SizeLength);
}

std::string TarBlockParser::TarEntryName(const char* Header) {
  const std::string name = FieldText(Header + NameOffset, NameLength);
  const std::string prefix = IsUstar(Header) ? FieldText(Header + PrefixOffset, PrefixLength) : "";
  return prefix.empty() ? name : prefix + "//" + name;
}

bool TarBlockParser::ChecksumMatches(const char* Header) {
  const long long stored = ParseOctal(Header + ChecksumOffset, ChecksumLength);
  if (stored < 0) return false;
  long long asUnsigned = 0;
  long long asSigned = 0;
  for (int i = 0; i < BlockSize; ++i) {
    const bool inField = i >= ChecksumOffset && i < ChecksumOffset + ChecksumLength;
    const char c = inField ? ' ' : Header[i];
    asUnsigned += static_cast<unsigned char>(c);
    asSigned += static_cast<signed char>(c);
  }
  return stored == asUnsigned || stored == asSigned;
}

std::string TarBlockParser::PaxPath(const std::string& Records) {
  std::string path;
  size_t at = 0;
  while (at < Records.size()) {
    // "<length> <key>=<value>\n", the length counting the whole record.
    size_t i = at;
    size_t length = 0;
    while (i < Records.size() && Records[i] >= '0' && Records[i] <= '9' && length < Records.size())
      length = length * 10 + static_cast<size_t>(Records[i++] - '0');
    if (i == at || i >= Records.size() || Records[i] != ' ' || length > Records.size() - at ||
        length < i - at + 3 || Records[at + length - 1] != '\n')
      break;
    const std::string record = Records.substr(i + 1, at + length - 1 - (i + 1));
    const size_t equal = record.find('=');
    if (equal == std::string::npos) break;
    if (record.compare(0, equal, "path") == 0) path = record.substr(equal + 1);
    at += length;
  }
  return path;
}

bool TarBlockParser::Feed(const char* Bytes, size_t Count) {
  while (Count > 0 && !FStopped) {
    size_t used = 0;
    switch (FStage) {
      case TStage::tsHeader: used = ReadTarHeader(Bytes, Count); break;
      case TStage::tsData: used = ReadData(Bytes, Count); break;
      case TStage::tsPadding: used = SkipPadding(Count); break;
    }
    Bytes += used;
    Count -= used;
  }
  return !FStopped;
}

TarBlockParser::TEnd TarBlockParser::End() const {
  switch (FStage) {
    case TStage::tsHeader:
      if (!AllZero(FHeader, FHeaderFill)) return TEnd::teTruncatedHeader;
      return FAtEndMarker ? TEnd::teComplete : TEnd::teNoEndMarker;
    case TStage::tsData: return TEnd::teTruncatedData;
    case TStage::tsPadding: return TEnd::teNoEndMarker;
  }
  return TEnd::teComplete;
}

size_t TarBlockParser::ReadTarHeader(const char* Bytes, size_t Count) {
  const size_t used = std::min(Count, BlockSize - FHeaderFill);
  std::memcpy(FHeader + FHeaderFill, Bytes, used);
  FHeaderFill += used;
  if (FHeaderFill == BlockSize) TakeHeader();
  return used;
}

size_t TarBlockParser::ReadData(const char* Bytes, size_t Count) {
  const size_t used =
      static_cast<size_t>(std::min<long long>(FRemaining, static_cast<long long>(Count)));
  switch (FRole) {
    case TRole::trClient:
      if (OnData && !OnData(FEntry, Bytes, used)) FStopped = true;
      break;
    case TRole::trLongName:
    case TRole::trLongLink:
    case TRole::trPax: FLongEntry.append(Bytes, used); break;
    case TRole::trSkip: break;
  }
  FRemaining -= static_cast<long long>(used);
  if (FRemaining == 0 && !FStopped) FinishEntry();
  return used;
}

size_t TarBlockParser::SkipPadding(size_t Count) {
  const size_t used =
      static_cast<size_t>(std::min<long long>(FRemaining, static_cast<long long>(Count)));
  FRemaining -= static_cast<long long>(used);
  if (FRemaining == 0) FStage = TStage::tsHeader;
  return used;
}

void TarBlockParser::TakeHeader() {
  FHeaderFill = 0;
  if (AllZero(FHeader, BlockSize)) {
    // A name for an entry that never came names nothing.
    FPendingName.clear();
    FAtEndMarker = true;
    return;
  }
  FAtEndMarker = false;
  if (!ChecksumMatches(FHeader)) return Corrupt("the header checksum does not match");
  const long long size = TarEntrySize(FHeader);
  if (size < 0) return Corrupt("the size field is not an octal number");
  FEntry = TEntry{TarEntryName(FHeader), FHeader[TypeFlagOffset], size};
  FRole = RoleOf(FEntry.TypeFlag, size);
  if (FRole == TRole::trSkip || FRole == TRole::trClient) {
    if (!FPendingName.empty()) FEntry.Name = std::exchange(FPendingName, std::string());
    FRole = OnHeader && OnHeader(FEntry) ? TRole::trClient : TRole::trSkip;
  }
  FLongEntry.clear();
  if (size == 0) return FinishEntry();
  FRemaining = size;
  FStage = TStage::tsData;
}

TarBlockParser::TRole TarBlockParser::RoleOf(char TypeFlag, long long Size) const {
  if (Size > MaxLongNameEntry) return TRole::trSkip;
  switch (TypeFlag) {
    case 'L': return TRole::trLongName;
    case 'K': return TRole::trLongLink;
    case 'x': return TRole::trPax;
    default: return TRole::trSkip;
  }
}

void TarBlockParser::FinishEntry() {
  switch (FRole) {
    case TRole::trClient:
      if (FEntry.Size > 0 && OnEnd && !OnEnd(FEntry)) FStopped = true;
      break;
    case TRole::trLongName:
      // The name runs to its terminating NUL.
      FPendingName = FLongEntry.substr(0, FLongEntry.find('\0'));
      break;
    case TRole::trPax:
      if (std::string path = PaxPath(FLongEntry); !path.empty()) FPendingName = std::move(path);
      break;
    case TRole::trLongLink:
    case TRole::trSkip: break;
  }
  std::string().swap(FLongEntry);
  FRemaining = (BlockSize - FEntry.Size % BlockSize) % BlockSize;
  FStage = FRemaining > 0 ? TStage::tsPadding : TStage::tsHeader;
}

void TarBlockParser::Corrupt(const std::string& Why) {
  FError = Why;
  FStopped = true;
}
