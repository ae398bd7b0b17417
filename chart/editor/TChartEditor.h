#pragma once

#include <QString>

#include "chart/editor/ChartEditorTypes.h"
#include "chart/editor/TCustomChartEditor.h"

class TChartSeries;

// Data: the editor component the program's windows place beside a chart;
// Execute shows the chart editor dialog on the chart, modally, with the
// component's settings.
class TChartEditor : public TCustomChartEditor {
 public:
  explicit TChartEditor(TComponent* AOwner);
  ~TChartEditor() override;

  QString ClassName() const override { return QStringLiteral("TChartEditor"); }
  const TPropertyList& Properties() const override;

  // Only with a chart.
  void Execute() override;
  // Forgets the series when the new chart does not own it.
  void SetChart(TCustomChart* Value) override;

  bool GetAutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
  TChartEditorTab GetDefaultTab() const { return FDefaultTab; }
  void SetDefaultTab(TChartEditorTab Value) { FDefaultTab = Value; }
  TChartEditorHiddenTabs GetHideTabs() const { return FHideTabs; }
  void SetHideTabs(TChartEditorHiddenTabs Value) { FHideTabs = Value; }
  bool GetHighLightTabs() const { return FHighLightTabs; }
  void SetHighLightTabs(bool Value) { FHighLightTabs = Value; }
  TChartEditorOptions GetOptions() const { return FOptions; }
  void SetOptions(TChartEditorOptions Value) { FOptions = Value; }
  bool GetRememberPosition() const { return FRememberPosition; }
  void SetRememberPosition(bool Value) { FRememberPosition = Value; }
  TChartSeries* GetSeries() const { return FSeries; }
  // A series of another chart switches the editor to that chart.
  void SetSeries(TChartSeries* Value);
  // Published as the series' component name among the owner's components;
  // a name read before its series exists is resolved by Loaded.
  QString GetSeriesName() const;
  void SetSeriesName(const QString& Value);
  void Loaded() override;
  QString GetTitle() const { return FTitle; }
  void SetTitle(const QString& Value) { FTitle = Value; }
  bool GetTreeView() const { return FTreeView; }
  void SetTreeView(bool Value) { FTreeView = Value; }

  TNotifyEvent OnChangeSeriesOrder;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool FAutoRepaint = true;
  TChartEditorTab FDefaultTab = cetMain;
  TChartEditorHiddenTabs FHideTabs = 0;
  bool FHighLightTabs = false;
  TChartEditorOptions FOptions = DefaultChartEditorOptions;
  bool FRememberPosition = false;
  TChartSeries* FSeries = nullptr;
  QString FPendingSeriesName;
  QString FTitle;
  bool FTreeView = false;
};
