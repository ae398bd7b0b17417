#include "chart/core/TCanvas3D.h"

#include "chart/core/BitmapPixels.h"
#include "chart/core/KorCanvas.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TBrush.h"
#include "platform/TGraphic.h"
#include "platform/TPen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

void TCanvas3D::SetRotationCenter(double X, double Y, double Z) {
  FRotationCenterX = X;
  FRotationCenterY = Y;
  FRotationCenterZ = Z;
}

void TCanvas3D::Assign(const TCanvas3D& Source) {
  SetMonochrome(Source.GetMonochrome());
}

void TCanvas3D::DisableRotation() {}

void TCanvas3D::EnableRotation() {}

void TCanvas3D::FrontPlaneBegin() {
  if (FRotationDisabled == 0) DisableRotation();
  ++FRotationDisabled;
}

// An end without a begin is ignored: counting below zero would keep every
// later front plane rotated.
void TCanvas3D::FrontPlaneEnd() {
  if (FRotationDisabled == 0) return;
  if (--FRotationDisabled == 0) EnableRotation();
}

TRect TCanvas3D::CalcRect3D(const TRect& R, int Z) const {
  return TRect(Calculate3DPosition(R.Left, R.Top, Z), Calculate3DPosition(R.Right, R.Bottom, Z));
}

TFourPoints TCanvas3D::FourPointsFromRect(const TRect& R, int Z) const {
  return {Calculate3DPosition(R.Left, R.Top, Z), Calculate3DPosition(R.Right, R.Top, Z),
          Calculate3DPosition(R.Right, R.Bottom, Z), Calculate3DPosition(R.Left, R.Bottom, Z)};
}

TRect TCanvas3D::RectFromRectZ(const TRect& R, int Z) const {
  TFourPoints P = FourPointsFromRect(R, Z);
  TRect Result(P[0].X, P[0].Y, P[0].X, P[0].Y);
  for (const TPoint& Corner : P) {
    Result.Left = std::min(Result.Left, Corner.X);
    Result.Top = std::min(Result.Top, Corner.Y);
    Result.Right = std::max(Result.Right, Corner.X);
    Result.Bottom = std::max(Result.Bottom, Corner.Y);
  }
  ++Result.Right;
  ++Result.Bottom;
  return Result;
}

namespace {

double DirectionDegrees(double XC, double YC, int X, int Y) {
  double Angle = std::atan2(YC - Y, X - XC) / KorPiStep;
  if (Angle < 0) Angle += 360.0;
  return Angle;
}

}  // namespace

void TCanvas3D::CalcPieAngles(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
                              double& StartAngle, double& EndAngle) {
  const double XC = (double(X1) + X2) / 2.0;
  const double YC = (double(Y1) + Y2) / 2.0;
  StartAngle = DirectionDegrees(XC, YC, X3, Y3);
  EndAngle = DirectionDegrees(XC, YC, X4, Y4);
  if (EndAngle == 0) EndAngle = 360.0;
}

void TCanvas3D::SetCenter(int X, int Y, int Z) {
  FXCenter = X;
  FYCenter = Y;
  FZCenter = Z;
}

void TCanvas3D::RotatedEllipse(int X1, int Y1, int X2, int Y2, int Z, double Angle) {
  const double XC = (double(X1) + X2) / 2.0;
  const double YC = (double(Y1) + Y2) / 2.0;
  const double A = XC - X1;
  const double B = YC - Y1;
  const double Cos = std::cos(Angle * KorPiStep);
  const double Sin = std::sin(Angle * KorPiStep);
  std::array<TPoint, 64> Points;
  for (int I = 0; I < 64; ++I) {
    const double T = I * 2.0 * std::numbers::pi / 63.0;
    const double U = std::sin(T) * A;
    const double V = std::cos(T) * B;
    Points[I] = TPoint(Round(Cos * U + Sin * V + XC), Round(-Sin * U + Cos * V + YC));
  }
  if (GetBrush().GetStyle() != bsClear || GetBrush().GetBitmap() != nullptr) {
    // Without a pen the triangles meet without lines between them.
    const TPenStyle Style = GetPen().GetStyle();
    GetPen().SetStyle(psClear);
    const TPoint Centre(Round(XC), Round(YC));
    for (int I = 0; I < 63; ++I) TriangleWithZ(Centre, Points[I], Points[I + 1], Z);
    GetPen().SetStyle(Style);
  }
  if (GetPen().GetStyle() != psClear) Polyline(Points.data(), 63, Z);
}

namespace {

// Source's pixels as plain colours; the graphic's own bitmap is read in
// place, other kinds of picture through a converted copy.
class TPixelSource {
 public:
  explicit TPixelSource(const TGraphic& Graphic) {
    if (const auto* AsBitmap = dynamic_cast<const TBitmapGraphic*>(&Graphic)) {
      FBitmap = &AsBitmap->Bitmap();
    } else {
      FCopy.SetImage(Graphic.ToImage());
      FBitmap = &FCopy;
    }
  }
  const TBitmap& Bitmap() const { return *FBitmap; }

 private:
  TBitmap FCopy;
  const TBitmap* FBitmap = nullptr;
};

}  // namespace

// Pixel (X, Y) covers the quadrilateral between grid corners (X, Y) and
// (X + 1, Y + 1); neighbours share projected corners, so the pixels tile
// the plane without gaps or overlaps. Corners are projected one grid row
// ahead, and each source row is copied before its quadrilaterals are drawn
// (the graphic may be the very bitmap being drawn on).
void TCanvas3D::StretchDraw(const TRect& R, const TGraphic* Graphic, int Z) {
  if (Graphic == nullptr || Graphic->GetEmpty()) return;
  const TPixelSource Source(*Graphic);
  const TBitmap& Bitmap = Source.Bitmap();
  const int W = Bitmap.GetWidth();
  const int H = Bitmap.GetHeight();
  if (W <= 0 || H <= 0) return;
  const double XScale = (double(R.Right) - R.Left) / W;
  const double YScale = (double(R.Bottom) - R.Top) / H;
  auto ProjectRow = [&](int Y, std::vector<TPoint>& Row) {
    const int GY = Round(R.Top + Y * YScale);
    for (int X = 0; X <= W; ++X) Row[X] = Calculate3DPosition(Round(R.Left + X * XScale), GY, Z);
  };
  std::vector<TPoint> Upper(W + 1);
  std::vector<TPoint> Lower(W + 1);
  std::vector<TColor> Colors(W);
  ProjectRow(0, Upper);
  const TPenStyle PenStyle = GetPen().GetStyle();
  const TBrushStyle BrushStyle = GetBrush().GetStyle();
  const TColor BrushColor = GetBrush().GetColor();
  GetPen().SetStyle(psClear);
  GetBrush().SetStyle(bsSolid);
  const int Size = BitmapPixels::PixelSize(Bitmap);
  for (int Y = 0; Y < H; ++Y) {
    const std::uint8_t* Pixels = BitmapPixels::ReadRow(Bitmap, Y);
    for (int X = 0; X < W; ++X) Colors[X] = BitmapPixels::Get(Pixels, X, Size);
    ProjectRow(Y + 1, Lower);
    for (int X = 0; X < W; ++X) {
      if (KorSetDCBrushColor != nullptr)
        KorSetDCBrushColor(GetReferenceCanvas(), Colors[X]);
      else
        GetBrush().SetColor(Colors[X]);
      const TPoint Quad[4] = {Upper[X], Upper[X + 1], Lower[X + 1], Lower[X]};
      Polygon(Quad, 3);
    }
    std::swap(Upper, Lower);
  }
  GetPen().SetStyle(PenStyle);
  GetBrush().SetStyle(BrushStyle);
  GetBrush().SetColor(BrushColor);
}
