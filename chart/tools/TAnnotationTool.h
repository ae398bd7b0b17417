#pragma once

#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TKorCustomTool.h"

#include "platform/Cursors.h"
#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>

class TAnnotationCallout;
class TAnnotationTool;
class TKorShapePosition;

// The chart corner an annotation sits in when it has no custom position.
enum TAnnotationPosition { ppLeftTop, ppLeftBottom, ppRightTop, ppRightBottom };

// X and Y in chart pixels.
using TAnnotationClick = std::function<void(TAnnotationTool* Sender, TMouseButton Button,
                                            TShiftState Shift, int X, int Y)>;

// Interaction and render: a text box drawn over the finished chart, in a
// corner or at a custom position (pixels or percent of the chart size),
// with an optional callout to a point; reports clicks on the box.
class TAnnotationTool : public TKorCustomTool {
 public:
  explicit TAnnotationTool(TComponent* AOwner);
  ~TAnnotationTool() override;

  QString ClassName() const override { return QStringLiteral("TAnnotationTool"); }
  const TPropertyList& Properties() const override;
  // The published properties of another annotation (not its events).
  void Assign(const TPersistent& Source) override;
  QString Description() const override;
  QString GetEditorClass() const override { return QStringLiteral("TAnnotationToolEdit"); }

  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { SetBooleanProperty(FAutoSize, Value); }
  TAnnotationCallout& GetCallout() const { return *FCallout; }
  void SetCallout(const TAnnotationCallout& Value);
  // Shown over the box; crDefault: none.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  TAnnotationPosition GetPosition() const { return FPosition; }
  // A new corner also ends the shape's custom position.
  void SetPosition(TAnnotationPosition Value);
  TKorUnits GetPositionUnits() const { return FPositionUnits; }
  void SetPositionUnits(TKorUnits Value);
  TKorShapePosition& GetShape() const { return *FShape; }
  void SetShape(const TKorShapePosition& Value);
  // Lines are separated by KorLineSeparator.
  QString GetText() const { return FText; }
  void SetText(const QString& Value) { SetStringProperty(FText, Value); }
  TAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlign(TAlignment Value);
  // The shape's; Left and Top move it to a custom position and keep its
  // size, Width and Height switch AutoSize off.
  int GetLeft() const;
  void SetLeft(int Value);
  int GetTop() const;
  void SetTop(int Value);
  int GetWidth() const;
  void SetWidth(int Value);
  int GetHeight() const;
  void SetHeight(int Value);
  // The shape's bounds (right and bottom edges included).
  TRect GetBounds() const;
  void SetBounds(const TRect& Value);

  // Also hands the chart to the shape and the callout.
  void SetParentChart(TCustomAxisPanel* Value) override;

  // Whether (X, Y) lies in the box (edges included); false without a chart.
  bool Clicked(int X, int Y) const;
  // The box as the next drawing lays it out: the line count, the origin of
  // the first line and the box (right and bottom exclusive), in chart
  // pixels. Needs a chart; uses its canvas' font measures.
  void GetTextBounds(int& NumLines, int& X, int& Y, TRect& R) const;

  void ChartEvent(TChartToolEvent AEvent) override;
  void ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                       int Y) override;

  TAnnotationClick OnClick;

 protected:
  // Draws the box, the text and the callout on the chart's canvas.
  virtual void DrawAnnotation();

 private:
  TAnnotationCallout* CalloutObject() { return FCallout.get(); }
  TKorShapePosition* ShapeObject() { return FShape.get(); }
  int CursorValue() const { return FCursor; }
  void SetCursorValue(int Value) { FCursor = static_cast<TCursor>(Value); }
  void DrawTextLines(const TRect& Box, int NumLines, int X, int Y);
  void DrawCallout(const TRect& Box);

  bool FAutoSize = true;
  std::unique_ptr<TAnnotationCallout> FCallout;
  TCursor FCursor = crDefault;
  TAnnotationPosition FPosition = ppLeftTop;
  TKorUnits FPositionUnits = muPixels;
  std::unique_ptr<TKorShapePosition> FShape;
  QString FText;
  TAlignment FTextAlignment = taLeftJustify;
};
