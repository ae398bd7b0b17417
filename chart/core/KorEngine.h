#pragma once

#include "platform/ClassRegistry.h"

#include <QChar>
#include <QString>

#include <functional>
#include <vector>

class TChartSeries;
class TComponent;
class TKorSeriesSource;
class TCustomSeriesList;
class TStringList;
class TCanvas;
class TCustomChartElement;

// Separates the lines of a mark, label or legend text (CR, code 13).
inline constexpr QChar KorLineSeparator = QChar(13);
// Separates the columns of a legend text (code 6).
inline constexpr QChar KorColumnSeparator = QChar(6);
// Pixels around an axis line that still count as a click on the axis.
inline constexpr int KorAxisClickGap = 3;
// The step by which value lists grow.
inline constexpr int KorDefaultCapacity = 1000;
// The largest pixel coordinate drawing code produces; values beyond are
// clamped so that far-away points neither overflow nor cost time.
inline constexpr int KorMaxPixelPos = 0x3FFFFFF;
// Whether series may fill themselves with random sample values outside a
// designer.
extern bool KorRandomAtRunTime;

using TKorSeriesSourceClass = TClassOf<TKorSeriesSource>;
// The data-source classes that editors offer for series beside manual,
// random and function data, in the order registered; made on first use.
std::vector<TKorSeriesSourceClass>& KorSources();
// Each class once; a registered class is also found by streams.
void RegisterKorSeriesSource(TKorSeriesSourceClass ASourceClass);
void UnRegisterKorSeriesSource(TKorSeriesSourceClass ASourceClass);

// A series link read from a stream by name: Set gets the series that
// Name names among Owner's components, or none for an empty name; a name
// no component of Owner bears yet is kept in Pending, for the link to be
// made once loading ends.
void KorResolveSeriesName(const TComponent* Owner, const QString& Name, QString& Pending,
                          const std::function<void(TChartSeries*)>& Set);

// The series' title with column separators as blanks; else its component
// name; else "Series" and its 1-based place in its chart; else empty.
QString SeriesTitleOrName(const TChartSeries* ASeries);

// Appends, within one update bracket, every series of ASeriesList that is
// shown in editors to Strings, with the series as the item's object: the
// text is SeriesTitleOrName with UseTitles, else the component name.
void FillSeriesItems(TStringList& Strings, const TCustomSeriesList& ASeriesList, bool UseTitles);

// Whether an export has to write the non-mandatory values: false for an
// empty series and for a series type that never stores them; otherwise
// true unless they are exactly 0, 1, 2, ... (every point is examined).
bool HasNoMandatoryValues(const TChartSeries& ASeries);
// Whether some point has an own colour other than clDefault and the
// series colour (every point is examined).
bool HasColors(const TChartSeries& ASeries);
// Whether some point has a non-empty label (every point is examined).
bool HasLabels(const TChartSeries& ASeries);

// An error message box with Text, through the platform's message hook.
void ShowMessageUser(const QString& Text);

// Draws the editor bitmap of Element's class at (X, Y), its transparent
// colour left out; nothing when the class has no bitmap.
void KorDrawBitmapEditor(TCanvas& Canvas, const TCustomChartElement& Element, int X, int Y);

// Raises ChartException for an index outside 0 .. ACount - 1 of one of
// the engine's lists.
void KorCheckListIndex(int Index, int ACount);
