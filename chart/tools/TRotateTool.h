#pragma once

#include "chart/core/TKorCustomTool.h"

#include "platform/TRect.h"

// Which angles a rotate tool turns: both, only the rotation, or only the
// elevation.
enum TRotateToolStyles { rsAll, rsRotation, rsElevation };

// Interaction: turns a chart in 3D with the mouse. Dragging across the
// chart rectangle's width turns the rotation by 90 degrees, across its
// height the elevation. With a visible pen the chart is not repainted
// during the drag: the tool shows the chart's box as an inverting outline
// and the chart repaints once when the mouse is released.
class TRotateTool : public TKorCustomTool {
 public:
  explicit TRotateTool(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TRotateTool"); }
  const TPropertyList& Properties() const override;
  // From another rotate tool: button, inverted and style; then the
  // element's settings.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TRotateToolEditor"); }
  QString Description() const override;

  TMouseButton GetButton() const { return FButton; }
  void SetButton(TMouseButton Value) { FButton = Value; }
  bool GetInverted() const { return FInverted; }
  void SetInverted(bool Value) { FInverted = Value; }
  TRotateToolStyles GetStyle() const { return FStyle; }
  void SetStyle(TRotateToolStyles Value) { FStyle = Value; }

  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  // After every change of the angles during a drag.
  TNotifyEvent OnRotate;

  // The angle (degrees) after a change by Delta. With full rotation both
  // angles wrap into 0..360; otherwise the rotation wraps past 360 (and
  // below 0 when turning back) and the elevation stays between 270 and
  // 360 when it moves towards either end.
  static double NewRotation(double Angle, double Delta, bool FullRotation);
  static double NewElevation(double Angle, double Delta, bool FullRotation);

 protected:
  // Hidden, inverting (XOR) and white.
  std::unique_ptr<TChartPen> CreateChartPen() override;

 private:
  void Rotate(int X, int Y);
  void EndDrag();
  // The chart's box (the chart rectangle at the front and at the back,
  // and the four depth edges) in the tool's pen; drawing twice erases.
  // With NewAngles the surface first takes the view's current angles.
  void DrawOutline(bool NewAngles);

  TMouseButton FButton = mbLeft;
  bool FInverted = false;
  TRotateToolStyles FStyle = rsAll;
  // caches: the drag in progress
  bool FDragging = false;
  bool FFirstMove = true;
  bool FOldAutoRepaint = true;  // the chart's, saved on the first move
  TPoint FLastPoint;            // chart pixels
};
