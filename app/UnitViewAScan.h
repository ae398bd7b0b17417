#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class TChart;
class TChartEditor;

// The single-scan preview (interaction role): the curve of one scan file
// in a chart. It keeps the last curve shown until another file is shown,
// also when the next file cannot be read.
class TViewAScan : public QWidget {
 public:
  explicit TViewAScan(QWidget* AOwner);
  ~TViewAScan() override;

  const QString& GetScanPath() const { return ScanPath; }
  void SetScanPath(const QString& Value) { ScanPath = Value; }

  // Draws the file at ScanPath as series 0 (x radius in cm, y the value
  // read for mode 0); tells the user when the file is gone or has no data.
  // An empty ScanPath does nothing.
  void ShowScanFile();
  // Forgets the file shown: the chart, the file name and ScanPath empty.
  void ClearScan();
  void TransformChartDblClick();

  // Freed by the form before its Qt children (the chart's host widget is
  // one of them).
  std::unique_ptr<TChart> TransformChart;
  // Bound to TransformChart; freed before it.
  std::unique_ptr<TChartEditor> ChartEditor1;
  QLabel* FileTxt = nullptr;

 private:
  QString ScanPath;
};

// The program's one preview, docked in the main window (which sets it).
extern QPointer<TViewAScan> ViewAScan;
