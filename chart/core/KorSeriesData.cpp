#include "chart/core/KorSeriesData.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"

#include "platform/TStream.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <vector>

namespace {

// The length of a label is one byte: longer labels are cut here rather
// than stored with a length that lost its high bits.
constexpr int MaxLabelLength = 255;

// One point as a record of the stream holds it, before it joins a series.
struct TPointRecord {
  double NotMandatory = 0;
  double Mandatory = 0;
  TColor Color = clDefault;
  QString Label;
  std::vector<double> Further;  // lists 2, 3, ... of the series
  TSeriesMarkPosition Position;
};

// Labels are single-byte text, one byte per character.
void WriteLabel(TStream& Stream, const QString& Label) {
  const QByteArray Bytes = Label.toLatin1().left(MaxLabelLength);
  Stream.WriteUInt8(static_cast<std::uint8_t>(Bytes.size()));
  Stream.WriteBuffer(Bytes.constData(), Bytes.size());
}

QString ReadLabel(TStream& Stream) {
  QByteArray Bytes(Stream.ReadUInt8(), Qt::Uninitialized);
  Stream.ReadBuffer(Bytes.data(), Bytes.size());
  return QString::fromLatin1(Bytes);
}

void WritePoint(TStream& Stream, const TPoint& Point) {
  Stream.WriteInt32(Point.X);
  Stream.WriteInt32(Point.Y);
}

TPoint ReadPoint(TStream& Stream) {
  TPoint Point;
  Point.X = Stream.ReadInt32();
  Point.Y = Stream.ReadInt32();
  return Point;
}

void WritePosition(TStream& Stream, const TSeriesMarkPosition& Position) {
  WritePoint(Stream, Position.ArrowFrom);
  Stream.WriteUInt8(Position.ArrowFix ? 1 : 0);
  WritePoint(Stream, Position.ArrowTo);
  Stream.WriteUInt8(Position.Custom ? 1 : 0);
  Stream.WriteInt32(Position.Height);
  WritePoint(Stream, Position.LeftTop);
  Stream.WriteInt32(Position.Width);
}

TSeriesMarkPosition ReadPosition(TStream& Stream) {
  TSeriesMarkPosition Position;
  Position.ArrowFrom = ReadPoint(Stream);
  Position.ArrowFix = Stream.ReadUInt8() != 0;
  Position.ArrowTo = ReadPoint(Stream);
  Position.Custom = Stream.ReadUInt8() != 0;
  Position.Height = Stream.ReadInt32();
  Position.LeftTop = ReadPoint(Stream);
  Position.Width = Stream.ReadInt32();
  return Position;
}

void WriteRecord(const TChartSeries& Series, KorFormatFlags Flags, int Index, TStream& Stream) {
  if (Flags & tfNoMandatory) Stream.WriteDouble(Series.GetNotMandatory().Data()[Index]);
  Stream.WriteDouble(Series.GetMandatory().Data()[Index]);
  if (Flags & tfColor) Stream.WriteColor(Series.GetOwnColor(Index));
  if (Flags & tfLabel) WriteLabel(Stream, Series.GetXLabel(Index));
  const TChartValueLists& Lists = Series.GetValuesList();
  for (int L = 2; L < Lists.Count(); ++L) Stream.WriteDouble(Lists.Get(L)->Data()[Index]);
  if (Flags & tfMarkPosition) {
    // A point whose mark was never placed is written as an all-zero
    // automatic position.
    const TSeriesMarkPosition* Stored = Series.GetMarks().GetPositions().Get(Index);
    WritePosition(Stream, Stored != nullptr ? *Stored : TSeriesMarkPosition());
  }
}

// The whole record is read before the point is added, so a stream that
// ends inside a record adds nothing of it.
TPointRecord ReadRecord(TStream& Stream, KorFormatFlags Flags, int Index, int FurtherLists) {
  TPointRecord Record;
  Record.NotMandatory = (Flags & tfNoMandatory) ? Stream.ReadDouble() : Index;
  Record.Mandatory = Stream.ReadDouble();
  if (Flags & tfColor) Record.Color = Stream.ReadColor();
  if (Flags & tfLabel) Record.Label = ReadLabel(Stream);
  for (int L = 0; L < FurtherLists; ++L) Record.Further.push_back(Stream.ReadDouble());
  if (Flags & tfMarkPosition) Record.Position = ReadPosition(Stream);
  return Record;
}

void AddRecord(TChartSeries& Series, KorFormatFlags Flags, const TPointRecord& Record) {
  const TChartValueLists& Lists = Series.GetValuesList();
  for (int L = 2; L < Lists.Count(); ++L)
    Lists.Get(L)->SetTempValue(Record.Further[static_cast<size_t>(L - 2)]);
  const bool Horizontal = !Series.GetYMandatory();
  const double X = Horizontal ? Record.Mandatory : Record.NotMandatory;
  const double Y = Horizontal ? Record.NotMandatory : Record.Mandatory;
  // A point refused by OnBeforeAdd takes no position, so that the
  // positions of the following points stay with their points.
  const int Index = Series.AddXY(X, Y, Record.Label, Record.Color);
  if (Index < 0) return;
  // A series type's AddXY may reset pending values of its own lists (the
  // Gantt series clears the next task); the stored values win.
  for (int L = 2; L < Lists.Count(); ++L)
    Lists.Get(L)->SetValue(Index, Record.Further[static_cast<size_t>(L - 2)]);
  if (Flags & tfMarkPosition) {
    TSeriesMarksPositions& Positions = Series.GetMarks().GetPositions();
    TSeriesMarkPosition& Slot = Positions.Ensure(Positions.Count());
    Slot = Record.Position;
  }
}

// Each record read goes to Take.
template <class TTake>
void ReadPoints(const TChartSeries& Series, TStream& Stream, TTake Take) {
  const KorFormatFlags Flags = Stream.ReadUInt8();
  // A negative count means no points. A large one allocates nothing up
  // front: points are read one by one until the bytes run out.
  const int Count = std::max(0, static_cast<int>(Stream.ReadInt32()));
  const int FurtherLists = std::max(0, Series.GetValuesList().Count() - 2);
  for (int I = 0; I < Count; ++I) Take(Flags, ReadRecord(Stream, Flags, I, FurtherLists));
}

}  // namespace

KorFormatFlags SeriesGuessContents(const TChartSeries& Series) {
  KorFormatFlags Flags = 0;
  if (HasNoMandatoryValues(Series)) Flags |= tfNoMandatory;
  if (HasColors(Series)) Flags |= tfColor;
  if (HasLabels(Series)) Flags |= tfLabel;
  if (Series.GetMarks().GetPositions().ExistCustom()) Flags |= tfMarkPosition;
  return Flags;
}

void WriteSeriesData(const TChartSeries& Series, TStream& Stream) {
  const KorFormatFlags Flags = SeriesGuessContents(Series);
  Stream.WriteUInt8(Flags);
  Stream.WriteInt32(Series.Count());
  for (int I = 0; I < Series.Count(); ++I) WriteRecord(Series, Flags, I, Stream);
}

void CheckSeriesData(const TChartSeries& Series, TStream& Stream) {
  ReadPoints(Series, Stream, [](KorFormatFlags, const TPointRecord&) {});
}

void ReadSeriesData(TChartSeries& Series, TStream& Stream) {
  Series.Clear();
  Series.BeginUpdate();
  try {
    ReadPoints(Series, Stream, [&Series](KorFormatFlags Flags, const TPointRecord& Record) {
      AddRecord(Series, Flags, Record);
    });
  } catch (...) {
    // The points read so far stay, as manual data, and the bracket closes.
    Series.EndUpdate();
    Series.SetManualData(true);
    throw;
  }
  Series.EndUpdate();
  Series.SetManualData(true);
}
