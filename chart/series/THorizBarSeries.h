#pragma once

#include "chart/series/TCustomBarSeries.h"

// Render: horizontal bars, one per Y value, growing along X from their
// origin; the vertical series turned by 90 degrees.
class THorizBarSeries : public TCustomBarSeries {
 public:
  explicit THorizBarSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("THorizBarSeries"); }
  const TPropertyList& Properties() const override;

  // Pixels; 0 sizes the bars from BarWidthPercent.
  int GetCustomBarHeight() const { return GetCustomBarSize(); }
  void SetCustomBarHeight(int Value) { SetCustomBarSize(Value); }

  bool IsOfBarClass(const TChartSeries* Other) const override;

  // The pixel of the bar's end (value) and the top edge of the bar of
  // ValueIndex (category), in chart pixels.
  int CalcXPos(int ValueIndex) const override;
  int CalcYPos(int ValueIndex) const override;
  int GetOriginPos(int ValueIndex) const override;
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  void CalcHorizMargins(int& LeftMargin, int& RightMargin) override;
  void CalcVerticalMargins(int& TopMargin, int& BottomMargin) override;
  TRect CalcBarBounds(int ValueIndex) const;

  void DrawValue(int ValueIndex) override;
  // The bar of ValueIndex between the value-axis pixels StartPos and
  // EndPos (StartPos the smaller), in its style.
  virtual void DrawBar(int ValueIndex, int StartPos, int EndPos);
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
  bool DrawSeriesForward(int ValueIndex) const override;

 protected:
  TChartAxis* CategoryAxis() const override { return GetVertAxisObject(); }
  TChartAxis* ValueAxis() const override { return GetHorizAxisObject(); }
  // The widest mark for -1, else the width of the point's mark.
  int InternalCalcMarkLength(int ValueIndex) override;
  bool InternalClicked(int ValueIndex, const TPoint& P) const override;
  void DrawTickLine(int Pos, TBarStyle AStyle) override;
};
