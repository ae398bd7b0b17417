#include "chart/editor/TChartEditForm.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorToolTypes.h"
#include "chart/core/TSeriesGroup.h"
#include "chart/core/TSeriesGroups.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartListBox.h"
#include "chart/editor/TFormKorSeries.h"
#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TFormBuilder.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

// The size that holds every child of Form where it was placed, shown or
// not yet, with the gap that forms leave at their right and bottom.
QSize ControlsExtent(const QWidget& Form) {
  QRect extent;
  for (const QObject* child : Form.children())
    if (const auto* widget = qobject_cast<const QWidget*>(child); widget && !widget->isWindow())
      extent = extent.united(widget->geometry());
  return QSize(extent.right() + 1 + 4, extent.bottom() + 1 + 4).expandedTo(QSize(0, 0));
}

bool IsFixedSize(const QWidget& Editor) {
  return Editor.minimumSize() == Editor.maximumSize();
}

// The room a page editor takes in its tab: a page of one size its size, a
// page that places its controls itself the room they take, a laid-out
// page what its layout needs.
QSize RoomOf(const QWidget& Editor) {
  if (IsFixedSize(Editor)) return Editor.size();
  if (Editor.layout() == nullptr) return ControlsExtent(Editor).expandedTo(Editor.minimumSize());
  return Editor.minimumSizeHint().expandedTo(Editor.minimumSize());
}

// Editor option names; the values live under the editor options key.
const QString OptionRememberPosition = QStringLiteral("RememberPosition");
const QString OptionRememberSize = QStringLiteral("RememberSize");
const QString OptionTreeMode = QStringLiteral("TreeMode");
const QString OptionLeft = QStringLiteral("Left");
const QString OptionTop = QStringLiteral("Top");
const QString OptionWidth = QStringLiteral("Width");
const QString OptionHeight = QStringLiteral("Height");
const QString OptionTreeWidth = QStringLiteral("TreeWidth");

// Read for a value that is not stored.
constexpr int Absent = std::numeric_limits<int>::min();
constexpr int MinStoredSize = 100;
constexpr int MinTreeWidth = 10;
constexpr int DefaultTreeWidth = 140;
// The caption-button height the stored default height was measured with.
constexpr int DesignCaptionHeight = 18;

// Tree nodes remember what they stand for.
constexpr int TabRole = Qt::UserRole;
constexpr int ObjectRole = Qt::UserRole + 1;
enum TNodeKind { nkPage, nkSeries, nkAxis, nkTitle, nkChart };
constexpr int KindRole = Qt::UserRole + 2;

int ScaledText(const QString& Text, int Dpi) {
  return Text.toInt() * Dpi / 96;
}

TSeriesGroupActive AllActive(const TCustomChart& Chart) {
  bool on = false;
  bool off = false;
  for (int i = 0; i < Chart.SeriesCount(); ++i) (Chart.GetSeries(i)->GetActive() ? on : off) = true;
  return on && off ? gaSome : (off ? gaNo : gaYes);
}

Qt::CheckState CheckOf(TSeriesGroupActive Active) {
  return Active == gaYes ? Qt::Checked : Active == gaNo ? Qt::Unchecked : Qt::PartiallyChecked;
}

QString SeriesText(const TChartSeries& Series) {
  return Series.GetTitle().isEmpty() ? QString::fromStdString(Series.GetName()) : Series.GetTitle();
}

}  // namespace

bool KorSeriesNamesRuntime = false;

std::vector<TKorOnShowEditor>& KorOnShowEditor() {
  static std::vector<TKorOnShowEditor> procedures;
  return procedures;
}

TChartEditForm::TChartEditForm(QWidget* Parent) : QDialog(Parent), TComponent(nullptr) {
  BuildForm();
  FormCreate();
}

TChartEditForm::~TChartEditForm() {
  Destroying();
  FormDestroy();
  if (FChart != nullptr) FChart->RemoveFreeNotification(this);
}

void TChartEditForm::BuildForm() {
  setObjectName(QStringLiteral("ChartEditForm"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  TreeSplitter = new QSplitter(Qt::Horizontal, this);
  TreeSplitter->setObjectName(QStringLiteral("TreeSplitter"));
  TreeSplitter->setChildrenCollapsible(false);
  Tree = new QTreeWidget(TreeSplitter);
  Tree->setObjectName(QStringLiteral("Tree"));
  Tree->setHeaderHidden(true);
  Tree->setVisible(false);
  MainPage = new QTabWidget(TreeSplitter);
  MainPage->setObjectName(QStringLiteral("MainPage"));
  TabChart = AddNamedTab(*MainPage, QStringLiteral("TabChart"), QStringLiteral("Chart"));
  TabSeries = AddNamedTab(*MainPage, QStringLiteral("TabSeries"), QStringLiteral("Series"));
  TabData = AddNamedTab(*MainPage, QStringLiteral("TabData"), QStringLiteral("Data"));
  TabTools = AddNamedTab(*MainPage, QStringLiteral("TabTools"), QStringLiteral("Tools"));
  TabExport = AddNamedTab(*MainPage, QStringLiteral("TabExport"), QStringLiteral("Export"));
  TabPrint = AddNamedTab(*MainPage, QStringLiteral("TabPrint"), QStringLiteral("Print"));
  SubPage = new QTabWidget(TabChart);
  SubPage->setObjectName(QStringLiteral("SubPage"));
  (new QVBoxLayout(TabChart))->addWidget(SubPage);
  TabSeriesList = AddNamedTab(*SubPage, QStringLiteral("TabSeriesList"), QStringLiteral("Series"));
  TabGeneral = AddNamedTab(*SubPage, QStringLiteral("TabGeneral"), QStringLiteral("General"));
  TabAxis = AddNamedTab(*SubPage, QStringLiteral("TabAxis"), QStringLiteral("Axis"));
  TabTitle = AddNamedTab(*SubPage, QStringLiteral("TabTitle"), QStringLiteral("Titles"));
  TabLegend = AddNamedTab(*SubPage, QStringLiteral("TabLegend"), QStringLiteral("Legend"));
  TabPanel = AddNamedTab(*SubPage, QStringLiteral("TabPanel"), QStringLiteral("Panel"));
  TabPaging = AddNamedTab(*SubPage, QStringLiteral("TabPaging"), QStringLiteral("Paging"));
  TabWalls = AddNamedTab(*SubPage, QStringLiteral("TabWalls"), QStringLiteral("Walls"));
  Tab3D = AddNamedTab(*SubPage, QStringLiteral("Tab3D"), QStringLiteral("3D"));
  BuildSeriesList();
  TreeSplitter->setStretchFactor(1, 1);
  layout->addWidget(TreeSplitter, 1);

  PanBottom = new QWidget(this);
  PanBottom->setObjectName(QStringLiteral("PanBottom"));
  PanBottom->setFixedHeight(34);
  TFormBuilder bottom(*PanBottom);
  ButtonHelp = bottom.Add<QPushButton>(QStringLiteral("ButtonHelp"), QStringLiteral("&Help..."), 4,
                                       5, 75, 25);
  // No help file and no link-opening hook here: both stay hidden.
  ButtonHelp->setVisible(false);
  LabelURL = bottom.Add<QLabel>(QStringLiteral("LabelURL"), QString(), 90, 10);
  LabelURL->setVisible(false);
  BClose = bottom.Add<QPushButton>(QStringLiteral("BClose"), QStringLiteral("Close"), 0, 5, 75, 25);
  auto* bottomLayout = new QHBoxLayout(PanBottom);
  bottomLayout->setContentsMargins(0, 0, 0, 0);
  bottomLayout->addWidget(ButtonHelp);
  bottomLayout->addWidget(LabelURL);
  bottomLayout->addStretch(1);
  bottomLayout->addWidget(BClose);
  layout->addWidget(PanBottom);

  connect(BClose, &QPushButton::clicked, this, [this] { RunGuarded([this] { BCloseClick(); }); });
  connect(MainPage, &QTabWidget::currentChanged, this,
          [this] { RunGuarded([this] { MainPageChange(); }); });
  connect(SubPage, &QTabWidget::currentChanged, this,
          [this] { RunGuarded([this] { SubPageChange(); }); });
  connect(Tree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* node) { RunGuarded([this, node] { TreeChange(node); }); });
}

void TChartEditForm::BuildSeriesList() {
  auto* page = new QHBoxLayout(TabSeriesList);
  page->setContentsMargins(4, 4, 4, 4);
  LBSeries = new TChartListBox(TabSeriesList);
  LBSeries->setObjectName(QStringLiteral("LBSeries"));
  page->addWidget(LBSeries, 1);

  auto* buttons = new QWidget(TabSeriesList);
  buttons->setObjectName(QStringLiteral("PanelButtons"));
  auto* column = new QVBoxLayout(buttons);
  column->setContentsMargins(0, 0, 0, 0);
  TFormBuilder b(*buttons);
  BAddSeries = b.Add<QPushButton>(QStringLiteral("BAddSeries"), QStringLiteral("&Add..."), 0, 0);
  BDeleteSeries =
      b.Add<QPushButton>(QStringLiteral("BDeleteSeries"), QStringLiteral("&Delete"), 0, 0);
  BRenameSeries =
      b.Add<QPushButton>(QStringLiteral("BRenameSeries"), QStringLiteral("&Title..."), 0, 0);
  BCloneSeries = b.Add<QPushButton>(QStringLiteral("BCloneSeries"), QStringLiteral("C&lone"), 0, 0);
  BChangeTypeSeries =
      b.Add<QPushButton>(QStringLiteral("BChangeTypeSeries"), QStringLiteral("&Change..."), 0, 0);
  for (QPushButton* button :
       {BAddSeries, BDeleteSeries, BRenameSeries, BCloneSeries, BChangeTypeSeries})
    column->addWidget(button);
  auto* arrows = new QHBoxLayout;
  BMoveUP = b.Add<QPushButton>(QStringLiteral("BMoveUP"), QString(), 0, 0);
  BMoveDown = b.Add<QPushButton>(QStringLiteral("BMoveDown"), QString(), 0, 0);
  arrows->addWidget(BMoveUP);
  arrows->addWidget(BMoveDown);
  column->addLayout(arrows);
  CBNames = b.Add<QCheckBox>(QStringLiteral("CBNames"), QStringLiteral("&View Series Names"), 0, 0);
  CBNames->setVisible(false);
  column->addWidget(CBNames);

  PanelGroups = new QWidget(buttons);
  PanelGroups->setObjectName(QStringLiteral("PanelGroups"));
  auto* groupsLayout = new QVBoxLayout(PanelGroups);
  groupsLayout->setContentsMargins(0, 0, 0, 0);
  Groups =
      TFormBuilder::AddTo<QListWidget>(*PanelGroups, QStringLiteral("Groups"), QString(), 0, 0);
  groupsLayout->addWidget(Groups, 1);
  auto* groupButtons = new QHBoxLayout;
  BAddGroup = TFormBuilder::AddTo<QPushButton>(*PanelGroups, QStringLiteral("BAddGroup"),
                                               QStringLiteral("+"), 0, 0, 25, 25);
  BDeleteGroup = TFormBuilder::AddTo<QPushButton>(*PanelGroups, QStringLiteral("BDeleteGroup"),
                                                  QStringLiteral("-"), 0, 0, 25, 25);
  BRenameGroup = TFormBuilder::AddTo<QPushButton>(*PanelGroups, QStringLiteral("BRenameGroup"),
                                                  QStringLiteral("..."), 0, 0, 25, 25);
  for (QPushButton* button : {BAddGroup, BDeleteGroup, BRenameGroup}) {
    button->setFixedWidth(25);
    groupButtons->addWidget(button);
  }
  groupButtons->addStretch(1);
  groupsLayout->addLayout(groupButtons);
  PanelGroups->setVisible(false);
  column->addWidget(PanelGroups, 1);
  column->addStretch(0);
  page->addWidget(buttons);
  ConnectSeriesList();
  ApplyOptions();
}

void TChartEditForm::ConnectSeriesList() {
  auto wire = [this](QPushButton* button, void (TChartEditForm::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
  };
  wire(BAddSeries, &TChartEditForm::BAddSeriesClick);
  wire(BDeleteSeries, &TChartEditForm::BDeleteSeriesClick);
  wire(BRenameSeries, &TChartEditForm::BRenameSeriesClick);
  wire(BCloneSeries, &TChartEditForm::BCloneSeriesClick);
  wire(BChangeTypeSeries, &TChartEditForm::BChangeTypeSeriesClick);
  wire(BMoveUP, &TChartEditForm::BMoveUPClick);
  wire(BMoveDown, &TChartEditForm::BMoveDownClick);
  wire(BAddGroup, &TChartEditForm::BAddGroupClick);
  wire(BDeleteGroup, &TChartEditForm::BDeleteGroupClick);
  wire(BRenameGroup, &TChartEditForm::BRenameGroupClick);
  connect(CBNames, &QCheckBox::clicked, this, [this] { RunGuarded([this] { CBNamesClick(); }); });
  connect(LBSeries, &QListWidget::itemSelectionChanged, this,
          [this] { RunGuarded([this] { LBSeriesRefreshButtons(); }); });
  connect(Groups, &QListWidget::currentRowChanged, this,
          [this] { RunGuarded([this] { GroupsClick(); }); });
  connect(Groups, &QListWidget::itemChanged, this,
          [this](QListWidgetItem* item) { RunGuarded([this, item] { GroupsCheck(item); }); });
  LBSeries->OnRefresh = [this](TChartListBox*) { LBSeriesRefreshButtons(); };
  LBSeries->OnDropOutside = [this](TChartListBox*, TChartSeries* series, const QPoint& global) {
    DropSeriesOnGroup(series, global);
  };
  LBSeries->OnRemovedSeries = [this](TChartListBox*, TChartSeries* series) {
    SeriesRemoved(series);
  };
  LBSeries->OnChangeOrder = [this](TChartListBox*, TChartSeries*, TChartSeries*) {
    if (OnChangeSeriesOrder) OnChangeSeriesOrder(FChart);
  };
}

void TChartEditForm::FormCreate() {
  const int dpi = logicalDpiX();
  FDefaultWidth = ScaledText(Korconst::KorMsg_DefaultEditorSize, dpi);
  FDefaultHeight = ScaledText(Korconst::KorMsg_DefaultEditorHeight, dpi) +
                   style()->pixelMetric(QStyle::PM_TitleBarHeight) - DesignCaptionHeight;
  resize(FDefaultWidth, FDefaultHeight);
  setWindowTitle(QString());
  MainPage->setCurrentWidget(TabChart);
  SubPage->setCurrentWidget(TabSeriesList);
  FRememberPosition = KorReadBoolOption(OptionRememberPosition, true);
  FRememberSize = KorReadBoolOption(OptionRememberSize, true);
  FTreeVisible = KorReadBoolOption(OptionTreeMode, false);
  MainPage->setEnabled(false);
  SubPage->setEnabled(false);
}

void TChartEditForm::FormDestroy() {
  if (FChart == nullptr || !(FRememberPosition || FRememberSize)) return;
  SavePlacement();
}

void TChartEditForm::SavePlacement() {
  if (FRememberPosition) {
    KorSaveIntegerOption(OptionLeft, x());
    KorSaveIntegerOption(OptionTop, y());
  }
  if (!FRememberSize) return;
  // Only a size the user chose is stored, so a later change of the default
  // still reaches users who never resized the dialog.
  const QSize opening =
      FOpeningDefault.isValid() ? FOpeningDefault : QSize(FDefaultWidth, FDefaultHeight);
  if (size() != opening) {
    KorSaveIntegerOption(OptionWidth, width());
    KorSaveIntegerOption(OptionHeight, height());
  }
  if (Tree->isVisible() || FTreeVisible) KorSaveIntegerOption(OptionTreeWidth, Tree->width());
}

void TChartEditForm::SetChart(TCustomChart* Value) {
  if (FChart != nullptr) FChart->RemoveFreeNotification(this);
  FChart = Value;
  if (FChart != nullptr) FChart->FreeNotification(this);
  LBSeries->SetChart(FChart);
  MainPage->setEnabled(FChart != nullptr);
  SubPage->setEnabled(FChart != nullptr);
  if (FChart != nullptr && (FRememberPosition || FRememberSize)) RestorePlacement();
}

void TChartEditForm::RestorePlacement() {
  if (FRememberPosition) {
    const int left = KorReadIntegerOption(OptionLeft, Absent);
    if (left != Absent) {
      move(std::max(0, left), std::max(0, KorReadIntegerOption(OptionTop, 0)));
      FPlaced = true;
    }
  }
  if (FRememberSize) {
    const int w = KorReadIntegerOption(OptionWidth, Absent);
    const int h = KorReadIntegerOption(OptionHeight, Absent);
    // Never below what the controls need, which the layout would enforce
    // only when shown, after the dialog was placed on the screen.
    const QSize least = minimumSizeHint();
    resize(w != Absent ? std::max({MinStoredSize, least.width(), w}) : width(),
           h != Absent ? std::max({MinStoredSize, least.height(), h}) : height());
    const int treeWidth = KorReadIntegerOption(OptionTreeWidth, Absent);
    if (treeWidth != Absent) FTreeWidth = std::max(MinTreeWidth, treeWidth);
  }
  if (FPlaced) KeepOnScreen();
}

const QWidget* TChartEditForm::ChartWindow() const {
  const QWidget* over = nullptr;
  if (FChart != nullptr && FChart->GetWidget() != nullptr) over = FChart->GetWidget()->window();
  if (over == nullptr || !over->isVisible()) over = QApplication::activeWindow();
  return over == this ? nullptr : over;
}

QScreen* TChartEditForm::OpeningScreen() const {
  QScreen* screen = nullptr;
  if (FPlaced) {
    screen = QGuiApplication::screenAt(pos());
  } else if (const QWidget* over = ChartWindow()) {
    screen = over->screen();
  }
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

void TChartEditForm::PlaceOverChartWindow() {
  const QWidget* over = ChartWindow();
  const QScreen* screen = OpeningScreen();
  const QRect below = over != nullptr     ? over->frameGeometry()
                      : screen != nullptr ? screen->availableGeometry()
                                          : QRect();
  if (!below.isValid()) return;
  move(below.center() - QPoint(width() / 2, height() / 2));
  if (screen != nullptr) MoveOnto(*screen);
}

void TChartEditForm::MoveOnto(const QScreen& Screen) {
  const QRect area = Screen.availableGeometry();
  const QSize outer = frameGeometry().size();
  move(std::clamp(x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
       std::clamp(y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
}

void TChartEditForm::ReservePageRoom() {
  std::vector<QWidget*> tabs;
  for (int i = 0; i < SubPage->count(); ++i) tabs.push_back(SubPage->widget(i));
  for (int i = 0; i < MainPage->count(); ++i) tabs.push_back(MainPage->widget(i));
  for (QWidget* tab : tabs) {
    const QString name = tab->objectName();
    if (tab == TabChart || tab == TabSeriesList || !IsTabShown(tab) || PageEditor(tab) != nullptr ||
        ChartEditorPages().Sizing(name) != TPageSizing::psAhead)
      continue;
    const TChartEditorPageFactory* factory = ChartEditorPages().Find(name);
    if (factory == nullptr) continue;
    // Never shown, so the page does none of what it does for the user
    // when it appears; the scratch widget frees it.
    QWidget scratch;
    const QWidget* editor = (*factory)(*this, scratch);
    if (editor != nullptr) tab->setMinimumSize(tab->minimumSize().expandedTo(RoomOf(*editor)));
  }
  // Hidden tabs do not tell the layouts above them that they changed.
  for (QWidget* tab : tabs)
    for (QWidget* w = tab; w != nullptr; w = w->parentWidget())
      if (w->layout() != nullptr) w->layout()->invalidate();
}

void TChartEditForm::FitOpeningSize() {
  const QScreen* screen = OpeningScreen();
  // The window's frame, where the window system has told it already.
  const QSize frame = frameGeometry().size() - size();
  const QSize room = screen != nullptr ? screen->availableGeometry().size() - frame
                                       : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  const QSize need = minimumSizeHint();
  // On a screen too small for the pages they are cut rather than the
  // dialog reaching beyond the screen.
  if (need.width() > room.width() || need.height() > room.height())
    setMinimumSize(need.boundedTo(room));
  FOpeningDefault = QSize(FDefaultWidth, FDefaultHeight).expandedTo(need).boundedTo(room);
  resize(size().expandedTo(need).boundedTo(room));
}

void TChartEditForm::KeepOnScreen() {
  // A stored place may lie beyond the screen (another screen then, or a
  // larger one), or leave too little room for the size the dialog opens
  // with: the dialog is kept whole on the screen.
  if (const QScreen* screen = OpeningScreen()) MoveOnto(*screen);
}

void TChartEditForm::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || AComponent != FChart) return;
  // Everything the dialog pointed at belonged to that chart.
  FChart = nullptr;
  FEditSeries = nullptr;
  FTheAxis = nullptr;
  FTheTitle = nullptr;
  FTheWall = nullptr;
  FTheTool = nullptr;
  MainPage->setEnabled(false);
  SubPage->setEnabled(false);
}

void TChartEditForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (Event->spontaneous()) return;
  RunGuarded([this] { FormShow(); });
  // Still before the window is mapped: the user sees it only at its size
  // and place, and the place depends on the size.
  RunGuarded([this] {
    FitOpeningSize();
    if (FPlaced)
      KeepOnScreen();
    else
      PlaceOverChartWindow();
  });
}

void TChartEditForm::FormShow() {
  if (FChart == nullptr) return;
  if (windowTitle().isEmpty())
    setWindowTitle(Format(Korconst::KorMsg_Editing, {QString::fromStdString(FChart->GetName())}));
  CBNames->setVisible(FChart->InState(csDesigning) || KorSeriesNamesRuntime);
  BMoveUP->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  BMoveDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  HideTabs();
  for (const TKorOnShowEditor& procedure : KorOnShowEditor()) procedure(*this, nullptr);
  if (FTreeVisible) BuildTree();
  OpenDefaultTab();
  ApplyOptions();
  if (HasOption(ceGroups)) FillGroups();
  if (FEditSeries != nullptr) {
    LBSeries->SetSelectedSeries(FEditSeries);
    OpenSeries();
  } else if (FTheTool != nullptr && IsTabShown(TabTools)) {
    OpenMainPage(TabTools);
  } else if (LBSeries->count() > 0) {
    LBSeries->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    if (LBSeries->isVisible()) LBSeries->setFocus();
  }
  LBSeriesRefreshButtons();
  EnsurePageEditor(MainPage->currentWidget());
  if (MainPage->currentWidget() == TabChart) EnsurePageEditor(SubPage->currentWidget());
  ReservePageRoom();
}

bool TChartEditForm::IsTabShown(const QWidget* Tab) const {
  for (const QTabWidget* pages : {MainPage, SubPage}) {
    const int index = pages->indexOf(const_cast<QWidget*>(Tab));
    if (index >= 0) return pages->isTabVisible(index);
  }
  return false;
}

void TChartEditForm::HideTabs() {
  struct TabRule {
    QWidget* Tab;
    TChartEditorTab HiddenBy;
  };
  const TabRule rules[] = {
      {TabSeriesList, cetMain},    {TabGeneral, cetGeneral}, {TabAxis, cetAxis},
      {TabTitle, cetTitles},       {TabLegend, cetLegend},   {TabPanel, cetPanel},
      {TabPaging, cetPaging},      {TabWalls, cetWalls},     {Tab3D, cet3D},
      {TabData, cetSeriesData},    {TabExport, cetExport},   {TabTools, cetTools},
      {TabPrint, cetPrintPreview}, {TabSeries, cetAllSeries}};
  for (const TabRule& rule : rules) {
    // The series list is part of the dialog; the other pages are offered
    // by their editors' units.
    bool shown =
        (FHiddenTabs & EditorTab(rule.HiddenBy)) == 0 &&
        (rule.Tab == TabSeriesList || ChartEditorPages().IsRegistered(rule.Tab->objectName()));
    if (rule.Tab == TabTools) shown = shown && KorToolTypes().Count() > 0;
    QTabWidget* pages = SubPage->indexOf(rule.Tab) >= 0 ? SubPage : MainPage;
    pages->setTabVisible(pages->indexOf(rule.Tab), shown);
  }
  // The "Chart" page is only a frame for its sub-pages.
  bool anySubPage = false;
  for (int i = 0; i < SubPage->count(); ++i) anySubPage = anySubPage || SubPage->isTabVisible(i);
  MainPage->setTabVisible(MainPage->indexOf(TabChart), anySubPage);
  // A hidden current tab would leave its page showing.
  for (QTabWidget* pages : {SubPage, MainPage}) {
    if (pages->isTabVisible(pages->currentIndex())) continue;
    for (int i = 0; i < pages->count(); ++i)
      if (pages->isTabVisible(i)) {
        pages->setCurrentIndex(i);
        break;
      }
  }
}

void TChartEditForm::OpenDefaultTab() {
  switch (FDefaultTab) {
    case NoEditorTab: return;
    case cetSeriesData: OpenMainPage(TabData); return;
    case cetExport: OpenMainPage(TabExport); return;
    case cetTools: OpenMainPage(TabTools); return;
    case cetPrintPreview: OpenMainPage(TabPrint); return;
    default:
      if (FDefaultTab >= cetMain && FDefaultTab <= cet3D) OpenSubPage(FDefaultTab);
  }
}

void TChartEditForm::OpenSubPage(int Index) {
  int found = -1;
  for (int i = Index; i < SubPage->count() && found < 0; ++i)
    if (SubPage->isTabVisible(i)) found = i;
  for (int i = Index - 1; i >= 0 && found < 0; --i)
    if (SubPage->isTabVisible(i)) found = i;
  if (found >= 0) {
    SubPage->setCurrentIndex(found);
    OpenMainPage(TabChart);
    return;
  }
  for (QWidget* tab : {TabData, TabTools, TabExport, TabPrint})
    if (IsTabShown(tab)) {
      OpenMainPage(tab);
      return;
    }
}

void TChartEditForm::OpenMainPage(QWidget* Tab) {
  if (Tab == TabChart ? MainPage->isTabVisible(MainPage->indexOf(TabChart)) : IsTabShown(Tab))
    MainPage->setCurrentWidget(Tab);
}

void TChartEditForm::OpenSeries() {
  if (!IsTabShown(TabSeries)) return;
  if (FDefaultTab == cetSeriesGeneral) FSeriesTab = TEditorSeriesTab::estGeneral;
  if (FDefaultTab == cetSeriesMarks) FSeriesTab = TEditorSeriesTab::estMarks;
  if (MainPage->currentWidget() == TabSeries) {
    RemakePageEditor(TabSeries);
  } else {
    // A page made for another series is made again when shown.
    delete PageEditor(TabSeries);
    OpenMainPage(TabSeries);
  }
}

void TChartEditForm::OpenPage(QWidget* Tab) {
  if (Tab == TabSeries) {
    LBSeries->SetSelectedSeries(FEditSeries);
    OpenSeries();
    return;
  }
  ShowTab(Tab);
  if (Tab == TabAxis || Tab == TabTitle || Tab == TabWalls) RemakePageEditor(Tab);
}

QWidget* TChartEditForm::PageEditor(const QWidget* Tab) const {
  if (Tab == nullptr || Tab == TabChart || Tab == TabSeriesList) return nullptr;
  return Tab->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

void TChartEditForm::EnsurePageEditor(QWidget* Tab) {
  if (FChart == nullptr || Tab == nullptr || Tab == TabChart || Tab == TabSeriesList ||
      PageEditor(Tab) != nullptr)
    return;
  const TChartEditorPageFactory* factory = ChartEditorPages().Find(Tab->objectName());
  if (factory == nullptr) return;
  QWidget* editor = (*factory)(*this, *Tab);
  if (editor == nullptr) return;
  editor->setParent(Tab);
  editor->setAutoFillBackground(false);  // the tab's own colour shows through
  auto* layout = Tab->layout() != nullptr ? Tab->layout() : new QVBoxLayout(Tab);
  layout->setContentsMargins(0, 0, 0, 0);
  const bool fixedSize = IsFixedSize(*editor);
  // A page that places its controls itself asks for the room they take,
  // so the dialog grows to show it whole.
  if (editor->layout() == nullptr && !fixedSize) editor->setMinimumSize(RoomOf(*editor));
  layout->addWidget(editor);
  // The room reserved for the page gives way to what the page itself
  // takes (a tab's own minimum would hide the page's from the layout).
  Tab->setMinimumSize(0, 0);
  // A page of one size keeps to the tab's top left corner, as a page that
  // fills the tab starts there too.
  if (fixedSize) layout->setAlignment(editor, Qt::AlignLeft | Qt::AlignTop);
  editor->show();
  KorTranslateControl(editor);
}

// A page that shows one object (axis, title, series) is made again for
// another one; the page then reads the object it is to show.
void TChartEditForm::RemakePageEditor(QWidget* Tab) {
  delete PageEditor(Tab);
  EnsurePageEditor(Tab);
}

void TChartEditForm::HighLight(QTabWidget* Pages) {
  if (!FHighLightTabs) return;
  const QColor normal = Pages->tabBar()->palette().color(QPalette::WindowText);
  for (int i = 0; i < Pages->count(); ++i)
    Pages->tabBar()->setTabTextColor(i, i == Pages->currentIndex() ? QColor(Qt::blue) : normal);
}

void TChartEditForm::SubPageChange() {
  HighLight(SubPage);
  if (isVisible()) EnsurePageEditor(SubPage->currentWidget());
}

void TChartEditForm::MainPageChange() {
  QWidget* page = MainPage->currentWidget();
  if (FLastMainPage == TabSeries && page != TabSeries && !SeriesPageAllows()) {
    const QSignalBlocker block(MainPage);
    MainPage->setCurrentWidget(TabSeries);
    return;
  }
  FLastMainPage = page;
  HighLight(MainPage);
  if (!isVisible()) return;
  // The series page made before shows the series chosen in the list since.
  auto* seriesPage = dynamic_cast<TFormKorSeries*>(PageEditor(TabSeries));
  TChartSeries* selected = LBSeries->SelectedSeries();
  if (page == TabSeries && seriesPage != nullptr && selected != nullptr &&
      selected != seriesPage->GetSeries())
    seriesPage->SetSeries(selected);
  if (page == TabChart) {
    EnsurePageEditor(SubPage->currentWidget());
    for (const TKorOnShowEditor& procedure : KorOnShowEditor()) procedure(*this, page);
  } else {
    EnsurePageEditor(page);
  }
}

void TChartEditForm::BCloseClick() {
  if (SeriesPageAllows()) done(mrCancel);
}

void TChartEditForm::reject() {
  if (SeriesPageAllows()) QDialog::reject();
}

bool TChartEditForm::SeriesPageAllows() {
  QWidget* page = PageEditor(TabSeries);
  return page == nullptr || KorFormCloseQuery(*page);
}

// ------------------------------------------------------------ series list

void TChartEditForm::SetOptions(TChartEditorOptions Value) {
  FOptions = Value;
  ApplyOptions();
}

void TChartEditForm::ApplyOptions() {
  const bool order = HasOption(ceOrderSeries);
  BMoveUP->setVisible(order);
  BMoveDown->setVisible(order);
  LBSeries->SetEnableDragSeries(order);
  // The list's own keys must not do what the buttons do not offer.
  LBSeries->SetAllowAddSeries(HasOption(ceAdd));
  LBSeries->SetAllowDeleteSeries(HasOption(ceDelete));
  const bool groups = HasOption(ceGroups);
  PanelGroups->setVisible(groups);
  for (QPushButton* button : {BAddGroup, BDeleteGroup, BRenameGroup}) button->setVisible(groups);
  LBSeriesRefreshButtons();
}

void TChartEditForm::LBSeriesRefreshButtons() {
  // Adding needs no series to start from, only the gallery to choose from.
  BAddSeries->setEnabled(HasOption(ceAdd) && KorAddGalleryProc && FChart != nullptr);
  TChartSeries* series = LBSeries->SelectedSeries();
  const bool any = series != nullptr && LBSeries->isEnabled();
  const bool single = LBSeries->SelectedSeriesList().size() <= 1;
  const TChartSeriesStyle flags = any ? series->GetStyle() : TChartSeriesStyle();
  BDeleteSeries->setEnabled(any && HasOption(ceDelete) && !flags.Contains(tssDenyDelete));
  BRenameSeries->setEnabled(any && HasOption(ceTitle) && single);
  const bool change = any && HasOption(ceChange) && !flags.Contains(tssDenyChangeType) &&
                      KorChangeGalleryProc != nullptr;
  BChangeTypeSeries->setEnabled(change);
  LBSeries->SetEnableChangeType(change);
  BCloneSeries->setEnabled(any && HasOption(ceClone) && single && !flags.Contains(tssDenyClone));
  const int row = LBSeries->GetItemIndex();
  const bool move = any && HasOption(ceOrderSeries) && single;
  BMoveUP->setEnabled(move && row > 0);
  BMoveDown->setEnabled(move && row < LBSeries->count() - 1);
}

void TChartEditForm::BAddSeriesClick() {
  const int before = LBSeries->count();
  LBSeries->AddSeriesGallery();
  TChartSeries* added = LBSeries->SelectedSeries();
  // A series computed by a function is of no use until its sources are
  // chosen, so it opens where they are.
  if (LBSeries->count() > before && added != nullptr && added->GetFunction() != nullptr) {
    FEditSeries = added;
    FSeriesTab = TEditorSeriesTab::estDataSource;
    OpenSeries();
  }
  LBSeriesRefreshButtons();
}

void TChartEditForm::BDeleteSeriesClick() {
  LBSeries->DeleteSeries();
  ForgetSeriesForms();
  LBSeriesRefreshButtons();
}

void TChartEditForm::BRenameSeriesClick() {
  LBSeries->RenameSeries();
  LBSeriesRefreshButtons();
}

void TChartEditForm::BCloneSeriesClick() {
  LBSeries->CloneSeries();
  LBSeriesRefreshButtons();
}

void TChartEditForm::BChangeTypeSeriesClick() {
  LBSeries->ChangeTypeSeries();
  ForgetSeriesForms();
  LBSeriesRefreshButtons();
}

void TChartEditForm::BMoveUPClick() {
  LBSeries->MoveCurrentUp();
  LBSeriesRefreshButtons();
}

void TChartEditForm::BMoveDownClick() {
  LBSeries->MoveCurrentDown();
  LBSeriesRefreshButtons();
}

void TChartEditForm::CBNamesClick() {
  LBSeries->SetNames(CBNames->isChecked());
  BRenameSeries->setText(CBNames->isChecked() ? QStringLiteral("&Name...")
                                              : QStringLiteral("&Title..."));
}

void TChartEditForm::ForgetSeriesForms() {
  if (MainPage->currentWidget() != TabSeries) delete PageEditor(TabSeries);
}

void TChartEditForm::SeriesRemoved(TChartSeries* Series) {
  // The dialog keeps no free notification on the series it opens.
  if (Series == FEditSeries) FEditSeries = nullptr;
}

// ------------------------------------------------------------------ groups

void TChartEditForm::FillGroups() {
  {
    const QSignalBlocker block(Groups);
    Groups->clear();
    if (FChart == nullptr) return;
    const int rows = FChart->GetSeriesList().GetGroups().Count() + (HasOption(ceGroupAll) ? 1 : 0);
    for (int row = 0; row < rows; ++row) {
      auto* item = new QListWidgetItem(Korconst::KorMsg_All, Groups);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
  }
  FillGroupStates();
  Groups->setCurrentRow(0);
}

TSeriesGroup* TChartEditForm::GroupOfRow(int Row) const {
  if (FChart == nullptr || Row < 0) return nullptr;
  const int index = Row - (HasOption(ceGroupAll) ? 1 : 0);
  TSeriesGroups& groups = FChart->GetSeriesList().GetGroups();
  return index >= 0 && index < groups.Count() ? groups.Get(index) : nullptr;
}

void TChartEditForm::DropSeriesOnGroup(TChartSeries* Series, const QPoint& Global) {
  if (Series == nullptr || !HasOption(ceGroups)) return;
  const QPoint at = Groups->viewport()->mapFromGlobal(Global);
  QListWidgetItem* item = Groups->viewport()->rect().contains(at) ? Groups->itemAt(at) : nullptr;
  TSeriesGroup* group = item != nullptr ? GroupOfRow(Groups->row(item)) : nullptr;
  if (group == nullptr || group->GetSeries().Contains(Series)) return;
  group->Add(Series);
  FillGroupStates();
}

void TChartEditForm::GroupsClick() {
  LBSeries->SetGroup(GroupOfRow(Groups->currentRow()));
  BDeleteGroup->setEnabled(LBSeries->GetGroup() != nullptr);
  BRenameGroup->setEnabled(LBSeries->GetGroup() != nullptr);
}

void TChartEditForm::GroupsCheck(QListWidgetItem* Item) {
  if (FChart == nullptr || Item->checkState() == Qt::PartiallyChecked) return;
  const bool on = Item->checkState() == Qt::Checked;
  TSeriesGroup* group = GroupOfRow(Groups->row(Item));
  if (group != nullptr) {
    group->SetActive(on ? gaYes : gaNo);
  } else {
    for (int i = 0; i < FChart->SeriesCount(); ++i) FChart->GetSeries(i)->SetActive(on);
  }
  FillGroupStates();
}

// Only the check marks: a check may come from inside the item's own
// change notice, so the items must stay.
void TChartEditForm::FillGroupStates() {
  const QSignalBlocker block(Groups);
  for (int row = 0; row < Groups->count(); ++row) {
    const TSeriesGroup* group = GroupOfRow(row);
    QListWidgetItem* item = Groups->item(row);
    if (group != nullptr) {
      item->setText(group->GetName());
      item->setCheckState(CheckOf(group->GetActive()));
    } else {
      item->setCheckState(CheckOf(AllActive(*FChart)));
    }
  }
}

void TChartEditForm::BAddGroupClick() {
  if (FChart == nullptr) return;
  QString name;
  TInputQueryRequest request{Korconst::KorMsg_AddNewGroup, Korconst::KorMsg_GroupName, this};
  if (!InputQuery(request, name) || name.isEmpty()) return;
  TSeriesGroup* group = FChart->GetSeriesList().GetGroups().Add();
  group->SetName(name);
  FillGroups();
  Groups->setCurrentRow(Groups->count() - 1);
}

void TChartEditForm::BDeleteGroupClick() {
  TSeriesGroup* group = LBSeries->GetGroup();
  if (group == nullptr || !KorYesNoDelete(group->GetName(), this)) return;
  // The list lets go of the group before it is freed.
  LBSeries->SetGroup(nullptr);
  TSeriesGroups& groups = FChart->GetSeriesList().GetGroups();
  groups.Delete(groups.IndexOf(group));
  FillGroups();
}

void TChartEditForm::BRenameGroupClick() {
  TSeriesGroup* group = LBSeries->GetGroup();
  if (group == nullptr) return;
  QString name = group->GetName();
  TInputQueryRequest request{Korconst::KorMsg_ChangeGroupName, Korconst::KorMsg_GroupName, this};
  if (!InputQuery(request, name) || name.isEmpty()) return;
  group->SetName(name);
  FillGroupStates();
}

// ------------------------------------------------------------------ tree

QTreeWidgetItem* TChartEditForm::AddNode(QTreeWidgetItem* Parent, const QString& Text,
                                         QWidget* Tab) {
  auto* node = Parent != nullptr ? new QTreeWidgetItem(Parent) : new QTreeWidgetItem(Tree);
  node->setText(0, Text);
  node->setData(0, TabRole, QVariant::fromValue(static_cast<void*>(Tab)));
  node->setData(0, KindRole, nkPage);
  return node;
}

void TChartEditForm::BuildTree() {
  Tree->clear();
  Tree->setVisible(true);
  // The pages are chosen in the tree; the tab rows would say it twice.
  MainPage->tabBar()->setVisible(false);
  SubPage->tabBar()->setVisible(false);
  const int treeWidth = FTreeWidth > 0 ? FTreeWidth : DefaultTreeWidth;
  resize(width() + treeWidth + TreeSplitter->handleWidth(), height());
  TreeSplitter->setSizes({treeWidth, width() - treeWidth});

  QTreeWidgetItem* seriesNode = AddNode(nullptr, QStringLiteral("Series"), TabSeriesList);
  for (int i = 0; i < FChart->SeriesCount(); ++i) {
    TChartSeries* series = FChart->GetSeries(i);
    if (!series->GetShowInEditor()) continue;
    QTreeWidgetItem* node = AddNode(seriesNode, SeriesText(*series), TabSeries);
    node->setData(0, KindRole, nkSeries);
    node->setData(0, ObjectRole, QVariant::fromValue(static_cast<void*>(series)));
  }
  seriesNode->setExpanded(FChart->SeriesCount() < 11);

  QTreeWidgetItem* chartNode = AddNode(nullptr, QStringLiteral("Chart"), TabChart);
  chartNode->setData(0, KindRole, nkChart);
  for (int i = 1; i < SubPage->count(); ++i) {
    if (!SubPage->isTabVisible(i)) continue;
    QWidget* tab = SubPage->widget(i);
    QTreeWidgetItem* node = AddNode(chartNode, SubPage->tabText(i), tab);
    auto addObject = [&](const QString& text, void* object, TNodeKind kind) {
      QTreeWidgetItem* child = AddNode(node, text, tab);
      child->setData(0, KindRole, kind);
      child->setData(0, ObjectRole, QVariant::fromValue(object));
    };
    if (tab == TabAxis) {
      using namespace Korconst;
      const std::pair<QString, TChartAxis*> axes[] = {
          {KorMsg_LeftAxis, FChart->GetLeftAxis()},
          {KorMsg_RightAxis, FChart->GetRightAxis()},
          {KorMsg_TopAxis, FChart->GetTopAxis()},
          {KorMsg_BottomAxis, FChart->GetBottomAxis()},
          {KorMsg_DepthAxis, FChart->GetDepthAxis()},
          {KorMsg_DepthTopAxis, FChart->GetDepthTopAxis()}};
      for (const auto& [text, axis] : axes) addObject(text, axis, nkAxis);
      const TChartCustomAxes& custom = FChart->GetCustomAxes();
      for (int a = 0; a < custom.Count(); ++a)
        addObject(custom.Get(a)->GetTitle().GetCaption() + QString::number(a), custom.Get(a),
                  nkAxis);
    } else if (tab == TabTitle) {
      using namespace Korconst;
      addObject(KorMsg_Title, &FChart->GetTitle(), nkTitle);
      addObject(KorMsg_SubTitle, &FChart->GetSubTitle(), nkTitle);
      addObject(KorMsg_Foot, &FChart->GetFoot(), nkTitle);
      addObject(KorMsg_SubFoot, &FChart->GetSubFoot(), nkTitle);
    }
  }
  for (QWidget* tab : {TabData, TabTools, TabExport, TabPrint})
    if (IsTabShown(tab)) AddNode(nullptr, MainPage->tabText(MainPage->indexOf(tab)), tab);
  Tree->setCurrentItem(seriesNode);
}

void TChartEditForm::TreeChange(QTreeWidgetItem* Node) {
  if (Node == nullptr || FChart == nullptr) return;
  auto* tab = static_cast<QWidget*>(Node->data(0, TabRole).value<void*>());
  void* object = Node->data(0, ObjectRole).value<void*>();
  switch (Node->data(0, KindRole).toInt()) {
    case nkSeries:
      FEditSeries = static_cast<TChartSeries*>(object);
      OpenSeries();
      return;
    case nkAxis: FTheAxis = static_cast<TChartAxis*>(object); break;
    case nkTitle: FTheTitle = static_cast<TChartTitle*>(object); break;
    case nkChart:
      // The chart's parts without the series list, which has a node of its own.
      for (int i = 1; i < SubPage->count(); ++i)
        if (SubPage->isTabVisible(i)) {
          SubPage->setCurrentIndex(i);
          break;
        }
      OpenMainPage(TabChart);
      return;
    default: break;
  }
  ShowTab(tab);
  if (Node->data(0, KindRole).toInt() != nkPage) RemakePageEditor(tab);
}

void TChartEditForm::ShowTab(QWidget* Tab) {
  if (SubPage->indexOf(Tab) >= 0) {
    SubPage->setCurrentWidget(Tab);
    OpenMainPage(TabChart);
  } else {
    OpenMainPage(Tab);
  }
}
