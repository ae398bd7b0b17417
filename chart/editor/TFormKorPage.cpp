#include "chart/editor/TFormKorPage.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartPageNavigator.h"
#include "chart/editor/TFormKorGeneral.h"
#include "chart/editor/TFormKorPanel.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorCustomTool.h"

#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"

#include <QCheckBox>
#include <QLabel>
#include <QShowEvent>

TKorToolClass KorPageNumToolClass;

namespace {

constexpr int MaxPointsPerPage = 32000;

}  // namespace

TFormKorPage::TFormKorPage(QWidget* Owner, TCustomChart* Chart)
    : QWidget(Owner), TComponent(nullptr) {
  setObjectName(QStringLiteral("FormKorPage"));
  resize(400, 250);
  BuildControls();
  ChartPageNavigator1->SetChart(Chart);
  Connect();
}

TFormKorPage::~TFormKorPage() {
  Destroying();
}

void TFormKorPage::BuildControls() {
  TFormBuilder B(*this);
  LPointsPerPage = B.Add<QLabel>(QStringLiteral("LPointsPerPage"),
                                 QStringLiteral("P&oints per Page:"), 8, 12, 100, 13);
  SEPointsPerPage =
      B.Add<TEditUpDown>(QStringLiteral("SEPointsPerPage"), QStringLiteral("0"), 112, 8, 64, 22);
  SEPointsPerPage->SetMin(0);
  SEPointsPerPage->SetMax(MaxPointsPerPage);
  LPointsPerPage->setBuddy(SEPointsPerPage);
  CBScaleLast = B.Add<QCheckBox>(QStringLiteral("CBScaleLast"), QStringLiteral("&Scale Last Page"),
                                 8, 40, 200, 17);
  CBPageLegend = B.Add<QCheckBox>(QStringLiteral("CBPageLegend"),
                                  QStringLiteral("&Current page Legend"), 8, 62, 200, 17);
  CBPageNum = B.Add<QCheckBox>(QStringLiteral("CBPageNum"), QStringLiteral("Show &Page Number"), 8,
                               84, 200, 17);
  ChartPageNavigator1 = new TChartPageNavigator(this);
  ChartPageNavigator1->SetParentWidget(this);
  ChartPageNavigator1->GetWidget()->setObjectName(QStringLiteral("ChartPageNavigator1"));
  ChartPageNavigator1->SetBounds(8, 112, 120, 25);
  LabelPages = B.Add<QLabel>(QStringLiteral("LabelPages"), QString(), 140, 118, 200, 13);
}

template <class Sender, class Signal>
void TFormKorPage::Wire(Sender* Control, Signal Changed, void (TFormKorPage::*Handler)()) {
  QObject::connect(Control, Changed, this, [this, Handler] {
    if (FUpdating || GetChart() == nullptr) return;
    KorGuardedEdit([this, Handler] { (this->*Handler)(); }, [this] { FormShow(); });
  });
}

void TFormKorPage::Connect() {
  Wire(SEPointsPerPage, &QLineEdit::textChanged, &TFormKorPage::SEPointsPerPageChange);
  Wire(CBScaleLast, &QCheckBox::clicked, &TFormKorPage::CBScaleLastClick);
  Wire(CBPageLegend, &QCheckBox::clicked, &TFormKorPage::CBPageLegendClick);
  Wire(CBPageNum, &QCheckBox::clicked, &TFormKorPage::CBPageNumClick);
  ChartPageNavigator1->OnButtonClicked = [this](TCustomKorNavigator*, TKorNavigateBtn) {
    RunGuarded([this] { RefreshLabel(); });
  };
}

TCustomChart* TFormKorPage::GetChart() const {
  return dynamic_cast<TCustomChart*>(ChartPageNavigator1->GetChart());
}

void TFormKorPage::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  RunGuarded([this] { FormShow(); });
}

void TFormKorPage::FormShow() {
  TCustomChart* Chart = GetChart();
  if (Chart == nullptr) return;
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  SEPointsPerPage->SetPosition(Chart->GetMaxPointsPerPage());
  CBScaleLast->setChecked(Chart->GetScaleLastPage());
  CBPageLegend->setChecked(Chart->GetLegend().GetCurrentPage());
  RefreshLabel();
  CBPageNum->setVisible(KorPageNumToolClass.Assigned());
  const TKorCustomTool* Tool = FindPageNumTool();
  CBPageNum->setChecked(Tool != nullptr && Tool->GetActive());
  ChartPageNavigator1->EnableButtons();
}

void TFormKorPage::RefreshLabel() {
  const TCustomChart* Chart = GetChart();
  if (Chart == nullptr) return;
  LabelPages->setText(Format(Korconst::KorMsg_PageOfPages, {Chart->GetPage(), Chart->NumPages()}));
}

TKorCustomTool* TFormKorPage::FindPageNumTool() const {
  const TCustomChart* Chart = GetChart();
  if (Chart == nullptr || !KorPageNumToolClass) return nullptr;
  for (TKorCustomTool* Tool : Chart->GetTools())
    if (KorPageNumToolClass.IsClassOf(Tool)) return Tool;
  return nullptr;
}

void TFormKorPage::SEPointsPerPageChange() {
  if (FUpdating || !isVisible()) return;
  const QString Text = SEPointsPerPage->text().trimmed();
  // While a number is being typed its text may not parse yet; empty means
  // no paging.
  int Value = 0;
  if (!Text.isEmpty() && !TryStrToInt(Text, Value)) return;
  GetChart()->SetMaxPointsPerPage(Value);
  RefreshLabel();
}

void TFormKorPage::CBScaleLastClick() {
  GetChart()->SetScaleLastPage(CBScaleLast->isChecked());
}

void TFormKorPage::CBPageLegendClick() {
  GetChart()->GetLegend().SetCurrentPage(CBPageLegend->isChecked());
}

void TFormKorPage::CBPageNumClick() {
  if (!KorPageNumToolClass) return;
  TCustomChart* Chart = GetChart();
  TKorCustomTool* Tool = FindPageNumTool();
  if (Tool == nullptr) {
    // A chart without an owner owns the tool itself, so it is freed with
    // the chart rather than never.
    TComponent* Owner = Chart->GetOwner() != nullptr ? Chart->GetOwner() : Chart;
    Tool = KorPageNumToolClass.Create(Owner);
    Tool->SetName(KorGetUniqueName(Owner, QStringLiteral("ChartTool")).toStdString());
    Chart->GetTools().Add(Tool);
  }
  Tool->SetActive(CBPageNum->isChecked());
}

void RegisterGeneralEditorPages() {
  ChartEditorPages().Register(
      QStringLiteral("TabGeneral"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        return new TFormKorGeneral(&Page, Editor.GetChart());
      },
      TPageSizing::psAhead);
  ChartEditorPages().Register(
      QStringLiteral("TabPanel"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        return new TFormKorPanel(&Page, Editor.GetChart());
      },
      TPageSizing::psAhead);
  ChartEditorPages().Register(
      QStringLiteral("TabPaging"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        return new TFormKorPage(&Page, Editor.GetChart());
      },
      TPageSizing::psAhead);
}
