#include "chart/editor/TCircledSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TFormKorSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"
#include "chart/series/TCircledSeries.h"

#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QShowEvent>

namespace {

constexpr int Step = 5;
constexpr int MaxRadius = 2000;

TEditUpDown* AddEdit(QWidget& Parent, const QString& Name, const QString& UpDownName, int Left,
                     int Top, int Max) {
  return AddUpDownEdit(Parent, Name, UpDownName, QRect(Left, Top, 64, 22), 0, Max, Step);
}

}  // namespace

TCircledSeriesEditor::TCircledSeriesEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("CircledSeriesEditor"));
  BuildControls();
  Connect();
}

void TCircledSeriesEditor::BuildControls() {
  resize(300, 180);
  TFormBuilder B(*this);
  CBCircled =
      B.Add<QCheckBox>(QStringLiteral("CBCircled"), QStringLiteral("&Circled"), 8, 8, 140, 17);
  CB3D = B.Add<QCheckBox>(QStringLiteral("CB3D"), QStringLiteral("&3 Dimensions"), 8, 30, 140, 17);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Rotation:"), 8, 62, 64, 16);
  Edit1 = AddEdit(*this, QStringLiteral("Edit1"), QStringLiteral("UDRotation"), 76, 58, 360);
  Label1->setBuddy(Edit1);
  Label2 = B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("Radius:"), 8, 94, 64, 16);
  LabelX = B.Add<QLabel>(QStringLiteral("LabelX"), QStringLiteral("X:"), 16, 122, 20, 16);
  Edit2 = AddEdit(*this, QStringLiteral("Edit2"), QStringLiteral("UDX"), 36, 118, MaxRadius);
  CBAutoXR =
      B.Add<QCheckBox>(QStringLiteral("CBAutoXR"), QStringLiteral("&Auto"), 108, 121, 60, 17);
  LabelY = B.Add<QLabel>(QStringLiteral("LabelY"), QStringLiteral("Y:"), 16, 150, 20, 16);
  Edit3 = AddEdit(*this, QStringLiteral("Edit3"), QStringLiteral("UDY"), 36, 146, MaxRadius);
  CBAutoYR =
      B.Add<QCheckBox>(QStringLiteral("CBAutoYR"), QStringLiteral("A&uto"), 108, 149, 60, 17);
  LabelX->setBuddy(Edit2);
  LabelY->setBuddy(Edit3);
  BBack =
      B.Add<TButtonColor>(QStringLiteral("BBack"), QStringLiteral("C&olor..."), 176, 8, 110, 25);
  CBTransp = B.Add<QCheckBox>(QStringLiteral("CBTransp"), QStringLiteral("&Transparent"), 176, 40,
                              110, 17);
  BGradient = B.Add<TButtonGradient>(QStringLiteral("BGradient"), QStringLiteral("&Gradient..."),
                                     176, 64, 110, 25);
}

void TCircledSeriesEditor::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TCircledSeriesEditor::*Handler)()) {
    connect(Control, Signal, this,
            [this, Handler] { Apply([this, Handler] { (this->*Handler)(); }); });
  };
  Wire(CBCircled, &QCheckBox::toggled, &TCircledSeriesEditor::CBCircledClick);
  Wire(CB3D, &QCheckBox::toggled, &TCircledSeriesEditor::CB3DClick);
  Wire(Edit1, &QLineEdit::textChanged, &TCircledSeriesEditor::Edit1Change);
  Wire(Edit2, &QLineEdit::textChanged, &TCircledSeriesEditor::Edit2Change);
  Wire(Edit3, &QLineEdit::textChanged, &TCircledSeriesEditor::Edit3Change);
  Wire(CBAutoXR, &QCheckBox::toggled, &TCircledSeriesEditor::CBAutoXRClick);
  Wire(CBAutoYR, &QCheckBox::toggled, &TCircledSeriesEditor::CBAutoYRClick);
  Wire(CBTransp, &QCheckBox::toggled, &TCircledSeriesEditor::CBTranspClick);
  BBack->OnClick = [this](TKorButton*) { Apply([this] { BBackClick(); }); };
  BGradient->OnClick = [this](TKorButton*) { Apply([this] { BGradientClick(); }); };
}

void TCircledSeriesEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TCircledSeriesEditor::Apply(const std::function<void()>& Body) {
  if (FUpdating || FSeries == nullptr) return;
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

QWidget* TCircledSeriesEditor::CreateForm(QWidget& Owner, TCircledSeries* Series) {
  return InsertSeriesForm(Owner, QStringLiteral("TCircledSeriesEditor"),
                          Korconst::KorMsg_GalleryCircled, static_cast<TPersistent*>(Series));
}

void TCircledSeriesEditor::FormShow() {
  FSeries = dynamic_cast<TCircledSeries*>(KorFormObject(*this));
  if (FSeries != nullptr) LoadControls();
}

void TCircledSeriesEditor::LoadControls() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBCircled->setChecked(FSeries->GetCircled());
  const TCustomAxisPanel* Chart = FSeries->GetParentChart();
  CB3D->setEnabled(Chart != nullptr);
  CB3D->setChecked(Chart != nullptr && Chart->GetView3D());
  Edit1->SetPosition(FSeries->GetRotationAngle());
  Edit2->SetPosition(FSeries->GetCustomXRadius());
  CBAutoXR->setChecked(FSeries->GetCustomXRadius() == 0);
  Edit3->SetPosition(FSeries->GetCustomYRadius());
  CBAutoYR->setChecked(FSeries->GetCustomYRadius() == 0);
  BBack->LinkProperty(FSeries, QStringLiteral("CircleBackColor"));
  BGradient->LinkGradient(&FSeries->GetCircleGradient());
  SetTransparentBox(!FSeries->HasBackColor());
}

// Checked, the box is disabled: the way out of "no background" is to
// choose one (a colour or a visible gradient).
void TCircledSeriesEditor::SetTransparentBox(bool Checked) {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBTransp->setChecked(Checked);
  CBTransp->setEnabled(!Checked);
}

void TCircledSeriesEditor::CBCircledClick() {
  FSeries->SetCircled(CBCircled->isChecked());
}

void TCircledSeriesEditor::CB3DClick() {
  if (TCustomAxisPanel* Chart = FSeries->GetParentChart()) Chart->SetView3D(CB3D->isChecked());
}

void TCircledSeriesEditor::Edit1Change() {
  int Value = 0;
  if (TryStrToInt(Edit1->text().trimmed(), Value)) FSeries->SetRotationAngle(Value);
}

void TCircledSeriesEditor::RadiusChange(const TEditUpDown& Edit, QCheckBox& Auto,
                                        void (TCircledSeries::*Set)(int)) {
  int Value = 0;
  if (!TryStrToInt(Edit.text().trimmed(), Value)) return;
  (FSeries->*Set)(Value);
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  Auto.setChecked(Value == 0);
}

void TCircledSeriesEditor::Edit2Change() {
  RadiusChange(*Edit2, *CBAutoXR, &TCircledSeries::SetCustomXRadius);
}

void TCircledSeriesEditor::Edit3Change() {
  RadiusChange(*Edit3, *CBAutoYR, &TCircledSeries::SetCustomYRadius);
}

// The edit's change sets the radius.
void TCircledSeriesEditor::CBAutoXRClick() {
  if (CBAutoXR->isChecked()) Edit2->SetPosition(0);
}

void TCircledSeriesEditor::CBAutoYRClick() {
  if (CBAutoYR->isChecked()) Edit3->SetPosition(0);
}

void TCircledSeriesEditor::CBTranspClick() {
  if (!CBTransp->isChecked()) return;
  FSeries->SetCircleBackColor(clDefault);
  FSeries->GetCircleGradient().SetVisible(false);
  CBTransp->setEnabled(false);
  BBack->update();
  BGradient->update();
}

void TCircledSeriesEditor::BBackClick() {
  SetTransparentBox(false);
}

void TCircledSeriesEditor::BGradientClick() {
  if (FSeries->GetCircleGradient().GetVisible()) SetTransparentBox(false);
}

void RegisterCircledSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TCircledSeriesEditor"),
                     [](QWidget* Parent) { return new TCircledSeriesEditor(Parent); });
}
