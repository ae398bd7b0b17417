#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QShowEvent;
class QTabWidget;
class TChartTitle;
class TCustomChart;
class TEditUpDown;
class TFormKorShape;

// Interaction: the chart editor's page for the four chart titles: which
// title, its visibility, alignment, text and custom position here, and its
// frame, fill, gradient, font and shadow on the embedded shape tabs. Every
// change goes straight to the title.
class TFormKorTitle : public QWidget {
 public:
  // Title is the title shown first (the chart's title when none).
  TFormKorTitle(QWidget* Parent, TCustomChart* Chart, TChartTitle* Title);

  TChartTitle* GetTitle() const { return FTitle; }

  // Selects the edited title in CBTitles and loads the controls.
  void FormShow();
  void CBTitlesChange();
  void CBVisibleClick();
  void CBAdjustFrameClick();
  void CBAlignmentChange();
  void MTextChange();
  void CBCustPosClick();
  void ECustLeftChange();
  void ECustTopChange();

  QComboBox* CBTitles = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabStyle = nullptr;
  QCheckBox* CBVisible = nullptr;
  QCheckBox* CBAdjustFrame = nullptr;
  QComboBox* CBAlignment = nullptr;
  QPlainTextEdit* MText = nullptr;
  QCheckBox* CBCustPos = nullptr;
  TEditUpDown* ECustLeft = nullptr;
  TEditUpDown* ECustTop = nullptr;
  TFormKorShape* ShapeForm = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadControls();
  void LoadPosition();
  TChartTitle* TitleAt(int Index) const;
  // A refused edit is reported and the controls show the title again.
  void Guarded(const std::function<void()>& Body);

  TCustomChart* FChart;  // not owned
  TChartTitle* FTitle;   // not owned
  // Set while code fills the controls: changes then are not edits.
  bool FUpdating = false;
};
