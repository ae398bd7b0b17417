#include "chart/editor/TBaseFunctionEditor.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TKorFuncEditor.h"

#include "chart/core/KorEngine.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorFunction.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>

TBaseFunctionEditor::TBaseFunctionEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("BaseFunctionEditor"));
}

void TBaseFunctionEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TBaseFunctionEditor::FormShow() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  IFunction = dynamic_cast<TKorFunction*>(KorFormObject(*this));
  if (IFunction != nullptr) SetFunction();
  setWindowModified(false);
}

TKorFuncEditor* TBaseFunctionEditor::OwnerPage() const {
  return KorFuncEditorOf(*this);
}

void TBaseFunctionEditor::EnableApply() {
  setWindowModified(true);
  if (TKorFuncEditor* Page = OwnerPage()) Page->BApply->setEnabled(true);
}

void TBaseFunctionEditor::Changed(const std::function<void()>& Body) {
  if (FUpdating) return;
  RunGuarded([&] {
    Body();
    EnableApply();
  });
}

void TBaseFunctionEditor::FillSeries(QStringList& Strings) const {
  if (IFunction == nullptr || IFunction->GetParentSeries() == nullptr) return;
  if (TCustomAxisPanel* Chart = IFunction->GetParentSeries()->GetParentChart())
    for (int I = 0; I < Chart->SeriesCount(); ++I)
      Strings << SeriesTitleOrName(Chart->GetSeries(I));
}

void TBaseFunctionEditor::closeEvent(QCloseEvent* Event) {
  // Writing back must not stop the page from going on: a setter that
  // refuses a value is reported and the form still closes.
  RunGuarded([this] { CreateAndApply(); });
  Event->accept();
}

void TBaseFunctionEditor::CreateAndApply() {
  TKorFuncEditor* Page = OwnerPage();
  TChartSeries* Series = Page != nullptr ? Page->GetSeries() : nullptr;
  // A form on a tab never shown has not read its function yet.
  if (IFunction == nullptr && KorFormObject(*this) != nullptr) FormShow();
  if (IFunction == nullptr) {
    const TKorFunctionClass Class =
        Page != nullptr ? Page->SelectedFunctionClass() : TKorFunctionClass();
    if (Series == nullptr || !Class) return;
    IFunction = CreateNewKorFunction(*Series, Class);
  }
  {
    IFunction->BeginUpdate();
    const TScopeGuard End([this] { IFunction->EndUpdate(); });
    ApplyFormChanges();
  }
  if (Series != nullptr && Series->GetFunction() == nullptr) IFunction->SetParentSeries(Series);
  setWindowModified(false);
}
