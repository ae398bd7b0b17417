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
#include "tests/support/window/XDesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace {

using namespace WindowCheck;

// Each step may take long: the program may be sanitizer-built, and other
// tests share the machine (ms).
constexpr int StepTimeout = 90000;

const QString LogoQueryTitle = QStringLiteral("Select a Bitmap Logo File for the Report");
const QString MainWindowTitle = QStringLiteral("Korvale  1.20");
const QString ChooserTitle = QStringLiteral("Select folder where AUC files may be found");
const QString ReportQuestionTitle = QStringLiteral("Report changed");

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
  Desktop.Press('s', KeyAlt);
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
