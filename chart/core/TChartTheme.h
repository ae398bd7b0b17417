#pragma once

#include <QString>

#include <functional>

class TCustomChart;

// Render: restyles the chart it was made for. The base theme changes
// nothing; themes that do override Apply.
class TChartTheme {
 public:
  explicit TChartTheme(TCustomChart* AChart) : FChart(AChart) {}
  virtual ~TChartTheme() = default;
  TChartTheme(const TChartTheme&) = delete;
  TChartTheme& operator=(const TChartTheme&) = delete;

  TCustomChart* GetChart() const { return FChart; }

  virtual void Apply() {}
  // The theme's name in selectors.
  virtual QString Description() const;

 private:
  TCustomChart* FChart;  // not owned
};

// Lets the user pick and apply a theme to Chart; true when one was
// applied. Empty unless a library with a theme selector sets it.
using TChartThemeSelectorHook = std::function<bool(TCustomChart* Chart)>;
extern TChartThemeSelectorHook ChartThemeSelectorHook;
