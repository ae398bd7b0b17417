#include "chart/editor/TChartEditorDataPage.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartGrid.h"
#include "chart/editor/TChartGridNavigator.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"

#include <QAction>
#include <QCursor>
#include <QHBoxLayout>
#include <QMenu>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

// The extra pixels a row gets over the height of its text.
constexpr int RowTextMargin = 2;

QToolButton* AddToggle(QWidget& Parent, QLayout& Bar, const QString& Name, const QString& Caption) {
  auto* Button = new QToolButton(&Parent);
  Button->setObjectName(Name);
  Button->setText(Caption);
  Button->setCheckable(true);
  Button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  // Flat until down, so a switched-on toggle stands out.
  Button->setAutoRaise(true);
  Bar.addWidget(Button);
  return Button;
}

}  // namespace

TChartEditorDataPage::TChartEditorDataPage(QWidget* Parent) : QWidget(Parent), TComponent(nullptr) {
  BuildPage();
  BuildPopup();
}

TChartEditorDataPage::~TChartEditorDataPage() {
  Destroying();
  if (FChart != nullptr) FChart->RemoveFreeNotification(this);
}

void TChartEditorDataPage::BuildPage() {
  setObjectName(QStringLiteral("TChartEditorDataPage"));
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(4, 4, 4, 4);
  auto* Bar = new QHBoxLayout;
  Layout->addLayout(Bar);

  ChartGrid1 = new TChartGrid(this);
  ChartGrid1->SetName("ChartGrid1");
  ChartGrid1->SetParentWidget(this);
  ChartGrid1->GetWidget()->setObjectName(QStringLiteral("ChartGrid1"));
  ChartGrid1->OnMouseDown = [this](TCustomControl*, TMouseButton Button, TShiftState Shift, int X,
                                   int Y) { ChartGrid1MouseDown(Button, Shift, X, Y); };

  ChartGridNavigator1 = new TChartGridNavigator(this);
  ChartGridNavigator1->SetName("ChartGridNavigator1");
  ChartGridNavigator1->SetParentWidget(this);
  ChartGridNavigator1->SetGrid(ChartGrid1);
  QWidget* Navigator = ChartGridNavigator1->GetWidget();
  Navigator->setObjectName(QStringLiteral("ChartGridNavigator1"));
  Navigator->setFixedSize(ChartGridNavigator1->GetWidth(), ChartGridNavigator1->GetHeight());
  Bar->addWidget(Navigator);

  SBGridText = AddToggle(*this, *Bar, QStringLiteral("SBGridText"), QStringLiteral("Show labels"));
  SBGridCol = AddToggle(*this, *Bar, QStringLiteral("SBGridCol"), QStringLiteral("Show colors"));
  SBGrid3D = AddToggle(*this, *Bar, QStringLiteral("SBGrid3D"), QStringLiteral("XYZ series"));
  SBGridX = AddToggle(*this, *Bar, QStringLiteral("SBGridX"), QStringLiteral("Show X values"));
  Bar->addStretch(1);
  Layout->addWidget(ChartGrid1->GetWidget(), 1);

  connect(SBGridText, &QToolButton::clicked, this,
          [this] { RunGuarded([this] { SBGridTextClick(); }); });
  connect(SBGridCol, &QToolButton::clicked, this,
          [this] { RunGuarded([this] { SBGridColClick(); }); });
  connect(SBGridX, &QToolButton::clicked, this, [this] { RunGuarded([this] { SBGridXClick(); }); });
}

void TChartEditorDataPage::BuildPopup() {
  PopupData = new QMenu(this);
  PopupData->setObjectName(QStringLiteral("PopupData"));
  const auto Item = [this](const char* Name, const char* Caption,
                           void (TChartEditorDataPage::*Click)()) {
    QAction* Action = PopupData->addAction(QString::fromLatin1(Caption));
    Action->setObjectName(QString::fromLatin1(Name));
    connect(Action, &QAction::triggered, this,
            [this, Click] { RunGuarded([this, Click] { (this->*Click)(); }); });
    return Action;
  };
  EditColor1 = Item("EditColor1", "&Edit Color...", &TChartEditorDataPage::EditColorClick);
  DefaultColor1 = Item("DefaultColor1", "Default &Color", &TChartEditorDataPage::DefaultColorClick);
  MakeNull1 = Item("MakeNull1", "Make &null point", &TChartEditorDataPage::MakeNullClick);
  AppendRow1 = Item("AppendRow1", "&Append row", &TChartEditorDataPage::AppendRowClick);
  DeleteRow1 = Item("DeleteRow1", "&Delete row", &TChartEditorDataPage::DeleteRowClick);
  TextFont1 = Item("TextFont1", "&Text font...", &TChartEditorDataPage::TextFontClick);
  connect(PopupData, &QMenu::aboutToShow, this,
          [this] { RunGuarded([this] { PopupDataPopup(); }); });
}

void TChartEditorDataPage::SetChart(TCustomChart* Value) {
  if (Value == FChart) return;
  if (FChart != nullptr) FChart->RemoveFreeNotification(this);
  FChart = Value;
  if (FChart != nullptr) FChart->FreeNotification(this);
}

void TChartEditorDataPage::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FChart) FChart = nullptr;
}

// ------------------------------------------------------------------ show

void TChartEditorDataPage::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  RunGuarded([this] { PageShow(); });
}

void TChartEditorDataPage::PageShow() {
  ChartGrid1->SetChart(FChart);
  // Colours the user switched on stay on for a series without colours of
  // its own.
  if (const TChartSeries* First = FirstSeries(); First != nullptr && HasColors(*First))
    ChartGrid1->SetShowColors(true);
  FillToggles();
}

void TChartEditorDataPage::FillToggles() {
  const QScopedValueRollback<bool> Guard(FUpdating, true);
  SBGridText->setChecked(ChartGrid1->GetShowLabels());
  SBGridCol->setChecked(ChartGrid1->GetShowColors());
  const TChartSeries* First = FirstSeries();
  SBGridX->setEnabled(First != nullptr && HasNoMandatoryValues(*First));
  SBGridX->setChecked(First != nullptr && ChartGrid1->XColumnShown(*First));
  // No series type of ours holds Z values, so the grid never has an XYZ
  // layout to switch to (nor does Alt with the right button).
  SBGrid3D->setEnabled(false);
  SBGrid3D->setChecked(false);
}

void TChartEditorDataPage::SBGridTextClick() {
  if (!FUpdating) ChartGrid1->SetShowLabels(SBGridText->isChecked());
}

void TChartEditorDataPage::SBGridColClick() {
  if (!FUpdating) ChartGrid1->SetShowColors(SBGridCol->isChecked());
}

void TChartEditorDataPage::SBGridXClick() {
  if (!FUpdating) ChartGrid1->SetShowXValues(SBGridX->isChecked() ? cgsYes : cgsNo);
}

// ---------------------------------------------------------------- pop-up

void TChartEditorDataPage::ChartGrid1MouseDown(TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbRight) return;
  // The menu acts on the current cell, so the cell clicked becomes it.
  int Col = 0;
  int Row = 0;
  if (ChartGrid1->MouseToCell(X, Y, Col, Row)) ChartGrid1->MoveTo(Col, Row);
  const QWidget* Grid = ChartGrid1->GetWidget();
  PopupData->popup(Grid != nullptr ? Grid->mapToGlobal(QPoint(X, Y)) : QCursor::pos());
}

TChartSeries* TChartEditorDataPage::FirstSeries() const {
  const std::vector<TChartSeries*> Shown = ChartGrid1->ShownSeries();
  return Shown.empty() ? nullptr : Shown.front();
}

TChartSeries* TChartEditorDataPage::CellSeries() const {
  TChartSeries* Series = ChartGrid1->SeriesOfColumn(ChartGrid1->GetCol());
  return Series != nullptr ? Series : FirstSeries();
}

int TChartEditorDataPage::CellPoint() const {
  const TChartSeries* Series = CellSeries();
  const int Index = ChartGrid1->GetRow() - ChartGrid1->FirstDataRow();
  return Series != nullptr && Index >= 0 && Index < Series->Count() ? Index : -1;
}

void TChartEditorDataPage::PopupDataPopup() {
  const TChartSeries* Series = CellSeries();
  const int Index = CellPoint();
  const bool HasPoint = Index >= 0;
  // The colours column shows the first series' points only.
  EditColor1->setEnabled(HasPoint && ChartGrid1->ColorsColumn() >= 0 && Series == FirstSeries());
  DefaultColor1->setEnabled(HasPoint && Series->GetOwnColor(Index) != clDefault);
  MakeNull1->setEnabled(HasPoint && !Series->IsNull(Index));
}

void TChartEditorDataPage::EditColorClick() {
  ChartGrid1->ChangeColor();
}

void TChartEditorDataPage::SetCellColor(TColor Color) {
  TChartSeries* Series = CellSeries();
  const int Index = CellPoint();
  if (Index < 0) return;
  if (Color == clNone)
    Series->SetNull(Index);
  else
    Series->SetValueColor(Index, Color);
  // As for any edit in the grid: the points are now the user's own.
  Series->SetManualData(true);
  ChartGrid1->Invalidate();
}

void TChartEditorDataPage::DefaultColorClick() {
  SetCellColor(clDefault);
}

void TChartEditorDataPage::MakeNullClick() {
  SetCellColor(clNone);
}

void TChartEditorDataPage::AppendRowClick() {
  ChartGrid1->AppendRow();
}

void TChartEditorDataPage::DeleteRowClick() {
  ChartGrid1->Delete();
}

void TChartEditorDataPage::TextFontClick() {
  TCanvas& Canvas = ChartGrid1->GetCanvas();
  TFont Font;
  Font.Assign(Canvas.GetFont());
  if (!ExecuteFontDialog(Font, this)) return;
  Canvas.SetFont(Font);
  const int Height = Canvas.TextHeight(QStringLiteral("W")) + RowTextMargin;
  ChartGrid1->SetDefaultRowHeight(Height);
  // The default applies only to rows added later; the existing rows take
  // the height too, except that the title row never shrinks below its own.
  ChartGrid1->SetRowHeight(0, std::max(ChartGrid1->GetRowHeight(0), Height));
  for (int Row = 1; Row < ChartGrid1->GetRowCount(); ++Row) ChartGrid1->SetRowHeight(Row, Height);
  ChartGrid1->FitTitleColumns();
}

// -------------------------------------------------------------- register

void RegisterDataEditorPage() {
  ChartEditorPages().Register(
      QStringLiteral("TabData"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        auto* DataPage = new TChartEditorDataPage(&Page);
        DataPage->SetChart(Editor.GetChart());
        return DataPage;
      },
      TPageSizing::psAhead);
}
