#include "chart/editor/TChartEditor.h"

#include "platform/Exception.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

#include "chart/core/TChartAxis.h"
#include "chart/series/TLineSeries.h"
#include "platform/TFormBuilder.h"
#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/ModalScript.h"

namespace {

class TChartEditorTest : public EditorFixture {
 protected:
  // Runs Execute; Check sees the live dialog, which is then closed.
  void Open(const std::function<void(TChartEditForm&)>& Check) {
    ModalScript script;
    script.AnswerForm([&](QDialog& dialog) {
      auto* form = dynamic_cast<TChartEditForm*>(&dialog);
      EXPECT_NE(form, nullptr);
      if (form == nullptr) return int(mrCancel);
      Check(*form);
      form->BCloseClick();
      return dialog.result();
    });
    Editor.Execute();
  }

  void WriteOptions(const QByteArray& Text) {
    WriteUserFile("[" + EditorKey.toUtf8() + "]\n" + Text);
  }
  // The user's options file as it is on disk, folder included.
  static void WriteUserFile(const QByteArray& Bytes) {
    QDir().mkpath(QFileInfo(OptionsStore::UserFileName()).path());
    QFile file(OptionsStore::UserFileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
  }

  TChartEditor Editor{nullptr};
};

TEST_F(TChartEditorTest, ExecuteShowsTheEditorOnTheChartAndAlwaysCloses) {
  // Published defaults.
  EXPECT_TRUE(Editor.GetAutoRepaint());
  EXPECT_EQ(Editor.GetDefaultTab(), cetMain);
  EXPECT_EQ(Editor.GetOptions(), 895u);
  EXPECT_FALSE(Editor.GetOptions() & EditorOption(ceGroups));
  EXPECT_FALSE(Editor.GetRememberPosition());
  EXPECT_EQ(Editor.Properties().Find("Options")->EnumNames.size(), 10);
  // Without a chart nothing opens (the script has no answer to give).
  {
    ModalScript none;
    Editor.Execute();
  }

  OfferPages(AllPages);
  Editor.SetChart(&Chart);
  Editor.SetAutoRepaint(false);
  QStringList events;
  Editor.OnShow = [&](QDialog& f) { events << "show " + f.windowTitle(); };
  Editor.OnClose = [&](QDialog&) { events << "close"; };
  KorOnShowEditor().push_back([&](TChartEditForm&, QWidget* page) {
    events << (page == nullptr ? "shown" : "page " + page->objectName());
  });
  Open([&](TChartEditForm& form) {
    EXPECT_EQ(form.windowTitle(), "Editing Chart1");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.GetChart(), &Chart);
    EXPECT_FALSE(Chart.GetAutoRepaint());
    EXPECT_EQ(form.MainPage->currentWidget(), form.TabChart);
    EXPECT_EQ(form.SubPage->currentWidget(), form.TabSeriesList);
    // The series list is the dialog's own; other pages are made when shown.
    EXPECT_TRUE(form.IsTabShown(form.TabSeriesList));
    EXPECT_EQ(form.PageEditor(form.TabSeriesList), nullptr);
    EXPECT_EQ(MadePages, 0);
    form.SubPage->setCurrentWidget(form.TabLegend);
    EXPECT_EQ(MadePages, 1);
    EXPECT_NE(form.PageEditor(form.TabLegend), nullptr);
    EXPECT_EQ(form.PageEditor(form.TabAxis), nullptr);
    // No help file and no web link here.
    EXPECT_FALSE(FindControl<QWidget>(form, "ButtonHelp")->isVisible());
    EXPECT_FALSE(FindControl<QWidget>(form, "LabelURL")->isVisible());
    // Back to the "Chart" page from a page of its own.
    form.MainPage->setCurrentWidget(form.TabData);
    form.MainPage->setCurrentWidget(form.TabChart);
  });
  KorOnShowEditor().clear();
  EXPECT_TRUE(Chart.GetAutoRepaint());
  EXPECT_EQ(events, QStringList({"show ", "shown", "page TabChart", "close"}));

  Editor.SetTitle("Raw data");
  Open([](TChartEditForm& form) { EXPECT_EQ(form.windowTitle(), "Raw data"); });

  // A dialog ending in an error still gives the chart its repainting back.
  EXPECT_THROW(Open([](TChartEditForm&) { throw Exception("the dialog failed"); }), Exception);
  EXPECT_TRUE(Chart.GetAutoRepaint());
}

TEST_F(TChartEditorTest, TabsShowOnlyRegisteredPagesAndDefaultTabFindsAVisibleOne) {
  OfferPages({"TabAxis", "TabTitle", "TabTools", "TabData", "TabExport"});
  Editor.SetChart(&Chart);
  Open([](TChartEditForm& form) {
    EXPECT_TRUE(form.IsTabShown(form.TabAxis));
    EXPECT_FALSE(form.IsTabShown(form.TabGeneral));
    EXPECT_FALSE(form.IsTabShown(form.TabSeries));
    // No tool class registered: no tools tab, even with its page.
    EXPECT_FALSE(form.IsTabShown(form.TabTools));
  });

  Editor.SetHideTabs(EditorTab(cetAxis) | EditorTab(cetExport));
  Editor.SetDefaultTab(cetAxis);
  Open([](TChartEditForm& form) {
    EXPECT_FALSE(form.IsTabShown(form.TabAxis));
    EXPECT_FALSE(form.IsTabShown(form.TabExport));
    EXPECT_EQ(form.SubPage->currentWidget(), form.TabTitle);  // the next visible one
  });

  // Nothing visible on the "Chart" page: the page goes, Data opens.
  Editor.SetHideTabs(EditorTab(cetMain) | EditorTab(cetAxis) | EditorTab(cetTitles));
  Editor.SetDefaultTab(cetLegend);
  Open([](TChartEditForm& form) {
    EXPECT_FALSE(form.MainPage->isTabVisible(form.MainPage->indexOf(form.TabChart)));
    EXPECT_EQ(form.MainPage->currentWidget(), form.TabData);
    EXPECT_NE(form.PageEditor(form.TabData), nullptr);
  });
}

TEST_F(TChartEditorTest, PositionAndSizeAreRememberedAcrossRuns) {
  Editor.SetChart(&Chart);
  Editor.SetRememberPosition(true);
  QSize defaultSize;
  Open([&](TChartEditForm& form) { defaultSize = form.size(); });
  // The default size is not stored; the position always is.
  EXPECT_EQ(ReadStored("Width"), -1);
  EXPECT_EQ(ReadStored("Height"), -1);
  EXPECT_NE(ReadStored("Left"), -1);

  Open([](TChartEditForm& form) {
    form.move(120, 80);
    form.resize(500, 400);
  });
  EXPECT_EQ(ReadStored("Left"), 120);
  EXPECT_EQ(ReadStored("Width"), 500);
  Open([](TChartEditForm& form) {
    EXPECT_EQ(form.pos(), QPoint(120, 80));
    EXPECT_EQ(form.size(), QSize(500, 400));
  });

  // Stored values out of range: at least 100 wide, kept on the screen.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  WriteOptions("Left=" + QByteArray::number(screen.width() + 50) + "\nTop=-30\nWidth=50\n");
  Open([&](TChartEditForm& form) {
    // (or the least width the controls need)
    EXPECT_EQ(form.width(), std::max(100, form.minimumSizeHint().width()));
    EXPECT_LT(form.width(), defaultSize.width());
    // At the right edge, its frame too.
    EXPECT_EQ(form.frameGeometry().right() + 1, screen.width());
    EXPECT_EQ(form.y(), 0);
  });

  // Without the remember flags nothing is read or written.
  QFile::remove(OptionsStore::UserFileName());
  WriteOptions("RememberSize=0\nWidth=600\n");
  Editor.SetRememberPosition(false);
  Open([&](TChartEditForm& form) {
    EXPECT_EQ(form.size(), defaultSize);
    form.resize(700, 500);
  });
  EXPECT_EQ(ReadStored("Width"), 600);
  EXPECT_EQ(ReadStored("Left"), -1);
}

TEST_F(TChartEditorTest, ARememberedSizeLargerThanTheScreenIsShrunkToFitIt) {
  Editor.SetChart(&Chart);
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  // With the place remembered too, and without (placed over the screen).
  for (const bool place : {true, false}) {
    Editor.SetRememberPosition(place);
    WriteOptions("Left=40\nTop=30\nWidth=" + QByteArray::number(area.width() * 3) +
                 "\nHeight=" + QByteArray::number(area.height() * 2) + "\n");
    Open([&](TChartEditForm& form) {
      EXPECT_EQ(form.frameGeometry(), area) << place;
      // Resized by the user, the size is stored as shown.
      form.resize(area.width() / 2, area.height() / 2);
    });
    EXPECT_EQ(ReadStored("Width"), area.width() / 2);
    EXPECT_EQ(ReadStored("Height"), area.height() / 2);
  }
}

TEST_F(TChartEditorTest, WithoutAStoredPositionTheEditorOpensOverTheChartsWindow) {
  QWidget window;
  window.setGeometry(220, 140, 640, 480);
  Chart.SetParentWidget(&window);
  window.show();
  Editor.SetChart(&Chart);
  Open([&](TChartEditForm& form) {
    const QRect placed = form.frameGeometry();
    EXPECT_NEAR(placed.center().x(), window.frameGeometry().center().x(), 2);
    EXPECT_NEAR(placed.center().y(), window.frameGeometry().center().y(), 2);
  });
  // Remembered once, the stored place wins.
  Editor.SetRememberPosition(true);
  WriteOptions("Left=30\nTop=40\n");
  Open([&](TChartEditForm& form) { EXPECT_EQ(form.pos(), QPoint(30, 40)); });
  Chart.SetParentWidget(nullptr);
}

TEST_F(TChartEditorTest, ACorruptOptionsFileGivesTheDefaults) {
  Editor.SetChart(&Chart);
  Editor.SetRememberPosition(true);
  WriteUserFile(
      QByteArray("\x01\xff garbage\n[SOFTWARE\\Korvale\\KorChart Pro\\Editor\nWidth=x9\n"));
  QSize size;
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) {
    size = dialog.size();
    EXPECT_EQ(dynamic_cast<TChartEditForm&>(dialog).Tree->isVisible(), false);
    return int(mrCancel);
  });
  Editor.Execute();
  TChartEditForm fresh;
  EXPECT_EQ(size, fresh.size());
}

TEST_F(TChartEditorTest, SeriesIsPublishedByNameAndFoundOnceLoaded) {
  TComponent Form(nullptr);
  auto* Editor = new TChartEditor(&Form);
  const TPublishedProperty* Property = Editor->Properties().Find("Series");
  ASSERT_NE(Property, nullptr);
  EXPECT_EQ(Property->Kind, TPropertyKind::pkComponent);
  // Read before the series exists (streams may come in any order).
  Editor->SetStateFlag(TComponent::csLoading, true);
  Property->Set(*Editor, QStringLiteral("LineSeries1"));
  EXPECT_EQ(Editor->GetSeries(), nullptr);
  auto* Series = new TLineSeries(&Form);
  Series->SetName("LineSeries1");
  Series->SetParentChart(&Chart);
  Editor->SetStateFlag(TComponent::csLoading, false);
  Editor->Loaded();
  EXPECT_EQ(Editor->GetSeries(), Series);
  EXPECT_EQ(Editor->GetChart(), &Chart);
  EXPECT_EQ(std::get<QString>(Property->Get(*Editor)), QStringLiteral("LineSeries1"));
  Property->Set(*Editor, QString());
  EXPECT_EQ(Editor->GetSeries(), nullptr);
  Series->SetParentChart(nullptr);
}

TEST_F(TChartEditorTest, FreedChartsAndSeriesAreForgotten) {
  auto chart = std::make_unique<TChart>(nullptr);
  auto* series = new TLineSeries(chart.get());
  chart->AddSeries(series);
  // A series of another chart switches the editor to that chart.
  Editor.SetChart(&Chart);
  Editor.SetSeries(series);
  EXPECT_EQ(Editor.GetChart(), chart.get());
  Editor.SetChart(&Chart);
  EXPECT_EQ(Editor.GetSeries(), nullptr);
  Editor.SetSeries(series);
  delete series;
  EXPECT_EQ(Editor.GetSeries(), nullptr);
  chart.reset();
  EXPECT_EQ(Editor.GetChart(), nullptr);

  // The chart freed while its editor is open: the dialog and the editor
  // forget it, and closing touches nothing of it.
  chart = std::make_unique<TChart>(nullptr);
  Editor.SetChart(chart.get());
  Editor.SetAutoRepaint(false);
  Editor.SetRememberPosition(true);
  Open([&](TChartEditForm& form) {
    chart.reset();
    EXPECT_EQ(form.GetChart(), nullptr);
    EXPECT_FALSE(form.MainPage->isEnabled());
  });
  EXPECT_EQ(Editor.GetChart(), nullptr);
  EXPECT_EQ(ReadStored("Left"), -1);
}

TEST_F(TChartEditorTest, TreeModeListsThePagesAndOpensTheChosenObject) {
  OfferPages({"TabAxis", "TabTitle", "TabSeries", "TabData"});
  auto* series = new TLineSeries(&Chart);
  series->SetTitle("Scan 1");
  Chart.AddSeries(series);
  Editor.SetChart(&Chart);
  Editor.SetTreeView(true);
  Open([&](TChartEditForm& form) {
    ASSERT_TRUE(form.Tree->isVisible());
    ASSERT_EQ(form.Tree->topLevelItemCount(), 3);  // Series, Chart, Data
    QTreeWidgetItem* seriesNode = form.Tree->topLevelItem(0);
    EXPECT_EQ(form.Tree->currentItem(), seriesNode);
    EXPECT_EQ(seriesNode->child(0)->text(0), "Scan 1");
    QTreeWidgetItem* axisNode = form.Tree->topLevelItem(1)->child(0);
    EXPECT_EQ(axisNode->text(0), "Axis");
    ASSERT_EQ(axisNode->childCount(), 6);
    form.Tree->setCurrentItem(axisNode->child(3));  // the bottom axis
    EXPECT_EQ(form.GetTheAxis(), Chart.GetBottomAxis());
    EXPECT_EQ(form.MainPage->currentWidget(), form.TabChart);
    EXPECT_EQ(form.SubPage->currentWidget(), form.TabAxis);
    auto* page = FindControl<QLabel>(*form.TabAxis, "PageTabAxis");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->text(), "TabAxis of an axis");
    form.Tree->setCurrentItem(seriesNode->child(0));
    EXPECT_EQ(form.GetEditSeries(), series);
    EXPECT_EQ(form.MainPage->currentWidget(), form.TabSeries);
  });
}

TEST_F(TChartEditorTest, RendersTheOpenEditor) {
  OfferPages(AllPages);
  Editor.SetChart(&Chart);
  const QString file = QDir::temp().filePath("korvale-chart-editor.png");
  Open([&](TChartEditForm& form) {
    const QImage image = form.grab().toImage();
    EXPECT_EQ(image.size(), form.size());
    EXPECT_TRUE(image.save(file));
  });
  EXPECT_TRUE(QFile::exists(file));
  const QString treeFile = QDir::temp().filePath("korvale-chart-editor-tree.png");
  Editor.SetTreeView(true);
  Open([&](TChartEditForm& form) { EXPECT_TRUE(form.grab().toImage().save(treeFile)); });
  QFile::remove(file);
  QFile::remove(treeFile);
}

}  // namespace
