#include "chart/editor/KorEditChart.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorCustomTool.h"
#include "platform/ModalHooks.h"

#include <functional>

namespace {

void ShowEditor(QWidget* Owner, TCustomChart* Chart,
                const std::function<void(TChartEditForm&)>& Prepare) {
  if (Chart == nullptr) return;
  TChartEditForm form(Owner);
  form.SetChart(Chart);
  Prepare(form);
  KorTranslateControl(&form);
  ShowModal(form);
}

TCustomChart* ChartOf(TCustomAxisPanel* Panel) {
  return dynamic_cast<TCustomChart*>(Panel);
}

void EditSeriesOnTab(QWidget* Owner, TChartSeries* Series, TEditorSeriesTab Tab) {
  if (Series == nullptr) return;
  ShowEditor(Owner, ChartOf(Series->GetParentChart()), [&](TChartEditForm& form) {
    form.SetEditSeries(Series);
    form.SetSeriesTab(Tab);
  });
}

}  // namespace

void EditChart(QWidget* Owner, TCustomChart* Chart) {
  ShowEditor(Owner, Chart, [](TChartEditForm&) {});
}

void EditChartPage(QWidget* Owner, TCustomChart* Chart, int PageIndex) {
  ShowEditor(Owner, Chart, [&](TChartEditForm& form) { form.SetDefaultTab(PageIndex); });
}

void EditChartLegend(QWidget* Owner, TCustomChart* Chart) {
  EditChartPage(Owner, Chart, cetLegend);
}

void EditChartAxis(QWidget* Owner, TChartAxis* Axis) {
  if (Axis == nullptr) return;
  ShowEditor(Owner, ChartOf(Axis->GetParentChart()), [&](TChartEditForm& form) {
    form.SetDefaultTab(cetAxis);
    form.SetTheAxis(Axis);
  });
}

void EditChartTitle(QWidget* Owner, TCustomChart* Chart, TChartTitle* Title) {
  ShowEditor(Owner, Chart, [&](TChartEditForm& form) {
    form.SetDefaultTab(cetTitles);
    form.SetTheTitle(Title);
  });
}

void EditChartWall(QWidget* Owner, TCustomChart* Chart, TCustomChartWall* Wall) {
  ShowEditor(Owner, Chart, [&](TChartEditForm& form) {
    form.SetDefaultTab(cetWalls);
    form.SetTheWall(Wall);
  });
}

void EditSeries(QWidget* Owner, TChartSeries* Series) {
  EditSeriesOnTab(Owner, Series, TEditorSeriesTab::estFormat);
}

void EditSeriesMarks(QWidget* Owner, TChartSeries* Series, bool SymbolPage) {
  EditSeriesOnTab(Owner, Series,
                  SymbolPage ? TEditorSeriesTab::estMarksSymbol : TEditorSeriesTab::estMarks);
}

void EditSeriesDataSource(QWidget* Owner, TChartSeries* Series) {
  EditSeriesOnTab(Owner, Series, TEditorSeriesTab::estDataSource);
}

void EditChartTool(QWidget* Owner, TKorCustomTool* Tool) {
  if (Tool == nullptr) return;
  ShowEditor(Owner, ChartOf(Tool->GetParentChart()),
             [&](TChartEditForm& form) { form.SetTheTool(Tool); });
}

void EditDSSChart(QWidget* Owner, TCustomChart* Chart) {
  const TChartEditorOptions Options = EditorOption(ceTitle) | EditorOption(ceOrderSeries);
  const TChartEditorHiddenTabs Hidden = EditorTab(cetPaging) | EditorTab(cetSeriesData) |
                                        EditorTab(cetExport) | EditorTab(cetTools) |
                                        EditorTab(cetPrintPreview);
  ShowEditor(Owner, Chart, [&](TChartEditForm& form) {
    form.SetOptions(Options);
    form.SetHiddenTabs(Hidden);
  });
}

void EditChartPart(QWidget* Owner, TCustomChart* Chart, const TChartClickedPart& Part) {
  if (Chart == nullptr) return;
  switch (Part.Kind) {
    case cpLegend: EditChartLegend(Owner, Chart); return;
    case cpAxis: EditChartAxis(Owner, Part.Axis); return;
    case cpSeries: EditSeries(Owner, Part.Series); return;
    case cpTitle: EditChartTitle(Owner, Chart, &Chart->GetTitle()); return;
    case cpFoot: EditChartTitle(Owner, Chart, &Chart->GetFoot()); return;
    case cpSubTitle: EditChartTitle(Owner, Chart, &Chart->GetSubTitle()); return;
    case cpSubFoot: EditChartTitle(Owner, Chart, &Chart->GetSubFoot()); return;
    case cpSeriesMarks: EditSeriesMarks(Owner, Part.Series, false); return;
    default: EditChart(Owner, Chart); return;
  }
}
