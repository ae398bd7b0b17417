// The main window on a laptop's screen (1366 x 768, on Xvfb), driven with
// the X server's own pointer events as a user drives it: choose a run
// folder with "Select", launch four viewers with "Launch a viewer", let a
// viewer show a long status text, close the viewers with their "Close"
// buttons. The window must fit the screen throughout, and closing the last
// viewer must leave the "Select data" tab in front. An argument names a
// file for a screenshot with the four viewers open.

#include "app/Configuration.h"
#include "app/FolderBrowserDialog.h"
#include "app/KorvaleTabBar.h"
#include "app/KorvaleUnit.h"
#include "app/UnitSedDataView.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/window/WindowCheck.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <filesystem>

namespace {

using namespace WindowCheck;
namespace fs = std::filesystem;

constexpr int ScreenWidth = 1366;
constexpr int ScreenHeight = 768;

// Clicks the screen point At with the server's pointer.
void ClickAt(QApplication& App, TFakeMouse& Mouse, QPoint At) {
  Expect(Mouse.MoveTo(At), "pointer moved");
  WaitUntil(App, 150, nullptr);
  Expect(Mouse.Press(At), "button pressed");
  WaitUntil(App, 50, nullptr);
  Expect(Mouse.Release(At), "button released");
  WaitUntil(App, 400, nullptr);
}

// Clicks the middle of Button.
void Click(QApplication& App, TFakeMouse& Mouse, QWidget& Button) {
  ClickAt(App, Mouse, Button.mapToGlobal(Button.rect().center()));
}

bool FitsTheScreen(const QWidget& Window) {
  const QRect Frame = Window.frameGeometry();
  const QSize Least = Window.minimumSizeHint().expandedTo(Window.minimumSize());
  std::printf("window %dx%d, frame %dx%d, least %dx%d\n", Window.width(), Window.height(),
              Frame.width(), Frame.height(), Least.width(), Least.height());
  return Frame.width() <= ScreenWidth && Frame.height() <= ScreenHeight &&
         Least.width() <= ScreenWidth && Least.height() <= ScreenHeight;
}

}  // namespace

int main(int argc, char** argv) {
  if (!UseXDisplay()) return SkipCode;
  TGuardedApplication App(argc, argv);
  TFakeMouse Mouse;
  if (!CanFakeInput(Mouse)) return 1;
  const QSize Screen = App.primaryScreen()->size();
  if (Screen.width() != ScreenWidth || Screen.height() != ScreenHeight) {
    std::printf("FAILED: the screen is %dx%d, not a laptop's %dx%d\n", Screen.width(),
                Screen.height(), ScreenWidth, ScreenHeight);
    return 1;
  }
  RegisterSeriesTypes();

  // Runs kept deep in a user's folders, as instruments export them.
  QTemporaryDir Work;
  const fs::path Root = fs::path(Work.path().toStdString()) / "instrument-exports" / "2026" /
                        "march" / "user-somebody";
  const fs::path Run = Root / "sedimentation-velocity-run-0042" / "Absorbance";
  fs::create_directories(Run);
  const SimulatedChannel& Channel = SimulatedChannel::Absorbance(8);
  Channel.WriteRange(Run, 0, Channel.Files.size());
  Configuration Config(nullptr, QStringLiteral("korvale"), Work.path());

  // The dialogs a user would answer: the folder chooser picks the root,
  // the report's logo question is declined, leaving asks nothing.
  SetShowModalHook([&](QDialog& Dialog) {
    if (auto* Chooser = dynamic_cast<FolderBrowserDialog*>(&Dialog)) {
      Chooser->SelectFolder(QString::fromStdString(Root.string()));
      Chooser->ButtonOKClick();
      return Chooser->result();
    }
    return static_cast<int>(mrCancel);
  });
  SetFileDialogHook([](const TFileDialogRequest&) { return TFileDialogAnswer{}; });
  SetMessageDialogHook([](const TMessageDialogRequest&) { return static_cast<int>(mrNo); });

  {
    TKorvaleForm Form;
    Form.showMaximized();
    WaitUntil(App, 5000, [&] { return Form.windowHandle()->isExposed(); });
    WaitUntil(App, 500, nullptr);
    Expect(FitsTheScreen(Form), "the window fits the screen at start");

    Click(App, Mouse, *Form.btnSetInputDir);
    Expect(Form.ListBoxDataDirs->count() == 1, "the run's folder is listed once");
    // Each launch shows the new viewer's tab: the user goes back to
    // "Select data" on the tab bar for the next.
    auto& Tabs = dynamic_cast<TKorvaleTabBar&>(*Form.PC->tabBar());
    for (int I = 0; I < 4; ++I) {
      ClickAt(App, Mouse, Tabs.mapToGlobal(Tabs.RowTabRect(0).center()));
      Click(App, Mouse, *Form.ButtonLaunch);
    }
    WaitUntil(App, 1000, nullptr);
    Expect(Form.OpenViewers().size() == 4, "four viewers are open");
    Expect(FitsTheScreen(Form), "the window fits the screen with four viewers");

    TSedDataView& Last = *Form.OpenViewers().back();
    const QString Status = QStringLiteral(
        "None of the files of this channel could be read as a scan; "
        "Korvale keeps looking for readable scans.");
    Last.LabelProblem->setText(Status + QStringLiteral(" ") + Status);
    WaitUntil(App, 500, nullptr);
    Expect(FitsTheScreen(Form), "a long status text does not widen the window");
    if (argc > 1) Screenshot(Form).save(QString::fromLocal8Bit(argv[1]));

    while (!Form.OpenViewers().empty()) {
      TSedDataView& Viewer = *Form.OpenViewers().front();
      Form.PC->setCurrentWidget(Viewer.parentWidget());
      WaitUntil(App, 300, nullptr);
      Click(App, Mouse, *Viewer.CloseBtn);
      WaitUntil(App, 300, nullptr);
    }
    Expect(Form.PC->currentWidget() == Form.MainSheet,
           "closing the last viewer leaves \"Select data\" in front");
  }
  UnRegisterSeriesTypes();
  std::printf(Failures == 0 ? "main window check passed\n" : "main window check failed\n");
  return Failures == 0 ? 0 : 1;
}
