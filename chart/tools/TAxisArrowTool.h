#pragma once

#include "chart/core/TKorCustomToolAxis.h"

#include <QString>

#include <functional>

class TAxisArrowTool;
class TChartAxis;

// Which ends of the axis get an arrow.
enum TAxisArrowToolPosition { aaStart, aaEnd, aaBoth };

// AtStart: the start arrow was clicked, else the end arrow.
using TAxisArrowClickEvent = std::function<void(TAxisArrowTool* Sender, bool AtStart)>;

// Interaction: an arrow at either end of its axis; clicking one scrolls the
// axis by a percentage of its range towards that end.
class TAxisArrowTool : public TKorCustomToolAxis {
 public:
  explicit TAxisArrowTool(TComponent* AOwner) : TKorCustomToolAxis(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TAxisArrowTool"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TAxisArrowToolEditor"); }
  QString Description() const override;
  // From another arrow tool: every setting; then the element's part.
  void Assign(const TPersistent& Source) override;

  // Width and length of the head, in pixels.
  int GetHeadWidth() const { return FHeadWidth; }
  void SetHeadWidth(int Value) { SetIntegerProperty(FHeadWidth, Value); }
  // Length of the whole arrow along the axis, in pixels.
  int GetLength() const { return FLength; }
  void SetLength(int Value) { SetIntegerProperty(FLength, Value); }
  TAxisArrowToolPosition GetPosition() const { return FPosition; }
  void SetPosition(TAxisArrowToolPosition Value);
  bool GetScrollInverted() const { return FScrollInverted; }
  void SetScrollInverted(bool Value) { FScrollInverted = Value; }
  // Percent of the axis range one click scrolls; 0 makes the arrows inert.
  int GetScrollPercent() const { return FScrollPercent; }
  void SetScrollPercent(int Value) { FScrollPercent = Value; }
  // The shaft's width in percent of the head's.
  int GetSizePercent() const { return FSizePercent; }
  void SetSizePercent(int Value) { SetIntegerProperty(FSizePercent, Value); }

  // 0 for the start arrow, 1 for the end arrow, -1 when (X, Y) (chart
  // pixels) is on neither.
  int ClickedArrow(int X, int Y) const;

  void ChartEvent(TChartToolEvent AEvent) override;
  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TAxisArrowClickEvent OnClick;

 private:
  // The axis when it is there and shown, else nullptr.
  TChartAxis* ShownAxis() const;
  bool HasStart() const { return FPosition == aaStart || FPosition == aaBoth; }
  bool HasEnd() const { return FPosition == aaEnd || FPosition == aaBoth; }
  void DrawArrows(TChartAxis& Axis);
  // Scrolls the axis (and its opposite standard axis, when a series spans
  // both) by Delta axis units, unless the chart's allow-scroll event
  // refuses.
  void ScrollAxis(TChartAxis& Axis, double Delta);

  int FHeadWidth = 8;
  int FLength = 16;
  TAxisArrowToolPosition FPosition = aaBoth;
  bool FScrollInverted = false;
  int FScrollPercent = 10;
  int FSizePercent = 50;
};
