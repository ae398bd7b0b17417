#pragma once

#include "chart/core/KorCanvas.h"
#include "chart/core/TKorCanvas.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <array>
#include <vector>

class TCanvas;
class TCustomKorGradient;
class TGraphic;
class TView3DOptions;

using TTriangle3D = std::array<TPoint3D, 3>;
using TTriangleColors = std::array<TColor, 3>;

// Render: the 3D half of the drawing surface. Every 3D primitive takes
// screen-like X and Y plus a depth Z (chart coordinates) and the surface
// projects them to device points with the view of the current frame.
class TCanvas3D : public TKorCanvas {
 public:
  using TKorCanvas::Polyline;
  using TKorCanvas::StretchDraw;

  // The 3D view of the current frame (not owned), or nullptr.
  TView3DOptions* GetView3DOptions() const { return F3DOptions; }
  bool GetIsOrthogonal() const { return FIsOrthogonal; }
  // The projection centre in chart coordinates (set by Projection).
  int GetXCenter() const { return FXCenter; }
  int GetYCenter() const { return FYCenter; }
  int GetZCenter() const { return FZCenter; }
  // The depth at which 3D gradient fills are projected.
  int GetGradientDepth() const { return FGradientDepth; }
  void SetGradientDepth(int Value) { FGradientDepth = Value; }
  // Added to the projection centre by the next Projection (rotation tools
  // turn the view about another point).
  double GetRotationCenterX() const { return FRotationCenterX; }
  double GetRotationCenterY() const { return FRotationCenterY; }
  double GetRotationCenterZ() const { return FRotationCenterZ; }
  void SetRotationCenter(double X, double Y, double Z);
  // True while FrontPlaneBegin blocks are open (drawing is flat).
  bool GetRotationDisabled() const { return FRotationDisabled > 0; }

  virtual TColor GetPixel3D(int X, int Y, int Z) const = 0;
  virtual bool GetSupports3DText() const = 0;
  // With a pen wider than 1, a dot of the pen instead of one pixel.
  virtual void SetPixel3D(int X, int Y, int Z, TColor Color) = 0;
  // Device point (X, Y) back to chart coordinates at depth Z; unchanged
  // when the view cannot be inverted there.
  virtual void Calculate2DPosition(int& X, int& Y, int Z) const = 0;
  virtual TPoint Calculate3DPosition(int X, int Y, int Z) const = 0;
  // Sets up a frame of Rect on Destination and returns the rectangle to
  // draw in: Rect itself, or (0, 0, width, height) of the buffer bitmap.
  // Options may be nullptr (flat view, no zoom).
  virtual TRect InitWindow(TCanvas& Destination, TView3DOptions* Options, TColor BackColor,
                           bool Is3D, const TRect& Rect) = 0;
  // Set by the panel for its next frame when the frame's background covers
  // every pixel of its rectangle and nothing reads the buffer afterwards: a
  // buffered surface may then draw that frame straight onto a bitmap
  // destination, which gives the same pixels without copying a buffer.
  bool GetDirectFrameAllowed() const { return FDirectFrameAllowed; }
  void SetDirectFrameAllowed(bool Value) { FDirectFrameAllowed = Value; }
  // Ends a frame that failed: draws on DefaultCanvas from then on, leaving
  // the destination as it was before the frame where it can.
  virtual void CancelFrame(TCanvas& DefaultCanvas) { SetCanvas(DefaultCanvas); }
  // Copies the monochrome flag.
  virtual void Assign(const TCanvas3D& Source);
  // Centres the projection on Rect (Bounds is not used) with MaxDepth the
  // chart's depth.
  virtual void Projection(int MaxDepth, const TRect& Bounds, const TRect& Rect) = 0;
  // Copies the finished frame to Destination at Rect's top-left corner and
  // draws on DefaultCanvas from then on.
  virtual void ShowImage(TCanvas& Destination, TCanvas& DefaultCanvas, const TRect& Rect) = 0;
  // Copies a clean buffer to the canvas again; false when the frame must be
  // drawn.
  virtual bool ReDrawBitmap() = 0;
  virtual void Arrow(bool Filled, const TPoint& From, const TPoint& To, int HeadWidth,
                     int HeadLength, int Z, double BodyPercent) = 0;
  virtual void ClipCube(const TRect& R, int Z0, int Z1) = 0;
  virtual void Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                    bool DarkSides, int ConePercent) = 0;
  virtual void Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) = 0;
  virtual void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                        bool DarkSides) = 0;
  virtual void DisableRotation();
  virtual void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) = 0;
  virtual void EnableRotation();
  virtual void HorizLine3D(int Left, int Right, int Y, int Z) = 0;
  virtual void VertLine3D(int X, int Top, int Bottom, int Z) = 0;
  virtual void ZLine3D(int X, int Y, int Z0, int Z1) = 0;
  // Flat drawing until the matching FrontPlaneEnd; pairs nest.
  virtual void FrontPlaneBegin();
  virtual void FrontPlaneEnd();
  virtual void LineWithZ(int X0, int Y0, int X1, int Y1, int Z) = 0;
  virtual void MoveTo3D(int X, int Y, int Z) = 0;
  virtual void LineTo3D(int X, int Y, int Z) = 0;
  // Angles in radians; Gradient may be nullptr.
  virtual void Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1,
                     double StartAngle, double EndAngle, bool DarkSides, bool DrawSides,
                     int DonutPercent, const TCustomKorGradient* Gradient) = 0;
  // A at Z0, B at Z0, B at Z1, A at Z1.
  virtual void Plane3D(const TPoint& A, const TPoint& B, int Z0, int Z1) = 0;
  virtual void PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4,
                          int Z) = 0;
  // The first two points at Z0, the last two at Z1.
  virtual void PlaneFour3D(const TFourPoints& Points, int Z0, int Z1) = 0;
  virtual void Polygon3D(const std::vector<TPoint3D>& Points) = 0;
  virtual void PolygonWithZ(const TPoint* Points, int HighIndex, int Z) = 0;
  virtual void Polyline(const TPoint* Points, int HighIndex, int Z) = 0;
  virtual void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                       bool DarkSides) = 0;
  virtual void PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ) = 0;
  virtual void RectangleWithZ(const TRect& R, int Z) = 0;
  // Horizontal plane at height Y.
  virtual void RectangleY(int Left, int Y, int Right, int Z0, int Z1) = 0;
  // Side plane at X.
  virtual void RectangleZ(int X, int Top, int Bottom, int Z0, int Z1) = 0;
  virtual void RotateLabel3D(int X, int Y, int Z, const QString& Text, double Angle) = 0;
  virtual void Sphere(int X, int Y, int Z, double Radius) = 0;
  virtual void Surface3D(TKorCanvasSurfaceStyle Style, bool SameBrush, int NumX, int NumZ,
                         const TKorCanvasCalcPoints& CalcPoints) = 0;
  virtual void TextOut3D(int X, int Y, int Z, const QString& Text) = 0;
  // The brush takes the first colour unless it is clear.
  virtual void Triangle3D(const TTriangle3D& Points, const TTriangleColors& Colors) = 0;
  virtual void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z) = 0;

  TPoint Calculate3DPosition(const TPoint& P, int Z) const {
    return Calculate3DPosition(P.X, P.Y, Z);
  }
  TPoint Calculate3DPosition(const TPoint3D& P) const { return Calculate3DPosition(P.X, P.Y, P.Z); }
  // Both corners projected.
  TRect CalcRect3D(const TRect& R, int Z) const;
  // Left-top, right-top, right-bottom, left-bottom, each projected.
  TFourPoints FourPointsFromRect(const TRect& R, int Z) const;
  // Bounds of the four projected corners, right and bottom plus one.
  TRect RectFromRectZ(const TRect& R, int Z) const;
  void Cube(const TRect& R, int Z0, int Z1, bool DarkSides) {
    Cube(R.Left, R.Right, R.Top, R.Bottom, Z0, Z1, DarkSides);
  }
  void Rectangle(const TRect& R, int Z) { RectangleWithZ(R, Z); }
  void Rectangle(int Left, int Top, int Right, int Bottom, int Z) {
    RectangleWithZ(TRect(Left, Top, Right, Bottom), Z);
  }
  using TKorCanvas::Rectangle;
  void LineWithZ(const TPoint& P0, const TPoint& P1, int Z) {
    LineWithZ(P0.X, P0.Y, P1.X, P1.Y, Z);
  }
  void MoveTo3D(const TPoint3D& P) { MoveTo3D(P.X, P.Y, P.Z); }
  void LineTo3D(const TPoint3D& P) { LineTo3D(P.X, P.Y, P.Z); }
  void PlaneWithZ(const TFourPoints& Points, int Z) {
    PlaneWithZ(Points[0], Points[1], Points[2], Points[3], Z);
  }
  // Directions in degrees (0 up to 360, counter-clockwise from 3 o'clock,
  // y up) of the points (X3, Y3) and (X4, Y4) seen from the centre of the
  // box (X1, Y1)-(X2, Y2); an end direction of exactly 0 is 360, so a slice
  // from 3 o'clock round to 3 o'clock is whole.
  static void CalcPieAngles(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
                            double& StartAngle, double& EndAngle);
  // A body half as wide as the head.
  void Arrow(bool Filled, const TPoint& From, const TPoint& To, int HeadWidth, int HeadLength,
             int Z) {
    Arrow(Filled, From, To, HeadWidth, HeadLength, Z, 50);
  }
  // The ellipse of the box (X1, Y1)-(X2, Y2) turned by Angle degrees
  // counter-clockwise about the box centre, lying in the plane at depth Z:
  // a fan of 63 triangles and a 64-point outline.
  void RotatedEllipse(int X1, int Y1, int X2, int Y2, int Z, double Angle);
  // Graphic painted onto the plane at depth Z: one projected quadrilateral
  // per source pixel, so the picture follows the view. Nothing for nullptr
  // or an empty graphic. Pen and brush are as before afterwards.
  void StretchDraw(const TRect& R, const TGraphic* Graphic, int Z);

 protected:
  TCanvas3D() = default;

  void SetView3DOptions(TView3DOptions* Value) { F3DOptions = Value; }
  void SetIsOrthogonal(bool Value) { FIsOrthogonal = Value; }
  void SetCenter(int X, int Y, int Z);

 private:
  TView3DOptions* F3DOptions = nullptr;  // not owned
  int FRotationDisabled = 0;
  bool FIsOrthogonal = false;
  int FXCenter = 0;
  int FYCenter = 0;
  int FZCenter = 0;
  int FGradientDepth = 0;
  double FRotationCenterX = 0;
  double FRotationCenterY = 0;
  double FRotationCenterZ = 0;
  bool FDirectFrameAllowed = false;
};

// Ends a front-plane block however the scope is left.
class TFrontPlane {
 public:
  explicit TFrontPlane(TCanvas3D& ACanvas) : FCanvas(ACanvas) { FCanvas.FrontPlaneBegin(); }
  ~TFrontPlane() { FCanvas.FrontPlaneEnd(); }
  TFrontPlane(const TFrontPlane&) = delete;
  TFrontPlane& operator=(const TFrontPlane&) = delete;

 private:
  TCanvas3D& FCanvas;
};
