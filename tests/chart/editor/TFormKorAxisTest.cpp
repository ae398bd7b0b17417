#include "chart/editor/TFormKorAxis.h"

#include "chart/editor/TAxisIncrement.h"
#include "chart/editor/TAxisMaxMin.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TAxisGridPen.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisPen.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/series/TLineSeries.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/TDateTime.h"
#include "platform/TEditUpDown.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <functional>

namespace {

// A chart that counts its repaint requests.
class CountingChart : public TChart {
 public:
  using TChart::TChart;
  void Invalidate() override {
    ++Invalidations;
    TChart::Invalidate();
  }
  int Invalidations = 0;
};

QStringList Texts(const QListWidget& List) {
  QStringList Result;
  for (int I = 0; I < List.count(); ++I) Result << List.item(I)->text();
  return Result;
}

QStringList Items(const QComboBox& Combo) {
  QStringList Result;
  for (int I = 0; I < Combo.count(); ++I) Result << Combo.itemText(I);
  return Result;
}

// The axis page on a chart under English settings; messages must be
// scripted (an unexpected one fails the test).
class TFormKorAxisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Saved = CurrentFormatSettings();
    SetFormatSettings(FormatSettings::English());
    Chart.SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    ChartEditorPages().Unregister(QStringLiteral("TabAxis"));
    SetFormatSettings(Saved);
  }

  std::unique_ptr<TFormKorAxis> Page(TChartAxis* Axis) {
    auto Form = std::make_unique<TFormKorAxis>(nullptr, Axis);
    Form->FormShow();
    return Form;
  }

  // A line series on the bottom axis with date-time X values from Start to
  // Start + Days.
  void DateSeries(double Start, double Days) {
    auto* Line = new TLineSeries(&Chart);
    Chart.AddSeries(Line);
    Line->GetXValues().SetDateTime(true);
    Line->AddXY(Start, 1);
    Line->AddXY(Start + Days, 2);
    Chart.GetBottomAxis()->SetMinMax(Start, Start + Days);
  }

  CountingChart Chart{nullptr};
  ModalScript Script;
  // Reports of exceptions stopped at a handler.
  MessageRecorder Messages;
  FormatSettings Saved;
};

TEST_F(TFormKorAxisTest, EveryControlChangesTheAxisAndRepaintsTheChart) {
  TChartAxis& A = *Chart.GetLeftAxis();
  auto F = Page(&A);
  EXPECT_EQ(F->LBAxes->currentRow(), 0);
  EXPECT_FALSE(F->BDelete->isEnabled());
  EXPECT_EQ(F->BAxisPen->GetPen(), static_cast<TPen*>(&A.GetAxis()));
  EXPECT_EQ(F->BMinorGrid->GetPen(), static_cast<TPen*>(&A.GetMinorGrid()));

  const bool OnAxis = A.GetLabelsOnAxis();
  const bool RoundFirst = A.GetRoundFirstLabel();
  const bool TicksAtLabels = A.GetTickOnLabelsOnly();
  const bool TitleVisible = A.GetTitle().GetVisible();
  struct Step {
    const char* What;
    std::function<void()> Do;
    std::function<bool()> Done;
  };
  const std::vector<Step> Steps = {
      {"visible", [&] { F->CBVisible->click(); }, [&] { return !A.GetVisible(); }},
      {"inverted", [&] { F->CBInverted->click(); }, [&] { return A.GetInverted(); }},
      {"automatic", [&] { F->CBAutomatic->click(); }, [&] { return !A.GetAutomaticMinimum(); }},
      {"auto min", [&] { F->CBAutoMin->click(); }, [&] { return A.GetAutomaticMinimum(); }},
      {"min offset", [&] { F->EMinOff->setText("5"); }, [&] { return A.GetMinimumOffset() == 5; }},
      {"max offset", [&] { F->EMaxOff->setText("-7"); },
       [&] { return A.GetMaximumOffset() == -7; }},
      {"logarithmic", [&] { F->CBLogarithmic->click(); }, [&] { return A.GetLogarithmic(); }},
      {"log base", [&] { F->ELogBase->setText("2"); }, [&] { return A.GetLogarithmicBase() == 2; }},
      {"title", [&] { F->ETitle->setText("Depth"); },
       [&] { return A.GetTitle().GetCaption() == "Depth"; }},
      {"title angle", [&] { F->SETitleAngle->setText("180"); },
       [&] { return A.GetTitle().GetAngle() == 180; }},
      {"title size", [&] { F->SETitleSize->setText("20"); },
       [&] { return A.GetTitleSize() == 20; }},
      {"title visible", [&] { F->CBTitleVisible->click(); },
       [&] { return A.GetTitle().GetVisible() != TitleVisible; }},
      {"labels", [&] { F->CBLabels->click(); }, [&] { return !A.GetLabels(); }},
      {"multiline", [&] { F->CBMultiline->click(); }, [&] { return A.GetLabelsMultiLine(); }},
      {"on axis", [&] { F->CBOnAxis->click(); }, [&] { return A.GetLabelsOnAxis() != OnAxis; }},
      {"round first", [&] { F->CBRoundFirst->click(); },
       [&] { return A.GetRoundFirstLabel() != RoundFirst; }},
      {"alternate", [&] { F->CBAlternate->click(); }, [&] { return A.GetLabelsAlternate(); }},
      {"labels size", [&] { F->SELabelsSize->setText("30"); },
       [&] { return A.GetLabelsSize() == 30; }},
      {"labels angle", [&] { F->SELabelsAngle->setText("90"); },
       [&] { return A.GetLabelsAngle() == 90; }},
      {"separation", [&] { F->SESepar->setText("20"); },
       [&] { return A.GetLabelsSeparation() == 20; }},
      {"label style", [&] { F->CBLabelStyle->setCurrentIndex(talText); },
       [&] { return A.GetLabelStyle() == talText; }},
      {"format", [&] { F->CBFormat->setCurrentText("0.00"); },
       [&] { return A.GetAxisValuesFormat() == "0.00"; }},
      {"exponent", [&] { F->CBExpo->click(); }, [&] { return A.GetLabelsExponent(); }},
      {"alignment", [&] { F->CBLabelAlign->click(); },
       [&] { return A.GetLabelsAlign() == alOpposite; }},
      {"tick length", [&] { F->SEAxisTickLength->setText("9"); },
       [&] { return A.GetTickLength() == 9; }},
      {"inner length", [&] { F->SEInnerTicksLength->setText("3"); },
       [&] { return A.GetTickInnerLength() == 3; }},
      {"ticks at labels", [&] { F->CBTickOnLabels->click(); },
       [&] { return A.GetTickOnLabelsOnly() != TicksAtLabels; }},
      {"grid centred", [&] { F->CBGridCentered->click(); }, [&] { return A.GetGridCentered(); }},
      {"grid z", [&] { F->Edit2->setText("40"); },
       [&] { return A.GetGrid().GetZPosition() == 40; }},
      {"minor length", [&] { F->SEAxisMinorTickLen->setText("6"); },
       [&] { return A.GetMinorTickLength() == 6; }},
      {"minor count", [&] { F->SEMinorCount->setText("5"); },
       [&] { return A.GetMinorTickCount() == 5; }},
      {"position", [&] { F->EPos->setText("10"); }, [&] { return A.GetPositionPercent() == 10; }},
      {"start", [&] { F->EStart->setText("10"); }, [&] { return A.GetStartPosition() == 10; }},
      {"end", [&] { F->EEnd->setText("90"); }, [&] { return A.GetEndPosition() == 90; }},
      {"z", [&] { F->Edit1->setText("50"); }, [&] { return A.GetZPosition() == 50; }},
      {"units", [&] { F->CBPosUnits->setCurrentIndex(1); },
       [&] { return A.GetPositionUnits() == muPixels; }},
      {"all axes", [&] { F->CBShow->click(); }, [&] { return !Chart.GetAxisVisible(); }},
      {"behind", [&] { F->CBAxisBeh->click(); }, [&] { return !Chart.GetAxisBehind(); }},
  };
  for (const Step& S : Steps) {
    const int Before = Chart.Invalidations;
    S.Do();
    EXPECT_TRUE(S.Done()) << S.What;
    EXPECT_GT(Chart.Invalidations, Before) << S.What;
  }
  // Other side and horizontal belong to custom axes.
  EXPECT_FALSE(F->CBOtherSide->isEnabled());
  EXPECT_FALSE(F->CBHorizAxis->isEnabled());
}

TEST_F(TFormKorAxisTest, ManualLimitsAndIncrementGoThroughTheDialogs) {
  TChartAxis& A = *Chart.GetLeftAxis();
  A.SetMinMax(0, 10);
  auto F = Page(&A);
  EXPECT_EQ(F->LAxisMax->text(), "10");
  Script.AnswerForm([](QDialog& D) {
    auto& M = dynamic_cast<TAxisMaxMin&>(D);
    EXPECT_EQ(M.windowTitle(), "Maximum Left Axis");
    EXPECT_EQ(M.AxisValue, 10);
    M.EMaximum->setText("25");
    M.BOk->click();
    return M.result();
  });
  F->BAxisMax->click();
  EXPECT_EQ(A.GetMaximum(), 25);
  EXPECT_FALSE(A.GetAutomaticMaximum());
  EXPECT_EQ(F->LAxisMax->text(), "25");

  // A minimum above the maximum: the axis refuses, the user is told and
  // the page shows the axis' minimum again.
  Script.AnswerForm([](QDialog& D) {
    auto& M = dynamic_cast<TAxisMaxMin&>(D);
    M.EMaximum->setText("30");
    M.BOk->click();
    return M.result();
  });
  F->BAxisMin->click();
  EXPECT_EQ(A.GetMinimum(), 0);
  EXPECT_EQ(F->LAxisMin->text(), "0");
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_NE(Messages.Messages().front().find("Minimum Value must be <= Maximum"), std::string::npos)
      << Messages.Messages().front();

  A.GetTitle().SetCaption("Depth");
  Script.AnswerForm([](QDialog& D) {
    auto& I = dynamic_cast<TAxisIncrement&>(D);
    EXPECT_EQ(I.windowTitle(), "Desired Depth Increment");
    I.ECustom->setText("2.5");
    I.BOk->click();
    return I.result();
  });
  F->BIncre->click();
  EXPECT_EQ(A.GetIncrement(), 2.5);
  EXPECT_EQ(F->LIncre->text(), "2.5");
}

TEST_F(TFormKorAxisTest, TurningAutomaticOnRecomputesTheLimits) {
  TChartAxis& A = *Chart.GetLeftAxis();
  auto* Line = new TLineSeries(&Chart);
  Chart.AddSeries(Line);
  Line->AddXY(0, 3);
  Line->AddXY(1, 8);
  A.SetMinMax(-100, 100);
  auto F = Page(&A);
  EXPECT_FALSE(F->CBAutomatic->isChecked());
  F->CBAutomatic->click();
  EXPECT_TRUE(A.GetAutomatic());
  EXPECT_TRUE(F->CBAutoMin->isChecked());
  EXPECT_TRUE(F->CBAutoMax->isChecked());
  EXPECT_NEAR(A.GetMinimum(), 3, 1e-9);
  EXPECT_NEAR(A.GetMaximum(), 8, 1e-9);
  F->CBAutoMax->click();
  EXPECT_FALSE(A.GetAutomatic());
  EXPECT_FALSE(F->CBAutomatic->isChecked());
}

TEST_F(TFormKorAxisTest, LogarithmicBaseTakesOnlyValidBasesAndTracksE) {
  TChartAxis& A = *Chart.GetLeftAxis();
  A.SetLogarithmic(true);
  A.SetLogarithmicBase(std::exp(1.0));
  auto F = Page(&A);
  EXPECT_TRUE(F->ELogBase->isEnabled());
  EXPECT_TRUE(F->LogE->isChecked());
  EXPECT_FALSE(F->LogE->isEnabled());

  F->ELogBase->setText("10");
  EXPECT_EQ(A.GetLogarithmicBase(), 10);
  EXPECT_FALSE(F->LogE->isChecked());
  EXPECT_TRUE(F->LogE->isEnabled());

  // Not above 0, 1 or unreadable: ignored without a message.
  for (const char* Bad : {"-2", "0", "1", "abc", ""}) {
    F->ELogBase->setText(Bad);
    EXPECT_EQ(A.GetLogarithmicBase(), 10) << Bad;
  }
  EXPECT_TRUE(Script.Asked().empty());
  EXPECT_TRUE(Messages.Messages().empty());

  F->LogE->click();
  EXPECT_EQ(A.GetLogarithmicBase(), std::exp(1.0));
  EXPECT_TRUE(F->LogE->isChecked());
  EXPECT_FALSE(F->LogE->isEnabled());

  // Switching off disables the base controls.
  F->CBLogarithmic->click();
  EXPECT_FALSE(A.GetLogarithmic());
  EXPECT_FALSE(F->ELogBase->isEnabled());
  EXPECT_FALSE(F->LogE->isEnabled());
}

TEST_F(TFormKorAxisTest, RefusedLogarithmicScaleIsSwitchedOffAndReported) {
  DateSeries(EncodeDate(2024, 5, 1), 3);
  TChartAxis& A = *Chart.GetBottomAxis();
  auto F = Page(&A);
  Script.AnswerMessage(mrOk);
  F->CBLogarithmic->click();
  EXPECT_FALSE(A.GetLogarithmic());
  EXPECT_FALSE(F->CBLogarithmic->isChecked());
  EXPECT_FALSE(F->ELogBase->isEnabled());
  ASSERT_EQ(Script.Asked().size(), 1u);
  EXPECT_TRUE(Script.Asked().front().contains("cannot be Logarithmic"))
      << Script.Asked().front().toStdString();
}

TEST_F(TFormKorAxisTest, DateTimeAxisOffersTimeFormatsForHoursAndDateFormatsForDays) {
  const TDateTime Start = EncodeDate(2024, 5, 1);
  DateSeries(Start, 0.5);
  TChartAxis& A = *Chart.GetBottomAxis();
  auto F = Page(&A);
  EXPECT_EQ(F->LBAxes->currentRow(), 3);
  EXPECT_EQ(F->LFormat->text(), "DateTime For&mat:");
  EXPECT_TRUE(Items(*F->CBFormat).contains("hh:nn:ss.zzz"));
  EXPECT_FALSE(Items(*F->CBFormat).contains("yyyy-mm-dd"));
  EXPECT_EQ(F->CBFormat->currentText(), CurrentFormatSettings().ShortTimeFormat);
  EXPECT_EQ(F->LAxisMax->text(), DateTimeToStr(Start + 0.5));

  A.SetMinMax(Start, Start + 3);
  F->LBAxesClick();
  EXPECT_TRUE(Items(*F->CBFormat).contains("yyyy-mm-dd"));
  EXPECT_TRUE(Items(*F->CBFormat).contains("mmmm"));
  EXPECT_FALSE(Items(*F->CBFormat).contains("hh:nn:ss"));
  EXPECT_EQ(F->CBFormat->currentText(), CurrentFormatSettings().ShortDateFormat);
  const QString ValuesFormat = A.GetAxisValuesFormat();
  F->CBFormat->setCurrentText("dd-mm-yyyy");
  EXPECT_EQ(A.GetDateTimeFormat(), "dd-mm-yyyy");
  EXPECT_EQ(A.GetAxisValuesFormat(), ValuesFormat);
  // A desired increment of one day: its step's name, or a day's time span.
  A.SetDesiredIncrement(1);
  F->LBAxesClick();
  EXPECT_EQ(F->LIncre->text(), "One Day");
  A.SetExactDateTime(false);
  F->LBAxesClick();
  EXPECT_EQ(F->LIncre->text(), "24:00:00");
}

TEST_F(TFormKorAxisTest, ValueFormatsShowLocalSeparatorsAndStoreCanonicalOnes) {
  FormatSettings Comma = FormatSettings::English();
  Comma.DecimalSeparator = u',';
  Comma.ThousandSeparator = u'.';
  SetFormatSettings(Comma);
  TChartAxis& A = *Chart.GetLeftAxis();
  auto F = Page(&A);
  EXPECT_EQ(F->LFormat->text(), "Values For&mat:");
  EXPECT_EQ(F->CBFormat->currentText(), "#.##0,###");
  F->CBFormat->setCurrentText("#.##0,00");
  EXPECT_EQ(A.GetAxisValuesFormat(), "#,##0.00");
}

TEST_F(TFormKorAxisTest, StartAndEndPositionsStayOrdered) {
  TChartAxis& A = *Chart.GetLeftAxis();
  auto F = Page(&A);
  F->EEnd->setText("70");
  EXPECT_EQ(A.GetEndPosition(), 70);
  F->EStart->setText("80");
  EXPECT_EQ(A.GetStartPosition(), 0);
  EXPECT_EQ(F->EStart->text(), "0");
  F->EStart->setText("30");
  EXPECT_EQ(A.GetStartPosition(), 30);
  F->EEnd->setText("30");
  EXPECT_EQ(A.GetEndPosition(), 70);
  EXPECT_EQ(F->EEnd->text(), "70");
}

TEST_F(TFormKorAxisTest, CustomAxesAreAddedEditedAndRemoved) {
  QStringList Names;
  KorAddAxes(nullptr, Names, false);
  EXPECT_EQ(Names, QStringList({"Left Axis", "Right Axis", "Top Axis", "Bottom Axis"}));

  auto F = Page(Chart.GetLeftAxis());
  F->BAdd->click();
  F->BAdd->click();
  ASSERT_EQ(Chart.GetCustomAxes().Count(), 2);
  EXPECT_EQ(Texts(*F->LBAxes).mid(4),
            QStringList({"Depth Right", "Depth Top", "Custom 0", "Custom 1"}));
  EXPECT_EQ(F->LBAxes->currentRow(), 7);
  EXPECT_EQ(F->GetAxis(), Chart.GetCustomAxes()[1]);
  EXPECT_TRUE(F->BDelete->isEnabled());
  EXPECT_TRUE(F->CBHorizAxis->isEnabled());

  TChartAxis* Turned = nullptr;
  F->OnHorizontalChanged = [&](TChartAxis* Axis) { Turned = Axis; };
  const bool Horizontal = F->GetAxis()->GetHorizontal();
  F->CBHorizAxis->click();
  EXPECT_EQ(F->GetAxis()->GetHorizontal(), !Horizontal);
  EXPECT_EQ(Turned, Chart.GetCustomAxes()[1]);
  F->CBOtherSide->click();
  EXPECT_TRUE(F->GetAxis()->GetOtherSide());

  // Choosing an entry, by mouse or keyboard, makes its axis current.
  F->LBAxes->setCurrentRow(6);
  EXPECT_EQ(F->GetAxis(), Chart.GetCustomAxes()[0]);
  TChartAxis* Kept = Chart.GetCustomAxes()[1];
  F->BDelete->click();
  ASSERT_EQ(Chart.GetCustomAxes().Count(), 1);
  EXPECT_EQ(Chart.GetCustomAxes()[0], Kept);
  EXPECT_EQ(Texts(*F->LBAxes).mid(6), QStringList({"Custom 0"}));
  EXPECT_EQ(F->LBAxes->currentRow(), 5);
  EXPECT_EQ(F->GetAxis(), Chart.GetDepthTopAxis());
  EXPECT_FALSE(F->BDelete->isEnabled());
}

TEST_F(TFormKorAxisTest, EditorOpensThePageOnItsAxisOrTheLeftAxis) {
  PrivateUserConfig Config;
  RegisterAxisEditorPage();
  for (TChartAxis* Asked : {static_cast<TChartAxis*>(nullptr), Chart.GetBottomAxis()}) {
    TChartEditForm Editor;
    Editor.SetChart(&Chart);
    Editor.SetTheAxis(Asked);
    Editor.OpenPage(Editor.TabAxis);
    auto* Form = dynamic_cast<TFormKorAxis*>(Editor.PageEditor(Editor.TabAxis));
    ASSERT_NE(Form, nullptr);
    EXPECT_EQ(Form->objectName(), "FormKorAxis");
    EXPECT_EQ(Form->GetAxis(), Asked != nullptr ? Asked : Chart.GetLeftAxis());
  }
}

}  // namespace
