#pragma once

#include "chart/series/TCustomSeries.h"

#include <QString>
#include <QStringList>

// Render: the series that joins its points with a line; pointers hidden.
class TLineSeries : public TCustomSeries {
 public:
  explicit TLineSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TLineSeries"); }
  // The series part; from a series of another class the pointer is hidden.
  // Draws a line and no area in any case.
  void Assign(const TPersistent& Source) override;

  bool IsOfSeriesClass(const TChartSeries* Other) const override;
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  // After "Normal": "Stairs", "Points", "Height", "Hollow", "Colors",
  // "Marks", "No Border", "Outline".
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;
};
