#include "chart/editor/TButtonPen.h"
#include "chart/editor/TChartGalleryPanel.h"
#include "chart/editor/TFormKor3D.h"
#include "chart/editor/TFormKorLegend.h"
#include "chart/editor/TGalleryChart.h"
#include "chart/editor/TPenDialog.h"

#include "chart/core/KorException.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TLegendTitle.h"
#include "chart/core/TView3DOptions.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPieSeries.h"

#include "platform/MessageBox.h"
#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A chart that counts the repaints its objects ask for.
class CountingChart : public TChart {
 public:
  using TChart::TChart;
  void Invalidate() override {
    ++Repaints;
    TChart::Invalidate();
  }
  int Repaints = 0;
};

std::vector<std::string>& Messages() {
  static std::vector<std::string> List;
  return List;
}

void RecordMessage(const std::string& Text) {
  Messages().push_back(Text);
}

// One control change and what it must have done to the chart.
struct TEdit {
  const char* Control;
  std::function<void()> Change;
  std::function<bool()> Applied;
};

class LegendAnd3DPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Messages().clear();
    PreviousHook = SetMessageBoxHook(&RecordMessage);
    Chart.SetBounds(0, 0, 400, 300);
    for (const char* Title : {"Alpha", "Beta"}) {
      auto* S = new TLineSeries(&Chart);
      S->SetTitle(Title);
      S->SetParentChart(&Chart);
      S->Add(3);
      S->Add(5);
    }
  }
  void TearDown() override {
    SetMessageBoxHook(PreviousHook);
    UnRegisterSeriesTypes();
  }

  // Each edit must change the chart and ask it to repaint.
  void ExpectEveryEditApplies(const std::vector<TEdit>& Edits) {
    for (const TEdit& E : Edits) {
      const int Before = Chart.Repaints;
      E.Change();
      EXPECT_TRUE(E.Applied()) << E.Control;
      EXPECT_GT(Chart.Repaints, Before) << E.Control;
    }
  }

  std::unique_ptr<TFormKorLegend> LegendPage() {
    auto Page = std::make_unique<TFormKorLegend>(nullptr, Chart.GetLegend());
    Page->show();
    return Page;
  }
  std::unique_ptr<TFormKor3D> Page3D() {
    auto Page = std::make_unique<TFormKor3D>(nullptr, Chart);
    Page->show();
    return Page;
  }

  CountingChart Chart{nullptr};
  TChartLegend& Legend = Chart.GetLegend();
  TView3DOptions& View = Chart.GetView3DOptions();
  MessageBoxHook PreviousHook = nullptr;
};

TEST_F(LegendAnd3DPagesTest, EveryLegendControlEditsTheLegendAndRepaints) {
  auto P = LegendPage();
  EXPECT_EQ(P->CBCheckBoxes->currentIndex(), 0);
  EXPECT_EQ(P->RGPosition->GetItemIndex(), static_cast<int>(Legend.GetAlignment()));
  auto Choose = [](QComboBox* Box, int Index, auto Handler) {
    Box->setCurrentIndex(Index);
    Handler();
  };
  ExpectEveryEditApplies({
      {"CBShow", [&] { P->CBShow->click(); }, [&] { return !Legend.GetVisible(); }},
      {"CBInverted", [&] { P->CBInverted->click(); }, [&] { return Legend.GetInverted(); }},
      {"CBFontColor", [&] { P->CBFontColor->click(); },
       [&] { return Legend.GetFontSeriesColor(); }},
      {"CBLegendStyle", [&] { Choose(P->CBLegendStyle, 3, [&] { P->CBLegendStyleChange(); }); },
       [&] { return Legend.GetLegendStyle() == lsLastValues; }},
      {"CBLegStyle", [&] { Choose(P->CBLegStyle, 9, [&] { P->CBLegStyleChange(); }); },
       [&] { return Legend.GetTextStyle() == ltsXAndPercent; }},
      {"BDivLines",
       [&] {
         ModalScript Script;
         Script.AnswerForm([](QDialog& D) {
           auto& Dialog = dynamic_cast<TPenDialog&>(D);
           Dialog.SEWidth->setText(QStringLiteral("4"));
           Dialog.BOK->click();
           return Dialog.result();
         });
         P->BDivLines->click();
       },
       [&] { return Legend.GetDividingLines().GetWidth() == 4; }},
      {"EVertSpacing", [&] { P->EVertSpacing->setText("-7"); },
       [&] { return Legend.GetVertSpacing() == -7; }},
      {"RGPosition", [&] { P->RGPosition->Choose(2); },
       [&] { return Legend.GetAlignment() == laTop; }},
      {"CBResizeChart", [&] { P->CBResizeChart->click(); },
       [&] { return !Legend.GetResizeChart(); }},
      {"SETopPos", [&] { P->SETopPos->setText("-40"); }, [&] { return Legend.GetTopPos() == -40; }},
      // A top legend is horizontal: the margin is its vertical one.
      {"SEMargin", [&] { P->SEMargin->setText("12"); },
       [&] { return Legend.GetVertMargin() == 12; }},
      {"MemoText", [&] { P->MemoText->setPlainText("One\nTwo\n"); },
       [&] {
         return Legend.GetTitle().GetText() == QStringList({"One", "Two"});
       }},
      {"CBTextAlign", [&] { Choose(P->CBTextAlign, 2, [&] { P->CBTextAlignChange(); }); },
       [&] { return Legend.GetTitle().GetTextAlignment() == taRightJustify; }},
      {"CBTitleVisible", [&] { P->CBTitleVisible->click(); },
       [&] { return Legend.GetTitle().GetVisible() == P->CBTitleVisible->isChecked(); }},
      {"CBCustPos", [&] { P->CBCustPos->click(); }, [&] { return Legend.GetCustomPosition(); }},
      {"ECustLeft", [&] { P->ECustLeft->setText("35"); }, [&] { return Legend.GetLeft() == 35; }},
      {"ECustTop", [&] { P->ECustTop->setText("45"); }, [&] { return Legend.GetTop() == 45; }},
      {"CBPosPercent", [&] { P->CBPosPercent->click(); },
       [&] { return Legend.GetPositionUnits() == muPercent; }},
  });
  // A vertical legend takes the margin as its horizontal one.
  P->RGPosition->Choose(0);
  P->SEMargin->setText("9");
  EXPECT_EQ(Legend.GetHorizMargin(), 9);
  // The memo shows the title again line by line.
  P->RefreshControls();
  EXPECT_EQ(P->MemoText->toPlainText(), "One\nTwo");
}

TEST_F(LegendAnd3DPagesTest, CustomPositionSwitchesResizeOffAndTakesPixelsOrPercent) {
  Legend.SetResizeChart(true);
  auto P = LegendPage();
  EXPECT_FALSE(P->ECustLeft->isEnabled());
  EXPECT_TRUE(P->SEMargin->isEnabled());
  // Without a custom position typed places are not applied.
  const int LeftBefore = Legend.GetLeft();
  P->ECustLeft->setText("300");
  EXPECT_EQ(Legend.GetLeft(), LeftBefore);

  P->CBCustPos->click();
  EXPECT_TRUE(Legend.GetCustomPosition());
  EXPECT_FALSE(Legend.GetResizeChart());
  EXPECT_FALSE(P->CBResizeChart->isChecked());
  EXPECT_FALSE(P->CBResizeChart->isEnabled());
  EXPECT_FALSE(P->SEMargin->isEnabled());
  EXPECT_FALSE(P->SETopPos->isEnabled());
  EXPECT_TRUE(P->ECustLeft->isEnabled());
  EXPECT_TRUE(P->UDCustTop->isEnabled());
  EXPECT_TRUE(P->CBPosPercent->isEnabled());

  P->ECustLeft->setText("500");
  EXPECT_EQ(Legend.GetLeft(), 500);
  P->CBPosPercent->click();
  EXPECT_EQ(P->ECustLeft->text(), QString::number(Legend.GetLeftPercent()));
  P->ECustLeft->setText("500");
  EXPECT_EQ(Legend.GetLeftPercent(), 500);
  EXPECT_EQ(Legend.GetLeft(), 500);  // the pixel place is left alone
  P->CBPosPercent->click();
  EXPECT_EQ(Legend.GetPositionUnits(), muPixels);
  EXPECT_EQ(P->ECustLeft->text(), "500");
}

TEST_F(LegendAnd3DPagesTest, CheckBoxesComboSwitchesCheckBoxesAndTheirStyle) {
  Legend.SetCheckBoxes(true);
  Legend.SetCheckBoxesStyle(cbsCheck);
  auto P = LegendPage();
  EXPECT_EQ(P->CBCheckBoxes->currentIndex(), 1);
  P->CBCheckBoxes->setCurrentIndex(0);
  P->CBCheckBoxesChange();
  EXPECT_FALSE(Legend.GetCheckBoxes());
  EXPECT_EQ(Legend.GetCheckBoxesStyle(), cbsRadio);
  // Switching check boxes off hides no series.
  EXPECT_TRUE(Chart.GetSeries(0)->GetActive());
  EXPECT_TRUE(Chart.GetSeries(1)->GetActive());
  P->CBCheckBoxes->setCurrentIndex(1);
  P->CBCheckBoxesChange();
  EXPECT_TRUE(Legend.GetCheckBoxes());
  EXPECT_EQ(Legend.GetCheckBoxesStyle(), cbsCheck);
  P->CBCheckBoxes->setCurrentIndex(2);
  P->CBCheckBoxesChange();
  EXPECT_EQ(Legend.GetCheckBoxesStyle(), cbsRadio);
  // Radio buttons keep one series shown, as the legend does.
  EXPECT_TRUE(Chart.GetSeries(0)->GetActive());
  EXPECT_FALSE(Chart.GetSeries(1)->GetActive());
  P->RefreshControls();
  EXPECT_EQ(P->CBCheckBoxes->currentIndex(), 2);
}

// A series that cannot be switched off, as a strict or faulty series type
// would refuse.
class TStaysOnSeries : public TLineSeries {
 public:
  using TLineSeries::TLineSeries;
  void SetActive(bool Value) override {
    if (!Value) throw ChartException(QStringLiteral("Stays on"));
    TLineSeries::SetActive(Value);
  }
};

TEST_F(LegendAnd3DPagesTest, RefusedLegendEditIsReportedAndTheComboShowsTheLegendAgain) {
  auto* Strict = new TStaysOnSeries(&Chart);
  Strict->SetParentChart(&Chart);
  Strict->Add(1);
  auto P = LegendPage();
  // Radio buttons leave one series on: the strict one refuses to go off.
  P->CBCheckBoxes->setCurrentIndex(2);
  P->CBCheckBoxesChange();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages().front(), "Stays on");
  const int Shown = !Legend.GetCheckBoxes() ? 0 : (Legend.GetCheckBoxesStyle() == cbsRadio ? 2 : 1);
  EXPECT_EQ(P->CBCheckBoxes->currentIndex(), Shown);
  EXPECT_TRUE(Strict->GetActive());
}

TEST_F(LegendAnd3DPagesTest, LegendPageHostsTheShapeAndSymbolEditors) {
  auto P = LegendPage();
  QStringList Tabs;
  for (int i = 0; i < P->PageControl1->count(); ++i) Tabs << P->PageControl1->tabText(i);
  EXPECT_EQ(Tabs.mid(0, 4), QStringList({"Style", "Position", "Symbols", "Title"}));
  EXPECT_GT(P->PageControl1->count(), 4);
  EXPECT_GT(P->PageControlTitle->count(), 1);
  EXPECT_EQ(P->PageControl1->currentIndex(), 0);
}

TEST_F(LegendAnd3DPagesTest, Every3DControlEditsTheChartAndRepaints) {
  auto P = Page3D();
  EXPECT_EQ(P->SE3d->text(), "15");
  EXPECT_EQ(P->LZoom->text(), "100%");
  ExpectEveryEditApplies({
      {"SE3d", [&] { P->SE3d->setText("40"); }, [&] { return Chart.GetChart3DPercent() == 40; }},
      {"CBOrthogonal", [&] { P->CBOrthogonal->click(); }, [&] { return !View.GetOrthogonal(); }},
      {"EOrthoAngle", [&] { P->EOrthoAngle->setText("90"); },
       [&] { return View.GetOrthoAngle() == 90; }},
      {"SBZoom", [&] { P->SBZoom->setValue(250); },
       [&] { return View.GetZoom() == 250 && P->LZoom->text() == "250%"; }},
      {"SBRotation", [&] { P->SBRotation->setValue(300); },
       [&] { return View.GetRotation() == 300 && P->LRotation->text() == "300"; }},
      {"SBElevation", [&] { P->SBElevation->setValue(280); },
       [&] { return View.GetElevation() == 280 && P->LElevation->text() == "280"; }},
      {"SBHOffset", [&] { P->SBHOffset->setValue(-30); },
       [&] { return View.GetHorizOffset() == -30 && P->LHOffset->text() == "-30"; }},
      {"SBVOffset", [&] { P->SBVOffset->setValue(25); },
       [&] { return View.GetVertOffset() == 25 && P->LVOffset->text() == "25"; }},
      {"SBPerspec", [&] { P->SBPerspec->setValue(60); },
       [&] { return View.GetPerspective() == 60 && P->LPerspec->text() == "60"; }},
      {"CBZoomText", [&] { P->CBZoomText->click(); }, [&] { return !View.GetZoomText(); }},
      {"ETextSize", [&] { P->ETextSize->setText("150"); },
       [&] { return View.GetFontZoom() == 150; }},
      {"CBClipPoints", [&] { P->CBClipPoints->click(); }, [&] { return !Chart.GetClipPoints(); }},
      {"CBView3d", [&] { P->CBView3d->click(); }, [&] { return !Chart.GetView3D(); }},
  });
  // A 2D chart has no orthogonal switch, elevation or rotation to offer.
  EXPECT_FALSE(P->CBOrthogonal->isEnabled());
  EXPECT_FALSE(P->SBElevation->isEnabled());
  EXPECT_FALSE(P->SBRotation->isEnabled());
}

TEST_F(LegendAnd3DPagesTest, RefusedDepthPercentIsReportedAndTheEditShowsTheChartAgain) {
  auto P = Page3D();
  P->SE3d->setText("150");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages().front().find("3D"), std::string::npos);
  EXPECT_EQ(Chart.GetChart3DPercent(), 15);
  EXPECT_EQ(P->SE3d->text(), "15");
  // Half-typed text is not a value yet and is not applied.
  P->SE3d->setText("-");
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Chart.GetChart3DPercent(), 15);
}

TEST_F(LegendAnd3DPagesTest, PieOnACanvasWithoutFullRotationDisablesOrthogonalAndRotation) {
  // Not orthogonal: on this canvas only then can the elevation change.
  View.SetOrthogonal(false);
  {
    auto P = Page3D();
    EXPECT_TRUE(P->GetAllowRotation());
    EXPECT_TRUE(P->CBOrthogonal->isEnabled());
    EXPECT_TRUE(P->EOrthoAngle->isEnabled());
    EXPECT_TRUE(P->SBRotation->isEnabled());
  }
  auto* Pie = new TPieSeries(&Chart);
  Pie->SetParentChart(&Chart);
  Chart.ExchangeSeries(0, Chart.SeriesCount() - 1);
  ASSERT_FALSE(Chart.GetPanelCanvas().GetSupportsFullRotation());
  auto P = Page3D();
  EXPECT_FALSE(P->GetAllowRotation());
  EXPECT_FALSE(P->CBOrthogonal->isEnabled());
  EXPECT_FALSE(P->EOrthoAngle->isEnabled());
  EXPECT_FALSE(P->UDOrthoAngle->isEnabled());
  EXPECT_FALSE(P->SBRotation->isEnabled());
  EXPECT_TRUE(P->SBElevation->isEnabled());
}

TEST_F(LegendAnd3DPagesTest, LargeOffsetWidensItsBar) {
  View.SetHorizOffset(2000);
  auto P = Page3D();
  EXPECT_EQ(P->SBHOffset->minimum(), -3000);
  EXPECT_EQ(P->SBHOffset->maximum(), 3000);
  EXPECT_EQ(P->SBHOffset->value(), 2000);
  EXPECT_EQ(P->LHOffset->text(), "2000");
  EXPECT_EQ(P->SBVOffset->maximum(), 1500);
}

TEST_F(LegendAnd3DPagesTest, ViewsSelectTheMatchingViewAndCopyTheChosenOne) {
  RegisterSeriesTypes();
  auto P = Page3D();
  P->PageControl1->setCurrentWidget(P->TabViews);
  TChartGalleryPanel* Views = P->GetGalleryPanel();
  ASSERT_NE(Views, nullptr);
  ASSERT_EQ(Views->GetCharts().Count(), 6);
  QStringList Names;
  for (TGalleryChart* C : Views->GetCharts()) Names << C->GetTitle().GetText().join("");
  EXPECT_EQ(Names,
            QStringList({"2D", "Ortho Right", "Ortho Left", "3D Front", "3D Right", "3D Left"}));

  P->ChooseView(4);
  EXPECT_TRUE(Chart.GetView3D());
  EXPECT_FALSE(View.GetOrthogonal());
  EXPECT_EQ(View.GetRotation(), 300);
  EXPECT_EQ(View.GetElevation(), 360);
  EXPECT_EQ(P->MatchingView(), 4);

  P->PageControl1->setCurrentWidget(P->TabOptions);
  EXPECT_EQ(P->SBRotation->value(), 300);
  P->SBRotation->setValue(123);
  P->PageControl1->setCurrentWidget(P->TabViews);
  EXPECT_EQ(P->MatchingView(), -1);
  for (TGalleryChart* C : Views->GetCharts()) EXPECT_FALSE(C->GetFocused());
}

}  // namespace
