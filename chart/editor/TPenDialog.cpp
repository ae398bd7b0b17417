#include "chart/editor/TPenDialog.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TItemFaceCombo.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TComboFlat.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TCanvas.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TOwnerDrawDelegate.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

// Height of a style item: the sample line runs 8 pixels below its top.
constexpr int StyleItemHeight = 18;
constexpr int SmallDotsIndex = 5;

}  // namespace

TPenDialog::TPenDialog(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("PenDialog"));
  setWindowTitle(QStringLiteral("Border Editor"));
  BuildControls();
  setFixedSize(276, 128);
}

TPenDialog::~TPenDialog() = default;

void TPenDialog::BuildControls() {
  TFormBuilder B(*this);
  CBVisible =
      B.Add<QCheckBox>(QStringLiteral("CBVisible"), QStringLiteral("&Visible"), 8, 8, 90, 17);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Style:"), 8, 39, 44, 13);
  CBStyle = new TItemFaceCombo(this, StyleItemHeight,
                               [this](TCanvas& Canvas, int Index, const TRect& Rect) {
                                 CBStyleDrawItem(Canvas, Index, Rect, false);
                               });
  CBStyle->setObjectName(QStringLiteral("CBStyle"));
  CBStyle->setGeometry(56, 34, 126, 22);
  Label2 = B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("&Width:"), 8, 69, 44, 13);
  SEWidth = B.Add<TEditUpDown>(QStringLiteral("SEWidth"), QStringLiteral("1"), 56, 64, 50, 22);
  UDWidth = SEWidth->GetUpDown();
  UDWidth->setObjectName(QStringLiteral("UDWidth"));
  SEWidth->SetMin(1);
  CBEndStyle = B.Add<TComboFlat>(QStringLiteral("CBEndStyle"), QString(), 112, 64, 70, 22);
  BColor =
      B.Add<TButtonColor>(QStringLiteral("BColor"), QStringLiteral("&Color..."), 8, 96, 80, 25);
  BOK = B.Add<QPushButton>(QStringLiteral("BOK"), QStringLiteral("OK"), 192, 8, 75, 25);
  BCancel =
      B.Add<QPushButton>(QStringLiteral("BCancel"), QStringLiteral("Cancel"), 192, 40, 75, 25);
  Label1->setBuddy(CBStyle);
  Label2->setBuddy(SEWidth);
  BOK->setDefault(true);
  CBStyle->setItemDelegate(
      new TOwnerDrawDelegate(CBStyle, StyleItemHeight,
                             [this](TCanvas& Canvas, int Index, const TRect& Rect, bool Selected,
                                    bool) { CBStyleDrawItem(Canvas, Index, Rect, Selected); }));
  CBEndStyle->addItems({QStringLiteral("Round"), QStringLiteral("Square"), QStringLiteral("Flat")});

  connect(CBVisible, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBVisibleClick(); }); });
  connect(CBStyle, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBStyleChange(); }); });
  connect(SEWidth, &QLineEdit::textChanged, this,
          [this] { RunGuarded([this] { SEWidthChange(); }); });
  connect(CBEndStyle, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBEndStyleChange(); }); });
  BColor->OnClick = [this](TKorButton*) { BColorClick(); };
  connect(BOK, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(BCancel, &QPushButton::clicked, this, [this] { RunGuarded([this] { BCancelClick(); }); });
}

void TPenDialog::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  // A window restored from the task bar is shown again by the system; the
  // backup must stay what the pen was when the dialog opened.
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

TChartPen* TPenDialog::ChartPen() const {
  return dynamic_cast<TChartPen*>(FPen);
}

void TPenDialog::FillStyles() {
  CBStyle->clear();
  CBStyle->addItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                     QStringLiteral("Dash Dot"), QStringLiteral("Dash Dot Dot")});
}

void TPenDialog::FormShow() {
  if (FPen == nullptr) return;
  FFilling = true;
  TScopeGuard Filled([this] { FFilling = false; });
  FBackup.Assign(*FPen);
  FillStyles();
  // Styles without an item (clear, inside frame, user dashes) select none.
  const int StyleIndex = FPen->GetStyle() <= psDashDotDot ? static_cast<int>(FPen->GetStyle()) : -1;
  if (TChartPen* Pen = ChartPen()) {
    CBVisible->setVisible(true);
    CBVisible->setChecked(Pen->GetVisible());
    FBackup.SetVisible(Pen->GetVisible());
    const bool Offered = OffersSmallDots();
    if (Offered) CBStyle->addItem(Korconst::KorMsg_SmallDotsPen);
    const bool SmallDots = Pen->GetSmallDots();
    if (!SmallDots)
      CBStyle->setCurrentIndex(StyleIndex);
    else
      CBStyle->setCurrentIndex(Offered ? SmallDotsIndex : -1);
    EnableWidth(!(Offered && SmallDots));
    CBEndStyle->setVisible(IsWindowsNT);
    if (IsWindowsNT) CBEndStyle->setCurrentIndex(static_cast<int>(Pen->GetEndStyle()));
  } else {
    CBVisible->setVisible(false);
    CBEndStyle->setVisible(false);
    CBStyle->setCurrentIndex(StyleIndex);
    EnableWidth(true);
  }
  SEWidth->SetPosition(FPen->GetWidth());
  RefreshStyleEnabled();
  BColor->LinkProperty(FPen, QStringLiteral("Color"));
  BColor->setVisible(!FHideColor);
  KorTranslateControl(this);
  FModified = false;
}

void TPenDialog::EnableWidth(bool Enabled) {
  SEWidth->setEnabled(Enabled);
  UDWidth->setEnabled(Enabled);
}

void TPenDialog::RefreshStyleEnabled() {
  CBStyle->setEnabled(IsWindowsNT || SEWidth->GetPosition() == 1);
}

bool TPenDialog::OffersSmallDots() const {
  return IsWindowsNT;
}

bool TPenDialog::IsSmallDotsItem(int Index) const {
  return OffersSmallDots() && Index == SmallDotsIndex;
}

void TPenDialog::SEWidthChange() {
  if (!Editing() || FPen == nullptr) return;
  FPen->SetWidth(SEWidth->GetPosition());
  RefreshStyleEnabled();
  FModified = true;
}

void TPenDialog::CBEndStyleChange() {
  TChartPen* Pen = ChartPen();
  if (!Editing() || Pen == nullptr || CBEndStyle->currentIndex() < 0) return;
  Pen->SetEndStyle(static_cast<TPenEndStyle>(CBEndStyle->currentIndex()));
  FModified = true;
}

void TPenDialog::CBVisibleClick() {
  TChartPen* Pen = ChartPen();
  if (!Editing() || Pen == nullptr) return;
  Pen->SetVisible(CBVisible->isChecked());
  FModified = true;
}

void TPenDialog::CBStyleChange() {
  const int Index = CBStyle->currentIndex();
  if (!Editing() || FPen == nullptr || Index < 0) return;
  if (IsSmallDotsItem(Index)) {
    if (TChartPen* Pen = ChartPen()) Pen->SetSmallDots(true);
    EnableWidth(false);
  } else {
    FPen->SetStyle(static_cast<TPenStyle>(Index));
    if (TChartPen* Pen = ChartPen()) Pen->SetSmallDots(false);
    EnableWidth(true);
  }
  FModified = true;
}

void TPenDialog::BColorClick() {
  CBStyle->update();
  FModified = true;
}

void TPenDialog::BCancelClick() {
  if (FModified && FPen != nullptr) {
    // One change notification for the whole restore, so the chart repaints
    // once.
    const TNotifyEvent Handler = FPen->OnChange;
    FPen->OnChange = nullptr;
    FPen->Assign(FBackup);
    FPen->OnChange = Handler;
    if (Handler) Handler(FPen);
    FModified = false;
  }
  done(mrCancel);
}

void TPenDialog::reject() {
  RunGuarded([this] { BCancelClick(); });
}

void TPenDialog::CBStyleDrawItem(TCanvas& Canvas, int Index, const TRect& Rect,
                                 bool Selected) const {
  const TColor Background = Selected ? clHighlight : clWindow;
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(Background);
  Canvas.FillRect(Rect);
  if (Index < 0) return;
  Canvas.SetBkColor(Background);  // the gaps of dashed samples
  TColor Color = FPen != nullptr ? FPen->GetColor() : clBlack;
  // A line in the background's colour would vanish.
  if (ColorToRGB(Color) == ColorToRGB(Background))
    Color = ColorToRGB(Color) == clWhite ? clBlack : clWhite;
  if (IsSmallDotsItem(Index)) {
    Canvas.SetPen(*KorCreatePenSmallDots(Color, 0));
  } else {
    Canvas.GetPen().SetWidth(1);
    Canvas.GetPen().SetStyle(static_cast<TPenStyle>(Index));
    Canvas.GetPen().SetColor(Color);
  }
  Canvas.MoveTo(Rect.Left + 2, Rect.Top + 8);
  Canvas.LineTo(Rect.Left + 30, Rect.Top + 8);
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.SetBkMode(bkTransparent);
  Canvas.GetFont().SetColor(Selected ? clHighlightText : clWindowText);
  if (Index < CBStyle->count())
    Canvas.TextOut(Rect.Left + 34, Rect.Top + 2, CBStyle->itemText(Index));
}

bool EditChartPen(QWidget* Owner, TPen& Pen, bool HideColor) {
  const std::unique_ptr<TPenDialog> Dialog = KorCreateForm<TPenDialog>(Owner);
  Dialog->SetPen(&Pen);
  Dialog->SetHideColor(HideColor);
  return ShowModal(*Dialog) == mrOk;
}
