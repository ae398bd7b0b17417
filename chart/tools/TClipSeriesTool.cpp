#include "chart/tools/TClipSeriesTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"

TClipSeriesTool::~TClipSeriesTool() {
  Unhook();
}

QString TClipSeriesTool::Description() const {
  return Korproco::KorMsg_ClipSeries;
}

void TClipSeriesTool::SetSeries(TChartSeries* Value) {
  if (Value == GetSeries()) return;
  Unhook();
  TKorCustomToolSeries::SetSeries(Value);
  if (Value == nullptr) return;
  Value->OnBeforeDrawValues = [this](TChartSeries* Sender) { SeriesBeforeDraw(Sender); };
  Value->OnAfterDrawValues = [this](TChartSeries* Sender) { SeriesAfterDraw(Sender); };
}

// A freed series has already been forgotten by the base, hooks and all.
void TClipSeriesTool::Unhook() {
  TChartSeries* S = GetSeries();
  if (S == nullptr) return;
  S->OnBeforeDrawValues = nullptr;
  S->OnAfterDrawValues = nullptr;
}

void TClipSeriesTool::SeriesBeforeDraw(TChartSeries* Sender) {
  FClipped = false;
  TCustomAxisPanel* C = Sender->GetParentChart();
  const TChartAxis* H = Sender->GetHorizAxisObject();
  const TChartAxis* V = Sender->GetVertAxisObject();
  if (!GetActive() || C == nullptr || H == nullptr || V == nullptr || !C->CanClip()) return;
  const TRect R(H->GetIStartPos(), V->GetIStartPos(), H->GetIEndPos(), V->GetIEndPos());
  C->GetPanelCanvas().ClipCube(R, 0, C->GetDepth3D());
  FClipped = true;
}

void TClipSeriesTool::SeriesAfterDraw(TChartSeries* Sender) {
  if (!FClipped) return;
  FClipped = false;
  if (TCustomAxisPanel* C = Sender->GetParentChart()) C->GetPanelCanvas().UnClipRectangle();
}
