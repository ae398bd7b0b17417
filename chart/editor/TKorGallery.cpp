#include "chart/editor/TKorGallery.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TChartGalleryPanel.h"
#include "chart/editor/TChartListBox.h"
#include "chart/editor/TGalleryChart.h"
#include "chart/editor/TKorGalleryForm.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/series/RegisterSeriesTypes.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

const QString SmoothGalleryOption = QStringLiteral("SmoothGallery");
const QString GalleryModeOption = QStringLiteral("GalleryMode");

// Runs one of the two gallery forms; they share the panel and "&3D".
template <class Form>
bool RunGallery(QWidget* Owner, TChartSeries* Series, bool ShowFunctions, int& SubIndex,
                bool CheckValid, TKorFunctionClass& FunctionClass, bool& View3D,
                TChartSeriesClass& SeriesClass) {
  std::unique_ptr<Form> Dialog = KorCreateForm<Form>(Owner);
  Dialog->CB3D->setChecked(View3D);
  if (!ShowFunctions) Dialog->HideFunctions();
  TChartGalleryPanel& Panel = *Dialog->GetGalleryPanel();
  Panel.SetView3D(View3D);
  Panel.SetChangeSeries(Series);
  Panel.SetCheckSeries(CheckValid);
  if (ShowModal(*Dialog) != mrOk) return false;
  if (!Panel.GetSeriesClass(SeriesClass, FunctionClass, SubIndex)) return false;
  View3D = Dialog->CB3D->isChecked();
  if (TGalleryChart* Chosen = Panel.GetSelectedChart()) Chosen->SetView3D(View3D);
  return true;
}

// The gallery for Series; false when cancelled (Series is then unchanged).
bool ChangeTypeThroughGallery(QWidget* Owner, TChartSeries*& Series) {
  int SubIndex = 0;
  TChartSeries* Created =
      CreateNewSeriesGallery(Owner, Series, Series->GetParentChart(), SubIndex, true, false);
  if (Created == nullptr) return false;
  TChartSeries* Old = Series;
  AssignSeries(Old, Created);
  Series = Created;
  // Taking over the old settings undid the variant.
  if (SubIndex != -1) Series->SetSubGallery(SubIndex);
  return true;
}

}  // namespace

void AddGalleryButtons(QDialog& Dialog, QWidget& Parent, QHBoxLayout& Row,
                       TChartGalleryPanel& Panel, QCheckBox*& CB3D, QCheckBox*& CBSmooth,
                       QPushButton*& BOk, QPushButton*& BCancel, std::function<void()> On3D,
                       std::function<void()> OnSmooth) {
  CB3D = new QCheckBox(QStringLiteral("&3D"), &Parent);
  CB3D->setObjectName(QStringLiteral("CB3D"));
  CB3D->setChecked(true);
  CBSmooth = new QCheckBox(QStringLiteral("&Smooth"), &Parent);
  CBSmooth->setObjectName(QStringLiteral("CBSmooth"));
  BOk = new QPushButton(QStringLiteral("OK"), &Parent);
  BOk->setObjectName(QStringLiteral("BOk"));
  BOk->setDefault(true);
  BCancel = new QPushButton(QStringLiteral("Cancel"), &Parent);
  BCancel->setObjectName(QStringLiteral("BCancel"));
  Row.addWidget(CB3D);
  Row.addWidget(CBSmooth);
  Row.addStretch(1);
  Row.addWidget(BOk);
  Row.addWidget(BCancel);
  QObject::connect(CB3D, &QCheckBox::clicked, [On3D] { RunGuarded(On3D); });
  QObject::connect(CBSmooth, &QCheckBox::clicked, [OnSmooth] { RunGuarded(OnSmooth); });
  QObject::connect(BOk, &QPushButton::clicked, [&Dialog] { Dialog.done(mrOk); });
  QObject::connect(BCancel, &QPushButton::clicked, [&Dialog] { Dialog.done(mrCancel); });
  Panel.OnSelectedChart = [&Dialog](TChartGalleryPanel*) { Dialog.done(mrOk); };
}

TKorGallery::TKorGallery(QWidget* Parent) : QDialog(Parent), TComponent(nullptr) {
  setObjectName(QStringLiteral("KorGallery"));
  setWindowTitle(QStringLiteral("KorChart Gallery"));
  BuildForm();
  resize(520, 420);
}

TKorGallery::~TKorGallery() {
  Destroying();
}

void TKorGallery::BuildForm() {
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(4, 4, 4, 4);
  TabTypes = new QTabBar(this);
  TabTypes->setObjectName(QStringLiteral("TabTypes"));
  TabTypes->addTab(Korconst::KorMsg_Series);
  TabTypes->addTab(Korconst::KorMsg_GalleryFunctions);
  Layout->addWidget(TabTypes);
  TabPages = new QTabBar(this);
  TabPages->setObjectName(QStringLiteral("TabPages"));
  Layout->addWidget(TabPages);
  ChartGalleryPanel1 = new TChartGalleryPanel(this);
  ChartGalleryPanel1->SetName("ChartGalleryPanel1");
  ChartGalleryPanel1->SetParentWidget(this);
  ChartGalleryPanel1->GetWidget()->setObjectName(QStringLiteral("ChartGalleryPanel1"));
  Layout->addWidget(ChartGalleryPanel1->GetWidget(), 1);
  P1 = new QWidget(this);
  P1->setObjectName(QStringLiteral("P1"));
  auto* Bottom = new QHBoxLayout(P1);
  Bottom->setContentsMargins(0, 0, 0, 0);
  AddGalleryButtons(
      *this, *P1, *Bottom, *ChartGalleryPanel1, CB3D, CBSmooth, BOk, BCancel,
      [this] { CB3DClick(); }, [this] { CBSmoothClick(); });
  Layout->addWidget(P1);

  QObject::connect(TabTypes, &QTabBar::currentChanged,
                   [this](int) { RunGuarded([this] { TabTypesChange(); }); });
  QObject::connect(TabPages, &QTabBar::currentChanged,
                   [this](int) { RunGuarded([this] { TabPagesChange(); }); });
}

bool TKorGallery::FunctionsTab() const {
  return TabTypes->currentIndex() == 1;
}

QStringList TKorGallery::PageNames() const {
  QStringList Names;
  for (int i = 0; i < TabPages->count(); ++i) Names << TabPages->tabText(i);
  return Names;
}

void TKorGallery::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  RunGuarded([this] { FormShow(); });
}

void TKorGallery::keyPressEvent(QKeyEvent* Event) {
  bool Used = false;
  RunGuarded([this, Event, &Used] {
    TShiftState Shift;
    if (Event->modifiers() & Qt::AltModifier) Shift.Include(ssAlt);
    Used = ChartGalleryPanel1->HandleKey(Event->key(), Shift);
  });
  if (!Used) QDialog::keyPressEvent(Event);
}

void TKorGallery::FormShow() {
  CBSmooth->setChecked(ChartGalleryPanel1->GetSmooth());
  if (TabTypes->currentIndex() == 0)
    TabTypesChange();
  else
    TabTypes->setCurrentIndex(0);
  KorTranslateControl(this);
}

void TKorGallery::TabTypesChange() {
  const bool Functions = FunctionsTab();
  QStringList Pages;
  const TKorSeriesTypes& Types = KorSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i) {
    const TKorSeriesType& Type = *Types.Get(i);
    if (Type.FunctionClassRef.Assigned() != Functions || Type.GallerySeriesCount <= 0) continue;
    const QString Page = Type.GalleryPage();
    if (!Pages.contains(Page)) Pages << Page;
  }
  const int Standard = Pages.indexOf(Korconst::KorMsg_GalleryStandard);
  if (Standard > 0) Pages.move(Standard, 0);
  {
    const QSignalBlocker Quiet(TabPages);
    while (TabPages->count() > 0) TabPages->removeTab(0);
    for (const QString& Page : Pages) TabPages->addTab(Page);
    TabPages->setCurrentIndex(Pages.isEmpty() ? -1 : 0);
  }
  TabPagesChange();
}

void TKorGallery::TabPagesChange() {
  const int Page = TabPages->currentIndex();
  if (Page < 0) {
    ChartGalleryPanel1->ClearCharts();
    return;
  }
  ChartGalleryPanel1->SetFunctionsMode(FunctionsTab());
  ChartGalleryPanel1->SetView3D(CB3D->isChecked());
  ChartGalleryPanel1->CreateGalleryPage(TabPages->tabText(Page));
}

void TKorGallery::CB3DClick() {
  ChartGalleryPanel1->SetView3D(CB3D->isChecked());
}

void TKorGallery::CBSmoothClick() {
  ChartGalleryPanel1->SetSmooth(CBSmooth->isChecked());
  KorSaveBoolOption(SmoothGalleryOption, CBSmooth->isChecked());
}

void TKorGallery::HideFunctions() {
  if (TabTypes->count() > 1) TabTypes->removeTab(1);
  ChartGalleryPanel1->SetFunctionsMode(false);
}

void TKorGallery::HideButtons() {
  P1->hide();
}

// -- the routines

bool GetChartGalleryClass(QWidget* Owner, TChartSeries* Series, bool ShowFunctions, int& SubIndex,
                          bool CheckValid, TKorFunctionClass& FunctionClass, bool& View3D,
                          TChartSeriesClass& SeriesClass) {
  if (KorReadIntegerOption(GalleryModeOption, 0) == 0)
    return RunGallery<TKorGallery>(Owner, Series, ShowFunctions, SubIndex, CheckValid,
                                   FunctionClass, View3D, SeriesClass);
  return RunGallery<TKorGalleryForm>(Owner, Series, ShowFunctions, SubIndex, CheckValid,
                                     FunctionClass, View3D, SeriesClass);
}

TChartSeries* CreateNewSeriesGallery(QWidget* Owner, TChartSeries* Series, TCustomAxisPanel* Chart,
                                     int& SubIndex, bool CheckValid, bool ShowFunctions) {
  TChartSeriesClass SeriesClass;
  TKorFunctionClass FunctionClass;
  bool View3D = Chart != nullptr ? Chart->GetView3D() : true;
  if (!GetChartGalleryClass(Owner, Series, ShowFunctions, SubIndex, CheckValid, FunctionClass,
                            View3D, SeriesClass))
    return nullptr;
  if (Chart != nullptr) Chart->SetView3D(View3D);
  if (Series != nullptr && !ShowFunctions && SeriesClass.IsClassOf(Series) && SubIndex == -1)
    return nullptr;
  TComponent* SeriesOwner = Series != nullptr  ? Series->GetOwner()
                            : Chart != nullptr ? Chart->GetOwner()
                                               : nullptr;
  TChartSeries* Created = CreateNewSeries(SeriesOwner, Chart, SeriesClass, FunctionClass);
  if (SubIndex != -1) Created->SetSubGallery(SubIndex);
  return Created;
}

TChartSeries* CreateNewSeriesGallery(QWidget* Owner, TCustomAxisPanel* Chart) {
  int SubIndex = 0;
  return CreateNewSeriesGallery(Owner, nullptr, Chart, SubIndex, false, true);
}

TChartSeries* ChangeSeriesTypeGallery(QWidget* Owner, TChartSeries*& Series) {
  if (Series != nullptr) ChangeTypeThroughGallery(Owner, Series);
  return Series;
}

void ChangeAllSeriesGallery(QWidget* Owner, TCustomAxisPanel& Chart) {
  if (Chart.SeriesCount() == 0) return;
  TChartSeries* First = Chart.GetSeries(0);
  if (!ChangeTypeThroughGallery(Owner, First)) return;
  ChangeAllSeriesType(Chart, ClassOfInstance<TChartSeries>(*First));
}

void RegisterSeriesGallery() {
  RegisterKorStandardSeries();
  KorAddGalleryProc = [](QWidget* Owner, TCustomChart* Chart, TChartSeries* Series) {
    int SubIndex = 0;
    return Chart != nullptr ? CreateNewSeriesGallery(Owner, Series, Chart, SubIndex, false, true)
                            : nullptr;
  };
  KorChangeGalleryProc = [](QWidget* Owner, TChartSeries*& Series) {
    if (Series == nullptr || !ChangeTypeThroughGallery(Owner, Series)) return TChartSeriesClass();
    return ClassOfInstance<TChartSeries>(*Series);
  };
}

void UnRegisterSeriesGallery() {
  KorAddGalleryProc = {};
  KorChangeGalleryProc = {};
}
