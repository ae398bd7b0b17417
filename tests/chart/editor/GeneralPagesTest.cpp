#include "chart/editor/TFormKorGeneral.h"
#include "chart/editor/TFormKorPage.h"
#include "chart/editor/TFormKorPanel.h"

#include "chart/editor/TButtonPen.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartPageNavigator.h"

#include "chart/core/TBackImage.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorZoom.h"
#include "chart/series/TBarSeries.h"

#include "platform/TEditUpDown.h"
#include "platform/TRadioGroup.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace {

// Counts the repaints the pages ask of the chart.
class TCountingChart : public TChart {
 public:
  using TChart::TChart;
  void Invalidate() override {
    ++Invalidations;
    TChart::Invalidate();
  }
  int Invalidations = 0;
};

class TPageNumTestTool : public TKorCustomTool {
 public:
  explicit TPageNumTestTool(TComponent* AOwner) : TKorCustomTool(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TPageNumTestTool"); }
};

class GeneralPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetName("Chart1");
    auto* Bars = new TBarSeries(&Chart);
    Chart.AddSeries(Bars);
    for (int I = 0; I < 10; ++I) Bars->AddY(I + 1);
  }
  void TearDown() override { KorPageNumToolClass = TKorToolClass(); }

  // Types Text into Edit as the user would (the up-down follows).
  static void Type(TEditUpDown& Edit, const QString& Text) { Edit.setText(Text); }
  static void Choose(QComboBox& Combo, int Index) {
    Combo.setCurrentIndex(Index);
    Combo.activated(Index);
  }
  // Runs Edit and says whether the chart was asked to repaint.
  template <class F>
  bool Repaints(F&& Edit) {
    const int Before = Chart.Invalidations;
    Edit();
    return Chart.Invalidations > Before;
  }

  // A bitmap file: bitmaps can be drawn transparent.
  QString WriteBitmap() {
    QImage Image(20, 10, QImage::Format_RGB32);
    Image.fill(Qt::red);
    const QString Name = Dir.filePath(QStringLiteral("back.bmp"));
    Image.save(Name);
    return Name;
  }

  TCountingChart Chart{nullptr};
  QTemporaryDir Dir;
};

TEST_F(GeneralPagesTest, GeneralPageEditsZoomScrollAndCursor) {
  TFormKorGeneral Page(nullptr, &Chart);
  Page.show();
  EXPECT_TRUE(Page.CBAllowZoom->isChecked());
  EXPECT_EQ(Page.SEAniZoomSteps->GetPosition(), 8);
  EXPECT_EQ(Page.EMinPix->GetPosition(), 16);
  EXPECT_EQ(Page.RGPanning->GetItemIndex(), pmBoth);

  Page.CBAnimatedZoom->click();
  Type(*Page.SEAniZoomSteps, "5");
  Type(*Page.EMinPix, "30");
  Choose(*Page.CBDir, tzdVertical);
  Choose(*Page.CBZoomMouse, mbMiddle);
  Page.CBUpLeft->click();
  const TKorZoom& Zoom = Chart.GetZoom();
  EXPECT_TRUE(Zoom.GetAnimated());
  EXPECT_EQ(Zoom.GetAnimatedSteps(), 5);
  EXPECT_EQ(Zoom.GetMinimumPixels(), 30);
  EXPECT_EQ(Zoom.GetDirection(), tzdVertical);
  EXPECT_EQ(Zoom.GetMouseButton(), mbMiddle);
  EXPECT_TRUE(Zoom.GetUpLeftZooms());

  Page.CBAllowZoom->click();
  EXPECT_FALSE(Zoom.GetAllow());
  EXPECT_FALSE(Page.CBDir->isEnabled());
  EXPECT_FALSE(Page.BZoomPen->isEnabled());
  EXPECT_TRUE(Page.CBAllowZoom->isEnabled());

  Choose(*Page.CBScrollMouse, mbLeft);
  EXPECT_EQ(Chart.GetScrollMouseButton(), mbLeft);
  Page.RGPanning->Choose(pmNone);
  EXPECT_EQ(Chart.GetAllowPanning(), pmNone);
  EXPECT_FALSE(Page.CBScrollMouse->isEnabled());

  Choose(*Page.CBCursor, Page.CBCursor->findText("Cross"));
  EXPECT_EQ(Chart.GetCursor(), crCross);
  EXPECT_EQ(Chart.GetSavedCursor(), crCross);
}

TEST_F(GeneralPagesTest, GeneralPageOpensThePreviewAndTheZoomBrushDialog) {
  TFormKorGeneral Page(nullptr, &Chart);
  Page.show();
  ModalScript Script;
  QString Shown;
  Script.AnswerForm([&](QDialog& Form) {
    Shown = Form.objectName();
    return int(mrCancel);
  });
  // The preview repaints the chart when it closes.
  EXPECT_TRUE(Repaints([&] { Page.BPrint->click(); }));
  EXPECT_EQ(Shown, "ChartPreview");
  Script.AnswerForm([&](QDialog& Form) {
    Shown = Form.objectName();
    return int(mrOk);
  });
  Page.BZoomColor->click();
  EXPECT_EQ(Shown, "BrushDialog");
  EXPECT_NE(Chart.GetZoom().ExistingBrush(), nullptr);
}

TEST_F(GeneralPagesTest, MarginsApplyWhileShowingAndPercentPairsStayBelowAHundred) {
  TFormKorGeneral Page(nullptr, &Chart);
  // Not showing yet: the edits are being filled, not edited.
  Type(*Page.SETopMa, "20");
  EXPECT_EQ(Chart.GetMarginTop(), 4);

  Page.show();
  EXPECT_EQ(Page.SETopMa->GetPosition(), Chart.GetMarginTop());
  EXPECT_TRUE(Repaints([&] { Type(*Page.SETopMa, "60"); }));
  EXPECT_EQ(Chart.GetMarginTop(), 60);
  // 50 + 60 leaves no chart: refused, and the edit shows the margin again.
  Type(*Page.SEBotMa, "50");
  EXPECT_EQ(Chart.GetMarginBottom(), 4);
  EXPECT_EQ(Page.SEBotMa->text(), "4");
  Type(*Page.SELeftMa, "10");
  Type(*Page.SERightMa, "15");
  EXPECT_EQ(Chart.GetMarginLeft(), 10);
  EXPECT_EQ(Chart.GetMarginRight(), 15);

  Choose(*Page.CBMarUnits, muPixels);
  EXPECT_EQ(Chart.GetMarginUnits(), muPixels);
  EXPECT_EQ(Page.SETopMa->GetMin(), -2000);
  EXPECT_EQ(Page.SETopMa->GetMax(), 2000);
  Type(*Page.SETopMa, "150");
  EXPECT_EQ(Chart.GetMarginTop(), 150);
  Type(*Page.SEBotMa, "-20");
  EXPECT_EQ(Chart.GetMarginBottom(), -20);

  Choose(*Page.CBMarUnits, muPercent);
  EXPECT_EQ(Page.SETopMa->GetMin(), 0);
  EXPECT_EQ(Page.SETopMa->GetMax(), 100);
}

TEST_F(GeneralPagesTest, PanelColourAndDefaultBox) {
  Chart.SetColor(clRed);
  TFormKorPanel Page(nullptr, &Chart);
  Page.show();
  EXPECT_EQ(Page.PageControl1->currentWidget(), Page.TabBack);
  EXPECT_FALSE(Page.CBColorDef->isChecked());
  EXPECT_TRUE(Page.CBColorDef->isEnabled());

  EXPECT_TRUE(Repaints([&] { Page.CBColorDef->click(); }));
  EXPECT_EQ(Chart.GetColor(), clBtnFace);
  EXPECT_TRUE(Page.CBColorDef->isChecked());
  EXPECT_FALSE(Page.CBColorDef->isEnabled());

  ModalScript Script;
  Script.AnswerColor(true, clGreen);
  Page.BPanelColor->click();
  EXPECT_EQ(Chart.GetColor(), clGreen);
  EXPECT_FALSE(Page.CBColorDef->isChecked());
  EXPECT_TRUE(Page.CBColorDef->isEnabled());
}

TEST_F(GeneralPagesTest, PanelBackPictureControlsFollowThePicture) {
  TFormKorPanel Page(nullptr, &Chart);
  Page.show();
  EXPECT_EQ(Page.BBrowseImage->text(), "B&rowse...");
  EXPECT_FALSE(Page.RGBitmap->isEnabled());
  EXPECT_FALSE(Page.CBTransp->isEnabled());

  ModalScript Script;
  Script.AnswerFile(true, WriteBitmap());
  EXPECT_TRUE(Repaints([&] { Page.BBrowseImage->click(); }));
  ASSERT_TRUE(Chart.HasBackImage());
  EXPECT_EQ(Page.BBrowseImage->text(), "Clea&r");
  EXPECT_TRUE(Page.RGBitmap->isEnabled());
  EXPECT_TRUE(Page.CBImageInside->isEnabled());
  EXPECT_TRUE(Page.CBTransp->isEnabled());
  EXPECT_FALSE(Page.ELeft->isEnabled());

  EXPECT_TRUE(Repaints([&] { Page.RGBitmap->Choose(pbmCustom); }));
  EXPECT_EQ(Chart.GetBackImageMode(), pbmCustom);
  EXPECT_TRUE(Page.ELeft->isEnabled());
  EXPECT_TRUE(Repaints([&] { Type(*Page.ELeft, "12"); }));
  Type(*Page.ETop, "7");
  EXPECT_EQ(Chart.GetBackImage()->GetLeft(), 12);
  EXPECT_EQ(Chart.GetBackImage()->GetTop(), 7);
  EXPECT_TRUE(Repaints([&] { Page.CBImageInside->click(); }));
  EXPECT_TRUE(Chart.GetBackImageInside());
  EXPECT_TRUE(Repaints([&] { Page.CBTransp->click(); }));
  EXPECT_TRUE(Chart.GetBackImageTransp());

  // Clearing needs no file dialog.
  EXPECT_TRUE(Repaints([&] { Page.BBrowseImage->click(); }));
  EXPECT_FALSE(Chart.HasBackImage());
  EXPECT_EQ(Page.BBrowseImage->text(), "B&rowse...");
  EXPECT_FALSE(Page.RGBitmap->isEnabled());
  EXPECT_FALSE(Page.CBImageInside->isEnabled());
  EXPECT_FALSE(Page.CBTransp->isEnabled());
  EXPECT_FALSE(Page.CBTransp->isChecked());
}

TEST_F(GeneralPagesTest, UnreadablePictureIsReportedAndTheControlsStay) {
  TFormKorPanel Page(nullptr, &Chart);
  Page.show();
  const QString Bad = Dir.filePath(QStringLiteral("bad.png"));
  {
    QFile F(Bad);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("not a picture");
  }
  ModalScript Script;
  Script.AnswerFile(true, Bad);
  const MessageRecorder Reported;
  Page.BBrowseImage->click();
  EXPECT_EQ(Reported.Messages().size(), 1u);
  EXPECT_FALSE(Chart.HasBackImage());
  EXPECT_EQ(Page.BBrowseImage->text(), "B&rowse...");
  EXPECT_FALSE(Page.RGBitmap->isEnabled());
}

TEST_F(GeneralPagesTest, PanelBordersChangeOnlyOnANewValue) {
  TFormKorPanel Page(nullptr, &Chart);
  Page.show();
  EXPECT_TRUE(Repaints([&] { Choose(*Page.CBInner, bvLowered); }));
  EXPECT_TRUE(Repaints([&] { Choose(*Page.CBOuter, bvNone); }));
  EXPECT_EQ(Chart.GetBevelInner(), bvLowered);
  EXPECT_EQ(Chart.GetBevelOuter(), bvNone);
  EXPECT_FALSE(Repaints([&] { Choose(*Page.CBOuter, bvNone); }));
  EXPECT_TRUE(Repaints([&] { Type(*Page.SEPanelWi, "3"); }));
  EXPECT_TRUE(Repaints([&] { Type(*Page.SEPanelBor, "2"); }));
  EXPECT_TRUE(Repaints([&] { Type(*Page.ERound, "12"); }));
  EXPECT_EQ(Chart.GetBevelWidth(), 3);
  EXPECT_EQ(Chart.GetBorderWidth(), 2);
  EXPECT_EQ(Chart.GetBorderRound(), 12);
  // The width starts at 1.
  Type(*Page.SEPanelWi, "0");
  EXPECT_EQ(Chart.GetBevelWidth(), 1);
  EXPECT_EQ(Page.SEPanelWi->GetMin(), 1);
}

TEST_F(GeneralPagesTest, PagingSetsPointsPerPageAndTheNavigatorPagesTheChart) {
  TFormKorPage Page(nullptr, &Chart);
  Page.show();
  TChartPageNavigator& Nav = *Page.ChartPageNavigator1;
  EXPECT_EQ(Page.LabelPages->text(), "Page 1 of 1");
  // One page: nowhere to go.
  for (TKorNavigateBtn Kind : {nbFirst, nbPrior, nbNext, nbLast})
    EXPECT_FALSE(Nav.GetButton(Kind)->GetEnabled());

  EXPECT_TRUE(Repaints([&] { Type(*Page.SEPointsPerPage, "4"); }));
  EXPECT_EQ(Chart.GetMaxPointsPerPage(), 4);
  EXPECT_EQ(Page.LabelPages->text(), "Page 1 of 3");
  EXPECT_TRUE(Nav.GetButton(nbNext)->GetEnabled());
  EXPECT_FALSE(Nav.GetButton(nbPrior)->GetEnabled());

  Nav.BtnClick(nbNext);
  EXPECT_EQ(Chart.GetPage(), 2);
  EXPECT_EQ(Page.LabelPages->text(), "Page 2 of 3");
  Nav.BtnClick(nbLast);
  EXPECT_EQ(Chart.GetPage(), 3);
  EXPECT_FALSE(Nav.GetButton(nbNext)->GetEnabled());
  EXPECT_TRUE(Nav.GetButton(nbFirst)->GetEnabled());
  Nav.BtnClick(nbFirst);
  EXPECT_EQ(Page.LabelPages->text(), "Page 1 of 3");

  // Emptying the edit turns paging off.
  Type(*Page.SEPointsPerPage, "");
  EXPECT_EQ(Chart.GetMaxPointsPerPage(), 0);
  EXPECT_EQ(Page.LabelPages->text(), "Page 1 of 1");

  EXPECT_TRUE(Repaints([&] { Page.CBScaleLast->click(); }));
  EXPECT_FALSE(Chart.GetScaleLastPage());
  EXPECT_TRUE(Repaints([&] { Page.CBPageLegend->click(); }));
  EXPECT_FALSE(Chart.GetLegend().GetCurrentPage());
}

TEST_F(GeneralPagesTest, RefusedValueIsReportedAndTheEditShowsTheChartsValue) {
  TFormKorPage Page(nullptr, &Chart);
  Page.show();
  Type(*Page.SEPointsPerPage, "4");
  const MessageRecorder Reported;
  Type(*Page.SEPointsPerPage, "-5");
  EXPECT_EQ(Reported.Messages().size(), 1u);
  EXPECT_EQ(Chart.GetMaxPointsPerPage(), 4);
  EXPECT_EQ(Page.SEPointsPerPage->text(), "4");
  EXPECT_EQ(Page.LabelPages->text(), "Page 1 of 3");
}

TEST_F(GeneralPagesTest, PageNumberToolIsOfferedOnlyWhenItsClassIsSet) {
  {
    TFormKorPage Page(nullptr, &Chart);
    Page.show();
    EXPECT_FALSE(Page.CBPageNum->isVisible());
  }
  KorPageNumToolClass = TKorToolClass::Of<TPageNumTestTool>();
  TFormKorPage Page(nullptr, &Chart);
  Page.show();
  EXPECT_TRUE(Page.CBPageNum->isVisible());
  EXPECT_FALSE(Page.CBPageNum->isChecked());

  Page.CBPageNum->click();
  ASSERT_EQ(Chart.GetTools().Count(), 1);
  TKorCustomTool* Tool = Chart.GetTools()[0];
  // The chart has no owner: it owns the tool, so the tool dies with it.
  EXPECT_EQ(Tool->GetOwner(), &Chart);
  EXPECT_EQ(Tool->GetName(), "ChartTool1");
  EXPECT_TRUE(Tool->GetActive());

  Page.CBPageNum->click();
  EXPECT_EQ(Chart.GetTools().Count(), 1);
  EXPECT_FALSE(Tool->GetActive());
  Page.FormShow();
  EXPECT_FALSE(Page.CBPageNum->isChecked());
}

TEST_F(GeneralPagesTest, RegistersTheThreeEditorTabs) {
  RegisterGeneralEditorPages();
  for (const char* Tab : {"TabGeneral", "TabPanel", "TabPaging"}) {
    EXPECT_TRUE(ChartEditorPages().IsRegistered(Tab));
    ChartEditorPages().Unregister(Tab);
  }
}

}  // namespace
