#include "chart/core/TCustomChart.h"

#include "chart/core/TAxisGridPen.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartRightWall.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TChartWall.h"
#include "chart/core/TChartWalls.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TBitmap.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TPen.h"

#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

class TCustomChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
  }
  void TearDown() override { SetTextAntialiasing(true); }

  TChartSeries& Add(const std::vector<double>& Ys) {
    auto* S = new TChartSeries(&Chart);
    Chart.AddSeries(S);
    for (double Y : Ys) S->Add(Y);
    return *S;
  }

  TChart Chart{nullptr};
};

TEST_F(TCustomChartTest, ValueSourcesAreTheValueListsOfTheSourceSeries) {
  TChartSeries& Source = Add({1, 2});
  TChartSeries& Fed = Add({});
  Fed.SetDataSource(&Source);
  QStringList Names;
  auto Collect = [&Names](const QString& Name) { Names << Name; };
  Chart.FillValueSourceItems(Fed.GetYValues(), Collect);
  EXPECT_EQ(Names, QStringList({"X", "Y"}));
  // A series of its own data has no value sources, and a chart offers no
  // series sources.
  Names.clear();
  Chart.FillValueSourceItems(Source.GetYValues(), Collect);
  Chart.FillSeriesSourceItems(Fed, Collect);
  EXPECT_TRUE(Names.isEmpty());
}

TEST_F(TCustomChartTest, TitlesAndWallsStartWithTheirDefaults) {
  EXPECT_EQ(Chart.GetTitle().GetFont().GetColor(), clBlue);
  EXPECT_TRUE(Chart.GetTitle().GetTransparent());
  EXPECT_TRUE(Chart.GetTitle().GetOnTop());
  EXPECT_FALSE(Chart.GetFoot().GetOnTop());
  EXPECT_EQ(Chart.GetFoot().GetFont().GetColor(), clRed);
  EXPECT_TRUE(Chart.GetFoot().GetFont().GetStyle().Contains(fsItalic));
  EXPECT_EQ(Chart.GetBackWall().GetColor(), clSilver);
  EXPECT_TRUE(Chart.GetBackWall().GetTransparent());
  EXPECT_EQ(Chart.GetLeftWall().GetColor(), TColor(8454143));
  EXPECT_EQ(Chart.GetBottomWall().GetColor(), clWhite);
  EXPECT_FALSE(Chart.GetRightWall().GetVisible());
  for (const TCustomChartWall* Wall : {static_cast<TCustomChartWall*>(&Chart.GetBackWall()),
                                       static_cast<TCustomChartWall*>(&Chart.GetLeftWall()),
                                       static_cast<TCustomChartWall*>(&Chart.GetRightWall())}) {
    for (const TPublishedProperty& P : Wall->Properties()) {
      if (P.Kind != TPropertyKind::pkClass) {
        EXPECT_FALSE(P.IsStored(*Wall)) << P.Name.toStdString();
      }
    }
  }
}

TEST_F(TCustomChartTest, CaptionIsTheFirstLineAndReplacesAllLines) {
  TChartTitle& Title = Chart.GetTitle();
  Title.SetText({"one", "two"});
  EXPECT_EQ(Title.GetCaption(), "one");
  Title.SetCaption("new");
  EXPECT_EQ(Title.GetText(), QStringList({"new"}));
  Title.SetCaption("");
  EXPECT_TRUE(Title.GetText().isEmpty());
}

TEST_F(TCustomChartTest, AFootTakesItsLinesAndTheGapFromTheBottom) {
  TChartFootTitle& Foot = Chart.GetFoot();
  Foot.GetPen().SetVisible(false);
  Foot.SetText({"first", "second"});
  Chart.SetPlotRect(TRect(10, 10, 390, 290));
  Foot.DrawTitle();
  EXPECT_EQ(Chart.GetPlotRect().Bottom, Foot.GetShapeBounds().Top - 5);
  EXPECT_EQ(Foot.GetShapeBounds().Bottom, 290);
}

TEST_F(TCustomChartTest, TitlesStackAndACustomPlacedTitleLeavesTheChartAlone) {
  TChartTitle& Title = Chart.GetTitle();
  TChartTitle& Sub = Chart.GetSubTitle();
  Title.GetPen().SetVisible(false);
  Sub.GetPen().SetVisible(false);
  Title.SetCaption("Title");
  Sub.SetCaption("Sub");
  Chart.SetPlotRect(TRect(10, 10, 390, 290));
  Title.DrawTitle();
  Sub.DrawTitle();
  EXPECT_EQ(Sub.GetShapeBounds().Top, Title.GetShapeBounds().Bottom + 5);
  const TRect Before = Chart.GetPlotRect();
  Title.SetLeft(50);
  Title.DrawTitle();
  EXPECT_EQ(Chart.GetPlotRect(), Before);
  EXPECT_TRUE(Title.Clicked(Title.GetShapeBounds().Left, Title.GetShapeBounds().Bottom));
  EXPECT_FALSE(Title.Clicked(Title.GetShapeBounds().Right + 1, Title.GetShapeBounds().Top));
}

TEST_F(TCustomChartTest, WallSizesCountOnlyIn3DWithWallsOn) {
  Chart.GetWalls().SetSize(5);
  EXPECT_EQ(Chart.CalcWallSize(Chart.GetLeftAxis()), 0);
  Chart.SetView3D(true);
  EXPECT_EQ(Chart.CalcWallSize(Chart.GetLeftAxis()), 5);
  EXPECT_EQ(Chart.CalcWallSize(Chart.GetRightAxis()), 0);  // hidden right wall
  Chart.GetLeftWall().SetVisible(false);
  EXPECT_EQ(Chart.CalcWallSize(Chart.GetLeftAxis()), 0);
  Chart.SetView3DWalls(false);
  EXPECT_EQ(Chart.CalcWallSize(Chart.GetBottomAxis()), 0);
  EXPECT_FALSE(Chart.GetWalls().GetVisible());
  Chart.SetView3DWalls(true);
  Chart.GetBottomWall().SetAutoHide(true);
  EXPECT_FALSE(Chart.GetBottomWall().ShouldDraw());
}

TEST_F(TCustomChartTest, SeriesColoursAvoidEachOtherAndTheBackground) {
  TChartSeries& A = Add({1});
  A.SetSeriesColor(clRed);
  EXPECT_FALSE(Chart.IsFreeSeriesColor(clRed, false, nullptr));
  TChartSeries& Auto = Add({1});
  EXPECT_FALSE(Chart.IsFreeSeriesColor(Auto.GetSeriesColor(), false, nullptr));
  EXPECT_TRUE(Chart.IsFreeSeriesColor(clRed, false, &A));
  Chart.SetColor(clBlue);
  EXPECT_FALSE(Chart.IsFreeSeriesColor(clBlue, true, nullptr));
  EXPECT_TRUE(Chart.IsFreeSeriesColor(clBlue, false, nullptr));
  TChartSeries& B = Add({2});
  EXPECT_NE(B.GetSeriesColor(), clRed);
}

TEST_F(TCustomChartTest, BackColorIsTheBackWallsUnlessItIsTransparent) {
  Chart.SetColor(clGreen);
  EXPECT_EQ(Chart.GetBackColor(), clGreen);
  Chart.GetBackWall().SetTransparent(false);
  Chart.SetBackColor(clYellow);
  EXPECT_EQ(Chart.GetBackColor(), clYellow);
  const TPublishedProperty* Frame = Chart.Properties().Find("Frame");
  ASSERT_NE(Frame, nullptr);
  EXPECT_EQ(std::get<TPersistent*>(Frame->Get(Chart)), &Chart.GetBackWall().GetPen());
}

TEST_F(TCustomChartTest, AxesAreNamedByTheirTitleOrTheirPlace) {
  EXPECT_EQ(Chart.AxisTitleOrName(Chart.GetLeftAxis()), "Left Axis");
  EXPECT_EQ(Chart.AxisTitleOrName(Chart.GetTopAxis()), "Top Axis");
  EXPECT_EQ(Chart.AxisTitleOrName(Chart.GetDepthTopAxis()), "Depth Top");
  Chart.GetBottomAxis()->GetTitle().SetCaption("Radius (cm)");
  EXPECT_EQ(Chart.AxisTitleOrName(Chart.GetBottomAxis()), "Radius (cm)");
}

TEST_F(TCustomChartTest, AChartWithoutSeriesHidesItsAxesAndDrawsNoWalls) {
  Chart.GetBackWall().SetTransparent(false);
  Chart.GetBackWall().SetColor(clRed);
  Chart.Draw();
  for (TChartAxis* Axis : {Chart.GetLeftAxis(), Chart.GetBottomAxis()})
    EXPECT_FALSE(Chart.IsAxisVisible(Axis));
  const TRect R = Chart.GetPlotRect();
  EXPECT_NE(Chart.GetBuffer().GetPixel((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2), clRed);
  Add({1, 2});
  Chart.Draw();
  EXPECT_TRUE(Chart.IsAxisVisible(Chart.GetLeftAxis()));
  const TRect After = Chart.GetPlotRect();
  EXPECT_EQ(Chart.GetBuffer().GetPixel((After.Left + After.Right) / 2, After.Top + 2), clRed);
}

// A frame that covers its bitmap with the panel colour is drawn straight
// onto the bitmap instead of into the buffer that is then copied: the
// pixels are the same, and so is the drawing state the buffer's canvas
// and the bitmap's canvas are left with.
TEST_F(TCustomChartTest, AFrameDrawnStraightOntoABitmapIsTheBufferedFrame) {
  Chart.SetColor(clWhite);
  Chart.GetTitle().SetCaption("Raw scans");
  Chart.GetFoot().SetCaption("foot");
  Chart.GetBottomAxis()->GetTitle().SetCaption("Radius (cm)");
  Chart.GetLeftAxis()->GetTitle().SetCaption("Absorbance");
  Chart.GetBackWall().SetTransparent(false);
  Chart.GetLegend().SetCheckBoxes(true);
  Add({0.5, 2, 1.25, 3}).SetTitle("first");
  Add({3, 1, 0.75}).SetTitle("second");
  auto Buffered = [this] {
    // A frame inside a larger bitmap cannot be drawn straight onto it.
    TBitmap Larger(410, 300);
    Chart.Draw(Larger.GetCanvas(), TRect(0, 0, 400, 300));
    auto Frame = std::make_unique<TBitmap>(400, 300);
    Frame->GetCanvas().Draw(0, 0, Larger);
    return Frame;
  };
  const std::unique_ptr<TBitmap> FirstFrame = Buffered();
  const TBitmap& First = *FirstFrame;
  EXPECT_FALSE(dynamic_cast<TKorCanvas3D&>(Chart.GetPanelCanvas()).GetDirty());
  TBitmap Straight(400, 300);
  TCanvas& C = Straight.GetCanvas();
  C.GetPen().SetColor(clFuchsia);
  C.GetBrush().SetColor(clTeal);
  C.GetFont().SetSize(17);
  C.SetTextAlign(TA_RIGHT);
  C.MoveTo(7, 9);
  auto& Surface = dynamic_cast<TKorCanvas3D&>(Chart.GetPanelCanvas());
  for (int Frame = 0; Frame < 2; ++Frame) {
    Chart.Draw(C, TRect(0, 0, 400, 300));
    EXPECT_TRUE(Surface.GetDirty());  // the buffer holds no copy of a straight frame
    EXPECT_TRUE(PixelProbe::SamePixels(Straight, First)) << "frame " << Frame;
    EXPECT_TRUE(PixelProbe::SamePixels(*Buffered(), First)) << "frame " << Frame;
  }
  EXPECT_EQ(C.GetPen().GetColor(), clFuchsia);
  EXPECT_EQ(C.GetBrush().GetColor(), clTeal);
  EXPECT_EQ(C.GetFont().GetSize(), 17);
  EXPECT_EQ(C.GetTextAlign(), TA_RIGHT);
  EXPECT_EQ(C.GetPenPos(), TPoint(7, 9));
  EXPECT_GT(PixelProbe::CountIf(First, [](TColor P) { return P != clWhite; }), 3000);
  // A chart that only ever drew straight has no buffer.
  TChart Other(nullptr);
  Other.SetBounds(0, 0, 400, 300);
  Other.SetColor(clWhite);
  Other.Draw(Straight.GetCanvas(), TRect(0, 0, 400, 300));
  EXPECT_EQ(dynamic_cast<TKorCanvas3D&>(Other.GetPanelCanvas()).GetBitmap(), nullptr);

  // Without a panel colour the frame shows what lay under it in the
  // buffer, never what lies on the bitmap.
  Chart.SetColor(clNone);
  const std::unique_ptr<TBitmap> Clear = Buffered();
  const TColor Under = TColor(0x123456);
  Straight.GetCanvas().GetBrush().SetColor(Under);
  Straight.GetCanvas().FillRect(TRect(0, 0, 400, 300));
  Chart.Draw(Straight.GetCanvas(), TRect(0, 0, 400, 300));
  EXPECT_TRUE(PixelProbe::SamePixels(Straight, *Clear));
  EXPECT_EQ(PixelProbe::Count(Straight, Under), 0);
}

// A series drawn as a polyline through its points in its colour.
class TTraceSeries : public TChartSeries {
 public:
  using TChartSeries::TChartSeries;
  void DrawAllValues() override {
    std::vector<TPoint> Points;
    for (int I = 0; I < Count(); ++I) Points.emplace_back(CalcXPos(I), CalcYPos(I));
    TCanvas3D& C = GetParentChart()->GetPanelCanvas();
    C.GetPen().SetStyle(psSolid);
    C.GetPen().SetColor(GetSeriesColor());
    C.Polyline(Points.data(), static_cast<int>(Points.size()) - 1);
  }
};

// A raw-scan-like chart: titles, axis titles, an opaque back wall and a
// legend of the one trace's values.
void BuildTraceChart(TChart& Chart) {
  Chart.SetBounds(0, 0, 400, 300);
  Chart.SetView3D(false);
  Chart.SetColor(clWhite);
  Chart.GetTitle().SetCaption("Raw scans");
  Chart.GetBottomAxis()->GetTitle().SetCaption("Radius (cm)");
  Chart.GetLeftAxis()->GetTitle().SetCaption("Absorbance");
  Chart.GetBackWall().SetTransparent(false);
  Chart.GetBackWall().SetColor(TColor(0xF0F8F8));
  auto* S = new TTraceSeries(&Chart);
  Chart.AddSeries(S);
  S->SetSeriesColor(clRed);
  for (int I = 0; I < 40; ++I) S->AddXY(5.9 + I * 0.03, 0.1 + 0.8 / (1 + std::exp(20 - I)));
}

// Frame after frame the part before the series is recorded and, while it
// stays the same, given from the pixels kept of the frame before; every
// change of what a frame shows draws it afresh. Each frame must equal the
// same chart drawn for the first time.
TEST_F(TCustomChartTest, FramesKeepTheirFixedPartUntilAnythingShownChanges) {
  BuildTraceChart(Chart);
  const std::vector<std::pair<const char*, std::function<void(TChart&)>>> Changes = {
      {"none", [](TChart&) {}},
      {"title", [](TChart& C) { C.GetTitle().SetCaption("Raw scans, cell 2"); }},
      {"title colour", [](TChart& C) { C.GetTitle().GetFont().SetColor(clGreen); }},
      {"axis title", [](TChart& C) { C.GetLeftAxis()->GetTitle().SetCaption("OD"); }},
      {"axis range", [](TChart& C) { C.GetBottomAxis()->SetMinMax(5.8, 7.2); }},
      {"label format", [](TChart& C) { C.GetLeftAxis()->SetAxisValuesFormat("0.000"); }},
      {"point value", [](TChart& C) { C.GetSeries(0)->GetYValues().SetValue(3, 0.45); }},
      {"series colour", [](TChart& C) { C.GetSeries(0)->SetSeriesColor(clBlue); }},
      {"grid colour", [](TChart& C) { C.GetLeftAxis()->GetGrid().SetColor(clRed); }},
      {"grid hidden", [](TChart& C) { C.GetBottomAxis()->GetGrid().SetVisible(false); }},
      {"wall colour", [](TChart& C) { C.GetBackWall().SetColor(clYellow); }},
      {"legend font", [](TChart& C) { C.GetLegend().GetFont().SetSize(11); }},
      {"second series",
       [](TChart& C) {
         auto* S = new TTraceSeries(&C);
         C.AddSeries(S);
         S->SetTitle("second");
         S->AddXY(6, 0.3);
         S->AddXY(7, 0.6);
       }},
      {"legend hidden", [](TChart& C) { C.GetLegend().SetVisible(false); }},
      {"panel colour", [](TChart& C) { C.SetColor(TColor(0xE0FFE0)); }},
  };
  TBitmap Straight(400, 300);
  auto& Surface = dynamic_cast<TKorCanvas3D&>(Chart.GetPanelCanvas());
  for (size_t C = 0; C < Changes.size(); ++C) {
    SCOPED_TRACE(Changes[C].first);
    Changes[C].second(Chart);
    TChart Fresh(nullptr);
    BuildTraceChart(Fresh);
    for (size_t Made = 0; Made <= C; ++Made) Changes[Made].second(Fresh);
    TBitmap First(400, 300);
    Fresh.Draw(First.GetCanvas(), TRect(0, 0, 400, 300));
    for (int Frame = 0; Frame < 4; ++Frame) {
      Chart.Draw(Straight.GetCanvas(), TRect(0, 0, 400, 300));
      // The first frame after a change draws afresh. What a frame leaves
      // on the canvas is recorded with the next frame's first call, so the
      // recordings are equal from the second or the third frame on, and
      // the kept pixels are given from the next frame.
      if (Frame == 0 || Frame == 3) {
        EXPECT_EQ(Surface.GetFixedLayerReused(), Frame == 3) << "frame " << Frame;
      }
      EXPECT_TRUE(PixelProbe::SamePixels(Straight, First)) << "frame " << Frame;
    }
  }
  EXPECT_GT(PixelProbe::Count(Straight, clBlue), 20);
}

}  // namespace

namespace {

// A series that draws one yellow square over the middle of the chart at
// its front depth.
class TSquareSeries : public TChartSeries {
 public:
  using TChartSeries::TChartSeries;
  void DrawAllValues() override {
    TCanvas3D& C = GetParentChart()->GetPanelCanvas();
    const TRect R = GetParentChart()->GetPlotRect();
    const TPoint Mid((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    C.GetPen().SetStyle(psClear);
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(clYellow);
    C.RectangleWithZ(TRect(Mid.X - 30, Mid.Y - 30, Mid.X + 30, Mid.Y + 30), GetStartZ());
  }
};

class TCustomChart3DTest : public TCustomChartTest {
 protected:
  void SetUp() override {
    TCustomChartTest::SetUp();
    Chart.SetView3D(true);
    Chart.SetChart3DPercent(100);
    Chart.GetLegend().SetVisible(false);
    Chart.SetColor(clWhite);
    for (auto [Wall, Colour] : {std::pair<TCustomChartWall*, TColor>{&Chart.GetBackWall(), clRed},
                                {&Chart.GetLeftWall(), clBlue},
                                {&Chart.GetBottomWall(), clLime}}) {
      Wall->SetTransparent(false);
      Wall->SetColor(Colour);
      Wall->GetPen().SetVisible(false);
    }
    Square = new TSquareSeries(&Chart);
    Chart.AddSeries(Square);
    Square->AddXY(0, 0);
    Square->AddXY(10, 10);
  }
  // The pixel the chart's projection puts (X, Y, Z) on.
  TColor At(int X, int Y, int Z) {
    const TPoint P = Chart.GetPanelCanvas().Calculate3DPosition(X, Y, Z);
    return Chart.GetBuffer().GetPixel(P.X, P.Y);
  }
  TSquareSeries* Square = nullptr;
};

TEST_F(TCustomChart3DTest, WallsStandOnTheirPlanesAroundTheSeries) {
  TView3DOptions& View = Chart.GetView3DOptions();
  View.SetOrthogonal(true);
  View.SetOrthoAngle(45);
  Chart.Draw();
  const TRect R = Chart.GetPlotRect();
  const int Depth = Chart.GetDepth3D();
  ASSERT_GT(Depth, 20);
  const int MidX = (R.Left + R.Right) / 2;
  const int MidY = (R.Top + R.Bottom) / 2;
  EXPECT_EQ(At(R.Left + 12, R.Top + 12, Depth), clRed);  // the back wall
  EXPECT_EQ(At(R.Left - 1, MidY, Depth / 2), clBlue);    // the left wall
  EXPECT_EQ(At(MidX, R.Bottom + 1, Depth / 2), clLime);  // the floor
  // The series is drawn after the back wall, so it covers it.
  EXPECT_EQ(At(MidX, MidY, Square->GetStartZ()), clYellow);
}

TEST_F(TCustomChart3DTest, ABackWallThatFacesAwayIsDrawnAfterTheSeries) {
  TView3DOptions& View = Chart.GetView3DOptions();
  View.SetOrthogonal(false);
  View.SetPerspective(0);
  View.SetElevation(345);
  // Seen from behind: the back wall comes between the viewer and the series.
  View.SetRotation(180);
  Chart.Draw();
  ASSERT_TRUE(Chart.DrawBackWallAfter(Chart.GetDepth3D()));
  const TRect R = Chart.GetPlotRect();
  const TPoint Mid((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  EXPECT_EQ(At(Mid.X, Mid.Y, Square->GetStartZ()), clRed);
  EXPECT_EQ(PixelProbe::Count(Chart.GetBuffer(), clYellow), 0);
  // The series is there, only covered: without the wall it shows.
  Chart.GetBackWall().SetTransparent(true);
  Chart.Draw();
  EXPECT_GT(PixelProbe::Count(Chart.GetBuffer(), clYellow), 1000);
  Chart.GetBackWall().SetTransparent(false);
  // Seen from the front the square is in front of the wall again.
  View.SetRotation(345);
  Chart.Draw();
  ASSERT_FALSE(Chart.DrawBackWallAfter(Chart.GetDepth3D()));
  EXPECT_EQ(At(Mid.X, Mid.Y, Square->GetStartZ()), clYellow);
}

}  // namespace
