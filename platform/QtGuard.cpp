#include "platform/QtGuard.h"

#include "platform/Exception.h"
#include "platform/MessageBox.h"

void ReportGuardedException(std::exception_ptr Error) noexcept {
  std::string text;
  try {
    std::rethrow_exception(Error);
  } catch (const Exception& e) {
    text = e.Message().toStdString();
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "An unknown error occurred.";
  }
  try {
    ShowMessageBox(text);
  } catch (...) {
    // A failing report must not throw out of an event handler either.
  }
}

TGuardedApplication::TGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TGuardedApplication::notify(QObject* Receiver, QEvent* Event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(Receiver, Event); });
  return handled;
}
