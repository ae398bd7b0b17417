#pragma once

#include <functional>

#include "platform/TComponent.h"
#include "platform/TPersistent.h"

class QDialog;
class TCustomChart;

// Data: a component that opens an editor dialog on a chart. It follows the
// chart's life: when the chart is freed the component forgets it.
class TCustomChartEditor : public TComponent, public TPersistent {
 public:
  // The dialog the component shows (the editor or the print preview).
  using TEditorFormEvent = std::function<void(QDialog& Form)>;

  explicit TCustomChartEditor(TComponent* AOwner);
  ~TCustomChartEditor() override;

  QString ClassName() const override { return QStringLiteral("TCustomChartEditor"); }

  TCustomChart* GetChart() const { return FChart; }
  virtual void SetChart(TCustomChart* Value);
  // Nothing in the base.
  virtual void Execute() {}

  TEditorFormEvent OnClose;
  TEditorFormEvent OnShow;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TCustomChart* FChart = nullptr;
};
