#pragma once

#include "chart/editor/TKorFunctionEditor.h"

class QCheckBox;

// Interaction: the average function's options: the period options and
// whether null points take part.
class TAverageFuncEditor : public TKorFunctionEditor {
 public:
  explicit TAverageFuncEditor(QWidget* Parent = nullptr);

  void ApplyFormChanges() override;
  void SetFunction() override;

  QCheckBox* CBNulls = nullptr;
};
