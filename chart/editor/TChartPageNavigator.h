#pragma once

#include "chart/editor/TCustomKorNavigator.h"

class TCustomAxisPanel;

// Interaction: the navigator over the pages of a chart (first, prior, next
// and last page); it follows the chart's page changes and data changes to
// enable the buttons that can move, and prints the chart's pages.
class TChartPageNavigator : public TCustomKorNavigator {
 public:
  explicit TChartPageNavigator(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TChartPageNavigator"); }

  TCustomAxisPanel* GetChart() const;
  void SetChart(TCustomAxisPanel* Value);

  // A panel that is not an axis panel is taken as none.
  void SetPanel(TCustomKorPanel* Value) override;
  void EnableButtons() override;
  // The chart's page count; 0 without a chart.
  int PageCount() const override;
  // One page prints at once; more pages ask for the range first.
  void Print() override;
  void BtnClick(TKorNavigateBtn Kind) override;

 protected:
  void DoKorEvent(TKorEvent& Event) override;
};
