#pragma once

#include "chart/core/TCustomChart.h"
#include "chart/core/TKorCustomTool.h"

#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <QString>

class TAnnotationTool;
class TCanvas3D;
class TChartSeries;
class TChartTitle;
class TChartWall;
class TKorCustomShapePosition;

// Interaction: picks one part of a chart with the left button (the whole
// chart, legend, an axis, a series, a title or foot, the chart rectangle,
// series marks or an annotation), marks it with four handle squares, drags
// movable parts (legend, titles, annotations) and, when allowed, resizes
// the whole chart by its bottom-right corner.
class TSelectorTool : public TKorCustomTool {
 public:
  // How near (pixels) a press must be to the chart's bottom-right corner,
  // on each axis, to start resizing the chart.
  static constexpr int ResizeGrip = 8;
  // A drag moves the shape only after the mouse went further than this
  // (pixels) on one axis.
  static constexpr int DragThreshold = 2;

  explicit TSelectorTool(TComponent* AOwner);
  ~TSelectorTool() override;

  QString ClassName() const override { return QStringLiteral("TSelectorTool"); }
  const TPropertyList& Properties() const override;
  // AllowDrag, AllowResizeChart and HandleSize of another selector, then
  // the element's part.
  void Assign(const TPersistent& Source) override;
  QString Description() const override;
  QString GetEditorClass() const override { return QStringLiteral("TSelectorToolEditor"); }

  bool GetAllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool Value) { FAllowDrag = Value; }
  bool GetAllowResizeChart() const { return FAllowResizeChart; }
  void SetAllowResizeChart(bool Value) { FAllowResizeChart = Value; }
  // Half the side of a handle square, in pixels.
  int GetHandleSize() const { return FHandleSize; }
  void SetHandleSize(int Value) { SetIntegerProperty(FHandleSize, Value); }
  bool GetShowHandles() const { return FShowHandles; }
  void SetShowHandles(bool Value) { SetBooleanProperty(FShowHandles, Value); }

  // -- the selection (none of it owned)

  const TChartClickedPart& GetPart() const { return FPart; }
  TAnnotationTool* GetAnnotation() const { return FAnnotation; }
  // Nothing when that annotation is already selected as it is; nullptr
  // leaves no annotation selected.
  void SetAnnotation(TAnnotationTool* Value);
  // The legend, a title or an annotation's shape: what a drag moves.
  TKorCustomShapePosition* GetShape() const { return FShape; }
  TChartWall* GetWall() const { return FWall; }
  void SetWall(TChartWall* Value);
  TChartSeries* GetSeries() const { return FPart.Series; }
  // Selects a series and moves the tool to its chart; nullptr clears the
  // selection.
  void SetSeries(TChartSeries* Value);
  // The chart's title, subtitle, foot or sub-foot the selection is, else
  // nullptr.
  TChartTitle* SelectedTitle() const;
  bool GetDragging() const { return FDragging; }
  bool GetResizing() const { return FResizing; }

  // Selects nothing, without telling anyone.
  void EmptySelection();
  // Selects nothing and tells (DoSelected) when something was selected.
  void ClearSelection();
  // Ends a drag or resize without its release events.
  void StopDragging();
  // Whether (X, Y) is near the chart's bottom-right corner.
  bool ClickedCorner(int X, int Y) const;

  // Leaving a chart drops what was selected on it.
  void SetParentChart(TCustomAxisPanel* Value) override;
  void ChartEvent(TChartToolEvent AEvent) override;
  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  // Sender is the tool.
  TNotifyEvent OnSelected;
  TNotifyEvent OnDragging;
  TNotifyEvent OnDragged;
  TNotifyEvent OnResizing;
  TNotifyEvent OnResized;

 protected:
  // Repaints, then OnSelected.
  virtual void DoSelected();
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TCustomChart* Chart() const;
  void MouseDown(int X, int Y);
  void SelectAt(int X, int Y);
  void DragTo(int X, int Y);
  void ResizeChartTo(int X, int Y);
  void MouseUp();
  void SetAnnotationField(TAnnotationTool* Value);
  void SetSeriesField(TChartSeries* Value);

  // -- handles (chart pixels, on the chart's canvas)
  void DrawHandles();
  void DrawPartHandles(TCustomChart& C);
  void DrawHandle(const TPoint& P);
  void DrawRectHandles(const TRect& R);
  void DrawSeriesHandles(TChartSeries& S, bool Marks);

  TAnnotationTool* FAnnotation = nullptr;  // not owned; cleared when freed
  TComponent* FAnnotationComponent = nullptr;
  bool FShowHandles = true;
  TKorCustomShapePosition* FShape = nullptr;  // not owned
  TChartWall* FWall = nullptr;                // not owned
  bool FDragging = false;
  bool FMoved = false;
  int FDragOffsetX = 0;  // shape left - mouse x at the press
  int FDragOffsetY = 0;
  bool FResizing = false;
  bool FResized = false;
  TChartClickedPart FPart;  // its series is cleared when freed
  TComponent* FSeriesComponent = nullptr;
  int FHandleSize = 3;
  bool FAllowDrag = true;
  bool FAllowResizeChart = false;
};
