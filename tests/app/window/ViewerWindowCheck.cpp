// The data viewer driven with the real mouse of an X server (its
// input-faking extension), on the interference cell of the demo run, the way
// a scientist uses it:
// - each indicator bar is pressed where it starts and let go over a grid
//   line of the bottom axis: the bar and the analysis must end at that
//   line's value (to the pixel), and "Zoom out" must show the range of the
//   data and the bars, not one that a wild jitter position once needed;
// - a double click opens the chart editor, whose window takes the button's
//   release: afterwards no rubber band may follow the pointer, and the next
//   press on a bar must start a bar drag, not end a zoom;
// - in the main window, a right drag on a viewer's chart scrolls it and
//   opens no pop-up menu, while a right click on the main window's tabs
//   does open it.
// Run under xvfb-run; an argument names a directory for screenshots.

#include "analysis/Guisettings.h"
#include "analysis/Realtimegofs.h"
#include "app/Configuration.h"
#include "app/FolderBrowserDialog.h"
#include "app/KorvaleUnit.h"
#include "app/UnitSedDataView.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TKorZoom.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "platform/ModalHooks.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"
#include "tests/support/window/WindowCheck.h"
#include "tests/support/window/XDesktop.h"
#include "tools/runsim/DemoRun.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace WindowCheck;
namespace fs = std::filesystem;

QString ShotDirectory;

void Shot(const QWidget& Window, const char* Name) {
  if (!ShotDirectory.isEmpty())
    Screenshot(Window).save(QDir(ShotDirectory).filePath(QString::fromLatin1(Name)));
}

// Gives the viewer what the main window gives an interference channel.
void SetUpAsTheMainWindowDoes(TSedDataView& View) {
  const GuiSettings defaults;
  RealTimeGofS& analysis = View.GetAnalysis();
  analysis.ChannelMask = "0*.IP2";
  analysis.MeniscusRadius = defaults.DefaultMeniscus;
  analysis.CellBottom = 7.2;
  analysis.JitterPosition = defaults.DefaultJitter;
  analysis.FringePosition = defaults.DefaultIntegralFringe;
  analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = true;
}

double* BarValue(TSedDataView& View, int Bar) {
  RealTimeGofS& analysis = View.GetAnalysis();
  return Bar == 1   ? &analysis.MeniscusRadius
         : Bar == 2 ? &analysis.JitterPosition
                    : &analysis.FringePosition;
}

TBarSeries* BarSeriesOf(TSedDataView& View, int Bar) {
  return Bar == 1 ? View.MeniscusBar : Bar == 2 ? View.JitterBar : View.FringeBar;
}

// The grid line of the bottom axis nearest Wanted: a multiple of the axis'
// label increment.
double GridLineNear(TChart& Chart, double Wanted) {
  const double step = Chart.GetBottomAxis()->CalcIncrement();
  return std::round(Wanted / step) * step;
}

// Presses bar Bar where it stands, drags it in steps to the pixel of Target
// (as the axes stood at the press) and lets go there. Returns the value one
// pixel spans on the bottom axis.
double DragBar(QApplication& App, TFakeMouse& Mouse, TSedDataView& View, int Bar, double Target) {
  TChart& chart = *View.Chart1;
  QWidget* host = chart.GetWidget();
  const TChartAxis& bottom = *chart.GetBottomAxis();
  const TRect plot = chart.GetPlotRect();
  const int y = (plot.Top + plot.Bottom) / 2;
  const int from = bottom.CalcXPosValue(*BarValue(View, Bar));
  const int to = bottom.CalcXPosValue(Target);
  const double pixel = (bottom.GetMaximum() - bottom.GetMinimum()) / bottom.GetIAxisSize();
  Mouse.MoveTo(host->mapToGlobal(QPoint(from, y)));
  WaitUntil(App, 200, nullptr);
  Mouse.Press(host->mapToGlobal(QPoint(from, y)));
  WaitUntil(App, 1000, [&] { return View.GetDraggedBar() == Bar; });
  Expect(View.GetDraggedBar() == Bar, "the press on the bar started its drag");
  for (int step = 1; step <= 8; ++step) {
    Mouse.MoveTo(host->mapToGlobal(QPoint(from + (to - from) * step / 8, y)));
    WaitUntil(App, 60, nullptr);
  }
  Mouse.Release(host->mapToGlobal(QPoint(to, y)));
  WaitUntil(App, 3000, [&] { return View.GetDraggedBar() == -1; });
  WaitUntil(App, 300, nullptr);
  return pixel;
}

void ExpectBarAt(TSedDataView& View, int Bar, double Target, double Pixel, const char* What) {
  const double value = *BarValue(View, Bar);
  std::printf("%s: aimed at %.5f, landed at %.5f (one pixel %.5f)\n", What, Target, value, Pixel);
  Expect(std::abs(value - Target) <= Pixel, What);
  Expect(BarSeriesOf(View, Bar)->GetXValues().GetValue(0) == value,
         "the bar stands where the analysis has it");
}

// The range of the drawn scans' values.
void DataRange(TSedDataView& View, double& Low, double& High) {
  Low = 1e300;
  High = -1e300;
  for (int i = TSedDataView::RawScanSeriesStart; i < View.Chart1->SeriesCount(); ++i) {
    const TChartSeries& s = *View.Chart1->GetSeries(i);
    if (!s.GetActive() || s.Count() == 0) continue;
    Low = std::min(Low, s.MinYValue());
    High = std::max(High, s.MaxYValue());
  }
}

void ClickButton(QApplication& App, TFakeMouse& Mouse, QWidget& Button) {
  const QPoint centre = Button.mapToGlobal(Button.rect().center());
  Mouse.MoveTo(centre);
  WaitUntil(App, 100, nullptr);
  Mouse.Press(centre);
  WaitUntil(App, 100, nullptr);
  Mouse.Release(centre);
  WaitUntil(App, 500, nullptr);
}

// The colour of each raw scan drawn, by its file.
std::map<QString, TColor> ScanColours(const TSedDataView& View) {
  std::map<QString, TColor> colours;
  for (int i = TSedDataView::RawScanSeriesStart; i < View.Chart1->SeriesCount(); ++i) {
    const TChartSeries& series = *View.Chart1->GetSeries(i);
    if (series.GetActive()) colours[series.GetTitle()] = series.GetSeriesColor();
  }
  return colours;
}

void CheckBarDrags(QApplication& App, TFakeMouse& Mouse, TSedDataView& View) {
  TChart& chart = *View.Chart1;
  const std::map<QString, TColor> coloursBefore = ScanColours(View);
  const double meniscus = GridLineNear(chart, 6.08);
  double pixel = DragBar(App, Mouse, View, 1, meniscus);
  ExpectBarAt(View, 1, meniscus, pixel, "the meniscus lands on its grid line");
  const double jitter = GridLineNear(chart, 6.05);
  pixel = DragBar(App, Mouse, View, 2, jitter);
  ExpectBarAt(View, 2, jitter, pixel, "the jitter bar lands on its grid line");
  const double fringe = GridLineNear(chart, 7.0);
  pixel = DragBar(App, Mouse, View, 3, fringe);
  ExpectBarAt(View, 3, fringe, pixel, "the fringe bar lands on its grid line");
  Expect(!coloursBefore.empty() && ScanColours(View) == coloursBefore,
         "every scan keeps its colour through the drags");
  Shot(View, "bars-dragged.png");

  // A jitter position in the plateau moves every scan down by fringes and
  // widens the left axis; dragged back, "Zoom out" shows the data again.
  const double wild = GridLineNear(chart, 7.1);
  DragBar(App, Mouse, View, 2, wild);
  double low = 0, high = 0;
  DataRange(View, low, high);
  const double wideMinimum = low;
  Expect(low < -1, "a jitter position in the plateau moves the scans down");
  DragBar(App, Mouse, View, 2, jitter);
  ClickButton(App, Mouse, *View.ZoomOutBtn);
  chart.Repaint();
  WaitUntil(App, 300, nullptr);
  DataRange(View, low, high);
  const TChartAxis& left = *chart.GetLeftAxis();
  const double span = high - low;
  std::printf("left axis %.4f .. %.4f, data %.4f .. %.4f (once down to %.4f)\n", left.GetMinimum(),
              left.GetMaximum(), low, high, wideMinimum);
  Expect(std::abs(left.GetMinimum() - low) < 1e-3 * span &&
             std::abs(left.GetMaximum() - high) < 1e-3 * span,
         "after Zoom out the left axis shows the range of the data");
  const TChartAxis& bottom = *chart.GetBottomAxis();
  RealTimeGofS& analysis = View.GetAnalysis();
  const double leftmost = std::min({analysis.MeniscusRadius, analysis.JitterPosition,
                                    analysis.FringePosition, analysis.RawStore->GetX(0)});
  Expect(std::abs(bottom.GetMinimum() - leftmost) < 1e-9,
         "after Zoom out the bottom axis starts at the data or the bars");
  Shot(View, "zoomed-out.png");
}

// A double click opens the chart editor; the editor's window takes the
// release; the chart must come back without a drag.
void CheckDoubleClick(QApplication& App, TFakeMouse& Mouse, TSedDataView& View) {
  TChart& chart = *View.Chart1;
  QWidget* host = chart.GetWidget();
  const TRect plot = chart.GetPlotRect();
  // Above the scans, clear of the bars: no series there.
  const QPoint at(chart.GetBottomAxis()->CalcXPosValue(6.5), plot.Top + 20);
  const QPoint global = host->mapToGlobal(at);
  bool editorShown = false;
  QTimer closer;
  closer.setInterval(100);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    // The editor's form, through its dialog base (its reject is its own).
    auto* editor =
        dynamic_cast<TChartEditForm*>(modal) != nullptr ? static_cast<QDialog*>(modal) : nullptr;
    if (editor == nullptr) return;
    if (!editorShown) {
      editorShown = true;
      Mouse.Release(global);  // the release reaches the editor's window, not the chart
      return;
    }
    editor->reject();
  });
  closer.start();
  Mouse.MoveTo(global);
  WaitUntil(App, 200, nullptr);
  Mouse.Press(global);
  Mouse.Release(global);
  Mouse.Press(global);
  WaitUntil(App, 8000, [&] { return editorShown && QApplication::activeModalWidget() == nullptr; });
  closer.stop();
  Expect(editorShown, "the double click opened the chart editor");
  WaitUntil(App, 300, nullptr);

  const int zoomsBefore = chart.GetZoomedNow() ? 1 : 0;
  Mouse.MoveTo(host->mapToGlobal(at + QPoint(150, 120)));
  WaitUntil(App, 500, nullptr);
  Expect(!chart.GetZoom().Engaged, "no rubber band follows the pointer after the editor closed");
  Shot(View, "after-editor.png");

  // The next press on a bar starts a bar drag.
  const TChartAxis& bottom = *chart.GetBottomAxis();
  const int bar = bottom.CalcXPosValue(View.GetAnalysis().FringePosition);
  const int y = (plot.Top + plot.Bottom) / 2;
  Mouse.MoveTo(host->mapToGlobal(QPoint(bar, y)));
  WaitUntil(App, 200, nullptr);
  Mouse.Press(host->mapToGlobal(QPoint(bar, y)));
  WaitUntil(App, 1000, [&] { return View.GetDraggedBar() == 3; });
  Expect(View.GetDraggedBar() == 3, "the next press on a bar starts its drag");
  Mouse.Release(host->mapToGlobal(QPoint(bar, y)));
  WaitUntil(App, 2000, [&] { return View.GetDraggedBar() == -1; });
  Expect((chart.GetZoomedNow() ? 1 : 0) == zoomsBefore, "nothing zoomed");
}

// A viewer opened on a cell of the demo run as the main window sets it up
// (the default bars, the corrections of interference data only), whose
// meniscus bar the user presses at once, where it is drawn: the press must
// start the bar's drag, the axes must stay where they were drawn (the bar
// under the pointer) and no zoom may begin; the bar then lands where it
// was let go.
void CheckFirstPressOnAFreshViewer(QApplication& App, TFakeMouse& Mouse, const fs::path& Cell,
                                   const char* Mask, const char* Optics) {
  QListWidget list;
  TSedDataView view(nullptr, &list);
  SetUpAsTheMainWindowDoes(view);
  RealTimeGofS& analysis = view.GetAnalysis();
  analysis.ChannelMask = Mask;
  analysis.JitterCorrectionOn = analysis.FringeCorrectionOn = std::string(Optics) == "interference";
  view.resize(1100, 700);
  view.show();
  WaitUntil(App, 5000, [&] { return view.windowHandle()->isExposed(); });
  view.LoadDataDirectory(QString::fromStdString(Cell.string()));
  WaitUntil(App, 3 * ScanIntake::DefaultSettleMs, [&] { return view.GetDataLoaded(); });
  WaitUntil(App, 300, nullptr);  // as the user sees it
  const std::string what = std::string("a fresh ") + Optics + " viewer";
  Expect(view.GetDataLoaded(), (what + " loaded its scans").c_str());
  if (!view.GetDataLoaded()) return;
  TChart& chart = *view.Chart1;
  QWidget* host = chart.GetWidget();
  const TChartAxis& bottom = *chart.GetBottomAxis();
  const TRect plot = chart.GetPlotRect();
  const int y = (plot.Top + plot.Bottom) / 2;
  const int drawnAt = bottom.CalcXPosValue(analysis.MeniscusRadius);
  Mouse.MoveTo(host->mapToGlobal(QPoint(drawnAt, y)));
  WaitUntil(App, 200, nullptr);
  Mouse.Press(host->mapToGlobal(QPoint(drawnAt, y)));
  WaitUntil(App, 1000, [&] { return view.GetDraggedBar() == 1; });
  const int atPress = bottom.CalcXPosValue(analysis.MeniscusRadius);
  std::printf("%s: the meniscus drawn at %d, at the press at %d\n", what.c_str(), drawnAt, atPress);
  Expect(view.GetDraggedBar() == 1,
         ("the first press on the meniscus of " + what + " drags it").c_str());
  Expect(std::abs(atPress - drawnAt) <= 1,
         ("the bar of " + what + " stays under the pointer").c_str());
  Expect(!chart.GetZoom().Engaged, ("the first press on " + what + " begins no zoom").c_str());
  const double target = GridLineNear(chart, 6.08);
  const int to = bottom.CalcXPosValue(target);
  const double pixel = (bottom.GetMaximum() - bottom.GetMinimum()) / bottom.GetIAxisSize();
  for (int step = 1; step <= 8; ++step) {
    Mouse.MoveTo(host->mapToGlobal(QPoint(drawnAt + (to - drawnAt) * step / 8, y)));
    WaitUntil(App, 60, nullptr);
  }
  Mouse.Release(host->mapToGlobal(QPoint(to, y)));
  WaitUntil(App, 3000, [&] { return view.GetDraggedBar() == -1; });
  WaitUntil(App, 300, nullptr);
  ExpectBarAt(view, 1, target, pixel,
              ("the meniscus of " + what + " lands where it was let go").c_str());
  Expect(!chart.GetZoomedNow(), ("nothing of " + what + " zoomed").c_str());
}

// The keyboard on the extrapolation's "Every nth scan" edit as on any spin
// box (digits, Backspace, Return, the Up key), and a weight typed into the
// molar-mass box's own dialog while the guess is in use: the corrected chart
// follows the weight shown at once.
void CheckTypedInputs(QApplication& App, TFakeMouse& Mouse, TSedDataView& View) {
  TXDesktop Desktop(Mouse);
  constexpr uint32_t KeyBackSpace = 0xff08;
  View.PC->setCurrentWidget(View.TabSheetExtrapolation);
  WaitUntil(App, 500, nullptr);
  QLineEdit& every = *View.EditExtSetsToShow;
  ClickButton(App, Mouse, every);
  Desktop.Press(KeyEnd);
  for (int i = 0; i < 3; ++i) Desktop.Press(KeyBackSpace);
  Desktop.Type(QStringLiteral("25"));
  Desktop.Press(KeyReturn);
  WaitUntil(App, 500, [&] { return View.UpDownExtrapolationGraphNumber->GetPosition() == 25; });
  Expect(View.UpDownExtrapolationGraphNumber->GetPosition() == 25,
         "digits typed into \"Every nth scan\" and Return set its step");
  Desktop.Press(KeyUp);
  WaitUntil(App, 500, [&] { return View.UpDownExtrapolationGraphNumber->GetPosition() == 26; });
  Expect(View.UpDownExtrapolationGraphNumber->GetPosition() == 26 && every.text() == "26",
         "the Up key steps \"Every nth scan\" as its arrow does");

  View.PC->setCurrentWidget(View.TabGofS);
  WaitUntil(App, 500, nullptr);
  // The box asks for the weight in a dialog of its own: answered with keys.
  QString typed;
  QTimer answer;
  answer.setInterval(100);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || typed.isEmpty()) return;
    Desktop.Press('a', 0xffe3);  // Control+A: the proposed weight goes
    Desktop.Type(typed);
    Desktop.Press(KeyReturn);
    typed.clear();
  });
  answer.start();
  typed = QStringLiteral("150000");
  ClickButton(App, Mouse, *View.CheckBoxMWGuess);
  WaitUntil(App, 3000, [&] { return typed.isEmpty() && !QApplication::activeModalWidget(); });
  const TChartSeries& corrected = *View.dcdtChart->GetSeries(1);
  std::vector<double> before;
  for (int i = 0; i < corrected.Count(); ++i) before.push_back(corrected.GetYValues().GetValue(i));
  typed = QStringLiteral("20000");
  ClickButton(App, Mouse, *View.EditMWGuess);
  WaitUntil(App, 3000, [&] { return typed.isEmpty() && !QApplication::activeModalWidget(); });
  WaitUntil(App, 500, nullptr);
  answer.stop();
  std::vector<double> after;
  for (int i = 0; i < corrected.Count(); ++i) after.push_back(corrected.GetYValues().GetValue(i));
  std::printf("every nth scan %d, weight %g in use %d, corrected points %zu\n",
              View.UpDownExtrapolationGraphNumber->GetPosition(),
              View.GetAnalysis().MolecularWeight, View.GetAnalysis().UseMolecularWeight,
              after.size());
  Expect(View.GetAnalysis().UseMolecularWeight && View.GetAnalysis().MolecularWeight == 20000,
         "the weight typed is the weight in use");
  Expect(!after.empty() && after != before, "the corrected chart follows the weight at once");
}

// The main window with a viewer launched on the demo's interference cell.
void CheckRightDragInTheMainWindow(QApplication& App, TFakeMouse& Mouse, const fs::path& Cell) {
  const TFileDialogHook noLogo = SetFileDialogHook([](const TFileDialogRequest&) {
    return TFileDialogAnswer{false, QString(), 0};
  });
  const TShowModalHook chooseRoot = SetShowModalHook([&](QDialog& Dialog) {
    auto* browser = dynamic_cast<FolderBrowserDialog*>(&Dialog);
    if (browser == nullptr) return static_cast<int>(mrCancel);
    browser->SelectFolder(QString::fromStdString(Cell.string()));
    browser->ButtonOKClick();
    return browser->result();
  });
  TKorvaleForm form;
  form.resize(1200, 800);
  form.show();
  WaitUntil(App, 5000, [&] { return form.windowHandle()->isExposed(); });
  form.btnSetInputDirClick();
  form.RadioGroupChannels->Choose(0);
  form.ButtonLaunchClick();
  SetShowModalHook(chooseRoot);
  SetFileDialogHook(noLogo);
  const std::vector<TSedDataView*> viewers = form.OpenViewers();
  Expect(viewers.size() == 1, "a viewer was launched");
  if (viewers.empty()) return;
  TSedDataView& view = *viewers.front();
  WaitUntil(App, 3 * ScanIntake::DefaultSettleMs, [&] { return view.GetDataLoaded(); });
  WaitUntil(App, 500, nullptr);
  TChart& chart = *view.Chart1;
  QWidget* host = chart.GetWidget();
  const TRect plot = chart.GetPlotRect();
  const QPoint from((plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2);
  const QPoint to = from - QPoint(120, 0);
  const TChartAxis& bottom = *chart.GetBottomAxis();
  const double shift = bottom.CalcPosPoint(from.x()) - bottom.CalcPosPoint(to.x());
  const double minimum = bottom.GetMinimum();
  Mouse.MoveTo(host->mapToGlobal(from));
  WaitUntil(App, 200, nullptr);
  Mouse.Press(host->mapToGlobal(from), TFakeMouse::RightButton);
  WaitUntil(App, 200, nullptr);
  for (int step = 1; step <= 6; ++step) {
    Mouse.MoveTo(host->mapToGlobal(from + (to - from) * step / 6));
    WaitUntil(App, 60, nullptr);
  }
  Mouse.Release(host->mapToGlobal(to), TFakeMouse::RightButton);
  WaitUntil(App, 500, nullptr);
  Shot(form, "right-drag.png");
  std::printf("right drag moved the bottom axis by %.5f (wanted %.5f)\n",
              bottom.GetMinimum() - minimum, shift);
  Expect(!form.PopupMenu1->isVisible(), "no pop-up menu over the viewer's chart");
  // The axis moves with the pointer, within a pixel or so (the scroll keeps
  // the axis' range, the bars' margins are then no longer added to it).
  Expect(std::abs(bottom.GetMinimum() - minimum - shift) < 0.02 * shift,
         "the right drag scrolled the chart");
  Expect(!form.Panel3->isHidden(), "the Select data controls stay");

  QTabBar& tabs = *form.PC->tabBar();
  const QPoint tab = tabs.mapToGlobal(tabs.tabRect(0).center());
  Mouse.MoveTo(tab);
  WaitUntil(App, 100, nullptr);
  Mouse.Press(tab, TFakeMouse::RightButton);
  Mouse.Release(tab, TFakeMouse::RightButton);
  WaitUntil(App, 1000, [&] { return form.PopupMenu1->isVisible(); });
  Expect(form.PopupMenu1->isVisible(), "the pop-up menu opens over the main window's tabs");
  form.PopupMenu1->hide();
}

}  // namespace

int main(int argc, char** argv) {
  if (!UseXDisplay()) return SkipCode;
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  // The chart editor and the main window keep options under the user's
  // configuration folder: a private one.
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
  QApplication App(argc, argv);
  TFakeMouse Mouse;
  if (!CanFakeInput(Mouse)) return 1;
  if (argc > 1) ShotDirectory = QString::fromLocal8Bit(argv[1]);
  RegisterSeriesTypes();

  std::string error;
  const std::vector<fs::path> channels = WriteDemoRun(home.path().toStdString(), error);
  const auto cell = std::find_if(channels.begin(), channels.end(), [](const fs::path& p) {
    return p.string().find("Interference") != std::string::npos;
  });
  if (cell == channels.end()) {
    std::printf("FAILED: the demo run was not written: %s\n", error.c_str());
    return 1;
  }
  // The scans were written a moment ago; the run is long finished.
  for (const auto& entry : fs::directory_iterator(*cell))
    fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::minutes(5));
  Configuration config(nullptr, QStringLiteral("korvale"), home.path());

  {
    QListWidget list;
    TSedDataView view(nullptr, &list);
    SetUpAsTheMainWindowDoes(view);
    view.resize(1100, 700);
    view.show();
    WaitUntil(App, 5000, [&] { return view.windowHandle()->isExposed(); });
    std::printf("loading\n");
    view.LoadDataDirectory(QString::fromStdString(cell->string()));
    // The files are taken once the viewer has seen them rest.
    WaitUntil(App, 3 * ScanIntake::DefaultSettleMs, [&] { return view.GetDataLoaded(); });
    std::printf("loaded %d scans\n",
                view.GetAnalysis().RawStore ? view.GetAnalysis().RawStore->GetNumberOfSets() : 0);
    view.Chart1->Repaint();
    WaitUntil(App, 500, nullptr);
    Expect(view.GetDataLoaded(), "the viewer loaded the demo's interference cell");
    if (view.GetDataLoaded()) {
      CheckBarDrags(App, Mouse, view);
      CheckDoubleClick(App, Mouse, view);
      CheckTypedInputs(App, Mouse, view);
    }
  }
  CheckRightDragInTheMainWindow(App, Mouse, *cell);
  for (const auto& [folder, mask, optics] :
       {std::tuple{"Absorbance", "0*.RA1", "absorbance"},
        std::tuple{"Fluorescence", "0*.FI3", "fluorescence"},
        std::tuple{"Interference", "0*.IP2", "interference"}}) {
    const auto channel = std::find_if(channels.begin(), channels.end(), [&](const fs::path& p) {
      return p.string().find(folder) != std::string::npos;
    });
    if (channel != channels.end())
      CheckFirstPressOnAFreshViewer(App, Mouse, *channel, mask, optics);
  }

  UnRegisterSeriesTypes();
  std::printf(Failures == 0 ? "viewer window check passed\n" : "viewer window check failed\n");
  return Failures == 0 ? 0 : 1;
}
