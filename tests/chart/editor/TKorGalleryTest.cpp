#include "chart/editor/TKorGallery.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>

#include <functional>
#include <memory>

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChart.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartGalleryPanel.h"
#include "chart/editor/TChartListBox.h"
#include "chart/editor/TGalleryChart.h"
#include "chart/editor/TKorGalleryForm.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TAverageKorFunction.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TBubbleSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/ModalScript.h"

namespace {

// A chart with the line series A and B, the gallery hooks installed and
// the series types registered.
class TKorGalleryTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    RegisterSeriesTypes();
    RegisterSeriesGallery();
    FirstExtra = KorSeriesTypes().Count();
    A = AddLine("A");
    B = AddLine("B");
  }
  void TearDown() override {
    while (KorSeriesTypes().Count() > FirstExtra) KorSeriesTypes().Delete(FirstExtra);
    UnRegisterSeriesGallery();
    EditorFixture::TearDown();
  }

  TChartSeries* AddLine(const char* Title) {
    auto* S = new TLineSeries(&Chart);
    S->SetName(Title + std::string("Series"));
    S->SetTitle(QString::fromLatin1(Title));
    S->FillSampleValues(6);
    Chart.AddSeries(S);
    return S;
  }

  // The chart of SeriesClass (without function) on the panel's page.
  template <class T>
  static TGalleryChart* ChartOf(TChartGalleryPanel& Panel) {
    for (TGalleryChart* Chart : Panel.GetCharts())
      if (Chart->SeriesCount() > 0 && Chart->GetSeries(0)->GetFunction() == nullptr &&
          TChartSeriesClass::Of<T>().IsClassOf(Chart->GetSeries(0)))
        return Chart;
    return nullptr;
  }

  // The gallery dialog picks the chart of T by double click.
  template <class T>
  void AnswerGalleryWith() {
    Script.AnswerForm([](QDialog& Form) {
      auto& Gallery = dynamic_cast<TKorGallery&>(Form);
      TGalleryChart* Chart = ChartOf<T>(*Gallery.GetGalleryPanel());
      EXPECT_NE(Chart, nullptr);
      Gallery.GetGalleryPanel()->ChartOnDblClick(Chart);
      return Form.result();
    });
  }

  // A page holding one function type only (for the test only).
  void AddFunctionPage(const QString& Page, const QString& Name) {
    KorSeriesTypes().Add(std::make_unique<TKorSeriesType>(
        TChartSeriesClass(), TKorFunctionClass::Of<TAverageKorFunction>(), &Name, &Page, 2));
  }

  ModalScript Script;
  TChartEditor Editor{nullptr};
  int FirstExtra = 0;
  TChartSeries* A = nullptr;
  TChartSeries* B = nullptr;
};

TEST_F(TKorGalleryTest, EditorAddsAndChangesSeriesThroughTheGallery) {
  Editor.SetChart(&Chart);
  Script.AnswerForm([&](QDialog& Dialog) {
    auto& Form = dynamic_cast<TChartEditForm&>(Dialog);
    EXPECT_TRUE(Form.BAddSeries->isEnabled());
    EXPECT_TRUE(Form.BChangeTypeSeries->isEnabled());
    AnswerGalleryWith<TBarSeries>();
    Form.BAddSeriesClick();
    EXPECT_EQ(Chart.SeriesCount(), 3);
    EXPECT_NE(dynamic_cast<TBarSeries*>(Chart.GetSeries(2)), nullptr);
    EXPECT_EQ(Form.LBSeries->SelectedSeries(), Chart.GetSeries(2));

    // Changing A: the types that cannot take a line series' data are greyed.
    Form.LBSeries->SetSelectedSeries(A);
    Script.AnswerForm([](QDialog& GalleryForm) {
      auto& Gallery = dynamic_cast<TKorGallery&>(GalleryForm);
      TChartGalleryPanel& Panel = *Gallery.GetGalleryPanel();
      EXPECT_FALSE(ChartOf<TBubbleSeries>(Panel)->GetGalleryEnabled());
      EXPECT_TRUE(ChartOf<TAreaSeries>(Panel)->GetGalleryEnabled());
      // The series' own type is preselected.
      EXPECT_EQ(Panel.GetSelectedChart(), ChartOf<TLineSeries>(Panel));
      Panel.ChartOnDblClick(ChartOf<TAreaSeries>(Panel));
      return GalleryForm.result();
    });
    Form.BChangeTypeSeriesClick();
    Form.BCloseClick();
    return Dialog.result();
  });
  Editor.Execute();
  ASSERT_EQ(Chart.SeriesCount(), 3);
  auto* Changed = dynamic_cast<TAreaSeries*>(Chart.GetSeries(0));
  ASSERT_NE(Changed, nullptr);
  EXPECT_EQ(Changed->GetName(), "ASeries");
  EXPECT_EQ(Changed->GetTitle(), "A");
  EXPECT_EQ(Changed->Count(), 6);
}

TEST_F(TKorGalleryTest, CancellingCreatesNothingAndChangesNothing) {
  Script.AnswerForm([](QDialog&) { return int(mrCancel); });
  int SubIndex = 0;
  EXPECT_EQ(CreateNewSeriesGallery(nullptr, nullptr, &Chart, SubIndex, false, true), nullptr);
  Script.AnswerForm([](QDialog&) { return int(mrCancel); });
  TChartSeries* S = A;
  EXPECT_EQ(ChangeSeriesTypeGallery(nullptr, S), A);
  Script.AnswerForm([](QDialog&) { return int(mrCancel); });
  EXPECT_FALSE(KorChangeGalleryProc(nullptr, S).Assigned());
  EXPECT_EQ(Chart.SeriesCount(), 2);
  EXPECT_EQ(Chart.GetSeries(0), A);
}

TEST_F(TKorGalleryTest, ChangeAllTurnsEverySeriesIntoTheChosenType) {
  AnswerGalleryWith<TPointSeries>();
  ChangeAllSeriesGallery(nullptr, Chart);
  ASSERT_EQ(Chart.SeriesCount(), 2);
  EXPECT_NE(dynamic_cast<TPointSeries*>(Chart.GetSeries(0)), nullptr);
  EXPECT_NE(dynamic_cast<TPointSeries*>(Chart.GetSeries(1)), nullptr);
  EXPECT_EQ(Chart.GetSeries(1)->GetName(), "BSeries");
}

TEST_F(TKorGalleryTest, PagesOfEachKindStandardFirstAndFunctionsCanBeHidden) {
  static const QString OnlyFunctions = QStringLiteral("OnlyFunctions");
  static const QString Name = QStringLiteral("Average");
  AddFunctionPage(OnlyFunctions, Name);
  Script.AnswerForm([](QDialog& Form) {
    auto& Gallery = dynamic_cast<TKorGallery&>(Form);
    EXPECT_EQ(Gallery.windowTitle(), "KorChart Gallery");
    const QStringList Series = Gallery.PageNames();
    EXPECT_EQ(Series.first(), Korconst::KorMsg_GalleryStandard);
    EXPECT_FALSE(Series.contains(OnlyFunctions));
    EXPECT_GT(Gallery.GetGalleryPanel()->GetCharts().Count(), 0);
    Gallery.TabTypes->setCurrentIndex(1);
    EXPECT_TRUE(Gallery.PageNames().contains(OnlyFunctions));
    EXPECT_TRUE(Gallery.GetGalleryPanel()->GetFunctionsMode());
    // A function chart previews with a line series and its function.
    Gallery.TabPages->setCurrentIndex(Gallery.PageNames().indexOf(OnlyFunctions));
    TGalleryChart* First = Gallery.GetGalleryPanel()->GetChart(0);
    EXPECT_NE(First->GetSeries(0)->GetFunction(), nullptr);
    return int(mrCancel);
  });
  int SubIndex = 0;
  CreateNewSeriesGallery(nullptr, nullptr, &Chart, SubIndex, false, true);

  // Without functions the tab is gone.
  Script.AnswerForm([](QDialog& Form) {
    auto& Gallery = dynamic_cast<TKorGallery&>(Form);
    EXPECT_EQ(Gallery.TabTypes->count(), 1);
    EXPECT_FALSE(Gallery.GetGalleryPanel()->GetFunctionsMode());
    return int(mrCancel);
  });
  TChartSeries* S = A;
  ChangeSeriesTypeGallery(nullptr, S);
}

TEST_F(TKorGalleryTest, ThreeDAndSmoothBoxesDriveThePanelAndTheChart) {
  Chart.SetView3D(true);
  Script.AnswerForm([](QDialog& Form) {
    auto& Gallery = dynamic_cast<TKorGallery&>(Form);
    EXPECT_TRUE(Gallery.CB3D->isChecked());
    Gallery.CB3D->click();
    EXPECT_FALSE(Gallery.GetGalleryPanel()->GetView3D());
    EXPECT_FALSE(Gallery.GetGalleryPanel()->GetChart(0)->GetView3D());
    Gallery.CBSmooth->click();
    EXPECT_TRUE(Gallery.GetGalleryPanel()->GetSmooth());
    Gallery.GetGalleryPanel()->ChartOnDblClick(ChartOf<TBarSeries>(*Gallery.GetGalleryPanel()));
    return Form.result();
  });
  TChartSeries* Added = CreateNewSeriesGallery(nullptr, &Chart);
  EXPECT_NE(dynamic_cast<TBarSeries*>(Added), nullptr);
  EXPECT_FALSE(Chart.GetView3D());
  EXPECT_EQ(ReadStored("SmoothGallery"), 1);
}

TEST_F(TKorGalleryTest, AlternateGalleryListsTheSameTypesAndGivesTheChosenVariant) {
  static const QString OnlyFunctions = QStringLiteral("OnlyFunctions");
  static const QString Name = QStringLiteral("Average");
  AddFunctionPage(OnlyFunctions, Name);
  KorSaveIntegerOption(QStringLiteral("GalleryMode"), 1);
  int PlainTypes = 0;
  QStringList Pages;
  for (int i = 0; i < KorSeriesTypes().Count(); ++i) {
    const TKorSeriesType& Type = *KorSeriesTypes().Get(i);
    if (Type.SeriesClassRef.Assigned() && !Type.FunctionClassRef.Assigned()) ++PlainTypes;
  }
  Script.AnswerForm([&](QDialog& Dialog) {
    auto& Form = dynamic_cast<TKorGalleryForm&>(Dialog);
    EXPECT_EQ(Form.windowTitle(), "KorChart Pro Gallery");
    EXPECT_EQ(Form.CBPage->itemText(0), "(all)");
    EXPECT_EQ(Form.CBPage->currentText(), Korconst::KorMsg_GalleryStandard);
    EXPECT_EQ(Form.CBPage->findText(OnlyFunctions), -1);
    Form.CBPage->setCurrentIndex(0);
    EXPECT_EQ(Form.ChartListBox1->count(), PlainTypes);
    // Choosing a type shows its variants.
    for (int row = 0; row < Form.ChartListBox1->count(); ++row)
      if (dynamic_cast<TLineSeries*>(Form.ChartListBox1->GetSeries(row)) != nullptr &&
          Form.ChartListBox1->GetSeries(row)->GetTitle() == Korconst::KorMsg_GalleryLine)
        Form.ChartListBox1->setCurrentRow(row);
    EXPECT_EQ(Form.GetShownClass(), TChartSeriesClass::Of<TLineSeries>());
    TChartGalleryPanel& Panel = *Form.GetGalleryPanel();
    EXPECT_EQ(Panel.GetCharts().Count(),
              static_cast<int>(TLineSeries(nullptr).CreateSubGallery().size()));
    Panel.ChartOnDblClick(Panel.GetChart(1));
    return Dialog.result();
  });
  int SubIndex = -1;
  TChartSeries* Added = CreateNewSeriesGallery(nullptr, nullptr, &Chart, SubIndex, false, true);
  auto* Line = dynamic_cast<TLineSeries*>(Added);
  ASSERT_NE(Line, nullptr);
  EXPECT_EQ(SubIndex, 1);
  EXPECT_TRUE(Line->GetStairs());
}

}  // namespace
