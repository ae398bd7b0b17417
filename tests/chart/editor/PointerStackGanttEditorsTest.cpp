#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBubbleSeriesEditor.h"
#include "chart/editor/TFastLineSeriesEditor.h"
#include "chart/editor/TGanttSeriesEditor.h"
#include "chart/editor/TSeriesPointerEditor.h"
#include "chart/editor/TStackBarSeriesEditor.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/editor/TButtonPen.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TBubbleSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/TGanttSeries.h"
#include "chart/series/TPointSeries.h"

#include "platform/MessageBox.h"
#include "platform/TCanvas.h"
#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Messages;
void CaptureMessage(const std::string& Text) {
  Messages.push_back(Text);
}

QColor Rgb(TColor Color) {
  return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

class PointerStackGanttEditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Messages.clear();
    OldHook = SetMessageBoxHook(&CaptureMessage);
    Points->SetParentChart(&Chart);
    Points->AddXY(1, 2);
    Points->AddXY(2, 3);
    Host.resize(440, 330);
    Host.show();
    RegisterSeriesPointerEditor();
    RegisterBubbleSeriesEditor();
    RegisterStackBarSeriesEditor();
    RegisterGanttSeriesEditor();
    RegisterFastLineSeriesEditor();
  }
  void TearDown() override { SetMessageBoxHook(OldHook); }

  // The form the series page docks for Object under ClassName, shown on
  // the page (which fills it).
  template <class Form>
  std::unique_ptr<Form> Open(TPersistent& Object, const QString& ClassName) {
    std::unique_ptr<QWidget> Made(CreateEditorForm(ClassName, nullptr));
    auto* Typed = dynamic_cast<Form*>(Made.get());
    EXPECT_NE(Typed, nullptr) << ClassName.toStdString();
    if (Typed == nullptr) return nullptr;
    Made.release();
    AddObjectFormTo(*Typed, Host, &Object);
    return std::unique_ptr<Form>(Typed);
  }

  std::unique_ptr<TSeriesPointerEditor> OpenPointer(TPersistent& Object) {
    return Open<TSeriesPointerEditor>(Object, QStringLiteral("TSeriesPointerEditor"));
  }

  template <class T>
  T* NewSeries() {
    auto* Series = new T(&Chart);
    Series->SetParentChart(&Chart);
    return Series;
  }

  TChart Chart{nullptr};
  TPointSeries* Points = new TPointSeries(&Chart);
  QWidget Host;
  MessageBoxHook OldHook = nullptr;
};

// -- pointer editor

TEST_F(PointerStackGanttEditorsTest, Pointer3DBoxFollowsChartAndStyle) {
  Chart.SetView3D(true);
  auto Form = OpenPointer(*Points);
  ASSERT_EQ(Form->GetPointer(), &Points->GetPointer());
  EXPECT_TRUE(Form->CB3dPoint->isEnabled());  // a square has a cube
  EXPECT_TRUE(Form->CBPoDark->isEnabled());

  // A cross has no solid form.
  Form->CBStyle->setCurrentIndex(4);
  EXPECT_EQ(Points->GetPointer().GetStyle(), psCross);
  EXPECT_FALSE(Form->CB3dPoint->isEnabled());
  EXPECT_FALSE(Form->CBPoDark->isEnabled());

  // A sphere needs a fully rotating canvas; ours is not one.
  Form->CBStyle->setCurrentIndex(1);
  EXPECT_FALSE(Form->CB3dPoint->isEnabled());
  Form->CBStyle->setCurrentIndex(3);
  EXPECT_TRUE(Form->CB3dPoint->isEnabled());

  // Dark 3D only while 3D is ticked.
  Form->CB3dPoint->click();
  EXPECT_FALSE(Points->GetPointer().GetDraw3D());
  EXPECT_FALSE(Form->CBPoDark->isEnabled());
  Form->CB3dPoint->click();
  Form->CBPoDark->click();
  EXPECT_FALSE(Points->GetPointer().GetDark3D());

  // A flat chart offers no 3D look at all.
  Chart.SetView3D(false);
  Form->FormShow();
  EXPECT_FALSE(Form->CB3dPoint->isEnabled());
  EXPECT_FALSE(Form->CBPoDark->isEnabled());
}

TEST_F(PointerStackGanttEditorsTest, PointerHiddenDisablesTheRest) {
  Chart.SetView3D(true);
  auto Form = OpenPointer(*Points);
  const std::vector<QWidget*> Followers = {
      Form->CBInflate, Form->SEPointHorizSize, Form->SEPointVertSize, Form->BPointFillColor,
      Form->CBStyle,   Form->BPoinPenCol,      Form->CBDefBrushColor};
  for (QWidget* Control : Followers)
    EXPECT_TRUE(Control->isEnabled()) << Control->objectName().toStdString();
  Form->CBDrawPoint->click();
  EXPECT_FALSE(Points->GetPointer().GetVisible());
  for (QWidget* Control : Followers)
    EXPECT_FALSE(Control->isEnabled()) << Control->objectName().toStdString();
  EXPECT_FALSE(Form->CB3dPoint->isEnabled());
  EXPECT_FALSE(Form->CBPoDark->isEnabled());
  Form->CBDrawPoint->click();
  EXPECT_TRUE(Points->GetPointer().GetVisible());
  EXPECT_TRUE(Form->CBStyle->isEnabled());
  EXPECT_TRUE(Form->CB3dPoint->isEnabled());
}

TEST_F(PointerStackGanttEditorsTest, PointerDefaultColours) {
  TSeriesPointer& P = Points->GetPointer();
  P.SetColor(clDefault);
  P.GetPen().SetColor(clRed);
  auto Form = OpenPointer(*Points);
  EXPECT_FALSE(Form->CBDefBrushColor->isChecked());  // the frame has its own colour

  Form->CBDefBrushColor->click();
  EXPECT_EQ(P.GetColor(), clDefault);
  EXPECT_EQ(P.GetPen().GetColor(), clDefault);

  // Unticked, a frame in the series colour becomes black; the fill stays.
  Form->CBDefBrushColor->click();
  EXPECT_EQ(P.GetPen().GetColor(), clBlack);
  EXPECT_EQ(P.GetColor(), clDefault);

  // A frame of its own is kept when unticking.
  P.GetPen().SetColor(clDefault);
  Form->FormShow();
  EXPECT_TRUE(Form->CBDefBrushColor->isChecked());
  P.GetPen().SetColor(clBlue);
  Form->FormShow();
  EXPECT_FALSE(Form->CBDefBrushColor->isChecked());
  Form->CBDefBrushColor->click();
  Form->CBDefBrushColor->click();
  EXPECT_EQ(P.GetPen().GetColor(), clBlack);
}

TEST_F(PointerStackGanttEditorsTest, PointerControlsReachProperties) {
  TSeriesPointer& P = Points->GetPointer();
  auto Form = OpenPointer(*Points);
  Form->SEPointHorizSize->setText("7");
  Form->SEPointVertSize->setText("9");
  EXPECT_EQ(P.GetHorizSize(), 7);
  EXPECT_EQ(P.GetVertSize(), 9);
  Form->CBInflate->click();
  EXPECT_FALSE(P.GetInflateMargins());
  Form->CBStyle->setCurrentIndex(11);
  EXPECT_EQ(P.GetStyle(), psRightTriangle);

  // A size the pointer refuses is reported and the edit shows the size.
  Form->SEPointHorizSize->setText("0");
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(P.GetHorizSize(), 7);
  EXPECT_EQ(Form->SEPointHorizSize->text(), "7");

  // Only a series has a colour-each switch.
  ASSERT_FALSE(Form->CBColorEach->isHidden());
  Form->CBColorEach->click();
  EXPECT_TRUE(Points->GetColorEachPoint());
  auto OfPointer = OpenPointer(P);
  EXPECT_EQ(OfPointer->GetTheSeries(), nullptr);
  EXPECT_TRUE(OfPointer->CBColorEach->isHidden());
  EXPECT_EQ(OfPointer->CBStyle->currentIndex(), 11);

  // Sizes the pointer does not let editors change are not offered.
  P.SetAllowChangeSize(false);
  Form->FormShow();
  EXPECT_TRUE(Form->SEPointHorizSize->isHidden());
  EXPECT_TRUE(Form->SEPointVertSize->isHidden());
  EXPECT_TRUE(Form->Button1->isHidden());
}

TEST_F(PointerStackGanttEditorsTest, EditSeriesPointerIsAModalDialog) {
  TSeriesPointer& P = Points->GetPointer();
  ModalScript Script;
  Script.AnswerForm([&P](QDialog& Dialog) {
    EXPECT_EQ(Dialog.windowTitle(), "Pointer");
    auto* Close = Dialog.findChild<QPushButton*>("Button1");
    auto* ColorEach = Dialog.findChild<QCheckBox*>("CBColorEach");
    auto* Inflate = Dialog.findChild<QCheckBox*>("CBInflate");
    EXPECT_TRUE(Close != nullptr && !Close->isHidden());
    EXPECT_TRUE(ColorEach != nullptr && ColorEach->isHidden());
    if (Inflate != nullptr) Inflate->click();
    EXPECT_FALSE(P.GetInflateMargins());
    if (Close != nullptr) Close->click();
    return Dialog.result();
  });
  EXPECT_TRUE(EditSeriesPointer(&Host, P));
  EXPECT_EQ(Script.Pending(), 0);
}

TEST_F(PointerStackGanttEditorsTest, StyleItemsDrawTheRealPointer) {
  TSeriesPointer& P = Points->GetPointer();
  P.SetColor(clRed);
  P.GetPen().SetColor(clBlack);
  auto Form = OpenPointer(*Points);
  QImage Image(80, 32, QImage::Format_ARGB32);
  Image.fill(Qt::white);
  {
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, 96);
    // A square: filled red, framed black, centred at (left + 6, top + 8).
    Form->CBStyleDrawItem(Canvas, 0, TRect(0, 0, 80, 16), false);
    // A cross without frame is drawn in the fill colour.
    P.GetPen().SetVisible(false);
    Form->CBStyleDrawItem(Canvas, 4, TRect(0, 16, 80, 32), false);
  }
  EXPECT_EQ(Image.pixelColor(6, 8), Rgb(clRed));
  EXPECT_EQ(Image.pixelColor(2, 8), Rgb(clBlack));
  EXPECT_EQ(Image.pixelColor(10, 8), Rgb(clBlack));
  EXPECT_EQ(Image.pixelColor(12, 8), QColor(Qt::white));  // the square ends there
  EXPECT_EQ(Image.pixelColor(6, 16 + 4), Rgb(clRed));
  EXPECT_EQ(Image.pixelColor(3, 16 + 8), Rgb(clRed));
  EXPECT_EQ(Image.pixelColor(4, 16 + 5), QColor(Qt::white));  // between the arms
}

// -- bubble

TEST_F(PointerStackGanttEditorsTest, BubbleEditorAddsTransparency) {
  auto* Bubble = NewSeries<TBubbleSeries>();
  Bubble->AddBubble(1, 2, 0.5);
  Bubble->SetTransparency(10);
  auto Form = Open<TBubbleSeriesEditor>(*Bubble, Bubble->GetEditorClass());
  ASSERT_NE(Form, nullptr);
  EXPECT_TRUE(Form->CBDrawPoint->isHidden());
  EXPECT_TRUE(Form->SEPointHorizSize->isHidden());  // radii size the bubbles
  EXPECT_EQ(Form->Edit1->text(), "10");
  EXPECT_EQ(Form->UDTransp->GetIncrement(), 5);
  Form->Edit1->setText("35");
  EXPECT_EQ(Bubble->GetTransparency(), 35);
  EXPECT_EQ(Bubble->GetPointer().GetTransparency(), 35);
}

// -- stack

TEST_F(PointerStackGanttEditorsTest, StackOriginAndGroup) {
  auto* Bar = NewSeries<TBarSeries>();
  Bar->SetOrigin(2.5);
  Bar->SetMultiBar(mbSide);
  auto Form = Open<TStackBarSeriesEditor>(*Bar, QStringLiteral("TStackBarSeriesEditor"));
  ASSERT_NE(Form, nullptr);
  EXPECT_TRUE(Form->CBYOrigin->isChecked());
  EXPECT_TRUE(Form->EYOrigin->isEnabled());

  Form->EYOrigin->setText("12.5");
  EXPECT_DOUBLE_EQ(Bar->GetYOrigin(), 12.5);
  Form->EYOrigin->setText("12.5x");  // not a number: the origin stays
  EXPECT_DOUBLE_EQ(Bar->GetYOrigin(), 12.5);
  Form->EYOrigin->setText("");
  EXPECT_DOUBLE_EQ(Bar->GetYOrigin(), 12.5);

  Form->CBYOrigin->click();
  EXPECT_FALSE(Bar->GetUseYOrigin());
  EXPECT_FALSE(Form->EYOrigin->isEnabled());
  Form->CBYOrigin->click();
  EXPECT_TRUE(Form->EYOrigin->isEnabled());
  EXPECT_TRUE(Form->EYOrigin->hasFocus() || !Form->window()->isActiveWindow());

  // The group matters only for stacking.
  EXPECT_FALSE(Form->EGroup->isEnabled());
  Form->RGMultiBar->Choose(2);
  EXPECT_EQ(Bar->GetMultiBar(), mbStacked);
  EXPECT_TRUE(Form->EGroup->isEnabled());
  Form->EGroup->setText("3");
  EXPECT_EQ(Bar->GetStackGroup(), 3);
  Form->RGMultiBar->Choose(3);
  EXPECT_TRUE(Form->EGroup->isEnabled());
  Form->RGMultiBar->Choose(5);
  EXPECT_EQ(Bar->GetMultiBar(), mbSelfStack);
  EXPECT_FALSE(Form->EGroup->isEnabled());
}

// -- Gantt

TEST_F(PointerStackGanttEditorsTest, GanttColourAndPointerPage) {
  auto* Gantt = NewSeries<TGanttSeries>();
  Gantt->AddGantt(1, 5, 0, "Design");
  ASSERT_TRUE(Gantt->GetColorEachPoint());
  auto Form = Open<TGanttSeriesEditor>(*Gantt, Gantt->GetEditorClass());
  ASSERT_NE(Form, nullptr);
  EXPECT_TRUE(Form->CBColorEach->isChecked());
  EXPECT_FALSE(Form->BColor->isEnabled());  // per-point colours rule

  Form->CBColorEach->click();
  EXPECT_FALSE(Gantt->GetColorEachPoint());
  EXPECT_TRUE(Form->BColor->isEnabled());

  ModalScript Script;
  Script.AnswerColor(true, clRed);
  Form->CBColorEach->click();
  Form->BColor->setEnabled(true);  // pressing it turns per-point colours off
  Form->BColor->click();
  EXPECT_EQ(Gantt->GetSeriesColor(), clRed);
  EXPECT_FALSE(Gantt->GetColorEachPoint());
  EXPECT_FALSE(Form->CBColorEach->isChecked());

  Form->SEHeight->setText("6");
  EXPECT_EQ(Gantt->GetPointer().GetVertSize(), 6);
  Form->SETransp->setText("20");
  EXPECT_EQ(Gantt->GetTransparency(), 20);
  EXPECT_EQ(Form->BConnLines->GetPen(), &Gantt->GetConnectingPen());

  // The point-style page comes once, without sizes, and goes with the form.
  QPointer<QWidget> Page = Form->GetPointerForm();
  ASSERT_FALSE(Page.isNull());
  auto* PointerPage = dynamic_cast<TSeriesPointerEditor*>(Page.data());
  ASSERT_NE(PointerPage, nullptr);
  EXPECT_EQ(PointerPage->GetPointer(), &Gantt->GetPointer());
  EXPECT_TRUE(PointerPage->SEPointVertSize->isHidden());
  Form->FormShow();
  EXPECT_EQ(Form->GetPointerForm(), Page.data());
  Form.reset();
  EXPECT_TRUE(Page.isNull());
}

// -- fast line

TEST_F(PointerStackGanttEditorsTest, FastLineSwitchesAndColour) {
  auto* Line = NewSeries<TFastLineSeries>();
  Line->SetDrawAll(false);
  auto Form = Open<TFastLineSeriesEditor>(*Line, Line->GetEditorClass());
  ASSERT_NE(Form, nullptr);
  EXPECT_EQ(Form->GetPen(), &Line->GetLinePen());
  EXPECT_FALSE(Form->CBDrawAll->isChecked());
  EXPECT_TRUE(Form->CBIgnoreNulls->isChecked());

  // Inverted cannot change while stairs are off.
  EXPECT_FALSE(Form->CBInvStairs->isEnabled());
  Form->CBInvStairs->click();
  EXPECT_FALSE(Line->GetInvertedStairs());
  Form->CBStairs->click();
  EXPECT_TRUE(Line->GetStairs());
  Form->CBInvStairs->click();
  EXPECT_TRUE(Line->GetInvertedStairs());
  Form->CBStairs->click();
  EXPECT_FALSE(Form->CBInvStairs->isEnabled());

  Form->CBDrawAll->click();
  EXPECT_TRUE(Line->GetDrawAllPoints());
  Form->CBIgnoreNulls->click();
  EXPECT_FALSE(Line->GetIgnoreNulls());

  // The pen part edits the series' pen; its colour becomes the series'.
  Form->SEWidth->setText("3");
  EXPECT_EQ(Line->GetLinePen().GetWidth(), 3);
  ModalScript Script;
  Script.AnswerColor(true, clGreen);
  Form->BColor->click();
  EXPECT_EQ(Line->GetSeriesColor(), clGreen);
  EXPECT_EQ(Line->GetLinePen().GetColor(), clGreen);

  // Docked, a reject (the dialog's Cancel) neither hides the page nor takes
  // the edits back.
  Form->reject();
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Line->GetLinePen().GetWidth(), 3);
}

TEST_F(PointerStackGanttEditorsTest, FastLineStyleListHasTheFivePlainStylesOnly) {
  auto* Line = NewSeries<TFastLineSeries>();
  Line->GetLinePen().SetStyle(psDash);
  auto Form = Open<TFastLineSeriesEditor>(*Line, Line->GetEditorClass());
  ASSERT_NE(Form, nullptr);
  ASSERT_EQ(Form->CBStyle->count(), 5);
  EXPECT_EQ(Form->CBStyle->itemText(0), "Solid");
  EXPECT_EQ(Form->CBStyle->itemText(4), "Dash Dot Dot");
  EXPECT_EQ(Form->CBStyle->currentIndex(), 1);
  // A dotted line from the gallery shows no style; choosing one ends the dots.
  Line->SetSubGallery(2);
  ASSERT_TRUE(Line->GetLinePen().GetSmallDots());
  Form->FormShow();
  EXPECT_EQ(Form->CBStyle->count(), 5);
  EXPECT_EQ(Form->CBStyle->currentIndex(), -1);
  EXPECT_TRUE(Form->SEWidth->isEnabled());
  Form->CBStyle->setCurrentIndex(2);
  EXPECT_FALSE(Line->GetLinePen().GetSmallDots());
  EXPECT_EQ(Line->GetLinePen().GetStyle(), psDot);
}

// Renders each form over a real series for a look (not a check):
// --gtest_also_run_disabled_tests writes /tmp/shots/<Form>.png.
TEST_F(PointerStackGanttEditorsTest, DISABLED_RenderForms) {
  QDir().mkpath("/tmp/shots");
  Chart.SetView3D(true);
  auto Save = [this](QWidget& Form, const QString& Name) {
    Form.resize(Host.size() - QSize(8, 8));
    EXPECT_TRUE(Host.grab().save("/tmp/shots/" + Name + ".png"));
  };
  {
    auto Form = OpenPointer(*Points);
    Form->CBStyle->showPopup();
    Save(*Form, "TSeriesPointerEditor");
    EXPECT_TRUE(
        Form->CBStyle->view()->window()->grab().save("/tmp/shots/TSeriesPointerEditor-Styles.png"));
    Form->CBStyle->hidePopup();
  }
  {
    auto* Bubble = NewSeries<TBubbleSeries>();
    Bubble->AddSampleValues(5);
    auto Form = Open<TBubbleSeriesEditor>(*Bubble, Bubble->GetEditorClass());
    Save(*Form, "TBubbleSeriesEditor");
  }
  {
    auto* Bar = NewSeries<TBarSeries>();
    auto Form = Open<TStackBarSeriesEditor>(*Bar, QStringLiteral("TStackBarSeriesEditor"));
    Save(*Form, "TStackBarSeriesEditor");
  }
  {
    auto* Gantt = NewSeries<TGanttSeries>();
    Gantt->AddSampleValues(5);
    auto Form = Open<TGanttSeriesEditor>(*Gantt, Gantt->GetEditorClass());
    // Outside the series page the point-style page lies over the form.
    if (QWidget* Page = Form->GetPointerForm()) Page->hide();
    Save(*Form, "TGanttSeriesEditor");
  }
  {
    auto* Line = NewSeries<TFastLineSeries>();
    auto Form = Open<TFastLineSeriesEditor>(*Line, Line->GetEditorClass());
    Save(*Form, "TFastLineSeriesEditor");
  }
}

}  // namespace
