#include "platform/MailClient.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

const QString Program = QStringLiteral("xdg-email");
// The mail program starts within this; a message being written does not
// hold xdg-email up.
constexpr int StartTimeoutMs = 60000;

}  // namespace

bool MailClientAvailable() {
  return !QStandardPaths::findExecutable(Program).isEmpty();
}

int MailClientSend(const QString& Subject, const QString& Attachment) {
  const QString Path = QStandardPaths::findExecutable(Program);
  if (Path.isEmpty()) return 1;
  QProcess Process;
  Process.start(Path,
                {QStringLiteral("--subject"), Subject, QStringLiteral("--attach"), Attachment});
  if (!Process.waitForStarted() || !Process.waitForFinished(StartTimeoutMs)) {
    Process.kill();
    Process.waitForFinished();
    return 1;
  }
  if (Process.exitStatus() != QProcess::NormalExit) return 1;
  return Process.exitCode();
}
