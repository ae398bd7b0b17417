#pragma once

#include "chart/series/TPieSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TView3DOptions.h"
#include "tests/chart/core/TestCharts.h"
#include "tests/platform/PixelProbe.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/chart/series/DirectFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A chart whose rectangle is (10, 10, 210, 210): a pie without marks fills
// it with its centre at (110, 110) and radii of 100 pixels. The surface
// draws straight onto Bitmap (white), flat unless a test turns on 3D. The
// pie type is registered for the test's lifetime.
class TPieChartFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterKorSeries(TChartSeriesClass::Of<TPieSeries>(), &Korconst::KorMsg_GalleryPie,
                      &Korconst::KorMsg_GalleryStandard, 1);
    auto Surface = std::make_unique<TKorCanvas3D>();
    Canvas = Surface.get();
    Chart.SetInternalCanvas(std::move(Surface));
    Chart.SetView3D(false);
    Chart.SetChartRect(TRect(10, 10, 210, 210));
    Frame(false);
  }
  void TearDown() override { UnRegisterKorSeries({TChartSeriesClass::Of<TPieSeries>()}); }

  // A direct (unbuffered) frame of the whole bitmap, cleared to white.
  void Frame(bool Is3D) { StartDirectFrame(Chart, *Canvas, Bitmap, Options, Is3D); }
  // A pie of Values without marks or pen, slices coloured from Colors.
  TPieSeries* Pie(const std::vector<double>& Values) {
    static const TColor Colors[] = {clRed, clBlue, clLime, clYellow, clFuchsia, clAqua};
    auto* S = new TPieSeries(&Chart);
    S->SetParentChart(&Chart);
    S->GetMarks().SetVisible(false);
    S->GetPen().SetVisible(false);
    for (size_t I = 0; I < Values.size(); ++I) S->AddPie(Values[I], QString(), Colors[I % 6]);
    return S;
  }
  // The steps of the chart's drawing pass for one pie.
  void Draw(TPieSeries& S) {
    S.DoBeforeDrawChart();
    S.CalcZOrder();
    S.CalcDepthPositions();
    S.CalcFirstLastVisibleIndex();
    S.DoBeforeDrawValues();
    S.DrawAllValues();
    S.DoAfterDrawValues();
  }
  TColor At(int X, int Y) { return Bitmap.GetCanvas().GetPixel(X, Y); }

  TTestChart Chart;
  TKorCanvas3D* Canvas = nullptr;  // owned by the chart
  TView3DOptions Options;
  TBitmap Bitmap{220, 220};
};
