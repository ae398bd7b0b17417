#include "chart/editor/TSeriesDataXLS.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "platform/Exception.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

// Rows and columns are 16-bit numbers in the records.
constexpr int MaxRows = 0xFFFF;
constexpr int MaxColumns = 0xFFFF;
constexpr int MaxLabelBytes = 255;
// The code page of the label bytes.
constexpr int WindowsLatin1 = 1252;

// The characters code page 1252 places at 0x80 .. 0x9F (0 where it has
// none); 0xA0 .. 0xFF are Latin-1.
constexpr char16_t HighCharacters[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code page 1252 byte of CodePoint, or "?".
char WindowsLatin1Byte(char32_t CodePoint) {
  if (CodePoint < 0x80 || (CodePoint >= 0xA0 && CodePoint <= 0xFF))
    return static_cast<char>(CodePoint);
  for (int I = 0; I < 32; ++I)
    if (HighCharacters[I] != 0 && HighCharacters[I] == CodePoint)
      return static_cast<char>(0x80 + I);
  return '?';
}

enum : quint16 {
  recBlank = 0x0001,
  recNumber = 0x0003,
  recLabel = 0x0004,
  recEOF = 0x000A,
  recCodePage = 0x0042,
  recDimensions = 0x0200,
  recBOF = 0x0809
};

void Add16(QByteArray& Out, int Value) {
  const quint16 Le = qToLittleEndian(static_cast<quint16>(Value));
  Out.append(reinterpret_cast<const char*>(&Le), sizeof Le);
}

void AddRecord(QByteArray& Out, quint16 Type, const QByteArray& Data) {
  Add16(Out, Type);
  Add16(Out, static_cast<int>(Data.size()));
  Out += Data;
}

// Row, column and three zero attribute bytes: the start of every cell.
QByteArray CellStart(int Row, int Column) {
  QByteArray Data;
  Add16(Data, Row);
  Add16(Data, Column);
  Data.append(3, '\0');
  return Data;
}

void AddBlank(QByteArray& Out, int Row, int& Column) {
  AddRecord(Out, recBlank, CellStart(Row, Column++));
}

void AddNumber(QByteArray& Out, int Row, int& Column, double Value) {
  QByteArray Data = CellStart(Row, Column++);
  quint64 Bits = 0;
  std::memcpy(&Bits, &Value, sizeof Bits);
  Bits = qToLittleEndian(Bits);
  Data.append(reinterpret_cast<const char*>(&Bits), sizeof Bits);
  AddRecord(Out, recNumber, Data);
}

void AddLabel(QByteArray& Out, int Row, int& Column, const QString& Text) {
  QByteArray Data = CellStart(Row, Column++);
  const QByteArray Bytes = TSeriesDataXLS::LabelBytes(Text);
  Data.append(static_cast<char>(Bytes.size()));
  Data += Bytes;
  AddRecord(Out, recLabel, Data);
}

}  // namespace

TSeriesDataXLS::TSeriesDataXLS(TCustomChart* AChart, TChartSeries* ASeries)
    : TSeriesData(AChart, ASeries) {}

void TSeriesDataXLS::SaveToStream(QIODevice& Stream) {
  const QByteArray Bytes = Records();
  if (Stream.write(Bytes) != Bytes.size())
    throw EFileError(QStringLiteral("Cannot write the data. %1").arg(Stream.errorString()));
}

QByteArray TSeriesDataXLS::Records() {
  Prepare();
  const int Points = std::max(MaxSeriesCount(), 0);
  const int Rows = Points + (GetIncludeHeader() ? 1 : 0);
  const int Columns = ColumnCount();
  // Larger numbers would wrap around and overwrite the first rows.
  if (Rows > MaxRows)
    throw ChartException(
        QStringLiteral("The spreadsheet format holds at most %1 rows; the data needs %2.")
            .arg(MaxRows)
            .arg(Rows));
  if (Columns > MaxColumns)
    throw ChartException(
        QStringLiteral("The spreadsheet format holds at most %1 columns; the data needs %2.")
            .arg(MaxColumns)
            .arg(Columns));

  QByteArray Out;
  QByteArray Data;
  for (int Word : {0x0000, 0x0010, 0, 0}) Add16(Data, Word);
  AddRecord(Out, recBOF, Data);
  // Without it readers guess the label bytes' character set differently
  // (one takes them for ASCII and fails on the first accented letter).
  Data.clear();
  Add16(Data, WindowsLatin1);
  AddRecord(Out, recCodePage, Data);
  Data.clear();
  for (int Word : {0, Rows, 0, Columns, 0}) Add16(Data, Word);
  AddRecord(Out, recDimensions, Data);
  int Row = 0;
  if (GetIncludeHeader()) {
    WriteHeader(Out);
    ++Row;
  }
  for (int I = 0; I < Points; ++I) WriteRow(Out, Row++, I);
  AddRecord(Out, recEOF, QByteArray());
  return Out;
}

int TSeriesDataXLS::ColumnCount() const {
  int Result = GetIncludeIndex() ? 1 : 0;
  for (const TChartSeries* Series : ExportedSeries())
    Result += (Has(tfLabel) ? 1 : 0) + (Has(tfColor) ? 1 : 0) + (Has(tfNoMandatory) ? 1 : 0) +
              Series->GetValuesList().Count() - 1;
  return Result;
}

void TSeriesDataXLS::WriteHeader(QByteArray& Out) const {
  int Column = 0;
  if (GetIncludeIndex()) AddLabel(Out, 0, Column, Korconst::KorMsg_Index);
  for (const TChartSeries* Series : ExportedSeries()) {
    if (Has(tfLabel)) AddLabel(Out, 0, Column, Korconst::KorMsg_Text);
    if (Has(tfColor)) AddLabel(Out, 0, Column, Korconst::KorMsg_Colors);
    if (Has(tfNoMandatory)) AddLabel(Out, 0, Column, XList(*Series).GetName());
    AddLabel(Out, 0, Column, YList(*Series).GetName());
    for (const TChartValueList* List : FurtherLists(*Series))
      AddLabel(Out, 0, Column, List->GetName());
  }
}

void TSeriesDataXLS::WriteRow(QByteArray& Out, int Row, int Index) const {
  int Column = 0;
  if (GetIncludeIndex()) AddNumber(Out, Row, Column, Index);
  for (const TChartSeries* Series : ExportedSeries()) {
    const std::vector<const TChartValueList*> Further = FurtherLists(*Series);
    if (Index >= Series->Count()) {
      if (Has(tfLabel)) AddLabel(Out, Row, Column, QString());
      if (Has(tfColor)) AddLabel(Out, Row, Column, QString());
      if (Has(tfNoMandatory)) AddBlank(Out, Row, Column);
      for (size_t K = 0; K <= Further.size(); ++K) AddBlank(Out, Row, Column);
      continue;
    }
    if (Has(tfLabel)) AddLabel(Out, Row, Column, Series->GetXLabel(Index));
    if (Has(tfColor)) AddLabel(Out, Row, Column, ColorText(Series->GetValueColor(Index)));
    if (Has(tfNoMandatory)) AddNumber(Out, Row, Column, XList(*Series).GetValue(Index));
    if (Series->IsNull(Index)) {
      for (size_t K = 0; K <= Further.size(); ++K) AddBlank(Out, Row, Column);
    } else {
      AddNumber(Out, Row, Column, YList(*Series).GetValue(Index));
      for (const TChartValueList* List : Further)
        AddNumber(Out, Row, Column, List->GetValue(Index));
    }
  }
}

QByteArray TSeriesDataXLS::LabelBytes(const QString& Text) {
  QByteArray Result;
  for (const char32_t CodePoint : Text.toUcs4()) {
    if (Result.size() == MaxLabelBytes) break;
    Result += WindowsLatin1Byte(CodePoint);
  }
  return Result;
}
