#pragma once

#include "chart/core/TKorSeriesType.h"

#include <QString>

class TChartSeries;
class TComponent;
class TCustomAxisPanel;
class TKorFunction;

// Making series and functions with unique component names, copying a
// series and replacing a series by one of another class. Cloning needs
// the class of the series (and of its function) to be registered, as
// the registration functions do for every gallery type: C++ cannot make
// an instance of an object's class from the object alone.

// "Series" and the smallest number from 1 that no component of AOwner
// has as its name; "Series1" without an owner.
QString GetNewSeriesName(const TComponent* AOwner);

// A function of AFunctionClass owned by the series' owner, computing into
// ASeries, named "KorFunction" and a number unique in that owner.
TKorFunction* CreateNewKorFunction(TChartSeries& ASeries, TKorFunctionClass AFunctionClass);

// A new series of ASeriesClass on AChart (which may be none), uniquely
// named, with a new function of AFunctionClass when one is given. Its
// owner is AOwner, else the chart; but the chart whenever a series of the
// chart is already owned by the chart itself.
TChartSeries* CreateNewSeries(TComponent* AOwner, TCustomAxisPanel* AChart,
                              TChartSeriesClass ASeriesClass,
                              TKorFunctionClass AFunctionClass = TKorFunctionClass());

// A new series of ASeries' class (with a new function of its function's
// class and settings) made by CreateNewSeries and assigned from ASeries:
// all properties and data. By default in the series' owner and chart.
// Raises ChartException when the series' or its function's class was
// never registered.
TChartSeries* CloneChartSeries(TChartSeries& ASeries);
TChartSeries* CloneChartSeries(TChartSeries& ASeries, TCustomAxisPanel* AChart);
TChartSeries* CloneChartSeries(TChartSeries& ASeries, TComponent* AOwner, TCustomAxisPanel* AChart);

// Replaces ASeries by a new series of ANewClass that takes over
// everything (AssignSeries); ASeries then refers to the new series, which
// is returned. Nothing happens when ASeries already is of that class. The
// old series is freed.
TChartSeries* ChangeSeriesType(TChartSeries*& ASeries, TChartSeriesClass ANewClass);
// ChangeSeriesType on every series of AChart.
void ChangeAllSeriesType(TCustomAxisPanel& AChart, TChartSeriesClass ANewClass);

// NewSeries takes OldSeries' properties, data, event handlers (not the
// mouse enter and leave ones), the series computed from it, the series
// tools pointing at it, its place in the chart and its name; OldSeries is
// then freed and set to none. Nothing when both are the same series.
void AssignSeries(TChartSeries*& OldSeries, TChartSeries*& NewSeries);
