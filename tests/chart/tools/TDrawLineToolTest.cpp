#include "chart/tools/TDrawLineTool.h"

#include "chart/tools/TDrawLine.h"
#include "chart/tools/TDrawLines.h"

#include "chart/core/KorException.h"
#include "chart/core/Korproco.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorZoom.h"
#include "chart/series/TPointSeries.h"

#include "platform/TColor.h"
#include "tests/chart/tools/MouseToolChart.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <ostream>
#include <vector>

namespace {

// A 2D chart with both axes fixed at 0 .. 100 and the tool on it; the
// mouse reaches the chart through its host widget, as in a window.
class TDrawLineToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    auto* Series = new TPointSeries(&Chart);
    Chart.AddSeries(Series);
    Series->SetSeriesColor(clGreen);
    Series->AddXY(0, 0);
    Series->AddXY(100, 100);
    Chart.GetBottomAxis()->SetMinMax(0, 100);
    Chart.GetLeftAxis()->SetMinMax(0, 100);
    Tool = new TDrawLineTool(&Chart);
    Tool->SetParentChart(&Chart);
    Tool->GetPen().SetColor(clRed);
    Chart.Draw();
    Chart.Repaints = 0;
  }

  void Press(TPoint P) { TMouseToolChart::Press(P.X, P.Y); }
  void Move(TPoint P) { TMouseToolChart::Move(P.X, P.Y); }
  void Release(TPoint P) { TMouseToolChart::Release(P.X, P.Y); }
  void Drag(TPoint From, TPoint To) {
    Press(From);
    Move(TPoint((From.X + To.X) / 2, (From.Y + To.Y) / 2));
    Move(To);
    Release(To);
  }
  void Click(TPoint P) {
    Press(P);
    Release(P);
  }

  TPoint At(double X, double Y) const { return Tool->AxisPoint(TFloatPoint{X, Y}); }
  static TPoint Shifted(TPoint P, int DX, int DY) { return TPoint(P.X + DX, P.Y + DY); }
  // The values a pixel stands for, as the tool takes them back.
  TFloatPoint ValueAt(TPoint P) const { return Tool->ScreenPoint(P); }
  // Whether a pixel within one of P has Color (lines are rasterised to
  // the nearest pixel of the exact position).
  bool InkNear(TPoint P, TColor Color) const {
    for (int Y = P.Y - 1; Y <= P.Y + 1; ++Y)
      for (int X = P.X - 1; X <= P.X + 1; ++X)
        if (Chart.GetBuffer().GetPixel(X, Y) == Color) return true;
    return false;
  }
  TDrawLine* NewLine(double X0, double Y0, double X1, double Y1) {
    TDrawLine* Line = Tool->GetLines().Add(X0, Y0, X1, Y1);
    Chart.Draw();
    return Line;
  }

  TDrawLineTool* Tool = nullptr;  // owned by the chart
};

// -- drawing new lines

TEST_F(TDrawLineToolTest, ADraggedLineIsAddedInAxisValuesSelectedAndRepaintedOnRelease) {
  int NewLines = 0;
  int Drags = 0;
  Tool->OnNewLine = [&](TPersistent*) { ++NewLines; };
  Tool->OnDragLine = [&](TPersistent*) { ++Drags; };
  const TPoint From = At(20, 30);
  const TPoint To = At(70, 60);

  Press(From);
  Move(Shifted(From, 10, 5));
  Move(To);
  EXPECT_EQ(Chart.Repaints, 0);  // only the inverted line while dragging
  EXPECT_EQ(Tool->GetLines().Count(), 0);
  Release(To);

  ASSERT_EQ(Tool->GetLines().Count(), 1);
  const TDrawLine* Line = Tool->GetLines().Last();
  EXPECT_EQ(Line->GetStartPos(), ValueAt(From));
  EXPECT_EQ(Line->GetEndPos(), ValueAt(To));
  EXPECT_EQ(Line->GetStyle(), dlLine);
  EXPECT_FALSE(Line->HasOwnPen());
  EXPECT_EQ(Tool->GetSelected(), Line);
  EXPECT_EQ(NewLines, 1);
  EXPECT_EQ(Drags, 2);
  EXPECT_GE(Chart.Repaints, 1);
  EXPECT_FALSE(Chart.GetZoom().Engaged);  // the chart left the mouse to the tool

  // Drawn with the next frame, in the tool's pen.
  Chart.Draw();
  EXPECT_TRUE(InkNear(At(45, 45), clRed));
}

TEST_F(TDrawLineToolTest, AClickWithoutAMoveAddsNoLineAndClearsTheSelection) {
  TDrawLine* Line = NewLine(10, 10, 30, 30);
  Tool->SetSelected(Line);
  SetPropertyValue(*Tool, QStringLiteral("SelectNewLines"), false);
  Click(At(80, 20));
  EXPECT_EQ(Tool->GetLines().Count(), 1);
  EXPECT_EQ(Tool->GetSelected(), nullptr);

  Drag(At(60, 60), At(90, 90));
  EXPECT_EQ(Tool->GetLines().Count(), 2);
  EXPECT_EQ(Tool->GetSelected(), nullptr);  // new lines are not selected

  Tool->SetEnableDraw(false);
  Drag(At(60, 10), At(90, 20));
  EXPECT_EQ(Tool->GetLines().Count(), 2);
}

// -- selecting, moving and deleting

TEST_F(TDrawLineToolTest, DraggingMovesTheWholeLineOrEitherEndOnlyWhenTheMouseMoved) {
  TDrawLine* Line = NewLine(20, 20, 80, 60);
  std::vector<TPersistent*> Dragged;
  Tool->OnDraggedLine = [&](TPersistent* S) { Dragged.push_back(S); };

  // A click selects the line and leaves its values exact.
  Click(At(50, 40));
  EXPECT_EQ(Tool->GetSelected(), Line);
  EXPECT_DOUBLE_EQ(Line->GetX0(), 20);
  EXPECT_DOUBLE_EQ(Line->GetY1(), 60);
  EXPECT_TRUE(Dragged.empty());

  // Whole: both ends follow the mouse.
  TPoint Start = At(20, 20);
  TPoint End = At(80, 60);
  Drag(At(50, 40), Shifted(At(50, 40), 12, -8));
  EXPECT_EQ(Line->GetStartPos(), ValueAt(Shifted(Start, 12, -8)));
  EXPECT_EQ(Line->GetEndPos(), ValueAt(Shifted(End, 12, -8)));
  ASSERT_EQ(Dragged.size(), 1u);
  EXPECT_EQ(Dragged[0], Tool);

  // By the start handle: only the start moves.
  Start = At(Line->GetX0(), Line->GetY0());
  End = At(Line->GetX1(), Line->GetY1());
  const TFloatPoint EndValue = Line->GetEndPos();
  Drag(Shifted(Start, 2, 2), At(5, 90));
  EXPECT_EQ(Line->GetStartPos(), ValueAt(At(5, 90)));
  EXPECT_EQ(Line->GetEndPos(), EndValue);

  // By the end handle: only the end moves.
  const TFloatPoint StartValue = Line->GetStartPos();
  Drag(Shifted(End, -3, 3), At(95, 5));
  EXPECT_EQ(Line->GetStartPos(), StartValue);
  EXPECT_EQ(Line->GetEndPos(), ValueAt(At(95, 5)));
  EXPECT_EQ(Dragged.size(), 3u);
  EXPECT_EQ(Tool->GetLines().Count(), 1);  // no drag drew a new line
}

TEST_F(TDrawLineToolTest, OnSelectingCanRefuseAndARefusedLineIsNeitherSelectedNorMoved) {
  TDrawLine* First = NewLine(10, 10, 40, 10);
  TDrawLine* Second = NewLine(10, 80, 90, 80);
  Tool->SetSelected(First);
  bool Allow = false;
  std::vector<TDrawLine*> Asked;
  int Selects = 0;
  Tool->OnSelecting = [&](TDrawLineTool*, TDrawLine* Line, bool& AllowSelect) {
    Asked.push_back(Line);
    AllowSelect = Allow;
  };
  Tool->OnSelect = [&](TPersistent*) { ++Selects; };

  Drag(At(50, 80), At(50, 50));
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0], Second);
  EXPECT_EQ(Tool->GetSelected(), First);
  EXPECT_EQ(Selects, 0);
  // Neither line took the other's points, and no line was drawn.
  EXPECT_DOUBLE_EQ(First->GetY0(), 10);
  EXPECT_DOUBLE_EQ(First->GetX1(), 40);
  EXPECT_DOUBLE_EQ(Second->GetY0(), 80);
  EXPECT_EQ(Tool->GetLines().Count(), 2);

  Allow = true;
  Click(At(50, 80));
  EXPECT_EQ(Tool->GetSelected(), Second);
  EXPECT_EQ(Selects, 1);
  Click(At(50, 80));  // the selected line is not asked for again
  EXPECT_EQ(Asked.size(), 2u);
}

TEST_F(TDrawLineToolTest, DeletingOrFreeingTheSelectedLineLeavesNoSelection) {
  TDrawLine* Line = NewLine(10, 10, 40, 40);
  TDrawLine* Other = NewLine(60, 60, 90, 90);
  Tool->SetSelected(Line);
  Chart.Repaints = 0;
  Tool->DeleteSelected();
  EXPECT_EQ(Tool->GetSelected(), nullptr);
  ASSERT_EQ(Tool->GetLines().Count(), 1);
  EXPECT_EQ(Tool->GetLines().Get(0), Other);
  EXPECT_EQ(Chart.Repaints, 1);

  Tool->SetSelected(Other);
  Tool->GetLines().Clear();
  EXPECT_EQ(Tool->GetSelected(), nullptr);
  EXPECT_EQ(Tool->GetLines().Last(), nullptr);
  Tool->DeleteSelected();  // nothing selected: nothing to free
  EXPECT_THROW(Tool->GetLines().Get(0), ChartException);
}

TEST_F(TDrawLineToolTest, WithSelectionOffClicksOnALineStartNewLines) {
  TDrawLine* Line = NewLine(10, 50, 90, 50);
  Tool->SetSelected(Line);
  Chart.Repaints = 0;
  Tool->SetEnableSelect(false);
  EXPECT_EQ(Tool->GetSelected(), nullptr);
  EXPECT_EQ(Chart.Repaints, 1);

  Drag(At(50, 50), At(50, 90));
  EXPECT_EQ(Tool->GetLines().Count(), 2);
  EXPECT_DOUBLE_EQ(Line->GetY0(), 50);
}

TEST_F(TDrawLineToolTest, HitTestsUseTheToleranceThePenStylesAndTheHandles) {
  TDrawLine* Line = NewLine(20, 20, 80, 20);
  const TPoint On = At(50, 20);
  EXPECT_EQ(Tool->Clicked(On.X, On.Y + 1), Line);  // tolerance 0 still takes 1 pixel
  EXPECT_EQ(Tool->Clicked(On.X, On.Y + 3), nullptr);
  Tool->SetClickTolerance(3);
  EXPECT_EQ(Tool->Clicked(On.X, On.Y + 3), Line);
  Tool->SetClickTolerance(0);

  const TPoint Start = At(20, 20);
  EXPECT_TRUE(Line->Clicked(Start.X - 3, Start.Y + 3, 0, 1));
  EXPECT_FALSE(Line->Clicked(Start.X - 4, Start.Y, 0, 1));
  EXPECT_FALSE(Line->Clicked(Start.X, Start.Y, 0, 2));

  // Parallel styles: two lines between the points, nothing on the diagonal.
  Line->SetY1(60);
  Line->SetStyle(dlHorizParallel);
  const TPoint Upper = At(50, 60);
  const TPoint Diagonal = At(50, 40);
  EXPECT_TRUE(Line->Clicked(On.X, On.Y, 0, 0));
  EXPECT_TRUE(Line->Clicked(Upper.X, Upper.Y, 0, 0));
  EXPECT_FALSE(Line->Clicked(Diagonal.X, Diagonal.Y, 0, 0));
  Line->SetStyle(dlVertParallel);
  const TPoint Left = At(20, 40);
  EXPECT_TRUE(Line->Clicked(Left.X, Left.Y, 0, 0));
  EXPECT_FALSE(Line->Clicked(On.X, On.Y, 0, 0));
}

// -- axis values, collection and streaming

TEST_F(TDrawLineToolTest, LinesStayOnTheirAxisValuesWhenTheAxesZoom) {
  TDrawLine* Line = NewLine(20, 20, 60, 60);
  const TPoint OldMiddle = At(40, 40);
  Chart.GetBottomAxis()->SetMinMax(30, 50);
  Chart.GetLeftAxis()->SetMinMax(30, 50);
  Chart.Draw();

  EXPECT_DOUBLE_EQ(Line->GetX0(), 20);
  EXPECT_DOUBLE_EQ(Line->GetY1(), 60);
  const TPoint Middle = At(40, 40);
  EXPECT_NE(Middle, At(45, 45));
  EXPECT_EQ(Tool->Clicked(Middle.X, Middle.Y), Line);
  EXPECT_TRUE(InkNear(Middle, clRed));
  const TPoint Off = At(45, 40);
  EXPECT_EQ(Tool->Clicked(Off.X, Off.Y), nullptr);
  EXPECT_FALSE(InkNear(Off, clRed));
  EXPECT_NE(OldMiddle, Middle);
  // Clipped to the chart rectangle: the part beyond its corner (30, 30)
  // is not drawn.
  const TRect Plot = Chart.GetPlotRect();
  int Outside = 0;
  for (int Y = Plot.Bottom + 2; Y < Plot.Bottom + 20; ++Y)
    for (int X = Plot.Left - 20; X < Plot.Left - 2; ++X)
      if (Chart.GetBuffer().GetPixel(X, Y) == clRed) ++Outside;
  EXPECT_EQ(Outside, 0);
}

TEST_F(TDrawLineToolTest, TheLinesCollectionPublishesEachLinesPropertiesAndCopiesPens) {
  const TPublishedProperty* LinesProperty = Tool->Properties().Find(QStringLiteral("Lines"));
  ASSERT_NE(LinesProperty, nullptr);
  EXPECT_EQ(LinesProperty->Kind, TPropertyKind::pkCollection);
  EXPECT_FALSE(LinesProperty->IsStored(*Tool));
  TDrawLine* Line = Tool->GetLines().Add(1, 2, 3, 4);
  EXPECT_TRUE(LinesProperty->IsStored(*Tool));
  EXPECT_EQ(LinesProperty->Collection.Item(*Tool, 0), Line);
  EXPECT_EQ(Tool->Description(), Korproco::KorMsg_DrawLineTool);
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TDrawLineEdit"));

  QStringList Names;
  for (const TPublishedProperty& P : Line->Properties()) Names << P.Name;
  EXPECT_EQ(Names, QStringList({"X0", "Y0", "X1", "Y1", "Style", "Pen"}));
  EXPECT_TRUE(SetPropertyValue(*Line, QStringLiteral("Y1"), 7.5));
  EXPECT_TRUE(SetPropertyValue(*Line, QStringLiteral("Style"), int(dlVertParallel)));
  EXPECT_DOUBLE_EQ(Line->GetY1(), 7.5);
  EXPECT_EQ(Line->GetStyle(), dlVertParallel);

  // The own pen is stored only once it exists, and starts as the tool's.
  const TPublishedProperty* Pen = Line->Properties().Find(QStringLiteral("Pen"));
  EXPECT_FALSE(Pen->IsStored(*Line));
  EXPECT_EQ(Line->GetPen().GetColor(), clRed);
  EXPECT_TRUE(Pen->IsStored(*Line));
  Line->GetPen().SetWidth(3);

  // Copies: a line with its own pen gives an equal pen of its own; a line
  // without one takes the copy's away.
  TDrawLines Copy(nullptr);
  Copy.Assign(Tool->GetLines());
  ASSERT_EQ(Copy.Count(), 1);
  EXPECT_DOUBLE_EQ(Copy[0]->GetY1(), 7.5);
  EXPECT_EQ(Copy[0]->GetStyle(), dlVertParallel);
  ASSERT_TRUE(Copy[0]->HasOwnPen());
  EXPECT_EQ(Copy[0]->GetPen().GetWidth(), 3);
  EXPECT_NE(&Copy[0]->GetPen(), &Line->GetPen());
  Line->SetPen(nullptr);
  EXPECT_FALSE(Line->HasOwnPen());
  Copy.Put(0, *Line);
  EXPECT_FALSE(Copy[0]->HasOwnPen());

  TDrawLineTool Other(nullptr);
  Other.Assign(*Tool);
  ASSERT_EQ(Other.GetLines().Count(), 1);
  EXPECT_EQ(Other.GetLines()[0]->GetParent(), &Other);
  EXPECT_DOUBLE_EQ(Other.GetLines()[0]->GetX1(), 3);
}

TEST_F(TDrawLineToolTest, FreeingTheToolOrItsChartWithASelectedLineIsSafe) {
  Tool->SetSelected(NewLine(10, 10, 20, 20));
  delete Tool;
  EXPECT_EQ(Chart.GetTools().Count(), 0);

  // The chart frees the tools on it, lines and selection included.
  auto* Owner = new TComponent(nullptr);
  auto* Chart2 = new TChart(Owner);
  auto* Tool2 = new TDrawLineTool(Owner);
  Tool2->SetParentChart(Chart2);
  Tool2->SetSelected(Tool2->GetLines().Add(1, 1, 2, 2));
  delete Chart2;
  EXPECT_EQ(Owner->GetComponentCount(), 0);
  delete Owner;
}

// -- drawing between frames

struct TInvertCase {
  const char* Name;
  TColor ChartColor;
  TColor Back;  // the colour the inverting pen works against
};

void PrintTo(const TInvertCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class TDrawLineInvertTest : public TDrawLineToolTest,
                            public ::testing::WithParamInterface<TInvertCase> {};

QRgb Rgb(TColor C) {
  return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF) & 0xFFFFFF;
}

// Over any pixel the inverted line shows pen XOR back XOR pixel, so over
// the background it shows in the pen's own colour; drawing the same line
// again gives the pixel back.
TEST_P(TDrawLineInvertTest, DrawingTheLineTwiceRestoresEveryPixel) {
  Chart.SetColor(GetParam().ChartColor);
  Tool->GetPen().SetColor(clNavy);
  Chart.Draw();
  const QImage Before = Chart.GetBuffer().Image().copy();
  const TPoint From = At(10, 20);
  const TPoint To = At(90, 80);
  const QRgb Inverting = Rgb(clNavy ^ GetParam().Back);

  Press(From);
  Move(To);
  int Changed = 0;
  int Wrong = 0;
  for (int X = From.X; X <= To.X; ++X) {
    for (int Y = To.Y; Y <= From.Y; ++Y) {
      const QRgb Now = Chart.GetBuffer().Image().pixel(X, Y);
      if (Now == Before.pixel(X, Y)) continue;
      ++Changed;
      if (Now != (Before.pixel(X, Y) ^ Inverting)) ++Wrong;
    }
  }
  EXPECT_GE(Changed, To.X - From.X);
  EXPECT_EQ(Wrong, 0);

  Move(At(50, 50));
  Release(At(50, 50));
  EXPECT_EQ(Chart.GetBuffer().Image(), Before);  // erased to the last pixel
  EXPECT_EQ(Tool->GetLines().Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    ChartColours, TDrawLineInvertTest,
    ::testing::Values(TInvertCase{"White", clWhite, clWhite},
                      TInvertCase{"SystemColour", clBtnFace, ColorToRGB(clBtnFace)},
                      TInvertCase{"Default", clDefault, ColorToRGB(clBtnFace)}),
    [](const ::testing::TestParamInfo<TInvertCase>& Info) { return Info.param.Name; });

}  // namespace
