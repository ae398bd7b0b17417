#include "chart/editor/TAxisIncrement.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TAxisMaxMin.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"

#include "platform/Exception.h"
#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TDateTime.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <array>
#include <cmath>

namespace {

// In the order of the library's date-time step table.
const std::array<const char*, dtNone> StepNames = {
    "One Microsecond", "One Millisecond", "One Second", "Five Seconds", "Ten Seconds",
    "Fifteen Seconds", "Thirty Seconds",  "One Minute", "Five Minutes", "Ten Minutes",
    "Fifteen Minutes", "Thirty Minutes",  "One Hour",   "Two Hours",    "Six Hours",
    "Twelve Hours",    "One Day",         "Two Days",   "Three Days",   "One Week",
    "Half Month",      "One Month",       "Two Months", "Three Months", "Four Months",
    "Six Months",      "One Year"};

// Days as "[whole days] [time of day]"; spans shorter than a day as a time.
QString DaysAndTimeText(double Value) {
  if (Value <= 0) return TimeToStr(DateTimeStep[dtOneSecond]);
  if (Value < 1) return TimeToStr(Value);
  const double Whole = std::trunc(Value);
  QString Result = FloatToStr(Whole);
  const double Fraction = Value - Whole;
  if (Fraction > 0) Result += u' ' + TimeToStr(Fraction);
  return Result;
}

// One whole day as the span of time it is: the time of day of 1.0 would
// read 00:00:00, an increment of nothing.
QString OneDayAsTime() {
  const QChar Separator = CurrentFormatSettings().TimeSeparator;
  return QStringLiteral("24") + Separator + QStringLiteral("00") + Separator + QStringLiteral("00");
}

// Days from "[days] [hh:nn:ss]", "days" or "hh:nn:ss".
double ReadDaysAndTime(const QString& Entry) {
  const QString Text = Entry.trimmed();
  const qsizetype Blank = Text.indexOf(u' ');
  if (Blank >= 0) return StrToFloat(Text.left(Blank)) + StrToTime(Text.mid(Blank + 1).trimmed());
  double Days = 0;
  if (TryStrToFloat(Text, Days)) return Days;
  TDateTime Time = 0;
  if (TryStrToTime(Text, Time)) return Time;
  return StrToFloat(Text);
}

}  // namespace

QString GetIncrementText(bool IsDateTime, bool Exact, const QString& NumberFormat,
                         double Increment) {
  if (IsDateTime) {
    const TDateTimeStep Step = FindDateTimeStep(Increment);
    if (Exact && Step != dtNone) return QString::fromLatin1(StepNames[Step]);
    // Whole days are counted only above one; a single day is a time.
    if (Increment == 1) return OneDayAsTime();
    return DaysAndTimeText(Increment);
  }
  const QString Text = FormatFloat(NumberFormat, Increment);
  double Back = 0;
  if (TryStrToFloat(Text, Back) && Back == Increment) return Text;
  return FloatToStr(Increment);
}

TAxisIncrement::TAxisIncrement(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("AxisIncrement"));
  setWindowTitle(QStringLiteral("Axis Increment"));
  RGIncrement = new TRadioGroup(QStringLiteral("Increment:"), this);
  RGIncrement->setObjectName(QStringLiteral("RGIncrement"));
  RGIncrement->SetItems({QStringLiteral("&Standard:"), QStringLiteral("&Custom:")});
  RGIncrement->setGeometry(8, 4, 90, 76);
  TFormBuilder B(*this);
  CBSteps = B.Add<QComboBox>(QStringLiteral("CBSteps"), QString(), 104, 22, 150, 22);
  for (const char* Name : StepNames) CBSteps->addItem(QString::fromLatin1(Name));
  ECustom = B.Add<QLineEdit>(QStringLiteral("ECustom"), QString(), 104, 52, 150, 21);
  CBExact = B.Add<QCheckBox>(QStringLiteral("CBExact"), QStringLiteral("&Exact Date Time"), 8, 88,
                             150, 17);
  BOk = B.Add<QPushButton>(QStringLiteral("BOk"), QStringLiteral("OK"), 264, 8, 75, 25);
  BOk->setDefault(true);
  BCancel =
      B.Add<QPushButton>(QStringLiteral("BCancel"), QStringLiteral("Cancel"), 264, 38, 75, 25);
  setFixedSize(348, 112);
  RGIncrement->OnClick = [this](TRadioGroup*) { RunGuarded([this] { RGIncrementClick(); }); };
  connect(CBExact, &QCheckBox::clicked, this, [this] { RunGuarded([this] { CBExactClick(); }); });
  connect(CBSteps, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBStepsChange(); }); });
  connect(BOk, &QPushButton::clicked, this, [this] { RunGuarded([this] { BOkClick(); }); });
  connect(BCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TAxisIncrement::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TAxisIncrement::FormShow() {
  // The caption names the axis, which may be long.
  const int Grown = KorFitCaption(*this);
  for (QPushButton* Button : {BOk, BCancel}) Button->move(Button->x() + Grown, Button->y());
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  CBExact->setVisible(IsDateTime);
  CBExact->setChecked(IsExact);
  if (IsDateTime)
    ShowDateTime();
  else
    ShowNumber();
}

void TAxisIncrement::ShowDateTime() {
  ECustom->setToolTip(Korconst::KorMsg_EnterDateTime);
  ECustom->setText(DaysAndTimeText(Increment));
  const bool Standard = IsExact && StepIndex >= 0 && StepIndex < dtNone;
  RGIncrement->SetItemIndex(Standard ? StandardItem : CustomItem);
  CBSteps->setEnabled(Standard);
  CBExact->setEnabled(Standard);
  ECustom->setEnabled(!Standard);
  if (Standard) {
    CBSteps->setCurrentIndex(StepIndex);
    ECustom->clear();
    CBSteps->setFocus();
  } else {
    CBSteps->setCurrentIndex(-1);
    ECustom->setFocus();
  }
}

void TAxisIncrement::ShowNumber() {
  CBSteps->hide();
  RGIncrement->hide();
  ECustom->setEnabled(true);
  ECustom->setText(FloatToStr(Increment));
  ECustom->move(ECustom->x(), BOk->y());
  ECustom->setFocus();
}

void TAxisIncrement::RGIncrementClick() {
  const bool Standard = RGIncrement->GetItemIndex() == StandardItem;
  CBSteps->setEnabled(Standard);
  CBExact->setEnabled(Standard);
  CBExact->setChecked(Standard);
  IsExact = Standard;
  ECustom->setEnabled(!Standard);
  if (Standard) {
    if (StepIndex < 0 || StepIndex >= dtNone) StepIndex = 0;
    CBSteps->setCurrentIndex(StepIndex);
  } else {
    ECustom->setText(DaysAndTimeText(Increment));
    ECustom->setFocus();
  }
}

void TAxisIncrement::CBExactClick() {
  IsExact = CBExact->isChecked();
  if (!IsExact) {
    RGIncrement->SetItemIndex(CustomItem);
    RGIncrementClick();
  }
}

void TAxisIncrement::CBStepsChange() {
  if (!FUpdating && CBSteps->currentIndex() >= 0) StepIndex = CBSteps->currentIndex();
}

double TAxisIncrement::ReadIncrement() const {
  if (!IsDateTime) return StrToFloat(ECustom->text().trimmed());
  if (RGIncrement->GetItemIndex() == StandardItem && StepIndex >= 0 && StepIndex < dtNone)
    return DateTimeStep[StepIndex];
  return ReadDaysAndTime(ECustom->text());
}

void TAxisIncrement::BOkClick() {
  double Value = 0;
  try {
    Value = ReadIncrement();
  } catch (const EConvertError& Error) {
    KorShowIncorrect(Error.Message());
    return;
  }
  // A negative, infinite or NaN step would be refused by the axis anyway;
  // saying so here keeps the dialog open for a correction.
  if (!std::isfinite(Value) || Value < 0) {
    KorShowIncorrect(Korconst::KorMsg_AxisIncrementNeg);
    return;
  }
  Increment = Value;
  done(mrOk);
}
