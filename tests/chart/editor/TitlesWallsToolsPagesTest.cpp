#include "chart/editor/KorEditorForms.h"
#include "chart/editor/TFormKorTitle.h"
#include "chart/editor/TFormKorTools.h"
#include "chart/editor/TFormKorWall.h"

#include "chart/core/KorException.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartRightWall.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TChartWall.h"
#include "chart/core/TChartWalls.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorToolTypes.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TFormKorShape.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TKorToolsGallery.h"
#include "chart/editor/TPenDialog.h"
#include "chart/tools/TDragPointTool.h"
#include "chart/tools/TSelectorTool.h"

#include "platform/MessageBox.h"
#include "platform/TEditUpDown.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QCloseEvent>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

#include <string>
#include <vector>

namespace {

// Counts the chart's repaint requests; can refuse them, so that every
// setter that repaints throws.
class TCountingChart : public TChart {
 public:
  using TChart::TChart;
  void Invalidate() override {
    ++Repaints;
    if (FailRepaint) throw ChartException(QStringLiteral("Cannot repaint"));
    TChart::Invalidate();
  }
  int Repaints = 0;
  bool FailRepaint = false;
};

// A tool without an editor form whose Active refuses to be switched off.
class TStubbornTool : public TKorCustomTool {
 public:
  explicit TStubbornTool(TComponent* AOwner) : TKorCustomTool(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TStubbornTool"); }
  QString Description() const override { return QStringLiteral("Stubborn"); }
  void SetActive(bool Value) override {
    if (!Value) throw ChartException(QStringLiteral("Stays active"));
    TKorCustomTool::SetActive(Value);
  }
};

// A tool editor form that may refuse to close.
class TRefusingForm : public QWidget {
 public:
  explicit TRefusingForm(QWidget* Parent) : QWidget(Parent) {}
  bool Refuse = true;

 protected:
  void closeEvent(QCloseEvent* Event) override {
    if (Refuse)
      Event->ignore();
    else
      Event->accept();
  }
};

std::vector<std::string> Messages;
void CaptureMessage(const std::string& Text) {
  Messages.push_back(Text);
}

class TitlesWallsToolsPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Messages.clear();
    OldHook = SetMessageBoxHook(&CaptureMessage);
    for (int I = 0; I < KorToolTypes().Count(); ++I) SavedTools.push_back(KorToolTypes().Get(I));
    KorToolTypes().Clear();
    KorToolTypes().Add(TKorToolClass::Of<TSelectorTool>());
    KorToolTypes().Add(TKorToolClass::Of<TDragPointTool>());
    RegisterToolEditorForms();
  }
  void TearDown() override {
    SetMessageBoxHook(OldHook);
    KorToolTypes().Clear();
    for (const TKorToolClass& Tool : SavedTools) KorToolTypes().Add(Tool);
  }

  // Runs Edit and expects it to repaint the chart.
  template <class F>
  void ExpectRepaint(const char* What, F&& Edit) {
    const int Before = Chart.Repaints;
    Edit();
    EXPECT_GT(Chart.Repaints, Before) << What;
  }

  template <class T>
  T* AddTool() {
    auto* Tool = new T(&Chart);
    Tool->SetParentChart(&Chart);
    return Tool;
  }

  TCountingChart Chart{nullptr};
  ModalScript Script;

 private:
  MessageBoxHook OldHook = nullptr;
  std::vector<TKorToolClass> SavedTools;
};

TEST_F(TitlesWallsToolsPagesTest, TitleControlsEditTheChosenTitleAndRepaint) {
  Chart.GetSubFoot().SetText({"old"});
  TFormKorTitle Page(nullptr, &Chart, &Chart.GetSubFoot());
  Page.FormShow();
  EXPECT_EQ(Page.CBTitles->currentText(), "SubFoot");
  EXPECT_EQ(Page.MText->toPlainText(), "old");
  EXPECT_EQ(Page.ShapeForm->GetShape(), &Chart.GetSubFoot());
  EXPECT_EQ(Page.PageControl1->currentWidget(), Page.TabStyle);

  Page.CBTitles->setCurrentIndex(1);
  TChartTitle& Sub = Chart.GetSubTitle();
  EXPECT_EQ(Page.GetTitle(), &Sub);
  EXPECT_EQ(Page.ShapeForm->GetShape(), &Sub);
  ExpectRepaint("visible", [&] { Page.CBVisible->setChecked(!Sub.GetVisible()); });
  EXPECT_EQ(Sub.GetVisible(), Page.CBVisible->isChecked());
  ExpectRepaint("adjust", [&] { Page.CBAdjustFrame->setChecked(!Sub.GetAdjustFrame()); });
  EXPECT_EQ(Sub.GetAdjustFrame(), Page.CBAdjustFrame->isChecked());
  const TAlignment Expected[] = {taLeftJustify, taCenter, taRightJustify};
  for (int I : {0, 2, 1}) {
    Page.CBAlignment->setCurrentIndex(I);
    EXPECT_EQ(Sub.GetAlignment(), Expected[I]);
  }
  ExpectRepaint("text", [&] { Page.MText->setPlainText("one\ntwo"); });
  EXPECT_EQ(Sub.GetText(), QStringList({"one", "two"}));
  Page.MText->setPlainText(QString());
  EXPECT_TRUE(Sub.GetText().isEmpty());
}

TEST_F(TitlesWallsToolsPagesTest, TitlePositionIsWrittenOnlyWhileCustom) {
  TFormKorTitle Page(nullptr, &Chart, nullptr);
  Page.FormShow();
  TChartTitle& Title = Chart.GetTitle();
  EXPECT_EQ(Page.CBTitles->currentText(), "Title");
  ASSERT_FALSE(Title.GetCustomPosition());
  EXPECT_FALSE(Page.ECustLeft->isEnabled());
  const int Left = Title.GetLeft();
  const int Repaints = Chart.Repaints;
  Page.ECustLeft->setText("77");
  Page.ECustTop->setText("55");
  EXPECT_EQ(Title.GetLeft(), Left);
  EXPECT_FALSE(Title.GetCustomPosition());
  EXPECT_EQ(Chart.Repaints, Repaints);

  Page.CBCustPos->setChecked(true);
  EXPECT_TRUE(Title.GetCustomPosition());
  EXPECT_TRUE(Page.ECustLeft->isEnabled());
  EXPECT_EQ(Page.ECustLeft->GetPosition(), Title.GetLeft());
  ExpectRepaint("left", [&] { Page.ECustLeft->setText("40"); });
  Page.ECustTop->setText("30");
  EXPECT_EQ(Title.GetLeft(), 40);
  EXPECT_EQ(Title.GetTop(), 30);
}

TEST_F(TitlesWallsToolsPagesTest, WallControlsEditTheChosenWallAndRepaint) {
  TFormKorWall Page(nullptr, &Chart, &Chart.GetRightWall());
  Page.FormShow();
  EXPECT_EQ(Page.TabControl1->currentIndex(), 1);
  Page.TabControl1->setCurrentIndex(3);
  TCustomChartWall& Back = Chart.GetBackWall();
  EXPECT_EQ(Page.GetWall(), &Back);
  ExpectRepaint("3D walls", [&] { Page.CBView3DWalls->setChecked(!Chart.GetView3DWalls()); });
  EXPECT_EQ(Chart.GetView3DWalls(), Page.CBView3DWalls->isChecked());
  ExpectRepaint("visible", [&] { Page.CBVisible->setChecked(!Back.GetVisible()); });
  EXPECT_EQ(Back.GetVisible(), Page.CBVisible->isChecked());
  ExpectRepaint("transparent", [&] { Page.CBTransparent->setChecked(!Back.GetTransparent()); });
  EXPECT_EQ(Back.GetTransparent(), Page.CBTransparent->isChecked());
  ExpectRepaint("auto hide", [&] { Page.CBAutoHide->setChecked(!Back.GetAutoHide()); });
  EXPECT_EQ(Back.GetAutoHide(), Page.CBAutoHide->isChecked());
  ExpectRepaint("size", [&] { Page.ESize->setText("12"); });
  EXPECT_EQ(Back.GetSize(), 12);
  ExpectRepaint("dark", [&] { Page.CBDark3D->setChecked(!Back.GetDark3D()); });
  EXPECT_EQ(Back.GetDark3D(), Page.CBDark3D->isChecked());
  ExpectRepaint("transparency", [&] { Page.ETransparency->setText("40"); });
  EXPECT_EQ(Back.GetTransparency(), 40);
  Page.EAllSize->setText("7");
  for (TCustomChartWall* W : std::initializer_list<TCustomChartWall*>{
           &Chart.GetLeftWall(), &Chart.GetRightWall(), &Chart.GetBottomWall(), &Back})
    EXPECT_EQ(W->GetSize(), 7);
  EXPECT_EQ(Page.ESize->GetPosition(), 7);

  EXPECT_EQ(Page.BBorder->GetPen(), &Back.GetPen());
  EXPECT_EQ(Page.BGradient->GetGradient(), Back.GetGradient());
  EXPECT_EQ(Page.BColor->GetLinkedObject(), &Back);
  Script.AnswerColor(true, clRed);
  ExpectRepaint("colour", [&] { Page.BColor->click(); });
  EXPECT_EQ(Back.GetColor(), clRed);
  Script.AnswerForm([](QDialog& D) {
    auto& Dialog = dynamic_cast<TBrushDialog&>(D);
    Dialog.GetBrush()->SetColor(clBlue);
    return mrOk;
  });
  Page.BPattern->click();
  EXPECT_EQ(Back.GetBrush().GetColor(), clBlue);
}

TEST_F(TitlesWallsToolsPagesTest, FailingSettersAreReportedAndTheControlsShowTheObject) {
  TFormKorWall Walls(nullptr, &Chart, &Chart.GetLeftWall());
  Walls.FormShow();
  TFormKorTitle Titles(nullptr, &Chart, nullptr);
  Titles.FormShow();
  Chart.FailRepaint = true;
  Walls.ESize->setText("9");
  Walls.CBVisible->setChecked(!Walls.CBVisible->isChecked());
  Titles.CBAlignment->setCurrentIndex(0);
  Chart.FailRepaint = false;
  EXPECT_EQ(Messages.size(), 3u);
  EXPECT_EQ(Walls.ESize->GetPosition(), Chart.GetLeftWall().GetSize());
  EXPECT_EQ(Walls.CBVisible->isChecked(), Chart.GetLeftWall().GetVisible());
  const int Shown = Titles.CBAlignment->currentIndex();
  EXPECT_EQ(Shown == 0, Chart.GetTitle().GetAlignment() == taLeftJustify);
}

TEST_F(TitlesWallsToolsPagesTest, VisibleGradientMakesTheWallOpaque) {
  TFormKorWall Page(nullptr, &Chart, &Chart.GetLeftWall());
  Page.FormShow();
  Page.CBTransparent->setChecked(true);
  ASSERT_TRUE(Chart.GetLeftWall().GetTransparent());
  Script.AnswerForm([](QDialog& D) {
    dynamic_cast<TKorGradientEditor&>(D).GetGradient()->SetVisible(true);
    return mrOk;
  });
  Page.BGradient->click();
  EXPECT_TRUE(Chart.GetLeftWall().GetGradient()->GetVisible());
  EXPECT_FALSE(Chart.GetLeftWall().GetTransparent());
  EXPECT_FALSE(Page.CBTransparent->isChecked());
}

TEST_F(TitlesWallsToolsPagesTest, BottomWallHasNoAutoHideAndSizeZeroCannotBeDark) {
  TFormKorWall Page(nullptr, &Chart, &Chart.GetBottomWall());
  Page.show();
  EXPECT_EQ(Page.TabControl1->currentIndex(), 2);
  EXPECT_FALSE(Page.CBAutoHide->isVisible());
  Page.TabControl1->setCurrentIndex(0);
  EXPECT_TRUE(Page.CBAutoHide->isVisible());
  Page.ESize->setText("0");
  EXPECT_EQ(Chart.GetLeftWall().GetSize(), 0);
  EXPECT_FALSE(Page.CBDark3D->isEnabled());
  Page.ESize->setText("5");
  EXPECT_TRUE(Page.CBDark3D->isEnabled());
}

TEST_F(TitlesWallsToolsPagesTest, ToolsAreListedWithTheirEditorFormsAndFlags) {
  auto* Selector = AddTool<TSelectorTool>();
  auto* Stubborn = AddTool<TStubbornTool>();
  auto* Hidden = AddTool<TDragPointTool>();
  Hidden->SetShowInEditor(false);
  TFormKorTools Page(nullptr, &Chart);
  Page.FormShow();
  ASSERT_EQ(Page.LBTools->count(), 2);
  EXPECT_EQ(Page.LBTools->item(0)->text(), Selector->Description());
  EXPECT_EQ(Page.SelectedTool(), Selector);
  EXPECT_FALSE(Page.PanelBottom->isVisibleTo(&Page));
  EXPECT_FALSE(Page.BMoveUp->isEnabled());
  EXPECT_TRUE(Page.BMoveDown->isEnabled());
  ASSERT_NE(Page.GetEditorForm(), nullptr);
  EXPECT_EQ(Page.GetEditorForm()->objectName(), "SelectorToolEditor");
  EXPECT_EQ(Page.GetEditorForm()->parentWidget(), Page.PanelEditor);

  ExpectRepaint("active", [&] { Page.CBActive->setChecked(false); });
  EXPECT_FALSE(Selector->GetActive());

  Page.LBTools->setCurrentRow(1);
  EXPECT_EQ(Page.GetEditorForm(), nullptr);  // a tool without a form shows none
  EXPECT_TRUE(Page.CBActive->isChecked());
  // The refused switch is reported and the box shows the tool again.
  Page.CBActive->setChecked(false);
  EXPECT_TRUE(Stubborn->GetActive());
  EXPECT_TRUE(Page.CBActive->isChecked());
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "Stays active");
}

TEST_F(TitlesWallsToolsPagesTest, AnEditorFormThatRefusesToCloseKeepsItsTool) {
  auto* Selector = AddTool<TSelectorTool>();
  AddTool<TDragPointTool>();
  RegisterEditorForm(QStringLiteral("TSelectorToolEditor"),
                     [](QWidget* Parent) -> QWidget* { return new TRefusingForm(Parent); });
  TFormKorTools Page(nullptr, &Chart);
  Page.FormShow();
  auto* Form = static_cast<TRefusingForm*>(Page.GetEditorForm());
  ASSERT_NE(Form, nullptr);
  Page.LBTools->setCurrentRow(1);
  EXPECT_EQ(Page.SelectedTool(), Selector);
  EXPECT_EQ(Page.LBTools->currentRow(), 0);
  EXPECT_EQ(Page.GetEditorForm(), Form);
  Form->Refuse = false;
  Page.LBTools->setCurrentRow(1);
  EXPECT_NE(Page.SelectedTool(), Selector);
  EXPECT_NE(Page.GetEditorForm(), Form);
}

TEST_F(TitlesWallsToolsPagesTest, AddingFromTheGallerySelectsTheNewNamedTool) {
  AddTool<TSelectorTool>();
  TFormKorTools Page(nullptr, &Chart);
  Page.FormShow();
  TKorCustomTool* Added = nullptr;
  Page.OnAdded = [&](TKorCustomTool* T) { Added = T; };
  Script.AnswerForm([](QDialog& D) {
    auto& Gallery = dynamic_cast<TKorToolsGallery&>(D);
    Gallery.TabControl1->setCurrentIndex(TKorToolsGallery::tkSeries);
    Gallery.LBTool->setCurrentRow(0);
    return mrOk;
  });
  Page.BAdd->click();
  ASSERT_NE(Added, nullptr);
  EXPECT_EQ(Chart.GetTools().Count(), 2);
  EXPECT_EQ(Chart.GetTools()[1], Added);
  EXPECT_EQ(Added->GetOwner(), &Chart);  // the chart already owned its tools
  EXPECT_EQ(Added->GetName(), "ChartTool1");
  EXPECT_EQ(Page.LBTools->currentRow(), 1);
  EXPECT_EQ(Page.SelectedTool(), Added);
}

TEST_F(TitlesWallsToolsPagesTest, DeletingTheFirstOfThreeSelectsTheLastRemaining) {
  auto* First = AddTool<TSelectorTool>();
  First->SetName("First");
  AddTool<TDragPointTool>();
  auto* Last = AddTool<TSelectorTool>();
  TFormKorTools Page(nullptr, &Chart);
  Page.FormShow();
  TKorCustomTool* Deleting = nullptr;
  Page.OnDeleting = [&](TKorCustomTool* T) { Deleting = T; };
  Script.AnswerMessage(mrNo);
  Page.BDelete->click();
  EXPECT_EQ(Chart.GetTools().Count(), 3);
  Script.AnswerMessage(mrYes);
  Page.BDelete->click();
  EXPECT_EQ(Deleting, First);
  ASSERT_EQ(Chart.GetTools().Count(), 2);
  EXPECT_EQ(Page.SelectedTool(), Last);
  EXPECT_EQ(Page.LBTools->currentRow(), 1);
  ASSERT_GE(Script.Asked().size(), 2u);
  EXPECT_TRUE(Script.Asked().back().contains("First")) << Script.Asked().back().toStdString();
}

TEST_F(TitlesWallsToolsPagesTest, MovingExchangesTheToolsInTheChartAndRepaints) {
  auto* A = AddTool<TSelectorTool>();
  auto* B = AddTool<TDragPointTool>();
  auto* C = AddTool<TSelectorTool>();
  TFormKorTools Page(nullptr, &Chart);
  Page.FormShow();
  ExpectRepaint("down", [&] { Page.BMoveDown->click(); });
  EXPECT_EQ(Chart.GetTools()[0], B);
  EXPECT_EQ(Chart.GetTools()[1], A);
  EXPECT_EQ(Chart.GetTools()[2], C);
  EXPECT_EQ(Page.SelectedTool(), A);
  EXPECT_EQ(A->GetParentChart(), &Chart);
  Page.LBTools->setCurrentRow(2);
  Page.BMoveUp->click();
  EXPECT_EQ(Chart.GetTools()[1], C);
  EXPECT_EQ(Chart.GetTools()[2], A);
  EXPECT_EQ(Page.LBTools->currentRow(), 1);
  // The owner's creation order (what streams write) follows.
  std::vector<TComponent*> Created;
  for (int I = 0; I < Chart.GetComponentCount(); ++I)
    if (Chart.GetComponent(I) == A || Chart.GetComponent(I) == B || Chart.GetComponent(I) == C)
      Created.push_back(Chart.GetComponent(I));
  EXPECT_EQ(Created, (std::vector<TComponent*>{B, C, A}));
}

TEST_F(TitlesWallsToolsPagesTest, RegisteredPagesOpenOnTheEditorsObjects) {
  RegisterTitlesWallsToolsEditorPages();
  for (const char* Tab : {"TabTitle", "TabWalls", "TabTools"})
    EXPECT_TRUE(ChartEditorPages().IsRegistered(Tab)) << Tab;
  auto* Tool = AddTool<TSelectorTool>();
  auto* Second = AddTool<TDragPointTool>();
  TChartEditForm Editor;
  // Keeps the user's stored dialog placement out of the test.
  Editor.SetRememberPosition(false);
  Editor.SetRememberSize(false);
  Editor.SetChart(&Chart);
  Editor.SetTheWall(&Chart.GetBackWall());
  Editor.SetTheTitle(&Chart.GetFoot());
  Editor.SetTheTool(Second);
  QWidget Holder;
  auto* Walls = dynamic_cast<TFormKorWall*>((*ChartEditorPages().Find("TabWalls"))(Editor, Holder));
  auto* Titles =
      dynamic_cast<TFormKorTitle*>((*ChartEditorPages().Find("TabTitle"))(Editor, Holder));
  auto* Tools =
      dynamic_cast<TFormKorTools*>((*ChartEditorPages().Find("TabTools"))(Editor, Holder));
  ASSERT_TRUE(Walls && Titles && Tools);
  EXPECT_EQ(Walls->GetWall(), &Chart.GetBackWall());
  EXPECT_EQ(Titles->GetTitle(), &Chart.GetFoot());
  EXPECT_EQ(Tools->SelectedTool(), Second);
  EXPECT_NE(Tool, nullptr);
  for (const char* Tab : {"TabTitle", "TabWalls", "TabTools"}) ChartEditorPages().Unregister(Tab);
}

}  // namespace
