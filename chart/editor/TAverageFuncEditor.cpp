#include "chart/editor/TAverageFuncEditor.h"

#include "chart/series/TAverageKorFunction.h"

#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"

#include <QCheckBox>

TAverageFuncEditor::TAverageFuncEditor(QWidget* Parent) : TKorFunctionEditor(Parent) {
  setObjectName(QStringLiteral("AverageFuncEditor"));
  resize(300, 150);
  CBNulls = TFormBuilder(*this).Add<QCheckBox>(
      QStringLiteral("CBNulls"), QStringLiteral("&Include Null values"), 8, 104, 200, 17);
  connect(CBNulls, &QCheckBox::toggled, this, [this] { Changed([] {}); });
}

void TAverageFuncEditor::SetFunction() {
  TKorFunctionEditor::SetFunction();
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  if (const auto* Average = dynamic_cast<const TAverageKorFunction*>(IFunction))
    CBNulls->setChecked(Average->GetIncludeNulls());
}

void TAverageFuncEditor::ApplyFormChanges() {
  TKorFunctionEditor::ApplyFormChanges();
  if (auto* Average = dynamic_cast<TAverageKorFunction*>(IFunction))
    Average->SetIncludeNulls(CBNulls->isChecked());
}
