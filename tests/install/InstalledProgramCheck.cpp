// The installed program as a user meets it. Installed by root into a fresh
// prefix, it is started twice by a user who cannot write there (nobody; run
// without root, the same user with the prefix made read-only), from a folder
// it cannot write, in real windows on an X server (xvfb-run), and driven
// with the server's own key events:
// - the first start asks for the report's logo, answered with a JPEG, and
//   the folder chooser ("Select") picks a run folder;
// - the second start asks nothing, and its folder chooser opens on that
//   folder: a name typed in it is taken below the remembered folder.
// The configuration file and the logo must be kept in
// $XDG_CONFIG_HOME/Korvale/, and nothing may be written into the prefix.

#include "tests/support/window/WindowCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace WindowCheck;

// Each step may take long: the program may be sanitizer-built, and other
// tests share the machine (ms).
constexpr int StepTimeout = 90000;

constexpr uint32_t KeyTab = 0xff09;
constexpr uint32_t KeyReturn = 0xff0d;
constexpr uint32_t KeyShift = 0xffe1;
constexpr uint32_t KeyAlt = 0xffe9;

const QString LogoQueryTitle = QStringLiteral("Select a Bitmap Logo File for the Report");
const QString MainWindowTitle = QStringLiteral("Korvale  1.20");
const QString ChooserTitle = QStringLiteral("Select folder where AUC files may be found");
const QString ReportQuestionTitle = QStringLiteral("Report changed");

// The X server as the user's eyes and keyboard: the titles of the windows
// shown, and keys typed through the input-faking extension.
class TXDesktop {
 public:
  explicit TXDesktop(TFakeMouse& Input)
      : FConnection(xcb_connect(nullptr, nullptr)), FInput(Input) {
    if (xcb_connection_has_error(FConnection)) return;
    const xcb_setup_t* Setup = xcb_get_setup(FConnection);
    FRoot = xcb_setup_roots_iterator(Setup).data->root;
    FMinKeycode = Setup->min_keycode;
    const auto Count = static_cast<uint8_t>(Setup->max_keycode - Setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* Map = xcb_get_keyboard_mapping_reply(
        FConnection, xcb_get_keyboard_mapping(FConnection, FMinKeycode, Count), nullptr);
    if (Map != nullptr) {
      FPerKeycode = Map->keysyms_per_keycode;
      const xcb_keysym_t* Syms = xcb_get_keyboard_mapping_keysyms(Map);
      FKeysyms.assign(Syms, Syms + xcb_get_keyboard_mapping_keysyms_length(Map));
      std::free(Map);
    }
    FUtf8Name = Atom("_NET_WM_NAME");
  }
  ~TXDesktop() { xcb_disconnect(FConnection); }
  TXDesktop(const TXDesktop&) = delete;
  TXDesktop& operator=(const TXDesktop&) = delete;

  // Titles of the top-level windows a user sees (the platform may add the
  // program's name after a dash).
  QStringList ShownTitles() {
    QStringList Titles;
    for (xcb_window_t Window : ShownWindows()) Titles << TitleOf(Window);
    return Titles;
  }

  bool Shows(const QString& Title) { return WindowTitled(Title) != XCB_WINDOW_NONE; }

  // Gives the window Title the keyboard, as a window manager does when the
  // user clicks it (the server has none).
  bool Focus(const QString& Title) {
    const xcb_window_t Window = WindowTitled(Title);
    if (Window == XCB_WINDOW_NONE) return false;
    const xcb_void_cookie_t Cookie = xcb_set_input_focus_checked(
        FConnection, XCB_INPUT_FOCUS_POINTER_ROOT, Window, XCB_CURRENT_TIME);
    xcb_generic_error_t* Error = xcb_request_check(FConnection, Cookie);
    std::free(Error);
    return Error == nullptr;
  }

  // Presses and releases Keysym, with Modifier (a keysym) held when given.
  bool Press(uint32_t Keysym, uint32_t Modifier = 0) {
    uint8_t Code = 0, ModifierCode = 0;
    bool Shifted = false, Unused = false;
    if (!KeycodeOf(Keysym, Code, Shifted)) return false;
    if (Modifier != 0 && !KeycodeOf(Modifier, ModifierCode, Unused)) return false;
    uint8_t ShiftCode = 0;
    if (Shifted && !KeycodeOf(KeyShift, ShiftCode, Unused)) return false;
    bool Ok = true;
    if (ModifierCode != 0) Ok = FInput.Key(ModifierCode, true) && Ok;
    if (Shifted) Ok = FInput.Key(ShiftCode, true) && Ok;
    Ok = FInput.Key(Code, true) && FInput.Key(Code, false) && Ok;
    if (Shifted) Ok = FInput.Key(ShiftCode, false) && Ok;
    if (ModifierCode != 0) Ok = FInput.Key(ModifierCode, false) && Ok;
    xcb_flush(FConnection);
    return Ok;
  }

  // Types printable ASCII text (their keysyms are their codes).
  bool Type(const QString& Text) {
    for (QChar C : Text)
      if (!Press(C.unicode())) return false;
    return true;
  }

 private:
  xcb_atom_t Atom(const char* Name) {
    xcb_intern_atom_reply_t* Reply = xcb_intern_atom_reply(
        FConnection,
        xcb_intern_atom(FConnection, 0, static_cast<uint16_t>(std::strlen(Name)), Name), nullptr);
    const xcb_atom_t Result = Reply != nullptr ? Reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(Reply);
    return Result;
  }

  std::vector<xcb_window_t> ShownWindows() {
    std::vector<xcb_window_t> Shown;
    xcb_query_tree_reply_t* Tree =
        xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, FRoot), nullptr);
    if (Tree == nullptr) return Shown;
    const xcb_window_t* Children = xcb_query_tree_children(Tree);
    for (int I = 0; I < xcb_query_tree_children_length(Tree); ++I)
      if (Viewable(Children[I])) Shown.push_back(Children[I]);
    std::free(Tree);
    return Shown;
  }

  xcb_window_t WindowTitled(const QString& Title) {
    for (xcb_window_t Window : ShownWindows())
      if (TitleOf(Window).startsWith(Title)) return Window;
    return XCB_WINDOW_NONE;
  }

  bool Viewable(xcb_window_t Window) {
    xcb_get_window_attributes_reply_t* Attributes = xcb_get_window_attributes_reply(
        FConnection, xcb_get_window_attributes(FConnection, Window), nullptr);
    const bool Result = Attributes != nullptr && Attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(Attributes);
    return Result;
  }

  QString TitleOf(xcb_window_t Window) {
    for (xcb_atom_t Name : {FUtf8Name, static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
      xcb_get_property_reply_t* Reply = xcb_get_property_reply(
          FConnection, xcb_get_property(FConnection, 0, Window, Name, XCB_ATOM_ANY, 0, 1024),
          nullptr);
      QString Title;
      if (Reply != nullptr && xcb_get_property_value_length(Reply) > 0)
        Title = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(Reply)),
                                  xcb_get_property_value_length(Reply));
      std::free(Reply);
      if (!Title.isEmpty()) return Title;
    }
    return QString();
  }

  // The key that gives Keysym, unshifted (first column) or shifted (second).
  bool KeycodeOf(uint32_t Keysym, uint8_t& Keycode, bool& Shifted) const {
    for (int Column = 0; Column < std::min(FPerKeycode, 2); ++Column)
      for (size_t I = 0; I * FPerKeycode < FKeysyms.size(); ++I)
        if (FKeysyms[I * FPerKeycode + Column] == Keysym) {
          Keycode = static_cast<uint8_t>(FMinKeycode + I);
          Shifted = Column == 1;
          return true;
        }
    std::printf("FAILED: no key gives keysym 0x%x\n", Keysym);
    return false;
  }

  xcb_connection_t* FConnection;
  TFakeMouse& FInput;
  xcb_window_t FRoot = 0;
  xcb_atom_t FUtf8Name = XCB_ATOM_NONE;
  uint8_t FMinKeycode = 0;
  int FPerKeycode = 0;
  std::vector<xcb_keysym_t> FKeysyms;
};

// Where the check lays out the user's world: the prefix, the user's home
// with its configuration folder, the runs and the logo to choose.
struct TSandbox {
  QString Prefix, Home, Config, Runs, Logo;
  QString Bin() const { return Prefix + QStringLiteral("/bin"); }
  QString Program() const { return Bin() + QStringLiteral("/korvale"); }
  QString Kept(const QString& Name) const { return Config + QStringLiteral("/Korvale/") + Name; }
};

// The user the program runs as: nobody when the check runs as root (the
// prefix stays root's), else the check's own user.
struct TUser {
  bool Other = false;
  uid_t Uid = 0;
  gid_t Gid = 0;
};

// A folder of User's (only the owner may enter it when Private).
bool MakeFolder(const QString& Path, const TUser& User, bool Private = false) {
  if (!QDir().mkpath(Path)) return false;
  const QFile::Permissions Owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
  const QFile::Permissions Others =
      QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
  QFile::setPermissions(Path, Private ? Owner : Owner | Others);
  return !User.Other || chown(Path.toLocal8Bit().constData(), User.Uid, User.Gid) == 0;
}

bool Install(const TSandbox& Box) {
  const int Result =
      QProcess::execute(QStringLiteral(KORVALE_CMAKE_COMMAND),
                        {QStringLiteral("--install"), QStringLiteral(KORVALE_BUILD_DIR),
                         QStringLiteral("--prefix"), Box.Prefix});
  return Result == 0;
}

// The prefix's folders lose their write permission (for a user who owns them).
void SetPrefixWritable(const TSandbox& Box, bool Writable) {
  for (const QString& Folder : {Box.Bin(), Box.Prefix}) {
    QFile::Permissions P = QFile::permissions(Folder);
    if (Writable)
      P |= QFile::WriteOwner | QFile::WriteUser;
    else
      P &= ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther);
    QFile::setPermissions(Folder, P);
  }
}

QProcessEnvironment UserEnvironment(const TSandbox& Box) {
  QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
  Env.insert(QStringLiteral("HOME"), Box.Home);
  Env.insert(QStringLiteral("XDG_CONFIG_HOME"), Box.Config);
  Env.insert(QStringLiteral("XDG_CACHE_HOME"), Box.Home + QStringLiteral("/.cache"));
  Env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Box.Home + QStringLiteral("/runtime"));
  Env.insert(QStringLiteral("XAUTHORITY"), Box.Home + QStringLiteral("/.Xauthority"));
  Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  return Env;
}

// The X server's cookie, for a user who may not read the check's own.
bool ShareXAuthority(const TSandbox& Box, const TUser& User) {
  const QString Own = qEnvironmentVariable("XAUTHORITY");
  const QString Copy = Box.Home + QStringLiteral("/.Xauthority");
  if (Own.isEmpty()) return true;  // an open server
  if (!QFile::copy(Own, Copy)) return false;
  return !User.Other || chown(Copy.toLocal8Bit().constData(), User.Uid, User.Gid) == 0;
}

// One start of the program; a start that a failed step leaves running is
// ended with it.
class TProgramRun : public QProcess {
 public:
  ~TProgramRun() override {
    if (state() == NotRunning) return;
    kill();
    waitForFinished(5000);
  }
};

void Start(QProcess& Program, const TSandbox& Box, const TUser& User) {
  Program.setProgram(Box.Program());
  Program.setWorkingDirectory(Box.Bin());
  Program.setProcessEnvironment(UserEnvironment(Box));
  Program.setProcessChannelMode(QProcess::ForwardedChannels);
  if (User.Other)
    Program.setChildProcessModifier([Uid = User.Uid, Gid = User.Gid] {
      if (setgroups(0, nullptr) != 0 || setgid(Gid) != 0 || setuid(Uid) != 0) _exit(126);
    });
  Program.start();
}

// Waits until Done, while the program runs; false on time-out or when the
// program ended.
bool WaitWhileRunning(QProcess& Program, const std::function<bool()>& Done) {
  QElapsedTimer Timer;
  Timer.start();
  while (Timer.elapsed() < StepTimeout) {
    if (Done()) return true;
    if (Program.state() == QProcess::NotRunning) return false;
    Program.waitForFinished(100);
  }
  return Done();
}

bool Step(QProcess& Program, TXDesktop& Desktop, const char* What,
          const std::function<bool()>& Done) {
  if (WaitWhileRunning(Program, Done)) return true;
  std::printf(
      "FAILED: %s; windows shown: \"%s\"%s\n", What,
      qPrintable(Desktop.ShownTitles().join(QStringLiteral("\", \""))),
      Program.state() == QProcess::NotRunning
          ? qPrintable(QStringLiteral(" (the program ended, exit code %1)").arg(Program.exitCode()))
          : "");
  ++Failures;
  return false;
}

// Presses Return until the window Title has gone (a completion list the
// first Return may close).
bool Confirm(QProcess& Program, TXDesktop& Desktop, const QString& Title) {
  for (int Attempt = 0; Attempt < 3; ++Attempt) {
    Desktop.Press(KeyReturn);
    QElapsedTimer Timer;
    Timer.start();
    while (Timer.elapsed() < 3000 && Desktop.Shows(Title)) Program.waitForFinished(100);
    if (!Desktop.Shows(Title)) return true;
  }
  return false;
}

// Opens the folder chooser with "Select" and confirms Text typed into its
// edit box (a path, or a name below the folder it opened on).
bool ChooseFolder(QProcess& Program, TXDesktop& Desktop, const QString& Text) {
  Desktop.Focus(MainWindowTitle);
  // Alt+S is also the key of the Settings menu: the first press may only
  // move the focus to the button, which Space then presses.
  Desktop.Press('s', KeyAlt);
  Program.waitForFinished(1500);
  if (!Desktop.Shows(ChooserTitle)) Desktop.Press(' ');
  if (!Step(Program, Desktop, "the folder chooser opens",
            [&] { return Desktop.Shows(ChooserTitle); }))
    return false;
  Desktop.Focus(ChooserTitle);
  Desktop.Press(KeyTab);  // from the folder tree to the edit box, its text selected
  Desktop.Type(Text);
  return Step(Program, Desktop, "the folder chooser takes the folder",
              [&] { return Confirm(Program, Desktop, ChooserTitle); });
}

// Leaves with File > Exit, declining to save the report.
bool Quit(QProcess& Program, TXDesktop& Desktop) {
  Desktop.Focus(MainWindowTitle);
  Desktop.Press('f', KeyAlt);
  Program.waitForFinished(500);
  Desktop.Press('e');
  // Returns when the program has ended, or after a step's time.
  WaitWhileRunning(Program, [&] {
    if (Desktop.Focus(ReportQuestionTitle)) Desktop.Press('n', KeyAlt);
    return false;
  });
  if (Program.state() == QProcess::NotRunning && Program.exitStatus() == QProcess::NormalExit &&
      Program.exitCode() == 0)
    return true;
  std::printf("FAILED: the program ends with File > Exit (exit code %d)\n", Program.exitCode());
  ++Failures;
  return false;
}

QString LastDirectory(const TSandbox& Box) {
  QFile File(Box.Kept(QStringLiteral("korvale.cfg")));
  if (!File.open(QIODevice::ReadOnly)) return QString();
  for (const QByteArray& Line : File.readAll().split('\n'))
    if (Line.startsWith("LastDirectory=")) return QString::fromUtf8(Line.mid(14).trimmed());
  return QString();
}

void FirstStart(const TSandbox& Box, const TUser& User, TXDesktop& Desktop) {
  TProgramRun Program;
  Start(Program, Box, User);
  if (!Step(Program, Desktop, "the first start asks for the report's logo",
            [&] { return Desktop.Shows(LogoQueryTitle); }))
    return;
  Desktop.Focus(LogoQueryTitle);
  Desktop.Type(Box.Logo);
  if (!Step(Program, Desktop, "the logo is taken",
            [&] { return Confirm(Program, Desktop, LogoQueryTitle); }))
    return;
  if (!Step(Program, Desktop, "the main window opens",
            [&] { return Desktop.Shows(MainWindowTitle); }))
    return;
  Expect(QFileInfo(Box.Kept(QStringLiteral("ReportLogo.jpg"))).size() > 0,
         "the logo is kept in the user's configuration folder");
  if (ChooseFolder(Program, Desktop, Box.Runs)) Quit(Program, Desktop);
  Expect(LastDirectory(Box) == Box.Runs + u'/',
         "the configuration file in the user's configuration folder names the chosen folder");
}

void SecondStart(const TSandbox& Box, const TUser& User, TXDesktop& Desktop) {
  TProgramRun Program;
  Start(Program, Box, User);
  if (!Step(Program, Desktop, "the second start opens the main window",
            [&] { return Desktop.Shows(MainWindowTitle) || Desktop.Shows(LogoQueryTitle); }))
    return;
  Program.waitForFinished(2000);  // the time a question about the logo would take to appear
  if (Desktop.Shows(LogoQueryTitle)) {
    Expect(false, "the second start does not ask for the logo again");
    return;
  }
  if (ChooseFolder(Program, Desktop, QStringLiteral("second"))) Quit(Program, Desktop);
  Expect(LastDirectory(Box) == Box.Runs + QStringLiteral("/second/"),
         "the folder chooser opens on the folder chosen at the first start");
}

}  // namespace

int main(int argc, char** argv) {
  if (!UseXDisplay()) return SkipCode;
  QCoreApplication App(argc, argv);
  TFakeMouse Input;
  if (!CanFakeInput(Input)) return 1;
  TXDesktop Desktop(Input);

  TUser User;
  if (geteuid() == 0) {
    const passwd* Nobody = getpwnam("nobody");
    if (Nobody == nullptr) {
      std::printf("no user nobody: skipped\n");
      return SkipCode;
    }
    User = {true, Nobody->pw_uid, Nobody->pw_gid};
  }

  QTemporaryDir Work;
  TSandbox Box;
  Box.Prefix = Work.path() + QStringLiteral("/prefix");
  Box.Home = Work.path() + QStringLiteral("/home");
  Box.Config = Box.Home + QStringLiteral("/settings");
  Box.Runs = Work.path() + QStringLiteral("/runs/March");
  Box.Logo = Work.path() + QStringLiteral("/Logo.jpg");
  const TUser Root;  // folders the user only reads
  if (!MakeFolder(Work.path(), Root) || !MakeFolder(Box.Prefix, Root) ||
      !MakeFolder(Box.Runs + QStringLiteral("/second"), Root) || !MakeFolder(Box.Home, User) ||
      !MakeFolder(Box.Home + QStringLiteral("/runtime"), User, true) ||
      !ShareXAuthority(Box, User)) {
    std::printf("FAILED: the sandbox cannot be laid out\n");
    return 1;
  }
  QImage Picture(40, 20, QImage::Format_RGB32);
  Picture.fill(Qt::darkRed);
  if (!Picture.save(Box.Logo, "JPG") || !Install(Box)) {
    std::printf("FAILED: the logo cannot be written or the program cannot be installed\n");
    return 1;
  }
  for (const char* Installed : {"bin/korvale", "share/applications/korvale.desktop",
                                "share/icons/hicolor/scalable/apps/korvale.svg"})
    Expect(QFileInfo::exists(Box.Prefix + u'/' + QString::fromLatin1(Installed)),
           "the program, its desktop entry and its icon are installed");
  if (!User.Other) SetPrefixWritable(Box, false);

  FirstStart(Box, User, Desktop);
  if (Failures == 0) SecondStart(Box, User, Desktop);
  Expect(QDir(Box.Bin()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries) ==
             QStringList{QStringLiteral("korvale")},
         "nothing is written beside the installed program");

  SetPrefixWritable(Box, true);
  std::printf(Failures == 0 ? "installed program check passed\n"
                            : "installed program check failed\n");
  return Failures == 0 ? 0 : 1;
}
