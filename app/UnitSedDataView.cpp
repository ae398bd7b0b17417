#include "app/UnitSedDataView.h"

#include "app/ExtrapolationFit.h"
#include "app/IntakeStatusText.h"
#include "app/KorvaleUnit.h"
#include "app/OpenChartEditor.h"
#include "app/RawScanSelection.h"
#include "app/ResultTextFile.h"
#include "app/UnitKorvaleCompare.h"
#include "app/UnitScanSelector.h"
#include "app/UnitWaitWorking.h"
#include "app/report/FileReporter.h"

#include "analysis/Realtimegofs.h"
#include "analysis/Zoqborlandutils.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/editor/TChartEditor.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TErrorSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "platform/FormatSettings.h"
#include "platform/MessageBox.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TElidedLabel.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Green = 0x008000;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Fuchsia = 0xFF00FF;
constexpr TColor Purple = 0x800080;
constexpr TColor Black = 0x000000;
// The raw scans are drawn in these colours in turn.
constexpr TColor RawColours[] = {Red, Blue, Green, Fuchsia, Purple, Black};
constexpr double Svedberg = 1e13;  // s* in seconds to Svedberg units

// Runs Body with the window disabled, enabling it again on every path.
template <class Body>
void WithWindowDisabled(QWidget& Window, Body&& body) {
  Window.setEnabled(false);
  TScopeGuard enable([&Window] { Window.setEnabled(true); });
  body();
}

// An edit with its up-down right at its side, the up-down as high as the
// edit, both at their own width.
QHBoxLayout* EditBesideUpDown(QLineEdit& Edit, TUpDown& UpDown) {
  auto* pair = new QHBoxLayout;
  pair->setSpacing(0);
  UpDown.setFixedSize(16, Edit.sizeHint().height());
  pair->addWidget(&Edit);
  pair->addWidget(&UpDown);
  return pair;
}

QPushButton* Button(const QString& Caption, QWidget* Parent) {
  return new QPushButton(Caption, Parent);
}

QLineEdit* ReadOnlyEdit(QWidget* Parent) {
  auto* edit = new QLineEdit(Parent);
  edit->setReadOnly(true);
  return edit;
}

// A line edit lays its text out anew on every setText, even an equal one:
// polls set these texts every time.
void ShowText(QLineEdit& Edit, const QString& Text) {
  if (Edit.text() != Text) Edit.setText(Text);
}

// The set fields name a set and its time, which a narrow window would cut
// at its start: the field grows to show its text whole (and stays so wide,
// so that it does not move its row at every change).
void ShowWholeText(QLineEdit& Edit, const QString& Text) {
  ShowText(Edit, Text);
  const QMargins margins = Edit.textMargins();
  QStyleOptionFrame frame;
  frame.initFrom(&Edit);
  const QSize needed = Edit.style()->sizeFromContents(
      QStyle::CT_LineEdit, &frame,
      QSize(Edit.fontMetrics().horizontalAdvance(Text) + margins.left() + margins.right() + 6,
            Edit.sizeHint().height()),
      &Edit);
  if (needed.width() > Edit.minimumWidth()) Edit.setMinimumWidth(needed.width());
}

int PlayInterval(int Speed) {
  return static_cast<int>(std::exp((100 - Speed) * 0.1));
}

bool ValidPoint(const ChannelDataStore& Store, int Set, int J) {
  return Store.GetError(Set, J) >= 0.0;
}

}  // namespace

// ------------------------------------------------------------ construction

TSedDataView::TSedDataView(QWidget* AOwner, QListWidget* OpenWindows)
    : QWidget(AOwner), Analysis(std::make_unique<RealTimeGofS>()), OpenWindowsList(OpenWindows) {
  BuildForm();
  ScanSelector = new TScanSelector(this);
  SetupRawChartSeries();
  WireHandlers();
  FormCreate();
}

TSedDataView::~TSedDataView() {
  // The charts' host widgets are children of this widget: free the charts
  // (which delete their hosts) before QWidget's destructor reaches them.
  Chart1.reset();
  ChartAverage.reset();
  dcdtChart.reset();
  ChartExtrapolation.reset();
  ChartSExtrapolation.reset();
  TimeCourseChart.reset();
}

std::unique_ptr<TChart> TSedDataView::NewChart(QWidget* Tab, const char* Name) {
  auto chart = std::make_unique<TChart>(nullptr);
  chart->SetName(Name);
  chart->SetView3D(false);
  chart->SetColor(clWhite);
  chart->GetLegend().SetVisible(false);
  chart->GetTitle().SetVisible(false);
  chart->SetParentWidget(Tab);
  return chart;
}

void TSedDataView::BuildForm() {
  auto* layout = new QVBoxLayout(this);
  PC = new QTabWidget(this);
  PC->setToolTip(QStringLiteral("Double click on chart to bring up graph editor"));
  TabRawData = BuildRawTab();
  Avedcdt = BuildAverageTab();
  TabGofS = BuildCorrectedTab();
  TabSheetExtrapolation = BuildExtrapolationTab();
  TabTimeCourse = BuildTimeCourseTab();
  PC->addTab(TabRawData, QStringLiteral("Raw Data c(r)"));
  PC->addTab(Avedcdt, QStringLiteral("Average  t (dc/dt)"));
  PC->addTab(TabGofS, QStringLiteral("Corrected t (dc/dt)"));
  PC->addTab(TabSheetExtrapolation, QStringLiteral("Extrapolation"));
  PC->addTab(TabTimeCourse, QStringLiteral("Time Course"));
  layout->addWidget(PC, 1);
  layout->addWidget(BuildStatusRow());
  Timer1 = new QTimer(this);
  Timer1->setInterval(PollIntervalMs);
  RestTimer = new QTimer(this);
  RestTimer->setSingleShot(true);
  TimerPlayBack = new QTimer(this);
}

QWidget* TSedDataView::BuildRawTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  auto* row = new QHBoxLayout;
  ButtonChooseScans = Button(QStringLiteral("Select"), tab);
  CopyRawBtn = Button(QStringLiteral("Copy graph to report"), tab);
  row->addWidget(ButtonChooseScans);
  row->addStretch(1);
  row->addWidget(CopyRawBtn);
  layout->addLayout(row);
  Chart1 = NewChart(tab, "Chart1");
  Chart1->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("Radius cm"));
  // The bars carry text labels, which would otherwise replace the radii.
  Chart1->GetBottomAxis()->SetLabelStyle(talValue);
  // The two-point bars would make the axis step by whole centimetres, as an
  // axis of point indices does; a small wanted step grows until the labels
  // fit instead.
  Chart1->GetBottomAxis()->SetIncrement(0.01);
  Chart1->GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("c"));
  layout->addWidget(Chart1->GetWidget(), 1);
  return tab;
}

QWidget* TSedDataView::BuildAverageTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  auto* row = new QHBoxLayout;
  LabelTimeRange = new QLabel(tab);
  LabelScansUsed = new QLabel(tab);
  DcDtCopyBtn = Button(QStringLiteral("Copy graph to report"), tab);
  row->addWidget(LabelTimeRange);
  row->addSpacing(20);
  row->addWidget(LabelScansUsed);
  row->addStretch(1);
  row->addWidget(DcDtCopyBtn);
  layout->addLayout(row);
  ChartAverage = NewChart(tab, "ChartAverage");
  ChartAverage->GetBottomAxis()->SetLogarithmic(true);
  ChartAverage->GetBottomAxis()->SetLogarithmicBase(M_E);
  // s* in seconds is of the order of 1e-13: scientific labels stay readable.
  ChartAverage->GetBottomAxis()->SetAxisValuesFormat(QStringLiteral("0.0E+0"));
  ChartAverage->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("s* log scale"));
  ChartAverage->GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("t (dc/dt)"));
  layout->addWidget(ChartAverage->GetWidget(), 1);
  return tab;
}

QWidget* TSedDataView::BuildCorrectedTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  auto* row = new QHBoxLayout;
  ButtonOutputAscii = Button(QStringLiteral("Output Ascii"), tab);
  BitBtn1 = Button(QStringLiteral("Copy graph to report"), tab);
  CheckBoxMWGuess = new QCheckBox(QStringLiteral("Enter MW for data span"), tab);
  EditMWGuess = ReadOnlyEdit(tab);
  EditMWGuess->setMaximumWidth(120);
  row->addWidget(ButtonOutputAscii);
  row->addWidget(new QLabel(QStringLiteral("Save data in text file"), tab));
  row->addSpacing(20);
  row->addWidget(CheckBoxMWGuess);
  row->addWidget(EditMWGuess);
  row->addStretch(1);
  row->addWidget(BitBtn1);
  layout->addLayout(row);
  dcdtChart = NewChart(tab, "dcdtChart");
  dcdtChart->GetBottomAxis()->SetLogarithmic(true);
  dcdtChart->GetBottomAxis()->SetLogarithmicBase(M_E);
  dcdtChart->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("s*- log scale"));
  dcdtChart->GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("s g(s)"));
  layout->addWidget(dcdtChart->GetWidget(), 1);
  return tab;
}

QWidget* TSedDataView::BuildExtrapolationTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  auto* row1 = new QHBoxLayout;
  auto* row2 = new QHBoxLayout;
  ScrollBarStartExtrapolation = new QScrollBar(Qt::Horizontal, tab);
  ScrollBarExtrapolation = new QScrollBar(Qt::Horizontal, tab);
  EditExtrapolationStartSet = ReadOnlyEdit(tab);
  EditExtrapolationDescribe = ReadOnlyEdit(tab);
  EditExtSetsToShow = ReadOnlyEdit(tab);
  EditExtSetsToShow->setText(QStringLiteral("10"));
  EditExtSetsToShow->setMaximumWidth(50);
  UpDownExtrapolationGraphNumber = new TUpDown(tab);
  UpDownExtrapolationGraphNumber->SetMin(1);
  UpDownExtrapolationGraphNumber->SetMax(500);
  UpDownExtrapolationGraphNumber->SetPosition(10);
  // Typed into as any spin box is: a keyboard user sets the step there.
  UpDownExtrapolationGraphNumber->SetAssociate(EditExtSetsToShow);
  RadioGroupExtapolationView = new TRadioGroup(QStringLiteral("Choose view"), tab);
  RadioGroupExtapolationView->SetColumns(2);
  RadioGroupExtapolationView->SetItems({QStringLiteral("s* axis"), QStringLiteral("time axis")});
  RadioGroupExtapolationView->SetItemIndex(0);
  ButtonRefreshExtrapolation = Button(QStringLiteral("Refresh "), tab);
  BitBtn2 = Button(QStringLiteral("Copy graph to report"), tab);
  // One grid for both rows, so that the two scans' bars and edits line up
  // in equal columns whatever follows them on each row.
  auto* rows = new QGridLayout;
  rows->addWidget(new QLabel(QStringLiteral("Starting scan"), tab), 0, 0);
  rows->addWidget(ScrollBarStartExtrapolation, 0, 1);
  rows->addWidget(EditExtrapolationStartSet, 0, 2);
  row1->addWidget(new QLabel(QStringLiteral("Every nth scan"), tab));
  row1->addLayout(EditBesideUpDown(*EditExtSetsToShow, *UpDownExtrapolationGraphNumber));
  row1->addStretch(1);
  rows->addLayout(row1, 0, 3);
  rows->addWidget(new QLabel(QStringLiteral("Ending scan"), tab), 1, 0);
  rows->addWidget(ScrollBarExtrapolation, 1, 1);
  rows->addWidget(EditExtrapolationDescribe, 1, 2);
  row2->addWidget(RadioGroupExtapolationView);
  row2->addWidget(ButtonRefreshExtrapolation);
  row2->addWidget(BitBtn2);
  rows->addLayout(row2, 1, 3);
  rows->setColumnStretch(1, 1);
  rows->setColumnStretch(2, 1);
  layout->addLayout(rows);
  ChartSExtrapolation = NewChart(tab, "ChartSExtrapolation");
  ChartSExtrapolation->GetBottomAxis()->SetLogarithmic(true);
  ChartSExtrapolation->GetBottomAxis()->SetLogarithmicBase(M_E);
  ChartSExtrapolation->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("s*- log scale"));
  ChartSExtrapolation->GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("s g(s)"));
  ChartExtrapolation = NewChart(tab, "ChartExtrapolation");
  ChartExtrapolation->GetLegend().SetVisible(true);
  ChartExtrapolation->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("1/sqrt(t)"));
  ChartExtrapolation->GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("log(t(dc/dt))"));
  ChartExtrapolation->SetVisible(false);
  layout->addWidget(ChartSExtrapolation->GetWidget(), 1);
  layout->addWidget(ChartExtrapolation->GetWidget(), 1);
  return tab;
}

QWidget* TSedDataView::BuildTimeCourseTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  auto* row1 = new QHBoxLayout;
  auto* row2 = new QHBoxLayout;
  RadioGroupChooseTimeCourse = new TRadioGroup(QStringLiteral("View "), tab);
  RadioGroupChooseTimeCourse->SetColumns(3);
  RadioGroupChooseTimeCourse->SetItems(
      {QStringLiteral("c vs r"), QStringLiteral("tdc/dt vs s*"), QStringLiteral("s g(s) vs s*")});
  RadioGroupChooseTimeCourse->SetItemIndex(0);
  ScrollBarTime = new QScrollBar(Qt::Horizontal, tab);
  ScrollBarTime->setMaximum(50000000);
  EditTimeCourse1 = ReadOnlyEdit(tab);
  EditTimeCourse2 = ReadOnlyEdit(tab);
  SBPlay = new QToolButton(tab);
  SBPlay->setText(QStringLiteral("Play"));
  SBPause = new QToolButton(tab);
  SBPause->setText(QStringLiteral("Pause"));
  auto* group = new QButtonGroup(tab);
  for (QToolButton* b : {SBPlay, SBPause}) {
    b->setCheckable(true);
    group->addButton(b);
  }
  SBPause->setChecked(true);
  UpDownPlaySpeed = new TUpDown(tab);
  UpDownPlaySpeed->SetMin(1);
  UpDownPlaySpeed->SetMax(100);
  UpDownPlaySpeed->SetPosition(50);
  EditPlayBackSpeed = ReadOnlyEdit(tab);
  EditPlayBackSpeed->setText(QStringLiteral("50%"));
  EditPlayBackSpeed->setMaximumWidth(50);
  ButtonRefreshPlaybackData = Button(QStringLiteral("Refresh Data"), tab);
  ButtonTCOutputAscii = Button(QStringLiteral("Output Ascii"), tab);
  ButtonTCOutputAscii->setVisible(false);
  row1->addWidget(RadioGroupChooseTimeCourse);
  row1->addWidget(ButtonRefreshPlaybackData);
  row1->addWidget(ButtonTCOutputAscii);
  row1->addStretch(1);
  row1->addWidget(SBPlay);
  row1->addWidget(SBPause);
  row1->addLayout(EditBesideUpDown(*EditPlayBackSpeed, *UpDownPlaySpeed));
  row2->addWidget(ScrollBarTime, 2);
  row2->addWidget(EditTimeCourse1, 1);
  row2->addWidget(EditTimeCourse2, 2);
  layout->addLayout(row1);
  layout->addLayout(row2);
  TimeCourseChart = NewChart(tab, "TimeCourseChart");
  TimeCourseChart->GetBottomAxis()->SetLogarithmic(true);
  TimeCourseChart->GetBottomAxis()->SetLogarithmicBase(M_E);
  TimeCourseChart->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("s* - log scale"));
  layout->addWidget(TimeCourseChart->GetWidget(), 1);
  return tab;
}

QWidget* TSedDataView::BuildStatusRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  // No text may widen the window: long ones are shortened, the read-outs'
  // numbers always show.
  auto* readX = new TElidedLabel(QStringLiteral(" "), row);
  auto* readY = new TElidedLabel(QStringLiteral(" "), row);
  readX->SetKeepLastWord(true);
  readY->SetKeepLastWord(true);
  PosXTxt = readX;
  PosYTxt = readY;
  ZoomOutBtn = Button(QStringLiteral("Zoom out"), row);
  LabelDir = new TElidedLabel(row);
  LabelProblem = new TElidedLabel(row);
  LabelProblem->setStyleSheet(QStringLiteral("color: #b00000"));
  CloseBtn = Button(QStringLiteral("&Close"), row);
  for (QLabel* label : {PosXTxt, PosYTxt}) label->setMinimumWidth(220);
  layout->addWidget(PosXTxt);
  layout->addWidget(PosYTxt);
  layout->addWidget(ZoomOutBtn);
  layout->addWidget(LabelDir, 1);
  layout->addWidget(LabelProblem);
  layout->addWidget(CloseBtn);
  return row;
}

void TSedDataView::SetupRawChartSeries() {
  BarSeries = new TBarSeries(Chart1.get());
  BarSeries->SetName("BarSeries");
  BarSeries->SetTitle(QStringLiteral("Bar"));
  Template = new TFastLineSeries(Chart1.get());
  Template->SetName("Template");
  MeniscusBar = new TBarSeries(Chart1.get());
  MeniscusBar->SetName("MeniscusBar");
  JitterBar = new TBarSeries(Chart1.get());
  JitterBar->SetName("JitterBar");
  FringeBar = new TBarSeries(Chart1.get());
  FringeBar->SetName("FringeBar");
  for (TChartSeries* s :
       std::initializer_list<TChartSeries*>{BarSeries, Template, MeniscusBar, JitterBar, FringeBar})
    Chart1->AddSeries(s);
  MeniscusBar->SetSeriesColor(Red);
  JitterBar->SetSeriesColor(Green);
  FringeBar->SetSeriesColor(Blue);
  BarSeries->Clear();
  BarSeries->SetActive(false);
  Template->SetActive(false);
  for (TBarSeries* bar : {MeniscusBar, FringeBar, JitterBar}) {
    bar->Clear();
    // Each bar must stand exactly at its radius, not beside the others.
    bar->SetMultiBar(mbNone);
    bar->SetCustomBarWidth(3);
    bar->SetCursor(crDrag);
    // A bar spans its two values from the foot of the plot: from an origin
    // of 0 it would pull the left axis down to 0 for data that lies above.
    bar->SetUseOrigin(false);
    // The blank end of a bar shows no empty box where another bar's label
    // may stand.
    bar->OnGetMarkText = [](TChartSeries*, int, QString& Text) {
      if (Text.trimmed().isEmpty()) Text.clear();
    };
  }
  // The averages, corrected set and time course start from an inactive
  // pattern that is cloned for every curve they need.
  for (TChart* chart :
       {ChartAverage.get(), dcdtChart.get(), TimeCourseChart.get(), ChartSExtrapolation.get()}) {
    auto* pattern = new TFastLineSeries(chart);
    pattern->SetTitle(QStringLiteral("template"));
    chart->AddSeries(pattern);
    pattern->SetActive(false);
  }
  auto* linePattern = new TFastLineSeries(ChartExtrapolation.get());
  linePattern->SetName("LineTemplate");
  linePattern->SetTitle(QStringLiteral("LineTemplate"));
  auto* pointPattern = new TPointSeries(ChartExtrapolation.get());
  pointPattern->SetName("PointTemplate");
  pointPattern->SetTitle(QStringLiteral("PointTemplate"));
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{linePattern, pointPattern}) {
    ChartExtrapolation->AddSeries(s);
    s->SetActive(false);
  }
  // s* chart: pattern, newest corrected set, extrapolated values, error bars.
  for (const QString& title :
       {QStringLiteral("ending corrected set"), QStringLiteral("extrapolated to infinite time")}) {
    auto* line = new TFastLineSeries(ChartSExtrapolation.get());
    line->SetTitle(title);
    ChartSExtrapolation->AddSeries(line);
    line->SetActive(false);
  }
  auto* errors = new TErrorSeries(ChartSExtrapolation.get());
  errors->SetTitle(QStringLiteral("ErrorBars"));
  errors->GetErrorValues().SetName(QStringLiteral("StdError"));
  errors->GetErrorPen().SetColor(Green);
  ChartSExtrapolation->AddSeries(errors);
  errors->SetActive(false);
  MarkSeriesAsRealData();
}

void TSedDataView::MarkSeriesAsRealData() {
  // The program fills every series of the viewer with its analysis; the
  // chart editor must show their values as data and never offer to replace
  // them with samples. Clones of the patterns inherit the mark.
  for (TChart* chart : {Chart1.get(), ChartAverage.get(), dcdtChart.get(), ChartExtrapolation.get(),
                        ChartSExtrapolation.get(), TimeCourseChart.get()})
    for (int i = 0; i < chart->SeriesCount(); ++i) chart->GetSeries(i)->SetManualData(true);
}

void TSedDataView::WireHandlers() {
  auto guarded = [](auto Body) { return [Body] { RunGuarded(Body); }; };
  connect(Timer1, &QTimer::timeout, this, guarded([this] { Timer1Timer(); }));
  connect(RestTimer, &QTimer::timeout, this, guarded([this] { RestTimerTimer(); }));
  connect(TimerPlayBack, &QTimer::timeout, this, guarded([this] { TimerPlayBackTimer(); }));
  connect(ButtonChooseScans, &QPushButton::clicked, this,
          guarded([this] { ButtonChooseScansClick(); }));
  connect(CloseBtn, &QPushButton::clicked, this, guarded([this] { CloseBtnClick(); }));
  connect(ZoomOutBtn, &QPushButton::clicked, this, guarded([this] { ZoomOutBtnClick(); }));
  connect(ButtonOutputAscii, &QPushButton::clicked, this,
          guarded([this] { ButtonOutputAsciiClick(); }));
  connect(ButtonTCOutputAscii, &QPushButton::clicked, this,
          guarded([this] { ButtonTCOutputAsciiClick(); }));
  connect(CheckBoxMWGuess, &QCheckBox::clicked, this, guarded([this] { CheckBoxMWGuessClick(); }));
  EditMWGuess->installEventFilter(this);
  const QPushButton* copyButtons[] = {CopyRawBtn, DcDtCopyBtn, BitBtn1, BitBtn2};
  for (int tag = 0; tag < 4; ++tag)
    connect(copyButtons[tag], &QPushButton::clicked, this,
            [this, tag] { RunGuarded([&] { CopyRawBtnClick(tag); }); });
  connect(PC, &QTabWidget::currentChanged, this, guarded([this] { PCChange(); }));
  connect(ButtonRefreshPlaybackData, &QPushButton::clicked, this,
          guarded([this] { ButtonRefreshPlaybackDataClick(); }));
  RadioGroupChooseTimeCourse->OnClick = [this](TRadioGroup*) { RadioGroupChooseTimeCourseClick(); };
  connect(ScrollBarTime, &QScrollBar::valueChanged, this,
          guarded([this] { ScrollBarTimeChange(); }));
  connect(SBPlay, &QToolButton::clicked, this, guarded([this] { SBPlayClick(); }));
  connect(SBPause, &QToolButton::clicked, this, guarded([this] { SBPauseClick(); }));
  UpDownPlaySpeed->OnClick = [this](TUpDown*, TUDBtnType) { UpDownPlaySpeedClick(); };
  connect(ButtonRefreshExtrapolation, &QPushButton::clicked, this,
          guarded([this] { ButtonRefreshExtrapolationClick(); }));
  connect(ScrollBarExtrapolation, &QScrollBar::valueChanged, this,
          guarded([this] { ScrollBarExtrapolationChange(); }));
  connect(ScrollBarStartExtrapolation, &QScrollBar::valueChanged, this,
          guarded([this] { ScrollBarStartExtrapolationChange(); }));
  UpDownExtrapolationGraphNumber->OnClick = [this](TUpDown*, TUDBtnType) {
    UpDownExtrapolationGraphNumberClick();
  };
  RadioGroupExtapolationView->OnClick = [this](TRadioGroup*) { RadioGroupExtapolationViewClick(); };
  for (TChart* chart : {Chart1.get(), ChartAverage.get(), dcdtChart.get(), ChartExtrapolation.get(),
                        ChartSExtrapolation.get(), TimeCourseChart.get()}) {
    chart->OnMouseMove = [this, chart](TCustomControl*, TShiftState Shift, int X, int Y) {
      ChartMouseMove(*chart, Shift, X, Y);
    };
    chart->OnMouseLeave = [this](TCustomControl*) { ChartMouseLeave(); };
    chart->OnDblClick = [this, chart](TCustomControl*) { ChartDblClick(*chart); };
  }
  ChartEditor1 = std::make_unique<TChartEditor>(nullptr);
  ChartEditor1->SetChart(Chart1.get());
  Chart1->OnClickSeries = [this](TCustomChart*, TChartSeries* Series, int, TMouseButton Button,
                                 TShiftState Shift, int X,
                                 int Y) { Chart1ClickSeries(Series, Button, Shift, X, Y); };
  Chart1->OnMouseUp = [this](TCustomControl*, TMouseButton Button, TShiftState Shift, int X,
                             int Y) { Chart1MouseUp(Button, Shift, X, Y); };
  // Where the bars stand in pixels is known once the axes are laid out,
  // before the series (and their labels) are drawn.
  Chart1->OnBeforeDrawSeries = [this](TCustomAxisPanel*) { KeepBarLabelsOffOtherBars(); };
}

void TSedDataView::FormCreate() {
  WaitWindow = new TWaitWorking(this);
  DataLoaded = false;
  DraggedBar = -1;
  RawColourCycle.SetLowerLimit(0);
  RawColourCycle.SetUpperLimit(5);
  SelectionStep = 1;
  ScansSinceFullPlot = 0;
  PollBusy = false;
  ApplyPlaySpeed(std::clamp(Gui.PlayPercentSpeed, 1, 100));
  Timer1->start();
}

void TSedDataView::ApplyPlaySpeed(int Speed) {
  UpDownPlaySpeed->SetPosition(Speed);
  EditPlayBackSpeed->setText(QString::number(Speed) + QStringLiteral("%"));
  TimerPlayBack->setInterval(PlayInterval(Speed));
}

// ------------------------------------------------------ loading and polling

void TSedDataView::LoadDataDirectory(const QString& Directory) {
  LoadAllScans(Directory);
}

void TSedDataView::LoadAllScans(const QString& Directory) {
  LoadScans(Directory, true);
}

void TSedDataView::LoadScans(const QString& Directory, bool CountAttempt) {
  WithWindowDisabled(*this, [&] {
    if (CountAttempt) CountLoadAttempt();
    ManualSelection = false;
    PlaceIndicatorBars();
    const QString mask = QString::fromStdString(Analysis->ChannelMask);
    LabelDir->setText(Directory + QStringLiteral(" ") + mask);
    DataDirectory = Directory;
    const ScanIntake::TLoadResult result = Intake.LoadAll(Directory, *Analysis);
    if (result.SetsAdded > 0) WhileMemoryLasts([this] { AfterFirstLoad(); });
    ShowDataProblem();
    LookAgainWhenDue(result);
  });
  if (WaitWindow) WaitWindow->hide();
}

void TSedDataView::CountLoadAttempt() {
  if (LoadAttempts < FastLoadAttempts) {
    ++LoadAttempts;
    return;
  }
  // Setting an interval restarts the timer: only the change may do so.
  if (Timer1->interval() != SlowPollIntervalMs) Timer1->setInterval(SlowPollIntervalMs);
}

void TSedDataView::LookAgainWhenDue(const ScanIntake::TLoadResult& Result) {
  // A file left for later only until it has rested is looked at again as
  // soon as it may be decided, not a whole poll later; the poll timer and
  // the count of load attempts stay as they are.
  if (Result.WaitMs < 0 || Result.WaitMs >= Timer1->remainingTime()) return;
  constexpr int AfterRestMs = 50;  // the rest is counted from the last look
  const int due = static_cast<int>(Result.WaitMs) + AfterRestMs;
  if (!RestTimer->isActive() || RestTimer->remainingTime() > due) RestTimer->start(due);
}

void TSedDataView::RestTimerTimer() {
  if (PollBusy) return;
  PollBusy = true;
  TScopeGuard clear([this] { PollBusy = false; });
  if (DataLoaded)
    ReadNewScans();
  else
    LoadScans(DataDirectory, false);
}

void TSedDataView::AfterFirstLoad() {
  if (FileRptFrm) FileRptFrm->ReportDataDirectory(DataDirectory, Intake.GetFileNames());
  DataLoaded = Analysis->RawStore && Analysis->RawStore->GetNumberOfSets() > 0;
  Analysis->IPtransform();
  // Before the plots place the bars: the room the radius axis leaves for
  // their labels is that of the bars shown. Room measured for hidden bars
  // would shrink at the first move of the pointer and shift the axis under
  // the user's first press.
  JitterBar->SetActive(Analysis->JitterCorrectionOn);
  FringeBar->SetActive(Analysis->FringeCorrectionOn);
  DeriveAndPlotAll();
}

void TSedDataView::SetupExtrapolationControls() {
  UpDownExtrapolationGraphNumber->SetMax(std::max(1, Analysis->Settings.sGridNumberOfPoints / 5));
  UpDownExtrapolationGraphNumber->SetPosition(Gui.DefaultExtSetsToPlot);
  const int corrected = Analysis->CorrectedStore ? Analysis->CorrectedStore->GetNumberOfSets() : 0;
  if (corrected >= 2) {
    ScrollBarExtrapolation->setMaximum(corrected - 1);
    ScrollBarExtrapolation->setValue(corrected - 1);
  } else {
    ScrollBarExtrapolation->setMaximum(1);
  }
  EditExtSetsToShow->setText(QString::number(UpDownExtrapolationGraphNumber->GetPosition()));
}

void TSedDataView::ShowDataProblem() {
  const int sets = Analysis->RawStore ? Analysis->RawStore->GetNumberOfSets() : 0;
  DataProblem = IntakeStatusText(Intake, DataDirectory, sets, MemoryRanOut);
  ShowStatusNotes();
}

void TSedDataView::SetExtrapolationNote(const QString& Text) {
  ExtrapolationNote = Text;
  ShowStatusNotes();
}

void TSedDataView::ShowStatusNotes() {
  QStringList notes;
  for (const QString* note : {&MeniscusNote, &DataProblem, &ExtrapolationNote})
    if (!note->isEmpty()) notes << *note;
  LabelProblem->setText(notes.join(QStringLiteral("  ")));
  // A note shows whole as far as the row allows; the directory, shown on
  // the tab as well, takes what is left.
  const bool note = !LabelProblem->text().isEmpty();
  LabelDir->setSizePolicy(note ? QSizePolicy::Ignored : QSizePolicy::Preferred,
                          QSizePolicy::Preferred);
}

QString TSedDataView::DataProblemText() const {
  return DataProblem;
}

void TSedDataView::Timer1Timer() {
  if (PollBusy) return;
  PollBusy = true;
  TScopeGuard clear([this] { PollBusy = false; });
  // A failing poll must not stop the next one: the scans it could not take
  // in are tried again, and the status row says what went wrong meanwhile.
  try {
    if (DataLoaded)
      ReadNewScans();
    else
      LoadDataDirectory(DataDirectory);
  } catch (const std::exception& e) {
    DataProblem = QStringLiteral(
                      "Reading new scans failed (%1); Korvale tries again at the "
                      "next poll.")
                      .arg(QString::fromLocal8Bit(e.what()));
    ShowStatusNotes();
  }
}

void TSedDataView::ReadNewScans() {
  // What did not fit in memory would not fit at the next poll either.
  if (MemoryRanOut) return;
  const ChannelDataStore* rawBefore = Analysis->RawStore.get();
  const ScanIntake::TLoadResult result = Intake.Poll(*Analysis, [this](int) { PlotNewRawScans(); });
  // The stores were made anew on another grid: the time course shows one.
  if (Analysis->RawStore.get() != rawBefore && TimeCourseStore != nullptr)
    TimeCourseStore = nullptr;
  WhileMemoryLasts([&] {
    // Scans taken in again from one on change every pair and average after
    // it: everything is derived as a fresh load derives it.
    if (result.Rebuilt)
      DeriveAndPlotAll();
    else if (result.SetsAdded > 0)
      AfterScansAdded();
  });
  ShowDataProblem();
  LookAgainWhenDue(result);
}

void TSedDataView::WhileMemoryLasts(const std::function<void()>& Steps) {
  // A long run on a machine short of memory: what was analysed and drawn
  // before memory ran out stays, and the status row says so.
  try {
    Steps();
  } catch (const std::bad_alloc&) {
    MemoryRanOut = true;
  }
}

void TSedDataView::AfterScansAdded() {
  Analysis->MakeAllAvgdcdt();
  Analysis->MakeAllCorrecteddCdT();
  PlotAverageDcDt();
}

void TSedDataView::DeriveAndPlotAll() {
  Analysis->Refreshdcdtvss();
  Analysis->MakeAllAvgdcdt();
  Analysis->MakeAllCorrecteddCdT();
  SetupExtrapolationControls();
  PlotRawScans();
  PlotAverageDcDt();
}

void TSedDataView::ButtonChooseScansClick() {
  ChannelDataStore* raw = Analysis->RawStore.get();
  if (raw != nullptr)
    ScanSelector->InitScanSelector(raw->Selected.data(), raw->Headers.data(),
                                   raw->GetNumberOfSets(), SelectionStep);
  else
    ScanSelector->InitScanSelector(nullptr, nullptr, 0, SelectionStep);
  ShowModal(*ScanSelector);
  SelectionStep = std::max(1, ScanSelector->GetStep());
  ManualSelection = !ScanSelector->GetAutomatic();
  PlotRawScans();
}

void TSedDataView::CloseBtnClick() {
  if (KorvaleForm) {
    KorvaleForm->CloseSheetClick(this);
    return;
  }
  // Without a main window the viewer closes itself; it is freed only once
  // this handler has returned.
  FormClose();
  deleteLater();
}

void TSedDataView::FormClose() {
  if (KorvaleCompare) KorvaleCompare->RemoveViewer(this);
  if (OpenWindowsList) {
    for (int i = OpenWindowsList->count() - 1; i >= 0; --i)
      if (OpenWindowsList->item(i)->data(Qt::UserRole).value<QObject*>() == this)
        delete OpenWindowsList->takeItem(i);
    OpenWindowsList->update();
  }
  Timer1->stop();
  RestTimer->stop();
  TimerPlayBack->stop();
}

// ----------------------------------------------------------------- raw scans

int TSedDataView::RawSeriesInUse() const {
  int active = 0;
  for (int i = RawScanSeriesStart; i < Chart1->SeriesCount(); ++i)
    if (Chart1->GetSeries(i)->GetActive()) ++active;
  return active;
}

TChartSeries* TSedDataView::RawSeries(int Index) {
  if (Index >= RawScanSeriesStart && Index < Chart1->SeriesCount()) return Chart1->GetSeries(Index);
  return CloneChartSeries(*Template);
}

void TSedDataView::FillRawSeries(TChartSeries& Series, int Set) {
  const ChannelDataStore& raw = *Analysis->RawStore;
  Series.BeginUpdate();
  Series.Clear();
  for (int j = 0; j < raw.GetNumberOfPoints(); ++j)
    if (ValidPoint(raw, Set, j)) Series.AddXY(raw.GetX(j), raw.GetY(Set, j));
  Series.EndUpdate();
  Series.SetTitle(QString::fromStdString(raw.Headers[static_cast<size_t>(Set)].FileName));
  // The set shown, plus one: polls find the series of a set by it.
  Series.SetTag(Set + 1);
}

void TSedDataView::FreeRawSeries(TChartSeries& Series) {
  Series.Clear();
  Series.SetActive(false);
  Series.SetTag(0);
}

void TSedDataView::ShowRawSeries(TChartSeries& Series, int Set) {
  FillRawSeries(Series, Set);
  Series.SetActive(true);
  Series.SetSeriesColor(RawScanColour(Set));
  Series.Repaint();
}

TColor TSedDataView::RawScanColour(int Set) {
  // A scan's colour follows from its place in the run alone, so that it
  // keeps it through every replot, change of selection and poll, and a
  // live viewer shows each scan in the colour a fresh one gives it.
  const int colours = RawColourCycle.UpperLimit - RawColourCycle.LowerLimit + 1;
  RawColourCycle.Position = RawColourCycle.LowerLimit + Set % colours;
  return RawColours[RawColourCycle.GetPosition()];
}

void TSedDataView::PlotRawScans() {
  for (int i = RawScanSeriesStart; i < Chart1->SeriesCount(); ++i)
    FreeRawSeries(*Chart1->GetSeries(i));
  ChannelDataStore* raw = Analysis->RawStore.get();
  if (raw == nullptr) return;
  const int n = raw->GetNumberOfSets();
  if (ManualSelection)
    ThinManualSelection(n);
  else
    ChooseScansAutomatically(n);
  int next = RawScanSeriesStart;
  for (int set = 0; set < n; ++set) {
    if (raw->Selected[static_cast<size_t>(set)] <= 0) continue;
    ShowRawSeries(*RawSeries(next++), set);
  }
  // The bars span the scans drawn now.
  PlaceIndicatorBars();
}

void TSedDataView::ThinManualSelection(int N) {
  SelectionStep =
      RawScanSelection::ThinManualSelection(Analysis->RawStore->Selected.data(), N,
                                            ScanSelector->GetStep(), ScanSelector->GetShownCount());
  ScansSinceFullPlot = 0;
}

void TSedDataView::ChooseScansAutomatically(int N) {
  const int step =
      RawScanSelection::ChooseAutomatically(Analysis->RawStore->Selected.data(), N, Gui);
  if (step > 0) {
    SelectionStep = step;
    ScansSinceFullPlot = 0;
  }
}

void TSedDataView::PlotNewRawScans() {
  ChannelDataStore& raw = *Analysis->RawStore;
  const int n = raw.GetNumberOfSets();
  const int s = n - 1;
  if (ScansSinceFullPlot * SelectionStep > 0.33 * n) {
    PlotRawScans();
    return;
  }
  if (n < Gui.DrawAllSetsCutoff)
    raw.Selected[static_cast<size_t>(s)] = 1;
  else
    RawScanSelection::FlagNewScan(raw.Selected.data(), s, SelectionStep);
  ShowFlaggedScans();
  ++ScansSinceFullPlot;
}

void TSedDataView::ShowFlaggedScans() {
  const ChannelDataStore& raw = *Analysis->RawStore;
  const int n = raw.GetNumberOfSets();
  auto flagged = [&](int Set) {
    return Set >= 0 && Set < n && raw.Selected[static_cast<size_t>(Set)] > 0;
  };
  std::vector<bool> shown(static_cast<size_t>(n), false);
  std::vector<TChartSeries*> free;
  for (int i = RawScanSeriesStart; i < Chart1->SeriesCount(); ++i) {
    TChartSeries& series = *Chart1->GetSeries(i);
    const int set = series.GetTag() - 1;
    if (series.GetActive() && flagged(set) && !shown[static_cast<size_t>(set)]) {
      shown[static_cast<size_t>(set)] = true;
      continue;
    }
    FreeRawSeries(series);
    free.push_back(&series);
  }
  size_t nextFree = 0;
  for (int set = 0; set < n; ++set) {
    if (!flagged(set) || shown[static_cast<size_t>(set)]) continue;
    TChartSeries& series =
        nextFree < free.size() ? *free[nextFree++] : *CloneChartSeries(*Template);
    ShowRawSeries(series, set);
  }
  PlaceIndicatorBars();
}

// ------------------------------------------- averages and corrected set

TChartSeries* TSedDataView::SeriesOrClone(TChart& Chart, int Index, int PatternIndex) {
  if (Index < Chart.SeriesCount()) return Chart.GetSeries(Index);
  return CloneChartSeries(*Chart.GetSeries(PatternIndex));
}

void TSedDataView::FillStoreSeries(TChartSeries& Series, const ChannelDataStore& Store, int Set,
                                   TGridX X) {
  Series.BeginUpdate();
  Series.Clear();
  for (int j = 0; j < Store.GetNumberOfPoints(); ++j)
    if (ValidPoint(Store, Set, j)) {
      const double grid = Store.GetX(j);
      const double x = X == TGridX::Radius    ? grid
                       : X == TGridX::Seconds ? std::exp(grid)
                                              : std::exp(grid) * Svedberg;
      Series.AddXY(x, Store.GetY(Set, j));
    }
  Series.EndUpdate();
}

void TSedDataView::PlotAverageDcDt() {
  const ChannelDataStore* averaged = Analysis->AveragedStore.get();
  const ChannelDataStore* dcdt = Analysis->DcdtStore.get();
  if (averaged == nullptr || dcdt == nullptr || averaged->GetNumberOfSets() < 1) {
    for (int i = 0; i < ChartAverage->SeriesCount(); ++i) {
      ChartAverage->GetSeries(i)->Clear();
      ChartAverage->GetSeries(i)->SetActive(false);
    }
    return;
  }
  const int a = averaged->GetNumberOfSets() - 1;
  const int f = averaged->Headers[static_cast<size_t>(a)].FirstSourceSet;
  const int l = averaged->Headers[static_cast<size_t>(a)].LastSourceSet;
  LabelTimeRange->setText(QStringLiteral("Time range of scans From: ") +
                          FormatFloat(QStringLiteral("#,###,###"),
                                      dcdt->Headers[static_cast<size_t>(std::max(0, f))].TimeUsed) +
                          QStringLiteral(" to ") +
                          FormatFloat(QStringLiteral("#,###,###"),
                                      dcdt->Headers[static_cast<size_t>(std::max(0, l))].TimeUsed) +
                          QStringLiteral(" sec"));
  LabelScansUsed->setText(QString::number(l - f + 1) + QStringLiteral(" pairs scans used"));
  TChartSeries& pattern = *ChartAverage->GetSeries(0);
  pattern.Clear();
  pattern.SetActive(false);
  const int next =
      1 + ShowAveragedSources(std::max(0, f), std::min(l, dcdt->GetNumberOfSets() - 1));
  TChartSeries* average = SeriesOrClone(*ChartAverage, next, 0);
  FillStoreSeries(*average, *averaged, a, TGridX::Seconds);
  average->SetTitle(QStringLiteral("average of dc/dt sets %1 to %2").arg(f).arg(l));
  average->SetTag(0);
  average->SetActive(true);
  average->SetSeriesColor(Red);
  average->GetPen().SetWidth(3);
  average->Repaint();
  for (int i = next + 1; i < ChartAverage->SeriesCount(); ++i) {
    TChartSeries& unused = *ChartAverage->GetSeries(i);
    unused.Clear();
    unused.SetActive(false);
    unused.SetTag(0);
  }
  PlotCorrectedSet(a);
}

int TSedDataView::ShowAveragedSources(int First, int Last) {
  // A poll moves the window of averaged sets on by a set or two: the series
  // of sets still in it keep their values and only move up, and only the
  // new sets are filled. What the chart then holds, in order, is what
  // filling every series anew gives.
  TChart& chart = *ChartAverage;
  const ChannelDataStore& dcdt = *Analysis->DcdtStore;
  const bool valuesKept = Analysis->GetDcdtEpoch() == AverageSeriesEpoch;
  AverageSeriesEpoch = Analysis->GetDcdtEpoch();
  const int count = std::max(0, Last - First + 1);
  std::vector<TChartSeries*> showing(static_cast<size_t>(count), nullptr);
  std::vector<TChartSeries*> free;
  for (int i = 1; i < chart.SeriesCount(); ++i) {
    TChartSeries* series = chart.GetSeries(i);
    const int set = series->GetTag() - 1;
    const auto at = static_cast<size_t>(set - First);
    if (valuesKept && series->GetActive() && set >= First && set <= Last && !showing[at])
      showing[at] = series;
    else
      free.push_back(series);
  }
  size_t nextFree = 0;
  for (int p = 0; p < count; ++p) {
    TChartSeries* series = showing[static_cast<size_t>(p)];
    if (series == nullptr) {
      series = nextFree < free.size() ? free[nextFree++] : CloneChartSeries(*chart.GetSeries(0));
      FillStoreSeries(*series, dcdt, First + p, TGridX::Seconds);
      series->SetTitle(QStringLiteral("dc/dt set %1").arg(First + p));
      series->SetTag(First + p + 1);
    }
    const int index = chart.IndexOfSeries(series);
    if (index != p + 1) chart.ExchangeSeries(p + 1, index);
    series->SetActive(true);
    series->SetSeriesColor(Blue);
    series->GetPen().SetWidth(1);
    series->Repaint();
  }
  return count;
}

void TSedDataView::PlotCorrectedSet(int AveragedSet) {
  const ChannelDataStore* corrected = Analysis->CorrectedStore.get();
  if (corrected == nullptr) return;
  TChartSeries* series = SeriesOrClone(*dcdtChart, 1, 0);
  series->BeginUpdate();
  series->Clear();
  const bool hasSet = AveragedSet < corrected->GetNumberOfSets();
  const auto& keptX = Analysis->LastCorrectedX;
  const auto& keptY = Analysis->LastCorrectedY;
  const auto& keptError = Analysis->LastCorrectedError;
  for (int j = 0; j < corrected->GetNumberOfPoints(); ++j) {
    const auto u = static_cast<size_t>(j);
    if (hasSet && ValidPoint(*corrected, AveragedSet, j))
      series->AddXY(std::exp(corrected->GetX(j)) * Svedberg, corrected->GetY(AveragedSet, j));
    else if (u < keptError.size() && u < keptX.size() && u < keptY.size() && keptError[u] > 0)
      series->AddXY(std::exp(keptX[u]) * Svedberg, keptY[u]);
  }
  series->EndUpdate();
  series->SetTitle(QStringLiteral("corrected t dc/dt"));
  series->SetActive(true);
  series->SetSeriesColor(Green);
  series->GetPen().SetWidth(3);
  series->Repaint();
  KeepExtrapolationInStep();
}

void TSedDataView::KeepExtrapolationInStep() {
  const int corrected = Analysis->CorrectedStore->GetNumberOfSets();
  if (ScrollBarExtrapolation->value() == ScrollBarExtrapolation->maximum()) {
    const int last = std::max(0, corrected - 1);
    const bool moves = ScrollBarExtrapolation->maximum() != last;
    ScrollBarExtrapolation->setMaximum(last);
    ScrollBarExtrapolation->setValue(last);
    // The scroll bar's change handler redraws; call it when nothing moved.
    if (!moves) ScrollBarExtrapolationChange();
  } else {
    PlotExtrapolation(ScrollBarExtrapolation->value(), ScrollBarStartExtrapolation->value(), false);
  }
}

void TSedDataView::RefreshAnalysis() {
  WithWindowDisabled(*this, [&] {
    Analysis->Refreshdcdtvss();
    Analysis->MakeAllAvgdcdt();
    Analysis->MakeAllCorrecteddCdT();
    PlotAverageDcDt();
  });
  if (WaitWindow) WaitWindow->hide();
}

// --------------------------------------------------------------- time course

void TSedDataView::SetupTimeCourseChart() {
  for (int i = 0; i < TimeCourseChart->SeriesCount(); ++i)
    TimeCourseChart->GetSeries(i)->SetActive(false);
  WithWindowDisabled(*this, [&] {
    const int view = RadioGroupChooseTimeCourse->GetItemIndex();
    TimeCourseStore = view == 1   ? Analysis->AveragedStore.get()
                      : view == 2 ? Analysis->CorrectedStore.get()
                                  : Analysis->RawStore.get();
    ButtonTCOutputAscii->setVisible(view == 2);
    TChartAxis& bottom = *TimeCourseChart->GetBottomAxis();
    TChartAxis& left = *TimeCourseChart->GetLeftAxis();
    bottom.SetLogarithmic(view != 0);
    if (view != 0) bottom.SetLogarithmicBase(M_E);
    if (TimeCourseStore == nullptr) return;
    const DataLimits limits = FindLimits(TimeCourseStore, -1, true);
    const double pad = Gui.graphPadPercent;
    // A store without valid points leaves the extremes at their start
    // values: keep the axes automatic rather than set a nonsense range.
    if (limits.XMinimum <= limits.XMaximum && limits.YMinimum <= limits.YMaximum) {
      const double xMin = view == 0 ? limits.XMinimum : std::exp(limits.XMinimum) * Svedberg;
      const double xMax = view == 0 ? limits.XMaximum : std::exp(limits.XMaximum) * Svedberg;
      const double low = PadBelow(xMin, pad);
      if (view == 0 || low > 0) bottom.SetMinMax(low, PadAbove(xMax, pad));
      left.SetMinMax(PadBelow(limits.YMinimum, pad), PadAbove(limits.YMaximum, pad));
    } else {
      bottom.SetAutomatic(true);
      left.SetAutomatic(true);
    }
    const int sets = TimeCourseStore->GetNumberOfSets();
    {
      const QSignalBlocker block(ScrollBarTime);
      ScrollBarTime->setMinimum(0);
      ScrollBarTime->setMaximum(std::max(0, sets - 1));
      ScrollBarTime->setValue(0);
    }
    bottom.GetTitle().SetCaption(QString::fromStdString(TimeCourseStore->XTitle));
    left.GetTitle().SetCaption(QString::fromStdString(TimeCourseStore->YTitle));
    if (sets > 0) PlotTimeCourseFrame(0, SeriesOrClone(*TimeCourseChart, 1, 0));
  });
}

int TSedDataView::PlotTimeCourseFrame(int Row, TChartSeries* Series) {
  const ChannelDataStore* store = TimeCourseStore;
  if (store == nullptr || Series == nullptr || Row < 0 || Row >= store->GetNumberOfSets())
    return -1;
  const bool averaged = store == Analysis->AveragedStore.get();
  const bool svedberg = averaged || store == Analysis->CorrectedStore.get();
  FillStoreSeries(*Series, *store, Row, svedberg ? TGridX::Svedberg : TGridX::Radius);
  Series->SetTitle(QStringLiteral("set %1").arg(Row));
  Series->SetActive(true);
  Series->SetSeriesColor(Fuchsia);
  Series->GetPen().SetWidth(averaged ? 3 : 1);
  Series->Repaint();
  const ScanHeader& header = store->Headers[static_cast<size_t>(Row)];
  EditTimeCourse1->setText(QStringLiteral("Mean Time = ") +
                           FloatToStr(RoundToPowerOfTen(header.TimeUsed, -2)));
  const QString description = QString::fromStdString(Analysis->GetSetDescription(store, Row));
  const qsizetype caret = description.indexOf(u'^');
  EditTimeCourse2->setText(caret < 0 ? description : description.left(caret));
  EditTimeCourse2->setToolTip(caret < 0 ? QString() : description.mid(caret + 1));
  if (averaged) PlotTimeCourseSources(Row);
  return 0;
}

void TSedDataView::PlotTimeCourseSources(int Row) {
  for (int i = 2; i < TimeCourseChart->SeriesCount(); ++i)
    TimeCourseChart->GetSeries(i)->SetActive(false);
  const ChannelDataStore& dcdt = *Analysis->DcdtStore;
  const ScanHeader& header = TimeCourseStore->Headers[static_cast<size_t>(Row)];
  const int f = std::max(0, header.FirstSourceSet);
  const int l = std::min(header.LastSourceSet, dcdt.GetNumberOfSets() - 1);
  const int step = l - f < 26 ? 1 : (l - f) / 5;
  int next = 2;
  for (int k = f; k <= l; k += step) {
    TChartSeries* series = SeriesOrClone(*TimeCourseChart, next++, 0);
    FillStoreSeries(*series, dcdt, k, TGridX::Svedberg);
    series->SetTitle(QStringLiteral("dc/dt set %1").arg(k));
    series->SetActive(true);
    series->SetSeriesColor(Blue);
    series->GetPen().SetWidth(1);
    series->Repaint();
  }
}

void TSedDataView::ScrollBarTimeChange() {
  PlotTimeCourseFrame(ScrollBarTime->value(), SeriesOrClone(*TimeCourseChart, 1, 0));
}

void TSedDataView::SBPlayClick() {
  TimerPlayBack->start();
}

void TSedDataView::SBPauseClick() {
  TimerPlayBack->stop();
}

void TSedDataView::TabTimeCourseExit() {
  TimerPlayBack->stop();
  SBPause->setChecked(true);
}

void TSedDataView::TimerPlayBackTimer() {
  const int next = ScrollBarTime->value() >= ScrollBarTime->maximum() ? ScrollBarTime->minimum()
                                                                      : ScrollBarTime->value() + 1;
  ScrollBarTime->setValue(next);
}

void TSedDataView::UpDownPlaySpeedClick() {
  ApplyPlaySpeed(UpDownPlaySpeed->GetPosition());
}

// ------------------------------------------------------------- extrapolation

QString TSedDataView::SetTimeText(int Set) const {
  const ChannelDataStore* smoothed = Analysis->SmoothedStore.get();
  const double time = smoothed != nullptr && Set >= 0 && Set < smoothed->GetNumberOfSets()
                          ? smoothed->Headers[static_cast<size_t>(Set)].TimeUsed
                          : 0.0;
  return QStringLiteral("Set ") + QString::number(Set) + QStringLiteral(", mean time ") +
         FloatToStr(RoundToPowerOfTen(time, 0));
}

void TSedDataView::ScrollBarExtrapolationChange() {
  const int end = ScrollBarExtrapolation->value();
  int start = ScrollBarStartExtrapolation->value();
  if (start >= end - 3) {
    start = std::max(0, end - 4);
    const QSignalBlocker block(ScrollBarStartExtrapolation);
    ScrollBarStartExtrapolation->setValue(start);
    ShowWholeText(*EditExtrapolationStartSet, SetTimeText(start));
  }
  if (end > 4) {
    const QSignalBlocker block(ScrollBarStartExtrapolation);
    ScrollBarStartExtrapolation->setMaximum(end - 4);
    ShowWholeText(*EditExtrapolationStartSet, SetTimeText(start));
  }
  ShowWholeText(*EditExtrapolationDescribe, SetTimeText(end));
  PlotExtrapolation(end, start, false);
}

void TSedDataView::ScrollBarStartExtrapolationChange() {
  ShowWholeText(*EditExtrapolationStartSet, SetTimeText(ScrollBarStartExtrapolation->value()));
  PlotExtrapolation(ScrollBarExtrapolation->value(), ScrollBarStartExtrapolation->value(), false);
}

void TSedDataView::UpDownExtrapolationGraphNumberClick() {
  EditExtSetsToShow->setText(QString::number(UpDownExtrapolationGraphNumber->GetPosition()));
  PlotExtrapolation(ScrollBarExtrapolation->value(), ScrollBarStartExtrapolation->value(), false);
}

void TSedDataView::ButtonRefreshExtrapolationClick() {
  PlotExtrapolation(ScrollBarExtrapolation->value(), ScrollBarStartExtrapolation->value(), true);
}

void TSedDataView::RadioGroupExtapolationViewClick() {
  const QString text = RadioGroupExtapolationView->Item(RadioGroupExtapolationView->GetItemIndex());
  if (text == QStringLiteral("s* axis")) {
    ChartSExtrapolation->SetVisible(true);
    ChartExtrapolation->SetVisible(false);
  } else if (text == QStringLiteral("time axis")) {
    ChartSExtrapolation->SetVisible(false);
    ChartExtrapolation->SetVisible(true);
  }
}

int TSedDataView::PlotExtrapolation(int End, int Start, bool Forced) {
  if (!Forced && !Gui.bAlwaysPlotExtrapolation) {
    ButtonRefreshExtrapolation->setEnabled(true);
    return 0;
  }
  const ChannelDataStore* smoothed = Analysis->SmoothedStore.get();
  if (smoothed == nullptr || !Analysis->IsCreated() || smoothed->GetNumberOfSets() <= 3) {
    SetExtrapolationNote(QStringLiteral("Extrapolation: it needs more than three corrected sets; "
                                        "there are %1 so far.")
                             .arg(smoothed != nullptr ? smoothed->GetNumberOfSets() : 0));
    return -1;
  }
  Start = std::max(0, Start);
  End = std::min(End, smoothed->GetNumberOfSets() - 1);
  if (End - Start <= 3) {
    SetExtrapolationNote(QStringLiteral(
        "Extrapolation: the starting scan must lie at least four sets before the ending scan."));
    return -1;
  }
  ButtonRefreshExtrapolation->setEnabled(false);
  SeriesColourCycler cycle;
  cycle.Range.SetUpperLimit(13);
  for (TChart* chart : {ChartExtrapolation.get(), ChartSExtrapolation.get()})
    for (int i = 0; i < chart->SeriesCount(); ++i) chart->GetSeries(i)->SetActive(false);
  ExtrapolationFit fit(Gui, Analysis->Settings.DefaultIgnoreTag);
  fit.Compute(*smoothed, End, Start);
  if (fit.FailedFits() > 0) ShowMessageBox("Failed Plateau2");
  const int every = std::max(1, UpDownExtrapolationGraphNumber->GetPosition());
  int nextPair = 2;
  for (int j = 0; j < fit.GridSize(); ++j) {
    const TGridExtrapolation& point = fit.At(j);
    if (!point.HasValue || j % every != 0 || point.Points.empty()) continue;
    TChartSeries* line = SeriesOrClone(*ChartExtrapolation, nextPair, 0);
    TChartSeries* dots = SeriesOrClone(*ChartExtrapolation, nextPair + 1, 1);
    nextPair += 2;
    line->BeginUpdate();
    dots->BeginUpdate();
    line->Clear();
    dots->Clear();
    for (const auto& [x, y] : ExtrapolationFit::FitCurve(point)) line->AddXY(x, y, QString(), Red);
    for (const TFitPoint& p : point.Points) {
      dots->AddXY(p.U, p.Z, QString(), cycle.CurrentColour());
      line->AddXY(p.U, ExtrapolationFit::FitValue(point, p), QString(), Red);
    }
    line->EndUpdate();
    dots->EndUpdate();
    for (TChartSeries* s : {line, dots}) s->SetSeriesColor(cycle.CurrentColour());
    const QString at = FloatToStr(RoundToSignificant(std::exp(smoothed->GetX(j)) * Svedberg, 3)) +
                       QStringLiteral(" S");
    line->SetTitle(at);
    dots->SetTitle(at + QStringLiteral(" data"));
    // The fit names its s* in the legend; its points share its colour.
    dots->SetShowInLegend(false);
    cycle.Range.Advance();
    for (TChartSeries* s : {line, dots}) {
      s->SetActive(true);
      s->Repaint();
    }
  }
  if (fit.AnyValue()) PlotExtrapolatedValues(fit, End);
  SetExtrapolationNote(fit.AnyValue() ? CutByEndingScanText(fit) : NoExtrapolationText(fit));
  ButtonRefreshExtrapolation->setEnabled(false);
  return 0;
}

QString TSedDataView::CutByEndingScanText(const ExtrapolationFit& Fit) const {
  // Later scans see smaller s* (the bottom is reached sooner): a species
  // beyond what the ending scan holds above the cutoff is left out of the
  // curve, while the newest corrected curve (which keeps what earlier sets
  // showed there) still shows it.
  int last = -1;
  for (int j = 0; j < Fit.GridSize(); ++j)
    if (Fit.At(j).HasValue) last = j;
  if (last < 0 || last + 1 >= Fit.GridSize() || !Fit.At(last + 1).BelowCutoff) return {};
  const double limit =
      Gui.ExtrapolationCutoff * FindLimits(Analysis->SmoothedStore.get(), -1, true).YMaximum;
  int beyond = -1;
  const auto kept = static_cast<int>(Analysis->LastCorrectedY.size());
  for (int j = last + 1; j < kept; ++j) {
    const auto at = static_cast<size_t>(j);
    if (Analysis->LastCorrectedError[at] > 0.0 && Analysis->LastCorrectedY[at] > limit) beyond = j;
  }
  constexpr int FlankPoints = 2;  // of the s* grid: more than a rounding at the end
  if (beyond <= last + FlankPoints) return {};
  const auto svedberg = [&](double LogS) {
    return FloatToStr(RoundToSignificant(std::exp(LogS) * Svedberg, 3));
  };
  return QStringLiteral(
             "Extrapolation ends at %1 S, where the ending scan falls below %2 % of the largest "
             "value, though the newest corrected curve goes on to %3 S: an earlier ending scan "
             "reaches further.")
      .arg(svedberg(Analysis->SmoothedStore->GetX(last)), FloatToStr(Gui.ExtrapolationCutoff * 100),
           svedberg(Analysis->LastCorrectedX[static_cast<size_t>(beyond)]));
}

QString TSedDataView::NoExtrapolationText(const ExtrapolationFit& Fit) const {
  // The reasons the user can act on, short enough for the status row: an
  // ending scan in the depleted cell wants an earlier ending scan.
  QStringList why;
  if (Fit.BelowCutoff() > 0)
    why << QStringLiteral("the ending scan stays below %1 % of the largest value")
               .arg(FloatToStr(Gui.ExtrapolationCutoff * 100));
  if (Fit.TooFewValues() > 0)
    why << QStringLiteral("fewer than four scans exceed %1")
               .arg(FloatToStr(ExtrapolationFit::MinimumFitValue()));
  if (Fit.FailedFits() + Fit.DivergedFits() > 0) why << QStringLiteral("the fits fail");
  if (why.isEmpty())
    why << QStringLiteral("every s* lies below %1 S")
               .arg(FloatToStr(
                   RoundToSignificant(std::exp(Gui.ExtrapolationMinLogS) * Svedberg, 3)));
  return QStringLiteral("Extrapolation: no s* qualifies; %1.").arg(why.join(QStringLiteral(", ")));
}

void TSedDataView::PlotExtrapolatedValues(const ExtrapolationFit& Fit, int End) {
  const ChannelDataStore& corrected = *Analysis->CorrectedStore;
  const ChannelDataStore& smoothed = *Analysis->SmoothedStore;
  const double minLogS = Gui.ExtrapolationMinLogS;
  TChartSeries* newest = ChartSExtrapolation->GetSeries(1);
  newest->BeginUpdate();
  newest->Clear();
  if (End < corrected.GetNumberOfSets())
    for (int j = 0; j < corrected.GetNumberOfPoints(); ++j)
      if (corrected.GetError(End, j) > 0 && corrected.GetX(j) > minLogS)
        newest->AddXY(std::exp(corrected.GetX(j)) * Svedberg, corrected.GetY(End, j));
  newest->EndUpdate();
  newest->SetActive(true);
  newest->SetSeriesColor(Green);
  newest->GetPen().SetWidth(3);
  TChartSeries* values = ChartSExtrapolation->GetSeries(2);
  auto* bars = static_cast<TErrorSeries*>(ChartSExtrapolation->GetSeries(3));
  values->BeginUpdate();
  bars->BeginUpdate();
  values->Clear();
  bars->Clear();
  const int every = std::max(1, Gui.ExtErrorBarPerPoints);
  for (int j = 0; j < Fit.GridSize(); ++j) {
    const TGridExtrapolation& point = Fit.At(j);
    if (!point.HasValue || point.Error < 0 || smoothed.GetX(j) <= minLogS) continue;
    const double x = std::exp(smoothed.GetX(j)) * Svedberg;
    values->AddXY(x, point.Value, QString(), Fuchsia);
    if (j % every == 0)
      bars->AddErrorBar(x, point.Value, std::min(point.Error, point.Value), QString(), Fuchsia);
  }
  values->EndUpdate();
  bars->EndUpdate();
  values->GetPen().SetWidth(3);
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{values, bars}) {
    s->SetActive(true);
    s->SetSeriesColor(Fuchsia);
    s->Repaint();
  }
}

// ------------------------------------------- indicator bars and interaction

void TSedDataView::BarSpan(double& Low, double& High) const {
  // Not the left axis' range: the bars are among the series the axis scales
  // to, so bars placed at its ends would hold a range the data needed once
  // (a wild jitter position) for good.
  bool found = false;
  for (int i = RawScanSeriesStart; i < Chart1->SeriesCount(); ++i) {
    const TChartSeries& series = *Chart1->GetSeries(i);
    if (!series.GetActive() || series.Count() == 0) continue;
    Low = found ? std::min(Low, series.MinYValue()) : series.MinYValue();
    High = found ? std::max(High, series.MaxYValue()) : series.MaxYValue();
    found = true;
  }
  if (found) return;
  Low = Chart1->GetLeftAxis()->GetMinimum();
  High = Chart1->GetLeftAxis()->GetMaximum();
}

void TSedDataView::PlaceIndicatorBars() {
  double low = 0.0;
  double high = 0.0;
  BarSpan(low, high);
  const double ymax = RoundToSignificant(high, 5);
  const double ymin = RoundToSignificant(low, 5);
  const double meniscus = Analysis->MeniscusRadius;
  const double jitter = Analysis->JitterPosition;
  const double fringe = Analysis->FringePosition;
  BarSeries->Clear();
  BarSeries->AddXY(meniscus, 1.0, QStringLiteral("Meniscus ") + FloatToStr(meniscus), Red);
  BarSeries->SetActive(false);
  MeniscusBar->Clear();
  MeniscusBar->AddXY(meniscus, ymin, QStringLiteral(" "), Red);
  MeniscusBar->AddXY(meniscus, ymax,
                     QStringLiteral("Meniscus ") + FloatToStr(RoundToSignificant(meniscus, 5)),
                     Red);
  JitterBar->Clear();
  JitterBar->AddXY(jitter, ymax, QStringLiteral(" "), Green);
  JitterBar->AddXY(jitter, ymin,
                   QStringLiteral("Jitter ") + FloatToStr(RoundToSignificant(jitter, 5)), Green);
  FringeBar->Clear();
  FringeBar->AddXY(fringe, ymax, QStringLiteral(" "), Green);
  FringeBar->AddXY(fringe, ymin,
                   QStringLiteral("Integral fringe ") + FloatToStr(RoundToSignificant(fringe, 5)),
                   Green);
  if (Analysis->JitterCorrectionOn)
    BarSeries->AddXY(jitter, 1.0, QStringLiteral("Jitter ") + FloatToStr(jitter), Green);
  if (Analysis->FringeCorrectionOn)
    BarSeries->AddXY(fringe, 1.0, QStringLiteral("Integral fringe ") + FloatToStr(fringe), Blue);
  BarSeries->SetCustomBarWidth(1);
  KeepBarLabelsInside();
  ShowMeniscusNote();
}

void TSedDataView::KeepBarLabelsOffOtherBars() {
  // A label is drawn level across its bar's end; one whose half reaches
  // another bar would hide that bar's line: it runs up along its own bar
  // instead. Decided for the chart on screen only: the chart editor draws
  // the same chart at another size, where the bars stand elsewhere.
  const QWidget* host = Chart1->GetWidget();
  if (host == nullptr || !host->testAttribute(Qt::WA_WState_InPaintEvent)) return;
  const TChartAxis& radius = *Chart1->GetBottomAxis();
  if (radius.GetIAxisSize() < 1) return;
  const std::pair<TBarSeries*, double> bars[] = {{MeniscusBar, Analysis->MeniscusRadius},
                                                 {JitterBar, Analysis->JitterPosition},
                                                 {FringeBar, Analysis->FringePosition}};
  for (const auto& [bar, at] : bars) {
    if (!bar->GetActive() || bar->Count() < 2) continue;
    const QFontMetrics metrics(bar->GetMarks().GetFont().ToQFont());
    const int half = metrics.horizontalAdvance(bar->GetXLabel(1)) / 2 + 6;
    bool crowded = false;
    for (const auto& [other, otherAt] : bars)
      if (other != bar && other->GetActive() &&
          std::abs(radius.CalcXPosValue(otherAt) - radius.CalcXPosValue(at)) < half)
        crowded = true;
    const int angle = crowded ? 90 : 0;
    if (bar->GetMarks().GetAngle() != angle) bar->GetMarks().SetAngle(angle);
  }
}

void TSedDataView::ShowMeniscusNote() {
  // A meniscus outside the scans' radii gives distributions off by tens of
  // percent without anything looking wrong: the default bar often lies
  // there.
  QString note;
  const ChannelDataStore* raw = Analysis->RawStore.get();
  const double meniscus = Analysis->MeniscusRadius;
  if (raw != nullptr && raw->GetNumberOfSets() > 0) {
    const auto cm = [](double Radius) { return FormatFloat(QStringLiteral("0.00"), Radius); };
    if (meniscus < raw->GetXMin())
      note =
          QStringLiteral("The meniscus bar lies outside the data (%1 cm; the data start at %2 cm).")
              .arg(cm(meniscus), cm(raw->GetXMin()));
    else if (meniscus > raw->GetXMax())
      note =
          QStringLiteral("The meniscus bar lies outside the data (%1 cm; the data end at %2 cm).")
              .arg(cm(meniscus), cm(raw->GetXMax()));
  }
  if (note == MeniscusNote) return;
  MeniscusNote = note;
  ShowStatusNotes();
}

void TSedDataView::KeepBarLabelsInside() {
  // The radius axis leaves half the widest label free at both ends, so that
  // a bar at the end of the range keeps its label off the axis labels.
  // A drag holds the axes as they were at the press.
  if (!DragScales.empty()) return;
  // The labels change only when a bar moves: their widths are measured
  // once for each set of labels and fonts.
  QStringList shown;
  for (const TBarSeries* bar : {MeniscusBar, JitterBar, FringeBar}) {
    if (!bar->GetActive()) continue;
    shown << bar->GetMarks().GetFont().ToQFont().toString();
    for (int i = 0; i < bar->Count(); ++i) shown << bar->GetXLabel(i);
  }
  if (shown != BarLabelsMeasured) {
    BarLabelsMeasured = shown;
    BarLabelsWidest = 0;
    for (const TBarSeries* bar : {MeniscusBar, JitterBar, FringeBar}) {
      if (!bar->GetActive()) continue;
      const QFontMetrics metrics(bar->GetMarks().GetFont().ToQFont());
      for (int i = 0; i < bar->Count(); ++i)
        BarLabelsWidest =
            std::max(BarLabelsWidest, metrics.horizontalAdvance(bar->GetXLabel(i)) +
                                          metrics.horizontalAdvance(QStringLiteral("W")));
    }
  }
  const int half = BarLabelsWidest / 2 + 4;
  TChartAxis& radius = *Chart1->GetBottomAxis();
  radius.SetMinimumOffset(half);
  radius.SetMaximumOffset(half);
}

void TSedDataView::Chart1ClickSeries(TChartSeries* Series, TMouseButton Button, TShiftState Shift,
                                     int X, int Y) {
  // The bars lie under the scans (the scans are tested first): a press on
  // a bar where a scan crosses it is the bar's.
  for (TBarSeries* bar : {MeniscusBar, JitterBar, FringeBar})
    if (Series != bar && bar->GetActive() && bar->Clicked(X, Y) >= 0) Series = bar;
  // The left button alone: the press of a double click (which opens the
  // chart editor) or with a key held starts no drag.
  if (Button != mbLeft || Shift != TShiftState{ssLeft}) {
    if (DraggedBar != -1) EndBarDrag(false, 0);
    return;
  }
  const int before = DraggedBar;
  if (Series == MeniscusBar)
    DraggedBar = 1;
  else if (Series == FringeBar)
    DraggedBar = 3;
  else if (Series == JitterBar)
    DraggedBar = 2;
  if (DraggedBar != -1 && before == -1) {
    BarMoved = false;
    HoldRawAxes();
  }
}

void TSedDataView::Chart1MouseUp(TMouseButton Button, TShiftState, int X, int) {
  if (DraggedBar == -1) return;
  EndBarDrag(Button == mbLeft, X);
}

void TSedDataView::HoldRawAxes() {
  // Moving a bar moves the data range the axes scale to (the bars lie left
  // of the data at first): fixed axes keep the value under the pointer.
  // The range shown is held, margins included (the bars' own margins
  // widen an automatic axis beyond its minimum and maximum).
  // The label room at the radius axis' ends is set aside too: a fixed
  // range would be squeezed inside it, and the room follows the labels'
  // widths, which change as the bar moves.
  DragScales = Chart1->SaveScales();
  for (const TAxisSavedScales& scales : DragScales) {
    TChartAxis& axis = *scales.Axis;
    if (axis.GetIAxisSize() < 1) continue;
    axis.SetMinMax(axis.CalcPosPoint(axis.GetIStartPos()), axis.CalcPosPoint(axis.GetIEndPos()));
  }
  TChartAxis& radius = *Chart1->GetBottomAxis();
  DragMinimumOffset = radius.GetMinimumOffset();
  DragMaximumOffset = radius.GetMaximumOffset();
  radius.SetMinimumOffset(0);
  radius.SetMaximumOffset(0);
}

void TSedDataView::MoveBar(int Bar, double Radius) {
  if (Bar == 1) Analysis->MeniscusRadius = Radius;
  if (Bar == 2) Analysis->JitterPosition = Radius;
  if (Bar == 3) Analysis->FringePosition = Radius;
}

void TSedDataView::ReleaseRawAxes() {
  if (DragScales.empty()) return;
  Chart1->RestoreScales(DragScales);
  DragScales.clear();
  Chart1->GetBottomAxis()->SetMinimumOffset(DragMinimumOffset);
  Chart1->GetBottomAxis()->SetMaximumOffset(DragMaximumOffset);
}

void TSedDataView::EndBarDrag(bool PointerX, int X) {
  const int bar = DraggedBar;
  DraggedBar = -1;
  if (PointerX && BarMoved) MoveBar(bar, Chart1->GetBottomAxis()->CalcPosPoint(X));
  BarMoved = false;
  ReleaseRawAxes();
  if (bar == 2 || bar == 3) Analysis->IPtransform();
  Recompute();
}

void TSedDataView::Recompute() {
  Analysis->Refreshdcdtvss();
  Analysis->MakeAllAvgdcdt();
  Analysis->MakeAllCorrecteddCdT();
  PlotRawScans();
  PlotAverageDcDt();
}

void TSedDataView::EditMWGuessClick() {
  // The weight shown is the weight used: while the guess is in use a new
  // one recomputes at once.
  if (AskForWeight() && Analysis->UseMolecularWeight) Recompute();
}

bool TSedDataView::AskForWeight() {
  QString answer = EditMWGuess->text();
  if (!InputQuery({QStringLiteral("Input a molecular Weight in Daltons"),
                   QStringLiteral("Weight in Daltons"), this},
                  answer))
    return false;
  // Read as the edit shows it: with the user's decimal separator.
  double weight = 0.0;
  const bool ok = TryStrToFloat(answer, weight);
  if (!ok || !(weight > 100.0 && weight < 1000000.0)) {
    MessageDlg(QStringLiteral("Error entering Molecular Weight, please enter a weight between "
                              "100 and 1,000,000 in the correct format"),
               TMsgDlgType::mtError, mbOKOnly);
    return false;
  }
  const bool changed = weight != Analysis->MolecularWeight;
  Analysis->MolecularWeight = weight;
  EditMWGuess->setText(FloatToStr(weight));
  return changed;
}

bool TSedDataView::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == EditMWGuess && Event->type() == QEvent::MouseButtonRelease)
    RunGuarded([&] { EditMWGuessClick(); });
  return QWidget::eventFilter(Watched, Event);
}

void TSedDataView::CheckBoxMWGuessClick() {
  Analysis->UseMolecularWeight = CheckBoxMWGuess->isChecked();
  if (CheckBoxMWGuess->isChecked()) AskForWeight();
  Recompute();
}

// ------------------------------------------------------------------- results

QString TSedDataView::AskResultPath() {
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::fdSave;
  request.Title = QStringLiteral("Save s*g(s*)");
  request.Filter = ResultTextFile::DialogFilter;
  request.DefaultExt = QStringLiteral("txt");
  request.FolderKind = QStringLiteral("results");
  request.InitialDir = DataDirectory;
  request.FileName = ResultTextFile::ProposedFileName(Analysis->RawStore->Headers[0]);
  request.OverwritePrompt = true;
  request.Parent = this;
  const TFileDialogAnswer answer = ExecuteFileDialog(request);
  return answer.Accepted ? answer.FileName : QString();
}

void TSedDataView::SaveResultLines(const QStringList& Lines, const QString& Path) {
  // The old file stays until the new one is complete.
  if (!ResultTextFile::Save(Lines, Path))
    MessageDlg(ResultTextFile::WriteErrorText, TMsgDlgType::mtError, mbOKOnly);
}

void TSedDataView::ButtonOutputAsciiClick() {
  if (!Analysis->CorrectedStore || Analysis->CorrectedStore->GetNumberOfSets() < 1 ||
      !Analysis->RawStore || Analysis->RawStore->GetNumberOfSets() < 1) {
    MessageDlg(ResultTextFile::NotEnoughDataText, TMsgDlgType::mtInformation, mbOKOnly);
    return;
  }
  const QString path = AskResultPath();
  if (!path.isEmpty()) SaveResultLines(ResultTextFile::Lines(*Analysis, path), path);
}

void TSedDataView::ButtonTCOutputAsciiClick() {
  if (!Analysis->CorrectedStore || Analysis->CorrectedStore->GetNumberOfSets() < 1 ||
      !Analysis->RawStore || Analysis->RawStore->GetNumberOfSets() < 1) {
    MessageDlg(ResultTextFile::NotEnoughDataText, TMsgDlgType::mtInformation, mbOKOnly);
    return;
  }
  const int set = ScrollBarTime->value();
  const QString path = AskResultPath();
  if (path.isEmpty()) return;
  const QString description =
      QString::fromStdString(Analysis->GetSetDescription(TimeCourseStore, set));
  SaveResultLines(ResultTextFile::TimeCourseLines(*Analysis, set, description, path), path);
}

void TSedDataView::CopyRawBtnClick(int Tag) {
  static const QString suffixes[] = {
      QStringLiteral(": Raw data"), QStringLiteral(": Average dc/dt data"),
      QStringLiteral(": dc/dt"), QStringLiteral(": Extrapolated dc/dt")};
  TChart* charts[] = {Chart1.get(), ChartAverage.get(), dcdtChart.get(), ChartSExtrapolation.get()};
  if (Tag < 0 || Tag > 3 || Intake.GetFileNames().isEmpty()) return;
  charts[Tag]->CopyToClipboardBitmap(TRect{0, 0, 800, 400});
  if (FileRptFrm) FileRptFrm->AppendChartPicture(Intake.GetFileNames().first() + suffixes[Tag]);
}

void TSedDataView::ChartMouseMove(TCustomChart& Chart, TShiftState Shift, int X, int Y) {
  const double x = Chart.GetBottomAxis()->CalcPosPoint(X);
  const double y = Chart.GetLeftAxis()->CalcPosPoint(Y);
  PosXTxt->setText(QStringLiteral("X: ") + Chart.GetBottomAxis()->GetTitle().GetCaption() +
                   QStringLiteral(" ") + FormatFloat(QStringLiteral("###.#####"), x));
  PosYTxt->setText(QStringLiteral("Y: ") + Chart.GetLeftAxis()->GetTitle().GetCaption() +
                   QStringLiteral(" ") + FormatFloat(QStringLiteral("######.####"), y));
  if (&Chart != Chart1.get()) return;
  if (DraggedBar != -1 && !Shift.Contains(ssLeft)) {
    // The button went up where the chart could not see it (over a modal
    // window): the drag ends where the bar last stood.
    EndBarDrag(false, X);
    return;
  }
  if (DraggedBar != -1) {
    MoveBar(DraggedBar, x);
    BarMoved = true;
  }
  PlaceIndicatorBars();
}

void TSedDataView::ChartMouseLeave() {
  PosXTxt->setText(QStringLiteral(" "));
  PosYTxt->setText(QStringLiteral(" "));
}

void TSedDataView::ZoomOutBtnClick() {
  if (TChart* chart = ActiveChart()) chart->UndoZoom();
}

void TSedDataView::ChartDblClick(TCustomChart& Chart) {
  OpenChartEditor(*ChartEditor1, Chart);
  // The editor took the button's release: no drag may outlive it.
  if (DraggedBar != -1) EndBarDrag(false, 0);
}

TChart* TSedDataView::ActiveChart() const {
  QWidget* page = PC->currentWidget();
  if (page == TabRawData) return Chart1.get();
  if (page == Avedcdt) return ChartAverage.get();
  if (page == TabGofS) return dcdtChart.get();
  if (page == TabTimeCourse) return TimeCourseChart.get();
  if (page == TabSheetExtrapolation) {
    const int view = RadioGroupExtapolationView->GetItemIndex();
    if (view == 0) return ChartSExtrapolation.get();
    if (view == 1) return ChartExtrapolation.get();
  }
  return nullptr;
}

void TSedDataView::PCChange() {
  if (PC->currentWidget() != TabTimeCourse) TabTimeCourseExit();
  if (PC->currentWidget() == TabSheetExtrapolation) ButtonRefreshExtrapolationClick();
  if (PC->currentWidget() == TabTimeCourse) ButtonRefreshPlaybackDataClick();
}
