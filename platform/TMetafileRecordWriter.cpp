#include "platform/TMetafileRecordWriter.h"

#include "platform/Exception.h"

#include <cstring>

namespace {

constexpr int TA_BASELINE = 24;  // left-aligned on the baseline, pen position unused
constexpr int BiSize = 40;

}  // namespace

void TLittleEndian::F32(float V) {
  std::uint32_t Bits = 0;
  std::memcpy(&Bits, &V, sizeof Bits);
  U32(Bits);
}

QByteArray MetafileDib(const QImage& Image) {
  const QImage Rgb = Image.convertToFormat(QImage::Format_RGB888);
  const int W = Rgb.width();
  const int H = Rgb.height();
  const int Stride = (W * 3 + 3) & ~3;
  QByteArray Dib;
  Dib.reserve(BiSize + Stride * H);
  TLittleEndian Out(Dib);
  Out.U32(BiSize);
  Out.I32(W);
  Out.I32(H);  // positive: bottom-up rows
  Out.U16(1);  // planes
  Out.U16(24);
  Out.U32(0);  // BI_RGB
  Out.U32(static_cast<std::uint32_t>(Stride * H));
  Out.I32(3780);  // 96 pixels per inch in pixels per metre
  Out.I32(3780);
  Out.U32(0);
  Out.U32(0);
  for (int Y = H - 1; Y >= 0; --Y) {
    const uchar* Row = Rgb.constScanLine(Y);
    for (int X = 0; X < W; ++X) {
      Out.U8(Row[3 * X + 2]);  // DIBs store blue, green, red
      Out.U8(Row[3 * X + 1]);
      Out.U8(Row[3 * X]);
    }
    for (int P = W * 3; P < Stride; ++P) Out.U8(0);
  }
  return Dib;
}

TMetafileRecordWriter::TMetafileRecordWriter(QSize Size)
    : FSize(std::max(1, Size.width()), std::max(1, Size.height())) {}

TMetafileRecordWriter::~TMetafileRecordWriter() = default;

void TMetafileRecordWriter::SetBackground(bool Opaque, std::uint32_t BkColor) {
  FWant.BkMode = Opaque ? 2 : 1;
  FWant.BkColor = BkColor;
}

void TMetafileRecordWriter::SetClip(bool Enabled, const QRegion& Region) {
  FWant.ClipEnabled = Enabled;
  FWant.Clip = Enabled ? Region : QRegion();
}

int TMetafileRecordWriter::AllocateSlot() {
  const int First = FirstObjectIndex();
  if (FSlots.size() < static_cast<std::size_t>(First)) FSlots.resize(First, true);
  for (std::size_t I = First; I < FSlots.size(); ++I)
    if (!FSlots[I]) {
      FSlots[I] = true;
      return static_cast<int>(I);
    }
  FSlots.push_back(true);
  FTableSize = std::max(FTableSize, static_cast<int>(FSlots.size()));
  return static_cast<int>(FSlots.size()) - 1;
}

void TMetafileRecordWriter::Release(TObjectKind Kind, int Index) {
  if (Index < 0) return;
  if (FClipSaved) {
    const int Held = Kind == okPen ? FSaved.Pen : Kind == okBrush ? FSaved.Brush : FSaved.Font;
    if (Held == Index) return;  // the restore selects it again
  }
  EmitDelete(Index);
  FSlots[Index] = false;
}

void TMetafileRecordWriter::RealizeClip() {
  const bool Same = FWant.ClipEnabled == FAppliedClipEnabled &&
                    (!FWant.ClipEnabled || FWant.Clip == FAppliedClip);
  if (Same) return;
  if (FClipSaved) {
    EmitRestoreDC();
    FClipSaved = false;
    // Objects made while the DC was saved are no longer selected anywhere.
    if (FDC.Pen != FSaved.Pen) Release(okPen, FDC.Pen);
    if (FDC.Brush != FSaved.Brush) Release(okBrush, FDC.Brush);
    if (FDC.Font != FSaved.Font) Release(okFont, FDC.Font);
    FDC = FSaved;
  }
  if (FWant.ClipEnabled) {
    EmitSaveDC();
    FSaved = FDC;
    FClipSaved = true;
    EmitClip(FWant.Clip);
  }
  FAppliedClipEnabled = FWant.ClipEnabled;
  FAppliedClip = FWant.Clip;
}

void TMetafileRecordWriter::RealizeAttributes() {
  RealizeClip();
  if (FDC.BkMode != FWant.BkMode) EmitBkMode(FDC.BkMode = FWant.BkMode);
  if (FWant.BkMode == 2 && FDC.BkColor != FWant.BkColor) {
    FDC.BkColor = FWant.BkColor;
    EmitBkColor(FWant.BkColor);
  }
  if (FDC.FillMode != FWant.FillMode) EmitFillMode(FDC.FillMode = FWant.FillMode);
}

void TMetafileRecordWriter::RealizePen() {
  if (FDC.Pen >= 0 && FDC.PenValue == FWant.Pen) return;
  const int Index = AllocateSlot();
  EmitCreatePen(Index, FWant.Pen);
  EmitSelect(Index);
  const int Old = FDC.Pen;
  FDC.Pen = Index;
  FDC.PenValue = FWant.Pen;
  Release(okPen, Old);
}

void TMetafileRecordWriter::RealizeBrush() {
  if (FDC.Brush >= 0 && FDC.BrushValue == FWant.Brush) return;
  const int Index = AllocateSlot();
  EmitCreateBrush(Index, FWant.Brush);
  EmitSelect(Index);
  const int Old = FDC.Brush;
  FDC.Brush = Index;
  FDC.BrushValue = FWant.Brush;
  Release(okBrush, Old);
}

void TMetafileRecordWriter::RealizeFont() {
  if (FDC.Font >= 0 && FDC.FontValue == FWant.Font) return;
  const int Index = AllocateSlot();
  EmitCreateFont(Index, FWant.Font);
  EmitSelect(Index);
  const int Old = FDC.Font;
  FDC.Font = Index;
  FDC.FontValue = FWant.Font;
  Release(okFont, Old);
}

void TMetafileRecordWriter::Polyline(const QPolygon& Points) {
  if (Points.size() < 2 || FWant.Pen.Style == TMetaPen::psNull) return;
  RealizeAttributes();
  RealizePen();
  EmitPolyline(Points);
}

void TMetafileRecordWriter::Polygons(const QList<QPolygon>& Parts) {
  QList<QPolygon> Kept;
  for (const QPolygon& Part : Parts)
    if (Part.size() >= 2) Kept.append(Part);
  if (Kept.isEmpty()) return;
  RealizeAttributes();
  RealizePen();
  RealizeBrush();
  EmitPolygons(Kept);
}

void TMetafileRecordWriter::Rectangle(const QRect& Box) {
  RealizeAttributes();
  RealizePen();
  RealizeBrush();
  EmitRectangle(Box);
}

void TMetafileRecordWriter::Ellipse(const QRect& Box) {
  RealizeAttributes();
  RealizePen();
  RealizeBrush();
  EmitEllipse(Box);
}

void TMetafileRecordWriter::Text(const QPoint& Reference, const QString& Text,
                                 const QList<int>& Dx) {
  if (Text.isEmpty()) return;
  RealizeAttributes();
  RealizeFont();
  if (FDC.TextColor != FWant.TextColor) {
    FDC.TextColor = FWant.TextColor;
    EmitTextColor(FWant.TextColor);
  }
  if (FDC.TextAlign != TA_BASELINE) EmitTextAlign(FDC.TextAlign = TA_BASELINE);
  EmitText(Reference, Text, Dx);
}

void TMetafileRecordWriter::Image(const QRect& Dest, const QImage& Image) {
  if (Image.isNull() || Dest.isEmpty()) return;
  RealizeClip();
  EmitImage(Dest, Image);
}

QByteArray TMetafileRecordWriter::Finish() {
  if (FFinished) throw EInvalidGraphic(QStringLiteral("The metafile has already been written"));
  FFinished = true;
  SetClip(false, QRegion());
  RealizeClip();
  return Assemble();
}
