#pragma once

#include "chart/series/TPointSeries.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

class TChartValueList;

// Render: a point series whose pointer at each point is as large as the
// point's radius value, given in axis units: the radius maps to the
// pointer's half height on the vertical axis and, unless Squared, to its
// half width on the horizontal axis. Each point has its own colour.
class TBubbleSeries : public TPointSeries {
 public:
  explicit TBubbleSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TBubbleSeries"); }
  const TPropertyList& Properties() const override;
  // Squared of another bubble series, then the point series part.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TBubbleSeriesEditor"); }

  TChartValueList& GetRadiusValues() const { return *FRadius; }
  void SetRadiusValues(const TChartValueList& Value);
  // On: the half width is the half height, so bubbles are circles
  // whatever the scales of the two axes.
  bool GetSquared() const { return FSquared; }
  void SetSquared(bool Value);

  // A bubble at (AX, AY) with ARadius in axis units; returns its index.
  int AddBubble(double AX, double AY, double ARadius, const QString& ALabel = QString(),
                TColor AColor = clDefault);

  // Sizes the pointer for the point's radius (pixels), without repainting.
  void PreparePointer(int ValueIndex) override;
  // The bubble's shape of the point's pointer style around (PX, PY).
  bool ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) override;

  // The vertical range takes in every y + radius and y - radius.
  double MaxYValue() const override;
  double MinYValue() const override;
  // Solid 3D pointers: the largest radius either side of the series.
  double MaxZValue() const override;
  double MinZValue() const override;
  bool IsValidSourceOf(const TChartSeries* Value) const override;
  int NumSampleValues() const override { return 8; }
  void PrepareForGallery(bool IsEnabled) override;
  void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;
  void DrawValue(int ValueIndex) override;
  // The pointer as large as the rectangle's smaller side allows.
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;

 private:
  TChartValueList* RadiusValuesObject() { return FRadius; }

  TChartValueList* FRadius;  // owned by the series' value lists
  bool FSquared = true;
  // caches: on while the legend symbol is drawn, whose size is the
  // legend's and not the point's
  bool FLegendSize = false;
};
