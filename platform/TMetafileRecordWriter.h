#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

// A pen as a metafile stores it. Width in device pixels (0 and 1: the thin
// cosmetic pen); Color is a COLORREF (0x00BBGGRR).
struct TMetaPen {
  enum TStyle { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psNull = 5 };
  enum TCap { capRound = 0, capSquare = 0x100, capFlat = 0x200 };
  enum TJoin { joinRound = 0, joinBevel = 0x1000, joinMiter = 0x2000 };
  int Style = psSolid;
  int Width = 0;
  std::uint32_t Color = 0;
  int Cap = capRound;
  int Join = joinRound;
  bool operator==(const TMetaPen&) const = default;
};

// A brush: solid, none, or one of the six hatches (Hatch 0 to 5).
struct TMetaBrush {
  enum TStyle { bsSolid = 0, bsNull = 1, bsHatched = 2 };
  int Style = bsSolid;
  int Hatch = 0;
  std::uint32_t Color = 0;
  bool operator==(const TMetaBrush&) const = default;
};

// A font. Height is the character (em) height in device pixels; the
// escapement turns the baseline counter-clockwise, in tenths of a degree.
struct TMetaFont {
  QString Face;
  int Height = 12;
  int Escapement = 0;
  int Weight = 400;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool Antialiased = true;
  bool operator==(const TMetaFont&) const = default;
};

// Render role: turns GDI-style drawing calls in device pixels into the
// records of one metafile kind. Objects and attributes are realised lazily,
// just before a drawing record needs them, so a run of shapes in the same
// colours selects them once. The clip is a SAVEDC, clip records and a
// RESTOREDC around the drawing it covers; objects selected when the DC was
// saved are kept alive until the restore reselects them.
class TMetafileRecordWriter {
 public:
  // Size: the picture in device pixels (96 per inch).
  explicit TMetafileRecordWriter(QSize Size);
  virtual ~TMetafileRecordWriter();
  TMetafileRecordWriter(const TMetafileRecordWriter&) = delete;
  TMetafileRecordWriter& operator=(const TMetafileRecordWriter&) = delete;

  QSize Size() const { return FSize; }

  void SetPen(const TMetaPen& Pen) { FWant.Pen = Pen; }
  void SetBrush(const TMetaBrush& Brush) { FWant.Brush = Brush; }
  void SetFont(const TMetaFont& Font) { FWant.Font = Font; }
  void SetTextColor(std::uint32_t Color) { FWant.TextColor = Color; }
  // Opaque: hatch gaps, dash gaps and text cells take BkColor.
  void SetBackground(bool Opaque, std::uint32_t BkColor);
  void SetWinding(bool Winding) { FWant.FillMode = Winding ? 2 : 1; }
  // Drawing is confined to Region (device pixels) while Enabled.
  void SetClip(bool Enabled, const QRegion& Region);

  void Polyline(const QPolygon& Points);
  // One polygon, or several filled together with the fill mode.
  void Polygons(const QList<QPolygon>& Parts);
  // Box: right and bottom exclusive, as the metafile stores boxes.
  void Rectangle(const QRect& Box);
  void Ellipse(const QRect& Box);
  // Text from Reference (the start of the baseline) with the current font;
  // Dx holds each character's advance in pixels.
  void Text(const QPoint& Reference, const QString& Text, const QList<int>& Dx);
  // Image drawn opaque, stretched over Dest.
  void Image(const QRect& Dest, const QImage& Image);

  // Ends the metafile and returns the whole file; the writer is done.
  QByteArray Finish();

 protected:
  // Attributes as the device context holds them; -1: not known yet.
  struct TDCState {
    int Pen = -1;  // object table indexes
    int Brush = -1;
    int Font = -1;
    TMetaPen PenValue;
    TMetaBrush BrushValue;
    TMetaFont FontValue;
    std::int64_t TextColor = -1;
    std::int64_t BkColor = -1;
    int BkMode = -1;
    int FillMode = -1;
    int TextAlign = -1;
  };
  enum TObjectKind { okPen, okBrush, okFont };

  // The record stream, without header; records appended by the writers.
  QByteArray& Records() { return FRecords; }
  int RecordCount() const { return FRecordCount; }
  void CountRecord() { ++FRecordCount; }
  int ObjectTableSize() const { return FTableSize; }
  // Index of the first object slot (0 or 1: the enhanced kind reserves 0).
  virtual int FirstObjectIndex() const = 0;

  virtual void EmitCreatePen(int Index, const TMetaPen& Pen) = 0;
  virtual void EmitCreateBrush(int Index, const TMetaBrush& Brush) = 0;
  virtual void EmitCreateFont(int Index, const TMetaFont& Font) = 0;
  virtual void EmitSelect(int Index) = 0;
  virtual void EmitDelete(int Index) = 0;
  virtual void EmitTextColor(std::uint32_t Color) = 0;
  virtual void EmitBkColor(std::uint32_t Color) = 0;
  virtual void EmitBkMode(int Mode) = 0;
  virtual void EmitFillMode(int Mode) = 0;
  virtual void EmitTextAlign(int Align) = 0;
  virtual void EmitSaveDC() = 0;
  virtual void EmitRestoreDC() = 0;
  // Narrows the clip of a freshly saved DC to Region.
  virtual void EmitClip(const QRegion& Region) = 0;
  virtual void EmitPolyline(const QPolygon& Points) = 0;
  virtual void EmitPolygons(const QList<QPolygon>& Parts) = 0;
  virtual void EmitRectangle(const QRect& Box) = 0;
  virtual void EmitEllipse(const QRect& Box) = 0;
  virtual void EmitText(const QPoint& Reference, const QString& Text, const QList<int>& Dx) = 0;
  virtual void EmitImage(const QRect& Dest, const QImage& Image) = 0;
  // The file: header, Records(), end record.
  virtual QByteArray Assemble() = 0;

 private:
  struct TWanted {
    TMetaPen Pen;
    TMetaBrush Brush;
    TMetaFont Font;
    std::uint32_t TextColor = 0;
    std::uint32_t BkColor = 0xFFFFFF;
    int BkMode = 1;  // transparent
    int FillMode = 1;
    bool ClipEnabled = false;
    QRegion Clip;
  };

  void RealizeClip();
  void RealizeAttributes();
  void RealizePen();
  void RealizeBrush();
  void RealizeFont();
  int AllocateSlot();
  // The object leaves the DC: deleted unless the saved DC still holds it.
  void Release(TObjectKind Kind, int Index);

  QSize FSize;
  TWanted FWant;
  TDCState FDC;
  TDCState FSaved;
  bool FClipSaved = false;
  bool FAppliedClipEnabled = false;
  QRegion FAppliedClip;
  std::vector<bool> FSlots;
  int FTableSize = 0;
  bool FFinished = false;
  QByteArray FRecords;
  int FRecordCount = 0;
};

// Appends little-endian integers to a metafile byte array.
class TLittleEndian {
 public:
  explicit TLittleEndian(QByteArray& Bytes) : FBytes(Bytes) {}
  void U8(std::uint8_t V) { FBytes.append(static_cast<char>(V)); }
  void U16(std::uint16_t V) {
    U8(V & 0xFF);
    U8(V >> 8);
  }
  void U32(std::uint32_t V) {
    U16(V & 0xFFFF);
    U16(V >> 16);
  }
  void I16(int V) { U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(V))); }
  void I32(int V) { U32(static_cast<std::uint32_t>(V)); }
  void F32(float V);
  void Pad(int Alignment) {
    while (FBytes.size() % Alignment != 0) U8(0);
  }

 private:
  QByteArray& FBytes;
};

// A BITMAPINFOHEADER and 24-bit bottom-up pixels of Image (rows padded to
// four bytes), as both metafile kinds embed device-independent bitmaps.
QByteArray MetafileDib(const QImage& Image);
