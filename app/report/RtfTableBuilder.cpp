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
  int added = 0;
  if (FTable.isNull()) {
    const int columns = std::max(1, static_cast<int>(FEdges.size()));
    FTable = Cursor.insertTable(1, columns, TableFormat());
    FColumnEdges = AreWidths(FEdges) ? FEdges : std::vector<int>();
    ApplyWidths();
    FRow = 0;
    added = columns;
  } else {
    ++FRow;
    if (FRow >= FTable->rows()) FTable->appendRows(FTable->rows());
    added = FTable->columns();
  }
  FRowOpen = true;
  const int laidOut = LayOutRow();
  if (laidOut < 0) return -1;
  FCell = 0;
  MoveTo(Cursor);
  return added + laidOut;
}

int RtfTableBuilder::NextCell(QTextCursor& Cursor) {
  int added = 0;
  if (FCell + 1 >= FCells.size()) {
    const TSpan& last = FCells[FCell];
    const int column = last.First + last.Count;
    if (column >= FTable->columns()) {
      added = AddColumns(column + 1 - FTable->columns());
      if (added < 0) return -1;
      FColumnEdges.clear();  // a cell no edge was given for
      ApplyWidths();
    }
    FCells.push_back(TSpan{column, 1});
  }
  ++FCell;
  MoveTo(Cursor);
  return added;
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
  const int cells = static_cast<int>(FEdges.size());
  int added = 0;
  if (cells > FTable->columns()) {
    added = AddColumns(cells - FTable->columns());
    if (added < 0) return -1;
    FColumnEdges = AreWidths(FEdges) ? FEdges : std::vector<int>();
    ApplyWidths();
  }
  FCells.clear();
  const int columns = FTable->columns();
  if (cells == columns || cells == 0 || FColumnEdges.empty()) {
    for (int i = 0; i < std::max(cells, 1); ++i) FCells.push_back(TSpan{i, 1});
    return added;
  }
  // Each cell ends at the column edge nearest its own, leaving a column for
  // every cell after it.
  int first = 0;
  for (int i = 0; i < cells; ++i) {
    const int lastAllowed = columns - (cells - i);
    int end = first;
    for (int j = first + 1; j <= lastAllowed; ++j)
      if (std::abs(FColumnEdges[j] - FEdges[i]) < std::abs(FColumnEdges[end] - FEdges[i])) end = j;
    FCells.push_back(TSpan{first, end - first + 1});
    if (end > first) Merge(FRow, first, end - first + 1);
    first = end + 1;
  }
  return added;
}

int RtfTableBuilder::AddColumns(int Count) {
  const int old = FTable->columns();
  if (old + Count > MaxColumns) return -1;
  FTable->appendColumns(Count);
  for (int row = 0; row < FRow; ++row) {
    const QTextTableCell last = FTable->cellAt(row, old - 1);
    if (last.isValid() && last.row() == row) Merge(row, last.column(), last.columnSpan() + Count);
  }
  return Count * (FRow + 1);
}

void RtfTableBuilder::Merge(int Row, int Column, int Columns) {
  const long long cells = static_cast<long long>(FTable->rows()) * FTable->columns();
  if (FMergeWork + cells > MaxMergeWork) return;
  FMergeWork += cells;
  FTable->mergeCells(Row, Column, 1, Columns);
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

void RtfTableBuilder::MoveTo(QTextCursor& Cursor) const {
  Cursor = FTable->cellAt(FRow, FCells[FCell].First).firstCursorPosition();
}
