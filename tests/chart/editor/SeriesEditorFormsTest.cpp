#include "chart/editor/RegisterSeriesEditorForms.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/editor/KorEditorForms.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TLineSeries.h"

#include "platform/ModalHooks.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QTabWidget>

#include <memory>

namespace {

// Every series type of the library with the real editor forms, as the
// program registers them.
class SeriesEditorFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    RegisterSeriesEditorForms();
  }
  void TearDown() override { UnRegisterSeriesTypes(); }

  TFormKorSeries& ShowPage(TChartSeries* Series) {
    Page = std::make_unique<TFormKorSeries>();
    Page->resize(460, 360);
    Page->SetSeries(Series);
    Page->show();
    return *Page;
  }
  void ChooseSource(const QString& Style) {
    Page->CBDataSourcestyle->setCurrentIndex(Page->CBDataSourcestyle->findText(Style));
  }

  TChart Chart{nullptr};
  std::unique_ptr<TFormKorSeries> Page;
};

// Set KORVALE_SHOTS to a folder to keep a picture of every type's format
// page there.
TEST_F(SeriesEditorFormsTest, EveryRegisteredSeriesTypeShowsItsFormatFormOnOnePage) {
  const QString Shots = qEnvironmentVariable("KORVALE_SHOTS");
  QStringList WithoutForm;
  for (int i = 0; i < KorSeriesTypes().Count(); ++i) {
    const TKorSeriesType& Type = *KorSeriesTypes().Get(i);
    if (!Type.SeriesClassRef || Type.FunctionClassRef) continue;
    TChartSeries* Series = Type.SeriesClassRef.Create(&Chart);
    Series->SetParentChart(&Chart);
    Series->FillSampleValues(6);
    if (!Page) ShowPage(Series);
    Page->SetCBSeries();
    Page->CBSeries->setCurrentIndex(Page->CBSeries->count() - 1);
    Page->PageSeries->setCurrentWidget(Page->TheTabSheet);
    const bool Registered = IsEditorFormRegistered(Series->GetEditorClass());
    EXPECT_EQ(Page->GetFormatForm() != nullptr, Registered) << Type.Description().toStdString();
    if (!Registered) WithoutForm << Series->ClassName();
    if (!Shots.isEmpty() && Registered)
      Page->grab().save(QDir(Shots).filePath(Series->ClassName() + ".png"));
  }
  // Only the error and high-low series name forms that do not exist.
  WithoutForm.sort();
  EXPECT_EQ(WithoutForm, QStringList({"TErrorBarSeries", "TErrorSeries", "THighLowSeries"}));
}

TEST_F(SeriesEditorFormsTest, DataSourceSwitchesBetweenManualRandomAndAFunction) {
  auto* Source = new TLineSeries(&Chart);
  Source->SetParentChart(&Chart);
  Source->FillSampleValues(5);
  auto* Line = new TLineSeries(&Chart);
  Line->SetParentChart(&Chart);
  ShowPage(Line);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  EXPECT_EQ(Page->CBDataSourcestyle->currentText(), "Manual");
  EXPECT_NE(Page->findChild<QWidget*>("ChartGrid1"), nullptr);

  ChooseSource(QStringLiteral("Function"));
  ASSERT_NE(Page->GetSourceForm(), nullptr);
  EXPECT_EQ(Page->GetSourceForm()->objectName(), "KorFuncEditor");

  EXPECT_EQ(Page->findChild<QWidget*>("ChartGrid1"), nullptr);

  // Leaving a function editor whose changes are not applied asks first.
  QStringList Asked;
  const TMessageDialogHook Previous = SetMessageDialogHook([&](const TMessageDialogRequest& R) {
    Asked << R.Text;
    return static_cast<int>(mrNo);
  });
  ChooseSource(QStringLiteral("Random"));
  SetMessageDialogHook(Previous);
  EXPECT_EQ(Asked, QStringList({"Apply Changes ?"}));
  EXPECT_EQ(Page->GetSourceForm(), nullptr);
  EXPECT_FALSE(Page->PanelRandom->isHidden());
  ChooseSource(QStringLiteral("Manual"));
  EXPECT_NE(Page->findChild<QWidget*>("ChartGrid1"), nullptr);
}

}  // namespace
