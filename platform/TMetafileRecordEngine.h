#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QTransform>

class QPainterPath;
class TMetafileRecordWriter;

// Render role: the paint engine behind TMetafileRecordDevice. Lines, areas
// and text in plain colours go to the writer as vector records in device
// pixels; what records cannot say (gradients, translucency, composition
// modes, images with transparency, sheared text) is painted on a shadow
// raster of the whole picture and written as that part of the raster. The
// shadow follows every primitive, so a raster part shows exactly what lies
// under it.
class TMetafileRecordEngine : public QPaintEngine {
 public:
  explicit TMetafileRecordEngine(TMetafileRecordWriter& Writer);
  ~TMetafileRecordEngine() override;

  bool begin(QPaintDevice* Device) override;
  bool end() override;
  void updateState(const QPaintEngineState& State) override;

  using QPaintEngine::drawEllipse;
  using QPaintEngine::drawLines;
  using QPaintEngine::drawPoints;
  using QPaintEngine::drawPolygon;
  using QPaintEngine::drawRects;
  void drawRects(const QRectF* Rects, int Count) override;
  void drawLines(const QLineF* Lines, int Count) override;
  void drawEllipse(const QRectF& Rect) override;
  void drawPath(const QPainterPath& Path) override;
  void drawPoints(const QPointF* Points, int Count) override;
  void drawPolygon(const QPointF* Points, int Count, PolygonDrawMode Mode) override;
  void drawPixmap(const QRectF& Rect, const QPixmap& Pixmap, const QRectF& Source) override;
  void drawImage(const QRectF& Rect, const QImage& Image, const QRectF& Source,
                 Qt::ImageConversionFlags Flags) override;
  void drawTiledPixmap(const QRectF& Rect, const QPixmap& Pixmap, const QPointF& Offset) override;
  void drawTextItem(const QPointF& Point, const QTextItem& Item) override;
  Type type() const override { return QPaintEngine::User; }

 private:
  void CombineClip(Qt::ClipOperation Operation, const QRegion& DeviceRegion);
  void ApplyClip();
  bool PlainPainting() const;
  bool PlainPen() const;
  bool PlainBrush() const;
  bool AxisAligned() const;
  void SelectPen();
  void SelectBrush();
  void SelectBackground();
  // Writes the shadow's pixels under Bounds (device pixels) as an image.
  void WriteRaster(const QRectF& Bounds);
  // The device area a stroked or filled path covers.
  QRectF PathBounds(const QPainterPath& DevicePath) const;
  // A path as polygons (filled) or polylines (outline only).
  void WritePath(const QPainterPath& Path);
  void WriteRect(const QRectF& Rect);
  QRect DeviceBox(const QRectF& Rect) const;
  int DevicePenWidth() const;

  TMetafileRecordWriter& FWriter;
  QPaintDevice* FDevice = nullptr;
  QImage FShadow;
  QPainter FShadowPainter;
  QTransform FTransform;
  QPen FPen;
  QBrush FBrush;
  QBrush FBackground;
  Qt::BGMode FBackgroundMode = Qt::TransparentMode;
  qreal FOpacity = 1;
  QPainter::CompositionMode FComposition = QPainter::CompositionMode_SourceOver;
  bool FHasClip = false;
  bool FClipEnabled = true;
  QRegion FClip;  // device pixels
};
