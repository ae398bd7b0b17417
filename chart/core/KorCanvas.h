#pragma once

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

class TBitmap;
class TCanvas;
class TChartPen;
class TPen;
class TStringList;

// The drawing unit: value types of the 3D surface, the settings every
// surface and solid shares, and the colour routines.

// A point in chart coordinates: screen-like X and Y plus a depth Z.
struct TPoint3D {
  int X = 0;
  int Y = 0;
  int Z = 0;

  friend constexpr bool operator==(const TPoint3D&, const TPoint3D&) = default;
};

constexpr TPoint3D Point3D(int X, int Y, int Z) {
  return TPoint3D{X, Y, Z};
}

using TPointArray = std::vector<TPoint>;
// The corners of a quadrilateral, in drawing order.
using TFourPoints = std::array<TPoint, 4>;

// Numbered as the classic background modes (cbmNone leaves the mode as is).
enum TCanvasBackMode { cbmNone, cbmTransparent, cbmOpaque };

enum TKorCanvasSurfaceStyle { tcsSolid, tcsWire, tcsDot };

// Percent, 0 (opaque) to 100 (invisible).
using TKorTransparency = int;

// Supplies one cell of a 3D surface: the two points and colours of grid
// position (X, Z); false skips the cell.
using TKorCanvasCalcPoints =
    std::function<bool(int X, int Z, TPoint3D& P0, TPoint3D& P1, TColor& Color0, TColor& Color1)>;

// Degrees to radians.
inline constexpr double KorPiStep = std::numbers::pi / 180.0;

// When set, one-pixel pens that are not solid are drawn with width 0 (the
// device's own dotted line instead of a scaled one).
extern bool KorCheckPenWidth;

// Pens with end styles, small dots and clip regions are available. The Qt
// canvas supports all of them, so this is always true here; kept as a
// variable because drawing code branches on it.
extern bool IsWindowsNT;

// How much side faces (Darker) and top and bottom faces (Dark) of solids
// are darkened; changeable by the program.
extern std::uint8_t DarkerColorQuantity;
extern std::uint8_t DarkColorQuantity;

// Cone top size in percent used when a cone is asked for with 0 percent.
extern int KorDefaultConePercent;
extern int KorNumCylinderSides;

// The font quality used for rotated text (4: antialiased).
extern std::uint8_t KorFontAntiAlias;

// The default chart font, read once from the library texts on first use.
const QString& GetDefaultFontName();
int GetDefaultFontSize();

// The colour dialog's custom colours; created by the first dialog that
// needs it and kept while the program runs.
extern std::unique_ptr<TStringList> KorCustomEditColors;

inline constexpr TRect KorZeroRect{};

// Whether transparency mixes with a constant alpha (true, the default) or
// with the older percentage byte loop (false); see KorBlendBitmaps.
extern bool KorAlphaBlendUsable;

// Optional fast recolouring of a canvas's stock brush or pen; nullptr when
// the platform has no such entry point (callers then set the colour on the
// canvas's brush or pen, which the Qt canvas does just as cheaply).
using TKorSetDCColor = TColor (*)(TCanvas& Canvas, TColor Color);
extern TKorSetDCColor KorSetDCBrushColor;
extern TKorSetDCColor KorSetDCPenColor;

// An RGB value that XOR and other arithmetic can work with: the markers for
// "inherit" (clDefault) and "no colour" (clNone) are not colours, so they
// stand for Fallback; system colours are resolved.
TColor InvertibleColor(TColor Color, TColor Fallback);
// System colours are converted first; each channel loses HowMuch, stopping
// at 0.
TColor ApplyDark(TColor Color, int HowMuch);
// System colours are converted first; each channel gains HowMuch, stopping
// at 255.
TColor ApplyBright(TColor Color, int HowMuch);
// The channel bytes of the value as stored (a system colour is not converted).
void RGBValue(TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B);

// Makes CanvasPen draw like ChartPen in Color: small dots, or the chart
// pen's end style as caps and joins when it is 2 or more pixels wide.
void KorSetKorPen(TPen& CanvasPen, const TChartPen& ChartPen, TColor Color);

// A one-pixel pen that sets every other pixel (Space <= 0) or one pixel in
// every Space + 1.
std::unique_ptr<TPen> KorCreatePenSmallDots(TColor Color, int Space);

// ---------------------------------------------------------------- geometry

constexpr TPoint KorPoint(int X, int Y) {
  return TPoint(X, Y);
}

constexpr TRect KorRect(int Left, int Top, int Right, int Bottom) {
  return TRect(Left, Top, Right, Bottom);
}

// Inclusive on every edge, unlike PtInRect.
constexpr bool PointInRect(const TRect& R, int X, int Y) {
  return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

constexpr bool PointInRect(const TRect& R, const TPoint& P) {
  return PointInRect(R, P.X, P.Y);
}

// R with Left <= Right and Top <= Bottom.
TRect OrientRectangle(const TRect& R);
void RectSize(const TRect& R, int& Width, int& Height);
// Halves toward zero.
void RectCenter(const TRect& R, int& X, int& Y);
// Smallest and largest X and Y of Points[0..HighIndex] (right and bottom
// are the largest coordinates themselves); KorZeroRect when HighIndex < 0.
TRect PolygonBounds(const TPoint* Points, int HighIndex);
// The bounds with right and bottom one past the largest coordinates, so
// the rectangle covers every point's pixel.
TRect RectFromPolygon(const TPoint* Points, int Count);
TRect RectFromTriangle(const std::array<TPoint, 3>& Points);
// True when P0, P1, P2 turn clockwise on the screen (y down): a triangle
// seen from its back.
bool KorCull(const TPoint& P0, const TPoint& P1, const TPoint& P2);
// The first three corners.
bool KorCull(const TFourPoints& Points);
double KorDistance(double DX, double DY);
// The point Distance pixels from To, back along the line toward From.
TPoint PointAtDistance(const TPoint& From, const TPoint& To, double Distance);
void SwapInteger(int& A, int& B);
void SwapDouble(double& A, double& B);

// ---------------------------------------------------------------- clipping

// Clip areas are intersected with the clip in force, whose region the
// canvas remembers (one level: a second clip before an unclip replaces what
// was remembered). Coordinates are logical units of Canvas.
void ClipCanvas(TCanvas& Canvas, const TRect& R);
// Puts back the clip remembered by the last clip, or removes clipping.
void UnClipCanvas(TCanvas& Canvas);
// Inverted: the ellipse is cut out of the clip in force (exclusive or), and
// the clip in force is not remembered.
void ClipEllipse(TCanvas& Canvas, const TRect& R, bool Inverted = false);
// Corners are quarter ellipses of width and height RoundSize.
void ClipRoundRectangle(TCanvas& Canvas, const TRect& R, int RoundSize);
// Alternate rule; the caller's points are left as they are.
void ClipPolygon(TCanvas& Canvas, const TPoint* Points, int Count);

// ---------------------------------------------------------------- bitmaps

// Mixes Source into Destination at Position (negative coordinates count as
// 0), over the part of Source that fits: the destination keeps Percent % of
// its own colour. Formats are left as they are.
void KorBlendBitmaps(const TBitmap& Source, TBitmap& Destination, TPoint Position, double Percent);

// Every pixel becomes grey: the weighted luminance (0.3, 0.59, 0.11) when
// Mode is not 0, else the plain mean; Inverted gives 255 - grey. Nothing
// for nullptr. The bitmap ends in the device pixel format.
void KorGrayScale(TBitmap* Bitmap, bool Inverted, int Mode);

enum TSmoothStretchOption { ssBestQuality, ssBestPerformance };

// Resamples Source into Destination's size with a separable filter
// (Lanczos 3 for best quality, triangle for best performance); flat areas
// stay exactly flat and equal sizes copy. Raises KorException when either
// bitmap is smaller than 2 x 2.
void SmoothStretch(const TBitmap& Source, TBitmap& Destination,
                   TSmoothStretchOption Option = ssBestQuality);

// A 24-bit bitmap of half Large's size (rounded down) in which each pixel
// is the mean of the 2 x 2 block below it, per channel, rounded down: the
// reduction step of drawing a chart at twice its size for smooth edges.
std::unique_ptr<TBitmap> KorAntiAliasBitmap(const TBitmap& Large);
