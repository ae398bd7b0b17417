#pragma once

#include "chart/core/TChartPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TCustomSeries.h"
#include "tests/chart/series/BarTestCharts.h"

#include <memory>
#include <utility>
#include <vector>

// A surface that writes down where the pen was moved to (chart pixels) and
// draws as usual.
class TMoveLog : public TKorCanvas3D {
 public:
  void MoveTo(int X, int Y) override {
    Moves.emplace_back(X, Y);
    TKorCanvas3D::MoveTo(X, Y);
  }
  std::vector<TPoint> Moves;
};

// The chart of the bar tests ((x, y) at pixel (10 + x, 110 - y)) drawn on
// a surface that logs its moves, with helpers for line, point and area
// series.
class TLineChartFixture : public TBarChartFixture {
 protected:
  void SetUp() override {
    TBarChartFixture::SetUp();
    auto Surface = std::make_unique<TMoveLog>();
    Log = Surface.get();
    Canvas = Surface.get();
    Chart.SetInternalCanvas(std::move(Surface));
    Frame(false);
  }

  // A series of type T in Color with the points (X, Y), marks hidden.
  template <class T>
  T* Series(const std::vector<std::pair<double, double>>& Points, TColor Color = clRed) {
    T* S = New<T>();
    S->SetSeriesColor(Color);
    S->GetMarks().SetVisible(false);
    for (const auto& [X, Y] : Points) S->AddXY(X, Y);
    return S;
  }
  bool InkAt(int X, int Y, TColor Color) const { return Ink(TRect(X, Y, X + 1, Y + 1), Color); }
  int NotWhite(const TRect& Area) const {
    int N = 0;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X)
        if (Bitmap.GetPixel(X, Y) != clWhite) ++N;
    return N;
  }

  TMoveLog* Log = nullptr;  // owned by the chart
};
