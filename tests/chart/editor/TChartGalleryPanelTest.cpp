#include "chart/editor/TChartGalleryPanel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>

#include <memory>

#include "chart/core/KorProcs.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartTheme.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/editor/TGalleryChart.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TBubbleSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "platform/OptionsStore.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace {

const QString KeysPage = QStringLiteral("KeysPage");
const QString Line = QStringLiteral("Line");

// A 400 x 300 panel with no border on a page of test types of our own
// (line, bubble, bar, area, point, line), registered for the test only.
class TChartGalleryPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile::remove(OptionsStore::UserFileName());
    OptionsStore::User().SetFileName(QString());
    RegisterSeriesTypes();
    First = KorSeriesTypes().Count();
    Panel.SetBevelOuter(bvNone);
    Panel.SetBounds(0, 0, 400, 300);
    ChangedChart.SetName("ChangedChart");
    Changed = new TLineSeries(&ChangedChart);
    ChangedChart.AddSeries(Changed);
  }
  void TearDown() override {
    Panel.ClearCharts();
    while (KorSeriesTypes().Count() > First) KorSeriesTypes().Delete(First);
    QFile::remove(OptionsStore::UserFileName());
  }

  template <class T>
  void AddType(const QString* Page = &KeysPage, int Series = 1) {
    KorSeriesTypes().Add(std::make_unique<TKorSeriesType>(
        TChartSeriesClass::Of<T>(), TKorFunctionClass(), &Line, Page, Series));
  }
  void AddKeysPage() {
    AddType<TLineSeries>();
    AddType<TBubbleSeries>();
    AddType<TBarSeries>();
    AddType<TAreaSeries>();
    AddType<TPointSeries>();
    AddType<TLineSeries>();
  }
  int Selected() const { return Panel.GetCharts().IndexOf(Panel.GetSelectedChart()); }

  PrivateUserConfig Config;
  TChartGalleryPanel Panel{nullptr};
  TChart ChangedChart{nullptr};
  TChartSeries* Changed = nullptr;
  int First = 0;
};

TEST_F(TChartGalleryPanelTest, RowsGrowOnlyWhenThePageNeedsMoreThanTheDefault) {
  const QString Many = QStringLiteral("Many");
  const QString Few = QStringLiteral("Few");
  for (int i = 0; i < 13; ++i) AddType<TLineSeries>(&Many);
  for (int i = 0; i < 5; ++i) AddType<TBarSeries>(&Few);

  Panel.CreateGalleryPage(Many);
  ASSERT_EQ(Panel.GetCharts().Count(), 13);
  // The bevel width counts even with the bevel off: cells of the
  // 299 x 399 pixels inside it.
  EXPECT_EQ(Panel.GetCellHeight(), 299 / 4);
  EXPECT_EQ(Panel.GetCellWidth(), 399 / 4);
  // Chart 12 sits in column 0 of row 3, one pixel short of its cell.
  EXPECT_EQ(Panel.GetChart(12)->GetBoundsRect(), TRect(1, 1 + 3 * 74, 1 + 98, 1 + 3 * 74 + 73));
  EXPECT_EQ(Panel.GetChart(6)->GetBoundsRect(),
            TRect(1 + 2 * 99, 1 + 74, 1 + 2 * 99 + 98, 1 + 74 + 73));

  Panel.CreateGalleryPage(Few);
  ASSERT_EQ(Panel.GetCharts().Count(), 5);
  EXPECT_EQ(Panel.GetCellHeight(), 299 / 3);
  // Titles are the description, and the type's series count is honoured.
  EXPECT_EQ(Panel.GetChart(0)->GetTitle().GetText(), QStringList({"Line"}));
  EXPECT_EQ(Panel.GetChart(0)->SeriesCount(), 1);
  // With nothing to match, the last enabled chart is the selection.
  EXPECT_EQ(Selected(), 4);
  EXPECT_TRUE(Panel.GetChart(4)->GetFocused());
  EXPECT_FALSE(Panel.GetChart(0)->GetFocused());
}

TEST_F(TChartGalleryPanelTest, TypesWithoutGallerySeriesAppearOnNoPage) {
  const QString Page = QStringLiteral("Counts");
  AddType<TLineSeries>(&Page, 0);
  AddType<TBarSeries>(&Page, 2);
  AddType<TAreaSeries>(&Page, -1);
  Panel.CreateGalleryPage(Page);
  ASSERT_EQ(Panel.GetCharts().Count(), 1);
  EXPECT_EQ(Panel.GetChart(0)->GetSeriesClassRef(), TChartSeriesClass::Of<TBarSeries>());
  EXPECT_EQ(Panel.GetChart(0)->SeriesCount(), 2);
}

TEST_F(TChartGalleryPanelTest, TypesThatCannotTakeTheChangedSeriesAreGreyedAndUnreachable) {
  AddKeysPage();
  Panel.SetChangeSeries(Changed);
  Panel.SetCheckSeries(true);
  Panel.CreateGalleryPage(KeysPage);
  ASSERT_EQ(Panel.GetCharts().Count(), 6);
  TGalleryChart* Bubble = Panel.GetChart(1);
  EXPECT_FALSE(Bubble->GetGalleryEnabled());
  EXPECT_EQ(Bubble->GetCursor(), crNo);
  EXPECT_EQ(Bubble->GetTitle().GetFont().GetColor(), clGray);
  EXPECT_FALSE(Bubble->OnMouseDown);
  EXPECT_FALSE(Bubble->OnDblClick);
  EXPECT_TRUE(Panel.GetChart(2)->GetGalleryEnabled());
  EXPECT_EQ(Panel.GetChart(2)->GetCursor(), crHandPoint);
  // The changed series' own type is preselected.
  EXPECT_EQ(Selected(), 0);

  // Right jumps over the greyed chart; clicks on it change nothing.
  EXPECT_TRUE(Panel.HandleKey(Qt::Key_Right, TShiftState()));
  EXPECT_EQ(Selected(), 2);
  Panel.ChartOnClick(Bubble);
  Panel.ChartOnDblClick(Bubble);
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(Panel.HandleKey(Qt::Key_Left, TShiftState()));
  EXPECT_EQ(Selected(), 0);
  // Left at the row's start and up in the first row stay put.
  Panel.HandleKey(Qt::Key_Left, TShiftState());
  Panel.HandleKey(Qt::Key_Up, TShiftState());
  EXPECT_EQ(Selected(), 0);
  Panel.HandleKey(Qt::Key_Down, TShiftState());
  EXPECT_EQ(Selected(), 4);
  // Down from column 1 has no chart below in a page of six; nothing moves.
  Panel.SelectChart(Panel.GetChart(5));
  Panel.HandleKey(Qt::Key_Down, TShiftState());
  EXPECT_EQ(Selected(), 5);

  // Without checking, every chart may be chosen.
  Panel.SetCheckSeries(false);
  Panel.CreateGalleryPage(KeysPage);
  EXPECT_TRUE(Panel.GetChart(1)->GetGalleryEnabled());
}

TEST_F(TChartGalleryPanelTest, EnterChoosesTheSelectionAndReportsItsClass) {
  AddKeysPage();
  Panel.CreateGalleryPage(KeysPage);
  int Chosen = 0;
  int Moved = 0;
  Panel.OnSelectedChart = [&](TChartGalleryPanel*) { ++Chosen; };
  Panel.OnChangeChart = [&](TChartGalleryPanel*) { ++Moved; };
  Panel.SelectChart(Panel.GetChart(3));
  EXPECT_EQ(Moved, 1);
  EXPECT_TRUE(Panel.HandleKey(Qt::Key_Return, TShiftState()));
  EXPECT_EQ(Chosen, 1);
  TChartSeriesClass SeriesClass;
  TKorFunctionClass FunctionClass;
  int SubIndex = -1;
  ASSERT_TRUE(Panel.GetSeriesClass(SeriesClass, FunctionClass, SubIndex));
  EXPECT_EQ(SeriesClass, TChartSeriesClass::Of<TAreaSeries>());
  EXPECT_FALSE(FunctionClass.Assigned());
  EXPECT_EQ(SubIndex, 0);

  Panel.ClearCharts();
  EXPECT_FALSE(Panel.GetSeriesClass(SeriesClass, FunctionClass, SubIndex));
}

TEST_F(TChartGalleryPanelTest, ChoosingASubGalleryVariantAppliesIt) {
  AddKeysPage();
  Panel.CreateGalleryPage(KeysPage);
  Panel.SelectChart(Panel.GetChart(0));
  const int Variants = static_cast<int>(TLineSeries(nullptr).CreateSubGallery().size());
  ASSERT_GT(Variants, 4);
  int SubSelected = 0;
  Panel.OnSubSelected = [&](TChartGalleryPanel*) { ++SubSelected; };
  ModalScript Script;
  Script.AnswerForm([&](QDialog& Form) {
    EXPECT_EQ(Form.objectName(), "KorSubGallery");
    EXPECT_EQ(Panel.GetSubGallery(), &Form);
    TChartGalleryPanel* Inner = Panel.GetSubPanel();
    EXPECT_EQ(Inner->GetCharts().Count(), Variants);
    EXPECT_EQ(Inner->GetNumRows(), (Variants + 3) / 4);
    EXPECT_EQ(Form.height(), Inner->GetNumRows() * Panel.GetCellHeight() + 8);
    EXPECT_EQ(Inner->GetChart(2)->GetTitle().GetText(), QStringList({"Points"}));
    // The variant is applied to the sample: line 2 shows its points.
    auto* Sample = dynamic_cast<TLineSeries*>(Inner->GetChart(2)->GetSeries(0));
    EXPECT_TRUE(Sample->GetPointer().GetVisible());
    Inner->ChartOnDblClick(Inner->GetChart(2));
    return Form.result();
  });
  Panel.ShowSubGallery();
  EXPECT_EQ(SubSelected, 1);
  EXPECT_EQ(Panel.GetSubGallery(), nullptr);
  TChartSeriesClass SeriesClass;
  TKorFunctionClass FunctionClass;
  int SubIndex = -1;
  ASSERT_TRUE(Panel.GetSeriesClass(SeriesClass, FunctionClass, SubIndex));
  EXPECT_EQ(SubIndex, 2);
  EXPECT_EQ(Selected(), 0);
  auto* Shown = dynamic_cast<TLineSeries*>(Panel.GetChart(0)->GetSeries(0));
  EXPECT_TRUE(Shown->GetPointer().GetVisible());

  // Esc closes it without choosing; Alt+Down opens it from the keyboard.
  Script.AnswerForm([](QDialog& Form) {
    QKeyEvent Esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&Form, &Esc);
    return Form.result();
  });
  EXPECT_TRUE(Panel.HandleKey(Qt::Key_Down, TShiftState{ssAlt}));
  EXPECT_EQ(SubSelected, 1);
  ASSERT_TRUE(Panel.GetSeriesClass(SeriesClass, FunctionClass, SubIndex));
  EXPECT_EQ(SubIndex, 2);

  // Another variant replaces the earlier one instead of adding to it.
  Script.AnswerForm([&](QDialog& Form) {
    Panel.GetSubPanel()->ChartOnDblClick(Panel.GetSubPanel()->GetChart(1));
    return Form.result();
  });
  Panel.ShowSubGallery();
  Shown = dynamic_cast<TLineSeries*>(Panel.GetChart(0)->GetSeries(0));
  EXPECT_TRUE(Shown->GetStairs());
  EXPECT_FALSE(Shown->GetPointer().GetVisible());

  // Back to the plain variant: the earlier one is gone from the preview.
  Script.AnswerForm([&](QDialog& Form) {
    Panel.GetSubPanel()->ChartOnDblClick(Panel.GetSubPanel()->GetChart(0));
    return Form.result();
  });
  Panel.ShowSubGallery();
  Shown = dynamic_cast<TLineSeries*>(Panel.GetChart(0)->GetSeries(0));
  EXPECT_FALSE(Shown->GetStairs());
  ASSERT_TRUE(Panel.GetSeriesClass(SeriesClass, FunctionClass, SubIndex));
  EXPECT_EQ(SubIndex, 0);
}

TEST_F(TChartGalleryPanelTest, SubGalleryStaysTwoPixelsInsideTheWorkArea) {
  const TRect Work(0, 0, 1024, 768);
  // Room enough: it opens at the corner.
  EXPECT_EQ(TChartGalleryPanel::SubGalleryPosition(TPoint(100, 200), TPoint(300, 200), Work),
            TPoint(100, 200));
  // Near the right and bottom edges it moves left and up.
  EXPECT_EQ(TChartGalleryPanel::SubGalleryPosition(TPoint(900, 700), TPoint(300, 200), Work),
            TPoint(1024 - 2 - 300, 768 - 2 - 200));
}

TEST_F(TChartGalleryPanelTest, SmoothComesFromTheSavedOptionAndReachesEveryChart) {
  EXPECT_FALSE(Panel.GetSmooth());
  KorSaveBoolOption(QStringLiteral("SmoothGallery"), true);
  TChartGalleryPanel Saved(nullptr);
  EXPECT_TRUE(Saved.GetSmooth());
  AddKeysPage();
  Panel.CreateGalleryPage(KeysPage);
  Panel.SetSmooth(true);
  for (TGalleryChart* Chart : Panel.GetCharts()) EXPECT_TRUE(Chart->GetSmooth());
}

TEST_F(TChartGalleryPanelTest, SmoothChartIsFilteredBelowAnUntouchedTitle) {
  AddType<TLineSeries>();
  Panel.CreateGalleryPage(KeysPage);
  TGalleryChart& Chart = *Panel.GetChart(0);
  Chart.Focus(false);
  TBitmap Plain;
  Plain.SetSize(Chart.GetWidth(), Chart.GetHeight());
  Chart.Draw(Plain.GetCanvas(), Chart.GetClientRect());
  Chart.SetSmooth(true);
  TBitmap Smooth;
  Smooth.SetSize(Chart.GetWidth(), Chart.GetHeight());
  Chart.Draw(Smooth.GetCanvas(), Chart.GetClientRect());
  // The reduction blends below the title; the title band is the plain
  // frame's, and the settings changed for the enlarged copy are back.
  EXPECT_NE(Plain.Image(), Smooth.Image());
  const int Band = Chart.GetTitle().GetShapeBounds().Bottom + 1;
  ASSERT_GT(Band, 4);
  EXPECT_EQ(Plain.Image().copy(0, 0, Chart.GetWidth(), Band),
            Smooth.Image().copy(0, 0, Chart.GetWidth(), Band));
  EXPECT_TRUE(Chart.GetTitle().GetVisible());
  EXPECT_EQ(Chart.GetMarginTop(), 4);
  EXPECT_FALSE(Chart.GetDrawingSmooth());
}

TEST_F(TChartGalleryPanelTest, FocusedChartShowsTheSubGalleryArrowOnScreenOnly) {
  AddType<TLineSeries>();
  Panel.CreateGalleryPage(KeysPage);
  TGalleryChart& Chart = *Panel.GetSelectedChart();
  ASSERT_TRUE(Chart.GetFocused());
  // Paint runs for shown controls only.
  Panel.GetWidget()->show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(Chart.GetWidget()->isVisible());
  Chart.Repaint();
  const QImage With = Chart.GetBuffer().Image().copy();
  Panel.SetDisplaySub(false);
  Chart.Invalidate();
  Chart.Repaint();
  const QImage Without = Chart.GetBuffer().Image().copy();
  // Inside the triangle the frame is inverted; elsewhere nothing changes.
  const int X = 4 + Chart.GetBorderWidth();
  const int Y = Chart.GetHeight() - Chart.GetBorderWidth() - Chart.GetShadow().GetSize();
  EXPECT_EQ(With.pixel(X + 3, Y - 7), ~Without.pixel(X + 3, Y - 7) | 0xFF000000u);
  EXPECT_EQ(With.pixel(X + 20, Y - 7), Without.pixel(X + 20, Y - 7));
  EXPECT_EQ(With.pixel(Chart.GetWidth() / 2, Chart.GetHeight() / 2),
            Without.pixel(Chart.GetWidth() / 2, Chart.GetHeight() / 2));
}

// A theme that paints the chart's panel green.
class GreenTheme : public TChartTheme {
 public:
  using TChartTheme::TChartTheme;
  void Apply() override { GetChart()->SetColor(clGreen); }
};

TEST_F(TChartGalleryPanelTest, ThemeRestylesEveryChartAndTheSeriesPrepareAgain) {
  AddKeysPage();
  Panel.CreateGalleryPage(KeysPage);
  TChartSeries& Series = *Panel.GetChart(2)->GetSeries(0);
  const TColor Prepared = Series.GetSeriesColor();
  Series.SetSeriesColor(clFuchsia);
  Panel.UseTheme([](TCustomChart* Chart) { return std::make_unique<GreenTheme>(Chart); });
  for (TGalleryChart* Chart : Panel.GetCharts()) EXPECT_EQ(Chart->GetColor(), clGreen);
  EXPECT_EQ(Series.GetSeriesColor(), Prepared);
  // No theme class: nothing happens.
  Panel.UseTheme(nullptr);
  EXPECT_EQ(Panel.GetChart(0)->GetColor(), clGreen);
}

TEST_F(TChartGalleryPanelTest, ChartsMadeElsewhereAreFreedOnceWhicheverGoesFirst) {
  // Freed by the panel's list.
  auto* Mine = new TGalleryChart(&Panel);
  Mine->SetGalleryPanel(&Panel);
  Panel.GetCharts().Add(Mine);
  Panel.SelectChart(Mine);
  // Freed by its own owner first: the list and the selection forget it.
  {
    TChart Owner(nullptr);
    auto* Theirs = new TGalleryChart(&Owner);
    Theirs->SetGalleryPanel(&Panel);
    Panel.GetCharts().Add(Theirs);
    Panel.SelectChart(Theirs);
    ASSERT_EQ(Panel.GetCharts().Count(), 2);
  }
  EXPECT_EQ(Panel.GetCharts().Count(), 1);
  EXPECT_EQ(Panel.GetSelectedChart(), nullptr);
  Panel.ResizeCharts();
  Panel.ClearCharts();
  EXPECT_EQ(Panel.GetCharts().Count(), 0);
}

}  // namespace
