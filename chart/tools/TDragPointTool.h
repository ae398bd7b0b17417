#pragma once

#include "chart/core/TKorCustomToolSeries.h"

#include <QString>

#include <functional>

class TChartAxis;
class TDragPointTool;

// Which values of the point a drag changes.
enum TDragPointStyle { dsX, dsY, dsBoth };

using TDragPointEvent = std::function<void(TDragPointTool* Sender, int Index)>;

// Interaction: drags one point of its series with the mouse, changing its X
// value, its Y value or both to the axis values under the mouse. The points
// are not re-sorted, so a point dragged past its neighbours stays there.
class TDragPointTool : public TKorCustomToolSeries {
 public:
  explicit TDragPointTool(TComponent* AOwner) : TKorCustomToolSeries(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TDragPointTool"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TDragPointToolEdit"); }
  QString Description() const override;
  // From another drag-point tool: the drag style and the series; then the
  // element's part.
  void Assign(const TPersistent& Source) override;

  TDragPointStyle GetDragStyle() const { return FDragStyle; }
  void SetDragStyle(TDragPointStyle Value) { FDragStyle = Value; }

  // The point being dragged, -1 when none.
  int GetIndex() const { return FIndex; }

  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TDragPointEvent OnDragPoint;

 private:
  void MoveTo(int X, int Y);
  // The value of Axis at pixel Pos; an axis without a range first gets a
  // tiny one, so that the mouse position maps to a value at all.
  static double AxisValue(TChartAxis& Axis, int Pos);

  TDragPointStyle FDragStyle = dsBoth;
  int FIndex = -1;
};
