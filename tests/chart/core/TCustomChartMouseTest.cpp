#include "chart/core/TCustomChart.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorDragObject.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/core/TZoomPanning.h"

#include "platform/TBitmap.h"
#include "platform/TPrinter.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// A series hit within 3 pixels of (200, 150), where it reports point 5.
class THitSeries : public TChartSeries {
 public:
  using TChartSeries::TChartSeries;
  int Clicked(int X, int Y) const override {
    return std::abs(X - 200) <= 3 && std::abs(Y - 150) <= 3 ? 5 : -1;
  }
};

// The chart gets Qt's mouse events through its host widget, as in a window.
class TCustomChartMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.GetLegend().SetVisible(false);
    Series = new TChartSeries(&Chart);
    Chart.AddSeries(Series);
    for (int I = 0; I <= 10; ++I) Series->AddXY(I * 10, I * 20);
    Chart.Draw();
  }
  void TearDown() override { KorUseMouseWheel = true; }

  void Mouse(QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Held, int X, int Y) {
    QMouseEvent E(Type, QPointF(X, Y), QPointF(X, Y), Button, Held, Qt::NoModifier);
    QCoreApplication::sendEvent(Chart.GetWidget(), &E);
  }
  void Press(Qt::MouseButton B, int X, int Y) { Mouse(QEvent::MouseButtonPress, B, B, X, Y); }
  void Move(Qt::MouseButtons Held, int X, int Y) {
    Mouse(QEvent::MouseMove, Qt::NoButton, Held, X, Y);
  }
  void Release(Qt::MouseButton B, int X, int Y) {
    Mouse(QEvent::MouseButtonRelease, B, Qt::NoButton, X, Y);
  }
  void Drag(Qt::MouseButton B, TPoint From, TPoint To) {
    Press(B, From.X, From.Y);
    Move(B, (From.X + To.X) / 2, (From.Y + To.Y) / 2);
    Move(B, To.X, To.Y);
    Release(B, To.X, To.Y);
  }
  void Wheel(int Delta) {
    QWheelEvent E(QPointF(200, 150), QPointF(200, 150), QPoint(), QPoint(0, Delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Chart.GetWidget(), &E);
  }

  TChartAxis& Bottom() { return *Chart.GetBottomAxis(); }
  TChartAxis& Left() { return *Chart.GetLeftAxis(); }

  TChart Chart{nullptr};
  TChartSeries* Series = nullptr;
};

// -- zoom

TEST_F(TCustomChartMouseTest, ADraggedZoomSetsExactlyTheDraggedRangeAndADragBackUndoesIt) {
  const double BottomMin = Bottom().CalcPosPoint(150);
  const double BottomMax = Bottom().CalcPosPoint(300);
  const double LeftMin = Left().CalcPosPoint(200);
  const double LeftMax = Left().CalcPosPoint(80);
  const QImage Before = Chart.GetBuffer().Image().copy();
  int Zooms = 0;
  int Undos = 0;
  Chart.OnZoom = [&](TCustomAxisPanel*) { ++Zooms; };
  Chart.OnUndoZoom = [&](TCustomKorPanelExtended*) { ++Undos; };

  Press(Qt::LeftButton, 150, 80);
  Move(Qt::LeftButton, 220, 140);
  // The rubber band is in the buffer, inverted over what was there.
  int Changed = 0;
  for (int X = 150; X <= 220; ++X)
    if (Chart.GetBuffer().Image().pixel(X, 80) != Before.pixel(X, 80)) ++Changed;
  EXPECT_GT(Changed, 60);
  Move(Qt::LeftButton, 300, 200);
  Release(Qt::LeftButton, 300, 200);
  EXPECT_EQ(Chart.GetBuffer().Image(), Before);  // erased to the last pixel
  EXPECT_FALSE(Chart.GetZoom().Engaged);

  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), BottomMin);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), BottomMax);
  EXPECT_DOUBLE_EQ(Left().GetMinimum(), LeftMin);
  EXPECT_DOUBLE_EQ(Left().GetMaximum(), LeftMax);
  EXPECT_FALSE(Bottom().GetAutomatic());
  EXPECT_TRUE(Chart.GetZoomedNow());
  EXPECT_FALSE(Chart.GetScalesRestored());
  EXPECT_EQ(Zooms, 1);

  Chart.Draw();
  Drag(Qt::LeftButton, TPoint(300, 200), TPoint(150, 80));
  EXPECT_TRUE(Bottom().GetAutomatic());
  EXPECT_TRUE(Left().GetAutomatic());
  EXPECT_FALSE(Chart.GetZoomedNow());
  EXPECT_TRUE(Chart.GetScalesRestored());
  EXPECT_EQ(Undos, 1);
  EXPECT_EQ(Zooms, 1);
}

// The default white rubber band must still show on a white chart.
TEST_F(TCustomChartMouseTest, TheRubberBandShowsOnAWhiteChartAndErasesItself) {
  Chart.SetColor(clWhite);
  Chart.Draw();
  const QImage Before = Chart.GetBuffer().Image().copy();
  ASSERT_EQ(QColor(Before.pixel(5, 5)), QColor(Qt::white));
  Press(Qt::LeftButton, 150, 80);
  Move(Qt::LeftButton, 220, 140);
  int Dark = 0;
  for (int Y = 81; Y < 140; ++Y)
    if (QColor(Chart.GetBuffer().Image().pixel(150, Y)).lightness() < 64) ++Dark;
  EXPECT_GT(Dark, 50);
  Release(Qt::LeftButton, 220, 140);
  EXPECT_EQ(Chart.GetBuffer().Image(), Before);
}

TEST_F(TCustomChartMouseTest, ShortDragsDoNothingAndUpLeftDragsZoomWhenAsked) {
  Chart.ZoomRect(TRect(150, 80, 300, 200));
  const double Min = Bottom().GetMinimum();
  Chart.Draw();
  Drag(Qt::LeftButton, TPoint(200, 100), TPoint(210, 150));  // 10 pixels wide
  Drag(Qt::LeftButton, TPoint(200, 100), TPoint(216, 150));  // 16: not more than the least
  EXPECT_EQ(Bottom().GetMinimum(), Min);
  EXPECT_TRUE(Chart.GetZoomedNow());

  Chart.GetZoom().SetUpLeftZooms(true);
  const double UpLeftMin = Bottom().CalcPosPoint(150);
  Drag(Qt::LeftButton, TPoint(300, 200), TPoint(150, 80));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), UpLeftMin);

  // A horizontal zoom spans the chart's height and leaves the vertical
  // axes alone.
  Chart.GetZoom().SetUpLeftZooms(false);
  Chart.UndoZoom();
  Chart.Draw();
  Chart.GetZoom().SetDirection(tzdHorizontal);
  const double HorizontalMax = Bottom().CalcPosPoint(250);
  Drag(Qt::LeftButton, TPoint(150, 140), TPoint(250, 142));
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), HorizontalMax);
  EXPECT_FALSE(Left().GetAutomatic());  // set to its whole visible range
  EXPECT_DOUBLE_EQ(Left().GetMinimum(), Left().CalcPosPoint(Chart.GetPlotRect().Bottom));
}

// A double click whose handler opens a modal window (the chart editor): the
// window takes the button's release, so the chart must not be left in a drag
// that a rubber band follows and the next click ends in a zoom.
TEST_F(TCustomChartMouseTest, ADoubleClickLeavesNoDragBehind) {
  int Zooms = 0;
  Chart.OnZoom = [&](TCustomAxisPanel*) { ++Zooms; };
  Chart.OnDblClick = [&](TCustomControl*) {
    // As a modal window would, the handler runs while the button is held.
    EXPECT_FALSE(Chart.GetZoom().Engaged);
  };
  Press(Qt::LeftButton, 150, 80);
  Release(Qt::LeftButton, 150, 80);
  Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, 150, 80);
  EXPECT_FALSE(Chart.GetZoom().Engaged);  // the second press starts no drag
  Move(Qt::NoButton, 300, 200);           // the release went to the window
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  Drag(Qt::LeftButton, TPoint(150, 80), TPoint(300, 200));
  EXPECT_EQ(Zooms, 1);  // a drawn rectangle still zooms
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), Bottom().CalcPosPoint(300));
}

// Drags whose release went to another window end at the next sign of it: a
// move without the button, a new press of the button; Escape cancels a
// rubber band. None of them zooms.
TEST_F(TCustomChartMouseTest, LostReleasesAndEscapeEndDragsWithoutZooming) {
  int Zooms = 0;
  int Scrolls = 0;
  Chart.OnZoom = [&](TCustomAxisPanel*) { ++Zooms; };
  Chart.OnScroll = [&](TCustomAxisPanel*) { ++Scrolls; };
  const QImage Before = Chart.GetBuffer().Image().copy();

  Press(Qt::LeftButton, 150, 80);
  Move(Qt::LeftButton, 250, 180);
  Move(Qt::NoButton, 260, 190);
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  Chart.Draw();  // a repaint draws the band of a drag still engaged
  EXPECT_EQ(Chart.GetBuffer().Image(), Before);

  Press(Qt::LeftButton, 150, 80);
  Move(Qt::LeftButton, 250, 180);
  // The release was lost; the next press starts a new drag where it is.
  Press(Qt::LeftButton, 200, 100);
  EXPECT_TRUE(Chart.GetZoom().Engaged);
  EXPECT_EQ(Chart.GetZoom().StartX, 200);
  QKeyEvent Escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(Chart.GetWidget(), &Escape);
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  Release(Qt::LeftButton, 300, 200);
  EXPECT_EQ(Zooms, 0);
  EXPECT_TRUE(Bottom().GetAutomatic());

  Press(Qt::RightButton, 200, 150);
  Move(Qt::RightButton, 250, 150);
  EXPECT_EQ(Scrolls, 1);
  Move(Qt::NoButton, 280, 150);  // released over another window
  EXPECT_FALSE(Chart.GetPanState().Engaged);
  Move(Qt::NoButton, 300, 150);
  EXPECT_EQ(Scrolls, 1);
}

TEST_F(TCustomChartMouseTest, UndoRestoresTheScalesFromBeforeTheFirstZoomOfTheAxesThatStillExist) {
  Left().SetMinMax(-5, 250);
  TChartAxis* Gone = Chart.GetCustomAxes().Add();
  Gone->SetMinMax(1, 2);
  Chart.Draw();
  Chart.ZoomRect(TRect(150, 80, 300, 200));

  // Between the zooms a saved axis goes and another takes its place in
  // the list; the newcomer keeps its own range.
  Chart.GetCustomAxes().Delete(0);
  TChartAxis* Added = Chart.GetCustomAxes().Add();
  Added->SetMinMax(7, 8);
  Chart.Draw();
  Chart.ZoomRect(TRect(160, 90, 280, 190));
  Chart.UndoZoom();

  EXPECT_EQ(Left().GetMinimum(), -5);
  EXPECT_EQ(Left().GetMaximum(), 250);
  EXPECT_FALSE(Left().GetAutomatic());
  EXPECT_TRUE(Bottom().GetAutomatic());
  EXPECT_EQ(Added->GetMinimum(), 7);
  EXPECT_EQ(Added->GetMaximum(), 8);
  EXPECT_TRUE(Chart.GetScalesRestored());
}

TEST_F(TCustomChartMouseTest, ZoomPercentKeepsTheCentreAndScalesTheWidth) {
  auto View = [](const TChartAxis& A) {
    const double AtStart = A.CalcPosPoint(A.GetIStartPos());
    const double AtEnd = A.CalcPosPoint(A.GetIEndPos());
    return A.GetHorizontal() ? std::make_pair(AtStart, AtEnd) : std::make_pair(AtEnd, AtStart);
  };
  const auto [A, B] = View(Bottom());
  const double Centre = (A + B) / 2;
  const double Width = B - A;
  Chart.ZoomPercent(150);  // in by a half: two thirds of the width
  EXPECT_NEAR(Bottom().GetMinimum(), Centre - Width / 3, 1e-9 * Width);
  EXPECT_NEAR(Bottom().GetMaximum(), Centre + Width / 3, 1e-9 * Width);
  EXPECT_LT(Left().GetMinimum(), Left().GetMaximum());

  Chart.UndoZoom();
  Chart.Draw();
  Chart.ZoomPercent(50);  // out: twice the width
  EXPECT_NEAR(Bottom().GetMinimum(), Centre - Width, 1e-9 * Width);
  EXPECT_NEAR(Bottom().GetMaximum(), Centre + Width, 1e-9 * Width);

  const double Min = Bottom().GetMinimum();
  const double Max = Bottom().GetMaximum();
  for (double Percent : {0.0, -10.0, std::numeric_limits<double>::quiet_NaN()}) {
    Chart.ZoomPercent(Percent);
    EXPECT_EQ(Bottom().GetMinimum(), Min);
    EXPECT_EQ(Bottom().GetMaximum(), Max);
  }

  Chart.UndoZoom();
  Chart.Draw();
  const auto [LeftA, LeftB] = View(Left());
  Chart.GetZoom().SetDirection(tzdHorizontal);
  Chart.ZoomPercent(200);
  EXPECT_NEAR(Bottom().GetMaximum() - Bottom().GetMinimum(), Width / 2, 1e-9 * Width);
  EXPECT_EQ(Left().GetMinimum(), LeftA);
  EXPECT_EQ(Left().GetMaximum(), LeftB);
}

// -- panning and wheel

TEST_F(TCustomChartMouseTest, RightDragPansFromTheLastPointUntilThePointerLeavesTheChart) {
  const double Min = Bottom().GetMinimum();
  const double LeftMin = Left().GetMinimum();
  auto XAt = [&](int P) { return Bottom().CalcPosPoint(P); };
  auto YAt = [&](int P) { return Left().CalcPosPoint(P); };
  int Scrolls = 0;
  Chart.OnScroll = [&](TCustomAxisPanel*) { ++Scrolls; };

  Press(Qt::RightButton, 200, 150);
  Move(Qt::RightButton, 250, 150);
  EXPECT_NEAR(Bottom().GetMinimum(), Min + XAt(200) - XAt(250), 1e-9);
  EXPECT_TRUE(Left().GetAutomatic());  // no vertical move
  // Back past the start point: the axes follow the pointer without a jump.
  Move(Qt::RightButton, 150, 150);
  Move(Qt::RightButton, 100, 150);
  EXPECT_NEAR(Bottom().GetMinimum(), Min + XAt(200) - XAt(100), 1e-9);
  Move(Qt::RightButton, 100, 200);
  EXPECT_NEAR(Left().GetMinimum(), LeftMin + YAt(150) - YAt(200), 1e-9);
  EXPECT_EQ(Scrolls, 4);

  const double Panned = Bottom().GetMinimum();
  Move(Qt::RightButton, 2, 2);  // outside the chart rectangle
  Move(Qt::RightButton, 150, 200);
  EXPECT_EQ(Bottom().GetMinimum(), Panned);
  EXPECT_EQ(Scrolls, 4);
  Release(Qt::RightButton, 150, 200);

  // A vetoed scroll changes nothing but still counts as a scroll.
  Chart.OnAllowScroll = [](TChartAxis*, double&, double&, bool& Allow) { Allow = false; };
  Drag(Qt::RightButton, TPoint(200, 150), TPoint(260, 150));
  EXPECT_EQ(Bottom().GetMinimum(), Panned);
  EXPECT_EQ(Scrolls, 6);

  Chart.UndoZoom();
  EXPECT_TRUE(Bottom().GetAutomatic());
  EXPECT_TRUE(Left().GetAutomatic());
}

TEST_F(TCustomChartMouseTest, ZoomAndPanMayLeadWhollyPastTheOldMaximum) {
  ASSERT_LT(Bottom().GetMaximum(), 150);
  Chart.DoZoom(0, 1, 150, 250, 0, 1, 0, 1);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 150);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 250);
  // Animated, every step is a whole range too.
  Chart.GetZoom().SetAnimated(true);
  Chart.DoZoom(0, 1, 400, 500, 0, 1, 0, 1);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 400);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 500);
  // A pan that the application sends far beyond the present range.
  Chart.Draw();
  Chart.OnAllowScroll = [this](TChartAxis* Axis, double& Min, double& Max, bool&) {
    if (Axis != &Bottom()) return;
    Min = 1000;
    Max = 1100;
  };
  Drag(Qt::RightButton, TPoint(200, 150), TPoint(260, 150));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 1000);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 1100);
}

TEST_F(TCustomChartMouseTest, WheelScrollsTheVerticalAxesByThreePercentPerNotch) {
  Left().SetMinMax(0, 200);
  Wheel(-120);  // towards the user
  EXPECT_DOUBLE_EQ(Left().GetMinimum(), 6);
  EXPECT_DOUBLE_EQ(Left().GetMaximum(), 206);
  EXPECT_TRUE(Bottom().GetAutomatic());
  EXPECT_TRUE(Chart.GetDepthAxis()->GetAutomatic());
  Wheel(60);  // half notches add up
  EXPECT_DOUBLE_EQ(Left().GetMinimum(), 6);
  Wheel(60);
  EXPECT_NEAR(Left().GetMinimum(), 0, 1e-9);

  const double Min = Left().GetMinimum();
  KorUseMouseWheel = false;
  Wheel(-240);
  EXPECT_EQ(Left().GetMinimum(), Min);
}

// -- clicks

TEST_F(TCustomChartMouseTest, DoubleClickReachesChartAndSeriesInTheFrameworkOrder) {
  auto* Hit = new THitSeries(&Chart);
  Chart.AddSeries(Hit);
  QStringList Log;
  Chart.OnMouseDown = [&](TCustomControl*, TMouseButton, TShiftState S, int, int) {
    Log << (S.Contains(ssDouble) ? "down+double" : "down");
  };
  Chart.OnMouseUp = [&](TCustomControl*, TMouseButton, TShiftState, int, int) { Log << "up"; };
  Chart.OnDblClick = [&](TCustomControl*) { Log << "dblclick"; };
  Hit->OnClick = [&](TChartSeries*, int I, TMouseButton, TShiftState, int, int) {
    Log << QStringLiteral("series click %1").arg(I);
  };
  Hit->OnDblClick = [&](TChartSeries*, int I, TMouseButton, TShiftState, int, int) {
    Log << QStringLiteral("series dblclick %1").arg(I);
  };
  Press(Qt::LeftButton, 200, 150);
  Release(Qt::LeftButton, 200, 150);
  Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, 200, 150);
  Release(Qt::LeftButton, 200, 150);
  EXPECT_EQ(Log, QStringList({"down", "series click 5", "up", "dblclick", "down+double",
                              "series dblclick 5", "up"}));
}

TEST_F(TCustomChartMouseTest, OnlySeriesWithHandlersAreClickedAndTheBackgroundHearsOnce) {
  auto* Hit = new THitSeries(&Chart);
  Chart.AddSeries(Hit);
  EXPECT_EQ(Chart.CalcNeedClickedPart(TPoint(200, 150), true).Kind, cpChartRect);
  TChartClickedPart Part;
  Chart.CalcClickedPart(TPoint(200, 150), Part);
  EXPECT_EQ(Part.Kind, cpSeries);
  EXPECT_EQ(Part.Series, Hit);
  EXPECT_EQ(Part.ValueIndex, 5);
  EXPECT_EQ(Chart.CalcNeedClickedPart(TPoint(2, 2), true).Kind, cpNone);
  TSeriesMarkPosition& Mark = Series->GetMarks().GetPositions().Ensure(3);
  Mark.LeftTop = TPoint(100, 100);
  Mark.Width = 20;
  Mark.Height = 10;
  Chart.CalcClickedPart(TPoint(110, 105), Part);
  EXPECT_EQ(Part.Kind, cpChartRect);  // hidden marks are not hit
  Series->GetMarks().SetVisible(true);
  Chart.CalcClickedPart(TPoint(110, 105), Part);
  EXPECT_EQ(Part.Kind, cpSeriesMarks);
  EXPECT_EQ(Part.Series, Series);
  EXPECT_EQ(Part.ValueIndex, 3);
  Chart.CalcClickedPart(TPoint(200, 150), Part);
  EXPECT_EQ(Chart.CalcNeedClickedPart(TPoint(Chart.GetPlotRect().Left - 1, 150), true).Axis,
            &Left());

  // The handler lets the chart go on with the click (no zoom or panning
  // starts with the middle button), which must not bring it back.
  int Background = 0;
  Chart.OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
    ++Background;
    Chart.SetMouseCancelled(false);
  };
  Press(Qt::MiddleButton, 200, 150);
  Release(Qt::MiddleButton, 200, 150);
  EXPECT_EQ(Background, 1);
  Press(Qt::MiddleButton, 2, 2);  // outside the chart rectangle
  Release(Qt::MiddleButton, 2, 2);
  EXPECT_EQ(Background, 2);
  Press(Qt::LeftButton, 200, 150);  // heard, then the zoom drag begins
  EXPECT_EQ(Background, 3);
  EXPECT_TRUE(Chart.GetZoom().Engaged);
  Release(Qt::LeftButton, 200, 150);

  int SeriesClicks = 0;
  Chart.OnClickSeries = [&](TCustomChart*, TChartSeries* S, int, TMouseButton, TShiftState, int,
                            int) {
    EXPECT_EQ(S, Hit);
    ++SeriesClicks;
  };
  Press(Qt::MiddleButton, 200, 150);
  Release(Qt::MiddleButton, 200, 150);
  EXPECT_EQ(SeriesClicks, 1);
  EXPECT_EQ(Background, 3);  // the series took it

  const TKorDragObject Drag(Part);
  EXPECT_EQ(Drag.GetPart().Series, Hit);
  EXPECT_EQ(Drag.GetDragCursor(true, 0, 0), TCursor(2020));
  EXPECT_EQ(Drag.GetDragCursor(false, 0, 0), crNo);
}

TEST_F(TCustomChartMouseTest, ToolsHearTheMouseFirstAndMayCancelIt) {
  struct TCancellingTool : TKorCustomTool {
    using TKorCustomTool::TKorCustomTool;
    void ChartMouseEvent(TChartMouseEvent E, TMouseButton, TShiftState, int, int) override {
      Events.push_back(E);
      if (Cancel) GetParentChart()->SetMouseCancelled(true);
    }
    std::vector<TChartMouseEvent> Events;
    bool Cancel = false;
  };
  auto* First = new TCancellingTool(&Chart);
  auto* Second = new TCancellingTool(&Chart);
  First->SetParentChart(&Chart);
  Second->SetParentChart(&Chart);
  First->Cancel = true;
  Drag(Qt::LeftButton, TPoint(150, 80), TPoint(300, 200));
  EXPECT_EQ(First->Events, std::vector<TChartMouseEvent>({cmeDown, cmeMove, cmeMove, cmeUp}));
  EXPECT_TRUE(Second->Events.empty());
  EXPECT_TRUE(Bottom().GetAutomatic());  // no zoom began
}

// -- failures inside Qt's handlers

TEST_F(TCustomChartMouseTest, FailingHandlersAreReportedAndTheChartStaysUsable) {
  MessageRecorder Recorder;
  const double Min = Bottom().CalcPosPoint(150);
  Chart.OnZoom = [](TCustomAxisPanel*) { throw std::runtime_error("zoom handler failed"); };
  Drag(Qt::LeftButton, TPoint(150, 80), TPoint(300, 200));
  ASSERT_EQ(Recorder.Messages(), std::vector<std::string>({"zoom handler failed"}));
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), Min);
  Chart.OnZoom = nullptr;

  // A setter refusing a value inside a mouse handler.
  Chart.OnMouseDown = [&](TCustomControl*, TMouseButton, TShiftState, int, int) {
    Chart.SetMaxPointsPerPage(-1);
  };
  Press(Qt::LeftButton, 200, 150);
  Release(Qt::LeftButton, 200, 150);
  ASSERT_EQ(Recorder.Messages().size(), 2u);
  EXPECT_EQ(Recorder.Messages()[1], "MaxPointsPerPage must be >= 0");
  Chart.OnMouseDown = nullptr;

  // A release handler failing mid-drag: the rubber band goes with the drag.
  Chart.Draw();
  const QImage Before = Chart.GetBuffer().Image().copy();
  Chart.OnMouseUp = [](TCustomControl*, TMouseButton, TShiftState, int, int) {
    throw std::runtime_error("up handler failed");
  };
  Drag(Qt::LeftButton, TPoint(300, 200), TPoint(150, 80));
  EXPECT_EQ(Recorder.Messages().size(), 3u);
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  EXPECT_EQ(Chart.GetBuffer().Image(), Before);
  Chart.OnMouseUp = nullptr;

  Drag(Qt::LeftButton, TPoint(300, 200), TPoint(150, 80));  // still undoes
  EXPECT_TRUE(Bottom().GetAutomatic());

  int Draws = 0;
  Chart.OnAfterDraw = [&](TCustomAxisPanel*) {
    if (++Draws == 1) throw std::runtime_error("paint handler failed");
  };
  Chart.Invalidate();
  Chart.GetWidget()->grab();
  EXPECT_EQ(Recorder.Messages().back(), "paint handler failed");
  Chart.Invalidate();
  Chart.GetWidget()->grab();
  EXPECT_EQ(Draws, 2);
  EXPECT_EQ(Recorder.Messages().size(), 4u);
}

// -- paging

class TCustomChartPagingTest : public TCustomChartMouseTest {
 protected:
  void SetUp() override {
    TCustomChartMouseTest::SetUp();
    Series->Clear();
    for (int I = 0; I < 25; ++I) Series->AddXY(I, I);
    Chart.SetMaxPointsPerPage(10);
  }
  void TearDown() override {
    Printer().Abort();
    TCustomChartMouseTest::TearDown();
  }
  QString PdfFile() const {
    return QString::fromStdString((FreshTestDir("TCustomChartPagingTest") / "pages.pdf").string());
  }
  static int PdfPages(const QString& File) {
    QFile F(File);
    if (!F.open(QIODevice::ReadOnly)) return -1;
    const QString Pdf = QString::fromLatin1(F.readAll());
    return static_cast<int>(Pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
  }
};

TEST_F(TCustomChartPagingTest, PagesStepWithinTheirRange) {
  EXPECT_EQ(Chart.NumPages(), 3);
  Chart.PreviousPage();
  EXPECT_EQ(Chart.GetPage(), 1);
  Chart.NextPage();
  Chart.NextPage();
  Chart.NextPage();
  EXPECT_EQ(Chart.GetPage(), 3);
  Chart.SetScaleLastPage(false);
  EXPECT_EQ(Chart.MinXValue(&Bottom()), 20);
  EXPECT_EQ(Chart.MaxXValue(&Bottom()), 20 + 4 * 10 / 5.0);  // as if it held 10 points
  Chart.SetMaxPointsPerPage(0);
  EXPECT_EQ(Chart.GetPage(), 1);
  Chart.NextPage();
  EXPECT_EQ(Chart.GetPage(), 1);
}

TEST_F(TCustomChartPagingTest, PrintPagesPrintsEachPageAndComesBackToTheCurrentOne) {
  const QString File = PdfFile();
  Printer().SetPdfOutput(File, QSizeF(210, 297), 72);
  Chart.SetPage(2);
  std::vector<std::pair<double, double>> Printed;
  Chart.OnBeforePrint = [&](TCustomKorPanel*, TCanvas&, const TRect&) {
    Printed.emplace_back(Chart.MinXValue(&Bottom()), Chart.MaxXValue(&Bottom()));
  };
  Chart.PrintPages();
  EXPECT_EQ(Printed, (std::vector<std::pair<double, double>>{{0, 9}, {10, 19}, {20, 24}}));
  EXPECT_EQ(Chart.GetPage(), 2);
  EXPECT_EQ(PdfPages(File), 3);

  Printed.clear();
  Chart.PrintPages(2, 9);  // a last page beyond the chart's prints nothing twice
  EXPECT_EQ(Printed, (std::vector<std::pair<double, double>>{{10, 19}, {20, 24}}));
  EXPECT_EQ(PdfPages(File), 2);
}

TEST_F(TCustomChartPagingTest, AFailedPageAbortsTheJobAndRestoresThePage) {
  Printer().SetPdfOutput(PdfFile(), QSizeF(210, 297), 72);
  Chart.SetPage(1);
  Chart.OnBeforePrint = [&](TCustomKorPanel*, TCanvas&, const TRect&) {
    if (Chart.GetPage() == 2) throw std::runtime_error("out of paper");
  };
  EXPECT_THROW(Chart.PrintPages(), std::runtime_error);
  EXPECT_FALSE(Printer().GetPrinting());
  EXPECT_TRUE(Printer().GetAborted());
  EXPECT_EQ(Chart.GetPage(), 1);
}

}  // namespace
