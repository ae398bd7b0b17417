#pragma once

#include <array>
#include <cstdint>

// Streams store floating-point values as 80-bit extended numbers (64-bit
// significand with an explicit integer bit, 15-bit exponent, sign; ten
// bytes, little-endian). The conversion is done bit by bit so that files
// read and write the same on every machine, whatever its long double is.
using TExtended80 = std::array<std::uint8_t, 10>;

// Exact: every double is an extended number.
TExtended80 DoubleToExtended(double Value);
// Rounded to the nearest double (ties to even); beyond the double range
// the result is an infinity, below it zero or a subnormal. NaNs keep the
// top bits of their payload; unnormal encodings read as NaN.
double ExtendedToDouble(const TExtended80& Bytes);
