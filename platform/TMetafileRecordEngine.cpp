#include "platform/TMetafileRecordEngine.h"

#include "platform/TMetafileRecordWriter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <cmath>
#include <numbers>

namespace {

std::uint32_t ColorRef(const QColor& C) {
  return static_cast<std::uint32_t>(C.red()) | (static_cast<std::uint32_t>(C.green()) << 8) |
         (static_cast<std::uint32_t>(C.blue()) << 16);
}

bool Opaque(const QColor& C) {
  return C.alpha() == 255;
}

bool OpaqueImage(const QImage& Image) {
  if (!Image.hasAlphaChannel()) return true;
  const QImage Argb = Image.convertToFormat(QImage::Format_ARGB32);
  for (int Y = 0; Y < Argb.height(); ++Y) {
    const QRgb* Row = reinterpret_cast<const QRgb*>(Argb.constScanLine(Y));
    for (int X = 0; X < Argb.width(); ++X)
      if (qAlpha(Row[X]) != 255) return false;
  }
  return true;
}

int HatchOf(Qt::BrushStyle Style) {
  switch (Style) {
    case Qt::HorPattern: return 0;
    case Qt::VerPattern: return 1;
    case Qt::FDiagPattern: return 2;
    case Qt::BDiagPattern: return 3;
    case Qt::CrossPattern: return 4;
    case Qt::DiagCrossPattern: return 5;
    default: return -1;
  }
}

int DashStyleOf(const QPen& Pen) {
  switch (Pen.style()) {
    case Qt::DashLine: return TMetaPen::psDash;
    case Qt::DotLine: return TMetaPen::psDot;
    case Qt::DashDotLine: return TMetaPen::psDashDot;
    case Qt::DashDotDotLine: return TMetaPen::psDashDotDot;
    case Qt::CustomDashLine: {
      // The nearest of the stock styles, by the shape of the pattern.
      const QList<qreal> P = Pen.dashPattern();
      if (P.size() == 2) return P[0] > P[1] ? TMetaPen::psDash : TMetaPen::psDot;
      if (P.size() == 4) return TMetaPen::psDashDot;
      if (P.size() >= 6) return TMetaPen::psDashDotDot;
      return TMetaPen::psSolid;
    }
    default: return TMetaPen::psSolid;
  }
}

// Recordings keep rectangles as paths: one closed subpath round the four
// corners of its bounds.
bool IsRectangle(const QPainterPath& Path, QRectF& Rect) {
  if (Path.elementCount() != 5 || !Path.elementAt(0).isMoveTo()) return false;
  Rect = Path.boundingRect();
  for (int I = 1; I < 5; ++I)
    if (!Path.elementAt(I).isLineTo()) return false;
  for (int I = 0; I < 5; ++I) {
    const QPainterPath::Element E = Path.elementAt(I);
    const bool OnX = E.x == Rect.left() || E.x == Rect.right();
    const bool OnY = E.y == Rect.top() || E.y == Rect.bottom();
    if (!OnX || !OnY) return false;
  }
  const QPainterPath::Element First = Path.elementAt(0);
  const QPainterPath::Element Last = Path.elementAt(4);
  const QPainterPath::Element Opposite = Path.elementAt(2);
  return First.x == Last.x && First.y == Last.y && Opposite.x != First.x && Opposite.y != First.y;
}

QPolygon Rounded(const QPolygonF& Points) {
  return Points.toPolygon();
}

}  // namespace

TMetafileRecordEngine::TMetafileRecordEngine(TMetafileRecordWriter& Writer)
    : QPaintEngine(QPaintEngine::AllFeatures), FWriter(Writer) {}

TMetafileRecordEngine::~TMetafileRecordEngine() = default;

bool TMetafileRecordEngine::begin(QPaintDevice* Device) {
  FDevice = Device;
  // A later painter session goes on drawing over the earlier ones.
  if (FShadow.isNull()) {
    FShadow = QImage(FWriter.Size(), QImage::Format_RGB32);
    FShadow.fill(Qt::white);
  }
  FHasClip = false;
  FClip = QRegion();
  FWriter.SetClip(false, QRegion());
  if (!FShadowPainter.begin(&FShadow)) return false;
  setActive(true);
  return true;
}

bool TMetafileRecordEngine::end() {
  FShadowPainter.end();
  setActive(false);
  return true;
}

// Clips arrive in the coordinates of the transform current when they were
// set, one operation at a time; they are kept combined, in device pixels.
void TMetafileRecordEngine::CombineClip(Qt::ClipOperation Operation, const QRegion& DeviceRegion) {
  switch (Operation) {
    case Qt::NoClip:
      FHasClip = false;
      FClip = QRegion();
      break;
    case Qt::ReplaceClip:
      FHasClip = true;
      FClip = DeviceRegion;
      break;
    case Qt::IntersectClip:
      FClip = FHasClip ? FClip.intersected(DeviceRegion) : DeviceRegion;
      FHasClip = true;
      break;
  }
}

void TMetafileRecordEngine::ApplyClip() {
  const bool On = FHasClip && FClipEnabled;
  FWriter.SetClip(On, FClip.intersected(QRect(QPoint(0, 0), FWriter.Size())));
  const QTransform Current = FShadowPainter.transform();
  FShadowPainter.resetTransform();
  if (On)
    FShadowPainter.setClipRegion(FClip);
  else
    FShadowPainter.setClipping(false);
  FShadowPainter.setTransform(Current);
}

void TMetafileRecordEngine::updateState(const QPaintEngineState& State) {
  const DirtyFlags Flags = State.state();
  if (Flags & DirtyTransform) {
    FTransform = State.transform();
    FShadowPainter.setTransform(FTransform);
  }
  if (Flags & DirtyPen) {
    FPen = State.pen();
    FShadowPainter.setPen(FPen);
  }
  if (Flags & DirtyBrush) {
    FBrush = State.brush();
    FShadowPainter.setBrush(FBrush);
  }
  if (Flags & DirtyBrushOrigin) FShadowPainter.setBrushOrigin(State.brushOrigin());
  if (Flags & DirtyBackground) {
    FBackground = State.backgroundBrush();
    FShadowPainter.setBackground(FBackground);
  }
  if (Flags & DirtyBackgroundMode) {
    FBackgroundMode = State.backgroundMode();
    FShadowPainter.setBackgroundMode(FBackgroundMode);
  }
  if (Flags & DirtyFont) FShadowPainter.setFont(State.font());
  if (Flags & DirtyHints) FShadowPainter.setRenderHints(State.renderHints());
  if (Flags & DirtyCompositionMode) {
    FComposition = State.compositionMode();
    FShadowPainter.setCompositionMode(FComposition);
  }
  if (Flags & DirtyOpacity) {
    FOpacity = State.opacity();
    FShadowPainter.setOpacity(FOpacity);
  }
  bool ClipChanged = false;
  if (Flags & DirtyClipRegion) {
    CombineClip(State.clipOperation(), FTransform.map(State.clipRegion()));
    ClipChanged = true;
  }
  if (Flags & DirtyClipPath) {
    const QPainterPath Path = FTransform.map(State.clipPath());
    CombineClip(State.clipOperation(), QRegion(Path.toFillPolygon().toPolygon(), Path.fillRule()));
    ClipChanged = true;
  }
  if (Flags & DirtyClipEnabled) {
    FClipEnabled = State.isClipEnabled();
    ClipChanged = true;
  }
  if (ClipChanged) ApplyClip();
}

bool TMetafileRecordEngine::PlainPainting() const {
  return FComposition == QPainter::CompositionMode_SourceOver && FOpacity >= 1.0;
}

bool TMetafileRecordEngine::PlainPen() const {
  if (FPen.style() == Qt::NoPen) return true;
  return FPen.brush().style() == Qt::SolidPattern && Opaque(FPen.color());
}

bool TMetafileRecordEngine::PlainBrush() const {
  const Qt::BrushStyle Style = FBrush.style();
  if (Style == Qt::NoBrush) return true;
  if (Style != Qt::SolidPattern && HatchOf(Style) < 0) return false;
  return Opaque(FBrush.color()) &&
         (Style == Qt::SolidPattern || FBackgroundMode == Qt::TransparentMode ||
          Opaque(FBackground.color()));
}

bool TMetafileRecordEngine::AxisAligned() const {
  return FTransform.type() <= QTransform::TxScale;
}

int TMetafileRecordEngine::DevicePenWidth() const {
  const qreal Scale = std::sqrt(std::abs(FTransform.determinant()));
  const qreal Width = FPen.isCosmetic() ? FPen.widthF() : FPen.widthF() * Scale;
  return std::max(1, static_cast<int>(std::lround(Width)));
}

void TMetafileRecordEngine::SelectPen() {
  TMetaPen Pen;
  if (FPen.style() == Qt::NoPen) {
    Pen.Style = TMetaPen::psNull;
  } else {
    Pen.Style = DashStyleOf(FPen);
    Pen.Width = DevicePenWidth();
    Pen.Color = ColorRef(FPen.color());
    Pen.Cap = FPen.capStyle() == Qt::FlatCap     ? TMetaPen::capFlat
              : FPen.capStyle() == Qt::SquareCap ? TMetaPen::capSquare
                                                 : TMetaPen::capRound;
    Pen.Join = FPen.joinStyle() == Qt::RoundJoin   ? TMetaPen::joinRound
               : FPen.joinStyle() == Qt::BevelJoin ? TMetaPen::joinBevel
                                                   : TMetaPen::joinMiter;
  }
  FWriter.SetPen(Pen);
}

void TMetafileRecordEngine::SelectBrush() {
  TMetaBrush Brush;
  const int Hatch = HatchOf(FBrush.style());
  if (FBrush.style() == Qt::NoBrush) {
    Brush.Style = TMetaBrush::bsNull;
  } else if (Hatch >= 0) {
    Brush.Style = TMetaBrush::bsHatched;
    Brush.Hatch = Hatch;
    Brush.Color = ColorRef(FBrush.color());
  } else {
    Brush.Color = ColorRef(FBrush.color());
  }
  FWriter.SetBrush(Brush);
}

void TMetafileRecordEngine::SelectBackground() {
  FWriter.SetBackground(FBackgroundMode == Qt::OpaqueMode, ColorRef(FBackground.color()));
}

void TMetafileRecordEngine::WriteRaster(const QRectF& Bounds) {
  QRect Area = Bounds.toAlignedRect().intersected(FShadow.rect());
  if (FHasClip && FClipEnabled) Area = Area.intersected(FClip.boundingRect());
  if (Area.isEmpty()) return;
  FWriter.Image(Area, FShadow.copy(Area));
}

QRectF TMetafileRecordEngine::PathBounds(const QPainterPath& DevicePath) const {
  const qreal Margin = FPen.style() == Qt::NoPen ? 0 : DevicePenWidth() + 1;
  return DevicePath.controlPointRect().adjusted(-Margin, -Margin, Margin, Margin);
}

// A right and bottom edge stroked with a pen lies on the rectangle's last
// coordinate, a fill stops before it; the records' boxes exclude both ends.
QRect TMetafileRecordEngine::DeviceBox(const QRectF& Rect) const {
  const QRectF R = FTransform.mapRect(Rect).normalized();
  const int Extra = FPen.style() == Qt::NoPen ? 0 : 1;
  const int Left = static_cast<int>(std::lround(R.left()));
  const int Top = static_cast<int>(std::lround(R.top()));
  const int Right = static_cast<int>(std::lround(R.right())) + Extra;
  const int Bottom = static_cast<int>(std::lround(R.bottom())) + Extra;
  return QRect(Left, Top, Right - Left, Bottom - Top);
}

void TMetafileRecordEngine::WritePath(const QPainterPath& Path) {
  const QList<QPolygonF> Parts = Path.toSubpathPolygons(FTransform);
  QList<QPolygon> Device;
  for (const QPolygonF& Part : Parts) Device.append(Rounded(Part));
  SelectPen();
  SelectBrush();
  SelectBackground();
  if (FBrush.style() != Qt::NoBrush) {
    FWriter.SetWinding(Path.fillRule() == Qt::WindingFill);
    FWriter.Polygons(Device);
    return;
  }
  for (const QPolygon& Part : Device) FWriter.Polyline(Part);
}

void TMetafileRecordEngine::WriteRect(const QRectF& Rect) {
  if (!PlainPainting() || !PlainPen() || !PlainBrush()) {
    QPainterPath Path;
    Path.addRect(Rect);
    WriteRaster(PathBounds(FTransform.map(Path)));
  } else if (!AxisAligned()) {
    QPainterPath Path;
    Path.addRect(Rect);
    WritePath(Path);
  } else {
    SelectPen();
    SelectBrush();
    SelectBackground();
    FWriter.Rectangle(DeviceBox(Rect));
  }
}

void TMetafileRecordEngine::drawRects(const QRectF* Rects, int Count) {
  for (int I = 0; I < Count; ++I) {
    FShadowPainter.drawRect(Rects[I]);
    WriteRect(Rects[I]);
  }
}

void TMetafileRecordEngine::drawEllipse(const QRectF& Rect) {
  FShadowPainter.drawEllipse(Rect);
  QPainterPath Path;
  Path.addEllipse(Rect);
  if (!PlainPainting() || !PlainPen() || !PlainBrush()) {
    WriteRaster(PathBounds(FTransform.map(Path)));
  } else if (!AxisAligned()) {
    WritePath(Path);
  } else {
    SelectPen();
    SelectBrush();
    SelectBackground();
    FWriter.Ellipse(DeviceBox(Rect));
  }
}

void TMetafileRecordEngine::drawPath(const QPainterPath& Path) {
  FShadowPainter.drawPath(Path);
  QRectF Rect;
  if (IsRectangle(Path, Rect))
    WriteRect(Rect);
  else if (!PlainPainting() || !PlainPen() || !PlainBrush())
    WriteRaster(PathBounds(FTransform.map(Path)));
  else
    WritePath(Path);
}

void TMetafileRecordEngine::drawLines(const QLineF* Lines, int Count) {
  FShadowPainter.drawLines(Lines, Count);
  const bool Plain = PlainPainting() && PlainPen();
  if (Plain) {
    SelectPen();
    SelectBackground();
  }
  for (int I = 0; I < Count; ++I) {
    const QPolygonF Line({Lines[I].p1(), Lines[I].p2()});
    if (Plain) {
      FWriter.Polyline(Rounded(FTransform.map(Line)));
    } else {
      QPainterPath Path;
      Path.addPolygon(Line);
      WriteRaster(PathBounds(FTransform.map(Path)));
    }
  }
}

void TMetafileRecordEngine::drawPoints(const QPointF* Points, int Count) {
  FShadowPainter.drawPoints(Points, Count);
  const bool Plain = PlainPainting() && PlainPen();
  if (Plain) SelectPen();
  for (int I = 0; I < Count; ++I) {
    const QPoint P = FTransform.map(Points[I]).toPoint();
    if (Plain)  // the one-pixel line a point is in the records
      FWriter.Polyline(QPolygon({P, P + QPoint(1, 0)}));
    else
      WriteRaster(
          QRectF(P, QSizeF(1, 1))
              .adjusted(-DevicePenWidth(), -DevicePenWidth(), DevicePenWidth(), DevicePenWidth()));
  }
}

void TMetafileRecordEngine::drawPolygon(const QPointF* Points, int Count, PolygonDrawMode Mode) {
  const QPolygonF Polygon(QList<QPointF>(Points, Points + Count));
  const bool Polyline = Mode == PolylineMode;
  if (Polyline)
    FShadowPainter.drawPolyline(Polygon);
  else
    FShadowPainter.drawPolygon(Polygon, Mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
  if (!PlainPainting() || !PlainPen() || (!Polyline && !PlainBrush())) {
    QPainterPath Path;
    Path.addPolygon(Polygon);
    WriteRaster(PathBounds(FTransform.map(Path)));
    return;
  }
  const QPolygon Device = Rounded(FTransform.map(Polygon));
  SelectPen();
  SelectBackground();
  if (Polyline) {
    FWriter.Polyline(Device);
    return;
  }
  SelectBrush();
  FWriter.SetWinding(Mode == WindingMode);
  FWriter.Polygons({Device});
}

void TMetafileRecordEngine::drawImage(const QRectF& Rect, const QImage& Image, const QRectF& Source,
                                      Qt::ImageConversionFlags Flags) {
  FShadowPainter.drawImage(Rect, Image, Source, Flags);
  const QRectF Device = FTransform.mapRect(Rect);
  const QImage Part = Image.copy(Source.toAlignedRect());
  if (PlainPainting() && AxisAligned() && OpaqueImage(Part))
    FWriter.Image(Device.toRect(), Part);
  else
    WriteRaster(Device);
}

void TMetafileRecordEngine::drawPixmap(const QRectF& Rect, const QPixmap& Pixmap,
                                       const QRectF& Source) {
  drawImage(Rect, Pixmap.toImage(), Source, Qt::AutoColor);
}

void TMetafileRecordEngine::drawTiledPixmap(const QRectF& Rect, const QPixmap& Pixmap,
                                            const QPointF& Offset) {
  FShadowPainter.drawTiledPixmap(Rect, Pixmap, Offset);
  WriteRaster(FTransform.mapRect(Rect));
}

void TMetafileRecordEngine::drawTextItem(const QPointF& Point, const QTextItem& Item) {
  const QString Text = Item.text();
  const QFont Font = Item.font();
  FShadowPainter.setFont(Font);
  FShadowPainter.drawText(Point, Text);
  const QFontMetricsF Metrics(Font, FDevice);
  // Only turning and even scaling keep text a font record can describe.
  const bool Conformal = std::abs(FTransform.m11() - FTransform.m22()) < 1e-6 &&
                         std::abs(FTransform.m12() + FTransform.m21()) < 1e-6 &&
                         FTransform.type() <= QTransform::TxRotate;
  if (!PlainPainting() || !PlainPen() || !Conformal) {
    const QRectF Box = Metrics.boundingRect(Text).translated(Point).adjusted(-2, -2, 2, 2);
    WriteRaster(FTransform.mapRect(Box));
    return;
  }
  const qreal Scale = std::sqrt(std::abs(FTransform.determinant()));
  const qreal Angle = -std::atan2(FTransform.m12(), FTransform.m11()) * 180 / std::numbers::pi;
  const qreal Pixels = Font.pixelSize() > 0 ? Font.pixelSize() : Font.pointSizeF() * 96 / 72;
  TMetaFont Meta;
  // The family asked for, which the reader's machine may have even where
  // this one substituted another; without any " [foundry]" suffix.
  Meta.Face = Font.family().section(QLatin1String(" ["), 0, 0);
  Meta.Height = std::max(1, static_cast<int>(std::lround(Pixels * Scale)));
  Meta.Escapement = static_cast<int>(std::lround(Angle * 10));
  Meta.Weight = Font.weight();
  Meta.Italic = Font.italic();
  Meta.Underline = Font.underline();
  Meta.StrikeOut = Font.strikeOut();
  Meta.Antialiased = !(Font.styleStrategy() & QFont::NoAntialias);
  // Advances as this program lays the text out, so readers with other
  // font metrics still place every character where it was.
  QList<int> Dx;
  int Placed = 0;
  for (int I = 0; I < Text.size(); ++I) {
    if (Text.at(I).isHighSurrogate()) {
      Dx.append(0);
      continue;
    }
    const int End =
        static_cast<int>(std::lround(Metrics.horizontalAdvance(Text.left(I + 1)) * Scale));
    Dx.append(End - Placed);
    Placed = End;
  }
  FWriter.SetFont(Meta);
  FWriter.SetTextColor(ColorRef(FPen.color()));
  FWriter.SetBackground(FBackgroundMode == Qt::OpaqueMode, ColorRef(FBackground.color()));
  FWriter.Text(FTransform.map(Point).toPoint(), Text, Dx);
}
