#include "platform/TWmfRecordWriter.h"

#include <algorithm>

namespace {

enum : std::uint16_t {
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_SETBKMODE = 0x0102,
  META_SETMAPMODE = 0x0103,
  META_SETPOLYFILLMODE = 0x0106,
  META_RESTOREDC = 0x0127,
  META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E,
  META_DELETEOBJECT = 0x01F0,
  META_SETBKCOLOR = 0x0201,
  META_SETTEXTCOLOR = 0x0209,
  META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C,
  META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_EXCLUDECLIPRECT = 0x0415,
  META_INTERSECTCLIPRECT = 0x0416,
  META_ELLIPSE = 0x0418,
  META_RECTANGLE = 0x041B,
  META_POLYPOLYGON = 0x0538,
  META_EXTTEXTOUT = 0x0A32,
  META_STRETCHDIB = 0x0F43,
};

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr int HeaderWords = 9;
constexpr int MM_ANISOTROPIC = 8;
constexpr std::uint32_t SRCCOPY = 0x00CC0020;

int Clamp16(int V) {
  return std::clamp(V, -32767, 32767);
}

void Points(TLittleEndian& Out, const QPolygon& Part) {
  for (const QPoint& P : Part) {
    Out.I16(Clamp16(P.x()));
    Out.I16(Clamp16(P.y()));
  }
}

// The Windows-1252 byte of C, or "?" when the code page lacks it.
std::uint8_t AnsiByte(QChar C) {
  const char16_t U = C.unicode();
  if (U < 0x80 || (U >= 0xA0 && U <= 0xFF)) return static_cast<std::uint8_t>(U);
  static const std::pair<char16_t, std::uint8_t> Extra[] = {
      {0x20AC, 0x80}, {0x2026, 0x85}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93},
      {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97}, {0x2122, 0x99}};
  for (const auto& [Code, Byte] : Extra)
    if (Code == U) return Byte;
  return '?';
}

}  // namespace

TWmfRecordWriter::TWmfRecordWriter(QSize Size) : TMetafileRecordWriter(Size) {
  // One logical unit per pixel of the picture; the placeable header gives
  // the pixels per inch.
  Words(META_SETMAPMODE, {MM_ANISOTROPIC});
  Words(META_SETWINDOWORG, {0, 0});
  Words(META_SETWINDOWEXT, {this->Size().height(), this->Size().width()});
}

void TWmfRecordWriter::Record(std::uint16_t Function, const QByteArray& Params) {
  const int Length = 3 + static_cast<int>(Params.size() + 1) / 2;  // in 16-bit words
  TLittleEndian Out(Records());
  Out.U32(static_cast<std::uint32_t>(Length));
  Out.U16(Function);
  Records().append(Params);
  Out.Pad(2);
  FLargestRecord = std::max(FLargestRecord, Length);
  CountRecord();
}

void TWmfRecordWriter::Words(std::uint16_t Function, std::initializer_list<int> Values) {
  QByteArray P;
  TLittleEndian Out(P);
  for (int V : Values) Out.I16(V);
  Record(Function, P);
}

// The box's corners in the order the shape records store them.
void TWmfRecordWriter::Box(std::uint16_t Function, const QRect& Box) {
  Words(Function, {Clamp16(Box.top() + Box.height()), Clamp16(Box.left() + Box.width()),
                   Clamp16(Box.top()), Clamp16(Box.left())});
}

void TWmfRecordWriter::EmitCreatePen(int, const TMetaPen& Pen) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.U16(static_cast<std::uint16_t>(Pen.Style | (Pen.Width > 1 ? Pen.Cap | Pen.Join : 0)));
  Out.I16(Clamp16(Pen.Width));
  Out.I16(0);
  Out.U32(Pen.Color);
  Record(META_CREATEPENINDIRECT, P);
}

void TWmfRecordWriter::EmitCreateBrush(int, const TMetaBrush& Brush) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.U16(Brush.Style);
  Out.U32(Brush.Color);
  Out.U16(Brush.Style == TMetaBrush::bsHatched ? Brush.Hatch : 0);
  Record(META_CREATEBRUSHINDIRECT, P);
}

void TWmfRecordWriter::EmitCreateFont(int, const TMetaFont& Font) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.I16(-Clamp16(Font.Height));  // negative: the character height, not the cell
  Out.I16(0);
  Out.I16(Font.Escapement);
  Out.I16(Font.Escapement);
  Out.I16(Font.Weight);
  Out.U8(Font.Italic);
  Out.U8(Font.Underline);
  Out.U8(Font.StrikeOut);
  Out.U8(0);  // ANSI_CHARSET
  Out.U8(0);
  Out.U8(0);
  Out.U8(Font.Antialiased ? 4 : 3);
  Out.U8(0);
  const QString Face = Font.Face.left(31);
  for (int I = 0; I < 32; ++I) Out.U8(I < Face.size() ? AnsiByte(Face.at(I)) : 0);
  Record(META_CREATEFONTINDIRECT, P);
}

void TWmfRecordWriter::EmitSelect(int Index) {
  Words(META_SELECTOBJECT, {Index});
}

void TWmfRecordWriter::EmitDelete(int Index) {
  Words(META_DELETEOBJECT, {Index});
}

void TWmfRecordWriter::EmitTextColor(std::uint32_t Color) {
  Words(META_SETTEXTCOLOR, {static_cast<int>(Color & 0xFFFF), static_cast<int>(Color >> 16)});
}

void TWmfRecordWriter::EmitBkColor(std::uint32_t Color) {
  Words(META_SETBKCOLOR, {static_cast<int>(Color & 0xFFFF), static_cast<int>(Color >> 16)});
}

void TWmfRecordWriter::EmitBkMode(int Mode) {
  Words(META_SETBKMODE, {Mode, 0});
}

void TWmfRecordWriter::EmitFillMode(int Mode) {
  Words(META_SETPOLYFILLMODE, {Mode, 0});
}

void TWmfRecordWriter::EmitTextAlign(int Align) {
  Words(META_SETTEXTALIGN, {Align, 0});
}

void TWmfRecordWriter::EmitSaveDC() {
  Record(META_SAVEDC, QByteArray());
}

void TWmfRecordWriter::EmitRestoreDC() {
  Words(META_RESTOREDC, {-1});
}

void TWmfRecordWriter::EmitClip(const QRegion& Region) {
  // A region beyond one rectangle: its bounds less the gaps.
  const QRect Bounds = Region.boundingRect();
  Box(META_INTERSECTCLIPRECT, Bounds);
  if (Region.rectCount() <= 1) return;
  for (const QRect& Gap : QRegion(Bounds).subtracted(Region)) Box(META_EXCLUDECLIPRECT, Gap);
}

void TWmfRecordWriter::EmitPolyline(const QPolygon& Points16) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.I16(Points16.size());
  Points(Out, Points16);
  Record(META_POLYLINE, P);
}

void TWmfRecordWriter::EmitPolygons(const QList<QPolygon>& Parts) {
  QByteArray P;
  TLittleEndian Out(P);
  if (Parts.size() == 1) {
    Out.I16(Parts[0].size());
    Points(Out, Parts[0]);
    Record(META_POLYGON, P);
    return;
  }
  Out.U16(Parts.size());
  for (const QPolygon& Part : Parts) Out.U16(Part.size());
  for (const QPolygon& Part : Parts) Points(Out, Part);
  Record(META_POLYPOLYGON, P);
}

void TWmfRecordWriter::EmitRectangle(const QRect& Rect) {
  Box(META_RECTANGLE, Rect);
}

void TWmfRecordWriter::EmitEllipse(const QRect& Rect) {
  Box(META_ELLIPSE, Rect);
}

void TWmfRecordWriter::EmitText(const QPoint& Reference, const QString& Text,
                                const QList<int>& Dx) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.I16(Clamp16(Reference.y()));
  Out.I16(Clamp16(Reference.x()));
  Out.I16(Text.size());
  Out.U16(0);  // no options, so no rectangle follows
  for (QChar C : Text) Out.U8(AnsiByte(C));
  Out.Pad(2);
  for (int I = 0; I < Text.size(); ++I) Out.I16(I < Dx.size() ? Dx[I] : 0);
  Record(META_EXTTEXTOUT, P);
}

void TWmfRecordWriter::EmitImage(const QRect& Dest, const QImage& Image) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.U32(SRCCOPY);
  Out.U16(0);  // DIB_RGB_COLORS
  Out.I16(Image.height());
  Out.I16(Image.width());
  Out.I16(0);
  Out.I16(0);
  Out.I16(Dest.height());
  Out.I16(Dest.width());
  Out.I16(Clamp16(Dest.top()));
  Out.I16(Clamp16(Dest.left()));
  P.append(MetafileDib(Image));
  Record(META_STRETCHDIB, P);
}

QByteArray TWmfRecordWriter::Assemble() {
  Record(META_EOF, QByteArray());
  QByteArray File;
  TLittleEndian Out(File);
  Out.U32(PlaceableKey);
  Out.U16(0);
  Out.I16(0);
  Out.I16(0);
  Out.I16(Clamp16(Size().width()));
  Out.I16(Clamp16(Size().height()));
  Out.U16(96);  // logical units per inch
  Out.U32(0);
  std::uint16_t Checksum = 0;
  for (int I = 0; I < 10; ++I)
    Checksum ^=
        static_cast<std::uint8_t>(File[2 * I]) | (static_cast<std::uint8_t>(File[2 * I + 1]) << 8);
  Out.U16(Checksum);
  Out.U16(1);  // in memory, not a disk file
  Out.U16(HeaderWords);
  Out.U16(0x0300);
  Out.U32(static_cast<std::uint32_t>(HeaderWords + Records().size() / 2));
  Out.U16(std::max(1, ObjectTableSize()));
  Out.U32(static_cast<std::uint32_t>(FLargestRecord));
  Out.U16(0);
  File.append(Records());
  return File;
}
