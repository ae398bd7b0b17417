#include "app/UnitKorvaleCompare.h"

#include "app/OpenChartEditor.h"
#include "app/UnitSedDataView.h"
#include "app/report/FileReporter.h"

#include "analysis/Gofs2004.h"
#include "analysis/Realtimegofs.h"
#include "analysis/Zoqborlandutils.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartTitle.h"
#include "chart/editor/TChartEditor.h"
#include "chart/series/TFastLineSeries.h"
#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/TElidedLabel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSizePolicy>
#include <QVBoxLayout>
#include <QVariant>

#include <algorithm>
#include <cmath>

QPointer<TKorvaleCompare> KorvaleCompare;

namespace {

constexpr double SvedbergPerSecond = 1e13;

const QString NormalizedTitle = QStringLiteral("(t dc/dt)/Co corrected");
const QString UnnormalizedTitle = QStringLiteral("t dc/dt corrected");

// The window stays disabled while the overlay is rebuilt, and is enabled
// again however the rebuild ends.
class DisabledWhile {
 public:
  explicit DisabledWhile(QWidget& Widget) : FWidget(Widget) { FWidget.setEnabled(false); }
  ~DisabledWhile() { FWidget.setEnabled(true); }
  DisabledWhile(const DisabledWhile&) = delete;
  DisabledWhile& operator=(const DisabledWhile&) = delete;

 private:
  QWidget& FWidget;
};

}  // namespace

TKorvaleCompare::TKorvaleCompare(QWidget* AParent) : QWidget(AParent) {
  setWindowTitle(QStringLiteral("Comparison Form"));
  BuildForm();
  WireHandlers();
}

// The chart is a component, not a Qt child: it goes before the widgets.
TKorvaleCompare::~TKorvaleCompare() {
  dcdtChart.reset();
}

TSedDataView* TKorvaleCompare::ViewerOf(const QListWidgetItem* Item) {
  if (Item == nullptr) return nullptr;
  return dynamic_cast<TSedDataView*>(Item->data(Qt::UserRole).value<QObject*>());
}

TKorvaleCompare::KeptCurve TKorvaleCompare::CorrectedCurveOf(const RealTimeGofS& Analysis) {
  KeptCurve curve;
  if (Analysis.CorrectedStore == nullptr) return curve;
  const size_t n = std::min({static_cast<size_t>(Analysis.CorrectedStore->GetNumberOfPoints()),
                             Analysis.LastCorrectedX.size(), Analysis.LastCorrectedY.size(),
                             Analysis.LastCorrectedError.size()});
  for (size_t j = 0; j < n; ++j) {
    if (!(Analysis.LastCorrectedError[j] >= 0.0)) continue;
    curve.LogS.push_back(Analysis.LastCorrectedX[j]);
    curve.Y.push_back(Analysis.LastCorrectedY[j]);
  }
  return curve;
}

// Half weights at both ends; the last interval counted is the one before
// the second-last point, the last point adding nothing.
std::optional<double> TKorvaleCompare::NormalisationTotal(const KeptCurve& Curve) {
  const std::vector<double>& x = Curve.LogS;
  const std::vector<double>& y = Curve.Y;
  const size_t m = std::min(x.size(), y.size());
  if (m < 3) return std::nullopt;
  double total = 0.5 * y[0] * (x[1] - x[0]);
  for (size_t r = 1; r + 3 <= m; ++r) total += y[r] * (x[r] - x[r - 1]);
  total += 0.5 * y[m - 2] * (x[m - 2] - x[m - 3]);
  if (total == 0.0 || !std::isfinite(total)) return std::nullopt;
  return total;
}

bool TKorvaleCompare::GetNormalized() const {
  return RadioButtonNormalized->isChecked();
}

QString TKorvaleCompare::ReportTitle() const {
  QString title =
      QStringLiteral("Compare ") +
      (GetNormalized() ? QStringLiteral("normalized ") : QStringLiteral("unnormalized ")) +
      QStringLiteral("data for: ");
  for (int i = 0; i < ListBoxOpenWindows->count(); ++i) {
    const QListWidgetItem* item = ListBoxOpenWindows->item(i);
    if (item->isSelected()) title += item->text() + u' ';
  }
  return title;
}

void TKorvaleCompare::RefreshComparison() {
  SeriesColourCycler cycle;
  cycle.Range.SetUpperLimit(LastColour);
  for (int i = 0; i < dcdtChart->SeriesCount(); ++i) dcdtChart->GetSeries(i)->SetActive(false);
  dcdtChart->GetLeftAxis()->GetTitle().SetCaption(GetNormalized() ? NormalizedTitle
                                                                  : UnnormalizedTitle);
  std::vector<const QListWidgetItem*> selected;
  QStringList texts;
  QStringList names;
  for (int i = 0; i < ListBoxOpenWindows->count(); ++i) {
    const QListWidgetItem* item = ListBoxOpenWindows->item(i);
    if (!item->isSelected()) continue;
    selected.push_back(item);
    texts.append(item->text());
    const TSedDataView* viewer = ViewerOf(item);
    names.append(viewer != nullptr ? viewer->windowTitle() : item->text());
  }
  const QStringList titles = LegendTitles(texts, names);
  for (size_t k = 0; k < selected.size(); ++k) {
    TChartSeries& series = OverlaySeries(static_cast<int>(k) + 1);
    PlotViewer(series, *selected[k], cycle.CurrentColour());
    series.SetTitle(titles[static_cast<qsizetype>(k)]);
    cycle.Range.Advance();
  }
  dcdtChart->Invalidate();
}

QStringList TKorvaleCompare::LegendTitles(const QStringList& ItemTexts, const QStringList& Names) {
  QStringList titles;
  for (const QString& text : ItemTexts) titles.append(text.right(TitleLength));
  for (qsizetype i = 0; i < titles.size(); ++i) {
    // How far from the end the name must be shown to differ from every
    // other curve of the same title.
    qsizetype needed = 0;
    bool clash = false;
    for (qsizetype j = 0; j < titles.size(); ++j) {
      if (j == i || ItemTexts[j].right(TitleLength) != ItemTexts[i].right(TitleLength)) continue;
      clash = true;
      needed = std::max(needed, CommonSuffixLength(Names[i], Names[j]) + 1);
    }
    if (!clash) continue;
    const QString& name = Names[i];
    if (needed > name.size()) {
      titles[i] += QStringLiteral(" (%1)").arg(i + 1);  // the same name twice
      continue;
    }
    // From the start of the folder name that makes the difference.
    const qsizetype at = name.size() - needed;
    const qsizetype from = at <= 0 ? 0 : name.lastIndexOf(u'/', at - 1) + 1;
    titles[i] = name.mid(from);
  }
  return titles;
}

qsizetype TKorvaleCompare::CommonSuffixLength(const QString& A, const QString& B) {
  qsizetype n = 0;
  while (n < A.size() && n < B.size() && A[A.size() - 1 - n] == B[B.size() - 1 - n]) ++n;
  return n;
}

bool TKorvaleCompare::RemoveViewer(const QObject* Viewer) {
  bool listed = false;
  for (int i = ListBoxOpenWindows->count() - 1; i >= 0; --i)
    if (ListBoxOpenWindows->item(i)->data(Qt::UserRole).value<QObject*>() == Viewer) {
      delete ListBoxOpenWindows->takeItem(i);
      listed = true;
    }
  if (listed) RefreshComparison();
  return listed;
}

TChartSeries& TKorvaleCompare::OverlaySeries(int K) {
  while (dcdtChart->SeriesCount() <= K) CloneChartSeries(*dcdtChart->GetSeries(0));
  return *dcdtChart->GetSeries(K);
}

// A viewer whose curve cannot be normalised keeps an empty series, titled
// by the caller, so the legend still tells which runs were chosen.
void TKorvaleCompare::PlotViewer(TChartSeries& Series, const QListWidgetItem& Item, int Colour) {
  Series.Clear();
  const auto colour = static_cast<TColor>(Colour);
  const TSedDataView* viewer = ViewerOf(&Item);
  const KeptCurve curve = viewer != nullptr ? CorrectedCurveOf(viewer->GetAnalysis()) : KeptCurve();
  std::optional<double> divisor = 1.0;
  if (GetNormalized()) divisor = NormalisationTotal(curve);
  if (divisor.has_value())
    for (size_t r = 0; r < curve.LogS.size(); ++r)
      Series.AddXY(std::exp(curve.LogS[r]) * SvedbergPerSecond, curve.Y[r] / *divisor, QString(),
                   colour);
  Series.SetActive(true);
  Series.SetSeriesColor(colour);
  Series.GetPen().SetWidth(PenWidth);
}

void TKorvaleCompare::ButtonRefreshClick() {
  const DisabledWhile disabled(*this);
  RefreshComparison();
}

void TKorvaleCompare::SBUndoZoomCorClick() {
  if (dcdtChart != nullptr) dcdtChart->UndoZoom();
}

void TKorvaleCompare::dcdtChartDblClick() {
  OpenChartEditor(*ChartEditor1, *dcdtChart);
}

void TKorvaleCompare::dcdtChartMouseMove(int X, int Y) {
  const TChartAxis& bottom = *dcdtChart->GetBottomAxis();
  const TChartAxis& left = *dcdtChart->GetLeftAxis();
  PosXTxt->setText(QStringLiteral("X: ") + bottom.GetTitle().GetCaption() + u' ' +
                   FormatFloat(QStringLiteral("###.#####"), bottom.CalcPosPoint(X)));
  PosYTxt->setText(QStringLiteral("Y: ") + left.GetTitle().GetCaption() + u' ' +
                   FormatFloat(QStringLiteral("######.####"), left.CalcPosPoint(Y)));
}

void TKorvaleCompare::dcdtChartMouseLeave() {
  PosXTxt->setText(QStringLiteral(" "));
  PosYTxt->setText(QStringLiteral(" "));
}

// A failed copy leaves the clipboard and the report as they were; the user
// sees that nothing arrived and can try again.
void TKorvaleCompare::BitBtn2Click() {
  try {
    dcdtChart->CopyToClipboardBitmap();
    if (FileRptFrm != nullptr) FileRptFrm->AppendChartPicture(ReportTitle());
  } catch (...) {
  }
}

void TKorvaleCompare::BuildForm() {
  auto* panel = new QWidget(this);
  auto* side = new QVBoxLayout(panel);
  ListBoxOpenWindows = new QListWidget(panel);
  ListBoxOpenWindows->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Memo1 = new QPlainTextEdit(panel);
  ButtonRefresh = new QPushButton(QStringLiteral("Refresh data"), panel);
  // A long read-out must not widen the panel and push the chart aside: its
  // caption is shortened to the panel's width, its number always shows.
  for (QLabel** label : {&PosXTxt, &PosYTxt}) {
    auto* readOut = new TElidedLabel(QStringLiteral(" "), panel);
    readOut->SetKeepLastWord(true);
    readOut->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    *label = readOut;
  }
  BitBtn1 = new QPushButton(QStringLiteral("Zoom out"), panel);
  side->addWidget(ListBoxOpenWindows, 2);
  side->addWidget(Memo1, 1);
  side->addWidget(ButtonRefresh);
  side->addWidget(PosXTxt);
  side->addWidget(PosYTxt);
  side->addWidget(BitBtn1);

  SetupChart();
  BitBtn2 = new QPushButton(QStringLiteral("Copy graph to report"), this);
  RadioButtonNormalized = new QCheckBox(QStringLiteral("Normalize data"), this);
  auto* below = new QHBoxLayout;
  below->addWidget(BitBtn2);
  below->addWidget(RadioButtonNormalized);
  below->addStretch();
  auto* chartColumn = new QVBoxLayout;
  chartColumn->addWidget(dcdtChart->GetWidget(), 1);
  chartColumn->addLayout(below);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(panel);
  layout->addLayout(chartColumn, 1);
}

void TKorvaleCompare::SetupChart() {
  dcdtChart = std::make_unique<TChart>(nullptr);
  dcdtChart->SetName("dcdtChart");
  dcdtChart->SetView3D(false);
  dcdtChart->SetColor(clWhite);
  dcdtChart->GetTitle().SetVisible(false);
  TChartAxis& bottom = *dcdtChart->GetBottomAxis();
  bottom.SetLogarithmicBase(std::exp(1.0));
  bottom.SetLogarithmic(true);
  bottom.GetTitle().SetCaption(QStringLiteral("s* in Svedburg Units plotted on a log scale"));
  dcdtChart->GetLeftAxis()->GetTitle().SetCaption(UnnormalizedTitle);
  for (int i = 0; i < TemplateSeries; ++i) {
    auto* pattern = new TFastLineSeries(dcdtChart.get());
    pattern->SetTitle(QStringLiteral("template"));
    // The overlays are the viewers' results: data, never samples.
    pattern->SetManualData(true);
    dcdtChart->AddSeries(pattern);
  }
  dcdtChart->SetParentWidget(this);
  dcdtChart->GetWidget()->setToolTip(QStringLiteral("Double click to edit chart properties"));
}

void TKorvaleCompare::WireHandlers() {
  connect(ButtonRefresh, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { ButtonRefreshClick(); }); });
  connect(RadioButtonNormalized, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { RadioButtonNormalizedClick(); }); });
  connect(BitBtn1, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { SBUndoZoomCorClick(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  // The control already runs its event handlers guarded.
  dcdtChart->OnDblClick = [this](TCustomControl*) { dcdtChartDblClick(); };
  ChartEditor1 = std::make_unique<TChartEditor>(nullptr);
  ChartEditor1->SetChart(dcdtChart.get());
  dcdtChart->OnMouseMove = [this](TCustomControl*, TShiftState, int X, int Y) {
    dcdtChartMouseMove(X, Y);
  };
  dcdtChart->OnMouseLeave = [this](TCustomControl*) { dcdtChartMouseLeave(); };
}
