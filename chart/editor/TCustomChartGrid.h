#pragma once

#include "chart/core/TKorEventListeners.h"

#include "platform/TCustomGrid.h"

#include <QString>

#include <functional>
#include <vector>

class TChartGridNavigator;
class TChartSeries;
class TChartValueList;
class TCustomAxisPanel;
class TCustomChart;
class TKorEvent;

// When a series' X values get a column of their own.
enum TChartGridShow { cgsAuto, cgsNo, cgsYes };

class TCustomChartGrid;

using TChartGridNotifyEvent = std::function<void(TCustomChartGrid* Sender)>;
using TChartGridEditingEvent =
    std::function<void(TCustomChartGrid* Sender, int ACol, int ARow, bool& CanEdit)>;
using TChartGridSetTextEvent =
    std::function<void(TCustomChartGrid* Sender, int ACol, int ARow, const QString& Text)>;

// Interaction: a spreadsheet of the points of one series, or of all series
// of a chart side by side. Row numbers are point numbers; columns are the
// point colours, the labels, and per series its value lists. Edits go
// straight into the series through their value lists.
//
// Ownership: the component owner frees the grid. The chart and the series
// are not owned; the grid takes their free notifications and listens to
// the chart that holds them, so it follows changes made elsewhere.
class TCustomChartGrid : public TCustomGrid, public IKorEventListener {
 public:
  explicit TCustomChartGrid(TComponent* AOwner);
  ~TCustomChartGrid() override;

  QString ClassName() const override { return QStringLiteral("TCustomChartGrid"); }

  // -- properties

  TCustomChart* GetChart() const { return FChart; }
  // Shows all series of Value (and forgets a single series).
  void SetChart(TCustomChart* Value);
  TChartSeries* GetSeries() const { return FSeries; }
  // Shows Value only (and forgets the chart).
  void SetSeries(TChartSeries* Value);
  bool GetShowColors() const { return FShowColors; }
  void SetShowColors(bool Value);
  bool GetShowLabels() const { return FShowLabels; }
  void SetShowLabels(bool Value);
  TChartGridShow GetShowXValues() const { return FShowXValues; }
  void SetShowXValues(TChartGridShow Value);
  // A second fixed row naming each column's value list.
  bool GetShowFields() const { return FShowFields; }
  void SetShowFields(bool Value);
  // The navigator bound to this grid, told whenever the current row, the
  // rows or the editing state change. Set by the navigator when it binds;
  // not owned, and forgotten when it is freed.
  TChartGridNavigator* GetNavigator() const { return FNavigator; }
  void SetNavigator(TChartGridNavigator* Value) { FNavigator = Value; }

  // -- layout

  // 1, or -1 when hidden.
  int ColorsColumn() const { return FShowColors ? 1 : -1; }
  // 2 with colours, 1 without, -1 when hidden.
  int LabelsColumn() const;
  int FirstDataRow() const { return FShowFields ? 2 : 1; }
  // The series shown, in chart order.
  std::vector<TChartSeries*> ShownSeries() const;
  // Whether the series' X values have a column.
  bool XColumnShown(const TChartSeries& ASeries) const;
  // The series and value list of a value column; none for other columns.
  TChartSeries* SeriesOfColumn(int ACol) const;
  TChartValueList* ValueListOfColumn(int ACol) const;
  // The text a cell shows and starts editing with.
  QString CellText(int ACol, int ARow) const;
  // The series title a header cell draws beside the series' symbol (line
  // breaks as blanks); empty for a header cell without one.
  QString HeaderTitle(int ACol) const;
  // The title as the cell draws it, measured in the grid's font: whole, or,
  // when the part of the cell inside the grid cannot hold it, cut short
  // with an ellipsis (the whole title is then the cell's tool tip).
  QString ShownHeaderTitle(int ACol);
  // Pixels from a titled header cell's left edge to its title.
  static constexpr int TitleOffset = 18;

  // -- operations

  // Recomputes the columns and rows and goes to column 1 of the first data
  // row.
  void Regenerate();
  // Recomputes the columns and rows, keeping the current cell where it can.
  void RecalcDimensions();
  // Widens every column that carries a series title to hold the title in
  // the grid's font (RecalcDimensions does this too; call it after the
  // font changed).
  void FitTitleColumns();
  // Appends a null point to every shown series; goes to the last row.
  void Insert();
  // Deletes the current row's point from every series that has it.
  void Delete();
  // Appends a null point to the current column's series and a row.
  void AppendRow();
  void StartEditing();
  // With Cancel the cell gets back the text it had when editing started.
  void StopEditing(bool Cancel);
  // The colour dialog for the current row's point.
  void ChangeColor();

  void KeyDown(int& Key, TShiftState Shift) override;
  void KorEvent(TKorEvent& Event) override;

  TChartGridNotifyEvent OnChangeColor;
  TChartGridEditingEvent OnEditingCell;
  TChartGridSetTextEvent OnSetEditText;

 protected:
  QString GetEditText(int ACol, int ARow) const override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  bool CanEditShow() const override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, int AState) override;
  void DblClick() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // One non-fixed value column.
  struct TValueColumn {
    TChartSeries* Series;
    TChartValueList* List;
    bool FirstOfSeries;
  };

  int FirstValueColumn() const;
  const TValueColumn* ValueColumn(int ACol) const;
  TChartSeries* ColorsSeries() const;
  // The series the current column belongs to (the first shown series for
  // the colours and labels columns).
  TChartSeries* CurrentSeries() const;
  void ListenTo(TCustomAxisPanel* Panel);
  // True when it deleted the point and the row.
  bool DeleteLastNullRow();
  void DrawHeaderCell(int ACol, const TRect& ARect);
  // Pixels the header cell in ACol needs for its title: the offset, the
  // text in the grid's font and a margin after it.
  int TitleWidth(int ACol);
  void SetValueText(const TValueColumn& Column, int Index, const QString& Value);
  void UpdateNavigator();

  TCustomChart* FChart = nullptr;             // not owned, free-notified
  TChartSeries* FSeries = nullptr;            // not owned, free-notified
  TChartGridNavigator* FNavigator = nullptr;  // not owned, free-notified
  bool FShowColors = false;
  bool FShowLabels = true;
  TChartGridShow FShowXValues = cgsAuto;
  bool FShowFields = true;
  // caches: rebuilt by RecalcDimensions
  std::vector<TValueColumn> FColumns;
  std::vector<TChartSeries*> FXShown;     // series whose X column is shown
  TCustomAxisPanel* FListened = nullptr;  // the panel we are a listener of
  QString FOldText;                       // the cell's text when editing started
};
