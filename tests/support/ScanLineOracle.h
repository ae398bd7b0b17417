#pragma once

#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "platform/NumberText.h"

// The points the data lines of a scan file give, worked out the plain way:
// the lines split by BeckmanFile::NextLine, the numbers of each read one
// after the other by ScanDouble. An oracle for the reader's own scan of the
// lines where they lie (header only, so the fuzz targets can use it too).
namespace ScanLineOracle {

struct TPoint {
  double Radius = 0.0;
  double First = 0.0;
  bool HasSecond = false;
  double Second = 0.0;
};

// Every line after the first two that starts with a finite radius and a
// second number (a finite one when FiniteFirst), up to MaxPoints of them.
inline std::vector<TPoint> Points(std::string Text, int MaxPoints, bool FiniteFirst) {
  std::vector<TPoint> points;
  char* start = Text.data();
  const char* const end = start + Text.size();
  char* next = start;
  for (int line = 0;
       static_cast<int>(points.size()) < MaxPoints && BeckmanFile::NextLine(start, next, end) == 1;
       ++line, start = next) {
    if (line < 2) continue;
    std::string_view rest(start, static_cast<size_t>(next - start));
    TPoint point;
    if (!ScanDouble(rest, point.Radius) || !ScanDouble(rest, point.First) ||
        !std::isfinite(point.Radius) || (FiniteFirst && !std::isfinite(point.First)))
      continue;
    point.HasSecond = ScanDouble(rest, point.Second);
    points.push_back(point);
  }
  return points;
}

// Whether two doubles hold the same bits (a NaN equals itself).
inline bool SameBits(double A, double B) {
  return std::memcmp(&A, &B, sizeof A) == 0;
}

}  // namespace ScanLineOracle
