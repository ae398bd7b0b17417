#include "app/UnitViewAScan.h"

#include "app/OpenChartEditor.h"

#include "analysis/BeckmanFile.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTitle.h"
#include "chart/editor/TChartEditor.h"
#include "chart/series/TFastLineSeries.h"
#include "platform/ModalHooks.h"
#include "platform/TColor.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

QPointer<TViewAScan> ViewAScan;

namespace {

constexpr TColor ChartBackground = RGB(188, 245, 213);

void Tell(const QString& Text, QWidget* Parent) {
  TMessageDialogRequest request;
  request.Text = Text;
  request.DlgType = TMsgDlgType::mtInformation;
  request.Parent = Parent;
  MessageDlg(request);
}

}  // namespace

TViewAScan::TViewAScan(QWidget* AOwner) : QWidget(AOwner) {
  setObjectName(QStringLiteral("ViewAScan"));
  TransformChart = std::make_unique<TChart>(nullptr);
  TransformChart->SetName("TransformChart");
  TransformChart->SetView3D(false);
  TransformChart->GetLegend().SetVisible(false);
  TransformChart->GetTitle().Clear();
  TransformChart->SetColor(ChartBackground);
  auto* series = new TFastLineSeries(TransformChart.get());  // owned by the chart
  series->SetTitle(QStringLiteral("template"));
  series->SetSeriesColor(clRed);
  // Filled from scan files: data the chart editor must not replace with samples.
  series->SetManualData(true);
  TransformChart->AddSeries(series);
  TransformChart->OnDblClick = [this](TCustomControl*) { TransformChartDblClick(); };
  ChartEditor1 = std::make_unique<TChartEditor>(nullptr);
  ChartEditor1->SetChart(TransformChart.get());

  FileTxt = new QLabel(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(TransformChart->GetWidget(), 1);
  layout->addWidget(FileTxt);
}

TViewAScan::~TViewAScan() = default;

void TViewAScan::ShowScanFile() {
  if (ScanPath.isEmpty()) return;
  if (!QFileInfo::exists(ScanPath)) {
    Tell(QStringLiteral("File not found."), this);
    return;
  }
  BeckmanFile reader(nullptr);
  const int result = reader.ReadScanFile(QFile::encodeName(ScanPath).toStdString(), 0, 0.0);
  // A file whose header reads but whose lines give no point is as useless
  // as one that cannot be read: the previous curve stays.
  if (result < 1 || reader.PointCount < 1) {
    Tell(QStringLiteral("File could not be parsed to data points."), this);
    return;
  }
  TChartSeries* series = TransformChart->GetSeries(0);
  series->Clear();
  const double* radius = reader.Radius();
  const double* value = reader.Value();
  for (int i = 0; i < reader.PointCount; ++i) series->AddXY(radius[i], value[i], QString(), clRed);
  FileTxt->setText(QFileInfo(ScanPath).fileName());
}

void TViewAScan::ClearScan() {
  ScanPath.clear();
  TransformChart->GetSeries(0)->Clear();
  FileTxt->clear();
}

void TViewAScan::TransformChartDblClick() {
  OpenChartEditor(*ChartEditor1, *TransformChart);
}
