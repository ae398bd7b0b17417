#pragma once

#include "chart/editor/TCustomChartGrid.h"

// Interaction: the chart grid with its properties published, so forms
// store which chart or series it shows and how.
class TChartGrid : public TCustomChartGrid {
 public:
  explicit TChartGrid(TComponent* AOwner) : TCustomChartGrid(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TChartGrid"); }
  const TPropertyList& Properties() const override;

  // The chart and series by component name, resolved among the owner's
  // components (an unknown name clears the reference).
  QString GetChartName() const;
  void SetChartName(const QString& Value);
  QString GetSeriesName() const;
  void SetSeriesName(const QString& Value);

 private:
  TComponent* FindSibling(const QString& Name) const;
};
