#pragma once

#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TCustomChartElement.h"

#include "platform/TCustomControl.h"

#include <QString>

// The mouse actions a chart passes on to its tools.
enum TChartMouseEvent { cmeDown, cmeMove, cmeUp };

// Interaction: the base of every chart tool. A tool is a component (its
// owner frees it) that sits in the tool list of at most one chart; the
// chart tells it of drawing steps and mouse actions, which do nothing
// here.
class TKorCustomTool : public TCustomChartElement {
 public:
  explicit TKorCustomTool(TComponent* AOwner);
  // Leaves its chart's tool list.
  ~TKorCustomTool() override;

  QString ClassName() const override { return QStringLiteral("TKorCustomTool"); }
  // From another tool: whether editors show it, then the element's part.
  void Assign(const TPersistent& Source) override;

  // Leaves the old chart's tool list (repainting that chart when the tool
  // goes to no chart) and joins the new chart's.
  void SetParentChart(TCustomAxisPanel* Value) override;

  virtual void ChartEvent(TChartToolEvent) {}
  // X and Y in chart pixels.
  virtual void ChartMouseEvent(TChartMouseEvent, TMouseButton, TShiftState, int /*X*/, int /*Y*/) {}
  // The tool's name in galleries; empty here.
  virtual QString Description() const { return QString(); }

 private:
  friend class TChartTools;
  // The chart's tool list dropped the tool, or the chart is going away.
  void LeftToolList() { SetParentChartField(nullptr); }
};
