#include "chart/editor/TChartEditor.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"
#include "chart/editor/TChartEditForm.h"
#include "platform/ModalHooks.h"
#include "platform/ScopeGuard.h"

#include <memory>
#include <utility>

namespace {

const QStringList OptionNames = {"ceAdd",   "ceDelete", "ceChange", "ceClone",    "ceDataSource",
                                 "ceTitle", "ceHelp",   "ceGroups", "ceGroupAll", "ceOrderSeries"};
const QStringList TabNames = {
    "cetMain",        "cetGeneral",     "cetAxis",       "cetTitles", "cetLegend",
    "cetPanel",       "cetPaging",      "cetWalls",      "cet3D",     "cetSeriesGeneral",
    "cetSeriesMarks", "cetAllSeries",   "cetSeriesData", "cetExport", "cetExportNative",
    "cetTools",       "cetPrintPreview"};

}  // namespace

TChartEditor::TChartEditor(TComponent* AOwner) : TCustomChartEditor(AOwner) {}

TChartEditor::~TChartEditor() {
  Destroying();
  if (FSeries != nullptr) FSeries->RemoveFreeNotification(this);
}

const TPropertyList& TChartEditor::Properties() const {
  using namespace PublishedProperty;
  static const TPropertyList List(
      TPersistent::Properties(),
      {Boolean("AutoRepaint", &TChartEditor::GetAutoRepaint, &TChartEditor::SetAutoRepaint, true),
       Enum("DefaultTab", &TChartEditor::GetDefaultTab, &TChartEditor::SetDefaultTab, TabNames,
            std::optional<TChartEditorTab>(cetMain)),
       Set("HideTabs", &TChartEditor::GetHideTabs, &TChartEditor::SetHideTabs, TabNames,
           std::optional<TChartEditorHiddenTabs>(0)),
       Boolean("HighLightTabs", &TChartEditor::GetHighLightTabs, &TChartEditor::SetHighLightTabs,
               false),
       Set("Options", &TChartEditor::GetOptions, &TChartEditor::SetOptions, OptionNames,
           std::optional<TChartEditorOptions>(DefaultChartEditorOptions)),
       Boolean("RememberPosition", &TChartEditor::GetRememberPosition,
               &TChartEditor::SetRememberPosition, false),
       Component("Series", &TChartEditor::GetSeriesName, &TChartEditor::SetSeriesName),
       String("Title", &TChartEditor::GetTitle, &TChartEditor::SetTitle, QString()),
       Boolean("TreeView", &TChartEditor::GetTreeView, &TChartEditor::SetTreeView, false)});
  return List;
}

void TChartEditor::SetSeries(TChartSeries* Value) {
  if (FSeries == Value) return;
  if (FSeries != nullptr) FSeries->RemoveFreeNotification(this);
  FSeries = Value;
  if (FSeries == nullptr) return;
  FSeries->FreeNotification(this);
  auto* chart = dynamic_cast<TCustomChart*>(FSeries->GetParentChart());
  if (chart != nullptr && chart != GetChart()) SetChart(chart);
}

QString TChartEditor::GetSeriesName() const {
  return FSeries != nullptr ? QString::fromStdString(FSeries->GetName()) : QString();
}

void TChartEditor::SetSeriesName(const QString& Value) {
  KorResolveSeriesName(GetOwner(), Value, FPendingSeriesName,
                       [this](TChartSeries* Series) { SetSeries(Series); });
}

void TChartEditor::Loaded() {
  TCustomChartEditor::Loaded();
  const QString Pending = std::exchange(FPendingSeriesName, QString());
  if (!Pending.isEmpty()) SetSeriesName(Pending);
}

void TChartEditor::SetChart(TCustomChart* Value) {
  TCustomChartEditor::SetChart(Value);
  if (FSeries != nullptr && FSeries->GetParentChart() != GetChart()) SetSeries(nullptr);
}

void TChartEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomChartEditor::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSeries) FSeries = nullptr;
}

void TChartEditor::Execute() {
  TCustomChart* chart = GetChart();
  if (chart == nullptr) return;
  auto form = std::make_unique<TChartEditForm>();
  form->SetTreeVisible(FTreeView);
  form->SetRememberPosition(FRememberPosition);
  form->setWindowTitle(FTitle);
  form->SetOptions(FOptions);
  form->SetChart(chart);
  form->SetHighLightTabs(FHighLightTabs);
  form->SetEditSeries(FSeries);
  form->SetDefaultTab(FDefaultTab);
  form->SetHiddenTabs(FHideTabs);
  form->OnChangeSeriesOrder = OnChangeSeriesOrder;
  // The form is closed and freed however the dialog ends; a chart freed
  // meanwhile is known to the form (free notification), not to this frame.
  TScopeGuard close([&] {
    if (OnClose) OnClose(*form);
    form.reset();
  });
  if (OnShow) OnShow(*form);
  const bool chartRepaint = chart->GetAutoRepaint();
  if (!FAutoRepaint) chart->SetAutoRepaint(false);
  // Repainting comes back however the dialog ends, also by an error.
  TScopeGuard repaint([&] {
    if (FAutoRepaint || form->GetChart() == nullptr) return;
    chart->SetAutoRepaint(chartRepaint);
    chart->Invalidate();
  });
  KorTranslateControl(form.get());
  ShowModal(*form);
}
