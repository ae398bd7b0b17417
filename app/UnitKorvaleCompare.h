#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class RealTimeGofS;
class TChart;
class TChartEditor;
class TChartSeries;
class TSedDataView;

// The "Compare" tab (interaction role): overlays the kept corrected
// t dc/dt curves of the open viewers chosen in ListBoxOpenWindows, each
// optionally divided by its own total Co, in one chart. The main window
// fills the list (one item per viewer, the viewer as the item's data) and
// a closing viewer takes its item out and rebuilds the overlay.
class TKorvaleCompare : public QWidget {
 public:
  // The chart's series 0 and 1 are patterns; overlay k (from 1) uses
  // series k, cloned from series 0 when missing.
  static constexpr int TemplateSeries = 2;
  static constexpr int PenWidth = 3;     // pixels
  static constexpr int TitleLength = 6;  // last characters of the item text
  static constexpr int LastColour = 13;  // upper limit of the colour cycle

  // The kept corrected curve of one viewer: the grid points with a value,
  // as ln s* (s* in seconds) and t dc/dt.
  struct KeptCurve {
    std::vector<double> LogS;
    std::vector<double> Y;
  };

  explicit TKorvaleCompare(QWidget* AParent = nullptr);
  ~TKorvaleCompare() override;
  TKorvaleCompare(const TKorvaleCompare&) = delete;
  TKorvaleCompare& operator=(const TKorvaleCompare&) = delete;

  // The viewer an item of ListBoxOpenWindows stands for, or nullptr.
  static TSedDataView* ViewerOf(const QListWidgetItem* Item);
  // The points of the kept corrected curve inside the corrected grid.
  static KeptCurve CorrectedCurveOf(const RealTimeGofS& Analysis);
  // The curve's total Co (trapezoids over ln s*); none when it has fewer
  // than three points or the total is 0 or not finite, as a division by it
  // would give no meaningful curve.
  static std::optional<double> NormalisationTotal(const KeptCurve& Curve);

  // The legend title of each chosen curve: the last six characters of its
  // item's text, or, where two curves share those, as much of the viewer's
  // name (its directory and channel) as tells it apart, from the start of
  // the folder that differs.
  static QStringList LegendTitles(const QStringList& ItemTexts, const QStringList& Names);

  bool GetNormalized() const;
  // "Compare normalized data for: " and each selected item's text and a
  // blank ("unnormalized" when not normalising).
  QString ReportTitle() const;

  void RefreshComparison();
  // For a closing viewer: deletes its items and rebuilds the overlay
  // without it; false, with nothing rebuilt, when it was not listed.
  bool RemoveViewer(const QObject* Viewer);
  void ButtonRefreshClick();
  void RadioButtonNormalizedClick() { RefreshComparison(); }
  void SBUndoZoomCorClick();
  void dcdtChartDblClick();
  // X, Y: chart pixels.
  void dcdtChartMouseMove(int X, int Y);
  void dcdtChartMouseLeave();
  void BitBtn2Click();

  QListWidget* ListBoxOpenWindows = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* ButtonRefresh = nullptr;
  QLabel* PosXTxt = nullptr;
  QLabel* PosYTxt = nullptr;
  QPushButton* BitBtn1 = nullptr;
  std::unique_ptr<TChart> dcdtChart;
  // Bound to dcdtChart; freed before it.
  std::unique_ptr<TChartEditor> ChartEditor1;
  QPushButton* BitBtn2 = nullptr;
  QCheckBox* RadioButtonNormalized = nullptr;

 private:
  void BuildForm();
  void SetupChart();
  void WireHandlers();
  TChartSeries& OverlaySeries(int K);
  void PlotViewer(TChartSeries& Series, const QListWidgetItem& Item, int Colour);
  static qsizetype CommonSuffixLength(const QString& A, const QString& B);
};

// The program's one comparison window (on the main window's "Compare" tab);
// null until the main window made it and after it was freed.
extern QPointer<TKorvaleCompare> KorvaleCompare;
