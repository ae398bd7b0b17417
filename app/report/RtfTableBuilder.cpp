#include "app/report/RtfTableBuilder.h"

#include <QTextLength>
#include <QTextTableFormat>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr double TwipsPerPixel = 15.0;  // 1440 twips per inch, 96 pixels per inch
constexpr int MaxColumnTwips = 20'000 * 15;

// Edges that can be widths: each further right than the one before.
bool AreWidths(const std::vector<int>& Edges) {
  int left = 0;
  for (const int edge : Edges) {
    if (edge <= left || edge - left > MaxColumnTwips) return false;
    left = edge;
  }
  return !Edges.empty();
}

QTextTableFormat TableFormat() {
  QTextTableFormat format;
  format.setBorder(1);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderCollapse(true);
  format.setCellSpacing(0);
  format.setCellPadding(4);
  return format;
}

}  // namespace

bool RtfTableBuilder::AddCellEdge(int Twips) {
  if (static_cast<int>(FEdges.size()) >= MaxColumns) return false;
  FEdges.push_back(Twips);
  return true;
}

int RtfTableBuilder::OpenRow(QTextCursor& Cursor) {
  FAdded = 0;
  if (FTable.isNull()) {
    const int columns = std::max(1, static_cast<int>(FEdges.size()));
    FTable = Cursor.insertTable(1, columns, TableFormat());
    FColumnEdges = AreWidths(FEdges) ? FEdges : std::vector<int>();
    ApplyWidths();
    FRow = 0;
  } else {
    ++FRow;
    if (FRow >= FTable->rows()) FTable->appendRows(FTable->rows());
  }
  FAdded += FTable->columns();
  FRowOpen = true;
  if (LayOutRow() < 0) return -1;
  FCell = 0;
  MoveTo(Cursor);
  return FAdded;
}

int RtfTableBuilder::NextCell(QTextCursor& Cursor) {
  FAdded = 0;
  if (FCell + 1 >= FCells.size()) {
    const TSpan& last = FCells[FCell];
    const int column = last.First + last.Count;
    if (column >= FTable->columns() && !AppendColumn(NewColumnEdge())) return -1;
    FCells.push_back(TSpan{column, 1});
  }
  ++FCell;
  MoveTo(Cursor);
  return FAdded;
}

void RtfTableBuilder::LeaveTable(QTextCursor& Cursor) {
  Finish();
  // A table is always followed by a paragraph of its own.
  Cursor.setPosition(FTable->lastPosition() + 1);
  FTable = nullptr;
  FRowOpen = false;
  FColumnEdges.clear();
  FMergeWork = 0;
}

void RtfTableBuilder::Finish() {
  if (!FTable.isNull() && FRow + 1 < FTable->rows())
    FTable->removeRows(FRow + 1, FTable->rows() - FRow - 1);
}

int RtfTableBuilder::LayOutRow() {
  FCells.clear();
  if (!FColumnEdges.empty() && AreWidths(FEdges)) return LayOutByEdges();
  const int cells = std::max(1, static_cast<int>(FEdges.size()));
  while (FTable->columns() < cells)
    if (!AppendColumn(NewColumnEdge())) return -1;
  for (int i = 0; i < cells; ++i) FCells.push_back(TSpan{i, 1});
  return 0;
}

int RtfTableBuilder::LayOutByEdges() {
  int first = 0;
  for (const int edge : FEdges) {
    int end = ColumnAt(first, edge);
    if (end < 0) end = SplitAt(first, edge);
    if (end < 0) return -1;
    FCells.push_back(TSpan{first, end - first + 1});
    if (end > first) Merge(FRow, first, end - first + 1);
    first = end + 1;
  }
  return 0;
}

int RtfTableBuilder::ColumnAt(int First, int Edge) const {
  int found = -1;
  for (int j = First; j < static_cast<int>(FColumnEdges.size()); ++j) {
    const int distance = std::abs(FColumnEdges[j] - Edge);
    if (distance <= EdgeTolerance && (found < 0 || distance < std::abs(FColumnEdges[found] - Edge)))
      found = j;
  }
  return found;
}

int RtfTableBuilder::SplitAt(int First, int Edge) {
  // An edge left of where the cell starts still makes the cell a column.
  Edge = std::max(Edge, (First > 0 ? FColumnEdges[First - 1] : 0) + 1);
  const auto right = std::upper_bound(FColumnEdges.begin() + First, FColumnEdges.end(), Edge);
  const int column = static_cast<int>(right - FColumnEdges.begin());
  if (right == FColumnEdges.end()) return AppendColumn(Edge) ? column : -1;
  if (FTable->columns() >= MaxColumns) return -1;
  // The new column is the right part of the one split, so that a cell of an
  // earlier row keeps its text first when it is merged across both parts.
  FTable->insertColumns(column + 1, 1);
  FColumnEdges.insert(FColumnEdges.begin() + column, Edge);
  FAdded += FRow + 1;
  for (int row = 0; row < FRow; ++row) {
    const QTextTableCell cell = FTable->cellAt(row, column);
    if (cell.row() == row && cell.column() + cell.columnSpan() == column + 1)
      Merge(row, cell.column(), cell.columnSpan() + 1);
  }
  ApplyWidths();
  return column;
}

int RtfTableBuilder::NewColumnEdge() const {
  // A cell no edge was given for gets a column of the average width.
  if (FColumnEdges.empty()) return 0;
  return FColumnEdges.back() + FColumnEdges.back() / static_cast<int>(FColumnEdges.size());
}

bool RtfTableBuilder::AppendColumn(int Edge) {
  if (FTable->columns() >= MaxColumns) return false;
  FTable->appendColumns(1);
  if (Edge > 0 && !FColumnEdges.empty() && Edge > FColumnEdges.back())
    FColumnEdges.push_back(Edge);
  else
    FColumnEdges.clear();
  FAdded += FRow + 1;
  ApplyWidths();
  return true;
}

void RtfTableBuilder::ApplyWidths() {
  QTextTableFormat format = FTable->format();
  QList<QTextLength> widths;
  if (static_cast<int>(FColumnEdges.size()) == FTable->columns()) {
    int left = 0;
    for (const int edge : FColumnEdges) {
      widths.append(QTextLength(QTextLength::FixedLength, (edge - left) / TwipsPerPixel));
      left = edge;
    }
  }
  format.setColumnWidthConstraints(widths);
  FTable->setFormat(format);
}

void RtfTableBuilder::Merge(int Row, int Column, int Columns) {
  const long long cells = static_cast<long long>(FTable->rows()) * FTable->columns();
  if (FMergeWork + cells > MaxMergeWork) return;
  FMergeWork += cells;
  FTable->mergeCells(Row, Column, 1, Columns);
}

void RtfTableBuilder::MoveTo(QTextCursor& Cursor) const {
  Cursor = FTable->cellAt(FRow, FCells[FCell].First).firstCursorPosition();
}
