#pragma once

#include <QPointer>
#include <QTextCursor>
#include <QTextTable>

#include <vector>

// Builds the tables of a rich-text document row by row as their rows
// arrive (data role helper of the reader). The columns are the cell edges
// (twips from the row's left) of all rows so far: a row's edge near one of
// them is taken as that one, any other splits the column it falls in (the
// cells of earlier rows across it then span both parts) or adds a column at
// the right. So every cell covers the columns between its edges, and a cell
// spanning several columns stays one cell. Rows without usable edges put
// one cell in each column and the table's widths are left to the layout.
//
// Every change of a table's grid costs time in proportion to its cells:
// rows are added in growing batches (the rows not used go at the end), and
// once merging cells has cost MaxMergeWork cell visits, further cells are
// left unmerged, their text kept.
class RtfTableBuilder {
 public:
  static constexpr int MaxColumns = 64;
  static constexpr long long MaxMergeWork = 20'000'000;
  static constexpr int EdgeTolerance = 30;  // twips: two pixels

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
  int LayOutByEdges();
  // The column whose edge lies within EdgeTolerance of Edge, from column
  // First on; -1 when there is none.
  int ColumnAt(int First, int Edge) const;
  // Makes Edge a column edge right of column First; its column, or -1.
  int SplitAt(int First, int Edge);
  // Adds a column at the right, ending at Edge (0: its width is not known).
  bool AppendColumn(int Edge);
  int NewColumnEdge() const;
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
  int FAdded = 0;  // cells added to the rows so far while laying out one
  long long FMergeWork = 0;
};
