#pragma once

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <initializer_list>
#include <vector>

class TBitmap;
class TCanvas;

// Render: the small pictures of series, function and tool classes that
// editors show beside a class (series list, series page header, tools
// gallery and page). Each unit that registers classes registers a painter
// per class; pictures are drawn by code, looked up by class name.

// Width and height of a picture, in pixels.
inline constexpr int KorPictureSize = 16;

// Paints one picture on Canvas in the cell (0, 0) .. (KorPictureSize,
// KorPictureSize), over a background that drawing leaves out.
using TKorPicturePainter = void (*)(TCanvas& Canvas);

// A later registration under the same name replaces the painter.
void RegisterKorPicture(const QString& ClassName, TKorPicturePainter Painter);
void UnRegisterKorPicture(const QString& ClassName);

// A table of painters, for the units that register many.
struct TKorClassPicture {
  QString ClassName;
  TKorPicturePainter Painter;
};
void RegisterKorPictures(const std::vector<TKorClassPicture>& Pictures);
void UnRegisterKorPictures(const std::vector<TKorClassPicture>& Pictures);

// Makes Bitmap the picture of ClassName (case ignored), transparent where
// the painter left the background; false, and Bitmap unchanged, when no
// painter is registered under that name.
bool KorPaintPicture(const QString& ClassName, TBitmap& Bitmap);

// Drawing steps that the painters share, on a picture's canvas.
namespace KorPicture {

// A solid pen of Color and Width pixels; clNone hides the pen.
void Pen(TCanvas& Canvas, TColor Color, int Width = 1);
// A solid brush of Color; clNone clears the brush.
void Brush(TCanvas& Canvas, TColor Color);
// The gallery samples' frame: a grey left and bottom axis.
void Axes(TCanvas& Canvas);
// Lines through Points in the current pen (the last point is included).
void Lines(TCanvas& Canvas, std::initializer_list<TPoint> Points);
// A filled polygon in the current brush and pen.
void Shape(TCanvas& Canvas, std::initializer_list<TPoint> Points);
// A rectangle filled with Fill and outlined with Outline (clNone: none).
void Box(TCanvas& Canvas, const TRect& R, TColor Fill, TColor Outline);

}  // namespace KorPicture
