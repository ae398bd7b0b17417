#pragma once

#include "chart/core/TKorCustomToolSeries.h"

#include <QString>

// Interaction: drags the marks of its series (or, without one, of any
// series of the chart) to new places. A dropped mark keeps its place when
// the chart is drawn again.
class TDragMarksTool : public TKorCustomToolSeries {
 public:
  explicit TDragMarksTool(TComponent* AOwner) : TKorCustomToolSeries(AOwner) {}
  ~TDragMarksTool() override;

  QString ClassName() const override { return QStringLiteral("TDragMarksTool"); }
  QString GetEditorClass() const override { return QStringLiteral("TDragMarksToolEditor"); }
  QString Description() const override;

  // The series and mark being dragged (nullptr and -1 when none).
  TChartSeries* GetDragSeries() const { return FDragSeries; }
  int GetDragIndex() const { return FDragIndex; }

  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The series whose mark lies at (X, Y) and that mark's index: the tool's
  // series, or the chart's from the last one. Only active series count,
  // and with OnlyVisible only visible marks.
  TChartSeries* MarkAt(int X, int Y, bool OnlyVisible, int& Index) const;
  void StartDrag(TChartSeries* Series, int Index, int X, int Y);
  void DragTo(int X, int Y);
  void EndDrag();

  // Working state of a drag: the series is watched, so that freeing it
  // mid-drag ends the drag.
  TChartSeries* FDragSeries = nullptr;  // not owned
  TComponent* FDragComponent = nullptr;
  int FDragIndex = -1;
  int FOldX = 0;
  int FOldY = 0;
};
