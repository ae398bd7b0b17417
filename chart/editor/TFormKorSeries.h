#pragma once

#include "chart/core/TKorEventListeners.h"

#include "platform/TComponent.h"

#include <QString>
#include <QWidget>

#include <functional>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class TButtonPen;
class TChartGrid;
class TChartGridNavigator;
class TChartListBox;
class TChartSeries;
class TCustomAxisPanel;
class TEditUpDown;
class TFormKorShape;
class TPersistent;
class TRadioGroup;
enum class TEditorSeriesTab;

// The editor form class a series names (GetEditorClass) when a form of
// that class is registered; empty otherwise.
QString SeriesEditorForm(const TChartSeries& Series);

// Adds a form of the registered editor form class FormClass (see
// KorEditorForms.h) for Object. When Owner is docked in the chart editor's
// series page the form gets a tab of its own, titled Title, at PageIndex
// in the page's tabs (-1: the end); otherwise it is made inside Owner with
// Title as its caption. Series editors use it for their extra tabs. The
// form reads Object with KorFormObject. nullptr when FormClass is not
// registered.
QWidget* InsertSeriesForm(QWidget& Owner, const QString& FormClass, const QString& Title,
                          TPersistent* Object, int PageIndex = -1);

// Docks Form for Object so that it fills Tab.
void AddToTab(QWidget& Form, QWidget& Tab, TPersistent* Object);

// Registers the editor dialog's "TabSeries" page: the series page opened
// on the dialog's series (else the one selected in its list) and tab.
void RegisterSeriesEditorPage();

// Interaction: the chart editor's series page. For the series chosen in
// CBSeries it docks the series type's own editor form on "Format" (found by
// class name, so the page knows no series types), edits the settings every
// series has on "General" and its marks on "Marks", and chooses where its
// values come from on "Data Source" (typed in a grid, random samples or a
// function). Every control writes into the series at once. The page
// listens to the series' chart so that a series removed while shown leaves
// nothing behind.
class TFormKorSeries : public QWidget, public TComponent, public IKorEventListener {
 public:
  explicit TFormKorSeries(QWidget* Parent = nullptr);
  ~TFormKorSeries() override;

  // The flags the dialog gives before a series is shown.
  void SetShowTabDataSource(bool Value) { FShowTabDataSource = Value; }
  void SetShowTabGeneral(bool Value) { FShowTabGeneral = Value; }
  void SetShowTabMarks(bool Value) { FShowTabMarks = Value; }
  void SetShowPersistent(bool Value) { FShowPersistent = Value; }
  // The dialog's series list: the series combo shows names when it does.
  void SetChartListBox(TChartListBox* Value) { FChartListBox = Value; }

  // The chart whose series CBSeries offers (the shown series' chart once
  // one is shown).
  TCustomAxisPanel* GetChart() const { return FChart; }
  void SetChart(TCustomAxisPanel* Value);
  TChartSeries* GetSeries() const { return FTheSeries; }
  // Chooses Series in CBSeries and shows it (nullptr: none).
  void SetSeries(TChartSeries* Series);
  // Makes Tab current when it is offered for the shown series.
  void OpenTab(TEditorSeriesTab Tab);
  // The form docked on "Format" for the series' type, or nullptr.
  QWidget* GetFormatForm() const;
  // The source editor form docked on "Data Source" (function or source),
  // or nullptr.
  QWidget* GetSourceForm() const { return FSourceForm; }
  TChartGrid* GetGrid() const { return FGrid; }
  TChartGridNavigator* GetNavigator() const { return FNavigator; }
  TFormKorShape* GetMarksShapeForm() const { return FMarksShapeForm; }
  TFormKorShape* GetSymbolShapeForm() const { return FSymbolShapeForm; }

  void SetCBSeries();
  void FillAxes();
  void DestroySeriesForms();
  // Whether the source editor lets the user leave the data or close.
  bool CheckCanClose();

  // Handlers.
  void CBSeriesChange();
  void PageSeriesChange();
  void PageControlMarksChange();
  void CBPersistentClick();
  void Timer1Timer();
  // General.
  void CBShowInLegendClick();
  void CBCursorChange();
  void SEDepthChange();
  void CBDepthAutoClick();
  void CBFormatChange();
  void CBPercentFormatChange();
  void CBHorizAxisChange();
  void CBVertAxisChange();
  void CBXDateTimeClick();
  void CBYDateTimeClick();
  void CBZDateTimeClick();
  void CBSortChange();
  void CBShowInEditorClick();
  // Marks.
  void CBMarksVisibleClick();
  void CBMarksClipClick();
  void SEMarksAngleChange();
  void SEDrawEveryChange();
  void CBMultiLineClick();
  void CBAllVisibleClick();
  void RGMarksStyleClick();
  void BMarksArrowPenClick();
  void SEArrowLengthChange();
  void SEArrowDistanceChange();
  void BPointerClick();
  void CBArrowHeadChange();
  void SEArrowHeadSizeChange();
  void CBSymbolVisibleClick();
  // Data source.
  void CBDataSourcestyleChange();
  void ESamplesChange();
  void CBDefaultClick();
  void BApplyRandomClick();
  void BClearClick();

  // Header.
  QLabel* ImageSeries = nullptr;
  QLabel* LabelSeriesClass = nullptr;
  QWidget* PaintBox1 = nullptr;
  QComboBox* CBSeries = nullptr;
  QCheckBox* CBPersistent = nullptr;
  QWidget* PanelTop = nullptr;
  QTabWidget* PageSeries = nullptr;
  QWidget* TheTabSheet = nullptr;
  QWidget* TabGeneral = nullptr;
  QWidget* TabMarks = nullptr;
  QWidget* TabDataSource = nullptr;
  QTimer* Timer1 = nullptr;
  // General.
  QCheckBox* CBShowInLegend = nullptr;
  QComboBox* CBCursor = nullptr;
  TEditUpDown* SEDepth = nullptr;
  QCheckBox* CBDepthAuto = nullptr;
  QComboBox* CBFormat = nullptr;
  QComboBox* CBPercentFormat = nullptr;
  QGroupBox* GBHorizAxis = nullptr;
  QComboBox* CBHorizAxis = nullptr;
  QCheckBox* CBXDateTime = nullptr;
  QGroupBox* GBVertAxis = nullptr;
  QComboBox* CBVertAxis = nullptr;
  QCheckBox* CBYDateTime = nullptr;
  QCheckBox* CBZDateTime = nullptr;
  QLabel* LabelSort = nullptr;
  QComboBox* CBSort = nullptr;
  QCheckBox* CBShowInEditor = nullptr;
  // Marks.
  QTabWidget* PageControlMarks = nullptr;
  QWidget* TabMarksStyle = nullptr;
  QWidget* TabMarksArrows = nullptr;
  QWidget* TabMarksSymbol = nullptr;
  QCheckBox* CBMarksVisible = nullptr;
  QCheckBox* CBMarksClip = nullptr;
  TEditUpDown* SEMarksAngle = nullptr;
  TEditUpDown* SEDrawEvery = nullptr;
  QCheckBox* CBMultiLine = nullptr;
  QCheckBox* CBAllVisible = nullptr;
  TRadioGroup* RGMarksStyle = nullptr;
  TButtonPen* BMarksArrowPen = nullptr;
  TEditUpDown* SEArrowLength = nullptr;
  TEditUpDown* SEArrowDistance = nullptr;
  QPushButton* BPointer = nullptr;
  QComboBox* CBArrowHead = nullptr;
  TEditUpDown* SEArrowHeadSize = nullptr;
  QCheckBox* CBSymbolVisible = nullptr;
  QTabWidget* PageControlSymbol = nullptr;
  // Data source.
  QComboBox* CBDataSourcestyle = nullptr;
  QPushButton* BNew = nullptr;
  QPushButton* BEdit = nullptr;
  QPushButton* BDelete = nullptr;
  QWidget* PanelData = nullptr;
  QWidget* PanelRandom = nullptr;
  QLineEdit* ESamples = nullptr;
  QCheckBox* CBDefault = nullptr;
  QPushButton* BApplyRandom = nullptr;
  QPushButton* BClear = nullptr;

 protected:
  // The source editor may refuse the page closing.
  void closeEvent(QCloseEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void KorEvent(TKorEvent& Event) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void BuildForm();
  void BuildHeader();
  void BuildGeneral();
  void BuildMarks();
  void BuildDataSource();
  void Connect();
  void ConnectGeneral();
  void ConnectMarks();
  void ShowSeries(TChartSeries* Series);
  void ShowNoSeries();
  void ForgetSeries();
  void ShowHeader();
  void ShowTabs();
  void ReopenTab(const QString& Caption);
  // The controls of the current tab show the series.
  void RefreshPage();
  void RefreshGeneral();
  void RefreshAxes();
  void RefreshMarks();
  void DestroyMarksEditors();
  // After manual, random and function: each registered data-source class
  // that can feed series of the chart, by its description.
  void FillDataSourceChoices();
  // The choice of the registered class that claims Series' data source;
  // manual when none does.
  int SourceChoiceOf(const TChartSeries& Series) const;
  void SetTabDataSource();
  void CreateDataSourceForm();
  void DestroySourceEditor();
  void RefreshRandom();
  int SampleCount() const;
  void PaintBox1Paint();
  // A refused edit is reported and the controls show the series again.
  void Guarded(const std::function<void()>& Body);
  // Runs Body with the series when there is one.
  void Edit(const std::function<void(TChartSeries&)>& Body);
  bool IsTabShownFor(const QWidget* Tab) const;

  TChartSeries* FTheSeries = nullptr;  // not owned
  TChartSeries* FOldSeries = nullptr;  // the series shown before
  TCustomAxisPanel* FChart = nullptr;  // not owned
  // Skipped by SetCBSeries while the chart still lists it on its removal.
  TChartSeries* FRemoving = nullptr;
  TChartListBox* FChartListBox = nullptr;  // not owned
  QWidget* FSourceForm = nullptr;
  TChartGrid* FGrid = nullptr;
  TChartGridNavigator* FNavigator = nullptr;
  TFormKorShape* FMarksShapeForm = nullptr;
  TFormKorShape* FSymbolShapeForm = nullptr;
  // The data-source choice the source editor was made for (-1: none).
  int FDataSourceStyle = -1;
  // The page tab shown last, for refusing to leave the data source.
  int FLastPage = 0;
  bool FShowTabDataSource = true;
  bool FShowTabGeneral = true;
  bool FShowTabMarks = true;
  bool FShowPersistent = false;
  // Set while code fills the controls: changes then are not edits.
  bool FChanging = false;
};
