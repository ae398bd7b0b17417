#include "chart/editor/TFormatEditor.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorProcs.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStringList>

namespace {

constexpr int MaxDigits = 20;

// Degree-minute-second patterns; the double quote is the seconds sign.
QStringList GeoPatterns() {
  return {QStringLiteral("ddd\u00B0 mm' ss\".zzz"),
          QStringLiteral("ddd mm' ss\".zzz"),
          QStringLiteral("ddd deg mm' ss\".zzz"),
          QStringLiteral("ddd mm ss.zzz"),
          QStringLiteral("ddd mm ss"),
          QStringLiteral("ddd mm"),
          QStringLiteral("ddd\u00B0"),
          QStringLiteral("ddd")};
}

void AddUnique(QComboBox& Combo, const QStringList& Items) {
  for (const QString& Item : Items)
    if (Combo.findText(Item, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
      Combo.addItem(Item);
}

bool HasItem(const QComboBox& Combo, const QString& Text) {
  return Combo.findText(Text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0;
}

// The "#" and "0" placeholders starting at From.
int DigitRun(const QString& Text, int From) {
  int End = From;
  while (End < Text.size() && (Text[End] == u'#' || Text[End] == u'0')) ++End;
  return End - From;
}

}  // namespace

TFormatEditor::TFormatEditor(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("FormatEditor"));
  setWindowTitle(QStringLiteral("Numeric Format"));
  BuildControls();
  FillLists();
  Connect();
  setFixedSize(350, 222);
}

TFormatEditor::~TFormatEditor() = default;

void TFormatEditor::BuildControls() {
  TFormBuilder B(*this);
  RBInteger =
      B.Add<QRadioButton>(QStringLiteral("RBInteger"), QStringLiteral("&Number"), 8, 8, 100, 17);
  CBCurrency =
      B.Add<QCheckBox>(QStringLiteral("CBCurrency"), QStringLiteral("C&urrency"), 24, 30, 96, 17);
  CBThousands =
      B.Add<QCheckBox>(QStringLiteral("CBThousands"), QStringLiteral("&Thousands"), 24, 50, 96, 17);
  CBPercent =
      B.Add<QCheckBox>(QStringLiteral("CBPercent"), QStringLiteral("&Percent"), 24, 70, 96, 17);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("D&ecimals:"), 124, 32, 100, 13);
  Edit1 = B.Add<TEditUpDown>(QStringLiteral("Edit1"), QStringLiteral("0"), 228, 28, 50, 22);
  UpDown1 = Edit1->GetUpDown();
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  CBFixedDecimals = B.Add<QCheckBox>(QStringLiteral("CBFixedDecimals"), QStringLiteral("F&ixed"),
                                     284, 30, 60, 17);
  Label2 =
      B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("Mini&mum digits:"), 124, 62, 100, 13);
  Edit2 = B.Add<TEditUpDown>(QStringLiteral("Edit2"), QStringLiteral("0"), 228, 58, 50, 22);
  UpDown2 = Edit2->GetUpDown();
  UpDown2->setObjectName(QStringLiteral("UpDown2"));
  for (TEditUpDown* Edit : {Edit1, Edit2}) {
    Edit->SetMin(0);
    Edit->SetMax(MaxDigits);
  }
  Label1->setBuddy(Edit1);
  Label2->setBuddy(Edit2);
  RBDate =
      B.Add<QRadioButton>(QStringLiteral("RBDate"), QStringLiteral("&Date Time:"), 8, 100, 100, 17);
  CBDate = B.Add<QComboBox>(QStringLiteral("CBDate"), QString(), 112, 97, 230, 22);
  RBGeo =
      B.Add<QRadioButton>(QStringLiteral("RBGeo"), QStringLiteral("&Geographic:"), 8, 128, 100, 17);
  CBGeo = B.Add<QComboBox>(QStringLiteral("CBGeo"), QString(), 112, 125, 230, 22);
  RBCustom =
      B.Add<QRadioButton>(QStringLiteral("RBCustom"), QStringLiteral("&Custom:"), 8, 156, 100, 17);
  CBCustom = B.Add<QComboBox>(QStringLiteral("CBCustom"), QString(), 112, 153, 230, 22);
  for (QComboBox* Combo : {CBDate, CBGeo, CBCustom}) Combo->setEditable(true);
  BOK = B.Add<QPushButton>(QStringLiteral("BOK"), QStringLiteral("OK"), 180, 190, 75, 25);
  BCancel =
      B.Add<QPushButton>(QStringLiteral("BCancel"), QStringLiteral("Cancel"), 266, 190, 75, 25);
  BOK->setDefault(true);
}

void TFormatEditor::FillLists() {
  const FormatSettings& Settings = CurrentFormatSettings();
  AddUnique(*CBDate, {QStringLiteral("mm-yyyy"), QStringLiteral("mm-dd-yy"),
                      QStringLiteral("dd-mm-yyyy"), QStringLiteral("mmm"), QStringLiteral("ddd"),
                      QStringLiteral("MM"), Settings.ShortDateFormat, Settings.ShortTimeFormat});
  AddUnique(*CBGeo, GeoPatterns());
  AddUnique(*CBCustom, {QStringLiteral("#.#"), QStringLiteral("0.0%")});
  // The texts start empty: choosing a mode fills an empty one.
  for (QComboBox* Combo : {CBDate, CBGeo, CBCustom}) Combo->setCurrentIndex(-1);
}

void TFormatEditor::Connect() {
  connect(RBInteger, &QRadioButton::clicked, this,
          [this] { RunGuarded([this] { RBIntegerClick(); }); });
  connect(RBDate, &QRadioButton::clicked, this, [this] { RunGuarded([this] { RBDateClick(); }); });
  connect(RBGeo, &QRadioButton::clicked, this, [this] { RunGuarded([this] { RBGeoClick(); }); });
  connect(RBCustom, &QRadioButton::clicked, this,
          [this] { RunGuarded([this] { RBCustomClick(); }); });
  connect(CBPercent, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBPercentClick(); }); });
  connect(BOK, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(BCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TFormatEditor::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TFormatEditor::SelectAdding(QComboBox& Combo, const QString& Text) {
  AddUnique(Combo, {Text});
  Combo.setCurrentIndex(Combo.findText(Text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void TFormatEditor::FormShow() {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  if (FIsDateTime || HasItem(*CBDate, FFormat)) {
    RBDate->setChecked(true);
    SelectAdding(*CBDate, FFormat);
  } else if (FIsGeo || HasItem(*CBGeo, FFormat)) {
    RBGeo->setChecked(true);
    SelectAdding(*CBGeo, FFormat);
  } else {
    ReadNumberFormat();
  }
  CBThousands->setEnabled(!CBPercent->isChecked());
  CBCurrency->setEnabled(!CBPercent->isChecked());
  EnableCombos();
  KorTranslateControl(this);
}

void TFormatEditor::ReadNumberFormat() {
  const FormatSettings& Settings = CurrentFormatSettings();
  QString Rest = FFormat;
  const auto TakeOut = [&Rest](const QString& Piece, QCheckBox& Box) {
    const bool Found = !Piece.isEmpty() && Rest.contains(Piece);
    Box.setChecked(Found);
    if (Found) Rest.remove(Piece);
  };
  TakeOut(QStringLiteral("%"), *CBPercent);
  TakeOut(Settings.CurrencyString, *CBCurrency);
  TakeOut(QString(Settings.ThousandSeparator), *CBThousands);
  int Decimals = 0;
  bool Fixed = false;
  const int Separator = Rest.indexOf(Settings.DecimalSeparator);
  if (Separator >= 0) {
    Decimals = DigitRun(Rest, Separator + 1);
    Fixed = Decimals > 0 && Rest[Separator + 1] == u'0';
    Rest.remove(Separator, Decimals + 1);
  }
  Edit1->SetPosition(Decimals);
  CBFixedDecimals->setChecked(Fixed);
  if (DigitRun(Rest, 0) != Rest.size()) {
    RBCustom->setChecked(true);
    CBCustom->setCurrentText(FFormat);
  } else {
    RBInteger->setChecked(true);
    Edit2->SetPosition(static_cast<int>(Rest.count(u'0')));
  }
}

QString TFormatEditor::NumberFormat() const {
  const FormatSettings& Settings = CurrentFormatSettings();
  QString Result;
  if (CBCurrency->isChecked()) Result += Settings.CurrencyString;
  const int Digits = Edit2->GetPosition();
  const QString Thousands(Settings.ThousandSeparator);
  if (!CBThousands->isChecked())
    Result += Digits > 0 ? QString(Digits, u'0') : QStringLiteral("#");
  else if (Digits == 0)
    Result += QStringLiteral("#") + Thousands + QStringLiteral("###");
  else if (Digits < 4)
    Result += QStringLiteral("#") + Thousands + QString(3 - Digits, u'#') + QString(Digits, u'0');
  else
    Result += QString(Digits - 3, u'0') + Thousands + QStringLiteral("000");
  const int Decimals = Edit1->GetPosition();
  if (Decimals > 0)
    Result +=
        Settings.DecimalSeparator + QString(Decimals, CBFixedDecimals->isChecked() ? u'0' : u'#');
  if (CBPercent->isChecked()) Result += u'%';
  return Result;
}

QString TFormatEditor::BuildFormat() const {
  if (RBCustom->isChecked()) return CBCustom->currentText();
  if (RBDate->isChecked()) return CBDate->currentText();
  if (RBGeo->isChecked()) return CBGeo->currentText();
  return NumberFormat();
}

void TFormatEditor::EnableCombos() {
  CBDate->setEnabled(RBDate->isChecked());
  CBGeo->setEnabled(RBGeo->isChecked());
  CBCustom->setEnabled(RBCustom->isChecked());
  CBPercent->setEnabled(!CBCustom->isEnabled());
}

void TFormatEditor::ChooseComboMode(QComboBox& Combo, const QString& Default) {
  // The radio buttons are exclusive: "&Number" is cleared already.
  EnableCombos();
  if (Combo.currentText().isEmpty()) Combo.setCurrentText(Default);
  Combo.setFocus();
}

void TFormatEditor::RBIntegerClick() {
  if (FUpdating) return;
  // The radio buttons are exclusive: checking "&Number" clears the others.
  RBInteger->setChecked(true);
  EnableCombos();
}

void TFormatEditor::RBDateClick() {
  if (FUpdating) return;
  ChooseComboMode(*CBDate, CurrentFormatSettings().ShortDateFormat);
}

void TFormatEditor::RBGeoClick() {
  if (FUpdating) return;
  ChooseComboMode(*CBGeo, GeoPatterns().first());
}

void TFormatEditor::RBCustomClick() {
  if (FUpdating) return;
  ChooseComboMode(*CBCustom, NumberFormat());
}

void TFormatEditor::CBPercentClick() {
  if (FUpdating) return;
  const bool Percent = CBPercent->isChecked();
  for (QCheckBox* Box : {CBThousands, CBCurrency}) {
    if (Percent) Box->setChecked(false);
    Box->setEnabled(!Percent);
  }
}

QString TFormatEditor::Change(QWidget* Owner, const QString& Format, bool IsDateTime) {
  const std::unique_ptr<TFormatEditor> Form = KorCreateForm<TFormatEditor>(Owner);
  Form->SetFormat(Format);
  Form->SetIsDateTime(IsDateTime);
  QStringList Standard;
  AddDefaultValueFormats(Standard);
  AddUnique(*Form->CBCustom, Standard);
  ShowControls(IsDateTime, {Form->RBDate, Form->CBDate});
  return ShowModal(*Form) == mrOk ? Form->BuildFormat() : Format;
}
