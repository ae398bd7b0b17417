#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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
