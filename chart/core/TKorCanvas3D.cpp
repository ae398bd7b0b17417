#include "chart/core/TKorCanvas3D.h"

#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TGraphic.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Smallest perspective divisor: points at or behind the eye would divide by
// zero or flip sides; they are pushed far out instead.
constexpr double MinPerspectiveDivisor = 1e-3;

// Below this the inverse projection has no unique solution (the view looks
// along the depth plane).
constexpr double MinDeterminant = 1e-9;

// Round(Value) + Offset without overflowing when Value was saturated.
int RoundPlus(double Value, int Offset) {
  long long Sum = static_cast<long long>(Round(Value)) + Offset;
  return static_cast<int>(std::clamp<long long>(Sum, INT_MIN, INT_MAX));
}

}  // namespace

TKorCanvas3D::TKorCanvas3D(TCanvas* Canvas) {
  if (Canvas != nullptr) SetCanvas(*Canvas);
}

TKorCanvas3D::~TKorCanvas3D() {
  DeleteBitmap();
}

TColor TKorCanvas3D::GetBackColor() const {
  return GetReferenceCanvas().GetBkColor();
}

TCanvasBackMode TKorCanvas3D::GetBackMode() const {
  return GetReferenceCanvas().GetBkMode() == bkOpaque ? cbmOpaque : cbmTransparent;
}

TCanvas* TKorCanvas3D::GetHandle() const {
  return &GetReferenceCanvas();
}

TColor TKorCanvas3D::GetPixel(int X, int Y) const {
  return GetReferenceCanvas().GetPixel(X, Y);
}

int TKorCanvas3D::GetTextAlign() const {
  return GetReferenceCanvas().GetTextAlign();
}

void TKorCanvas3D::SetBackColor(TColor Color) {
  GetReferenceCanvas().SetBkColor(ColorToRGB(Color));
}

void TKorCanvas3D::SetBackMode(TCanvasBackMode Mode) {
  if (Mode == cbmTransparent) GetReferenceCanvas().SetBkMode(bkTransparent);
  if (Mode == cbmOpaque) GetReferenceCanvas().SetBkMode(bkOpaque);
}

void TKorCanvas3D::SetMonochrome(bool Value) {
  if (FMonochrome == Value) return;
  FMonochrome = Value;
  FDirty = true;
  if (GetView3DOptions() != nullptr) GetView3DOptions()->Repaint();
}

void TKorCanvas3D::SetPixel(int X, int Y, TColor Color) {
  GetReferenceCanvas().SetPixel(X, Y, ColorToRGB(Color));
}

void TKorCanvas3D::SetTextAlign(int Flags) {
  GetReferenceCanvas().SetTextAlign(Flags);
}

void TKorCanvas3D::SetUseBuffer(bool Value) {
  if (FBufferedDisplay == Value) return;
  FBufferedDisplay = Value;
  if (!Value) {
    if (!FKeepBitmap) {
      DeleteBitmap();
      FDirty = true;
    }
  } else if (FBitmap) {
    SetCanvas(FBitmap->GetCanvas());
  }
}

void TKorCanvas3D::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  GetReferenceCanvas().Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

// TODO(#6): the ring segment.
void TKorCanvas3D::Donut(int, int, int, int, double, double, double) {}

void TKorCanvas3D::Draw(int X, int Y, const TGraphic* Graphic) {
  if (Graphic == nullptr || Graphic->GetEmpty()) return;
  Graphic->Draw(GetReferenceCanvas(), Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()));
}

void TKorCanvas3D::Ellipse(int X1, int Y1, int X2, int Y2) {
  GetReferenceCanvas().Ellipse(X1, Y1, X2, Y2);
}

void TKorCanvas3D::FillRect(const TRect& R) {
  GetReferenceCanvas().FillRect(R);
}

void TKorCanvas3D::LineTo(int X, int Y) {
  GetReferenceCanvas().LineTo(X, Y);
}

void TKorCanvas3D::MoveTo(int X, int Y) {
  GetReferenceCanvas().MoveTo(X, Y);
}

void TKorCanvas3D::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  GetReferenceCanvas().Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TKorCanvas3D::Rectangle(int X0, int Y0, int X1, int Y1) {
  GetReferenceCanvas().Rectangle(X0, Y0, X1, Y1);
}

void TKorCanvas3D::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  GetReferenceCanvas().RoundRect(X1, Y1, X2, Y2, X3, Y3);
}

void TKorCanvas3D::StretchDraw(const TRect& R, const TGraphic* Graphic) {
  if (Graphic != nullptr) Graphic->Draw(GetReferenceCanvas(), R);
}

// TODO(#6): shadow, outline and gradient text; this is the plain path.
void TKorCanvas3D::TextOut(int X, int Y, const QString& Text) {
  GetReferenceCanvas().SetTextColor(GetFont().GetColor());
  GetReferenceCanvas().TextOut(X, Y, Text);
}

// TODO(#6): clipping with its one saved level.
void TKorCanvas3D::ClipRectangle(const TRect&) {}

void TKorCanvas3D::DoHorizLine(int X0, int X1, int Y) {
  MoveTo(X0, Y);
  LineTo(X1, Y);
}

void TKorCanvas3D::DoVertLine(int X, int Y0, int Y1) {
  MoveTo(X, Y0);
  LineTo(X, Y1);
}

void TKorCanvas3D::EraseBackground(const TRect& R) {
  FillRect(R);
}

// TODO(#6): the gradient bands.
void TKorCanvas3D::GradientFill(const TRect&, TColor, TColor, TGradientDirection, int) {}

void TKorCanvas3D::Line(int X0, int Y0, int X1, int Y1) {
  MoveTo(X0, Y0);
  LineTo(X1, Y1);
}

void TKorCanvas3D::Polyline(const TPoint* Points, int HighIndex) {
  if (HighIndex >= 0) GetReferenceCanvas().Polyline(Points, HighIndex + 1);
}

void TKorCanvas3D::Polygon(const TPoint* Points, int HighIndex) {
  if (HighIndex >= 0) GetReferenceCanvas().Polygon(Points, HighIndex + 1);
}

// TODO(#6): rotated text.
void TKorCanvas3D::RotateLabel(int, int, const QString&, double) {}

void TKorCanvas3D::UnClipRectangle() {}

TColor TKorCanvas3D::GetPixel3D(int X, int Y, int Z) const {
  TPoint P = Calculate3DPosition(X, Y, Z);
  return GetPixel(P.X, P.Y);
}

void TKorCanvas3D::SetPixel3D(int X, int Y, int Z, TColor Color) {
  TPoint P = Calculate3DPosition(X, Y, Z);
  if (GetPen().GetWidth() == 1) {
    SetPixel(P.X, P.Y, Color);
  } else {
    MoveTo(P.X, P.Y);
    LineTo(P.X, P.Y);
  }
}

// The forward projection solved for the chart point at depth Z. Undoing
// zoom and tilt leaves g = p·d and h = s·d, where g and h are the rotated
// coordinates and d the perspective divisor; all three are linear in the
// unknowns x and y, so this is a 2 x 2 linear system (d = 1 without
// perspective).
void TKorCanvas3D::Calculate2DPosition(int& X, int& Y, int Z) const {
  if (FZoomFactor == 0 || !FIs3D) return;
  const double Q = 1.0 / FZoomFactor;
  if (GetIsOrthogonal()) {
    X = RoundPlus(Q * (double(X) - FXCenterOffset) - Z * FOrthoXStep, GetXCenter());
    Y = RoundPlus(Q * (double(Y) - FYCenterOffset) + Z * FOrthoYStep, GetYCenter());
    return;
  }
  const double U = Q * (double(X) - FXCenterOffset);
  const double V = Q * (double(Y) - FYCenterOffset);
  const double P = FCosT * U + FSinT * V;
  const double S = FCosT * V - FSinT * U;
  const double DZ = double(Z) - GetZCenter();
  const double PF = FHasPerspective ? FPerspectiveFactor : 0.0;
  const double W0 = PF * FCosE * FCosR * DZ + 1.0;
  const double A11 = FCosR + P * PF * FCosE * FSinR;
  const double A12 = -P * PF * FSinE;
  const double B1 = P * W0 - DZ * FSinR;
  const double A21 = FSinR * (FSinE + S * PF * FCosE);
  const double A22 = FCosE - S * PF * FSinE;
  const double B2 = S * W0 + FSinE * FCosR * DZ;
  const double Det = A11 * A22 - A12 * A21;
  if (!(std::fabs(Det) >= MinDeterminant)) return;
  X = RoundPlus((B1 * A22 - A12 * B2) / Det, GetXCenter());
  Y = RoundPlus((A11 * B2 - A21 * B1) / Det, GetYCenter());
}

TPoint TKorCanvas3D::Calculate3DPosition(int X, int Y, int Z) const {
  if (!FIs3D) return TPoint(X, Y);
  if (GetIsOrthogonal()) {
    return TPoint(
        RoundPlus((Z * FOrthoXStep + (double(X) - GetXCenter())) * FZoomFactor, FXCenterOffset),
        RoundPlus((double(Y) - GetYCenter() - Z * FOrthoYStep) * FZoomFactor, FYCenterOffset));
  }
  return ProjectRotated(double(X) - GetXCenter(), double(Y) - GetYCenter(),
                        double(Z) - GetZCenter());
}

TPoint TKorCanvas3D::Calculate3DPositionFloat(double X, double Y, int Z) const {
  if (!FIs3D) return TPoint(Round(X), Round(Y));
  if (GetIsOrthogonal()) {
    return TPoint(RoundPlus((Z * FOrthoXStep + (X - GetXCenter())) * FZoomFactor, FXCenterOffset),
                  RoundPlus((Y - GetYCenter() - Z * FOrthoYStep) * FZoomFactor, FYCenterOffset));
  }
  return ProjectRotated(X - GetXCenter(), Y - GetYCenter(), double(Z) - GetZCenter());
}

// Without tilt the tilted formulas give the same values (cos 0 = 1 and
// sin 0 = 0 exactly); the branch only saves work.
TPoint TKorCanvas3D::ProjectRotated(double DX, double DY, double DZ) const {
  const double F = DZ * FCosR - DX * FSinR;
  const double G = DX * FCosR + DZ * FSinR;
  const double H = DY * FCosE - FSinE * F;
  double K = FZoomFactor;
  if (FHasPerspective) {
    double Divisor = (FCosE * F + DY * FSinE) * FPerspectiveFactor + 1.0;
    K /= std::isnan(Divisor) ? Divisor : std::max(Divisor, MinPerspectiveDivisor);
  }
  if (!FHasTilt) return TPoint(RoundPlus(K * G, FXCenterOffset), RoundPlus(K * H, FYCenterOffset));
  return TPoint(RoundPlus(K * (FCosT * G - FSinT * H), FXCenterOffset),
                RoundPlus(K * (H * FCosT + G * FSinT), FYCenterOffset));
}

TRect TKorCanvas3D::InitWindow(TCanvas& Destination, TView3DOptions* Options, TColor, bool Is3D,
                               const TRect& Rect) {
  SetBounds(Rect);
  SetView3DOptions(Options);
  if (Options != nullptr) SetFontZoom(Options->GetFontZoom());
  FIs3D = Is3D;
  SetIsOrthogonal(false);
  FZoomFactor = 1.0;
  if (Is3D && Options != nullptr) {
    SetIsOrthogonal(Options->GetOrthogonal());
    if (GetIsOrthogonal()) SetOrthogonalSteps(Options->GetOrthoAngle());
    FZoomFactor = Options->GetZoom() * 0.01;
    FZoomText = Options->GetZoomText();
  }
  if (Is3D && !GetIsOrthogonal()) CalcTrigValues(Options);
  if (!FBufferedDisplay) {
    SetCanvas(Destination);
    return Rect;
  }
  const int Width = std::max(0, Rect.Width());
  const int Height = std::max(0, Rect.Height());
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  FBitmap->SetSize(Width, Height);
  SetCanvas(FBitmap->GetCanvas());
  return TRect(0, 0, Width, Height);
}

// Angles above 90 degrees lean the depth axis to the left.
void TKorCanvas3D::SetOrthogonalSteps(int OrthoAngle) {
  int Angle = OrthoAngle;
  if (Angle > 90) {
    FOrthoXStep = -1;
    Angle = 180 - Angle;
  } else {
    FOrthoXStep = 1;
  }
  const double Cos = std::cos(Angle * KorPiStep);
  FOrthoYStep = Cos < 0.01 ? 1.0 : std::sin(Angle * KorPiStep) / Cos;
}

void TKorCanvas3D::CalcTrigValues(const TView3DOptions* Options) {
  double Elevation = 0;
  double Rotation = 0;
  double Tilt = 0;
  if (Options != nullptr) {
    Elevation = -Options->GetElevationDouble();
    Rotation = -Options->GetRotationDouble();
    Tilt = Options->GetTilt();
  }
  FHasPerspective = false;
  FPerspectiveFactor = 0;
  FSinE = std::sin(Elevation * KorPiStep);
  FCosE = std::cos(Elevation * KorPiStep);
  FSinR = std::sin(Rotation * KorPiStep);
  FCosR = std::cos(Rotation * KorPiStep);
  FSinT = std::sin(Tilt * KorPiStep);
  FCosT = std::cos(Tilt * KorPiStep);
  FHasTilt = Tilt != 0;
}

void TKorCanvas3D::Projection(int MaxDepth, const TRect&, const TRect& Rect) {
  const int X = RoundPlus(GetRotationCenterX(), Div(Rect.Left + Rect.Right, 2));
  const int Y = RoundPlus(GetRotationCenterY(), Div(Rect.Top + Rect.Bottom, 2));
  const int Z = Round(MaxDepth * 0.5 + GetRotationCenterZ());
  SetCenter(X, Y, Z);
  FXCenterOffset = X;
  FYCenterOffset = Y;
  const TView3DOptions* Options = GetView3DOptions();
  if (Options == nullptr) return;
  FXCenterOffset = RoundPlus(Options->GetHorizOffset(), X);
  FYCenterOffset = RoundPlus(Options->GetVertOffset(), Y);
  FHasPerspective = Options->GetPerspective() > 0;
  if (FHasPerspective) {
    FPerspectiveFactor =
        Options->GetPerspective() * FZoomFactor / 150.0 / std::max(1, Rect.Right - Rect.Left);
  }
}

void TKorCanvas3D::ShowImage(TCanvas& Destination, TCanvas& DefaultCanvas, const TRect& Rect) {
  if (FBufferedDisplay && FBitmap) {
    TransferBitmap(Rect.Left, Rect.Top, Destination);
    FDirty = false;
  }
  SetCanvas(DefaultCanvas);
}

bool TKorCanvas3D::ReDrawBitmap() {
  if (FDirty || !FBitmap) return false;
  TransferBitmap(0, 0, GetReferenceCanvas());
  return true;
}

// TODO(#7): the 3D solids.
void TKorCanvas3D::Arrow(bool, const TPoint&, const TPoint&, int, int, int, double) {}

// TODO(#6): the clip of the projected box.
void TKorCanvas3D::ClipCube(const TRect&, int, int) {}

void TKorCanvas3D::Cone(bool, int, int, int, int, int, int, bool, int) {}

void TKorCanvas3D::Cube(int, int, int, int, int, int, bool) {}

void TKorCanvas3D::Cylinder(bool, int, int, int, int, int, int, bool) {}

void TKorCanvas3D::DisableRotation() {
  FWas3D = FIs3D;
  FIs3D = false;
}

// TODO(#7): the ellipse in a depth plane.
void TKorCanvas3D::EllipseWithZ(int, int, int, int, int) {}

void TKorCanvas3D::EnableRotation() {
  FIs3D = FWas3D;
}

void TKorCanvas3D::HorizLine3D(int Left, int Right, int Y, int Z) {
  MoveTo3D(Left, Y, Z);
  LineTo3D(Right, Y, Z);
}

void TKorCanvas3D::VertLine3D(int X, int Top, int Bottom, int Z) {
  MoveTo3D(X, Top, Z);
  LineTo3D(X, Bottom, Z);
}

void TKorCanvas3D::ZLine3D(int X, int Y, int Z0, int Z1) {
  MoveTo3D(X, Y, Z0);
  LineTo3D(X, Y, Z1);
}

void TKorCanvas3D::LineWithZ(int X0, int Y0, int X1, int Y1, int Z) {
  MoveTo3D(X0, Y0, Z);
  LineTo3D(X1, Y1, Z);
}

void TKorCanvas3D::MoveTo3D(int X, int Y, int Z) {
  TPoint P = Calculate3DPosition(X, Y, Z);
  MoveTo(P.X, P.Y);
}

void TKorCanvas3D::LineTo3D(int X, int Y, int Z) {
  TPoint P = Calculate3DPosition(X, Y, Z);
  LineTo(P.X, P.Y);
}

// TODO(#7): the 3D pie slice.
void TKorCanvas3D::Pie3D(int, int, int, int, int, int, double, double, bool, bool, int,
                         const TCustomKorGradient*) {}

void TKorCanvas3D::Plane3D(const TPoint& A, const TPoint& B, int Z0, int Z1) {
  SetFourPoints(Calculate3DPosition(A, Z0), Calculate3DPosition(B, Z0), Calculate3DPosition(B, Z1),
                Calculate3DPosition(A, Z1));
  PolygonFour();
}

void TKorCanvas3D::PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3,
                              const TPoint& P4, int Z) {
  SetFourPoints(Calculate3DPosition(P1, Z), Calculate3DPosition(P2, Z), Calculate3DPosition(P3, Z),
                Calculate3DPosition(P4, Z));
  PolygonFour();
}

void TKorCanvas3D::PlaneFour3D(const TFourPoints& Points, int Z0, int Z1) {
  SetFourPoints(Calculate3DPosition(Points[0], Z0), Calculate3DPosition(Points[1], Z0),
                Calculate3DPosition(Points[2], Z1), Calculate3DPosition(Points[3], Z1));
  PolygonFour();
}

void TKorCanvas3D::Polygon3D(const std::vector<TPoint3D>& Points) {
  TPointArray Projected;
  Projected.reserve(Points.size());
  for (const TPoint3D& P : Points) Projected.push_back(Calculate3DPosition(P));
  Polygon(Projected.data(), static_cast<int>(Projected.size()) - 1);
}

void TKorCanvas3D::PolygonWithZ(const TPoint* Points, int HighIndex, int Z) {
  TPointArray Projected;
  for (int I = 0; I <= HighIndex; ++I) Projected.push_back(Calculate3DPosition(Points[I], Z));
  Polygon(Projected.data(), HighIndex);
}

void TKorCanvas3D::Polyline(const TPoint* Points, int HighIndex, int Z) {
  TPointArray Projected;
  for (int I = 0; I <= HighIndex; ++I) Projected.push_back(Calculate3DPosition(Points[I], Z));
  Polyline(Projected.data(), HighIndex);
}

// TODO(#7): pyramids.
void TKorCanvas3D::Pyramid(bool, int, int, int, int, int, int, bool) {}

void TKorCanvas3D::PyramidTrunc(const TRect&, int, int, int, int) {}

void TKorCanvas3D::RectangleWithZ(const TRect& R, int Z) {
  FFourPoints = FourPointsFromRect(R, Z);
  PolygonFour();
}

void TKorCanvas3D::RectangleY(int Left, int Y, int Right, int Z0, int Z1) {
  SetFourPoints(Calculate3DPosition(Left, Y, Z0), Calculate3DPosition(Right, Y, Z0),
                Calculate3DPosition(Right, Y, Z1), Calculate3DPosition(Left, Y, Z1));
  PolygonFour();
}

void TKorCanvas3D::RectangleZ(int X, int Top, int Bottom, int Z0, int Z1) {
  SetFourPoints(Calculate3DPosition(X, Top, Z0), Calculate3DPosition(X, Top, Z1),
                Calculate3DPosition(X, Bottom, Z1), Calculate3DPosition(X, Bottom, Z0));
  PolygonFour();
}

void TKorCanvas3D::RotateLabel3D(int X, int Y, int Z, const QString& Text, double Angle) {
  TPoint P = Calculate3DPosition(X, Y, Z);
  RotateLabel(P.X, P.Y, Text, Angle);
}

void TKorCanvas3D::Sphere(int X, int Y, int Z, double Radius) {
  const int R = Round(Radius);
  EllipseWithZ(X - R, Y - R, X + R, Y + R, Z);
}

// This surface has no surface primitive; asking for one draws nothing.
void TKorCanvas3D::Surface3D(TKorCanvasSurfaceStyle, bool, int, int, const TKorCanvasCalcPoints&) {}

// TODO(#6): projected and zoomed text.
void TKorCanvas3D::TextOut3D(int, int, int, const QString&) {}

void TKorCanvas3D::Triangle3D(const TTriangle3D& Points, const TTriangleColors& Colors) {
  if (GetBrush().GetStyle() != bsClear) GetBrush().SetColor(Colors[0]);
  TPoint Projected[3];
  for (int I = 0; I < 3; ++I)
    Projected[I] = Calculate3DPositionFloat(Points[I].X, Points[I].Y, Points[I].Z);
  Polygon(Projected, 2);
}

void TKorCanvas3D::TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z) {
  const TPoint Projected[3] = {Calculate3DPosition(P1, Z), Calculate3DPosition(P2, Z),
                               Calculate3DPosition(P3, Z)};
  Polygon(Projected, 2);
}

void TKorCanvas3D::PolygonFour() {
  Polygon(FFourPoints.data(), 3);
}

void TKorCanvas3D::DeleteBitmap() {
  if (!FBitmap) return;
  if (IsCanvas(FBitmap->GetCanvas())) DetachCanvas();
  FBitmap.reset();
}

// Nothing to copy when Destination is the buffer itself (ReDrawBitmap
// while the frame still draws on the buffer).
void TKorCanvas3D::TransferBitmap(int X, int Y, TCanvas& Destination) {
  if (!FBitmap || &FBitmap->GetCanvas() == &Destination) return;
  Destination.Draw(X, Y, *FBitmap);
}

void TKorCanvas3D::SetFourPoints(const TPoint& P0, const TPoint& P1, const TPoint& P2,
                                 const TPoint& P3) {
  FFourPoints = {P0, P1, P2, P3};
}
