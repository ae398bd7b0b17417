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

// Optional fast recolouring of a canvas's stock brush or pen; nullptr when
// the platform has no such entry point (callers then set the colour on the
// canvas's brush or pen, which the Qt canvas does just as cheaply).
using TKorSetDCColor = TColor (*)(TCanvas& Canvas, TColor Color);
extern TKorSetDCColor KorSetDCBrushColor;
extern TKorSetDCColor KorSetDCPenColor;

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
