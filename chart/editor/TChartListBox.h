#pragma once

#include "chart/core/TCustomChartLegend.h"
#include "chart/core/TKorEventListeners.h"
#include "chart/core/TKorSeriesType.h"

#include "platform/TComponent.h"
#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QListWidget>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class TCanvas;
class TChartSeries;
class TCustomChart;
class TKorEvent;
class TSeriesGroup;
class TStringList;

// The four parts of a row, left to right.
enum TChartListBoxSection { lbsIcon, lbsActive, lbsColor, lbsTitle };

class TChartListBox;

using TNotifySeriesEvent = std::function<void(TChartListBox* Sender, TChartSeries* Series)>;
using TChangeOrderEvent =
    std::function<void(TChartListBox* Sender, TChartSeries* Series1, TChartSeries* Series2)>;
using TDblClickSeriesEvent = std::function<void(TChartListBox* Sender, int Index)>;
using TChartListBoxEvent = std::function<void(TChartListBox* Sender)>;

// The series gallery fills these two hooks; without it the list box cannot
// add series or change their type. Add: a new series for Chart (or none
// when the user cancelled). Change: replaces Series by a series of the
// chosen class and returns that class (none when cancelled).
using TKorAddGalleryProc =
    std::function<TChartSeries*(QWidget* Owner, TCustomChart* Chart, TChartSeries* Series)>;
using TKorChangeGalleryProc =
    std::function<TChartSeriesClass(QWidget* Owner, TChartSeries*& Series)>;
extern TKorAddGalleryProc KorAddGalleryProc;
extern TKorChangeGalleryProc KorChangeGalleryProc;

// Interaction: the owner-drawn list of a chart's series (or of one series
// group): per row the type's editor icon, the active check, the colour
// swatch and the title. Users switch series on and off, recolour, rename,
// reorder, add, clone and delete them here; the list listens to the chart
// so that it follows changes made elsewhere.
//
// Ownership: the Qt parent frees the list box. Its component part has no
// owner; it only takes the chart's free notification, which clears the
// chart. The chart, the group and the mirror list are not owned.
class TChartListBox : public QListWidget, public TComponent, public IKorEventListener {
 public:
  // Pixels of one row.
  static constexpr int RowHeight = 24;

  explicit TChartListBox(QWidget* Parent = nullptr);
  ~TChartListBox() override;

  // -- properties

  TCustomChart* GetChart() const { return FChart; }
  // Listens to the new chart, forgets the group of the old one and refills.
  void SetChart(TCustomChart* Value);
  TSeriesGroup* GetGroup() const { return FGroup; }
  // A group of the chart, or none for all its series. Groups send no
  // notice when deleted: whoever deletes the group resets it here first.
  void SetGroup(TSeriesGroup* Value);
  // Rows show component names instead of titles.
  bool GetNames() const { return FNames; }
  void SetNames(bool Value);
  // A list kept equal to the rows (texts and series), or none.
  TStringList* GetOtherItems() const { return FOtherItems; }
  void SetOtherItems(TStringList* Value) { FOtherItems = Value; }

  bool GetAllowAddSeries() const { return FAllowAddSeries; }
  void SetAllowAddSeries(bool Value) { FAllowAddSeries = Value; }
  bool GetAllowDeleteSeries() const { return FAllowDeleteSeries; }
  void SetAllowDeleteSeries(bool Value) { FAllowDeleteSeries = Value; }
  bool GetAskDelete() const { return FAskDelete; }
  void SetAskDelete(bool Value) { FAskDelete = Value; }
  TCheckBoxesStyle GetCheckStyle() const { return FCheckStyle; }
  // Radio style keeps only the first active series active.
  void SetCheckStyle(TCheckBoxesStyle Value);
  bool GetEnableChangeColor() const { return FEnableChangeColor; }
  void SetEnableChangeColor(bool Value) { FEnableChangeColor = Value; }
  bool GetEnableDragSeries() const { return FEnableDragSeries; }
  void SetEnableDragSeries(bool Value) { FEnableDragSeries = Value; }
  bool GetEnableChangeType() const { return FEnableChangeType; }
  void SetEnableChangeType(bool Value) { FEnableChangeType = Value; }
  bool GetShowActiveCheck() const { return SectionShown(lbsActive); }
  void SetShowActiveCheck(bool Value) { ShowSection(lbsActive, Value); }
  bool GetShowSeriesColor() const { return SectionShown(lbsColor); }
  void SetShowSeriesColor(bool Value) { ShowSection(lbsColor, Value); }
  bool GetShowSeriesIcon() const { return SectionShown(lbsIcon); }
  void SetShowSeriesIcon(bool Value) { ShowSection(lbsIcon, Value); }
  bool GetShowSeriesTitle() const { return SectionShown(lbsTitle); }
  void SetShowSeriesTitle(bool Value) { ShowSection(lbsTitle, Value); }
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);

  // -- rows and selection

  // The current row; -1 for an empty list whatever the control keeps.
  int GetItemIndex() const;
  // None for -1 or beyond the rows.
  TChartSeries* GetSeries(int Index) const;
  int IndexOfSeries(const TChartSeries* ASeries) const;
  // The series of the current row, or none.
  TChartSeries* SelectedSeries() const;
  // Makes ASeries' row the only selected one.
  void SetSelectedSeries(TChartSeries* ASeries);
  // Adds the row to the selection with multi-select, else selects only it.
  void SelectSeries(int Index);
  // Multi-select only.
  void SelectAll();
  bool AnySelected() const;
  // The selected series in row order.
  std::vector<TChartSeries*> SelectedSeriesList() const;

  // -- filling

  // Rows of the series shown in editors; ASeries' row is selected, else
  // row 0.
  void FillSeries(TChartSeries* ASeries = nullptr);
  // Refills keeping the selected series selected.
  void UpdateSeries();

  // -- operations

  // Exchanges rows A and B and the two series in the chart; selects B.
  void SwapSeries(int A, int B);
  void MoveCurrentUp();
  void MoveCurrentDown();
  // Frees the selected series after the user confirmed (with AskDelete).
  void DeleteSeries();
  void CloneSeries();
  // The input box for the current series' title (or name); true when the
  // text shown in its row changed.
  bool RenameSeries();
  // Through the gallery hooks; nothing without them.
  void AddSeriesGallery();
  void ChangeTypeSeries();
  // The inline title editor over the current row (F2).
  void ShowEditor();
  // Hides the inline editor, dropping its text.
  void HideEditor();
  QLineEdit* GetEditor() const;
  // A key pressed in the inline editor: Enter, Up, Down and F2 take the
  // text, Esc drops it. True when the key was used.
  bool EditorKeyDown(int Key);
  // Asks the chart's design surface, if any, to refresh.
  void RefreshDesigner();

  // -- geometry and mouse (client pixels of the rows' viewport)

  int SectionLeft(TChartListBoxSection Section) const;
  int SectionWidth(TChartListBoxSection Section) const;
  bool PointInSection(const QPoint& P, TChartListBoxSection Section) const;
  // The series under the last mouse position the list saw; Index its row.
  TChartSeries* SeriesAtMousePos(int& Index) const;
  // What the mouse and key handlers do, callable from tests.
  void MouseDownAt(TMouseButton Button, TShiftState Shift, const QPoint& P);
  void DblClickAt(const QPoint& P);
  // Drags are accepted only from the list itself.
  bool AcceptsDragFrom(const QObject* Source) const { return Source == this; }
  // Drops the row being dragged on the row at P (P in the list's view);
  // outside the view the drop goes to OnDropOutside.
  void DragDropAt(const QPoint& P);
  int GetDragRow() const { return FDragRow; }
  void KeyUp(int Key);
  // The cursor over P: the hand where a double click changes something.
  void UpdateCursorAt(const QPoint& P);

  // -- drawing

  // Paints row Index into Rect; Focused is the row's focus-rectangle state.
  void DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, bool Selected, bool Focused);

  void KorEvent(TKorEvent& Event) override;

  TNotifySeriesEvent OnChangeActive;
  TNotifySeriesEvent OnChangeColor;
  TNotifySeriesEvent OnRemovedSeries;
  TChangeOrderEvent OnChangeOrder;
  TDblClickSeriesEvent OnDblClickSeries;
  TChartListBoxEvent OnOtherItemsChange;
  // A row dragged and released outside the list (onto another control of
  // the form): the series and the release point in screen coordinates.
  std::function<void(TChartListBox* Sender, TChartSeries* Series, const QPoint& Global)>
      OnDropOutside;
  TChartListBoxEvent OnRefresh;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  struct TSection {
    int Width;
    bool Visible;
  };

  bool SectionShown(TChartListBoxSection Section) const { return FSections[Section].Visible; }
  void ShowSection(TChartListBoxSection Section, bool Value);
  void ApplySelectionMode();
  QString RowText(const TChartSeries* ASeries) const;
  void SetRowText(int Index, const QString& Text);
  void AddRow(const QString& Text, TChartSeries* ASeries);
  void RemoveSeriesRow(TChartSeries* ASeries);
  void ToggleActive(TChartSeries* ASeries);
  void ChangeColor(TChartSeries* ASeries);
  void AcceptEditor();
  void CloseEditor();
  void Notify(const TChartListBoxEvent& Event) {
    if (Event) Event(this);
  }

  TCustomChart* FChart = nullptr;  // not owned, free-notified
  TSeriesGroup* FGroup = nullptr;  // the chart's, not owned
  TStringList* FOtherItems = nullptr;
  bool FNames = false;
  bool FAllowAddSeries = true;
  bool FAllowDeleteSeries = true;
  bool FAskDelete = true;
  TCheckBoxesStyle FCheckStyle = cbsCheck;
  bool FEnableChangeColor = true;
  bool FEnableDragSeries = true;
  bool FEnableChangeType = true;
  bool FMultiSelect = true;
  bool FExtendedSelect = true;
  std::array<TSection, 4> FSections{{{26, true}, {16, true}, {26, true}, {216, true}}};
  // caches: mouse and editing state
  QPointer<QLineEdit> FEdit;              // Qt child, made on first use
  TChartSeries* FEditedSeries = nullptr;  // cleared when it leaves the chart
  bool FDblClicking = false;
  bool FSwapping = false;  // our own swap: the chart's swap event needs no refill
  int FDragRow = -1;
  QPoint FHitPoint;
};
