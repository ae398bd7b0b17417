#pragma once

#include "platform/TPersistent.h"

#include <functional>

class TCustomControl;

// True for a change of the horizontal offset, false for the vertical one.
using TKorView3DScrolled = std::function<void(bool IsHorizontal)>;
using TKorView3DChangedZoom = std::function<void(int NewZoom)>;

// Data: the user's 3D view of a chart (angles in degrees, zoom and
// perspective in percent, offsets in pixels), read by the drawing surface
// every frame. Owned by the chart panel; each setter repaints the panel
// only when the value changes.
class TView3DOptions : public TPersistent {
 public:
  // Parent is repainted on changes; it may be nullptr.
  explicit TView3DOptions(TCustomControl* AParent = nullptr);

  // Copies every setting and the zoom-text flag, not the events.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TView3DOptions"); }
  const TPropertyList& Properties() const override;

  // Held as doubles (a rotation tool turns by fractions of a degree) and
  // published rounded to the nearest integer.
  int GetElevation() const;
  void SetElevation(int Value) { SetElevationDouble(Value); }
  double GetElevationDouble() const { return FElevation; }
  void SetElevationDouble(double Value);
  int GetRotation() const;
  void SetRotation(int Value) { SetRotationDouble(Value); }
  double GetRotationDouble() const { return FRotation; }
  void SetRotationDouble(double Value);

  int GetFontZoom() const { return FFontZoom; }
  void SetFontZoom(int Value);
  int GetHorizOffset() const { return FHorizOffset; }
  void SetHorizOffset(int Value);
  int GetOrthoAngle() const { return FOrthoAngle; }
  void SetOrthoAngle(int Value);
  bool GetOrthogonal() const { return FOrthogonal; }
  void SetOrthogonal(bool Value);
  int GetPerspective() const { return FPerspective; }
  void SetPerspective(int Value);
  int GetTilt() const { return FTilt; }
  void SetTilt(int Value);
  int GetVertOffset() const { return FVertOffset; }
  void SetVertOffset(int Value);
  int GetZoom() const { return FZoom; }
  void SetZoom(int Value);
  bool GetZoomText() const { return FZoomText; }
  void SetZoomText(bool Value);

  TCustomControl* GetParent() const { return FParent; }

  // Invalidates the parent.
  void Repaint();
  // Screen displacement per unit of depth of the orthogonal view: 1 when not
  // orthogonal, else the tangent of the ortho angle folded into 0..90.
  double CalcOrthoRatio() const;

  // After the repaint of an offset change.
  TKorView3DScrolled OnScrolled;
  // Before a new zoom is stored, with the new value.
  TKorView3DChangedZoom OnChangedZoom;

 private:
  template <class T>
  bool Update(T& Field, T Value);

  double FElevation = 345.0;
  int FFontZoom = 100;
  int FHorizOffset = 0;
  bool FOrthogonal = true;
  int FOrthoAngle = 45;
  int FPerspective = 15;
  double FRotation = 345.0;
  int FTilt = 0;
  int FVertOffset = 0;
  int FZoom = 100;
  bool FZoomText = true;
  TCustomControl* FParent;  // not owned: the parent owns these options
};
