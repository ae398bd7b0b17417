#pragma once

#include "chart/series/TCustomSeries.h"

#include <QString>
#include <QStringList>

// Render: the scatter series: a pointer at every point, no line, no area,
// and only the pointers count for the hit test.
class TPointSeries : public TCustomSeries {
 public:
  explicit TPointSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TPointSeries"); }
  // The series part; the pointers-only settings stay.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TSeriesPointerEditor"); }

  bool IsOfSeriesClass(const TChartSeries* Other) const override;
  // On: the pointer takes each point's colour.
  void SetColorEachPoint(bool Value) override;
  // The pointer's transparency.
  TKorTransparency GetTransparency() const override;
  void SetTransparency(TKorTransparency Value) override;
  void PrepareForGallery(bool IsEnabled) override;
  // Whether the sub-gallery offers the pointer styles.
  virtual bool CanDoExtra() const { return true; }
  // After "Normal": "Colors", "Marks", "Hollow", "No Border", "Gradient",
  // and with CanDoExtra the pointer styles.
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;

 private:
  void ApplyFixedSettings();
};
