#pragma once

#include <vector>

class TCustomAxisPanel;
class TKorCustomTool;

// Interaction: the tools of one chart in the order they are told of
// events. The list does not own the tools (their component owner does),
// except that Clear frees them; a chart's tool and the tool's chart always
// agree: a tool is in this list exactly while its parent chart is this
// list's chart.
class TChartTools {
 public:
  explicit TChartTools(TCustomAxisPanel* AChart) : FChart(AChart) {}
  // The tools stay with their owners, without a chart.
  ~TChartTools();
  TChartTools(const TChartTools&) = delete;
  TChartTools& operator=(const TChartTools&) = delete;

  TCustomAxisPanel* GetChart() const { return FChart; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises ChartException for an index outside the list.
  TKorCustomTool* Get(int Index) const;
  TKorCustomTool* operator[](int Index) const { return Get(Index); }
  // Moves ATool to this list's chart; returns ATool.
  TKorCustomTool* Add(TKorCustomTool* ATool);
  // Takes ATool out of the list; it is then on no chart.
  void Remove(TKorCustomTool* ATool);
  // -1 when absent.
  int IndexOf(const TKorCustomTool* ATool) const;
  // Frees every tool, from the front.
  void Clear();
  // Every tool's Active.
  void SetActive(bool Value);

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  friend class TKorCustomTool;
  void Append(TKorCustomTool* ATool) { FItems.push_back(ATool); }

  TCustomAxisPanel* FChart;  // not owned
  std::vector<TKorCustomTool*> FItems;
};
