#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "analysis/Guisettings.h"
#include "analysis/Zoqutils.h"
#include "app/ScanIntake.h"
#include "platform/TCustomControl.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTimer;
class QToolButton;
class RealTimeGofS;
class TBarSeries;
class TChart;
class TChartEditor;
class TChartSeries;
class TCustomChart;
class TFastLineSeries;
class TRadioGroup;
class TScanSelector;
class TUpDown;
class TWaitWorking;
class ChannelDataStore;
class ExtrapolationFit;
struct TAxisSavedScales;

// The data viewer of one channel of one run directory (interaction role):
// five tabs of charts over the viewer's own analysis state. It loads every
// scan of the channel, polls for scans that the running instrument adds and
// redraws raw scans, dc/dt averages, the corrected distribution, its
// extrapolation and a time course. Loading and polling go through ScanIntake,
// which never takes a scan that is still being written and never leaves one
// out without saying so in the status row.
class TSedDataView : public QWidget {
 public:
  // The charts' first five raw-chart series come in this order; raw scans
  // follow from RawScanSeriesStart on.
  static constexpr int RawScanSeriesStart = 5;
  static constexpr int PollIntervalMs = 10000;
  static constexpr int SlowPollIntervalMs = 30000;
  static constexpr int FastLoadAttempts = 10;

  // OpenWindows is the main window's list of open viewers (not owned); a
  // closing viewer takes its own item out of it.
  TSedDataView(QWidget* AOwner, QListWidget* OpenWindows);
  ~TSedDataView() override;

  // ---- loading and polling
  void LoadDataDirectory(const QString& Directory);
  void LoadAllScans(const QString& Directory);
  void Timer1Timer();
  // Looks again once the files left for later may be decided.
  void RestTimerTimer();
  void ReadNewScans();
  void ButtonChooseScansClick();
  void CloseBtnClick();
  // Takes the viewer out of the comparison and the open-window list and
  // stops polling; the owner frees the viewer (deferred when called from a
  // handler of the viewer itself).
  void FormClose();

  // ---- raw scans
  void PlotRawScans();
  void PlotNewRawScans();

  // ---- averages, corrected set, time course
  void PlotAverageDcDt();
  void RefreshAnalysis();
  void SetupTimeCourseChart();
  // -1 when there is no store or the row is outside its sets.
  int PlotTimeCourseFrame(int Row, TChartSeries* Series);
  void ButtonRefreshPlaybackDataClick() { SetupTimeCourseChart(); }
  void RadioGroupChooseTimeCourseClick() { SetupTimeCourseChart(); }
  void ScrollBarTimeChange();
  void SBPlayClick();
  void SBPauseClick();
  void TabTimeCourseExit();
  void TimerPlayBackTimer();
  void UpDownPlaySpeedClick();

  // ---- extrapolation
  // -1 when nothing was drawn (too few sets, not created), 0 when drawn or
  // only marked out of date.
  int PlotExtrapolation(int End, int Start, bool Forced);
  void ButtonRefreshExtrapolationClick();
  void ScrollBarExtrapolationChange();
  void ScrollBarStartExtrapolationChange();
  void UpDownExtrapolationGraphNumberClick();
  void RadioGroupExtapolationViewClick();

  // ---- indicator bars and chart interaction
  void PlaceIndicatorBars();
  // Room at both ends of the radius axis for the bars' labels.
  void KeepBarLabelsInside();
  // Turns a bar's label up along its bar where it would cover another bar.
  void KeepBarLabelsOffOtherBars();
  // Starts a bar drag when the press (X, Y in chart pixels) is on a bar;
  // the raw chart's axes keep their range until it ends.
  void Chart1ClickSeries(TChartSeries* Series, TMouseButton Button, TShiftState Shift, int X,
                         int Y);
  // Ends a bar drag with the bar at the value under the pointer (X in
  // chart pixels) and recomputes.
  void Chart1MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  int GetDraggedBar() const { return DraggedBar; }
  void EditMWGuessClick();
  void CheckBoxMWGuessClick();
  // Asks for the weight; true when another one was taken.
  bool AskForWeight();

  // ---- results
  void ButtonOutputAsciiClick();
  void ButtonTCOutputAsciiClick();
  // Tag 0 raw data, 1 averages, 2 corrected set, 3 extrapolation.
  void CopyRawBtnClick(int Tag);
  void ZoomOutBtnClick();
  void ChartDblClick(TCustomChart& Chart);
  void PCChange();
  // The chart of the active page, or nullptr.
  TChart* ActiveChart() const;
  void ChartMouseMove(TCustomChart& Chart, TShiftState Shift, int X, int Y);
  void ChartMouseLeave();

  // ---- state read by the main window, the comparison and tests
  RealTimeGofS& GetAnalysis() const { return *Analysis; }
  GuiSettings& GetGui() { return Gui; }
  const QString& GetDataDirectory() const { return DataDirectory; }
  const QStringList& GetFileNames() const { return Intake.GetFileNames(); }
  bool GetDataLoaded() const { return DataLoaded; }
  int GetLoadAttempts() const { return LoadAttempts; }
  int GetSelectionStep() const { return SelectionStep; }
  TScanSelector& GetScanSelector() const { return *ScanSelector; }
  int GetTag() const { return Tag; }
  void SetTag(int Value) { Tag = Value; }
  // The store the time course shows, or nullptr.
  ChannelDataStore* GetTimeCourseStore() const { return TimeCourseStore; }
  // How long a scan file must have rested before it is read, and the clock
  // the intake measures rest with (see ScanIntake); tests change both.
  void SetSettleMs(int Value) { Intake.SetSettleMs(Value); }
  void SetLongRestMs(int Value) { Intake.SetLongRestMs(Value); }
  void SetIntakeClock(ScanIntake::TClock Clock) { Intake.SetClock(std::move(Clock)); }
  const ScanIntake& GetIntake() const { return Intake; }
  // The raw scan series of Chart1 in use (those after the fixed five).
  int RawSeriesInUse() const;
  // The message the status row shows about the data (folder of malformed
  // files, scans left out and why); empty when all is well.
  QString DataProblemText() const;
  // Why the extrapolation view shows nothing; empty once it shows a result.
  const QString& ExtrapolationNoteText() const { return ExtrapolationNote; }
  // Said when the meniscus bar lies outside the scans' radii.
  const QString& MeniscusNoteText() const { return MeniscusNote; }

  // ---- controls (created by the constructor)
  QTabWidget* PC = nullptr;
  QWidget* TabRawData = nullptr;
  QWidget* Avedcdt = nullptr;
  QWidget* TabGofS = nullptr;
  QWidget* TabSheetExtrapolation = nullptr;
  QWidget* TabTimeCourse = nullptr;
  std::unique_ptr<TChart> Chart1;
  std::unique_ptr<TChart> ChartAverage;
  std::unique_ptr<TChart> dcdtChart;
  std::unique_ptr<TChart> ChartExtrapolation;
  std::unique_ptr<TChart> ChartSExtrapolation;
  std::unique_ptr<TChart> TimeCourseChart;
  // Bound to the chart last double-clicked (Chart1 at first); freed before
  // the charts.
  std::unique_ptr<TChartEditor> ChartEditor1;
  TBarSeries* BarSeries = nullptr;
  TFastLineSeries* Template = nullptr;
  TBarSeries* MeniscusBar = nullptr;
  TBarSeries* JitterBar = nullptr;
  TBarSeries* FringeBar = nullptr;
  QLabel* PosXTxt = nullptr;
  QLabel* PosYTxt = nullptr;
  QPushButton* ZoomOutBtn = nullptr;
  QLabel* LabelDir = nullptr;
  QLabel* LabelProblem = nullptr;
  QPushButton* CloseBtn = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* RestTimer = nullptr;  // single shot: files left for later are due
  QTimer* TimerPlayBack = nullptr;
  // Raw tab
  QPushButton* ButtonChooseScans = nullptr;
  QPushButton* CopyRawBtn = nullptr;
  // Average tab
  QLabel* LabelTimeRange = nullptr;
  QLabel* LabelScansUsed = nullptr;
  QPushButton* DcDtCopyBtn = nullptr;
  // Corrected tab
  QPushButton* ButtonOutputAscii = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QLineEdit* EditMWGuess = nullptr;
  QCheckBox* CheckBoxMWGuess = nullptr;
  // Extrapolation tab
  QScrollBar* ScrollBarExtrapolation = nullptr;
  QScrollBar* ScrollBarStartExtrapolation = nullptr;
  QLineEdit* EditExtrapolationDescribe = nullptr;
  QLineEdit* EditExtrapolationStartSet = nullptr;
  QLineEdit* EditExtSetsToShow = nullptr;
  TUpDown* UpDownExtrapolationGraphNumber = nullptr;
  TRadioGroup* RadioGroupExtapolationView = nullptr;
  QPushButton* ButtonRefreshExtrapolation = nullptr;
  QPushButton* BitBtn2 = nullptr;
  // Time-course tab
  TRadioGroup* RadioGroupChooseTimeCourse = nullptr;
  QScrollBar* ScrollBarTime = nullptr;
  QLineEdit* EditTimeCourse1 = nullptr;
  QLineEdit* EditTimeCourse2 = nullptr;
  QToolButton* SBPlay = nullptr;
  QToolButton* SBPause = nullptr;
  TUpDown* UpDownPlaySpeed = nullptr;
  QLineEdit* EditPlayBackSpeed = nullptr;
  QPushButton* ButtonRefreshPlaybackData = nullptr;
  QPushButton* ButtonTCOutputAscii = nullptr;

 protected:
  // A click on the read-only weight edit asks for the weight.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void BuildForm();
  QWidget* BuildRawTab();
  QWidget* BuildAverageTab();
  QWidget* BuildCorrectedTab();
  QWidget* BuildExtrapolationTab();
  QWidget* BuildTimeCourseTab();
  QWidget* BuildStatusRow();
  // Named as the form names it (the chart editor shows the name).
  std::unique_ptr<TChart> NewChart(QWidget* Tab, const char* Name);
  void FormCreate();
  void SetupRawChartSeries();
  void MarkSeriesAsRealData();
  void LoadScans(const QString& Directory, bool CountAttempt);
  void CountLoadAttempt();
  void LookAgainWhenDue(const ScanIntake::TLoadResult& Result);
  void AfterFirstLoad();
  void AfterScansAdded();
  // The dc/dt pairs, averages, corrected sets and every plot of them anew.
  void DeriveAndPlotAll();
  // Runs analysis and drawing steps; memory that runs out ends them.
  void WhileMemoryLasts(const std::function<void()>& Steps);
  void SetupExtrapolationControls();
  void ShowDataProblem();
  void ShowStatusNotes();
  void SetExtrapolationNote(const QString& Text);
  void ShowMeniscusNote();
  // Raw scans
  TChartSeries* RawSeries(int Index);
  void FillRawSeries(TChartSeries& Series, int Set);
  void ShowRawSeries(TChartSeries& Series, int Set);
  TColor RawScanColour(int Set);
  // Makes the raw scan series show exactly the flagged sets: series of sets
  // still flagged stay as they are, the others are taken for new sets.
  void ShowFlaggedScans();
  void FreeRawSeries(TChartSeries& Series);
  // The range of the drawn scans' values, which the bars span.
  void BarSpan(double& Low, double& High) const;
  void HoldRawAxes();
  // Sets the position of bar Bar (1 meniscus, 2 jitter, 3 fringe), in cm.
  void MoveBar(int Bar, double Radius);
  void ReleaseRawAxes();
  // Ends a drag whose button went up, or whose release was lost to a modal
  // window, and recomputes; the bar moves to X only when PointerX is set.
  void EndBarDrag(bool PointerX, int X);
  void ChooseScansAutomatically(int N);
  void ThinManualSelection(int N);
  // Averages and time course
  // What a store's grid value becomes on a chart's x axis: the radius as it
  // is, or s* from its logarithm, in seconds or in Svedberg units.
  enum class TGridX { Radius, Seconds, Svedberg };
  void FillStoreSeries(TChartSeries& Series, const ChannelDataStore& Store, int Set, TGridX X);
  TChartSeries* SeriesOrClone(TChart& Chart, int Index, int PatternIndex);
  // Makes series 1, 2, ... of ChartAverage show dc/dt sets First..Last in
  // order; returns how many series that took.
  int ShowAveragedSources(int First, int Last);
  void PlotCorrectedSet(int AveragedSet);
  void KeepExtrapolationInStep();
  void PlotTimeCourseSources(int Row);
  QString SetTimeText(int Set) const;
  void PlotExtrapolatedValues(const ExtrapolationFit& Fit, int End);
  // Why no grid point of Fit has a value, for the status row.
  QString NoExtrapolationText(const ExtrapolationFit& Fit) const;
  // Why the extrapolated curve ends where it does, when the ending scan cut
  // it short; empty otherwise.
  QString CutByEndingScanText(const ExtrapolationFit& Fit) const;
  void ApplyPlaySpeed(int Speed);
  void WireHandlers();
  void Recompute();
  // The path the user chose for a result file, or empty when cancelled.
  QString AskResultPath();
  void SaveResultLines(const QStringList& Lines, const QString& Path);

  // Own fields, in the order the viewer declares them.
  bool DataLoaded = false;
  int LoadAttempts = 0;
  int DraggedBar = -1;
  RangePosition RawColourCycle;  // index into the raw-scan colours
  QPointer<TWaitWorking> WaitWindow;
  bool PollBusy = false;
  QString DataDirectory;
  ScanIntake Intake;  // FileNames, ScanFilesNow and NewFileNames live here
  int DebugLevel = 5;
  std::unique_ptr<RealTimeGofS> Analysis;
  int SelectionStep = 1;
  int ScansSinceFullPlot = 0;
  GuiSettings Gui;
  // Whether the user's own choice of scans stands. Each viewer keeps its
  // own: a choice made in one viewer must not change what another draws.
  bool ManualSelection = false;
  ChannelDataStore* TimeCourseStore = nullptr;  // one of Analysis's stores
  TScanSelector* ScanSelector = nullptr;        // Qt child of the viewer
  QString DataProblem;
  QString ExtrapolationNote;
  QString MeniscusNote;
  // Memory ran out while the scans were analysed or drawn: no more are
  // taken in.
  bool MemoryRanOut = false;
  // caches: whether the dragged bar has moved, and the raw chart's scales
  // from before the drag (empty when no drag holds them).
  bool BarMoved = false;
  // The dc/dt epoch (RealTimeGofS::GetDcdtEpoch) the average chart's
  // series were filled in: a series tagged with a set of it still shows
  // that set's values.
  long long AverageSeriesEpoch = -1;
  // The fonts and labels of the bars last measured, and their widest label
  // in pixels.
  QStringList BarLabelsMeasured;
  int BarLabelsWidest = 0;
  std::vector<TAxisSavedScales> DragScales;
  // The radius axis' label room, set aside while a drag holds the axes.
  int DragMinimumOffset = 0;
  int DragMaximumOffset = 0;
  QPointer<QListWidget> OpenWindowsList;
  int Tag = 0;
};
