#pragma once

#include "chart/core/TKorCustomToolSeries.h"
#include "chart/tools/TDrawLine.h"

#include "platform/TRect.h"

#include <functional>
#include <memory>

class TDrawLines;
class TDrawLineTool;

// Asked before a line becomes the selected one; AllowSelect false keeps
// the selection as it is.
using TDrawLineSelecting =
    std::function<void(TDrawLineTool* Sender, TDrawLine* Line, bool& AllowSelect)>;

// Interaction: lets the user draw straight lines on the chart with the
// mouse, select one, move it whole or by either end, and delete it. The
// lines are kept in axis values (the series' axes when a series is set).
// While a line is drawn or dragged it is shown in an inverting pen over
// the finished chart; the chart is repainted only when the mouse is
// released.
class TDrawLineTool : public TKorCustomToolSeries {
 public:
  explicit TDrawLineTool(TComponent* AOwner);
  ~TDrawLineTool() override;

  QString ClassName() const override { return QStringLiteral("TDrawLineTool"); }
  const TPropertyList& Properties() const override;
  // From another draw line tool: button, tolerance, the enable flags,
  // the lines and the new-line selection; then the element's settings.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TDrawLineEdit"); }
  QString Description() const override;

  TMouseButton GetButton() const { return FButton; }
  void SetButton(TMouseButton Value) { FButton = Value; }
  int GetClickTolerance() const { return FClickTolerance; }
  void SetClickTolerance(int Value) { FClickTolerance = Value; }
  bool GetEnableDraw() const { return FEnableDraw; }
  void SetEnableDraw(bool Value) { FEnableDraw = Value; }
  bool GetEnableSelect() const { return FEnableSelect; }
  // Turning selection off drops the selection and repaints.
  void SetEnableSelect(bool Value);
  TDrawLines& GetLines() const { return *FLines; }
  void SetLines(const TDrawLines& Value);
  bool GetSelectNewLines() const { return FSelectNewLines; }
  void SetSelectNewLines(bool Value) { FSelectNewLines = Value; }
  TDrawLine* GetSelected() const { return FSelected; }
  // Selects Value (nullptr: none) and repaints.
  void SetSelected(TDrawLine* Value);

  // Axis values to chart pixels and back, through the tool's axes; (0, 0)
  // without axes.
  TPoint AxisPoint(const TFloatPoint& P) const;
  TFloatPoint ScreenPoint(const TPoint& P) const;
  // The line under (X, Y) (chart pixels): the lines themselves first, then
  // their start and end handles; nullptr when none.
  TDrawLine* Clicked(int X, int Y) const;
  // Stops drawing and dragging, frees the selected line and repaints.
  void DeleteSelected();

  void ChartEvent(TChartToolEvent AEvent) override;
  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TNotifyEvent OnDraggedLine;
  TNotifyEvent OnDragLine;
  TNotifyEvent OnNewLine;
  TNotifyEvent OnSelect;
  TDrawLineSelecting OnSelecting;

 protected:
  // Limits the lines to the rectangle of the tool's axes (the chart
  // rectangle without a series) over the chart's depth, where the chart
  // can clip. Returns whether it clipped.
  virtual bool ClipDrawingRegion();

 private:
  friend class TDrawLine;
  // The line is being freed.
  void LineDestroyed(const TDrawLine* Line);

  // The line under (X, Y) for one kind of hit (see TDrawLine::Clicked):
  // the selected line first, then every line in order.
  TDrawLine* InternalClicked(int X, int Y, int Handle) const;
  // Lines in a style from Start to End (pixels), at depth 0 in 3D.
  void DrawLine(const TPoint& Start, const TPoint& End, TDrawLineStyle Style) const;
  void DrawHandles() const;
  void PaintLines();
  // The working points drawn in the inverting pen; drawing twice erases.
  void RedrawLine(const TDrawLine* Line) const;
  // The colour the inverting pen is combined with: the chart's back
  // colour in RGB.
  TColor InvertingBackColor() const;
  void MouseDown(int X, int Y);
  void MouseMove(int X, int Y);
  void MouseUp();
  void StartDrag(TDrawLine* Line, int X, int Y);
  void EndDrag();
  void EndDrawing();
  void CancelMouse() const;

  TMouseButton FButton = mbLeft;
  int FClickTolerance = 0;
  bool FEnableDraw = true;
  bool FEnableSelect = true;
  bool FSelectNewLines = true;
  std::unique_ptr<TDrawLines> FLines;
  TDrawLine* FSelected = nullptr;  // one of FLines, or none
  // caches: the mouse action in progress (reset by the next mouse down)
  bool FDrawing = false;
  int FDragMode = 0;  // 0 none, 1 start point, 2 end point, 3 whole line
  bool FDragged = false;
  TPoint FFromPoint;  // chart pixels
  TPoint FToPoint;
  TPoint FLastPoint;
};
