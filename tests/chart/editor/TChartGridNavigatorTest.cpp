#include "chart/editor/TChartGridNavigator.h"

#include "chart/core/KorException.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/editor/TChartGrid.h"
#include "chart/series/TLineSeries.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Messages;

void RecordMessage(const std::string& Text) {
  Messages.push_back(Text);
}

// A chart with one line series of three points (Y 1, 2, 3) shown in a
// grid that a navigator is bound to.
class TChartGridNavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Messages.clear();
    PreviousMessageHook = SetMessageBoxHook(&RecordMessage);
    A = new TLineSeries(nullptr);
    A->SetParentChart(Chart.get());  // the chart frees its series
    for (int I = 0; I < 3; ++I) A->AddXY(I, I + 1);
    Grid->SetBounds(0, 0, 300, 120);
    Grid->SetChart(Chart.get());
    Nav->SetGrid(Grid.get());
  }
  void TearDown() override { SetMessageBoxHook(PreviousMessageHook); }

  // Enabled buttons as a string of their initials (F P N L I D E O C),
  // '-' for disabled ones.
  std::string Enabled() const {
    static const char Initials[] = "FPNLIDEOC";
    std::string Result;
    for (int I = 0; I < TCustomKorNavigator::ButtonCount; ++I)
      Result += Nav->GetButton(static_cast<TKorNavigateBtn>(I))->GetEnabled() ? Initials[I] : '-';
    return Result;
  }
  int DataRow(int Index) const { return Grid->FirstDataRow() + Index; }
  void Type(int Key, const char* Text) {
    QKeyEvent Event(QEvent::KeyPress, Key, Qt::NoModifier, QString::fromLatin1(Text));
    QApplication::sendEvent(Grid->GetEditor(), &Event);
  }

  std::unique_ptr<TChart> Chart = std::make_unique<TChart>(nullptr);
  std::unique_ptr<TChartGrid> Grid = std::make_unique<TChartGrid>(nullptr);
  std::unique_ptr<TChartGridNavigator> Nav = std::make_unique<TChartGridNavigator>(nullptr);
  TChartSeries* A = nullptr;
  MessageBoxHook PreviousMessageHook = nullptr;
};

TEST_F(TChartGridNavigatorTest, ButtonsFollowTheRowsAndTheEditor) {
  for (int I = 0; I < TCustomKorNavigator::ButtonCount; ++I)
    EXPECT_TRUE(Nav->GetButton(static_cast<TKorNavigateBtn>(I))->GetVisible());
  EXPECT_EQ(Grid->GetNavigator(), Nav.get());
  EXPECT_EQ(Grid->GetRow(), DataRow(0));
  EXPECT_EQ(Enabled(), "--NLIDE--");
  Nav->BtnClick(nbNext);
  EXPECT_EQ(Grid->GetRow(), DataRow(1));
  EXPECT_EQ(Enabled(), "FPNLIDE--");
  Nav->BtnClick(nbLast);
  EXPECT_EQ(Grid->GetRow(), DataRow(2));
  EXPECT_EQ(Enabled(), "FP--IDE--");
  Nav->BtnClick(nbPrior);
  EXPECT_EQ(Grid->GetRow(), DataRow(1));
  Nav->BtnClick(nbFirst);
  EXPECT_EQ(Grid->GetRow(), DataRow(0));

  // Moves made in the grid itself reach the navigator too.
  int Down = Qt::Key_Down;
  Grid->KeyDown(Down, {});
  EXPECT_EQ(Enabled(), "FPNLIDE--");

  Nav->BtnClick(nbEdit);
  EXPECT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(Enabled(), "FPNLIDEOC");
  // An editor closed by its own keys disables post and cancel again.
  QKeyEvent Enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(Grid->GetEditor(), &Enter);
  EXPECT_EQ(Enabled(), "FPNLIDE--");

  // A grid that cannot edit offers no insert, delete or edit.
  Grid->SetEditing(false);
  Nav->EnableButtons();
  EXPECT_EQ(Enabled(), "FPNL-----");
}

TEST_F(TChartGridNavigatorTest, WithoutSeriesOrGridNothingIsEnabled) {
  Grid->SetChart(nullptr);
  EXPECT_EQ(Enabled(), "---------");
  auto Empty = std::make_unique<TChart>(nullptr);
  Grid->SetChart(Empty.get());
  EXPECT_EQ(Enabled(), "---------");
  Grid->SetSeries(A);
  EXPECT_EQ(Enabled(), "--NLIDE--");
  // A second navigator takes the grid over; the first lets it go.
  TChartGridNavigator Other(nullptr);
  Other.SetGrid(Grid.get());
  EXPECT_EQ(Nav->GetGrid(), nullptr);
  EXPECT_EQ(Grid->GetNavigator(), &Other);
  EXPECT_EQ(Enabled(), "---------");
}

TEST_F(TChartGridNavigatorTest, InsertDeletePostAndCancelStayInStepWithTheSeries) {
  Grid->SetCol(2);  // # | labels | Y
  Nav->BtnClick(nbInsert);
  ASSERT_EQ(A->Count(), 4);
  EXPECT_TRUE(A->IsNull(3));
  EXPECT_EQ(Grid->GetRow(), DataRow(3));
  EXPECT_EQ(Grid->GetRowCount(), DataRow(4));
  EXPECT_EQ(Enabled(), "FP--IDE--");

  Nav->BtnClick(nbEdit);
  Type(Qt::Key_7, "7");
  Nav->BtnClick(nbPost);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_FALSE(A->IsNull(3));
  EXPECT_DOUBLE_EQ(A->GetYValues()[3], 7);

  // Cancel puts back what typing already set.
  Nav->BtnClick(nbFirst);
  Nav->BtnClick(nbEdit);
  Type(Qt::Key_9, "9");
  EXPECT_DOUBLE_EQ(A->GetYValues()[0], 19);
  Nav->BtnClick(nbCancel);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_DOUBLE_EQ(A->GetYValues()[0], 1);

  Nav->BtnClick(nbDelete);
  ASSERT_EQ(A->Count(), 3);
  EXPECT_DOUBLE_EQ(A->GetYValues()[0], 2);
  EXPECT_EQ(Grid->GetRowCount(), DataRow(3));
  // The last point goes too; the grid keeps one empty row and delete
  // has nothing left to act on.
  for (int I = 0; I < 3; ++I) Nav->BtnClick(nbDelete);
  EXPECT_EQ(A->Count(), 0);
  EXPECT_EQ(Grid->GetRowCount(), DataRow(1));
  EXPECT_EQ(Enabled(), "----I-E--");
}

TEST_F(TChartGridNavigatorTest, AFailingActionIsReportedAndTheButtonsStayCurrent) {
  Grid->SetCol(2);
  Grid->OnSetEditText = [](TCustomChartGrid*, int, int, const QString&) {
    throw ChartException(QStringLiteral("Rejected"));
  };
  Nav->BtnClick(nbEdit);
  ASSERT_TRUE(Grid->GetEditorMode());
  EXPECT_NO_THROW(Nav->BtnClick(nbPost));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "Rejected");
  EXPECT_EQ(Enabled(), "--NLIDE--");
}

TEST_F(TChartGridNavigatorTest, EitherSideMayBeFreedFirst) {
  Grid.reset();
  EXPECT_EQ(Nav->GetGrid(), nullptr);
  EXPECT_EQ(Enabled(), "---------");
  Nav->BtnClick(nbInsert);  // nothing to act on
  EXPECT_EQ(A->Count(), 3);

  Grid = std::make_unique<TChartGrid>(nullptr);
  Grid->SetChart(Chart.get());
  Nav->SetGrid(Grid.get());
  Nav.reset();
  EXPECT_EQ(Grid->GetNavigator(), nullptr);
  Grid->Insert();  // no longer tells a freed navigator
  EXPECT_EQ(A->Count(), 4);
}

}  // namespace
