#include "chart/editor/TFormKorTools.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TDragPointToolEdit.h"
#include "chart/editor/TFormKorTitle.h"
#include "chart/editor/TFormKorWall.h"
#include "chart/editor/TKorToolsGallery.h"
#include "chart/editor/TSelectorToolEditor.h"
#include "chart/editor/TSeriesToolEditor.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorCustomTool.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TBitmap.h"
#include "platform/TFormBuilder.h"
#include "platform/TOwnerDrawDelegate.h"

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <map>

namespace {

constexpr int ToolItemHeight = 18;

}  // namespace

void RegisterToolEditorForms() {
  RegisterEditorForm(QStringLiteral("TSeriesToolEditor"),
                     [](QWidget* Parent) { return new TSeriesToolEditor(Parent); });
  RegisterEditorForm(QStringLiteral("TDragPointToolEdit"),
                     [](QWidget* Parent) { return new TDragPointToolEdit(Parent); });
  RegisterEditorForm(QStringLiteral("TSelectorToolEditor"),
                     [](QWidget* Parent) { return new TSelectorToolEditor(Parent); });
}

void RegisterTitlesWallsToolsEditorPages() {
  RegisterToolEditorForms();
  ChartEditorPages().Register(
      QStringLiteral("TabTitle"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        return new TFormKorTitle(&Page, Editor.GetChart(), Editor.GetTheTitle());
      },
      TPageSizing::psAhead);
  ChartEditorPages().Register(
      QStringLiteral("TabWalls"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        return new TFormKorWall(&Page, Editor.GetChart(), Editor.GetTheWall());
      },
      TPageSizing::psAhead);
  ChartEditorPages().Register(
      QStringLiteral("TabTools"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        auto* Form = new TFormKorTools(&Page, Editor.GetChart());
        Form->FormShow(Editor.GetTheTool());
        return Form;
      },
      TPageSizing::psAhead);
}

TFormKorTools::TFormKorTools(QWidget* Parent, TCustomChart* Chart)
    : QWidget(Parent), FChart(Chart) {
  setObjectName(QStringLiteral("FormKorTools"));
  BuildControls();
  Connect();
}

void TFormKorTools::BuildControls() {
  resize(400, 300);
  TFormBuilder B(*this);
  LBTools = B.Add<QListWidget>(QStringLiteral("LBTools"), QString(), 8, 8, 150, 200);
  LBTools->setItemDelegate(new TOwnerDrawDelegate(
      LBTools, ToolItemHeight,
      [this](TCanvas& Canvas, int Index, const TRect& Rect, bool Selected, bool) {
        const TKorCustomTool* Tool = ToolAt(Index);
        KorDrawTool(*LBTools, Index, Canvas, Rect,
                    Tool != nullptr ? ClassOfInstance<TKorCustomTool>(*Tool) : TKorToolClass(),
                    Selected);
      }));
  BAdd = B.Add<QPushButton>(QStringLiteral("BAdd"), QStringLiteral("&Add..."), 8, 214, 72, 25);
  BDelete =
      B.Add<QPushButton>(QStringLiteral("BDelete"), QStringLiteral("&Delete"), 86, 214, 72, 25);
  BMoveUp = B.Add<QPushButton>(QStringLiteral("BMoveUp"), QString(), 8, 244, 25, 25);
  BMoveDown = B.Add<QPushButton>(QStringLiteral("BMoveDown"), QString(), 36, 244, 25, 25);
  TBitmap Up;
  TBitmap Down;
  KorLoadArrowBitmaps(Up, Down);
  BMoveUp->setIcon(QIcon(QPixmap::fromImage(Up.Image())));
  BMoveDown->setIcon(QIcon(QPixmap::fromImage(Down.Image())));
  CBActive =
      B.Add<QCheckBox>(QStringLiteral("CBActive"), QStringLiteral("A&ctive"), 166, 8, 80, 17);
  CBShowEditor = B.Add<QCheckBox>(QStringLiteral("CBShowEditor"),
                                  QStringLiteral("Show in this editor"), 250, 8, 140, 17);
  PanelEditor = B.Add<QWidget>(QStringLiteral("PanelEditor"), QString(), 160, 30, 240, 240);
  PanelBottom = B.Add<QWidget>(QStringLiteral("PanelBottom"), QString(), 0, 276, 400, 24);
  LDescription = TFormBuilder::AddTo<QLabel>(*PanelBottom, QStringLiteral("LDescription"),
                                             QString(), 8, 4, 384, 16);
  PanelBottom->hide();
}

void TFormKorTools::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TFormKorTools::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (!FUpdating) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  Wire(LBTools, &QListWidget::currentRowChanged, &TFormKorTools::LBToolsClick);
  Wire(CBActive, &QCheckBox::toggled, &TFormKorTools::CBActiveClick);
  Wire(CBShowEditor, &QCheckBox::toggled, &TFormKorTools::CBShowEditorClick);
  Wire(BAdd, &QPushButton::clicked, &TFormKorTools::BAddClick);
  Wire(BDelete, &QPushButton::clicked, &TFormKorTools::BDeleteClick);
  Wire(BMoveUp, &QPushButton::clicked, &TFormKorTools::BMoveUpClick);
  Wire(BMoveDown, &QPushButton::clicked, &TFormKorTools::BMoveDownClick);
}

void TFormKorTools::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous() && LBTools->count() == 0) RunGuarded([this] { FormShow(); });
}

void TFormKorTools::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadToolControls(); });
}

bool TFormKorTools::Designing() const {
  return FChart != nullptr && FChart->InState(TComponent::csDesigning);
}

TKorCustomTool* TFormKorTools::ToolAt(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FRowTools.size()) ? FRowTools[Index] : nullptr;
}

TKorCustomTool* TFormKorTools::SelectedTool() const {
  return ToolAt(LBTools->currentRow());
}

void TFormKorTools::FormShow(TKorCustomTool* Tool) {
  PanelBottom->setVisible(Designing());
  FillTools();
  const auto It = std::find(FRowTools.begin(), FRowTools.end(), Tool);
  SelectRow(It == FRowTools.end() ? 0 : static_cast<int>(It - FRowTools.begin()));
}

void TFormKorTools::FillTools() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  LBTools->clear();
  FRowTools.clear();
  if (FChart != nullptr)
    for (TKorCustomTool* Tool : FChart->GetTools())
      if (Designing() || Tool->GetShowInEditor()) {
        FRowTools.push_back(Tool);
        LBTools->addItem(Tool->Description());
      }
  CBActive->setEnabled(!FRowTools.empty());
  BDelete->setEnabled(!FRowTools.empty());
}

void TFormKorTools::SelectRow(int Row) {
  {
    const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
    FUpdating = true;
    LBTools->setCurrentRow(Row);
  }
  LBToolsClick();
}

void TFormKorTools::LBToolsClick() {
  TKorCustomTool* Tool = SelectedTool();
  // An editor form that refuses to close (its own check) keeps its tool.
  if (FEditorForm != nullptr && Tool != FEditorTool && !FEditorForm->close()) {
    const auto It = std::find(FRowTools.begin(), FRowTools.end(), FEditorTool);
    if (It != FRowTools.end()) {
      const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
      FUpdating = true;
      LBTools->setCurrentRow(static_cast<int>(It - FRowTools.begin()));
      return;
    }
  }
  FreeEditorForm();
  LoadToolControls();
  if (Tool != nullptr) ShowEditorForm(Tool);
}

void TFormKorTools::LoadToolControls() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  const int Row = LBTools->currentRow();
  TKorCustomTool* Tool = SelectedTool();
  CBActive->setChecked(Tool != nullptr && Tool->GetActive());
  CBShowEditor->setVisible(Designing());
  CBShowEditor->setChecked(Tool != nullptr && Tool->GetShowInEditor());
  BMoveUp->setEnabled(Tool != nullptr && Row > 0);
  BMoveDown->setEnabled(Tool != nullptr && Row < LBTools->count() - 1);
  LDescription->setText(Tool != nullptr ? Tool->Description() : QString());
}

void TFormKorTools::FreeEditorForm() {
  delete FEditorForm;
  FEditorForm = nullptr;
  FEditorTool = nullptr;
}

void TFormKorTools::ShowEditorForm(TKorCustomTool* Tool) {
  FEditorForm = CreateEditorForm(Tool->GetEditorClass(), PanelEditor);
  if (FEditorForm == nullptr) return;
  FEditorTool = Tool;
  FEditorForm->resize(PanelEditor->size());
  KorTranslateControl(FEditorForm);
  AddFormTo(*FEditorForm, *PanelEditor, static_cast<void*>(Tool));
}

void TFormKorTools::CBActiveClick() {
  if (TKorCustomTool* Tool = SelectedTool()) Tool->SetActive(CBActive->isChecked());
}

void TFormKorTools::CBShowEditorClick() {
  if (TKorCustomTool* Tool = SelectedTool()) Tool->SetShowInEditor(CBShowEditor->isChecked());
}

void TFormKorTools::BAddClick() {
  if (FChart == nullptr) return;
  auto Gallery = KorCreateForm<TKorToolsGallery>(this);
  if (ShowModal(*Gallery) != mrOk) return;
  const TKorToolClass Class = Gallery->SelectedTool();
  if (!Class) return;
  // Tools normally belong to the chart's owner (the form); a chart that
  // already owns its tools keeps them together.
  TComponent* Owner = FChart->GetOwner();
  for (TKorCustomTool* Tool : FChart->GetTools())
    if (Tool->GetOwner() == FChart) Owner = FChart;
  TKorCustomTool* Tool = Class.Create(Owner);
  Tool->SetParentChart(FChart);
  Tool->SetName(KorGetUniqueName(Owner, QStringLiteral("ChartTool")).toStdString());
  if (OnAdded) OnAdded(Tool);
  FillTools();
  SelectRow(LBTools->count() - 1);
  LBTools->setFocus();
}

void TFormKorTools::BDeleteClick() {
  TKorCustomTool* Tool = SelectedTool();
  if (Tool == nullptr) return;
  const QString Name =
      Tool->GetName().empty() ? Tool->Description() : QString::fromStdString(Tool->GetName());
  if (!KorYesNoDelete(Name, BDelete)) return;
  const int Row = LBTools->currentRow();
  if (OnDeleting) OnDeleting(Tool);
  FreeEditorForm();
  delete Tool;
  FillTools();
  SelectRow(Row < 2 ? LBTools->count() - 1 : Row - 1);
}

void TFormKorTools::BMoveUpClick() {
  const int Row = LBTools->currentRow();
  if (Row > 0) ExchangeRows(Row, Row - 1);
}

void TFormKorTools::BMoveDownClick() {
  const int Row = LBTools->currentRow();
  if (Row >= 0 && Row < LBTools->count() - 1) ExchangeRows(Row, Row + 1);
}

void TFormKorTools::ExchangeRows(int Row, int Other) {
  TKorCustomTool* A = FRowTools[Row];
  TKorCustomTool* B = FRowTools[Other];
  // The tool list can only append: take the tools from the first of the
  // two on out and put them back with the two exchanged.
  TChartTools& Tools = FChart->GetTools();
  std::vector<TKorCustomTool*> Order(Tools.begin(), Tools.end());
  const auto IA = std::find(Order.begin(), Order.end(), A);
  const auto IB = std::find(Order.begin(), Order.end(), B);
  std::iter_swap(IA, IB);
  const auto First = std::min(IA, IB);
  for (auto It = First; It != Order.end(); ++It) Tools.Remove(*It);
  for (auto It = First; It != Order.end(); ++It) Tools.Add(*It);
  // Streams write tools in their owner's creation order: it follows too.
  if (A->GetOwner() != nullptr && A->GetOwner() == B->GetOwner())
    A->GetOwner()->ExchangeComponents(A, B);
  FChart->Invalidate();
  FillTools();
  SelectRow(Other);
}
