#include "chart/editor/TCustomFunctionEditor.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TKorFuncEditor.h"

#include "chart/core/SeriesCreation.h"
#include "chart/core/TChartSeries.h"
#include "chart/series/TCustomKorFunction.h"

#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

TCustomFunctionEditor::TCustomFunctionEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("CustomFunctionEditor"));
  resize(240, 110);
  TFormBuilder B(*this);
  LStart = B.Add<QLabel>(QStringLiteral("LStart"), QStringLiteral("&Start X:"), 8, 12, 84, 13);
  EStart = B.Add<QLineEdit>(QStringLiteral("EStart"), QStringLiteral("0"), 96, 8, 100, 21);
  LStep = B.Add<QLabel>(QStringLiteral("LStep"), QStringLiteral("S&tep:"), 8, 44, 84, 13);
  EStep = B.Add<QLineEdit>(QStringLiteral("EStep"), QStringLiteral("1"), 96, 40, 100, 21);
  LNum = B.Add<QLabel>(QStringLiteral("LNum"), QStringLiteral("&Num. points:"), 8, 76, 84, 13);
  ENum = B.Add<QLineEdit>(QStringLiteral("ENum"), QStringLiteral("100"), 96, 72, 100, 21);
  LStart->setBuddy(EStart);
  LStep->setBuddy(EStep);
  LNum->setBuddy(ENum);
  for (QLineEdit* Edit : {EStart, EStep, ENum})
    connect(Edit, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { EditChange(); }); });
}

void TCustomFunctionEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TCustomFunctionEditor::FormShow() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  FFunction = dynamic_cast<TCustomKorFunction*>(KorFormObject(*this));
  if (FFunction != nullptr) {
    EStart->setText(FloatToStr(FFunction->GetStartX()));
    EStep->setText(FloatToStr(FFunction->GetPeriod()));
    ENum->setText(QString::number(FFunction->GetNumPoints()));
  }
  setWindowModified(false);
}

void TCustomFunctionEditor::EditChange() {
  if (FUpdating) return;
  setWindowModified(true);
  if (TKorFuncEditor* Page = KorFuncEditorOf(*this)) Page->BApply->setEnabled(true);
}

void TCustomFunctionEditor::closeEvent(QCloseEvent* Event) {
  // An entry that is not a number is shown and the user stays to fix it.
  if (RunGuarded([this] { ApplyFormChanges(); }))
    Event->accept();
  else
    Event->ignore();
}

void TCustomFunctionEditor::ApplyFormChanges() {
  // A form on a tab never shown has not read its function yet.
  if (FFunction == nullptr && KorFormObject(*this) != nullptr) FormShow();
  // Every entry is read before anything is written, so that a bad one
  // leaves the function as it was.
  const double Start = StrToFloat(EStart->text().trimmed());
  const double Step = StrToFloat(EStep->text().trimmed());
  const int Num = StrToInt(ENum->text().trimmed());
  TKorFuncEditor* Page = KorFuncEditorOf(*this);
  TChartSeries* Series = Page != nullptr ? Page->GetSeries() : nullptr;
  if (FFunction == nullptr) {
    if (Series == nullptr) return;
    FFunction = static_cast<TCustomKorFunction*>(
        CreateNewKorFunction(*Series, TKorFunctionClass::Of<TCustomKorFunction>()));
  }
  {
    FFunction->BeginUpdate();
    const TScopeGuard End([this] { FFunction->EndUpdate(); });
    // The step first: it is the one value the function may refuse.
    FFunction->SetPeriod(Step);
    FFunction->SetStartX(Start);
    FFunction->SetNumPoints(Num);
  }
  if (Series != nullptr && Series->GetFunction() == nullptr) FFunction->SetParentSeries(Series);
  setWindowModified(false);
}
