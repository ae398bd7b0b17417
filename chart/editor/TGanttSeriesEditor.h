#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QGroupBox;
class QLabel;
class QShowEvent;
class TButtonColor;
class TButtonPen;
class TEditUpDown;
class TGanttSeries;
class TUpDown;

// Interaction: the Gantt series' format page: bar height, transparency,
// the connecting lines' pen and the bars' colour. The first time it is
// shown it adds the pointer page (without its size options) as a tab of
// its own, which it frees with itself.
class TGanttSeriesEditor : public QDialog {
 public:
  explicit TGanttSeriesEditor(QWidget* Parent = nullptr);
  ~TGanttSeriesEditor() override;

  TGanttSeries* GetGantt() const { return Gantt; }
  // The embedded point-style page, nullptr before the first showing.
  QWidget* GetPointerForm() const { return FPointerForm; }

  void FormShow();
  void SEHeightChange();
  void SETranspChange();
  // The colour button is usable only while the bars share one colour.
  void CBColorEachClick();
  // Picking a colour gives every bar the series colour.
  void BColorClick();

  QLabel* LHeight = nullptr;
  TEditUpDown* SEHeight = nullptr;
  TUpDown* UDHeight = nullptr;
  QLabel* LTransp = nullptr;
  TEditUpDown* SETransp = nullptr;
  TUpDown* UDTransp = nullptr;
  TButtonPen* BConnLines = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  TButtonColor* BColor = nullptr;
  QCheckBox* CBColorEach = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void InsertPointerForm();
  template <class Body>
  void Apply(Body&& Edit);

  TGanttSeries* Gantt = nullptr;  // not owned
  // Owned: may live in the series page's tabs rather than in this form.
  QPointer<QWidget> FPointerForm;
  bool FFilling = false;
};

// Registers "TGanttSeriesEditor".
void RegisterGanttSeriesEditor();
