#include "chart/editor/TCustomChartEditor.h"

#include "chart/core/TCustomChart.h"

TCustomChartEditor::TCustomChartEditor(TComponent* AOwner) : TComponent(AOwner) {}

TCustomChartEditor::~TCustomChartEditor() {
  Destroying();
  if (FChart != nullptr) FChart->RemoveFreeNotification(this);
}

void TCustomChartEditor::SetChart(TCustomChart* Value) {
  if (FChart == Value) return;
  if (FChart != nullptr) FChart->RemoveFreeNotification(this);
  FChart = Value;
  if (FChart != nullptr) FChart->FreeNotification(this);
}

void TCustomChartEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FChart) FChart = nullptr;
}
