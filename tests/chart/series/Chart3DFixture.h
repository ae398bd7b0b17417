#pragma once

#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TView3DOptions.h"
#include "tests/platform/PixelProbe.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

// A 400 x 300 chart in an orthogonal 3D view (45 degrees), white, without
// legend or title, both axes fixed to 0 .. 10, drawn into Bitmap. Points
// of the series are then found where the chart's own projection puts them.
class TChart3DFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetColor(clWhite);
    Chart.GetLegend().SetVisible(false);
    Chart.GetTitle().SetVisible(false);
    Chart.SetView3D(true);
    Chart.SetChart3DPercent(100);
    TView3DOptions& View = Chart.GetView3DOptions();
    View.SetOrthogonal(true);
    View.SetOrthoAngle(45);
    Chart.GetBottomAxis()->SetMinMax(0, 10);
    Chart.GetLeftAxis()->SetMinMax(0, 10);
  }

  // A red series of type T with the points (X, Y), marks hidden, drawn;
  // Front, Middle and Back are then its depths.
  template <class T>
  T* Drawn(std::initializer_list<std::pair<double, double>> Points) {
    auto* S = new T(&Chart);
    Chart.AddSeries(S);
    S->SetSeriesColor(clRed);
    S->GetMarks().SetVisible(false);
    for (const auto& [X, Y] : Points) S->AddXY(X, Y);
    Chart.Draw(Bitmap.GetCanvas(), TRect(0, 0, 400, 300));
    Front = S->GetStartZ();
    Back = S->GetEndZ();
    Middle = (Front + Back) / 2;
    return S;
  }
  // The pixel where the chart draws the point of values (X, Y) at depth Z.
  TColor At(const TChartSeries& S, double X, double Y, int Z) const {
    const TPoint P =
        Chart.GetPanelCanvas().Calculate3DPosition(S.CalcXPosValue(X), S.CalcYPosValue(Y), Z);
    return Bitmap.GetPixel(P.X, P.Y);
  }
  // The series' red, or a darker red of a shaded face.
  static bool Reddish(TColor C) { return GetRValue(C) > 100 && GetGValue(C) < 60; }

  TChart Chart{nullptr};
  TBitmap Bitmap{400, 300};
  int Front = 0;
  int Middle = 0;
  int Back = 0;
};
