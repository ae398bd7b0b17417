#pragma once

#include "chart/core/TKorCustomToolSeries.h"

#include <QString>

#include <memory>

class TPicture;

// Render: draws a picture behind the series, stretched over the value
// range of its series or, without one, over the range of the axes.
class TChartImageTool : public TKorCustomToolSeries {
 public:
  explicit TChartImageTool(TComponent* AOwner);
  ~TChartImageTool() override;

  QString ClassName() const override { return QStringLiteral("TChartImageTool"); }
  const TPropertyList& Properties() const override;
  void Assign(const TPersistent& Source) override;
  QString Description() const override;
  QString GetEditorClass() const override { return QStringLiteral("TChartImageToolEditor"); }

  // Owned; a change of it repaints the chart. The setter copies.
  TPicture& GetPicture() const { return *FPicture; }
  void SetPicture(const TPicture& Value);
  // Repaints.
  void SetSeries(TChartSeries* Value) override;

  void ChartEvent(TChartToolEvent AEvent) override;

 private:
  TPicture* PictureObject() { return FPicture.get(); }
  // Chart pixels of the series' or the axes' range (left-top is the
  // minimum X and the maximum Y); false when there are no axes.
  bool TargetRect(TRect& R) const;
  void DrawPicture();

  std::unique_ptr<TPicture> FPicture;
};
