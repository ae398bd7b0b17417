#include "app/report/ScanDescription.h"

#include <QFile>

namespace {

constexpr int HeaderFields = 8;
constexpr qint64 MaxLineLength = 64 * 1024;  // bytes; scan headers are short

QString ReadLine(QFile& File) {
  QString line = QString::fromLatin1(File.readLine(MaxLineLength));
  while (line.endsWith(u'\n') || line.endsWith(u'\r')) line.chop(1);
  return line;
}

}  // namespace

int ScanDescription::SplitText(const QString& Text, QChar Separator, QStringList& List) {
  int separators = 0;
  qsizetype from = 0;
  for (qsizetype at = Text.indexOf(Separator); at >= 0; at = Text.indexOf(Separator, from)) {
    List.append(Text.mid(from, at - from));
    from = at + 1;
    ++separators;
  }
  if (from < Text.size()) List.append(Text.mid(from));
  return separators;
}

QString ScanDescription::ScanTypeText(const QString& Letter) {
  QString type = QStringLiteral(" Absorbance ");
  if (Letter == u'I') type = QStringLiteral(" Intensity ");
  if (Letter == u'W') type = QStringLiteral(" Wavelength ");
  if (Letter == u'V') type = QStringLiteral(" Wavelength intensity ");
  if (Letter == u'P') type = QStringLiteral(" Interference ");
  if (Letter == u'S') type = QStringLiteral(" Schlieren ");
  if (Letter == u'F') type = QStringLiteral(" Fluorescence ");
  return type + QStringLiteral(" data ");
}

QString ScanDescription::ShortenPathForDisplay(const QString& Path, int N) {
  if (Path.size() <= N + 3) return Path;
  return QStringLiteral("...") + Path.right(N - 2);
}

QString ScanDescription::DirectoryHeading(const QString& Directory, int FileCount) {
  return QStringLiteral("Data from ") + ShortenPathForDisplay(Directory, 40) +
         QStringLiteral(" containing ") + QString::number(FileCount) + QStringLiteral(" files.");
}

QString ScanDescription::DescriptionLine(const QString& Header) {
  QStringList f;
  if (SplitText(Header, u' ', f) != HeaderFields - 1 || f.size() != HeaderFields) return QString();
  return QStringLiteral(" ") + ScanTypeText(f[0]) + QStringLiteral("from cell ") + f[1] +
         QStringLiteral(", temperature at start ") + f[2] + QStringLiteral(" C") +
         QStringLiteral(", ") + f[3] + QStringLiteral(" rpm") + QStringLiteral(", ") + f[6] +
         QStringLiteral(" nm") + QStringLiteral(", averaging ") + f[7];
}

QString ScanDescription::HeaderLine(const QString& Title) {
  return QStringLiteral("     Header: ") + Title;
}

bool ScanDescription::ReadTitleAndHeader(const QString& FileName, QString& Title, QString& Header) {
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  Title = ReadLine(file);
  if (file.atEnd()) return false;
  Header = ReadLine(file);
  return true;
}
