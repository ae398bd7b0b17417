#include "app/KorvaleUnit.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include <sys/stat.h>

#include "analysis/Realtimegofs.h"
#include "app/Configuration.h"
#include "app/FolderBrowserDialog.h"
#include "app/KorvaleTabBar.h"
#include "app/UnitKorvaleCompare.h"
#include "app/UnitSedDataView.h"
#include "app/UnitViewAScan.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartSeries.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TFastLineSeries.h"
#include "platform/ClassRegistry.h"
#include "platform/ModalHooks.h"
#include "platform/TRadioGroup.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/support/LayoutChecks.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

namespace fs = std::filesystem;

namespace {

QString Q(const fs::path& Path) {
  return QString::fromStdString(Path.string());
}

// A few scans of one channel from the run simulator: enough for a viewer to
// load, cheap enough for every launch test.
void WriteChannel(const fs::path& Directory, OpticalSystem System, int Cell) {
  RunParameters parameters;
  parameters.SpeciesList = {{4.5e-13, 6.1e-7, 1.0}};
  parameters.ScanCount = 6;
  parameters.GridCells = 600;
  const SimulatedRun run = SimulateRun(parameters);
  ASSERT_TRUE(run.Error.empty()) << run.Error;
  ChannelOptions options;
  options.System = System;
  options.Cell = Cell;
  ScanFileWriter writer(options);
  std::string error;
  ASSERT_TRUE(writer.Render(run, error)) << error;
  ASSERT_TRUE(writer.Save(Directory, error)) << error;
}

class KorvaleFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    SavedDirectory = QDir::currentPath();
    Work = FreshTestDir("main-window");
    Config = std::make_unique<Configuration>(nullptr, "korvale", Q(Work));
    Form = std::make_unique<TKorvaleForm>();
    // The viewers launched take the files written before at once.
    ScanIntake::SetSettleMsOfNewIntakes(0);
  }
  void TearDown() override {
    ScanIntake::SetSettleMsOfNewIntakes(ScanIntake::DefaultSettleMs);
    Form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Config.reset();
    QDir::setCurrent(SavedDirectory);
    UnRegisterSeriesTypes();
  }

  // Chooses Root in the folder chooser that "Select" (or Command) opens.
  void ChooseRoot(const fs::path& Root,
                  void (TKorvaleForm::*Command)() = &TKorvaleForm::btnSetInputDirClick) {
    ModalScript script;
    script.AnswerForm([&](QDialog& dialog) {
      auto& window = dynamic_cast<FolderBrowserDialog&>(dialog);
      EXPECT_TRUE(window.SelectFolder(Q(Root)));
      window.ButtonOKClick();
      return window.result();
    });
    (Form.get()->*Command)();
  }
  QString ChosenDirectory() const {
    const QListWidgetItem* item = Form->ListBoxDataDirs->currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
  }
  QStringList DataDirectories() const {
    QStringList items;
    for (int i = 0; i < Form->ListBoxDataDirs->count(); ++i)
      items.append(Form->ListBoxDataDirs->item(i)->text());
    return items;
  }
  QStringList ViewerNames() const {
    QStringList names;
    for (const TSedDataView* viewer : Form->OpenViewers()) names.append(viewer->windowTitle());
    return names;
  }
  // Launches a viewer of the chosen channel and returns it.
  QPointer<TSedDataView> Launch() {
    Form->ButtonLaunchClick();
    const std::vector<TSedDataView*> viewers = Form->OpenViewers();
    return viewers.empty() ? nullptr : viewers.back();
  }
  // Three viewers of the absorbance channel of Work/run/Absorbance, with
  // scans old enough to be read at once.
  std::array<QPointer<TSedDataView>, 3> LaunchThreeViewersOfOneChannel() {
    const fs::path root = Work / "run";
    const SimulatedChannel& channel = SimulatedChannel::Absorbance(8);
    channel.WriteRange(root / "Absorbance", 0, channel.Files.size());
    ChooseRoot(root);
    std::array<QPointer<TSedDataView>, 3> viewers;
    for (QPointer<TSedDataView>& viewer : viewers) viewer = Launch();
    return viewers;
  }
  void CloseTab(int Index) {
    Form->PC->setCurrentIndex(Index);
    Form->CloseSheetClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static QString Slash(const fs::path& Path) { return Q(Path) + "/"; }
  // The viewers that Window still holds, on a tab or not.
  static int ViewersIn(const QObject& Window) {
    const QList<QObject*> all = Window.findChildren<QObject*>();
    return int(std::count_if(all.begin(), all.end(),
                             [](QObject* o) { return dynamic_cast<TSedDataView*>(o) != nullptr; }));
  }
  // Lets every layout take in what changed: the offscreen platform leaves
  // layout requests queued through a plain processEvents.
  static void SettleLayouts() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
  }

  MessageRecorder Messages;
  QString SavedDirectory;
  fs::path Work;
  std::unique_ptr<Configuration> Config;
  std::unique_ptr<TKorvaleForm> Form;
};

TEST_F(KorvaleFormTest, PathIsShortenedOnlyBeyondThreeCharactersMoreThanAsked) {
  const QString path23 = "abcdefghijklmnopqrstuvw";
  const QString path24 = path23 + "x";
  EXPECT_EQ(TKorvaleForm::ShortenPathForDisplay(path23, 20), path23);
  EXPECT_EQ(TKorvaleForm::ShortenPathForDisplay(path24, 20), "...ghijklmnopqrstuvwx");
  EXPECT_EQ(TKorvaleForm::ShortenPathForDisplay(path24, 20).size(), 21);
}

TEST_F(KorvaleFormTest, RootWithoutSubdirectoriesIsItsOwnDataDirectory) {
  const fs::path root = Work / "flat";
  fs::create_directories(root);
  WriteTextFile(root / "notes.txt", "");
  ChooseRoot(root);
  EXPECT_EQ(DataDirectories(), QStringList({Slash(root)}));
  EXPECT_EQ(Form->RootDir->text(), Slash(root));
  EXPECT_EQ(Form->GetRememberedRoot(), Slash(root));
  EXPECT_EQ(Config->ReadString("Directory", "LastDirectory", ""), Slash(root));
  // The first directory is taken at once.
  EXPECT_EQ(Form->GetDataDirectory(), Slash(root));
  EXPECT_EQ(Form->FileListBox1->count(), 1);
  EXPECT_TRUE(Form->SourceDirTxt->text().startsWith("Files from ..."));
}

TEST_F(KorvaleFormTest, DataDirectoriesOfEveryChosenRootAccumulate) {
  const fs::path first = Work / "first";
  fs::create_directories(first / "s1");
  fs::create_directories(first / "s2");
  fs::create_directories(first / "s3" / "deep");
  WriteTextFile(first / "own.RA1", "");  // the root itself is not listed
  WriteTextFile(first / "s1" / "x.ra1", "");
  WriteTextFile(first / "s2" / "x.ra9", "");
  WriteTextFile(first / "s3" / "deep" / "y.IP2", "");
  ChooseRoot(first);
  EXPECT_EQ(DataDirectories(), QStringList({Slash(first / "s1"), Slash(first / "s3" / "deep")}));

  const fs::path second = Work / "second";
  fs::create_directories(second / "t1");
  WriteTextFile(second / "t1" / "0001.fi3", "");
  ChooseRoot(second);
  EXPECT_EQ(DataDirectories(),
            QStringList({Slash(first / "s1"), Slash(first / "s3" / "deep"), Slash(second / "t1")}));
  // Choosing a root again, as "Refresh subdirectory list" does, lists each
  // directory once.
  ChooseRoot(second);
  EXPECT_EQ(DataDirectories().count(Slash(second / "t1")), 1);
  ChooseRoot(first, &TKorvaleForm::ButtonRefreshSubdirectoriesClick);
  EXPECT_EQ(DataDirectories(),
            QStringList({Slash(first / "s1"), Slash(first / "s3" / "deep"), Slash(second / "t1")}));
  // Rescanning walks only the last root, afresh: a directory of another
  // root chosen meanwhile is no longer chosen, one of this root stays.
  Form->ListBoxDataDirs->setCurrentRow(2);
  Form->ListBoxDataDirsClick();
  ASSERT_EQ(Form->RadioGroupChannels->GetItems(), QStringList({"0*.FI3"}));
  Form->ShowDirectoryPanels(true);
  EXPECT_TRUE(Form->RescanRootDirectory());
  EXPECT_EQ(DataDirectories(), QStringList({Slash(first / "s1"), Slash(first / "s3" / "deep")}));
  EXPECT_EQ(ChosenDirectory(), QString());
  EXPECT_EQ(Form->GetDataDirectory(), " ");
  EXPECT_TRUE(Form->RadioGroupChannels->GetItems().isEmpty());
  Form->ListBoxDataDirs->setCurrentRow(1);
  Form->ListBoxDataDirsClick();
  EXPECT_TRUE(Form->RescanRootDirectory());
  EXPECT_EQ(ChosenDirectory(), Slash(first / "s3" / "deep"));
  EXPECT_EQ(Form->GetDataDirectory(), Slash(first / "s3" / "deep"));
}

TEST_F(KorvaleFormTest,
       IntensityChannelOffersBothSectorsAndKeepsTheUsersChoiceWhenAChannelAppears) {
  const fs::path root = Work / "run";
  fs::create_directories(root);
  WriteTextFile(root / "A0001.RI2", "");
  ChooseRoot(root);
  TRadioGroup& channels = *Form->RadioGroupChannels;
  EXPECT_EQ(channels.GetItems(), QStringList({"A*.RI2Ref", "A*.RI2Sam"}));
  EXPECT_EQ(channels.GetItemIndex(), 1);
  EXPECT_EQ(channels.title(), "Data types available in " + Slash(root));

  channels.Choose(0);  // the reference sector
  Form->Timer1Timer();
  EXPECT_EQ(channels.GetItems(), QStringList({"A*.RI2Ref", "A*.RI2Sam"}));
  // A channel appears while the directory is chosen: the next tick lists it
  // and the user's item stays chosen.
  WriteTextFile(root / "00001.ra1", "");
  Form->Timer1Timer();
  EXPECT_EQ(channels.GetItems(), QStringList({"0*.RA1", "A*.RI2Ref", "A*.RI2Sam"}));
  EXPECT_EQ(channels.Item(channels.GetItemIndex()), "A*.RI2Ref");
}

TEST_F(KorvaleFormTest, TheTimerListsTheDataDirectoryOnlyWhenItChanged) {
  const fs::path root = Work / "run";
  fs::create_directories(root);
  WriteTextFile(root / "A0001.RA2", "");
  ChooseRoot(root);
  const auto past = fs::file_time_type::clock::now() - std::chrono::minutes(1);
  fs::last_write_time(root, past);
  Form->Timer1Timer();  // looks once at the settled directory
  TRadioGroup& channels = *Form->RadioGroupChannels;
  ASSERT_EQ(channels.GetItems(), QStringList({"A*.RA2"}));

  // A file whose directory shows no change is not looked for...
  WriteTextFile(root / "00001.ra1", "");
  fs::last_write_time(root, past);
  Form->Timer1Timer();
  EXPECT_EQ(channels.GetItems(), QStringList({"A*.RA2"}));
  // ... and is found by the first tick after the directory changed.
  fs::last_write_time(root, fs::file_time_type::clock::now());
  Form->Timer1Timer();
  EXPECT_EQ(channels.GetItems(), QStringList({"0*.RA1", "A*.RA2"}));
}

TEST_F(KorvaleFormTest, LaunchWithoutAChannelSaysSoAndAddsNoTab) {
  Form->ButtonLaunchClick();
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_EQ(Messages.Messages().front(), TKorvaleForm::NoChannelText.toStdString());
  EXPECT_EQ(Form->PC->count(), TKorvaleForm::FirstViewerPage);
}

TEST_F(KorvaleFormTest, SameChannelLaunchedAgainIsNumbered) {
  const fs::path root = Work / "run";
  WriteChannel(root / "Interference", OpticalSystem::Interference, 2);
  ChooseRoot(root);
  ASSERT_EQ(Form->RadioGroupChannels->GetItems(), QStringList({"0*.IP2"}));
  const QPointer<TSedDataView> first = Launch();
  ASSERT_TRUE(first);
  const QString base = Slash(root / "Interference") + "0*.IP2";
  EXPECT_EQ(first->windowTitle(), base);
  EXPECT_EQ(first->GetAnalysis().ChannelMask, "0*.IP2");
  EXPECT_TRUE(first->GetAnalysis().FringeCorrectionOn);
  EXPECT_TRUE(first->GetAnalysis().JitterCorrectionOn);
  EXPECT_DOUBLE_EQ(first->GetAnalysis().MeniscusRadius, Form->GetGuiSettings().DefaultMeniscus);
  EXPECT_FALSE(first->EditMWGuess->text().isEmpty());
  Launch();
  Launch();
  EXPECT_EQ(ViewerNames(), QStringList({base, base + "#1 ", base + "#2 "}));
  EXPECT_EQ(Form->PC->tabText(4), TKorvaleForm::ShortenPathForDisplay(base + "#1 ", 20));
  EXPECT_EQ(Form->PC->currentIndex(), 5);
  EXPECT_EQ(Form->ListBoxOpenWindows->count(), 3);
  ASSERT_TRUE(KorvaleCompare);
  EXPECT_EQ(KorvaleCompare->ListBoxOpenWindows->count(), 3);
  EXPECT_TRUE(Messages.Messages().empty());
}

// A viewer launched on a finished run first says that it waits for its
// files to rest (the viewer has not seen them before, whatever their times
// say), then takes them all once they have, without a poll of its own.
TEST_F(KorvaleFormTest, ALaunchedViewerTakesAFinishedRunOnceItHasSeenItsFilesRest) {
  ScanIntake::SetSettleMsOfNewIntakes(ScanIntake::DefaultSettleMs);
  const fs::path root = Work / "run";
  const SimulatedChannel& channel = SimulatedChannel::Absorbance(8);
  channel.WriteRange(root / "Absorbance", 0, channel.Files.size());
  ChooseRoot(root);
  const QPointer<TSedDataView> viewer = Launch();
  ASSERT_TRUE(viewer);
  EXPECT_FALSE(viewer->GetDataLoaded());
  EXPECT_EQ(viewer->DataProblemText(),
            QStringLiteral("Waiting for 8 scan file(s) to stay unchanged for 2 s before reading "
                           "them."));
  EXPECT_TRUE(viewer->RestTimer->isActive());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (viewer && !viewer->GetDataLoaded() && std::chrono::steady_clock::now() < deadline)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  ASSERT_TRUE(viewer && viewer->GetDataLoaded());
  EXPECT_EQ(viewer->GetAnalysis().RawStore->GetNumberOfSets(), 8);
  EXPECT_TRUE(viewer->DataProblemText().isEmpty());
  EXPECT_EQ(viewer->GetLoadAttempts(), 1);  // looking again was no load attempt
}

TEST_F(KorvaleFormTest, ALaunchThatFailsPartWayLeavesNoTabAndNoListedViewer) {
  const fs::path root = Work / "run";
  WriteChannel(root / "Interference", OpticalSystem::Interference, 2);
  // Scans at rest, so that the first load takes them in and plots them.
  for (const auto& entry : fs::directory_iterator(root / "Interference")) AgeFile(entry.path(), 60);
  ChooseRoot(root);
  // The viewer's first plot cannot make the series it needs.
  const TClassInfo& fastLine = ClassInfoOf<TFastLineSeries>();
  UnRegisterClass(fastLine);
  Form->ButtonLaunchClick();
  RegisterClass(fastLine);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_EQ(Messages.Messages().front().rfind(TKorvaleForm::LaunchFailedText.toStdString(), 0), 0u);
  EXPECT_EQ(Form->PC->count(), TKorvaleForm::FirstViewerPage);
  EXPECT_EQ(Form->ListBoxOpenWindows->count(), 0);
  ASSERT_TRUE(KorvaleCompare);
  EXPECT_EQ(KorvaleCompare->ListBoxOpenWindows->count(), 0);
  EXPECT_TRUE(Form->OpenViewers().empty());
  EXPECT_EQ(ViewersIn(*Form), 0);
  // The next launch works and takes the plain name.
  const QPointer<TSedDataView> viewer = Launch();
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), Slash(root / "Interference") + "0*.IP2");
  EXPECT_EQ(Form->PC->count(), TKorvaleForm::FirstViewerPage + 1);
}

TEST_F(KorvaleFormTest, ALaunchThatFailsOnceItsViewerIsListedTakesTheListingsBack) {
  const fs::path root = Work / "run";
  WriteChannel(root / "Absorbance", OpticalSystem::Absorbance, 1);
  ChooseRoot(root);
  // The comparison window fails to take the new viewer in: by then the
  // main window lists it.
  ASSERT_TRUE(KorvaleCompare);
  bool armed = true;
  const QMetaObject::Connection failing = QObject::connect(
      KorvaleCompare->ListBoxOpenWindows->model(), &QAbstractItemModel::rowsInserted, [&armed] {
        if (!std::exchange(armed, false)) return;
        throw std::runtime_error("comparison refused");
      });
  Form->ButtonLaunchClick();
  QObject::disconnect(failing);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(armed);
  ASSERT_EQ(Messages.Messages().size(), 1u);
  EXPECT_EQ(Messages.Messages().front().rfind(TKorvaleForm::LaunchFailedText.toStdString(), 0), 0u);
  EXPECT_EQ(Form->PC->count(), TKorvaleForm::FirstViewerPage);
  EXPECT_EQ(Form->ListBoxOpenWindows->count(), 0);
  EXPECT_EQ(KorvaleCompare->ListBoxOpenWindows->count(), 0);
  EXPECT_EQ(ViewersIn(*Form), 0);
  // The next launch has the channel's plain name and is listed once.
  const QPointer<TSedDataView> viewer = Launch();
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), Slash(root / "Absorbance") + "0*.RA1");
  EXPECT_EQ(Form->PC->count(), TKorvaleForm::FirstViewerPage + 1);
  EXPECT_EQ(Form->ListBoxOpenWindows->count(), 1);
  EXPECT_EQ(KorvaleCompare->ListBoxOpenWindows->count(), 1);
}

// A viewer's page may hold other widgets too (the frame of a docked
// window, a label): only the viewer itself counts as one.
TEST_F(KorvaleFormTest, OtherWidgetsOnAViewersPageAreNotTakenForViewers) {
  const auto [first, second, third] = LaunchThreeViewersOfOneChannel();
  QWidget* page = second->parentWidget();
  auto* before = new QLabel(QStringLiteral("note"), page);
  before->stackUnder(second);
  // The viewer becomes the page's last child, behind the label.
  second->setParent(nullptr);
  second->setParent(page);
  ASSERT_EQ(page->children().first(), before);
  EXPECT_EQ(Form->OpenViewers(),
            std::vector<TSedDataView*>({first.data(), second.data(), third.data()}));
  Form->PC->setCurrentWidget(page);
  EXPECT_EQ(DataFolder(), second->GetDataDirectory());
}

TEST_F(KorvaleFormTest, ClosingAViewerLaunchedAfterAnEarlierCloseClosesOnlyThatViewer) {
  const auto [first, second, third] = LaunchThreeViewersOfOneChannel();
  CloseTab(TKorvaleForm::FirstViewerPage);
  EXPECT_FALSE(first);
  const QPointer<TSedDataView> fourth = Launch();
  ASSERT_TRUE(fourth);
  EXPECT_NE(fourth->GetTag(), third->GetTag());
  CloseTab(Form->PC->indexOf(fourth->parentWidget()));
  EXPECT_FALSE(fourth);
  ASSERT_TRUE(second);
  ASSERT_TRUE(third);
  EXPECT_EQ(Form->OpenViewers(), std::vector<TSedDataView*>({second.data(), third.data()}));
  ASSERT_EQ(Form->ListBoxOpenWindows->count(), 2);
  EXPECT_EQ(TKorvaleForm::ViewerOfItem(Form->ListBoxOpenWindows->item(0)), second.data());
  EXPECT_EQ(TKorvaleForm::ViewerOfItem(Form->ListBoxOpenWindows->item(1)), third.data());
  EXPECT_EQ(KorvaleCompare->ListBoxOpenWindows->count(), 2);
}

TEST_F(KorvaleFormTest, TheFixedTabsAreNeverClosed) {
  Form->PC->setCurrentIndex(0);
  Form->CloseSheetClick();
  EXPECT_EQ(Form->PC->count(), TKorvaleForm::FirstViewerPage);
}

TEST_F(KorvaleFormTest, ClosingTheWindowWritesAPendingConfigurationChange) {
  EXPECT_TRUE(Form->ReadLastDirectory().isEmpty());
  EXPECT_TRUE(Config->ValueExists("Directory", "LastDirectory"));
  EXPECT_TRUE(Form->SaveLastDirectory("/runs/r7/"));
  ASSERT_TRUE(Config->GetDirty());
  EXPECT_TRUE(Form->close());
  QFile file(Config->FileName());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("LastDirectory=/runs/r7/"));
  EXPECT_EQ(Form->ReadLastDirectory(), "/runs/r7/");
}

TEST_F(KorvaleFormTest, DirectionsSayThatMultipleRootsMayBeUsed) {
  EXPECT_TRUE(Form->DirectionsMemo->toPlainText().endsWith(
      QStringLiteral("Multiple root directories and directories  may be used")));
}

TEST_F(KorvaleFormTest, TheActiveTabIsFilledLikeEveryOtherWithoutAFrame) {
  ModalScript script;
  script.AnswerFile(false);  // the report builder asks for its logo when first shown
  Form->show();
  QCoreApplication::processEvents();
  auto& bar = dynamic_cast<TKorvaleTabBar&>(*Form->PC->tabBar());
  for (int active = 0; active < 3; ++active) {
    Form->PC->setCurrentIndex(active);
    QCoreApplication::processEvents();
    const QImage image = bar.grab().toImage();
    const QRect rect = bar.RowTabRect(active);
    const QRgb fill = image.pixelColor(rect.left() + 4, rect.center().y()).rgb();
    // Edges and corners carry the tab's own colour: nothing is drawn round it.
    for (const QPoint at :
         {rect.topLeft(), rect.bottomRight(), QPoint(rect.left() + 1, rect.top() + 1),
          QPoint(rect.right() - 1, rect.center().y())})
      EXPECT_EQ(image.pixelColor(at).rgb(), fill) << "tab " << active;
  }
}

TEST_F(KorvaleFormTest, TabsArePaintedInTheirOwnColoursOnEveryRow) {
  // Enough viewer-like tabs to need more than one row.
  for (int i = 1; i <= 10; ++i) Form->PC->addTab(new QWidget, QString("run-2026-03 #%1 ").arg(i));
  ModalScript script;
  script.AnswerFile(false);  // the report builder asks for its logo when first shown
  Form->show();
  QCoreApplication::processEvents();
  auto& bar = dynamic_cast<TKorvaleTabBar&>(*Form->PC->tabBar());
  ASSERT_GE(bar.RowCount(), 2);
  const QImage image = bar.grab().toImage();
  const auto colourAt = [&](int Tab) {
    const QRect rect = bar.RowTabRect(Tab);
    return image.pixelColor(rect.left() + 4, rect.center().y()).rgb() & 0xFFFFFF;
  };
  EXPECT_EQ(colourAt(0), 0x0000FFu);  // blue
  EXPECT_EQ(colourAt(1), 0xFFFF00u);  // yellow
  EXPECT_EQ(colourAt(2), 0x008000u);  // green
  for (int tab = TKorvaleForm::FirstViewerPage; tab < bar.count(); ++tab)
    EXPECT_EQ(colourAt(tab), 0xC0DCC0u) << "tab " << tab;  // money green
  EXPECT_GT(bar.RowTabRect(bar.count() - 1).top(), 0);
}

TEST_F(KorvaleFormTest, ANewRootStartsWithNothingOfTheEarlierOneChosen) {
  for (const char* dir : {"a-first/run1", "b-second/run2", "c-empty/notes", "d-bare"})
    fs::create_directories(Work / dir);
  const fs::path first = Work / "a-first";
  WriteTextFile(first / "run1" / "00001.ra1", "");
  ChooseRoot(first);
  EXPECT_EQ(ChosenDirectory(), Slash(first / "run1"));
  // The earlier root's directory sorts first: the new root's is chosen.
  const fs::path second = Work / "b-second";
  WriteTextFile(second / "run2" / "00001.ip2", "");
  ChooseRoot(second);
  EXPECT_EQ(DataDirectories().first(), Slash(first / "run1"));
  EXPECT_EQ(ChosenDirectory(), Slash(second / "run2"));
  EXPECT_EQ(Form->GetDataDirectory(), Slash(second / "run2"));
  EXPECT_EQ(Form->RadioGroupChannels->GetItems(), QStringList({"0*.IP2"}));

  // A root whose directories hold no scans chooses nothing and says so.
  const fs::path empty = Work / "c-empty";
  WriteTextFile(empty / "notes" / "readme.txt", "");
  ChooseRoot(empty);
  EXPECT_EQ(ChosenDirectory(), QString());
  EXPECT_EQ(Form->GetDataDirectory(), " ");
  EXPECT_EQ(Form->FileListBox1->count(), 0);
  EXPECT_TRUE(Form->RadioGroupChannels->GetItems().isEmpty());
  EXPECT_EQ(Form->RadioGroupChannels->title(), TKorvaleForm::NoRunDirectoriesText + Slash(empty));

  // A root that is its own only directory, without scans, says that.
  const fs::path bare = Work / "d-bare";
  WriteTextFile(bare / "readme.txt", "");
  ChooseRoot(bare);
  EXPECT_EQ(ChosenDirectory(), Slash(bare));
  EXPECT_EQ(Form->RadioGroupChannels->title(), TKorvaleForm::NoScanFilesText + Slash(bare));
  // Scans that arrive later are offered under the usual caption.
  WriteTextFile(bare / "00001.RA1", "");
  Form->Timer1Timer();
  EXPECT_EQ(Form->RadioGroupChannels->GetItems(), QStringList({"0*.RA1"}));
  EXPECT_EQ(Form->RadioGroupChannels->title(), "Data types available in " + Slash(bare));
}

TEST_F(KorvaleFormTest, ClosingViewersKeepsTheOthersComparedAndTheLastLeavesSelectData) {
  const auto [first, second, third] = LaunchThreeViewersOfOneChannel();
  ASSERT_TRUE(first && second && third);
  QListWidget& compared = *KorvaleCompare->ListBoxOpenWindows;
  const QString firstName = compared.item(0)->text();
  const QString thirdName = compared.item(2)->text();
  // The first and the third compared, normalised.
  compared.item(0)->setSelected(true);
  compared.item(2)->setSelected(true);
  KorvaleCompare->RadioButtonNormalized->setChecked(true);
  Form->PC->setCurrentWidget(Form->CompareSheet);
  TChart& overlay = *KorvaleCompare->dcdtChart;
  const auto activeCurves = [&] {
    int active = 0;
    for (int i = 0; i < overlay.SeriesCount(); ++i) active += overlay.GetSeries(i)->GetActive();
    return active;
  };
  const auto chosen = [&] {
    QStringList texts;
    for (const QListWidgetItem* item : compared.selectedItems()) texts.append(item->text());
    texts.sort();
    return texts;
  };
  ASSERT_EQ(activeCurves(), 2);
  const int points = overlay.GetSeries(1)->Count();
  ASSERT_GT(points, 0);
  EXPECT_EQ(DataFolder(), Slash(Work / "run" / "Absorbance"));

  // Closing the viewer not compared changes nothing of the comparison.
  CloseTab(Form->PC->indexOf(second->parentWidget()));
  ASSERT_EQ(compared.count(), 2);
  EXPECT_EQ(chosen(), QStringList({firstName, thirdName}));
  EXPECT_EQ(activeCurves(), 2);
  EXPECT_GE(Form->PC->currentIndex(), TKorvaleForm::FirstViewerPage);
  // Closing a compared one leaves the other, still normalised.
  CloseTab(Form->PC->indexOf(first->parentWidget()));
  EXPECT_EQ(chosen(), QStringList({thirdName}));
  EXPECT_EQ(activeCurves(), 1);
  EXPECT_EQ(overlay.GetSeries(1)->Count(), points);
  EXPECT_EQ(overlay.GetLeftAxis()->GetTitle().GetCaption(), "(t dc/dt)/Co corrected");

  CloseTab(Form->PC->indexOf(third->parentWidget()));
  EXPECT_EQ(Form->PC->currentWidget(), Form->MainSheet);
  EXPECT_EQ(activeCurves(), 0);
}

TEST_F(KorvaleFormTest, NoTextWidensTheWindowBeyondALaptopScreen) {
  // A deep folder, as runs are kept, and a long status text in a viewer.
  const fs::path root = Work / "instrument-exports" / "2026" / "march" / "user-somebody";
  WriteChannel(root / "sedimentation-velocity-run-0042" / "Interference",
               OpticalSystem::Interference, 2);
  ChooseRoot(root);
  ModalScript script;
  script.AnswerFile(false);  // the report asks for its logo when first shown
  Form->resize(1366, 740);
  Form->show();
  QCoreApplication::processEvents();
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(Launch());
  SettleLayouts();
  const QSize fourViewers = Form->minimumSizeHint().expandedTo(Form->minimumSize());
  EXPECT_LE(fourViewers.width(), 1366);
  // 768 less a desktop panel and the window's title bar and frame.
  EXPECT_LE(fourViewers.height(), TKorvaleForm::DefaultHeight);
  TSedDataView& viewer = *Form->OpenViewers().back();
  const QString status = QStringLiteral(
      "None of the files of this channel could be read as a scan; "
      "Korvale keeps looking for readable scans.");
  viewer.LabelProblem->setText(status + status);
  viewer.LabelDir->setText(Form->GetDataDirectory().repeated(4));
  Form->RadioGroupChannels->setTitle("Data types available in " +
                                     Form->GetDataDirectory().repeated(4));
  Form->RootDir->setText(Form->GetDataDirectory().repeated(4));
  SettleLayouts();
  EXPECT_EQ(Form->minimumSizeHint().expandedTo(Form->minimumSize()).width(), fourViewers.width());
  EXPECT_LE(Form->width(), 1366);
  EXPECT_EQ(viewer.LabelProblem->text(), status + status);
  // Nor do the long texts of "Select data" when it is in front.
  Form->PC->setCurrentWidget(Form->MainSheet);
  SettleLayouts();
  EXPECT_EQ(Form->minimumSizeHint().expandedTo(Form->minimumSize()).width(), fourViewers.width());
  EXPECT_LE(Form->width(), 1366);
}

}  // namespace

// The main window's pop-up menu opens over its own controls only: not over
// a viewer docked on one of its tabs (whose charts keep the right button).
TEST_F(KorvaleFormTest, PopupMenuOpensOverTheMainWindowsOwnControlsOnly) {
  const fs::path root = Work / "run";
  WriteChannel(root / "Interference", OpticalSystem::Interference, 2);
  ChooseRoot(root);
  const QPointer<TSedDataView> viewer = Launch();
  ASSERT_TRUE(viewer);
  {
    ModalScript script;
    script.AnswerFile(false);  // the report builder asks for its logo when first shown
    Form->show();
    QCoreApplication::processEvents();
  }
  Form->PC->setCurrentIndex(TKorvaleForm::FirstViewerPage);
  auto rightClick = [](QWidget& Widget) {
    const QPoint at(3, 3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, Widget.mapToGlobal(at));
    QCoreApplication::sendEvent(&Widget, &event);
  };
  rightClick(*viewer->ButtonChooseScans);
  rightClick(*viewer->Chart1->GetWidget());
  EXPECT_FALSE(Form->PopupMenu1->isVisible());
  EXPECT_FALSE(Form->Panel3->isHidden());

  rightClick(*Form->PC->tabBar());
  EXPECT_TRUE(Form->PopupMenu1->isVisible());
  Form->PopupMenu1->hide();
  Form->PC->setCurrentWidget(Form->MainSheet);
  rightClick(*Form->FileListBox1);
  EXPECT_TRUE(Form->PopupMenu1->isVisible());
  Form->PopupMenu1->hide();
}

// The single-scan preview follows the file list's keyboard selection and
// forgets its file when another data directory is chosen.
TEST_F(KorvaleFormTest, PreviewFollowsTheKeysAndClearsWithANewDirectory) {
  const fs::path root = Work / "run";
  WriteChannel(root / "a", OpticalSystem::Absorbance, 1);
  WriteChannel(root / "b", OpticalSystem::Absorbance, 1);
  ChooseRoot(root);
  ASSERT_EQ(DataDirectories().size(), 2);
  ASSERT_TRUE(ViewAScan);
  QListWidget& files = *Form->FileListBox1;
  ASSERT_GT(files.count(), 3);
  files.setFocus();
  files.setCurrentRow(0);
  for (int row = 1; row <= 2; ++row) {
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&files, &down);
    ASSERT_EQ(files.currentRow(), row);
    EXPECT_EQ(ViewAScan->FileTxt->text(), files.item(row)->text());
    EXPECT_GT(ViewAScan->TransformChart->GetSeries(0)->Count(), 10);
  }
  Form->ListBoxDataDirs->setCurrentRow(1);
  Form->ListBoxDataDirsClick();
  EXPECT_EQ(ViewAScan->TransformChart->GetSeries(0)->Count(), 0);
  EXPECT_TRUE(ViewAScan->FileTxt->text().isEmpty());
  EXPECT_TRUE(ViewAScan->GetScanPath().isEmpty());
}

// The file list offers what can be previewed as a scan: names a writer has
// not finished are left out, and a pipe under a scan's name is listed with
// why it is not shown (opening it would block). A folder whose only scan
// names are such is no data directory.
TEST_F(KorvaleFormTest, TheFileListLeavesOutUnfinishedNamesAndNamesWhatIsNoFile) {
  const fs::path root = Work / "run";
  WriteChannel(root / "a", OpticalSystem::Absorbance, 1);
  WriteTextFile(root / "a" / ".00007.RA1", "half");
  WriteTextFile(root / "a" / "~00008.RA1", "half");
  ASSERT_EQ(::mkfifo((root / "a" / "00009.RA1").c_str(), 0666), 0);
  WriteTextFile(root / "b" / ".00001.RA2", "half");
  ChooseRoot(root);
  EXPECT_EQ(DataDirectories(), QStringList({Slash(root / "a")}));
  ASSERT_TRUE(ViewAScan);
  QListWidget& files = *Form->FileListBox1;
  QStringList shown;
  for (int row = 0; row < files.count(); ++row) shown.append(files.item(row)->text());
  EXPECT_EQ(shown.size(), 8);  // the six scans, the pipe and the run's truth file
  EXPECT_FALSE(shown.join(u' ').contains(QStringLiteral("00007")));
  EXPECT_FALSE(shown.join(u' ').contains(QStringLiteral("00008")));
  const int pipe = static_cast<int>(
      shown.indexOf(QStringLiteral("00009.RA1") + TKorvaleForm::NotARegularFileText));
  ASSERT_EQ(pipe, 6);
  files.setCurrentRow(pipe);
  Form->FileListBox1Click();
  EXPECT_TRUE(ViewAScan->GetScanPath().isEmpty());
  files.setCurrentRow(0);
  Form->FileListBox1Click();
  EXPECT_GT(ViewAScan->TransformChart->GetSeries(0)->Count(), 10);
}

// The data directory the panes show and a launch opens is the list's
// current item however it became current, and only a new one resets the
// channel choice: a rescan that keeps the directory keeps the channel.
TEST_F(KorvaleFormTest, TheDataDirectoryFollowsTheCurrentItemAndARescanKeepsItsChannel) {
  const fs::path root = Work / "runs";
  for (const char* dir : {"a", "b", "c"}) fs::create_directories(root / dir);
  WriteTextFile(root / "a" / "00001.RA1", "");
  WriteTextFile(root / "a" / "00001.RA2", "");
  WriteTextFile(root / "b" / "00001.IP3", "");
  WriteTextFile(root / "c" / "00001.FI4", "");
  ChooseRoot(root);
  ASSERT_EQ(ChosenDirectory(), Slash(root / "a"));
  QListWidget& dirs = *Form->ListBoxDataDirs;
  const auto press = [&](Qt::Key Key, const QString& Text = QString()) {
    QKeyEvent event(QEvent::KeyPress, Key, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(&dirs, &event);
  };
  const auto shows = [&](const fs::path& Dir, const QStringList& Channels) {
    EXPECT_EQ(ChosenDirectory(), Slash(Dir));
    EXPECT_EQ(Form->GetDataDirectory(), Slash(Dir));
    EXPECT_EQ(Form->GetFileListDirectory(), Slash(Dir));
    EXPECT_EQ(Form->RadioGroupChannels->GetItems(), Channels);
  };
  dirs.setFocus();
  press(Qt::Key_Down);
  shows(root / "b", {"0*.IP3"});
  press(Qt::Key_End);
  shows(root / "c", {"0*.FI4"});
  press(Qt::Key_Home);
  shows(root / "a", {"0*.RA1", "0*.RA2"});
  press(Qt::Key_Slash, QStringLiteral("/"));  // every item starts so: the next one
  shows(root / "b", {"0*.IP3"});
  dirs.setCurrentRow(0);
  shows(root / "a", {"0*.RA1", "0*.RA2"});
  const QPointer<TSedDataView> viewer = Launch();
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->GetDataDirectory(), Slash(root / "a"));
  EXPECT_EQ(viewer->GetAnalysis().ChannelMask, "0*.RA1");

  Form->PC->setCurrentWidget(Form->MainSheet);
  Form->RadioGroupChannels->Choose(1);
  Form->ShowDirectoryPanels(true);
  ASSERT_TRUE(Form->RescanRootDirectory());
  shows(root / "a", {"0*.RA1", "0*.RA2"});
  EXPECT_EQ(Form->RadioGroupChannels->GetItemIndex(), 1);
}

// Every Alt+letter of what the window shows at once is taken by one
// caption: the main window's menus and buttons, the report editor's menus
// below them on "Report", a viewer's buttons on its tab. A directory's "&"
// in a caption (a viewer's tab, the data types) is shown and takes no key.
TEST_F(KorvaleFormTest, EachAltLetterIsTakenByOneCaptionOnEveryTab) {
  const fs::path root = Work / "R&D runs";
  WriteChannel(root / "R&D", OpticalSystem::Absorbance, 1);
  ChooseRoot(root);
  ModalScript script;
  script.AnswerFile(false);  // the report builder asks for its logo when first shown
  Form->show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(Launch());
  ASSERT_EQ(Form->PC->count(), TKorvaleForm::FirstViewerPage + 1);
  const QStringList mainKeys = {"Alt+A", "Alt+F", "Alt+T"};
  const QStringList expected[] = {
      mainKeys + QStringList({"Alt+L", "Alt+S"}),           // Select data
      mainKeys + QStringList({"Alt+E", "Alt+I", "Alt+O"}),  // Report
      mainKeys,                                             // Compare
      mainKeys + QStringList({"Alt+C"}),                    // the viewer
  };
  for (int tab = 0; tab < Form->PC->count(); ++tab) {
    Form->PC->setCurrentIndex(tab);
    SettleLayouts();
    EXPECT_EQ(RepeatedMnemonics(*Form), QStringList()) << "tab " << tab;
    const QStringList keys = ShownMnemonics(*Form).keys();
    QStringList want = expected[tab];
    want.sort();
    EXPECT_EQ(keys, want) << "tab " << tab;
  }
  // The caption is drawn as the shortened name reads, with its one "&".
  const int viewerTab = TKorvaleForm::FirstViewerPage;
  const QString name = TKorvaleForm::ShortenPathForDisplay(
      Form->OpenViewers().front()->windowTitle(), TKorvaleForm::ViewerNameDisplayLength);
  ASSERT_TRUE(name.endsWith("R&D/0*.RA1"));
  const QRect rect = dynamic_cast<TKorvaleTabBar&>(*Form->PC->tabBar()).RowTabRect(viewerTab);
  const auto drawn = [&](const std::function<void(QPainter&)>& Draw) {
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(Form->PC->tabBar()->font());
    painter.translate(-rect.topLeft());
    Draw(painter);
    return image;
  };
  const QImage tab = drawn([&](QPainter& Painter) { Form->PCDrawTab(Painter, viewerTab, rect); });
  const QImage plain = drawn([&](QPainter& Painter) {
    Painter.fillRect(rect, QColor(0xC0, 0xDC, 0xC0));
    Painter.drawText(rect.translated(0, 2), Qt::AlignCenter, name);
  });
  EXPECT_EQ(tab, plain);
}

// Viewers of runs whose channel names end alike have captions that read
// the same; each tab and each item of the lists of open viewers has the
// viewer's whole name as its tool tip.
TEST_F(KorvaleFormTest, ViewersWhoseNamesEndAlikeAreToldApartByTheirToolTips) {
  const fs::path root = Work / "runs";
  WriteChannel(root / "run-0042" / "Absorbance", OpticalSystem::Absorbance, 1);
  WriteChannel(root / "run-0043" / "Absorbance", OpticalSystem::Absorbance, 1);
  ChooseRoot(root);
  const QPointer<TSedDataView> first = Launch();
  Form->ListBoxDataDirs->setCurrentRow(1);
  const QPointer<TSedDataView> second = Launch();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->windowTitle(), Slash(root / "run-0042" / "Absorbance") + "0*.RA1");
  EXPECT_EQ(second->windowTitle(), Slash(root / "run-0043" / "Absorbance") + "0*.RA1");
  const int page = TKorvaleForm::FirstViewerPage;
  ASSERT_EQ(Form->PC->tabText(page), Form->PC->tabText(page + 1));
  EXPECT_EQ(Form->PC->tabToolTip(page), first->windowTitle());
  EXPECT_EQ(Form->PC->tabToolTip(page + 1), second->windowTitle());
  ASSERT_TRUE(KorvaleCompare);
  for (const QListWidget* list : {Form->ListBoxOpenWindows, KorvaleCompare->ListBoxOpenWindows}) {
    ASSERT_EQ(list->count(), 2);
    ASSERT_EQ(list->item(0)->text(), list->item(1)->text());
    EXPECT_EQ(list->item(0)->toolTip(), first->windowTitle());
    EXPECT_EQ(list->item(1)->toolTip(), second->windowTitle());
  }
}
