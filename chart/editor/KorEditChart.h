#pragma once

#include "chart/editor/TChartEditForm.h"

class QWidget;
class TChartAxis;
class TChartSeries;
class TChartTitle;
class TCustomChart;
class TCustomChartWall;
class TKorCustomTool;
struct TChartClickedPart;

// Entry points that open the chart editor dialog modally, straight on one
// page or object of a chart, and free it when it closes. Owner is the
// dialog's parent window (may be none). Nothing happens without a chart.

// On the first page.
void EditChart(QWidget* Owner, TCustomChart* Chart);
// On the "Chart" sub-page PageIndex (a TChartEditorTab from cetMain to
// cet3D, or a main page tab).
void EditChartPage(QWidget* Owner, TCustomChart* Chart, int PageIndex);
void EditChartLegend(QWidget* Owner, TCustomChart* Chart);
void EditChartAxis(QWidget* Owner, TChartAxis* Axis);
// Titles and walls do not tell their chart, so the chart comes with them.
void EditChartTitle(QWidget* Owner, TCustomChart* Chart, TChartTitle* Title);
void EditChartWall(QWidget* Owner, TCustomChart* Chart, TCustomChartWall* Wall);
void EditSeries(QWidget* Owner, TChartSeries* Series);
// The series page on its marks tab, and the marks' symbol tab inside it
// when SymbolPage.
void EditSeriesMarks(QWidget* Owner, TChartSeries* Series, bool SymbolPage = false);
void EditSeriesDataSource(QWidget* Owner, TChartSeries* Series);
void EditChartTool(QWidget* Owner, TKorCustomTool* Tool);
// The reduced editor, for changing how a chart looks without touching its
// data: the series can be renamed and reordered but not added, deleted,
// cloned, given another type or another data source; the Chart sub-pages
// (but paging) and the series page are offered, while the data, tools,
// export and print pages are not.
void EditDSSChart(QWidget* Owner, TCustomChart* Chart);
// The page for what was clicked: legend, axis, series, a title or the
// series marks; anything else opens the first page.
void EditChartPart(QWidget* Owner, TCustomChart* Chart, const TChartClickedPart& Part);
