#pragma once

#include "chart/editor/TCustomKorNavigator.h"

class TCustomChartGrid;

// Interaction: the navigator over the rows of a chart grid. Its nine
// buttons move among the data rows, insert and delete points, and start,
// post or cancel an edit; the grid tells it when the current row, the rows
// or the editing state change, so the buttons that can act stay enabled.
//
// Ownership: the grid is not owned. Grid and navigator know each other and
// take each other's free notification, so either may be freed first.
class TChartGridNavigator : public TCustomKorNavigator {
 public:
  explicit TChartGridNavigator(TComponent* AOwner);
  ~TChartGridNavigator() override;

  QString ClassName() const override { return QStringLiteral("TChartGridNavigator"); }

  TCustomChartGrid* GetGrid() const { return FGrid; }
  // Binds to Value and makes this the grid's navigator; the previous grid
  // is let go.
  void SetGrid(TCustomChartGrid* Value);

  void EnableButtons() override;
  // A failing action is reported as a message; the buttons are re-enabled
  // either way.
  void BtnClick(TKorNavigateBtn Kind) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void DoAction(TKorNavigateBtn Kind);
  // Whether the grid can take a new point: editable, with series to hold it.
  bool CanInsert() const;
  bool HasPoints() const;

  TCustomChartGrid* FGrid = nullptr;  // not owned, free-notified
};
