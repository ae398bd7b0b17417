#pragma once

#include <QString>
#include <QStringList>

// The texts the report builder writes about a data directory and its scans
// (data role): pure functions of the directory name and a scan file's first
// two lines.
class ScanDescription {
 public:
  // Fields of Text between Separators into List; the result counts the
  // separators. An empty text gives 0 and no fields; two separators in a row
  // give an empty field; a trailing separator adds no empty field.
  static int SplitText(const QString& Text, QChar Separator, QStringList& List);
  // " Absorbance data " and its kin for a scan type letter.
  static QString ScanTypeText(const QString& Letter);
  // Path itself when it has at most N + 3 characters, otherwise "..." and
  // its last N - 2 characters.
  static QString ShortenPathForDisplay(const QString& Path, int N);
  // "Data from <dir> containing <n> files."
  static QString DirectoryHeading(const QString& Directory, int FileCount);
  // The run description of a scan file's header line (type letter, cell,
  // temperature, speed, time, omega^2 t, wavelength, readings averaged),
  // or an empty text when the line does not hold exactly those 8 fields.
  static QString DescriptionLine(const QString& Header);
  static QString HeaderLine(const QString& Title);
  // The first two lines of FileName; false when it cannot be read or has
  // fewer than two lines.
  static bool ReadTitleAndHeader(const QString& FileName, QString& Title, QString& Header);
};
