#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;
class QTabWidget;
class TButtonColor;
class TButtonGradient;
class TButtonPen;
class TChartShape;
class TKorFontEditor;
class TRadioGroup;

// Interaction: the series page's form for a shape series: the figure and
// its look and text on "Style", the two corners and their units on
// "Position", the text font on "Text". The series comes from the form's
// tag when the form is shown; edits go to it at once.
class TChartShapeEditor : public QWidget {
 public:
  explicit TChartShapeEditor(QWidget* Parent = nullptr);

  TChartShape* GetSeries() const { return FShape; }

  // Reads the series from the tag and shows its values.
  void FormShow();
  void CBStyleChange();
  void CBTransClick();
  void BShapeBrushClick();
  void MemoTextChange();
  void RGAlignClick();
  void RGVertAlignClick();
  void CBRoundClick();
  // A corner edit's text, when it is a number, becomes that corner.
  void SEX0Change();
  void SEY0Change();
  void SEX1Change();
  void SEY1Change();
  void CBUnitsChange();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabStyle = nullptr;
  QWidget* TabPosition = nullptr;
  QWidget* TabText = nullptr;

  QComboBox* CBStyle = nullptr;
  TButtonColor* BShapeColor = nullptr;
  TButtonPen* BShapePen = nullptr;
  QPushButton* BShapeBrush = nullptr;
  TButtonGradient* BGradient = nullptr;
  QCheckBox* CBTrans = nullptr;
  QCheckBox* CBRound = nullptr;
  QPlainTextEdit* MemoText = nullptr;
  TRadioGroup* RGAlign = nullptr;
  TRadioGroup* RGVertAlign = nullptr;

  QLabel* LabelX0 = nullptr;
  QLineEdit* SEX0 = nullptr;
  QLabel* LabelY0 = nullptr;
  QLineEdit* SEY0 = nullptr;
  QLabel* LabelX1 = nullptr;
  QLineEdit* SEX1 = nullptr;
  QLabel* LabelY1 = nullptr;
  QLineEdit* SEY1 = nullptr;
  QLabel* LabelUnits = nullptr;
  QComboBox* CBUnits = nullptr;

  TKorFontEditor* FontEditor = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void BuildStyleTab();
  void BuildPositionTab();
  void Connect();
  void LoadControls();
  // The corners, but only of a shape that holds exactly its two points;
  // Except keeps its text (the edit being typed in).
  void ShowCorners(const QLineEdit* Except = nullptr);
  void CornerChange(QLineEdit& Edit, void (TChartShape::*Set)(double));
  // Runs Body unless the controls are being filled; a refused edit is
  // reported and the controls show the series again.
  void Apply(const std::function<void()>& Body);

  TChartShape* FShape = nullptr;  // not owned
  // Set while code fills the controls: changes then are not edits.
  bool FUpdating = false;
};

// Registers the form under "TChartShapeEditor".
void RegisterChartShapeEditor();
