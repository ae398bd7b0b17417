#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TAreaSeriesEditor.h"
#include "chart/editor/TArrowSeriesEditor.h"
#include "chart/editor/TBarSeriesEditor.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TCustomSeriesEditor.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TKorShadowEditor.h"

#include "chart/core/KorException.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TArrowSeries.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TBarSeriesGradient.h"
#include "chart/series/TLineSeries.h"

#include "platform/MessageBox.h"
#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"

#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

std::vector<std::string>& Messages() {
  static std::vector<std::string> List;
  return List;
}
void RecordMessage(const std::string& Text) {
  Messages().push_back(Text);
}

// Series whose setters refuse some values, as a faulty or strict series
// type may.
class TStubbornBar : public TBarSeries {
 public:
  using TBarSeries::TBarSeries;
  void SetColorEachPoint(bool Value) override {
    if (Value) throw ChartException(QStringLiteral("One colour only"));
    TBarSeries::SetColorEachPoint(Value);
  }
};
class TStubbornArea : public TAreaSeries {
 public:
  using TAreaSeries::TAreaSeries;
  void SetTransparency(TKorTransparency Value) override {
    if (Value > 50) throw ChartException(QStringLiteral("Too transparent"));
    TAreaSeries::SetTransparency(Value);
  }
};
// A line-type series that is not a line series.
class TPlainSeries : public TCustomSeries {
 public:
  using TCustomSeries::TCustomSeries;
};

// One control change and the property it must have reached.
struct TEdit {
  const char* Control;
  std::function<void()> Change;
  std::function<bool()> Applied;
};

// A brush or gradient dialog answered with OK after checking what it edits.
template <class Dialog, class Target>
void ExpectDialogOn(const Target* Expected, const std::function<void()>& Open) {
  ModalScript Script;
  Script.AnswerForm([Expected](QDialog& D) {
    auto* Typed = dynamic_cast<Dialog*>(&D);
    EXPECT_NE(Typed, nullptr);
    if (Typed == nullptr) return static_cast<int>(mrCancel);
    if constexpr (std::is_same_v<Dialog, TBrushDialog>) {
      EXPECT_EQ(Typed->GetBrush(), Expected);
    } else {
      EXPECT_EQ(Typed->GetGradient(), Expected);
    }
    return static_cast<int>(mrOk);
  });
  Open();
}

class BarArrowAreaLineEditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Messages().clear();
    PreviousHook = SetMessageBoxHook(&RecordMessage);
    Chart.SetBounds(0, 0, 400, 300);
    RegisterBarSeriesEditor();
    RegisterArrowSeriesEditor();
    RegisterAreaSeriesEditor();
    RegisterCustomSeriesEditor();
  }
  void TearDown() override {
    UnRegisterEditorForm(QStringLiteral("TSeriesPointerEditor"));
    UnRegisterEditorForm(QStringLiteral("TStackBarSeriesEditor"));
    SetMessageBoxHook(PreviousHook);
  }

  template <class S>
  S* Add() {
    auto* Series = new S(&Chart);
    Series->SetParentChart(&Chart);
    return Series;
  }

  // The form the series page docks for Series (by its editor class),
  // shown on Host.
  template <class Form>
  std::unique_ptr<Form> Open(TChartSeries& Series) {
    std::unique_ptr<QWidget> Made(CreateEditorForm(Series.GetEditorClass(), nullptr));
    auto* Typed = dynamic_cast<Form*>(Made.get());
    EXPECT_NE(Typed, nullptr) << Series.GetEditorClass().toStdString();
    if (Typed == nullptr) return nullptr;
    Made.release();
    AddObjectFormTo(*Typed, Host, &Series);
    Typed->FormShow();
    return std::unique_ptr<Form>(Typed);
  }

  // Stands in for a tab form of another unit: counts the forms made and
  // keeps the last one.
  void OfferStandIn(const QString& ClassName) {
    RegisterEditorForm(ClassName, [this](QWidget* Parent) {
      ++StandIns;
      LastStandIn = new QWidget(Parent);
      return LastStandIn.data();
    });
  }

  static void ExpectEveryEditApplies(const std::vector<TEdit>& Edits) {
    for (const TEdit& E : Edits) {
      E.Change();
      EXPECT_TRUE(E.Applied()) << E.Control;
    }
  }

  TChart Chart{nullptr};
  QWidget Host;
  int StandIns = 0;
  QPointer<QWidget> LastStandIn;

 private:
  MessageBoxHook PreviousHook = nullptr;
};

// -- bar series

TEST_F(BarArrowAreaLineEditorsTest, BarBevelControlsOnlyForBevelAndGradientOnlyForRectangles) {
  auto* Bar = Add<TBarSeries>();
  auto Form = Open<TBarSeriesEditor>(*Bar);
  ASSERT_TRUE(Form);
  EXPECT_FALSE(Form->SEBevel->isEnabled());
  EXPECT_TRUE(Form->BGradient->isEnabled());

  Form->CBBarStyle->setCurrentIndex(Form->CBBarStyle->findText("Bevel"));
  EXPECT_EQ(Bar->GetBarStyle(), bsBevel);
  EXPECT_TRUE(Form->SEBevel->isEnabled());
  EXPECT_TRUE(Form->LBevel->isEnabled());
  EXPECT_FALSE(Form->BGradient->isEnabled());

  for (const char* Other : {"Pyramid", "Slant Cube", "Invert. Cone"}) {
    Form->CBBarStyle->setCurrentIndex(Form->CBBarStyle->findText(Other));
    EXPECT_FALSE(Form->SEBevel->isEnabled()) << Other;
    EXPECT_FALSE(Form->LBevel->isEnabled()) << Other;
    EXPECT_FALSE(Form->BGradient->isEnabled()) << Other;
  }
  EXPECT_EQ(Bar->GetBarStyle(), bsInvCone);
  Form->CBBarStyle->setCurrentIndex(Form->CBBarStyle->findText("Rect. Gradient"));
  EXPECT_TRUE(Form->BGradient->isEnabled());
  EXPECT_FALSE(Form->SEBevel->isEnabled());
}

TEST_F(BarArrowAreaLineEditorsTest, BarControlsReachTheirProperties) {
  auto* Bar = Add<TBarSeries>();
  auto Form = Open<TBarSeriesEditor>(*Bar);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->BBarPen->GetPen(), &Bar->GetBarPen());
  EXPECT_EQ(Form->BTickLines->GetPen(), &Bar->GetTickLines());
  EXPECT_EQ(Form->BBarColor->GetLinkedObject(), Bar);
  EXPECT_EQ(Form->BBarColor->GetLinkedProperty(), "SeriesColor");
  ExpectEveryEditApplies({
      {"SEBarwidth", [&] { Form->SEBarwidth->setText("45"); },
       [&] { return Bar->GetBarWidthPercent() == 45; }},
      {"SEBarOffset", [&] { Form->SEBarOffset->setText("-20"); },
       [&] { return Bar->GetOffsetPercent() == -20; }},
      {"SEDepth", [&] { Form->SEDepth->setText("40"); },
       [&] { return Bar->GetDepthPercent() == 40; }},
      {"SEBevel", [&] { Form->SEBevel->setText("6"); }, [&] { return Bar->GetBevelSize() == 6; }},
      {"CBColorEach", [&] { Form->CBColorEach->click(); },
       [&] { return Bar->GetColorEachPoint() && !Form->BBarColor->isEnabled(); }},
      {"CBColorEach off", [&] { Form->CBColorEach->click(); },
       [&] { return !Bar->GetColorEachPoint() && Form->BBarColor->isEnabled(); }},
      {"CBMarksAutoPosition", [&] { Form->CBMarksAutoPosition->click(); },
       [&] { return !Bar->GetAutoMarkPosition(); }},
      {"CBDarkBar", [&] { Form->CBDarkBar->click(); }, [&] { return !Bar->GetDark3D(); }},
      {"CBBarSideMargins", [&] { Form->CBBarSideMargins->click(); },
       [&] { return !Bar->GetSideMargins(); }},
  });
  ExpectDialogOn<TBrushDialog>(&Bar->GetBarBrush(), [&] { Form->BBarBrush->click(); });
}

TEST_F(BarArrowAreaLineEditorsTest, BarGradientButtonMakesRectGradientBarsAndEditsTheirGradient) {
  auto* Bar = Add<TBarSeries>();
  auto Form = Open<TBarSeriesEditor>(*Bar);
  ASSERT_TRUE(Form);
  ExpectDialogOn<TKorGradientEditor, TCustomKorGradient>(&Bar->GetGradient(),
                                                         [&] { Form->BGradient->click(); });
  EXPECT_EQ(Bar->GetBarStyle(), bsRectGradient);
  EXPECT_EQ(Form->CBBarStyle->currentText(), "Rect. Gradient");
  EXPECT_TRUE(Form->BGradient->isEnabled());
}

TEST_F(BarArrowAreaLineEditorsTest, FillingTheBarFormWritesNothingBack) {
  // Values beyond the up-downs' ranges are clamped in the edits; the
  // series must keep its own.
  auto* Bar = Add<TBarSeries>();
  Bar->SetBarWidthPercent(150);
  Bar->SetOffsetPercent(250);
  auto Form = Open<TBarSeriesEditor>(*Bar);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->SEBarwidth->GetPosition(), 100);
  EXPECT_EQ(Bar->GetBarWidthPercent(), 150);
  EXPECT_EQ(Bar->GetOffsetPercent(), 250);
  Form->FormShow();
  EXPECT_EQ(Bar->GetBarWidthPercent(), 150);
}

TEST_F(BarArrowAreaLineEditorsTest, BarStackTabIsInsertedOnceForTheSeriesAndFreedWithTheForm) {
  auto* Bar = Add<TBarSeries>();
  {
    // Without the stacking form the page still works.
    auto Form = Open<TBarSeriesEditor>(*Bar);
    ASSERT_TRUE(Form);
    EXPECT_EQ(Form->GetStackForm(), nullptr);
  }
  OfferStandIn(QStringLiteral("TStackBarSeriesEditor"));
  auto Form = Open<TBarSeriesEditor>(*Bar);
  ASSERT_TRUE(Form);
  Form->FormShow();
  EXPECT_EQ(StandIns, 1);
  ASSERT_NE(Form->GetStackForm(), nullptr);
  EXPECT_EQ(KorFormObject(*Form->GetStackForm()), static_cast<TPersistent*>(Bar));
  EXPECT_EQ(Form->GetStackForm()->windowTitle(), "Stack");
  const QPointer<QWidget> Tab = Form->GetStackForm();
  Form.reset();
  EXPECT_TRUE(Tab.isNull());
}

TEST_F(BarArrowAreaLineEditorsTest, RefusedBarEditIsReportedAndTheBoxShowsTheSeriesAgain) {
  auto* Bar = Add<TStubbornBar>();
  auto Form = Open<TBarSeriesEditor>(*Bar);
  ASSERT_TRUE(Form);
  Form->CBColorEach->click();
  EXPECT_FALSE(Bar->GetColorEachPoint());
  EXPECT_FALSE(Form->CBColorEach->isChecked());
  EXPECT_TRUE(Form->BBarColor->isEnabled());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "One colour only");
}

// -- arrow series

TEST_F(BarArrowAreaLineEditorsTest, ArrowColorEachResetsThePointerColourAndDisablesColor) {
  auto* Arrow = Add<TArrowSeries>();
  Arrow->GetPointer().SetColor(clRed);
  auto Form = Open<TArrowSeriesEditor>(*Arrow);
  ASSERT_TRUE(Form);
  EXPECT_TRUE(Form->BColor->isEnabled());
  Form->CBColorEach->click();
  EXPECT_TRUE(Arrow->GetColorEachPoint());
  EXPECT_EQ(Arrow->GetPointer().GetColor(), clDefault);
  EXPECT_FALSE(Form->BColor->isEnabled());
  Form->CBColorEach->click();
  EXPECT_FALSE(Arrow->GetColorEachPoint());
  EXPECT_TRUE(Form->BColor->isEnabled());
}

TEST_F(BarArrowAreaLineEditorsTest, ArrowControlsReachTheirProperties) {
  auto* Arrow = Add<TArrowSeries>();
  Arrow->SetArrowPercent(35);
  auto Form = Open<TArrowSeriesEditor>(*Arrow);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->LPercent->text(), "35%");
  EXPECT_EQ(Form->BPen->GetPen(), &Arrow->GetPointer().GetPen());
  EXPECT_EQ(Form->BColor->GetLinkedObject(), Arrow);
  EXPECT_EQ(Form->BColor->GetLinkedProperty(), "SeriesColor");
  ExpectEveryEditApplies({
      {"SEArrowWidth", [&] { Form->SEArrowWidth->setText("9"); },
       [&] { return Arrow->GetArrowWidth() == 9; }},
      {"SEArrowHeight", [&] { Form->SEArrowHeight->setText("14"); },
       [&] { return Arrow->GetArrowHeight() == 14; }},
      {"SBPercent", [&] { Form->SBPercent->setValue(80); },
       [&] { return Arrow->GetArrowPercent() == 80 && Form->LPercent->text() == "80%"; }},
  });
  ExpectDialogOn<TBrushDialog>(&Arrow->GetPointer().GetBrush(), [&] { Form->BBrush->click(); });
}

// -- area series

TEST_F(BarArrowAreaLineEditorsTest, AreaStairsOffDisablesInvertedButKeepsIt) {
  auto* Area = Add<TAreaSeries>();
  auto Form = Open<TAreaSeriesEditor>(*Area);
  ASSERT_TRUE(Form);
  EXPECT_FALSE(Form->CBInvStairs->isEnabled());
  Form->CBStairs->click();
  ASSERT_TRUE(Form->CBInvStairs->isEnabled());
  Form->CBInvStairs->click();
  EXPECT_TRUE(Area->GetInvertedStairs());

  Form->CBStairs->click();
  EXPECT_FALSE(Area->GetStairs());
  EXPECT_FALSE(Form->CBInvStairs->isEnabled());
  EXPECT_TRUE(Form->CBInvStairs->isChecked());
  EXPECT_TRUE(Area->GetInvertedStairs());
}

TEST_F(BarArrowAreaLineEditorsTest, AreaOriginIsAWholeNumberEditedOnlyWithUseOrigin) {
  auto* Area = Add<TAreaSeries>();
  Area->SetOrigin(2.6);
  auto Form = Open<TAreaSeriesEditor>(*Area);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->EOrigin->text(), "3");
  EXPECT_EQ(Area->GetYOrigin(), 2.6);
  EXPECT_FALSE(Form->EOrigin->isEnabled());
  Form->CBUseOrigin->click();
  EXPECT_TRUE(Area->GetUseYOrigin());
  EXPECT_TRUE(Form->EOrigin->isEnabled());
  Form->EOrigin->setText("-7");
  EXPECT_EQ(Area->GetYOrigin(), -7.0);
  Form->EOrigin->setText("1.5");
  EXPECT_EQ(Area->GetYOrigin(), -7.0);
  Form->CBUseOrigin->click();
  EXPECT_FALSE(Form->EOrigin->isEnabled());
  EXPECT_FALSE(Form->LOrigin->isEnabled());
}

TEST_F(BarArrowAreaLineEditorsTest, AreaControlsReachTheirProperties) {
  auto* Area = Add<TAreaSeries>();
  Area->SetSeriesColor(clGreen);
  auto Form = Open<TAreaSeriesEditor>(*Area);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->BAreaLinesPen->GetPen(), &Area->GetAreaLinesPen());
  EXPECT_EQ(Form->BAreaLinePen->GetPen(), &Area->GetLinePen());
  EXPECT_EQ(Form->BAreaColor->GetLinkedProperty(), "SeriesColor");
  // The swatch shows what fills the area.
  EXPECT_EQ(Form->BAreaColor->GetSymbolColor(), clGreen);
  Area->SetAreaColor(clBlue);
  EXPECT_EQ(Form->BAreaColor->GetSymbolColor(), clBlue);
  ExpectEveryEditApplies({
      {"RGMultiArea stacked", [&] { Form->RGMultiArea->Choose(1); },
       [&] { return Area->GetMultiArea() == maStacked; }},
      {"RGMultiArea 100%", [&] { Form->RGMultiArea->Choose(2); },
       [&] { return Area->GetStacked() == cssStack100; }},
      {"CBColorEach", [&] { Form->CBColorEach->click(); },
       [&] { return Area->GetColorEachPoint(); }},
      {"ETransparency", [&] { Form->ETransparency->setText("40"); },
       [&] { return Area->GetTransparency() == 40; }},
  });
  ExpectDialogOn<TBrushDialog>(&Area->GetAreaChartBrush(), [&] { Form->BAreaBrush->click(); });
  ExpectDialogOn<TBrushDialog>(&Area->GetBrush(), [&] { Form->BTopBrush->click(); });
}

TEST_F(BarArrowAreaLineEditorsTest, AreaPointAndGradientTabsAreInsertedOnceAndFreedWithTheForm) {
  auto* Area = Add<TAreaSeries>();
  OfferStandIn(QStringLiteral("TSeriesPointerEditor"));
  auto Form = Open<TAreaSeriesEditor>(*Area);
  ASSERT_TRUE(Form);
  Form->FormShow();
  EXPECT_EQ(StandIns, 1);
  ASSERT_NE(Form->GetPointerForm(), nullptr);
  EXPECT_EQ(Form->GetPointerForm()->windowTitle(), "Point");
  EXPECT_EQ(KorFormObject(*Form->GetPointerForm()), static_cast<TPersistent*>(&Area->GetPointer()));

  auto* Gradient = dynamic_cast<TKorGradientEditor*>(Form->GetGradientForm());
  ASSERT_NE(Gradient, nullptr);
  EXPECT_EQ(Gradient->windowTitle(), "Gradient");
  EXPECT_TRUE(Gradient->GetDocked());
  EXPECT_FALSE(Gradient->BOK->isVisibleTo(Gradient));
  EXPECT_FALSE(Gradient->BCancel->isVisibleTo(Gradient));
  Gradient->FormShow();
  EXPECT_EQ(Gradient->GetGradient(), &Area->GetGradient());

  const QPointer<QWidget> PointTab = Form->GetPointerForm();
  const QPointer<QWidget> GradientTab = Form->GetGradientForm();
  Form.reset();
  EXPECT_TRUE(PointTab.isNull());
  EXPECT_TRUE(GradientTab.isNull());
}

TEST_F(BarArrowAreaLineEditorsTest, RefusedAreaEditIsReportedAndTheEditShowsTheSeriesAgain) {
  auto* Area = Add<TStubbornArea>();
  Area->SetTransparency(20);
  auto Form = Open<TAreaSeriesEditor>(*Area);
  ASSERT_TRUE(Form);
  Form->ETransparency->setText("70");
  EXPECT_EQ(Area->GetTransparency(), 20);
  EXPECT_EQ(Form->ETransparency->text(), "20");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Too transparent");
}

// -- line-type series

TEST_F(BarArrowAreaLineEditorsTest, LineOnlyControlsAreHiddenForOtherLineTypeSeries) {
  auto* Line = Add<TLineSeries>();
  auto* Plain = Add<TPlainSeries>();
  auto LineForm = Open<TCustomSeriesEditor>(*Line);
  ASSERT_TRUE(LineForm);
  auto PlainForm = Open<TCustomSeriesEditor>(*Plain);
  ASSERT_TRUE(PlainForm);
  for (const char* Name :
       {"GBLineMode", "CBStairs", "CBDark3D", "LHeight", "EHeight", "BBrush", "BOutline"}) {
    auto* OnLine = LineForm->findChild<QWidget*>(Name);
    auto* OnPlain = PlainForm->findChild<QWidget*>(Name);
    ASSERT_TRUE(OnLine != nullptr && OnPlain != nullptr) << Name;
    EXPECT_TRUE(OnLine->isVisibleTo(LineForm.get())) << Name;
    EXPECT_FALSE(OnPlain->isVisibleTo(PlainForm.get())) << Name;
  }
  for (const char* Name :
       {"BLineColor", "BLineBorder", "CBColorEach", "CheckBox1", "CBClick", "CBStack", "Button1"})
    EXPECT_TRUE(PlainForm->findChild<QWidget*>(Name)->isVisibleTo(PlainForm.get())) << Name;
}

TEST_F(BarArrowAreaLineEditorsTest, LineControlsReachTheirPropertiesAndInvertedNeedsStairs) {
  auto* Line = Add<TLineSeries>();
  auto Form = Open<TCustomSeriesEditor>(*Line);
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->BLineBorder->GetPen(), &Line->GetLinePen());
  EXPECT_EQ(Form->BOutline->GetPen(), &Line->GetOutLine());
  EXPECT_EQ(Form->BLineColor->GetLinkedProperty(), "SeriesColor");
  EXPECT_FALSE(Form->CBInvStairs->isEnabled());
  ExpectEveryEditApplies({
      {"CBStairs", [&] { Form->CBStairs->click(); },
       [&] { return Line->GetStairs() && Form->CBInvStairs->isEnabled(); }},
      {"CBInvStairs", [&] { Form->CBInvStairs->click(); },
       [&] { return Line->GetInvertedStairs(); }},
      {"CBStairs off", [&] { Form->CBStairs->click(); },
       [&] {
         return !Line->GetStairs() && !Form->CBInvStairs->isEnabled() && Line->GetInvertedStairs();
       }},
      {"CBColorEach", [&] { Form->CBColorEach->click(); },
       [&] { return Line->GetColorEachPoint(); }},
      {"CheckBox1", [&] { Form->CheckBox1->click(); }, [&] { return !Line->GetColorEachLine(); }},
      {"CBClick", [&] { Form->CBClick->click(); }, [&] { return !Line->GetClickableLine(); }},
      {"CBStack", [&] { Form->CBStack->setCurrentIndex(3); },
       [&] { return Line->GetStacked() == cssStack100; }},
      {"CBDark3D", [&] { Form->CBDark3D->click(); }, [&] { return !Line->GetDark3D(); }},
      {"EHeight", [&] { Form->EHeight->setText("7"); }, [&] { return Line->GetLineHeight() == 7; }},
  });
  ExpectDialogOn<TBrushDialog>(&Line->GetBrush(), [&] { Form->BBrush->click(); });

  ModalScript Script;
  Script.AnswerForm([&](QDialog& D) {
    auto& Shadow = dynamic_cast<TKorShadowEditor&>(D);
    EXPECT_EQ(Shadow.GetShadow(), &Line->GetShadow());
    EXPECT_FALSE(Shadow.CBSmooth->isVisibleTo(&Shadow));
    EXPECT_FALSE(Shadow.EShadowTransp->isVisibleTo(&Shadow));
    EXPECT_TRUE(Shadow.Edit1->isVisibleTo(&Shadow));
    return static_cast<int>(mrOk);
  });
  Form->Button1->click();
  EXPECT_EQ(Script.Pending(), 0);
}

TEST_F(BarArrowAreaLineEditorsTest, LinePointerTabIsInsertedOnceAndFreedWithTheForm) {
  auto* Line = Add<TLineSeries>();
  OfferStandIn(QStringLiteral("TSeriesPointerEditor"));
  auto Form = Open<TCustomSeriesEditor>(*Line);
  ASSERT_TRUE(Form);
  Form->FormShow();
  EXPECT_EQ(StandIns, 1);
  ASSERT_NE(Form->GetPointerForm(), nullptr);
  EXPECT_EQ(KorFormObject(*Form->GetPointerForm()), static_cast<TPersistent*>(&Line->GetPointer()));
  const QPointer<QWidget> Tab = Form->GetPointerForm();
  Form.reset();
  EXPECT_TRUE(Tab.isNull());
}

}  // namespace
