#include "app/UnitKorvaleCompare.h"
#include "app/UnitSedDataView.h"
#include "app/UnitViewAScan.h"

#include "chart/core/TChart.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "platform/ModalHooks.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QListWidget>
#include <QMouseEvent>
#include <QWidget>

#include <memory>

namespace {

// A double click on every kind of chart of the program opens the chart
// editor on that chart, captioned with the chart's name.
class ChartEditorOpeningTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    Previous = SetShowModalHook([this](QDialog& Dialog) {
      auto* Form = dynamic_cast<TChartEditForm*>(&Dialog);
      if (Form == nullptr) return int(mrCancel);
      Caption = Form->windowTitle();
      Edited = Form->GetChart();
      return int(mrOk);
    });
  }
  void TearDown() override {
    SetShowModalHook(Previous);
    UnRegisterSeriesTypes();
  }

  void DoubleClick(TChart& Chart) {
    Caption.clear();
    Edited = nullptr;
    const QPointF At(40, 40);
    for (QEvent::Type Type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons Held =
          Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
      QMouseEvent E(Type, At, At, Qt::LeftButton, Held, Qt::NoModifier);
      QCoreApplication::sendEvent(Chart.GetWidget(), &E);
    }
  }
  void ExpectEditorOn(TChart& Chart, const char* Name) {
    DoubleClick(Chart);
    EXPECT_EQ(Edited, &Chart) << Name;
    EXPECT_EQ(Caption, QStringLiteral("Editing ") + QString::fromLatin1(Name));
  }

  const PrivateUserConfig Config;  // the editor reads the user's options
  TShowModalHook Previous;
  QString Caption;
  TCustomChart* Edited = nullptr;
};

TEST_F(ChartEditorOpeningTest, EveryChartOfTheProgramOpensTheEditorOnADoubleClick) {
  QListWidget OpenWindows;
  TSedDataView Viewer(nullptr, &OpenWindows);
  ExpectEditorOn(*Viewer.Chart1, "Chart1");
  ExpectEditorOn(*Viewer.dcdtChart, "dcdtChart");
  ExpectEditorOn(*Viewer.TimeCourseChart, "TimeCourseChart");
  ExpectEditorOn(*Viewer.Chart1, "Chart1");  // the editor follows the chart clicked last
  TViewAScan Preview(nullptr);
  ExpectEditorOn(*Preview.TransformChart, "TransformChart");
  TKorvaleCompare Compare;
  ExpectEditorOn(*Compare.dcdtChart, "dcdtChart");
}

}  // namespace
