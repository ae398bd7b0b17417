// Feeds arbitrary bytes to a viewer's scan intake as the files of one
// interference channel: a first load of some, a poll that finds the others,
// a poll after one taken file was written anew (the sets taken in again
// from it on), then a file arriving under an earlier name beside a hidden
// one, and a taken file deleted; each followed by the analysis steps the
// viewer runs. The parts of the input separated by a 0xFF byte are the
// files; the last part is the new text of the rewritten file.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <QString>

#include "analysis/Realtimegofs.h"
#include "app/ScanFileNames.h"
#include "app/ScanIntake.h"
#include "platform/MessageBox.h"
#include "tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t MostFiles = 8;

const fs::path& WorkDir() {
  static const ScratchFolder folder("fuzz-scanintake");
  return folder.Path();
}

void Check(bool Condition) {
  if (!Condition) std::abort();
}

std::string FileName(size_t Index) {
  return "0000" + std::to_string(Index + 1) + ".IP1";
}

void WriteFile(const fs::path& Path, const std::string& Text, int AgeSeconds) {
  {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
  }
  std::error_code ignored;
  fs::last_write_time(Path, fs::file_time_type::clock::now() - std::chrono::seconds(AgeSeconds),
                      ignored);
}

std::vector<std::string> Parts(const uint8_t* Data, size_t Size) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < Size; ++i) {
    if (Data[i] == 0xFF && parts.size() < MostFiles + 1)
      parts.emplace_back();
    else
      parts.back().push_back(static_cast<char>(Data[i]));
  }
  return parts;
}

void Analyse(RealTimeGofS& Analysis) {
  Analysis.MakeAllAvgdcdt();
  Analysis.MakeAllCorrecteddCdT();
}

// A poll and what the viewer runs after it.
ScanIntake::TLoadResult Poll(ScanIntake& Intake, RealTimeGofS& Analysis) {
  const ScanIntake::TLoadResult poll = Intake.Poll(Analysis, {});
  if (poll.Rebuilt) Analysis.Refreshdcdtvss();
  Analyse(Analysis);
  return poll;
}

bool HoldsScanOf(const RealTimeGofS& Analysis, const std::string& Name) {
  const ChannelDataStore* raw = Analysis.RawStore.get();
  for (int i = 0; raw != nullptr && i < raw->GetNumberOfSets(); ++i)
    if (raw->Headers[static_cast<size_t>(i)].FileName == Name) return true;
  return false;
}

// What the intake and the store promise whatever the files held.
void CheckState(const ScanIntake& Intake, const RealTimeGofS& Analysis, size_t Listed) {
  const ChannelDataStore* raw = Analysis.RawStore.get();
  const int sets = raw != nullptr ? raw->GetNumberOfSets() : 0;
  Check(sets >= 0 && sets <= ChannelDataStore::MaxSets);
  for (int i = 1; i < sets; ++i)
    Check(raw->Headers[static_cast<size_t>(i)].TimeUsed >
          raw->Headers[static_cast<size_t>(i - 1)].TimeUsed);
  const QStringList& names = Intake.GetFileNames();
  for (qsizetype i = 1; i < names.size(); ++i)
    Check(ScanFileNames::Compare(names[i - 1], names[i]) < 0);
  // Every file known is a set or counted as left out, never both or neither.
  Check(static_cast<size_t>(names.size()) <= Listed);
  Check(names.size() == sets + Intake.GetLeftOutTotal());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > (1u << 16)) return 0;
  SetMessageBoxHook([](const std::string&) {});
  std::error_code ignored;
  fs::remove_all(WorkDir(), ignored);
  fs::create_directories(WorkDir());
  const std::vector<std::string> parts = Parts(Data, Size);
  const size_t files = parts.size() > 1 ? parts.size() - 1 : 1;
  const size_t firstLoad = (files + 1) / 2;

  RealTimeGofS analysis;
  analysis.ChannelMask = "0*.IP1";
  analysis.MeniscusRadius = 6.0;
  analysis.CellBottom = 7.2;
  analysis.JitterPosition = 5.9;
  analysis.FringePosition = 6.9;
  analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
  ScanIntake intake;
  // Every file is at rest and decided at first sight: nothing waits for
  // time to pass.
  intake.SetSettleMs(0);
  intake.SetLongRestMs(0);
  const QString directory = QString::fromStdString(WorkDir().string());

  for (size_t i = 0; i < firstLoad; ++i) WriteFile(WorkDir() / FileName(i), parts[i], 60);
  const ScanIntake::TLoadResult load = intake.LoadAll(directory, analysis);
  if (load.SetsAdded > 0) {
    analysis.IPtransform();
    analysis.Refreshdcdtvss();
    Analyse(analysis);
  }
  CheckState(intake, analysis, firstLoad);

  for (size_t i = firstLoad; i < files; ++i) WriteFile(WorkDir() / FileName(i), parts[i], 60);
  Poll(intake, analysis);
  CheckState(intake, analysis, files);

  if (parts.size() > 1) {
    const size_t rewritten = Size > 0 ? Data[0] % files : 0;
    WriteFile(WorkDir() / FileName(rewritten), parts.back(), 30);
    Poll(intake, analysis);
    CheckState(intake, analysis, files);
  }

  // A scan arriving under a name before the others, beside the hidden file
  // its writer renames later; then a taken file deleted (its scan stays).
  WriteFile(WorkDir() / "00000.IP1", parts.front(), 10);
  WriteFile(WorkDir() / ".00099.IP1", parts.back(), 10);
  Poll(intake, analysis);
  CheckState(intake, analysis, files + 1);
  const bool taken = HoldsScanOf(analysis, FileName(0));
  std::error_code gone;
  fs::remove(WorkDir() / FileName(0), gone);
  Poll(intake, analysis);
  Check(!taken || HoldsScanOf(analysis, FileName(0)));
  CheckState(intake, analysis, files + 1);
  return 0;
}
