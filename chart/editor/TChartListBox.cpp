#include "chart/editor/TChartListBox.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorColorRoutines.h"
#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/KorTypePictures.h"
#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorCustomDesigner.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TSeriesGroup.h"

#include "platform/Cursors.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TCanvas.h"
#include "platform/TOwnerDrawDelegate.h"
#include "platform/TStringList.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

TKorAddGalleryProc KorAddGalleryProc;
TKorChangeGalleryProc KorChangeGalleryProc;

namespace {

// The series a row stands for is kept in the item's user data.
constexpr int SeriesRole = Qt::UserRole;

TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers) {
  TShiftState Shift;
  if (Modifiers.testFlag(Qt::ShiftModifier)) Shift.Include(ssShift);
  if (Modifiers.testFlag(Qt::ControlModifier)) Shift.Include(ssCtrl);
  if (Modifiers.testFlag(Qt::AltModifier)) Shift.Include(ssAlt);
  return Shift;
}

TMouseButton ButtonOf(Qt::MouseButton Button) {
  switch (Button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

// The swatch stands for the whole series only when its points do not
// each take their own colour (the legend draws no symbol then either).
bool UsesOneColor(const TChartSeries& ASeries) {
  return !ASeries.GetColorEachPoint();
}

}  // namespace

TChartListBox::TChartListBox(QWidget* Parent) : QListWidget(Parent), TComponent(nullptr) {
  KorRegisterHandCursor();
  // Rows are painted through DrawItem on a canvas over the view's painter.
  setItemDelegate(new TOwnerDrawDelegate(
      this, RowHeight,
      [this](TCanvas& Canvas, int Index, const TRect& Rect, bool Selected, bool Focused) {
        DrawItem(Canvas, Index, Rect, Selected, Focused);
      }));
  setUniformItemSizes(true);
  setSortingEnabled(false);
  // Rows are reordered by our own drag (a swap of two series), never by
  // the view's drag and drop.
  setDragEnabled(false);
  setMouseTracking(true);
  ApplySelectionMode();
}

TChartListBox::~TChartListBox() {
  Destroying();
  if (FChart != nullptr) FChart->RemoveListener(this);
}

// ------------------------------------------------------------ properties

void TChartListBox::SetChart(TCustomChart* Value) {
  if (Value == FChart) return;
  CloseEditor();
  if (FChart != nullptr) {
    FChart->RemoveListener(this);
    RemoveFreeNotification(FChart);
  }
  FChart = Value;
  // A group belongs to the chart it came from.
  FGroup = nullptr;
  if (FChart != nullptr) {
    FChart->FreeNotification(this);
    FChart->GetListeners().Add(this);
  }
  FillSeries();
}

void TChartListBox::SetGroup(TSeriesGroup* Value) {
  FGroup = Value;
  FillSeries();
}

void TChartListBox::SetNames(bool Value) {
  FNames = Value;
  FillSeries();
}

void TChartListBox::SetCheckStyle(TCheckBoxesStyle Value) {
  if (Value == FCheckStyle) return;
  FCheckStyle = Value;
  if (FCheckStyle == cbsRadio) {
    bool Found = false;
    for (int I = 0; I < count(); ++I) {
      TChartSeries* S = GetSeries(I);
      if (!S->GetActive()) continue;
      if (Found) S->SetActive(false);
      Found = true;
    }
  }
  viewport()->update();
}

void TChartListBox::SetMultiSelect(bool Value) {
  FMultiSelect = Value;
  ApplySelectionMode();
}

void TChartListBox::SetExtendedSelect(bool Value) {
  FExtendedSelect = Value;
  ApplySelectionMode();
}

void TChartListBox::ApplySelectionMode() {
  if (!FMultiSelect)
    setSelectionMode(QAbstractItemView::SingleSelection);
  else if (FExtendedSelect)
    setSelectionMode(QAbstractItemView::ExtendedSelection);
  else
    setSelectionMode(QAbstractItemView::MultiSelection);
}

void TChartListBox::ShowSection(TChartListBoxSection Section, bool Value) {
  FSections[Section].Visible = Value;
  viewport()->update();
}

// ------------------------------------------------------ rows and selection

int TChartListBox::GetItemIndex() const {
  return count() == 0 ? -1 : currentRow();
}

TChartSeries* TChartListBox::GetSeries(int Index) const {
  if (Index < 0 || Index >= count()) return nullptr;
  return static_cast<TChartSeries*>(item(Index)->data(SeriesRole).value<void*>());
}

int TChartListBox::IndexOfSeries(const TChartSeries* ASeries) const {
  if (ASeries == nullptr) return -1;
  for (int I = 0; I < count(); ++I)
    if (GetSeries(I) == ASeries) return I;
  return -1;
}

TChartSeries* TChartListBox::SelectedSeries() const {
  return GetSeries(GetItemIndex());
}

void TChartListBox::SetSelectedSeries(TChartSeries* ASeries) {
  const int Row = IndexOfSeries(ASeries);
  if (Row >= 0) setCurrentRow(Row, QItemSelectionModel::ClearAndSelect);
}

void TChartListBox::SelectSeries(int Index) {
  if (Index < 0 || Index >= count()) return;
  if (FMultiSelect)
    setCurrentRow(Index, QItemSelectionModel::Select);
  else
    setCurrentRow(Index, QItemSelectionModel::ClearAndSelect);
}

void TChartListBox::SelectAll() {
  if (FMultiSelect) selectAll();
}

bool TChartListBox::AnySelected() const {
  return !selectedItems().isEmpty();
}

std::vector<TChartSeries*> TChartListBox::SelectedSeriesList() const {
  std::vector<TChartSeries*> Result;
  for (int I = 0; I < count(); ++I)
    if (item(I)->isSelected()) Result.push_back(GetSeries(I));
  return Result;
}

// --------------------------------------------------------------- filling

QString TChartListBox::RowText(const TChartSeries* ASeries) const {
  return FNames ? QString::fromStdString(ASeries->GetName()) : SeriesTitleOrName(ASeries);
}

void TChartListBox::AddRow(const QString& Text, TChartSeries* ASeries) {
  auto* Item = new QListWidgetItem(Text, this);
  Item->setData(SeriesRole, QVariant::fromValue(static_cast<void*>(ASeries)));
}

void TChartListBox::SetRowText(int Index, const QString& Text) {
  item(Index)->setText(Text);
  if (FOtherItems != nullptr && Index < FOtherItems->Count()) FOtherItems->Put(Index, Text);
}

void TChartListBox::FillSeries(TChartSeries* ASeries) {
  CloseEditor();
  clear();
  if (FOtherItems != nullptr) FOtherItems->Clear();
  if (FChart != nullptr) {
    TStringList Rows;
    FillSeriesItems(Rows, FGroup != nullptr ? FGroup->GetSeries() : FChart->GetSeriesList(),
                    !FNames);
    for (int I = 0; I < Rows.Count(); ++I) {
      AddRow(Rows[I], static_cast<TChartSeries*>(Rows.Objects(I)));
      if (FOtherItems != nullptr) FOtherItems->AddObject(Rows[I], Rows.Objects(I));
    }
  }
  int Row = IndexOfSeries(ASeries);
  if (Row < 0 && count() > 0) Row = 0;
  if (Row >= 0) setCurrentRow(Row, QItemSelectionModel::ClearAndSelect);
  Notify(OnOtherItemsChange);
  Notify(OnRefresh);
}

void TChartListBox::UpdateSeries() {
  const std::vector<TChartSeries*> Selected = SelectedSeriesList();
  FillSeries(SelectedSeries());
  for (TChartSeries* S : Selected) {
    const int Row = IndexOfSeries(S);
    if (Row >= 0) item(Row)->setSelected(true);
  }
}

// ------------------------------------------------------------ operations

void TChartListBox::SwapSeries(int A, int B) {
  if (A == B || A < 0 || B < 0 || A >= count() || B >= count()) return;
  TChartSeries* SeriesA = GetSeries(A);
  TChartSeries* SeriesB = GetSeries(B);
  const QString TextA = item(A)->text();
  item(A)->setText(item(B)->text());
  item(A)->setData(SeriesRole, QVariant::fromValue(static_cast<void*>(SeriesB)));
  item(B)->setText(TextA);
  item(B)->setData(SeriesRole, QVariant::fromValue(static_cast<void*>(SeriesA)));
  if (FOtherItems != nullptr && A < FOtherItems->Count() && B < FOtherItems->Count())
    FOtherItems->Exchange(A, B);
  if (FChart != nullptr) {
    FSwapping = true;
    TScopeGuard Done([this] { FSwapping = false; });
    FChart->ExchangeSeries(SeriesA, SeriesB);
  }
  if (OnChangeOrder) OnChangeOrder(this, SeriesA, SeriesB);
  if (isVisible() && isEnabled()) setFocus();
  setCurrentRow(B, QItemSelectionModel::ClearAndSelect);
  Notify(OnRefresh);
  RefreshDesigner();
}

void TChartListBox::MoveCurrentUp() {
  const int Row = GetItemIndex();
  if (Row > 0) SwapSeries(Row, Row - 1);
}

void TChartListBox::MoveCurrentDown() {
  const int Row = GetItemIndex();
  if (Row >= 0 && Row < count() - 1) SwapSeries(Row, Row + 1);
}

void TChartListBox::DeleteSeries() {
  if (!AnySelected()) return;
  const std::vector<TChartSeries*> Doomed = SelectedSeriesList();
  if (FAskDelete) {
    const QString Name =
        Doomed.size() > 1 ? Korconst::KorMsg_SelectedSeries : SeriesTitleOrName(Doomed.front());
    if (!KorYesNoDelete(Name, this)) return;
  }
  for (TChartSeries* S : Doomed) {
    // Freeing one series may take another with it (a series computed from
    // it); only series still listed are freed, so none is freed twice.
    if (IndexOfSeries(S) >= 0) delete S;
  }
  if (count() > 0) setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
  Notify(OnRefresh);
  RefreshDesigner();
}

void TChartListBox::CloneSeries() {
  TChartSeries* S = SelectedSeries();
  if (S == nullptr) return;
  CloneChartSeries(*S);
  RefreshDesigner();
}

bool TChartListBox::RenameSeries() {
  const int Row = GetItemIndex();
  TChartSeries* S = GetSeries(Row);
  if (S == nullptr) return false;
  const QString OldText = item(Row)->text();
  QString Value = RowText(S);
  TInputQueryRequest Request;
  Request.Caption = Korconst::KorMsg_ChangeSeriesTitle;
  Request.Prompt = Korconst::KorMsg_NewSeriesTitle;
  Request.Parent = this;
  if (!InputQuery(Request, Value) || Value.isEmpty()) return false;
  if (FNames) {
    S->SetName(Value.toStdString());
    SetRowText(Row, Value);
  } else if (Value == QString::fromStdString(S->GetName())) {
    S->SetTitle(QString());
  } else {
    S->SetTitle(Value);
  }
  // The title change reached the row through the chart's event; a series
  // outside any chart sends none.
  const int NewRow = IndexOfSeries(S);
  if (NewRow < 0) return false;
  if (!FNames) SetRowText(NewRow, RowText(S));
  return item(NewRow)->text() != OldText;
}

void TChartListBox::AddSeriesGallery() {
  if (!KorAddGalleryProc) return;
  TChartSeries* S = KorAddGalleryProc(this, FChart, SelectedSeries());
  if (S == nullptr) return;
  if (FMultiSelect) clearSelection();
  SetSelectedSeries(S);
  Notify(OnRefresh);
  RefreshDesigner();
}

void TChartListBox::ChangeTypeSeries() {
  if (!AnySelected() || !KorChangeGalleryProc) return;
  std::vector<TChartSeries*> Series = SelectedSeriesList();
  const TChartSeriesClass NewClass = KorChangeGalleryProc(this, Series.front());
  if (!NewClass) return;
  for (size_t I = 1; I < Series.size(); ++I) ChangeSeriesType(Series[I], NewClass);
  SetSelectedSeries(Series.front());
  for (TChartSeries* S : Series) {
    const int Row = IndexOfSeries(S);
    if (Row >= 0) item(Row)->setSelected(true);
  }
  Notify(OnRefresh);
  RefreshDesigner();
}

void TChartListBox::RefreshDesigner() {
  if (FChart != nullptr && FChart->GetDesigner() != nullptr) FChart->GetDesigner()->Refresh();
}

// --------------------------------------------------------- inline editor

void TChartListBox::ShowEditor() {
  const int Row = GetItemIndex();
  TChartSeries* S = GetSeries(Row);
  if (!GetShowSeriesTitle() || S == nullptr) return;
  if (FEdit == nullptr) {
    FEdit = new QLineEdit(viewport());
    FEdit->installEventFilter(this);
  }
  const QRect R = visualItemRect(item(Row));
  FEdit->setGeometry(SectionLeft(lbsTitle) - 2, R.top(), SectionWidth(lbsTitle), R.height() + 1);
  FEdit->setText(RowText(S));
  FEditedSeries = S;
  FEdit->show();
  FEdit->setFocus();
  FEdit->selectAll();
}

QLineEdit* TChartListBox::GetEditor() const {
  return FEdit;
}

void TChartListBox::CloseEditor() {
  FEditedSeries = nullptr;
  if (FEdit != nullptr) FEdit->hide();
}

void TChartListBox::HideEditor() {
  const bool WasShown = FEdit != nullptr && FEdit->isVisible();
  CloseEditor();
  if (WasShown && isVisible()) setFocus();
}

void TChartListBox::AcceptEditor() {
  TChartSeries* S = FEditedSeries;
  const QString Text = FEdit->text();
  HideEditor();
  const int Row = IndexOfSeries(S);
  if (Row < 0) return;
  if (FNames) {
    // A component needs a name: an empty answer keeps the old one.
    if (Text.isEmpty()) return;
    S->SetName(Text.toStdString());
    SetRowText(Row, Text);
  } else {
    S->SetTitle(Text);
  }
}

bool TChartListBox::EditorKeyDown(int Key) {
  if (FEdit == nullptr || FEditedSeries == nullptr) return false;
  switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F2: AcceptEditor(); return true;
    case Qt::Key_Escape: HideEditor(); return true;
    default: return false;
  }
}

bool TChartListBox::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FEdit && Event->type() == QEvent::KeyPress) {
    bool Used = false;
    RunGuarded([&] { Used = EditorKeyDown(static_cast<QKeyEvent*>(Event)->key()); });
    if (Used) return true;
  }
  return QListWidget::eventFilter(Watched, Event);
}

// ------------------------------------------------------- geometry, mouse

int TChartListBox::SectionLeft(TChartListBoxSection Section) const {
  int Left = 0;
  for (int I = 0; I < Section; ++I)
    if (FSections[I].Visible) Left += FSections[I].Width;
  return Left;
}

int TChartListBox::SectionWidth(TChartListBoxSection Section) const {
  return FSections[Section].Width;
}

bool TChartListBox::PointInSection(const QPoint& P, TChartListBoxSection Section) const {
  if (!FSections[Section].Visible) return false;
  const int Left = SectionLeft(Section);
  return P.x() >= Left && P.x() < Left + FSections[Section].Width;
}

TChartSeries* TChartListBox::SeriesAtMousePos(int& Index) const {
  QListWidgetItem* Item = itemAt(FHitPoint);
  Index = Item != nullptr ? row(Item) : -1;
  return GetSeries(Index);
}

void TChartListBox::ToggleActive(TChartSeries* ASeries) {
  if (FCheckStyle == cbsRadio) {
    for (int I = 0; I < count(); ++I) GetSeries(I)->SetActive(GetSeries(I) == ASeries);
  } else {
    ASeries->SetActive(!ASeries->GetActive());
  }
  if (ASeries->GetParentChart() == nullptr) viewport()->update();
  if (OnChangeActive) OnChangeActive(this, ASeries);
  Notify(OnOtherItemsChange);
}

void TChartListBox::MouseDownAt(TMouseButton Button, TShiftState Shift, const QPoint& P) {
  HideEditor();
  FHitPoint = P;
  int Row = -1;
  TChartSeries* S = SeriesAtMousePos(Row);
  if (S == nullptr) return;
  if (PointInSection(P, lbsActive)) {
    ToggleActive(S);
  } else if (Button == mbLeft && PointInSection(P, lbsTitle) && !Shift.Contains(ssShift) &&
             !Shift.Contains(ssCtrl) && !FDblClicking && FEnableDragSeries) {
    FDragRow = Row;
  }
}

void TChartListBox::DblClickAt(const QPoint& P) {
  FHitPoint = P;
  int Row = -1;
  TChartSeries* S = SeriesAtMousePos(Row);
  if (S == nullptr) return;
  if (PointInSection(P, lbsIcon)) {
    if (FEnableChangeType) ChangeTypeSeries();
  } else if (PointInSection(P, lbsColor)) {
    if (FEnableChangeColor && UsesOneColor(*S)) ChangeColor(S);
  } else if (PointInSection(P, lbsTitle)) {
    if (OnDblClickSeries) OnDblClickSeries(this, Row);
  }
}

void TChartListBox::ChangeColor(TChartSeries* ASeries) {
  TColor Color = ASeries->GetSeriesColor();
  if (!EditColorDialog(this, Color)) return;
  ASeries->SetSeriesColor(Color);
  ASeries->SetColorEachPoint(false);
  if (OnChangeColor) OnChangeColor(this, ASeries);
}

void TChartListBox::DragDropAt(const QPoint& P) {
  const int From = FDragRow;
  FDragRow = -1;
  if (From >= 0 && !viewport()->rect().contains(P)) {
    if (OnDropOutside) OnDropOutside(this, GetSeries(From), viewport()->mapToGlobal(P));
    return;
  }
  QListWidgetItem* Target = itemAt(P);
  if (From < 0 || Target == nullptr) return;
  const int To = row(Target);
  if (To != From) SwapSeries(From, To);
}

void TChartListBox::KeyUp(int Key) {
  switch (Key) {
    case Qt::Key_Insert:
      if (FAllowAddSeries) AddSeriesGallery();
      break;
    case Qt::Key_Delete:
      if (FAllowDeleteSeries) DeleteSeries();
      break;
    case Qt::Key_F2: ShowEditor(); break;
    default: break;
  }
}

void TChartListBox::UpdateCursorAt(const QPoint& P) {
  FHitPoint = P;
  const bool Hand = !InState(csDesigning) && itemAt(P) != nullptr &&
                    ((FEnableChangeType && PointInSection(P, lbsIcon)) ||
                     (FEnableChangeColor && PointInSection(P, lbsColor)));
  viewport()->setCursor(CursorToQCursor(Hand ? crKorHand : crDefault));
}

void TChartListBox::mousePressEvent(QMouseEvent* Event) {
  QListWidget::mousePressEvent(Event);
  RunGuarded([&] {
    MouseDownAt(ButtonOf(Event->button()), ShiftOf(Event->modifiers()),
                Event->position().toPoint());
  });
}

void TChartListBox::mouseReleaseEvent(QMouseEvent* Event) {
  QListWidget::mouseReleaseEvent(Event);
  RunGuarded([&] {
    FDblClicking = false;
    if (FDragRow >= 0) DragDropAt(Event->position().toPoint());
  });
}

void TChartListBox::mouseDoubleClickEvent(QMouseEvent* Event) {
  QListWidget::mouseDoubleClickEvent(Event);
  RunGuarded([&] {
    FDblClicking = true;
    FDragRow = -1;
    DblClickAt(Event->position().toPoint());
  });
}

void TChartListBox::mouseMoveEvent(QMouseEvent* Event) {
  // While a row is dragged the view must not stretch the selection.
  if (FDragRow < 0) QListWidget::mouseMoveEvent(Event);
  RunGuarded([&] { UpdateCursorAt(Event->position().toPoint()); });
}

void TChartListBox::keyReleaseEvent(QKeyEvent* Event) {
  QListWidget::keyReleaseEvent(Event);
  RunGuarded([&] { KeyUp(Event->key()); });
}

// --------------------------------------------------------------- drawing

void TChartListBox::DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, bool Selected,
                             bool Focused) {
  TChartSeries* S = GetSeries(Index);
  if (S == nullptr) return;
  const bool ListFocused = hasFocus();
  const bool Current = Index == currentRow();
  const bool Marked = Selected || (!ListFocused && Current);
  TColor Back = clWindow;
  if (Marked)
    Back = !ListFocused && Current ? clInactiveCaption : clHighlight;
  else if (Focused)
    Back = clInactiveCaption;
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(Back);
  Canvas.FillRect(Rect);
  // Only the title shows the row's state; icon, check and swatch sit on
  // the control's colour.
  Canvas.GetBrush().SetColor(clWindow);
  Canvas.FillRect(TRect(Rect.Left, Rect.Top, Rect.Left + SectionLeft(lbsTitle), Rect.Bottom));

  if (GetShowSeriesIcon())
    KorDrawBitmapEditor(Canvas, *S,
                        SectionLeft(lbsIcon) + (SectionWidth(lbsIcon) - KorPictureSize) / 2,
                        Rect.Top + (RowHeight - KorPictureSize) / 2);
  if (GetShowSeriesColor() && UsesOneColor(*S)) {
    const int Left = SectionLeft(lbsColor);
    PaintSeriesLegend(
        S, Canvas,
        TRect(Left + 4, Rect.Top + 4, Left + SectionWidth(lbsColor) - 4, Rect.Bottom - 4), FChart);
  }
  if (GetShowActiveCheck())
    KorDrawCheckBox(SectionLeft(lbsActive) + (SectionWidth(lbsActive) - 13) / 2,
                    Rect.Top + (RowHeight - 13) / 2, Canvas, S->GetActive(), clWindow,
                    FCheckStyle == cbsCheck);
  if (GetShowSeriesTitle()) {
    const QFont& WidgetFont = font();
    Canvas.GetFont().SetName(WidgetFont.family());
    if (WidgetFont.pointSize() > 0) Canvas.GetFont().SetSize(WidgetFont.pointSize());
    Canvas.GetFont().SetColor(Marked ? clHighlightText : clWindowText);
    Canvas.SetBkMode(bkTransparent);
    Canvas.GetBrush().SetStyle(bsClear);
    Canvas.TextOut(SectionLeft(lbsTitle) + 1,
                   Rect.Top + (RowHeight - Canvas.TextHeight(QStringLiteral("W"))) / 2,
                   item(Index)->text());
  }
}

// ---------------------------------------------------------- chart events

void TChartListBox::RemoveSeriesRow(TChartSeries* ASeries) {
  if (ASeries == FEditedSeries) CloseEditor();
  const int Row = IndexOfSeries(ASeries);
  if (Row < 0) return;
  delete takeItem(Row);
  if (FOtherItems != nullptr && Row < FOtherItems->Count()) FOtherItems->Delete(Row);
  if (OnRemovedSeries) OnRemovedSeries(this, ASeries);
}

void TChartListBox::KorEvent(TKorEvent& Event) {
  if (InState(csDestroying)) return;
  if (auto* E = dynamic_cast<TKorSeriesEvent*>(&Event)) {
    switch (E->Event) {
      case seAdd:
      case seSwap:
        if (!FSwapping) UpdateSeries();
        break;
      case seRemove: RemoveSeriesRow(E->Series); break;
      case seChangeTitle: {
        const int Row = IndexOfSeries(E->Series);
        if (Row >= 0) SetRowText(Row, RowText(E->Series));
        break;
      }
      case seChangeColor:
      case seChangeActive: viewport()->update(); break;
      default: break;
    }
  } else if (dynamic_cast<TKorView3DEvent*>(&Event) != nullptr) {
    viewport()->update();
  }
}

void TChartListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || AComponent != FChart) return;
  // The chart is in its last destructor: it takes its listeners with it.
  FChart = nullptr;
  FGroup = nullptr;
  if (!InState(csDestroying)) FillSeries();
}
