#include "chart/editor/TChartGridNavigator.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"
#include "chart/editor/TCustomChartGrid.h"

#include "platform/QtGuard.h"

#include <QTimer>
#include <QWidget>

#include <algorithm>

TChartGridNavigator::TChartGridNavigator(TComponent* AOwner) : TCustomKorNavigator(AOwner) {
  for (int I = 0; I < ButtonCount; ++I)
    GetButton(static_cast<TKorNavigateBtn>(I))->SetVisible(true);
  // The base laid out its four movement buttons; share the width among nine.
  Resize();
}

TChartGridNavigator::~TChartGridNavigator() {
  Destroying();
  SetGrid(nullptr);
}

void TChartGridNavigator::SetGrid(TCustomChartGrid* Value) {
  if (Value == FGrid) return;
  if (FGrid != nullptr) {
    if (FGrid->GetNavigator() == this) FGrid->SetNavigator(nullptr);
    FGrid->RemoveFreeNotification(this);
  }
  FGrid = Value;
  if (FGrid != nullptr) {
    // A grid tells one navigator only; the one it had lets it go.
    if (TChartGridNavigator* Previous = FGrid->GetNavigator()) Previous->SetGrid(nullptr);
    FGrid->FreeNotification(this);
    FGrid->SetNavigator(this);
  }
  if (!InState(csDestroying)) EnableButtons();
}

void TChartGridNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomKorNavigator::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || AComponent != FGrid) return;
  FGrid = nullptr;
  if (!InState(csDestroying)) EnableButtons();
}

bool TChartGridNavigator::CanInsert() const {
  if (FGrid == nullptr || !FGrid->GetEditing()) return false;
  if (FGrid->GetSeries() != nullptr) return true;
  const TCustomChart* Chart = FGrid->GetChart();
  return Chart != nullptr && Chart->SeriesCount() > 0;
}

bool TChartGridNavigator::HasPoints() const {
  const std::vector<TChartSeries*> Shown = FGrid->ShownSeries();
  return std::any_of(Shown.begin(), Shown.end(),
                     [](const TChartSeries* S) { return S->Count() > 0; });
}

void TChartGridNavigator::EnableButtons() {
  const bool On = GetEnabled() && FGrid != nullptr;
  const int Row = On ? FGrid->GetRow() : 0;
  const int First = On ? FGrid->FirstDataRow() : 0;
  const int Last = On ? FGrid->GetRowCount() - 1 : 0;
  const bool Insert = On && CanInsert();
  const bool Editing = On && FGrid->GetEditorMode();
  GetButton(nbFirst)->SetEnabled(On && Row > First);
  GetButton(nbPrior)->SetEnabled(On && Row > First);
  GetButton(nbNext)->SetEnabled(On && Row < Last);
  GetButton(nbLast)->SetEnabled(On && Row < Last);
  GetButton(nbInsert)->SetEnabled(Insert);
  GetButton(nbDelete)->SetEnabled(Insert && FGrid->GetRowCount() > 1 && HasPoints());
  GetButton(nbEdit)->SetEnabled(Insert);
  GetButton(nbPost)->SetEnabled(Editing);
  GetButton(nbCancel)->SetEnabled(Editing);
}

void TChartGridNavigator::DoAction(TKorNavigateBtn Kind) {
  if (FGrid == nullptr) return;
  switch (Kind) {
    case nbFirst: FGrid->SetRow(FGrid->FirstDataRow()); break;
    case nbPrior: FGrid->SetRow(FGrid->GetRow() - 1); break;
    case nbNext: FGrid->SetRow(FGrid->GetRow() + 1); break;
    case nbLast: FGrid->SetRow(FGrid->GetRowCount() - 1); break;
    case nbInsert: FGrid->Insert(); break;
    case nbDelete: FGrid->Delete(); break;
    case nbEdit:
      if (QWidget* W = FGrid->GetWidget()) W->setFocus();
      FGrid->StartEditing();
      break;
    case nbPost: FGrid->StopEditing(false); break;
    case nbCancel: FGrid->StopEditing(true); break;
  }
}

void TChartGridNavigator::BtnClick(TKorNavigateBtn Kind) {
  RunGuarded([&] {
    try {
      DoAction(Kind);
    } catch (...) {
      // A held button would fail again at every repeat, each time behind a
      // message box: stop repeating before the message shows.
      if (QTimer* Repeat = GetButton(Kind)->GetRepeatTimer()) Repeat->stop();
      throw;
    }
  });
  TCustomKorNavigator::BtnClick(Kind);
}
