#pragma once

#include "platform/TBitmap.h"
#include "platform/TColor.h"
#include "platform/TRect.h"

#include <functional>
#include <ostream>

// Reading rendered pixels back in pixel tests: colour counts in a region
// and bounding boxes of the pixels that differ from a background colour.
namespace PixelProbe {

inline int Count(const TBitmap& Bitmap, const TRect& Area, TColor Color) {
  int N = 0;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X)
      if (Bitmap.GetPixel(X, Y) == Color) ++N;
  return N;
}

inline int Count(const TBitmap& Bitmap, TColor Color) {
  return Count(Bitmap, Rect(0, 0, Bitmap.GetWidth(), Bitmap.GetHeight()), Color);
}

inline int CountIf(const TBitmap& Bitmap, const std::function<bool(TColor)>& Match) {
  int N = 0;
  for (int Y = 0; Y < Bitmap.GetHeight(); ++Y)
    for (int X = 0; X < Bitmap.GetWidth(); ++X)
      if (Match(Bitmap.GetPixel(X, Y))) ++N;
  return N;
}

// Smallest rectangle (right and bottom exclusive) holding every pixel that
// is not Background; all zero when there is none.
inline TRect InkBox(const TBitmap& Bitmap, TColor Background = clWhite) {
  TRect Box;
  bool Any = false;
  for (int Y = 0; Y < Bitmap.GetHeight(); ++Y) {
    for (int X = 0; X < Bitmap.GetWidth(); ++X) {
      if (Bitmap.GetPixel(X, Y) == Background) continue;
      if (!Any) {
        Box = Rect(X, Y, X + 1, Y + 1);
        Any = true;
      }
      Box.Left = std::min(Box.Left, X);
      Box.Top = std::min(Box.Top, Y);
      Box.Right = std::max(Box.Right, X + 1);
      Box.Bottom = std::max(Box.Bottom, Y + 1);
    }
  }
  return Box;
}

inline bool SamePixels(const TBitmap& A, const TBitmap& B) {
  if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight()) return false;
  for (int Y = 0; Y < A.GetHeight(); ++Y)
    for (int X = 0; X < A.GetWidth(); ++X)
      if (A.GetPixel(X, Y) != B.GetPixel(X, Y)) return false;
  return true;
}

}  // namespace PixelProbe

// Readable failure messages for the geometry types.
inline void PrintTo(const TRect& R, std::ostream* Out) {
  *Out << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}
inline void PrintTo(const TPoint& P, std::ostream* Out) {
  *Out << "(" << P.X << ", " << P.Y << ")";
}
