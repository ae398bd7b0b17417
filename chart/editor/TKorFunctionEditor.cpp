#include "chart/editor/TKorFunctionEditor.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TAxisIncrement.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorFunction.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

TKorFunctionEditor::TKorFunctionEditor(QWidget* Parent) : TBaseFunctionEditor(Parent) {
  setObjectName(QStringLiteral("KorFunctionEditor"));
  BuildControls();
}

void TKorFunctionEditor::BuildControls() {
  resize(300, 120);
  TFormBuilder B(*this);
  LStyle =
      B.Add<QLabel>(QStringLiteral("LStyle"), QStringLiteral("&Calculate using:"), 8, 12, 112, 13);
  CBStyle = B.Add<QComboBox>(QStringLiteral("CBStyle"), QString(), 124, 8, 160, 21);
  CBStyle->addItems({QStringLiteral("All points"), QStringLiteral("Every number of points"),
                     QStringLiteral("Every range")});
  LNum =
      B.Add<QLabel>(QStringLiteral("LNum"), QStringLiteral("&Number of points:"), 8, 44, 112, 13);
  ENum = B.Add<QLineEdit>(QStringLiteral("ENum"), QString(), 124, 40, 72, 21);
  BChange =
      B.Add<QPushButton>(QStringLiteral("BChange"), QStringLiteral("&Change..."), 204, 38, 80, 25);
  LAlign = B.Add<QLabel>(QStringLiteral("LAlign"), QStringLiteral("&Alignment:"), 8, 76, 112, 13);
  CBAlign = B.Add<QComboBox>(QStringLiteral("CBAlign"), QString(), 124, 72, 100, 21);
  CBAlign->addItems({QStringLiteral("First"), QStringLiteral("Center"), QStringLiteral("Last")});
  LStyle->setBuddy(CBStyle);
  LNum->setBuddy(ENum);
  LAlign->setBuddy(CBAlign);
  connect(CBStyle, &QComboBox::currentIndexChanged, this, [this] {
    if (!FUpdating) RunGuarded([this] { CBStyleChange(); });
  });
  connect(ENum, &QLineEdit::textChanged, this, [this] { Changed([] {}); });
  connect(CBAlign, &QComboBox::currentIndexChanged, this, [this] { Changed([] {}); });
  connect(BChange, &QPushButton::clicked, this, [this] { RunGuarded([this] { BChangeClick(); }); });
}

void TKorFunctionEditor::SetFunction() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  const bool Moving = dynamic_cast<const TKorMovingFunction*>(IFunction) != nullptr;
  if (IFunction->GetPeriodStyle() == psRange && !Moving)
    CBStyle->setCurrentIndex(StyleRange);
  else if (std::lround(IFunction->GetPeriod()) != 0)
    CBStyle->setCurrentIndex(StyleNumPoints);
  else
    CBStyle->setCurrentIndex(StyleAll);
  CBAlign->setCurrentIndex(static_cast<int>(IFunction->GetPeriodAlign()));
  ShowStyle();
}

void TKorFunctionEditor::CBStyleChange() {
  {
    const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
    FUpdating = true;
    ShowStyle();
  }
  EnableApply();
}

void TKorFunctionEditor::ShowStyle() {
  const int Style = CBStyle->currentIndex();
  ENum->setEnabled(Style != StyleAll);
  BChange->setEnabled(Style == StyleRange);
  const double Period = IFunction != nullptr ? IFunction->GetPeriod() : 0;
  if (Style == StyleNumPoints)
    ENum->setText(QString::number(std::max(0L, std::lround(Period))));
  else if (Style == StyleRange)
    ENum->setText(FloatToStr(Period));
  else
    ENum->clear();
  if (ENum->isEnabled()) ENum->setFocus();
}

void TKorFunctionEditor::BChangeClick() {
  auto Dialog = KorCreateForm<TAxisIncrement>(this);
  Dialog->setWindowTitle(Korconst::KorMsg_PeriodRange);
  const TChartSeries* Parent = IFunction != nullptr ? IFunction->GetParentSeries() : nullptr;
  const auto* Source =
      Parent != nullptr ? dynamic_cast<const TChartSeries*>(Parent->GetDataSource()) : nullptr;
  Dialog->IsDateTime = Source != nullptr && Source->GetNotMandatory().GetDateTime();
  Dialog->IsExact = true;
  Dialog->Increment = IFunction != nullptr ? IFunction->GetPeriod() : 0;
  Dialog->StepIndex = FindDateTimeStep(Dialog->Increment);
  if (ShowModal(*Dialog) != mrOk) return;
  ENum->setText(FloatToStr(Dialog->Increment));
}

void TKorFunctionEditor::ApplyFormChanges() {
  IFunction->SetPeriodAlign(
      static_cast<TFunctionPeriodAlign>(std::max(0, CBAlign->currentIndex())));
  IFunction->SetPeriodStyle(CBStyle->currentIndex() == StyleRange ? psRange : psNumPoints);
  double Period = 0;
  if (!TryStrToFloat(ENum->text().trimmed(), Period)) Period = 0;
  IFunction->SetPeriod(Period);
}
