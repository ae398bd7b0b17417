#pragma once

#include "chart/editor/TPenDialog.h"

class QCheckBox;
class QShowEvent;
class TFastLineSeries;

// Interaction: the fast line series' format page: the pen dialog on the
// series' line pen (its colour is the series colour) with the series'
// drawing switches. Docked in the series page it has no OK or Cancel:
// edits apply at once, as on every page.
class TFastLineSeriesEditor : public TPenDialog {
 public:
  explicit TFastLineSeriesEditor(QWidget* Parent = nullptr);

  TFastLineSeries* GetFastLine() const { return Series; }

  // Reads the series from the tag and shows its switches; the pen part
  // fills itself after.
  void LoadSeries();
  void CBDrawAllClick();
  // "&Inverted" is usable only with stairs.
  void CBStairsClick();
  void CBInvStairsClick();
  void CBIgnoreNullsClick();
  // The series colour follows the pen's new colour.
  void PenColorChosen();
  // Docked, closing the page must not put the pen back and hide it.
  void reject() override;

  QCheckBox* CBDrawAll = nullptr;
  QCheckBox* CBStairs = nullptr;
  QCheckBox* CBInvStairs = nullptr;
  QCheckBox* CBIgnoreNulls = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  // The style list has the five plain styles only.
  bool OffersSmallDots() const override { return false; }

 private:
  template <class Body>
  void Apply(Body&& Edit);
  bool Docked() const { return parentWidget() != nullptr && !isWindow(); }

  TFastLineSeries* Series = nullptr;  // not owned
  bool FLoading = false;
};

// Registers "TFastLineSeriesEditor".
void RegisterFastLineSeriesEditor();
