#pragma once

#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorSeriesTypes.h"
#include "tests/platform/PixelProbe.h"

#include "platform/ClassRegistry.h"
#include "platform/TBitmap.h"
#include "platform/TComponent.h"

#include <gtest/gtest.h>

#include <vector>

// What every registered series type must survive: being made from its
// class name as a stored chart names it, being cloned, and a whole chart
// drawn in 2D and 3D with it (legend included) whatever its point count.
namespace SeriesTypeChecks {

class TFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 300, 200);
    Chart.GetLegend().SetVisible(true);
  }
  void TearDown() override { UnRegisterKorSeries(Registered); }

  // Registers T as the gallery does, for this test only.
  template <class T>
  void Register(const QString* Description, const QString* Page, int GallerySeries) {
    RegisterKorSeries(TChartSeriesClass::Of<T>(), Description, Page, GallerySeries);
    Registered.push_back(TChartSeriesClass::Of<T>());
  }
  // A series of the class registered under Name on the chart; none when no
  // class has that name.
  TChartSeries* CreateByName(const QString& Name) {
    const TClassInfo* Info = GetClass(Name);
    return Info != nullptr ? CreateNewSeries(&Form, &Chart, TChartSeriesClass(Info)) : nullptr;
  }
  TChartSeries* CloneOf(TChartSeries& Series) { return CloneChartSeries(Series); }
  // The whole chart drawn flat and in 3D; each frame shows something (the
  // axes at least) and no exception leaves the drawing.
  void ExpectDrawsIn2DAnd3D() {
    for (bool Is3D : {false, true}) {
      Chart.SetView3D(Is3D);
      TBitmap Frame(300, 200);
      EXPECT_NO_THROW(Chart.Draw(Frame.GetCanvas(), TRect(0, 0, 300, 200))) << Is3D;
      EXPECT_GT(PixelProbe::CountIf(Frame, [](TColor C) { return C != clWhite; }), 0) << Is3D;
    }
  }

  TChart Chart{nullptr};
  TComponent Form{nullptr};  // owns the series; freed before the chart
  std::vector<TChartSeriesClass> Registered;
};

}  // namespace SeriesTypeChecks
