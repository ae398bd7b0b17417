#include "chart/editor/TAverageFuncEditor.h"
#include "chart/editor/TBaseSourceEditor.h"
#include "chart/editor/TCustomFunctionEditor.h"
#include "chart/editor/TKorFuncEditor.h"
#include "chart/editor/TKorFunctionEditor.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorSeriesSource.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TAxisIncrement.h"
#include "chart/editor/TSelectListForm.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TAddKorFunction.h"
#include "chart/series/TAverageKorFunction.h"
#include "chart/series/TCustomKorFunction.h"
#include "chart/series/TLineSeries.h"

#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A moving mean over Period points of one source: the kind of function
// that offers one source series and the choice of its value list.
class TTestMovingMean : public TKorMovingFunction {
 public:
  explicit TTestMovingMean(TComponent* AOwner) : TKorMovingFunction(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TTestMovingMean"); }
  double Calculate(TChartSeries* Source, int First, int Last) override {
    const TChartValueList& L = ValueList(Source);
    double Sum = 0;
    for (int I = First; I <= Last; ++I) Sum += L.GetValue(I);
    return Last >= First ? Sum / (Last - First + 1) : 0;
  }
};
const QString MovingMeanText = QStringLiteral("Moving\rmean");

// A data-source editor that offers series: the base's listing rules.
class TSeriesSourceEditor : public TBaseSourceEditor {
 public:
  using TBaseSourceEditor::TBaseSourceEditor;
  bool IsValid(TComponent* AComponent) const override {
    return dynamic_cast<TChartSeries*>(AComponent) != nullptr;
  }
  void BApplyClick() override {
    ++Applies;
    if (Refuse) throw ChartException(QStringLiteral("Not now"));
    TBaseSourceEditor::BApplyClick();
  }
  int Applies = 0;
  bool Refuse = false;
};

// A series source that says when it is freed.
class TTrackedSource : public TKorSeriesSource {
 public:
  TTrackedSource(TComponent* AOwner, bool& Freed) : TKorSeriesSource(AOwner), FFreed(Freed) {}
  ~TTrackedSource() override { FFreed = true; }

 private:
  bool& FFreed;
};

std::vector<double> Values(const TChartValueList& List) {
  std::vector<double> Result;
  for (int I = 0; I < List.Count(); ++I) Result.push_back(List.GetValue(I));
  return Result;
}

class FunctionEditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    RegisterKorBasicFunction(TKorFunctionClass::Of<TTestMovingMean>(), &MovingMeanText);
    RegisterFunctionEditors();
    Chart.SetName("Chart1");
    Chart.SetBounds(0, 0, 400, 300);
    Speed = NewSeries("Speed", "Series1", {1, 2, 3, 4, 5});
    Depth = NewSeries("Depth", "Series2", {10, 20, 30, 40, 50});
    Result = NewSeries("Result", "Series3", {});
    Host.resize(460, 360);
    Host.show();
  }
  void TearDown() override {
    UnRegisterKorFunctions({TKorFunctionClass::Of<TTestMovingMean>()});
    UnRegisterSeriesTypes();
  }

  TLineSeries* NewSeries(const char* Title, const char* Name, const std::vector<double>& Ys) {
    auto* S = new TLineSeries(&Chart);
    S->SetName(Name);
    S->SetTitle(Title);
    S->SetParentChart(&Chart);
    for (double Y : Ys) S->Add(Y);
    return S;
  }

  // The function page made by name, as the series page makes it, docked
  // and shown for Series.
  std::unique_ptr<TKorFuncEditor> OpenPage(TChartSeries& Series) {
    std::unique_ptr<QWidget> Made(CreateEditorForm(QStringLiteral("TKorFuncEditor"), nullptr));
    auto* Page = dynamic_cast<TKorFuncEditor*>(Made.get());
    EXPECT_NE(Page, nullptr);
    if (Page == nullptr) return nullptr;
    Made.release();
    AddObjectFormTo(*Page, Host, &Series);
    return std::unique_ptr<TKorFuncEditor>(Page);
  }

  static void ChooseFunction(TKorFuncEditor& Page, const QString& Text) {
    const int Index = Page.CBSources->findText(Text);
    ASSERT_GE(Index, 0) << Text.toStdString();
    Page.CBSources->setCurrentIndex(Index);
  }

  static QStringList Items(const QListWidget& List) {
    QStringList Result;
    for (int I = 0; I < List.count(); ++I) Result << List.item(I)->text();
    return Result;
  }
  static QStringList Items(const QComboBox& Combo) {
    QStringList Result;
    for (int I = 0; I < Combo.count(); ++I) Result << Combo.itemText(I);
    return Result;
  }

  static bool TabShown(const TKorFuncEditor& Page, const QWidget* Tab) {
    return Page.PageControl1->isTabVisible(Page.PageControl1->indexOf(Tab));
  }

  TChart Chart{nullptr};
  TLineSeries* Speed = nullptr;
  TLineSeries* Depth = nullptr;
  TLineSeries* Result = nullptr;
  QWidget Host;
  MessageRecorder Messages;
};

// ------------------------------------------------------- period editor

TEST_F(FunctionEditorsTest, PeriodEditorShowsAllPointsNumberOrRangeFromTheFunction) {
  TKorMovingFunction Moving(nullptr);
  Moving.SetPeriod(0);
  TKorFunctionEditor Form;
  AddObjectFormTo(Form, Host, &Moving);
  EXPECT_EQ(Form.CBStyle->currentText(), "All points");
  EXPECT_TRUE(Form.ENum->text().isEmpty());
  EXPECT_FALSE(Form.ENum->isEnabled());
  EXPECT_FALSE(Form.BChange->isEnabled());

  // A moving function counts points even when its style says ranges.
  Moving.SetPeriod(3);
  Moving.SetPeriodStyle(psRange);
  Form.FormShow();
  EXPECT_EQ(Form.CBStyle->currentText(), "Every number of points");
  EXPECT_EQ(Form.ENum->text(), "3");
  EXPECT_TRUE(Form.ENum->isEnabled());
  EXPECT_FALSE(Form.BChange->isEnabled());

  TKorFunction Ranged(nullptr);
  Ranged.SetPeriodStyle(psRange);
  Ranged.SetPeriod(2.5);
  Ranged.SetPeriodAlign(paLast);
  TKorFunctionEditor RangeForm;
  AddObjectFormTo(RangeForm, Host, &Ranged);
  EXPECT_EQ(RangeForm.CBStyle->currentText(), "Every range");
  EXPECT_EQ(RangeForm.ENum->text(), "2.5");
  EXPECT_TRUE(RangeForm.BChange->isEnabled());
  EXPECT_EQ(RangeForm.CBAlign->currentText(), "Last");
  EXPECT_FALSE(RangeForm.isWindowModified());
}

TEST_F(FunctionEditorsTest, AverageEditorWritesItsControlsOnCloseAndTheSeriesRecalculates) {
  auto* Average = static_cast<TAverageKorFunction*>(
      CreateNewKorFunction(*Result, TKorFunctionClass::Of<TAverageKorFunction>()));
  Result->SetDataSource(Speed);
  TAverageFuncEditor Form;
  AddObjectFormTo(Form, Host, Average);
  EXPECT_TRUE(Form.CBNulls->isChecked());
  Form.CBStyle->setCurrentIndex(TKorFunctionEditor::StyleNumPoints);
  EXPECT_TRUE(Form.isWindowModified());
  Form.ENum->setText("2");
  Form.CBAlign->setCurrentIndex(0);
  Form.CBNulls->setChecked(false);
  EXPECT_TRUE(KorFormCloseQuery(Form));
  EXPECT_EQ(Average->GetPeriod(), 2);
  EXPECT_EQ(Average->GetPeriodStyle(), psNumPoints);
  EXPECT_EQ(Average->GetPeriodAlign(), paFirst);
  EXPECT_FALSE(Average->GetIncludeNulls());
  EXPECT_EQ(Values(Result->GetYValues()), (std::vector<double>{1.5, 3.5}));
  EXPECT_FALSE(Form.isWindowModified());

  // Text that is not a number means "every point at once".
  Form.ENum->setText("two");
  EXPECT_TRUE(KorFormCloseQuery(Form));
  EXPECT_EQ(Average->GetPeriod(), 0);
}

TEST_F(FunctionEditorsTest, ChangeButtonPutsThePeriodChosenInTheIncrementDialog) {
  TKorFunction Ranged(nullptr);
  Ranged.SetPeriodStyle(psRange);
  Ranged.SetPeriod(2);
  TKorFunctionEditor Form;
  AddObjectFormTo(Form, Host, &Ranged);
  ModalScript Script;
  Script.AnswerForm([](QDialog& Dialog) {
    auto& Increment = dynamic_cast<TAxisIncrement&>(Dialog);
    EXPECT_EQ(Dialog.windowTitle(), "Period range");
    EXPECT_FALSE(Increment.IsDateTime);
    EXPECT_EQ(Increment.Increment, 2);
    Increment.ECustom->setText("7.5");
    Increment.BOkClick();
    return Dialog.result();
  });
  Form.BChange->click();
  EXPECT_EQ(Form.ENum->text(), "7.5");
  EXPECT_EQ(Ranged.GetPeriod(), 2);
}

// -------------------------------------------------------- custom function

TEST_F(FunctionEditorsTest, CustomFunctionEditorKeepsTheFormOpenOnAStepThatIsNoNumber) {
  auto* Formula = static_cast<TCustomKorFunction*>(
      CreateNewKorFunction(*Result, TKorFunctionClass::Of<TCustomKorFunction>()));
  Formula->OnCalculate = [](TCustomKorFunction*, double X, double& Y) { Y = X * X; };
  Formula->SetStartX(1);
  TCustomFunctionEditor Form;
  AddObjectFormTo(Form, Host, Formula);
  EXPECT_EQ(Form.EStart->text(), "1");
  EXPECT_EQ(Form.EStep->text(), "1");
  EXPECT_EQ(Form.ENum->text(), "100");

  Form.EStart->setText("5");
  Form.EStep->setText("half");
  EXPECT_FALSE(KorFormCloseQuery(Form));
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_EQ(Formula->GetStartX(), 1);  // nothing written
  EXPECT_EQ(Formula->GetPeriod(), 1);

  // A step the function refuses is reported the same way.
  Form.EStep->setText("-1");
  EXPECT_FALSE(KorFormCloseQuery(Form));
  EXPECT_EQ(Messages.Messages().size(), 2u);

  Form.EStep->setText("0.5");
  Form.ENum->setText("3");
  EXPECT_TRUE(KorFormCloseQuery(Form));
  EXPECT_EQ(Formula->GetStartX(), 5);
  EXPECT_EQ(Formula->GetPeriod(), 0.5);
  EXPECT_EQ(Formula->GetNumPoints(), 3);
  EXPECT_EQ(Values(Result->GetXValues()), (std::vector<double>{5, 5.5, 6}));
  EXPECT_EQ(Values(Result->GetYValues()), (std::vector<double>{25, 30.25, 36}));
}

// ------------------------------------------------------ data-source base

TEST_F(FunctionEditorsTest, SourceEditorListsOtherOwnersSeriesWithTheOwnersName) {
  TComponent Other(nullptr);
  Other.SetName("Form2");
  auto* Remote = new TLineSeries(&Other);
  Remote->SetTitle("Remote");
  Remote->SetParentChart(&Chart);
  TComponent Unnamed(nullptr);
  auto* Loose = new TLineSeries(&Unnamed);
  Loose->SetName("Loose1");
  Loose->SetParentChart(&Chart);
  Result->SetDataSource(Depth);

  TSeriesSourceEditor Form;
  AddObjectFormTo(Form, Host, Result);
  QComboBox& List = *Form.CBSources;
  for (TComponent* C : std::vector<TComponent*>{Speed, Speed, Result, Depth, Remote, Loose, &Other})
    Form.AddComponentDataSource(C, List, false);
  EXPECT_EQ(Items(List), (QStringList{"Speed", "Form2.Remote", "Loose1"}));
  Form.AddComponentDataSource(Depth, List, true);
  EXPECT_EQ(List.itemText(3), "Depth");
  Remote->SetParentChart(nullptr);
  Loose->SetParentChart(nullptr);
}

TEST_F(FunctionEditorsTest, ApplyChangesQuestionYesNoAndCancel) {
  TSeriesSourceEditor Form;
  AddObjectFormTo(Form, Host, Result);
  EXPECT_FALSE(Form.BApply->isEnabled());
  EXPECT_TRUE(KorFormCloseQuery(Form));  // nothing to apply: no question

  ModalScript Script;
  Form.BApply->setEnabled(true);
  Script.AnswerMessage(mrCancel);
  EXPECT_FALSE(KorFormCloseQuery(Form));
  EXPECT_TRUE(Form.BApply->isEnabled());
  EXPECT_EQ(Script.Asked().back(), "message: Apply Changes ?");

  Form.Refuse = true;
  Script.AnswerMessage(mrYes);
  EXPECT_FALSE(KorFormCloseQuery(Form));  // the apply failed: stay
  EXPECT_EQ(Messages.Messages().back(), "Not now");

  Form.Refuse = false;
  Script.AnswerMessage(mrYes);
  EXPECT_TRUE(KorFormCloseQuery(Form));
  EXPECT_EQ(Form.Applies, 2);
  EXPECT_FALSE(Form.BApply->isEnabled());

  Form.BApply->setEnabled(true);
  Script.AnswerMessage(mrNo);
  EXPECT_TRUE(KorFormCloseQuery(Form));
  EXPECT_EQ(Form.Applies, 2);
  EXPECT_FALSE(Form.BApply->isEnabled());
}

TEST_F(FunctionEditorsTest, ReplacingTheSourceFreesASeriesSourceTheSeriesOwned) {
  bool Freed = false;
  auto* Owned = new TTrackedSource(Result, Freed);
  Owned->SetSeries(Result);
  ASSERT_EQ(Result->GetDataSource(), Owned);
  TSeriesSourceEditor Form;
  AddObjectFormTo(Form, Host, Result);
  Form.CheckReplaceSource(Owned);
  EXPECT_FALSE(Freed);
  Form.CheckReplaceSource(Speed);
  EXPECT_TRUE(Freed);
  EXPECT_EQ(Result->GetDataSource(), Speed);
  EXPECT_EQ(Result->GetDataSources().Count(), 1);

  bool OtherFreed = false;
  TTrackedSource Free(nullptr, OtherFreed);
  Form.CheckReplaceSource(&Free);
  EXPECT_EQ(Free.GetSeries(), Result);
  EXPECT_EQ(Result->GetDataSource(), &Free);
  Form.CheckReplaceSource(nullptr);
  EXPECT_EQ(Result->GetDataSource(), nullptr);
  EXPECT_FALSE(OtherFreed);
}

// ---------------------------------------------------------- function page

TEST_F(FunctionEditorsTest, PageListsTheFunctionKindsSortedAfterNone) {
  auto Page = OpenPage(*Result);
  ASSERT_TRUE(Page);
  const QStringList Kinds = Items(*Page->CBSources);
  EXPECT_EQ(Kinds.first(), Korconst::KorMsg_FunctionNone);
  EXPECT_TRUE(Kinds.contains("Moving mean"));
  EXPECT_EQ(Kinds.count("Average"), 1);
  QStringList Rest = Kinds.mid(1);
  QStringList Sorted = Rest;
  std::sort(Sorted.begin(), Sorted.end(), [](const QString& A, const QString& B) {
    return QString::localeAwareCompare(A, B) < 0;
  });
  EXPECT_EQ(Rest, Sorted);
  EXPECT_EQ(Page->CBSources->currentIndex(), 0);
  // A series with neither function nor source can be applied at once.
  EXPECT_TRUE(Page->BApply->isEnabled());
  EXPECT_FALSE(TabShown(*Page, Page->TabOptions));
}

TEST_F(FunctionEditorsTest, NoSourceFunctionHidesTheSourceTabAndOpensOptions) {
  CreateNewKorFunction(*Result, TKorFunctionClass::Of<TCustomKorFunction>());
  auto Page = OpenPage(*Result);
  ASSERT_TRUE(Page);
  EXPECT_EQ(Page->CBSources->currentText(), "y = f(x)");
  EXPECT_FALSE(TabShown(*Page, Page->TabSource));
  EXPECT_TRUE(TabShown(*Page, Page->TabOptions));
  EXPECT_EQ(Page->PageControl1->currentWidget(), Page->TabOptions);
  EXPECT_NE(dynamic_cast<TCustomFunctionEditor*>(Page->GetOptionsForm()), nullptr);
  EXPECT_FALSE(Page->BApply->isEnabled());
}

TEST_F(FunctionEditorsTest, FunctionFromTwoSourcesThenOnePeriodChangedThenRemoved) {
  auto Page = OpenPage(*Result);
  ASSERT_TRUE(Page);
  ChooseFunction(*Page, "Add");
  ASSERT_NE(dynamic_cast<TAddKorFunction*>(Result->GetFunction()), nullptr);
  EXPECT_FALSE(Page->BApply->isEnabled());
  EXPECT_TRUE(TabShown(*Page, Page->TabOptions));
  EXPECT_FALSE(Page->PanSingle->isVisibleTo(Page.get()));
  TSelectListForm& Select = *Page->GetSelectList();
  EXPECT_TRUE(Select.isVisibleTo(Page.get()));
  EXPECT_EQ(Items(*Select.FromList), (QStringList{"Speed", "Depth"}));  // not itself
  Select.BRightAllClick();
  EXPECT_TRUE(Page->BApply->isEnabled());
  Page->BApply->click();
  EXPECT_FALSE(Page->BApply->isEnabled());
  ASSERT_EQ(Result->GetDataSources().Count(), 2);
  EXPECT_EQ(Values(Result->GetYValues()), (std::vector<double>{11, 22, 33, 44, 55}));

  // Back to one source, two points a period.
  Select.ToList->setCurrentRow(1);
  Select.ToList->item(1)->setSelected(true);
  Select.BLeftOneClick();
  auto* Options = dynamic_cast<TKorFunctionEditor*>(Page->GetOptionsForm());
  ASSERT_NE(Options, nullptr);
  Options->CBStyle->setCurrentIndex(TKorFunctionEditor::StyleNumPoints);
  Options->ENum->setText("2");
  Page->BApply->click();
  EXPECT_EQ(Result->GetFunction()->GetPeriod(), 2);
  EXPECT_EQ(Result->GetDataSource(), Speed);
  EXPECT_EQ(Result->GetDataSources().Count(), 1);
  EXPECT_EQ(Values(Result->GetYValues()), (std::vector<double>{3, 7}));

  // "None" applied: no function, the source stays and its points are copied.
  ChooseFunction(*Page, Korconst::KorMsg_FunctionNone);
  EXPECT_EQ(Page->GetOptionsForm(), nullptr);
  EXPECT_FALSE(TabShown(*Page, Page->TabOptions));
  EXPECT_NE(Result->GetFunction(), nullptr);  // only Apply removes it
  Page->BApply->click();
  EXPECT_EQ(Result->GetFunction(), nullptr);
  EXPECT_EQ(Result->GetDataSource(), Speed);
  EXPECT_EQ(Values(Result->GetYValues()), (std::vector<double>{1, 2, 3, 4, 5}));
}

TEST_F(FunctionEditorsTest, SeriesCannotBeItsOwnSourceNorUseOneThatUsesIt) {
  CreateNewKorFunction(*Result, TKorFunctionClass::Of<TAverageKorFunction>());
  Result->SetDataSource(Speed);
  CreateNewKorFunction(*Speed, TKorFunctionClass::Of<TAddKorFunction>());
  Speed->SetDataSource(Depth);
  auto Page = OpenPage(*Speed);
  ASSERT_TRUE(Page);
  TSelectListForm& Select = *Page->GetSelectList();
  EXPECT_EQ(Items(*Select.ToList), QStringList{"Depth"});
  EXPECT_FALSE(Items(*Select.FromList).contains("Speed"));
  ASSERT_TRUE(Items(*Select.FromList).contains("Result"));
  // Result in place of Depth: refused, and Depth stays the source.
  Select.BLeftAllClick();
  Select.FromList->findItems("Result", Qt::MatchExactly).first()->setSelected(true);
  Select.BRightOneClick();
  Page->BApply->click();
  ASSERT_FALSE(Messages.Messages().empty());
  EXPECT_EQ(Messages.Messages().back(), "Circular Series dependences are not allowed");
  EXPECT_EQ(Speed->GetDataSource(), Depth);
  EXPECT_EQ(Speed->GetDataSources().Count(), 1);
  EXPECT_TRUE(Page->BApply->isEnabled());
  EXPECT_EQ(Result->GetDataSource(), Speed);
}

TEST_F(FunctionEditorsTest, SingleSourceFunctionChoosesOneSeriesAndItsValueList) {
  auto Page = OpenPage(*Result);
  ASSERT_TRUE(Page);
  ChooseFunction(*Page, "Moving mean");
  EXPECT_TRUE(Page->PanSingle->isVisibleTo(Page.get()));
  EXPECT_FALSE(Page->GetSelectList()->isVisibleTo(Page.get()));
  EXPECT_EQ(Items(*Page->CBSingle), (QStringList{"Speed", "Depth"}));
  EXPECT_FALSE(Page->CBValues->isEnabled());
  EXPECT_FALSE(Page->BNone->isEnabled());
  Page->CBSingle->setCurrentIndex(1);
  EXPECT_EQ(Items(*Page->CBValues), QStringList{"Y"});
  EXPECT_TRUE(Page->BNone->isEnabled());
  Result->GetFunction()->SetPeriod(2);
  Page->BApply->click();
  EXPECT_EQ(Result->GetDataSource(), Depth);
  EXPECT_EQ(Result->GetMandatory().GetValueSource(), "Y");
  EXPECT_EQ(Values(Result->GetYValues()), (std::vector<double>{15, 25, 35, 45}));

  // Shown again, the page selects what the series uses.
  auto Again = OpenPage(*Result);
  EXPECT_EQ(Again->SelectedSourceSeries(), Depth);
  EXPECT_EQ(Again->CBValues->currentText(), "Y");
  EXPECT_FALSE(Again->BApply->isEnabled());
  EXPECT_EQ(Again->PageControl1->currentWidget(), Again->TabSource);
  EXPECT_TRUE(Again->Timer1->isActive());  // the options tab follows
  Again->Timer1Timer();
  EXPECT_EQ(Again->PageControl1->currentWidget(), Again->TabOptions);

  Again->BNone->click();
  EXPECT_EQ(Again->SelectedSourceSeries(), nullptr);
  EXPECT_TRUE(Again->BApply->isEnabled());
  Again->BApply->click();
  EXPECT_EQ(Result->GetDataSource(), nullptr);
  EXPECT_TRUE(Result->GetMandatory().GetValueSource().isEmpty());
  EXPECT_NE(Result->GetFunction(), nullptr);
}

TEST_F(FunctionEditorsTest, ChartSeriesEventsRefillTheLists) {
  auto Page = OpenPage(*Result);
  ASSERT_TRUE(Page);
  ChooseFunction(*Page, "Add");
  TLineSeries* Extra = NewSeries("Extra", "Series4", {7});
  EXPECT_EQ(Items(*Page->GetSelectList()->FromList), (QStringList{"Speed", "Depth", "Extra"}));
  delete Extra;
  EXPECT_EQ(Items(*Page->GetSelectList()->FromList), (QStringList{"Speed", "Depth"}));
  Page->BApply->setEnabled(true);
  Chart.RemoveSeries(Result);  // about the page's own series
  EXPECT_FALSE(Page->BApply->isEnabled());
}

TEST_F(FunctionEditorsTest, PageOutlivingItsChartAndSeriesIsSafe) {
  auto* Other = new TChart(nullptr);
  auto* Series = new TLineSeries(Other);
  Series->SetParentChart(Other);
  auto Page = OpenPage(*Series);
  ASSERT_TRUE(Page);
  delete Other;
  EXPECT_EQ(Page->GetSeries(), nullptr);
  Page->BApply->setEnabled(true);
  Page->BApply->click();
  Page.reset();
}

// Not a check: renders the page for a look (run with
// --gtest_also_run_disabled_tests).
TEST_F(FunctionEditorsTest, DISABLED_RenderPage) {
  CreateNewKorFunction(*Result, TKorFunctionClass::Of<TAverageKorFunction>());
  Result->GetDataSources().Add(Speed);
  Result->GetDataSources().Add(Depth);
  auto Page = OpenPage(*Result);
  Page->resize(440, 330);
  QDir().mkpath("/tmp/shots");
  Page->PageControl1->setCurrentWidget(Page->TabSource);
  Page->grab().save("/tmp/shots/TKorFuncEditor-source.png");
  Page->PageControl1->setCurrentWidget(Page->TabOptions);
  Page->grab().save("/tmp/shots/TKorFuncEditor-options.png");
  ChooseFunction(*Page, "Moving mean");
  Page->PageControl1->setCurrentWidget(Page->TabSource);
  Page->grab().save("/tmp/shots/TKorFuncEditor-single.png");
  ChooseFunction(*Page, "y = f(x)");
  Page->grab().save("/tmp/shots/TKorFuncEditor-custom.png");
}

}  // namespace
