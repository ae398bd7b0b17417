#pragma once

#include "platform/TComponent.h"

#include <QWidget>

class QCloseEvent;
class QComboBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TChartSeries;
class TComboFlat;

// Interaction: the base of the forms that choose where a series takes its
// points from, docked on the series page's "Data Source" tab. The series
// comes from the form's tag when it is shown. "&Apply" is enabled by every
// change; leaving with changes not applied asks whether to apply them.
// The form is a component only to hear of the series' destruction.
class TBaseSourceEditor : public QWidget, public TComponent {
 public:
  explicit TBaseSourceEditor(QWidget* Parent = nullptr);
  ~TBaseSourceEditor() override;

  TChartSeries* GetSeries() const { return TheSeries; }
  // Skips the chart's own test of a candidate (AddComponentDataSource).
  bool GetSkipValidation() const { return FSkipValidation; }
  void SetSkipValidation(bool Value) { FSkipValidation = Value; }

  // Takes the series from the tag; "&Apply" starts disabled.
  virtual void FormShow();
  virtual void CBSourcesChange();
  // Nothing to apply here but the button's state.
  virtual void BApplyClick();
  // Whether this editor offers AComponent as a source (none here).
  virtual bool IsValid(TComponent* AComponent) const;

  // Adds AComponent to List (its object as item data) unless it is there
  // already, the series uses it and used sources are not allowed, IsValid
  // refuses it or the chart does not accept it for the series. The text
  // is the series' title (a component's name otherwise), after
  // "Owner." when the component belongs to another named owner.
  void AddComponentDataSource(TComponent* AComponent, QComboBox& List, bool AllowUsed);
  // The series takes NewSource as its data source in place of the present
  // one; a series source the series owned is freed.
  void CheckReplaceSource(TComponent* NewSource);

  QWidget* Pan = nullptr;
  QLabel* LLabel = nullptr;
  TComboFlat* CBSources = nullptr;
  QPushButton* BApply = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  // With "&Apply" enabled asks "Apply Changes ?": Yes applies and closes
  // when that succeeded, No drops the changes, Cancel stays.
  void closeEvent(QCloseEvent* Event) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetSeries(TChartSeries* Value);

  TChartSeries* TheSeries = nullptr;  // not owned

 private:
  bool FSkipValidation = false;
};
