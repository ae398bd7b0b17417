#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "platform/TStringList.h"

// The interference recompose tool's state for one opening of its window
// (logic role). A paradigm file supplies the start of the title line and the
// first ten characters of every data line; each interference file of the
// data directory supplies the rest; the results go under the same names into
// another directory. Files are handled as bytes, one character per byte, so
// nothing but the recomposed characters changes.
class Recomposer {
 public:
  using TStatus = std::function<void(const QString& Text)>;

  // -1 when File cannot be opened or read (List is untouched); otherwise List
  // holds the file's bytes split into lines and the result is their number.
  static int LoadTextFileToList(const QString& File, TStringList& List);
  // The new lines of a data file: line 1 is the paradigm's line 1 up to the
  // data's first "," followed by the data's line 1 from that "," (255
  // characters at most), line 2 stays, every further line is the paradigm's
  // first 10 characters followed by the data's from the 10th (245 at most).
  // False, with Data unchanged, when a line it needs is missing.
  static bool RecomposeLines(const TStringList& Paradigm, TStringList& Data);
  // Names of the interference files of Directory ("*.IP?" in any case), in
  // name order.
  static QStringList InterferenceFiles(const QString& Directory);
  // Whether two texts name the same folder (links and "." resolved).
  static bool SameDirectory(const QString& A, const QString& B);

  const QString& GetDataDirectory() const { return DataDirectory; }
  void SetDataDirectory(const QString& Value) { DataDirectory = Value; }
  const QString& GetOutputDirectory() const { return OutputDirectory; }
  const TStringList& GetParadigm() const { return Paradigm; }
  bool GetParadigmRead() const { return ParadigmRead; }
  bool GetOutputChosen() const { return OutputChosen; }
  bool RecomposeEnabled() const { return ParadigmRead && OutputChosen; }

  // True when File held at least one byte; otherwise no paradigm is read.
  bool ReadParadigm(const QString& File);
  // False, with no output directory chosen, when Directory is the data
  // directory.
  bool SetOutputDirectory(const QString& Directory);
  // Recomposes every interference file of the data directory and returns
  // the final status text; Status receives the texts shown on the way. Stops
  // at the first file that cannot be read, recomposed or written, naming it.
  QString Recompose(const TStatus& Status);
  // Forgets the paradigm and the output directory.
  void Reset();

  static const QString DirectoriesMustDiffer;

 private:
  QString Check(const QString& InFile, const TStringList& Data) const;

  QString DataDirectory;
  QString OutputDirectory;
  TStringList Paradigm;
  bool ParadigmRead = false;
  bool OutputChosen = false;
};
