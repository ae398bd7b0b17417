#include "chart/editor/TChartPageNavigator.h"

#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorEvent.h"

#include "platform/PrintDialogs.h"
#include "platform/TPrinter.h"

#include <QPrinter>

TChartPageNavigator::TChartPageNavigator(TComponent* AOwner) : TCustomKorNavigator(AOwner) {}

TCustomAxisPanel* TChartPageNavigator::GetChart() const {
  return dynamic_cast<TCustomAxisPanel*>(GetPanel());
}

void TChartPageNavigator::SetChart(TCustomAxisPanel* Value) {
  SetPanel(Value);
}

void TChartPageNavigator::SetPanel(TCustomKorPanel* Value) {
  TCustomKorNavigator::SetPanel(dynamic_cast<TCustomAxisPanel*>(Value));
}

int TChartPageNavigator::PageCount() const {
  const TCustomAxisPanel* Chart = GetChart();
  return Chart != nullptr ? Chart->NumPages() : 0;
}

void TChartPageNavigator::EnableButtons() {
  const TCustomAxisPanel* Chart = GetChart();
  const int Page = Chart != nullptr ? Chart->GetPage() : 1;
  const int Count = PageCount();
  const bool Back = GetEnabled() && Chart != nullptr && Page > 1;
  const bool On = GetEnabled() && Chart != nullptr && Page < Count;
  GetButton(nbFirst)->SetEnabled(Back);
  GetButton(nbPrior)->SetEnabled(Back);
  GetButton(nbNext)->SetEnabled(On);
  GetButton(nbLast)->SetEnabled(On);
}

void TChartPageNavigator::BtnClick(TKorNavigateBtn Kind) {
  if (TCustomAxisPanel* Chart = GetChart()) {
    const int Page = Chart->GetPage();
    const int Count = PageCount();
    switch (Kind) {
      case nbFirst:
        if (Page > 1) Chart->SetPage(1);
        break;
      case nbPrior:
        if (Page > 1) Chart->SetPage(Page - 1);
        break;
      case nbNext:
        if (Page < Count) Chart->SetPage(Page + 1);
        break;
      case nbLast:
        if (Page < Count) Chart->SetPage(Count);
        break;
      default: break;
    }
  }
  TCustomKorNavigator::BtnClick(Kind);
}

void TChartPageNavigator::Print() {
  TCustomAxisPanel* Chart = GetChart();
  if (Chart == nullptr) return;
  const int Count = PageCount();
  if (Count < 2) {
    Chart->PrintPages(1, 1);
    return;
  }
  // The dialog offers the range, and a PDF file also without a printer.
  TPrinter& Target = Printer();
  if (!ExecutePrintDialog(Target, 1, Count, GetWidget())) return;
  QPrinter& Chosen = *Target.QtPrinter();
  // "All pages" prints every page (a range of 0 to 0).
  if (Chosen.printRange() == QPrinter::AllPages)
    Chart->PrintPages(0, 0);
  else
    Chart->PrintPages(Chosen.fromPage(), Chosen.toPage());
}

void TChartPageNavigator::DoKorEvent(TKorEvent& Event) {
  if (dynamic_cast<TKorPageChangeEvent*>(&Event) != nullptr) {
    EnableButtons();
    return;
  }
  if (const auto* Series = dynamic_cast<TKorSeriesEvent*>(&Event))
    if (Series->Event == seDataChanged) EnableButtons();
}
