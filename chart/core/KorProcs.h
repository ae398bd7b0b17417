#pragma once

#include "platform/Cursors.h"
#include "platform/TColor.h"
#include "platform/TDateTime.h"
#include "platform/TRect.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QWidget;
class TBitmap;
class TCanvas;
class TComponent;
class TCustomKorPanel;

// The chart library's shared routines: the colour palette of new series,
// date-time axis steps, index sorting through callbacks, unique component
// names, field lists, hit tests for clicking on series, the 2 x 2
// anti-alias and the editor's options. DaysInMonth (year, month) comes with
// platform/TDateTime.h.

// -- colours

// The colours handed to new series, in order; the default palette until
// SetDefaultColorPalette changes it.
extern std::vector<TColor> ColorPalette;
// The 20 colours of the default palette.
const std::vector<TColor>& DefaultColorPalette();
// ColorPalette[Index modulo its length] (a non-negative modulo, so negative
// indices wrap too).
TColor GetDefaultColor(int Index);
// Empty: the default palette; otherwise a copy of Colors.
void SetDefaultColorPalette(const std::vector<TColor>& Colors = {});

// -- date-time steps (lengths in days)

enum TDateTimeStep {
  dtOneMicroSecond,
  dtOneMillisecond,
  dtOneSecond,
  dtFiveSeconds,
  dtTenSeconds,
  dtFifteenSeconds,
  dtThirtySeconds,
  dtOneMinute,
  dtFiveMinutes,
  dtTenMinutes,
  dtFifteenMinutes,
  dtThirtyMinutes,
  dtOneHour,
  dtTwoHours,
  dtSixHours,
  dtTwelveHours,
  dtOneDay,
  dtTwoDays,
  dtThreeDays,
  dtOneWeek,
  dtHalfMonth,
  dtOneMonth,
  dtTwoMonths,
  dtThreeMonths,
  dtFourMonths,
  dtSixMonths,
  dtOneYear,
  dtNone
};

extern const std::array<double, 27> DateTimeStep;

QString KorStr(int Value);
// The short date format for steps above one day, else the short time format.
QString DateTimeDefaultFormat(double Step);
// The table step following the largest one not above Step; one year for
// anything below one microsecond.
double NextDateTimeStep(double Step);
// The table step within one microsecond of Step, or dtNone.
TDateTimeStep FindDateTimeStep(double Step);
// Date rounded down to Step's calendar unit (time of day dropped); dates
// up to 1900-01-01 stay unchanged.
TDateTime KorRoundDate(TDateTime Date, TDateTimeStep Step);
// Moves Value by one Step forward (Increment) or back. Calendar steps
// (half month to one year) of date-time values move by calendar units and
// drop the time of day; a date the calendar cannot hold leaves Value as it
// was.
void KorDateTimeIncrement(bool IsDateTime, bool Increment, double& Value, double Step,
                          TDateTimeStep Which);

// -- sorting and names

// Compare (A, B) < 0 when the item at index A goes before the one at B.
using TKorCompareProc = std::function<int(int A, int B)>;
using TKorSwapProc = std::function<void(int A, int B)>;
// Quicksort of the indices L..R that sees the items only through the two
// callbacks (the pivot is followed through swaps by its index).
void KorSort(int L, int R, const TKorCompareProc& Compare, const TKorSwapProc& Swap);
// Base followed by the smallest number from 1 that names no component of
// Owner; Base + "1" without an owner.
QString KorGetUniqueName(const TComponent* Owner, const QString& Base);

// -- field lists

// The separator of the forms without one.
extern QString KorFieldsSeparator;
// 0 for an empty text, else 1 + the number of separators.
int KorNumFields(const QString& Text);
int KorNumFields(const QString& Text, const QString& Separator);
// Field Index (from 1); empty for an empty text or Index < 1; an index past
// the end gives the last field.
QString KorExtractField(const QString& Text, int Index);
QString KorExtractField(const QString& Text, int Index, const QString& Separator);
// Every Old replaced by New; a NUL New deletes them.
QString ReplaceChar(const QString& Text, QChar Old, QChar New);

// -- number formats

// Picture formats ("#,##0.00") between the program's fixed separators and
// the current locale's, swapping both in one pass.
QString DelphiToLocalFormat(const QString& Format);
QString LocalToDelphiFormat(const QString& Format);

// -- controls and resources

void EnableControls(bool Enable, const std::vector<QWidget*>& Controls);
// Translates the texts of Control and its children except Exclude; set by
// a translation unit, none by default.
using TKorTranslateHook =
    std::function<void(QWidget* Control, const std::vector<QWidget*>& Exclude)>;
extern TKorTranslateHook KorTranslateHook;
void KorTranslateControl(QWidget* Control, const std::vector<QWidget*>& Exclude = {});
// A 13 x 13 check box (or radio button) at (X, Y); Color is not used.
void KorDrawCheckBox(int X, int Y, TCanvas& Canvas, bool Checked, TColor Color,
                     bool IsCheckBox = true);
// The bitmap resource Name, else FallbackName; a missing or unreadable
// resource leaves Bitmap as it was.
void KorLoadBitmap(TBitmap& Bitmap, const QString& Name, const QString& FallbackName);
// The editor bitmap of a class, falling back to its parent class's: a
// bitmap resource by that name, else the class's registered picture.
void KorGetBitmapEditor(const QString& ClassName, const QString& ParentClassName, TBitmap& Bitmap);
// The hand cursor of the chart library, registered by the first panel.
inline constexpr TCursor crKorHand = 2020;
void KorRegisterHandCursor();

// The panel drawn at twice its size (fonts too) and shrunk by averaging
// each 2 x 2 block; the caller owns the result.
std::unique_ptr<TBitmap> KorAntiAlias(TCustomKorPanel& Panel);

// -- editor options (the user's options store)

bool KorReadBoolOption(const QString& Name, bool Default);
int KorReadIntegerOption(const QString& Name, int Default);
void KorSaveBoolOption(const QString& Name, bool Value);
void KorSaveIntegerOption(const QString& Name, int Value);

// -- hit tests (integer screen coordinates)

// P is an end point, or within Tolerance + 1 pixels of the segment.
bool PointInLine(const TPoint& P, int X0, int Y0, int X1, int Y1);
bool PointInLine(const TPoint& P, const TPoint& P0, const TPoint& P1);
bool PointInLine(const TPoint& P, int X0, int Y0, int X1, int Y1, int Tolerance);
bool PointInLine(const TPoint& P, const TPoint& P0, const TPoint& P1, int Tolerance);
bool PointInLineTolerance(const TPoint& P, int X0, int Y0, int X1, int Y1, int Tolerance);
// Even-odd rule.
bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points);
bool PointInTriangle(const TPoint& P, const TPoint& P0, const TPoint& P1, const TPoint& P2);
// The triangle (X0, Y1), ((X0 + X1) / 2, Y0), (X1, Y1): base at Y1, apex at Y0.
bool PointInTriangle(const TPoint& P, int X0, int X1, int Y0, int Y1);
// The triangle (X1, Y0), (X0, (Y0 + Y1) / 2), (X1, Y1): base at X1, apex at X0.
bool PointInHorizTriangle(const TPoint& P, int Y0, int Y1, int X0, int X1);
// False for an ellipse without width or height.
bool PointInEllipse(const TPoint& P, int Left, int Top, int Right, int Bottom);
bool PointInEllipse(const TPoint& P, const TRect& R);
// Whether the segments (X1, Y1)-(X2, Y2) and (X3, Y3)-(X4, Y4) cross, each
// one's ends strictly on opposite sides of the other's line. X and Y get
// the intersection of the two lines; parallel or degenerate segments give
// false and leave them.
bool CrossingLines(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                   double Y4, double& X, double& Y);
