#pragma once

#include <QString>
#include <QStringList>

class RealTimeGofS;
struct ScanHeader;

// The tab-separated result file of a data viewer (logic role): the corrected
// t dc/dt and g(s*) against s* (Svedberg units) with the run's title and
// header lines in front. Texts of the scan files are bytes, carried one
// character per byte, so the file repeats them unchanged. Numbers use the
// current decimal separator, as the user's other programs read them.
class ResultTextFile {
 public:
  static constexpr int BaseNameLength = 16;  // characters
  static const QString NotEnoughDataText;
  static const QString WriteErrorText;
  static const QString DefaultExtension;
  static const QString DialogFilter;

  // The run's short name for the proposed file name, from the title line of
  // the first scan; the first scan's file extension when the title gives
  // fewer than 3 usable characters.
  static QString BaseName(const ScanHeader& First);
  // "t dcdt vs sStar for " + BaseName + ".txt".
  static QString ProposedFileName(const ScanHeader& First);
  // The whole file for the latest corrected set; points where that set has
  // no value are taken from the kept corrected curve. ChosenPath is only
  // quoted in line 1. No data lines when there is no corrected set.
  static QStringList Lines(const RealTimeGofS& Analysis, const QString& ChosenPath);
  // The file for corrected set Set, with Description (a store's set
  // description; the part before its first "^" is used) ending line 2;
  // only points of that set. No data lines when Set is not a corrected set.
  static QStringList TimeCourseLines(const RealTimeGofS& Analysis, int Set,
                                     const QString& Description, const QString& ChosenPath);
  // Writes the lines, each ended by CR LF, to a temporary file beside Path
  // and renames it over Path, so that an existing file is replaced only by
  // a complete one. False, with any old file left as it was, on failure.
  static bool Save(const QStringList& Lines, const QString& Path);
  // The last line of every result file.
  static QString EndLine();
};
