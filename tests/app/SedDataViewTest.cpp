#include "app/UnitSedDataView.h"

#include "app/UnitScanSelector.h"

#include "analysis/Realtimegofs.h"
#include "analysis/Zoqutils.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TKorEventListeners.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/editor/RegisterSeriesEditorForms.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/TBitmap.h"
#include "platform/TElidedLabel.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/LayoutChecks.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <map>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

class SedDataViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    Dir = FreshTestDir("viewer");
    View = std::make_unique<TSedDataView>(nullptr, &OpenWindows);
    RealTimeGofS& analysis = View->GetAnalysis();
    analysis.ChannelMask = "0*.RA1";
    analysis.MeniscusRadius = 6.05;
    analysis.CellBottom = 7.2;
    // Files rest at first sight unless a test says otherwise.
    View->SetSettleMs(0);
    View->resize(900, 600);
  }
  void TearDown() override {
    View.reset();
    UnRegisterSeriesTypes();
  }

  static const SimulatedChannel& Run() { return SimulatedChannel::Absorbance(25); }
  QString DirText() const { return QString::fromStdString(Dir.string()); }
  void Load() { View->LoadDataDirectory(DirText()); }
  ChannelDataStore& Raw() const { return *View->GetAnalysis().RawStore; }
  std::vector<int> DrawnScans() const {
    std::vector<int> drawn;
    for (int i = 0; i < Raw().GetNumberOfSets(); ++i)
      if (Raw().Selected[static_cast<size_t>(i)] > 0) drawn.push_back(i);
    return drawn;
  }
  // The points of a series, to compare with the store they came from.
  static std::vector<std::pair<double, double>> Points(const TChartSeries& Series) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < Series.Count(); ++i)
      points.emplace_back(Series.GetXValues().GetValue(i), Series.GetYValues().GetValue(i));
    return points;
  }

  // Writes scans First on of Run in pieces from a writer thread while the
  // viewer polls, until every scan is in (or a minute and a half passed).
  void WriteInPiecesWhilePolling(const SimulatedChannel& Run, size_t First) {
    View->SetSettleMs(1000);  // generous against a loaded machine
    std::atomic<bool> done{false};
    std::thread writer([&] {
      for (size_t i = First; i < Run.Files.size(); ++i) {
        std::ofstream out(Dir / Run.Files[i].first, std::ios::binary);
        const std::string& text = Run.Files[i].second;
        const size_t piece = text.size() / 4 + 3;
        for (size_t at = 0; at < text.size(); at += piece) {
          out.write(text.data() + at,
                    static_cast<std::streamsize>(std::min(piece, text.size() - at)));
          out.flush();
          std::this_thread::sleep_for(std::chrono::milliseconds(15));
        }
      }
      done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while ((!done || Raw().GetNumberOfSets() < static_cast<int>(Run.Files.size())) &&
           std::chrono::steady_clock::now() < deadline) {
      View->Timer1Timer();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    writer.join();
  }
  // Loads this test's folder into Viewer as the fixture's viewer is set up:
  // the absorbance channel, with the meniscus at Meniscus.
  void LoadAbsorbance(TSedDataView& Viewer, double Meniscus = 6.05) const {
    RealTimeGofS& analysis = Viewer.GetAnalysis();
    analysis.ChannelMask = "0*.RA1";
    analysis.MeniscusRadius = Meniscus;
    analysis.CellBottom = 7.2;
    Viewer.SetSettleMs(0);
    Viewer.LoadDataDirectory(DirText());
  }
  // What the main window sets for an interference channel, with the jitter
  // position in the air above the meniscus of the simulated runs.
  static void SetUpInterference(TSedDataView& Viewer) {
    RealTimeGofS& analysis = Viewer.GetAnalysis();
    analysis.ChannelMask = "0*.IP1";
    analysis.MeniscusRadius = 6.05;
    analysis.CellBottom = 7.2;
    analysis.JitterPosition = 6.03;
    analysis.FringePosition = 6.9;
    analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
    Viewer.SetSettleMs(0);
  }
  static void ExpectSameStore(const ChannelDataStore& A, const ChannelDataStore& B,
                              const char* What) {
    SCOPED_TRACE(What);
    ASSERT_EQ(A.GetNumberOfSets(), B.GetNumberOfSets());
    for (int s = 0; s < A.GetNumberOfSets(); ++s) {
      ASSERT_EQ(A.Headers[static_cast<size_t>(s)].TimeUsed,
                B.Headers[static_cast<size_t>(s)].TimeUsed);
      for (int j = 0; j < A.GetNumberOfPoints(); ++j) {
        ASSERT_EQ(A.GetY(s, j), B.GetY(s, j)) << "set " << s << " point " << j;
        ASSERT_EQ(A.GetError(s, j), B.GetError(s, j)) << "set " << s << " point " << j;
      }
    }
  }
  // The result file the viewer writes to Path, as bytes.
  static std::string SavedResult(TSedDataView& Viewer, const fs::path& Path) {
    const TFileDialogHook previous = SetFileDialogHook([&](const TFileDialogRequest&) {
      return TFileDialogAnswer{true, QString::fromStdString(Path.string()), 1};
    });
    Viewer.ButtonOutputAsciiClick();
    SetFileDialogHook(previous);
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path Dir;
  QListWidget OpenWindows;
  std::unique_ptr<TSedDataView> View;
};

TEST_F(SedDataViewTest, FirstLoadDrawsTheAutomaticSelectionAndTheStores) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  ASSERT_TRUE(View->GetDataLoaded());
  EXPECT_EQ(Raw().GetNumberOfSets(), 25);
  // 25 scans: step 2; scans 0-4, 8, 10, ..., 22 and 24.
  EXPECT_EQ(DrawnScans(), (std::vector<int>{0, 1, 2, 3, 4, 8, 10, 12, 14, 16, 18, 20, 22, 24}));
  EXPECT_EQ(View->GetSelectionStep(), 2);
  EXPECT_EQ(View->RawSeriesInUse(), 14);
  // The first raw series is scan 0 exactly as the store holds it.
  const TChartSeries& first = *View->Chart1->GetSeries(TSedDataView::RawScanSeriesStart);
  ASSERT_GT(first.Count(), 100);
  EXPECT_DOUBLE_EQ(Points(first)[50].first,
                   Raw().GetX(50 + (Raw().GetNumberOfPoints() - first.Count())));
  // The corrected set is drawn from the engine's latest corrected set.
  const RealTimeGofS& analysis = View->GetAnalysis();
  ASSERT_GT(analysis.CorrectedStore->GetNumberOfSets(), 0);
  EXPECT_GT(View->dcdtChart->GetSeries(1)->Count(), 50);
  EXPECT_TRUE(View->LabelScansUsed->text().endsWith(QStringLiteral(" pairs scans used")));
  EXPECT_TRUE(
      View->LabelTimeRange->text().startsWith(QStringLiteral("Time range of scans From: ")));
  EXPECT_TRUE(View->DataProblemText().isEmpty());
  // The bars: meniscus at the analysis' radius, jitter and fringe inactive
  // for absorbance data.
  EXPECT_DOUBLE_EQ(View->MeniscusBar->GetXValues().GetValue(0), 6.05);
  EXPECT_FALSE(View->JitterBar->GetActive());
}

TEST_F(SedDataViewTest, CorrectedPeakSitsAtTheSimulatedS) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  const TChartSeries& corrected = *View->dcdtChart->GetSeries(1);
  double peakX = 0, peakY = -1;
  for (const auto& [x, y] : Points(corrected))
    if (y > peakY) peakX = x, peakY = y;
  // 4.5 S simulated; g(s*) of a single species peaks within a few percent.
  EXPECT_NEAR(peakX, 4.5, 0.4);
}

TEST_F(SedDataViewTest, PollDrawsTheNewScanAndKeepsEveryScanOnce) {
  Run().WriteRange(Dir, 0, 10);
  Load();
  const int correctedBefore = View->GetAnalysis().CorrectedStore->GetNumberOfSets();
  Run().WriteRange(Dir, 10, 12);
  View->Timer1Timer();
  EXPECT_EQ(Raw().GetNumberOfSets(), 12);
  EXPECT_EQ(Raw().Selected[11], 1);
  EXPECT_GE(View->GetAnalysis().CorrectedStore->GetNumberOfSets(), correctedBefore);
  View->Timer1Timer();
  EXPECT_EQ(Raw().GetNumberOfSets(), 12);
  EXPECT_EQ(View->GetFileNames().size(), 12);
}

TEST_F(SedDataViewTest, APollThatFailsPartWayIsFollowedByTheNextPoll) {
  Run().WriteRange(Dir, 0, 10);
  Load();
  // The plot of the first new scan fails, as a chart might.
  struct TFailOnce : IKorEventListener {
    void KorEvent(TKorEvent& Event) override {
      if (!Armed || dynamic_cast<TKorSeriesEvent*>(&Event) == nullptr) return;
      Armed = false;
      throw std::runtime_error("plot refused");
    }
    bool Armed = true;
  } Failing;
  View->Chart1->GetListeners().Add(&Failing);
  Run().WriteRange(Dir, 10, 12);
  View->Timer1Timer();
  EXPECT_FALSE(Failing.Armed);
  EXPECT_TRUE(View->DataProblemText().contains(QStringLiteral("plot refused")));
  Run().WriteRange(Dir, 12, 14);
  View->Timer1Timer();
  View->Chart1->GetListeners().Remove(&Failing);
  EXPECT_EQ(Raw().GetNumberOfSets(), 14);
  EXPECT_EQ(View->GetFileNames().size(), 14);
  EXPECT_EQ(Raw().Selected[13], 1);
}

TEST_F(SedDataViewTest, AViewerWithoutMainWindowClosesItselfWithItsCloseButton) {
  QPointer<TSedDataView> viewer = new TSedDataView(nullptr, &OpenWindows);
  auto* item = new QListWidgetItem(QStringLiteral("viewer"), &OpenWindows);
  item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(viewer.data())));
  auto* other = new QListWidgetItem(QStringLiteral("another"), &OpenWindows);
  viewer->Timer1->start();
  viewer->CloseBtn->click();
  // Out of the list of open viewers at once, its polls stopped ...
  ASSERT_EQ(OpenWindows.count(), 1);
  EXPECT_EQ(OpenWindows.item(0), other);
  ASSERT_FALSE(viewer.isNull());
  EXPECT_FALSE(viewer->Timer1->isActive());
  // ... and freed once the click has been handled.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(viewer.isNull());
}

TEST_F(SedDataViewTest, SeriesEditedInTheChartEditorKeepsItsEditsOverThePoll) {
  RegisterSeriesEditorForms();
  Run().WriteRange(Dir, 0, 10);
  Load();
  auto* corrected = dynamic_cast<TFastLineSeries*>(View->dcdtChart->GetSeries(1));
  ASSERT_NE(corrected, nullptr);
  {
    TFormKorSeries page;
    page.SetSeries(corrected);
    page.show();
    auto* stairs = page.GetFormatForm()->findChild<QCheckBox*>(QStringLiteral("CBStairs"));
    ASSERT_NE(stairs, nullptr);
    stairs->click();
    page.PageSeries->setCurrentWidget(page.TabGeneral);
    ASSERT_TRUE(page.CBShowInLegend->isChecked());
    page.CBShowInLegend->click();
  }
  ASSERT_TRUE(corrected->GetStairs());
  ASSERT_FALSE(corrected->GetShowInLegend());
  Run().WriteRange(Dir, 10, 14);
  View->Timer1Timer();
  // The poll refills the same series, so the scientist's edits stay.
  EXPECT_EQ(View->dcdtChart->GetSeries(1), corrected);
  EXPECT_GT(corrected->Count(), 0);
  EXPECT_TRUE(corrected->GetStairs());
  EXPECT_FALSE(corrected->GetShowInLegend());
  EXPECT_EQ(Raw().GetNumberOfSets(), 14);
}

TEST_F(SedDataViewTest, RawPlottingNeverTakesThePatternOrBarSeries) {
  Run().WriteRange(Dir, 0, 21);
  Load();
  // Deselect everything, then let polls add scans above the cutoff.
  for (int i = 0; i < Raw().GetNumberOfSets(); ++i) Raw().Selected[static_cast<size_t>(i)] = 0;
  View->PlotRawScans();
  for (int i = 0; i < Raw().GetNumberOfSets(); ++i) Raw().Selected[static_cast<size_t>(i)] = 0;
  Run().WriteRange(Dir, 21, 23);
  View->Timer1Timer();
  EXPECT_EQ(View->Chart1->GetSeries(1), static_cast<TChartSeries*>(View->Template));
  EXPECT_FALSE(View->Template->GetActive());
  EXPECT_EQ(View->Template->Count(), 0);
  EXPECT_EQ(View->BarSeries->Count(), 1);
}

TEST_F(SedDataViewTest, EmptyOrMalformedFolderIsRetriedAndSlowsDown) {
  for (int attempt = 0; attempt < 11; ++attempt) View->Timer1Timer();
  EXPECT_FALSE(View->GetDataLoaded());
  EXPECT_EQ(View->Timer1->interval(), TSedDataView::SlowPollIntervalMs);
  WriteTextFile(Dir / "00001.RA1", "nothing\r\nuseful\r\n");
  AgeFile(Dir / "00001.RA1", 60);
  View->LoadDataDirectory(DirText());
  EXPECT_FALSE(View->DataProblemText().isEmpty());
  EXPECT_TRUE(View->isEnabled());
}

TEST_F(SedDataViewTest, SelectOnAViewerThatNeverLoadedOpensAnEmptySelector) {
  int shownCount = -1;
  const TShowModalHook previous = SetShowModalHook([&](QDialog&) {
    shownCount = View->GetScanSelector().GetCount();
    return static_cast<int>(mrCancel);
  });
  View->ButtonChooseScansClick();
  SetShowModalHook(previous);
  EXPECT_EQ(shownCount, 0);
  EXPECT_EQ(View->RawSeriesInUse(), 0);
}

TEST_F(SedDataViewTest, TimeCourseShowsEachStoreAndPlaysBack) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  const RealTimeGofS& analysis = View->GetAnalysis();
  for (int view = 0; view < 3; ++view) {
    View->RadioGroupChooseTimeCourse->SetItemIndex(view);
    View->SetupTimeCourseChart();
    const ChannelDataStore* expected = view == 0   ? analysis.RawStore.get()
                                       : view == 1 ? analysis.AveragedStore.get()
                                                   : analysis.CorrectedStore.get();
    EXPECT_EQ(View->GetTimeCourseStore(), expected);
    EXPECT_EQ(View->ScrollBarTime->maximum(), expected->GetNumberOfSets() - 1);
    EXPECT_GT(View->TimeCourseChart->GetSeries(1)->Count(), 0);
    EXPECT_EQ(!View->ButtonTCOutputAscii->isHidden(), view == 2);
    EXPECT_TRUE(View->EditTimeCourse1->text().startsWith(QStringLiteral("Mean Time = ")));
    EXPECT_EQ(View->TimeCourseChart->GetBottomAxis()->GetLogarithmic(), view != 0);
    EXPECT_GT(View->TimeCourseChart->GetBottomAxis()->GetMinimum(), view == 0 ? 5.0 : 0.0);
  }
  View->ScrollBarTime->setValue(View->ScrollBarTime->maximum());
  View->TimerPlayBackTimer();
  EXPECT_EQ(View->ScrollBarTime->value(), 0);
  EXPECT_EQ(View->PlotTimeCourseFrame(999, View->TimeCourseChart->GetSeries(1)), -1);
}

TEST_F(SedDataViewTest, ChartsStartWithTheirStoredLogarithmicAxesAndTitles) {
  // Before any load or time course, as the window first shows them.
  for (const auto& [chart, title] : {std::pair{View->ChartAverage.get(), "s* log scale"},
                                     {View->dcdtChart.get(), "s*- log scale"},
                                     {View->TimeCourseChart.get(), "s* - log scale"}}) {
    const TChartAxis& bottom = *chart->GetBottomAxis();
    EXPECT_EQ(bottom.GetTitle().GetCaption(), QString::fromLatin1(title));
    EXPECT_TRUE(bottom.GetLogarithmic()) << title;
    EXPECT_DOUBLE_EQ(bottom.GetLogarithmicBase(), M_E) << title;
  }
}

TEST_F(SedDataViewTest, ATimeCourseNeverGivesItsLogarithmicAxisARangeAtOrBelowZero) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  // A padding of more than the whole value puts the padded minimum below 0.
  View->GetGui().graphPadPercent = 1.5;
  for (int view = 1; view < 3; ++view) {
    View->RadioGroupChooseTimeCourse->SetItemIndex(view);
    View->SetupTimeCourseChart();
    TChartAxis& bottom = *View->TimeCourseChart->GetBottomAxis();
    EXPECT_TRUE(bottom.GetLogarithmic()) << view;
    // Left automatic, the axis takes the frame's range, which is positive.
    bottom.AdjustMaxMin();
    EXPECT_GT(bottom.GetMinimum(), 0.0) << view;
    EXPECT_TRUE(View->isEnabled());
  }
  // The linear view takes the padded range as it is.
  View->RadioGroupChooseTimeCourse->SetItemIndex(0);
  View->SetupTimeCourseChart();
  EXPECT_LT(View->TimeCourseChart->GetBottomAxis()->GetMinimum(), 0.0);
}

TEST_F(SedDataViewTest, EveryTabShowsItsControlsWholeApartAndInLine) {
  RealTimeGofS& analysis = View->GetAnalysis();
  const GuiSettings gui;
  analysis.JitterPosition = gui.DefaultJitter;
  analysis.FringePosition = gui.DefaultIntegralFringe;
  analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
  Run().WriteRange(Dir, 0, 25);
  Load();
  View->show();
  for (int i = 0; i < View->PC->count(); ++i) {
    View->PC->setCurrentIndex(i);
    QApplication::processEvents();
    SaveLook(*View, QStringLiteral("viewer-tab%1").arg(i));
    QWidget& tab = *View->PC->currentWidget();
    EXPECT_EQ(OverlappingControls(tab), QStringList()) << View->PC->tabText(i).toStdString();
    EXPECT_EQ(CutCaptions(tab), QStringList()) << View->PC->tabText(i).toStdString();
  }
  // The two scans' edits are as wide as each other.
  EXPECT_EQ(View->EditExtrapolationStartSet->width(), View->EditExtrapolationDescribe->width());
  EXPECT_EQ(View->EditExtrapolationStartSet->x(), View->EditExtrapolationDescribe->x());
  // Each up-down right at the side of its edit, level with it.
  for (const auto& [edit, upDown] :
       {std::pair<QWidget*, QWidget*>{View->EditPlayBackSpeed, View->UpDownPlaySpeed},
        {View->EditExtSetsToShow, View->UpDownExtrapolationGraphNumber}}) {
    const QRect e = edit->geometry();
    const QRect u = upDown->geometry();
    EXPECT_EQ(u.left(), e.right() + 1);
    EXPECT_EQ(u.top(), e.top());
    EXPECT_EQ(u.height(), e.height());
  }
}

TEST_F(SedDataViewTest, TheBarsLabelsStayInsideTheChartAndApart) {
  RealTimeGofS& analysis = View->GetAnalysis();
  analysis.JitterPosition = 6.08;  // beside the meniscus at 6.05
  analysis.FringePosition = 6.9;
  analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
  Run().WriteRange(Dir, 0, 25);
  Load();
  View->PC->setCurrentWidget(View->TabRawData);
  View->show();
  QApplication::processEvents();
  // The radius range starts at the jitter bar's radius or below it.
  analysis.JitterPosition = View->Chart1->GetBottomAxis()->GetMinimum();
  View->PlaceIndicatorBars();
  View->Chart1->Draw();
  SaveLook(*View, QStringLiteral("viewer-bars"));
  const TRect plot = View->Chart1->GetPlotRect();
  std::vector<QRect> boxes;
  for (const TBarSeries* bar : {View->MeniscusBar, View->JitterBar, View->FringeBar})
    for (int i = 0; i < bar->Count(); ++i) {
      const TSeriesMarkPosition* p = bar->GetMarks().GetPositions().Get(i);
      if (bar->GetXLabel(i).trimmed().isEmpty()) {
        EXPECT_EQ(p, nullptr) << "a blank end shows no box";
        continue;
      }
      ASSERT_NE(p, nullptr) << bar->GetXLabel(i).toStdString();
      const QRect box(p->LeftTop.X, p->LeftTop.Y, p->Width, p->Height);
      EXPECT_GE(box.left(), plot.Left) << bar->GetXLabel(i).toStdString();
      EXPECT_LE(box.right(), plot.Right) << bar->GetXLabel(i).toStdString();
      for (const QRect& other : boxes) EXPECT_FALSE(box.intersects(other));
      boxes.push_back(box);
    }
  EXPECT_EQ(boxes.size(), 3u);
}

TEST_F(SedDataViewTest, PlaySpeedSetsTheTimerInterval) {
  for (const auto& [speed, interval] : {std::pair{50, 148}, {100, 1}, {1, 19930}}) {
    View->UpDownPlaySpeed->SetPosition(speed);
    View->UpDownPlaySpeedClick();
    EXPECT_EQ(View->TimerPlayBack->interval(), interval);
    EXPECT_EQ(View->EditPlayBackSpeed->text(), QString::number(speed) + QStringLiteral("%"));
  }
}

TEST_F(SedDataViewTest, ExtrapolationDrawsOnlyWhenForcedOrAlwaysAndNeedsFourSets) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  EXPECT_TRUE(View->ButtonRefreshExtrapolation->isEnabled());  // out of date after the load
  EXPECT_EQ(View->PlotExtrapolation(3, 0, true), -1);          // end - start must be 4 or more
  const int end = View->GetAnalysis().SmoothedStore->GetNumberOfSets() - 1;
  ASSERT_GE(end, 4);
  EXPECT_EQ(View->PlotExtrapolation(end, 0, true), 0);
  EXPECT_FALSE(View->ButtonRefreshExtrapolation->isEnabled());
  const TChartSeries& values = *View->ChartSExtrapolation->GetSeries(2);
  const TChartSeries& newest = *View->ChartSExtrapolation->GetSeries(1);
  EXPECT_GT(values.Count(), 10);
  EXPECT_GT(newest.Count(), 10);
  EXPECT_EQ(View->ChartSExtrapolation->GetSeries(3)->Count(), values.Count());
  // The fits of every nth grid point are drawn against 1/sqrt(t).
  EXPECT_GT(View->ChartExtrapolation->SeriesCount(), 2);
  View->ScrollBarExtrapolationChange();
  EXPECT_TRUE(View->ButtonRefreshExtrapolation->isEnabled());
}

TEST_F(SedDataViewTest, WriterAddingScansInPiecesWhileTheViewerPollsLosesNothing) {
  const SimulatedChannel& run = Run();
  run.WriteRange(Dir, 0, 5);
  Load();
  WriteInPiecesWhilePolling(run, 5);
  ASSERT_EQ(Raw().GetNumberOfSets(), static_cast<int>(run.Files.size()));
  for (size_t i = 0; i < run.Files.size(); ++i)
    EXPECT_EQ(Raw().Headers[i].FileName, run.Files[i].first);
  // The plots show the engine's latest stores.
  const ChannelDataStore& averaged = *View->GetAnalysis().AveragedStore;
  const TChartSeries* last = nullptr;
  for (int i = 1; i < View->ChartAverage->SeriesCount(); ++i)
    if (View->ChartAverage->GetSeries(i)->GetActive()) last = View->ChartAverage->GetSeries(i);
  ASSERT_NE(last, nullptr);
  const int a = averaged.GetNumberOfSets() - 1;
  int valid = 0;
  for (int j = 0; j < averaged.GetNumberOfPoints(); ++j)
    if (averaged.GetError(a, j) >= 0) ++valid;
  EXPECT_EQ(last->Count(), valid);
}

TEST_F(SedDataViewTest, RealInterferenceRunLoadsAndAnalysesCleanly) {
  const fs::path real = RealDataDir("s100a5-wt-ip");
  if (real.empty()) GTEST_SKIP() << "real data not present";
  RealTimeGofS& analysis = View->GetAnalysis();
  analysis.ChannelMask = "0*.IP1";
  analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
  View->LoadDataDirectory(QString::fromStdString(real.string()));
  ASSERT_TRUE(View->GetDataLoaded());
  EXPECT_GT(Raw().GetNumberOfSets(), 10);
  EXPECT_TRUE(View->DataProblemText().isEmpty()) << View->DataProblemText().toStdString();
  EXPECT_EQ(analysis.StatusText.find("Failed"), std::string::npos) << analysis.StatusText;
  EXPECT_GT(View->dcdtChart->GetSeries(1)->Count(), 0);
  EXPECT_TRUE(View->JitterBar->GetActive());
}

TEST_F(SedDataViewTest, MolarMassGuessTakesOnlyWeightsStrictlyBetweenTheLimits) {
  MessageRecorder messages;
  QString answer;
  const TInputQueryHook previous =
      SetInputQueryHook([&](const TInputQueryRequest&, QString& Value) {
        Value = answer;
        return true;
      });
  const TMessageDialogHook previousMessage =
      SetMessageDialogHook([&](const TMessageDialogRequest&) { return static_cast<int>(mrOk); });
  for (const auto& [text, taken] : {std::pair{"100", false},
                                    {"100.5", true},
                                    {"1000000", false},
                                    {"999999", true},
                                    {"heavy", false}}) {
    View->GetAnalysis().MolecularWeight = 150000.0;
    answer = QString::fromLatin1(text);
    View->EditMWGuessClick();
    EXPECT_EQ(View->GetAnalysis().MolecularWeight != 150000.0, taken) << text;
  }
  // Cancel changes nothing.
  SetInputQueryHook([](const TInputQueryRequest&, QString&) { return false; });
  View->EditMWGuessClick();
  EXPECT_EQ(View->GetAnalysis().MolecularWeight, 150000.0);
  SetInputQueryHook(previous);
  SetMessageDialogHook(previousMessage);
}

TEST_F(SedDataViewTest, DraggingTheMeniscusMovesItAndRecomputesOnRelease) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  View->Chart1->Repaint();
  View->Chart1ClickSeries(View->MeniscusBar, mbLeft, TShiftState{ssLeft}, -1, -1);
  EXPECT_EQ(View->GetDraggedBar(), 1);
  View->Chart1ClickSeries(View->MeniscusBar, mbRight, TShiftState{ssRight}, -1, -1);
  EXPECT_EQ(View->GetDraggedBar(), -1);
  View->Chart1ClickSeries(View->JitterBar, mbLeft, TShiftState{ssLeft}, -1, -1);
  EXPECT_EQ(View->GetDraggedBar(), 2);
  View->Chart1MouseUp(mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(View->GetDraggedBar(), -1);
  // Without a drag the pointer only moves the read-out and the bars follow
  // the axis range.
  View->ChartMouseMove(*View->Chart1, TShiftState{}, 300, 200);
  EXPECT_TRUE(View->PosXTxt->text().startsWith(QStringLiteral("X: Radius cm ")));
  EXPECT_DOUBLE_EQ(View->GetAnalysis().MeniscusRadius, 6.05);
  View->ChartMouseLeave();
  EXPECT_EQ(View->PosXTxt->text(), QStringLiteral(" "));
}

TEST_F(SedDataViewTest, ResultFileNeedsACorrectedSetAndCopiesNeedFiles) {
  MessageRecorder messages;
  std::vector<QString> shown;
  const TMessageDialogHook previous = SetMessageDialogHook([&](const TMessageDialogRequest& R) {
    shown.push_back(R.Text);
    return static_cast<int>(mrOk);
  });
  View->ButtonOutputAsciiClick();
  SetMessageDialogHook(previous);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], QStringLiteral("Not enough Data"));
  View->CopyRawBtnClick(0);  // no file names: nothing is copied, nothing fails
  View->PC->setCurrentIndex(3);
  View->RadioGroupExtapolationView->SetItemIndex(-1);
  EXPECT_EQ(View->ActiveChart(), nullptr);
  View->ZoomOutBtnClick();  // no active chart: nothing happens
}

TEST_F(SedDataViewTest, ResultFileIsWrittenWhereTheUserChose) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  const fs::path target = Dir / "result.txt";
  const TFileDialogHook previous = SetFileDialogHook([&](const TFileDialogRequest& R) {
    EXPECT_TRUE(R.FileName.startsWith(QStringLiteral("t dcdt vs sStar for ")));
    return TFileDialogAnswer{true, QString::fromStdString(target.string()), 1};
  });
  View->ButtonOutputAsciiClick();
  SetFileDialogHook(previous);
  std::ifstream in(target);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first.rfind("Output file from Korvale originally named ", 0), 0u);
}

// The meniscus bar dragged with mouse events on the chart's own widget: the
// analysis then equals a fresh load with the meniscus set where it ended.
TEST_F(SedDataViewTest, MouseDragOfTheMeniscusEqualsAFreshLoadThere) {
  Run().WriteRange(Dir, 0, 25);
  View->show();
  Load();
  QApplication::processEvents();  // lays the chart out at its size
  QWidget& host = *View->Chart1->GetWidget();
  View->Chart1->Repaint();
  const TChartAxis& bottom = *View->Chart1->GetBottomAxis();
  const TChartAxis& left = *View->Chart1->GetLeftAxis();
  const QPoint from(bottom.CalcXPosValue(6.05), left.CalcYPosValue(0.5 * left.GetMaximum()));
  const QPoint to(bottom.CalcXPosValue(6.08), from.y());
  auto send = [&](QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
    QMouseEvent event(Type, QPointF(At), host.mapToGlobal(QPointF(At)),
                      Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&host, &event);
  };
  send(QEvent::MouseButtonPress, from, Qt::LeftButton);
  ASSERT_EQ(View->GetDraggedBar(), 1);
  send(QEvent::MouseMove, to, Qt::LeftButton);
  const double dragged = View->GetAnalysis().MeniscusRadius;
  EXPECT_NEAR(dragged, 6.08, 0.005);
  EXPECT_DOUBLE_EQ(View->MeniscusBar->GetXValues().GetValue(0), dragged);
  send(QEvent::MouseButtonRelease, to, Qt::NoButton);
  EXPECT_EQ(View->GetDraggedBar(), -1);

  QListWidget list;
  TSedDataView fresh(nullptr, &list);
  LoadAbsorbance(fresh, dragged);
  const ChannelDataStore& a = *View->GetAnalysis().CorrectedStore;
  const ChannelDataStore& b = *fresh.GetAnalysis().CorrectedStore;
  ASSERT_EQ(a.GetNumberOfSets(), b.GetNumberOfSets());
  const int last = a.GetNumberOfSets() - 1;
  for (int j = 0; j < a.GetNumberOfPoints(); ++j) ASSERT_EQ(a.GetY(last, j), b.GetY(last, j)) << j;
}

TEST_F(SedDataViewTest, ReportPictureIs800By400) {
  Run().WriteRange(Dir, 0, 10);
  Load();
  QApplication::clipboard()->clear();
  View->CopyRawBtnClick(2);
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(800, 400));
}

TEST_F(SedDataViewTest, ResultDialogsStartInTheViewersFolderAndThenWhereTheLastResultWent) {
  ForgetFileDialogFolders();
  Run().WriteRange(Dir, 0, 25);
  Load();
  const fs::path elsewhere = Dir / "results";
  fs::create_directories(elsewhere);
  std::vector<QString> started;
  const TFileDialogHook previous = SetFileDialogHook([&](const TFileDialogRequest& R) {
    started.push_back(R.InitialDir);
    return TFileDialogAnswer{true, QString::fromStdString((elsewhere / "r.txt").string()), 1};
  });
  View->ButtonOutputAsciiClick();
  View->ButtonOutputAsciiClick();
  SetFileDialogHook(previous);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0], DirText());
  EXPECT_EQ(started[1], QString::fromStdString(elsewhere.string()));
  ForgetFileDialogFolders();
}

// Polled scans get exactly the corrections of a first load (jitter over the
// whole window, fringes matched to the corrected scan before) and the same
// dc/dt pairs, so once a noisy interference run with jitter and a fringe
// jump was written in pieces while the viewer polled, the live viewer shows
// bit for bit what a fresh viewer on the finished folder shows.
TEST_F(SedDataViewTest, LiveInterferenceRunEqualsAFreshLoadOfTheFinishedFolder) {
  const SimulatedChannel& run = SimulatedChannel::Interference(30, 18);
  SetUpInterference(*View);
  run.WriteRange(Dir, 0, 5);
  Load();
  WriteInPiecesWhilePolling(run, 5);
  ASSERT_EQ(Raw().GetNumberOfSets(), 30);

  // A minute after the run ended a second viewer opens the folder.
  for (const auto& file : run.Files) AgeFile(Dir / file.first, 60);
  QListWidget list;
  TSedDataView fresh(nullptr, &list);
  SetUpInterference(fresh);
  fresh.LoadDataDirectory(DirText());
  const RealTimeGofS& live = View->GetAnalysis();
  const RealTimeGofS& reload = fresh.GetAnalysis();
  ExpectSameStore(*live.RawStore, *reload.RawStore, "raw");
  ExpectSameStore(*live.DcdtStore, *reload.DcdtStore, "dc/dt");
  ExpectSameStore(*live.AveragedStore, *reload.AveragedStore, "averaged");
  ExpectSameStore(*live.CorrectedStore, *reload.CorrectedStore, "corrected");
  EXPECT_EQ(live.LastCorrectedY, reload.LastCorrectedY);
  EXPECT_EQ(live.LastCorrectedError, reload.LastCorrectedError);
  EXPECT_EQ(Points(*View->dcdtChart->GetSeries(1)), Points(*fresh.dcdtChart->GetSeries(1)));

  // The time course of the corrected sets, frame by frame.
  for (TSedDataView* viewer : {View.get(), &fresh}) {
    viewer->RadioGroupChooseTimeCourse->SetItemIndex(2);
    viewer->SetupTimeCourseChart();
  }
  ASSERT_EQ(View->ScrollBarTime->maximum(), fresh.ScrollBarTime->maximum());
  for (int frame = 0; frame <= fresh.ScrollBarTime->maximum(); frame += 4) {
    View->ScrollBarTime->setValue(frame);
    fresh.ScrollBarTime->setValue(frame);
    EXPECT_EQ(Points(*View->TimeCourseChart->GetSeries(1)),
              Points(*fresh.TimeCourseChart->GetSeries(1)))
        << "frame " << frame;
  }
  const fs::path result = Dir / "result.txt";
  const std::string liveFile = SavedResult(*View, result);
  EXPECT_GT(liveFile.size(), 1000u);
  EXPECT_EQ(liveFile, SavedResult(fresh, result));
}

// The extrapolation tab never stays empty without a word: the status row
// says why no grid point qualifies, and the time-axis legend names what each
// cloned series shows.
TEST_F(SedDataViewTest, EmptyExtrapolationSaysWhyAndClonesSayWhatTheyShow) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  View->GetGui().ExtrapolationCutoff = 2.0;  // above every value of the run
  View->ButtonRefreshExtrapolationClick();
  EXPECT_EQ(View->ChartSExtrapolation->GetSeries(2)->Count(), 0);
  const QString note = View->ExtrapolationNoteText();
  EXPECT_EQ(note,
            QStringLiteral("Extrapolation: no s* qualifies; the ending scan stays below 200 % "
                           "of the largest value."));
  EXPECT_EQ(View->LabelProblem->text(), note);
  // On a laptop's screen the status row shows the reason whole.
  View->resize(1366, 700);
  View->show();
  QApplication::processEvents();
  EXPECT_FALSE(dynamic_cast<const TElidedLabel&>(*View->LabelProblem).IsElided());

  View->GetGui().ExtrapolationCutoff = 0.05;
  View->ButtonRefreshExtrapolationClick();
  EXPECT_GT(View->ChartSExtrapolation->GetSeries(2)->Count(), 10);
  EXPECT_TRUE(View->ExtrapolationNoteText().isEmpty());
  int fits = 0;
  for (int i = 2; i < View->ChartExtrapolation->SeriesCount(); ++i) {
    const TChartSeries& series = *View->ChartExtrapolation->GetSeries(i);
    if (!series.GetActive()) continue;
    EXPECT_FALSE(series.GetTitle().contains(QStringLiteral("Template"))) << i;
    EXPECT_TRUE(series.GetTitle().contains(QStringLiteral(" S")))
        << series.GetTitle().toStdString();
    ++fits;
  }
  EXPECT_GT(fits, 2);

  // Too few sets between the starting and the ending scan.
  EXPECT_EQ(View->PlotExtrapolation(3, 0, true), -1);
  EXPECT_FALSE(View->ExtrapolationNoteText().isEmpty());
}

// A wild-type real run: its ending scan lies in the depleted cell, and the
// status row says so.
TEST_F(SedDataViewTest, RealRunWhoseExtrapolationIsEmptySaysWhy) {
  const fs::path real = RealDataDir("s100a5-wt-ip");
  if (real.empty()) GTEST_SKIP() << "real data not present";
  RealTimeGofS& analysis = View->GetAnalysis();
  analysis.ChannelMask = "0*.IP1";
  analysis.MeniscusRadius = 6.06;
  analysis.JitterPosition = 6.04;
  analysis.FringePosition = 6.9;
  analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
  View->LoadDataDirectory(QString::fromStdString(real.string()));
  View->PC->setCurrentWidget(View->TabSheetExtrapolation);
  EXPECT_EQ(View->ChartSExtrapolation->GetSeries(2)->Count(), 0);
  EXPECT_TRUE(View->ExtrapolationNoteText().contains(QStringLiteral("the ending scan stays below")))
      << View->ExtrapolationNoteText().toStdString();
}

// The status row says how many scans were left out and why.
TEST_F(SedDataViewTest, StatusRowCountsTheScansLeftOutByReason) {
  Run().WriteRange(Dir, 0, 8);
  // The third scan again under a later name: its time does not rise.
  WriteTextFile(Dir / "00009.RA1", Run().Files[2].second);
  AgeFile(Dir / "00009.RA1", 60);
  WriteTextFile(Dir / "00010.RA1", "not a scan\r\n");
  long long clockMs = 0;
  View->SetIntakeClock([&] { return clockMs; });
  Load();
  // The last file is no scan yet: it may still be written.
  EXPECT_EQ(
      View->DataProblemText(),
      QStringLiteral("1 scan file(s) left out: 1 with a time not later than the scan before."));
  clockMs = ScanIntake::DefaultLongRestMs;
  View->Timer1Timer();
  EXPECT_EQ(View->DataProblemText(),
            QStringLiteral("2 scan file(s) left out: 1 unreadable, 1 with a time not later than "
                           "the scan before."));
  EXPECT_TRUE(View->LabelProblem->text().contains(View->DataProblemText()));
}

// After every poll the raw chart draws exactly the scans whose flags (the
// selector's ticks) are set, each once, under its file name.
// A chart's frame takes its axes, grid and labels from the pixels kept of
// the frame before while they stay the same, and puts back only what was
// drawn over them. In a live run, a frame drawn again after a poll, as a
// window asks for it, equals the frame drawn afresh (after a size that
// records another fixed part).
TEST_F(SedDataViewTest, FramesDrawnAgainDuringALiveRunEqualTheFrameDrawnAfresh) {
  const SimulatedChannel& run = SimulatedChannel::Absorbance(12);
  run.WriteRange(Dir, 0, 4);
  View->show();
  QApplication::processEvents();
  Load();
  QWidget& chart = *View->Chart1->GetWidget();
  auto frame = [&] {
    View->Chart1->Invalidate();
    return chart.grab().toImage();
  };
  const QSize size = chart.size();
  int reused = 0;
  for (size_t scan = 4; scan < run.Files.size(); ++scan) {
    run.Write(Dir, scan);
    View->Timer1Timer();
    ASSERT_EQ(Raw().GetNumberOfSets(), static_cast<int>(scan) + 1);
    QImage again;
    for (int n = 0; n < 3; ++n) again = frame();
    if (View->Chart1->GetPanelCanvas().GetFixedLayerReused()) ++reused;
    chart.resize(size + QSize(1, 0));
    frame();
    chart.resize(size);
    ASSERT_EQ(again, frame()) << "after scan " << scan;
  }
  // Scans hidden one by one (as from the chart's series list) in a zoomed
  // chart, whose axes stay, leave no trace of their lines in the frames that
  // follow.
  View->Chart1->GetBottomAxis()->SetMinMax(6.0, 7.0);
  View->Chart1->GetLeftAxis()->SetMinMax(-0.1, 1.1);
  for (int i = TSedDataView::RawScanSeriesStart; i < View->Chart1->SeriesCount(); i += 3) {
    for (int n = 0; n < 3; ++n) frame();  // the kept pixels are in use from the third
    View->Chart1->GetSeries(i)->SetActive(false);
    const QImage kept = frame();
    if (View->Chart1->GetPanelCanvas().GetFixedLayerReused()) ++reused;
    chart.resize(size + QSize(1, 0));
    frame();
    chart.resize(size);
    ASSERT_EQ(kept, frame()) << "series " << i << " hidden";
  }
  EXPECT_GT(reused, 0);
}

TEST_F(SedDataViewTest, RawChartDrawsExactlyTheTickedScansAfterEveryPoll) {
  const SimulatedChannel& run = SimulatedChannel::Absorbance(60);
  run.WriteRange(Dir, 0, 21);
  Load();
  auto drawn = [&] {
    std::vector<int> sets;
    for (int i = TSedDataView::RawScanSeriesStart; i < View->Chart1->SeriesCount(); ++i) {
      const TChartSeries& series = *View->Chart1->GetSeries(i);
      if (!series.GetActive()) continue;
      for (int set = 0; set < Raw().GetNumberOfSets(); ++set)
        if (QString::fromStdString(Raw().Headers[static_cast<size_t>(set)].FileName) ==
            series.GetTitle())
          sets.push_back(set);
      EXPECT_EQ(series.Count(), Raw().GetNumberOfPoints()) << series.GetTitle().toStdString();
    }
    std::sort(sets.begin(), sets.end());
    return sets;
  };
  for (size_t scan = 21; scan < run.Files.size(); ++scan) {
    run.Write(Dir, scan);
    View->Timer1Timer();
    ASSERT_EQ(Raw().GetNumberOfSets(), static_cast<int>(scan) + 1);
    ASSERT_EQ(drawn(), DrawnScans()) << "after scan " << scan;
  }
  // A choice made in the selector, thinned as scans arrive, stays exact too.
  const TShowModalHook previous = SetShowModalHook([&](QDialog&) {
    View->GetScanSelector().ButtonSelectAllClick();
    View->GetScanSelector().ButtonOKClick();
    return static_cast<int>(mrOk);
  });
  View->ButtonChooseScansClick();
  SetShowModalHook(previous);
  EXPECT_EQ(drawn(), DrawnScans());
}

// The molar-mass guess is read as the edit shows it: with the user's
// decimal separator.
TEST_F(SedDataViewTest, MolarMassGuessIsReadWithTheDecimalComma) {
  DecimalCommaLocale locale;
  ASSERT_TRUE(locale.Available()) << "de_DE.UTF-8 is missing: run scripts/install-deps";
  const FormatSettings saved = CurrentFormatSettings();
  SetFormatSettings(FormatSettings::FromLocale(QLocale(QStringLiteral("de_DE"))));
  QString proposed;
  QString answer = QStringLiteral("100,5");
  const TInputQueryHook previous =
      SetInputQueryHook([&](const TInputQueryRequest&, QString& Value) {
        proposed = Value;
        Value = answer;
        return true;
      });
  int errors = 0;
  const TMessageDialogHook previousMessage =
      SetMessageDialogHook([&](const TMessageDialogRequest&) {
        ++errors;
        return static_cast<int>(mrOk);
      });
  View->EditMWGuessClick();
  EXPECT_EQ(View->GetAnalysis().MolecularWeight, 100.5);
  EXPECT_EQ(View->EditMWGuess->text(), QStringLiteral("100,5"));
  // The weight shown is proposed again and confirmed as it stands.
  answer.clear();
  SetInputQueryHook([&](const TInputQueryRequest&, QString& Value) {
    proposed = Value;
    return true;
  });
  View->EditMWGuessClick();
  EXPECT_EQ(proposed, QStringLiteral("100,5"));
  EXPECT_EQ(View->GetAnalysis().MolecularWeight, 100.5);
  EXPECT_EQ(errors, 0);
  SetInputQueryHook(previous);
  SetMessageDialogHook(previousMessage);
  SetFormatSettings(saved);
}

// The series the viewer fills hold its analysis: the chart editor's Data
// Source page shows them as data (not as samples it could replace).
TEST_F(SedDataViewTest, ChartEditorShowsTheViewersSeriesAsData) {
  RegisterSeriesEditorForms();
  Run().WriteRange(Dir, 0, 25);
  Load();
  View->ButtonRefreshExtrapolationClick();
  for (TChartSeries* series :
       {View->Chart1->GetSeries(TSedDataView::RawScanSeriesStart), View->dcdtChart->GetSeries(1),
        View->ChartAverage->GetSeries(1), View->ChartSExtrapolation->GetSeries(2),
        View->ChartExtrapolation->GetSeries(3), static_cast<TChartSeries*>(View->JitterBar)}) {
    SCOPED_TRACE(series->GetTitle().toStdString());
    const auto before = Points(*series);
    TFormKorSeries page;
    page.SetSeries(series);
    page.show();
    page.PageSeries->setCurrentWidget(page.TabDataSource);
    EXPECT_EQ(page.CBDataSourcestyle->currentText(), QStringLiteral("Manual"));
    EXPECT_EQ(Points(*series), before);
  }
}

// A half-written scan taken after the long rest is read again once its
// writer finishes it: its set is replaced and every pair and average it
// took part in recomputed, so the viewer ends as a fresh load does.
TEST_F(SedDataViewTest, ScanFinishedAfterItWasTakenIsReadAgainEverywhere) {
  Run().WriteRange(Dir, 0, 12);
  Load();
  long long clockMs = 0;
  View->SetIntakeClock([&] { return clockMs; });
  const auto& [name, text] = Run().Files[12];
  WriteTextFile(Dir / name, text.substr(0, text.size() / 3));
  AgeFile(Dir / name, 3);
  View->Timer1Timer();  // the piece is seen: it may go on
  clockMs = ScanIntake::DefaultLongRestMs;
  View->Timer1Timer();
  ASSERT_EQ(Raw().GetNumberOfSets(), 13);
  WriteTextFile(Dir / name, text);
  AgeFile(Dir / name, 3);
  View->Timer1Timer();

  AgeFile(Dir / name, 60);
  QListWidget list;
  TSedDataView fresh(nullptr, &list);
  LoadAbsorbance(fresh);
  ExpectSameStore(Raw(), *fresh.GetAnalysis().RawStore, "raw");
  ExpectSameStore(*View->GetAnalysis().CorrectedStore, *fresh.GetAnalysis().CorrectedStore,
                  "corrected");
  EXPECT_EQ(Points(*View->dcdtChart->GetSeries(1)), Points(*fresh.dcdtChart->GetSeries(1)));
  const TChartSeries* newest = nullptr;
  for (int i = TSedDataView::RawScanSeriesStart; i < View->Chart1->SeriesCount(); ++i)
    if (View->Chart1->GetSeries(i)->GetTitle() == QString::fromStdString(name))
      newest = View->Chart1->GetSeries(i);
  ASSERT_NE(newest, nullptr);
  EXPECT_EQ(newest->Count(), Raw().GetNumberOfPoints());
}

// The same on a noisy interference run with a fringe jump: the half of the
// scan before the jump has no value at the fringe position, so the scan of
// the jump cannot be matched to it and keeps its extra fringe until the
// writer finishes the half; then the scans from it on are taken in again
// and corrected as a reload corrects them, to the last bit.
TEST_F(SedDataViewTest, InterferenceScanFinishedLateIsCorrectedAsOnAReload) {
  const SimulatedChannel& run = SimulatedChannel::Interference(30, 18);
  SetUpInterference(*View);
  run.WriteRange(Dir, 0, 17);
  Load();
  long long clockMs = 0;
  View->SetIntakeClock([&] { return clockMs; });
  const auto& [name, text] = run.Files[17];
  WriteTextFile(Dir / name, text.substr(0, text.size() / 3));
  AgeFile(Dir / name, 3);
  View->Timer1Timer();  // the piece is seen: it may go on
  clockMs = ScanIntake::DefaultLongRestMs;
  View->Timer1Timer();
  run.WriteRange(Dir, 18, 20);
  View->Timer1Timer();
  ASSERT_EQ(Raw().GetNumberOfSets(), 20);
  int fringePoint = 0;
  while (Raw().GetX(fringePoint) < View->GetAnalysis().FringePosition) ++fringePoint;
  ASSERT_LT(Raw().GetError(17, fringePoint), 0.0);  // the half ends before it
  WriteTextFile(Dir / name, text);
  AgeFile(Dir / name, 3);
  View->Timer1Timer();

  for (size_t i = 0; i < 20; ++i) AgeFile(Dir / run.Files[i].first, 60);
  QListWidget list;
  TSedDataView fresh(nullptr, &list);
  SetUpInterference(fresh);
  fresh.LoadDataDirectory(DirText());
  ExpectSameStore(Raw(), *fresh.GetAnalysis().RawStore, "raw");
  ExpectSameStore(*View->GetAnalysis().DcdtStore, *fresh.GetAnalysis().DcdtStore, "dc/dt");
  ExpectSameStore(*View->GetAnalysis().CorrectedStore, *fresh.GetAnalysis().CorrectedStore,
                  "corrected");
}

// A real run with two changes of rotor speed: the first load and a live
// viewer that polls the later scans refuse the same scans, say why, and
// end with the same analysis.
TEST_F(SedDataViewTest, RealRunWithSpeedChangesIsTakenAliveAsOnAReload) {
  const fs::path real = RealDataDir("segb-eq-ra2");
  if (real.empty()) GTEST_SKIP() << "real data not present";
  View->GetAnalysis().ChannelMask = "0*.RA2";
  View->LoadDataDirectory(QString::fromStdString(real.string()));
  ASSERT_EQ(Raw().GetNumberOfSets(), 20);  // the scans at 10000 rpm
  EXPECT_EQ(View->DataProblemText(),
            QStringLiteral("24 scan file(s) left out: 24 at another rotor speed than the 10000 "
                           "rpm the analysis uses."));

  // The same scans arriving one by one while a second viewer polls.
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(real))
    if (entry.path().extension() == ".RA2") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  QListWidget list;
  TSedDataView live(nullptr, &list);
  live.SetSettleMs(0);
  live.GetAnalysis().ChannelMask = "0*.RA2";
  live.GetAnalysis().MeniscusRadius = 6.05;
  live.GetAnalysis().CellBottom = 7.2;
  const fs::path folder = FreshTestDir("viewer-speed");
  for (size_t i = 0; i < files.size(); ++i) {
    fs::copy_file(files[i], folder / files[i].filename());
    AgeFile(folder / files[i].filename(), 60);
    if (i == 4) live.LoadDataDirectory(QString::fromStdString(folder.string()));
    if (i > 4) live.Timer1Timer();
  }
  EXPECT_EQ(live.DataProblemText(), View->DataProblemText());
  ExpectSameStore(*live.GetAnalysis().RawStore, Raw(), "raw");
  ExpectSameStore(*live.GetAnalysis().DcdtStore, *View->GetAnalysis().DcdtStore, "dc/dt");
  for (int s = 0; s < View->GetAnalysis().DcdtStore->GetNumberOfSets(); ++s)
    EXPECT_LT(View->GetAnalysis().DcdtStore->Headers[static_cast<size_t>(s)].LastSourceSet, 20);
}

// A poll fills only the average chart's series of dc/dt sets new to the
// average and moves the others up, so the chart holds, series for series
// and pixel for pixel, what a viewer that fills every series anew draws: a
// fresh viewer of the same folder, after every poll.
TEST_F(SedDataViewTest, AverageChartAfterEveryPollEqualsAFreshViewersChart) {
  const SimulatedChannel& run = SimulatedChannel::Absorbance(40);
  run.WriteRange(Dir, 0, 20);
  Load();
  TChart& chart = *View->ChartAverage;
  int kept = 0;  // series that kept their values over a poll
  for (size_t next = 20; next < run.Files.size(); ++next) {
    std::map<const TChartSeries*, QString> before;
    for (int i = 1; i < chart.SeriesCount(); ++i)
      if (chart.GetSeries(i)->GetActive())
        before[chart.GetSeries(i)] = chart.GetSeries(i)->GetTitle();
    run.WriteRange(Dir, next, next + 1);
    View->Timer1Timer();
    ASSERT_EQ(Raw().GetNumberOfSets(), static_cast<int>(next + 1));
    for (int i = 1; i < chart.SeriesCount(); ++i) {
      const auto it = before.find(chart.GetSeries(i));
      if (it != before.end() && chart.GetSeries(i)->GetActive() &&
          it->second == chart.GetSeries(i)->GetTitle() && it->second.startsWith(u"dc/dt"))
        ++kept;
    }

    QListWidget list;
    TSedDataView fresh(nullptr, &list);
    LoadAbsorbance(fresh);
    SCOPED_TRACE(std::to_string(next + 1) + " scans");
    const TChart& other = *fresh.ChartAverage;
    const int series = std::max(chart.SeriesCount(), other.SeriesCount());
    for (int i = 0; i < series; ++i) {
      const TChartSeries* mine = i < chart.SeriesCount() ? chart.GetSeries(i) : nullptr;
      const TChartSeries* theirs = i < other.SeriesCount() ? other.GetSeries(i) : nullptr;
      const bool mineShown = mine != nullptr && mine->GetActive();
      const bool theirsShown = theirs != nullptr && theirs->GetActive();
      ASSERT_EQ(mineShown, theirsShown) << "series " << i;
      if (!mineShown) {
        EXPECT_TRUE(mine == nullptr || mine->Count() == 0) << "series " << i;
        continue;
      }
      EXPECT_EQ(mine->GetTitle(), theirs->GetTitle()) << "series " << i;
      EXPECT_EQ(mine->GetSeriesColor(), theirs->GetSeriesColor()) << "series " << i;
      EXPECT_EQ(mine->GetPen().GetWidth(), theirs->GetPen().GetWidth()) << "series " << i;
      EXPECT_EQ(Points(*mine), Points(*theirs)) << "series " << i;
    }
    EXPECT_EQ(View->LabelScansUsed->text(), fresh.LabelScansUsed->text());
    EXPECT_EQ(View->LabelTimeRange->text(), fresh.LabelTimeRange->text());
    for (TChart* drawn : {&chart, fresh.ChartAverage.get()}) drawn->SetBounds(0, 0, 800, 400);
    EXPECT_EQ(chart.KorCreateBitmap()->Image(), fresh.ChartAverage->KorCreateBitmap()->Image());
  }
  EXPECT_GT(kept, 0);  // the polls did keep series, not only fill them anew
}

// A scan keeps the colour its place in the run gives it: after a drag of
// the meniscus is released, after the scan selector is cancelled and after
// a poll, every raw series has the colour a fresh viewer of the same files
// gives the same scan.
TEST_F(SedDataViewTest, EveryScanKeepsTheColourAFreshViewerGivesIt) {
  Run().WriteRange(Dir, 0, 24);
  Load();
  auto colours = [](const TSedDataView& Viewer) {
    std::map<QString, TColor> byScan;
    for (int i = TSedDataView::RawScanSeriesStart; i < Viewer.Chart1->SeriesCount(); ++i) {
      const TChartSeries& series = *Viewer.Chart1->GetSeries(i);
      if (series.GetActive()) byScan[series.GetTitle()] = series.GetSeriesColor();
    }
    return byScan;
  };
  // A poll draws its new scan among those drawn before, where a fresh
  // viewer chooses anew: the scans both draw are compared.
  auto expectFreshColours = [&](const char* After, bool SameScans) {
    SCOPED_TRACE(After);
    QListWidget list;
    TSedDataView fresh(nullptr, &list);
    LoadAbsorbance(fresh, View->GetAnalysis().MeniscusRadius);
    const auto mine = colours(*View);
    const auto theirs = colours(fresh);
    int both = 0;
    for (const auto& [scan, colour] : mine) {
      if (theirs.count(scan) == 0) continue;
      ++both;
      EXPECT_EQ(colour, theirs.at(scan)) << scan.toStdString();
    }
    EXPECT_GT(both, 5);
    if (SameScans) {
      EXPECT_EQ(mine.size(), theirs.size());
    }
  };
  const auto before = colours(*View);

  View->Chart1ClickSeries(View->MeniscusBar, mbLeft, TShiftState{ssLeft}, -1, -1);
  View->Chart1MouseUp(mbLeft, TShiftState{}, View->Chart1->GetBottomAxis()->CalcXPosValue(6.06), 0);
  EXPECT_EQ(colours(*View), before);  // the same scans, each in its colour
  expectFreshColours("a drag released", true);

  {
    ModalScript script;
    script.AnswerForm([](QDialog&) { return int(mrCancel); });
    View->ButtonChooseScansClick();
  }
  EXPECT_EQ(colours(*View), before);
  expectFreshColours("the selector cancelled", true);

  Run().WriteRange(Dir, 24, 25);
  View->Timer1Timer();
  expectFreshColours("a poll", false);
  EXPECT_EQ(colours(*View).at(QStringLiteral("00025.RA1")),
            colours(*View).at(QStringLiteral("00019.RA1")));
}

// While the molar-mass guess is in use, the weight shown is the weight used:
// a new weight accepted in its box recomputes at once, as a viewer that
// used that weight from the start shows it.
TEST_F(SedDataViewTest, ANewWeightAcceptedWhileTheGuessIsInUseRecomputesAtOnce) {
  Run().WriteRange(Dir, 0, 25);
  Load();
  QString answer = QStringLiteral("150000");
  const TInputQueryHook previous =
      SetInputQueryHook([&](const TInputQueryRequest&, QString& Value) {
        Value = answer;
        return true;
      });
  View->CheckBoxMWGuess->setChecked(true);
  View->CheckBoxMWGuessClick();
  const auto before = Points(*View->dcdtChart->GetSeries(1));
  answer = QStringLiteral("20000");
  View->EditMWGuessClick();
  const auto after = Points(*View->dcdtChart->GetSeries(1));
  EXPECT_NE(after, before);

  QListWidget list;
  TSedDataView fresh(nullptr, &list);
  fresh.GetAnalysis().UseMolecularWeight = true;
  fresh.GetAnalysis().MolecularWeight = 20000;
  LoadAbsorbance(fresh);
  EXPECT_EQ(after, Points(*fresh.dcdtChart->GetSeries(1)));
  // Not in use, a weight waits for the check box.
  View->CheckBoxMWGuess->setChecked(false);
  View->CheckBoxMWGuessClick();
  const auto unused = Points(*View->dcdtChart->GetSeries(1));
  answer = QStringLiteral("90000");
  View->EditMWGuessClick();
  EXPECT_EQ(Points(*View->dcdtChart->GetSeries(1)), unused);
  SetInputQueryHook(previous);
}

// A meniscus bar left where the data have not begun (the default 6.0 cm in
// most runs) gives distributions off by tens of percent: the status row
// says so until the bar is moved into the data, in the user's own numbers.
TEST_F(SedDataViewTest, AMeniscusOutsideTheDataIsSaid) {
  Run().WriteRange(Dir, 0, 12);
  const double first = 6.05 - 0.04;  // the simulated scans begin in the air above
  LoadAbsorbance(*View, 6.0);
  EXPECT_EQ(View->MeniscusNoteText(),
            QStringLiteral("The meniscus bar lies outside the data (6.00 cm; the data start at "
                           "6.01 cm)."));
  EXPECT_TRUE(View->LabelProblem->text().startsWith(View->MeniscusNoteText()));
  View->show();
  QApplication::processEvents();  // lays the chart out at its size
  View->Chart1->Repaint();
  const int inside = View->Chart1->GetBottomAxis()->CalcXPosValue(6.05);
  View->Chart1ClickSeries(View->MeniscusBar, mbLeft, TShiftState{ssLeft}, -1, -1);
  View->ChartMouseMove(*View->Chart1, TShiftState{ssLeft}, inside, 100);
  View->Chart1MouseUp(mbLeft, TShiftState{}, inside, 100);
  EXPECT_GT(View->GetAnalysis().MeniscusRadius, first);
  EXPECT_TRUE(View->MeniscusNoteText().isEmpty());
  EXPECT_TRUE(View->LabelProblem->text().isEmpty());

  const FormatSettings saved = CurrentFormatSettings();
  SetFormatSettings(FormatSettings::FromLocale(QLocale(QStringLiteral("de_DE"))));
  QListWidget list;
  TSedDataView beyond(nullptr, &list);
  LoadAbsorbance(beyond, 7.5);
  SetFormatSettings(saved);
  EXPECT_EQ(beyond.MeniscusNoteText(),
            QStringLiteral("The meniscus bar lies outside the data (7,50 cm; the data end at "
                           "7,17 cm)."));
}

// A fast species reaches the cell bottom before the run ends: later scans
// see smaller s*, so the ending scan has lost the species' upper flank and
// the extrapolated curve stops at it, while the newest corrected curve
// still shows it. The status row says so; an earlier ending scan reaches
// further, and nothing more is said.
TEST_F(SedDataViewTest, AnExtrapolationCutShortByTheEndingScanIsSaid) {
  RunParameters parameters;
  parameters.SpeciesList = {{4.5e-13, 6.0e-7, 0.5}, {9.1e-13, 4.5e-7, 0.5}};
  parameters.ScanCount = 72;
  parameters.GridCells = 1500;
  const SimulatedRun run = SimulateRun(parameters);
  ASSERT_TRUE(run.Error.empty()) << run.Error;
  ScanFileWriter writer(ChannelOptions{});
  std::string error;
  ASSERT_TRUE(writer.Render(run, error) && writer.Save(Dir, error)) << error;
  Load();
  View->PC->setCurrentWidget(View->TabSheetExtrapolation);
  EXPECT_EQ(View->ExtrapolationNoteText(),
            QStringLiteral("Extrapolation ends at 9.12 S, where the ending scan falls below 5 % of "
                           "the largest value, though the newest corrected curve goes on to 11 S: "
                           "an earlier ending scan reaches further."));
  auto reach = [&] {
    const TChartSeries& curve = *View->ChartSExtrapolation->GetSeries(2);
    return curve.Count() > 0 ? curve.GetXValues().GetValue(curve.Count() - 1) : 0.0;
  };
  const double cut = reach();
  View->ScrollBarExtrapolation->setValue(View->ScrollBarExtrapolation->maximum() - 25);
  View->ButtonRefreshExtrapolationClick();
  EXPECT_GT(reach(), cut * 1.1);
  EXPECT_TRUE(View->ExtrapolationNoteText().isEmpty())
      << View->ExtrapolationNoteText().toStdString();
}

// At a window 800 pixels wide the set fields of the extrapolation show
// their texts whole, and the time axis' legend names each fit once.
TEST_F(SedDataViewTest, TheExtrapolationsTextsShowWholeAt800Pixels) {
  Run().WriteRange(Dir, 0, 25);
  View->resize(800, 600);
  View->show();
  Load();
  View->PC->setCurrentWidget(View->TabSheetExtrapolation);
  View->ScrollBarExtrapolationChange();
  QApplication::processEvents();
  for (QLineEdit* field : {View->EditExtrapolationStartSet, View->EditExtrapolationDescribe}) {
    const int room = field->contentsRect().width() - field->textMargins().left() -
                     field->textMargins().right() - 4;  // the frame's own padding
    EXPECT_GE(room, field->fontMetrics().horizontalAdvance(field->text()))
        << field->text().toStdString();
  }
  int named = 0;
  for (int i = 2; i < View->ChartExtrapolation->SeriesCount(); ++i) {
    const TChartSeries& series = *View->ChartExtrapolation->GetSeries(i);
    if (!series.GetActive()) continue;
    EXPECT_EQ(series.GetShowInLegend(), !series.GetTitle().endsWith(QStringLiteral(" data")));
    named += series.GetShowInLegend() ? 1 : 0;
  }
  EXPECT_GT(named, 2);
}

// A bar's label is drawn level across its end; where it would cover another
// bar's line (the jitter bar next to the meniscus) it runs up along its own
// bar instead, and lies level again once the bars are apart.
TEST_F(SedDataViewTest, ABarsLabelNeverCoversAnotherBar) {
  const SimulatedChannel& run = SimulatedChannel::Interference(12);
  SetUpInterference(*View);
  View->GetAnalysis().MeniscusRadius = 6.0;
  View->GetAnalysis().JitterPosition = 6.02;
  run.WriteRange(Dir, 0, 12);
  View->resize(800, 600);
  View->show();
  Load();
  QApplication::processEvents();
  View->Chart1->GetWidget()->repaint();
  EXPECT_EQ(View->JitterBar->GetMarks().GetAngle(), 90);
  EXPECT_EQ(View->MeniscusBar->GetMarks().GetAngle(), 90);
  EXPECT_EQ(View->FringeBar->GetMarks().GetAngle(), 0);
  View->GetAnalysis().JitterPosition = 6.5;
  View->PlaceIndicatorBars();
  View->Chart1->GetWidget()->repaint();
  EXPECT_EQ(View->JitterBar->GetMarks().GetAngle(), 0);
  EXPECT_EQ(View->MeniscusBar->GetMarks().GetAngle(), 0);
}
