#pragma once

#include "chart/series/TCustomSeries.h"

#include <QString>
#include <QStringList>

// How the area series of one class on a chart pile up: a view of Stacked.
enum TMultiArea { maNone, maStacked, maStacked100 };

// Render: the series that fills the area between its line and an origin:
// the low end of the value axis, the series stacked below, or a fixed
// value (UseYOrigin, YOrigin).
class TAreaSeries : public TCustomSeries {
 public:
  explicit TAreaSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TAreaSeries"); }
  const TPropertyList& Properties() const override;
  // The series part with area and line on; the origin from an area series
  // of the same class, else the pointer is hidden.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TAreaSeriesEditor"); }

  bool GetUseYOrigin() const { return FUseYOrigin; }
  void SetUseOrigin(bool Value);
  double GetYOrigin() const { return FYOrigin; }
  void SetOrigin(double Value);
  // cssStack reads as maStacked, cssStack100 as maStacked100, anything else
  // as maNone; setting a new value sets Stacked.
  TMultiArea GetMultiArea() const;
  void SetMultiArea(TMultiArea Value);

  bool IsOfSeriesClass(const TChartSeries* Other) const override;
  // YOrigin's pixel when UseYOrigin is on.
  int GetOriginPos(int ValueIndex) const override;
  // With UseYOrigin the range of the drawn values includes YOrigin.
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  // Stacked areas are drawn from the first series on.
  bool DrawSeriesForward(int ValueIndex) const override;
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
  void PrepareForGallery(bool IsEnabled) override;
  // After "Normal": "Stairs", "Marks", "Colors", "Hollow", "No Lines",
  // "Stack", "Stack 100%", "Points", "Gradient".
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;

 private:
  // Value widened to include YOrigin when it is used.
  double WithOrigin(double Value, bool Max) const;

  bool FUseYOrigin = false;
  double FYOrigin = 0;
};
