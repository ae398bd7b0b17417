// korvale-runsim: writes simulated sedimentation-velocity scans with a known
// answer, one channel per call, or the bundled demo run with --demo.

#include "tools/runsim/DemoRun.h"
#include "tools/runsim/OpticalSystem.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

#include "platform/NumberText.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = R"(Usage: korvale-runsim --output DIR --species S,D,C0 [options]
       korvale-runsim --demo DIR
       korvale-runsim --help

Solves the Lamm equation for ideal sedimenting species and writes the scans of
one channel as instrument files, laid out like an unpacked run archive:
DIR/RUN/Cell1/Absorbance/280/00001.RA1, DIR/RUN/Cell2/Interference/00001.IP2,
... with the known answer in run-truth.txt beside them.

Sample and run:
  --species S,D,C0     one species: s in Svedberg, D in cm^2/s, loading
                       concentration; repeat for a mixture (at least one)
  --rpm RPM            final rotor speed (50000)
  --ramp SECONDS       linear acceleration from rest (0)
  --meniscus CM        (6.05)          --bottom CM        (7.2)
  --temperature C      (20.0)
  --scans N            number of scans (60)
  --first SECONDS      time of the first scan from the start of the run (300)
  --interval SECONDS   time between scans (120)
Files:
  --output DIR         root folder; the run folder is created in it
  --run NAME           run folder name and description word (simulated)
  --optics SYSTEM      absorbance|intensity|interference|fluorescence, or
                       RA|RI|IP|FI (absorbance)
  --cell N             cell 1 to 8 (1)
  --wavelength NM      (280 absorbance and intensity, 655 interference,
                       488 fluorescence)
  --radial-step CM     output point spacing (0.003 RA/RI, 0.001 IP, 0.002 FI)
  --signal-factor F    signal per concentration unit (1 OD, 3.3 fringes,
                       1000 counts)
  --baseline B         constant signal added everywhere (0)
  --noise SD           Gaussian noise in signal units (0)
  --seed N             random seed; the same seed gives the same files (1)
  --jitter A           interference: per-scan offset uniform in [-A, A] (0)
  --jump SCAN:FRINGES  interference: integer fringe offset of one scan;
                       repeatable
Solver:
  --cells N            internal radial grid cells (4000)
  --time-step SECONDS  largest time step (5)
Other:
  --demo DIR           write the bundled demo run into DIR/demo
  --help               show this text
)";

struct UsageError {
  std::string Text;
};

class Arguments {
 public:
  Arguments(int Count, char** Values) {
    for (int i = 1; i < Count; ++i) FItems.emplace_back(Values[i]);
  }

  // Splits "--name value" and "--name=value"; a flag without a value throws.
  bool Next(std::string& Name, std::string& Value) {
    if (FIndex >= FItems.size()) return false;
    Name = FItems[FIndex++];
    if (Name.rfind("--", 0) != 0) throw UsageError{"Unexpected argument '" + Name + "'."};
    const size_t equals = Name.find('=');
    if (equals != std::string::npos) {
      Value = Name.substr(equals + 1);
      Name.resize(equals);
      return true;
    }
    if (Name == "--help") return true;
    if (FIndex >= FItems.size()) throw UsageError{"Option " + Name + " needs a value."};
    Value = FItems[FIndex++];
    return true;
  }

 private:
  std::vector<std::string> FItems;
  size_t FIndex = 0;
};

double ParseDouble(const std::string& Name, const std::string& Text) {
  double value = 0;
  if (!TextToDouble(Text, value)) throw UsageError{Name + " needs a number, not '" + Text + "'."};
  return value;
}

int ParseInt(const std::string& Name, const std::string& Text) {
  int value = 0;
  if (!TextToInt(Text, value)) throw UsageError{Name + " needs an integer, not '" + Text + "'."};
  return value;
}

std::uint64_t ParseSeed(const std::string& Text) {
  std::uint64_t value = 0;
  const auto result = std::from_chars(Text.data(), Text.data() + Text.size(), value);
  if (Text.empty() || result.ec != std::errc() || result.ptr != Text.data() + Text.size())
    throw UsageError{"--seed needs a whole number from 0, not '" + Text + "'."};
  return value;
}

std::vector<std::string> SplitAt(const std::string& Text, char Separator) {
  std::vector<std::string> parts(1);
  for (char c : Text) {
    if (c == Separator)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

Species ParseSpecies(const std::string& Text) {
  const std::vector<std::string> parts = SplitAt(Text, ',');
  Species one;
  if (parts.size() != 3 || !TextToDouble(parts[0], one.s) || !TextToDouble(parts[1], one.D) ||
      !TextToDouble(parts[2], one.c0))
    throw UsageError{"--species needs three numbers S,D,C0 (e.g. 4.5,6.1e-7,0.5), not '" + Text +
                     "'."};
  one.s *= 1e-13;  // Svedberg to seconds
  return one;
}

FringeJump ParseJump(const std::string& Text) {
  const std::vector<std::string> parts = SplitAt(Text, ':');
  FringeJump jump;
  if (parts.size() != 2 || !TextToInt(parts[0], jump.Scan) || !TextToInt(parts[1], jump.Fringes))
    throw UsageError{"--jump needs SCAN:FRINGES (e.g. 12:1), not '" + Text + "'."};
  return jump;
}

struct Request {
  RunParameters Parameters;
  ChannelOptions Options;
  std::string Output;
  std::string DemoRoot;
  bool Help = false;
  bool RadialStepGiven = false;
};

template <typename T>
T ParseNumber(const std::string& Name, const std::string& Text) {
  if constexpr (std::is_same_v<T, int>)
    return ParseInt(Name, Text);
  else
    return ParseDouble(Name, Text);
}

using OptionSetter = std::function<void(const std::string&, const std::string&, Request&)>;

template <typename T>
OptionSetter RunNumber(T RunParameters::*Field) {
  return [Field](const std::string& Name, const std::string& Value, Request& Request) {
    Request.Parameters.*Field = ParseNumber<T>(Name, Value);
  };
}

template <typename T>
OptionSetter ChannelNumber(T ChannelOptions::*Field) {
  return [Field](const std::string& Name, const std::string& Value, Request& Request) {
    Request.Options.*Field = ParseNumber<T>(Name, Value);
  };
}

const std::map<std::string, OptionSetter>& OptionTable() {
  static const std::map<std::string, OptionSetter> table = {
      {"--help", [](auto&, auto&, Request& r) { r.Help = true; }},
      {"--demo", [](auto&, const std::string& v, Request& r) { r.DemoRoot = v; }},
      {"--output", [](auto&, const std::string& v, Request& r) { r.Output = v; }},
      {"--run", [](auto&, const std::string& v, Request& r) { r.Options.RunName = v; }},
      {"--optics",
       [](auto&, const std::string& v, Request& r) {
         if (!ParseOpticalSystem(v, r.Options.System))
           throw UsageError{"Unknown optical system '" + v +
                            "': use absorbance, intensity, interference or fluorescence."};
       }},
      {"--species", [](auto&, const std::string& v,
                       Request& r) { r.Parameters.SpeciesList.push_back(ParseSpecies(v)); }},
      {"--jump",
       [](auto&, const std::string& v, Request& r) { r.Options.Jumps.push_back(ParseJump(v)); }},
      {"--seed", [](auto&, const std::string& v, Request& r) { r.Options.Seed = ParseSeed(v); }},
      {"--radial-step",
       [](const std::string& n, const std::string& v, Request& r) {
         r.Parameters.RadialStep = ParseDouble(n, v);
         r.RadialStepGiven = true;
       }},
      {"--signal-factor",
       [](const std::string& n, const std::string& v, Request& r) {
         r.Options.SignalFactor = ParseDouble(n, v);
         if (r.Options.SignalFactor == 0) throw UsageError{"--signal-factor must not be 0."};
       }},
      {"--rpm", RunNumber(&RunParameters::Rpm)},
      {"--ramp", RunNumber(&RunParameters::RampSeconds)},
      {"--meniscus", RunNumber(&RunParameters::Meniscus)},
      {"--bottom", RunNumber(&RunParameters::Bottom)},
      {"--temperature", RunNumber(&RunParameters::Temperature)},
      {"--scans", RunNumber(&RunParameters::ScanCount)},
      {"--first", RunNumber(&RunParameters::FirstScanTime)},
      {"--interval", RunNumber(&RunParameters::ScanInterval)},
      {"--cells", RunNumber(&RunParameters::GridCells)},
      {"--time-step", RunNumber(&RunParameters::TimeStep)},
      {"--cell", ChannelNumber(&ChannelOptions::Cell)},
      {"--wavelength", ChannelNumber(&ChannelOptions::Wavelength)},
      {"--baseline", ChannelNumber(&ChannelOptions::Baseline)},
      {"--noise", ChannelNumber(&ChannelOptions::Noise)},
      {"--jitter", ChannelNumber(&ChannelOptions::Jitter)},
  };
  return table;
}

void ApplyOption(const std::string& Name, const std::string& Value, Request& Request) {
  const auto option = OptionTable().find(Name);
  if (option == OptionTable().end()) throw UsageError{"Unknown option " + Name + "."};
  option->second(Name, Value, Request);
}

Request ParseRequest(int Count, char** Values) {
  Request request;
  Arguments arguments(Count, Values);
  std::string name;
  std::string value;
  while (arguments.Next(name, value)) ApplyOption(name, value, request);
  if (request.Help || !request.DemoRoot.empty()) return request;
  if (request.Output.empty()) throw UsageError{"--output is required."};
  if (request.Parameters.SpeciesList.empty()) throw UsageError{"--species is required."};
  if (!request.RadialStepGiven)
    request.Parameters.RadialStep = DefaultRadialStep(request.Options.System);
  return request;
}

int RunDemo(const std::string& Root) {
  const auto start = std::chrono::steady_clock::now();
  std::string error;
  const std::vector<fs::path> channels = WriteDemoRun(Root, error);
  if (channels.empty()) {
    std::cerr << "korvale-runsim: " << error << "\n";
    return 1;
  }
  const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
  std::cout << "Demo run written to " << (fs::path(Root) / kDemoRunName).string() << " in "
            << FormatFixed(elapsed.count(), 2) << " s:\n";
  for (const fs::path& channel : channels) std::cout << "  " << channel.string() << "\n";
  return 0;
}

int RunChannel(const Request& Request) {
  const SimulatedRun run = SimulateRun(Request.Parameters);
  if (!run.Error.empty()) {
    std::cerr << "korvale-runsim: " << run.Error << "\n";
    return 1;
  }
  std::string error;
  const fs::path directory = WriteChannel(run, Request.Options, Request.Output, error);
  if (directory.empty()) {
    std::cerr << "korvale-runsim: " << error << "\n";
    return 1;
  }
  std::cout << "Wrote " << FormatInteger(static_cast<long long>(run.Scans.size())) << " scans to "
            << directory.string() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Request request = ParseRequest(argc, argv);
    if (request.Help) {
      std::cout << kUsage;
      return 0;
    }
    if (!request.DemoRoot.empty()) return RunDemo(request.DemoRoot);
    return RunChannel(request);
  } catch (const UsageError& usage) {
    std::cerr << "korvale-runsim: " << usage.Text << "\nTry korvale-runsim --help.\n";
    return 2;
  } catch (const std::exception& failure) {
    std::cerr << "korvale-runsim: " << failure.what() << "\n";
    return 1;
  }
}
