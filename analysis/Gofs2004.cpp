#include "analysis/Gofs2004.h"

#include <cmath>
#include <numbers>
#include <string_view>

#include "platform/NumberText.h"

const char* const StoreStatusBadConstructParameters = "Bad Construct Parameters";
const char* const StoreStatusMemoryError = "Memory Error";
const char* const StoreStatusMemoryInitialized = "Memory Initialized";

GofsErrorLogStream& GofsErrorLog() {
  static GofsErrorLogStream log;
  return log;
}

// ---------------------------------------------------------------- ScanHeader

ScanHeader::ScanHeader() = default;

namespace {

constexpr std::string_view VoltageMark = "Voltage:";

int KindOfTypeLetter(char letter) {
  switch (letter) {
    case 'P': return 3;
    case 'R':
    case 'I': return 1;
    case 'F': return 2;
    default: return 0;
  }
}

double OmegaSquared(double rpm) {
  return rpm * rpm * 4.0 * std::numbers::pi * std::numbers::pi / 3600.0;
}

}  // namespace

int ScanHeader::ParseScanHeader(double ReferenceRpm) {
  // A reused reader must not keep the previous file's numbers.
  Cell = Replicates = Kind = 0;
  Omega2t = TimeUsed = Rpm = Temperature = ElapsedTime = Wavelength = 0.0;
  InterferenceValue = 0.0;

  // Line 2: letter, cell, temperature, rpm, elapsed time, omega^2 t,
  // then the optional wavelength and replicate count.
  std::string_view line = HeaderLine;
  char letter = 0;
  const bool essentials = ScanChar(line, letter) && ScanInt(line, Cell) &&
                          ScanDouble(line, Temperature) && ScanDouble(line, Rpm) &&
                          ScanDouble(line, ElapsedTime) && ScanDouble(line, Omega2t);
  if (essentials && ScanDouble(line, Wavelength)) ScanInt(line, Replicates);

  Kind = KindOfTypeLetter(letter);
  int result = Kind == 0 ? 1 : 0;
  // Written as negations so that NaN is refused too.
  if (!essentials || !(Rpm > 0.0) || !(Omega2t > 0.0)) result = 2;

  const double omegaSquared = OmegaSquared(Rpm);
  if (UseApparentTime != 0 && (Rpm == ReferenceRpm || ReferenceRpm == 0.0)) {
    TimeUsed = omegaSquared > 0.0 ? Omega2t / omegaSquared : 0.0;
  } else {
    UseApparentTime = 0;
    TimeUsed = ElapsedTime;
  }

  std::string_view title = TitleLine;
  if (Kind == 3) {
    std::string firstWord;
    std::string secondWord;
    if (ScanWord(title, firstWord) && ScanDouble(title, InterferenceValue) &&
        ScanLiteral(title, ','))
      ScanWord(title, secondWord);
    ScanDescription = secondWord;
  } else if (Kind == 1) {
    ScanDescription = TitleLine;
  } else if (Kind == 2) {
    const size_t mark = title.find(VoltageMark);
    // Without the mark the title cannot be taken apart: refuse the file.
    if (mark == std::string_view::npos) return result != 0 ? result : 3;
    FluorescencePrefix = std::string(title.substr(0, mark > 0 ? mark - 1 : 0));
  }
  return result;
}

// -------------------------------------------------------------- GofsSettings

GofsSettings::GofsSettings() : LowLogS(std::log(1e-15)), HighLogS(std::log(1e-10)) {
  static constexpr const char* names[] = {
      "JitterWindow",         "LowS",
      "HighS",                "LowLogS",
      "HighLogS",             "sGridNumberOfPoints",
      "DefaultCellTop",       "DefaultCellBottom",
      "DefaultCellMidpoint",  "DefaultNegativeTag",
      "DefaultIgnoreTag",     "DefaultPositiveError",
      "DefaultMeniscusIgnore", "DefaultBottomIgnore",
      "DefaultStepSize",      "BeginningScanGroupSize",
      "MinimumDataSetSize",   "dcdtWindowFactor",
      "MaxAveragingPercent",  "SmoothRepetition",
      "SmoothCarSize",        "ComputeApparentStartTime"};
  static_assert(std::size(names) == 22);
  for (size_t i = 0; i < std::size(names); ++i) KeyNames[i] = names[i];
}

// ---------------------------------------------------------- ChannelDataStore
