#include "chart/core/TKorCustomTool.h"

#include "chart/core/TChartTools.h"

TKorCustomTool::TKorCustomTool(TComponent* AOwner) : TCustomChartElement(AOwner) {}

void TKorCustomTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TKorCustomTool*>(&Source); Other != nullptr)
    SetShowInEditor(Other->GetShowInEditor());
  TCustomChartElement::Assign(Source);
}

TKorCustomTool::~TKorCustomTool() {
  Destroying();
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  Chart->GetTools().Remove(this);
  if (!Chart->InState(csDestroying)) Chart->Invalidate();
}

void TKorCustomTool::SetParentChart(TCustomAxisPanel* Value) {
  TCustomAxisPanel* Old = GetParentChart();
  if (Value == Old) return;
  if (Old != nullptr) {
    Old->GetTools().Remove(this);
    if (Value == nullptr) Old->Invalidate();
  }
  TCustomChartElement::SetParentChart(Value);
  if (Value != nullptr) Value->GetTools().Append(this);
}
