#pragma once

#include "chart/core/TChartBrush.h"
#include "chart/core/TWhitePen.h"
#include "chart/core/TZoomPanning.h"

#include "platform/TCustomControl.h"

#include <memory>

enum TKorZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };

// Data: the fill of the zoom rectangle: white, clear by default.
class TKorZoomBrush : public TChartBrush {
 public:
  explicit TKorZoomBrush(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TKorZoomBrush"); }
  const TPropertyList& Properties() const override;
};

// Data: the outline of the zoom rectangle: white by default.
class TKorZoomPen : public TWhitePen {
 public:
  explicit TKorZoomPen(TNotifyEvent ChangeHandler = nullptr)
      : TWhitePen(std::move(ChangeHandler)) {}

  QString ClassName() const override { return QStringLiteral("TKorZoomPen"); }
};

// Interaction: how the user zooms a chart with a mouse drag, and the drag
// rectangle in progress (inherited). The brush and pen are created on
// first use.
class TKorZoom : public TZoomPanning {
 public:
  TKorZoom() = default;
  ~TKorZoom() override;

  // Copies Allow, Animated, AnimatedSteps, Brush, Direction, KeyShift,
  // MouseButton and Pen.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TKorZoom"); }
  const TPropertyList& Properties() const override;

  bool GetAllow() const { return FAllow; }
  void SetAllow(bool Value) { FAllow = Value; }
  bool GetAnimated() const { return FAnimated; }
  void SetAnimated(bool Value) { FAnimated = Value; }
  int GetAnimatedSteps() const { return FAnimatedSteps; }
  void SetAnimatedSteps(int Value) { FAnimatedSteps = Value; }
  TKorZoomBrush* GetBrush();
  const TKorZoomBrush* ExistingBrush() const { return FBrush.get(); }
  // nullptr frees the brush; anything else is copied into it.
  void SetBrush(const TChartBrush* Value);
  TKorZoomDirection GetDirection() const { return FDirection; }
  void SetDirection(TKorZoomDirection Value) { FDirection = Value; }
  TShiftState GetKeyShift() const { return FKeyShift; }
  void SetKeyShift(TShiftState Value) { FKeyShift = Value; }
  // Pixels a drag must span to zoom.
  int GetMinimumPixels() const { return FMinimumPixels; }
  void SetMinimumPixels(int Value) { FMinimumPixels = Value; }
  TMouseButton GetMouseButton() const { return FMouseButton; }
  void SetMouseButton(TMouseButton Value) { FMouseButton = Value; }
  TKorZoomPen* GetPen();
  const TKorZoomPen* ExistingPen() const { return FPen.get(); }
  // nullptr frees the pen; anything else is copied into it.
  void SetPen(const TChartPen* Value);
  bool GetUpLeftZooms() const { return FUpLeftZooms; }
  void SetUpLeftZooms(bool Value) { FUpLeftZooms = Value; }

 private:
  bool FAllow = true;
  bool FAnimated = false;
  int FAnimatedSteps = 8;
  std::unique_ptr<TKorZoomBrush> FBrush;  // created on first use
  TKorZoomDirection FDirection = tzdBoth;
  TShiftState FKeyShift;
  int FMinimumPixels = 16;
  TMouseButton FMouseButton = mbLeft;
  std::unique_ptr<TKorZoomPen> FPen;  // created on first use
  bool FUpLeftZooms = false;
};
