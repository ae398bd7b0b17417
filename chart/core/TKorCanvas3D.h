#pragma once

#include "chart/core/KorCanvas.h"
#include "chart/core/TCanvas3D.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <memory>
#include <vector>

class TBitmap;
class TCanvas;
class TKorShadow;

// Render: the drawing surface of every chart. It draws on a platform
// canvas, by default into its own off-screen bitmap that ShowImage copies
// out in one step, and projects 3D points with the frame's view: a shear
// for the orthogonal view, else rotation (elevation, rotation, tilt),
// optional perspective and zoom about the projection centre.
//
// One frame: InitWindow, Projection, drawing, ShowImage.
class TKorCanvas3D : public TCanvas3D {
 public:
  using TCanvas3D::Arrow;
  using TCanvas3D::Calculate3DPosition;
  using TCanvas3D::Cube;
  using TCanvas3D::LineTo3D;
  using TCanvas3D::LineWithZ;
  using TCanvas3D::MoveTo3D;
  using TCanvas3D::PlaneWithZ;
  using TCanvas3D::Rectangle;
  using TCanvas3D::StretchDraw;
  using TKorCanvas::ClipRectangle;
  using TKorCanvas::Ellipse;
  using TKorCanvas::Line;
  using TKorCanvas::Polyline;
  using TKorCanvas::RoundRect;
  using TKorCanvas::TextOut;

  // Draws on Canvas until a frame sets another; nullptr: on nothing.
  explicit TKorCanvas3D(TCanvas* Canvas = nullptr);
  ~TKorCanvas3D() override;

  // The buffer bitmap, or nullptr before the first buffered frame.
  TBitmap* GetBitmap() const { return FBitmap.get(); }
  // True until a finished frame has been shown from the buffer.
  bool GetDirty() const { return FDirty; }
  // When set, turning buffering off keeps the buffer bitmap.
  bool GetKeepBitmap() const { return FKeepBitmap; }
  void SetKeepBitmap(bool Value) { FKeepBitmap = Value; }
  // Whether the current frame is projected in 3D (false inside front-plane
  // blocks).
  bool GetIs3D() const { return FIs3D; }
  // Zoom / 100 of the frame's view.
  double GetZoomFactor() const { return FZoomFactor; }
  bool GetZoomText() const { return FZoomText; }
  // Where the projection centre lands on the device.
  int GetXCenterOffset() const { return FXCenterOffset; }
  int GetYCenterOffset() const { return FYCenterOffset; }
  bool GetHasPerspective() const { return FHasPerspective; }
  double GetPerspectiveFactor() const { return FPerspectiveFactor; }

  TColor GetBackColor() const override;
  TCanvasBackMode GetBackMode() const override;
  TCanvas* GetHandle() const override;
  bool GetMonochrome() const override { return FMonochrome; }
  TColor GetPixel(int X, int Y) const override;
  bool GetSupportsFullRotation() const override { return false; }
  int GetTextAlign() const override;
  bool GetUseBuffer() const override { return FBufferedDisplay; }
  void SetBackColor(TColor Color) override;
  void SetBackMode(TCanvasBackMode Mode) override;
  void SetMonochrome(bool Value) override;
  void SetPixel(int X, int Y, TColor Color) override;
  void SetTextAlign(int Flags) override;
  void SetUseBuffer(bool Value) override;

  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
  void Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle, double EndAngle,
             double HolePercent) override;
  void Draw(int X, int Y, const TGraphic* Graphic) override;
  void Ellipse(int X1, int Y1, int X2, int Y2) override;
  void FillRect(const TRect& R) override;
  void LineTo(int X, int Y) override;
  void MoveTo(int X, int Y) override;
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
  void Rectangle(int X0, int Y0, int X1, int Y1) override;
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) override;
  void StretchDraw(const TRect& R, const TGraphic* Graphic) override;
  void TextOut(int X, int Y, const QString& Text) override;
  void ClipRectangle(const TRect& R) override;
  void DoHorizLine(int X0, int X1, int Y) override;
  void DoVertLine(int X, int Y0, int Y1) override;
  void EraseBackground(const TRect& R) override;
  void GradientFill(const TRect& R, TColor StartColor, TColor EndColor,
                    TGradientDirection Direction, int Balance = 50) override;
  void Invalidate() override { FDirty = true; }
  void Line(int X0, int Y0, int X1, int Y1) override;
  void Polyline(const TPoint* Points, int HighIndex) override;
  void Polygon(const TPoint* Points, int HighIndex) override;
  void RotateLabel(int X, int Y, const QString& Text, double Angle) override;
  void UnClipRectangle() override;

  TColor GetPixel3D(int X, int Y, int Z) const override;
  bool GetSupports3DText() const override { return false; }
  void SetPixel3D(int X, int Y, int Z, TColor Color) override;
  void Calculate2DPosition(int& X, int& Y, int Z) const override;
  TPoint Calculate3DPosition(int X, int Y, int Z) const override;
  TRect InitWindow(TCanvas& Destination, TView3DOptions* Options, TColor BackColor, bool Is3D,
                   const TRect& Rect) override;
  void Projection(int MaxDepth, const TRect& Bounds, const TRect& Rect) override;
  void ShowImage(TCanvas& Destination, TCanvas& DefaultCanvas, const TRect& Rect) override;
  void CancelFrame(TCanvas& DefaultCanvas) override;
  bool ReDrawBitmap() override;
  void Arrow(bool Filled, const TPoint& From, const TPoint& To, int HeadWidth, int HeadLength,
             int Z, double BodyPercent) override;
  void ClipCube(const TRect& R, int Z0, int Z1) override;
  void Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool DarkSides,
            int ConePercent) override;
  void Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) override;
  void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                bool DarkSides) override;
  void DisableRotation() override;
  void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) override;
  void EnableRotation() override;
  void HorizLine3D(int Left, int Right, int Y, int Z) override;
  void VertLine3D(int X, int Top, int Bottom, int Z) override;
  void ZLine3D(int X, int Y, int Z0, int Z1) override;
  void LineWithZ(int X0, int Y0, int X1, int Y1, int Z) override;
  void MoveTo3D(int X, int Y, int Z) override;
  void LineTo3D(int X, int Y, int Z) override;
  void Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1, double StartAngle,
             double EndAngle, bool DarkSides, bool DrawSides, int DonutPercent,
             const TCustomKorGradient* Gradient) override;
  void Plane3D(const TPoint& A, const TPoint& B, int Z0, int Z1) override;
  void PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4,
                  int Z) override;
  void PlaneFour3D(const TFourPoints& Points, int Z0, int Z1) override;
  void Polygon3D(const std::vector<TPoint3D>& Points) override;
  void PolygonWithZ(const TPoint* Points, int HighIndex, int Z) override;
  void Polyline(const TPoint* Points, int HighIndex, int Z) override;
  void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
               bool DarkSides) override;
  void PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ) override;
  void RectangleWithZ(const TRect& R, int Z) override;
  void RectangleY(int Left, int Y, int Right, int Z0, int Z1) override;
  void RectangleZ(int X, int Top, int Bottom, int Z0, int Z1) override;
  void RotateLabel3D(int X, int Y, int Z, const QString& Text, double Angle) override;
  void Sphere(int X, int Y, int Z, double Radius) override;
  void Surface3D(TKorCanvasSurfaceStyle Style, bool SameBrush, int NumX, int NumZ,
                 const TKorCanvasCalcPoints& CalcPoints) override;
  void TextOut3D(int X, int Y, int Z, const QString& Text) override;
  void Triangle3D(const TTriangle3D& Points, const TTriangleColors& Colors) override;
  void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z) override;

  // The four stored device points as one polygon.
  virtual void PolygonFour();
  // Frees the buffer bitmap (a surface drawing on it then draws on nothing).
  virtual void DeleteBitmap();
  // Copies the whole buffer to Destination at (X, Y).
  virtual void TransferBitmap(int X, int Y, TCanvas& Destination);

  // The forward projection with fractional X and Y (circles, arcs,
  // triangles and plane corners).
  TPoint Calculate3DPositionFloat(double X, double Y, int Z) const;

  // Points on each arc of a 3D pie slice from StartAngle to EndAngle
  // (radians): one every 2 degrees, 2 at least and 96 at most.
  static int PieArcPointCount(double StartAngle, double EndAngle);

 private:
  // A projected point before it is rounded to a device pixel, relative to
  // the screen centre.
  struct TScreenOffset {
    double X;
    double Y;
  };

  void TextShadowOut(int X, int Y, const QString& Text, const TKorShadow& Shadow);
  // Records Text as the canvas's path.
  void TextPath(int X, int Y, const QString& Text);
  // The gradient fills, with S and E already exchanged as the direction
  // wants and converted to RGB; they paint with the surface brush.
  void FillBands(const TRect& R, TColor S, TColor E, int Balance, bool Vertical);
  void FillRings(const TRect& R, TColor S, TColor E, int Balance);
  void FillByPixel(const TRect& R, TColor S, TColor E, int Balance, TGradientDirection Direction);
  // The part of the logical plane the clip lets through (the device when
  // unclipped).
  TRect VisibleArea() const;
  // Whether a buffered frame of Rect may be drawn straight onto
  // Destination (see SetDirectFrameAllowed): a plain bitmap of the
  // buffer's format that the frame covers exactly, unmapped, unclipped and
  // without an open path.
  bool CanDrawDirectly(const TCanvas& Destination, const TRect& Rect) const;
  // A direct frame starts from the drawing state the buffer's canvas would
  // have, and leaves that state in the buffer's canvas and the
  // destination's own state in the destination.
  void BeginDirectFrame(TCanvas& Destination);
  void EndDirectFrame();
  // The canvas of the buffer, or one that stands in for it until the
  // first buffered frame makes the buffer.
  TCanvas& BufferState();
  void CalcTrigValues(const TView3DOptions* Options);
  void SetOrthogonalSteps(int OrthoAngle);
  TScreenOffset ProjectFloat(double X, double Y, int Z) const;
  TPoint ProjectRotated(double DX, double DY, double DZ) const;
  TScreenOffset ProjectRotatedFloat(double DX, double DY, double DZ) const;
  void SetFourPoints(const TPoint& P0, const TPoint& P1, const TPoint& P2, const TPoint& P3);
  // One face of a solid, already projected.
  void DrawFace(const TFourPoints& Face);
  void DrawTriangle(const TPoint& P0, const TPoint& P1, const TPoint& P2);
  // Count points filled as triangles from Centre (without a pen, so the
  // seams stay invisible) unless the brush is clear.
  void FillFan(const TPoint& Centre, const TPoint* Points, int Count);
  // A pie face or wall: plain, or filled with Gradient and outlined.
  void DrawPiePolygon(const TPointArray& Points, const TCustomKorGradient* Gradient);

  int FXCenterOffset = 0;
  int FYCenterOffset = 0;
  // Sines and cosines of -Elevation, -Rotation and Tilt.
  double FSinE = 0;
  double FSinR = 0;
  double FSinT = 0;
  double FCosE = 1;
  double FCosR = 1;
  double FCosT = 1;
  bool FWas3D = false;
  std::unique_ptr<TBitmap> FBitmap;  // created on first buffered frame
  bool FDirty = true;
  bool FMonochrome = false;
  bool FHasPerspective = false;
  bool FHasTilt = false;
  // Device pixels per unit of depth of the orthogonal view.
  double FOrthoXStep = 1;
  double FOrthoYStep = 1;
  double FPerspectiveFactor = 0;
  double FZoomFactor = 1.0;
  bool FZoomText = true;
  bool FBufferedDisplay = true;
  bool FIs3D = false;
  bool FKeepBitmap = false;
  TFourPoints FFourPoints;
  // The destination of the direct frame in progress, or nullptr.
  TCanvas* FDirectTarget = nullptr;
  // Holds the destination's drawing state during a direct frame.
  std::unique_ptr<TBitmap> FKeptState;
  // The buffer's drawing state while there is no buffer.
  std::unique_ptr<TBitmap> FBufferState;
};
