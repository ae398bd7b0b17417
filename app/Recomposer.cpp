#include "app/Recomposer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <climits>

namespace {

constexpr int TitleLength = 255;     // characters of the data's line 1 kept
constexpr int ParadigmColumns = 10;  // characters of a paradigm data line used
constexpr int DataColumns = 245;     // characters of a data line kept

QString WithDelimiter(const QString& Directory) {
  return Directory.endsWith(u'/') ? Directory : Directory + u'/';
}

QString Resolved(const QString& Path) {
  const QFileInfo info(Path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// Latin-1: each byte one character and back.
bool WriteLines(const QString& File, const TStringList& Lines) {
  QSaveFile file(File);
  const QByteArray bytes = Lines.Text().toLatin1();
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

const QString Recomposer::DirectoriesMustDiffer =
    QStringLiteral("Input and Output Directories must be different");

int Recomposer::LoadTextFileToList(const QString& File, TStringList& List) {
  QFile file(File);
  if (!file.open(QIODevice::ReadOnly) || file.size() > INT_MAX) return -1;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return -1;
  List.SetText(QString::fromLatin1(bytes));
  return static_cast<int>(bytes.size());
}

bool Recomposer::RecomposeLines(const TStringList& Paradigm, TStringList& Data) {
  if (Paradigm.Count() < 1 || Data.Count() < 1) return false;
  if (Data.Count() > 2 && Paradigm.Count() < Data.Count()) return false;
  const QString& title = Data[0];
  const int p = static_cast<int>(title.indexOf(u',')) + 1;  // 1-based, 0 when absent
  const QString start = p > 0 ? Paradigm[0].left(p - 1) : QString();
  Data.Put(0, start + title.mid(p > 0 ? p - 1 : 0, TitleLength));
  for (int i = 2; i < Data.Count(); ++i)
    Data.Put(i, Paradigm[i].left(ParadigmColumns) + Data[i].mid(ParadigmColumns - 1, DataColumns));
  return true;
}

QStringList Recomposer::InterferenceFiles(const QString& Directory) {
  static const QRegularExpression pattern(QStringLiteral("\\.ip.?$"),
                                          QRegularExpression::CaseInsensitiveOption);
  if (Directory.trimmed().isEmpty()) return {};
  return QDir(Directory).entryList(QDir::Files | QDir::Hidden, QDir::Name).filter(pattern);
}

bool Recomposer::SameDirectory(const QString& A, const QString& B) {
  return Resolved(A) == Resolved(B);
}

bool Recomposer::ReadParadigm(const QString& File) {
  Paradigm.Clear();
  ParadigmRead = LoadTextFileToList(File, Paradigm) >= 1;
  return ParadigmRead;
}

bool Recomposer::SetOutputDirectory(const QString& Directory) {
  OutputChosen = !SameDirectory(Directory, DataDirectory);
  OutputDirectory = OutputChosen ? Directory : QString();
  return OutputChosen;
}

QString Recomposer::Recompose(const TStatus& Status) {
  if (!RecomposeEnabled()) return QStringLiteral("status = idle");
  if (SameDirectory(OutputDirectory, DataDirectory)) return DirectoriesMustDiffer;
  int k = 0;
  for (const QString& name : InterferenceFiles(DataDirectory)) {
    ++k;
    const QString in = WithDelimiter(DataDirectory) + name;
    const QString out = WithDelimiter(OutputDirectory) + name;
    TStringList data;
    const int n = LoadTextFileToList(in, data);
    if (n < 0) return QStringLiteral("Cannot read %1; stopped there").arg(in);
    if (Status)
      Status(QStringLiteral("%1 bytes read and being processed for file %2").arg(n).arg(k));
    const QString problem = Check(in, data);
    if (!problem.isEmpty()) return problem;
    RecomposeLines(Paradigm, data);
    if (!WriteLines(out, data)) return QStringLiteral("Failed to write %1; stopped there").arg(out);
  }
  return QStringLiteral("%1 files processed.").arg(k);
}

void Recomposer::Reset() {
  Paradigm.Clear();
  ParadigmRead = false;
  OutputDirectory.clear();
  OutputChosen = false;
}

QString Recomposer::Check(const QString& InFile, const TStringList& Data) const {
  if (Paradigm.Count() < 1)
    return QStringLiteral("The paradigm has no first line; stopped at %1").arg(InFile);
  if (Data.Count() < 1) return QStringLiteral("%1 has no first line; stopped there").arg(InFile);
  if (Data.Count() > 2 && Paradigm.Count() < Data.Count())
    return QStringLiteral("%1 has more lines than the paradigm; stopped there").arg(InFile);
  return QString();
}
