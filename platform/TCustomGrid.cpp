#include "platform/TCustomGrid.h"

#include "platform/QtGuard.h"
#include "platform/TCanvas.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

// Passes the editor's navigation keys to the grid; the line edit itself
// ignores Escape and the vertical arrows.
class TGridEditorKeys : public QObject {
 public:
  TGridEditorKeys(QObject* Parent, std::function<bool(int)> OnKey)
      : QObject(Parent), FOnKey(std::move(OnKey)) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() != QEvent::KeyPress) return QObject::eventFilter(Watched, Event);
    const int Key = static_cast<QKeyEvent*>(Event)->key();
    bool Used = false;
    RunGuarded([&] { Used = FOnKey(Key); });
    return Used;
  }

 private:
  std::function<bool(int)> FOnKey;
};

}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FColWidths.assign(5, FDefaultColWidth);
  FRowHeights.assign(5, FDefaultRowHeight);
}

TCustomGrid::~TCustomGrid() = default;

// ------------------------------------------------------------ dimensions

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  FColWidths.resize(static_cast<size_t>(Value), FDefaultColWidth);
  FFixedCols = std::min(FFixedCols, Value - 1);
  ClampCurrent();
  Invalidate();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  FRowHeights.resize(static_cast<size_t>(Value), FDefaultRowHeight);
  FFixedRows = std::min(FFixedRows, Value - 1);
  ClampCurrent();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
  FFixedCols = std::clamp(Value, 0, GetColCount() - 1);
  ClampCurrent();
  Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
  FFixedRows = std::clamp(Value, 0, GetRowCount() - 1);
  ClampCurrent();
  Invalidate();
}

void TCustomGrid::SetColWidth(int ACol, int Value) {
  FColWidths.at(static_cast<size_t>(ACol)) = std::max(Value, 0);
  Invalidate();
}

void TCustomGrid::SetRowHeight(int ARow, int Value) {
  FRowHeights.at(static_cast<size_t>(ARow)) = std::max(Value, 0);
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = std::max(Value, 0);
  Invalidate();
}

// A shrinking grid keeps the current cell inside its non-fixed part.
void TCustomGrid::ClampCurrent() {
  FCol = std::clamp(FCol, FFixedCols, GetColCount() - 1);
  FRow = std::clamp(FRow, FFixedRows, GetRowCount() - 1);
}

// ------------------------------------------------------------ current cell

bool TCustomGrid::MoveTo(int ACol, int ARow) {
  if (ACol < FFixedCols || ACol >= GetColCount() || ARow < FFixedRows || ARow >= GetRowCount())
    return false;
  if (ACol == FCol && ARow == FRow) return true;
  if (!SelectCell(ACol, ARow)) return false;
  HideEditor(true);
  FCol = ACol;
  FRow = ARow;
  Invalidate();
  return true;
}

// --------------------------------------------------------------- geometry

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount()) return TRect{};
  int Left = 0;
  for (int C = 0; C < ACol; ++C) Left += FColWidths[static_cast<size_t>(C)] + FGridLineWidth;
  int Top = 0;
  for (int R = 0; R < ARow; ++R) Top += FRowHeights[static_cast<size_t>(R)] + FGridLineWidth;
  return TRect{Left, Top, Left + GetColWidth(ACol), Top + GetRowHeight(ARow)};
}

bool TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  ACol = -1;
  ARow = -1;
  for (int C = 0, Left = 0; C < GetColCount(); ++C) {
    const int Right = Left + GetColWidth(C) + FGridLineWidth;
    if (X >= Left && X < Right) ACol = C;
    Left = Right;
  }
  for (int R = 0, Top = 0; R < GetRowCount(); ++R) {
    const int Bottom = Top + GetRowHeight(R) + FGridLineWidth;
    if (Y >= Top && Y < Bottom) ARow = R;
    Top = Bottom;
  }
  return ACol >= 0 && ARow >= 0;
}

// ----------------------------------------------------------------- editor

bool TCustomGrid::GetEditorMode() const {
  return FEditor != nullptr && FEditorShown;
}

QLineEdit* TCustomGrid::GetEditor() const {
  return FEditor.data();
}

QLineEdit& TCustomGrid::Editor() {
  if (FEditor == nullptr) {
    FEditor = new QLineEdit(GetWidget());
    FEditor->setFrame(false);
    FEditor->hide();
    FEditor->installEventFilter(new TGridEditorKeys(FEditor, [this](int Key) {
      if (Key != Qt::Key_Escape && Key != Qt::Key_Return && Key != Qt::Key_Enter &&
          Key != Qt::Key_Up && Key != Qt::Key_Down)
        return false;
      EditorKey(Key);
      return true;
    }));
    QObject::connect(FEditor, &QLineEdit::textEdited, FEditor,
                     [this](const QString& Text) { RunGuarded([&] { EditorTextEdited(Text); }); });
  }
  return *FEditor;
}

void TCustomGrid::ShowEditor() {
  if (GetEditorMode() || !CanEditShow()) return;
  QLineEdit& E = Editor();
  const TRect R = CellRect(FCol, FRow);
  E.setGeometry(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
  E.setText(GetEditText(FCol, FRow));
  FEditorShown = true;
  E.show();
  E.setFocus();
}

void TCustomGrid::HideEditor(bool Accept) {
  if (!GetEditorMode()) return;
  FEditorShown = false;
  FEditor->hide();
  if (Accept) SetEditText(FCol, FRow, FEditor->text());
  Invalidate();
}

void TCustomGrid::EditorTextEdited(const QString& Text) {
  if (GetEditorMode()) SetEditText(FCol, FRow, Text);
}

// Keys the editor hands back: Escape drops the text, Enter accepts it and
// the arrows accept it and leave the cell as they would without an editor.
void TCustomGrid::EditorKey(int Key) {
  // Escape goes to the key handler with the editor still open, so that a
  // derived grid can undo what typing already set.
  if (Key != Qt::Key_Escape) HideEditor(true);
  if (Key != Qt::Key_Return && Key != Qt::Key_Enter) KeyDown(Key, TShiftState{});
}

// ------------------------------------------------------------------- hooks

QString TCustomGrid::GetEditText(int, int) const {
  return QString();
}

void TCustomGrid::SetEditText(int, int, const QString&) {}

bool TCustomGrid::CanEditShow() const {
  return FEditing && !IsFixed(FCol, FRow);
}

void TCustomGrid::DrawCell(int, int, const TRect& ARect, int) {
  GetCanvas().FillRect(ARect);
}

bool TCustomGrid::SelectCell(int, int) {
  return true;
}

// ------------------------------------------------------------ painting

void TCustomGrid::Paint() {
  TCanvas& Canvas = GetCanvas();
  Canvas.GetBrush().SetColor(GetColor());
  Canvas.FillRect(GetClientRect());
  for (int R = 0; R < GetRowCount(); ++R) {
    for (int C = 0; C < GetColCount(); ++C) {
      const TRect Cell = CellRect(C, R);
      if (Cell.Left >= GetWidth() || Cell.Top >= GetHeight()) continue;
      int State = 0;
      if (IsFixed(C, R)) State |= gdFixed;
      if (C == FCol && R == FRow) State |= gdSelected | gdFocused;
      // Cells start from the grid's own colours; DrawCell may change them.
      Canvas.GetBrush().SetColor((State & gdFixed) != 0 ? clBtnFace : GetColor());
      Canvas.GetFont().SetColor(clWindowText);
      DrawCell(C, R, Cell, State);
      if (FGridLineWidth > 0) {
        Canvas.GetBrush().SetColor(clSilver);
        Canvas.FillRect(
            TRect{Cell.Right, Cell.Top, Cell.Right + FGridLineWidth, Cell.Bottom + FGridLineWidth});
        Canvas.FillRect(TRect{Cell.Left, Cell.Bottom, Cell.Right, Cell.Bottom + FGridLineWidth});
      }
    }
  }
}

// ------------------------------------------------------------ mouse and keys

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  int C = 0;
  int R = 0;
  if (Button == mbLeft && MouseToCell(X, Y, C, R)) MoveTo(C, R);
}

void TCustomGrid::DblClick() {
  TCustomControl::DblClick();
  ShowEditor();
}

void TCustomGrid::KeyDown(int& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case Qt::Key_Up: MoveTo(FCol, FRow - 1); break;
    case Qt::Key_Down: MoveTo(FCol, FRow + 1); break;
    case Qt::Key_Left: MoveTo(FCol - 1, FRow); break;
    case Qt::Key_Right: MoveTo(FCol + 1, FRow); break;
    case Qt::Key_Home: MoveTo(FFixedCols, FRow); break;
    case Qt::Key_End: MoveTo(GetColCount() - 1, FRow); break;
    case Qt::Key_F2: ShowEditor(); break;
    case Qt::Key_Escape: HideEditor(false); break;
    default: return;
  }
  Key = 0;
}
