#include "chart/editor/TCustomSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TKorShadowEditor.h"
#include "chart/editor/TSeriesPointerEditor.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/series/TCustomSeries.h"
#include "chart/series/TLineSeries.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

// Pixels of the 3D ribbon.
constexpr int MaxLineHeight = 1000;

}  // namespace

TCustomSeriesEditor::TCustomSeriesEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("CustomSeriesEditor"));
  BuildControls();
  Connect();
}

TCustomSeriesEditor::~TCustomSeriesEditor() {
  // The tab sits in the series page, not among this form's children.
  delete FPointerForm.data();
}

void TCustomSeriesEditor::BuildControls() {
  resize(432, 190);
  TFormBuilder B(*this);
  BLineColor =
      B.Add<TButtonColor>(QStringLiteral("BLineColor"), QStringLiteral("&Color..."), 8, 8, 100, 25);
  BLineBorder = B.Add<TButtonPen>(QStringLiteral("BLineBorder"), QStringLiteral("&Border..."), 8,
                                  38, 100, 25);
  Button1 =
      B.Add<QPushButton>(QStringLiteral("Button1"), QStringLiteral("S&hadow..."), 8, 68, 100, 25);
  CBColorEach = B.Add<QCheckBox>(QStringLiteral("CBColorEach"), QStringLiteral("Color &Each"), 122,
                                 10, 150, 17);
  CheckBox1 = B.Add<QCheckBox>(QStringLiteral("CheckBox1"), QStringLiteral("Color Each line"), 122,
                               34, 150, 17);
  CBClick =
      B.Add<QCheckBox>(QStringLiteral("CBClick"), QStringLiteral("Clic&kable"), 122, 58, 150, 17);
  LStack = B.Add<QLabel>(QStringLiteral("LStack"), QStringLiteral("S&tack:"), 122, 88, 44, 13);
  CBStack = B.Add<QComboBox>(QStringLiteral("CBStack"), QString(), 168, 84, 104, 22);
  CBStack->addItems({QStringLiteral("None"), QStringLiteral("Overlap"), QStringLiteral("Stack"),
                     QStringLiteral("Stack 100%")});
  LStack->setBuddy(CBStack);

  GBLineMode =
      B.Add<QGroupBox>(QStringLiteral("GBLineMode"), QStringLiteral("Line Mode:"), 288, 4, 136, 66);
  CBStairs = TFormBuilder::AddTo<QCheckBox>(*GBLineMode, QStringLiteral("CBStairs"),
                                            QStringLiteral("&Stairs"), 10, 20, 116, 17);
  CBInvStairs = TFormBuilder::AddTo<QCheckBox>(*GBLineMode, QStringLiteral("CBInvStairs"),
                                               QStringLiteral("&Inverted"), 10, 42, 116, 17);
  CBDark3D =
      B.Add<QCheckBox>(QStringLiteral("CBDark3D"), QStringLiteral("&Dark 3D"), 288, 78, 136, 17);
  LHeight =
      B.Add<QLabel>(QStringLiteral("LHeight"), QStringLiteral("&Height 3D:"), 288, 106, 72, 13);
  EHeight = B.Add<TEditUpDown>(QStringLiteral("EHeight"), QString(), 364, 102, 60, 22);
  EHeight->GetUpDown()->setObjectName(QStringLiteral("UDHeight"));
  EHeight->SetMin(0);
  EHeight->SetMax(MaxLineHeight);
  LHeight->setBuddy(EHeight);
  BBrush = B.Add<QPushButton>(QStringLiteral("BBrush"), QStringLiteral("&Pattern..."), 288, 130,
                              100, 25);
  BOutline = B.Add<TButtonPen>(QStringLiteral("BOutline"), QStringLiteral("&Outline..."), 288, 160,
                               100, 25);
}

void TCustomSeriesEditor::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TCustomSeriesEditor::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (Editing()) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  Wire(CBColorEach, &QCheckBox::toggled, &TCustomSeriesEditor::CBColorEachClick);
  Wire(CheckBox1, &QCheckBox::toggled, &TCustomSeriesEditor::CheckBox1Click);
  Wire(CBClick, &QCheckBox::toggled, &TCustomSeriesEditor::CBClickClick);
  Wire(CBStack, &QComboBox::currentIndexChanged, &TCustomSeriesEditor::CBStackChange);
  Wire(Button1, &QPushButton::clicked, &TCustomSeriesEditor::Button1Click);
  Wire(CBStairs, &QCheckBox::toggled, &TCustomSeriesEditor::CBStairsClick);
  Wire(CBInvStairs, &QCheckBox::toggled, &TCustomSeriesEditor::CBInvStairsClick);
  Wire(CBDark3D, &QCheckBox::toggled, &TCustomSeriesEditor::CBDark3DClick);
  Wire(EHeight, &QLineEdit::textChanged, &TCustomSeriesEditor::EHeightChange);
  Wire(BBrush, &QPushButton::clicked, &TCustomSeriesEditor::BBrushClick);
}

void TCustomSeriesEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TCustomSeriesEditor::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

void TCustomSeriesEditor::FormShow() {
  Series = dynamic_cast<TCustomSeries*>(KorFormObject(*this));
  if (Series == nullptr) return;
  LoadControls();
  if (parentWidget() != nullptr && !FPointerInserted) {
    FPointerInserted = true;
    FPointerForm = KorInsertPointerForm(*this, &Series->GetPointer(), QStringLiteral("Point"));
  }
}

void TCustomSeriesEditor::LoadControls() {
  if (Series == nullptr) return;
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  BLineColor->LinkProperty(Series, QStringLiteral("SeriesColor"));
  BLineBorder->LinkPen(&Series->GetLinePen());
  CBColorEach->setChecked(Series->GetColorEachPoint());
  CheckBox1->setChecked(Series->GetColorEachLine());
  CBClick->setChecked(Series->GetClickableLine());
  CBStack->setCurrentIndex(static_cast<int>(Series->GetStacked()));
  const bool Line = dynamic_cast<TLineSeries*>(Series) != nullptr;
  ShowControls(Line, {GBLineMode, CBDark3D, LHeight, EHeight, BBrush, BOutline});
  CBStairs->setChecked(Series->GetStairs());
  CBInvStairs->setChecked(Series->GetInvertedStairs());
  CBInvStairs->setEnabled(Series->GetStairs());
  CBDark3D->setChecked(Series->GetDark3D());
  EHeight->SetPosition(Series->GetLineHeight());
  BOutline->LinkPen(&Series->GetOutLine());
}

void TCustomSeriesEditor::CBColorEachClick() {
  Series->SetColorEachPoint(CBColorEach->isChecked());
}

void TCustomSeriesEditor::CheckBox1Click() {
  Series->SetColorEachLine(CheckBox1->isChecked());
}

void TCustomSeriesEditor::CBClickClick() {
  Series->SetClickableLine(CBClick->isChecked());
}

void TCustomSeriesEditor::CBStackChange() {
  if (CBStack->currentIndex() >= 0)
    Series->SetStacked(static_cast<TCustomSeriesStack>(CBStack->currentIndex()));
}

void TCustomSeriesEditor::Button1Click() {
  const std::unique_ptr<TKorShadowEditor> Form = KorCreateForm<TKorShadowEditor>(this);
  ShowControls(false, {Form->CBSmooth, Form->Label3, Form->EShadowTransp});
  Form->RefreshControls(&Series->GetShadow());
  KorTranslateControl(Form.get());
  ShowModal(*Form);
}

void TCustomSeriesEditor::CBStairsClick() {
  Series->SetStairs(CBStairs->isChecked());
  CBInvStairs->setEnabled(CBStairs->isChecked());
}

void TCustomSeriesEditor::CBInvStairsClick() {
  Series->SetInvertedStairs(CBInvStairs->isChecked());
}

void TCustomSeriesEditor::CBDark3DClick() {
  Series->SetDark3D(CBDark3D->isChecked());
}

void TCustomSeriesEditor::EHeightChange() {
  Series->SetLineHeight(EHeight->GetPosition());
}

void TCustomSeriesEditor::BBrushClick() {
  // The series' own brush fills the 3D ribbon.
  EditChartBrush(this, Series->GetBrush());
}

void RegisterCustomSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TCustomSeriesEditor"),
                     [](QWidget* Parent) { return new TCustomSeriesEditor(Parent); });
}
