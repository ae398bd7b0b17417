#include "chart/editor/TKorGalleryForm.h"

#include "chart/editor/TKorGallery.h"

#include "chart/editor/TChartGalleryPanel.h"
#include "chart/editor/TChartListBox.h"
#include "chart/editor/TGalleryChart.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorSeriesTypes.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The entry "all pages" of the page list.
QString AllPages() {
  return QStringLiteral("(all)");
}

bool IsPlainSeriesType(const TKorSeriesType& Type) {
  return Type.SeriesClassRef.Assigned() && !Type.FunctionClassRef.Assigned();
}

}  // namespace

TKorGalleryForm::TKorGalleryForm(QWidget* Parent) : QDialog(Parent), TComponent(nullptr) {
  setObjectName(QStringLiteral("KorGalleryForm"));
  setWindowTitle(QStringLiteral("KorChart Pro Gallery"));
  FChart = new TChart(this);
  FChart->SetName("GalleryChart");
  BuildForm();
  FillPages();
  CBSmooth->setChecked(ChartGalleryPanel1->GetSmooth());
  resize(620, 420);
}

TKorGalleryForm::~TKorGalleryForm() {
  Destroying();
  // The list listens to the chart: it lets go before the chart is freed.
  ChartListBox1->SetChart(nullptr);
}

void TKorGalleryForm::BuildForm() {
  auto* Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(4, 4, 4, 4);
  auto* Left = new QVBoxLayout;
  auto* PageRow = new QHBoxLayout;
  auto* PageLabel = new QLabel(QStringLiteral("&Gallery:"), this);
  CBPage = new QComboBox(this);
  CBPage->setObjectName(QStringLiteral("CBPage"));
  PageLabel->setBuddy(CBPage);
  PageRow->addWidget(PageLabel);
  PageRow->addWidget(CBPage, 1);
  Left->addLayout(PageRow);
  ChartListBox1 = new TChartListBox(this);
  ChartListBox1->setObjectName(QStringLiteral("ChartListBox1"));
  // A list of types to pick from: its series are samples, not the user's.
  ChartListBox1->SetAllowAddSeries(false);
  ChartListBox1->SetAllowDeleteSeries(false);
  ChartListBox1->SetEnableChangeType(false);
  ChartListBox1->SetEnableChangeColor(false);
  ChartListBox1->SetEnableDragSeries(false);
  ChartListBox1->SetMultiSelect(false);
  ChartListBox1->SetChart(FChart);
  ChartListBox1->setSortingEnabled(true);
  Left->addWidget(ChartListBox1, 1);
  Layout->addLayout(Left);

  auto* Right = new QVBoxLayout;
  ChartGalleryPanel1 = new TChartGalleryPanel(this);
  ChartGalleryPanel1->SetName("ChartGalleryPanel1");
  ChartGalleryPanel1->SetDisplaySub(false);
  ChartGalleryPanel1->SetParentWidget(this);
  ChartGalleryPanel1->GetWidget()->setObjectName(QStringLiteral("ChartGalleryPanel1"));
  Right->addWidget(ChartGalleryPanel1->GetWidget(), 1);
  auto* Bottom = new QHBoxLayout;
  AddGalleryButtons(
      *this, *this, *Bottom, *ChartGalleryPanel1, CB3D, CBSmooth, BOk, BCancel,
      [this] { CB3DClick(); }, [this] { CBSmoothClick(); });
  Right->addLayout(Bottom);
  Layout->addLayout(Right, 1);

  QObject::connect(CBPage, &QComboBox::currentIndexChanged,
                   [this](int) { RunGuarded([this] { CBPageChange(); }); });
  QObject::connect(ChartListBox1, &QListWidget::currentRowChanged,
                   [this](int) { RunGuarded([this] { ChartListBox1Click(); }); });
}

void TKorGalleryForm::FillPages() {
  QStringList Pages;
  const TKorSeriesTypes& Types = KorSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i)
    if (IsPlainSeriesType(*Types.Get(i)) && !Pages.contains(Types.Get(i)->GalleryPage()))
      Pages << Types.Get(i)->GalleryPage();
  Pages.prepend(AllPages());
  const QSignalBlocker Quiet(CBPage);
  CBPage->clear();
  CBPage->addItems(Pages);
  CBPage->setCurrentIndex(std::max<qsizetype>(0, Pages.indexOf(Korconst::KorMsg_GalleryStandard)));
}

void TKorGalleryForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  RunGuarded([this] {
    CBPageChange();
    KorTranslateControl(this);
  });
}

void TKorGalleryForm::keyPressEvent(QKeyEvent* Event) {
  bool Used = false;
  RunGuarded([this, Event, &Used] {
    const int Key = Event->key();
    // The list keeps its own arrows; the rest goes to the gallery.
    if (ChartListBox1->hasFocus() && (Key == Qt::Key_Up || Key == Qt::Key_Down)) return;
    TShiftState Shift;
    if (Event->modifiers() & Qt::AltModifier) Shift.Include(ssAlt);
    Used = ChartGalleryPanel1->HandleKey(Key, Shift);
  });
  if (!Used) QDialog::keyPressEvent(Event);
}

void TKorGalleryForm::CBPageChange() {
  const QString Page = CBPage->currentText();
  const bool All = CBPage->currentIndex() == 0;
  FChart->FreeAllSeries();
  const TKorSeriesTypes& Types = KorSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i) {
    const TKorSeriesType& Type = *Types.Get(i);
    if (!IsPlainSeriesType(Type) || (!All && Type.GalleryPage() != Page)) continue;
    TChartSeries* Series = CreateNewSeries(FChart, FChart, Type.SeriesClassRef);
    QString Title = Type.Description();
    Title.replace(KorLineSeparator, QLatin1Char(' '));
    Series->SetTitle(Title);
  }
  if (ChartListBox1->count() > 0 && ChartListBox1->currentRow() < 0)
    ChartListBox1->setCurrentRow(0);
  ChartListBox1Click();
}

void TKorGalleryForm::ChartListBox1Click() {
  TChartSeries* Series = ChartListBox1->SelectedSeries();
  if (Series == nullptr) return;
  const TChartSeriesClass Class = ClassOfInstance<TChartSeries>(*Series);
  if (Class == FShownClass) return;
  FShownClass = Class;
  ChartGalleryPanel1->SetNumRows(3);
  ChartGalleryPanel1->SetDisplaySub(false);
  ChartGalleryPanel1->SetView3D(CB3D->isChecked());
  ChartGalleryPanel1->AddSubGalleryCharts(Class, 1);
}

void TKorGalleryForm::CB3DClick() {
  ChartGalleryPanel1->SetView3D(CB3D->isChecked());
}

void TKorGalleryForm::CBSmoothClick() {
  ChartGalleryPanel1->SetSmooth(CBSmooth->isChecked());
}
