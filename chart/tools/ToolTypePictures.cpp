#include "chart/tools/ToolTypePictures.h"

#include "chart/tools/TAnnotationTool.h"
#include "chart/tools/TAxisArrowTool.h"
#include "chart/tools/TAxisScrollTool.h"
#include "chart/tools/TChartImageTool.h"
#include "chart/tools/TClipSeriesTool.h"
#include "chart/tools/TColorBandTool.h"
#include "chart/tools/TColorLineTool.h"
#include "chart/tools/TCursorTool.h"
#include "chart/tools/TDragMarksTool.h"
#include "chart/tools/TDragPointTool.h"
#include "chart/tools/TDrawLineTool.h"
#include "chart/tools/TGridBandTool.h"
#include "chart/tools/TMarksTipTool.h"
#include "chart/tools/TNearestTool.h"
#include "chart/tools/TRectangleTool.h"
#include "chart/tools/TRotateTool.h"
#include "chart/tools/TSelectorTool.h"
#include "chart/tools/TSeriesAnimationTool.h"

#include "chart/core/KorTypePictures.h"
#include "chart/core/TKorToolTypes.h"

#include "platform/TCanvas.h"

#include <vector>

namespace {

using namespace KorPicture;

// The pale yellow of tips, as a plain colour: pictures do not follow the
// system's colours.
constexpr TColor TipColor = 0xE1FFFF;

// A grey line series under several of the tools.
void Trace(TCanvas& C) {
  Pen(C, clGray);
  Lines(C, {TPoint(1, 11), TPoint(5, 6), TPoint(9, 9), TPoint(14, 4)});
}

// A small filled arrow head at Tip pointing along (DX, DY), one of the four
// axis directions.
void Head(TCanvas& C, TPoint Tip, int DX, int DY, TColor Color) {
  Brush(C, Color);
  Pen(C, Color);
  const int Back = 3;
  const TPoint Base(Tip.X - DX * Back, Tip.Y - DY * Back);
  Shape(C,
        {Tip, TPoint(Base.X + DY * 2, Base.Y + DX * 2), TPoint(Base.X - DY * 2, Base.Y - DX * 2)});
}

void CursorPicture(TCanvas& C) {
  Trace(C);
  Pen(C, clBlue);
  Lines(C, {TPoint(8, 1), TPoint(8, 14)});
  Lines(C, {TPoint(1, 8), TPoint(14, 8)});
}

void DragMarksPicture(TCanvas& C) {
  Trace(C);
  Box(C, TRect(5, 1, 14, 7), clYellow, clBlack);
  Pen(C, clBlack);
  Lines(C, {TPoint(6, 7), TPoint(4, 11)});
  Head(C, TPoint(1, 13), -1, 0, clRed);
  Lines(C, {TPoint(1, 13), TPoint(6, 13)});
}

void AxisArrowPicture(TCanvas& C) {
  Pen(C, clGray);
  Lines(C, {TPoint(1, 14), TPoint(14, 14)});
  Lines(C, {TPoint(1, 1), TPoint(1, 14)});
  Head(C, TPoint(14, 10), 1, 0, clNavy);
  Head(C, TPoint(5, 1), 0, -1, clNavy);
}

void DrawLinePicture(TCanvas& C) {
  Pen(C, clBlue);
  Lines(C, {TPoint(3, 12), TPoint(12, 3)});
  Box(C, TRect(1, 10, 6, 15), clWhite, clBlack);
  Box(C, TRect(10, 1, 15, 6), clWhite, clBlack);
}

void NearestPicture(TCanvas& C) {
  Trace(C);
  Pen(C, clRed);
  Brush(C, clNone);
  C.Ellipse(2, 1, 10, 9);
  Pen(C, clBlack);
  Lines(C, {TPoint(9, 9), TPoint(13, 13)});
}

void ColorBandPicture(TCanvas& C) {
  Box(C, TRect(5, 1, 11, 15), clAqua, clNone);
  Trace(C);
}

void ColorLinePicture(TCanvas& C) {
  Trace(C);
  Pen(C, clRed, 2);
  C.MoveTo(8, 1);
  C.LineTo(8, 15);
}

void RotatePicture(TCanvas& C) {
  Pen(C, clNavy, 2);
  Brush(C, clNone);
  C.Arc(2, 2, 14, 14, 14, 8, 8, 14);
  Head(C, TPoint(9, 14), -1, 0, clNavy);
}

void ChartImagePicture(TCanvas& C) {
  Box(C, TRect(1, 2, 15, 14), clSkyBlue, clGray);
  Brush(C, clGreen);
  Pen(C, clGreen);
  Shape(C, {TPoint(2, 13), TPoint(6, 7), TPoint(9, 10), TPoint(11, 8), TPoint(14, 13)});
  Brush(C, clYellow);
  Pen(C, clOlive);
  C.Ellipse(10, 3, 14, 7);
}

void MarksTipPicture(TCanvas& C) {
  Trace(C);
  Box(C, TRect(2, 1, 14, 7), TipColor, clBlack);
  Pen(C, clBlack);
  Lines(C, {TPoint(4, 7), TPoint(5, 9)});
  Lines(C, {TPoint(4, 4), TPoint(11, 4)});
}

void AnnotationPicture(TCanvas& C) {
  Box(C, TRect(1, 2, 15, 14), clWhite, clBlack);
  Pen(C, clNavy);
  Lines(C, {TPoint(3, 5), TPoint(12, 5)});
  Lines(C, {TPoint(3, 8), TPoint(10, 8)});
  Lines(C, {TPoint(3, 11), TPoint(12, 11)});
}

void SeriesAnimationPicture(TCanvas& C) {
  Axes(C);
  Box(C, TRect(3, 9, 6, 14), clRed, clBlack);
  Box(C, TRect(7, 6, 10, 14), clRed, clBlack);
  Box(C, TRect(11, 3, 14, 14), clRed, clBlack);
  Head(C, TPoint(4, 3), 0, -1, clBlue);
  Lines(C, {TPoint(4, 3), TPoint(4, 7)});
}

void GridBandPicture(TCanvas& C) {
  for (int Y = 1; Y < 15; Y += 6) Box(C, TRect(1, Y, 15, Y + 3), clSilver, clNone);
  Axes(C);
}

void AxisScrollPicture(TCanvas& C) {
  Pen(C, clGray);
  Lines(C, {TPoint(1, 12), TPoint(14, 12)});
  for (int X = 3; X <= 13; X += 5) Lines(C, {TPoint(X, 12), TPoint(X, 14)});
  Pen(C, clNavy);
  Lines(C, {TPoint(3, 6), TPoint(12, 6)});
  Head(C, TPoint(1, 6), -1, 0, clNavy);
  Head(C, TPoint(14, 6), 1, 0, clNavy);
}

void RectanglePicture(TCanvas& C) {
  Box(C, TRect(2, 3, 14, 13), clMoneyGreen, clBlack);
  for (const TPoint P : {TPoint(2, 3), TPoint(13, 3), TPoint(2, 12), TPoint(13, 12)})
    Box(C, TRect(P.X - 1, P.Y - 1, P.X + 2, P.Y + 2), clBlack, clNone);
}

void ClipSeriesPicture(TCanvas& C) {
  Pen(C, clGray);
  Brush(C, clNone);
  C.Rectangle(4, 4, 12, 12);
  Pen(C, clRed, 2);
  C.MoveTo(4, 10);
  C.LineTo(8, 6);
  C.LineTo(11, 8);
  Pen(C, clSilver);
  Lines(C, {TPoint(1, 13), TPoint(4, 10)});
  Lines(C, {TPoint(11, 8), TPoint(14, 2)});
}

void SelectorPicture(TCanvas& C) {
  Pen(C, clGray);
  Brush(C, clNone);
  C.Rectangle(1, 1, 11, 11);
  Brush(C, clWhite);
  Pen(C, clBlack);
  Shape(C, {TPoint(6, 5), TPoint(6, 15), TPoint(8, 12), TPoint(10, 15), TPoint(11, 14),
            TPoint(9, 11), TPoint(12, 11)});
}

void DragPointPicture(TCanvas& C) {
  Trace(C);
  Box(C, TRect(7, 6, 11, 10), clRed, clBlack);
  Head(C, TPoint(9, 1), 0, -1, clBlack);
  Head(C, TPoint(9, 14), 0, 1, clBlack);
}

std::vector<TKorClassPicture> Pictures() {
  auto N = [](TKorToolClass Class) { return Class.ClassName(); };
  return {
      {N(TKorToolClass::Of<TCursorTool>()), &CursorPicture},
      {N(TKorToolClass::Of<TDragMarksTool>()), &DragMarksPicture},
      {N(TKorToolClass::Of<TAxisArrowTool>()), &AxisArrowPicture},
      {N(TKorToolClass::Of<TDrawLineTool>()), &DrawLinePicture},
      {N(TKorToolClass::Of<TNearestTool>()), &NearestPicture},
      {N(TKorToolClass::Of<TColorBandTool>()), &ColorBandPicture},
      {N(TKorToolClass::Of<TColorLineTool>()), &ColorLinePicture},
      {N(TKorToolClass::Of<TRotateTool>()), &RotatePicture},
      {N(TKorToolClass::Of<TChartImageTool>()), &ChartImagePicture},
      {N(TKorToolClass::Of<TMarksTipTool>()), &MarksTipPicture},
      {N(TKorToolClass::Of<TAnnotationTool>()), &AnnotationPicture},
      {N(TKorToolClass::Of<TSeriesAnimationTool>()), &SeriesAnimationPicture},
      {N(TKorToolClass::Of<TGridBandTool>()), &GridBandPicture},
      {N(TKorToolClass::Of<TAxisScrollTool>()), &AxisScrollPicture},
      {N(TKorToolClass::Of<TRectangleTool>()), &RectanglePicture},
      {N(TKorToolClass::Of<TClipSeriesTool>()), &ClipSeriesPicture},
      {N(TKorToolClass::Of<TSelectorTool>()), &SelectorPicture},
      {N(TKorToolClass::Of<TDragPointTool>()), &DragPointPicture},
  };
}

}  // namespace

void RegisterToolTypePictures() {
  RegisterKorPictures(Pictures());
}

void UnRegisterToolTypePictures() {
  UnRegisterKorPictures(Pictures());
}
