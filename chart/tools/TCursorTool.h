#pragma once

#include "chart/core/TKorCustomToolSeries.h"

#include "platform/TRect.h"

#include <QString>

#include <functional>

class TChartAxis;
class TCursorTool;

// Which lines the cursor shows.
enum TCursorToolStyle { cssHorizontal, cssVertical, cssBoth };

// X and Y in chart pixels; Series and ValueIndex the snapped point
// (ValueIndex -1 when the position is not a series point).
using TCursorToolChangeEvent =
    std::function<void(TCursorTool* Sender, int X, int Y, double XValue, double YValue,
                       TChartSeries* Series, int ValueIndex)>;
// Lets the program change the rectangle the lines span.
using TCursorToolGetAxisRect = std::function<void(TCursorTool* Sender, TRect& Rect)>;

// Interaction: a horizontal and/or vertical line across the plot at an
// axis value, dragged with the mouse or following it, optionally snapping
// to the nearest point of its series. The lines are inverted over the
// finished picture, so moving them never repaints the chart.
class TCursorTool : public TKorCustomToolSeries {
 public:
  explicit TCursorTool(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TCursorTool"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TCursorToolEditor"); }
  QString Description() const override;
  // From another cursor tool: the position and every setting; then the
  // element's part.
  void Assign(const TPersistent& Source) override;

  int GetClickTolerance() const { return FClickTolerance; }
  void SetClickTolerance(int Value) { SetIntegerProperty(FClickTolerance, Value); }
  bool GetFollowMouse() const { return FFollowMouse; }
  void SetFollowMouse(bool Value) { SetBooleanProperty(FFollowMouse, Value); }
  bool GetSnap() const { return FSnap; }
  void SetSnap(bool Value) { SetBooleanProperty(FSnap, Value); }
  TCursorToolStyle GetStyle() const { return FStyle; }
  void SetStyle(TCursorToolStyle Value);
  bool GetUseChartRect() const { return FUseChartRect; }
  void SetUseChartRect(bool Value) { SetBooleanProperty(FUseChartRect, Value); }
  bool GetUseSeriesZ() const { return FUseSeriesZ; }
  void SetUseSeriesZ(bool Value) { SetBooleanProperty(FUseSeriesZ, Value); }
  // The position in axis values. Setting one fixes the position: the
  // cursor is then never recentred.
  double GetXValue() const { return FXValue; }
  void SetXValue(double Value);
  double GetYValue() const { return FYValue; }
  void SetYValue(double Value);
  void SetSeries(TChartSeries* Value) override;

  // The position in chart pixels; -1 until first computed.
  int GetScreenX() const { return FScreenX; }
  int GetScreenY() const { return FScreenY; }
  // 0 none, 1 the horizontal line, 2 the vertical line, 3 both.
  int GetDraggedPart() const { return FDragged; }
  // Depth of the lines in a 3D chart (pixels).
  int Z() const;
  // The rectangle the lines span, in chart pixels.
  TRect GetAxisRect() const;
  // The part under (X, Y), numbered as GetDraggedPart.
  int Clicked(int X, int Y) const;
  // Screen position from the values; a never-positioned cursor is first
  // put in the middle of its axes.
  void CalcScreenPositions();
  // Values from a mouse position, as the dragged part allows.
  void CalcValuePositions(int X, int Y);
  // Moves the values onto the nearest point of the series; the index of
  // that point, or -1 (values unchanged).
  int SnapToPoint();
  // Inverts the lines on the chart's current canvas: a second call at the
  // same place restores every pixel.
  void RedrawCursor();

  void ChartEvent(TChartToolEvent Event) override;
  void ChartMouseEvent(TChartMouseEvent Event, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TCursorToolChangeEvent OnChange;
  TCursorToolChangeEvent OnSnapChange;
  TCursorToolGetAxisRect OnGetAxisRect;

 protected:
  using TKorCustomToolSeries::Changed;
  // Fires OnChange with the screen position, the values, the series and
  // ValueIndex (-1 when not snapped).
  virtual void Changed(int ValueIndex);

 private:
  bool InAxisRectangle(int X, int Y) const;
  // (X, Y) moved to the lines' depth when they lie at the series' depth.
  void ToLinePlane(int& X, int& Y) const;
  void MouseMoved(int X, int Y);
  void PointCursorAt(int X, int Y);
  bool HasAxes() const { return GetHorizAxis() != nullptr && GetVertAxis() != nullptr; }

  int FClickTolerance = 3;
  bool FFollowMouse = false;
  bool FSnap = false;
  TCursorToolStyle FStyle = cssBoth;
  bool FUseChartRect = false;
  bool FUseSeriesZ = false;
  double FXValue = 0;
  double FYValue = 0;
  // caches
  // False until the values are set (in code, by a copy, by the mouse or by
  // the first centring); a cursor never positioned is centred once.
  bool FPositioned = false;
  int FScreenX = -1;
  int FScreenY = -1;
  int FDragged = 0;
  int FLastSnap = -1;
};
