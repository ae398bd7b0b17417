// The chart editor as a user first sees it: its own pages and those of the
// chart's parts, at the size it opens with and the default font.
#include "chart/editor/RegisterSeriesEditorForms.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TFormKor3D.h"
#include "chart/editor/TFormKorAxis.h"
#include "chart/editor/TFormKorLegend.h"
#include "chart/editor/TFormKorPage.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TFormKorTools.h"

#include "chart/core/TChart.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TLineSeries.h"
#include "chart/tools/RegisterToolTypes.h"

#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/LayoutChecks.h"

#include <QApplication>
#include <QLabel>
#include <QSize>
#include <QTabWidget>

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

}  // namespace
