#pragma once

#include <QApplication>

#include <exception>
#include <utility>

// Nothing may throw across Qt's event loop. Every Qt entry point of ours
// (paintEvent, mouse, key and timer handlers, slots wired to UI signals) runs
// its body through RunGuarded: an exception escaping the body is reported
// through the message-box hook (ShowMessageBox) with its message and
// swallowed, and the result is false.
template <class Body>
bool RunGuarded(Body&& body) noexcept;

// Reports the exception Error as RunGuarded does (library exceptions by
// their Message, std::exception by what(), anything else as unknown).
void ReportGuardedException(std::exception_ptr Error) noexcept;

// The last resort: the program's application object. An exception that
// escapes an event handler not wrapped in RunGuarded is caught in notify,
// reported the same way, and the event counts as not handled.
class TGuardedApplication : public QApplication {
 public:
  TGuardedApplication(int& argc, char** argv);
  bool notify(QObject* Receiver, QEvent* Event) override;
};

template <class Body>
bool RunGuarded(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (...) {
    ReportGuardedException(std::current_exception());
    return false;
  }
}
