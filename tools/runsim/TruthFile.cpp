#include "tools/runsim/TruthFile.h"

#include "platform/NumberText.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

// Seventeen significant digits give back the same double.
std::string Exact(double Value) {
  return FormatScientific(Value, 16);
}

std::string Line(const std::string& Key, const std::string& Value) {
  return Key + " " + Value + "\n";
}

std::string ScanLine(const TruthScan& Scan) {
  return "scan " + FormatInteger(Scan.Number) + " " + Scan.FileName + " " +
         Exact(Scan.ElapsedTime) + " " + Exact(Scan.Omega2t) + " " + Exact(Scan.ApparentTime) +
         " " + Exact(Scan.Jitter) + " " + FormatInteger(Scan.FringeJump) + " " +
         FormatInteger(Scan.PointCount) + " " + Exact(Scan.BoundaryRadius) + " " +
         Exact(Scan.PlateauConcentration) + "\n";
}

bool ScanUnsigned(std::string_view& Text, std::uint64_t& Value) {
  SkipSpace(Text);
  auto result = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (result.ec != std::errc()) return false;
  Text.remove_prefix(static_cast<size_t>(result.ptr - Text.data()));
  return true;
}

bool ParseScan(std::string_view Rest, TruthScan& Scan) {
  return ScanInt(Rest, Scan.Number) && ScanWord(Rest, Scan.FileName) &&
         ScanDouble(Rest, Scan.ElapsedTime) && ScanDouble(Rest, Scan.Omega2t) &&
         ScanDouble(Rest, Scan.ApparentTime) && ScanDouble(Rest, Scan.Jitter) &&
         ScanInt(Rest, Scan.FringeJump) && ScanInt(Rest, Scan.PointCount) &&
         ScanDouble(Rest, Scan.BoundaryRadius) && ScanDouble(Rest, Scan.PlateauConcentration);
}

bool ParseSpecies(std::string_view Rest, Species& One) {
  return ScanDouble(Rest, One.s) && ScanDouble(Rest, One.D) && ScanDouble(Rest, One.c0);
}

// One "key value..." line; false when a known key has a malformed value.
bool ParseLine(const std::string& Key, std::string_view Rest, RunTruth& Truth) {
  if (Key == "run") return ScanWord(Rest, Truth.RunName);
  if (Key == "optics") {
    std::string name;
    return ScanWord(Rest, name) && ParseOpticalSystem(name, Truth.System);
  }
  if (Key == "cell") return ScanInt(Rest, Truth.Cell);
  if (Key == "wavelength") return ScanInt(Rest, Truth.Wavelength);
  if (Key == "rpm") return ScanDouble(Rest, Truth.Rpm);
  if (Key == "ramp") return ScanDouble(Rest, Truth.RampSeconds);
  if (Key == "temperature") return ScanDouble(Rest, Truth.Temperature);
  if (Key == "meniscus") return ScanDouble(Rest, Truth.Meniscus);
  if (Key == "bottom") return ScanDouble(Rest, Truth.Bottom);
  if (Key == "radial-step") return ScanDouble(Rest, Truth.RadialStep);
  if (Key == "signal-factor") return ScanDouble(Rest, Truth.SignalFactor);
  if (Key == "baseline") return ScanDouble(Rest, Truth.Baseline);
  if (Key == "noise") return ScanDouble(Rest, Truth.Noise);
  if (Key == "seed") return ScanUnsigned(Rest, Truth.Seed);
  if (Key == "jitter") return ScanDouble(Rest, Truth.JitterAmplitude);
  if (Key == "species") {
    Species one;
    if (!ParseSpecies(Rest, one)) return false;
    Truth.SpeciesList.push_back(one);
    return true;
  }
  if (Key == "scan") {
    TruthScan scan;
    if (!ParseScan(Rest, scan)) return false;
    Truth.Scans.push_back(scan);
    return true;
  }
  return true;
}

}  // namespace

std::string FormatTruth(const RunTruth& Truth) {
  std::string text =
      "# Known answer of a channel written by the Korvale run simulator.\n"
      "# Units: s in seconds, D in cm^2/s, radii in cm, times in s, omega2t in rad^2/s.\n"
      "# Signal = signal-factor * c + baseline + jitter + jump + Gaussian noise (sd = noise).\n";
  text += Line("run", Truth.RunName);
  text += Line("optics", SystemName(Truth.System));
  text += Line("cell", FormatInteger(Truth.Cell));
  text += Line("wavelength", FormatInteger(Truth.Wavelength));
  text += Line("rpm", Exact(Truth.Rpm));
  text += Line("ramp", Exact(Truth.RampSeconds));
  text += Line("temperature", Exact(Truth.Temperature));
  text += Line("meniscus", Exact(Truth.Meniscus));
  text += Line("bottom", Exact(Truth.Bottom));
  text += Line("radial-step", Exact(Truth.RadialStep));
  text += Line("signal-factor", Exact(Truth.SignalFactor));
  text += Line("baseline", Exact(Truth.Baseline));
  text += Line("noise", Exact(Truth.Noise));
  text += Line("seed", std::to_string(Truth.Seed));
  text += Line("jitter", Exact(Truth.JitterAmplitude));
  text += "# species s D c0\n";
  for (const Species& one : Truth.SpeciesList)
    text += Line("species", Exact(one.s) + " " + Exact(one.D) + " " + Exact(one.c0));
  text +=
      "# scan number file elapsed omega2t apparent-time jitter fringe-jump points "
      "boundary-radius plateau\n";
  for (const TruthScan& scan : Truth.Scans) text += ScanLine(scan);
  return text;
}

bool ParseTruth(const std::string& Text, RunTruth& Truth, std::string& Error) {
  RunTruth parsed;
  std::istringstream lines(Text);
  std::string line;
  int number = 0;
  bool sawRun = false;
  while (std::getline(lines, line)) {
    ++number;
    std::string_view rest = line;
    std::string key;
    if (!ScanWord(rest, key) || key.front() == '#') continue;
    sawRun = sawRun || key == "run";
    if (!ParseLine(key, rest, parsed)) {
      Error = "Line " + FormatInteger(number) + " of the truth file is malformed: " + line;
      return false;
    }
  }
  if (!sawRun) {
    Error = "This is not a truth file of the run simulator.";
    return false;
  }
  Truth = std::move(parsed);
  return true;
}

bool WriteTruthFile(const std::filesystem::path& Path, const RunTruth& Truth, std::string& Error) {
  std::ofstream out(Path, std::ios::binary | std::ios::trunc);
  out << FormatTruth(Truth);
  out.close();
  if (!out) {
    Error = "Cannot write " + Path.string() + ".";
    return false;
  }
  return true;
}

bool ReadTruthFile(const std::filesystem::path& Path, RunTruth& Truth, std::string& Error) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) {
    Error = "Cannot open " + Path.string() + ".";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseTruth(text.str(), Truth, Error);
}
