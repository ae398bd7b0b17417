#pragma once

#include <cstdint>

class TChartSeries;
class TStream;

// What a series' "Data" stream holds besides the mandatory values (a set of
// bits, one per flag).
enum KorFormatFlag : std::uint8_t {
  tfNoMandatory = 1 << 0,  // the non-mandatory values (X of an ordinary series)
  tfColor = 1 << 1,        // the points' own colours
  tfLabel = 1 << 2,        // the points' labels
  tfMarkPosition = 1 << 3  // the marks' positions
};
using KorFormatFlags = std::uint8_t;

// The flags a series' points need: X values that are not 0, 1, 2, ...,
// own colours, labels, custom mark positions (every point is examined).
KorFormatFlags SeriesGuessContents(const TChartSeries& Series);

// The points of Series as the "Data" stream lays them out. Labels are
// single-byte (Latin-1) text cut at 255 characters.
void WriteSeriesData(const TChartSeries& Series, TStream& Stream);

// Reads the points of Stream as ReadSeriesData would for Series, without
// adding them: raises EReadError where ReadSeriesData would.
void CheckSeriesData(const TChartSeries& Series, TStream& Stream);

// Replaces Series' points by those of Stream. A short or damaged stream
// keeps the points read so far, closes the series' update bracket and
// raises EReadError.
void ReadSeriesData(TChartSeries& Series, TStream& Stream);
