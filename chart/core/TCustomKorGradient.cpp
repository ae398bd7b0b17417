#include "chart/core/TCustomKorGradient.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TKorCanvas.h"

#include "platform/Rounding.h"
#include "platform/TBrush.h"
#include "platform/TPen.h"

#include <algorithm>
#include <cmath>

namespace {

int CurveChannel(int S, int E, long long Index, long long Count, int Balance) {
  const int D = E - S;
  if (Count <= 0) return S;
  if (Balance == 50) return static_cast<int>(std::clamp(S + Index * D / Count, 0LL, 255LL));
  const double W = std::pow((Index + 1.0) / (Count + 1.0), 0.5 + 0.015 * Balance);
  return std::clamp(Round(D * W) + S, 0, 255);
}

// With the even balance the rings are rounded to the nearest step.
TColor RadialColor(TColor S, TColor E, int N, int Count, int Balance) {
  if (Balance != 50) return KorGradientColor(S, E, N, Count, Balance);
  auto Channel = [N, Count](int From, int To) {
    return From + Round(double(To - From) * N / Count);
  };
  return RGB(Channel(GetRValue(S), GetRValue(E)), Channel(GetGValue(S), GetGValue(E)),
             Channel(GetBValue(S), GetBValue(E)));
}

TColor Grey(TColor Color) {
  const int Mean = (GetRValue(Color) + GetGValue(Color) + GetBValue(Color)) / 3;
  return RGB(Mean, Mean, Mean);
}

// Pen and brush of a surface, put back when a fill ends.
class TPenBrushRestore {
 public:
  explicit TPenBrushRestore(TKorCanvas& ACanvas) : FCanvas(ACanvas) {
    FPen.Assign(ACanvas.GetPen());
    FBrush.Assign(ACanvas.GetBrush());
  }
  ~TPenBrushRestore() {
    FCanvas.GetPen().Assign(FPen);
    FCanvas.GetBrush().Assign(FBrush);
  }
  TPenBrushRestore(const TPenBrushRestore&) = delete;
  TPenBrushRestore& operator=(const TPenBrushRestore&) = delete;

 private:
  TKorCanvas& FCanvas;
  TPen FPen;
  TBrush FBrush;
};

}  // namespace

TColor KorGradientColor(TColor Start, TColor End, long long Index, long long Count, int Balance) {
  return RGB(CurveChannel(GetRValue(Start), GetRValue(End), Index, Count, Balance),
             CurveChannel(GetGValue(Start), GetGValue(End), Index, Count, Balance),
             CurveChannel(GetBValue(Start), GetBValue(End), Index, Count, Balance));
}

TCustomKorGradient::TCustomKorGradient(TNotifyEvent ChangeHandler) {
  OnChange = std::move(ChangeHandler);
}

void TCustomKorGradient::Assign(const TPersistent& Source) {
  const TCustomKorGradient* Other = dynamic_cast<const TCustomKorGradient*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FBalance = Other->FBalance;
  FDirection = Other->FDirection;
  FStartColor = Other->FStartColor;
  FEndColor = Other->FEndColor;
  FMidColor = Other->FMidColor;
  FRadialX = Other->FRadialX;
  FRadialY = Other->FRadialY;
  FVisible = Other->FVisible;
  FHasMiddle = Other->FHasMiddle;
  Changed();
}

void TCustomKorGradient::SetBalance(int Value) {
  ChangeField(FBalance, Value);
}

void TCustomKorGradient::SetDirection(TGradientDirection Value) {
  ChangeField(FDirection, Value);
}

void TCustomKorGradient::SetStartColor(TColor Value) {
  ChangeField(FStartColor, Value);
}

void TCustomKorGradient::SetEndColor(TColor Value) {
  ChangeField(FEndColor, Value);
}

TColor TCustomKorGradient::GetMidColor() const {
  return FHasMiddle ? FMidColor : clNone;
}

void TCustomKorGradient::SetMidColor(TColor Value) {
  if (Value == clNone) {
    ChangeField(FHasMiddle, false);
    return;
  }
  if (FHasMiddle && FMidColor == Value) return;
  FMidColor = Value;
  FHasMiddle = true;
  Changed();
}

void TCustomKorGradient::SetRadialX(int Value) {
  ChangeField(FRadialX, Value);
}

void TCustomKorGradient::SetRadialY(int Value) {
  ChangeField(FRadialY, Value);
}

void TCustomKorGradient::SetVisible(bool Value) {
  ChangeField(FVisible, Value);
}

void TCustomKorGradient::UseMiddleColor() {
  ChangeField(FHasMiddle, true);
}

void TCustomKorGradient::Draw(TKorCanvas& Canvas, const TRect& R, int RoundSize) const {
  TColor Start = ColorToRGB(FStartColor);
  TColor End = ColorToRGB(FEndColor);
  TColor Middle = ColorToRGB(FMidColor);
  if (Canvas.GetMonochrome()) {
    Start = Grey(Start);
    End = Grey(End);
    Middle = Grey(Middle);
  }
  if (RoundSize > 0) Canvas.ClipRectangle(R, RoundSize);
  if (FDirection == gdRadial)
    DrawRadial(Canvas, R, Start, End);
  else if (FHasMiddle && FDirection != gdDiagonalUp && FDirection != gdDiagonalDown)
    DrawWithMiddle(Canvas, OrientRectangle(R), Start, Middle, End);
  else
    Canvas.GradientFill(R, Start, End, FDirection, FBalance);
  if (RoundSize > 0) Canvas.UnClipRectangle();
}

void TCustomKorGradient::Draw(TKorCanvas& Canvas, const TFourPoints& Points) const {
  Canvas.ClipPolygon(Points.data(), 4);
  Draw(Canvas, RectFromPolygon(Points.data(), 4));
  Canvas.UnClipRectangle();
}

void TCustomKorGradient::Draw(TCanvas3D& Canvas, const TFourPoints& Points, int Z) const {
  TFourPoints Projected;
  for (std::size_t I = 0; I < Points.size(); ++I)
    Projected[I] = Canvas.Calculate3DPosition(Points[I], Z);
  Draw(static_cast<TKorCanvas&>(Canvas), Projected);
}

void TCustomKorGradient::Draw(TCanvas3D& Canvas, const TPointArray& Points, int Z,
                              bool Is3D) const {
  TPointArray Projected = Points;
  if (Is3D)
    for (TPoint& P : Projected) P = Canvas.Calculate3DPosition(P, Z);
  const int Count = static_cast<int>(Projected.size());
  Canvas.ClipPolygon(Projected.data(), Count);
  Draw(Canvas, RectFromPolygon(Projected.data(), Count));
  Canvas.UnClipRectangle();
}

void TCustomKorGradient::DrawRadial(TKorCanvas& Canvas, const TRect& R) const {
  DrawRadial(Canvas, R, ColorToRGB(FStartColor), ColorToRGB(FEndColor));
}

// Ellipses shrink toward the centre, at most 256 of them. The centre sits
// one pixel right of and below the rectangle's middle, as the rings have
// always been drawn.
void TCustomKorGradient::DrawRadial(TKorCanvas& Canvas, const TRect& Rect, TColor Start,
                                    TColor End) const {
  const TRect R = OrientRectangle(Rect);
  Canvas.ClipRectangle(R);
  {
    TPenBrushRestore Restore(Canvas);
    TBrush& Brush = Canvas.GetBrush();
    Brush.SetBitmap(nullptr);
    Brush.SetStyle(bsSolid);
    Brush.SetColor(End);
    Canvas.FillRect(R);
    const double W = static_cast<double>(R.Right) - R.Left;
    const double H = static_cast<double>(R.Bottom) - R.Top;
    int Count = static_cast<int>(std::min(255.0, std::max(W, H)));
    if (std::fmod(W, 2) != 0 || std::fmod(H, 2) != 0) --Count;
    if (Count <= 0) {
      // Too small for rings: the whole rectangle is the centre.
      Brush.SetColor(Start);
      Canvas.FillRect(R);
    } else {
      Canvas.GetPen().SetStyle(psClear);
      const double XC = FRadialX + 1 + (double(R.Left) + R.Right) / 2.0;
      const double YC = FRadialY + 1 + (double(R.Top) + R.Bottom) / 2.0;
      for (int N = Count; N >= 0; --N) {
        const double AX = W / 2 * N / Count;
        const double AY = H / 2 * N / Count;
        Brush.SetColor(RadialColor(Start, End, N, Count, FBalance));
        Canvas.Ellipse(Round(XC - AX), Round(YC - AY), Round(XC + AX), Round(YC + AY));
      }
    }
  }
  Canvas.UnClipRectangle();
}

// Each half runs evenly (balance 50) between the middle colour at the
// centre line and the start or end colour at its edge.
void TCustomKorGradient::DrawWithMiddle(TKorCanvas& Canvas, const TRect& R, TColor Start,
                                        TColor Middle, TColor End) const {
  int MidX = 0;
  int MidY = 0;
  RectCenter(R, MidX, MidY);
  const TRect Upper(R.Left, R.Top, R.Right, MidY);
  const TRect Lower(R.Left, MidY, R.Right, R.Bottom);
  const TRect Left(R.Left, R.Top, MidX, R.Bottom);
  const TRect Right(MidX, R.Top, R.Right, R.Bottom);
  switch (FDirection) {
    case gdTopBottom:
      Canvas.GradientFill(Upper, Middle, End, gdTopBottom, 50);
      Canvas.GradientFill(Lower, Start, Middle, gdTopBottom, 50);
      break;
    case gdBottomTop:
      Canvas.GradientFill(Upper, Start, Middle, gdBottomTop, 50);
      Canvas.GradientFill(Lower, Middle, End, gdBottomTop, 50);
      break;
    case gdLeftRight:
      Canvas.GradientFill(Right, Start, Middle, gdLeftRight, 50);
      Canvas.GradientFill(Left, Middle, End, gdLeftRight, 50);
      break;
    case gdRightLeft:
      Canvas.GradientFill(Left, Start, Middle, gdRightLeft, 50);
      Canvas.GradientFill(Right, Middle, End, gdRightLeft, 50);
      break;
    default: Canvas.GradientFill(R, Start, End, FDirection, 50); break;
  }
}
