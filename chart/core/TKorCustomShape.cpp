#include "chart/core/TKorCustomShape.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int RoundCornerSize = 16;
constexpr int ShadowSize = 3;

TRect BoundsOf(const TFourPoints& P) {
  TRect R(P[0].X, P[0].Y, P[0].X, P[0].Y);
  for (const TPoint& Q : P) {
    R.Left = std::min(R.Left, Q.X);
    R.Top = std::min(R.Top, Q.Y);
    R.Right = std::max(R.Right, Q.X);
    R.Bottom = std::max(R.Bottom, Q.Y);
  }
  return R;
}

TFourPoints CornersOf(const TRect& R) {
  return {TPoint(R.Left, R.Top), TPoint(R.Right, R.Top), TPoint(R.Right, R.Bottom),
          TPoint(R.Left, R.Bottom)};
}

}  // namespace

void RectToFourPoints(const TRect& R, double Angle, TFourPoints& Points) {
  const int CX = (R.Left + R.Right) / 2;
  const int CY = (R.Top + R.Bottom) / 2;
  const double Radians = Angle * KorPiStep;
  const double Sin = std::sin(Radians);
  const double Cos = std::cos(Radians);
  const TFourPoints Corners = CornersOf(R);
  for (int I = 0; I < 4; ++I) {
    const double X = Corners[I].X - CX;
    const double Y = Corners[I].Y - CY;
    Points[I] = TPoint(Round(X * Cos + Y * Sin) + CX, Round(-X * Sin + Y * Cos) + CY);
  }
}

TKorCustomShape::TKorCustomShape(TCustomKorPanel* AParent) : TKorCustomShapeBrushPen(AParent) {
  TNotifyEvent Changed = [this](TPersistent*) { Repaint(); };
  FFont = std::make_unique<TKorFont>(Changed);
  FShadow = std::make_unique<TKorShadow>();
  FShadow->SetColor(clBlack);
  FShadow->SetSize(ShadowSize);
  FShadow->SetDefaultColor(clBlack);
  FShadow->SetDefaultSize(ShadowSize);
  FShadow->OnChange = Changed;
}

TKorCustomShape::~TKorCustomShape() = default;

void TKorCustomShape::Assign(const TPersistent& Source) {
  const TKorCustomShape* Other = dynamic_cast<const TKorCustomShape*>(&Source);
  if (Other != nullptr && Other != this) {
    SetBevel(Other->FBevel);
    SetBevelWidth(Other->FBevelWidth);
    SetColor(Other->FColor);
    FFont->Assign(*Other->FFont);
    SetGradient(Other->FGradient.get());
    FShadow->Assign(*Other->FShadow);
    SetShapeStyle(Other->FShapeStyle);
    SetTextFormat(Other->FTextFormat);
    SetTransparent(Other->FTransparent);
    SetTransparency(Other->FTransparency);
  }
  TKorCustomShapeBrushPen::Assign(Source);
}

const TPropertyList& TKorCustomShape::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorCustomShape;
  static const TPropertyList List = [this] {
    TPublishedProperty Gradient =
        PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GetGradient);
    Gradient.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).ExistingGradient() != nullptr;
    };
    return TPropertyList(
        TKorCustomShapeBrushPen::Properties(),
        {
            PP::Enum<C, TPanelBevel>(QStringLiteral("Bevel"), &C::GetBevel, &C::SetBevel,
                                     {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, bvNone),
            PP::Integer<C>(QStringLiteral("BevelWidth"), &C::GetBevelWidth, &C::SetBevelWidth, 2),
            PP::Color<C>(QStringLiteral("Color"), &C::GetColor, &C::SetColor, clWhite),
            PP::Object<C, TKorFont>(QStringLiteral("Font"), &C::FontObject),
            Gradient,
            PP::Object<C, TKorShadow>(QStringLiteral("Shadow"), &C::ShadowObject),
            PP::Enum<C, TChartObjectShapeStyle>(
                QStringLiteral("ShapeStyle"), &C::GetShapeStyle, &C::SetShapeStyle,
                {"fosRectangle", "fosRoundRectangle"}, fosRectangle),
            PP::Enum<C, TTextFormat>(QStringLiteral("TextFormat"), &C::GetTextFormat,
                                     &C::SetTextFormat, {"ttfNormal", "ttfHtml"}, ttfNormal),
            PP::Integer<C>(QStringLiteral("Transparency"), &C::GetTransparency, &C::SetTransparency,
                           0),
            PP::Boolean<C>(QStringLiteral("Transparent"), &C::GetTransparent, &C::SetTransparent,
                           false),
        });
  }();
  return List;
}

bool TKorCustomShape::ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) {
  // Older streams wrote the shadow's colour (an identifier or a number) and
  // size on the shape itself.
  if (Name.compare(QStringLiteral("ShadowColor"), Qt::CaseInsensitive) == 0) {
    if (const QString* Ident = std::get_if<QString>(&Value)) {
      TColor Color;
      if (!IdentToColor(*Ident, Color)) return false;
      SetShadowColor(Color);
      return true;
    }
    if (const int* Number = std::get_if<int>(&Value)) SetShadowColor(static_cast<TColor>(*Number));
    if (const TColor* Color = std::get_if<TColor>(&Value)) SetShadowColor(*Color);
    return std::holds_alternative<int>(Value) || std::holds_alternative<TColor>(Value);
  }
  if (Name.compare(QStringLiteral("ShadowSize"), Qt::CaseInsensitive) == 0) {
    const int* Number = std::get_if<int>(&Value);
    if (Number != nullptr) SetShadowSize(*Number);
    return Number != nullptr;
  }
  return TKorCustomShapeBrushPen::ReadLegacyProperty(Name, Value);
}

TKorGradientClass TKorCustomShape::GetGradientClass() const {
  return [](TNotifyEvent ChangeHandler) {
    return std::make_unique<TKorGradient>(std::move(ChangeHandler));
  };
}

void TKorCustomShape::SetFont(const TKorFont& Value) {
  FFont->Assign(Value);
}

TKorGradient* TKorCustomShape::GetGradient() {
  if (!FGradient) FGradient = GetGradientClass()([this](TPersistent*) { Repaint(); });
  return FGradient.get();
}

void TKorCustomShape::SetGradient(const TKorGradient* Value) {
  if (Value == nullptr) {
    if (!FGradient) return;
    FGradient.reset();
    Repaint();
    return;
  }
  GetGradient()->Assign(*Value);
}

void TKorCustomShape::SetShadow(const TKorShadow& Value) {
  FShadow->Assign(Value);
}

TColor TKorCustomShape::GetShadowColor() const {
  return FShadow->GetColor();
}

void TKorCustomShape::SetShadowColor(TColor Value) {
  FShadow->SetColor(Value);
}

int TKorCustomShape::GetShadowSize() const {
  return FShadow->GetSize();
}

void TKorCustomShape::SetShadowSize(int Value) {
  FShadow->SetSize(Value);
}

void TKorCustomShape::SetTransparency(int Value) {
  SetShapeField(FTransparency, std::clamp(Value, 0, 100));
}

void TKorCustomShape::SetWidth(int Value) {
  TRect R = FShapeBounds;
  R.Right = R.Left + Value - 1;
  SetShapeBounds(R);
}

void TKorCustomShape::SetHeight(int Value) {
  TRect R = FShapeBounds;
  R.Bottom = R.Top + Value - 1;
  SetShapeBounds(R);
}

void TKorCustomShape::Draw() {
  DrawRectRotated(FShapeBounds, 0, 0);
}

void TKorCustomShape::DrawRectRotated(const TRect& R, double Angle, int Z) {
  if (FTransparent || GetParent() == nullptr) return;
  TCanvas3D& C = GetParent()->GetPanelCanvas();
  const bool Rotated = Angle != 0;
  TFourPoints Outline = CornersOf(R);
  if (Rotated) RectToFourPoints(R, Angle, Outline);
  std::unique_ptr<TKorBlend> Blend;
  if (FTransparency > 0) Blend = C.BeginBlending(Rotated ? BoundsOf(Outline) : R, FTransparency);
  DrawShadows(C, R, Outline, Rotated, Z);
  FillShape(C, R, Outline, Rotated, Z);
  OutlineShape(C, R, Outline, Rotated, Z);
  if (Blend) C.EndBlending(std::move(Blend));
}

void TKorCustomShape::DrawShadows(TCanvas3D& C, const TRect& R, const TFourPoints& Outline,
                                  bool Rotated, int Z) {
  const int H = FShadow->GetHorizSize();
  const int V = FShadow->GetVertSize();
  if ((H == 0 && V == 0) || GetBrush().GetStyle() == bsClear) return;
  if (FShapeStyle == fosRectangle && !Rotated) {
    if (C.GetSupportsFullRotation()) {
      FShadow->Draw(C, R, Z);
    } else {
      C.FrontPlaneBegin();
      FShadow->Draw(C, R);
      C.FrontPlaneEnd();
    }
  }
  if (FTransparency <= 0) return;
  // A see-through shape shows its shadow under the whole outline.
  const int Extra = GetPen().GetVisible() && FShadow->GetSize() > 0 ? GetPen().GetWidth() : 0;
  TFourPoints Moved = Outline;
  for (TPoint& P : Moved) {
    P.X += H + Extra;
    P.Y += V + Extra;
  }
  C.GetPen().SetStyle(psClear);
  C.GetBrush().SetStyle(bsSolid);
  C.GetBrush().SetColor(FShadow->GetColor());
  std::unique_ptr<TKorBlend> Blend;
  if (FShadow->GetTransparency() > 0)
    Blend = C.BeginBlending(BoundsOf(Moved), FShadow->GetTransparency());
  C.Polygon(Moved.data(), 3);
  if (Blend) C.EndBlending(std::move(Blend));
}

void TKorCustomShape::FillShape(TCanvas3D& C, const TRect& R, const TFourPoints& Outline,
                                bool Rotated, int Z) {
  if (!FGradient || !FGradient->GetVisible()) {
    C.AssignBrush(GetBrush(), FColor);
    return;
  }
  if (Rotated) {
    FGradient->Draw(C, Outline);
  } else if (C.GetSupportsFullRotation()) {
    FGradient->Draw(C, CornersOf(R), Z);
  } else {
    FGradient->Draw(C, R, FShapeStyle == fosRoundRectangle ? RoundCornerSize : 0);
  }
  C.GetBrush().SetStyle(bsClear);
}

void TKorCustomShape::OutlineShape(TCanvas3D& C, const TRect& R, const TFourPoints& Outline,
                                   bool Rotated, int Z) {
  C.AssignVisiblePen(GetPen());
  if (Rotated)
    C.Polygon(Outline.data(), 3);
  else if (C.GetSupportsFullRotation())
    C.RectangleWithZ(R, Z);
  else if (FShapeStyle == fosRoundRectangle)
    C.RoundRect(R, RoundCornerSize, RoundCornerSize);
  else
    C.Rectangle(R);
  if (Rotated || FBevel == bvNone) return;
  // The bevel lies inside the frame line.
  TRect Inner = R;
  if (GetPen().GetVisible()) InflateRect(Inner, -GetPen().GetWidth(), -GetPen().GetWidth());
  TCustomKorPanel::DrawBevel(C, Inner, FBevel, FBevelWidth, 0);
}
