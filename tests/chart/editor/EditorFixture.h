#pragma once

#include <gtest/gtest.h>

#include <memory>

#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QStringList>

#include "chart/core/TChart.h"
#include "chart/core/TKorToolTypes.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "platform/OptionsStore.h"
#include "tests/support/TestSupport.h"

// A chart named Chart1, stand-in page editors for the tabs a test offers
// (the series list is the dialog's own)
// (each a label naming its tab and the object the form says to show), and
// the user's editor options in the test-mode folder, empty at the start.
class EditorFixture : public ::testing::Test {
 protected:
  static inline const QString EditorKey = QStringLiteral("SOFTWARE\\Korvale\\KorChart Pro\\Editor");
  static inline const QStringList AllPages = {
      "TabGeneral", "TabAxis",   "TabTitle", "TabLegend", "TabPanel",  "TabPaging", "TabWalls",
      "Tab3D",      "TabSeries", "TabData",  "TabTools",  "TabExport", "TabPrint"};

  void SetUp() override {
    Config = std::make_unique<PrivateUserConfig>();
    QFile::remove(OptionsStore::UserFileName());
    // A new store: damage is reported once per store.
    OptionsStore::User().SetFileName(QString());
    Chart.SetName("Chart1");
    for (int i = 0; i < KorToolTypes().Count(); ++i) SavedTools.push_back(KorToolTypes().Get(i));
    KorToolTypes().Clear();
  }

  void TearDown() override {
    for (const QString& page : AllPages) ChartEditorPages().Unregister(page);
    KorToolTypes().Clear();
    for (const TKorToolClass& tool : SavedTools) KorToolTypes().Add(tool);
    QFile::remove(OptionsStore::UserFileName());
    Config.reset();
  }

  void OfferPages(const QStringList& Tabs) {
    for (const QString& tab : Tabs)
      ChartEditorPages().Register(tab, [this, tab](TChartEditForm& form, QWidget& page) {
        ++MadePages;
        auto* label = new QLabel(tab, &page);
        label->setObjectName("Page" + tab);
        if (form.GetTheAxis() != nullptr) label->setText(tab + " of an axis");
        return label;
      });
  }

  int ReadStored(const QString& Name) const {
    // A fresh store over the same file, as the next run of the program has.
    OptionsStore fresh(OptionsStore::UserFileName());
    return fresh.ReadInteger(EditorKey, Name, -1);
  }

  TChart Chart{nullptr};
  int MadePages = 0;

 private:
  std::unique_ptr<PrivateUserConfig> Config;
  // The tool register, cleared for the test: the tools tab depends on it.
  std::vector<TKorToolClass> SavedTools;
};
