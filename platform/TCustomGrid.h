#pragma once

#include "platform/TCustomControl.h"

#include <QPointer>
#include <QString>

#include <vector>

class QLineEdit;

// What a cell is when DrawCell paints it.
enum TGridDrawStateFlag { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

// Interaction: a small grid of cells with fixed leading rows and columns,
// one current cell, arrow-key movement and an inline text editor. Derived
// grids supply the texts and the painting through the virtual hooks; the
// grid keeps no cell data of its own.
//
// Geometry is in client pixels: each cell is followed by a grid line of
// GridLineWidth pixels on its right and bottom. The grid does not scroll;
// cells past the client area are simply not painted.
//
// The editor is a QLineEdit child of the host widget (the Qt parent frees
// it). While it is shown, each change of its text reaches SetEditText with
// GetEditorMode() true; when it is accepted the final text reaches
// SetEditText once more with GetEditorMode() already false.
class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  QString ClassName() const override { return QStringLiteral("TCustomGrid"); }

  int GetColCount() const { return static_cast<int>(FColWidths.size()); }
  void SetColCount(int Value);
  int GetRowCount() const { return static_cast<int>(FRowHeights.size()); }
  void SetRowCount(int Value);
  int GetFixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int GetFixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  // Applies to columns and rows added later and to none that exist.
  int GetDefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value) { FDefaultColWidth = Value; }
  int GetDefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value) { FDefaultRowHeight = Value; }
  int GetColWidth(int ACol) const { return FColWidths.at(static_cast<size_t>(ACol)); }
  void SetColWidth(int ACol, int Value);
  int GetRowHeight(int ARow) const { return FRowHeights.at(static_cast<size_t>(ARow)); }
  void SetRowHeight(int ARow, int Value);
  int GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  // Whether the editor may be shown at all (CanEditShow asks this first).
  bool GetEditing() const { return FEditing; }
  void SetEditing(bool Value) { FEditing = Value; }

  // -- current cell

  int GetCol() const { return FCol; }
  void SetCol(int Value) { MoveTo(Value, FRow); }
  int GetRow() const { return FRow; }
  void SetRow(int Value) { MoveTo(FCol, Value); }
  // Makes (ACol, ARow) current when it is a non-fixed cell and SelectCell
  // agrees; an open editor is accepted first. True when it moved.
  bool MoveTo(int ACol, int ARow);

  // -- geometry (client pixels)

  // The cell without its grid lines; empty for a cell outside the grid.
  TRect CellRect(int ACol, int ARow) const;
  // The cell under (X, Y); false outside every cell.
  bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;

  // -- editor

  bool GetEditorMode() const;
  // Opens the editor over the current cell when CanEditShow allows it.
  void ShowEditor();
  // Closes the editor; with Accept its text is set on the cell.
  void HideEditor(bool Accept);
  // The editor control, or none before it was first shown.
  QLineEdit* GetEditor() const;

  // What the key handler does, callable from tests (Key is a Qt::Key).
  void KeyDown(int& Key, TShiftState Shift) override;

 protected:
  // The text the editor starts with.
  virtual QString GetEditText(int ACol, int ARow) const;
  virtual void SetEditText(int ACol, int ARow, const QString& Value);
  virtual bool CanEditShow() const;
  // State is a set of TGridDrawStateFlag. The default fills the cell.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, int AState);
  // Whether the cell may become current.
  virtual bool SelectCell(int ACol, int ARow);

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;

  bool IsFixed(int ACol, int ARow) const { return ACol < FFixedCols || ARow < FFixedRows; }

 private:
  void ClampCurrent();
  void EditorTextEdited(const QString& Text);
  void EditorKey(int Key);
  QLineEdit& Editor();

  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  bool FEditing = true;
  int FCol = 1;
  int FRow = 1;
  // caches: the editor (Qt child of the host widget, made on first use)
  QPointer<QLineEdit> FEditor;
  bool FEditorShown = false;
};
