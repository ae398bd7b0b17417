#pragma once

// The data viewer's way of feeding one channel's scan files through the
// analysis engine, for tests and benchmarks that have no window: the first
// load (grid from the first usable file, every scan appended, then the four
// analysis steps) and the poll of a scan that arrives later. Header-only so
// that the benchmarks can use it without linking test support.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "analysis/Realtimegofs.h"

// What the viewer sets on the engine before the first load.
struct EngineSetup {
  double Meniscus = 6.0;        // cm
  double Bottom = 7.2;          // cm
  double JitterPosition = 5.9;  // cm
  double FringePosition = 6.9;  // cm
  // The viewer turns both corrections on for interference data.
  bool JitterCorrection = false;
  bool FringeCorrection = false;
  int ReadMode = 0;  // intensity files: 0 ratio, 1 reference, 2 sample
  GofsSettings Settings;
};

// The regular files of Directory whose extension (after the dot) equals
// Extension in any case, sorted by name as the viewer lists them.
inline std::vector<std::filesystem::path> ChannelScanFiles(const std::filesystem::path& Directory,
                                                           const std::string& Extension) {
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(Directory, error))
    if (entry.is_regular_file() &&
        lower(entry.path().extension().string()) == "." + lower(Extension))
      files.push_back(entry.path());
  std::sort(files.begin(), files.end(),
            [](const auto& a, const auto& b) { return a.filename() < b.filename(); });
  return files;
}

inline void ApplyEngineSetup(RealTimeGofS& Engine, const EngineSetup& Setup) {
  Engine.MeniscusRadius = Setup.Meniscus;
  Engine.CellBottom = Setup.Bottom;
  Engine.JitterPosition = Setup.JitterPosition;
  Engine.FringePosition = Setup.FringePosition;
  Engine.JitterCorrectionOn = Setup.JitterCorrection;
  Engine.FringeCorrectionOn = Setup.FringeCorrection;
  Engine.Settings = Setup.Settings;
}

// The four steps after a first load.
inline void AnalyseLoadedScans(RealTimeGofS& Engine) {
  Engine.IPtransform();
  Engine.Refreshdcdtvss();
  Engine.MakeAllAvgdcdt();
  Engine.MakeAllCorrecteddCdT();
}

// First load: the first file that reads with at least MinimumDataSetSize
// points makes the grid, every later readable file is appended, then the
// four analysis steps run. Returns the number of raw sets, or -1 when no
// file could make the grid.
inline int LoadScanFiles(RealTimeGofS& Engine, const EngineSetup& Setup,
                         const std::vector<std::filesystem::path>& Files) {
  ApplyEngineSetup(Engine, Setup);
  BeckmanFile reader(nullptr);
  reader.Header.UseApparentTime = Setup.Settings.ComputeApparentStartTime;
  size_t next = 0;
  bool gridMade = false;
  while (next < Files.size() && !gridMade) {
    const int result = reader.ReadScanFile(Files[next++].string(), Setup.ReadMode, 0.0);
    if (result == 0) break;
    if (result < 1 || reader.PointCount < Setup.Settings.MinimumDataSetSize) continue;
    if (Engine.CreateX(reader.Radius(), reader.PointCount) != 0) return -1;
    gridMade = true;
    Engine.RawStore->AddSet(reader.Radius(), reader.Value(), reader.PointCount, reader.Header,
                            reader.Header.TimeUsed);
  }
  if (!gridMade) return -1;
  for (; next < Files.size(); ++next)
    if (reader.ReadScanFile(Files[next].string(), Setup.ReadMode, 0.0) >= 0)
      Engine.RawStore->AddSet(reader.Radius(), reader.Value(), reader.PointCount, reader.Header,
                              reader.Header.TimeUsed);
  AnalyseLoadedScans(Engine);
  return Engine.RawStore->GetNumberOfSets();
}

// One scan found by a poll: read as the first load reads it (no reference
// speed), appended, corrected exactly as the first load corrects it when
// the corrections are on, and paired. Returns the new raw set's index, or -1
// when it was not taken in. The averages are rebuilt by FinishPoll after the
// last new scan.
inline int PollScanFile(RealTimeGofS& Engine, const EngineSetup& Setup,
                        const std::filesystem::path& File) {
  BeckmanFile reader(nullptr);
  reader.Header.UseApparentTime = Setup.Settings.ComputeApparentStartTime;
  if (reader.ReadScanFile(File.string(), Setup.ReadMode, 0.0) < 0) return -1;
  const int set = Engine.RawStore->AddSet(reader.Radius(), reader.Value(), reader.PointCount,
                                          reader.Header, reader.Header.TimeUsed);
  if (set > 0) {
    Engine.IPtransformSet(set);
    Engine.AddOnedcdtvss(set);
  }
  return set;
}

inline void FinishPoll(RealTimeGofS& Engine) {
  Engine.MakeAllAvgdcdt();
  Engine.MakeAllCorrecteddCdT();
}
