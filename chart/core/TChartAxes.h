#pragma once

#include <functional>
#include <vector>

class TChartAxis;
class TCustomAxisPanel;

// What an invisible axis still takes off the chart rectangle for its
// labels (pixels), given the axis and the room its labels would take.
using TAxisCalcPosLabels = std::function<int(TChartAxis* Axis, int Value)>;

// Scale: the list of every axis of one chart, the six standard axes first
// (bottom, top, left, right, depth, depth-top) and then the custom ones.
// It does not own the axes: the chart owns the standard axes and the
// custom-axes collection the others; each axis enters the list when it is
// made and leaves it when it is freed. Also the chart-wide switches that
// concern all axes.
class TChartAxes {
 public:
  explicit TChartAxes(TCustomAxisPanel* AChart) : FChart(AChart) {}
  TChartAxes(const TChartAxes&) = delete;
  TChartAxes& operator=(const TChartAxes&) = delete;

  TCustomAxisPanel* GetChart() const { return FChart; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises ChartException for an index outside the list.
  TChartAxis* Get(int Index) const;
  TChartAxis* operator[](int Index) const { return Get(Index); }
  void Add(TChartAxis* Axis);
  // Nothing when the axis is not in the list.
  void Remove(TChartAxis* Axis);
  // -1 when absent.
  int IndexOf(const TChartAxis* Axis) const;
  // Empties the list; the axes stay with their owners.
  void Clear() { FItems.clear(); }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

  // The chart's standard axes.
  TChartAxis* GetBottomAxis() const;
  TChartAxis* GetTopAxis() const;
  TChartAxis* GetLeftAxis() const;
  TChartAxis* GetRightAxis() const;
  TChartAxis* GetDepthAxis() const;
  TChartAxis* GetDepthTopAxis() const;

  // Fast calculation maps values to pixels without clamping far-away
  // values; every axis re-chooses its mapping when this changes.
  bool GetFastCalc() const { return FFastCalc; }
  void SetFastCalc(bool Value);
  // The chart's AxisBehind and AxisVisible.
  bool GetBehind() const;
  void SetBehind(bool Value);
  bool GetVisible() const;
  void SetVisible(bool Value);
  // Every axis becomes automatic again.
  void Reset();
  void Hide() { SetVisible(false); }

  // Set by nobody in this program; the chart's layout asks it about
  // invisible axes when it is set.
  TAxisCalcPosLabels CalcPosLabels;

 private:
  TCustomAxisPanel* FChart;  // not owned
  std::vector<TChartAxis*> FItems;
  bool FFastCalc = false;
};
