#include "analysis/Zoqborlandutils.h"

int SeriesColourCycler::CurrentColour() const {
  const int count = static_cast<int>(Colours.size());
  const int index = ((Range.GetPosition() % count) + count) % count;
  return Colours[static_cast<std::size_t>(index)];
}
