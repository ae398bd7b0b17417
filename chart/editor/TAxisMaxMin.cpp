#include "chart/editor/TAxisMaxMin.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorEngine.h"
#include "chart/core/Korconst.h"

#include "platform/Exception.h"
#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TDateTime.h"
#include "platform/TFormBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <cmath>

void KorShowIncorrect(const QString& Reason) {
  ShowMessageUser(Format(Korconst::KorMsg_IncorrectMaxMinValue, {Reason}));
}

TAxisMaxMin::TAxisMaxMin(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("AxisMaxMin"));
  setWindowTitle(QStringLiteral("Axis Maximum and Minimum"));
  TFormBuilder B(*this);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Date:"), 8, 12, 40, 13);
  EMaximum = B.Add<QLineEdit>(QStringLiteral("EMaximum"), QString(), 52, 8, 120, 21);
  EMaximum->setToolTip(QStringLiteral("Enter Date"));
  Label2 = B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("&Time:"), 8, 42, 40, 13);
  EMinimum = B.Add<QLineEdit>(QStringLiteral("EMinimum"), QString(), 52, 38, 120, 21);
  EMinimum->setToolTip(QStringLiteral("Enter Time"));
  BOk = B.Add<QPushButton>(QStringLiteral("BOk"), QStringLiteral("OK"), 186, 8, 75, 25);
  BOk->setDefault(true);
  BCancel =
      B.Add<QPushButton>(QStringLiteral("BCancel"), QStringLiteral("Cancel"), 186, 38, 75, 25);
  Label1->setBuddy(EMaximum);
  Label2->setBuddy(EMinimum);
  setFixedSize(270, 72);
  connect(BOk, &QPushButton::clicked, this, [this] { RunGuarded([this] { BOkClick(); }); });
  connect(BCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TAxisMaxMin::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TAxisMaxMin::FormShow() {
  // The caption names the limit and the axis, which may be long.
  const int Grown = KorFitCaption(*this);
  for (QPushButton* Button : {BOk, BCancel}) Button->move(Button->x() + Grown, Button->y());
  if (IsDateTime) {
    const bool WithDate = AxisValue >= 1;
    Label1->setVisible(WithDate);
    EMaximum->setVisible(WithDate);
    if (WithDate) EMaximum->setText(DateToStr(AxisValue));
    EMinimum->setText(TimeToStr(AxisValue));
    Label2->show();
    EMinimum->show();
  } else {
    Label1->setText(QStringLiteral("Value:"));
    EMaximum->setText(FloatToStr(AxisValue));
    Label1->show();
    EMaximum->show();
    Label2->hide();
    EMinimum->hide();
  }
}

double TAxisMaxMin::ReadValue() const {
  if (!IsDateTime) return StrToFloat(EMaximum->text().trimmed());
  // Visibility to the parent: the dialog itself may be hidden in tests.
  if (!EMaximum->isHidden()) return StrToDateTime(EMaximum->text() + u' ' + EMinimum->text());
  return StrToTime(EMinimum->text());
}

void TAxisMaxMin::BOkClick() {
  double Value = 0;
  try {
    Value = ReadValue();
  } catch (const EConvertError& Error) {
    KorShowIncorrect(Error.Message());
    return;
  }
  // Infinities and NaN read as numbers but are no axis limit.
  if (!std::isfinite(Value)) {
    KorShowIncorrect(QStringLiteral("'%1' is not a finite value").arg(EMaximum->text()));
    return;
  }
  AxisValue = Value;
  done(mrOk);
}
