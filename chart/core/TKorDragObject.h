#pragma once

#include "chart/core/TCustomChart.h"

#include "platform/Cursors.h"

// Interaction: a chart part being dragged onto another control. It shows
// the chart's hand cursor over a target that accepts the drop and leaves
// the drop itself to the target.
class TKorDragObject {
 public:
  explicit TKorDragObject(const TChartClickedPart& APart) : FPart(APart) {}

  const TChartClickedPart& GetPart() const { return FPart; }
  TCursor GetDragCursor(bool Accepted, int X, int Y) const;
  // Nothing to finish: the target took what it wanted.
  void Finished(bool Accepted, int X, int Y);

 private:
  TChartClickedPart FPart;
};
