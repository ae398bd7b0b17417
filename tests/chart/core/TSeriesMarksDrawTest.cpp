#include "chart/core/TSeriesMarks.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/core/TSeriesMarksSymbol.h"
#include "chart/core/TView3DOptions.h"
#include "tests/chart/core/TestCharts.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>
#include <vector>

namespace {

// The marks' box colour in these tests (their own default is the system's
// tooltip colour, which differs between desktops).
constexpr TColor MarkBack = 0xE1FFFF;

struct TTextCall {
  QString Text;
  int X;
  int Y;
};

// The chart's own surface, recording the texts it writes.
class TTextRecorder : public TKorCanvas3D {
 public:
  void TextOut(int X, int Y, const QString& Text) override {
    Texts.push_back({Text, X, Y});
    TKorCanvas3D::TextOut(X, Y, Text);
  }
  std::vector<TTextCall> Texts;
};

// A series type that places its marks like bar and pie series do: up by
// the callout's length, out of the way of the marks before them.
class TStackingSeries : public TChartSeries {
 public:
  using TChartSeries::TChartSeries;
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override {
    GetMarks().ApplyArrowLength(APosition);
    GetMarks().AntiOverlap(GetFirstValueIndex(), ValueIndex, APosition);
    TChartSeries::DrawMark(ValueIndex, St, APosition);
  }
};

// A flat 400 x 300 chart on a white panel without axes (they still scale);
// the series' marks are visible,
// framed and written in DejaVu Sans, with their text geometry read from
// the chart's own surface.
class TSeriesMarksDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    auto Surface = std::make_unique<TTextRecorder>();
    Recorder = Surface.get();
    Chart.SetInternalCanvas(std::move(Surface));
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.SetColor(clWhite);
    Chart.SetAxisVisible(false);  // only the marks write texts
    Use(new TChartSeries(&Chart));
  }
  void TearDown() override { SetTextAntialiasing(true); }

  void Use(TChartSeries* S) {
    delete Series;
    Series = S;
    Series->SetParentChart(&Chart);
    Series->SetSeriesColor(clRed);
    Marks().SetVisible(true);
    Marks().GetFont().SetName(QStringLiteral("DejaVu Sans"));
    Marks().GetFont().SetSize(10);
    Marks().GetShadow().SetSize(0);
    Marks().SetColor(MarkBack);
  }
  TSeriesMarks& Marks() { return Series->GetMarks(); }
  const TSeriesMarkPosition* At(int Index) { return Marks().GetPositions().Get(Index); }

  // N points, each mark well inside the chart.
  void Points(int N) {
    for (int I = 0; I < N; ++I)
      Series->AddXY(I, I % 2 == 0 ? 10 : 20, QStringLiteral("P%1").arg(I));
    Chart.GetBottomAxis()->SetMinMax(-1, N);
    Chart.GetLeftAxis()->SetMinMax(0, 30);
  }
  const TBitmap& Frame() {
    Recorder->Texts.clear();
    Chart.Draw();
    return Chart.GetBuffer();
  }
  int TextWidth(const QString& Text) {
    Chart.GetPanelCanvas().AssignFont(Marks().GetFont());
    return Chart.GetPanelCanvas().TextWidth(Text);
  }
  int LineHeight() {
    Chart.GetPanelCanvas().AssignFont(Marks().GetFont());
    return Chart.GetPanelCanvas().TextHeight(QStringLiteral("W"));
  }
  // The box of a mark with one line of Text in a one-pixel frame.
  TSize BoxOf(const QString& Text) {
    return TSize(TextWidth(Text) + TextWidth(QStringLiteral("W")) + 2, LineHeight() + 2);
  }
  QStringList Written() const {
    QStringList L;
    for (const TTextCall& T : Recorder->Texts) L << T.Text;
    return L;
  }

  TTestChart Chart;
  TTextRecorder* Recorder = nullptr;
  TChartSeries* Series = nullptr;  // owned by the chart
};

// -- placing

TEST_F(TSeriesMarksDrawTest, MarksSitCentredOnTopOfTheirPoints) {
  Points(3);
  const TBitmap& Bitmap = Frame();
  for (int I = 0; I < 3; ++I) {
    SCOPED_TRACE(I);
    const TSeriesMarkPosition* P = At(I);
    ASSERT_NE(P, nullptr);
    const TSize Box = BoxOf(QStringLiteral("P%1").arg(I));
    const TPoint Point(Series->CalcXPos(I), Series->CalcYPos(I));
    EXPECT_EQ(P->Width, Box.cx);
    EXPECT_EQ(P->Height, Box.cy);
    EXPECT_EQ(P->LeftTop, TPoint(Point.X - Box.cx / 2, Point.Y - Box.cy + 1));
    EXPECT_EQ(P->ArrowFrom, Point);
    EXPECT_FALSE(P->Custom);
    // The box in the tooltip colour inside its frame.
    EXPECT_EQ(Bitmap.GetPixel(P->LeftTop.X + 1, P->LeftTop.Y + 1), MarkBack);
    EXPECT_EQ(Bitmap.GetPixel(P->LeftTop.X, P->LeftTop.Y), clBlack);
  }
  EXPECT_EQ(Written(), QStringList({"P0", "P1", "P2"}));
  const TSeriesMarkPosition* P = At(1);
  EXPECT_EQ(Recorder->Texts[1].X, P->LeftTop.X + 1 + P->Width / 2) << "centred past 2 pixels";
  EXPECT_EQ(Recorder->Texts[1].Y, P->LeftTop.Y + 1) << "below the frame";
}

TEST_F(TSeriesMarksDrawTest, DrawEveryNullPointsAndEmptyTextsLeaveMarksOut) {
  Points(8);
  Marks().SetDrawEvery(3);
  Series->SetNull(6);
  Series->OnGetMarkText = [](TChartSeries*, int Index, QString& Text) {
    if (Index == 0) Text.clear();
  };
  Frame();
  EXPECT_EQ(Written(), QStringList({"P3"}));
  for (int I : {0, 1, 2, 4, 5, 6, 7}) EXPECT_EQ(At(I), nullptr) << I;
  ASSERT_NE(At(3), nullptr);

  // Clicks find only marks of drawn points, even where a stored position
  // of another point lies.
  const TPoint Inside(At(3)->LeftTop.X + 3, At(3)->LeftTop.Y + 3);
  EXPECT_EQ(Marks().Clicked(Inside), 3);
  TSeriesMarkPosition Elsewhere = *At(3);
  Elsewhere.LeftTop = TPoint(5, 5);
  Marks().GetPositions().Put(4, Elsewhere);
  EXPECT_EQ(Marks().Clicked(8, 8), -1);
  Marks().SetDrawEvery(1);
  EXPECT_EQ(Marks().Clicked(8, 8), 4);
}

TEST_F(TSeriesMarksDrawTest, HiddenMarksAreNotDrawnByTheChart) {
  Points(3);
  Marks().SetVisible(false);
  Frame();
  EXPECT_TRUE(Written().isEmpty());
  EXPECT_EQ(Marks().GetPositions().Count(), 0);
}

TEST_F(TSeriesMarksDrawTest, MovedMarkStaysUntilPositionsAreReset) {
  Points(3);
  Frame();
  const TSeriesMarkPosition Automatic = *At(1);
  TSeriesMarkPosition Moved = Automatic;
  Moved.LeftTop = TPoint(20, 30);
  Moved.ArrowTo = TPoint(30, 40);
  Marks().GetPositions().Put(1, Moved);
  const TBitmap& Bitmap = Frame();
  EXPECT_EQ(At(1)->LeftTop, TPoint(20, 30));
  EXPECT_EQ(Bitmap.GetPixel(21, 31), MarkBack);
  EXPECT_EQ(Marks().Clicked(20 + Moved.Width, 30 + Moved.Height), 1) << "edges included";
  EXPECT_EQ(Marks().Clicked(21 + Moved.Width, 30), -1);

  Marks().ResetPositions();
  Frame();
  EXPECT_EQ(At(1)->LeftTop, Automatic.LeftTop);
  EXPECT_EQ(Marks().Clicked(21, 31), -1);
}

TEST_F(TSeriesMarksDrawTest, CustomItemsLendTheirLookAndTheirText) {
  Points(3);
  TMarksItem& Item = Marks().GetItem(1);
  Item.SetColor(clYellow);
  Item.SetFont(Marks().GetFont());
  const TBitmap& Styled = Frame();
  EXPECT_EQ(Written(), QStringList({"P0", "P1", "P2"})) << "no text list: the style's text";
  EXPECT_EQ(Styled.GetPixel(At(1)->LeftTop.X + 1, At(1)->LeftTop.Y + 1), clYellow);

  // Custom lines are joined with CR LF; each drawn line is clean.
  Item.SetText({QStringLiteral("first"), QStringLiteral("second line")});
  Frame();
  EXPECT_EQ(Written(), QStringList({"P0", "first", "second line", "P2"}));
  EXPECT_EQ(At(1)->Width, BoxOf(QStringLiteral("second line")).cx);
  EXPECT_EQ(At(1)->Height, 2 * LineHeight() + 2);
  EXPECT_EQ(Recorder->Texts[2].Y - Recorder->Texts[1].Y, LineHeight());

  Marks().GetPositions().Clear();
  Item.SetText({});
  Frame();
  EXPECT_EQ(Written(), QStringList({"P0", "P2"})) << "an empty text hides the mark";
  EXPECT_EQ(At(1), nullptr);
}

TEST_F(TSeriesMarksDrawTest, StylesChooseTheTextAndMultiLineSplitsIt) {
  Series->AddXY(0, 25, QStringLiteral("Cars"));
  Series->AddXY(1, 75, QStringLiteral("Bikes"));
  Marks().SetStyle(smsLabelPercent);
  Frame();
  EXPECT_EQ(Written(), QStringList({"Cars 25 %", "Bikes 75 %"}));
  Marks().SetStyle(smsXY);
  Frame();
  EXPECT_EQ(Written(), QStringList({"0 25", "1 75"}));
  Marks().SetStyle(smsLabelValue);
  Marks().SetMultiLine(true);
  Frame();
  EXPECT_EQ(Written(), QStringList({"Cars", "25", "Bikes", "75"}));
  EXPECT_EQ(At(0)->Height, 2 * LineHeight() + 2);
  EXPECT_EQ(At(0)->Width, BoxOf(QStringLiteral("Cars")).cx);
}

TEST_F(TSeriesMarksDrawTest, SymbolTakesThePointColourAndWidensTheBox) {
  Points(2);
  Marks().GetSymbol()->SetVisible(true);
  const TBitmap& Bitmap = Frame();
  const int H = LineHeight();
  EXPECT_EQ(At(0)->Width, BoxOf(QStringLiteral("P0")).cx + H - 4);
  const TRect& Symbol = Marks().GetSymbol()->GetShapeBounds();
  EXPECT_EQ(Symbol.Left, At(1)->LeftTop.X + 4);
  EXPECT_EQ(Symbol.Bottom, At(1)->LeftTop.Y + H - 2);
  EXPECT_EQ(Bitmap.GetPixel(Symbol.Left + 2, Symbol.Top + 2), clRed);
  // The text moves right past the symbol.
  EXPECT_EQ(Recorder->Texts[1].X, (At(1)->LeftTop.X + 2 + Marks().GetSymbol()->GetWidth() + 4 +
                                   At(1)->LeftTop.X + At(1)->Width) /
                                      2);
}

TEST_F(TSeriesMarksDrawTest, CalloutJoinsTheMarkLiftedByItsLength) {
  Use(new TStackingSeries(&Chart));
  Series->AddXY(0, 10);
  Series->AddXY(10, 20);
  Marks().GetArrow().SetColor(clBlue);
  Marks().SetArrowLength(12);
  const TBitmap& Bitmap = Frame();
  const TPoint Point(Series->CalcXPos(0), Series->CalcYPos(0));
  EXPECT_EQ(At(0)->ArrowFrom, Point);
  EXPECT_EQ(At(0)->ArrowTo, TPoint(Point.X, Point.Y - 12));
  EXPECT_EQ(At(0)->LeftTop.Y + At(0)->Height - 1, Point.Y - 12);
  for (int Y = Point.Y - 10; Y <= Point.Y; ++Y) EXPECT_EQ(Bitmap.GetPixel(Point.X, Y), clBlue) << Y;
}

// -- overlapping and clicking

TEST_F(TSeriesMarksDrawTest, OverlappingMarksAreMovedApart) {
  Use(new TStackingSeries(&Chart));
  for (int I = 0; I < 6; ++I) Series->AddXY(I, 10, QStringLiteral("Mark"));
  Chart.GetLeftAxis()->SetMinMax(0, 20);
  Frame();
  // Points closer than a mark is wide, but two marks apart from the next
  // but one.
  const double Spacing = 0.65 * At(0)->Width;
  Chart.GetBottomAxis()->SetMinMax(0, Chart.GetPlotRect().Width() / Spacing);
  Frame();
  const int Top = At(0)->LeftTop.Y;
  for (int I = 0; I < 6; ++I) {
    SCOPED_TRACE(I);
    EXPECT_EQ(At(I)->LeftTop.Y, I % 2 == 0 ? Top : Top + At(0)->Height + 1)
        << "the next moves down";
    EXPECT_EQ(At(I)->ArrowTo.Y, At(I)->LeftTop.Y + At(I)->Height - 1) << "its arrow follows";
    TRect Common;
    for (int J = 0; J < I; ++J)
      EXPECT_FALSE(IntersectRect(Common, At(I)->Bounds(), At(J)->Bounds())) << J;
  }
}

TEST_F(TSeriesMarksDrawTest, AntiOverlapCountsFrameAndShadowAndMeasuresFromTheFirstPlace) {
  Marks().GetShadow().SetSize(2);
  auto Box = [](int X, int Y) {
    TSeriesMarkPosition P;
    P.LeftTop = TPoint(X, Y);
    P.ArrowTo = TPoint(X + 20, Y + 10);
    P.Width = 40;
    P.Height = 10;
    return P;
  };
  Marks().GetPositions().Put(0, Box(0, 100));
  TSeriesMarkPosition Below = Box(10, 112);  // clear of the box, not of frame and shadow
  Marks().AntiOverlap(0, 1, Below);
  EXPECT_EQ(Below.LeftTop.Y, 100 + 10 + 1 + 2);
  EXPECT_EQ(Below.ArrowTo.Y, Below.LeftTop.Y + 10);
  TSeriesMarkPosition Above = Box(10, 95);
  Marks().AntiOverlap(0, 1, Above);
  EXPECT_EQ(Above.LeftTop.Y + 10 + 1 + 2, 100);
  TSeriesMarkPosition Beside = Box(60, 100);
  Marks().AntiOverlap(0, 1, Beside);
  EXPECT_EQ(Beside.LeftTop.Y, 100);
  // Every overlap is measured against the place the mark was asked to
  // go: down out of the first mark, and up by what the first place
  // overlapped the second.
  Marks().GetPositions().Put(1, Box(0, 114));
  TSeriesMarkPosition Twice = Box(10, 102);
  Marks().AntiOverlap(0, 2, Twice);
  EXPECT_EQ(Twice.LeftTop.Y, 102 + (113 - 102) - (115 - 114));
  TSeriesMarkPosition NotFromFirst = Box(10, 102);
  Marks().AntiOverlap(1, 2, NotFromFirst);
  EXPECT_EQ(NotFromFirst.LeftTop.Y, 102 - (115 - 114));
}

TEST_F(TSeriesMarksDrawTest, TurnedMarksAreHitInsideTheirTurnedOutline) {
  TSeriesMarkPosition P;
  P.LeftTop = TPoint(100, 100);
  P.Width = 60;
  P.Height = 10;
  Marks().GetPositions().Put(0, P);
  EXPECT_EQ(Marks().Clicked(155, 105), 0);
  EXPECT_EQ(Marks().Clicked(130, 125), -1);
  for (int Angle : {90, -90, 450}) {
    SCOPED_TRACE(Angle);
    Marks().SetAngle(Angle);
    EXPECT_EQ(Marks().Clicked(130, 125), 0) << "standing up";
    EXPECT_EQ(Marks().Clicked(155, 105), -1);
  }
}

// -- drawing switches

TEST_F(TSeriesMarksDrawTest, ClipKeepsMarksInsideTheChartRectangle) {
  Series->AddXY(0, 10, QStringLiteral("low"));
  Series->AddXY(1, 20, QStringLiteral("top"));
  Chart.GetLeftAxis()->SetMinMax(0, 20);
  const TBitmap& Free = Frame();
  const TRect Plot = Chart.GetPlotRect();
  const TRect AbovePlot(0, 0, 399, Plot.Top);  // the panel's frame is at 399
  const int Area = AbovePlot.Width() * AbovePlot.Height();
  EXPECT_GT(Area - PixelProbe::Count(Free, AbovePlot, clWhite), 20);
  Marks().SetClip(true);
  const TBitmap& Clipped = Frame();
  EXPECT_EQ(PixelProbe::Count(Clipped, AbovePlot, clWhite), Area);
  EXPECT_EQ(Written(), QStringList({"low", "top"}));
}

TEST_F(TSeriesMarksDrawTest, ZoomedThreeDChartsMoveAndScaleFlatMarks) {
  Points(2);
  Chart.SetView3D(true);
  Chart.GetView3DOptions().SetOrthogonal(true);
  Frame();
  const TSeriesMarkPosition Plain = *At(1);
  const TPoint Projected =
      Chart.GetPanelCanvas().Calculate3DPosition(Plain.ArrowTo, Marks().GetZPosition());
  EXPECT_EQ(Marks().ConvertTo2D(Plain.ArrowTo, Plain.LeftTop),
            TPoint(Plain.LeftTop.X + Projected.X - Plain.ArrowTo.X,
                   Plain.LeftTop.Y + Projected.Y - Plain.ArrowTo.Y));
  EXPECT_NE(Projected, Plain.ArrowTo) << "the series lies at a depth";

  Chart.GetView3DOptions().SetZoom(200);
  Frame();
  EXPECT_GT(At(1)->Height, Plain.Height + LineHeight() / 2);
  Chart.GetView3DOptions().SetZoomText(false);
  Frame();
  EXPECT_EQ(At(1)->Height, Plain.Height);
}

}  // namespace
