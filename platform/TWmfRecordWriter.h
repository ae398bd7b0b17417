#pragma once

#include "platform/TMetafileRecordWriter.h"

#include <initializer_list>

// Render role: writes a placeable Windows metafile. Logical units are
// device pixels, 96 to the inch (the placeable header says so); text is
// stored in the Windows-1252 code page, other characters as "?".
class TWmfRecordWriter : public TMetafileRecordWriter {
 public:
  explicit TWmfRecordWriter(QSize Size);

 protected:
  int FirstObjectIndex() const override { return 0; }
  void EmitCreatePen(int Index, const TMetaPen& Pen) override;
  void EmitCreateBrush(int Index, const TMetaBrush& Brush) override;
  void EmitCreateFont(int Index, const TMetaFont& Font) override;
  void EmitSelect(int Index) override;
  void EmitDelete(int Index) override;
  void EmitTextColor(std::uint32_t Color) override;
  void EmitBkColor(std::uint32_t Color) override;
  void EmitBkMode(int Mode) override;
  void EmitFillMode(int Mode) override;
  void EmitTextAlign(int Align) override;
  void EmitSaveDC() override;
  void EmitRestoreDC() override;
  void EmitClip(const QRegion& Region) override;
  void EmitPolyline(const QPolygon& Points) override;
  void EmitPolygons(const QList<QPolygon>& Parts) override;
  void EmitRectangle(const QRect& Box) override;
  void EmitEllipse(const QRect& Box) override;
  void EmitText(const QPoint& Reference, const QString& Text, const QList<int>& Dx) override;
  void EmitImage(const QRect& Dest, const QImage& Image) override;
  QByteArray Assemble() override;

 private:
  // Appends a record of Function whose parameters are Params (an even size).
  void Record(std::uint16_t Function, const QByteArray& Params);
  void Words(std::uint16_t Function, std::initializer_list<int> Values);
  void Box(std::uint16_t Function, const QRect& Box);

  int FLargestRecord = 0;  // in 16-bit words
};
