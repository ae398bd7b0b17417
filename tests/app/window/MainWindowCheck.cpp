// The main window on a laptop's screen (1366 x 768, on Xvfb), driven with
// the X server's own pointer events as a user drives it: choose a run
// folder with "Select" and again with the menu's "Refresh subdirectory
// list", launch four viewers with "Launch a viewer", let a viewer show a
// long status text, close the viewers with their "Close" buttons, then
// choose a folder without runs. The window must fit the screen throughout,
// each run directory is listed once, closing the last viewer leaves the
// "Select data" tab in front, and a folder without runs chooses nothing and
// says so. Arguments name files for screenshots: with the four viewers
// open, and after the folder without runs.

#include "app/Configuration.h"
#include "app/FolderBrowserDialog.h"
#include "app/KorvaleTabBar.h"
#include "app/KorvaleUnit.h"
#include "app/UnitSedDataView.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "platform/MessageBox.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TRadioGroup.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/window/WindowCheck.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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

// Opens the menu of the menu bar that holds Item and clicks Item.
void ChooseMenuItem(QApplication& App, TFakeMouse& Mouse, QMainWindow& Window, QAction& Item) {
  QMenuBar& Bar = *Window.menuBar();
  QMenu* Menu = nullptr;
  for (QAction* Title : Bar.actions())
    if (Title->menu() != nullptr && Title->menu()->actions().contains(&Item)) Menu = Title->menu();
  Expect(Menu != nullptr, "the item is in a menu of the menu bar");
  if (Menu == nullptr) return;
  ClickAt(App, Mouse, Bar.mapToGlobal(Bar.actionGeometry(Menu->menuAction()).center()));
  WaitUntil(App, 2000, [&] { return Menu->isVisible(); });
  Expect(Menu->isVisible(), "the menu opened");
  ClickAt(App, Mouse, Menu->mapToGlobal(Menu->actionGeometry(&Item).center()));
}

std::vector<std::string> Messages;

void RecordMessage(const std::string& Text) {
  Messages.push_back(Text);
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
  // A folder of notes, without any run.
  const fs::path NoRuns = fs::path(Work.path().toStdString()) / "notes-only";
  fs::create_directories(NoRuns / "minutes");
  fs::path ChosenRoot = Root;
  int FoldersChosen = 0;
  Configuration Config(nullptr, QStringLiteral("korvale"), Work.path());

  // The dialogs a user would answer: the folder chooser picks the root,
  // the report's logo question is declined, leaving asks nothing.
  SetShowModalHook([&](QDialog& Dialog) {
    if (auto* Chooser = dynamic_cast<FolderBrowserDialog*>(&Dialog)) {
      Chooser->SelectFolder(QString::fromStdString(ChosenRoot.string()));
      ++FoldersChosen;
      Chooser->ButtonOKClick();
      return Chooser->result();
    }
    return static_cast<int>(mrCancel);
  });
  SetFileDialogHook([](const TFileDialogRequest&) { return TFileDialogAnswer{}; });
  SetMessageDialogHook([](const TMessageDialogRequest&) { return static_cast<int>(mrNo); });
  SetMessageBoxHook(&RecordMessage);

  {
    TKorvaleForm Form;
    Form.showMaximized();
    WaitUntil(App, 5000, [&] { return Form.windowHandle()->isExposed(); });
    WaitUntil(App, 500, nullptr);
    Expect(FitsTheScreen(Form), "the window fits the screen at start");

    Click(App, Mouse, *Form.btnSetInputDir);
    Expect(Form.ListBoxDataDirs->count() == 1, "the run's folder is listed once");
    ChooseMenuItem(App, Mouse, Form, *Form.Refreshsubdirectorylist1);
    Expect(FoldersChosen == 2, "the menu item asked for the folder again");
    Expect(Form.ListBoxDataDirs->count() == 1, "refreshed, the run's folder is listed once");
    Expect(Form.RadioGroupChannels->Count() == 1, "the run's channel is offered");
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

    // A Close button pushed off the screen would not close: a bounded
    // number of clicks, so a failed check ends instead of looping.
    for (int Clicks = 0; Clicks < 8 && !Form.OpenViewers().empty(); ++Clicks) {
      TSedDataView& Viewer = *Form.OpenViewers().front();
      Form.PC->setCurrentWidget(Viewer.parentWidget());
      WaitUntil(App, 300, nullptr);
      Click(App, Mouse, *Viewer.CloseBtn);
      WaitUntil(App, 300, nullptr);
    }
    Expect(Form.OpenViewers().empty(), "every viewer closes with its \"Close\" button");
    Expect(Form.PC->currentWidget() == Form.MainSheet,
           "closing the last viewer leaves \"Select data\" in front");

    ChosenRoot = NoRuns;
    Click(App, Mouse, *Form.btnSetInputDir);
    Expect(Form.ListBoxDataDirs->selectedItems().isEmpty(),
           "after a folder without runs no run directory is chosen");
    Expect(Form.RadioGroupChannels->Count() == 0, "no channel of the earlier run is offered");
    Expect(Form.RadioGroupChannels->title().startsWith(TKorvaleForm::NoRunDirectoriesText),
           "the folder without runs is said to have none");
    Expect(FitsTheScreen(Form), "the window fits the screen after a folder without runs");
    if (argc > 2) Screenshot(Form).save(QString::fromLocal8Bit(argv[2]));
    const size_t Told = Messages.size();
    Click(App, Mouse, *Form.ButtonLaunch);
    Expect(
        Messages.size() == Told + 1 && Messages.back() == TKorvaleForm::NoChannelText.toStdString(),
        "launching then says that no channel is chosen");
    Expect(Form.PC->count() == TKorvaleForm::FirstViewerPage, "and opens no viewer");
  }
  UnRegisterSeriesTypes();
  std::printf(Failures == 0 ? "main window check passed\n" : "main window check failed\n");
  return Failures == 0 ? 0 : 1;
}
