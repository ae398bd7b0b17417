#pragma once

#include "platform/TBitmap.h"
#include "platform/TColor.h"

#include <cstdint>

// Row-wise pixel access to a TBitmap in whichever of its formats, for the
// bitmap routines that read and write many pixels (blending, grey scale,
// resampling, gradient images). Colours are plain RGB values.
namespace BitmapPixels {

// Start of row Y for reading; call once per row, not per pixel (reaching a
// row ends the bitmap's painter).
inline const std::uint8_t* ReadRow(const TBitmap& Bitmap, int Y) {
  return static_cast<const std::uint8_t*>(Bitmap.ScanLine(Y));
}

inline std::uint8_t* WriteRow(TBitmap& Bitmap, int Y) {
  return static_cast<std::uint8_t*>(Bitmap.ScanLine(Y));
}

// pf24bit rows are blue, green, red; every other format (the 1- to 16-bit
// ones too, whose colours the bitmap cuts back when next read) holds
// 0xFFRRGGBB, blue first in memory. Both put blue, green, red at the same
// offsets within a pixel, only the pixel size differs.
inline int PixelSize(const TBitmap& Bitmap) {
  return Bitmap.GetPixelFormat() == pf24bit ? 3 : 4;
}

inline TColor Get(const std::uint8_t* Row, int X, int Size) {
  const std::uint8_t* P = Row + X * Size;
  return RGB(P[2], P[1], P[0]);
}

inline void Set(std::uint8_t* Row, int X, int Size, TColor Color) {
  std::uint8_t* P = Row + X * Size;
  P[0] = static_cast<std::uint8_t>(GetBValue(Color));
  P[1] = static_cast<std::uint8_t>(GetGValue(Color));
  P[2] = static_cast<std::uint8_t>(GetRValue(Color));
  if (Size == 4) P[3] = 0xFF;
}

}  // namespace BitmapPixels
