#pragma once

#include "chart/series/TCustomLineSeries.h"

#include "platform/TBrush.h"
#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>
#include <QStringList>

#include <memory>

// Render: the lightest series type, one pen and nothing else. Its points
// are joined straight from the value arrays into one line, newly added
// points can be drawn at once without a repaint, and the hit test finds
// points and segments.
struct TFastLineTrace;

class TFastLineSeries : public TCustomLineSeries {
 public:
  explicit TFastLineSeries(TComponent* AOwner);
  ~TFastLineSeries() override;

  QString ClassName() const override { return QStringLiteral("TFastLineSeries"); }
  const TPropertyList& Properties() const override;
  // From another fast line series the six option flags, then the series
  // part.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TFastLineSeriesEditor"); }

  // True: a new point asks the chart to repaint; false: its segment is
  // drawn at once on the chart's canvas. A plain field (no repaint).
  bool GetAutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
  // False: a point on the pixel column of the previous drawn point is
  // skipped.
  bool GetDrawAllPoints() const { return FDrawAllPoints; }
  void SetDrawAll(bool Value);
  // Incremental drawing recolours the canvas's stock pen instead of making
  // the line pen current. Only where the platform has that entry point
  // (KorSetDCPenColor); elsewhere setting it changes nothing.
  bool GetFastPen() const { return FFastPen; }
  void SetFastPen(bool Value);
  // True: null points are joined like any other; false: the line breaks
  // at them.
  bool GetIgnoreNulls() const { return FIgnoreNulls; }
  void SetIgnoreNulls(bool Value);
  // Stairs go vertical first, then horizontal.
  bool GetInvertedStairs() const { return FInvertedStairs; }
  void SetInvertedStairs(bool Value);
  // Each segment is a horizontal and a vertical step.
  bool GetStairs() const { return FStairs; }
  void SetStairs(bool Value);

  // Chart pixels of point ValueIndex, straight from the value arrays
  // through the axes' conversions (no stacking or offsets).
  void CalcPosition(int ValueIndex, int& X, int& Y) const;

  // Pen and series colour stay equal.
  void SetPen(const TChartPen& Value) override;
  void SetSeriesColor(TColor AColor) override;
  // The base margins widened by the pen: w - (w - 2) / 2 pixels.
  void CalcHorizMargins(int& LeftMargin, int& RightMargin) override;
  void CalcVerticalMargins(int& TopMargin, int& BottomMargin) override;
  // After "Normal": "Marks", "Dotted", "Stairs".
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;

  void DrawAllValues() override;
  void DrawValue(int ValueIndex) override;
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
  // The mark stands off its point by the callout's length.
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void NotifyNewValue(TChartSeries* Sender, int ValueIndex) override;
  // Walking the visible points in order: the index of the point at (X, Y),
  // or of the earlier end of the segment from the point before when
  // (X, Y) lies within a pixel of it; -1 when none.
  int Clicked(int X, int Y) const override;

 private:
  // The line pen for the property table.
  TChartPen* LinePenObject() { return &GetLinePen(); }
  // Whether the series can be drawn: a chart and its two axes.
  bool CanDraw() const;
  // The canvas takes the line pen; brush clear, background transparent.
  void PrepareCanvas();
  // One step of the line to point ValueIndex at (X, Y), told to Sink as
  // moves and lines in chart pixels.
  template <class TSink>
  void StepTo(int ValueIndex, int X, int Y, TSink& Sink);
  // Whether the line breaks at point ValueIndex (before and after it).
  bool BreaksAt(int ValueIndex) const;
  // The plain trace (every point joined, no stairs) from point Start to
  // Last, drawn again from the last frame's polylines when the points and
  // both axes' mappings are those of that frame.
  void DrawPlainTrace(int Start, int From, int Last);

  bool FAutoRepaint = true;
  bool FDrawAllPoints = true;
  bool FFastPen = false;
  bool FIgnoreNulls = true;
  bool FInvertedStairs = false;
  bool FStairs = false;
  // caches: the last point drawn or moved to (chart pixels), valid during
  // one drawing pass or right after an incremental draw
  int FLastX = 0;
  int FLastY = 0;
  bool FLastNull = false;  // the last point breaks the line
  // caches: the polylines of the last plain trace, kept while what they
  // were made from (compared before every use) stays the same
  std::unique_ptr<TFastLineTrace> FTrace;
};
