#include "chart/editor/TChartPreview.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TCustomKorPanel.h"
#include "chart/editor/TCustomKorNavigator.h"
#include "chart/editor/TKorPreviewPanel.h"

#include "platform/Cursors.h"
#include "platform/ModalHooks.h"
#include "platform/PrintDialogs.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TPrinter.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QVBoxLayout>

#include <utility>

bool KorChangePaperOrientation = true;

namespace {

constexpr int LeftPanelWidth = 224;  // pixels

TEditUpDown* AddMarginEdit(QGroupBox& Group, QGridLayout& Grid, const QString& Name,
                           const QString& Caption, int Row, int Column) {
  auto* Label = new QLabel(Caption, &Group);
  auto* Edit = new TEditUpDown(&Group);
  Edit->setObjectName(Name);
  Edit->GetUpDown()->setObjectName(QStringLiteral("UD") + Name.mid(2));
  Edit->SetMin(0);
  Edit->SetMax(100);
  Edit->GetUpDown()->SetIncrement(5);
  Edit->setFixedWidth(52);
  Label->setBuddy(Edit);
  Grid.addWidget(Label, Row, Column * 2);
  Grid.addWidget(Edit, Row, Column * 2 + 1);
  return Edit;
}

}  // namespace

TChartPreview::TChartPreview(QWidget* Parent) : QDialog(Parent), TComponent(nullptr) {
  setObjectName(QStringLiteral("ChartPreview"));
  setWindowTitle(QStringLiteral("KorChart Print Preview"));
  BuildForm();
  Connect();
  resize(640, 440);
}

TChartPreview::~TChartPreview() {
  Destroying();
}

void TChartPreview::BuildForm() {
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(4, 4, 4, 4);
  BuildTopBar(*this);
  Layout->addWidget(PanelTop);
  auto* Body = new QHBoxLayout;
  Layout->addLayout(Body, 1);
  BuildLeftPanel(*this);
  Body->addWidget(PanelLeft);
  KorPreviewPanel1 = new TKorPreviewPanel(this);
  KorPreviewPanel1->SetName("KorPreviewPanel1");
  KorPreviewPanel1->SetParentWidget(this);
  KorPreviewPanel1->GetWidget()->setObjectName(QStringLiteral("KorPreviewPanel1"));
  Body->addWidget(KorPreviewPanel1->GetWidget(), 1);
}

// The printer combo stretches up to the buttons, however wide the dialog.
void TChartPreview::BuildTopBar(QWidget& Parent) {
  PanelTop = new QWidget(&Parent);
  PanelTop->setObjectName(QStringLiteral("PanelTop"));
  auto* Bar = new QHBoxLayout(PanelTop);
  Bar->setContentsMargins(0, 0, 0, 0);
  auto* Label = new QLabel(QStringLiteral("P&rinter:"), PanelTop);
  CBPrinters = new QComboBox(PanelTop);
  CBPrinters->setObjectName(QStringLiteral("CBPrinters"));
  Label->setBuddy(CBPrinters);
  Bar->addWidget(Label);
  Bar->addWidget(CBPrinters, 1);
  PanelButtons = new QWidget(PanelTop);
  PanelButtons->setObjectName(QStringLiteral("PanelButtons"));
  auto* Buttons = new QHBoxLayout(PanelButtons);
  Buttons->setContentsMargins(0, 0, 0, 0);
  const auto Button = [this, Buttons](const char* Name, const char* Caption) {
    auto* B = new QPushButton(QString::fromLatin1(Caption), PanelButtons);
    B->setObjectName(QString::fromLatin1(Name));
    B->setAutoDefault(false);
    Buttons->addWidget(B);
    return B;
  };
  BSetup = Button("BSetup", "&Setup...");
  BPrint = Button("BPrint", "&Print");
  BClose = Button("BClose", "Close");
  Bar->addWidget(PanelButtons);
}

void TChartPreview::BuildLeftPanel(QWidget& Parent) {
  PanelLeft = new QWidget(&Parent);
  PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
  PanelLeft->setFixedWidth(LeftPanelWidth);
  auto* Column = new QVBoxLayout(PanelLeft);
  Column->setContentsMargins(0, 0, 0, 0);

  Orientation = new TRadioGroup(QStringLiteral("Orien&tation:"), PanelLeft);
  Orientation->setObjectName(QStringLiteral("Orientation"));
  Orientation->SetItems({QStringLiteral("P&ortrait"), QStringLiteral("&Landscape")});
  Orientation->SetColumns(2);
  Column->addWidget(Orientation);

  GBMargins = new QGroupBox(QStringLiteral("Margins (%)"), PanelLeft);
  GBMargins->setObjectName(QStringLiteral("GBMargins"));
  auto* Grid = new QGridLayout(GBMargins);
  Grid->setContentsMargins(4, 4, 4, 4);
  SETopMa =
      AddMarginEdit(*GBMargins, *Grid, QStringLiteral("SETopMa"), QStringLiteral("Top"), 0, 0);
  SELeftMa =
      AddMarginEdit(*GBMargins, *Grid, QStringLiteral("SELeftMa"), QStringLiteral("Left"), 0, 1);
  SEBotMa =
      AddMarginEdit(*GBMargins, *Grid, QStringLiteral("SEBotMa"), QStringLiteral("Bottom"), 1, 0);
  SERightMa =
      AddMarginEdit(*GBMargins, *Grid, QStringLiteral("SERightMa"), QStringLiteral("Right"), 1, 1);
  BReset = new QPushButton(QStringLiteral("Reset &Margins"), GBMargins);
  BReset->setObjectName(QStringLiteral("BReset"));
  BReset->setAutoDefault(false);
  BReset->setEnabled(false);
  Grid->addWidget(BReset, 2, 0, 1, 4);
  Column->addWidget(GBMargins);

  GBDetail = new QGroupBox(QStringLiteral("Detail:"), PanelLeft);
  GBDetail->setObjectName(QStringLiteral("GBDetail"));
  auto* Detail = new QGridLayout(GBDetail);
  Detail->setContentsMargins(4, 4, 4, 4);
  Resolution = new QSlider(Qt::Horizontal, GBDetail);
  Resolution->setObjectName(QStringLiteral("Resolution"));
  Resolution->setRange(0, 100);
  Resolution->setValue(99);
  Detail->addWidget(Resolution, 0, 0, 1, 2);
  Detail->addWidget(new QLabel(QStringLiteral("More"), GBDetail), 1, 0, Qt::AlignLeft);
  Detail->addWidget(new QLabel(QStringLiteral("Normal"), GBDetail), 1, 1, Qt::AlignRight);
  Column->addWidget(GBDetail);

  const auto Check = [this, Column](const char* Name, const char* Caption, bool Checked) {
    auto* Box = new QCheckBox(QString::fromLatin1(Caption), PanelLeft);
    Box->setObjectName(QString::fromLatin1(Name));
    Box->setChecked(Checked);
    Column->addWidget(Box);
    return Box;
  };
  CBMargins = Check("CBMargins", "&View Margins", true);
  CBProp = Check("CBProp", "Proport&ional", true);
  CBSmooth = Check("CBSmooth", "S&mooth", false);
  Column->addStretch(1);
}

void TChartPreview::Connect() {
  const auto Guard = [this](void (TChartPreview::*Handler)()) {
    return [this, Handler] { RunGuarded([this, Handler] { (this->*Handler)(); }); };
  };
  connect(BClose, &QPushButton::clicked, this, [this] { done(mrCancel); });
  connect(BPrint, &QPushButton::clicked, this, Guard(&TChartPreview::BPrintClick));
  connect(BSetup, &QPushButton::clicked, this, Guard(&TChartPreview::BSetupClick));
  connect(BReset, &QPushButton::clicked, this, Guard(&TChartPreview::BResetClick));
  connect(CBMargins, &QCheckBox::clicked, this, Guard(&TChartPreview::CBMarginsClick));
  connect(CBProp, &QCheckBox::toggled, this, Guard(&TChartPreview::CBPropClick));
  connect(CBSmooth, &QCheckBox::clicked, this, Guard(&TChartPreview::CBSmoothClick));
  connect(Resolution, &QSlider::valueChanged, this, Guard(&TChartPreview::ResolutionChange));
  connect(CBPrinters, &QComboBox::activated, this, Guard(&TChartPreview::CBPrintersChange));
  Orientation->OnClick = [this](TRadioGroup*) { RunGuarded([this] { OrientationClick(); }); };
  for (TEditUpDown* Edit : {SETopMa, SELeftMa, SEBotMa, SERightMa})
    connect(Edit, &QLineEdit::textChanged, this,
            [this, Edit] { RunGuarded([this, Edit] { MarginChanged(Edit); }); });
  KorPreviewPanel1->OnChangeMargins = [this](TKorPreviewPanel*, bool Disable, const TRect& M) {
    ChangeMargins(Disable, M);
  };
}

TCustomKorPanel* TChartPreview::GetPanel() const {
  return KorPreviewPanel1->GetPanel();
}

void TChartPreview::SetPanel(TCustomKorPanel* Value) {
  KorPreviewPanel1->SetPanel(Value);
}

void TChartPreview::HideCloseButton() {
  BClose->hide();
}

void TChartPreview::DisableControl(QWidget* Control) {
  FDisabledControls.push_back(Control);
  Control->setEnabled(false);
}

// Shown again (as a page of the chart editor), the preview shows the
// chart as it is now.
void TChartPreview::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (FShownOnce) {
    RepaintPreview();
    return;
  }
  FShownOnce = true;
  RunGuarded([this] { FormShow(); });
}

// ------------------------------------------------------------ opening

void TChartPreview::FormShow() {
  if (FNavigatorClass && FNavigator == nullptr) CreateNavigator();
  TPrinter& P = Printer();
  // Without an installed printer there is still the PDF file to print into.
  if (!P.HasPrinter()) P.SetChoiceIndex(static_cast<int>(P.Printers().size()));
  ListPrinters();
  if (KorChangePaperOrientation) P.SetOrientation(poLandscape);
  ShowPrinterOrientation();
  TCustomKorPanel* Panel = GetPanel();
  if (Panel != nullptr) {
    CBProp->blockSignals(true);
    CBProp->setChecked(Panel->GetPrintProportional());
    CBProp->blockSignals(false);
    Resolution->blockSignals(true);
    Resolution->setValue(Panel->GetPrintScalePercent() + 100);
    Resolution->blockSignals(false);
    FOldMargins = Panel->GetPrintMargins();
    RefreshMargins();
    if (FNavigator != nullptr) FNavigator->SetPanel(Panel);
  } else {
    CBProp->setEnabled(false);
    Resolution->setEnabled(false);
    GBMargins->setEnabled(false);
    BPrint->setEnabled(false);
  }
  CBSmooth->setChecked(KorPreviewPanel1->GetAsBitmap());
  for (QWidget* Control : FDisabledControls) Control->setEnabled(false);
}

void TChartPreview::SetNavigatorClass(TKorNavigatorClass Value) {
  FNavigatorClass = std::move(Value);
  if (FNavigatorClass && FNavigator == nullptr) CreateNavigator();
}

void TChartPreview::CreateNavigator() {
  FNavigator = FNavigatorClass(this);
  if (FNavigator == nullptr) return;
  FNavigator->SetParentWidget(PanelLeft);
  QWidget* Widget = FNavigator->GetWidget();
  Widget->setObjectName(QStringLiteral("Navigator"));
  Widget->setFixedHeight(FNavigator->GetHeight());
  static_cast<QVBoxLayout*>(PanelLeft->layout())->addWidget(Widget);
  FNavigator->SetAligned(true);
  FNavigator->OnButtonClicked = [this](TCustomKorNavigator*, TKorNavigateBtn) { RepaintPreview(); };
}

void TChartPreview::ListPrinters() {
  TPrinter& P = Printer();
  CBPrinters->clear();
  CBPrinters->addItems(P.Choices());
  CBPrinters->setCurrentIndex(P.GetChoiceIndex());
}

void TChartPreview::ShowPrinterOrientation() {
  Orientation->SetItemIndex(Printer().GetOrientation() == poLandscape ? 1 : 0);
}

// ------------------------------------------------------------ margins

void TChartPreview::RefreshMargins() {
  TCustomKorPanel* Panel = GetPanel();
  if (Panel == nullptr) return;
  if (Panel->GetPrintProportional() && Printer().HasPrinter()) {
    Panel->CalcProportionalMargins();
    FOldMargins = Panel->GetPrintMargins();
  }
  ShowMargins(Panel->GetPrintMargins());
  FUpdating = false;
  RepaintPreview();
}

void TChartPreview::ShowMargins(const TRect& Margins) {
  const bool Updating = FUpdating;
  FUpdating = true;
  TScopeGuard Restore([this, Updating] { FUpdating = Updating; });
  SETopMa->SetPosition(Margins.Top);
  SELeftMa->SetPosition(Margins.Left);
  SEBotMa->SetPosition(Margins.Bottom);
  SERightMa->SetPosition(Margins.Right);
}

TRect TChartPreview::CurrentMargins() const {
  const TCustomKorPanel* Panel = GetPanel();
  return Panel != nullptr ? Panel->GetPrintMargins() : TRect();
}

void TChartPreview::MarginChanged(TEditUpDown* Edit) {
  TCustomKorPanel* Panel = GetPanel();
  if (!isVisible() || Panel == nullptr || FUpdating) return;
  TRect Margins = Panel->GetPrintMargins();
  int* Value = Edit == SETopMa    ? &Margins.Top
               : Edit == SELeftMa ? &Margins.Left
               : Edit == SEBotMa  ? &Margins.Bottom
                                  : &Margins.Right;
  const int Opposite = Edit == SETopMa    ? Margins.Bottom
                       : Edit == SEBotMa  ? Margins.Top
                       : Edit == SELeftMa ? Margins.Right
                                          : Margins.Left;
  const int Typed = Edit->GetPosition();
  if (Typed + Opposite >= 100) {
    // Nothing would be left to print on: back to the value before.
    ShowMargins(Panel->GetPrintMargins());
    return;
  }
  *Value = Typed;
  Panel->SetPrintMargins(Margins);
  RepaintPreview();
  BReset->setEnabled(Margins != FOldMargins);
  CBProp->setChecked(false);
}

void TChartPreview::ChangeMargins(bool DisableProportional, const TRect& NewMargins) {
  ShowMargins(NewMargins);
  if (!DisableProportional) return;
  if (TCustomKorPanel* Panel = GetPanel()) Panel->SetPrintProportional(false);
  FChangingProp = true;
  TScopeGuard Restore([this] { FChangingProp = false; });
  CBProp->setChecked(false);
}

void TChartPreview::CBPropClick() {
  TCustomKorPanel* Panel = GetPanel();
  if (FChangingProp || Panel == nullptr) return;
  Panel->SetPrintProportional(CBProp->isChecked());
  RefreshMargins();
}

void TChartPreview::BResetClick() {
  if (TCustomKorPanel* Panel = GetPanel()) {
    Panel->SetPrintMargins(FOldMargins);
    ShowMargins(FOldMargins);
  }
  RepaintPreview();
  BReset->setEnabled(false);
}

// ------------------------------------------------------------ printer

void TChartPreview::OrientationClick() {
  Printer().SetOrientation(Orientation->GetItemIndex() == 1 ? poLandscape : poPortrait);
  RefreshMargins();
  RepaintPreview();
}

void TChartPreview::CBPrintersChange() {
  Printer().SetChoiceIndex(CBPrinters->currentIndex());
  ShowPrinterOrientation();
  OrientationClick();
}

void TChartPreview::BSetupClick() {
  ExecutePrinterSetupDialog(Printer(), this);
  ListPrinters();
  ShowPrinterOrientation();
  RepaintPreview();
}

void TChartPreview::ResolutionChange() {
  if (TCustomKorPanel* Panel = GetPanel()) Panel->SetPrintScalePercent(Resolution->value() - 100);
  RepaintPreview();
}

void TChartPreview::CBMarginsClick() {
  KorPreviewPanel1->GetMargins().SetVisible(CBMargins->isChecked());
}

void TChartPreview::CBSmoothClick() {
  KorPreviewPanel1->SetAsBitmap(CBSmooth->isChecked());
}

void TChartPreview::BPrintClick() {
  // Several pages go through the navigator's print dialog, which names a
  // PDF file itself.
  if (FNavigator != nullptr && FNavigator->PageCount() > 1) {
    TScreenCursorScope HourGlass(crHourGlass);
    FNavigator->Print();
    return;
  }
  if (!AskPdfFileName(Printer(), this)) return;
  TScreenCursorScope HourGlass(crHourGlass);
  KorPreviewPanel1->Print();
}

void TChartPreview::RepaintPreview() {
  KorPreviewPanel1->Invalidate();
}

// ------------------------------------------------------------ entry point

void KorPreview(QWidget* Owner, TCustomKorPanel* Panel) {
  TChartPreview Preview(Owner);
  TScopeGuard RepaintPanel([Panel] {
    if (Panel != nullptr) Panel->Invalidate();
  });
  Preview.SetPanel(Panel);
  KorTranslateControl(&Preview);
  ShowModal(Preview);
}
