#pragma once

#include "chart/tools/TAnnotationTool.h"

#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <memory>

class TBitmap;

// Interaction: a see-through box over the chart that the user drags with
// the left button and resizes by its edges, and whose area can be copied
// as a bitmap.
class TRectangleTool : public TAnnotationTool {
 public:
  // Smallest distance (pixels) a resize leaves between opposite edges.
  static constexpr int MinEdgeDistance = 3;

  explicit TRectangleTool(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TRectangleTool"); }
  const TPropertyList& Properties() const override;
  QString Description() const override;

  // The edge under (X, Y): 0 left, 1 top, 2 right, 3 bottom (within 4
  // pixels, in that order of preference), -1 none or outside the box.
  int ClickedEdge(int X, int Y) const;
  // The chart's pixels under the box, in a bitmap of the box's size. With
  // ChartOnly the whole chart is drawn afresh into a new bitmap without
  // this tool; otherwise they come from the chart's off-screen buffer
  // (drawn first when there is none). nullptr without a chart.
  std::unique_ptr<TBitmap> Bitmap(bool ChartOnly);

  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  // Sender is the tool.
  TNotifyEvent OnDragged;
  TNotifyEvent OnDragging;
  TNotifyEvent OnResized;
  TNotifyEvent OnResizing;

 private:
  void MouseDown(int X, int Y);
  void MouseMove(int X, int Y);
  void MouseUp();
  void ResizeTo(int X, int Y);
  void ShowEdgeCursor(int X, int Y);

  // caches: the state of one drag or resize, reset by the button's release
  TPoint FOffset;
  bool FDragging = false;
  int FEdge = -1;
};
