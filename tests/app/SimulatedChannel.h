#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tools/runsim/TruthFile.h"

// The files of one simulated channel of cell 1: a 4.5 S protein at 50000 rpm, rendered in memory so
// that a test can write them whole, in pieces or a few at a time. Scan files are named 00001.RA1
// on.
struct SimulatedChannel {
  std::vector<std::pair<std::string, std::string>> Files;  // (name, text)
  RunTruth Truth;

  // ScanCount scans, every 120 s from 300 s, RadialStep cm apart.
  static const SimulatedChannel& Absorbance(int ScanCount, double RadialStep = 0.003);
  // The same protein seen by the interference optics of cell 1 (files
  // 00001.IP1 on): noisy, with a jitter of up to 0.3 fringes per scan and a
  // jump of one whole fringe at scan JumpScan (none when 0).
  static const SimulatedChannel& Interference(int ScanCount, int JumpScan = 0);

  // Writes scan Index whole into Directory with a modification time Age
  // seconds in the past (so that it has come to rest).
  void Write(const std::filesystem::path& Directory, size_t Index, int AgeSeconds = 60) const;
  // Writes scans First .. Last - 1.
  void WriteRange(const std::filesystem::path& Directory, size_t First, size_t Last) const;
};

// Sets the modification time of Path Seconds in the past.
void AgeFile(const std::filesystem::path& Path, int Seconds);
