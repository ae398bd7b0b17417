#pragma once

#include "chart/core/TKorCustomToolAxis.h"

#include "platform/Cursors.h"
#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>

class TChartPen;
class TColorBandTool;
class TColorLineTool;
class TKorGradient;

using TColorBandClickEvent = std::function<void(TColorBandTool* Sender, TMouseButton Button,
                                                TShiftState Shift, int X, int Y)>;

// Interaction and render: the band between two values of an axis filled
// with a colour, gradient or pattern, behind or in front of the series. It
// owns two colour lines (inactive unless ResizeStart / ResizeEnd) that let
// the user resize the band by dragging its edges.
class TColorBandTool : public TKorCustomToolAxis {
 public:
  explicit TColorBandTool(TComponent* AOwner);
  ~TColorBandTool() override;

  QString ClassName() const override { return QStringLiteral("TColorBandTool"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TColorBandToolEditor"); }
  QString Description() const override;
  // The lines take the band's values read from the stream.
  void Loaded() override;
  // Both lines get the band's chart as the chart they draw on.
  void SetParentChart(TCustomAxisPanel* Value) override;
  void SetAxis(TChartAxis* Value) override;
  // From another band: its colour, cursor, places, gradient, values,
  // transparency and both lines' pens and resizing, then the axis tool's
  // part.
  void Assign(const TPersistent& Source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { SetColorProperty(FColor, Value); }
  // Shown over the band; crDefault leaves the chart's cursor alone.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  bool GetDrawBehind() const { return FDrawBehind; }
  void SetDrawBehind(bool Value) { SetBooleanProperty(FDrawBehind, Value); }
  bool GetDrawBehindAxes() const { return FDrawBehindAxes; }
  void SetDrawBehindAxes(bool Value) { SetBooleanProperty(FDrawBehindAxes, Value); }
  TKorGradient& GetGradient() const { return *FGradient; }
  void SetGradient(const TKorGradient& Value);
  // Axis units; the start may lie above the end.
  double GetStartValue() const { return FStartValue; }
  void SetStartValue(double Value);
  double GetEndValue() const { return FEndValue; }
  void SetEndValue(double Value);
  // Percent of the background showing through the band.
  int GetTransparency() const { return FTransparency; }
  void SetTransparency(int Value);
  TChartPen& GetStartLinePen() const;
  void SetStartLinePen(const TChartPen& Value);
  TChartPen& GetEndLinePen() const;
  void SetEndLinePen(const TChartPen& Value);
  bool GetResizeStart() const;
  void SetResizeStart(bool Value);
  bool GetResizeEnd() const;
  void SetResizeEnd(bool Value);

  // The owned edge lines.
  TColorLineTool& GetStartLine() const { return *FStartLine; }
  TColorLineTool& GetEndLine() const { return *FEndLine; }

  // The band's rectangle in chart pixels (before projection); empty
  // without an axis or when the band lies outside the axis range.
  TRect BoundsRect() const;
  // Fills the band and draws the active edge lines.
  void PaintBand();
  // Whether (X, Y) (chart pixels) lies inside the projected band.
  bool Clicked(int X, int Y) const;

  void ChartEvent(TChartToolEvent AEvent) override;
  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TColorBandClickEvent OnClick;

 private:
  TKorGradient* GradientObject() { return FGradient.get(); }
  TChartPen* StartLinePenObject() { return &GetStartLinePen(); }
  TChartPen* EndLinePenObject() { return &GetEndLinePen(); }
  int CursorValue() const { return FCursor; }
  void SetCursorValue(int Value) { FCursor = Value; }
  // Depth the band is drawn at: the back wall when behind the series.
  int BandZ() const;
  // A dragged edge line moves its value of the band.
  void LineDragged(TColorLineTool* Line);
  void FillBand(const TRect& R);

  TColor FColor = clWhite;
  TCursor FCursor = crDefault;
  bool FDrawBehind = true;
  bool FDrawBehindAxes = false;
  std::unique_ptr<TKorGradient> FGradient;
  double FStartValue = 0;
  double FEndValue = 0;
  int FTransparency = 0;
  TColorLineTool* FStartLine = nullptr;  // owned as components of the band
  TColorLineTool* FEndLine = nullptr;
};
