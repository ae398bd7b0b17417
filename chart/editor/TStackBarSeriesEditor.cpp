#include "chart/editor/TStackBarSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"

#include "chart/series/TCustomBarSeries.h"

#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

#include <utility>

TStackBarSeriesEditor::TStackBarSeriesEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("StackBarSeriesEditor"));
  resize(300, 190);
  TFormBuilder B(*this);
  CBYOrigin =
      B.Add<QCheckBox>(QStringLiteral("CBYOrigin"), QStringLiteral("Use &Origin:"), 8, 10, 96, 17);
  EYOrigin = B.Add<QLineEdit>(QStringLiteral("EYOrigin"), QString(), 108, 8, 90, 22);
  RGMultiBar = new TRadioGroup(QStringLiteral("&Multiple Bar:"), this);
  RGMultiBar->setObjectName(QStringLiteral("RGMultiBar"));
  RGMultiBar->SetItems({QStringLiteral("None"), QStringLiteral("Side"), QStringLiteral("Stacked"),
                        QStringLiteral("Stacked 100%"), QStringLiteral("Side All"),
                        QStringLiteral("Self Stack")});
  RGMultiBar->setGeometry(8, 40, 190, 140);
  LGroup = B.Add<QLabel>(QStringLiteral("LGroup"), QStringLiteral("&Group:"), 208, 92, 44, 13);
  EGroup = B.Add<TEditUpDown>(QStringLiteral("EGroup"), QStringLiteral("0"), 208, 108, 56, 22);
  UDGroup = EGroup->GetUpDown();
  UDGroup->setObjectName(QStringLiteral("UDGroup"));
  EGroup->SetMin(0);
  EGroup->SetMax(1000);
  LGroup->setBuddy(EGroup);

  connect(CBYOrigin, &QCheckBox::clicked, this, [this] { Apply([this] { CBYOriginClick(); }); });
  connect(EYOrigin, &QLineEdit::textChanged, this, [this] { Apply([this] { EYOriginChange(); }); });
  RGMultiBar->OnClick = [this](TRadioGroup*) { Apply([this] { RGMultiBarClick(); }); };
  connect(EGroup, &QLineEdit::textChanged, this, [this] { Apply([this] { EGroupChange(); }); });
}

template <class Body>
void TStackBarSeriesEditor::Apply(Body&& Edit) {
  if (FFilling || Bar == nullptr) return;
  if (!RunGuarded(std::forward<Body>(Edit))) RunGuarded([this] { FormShow(); });
}

void TStackBarSeriesEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TStackBarSeriesEditor::FormShow() {
  Bar = dynamic_cast<TCustomBarSeries*>(KorFormObject(*this));
  if (Bar == nullptr) return;
  FFilling = true;
  const TScopeGuard Filled([this] { FFilling = false; });
  CBYOrigin->setChecked(Bar->GetUseYOrigin());
  EYOrigin->setText(FloatToStr(Bar->GetYOrigin()));
  EYOrigin->setEnabled(Bar->GetUseYOrigin());
  RGMultiBar->SetItemIndex(static_cast<int>(Bar->GetMultiBar()));
  EGroup->SetPosition(Bar->GetStackGroup());
  EnableGroup();
}

void TStackBarSeriesEditor::EnableGroup() {
  const int Style = RGMultiBar->GetItemIndex();
  const bool Stacked = Style == mbStacked || Style == mbStacked100;
  LGroup->setEnabled(Stacked);
  EGroup->setEnabled(Stacked);
}

void TStackBarSeriesEditor::CBYOriginClick() {
  Bar->SetUseOrigin(CBYOrigin->isChecked());
  EYOrigin->setEnabled(CBYOrigin->isChecked());
  if (EYOrigin->isEnabled()) EYOrigin->setFocus();
}

void TStackBarSeriesEditor::EYOriginChange() {
  double Value = 0;
  if (TryStrToFloat(EYOrigin->text().trimmed(), Value)) Bar->SetOrigin(Value);
}

void TStackBarSeriesEditor::RGMultiBarClick() {
  const int Index = RGMultiBar->GetItemIndex();
  if (Index < 0) return;
  Bar->SetMultiBar(static_cast<TMultiBar>(Index));
  EnableGroup();
}

void TStackBarSeriesEditor::EGroupChange() {
  bool Ok = false;
  const int Value = EGroup->text().trimmed().toInt(&Ok);
  if (Ok) Bar->SetStackGroup(Value);
}

void RegisterStackBarSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TStackBarSeriesEditor"),
                     [](QWidget* Parent) { return new TStackBarSeriesEditor(Parent); });
}
