#include "chart/editor/KorEditChart.h"

#include <QPushButton>
#include <QTabWidget>

#include "chart/core/TChartAxis.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartWall.h"
#include "chart/core/TCustomChart.h"
#include "chart/series/TLineSeries.h"
#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/ModalScript.h"

namespace {

class KorEditChartTest : public EditorFixture {
 protected:
  // Runs Open; Check sees the live dialog.
  void Expect(const std::function<void()>& Open,
              const std::function<void(TChartEditForm&)>& Check) {
    ModalScript script;
    script.AnswerForm([&](QDialog& dialog) {
      Check(dynamic_cast<TChartEditForm&>(dialog));
      return int(mrCancel);
    });
    Open();
  }

  void SetUp() override {
    EditorFixture::SetUp();
    OfferPages(AllPages);
    Series = new TLineSeries(&Chart);
    Chart.AddSeries(Series);
  }

  TLineSeries* Series = nullptr;
};

TEST_F(KorEditChartTest, EachEntryPointOpensItsPageOnItsObject) {
  Expect([&] { EditChart(nullptr, &Chart); },
         [](TChartEditForm& f) {
           EXPECT_EQ(f.windowTitle(), "Editing Chart1");
           EXPECT_EQ(f.SubPage->currentWidget(), f.TabSeriesList);
         });
  Expect([&] { EditChartLegend(nullptr, &Chart); },
         [](TChartEditForm& f) { EXPECT_EQ(f.SubPage->currentWidget(), f.TabLegend); });
  Expect([&] { EditChartAxis(nullptr, Chart.GetLeftAxis()); },
         [&](TChartEditForm& f) {
           EXPECT_EQ(f.SubPage->currentWidget(), f.TabAxis);
           EXPECT_EQ(f.GetTheAxis(), Chart.GetLeftAxis());
         });
  Expect([&] { EditChartWall(nullptr, &Chart, &Chart.GetLeftWall()); },
         [&](TChartEditForm& f) {
           EXPECT_EQ(f.SubPage->currentWidget(), f.TabWalls);
           EXPECT_EQ(f.GetTheWall(), &Chart.GetLeftWall());
         });
  Expect([&] { EditSeriesMarks(nullptr, Series, true); },
         [&](TChartEditForm& f) {
           EXPECT_EQ(f.MainPage->currentWidget(), f.TabSeries);
           EXPECT_EQ(f.GetEditSeries(), Series);
           EXPECT_EQ(f.GetSeriesTab(), TEditorSeriesTab::estMarksSymbol);
         });
  Expect([&] { EditSeriesDataSource(nullptr, Series); },
         [](TChartEditForm& f) { EXPECT_EQ(f.GetSeriesTab(), TEditorSeriesTab::estDataSource); });
}

TEST_F(KorEditChartTest, TheReducedEditorChangesTheLookButNotTheData) {
  Expect([&] { EditDSSChart(nullptr, &Chart); },
         [&](TChartEditForm& f) {
           EXPECT_EQ(f.windowTitle(), "Editing Chart1");
           // Renaming and reordering only.
           EXPECT_FALSE(f.BAddSeries->isEnabled());
           EXPECT_FALSE(f.BDeleteSeries->isEnabled());
           EXPECT_FALSE(f.BCloneSeries->isEnabled());
           EXPECT_FALSE(f.BChangeTypeSeries->isEnabled());
           EXPECT_TRUE(f.BRenameSeries->isEnabled());
           EXPECT_FALSE(f.BMoveUP->isHidden());
           // The look of the chart and of its series; no data, tools, export,
           // print or paging.
           for (QWidget* Tab : {f.TabGeneral, f.TabAxis, f.TabTitle, f.TabLegend, f.TabPanel,
                                f.TabWalls, f.Tab3D, f.TabSeries})
             EXPECT_TRUE(f.IsTabShown(Tab)) << Tab->objectName().toStdString();
           for (QWidget* Tab : {f.TabPaging, f.TabData, f.TabTools, f.TabExport, f.TabPrint})
             EXPECT_FALSE(f.IsTabShown(Tab)) << Tab->objectName().toStdString();
         });
  // Without a chart there is nothing to edit.
  ModalScript none;
  EditDSSChart(nullptr, nullptr);
}

TEST_F(KorEditChartTest, AClickedPartOpensWhatWasClicked) {
  TChartClickedPart part;
  part.Kind = cpSubFoot;
  Expect([&] { EditChartPart(nullptr, &Chart, part); },
         [&](TChartEditForm& f) {
           EXPECT_EQ(f.SubPage->currentWidget(), f.TabTitle);
           EXPECT_EQ(f.GetTheTitle(), &Chart.GetSubFoot());
         });
  part.Kind = cpSeriesMarks;
  part.Series = Series;
  Expect([&] { EditChartPart(nullptr, &Chart, part); },
         [](TChartEditForm& f) { EXPECT_EQ(f.GetSeriesTab(), TEditorSeriesTab::estMarks); });
  part.Kind = cpChartRect;
  Expect([&] { EditChartPart(nullptr, &Chart, part); },
         [](TChartEditForm& f) { EXPECT_EQ(f.MainPage->currentWidget(), f.TabChart); });

  // Nothing to edit: no dialog (the script has no answer for one).
  ModalScript none;
  EditChart(nullptr, nullptr);
  EditChartPart(nullptr, nullptr, part);
  EditSeries(nullptr, nullptr);
  EditChartTool(nullptr, nullptr);
}

}  // namespace
