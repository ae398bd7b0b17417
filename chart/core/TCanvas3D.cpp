#include "chart/core/TCanvas3D.h"

#include "chart/core/KorCanvas.h"

#include <algorithm>
#include <cmath>

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
