#include "tests/support/OutsideProgram.h"

#include <QColor>
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

QImage RenderPdfPage(const QString& File, int Page, int Dpi, const QString& WorkDir,
                     QString* Error) {
  const QString Renderer = FindProgram(QStringLiteral("pdftoppm"));
  const auto Fail = [Error](const QString& Why) {
    if (Error != nullptr) *Error = Why;
    return QImage();
  };
  if (Renderer.isEmpty()) return Fail(QStringLiteral("pdftoppm (poppler-utils) is not installed"));
  QDir().mkpath(WorkDir);
  const QString Stem = QDir(WorkDir).filePath(QStringLiteral("page%1").arg(Page));
  const QString Why =
      RunProgram(Renderer,
                 {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(Dpi),
                  QStringLiteral("-f"), QString::number(Page), QStringLiteral("-l"),
                  QString::number(Page), QStringLiteral("-singlefile"), File, Stem},
                 60000);
  if (!Why.isEmpty()) return Fail(Why);
  QImage Image(Stem + QStringLiteral(".png"));
  if (Image.isNull()) return Fail(QStringLiteral("pdftoppm wrote no page image"));
  return Image.convertToFormat(QImage::Format_RGB32);
}

QRect InkBounds(const QImage& Image) {
  QRect Bounds;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X) {
      const QRgb P = Image.pixel(X, Y);
      if (qRed(P) < 250 || qGreen(P) < 250 || qBlue(P) < 250) Bounds |= QRect(X, Y, 1, 1);
    }
  return Bounds;
}

QVector<PdfPicture> PdfPictures(const QString& File) {
  const QString Lister = FindProgram(QStringLiteral("pdfimages"));
  QByteArray Out;
  QVector<PdfPicture> Pictures;
  if (Lister.isEmpty() ||
      !RunProgram(Lister, {QStringLiteral("-list"), File}, 60000, &Out).isEmpty())
    return Pictures;
  // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
  const QStringList Lines = QString::fromUtf8(Out).split(u'\n');
  for (qsizetype I = 2; I < Lines.size(); ++I) {
    const QStringList F = Lines[I].simplified().split(u' ');
    if (F.size() < 14 || F[2] != QStringLiteral("image")) continue;
    Pictures.append({F[0].toInt(), F[3].toInt(), F[4].toInt(), F[12].toDouble(), F[13].toDouble()});
  }
  return Pictures;
}
