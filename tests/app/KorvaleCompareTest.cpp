#include "app/UnitKorvaleCompare.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "analysis/Gofs2004.h"
#include "analysis/Realtimegofs.h"
#include "app/UnitSedDataView.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "platform/FormatSettings.h"
#include "platform/TBitmap.h"
#include "platform/TElidedLabel.h"
#include "platform/TPen.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr double NoValue = -1e10;
constexpr int RadiusPoints = 60;

class KorvaleCompareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    FSaved = CurrentFormatSettings();
    SetFormatSettings(FormatSettings::English());
    Form = std::make_unique<TKorvaleCompare>();
  }
  void TearDown() override {
    Form.reset();
    Viewers.clear();
    SetFormatSettings(FSaved);
    UnRegisterSeriesTypes();
  }

  // A listed viewer whose kept corrected curve holds Y(ln s*) at the s*
  // grid points First .. First + Count - 1 and nothing elsewhere.
  TSedDataView& AddViewer(const QString& Text, int First, int Count,
                          const std::function<double(double)>& Y) {
    Viewers.push_back(std::make_unique<TSedDataView>(nullptr, nullptr));
    RealTimeGofS& analysis = Viewers.back()->GetAnalysis();
    std::vector<double> radius(RadiusPoints);
    for (int i = 0; i < RadiusPoints; ++i) radius[static_cast<size_t>(i)] = 5.9 + 0.01 * i;
    EXPECT_EQ(analysis.CreateX(radius.data(), RadiusPoints), 0);
    const ChannelDataStore& corrected = *analysis.CorrectedStore;
    for (int j = 0; j < corrected.GetNumberOfPoints(); ++j) {
      const auto k = static_cast<size_t>(j);
      const bool kept = j >= First && j < First + Count;
      analysis.LastCorrectedX[k] = corrected.GetX(j);
      analysis.LastCorrectedY[k] = kept ? Y(corrected.GetX(j)) : 0.0;
      analysis.LastCorrectedError[k] = kept ? 0.0 : NoValue;
    }
    auto* item = new QListWidgetItem(Text, Form->ListBoxOpenWindows);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(Viewers.back().get())));
    return *Viewers.back();
  }
  void Select(const std::vector<int>& Rows) {
    Form->ListBoxOpenWindows->clearSelection();
    for (int row : Rows) Form->ListBoxOpenWindows->item(row)->setSelected(true);
  }
  void Refresh(bool Normalized) {
    Form->RadioButtonNormalized->setChecked(Normalized);
    Form->RefreshComparison();
  }
  TChart& Chart() { return *Form->dcdtChart; }
  TChartSeries& Series(int I) { return *Chart().GetSeries(I); }
  int ActiveSeries() {
    int active = 0;
    for (int i = 0; i < Chart().SeriesCount(); ++i) active += Series(i).GetActive() ? 1 : 0;
    return active;
  }
  double GridStep() const { return Viewers.front()->GetAnalysis().CorrectedStore->GetStep(); }
  double LogS(int J) const { return Viewers.front()->GetAnalysis().CorrectedStore->GetX(J); }

  std::vector<std::unique_ptr<TSedDataView>> Viewers;  // freed after the form
  std::unique_ptr<TKorvaleCompare> Form;
  FormatSettings FSaved;
};

TEST_F(KorvaleCompareTest, SelectedViewersGetSeriesFromOneInTheCycleColours) {
  AddViewer(QStringLiteral("Run 7 cell 1 RA1"), 100, 50, [](double) { return 1.0; });
  AddViewer(QStringLiteral("Run 7 cell 2 IP2"), 120, 40, [](double) { return 2.0; });
  AddViewer(QStringLiteral("Run 7 cell 3 FI3"), 140, 30, [](double) { return 3.0; });
  Select({0, 1, 2});
  Refresh(false);

  ASSERT_EQ(Chart().SeriesCount(), 4);
  EXPECT_FALSE(Series(0).GetActive()) << "the pattern stays hidden";
  const TColor colours[] = {0x000000, 0x0000FF, 0xFF0000};  // black, red, blue
  const int counts[] = {50, 40, 30};
  const char* titles[] = {"RA1", "IP2", "FI3"};
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(Series(k).GetActive());
    EXPECT_EQ(Series(k).GetSeriesColor(), colours[k - 1]);
    EXPECT_EQ(Series(k).GetPen().GetWidth(), 3);
    EXPECT_EQ(Series(k).GetTitle(), QStringLiteral(" %1 %2").arg(k).arg(titles[k - 1]));
    ASSERT_EQ(Series(k).Count(), counts[k - 1]);
    EXPECT_DOUBLE_EQ(Series(k).GetXValues()[0], std::exp(LogS(80 + 20 * k)) * 1e13);
    EXPECT_DOUBLE_EQ(Series(k).GetYValues()[0], k);
  }

  // A later choice reuses the series from the first one on.
  Select({2});
  Refresh(false);
  EXPECT_EQ(ActiveSeries(), 1);
  EXPECT_EQ(Series(1).GetSeriesColor(), clBlack);
  EXPECT_EQ(Series(1).Count(), 30);
  EXPECT_EQ(Chart().SeriesCount(), 4);
}

TEST_F(KorvaleCompareTest, ClosingASelectedViewerRebuildsTheOverlayWithoutIt) {
  AddViewer(QStringLiteral("cell 1 RA1"), 100, 50, [](double) { return 1.0; });
  const TSedDataView& closing =
      AddViewer(QStringLiteral("cell 2 RA2"), 100, 40, [](double) { return 2.0; });
  AddViewer(QStringLiteral("cell 3 RA3"), 100, 30, [](double) { return 3.0; });
  Select({0, 1, 2});
  Refresh(false);
  ASSERT_EQ(ActiveSeries(), 3);

  EXPECT_TRUE(Form->RemoveViewer(&closing));
  ASSERT_EQ(Form->ListBoxOpenWindows->count(), 2);
  EXPECT_EQ(ActiveSeries(), 2);
  EXPECT_EQ(Series(2).GetTitle(), " 3 RA3");
  EXPECT_EQ(Series(2).GetSeriesColor(), clRed);
  EXPECT_EQ(Series(2).Count(), 30);
  EXPECT_FALSE(Form->RemoveViewer(&closing));
}

TEST_F(KorvaleCompareTest, NothingSelectedLeavesAnEmptyChartTitledForTheMode) {
  AddViewer(QStringLiteral("cell 1 RA1"), 100, 50, [](double) { return 1.0; });
  Select({0});
  Refresh(false);
  ASSERT_EQ(ActiveSeries(), 1);
  Select({});
  Refresh(true);
  EXPECT_EQ(ActiveSeries(), 0);
  EXPECT_EQ(Chart().GetLeftAxis()->GetTitle().GetCaption(), "(t dc/dt)/Co corrected");
  Refresh(false);
  EXPECT_EQ(Chart().GetLeftAxis()->GetTitle().GetCaption(), "t dc/dt corrected");
}

TEST_F(KorvaleCompareTest, TotalWeighsTheEndsByHalfAndStopsAtTheSecondLastPoint) {
  // y = 1, 2, 3, 4 at ln s* = 0, 1, 2, 4: 0.5*1*1 + 2*1 + 0.5*3*1.
  const TKorvaleCompare::KeptCurve curve{{0.0, 1.0, 2.0, 4.0}, {1.0, 2.0, 3.0, 4.0}};
  ASSERT_TRUE(TKorvaleCompare::NormalisationTotal(curve).has_value());
  EXPECT_DOUBLE_EQ(*TKorvaleCompare::NormalisationTotal(curve), 4.0);
  const TKorvaleCompare::KeptCurve three{{0.0, 0.5, 1.5}, {2.0, 4.0, 8.0}};
  EXPECT_DOUBLE_EQ(*TKorvaleCompare::NormalisationTotal(three), 0.5 * 2 * 0.5 + 0.5 * 4 * 0.5);
}

TEST_F(KorvaleCompareTest, NormalisedOverlayDividesEachCurveByItsOwnTotal) {
  // A flat curve of height c over m points spaced h has the total c h (m - 2).
  const int m = 50;
  AddViewer(QStringLiteral("cell 1 RA1"), 100, m, [](double) { return 0.8; });
  AddViewer(QStringLiteral("cell 2 IP2"), 200, m, [](double) { return 3.2; });
  Select({0, 1});
  Refresh(true);
  const double flat = 1.0 / (GridStep() * (m - 2));
  for (int k = 1; k <= 2; ++k) {
    ASSERT_EQ(Series(k).Count(), m);
    for (int i = 0; i < m; ++i) EXPECT_NEAR(Series(k).GetYValues()[i], flat, 1e-12 * flat);
  }
}

TEST_F(KorvaleCompareTest, CurveWithoutAUsableTotalStaysEmptyButTitled) {
  AddViewer(QStringLiteral("cell 1 RA1"), 100, 2, [](double) { return 1.0; });
  AddViewer(QStringLiteral("cell 2 RA2"), 100, 30, [](double) { return 0.0; });
  AddViewer(QStringLiteral("cell 3 RA3"), 100, 30,
            [](double) { return std::numeric_limits<double>::infinity(); });
  AddViewer(QStringLiteral("cell 4 RA4"), 100, 30, [](double) { return 1.0; });
  Select({0, 1, 2, 3});
  Refresh(true);
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(Series(k).GetActive());
    EXPECT_EQ(Series(k).Count(), 0);
    EXPECT_EQ(Series(k).GetTitle(), QStringLiteral(" %1 RA%1").arg(k));
  }
  EXPECT_EQ(Series(4).Count(), 30) << "the others are still drawn";

  Refresh(false);
  EXPECT_EQ(Series(1).Count(), 2) << "unnormalised, the two points are shown";
}

TEST_F(KorvaleCompareTest, PointerReadoutCopyAndZoomOut) {
  AddViewer(QStringLiteral("cell 1 RA1"), 100, 300,
            [](double LogS) { return std::exp(-std::pow(LogS - std::log(4.5e-13), 2) / 0.1); });
  Select({0});
  Refresh(false);
  Form->resize(1000, 500);
  Form->show();
  QApplication::processEvents();
  Chart().Draw();

  const TChartAxis& bottom = *Chart().GetBottomAxis();
  const int x = bottom.CalcXPosValue(10.0);
  const QPointF at(x, Chart().GetHeight() / 2);
  QMouseEvent move(QEvent::MouseMove, at, Chart().GetWidget()->mapToGlobal(at), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Chart().GetWidget(), &move);
  const QString prefix = QStringLiteral("X: s* in Svedburg Units plotted on a log scale ");
  ASSERT_TRUE(Form->PosXTxt->text().startsWith(prefix)) << Form->PosXTxt->text().toStdString();
  double shown = 0;
  ASSERT_TRUE(TryStrToFloat(Form->PosXTxt->text().mid(prefix.size()), shown));
  const double pixel = bottom.CalcPosPoint(x + 1) - bottom.CalcPosPoint(x);
  EXPECT_NEAR(shown, 10.0, std::fabs(pixel));
  EXPECT_TRUE(Form->PosYTxt->text().startsWith(QStringLiteral("Y: t dc/dt corrected ")));
  // The panel is narrower than the caption: the caption is shortened, the
  // number is shown whole.
  const auto& readOut = dynamic_cast<const TElidedLabel&>(*Form->PosXTxt);
  const QString number = Form->PosXTxt->text().mid(prefix.size());
  EXPECT_TRUE(readOut.IsElided());
  EXPECT_TRUE(readOut.ShownText().startsWith(QStringLiteral("X: ")));
  EXPECT_TRUE(readOut.ShownText().endsWith(QStringLiteral("\u2026 ") + number))
      << readOut.ShownText().toStdString();
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Chart().GetWidget(), &leave);
  EXPECT_EQ(Form->PosXTxt->text(), " ");
  EXPECT_EQ(Form->PosYTxt->text(), " ");

  Form->RadioButtonNormalized->setChecked(true);
  EXPECT_EQ(Form->ReportTitle(), "Compare normalized data for: cell 1 RA1 ");
  QApplication::clipboard()->clear();
  Form->BitBtn2Click();  // no report builder: the picture still reaches the clipboard
  const QImage copied = QApplication::clipboard()->image();
  EXPECT_EQ(copied.width(), Chart().GetWidth());
  EXPECT_EQ(copied.height(), Chart().GetHeight());

  Form->dcdtChart.reset();
  Form->SBUndoZoomCorClick();  // no chart: nothing happens
}

TEST_F(KorvaleCompareTest, CurvesWhoseItemsEndAlikeGetLegendTitlesThatTellThemApart) {
  // The main window's item texts end in the channel; the viewers' names
  // hold the whole directory.
  AddViewer(QStringLiteral("...nA/cell2/0*.IP1"), 100, 50, [](double) {
    return 1.0;
  }).setWindowTitle(QStringLiteral("/data/2026/runA/cell2/0*.IP1"));
  AddViewer(QStringLiteral("...nB/cell2/0*.IP1"), 100, 50, [](double) {
    return 2.0;
  }).setWindowTitle(QStringLiteral("/data/2026/runB/cell2/0*.IP1"));
  AddViewer(QStringLiteral("...runA/cell3/0*.RA3"), 100, 50, [](double) {
    return 3.0;
  }).setWindowTitle(QStringLiteral("/data/2026/runA/cell3/0*.RA3"));
  Select({0, 1, 2});
  Refresh(false);
  EXPECT_EQ(Series(1).GetTitle(), "runA/cell2/0*.IP1");
  EXPECT_EQ(Series(2).GetTitle(), "runB/cell2/0*.IP1");
  EXPECT_EQ(Series(3).GetTitle(), "0*.RA3") << "a title of its own stays six characters";
  // Chosen alone, a curve keeps the short title.
  Select({1});
  Refresh(false);
  EXPECT_EQ(Series(1).GetTitle(), "0*.IP1");

  EXPECT_EQ(TKorvaleCompare::LegendTitles({"x/0*.IP1", "y/0*.IP1"}, {"/r/x/0*.IP1", "/r/y/0*.IP1"}),
            QStringList({"x/0*.IP1", "y/0*.IP1"}));
  // A name that is the other's end, and two equal names.
  EXPECT_EQ(TKorvaleCompare::LegendTitles({"a0*.IP1", "a0*.IP1"}, {"/a0*.IP1", "a0*.IP1"}),
            QStringList({"/a0*.IP1", "0*.IP1 (2)"}));
  EXPECT_EQ(TKorvaleCompare::LegendTitles({"0*.IP1", "0*.IP1"}, {"same", "same"}),
            QStringList({"0*.IP1 (1)", "0*.IP1 (2)"}));
}

TEST_F(KorvaleCompareTest, TwoCurvesAreDrawnInTheirColours) {
  const auto peak = [](double Centre) {
    return [Centre](double LogS) { return std::exp(-std::pow(LogS - std::log(Centre), 2) / 0.05); };
  };
  AddViewer(QStringLiteral("cell 1 RA1"), 150, 250, peak(4.5e-13));
  AddViewer(QStringLiteral("cell 2 IP2"), 150, 250, peak(7e-13));
  Select({0, 1});
  Refresh(true);
  Chart().SetBounds(0, 0, 800, 400);
  const std::unique_ptr<TBitmap> picture = Chart().KorCreateBitmap();
  int black = 0;
  int red = 0;
  const TRect plot = Chart().GetPlotRect();
  for (int y = plot.Top + 1; y < plot.Bottom - 1; ++y)
    for (int x = plot.Left + 1; x < plot.Right - 1; ++x) {
      black += picture->GetPixel(x, y) == clBlack ? 1 : 0;
      red += picture->GetPixel(x, y) == clRed ? 1 : 0;
    }
  // Each peak rises over most of the plot's height with a 3-pixel pen.
  EXPECT_GT(black, plot.Bottom - plot.Top);
  EXPECT_GT(red, plot.Bottom - plot.Top);
}

}  // namespace

namespace {

// Two viewers that loaded simulated runs: the overlay shows each engine's
// kept corrected curve, normalised by its own total.
TEST_F(KorvaleCompareTest, OverlayOfLoadedViewersFollowsTheirEngines) {
  const SimulatedChannel& run = SimulatedChannel::Absorbance(25);
  const std::filesystem::path dir = FreshTestDir("compare-loaded");
  run.WriteRange(dir, 0, 25);
  for (int v = 0; v < 2; ++v) {
    Viewers.push_back(std::make_unique<TSedDataView>(nullptr, nullptr));
    Viewers.back()->SetSettleMs(0);
    RealTimeGofS& analysis = Viewers.back()->GetAnalysis();
    analysis.ChannelMask = "0*.RA1";
    analysis.MeniscusRadius = 6.05 + 0.01 * v;
    analysis.CellBottom = 7.2;
    Viewers.back()->LoadDataDirectory(QString::fromStdString(dir.string()));
    auto* item = new QListWidgetItem(QStringLiteral("viewer %1").arg(v), Form->ListBoxOpenWindows);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(Viewers.back().get())));
  }
  Select({0, 1});
  for (const bool normalized : {false, true}) {
    Refresh(normalized);
    for (int v = 0; v < 2; ++v) {
      const RealTimeGofS& analysis = Viewers[static_cast<size_t>(v)]->GetAnalysis();
      const TKorvaleCompare::KeptCurve curve = TKorvaleCompare::CorrectedCurveOf(analysis);
      const double co = normalized ? TKorvaleCompare::NormalisationTotal(curve).value_or(0.0) : 1.0;
      ASSERT_GT(co, 0.0);
      const TChartSeries& series = Series(v + 1);
      ASSERT_EQ(series.Count(), static_cast<int>(curve.Y.size()));
      for (int i = 0; i < series.Count(); i += 37) {
        EXPECT_DOUBLE_EQ(series.GetXValues().GetValue(i),
                         std::exp(curve.LogS[static_cast<size_t>(i)]) * 1e13);
        EXPECT_DOUBLE_EQ(series.GetYValues().GetValue(i), curve.Y[static_cast<size_t>(i)] / co);
      }
    }
  }
}

}  // namespace
