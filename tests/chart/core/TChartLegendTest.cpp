#include "chart/core/TChartLegend.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartLegendGradient.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TLegendItem.h"
#include "chart/core/TLegendItems.h"
#include "chart/core/TLegendSymbol.h"
#include "chart/core/TLegendTitle.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

namespace {

const QString Separator(KorColumnSeparator);

// A 400 x 300 chart without 3D, its legend in DejaVu Sans; layout checks
// read the legend's and the chart's state after a frame.
class TChartLegendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Legend().GetFont().SetName(QStringLiteral("DejaVu Sans"));
    Legend().GetTitle().GetFont().SetName(QStringLiteral("DejaVu Sans"));
  }
  void TearDown() override { SetTextAntialiasing(true); }

  TChartLegend& Legend() { return Chart.GetLegend(); }

  TChartSeries* AddSeries(const QString& Title, int Points = 3, TColor Color = clRed) {
    auto* S = new TChartSeries(nullptr);  // the chart frees its series
    S->SetTitle(Title);
    S->SetSeriesColor(Color);
    for (int I = 0; I < Points; ++I) S->Add(I + 1, QStringLiteral("P%1").arg(I));
    S->SetParentChart(&Chart);
    return S;
  }

  // A frame sets up the surface; then the legend alone is laid out and
  // drawn on the chart rectangle Plot.
  void LayOut(const TRect& Plot) {
    Chart.Draw();
    Chart.SetPlotRect(Plot);
    Chart.ReCalcWidthHeight();
    Legend().DrawLegend();
  }

  int SpaceWidth() {
    TCanvas3D& C = Chart.GetPanelCanvas();
    C.AssignFont(Legend().GetFont());
    return C.TextWidth(QStringLiteral(" "));
  }

  // Fixed text columns and a 20 pixel symbol: one horizontal item is then
  // this wide (symbol + texts + 8).
  int FixItemWidth(int FirstColumn) {
    Chart.Draw();  // measures on the frame's surface
    Legend().GetSymbol().SetWidthUnits(lcsPixels);
    Legend().SetColumnWidth(0, FirstColumn);
    Legend().SetColumnWidth(1, 0);
    return 20 + 2 * SpaceWidth() - 1 + FirstColumn + 8;
  }

  // Top of the text row Row: below the title, a tenth of an item and one
  // pixel into the legend.
  int RowTop(int Row) {
    const int H = Legend().GetItemHeight();
    return Legend().FirstItemTop() + Round(H * 0.1) + 1 + Row * H;
  }

  TChart Chart{nullptr};
};

// -- style, texts and series

TEST_F(TChartLegendTest, OneSeriesListsItsValuesSeveralOrCheckBoxesListSeries) {
  EXPECT_FALSE(Legend().ShouldDraw());
  Legend().SetCheckBoxes(true);
  EXPECT_TRUE(Legend().ShouldDraw());  // a legend of check boxes even without series
  Legend().SetCheckBoxes(false);

  AddSeries("A");
  Legend().CalcLegendStyle();
  EXPECT_EQ(Legend().GetInternalLegendStyle(), lsValues);
  Legend().SetCheckBoxes(true);
  Legend().CalcLegendStyle();
  EXPECT_EQ(Legend().GetInternalLegendStyle(), lsSeries);
  EXPECT_TRUE(Legend().HasCheckBoxes());
  Legend().SetCheckBoxes(false);
  AddSeries("B");
  Legend().CalcLegendStyle();
  EXPECT_EQ(Legend().GetInternalLegendStyle(), lsSeries);

  Legend().SetLegendStyle(lsValues);
  Legend().SetCheckBoxes(true);
  EXPECT_EQ(Legend().GetInternalLegendStyle(), lsValues);
  EXPECT_FALSE(Legend().HasCheckBoxes());  // values never carry check boxes
  Legend().SetVisible(false);
  EXPECT_FALSE(Legend().ShouldDraw());
}

TEST_F(TChartLegendTest, TextSplitsIntoTwoColumnsAndDropsWhatFollowsASecondSeparator) {
  AddSeries("A");
  AddSeries("B");
  AddSeries("C");
  Chart.OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle Style, int Index, QString& Text) {
    EXPECT_EQ(Style, lsSeries);
    const QStringList Texts{"a" + Separator + "b" + Separator + "c", "only", "x" + Separator};
    Text = Texts[Index];
  };
  Chart.Draw();
  EXPECT_EQ(Legend().GetColumnText(0, 0), "a");
  EXPECT_EQ(Legend().GetColumnText(0, 1), "b");
  EXPECT_EQ(Legend().GetColumnText(1, 0), "only");
  EXPECT_EQ(Legend().GetColumnText(1, 1), "");
  EXPECT_EQ(Legend().GetColumnText(2, 0), "x");
  EXPECT_EQ(Legend().GetItems().Get(0).GetText(), "a");  // the drawn first column is recorded
  EXPECT_FALSE(Legend().GetItems().GetCustomTexts());
}

TEST_F(TChartLegendTest, FormattedTextsFollowTheStyleAndStayOnOneLine) {
  TChartSeries* A = AddSeries("A", 3);
  AddSeries("B", 5);
  A->SetXLabel(1, QStringLiteral("two") + KorLineSeparator + "lines");
  Legend().SetTextStyle(ltsPlain);
  EXPECT_EQ(Legend().FormattedValue(A, 1), "two lines");
  EXPECT_EQ(Legend().FormattedValue(A, -1), "");

  Legend().SetLegendStyle(lsLastValues);
  EXPECT_EQ(Legend().FormattedLegend(0), "P2");
  EXPECT_EQ(Legend().FormattedLegend(1), "P4");
  Legend().SetLegendStyle(lsSeries);
  EXPECT_EQ(Legend().FormattedLegend(1), "B");
  Legend().SetLegendStyle(lsValues);
  EXPECT_EQ(Legend().FormattedLegend(0), "P0");  // of the first active series
}

TEST_F(TChartLegendTest, LegendSeriesIsTheChosenOneElseTheFirstActiveShownInTheLegend) {
  TChartSeries* A = AddSeries("A");
  TChartSeries* B = AddSeries("B");
  TChartSeries* C = AddSeries("C");
  EXPECT_EQ(Legend().GetLegendSeries(), A);
  A->SetShowInLegend(false);
  EXPECT_EQ(Legend().GetLegendSeries(), B);
  B->SetShowInLegend(false);
  C->SetShowInLegend(false);
  EXPECT_EQ(Legend().GetLegendSeries(), A);  // none shown: the first active
  Legend().SetSeries(C);
  EXPECT_EQ(Legend().GetLegendSeries(), C);
  delete C;  // leaves the chart, and the legend forgets it
  EXPECT_EQ(Legend().GetLegendSeries(), A);
}

// -- layout

TEST_F(TChartLegendTest, VerticalLegendSitsRightOfTheChartAndTakesItsRoom) {
  AddSeries("A");
  AddSeries("B");
  TRect SeenPlot;
  Chart.OnGetLegendRect = [&](TCustomChart* Sender, TRect&) { SeenPlot = Sender->GetPlotRect(); };
  LayOut(TRect(20, 30, 380, 280));
  EXPECT_EQ(SeenPlot, TRect(20, 30, 380, 280));
  const int H = Legend().GetItemHeight();
  const TRect& L = Legend().GetShapeBounds();
  EXPECT_EQ(Legend().GetColumns(), 1);
  EXPECT_EQ(Legend().GetRows(), 2);
  EXPECT_EQ(Legend().GetLastValue(), 1);
  EXPECT_EQ(L.Top, 30);                 // 10 % of the 300 pixel frame
  EXPECT_EQ(L.Right, 380 - 3 - 1 - 1);  // shadow 3, frame 1
  EXPECT_EQ(L.Bottom, L.Top + 2 * H + 2 + 2 * Round(H * 0.1));
  EXPECT_EQ(Chart.GetPlotRect(), TRect(20, 30, L.Left - 3 * 360 / 100, 280));
}

TEST_F(TChartLegendTest, VerticalRowsStopAtTheChartBottomAndNoRoomDrawsNothing) {
  AddSeries("A", 60);
  LayOut(TRect(20, 30, 380, 200));
  const int H = Legend().GetItemHeight();
  const int Rows = (170 + 30 - 2 * 1 - Legend().FirstItemTop()) / H;
  EXPECT_EQ(Legend().GetRows(), Rows);
  EXPECT_EQ(Legend().GetLastValue(), Rows - 1);

  Legend().SetTopPos(100);  // the first item would start below the chart
  LayOut(TRect(20, 30, 380, 200));
  EXPECT_EQ(Legend().GetRows(), 0);
  EXPECT_LT(Legend().GetLastValue(), Legend().GetFirstValue());
  EXPECT_EQ(Chart.GetPlotRect(), TRect(20, 30, 380, 200));
}

TEST_F(TChartLegendTest, ItemHeightIsAtLeastOnePixelWhateverTheSpacing) {
  AddSeries("A");
  AddSeries("B");
  Chart.Draw();
  const int Plain = Legend().CalcItemHeight();
  Legend().SetVertSpacing(-Plain);  // would make the rows' divisor zero
  EXPECT_EQ(Legend().CalcItemHeight(), 1);
  Chart.Draw();
  EXPECT_EQ(Legend().GetRows(), 2);
  Legend().SetVertSpacing(-1000);
  EXPECT_EQ(Legend().CalcItemHeight(), 1);
  Chart.Draw();
  EXPECT_EQ(Legend().GetRows(), 2);
}

TEST_F(TChartLegendTest, HorizontalRowsFillTheColumnsUpToMaxNumRows) {
  TChartSeries* S = AddSeries("A", 25);
  Legend().SetAlignment(laBottom);
  const int ItemWidth = FixItemWidth(40);
  const TRect Plot(5, 20, 5 + 2 + 8 + 4 * ItemWidth + ItemWidth / 2, 280);
  LayOut(Plot);
  EXPECT_EQ(Legend().GetColumns(), 4);
  EXPECT_EQ(Legend().GetRows(), 7);
  EXPECT_EQ(Legend().GetLastValue(), 24);
  const TRect& L = Legend().GetShapeBounds();
  EXPECT_EQ(L.Bottom, 280 - (0 + 1 + 1));  // panel shadow 0, frame 1
  const int Half = (4 * (ItemWidth - 2) + 10) / 2;
  EXPECT_EQ(L.Left, Round(10 * (400 - 2 * Half) * 0.01) + Chart.GetPlotCenterX() - Half);
  EXPECT_EQ(L.Right, L.Left + 2 * Half);
  EXPECT_EQ(Chart.GetPlotRect().Bottom, L.Top - 4 * 260 / 100);

  S->AddArray(std::vector<double>(25, 1.0));
  LayOut(Plot);
  EXPECT_EQ(Legend().GetRows(), 10);
  EXPECT_EQ(Legend().GetLastValue(), 39);  // 40 of the 50 shown
}

TEST_F(TChartLegendTest, FrameWiderThanTheChartLeavesNoColumnsAndTheChartAlone) {
  AddSeries("A");
  AddSeries("B");
  AddSeries("C");
  AddSeries("D");
  Legend().SetAlignment(laTop);
  Legend().SetBevel(bvRaised);
  Legend().SetBevelWidth(400);  // room = width - 800 - 8: several items negative
  LayOut(TRect(20, 30, 380, 280));
  EXPECT_EQ(Legend().GetColumns(), 0);
  EXPECT_EQ(Legend().GetRows(), 0);
  EXPECT_LT(Legend().GetLastValue(), Legend().GetFirstValue());
  EXPECT_EQ(Chart.GetPlotRect(), TRect(20, 30, 380, 280));
  EXPECT_EQ(Legend().Clicked(200, 40), -1);
}

TEST_F(TChartLegendTest, CustomPositionInPercentKeepsTheSizeAndLeavesTheChart) {
  AddSeries("A");
  AddSeries("B");
  Legend().SetCustomPosition(true);
  Legend().SetPositionUnits(muPercent);
  Legend().SetLeftPercent(50);
  Legend().SetTopPercent(10);
  LayOut(TRect(20, 30, 380, 280));
  EXPECT_EQ(Legend().GetShapeBounds().Left, 200);
  EXPECT_EQ(Legend().GetShapeBounds().Top, 30);
  EXPECT_EQ(Chart.GetPlotRect(), TRect(20, 30, 380, 280));

  Legend().SetCustomPosition(false);
  Legend().SetResizeChart(false);
  LayOut(TRect(20, 30, 380, 280));
  EXPECT_EQ(Chart.GetPlotRect(), TRect(20, 30, 380, 280));
  Legend().SetResizeChart(true);
  Legend().SetHorizMargin(7);
  LayOut(TRect(20, 30, 380, 280));
  EXPECT_EQ(Chart.GetPlotRect().Right, Legend().GetShapeBounds().Left - 7);
}

TEST_F(TChartLegendTest, PagedValuesStartAtTheCurrentPage) {
  AddSeries("A", 25);
  Chart.SetMaxPointsPerPage(10);
  Chart.SetPage(2);
  Chart.Draw();
  EXPECT_EQ(Legend().GetFirstValue(), 10);
  EXPECT_EQ(Legend().GetTotalLegendItems(), 10);
  EXPECT_EQ(Legend().GetColumnText(0, 1), "P10");

  Legend().SetCurrentPage(false);
  Legend().SetFirstValue(3);
  Chart.Draw();
  EXPECT_EQ(Legend().GetFirstValue(), 3);
  EXPECT_EQ(Legend().GetTotalLegendItems(), 22);

  AddSeries("B");  // a series legend is never paged
  Chart.Draw();
  EXPECT_EQ(Legend().GetFirstValue(), 0);
}

TEST_F(TChartLegendTest, ContinuousSymbolsTouchAndOnlyTheBandsEndsKeepTheirGaps) {
  AddSeries("A");
  AddSeries("B");
  AddSeries("C");
  Chart.Draw();
  const int H = Legend().GetItemHeight();
  auto Symbol = [this](int P) { return Legend().GetItems().Get(P).GetSymbolRect(); };
  EXPECT_EQ(Symbol(1).Top, RowTop(1) + 2);
  EXPECT_EQ(Symbol(1).Bottom, RowTop(1) + H + 1 - 3);

  Legend().GetSymbol().SetContinuous(true);
  Chart.Draw();
  EXPECT_EQ(Symbol(0).Top, RowTop(0) + 2);
  EXPECT_EQ(Symbol(0).Bottom, RowTop(0) + H + 1);
  EXPECT_EQ(Symbol(1).Top, Symbol(0).Bottom - 1);
  EXPECT_EQ(Symbol(1).Bottom, Symbol(2).Top + 1);
  EXPECT_EQ(Symbol(2).Bottom, RowTop(2) + H + 1 - 3);
}

struct TResizeCase {
  const char* Name;
  TLegendAlignment Alignment;
};

class TChartLegendResizeTest : public TChartLegendTest,
                               public ::testing::WithParamInterface<TResizeCase> {};

TEST_P(TChartLegendResizeTest, ChartRectangleGivesTheLegendsSideAndADefaultMargin) {
  AddSeries("A");
  AddSeries("B");
  Legend().SetAlignment(GetParam().Alignment);
  LayOut(TRect(20, 30, 380, 280));
  const TRect& L = Legend().GetShapeBounds();
  TRect Expected(20, 30, 380, 280);
  switch (GetParam().Alignment) {
    case laLeft: Expected.Left = L.Right + 3 * 360 / 100; break;
    case laRight: Expected.Right = L.Left - 3 * 360 / 100; break;
    case laTop: Expected.Top = L.Bottom + 0 + 4 * 250 / 100; break;
    case laBottom: Expected.Bottom = L.Top - 4 * 250 / 100; break;
  }
  EXPECT_EQ(Chart.GetPlotRect(), Expected);
}

INSTANTIATE_TEST_SUITE_P(Alignments, TChartLegendResizeTest,
                         ::testing::Values(TResizeCase{"Left", laLeft},
                                           TResizeCase{"Right", laRight}, TResizeCase{"Top", laTop},
                                           TResizeCase{"Bottom", laBottom}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// -- clicks and check boxes

TEST_F(TChartLegendTest, ClickedFindsTheRowAndNotTheTitleOrTheHookedEdge) {
  AddSeries("A");
  AddSeries("B");
  AddSeries("C");
  Legend().GetTitle().SetCaption(QStringLiteral("Series"));
  Chart.Draw();
  ASSERT_TRUE(Legend().GetTitleDrawn());
  const int H = Legend().GetItemHeight();
  const TRect L = Legend().GetShapeBounds();
  auto RowY = [&](int Row) { return Legend().FirstItemTop() + Row * H + 1 + H / 2; };
  EXPECT_EQ(Legend().FirstItemTop(), L.Top + Legend().GetTitle().CalcHeight() + 2);
  EXPECT_EQ(Legend().Clicked(L.Left + 5, RowY(0)), 0);
  EXPECT_EQ(Legend().Clicked(L.Left + 5, RowY(2)), 2);
  EXPECT_EQ(Legend().Clicked(L.Left + 5, L.Top + 3), -1);  // on the title
  EXPECT_EQ(Legend().Clicked(L.Right + 5, RowY(0)), -1);
  Legend().SetInverted(true);
  Chart.Draw();
  EXPECT_EQ(Legend().Clicked(L.Left + 5, RowY(0)), 2);

  Legend().GetTitle().SetCaption(QString());  // a wider title would hide the hook
  Chart.Draw();
  const TRect Narrow = Legend().GetShapeBounds();
  Legend().OnCalcSize = [](TCustomChartLegend*, int& Size) { Size += 10; };
  Chart.Draw();
  const TRect Wider = Legend().GetShapeBounds();
  EXPECT_EQ(Wider.Width(), Narrow.Width() + 10);
  EXPECT_EQ(Legend().Clicked(Wider.Right - 5, Legend().FirstItemTop() + 1 + H / 2), -1);
  EXPECT_EQ(Legend().Clicked(Wider.Right - 15, Legend().FirstItemTop() + 1 + H / 2), 2);
}

TEST_F(TChartLegendTest, ClickedInAHorizontalLegendCountsColumnsAndSkipsEmptyCells) {
  for (const char* Title : {"A", "B", "C", "D", "E", "F"}) AddSeries(Title);
  Legend().SetAlignment(laTop);
  Legend().SetFirstValue(1);  // items 1..5: three rows of two
  const int ItemWidth = FixItemWidth(40);
  const TRect Plot(5, 20, 5 + 2 + 8 + 2 * ItemWidth + ItemWidth / 2, 280);
  LayOut(Plot);
  ASSERT_EQ(Legend().GetColumns(), 2);
  ASSERT_EQ(Legend().GetRows(), 3);
  auto At = [this](int Row, int Column) {
    const TRect& L = Legend().GetShapeBounds();
    const int Width = Legend().GetWidth() / 2;
    const int H = Legend().GetItemHeight();
    return Legend().Clicked(L.Left + Column * Width + 1 + Width / 2,
                            Legend().FirstItemTop() + Row * H + 1 + H / 2);
  };
  EXPECT_EQ(At(0, 0), 1);
  EXPECT_EQ(At(0, 1), 2);
  EXPECT_EQ(At(2, 0), 5);
  EXPECT_EQ(At(2, 1), -1);

  Legend().SetInverted(true);
  LayOut(Plot);
  EXPECT_EQ(At(0, 0), 5);
  EXPECT_EQ(At(0, 1), 4);
  EXPECT_EQ(At(2, 0), 1);
  EXPECT_EQ(At(2, 1), -1);  // not value 0, which is not shown
}

TEST_F(TChartLegendTest, CheckBoxesToggleOrSelectTheSeriesShownInTheLegend) {
  TChartSeries* A = AddSeries("A");
  TChartSeries* B = AddSeries("B");
  TChartSeries* C = AddSeries("C");
  TChartSeries* Hidden = AddSeries("Hidden");
  Hidden->SetShowInLegend(false);
  EXPECT_FALSE(Legend().DoMouseDown(0, 0, 1));  // no check boxes
  Legend().SetCheckBoxes(true);
  Legend().CalcLegendStyle();
  EXPECT_TRUE(Legend().DoMouseDown(0, 0, 1));
  EXPECT_FALSE(B->GetActive());
  EXPECT_FALSE(Legend().DoMouseDown(0, 0, -1));

  Legend().SetCheckBoxesStyle(cbsRadio);
  EXPECT_TRUE(A->GetActive());
  EXPECT_FALSE(C->GetActive());
  EXPECT_TRUE(Hidden->GetActive());
  EXPECT_TRUE(Legend().DoMouseDown(0, 0, 2));
  EXPECT_FALSE(A->GetActive());
  EXPECT_FALSE(B->GetActive());
  EXPECT_TRUE(C->GetActive());
  EXPECT_TRUE(Hidden->GetActive());
}

TEST_F(TChartLegendTest, SymbolsShowTheSeriesColoursAndCheckBoxesTheirState) {
  AddSeries("A", 3, clRed);
  AddSeries("B", 3, clBlue)->SetActive(false);
  Legend().SetCheckBoxes(true);
  Chart.Draw();
  const TBitmap& Frame = Chart.GetBuffer();
  auto Centre = [](const TRect& R) {
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  };
  const TRect Red = Legend().GetItems().Get(0).GetSymbolRect();
  const TRect Blue = Legend().GetItems().Get(1).GetSymbolRect();
  EXPECT_EQ(Frame.GetPixel(Centre(Red).X, Centre(Red).Y), clRed);
  EXPECT_EQ(Frame.GetPixel(Centre(Blue).X, Centre(Blue).Y), clBlue);
  // The 13 pixel boxes: the tick of the active series only.
  const int H = Legend().GetItemHeight();
  auto BoxInside = [&](int Row) {
    const int X = Legend().GetShapeBounds().Left + 4;
    const int Y = RowTop(Row) - 1 + (H - 11) / 2;
    return TRect(X + 2, Y + 2, X + 11, Y + 11);
  };
  const TColor Empty = Frame.GetPixel(BoxInside(1).Left, BoxInside(1).Top);
  EXPECT_EQ(PixelProbe::Count(Frame, BoxInside(1), Empty), 81);
  EXPECT_GT(81 - PixelProbe::Count(Frame, BoxInside(0), Empty), 10);
}

TEST_F(TChartLegendTest, DividingLinesSeparateTheColumnsOfAOneRowLegendAndTheRowsOfAColumn) {
  AddSeries("A", 3, clRed);
  AddSeries("B", 3, clBlue);
  AddSeries("C", 3, clYellow);
  Legend().GetDividingLines().SetVisible(true);
  Legend().GetDividingLines().SetColor(clLime);
  // Where the lines run through the whole legend: columns of x, rows of y.
  auto FullLines = [this](bool Columns) {
    const TBitmap& Frame = Chart.GetBuffer();
    const TRect L = Legend().GetShapeBounds();
    std::vector<int> Found;
    const TRect Across = Columns ? TRect(L.Left, L.Top + 2, L.Right, L.Bottom - 2)
                                 : TRect(L.Left + 2, L.Top, L.Right - 2, L.Bottom);
    const int From = Columns ? Across.Left : Across.Top;
    const int To = Columns ? Across.Right : Across.Bottom;
    for (int At = From; At < To; ++At) {
      const TRect Line = Columns ? TRect(At, Across.Top, At + 1, Across.Bottom)
                                 : TRect(Across.Left, At, Across.Right, At + 1);
      if (PixelProbe::Count(Frame, Line, clLime) == Line.Width() * Line.Height())
        Found.push_back(At);
    }
    return Found;
  };
  auto Symbol = [this](int Item) { return Legend().GetItems().Get(Item).GetSymbolRect(); };

  // One row of three: a line between each two columns, none at the left
  // edge; a legend of one row shows them as well as one of several.
  Legend().SetAlignment(laBottom);
  Chart.Draw();
  ASSERT_EQ(Legend().GetColumns(), 3);
  ASSERT_EQ(Legend().GetRows(), 1);
  const std::vector<int> Between = FullLines(true);
  ASSERT_EQ(Between.size(), 2u);
  for (int C = 1; C <= 2; ++C) {
    EXPECT_GT(Between[size_t(C - 1)], Symbol(C - 1).Right) << C;
    EXPECT_LT(Between[size_t(C - 1)], Symbol(C).Left) << C;
  }
  // A column of three: a line between each two rows.
  Legend().SetAlignment(laRight);
  Chart.Draw();
  const std::vector<int> Rows = FullLines(false);
  ASSERT_EQ(Rows.size(), 2u);
  for (int R = 1; R <= 2; ++R) {
    EXPECT_GE(Rows[size_t(R - 1)], Symbol(R - 1).Bottom - 1) << R;
    EXPECT_LE(Rows[size_t(R - 1)], Symbol(R).Top) << R;
  }
}

TEST_F(TChartLegendTest, PaintSeriesLegendDrawsOnAnyCanvasAndLeavesNoChartBehind) {
  TChartSeries Free(nullptr);
  Free.SetSeriesColor(clGreen);
  TBitmap Target(30, 20);
  Target.GetCanvas().GetBrush().SetColor(clWhite);
  Target.GetCanvas().FillRect(TRect(0, 0, 30, 20));
  PaintSeriesLegend(&Free, Target.GetCanvas(), TRect(5, 5, 25, 15));
  EXPECT_EQ(Target.GetPixel(15, 10), clGreen);
  EXPECT_EQ(Target.GetPixel(2, 2), clWhite);
  EXPECT_EQ(Free.GetParentChart(), nullptr);  // and not freed with the temporary chart

  auto* Attached = new TChartSeries(nullptr);  // the chart frees it
  Attached->SetSeriesColor(clYellow);
  PaintSeriesLegend(Attached, Target.GetCanvas(), TRect(5, 5, 25, 15), &Chart);
  EXPECT_EQ(Attached->GetParentChart(), &Chart);
  EXPECT_EQ(Target.GetPixel(15, 10), clYellow);
  Chart.Draw();  // the chart draws on its own buffer again
  EXPECT_EQ(Target.GetPixel(15, 10), clYellow);
}

// -- properties and items

TEST_F(TChartLegendTest, FirstValueRefusesNegativeValues) {
  Legend().SetFirstValue(2);
  try {
    Legend().SetFirstValue(-1);
    FAIL() << "no exception";
  } catch (const LegendException& E) {
    EXPECT_EQ(E.Message(), "First Legend Value must be > 0");
  }
  EXPECT_EQ(Legend().GetFirstValue(), 2);
  Legend().SetFirstValue(0);
  EXPECT_EQ(Legend().GetFirstValue(), 0);
}

TEST_F(TChartLegendTest, PublishedTableFollowsTheShapesInTheDesignedOrderWithDefaults) {
  QStringList Names;
  for (const TPublishedProperty& P : Legend().Properties()) Names << P.Name;
  const QStringList Own{"Alignment",   "CheckBoxes",    "CheckBoxesStyle", "ColorWidth",
                        "CurrentPage", "DividingLines", "FirstValue",      "FontSeriesColor",
                        "HorizMargin", "VertMargin",    "Inverted",        "LeftPercent",
                        "TopPercent",  "LegendStyle",   "MaxNumRows",      "PositionUnits",
                        "ResizeChart", "Symbol",        "TextStyle",       "Title",
                        "TopPos",      "VertSpacing"};
  ASSERT_GE(Names.size(), Own.size());
  EXPECT_EQ(Names.mid(Names.size() - Own.size()), Own);
  EXPECT_TRUE(Names.contains("Color") && Names.contains("Visible") && Names.contains("Frame"));
  EXPECT_EQ(Legend().ClassName(), "TChartLegend");
  EXPECT_EQ(Legend().GetAlignment(), laRight);
  EXPECT_EQ(Legend().GetColorWidth(), 20);
  EXPECT_EQ(Legend().GetMaxNumRows(), 10);
  EXPECT_EQ(Legend().GetPositionUnits(), muPixels);
  EXPECT_EQ(Legend().GetTextStyle(), ltsLeftValue);
  EXPECT_EQ(Legend().GetTopPos(), 10);
  EXPECT_FALSE(Legend().GetDividingLines().GetVisible());
  EXPECT_EQ(Legend().GetColor(), clWhite);

  const auto* Gradient = dynamic_cast<const TChartLegendGradient*>(Legend().GetGradient());
  ASSERT_NE(Gradient, nullptr);
  EXPECT_EQ(Gradient->GetDirection(), gdRightLeft);
  EXPECT_EQ(Gradient->GetStartColor(), clSilver);
  EXPECT_EQ(Gradient->GetEndColor(), clWhite);

  const TLegendTitle& Title = Legend().GetTitle();
  EXPECT_TRUE(Title.GetTransparent());
  EXPECT_TRUE(Title.GetFont().GetStyle().Contains(fsBold));
  EXPECT_EQ(Title.GetShadow().GetColor(), clSilver);
  EXPECT_EQ(Title.GetShadow().GetSize(), 2);
  EXPECT_EQ(Title.GetTextAlignment(), taLeftJustify);

  Legend().SetColorWidth(35);
  EXPECT_EQ(Legend().GetSymbol().GetWidth(), 35);
  QStringList SymbolNames;
  for (const TPublishedProperty& P : Legend().GetSymbol().Properties()) SymbolNames << P.Name;
  EXPECT_EQ(SymbolNames, QStringList({"Continuous", "DefaultPen", "Gradient", "Pen", "Position",
                                      "Squared", "Visible", "Width", "WidthUnits"}));
}

TEST_F(TChartLegendTest, SymbolWidthByUnitsSquareOrHidden) {
  TLegendSymbol& Symbol = Legend().GetSymbol();
  EXPECT_EQ(Symbol.CalcWidth(55), 11);  // 20 % of 55, rounded
  Symbol.SetWidthUnits(lcsPixels);
  EXPECT_EQ(Symbol.CalcWidth(55), 20);
  AddSeries("A");
  Chart.Draw();
  Symbol.SetSquared(true);
  EXPECT_EQ(Symbol.CalcWidth(55), Legend().GetItemHeight() - 5);
  Symbol.SetVisible(false);
  EXPECT_EQ(Symbol.CalcWidth(55), 0);
}

TEST_F(TChartLegendTest, ItemTextsSetByTheApplicationReplaceTheComputedOnes) {
  TChartSeries* A = AddSeries("A");
  AddSeries("B");
  TLegendItems& Items = Legend().GetItems();
  EXPECT_THROW(Items.Get(-1), ChartException);
  Chart.Draw();
  const int Left = Items.Get(1).GetLeft();
  Items.Get(1).SetText(QStringLiteral("Custom"));
  EXPECT_TRUE(Items.GetCustomTexts());
  Chart.Draw();
  EXPECT_EQ(Items.Get(1).GetText(), "Custom");
  EXPECT_EQ(Items.Get(1).GetLeft(), Left);
  A->SetTitle(QStringLiteral("Renamed"));
  Chart.Draw();
  EXPECT_EQ(Items.Get(0).GetText(), "A");  // supplied by the item, no longer computed
  Items.Clear();
  EXPECT_EQ(Items.Count(), 0);
  EXPECT_FALSE(Items.GetCustomTexts());
  Chart.Draw();
  EXPECT_EQ(Items.Get(0).GetText(), "Renamed");
}

TEST_F(TChartLegendTest, AssignCopiesTheLegendButSwitchesNoSeries) {
  TChartSeries* A = AddSeries("A");
  TChartSeries* B = AddSeries("B");
  TChart Other(nullptr);
  Other.GetLegend().SetAlignment(laBottom);
  Other.GetLegend().SetCheckBoxes(true);
  Other.GetLegend().SetCheckBoxesStyle(cbsRadio);
  Other.GetLegend().GetSymbol().SetSquared(true);
  Other.GetLegend().GetTitle().SetCaption(QStringLiteral("Runs"));
  Legend().Assign(Other.GetLegend());
  EXPECT_EQ(Legend().GetAlignment(), laBottom);
  EXPECT_EQ(Legend().GetCheckBoxesStyle(), cbsRadio);
  EXPECT_TRUE(Legend().GetSymbol().GetSquared());
  EXPECT_EQ(Legend().GetTitle().GetCaption(), "Runs");
  EXPECT_TRUE(A->GetActive() && B->GetActive());
}

}  // namespace
