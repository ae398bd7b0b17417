#include "chart/editor/TKorShadowEditor.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TKorShadow.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int MaxShadowSize = 1000;

}  // namespace

TKorShadowEditor::TKorShadowEditor(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("KorShadowEditor"));
  setWindowTitle(QStringLiteral("Shadow editor"));
  BuildControls();
  Connect();
  setFixedSize(220, 150);
}

TKorShadowEditor::~TKorShadowEditor() = default;

void TKorShadowEditor::BuildControls() {
  TFormBuilder B(*this);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Horiz. Size:"), 8, 12, 84, 13);
  Edit1 = B.Add<TEditUpDown>(QStringLiteral("Edit1"), QStringLiteral("0"), 96, 8, 56, 22);
  UDShadowSize = Edit1->GetUpDown();
  UDShadowSize->setObjectName(QStringLiteral("UDShadowSize"));
  Label2 = B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("&Vert. Size:"), 8, 40, 84, 13);
  EVertSize = B.Add<TEditUpDown>(QStringLiteral("EVertSize"), QStringLiteral("0"), 96, 36, 56, 22);
  UDShaVert = EVertSize->GetUpDown();
  UDShaVert->setObjectName(QStringLiteral("UDShaVert"));
  for (TEditUpDown* Edit : {Edit1, EVertSize}) {
    Edit->SetMin(-MaxShadowSize);
    Edit->SetMax(MaxShadowSize);
  }
  Label3 = B.Add<QLabel>(QStringLiteral("Label3"), QStringLiteral("&Transparency:"), 8, 68, 84, 13);
  EShadowTransp =
      B.Add<TEditUpDown>(QStringLiteral("EShadowTransp"), QStringLiteral("0"), 96, 64, 56, 22);
  EShadowTransp->GetUpDown()->setObjectName(QStringLiteral("UDShadowTransp"));
  EShadowTransp->SetMin(0);
  EShadowTransp->SetMax(100);
  Label1->setBuddy(Edit1);
  Label2->setBuddy(EVertSize);
  Label3->setBuddy(EShadowTransp);
  BShadowColor = B.Add<TButtonColor>(QStringLiteral("BShadowColor"), QStringLiteral("&Color..."), 8,
                                     94, 84, 25);
  CBSmooth =
      B.Add<QCheckBox>(QStringLiteral("CBSmooth"), QStringLiteral("&Smooth"), 100, 98, 80, 17);
  BOK = B.Add<QPushButton>(QStringLiteral("BOK"), QStringLiteral("OK"), 137, 122, 75, 25);
  BOK->setDefault(true);
}

void TKorShadowEditor::Connect() {
  connect(Edit1, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { Edit1Change(); }); });
  connect(EVertSize, &QLineEdit::textChanged, this,
          [this] { RunGuarded([this] { EVertSizeChange(); }); });
  connect(EShadowTransp, &QLineEdit::textChanged, this,
          [this] { RunGuarded([this] { EShadowTranspChange(); }); });
  connect(CBSmooth, &QCheckBox::clicked, this, [this] { RunGuarded([this] { CBSmoothClick(); }); });
  connect(BOK, &QPushButton::clicked, this, [this] { done(mrOk); });
}

void TKorShadowEditor::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  FShown = true;
}

void TKorShadowEditor::RefreshControls(TKorShadow* Shadow) {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  FShadow = Shadow;
  if (FShadow == nullptr) return;
  Edit1->SetPosition(FShadow->GetHorizSize());
  EVertSize->SetPosition(FShadow->GetVertSize());
  EShadowTransp->SetPosition(FShadow->GetTransparency());
  CBSmooth->setChecked(FShadow->GetSmooth());
  BShadowColor->LinkProperty(FShadow, QStringLiteral("Color"));
}

void TKorShadowEditor::Edit1Change() {
  if (Editing()) FShadow->SetHorizSize(Edit1->GetPosition());
}

void TKorShadowEditor::EVertSizeChange() {
  if (Editing()) FShadow->SetVertSize(EVertSize->GetPosition());
}

void TKorShadowEditor::EShadowTranspChange() {
  if (Editing()) FShadow->SetTransparency(EShadowTransp->GetPosition());
}

void TKorShadowEditor::CBSmoothClick() {
  if (Editing()) FShadow->SetSmooth(CBSmooth->isChecked());
}

bool EditKorShadow(QWidget* Owner, TKorShadow& Shadow) {
  const std::unique_ptr<TKorShadowEditor> Form = KorCreateForm<TKorShadowEditor>(Owner);
  Form->RefreshControls(&Shadow);
  KorTranslateControl(Form.get());
  return ShowModal(*Form) == mrOk;
}

TKorShadowEditor* InsertKorShadowEditor(QWidget& Tab) {
  auto* Form = new TKorShadowEditor(&Tab);
  Form->BOK->setVisible(false);
  AddFormTo(*Form, Tab);
  KorTranslateControl(Form);
  return Form;
}
