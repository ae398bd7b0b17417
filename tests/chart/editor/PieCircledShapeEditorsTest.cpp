#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TChartShapeEditor.h"
#include "chart/editor/TCircledSeriesEditor.h"
#include "chart/editor/TFormKorLegend.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TPieSeriesEditor.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TKorGradient.h"
#include "chart/series/TChartShape.h"
#include "chart/series/TPieSeries.h"

#include "platform/MessageBox.h"
#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Messages;
void CaptureMessage(const std::string& Text) {
  Messages.push_back(Text);
}

class PieCircledShapeEditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Messages.clear();
    OldHook = SetMessageBoxHook(&CaptureMessage);
    Pie->SetParentChart(&Chart);
    Pie->AddPie(40, "A");
    Pie->AddPie(60, "B");
    Host.resize(440, 330);
    RegisterPieSeriesEditor();
    RegisterCircledSeriesEditor();
    RegisterChartShapeEditor();
  }
  void TearDown() override {
    SetMessageBoxHook(OldHook);
    EXPECT_TRUE(Messages.empty()) << Messages.front();
  }

  // The form the series page docks for Series (by its editor class name),
  // shown on the page.
  template <class Form>
  std::unique_ptr<Form> Open(TChartSeries& Series, const QString& ClassName = QString()) {
    const QString Name = ClassName.isEmpty() ? Series.GetEditorClass() : ClassName;
    std::unique_ptr<QWidget> Made(CreateEditorForm(Name, nullptr));
    auto* Typed = dynamic_cast<Form*>(Made.get());
    EXPECT_NE(Typed, nullptr) << Name.toStdString();
    if (Typed == nullptr) return nullptr;
    Made.release();
    AddObjectFormTo(*Typed, Host, static_cast<TPersistent*>(&Series));
    Typed->FormShow();
    return std::unique_ptr<Form>(Typed);
  }

  TChartShape* NewShape() {
    auto* Shape = new TChartShape(&Chart);
    Shape->SetParentChart(&Chart);
    return Shape;
  }

  TChart Chart{nullptr};
  TPieSeries* Pie = new TPieSeries(&Chart);
  QWidget Host;

 private:
  MessageBoxHook OldHook = nullptr;
};

TEST_F(PieCircledShapeEditorsTest, FormsAreFoundByTheNamesTheSeriesGive) {
  auto* Shape = NewShape();
  EXPECT_TRUE(Open<TPieSeriesEditor>(*Pie));
  EXPECT_TRUE(Open<TChartShapeEditor>(*Shape));
  // Outside a series page the circled form lands inside its owner.
  QWidget* Made = TCircledSeriesEditor::CreateForm(Host, Pie);
  auto* Circled = dynamic_cast<TCircledSeriesEditor*>(Made);
  ASSERT_NE(Circled, nullptr);
  EXPECT_EQ(Circled->parentWidget(), &Host);
  EXPECT_EQ(Circled->windowTitle(), "Circled");
  EXPECT_EQ(KorFormObject(*Circled), static_cast<TPersistent*>(Pie));
  EXPECT_EQ(Circled->GetSeries(), Pie);
  UnRegisterEditorForm("TCircledSeriesEditor");
  EXPECT_EQ(TCircledSeriesEditor::CreateForm(Host, Pie), nullptr);
  RegisterCircledSeriesEditor();
}

// ---------------------------------------------------------------- shape

TEST_F(PieCircledShapeEditorsTest, ShapeCornersShowOnlyWithTwoPointsAndIgnoreNonNumbers) {
  auto* Shape = NewShape();
  Shape->SetX1(250.5);
  auto Form = Open<TChartShapeEditor>(*Shape);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->SEX0->text(), "0");
  EXPECT_EQ(Form->SEX1->text(), "250.5");
  EXPECT_EQ(Form->SEY1->text(), "100");
  Form->SEY0->setText("12.25");
  EXPECT_DOUBLE_EQ(Shape->GetY0(), 12.25);
  Form->SEY0->setText("12.x");
  EXPECT_DOUBLE_EQ(Shape->GetY0(), 12.25);
  Form->CBUnits->setCurrentIndex(0);
  EXPECT_EQ(Shape->GetXYStyle(), xysPixels);

  Shape->Delete(1);
  Form->FormShow();
  for (QLineEdit* E : {Form->SEX0, Form->SEY0, Form->SEX1, Form->SEY1})
    EXPECT_TRUE(E->text().isEmpty()) << E->objectName().toStdString();
  // A corner typed then brings both points back and shows the others.
  Form->SEX1->setText("70");
  EXPECT_EQ(Shape->Count(), 2);
  EXPECT_DOUBLE_EQ(Shape->GetX1(), 70);
  EXPECT_EQ(Form->SEX1->text(), "70");
  EXPECT_EQ(Form->SEY1->text(), "100");
}

TEST_F(PieCircledShapeEditorsTest, ShapeAlignmentsMapOntoTheirEnumerations) {
  auto* Shape = NewShape();
  Shape->SetAlignment(taRightJustify);
  Shape->SetVertAlign(vaBottom);
  auto Form = Open<TChartShapeEditor>(*Shape);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->RGAlign->GetItemIndex(), 2);
  EXPECT_EQ(Form->RGVertAlign->GetItemIndex(), 2);
  Form->RGAlign->Choose(0);
  EXPECT_EQ(Shape->GetAlignment(), taLeftJustify);
  Form->RGAlign->Choose(1);
  EXPECT_EQ(Shape->GetAlignment(), taCenter);
  Form->RGAlign->Choose(2);
  EXPECT_EQ(Shape->GetAlignment(), taRightJustify);
  Form->RGVertAlign->Choose(0);
  EXPECT_EQ(Shape->GetVertAlign(), vaTop);
  Form->RGVertAlign->Choose(1);
  EXPECT_EQ(Shape->GetVertAlign(), vaCenter);
}

TEST_F(PieCircledShapeEditorsTest, RoundRectangleOnlyForRectanglesAndOnShowOnlyIn2D) {
  auto* Shape = NewShape();
  Shape->SetStyle(chasRectangle);
  Chart.SetView3D(false);
  auto Form = Open<TChartShapeEditor>(*Shape);
  ASSERT_TRUE(Form);
  EXPECT_TRUE(Form->CBRound->isEnabled());
  Form->CBRound->click();
  EXPECT_TRUE(Shape->GetRoundRectangle());
  Form->CBStyle->setCurrentIndex(1);
  EXPECT_EQ(Shape->GetStyle(), chasCircle);
  EXPECT_FALSE(Form->CBRound->isEnabled());

  Shape->SetStyle(chasRectangle);
  Chart.SetView3D(true);
  Form->FormShow();
  EXPECT_FALSE(Form->CBRound->isEnabled());
  Form->CBStyle->setCurrentIndex(3);
  Form->CBStyle->setCurrentIndex(0);
  EXPECT_TRUE(Form->CBRound->isEnabled());
}

TEST_F(PieCircledShapeEditorsTest, MemoLinesBecomeTheTextButFillingWritesNothing) {
  auto* Shape = NewShape();
  // Filling the memo must not rewrite the text (a trailing empty line
  // would be lost).
  Shape->SetText({"first", ""});
  auto Form = Open<TChartShapeEditor>(*Shape);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->MemoText->toPlainText(), "first\n");
  EXPECT_EQ(Shape->GetText(), QStringList({"first", ""}));
  Form->MemoText->setPlainText("one\ntwo\n");
  EXPECT_EQ(Shape->GetText(), QStringList({"one", "two"}));
  Form->MemoText->clear();
  EXPECT_TRUE(Shape->GetText().isEmpty());
  Form->CBTrans->click();
  EXPECT_TRUE(Shape->GetTransparent());
}

// -------------------------------------------------------------- circled

TEST_F(PieCircledShapeEditorsTest, RadiusEditsSetTheRadiusAndTheirAutoBoxShowsZero) {
  Pie->SetCustomXRadius(30);
  auto Form = Open<TCircledSeriesEditor>(*Pie, "TCircledSeriesEditor");
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->Edit2->text(), "30");
  EXPECT_FALSE(Form->CBAutoXR->isChecked());
  EXPECT_TRUE(Form->CBAutoYR->isChecked());
  Form->Edit2->setText("0");
  EXPECT_EQ(Pie->GetCustomXRadius(), 0);
  EXPECT_TRUE(Form->CBAutoXR->isChecked());
  Form->Edit2->setText("x");
  EXPECT_EQ(Pie->GetCustomXRadius(), 0);
  Form->Edit3->setText("45");
  EXPECT_EQ(Pie->GetCustomYRadius(), 45);
  EXPECT_FALSE(Form->CBAutoYR->isChecked());
  Form->CBAutoYR->click();
  EXPECT_EQ(Form->Edit3->text(), "0");
  EXPECT_EQ(Pie->GetCustomYRadius(), 0);

  Form->Edit1->setText("90");
  EXPECT_EQ(Pie->GetRotationAngle(), 90);
  Form->CBCircled->click();
  EXPECT_TRUE(Pie->GetCircled());
  Form->CB3D->setChecked(false);
  EXPECT_FALSE(Chart.GetView3D());
}

TEST_F(PieCircledShapeEditorsTest, TransparentFollowsTheBackColourAndLocksWhileChecked) {
  Pie->SetCircleBackColor(clRed);
  Pie->GetCircleGradient().SetVisible(true);
  auto Form = Open<TCircledSeriesEditor>(*Pie, "TCircledSeriesEditor");
  ASSERT_TRUE(Form);
  EXPECT_FALSE(Form->CBTransp->isChecked());
  EXPECT_TRUE(Form->CBTransp->isEnabled());
  Form->CBTransp->click();
  EXPECT_EQ(Pie->GetCircleBackColor(), clDefault);
  EXPECT_FALSE(Pie->GetCircleGradient().GetVisible());
  EXPECT_FALSE(Form->CBTransp->isEnabled());

  ModalScript Script;
  Script.AnswerColor(true, clBlue);
  Form->BBack->click();
  EXPECT_EQ(Pie->GetCircleBackColor(), clBlue);
  EXPECT_FALSE(Form->CBTransp->isChecked());
  EXPECT_TRUE(Form->CBTransp->isEnabled());

  // A gradient left hidden keeps "no background"; a shown one ends it.
  Form->CBTransp->click();
  Script.AnswerForm([](QDialog&) { return mrOk; });
  Form->BGradient->click();
  EXPECT_TRUE(Form->CBTransp->isChecked());
  Script.AnswerForm([](QDialog& D) {
    auto& E = dynamic_cast<TKorGradientEditor&>(D);
    E.GetGradient()->SetVisible(true);
    return mrOk;
  });
  Form->BGradient->click();
  EXPECT_TRUE(Pie->GetCircleGradient().GetVisible());
  EXPECT_FALSE(Form->CBTransp->isChecked());
  EXPECT_TRUE(Form->CBTransp->isEnabled());
}

// ------------------------------------------------------------------ pie

TEST_F(PieCircledShapeEditorsTest, PieGroupSlicesEditsOnlyWithAnOtherStyle) {
  auto Form = Open<TPieSeriesEditor>(*Pie);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->CBOther->currentIndex(), 0);
  EXPECT_EQ(Form->EOtherLabel->text(), "Other");
  EXPECT_FALSE(Form->EOtherValue->isEnabled());
  EXPECT_FALSE(Form->EOtherLabel->isEnabled());
  Form->CBOther->setCurrentIndex(1);
  EXPECT_EQ(Pie->GetOtherSlice().GetStyle(), poBelowPercent);
  EXPECT_TRUE(Form->EOtherValue->isEnabled());
  EXPECT_TRUE(Form->EOtherLabel->isEnabled());
  Form->EOtherValue->setText("12.5");
  EXPECT_DOUBLE_EQ(Pie->GetOtherSlice().GetValue(), 12.5);
  Form->EOtherValue->setText("");
  Form->EOtherValue->setText("1x");
  EXPECT_DOUBLE_EQ(Pie->GetOtherSlice().GetValue(), 12.5);
  Form->EOtherLabel->setText("Rest");
  EXPECT_EQ(Pie->GetOtherSlice().GetText(), "Rest");
  Form->CBOther->setCurrentIndex(2);
  EXPECT_EQ(Pie->GetOtherSlice().GetStyle(), poBelowValue);
  Form->CBOther->setCurrentIndex(0);
  EXPECT_FALSE(Form->EOtherValue->isEnabled());
}

TEST_F(PieCircledShapeEditorsTest, PieColourButtonAndDark3DFollowTheirSwitches) {
  Chart.SetView3D(false);
  auto Form = Open<TPieSeriesEditor>(*Pie);
  ASSERT_TRUE(Form);
  EXPECT_TRUE(Form->CBColorEach->isChecked());
  EXPECT_FALSE(Form->BColor->isEnabled());
  Form->CBColorEach->click();
  EXPECT_FALSE(Pie->GetColorEachPoint());
  EXPECT_TRUE(Form->BColor->isEnabled());

  EXPECT_FALSE(Form->CBDark3d->isEnabled());
  // The docked circled form switches the chart to 3D.
  ASSERT_NE(Form->CircledForm, nullptr);
  Form->CircledForm->CB3D->click();
  EXPECT_TRUE(Chart.GetView3D());
  EXPECT_TRUE(Form->CBDark3d->isEnabled());
  Form->CBDark3d->click();
  EXPECT_FALSE(Pie->GetDark3D());
}

TEST_F(PieCircledShapeEditorsTest, PieDocksACircledFormWithoutTheBackgroundControls) {
  auto Form = Open<TPieSeriesEditor>(*Pie);
  ASSERT_TRUE(Form);
  TCircledSeriesEditor* Circled = Form->CircledForm;
  ASSERT_NE(Circled, nullptr);
  EXPECT_EQ(Circled->parentWidget(), Form->TabCircled);
  EXPECT_EQ(Circled->GetSeries(), Pie);
  EXPECT_TRUE(Circled->BBack->isHidden());
  EXPECT_TRUE(Circled->CBTransp->isHidden());
  EXPECT_TRUE(Circled->BGradient->isHidden());
  EXPECT_FALSE(Circled->CBCircled->isHidden());
  // Shown again (another pie on the page): the same docked form, rebound.
  auto* Other = new TPieSeries(&Chart);
  Other->SetParentChart(&Chart);
  AddObjectFormTo(*Form, Host, Other);
  Form->FormShow();
  EXPECT_EQ(Form->CircledForm, Circled);
  EXPECT_EQ(Circled->GetSeries(), Other);

  Form->SEExpBig->setText("30");
  EXPECT_EQ(Other->GetExplodeBiggest(), 30);
  Form->Edit1->setText("180");
  EXPECT_EQ(Other->GetAngleSize(), 180);
  Form->Edit2->setText("32");
  EXPECT_EQ(Other->GetDarkPen(), 32);
  Form->CBMultiple->setCurrentIndex(1);
  EXPECT_EQ(Other->GetMultiPie(), mpDisabled);
  EXPECT_TRUE(Form->BGradient->GetColorsOnly());
}

TEST_F(PieCircledShapeEditorsTest, LegendButtonEditsTheOtherSlicesLegendModally) {
  auto Form = Open<TPieSeriesEditor>(*Pie);
  ASSERT_TRUE(Form);
  {
    ModalScript Script;
    Script.AnswerForm([this](QDialog& D) {
      auto* Page = dynamic_cast<TFormKorLegend*>(&D);
      EXPECT_NE(Page, nullptr);
      if (Page == nullptr) return mrCancel;
      EXPECT_EQ(&Page->GetLegend(), Pie->GetOtherSlice().ExistingLegend());
      EXPECT_NE(&Page->GetLegend(), &Chart.GetLegend());
      Page->CBShow->click();
      return mrOk;
    });
    Form->Button2->click();
  }
  ASSERT_NE(Pie->GetOtherSlice().ExistingLegend(), nullptr);
  EXPECT_TRUE(Pie->GetOtherSlice().ExistingLegend()->GetVisible());

  // A pie in no chart has no legend to edit: nothing opens.
  auto* Loose = new TPieSeries(&Chart);
  AddObjectFormTo(*Form, Host, Loose);
  Form->FormShow();
  ModalScript Quiet;
  Form->Button2->click();
  EXPECT_TRUE(Quiet.Asked().empty());
}

// Renders each form over a real series for a look (not a check):
// --gtest_also_run_disabled_tests writes /tmp/shots/<Form>.png.
TEST_F(PieCircledShapeEditorsTest, DISABLED_RenderForms) {
  QDir().mkpath("/tmp/shots");
  auto* Shape = NewShape();
  Shape->SetStyle(chasRectangle);
  Shape->SetText({"Shape", "text"});
  Chart.SetView3D(false);
  auto Save = [this](QWidget& Form, int Tab, const QString& Name) {
    if (auto* Tabs = Form.findChild<QTabWidget*>("PageControl1")) Tabs->setCurrentIndex(Tab);
    Form.resize(Host.size() - QSize(8, 8));
    EXPECT_TRUE(Host.grab().save("/tmp/shots/" + Name + ".png"));
  };
  {
    auto Form = Open<TPieSeriesEditor>(*Pie);
    Save(*Form, 0, "TPieSeriesEditor");
    Save(*Form, 1, "TPieSeriesEditor-Group");
    Save(*Form, 2, "TPieSeriesEditor-Circled");
  }
  {
    auto Form = Open<TCircledSeriesEditor>(*Pie, "TCircledSeriesEditor");
    Save(*Form, 0, "TCircledSeriesEditor");
  }
  {
    auto Form = Open<TChartShapeEditor>(*Shape);
    Save(*Form, 0, "TChartShapeEditor");
    Save(*Form, 1, "TChartShapeEditor-Position");
    Save(*Form, 2, "TChartShapeEditor-Text");
  }
}

}  // namespace
