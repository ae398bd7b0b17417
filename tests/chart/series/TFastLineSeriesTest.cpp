#include "chart/series/TFastLineSeries.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TView3DOptions.h"
#include "tests/chart/core/TestCharts.h"
#include "tests/platform/PixelProbe.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A surface that writes down the line calls it gets (chart coordinates for
// the 3D calls, which are logged instead of the projected 2D calls they
// make) and draws them.
class TLineLog : public TKorCanvas3D {
 public:
  using TKorCanvas3D::LineTo3D;
  using TKorCanvas3D::MoveTo3D;
  using TKorCanvas3D::Polyline;

  void MoveTo(int X, int Y) override {
    Log("MoveTo " + Point(X, Y));
    TKorCanvas3D::MoveTo(X, Y);
  }
  void LineTo(int X, int Y) override {
    Log("LineTo " + Point(X, Y));
    TKorCanvas3D::LineTo(X, Y);
  }
  void Polyline(const TPoint* Points, int HighIndex) override {
    Log("Polyline" + List(Points, HighIndex));
    TKorCanvas3D::Polyline(Points, HighIndex);
  }
  void MoveTo3D(int X, int Y, int Z) override {
    Log("MoveTo3D " + Point(X, Y) + " z" + std::to_string(Z));
    Quiet Q(*this);
    TKorCanvas3D::MoveTo3D(X, Y, Z);
  }
  void LineTo3D(int X, int Y, int Z) override {
    Log("LineTo3D " + Point(X, Y) + " z" + std::to_string(Z));
    Quiet Q(*this);
    TKorCanvas3D::LineTo3D(X, Y, Z);
  }
  void Polyline(const TPoint* Points, int HighIndex, int Z) override {
    Log("Polyline3D" + List(Points, HighIndex) + " z" + std::to_string(Z));
    Quiet Q(*this);
    TKorCanvas3D::Polyline(Points, HighIndex, Z);
  }

  std::vector<std::string> Calls;

 private:
  struct Quiet {
    explicit Quiet(TLineLog& L) : Log(L) { ++Log.FQuiet; }
    ~Quiet() { --Log.FQuiet; }
    TLineLog& Log;
  };
  static std::string Point(int X, int Y) { return std::to_string(X) + "," + std::to_string(Y); }
  static std::string List(const TPoint* Points, int HighIndex) {
    std::string S;
    for (int I = 0; I <= HighIndex; ++I) S += " " + Point(Points[I].X, Points[I].Y);
    return S;
  }
  void Log(const std::string& Call) {
    if (FQuiet == 0) Calls.push_back(Call);
  }
  int FQuiet = 0;
};

TColor HookColor = clNone;
TColor RecordPenColor(TCanvas& Canvas, TColor Color) {
  HookColor = Color;
  Canvas.GetPen().SetColor(Color);
  return Color;
}

// The chart rectangle is (10, 10, 210, 110) and both axes map one value
// unit to one pixel: point (x, y) lies at pixel (10 + x, 110 - y). The
// chart's surface draws onto Bitmap.
class TFastLineSeriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto Log = std::make_unique<TLineLog>();
    Lines = Log.get();
    Chart.SetInternalCanvas(std::move(Log));
    Chart.SetView3D(false);
    Chart.SetChartRect(TRect(10, 10, 210, 110));
    Layout(*Chart.GetBottomAxis(), 0, 200);
    Layout(*Chart.GetLeftAxis(), 0, 100);
    Series = new TFastLineSeries(&Chart);
    Series->SetParentChart(&Chart);
    Series->SetSeriesColor(clBlack);
    Frame(*Lines, Bitmap, false);
  }
  void TearDown() override {
    KorSetDCPenColor = nullptr;
    SetDirectLineDrawing(true);
  }

  static void Layout(TChartAxis& Axis, double Min, double Max) {
    Axis.SetMinMax(Min, Max);
    Axis.AdjustMaxMin();
    Axis.InternalCalcPositions();
  }
  // A direct (unbuffered) frame of the whole bitmap.
  void Frame(TKorCanvas3D& Surface, TBitmap& Target, bool Is3D) {
    const TRect R(0, 0, Target.GetWidth(), Target.GetHeight());
    Surface.SetUseBuffer(false);
    Surface.InitWindow(Target.GetCanvas(), &Options, clWhite, Is3D, R);
    Surface.Projection(100, R, R);
  }
  void Add(const std::vector<std::pair<double, double>>& Points) {
    for (const auto& [X, Y] : Points) Series->AddXY(X, Y);
  }
  // One drawing pass of the series as the chart runs it.
  void DrawPass() {
    Series->CalcFirstLastVisibleIndex();
    Lines->Calls.clear();
    Series->DrawAllValues();
  }
  // The line as drawn point by point with plain moves and lines, each
  // point skipped, joined or moved to by the series' rules; on Surface
  // with the series' pen.
  void DrawOneByOne(TKorCanvas3D& Surface, bool Is3D, int Z) {
    Surface.AssignVisiblePen(Series->GetLinePen());
    const int First = Series->GetFirstValueIndex();
    const int Last = Series->GetLastValueIndex();
    auto Breaks = [this](int I) { return !Series->GetIgnoreNulls() && Series->IsNull(I); };
    auto Move = [&](int X, int Y) { Is3D ? Surface.MoveTo3D(X, Y, Z) : Surface.MoveTo(X, Y); };
    auto Line = [&](int X, int Y) { Is3D ? Surface.LineTo3D(X, Y, Z) : Surface.LineTo(X, Y); };
    int LX;
    int LY;
    Series->CalcPosition(First > 0 ? First - 1 : First, LX, LY);
    bool LastBreaks = Breaks(First > 0 ? First - 1 : First);
    Move(LX, LY);
    for (int I = First > 0 ? First : First + 1; I <= Last; ++I) {
      int X;
      int Y;
      Series->CalcPosition(I, X, Y);
      if (X == LX && (!Series->GetDrawAllPoints() || Y == LY)) continue;
      if (Breaks(I) || LastBreaks) {
        Move(X, Y);
      } else {
        if (Series->GetStairs()) Series->GetInvertedStairs() ? Line(LX, Y) : Line(X, LY);
        Line(X, Y);
      }
      LX = X;
      LY = Y;
      LastBreaks = Breaks(I);
    }
  }
  static void Fill(TBitmap& Target, TColor Color) {
    TCanvas& C = Target.GetCanvas();
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(Color);
    C.FillRect(TRect(0, 0, Target.GetWidth(), Target.GetHeight()));
  }
  // Draws the pass over Back and the same line point by point, and
  // compares.
  void ExpectSamePixelsAsOneByOne(bool Is3D = false, int Z = 0, TColor Back = clWhite) {
    Fill(Bitmap, Back);
    DrawPass();
    TBitmap Expected(Bitmap.GetWidth(), Bitmap.GetHeight());
    Fill(Expected, Back);
    TKorCanvas3D Reference;
    Frame(Reference, Expected, Is3D);
    DrawOneByOne(Reference, Is3D, Z);
    EXPECT_TRUE(PixelProbe::SamePixels(Bitmap, Expected));
    EXPECT_GT(PixelProbe::CountIf(Bitmap, [Back](TColor C) { return C != Back; }), 20);
  }
  int Count(const std::string& Prefix) const {
    int N = 0;
    for (const std::string& C : Lines->Calls) N += C.rfind(Prefix, 0) == 0 ? 1 : 0;
    return N;
  }
  std::vector<std::string> Polylines() const {
    std::vector<std::string> P;
    for (const std::string& C : Lines->Calls)
      if (C.rfind("Polyline", 0) == 0) P.push_back(C);
    return P;
  }

  TTestChart Chart;
  TLineLog* Lines = nullptr;
  TFastLineSeries* Series = nullptr;  // owned by the chart
  TView3DOptions Options;
  TBitmap Bitmap{220, 120};
};

// ------------------------------------------------------------ defaults and properties

TEST_F(TFastLineSeriesTest, StartsWithItsDefaultsAndPublishesTheOptionsAfterTheSeries) {
  TFastLineSeries Fresh(nullptr);
  EXPECT_TRUE(Fresh.GetAutoRepaint());
  EXPECT_TRUE(Fresh.GetDrawAllPoints());
  EXPECT_TRUE(Fresh.GetIgnoreNulls());
  EXPECT_FALSE(Fresh.GetFastPen());
  EXPECT_FALSE(Fresh.GetStairs());
  EXPECT_FALSE(Fresh.GetInvertedStairs());
  EXPECT_FALSE(Fresh.GetSinglePointFunction());
  EXPECT_EQ(Fresh.GetEditorClass(), QStringLiteral("TFastLineSeriesEditor"));
  EXPECT_EQ(&Fresh.GetLinePen(), &Fresh.GetPen());

  const TPropertyList& P = Fresh.Properties();
  const int Base = TChartSeries(nullptr).Properties().Count();
  ASSERT_EQ(P.Count(), Base + 6);
  const char* Names[] = {"AutoRepaint",    "DrawAllPoints", "IgnoreNulls",
                         "InvertedStairs", "Stairs",        "LinePen"};
  for (int I = 0; I < 6; ++I) EXPECT_EQ(P.Item(Base + I).Name, QString::fromLatin1(Names[I]));
  for (int I = 0; I < 5; ++I) EXPECT_FALSE(P.Item(Base + I).IsStored(Fresh)) << Names[I];
  TPropertyValue Pen;
  ASSERT_TRUE(GetPropertyValue(Fresh, QStringLiteral("LinePen"), Pen));
  EXPECT_EQ(std::get<TPersistent*>(Pen), &Fresh.GetLinePen());

  ASSERT_TRUE(SetPropertyValue(Fresh, QStringLiteral("DrawAllPoints"), false));
  ASSERT_TRUE(SetPropertyValue(Fresh, QStringLiteral("AutoRepaint"), false));
  EXPECT_FALSE(Fresh.GetDrawAllPoints());
  EXPECT_FALSE(Fresh.GetAutoRepaint());
  EXPECT_TRUE(P.Find(QStringLiteral("DrawAllPoints"))->IsStored(Fresh));
}

TEST_F(TFastLineSeriesTest, OptionSettersRepaintOnlyOnChangeAndAutoRepaintNever) {
  Chart.Invalidations = 0;
  Series->SetStairs(true);
  Series->SetStairs(true);
  Series->SetInvertedStairs(true);
  Series->SetIgnoreNulls(false);
  Series->SetDrawAll(false);
  EXPECT_EQ(Chart.Invalidations, 4);
  Series->SetAutoRepaint(false);
  EXPECT_EQ(Chart.Invalidations, 4);
}

TEST_F(TFastLineSeriesTest, AssignCopiesTheSixOptionsAndTheSeries) {
  KorSetDCPenColor = RecordPenColor;
  TFastLineSeries Source(nullptr);
  Source.SetAutoRepaint(false);
  Source.SetDrawAll(false);
  Source.SetFastPen(true);
  Source.SetIgnoreNulls(false);
  Source.SetInvertedStairs(true);
  Source.SetStairs(true);
  Source.SetTitle(QStringLiteral("scan 3"));
  Series->Assign(Source);
  EXPECT_FALSE(Series->GetAutoRepaint());
  EXPECT_FALSE(Series->GetDrawAllPoints());
  EXPECT_TRUE(Series->GetFastPen());
  EXPECT_FALSE(Series->GetIgnoreNulls());
  EXPECT_TRUE(Series->GetInvertedStairs());
  EXPECT_TRUE(Series->GetStairs());
  EXPECT_EQ(Series->GetTitle(), QStringLiteral("scan 3"));
}

TEST_F(TFastLineSeriesTest, FastPenStaysOffWithoutThePlatformsPenColourEntryPoint) {
  ASSERT_EQ(KorSetDCPenColor, nullptr);
  Series->SetFastPen(true);
  EXPECT_FALSE(Series->GetFastPen());

  // Where the entry point exists, incremental drawing recolours through it.
  KorSetDCPenColor = RecordPenColor;
  Series->SetFastPen(true);
  EXPECT_TRUE(Series->GetFastPen());
  Series->SetAutoRepaint(false);
  Series->GetLinePen().SetColor(clRed);
  HookColor = clNone;
  Add({{10, 10}, {30, 30}});
  EXPECT_EQ(HookColor, clRed);
  EXPECT_EQ(Bitmap.GetPixel(20, 100), clRed);
}

TEST_F(TFastLineSeriesTest, SeriesColourAndPenColourStayEqual) {
  Series->SetSeriesColor(clRed);
  EXPECT_EQ(Series->GetLinePen().GetColor(), clRed);
  TChartPen Blue;
  Blue.SetColor(clBlue);
  Blue.SetWidth(2);
  Series->SetPen(Blue);
  EXPECT_EQ(Series->GetSeriesColor(), clBlue);
  EXPECT_EQ(Series->GetLinePen().GetWidth(), 2);

  // A series without a colour of its own gets a free one from the chart,
  // and its line is drawn in it.
  auto* Other = new TFastLineSeries(&Chart);
  Other->SetParentChart(&Chart);
  EXPECT_NE(Other->GetSeriesColor(), clDefault);
  EXPECT_EQ(Other->GetLinePen().GetColor(), Other->GetSeriesColor());
}

struct MarginCase {
  const char* Name;
  int PenWidth;
  int Margin;
};

class TFastLineMarginTest : public TFastLineSeriesTest,
                            public ::testing::WithParamInterface<MarginCase> {};

TEST_P(TFastLineMarginTest, PenWidensEveryMarginByWidthMinusHalfOfWidthMinusTwo) {
  Series->GetLinePen().SetWidth(GetParam().PenWidth);
  int Left = 0;
  int Right = 0;
  int Top = 0;
  int Bottom = 0;
  Series->CalcHorizMargins(Left, Right);
  Series->CalcVerticalMargins(Top, Bottom);
  const int M = GetParam().Margin;
  EXPECT_EQ(Left, M);
  EXPECT_EQ(Right, M);
  EXPECT_EQ(Top, M);
  EXPECT_EQ(Bottom, M);
}

INSTANTIATE_TEST_SUITE_P(PenWidths, TFastLineMarginTest,
                         ::testing::Values(MarginCase{"One", 1, 1}, MarginCase{"Two", 2, 2},
                                           MarginCase{"Three", 3, 3}, MarginCase{"Four", 4, 3},
                                           MarginCase{"Six", 6, 4}),
                         [](const ::testing::TestParamInfo<MarginCase>& I) {
                           return std::string(I.param.Name);
                         });

TEST_F(TFastLineSeriesTest, SubGalleryOffersMarksDottedAndStairs) {
  EXPECT_EQ(Series->CreateSubGallery(),
            QStringList({Korconst::KorMsg_Normal, Korconst::KorMsg_Marks, Korconst::KorMsg_Dotted,
                         Korconst::KorMsg_Stairs}));
  Series->SetSubGallery(1);
  EXPECT_TRUE(Series->GetMarks().GetVisible());
  Series->SetSubGallery(2);
  EXPECT_TRUE(Series->GetLinePen().GetSmallDots());
  Series->SetSubGallery(3);
  EXPECT_TRUE(Series->GetStairs());
}

TEST_F(TFastLineSeriesTest, MarksStandOffTheirPointByTheCalloutLength) {
  Add({{50, 50}});
  Series->GetMarks().SetArrowLength(8);
  TSeriesMarkPosition P;
  P.ArrowFrom = P.ArrowTo = TPoint(60, 60);
  P.Width = 20;
  P.Height = 10;
  P.LeftTop = TPoint(50, 51);
  Series->DrawMark(0, QStringLiteral("x"), P);
  EXPECT_EQ(P.LeftTop, TPoint(50, 43));
  EXPECT_EQ(P.ArrowTo, TPoint(60, 52));
  EXPECT_EQ(P.ArrowFrom, TPoint(60, 60));
}

// ------------------------------------------------------------ drawing

TEST_F(TFastLineSeriesTest, PositionsComeFromTheRawValuesThroughTheAxes) {
  Add({{10, 10}, {30, 95}});
  int X;
  int Y;
  Series->CalcPosition(1, X, Y);
  EXPECT_EQ(X, 40);
  EXPECT_EQ(Y, 15);
}

TEST_F(TFastLineSeriesTest, OneVisiblePointOnlyMovesThere) {
  Add({{50, 50}});
  DrawPass();
  EXPECT_EQ(Lines->Calls, std::vector<std::string>({"MoveTo 60,60"}));
  EXPECT_EQ(PixelProbe::Count(Bitmap, clWhite), 220 * 120);
}

TEST_F(TFastLineSeriesTest, AFirstVisiblePointAfterOthersIsJoinedToThePointBeforeIt) {
  Add({{-40, 0}, {-20, 50}, {20, 50}, {60, 90}});
  DrawPass();
  ASSERT_EQ(Series->GetFirstValueIndex(), 2);
  EXPECT_EQ(Polylines(), std::vector<std::string>({"Polyline -10,60 30,60 70,20"}));
  EXPECT_EQ(Bitmap.GetPixel(0, 60), clBlack);  // the segment entering the chart
  EXPECT_EQ(Lines->Calls.back(), "MoveTo 70,20");
}

TEST_F(TFastLineSeriesTest, IdenticalPixelsAreNeverJoinedAndColumnsCollapseWithoutDrawAll) {
  // 10.2 and 10.4 round to pixel 20 as 10 does; 10 up to 30 is one column.
  Add({{10, 10}, {10.2, 10.3}, {10.4, 20}, {10.4, 30}, {40, 30}});
  DrawPass();
  EXPECT_EQ(Polylines(), std::vector<std::string>({"Polyline 20,100 20,90 20,80 50,80"}));
  EXPECT_EQ(Count("LineTo"), 0);

  Series->SetDrawAll(false);
  DrawPass();
  EXPECT_EQ(Polylines(), std::vector<std::string>({"Polyline 20,100 50,80"}));
}

TEST_F(TFastLineSeriesTest, StairsTurnAtTheNewColumnOrInvertedAtTheOldOne) {
  Add({{10, 10}, {30, 40}});
  Series->SetStairs(true);
  DrawPass();
  EXPECT_EQ(Polylines(), std::vector<std::string>({"Polyline 20,100 40,100 40,70"}));
  Series->SetInvertedStairs(true);
  DrawPass();
  EXPECT_EQ(Polylines(), std::vector<std::string>({"Polyline 20,100 20,70 40,70"}));
}

TEST_F(TFastLineSeriesTest, ANullPointBreaksTheLineOnBothSidesUnlessNullsAreIgnored) {
  Series->AddXY(10, 10);
  Series->AddXY(30, 40);
  Series->AddNullXY(50, 0);
  Series->AddXY(70, 40);
  Series->AddXY(90, 10);
  DrawPass();
  EXPECT_EQ(Polylines(), std::vector<std::string>({"Polyline 20,100 40,70 60,110 80,70 100,100"}));

  Series->SetIgnoreNulls(false);
  Fill(Bitmap, clWhite);
  DrawPass();
  EXPECT_EQ(Polylines(), std::vector<std::string>({"Polyline 20,100 40,70",
                                                   "Polyline 80,70 "
                                                   "100,100"}));
  // Nothing between the points on either side of the null point.
  for (int X = 41; X < 80; ++X)
    for (int Y = 0; Y < 120; ++Y) ASSERT_EQ(Bitmap.GetPixel(X, Y), clWhite) << X << "," << Y;
}

struct TraceCase {
  const char* Name;
  bool DrawAll;
  bool Stairs;
  bool Inverted;
  bool IgnoreNulls;
  TPenMode Mode;
};

class TFastLineTraceTest : public TFastLineSeriesTest,
                           public ::testing::WithParamInterface<TraceCase> {
 protected:
  // A noisy trace of several points per pixel column, a vertical run, a
  // stretch of null points and a part beyond both ends of the chart.
  void AddTrace() {
    for (int I = 0; I < 700; ++I) {
      const double X = -15 + I * 0.33;
      const double Y = 50 + 45 * std::sin(I / 37.0) + ((I * 7919) % 13) * 0.4;
      if (I >= 300 && I < 304)
        Series->AddNullXY(X, 0);
      else
        Series->AddXY(X, Y);
    }
    // Inserted after the points at x = 100.
    for (int Y = 0; Y < 100; Y += 7) Series->AddXY(100, Y);
  }
};

TEST_P(TFastLineTraceTest, JoinedRunsDrawThePixelsOfTheLinePointByPoint) {
  const TraceCase& C = GetParam();
  Series->SetDrawAll(C.DrawAll);
  Series->SetStairs(C.Stairs);
  Series->SetInvertedStairs(C.Inverted);
  Series->SetIgnoreNulls(C.IgnoreNulls);
  Series->GetLinePen().SetMode(C.Mode);
  // White inverts the yellow background under an exclusive-or pen.
  if (C.Mode == pmXor) Series->SetSeriesColor(clWhite);
  AddTrace();
  ExpectSamePixelsAsOneByOne(false, 0, clYellow);
  EXPECT_EQ(Count("LineTo"), 0);
  EXPECT_EQ(static_cast<int>(Polylines().size()), C.IgnoreNulls ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Options, TFastLineTraceTest,
    ::testing::Values(TraceCase{"Default", true, false, false, true, pmCopy},
                      TraceCase{"OneColumnOnePoint", false, false, false, true, pmCopy},
                      TraceCase{"Stairs", true, true, false, true, pmCopy},
                      TraceCase{"InvertedStairs", false, true, true, true, pmCopy},
                      TraceCase{"BreakAtNulls", true, false, false, false, pmCopy},
                      TraceCase{"StairsBreakingAtNulls", true, true, true, false, pmCopy},
                      TraceCase{"XorPen", true, true, false, true, pmXor}),
    [](const ::testing::TestParamInfo<TraceCase>& I) { return std::string(I.param.Name); });

struct AxesCase {
  const char* Name;
  bool Fast;
  bool Logarithmic;
  bool InvertX;
  bool InvertY;
};

class TFastLineAxesTest : public TFastLineSeriesTest,
                          public ::testing::WithParamInterface<AxesCase> {};

// Pixels come from the axes a piece of points at a time and runs are cut
// into polylines of bounded length: a trace longer than both, with values
// far beyond the axes and not-a-number values, on every kind of axis.
TEST_P(TFastLineAxesTest, LongTracesDrawThePixelsOfTheLinePointByPointAndOfThePainter) {
  const AxesCase& C = GetParam();
  Chart.GetAxesList().SetFastCalc(C.Fast);
  TChartAxis& Bottom = *Chart.GetBottomAxis();
  Bottom.SetInverted(C.InvertX);
  Chart.GetLeftAxis()->SetInverted(C.InvertY);
  Layout(Bottom, 1, 200);
  Layout(*Chart.GetLeftAxis(), 0, 100);
  Bottom.SetLogarithmic(C.Logarithmic);
  for (int I = 0; I < 2600; ++I) {
    double Y = 50 + 48 * std::sin(I / 23.0) + ((I * 7919) % 11) * 0.3;
    if (I % 397 == 5) Y = 1e12;
    if (I % 613 == 7) Y = -1e300;
    if (I % 887 == 11) Y = std::nan("");
    Series->AddXY(1 + I * 0.08, Y);
  }
  ExpectSamePixelsAsOneByOne(false, 0, clYellow);
  EXPECT_GE(Polylines().size(), 2u);  // the run was cut

  TBitmap Direct;
  Direct.Assign(Bitmap);
  SetDirectLineDrawing(false);
  Fill(Bitmap, clYellow);
  DrawPass();
  EXPECT_TRUE(PixelProbe::SamePixels(Direct, Bitmap));
}

INSTANTIATE_TEST_SUITE_P(
    Axes, TFastLineAxesTest,
    ::testing::Values(AxesCase{"Linear", false, false, false, false},
                      AxesCase{"Fast", true, false, false, false},
                      AxesCase{"Inverted", false, false, true, true},
                      AxesCase{"FastInverted", true, false, true, true},
                      AxesCase{"Logarithmic", false, true, false, false},
                      AxesCase{"LogarithmicInverted", true, true, true, false}),
    [](const ::testing::TestParamInfo<AxesCase>& I) { return std::string(I.param.Name); });

TEST_F(TFastLineSeriesTest, DashedAndWidePensDrawPointByPoint) {
  Add({{10, 10}, {30, 80}, {60, 20}, {90, 90}, {120, 5}});
  Series->GetLinePen().SetStyle(psDash);
  ExpectSamePixelsAsOneByOne();
  EXPECT_EQ(Count("Polyline"), 0);
  EXPECT_EQ(Count("LineTo"), 4);

  Series->GetLinePen().SetStyle(psSolid);
  Series->GetLinePen().SetWidth(3);
  ExpectSamePixelsAsOneByOne();
  EXPECT_EQ(Count("LineTo"), 4);
}

TEST_F(TFastLineSeriesTest, In3DTheRunsAreDrawnAtTheMiddleDepth) {
  Chart.SetView3D(true);
  Frame(*Lines, Bitmap, true);
  Series->SetDepth(40);
  Series->SetInternalZOrder(0);
  Series->CalcDepthPositions();
  ASSERT_EQ(Series->GetMiddleZ(), 20);
  for (int I = 0; I < 90; ++I) Series->AddXY(I * 2.1, 40 + 30 * std::sin(I / 9.0));
  ExpectSamePixelsAsOneByOne(true, 20);
  ASSERT_EQ(Polylines().size(), 1u);
  EXPECT_NE(Polylines()[0].find(" z20"), std::string::npos);
  EXPECT_EQ(Lines->Calls.back().rfind("MoveTo3D", 0), 0u);
}

// A trace whose points and scales did not change since the last frame is
// given to the canvas again as the same polylines; every change of the
// points, their order, the visible range, a scale or the depth draws it
// afresh, as point by point drawing shows.
TEST_F(TFastLineSeriesTest, AnUnchangedTraceIsGivenAgainAndEveryChangeDrawsItAfresh) {
  for (int I = 0; I < 150; ++I) Series->AddXY(I * 1.3, 50 + 40 * std::sin(I / 11.0));
  ExpectSamePixelsAsOneByOne();
  const std::vector<std::string> First = Lines->Calls;
  ExpectSamePixelsAsOneByOne();
  EXPECT_EQ(Lines->Calls, First);
  // Cleared and refilled with the same points: the same polylines again.
  std::vector<std::pair<double, double>> Points;
  for (int I = 0; I < Series->Count(); ++I)
    Points.emplace_back(Series->GetxValue(I), Series->GetyValue(I));
  Series->Clear();
  Add(Points);
  ExpectSamePixelsAsOneByOne();
  EXPECT_EQ(Lines->Calls, First);

  const std::vector<std::function<void()>> Changes = {
      [this] { Series->SetYValue(40, 95); },
      [this] { Series->GetYValues().SetValue(41, 3); },
      [this] { Series->AddXY(199, 10); },
      [this] { Series->Delete(2); },
      [this] { Series->GetXValues().Scroll(); },
      [this] { Layout(*Chart.GetBottomAxis(), 30, 150); },
      [this] { Chart.GetLeftAxis()->SetInverted(true), Layout(*Chart.GetLeftAxis(), 0, 100); },
      [this] { Layout(*Chart.GetLeftAxis(), -20, 140); },
  };
  for (size_t C = 0; C < Changes.size(); ++C) {
    SCOPED_TRACE(C);
    const std::vector<std::string> Before = Lines->Calls;
    Changes[C]();
    ExpectSamePixelsAsOneByOne();
    EXPECT_NE(Lines->Calls, Before);
  }
  Chart.SetView3D(true);
  Frame(*Lines, Bitmap, true);
  Series->SetDepth(40);
  Series->SetInternalZOrder(0);
  Series->CalcDepthPositions();
  ExpectSamePixelsAsOneByOne(true, 20);
  EXPECT_NE(Polylines()[0].find(" z20"), std::string::npos);
}

TEST_F(TFastLineSeriesTest, LegendShapeIsOneLineThroughTheMiddleInTheLinePen) {
  Series->GetLinePen().SetColor(clRed);
  TColor Back = clWhite;
  TBrushStyle Style = bsSolid;
  Series->PrepareLegendCanvas(-1, Back, Style);
  TCanvas3D& Canvas = Chart.GetPanelCanvas();
  EXPECT_EQ(Canvas.GetPen().GetColor(), clRed);
  EXPECT_EQ(Canvas.GetBrush().GetStyle(), bsClear);
  EXPECT_EQ(Canvas.GetBackMode(), cbmTransparent);
  Series->DrawLegendShape(-1, TRect(5, 3, 25, 8));
  EXPECT_EQ(PixelProbe::Count(Bitmap, clRed), 20);
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(5, 5, 25, 6));
}

TEST_F(TFastLineSeriesTest, AChartDrawsTheLineInsideItsRectangleAsThePainterWould) {
  TChart Real(nullptr);
  Real.SetView3D(false);
  Real.GetLegend().SetVisible(false);
  auto* Line = new TFastLineSeries(&Real);
  Line->SetParentChart(&Real);
  Line->SetSeriesColor(clRed);
  for (int I = 0; I < 400; ++I) Line->AddXY(I * 0.5, std::sin(I / 20.0) + (I % 7) * 0.02);
  // The line leaves the chart on both sides.
  Real.GetBottomAxis()->SetMinMax(20, 160);
  TBitmap Direct(400, 300);
  Real.Draw(Direct.GetCanvas(), TRect(0, 0, 400, 300));
  const TRect Plot = Real.GetPlotRect();
  SetDirectLineDrawing(false);
  TBitmap Painted(400, 300);
  Real.Draw(Painted.GetCanvas(), TRect(0, 0, 400, 300));
  EXPECT_TRUE(PixelProbe::SamePixels(Direct, Painted));
  // The series is clipped inside the frame of the chart rectangle.
  const TRect Inside(Plot.Left + 1, Plot.Top + 1, Plot.Right, Plot.Bottom);
  EXPECT_GT(PixelProbe::Count(Direct, Inside, clRed), 300);
  EXPECT_EQ(PixelProbe::Count(Direct, clRed), PixelProbe::Count(Direct, Inside, clRed));
}

// ------------------------------------------------------------ new points

TEST_F(TFastLineSeriesTest, WithoutAutoRepaintANewPointDrawsItsSegmentAtOnce) {
  Series->SetAutoRepaint(false);
  int Announced = 0;
  Series->OnAfterAdd = [&Announced](TChartSeries*, int) { ++Announced; };
  Add({{10, 10}});
  Chart.Invalidations = 0;
  Add({{30, 10}});
  EXPECT_EQ(Chart.Invalidations, 0);
  EXPECT_EQ(Announced, 2);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 20);
  EXPECT_EQ(Bitmap.GetPixel(20, 100), clBlack);

  // A hidden series adds its points without drawing them.
  Series->SetActive(false);
  Add({{50, 30}});
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 20);

  // With auto repaint the chart repaints instead.
  Series->SetActive(true);
  Series->SetAutoRepaint(true);
  Chart.Invalidations = 0;
  Add({{70, 50}});
  EXPECT_GT(Chart.Invalidations, 0);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 20);
}

TEST_F(TFastLineSeriesTest, ANewPointAfterANullPointIsNotJoinedToIt) {
  Series->SetAutoRepaint(false);
  Series->SetIgnoreNulls(false);
  Series->AddXY(10, 10);
  Series->AddNullXY(30, 0);
  Series->AddXY(50, 40);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 0);
  Series->AddXY(70, 40);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 20);
}

// ------------------------------------------------------------ hit test

TEST_F(TFastLineSeriesTest, ClickedFindsThePointBeforeItsSegmentAndElseTheSegment) {
  EXPECT_EQ(Series->Clicked(20, 100), -1);  // nothing drawn yet
  Add({{10, 10}, {30, 40}, {50, 10}});
  Series->CalcFirstLastVisibleIndex();
  EXPECT_EQ(Series->Clicked(40, 70), 1);  // also the end of segment 0
  EXPECT_EQ(Series->Clicked(20, 100), 0);
  EXPECT_EQ(Series->Clicked(30, 85), 0);
  EXPECT_EQ(Series->Clicked(31, 85), 0);  // within a pixel
  EXPECT_EQ(Series->Clicked(50, 85), 1);
  EXPECT_EQ(Series->Clicked(30, 95), -1);
  EXPECT_EQ(Series->Clicked(100, 10), -1);

  // Points deleted since the last pass are not looked at.
  Series->Delete(2);
  EXPECT_EQ(Series->Clicked(40, 70), 1);
  EXPECT_EQ(Series->Clicked(50, 85), -1);
}

}  // namespace
