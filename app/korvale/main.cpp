#include "app/KorvaleUnit.h"
#include "app/UnitWaitWorking.h"

#include "chart/editor/RegisterChartLibrary.h"
#include "platform/ApplicationTitle.h"
#include "platform/Exception.h"
#include "platform/MessageBox.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QString>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

namespace {

// Qt picks its platform from QT_QPA_PLATFORM; without one it needs an X11 or
// Wayland display, and without either it would abort with a message that
// does not say how to start the program.
bool DisplayAvailable() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void TellHowToStart(const char* Program) {
  std::printf(
      "Korvale is a desktop program and found no display (DISPLAY and WAYLAND_DISPLAY are "
      "not set).\n"
      "Start it from a graphical session:\n"
      "  %s\n"
      "or on a virtual X display:\n"
      "  xvfb-run -a %s\n",
      Program, Program);
}

// Messages of the program appear in a message box over its windows.
void ShowInMessageBox(const std::string& Text) {
  MessageDlg(QString::fromStdString(Text), TMsgDlgType::mtInformation, mbOKOnly);
}

void ShowExceptionBox(const QString& Message) {
  MessageDlg(Message, TMsgDlgType::mtError, mbOKOnly);
}

// On a display nobody sees (offscreen), a dialog is written to stderr and
// counts as cancelled instead of ending the program.
void ReportStrayModal(const QString& What) {
  std::fprintf(stderr, "Korvale: %s\n", What.toLocal8Bit().constData());
}

int RunProgram(TGuardedApplication& App) {
  RegisterChartLibrary();
  const auto form = std::make_unique<TKorvaleForm>();
  const auto waitWindow = std::make_unique<TWaitWorking>(nullptr);
  form->show();
  return App.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (!DisplayAvailable()) {
    TellHowToStart(argc > 0 ? argv[0] : "korvale");
    return 0;
  }
  TGuardedApplication App(argc, argv);
  SetApplicationTitle(TKorvaleForm::ApplicationTitle);
  SetMessageBoxHook(&ShowInMessageBox);
  if (IsHeadlessDisplay()) SetStrayModalHandler(&ReportStrayModal);
  try {
    return RunProgram(App);
  } catch (const Exception& e) {
    ShowExceptionBox(e.Message());
  } catch (const std::exception& e) {
    ShowExceptionBox(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowExceptionBox(QString());
  }
  return 0;
}
