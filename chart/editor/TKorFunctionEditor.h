#pragma once

#include "chart/editor/TBaseFunctionEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Interaction: the period options of a function: all points at once, groups
// of a number of points, or ranges of X (a span chosen with the increment
// dialog), and where each result is placed in its period.
class TKorFunctionEditor : public TBaseFunctionEditor {
 public:
  // Items of CBStyle.
  static constexpr int StyleAll = 0;
  static constexpr int StyleNumPoints = 1;
  static constexpr int StyleRange = 2;

  explicit TKorFunctionEditor(QWidget* Parent = nullptr);

  void ApplyFormChanges() override;
  void SetFunction() override;

  // The number edit follows the chosen style.
  void CBStyleChange();
  // Chooses the range span with the increment dialog.
  void BChangeClick();

  QLabel* LStyle = nullptr;
  QComboBox* CBStyle = nullptr;
  QLabel* LNum = nullptr;
  QLineEdit* ENum = nullptr;
  QPushButton* BChange = nullptr;
  QLabel* LAlign = nullptr;
  QComboBox* CBAlign = nullptr;

 private:
  void BuildControls();
  void ShowStyle();
};
