#include "chart/tools/TRotateTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TView3DOptions.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/tools/MouseToolChart.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <memory>

namespace {

// A surface that can turn a chart all the way round.
class TFullRotationCanvas : public TKorCanvas3D {
 public:
  bool GetSupportsFullRotation() const override { return true; }
};

class TRotateToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    Chart.SetView3D(true);
    auto* Series = new TPointSeries(&Chart);
    Chart.AddSeries(Series);
    Series->AddXY(0, 0);
    Series->AddXY(10, 10);
    Tool = new TRotateTool(&Chart);
    Tool->SetParentChart(&Chart);
    Chart.Draw();
    Chart.Repaints = 0;
  }

  TView3DOptions& View() { return Chart.GetView3DOptions(); }
  // Degrees for a drag of DX (DY) pixels across the chart rectangle.
  double RotationOf(int DX) { return DX * 90.0 / Chart.GetPlotWidth(); }
  double ElevationOf(int DY) { return DY * 90.0 / Chart.GetPlotHeight(); }

  TRotateTool* Tool = nullptr;  // owned by the chart
};

TEST_F(TRotateToolTest, DraggingTurnsTheViewByTheDraggedAmount) {
  int Rotations = 0;
  Tool->OnRotate = [&](TPersistent* S) {
    EXPECT_EQ(S, Tool);
    ++Rotations;
  };
  const double Rotation = View().GetRotationDouble();
  const double Elevation = View().GetElevationDouble();
  Press(200, 150);
  Move(220, 150);
  Move(230, 140);
  Release(230, 140);
  EXPECT_NEAR(View().GetRotationDouble(), Rotation + RotationOf(30), 1e-9);
  EXPECT_NEAR(View().GetElevationDouble(), Elevation + ElevationOf(10), 1e-9);
  EXPECT_TRUE(Chart.GetView3D());
  EXPECT_FALSE(View().GetOrthogonal());
  EXPECT_EQ(Rotations, 2);
  EXPECT_FALSE(Chart.GetZoom().Engaged);  // the chart left the mouse to the tool

  // Inverted, and only the rotation.
  Tool->SetInverted(true);
  Tool->SetStyle(rsRotation);
  const double Turned = View().GetRotationDouble();
  Press(200, 150);
  Move(210, 100);
  Release(210, 100);
  EXPECT_NEAR(View().GetRotationDouble(), Turned - RotationOf(10), 1e-9);
  EXPECT_NEAR(View().GetElevationDouble(), Elevation + ElevationOf(10), 1e-9);

  // Another button does not start a drag.
  Tool->SetButton(mbRight);
  Press(200, 150);
  Move(300, 150);
  Release(300, 150);
  EXPECT_NEAR(View().GetRotationDouble(), Turned - RotationOf(10), 1e-9);
}

TEST_F(TRotateToolTest, TheAnglesWrapAndTheElevationStaysAbove270WithoutFullRotation) {
  ASSERT_FALSE(Chart.GetPanelCanvas().GetSupportsFullRotation());
  Press(200, 20);
  for (int Y = 60; Y <= 280; Y += 40) Move(200, Y);
  Release(200, 280);
  EXPECT_DOUBLE_EQ(View().GetElevationDouble(), 270);

  EXPECT_DOUBLE_EQ(TRotateTool::NewRotation(350, 20, false), 10);
  EXPECT_DOUBLE_EQ(TRotateTool::NewRotation(10, -20, false), 350);
  EXPECT_DOUBLE_EQ(TRotateTool::NewElevation(350, 20, false), 360);
  EXPECT_DOUBLE_EQ(TRotateTool::NewElevation(280, -20, false), 270);
  EXPECT_DOUBLE_EQ(TRotateTool::NewElevation(10, -20, true), 350);
  EXPECT_DOUBLE_EQ(TRotateTool::NewElevation(350, 20, true), 10);

  // A surface with full rotation lets the elevation go round.
  Chart.SetInternalCanvas(std::make_unique<TFullRotationCanvas>());
  View().SetElevationDouble(280);
  Press(200, 20);
  Move(200, 20 + Chart.GetPlotHeight() / 3);
  Release(200, 20 + Chart.GetPlotHeight() / 3);
  EXPECT_NEAR(View().GetElevationDouble(), 280 - ElevationOf(Chart.GetPlotHeight() / 3), 1e-9);
  EXPECT_LT(View().GetElevationDouble(), 270);
}

TEST_F(TRotateToolTest, WithAVisiblePenTheChartRepaintsOnceAtTheEndAndShowsAnOutline) {
  EXPECT_FALSE(Tool->GetPen().GetVisible());
  EXPECT_EQ(Tool->GetPen().GetMode(), pmXor);
  EXPECT_EQ(Tool->GetPen().GetColor(), clWhite);
  Tool->GetPen().Show();
  Chart.Draw();
  Chart.Repaints = 0;
  const QImage Before = Chart.GetBuffer().Image().copy();

  Press(200, 150);
  Move(210, 145);
  EXPECT_NE(Chart.GetBuffer().Image(), Before);  // the outline, over the old picture
  Move(220, 140);
  Move(230, 135);
  EXPECT_EQ(Chart.Repaints, 0);
  EXPECT_FALSE(Chart.GetAutoRepaint());
  Release(230, 135);
  EXPECT_EQ(Chart.Repaints, 1);
  EXPECT_TRUE(Chart.GetAutoRepaint());
  EXPECT_NEAR(View().GetRotationDouble(), 345 + RotationOf(30), 1e-9);

  // A click without a move changes nothing and repaints nothing.
  Press(200, 150);
  Release(200, 150);
  EXPECT_EQ(Chart.Repaints, 1);

  // Without a visible pen every change of the view repaints directly.
  Tool->GetPen().Hide();
  Chart.Repaints = 0;
  Press(200, 150);
  Move(220, 140);
  EXPECT_GE(Chart.Repaints, 1);
  Release(220, 140);
}

TEST_F(TRotateToolTest, PublishesItsSettingsAndCopiesThem) {
  QStringList Names;
  for (const TPublishedProperty& P : Tool->Properties()) Names << P.Name;
  EXPECT_EQ(Names.mid(Names.size() - 3), QStringList({"Button", "Inverted", "Style"}));
  EXPECT_TRUE(Names.contains(QStringLiteral("Pen")));
  EXPECT_EQ(Tool->Description(), Korproco::KorMsg_RotateTool);
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TRotateToolEditor"));

  Tool->SetInverted(true);
  Tool->SetStyle(rsElevation);
  Tool->SetButton(mbMiddle);
  TRotateTool Copy(nullptr);
  Copy.Assign(*Tool);
  EXPECT_TRUE(Copy.GetInverted());
  EXPECT_EQ(Copy.GetStyle(), rsElevation);
  EXPECT_EQ(Copy.GetButton(), mbMiddle);
}

}  // namespace
