#pragma once

#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TView3DOptions.h"
#include "tests/chart/core/TestCharts.h"
#include "tests/platform/PixelProbe.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/chart/series/DirectFrame.h"

#include <gtest/gtest.h>

#include <memory>

// A chart whose rectangle is (10, 10, 210, 110) with the bottom axis 0 ..
// 200 and the left axis 0 .. 100, so that one value unit is one pixel:
// (x, y) lies at pixel (10 + x, 110 - y). Its surface draws straight onto
// Bitmap (white), flat unless a test turns on 3D. Margins are computed but
// never applied to the axes, so the mapping stays as it is.
class TBarChartFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    auto Surface = std::make_unique<TKorCanvas3D>();
    Canvas = Surface.get();
    Chart.SetInternalCanvas(std::move(Surface));
    Chart.SetView3D(false);
    Chart.SetChartRect(TRect(10, 10, 210, 110));
    Layout(*Chart.GetBottomAxis(), 0, 200);
    Layout(*Chart.GetLeftAxis(), 0, 100);
    Frame(false);
  }

  static void Layout(TChartAxis& Axis, double Min, double Max) {
    Axis.SetMinMax(Min, Max);
    Axis.AdjustMaxMin();
    Axis.InternalCalcPositions();
  }
  // A direct (unbuffered) frame of the whole bitmap, cleared to white.
  void Frame(bool Is3D) { StartDirectFrame(Chart, *Canvas, Bitmap, Options, Is3D); }
  // The steps of a drawing pass before the values are drawn: the shared
  // layout of every series, the bar sizes (through the margins) and the
  // visible ranges.
  void Prepare() {
    for (int I = 0; I < Chart.SeriesCount(); ++I) Chart.GetSeries(I)->DoBeforeDrawChart();
    for (int I = 0; I < Chart.SeriesCount(); ++I) {
      TChartSeries* S = Chart.GetSeries(I);
      int A = 0;
      int B = 0;
      S->CalcHorizMargins(A, B);
      S->CalcVerticalMargins(A, B);
      S->CalcFirstLastVisibleIndex();
    }
  }
  // Prepare, then every series draws all its values.
  void DrawAll() {
    Prepare();
    for (int I = 0; I < Chart.SeriesCount(); ++I) Chart.GetSeries(I)->DrawAllValues();
  }
  template <class T>
  T* New() {
    auto* S = new T(&Chart);
    S->SetParentChart(&Chart);
    return S;
  }
  int Ink(const TRect& Area, TColor Color) const { return PixelProbe::Count(Bitmap, Area, Color); }

  TTestChart Chart;
  TKorCanvas3D* Canvas = nullptr;  // owned by the chart
  TView3DOptions Options;
  TBitmap Bitmap{220, 120};
};
