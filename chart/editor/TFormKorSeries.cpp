#include "chart/editor/TFormKorSeries.h"

#include "chart/editor/KorCursors.h"
#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartGrid.h"
#include "chart/editor/TChartGridNavigator.h"
#include "chart/editor/TChartListBox.h"
#include "chart/editor/TFormKorShape.h"
#include "chart/editor/TSeriesPointerEditor.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCallout.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TKorSeriesSource.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksSymbol.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TBitmap.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The fixed choices of the data-source combo, in order.
enum TDataSourceStyle { dsManual, dsRandom, dsFunction };
// Where a data-source choice keeps the registered class it stands for.
constexpr int SourceClassRole = Qt::UserRole + 1;
const QString FunctionEditorClass = QStringLiteral("TKorFuncEditor");
constexpr int DataSourceRows = 12;
constexpr int MaxDepth = 1200;
constexpr int FirstCustomAxis = 3;  // combo row of the first custom axis

// Mark styles whose text has parts that can go on separate lines.
bool CanSpanLines(TSeriesMarksStyle Style) {
  switch (Style) {
    case smsLabelPercent:
    case smsLabelValue:
    case smsLabelPercentTotal:
    case smsXY:
    case smsPercentTotal: return true;
    default: return false;
  }
}

// The value list a series' Z date-time box edits, when it has one.
TChartValueList* ZList(const TChartSeries& Series) {
  for (const auto& List : Series.GetValuesList())
    if (List->GetName() == QStringLiteral("Z")) return List.get();
  return nullptr;
}

QWidget* AddPage(QTabWidget& Pages, const QString& Name, const QString& Caption) {
  auto* Tab = new QWidget;
  Tab->setObjectName(Name);
  Pages.addTab(Tab, Caption);
  return Tab;
}

QLabel* AddLabel(QWidget& Parent, const QString& Name, const QString& Caption, int Left, int Top,
                 QWidget* Buddy) {
  auto* Label = TFormBuilder::AddTo<QLabel>(Parent, Name, Caption, Left, Top);
  Label->setBuddy(Buddy);
  return Label;
}

TEditUpDown* AddUpDown(QWidget& Parent, const QString& Name, int Left, int Top, int Min, int Max,
                       int Step = 1) {
  return AddUpDownEdit(Parent, Name, QString(), QRect(Left, Top, 56, 21), Min, Max, Step,
                       QString());
}

void SelectText(QComboBox& Combo, const QString& Text) {
  if (Combo.findText(Text) < 0) Combo.addItem(Text);
  Combo.setCurrentIndex(Combo.findText(Text));
}

// The series page a control sits in, or nullptr.
TFormKorSeries* SeriesPageOf(QWidget* Control) {
  for (QWidget* W = Control; W != nullptr; W = W->parentWidget())
    if (auto* Page = dynamic_cast<TFormKorSeries*>(W)) return Page;
  return nullptr;
}

}  // namespace

QString SeriesEditorForm(const TChartSeries& Series) {
  const QString Class = Series.GetEditorClass();
  return IsEditorFormRegistered(Class) ? Class : QString();
}

void AddToTab(QWidget& Form, QWidget& Tab, TPersistent* Object) {
  auto* Layout = Tab.layout() != nullptr ? Tab.layout() : new QVBoxLayout(&Tab);
  Layout->setContentsMargins(0, 0, 0, 0);
  AddObjectFormTo(Form, Tab, Object);
  Layout->addWidget(&Form);
  KorTranslateControl(&Form);
}

QWidget* InsertSeriesForm(QWidget& Owner, const QString& FormClass, const QString& Title,
                          TPersistent* Object, int PageIndex) {
  if (!IsEditorFormRegistered(FormClass)) return nullptr;
  TFormKorSeries* Page = SeriesPageOf(&Owner);
  if (Page == nullptr) {
    QWidget* Form = CreateEditorForm(FormClass, &Owner);
    Form->setWindowTitle(Title);
    AddObjectFormTo(*Form, Owner, Object);
    return Form;
  }
  auto* Tab = new QWidget;
  Tab->setObjectName(FormClass + QStringLiteral("Tab"));
  QTabWidget& Pages = *Page->PageSeries;
  const int Index = PageIndex < 0 || PageIndex > Pages.count() ? Pages.count() : PageIndex;
  {
    // Inserting shifts the current index; that is no choice of the user.
    const QSignalBlocker Block(&Pages);
    Pages.insertTab(Index, Tab, Title);
  }
  QWidget* Form = CreateEditorForm(FormClass, Tab);
  AddToTab(*Form, *Tab, Object);
  return Form;
}

void RegisterSeriesEditorPage() {
  ChartEditorPages().Register(
      QStringLiteral("TabSeries"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        auto* Form = new TFormKorSeries(&Page);
        Form->SetShowTabDataSource((Editor.GetOptions() & EditorOption(ceDataSource)) != 0);
        Form->SetChartListBox(Editor.LBSeries);
        Form->SetChart(Editor.GetChart());
        TChartSeries* Series = Editor.GetEditSeries();
        if (Series == nullptr) Series = Editor.LBSeries->SelectedSeries();
        Form->SetSeries(Series);
        Form->OpenTab(Editor.GetSeriesTab());
        return Form;
      },
      TPageSizing::psAhead);
}

// ------------------------------------------------------------------ build

TFormKorSeries::TFormKorSeries(QWidget* Parent) : QWidget(Parent), TComponent(nullptr) {
  setObjectName(QStringLiteral("FormKorSeries"));
  BuildForm();
  Connect();
  PageSeries->setCurrentWidget(TheTabSheet);
  PageControlMarks->setCurrentWidget(TabMarksStyle);
  ShowNoSeries();
}

TFormKorSeries::~TFormKorSeries() {
  Destroying();
  Timer1->stop();
  // The forms may still point at the series; they go first.
  DestroySeriesForms();
  if (FTheSeries != nullptr) FTheSeries->RemoveFreeNotification(this);
  if (FChart != nullptr) {
    FChart->RemoveListener(this);
    FChart->RemoveFreeNotification(this);
  }
}

void TFormKorSeries::BuildForm() {
  resize(440, 330);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(2);
  BuildHeader();
  Layout->addWidget(PanelTop);
  PageSeries = new QTabWidget(this);
  PageSeries->setObjectName(QStringLiteral("PageSeries"));
  TheTabSheet = AddPage(*PageSeries, QStringLiteral("TheTabSheet"), QStringLiteral("Format"));
  TabGeneral = AddPage(*PageSeries, QStringLiteral("TabGeneral"), QStringLiteral("General"));
  TabMarks = AddPage(*PageSeries, QStringLiteral("TabMarks"), QStringLiteral("Marks"));
  TabDataSource =
      AddPage(*PageSeries, QStringLiteral("TabDataSource"), QStringLiteral("Data Source"));
  (new QVBoxLayout(TheTabSheet))->setContentsMargins(0, 0, 0, 0);
  BuildGeneral();
  BuildMarks();
  BuildDataSource();
  Layout->addWidget(PageSeries, 1);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1);
  Timer1->setSingleShot(true);
}

void TFormKorSeries::BuildHeader() {
  PanelTop = new QWidget(this);
  PanelTop->setObjectName(QStringLiteral("PanelTop"));
  PanelTop->setFixedHeight(30);
  TFormBuilder B(*PanelTop);
  ImageSeries = B.Add<QLabel>(QStringLiteral("ImageSeries"), QString(), 0, 0, 24, 24);
  LabelSeriesClass = B.Add<QLabel>(QStringLiteral("LabelSeriesClass"), QString(), 0, 0);
  PaintBox1 = B.Add<QWidget>(QStringLiteral("PaintBox1"), QString(), 0, 0, 16, 16);
  PaintBox1->setFixedSize(16, 16);
  CBSeries = B.Add<QComboBox>(QStringLiteral("CBSeries"), QString(), 0, 0, 150, 22);
  CBSeries->setMinimumWidth(150);
  LabelSeriesClass->setBuddy(CBSeries);  // so that a doubled "&" shows as one
  CBPersistent =
      B.Add<QCheckBox>(QStringLiteral("CBPersistent"), QStringLiteral("Persistent"), 0, 0);
  auto* Row = new QHBoxLayout(PanelTop);
  Row->setContentsMargins(4, 2, 4, 2);
  Row->addWidget(ImageSeries);
  Row->addWidget(LabelSeriesClass, 1);
  Row->addWidget(PaintBox1);
  Row->addWidget(CBPersistent);
  Row->addWidget(CBSeries);
  PaintBox1->installEventFilter(this);
}

void TFormKorSeries::BuildGeneral() {
  using B = TFormBuilder;
  QWidget& T = *TabGeneral;
  CBShowInLegend = B::AddTo<QCheckBox>(T, QStringLiteral("CBShowInLegend"),
                                       QStringLiteral("&Show In Legend"), 8, 8, 150, 17);
  CBCursor = B::AddTo<QComboBox>(T, QStringLiteral("CBCursor"), QString(), 70, 30, 110, 22);
  AddLabel(T, QStringLiteral("LabelCursor"), QStringLiteral("&Cursor:"), 8, 34, CBCursor);
  SEDepth = AddUpDown(T, QStringLiteral("SEDepth"), 70, 58, 0, MaxDepth);
  AddLabel(T, QStringLiteral("LabelDepth"), QStringLiteral("&Depth:"), 8, 61, SEDepth);
  CBDepthAuto = B::AddTo<QCheckBox>(T, QStringLiteral("CBDepthAuto"), QStringLiteral("Auto"), 132,
                                    60, 60, 17);

  auto* Formats = B::AddTo<QGroupBox>(T, QStringLiteral("GBFormats"), QStringLiteral("Formats:"), 8,
                                      86, 190, 76);
  CBFormat = B::AddTo<QComboBox>(*Formats, QStringLiteral("CBFormat"), QString(), 72, 20, 110, 22);
  CBFormat->setEditable(true);
  AddLabel(*Formats, QStringLiteral("LabelFormat"), QStringLiteral("&Values:"), 8, 24, CBFormat);
  CBPercentFormat =
      B::AddTo<QComboBox>(*Formats, QStringLiteral("CBPercentFormat"), QString(), 72, 48, 110, 22);
  CBPercentFormat->setEditable(true);
  AddLabel(*Formats, QStringLiteral("LabelPercent"), QStringLiteral("&Percents:"), 8, 52,
           CBPercentFormat);

  CBShowInEditor = B::AddTo<QCheckBox>(T, QStringLiteral("CBShowInEditor"),
                                       QStringLiteral("Show in this editor"), 8, 170, 170, 17);
  CBSort = B::AddTo<QComboBox>(T, QStringLiteral("CBSort"), QString(), 70, 192, 110, 22);
  CBSort->addItems(
      {QStringLiteral("Ascending"), QStringLiteral("Descending"), QStringLiteral("None")});
  LabelSort = AddLabel(T, QStringLiteral("LabelSort"), QStringLiteral("S&ort:"), 8, 196, CBSort);

  GBHorizAxis = B::AddTo<QGroupBox>(T, QStringLiteral("GBHorizAxis"),
                                    QStringLiteral("Horizontal Axis:"), 210, 4, 200, 72);
  CBHorizAxis =
      B::AddTo<QComboBox>(*GBHorizAxis, QStringLiteral("CBHorizAxis"), QString(), 8, 20, 130, 22);
  CBXDateTime = B::AddTo<QCheckBox>(*GBHorizAxis, QStringLiteral("CBXDateTime"),
                                    QStringLiteral("Dat&eTime"), 8, 48, 120, 17);
  GBVertAxis = B::AddTo<QGroupBox>(T, QStringLiteral("GBVertAxis"),
                                   QStringLiteral("Vertical Axis:"), 210, 82, 200, 72);
  CBVertAxis =
      B::AddTo<QComboBox>(*GBVertAxis, QStringLiteral("CBVertAxis"), QString(), 8, 20, 130, 22);
  CBYDateTime = B::AddTo<QCheckBox>(*GBVertAxis, QStringLiteral("CBYDateTime"),
                                    QStringLiteral("D&ateTime"), 8, 48, 120, 17);
  CBZDateTime = B::AddTo<QCheckBox>(T, QStringLiteral("CBZDateTime"), QStringLiteral("&Z DateTime"),
                                    218, 162, 120, 17);
}

void TFormKorSeries::BuildMarks() {
  using B = TFormBuilder;
  auto* Layout = new QVBoxLayout(TabMarks);
  Layout->setContentsMargins(0, 0, 0, 0);
  PageControlMarks = new QTabWidget(TabMarks);
  PageControlMarks->setObjectName(QStringLiteral("PageControlMarks"));
  PageControlMarks->setDocumentMode(true);
  Layout->addWidget(PageControlMarks);
  TabMarksStyle =
      AddPage(*PageControlMarks, QStringLiteral("TabMarksStyle"), QStringLiteral("Style"));
  TabMarksArrows =
      AddPage(*PageControlMarks, QStringLiteral("TabMarksArrows"), QStringLiteral("Arrows"));
  TabMarksSymbol =
      AddPage(*PageControlMarks, QStringLiteral("TabMarksSymbol"), QStringLiteral("Symbol"));

  QWidget& S = *TabMarksStyle;
  CBMarksVisible = B::AddTo<QCheckBox>(S, QStringLiteral("CBMarksVisible"),
                                       QStringLiteral("&Visible"), 8, 8, 120, 17);
  CBMarksClip = B::AddTo<QCheckBox>(S, QStringLiteral("CBMarksClip"), QStringLiteral("Cl&ipped"), 8,
                                    30, 120, 17);
  CBMultiLine = B::AddTo<QCheckBox>(S, QStringLiteral("CBMultiLine"), QStringLiteral("&Multi line"),
                                    8, 52, 120, 17);
  CBAllVisible = B::AddTo<QCheckBox>(S, QStringLiteral("CBAllVisible"),
                                     QStringLiteral("All Series Visi&ble"), 8, 74, 140, 17);
  SEMarksAngle = AddUpDown(S, QStringLiteral("SEMarksAngle"), 240, 6, 0, 360, 5);
  AddLabel(S, QStringLiteral("LabelAngle"), QStringLiteral("&Angle:"), 160, 9, SEMarksAngle);
  SEDrawEvery = AddUpDown(S, QStringLiteral("SEDrawEvery"), 240, 32, 1, 5000);
  AddLabel(S, QStringLiteral("LabelDrawEvery"), QStringLiteral("Draw &every:"), 160, 35,
           SEDrawEvery);
  RGMarksStyle = new TRadioGroup(QStringLiteral("&Style:"), &S);
  RGMarksStyle->setObjectName(QStringLiteral("RGMarksStyle"));
  RGMarksStyle->setGeometry(8, 96, 400, 124);
  RGMarksStyle->SetColumns(2);
  RGMarksStyle->SetItems({QStringLiteral("Value"), QStringLiteral("Percent"),
                          QStringLiteral("Label"), QStringLiteral("Label and Percent"),
                          QStringLiteral("Label and Value"), QStringLiteral("Legend"),
                          QStringLiteral("Percent Total"),
                          QStringLiteral("Label and Percent Total"), QStringLiteral("X value"),
                          QStringLiteral("X and Y values")});

  QWidget& A = *TabMarksArrows;
  BMarksArrowPen = B::AddTo<TButtonPen>(A, QStringLiteral("BMarksArrowPen"),
                                        QStringLiteral("&Border..."), 8, 8, 110, 25);
  SEArrowLength = AddUpDown(A, QStringLiteral("SEArrowLength"), 80, 42, -1000, 1000);
  AddLabel(A, QStringLiteral("LabelLength"), QStringLiteral("&Length:"), 8, 45, SEArrowLength);
  SEArrowDistance = AddUpDown(A, QStringLiteral("SEArrowDistance"), 80, 68, -1000, 1000);
  AddLabel(A, QStringLiteral("LabelDistance"), QStringLiteral("&Distance:"), 8, 71,
           SEArrowDistance);
  BPointer = B::AddTo<QPushButton>(A, QStringLiteral("BPointer"), QStringLiteral("&Pointer..."), 8,
                                   100, 110, 25);
  CBArrowHead = B::AddTo<QComboBox>(A, QStringLiteral("CBArrowHead"), QString(), 240, 8, 90, 22);
  CBArrowHead->addItems({QStringLiteral("None"), QStringLiteral("Line"), QStringLiteral("Solid")});
  AddLabel(A, QStringLiteral("LabelArrowHead"), QStringLiteral("&Arrow head:"), 160, 12,
           CBArrowHead);
  SEArrowHeadSize = AddUpDown(A, QStringLiteral("SEArrowHeadSize"), 240, 42, -1000, 1000);
  AddLabel(A, QStringLiteral("LabelHeadSize"), QStringLiteral("&Size:"), 160, 45, SEArrowHeadSize);

  auto* Symbol = new QVBoxLayout(TabMarksSymbol);
  Symbol->setContentsMargins(4, 4, 4, 0);
  // The symbol starts hidden: without this box its editor could never
  // make it appear.
  CBSymbolVisible = new QCheckBox(QStringLiteral("&Visible"), TabMarksSymbol);
  CBSymbolVisible->setObjectName(QStringLiteral("CBSymbolVisible"));
  Symbol->addWidget(CBSymbolVisible);
  PageControlSymbol = new QTabWidget(TabMarksSymbol);
  PageControlSymbol->setObjectName(QStringLiteral("PageControlSymbol"));
  PageControlSymbol->setDocumentMode(true);
  Symbol->addWidget(PageControlSymbol, 1);
}

void TFormKorSeries::BuildDataSource() {
  auto* Layout = new QVBoxLayout(TabDataSource);
  Layout->setContentsMargins(4, 4, 4, 4);
  auto* Top = new QHBoxLayout;
  Layout->addLayout(Top);
  CBDataSourcestyle = new QComboBox(TabDataSource);
  CBDataSourcestyle->setObjectName(QStringLiteral("CBDataSourcestyle"));
  CBDataSourcestyle->setMaxVisibleItems(DataSourceRows);
  CBDataSourcestyle->addItem(QStringLiteral("Manual"));
  CBDataSourcestyle->addItem(QStringLiteral("Random"));
  CBDataSourcestyle->addItem(QStringLiteral("Function"), FunctionEditorClass);
  CBDataSourcestyle->setMinimumWidth(140);
  Top->addWidget(CBDataSourcestyle);
  auto AddButton = [this, Top](const QString& Name, const QString& Caption) {
    auto* Button = new QPushButton(Caption, TabDataSource);
    Button->setObjectName(Name);
    Button->setVisible(false);  // only sources that manage several data sets
    Top->addWidget(Button);
    return Button;
  };
  BNew = AddButton(QStringLiteral("BNew"), QStringLiteral("&New..."));
  BEdit = AddButton(QStringLiteral("BEdit"), QStringLiteral("&Edit..."));
  BDelete = AddButton(QStringLiteral("BDelete"), QStringLiteral("&Delete"));
  Top->addStretch(1);

  PanelData = new QWidget(TabDataSource);
  PanelData->setObjectName(QStringLiteral("PanelData"));
  auto* Data = new QVBoxLayout(PanelData);
  Data->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(PanelData, 1);

  PanelRandom = new QWidget(PanelData);
  PanelRandom->setObjectName(QStringLiteral("PanelRandom"));
  TFormBuilder R(*PanelRandom);
  ESamples = R.Add<QLineEdit>(QStringLiteral("ESamples"), QString(), 190, 8, 70, 21);
  AddLabel(*PanelRandom, QStringLiteral("LabelSamples"),
           QStringLiteral("&Number of sample values:"), 8, 11, ESamples);
  CBDefault =
      R.Add<QCheckBox>(QStringLiteral("CBDefault"), QStringLiteral("&Default"), 240, 10, 90, 17);
  BApplyRandom =
      R.Add<QPushButton>(QStringLiteral("BApplyRandom"), QStringLiteral("&Apply"), 190, 40, 75, 25);
  BClear = R.Add<QPushButton>(QStringLiteral("BClear"), QStringLiteral("&Clear"), 270, 40, 75, 25);
  PanelRandom->setMinimumHeight(72);
  PanelRandom->setVisible(false);
  Data->addWidget(PanelRandom, 0, Qt::AlignTop);
}

void TFormKorSeries::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TFormKorSeries::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (!FChanging) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  Wire(CBSeries, &QComboBox::currentIndexChanged, &TFormKorSeries::CBSeriesChange);
  Wire(PageSeries, &QTabWidget::currentChanged, &TFormKorSeries::PageSeriesChange);
  Wire(PageControlMarks, &QTabWidget::currentChanged, &TFormKorSeries::PageControlMarksChange);
  Wire(CBPersistent, &QCheckBox::clicked, &TFormKorSeries::CBPersistentClick);
  Wire(CBDataSourcestyle, &QComboBox::currentIndexChanged,
       &TFormKorSeries::CBDataSourcestyleChange);
  Wire(ESamples, &QLineEdit::textChanged, &TFormKorSeries::ESamplesChange);
  Wire(CBDefault, &QCheckBox::clicked, &TFormKorSeries::CBDefaultClick);
  Wire(BApplyRandom, &QPushButton::clicked, &TFormKorSeries::BApplyRandomClick);
  Wire(BClear, &QPushButton::clicked, &TFormKorSeries::BClearClick);
  connect(Timer1, &QTimer::timeout, this, [this] { RunGuarded([this] { Timer1Timer(); }); });
  ConnectGeneral();
  ConnectMarks();
}

void TFormKorSeries::ConnectGeneral() {
  auto Wire = [this](auto* Control, auto Signal, void (TFormKorSeries::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (!FChanging) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  using F = TFormKorSeries;
  Wire(CBShowInLegend, &QCheckBox::clicked, &F::CBShowInLegendClick);
  Wire(CBCursor, &QComboBox::currentIndexChanged, &F::CBCursorChange);
  Wire(SEDepth, &QLineEdit::textChanged, &F::SEDepthChange);
  Wire(CBDepthAuto, &QCheckBox::clicked, &F::CBDepthAutoClick);
  Wire(CBFormat, &QComboBox::currentTextChanged, &F::CBFormatChange);
  Wire(CBPercentFormat, &QComboBox::currentTextChanged, &F::CBPercentFormatChange);
  Wire(CBHorizAxis, &QComboBox::currentIndexChanged, &F::CBHorizAxisChange);
  Wire(CBVertAxis, &QComboBox::currentIndexChanged, &F::CBVertAxisChange);
  Wire(CBXDateTime, &QCheckBox::clicked, &F::CBXDateTimeClick);
  Wire(CBYDateTime, &QCheckBox::clicked, &F::CBYDateTimeClick);
  Wire(CBZDateTime, &QCheckBox::clicked, &F::CBZDateTimeClick);
  Wire(CBSort, &QComboBox::currentIndexChanged, &F::CBSortChange);
  Wire(CBShowInEditor, &QCheckBox::clicked, &F::CBShowInEditorClick);
}

void TFormKorSeries::ConnectMarks() {
  auto Wire = [this](auto* Control, auto Signal, void (TFormKorSeries::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (!FChanging) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  using F = TFormKorSeries;
  Wire(CBMarksVisible, &QCheckBox::clicked, &F::CBMarksVisibleClick);
  Wire(CBMarksClip, &QCheckBox::clicked, &F::CBMarksClipClick);
  Wire(SEMarksAngle, &QLineEdit::textChanged, &F::SEMarksAngleChange);
  Wire(SEDrawEvery, &QLineEdit::textChanged, &F::SEDrawEveryChange);
  Wire(CBMultiLine, &QCheckBox::clicked, &F::CBMultiLineClick);
  Wire(CBAllVisible, &QCheckBox::clicked, &F::CBAllVisibleClick);
  RGMarksStyle->OnClick = [this](TRadioGroup*) {
    if (!FChanging) Guarded([this] { RGMarksStyleClick(); });
  };
  Wire(SEArrowLength, &QLineEdit::textChanged, &F::SEArrowLengthChange);
  Wire(SEArrowDistance, &QLineEdit::textChanged, &F::SEArrowDistanceChange);
  Wire(BPointer, &QPushButton::clicked, &F::BPointerClick);
  Wire(CBArrowHead, &QComboBox::currentIndexChanged, &F::CBArrowHeadChange);
  Wire(SEArrowHeadSize, &QLineEdit::textChanged, &F::SEArrowHeadSizeChange);
  Wire(CBSymbolVisible, &QCheckBox::clicked, &F::CBSymbolVisibleClick);
  BMarksArrowPen->OnClick = [this](TKorButton*) {
    if (!FChanging) Guarded([this] { BMarksArrowPenClick(); });
  };
}

// ---------------------------------------------------------------- helpers

void TFormKorSeries::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { RefreshPage(); });
}

void TFormKorSeries::Edit(const std::function<void(TChartSeries&)>& Body) {
  if (FTheSeries != nullptr) Body(*FTheSeries);
}

bool TFormKorSeries::IsTabShownFor(const QWidget* Tab) const {
  const int Index = PageSeries->indexOf(const_cast<QWidget*>(Tab));
  return Index >= 0 && PageSeries->isTabVisible(Index);
}

QWidget* TFormKorSeries::GetFormatForm() const {
  return TheTabSheet->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

bool TFormKorSeries::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == PaintBox1 && Event->type() == QEvent::Paint)
    RunGuarded([this] { PaintBox1Paint(); });
  return QWidget::eventFilter(Watched, Event);
}

// The series colour as a swatch beside the type's name.
void TFormKorSeries::PaintBox1Paint() {
  if (FTheSeries == nullptr) return;
  QPainter Painter(PaintBox1);
  Painter.setPen(Qt::black);
  Painter.setBrush(ColorToQColor(FTheSeries->GetSeriesColor()));
  Painter.drawRect(PaintBox1->rect().adjusted(0, 0, -1, -1));
}

// ------------------------------------------------------------ the series

void TFormKorSeries::SetChart(TCustomAxisPanel* Value) {
  if (Value == FChart) return;
  if (FChart != nullptr) {
    FChart->RemoveListener(this);
    FChart->RemoveFreeNotification(this);
  }
  FChart = Value;
  if (FChart != nullptr) {
    FChart->FreeNotification(this);
    FChart->GetListeners().Add(this);
  }
  SetCBSeries();
}

void TFormKorSeries::SetSeries(TChartSeries* Series) {
  if (Series != nullptr && Series->GetParentChart() != nullptr) SetChart(Series->GetParentChart());
  if (FTheSeries != nullptr) FTheSeries->RemoveFreeNotification(this);
  FTheSeries = Series;
  if (FTheSeries != nullptr) FTheSeries->FreeNotification(this);
  SetCBSeries();
  CBSeriesChange();
}

void TFormKorSeries::SetCBSeries() {
  const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
  FChanging = true;
  CBSeries->clear();
  if (FChart == nullptr) return;
  const bool Names = FChartListBox != nullptr && FChartListBox->GetNames();
  for (int I = 0; I < FChart->SeriesCount(); ++I) {
    TChartSeries* S = FChart->GetSeries(I);
    if (S == FRemoving || (!S->GetShowInEditor() && S != FTheSeries)) continue;
    const QString Text = Names ? QString::fromStdString(S->GetName()) : SeriesTitleOrName(S);
    CBSeries->addItem(Text, QVariant::fromValue(static_cast<void*>(S)));
  }
  for (int I = 0; I < CBSeries->count(); ++I)
    if (CBSeries->itemData(I).value<void*>() == FTheSeries) CBSeries->setCurrentIndex(I);
  if (FTheSeries == nullptr) CBSeries->setCurrentIndex(-1);
}

void TFormKorSeries::CBSeriesChange() {
  const int Index = CBSeries->currentIndex();
  auto* Chosen =
      Index < 0 ? nullptr : static_cast<TChartSeries*>(CBSeries->itemData(Index).value<void*>());
  if (Chosen == nullptr) {
    ForgetSeries();
    ShowNoSeries();
    return;
  }
  if (Chosen != FTheSeries) {
    if (FTheSeries != nullptr) FTheSeries->RemoveFreeNotification(this);
    FTheSeries = Chosen;
    FTheSeries->FreeNotification(this);
  }
  if (Chosen == FOldSeries) return;
  ShowSeries(Chosen);
}

void TFormKorSeries::ShowSeries(TChartSeries* Series) {
  FOldSeries = Series;
  SetChart(Series->GetParentChart());
  FillDataSourceChoices();
  const QString Active = PageSeries->tabText(PageSeries->currentIndex());
  ShowHeader();
  ShowTabs();
  DestroySeriesForms();
  const QString FormClass = SeriesEditorForm(*Series);
  if (!FormClass.isEmpty())
    if (QWidget* Form = CreateEditorForm(FormClass, TheTabSheet))
      AddToTab(*Form, *TheTabSheet, Series);
  ReopenTab(Active);
  {
    const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
    FChanging = true;
    CBDataSourcestyle->setCurrentIndex(-1);
  }
  RefreshPage();
  PaintBox1->update();
}

void TFormKorSeries::ShowHeader() {
  TBitmap Bitmap;
  KorGetBitmapEditor(FTheSeries->ClassName(), QString(), Bitmap);
  ImageSeries->setPixmap(Bitmap.GetEmpty() ? QPixmap() : QPixmap::fromImage(Bitmap.ShownImage()));
  QString Text =
      SeriesTitleOrName(FTheSeries) + QStringLiteral(": ") + GetGallerySeriesName(*FTheSeries);
  LabelSeriesClass->setText(Text.replace(QStringLiteral("&"), QStringLiteral("&&")));
  // No series type of this program colours its points from a palette of
  // its own, so the swatch stays hidden.
  PaintBox1->setVisible(false);
  PanelTop->setVisible(true);
  PageSeries->setVisible(true);
}

void TFormKorSeries::ShowTabs() {
  const TChartSeriesStyle Flags = FTheSeries->GetStyle();
  const QSignalBlocker Block(PageSeries);
  PageSeries->setTabVisible(PageSeries->indexOf(TabGeneral), FShowTabGeneral);
  PageSeries->setTabVisible(PageSeries->indexOf(TabMarks), FShowTabMarks);
  PageSeries->setTabVisible(PageSeries->indexOf(TabDataSource),
                            FShowTabDataSource && !Flags.Contains(tssHideDataSource));
  GBHorizAxis->setVisible(FTheSeries->UseAxis());
  GBVertAxis->setVisible(FTheSeries->UseAxis());
  const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
  FChanging = true;
  CBPersistent->setVisible(FShowPersistent && !Flags.Contains(tssDenyDelete));
  CBPersistent->setChecked(Flags.Contains(tssIsPersistent));
}

void TFormKorSeries::ReopenTab(const QString& Caption) {
  int Found = -1;
  for (int I = 0; I < PageSeries->count() && Found < 0; ++I)
    if (PageSeries->tabText(I) == Caption && PageSeries->isTabVisible(I)) Found = I;
  if (Found < 0) Found = PageSeries->isTabVisible(0) ? 0 : PageSeries->indexOf(TabGeneral);
  const QSignalBlocker Block(PageSeries);
  PageSeries->setCurrentIndex(Found);
  FLastPage = Found;
}

void TFormKorSeries::ShowNoSeries() {
  DestroySeriesForms();
  PanelTop->setVisible(false);
  PageSeries->setVisible(false);
  DestroyMarksEditors();
  BMarksArrowPen->LinkPen(nullptr);
}

void TFormKorSeries::ForgetSeries() {
  if (FTheSeries != nullptr) FTheSeries->RemoveFreeNotification(this);
  FTheSeries = nullptr;
  FOldSeries = nullptr;
}

void TFormKorSeries::OpenTab(TEditorSeriesTab Tab) {
  QWidget* Page = TheTabSheet;
  switch (Tab) {
    case TEditorSeriesTab::estFormat: break;
    case TEditorSeriesTab::estGeneral: Page = TabGeneral; break;
    case TEditorSeriesTab::estMarks:
    case TEditorSeriesTab::estMarksSymbol: Page = TabMarks; break;
    case TEditorSeriesTab::estDataSource: Page = TabDataSource; break;
  }
  if (!IsTabShownFor(Page)) return;
  PageSeries->setCurrentWidget(Page);
  if (Tab == TEditorSeriesTab::estMarksSymbol) PageControlMarks->setCurrentWidget(TabMarksSymbol);
}

void TFormKorSeries::DestroySeriesForms() {
  for (QWidget* Form : TheTabSheet->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    delete Form;
  const QSignalBlocker Block(PageSeries);
  for (int I = PageSeries->count() - 1; I > 0; --I) {
    QWidget* Tab = PageSeries->widget(I);
    if (Tab == TabGeneral || Tab == TabMarks || Tab == TabDataSource) continue;
    PageSeries->removeTab(I);
    delete Tab;
  }
  if (PageSeries->currentIndex() < 0 && PageSeries->count() > 0) PageSeries->setCurrentIndex(0);
  DestroySourceEditor();
}

void TFormKorSeries::DestroySourceEditor() {
  Timer1->stop();
  delete FSourceForm;
  FSourceForm = nullptr;
  delete FNavigator;
  FNavigator = nullptr;
  delete FGrid;
  FGrid = nullptr;
  PanelRandom->setVisible(false);
  FDataSourceStyle = -1;
}

bool TFormKorSeries::CheckCanClose() {
  return FSourceForm == nullptr || KorFormCloseQuery(*FSourceForm);
}

void TFormKorSeries::closeEvent(QCloseEvent* Event) {
  bool May = true;
  RunGuarded([this, &May] { May = CheckCanClose(); });
  Event->setAccepted(May);
}

// ----------------------------------------------------- chart and series

void TFormKorSeries::KorEvent(TKorEvent& Event) {
  if (InState(csDestroying)) return;
  auto* SeriesEvent = dynamic_cast<TKorSeriesEvent*>(&Event);
  if (SeriesEvent == nullptr) return;
  if (SeriesEvent->Event == seChangeColor) {
    PaintBox1->update();
  } else if (SeriesEvent->Event == seRemove && SeriesEvent->Series != nullptr) {
    const TScopeGuard Restore([this, Was = FRemoving] { FRemoving = Was; });
    FRemoving = SeriesEvent->Series;
    if (SeriesEvent->Series == FTheSeries) {
      ForgetSeries();
      ShowNoSeries();
    }
    SetCBSeries();
  }
}

void TFormKorSeries::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FTheSeries || AComponent == FOldSeries) {
    // Freed without its chart telling (a chart in its own destructor).
    FTheSeries = nullptr;
    FOldSeries = nullptr;
    if (!InState(csDestroying)) {
      ShowNoSeries();
      const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
      FChanging = true;
      for (int I = CBSeries->count() - 1; I >= 0; --I)
        if (static_cast<TComponent*>(
                static_cast<TChartSeries*>(CBSeries->itemData(I).value<void*>())) == AComponent)
          CBSeries->removeItem(I);
      CBSeries->setCurrentIndex(-1);
    }
  }
  if (AComponent == FChart) {
    // The chart is in its last destructor: it takes its listeners along.
    FChart = nullptr;
    if (!InState(csDestroying)) SetCBSeries();
  }
}

void TFormKorSeries::CBPersistentClick() {
  Edit([this](TChartSeries& S) {
    const int Bit = 1 << tssIsPersistent;
    const int Mask = S.GetStyle().Mask();
    S.SetStyle(TChartSeriesStyle::FromMask(CBPersistent->isChecked() ? Mask | Bit : Mask & ~Bit));
  });
}

void TFormKorSeries::PageSeriesChange() {
  const int Now = PageSeries->currentIndex();
  // A source editor whose data is not valid keeps the user on its tab.
  if (FLastPage == PageSeries->indexOf(TabDataSource) && Now != FLastPage && !CheckCanClose()) {
    const QSignalBlocker Block(PageSeries);
    PageSeries->setCurrentIndex(FLastPage);
    return;
  }
  FLastPage = Now;
  RefreshPage();
}

void TFormKorSeries::PageControlMarksChange() {
  RefreshMarks();
}

void TFormKorSeries::Timer1Timer() {
  Timer1->stop();
  if (FSourceForm == nullptr) return;
  // The docked form has its place only once the tab has been laid out.
  PanelData->layout()->activate();
  FSourceForm->updateGeometry();
}

void TFormKorSeries::RefreshPage() {
  if (FTheSeries == nullptr) return;
  QWidget* Current = PageSeries->currentWidget();
  if (Current == TabGeneral)
    RefreshGeneral();
  else if (Current == TabMarks)
    RefreshMarks();
  else if (Current == TabDataSource)
    SetTabDataSource();
  PaintBox1->update();
}

// ---------------------------------------------------------------- general

void TFormKorSeries::FillAxes() {
  const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
  FChanging = true;
  CBHorizAxis->clear();
  CBHorizAxis->addItems(
      {QStringLiteral("Top"), QStringLiteral("Bottom"), QStringLiteral("Top and Bottom")});
  CBVertAxis->clear();
  CBVertAxis->addItems(
      {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Left and Right")});
  if (FChart == nullptr) return;
  // The chart's own axes, after the standard ones, for series drawn on them.
  const TChartCustomAxes& Custom = FChart->GetCustomAxes();
  for (int I = 0; I < Custom.Count(); ++I) {
    TChartAxis* Axis = Custom.Get(I);
    const QString Text = Axis->GetTitle().GetCaption().isEmpty()
                             ? QStringLiteral("Custom %1").arg(I)
                             : Axis->GetTitle().GetCaption();
    QComboBox* Combo = Axis->GetHorizontal() ? CBHorizAxis : CBVertAxis;
    Combo->addItem(Text, QVariant::fromValue(static_cast<void*>(Axis)));
  }
}

void TFormKorSeries::RefreshGeneral() {
  const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
  FChanging = true;
  TChartSeries& S = *FTheSeries;
  CBShowInLegend->setChecked(S.GetShowInLegend());
  CBShowInEditor->setChecked(S.GetShowInEditor());
  CBDepthAuto->setChecked(S.GetDepth() == -1);
  SEDepth->SetPosition(S.GetDepth() == -1 ? 0 : S.GetDepth());
  QStringList Formats;
  AddDefaultValueFormats(Formats);
  CBFormat->clear();
  for (const QString& F : Formats) CBFormat->addItem(DelphiToLocalFormat(F));
  SelectText(*CBFormat, DelphiToLocalFormat(S.GetValueFormat()));
  CBPercentFormat->clear();
  CBPercentFormat->addItem(DelphiToLocalFormat(Korconst::KorMsg_DefPercentFormat));
  SelectText(*CBPercentFormat, DelphiToLocalFormat(S.GetPercentFormat()));
  RefreshAxes();
  const bool Sorts = S.GetValuesList().Count() < 3;
  LabelSort->setVisible(Sorts);
  CBSort->setVisible(Sorts);
  switch (S.GetNotMandatory().GetOrder()) {
    case loAscending: CBSort->setCurrentIndex(0); break;
    case loDescending: CBSort->setCurrentIndex(1); break;
    case loNone: CBSort->setCurrentIndex(2); break;
  }
  KorFillCursors(*CBCursor, S.GetCursor());
}

void TFormKorSeries::RefreshAxes() {
  TChartSeries& S = *FTheSeries;
  FillAxes();
  auto Select = [](QComboBox& Combo, int Standard, const TChartAxis* Custom, bool IsCustom) {
    if (!IsCustom) {
      Combo.setCurrentIndex(Standard);
      return;
    }
    for (int I = FirstCustomAxis; I < Combo.count(); ++I)
      if (Combo.itemData(I).value<void*>() == Custom) Combo.setCurrentIndex(I);
  };
  Select(*CBHorizAxis, S.GetHorizAxis(), S.GetCustomHorizAxis(),
         S.GetHorizAxis() == aCustomHorizAxis);
  Select(*CBVertAxis, S.GetVertAxis(), S.GetCustomVertAxis(), S.GetVertAxis() == aCustomVertAxis);
  CBXDateTime->setChecked(S.GetXValues().GetDateTime());
  CBYDateTime->setChecked(S.GetYValues().GetDateTime());
  TChartValueList* Z = ZList(S);
  CBZDateTime->setVisible(Z != nullptr);
  CBZDateTime->setChecked(Z != nullptr && Z->GetDateTime());
}

void TFormKorSeries::CBShowInLegendClick() {
  Edit([this](TChartSeries& S) { S.SetShowInLegend(CBShowInLegend->isChecked()); });
}

void TFormKorSeries::CBShowInEditorClick() {
  Edit([this](TChartSeries& S) { S.SetShowInEditor(CBShowInEditor->isChecked()); });
}

void TFormKorSeries::CBCursorChange() {
  Edit([this](TChartSeries& S) {
    S.SetCursor(KorSetCursor(S.GetCursor(), CBCursor->currentText()));
  });
}

void TFormKorSeries::SEDepthChange() {
  Edit([this](TChartSeries& S) {
    if (!CBDepthAuto->isChecked()) S.SetDepth(SEDepth->GetPosition());
  });
}

void TFormKorSeries::CBDepthAutoClick() {
  Edit([this](TChartSeries& S) {
    S.SetDepth(CBDepthAuto->isChecked() ? -1 : SEDepth->GetPosition());
  });
}

void TFormKorSeries::CBFormatChange() {
  Edit([this](TChartSeries& S) { S.SetValueFormat(LocalToDelphiFormat(CBFormat->currentText())); });
}

void TFormKorSeries::CBPercentFormatChange() {
  Edit([this](TChartSeries& S) {
    S.SetPercentFormat(LocalToDelphiFormat(CBPercentFormat->currentText()));
  });
}

void TFormKorSeries::CBHorizAxisChange() {
  Edit([this](TChartSeries& S) {
    const int Index = CBHorizAxis->currentIndex();
    if (Index >= FirstCustomAxis)
      S.SetCustomHorizAxis(static_cast<TChartAxis*>(CBHorizAxis->itemData(Index).value<void*>()));
    else if (Index >= 0)
      S.SetHorizAxis(static_cast<THorizAxis>(Index));
  });
}

void TFormKorSeries::CBVertAxisChange() {
  Edit([this](TChartSeries& S) {
    const int Index = CBVertAxis->currentIndex();
    if (Index >= FirstCustomAxis)
      S.SetCustomVertAxis(static_cast<TChartAxis*>(CBVertAxis->itemData(Index).value<void*>()));
    else if (Index >= 0)
      S.SetVertAxis(static_cast<TVertAxis>(Index));
  });
}

void TFormKorSeries::CBXDateTimeClick() {
  Edit([this](TChartSeries& S) {
    S.GetXValues().SetDateTime(CBXDateTime->isChecked());
    S.Repaint();
  });
}

void TFormKorSeries::CBYDateTimeClick() {
  Edit([this](TChartSeries& S) {
    S.GetYValues().SetDateTime(CBYDateTime->isChecked());
    S.Repaint();
  });
}

void TFormKorSeries::CBZDateTimeClick() {
  Edit([this](TChartSeries& S) {
    if (TChartValueList* Z = ZList(S)) Z->SetDateTime(CBZDateTime->isChecked());
    S.Repaint();
  });
}

void TFormKorSeries::CBSortChange() {
  Edit([this](TChartSeries& S) {
    static const TChartListOrder Orders[] = {loAscending, loDescending, loNone};
    const int Index = CBSort->currentIndex();
    if (Index < 0) return;
    S.GetNotMandatory().SetOrder(Orders[Index]);
    S.CheckOrder();
    S.Repaint();
  });
}

// ------------------------------------------------------------------ marks

void TFormKorSeries::RefreshMarks() {
  if (FTheSeries == nullptr) return;
  TSeriesMarks& Marks = FTheSeries->GetMarks();
  const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
  FChanging = true;
  // The shape editors keep links into the shapes they were made for, so
  // other shapes get new editors.
  TKorCustomShape* Symbol = Marks.ExistingSymbol() != nullptr ? Marks.GetSymbol() : nullptr;
  if (FMarksShapeForm != nullptr &&
      (FMarksShapeForm->GetShape() != &Marks || FSymbolShapeForm->GetShape() != Symbol))
    DestroyMarksEditors();
  if (FMarksShapeForm == nullptr) {
    const int Current = PageControlMarks->currentIndex();
    FMarksShapeForm = InsertKorObjectForm(*PageControlMarks, &Marks);
    FSymbolShapeForm = InsertKorObjectForm(*PageControlSymbol, Symbol);
    PageControlMarks->setCurrentIndex(Current);
  }
  // Looking must not create the callout or the symbol: series draw and
  // store marks differently once they exist.
  const TMarksCallout Defaults(nullptr);
  const TMarksCallout& Callout =
      Marks.ExistingCallout() != nullptr ? *Marks.ExistingCallout() : Defaults;
  RGMarksStyle->SetItemIndex(Marks.GetStyle());
  SEArrowLength->SetPosition(Marks.GetArrowLength());
  SEArrowDistance->SetPosition(Callout.GetDistance());
  SEMarksAngle->SetPosition(Marks.GetAngle());
  CBMarksClip->setChecked(Marks.GetClip());
  SEDrawEvery->SetPosition(Marks.GetDrawEvery());
  CBMultiLine->setChecked(Marks.GetMultiLine());
  CBMultiLine->setEnabled(CanSpanLines(Marks.GetStyle()));
  CBMarksVisible->setChecked(Marks.GetVisible());
  BMarksArrowPen->LinkPen(Marks.ExistingCallout() != nullptr ? &Marks.GetArrow() : nullptr);
  CBArrowHead->setCurrentIndex(Callout.GetArrowHead());
  SEArrowHeadSize->SetPosition(Callout.GetArrowHeadSize());
  bool All = FChart != nullptr;
  for (int I = 0; All && I < FChart->SeriesCount(); ++I)
    All = FChart->GetSeries(I)->GetMarks().GetVisible();
  CBAllVisible->setChecked(All);
  CBSymbolVisible->setChecked(Symbol != nullptr && Symbol->GetVisible());
  PageControlSymbol->setEnabled(Symbol != nullptr);
  FMarksShapeForm->RefreshControls(&Marks);
  FSymbolShapeForm->RefreshControls(Symbol);
}

void TFormKorSeries::DestroyMarksEditors() {
  if (FMarksShapeForm == nullptr) return;
  const QSignalBlocker Block(PageControlMarks);
  // The editors' tabs live in the host page controls.
  while (PageControlMarks->count() > 3) delete PageControlMarks->widget(3);
  while (PageControlSymbol->count() > 0) delete PageControlSymbol->widget(0);
  delete FMarksShapeForm;
  delete FSymbolShapeForm;
  FMarksShapeForm = nullptr;
  FSymbolShapeForm = nullptr;
}

// The pen button edits the callout's arrow; an unlinked button means the
// marks have no callout yet, which the user's click now makes.
void TFormKorSeries::BMarksArrowPenClick() {
  if (FTheSeries == nullptr || BMarksArrowPen->GetPen() != nullptr) return;
  BMarksArrowPen->LinkPen(&FTheSeries->GetMarks().GetArrow());
  BMarksArrowPen->click();
}

void TFormKorSeries::CBMarksVisibleClick() {
  Edit([this](TChartSeries& S) { S.GetMarks().SetVisible(CBMarksVisible->isChecked()); });
}

void TFormKorSeries::CBMarksClipClick() {
  Edit([this](TChartSeries& S) { S.GetMarks().SetClip(CBMarksClip->isChecked()); });
}

void TFormKorSeries::SEMarksAngleChange() {
  Edit([this](TChartSeries& S) { S.GetMarks().SetAngle(SEMarksAngle->GetPosition()); });
}

void TFormKorSeries::SEDrawEveryChange() {
  Edit([this](TChartSeries& S) { S.GetMarks().SetDrawEvery(SEDrawEvery->GetPosition()); });
}

void TFormKorSeries::CBMultiLineClick() {
  Edit([this](TChartSeries& S) { S.GetMarks().SetMultiLine(CBMultiLine->isChecked()); });
}

void TFormKorSeries::CBAllVisibleClick() {
  if (FChart == nullptr) return;
  for (int I = 0; I < FChart->SeriesCount(); ++I)
    FChart->GetSeries(I)->GetMarks().SetVisible(CBAllVisible->isChecked());
  RefreshMarks();
}

void TFormKorSeries::RGMarksStyleClick() {
  Edit([this](TChartSeries& S) {
    const auto Style = static_cast<TSeriesMarksStyle>(RGMarksStyle->GetItemIndex());
    S.GetMarks().SetStyle(Style);
    CBMultiLine->setEnabled(CanSpanLines(Style));
  });
}

void TFormKorSeries::SEArrowLengthChange() {
  Edit([this](TChartSeries& S) { S.GetMarks().SetArrowLength(SEArrowLength->GetPosition()); });
}

void TFormKorSeries::SEArrowDistanceChange() {
  Edit([this](TChartSeries& S) {
    S.GetMarks().GetCallout()->SetDistance(SEArrowDistance->GetPosition());
  });
}

void TFormKorSeries::CBArrowHeadChange() {
  Edit([this](TChartSeries& S) {
    if (CBArrowHead->currentIndex() >= 0)
      S.GetMarks().GetCallout()->SetArrowHead(
          static_cast<TArrowHeadStyle>(CBArrowHead->currentIndex()));
  });
}

void TFormKorSeries::SEArrowHeadSizeChange() {
  Edit([this](TChartSeries& S) {
    S.GetMarks().GetCallout()->SetArrowHeadSize(SEArrowHeadSize->GetPosition());
  });
}

// The callout's pointer (drawn at the start of a plain arrow).
void TFormKorSeries::BPointerClick() {
  Edit([this](TChartSeries& S) { EditSeriesPointer(this, *S.GetMarks().GetCallout()); });
}

void TFormKorSeries::CBSymbolVisibleClick() {
  Edit([this](TChartSeries& S) {
    S.GetMarks().GetSymbol()->SetVisible(CBSymbolVisible->isChecked());
    RefreshMarks();
  });
}

// ------------------------------------------------------------ data source

void TFormKorSeries::FillDataSourceChoices() {
  const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
  FChanging = true;
  while (CBDataSourcestyle->count() > dsFunction + 1)
    CBDataSourcestyle->removeItem(CBDataSourcestyle->count() - 1);
  for (const TKorSeriesSourceClass& Class : KorSources()) {
    const std::unique_ptr<TKorSeriesSource> Sample(Class.Create(nullptr));
    if (!Sample->Available(FChart)) continue;
    CBDataSourcestyle->addItem(Sample->Description(), Sample->Editor());
    CBDataSourcestyle->setItemData(CBDataSourcestyle->count() - 1,
                                   QVariant::fromValue(static_cast<const void*>(Class.Info())),
                                   SourceClassRole);
  }
}

int TFormKorSeries::SourceChoiceOf(const TChartSeries& Series) const {
  for (int I = dsFunction + 1; I < CBDataSourcestyle->count(); ++I) {
    const TKorSeriesSourceClass Class(static_cast<const TClassInfo*>(
        CBDataSourcestyle->itemData(I, SourceClassRole).value<const void*>()));
    const std::unique_ptr<TKorSeriesSource> Sample(Class.Create(nullptr));
    if (Sample->HasSeries(&Series)) return I;
  }
  return dsManual;
}

void TFormKorSeries::SetTabDataSource() {
  TChartSeries& S = *FTheSeries;
  TComponent* Source = S.GetDataSource();
  int Style = dsManual;
  if (S.GetFunction() != nullptr || dynamic_cast<TChartSeries*>(Source) != nullptr)
    Style = dsFunction;
  else if (Source == nullptr)
    Style = S.Count() > 0 && !S.GetManualData() ? dsRandom : dsManual;
  else
    Style = SourceChoiceOf(S);
  {
    const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
    FChanging = true;
    CBDataSourcestyle->setCurrentIndex(Style);
  }
  if (Style != FDataSourceStyle)
    CreateDataSourceForm();
  else if (Style == dsRandom)
    RefreshRandom();
}

void TFormKorSeries::CBDataSourcestyleChange() {
  if (CBDataSourcestyle->currentIndex() == FDataSourceStyle) return;
  if (!CheckCanClose()) {
    const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
    FChanging = true;
    CBDataSourcestyle->setCurrentIndex(FDataSourceStyle);
    return;
  }
  CreateDataSourceForm();
}

void TFormKorSeries::CreateDataSourceForm() {
  DestroySourceEditor();
  const int Style = CBDataSourcestyle->currentIndex();
  if (FTheSeries == nullptr || Style < 0) return;
  FDataSourceStyle = Style;
  ShowControls(false, {BNew, BEdit, BDelete});
  if (Style == dsManual) {
    FGrid = new TChartGrid(this);
    FGrid->SetParentWidget(PanelData);
    FGrid->GetWidget()->setObjectName(QStringLiteral("ChartGrid1"));
    FGrid->GetWidget()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    FGrid->SetSeries(FTheSeries);
    FNavigator = new TChartGridNavigator(this);
    FNavigator->SetParentWidget(PanelData);
    FNavigator->SetGrid(FGrid);
    QWidget* Bar = FNavigator->GetWidget();
    Bar->setObjectName(QStringLiteral("ChartGridNavigator1"));
    Bar->setFixedSize(FNavigator->GetWidth(), FNavigator->GetHeight());
    auto* Layout = static_cast<QVBoxLayout*>(PanelData->layout());
    Layout->insertWidget(0, Bar, 0, Qt::AlignLeft);
    Layout->insertWidget(1, FGrid->GetWidget(), 1);
    Bar->show();
    FGrid->GetWidget()->show();
    Layout->activate();
  } else if (Style == dsRandom) {
    PanelRandom->setVisible(true);
    RefreshRandom();
  } else {
    const QString FormClass = CBDataSourcestyle->itemData(Style).toString();
    FSourceForm = CreateEditorForm(FormClass, PanelData);
    if (FSourceForm != nullptr) {
      auto* Layout = static_cast<QVBoxLayout*>(PanelData->layout());
      AddObjectFormTo(*FSourceForm, *PanelData, FTheSeries);
      Layout->insertWidget(0, FSourceForm, 1);
      KorTranslateControl(FSourceForm);
      Layout->activate();
      Timer1->start();
    }
  }
}

int TFormKorSeries::SampleCount() const {
  const int Stored = FTheSeries->GetDefaultSampleCount();
  return Stored == 0 ? FTheSeries->NumSampleValues() : Stored;
}

void TFormKorSeries::RefreshRandom() {
  const TScopeGuard Restore([this, Was = FChanging] { FChanging = Was; });
  FChanging = true;
  const int Stored = FTheSeries->GetDefaultSampleCount();
  const bool IsDefault = Stored == 0 || Stored == FTheSeries->NumSampleValues();
  if (ESamples->text().toInt() != SampleCount() || ESamples->text().isEmpty())
    ESamples->setText(QString::number(SampleCount()));
  CBDefault->setChecked(IsDefault);
  CBDefault->setEnabled(!IsDefault);
}

void TFormKorSeries::ESamplesChange() {
  Edit([this](TChartSeries& S) {
    bool Ok = false;
    const int Count = ESamples->text().trimmed().toInt(&Ok);
    S.SetDefaultSampleCount(Ok ? Count : 0);
    BApplyRandom->setEnabled(true);
    const bool IsDefault =
        S.GetDefaultSampleCount() == 0 || S.GetDefaultSampleCount() == S.NumSampleValues();
    CBDefault->setChecked(IsDefault);
    CBDefault->setEnabled(!IsDefault);
  });
}

void TFormKorSeries::CBDefaultClick() {
  Edit([this](TChartSeries& S) {
    if (!CBDefault->isChecked()) return;
    S.SetDefaultSampleCount(0);
    ESamples->setText(QString::number(S.NumSampleValues()));
    RefreshRandom();
  });
}

void TFormKorSeries::BApplyRandomClick() {
  Edit([this](TChartSeries& S) { S.FillSampleValues(SampleCount()); });
}

void TFormKorSeries::BClearClick() {
  Edit([](TChartSeries& S) { S.Clear(); });
}
