#pragma once

#include <QString>

#include <functional>
#include <map>

class QWidget;
class TChartEditForm;

// Makes the editor of one page of the chart editor dialog as a child of
// Page (the tab it is docked in); the dialog lays it out to fill the tab.
using TChartEditorPageFactory = std::function<QWidget*(TChartEditForm& Form, QWidget& Page)>;

// How the dialog learns the room a page takes. A page made ahead is made
// once more, off-screen and never shown, for the dialog's chart before the
// dialog opens, so that the dialog opens big enough for it; the editor the
// user sees is still made when its page is first shown. A page sized when
// made takes its room only then (the dialog grows).
enum class TPageSizing { psWhenMade, psAhead };

// Data: the process-wide register of the chart editor's page editors, by
// the object name of the tab each one fills ("TabAxis", "TabSeries", ...).
// Page units register theirs at start-up; the dialog shows only the tabs
// whose editor is registered, so a feature that is not built in leaves no
// empty page behind.
class TChartEditorPages {
 public:
  TChartEditorPages() = default;
  TChartEditorPages(const TChartEditorPages&) = delete;
  TChartEditorPages& operator=(const TChartEditorPages&) = delete;

  // Replaces any factory registered for TabName.
  void Register(const QString& TabName, TChartEditorPageFactory Factory,
                TPageSizing Sizing = TPageSizing::psWhenMade);
  void Unregister(const QString& TabName);
  bool IsRegistered(const QString& TabName) const;
  // nullptr when none is registered.
  const TChartEditorPageFactory* Find(const QString& TabName) const;
  // psWhenMade for a tab without a page.
  TPageSizing Sizing(const QString& TabName) const;

 private:
  struct TEntry {
    TChartEditorPageFactory Factory;
    TPageSizing Sizing = TPageSizing::psWhenMade;
  };
  std::map<QString, TEntry> FEntries;
};

// The register, made on first use.
TChartEditorPages& ChartEditorPages();
