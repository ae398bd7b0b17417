#pragma once

#include "chart/core/TKorToolTypes.h"

#include "platform/TRect.h"

#include <QDialog>

#include <vector>

class QListWidget;
class QPushButton;
class QShowEvent;
class QTabBar;
class TCanvas;

// Interaction: picks one registered tool class to add to a chart, the
// tools listed by kind on three tabs (series tools, axis tools, others).
class TKorToolsGallery : public QDialog {
 public:
  // The tabs of TabControl1.
  enum TToolKind { tkSeries, tkAxis, tkOther };

  explicit TKorToolsGallery(QWidget* Owner);
  ~TKorToolsGallery() override;

  // The class of the chosen row; none when no row is chosen.
  TKorToolClass SelectedTool() const;
  // The class of row Index; none for an index outside the list.
  TKorToolClass ToolAtIndex(int Index) const;

  // Sets the tabs, fills the list and translates the texts; run when the
  // dialog is shown.
  void FormShow();
  // Lists the registered tools of the current tab; nothing chosen.
  void FillTools();
  void TabControl1Change();
  void LBToolClick();
  void LBToolDblClick();

  QTabBar* TabControl1 = nullptr;
  QListWidget* LBTool = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCan = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();

  // The class of each row of LBTool, in row order.
  std::vector<TKorToolClass> FRowTools;
};

// The tab a tool class belongs on (asked of a temporary instance).
TKorToolsGallery::TToolKind KorToolKind(TKorToolClass Tool);

// Paints row Index of a tool list in Rect: the row in the highlight or list
// colour, Tool's editor bitmap at (left + 2, top + 1) and the row's text
// from List at (left + 22, top + 2).
void KorDrawTool(const QListWidget& List, int Index, TCanvas& Canvas, const TRect& Rect,
                 TKorToolClass Tool, bool Selected);
