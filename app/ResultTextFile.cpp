#include "app/ResultTextFile.h"

#include "analysis/Gofs2004.h"
#include "analysis/Realtimegofs.h"
#include "analysis/Zoqutils.h"
#include "platform/FormatSettings.h"

#include <QByteArray>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

constexpr double SvedbergPerSecond = 1e13;
constexpr int ExtensionLength = 3;
constexpr int MinimumBaseLength = 3;

// Characters that file systems or the user's later tools do not take in a
// file name.
const QString UnwantedCharacters = QStringLiteral(".:;?/|\\{}[]*@\t\n\f\r\"'");

QString Text(const std::string& Bytes) {
  return QString::fromLatin1(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

// The part of the title that names the sample: interference titles carry it
// after their first comma, fluorescence titles after the "Range:" field.
QString SampleText(const ScanHeader& First) {
  const QString title = Text(First.TitleLine);
  if (First.Kind == 3) {
    const qsizetype comma = title.indexOf(u',');
    return title.mid(comma >= 0 ? comma + 2 : 1);
  }
  if (First.Kind == 2) {
    const qsizetype range = title.indexOf(QStringLiteral("Range:"));
    return title.mid(range >= 0 ? range + 8 : 7);
  }
  return title;
}

QString WithoutUnwantedCharacters(QString Name) {
  Name.removeIf([](QChar C) { return UnwantedCharacters.contains(C); });
  return Name;
}

const ScanHeader& Header(const ChannelDataStore& Store, int Set) {
  return Store.Headers[static_cast<size_t>(Set)];
}

// Lines 1 to the column header. A header line is repeated whenever the
// rounded rotor speed changes, so a run with speed steps shows each step.
QStringList HeadLines(const RealTimeGofS& Analysis, const QString& ChosenPath,
                      const QString& Line2End) {
  QStringList lines;
  lines << QStringLiteral("Output file from Korvale originally named ") + ChosenPath;
  lines << QStringLiteral("Corrected tdc/dt [s*g(s*)] vs s* for data sets ") + Line2End;
  const ChannelDataStore* raw = Analysis.RawStore.get();
  if (raw != nullptr) {
    lines << Text(Header(*raw, 0).TitleLine) << Text(Header(*raw, 0).HeaderLine);
    for (int i = 1; i < raw->GetNumberOfSets(); ++i)
      if (!SameRotorSpeed(Header(*raw, i).Rpm, Header(*raw, i - 1).Rpm))
        lines << Text(Header(*raw, i).HeaderLine);
  } else {
    lines << QString() << QString();
  }
  lines << QStringLiteral("s*\t*dc/dt\tg(s*)");
  return lines;
}

QString ScanFileNames(const RealTimeGofS& Analysis) {
  const ChannelDataStore* raw = Analysis.RawStore.get();
  if (raw == nullptr) return QString();
  const int last = std::max(0, raw->GetNumberOfSets() - 1);
  return Text(Header(*raw, 0).FileName) + Text(Header(*raw, last).FileName);
}

void AddDataLine(QStringList& Lines, double LogS, double Y) {
  const double s = std::exp(LogS) * SvedbergPerSecond;
  Lines << FloatToStr(s) + u'\t' + FloatToStr(Y) + u'\t' + FloatToStr(Y / s);
}

bool ValidSet(const ChannelDataStore* Store, int Set) {
  return Store != nullptr && Set >= 0 && Set < Store->GetNumberOfSets();
}

// The kept curve's point J, when it has a value there.
bool KeptPoint(const RealTimeGofS& Analysis, int J) {
  const auto j = static_cast<size_t>(J);
  return j < Analysis.LastCorrectedError.size() && j < Analysis.LastCorrectedX.size() &&
         j < Analysis.LastCorrectedY.size() && Analysis.LastCorrectedError[j] >= 0.0;
}

void AddDataLines(QStringList& Lines, const RealTimeGofS& Analysis, int Set, bool UseKept) {
  const ChannelDataStore* corrected = Analysis.CorrectedStore.get();
  if (!ValidSet(corrected, Set)) return;
  for (int j = 0; j < corrected->GetNumberOfPoints(); ++j) {
    if (corrected->GetError(Set, j) >= 0.0) {
      AddDataLine(Lines, corrected->GetX(j), corrected->GetY(Set, j));
    } else if (UseKept && KeptPoint(Analysis, j)) {
      const auto k = static_cast<size_t>(j);
      AddDataLine(Lines, Analysis.LastCorrectedX[k], Analysis.LastCorrectedY[k]);
    }
  }
}

}  // namespace

const QString ResultTextFile::NotEnoughDataText = QStringLiteral("Not enough Data");
const QString ResultTextFile::WriteErrorText =
    QStringLiteral("Unexpected error writing file, Please check output.");
const QString ResultTextFile::DefaultExtension = QStringLiteral(".txt");
const QString ResultTextFile::DialogFilter =
    QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");

QString ResultTextFile::BaseName(const ScanHeader& First) {
  QString base = WithoutUnwantedCharacters(SampleText(First));
  if (base.size() < MinimumBaseLength) {
    const QString fileName = Text(First.FileName);
    base = fileName.mid(fileName.indexOf(u'.') + 1, ExtensionLength);
  }
  return base.left(BaseNameLength);
}

QString ResultTextFile::ProposedFileName(const ScanHeader& First) {
  return QStringLiteral("t dcdt vs sStar for ") + BaseName(First) + DefaultExtension;
}

QStringList ResultTextFile::Lines(const RealTimeGofS& Analysis, const QString& ChosenPath) {
  QStringList lines = HeadLines(Analysis, ChosenPath, ScanFileNames(Analysis));
  const ChannelDataStore* corrected = Analysis.CorrectedStore.get();
  if (corrected != nullptr) AddDataLines(lines, Analysis, corrected->GetNumberOfSets() - 1, true);
  lines << EndLine();
  return lines;
}

QStringList ResultTextFile::TimeCourseLines(const RealTimeGofS& Analysis, int Set,
                                            const QString& Description, const QString& ChosenPath) {
  const qsizetype caret = Description.indexOf(u'^');
  QStringList lines = HeadLines(Analysis, ChosenPath, Description.left(caret));
  AddDataLines(lines, Analysis, Set, false);
  lines << EndLine();
  return lines;
}

QString ResultTextFile::EndLine() {
  // The file ends with an empty line: a line holding a bare line feed would
  // end the file with another line end than every line before it.
  return QString();
}

bool ResultTextFile::Save(const QStringList& Lines, const QString& Path) {
  QByteArray bytes;
  for (const QString& line : Lines) bytes += line.toLatin1() + QByteArrayLiteral("\r\n");
  QSaveFile file(Path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}
