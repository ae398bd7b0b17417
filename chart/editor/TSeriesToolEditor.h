#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QShowEvent;
class TComboFlat;
class TKorCustomToolSeries;

// Interaction: the tools page's editor of any tool bound to a series; it
// chooses the tool's series. The tool comes from the form's tag (see
// AddFormTo) when the form is shown.
class TSeriesToolEditor : public QWidget {
 public:
  explicit TSeriesToolEditor(QWidget* Parent = nullptr);

  TKorCustomToolSeries* GetTool() const { return Tool; }

  // Reads the tool from the tag and lists the chart's series after a
  // "(none)" row, selecting the tool's series.
  virtual void FormShow();
  // The tool's series becomes the selected row's (none for "(none)").
  virtual void CBSeriesChange();

  QLabel* Label1 = nullptr;
  TComboFlat* CBSeries = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  // Runs a handler body; when a setter refuses the edit the message is
  // shown and the controls go back to the tool's values.
  void Guarded(const std::function<void()>& Body);
  // Shows the tool's values again (after a refused edit).
  virtual void ReloadControls();
  void SelectToolSeries();

  TKorCustomToolSeries* Tool = nullptr;  // not owned
  // Set while code fills the controls: changes then are not edits.
  bool FUpdating = false;

 private:
  void FillSeries();
};
