#include "chart/editor/TFormKorSeries.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorSeriesSource.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksSymbol.h"
#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartGrid.h"
#include "chart/editor/TChartGridNavigator.h"
#include "chart/editor/TChartListBox.h"
#include "chart/editor/TCustomSeriesEditor.h"
#include "chart/editor/TFormKorShape.h"
#include "chart/editor/TKorFuncEditor.h"
#include "chart/editor/TSeriesPointerEditor.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/TLineSeries.h"

#include "platform/MessageBox.h"
#include "platform/TBitmap.h"
#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"
#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/ModalScript.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Messages;

void RecordMessage(const std::string& Text) {
  Messages.push_back(Text);
}

// Stands in for the editor forms other units provide: remembers the object
// it was shown for, may add a tab of its own through the series page, and
// refuses closing while Refuse is set.
class StandInForm : public QWidget {
 public:
  StandInForm(QWidget* Parent, const QString& Name, const QString& ExtraTab)
      : QWidget(Parent), FExtraTab(ExtraTab) {
    setObjectName(Name);
  }
  TPersistent* Object = nullptr;
  bool Refuse = false;

 protected:
  void showEvent(QShowEvent* Event) override {
    QWidget::showEvent(Event);
    Object = KorFormObject(*this);
    if (!FExtraTab.isEmpty() && !FInserted) {
      FInserted = true;
      InsertSeriesForm(*this, QStringLiteral("TStandInTab"), FExtraTab, Object);
    }
  }
  void closeEvent(QCloseEvent* Event) override { Event->setAccepted(!Refuse); }

 private:
  QString FExtraTab;
  bool FInserted = false;
};

void RegisterStandIn(const QString& Class, const QString& ExtraTab = QString()) {
  RegisterEditorForm(Class, [Class, ExtraTab](QWidget* Parent) {
    return new StandInForm(Parent, QStringLiteral("StandIn") + Class, ExtraTab);
  });
}

// The real forms of these types are registered by other units under the
// types' own names; the test series name stand-ins instead, so that no
// registration of those units is disturbed.
template <class Base>
class StandInSeries : public Base {
 public:
  StandInSeries(TComponent* AOwner, const QString& EditorClass)
      : Base(AOwner), FEditorClass(EditorClass) {}
  QString GetEditorClass() const override { return FEditorClass; }

 private:
  QString FEditorClass;
};

const QStringList StandIns = {"TStandInFastLineEditor", "TStandInLineEditor", "TStandInTab",
                              "TStandInFuncEditor"};

// Chart1 with an empty fast-line series Fast and a line series Line of
// three points; stand-in forms for both types (the line's adds a
// "Pointer" tab) and for the function editor; the page shown for Fast.
class TFormKorSeriesTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    Messages.clear();
    PreviousHook = SetMessageBoxHook(&RecordMessage);
    Fast->SetTitle("Fast");
    Line->SetTitle("Line");
    Chart.AddSeries(Fast);
    Chart.AddSeries(Line);
    for (double Y : {3.0, 5.0, 4.0}) Line->Add(Y);
    RegisterStandIn("TStandInFastLineEditor");
    RegisterStandIn("TStandInLineEditor", "Pointer");
    RegisterStandIn("TStandInTab");
    RegisterStandIn("TStandInFuncEditor");
  }
  void TearDown() override {
    for (const QString& Class : StandIns) UnRegisterEditorForm(Class);
    SetMessageBoxHook(PreviousHook);
    EditorFixture::TearDown();
  }

  TFormKorSeries& ShowPage(TChartSeries* Series) {
    Page = std::make_unique<TFormKorSeries>();
    Page->resize(440, 330);
    Page->SetSeries(Series);
    Page->show();
    // The function item names the function editor's class.
    Page->CBDataSourcestyle->setItemData(2, QStringLiteral("TStandInFuncEditor"));
    return *Page;
  }
  void Choose(TChartSeries* Series) {
    Page->CBSeries->setCurrentIndex(Page->CBSeries->findText(Series->GetTitle()));
  }
  StandInForm* FormatForm() const { return dynamic_cast<StandInForm*>(Page->GetFormatForm()); }
  QStringList TabCaptions() const {
    QStringList Captions;
    for (int I = 0; I < Page->PageSeries->count(); ++I)
      if (Page->PageSeries->isTabVisible(I)) Captions << Page->PageSeries->tabText(I);
    return Captions;
  }

  // The chart frees its series.
  TChartSeries* Fast = new StandInSeries<TFastLineSeries>(&Chart, "TStandInFastLineEditor");
  TChartSeries* Line = new StandInSeries<TLineSeries>(&Chart, "TStandInLineEditor");
  std::unique_ptr<TFormKorSeries> Page;
  MessageBoxHook PreviousHook = nullptr;
};

TEST_F(TFormKorSeriesTest, FormatTabDocksTheTypesFormAndAnotherSeriesReplacesIt) {
  ShowPage(Fast);
  ASSERT_NE(FormatForm(), nullptr);
  EXPECT_EQ(FormatForm()->objectName(), "StandInTStandInFastLineEditor");
  EXPECT_EQ(FormatForm()->Object, static_cast<TPersistent*>(Fast));
  EXPECT_TRUE(Page->LabelSeriesClass->text().startsWith("Fast: "));
  EXPECT_EQ(TabCaptions(), QStringList({"Format", "General", "Marks", "Data Source"}));

  Page->PageSeries->setCurrentWidget(Page->TabGeneral);
  Choose(Line);
  ASSERT_NE(FormatForm(), nullptr);
  EXPECT_EQ(FormatForm()->objectName(), "StandInTStandInLineEditor");
  EXPECT_EQ(FormatForm()->Object, static_cast<TPersistent*>(Line));
  EXPECT_EQ(Page->PageSeries->currentWidget(), Page->TabGeneral);
  // The line's form added its own tab, for the same series.
  EXPECT_EQ(TabCaptions(), QStringList({"Format", "General", "Marks", "Data Source", "Pointer"}));
  auto* Extra = dynamic_cast<StandInForm*>(
      Page->PageSeries->widget(4)->findChild<QWidget*>("StandInTStandInTab"));
  ASSERT_NE(Extra, nullptr);
  EXPECT_EQ(Extra->Object, static_cast<TPersistent*>(Line));

  // The extra tab goes with its series; the page falls back to "Format".
  Page->PageSeries->setCurrentIndex(4);
  Choose(Fast);
  EXPECT_EQ(TabCaptions(), QStringList({"Format", "General", "Marks", "Data Source"}));
  EXPECT_EQ(Page->PageSeries->currentWidget(), Page->TheTabSheet);
}

TEST_F(TFormKorSeriesTest, UnregisteredEditorClassLeavesFormatEmpty) {
  auto* Bars = new StandInSeries<TBarSeries>(&Chart, "TNoSuchSeriesEditor");
  Chart.AddSeries(Bars);
  ShowPage(Bars);
  EXPECT_TRUE(SeriesEditorForm(*Bars).isEmpty());
  EXPECT_EQ(Page->GetFormatForm(), nullptr);
  EXPECT_EQ(Page->PageSeries->currentWidget(), Page->TheTabSheet);
  EXPECT_TRUE(Page->PageSeries->isVisible());
  // Outside a series page the form goes into its owner; unknown classes
  // make nothing.
  QWidget Owner;
  EXPECT_EQ(InsertSeriesForm(Owner, "TNoSuchEditor", "X", Bars), nullptr);
  QWidget* Form = InsertSeriesForm(Owner, "TStandInTab", "Title", Bars);
  ASSERT_NE(Form, nullptr);
  EXPECT_EQ(Form->parentWidget(), &Owner);
  EXPECT_EQ(Form->windowTitle(), "Title");
  EXPECT_EQ(KorFormObject(*Form), static_cast<TPersistent*>(Bars));
}

TEST_F(TFormKorSeriesTest, GeneralTabShowsAndEditsTheSeries) {
  Line->SetDepth(-1);
  ShowPage(Line);
  Page->PageSeries->setCurrentWidget(Page->TabGeneral);
  EXPECT_TRUE(Page->CBDepthAuto->isChecked());
  EXPECT_EQ(Page->SEDepth->text(), "0");

  Page->CBDepthAuto->click();
  EXPECT_EQ(Line->GetDepth(), 0);
  Page->SEDepth->setText("12");
  EXPECT_EQ(Line->GetDepth(), 12);
  Page->CBDepthAuto->click();
  EXPECT_EQ(Line->GetDepth(), -1);

  Page->CBShowInLegend->click();
  EXPECT_FALSE(Line->GetShowInLegend());
  Page->CBHorizAxis->setCurrentIndex(Page->CBHorizAxis->findText("Top"));
  EXPECT_EQ(Line->GetHorizAxis(), aTopAxis);
  Page->CBVertAxis->setCurrentIndex(Page->CBVertAxis->findText("Left and Right"));
  EXPECT_EQ(Line->GetVertAxis(), aBothVertAxis);
  Page->CBXDateTime->click();
  EXPECT_TRUE(Line->GetXValues().GetDateTime());
  EXPECT_FALSE(Page->CBZDateTime->isVisibleTo(Page.get()));  // no Z values
  Page->CBSort->setCurrentIndex(Page->CBSort->findText("None"));
  EXPECT_EQ(Line->GetXValues().GetOrder(), loNone);
  Page->CBFormat->setCurrentText("0.0");
  EXPECT_EQ(Line->GetValueFormat(), "0.0");
}

TEST_F(TFormKorSeriesTest, MarksControlsReachTheMarksWithoutMakingTheirParts) {
  ShowPage(Line);
  Page->PageSeries->setCurrentWidget(Page->TabMarks);
  TSeriesMarks& Marks = Line->GetMarks();
  ASSERT_NE(Page->GetMarksShapeForm(), nullptr);
  EXPECT_EQ(Page->GetMarksShapeForm()->GetShape(), &Marks);
  // Looking made no callout and no symbol: both change what is stored.
  EXPECT_EQ(Marks.ExistingCallout(), nullptr);
  EXPECT_EQ(Marks.ExistingSymbol(), nullptr);
  EXPECT_EQ(Page->SEArrowLength->text(), QString::number(TMarksCallout::DefaultLength));

  const bool Visible = Marks.GetVisible();
  Page->CBMarksVisible->click();
  EXPECT_NE(Marks.GetVisible(), Visible);
  Page->SEMarksAngle->setText("45");
  EXPECT_EQ(Marks.GetAngle(), 45);
  Page->SEDrawEvery->setText("3");
  EXPECT_EQ(Marks.GetDrawEvery(), 3);
  Page->CBMarksClip->click();
  EXPECT_TRUE(Marks.GetClip());
  Page->RGMarksStyle->Choose(smsLabelValue);
  EXPECT_EQ(Marks.GetStyle(), smsLabelValue);
  EXPECT_TRUE(Page->CBMultiLine->isEnabled());
  Page->CBMultiLine->click();
  EXPECT_TRUE(Marks.GetMultiLine());
  Page->RGMarksStyle->Choose(smsValue);
  EXPECT_FALSE(Page->CBMultiLine->isEnabled());

  Page->CBArrowHead->setCurrentIndex(ahSolid);
  ASSERT_NE(Marks.ExistingCallout(), nullptr);
  EXPECT_EQ(Marks.ExistingCallout()->GetArrowHead(), ahSolid);
  Page->SEArrowLength->setText("20");
  EXPECT_EQ(Marks.GetArrowLength(), 20);
  Page->SEArrowDistance->setText("-4");
  EXPECT_EQ(Marks.ExistingCallout()->GetDistance(), -4);

  Fast->GetMarks().SetVisible(false);
  Page->CBAllVisible->setChecked(false);
  Page->CBAllVisible->click();
  EXPECT_TRUE(Fast->GetMarks().GetVisible() && Marks.GetVisible());

  {
    ModalScript Script;
    Script.AnswerForm([](QDialog& Dialog) {
      EXPECT_EQ(Dialog.windowTitle(), "Pointer");
      return static_cast<int>(mrOk);
    });
    Page->BPointer->click();
  }

  Page->CBSymbolVisible->click();
  ASSERT_NE(Marks.ExistingSymbol(), nullptr);
  EXPECT_TRUE(Marks.ExistingSymbol()->GetVisible());
  EXPECT_EQ(Page->GetSymbolShapeForm()->GetShape(), Marks.ExistingSymbol());
}

TEST_F(TFormKorSeriesTest, TheHeaderShowsThePictureOfTheSeriesType) {
  RegisterSeriesTypes();
  auto* Bars = new TBarSeries(&Chart);
  Chart.AddSeries(Bars);
  ShowPage(Bars);
  TBitmap Picture;
  KorGetBitmapEditor(QStringLiteral("TBarSeries"), QString(), Picture);
  ASSERT_FALSE(Picture.GetEmpty());
  const QPixmap Shown = Page->ImageSeries->pixmap();
  ASSERT_FALSE(Shown.isNull());
  EXPECT_EQ(Shown.toImage().convertToFormat(QImage::Format_ARGB32),
            Picture.ShownImage().convertToFormat(QImage::Format_ARGB32));
  // Where the picture leaves its cell empty, the header shows through.
  EXPECT_EQ(qAlpha(Shown.toImage().pixel(0, 0)), 0);
  UnRegisterSeriesTypes();
}

TEST_F(TFormKorSeriesTest, DataSourceShowsManualForAnEmptySeriesAndRandomForSamples) {
  ShowPage(Fast);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  EXPECT_EQ(Page->CBDataSourcestyle->currentText(), "Manual");
  ASSERT_NE(Page->GetGrid(), nullptr);
  EXPECT_EQ(Page->GetGrid()->GetSeries(), Fast);
  EXPECT_EQ(Page->GetNavigator()->GetGrid(), Page->GetGrid());
  EXPECT_EQ(Page->CBDataSourcestyle->maxVisibleItems(), 12);
  EXPECT_EQ(Page->CBDataSourcestyle->count(), 3);

  Choose(Line);  // points typed by nobody: random samples
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  EXPECT_EQ(Page->CBDataSourcestyle->currentText(), "Random");
  EXPECT_EQ(Page->GetGrid(), nullptr);
  EXPECT_TRUE(Page->PanelRandom->isVisible());
  const int Default = Line->NumSampleValues();
  EXPECT_EQ(Page->ESamples->text(), QString::number(Default));
  EXPECT_TRUE(Page->CBDefault->isChecked());
  EXPECT_FALSE(Page->CBDefault->isEnabled());

  Page->ESamples->setText("10");
  EXPECT_EQ(Line->GetDefaultSampleCount(), 10);
  EXPECT_FALSE(Page->CBDefault->isChecked());
  EXPECT_TRUE(Page->CBDefault->isEnabled());
  EXPECT_TRUE(Page->BApplyRandom->isEnabled());
  Page->BApplyRandom->click();
  EXPECT_EQ(Line->Count(), 10);

  Page->ESamples->setText(QString::number(Default));
  EXPECT_TRUE(Page->CBDefault->isChecked());
  EXPECT_FALSE(Page->CBDefault->isEnabled());
  Page->ESamples->setText("lots");
  EXPECT_EQ(Line->GetDefaultSampleCount(), 0);
  Page->BClear->click();
  EXPECT_EQ(Line->Count(), 0);
}

// Two data-source classes a program could register: one for every chart,
// one for no chart.
class TTestFileSource : public TKorSeriesSource {
 public:
  using TKorSeriesSource::TKorSeriesSource;
  QString ClassName() const override { return QStringLiteral("TTestFileSource"); }
  QString Description() const override { return QStringLiteral("Test file"); }
  QString Editor() const override { return QStringLiteral("TStandInTab"); }
};

class TNowhereSource : public TKorSeriesSource {
 public:
  using TKorSeriesSource::TKorSeriesSource;
  QString ClassName() const override { return QStringLiteral("TNowhereSource"); }
  QString Description() const override { return QStringLiteral("Nowhere"); }
  bool Available(const TCustomAxisPanel*) const override { return false; }
};

TEST_F(TFormKorSeriesTest, RegisteredDataSourcesAreOfferedAndClaimTheirSeries) {
  const TKorSeriesSourceClass File = TKorSeriesSourceClass::Of<TTestFileSource>();
  const TKorSeriesSourceClass Nowhere = TKorSeriesSourceClass::Of<TNowhereSource>();
  RegisterKorSeriesSource(Nowhere);
  RegisterKorSeriesSource(File);
  auto* Source = new TTestFileSource(&Chart);
  Source->SetSeries(Line);
  ShowPage(Line);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  // Only the source that can feed this chart is offered, after the three.
  ASSERT_EQ(Page->CBDataSourcestyle->count(), 4);
  EXPECT_EQ(Page->CBDataSourcestyle->itemText(3), "Test file");
  EXPECT_EQ(Page->CBDataSourcestyle->currentText(), "Test file");
  auto* Form = dynamic_cast<StandInForm*>(Page->GetSourceForm());
  ASSERT_NE(Form, nullptr);
  EXPECT_EQ(Form->objectName(), "StandInTStandInTab");
  // A series of its own data does not claim the source.
  Choose(Fast);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  EXPECT_EQ(Page->CBDataSourcestyle->currentText(), "Manual");
  EXPECT_EQ(Page->CBDataSourcestyle->count(), 4);
  Page.reset();
  UnRegisterKorSeriesSource(File);
  UnRegisterKorSeriesSource(Nowhere);
}

TEST_F(TFormKorSeriesTest, ARefusedEditShowsItsMessageAndTheSeriesAgain) {
  ShowPage(Line);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  Page->ESamples->setText("-3");
  Page->BApplyRandom->click();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(QString::fromStdString(Messages[0]), Korconst::KorMsg_FillSample);
  EXPECT_EQ(Line->Count(), 3);  // untouched
  EXPECT_EQ(Page->CBDataSourcestyle->currentText(), "Random");
  EXPECT_EQ(Page->ESamples->text(), "-3");
}

TEST_F(TFormKorSeriesTest, FunctionSourceEditorIsDockedAndMayKeepTheUserOnTheTab) {
  ShowPage(Line);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  Page->CBDataSourcestyle->setCurrentIndex(Page->CBDataSourcestyle->findText("Function"));
  auto* Source = dynamic_cast<StandInForm*>(Page->GetSourceForm());
  ASSERT_NE(Source, nullptr);
  EXPECT_EQ(Source->objectName(), "StandInTStandInFuncEditor");
  EXPECT_EQ(Source->Object, static_cast<TPersistent*>(Line));
  EXPECT_TRUE(Page->Timer1->isActive());
  EXPECT_FALSE(Page->BNew->isVisible());

  Source->Refuse = true;
  Page->PageSeries->setCurrentWidget(Page->TabGeneral);
  EXPECT_EQ(Page->PageSeries->currentWidget(), Page->TabDataSource);
  Page->CBDataSourcestyle->setCurrentIndex(0);
  EXPECT_EQ(Page->CBDataSourcestyle->currentText(), "Function");
  EXPECT_EQ(Page->GetSourceForm(), Source);
  EXPECT_FALSE(KorFormCloseQuery(*Page));

  Source->Refuse = false;
  EXPECT_TRUE(KorFormCloseQuery(*Page));
  Page->PageSeries->setCurrentWidget(Page->TabGeneral);
  EXPECT_EQ(Page->PageSeries->currentWidget(), Page->TabGeneral);
}

TEST_F(TFormKorSeriesTest, ASeriesRemovedOrFreedWhileShownLeavesNothingBehind) {
  ShowPage(Line);
  Page->PageSeries->setCurrentWidget(Page->TabMarks);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  Chart.RemoveSeries(Line);
  EXPECT_EQ(Page->GetSeries(), nullptr);
  EXPECT_FALSE(Page->PageSeries->isVisible());
  EXPECT_FALSE(Page->PanelTop->isVisible());
  EXPECT_EQ(Page->GetFormatForm(), nullptr);
  EXPECT_EQ(Page->PageSeries->count(), 4);  // the extra "Pointer" tab went too
  EXPECT_EQ(Page->GetMarksShapeForm(), nullptr);
  EXPECT_EQ(Page->CBSeries->count(), 1);
  EXPECT_EQ(Page->CBSeries->currentIndex(), -1);
  delete Line;

  // Freed outright: its chart tells the page as it lets go of it.
  Choose(Fast);
  ASSERT_EQ(Page->GetSeries(), Fast);
  Page->PageSeries->setCurrentWidget(Page->TabMarks);
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  delete Fast;
  EXPECT_EQ(Page->GetSeries(), nullptr);
  EXPECT_EQ(Page->GetGrid(), nullptr);
  EXPECT_EQ(Page->CBSeries->count(), 0);
  Page->PageSeries->setCurrentWidget(Page->TabGeneral);  // nothing to refresh
}

TEST_F(TFormKorSeriesTest, TheEditorDialogOpensThePageOnTheChosenSeriesAndTab) {
  RegisterSeriesEditorPage();
  TChartEditor Editor{nullptr};
  Editor.SetChart(&Chart);
  Editor.SetSeries(Line);
  Editor.SetDefaultTab(cetSeriesMarks);
  ModalScript Script;
  Script.AnswerForm([this](QDialog& Dialog) {
    auto* P =
        dynamic_cast<TFormKorSeries*>(Dialog.findChild<QWidget*>(QStringLiteral("FormKorSeries")));
    EXPECT_TRUE(P != nullptr && P->isVisible());
    if (P == nullptr) return static_cast<int>(mrOk);
    EXPECT_EQ(P->GetSeries(), Line);
    EXPECT_EQ(P->CBSeries->currentText(), "Line");
    EXPECT_EQ(P->PageSeries->currentWidget(), P->TabMarks);
    return static_cast<int>(mrOk);
  });
  Editor.Execute();
}

TEST_F(TFormKorSeriesTest, TheDialogOpensDataSourceOnlyWithItsOptionAndWaitsForTheSource) {
  RegisterSeriesEditorPage();
  TChartEditForm Form;
  Form.SetRememberPosition(false);
  Form.SetRememberSize(false);
  Form.SetChart(&Chart);
  Form.SetOptions(DefaultChartEditorOptions & ~EditorOption(ceDataSource));
  Form.SetEditSeries(Fast);
  Form.SetSeriesTab(TEditorSeriesTab::estDataSource);
  Form.show();
  auto* P = dynamic_cast<TFormKorSeries*>(Form.PageEditor(Form.TabSeries));
  ASSERT_NE(P, nullptr);
  EXPECT_FALSE(P->PageSeries->isTabVisible(P->PageSeries->indexOf(P->TabDataSource)));
  EXPECT_EQ(P->PageSeries->currentWidget(), P->TheTabSheet);
  // Coming back after choosing another series in the list shows that one.
  Form.MainPage->setCurrentWidget(Form.TabChart);
  Form.LBSeries->SetSelectedSeries(Line);
  Form.MainPage->setCurrentWidget(Form.TabSeries);
  EXPECT_EQ(Form.PageEditor(Form.TabSeries), P);
  EXPECT_EQ(P->GetSeries(), Line);

  Form.SetOptions(DefaultChartEditorOptions);
  Form.SetEditSeries(Line);
  Form.OpenPage(Form.TabSeries);
  P = dynamic_cast<TFormKorSeries*>(Form.PageEditor(Form.TabSeries));
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->GetSeries(), Line);
  EXPECT_EQ(P->PageSeries->currentWidget(), P->TabDataSource);
  P->CBDataSourcestyle->setItemData(2, QStringLiteral("TStandInFuncEditor"));
  P->CBDataSourcestyle->setCurrentIndex(P->CBDataSourcestyle->findText("Function"));
  auto* Source = dynamic_cast<StandInForm*>(P->GetSourceForm());
  ASSERT_NE(Source, nullptr);
  Source->Refuse = true;
  Form.MainPage->setCurrentWidget(Form.TabChart);
  EXPECT_EQ(Form.MainPage->currentWidget(), Form.TabSeries);
  Form.BCloseClick();
  EXPECT_TRUE(Form.isVisible());
  Source->Refuse = false;
  Form.BCloseClick();
  EXPECT_FALSE(Form.isVisible());
}

// Not a check: pictures of the page for a person to look at.
TEST_F(TFormKorSeriesTest, RendersThePage) {
  ShowPage(Line);
  QDir().mkpath("/tmp/shots");
  for (QWidget* Tab : {Page->TabGeneral, Page->TabMarks, Page->TabDataSource}) {
    Page->PageSeries->setCurrentWidget(Tab);
    Page->grab().save("/tmp/shots/TFormKorSeries-" + Tab->objectName() + ".png");
  }
  Page->PageSeries->setCurrentWidget(Page->TabMarks);
  Page->PageControlMarks->setCurrentWidget(Page->TabMarksArrows);
  Page->grab().save("/tmp/shots/TFormKorSeries-TabMarksArrows.png");
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  Page->CBDataSourcestyle->setCurrentIndex(0);
  Page->grab().save("/tmp/shots/TFormKorSeries-Manual.png");

  // With the program's own forms for a plain line series.
  RegisterCustomSeriesEditor();
  RegisterSeriesPointerEditor();
  RegisterFunctionEditors();
  auto* Real = new TLineSeries(&Chart);
  Real->SetTitle("Real");
  Chart.AddSeries(Real);
  Real->FillSampleValues(8);
  Page->SetSeries(Real);
  Page->PageSeries->setCurrentWidget(Page->TheTabSheet);
  Page->grab().save("/tmp/shots/TFormKorSeries-TheTabSheet.png");
  Page->PageSeries->setCurrentWidget(Page->TabDataSource);
  Page->CBDataSourcestyle->setItemData(2, QStringLiteral("TKorFuncEditor"));
  Page->CBDataSourcestyle->setCurrentIndex(2);
  Page->grab().save("/tmp/shots/TFormKorSeries-Function.png");
  SUCCEED();
}

}  // namespace
