#include "chart/editor/TFormKorPanel.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TKorShadowEditor.h"

#include "chart/core/TBackImage.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TCustomKorPanelExtended.h"
#include "chart/core/TKorGradient.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

namespace {

constexpr int MaxBorderRound = 10000;
constexpr int MaxBevel = 1000;
constexpr int MaxImageOffset = 10000;

}  // namespace

TFormKorPanel::TFormKorPanel(QWidget* Owner, TCustomKorPanelExtended* Panel)
    : QWidget(Owner), FPanel(Panel) {
  setObjectName(QStringLiteral("FormKorPanel"));
  resize(400, 250);
  PageControl1 = TFormBuilder::AddTo<QTabWidget>(*this, QStringLiteral("PageControl1"), QString(),
                                                 4, 4, 392, 242);
  const auto Tab = [this](const QString& Name, const QString& Caption) {
    auto* Page = new QWidget;
    Page->setObjectName(Name);
    PageControl1->addTab(Page, Caption);
    return Page;
  };
  TabBack = Tab(QStringLiteral("TabBack"), QStringLiteral("Background"));
  TabBorders = Tab(QStringLiteral("TabBorders"), QStringLiteral("Borders"));
  TabGradient = Tab(QStringLiteral("TabGradient"), QStringLiteral("Gradient"));
  TabShadow = Tab(QStringLiteral("TabShadow"), QStringLiteral("Shadow"));
  BuildBackTab();
  BuildBordersTab();
  DockEditors();
  Connect();
  PageControl1->setCurrentWidget(TabBack);
}

void TFormKorPanel::BuildBackTab() {
  TFormBuilder B(*TabBack);
  BPanelColor =
      B.Add<TButtonColor>(QStringLiteral("BPanelColor"), QStringLiteral("&Color..."), 8, 8, 90, 25);
  CBColorDef =
      B.Add<QCheckBox>(QStringLiteral("CBColorDef"), QStringLiteral("&Default"), 8, 40, 90, 17);
  GBImage =
      B.Add<QGroupBox>(QStringLiteral("GBImage"), QStringLiteral("Back Image:"), 110, 4, 266, 196);
  TFormBuilder G(*GBImage);
  RGBitmap = new TRadioGroup(QStringLiteral("St&yle"), GBImage);
  RGBitmap->setObjectName(QStringLiteral("RGBitmap"));
  RGBitmap->setGeometry(8, 20, 110, 116);
  RGBitmap->SetItems({QStringLiteral("Stretch"), QStringLiteral("Tile"), QStringLiteral("Center"),
                      QStringLiteral("C&ustom")});
  BBrowseImage = G.Add<QPushButton>(QStringLiteral("BBrowseImage"), QStringLiteral("B&rowse..."),
                                    130, 20, 90, 25);
  CBImageInside = G.Add<QCheckBox>(QStringLiteral("CBImageInside"), QStringLiteral("I&nside"), 130,
                                   54, 120, 17);
  CBTransp = G.Add<QCheckBox>(QStringLiteral("CBTransp"), QStringLiteral("&Transparent"), 130, 76,
                              120, 17);
  LLeft = G.Add<QLabel>(QStringLiteral("LLeft"), QStringLiteral("&Left:"), 8, 148, 30, 13);
  ELeft = G.Add<TEditUpDown>(QStringLiteral("ELeft"), QStringLiteral("0"), 40, 144, 60, 22);
  LTop = G.Add<QLabel>(QStringLiteral("LTop"), QStringLiteral("T&op:"), 120, 148, 30, 13);
  ETop = G.Add<TEditUpDown>(QStringLiteral("ETop"), QStringLiteral("0"), 152, 144, 60, 22);
  for (TEditUpDown* Edit : {ELeft, ETop}) {
    Edit->SetMin(-MaxImageOffset);
    Edit->SetMax(MaxImageOffset);
    Edit->SetPosition(0);
  }
  LLeft->setBuddy(ELeft);
  LTop->setBuddy(ETop);
}

void TFormKorPanel::BuildBordersTab() {
  TFormBuilder B(*TabBorders);
  const QStringList Bevels{QStringLiteral("None"), QStringLiteral("Lowered"),
                           QStringLiteral("Raised")};
  LInner = B.Add<QLabel>(QStringLiteral("LInner"), QStringLiteral("&Inner:"), 8, 12, 60, 13);
  CBInner = B.Add<QComboBox>(QStringLiteral("CBInner"), QString(), 84, 8, 100, 22);
  CBInner->addItems(Bevels);
  LInner->setBuddy(CBInner);
  LOuter = B.Add<QLabel>(QStringLiteral("LOuter"), QStringLiteral("&Outer:"), 8, 40, 60, 13);
  CBOuter = B.Add<QComboBox>(QStringLiteral("CBOuter"), QString(), 84, 36, 100, 22);
  CBOuter->addItems(Bevels);
  LOuter->setBuddy(CBOuter);
  LPanelWi = B.Add<QLabel>(QStringLiteral("LPanelWi"), QStringLiteral("Widt&h:"), 8, 72, 60, 13);
  SEPanelWi = B.Add<TEditUpDown>(QStringLiteral("SEPanelWi"), QStringLiteral("1"), 84, 68, 56, 22);
  SEPanelWi->SetMin(1);
  SEPanelWi->SetMax(MaxBevel);
  LPanelWi->setBuddy(SEPanelWi);
  LPanelBor =
      B.Add<QLabel>(QStringLiteral("LPanelBor"), QStringLiteral("&Separation:"), 8, 100, 74, 13);
  SEPanelBor =
      B.Add<TEditUpDown>(QStringLiteral("SEPanelBor"), QStringLiteral("0"), 84, 96, 56, 22);
  SEPanelBor->SetMin(0);
  SEPanelBor->SetMax(MaxBevel);
  LPanelBor->setBuddy(SEPanelBor);
  LRound = B.Add<QLabel>(QStringLiteral("LRound"), QStringLiteral("&Round:"), 200, 12, 60, 13);
  ERound = B.Add<TEditUpDown>(QStringLiteral("ERound"), QStringLiteral("0"), 264, 8, 64, 22);
  ERound->SetMin(0);
  ERound->SetMax(MaxBorderRound);
  LRound->setBuddy(ERound);
  BBorder =
      B.Add<TButtonPen>(QStringLiteral("BBorder"), QStringLiteral("&Border..."), 200, 40, 90, 25);
}

void TFormKorPanel::DockEditors() {
  GradientEditor =
      new TKorGradientEditor(TabGradient, FPanel != nullptr ? FPanel->GetGradient() : nullptr);
  AddFormTo(*GradientEditor, *TabGradient);
  ShadowEditor = InsertKorShadowEditor(*TabShadow);
  if (FPanel != nullptr) ShadowEditor->RefreshControls(&FPanel->GetShadow());
}

template <class Sender, class Signal>
void TFormKorPanel::Wire(Sender* Control, Signal Changed, void (TFormKorPanel::*Handler)()) {
  connect(Control, Changed, this, [this, Handler] {
    if (FUpdating || FPanel == nullptr) return;
    KorGuardedEdit([this, Handler] { (this->*Handler)(); }, [this] { FormShow(); });
  });
}

void TFormKorPanel::Connect() {
  BPanelColor->OnClick = [this](TKorButton*) { RunGuarded([this] { CheckColorDefault(); }); };
  Wire(CBColorDef, &QCheckBox::clicked, &TFormKorPanel::CBColorDefClick);
  RGBitmap->OnClick = [this](TRadioGroup*) {
    if (FUpdating || FPanel == nullptr) return;
    KorGuardedEdit([this] { RGBitmapClick(); }, [this] { FormShow(); });
  };
  Wire(BBrowseImage, &QPushButton::clicked, &TFormKorPanel::BBrowseImageClick);
  Wire(CBImageInside, &QCheckBox::clicked, &TFormKorPanel::CBImageInsideClick);
  Wire(CBTransp, &QCheckBox::clicked, &TFormKorPanel::CBTranspClick);
  Wire(ELeft, &QLineEdit::textChanged, &TFormKorPanel::ELeftChange);
  Wire(ETop, &QLineEdit::textChanged, &TFormKorPanel::ETopChange);
  Wire(CBInner, &QComboBox::activated, &TFormKorPanel::CBInnerChange);
  Wire(CBOuter, &QComboBox::activated, &TFormKorPanel::CBOuterChange);
  Wire(SEPanelWi, &QLineEdit::textChanged, &TFormKorPanel::SEPanelWiChange);
  Wire(SEPanelBor, &QLineEdit::textChanged, &TFormKorPanel::SEPanelBorChange);
  Wire(ERound, &QLineEdit::textChanged, &TFormKorPanel::ERoundChange);
}

void TFormKorPanel::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  RunGuarded([this] { FormShow(); });
}

bool TFormKorPanel::Editing() const {
  return !FUpdating && FPanel != nullptr && isVisible();
}

void TFormKorPanel::FormShow() {
  if (FPanel == nullptr) return;
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  // The combos offer no "space" bevel: such a panel shows no item.
  CBInner->setCurrentIndex(FPanel->GetBevelInner() < CBInner->count() ? FPanel->GetBevelInner()
                                                                      : -1);
  CBOuter->setCurrentIndex(FPanel->GetBevelOuter() < CBOuter->count() ? FPanel->GetBevelOuter()
                                                                      : -1);
  BBorder->LinkPen(&FPanel->GetBorder());
  ERound->SetPosition(FPanel->GetBorderRound());
  SEPanelWi->SetPosition(FPanel->GetBevelWidth());
  SEPanelBor->SetPosition(FPanel->GetBorderWidth());
  // Without a picture the back image is not created just to be shown.
  const TBackImage* Image = FPanel->ExistingBackImage();
  RGBitmap->SetItemIndex(Image != nullptr ? Image->GetMode() : pbmStretch);
  CBImageInside->setChecked(FPanel->GetBackImageInside());
  ELeft->SetPosition(Image != nullptr ? Image->GetLeft() : 0);
  ETop->SetPosition(Image != nullptr ? Image->GetTop() : 0);
  CheckImageControls();
  BPanelColor->LinkProperty(FPanel, QStringLiteral("Color"));
  CheckColorDefault();
  GradientEditor->RefreshGradient(FPanel->GetGradient());
  ShadowEditor->RefreshControls(&FPanel->GetShadow());
}

void TFormKorPanel::CheckImageControls() {
  const bool HasPicture = FPanel != nullptr && FPanel->HasBackImage();
  RGBitmap->setEnabled(HasPicture);
  CBImageInside->setEnabled(HasPicture);
  BBrowseImage->setText(HasPicture ? QStringLiteral("Clea&r") : QStringLiteral("B&rowse..."));
  CBTransp->setEnabled(RGBitmap->isEnabled());
  const bool WasUpdating = FUpdating;
  FUpdating = true;
  TScopeGuard Updated([this, WasUpdating] { FUpdating = WasUpdating; });
  CBTransp->setChecked(CBTransp->isEnabled() && FPanel->GetBackImageTransp());
  const bool Custom = RGBitmap->GetItemIndex() == pbmCustom;
  for (QWidget* Control : {static_cast<QWidget*>(LLeft), static_cast<QWidget*>(ELeft),
                           static_cast<QWidget*>(LTop), static_cast<QWidget*>(ETop)})
    Control->setEnabled(Custom);
}

void TFormKorPanel::CheckColorDefault() {
  if (FPanel == nullptr) return;
  const bool Default = FPanel->GetColor() == clBtnFace;
  const bool WasUpdating = FUpdating;
  FUpdating = true;
  TScopeGuard Updated([this, WasUpdating] { FUpdating = WasUpdating; });
  CBColorDef->setChecked(Default);
  CBColorDef->setEnabled(!Default);
}

void TFormKorPanel::CBColorDefClick() {
  if (!CBColorDef->isChecked()) return;
  FPanel->SetColor(clBtnFace);
  BPanelColor->repaint();
  CheckColorDefault();
}

void TFormKorPanel::RGBitmapClick() {
  FPanel->SetBackImageMode(static_cast<TKorBackImageMode>(RGBitmap->GetItemIndex()));
  CheckImageControls();
}

void TFormKorPanel::BBrowseImageClick() {
  // Refreshed also when loading fails: a failed load may have cleared it.
  TScopeGuard Refresh([this] { CheckImageControls(); });
  KorLoadClearImage(this, *FPanel->GetBackImage());
  FPanel->Invalidate();
}

void TFormKorPanel::CBImageInsideClick() {
  FPanel->SetBackImageInside(CBImageInside->isChecked());
}

void TFormKorPanel::CBTranspClick() {
  FPanel->SetBackImageTransp(CBTransp->isChecked());
  // Not every picture format can be transparent: show what the picture is.
  CheckImageControls();
}

void TFormKorPanel::ELeftChange() {
  if (Editing()) FPanel->GetBackImage()->SetLeft(ELeft->GetPosition());
}

void TFormKorPanel::ETopChange() {
  if (Editing()) FPanel->GetBackImage()->SetTop(ETop->GetPosition());
}

void TFormKorPanel::CBInnerChange() {
  const auto Value = static_cast<TPanelBevel>(CBInner->currentIndex());
  if (FPanel->GetBevelInner() != Value) FPanel->SetBevelInner(Value);
}

void TFormKorPanel::CBOuterChange() {
  const auto Value = static_cast<TPanelBevel>(CBOuter->currentIndex());
  if (FPanel->GetBevelOuter() != Value) FPanel->SetBevelOuter(Value);
}

void TFormKorPanel::SEPanelWiChange() {
  if (Editing() && FPanel->GetBevelWidth() != SEPanelWi->GetPosition())
    FPanel->SetBevelWidth(SEPanelWi->GetPosition());
}

void TFormKorPanel::SEPanelBorChange() {
  if (Editing() && FPanel->GetBorderWidth() != SEPanelBor->GetPosition())
    FPanel->SetBorderWidth(SEPanelBor->GetPosition());
}

void TFormKorPanel::ERoundChange() {
  if (Editing() && FPanel->GetBorderRound() != ERound->GetPosition())
    FPanel->SetBorderRound(ERound->GetPosition());
}
