#include "chart/core/TKorCanvas3D.h"

#include "chart/core/BitmapPixels.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorFontGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "platform/TGraphic.h"
#include "platform/TPen.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

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

// Size, direction and quality of the surface font, put back when a
// temporary change of them ends.
class TFontRestore {
 public:
  explicit TFontRestore(TFont& AFont)
      : FFont(AFont),
        FHeight(AFont.GetHeight()),
        FOrientation(AFont.GetOrientation()),
        FQuality(AFont.GetQuality()) {}
  ~TFontRestore() {
    FFont.SetHeight(FHeight);
    FFont.SetOrientation(FOrientation);
    FFont.SetQuality(FQuality);
  }
  TFontRestore(const TFontRestore&) = delete;
  TFontRestore& operator=(const TFontRestore&) = delete;

 private:
  TFont& FFont;
  int FHeight;
  int FOrientation;
  TFontQuality FQuality;
};

// Right - Left without overflow, for rectangles reaching far off the device.
long long Extent(int From, int To) {
  return static_cast<long long>(To) - From;
}

// (A - B) x (C - B) with screen y pointing down: positive when A, B, C
// turn counter-clockwise on the screen around B. Wide, so that projected
// points far off the device cannot overflow.
long long Turn(const TPoint& A, const TPoint& B, const TPoint& C) {
  return (static_cast<long long>(A.X) - B.X) * (static_cast<long long>(C.Y) - B.Y) -
         (static_cast<long long>(C.X) - B.X) * (static_cast<long long>(A.Y) - B.Y);
}

// The visibility value of a quadrilateral face, taken at its third corner:
// positive when p0..p3 run clockwise on the screen.
long long QuadCross(const TFourPoints& P) {
  return Turn(P[3], P[2], P[1]);
}

// Twice the signed area of a polygon, positive when its corners run
// clockwise on the screen; unlike one corner's cross value it stays right
// when an edge has shrunk to a point. Summed in doubles: exact for points
// on or near the device, and of the right sign for points far off it,
// whose products would overflow integers.
double PolygonArea(const TPoint* P, std::size_t Count) {
  double Sum = 0;
  for (std::size_t I = 0; I < Count; ++I) {
    const TPoint& A = P[I];
    const TPoint& B = P[(I + 1) % Count];
    Sum += double(A.X) * B.Y - double(B.X) * A.Y;
  }
  return Sum;
}

double PolygonArea(const TPointArray& P) {
  return PolygonArea(P.data(), P.size());
}

double QuadArea(const TFourPoints& P) {
  return PolygonArea(P.data(), P.size());
}

bool IsClear(const TBrush& Brush) {
  return Brush.GetStyle() == bsClear && Brush.GetBitmap() == nullptr;
}

// Fills Outer except Inner (which lies inside it) with the current brush.
void FillRing(TCanvas& Canvas, const TRect& Outer, const TRect& Inner) {
  if (IsRectEmpty(Inner)) {
    Canvas.FillRect(Outer);
    return;
  }
  Canvas.FillRect(TRect(Outer.Left, Outer.Top, Outer.Right, Inner.Top));
  Canvas.FillRect(TRect(Outer.Left, Inner.Bottom, Outer.Right, Outer.Bottom));
  Canvas.FillRect(TRect(Outer.Left, Inner.Top, Inner.Left, Inner.Bottom));
  Canvas.FillRect(TRect(Inner.Right, Inner.Top, Outer.Right, Inner.Bottom));
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

// One closed path round the ring: the inner arc clockwise (or the centre,
// without a hole), across to the outer arc and along it counter-clockwise,
// and back. Every corner of the path is an end of an arc as the canvas
// draws it (the arcs follow the ellipse inside the box, half a pixel in
// from the rounded end points), so no straight edge reaches past the rim;
// the rounded outer end points only give the directions of the cuts.
void TKorCanvas3D::Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle,
                         double EndAngle, double HolePercent) {
  const double XInner = HolePercent * XRadius / 100.0;
  const double YInner = HolePercent * YRadius / 100.0;
  auto At = [XCenter, YCenter](double XR, double YR, double Angle) {
    return TPoint(RoundPlus(XR * std::cos(Angle), XCenter),
                  RoundPlus(-(YR * std::sin(Angle)), YCenter));
  };
  const TPoint OuterStart = At(XRadius, YRadius, StartAngle);
  const TPoint OuterEnd = At(XRadius, YRadius, EndAngle);
  const TPoint InnerStart = At(XInner, YInner, StartAngle);
  const TPoint InnerEnd = At(XInner, YInner, EndAngle);
  TCanvas& C = GetReferenceCanvas();
  const TArcDirection Direction = C.GetArcDirection();
  // A whole ring's inner ends meet too, yet it has a hole to go round.
  const int XI = Round(XInner);
  const int YI = Round(YInner);
  const bool WholeTurn = std::fabs(EndAngle - StartAngle) >= 2 * std::numbers::pi - 1e-9;
  C.BeginPath();
  if (InnerEnd != InnerStart || (WholeTurn && (XI != 0 || YI != 0))) {
    C.SetArcDirection(adClockwise);
    C.Arc(XCenter - XI, YCenter - YI, XCenter + XI, YCenter + YI, OuterEnd.X, OuterEnd.Y,
          OuterStart.X, OuterStart.Y);
  } else {
    C.MoveTo(InnerStart.X, InnerStart.Y);
  }
  C.SetArcDirection(adCounterClockwise);
  C.ArcTo(XCenter - XRadius, YCenter - YRadius, XCenter + XRadius, YCenter + YRadius, OuterStart.X,
          OuterStart.Y, OuterEnd.X, OuterEnd.Y);
  C.CloseFigure();
  C.EndPath();
  C.StrokeAndFillPath();
  C.SetArcDirection(Direction);
}

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

// A shadow with a negative size stays at the requested point and the text
// itself moves the other way, so the shadow always lies right of and below
// the text for positive sizes and left of and above it for negative ones.
void TKorCanvas3D::TextOut(int X, int Y, const QString& Text) {
  const TKorFont* Font = GetFontObject();
  const TKorShadow* Shadow = Font != nullptr ? Font->ExistingShadow() : nullptr;
  if (Shadow != nullptr && (Shadow->GetHorizSize() != 0 || Shadow->GetVertSize() != 0)) {
    int ShadowX = X;
    int ShadowY = Y;
    if (Shadow->GetHorizSize() > 0)
      ShadowX += Shadow->GetHorizSize();
    else
      X -= Shadow->GetHorizSize();
    if (Shadow->GetVertSize() > 0)
      ShadowY += Shadow->GetVertSize();
    else
      Y -= Shadow->GetVertSize();
    TextShadowOut(ShadowX, ShadowY, Text, *Shadow);
  }
  TCanvas& C = GetReferenceCanvas();
  C.SetTextColor(GetFont().GetColor());
  const TChartPen* Outline = Font != nullptr ? Font->ExistingOutLine() : nullptr;
  const TKorFontGradient* Gradient = Font != nullptr ? Font->ExistingGradient() : nullptr;
  const bool HasOutline = Outline != nullptr && Outline->GetVisible();
  const bool HasGradient = Gradient != nullptr && Gradient->GetVisible();
  if (!HasOutline && !HasGradient) {
    C.TextOut(X, Y, Text);
    return;
  }
  if (HasOutline)
    AssignVisiblePen(*Outline);
  else
    GetPen().SetStyle(psClear);
  GetBrush().SetBitmap(nullptr);
  GetBrush().SetColor(GetFont().GetColor());
  GetBrush().SetStyle(bsSolid);
  SetBackMode(cbmTransparent);
  TextPath(X, Y, Text);
  if (HasGradient) {
    if (Gradient->GetOutline()) C.WidenPath();
    // The glyphs are a second clip level inside whatever clip is in force.
    C.SaveClip();
    C.SelectClipPath(ccIntersect);
    Gradient->Draw(*this, TextBox(X, Y, Text));
    C.RestoreClip();
    if (Gradient->GetOutline() || !HasOutline) return;
    GetBrush().SetStyle(bsClear);
    TextPath(X, Y, Text);
  }
  if (GetFont().GetColor() == clNone)
    C.StrokePath();
  else
    C.StrokeAndFillPath();
}

void TKorCanvas3D::TextShadowOut(int X, int Y, const QString& Text, const TKorShadow& Shadow) {
  std::unique_ptr<TKorBlend> Blend;
  if (Shadow.GetTransparency() > 0)
    Blend = BeginBlending(TextBox(X, Y, Text), Shadow.GetTransparency());
  TCanvas& C = GetReferenceCanvas();
  C.SetTextColor(Shadow.GetColor());
  C.TextOut(X, Y, Text);
  if (Blend) EndBlending(std::move(Blend));
}

void TKorCanvas3D::TextPath(int X, int Y, const QString& Text) {
  TCanvas& C = GetReferenceCanvas();
  C.BeginPath();
  C.TextOut(X, Y, Text);
  C.EndPath();
}

void TKorCanvas3D::ClipRectangle(const TRect& R) {
  ClipCanvas(GetReferenceCanvas(), R);
}

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

// The start colour lies along the bottom for gdTopBottom and along the
// right edge for gdLeftRight; the other linear, centre and corner
// directions exchange the colours first. Bands are block fills, at most
// 256 of them.
void TKorCanvas3D::GradientFill(const TRect& R, TColor StartColor, TColor EndColor,
                                TGradientDirection Direction, int Balance) {
  const TRect Rect = OrientRectangle(R);
  if (Direction == gdRadial) {
    TCustomKorGradient Radial;
    Radial.SetDirection(gdRadial);
    Radial.SetStartColor(StartColor);
    Radial.SetEndColor(EndColor);
    Radial.Draw(*this, Rect);
    return;
  }
  if (Direction != gdTopBottom && Direction != gdLeftRight && Direction != gdDiagonalUp &&
      Direction != gdDiagonalDown)
    std::swap(StartColor, EndColor);
  const TColor S = ColorToRGB(StartColor);
  const TColor E = ColorToRGB(EndColor);
  TBrush Saved;
  Saved.Assign(GetBrush());
  GetBrush().SetBitmap(nullptr);
  GetBrush().SetStyle(bsSolid);
  switch (Direction) {
    case gdTopBottom:
    case gdBottomTop: FillBands(Rect, S, E, Balance, true); break;
    case gdLeftRight:
    case gdRightLeft: FillBands(Rect, S, E, Balance, false); break;
    case gdFromCenter: FillRings(Rect, S, E, Balance); break;
    case gdFromTopLeft:
    case gdFromBottomLeft:
    case gdDiagonalUp:
    case gdDiagonalDown: FillByPixel(Rect, S, E, Balance, Direction); break;
    case gdRadial: break;
  }
  GetBrush().Assign(Saved);
}

void TKorCanvas3D::FillBands(const TRect& R, TColor S, TColor E, int Balance, bool Vertical) {
  const long long Size = Vertical ? Extent(R.Top, R.Bottom) : Extent(R.Left, R.Right);
  const int Bands = static_cast<int>(std::min<long long>(Size, 256));
  if (Bands <= 1) return;
  TCanvas& C = GetReferenceCanvas();
  // Band K runs from Size * K / Bands to Size * (K + 1) / Bands back from
  // the bottom or right edge; both ends lie inside R.
  auto Back = [Size, Bands](int Edge, int K) { return static_cast<int>(Edge - Size * K / Bands); };
  for (int K = 0; K < Bands; ++K) {
    GetBrush().SetColor(KorGradientColor(S, E, K, Bands - 1, Balance));
    if (Vertical)
      C.FillRect(TRect(R.Left, Back(R.Bottom, K + 1), R.Right, Back(R.Bottom, K)));
    else
      C.FillRect(TRect(Back(R.Right, K + 1), R.Top, Back(R.Right, K), R.Bottom));
  }
}

// Ring J lies J rows and J columns in from the border, each count stopping
// at half the height and half the width; its colour index is rows plus
// columns. Only the rings that reach the visible area are painted.
void TKorCanvas3D::FillRings(const TRect& R, TColor S, TColor E, int Balance) {
  const long long HalfW = Extent(R.Left, R.Right) / 2;
  const long long HalfH = Extent(R.Top, R.Bottom) / 2;
  const long long Count = std::max(1LL, HalfW + HalfH);
  auto Inset = [&R, HalfW, HalfH](long long J) {
    const int A = static_cast<int>(std::min(J, HalfH));
    const int B = static_cast<int>(std::min(J, HalfW));
    return TRect(R.Left + B, R.Top + A, R.Right - B, R.Bottom - A);
  };
  const TRect Visible = VisibleArea();
  const long long Hidden = std::min({static_cast<long long>(Visible.Left) - R.Left,
                                     static_cast<long long>(Visible.Top) - R.Top,
                                     static_cast<long long>(R.Right) - Visible.Right,
                                     static_cast<long long>(R.Bottom) - Visible.Bottom});
  TCanvas& C = GetReferenceCanvas();
  for (long long J = std::clamp(Hidden, 0LL, std::min(HalfW, HalfH)); J <= std::max(HalfW, HalfH);
       ++J) {
    const TRect Outer = Inset(J);
    TRect Shown;
    if (!IntersectRect(Shown, Outer, Visible)) break;
    GetBrush().SetColor(
        KorGradientColor(S, E, std::min(J, HalfH) + std::min(J, HalfW), Count, Balance));
    FillRing(C, Outer, Inset(J + 1));
  }
}

TRect TKorCanvas3D::VisibleArea() const {
  const TCanvas& C = GetReferenceCanvas();
  const TRect ClipBox = C.GetClipBox();
  return OrientRectangle(TRect(C.DPtoLP(ClipBox.TopLeft()), C.DPtoLP(ClipBox.BottomRight())));
}

// The corner and diagonal directions give each pixel its own colour
// index, so they are drawn as one image of the visible part. Diagonal
// gradients keep the start colour in the bottom-right corner (gdDiagonalUp,
// colours constant along rising lines) or the bottom-left corner
// (gdDiagonalDown, constant along falling lines).
void TKorCanvas3D::FillByPixel(const TRect& R, TColor S, TColor E, int Balance,
                               TGradientDirection Direction) {
  TRect Area;
  if (!IntersectRect(Area, R, VisibleArea())) return;
  const long long W = Extent(R.Left, R.Right);
  const long long H = Extent(R.Top, R.Bottom);
  const long long Lines = W + H;
  const bool Corner = Direction == gdFromTopLeft || Direction == gdFromBottomLeft;
  const long long Count = Corner ? std::max(1LL, Lines) : std::clamp(Lines - 1, 1LL, 255LL);
  // X and Y count from the rectangle's left and top edges.
  auto Index = [=](long long X, long long Y) -> long long {
    switch (Direction) {
      case gdFromTopLeft: return X + Y;
      case gdFromBottomLeft: return X + (H - 1 - Y);
      case gdDiagonalUp: return ((W - 1 - X) + (H - 1 - Y)) * Count / Lines;
      default: return (X + (H - 1 - Y)) * Count / Lines;
    }
  };
  TBitmap Image(Area.Width(), Area.Height());
  const int Size = BitmapPixels::PixelSize(Image);
  const long long X0 = static_cast<long long>(Area.Left) - R.Left;
  const long long Y0 = static_cast<long long>(Area.Top) - R.Top;
  for (int Y = 0; Y < Area.Height(); ++Y) {
    std::uint8_t* Row = BitmapPixels::WriteRow(Image, Y);
    for (int X = 0; X < Area.Width(); ++X) {
      const long long I = Index(X0 + X, Y0 + Y);
      BitmapPixels::Set(Row, X, Size, KorGradientColor(S, E, I, Count, Balance));
    }
  }
  GetReferenceCanvas().Draw(Area.Left, Area.Top, Image);
}

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

// The text goes through TextOut, so shadows, outlines and gradients turn
// with it.
void TKorCanvas3D::RotateLabel(int X, int Y, const QString& Text, double Angle) {
  while (Angle > 360) Angle -= 360;
  GetBrush().SetStyle(bsClear);
  TFont& Font = GetFont();
  TFontRestore Restore(Font);
  Font.SetOrientation(Round(Angle * 10));
  Font.SetQuality(static_cast<TFontQuality>(KorFontAntiAlias));
  if (FZoomText && FZoomFactor != 1.0) {
    const int Size = std::max(1, Round(Font.GetSize() * FZoomFactor));
    Font.SetHeight(-MulDiv(Size, Font.GetPixelsPerInch(), 72));
  }
  TextOut(X, Y, Text);
}

void TKorCanvas3D::UnClipRectangle() {
  UnClipCanvas(GetReferenceCanvas());
}

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
  const TScreenOffset P = ProjectFloat(X, Y, Z);
  return TPoint(RoundPlus(P.X, FXCenterOffset), RoundPlus(P.Y, FYCenterOffset));
}

TKorCanvas3D::TScreenOffset TKorCanvas3D::ProjectFloat(double X, double Y, int Z) const {
  if (!FIs3D) return {X, Y};
  if (GetIsOrthogonal()) {
    return {(Z * FOrthoXStep + (X - GetXCenter())) * FZoomFactor,
            (Y - GetYCenter() - Z * FOrthoYStep) * FZoomFactor};
  }
  return ProjectRotatedFloat(X - GetXCenter(), Y - GetYCenter(), double(Z) - GetZCenter());
}

TPoint TKorCanvas3D::ProjectRotated(double DX, double DY, double DZ) const {
  const TScreenOffset P = ProjectRotatedFloat(DX, DY, DZ);
  return TPoint(RoundPlus(P.X, FXCenterOffset), RoundPlus(P.Y, FYCenterOffset));
}

// Without tilt the tilted formulas give the same values (cos 0 = 1 and
// sin 0 = 0 exactly); the branch only saves work.
TKorCanvas3D::TScreenOffset TKorCanvas3D::ProjectRotatedFloat(double DX, double DY,
                                                              double DZ) const {
  const double F = DZ * FCosR - DX * FSinR;
  const double G = DX * FCosR + DZ * FSinR;
  const double H = DY * FCosE - FSinE * F;
  double K = FZoomFactor;
  if (FHasPerspective) {
    double Divisor = (FCosE * F + DY * FSinE) * FPerspectiveFactor + 1.0;
    K /= std::isnan(Divisor) ? Divisor : std::max(Divisor, MinPerspectiveDivisor);
  }
  if (!FHasTilt) return {K * G, K * H};
  return {K * (FCosT * G - FSinT * H), K * (H * FCosT + G * FSinT)};
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
  if (GetDirectFrameAllowed() && CanDrawDirectly(Destination, Rect)) {
    BeginDirectFrame(Destination);
    return Rect;
  }
  const int Width = std::max(0, Rect.Width());
  const int Height = std::max(0, Rect.Height());
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    // Direct frames before it left their drawing state here.
    if (FBufferState) FBitmap->GetCanvas().AssignDrawingState(FBufferState->GetCanvas());
    FBufferState.reset();
  }
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

bool TKorCanvas3D::CanDrawDirectly(const TCanvas& Destination, const TRect& Rect) const {
  const TBitmap* Target = Destination.GetBitmap();
  if (Target == nullptr || Target->GetPixelFormat() != pfDevice || Target->GetMonochrome())
    return false;
  if (Rect != TRect(0, 0, Target->GetWidth(), Target->GetHeight())) return false;
  auto Plain = [](const TCanvas& C) {
    return C.GetMapMode() == mmText && C.GetWindowOrg() == TPoint() &&
           C.GetViewportOrg() == TPoint() && !C.HasClip() && !C.GetPathOpen();
  };
  return Plain(Destination) && (!FBitmap || Plain(FBitmap->GetCanvas()));
}

TCanvas& TKorCanvas3D::BufferState() {
  if (FBitmap) return FBitmap->GetCanvas();
  if (!FBufferState) FBufferState = std::make_unique<TBitmap>();
  return FBufferState->GetCanvas();
}

void TKorCanvas3D::BeginDirectFrame(TCanvas& Destination) {
  if (!FKeptState) FKeptState = std::make_unique<TBitmap>();
  FKeptState->GetCanvas().AssignDrawingState(Destination);
  Destination.AssignDrawingState(BufferState());
  FDirectTarget = &Destination;
  SetCanvas(Destination);
}

void TKorCanvas3D::EndDirectFrame() {
  if (FDirectTarget == nullptr) return;
  BufferState().AssignDrawingState(*FDirectTarget);
  FDirectTarget->AssignDrawingState(FKeptState->GetCanvas());
  FDirectTarget = nullptr;
  // The buffer holds no copy of this frame.
  FDirty = true;
}

void TKorCanvas3D::CancelFrame(TCanvas& DefaultCanvas) {
  EndDirectFrame();
  SetCanvas(DefaultCanvas);
}

void TKorCanvas3D::ShowImage(TCanvas& Destination, TCanvas& DefaultCanvas, const TRect& Rect) {
  if (FDirectTarget != nullptr) {
    EndDirectFrame();
  } else if (FBufferedDisplay && FBitmap) {
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

// The head and body are laid out in the arrow's own frame (along the line
// and across it) and turned back to device points before projection.
void TKorCanvas3D::Arrow(bool Filled, const TPoint& From, const TPoint& To, int HeadWidth,
                         int HeadLength, int Z, double BodyPercent) {
  const double DX = double(To.X) - From.X;
  const double DY = double(To.Y) - From.Y;
  const double D = KorDistance(DX, DY);
  if (D == 0) return;
  const double C = -DY / D;
  const double S = DX / D;
  // A head longer than the arrow would reach behind its tail.
  const double H = std::min<double>(HeadLength, Round(D));
  auto Along = [C, S](const TPoint& P) { return P.X * S - P.Y * C; };
  auto Across = [C, S](const TPoint& P) { return C * P.X + S * P.Y; };
  auto Device = [this, C, S, Z](double A, double B) {
    return Calculate3DPosition(Round(A * S + B * C), Round(B * S - A * C), Z);
  };
  const double A = Along(To);
  const double B = Across(To);
  const double HalfHead = HeadWidth / 2.0;
  const TPoint Head1 = Device(A - H, B - HalfHead);
  const TPoint Head2 = Device(A - H, B + HalfHead);
  const TPoint Tip = Calculate3DPosition(To, Z);
  if (!Filled) {
    const TPoint Tail = Calculate3DPosition(From, Z);
    MoveTo(Tail.X, Tail.Y);
    LineTo(Tip.X, Tip.Y);
    LineTo(Head2.X, Head2.Y);
    MoveTo(Tip.X, Tip.Y);
    LineTo(Head1.X, Head1.Y);
    return;
  }
  const double W = HeadWidth * BodyPercent * 0.005;
  const double TailA = Along(From);
  const double TailB = Across(From);
  const TPoint Points[7] = {
      Device(TailA, TailB + W), Device(TailA, TailB - W), Device(A - H, B - W), Head1, Tip, Head2,
      Device(A - H, B + W)};
  Polygon(Points, 6);
}

// A flat chart keeps its left and top border lines out of the clip.
void TKorCanvas3D::ClipCube(const TRect& R, int Z0, int Z1) {
  if (!FIs3D) {
    ClipRectangle(TRect(R.Left + 1, R.Top + 1, R.Right, R.Bottom - 1));
    return;
  }
  TPointArray Corners{
      Calculate3DPosition(R.Left, R.Bottom, Z0), Calculate3DPosition(R.Left, R.Bottom, Z1),
      Calculate3DPosition(R.Left, R.Top, Z1),    Calculate3DPosition(R.Right, R.Top, Z1),
      Calculate3DPosition(R.Right, R.Top, Z0),   Calculate3DPosition(R.Right, R.Bottom, Z0),
      Calculate3DPosition(R.Left, R.Top, Z0),    Calculate3DPosition(R.Right, R.Bottom, Z1)};
  ConvexHull(Corners);
  ClipPolygon(Corners.data(), static_cast<int>(Corners.size()));
}

// Sides join the base ring (full radius) with the top ring (radius times
// the percent). Ring point I lies at angle I * 2 pi / N from the +X (or +Y)
// axis toward +Z, so side K faces the viewer exactly when its corners turn
// counter-clockwise on the screen; a body mirrored along any axis turns the
// other way, and its corners are taken in the opposite order.
void TKorCanvas3D::Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                        bool DarkSides, int ConePercent) {
  if (ConePercent == 0) ConePercent = KorDefaultConePercent;
  const TColor Base = ShadingBaseColor();
  // Fewer than three sides is no body (and no sides divides by zero).
  const int N = std::max(3, KorNumCylinderSides);
  const double Scale = ConePercent / 100.0;
  const double ZC = (double(Z0) + Z1) / 2.0;
  const double RZ = (double(Z1) - Z0) / 2.0;
  TPointArray BaseRing(N);
  TPointArray TopRing(N);
  for (int I = 0; I < N; ++I) {
    const double Angle = I * 2.0 * std::numbers::pi / N;
    const double Cos = std::cos(Angle);
    const double Sin = std::sin(Angle);
    if (Vertical) {
      const double XC = (double(Left) + Right) / 2.0;
      const double RX = (double(Right) - Left) / 2.0;
      BaseRing[I] = Calculate3DPositionFloat(XC + RX * Cos, Bottom, Round(ZC + RZ * Sin));
      TopRing[I] =
          Calculate3DPositionFloat(XC + RX * Scale * Cos, Top, Round(ZC + RZ * Scale * Sin));
    } else {
      const double YC = (double(Top) + Bottom) / 2.0;
      const double RY = (double(Bottom) - Top) / 2.0;
      BaseRing[I] = Calculate3DPositionFloat(Left, YC + RY * Cos, Round(ZC + RZ * Sin));
      TopRing[I] =
          Calculate3DPositionFloat(Right, YC + RY * Scale * Cos, Round(ZC + RZ * Scale * Sin));
    }
  }
  const bool Mirrored = Vertical ? ((Right < Left) != (Z1 < Z0)) != (Top > Bottom)
                                 : ((Bottom < Top) != (Z1 < Z0)) != (Left > Right);
  const int Step = 256 / (2 * N);
  for (int K = 0; K < N; ++K) {
    const int J = (K + 1) % N;
    const TFourPoints Side = Mirrored
                                 ? TFourPoints{BaseRing[J], BaseRing[K], TopRing[K], TopRing[J]}
                                 : TFourPoints{BaseRing[K], BaseRing[J], TopRing[J], TopRing[K]};
    if (KorCull(Side)) continue;
    // The closing side keeps the colour of the side drawn before it.
    if (DarkSides && K < N - 1) InternalDark(Base, Step * K);
    DrawFace(Side);
  }
  // The end turned to the viewer, whichever way the body lies and the view
  // looks. Walked so that each shares its edges with the sides in the
  // opposite direction (the top ring forward, the base ring backward), an
  // end faces the viewer when it turns the way the visible sides do; a
  // point (a cone's tip) or an end seen edge-on is no face.
  const double TopArea = PolygonArea(TopRing);
  const double BaseArea = -PolygonArea(BaseRing);
  const TPointArray* Cap = nullptr;
  if (Mirrored ? TopArea > 0 : TopArea < 0)
    Cap = &TopRing;
  else if (Mirrored ? BaseArea > 0 : BaseArea < 0)
    Cap = &BaseRing;
  if (Cap == nullptr) return;
  if (DarkSides) InternalDark(Base, DarkColorQuantity);
  Polygon(Cap->data(), N - 1);
}

// Front or back, then the sides, then top and bottom: the faces of a box
// that face the viewer never overlap, so no sorting is needed.
void TKorCanvas3D::Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) {
  const TColor Base = ShadingBaseColor();
  const bool Clear = IsClear(GetBrush());
  auto P = [this](int X, int Y, int Z) { return Calculate3DPosition(X, Y, Z); };
  auto Shade = [this, Base, DarkSides](int Quantity) {
    if (DarkSides) InternalDark(Base, Quantity);
  };
  const TFourPoints Front{P(Left, Top, Z0), P(Right, Top, Z0), P(Right, Bottom, Z0),
                          P(Left, Bottom, Z0)};
  const TFourPoints Back{P(Left, Top, Z1), P(Right, Top, Z1), P(Right, Bottom, Z1),
                         P(Left, Bottom, Z1)};
  // A clear brush shows the box as a wire frame: every edge, hidden or not.
  if (Clear) {
    DrawFace(Back);
    DrawFace(Front);
  } else {
    DrawFace(QuadCross(Front) > 0 ? Front : Back);
  }
  const TFourPoints RightSide{P(Right, Top, Z0), P(Right, Top, Z1), P(Right, Bottom, Z1),
                              P(Right, Bottom, Z0)};
  if (Clear || QuadCross(RightSide) > 0) {
    Shade(DarkerColorQuantity);
    DrawFace(RightSide);
  }
  const TFourPoints LeftSide{P(Left, Top, Z0), P(Left, Top, Z1), P(Left, Bottom, Z1),
                             P(Left, Bottom, Z0)};
  if (Clear || Turn(LeftSide[3], LeftSide[0], LeftSide[1]) > 0) {
    Shade(DarkerColorQuantity);
    DrawFace(LeftSide);
  }
  const TFourPoints TopSide{P(Left, Top, Z0), P(Right, Top, Z0), P(Right, Top, Z1),
                            P(Left, Top, Z1)};
  if (Clear || Turn(TopSide[0], TopSide[1], TopSide[2]) > 0) {
    Shade(DarkColorQuantity);
    DrawFace(TopSide);
  }
  const TFourPoints BottomSide{P(Left, Bottom, Z0), P(Left, Bottom, Z1), P(Right, Bottom, Z1),
                               P(Right, Bottom, Z0)};
  if (Clear || QuadCross(BottomSide) < 0) {
    Shade(DarkColorQuantity);
    DrawFace(BottomSide);
  }
}

void TKorCanvas3D::Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                            bool DarkSides) {
  Cone(Vertical, Left, Top, Right, Bottom, Z0, Z1, DarkSides, 100);
}

void TKorCanvas3D::DisableRotation() {
  FWas3D = FIs3D;
  FIs3D = false;
}

// A flat chart draws the box's right and bottom pixels too, as the
// projected outline of the 3D views does.
void TKorCanvas3D::EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) {
  if (GetIsOrthogonal()) {
    const TPoint P1 = Calculate3DPosition(X1, Y1, Z);
    const TPoint P2 = Calculate3DPosition(X2, Y2, Z);
    Ellipse(P1.X, P1.Y, P2.X, P2.Y);
    return;
  }
  if (!FIs3D) {
    Ellipse(X1, Y1, X2 + 1, Y2 + 1);
    return;
  }
  int XC = 0;
  int YC = 0;
  RectCenter(TRect(X1, Y1, X2, Y2), XC, YC);
  const int XR = Div(X2 - X1, 2);
  const int YR = Div(Y2 - Y1, 2);
  std::array<TPoint, 64> Points;
  Points[0] = Calculate3DPosition(XC, Y2, Z);
  for (int I = 1; I < 64; ++I) {
    const double T = I * 2.0 * std::numbers::pi / 63.0;
    Points[I] = Calculate3DPositionFloat(XC + std::sin(T) * XR, YC + std::cos(T) * YR, Z);
  }
  FillFan(Calculate3DPosition(XC, YC, Z), Points.data(), 64);
  if (GetPen().GetStyle() != psClear) Polyline(Points.data(), 63);
}

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

int TKorCanvas3D::PieArcPointCount(double StartAngle, double EndAngle) {
  const double Degrees = std::fabs(EndAngle - StartAngle) / KorPiStep;
  return std::clamp(Round(Degrees / 2), 0, 94) + 2;
}

// The slice is a prism between the depths Z0 and Z1, drawn as a pie chart
// is read: the cap at Z1 is the face on top, and the rim below it shows
// where the arc runs toward the right of the screen (the part of the rim
// turned to the viewer). Back to front: the inner wall, the cut side on
// the far half of the screen, the face, the rim.
void TKorCanvas3D::Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1,
                         double StartAngle, double EndAngle, bool DarkSides, bool DrawSides,
                         int DonutPercent, const TCustomKorGradient* Gradient) {
  constexpr int PieSideDark = 32;
  const TColor Base = ShadingBaseColor();
  auto Shade = [this, Base, DarkSides] {
    if (DarkSides) InternalDark(Base, PieSideDark);
  };
  const int N = PieArcPointCount(StartAngle, EndAngle);
  const bool Hole = DonutPercent > 0;
  const double XInner = XRadius * DonutPercent / 100.0;
  const double YInner = YRadius * DonutPercent / 100.0;
  TPointArray Face(N);
  TPointArray Back(N);
  TPointArray InnerFace(Hole ? N : 0);
  TPointArray InnerBack(Hole ? N : 0);
  // Before rounding, the direction of a rim step a pixel or less wide is
  // still known.
  std::vector<double> ExactFaceX(N);
  const double Step = (EndAngle - StartAngle) / (N - 1);
  for (int K = 0; K < N; ++K) {
    const double Angle = StartAngle + K * Step;
    const double Cos = std::cos(Angle);
    const double Sin = std::sin(Angle);
    const double X = XCenter + XRadius * Cos;
    const double Y = YCenter - YRadius * Sin;
    Face[K] = Calculate3DPositionFloat(X, Y, Z1);
    ExactFaceX[K] = ProjectFloat(X, Y, Z1).X;
    Back[K] = Calculate3DPositionFloat(X, Y, Z0);
    if (Hole) {
      const double XI = XCenter + XInner * Cos;
      const double YI = YCenter - YInner * Sin;
      InnerFace[K] = Calculate3DPositionFloat(XI, YI, Z1);
      InnerBack[K] = Calculate3DPositionFloat(XI, YI, Z0);
    }
  }
  const TPoint CentreFace = Calculate3DPosition(XCenter, YCenter, Z1);
  const TPoint CentreBack = Calculate3DPosition(XCenter, YCenter, Z0);
  auto InnerAt = [&](int K, bool AtFace) {
    if (Hole) return AtFace ? InnerFace[K] : InnerBack[K];
    return AtFace ? CentreFace : CentreBack;
  };
  if (Hole) {
    TPointArray InnerWall(InnerFace.rbegin(), InnerFace.rend());
    InnerWall.insert(InnerWall.end(), InnerBack.begin(), InnerBack.end());
    Shade();
    DrawPiePolygon(InnerWall, Gradient);
  }
  if (DrawSides) {
    if (Face[N - 1].X < FXCenterOffset) {
      Shade();
      DrawFace({InnerAt(N - 1, true), Face[N - 1], Back[N - 1], InnerAt(N - 1, false)});
    }
    if (Face[0].X > FXCenterOffset) {
      Shade();
      DrawFace({InnerAt(0, true), Face[0], Back[0], InnerAt(0, false)});
    }
  }
  SetShadingColor(Base);
  TPointArray FaceCap;
  if (!Hole) FaceCap.push_back(CentreFace);
  FaceCap.insert(FaceCap.end(), Face.begin(), Face.end());
  if (Hole) FaceCap.insert(FaceCap.end(), InnerFace.rbegin(), InnerFace.rend());
  DrawPiePolygon(FaceCap, Gradient);
  auto DrawRim = [&](int First, int Last) {
    TPointArray Wall(Face.begin() + First, Face.begin() + Last + 1);
    for (int I = Last; I >= First; --I) Wall.push_back(Back[I]);
    Shade();
    DrawPiePolygon(Wall, Gradient);
  };
  auto Rises = [&](int K) { return ExactFaceX[K + 1] > ExactFaceX[K]; };
  int First = 0;
  while (First < N - 1 && !Rises(First)) ++First;
  int Last = First;
  while (Last < N - 1 && Rises(Last)) ++Last;
  if (Last > First) DrawRim(First, Last);
  // A rim that turns back may rise again toward the end of the arc.
  int SecondFirst = N - 1;
  while (SecondFirst > Last && Rises(SecondFirst - 1)) --SecondFirst;
  if (SecondFirst < N - 1) DrawRim(SecondFirst, N - 1);
  SetShadingColor(Base);
}

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

// Each face is drawn when it turns to the viewer: with the corners listed
// as below, the front, right, back and base faces of an upright pyramid
// (and the front and base of one pointing right) cull exactly when they
// face the viewer, the other faces exactly when they do not; a pyramid
// mirrored along one of its axes turns each the other way.
void TKorCanvas3D::Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                           bool DarkSides) {
  const TColor Base = ShadingBaseColor();
  auto Shade = [this, Base, DarkSides](int Quantity) {
    if (DarkSides) InternalDark(Base, Quantity);
  };
  auto P = [this](int X, int Y, int Z) { return Calculate3DPosition(X, Y, Z); };
  const int ZC = Div(Z0 + Z1, 2);
  if (Vertical) {
    const TPoint A = P(Div(Left + Right, 2), Top, ZC);
    const TPoint B0 = P(Left, Bottom, Z0);
    const TPoint B1 = P(Right, Bottom, Z0);
    const TPoint B2 = P(Left, Bottom, Z1);
    const TPoint B3 = P(Right, Bottom, Z1);
    const bool Up = Top < Bottom;
    const bool Mirrored = (!Up != (Left > Right)) != (Z0 > Z1);
    if (Top != Bottom) {
      if (KorCull(B0, A, B1) != Mirrored) DrawTriangle(B0, A, B1);
      if (KorCull(B0, A, B2) == Mirrored) DrawTriangle(B0, A, B2);
      Shade(DarkerColorQuantity);
      if (KorCull(B1, A, B3) != Mirrored) DrawTriangle(B1, A, B3);
      if (KorCull(A, B2, B3) != Mirrored) DrawTriangle(A, B2, B3);
    }
    if (KorCull(B0, B1, B2) != Mirrored) {
      Shade(DarkColorQuantity);
      RectangleY(Left, Bottom, Right, Z0, Z1);
    }
    return;
  }
  const TPoint A = P(Right, Div(Top + Bottom, 2), ZC);
  const TPoint C0 = P(Left, Top, Z0);
  const TPoint C1 = P(Left, Bottom, Z0);
  const TPoint C2 = P(Left, Top, Z1);
  const TPoint C3 = P(Left, Bottom, Z1);
  const bool ToRight = Left < Right;
  const bool Mirrored = (!ToRight != (Top > Bottom)) != (Z0 > Z1);
  if (Left != Right) {
    if (KorCull(C0, A, C1) != Mirrored) DrawTriangle(C0, A, C1);
    if (KorCull(C2, A, C3) == Mirrored) DrawTriangle(C2, A, C3);
    Shade(DarkColorQuantity);
    if (KorCull(C0, A, C2) == Mirrored) DrawTriangle(C0, A, C2);
    if (KorCull(C3, A, C1) == Mirrored) DrawTriangle(C3, A, C1);
  }
  if (KorCull(C0, C1, C2) != Mirrored) {
    Shade(DarkerColorQuantity);
    RectangleZ(Left, Top, Bottom, Z0, Z1);
  }
}

// Corners of every face are listed clockwise as seen from outside the
// solid (for top above bottom, left of right and the start depth in
// front; the two planes by their own corner order, which for the top
// plane runs the other way round); a solid mirrored along one of those
// axes lists them the other way round. Only faces turned to the viewer
// are drawn, so the order needs no sorting: the base, the slanted faces,
// the top.
void TKorCanvas3D::PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ) {
  const int XC = Div(R.Left + R.Right, 2);
  const int ZC = Div(StartZ + EndZ, 2);
  const int TopLeft = XC - TruncX;
  const int TopRight = XC + TruncX;
  const int TopFront = ZC - TruncZ;
  const int TopBack = ZC + TruncZ;
  auto P = [this](int X, int Y, int Z) { return Calculate3DPosition(X, Y, Z); };
  const TFourPoints BackFace{P(TopRight, R.Top, TopBack), P(TopLeft, R.Top, TopBack),
                             P(R.Left, R.Bottom, EndZ), P(R.Right, R.Bottom, EndZ)};
  if (TruncX == 0 && StartZ == EndZ) {
    // A flat solid: its front and back are the same triangle, standing on
    // its base line.
    RectangleY(R.Left, R.Bottom, R.Right, StartZ, EndZ);
    DrawFace(BackFace);
    return;
  }
  const bool Mirrored = ((StartZ > EndZ) != (R.Top > R.Bottom)) != (R.Left > R.Right);
  auto Facing = [Mirrored](const TFourPoints& Face, bool Clockwise) {
    const double Area = QuadArea(Face);
    return Mirrored != Clockwise ? Area > 0 : Area < 0;
  };
  auto DrawIfFacing = [this, &Facing](const TFourPoints& Face) {
    if (Facing(Face, true)) DrawFace(Face);
  };
  const TFourPoints BasePlane{P(R.Left, R.Bottom, StartZ), P(R.Right, R.Bottom, StartZ),
                              P(R.Right, R.Bottom, EndZ), P(R.Left, R.Bottom, EndZ)};
  if (Facing(BasePlane, true)) RectangleY(R.Left, R.Bottom, R.Right, StartZ, EndZ);
  DrawIfFacing(BackFace);
  DrawIfFacing({P(TopLeft, R.Top, TopBack), P(TopLeft, R.Top, TopFront),
                P(R.Left, R.Bottom, StartZ), P(R.Left, R.Bottom, EndZ)});
  DrawIfFacing({P(TopLeft, R.Top, TopFront), P(TopRight, R.Top, TopFront),
                P(R.Right, R.Bottom, StartZ), P(R.Left, R.Bottom, StartZ)});
  DrawIfFacing({P(TopRight, R.Top, TopFront), P(TopRight, R.Top, TopBack),
                P(R.Right, R.Bottom, EndZ), P(R.Right, R.Bottom, StartZ)});
  // The top plane runs from its front to its back edge whichever order the
  // solid's depths have.
  const TFourPoints TopPlane{P(TopLeft, R.Top, TopFront), P(TopRight, R.Top, TopFront),
                             P(TopRight, R.Top, TopBack), P(TopLeft, R.Top, TopBack)};
  if (TruncX != 0 && Facing(TopPlane, StartZ > EndZ))
    RectangleY(TopLeft, R.Top, TopRight, TopFront, TopBack);
}

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

// Zoomed views scale the text with the chart unless zoom-text is off.
void TKorCanvas3D::TextOut3D(int X, int Y, int Z, const QString& Text) {
  const TPoint P = Calculate3DPosition(X, Y, Z);
  TFont& Font = GetFont();
  if (!FZoomText || FZoomFactor == 1.0) {
    TextOut(P.X, P.Y, Text);
    return;
  }
  const int Size = std::max(1, Round(Font.GetSize() * FZoomFactor));
  if (Size == Font.GetSize()) {
    TextOut(P.X, P.Y, Text);
    return;
  }
  TFontRestore Restore(Font);
  Font.SetHeight(-(Size * Font.GetPixelsPerInch() / 72));
  TextOut(P.X, P.Y, Text);
}

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

void TKorCanvas3D::DrawFace(const TFourPoints& Face) {
  FFourPoints = Face;
  PolygonFour();
}

void TKorCanvas3D::DrawTriangle(const TPoint& P0, const TPoint& P1, const TPoint& P2) {
  const TPoint Points[3] = {P0, P1, P2};
  Polygon(Points, 2);
}

void TKorCanvas3D::FillFan(const TPoint& Centre, const TPoint* Points, int Count) {
  if (IsClear(GetBrush())) return;
  const TPenStyle Style = GetPen().GetStyle();
  GetPen().SetStyle(psClear);
  for (int I = 0; I + 1 < Count; ++I) DrawTriangle(Centre, Points[I], Points[I + 1]);
  GetPen().SetStyle(Style);
}

// The gradient fills the bounds of the polygon through a clip to it; the
// outline is drawn afterwards with a clear brush so the fill stays.
void TKorCanvas3D::DrawPiePolygon(const TPointArray& Points, const TCustomKorGradient* Gradient) {
  const int High = static_cast<int>(Points.size()) - 1;
  if (Gradient == nullptr || !Gradient->GetVisible()) {
    Polygon(Points.data(), High);
    return;
  }
  Gradient->Draw(*this, Points, 0, false);
  if (GetPen().GetStyle() == psClear) return;
  TBrush Saved;
  Saved.Assign(GetBrush());
  GetBrush().SetBitmap(nullptr);
  GetBrush().SetStyle(bsClear);
  Polygon(Points.data(), High);
  GetBrush().Assign(Saved);
}
