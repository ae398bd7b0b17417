#pragma once

#include "platform/TBrush.h"
#include "platform/TColor.h"
#include "platform/TFont.h"
#include "platform/TPen.h"
#include "platform/TRect.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

class QBrush;
class QColor;
class QFont;
class QImage;
class QPainter;
class QPainterPath;
class QPen;
class QPoint;
class QRect;
class QRegion;
class TBitmap;
class TCanvasLayer;
enum class TLayerCall : std::uint8_t;

// Text alignment flags (combine one horizontal and one vertical flag, plus
// TA_UPDATECP). The reference point of TextOut is the top-left corner of the
// text by default.
inline constexpr int TA_NOUPDATECP = 0;
inline constexpr int TA_UPDATECP = 1;
inline constexpr int TA_LEFT = 0;
inline constexpr int TA_RIGHT = 2;
inline constexpr int TA_CENTER = 6;
inline constexpr int TA_TOP = 0;
inline constexpr int TA_BOTTOM = 8;
inline constexpr int TA_BASELINE = 24;

// Numbered as the classic background modes.
enum TBackgroundMode { bkTransparent = 1, bkOpaque = 2 };

// mmText: one logical unit is one device pixel (after the two origins).
// mmAnisotropic: device = (logical - WindowOrg) * ViewportExt / WindowExt +
// ViewportOrg, each axis on its own (used to print at printer resolution).
enum TMapMode { mmText = 1, mmAnisotropic = 8 };

enum TArcDirection { adCounterClockwise = 1, adClockwise = 2 };

// How a new clip area combines with the clip in force (numbered as the
// classic region operations). Without a clip in force, the whole device
// counts as the clip in force.
enum TClipCombine { ccIntersect = 1, ccUnion = 2, ccXor = 3, ccDiff = 4, ccCopy = 5 };

// Text is antialiased unless this is switched off (tests switch it off so
// glyph pixels are stable). Shapes are never antialiased.
void SetTextAntialiasing(bool On);
bool GetTextAntialiasing();

// Solid one-pixel lines on 32-bit bitmaps are written straight into the
// pixels unless this is switched off (tests switch it off to compare with
// the painter drawing the same lines).
void SetDirectLineDrawing(bool On);
bool GetDirectLineDrawing();

// Text in bitmaps is drawn from the glyphs remembered for its font and
// characters unless this is switched off (tests switch it off to compare
// with the painter shaping and drawing the same text).
void SetKeptGlyphs(bool On);
bool GetKeptGlyphs();

// Texts come from files: of their measurements and glyphs, those of at most
// MaxRememberedTexts texts of at most MaxRememberedTextLength characters
// are remembered at a time. RememberedTextCount says how many are.
constexpr std::size_t MaxRememberedTexts = 4096;
constexpr qsizetype MaxRememberedTextLength = 256;
std::size_t RememberedTextCount();

// A drawing surface with the semantics of a classic device context, over a
// QPainter (render role). State: the selected pen, brush and font (read
// before every primitive, so changing them needs no notification), the
// current pen position, background mode and colour, text colour and
// alignment, character spacing, arc direction, clip region with one saved
// level, an open path, and the logical-to-device mapping.
//
// Pixel rules: the pixels of a line exclude its last point; rectangles,
// ellipses and rounded rectangles drawn with a pen cover Left..Right-1 and
// Top..Bottom-1 with their outline, and without a pen fill only up to
// Right-2 and Bottom-2 (FillRect fills Left..Right-1 exactly); polygons fill
// the pixels whose centres lie inside (alternate rule) and then stroke their
// outline. Coordinates are logical units; clip areas are given in device
// pixels (convert with LPtoDP first).
//
// Pen modes other than pmCopy are raster operations on bitmap canvases; on
// other devices (printer, recorded picture) they draw as pmCopy, except
// pmNop (nothing), pmBlack and pmWhite. Text and bitmaps are always drawn
// as plain copies.
class TCanvas {
 public:
  // The canvas of a bitmap (TBitmap::GetCanvas creates it).
  explicit TCanvas(TBitmap& ABitmap);
  // A canvas drawing through a painter that someone else began (a printer
  // page, a recorded picture, a widget's paint event) and keeps active while
  // the canvas draws. PixelsPerInch is the device's resolution (font sizes).
  TCanvas(QPainter& APainter, int APixelsPerInch);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Selected objects: the canvas's own; setters copy (Assign) into them.
  // The font's PixelsPerInch is the resolution of logical units (the
  // device's divided by the vertical scale of the mapping), so a point size
  // set on it comes out at that size on the device whatever the mapping.
  TPen& GetPen() { return FPen; }
  const TPen& GetPen() const { return FPen; }
  void SetPen(const TPen& Value) { FPen.Assign(Value); }
  TBrush& GetBrush() { return FBrush; }
  const TBrush& GetBrush() const { return FBrush; }
  void SetBrush(const TBrush& Value) { FBrush.Assign(Value); }
  TFont& GetFont() { return FFont; }
  const TFont& GetFont() const { return FFont; }
  void SetFont(const TFont& Value) { FFont.Assign(Value); }

  TPoint GetPenPos() const { return FPenPos; }
  void SetPenPos(const TPoint& Value) { FPenPos = Value; }

  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor Value) { FBkColor = Value; }
  TBackgroundMode GetBkMode() const { return FBkMode; }
  void SetBkMode(TBackgroundMode Value) { FBkMode = Value; }
  // The colour of text. Changing the selected font (any property) makes its
  // colour the text colour again before the next text output; SetTextColor
  // overrides that until the font changes.
  TColor GetTextColor() const;
  void SetTextColor(TColor Value);
  int GetTextAlign() const { return FTextAlign; }
  void SetTextAlign(int Flags) { FTextAlign = Flags; }
  // Extra logical units added after every character of text.
  int GetTextCharacterExtra() const { return FCharacterExtra; }
  void SetTextCharacterExtra(int Value) { FCharacterExtra = Value; }
  TArcDirection GetArcDirection() const { return FArcDirection; }
  void SetArcDirection(TArcDirection Value) { FArcDirection = Value; }

  // The selected objects and the settings drawing reads (pen, brush, font,
  // text colour, pen position, background, text alignment and spacing, arc
  // direction) taken over from Source; the font keeps this canvas's
  // resolution. Mapping, clip and path stay as they are.
  void AssignDrawingState(const TCanvas& Source);

  // Resolution of the device: 96 for bitmaps, the printer's for printers.
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  // The bitmap drawn on, or nullptr for a painter canvas.
  TBitmap* GetBitmap() const { return FBitmap; }

  // Mapping of logical units to device pixels.
  TMapMode GetMapMode() const { return FMapMode; }
  void SetMapMode(TMapMode Value);
  TPoint GetWindowOrg() const { return FWindowOrg; }
  void SetWindowOrg(int X, int Y);
  TSize GetWindowExt() const { return FWindowExt; }
  // Ignored in mmText; a zero extent is ignored.
  void SetWindowExt(int CX, int CY);
  TPoint GetViewportOrg() const { return FViewportOrg; }
  void SetViewportOrg(int X, int Y);
  TSize GetViewportExt() const { return FViewportExt; }
  void SetViewportExt(int CX, int CY);
  TPoint LPtoDP(const TPoint& P) const;
  TPoint DPtoLP(const TPoint& P) const;
  // Both corners mapped (a mirrored mapping may swap the edges).
  TRect LPtoDP(const TRect& R) const;

  // Lines. LineTo draws from the pen position to (X, Y) without that last
  // pixel and moves the pen there.
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  // Count points joined in order (the last point's pixel excluded); the pen
  // position does not change.
  void Polyline(const TPoint* Points, int Count);
  // Closed, filled with the brush (alternate rule) and outlined with the pen.
  void Polygon(const TPoint* Points, int Count);

  // Shapes in the bounding box (X1, Y1)-(X2, Y2), right and bottom exclusive.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  // Corners are quarter ellipses of width X3 and height Y3.
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  // Fills R with the brush, no pen; right and bottom exclusive.
  void FillRect(const TRect& R);
  // A one-pixel frame along the inside of R, in the brush.
  void FrameRect(const TRect& R);

  // Elliptic arcs in the box (X1, Y1)-(X2, Y2) from the ray towards (X3, Y3)
  // to the ray towards (X4, Y4), in the arc direction (counter-clockwise by
  // default). Arc strokes, Pie adds the two radii and fills, Chord joins the
  // ends with a straight line and fills. ArcTo also draws a line from the
  // pen position to the arc start and leaves the pen at the arc end.
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void ArcTo(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);

  // Text at the reference point (X, Y), placed by the text alignment, in the
  // text colour; opaque background mode fills the text cell with the
  // background colour. A font orientation rotates the text counter-clockwise
  // about the reference point. Afterwards the pen position is (X + width, Y);
  // with TA_UPDATECP the text starts at the pen position instead and the pen
  // moves along the text.
  void TextOut(int X, int Y, const QString& Text);
  // TextOut clipped to R; unless the brush is clear, R is first filled with
  // the brush colour.
  void TextRect(const TRect& R, int X, int Y, const QString& Text);
  // In logical units, character spacing included; unrotated.
  TSize TextExtent(const QString& Text) const;
  int TextWidth(const QString& Text) const { return TextExtent(Text).cx; }
  int TextHeight(const QString& Text) const { return TextExtent(Text).cy; }

  // Device pixel under the logical point; clNone outside the device or on a
  // device that cannot be read.
  TColor GetPixel(int X, int Y) const;
  void SetPixel(int X, int Y, TColor Color);

  // Bitmaps: Draw at their size, StretchDraw scaled into Dest; an empty
  // bitmap draws nothing; a transparent bitmap leaves its transparent colour
  // out. CopyRect copies SourceRect of Source's bitmap into Dest (scaled when
  // the sizes differ).
  void Draw(int X, int Y, const TBitmap& Source);
  void StretchDraw(const TRect& Dest, const TBitmap& Source);
  void CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect);
  // For platform/ code (pictures of other formats): Image scaled into Dest.
  void DrawImage(const TRect& Dest, const QImage& Image);

  // Clipping in device pixels. Shaped clips let through exactly the pixels
  // of the same shape as drawn (rounded rectangles and ellipses with a
  // one-pixel pen, polygons and paths filled without one), so a fill
  // clipped to a shape never shows outside its outline.
  void ClipRect(const TRect& R, TClipCombine Mode = ccIntersect);
  // Corners are quarter ellipses of width W and height H.
  void ClipRoundRect(const TRect& R, int W, int H, TClipCombine Mode = ccIntersect);
  void ClipEllipse(const TRect& R, TClipCombine Mode = ccIntersect);
  // Alternate rule.
  void ClipPolygon(const TPoint* Points, int Count, TClipCombine Mode = ccIntersect);
  // Drawing is no longer clipped (the saved clip is kept).
  void RemoveClip();
  bool HasClip() const { return FHasClip; }
  // Bounding box of the clip in device pixels (the device when unclipped).
  TRect GetClipBox() const;
  // One saved level: SaveClip remembers the clip in force (or that there is
  // none), replacing what was saved before; RestoreClip brings it back, and
  // returns false when nothing was saved since the last restore (drawing is
  // then unclipped).
  void SaveClip();
  bool RestoreClip();

  // Paths. Between BeginPath and EndPath, lines, shapes and text add their
  // outlines to the path instead of drawing. The path is then stroked,
  // filled (alternate rule), widened to the outline of its stroke with the
  // pen, or made the clip; each of these uses the path up.
  void BeginPath();
  void EndPath();
  void AbortPath();
  // Closes the current figure of the open path with a line to its start.
  void CloseFigure();
  bool StrokePath();
  bool FillPath();
  bool StrokeAndFillPath();
  bool WidenPath();
  bool SelectClipPath(TClipCombine Mode = ccIntersect);
  // Between BeginPath and EndPath.
  bool GetPathOpen() const;

  // Ends the painter of a bitmap canvas (TBitmap calls this before touching
  // its pixels); the next primitive opens it again. No effect on a painter
  // canvas.
  void ClosePainter();

 private:
  friend class TBitmap;
  friend class TCanvasLayer;
  struct TState;
  class TPaintScope;
  enum class TArcShape { Arc, Pie, Chord };

  double ScaleX() const;
  double ScaleY() const;
  QPoint Device(int X, int Y) const;
  std::vector<QPoint> DevicePoints(const TPoint* Points, int Count) const;
  QRect DeviceBox(int X1, int Y1, int X2, int Y2) const;
  QRect DeviceBounds() const;
  QRect ShapeBox(int X1, int Y1, int X2, int Y2) const;
  int DevicePenWidth() const;
  bool PenVisible() const;
  bool BrushVisible() const;
  bool IsImageTarget() const;
  QColor ModeColor(TColor Color) const;
  void ApplyMode(QPainter& P) const;
  QPen GeometricPen() const;
  QPen CosmeticPen() const;
  QPen StrokePen() const;
  QBrush FillBrush(bool UseMode) const;
  void ApplyFill(QPainter& P, bool UseMode) const;
  const QFont& DeviceFont() const;
  QFont BuildDeviceFont() const;
  void StrokeDevicePolyline(const QPoint* Points, std::size_t Count, bool Closed);
  struct TDirectTarget;
  // With MarksSegments the caller marks the pixels it writes as changed;
  // otherwise the whole target clip counts as changed.
  bool FindDirectTarget(TDirectTarget& Target, bool Patterned, bool MarksSegments = false);
  bool StrokeDirect(const QPoint* Points, std::size_t Count);
  bool StrokeDirect(const TPoint* Points, int Count);
  void StrokeDevicePath(const QPainterPath& Path, bool Closed);
  void FillDevicePath(const QPainterPath& Path);
  template <class DrawFn>
  void DrawShape(const QRect& Figure, DrawFn Draw);
  QPainterPath ArcPath(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
                       TArcShape Shape, bool Connect) const;
  void DrawBitmapImage(const QRect& Dest, const TBitmap& Source);
  void DrawDeviceImage(const QRect& Dest, const QImage& Image);
  void CombineClip(const QRegion& Area, TClipCombine Mode);
  template <class DrawFn>
  QRegion ShapeRegion(const QRect& Bounds, DrawFn Draw) const;
  void SyncFontResolution();
  bool TakePath(QPainterPath& Path);

  // Layers (see TCanvasLayer). While one records, the calls it can hold go
  // to it; every other drawing first draws what it recorded and ends it.
  void LeaveLayer();
  // Hands the call to the recording layer (true), or, with none or when
  // the layer cannot hold it, leaves the caller to draw (false).
  bool Recorded(TLayerCall Call, std::initializer_list<int> Args, const TPoint* Points = nullptr,
                int Count = 0, const QString* Text = nullptr);
  // The bitmap's pixels when a layer can keep them (a bitmap that keeps
  // every colour drawn), else nullptr.
  QImage* LayerImage();
  // The text colour the next text would take, without taking it: a
  // changed font makes its colour the text colour only once text is drawn
  // or the colour is asked for, and recording a call must not do that
  // sooner than drawing it would.
  TColor PendingTextColor() const;
  // Keep, and give back, what decides the text colour (the colour taken
  // and the font it was taken with) around drawing a recording.
  void HoldTextColor();
  void ReleaseTextColor();
  // The clip in force, nullptr when unclipped; and setting it.
  const QRegion* LayerClip() const;
  void SetLayerClip(const QRegion* Clip);
  // Which pixels may have been drawn on since a layer made them equal to
  // its kept ones: StartCleanPixels starts marking and returns the start's
  // token (0 when nothing can be marked); RestoreKeptPixels puts Kept (of
  // the layer image's size and layout) back, only its marked pixels when
  // everything drawn since that start was marked; StopCleanPixels stops
  // the marking that Token started. PixelsReplaced: the bitmap changed its
  // pixels itself (loaded, resized, written row by row).
  std::uint64_t StartCleanPixels();
  void RestoreKeptPixels(std::uint64_t Token, const QImage& Kept);
  void StopCleanPixels(std::uint64_t Token);
  void PixelsReplaced();
  // Changes whenever the fonts glyphs come from may have changed.
  static std::uint64_t FontGeneration();
  // Whether filling the logical rectangle R (left, top, right, bottom)
  // with the brush covers the whole bitmap opaquely.
  bool FillsWholeImage(const int* R);
  // The pen position after Text drawn at the device point Anchor, Width
  // device pixels wide.
  void MovePenAfterText(const QPoint& Anchor, int Width);

  std::unique_ptr<TState> FState;  // painter, clip, path: Qt-side state
  TCanvasLayer* FLayer = nullptr;  // recording this canvas's drawing

  TBitmap* FBitmap = nullptr;
  int FPixelsPerInch = 96;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TPoint FPenPos;
  TColor FBkColor = clWhite;
  TBackgroundMode FBkMode = bkOpaque;
  int FTextAlign = TA_LEFT | TA_TOP;
  int FCharacterExtra = 0;
  TArcDirection FArcDirection = adCounterClockwise;
  TMapMode FMapMode = mmText;
  TPoint FWindowOrg;
  TSize FWindowExt{1, 1};
  TPoint FViewportOrg;
  TSize FViewportExt{1, 1};
  bool FHasClip = false;
};
