#include "chart/editor/TFormKorTitle.h"

#include "chart/editor/TFormKorShape.h"

#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TCustomChart.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTabWidget>

namespace {

// An empty memo holds no lines (not one empty line).
QStringList EditLines(const QPlainTextEdit& Memo) {
  const QString Text = Memo.toPlainText();
  return Text.isEmpty() ? QStringList() : Text.split('\n');
}

}  // namespace

TFormKorTitle::TFormKorTitle(QWidget* Parent, TCustomChart* Chart, TChartTitle* Title)
    : QWidget(Parent), FChart(Chart), FTitle(Title != nullptr ? Title : &Chart->GetTitle()) {
  setObjectName(QStringLiteral("FormKorTitle"));
  BuildControls();
  ShapeForm = InsertKorObjectForm(*PageControl1, FTitle);
  PageControl1->setCurrentWidget(TabStyle);
  Connect();
}

void TFormKorTitle::BuildControls() {
  resize(400, 290);
  TFormBuilder B(*this);
  CBTitles = B.Add<QComboBox>(QStringLiteral("CBTitles"), QString(), 8, 6, 110, 21);
  CBTitles->addItems({QStringLiteral("Title"), QStringLiteral("SubTitle"),
                      QStringLiteral("SubFoot"), QStringLiteral("Foot")});
  PageControl1 = B.Add<QTabWidget>(QStringLiteral("PageControl1"), QString(), 0, 32, 400, 258);
  PageControl1->setDocumentMode(true);
  TabStyle = new QWidget;
  TabStyle->setObjectName(QStringLiteral("TabStyle"));
  PageControl1->addTab(TabStyle, QStringLiteral("Style"));
  TFormBuilder S(*TabStyle);
  CBVisible =
      S.Add<QCheckBox>(QStringLiteral("CBVisible"), QStringLiteral("&Visible"), 8, 8, 90, 17);
  CBAdjustFrame = S.Add<QCheckBox>(QStringLiteral("CBAdjustFrame"), QStringLiteral("&Adjust Frame"),
                                   8, 30, 110, 17);
  auto* LAlign =
      S.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("Alignment:"), 124, 10, 68, 13);
  CBAlignment = S.Add<QComboBox>(QStringLiteral("CBAlignment"), QString(), 194, 6, 90, 21);
  CBAlignment->addItems(
      {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
  LAlign->setBuddy(CBAlignment);
  MText = S.Add<QPlainTextEdit>(QStringLiteral("MText"), QString(), 8, 56, 276, 110);
  CBCustPos =
      S.Add<QCheckBox>(QStringLiteral("CBCustPos"), QStringLiteral("&Custom:"), 8, 178, 82, 17);
  S.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("Left:"), 92, 180, 34, 13);
  ECustLeft = S.Add<TEditUpDown>(QStringLiteral("ECustLeft"), QString(), 128, 176, 56, 21);
  S.Add<QLabel>(QStringLiteral("Label3"), QStringLiteral("Top:"), 192, 180, 34, 13);
  ECustTop = S.Add<TEditUpDown>(QStringLiteral("ECustTop"), QString(), 228, 176, 56, 21);
  for (TEditUpDown* E : {ECustLeft, ECustTop}) {
    E->SetMin(-10000);
    E->SetMax(10000);
  }
}

void TFormKorTitle::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TFormKorTitle::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (!FUpdating) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  Wire(CBTitles, &QComboBox::currentIndexChanged, &TFormKorTitle::CBTitlesChange);
  Wire(CBVisible, &QCheckBox::toggled, &TFormKorTitle::CBVisibleClick);
  Wire(CBAdjustFrame, &QCheckBox::toggled, &TFormKorTitle::CBAdjustFrameClick);
  Wire(CBAlignment, &QComboBox::currentIndexChanged, &TFormKorTitle::CBAlignmentChange);
  Wire(MText, &QPlainTextEdit::textChanged, &TFormKorTitle::MTextChange);
  Wire(CBCustPos, &QCheckBox::toggled, &TFormKorTitle::CBCustPosClick);
  Wire(ECustLeft, &QLineEdit::textChanged, &TFormKorTitle::ECustLeftChange);
  Wire(ECustTop, &QLineEdit::textChanged, &TFormKorTitle::ECustTopChange);
}

void TFormKorTitle::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TFormKorTitle::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

TChartTitle* TFormKorTitle::TitleAt(int Index) const {
  switch (Index) {
    case 0: return &FChart->GetTitle();
    case 1: return &FChart->GetSubTitle();
    case 2: return &FChart->GetSubFoot();
    default: return &FChart->GetFoot();
  }
}

void TFormKorTitle::FormShow() {
  int Index = 3;
  for (int i = 0; i < 3; ++i)
    if (TitleAt(i) == FTitle) Index = i;
  {
    const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
    FUpdating = true;
    CBTitles->setCurrentIndex(Index);
  }
  LoadControls();
}

void TFormKorTitle::LoadControls() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  switch (FTitle->GetAlignment()) {
    case taLeftJustify: CBAlignment->setCurrentIndex(0); break;
    case taCenter: CBAlignment->setCurrentIndex(1); break;
    case taRightJustify: CBAlignment->setCurrentIndex(2); break;
  }
  CBVisible->setChecked(FTitle->GetVisible());
  CBAdjustFrame->setChecked(FTitle->GetAdjustFrame());
  CBCustPos->setChecked(FTitle->GetCustomPosition());
  LoadPosition();
  if (EditLines(*MText) != FTitle->GetText()) MText->setPlainText(FTitle->GetText().join('\n'));
  ShapeForm->RefreshControls(FTitle);
}

void TFormKorTitle::LoadPosition() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  const bool Custom = FTitle->GetCustomPosition();
  ECustLeft->setEnabled(Custom);
  ECustTop->setEnabled(Custom);
  ECustLeft->SetPosition(FTitle->GetLeft());
  ECustTop->SetPosition(FTitle->GetTop());
}

void TFormKorTitle::CBTitlesChange() {
  FTitle = TitleAt(CBTitles->currentIndex());
  LoadControls();
}

void TFormKorTitle::CBVisibleClick() {
  FTitle->SetVisible(CBVisible->isChecked());
}

void TFormKorTitle::CBAdjustFrameClick() {
  FTitle->SetAdjustFrame(CBAdjustFrame->isChecked());
}

void TFormKorTitle::CBAlignmentChange() {
  static constexpr TAlignment Alignments[] = {taLeftJustify, taCenter, taRightJustify};
  const int Index = CBAlignment->currentIndex();
  if (Index >= 0 && Index < 3) FTitle->SetAlignment(Alignments[Index]);
}

void TFormKorTitle::MTextChange() {
  const QStringList Lines = EditLines(*MText);
  if (Lines != FTitle->GetText()) FTitle->SetText(Lines);
}

void TFormKorTitle::CBCustPosClick() {
  FTitle->SetCustomPosition(CBCustPos->isChecked());
  LoadPosition();
}

void TFormKorTitle::ECustLeftChange() {
  if (FTitle->GetCustomPosition() && ECustLeft->GetPosition() != FTitle->GetLeft())
    FTitle->SetLeft(ECustLeft->GetPosition());
}

void TFormKorTitle::ECustTopChange() {
  if (FTitle->GetCustomPosition() && ECustTop->GetPosition() != FTitle->GetTop())
    FTitle->SetTop(ECustTop->GetPosition());
}
