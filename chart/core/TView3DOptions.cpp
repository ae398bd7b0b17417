#include "chart/core/TView3DOptions.h"

#include "chart/core/KorCanvas.h"

#include "platform/Rounding.h"
#include "platform/TCustomControl.h"

#include <cmath>

TView3DOptions::TView3DOptions(TCustomControl* AParent) : FParent(AParent) {}

template <class T>
bool TView3DOptions::Update(T& Field, T Value) {
  if (Field == Value) return false;
  Field = Value;
  Repaint();
  return true;
}

void TView3DOptions::Assign(const TPersistent& Source) {
  const TView3DOptions* Other = dynamic_cast<const TView3DOptions*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FElevation = Other->FElevation;
  FFontZoom = Other->FFontZoom;
  FHorizOffset = Other->FHorizOffset;
  FOrthogonal = Other->FOrthogonal;
  FOrthoAngle = Other->FOrthoAngle;
  FPerspective = Other->FPerspective;
  FRotation = Other->FRotation;
  FTilt = Other->FTilt;
  FVertOffset = Other->FVertOffset;
  FZoom = Other->FZoom;
  FZoomText = Other->FZoomText;
  Repaint();
}

const TPropertyList& TView3DOptions::Properties() const {
  namespace PP = PublishedProperty;
  using V = TView3DOptions;
  static const TPropertyList List{
      PP::Integer<V>(QStringLiteral("Elevation"), &V::GetElevation, &V::SetElevation, 345),
      PP::Integer<V>(QStringLiteral("FontZoom"), &V::GetFontZoom, &V::SetFontZoom, 100),
      PP::Integer<V>(QStringLiteral("HorizOffset"), &V::GetHorizOffset, &V::SetHorizOffset, 0),
      PP::Integer<V>(QStringLiteral("OrthoAngle"), &V::GetOrthoAngle, &V::SetOrthoAngle, 45),
      PP::Boolean<V>(QStringLiteral("Orthogonal"), &V::GetOrthogonal, &V::SetOrthogonal, true),
      PP::Integer<V>(QStringLiteral("Perspective"), &V::GetPerspective, &V::SetPerspective, 15),
      PP::Integer<V>(QStringLiteral("Rotation"), &V::GetRotation, &V::SetRotation, 345),
      PP::Integer<V>(QStringLiteral("Tilt"), &V::GetTilt, &V::SetTilt, 0),
      PP::Integer<V>(QStringLiteral("VertOffset"), &V::GetVertOffset, &V::SetVertOffset, 0),
      PP::Integer<V>(QStringLiteral("Zoom"), &V::GetZoom, &V::SetZoom, 100),
      PP::Boolean<V>(QStringLiteral("ZoomText"), &V::GetZoomText, &V::SetZoomText, true),
  };
  return List;
}

int TView3DOptions::GetElevation() const {
  return Round(FElevation);
}

void TView3DOptions::SetElevationDouble(double Value) {
  Update(FElevation, Value);
}

int TView3DOptions::GetRotation() const {
  return Round(FRotation);
}

void TView3DOptions::SetRotationDouble(double Value) {
  Update(FRotation, Value);
}

void TView3DOptions::SetFontZoom(int Value) {
  Update(FFontZoom, Value);
}

void TView3DOptions::SetHorizOffset(int Value) {
  if (Update(FHorizOffset, Value) && OnScrolled) OnScrolled(true);
}

void TView3DOptions::SetOrthoAngle(int Value) {
  Update(FOrthoAngle, Value);
}

void TView3DOptions::SetOrthogonal(bool Value) {
  Update(FOrthogonal, Value);
}

void TView3DOptions::SetPerspective(int Value) {
  Update(FPerspective, Value);
}

void TView3DOptions::SetTilt(int Value) {
  Update(FTilt, Value);
}

void TView3DOptions::SetVertOffset(int Value) {
  if (Update(FVertOffset, Value) && OnScrolled) OnScrolled(false);
}

void TView3DOptions::SetZoom(int Value) {
  if (FZoom == Value) return;
  if (OnChangedZoom) OnChangedZoom(Value);
  FZoom = Value;
  Repaint();
}

void TView3DOptions::SetZoomText(bool Value) {
  Update(FZoomText, Value);
}

void TView3DOptions::Repaint() {
  if (FParent != nullptr) FParent->Invalidate();
}

double TView3DOptions::CalcOrthoRatio() const {
  if (!FOrthogonal) return 1.0;
  int Angle = FOrthoAngle > 90 ? 180 - FOrthoAngle : FOrthoAngle;
  return std::tan(Angle * KorPiStep);
}
