// The main window on a laptop's screen (1366 x 768, on Xvfb), driven with
// the X server's own pointer and key events as a user drives it:
// - shown as the program shows it, the window and its frame fit the screen
//   beside a desktop panel, with the bottom row of controls whole; its title
//   is its caption alone, the task bar and a message box name the program;
// - Alt+S ("Select") chooses a run folder holding three runs, the menu's
//   "Refresh subdirectory list" chooses it again;
// - the arrow keys, Home, End and a typed character move through "Data
//   directories": the files and data types follow, and Alt+L ("Launch a
//   viewer") opens the run the keys chose;
// - four viewers open, two of them of runs whose names end alike: their
//   tabs and their items in the comparison's list tell them apart in their
//   tool tips;
// - on every tab each Alt+letter is one caption's, and opens what it names:
//   the main window's menus, the report editor's own below them on
//   "Report", a viewer's "Close";
// - the viewers close with their "Close" buttons, then a folder without
//   runs is chosen.
// The window must fit the screen throughout, closing the last viewer leaves
// the "Select data" tab in front, and a folder without runs chooses nothing
// and says so. Arguments name files for screenshots: with the four viewers
// open, and after the folder without runs.

#include "analysis/Realtimegofs.h"
#include "app/Configuration.h"
#include "app/FolderBrowserDialog.h"
#include "app/KorvaleTabBar.h"
#include "app/KorvaleUnit.h"
#include "app/UnitKorvaleCompare.h"
#include "app/UnitSedDataView.h"
#include "app/report/FileReporter.h"
#include "app/report/TextEditor.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "platform/ApplicationTitle.h"
#include "platform/MessageBox.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TRadioGroup.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/LayoutChecks.h"
#include "tests/support/window/WindowCheck.h"
#include "tests/support/window/XDesktop.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace WindowCheck;
namespace fs = std::filesystem;

constexpr int ScreenWidth = 1366;
constexpr int ScreenHeight = 768;
// A desktop panel along the top or bottom edge, and the title bar and frame
// a window manager adds (the test server has none, so room is left for
// them), in pixels.
constexpr int PanelAllowance = 30;
constexpr int DecorationAllowance = 40;

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

// The menu of Bar whose title is Title.
QMenu* MenuTitled(const QMenuBar& Bar, const QString& Title) {
  for (QAction* Item : Bar.actions())
    if (Item->text() == Title) return Item->menu();
  return nullptr;
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

// Presses Alt+Letter and lets the window take it.
void PressAlt(QApplication& App, TXDesktop& Desktop, char Letter) {
  Expect(Desktop.Press(static_cast<uint32_t>(Letter), KeyAlt), "Alt and a letter pressed");
  WaitUntil(App, 300, nullptr);
}

void Press(QApplication& App, TXDesktop& Desktop, uint32_t Keysym) {
  Expect(Desktop.Press(Keysym), "key pressed");
  WaitUntil(App, 300, nullptr);
}

// Alt+Letter opens Menu (and nothing else), which Escape closes again.
bool AltOpensMenu(QApplication& App, TXDesktop& Desktop, char Letter, QMenu* Menu) {
  if (Menu == nullptr) return false;
  PressAlt(App, Desktop, Letter);
  WaitUntil(App, 2000, [&] { return QApplication::activePopupWidget() == Menu; });
  const bool Opened = QApplication::activePopupWidget() == Menu;
  Press(App, Desktop, KeyEscape);
  WaitUntil(App, 2000, [] { return QApplication::activePopupWidget() == nullptr; });
  return Opened && QApplication::activePopupWidget() == nullptr;
}

// The tool tip shown once the pointer rests at At (empty when none comes).
QString ToolTipAt(QApplication& App, TFakeMouse& Mouse, QPoint At) {
  // Away first: a tip shown before must go, and the next come afresh.
  Mouse.MoveTo(QPoint(ScreenWidth - 1, ScreenHeight - 1));
  WaitUntil(App, 2000, [] { return !QToolTip::isVisible(); });
  // Entering a window is no move within it: the tip waits for one.
  Mouse.MoveTo(At - QPoint(3, 0));
  WaitUntil(App, 100, nullptr);
  Mouse.MoveTo(At);
  WaitUntil(App, 5000, [] { return QToolTip::isVisible(); });
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

std::vector<std::string> Messages;

void RecordMessage(const std::string& Text) {
  Messages.push_back(Text);
}

// The frame lies on the screen, and with a panel beside it the screen still
// holds the frame, or (without a window manager) the window with room for
// the title bar and frame one would add.
bool FitsTheScreen(const QWidget& Window) {
  const QRect Frame = Window.frameGeometry();
  const bool Framed = Frame.height() > Window.height();
  const int Needed = Frame.height() + (Framed ? 0 : DecorationAllowance) + PanelAllowance;
  const QSize Least = Window.minimumSizeHint().expandedTo(Window.minimumSize());
  std::printf("window %dx%d, frame %dx%d at (%d, %d), %s, least %dx%d\n", Window.width(),
              Window.height(), Frame.width(), Frame.height(), Frame.x(), Frame.y(),
              Framed ? "framed" : "unframed", Least.width(), Least.height());
  return QRect(0, 0, ScreenWidth, ScreenHeight).contains(Frame) && Needed <= ScreenHeight &&
         Least.width() <= ScreenWidth && Least.height() <= Window.height();
}

// Control is shown whole: nothing of it cut off by its window or the
// screen, nor covered by the controls around it.
bool ShowsWhole(const QWidget& Control) {
  const QRect Placed(Control.mapToGlobal(QPoint(0, 0)), Control.size());
  const QWidget& Window = *Control.window();
  return Control.isVisible() && Control.visibleRegion().boundingRect() == Control.rect() &&
         Window.geometry().contains(Placed) &&
         QRect(0, 0, ScreenWidth, ScreenHeight).contains(Placed);
}

// The panes of "Select data" show Form's data directory Dir: its files, its
// data types, and a launch opens it.
bool PanesShow(const TKorvaleForm& Form, const fs::path& Dir, const QString& Channel) {
  const QString Shown = QString::fromStdString(Dir.string()) + u'/';
  const QListWidgetItem* Current = Form.ListBoxDataDirs->currentItem();
  return Current != nullptr && Current->isSelected() && Current->text() == Shown &&
         Form.GetDataDirectory() == Shown && Form.GetFileListDirectory() == Shown &&
         Form.FileListBox1->count() > 0 &&
         Form.SourceDirTxt->text() ==
             QStringLiteral("Files from ") + TKorvaleForm::ShortenPathForDisplay(
                                                 Shown, TKorvaleForm::DataDirectoryDisplayLength) &&
         Form.RadioGroupChannels->GetItems() == QStringList({Channel}) &&
         Form.RadioGroupChannels->GetItemIndex() == 0;
}

void ExpectMnemonicsUnique(const TKorvaleForm& Form, const char* Where) {
  const QStringList Repeated = RepeatedMnemonics(Form);
  if (Repeated.isEmpty()) return;
  std::printf("%s: %s\n", Where, qPrintable(Repeated.join(QStringLiteral("; "))));
  Expect(false, "each Alt+letter is one caption's");
}

// A message box without a caption of its own, answered with its OK button:
// the title the window system shows for it.
QString MessageBoxTitle(QApplication& App, TFakeMouse& Mouse, TXDesktop& Desktop) {
  QString Title;
  const TMessageDialogHook Scripted = SetMessageDialogHook(nullptr);
  QTimer::singleShot(0, [&] {
    const auto Box = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); };
    WaitUntil(App, 5000, [&] {
      return Box() != nullptr && Box()->windowHandle() != nullptr &&
             Box()->windowHandle()->isExposed();
    });
    const QPointer<QMessageBox> Shown = Box();
    if (!Shown) return;
    WaitUntil(App, 300, nullptr);
    Title = Desktop.TitleOf(static_cast<xcb_window_t>(Shown->winId()));
    if (QAbstractButton* Ok = Shown->button(QMessageBox::Ok)) Click(App, Mouse, *Ok);
    WaitUntil(App, 2000, [&] { return !Shown || !Shown->isVisible(); });
    Expect(!Shown || !Shown->isVisible(), "OK closes the message box");
    if (Shown && Shown->isVisible()) Shown->reject();
  });
  MessageDlg(QStringLiteral("Korvale keeps looking for readable scans."),
             TMsgDlgType::mtInformation, mbOKOnly);
  SetMessageDialogHook(Scripted);
  return Title;
}

}  // namespace

int main(int argc, char** argv) {
  if (!UseXDisplay()) return SkipCode;
  TGuardedApplication App(argc, argv);
  SetApplicationTitle(TKorvaleForm::ApplicationTitle);  // as the main routine does
  TFakeMouse Mouse;
  if (!CanFakeInput(Mouse)) return 1;
  TXDesktop Desktop(Mouse);
  const QSize Screen = App.primaryScreen()->size();
  if (Screen.width() != ScreenWidth || Screen.height() != ScreenHeight) {
    std::printf("FAILED: the screen is %dx%d, not a laptop's %dx%d\n", Screen.width(),
                Screen.height(), ScreenWidth, ScreenHeight);
    return 1;
  }
  RegisterSeriesTypes();

  // Runs kept deep in a user's folders, as instruments export them; the
  // names of the first two end alike.
  QTemporaryDir Work;
  const fs::path Root = fs::path(Work.path().toStdString()) / "instrument-exports" / "2026" /
                        "march" / "user-somebody";
  const fs::path Runs[] = {Root / "sedimentation-velocity-run-0042" / "Absorbance",
                           Root / "sedimentation-velocity-run-0043" / "Absorbance",
                           Root / "sedimentation-velocity-run-0044" / "Interference"};
  const QString Channels[] = {QStringLiteral("0*.RA1"), QStringLiteral("0*.RA1"),
                              QStringLiteral("0*.IP1")};
  for (int I = 0; I < 3; ++I) {
    fs::create_directories(Runs[I]);
    const SimulatedChannel& Channel =
        I < 2 ? SimulatedChannel::Absorbance(8) : SimulatedChannel::Interference(8);
    Channel.WriteRange(Runs[I], 0, Channel.Files.size());
  }
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
    Form.show();  // as the main routine shows it
    WaitUntil(App, 5000, [&] { return Form.windowHandle()->isExposed(); });
    Form.activateWindow();
    WaitUntil(App, 2000, [&] { return Form.isActiveWindow(); });
    WaitUntil(App, 500, nullptr);
    Expect(FitsTheScreen(Form), "the window fits the screen at start");
    Expect(ShowsWhole(*Form.ButtonLaunch) && ShowsWhole(*Form.ShowTxtBtn),
           "the bottom row of \"Select data\" is shown whole");

    const auto XWindow = [](const QWidget& Window) {
      return static_cast<xcb_window_t>(Window.winId());
    };
    const QString Title = Desktop.TitleOf(XWindow(Form));
    std::printf("window title \"%s\", class \"%s\"\n", qPrintable(Title),
                qPrintable(Desktop.ClassOf(XWindow(Form))));
    Expect(Title == TKorvaleForm::FormCaption, "the window's title is its caption alone");
    Expect(Desktop.ClassOf(XWindow(Form)) == TKorvaleForm::ApplicationTitle,
           "the task bar knows the window by the program's title");
    Expect(MessageBoxTitle(App, Mouse, Desktop) == TKorvaleForm::ApplicationTitle,
           "a message box without a caption of its own has the program's title");

    // Alt+S is "Select"'s.
    Form.activateWindow();
    WaitUntil(App, 2000, [&] { return Form.isActiveWindow(); });
    PressAlt(App, Desktop, 's');
    WaitUntil(App, 3000, [&] { return FoldersChosen == 1; });
    Expect(FoldersChosen == 1, "Alt+S opens the folder chooser of \"Select\"");
    Expect(Form.ListBoxDataDirs->count() == 3, "the three runs are listed once each");
    ChooseMenuItem(App, Mouse, Form, *Form.Refreshsubdirectorylist1);
    Expect(FoldersChosen == 2, "the menu item asked for the folder again");
    Expect(Form.ListBoxDataDirs->count() == 3, "refreshed, the three runs are listed once each");
    Expect(PanesShow(Form, Runs[0], Channels[0]), "the first run is chosen");

    QMenuBar& Bar = *Form.menuBar();
    Expect(AltOpensMenu(App, Desktop, 'f', MenuTitled(Bar, QStringLiteral("&File"))),
           "Alt+F opens the File menu");
    Expect(AltOpensMenu(App, Desktop, 'a', MenuTitled(Bar, QStringLiteral("&Action"))),
           "Alt+A opens the Action menu");
    Expect(AltOpensMenu(App, Desktop, 't', MenuTitled(Bar, QStringLiteral("Se&ttings"))),
           "Alt+T opens the Settings menu");
    ExpectMnemonicsUnique(Form, "Select data");

    // The keys move through the runs; the panes and a launch follow.
    QListWidget& Dirs = *Form.ListBoxDataDirs;
    ClickAt(App, Mouse, Dirs.viewport()->mapToGlobal(Dirs.visualItemRect(Dirs.item(2)).center()));
    Expect(PanesShow(Form, Runs[2], Channels[2]), "a click chooses the run clicked");
    Press(App, Desktop, KeyHome);
    Expect(PanesShow(Form, Runs[0], Channels[0]), "Home chooses the first run");
    Press(App, Desktop, KeyDown);
    Expect(PanesShow(Form, Runs[1], Channels[1]), "Down chooses the next run");
    Press(App, Desktop, KeyEnd);
    Expect(PanesShow(Form, Runs[2], Channels[2]), "End chooses the last run");
    Press(App, Desktop, KeyUp);
    Press(App, Desktop, KeyUp);
    Expect(PanesShow(Form, Runs[0], Channels[0]), "Up chooses the run before");
    Press(App, Desktop, '/');  // every run's name starts so: the next one
    Expect(PanesShow(Form, Runs[1], Channels[1]), "a typed character chooses the run it starts");
    PressAlt(App, Desktop, 'l');
    WaitUntil(App, 2000, [&] { return Form.OpenViewers().size() == 1; });
    Expect(Form.OpenViewers().size() == 1, "Alt+L launches a viewer");
    if (Form.OpenViewers().empty()) return 1;
    TSedDataView* Late = Form.OpenViewers().back();
    Expect(Late->GetDataDirectory() == Form.GetDataDirectory() &&
               Late->GetAnalysis().ChannelMask == Channels[1].toStdString(),
           "the viewer shows the run the keys chose");

    // Each launch shows the new viewer's tab: the user goes back to
    // "Select data" on the tab bar for the next.
    auto& Tabs = dynamic_cast<TKorvaleTabBar&>(*Form.PC->tabBar());
    for (int I = 0; I < 3; ++I) {
      ClickAt(App, Mouse, Tabs.mapToGlobal(Tabs.RowTabRect(0).center()));
      if (I == 0)
        ClickAt(App, Mouse,
                Dirs.viewport()->mapToGlobal(Dirs.visualItemRect(Dirs.item(0)).center()));
      Click(App, Mouse, *Form.ButtonLaunch);
    }
    // The viewers take their runs in once the files have rested a while.
    const auto AllLoaded = [&] {
      for (const TSedDataView* Viewer : Form.OpenViewers())
        if (!Viewer->GetDataLoaded()) return false;
      return true;
    };
    WaitUntil(App, 30000, AllLoaded);
    WaitUntil(App, 500, nullptr);
    Expect(Form.OpenViewers().size() == 4, "four viewers are open");
    Expect(AllLoaded(), "the viewers took their runs in");
    Expect(FitsTheScreen(Form), "the window fits the screen with four viewers");
    Expect(ShowsWhole(*Form.OpenViewers().back()->CloseBtn),
           "the bottom row of a viewer is shown whole");

    // The viewers of the two runs whose names end alike.
    const std::vector<TSedDataView*> Viewers = Form.OpenViewers();
    const int LatePage = Form.PC->indexOf(Viewers[0]->parentWidget());
    const int EarlyPage = Form.PC->indexOf(Viewers[1]->parentWidget());
    Expect(Form.PC->tabText(LatePage) == Form.PC->tabText(EarlyPage),
           "the tabs of runs whose names end alike read the same");
    Expect(ToolTipAt(App, Mouse, Tabs.mapToGlobal(Tabs.RowTabRect(LatePage).center())) ==
               Viewers[0]->windowTitle(),
           "a viewer's tab has the viewer's whole name as its tool tip");
    Expect(ToolTipAt(App, Mouse, Tabs.mapToGlobal(Tabs.RowTabRect(EarlyPage).center())) ==
               Viewers[1]->windowTitle(),
           "so has the tab that reads the same");
    ClickAt(App, Mouse,
            Tabs.mapToGlobal(Tabs.RowTabRect(Form.PC->indexOf(Form.CompareSheet)).center()));
    ExpectMnemonicsUnique(Form, "Compare");
    QListWidget& Compared = *KorvaleCompare->ListBoxOpenWindows;
    for (int I = 0; I < 2; ++I) {
      const QPoint At =
          Compared.viewport()->mapToGlobal(Compared.visualItemRect(Compared.item(I)).center());
      Expect(ToolTipAt(App, Mouse, At) == Viewers[static_cast<size_t>(I)]->windowTitle(),
             "an item of the comparison's list has its viewer's whole name as its tool tip");
    }

    // On "Report" the report editor's menus lie below the main window's.
    ClickAt(App, Mouse,
            Tabs.mapToGlobal(Tabs.RowTabRect(Form.PC->indexOf(Form.ReportSheet)).center()));
    WaitUntil(App, 1000, nullptr);
    Expect(FileRptFrm && FileRptFrm->Editor() != nullptr, "the report editor is shown");
    if (FileRptFrm && FileRptFrm->Editor() != nullptr) {
      const QMenuBar& Report = *FileRptFrm->Editor()->MainMenu2;
      Expect(AltOpensMenu(App, Desktop, 'f', MenuTitled(Bar, QStringLiteral("&File"))),
             "on \"Report\" Alt+F opens the main window's File menu");
      Expect(AltOpensMenu(App, Desktop, 'i', MenuTitled(Report, QStringLiteral("F&ile"))),
             "Alt+I opens the report's File menu");
      Expect(AltOpensMenu(App, Desktop, 'e', MenuTitled(Report, QStringLiteral("&Edit"))),
             "Alt+E opens the report's Edit menu");
      Expect(AltOpensMenu(App, Desktop, 'o', MenuTitled(Report, QStringLiteral("F&ormat"))),
             "Alt+O opens the report's Format menu");
      Expect(AltOpensMenu(App, Desktop, 'a', MenuTitled(Bar, QStringLiteral("&Action"))),
             "on \"Report\" Alt+A opens the Action menu");
      Expect(AltOpensMenu(App, Desktop, 't', MenuTitled(Bar, QStringLiteral("Se&ttings"))),
             "on \"Report\" Alt+T opens the Settings menu");
    }
    ExpectMnemonicsUnique(Form, "Report");

    TSedDataView& Last = *Form.OpenViewers().back();
    Form.PC->setCurrentWidget(Last.parentWidget());
    const QString Status = QStringLiteral(
        "None of the files of this channel could be read as a scan; "
        "Korvale keeps looking for readable scans.");
    Last.LabelProblem->setText(Status + QStringLiteral(" ") + Status);
    WaitUntil(App, 500, nullptr);
    Expect(FitsTheScreen(Form), "a long status text does not widen the window");
    if (argc > 1) Screenshot(Form).save(QString::fromLocal8Bit(argv[1]));

    // Alt+C is a viewer's "Close"; the others close with a click on it.
    ExpectMnemonicsUnique(Form, "a viewer");
    const QPointer<TSedDataView> Closing = &Last;
    PressAlt(App, Desktop, 'c');
    WaitUntil(App, 2000, [&] { return Closing.isNull(); });
    Expect(Closing.isNull() && Form.OpenViewers().size() == 3, "Alt+C closes the viewer in front");
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
