#pragma once

#include <QPointer>
#include <QTextCursor>
#include <QTextTable>

#include <vector>

// Builds the table of a rich-text document row by row as its rows arrive
// (data role helper of the reader). The first row's cell edges (twips from
// the row's left) give the columns and their widths; a later row's cells
// take the columns nearest their edges, so a cell spanning several columns
// stays one cell, and a row with more cells than the table adds columns at
// the right, which the earlier rows' last cells then span.
//
// Every change of a table's grid costs time in proportion to its cells:
// rows are added in growing batches (the rows not used go at the end), and
// once merging cells has cost MaxMergeWork cell visits, further cells are
// left unmerged, their text kept.
class RtfTableBuilder {
 public:
  static constexpr int MaxColumns = 64;
  static constexpr long long MaxMergeWork = 20'000'000;

  // The row definition for the rows to come: "\trowd" starts one, each
  // "\cellx" adds the right edge of the next cell.
  void StartRowDefinition() { FEdges.clear(); }
  // False when a row would have more than MaxColumns cells.
  bool AddCellEdge(int Twips);

  bool InTable() const { return FTable != nullptr; }
  bool RowOpen() const { return FRowOpen; }
  // Opens the next row (the table itself at Cursor when there is none yet)
  // and puts Cursor into its first cell. The number of cells added, or -1
  // when the table would get too wide.
  int OpenRow(QTextCursor& Cursor);
  // Puts Cursor into the next cell of the open row; as OpenRow.
  int NextCell(QTextCursor& Cursor);
  void CloseRow() { FRowOpen = false; }
  // Puts Cursor into the paragraph after the table and forgets the table.
  void LeaveTable(QTextCursor& Cursor);
  // The document ends: the table loses its unused rows.
  void Finish();

 private:
  struct TSpan {
    int First = 0;  // column
    int Count = 1;
  };

  // The cells of the row just opened; the number of cells added, or -1.
  int LayOutRow();
  // Count columns at the right, spanned by the last cells of the rows
  // before the open one; the number of cells added, or -1.
  int AddColumns(int Count);
  void ApplyWidths();
  void Merge(int Row, int Column, int Columns);
  void MoveTo(QTextCursor& Cursor) const;

  std::vector<int> FEdges;        // of the row definition, twips
  QPointer<QTextTable> FTable;    // owned by the document
  std::vector<int> FColumnEdges;  // twips; empty when the widths are not known
  int FRow = -1;
  bool FRowOpen = false;
  std::vector<TSpan> FCells;  // of the open row
  size_t FCell = 0;
  long long FMergeWork = 0;
};
