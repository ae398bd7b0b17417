#pragma once

#include "chart/series/TCustomBarSeries.h"

// Render: vertical bars, one per X value, growing along Y from their
// origin. The application's data view draws its indicator bars with it,
// at a fixed width in pixels (CustomBarWidth).
class TBarSeries : public TCustomBarSeries {
 public:
  explicit TBarSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TBarSeries"); }
  const TPropertyList& Properties() const override;

  // Pixels; 0 sizes the bars from BarWidthPercent.
  int GetCustomBarWidth() const { return GetCustomBarSize(); }
  void SetCustomBarWidth(int Value) { SetCustomBarSize(Value); }

  bool IsOfBarClass(const TChartSeries* Other) const override;

  // Left edge of the bar of ValueIndex (category) and the pixel of its
  // end (value), in chart pixels.
  int CalcXPos(int ValueIndex) const override;
  int CalcYPos(int ValueIndex) const override;
  int GetOriginPos(int ValueIndex) const override;
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  void CalcHorizMargins(int& LeftMargin, int& RightMargin) override;
  void CalcVerticalMargins(int& TopMargin, int& BottomMargin) override;
  // The rectangle the bar of ValueIndex covers (right and bottom
  // exclusive, as the canvas fills rectangles).
  TRect CalcBarBounds(int ValueIndex) const;

  void DrawValue(int ValueIndex) override;
  // The bar of ValueIndex between the value-axis pixels StartPos and
  // EndPos (StartPos the smaller), in its style.
  virtual void DrawBar(int ValueIndex, int StartPos, int EndPos);
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
  bool DrawSeriesForward(int ValueIndex) const override;
  bool MoreSameZOrder() const override;

 protected:
  TChartAxis* CategoryAxis() const override { return GetHorizAxisObject(); }
  TChartAxis* ValueAxis() const override { return GetVertAxisObject(); }
  int InternalCalcMarkLength(int ValueIndex) override;
  bool InternalClicked(int ValueIndex, const TPoint& P) const override;
  void DrawTickLine(int Pos, TBarStyle AStyle) override;
};
