// The chart editor as a user first sees it: its own pages and those of the
// chart's parts, at the size it opens with and the default font.
#include "chart/editor/ChartPreview.h"
#include "chart/editor/RegisterSeriesEditorForms.h"
#include "chart/editor/TBMPExportFormat.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartEditorDataPage.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TFormKor3D.h"
#include "chart/editor/TFormKorAxis.h"
#include "chart/editor/TFormKorLegend.h"
#include "chart/editor/TFormKorPage.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TFormKorTools.h"
#include "chart/editor/TKorExportForm.h"

#include "chart/core/TChart.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/tools/RegisterToolTypes.h"

#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/LayoutChecks.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSize>
#include <QTabWidget>

#include <string>

#include <utility>
#include <vector>

namespace {

const QStringList ChartParts = {"TabGeneral", "TabAxis",   "TabTitle", "TabLegend",
                                "TabPanel",   "TabPaging", "TabWalls", "Tab3D"};

class EditorLayoutTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    RegisterSeriesTypes();
    RegisterSeriesEditorForms();
    RegisterGeneralEditorPages();
    RegisterAxisEditorPage();
    RegisterLegendEditorPage();
    Register3DEditorPage();
    RegisterTitlesWallsToolsEditorPages();
    RegisterSeriesEditorPage();
    auto* Series = new TLineSeries(&Chart);
    Series->SetTitle(QStringLiteral("Scan 1"));
    Chart.AddSeries(Series);
    for (double Y : {3.0, 5.0, 4.0, 6.0}) Series->Add(Y);
  }
  void TearDown() override {
    UnRegisterSeriesTypes();
    EditorFixture::TearDown();
  }

  // The editor at the size it opens with, shown on Tab.
  void Look(TChartEditForm& Form, QWidget* Tab) {
    Form.OpenPage(Tab);
    QApplication::processEvents();
    SaveLook(Form, QStringLiteral("chart-editor-") + Tab->objectName());
  }
  // The editor of the chart shown on the tab named Name, at its opening
  // size or at Size; the tab's page editor, or none.
  QWidget* OpenOn(TChartEditForm& Form, const char* Name, QSize Size = QSize()) {
    Form.SetChart(&Chart);
    if (Size.isValid()) Form.resize(Size);
    Form.show();
    auto* Tab = Form.findChild<QWidget*>(QString::fromLatin1(Name));
    if (Tab == nullptr) return nullptr;
    Look(Form, Tab);
    return Form.PageEditor(Tab);
  }
};

TEST_F(EditorLayoutTest, ThePagesOfTheChartsPartsShowEveryControlWholeAndApart) {
  TChartEditForm Form;
  Form.SetChart(&Chart);
  Form.show();
  for (const QString& Name : ChartParts) {
    auto* Tab = Form.findChild<QWidget*>(Name);
    ASSERT_NE(Tab, nullptr) << Name.toStdString();
    Look(Form, Tab);
    QWidget* Page = Form.PageEditor(Tab);
    ASSERT_NE(Page, nullptr) << Name.toStdString();
    // Every tab of the page in turn.
    const QList<QTabWidget*> Tabs = Page->findChildren<QTabWidget*>();
    for (QTabWidget* Inner : Tabs)
      for (int I = 0; I < Inner->count(); ++I) {
        Inner->setCurrentIndex(I);
        QApplication::processEvents();
        QWidget* Shown = Inner->widget(I);
        const std::string Where = Name.toStdString() + "/" + Inner->tabText(I).toStdString();
        EXPECT_EQ(OverlappingControls(*Shown), QStringList()) << Where;
        EXPECT_EQ(CutCaptions(*Shown), QStringList()) << Where;
      }
    EXPECT_EQ(OverlappingControls(*Page), QStringList()) << Name.toStdString();
    EXPECT_EQ(CutCaptions(*Page), QStringList()) << Name.toStdString();
    // The dialog has grown to show the page whole.
    EXPECT_EQ(ControlsOutside(*Tab), QStringList()) << Name.toStdString();
  }
}

TEST_F(EditorLayoutTest, The3DPagesValuesLieApartFromTheViewBarsCaptions) {
  TChartEditForm Form;
  QWidget* Page = OpenOn(Form, "Tab3D");
  ASSERT_NE(Page, nullptr);
  auto Placed = [Page](const char* Name) {
    const auto* W = Page->findChild<QWidget*>(QString::fromLatin1(Name));
    EXPECT_NE(W, nullptr) << Name;
    return W != nullptr ? QRect(W->mapTo(Page, QPoint(0, 0)), W->size()) : QRect();
  };
  // Each switch with its value, against the caption of the bar beside it.
  const std::vector<std::pair<const char*, const char*>> Apart = {
      {"CBZoomText", "Label5"},   {"ETextSize", "Label5"},       {"UDTextSize", "Label5"},
      {"CBOrthogonal", "Label4"}, {"EOrthoAngle", "Label4"},     {"UDOrthoAngle", "Label4"},
      {"ETextSize", "SBHOffset"}, {"EOrthoAngle", "SBElevation"}};
  for (const auto& [A, B] : Apart) {
    EXPECT_FALSE(Placed(A).intersects(Placed(B))) << A << " over " << B;
    EXPECT_FALSE(Placed(A).isEmpty()) << A;
  }
  for (const char* Caption : {"Label4", "Label5"}) {
    const auto* L = Page->findChild<QLabel*>(QString::fromLatin1(Caption));
    ASSERT_NE(L, nullptr);
    EXPECT_GE(L->width(), L->fontMetrics().horizontalAdvance(L->text().remove(u'&'))) << Caption;
  }
}

TEST_F(EditorLayoutTest, AtItsOpeningSizeAndInALargeDialogTheAxisPageStartsAtTheTopOfItsTab) {
  for (const QSize Size : {QSize(), QSize(900, 700)}) {
    TChartEditForm Form;
    QWidget* Page = OpenOn(Form, "TabAxis", Size);
    ASSERT_NE(Page, nullptr) << Size.width();
    auto* Tab = Form.findChild<QWidget*>(QStringLiteral("TabAxis"));
    EXPECT_LE(EmptyBandAbovePercent(*Tab), 5) << Size.width();
    EXPECT_LE(Page->mapTo(Tab, QPoint(0, 0)).y(), 4) << Size.width();
  }
}

// Every page the program offers, registered as it does at start-up, on a
// chart laid out as the viewer's raw-scan chart: an inactive bar series
// first (the series page opens on it), then scans.
class EditorOpeningSizeTest : public EditorLayoutTest {
 protected:
  void SetUp() override {
    EditorLayoutTest::SetUp();
    RegisterToolTypes();
    RegisterBMPExportFormat();
    RegisterDataEditorPage();
    RegisterExportEditorPage();
    RegisterPrintEditorPage();
    auto* Bar = new TBarSeries(&Chart);
    Bar->SetTitle(QStringLiteral("Bar"));
    Bar->SetActive(false);
    Chart.AddSeries(Bar);
    Chart.ExchangeSeries(0, Chart.SeriesCount() - 1);
    for (int Scan = 2; Scan <= 4; ++Scan) {
      auto* Line = new TFastLineSeries(&Chart);
      Line->SetTitle(QStringLiteral("000%1.IP2").arg(Scan));
      Chart.AddSeries(Line);
      for (int I = 0; I < 50; ++I) Line->AddXY(6 + I * 0.02, Scan * I);
    }
  }
  void TearDown() override {
    UnRegisterBMPExportFormat();
    EditorLayoutTest::TearDown();
  }
};

TEST_F(EditorOpeningSizeTest, OpensAtTheSizeEveryPageNeedsWithinItsScreen) {
  TChartEditor Editor(nullptr);
  Editor.SetChart(&Chart);
  int Pages = 0;
  ModalScript Script;
  Script.AnswerForm([&](QDialog& Dialog) {
    auto& Form = dynamic_cast<TChartEditForm&>(Dialog);
    const QSize Opened = Form.size();
    EXPECT_TRUE(Form.screen()->availableGeometry().contains(Form.frameGeometry()));
    std::vector<QWidget*> Tabs;
    for (QTabWidget* Control : {Form.SubPage, Form.MainPage})
      for (int I = 0; I < Control->count(); ++I)
        if (Control->isTabVisible(I) && Control->widget(I) != Form.TabChart)
          Tabs.push_back(Control->widget(I));
    // Knowing their room made none of the pages the user sees.
    for (QWidget* Tab : Tabs)
      EXPECT_EQ(Form.PageEditor(Tab), nullptr) << Tab->objectName().toStdString();
    for (QWidget* Tab : Tabs) {
      Look(Form, Tab);
      const std::string Name = Tab->objectName().toStdString();
      EXPECT_EQ(ControlsOutside(*Tab), QStringList()) << Name;
      // The pages within the page too.
      if (QWidget* Page = Form.PageEditor(Tab))
        for (QTabWidget* Inner : Page->findChildren<QTabWidget*>())
          for (int I = 0; I < Inner->count() && Inner->isVisible(); ++I) {
            Inner->setCurrentIndex(I);
            QApplication::processEvents();
            EXPECT_EQ(ControlsOutside(*Inner->widget(I)), QStringList())
                << Name << "/" << Inner->tabText(I).toStdString();
          }
      ++Pages;
    }
    // No page made the dialog grow: it opened big enough for all.
    EXPECT_EQ(Form.size(), Opened);
    Form.BCloseClick();
    return Dialog.result();
  });
  Editor.Execute();
  EXPECT_EQ(Pages, 9 + 5);  // the sub-pages of "Chart" and the other main pages
  // The size it opened with is no size the user chose.
  EXPECT_EQ(ReadStored(QStringLiteral("Width")), -1);
}

}  // namespace
