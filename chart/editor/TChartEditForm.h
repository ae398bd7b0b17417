#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

#include "chart/editor/ChartEditorTypes.h"
#include "platform/TComponent.h"
#include "platform/TPersistent.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScreen;
class QShowEvent;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TChartAxis;
class TChartListBox;
class TChartSeries;
class TChartTitle;
class TCustomChart;
class TCustomChartWall;
class TKorCustomTool;
class TSeriesGroup;

// The tab of the series page that an entry point asks for.
enum class TEditorSeriesTab { estFormat, estGeneral, estMarks, estMarksSymbol, estDataSource };

// The chart editor dialog (interaction role): a "Chart" page with sub-pages
// for the series list and the chart's parts, and pages for the selected
// series, the data, the tools, export and print preview. Each page's editor
// comes from the page register and is made the first time its page is
// shown; tabs without a registered editor stay hidden. The dialog keeps its
// position and size in the editor options between runs when asked to.
class TChartEditForm : public QDialog, public TComponent {
 public:
  explicit TChartEditForm(QWidget* Parent = nullptr);
  ~TChartEditForm() override;

  TCustomChart* GetChart() const { return FChart; }
  // Also enables the page controls (only with a chart) and, with either
  // remember flag, restores the position and size stored for the dialog.
  void SetChart(TCustomChart* Value);

  bool GetRememberPosition() const { return FRememberPosition; }
  void SetRememberPosition(bool Value) { FRememberPosition = Value; }
  bool GetRememberSize() const { return FRememberSize; }
  void SetRememberSize(bool Value) { FRememberSize = Value; }
  bool GetTreeVisible() const { return FTreeVisible; }
  void SetTreeVisible(bool Value) { FTreeVisible = Value; }
  TChartEditorOptions GetOptions() const { return FOptions; }
  // Also decides which series list buttons exist and what they allow.
  void SetOptions(TChartEditorOptions Value);
  bool GetHighLightTabs() const { return FHighLightTabs; }
  void SetHighLightTabs(bool Value) { FHighLightTabs = Value; }
  // NoEditorTab, or a TChartEditorTab.
  int GetDefaultTab() const { return FDefaultTab; }
  void SetDefaultTab(int Value) { FDefaultTab = Value; }
  TChartEditorHiddenTabs GetHiddenTabs() const { return FHiddenTabs; }
  void SetHiddenTabs(TChartEditorHiddenTabs Value) { FHiddenTabs = Value; }

  // What to open: the series page reads the series and its tab, the axis,
  // titles, walls and tools pages their object (none: the page's default).
  TChartSeries* GetEditSeries() const { return FEditSeries; }
  void SetEditSeries(TChartSeries* Value) { FEditSeries = Value; }
  TEditorSeriesTab GetSeriesTab() const { return FSeriesTab; }
  void SetSeriesTab(TEditorSeriesTab Value) { FSeriesTab = Value; }
  TChartAxis* GetTheAxis() const { return FTheAxis; }
  void SetTheAxis(TChartAxis* Value) { FTheAxis = Value; }
  TChartTitle* GetTheTitle() const { return FTheTitle; }
  void SetTheTitle(TChartTitle* Value) { FTheTitle = Value; }
  TCustomChartWall* GetTheWall() const { return FTheWall; }
  void SetTheWall(TCustomChartWall* Value) { FTheWall = Value; }
  TKorCustomTool* GetTheTool() const { return FTheTool; }
  void SetTheTool(TKorCustomTool* Value) { FTheTool = Value; }

  // The editor docked in Tab, or nullptr while it has not been made.
  QWidget* PageEditor(const QWidget* Tab) const;
  // Whether the tab is offered (not hidden) in its page control.
  bool IsTabShown(const QWidget* Tab) const;
  // Shows Tab (a sub-page opens the "Chart" page too); a page that shows
  // one object (series, axis, title, wall) is made for the object set now.
  void OpenPage(QWidget* Tab);

  // Handed to the series list page, which calls it when the user reorders
  // the series.
  TNotifyEvent OnChangeSeriesOrder;

  // Handlers.
  void FormShow();
  void MainPageChange();
  void SubPageChange();
  void TreeChange(QTreeWidgetItem* Node);
  void BCloseClick();
  // The series list page.
  void LBSeriesRefreshButtons();
  void BAddSeriesClick();
  void BDeleteSeriesClick();
  void BRenameSeriesClick();
  void BCloneSeriesClick();
  void BChangeTypeSeriesClick();
  void BMoveUPClick();
  void BMoveDownClick();
  void CBNamesClick();
  // The groups panel (with ceGroups): choosing a group filters the list,
  // checking it shows or hides its series.
  void GroupsClick();
  void GroupsCheck(QListWidgetItem* Item);
  // A series dragged from the list and dropped at Global (screen
  // coordinates): over a group of Groups it joins that group.
  void DropSeriesOnGroup(TChartSeries* Series, const QPoint& Global);
  void BAddGroupClick();
  void BDeleteGroupClick();
  void BRenameGroupClick();
  void FillGroups();
  // The group listed in row Row of Groups; none for the "all" row.
  TSeriesGroup* GroupOfRow(int Row) const;

  QTabWidget* MainPage;
  QWidget* TabChart;
  QWidget* TabSeries;
  QWidget* TabData;
  QWidget* TabTools;
  QWidget* TabExport;
  QWidget* TabPrint;
  QTabWidget* SubPage;
  QWidget* TabSeriesList;
  QWidget* TabGeneral;
  QWidget* TabAxis;
  QWidget* TabTitle;
  QWidget* TabLegend;
  QWidget* TabPanel;
  QWidget* TabPaging;
  QWidget* TabWalls;
  QWidget* Tab3D;
  TChartListBox* LBSeries;
  QPushButton* BAddSeries;
  QPushButton* BDeleteSeries;
  QPushButton* BRenameSeries;
  QPushButton* BCloneSeries;
  QPushButton* BChangeTypeSeries;
  QPushButton* BMoveUP;
  QPushButton* BMoveDown;
  QCheckBox* CBNames;
  QWidget* PanelGroups;
  QListWidget* Groups;
  QPushButton* BAddGroup;
  QPushButton* BDeleteGroup;
  QPushButton* BRenameGroup;
  QWidget* PanBottom;
  QPushButton* ButtonHelp;
  QPushButton* BClose;
  QLabel* LabelURL;
  QTreeWidget* Tree;
  QSplitter* TreeSplitter;

 protected:
  void showEvent(QShowEvent* Event) override;
  // Escape and the window's close button: the series page may refuse.
  void reject() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void BuildForm();
  void BuildSeriesList();
  void ConnectSeriesList();
  void FormCreate();
  void ApplyOptions();
  bool HasOption(TChartEditorOption Option) const { return (FOptions & EditorOption(Option)) != 0; }
  // The series page shows forms of the series it had; after a delete or a
  // type change it makes them again.
  void ForgetSeriesForms();
  // Whether the series page (its source editor) lets the user leave it.
  bool SeriesPageAllows();
  void SeriesRemoved(TChartSeries* Series);
  void FillGroupStates();
  void FormDestroy();
  void RestorePlacement();
  void SavePlacement();
  void KeepOnScreen();
  // The window that shows the chart, else the window that was active;
  // none when that is the dialog itself.
  const QWidget* ChartWindow() const;
  // The screen the dialog opens on: that of its stored place, else that
  // of the chart's window, else the primary one.
  QScreen* OpeningScreen() const;
  // Without a stored position: centred over the chart's window (over its
  // screen when there is none), kept on the screen.
  void PlaceOverChartWindow();
  // Moves the dialog, as little as it takes, to lie whole on Screen's
  // available area (its top left corner kept on it when it is larger).
  void MoveOnto(const QScreen& Screen);
  // Gives every shown tab whose page is not made yet the room its page
  // will take (the page is made off-screen once to learn it).
  void ReservePageRoom();
  // The stored or default size, grown to what the pages need and shrunk
  // to the screen the dialog opens on.
  void FitOpeningSize();
  void HideTabs();
  void OpenDefaultTab();
  void OpenSubPage(int Index);
  void OpenMainPage(QWidget* Tab);
  void OpenSeries();
  // Makes the page's editor when it has none yet.
  void EnsurePageEditor(QWidget* Tab);
  void RemakePageEditor(QWidget* Tab);
  void HighLight(QTabWidget* Pages);
  void BuildTree();
  QTreeWidgetItem* AddNode(QTreeWidgetItem* Parent, const QString& Text, QWidget* Tab);
  void ShowTab(QWidget* Tab);

  int FTreeWidth = 0;  // of the pages part when the tree is shown
  TCustomChart* FChart = nullptr;
  TChartAxis* FTheAxis = nullptr;
  TChartTitle* FTheTitle = nullptr;
  TKorCustomTool* FTheTool = nullptr;
  TCustomChartWall* FTheWall = nullptr;
  TChartSeries* FEditSeries = nullptr;
  int FDefaultTab = NoEditorTab;
  TChartEditorOptions FOptions = DefaultChartEditorOptions;
  TChartEditorHiddenTabs FHiddenTabs = 0;
  TEditorSeriesTab FSeriesTab = TEditorSeriesTab::estFormat;
  bool FHighLightTabs = false;
  bool FRememberPosition = true;
  bool FRememberSize = true;
  bool FTreeVisible = false;
  // Whether a stored position placed the dialog.
  bool FPlaced = false;
  // caches: the default size this screen gives the dialog, for telling
  // whether the user resized it.
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  // The size it opens with when none is stored: the default grown to
  // what the pages need on the screen it opened on (invalid before it is
  // shown).
  QSize FOpeningDefault;
  // The main page shown last, to go back to when the series page refuses
  // being left.
  QWidget* FLastMainPage = nullptr;
};

// Called with the dialog and no page when it is shown, and with the page
// whenever a page of the main page control other than Series, Data,
// Tools, Export or Print is shown.
using TKorOnShowEditor = std::function<void(TChartEditForm& Form, QWidget* Page)>;
std::vector<TKorOnShowEditor>& KorOnShowEditor();

// Offers the "View Series Names" check box also on charts that are not
// being designed.
extern bool KorSeriesNamesRuntime;
