#pragma once

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

// Counts the repaint requests that repaint.
class TCountingChart : public TChart {
 public:
  using TChart::TChart;
  void Invalidate() override {
    if (GetAutoRepaint()) ++Repaints;
    TChart::Invalidate();
  }
  int Repaints = 0;
};

// A 2D chart without legend, 400 x 300 pixels, that gets Qt's mouse events
// through its host widget as in a window, so that tools hear them the way
// the chart passes them on.
class TMouseToolChart : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.GetLegend().SetVisible(false);
  }

  void Mouse(QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Held, int X, int Y) {
    QMouseEvent E(Type, QPointF(X, Y), QPointF(X, Y), Button, Held, Qt::NoModifier);
    QCoreApplication::sendEvent(Chart.GetWidget(), &E);
  }
  void Press(int X, int Y) {
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, X, Y);
  }
  void Move(int X, int Y, Qt::MouseButtons Held = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, Qt::NoButton, Held, X, Y);
  }
  void Release(int X, int Y) {
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, X, Y);
  }

  // A plain series on the chart from (0, 0) to (100, Top).
  TChartSeries* AddLine(double Top) {
    auto* Series = new TChartSeries(&Chart);
    Chart.AddSeries(Series);
    Series->AddXY(0, 0);
    Series->AddXY(100, Top);
    return Series;
  }

  TChartAxis& Bottom() { return *Chart.GetBottomAxis(); }
  TChartAxis& Left() { return *Chart.GetLeftAxis(); }

  TCountingChart Chart{nullptr};
};
