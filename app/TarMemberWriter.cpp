#include "app/TarMemberWriter.h"

#include "app/TarExtractor.h"

#include <utility>
#include <vector>

namespace {

constexpr size_t KeptOfLongLine = 64;  // characters before a long second line is shortened
constexpr size_t LineStartKept = 3;    // the cell is the third character
constexpr size_t LineEndKept = 5;      // the wavelength ends two before the end

bool IsBreak(char C) {
  return C == '\r' || C == '\n';
}

}  // namespace

TarMemberWriter::TarMemberWriter(const ExtractionTarget& Target, std::string BaseName)
    : FTarget(Target), FBaseName(std::move(BaseName)) {}

bool TarMemberWriter::Append(const char* Bytes, size_t Count) {
  switch (FState) {
    case TState::tsFailed: return false;
    case TState::tsWriting: return Emit(Bytes, Count);
    case TState::tsHolding:
      if (!FSecondLineEnded) Probe(Bytes, Count);
      return Emit(Bytes, Count);
    case TState::tsUndecided: break;
  }
  Probe(Bytes, Count);
  if (!FSecondLineEnded && FHead.size() + Count <= HeadLimit) {
    FHead.append(Bytes, Count);
    return true;
  }
  if (FSecondLineEnded)
    Decide();
  else
    Hold();
  return FState != TState::tsFailed && Emit(Bytes, Count);
}

ExtractionTarget::TWrite TarMemberWriter::Finish() {
  if (FState == TState::tsUndecided) Decide();
  if (FState == TState::tsFailed) return FResult;
  if (!FEndsWithBreak && !FFile.Write("\r\n", 2, FError)) {
    Fail(ExtractionTarget::TWrite::twWriteFailed);
    return FResult;
  }
  if (FState == TState::tsHolding) FSubdir = ProbedSubdir();
  FResult = FTarget.PlaceFile(FFile, FSubdir, FBaseName, FError);
  if (!ExtractionTarget::IsWritten(FResult)) FState = TState::tsFailed;
  return FResult;
}

void TarMemberWriter::Probe(const char* Bytes, size_t Count) {
  // Lines end at CR, LF or CR LF; a line end after the last line begins none.
  for (size_t i = 0; i < Count && !FSecondLineEnded; ++i) {
    const char c = Bytes[i];
    if (std::exchange(FProbeAfterCr, false) && c == '\n') continue;
    if (FAtLineStart) {
      ++FLines;
      FAtLineStart = false;
    }
    if (IsBreak(c)) {
      FSecondLineEnded = FLines == 2;
      FAtLineStart = true;
      FProbeAfterCr = c == '\r';
    } else if (FLines == 2) {
      FSecondLine += c;
      if (FSecondLine.size() > KeptOfLongLine)
        FSecondLine.erase(LineStartKept, FSecondLine.size() - LineStartKept - LineEndKept);
    }
  }
}

std::string TarMemberWriter::ProbedSubdir() const {
  // Only the second line counts; the first stands in empty.
  const std::vector<std::string> lines = FLines >= 2
                                             ? std::vector<std::string>{std::string(), FSecondLine}
                                             : std::vector<std::string>();
  return TarExtractor::TarTargetSubdir(FBaseName, lines);
}

void TarMemberWriter::Decide() {
  FSubdir = ProbedSubdir();
  const ExtractionTarget::TWrite result =
      FTarget.CreateMemberFile(FSubdir, FBaseName, FFile, FError);
  const std::string head = std::exchange(FHead, std::string());
  if (result != ExtractionTarget::TWrite::twWritten) {
    Fail(result);
    return;
  }
  FState = TState::tsWriting;
  Emit(head.data(), head.size());
}

void TarMemberWriter::Hold() {
  const ExtractionTarget::TWrite result = FTarget.CreateHoldingFile(FFile, FError);
  if (result != ExtractionTarget::TWrite::twWritten) {
    Fail(result);
    return;
  }
  FState = TState::tsHolding;
  const std::string head = std::exchange(FHead, std::string());
  Emit(head.data(), head.size());
}

bool TarMemberWriter::Emit(const char* Bytes, size_t Count) {
  if (Count == 0) return true;
  FOut.clear();
  FOut.reserve(Count + Count / 8 + 2);
  for (size_t i = 0; i < Count; ++i) {
    const char c = Bytes[i];
    if (std::exchange(FAfterCr, c == '\r') && c == '\n') continue;
    if (IsBreak(c))
      FOut += "\r\n";
    else
      FOut += c;
    FEndsWithBreak = IsBreak(c);
  }
  if (FFile.Write(FOut.data(), FOut.size(), FError)) return true;
  return Fail(ExtractionTarget::TWrite::twWriteFailed);
}

bool TarMemberWriter::Fail(ExtractionTarget::TWrite Result) {
  FState = TState::tsFailed;
  FResult = Result;
  // The partial file goes at once, not only with the writer.
  FFile.Discard();
  return false;
}
