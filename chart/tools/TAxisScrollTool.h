#pragma once

#include "chart/core/TKorCustomToolAxis.h"

#include <QString>

class TChartAxis;

// Interaction: scrolls an axis (its own, or without one any axis of the
// chart) by dragging the axis itself; the range follows the mouse.
class TAxisScrollTool : public TKorCustomToolAxis {
 public:
  explicit TAxisScrollTool(TComponent* AOwner) : TKorCustomToolAxis(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TAxisScrollTool"); }
  const TPropertyList& Properties() const override;
  // The tool has no editor form of its own.
  QString GetEditorClass() const override { return QString(); }
  QString Description() const override;
  // From another axis scroll tool: ScrollInverted; then the element's part.
  void Assign(const TPersistent& Source) override;

  bool GetScrollInverted() const { return FScrollInverted; }
  void SetScrollInverted(bool Value) { FScrollInverted = Value; }

  // The axis being dragged, nullptr when idle.
  TChartAxis* GetDragAxis() const { return FDragAxis; }

  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

 private:
  // The axis under (X, Y): the tool's axis when shown and hit, or without
  // one the first shown axis of the chart that is hit.
  TChartAxis* AxisAt(int X, int Y) const;
  void DragTo(int X, int Y);
  // Scrolls Axis by Pixels of its own scale (nothing for an axis without
  // pixels).
  static void ScrollPixels(TChartAxis& Axis, int Pixels);

  bool FScrollInverted = false;
  // caches: the drag under way (reset on mouse up)
  TChartAxis* FDragAxis = nullptr;  // not owned; checked against the chart's axes before use
  int FOldX = 0;
  int FOldY = 0;
};
