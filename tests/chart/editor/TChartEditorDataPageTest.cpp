#include "chart/editor/TChartEditorDataPage.h"

#include "chart/core/TChartSeries.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartGrid.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TLineSeries.h"
#include "platform/MessageBox.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/ModalScript.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Messages;

void RecordMessage(const std::string& Text) {
  Messages.push_back(Text);
}

// Chart1 with a red bar series A (X 10, 20, 30; point 2 yellow) and a
// line series B with one point; the page on its own, shown for Chart1.
class TChartEditorDataPageTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    Messages.clear();
    PreviousMessageHook = SetMessageBoxHook(&RecordMessage);
    RegisterSeriesTypes();
    Chart.AddSeries(A);
    for (int I = 1; I <= 3; ++I) A->AddXY(I * 10, I);
    A->SetSeriesColor(clRed);
    A->SetValueColor(2, clYellow);
    Chart.AddSeries(B);
    B->AddXY(0, 5);
  }
  void TearDown() override {
    SetMessageBoxHook(PreviousMessageHook);
    EditorFixture::TearDown();
  }

  void ShowPage() {
    Page.SetChart(&Chart);
    Page.resize(500, 200);
    Page.show();
  }
  int ColumnOf(const TChartValueList& List) const {
    for (int C = 0; C < Page.ChartGrid1->GetColCount(); ++C)
      if (Page.ChartGrid1->ValueListOfColumn(C) == &List) return C;
    return -1;
  }
  void GoTo(const TChartSeries* S, int Point) {
    Page.ChartGrid1->MoveTo(ColumnOf(S->GetYValues()), Page.ChartGrid1->FirstDataRow() + Point);
    Page.PopupDataPopup();
  }
  // Enabled point items as "EDM" (edit, default colour, null), '-' when off.
  std::string PointItems() const {
    std::string Result;
    for (const QAction* Item : {Page.EditColor1, Page.DefaultColor1, Page.MakeNull1})
      Result += Item->isEnabled() ? Item->objectName().at(0).toLatin1() : '-';
    return Result;
  }

  TChartEditorDataPage Page;
  TChartSeries* A = new TBarSeries(&Chart);  // the chart frees its series
  TChartSeries* B = new TLineSeries(&Chart);
  MessageBoxHook PreviousMessageHook = nullptr;
};

TEST_F(TChartEditorDataPageTest, TheEditorsDataTabShowsThePageBoundToTheChart) {
  RegisterDataEditorPage();
  TChartEditor Editor{nullptr};
  Editor.SetChart(&Chart);
  Editor.SetDefaultTab(cetSeriesData);
  ModalScript Script;
  Script.AnswerForm([this](QDialog& Dialog) {
    // Without a meta-object of its own the page is found by name.
    auto* P = dynamic_cast<TChartEditorDataPage*>(
        Dialog.findChild<QWidget*>(QStringLiteral("TChartEditorDataPage")));
    EXPECT_TRUE(P != nullptr && P->isVisible());
    if (P == nullptr) return static_cast<int>(mrOk);
    EXPECT_EQ(P->ChartGrid1->GetChart(), &Chart);
    EXPECT_TRUE(P->ChartGrid1->GetShowColors());  // A has a colour of its own
    EXPECT_TRUE(P->SBGridCol->isChecked() && P->SBGridText->isChecked());
    EXPECT_TRUE(P->SBGridX->isEnabled() && P->SBGridX->isChecked());
    EXPECT_FALSE(P->SBGrid3D->isEnabled());
    return static_cast<int>(mrOk);
  });
  Editor.Execute();
}

TEST_F(TChartEditorDataPageTest, TogglesDriveTheGridAndFollowItOnEachShow) {
  ShowPage();
  TChartGrid& Grid = *Page.ChartGrid1;
  Page.SBGridText->click();
  Page.SBGridCol->click();
  Page.SBGridX->click();
  EXPECT_FALSE(Grid.GetShowLabels());
  EXPECT_FALSE(Grid.GetShowColors());
  EXPECT_EQ(ColumnOf(A->GetXValues()), -1);
  Page.SBGridX->click();
  EXPECT_EQ(ColumnOf(B->GetXValues()), 3);  // every series gets its X column

  Grid.SetShowLabels(true);
  Page.hide();
  Page.show();
  EXPECT_TRUE(Page.SBGridText->isChecked());
  EXPECT_TRUE(Page.SBGridCol->isChecked());  // A's own colours switch them on again

  // B (X 0, no colours) first: no X values to switch.
  Chart.ExchangeSeries(0, 1);
  Grid.SetShowColors(false);
  Page.hide();
  Page.show();
  EXPECT_FALSE(Page.SBGridX->isEnabled());
  EXPECT_FALSE(Page.SBGridCol->isChecked());
}

TEST_F(TChartEditorDataPageTest, RightPressPopsUpPointItemsForTheCellUnderIt) {
  ShowPage();
  TChartGrid& Grid = *Page.ChartGrid1;
  const TRect Cell = Grid.CellRect(ColumnOf(A->GetYValues()), Grid.FirstDataRow());
  const QPointF At((Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2);
  QMouseEvent Press(QEvent::MouseButtonPress, At, Grid.GetWidget()->mapToGlobal(At),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(Grid.GetWidget(), &Press);
  EXPECT_EQ(Grid.GetCol(), ColumnOf(A->GetYValues()));
  EXPECT_TRUE(Page.PopupData->isVisible());
  Page.PopupData->hide();
  EXPECT_EQ(PointItems(), "E-M");
  Page.MakeNullClick();
  EXPECT_TRUE(A->IsNull(0));
  EXPECT_TRUE(A->GetManualData());
  Page.PopupDataPopup();
  EXPECT_EQ(PointItems(), "ED-");
  Page.DefaultColorClick();
  EXPECT_EQ(A->GetOwnColor(0), clDefault);

  GoTo(A, 2);
  EXPECT_EQ(PointItems(), "EDM");  // yellow of its own
  ModalScript Script;
  Script.AnswerColor(true, clBlue);
  Page.EditColorClick();
  EXPECT_EQ(A->GetOwnColor(2), clBlue);
  GoTo(B, 0);
  EXPECT_EQ(PointItems(), "--M");  // the colours column is A's
  GoTo(B, 1);
  EXPECT_EQ(PointItems(), "---");  // B has no point there
}

TEST_F(TChartEditorDataPageTest, RowAndFontItemsActOnTheGrid) {
  ShowPage();
  TChartGrid& Grid = *Page.ChartGrid1;
  GoTo(B, 0);
  const int Rows = Grid.GetRowCount();
  Page.AppendRowClick();
  EXPECT_EQ(Grid.GetRowCount(), Rows + 1);
  EXPECT_EQ(B->Count(), 4);  // filled up to the new row
  Page.DeleteRowClick();
  EXPECT_EQ(B->Count(), 3);
  EXPECT_EQ(A->Count(), 3);  // A has no fourth point

  ModalScript Script;
  Script.AnswerFont([](TFont& F) { return F.SetSize(20), true; });
  Script.AnswerFont([](TFont& F) { return F.SetSize(4), false; });
  Script.AnswerFont([](TFont&) -> bool { throw std::runtime_error("no fonts"); });
  Page.TextFontClick();
  TCanvas& Canvas = Grid.GetCanvas();
  const int Height = Canvas.TextHeight(QStringLiteral("W")) + 2;
  EXPECT_EQ(Canvas.GetFont().GetSize(), 20);
  EXPECT_GT(Height, 20);
  EXPECT_EQ(Grid.GetDefaultRowHeight(), Height);
  for (int R = 0; R < Grid.GetRowCount(); ++R) EXPECT_EQ(Grid.GetRowHeight(R), Height) << R;
  Page.TextFontClick();  // cancelled
  EXPECT_EQ(Canvas.GetFont().GetSize(), 20);
  // A failing item is shown as a message, not thrown out of the menu.
  Page.TextFont1->trigger();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("no fonts"), std::string::npos);
}

}  // namespace
