// The chart editor opened, sized and closed with the real mouse and
// keyboard of an X server (its input-faking extension) on a laptop-sized
// screen, the way a user meets it from a chart in a window 800 pixels wide:
// - a double click on the chart opens the editor; each of its pages,
//   chosen by clicking its tab, shows every control whole at the size the
//   editor opened with, which lies on the screen and never has to grow;
// - on the axis page, "Change..." of the maximum opens the value dialog,
//   whose caption (the limit and the axis' long title) fits its title bar;
//   Escape closes it;
// - the editor made 800 pixels wide (the server resizes its window, as a
//   window manager does when the user drags its edge) shows every series
//   title of the data page's grid whole;
// - closed with its "Close" button and opened again, it has the size the
//   user gave it; a stored size larger than the screen opens shrunk to
//   the screen, and Escape closes it.
// Run under xvfb-run; an argument names a directory for screenshots.

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/editor/ChartPreview.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/RegisterChartLibrary.h"
#include "chart/editor/RegisterSeriesEditorForms.h"
#include "chart/editor/TAxisMaxMin.h"
#include "chart/editor/TBMPExportFormat.h"
#include "chart/editor/TChartChart.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartEditorDataPage.h"
#include "chart/editor/TChartGrid.h"
#include "chart/editor/TEMFExportFormat.h"
#include "chart/editor/TFormKor3D.h"
#include "chart/editor/TFormKorAxis.h"
#include "chart/editor/TFormKorLegend.h"
#include "chart/editor/TFormKorPage.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TFormKorTools.h"
#include "chart/editor/TKorExportForm.h"
#include "chart/editor/TKorGallery.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/tools/RegisterToolTypes.h"

#include "platform/OptionsStore.h"
#include "platform/TCanvas.h"
#include "tests/support/LayoutChecks.h"
#include "tests/support/window/WindowCheck.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace WindowCheck;

const QString EditorKey = QStringLiteral("SOFTWARE\\Korvale\\KorChart Pro\\Editor");
constexpr uint32_t EscapeKeysym = 0xff1b;

QString ShotDirectory;

void Shot(const QWidget& Window, const std::string& Name) {
  if (!ShotDirectory.isEmpty())
    Screenshot(Window).save(QDir(ShotDirectory).filePath(QString::fromStdString(Name + ".png")));
}

// What a window manager does for the user, asked of the server over a
// connection of our own: resizing a window, and the keyboard's layout.
class TWindowSystem {
 public:
  TWindowSystem() : FConnection(xcb_connect(nullptr, nullptr)) {}
  ~TWindowSystem() { xcb_disconnect(FConnection); }
  TWindowSystem(const TWindowSystem&) = delete;
  TWindowSystem& operator=(const TWindowSystem&) = delete;

  void Resize(const QWidget& Window, QSize Size) {
    const uint32_t Values[] = {static_cast<uint32_t>(Size.width()),
                               static_cast<uint32_t>(Size.height())};
    xcb_configure_window(FConnection, static_cast<xcb_window_t>(Window.winId()),
                         XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, Values);
    xcb_flush(FConnection);
  }

  // The key that gives Keysym without modifiers; 0 when none does.
  uint8_t KeycodeOf(uint32_t Keysym) {
    const xcb_setup_t* Setup = xcb_get_setup(FConnection);
    const int Count = Setup->max_keycode - Setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* Map = xcb_get_keyboard_mapping_reply(
        FConnection,
        xcb_get_keyboard_mapping(FConnection, Setup->min_keycode, static_cast<uint8_t>(Count)),
        nullptr);
    if (Map == nullptr) return 0;
    const xcb_keysym_t* Syms = xcb_get_keyboard_mapping_keysyms(Map);
    uint8_t Found = 0;
    for (int Key = 0; Key < Count && Found == 0; ++Key)
      if (Syms[Key * Map->keysyms_per_keycode] == Keysym)
        Found = static_cast<uint8_t>(Setup->min_keycode + Key);
    std::free(Map);
    return Found;
  }

 private:
  xcb_connection_t* FConnection;
};

// Runs Action once, the first time a modal window that Is accepts is the
// active one: polled from the event loop, so from inside the modal
// window's own loop too.
class TWhenModal {
 public:
  TWhenModal(std::function<bool(QWidget&)> Is, std::function<void(QWidget&)> Action)
      : FIs(std::move(Is)), FAction(std::move(Action)) {
    FTimer.setInterval(50);
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      QWidget* Modal = QApplication::activeModalWidget();
      if (FDone || FRunning || Modal == nullptr || !FIs(*Modal)) return;
      FRunning = true;
      FAction(*Modal);
      FRunning = false;
      FDone = true;
    });
    FTimer.start();
  }
  bool Done() const { return FDone; }

 private:
  std::function<bool(QWidget&)> FIs;
  std::function<void(QWidget&)> FAction;
  QTimer FTimer;
  bool FRunning = false;
  bool FDone = false;
};

TChartEditForm* AsEditor(QWidget& Modal) {
  return dynamic_cast<TChartEditForm*>(&Modal);
}

class TEditorCheck {
 public:
  TEditorCheck(QApplication& App, TFakeMouse& Mouse) : FApp(App), FMouse(Mouse) {}

  void Click(QPoint Global) {
    FMouse.MoveTo(Global);
    WaitUntil(FApp, 60, nullptr);
    FMouse.Press(Global);
    FMouse.Release(Global);
    WaitUntil(FApp, 150, nullptr);
  }
  void Click(const QWidget& Control) { Click(Control.mapToGlobal(Control.rect().center())); }

  void PressKey(const QWidget& Window, uint32_t Keysym) {
    const uint8_t Key = FWindows.KeycodeOf(Keysym);
    Expect(Key != 0, "the keyboard has the key");
    // Without a window manager the key goes to the window under the pointer.
    FMouse.MoveTo(Window.mapToGlobal(Window.rect().center()));
    WaitUntil(FApp, 100, nullptr);
    FMouse.Key(Key, true);
    FMouse.Key(Key, false);
  }

  // Clicks the tab that shows Page; true when the page is then shown.
  bool ChooseTab(QTabWidget& Pages, QWidget* Page) {
    const int Index = Pages.indexOf(Page);
    QTabBar& Bar = *Pages.tabBar();
    const QRect Tab = Bar.tabRect(Index);
    Expect(Bar.rect().contains(Tab), "every tab can be clicked where it is");
    Click(Bar.mapToGlobal(Tab.center()));
    WaitUntil(FApp, 3000, [&] { return Pages.currentWidget() == Page; });
    WaitUntil(FApp, 200, nullptr);
    return Pages.currentWidget() == Page;
  }

  // A double click on the chart, as a user opens the editor; Inside runs
  // on the open editor once its window shows, after the button's last
  // release reached it. Returns whether the editor opened and closed.
  bool OpenEditor(TChart& Chart, const std::function<void(TChartEditForm&)>& Inside) {
    QWidget* Host = Chart.GetWidget();
    const TRect Plot = Chart.GetPlotRect();
    const QPoint At = Host->mapToGlobal(QPoint((Plot.Left + Plot.Right) / 2, Plot.Top + 15));
    TWhenModal Run([](QWidget& Modal) { return AsEditor(Modal) != nullptr; },
                   [&](QWidget& Modal) {
                     TChartEditForm& Form = *AsEditor(Modal);
                     WaitUntil(FApp, 5000, [&] { return Form.windowHandle()->isExposed(); });
                     FMouse.Release(At);
                     WaitUntil(FApp, 300, nullptr);
                     Inside(Form);
                   });
    FMouse.MoveTo(At);
    WaitUntil(FApp, 100, nullptr);
    FMouse.Press(At);
    FMouse.Release(At);
    FMouse.Press(At);
    WaitUntil(FApp, 60000,
              [&] { return Run.Done() && QApplication::activeModalWidget() == nullptr; });
    WaitUntil(FApp, 200, nullptr);
    return Run.Done() && QApplication::activeModalWidget() == nullptr;
  }

  // Every shown page, chosen by its tab, shows its controls whole at the
  // size the editor opened with.
  void VisitEveryPage(TChartEditForm& Form) {
    const QSize Opened = Form.size();
    const QRect Area = Form.screen()->availableGeometry();
    std::printf("the editor opened at %d x %d on a %d x %d screen\n", Opened.width(),
                Opened.height(), Area.width(), Area.height());
    Expect(Area.contains(Form.frameGeometry()), "the editor opens on the screen");
    Expect(Opened.width() > 414 && Opened.height() > 353,
           "the editor opens larger than its old default");
    std::vector<std::pair<QTabWidget*, QWidget*>> Tabs;
    for (int I = 0; I < Form.SubPage->count(); ++I)
      if (Form.SubPage->isTabVisible(I)) Tabs.emplace_back(Form.SubPage, Form.SubPage->widget(I));
    for (int I = 0; I < Form.MainPage->count(); ++I)
      if (Form.MainPage->isTabVisible(I) && Form.MainPage->widget(I) != Form.TabChart)
        Tabs.emplace_back(Form.MainPage, Form.MainPage->widget(I));
    Expect(Tabs.size() == 14, "every page of the editor is offered");
    for (const auto& [Pages, Page] : Tabs) {
      if (Pages == Form.SubPage && Form.MainPage->currentWidget() != Form.TabChart)
        Expect(ChooseTab(*Form.MainPage, Form.TabChart), "the Chart tab opens its page");
      const std::string Name = Page->objectName().toStdString();
      if (!ChooseTab(*Pages, Page)) {
        std::printf("FAILED: clicking its tab did not show %s\n", Name.c_str());
        ++Failures;
        continue;
      }
      Shot(Form, "page-" + Name);
      const QStringList Outside = ControlsOutside(*Page);
      if (!Outside.isEmpty()) {
        std::printf("FAILED: on %s these are cut off: %s\n", Name.c_str(),
                    Outside.join(QStringLiteral(", ")).toLocal8Bit().constData());
        ++Failures;
      }
      if (Page == Form.TabAxis) CheckAxisValueDialog(Form);
    }
    Expect(Form.size() == Opened, "no page made the editor grow");
  }

  // "Change..." of the axis' maximum opens the value dialog, whose caption
  // fits its title bar beside the bar's icon and buttons.
  void CheckAxisValueDialog(TChartEditForm& Form) {
    auto* Change = Form.TabAxis->findChild<QPushButton*>(QStringLiteral("BAxisMax"));
    Expect(Change != nullptr && Change->isVisible(), "the axis page offers Change...");
    if (Change == nullptr) return;
    TWhenModal Dialog(
        [](QWidget& Modal) { return dynamic_cast<TAxisMaxMin*>(&Modal) != nullptr; },
        [&](QWidget& Modal) {
          WaitUntil(FApp, 3000, [&] { return Modal.windowHandle()->isExposed(); });
          WaitUntil(FApp, 200, nullptr);
          Shot(Modal, "axis-maximum");
          QFont Bold = Modal.font();
          Bold.setBold(true);
          const int Text = QFontMetrics(Bold).horizontalAdvance(Modal.windowTitle());
          const int Bar = Modal.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &Modal);
          std::printf("\"%s\": %d pixels of text in a dialog %d wide\n",
                      Modal.windowTitle().toLocal8Bit().constData(), Text, Modal.width());
          Expect(Modal.width() - 4 * Bar >= Text, "the value dialog's caption fits its title bar");
          Expect(Modal.screen()->availableGeometry().contains(Modal.frameGeometry()),
                 "the value dialog lies on the screen");
          Expect(ControlsOutside(Modal).isEmpty(), "the value dialog shows its controls whole");
          PressKey(Modal, EscapeKeysym);
          WaitUntil(FApp, 3000, [&] { return !Modal.isVisible(); });
        });
    Click(*Change);
    WaitUntil(FApp, 5000, [&] { return Dialog.Done() && !Form.isHidden(); });
    Expect(Dialog.Done(), "Change... opened the value dialog");
    Expect(QApplication::activeModalWidget() == &Form, "Escape closed the value dialog");
  }

  // The editor as wide as the chart's window: each series title of the
  // data page's grid that starts inside the grid shows whole.
  void CheckDataPageAt(TChartEditForm& Form, QSize Size) {
    FWindows.Resize(Form, Size);
    WaitUntil(FApp, 3000, [&] { return Form.size() == Size; });
    Expect(Form.size() == Size, "the window system resized the editor");
    Expect(ChooseTab(*Form.MainPage, Form.TabData), "the Data tab opens its page");
    auto* Page = dynamic_cast<TChartEditorDataPage*>(Form.PageEditor(Form.TabData));
    Expect(Page != nullptr, "the data page is made");
    if (Page == nullptr) return;
    Shot(Form, "data-800");
    TChartGrid& Grid = *Page->ChartGrid1;
    const TCanvas& Canvas = Grid.GetCanvas();
    int Titles = 0;
    for (int C = 0; C < Grid.GetColCount(); ++C) {
      const QString Title = Grid.HeaderTitle(C);
      const TRect Cell = Grid.CellRect(C, 0);
      if (Title.isEmpty() || Cell.Right > Grid.GetWidth()) continue;
      ++Titles;
      const int Room = Cell.Right - Cell.Left - TChartGrid::TitleOffset;
      if (Room < Canvas.TextWidth(Title) || Grid.ShownHeaderTitle(C) != Title) {
        std::printf("FAILED: the grid cuts \"%s\" (%d pixels of text, %d of room)\n",
                    Title.toLocal8Bit().constData(), Canvas.TextWidth(Title), Room);
        ++Failures;
      }
    }
    std::printf("%d series titles in a grid %d wide\n", Titles, Grid.GetWidth());
    Expect(Titles == 4, "every series title is in view at 800 pixels");
  }

  TWindowSystem& Windows() { return FWindows; }

 private:
  QApplication& FApp;
  TFakeMouse& FMouse;
  TWindowSystem FWindows;
};

void RegisterAsTheProgramDoes() {
  RegisterChartLibrary();
}

// As the viewer's raw-scan chart: an inactive bar series first, then scans
// and an average, with a long title on the left axis.
void SetUpScanChart(TChart& Chart) {
  Chart.SetView3D(false);
  auto* Bar = new TBarSeries(&Chart);
  Bar->SetTitle(QStringLiteral("Bar"));
  Bar->SetActive(false);
  Chart.AddSeries(Bar);
  for (int Scan = 12; Scan <= 13; ++Scan) {
    auto* Line = new TFastLineSeries(&Chart);
    Line->SetTitle(QStringLiteral("000%1.IP2").arg(Scan));
    Chart.AddSeries(Line);
    for (int I = 0; I <= 100; ++I) Line->AddXY(6.0 + I * 0.01, (Scan - 10) * 0.1 * I);
  }
  auto* Average = new TFastLineSeries(&Chart);
  Average->SetTitle(QStringLiteral("average of dc/dt sets 3 to 20"));
  Chart.AddSeries(Average);
  for (int I = 0; I <= 100; ++I) Average->AddXY(6.0 + I * 0.01, 0.3 * I);
  Chart.GetLeftAxis()->GetTitle().SetCaption(
      QStringLiteral("(t dc/dt) corrected and averaged over the scan pairs"));
}

}  // namespace

int main(int argc, char** argv) {
  if (!UseXDisplay()) return SkipCode;
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  // The editor keeps its window options under the user's configuration
  // folder: a private one.
  QTemporaryDir Home;
  qputenv("HOME", Home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", Home.filePath(QStringLiteral("config")).toLocal8Bit());
  QApplication App(argc, argv);
  TFakeMouse Mouse;
  if (!CanFakeInput(Mouse)) return 1;
  if (argc > 1) ShotDirectory = QString::fromLocal8Bit(argv[1]);
  RegisterAsTheProgramDoes();

  {
    QWidget Window;
    Window.setWindowTitle(QStringLiteral("Editor window check"));
    Window.setGeometry(40, 40, 800, 500);
    TChart Chart(nullptr);
    SetUpScanChart(Chart);
    TChartEditor Editor(nullptr);
    Chart.OnDblClick = [&](TCustomControl*) {
      Editor.SetChart(&Chart);
      Editor.Execute();
    };
    Chart.SetParentWidget(&Window);
    Chart.SetBounds(0, 0, 800, 500);
    Window.show();
    WaitUntil(App, 5000, [&] { return Window.windowHandle()->isExposed(); });
    WaitUntil(App, 300, nullptr);
    TEditorCheck Check(App, Mouse);

    // Opened, every page visited, made 800 wide, closed with "Close".
    QSize Given;
    Expect(Check.OpenEditor(Chart,
                            [&](TChartEditForm& Form) {
                              Check.VisitEveryPage(Form);
                              Given = QSize(800, Form.height() + 40);
                              Check.CheckDataPageAt(Form, Given);
                              Check.Click(*Form.BClose);
                            }),
           "a double click opened the editor and Close closed it");
    OptionsStore Stored(OptionsStore::UserFileName());
    Expect(Stored.ReadInteger(EditorKey, QStringLiteral("Width"), -1) == Given.width() &&
               Stored.ReadInteger(EditorKey, QStringLiteral("Height"), -1) == Given.height(),
           "closing stored the size the user gave the editor");

    // Opened again: as the user left it.
    Expect(Check.OpenEditor(Chart,
                            [&](TChartEditForm& Form) {
                              std::printf("opened again at %d x %d\n", Form.width(), Form.height());
                              Expect(Form.size() == Given,
                                     "the editor keeps the size it was given");
                              Check.Click(*Form.BClose);
                            }),
           "the editor opened again");

    // A stored size larger than the screen (a larger screen was used).
    OptionsStore::User().WriteInteger(EditorKey, QStringLiteral("Width"), 3000);
    OptionsStore::User().WriteInteger(EditorKey, QStringLiteral("Height"), 2000);
    Expect(Check.OpenEditor(Chart,
                            [&](TChartEditForm& Form) {
                              const QRect Area = Form.screen()->availableGeometry();
                              std::printf("a stored 3000 x 2000 opened at %d x %d\n", Form.width(),
                                          Form.height());
                              Expect(Area.contains(Form.frameGeometry()),
                                     "a stored size larger than the screen opens on the screen");
                              Shot(Form, "shrunk");
                              Check.PressKey(Form, EscapeKeysym);
                              WaitUntil(App, 3000, [&] { return !Form.isVisible(); });
                            }),
           "Escape closed the editor");
  }

  std::printf(Failures == 0 ? "editor window check passed\n" : "editor window check failed\n");
  return Failures == 0 ? 0 : 1;
}
