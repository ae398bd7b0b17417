#pragma once

#include "platform/ClassRegistry.h"

#include <QString>

class TChartSeries;
class TKorFunction;

using TChartSeriesClass = TClassOf<TChartSeries>;
using TKorFunctionClass = TClassOf<TKorFunction>;

// Data: one entry of the series-type registry that galleries and editors
// list: a series class, a function class, or a series class computed by a
// function class. The texts are references to the library's message
// variables, so that a change of language shows at once.
class TKorSeriesType {
 public:
  TKorSeriesType(TChartSeriesClass ASeriesClass, TKorFunctionClass AFunctionClass,
                 const QString* ADescription, const QString* AGalleryPage, int AGallerySeriesCount)
      : SeriesClassRef(ASeriesClass),
        FunctionClassRef(AFunctionClass),
        DescriptionText(ADescription),
        GalleryTab(AGalleryPage),
        GallerySeriesCount(AGallerySeriesCount) {}

  // The current texts (empty when no text variable was given).
  QString Description() const;
  QString GalleryPage() const;

  TChartSeriesClass SeriesClassRef;    // none for a pure function entry
  TKorFunctionClass FunctionClassRef;  // none for a plain series entry
  const QString* DescriptionText;      // not owned
  const QString* GalleryTab;           // not owned
  int GallerySeriesCount;              // series the gallery makes to preview the type
};
