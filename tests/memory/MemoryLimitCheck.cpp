// A viewer of a 1,200-scan interference run on a machine short of memory:
// each check runs in a child process that starts a viewer, draws it and
// loads an empty folder (so that the toolkit has all it needs), and then
// limits its address space (setrlimit) to what it uses plus some headroom,
// for a sweep of headrooms from none to one in which everything fits.
// Whatever the headroom, no failure escapes the viewer's load or its polls
// (no "Launch failed"), a viewer that holds fewer scans than a store takes
// says that memory ran out, and the scans it took stay through the polls.
//
// Built only without sanitizers: they reserve the address space the limit
// is about. Exits 0 when every check passed.

#include "analysis/Realtimegofs.h"
#include "app/UnitSedDataView.h"
#include "chart/core/TChart.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "platform/MessageBox.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

#include <QApplication>
#include <QListWidget>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int Scans = 1200;

bool WriteRun(const fs::path& Folder) {
  RunParameters parameters;
  parameters.SpeciesList = {{4.5e-13, 6.0e-7, 1.0}};
  parameters.ScanCount = Scans;
  parameters.ScanInterval = 30;
  parameters.RadialStep = 0.001;
  parameters.GridCells = 800;
  const SimulatedRun run = SimulateRun(parameters);
  ChannelOptions options;
  options.System = OpticalSystem::Interference;
  ScanFileWriter writer(options);
  std::string error;
  if (!run.Error.empty() || !writer.Render(run, error) || !writer.Save(Folder, error)) {
    std::printf("the run could not be written: %s%s\n", run.Error.c_str(), error.c_str());
    return false;
  }
  return true;
}

// What a child saw, written to the pipe as one line.
struct TOutcome {
  int Stage = 0;  // 0 nothing, 1 the viewer exists, 2 loaded, 3 polled
  int Sets = -1;
  int SetsAfterPolls = -1;
  bool Escaped = false;
  bool SaysMemory = false;
  std::string Status;  // the status row after the polls
};

// Bytes of address space the process holds now.
rlim_t AddressSpaceNow() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  unsigned long pages = 0;
  if (statm != nullptr) {
    if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

[[noreturn]] void RunChild(const fs::path& Folder, const fs::path& Empty, rlim_t Headroom,
                           int Out) {
  TOutcome outcome;
  auto report = [&] {
    const std::string line = std::to_string(outcome.Stage) + " " + std::to_string(outcome.Sets) +
                             " " + std::to_string(outcome.SetsAfterPolls) + " " +
                             std::to_string(outcome.Escaped) + " " +
                             std::to_string(outcome.SaysMemory) + " " + outcome.Status + "\n";
    if (::write(Out, line.data(), line.size()) < 0) std::_Exit(3);
  };
  try {
    int argc = 1;
    char name[] = "memory-check";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    RegisterSeriesTypes();
    SetMessageBoxHook([](const std::string&) {});
    QListWidget list;
    TSedDataView viewer(nullptr, &list);
    viewer.SetSettleMs(0);
    viewer.SetLongRestMs(0);
    viewer.Chart1->SetBounds(0, 0, 400, 300);
    viewer.Chart1->KorCreateBitmap();
    viewer.LoadDataDirectory(QString::fromStdString(Empty.string()));
    const rlim_t limit = AddressSpaceNow() + Headroom;
    const rlimit limits{limit, limit};
    ::setrlimit(RLIMIT_AS, &limits);
    outcome.Stage = 1;
    report();
    RealTimeGofS& analysis = viewer.GetAnalysis();
    analysis.ChannelMask = "0*.IP1";
    analysis.MeniscusRadius = 6.05;
    analysis.CellBottom = 7.2;
    analysis.JitterPosition = 6.03;
    analysis.FringePosition = 6.9;
    analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
    auto sets = [&] { return analysis.RawStore ? analysis.RawStore->GetNumberOfSets() : 0; };
    try {
      viewer.LoadDataDirectory(QString::fromStdString(Folder.string()));
      outcome.Stage = 2;
      outcome.Sets = sets();
      for (int tick = 0; tick < 3; ++tick) viewer.Timer1Timer();
      outcome.Stage = 3;
      outcome.SetsAfterPolls = sets();
      outcome.Status = viewer.DataProblemText().toStdString();
      outcome.SaysMemory = viewer.DataProblemText().contains(QStringLiteral("Memory ran out"));
    } catch (const std::exception& e) {
      outcome.Escaped = true;
      outcome.Status = std::string("escaped: ") + e.what();
    } catch (...) {
      outcome.Escaped = true;
    }
  } catch (...) {
    // Before the viewer existed: the toolkit itself had no room.
  }
  report();
  std::_Exit(0);
}

TOutcome RunLimited(const fs::path& Folder, const fs::path& Empty, rlim_t Headroom) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    RunChild(Folder, Empty, Headroom, pipeEnds[1]);
  }
  ::close(pipeEnds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<size_t>(got));
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  TOutcome outcome;
  // The last line the child wrote tells how far it came.
  const size_t last = text.rfind('\n', text.size() >= 2 ? text.size() - 2 : 0);
  const std::string line = last == std::string::npos ? text : text.substr(last + 1);
  int escaped = 0, memory = 0, used = 0;
  if (std::sscanf(line.c_str(), "%d %d %d %d %d %n", &outcome.Stage, &outcome.Sets,
                  &outcome.SetsAfterPolls, &escaped, &memory, &used) == 5) {
    outcome.Escaped = escaped != 0;
    outcome.SaysMemory = memory != 0;
    outcome.Status = line.substr(static_cast<size_t>(used));
  }
  // A child killed after its viewer existed failed as surely as an escape.
  if (outcome.Stage >= 1 && outcome.Stage < 3 && !outcome.Escaped &&
      (!WIFEXITED(status) || WEXITSTATUS(status) != 0))
    outcome.Escaped = true;
  return outcome;
}

}  // namespace

int main() {
  const fs::path folder =
      fs::temp_directory_path() / ("korvale-memory-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  if (!WriteRun(folder)) return 1;
  const fs::path empty = folder / "empty";
  fs::create_directories(empty);
  int failures = 0, tried = 0, short_ = 0;
  for (rlim_t megabytes = 0; megabytes <= 400; megabytes += 2) {
    const TOutcome outcome = RunLimited(folder, empty, megabytes << 20);
    if (outcome.Stage < 1) continue;
    ++tried;
    const bool whole = outcome.Stage == 3 && outcome.Sets == ChannelDataStore::MaxSets;
    bool ok = !outcome.Escaped && outcome.Stage == 3;
    if (ok && !whole) {
      ++short_;
      ok = outcome.SaysMemory && outcome.SetsAfterPolls == outcome.Sets;
    }
    std::printf("%4lu MB more: %s, %d scans, %d after the polls%s%s\n",
                static_cast<unsigned long>(megabytes), ok ? "fine" : "FAILED", outcome.Sets,
                outcome.SetsAfterPolls, outcome.SaysMemory ? ", says memory ran out" : "",
                outcome.Escaped ? ", a failure escaped" : "");
    if (!ok) {
      std::printf("      the status row said: %s\n", outcome.Status.c_str());
      ++failures;
    }
    if (whole && !outcome.SaysMemory) break;  // from here on everything fits
  }
  fs::remove_all(folder);
  if (tried == 0 || short_ == 0) {
    std::printf("the sweep never limited a viewer that existed\n");
    return 1;
  }
  std::printf(failures == 0 ? "memory limit check passed\n" : "memory limit check failed\n");
  return failures == 0 ? 0 : 1;
}
