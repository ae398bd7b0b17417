#include "chart/editor/TFormKorGeneral.h"

#include "chart/editor/ChartPreview.h"
#include "chart/editor/KorCursors.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"

#include "chart/core/TCustomChart.h"
#include "chart/core/TKorZoom.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

namespace {

constexpr int MarginLeft = 0;
constexpr int MarginTop = 1;
constexpr int MarginRight = 2;
constexpr int MarginBottom = 3;
// A percent margin and its opposite must leave part of the chart.
constexpr int MaxPercentPair = 100;
constexpr int MaxPixelMargin = 2000;

const QStringList MouseButtons{QStringLiteral("Left"), QStringLiteral("Right"),
                               QStringLiteral("Middle")};

}  // namespace

TFormKorGeneral::TFormKorGeneral(QWidget* Owner, TCustomChart* Chart)
    : QWidget(Owner), FChart(Chart) {
  setObjectName(QStringLiteral("FormKorGeneral"));
  resize(400, 250);
  PageControl1 = TFormBuilder::AddTo<QTabWidget>(*this, QStringLiteral("PageControl1"), QString(),
                                                 4, 4, 392, 142);
  TabZoom = new QWidget;
  TabZoom->setObjectName(QStringLiteral("TabZoom"));
  PageControl1->addTab(TabZoom, QStringLiteral("Zoom"));
  TabScroll = new QWidget;
  TabScroll->setObjectName(QStringLiteral("TabScroll"));
  PageControl1->addTab(TabScroll, QStringLiteral("Scroll"));
  BuildZoomTab();
  BuildScrollTab();
  BuildBottom();
  Connect();
}

void TFormKorGeneral::BuildZoomTab() {
  TFormBuilder B(*TabZoom);
  CBAllowZoom =
      B.Add<QCheckBox>(QStringLiteral("CBAllowZoom"), QStringLiteral("&Allow"), 8, 8, 80, 17);
  CBAnimatedZoom = B.Add<QCheckBox>(QStringLiteral("CBAnimatedZoom"), QStringLiteral("An&imated"),
                                    8, 30, 92, 17);
  LSteps = B.Add<QLabel>(QStringLiteral("LSteps"), QStringLiteral("&Steps:"), 8, 56, 40, 13);
  SEAniZoomSteps =
      B.Add<TEditUpDown>(QStringLiteral("SEAniZoomSteps"), QStringLiteral("8"), 50, 52, 44, 22);
  SEAniZoomSteps->SetMin(1);
  SEAniZoomSteps->SetMax(100);
  SEAniZoomSteps->SetPosition(8);
  LSteps->setBuddy(SEAniZoomSteps);
  BZoomPen =
      B.Add<TButtonPen>(QStringLiteral("BZoomPen"), QStringLiteral("P&en..."), 104, 4, 80, 25);
  BZoomColor = B.Add<QPushButton>(QStringLiteral("BZoomColor"), QStringLiteral("P&attern..."), 104,
                                  32, 80, 25);
  LMinPix = B.Add<QLabel>(QStringLiteral("LMinPix"), QStringLiteral("Minimum &pixels:"), 102, 66,
                          100, 13);
  EMinPix = B.Add<TEditUpDown>(QStringLiteral("EMinPix"), QStringLiteral("16"), 204, 62, 46, 22);
  UDMinPix = EMinPix->GetUpDown();
  UDMinPix->setObjectName(QStringLiteral("UDMinPix"));
  EMinPix->SetMin(0);
  EMinPix->SetMax(1000);
  EMinPix->SetPosition(16);
  LMinPix->setBuddy(EMinPix);
  LDir = B.Add<QLabel>(QStringLiteral("LDir"), QStringLiteral("&Direction:"), 258, 8, 60, 13);
  CBDir = B.Add<QComboBox>(QStringLiteral("CBDir"), QString(), 258, 24, 120, 22);
  CBDir->addItems(
      {QStringLiteral("Horizontal"), QStringLiteral("Vertical"), QStringLiteral("Both")});
  LDir->setBuddy(CBDir);
  LZoomMouse = B.Add<QLabel>(QStringLiteral("LZoomMouse"), QStringLiteral("&Mouse Button:"), 258,
                             52, 100, 13);
  CBZoomMouse = B.Add<QComboBox>(QStringLiteral("CBZoomMouse"), QString(), 258, 68, 120, 22);
  CBZoomMouse->addItems(MouseButtons);
  LZoomMouse->setBuddy(CBZoomMouse);
  CBUpLeft = B.Add<QCheckBox>(QStringLiteral("CBUpLeft"), QStringLiteral("Zoom on &Up Left drag"),
                              8, 90, 200, 17);
}

void TFormKorGeneral::BuildScrollTab() {
  TFormBuilder B(*TabScroll);
  RGPanning = new TRadioGroup(QStringLiteral("Allow Scroll:"), TabScroll);
  RGPanning->setObjectName(QStringLiteral("RGPanning"));
  RGPanning->setGeometry(8, 4, 130, 104);
  RGPanning->SetItems({QStringLiteral("&None"), QStringLiteral("&Horizontal"),
                       QStringLiteral("&Vertical"), QStringLiteral("&Both")});
  LScrollMouse = B.Add<QLabel>(QStringLiteral("LScrollMouse"), QStringLiteral("M&ouse Button:"),
                               152, 12, 100, 13);
  CBScrollMouse = B.Add<QComboBox>(QStringLiteral("CBScrollMouse"), QString(), 152, 28, 120, 22);
  CBScrollMouse->addItems(MouseButtons);
  LScrollMouse->setBuddy(CBScrollMouse);
}

void TFormKorGeneral::BuildBottom() {
  TFormBuilder B(*this);
  BPrint = B.Add<QPushButton>(QStringLiteral("BPrint"), QStringLiteral("Print &Preview..."), 8, 160,
                              110, 25);
  LCursor = B.Add<QLabel>(QStringLiteral("LCursor"), QStringLiteral("C&ursor:"), 8, 198, 50, 13);
  CBCursor = B.Add<QComboBox>(QStringLiteral("CBCursor"), QString(), 8, 214, 110, 22);
  LCursor->setBuddy(CBCursor);
  GBMargins = B.Add<QGroupBox>(QStringLiteral("GBMargins"), QStringLiteral("Margins (%)"), 150, 152,
                               246, 94);
  const auto Margin = [this](const QString& Name, int Left, int Top) {
    auto* Edit =
        TFormBuilder::AddTo<TEditUpDown>(*GBMargins, Name, QStringLiteral("3"), Left, Top, 50, 22);
    Edit->GetUpDown()->SetIncrement(5);
    Edit->SetMin(0);
    Edit->SetMax(100);
    Edit->SetPosition(3);
    return Edit;
  };
  SETopMa = Margin(QStringLiteral("SETopMa"), 52, 18);
  SELeftMa = Margin(QStringLiteral("SELeftMa"), 8, 42);
  SERightMa = Margin(QStringLiteral("SERightMa"), 96, 42);
  SEBotMa = Margin(QStringLiteral("SEBotMa"), 52, 66);
  CBMarUnits = TFormBuilder::AddTo<QComboBox>(*GBMargins, QStringLiteral("CBMarUnits"), QString(),
                                              152, 42, 88, 22);
  CBMarUnits->addItems({QStringLiteral("Percent"), QStringLiteral("Pixels")});
}

template <class Sender, class Signal>
void TFormKorGeneral::Wire(Sender* Control, Signal Changed, void (TFormKorGeneral::*Handler)()) {
  connect(Control, Changed, this, [this, Handler] {
    if (FUpdating) return;
    KorGuardedEdit([this, Handler] { (this->*Handler)(); }, [this] { FormShow(); });
  });
}

void TFormKorGeneral::Connect() {
  Wire(CBAllowZoom, &QCheckBox::clicked, &TFormKorGeneral::CBAllowZoomClick);
  Wire(CBAnimatedZoom, &QCheckBox::clicked, &TFormKorGeneral::CBAnimatedZoomClick);
  Wire(SEAniZoomSteps, &QLineEdit::textChanged, &TFormKorGeneral::SEAniZoomStepsChange);
  Wire(BZoomColor, &QPushButton::clicked, &TFormKorGeneral::BZoomColorClick);
  Wire(EMinPix, &QLineEdit::textChanged, &TFormKorGeneral::EMinPixChange);
  Wire(CBDir, &QComboBox::activated, &TFormKorGeneral::CBDirChange);
  Wire(CBZoomMouse, &QComboBox::activated, &TFormKorGeneral::CBZoomMouseChange);
  Wire(CBUpLeft, &QCheckBox::clicked, &TFormKorGeneral::CBUpLeftClick);
  RGPanning->OnClick = [this](TRadioGroup*) {
    if (FUpdating) return;
    KorGuardedEdit([this] { RGPanningClick(); }, [this] { FormShow(); });
  };
  Wire(CBScrollMouse, &QComboBox::activated, &TFormKorGeneral::CBScrollMouseChange);
  Wire(BPrint, &QPushButton::clicked, &TFormKorGeneral::BPrintClick);
  Wire(SETopMa, &QLineEdit::textChanged, &TFormKorGeneral::SETopMaChange);
  Wire(SELeftMa, &QLineEdit::textChanged, &TFormKorGeneral::SELeftMaChange);
  Wire(SEBotMa, &QLineEdit::textChanged, &TFormKorGeneral::SEBotMaChange);
  Wire(SERightMa, &QLineEdit::textChanged, &TFormKorGeneral::SERightMaChange);
  Wire(CBMarUnits, &QComboBox::activated, &TFormKorGeneral::CBMarUnitsChange);
  Wire(CBCursor, &QComboBox::activated, &TFormKorGeneral::CBCursorChange);
}

void TFormKorGeneral::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  RunGuarded([this] { FormShow(); });
}

bool TFormKorGeneral::Editing() const {
  return !FUpdating && FChart != nullptr && isVisible();
}

void TFormKorGeneral::FormShow() {
  if (FChart == nullptr) return;
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  RGPanning->SetItemIndex(FChart->GetAllowPanning());
  CBMarUnits->setCurrentIndex(FChart->GetMarginUnits());
  AdjustMarginLimits();
  ShowMargins();
  TKorZoom& Zoom = FChart->GetZoom();
  CBAllowZoom->setChecked(Zoom.GetAllow());
  CBAnimatedZoom->setChecked(Zoom.GetAnimated());
  SEAniZoomSteps->SetPosition(Zoom.GetAnimatedSteps());
  EMinPix->SetPosition(Zoom.GetMinimumPixels());
  CBDir->setCurrentIndex(Zoom.GetDirection());
  CBZoomMouse->setCurrentIndex(Zoom.GetMouseButton());
  CBUpLeft->setChecked(Zoom.GetUpLeftZooms());
  BZoomPen->LinkPen(Zoom.GetPen());
  EnableZoomControls();
  CBScrollMouse->setCurrentIndex(FChart->GetScrollMouseButton());
  CBScrollMouse->setEnabled(FChart->GetAllowPanning() != pmNone);
  KorFillCursors(*CBCursor, FChart->GetCursor());
}

void TFormKorGeneral::ShowMargins() {
  SETopMa->SetPosition(FChart->GetMarginTop());
  SELeftMa->SetPosition(FChart->GetMarginLeft());
  SEBotMa->SetPosition(FChart->GetMarginBottom());
  SERightMa->SetPosition(FChart->GetMarginRight());
}

void TFormKorGeneral::AdjustMarginLimits() {
  const bool Pixels = FChart->GetMarginUnits() == muPixels;
  for (TEditUpDown* Edit : {SETopMa, SELeftMa, SEBotMa, SERightMa}) {
    Edit->SetMin(Pixels ? -MaxPixelMargin : 0);
    Edit->SetMax(Pixels ? MaxPixelMargin : MaxPercentPair);
  }
}

void TFormKorGeneral::EnableZoomControls() {
  const bool Allow = CBAllowZoom->isChecked();
  for (QWidget* Control : std::initializer_list<QWidget*>{
           CBAnimatedZoom, LSteps, SEAniZoomSteps, BZoomPen, BZoomColor, LMinPix, EMinPix, LDir,
           CBDir, LZoomMouse, CBZoomMouse, CBUpLeft})
    Control->setEnabled(Allow);
}

void TFormKorGeneral::CBAllowZoomClick() {
  FChart->GetZoom().SetAllow(CBAllowZoom->isChecked());
  EnableZoomControls();
}

void TFormKorGeneral::CBAnimatedZoomClick() {
  FChart->GetZoom().SetAnimated(CBAnimatedZoom->isChecked());
}

void TFormKorGeneral::SEAniZoomStepsChange() {
  if (Editing()) FChart->GetZoom().SetAnimatedSteps(SEAniZoomSteps->GetPosition());
}

void TFormKorGeneral::BZoomColorClick() {
  EditChartBrush(this, *FChart->GetZoom().GetBrush());
}

void TFormKorGeneral::EMinPixChange() {
  if (Editing()) FChart->GetZoom().SetMinimumPixels(EMinPix->GetPosition());
}

void TFormKorGeneral::CBDirChange() {
  FChart->GetZoom().SetDirection(static_cast<TKorZoomDirection>(CBDir->currentIndex()));
}

void TFormKorGeneral::CBZoomMouseChange() {
  FChart->GetZoom().SetMouseButton(static_cast<TMouseButton>(CBZoomMouse->currentIndex()));
}

void TFormKorGeneral::CBUpLeftClick() {
  FChart->GetZoom().SetUpLeftZooms(CBUpLeft->isChecked());
}

void TFormKorGeneral::RGPanningClick() {
  FChart->SetAllowPanning(static_cast<TPanningMode>(RGPanning->GetItemIndex()));
  CBScrollMouse->setEnabled(RGPanning->GetItemIndex() != pmNone);
}

void TFormKorGeneral::CBScrollMouseChange() {
  FChart->SetScrollMouseButton(static_cast<TMouseButton>(CBScrollMouse->currentIndex()));
}

void TFormKorGeneral::BPrintClick() {
  ChartPreview(this, FChart);
}

void TFormKorGeneral::ChangeMargin(TEditUpDown& Edit, int Index, int Opposite) {
  if (!Editing()) return;
  const int Value = Edit.GetPosition();
  if (FChart->GetMarginUnits() == muPixels ||
      Value + FChart->GetMargin(Opposite) < MaxPercentPair) {
    FChart->SetMargin(Index, Value);
    return;
  }
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  Edit.SetPosition(FChart->GetMargin(Index));
}

void TFormKorGeneral::SETopMaChange() {
  ChangeMargin(*SETopMa, MarginTop, MarginBottom);
}

void TFormKorGeneral::SELeftMaChange() {
  ChangeMargin(*SELeftMa, MarginLeft, MarginRight);
}

void TFormKorGeneral::SEBotMaChange() {
  ChangeMargin(*SEBotMa, MarginBottom, MarginTop);
}

void TFormKorGeneral::SERightMaChange() {
  ChangeMargin(*SERightMa, MarginRight, MarginLeft);
}

void TFormKorGeneral::CBMarUnitsChange() {
  FChart->SetMarginUnits(static_cast<TKorUnits>(CBMarUnits->currentIndex()));
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  AdjustMarginLimits();
  ShowMargins();
}

void TFormKorGeneral::CBCursorChange() {
  const TCursor Cursor = KorSetCursor(FChart->GetCursor(), CBCursor->currentText());
  FChart->SetCursor(Cursor);
  FChart->SetSavedCursor(Cursor);
}
