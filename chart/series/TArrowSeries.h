#pragma once

#include "chart/series/TPointSeries.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

class TChartValueList;

// Render: one arrow per point, from the point (start X, start Y) to its
// end values (end X, end Y). The pointer's half sizes are the arrow
// head's width and length in pixels; the body is ArrowPercent percent of
// the head's width.
class TArrowSeries : public TPointSeries {
 public:
  explicit TArrowSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TArrowSeries"); }
  const TPropertyList& Properties() const override;
  // The arrow percent of another arrow series, then the point series part
  // (which brings the pointer, so the head sizes).
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TArrowSeriesEditor"); }

  TChartValueList& GetStartXValues() const { return GetXValues(); }
  void SetStartXValues(const TChartValueList& Value) { SetXValues(Value); }
  TChartValueList& GetStartYValues() const { return GetYValues(); }
  void SetStartYValues(const TChartValueList& Value) { SetYValues(Value); }
  TChartValueList& GetEndXValues() const { return *FEndX; }
  void SetEndXValues(const TChartValueList& Value);
  TChartValueList& GetEndYValues() const { return *FEndY; }
  void SetEndYValues(const TChartValueList& Value);
  // The pointer's half sizes (pixels); raise ChartException for 0 or less.
  int GetArrowWidth() const;
  void SetArrowWidth(int Value);
  int GetArrowHeight() const;
  void SetArrowHeight(int Value);
  int GetArrowPercent() const { return FArrowPercent; }
  void SetArrowPercent(int Value);

  // An arrow from (X0, Y0) to (X1, Y1); returns its index.
  int AddArrow(double X0, double Y0, double X1, double Y1, const QString& ALabel = QString(),
               TColor AColor = clDefault);
  // Chart pixels of the arrow's tail (the point) and tip (its end values
  // on the series' axes); (0, 0) for both without axes.
  void GetArrowPoints(int ValueIndex, TPoint& From, TPoint& To) const;

  // The axis ranges take in the ends as well as the starts.
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  // The first arrow whose shaft passes within the series pen's width of
  // (X, Y), or -1.
  int Clicked(int X, int Y) const override;
  bool IsValidSourceOf(const TChartSeries* Value) const override;
  bool CanDoExtra() const override { return false; }
  void PrepareForGallery(bool IsEnabled) override;
  void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;
  void DrawValue(int ValueIndex) override;

 private:
  TChartValueList* StartXValuesObject() { return &GetXValues(); }
  TChartValueList* StartYValuesObject() { return &GetYValues(); }
  TChartValueList* EndXValuesObject() { return FEndX; }
  TChartValueList* EndYValuesObject() { return FEndY; }

  TChartValueList* FEndX;  // owned by the series' value lists
  TChartValueList* FEndY;  // owned by the series' value lists
  int FArrowPercent = 50;
};
