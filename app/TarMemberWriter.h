#pragma once

#include "app/ExtractionTarget.h"

#include <cstddef>
#include <string>

// Writes one archive member as a text file below the target (logic role) as
// its data arrives, so memory does not grow with the member: every line end
// becomes CR LF and the last line gets one too. The member's folder follows
// from its second line, so the data is held back only until that line has
// ended; a second line longer than HeadLimit goes to a hidden holding file
// in the root that takes its place once the member is complete.
//
// The data goes to a temporary file that takes the member's name only once
// it is whole (see ExtractionTarget): a writer that goes before Finish
// succeeded, or whose Finish fails, leaves no file behind and whatever had
// the name as it was.
class TarMemberWriter {
 public:
  static constexpr size_t HeadLimit = 64 * 1024;  // bytes held in memory at most

  TarMemberWriter(const ExtractionTarget& Target, std::string BaseName);
  TarMemberWriter(const TarMemberWriter&) = delete;
  TarMemberWriter& operator=(const TarMemberWriter&) = delete;

  // False once the member cannot be written (Result and Error tell why); the
  // rest of its data is then of no use.
  bool Append(const char* Bytes, size_t Count);
  // The member is complete: it is placed under its name (a result for which
  // ExtractionTarget::IsWritten holds) or why not.
  ExtractionTarget::TWrite Finish();

  ExtractionTarget::TWrite Result() const { return FResult; }
  const std::string& Error() const { return FError; }
  const std::string& BaseName() const { return FBaseName; }
  // The folder the member belongs in ("" for the root), once known.
  const std::string& Subdir() const { return FSubdir; }

 private:
  enum class TState { tsUndecided, tsWriting, tsHolding, tsFailed };

  void Probe(const char* Bytes, size_t Count);
  std::string ProbedSubdir() const;
  void Decide();
  void Hold();
  bool Emit(const char* Bytes, size_t Count);
  bool Fail(ExtractionTarget::TWrite Result);

  const ExtractionTarget& FTarget;
  std::string FBaseName;
  TState FState = TState::tsUndecided;
  ExtractionTarget::TWrite FResult = ExtractionTarget::TWrite::twWritten;
  std::string FError;
  std::string FSubdir;
  ExtractionFile FFile;
  std::string FHead;  // raw data held back until the folder is known
  std::string FOut;   // converted data of one piece
  // What the folder depends on: the number of lines begun and the second
  // line (only its first three and last five characters are used, so a
  // long one keeps just those).
  int FLines = 0;
  bool FAtLineStart = true;
  bool FProbeAfterCr = false;
  bool FSecondLineEnded = false;
  std::string FSecondLine;
  // Line-end conversion across pieces.
  bool FAfterCr = false;
  bool FEndsWithBreak = true;  // also when there is no data
};
