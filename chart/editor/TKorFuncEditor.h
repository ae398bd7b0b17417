#pragma once

#include "chart/editor/TBaseSourceEditor.h"

#include "chart/core/TKorEventListeners.h"
#include "chart/core/TKorSeriesType.h"

#include <QPointer>

class QListWidget;
class QTabWidget;
class QTimer;
class TCustomAxisPanel;
class TSelectListForm;

// Registers the function page ("TKorFuncEditor") and the function option
// forms ("TKorFunctionEditor", "TAverageFuncEditor",
// "TCustomFunctionEditor") with the editor forms register.
void RegisterFunctionEditors();

// Interaction: the series page's data source form of a series computed by
// a function: the function kind (or none), its source series (one series
// and which of its value lists, or an ordered choice of several series),
// and the function's own options form on the "Options" tab. Nothing is
// written into the series' sources until "&Apply"; choosing another kind
// replaces the series' function at once. The series comes from the tag.
class TKorFuncEditor : public TBaseSourceEditor, public IKorEventListener {
 public:
  explicit TKorFuncEditor(QWidget* Parent = nullptr);
  ~TKorFuncEditor() override;

  // The kind chosen in the functions combo; none for "None".
  TKorFunctionClass SelectedFunctionClass() const;
  // The series chosen in the single source combo; nullptr without one.
  TChartSeries* SelectedSourceSeries() const;
  // The options form of the chosen function; nullptr without one.
  QWidget* GetOptionsForm() const { return FOptionsForm; }
  TSelectListForm* GetSelectList() const { return FSelectList; }

  void FormShow() override;
  // The function kind changed.
  void CBSourcesChange() override;
  void BApplyClick() override;
  // The single source series changed.
  void CBSingleChange();
  void CBValuesChange();
  void BNoneClick();
  // Reselect the options and the source tab once the page has settled.
  void Timer1Timer();
  void Timer2Timer();
  // Lists the candidate source series; Leaving (a series being removed)
  // is left out.
  void FillSourceSeries(const TChartSeries* Leaving = nullptr);

  void KorEvent(TKorEvent& Event) override;

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSource = nullptr;
  QWidget* TabOptions = nullptr;
  QWidget* PanSingle = nullptr;
  QLabel* LSeries = nullptr;
  TComboFlat* CBSingle = nullptr;
  QLabel* LValues = nullptr;
  TComboFlat* CBValues = nullptr;
  QPushButton* BNone = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void BuildControls();
  void FillFunctions();
  void CreateSelectList();
  void ListenTo(TCustomAxisPanel* Chart);
  void SelectFunctionOfSeries();
  void SelectSourceOfSeries();
  // The series gets a function of Class (none: loses its function); a
  // function of that very class stays.
  void CheckFunction(TKorFunctionClass Class);
  void ShowFunctionOptions(TKorFunctionClass Class);
  void FreeOptionsForm();
  void ApplySingleSource();
  void ApplySeveralSources();

  TSelectListForm* FSelectList = nullptr;  // a Qt child of TabSource
  QPointer<QWidget> FOptionsForm;          // a Qt child of TabOptions
  TCustomAxisPanel* FListened = nullptr;   // not owned
  // Set while the page refills its combo boxes: changes then are not edits.
  bool FChangingSeries = false;
  bool FSingleMode = false;
};

// The function page Form is docked in (through its parents); nullptr when
// it is not on one.
TKorFuncEditor* KorFuncEditorOf(const QWidget& Form);
