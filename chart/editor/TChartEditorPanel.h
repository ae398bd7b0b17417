#pragma once

#include <QFrame>

class TChartEditForm;
class TCustomChart;
struct TChartClickedPart;

// Interaction: the chart editor embedded in a window instead of shown as a
// dialog: a borderless editor form without its Close button row, which
// never stores its place or size.
//
// Ownership: the panel is the Qt parent of its form, which Qt frees with
// it; the chart is not owned (the form forgets it when it is freed).
class TChartEditorPanel : public QFrame {
 public:
  explicit TChartEditorPanel(QWidget* Parent = nullptr);

  TCustomChart* GetChart() const;
  void SetChart(TCustomChart* Value);
  TChartEditForm* GetEditor() const { return FEditor; }

  // Opens the page for the part of the chart under the mouse.
  void SelectUnderMouse();
  // Legend: the legend page; axis: the axis page on it; series or its
  // marks: the series page on it (its marks tab for marks); a title: the
  // titles page on it; anything else: the panel page.
  void SelectPart(const TChartClickedPart& Part);

 private:
  TChartEditForm* FEditor;  // Qt child: lives exactly as long as the panel
};
