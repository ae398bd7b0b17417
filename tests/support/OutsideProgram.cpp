#include "tests/support/OutsideProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString RunProgram(const QString& Program, const QStringList& Arguments, int TimeoutMs,
                   QByteArray* Output) {
  QProcess P;
  P.start(Program, Arguments);
  if (!P.waitForStarted(10000)) return Program + QStringLiteral(" did not start");
  if (!P.waitForFinished(TimeoutMs)) {
    P.kill();
    P.waitForFinished();
    return Program + QStringLiteral(" timed out");
  }
  if (Output != nullptr) *Output = P.readAllStandardOutput();
  if (P.exitStatus() != QProcess::NormalExit || P.exitCode() != 0)
    return Program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(P.readAllStandardError());
  return QString();
}

QString FindProgram(const QString& Name) {
  // A user's own interpreter (a version manager's shim) lacks the
  // distribution's modules the tests read files with.
  const QString System = QStringLiteral("/usr/bin/") + Name;
  if (Name == QStringLiteral("python3") && QFileInfo(System).isExecutable()) return System;
  return QStandardPaths::findExecutable(Name);
}

QString OfficeConvert(const QStringList& Sources, const QString& Format, const QString& OutDir,
                      int TimeoutMs) {
  const QString Office = FindProgram(QStringLiteral("soffice"));
  if (Office.isEmpty()) return QStringLiteral("LibreOffice (soffice) is not installed");
  QDir().mkpath(OutDir);
  const QString Profile = QStringLiteral("-env:UserInstallation=file://") +
                          QDir(OutDir).absoluteFilePath(QStringLiteral("lo-profile"));
  QStringList Arguments{Profile,
                        QStringLiteral("--headless"),
                        QStringLiteral("--norestore"),
                        QStringLiteral("--convert-to"),
                        Format,
                        QStringLiteral("--outdir"),
                        OutDir};
  Arguments += Sources;
  return RunProgram(Office, Arguments, TimeoutMs);
}

int PdfPageCount(const QString& File) {
  const QString Info = FindProgram(QStringLiteral("pdfinfo"));
  QByteArray Out;
  if (Info.isEmpty() || !RunProgram(Info, {File}, 60000, &Out).isEmpty()) return -1;
  for (const QString& Line : QString::fromUtf8(Out).split('\n'))
    if (Line.startsWith(QStringLiteral("Pages:"))) return Line.mid(6).trimmed().toInt();
  return -1;
}
