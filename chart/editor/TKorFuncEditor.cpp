#include "chart/editor/TKorFuncEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TAverageFuncEditor.h"
#include "chart/editor/TCustomFunctionEditor.h"
#include "chart/editor/TKorFunctionEditor.h"
#include "chart/editor/TSelectListForm.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TKorFunction.h"
#include "chart/core/TKorSeriesTypes.h"

#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

QVariant ItemData(const void* Pointer) {
  return QVariant::fromValue(const_cast<void*>(Pointer));
}

template <class T>
T* ItemObject(const QVariant& Data) {
  return static_cast<T*>(Data.value<void*>());
}

void AddSeriesItem(QListWidget& List, TChartSeries* Series) {
  auto* Item = new QListWidgetItem(SeriesTitleOrName(Series), &List);
  Item->setData(Qt::UserRole, ItemData(Series));
}

// What the page asks of a function kind, from a throw-away instance.
struct TFunctionTraits {
  QString EditorClass;
  bool NoSourceRequired = false;
  bool SingleSource = false;
  // No function of this library hides the choice of the value list; the
  // page still follows the answer so that one could.
  bool HideSourceList = false;
};

TFunctionTraits TraitsOf(TKorFunctionClass Class) {
  const std::unique_ptr<TKorFunction> Sample(Class.Create(nullptr));
  return {Sample->GetEditorClass(), Sample->GetNoSourceRequired(), Sample->GetSingleSource(),
          false};
}

}  // namespace

void RegisterFunctionEditors() {
  RegisterEditorForm(QStringLiteral("TKorFuncEditor"),
                     [](QWidget* Parent) { return new TKorFuncEditor(Parent); });
  RegisterEditorForm(QStringLiteral("TKorFunctionEditor"),
                     [](QWidget* Parent) { return new TKorFunctionEditor(Parent); });
  RegisterEditorForm(QStringLiteral("TAverageFuncEditor"),
                     [](QWidget* Parent) { return new TAverageFuncEditor(Parent); });
  RegisterEditorForm(QStringLiteral("TCustomFunctionEditor"),
                     [](QWidget* Parent) { return new TCustomFunctionEditor(Parent); });
}

TKorFuncEditor* KorFuncEditorOf(const QWidget& Form) {
  for (QWidget* W = Form.parentWidget(); W != nullptr; W = W->parentWidget())
    if (auto* Page = dynamic_cast<TKorFuncEditor*>(W)) return Page;
  return nullptr;
}

TKorFuncEditor::TKorFuncEditor(QWidget* Parent) : TBaseSourceEditor(Parent) {
  setObjectName(QStringLiteral("KorFuncEditor"));
  BuildControls();
}

TKorFuncEditor::~TKorFuncEditor() {
  Destroying();
  ListenTo(nullptr);
}

void TKorFuncEditor::BuildControls() {
  LLabel->setText(QStringLiteral("&Functions:"));
  PageControl1 = TFormBuilder(*this).Add<QTabWidget>(QStringLiteral("PageControl1"), QString(), 0,
                                                     38, 440, 292);
  TabSource = new QWidget;
  TabSource->setObjectName(QStringLiteral("TabSource"));
  TabOptions = new QWidget;
  TabOptions->setObjectName(QStringLiteral("TabOptions"));
  PageControl1->addTab(TabSource, QStringLiteral("Source Series"));
  PageControl1->addTab(TabOptions, QStringLiteral("Options"));

  PanSingle = TFormBuilder::AddTo<QWidget>(*TabSource, QStringLiteral("PanSingle"), QString(), 0, 0,
                                           436, 72);
  TFormBuilder S(*PanSingle);
  LSeries = S.Add<QLabel>(QStringLiteral("LSeries"), QStringLiteral("&Series:"), 8, 12, 60, 13);
  CBSingle = S.Add<TComboFlat>(QStringLiteral("CBSingle"), QString(), 72, 8, 200, 21);
  BNone = S.Add<QPushButton>(QStringLiteral("BNone"), QStringLiteral("&None"), 284, 6, 75, 25);
  LValues = S.Add<QLabel>(QStringLiteral("LValues"), QStringLiteral("&Values:"), 8, 44, 60, 13);
  CBValues = S.Add<TComboFlat>(QStringLiteral("CBValues"), QString(), 72, 40, 120, 21);
  LSeries->setBuddy(CBSingle);
  LValues->setBuddy(CBValues);
  PanSingle->hide();

  for (QTimer** Timer : {&Timer1, &Timer2}) {
    *Timer = new QTimer(this);
    (*Timer)->setSingleShot(true);
    (*Timer)->setInterval(1);
  }
  connect(Timer1, &QTimer::timeout, this, [this] { RunGuarded([this] { Timer1Timer(); }); });
  connect(Timer2, &QTimer::timeout, this, [this] { RunGuarded([this] { Timer2Timer(); }); });
  connect(CBSingle, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBSingleChange(); }); });
  connect(CBValues, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBValuesChange(); }); });
  connect(BNone, &QPushButton::clicked, this, [this] { RunGuarded([this] { BNoneClick(); }); });
}

// ------------------------------------------------------------------ show

void TKorFuncEditor::FormShow() {
  PageControl1->setCurrentWidget(TabSource);
  TBaseSourceEditor::FormShow();
  ListenTo(TheSeries != nullptr ? TheSeries->GetParentChart() : nullptr);
  CreateSelectList();
  {
    const TScopeGuard Restore([this, Was = FChangingSeries] { FChangingSeries = Was; });
    FChangingSeries = true;
    FillFunctions();
    FillSourceSeries();
    SelectFunctionOfSeries();
  }
  CBSourcesChange();
  BApply->setEnabled(TheSeries != nullptr && TheSeries->GetFunction() == nullptr &&
                     TheSeries->GetDataSource() == nullptr);
}

void TKorFuncEditor::ListenTo(TCustomAxisPanel* Chart) {
  if (Chart == FListened) return;
  if (FListened != nullptr) {
    FListened->RemoveListener(this);
    FListened->RemoveFreeNotification(this);
  }
  FListened = Chart;
  if (FListened != nullptr) {
    FListened->GetListeners().Add(this);
    FListened->FreeNotification(this);
  }
}

void TKorFuncEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TBaseSourceEditor::Notification(AComponent, Operation);
  // The chart is in its last destructor: it drops its listeners itself.
  if (Operation == TOperation::opRemove && AComponent == FListened) FListened = nullptr;
}

void TKorFuncEditor::CreateSelectList() {
  if (FSelectList != nullptr) return;
  FSelectList = new TSelectListForm(TabSource);
  for (QListWidget* List : {FSelectList->FromList, FSelectList->ToList})
    List->resize(List->width(), List->height() - 5);
  FSelectList->setFixedSize(FSelectList->width(), FSelectList->height() - 8);
  KorTranslateControl(FSelectList);
  FSelectList->OnChange = [this](TSelectListForm*) { BApply->setEnabled(true); };
  AddFormTo(*FSelectList, *TabSource);
}

void TKorFuncEditor::FillFunctions() {
  std::vector<std::pair<QString, const TClassInfo*>> Kinds;
  const TKorSeriesTypes& Types = KorSeriesTypes();
  for (int I = 0; I < Types.Count(); ++I) {
    const TKorSeriesType* Type = Types.Get(I);
    if (!Type->FunctionClassRef || Type->SeriesClassRef) continue;
    const TClassInfo* Info = Type->FunctionClassRef.Info();
    if (std::any_of(Kinds.begin(), Kinds.end(), [Info](const auto& K) { return K.second == Info; }))
      continue;
    QString Text = Type->Description();
    Text.replace(KorLineSeparator, u' ');
    Kinds.emplace_back(Text, Info);
  }
  std::stable_sort(Kinds.begin(), Kinds.end(), [](const auto& A, const auto& B) {
    return QString::localeAwareCompare(A.first, B.first) < 0;
  });
  CBSources->clear();
  CBSources->addItem(Korconst::KorMsg_FunctionNone, ItemData(nullptr));
  for (const auto& [Text, Info] : Kinds) CBSources->addItem(Text, ItemData(Info));
}

void TKorFuncEditor::SelectFunctionOfSeries() {
  int Index = 0;
  if (TheSeries != nullptr && TheSeries->GetFunction() != nullptr)
    for (int I = 1; I < CBSources->count(); ++I)
      if (TKorFunctionClass(ItemObject<const TClassInfo>(CBSources->itemData(I)))
              .IsClassOf(TheSeries->GetFunction()))
        Index = I;
  CBSources->setCurrentIndex(Index);
}

void TKorFuncEditor::FillSourceSeries(const TChartSeries* Leaving) {
  const TScopeGuard Restore([this, Was = FChangingSeries] { FChangingSeries = Was; });
  FChangingSeries = true;
  CBSingle->clear();
  if (FSelectList != nullptr) {
    FSelectList->FromList->clear();
    FSelectList->ToList->clear();
  }
  if (TheSeries == nullptr) return;
  TCustomAxisPanel* Chart = TheSeries->GetParentChart();
  const TDataSourcesList& Sources = TheSeries->GetDataSources();
  // The series' own owner holds the candidates: the program's main window
  // is no frame of child windows that could hold others.
  if (const TComponent* Owner = TheSeries->GetOwner();
      Owner != nullptr && !Owner->InState(csDestroying) && Chart != nullptr)
    for (int I = 0; I < Owner->GetComponentCount(); ++I) {
      TComponent* C = Owner->GetComponent(I);
      if (C == Leaving || C->InState(csDestroying)) continue;
      auto* S = dynamic_cast<TChartSeries*>(C);
      if (S == nullptr || !Chart->IsValidDataSource(TheSeries, S)) continue;
      CBSingle->addItem(SeriesTitleOrName(S), ItemData(S));
      if (FSelectList != nullptr && Sources.IndexOf(S) < 0)
        AddSeriesItem(*FSelectList->FromList, S);
    }
  if (FSelectList != nullptr) {
    for (int I = 0; I < Sources.Count(); ++I)
      if (auto* S = dynamic_cast<TChartSeries*>(Sources.Get(I)); S != nullptr && S != Leaving)
        AddSeriesItem(*FSelectList->ToList, S);
    FSelectList->EnableButtons();
  }
  SelectSourceOfSeries();
}

void TKorFuncEditor::SelectSourceOfSeries() {
  CBSingle->setCurrentIndex(CBSingle->findData(ItemData(TheSeries->GetDataSource())));
  CBSingleChange();
  const int Index =
      CBValues->findText(TheSeries->GetMandatory().GetValueSource(), Qt::MatchFixedString);
  CBValues->setCurrentIndex(Index >= 0 ? Index : 0);
}

// ------------------------------------------------------- function choice

TKorFunctionClass TKorFuncEditor::SelectedFunctionClass() const {
  return TKorFunctionClass(ItemObject<const TClassInfo>(CBSources->currentData()));
}

void TKorFuncEditor::CBSourcesChange() {
  if (FChangingSeries || TheSeries == nullptr) return;
  TBaseSourceEditor::CBSourcesChange();
  const TKorFunctionClass Class = SelectedFunctionClass();
  FreeOptionsForm();
  PageControl1->setTabVisible(PageControl1->indexOf(TabOptions), Class.Assigned());
  if (Class) {
    ShowFunctionOptions(Class);
  } else {
    PageControl1->setTabVisible(PageControl1->indexOf(TabSource), true);
    PanSingle->hide();
    FSingleMode = false;
  }
  if (FSelectList != nullptr) FSelectList->setHidden(FSingleMode);
  if (!FSingleMode) Timer2->start();
}

void TKorFuncEditor::ShowFunctionOptions(TKorFunctionClass Class) {
  CheckFunction(Class);
  const TFunctionTraits Traits = TraitsOf(Class);
  FSingleMode = Traits.SingleSource && !Traits.NoSourceRequired;
  PanSingle->setVisible(FSingleMode);
  ShowControls(!Traits.HideSourceList, {LValues, CBValues});
  if (!Traits.EditorClass.isEmpty())
    FOptionsForm = CreateEditorForm(Traits.EditorClass, TabOptions);
  if (FOptionsForm != nullptr) {
    KorTranslateControl(FOptionsForm);
    AddObjectFormTo(*FOptionsForm, *TabOptions, TheSeries->GetFunction());
  } else {
    PageControl1->setTabVisible(PageControl1->indexOf(TabOptions), false);
  }
  PageControl1->setTabVisible(PageControl1->indexOf(TabSource), !Traits.NoSourceRequired);
  if (Traits.NoSourceRequired && FOptionsForm != nullptr)
    PageControl1->setCurrentWidget(TabOptions);
  if ((Traits.NoSourceRequired || TheSeries->GetDataSource() != nullptr) && FOptionsForm != nullptr)
    Timer1->start();
}

void TKorFuncEditor::FreeOptionsForm() {
  delete FOptionsForm;
  FOptionsForm = nullptr;
}

void TKorFuncEditor::CheckFunction(TKorFunctionClass Class) {
  TKorFunction* Present = TheSeries->GetFunction();
  if (!Class) {
    if (Present != nullptr) TheSeries->SetFunction(nullptr);
    return;
  }
  if (Class.IsClassOf(Present)) return;
  if (Present != nullptr) TheSeries->SetFunction(nullptr);
  CreateNewKorFunction(*TheSeries, Class);
  BApply->setEnabled(false);
}

void TKorFuncEditor::Timer1Timer() {
  if (!PageControl1->isTabVisible(PageControl1->indexOf(TabOptions))) return;
  PageControl1->setCurrentWidget(TabOptions);
}

void TKorFuncEditor::Timer2Timer() {
  if (!PageControl1->isTabVisible(PageControl1->indexOf(TabSource))) return;
  PageControl1->setCurrentWidget(TabSource);
}

// --------------------------------------------------------- single source

TChartSeries* TKorFuncEditor::SelectedSourceSeries() const {
  return ItemObject<TChartSeries>(CBSingle->currentData());
}

void TKorFuncEditor::CBSingleChange() {
  if (!FChangingSeries) BApply->setEnabled(true);
  const TChartSeries* Source = SelectedSourceSeries();
  CBValues->setEnabled(Source != nullptr);
  BNone->setEnabled(Source != nullptr);
  const TScopeGuard Restore([this, Was = FChangingSeries] { FChangingSeries = Was; });
  FChangingSeries = true;
  CBValues->clear();
  if (Source == nullptr) return;
  const TChartValueLists& Lists = Source->GetValuesList();
  for (int I = 1; I < Lists.Count(); ++I) CBValues->addItem(Lists.Get(I)->GetName());
  CBValues->setCurrentIndex(0);
}

void TKorFuncEditor::CBValuesChange() {
  if (!FChangingSeries) BApply->setEnabled(true);
}

void TKorFuncEditor::BNoneClick() {
  CBSingle->setCurrentIndex(-1);
}

// ----------------------------------------------------------------- apply

void TKorFuncEditor::BApplyClick() {
  if (TheSeries == nullptr) return;
  // Unapplied options first; an options form that refuses (an entry that
  // is not a number) keeps the page as it is.
  if (FOptionsForm != nullptr && FOptionsForm->isWindowModified() &&
      !KorFormCloseQuery(*FOptionsForm))
    return;
  {
    TheSeries->BeginUpdate();
    const TScopeGuard End([this] { TheSeries->EndUpdate(); });
    if (FSingleMode)
      ApplySingleSource();
    else
      ApplySeveralSources();
    CheckFunction(SelectedFunctionClass());
  }
  TheSeries->CheckDataSource();
  BApply->setEnabled(false);
}

void TKorFuncEditor::ApplySingleSource() {
  TChartSeries* Source = SelectedSourceSeries();
  TDataSourcesList& Sources = TheSeries->GetDataSources();
  if (Source == nullptr) {
    TheSeries->SetDataSource(nullptr);
    TheSeries->GetMandatory().SetValueSource(QString());
    return;
  }
  // A series that is one of several sources becomes the only one.
  if (Sources.IndexOf(Source) >= 0 && Sources.Count() > 1) Sources.Clear();
  TheSeries->SetDataSource(Source);
  TheSeries->GetMandatory().SetValueSource(CBValues->currentIndex() >= 0 ? CBValues->currentText()
                                                                         : QString());
}

void TKorFuncEditor::ApplySeveralSources() {
  std::vector<TChartSeries*> Chosen;
  for (int I = 0; I < FSelectList->ToList->count(); ++I)
    Chosen.push_back(ItemObject<TChartSeries>(FSelectList->ToList->item(I)->data(Qt::UserRole)));
  if (Chosen.empty()) {
    TheSeries->SetDataSource(nullptr);
    return;
  }
  // Every choice is checked before the present sources are dropped, so a
  // refused one leaves the series as it was.
  TCustomAxisPanel* Chart = TheSeries->GetParentChart();
  for (TChartSeries* Source : Chosen) {
    if (Chart == nullptr || !Chart->IsValidDataSource(TheSeries, Source))
      throw ChartException(Format(Korconst::KorMsg_SeriesInvDataSource,
                                  {QString::fromStdString(Source->GetName())}));
    Chart->CheckOtherSeries(TheSeries, Source);
  }
  TDataSourcesList& Sources = TheSeries->GetDataSources();
  Sources.Clear();
  for (TChartSeries* Source : Chosen) Sources.Add(Source);
}

// ---------------------------------------------------------------- events

void TKorFuncEditor::KorEvent(TKorEvent& Event) {
  const auto* SeriesEvent = dynamic_cast<const TKorSeriesEvent*>(&Event);
  // A chart being freed removes its series one by one: nothing to list.
  if (SeriesEvent == nullptr || TheSeries == nullptr || FListened == nullptr ||
      FListened->InState(csDestroying))
    return;
  const TChartSeriesEvent What = SeriesEvent->Event;
  if (What != seAdd && What != seRemove && What != seSwap) return;
  if (SeriesEvent->Series != nullptr && SeriesEvent->Series == TheSeries) {
    BApply->setEnabled(false);
    return;
  }
  RunGuarded([&] { FillSourceSeries(What == seRemove ? SeriesEvent->Series : nullptr); });
}
