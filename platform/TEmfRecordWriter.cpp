#include "platform/TEmfRecordWriter.h"

#include <cmath>
#include <limits>

namespace {

enum : std::uint32_t {
  EMR_HEADER = 1,
  EMR_POLYGON = 3,
  EMR_POLYLINE = 4,
  EMR_POLYPOLYGON = 8,
  EMR_EOF = 14,
  EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19,
  EMR_SETTEXTALIGN = 22,
  EMR_SETTEXTCOLOR = 24,
  EMR_SETBKCOLOR = 25,
  EMR_INTERSECTCLIPRECT = 30,
  EMR_SAVEDC = 33,
  EMR_RESTOREDC = 34,
  EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_DELETEOBJECT = 40,
  EMR_ELLIPSE = 42,
  EMR_RECTANGLE = 43,
  EMR_EXTSELECTCLIPRGN = 75,
  EMR_STRETCHDIBITS = 81,
  EMR_EXTCREATEFONTINDIRECTW = 82,
  EMR_EXTTEXTOUTW = 84,
  EMR_POLYGON16 = 86,
  EMR_POLYLINE16 = 87,
  EMR_POLYPOLYGON16 = 91,
  EMR_EXTCREATEPEN = 95,
};

constexpr std::uint32_t EmfSignature = 0x464D4520;  // " EMF"
constexpr int HeaderSize = 108;                     // with both header extensions
constexpr int EofSize = 20;
constexpr std::uint32_t PS_GEOMETRIC = 0x10000;
constexpr std::uint32_t RGN_AND = 1;
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t GM_COMPATIBLE = 1;

// The reference screen: 1920 x 1080 pixels at 96 per inch.
constexpr int RefPixelsX = 1920;
constexpr int RefPixelsY = 1080;
constexpr int RefMicronsX = 508000;
constexpr int RefMicronsY = 285750;

void RectL(TLittleEndian& Out, int Left, int Top, int Right, int Bottom) {
  Out.I32(Left);
  Out.I32(Top);
  Out.I32(Right);
  Out.I32(Bottom);
}

// Inclusive bounds of a shape's points.
void Bounds(TLittleEndian& Out, const QList<QPolygon>& Parts) {
  QRect R;
  for (const QPolygon& Part : Parts) R = R.united(Part.boundingRect());
  RectL(Out, R.left(), R.top(), R.right(), R.bottom());
}

bool Fits16(const QList<QPolygon>& Parts) {
  for (const QPolygon& Part : Parts)
    for (const QPoint& P : Part)
      if (P.x() < std::numeric_limits<std::int16_t>::min() ||
          P.x() > std::numeric_limits<std::int16_t>::max() ||
          P.y() < std::numeric_limits<std::int16_t>::min() ||
          P.y() > std::numeric_limits<std::int16_t>::max())
        return false;
  return true;
}

}  // namespace

void TEmfRecordWriter::Record(std::uint32_t Type, const QByteArray& Params) {
  TLittleEndian Out(Records());
  const int Padded = (Params.size() + 3) & ~3;
  Out.U32(Type);
  Out.U32(static_cast<std::uint32_t>(8 + Padded));
  Records().append(Params);
  Out.Pad(4);
  CountRecord();
}

void TEmfRecordWriter::SingleValue(std::uint32_t Type, std::uint32_t Value) {
  QByteArray P;
  TLittleEndian(P).U32(Value);
  Record(Type, P);
}

void TEmfRecordWriter::EmitCreatePen(int Index, const TMetaPen& Pen) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.U32(Index);
  if (Pen.Width <= 1 || Pen.Style == TMetaPen::psNull) {
    Out.U32(Pen.Style);
    Out.I32(Pen.Width);  // the thin pen: one pixel whatever the mapping
    Out.I32(0);
    Out.U32(Pen.Color);
    Record(EMR_CREATEPEN, P);
    return;
  }
  // Wide pens keep their ends, joins and dashes only as geometric pens.
  Out.U32(0);  // no brush bitmap
  Out.U32(0);
  Out.U32(0);
  Out.U32(0);
  Out.U32(PS_GEOMETRIC | Pen.Style | Pen.Cap | Pen.Join);
  Out.U32(Pen.Width);
  Out.U32(0);  // solid brush
  Out.U32(Pen.Color);
  Out.U32(0);
  Out.U32(0);  // no user style entries
  Record(EMR_EXTCREATEPEN, P);
}

void TEmfRecordWriter::EmitCreateBrush(int Index, const TMetaBrush& Brush) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.U32(Index);
  Out.U32(Brush.Style);
  Out.U32(Brush.Color);
  Out.U32(Brush.Style == TMetaBrush::bsHatched ? Brush.Hatch : 0);
  Record(EMR_CREATEBRUSHINDIRECT, P);
}

void TEmfRecordWriter::EmitCreateFont(int Index, const TMetaFont& Font) {
  QByteArray P;
  TLittleEndian Out(P);
  Out.U32(Index);
  Out.I32(-Font.Height);  // negative: the character height, not the cell
  Out.I32(0);
  Out.I32(Font.Escapement);
  Out.I32(Font.Escapement);
  Out.I32(Font.Weight);
  Out.U8(Font.Italic);
  Out.U8(Font.Underline);
  Out.U8(Font.StrikeOut);
  Out.U8(1);  // DEFAULT_CHARSET: the text is Unicode
  Out.U8(0);
  Out.U8(0);
  Out.U8(Font.Antialiased ? 4 : 3);
  Out.U8(0);
  const QString Face = Font.Face.left(31);
  for (int I = 0; I < 32; ++I) Out.U16(I < Face.size() ? Face.at(I).unicode() : 0);
  Record(EMR_EXTCREATEFONTINDIRECTW, P);
}

void TEmfRecordWriter::EmitSelect(int Index) {
  SingleValue(EMR_SELECTOBJECT, Index);
}

void TEmfRecordWriter::EmitDelete(int Index) {
  SingleValue(EMR_DELETEOBJECT, Index);
}

void TEmfRecordWriter::EmitTextColor(std::uint32_t Color) {
  SingleValue(EMR_SETTEXTCOLOR, Color);
}

void TEmfRecordWriter::EmitBkColor(std::uint32_t Color) {
  SingleValue(EMR_SETBKCOLOR, Color);
}

void TEmfRecordWriter::EmitBkMode(int Mode) {
  SingleValue(EMR_SETBKMODE, Mode);
}

void TEmfRecordWriter::EmitFillMode(int Mode) {
  SingleValue(EMR_SETPOLYFILLMODE, Mode);
}

void TEmfRecordWriter::EmitTextAlign(int Align) {
  SingleValue(EMR_SETTEXTALIGN, Align);
}

void TEmfRecordWriter::EmitSaveDC() {
  Record(EMR_SAVEDC, QByteArray());
}

void TEmfRecordWriter::EmitRestoreDC() {
  SingleValue(EMR_RESTOREDC, static_cast<std::uint32_t>(-1));
}

void TEmfRecordWriter::EmitClip(const QRegion& Region) {
  QByteArray P;
  TLittleEndian Out(P);
  if (Region.rectCount() <= 1) {  // a rectangle, or nothing at all
    const QRect R = Region.boundingRect();
    RectL(Out, R.left(), R.top(), R.left() + R.width(), R.top() + R.height());
    Record(EMR_INTERSECTCLIPRECT, P);
    return;
  }
  // Any other shape (also the empty region) as a list of rectangles.
  const int Count = Region.rectCount();
  Out.U32(32 + 16 * Count);
  Out.U32(RGN_AND);
  Out.U32(32);
  Out.U32(1);  // rectangles
  Out.U32(Count);
  Out.U32(16 * Count);
  const QRect B = Region.boundingRect();
  RectL(Out, B.left(), B.top(), B.left() + B.width(), B.top() + B.height());
  for (const QRect& R : Region)
    RectL(Out, R.left(), R.top(), R.left() + R.width(), R.top() + R.height());
  Record(EMR_EXTSELECTCLIPRGN, P);
}

void TEmfRecordWriter::PointList(std::uint32_t Type16, std::uint32_t Type32,
                                 const QList<QPolygon>& Parts, bool Multi) {
  const bool Short = Fits16(Parts);
  QByteArray P;
  TLittleEndian Out(P);
  Bounds(Out, Parts);
  int Total = 0;
  for (const QPolygon& Part : Parts) Total += Part.size();
  if (Multi) {
    Out.U32(Parts.size());
    Out.U32(Total);
    for (const QPolygon& Part : Parts) Out.U32(Part.size());
  } else {
    Out.U32(Total);
  }
  for (const QPolygon& Part : Parts)
    for (const QPoint& Pt : Part) {
      if (Short) {
        Out.I16(Pt.x());
        Out.I16(Pt.y());
      } else {
        Out.I32(Pt.x());
        Out.I32(Pt.y());
      }
    }
  Record(Short ? Type16 : Type32, P);
}

void TEmfRecordWriter::EmitPolyline(const QPolygon& Points) {
  PointList(EMR_POLYLINE16, EMR_POLYLINE, {Points}, false);
}

void TEmfRecordWriter::EmitPolygons(const QList<QPolygon>& Parts) {
  if (Parts.size() == 1)
    PointList(EMR_POLYGON16, EMR_POLYGON, Parts, false);
  else
    PointList(EMR_POLYPOLYGON16, EMR_POLYPOLYGON, Parts, true);
}

void TEmfRecordWriter::EmitRectangle(const QRect& Box) {
  QByteArray P;
  TLittleEndian Out(P);
  RectL(Out, Box.left(), Box.top(), Box.left() + Box.width(), Box.top() + Box.height());
  Record(EMR_RECTANGLE, P);
}

void TEmfRecordWriter::EmitEllipse(const QRect& Box) {
  QByteArray P;
  TLittleEndian Out(P);
  RectL(Out, Box.left(), Box.top(), Box.left() + Box.width(), Box.top() + Box.height());
  Record(EMR_ELLIPSE, P);
}

void TEmfRecordWriter::EmitText(const QPoint& Reference, const QString& Text,
                                const QList<int>& Dx) {
  constexpr int Fixed = 76 - 8;  // parameters before the string
  const int StringBytes = (Text.size() * 2 + 3) & ~3;
  QByteArray P;
  TLittleEndian Out(P);
  int Width = 0;
  for (int D : Dx) Width += D;
  RectL(Out, Reference.x(), Reference.y(), Reference.x() + Width, Reference.y());  // unused
  Out.U32(GM_COMPATIBLE);
  Out.F32(1.0f);
  Out.F32(1.0f);
  Out.I32(Reference.x());
  Out.I32(Reference.y());
  Out.U32(Text.size());
  Out.U32(8 + Fixed);  // string offset from the record start
  Out.U32(0);          // no options: no clipping or opaque rectangle
  RectL(Out, 0, 0, -1, -1);
  Out.U32(8 + Fixed + StringBytes);
  for (QChar C : Text) Out.U16(C.unicode());
  Out.Pad(4);
  for (int I = 0; I < Text.size(); ++I) Out.I32(I < Dx.size() ? Dx[I] : 0);
  Record(EMR_EXTTEXTOUTW, P);
}

void TEmfRecordWriter::EmitImage(const QRect& Dest, const QImage& Image) {
  const QByteArray Dib = MetafileDib(Image);
  constexpr int Fixed = 80;  // the record up to the bitmap header
  constexpr int BmiSize = 40;
  QByteArray P;
  TLittleEndian Out(P);
  RectL(Out, Dest.left(), Dest.top(), Dest.right(), Dest.bottom());
  Out.I32(Dest.left());
  Out.I32(Dest.top());
  Out.I32(0);
  Out.I32(0);
  Out.I32(Image.width());
  Out.I32(Image.height());
  Out.U32(Fixed);
  Out.U32(BmiSize);
  Out.U32(Fixed + BmiSize);
  Out.U32(Dib.size() - BmiSize);
  Out.U32(0);  // DIB_RGB_COLORS
  Out.U32(SRCCOPY);
  Out.I32(Dest.width());
  Out.I32(Dest.height());
  P.append(Dib);
  Record(EMR_STRETCHDIBITS, P);
}

QByteArray TEmfRecordWriter::Assemble() {
  const int W = Size().width();
  const int H = Size().height();
  QByteArray File;
  File.reserve(HeaderSize + Records().size() + EofSize);
  TLittleEndian Out(File);
  const int Total = HeaderSize + Records().size() + EofSize;
  Out.U32(EMR_HEADER);
  Out.U32(HeaderSize);
  RectL(Out, 0, 0, W - 1, H - 1);  // bounds, device pixels, inclusive
  // The frame in hundredths of a millimetre at 96 pixels per inch.
  RectL(Out, 0, 0, static_cast<int>(std::lround(W * 2540.0 / 96)) - 1,
        static_cast<int>(std::lround(H * 2540.0 / 96)) - 1);
  Out.U32(EmfSignature);
  Out.U32(0x10000);
  Out.U32(Total);
  Out.U32(RecordCount() + 2);  // with the header and the end record
  Out.U16(std::max(1, ObjectTableSize()));
  Out.U16(0);
  Out.U32(0);  // no description
  Out.U32(0);
  Out.U32(0);  // no palette
  Out.I32(RefPixelsX);
  Out.I32(RefPixelsY);
  Out.I32(RefMicronsX / 1000);
  Out.I32(static_cast<int>(std::lround(RefMicronsY / 1000.0)));
  Out.U32(0);  // no pixel format
  Out.U32(0);
  Out.U32(0);  // not OpenGL
  Out.I32(RefMicronsX);
  Out.I32(RefMicronsY);
  File.append(Records());
  Out.U32(EMR_EOF);
  Out.U32(EofSize);
  Out.U32(0);   // no palette entries
  Out.U32(16);  // where they would start
  Out.U32(EofSize);
  return File;
}
