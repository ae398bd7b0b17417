#include "chart/core/TKorShadow.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TCustomKorGradient.h"
#include "chart/core/TKorBlend.h"

#include "platform/Rounding.h"
#include "platform/TBrush.h"
#include "platform/TPen.h"

#include <algorithm>

TKorShadow::TKorShadow(TNotifyEvent ChangeHandler) {
  OnChange = std::move(ChangeHandler);
}

TKorShadow::~TKorShadow() = default;

void TKorShadow::Assign(const TPersistent& Source) {
  const TKorShadow* Other = dynamic_cast<const TKorShadow*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FColor = Other->FColor;
  FHorizSize = Other->FHorizSize;
  FSmooth = Other->FSmooth;
  FTransparency = Other->FTransparency;
  FVertSize = Other->FVertSize;
  Changed();
}

const TPropertyList& TKorShadow::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List = [] {
    TPublishedProperty Color = PP::Color<TKorShadow>(QStringLiteral("Color"), &TKorShadow::GetColor,
                                                     &TKorShadow::SetColor);
    Color.Stored = [](const TPersistent& P) {
      const TKorShadow& S = PP::As<TKorShadow>(P);
      return S.GetColor() != S.GetDefaultColor();
    };
    TPublishedProperty HorizSize = PP::Integer<TKorShadow>(
        QStringLiteral("HorizSize"), &TKorShadow::GetHorizSize, &TKorShadow::SetHorizSize);
    HorizSize.Stored = [](const TPersistent& P) {
      const TKorShadow& S = PP::As<TKorShadow>(P);
      return S.GetHorizSize() != S.GetDefaultSize();
    };
    TPublishedProperty VertSize = PP::Integer<TKorShadow>(
        QStringLiteral("VertSize"), &TKorShadow::GetVertSize, &TKorShadow::SetVertSize);
    VertSize.Stored = [](const TPersistent& P) {
      const TKorShadow& S = PP::As<TKorShadow>(P);
      return S.GetVertSize() != S.GetDefaultSize();
    };
    return TPropertyList{
        Color,
        HorizSize,
        PP::Boolean<TKorShadow>(QStringLiteral("Smooth"), &TKorShadow::GetSmooth,
                                &TKorShadow::SetSmooth, true),
        PP::Integer<TKorShadow>(QStringLiteral("Transparency"), &TKorShadow::GetTransparency,
                                &TKorShadow::SetTransparency, 0),
        VertSize,
    };
  }();
  return List;
}

void TKorShadow::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TKorShadow::SetHorizSize(int Value) {
  if (FHorizSize == Value) return;
  FHorizSize = Value;
  Changed();
}

void TKorShadow::SetVertSize(int Value) {
  if (FVertSize == Value) return;
  FVertSize = Value;
  Changed();
}

void TKorShadow::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  Changed();
}

void TKorShadow::SetTransparency(TKorTransparency Value) {
  Value = std::clamp(Value, 0, 100);
  if (FTransparency == Value) return;
  FTransparency = Value;
  Changed();
}

int TKorShadow::GetSize() const {
  return std::max(FHorizSize, FVertSize);
}

void TKorShadow::SetSize(int Value) {
  if (FHorizSize == Value && FVertSize == Value) return;
  FHorizSize = Value;
  FVertSize = Value;
  Changed();
}

void TKorShadow::SetDefaultColor(TColor Value) {
  FDefaultColor = Value;
}

void TKorShadow::SetDefaultSize(int Value) {
  FDefaultSize = Value;
}

TRect TKorShadow::ShadowRect(const TRect& R) const {
  return TRect(R.Left + FHorizSize, R.Top + FVertSize, R.Right + FHorizSize, R.Bottom + FVertSize);
}

// A one-pixel shadow has no room to fade.
bool TKorShadow::IsSoft() const {
  return FSmooth && GetSize() > 1;
}

bool TKorShadow::PrepareCanvas(TCanvas3D& Canvas, const TRect& R, int Z) {
  if (FColor == clNone || (FHorizSize == 0 && FVertSize == 0)) return false;
  TBrush& Brush = Canvas.GetBrush();
  Brush.SetBitmap(nullptr);
  Brush.SetColor(FColor);
  Brush.SetStyle(bsSolid);
  Canvas.GetPen().SetStyle(psClear);
  if (FTransparency > 0)
    FBlend = Canvas.BeginBlending(Canvas.RectFromRectZ(ShadowRect(R), Z), FTransparency);
  return true;
}

void TKorShadow::FinishBlending(TKorCanvas& Canvas) {
  if (FBlend) Canvas.EndBlending(std::move(FBlend));
}

void TKorShadow::Draw(TCanvas3D& Canvas, const TRect& R, int Z) {
  if (!PrepareCanvas(Canvas, R, Z)) return;
  if (IsSoft())
    DrawSoft(Canvas, R, Z);
  else
    DrawHard(Canvas, R, Z);
  FinishBlending(Canvas);
}

// One-pixel lines, each brightened by an even step from the shadow colour
// toward white, so the shadow fades out over its size.
void TKorShadow::DrawSoft(TCanvas3D& Canvas, const TRect& R, int Z) {
  const int H = FHorizSize;
  const int V = FVertSize;
  const TColor Base = ColorToRGB(FColor);
  const double Light = 255.0 - (GetRValue(Base) + GetGValue(Base) + GetBValue(Base)) / 3.0;
  const bool Flat = Canvas.GetRotationDisabled();
  TPen& Pen = Canvas.GetPen();
  Pen.SetStyle(psSolid);
  Pen.SetWidth(1);
  if (V != 0) {
    Pen.SetColor(Base);
    const int Step = Round(Light / V);
    for (int I = 1; I <= V; ++I) {
      const int Y = R.Bottom + I - 1;
      const int X0 = R.Left + H;
      const int X1 = R.Right + H + I - V - 1;
      if (Flat)
        Canvas.DoHorizLine(X0, X1, Y);
      else
        Canvas.HorizLine3D(X0, X1, Y, Z);
      Pen.SetColor(ApplyBright(Pen.GetColor(), Step));
    }
  }
  if (H != 0) {
    Pen.SetColor(Base);
    const int Step = Round(Light / H);
    for (int I = 1; I <= H; ++I) {
      const int X = R.Right + I - 1;
      const int Y0 = R.Top + V;
      const int Y1 = R.Bottom + V + I - H - 1;
      if (Flat)
        Canvas.DoVertLine(X, Y0, Y1);
      else
        Canvas.VertLine3D(X, Y0, Y1, Z);
      const int PX = R.Right + I - 2;
      const int PY = R.Bottom + V + I - H - 2;
      if (Flat)
        Canvas.SetPixel(PX, PY, Pen.GetColor());
      else
        Canvas.SetPixel3D(PX, PY, Z, Pen.GetColor());
      Pen.SetColor(ApplyBright(Pen.GetColor(), Step));
    }
  }
}

// A strip below (or above, for a negative size) and one right (or left)
// of the element, never over it. Flat, pen-less rectangles fill one pixel
// short of their right and bottom edges, hence the extra pixel on the far
// sides; at a depth the strips are polygons, which fill their corners'
// span exactly.
void TKorShadow::DrawHard(TCanvas3D& Canvas, const TRect& R, int Z) {
  const int H = FHorizSize;
  const int V = FVertSize;
  if (!Canvas.GetRotationDisabled()) {
    if (V > 0)
      Canvas.RectangleWithZ(TRect(R.Left + H, R.Bottom, R.Right + H, R.Bottom + V), Z);
    else if (V < 0)
      Canvas.RectangleWithZ(TRect(R.Left + H, R.Top + V, R.Right + H, R.Top), Z);
    if (H > 0)
      Canvas.RectangleWithZ(TRect(R.Right, R.Top + V, R.Right + H, R.Bottom + V), Z);
    else if (H < 0)
      Canvas.RectangleWithZ(TRect(R.Left + H, R.Top + V, R.Left, R.Bottom + V), Z);
    return;
  }
  if (V != 0) {
    if (V > 0)
      Canvas.Rectangle(R.Left + H, R.Bottom, R.Right + H, R.Bottom + 1 + V);
    else
      Canvas.Rectangle(R.Left + H, R.Top + 1, R.Right + H, R.Top + V);
  }
  if (H != 0) {
    if (H > 0)
      Canvas.Rectangle(R.Right, R.Top + V, R.Right + 1 + H, R.Bottom + V + 1);
    else
      Canvas.Rectangle(R.Left + 1, R.Top + V, R.Left + H, R.Bottom + V + 1);
  }
}

void TKorShadow::DrawEllipse(TCanvas3D& Canvas, const TRect& R, int Z) {
  if (!PrepareCanvas(Canvas, R, Z)) return;
  const TRect Shadow = ShadowRect(R);
  if (IsSoft()) {
    const TRect Projected = Canvas.CalcRect3D(Shadow, Z);
    Canvas.ClipEllipse(Projected);
    TCustomKorGradient Fade;
    Fade.SetDirection(gdRadial);
    Fade.SetStartColor(ApplyDark(FColor, 128));
    Fade.SetEndColor(ApplyBright(FColor, 32));
    Fade.DrawRadial(Canvas, Projected);
    Canvas.UnClipRectangle();
  } else {
    Canvas.EllipseWithZ(Shadow.Left, Shadow.Top, Shadow.Right, Shadow.Bottom, Z);
  }
  FinishBlending(Canvas);
}
