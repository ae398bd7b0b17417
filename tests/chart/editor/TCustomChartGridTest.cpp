#include "chart/editor/TChartGrid.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPieSeries.h"

#include "platform/ModalHooks.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <memory>
#include <utility>

namespace {

// Opens the text hook to the tests, as typing and the navigator reach it.
class TestGrid : public TChartGrid {
 public:
  using TChartGrid::SetEditText;
  using TChartGrid::TChartGrid;
};

// A chart with a bar series A (X 10, 20, 30) and a line series B with one
// point (X 0); the grid shows the whole chart.
class TCustomChartGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    A = AddSeries(new TBarSeries(nullptr), "A", clRed);
    A->AddXY(10, 1);
    A->AddXY(20, 2);
    A->AddXY(30, 3);
    B = AddSeries(new TLineSeries(nullptr), "B", clBlue);
    B->AddXY(0, 5);
    Grid = std::make_unique<TestGrid>(nullptr);
    Grid->SetBounds(0, 0, 400, 120);
    Grid->SetChart(Chart.get());
  }
  void TearDown() override { SetColorDialogHook({}); }

  TChartSeries* AddSeries(TChartSeries* S, const char* Title, TColor Color) {
    S->SetName(Title + std::string("Series"));
    S->SetTitle(QString::fromLatin1(Title));
    S->SetSeriesColor(Color);
    S->SetParentChart(Chart.get());  // the chart frees its series
    return S;
  }
  int ColumnOf(const TChartValueList& List) const {
    for (int C = 0; C < Grid->GetColCount(); ++C)
      if (Grid->ValueListOfColumn(C) == &List) return C;
    return -1;
  }
  int DataRow(int Index) const { return Grid->FirstDataRow() + Index; }
  void Press(int Key, TShiftState Shift = {}) { Grid->KeyDown(Key, Shift); }

  std::unique_ptr<TChart> Chart = std::make_unique<TChart>(nullptr);
  std::unique_ptr<TestGrid> Grid;
  TChartSeries* A = nullptr;
  TChartSeries* B = nullptr;
};

TEST_F(TCustomChartGridTest, LayoutFollowsSeriesAndOptions) {
  // # | labels | A.X | A.Y | B.Y ; two fixed rows, three data rows.
  EXPECT_EQ(Grid->LabelsColumn(), 1);
  EXPECT_EQ(Grid->ColorsColumn(), -1);
  EXPECT_EQ(ColumnOf(A->GetXValues()), 2);
  EXPECT_EQ(ColumnOf(A->GetYValues()), 3);
  EXPECT_EQ(ColumnOf(B->GetXValues()), -1);  // 0, 1, 2, ... needs no column
  EXPECT_EQ(ColumnOf(B->GetYValues()), 4);
  EXPECT_EQ(Grid->GetColCount(), 5);
  EXPECT_EQ(Grid->GetRowCount(), 5);
  EXPECT_EQ(Grid->GetFixedRows(), 2);
  EXPECT_EQ(Grid->GetColWidth(0), 30);
  EXPECT_EQ(Grid->GetRowHeight(0), 20);
  EXPECT_EQ(Grid->GetRowHeight(1), 16);
  EXPECT_EQ(Grid->CellText(0, 0), "#");
  EXPECT_EQ(Grid->CellText(0, DataRow(2)), "2");
  EXPECT_EQ(Grid->CellText(1, 1), "Text");
  EXPECT_EQ(Grid->CellText(3, 1), A->GetYValues().GetName());
  EXPECT_EQ(Grid->CellText(2, DataRow(1)), "20");
  EXPECT_EQ(Grid->CellText(4, DataRow(1)), "");  // B has one point only
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(Grid->GetRow(), 2);

  Grid->SetShowColors(true);
  Grid->SetShowFields(false);
  EXPECT_EQ(Grid->ColorsColumn(), 1);
  EXPECT_EQ(Grid->LabelsColumn(), 2);
  EXPECT_EQ(Grid->GetColWidth(1), 40);
  EXPECT_EQ(ColumnOf(B->GetYValues()), 5);
  EXPECT_EQ(Grid->FirstDataRow(), 1);
  EXPECT_EQ(Grid->GetRowCount(), 4);
}

TEST_F(TCustomChartGridTest, PieWithAutoHasNoXColumnUntilAskedFor) {
  TChartSeries* Pie = AddSeries(new TPieSeries(nullptr), "P", clGreen);
  Pie->Add(3);
  Pie->Add(5);
  Pie->Add(7);
  Grid->SetSeries(Pie);
  EXPECT_EQ(Grid->GetChart(), nullptr);
  EXPECT_EQ(ColumnOf(Pie->GetXValues()), -1);
  EXPECT_EQ(ColumnOf(Pie->GetYValues()), 2);
  Grid->SetShowXValues(cgsYes);
  EXPECT_EQ(ColumnOf(Pie->GetXValues()), 2);
  EXPECT_EQ(ColumnOf(Pie->GetYValues()), 3);
  // With cgsNo even own X values stay hidden.
  Grid->SetChart(Chart.get());
  Grid->SetShowXValues(cgsNo);
  EXPECT_EQ(ColumnOf(A->GetXValues()), -1);
}

TEST_F(TCustomChartGridTest, TypingBelowAShorterSeriesAppendsNullPoints) {
  const int Col = ColumnOf(B->GetYValues());
  Grid->SetEditText(Col, DataRow(2), "42");
  ASSERT_EQ(B->Count(), 3);
  EXPECT_TRUE(B->IsNull(1));
  EXPECT_FALSE(B->IsNull(2));
  EXPECT_DOUBLE_EQ(B->GetYValues()[2], 42);
  EXPECT_DOUBLE_EQ(B->GetXValues()[2], 2);
  EXPECT_TRUE(B->GetManualData());
  EXPECT_TRUE(A->GetManualData());

  // A label below the shorter series fills it up too.
  Grid->Insert();
  Grid->SetEditText(Grid->LabelsColumn(), DataRow(3), "four");
  EXPECT_EQ(A->GetXLabel(3), "four");
  EXPECT_EQ(B->GetXLabel(3), "four");
  EXPECT_EQ(Grid->CellText(Grid->LabelsColumn(), DataRow(3)), "four");

  // Text that is no number leaves the value alone.
  Grid->SetEditText(Col, DataRow(2), "4x2");
  EXPECT_DOUBLE_EQ(B->GetYValues()[2], 42);
}

TEST_F(TCustomChartGridTest, ClearingACellNullsThePointOnlyWhenEditingEnds) {
  QString Reported;
  Grid->OnSetEditText = [&](TCustomChartGrid*, int, int ARow, const QString& Text) {
    Reported = QString::number(ARow) + ":" + Text;
  };
  Grid->SetCol(ColumnOf(A->GetYValues()));
  Grid->SetRow(DataRow(1));
  Grid->StartEditing();
  ASSERT_TRUE(Grid->GetEditorMode());
  QLineEdit* Editor = Grid->GetEditor();
  EXPECT_EQ(Editor->text(), "2");
  QKeyEvent Back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(Editor, &Back);
  EXPECT_EQ(Editor->text(), "");
  EXPECT_FALSE(A->IsNull(1));  // still typing
  QKeyEvent Enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(Editor, &Enter);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_TRUE(A->IsNull(1));
  EXPECT_EQ(Reported, "3:");

  // Typing into a null point gives it its colour back; Escape restores
  // the text the cell had when editing started.
  Grid->StartEditing();
  QKeyEvent Seven(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
  QApplication::sendEvent(Editor, &Seven);
  EXPECT_FALSE(A->IsNull(1));
  EXPECT_DOUBLE_EQ(A->GetYValues()[1], 27);
  QKeyEvent Escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(Editor, &Escape);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_DOUBLE_EQ(A->GetYValues()[1], 2);
}

TEST_F(TCustomChartGridTest, InsertDeleteAndAppendStayInStepWithTheSeries) {
  B->AddXY(1, 6);
  // Deleting point 0 renumbers B (no X column) but keeps A's X values.
  Grid->SetRow(DataRow(0));
  Press(Qt::Key_Delete, {ssCtrl});
  ASSERT_EQ(A->Count(), 2);
  EXPECT_DOUBLE_EQ(A->GetXValues()[0], 20);
  ASSERT_EQ(B->Count(), 1);
  EXPECT_DOUBLE_EQ(B->GetXValues()[0], 0);
  EXPECT_DOUBLE_EQ(B->GetYValues()[0], 6);
  EXPECT_EQ(Grid->GetRowCount(), DataRow(2));

  // Insert gives every series a null point at X = its point count.
  Press(Qt::Key_Insert);
  EXPECT_EQ(A->Count(), 3);
  ASSERT_EQ(B->Count(), 2);
  EXPECT_TRUE(B->IsNull(1));
  EXPECT_DOUBLE_EQ(B->GetXValues()[1], 1);
  EXPECT_EQ(A->GetXValues().Locate(2), 0);  // A keeps its X values sorted
  EXPECT_EQ(Grid->GetRowCount(), DataRow(3));
  EXPECT_EQ(Grid->GetRow(), DataRow(2));

  // Down on the last row appends to the current column's series only (a
  // shorter one is filled up to the new row); Up takes the untouched point
  // away again.
  Grid->SetCol(ColumnOf(B->GetYValues()));
  Press(Qt::Key_Down);
  ASSERT_EQ(B->Count(), 4);
  EXPECT_TRUE(B->IsNull(3));
  EXPECT_EQ(A->Count(), 3);
  EXPECT_EQ(Grid->GetRow(), DataRow(3));
  EXPECT_EQ(Grid->GetRowCount(), DataRow(4));
  Press(Qt::Key_Up);
  EXPECT_EQ(B->Count(), 3);
  EXPECT_EQ(Grid->GetRowCount(), DataRow(3));
  EXPECT_EQ(Grid->GetRow(), DataRow(2));
  // A point with a value stays.
  Grid->SetEditText(ColumnOf(B->GetYValues()), DataRow(2), "8");
  Press(Qt::Key_Up);
  EXPECT_EQ(B->Count(), 3);
  EXPECT_EQ(Grid->GetRow(), DataRow(1));
}

TEST_F(TCustomChartGridTest, DeletingTheOnlyDataRowKeepsOneRow) {
  Grid->SetSeries(B);
  EXPECT_EQ(Grid->GetRowCount(), DataRow(1));
  Grid->Delete();
  EXPECT_EQ(B->Count(), 0);
  EXPECT_EQ(Grid->GetRowCount(), DataRow(1));
  EXPECT_EQ(Grid->CellText(ColumnOf(B->GetYValues()), DataRow(0)), "");
  Grid->Delete();  // nothing left to delete
  EXPECT_EQ(Grid->GetRowCount(), DataRow(1));
}

TEST_F(TCustomChartGridTest, ColourDialogSetsThePointColour) {
  Grid->SetShowColors(true);
  int Changes = 0;
  Grid->OnChangeColor = [&](TCustomChartGrid*) { ++Changes; };
  SetColorDialogHook([](const TColorDialogRequest&) {
    TColorDialogAnswer Answer;
    Answer.Accepted = true;
    Answer.Color = clYellow;
    return Answer;
  });
  Grid->SetCol(Grid->ColorsColumn());
  Grid->SetRow(DataRow(2));
  Press(Qt::Key_Space);
  EXPECT_EQ(A->GetValueColor(2), clYellow);
  EXPECT_TRUE(A->GetManualData());
  EXPECT_EQ(Changes, 1);
  // The colours column never opens the text editor.
  Grid->StartEditing();
  EXPECT_FALSE(Grid->GetEditorMode());
}

TEST_F(TCustomChartGridTest, EditingCellEventCanRefuse) {
  Grid->OnEditingCell = [](TCustomChartGrid*, int ACol, int, bool& CanEdit) {
    CanEdit = ACol != 1;
  };
  Grid->StartEditing();  // column 1: labels, refused
  EXPECT_FALSE(Grid->GetEditorMode());
  Grid->SetCol(2);
  Grid->StartEditing();
  EXPECT_TRUE(Grid->GetEditorMode());
}

TEST_F(TCustomChartGridTest, FollowsTheChartAndForgetsFreedObjects) {
  TChartSeries* C = AddSeries(new TLineSeries(nullptr), "C", clGreen);
  EXPECT_EQ(ColumnOf(C->GetYValues()), 5);
  delete C;
  EXPECT_EQ(Grid->GetColCount(), 5);

  Grid->SetSeries(B);
  delete B;
  B = nullptr;
  EXPECT_EQ(Grid->GetSeries(), nullptr);
  EXPECT_EQ(Grid->GetRowCount(), DataRow(1));

  Grid->SetChart(Chart.get());
  Chart.reset();
  EXPECT_EQ(Grid->GetChart(), nullptr);
  EXPECT_EQ(Grid->GetColCount(), 2);
}

TEST_F(TCustomChartGridTest, FreeingTheGridFirstLeavesTheChartWorking) {
  Grid.reset();
  A->AddXY(40, 4);  // would reach a freed listener
  A->SetSeriesColor(clGreen);
  EXPECT_EQ(A->Count(), 4);
}

TEST_F(TCustomChartGridTest, HeaderAndColourCellsArePaintedAtTheirOffsets) {
  Grid->SetShowColors(true);
  A->SetNull(1);
  Grid->GetWidget()->grab();  // one paint into the buffer
  const TBitmap& Pic = Grid->GetBuffer();

  const TRect Head = Grid->CellRect(ColumnOf(A->GetXValues()), 0);
  // The symbol's middle has the series colour; the cell's first 4 pixels
  // do not.
  EXPECT_EQ(Pic.GetPixel(Head.Left + 4 + 6, Head.Top + 4 + 6), clRed);
  EXPECT_EQ(PixelProbe::Count(Pic, TRect(Head.Left, Head.Top, Head.Left + 4, Head.Bottom), clRed),
            0);
  // Title ink starts 18 pixels in (up to 2 more for the glyph's bearing).
  const auto Dark = [](TColor C) {
    return GetRValue(C) < 100 && GetGValue(C) < 100 && GetBValue(C) < 100;
  };
  int FirstInk = -1;
  for (int X = Head.Left + 17; X < Head.Right && FirstInk < 0; ++X)
    for (int Y = Head.Top; Y < Head.Bottom; ++Y)
      if (Dark(Pic.GetPixel(X, Y))) {
        FirstInk = X - Head.Left;
        break;
      }
  EXPECT_GE(FirstInk, 18);
  EXPECT_LE(FirstInk, 20);

  // Colours column: point colour, and the grid's colour for a null point.
  const TRect Point0 = Grid->CellRect(Grid->ColorsColumn(), DataRow(0));
  const TRect Point1 = Grid->CellRect(Grid->ColorsColumn(), DataRow(1));
  EXPECT_EQ(Pic.GetPixel(Point0.Left + 20, Point0.Top + 8), clRed);
  EXPECT_EQ(Pic.GetPixel(Point1.Left + 20, Point1.Top + 8), clWhite);
}

TEST_F(TCustomChartGridTest, SeriesTitlesShowWholeAndOnlyAGridTooNarrowCutsOne) {
  A->SetTitle(QStringLiteral("average of dc/dt sets 3 to 20"));
  B->SetTitle(QStringLiteral("corrected t dc/dt"));
  // As wide as the grid on the data page of an editor 800 pixels wide.
  Grid->SetBounds(0, 0, 780, 120);
  const TCanvas& Canvas = Grid->GetCanvas();
  // Each title heads the first column of its series.
  for (const auto& [S, C] :
       {std::pair{A, ColumnOf(A->GetXValues())}, std::pair{B, ColumnOf(B->GetYValues())}}) {
    const QString Title = S->GetTitle();
    const TRect Cell = Grid->CellRect(C, 0);
    EXPECT_EQ(Grid->HeaderTitle(C), Title);
    EXPECT_LE(Cell.Right, Grid->GetWidth()) << Title.toStdString();
    EXPECT_GE(Cell.Right - Cell.Left - TChartGrid::TitleOffset, Canvas.TextWidth(Title))
        << Title.toStdString();
    EXPECT_EQ(Grid->ShownHeaderTitle(C), Title);
  }
  // A column without a title keeps its width.
  EXPECT_EQ(Grid->GetColWidth(ColumnOf(A->GetYValues())), Grid->GetDefaultColWidth());

  // A larger font: the columns follow once told.
  TFont Large;
  Large.Assign(Grid->GetCanvas().GetFont());
  Large.SetSize(Large.GetSize() * 2);
  Grid->GetCanvas().SetFont(Large);
  Grid->FitTitleColumns();
  const int BY = ColumnOf(B->GetYValues());
  EXPECT_GE(Grid->GetColWidth(BY) - TChartGrid::TitleOffset, Canvas.TextWidth(B->GetTitle()));

  // A title wider than the whole grid has no room anywhere: it is cut
  // short with an ellipsis and shows whole as the cell's tool tip.
  const QString Long = QStringLiteral("dc/dt set 12 ").repeated(12).trimmed();
  B->SetTitle(Long);
  const QString Shown = Grid->ShownHeaderTitle(BY);
  EXPECT_TRUE(Shown.endsWith(QChar(0x2026))) << Shown.toStdString();
  EXPECT_TRUE(Long.startsWith(Shown.chopped(1)));
  const TRect Cell = Grid->CellRect(BY, 0);
  EXPECT_LE(Canvas.TextWidth(Shown), Grid->GetWidth() - Cell.Left - TChartGrid::TitleOffset);
  QWidget& Host = *Grid->GetWidget();
  const QPointF Over(Cell.Left + 30, Cell.Top + 5);
  QMouseEvent Move(QEvent::MouseMove, Over, Host.mapToGlobal(Over), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&Host, &Move);
  EXPECT_EQ(Host.toolTip(), Long);
  // A whole title has no tip.
  const TRect ACell = Grid->CellRect(ColumnOf(A->GetXValues()), 0);
  const QPointF OverA(ACell.Left + 30, ACell.Top + 5);
  QMouseEvent MoveA(QEvent::MouseMove, OverA, Host.mapToGlobal(OverA), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&Host, &MoveA);
  EXPECT_EQ(Host.toolTip(), QString());
}

}  // namespace
