#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "analysis/Gofs2004.h"
#include "analysis/Guisettings.h"
#include "app/DirectoryChangeCheck.h"
#include "platform/ModalHooks.h"

class Configuration;
class QAction;
class QCloseEvent;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QRect;
class QShowEvent;
class QTabWidget;
class QTimer;
class TRadioGroup;
class TSedDataView;

// The main window (interaction role): the "Select data" tab browses run
// directories and offers the channels of the chosen one, the "Report" and
// "Compare" tabs dock the report builder and the comparison, and every
// launched data viewer gets a tab of its own. The channel masks, the
// directory walk and the channel choices are plain logic in ChannelMaskList
// and SubdirectoryWalk; this class keeps their state and the controls.
class TKorvaleForm : public QMainWindow {
 public:
  static constexpr int TimerInterval = 987;              // ms
  static constexpr int DataDirectoryDisplayLength = 25;  // characters
  static constexpr int ViewerNameDisplayLength = 20;     // characters
  static constexpr int FirstViewerPage = 3;              // after the three fixed tabs
  // The window's size at start, in pixels: on a 1366 x 768 laptop screen
  // it leaves room for a desktop panel of 30 and for the title bar and
  // frame, of at most FrameAllowance, that a window manager adds.
  static constexpr int DefaultWidth = 1100;
  static constexpr int DefaultHeight = 690;
  static constexpr int FrameAllowance = 48;
  static const QString FormCaption;
  // The program's title (message boxes, task bar), set by the main routine.
  static const QString ApplicationTitle;
  static const QString NoChannelText;
  static const QString CreateFailedText;
  static const QString LaunchFailedText;
  static const QString AvailableDataTitle;
  // Channel group captions for a directory without channels and a root
  // without run directories; the directory follows.
  static const QString NoScanFilesText;
  static const QString NoRunDirectoriesText;
  // What the file list shows after a name that is no regular file.
  static const QString NotARegularFileText;

  explicit TKorvaleForm(QWidget* AOwner = nullptr);
  ~TKorvaleForm() override;

  // ---- start and end
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void Exit1Click();

  // ---- run directories and channels
  void btnSetInputDirClick();
  void ButtonRefreshSubdirectoriesClick();
  void Refreshsubdirectorylist2Click();
  void ListBoxDataDirsClick();
  // Takes the current item of ListBoxDataDirs, however it became current
  // (mouse, arrow keys, Home or End, a typed letter), when it is not the
  // data directory already: the panes and a launch follow it.
  void FollowCurrentDataDirectory();
  void RadioGroupChannelsClick();
  // Refreshes the channel choices of Dir: lists it once and rebuilds the
  // choices only when a channel without a flag has files.
  void UpdateDirChannels(const QString& Dir);
  void Timer1Timer();
  void AddChannelMasks(const QString& TypeLetters);
  // Appends every directory below Dir (ending with "/") to SubdirectoryList;
  // false when Dir cannot be read.
  bool CollectSubdirectories(const QString& Dir);
  bool DirectoryHasScanData(const QString& Dir) const;
  bool RescanRootDirectory();
  void ResetChannelFlags();
  bool ShowDirectoryPanels(bool Visible);
  void AllowDirSearchClick();

  // ---- files of the chosen directory
  void FileListBox1Click();
  // The preview follows the list's keyboard selection; a click previews
  // through FileListBox1Click.
  void FileListBox1Change();
  void ButtonRefreshFileListClick();
  // The program has no text viewer and no settings window: these two do
  // nothing (their button is disabled, their menu item hidden).
  void ShowTxtBtnClick() {}
  void S11Click() {}

  // ---- viewers
  void ButtonLaunchClick();
  // Creates a viewer of the chosen channel on a new tab. Throws when the
  // viewer could not be set up; the tab and list items made so far are gone
  // again by then.
  void LaunchViewer();
  // Closes the viewer on the active tab; it is freed once control returns to
  // the event loop, so its own close button may call this.
  void CloseSheetClick(QObject* Sender = nullptr);
  void PCChange();
  // Paints tab TabIndex of the page control into Rect.
  void PCDrawTab(QPainter& Painter, int TabIndex, const QRect& Rect);
  void ListBoxOpenWindowsClick() {}
  void ButtonFocusWindowClick();
  void TestBtnClick() {}

  // ---- other windows
  void Configuration1Click();
  void ExtractaBeckmantargzfile1Click();
  void Recompose1Click();

  // ---- helpers
  // A form to be docked: no border, no system menu, minimise or maximise.
  static void EmbedChildForm(QWidget& Form);
  QString ReadLastDirectory();
  bool SaveLastDirectory(const QString& Path);
  // Path when it has at most N + 3 characters, otherwise "..." and its last
  // N - 2 characters.
  static QString ShortenPathForDisplay(const QString& Path, int N);
  // The viewer an item of an open-window list stands for (Qt::UserRole holds
  // it as a QObject*), or nullptr.
  static TSedDataView* ViewerOfItem(const QListWidgetItem* Item);

  // ---- state read by tests
  const std::vector<unsigned char>& GetChannelPresent() const { return ChannelPresent; }
  int GetChannelMaskCount() const { return ChannelMaskCount; }
  int GetSelectedMaskIndex() const { return SelectedMaskIndex; }
  const QString& GetDataDirectory() const { return DataDirectory; }
  const QStringList& GetSubdirectoryList() const { return SubdirectoryList; }
  const QStringList& GetChannelMasks() const { return ChannelMasks; }
  bool GetChildrenEmbedded() const { return ChildrenEmbedded; }
  ::GuiSettings& GetGuiSettings() { return GuiSettings; }
  ::GofsSettings& GetGofsSettings() { return GofsSettings; }
  const QString& GetRememberedRoot() const { return RememberedRoot; }
  bool GetDirSearchToggled() const { return DirSearchToggled; }
  const QString& GetFileListDirectory() const { return FileListDirectory; }
  // The viewers of the open tabs, in tab order.
  std::vector<TSedDataView*> OpenViewers() const;

  // ---- controls
  QTabWidget* PC = nullptr;
  QWidget* MainSheet = nullptr;
  QWidget* ReportSheet = nullptr;
  QWidget* CompareSheet = nullptr;
  QWidget* Panel3 = nullptr;
  QLabel* RootDir = nullptr;
  QPushButton* btnSetInputDir = nullptr;
  QWidget* Panel6 = nullptr;
  QPlainTextEdit* DirectionsMemo = nullptr;
  QListWidget* ListBoxDataDirs = nullptr;
  TRadioGroup* RadioGroupChannels = nullptr;
  QPushButton* ButtonLaunch = nullptr;
  QLabel* SourceDirTxt = nullptr;
  QListWidget* FileListBox1 = nullptr;
  QPushButton* ShowTxtBtn = nullptr;
  QWidget* ViewPanel = nullptr;
  QWidget* OpenViewerPanel = nullptr;
  QListWidget* ListBoxOpenWindows = nullptr;
  QTimer* Timer1 = nullptr;
  // Main menu
  QAction* Exit1 = nullptr;
  QAction* ExtractaBeckmantargzfile1 = nullptr;
  QAction* Refreshsubdirectorylist1 = nullptr;
  QAction* Refreshfilelist1 = nullptr;
  QAction* S11 = nullptr;
  QAction* Configuration1 = nullptr;
  // Pop-up menu of the page control and panels
  QMenu* PopupMenu1 = nullptr;
  QAction* Refreshsubdirectorylist2 = nullptr;
  QAction* AllowDirSearch = nullptr;
  QAction* ExtractaBeckmantargzfile2 = nullptr;
  // Presets of an open dialog that no command opens.
  TFileDialogRequest OpenDialog1;

 protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

 private:
  void BuildForm();
  QWidget* BuildSelectDataSheet();
  QWidget* BuildRootRow();
  QWidget* BuildDirectionsPanel();
  QWidget* BuildFilePanel();
  void BuildMenus();
  // True when the pop-up menu belongs at At in Widget: over the main window's
  // own controls, not over the viewers, report and comparison on its tabs.
  bool OwnControlAt(const QWidget& Widget, const QPoint& At) const;
  void WireHandlers();
  bool EmbedViewAScan();
  bool EmbedCompareForm();
  bool EmbedReportForm();
  void ListDataDirectories(bool RootWhenNoSubdirectories, const QString& Root);
  // Chooses the first listed data directory below Root, or says there is none.
  void ChooseFirstDirectoryOf(const QString& Root);
  // No data directory chosen: no files, no channels.
  void ForgetDataDirectory();
  void FillFileList(const QString& Dir);
  void ShowChannelChoices(const QStringList& Items, int ItemIndex);
  QString UniqueViewerName(const QString& ChannelText) const;
  void SetUpViewer(TSedDataView& Viewer, const QString& ChannelText);
  void ListOpenViewer(TSedDataView& Viewer, const QString& DisplayName);
  void UnlistViewer(const TSedDataView* Viewer);
  void CloseViewersTagged(int Tag);
  void CloseAllViewers();

  // Own fields, in the order the window declares them.
  std::vector<unsigned char> ChannelPresent;
  int ChannelMaskCount = 0;
  int SelectedMaskIndex = -1;
  QString DataDirectory;
  QStringList SubdirectoryList;
  QStringList ChannelMasks;
  bool ChildrenEmbedded = false;
  ::GuiSettings GuiSettings;
  ::GofsSettings GofsSettings;
  QString RememberedRoot;
  bool DirSearchToggled = false;
  // The item the user chose last, so that a rebuild of the choices keeps a
  // reference or sample sector the user picked.
  QString SelectedItemText;
  // Chosen roots without subdirectories, each listed as a data directory.
  QStringList BareRoots;
  // Tags only rise: a tag freed by a closed viewer is never handed out
  // again, so closing by tag closes exactly one viewer.
  int NextViewerTag = FirstViewerPage;
  QString FileListDirectory;
  std::unique_ptr<Configuration> FOwnConfiguration;
  // Lets the timer skip listing a data directory that did not change.
  DirectoryChangeCheck DataDirectoryCheck;
};

// The program's main window; set by the first one constructed.
extern QPointer<TKorvaleForm> KorvaleForm;
