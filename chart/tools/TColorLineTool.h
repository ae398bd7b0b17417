#pragma once

#include "chart/core/TKorCustomToolAxis.h"

#include <QString>

#include <functional>

class TChartAxis;
class TColorLineTool;

// Where the line sits: at its own Value, or at the axis' maximum, centre or
// minimum (following the axis as it rescales).
enum TColorLineStyle { clCustom, clMaximum, clCenter, clMinimum };

using TColorLineToolOnDrag = std::function<void(TColorLineTool* Sender)>;

// Interaction and render: a line across the chart at one value of its axis
// (a threshold or marker), optionally on the back wall and along the depth
// in 3D, that the user may drag with the mouse. A colour band owns two of
// them to resize itself; those never join a tool list and work on the
// band's chart instead.
class TColorLineTool : public TKorCustomToolAxis {
 public:
  explicit TColorLineTool(TComponent* AOwner) : TKorCustomToolAxis(AOwner) {}
  ~TColorLineTool() override;

  QString ClassName() const override { return QStringLiteral("TColorLineTool"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TColorLineToolEditor"); }
  QString Description() const override;
  // From another colour line: drag settings, 3D settings, style and value;
  // then the element's part.
  void Assign(const TPersistent& Source) override;
  // A band's line stays out of every tool list.
  void SetParentChart(TCustomAxisPanel* Value) override;

  bool GetAllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool Value) { FAllowDrag = Value; }
  // Repaint the whole chart at every move of a drag, instead of moving an
  // inverted line.
  bool GetDragRepaint() const { return FDragRepaint; }
  void SetDragRepaint(bool Value) { FDragRepaint = Value; }
  bool GetDraw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value) { SetBooleanProperty(FDraw3D, Value); }
  bool GetDrawBehind() const { return FDrawBehind; }
  void SetDrawBehind(bool Value) { SetBooleanProperty(FDrawBehind, Value); }
  // Dragging may go past the ends of the axis.
  bool GetNoLimitDrag() const { return FNoLimitDrag; }
  void SetNoLimitDrag(bool Value) { FNoLimitDrag = Value; }
  TColorLineStyle GetStyle() const { return FStyle; }
  void SetStyle(TColorLineStyle Value);
  // Axis units. Setting it makes the style clCustom (not while reading a
  // stream, which sets the style on its own).
  double GetValue() const { return FValue; }
  void SetValue(double Value);

  bool GetDragging() const { return FDragging; }
  // The value the style names (axis units): the axis' maximum, minimum or
  // their middle, else Value.
  double CalcValue() const;
  // Value clamped to the range the axis shows between its end pixels.
  double LimitValue(double Value) const;
  // Whether (X, Y) (chart pixels) is within 2 pixels of the line, inside
  // the chart rectangle.
  bool Clicked(int X, int Y) const;
  // The part drawn behind the series (Back) or the one in front.
  void DrawColorLine(bool Back);

  // For a band that owns the line: the line then draws on and takes mouse
  // actions from Chart (watched, not owned) without joining its tool list,
  // and DoEndDragLine calls Hook first.
  void MakeBandLine(TColorLineToolOnDrag EndDragHook);
  void SetOwnerChart(TCustomAxisPanel* Chart);
  // The owner chart of a band's line, else the parent chart.
  TCustomAxisPanel* Chart() const;

  void ChartEvent(TChartToolEvent AEvent) override;
  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TColorLineToolOnDrag OnBeginDragLine;
  TColorLineToolOnDrag OnDragLine;
  TColorLineToolOnDrag OnEndDragLine;

 protected:
  virtual void DoEndDragLine();
  // Pen changes repaint the chart the line draws on (a band's too).
  void CanvasChanged(TPersistent* Sender) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The value drawn: CalcValue, with a draggable Value kept inside the
  // axis range (the stored Value is left alone, so zooming out brings the
  // line back where it was).
  double DrawValue() const;
  // Pixel of the line along its axis.
  int LinePosition() const;
  // One part with the surface's current pen.
  void DrawPart(bool Back);
  // Both parts with an inverting pen on the window between frames: drawing
  // twice restores every pixel.
  void DrawInverted();
  void DragTo(int X, int Y);

  bool FAllowDrag = true;
  bool FDragRepaint = false;
  bool FDraw3D = true;
  bool FDrawBehind = false;
  bool FNoLimitDrag = false;
  TColorLineStyle FStyle = clCustom;
  double FValue = 0;
  bool FBandLine = false;
  TColorLineToolOnDrag FEndDragHook;
  TCustomAxisPanel* FOwnerChart = nullptr;  // not owned
  // The owner chart as the component that reports its own destruction.
  TComponent* FOwnerChartComponent = nullptr;
  // caches: the drag in progress
  bool FDragging = false;
};
