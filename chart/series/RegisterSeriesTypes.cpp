#include "chart/series/RegisterSeriesTypes.h"

#include "chart/series/SeriesTypePictures.h"
#include "chart/series/TAddKorFunction.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TArrowSeries.h"
#include "chart/series/TAverageKorFunction.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TBubbleSeries.h"
#include "chart/series/TChartShape.h"
#include "chart/series/TCustomKorFunction.h"
#include "chart/series/TDivideKorFunction.h"
#include "chart/series/TErrorBarSeries.h"
#include "chart/series/TErrorSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/TGanttSeries.h"
#include "chart/series/THighKorFunction.h"
#include "chart/series/THighLowSeries.h"
#include "chart/series/THorizAreaSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/THorizLineSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TLowKorFunction.h"
#include "chart/series/TMedianKorFunction.h"
#include "chart/series/TModeKorFunction.h"
#include "chart/series/TMultiplyKorFunction.h"
#include "chart/series/TPieSeries.h"
#include "chart/series/TPointSeries.h"
#include "chart/series/TSubtractKorFunction.h"

#include "chart/core/Korconst.h"
#include "chart/core/Korproco.h"
#include "chart/core/TKorSeriesTypes.h"

#include <vector>

namespace {

void RegisterErrorTypes() {
  RegisterKorSeries(TChartSeriesClass::Of<TErrorBarSeries>(), &Korproco::KorMsg_GalleryErrorBar,
                    &Korproco::KorMsg_GalleryStats, 1);
  RegisterKorSeries(TChartSeriesClass::Of<TErrorSeries>(), &Korproco::KorMsg_GalleryError,
                    &Korproco::KorMsg_GalleryStats, 1);
  RegisterKorSeries(TChartSeriesClass::Of<THighLowSeries>(), &Korproco::KorMsg_GalleryHighLow,
                    &Korproco::KorMsg_GalleryStats, 1);
}

// Arrow, bubble, Gantt and shape: each on the page its own type names.
void RegisterExtendedTypes() {
  RegisterKorSeries(TChartSeriesClass::Of<TArrowSeries>(), &Korconst::KorMsg_GalleryArrow,
                    &Korconst::KorMsg_GalleryExtended, 2);
  RegisterKorSeries(TChartSeriesClass::Of<TBubbleSeries>(), &Korconst::KorMsg_GalleryBubble,
                    &Korconst::KorMsg_GalleryStandard, 1);
  RegisterKorSeries(TChartSeriesClass::Of<TGanttSeries>(), &Korconst::KorMsg_GalleryGantt,
                    &Korconst::KorMsg_GalleryStandard, 1);
  RegisterKorSeries(TChartSeriesClass::Of<TChartShape>(), &Korconst::KorMsg_GalleryShape,
                    &Korconst::KorMsg_GalleryStandard, 2);
}

// The ten standard functions in the order the gallery and editor list them.
std::vector<TKorFunctionClass> StandardFunctions() {
  return {
      TKorFunctionClass::Of<TAddKorFunction>(),      TKorFunctionClass::Of<TSubtractKorFunction>(),
      TKorFunctionClass::Of<TMultiplyKorFunction>(), TKorFunctionClass::Of<TDivideKorFunction>(),
      TKorFunctionClass::Of<THighKorFunction>(),     TKorFunctionClass::Of<TLowKorFunction>(),
      TKorFunctionClass::Of<TAverageKorFunction>(),  TKorFunctionClass::Of<TCustomKorFunction>(),
      TKorFunctionClass::Of<TMedianKorFunction>(),   TKorFunctionClass::Of<TModeKorFunction>()};
}

void RegisterStandardFunctions() {
  const std::vector<const QString*> Descriptions = {
      &Korconst::KorMsg_FunctionAdd,      &Korconst::KorMsg_FunctionSubtract,
      &Korconst::KorMsg_FunctionMultiply, &Korconst::KorMsg_FunctionDivide,
      &Korconst::KorMsg_FunctionHigh,     &Korconst::KorMsg_FunctionLow,
      &Korconst::KorMsg_FunctionAverage,  &Korconst::KorMsg_FunctionCustom,
      &Korconst::KorMsg_FunctionMedian,   &Korconst::KorMsg_FunctionMode};
  const std::vector<TKorFunctionClass> Classes = StandardFunctions();
  for (size_t I = 0; I < Classes.size(); ++I) RegisterKorBasicFunction(Classes[I], Descriptions[I]);
}

}  // namespace

void RegisterKorStandardSeries() {
  const QString* Page = &Korconst::KorMsg_GalleryStandard;
  RegisterKorSeries(TChartSeriesClass::Of<TLineSeries>(), &Korconst::KorMsg_GalleryLine, Page, 2);
  RegisterKorSeries(TChartSeriesClass::Of<TBarSeries>(), &Korconst::KorMsg_GalleryBar, Page, 2);
  RegisterKorSeries(TChartSeriesClass::Of<THorizBarSeries>(), &Korconst::KorMsg_GalleryHorizBar,
                    Page, 2);
  RegisterKorSeries(TChartSeriesClass::Of<TAreaSeries>(), &Korconst::KorMsg_GalleryArea, Page, 2);
  RegisterKorSeries(TChartSeriesClass::Of<TPointSeries>(), &Korconst::KorMsg_GalleryPoint, Page, 2);
  RegisterKorSeries(TChartSeriesClass::Of<TPieSeries>(), &Korconst::KorMsg_GalleryPie, Page, 1);
  RegisterKorSeries(TChartSeriesClass::Of<TFastLineSeries>(), &Korconst::KorMsg_GalleryFastLine,
                    Page, 2);
  RegisterKorSeries(TChartSeriesClass::Of<THorizLineSeries>(), &Korconst::KorMsg_GalleryHorizLine,
                    Page, 1);
  RegisterKorSeries(TChartSeriesClass::Of<THorizAreaSeries>(), &Korconst::KorMsg_GalleryHorizArea,
                    Page, 1);
}

void RegisterSeriesTypes() {
  RegisterKorStandardSeries();
  RegisterErrorTypes();
  RegisterExtendedTypes();
  RegisterStandardFunctions();
  RegisterSeriesTypePictures();
}

void UnRegisterSeriesTypes() {
  UnRegisterKorSeries(
      {TChartSeriesClass::Of<TLineSeries>(), TChartSeriesClass::Of<TBarSeries>(),
       TChartSeriesClass::Of<THorizBarSeries>(), TChartSeriesClass::Of<TAreaSeries>(),
       TChartSeriesClass::Of<TPointSeries>(), TChartSeriesClass::Of<TPieSeries>(),
       TChartSeriesClass::Of<TFastLineSeries>(), TChartSeriesClass::Of<THorizLineSeries>(),
       TChartSeriesClass::Of<THorizAreaSeries>()});
  UnRegisterKorSeries({TChartSeriesClass::Of<TErrorBarSeries>(),
                       TChartSeriesClass::Of<TErrorSeries>(),
                       TChartSeriesClass::Of<THighLowSeries>()});
  UnRegisterKorSeries(
      {TChartSeriesClass::Of<TArrowSeries>(), TChartSeriesClass::Of<TBubbleSeries>(),
       TChartSeriesClass::Of<TGanttSeries>(), TChartSeriesClass::Of<TChartShape>()});
  UnRegisterKorFunctions(StandardFunctions());
  UnRegisterSeriesTypePictures();
}
