#pragma once

#include "platform/TMetafileRecordWriter.h"

// Render role: writes an enhanced metafile. Logical units are device pixels
// (the default text mapping); the header describes a 96 pixels-per-inch
// reference screen so readers size the picture right.
class TEmfRecordWriter : public TMetafileRecordWriter {
 public:
  explicit TEmfRecordWriter(QSize Size) : TMetafileRecordWriter(Size) {}

 protected:
  int FirstObjectIndex() const override { return 1; }  // 0 is the metafile itself
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
  // Appends a record of Type whose parameters are Params (padded to four bytes).
  void Record(std::uint32_t Type, const QByteArray& Params);
  void SingleValue(std::uint32_t Type, std::uint32_t Value);
  void PointList(std::uint32_t Type16, std::uint32_t Type32, const QList<QPolygon>& Parts,
                 bool Multi);
};
