#include "chart/editor/KorEditorForms.h"
#include "chart/editor/TDragPointToolEdit.h"
#include "chart/editor/TSelectorToolEditor.h"
#include "chart/editor/TSeriesToolEditor.h"

#include "chart/core/KorException.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TFormKorTools.h"
#include "chart/series/TLineSeries.h"
#include "chart/tools/TDragPointTool.h"
#include "chart/tools/TSelectorTool.h"

#include "platform/Cursors.h"
#include "platform/MessageBox.h"
#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"

#include <gtest/gtest.h>

#include <QCheckBox>

#include <memory>
#include <string>
#include <vector>

namespace {

// A series tool that refuses every series.
class TPickyTool : public TKorCustomToolSeries {
 public:
  explicit TPickyTool(TComponent* AOwner) : TKorCustomToolSeries(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TPickyTool"); }
  void SetSeries(TChartSeries* Value) override {
    if (Value != nullptr) throw ChartException(QStringLiteral("No series for me"));
    TKorCustomToolSeries::SetSeries(Value);
  }
};

std::vector<std::string> Messages;
void CaptureMessage(const std::string& Text) {
  Messages.push_back(Text);
}

class ToolEditorFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Messages.clear();
    OldHook = SetMessageBoxHook(&CaptureMessage);
    Line1->SetTitle("Speed");
    Line1->SetParentChart(&Chart);
    Line2->SetTitle("Depth");
    Line2->SetParentChart(&Chart);
    RegisterToolEditorForms();
  }
  void TearDown() override { SetMessageBoxHook(OldHook); }

  // The form the tools page embeds for Tool, shown on it.
  template <class Form>
  std::unique_ptr<Form> Open(TKorCustomTool& Tool) {
    std::unique_ptr<QWidget> Made(CreateEditorForm(Tool.GetEditorClass(), nullptr));
    auto* Typed = dynamic_cast<Form*>(Made.get());
    EXPECT_NE(Typed, nullptr) << Tool.GetEditorClass().toStdString();
    if (Typed == nullptr) return nullptr;
    Made.release();
    AddFormTo(*Typed, Host, static_cast<void*>(&Tool));
    Typed->FormShow();
    return std::unique_ptr<Form>(Typed);
  }

  TChart Chart{nullptr};
  TLineSeries* Line1 = new TLineSeries(&Chart);
  TLineSeries* Line2 = new TLineSeries(&Chart);
  QWidget Host;

 private:
  MessageBoxHook OldHook = nullptr;
};

TEST_F(ToolEditorFormsTest, SeriesToolFormListsNoneThenTheSeriesAndSetsTheToolsSeries) {
  auto* Tool = new TKorCustomToolSeries(&Chart);
  Tool->SetParentChart(&Chart);
  Tool->SetSeries(Line2);
  auto Form = Open<TSeriesToolEditor>(*Tool);
  ASSERT_TRUE(Form);
  ASSERT_EQ(Form->CBSeries->count(), 3);
  EXPECT_EQ(Form->CBSeries->itemText(0), "(none)");
  EXPECT_EQ(Form->CBSeries->itemText(1), "Speed");
  EXPECT_EQ(Form->CBSeries->currentIndex(), 2);
  EXPECT_TRUE(Form->CBSeries->isEnabled());
  Form->CBSeries->setCurrentIndex(1);
  EXPECT_EQ(Tool->GetSeries(), Line1);
  Form->CBSeries->setCurrentIndex(0);
  EXPECT_EQ(Tool->GetSeries(), nullptr);
}

TEST_F(ToolEditorFormsTest, RefusedSeriesIsReportedAndTheBoxShowsTheToolAgain) {
  TPickyTool Tool(nullptr);
  Tool.SetParentChart(&Chart);
  TSeriesToolEditor Form(&Host);
  AddFormTo(Form, Host, static_cast<void*>(static_cast<TKorCustomTool*>(&Tool)));
  Form.FormShow();
  Form.CBSeries->setCurrentIndex(1);
  EXPECT_EQ(Tool.GetSeries(), nullptr);
  EXPECT_EQ(Form.CBSeries->currentIndex(), 0);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "No series for me");
  Tool.SetParentChart(nullptr);
}

TEST_F(ToolEditorFormsTest, DragPointFormWithoutSeriesDisablesTheCursorUntilOneIsChosen) {
  auto* Tool = new TDragPointTool(&Chart);
  Tool->SetParentChart(&Chart);
  Tool->SetDragStyle(dsY);
  auto Form = Open<TDragPointToolEdit>(*Tool);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->CBSeries->currentText(), "(none)");
  EXPECT_FALSE(Form->CBCursor->isEnabled());
  EXPECT_EQ(Form->RGStyle->GetItemIndex(), 1);

  Form->CBSeries->setCurrentIndex(1);
  EXPECT_EQ(Tool->GetSeries(), Line1);
  EXPECT_TRUE(Form->CBCursor->isEnabled());
  Form->CBCursor->setCurrentIndex(Form->CBCursor->findText("Cross"));
  EXPECT_EQ(Line1->GetCursor(), crCross);

  Form->RGStyle->Choose(0);
  EXPECT_EQ(Tool->GetDragStyle(), dsX);
  Form->RGStyle->Choose(2);
  EXPECT_EQ(Tool->GetDragStyle(), dsBoth);

  Line2->SetCursor(crHandPoint);
  Tool->SetSeries(Line2);
  Form->FormShow();
  EXPECT_EQ(Form->CBCursor->currentText(), "HandPoint");
}

TEST_F(ToolEditorFormsTest, SelectorFormEditsHandlesAndFlagsAsTyped) {
  auto* Tool = new TSelectorTool(&Chart);
  Tool->SetParentChart(&Chart);
  Tool->SetHandleSize(5);
  auto Form = Open<TSelectorToolEditor>(*Tool);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->Edit1->GetPosition(), 5);
  EXPECT_EQ(Form->ButtonPen1->GetPen(), &Tool->GetPen());
  EXPECT_EQ(Form->ButtonColor1->GetLinkedObject(), &Tool->GetBrush());
  EXPECT_EQ(Form->ButtonColor1->GetLinkedProperty(), "Color");
  EXPECT_EQ(Form->CBAllowDrag->isChecked(), Tool->GetAllowDrag());

  Form->Edit1->setText("8");
  EXPECT_EQ(Tool->GetHandleSize(), 8);
  Form->CBAllowDrag->setChecked(!Tool->GetAllowDrag());
  EXPECT_EQ(Tool->GetAllowDrag(), Form->CBAllowDrag->isChecked());
  Form->CBResizeChart->setChecked(!Tool->GetAllowResizeChart());
  EXPECT_EQ(Tool->GetAllowResizeChart(), Form->CBResizeChart->isChecked());
}

TEST_F(ToolEditorFormsTest, ClassesWithoutARegisteredFormMakeNone) {
  EXPECT_EQ(CreateEditorForm(QString(), nullptr), nullptr);
  EXPECT_EQ(CreateEditorForm(QStringLiteral("TCursorToolEditor"), nullptr), nullptr);
}

}  // namespace
