#include "tools/runsim/ScanFileWriter.h"

#include "tools/runsim/GaussianNoise.h"

#include "platform/NumberText.h"

#include <cctype>
#include <cmath>
#include <exception>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Radius(double Value) {
  return PadLeft(FormatFixed(Value, 4), 9);
}

std::string Number(double Value) {
  return PadLeft(FormatScientific(Value, 5, true), 15);
}

bool ValidRunName(const std::string& Name) {
  if (Name.empty() || Name.size() > 64) return false;
  for (unsigned char c : Name)
    if (!std::isalnum(c) && c != '-' && c != '_' && c != '.') return false;
  return Name != "." && Name != "..";
}

// A channel's scan file name: five digits, a dot, the letters, the cell digit.
bool IsChannelScanFile(const std::string& Name, const std::string& Letters, int Cell) {
  if (Name.size() != 9 || Name[5] != '.') return false;
  for (int i = 0; i < 5; ++i)
    if (!std::isdigit(static_cast<unsigned char>(Name[i]))) return false;
  return std::toupper(static_cast<unsigned char>(Name[6])) == Letters[0] &&
         std::toupper(static_cast<unsigned char>(Name[7])) == Letters[1] &&
         Name[8] == static_cast<char>('0' + Cell);
}

}  // namespace

double LampIntensity(double Radius) {
  const double hump = (Radius - 6.5) / 0.6;
  return 2200 + 700 * std::exp(-hump * hump) + 120 * std::sin(17 * Radius);
}

ScanFileWriter::ScanFileWriter(const ChannelOptions& Options) : FOptions(Options) {
  if (FOptions.Wavelength == 0) FOptions.Wavelength = DefaultWavelength(FOptions.System);
  if (FOptions.SignalFactor == 0) FOptions.SignalFactor = DefaultSignalFactor(FOptions.System);
}

std::string ScanFileWriter::FileName(int Number) const {
  std::string digits = FormatInteger(Number);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  return digits + "." + ExtensionLetters(FOptions.System) + FormatInteger(FOptions.Cell);
}

std::string ScanFileWriter::TitleLine() const {
  const std::string& name = FOptions.RunName;
  switch (FOptions.System) {
    // The reader takes a word, a number, a comma and the description word.
    case OpticalSystem::Interference: return "Interference 1.0, " + name;
    // The reader looks for "Voltage:" and scans the three settings after it.
    case OpticalSystem::Fluorescence: return name + " Voltage: 550 Gain: 2 Range: 1, " + name;
    default:
      return name + " simulated " + SystemName(FOptions.System) + " at " +
             FormatInteger(FOptions.Wavelength) + " nm, cell " + FormatInteger(FOptions.Cell);
  }
}

std::string ScanFileWriter::HeaderLine(const SimulatedScan& Scan,
                                       const RunParameters& Parameters) const {
  // Type letter, cell, temperature, rpm, elapsed seconds, omega^2 t,
  // wavelength and one replicate.
  return std::string(1, HeaderLetter(FOptions.System)) + " " + FormatInteger(FOptions.Cell) + " " +
         FormatFixed(Parameters.Temperature, 1) + " " + FormatGeneral(Parameters.Rpm, 10) + " " +
         FormatInteger(std::llround(Scan.ElapsedTime)) + " " +
         FormatScientific(Scan.Omega2t, 5, true) + " " + FormatInteger(FOptions.Wavelength) + " 1";
}

std::string ScanFileWriter::DataLine(double RadiusValue, double Signal, double Spread) const {
  switch (FOptions.System) {
    case OpticalSystem::Interference: return Radius(RadiusValue) + Number(Signal) + kLineEnd;
    case OpticalSystem::Intensity: {
      const double reference = LampIntensity(RadiusValue);
      return Radius(RadiusValue) + Number(reference) + Number(reference * std::pow(10.0, -Signal)) +
             kLineEnd;
    }
    default: return Radius(RadiusValue) + Number(Signal) + Number(Spread) + kLineEnd;
  }
}

std::string ScanFileWriter::ValidateOptions(const SimulatedRun& Run) const {
  if (!Run.Error.empty()) return Run.Error;
  if (Run.Scans.empty()) return "The run has no scans.";
  if (FOptions.Cell < 1 || FOptions.Cell > 8) return "The cell must be 1 to 8.";
  if (FOptions.Wavelength < 100 || FOptions.Wavelength > 999)
    return "The wavelength must be 100 to 999 nm.";
  if (!ValidRunName(FOptions.RunName))
    return "The run name must be one word of letters, digits, '-', '_' or '.'.";
  if (!std::isfinite(FOptions.SignalFactor) || !std::isfinite(FOptions.Baseline))
    return "The signal factor and the baseline must be finite.";
  if (!std::isfinite(FOptions.Noise) || FOptions.Noise < 0)
    return "The noise must not be negative.";
  const bool interference = FOptions.System == OpticalSystem::Interference;
  if (!std::isfinite(FOptions.Jitter) || FOptions.Jitter < 0)
    return "The jitter must not be negative.";
  if (!interference && (FOptions.Jitter > 0 || !FOptions.Jumps.empty()))
    return "Jitter and fringe jumps apply to interference scans only.";
  for (const FringeJump& jump : FOptions.Jumps)
    if (jump.Scan < 1 || jump.Scan > static_cast<int>(Run.Scans.size()))
      return "A fringe jump names scan " + FormatInteger(jump.Scan) + ", which the run lacks.";
  const size_t points = Run.Scans.front().Radius.size();
  const int limit = MaximumPointCount(FOptions.System);
  if (points > static_cast<size_t>(limit))
    return "A scan has " + FormatInteger(static_cast<long long>(points)) + " points, but the " +
           "reader takes at most " + FormatInteger(limit) +
           " from a file of this kind: " + "use a larger radial step.";
  return "";
}

bool ScanFileWriter::Render(const SimulatedRun& Run, std::string& Error) {
  FFiles.clear();
  Error = ValidateOptions(Run);
  if (!Error.empty()) return false;

  const RunParameters& parameters = Run.Parameters;
  FTruth = RunTruth();
  FTruth.RunName = FOptions.RunName;
  FTruth.System = FOptions.System;
  FTruth.Cell = FOptions.Cell;
  FTruth.Wavelength = FOptions.Wavelength;
  FTruth.Rpm = parameters.Rpm;
  FTruth.RampSeconds = parameters.RampSeconds;
  FTruth.Temperature = parameters.Temperature;
  FTruth.Meniscus = parameters.Meniscus;
  FTruth.Bottom = parameters.Bottom;
  FTruth.RadialStep = parameters.RadialStep;
  FTruth.SignalFactor = FOptions.SignalFactor;
  FTruth.Baseline = FOptions.Baseline;
  FTruth.Noise = FOptions.Noise;
  FTruth.Seed = FOptions.Seed;
  FTruth.JitterAmplitude = FOptions.Jitter;
  FTruth.SpeciesList = parameters.SpeciesList;

  // One generator for the whole channel, drawn in scan order: the jitter of
  // a scan first, then the noise of its points.
  GaussianNoise random(FOptions.Seed);
  const bool spreadColumn = FOptions.System == OpticalSystem::Absorbance ||
                            FOptions.System == OpticalSystem::Fluorescence;
  for (size_t k = 0; k < Run.Scans.size(); ++k) {
    const SimulatedScan& scan = Run.Scans[k];
    TruthScan truth;
    truth.Number = static_cast<int>(k + 1);
    truth.FileName = FileName(truth.Number);
    truth.ElapsedTime = scan.ElapsedTime;
    truth.Omega2t = scan.Omega2t;
    truth.ApparentTime = scan.ApparentTime;
    truth.PointCount = static_cast<int>(scan.Radius.size());
    truth.BoundaryRadius = scan.BoundaryRadius;
    truth.PlateauConcentration = scan.PlateauConcentration;
    if (FOptions.Jitter > 0) truth.Jitter = FOptions.Jitter * (2 * random.Uniform() - 1);
    for (const FringeJump& jump : FOptions.Jumps)
      if (jump.Scan == truth.Number) truth.FringeJump += jump.Fringes;

    const double offset = FOptions.Baseline + truth.Jitter + truth.FringeJump;
    std::string text = TitleLine() + kLineEnd + HeaderLine(scan, parameters) + kLineEnd;
    text.reserve(text.size() + scan.Radius.size() * 40);
    for (size_t i = 0; i < scan.Radius.size(); ++i) {
      double signal = FOptions.SignalFactor * scan.Concentration[i] + offset;
      double spread = 0;
      if (FOptions.Noise > 0) {
        signal += FOptions.Noise * random.Normal();
        // An instrument-like standard deviation column around the noise level.
        if (spreadColumn) spread = FOptions.Noise * (0.75 + 0.5 * random.Uniform());
      }
      text += DataLine(scan.Radius[i], signal, spread);
    }
    FFiles.emplace_back(truth.FileName, std::move(text));
    FTruth.Scans.push_back(truth);
  }
  return true;
}

bool ScanFileWriter::Save(const fs::path& Directory, std::string& Error) const {
  try {
    fs::create_directories(Directory);
    const std::string letters = ExtensionLetters(FOptions.System);
    std::vector<fs::path> stale;
    for (const fs::directory_entry& entry : fs::directory_iterator(Directory))
      if (entry.is_regular_file() &&
          IsChannelScanFile(entry.path().filename().string(), letters, FOptions.Cell))
        stale.push_back(entry.path());
    for (const fs::path& path : stale) fs::remove(path);

    for (const auto& [name, text] : FFiles) {
      std::ofstream out(Directory / name, std::ios::binary | std::ios::trunc);
      out << text;
      out.close();
      if (!out) {
        Error = "Cannot write " + (Directory / name).string() + ".";
        return false;
      }
    }
    return WriteTruthFile(Directory / kTruthFileName, FTruth, Error);
  } catch (const std::exception& failure) {
    Error = "Cannot write the scan files into " + Directory.string() + ": " + failure.what();
    return false;
  }
}

fs::path WriteChannel(const SimulatedRun& Run, const ChannelOptions& Options,
                      const fs::path& RunRoot, std::string& Error) {
  ScanFileWriter writer(Options);
  if (!writer.Render(Run, Error)) return {};
  const fs::path directory = RunRoot / writer.Options().RunName /
                             ChannelSubdirectory(writer.Options().System, writer.Options().Cell,
                                                 writer.Options().Wavelength);
  if (!writer.Save(directory, Error)) return {};
  return directory;
}
