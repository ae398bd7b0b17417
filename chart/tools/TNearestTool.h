#pragma once

#include "chart/core/TKorCustomToolSeries.h"

#include "platform/TRect.h"

#include <QString>

#include <memory>

class TChartPen;

// The marker drawn around the nearest point.
enum TNearestToolStyle { hsNone, hsCircle, hsRectangle, hsDiamond };

// Interaction: follows the mouse and marks the point of its series that
// lies nearest to it on the screen, with an optional line from the mouse
// to the point. It either repaints the chart on every move or inverts its
// marker over the finished picture. The inherited OnChange fires after
// every move.
class TNearestTool : public TKorCustomToolSeries {
 public:
  explicit TNearestTool(TComponent* AOwner);
  ~TNearestTool() override;

  QString ClassName() const override { return QStringLiteral("TNearestTool"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TNearestToolEdit"); }
  QString Description() const override;
  // From another nearest tool: line pen, full repaint, size and style;
  // then the element's part.
  void Assign(const TPersistent& Source) override;

  TChartPen& GetLinePen() const { return *FLinePen; }
  void SetLinePen(const TChartPen& Value);
  // The line pen's visibility.
  bool GetDrawLine() const;
  void SetDrawLine(bool Value);
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { SetBooleanProperty(FFullRepaint, Value); }
  // Half the marker's width and height, in pixels.
  int GetSize() const { return FSize; }
  void SetSize(int Value) { SetIntegerProperty(FSize, Value); }
  TNearestToolStyle GetStyle() const { return FStyle; }
  void SetStyle(TNearestToolStyle Value);

  // The marked point (-1: none) and the mouse position it was found for.
  int GetPoint() const { return FPoint; }
  const TPoint& GetMouse() const { return FMouse; }

  // The index of the point of Series drawn nearest to (X, Y) (chart
  // pixels) inside the chart rectangle; -1 when there is none within 9999
  // pixels. Null points count only with IncludeNulls.
  static int GetNearestPoint(const TChartSeries* Series, int X, int Y, bool IncludeNulls = false);
  // Draws the marker (and the line) of the current point; without full
  // repaint it inverts, so a second call restores every pixel.
  void PaintHint();

  void ChartEvent(TChartToolEvent Event) override;
  void ChartMouseEvent(TChartMouseEvent Event, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

 private:
  TChartPen* LinePenObject() { return FLinePen.get(); }
  void MouseMoved(int X, int Y);
  // The marker's depth: the depth axis' place of the point's Z value, else
  // the series' front.
  int PointZ() const;

  std::unique_ptr<TChartPen> FLinePen;
  bool FFullRepaint = true;
  int FSize = 20;
  TNearestToolStyle FStyle = hsCircle;
  // caches: the marked point and the mouse position of the last move
  int FPoint = -1;
  TPoint FMouse;
};
