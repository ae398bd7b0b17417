#include "chart/editor/TSeriesToolEditor.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorEngine.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorCustomToolSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"

#include <QLabel>
#include <QShowEvent>

TSeriesToolEditor::TSeriesToolEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("SeriesToolEditor"));
  resize(233, 172);
  TFormBuilder B(*this);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Series:"), 8, 12, 40, 13);
  CBSeries = B.Add<TComboFlat>(QStringLiteral("CBSeries"), QString(), 52, 8, 145, 21);
  Label1->setBuddy(CBSeries);
  connect(CBSeries, &QComboBox::currentIndexChanged, this, [this] {
    if (!FUpdating) Guarded([this] { CBSeriesChange(); });
  });
}

void TSeriesToolEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TSeriesToolEditor::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { ReloadControls(); });
}

void TSeriesToolEditor::ReloadControls() {
  SelectToolSeries();
}

void TSeriesToolEditor::FormShow() {
  Tool = dynamic_cast<TKorCustomToolSeries*>(static_cast<TKorCustomTool*>(KorFormTag(*this)));
  if (Tool != nullptr) FillSeries();
}

void TSeriesToolEditor::FillSeries() {
  const bool Was = FUpdating;
  FUpdating = true;
  const TScopeGuard Restore([&] { FUpdating = Was; });
  CBSeries->clear();
  if (TCustomAxisPanel* Chart = Tool->GetParentChart()) {
    for (int i = 0; i < Chart->SeriesCount(); ++i) {
      TChartSeries* S = Chart->GetSeries(i);
      CBSeries->addItem(SeriesTitleOrName(S), QVariant::fromValue(static_cast<void*>(S)));
    }
    CBSeries->setEnabled(Chart->SeriesCount() > 0);
  }
  CBSeries->insertItem(0, Korconst::KorMsg_None, QVariant::fromValue(static_cast<void*>(nullptr)));
  SelectToolSeries();
}

void TSeriesToolEditor::SelectToolSeries() {
  if (Tool == nullptr) return;
  const bool Was = FUpdating;
  FUpdating = true;
  const TScopeGuard Restore([&] { FUpdating = Was; });
  const int Index = CBSeries->findData(QVariant::fromValue(static_cast<void*>(Tool->GetSeries())));
  CBSeries->setCurrentIndex(Index < 0 ? 0 : Index);
}

void TSeriesToolEditor::CBSeriesChange() {
  if (Tool == nullptr) return;
  Tool->SetSeries(static_cast<TChartSeries*>(CBSeries->currentData().value<void*>()));
}
