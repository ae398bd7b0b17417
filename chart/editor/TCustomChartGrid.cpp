#include "chart/editor/TCustomChartGrid.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TCustomChartLegend.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TLabelsList.h"
#include "chart/editor/TChartGridNavigator.h"

#include "platform/Cursors.h"
#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/TCanvas.h"
#include "platform/TDateTime.h"

#include <QLineEdit>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int NumberColumnWidth = 30;  // pixels
constexpr int ColorsColumnWidth = 40;
constexpr int HeaderRowHeight = 20;
constexpr int RowHeight = 16;
constexpr int SymbolInset = 4;  // pixels from the header cell's corner
constexpr int SymbolSize = 12;
constexpr int TextInset = 2;

// Whether a series' X values are anything but 0, 1, 2, ...
bool HasOwnXValues(const TChartSeries& ASeries) {
  const TChartValueList& X = ASeries.GetXValues();
  for (int I = 0; I < X.Count(); ++I)
    if (X.Data()[I] != I) return true;
  return false;
}

QString ValueText(const TChartSeries& ASeries, const TChartValueList& List, int Index) {
  const double Value = List.GetValue(Index);
  if (List.GetDateTime()) return Value >= 1 ? DateTimeToStr(Value) : TimeToStr(Value);
  return FormatFloat(ASeries.GetValueFormat(), Value);
}

// A text as a value of List; false when it is neither a number nor (for
// a date-time list) a date or time.
bool ReadValue(const TChartValueList& List, const QString& Text, double& Value) {
  if (List.GetDateTime()) {
    TDateTime D = 0;
    if (TryStrToDateTime(Text, D) || TryStrToDate(Text, D) || TryStrToTime(Text, D)) {
      Value = D;
      return true;
    }
  }
  return TryStrToFloat(Text.trimmed(), Value);
}

// Appends null points (X = their index) until ASeries has point Index.
void FillUpTo(TChartSeries& ASeries, int Index) {
  while (ASeries.Count() <= Index) ASeries.AddNullXY(ASeries.Count(), 0);
}

}  // namespace

TCustomChartGrid::TCustomChartGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
  SetDefaultRowHeight(RowHeight);
  KorRegisterHandCursor();
  RecalcDimensions();
}

TCustomChartGrid::~TCustomChartGrid() {
  Destroying();
  ListenTo(nullptr);
}

// ------------------------------------------------------------ properties

void TCustomChartGrid::SetChart(TCustomChart* Value) {
  if (Value == FChart && FSeries == nullptr) return;
  if (FSeries != nullptr) RemoveFreeNotification(FSeries);
  FSeries = nullptr;
  if (FChart != nullptr) RemoveFreeNotification(FChart);
  FChart = Value;
  if (FChart != nullptr) FChart->FreeNotification(this);
  ListenTo(FChart);
  Regenerate();
}

void TCustomChartGrid::SetSeries(TChartSeries* Value) {
  if (Value == FSeries && FChart == nullptr) return;
  if (FChart != nullptr) RemoveFreeNotification(FChart);
  FChart = nullptr;
  if (FSeries != nullptr) RemoveFreeNotification(FSeries);
  FSeries = Value;
  if (FSeries != nullptr) FSeries->FreeNotification(this);
  ListenTo(FSeries != nullptr ? FSeries->GetParentChart() : nullptr);
  Regenerate();
}

void TCustomChartGrid::SetShowColors(bool Value) {
  if (SetIfChanged(FShowColors, Value)) RecalcDimensions();
}

void TCustomChartGrid::SetShowLabels(bool Value) {
  if (SetIfChanged(FShowLabels, Value)) RecalcDimensions();
}

void TCustomChartGrid::SetShowXValues(TChartGridShow Value) {
  if (SetIfChanged(FShowXValues, Value)) RecalcDimensions();
}

void TCustomChartGrid::SetShowFields(bool Value) {
  if (SetIfChanged(FShowFields, Value)) RecalcDimensions();
}

void TCustomChartGrid::ListenTo(TCustomAxisPanel* Panel) {
  if (Panel == FListened) {
    // The chart's own link may have been dropped by SetChart or SetSeries.
    if (Panel != nullptr) Panel->FreeNotification(this);
    return;
  }
  if (FListened != nullptr) {
    FListened->RemoveListener(this);
    if (FListened != FChart) RemoveFreeNotification(FListened);
  }
  FListened = Panel;
  if (FListened != nullptr) {
    FListened->FreeNotification(this);
    FListened->GetListeners().Add(this);
  }
}

// ---------------------------------------------------------------- layout

int TCustomChartGrid::LabelsColumn() const {
  if (!FShowLabels) return -1;
  return FShowColors ? 2 : 1;
}

int TCustomChartGrid::FirstValueColumn() const {
  return 1 + (FShowColors ? 1 : 0) + (FShowLabels ? 1 : 0);
}

std::vector<TChartSeries*> TCustomChartGrid::ShownSeries() const {
  if (FSeries != nullptr) return {FSeries};
  std::vector<TChartSeries*> Result;
  if (FChart != nullptr)
    for (int I = 0; I < FChart->SeriesCount(); ++I) Result.push_back(FChart->GetSeries(I));
  return Result;
}

bool TCustomChartGrid::XColumnShown(const TChartSeries& ASeries) const {
  return std::find(FXShown.begin(), FXShown.end(), &ASeries) != FXShown.end();
}

const TCustomChartGrid::TValueColumn* TCustomChartGrid::ValueColumn(int ACol) const {
  const int Index = ACol - FirstValueColumn();
  if (Index < 0 || Index >= static_cast<int>(FColumns.size())) return nullptr;
  return &FColumns[static_cast<size_t>(Index)];
}

TChartSeries* TCustomChartGrid::SeriesOfColumn(int ACol) const {
  const TValueColumn* Column = ValueColumn(ACol);
  return Column != nullptr ? Column->Series : nullptr;
}

TChartValueList* TCustomChartGrid::ValueListOfColumn(int ACol) const {
  const TValueColumn* Column = ValueColumn(ACol);
  return Column != nullptr ? Column->List : nullptr;
}

TChartSeries* TCustomChartGrid::ColorsSeries() const {
  const std::vector<TChartSeries*> Shown = ShownSeries();
  return Shown.empty() ? nullptr : Shown.front();
}

TChartSeries* TCustomChartGrid::CurrentSeries() const {
  TChartSeries* S = SeriesOfColumn(GetCol());
  return S != nullptr ? S : ColorsSeries();
}

void TCustomChartGrid::RecalcDimensions() {
  FColumns.clear();
  FXShown.clear();
  int MaxCount = 0;
  for (TChartSeries* S : ShownSeries()) {
    // A series freed later must let the grid know, whoever owns it.
    S->FreeNotification(this);
    MaxCount = std::max(MaxCount, S->Count());
    const bool ShowX = FShowXValues == cgsYes || (FShowXValues == cgsAuto && HasOwnXValues(*S));
    bool First = true;
    if (ShowX) {
      FXShown.push_back(S);
      FColumns.push_back({S, &S->GetXValues(), First});
      First = false;
    }
    FColumns.push_back({S, &S->GetYValues(), First});
    const TChartValueLists& Lists = S->GetValuesList();
    for (int I = 0; I < Lists.Count(); ++I) {
      TChartValueList* L = Lists[I];
      if (L != &S->GetXValues() && L != &S->GetYValues()) FColumns.push_back({S, L, false});
    }
  }
  const int Cols = FirstValueColumn() + static_cast<int>(FColumns.size());
  SetColCount(std::max(Cols, 2));
  SetFixedCols(1);
  SetRowCount(FirstDataRow() + std::max(MaxCount, 1));
  SetFixedRows(FirstDataRow());
  SetColWidth(0, NumberColumnWidth);
  for (int C = 1; C < GetColCount(); ++C)
    SetColWidth(C, C == ColorsColumn() ? ColorsColumnWidth : GetDefaultColWidth());
  for (int R = 0; R < GetRowCount(); ++R)
    SetRowHeight(R, R == 0 ? HeaderRowHeight : GetDefaultRowHeight());
  FitTitleColumns();
  Invalidate();
  UpdateNavigator();
}

void TCustomChartGrid::FitTitleColumns() {
  for (int C = FirstValueColumn(); C < GetColCount(); ++C)
    if (!HeaderTitle(C).isEmpty()) SetColWidth(C, std::max(GetColWidth(C), TitleWidth(C)));
  Invalidate();
}

int TCustomChartGrid::TitleWidth(int ACol) {
  return TitleOffset + GetCanvas().TextWidth(HeaderTitle(ACol)) + TextInset;
}

void TCustomChartGrid::Regenerate() {
  HideEditor(false);
  RecalcDimensions();
  MoveTo(1, FirstDataRow());
  UpdateNavigator();
}

// ------------------------------------------------------------- cell texts

QString TCustomChartGrid::CellText(int ACol, int ARow) const {
  const int Index = ARow - FirstDataRow();
  if (ACol == 0) return Index >= 0 ? QString::number(Index) : (ARow == 0 ? "#" : QString());
  if (ARow == 1 && FShowFields) {
    if (ACol == LabelsColumn()) return QStringLiteral("Text");
    if (ACol == ColorsColumn()) return QStringLiteral("Colors");
    const TChartValueList* L = ValueListOfColumn(ACol);
    return L != nullptr ? L->GetName() : QString();
  }
  if (ARow == 0) {
    // Titles are drawn with the series symbol; only the field names are
    // plain text.
    const TChartValueList* L = ValueListOfColumn(ACol);
    return FSeries != nullptr && !FShowFields && L != nullptr ? L->GetName() : QString();
  }
  if (Index < 0 || ACol == ColorsColumn()) return QString();
  if (ACol == LabelsColumn()) {
    for (TChartSeries* S : ShownSeries())
      if (S->GetLabels().Count() > Index) return S->GetXLabel(Index);
    return QString();
  }
  const TValueColumn* Column = ValueColumn(ACol);
  if (Column == nullptr || Column->Series->Count() <= Index) return QString();
  return ValueText(*Column->Series, *Column->List, Index);
}

QString TCustomChartGrid::GetEditText(int ACol, int ARow) const {
  return CellText(ACol, ARow);
}

void TCustomChartGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  const std::vector<TChartSeries*> Shown = ShownSeries();
  const int Index = ARow - FirstDataRow();
  if (Shown.empty() || Index < 0 || ACol == ColorsColumn()) return;
  for (TChartSeries* S : Shown) S->SetManualData(true);
  if (ACol == LabelsColumn()) {
    for (TChartSeries* S : Shown) {
      FillUpTo(*S, Index);
      S->SetXLabel(Index, Value);
    }
  } else if (const TValueColumn* Column = ValueColumn(ACol)) {
    SetValueText(*Column, Index, Value);
  } else {
    return;
  }
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
  UpdateNavigator();
}

void TCustomChartGrid::SetValueText(const TValueColumn& Column, int Index, const QString& Value) {
  TChartSeries& S = *Column.Series;
  FillUpTo(S, Index);
  if (!Value.trimmed().isEmpty()) {
    double V = 0;
    // A text that is no value leaves the value as it was.
    if (!ReadValue(*Column.List, Value, V)) return;
    const bool WasNull = S.IsNull(Index);
    Column.List->SetValue(Index, V);
    if (WasNull) S.SetNull(Index, false);
  } else if (!GetEditorMode()) {
    S.SetNull(Index);
  }
  S.RefreshSeries();
  S.Repaint();
  Invalidate();
}

// --------------------------------------------------------------- editing

bool TCustomChartGrid::CanEditShow() const {
  if (!TCustomGrid::CanEditShow() || GetCol() == ColorsColumn()) return false;
  bool CanEdit = true;
  if (OnEditingCell)
    OnEditingCell(const_cast<TCustomChartGrid*>(this), GetCol(), GetRow(), CanEdit);
  return CanEdit;
}

void TCustomChartGrid::StartEditing() {
  if (GetEditorMode()) return;
  FOldText = GetEditText(GetCol(), GetRow());
  ShowEditor();
  UpdateNavigator();
}

void TCustomChartGrid::StopEditing(bool Cancel) {
  if (!GetEditorMode()) return;
  if (!Cancel) {
    HideEditor(true);
  } else {
    HideEditor(false);
    // Typing already reached the series; the kept text puts it back.
    SetEditText(GetCol(), GetRow(), FOldText);
  }
  UpdateNavigator();
}

// ------------------------------------------------------------ operations

void TCustomChartGrid::Insert() {
  const std::vector<TChartSeries*> Shown = ShownSeries();
  if (Shown.empty()) return;
  StopEditing(false);
  for (TChartSeries* S : Shown) {
    S->SetManualData(true);
    S->AddNullXY(S->Count(), 0);
  }
  RecalcDimensions();
  MoveTo(GetCol(), GetRowCount() - 1);
  UpdateNavigator();
}

void TCustomChartGrid::Delete() {
  const int Index = GetRow() - FirstDataRow();
  if (Index < 0) return;
  StopEditing(true);
  for (TChartSeries* S : ShownSeries()) {
    if (S->Count() <= Index) continue;
    S->Delete(Index);
    // Without their own column the X values are point numbers.
    if (!XColumnShown(*S)) {
      S->GetXValues().FillSequence();
      S->RefreshSeries();
    }
  }
  RecalcDimensions();
}

void TCustomChartGrid::AppendRow() {
  TChartSeries* S = CurrentSeries();
  if (S == nullptr) return;
  StopEditing(false);
  S->SetManualData(true);
  // A series shorter than the grid is filled up to the new row, so that
  // the row has its point.
  FillUpTo(*S, GetRowCount() - FirstDataRow());
  SetRowCount(GetRowCount() + 1);
  SetRowHeight(GetRowCount() - 1, GetDefaultRowHeight());
  MoveTo(GetCol(), GetRowCount() - 1);
  UpdateNavigator();
}

// Up from the last row drops a point that was only just appended and left
// empty.
bool TCustomChartGrid::DeleteLastNullRow() {
  TChartSeries* S = CurrentSeries();
  const int Index = GetRow() - FirstDataRow();
  if (S == nullptr || Index <= 0 || Index != S->Count() - 1) return false;
  if (!S->IsNull(Index) || !S->GetXLabel(Index).isEmpty()) return false;
  S->Delete(Index);
  // The current cell moves up with the shrinking grid.
  SetRowCount(GetRowCount() - 1);
  return true;
}

void TCustomChartGrid::ChangeColor() {
  TChartSeries* S = ColorsSeries();
  const int Index = GetRow() - FirstDataRow();
  if (S == nullptr || Index < 0 || Index >= S->Count()) return;
  TColorDialogRequest Request;
  Request.Color = S->GetValueColor(Index);
  Request.Parent = GetWidget();
  const TColorDialogAnswer Answer = ExecuteColorDialog(Request);
  if (!Answer.Accepted) return;
  S->SetValueColor(Index, Answer.Color);
  S->SetManualData(true);
  Invalidate();
  if (OnChangeColor) OnChangeColor(this);
}

// ------------------------------------------------------------ keys and mouse

void TCustomChartGrid::KeyDown(int& Key, TShiftState Shift) {
  const bool OnColors = GetCol() == ColorsColumn();
  const bool LastRow = GetRow() == GetRowCount() - 1;
  if (OnColors && (Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Space ||
                   Key == Qt::Key_F2)) {
    ChangeColor();
  } else if (Key == Qt::Key_Insert) {
    Insert();
  } else if (Key == Qt::Key_Delete && Shift.Contains(ssCtrl)) {
    Delete();
  } else if (Key == Qt::Key_Down && LastRow && GetEditing()) {
    AppendRow();
  } else if (Key == Qt::Key_Up && LastRow && DeleteLastNullRow()) {
    Invalidate();
  } else if (Key == Qt::Key_F2) {
    StartEditing();
  } else if (Key == Qt::Key_Escape) {
    StopEditing(true);
  } else {
    TCustomGrid::KeyDown(Key, Shift);
    UpdateNavigator();
    return;
  }
  Key = 0;
  UpdateNavigator();
}

void TCustomChartGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  UpdateNavigator();
}

void TCustomChartGrid::UpdateNavigator() {
  if (FNavigator != nullptr && !InState(csDestroying)) FNavigator->EnableButtons();
}

void TCustomChartGrid::DblClick() {
  TCustomControl::DblClick();
  if (GetCol() == ColorsColumn())
    ChangeColor();
  else
    StartEditing();
}

void TCustomChartGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseMove(Shift, X, Y);
  int C = 0;
  int R = 0;
  const bool InCell = MouseToCell(X, Y, C, R);
  const bool OverColor = InCell && C == ColorsColumn() && R >= FirstDataRow();
  SetCursor(OverColor ? crHandPoint : crDefault);
  // A title cut short shows whole as the cell's tool tip.
  QString Tip;
  if (InCell && R == 0) {
    const QString Title = HeaderTitle(C);
    if (!Title.isEmpty() && ShownHeaderTitle(C) != Title) Tip = Title;
  }
  if (QWidget* Host = GetWidget(); Host != nullptr && Host->toolTip() != Tip) Host->setToolTip(Tip);
}

// ----------------------------------------------------------------- drawing

QString TCustomChartGrid::HeaderTitle(int ACol) const {
  const TValueColumn* Column = ValueColumn(ACol);
  const bool Titled =
      Column != nullptr && (FSeries != nullptr ? FShowFields : Column->FirstOfSeries);
  if (!Titled) return QString();
  QString Title = SeriesTitleOrName(Column->Series);
  return Title.replace('\n', ' ').replace('\r', ' ');
}

QString TCustomChartGrid::ShownHeaderTitle(int ACol) {
  const QString Title = HeaderTitle(ACol);
  const TRect Cell = CellRect(ACol, 0);
  // Columns are as wide as their titles; only the grid's own edge (it
  // does not scroll) or a title wider than the grid leaves too little room.
  const int Room = std::min(Cell.Right, GetWidth()) - Cell.Left - TitleOffset - TextInset;
  const TCanvas& Canvas = GetCanvas();
  if (Canvas.TextWidth(Title) <= Room) return Title;
  const QString Ellipsis(QChar(0x2026));
  // The longest start of the title that fits with the ellipsis.
  qsizetype Fits = 0;
  qsizetype Beyond = Title.size();
  while (Beyond - Fits > 1) {
    const qsizetype Middle = (Fits + Beyond) / 2;
    if (Canvas.TextWidth(Title.left(Middle) + Ellipsis) <= Room)
      Fits = Middle;
    else
      Beyond = Middle;
  }
  return Title.left(Fits) + Ellipsis;
}

void TCustomChartGrid::DrawHeaderCell(int ACol, const TRect& ARect) {
  TCanvas& Canvas = GetCanvas();
  if (HeaderTitle(ACol).isEmpty()) {
    Canvas.TextRect(ARect, ARect.Left + TextInset, ARect.Top + TextInset, CellText(ACol, 0));
    return;
  }
  Canvas.FillRect(ARect);
  const TRect Symbol{ARect.Left + SymbolInset, ARect.Top + SymbolInset,
                     ARect.Left + SymbolInset + SymbolSize, ARect.Top + SymbolInset + SymbolSize};
  PaintSeriesLegend(ValueColumn(ACol)->Series, Canvas, Symbol);
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.TextRect(ARect, ARect.Left + TitleOffset, ARect.Top + TextInset, ShownHeaderTitle(ACol));
  Canvas.GetBrush().SetStyle(bsSolid);
}

void TCustomChartGrid::DrawCell(int ACol, int ARow, const TRect& ARect, int AState) {
  TCanvas& Canvas = GetCanvas();
  if (ARow == 0 && ACol > 0) {
    DrawHeaderCell(ACol, ARect);
    return;
  }
  const int Index = ARow - FirstDataRow();
  if (ACol == ColorsColumn() && Index >= 0) {
    TChartSeries* S = ColorsSeries();
    // Points without a colour of their own show the grid's colour.
    if (S != nullptr && Index < S->Count() && !S->IsNull(Index))
      Canvas.GetBrush().SetColor(S->GetValueColor(Index));
    Canvas.FillRect(ARect);
    return;
  }
  if ((AState & gdSelected) != 0 && (AState & gdFixed) == 0) {
    Canvas.GetBrush().SetColor(clHighlight);
    Canvas.GetFont().SetColor(clHighlightText);
  }
  Canvas.TextRect(ARect, ARect.Left + TextInset, ARect.Top + TextInset / 2, CellText(ACol, ARow));
}

// ------------------------------------------------------------ notifications

void TCustomChartGrid::KorEvent(TKorEvent& Event) {
  if (InState(csDestroying)) return;
  auto* E = dynamic_cast<TKorSeriesEvent*>(&Event);
  if (E == nullptr) return;
  if (E->Event == seChangeColor || E->Event == seDataChanged)
    Invalidate();
  else
    RecalcDimensions();
}

void TCustomChartGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  // A freed panel takes its listeners with it.
  if (AComponent == FListened) FListened = nullptr;
  if (AComponent == FNavigator) FNavigator = nullptr;
  if (AComponent == FChart) FChart = nullptr;
  if (AComponent == FSeries) {
    FSeries = nullptr;
    ListenTo(nullptr);
  }
  const bool Shown = std::any_of(FColumns.begin(), FColumns.end(),
                                 [&](const TValueColumn& C) { return C.Series == AComponent; });
  if (Shown) {
    // A freed series has left its chart by now; the columns are rebuilt
    // without it.
    std::erase_if(FColumns, [&](const TValueColumn& C) { return C.Series == AComponent; });
    std::erase(FXShown, AComponent);
    if (!InState(csDestroying)) {
      HideEditor(false);
      RecalcDimensions();
    }
  }
}
