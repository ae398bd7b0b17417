#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

// Running the outside programs that read what we write (office suite,
// converters, validators). Every routine returns an empty text on success,
// else why it failed, so a test can fail loudly with the reason; a missing
// program is such a failure, never a pass.

// Runs Program with Arguments; Output (when given) receives its standard
// output. Fails when it cannot start, times out or exits non-zero.
QString RunProgram(const QString& Program, const QStringList& Arguments, int TimeoutMs,
                   QByteArray* Output = nullptr);

// The full path of an installed program, or empty. "python3" is the
// system's interpreter, where the distribution installs its modules.
QString FindProgram(const QString& Name);

// Converts Source with the headless office suite into OutDir as Format
// ("png", "svg", "csv", ...), with a private profile under OutDir so that
// conversions of parallel tests never meet.
QString OfficeConvert(const QStringList& Sources, const QString& Format, const QString& OutDir,
                      int TimeoutMs = 180000);

// The number of pages pdfinfo (poppler-utils) reads in a PDF file; -1 when
// it cannot read one.
int PdfPageCount(const QString& File);

// Page Page (from 1) of a PDF file rendered by pdftoppm at Dpi dots per
// inch; a null image (with Error set) when it cannot be rendered.
QImage RenderPdfPage(const QString& File, int Page, int Dpi, const QString& WorkDir,
                     QString* Error = nullptr);

// The bounding box of the pixels of Image that are not white (each channel
// at least 250); an empty rectangle for a white page.
QRect InkBounds(const QImage& Image);

// The pictures pdfimages lists in a PDF file: their page, pixel size and
// resolution; empty when pdfimages cannot read the file.
struct PdfPicture {
  int Page = 0;
  int Width = 0;  // pixels
  int Height = 0;
  double XPpi = 0;
  double YPpi = 0;
};
QVector<PdfPicture> PdfPictures(const QString& File);
