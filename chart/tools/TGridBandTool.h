#pragma once

#include "chart/core/TKorCustomToolAxis.h"

#include "platform/TRect.h"

#include <QString>

#include <memory>

class TChartAxis;
class TGridBandBrush;

// Render: fills the stripes between its axis' grid lines alternately with
// two brushes. It paints from the axis' grid-drawing event, which it takes
// over while the axis is its own.
class TGridBandTool : public TKorCustomToolAxis {
 public:
  explicit TGridBandTool(TComponent* AOwner);
  // Gives the axis' grid event back.
  ~TGridBandTool() override;

  QString ClassName() const override { return QStringLiteral("TGridBandTool"); }
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TGridBandToolEdit"); }
  QString Description() const override;
  // Band brushes, then the element's part.
  void Assign(const TPersistent& Source) override;
  // Moves the grid event hook from the old axis to the new one.
  void SetAxis(TChartAxis* Value) override;

  TGridBandBrush& GetBand1() const { return *FBand1; }
  void SetBand1(const TGridBandBrush& Value);
  TGridBandBrush& GetBand2() const { return *FBand2; }
  void SetBand2(const TGridBandBrush& Value);

  // The stripes of Axis' current ticks; what its grid event runs.
  void DrawGrids(TChartAxis* Axis);

 private:
  TGridBandBrush* Band1Object() { return FBand1.get(); }
  TGridBandBrush* Band2Object() { return FBand2.get(); }
  // One stripe between the pixels A and B along Axis, unless its brush is
  // clear.
  void DrawBand(const TChartAxis& Axis, const TGridBandBrush& Band, int A, int B);
  // The pixels the stripe covers: from the lower of A and B up to (not
  // including) the higher along the axis, inside the chart rectangle across
  // it. Stripes of neighbouring ticks so tile without overlapping, which
  // keeps transparent stripes even.
  TRect BandRect(const TChartAxis& Axis, int A, int B) const;

  std::unique_ptr<TGridBandBrush> FBand1;
  std::unique_ptr<TGridBandBrush> FBand2;
};
