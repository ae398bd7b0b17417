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

#include "chart/core/KorTypePictures.h"
#include "chart/core/TKorSeriesType.h"

#include "platform/TCanvas.h"

#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace KorPicture;

// -- series: small charts of sample data over the gallery's axes

void LinePicture(TCanvas& C) {
  Axes(C);
  Pen(C, clRed);
  Lines(C, {TPoint(2, 11), TPoint(5, 6), TPoint(8, 9), TPoint(13, 3)});
  Lines(C, {TPoint(2, 12), TPoint(5, 7), TPoint(8, 10), TPoint(13, 4)});
}

void FastLinePicture(TCanvas& C) {
  Axes(C);
  Pen(C, clBlue);
  Lines(C,
        {TPoint(2, 10), TPoint(3, 7), TPoint(4, 9), TPoint(5, 5), TPoint(6, 8), TPoint(7, 6),
         TPoint(8, 10), TPoint(9, 4), TPoint(10, 7), TPoint(11, 3), TPoint(12, 6), TPoint(13, 2)});
}

void HorizLinePicture(TCanvas& C) {
  Axes(C);
  Pen(C, clRed);
  Lines(C, {TPoint(4, 13), TPoint(10, 10), TPoint(6, 6), TPoint(12, 2)});
  Lines(C, {TPoint(5, 13), TPoint(11, 10), TPoint(7, 6), TPoint(13, 2)});
}

void BarPicture(TCanvas& C) {
  Axes(C);
  Box(C, TRect(3, 7, 6, 14), clRed, clBlack);
  Box(C, TRect(7, 3, 10, 14), clRed, clBlack);
  Box(C, TRect(11, 9, 14, 14), clRed, clBlack);
}

void HorizBarPicture(TCanvas& C) {
  Axes(C);
  Box(C, TRect(2, 2, 10, 5), clGreen, clBlack);
  Box(C, TRect(2, 6, 14, 9), clGreen, clBlack);
  Box(C, TRect(2, 10, 7, 13), clGreen, clBlack);
}

void AreaPicture(TCanvas& C) {
  Axes(C);
  Brush(C, clRed);
  Pen(C, clMaroon);
  Shape(C,
        {TPoint(2, 13), TPoint(2, 9), TPoint(6, 5), TPoint(9, 8), TPoint(13, 3), TPoint(13, 13)});
}

void HorizAreaPicture(TCanvas& C) {
  Axes(C);
  Brush(C, clTeal);
  Pen(C, clNavy);
  Shape(C, {TPoint(2, 13), TPoint(9, 13), TPoint(5, 9), TPoint(11, 6), TPoint(7, 2), TPoint(2, 2)});
}

void PointPicture(TCanvas& C) {
  Axes(C);
  for (const TPoint P : {TPoint(4, 10), TPoint(7, 5), TPoint(10, 8), TPoint(12, 3)})
    Box(C, TRect(P.X - 1, P.Y - 1, P.X + 2, P.Y + 2), clYellow, clBlack);
}

void PiePicture(TCanvas& C) {
  Pen(C, clBlack);
  Brush(C, clRed);
  C.Pie(1, 1, 15, 15, 15, 8, 8, 1);
  Brush(C, clBlue);
  C.Pie(1, 1, 15, 15, 8, 1, 3, 13);
  Brush(C, clYellow);
  C.Pie(1, 1, 15, 15, 3, 13, 15, 8);
}

void ErrorBarPicture(TCanvas& C) {
  Axes(C);
  Box(C, TRect(3, 8, 7, 14), clRed, clBlack);
  Box(C, TRect(9, 5, 13, 14), clRed, clBlack);
  Pen(C, clBlack);
  Lines(C, {TPoint(5, 8), TPoint(5, 4)});
  Lines(C, {TPoint(4, 4), TPoint(6, 4)});
  Lines(C, {TPoint(11, 5), TPoint(11, 1)});
  Lines(C, {TPoint(10, 1), TPoint(12, 1)});
}

void ErrorPicture(TCanvas& C) {
  Axes(C);
  Pen(C, clBlue);
  for (const auto& [X, Top, Bottom] : {std::tuple{4, 6, 12}, {8, 2, 9}, {12, 5, 10}}) {
    Lines(C, {TPoint(X, Top), TPoint(X, Bottom)});
    Lines(C, {TPoint(X - 1, Top), TPoint(X + 1, Top)});
    Lines(C, {TPoint(X - 1, Bottom), TPoint(X + 1, Bottom)});
  }
}

void HighLowPicture(TCanvas& C) {
  Axes(C);
  Pen(C, clGray);
  for (const auto& [X, High, Low] : {std::tuple{3, 5, 11}, {7, 3, 9}, {10, 6, 12}, {13, 2, 8}})
    Lines(C, {TPoint(X, High), TPoint(X, Low)});
  Pen(C, clRed);
  Lines(C, {TPoint(3, 5), TPoint(7, 3), TPoint(10, 6), TPoint(13, 2)});
  Pen(C, clBlue);
  Lines(C, {TPoint(3, 11), TPoint(7, 9), TPoint(10, 12), TPoint(13, 8)});
}

void ArrowPicture(TCanvas& C) {
  Axes(C);
  Pen(C, clRed);
  Lines(C, {TPoint(3, 12), TPoint(12, 3)});
  Lines(C, {TPoint(12, 3), TPoint(8, 3)});
  Lines(C, {TPoint(12, 3), TPoint(12, 7)});
  Pen(C, clBlue);
  Lines(C, {TPoint(4, 4), TPoint(9, 10)});
  Lines(C, {TPoint(9, 10), TPoint(6, 10)});
  Lines(C, {TPoint(9, 10), TPoint(9, 7)});
}

void BubblePicture(TCanvas& C) {
  Axes(C);
  Pen(C, clBlack);
  Brush(C, clYellow);
  C.Ellipse(6, 2, 15, 11);
  Brush(C, clRed);
  C.Ellipse(2, 8, 8, 14);
  Brush(C, clLime);
  C.Ellipse(10, 10, 14, 14);
}

void GanttPicture(TCanvas& C) {
  Axes(C);
  Box(C, TRect(2, 2, 8, 5), clBlue, clBlack);
  Box(C, TRect(6, 6, 12, 9), clLime, clBlack);
  Box(C, TRect(10, 10, 15, 13), clRed, clBlack);
  Pen(C, clBlack);
  Lines(C, {TPoint(8, 3), TPoint(9, 3), TPoint(9, 6)});
  Lines(C, {TPoint(12, 7), TPoint(13, 7), TPoint(13, 10)});
}

void ShapePicture(TCanvas& C) {
  Axes(C);
  Pen(C, clNavy);
  Brush(C, clAqua);
  C.RoundRect(3, 3, 14, 12, 5, 5);
  Pen(C, clNavy);
  Lines(C, {TPoint(6, 7), TPoint(11, 7)});
}

// -- functions: the source in grey, what the function makes of it in colour

void Operator(TCanvas& C, TColor Color, std::initializer_list<std::pair<TPoint, TPoint>> Strokes) {
  Box(C, TRect(1, 1, 15, 15), clCream, clGray);
  Pen(C, Color, 2);
  for (const auto& [From, To] : Strokes) {
    C.MoveTo(From.X, From.Y);
    C.LineTo(To.X, To.Y);
  }
}

void AddPicture(TCanvas& C) {
  Operator(C, clNavy, {{TPoint(4, 8), TPoint(12, 8)}, {TPoint(8, 4), TPoint(8, 12)}});
}

void SubtractPicture(TCanvas& C) {
  Operator(C, clNavy, {{TPoint(4, 8), TPoint(12, 8)}});
}

void MultiplyPicture(TCanvas& C) {
  Operator(C, clNavy, {{TPoint(4, 4), TPoint(12, 12)}, {TPoint(12, 4), TPoint(4, 12)}});
}

void DividePicture(TCanvas& C) {
  Operator(C, clNavy,
           {{TPoint(4, 8), TPoint(12, 8)},
            {TPoint(8, 4), TPoint(8, 5)},
            {TPoint(8, 11), TPoint(8, 12)}});
}

// The source series of the statistics' pictures.
void Source(TCanvas& C) {
  Axes(C);
  Pen(C, clGray);
  Lines(C, {TPoint(2, 9), TPoint(5, 4), TPoint(8, 11), TPoint(11, 6), TPoint(13, 12)});
}

void Level(TCanvas& C, int Y) {
  Pen(C, clRed);
  Lines(C, {TPoint(2, Y), TPoint(13, Y)});
}

void HighPicture(TCanvas& C) {
  Source(C);
  Level(C, 4);
}

void LowPicture(TCanvas& C) {
  Source(C);
  Level(C, 12);
}

void AveragePicture(TCanvas& C) {
  Source(C);
  Pen(C, clRed);
  for (int X = 2; X <= 13; X += 3) Lines(C, {TPoint(X, 8), TPoint(X + 1, 8)});
}

void CustomPicture(TCanvas& C) {
  Axes(C);
  Pen(C, clPurple);
  Lines(C, {TPoint(2, 12), TPoint(4, 8), TPoint(6, 5), TPoint(8, 4), TPoint(10, 5), TPoint(12, 8),
            TPoint(13, 11)});
  Lines(C, {TPoint(2, 13), TPoint(4, 9), TPoint(6, 6), TPoint(8, 5), TPoint(10, 6), TPoint(12, 9),
            TPoint(13, 12)});
}

void MedianPicture(TCanvas& C) {
  Axes(C);
  for (const auto& [X, Top] : {std::pair{3, 11}, {5, 9}, {7, 7}, {9, 5}, {11, 3}})
    Box(C, TRect(X, Top, X + 2, 14), clSilver, clGray);
  Box(C, TRect(7, 7, 9, 14), clRed, clMaroon);
}

void ModePicture(TCanvas& C) {
  Axes(C);
  for (const auto& [X, Top] : {std::pair{3, 10}, {6, 3}, {9, 8}, {12, 11}})
    Box(C, TRect(X, Top, X + 2, 14), X == 6 ? clRed : clSilver, X == 6 ? clMaroon : clGray);
}

std::vector<TKorClassPicture> Pictures() {
  auto S = [](auto Class) { return Class.ClassName(); };
  return {
      {S(TChartSeriesClass::Of<TLineSeries>()), &LinePicture},
      {S(TChartSeriesClass::Of<TFastLineSeries>()), &FastLinePicture},
      {S(TChartSeriesClass::Of<THorizLineSeries>()), &HorizLinePicture},
      {S(TChartSeriesClass::Of<TBarSeries>()), &BarPicture},
      {S(TChartSeriesClass::Of<THorizBarSeries>()), &HorizBarPicture},
      {S(TChartSeriesClass::Of<TAreaSeries>()), &AreaPicture},
      {S(TChartSeriesClass::Of<THorizAreaSeries>()), &HorizAreaPicture},
      {S(TChartSeriesClass::Of<TPointSeries>()), &PointPicture},
      {S(TChartSeriesClass::Of<TPieSeries>()), &PiePicture},
      {S(TChartSeriesClass::Of<TErrorBarSeries>()), &ErrorBarPicture},
      {S(TChartSeriesClass::Of<TErrorSeries>()), &ErrorPicture},
      {S(TChartSeriesClass::Of<THighLowSeries>()), &HighLowPicture},
      {S(TChartSeriesClass::Of<TArrowSeries>()), &ArrowPicture},
      {S(TChartSeriesClass::Of<TBubbleSeries>()), &BubblePicture},
      {S(TChartSeriesClass::Of<TGanttSeries>()), &GanttPicture},
      {S(TChartSeriesClass::Of<TChartShape>()), &ShapePicture},
      {S(TKorFunctionClass::Of<TAddKorFunction>()), &AddPicture},
      {S(TKorFunctionClass::Of<TSubtractKorFunction>()), &SubtractPicture},
      {S(TKorFunctionClass::Of<TMultiplyKorFunction>()), &MultiplyPicture},
      {S(TKorFunctionClass::Of<TDivideKorFunction>()), &DividePicture},
      {S(TKorFunctionClass::Of<THighKorFunction>()), &HighPicture},
      {S(TKorFunctionClass::Of<TLowKorFunction>()), &LowPicture},
      {S(TKorFunctionClass::Of<TAverageKorFunction>()), &AveragePicture},
      {S(TKorFunctionClass::Of<TCustomKorFunction>()), &CustomPicture},
      {S(TKorFunctionClass::Of<TMedianKorFunction>()), &MedianPicture},
      {S(TKorFunctionClass::Of<TModeKorFunction>()), &ModePicture},
  };
}

}  // namespace

void RegisterSeriesTypePictures() {
  RegisterKorPictures(Pictures());
}

void UnRegisterSeriesTypePictures() {
  UnRegisterKorPictures(Pictures());
}
