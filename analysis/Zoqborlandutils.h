#pragma once

#include <array>

#include "analysis/Zoqutils.h"

// The sequence of colours (Windows 0x00BBGGRR values) given to plotted
// series; the range decides which colours are in use.
struct SeriesColourCycler {
  // The colour at the range's position, counted round the 14 colours; a
  // negative position counts backwards from the end. Does not advance.
  int CurrentColour() const;

  RangePosition Range;
  std::array<int, 14> Colours = {0x000000, 0x0000FF, 0xFF0000, 0x008000, 0xFF00FF,
                                 0x808000, 0x00FF00, 0x800000, 0x00FFFF, 0x800080,
                                 0xFFFF00, 0x000080, 0x008080, 0xC0C0C0};
};
