#include "app/KorvaleUnit.h"

#include "app/BrowseForFolder.h"
#include "app/ChannelMaskList.h"
#include "app/Configuration.h"
#include "app/KorvaleTabBar.h"
#include "app/ScanFileNames.h"
#include "app/SubdirectoryWalk.h"
#include "app/TarHandler.h"
#include "app/UnitKorvaleCompare.h"
#include "app/UnitSedDataView.h"
#include "app/UnitViewAScan.h"
#include "app/Unitrecompose.h"
#include "app/report/FileReporter.h"

#include "analysis/Realtimegofs.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "platform/Cursors.h"
#include "platform/FormatSettings.h"
#include "platform/MessageBox.h"
#include "platform/QtGuard.h"
#include "platform/TColor.h"
#include "platform/TElidedLabel.h"
#include "platform/TRadioGroup.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

#include <sys/stat.h>

QPointer<TKorvaleForm> KorvaleForm;

const QString TKorvaleForm::FormCaption = QStringLiteral("Korvale  1.20");
const QString TKorvaleForm::ApplicationTitle = QStringLiteral("KorVale");
const QString TKorvaleForm::NoChannelText =
    QStringLiteral("No Channel selected, cannot launch viewing window");
const QString TKorvaleForm::CreateFailedText = QStringLiteral("Failed to create the SedData form");
const QString TKorvaleForm::LaunchFailedText = QStringLiteral("Launch failed");
const QString TKorvaleForm::AvailableDataTitle = QStringLiteral("Available data");
const QString TKorvaleForm::NotARegularFileText = QStringLiteral("  (not a regular file)");
const QString TKorvaleForm::NoScanFilesText = QStringLiteral("No scan files found in ");
const QString TKorvaleForm::NoRunDirectoriesText =
    QStringLiteral("No run directories with scan files found in ");

namespace {

// The viewer a tab page holds. The viewer class carries no meta-object of
// its own, so a typed child search would match any widget on the page.
TSedDataView* ViewerOnPage(const QWidget* Page) {
  if (Page == nullptr) return nullptr;
  for (QObject* child : Page->children())
    if (auto* viewer = dynamic_cast<TSedDataView*>(child)) return viewer;
  return nullptr;
}

const QString DirectorySection = QStringLiteral("Directory");
const QString LastDirectoryKey = QStringLiteral("LastDirectory");
const char* const SheetTagProperty = "KorvaleSheetTag";

void Tell(const QString& Text) {
  ShowMessageBox(Text.toStdString());
}

// A tab widget that takes the owner-drawn, multi-row tab bar (setTabBar is
// protected); every tab is drawn by the window's PCDrawTab.
class TKorvalePageControl : public QTabWidget {
 public:
  TKorvalePageControl(TKorvaleForm& Form, QWidget* Parent) : QTabWidget(Parent) {
    auto drawTab = [&Form](QPainter& Painter, int TabIndex, const QRect& Rect) {
      Form.PCDrawTab(Painter, TabIndex, Rect);
    };
    setTabBar(new TKorvaleTabBar(drawTab, this));
  }
};

struct TTabColours {
  TColor Brush;
  TColor Font;
};

TTabColours TabColours(int TabIndex) {
  switch (TabIndex) {
    case 0: return {clBlue, clWhite};
    case 1: return {clYellow, clBlack};
    case 2: return {clGreen, clWhite};
    default: return {clMoneyGreen, clBlack};
  }
}

int SheetTag(const QWidget* Sheet) {
  return Sheet != nullptr ? Sheet->property(SheetTagProperty).toInt() : 0;
}

// Deletes, from the end, every item of List whose viewer Matches.
template <class Predicate>
void RemoveItems(QListWidget& List, Predicate Matches) {
  for (int i = List.count() - 1; i >= 0; --i)
    if (Matches(TKorvaleForm::ViewerOfItem(List.item(i)))) delete List.takeItem(i);
}

QListWidgetItem* NewViewerItem(const QString& Text, TSedDataView& Viewer) {
  auto* item = new QListWidgetItem(Text);
  item->setData(Qt::UserRole, QVariant::fromValue<QObject*>(&Viewer));
  // Shortened names of channels whose directories end alike read the same.
  item->setToolTip(Viewer.windowTitle());
  return item;
}

// A caption that shows a path shows it as it is: an "&" in a directory's
// name must not make an Alt+letter of the caption's.
QString LiteralCaption(const QString& Text) {
  return QString(Text).replace(u'&', QStringLiteral("&&"));
}

}  // namespace

// ------------------------------------------------------------ construction

TKorvaleForm::TKorvaleForm(QWidget* AOwner) : QMainWindow(AOwner) {
  DataDirectory = QStringLiteral(" ");
  if (Configuration::Instance() == nullptr)
    FOwnConfiguration =
        std::make_unique<Configuration>(nullptr, QStringLiteral("0"), QStringLiteral("0"));
  BuildForm();
  setWindowTitle(FormCaption);
  ChildrenEmbedded = EmbedViewAScan() && EmbedCompareForm() && EmbedReportForm();
  DirSearchToggled = false;
  FormCreate();
  WireHandlers();
  if (KorvaleForm.isNull()) KorvaleForm = this;
  Timer1->start();
}

TKorvaleForm::~TKorvaleForm() {
  Timer1->stop();
  FormDestroy();
  // Viewers first: they take themselves out of the lists of the comparison
  // and of this window, which must still exist then.
  CloseAllViewers();
  FOwnConfiguration.reset();  // writes the file
  // The docked windows are this window's: they go before the settings.
  if (ViewAScan && isAncestorOf(ViewAScan)) delete ViewAScan.data();
  if (KorvaleCompare && isAncestorOf(KorvaleCompare)) delete KorvaleCompare.data();
}

void TKorvaleForm::FormCreate() {
  SelectedMaskIndex = -1;
  FillFileList(QString());
  ChannelMasks.clear();
  for (const char* type : {"IP", "RA", "RI", "FI"}) AddChannelMasks(QString::fromLatin1(type));
  ChannelMaskList::AddSectorMasks(ChannelMasks);
  ChannelMaskCount = static_cast<int>(ChannelMasks.size());
  ChannelPresent.assign(static_cast<size_t>(ChannelMaskCount) + 1, 0);
}

void TKorvaleForm::FormShow() {
  PC->setCurrentWidget(ReportSheet);
  PC->setCurrentWidget(MainSheet);
  if (FileRptFrm) FileRptFrm->FormShow();
}

void TKorvaleForm::FormDestroy() {
  ChannelPresent.clear();
}

void TKorvaleForm::Exit1Click() {
  close();
}

void TKorvaleForm::showEvent(QShowEvent* Event) {
  QMainWindow::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TKorvaleForm::closeEvent(QCloseEvent* Event) {
  bool mayClose = true;
  RunGuarded([&] { mayClose = FileRptFrm.isNull() || FileRptFrm->QueryCloseReport(); });
  if (!mayClose) {
    Event->ignore();
    return;
  }
  // What the user changed in the configuration is not left to the timer.
  RunGuarded([] {
    if (Configuration* config = Configuration::Instance()) config->FlushIfDirty();
  });
  Event->accept();
}

// ------------------------------------------------------------ form layout

void TKorvaleForm::BuildForm() {
  QSize size(DefaultWidth, DefaultHeight);
  // A smaller screen gets a smaller window, frame and all on it.
  if (const QScreen* shown = screen())
    size =
        size.boundedTo(shown->availableGeometry().size() - QSize(FrameAllowance, FrameAllowance));
  resize(size);
  PC = new TKorvalePageControl(*this, this);
  setCentralWidget(PC);
  MainSheet = BuildSelectDataSheet();
  ReportSheet = new QWidget;
  CompareSheet = new QWidget;
  for (QWidget* sheet : {ReportSheet, CompareSheet}) {
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  PC->addTab(MainSheet, QStringLiteral("Select data"));
  PC->addTab(ReportSheet, QStringLiteral("Report"));
  PC->addTab(CompareSheet, QStringLiteral("Compare"));
  Timer1 = new QTimer(this);
  Timer1->setInterval(TimerInterval);
  BuildMenus();
  OpenDialog1.Kind = TFileDialogKind::fdOpen;
  OpenDialog1.Filter = QStringLiteral("XLA-XLI Scan Files|*.scn|all files|*.*");
  OpenDialog1.Title = QStringLiteral("Choose the scan (*.scn) file in the root data directory");
}

QWidget* TKorvaleForm::BuildSelectDataSheet() {
  auto* sheet = new QWidget;
  auto* layout = new QVBoxLayout(sheet);
  layout->addWidget(BuildRootRow());
  layout->addWidget(BuildDirectionsPanel());
  auto* row = new QHBoxLayout;
  layout->addLayout(row, 1);

  auto* left = new QVBoxLayout;
  row->addLayout(left, 2);
  left->addWidget(new QLabel(QStringLiteral("Data directories")));
  ListBoxDataDirs = new QListWidget;
  left->addWidget(ListBoxDataDirs, 2);
  RadioGroupChannels = new TRadioGroup(AvailableDataTitle);
  RadioGroupChannels->SetColumns(4);
  left->addWidget(RadioGroupChannels, 1);
  ButtonLaunch = new QPushButton(QStringLiteral("&Launch a viewer"));
  left->addWidget(ButtonLaunch);
  OpenViewerPanel = new QWidget;
  auto* openLayout = new QVBoxLayout(OpenViewerPanel);
  openLayout->setContentsMargins(0, 0, 0, 0);
  ListBoxOpenWindows = new QListWidget;
  openLayout->addWidget(ListBoxOpenWindows);
  OpenViewerPanel->setVisible(false);
  left->addWidget(OpenViewerPanel);

  row->addWidget(BuildFilePanel(), 3);
  return sheet;
}

QWidget* TKorvaleForm::BuildRootRow() {
  Panel3 = new QWidget;
  auto* layout = new QHBoxLayout(Panel3);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Root directory:")));
  // A long root must not widen the window: it is shortened, whole in the tool tip.
  RootDir = new TElidedLabel(QStringLiteral("None selected"));
  RootDir->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(RootDir, 1);
  btnSetInputDir = new QPushButton(QStringLiteral("&Select"));
  layout->addWidget(btnSetInputDir);
  return Panel3;
}

QWidget* TKorvaleForm::BuildDirectionsPanel() {
  Panel6 = new QWidget;
  auto* layout = new QVBoxLayout(Panel6);
  layout->setContentsMargins(0, 0, 0, 0);
  DirectionsMemo = new QPlainTextEdit;
  DirectionsMemo->setReadOnly(true);
  DirectionsMemo->setPlainText(
      QStringLiteral("Select a root directory: every directory below it that holds scan files "
                     "is listed. Choose a directory, then one of its data types, and launch a "
                     "viewer. Multiple root directories and directories  may be used"));
  DirectionsMemo->setMaximumHeight(DirectionsMemo->fontMetrics().lineSpacing() * 3 + 12);
  layout->addWidget(DirectionsMemo);
  return Panel6;
}

QWidget* TKorvaleForm::BuildFilePanel() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  SourceDirTxt = new QLabel;
  layout->addWidget(SourceDirTxt);
  auto* row = new QHBoxLayout;
  layout->addLayout(row, 1);
  auto* files = new QVBoxLayout;
  row->addLayout(files, 1);
  FileListBox1 = new QListWidget;
  files->addWidget(FileListBox1, 1);
  ShowTxtBtn = new QPushButton(QStringLiteral("Show text file"));
  ShowTxtBtn->setEnabled(false);  // the program has no text viewer
  files->addWidget(ShowTxtBtn);
  ViewPanel = new QWidget;
  auto* view = new QVBoxLayout(ViewPanel);
  view->setContentsMargins(0, 0, 0, 0);
  row->addWidget(ViewPanel, 3);
  return panel;
}

void TKorvaleForm::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  Exit1 = file->addAction(QStringLiteral("&Exit"));
  QMenu* action = menuBar()->addMenu(QStringLiteral("&Action"));
  ExtractaBeckmantargzfile1 = action->addAction(QStringLiteral("Extract a Beckman tar.gz file"));
  Refreshsubdirectorylist1 = action->addAction(QStringLiteral("Refresh subdirectory list"));
  Refreshfilelist1 = action->addAction(QStringLiteral("Refresh file list"));
  // Alt+S is the root folder's "&Select", and Alt+E the report editor's
  // "&Edit", shown below this menu on the "Report" tab.
  QMenu* settings = menuBar()->addMenu(QStringLiteral("Se&ttings"));
  S11 = settings->addAction(QStringLiteral("&Program Settings"));
  S11->setVisible(false);
  Configuration1 = settings->addAction(QStringLiteral("Configuration"));

  PopupMenu1 = new QMenu(this);
  Refreshsubdirectorylist2 = PopupMenu1->addAction(QStringLiteral("Refresh subdirectory list"));
  AllowDirSearch = PopupMenu1->addAction(QStringLiteral("Search other directories"));
  AllowDirSearch->setCheckable(true);
  AllowDirSearch->setChecked(true);
  ExtractaBeckmantargzfile2 =
      PopupMenu1->addAction(QStringLiteral("Extract a Beckman tar.gz file"));
  for (QWidget* w : {static_cast<QWidget*>(PC), Panel3, Panel6}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint& At) {
      if (OwnControlAt(*w, At)) PopupMenu1->popup(w->mapToGlobal(At));
    });
  }
}

bool TKorvaleForm::OwnControlAt(const QWidget& Widget, const QPoint& At) const {
  const QWidget* under = Widget.childAt(At);
  if (under == nullptr || &Widget != PC) return true;
  return under == PC->tabBar() || under == MainSheet || MainSheet->isAncestorOf(under);
}

void TKorvaleForm::WireHandlers() {
  const auto guarded = [this](void (TKorvaleForm::*Handler)()) {
    return [this, Handler] { RunGuarded([&] { (this->*Handler)(); }); };
  };
  connect(Timer1, &QTimer::timeout, this, guarded(&TKorvaleForm::Timer1Timer));
  connect(btnSetInputDir, &QPushButton::clicked, this, guarded(&TKorvaleForm::btnSetInputDirClick));
  connect(ButtonLaunch, &QPushButton::clicked, this, guarded(&TKorvaleForm::ButtonLaunchClick));
  connect(ShowTxtBtn, &QPushButton::clicked, this, guarded(&TKorvaleForm::ShowTxtBtnClick));
  connect(ListBoxDataDirs, &QListWidget::currentItemChanged, this,
          guarded(&TKorvaleForm::FollowCurrentDataDirectory));
  // Return or a double click takes the directory afresh.
  connect(ListBoxDataDirs, &QListWidget::itemActivated, this,
          guarded(&TKorvaleForm::ListBoxDataDirsClick));
  connect(FileListBox1, &QListWidget::itemClicked, this, guarded(&TKorvaleForm::FileListBox1Click));
  connect(FileListBox1, &QListWidget::currentRowChanged, this,
          guarded(&TKorvaleForm::FileListBox1Change));
  connect(ListBoxOpenWindows, &QListWidget::itemClicked, this,
          guarded(&TKorvaleForm::ListBoxOpenWindowsClick));
  RadioGroupChannels->OnClick = [this](TRadioGroup*) {
    RunGuarded([this] { RadioGroupChannelsClick(); });
  };
  connect(PC, &QTabWidget::currentChanged, this, guarded(&TKorvaleForm::PCChange));
  connect(Exit1, &QAction::triggered, this, guarded(&TKorvaleForm::Exit1Click));
  connect(ExtractaBeckmantargzfile1, &QAction::triggered, this,
          guarded(&TKorvaleForm::ExtractaBeckmantargzfile1Click));
  // The pop-up's item of the same caption does the same.
  connect(ExtractaBeckmantargzfile2, &QAction::triggered, this,
          guarded(&TKorvaleForm::ExtractaBeckmantargzfile1Click));
  connect(Refreshsubdirectorylist1, &QAction::triggered, this,
          guarded(&TKorvaleForm::ButtonRefreshSubdirectoriesClick));
  connect(Refreshfilelist1, &QAction::triggered, this,
          guarded(&TKorvaleForm::ButtonRefreshFileListClick));
  connect(S11, &QAction::triggered, this, guarded(&TKorvaleForm::S11Click));
  connect(Configuration1, &QAction::triggered, this, guarded(&TKorvaleForm::Configuration1Click));
  connect(Refreshsubdirectorylist2, &QAction::triggered, this,
          guarded(&TKorvaleForm::Refreshsubdirectorylist2Click));
  connect(AllowDirSearch, &QAction::triggered, this, guarded(&TKorvaleForm::AllowDirSearchClick));
}

// ------------------------------------------------------------ docked windows

void TKorvaleForm::EmbedChildForm(QWidget& Form) {
  Form.setWindowFlags(Qt::Widget | Qt::FramelessWindowHint);
}

bool TKorvaleForm::EmbedViewAScan() {
  try {
    auto* preview = new TViewAScan(this);
    EmbedChildForm(*preview);
    preview->setParent(ViewPanel);
    ViewPanel->layout()->addWidget(preview);
    preview->show();
    ViewAScan = preview;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TKorvaleForm::EmbedCompareForm() {
  try {
    auto* compare = new TKorvaleCompare(this);
    EmbedChildForm(*compare);
    compare->setParent(CompareSheet);
    CompareSheet->layout()->addWidget(compare);
    compare->show();
    KorvaleCompare = compare;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TKorvaleForm::EmbedReportForm() {
  try {
    auto* report = new TFileRptFrm(this);
    EmbedChildForm(*report);
    report->setParent(ReportSheet);
    ReportSheet->layout()->addWidget(report);
    FileRptFrm = report;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// ------------------------------------------------------------ configuration

QString TKorvaleForm::ReadLastDirectory() {
  Configuration* config = Configuration::Instance();
  if (config == nullptr) return QString();
  try {
    if (config->ValueExists(DirectorySection, LastDirectoryKey))
      return config->ReadString(DirectorySection, LastDirectoryKey, QString());
    SaveLastDirectory(QString());
  } catch (const std::exception&) {
    // The chooser then starts at its own default folder.
  }
  return QString();
}

bool TKorvaleForm::SaveLastDirectory(const QString& Path) {
  Configuration* config = Configuration::Instance();
  if (config == nullptr) return false;
  try {
    config->WriteString(DirectorySection, LastDirectoryKey, Path);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TKorvaleForm::Configuration1Click() {
  if (Configuration* config = Configuration::Instance())
    config->EditFile(this);
  else
    Tell(QStringLiteral("There is no configuration file to edit."));
}

// ------------------------------------------------------------ run directories

void TKorvaleForm::AddChannelMasks(const QString& TypeLetters) {
  ChannelMaskList::AddChannelMasks(ChannelMasks, TypeLetters);
}

void TKorvaleForm::btnSetInputDirClick() {
  TDirBrowser browser(nullptr, this);
  browser.SetCaption(QStringLiteral("Select folder where AUC files may be found"));
  browser.SetInitialPath(ReadLastDirectory());
  if (!browser.Execute()) return;
  const QString root = SubdirectoryWalk::WithTrailingDelimiter(browser.GetSelectedFolder());
  RootDir->setText(root);
  SaveLastDirectory(root);
  RememberedRoot = root;
  // Directories of every root chosen since start-up accumulate, each once.
  if (CollectSubdirectories(root))
    ListDataDirectories(true, root);
  else
    Tell(QStringLiteral("The folder %1 cannot be read.").arg(root));
  if (ViewAScan) ViewAScan->ClearScan();
  ChooseFirstDirectoryOf(root);
}

void TKorvaleForm::ChooseFirstDirectoryOf(const QString& Root) {
  // Nothing of an earlier root stays chosen.
  ForgetDataDirectory();
  for (int row = 0; row < ListBoxDataDirs->count(); ++row) {
    if (!ListBoxDataDirs->item(row)->text().startsWith(Root)) continue;
    ListBoxDataDirs->setCurrentRow(row);
    FollowCurrentDataDirectory();
    return;
  }
  RadioGroupChannels->setTitle(NoRunDirectoriesText + LiteralCaption(Root));
}

void TKorvaleForm::ForgetDataDirectory() {
  ListBoxDataDirs->setCurrentRow(-1);
  ListBoxDataDirs->clearSelection();
  DataDirectory = QStringLiteral(" ");
  SourceDirTxt->clear();
  FillFileList(QString());
  ResetChannelFlags();
  RadioGroupChannels->setTitle(AvailableDataTitle);
}

void TKorvaleForm::ButtonRefreshSubdirectoriesClick() {
  btnSetInputDirClick();
}

void TKorvaleForm::Refreshsubdirectorylist2Click() {
  if (DirSearchToggled) RescanRootDirectory();
}

bool TKorvaleForm::CollectSubdirectories(const QString& Dir) {
  TScreenCursorScope hourglass(crHourGlass);
  try {
    return SubdirectoryWalk::CollectSubdirectories(Dir, SubdirectoryList);
  } catch (const std::exception&) {
    return false;
  }
}

bool TKorvaleForm::DirectoryHasScanData(const QString& Dir) const {
  return ChannelMaskList::DirectoryHasScanData(ChannelMasks, Dir);
}

void TKorvaleForm::ListDataDirectories(bool RootWhenNoSubdirectories, const QString& Root) {
  // A root without subdirectories is its own data directory, whatever it
  // holds, also when roots chosen before it had some.
  const bool hasSubdirectories = std::any_of(
      SubdirectoryList.begin(), SubdirectoryList.end(),
      [&](const QString& Dir) { return Dir.size() > Root.size() && Dir.startsWith(Root); });
  if (RootWhenNoSubdirectories && !hasSubdirectories && !BareRoots.contains(Root))
    BareRoots.append(Root);
  QStringList shown = BareRoots;
  for (const QString& dir : SubdirectoryList)
    if (!shown.contains(dir) && DirectoryHasScanData(dir)) shown.append(dir);
  ScanFileNames::Sort(shown);
  ListBoxDataDirs->clear();
  ListBoxDataDirs->addItems(shown);
}

bool TKorvaleForm::RescanRootDirectory() {
  if (RememberedRoot.isEmpty()) {
    Tell(QStringLiteral("Choose a root directory first."));
    return false;
  }
  RootDir->setText(RememberedRoot);
  SubdirectoryList.clear();
  BareRoots.clear();
  if (!CollectSubdirectories(RememberedRoot)) {
    Tell(QStringLiteral("The folder %1 cannot be read.").arg(RememberedRoot));
    return true;
  }
  ListDataDirectories(false, RememberedRoot);
  // The directory chosen stays chosen while it is listed; one of an earlier
  // root, no longer listed, no longer offers its channels.
  const QList<QListWidgetItem*> chosen =
      ListBoxDataDirs->findItems(DataDirectory, Qt::MatchExactly);
  if (chosen.isEmpty())
    ForgetDataDirectory();
  else
    ListBoxDataDirs->setCurrentItem(chosen.front());
  return true;
}

void TKorvaleForm::ListBoxDataDirsClick() {
  const QListWidgetItem* item = ListBoxDataDirs->currentItem();
  if (item == nullptr) return;
  const QString dir = item->text();
  SourceDirTxt->setText(QStringLiteral("Files from ") +
                        ShortenPathForDisplay(dir, DataDirectoryDisplayLength));
  FillFileList(dir);
  // The preview showed a file of the directory left behind.
  if (ViewAScan && dir != DataDirectory) ViewAScan->ClearScan();
  DataDirectory = dir;
  SetDataFolder(dir);
  RadioGroupChannels->setTitle(QStringLiteral("Data types available in ") + LiteralCaption(dir));
  ResetChannelFlags();
  UpdateDirChannels(dir);
  if (RadioGroupChannels->Count() == 0)
    RadioGroupChannels->setTitle(NoScanFilesText + LiteralCaption(dir));
  QDir::setCurrent(dir);  // a directory that cannot be made current is ignored
}

void TKorvaleForm::FollowCurrentDataDirectory() {
  QListWidgetItem* item = ListBoxDataDirs->currentItem();
  if (item == nullptr) return;
  // The focus alone makes an item current without choosing it; the
  // directory the panes show is always the one shown chosen.
  if (!item->isSelected())
    ListBoxDataDirs->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
  // A rescan that keeps the directory listed keeps its channel choice.
  if (item->text() != DataDirectory) ListBoxDataDirsClick();
}

void TKorvaleForm::UpdateDirChannels(const QString& Dir) {
  // One listing serves every mask: the names are matched in memory.
  const QStringList entries = ScanFileNames::ListMatching(Dir, QStringLiteral("*"));
  if (!ChannelMaskList::NewChannelAppeared(ChannelMasks, ChannelPresent, entries)) return;
  const ChannelMaskList::TChannelChoices choices = ChannelMaskList::RebuildChannelChoices(
      ChannelMasks, ChannelPresent, entries, SelectedMaskIndex, SelectedItemText);
  ShowChannelChoices(choices.Items, choices.ItemIndex);
}

void TKorvaleForm::ShowChannelChoices(const QStringList& Items, int ItemIndex) {
  RadioGroupChannels->SetItems(Items);
  RadioGroupChannels->SetItemIndex(ItemIndex);
  // Channels that appear in a directory that had none.
  if (!Items.isEmpty() && RadioGroupChannels->title().startsWith(NoScanFilesText))
    RadioGroupChannels->setTitle(QStringLiteral("Data types available in ") +
                                 LiteralCaption(DataDirectory));
}

void TKorvaleForm::Timer1Timer() {
  // New channels come with new files, and new files change the directory.
  if (DataDirectoryCheck.MayHaveChanged(DataDirectory)) UpdateDirChannels(DataDirectory);
}

void TKorvaleForm::RadioGroupChannelsClick() {
  const QString item = RadioGroupChannels->Item(RadioGroupChannels->GetItemIndex());
  // A reference or sample item counts for its intensity mask too, so that a
  // rebuild keeps the sector the user chose.
  const int mask = ChannelMaskList::MaskIndexOfItem(ChannelMasks, item);
  if (mask < 0) return;
  SelectedMaskIndex = mask;
  SelectedItemText = item;
}

void TKorvaleForm::ResetChannelFlags() {
  std::fill(ChannelPresent.begin(), ChannelPresent.end(), 0);
  SelectedMaskIndex = -1;
  SelectedItemText.clear();
  RadioGroupChannels->ClearItems();
}

bool TKorvaleForm::ShowDirectoryPanels(bool Visible) {
  Panel3->setVisible(Visible);
  Panel6->setVisible(Visible);
  DirSearchToggled = true;
  return true;
}

void TKorvaleForm::AllowDirSearchClick() {
  ShowDirectoryPanels(AllowDirSearch->isChecked());
}

// ------------------------------------------------------------ files

void TKorvaleForm::FillFileList(const QString& Dir) {
  FileListDirectory = Dir;
  FileListBox1->clear();
  if (Dir.trimmed().isEmpty()) return;
  // Files a writer has not finished (hidden and temporary names) are no
  // scans to preview; a pipe or device under a file's name would block the
  // preview's read, so it is listed with why it is not shown.
  QStringList files = QDir(Dir).entryList(QDir::Files | QDir::System);
  ScanFileNames::Sort(files);
  for (const QString& name : files) {
    if (!ScanFileNames::IsScanName(name)) continue;
    struct stat status {};
    const bool regular =
        ::stat(QFile::encodeName(QDir(Dir).filePath(name)).constData(), &status) == 0 &&
        S_ISREG(status.st_mode);
    auto* item = new QListWidgetItem(regular ? name : name + NotARegularFileText, FileListBox1);
    item->setData(Qt::UserRole, regular ? name : QString());
  }
}

void TKorvaleForm::ButtonRefreshFileListClick() {
  FillFileList(FileListDirectory);
}

void TKorvaleForm::FileListBox1Change() {
  // A press of the mouse moves the selection too; the click that ends it
  // shows the file, once.
  if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
  FileListBox1Click();
}

void TKorvaleForm::FileListBox1Click() {
  const QListWidgetItem* item = FileListBox1->currentItem();
  if (item == nullptr || !ViewAScan) return;
  const QString name = item->data(Qt::UserRole).toString();
  if (name.isEmpty()) return;
  ViewAScan->SetScanPath(QDir(FileListDirectory).filePath(name));
  ViewAScan->ShowScanFile();
}

// ------------------------------------------------------------ viewers

QString TKorvaleForm::ShortenPathForDisplay(const QString& Path, int N) {
  if (Path.size() <= N + 3) return Path;
  return QStringLiteral("...") + Path.right(std::max(N - 2, 0));
}

TSedDataView* TKorvaleForm::ViewerOfItem(const QListWidgetItem* Item) {
  if (Item == nullptr) return nullptr;
  return dynamic_cast<TSedDataView*>(Item->data(Qt::UserRole).value<QObject*>());
}

std::vector<TSedDataView*> TKorvaleForm::OpenViewers() const {
  std::vector<TSedDataView*> viewers;
  for (int i = FirstViewerPage; i < PC->count(); ++i)
    if (auto* viewer = ViewerOnPage(PC->widget(i))) viewers.push_back(viewer);
  return viewers;
}

void TKorvaleForm::ButtonLaunchClick() {
  try {
    LaunchViewer();
  } catch (const std::exception& e) {
    Tell(LaunchFailedText + u'\n' + QString::fromUtf8(e.what()));
  } catch (...) {
    Tell(LaunchFailedText);
  }
}

void TKorvaleForm::LaunchViewer() {
  const int chosen = RadioGroupChannels->GetItemIndex();
  if (chosen < 0) {
    Tell(NoChannelText);
    return;
  }
  auto sheet = std::make_unique<QWidget>();
  TSedDataView* viewer = nullptr;
  try {
    viewer = new TSedDataView(sheet.get(), ListBoxOpenWindows);
  } catch (const std::exception&) {
    Tell(CreateFailedText);
    return;
  }
  QWidget* added = nullptr;
  try {
    EmbedChildForm(*viewer);
    viewer->setParent(sheet.get());
    SetUpViewer(*viewer, RadioGroupChannels->Item(chosen));
    const QString displayName =
        ShortenPathForDisplay(viewer->windowTitle(), ViewerNameDisplayLength);
    ListOpenViewer(*viewer, displayName);
    const int tag = NextViewerTag++;
    sheet->setProperty(SheetTagProperty, tag);
    viewer->SetTag(tag);
    auto* layout = new QVBoxLayout(sheet.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewer);
    added = sheet.get();
    const int page = PC->addTab(sheet.release(), LiteralCaption(displayName));
    // Captions of channels whose directories end alike read the same.
    PC->setTabToolTip(page, viewer->windowTitle());
    viewer->show();
    PC->setCurrentWidget(added);
    PCChange();
  } catch (...) {
    // Nothing may keep pointing at a viewer that goes with its tab.
    UnlistViewer(viewer);
    if (added != nullptr) {
      PC->removeTab(PC->indexOf(added));
      delete added;
    }
    throw;
  }
}

void TKorvaleForm::SetUpViewer(TSedDataView& Viewer, const QString& ChannelText) {
  Viewer.setWindowTitle(UniqueViewerName(ChannelText));
  RealTimeGofS& analysis = Viewer.GetAnalysis();
  analysis.ChannelMask = ChannelText.toStdString();
  analysis.MeniscusRadius = GuiSettings.DefaultMeniscus;
  analysis.CellBottom = GofsSettings.DefaultCellBottom;
  analysis.JitterPosition = GuiSettings.DefaultJitter;
  analysis.FringePosition = GuiSettings.DefaultIntegralFringe;
  analysis.Settings = GofsSettings;
  const bool interference = ChannelMaskList::TypeLetters(ChannelText).toUpper() == u"IP";
  analysis.FringeCorrectionOn = interference;
  analysis.JitterCorrectionOn = interference;
  Viewer.LoadDataDirectory(DataDirectory);
  Viewer.GetGui() = GuiSettings;
  Viewer.EditMWGuess->setText(FloatToStr(analysis.MolecularWeight));
}

QString TKorvaleForm::UniqueViewerName(const QString& ChannelText) const {
  const QString base = SubdirectoryWalk::WithTrailingDelimiter(DataDirectory) + ChannelText;
  const std::vector<TSedDataView*> viewers = OpenViewers();
  const auto taken = [&](const QString& Name) {
    return std::any_of(viewers.begin(), viewers.end(),
                       [&](const TSedDataView* v) { return v->windowTitle() == Name; });
  };
  QString name = base;
  for (int n = 1; taken(name); ++n) name = base + u'#' + QString::number(n) + u' ';
  return name;
}

void TKorvaleForm::ListOpenViewer(TSedDataView& Viewer, const QString& DisplayName) {
  ListBoxOpenWindows->addItem(NewViewerItem(DisplayName, Viewer));
  if (KorvaleCompare && KorvaleCompare->ListBoxOpenWindows)
    KorvaleCompare->ListBoxOpenWindows->addItem(NewViewerItem(DisplayName, Viewer));
}

void TKorvaleForm::UnlistViewer(const TSedDataView* Viewer) {
  const auto same = [Viewer](const TSedDataView* v) { return v == Viewer; };
  RemoveItems(*ListBoxOpenWindows, same);
  if (KorvaleCompare && KorvaleCompare->ListBoxOpenWindows)
    RemoveItems(*KorvaleCompare->ListBoxOpenWindows, same);
}

void TKorvaleForm::CloseSheetClick(QObject*) {
  QWidget* sheet = PC->currentWidget();
  if (PC->currentIndex() < FirstViewerPage || sheet == nullptr) return;  // fixed tabs stay
  CloseViewersTagged(SheetTag(sheet));
  PC->removeTab(PC->indexOf(sheet));
  sheet->deleteLater();
  // With no viewer left the user goes back to choosing data.
  if (PC->count() == FirstViewerPage) PC->setCurrentWidget(MainSheet);
  PCChange();
}

void TKorvaleForm::CloseViewersTagged(int Tag) {
  const auto tagged = [Tag](const TSedDataView* v) { return v != nullptr && v->GetTag() == Tag; };
  std::vector<TSedDataView*> closing;
  for (int i = 0; i < ListBoxOpenWindows->count(); ++i)
    if (TSedDataView* v = ViewerOfItem(ListBoxOpenWindows->item(i)); tagged(v))
      closing.push_back(v);
  // The other viewers stay chosen in the comparison.
  if (KorvaleCompare && KorvaleCompare->ListBoxOpenWindows)
    RemoveItems(*KorvaleCompare->ListBoxOpenWindows, tagged);
  RemoveItems(*ListBoxOpenWindows, tagged);
  // The viewer may be running the handler that called us: it stops polling
  // now and is freed once control is back in the event loop.
  for (TSedDataView* viewer : closing) {
    viewer->FormClose();
    viewer->hide();
    viewer->deleteLater();
  }
  if (KorvaleCompare) KorvaleCompare->RefreshComparison();
}

void TKorvaleForm::CloseAllViewers() {
  while (PC->count() > FirstViewerPage) {
    QWidget* sheet = PC->widget(FirstViewerPage);
    if (const TSedDataView* viewer = ViewerOnPage(sheet)) UnlistViewer(viewer);
    PC->removeTab(FirstViewerPage);
    delete sheet;
  }
}

void TKorvaleForm::PCChange() {
  QWidget* page = PC->currentWidget();
  // File dialogs start in the folder of the viewer the user works with.
  if (PC->currentIndex() >= FirstViewerPage && page != nullptr)
    if (const auto* viewer = ViewerOnPage(page)) SetDataFolder(viewer->GetDataDirectory());
  if (page == CompareSheet && KorvaleCompare) KorvaleCompare->RefreshComparison();
  if (page == ReportSheet && FileRptFrm) {
    FileRptFrm->hide();
    FileRptFrm->show();
    FileRptFrm->raise();
  }
}

void TKorvaleForm::PCDrawTab(QPainter& Painter, int TabIndex, const QRect& Rect) {
  const TTabColours colours = TabColours(TabIndex);
  Painter.fillRect(Rect, ColorToQColor(colours.Brush));
  Painter.setPen(ColorToQColor(colours.Font));
  Painter.drawText(Rect.translated(0, 2), Qt::AlignCenter | Qt::TextHideMnemonic,
                   PC->tabText(TabIndex));
}

void TKorvaleForm::ButtonFocusWindowClick() {
  TSedDataView* viewer = ViewerOfItem(ListBoxOpenWindows->currentItem());
  if (viewer == nullptr) return;
  PC->setCurrentWidget(viewer->parentWidget());
  viewer->setFocus();
}

// ------------------------------------------------------------ other windows

void TKorvaleForm::ExtractaBeckmantargzfile1Click() {
  TTarFrm form(this);
  ShowModal(form);
}

void TKorvaleForm::Recompose1Click() {
  Trecompose form(this);
  form.EditDataDir->setText(DataDirectory);
  ShowModal(form);
}
