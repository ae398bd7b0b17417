#pragma once

// Buttons and features the chart editor dialog offers.
enum TChartEditorOption {
  ceAdd,
  ceDelete,
  ceChange,
  ceClone,
  ceDataSource,
  ceTitle,
  ceHelp,
  ceGroups,
  ceGroupAll,
  ceOrderSeries
};
// A set of TChartEditorOption, bit n for option n.
using TChartEditorOptions = unsigned;
constexpr TChartEditorOptions EditorOption(TChartEditorOption Option) {
  return 1u << Option;
}
// Everything but the series groups.
inline constexpr TChartEditorOptions DefaultChartEditorOptions = 895;

// The pages of the dialog. The values from cetGeneral to cet3D equal the
// index of their tab in the "Chart" page's sub-page control; cetMain stands
// for its first tab, the series list.
enum TChartEditorTab {
  cetMain,
  cetGeneral,
  cetAxis,
  cetTitles,
  cetLegend,
  cetPanel,
  cetPaging,
  cetWalls,
  cet3D,
  cetSeriesGeneral,
  cetSeriesMarks,
  cetAllSeries,
  cetSeriesData,
  cetExport,
  cetExportNative,
  cetTools,
  cetPrintPreview
};
// A set of TChartEditorTab, bit n for tab n.
using TChartEditorHiddenTabs = unsigned;
constexpr TChartEditorHiddenTabs EditorTab(TChartEditorTab Tab) {
  return 1u << Tab;
}
// No default tab chosen.
inline constexpr int NoEditorTab = -1;
