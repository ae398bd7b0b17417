#pragma once

#include "chart/core/TKorSeriesType.h"

#include <QString>

#include <memory>
#include <vector>

// Data: the process-wide register of series and function types in the
// order they were registered; it owns its entries. The series, function
// and tool libraries fill it through the registration functions below,
// called from the program's start-up (and from test fixtures), never from
// static initialisers: a self-registering object in a static library is
// left out by the linker when nothing else refers to its file.
class TKorSeriesTypes {
 public:
  TKorSeriesTypes() = default;
  TKorSeriesTypes(const TKorSeriesTypes&) = delete;
  TKorSeriesTypes& operator=(const TKorSeriesTypes&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises ChartException for an index outside the list.
  TKorSeriesType* Get(int Index) const;
  TKorSeriesType* operator[](int Index) const { return Get(Index); }
  // The first entry of that series class without a function class; none
  // when there is no such entry.
  TKorSeriesType* Find(TChartSeriesClass ASeriesClass) const;
  // The entry with exactly these two classes (either may be none), or none.
  TKorSeriesType* Find(TChartSeriesClass ASeriesClass, TKorFunctionClass AFunctionClass) const;

  void Add(std::unique_ptr<TKorSeriesType> AType);
  // Frees entry Index (raises ChartException outside the list).
  void Delete(int Index);
  // Frees every entry.
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<TKorSeriesType>> FItems;
};

// The register, made on first use.
TKorSeriesTypes& KorSeriesTypes();

// Each given class is registered for streaming; a new entry is appended
// unless one with the same series and function classes exists. The texts
// are references to message variables that must outlive the entry.
void RegisterKorSeriesFunction(TChartSeriesClass ASeriesClass, TKorFunctionClass AFunctionClass,
                               const QString* ADescription, const QString* AGalleryPage,
                               int ANumGallerySeries);
void RegisterKorSeries(TChartSeriesClass ASeriesClass, const QString* ADescription,
                       const QString* AGalleryPage, int ANumGallerySeries);
// On the "Standard" page with two gallery series.
void RegisterKorSeries(TChartSeriesClass ASeriesClass, const QString* ADescription);
void RegisterKorFunction(TKorFunctionClass AFunctionClass, const QString* ADescription,
                         const QString* AGalleryPage, int ANumGallerySeries);
// On the "Standard" page with two gallery series.
void RegisterKorBasicFunction(TKorFunctionClass AFunctionClass, const QString* ADescription);

// Every entry whose series (function) class is one of the given classes
// is removed and freed. The classes stay registered for streaming.
void UnRegisterKorSeries(const std::vector<TChartSeriesClass>& SeriesClasses);
void UnRegisterKorFunctions(const std::vector<TKorFunctionClass>& FunctionClasses);

// The gallery description of the series' class, else its class name.
QString GetGallerySeriesName(const TChartSeries& ASeries);
