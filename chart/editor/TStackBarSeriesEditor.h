#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QShowEvent;
class TCustomBarSeries;
class TEditUpDown;
class TRadioGroup;
class TUpDown;

// Interaction: the "Stack" tab of bar series: where bars start (their own
// origin or the axis), how the bars of several series share a category,
// and the stack group. The series comes from the tag when shown.
class TStackBarSeriesEditor : public QWidget {
 public:
  explicit TStackBarSeriesEditor(QWidget* Parent = nullptr);

  TCustomBarSeries* GetBar() const { return Bar; }

  void FormShow();
  // The origin edit is usable only with the origin; it takes the focus
  // when it becomes usable.
  void CBYOriginClick();
  // Text that is not a number leaves the origin as it was.
  void EYOriginChange();
  // The group edit is usable only for the stacking styles.
  void RGMultiBarClick();
  void EGroupChange();

  QCheckBox* CBYOrigin = nullptr;
  QLineEdit* EYOrigin = nullptr;
  TRadioGroup* RGMultiBar = nullptr;
  QLabel* LGroup = nullptr;
  TEditUpDown* EGroup = nullptr;
  TUpDown* UDGroup = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void EnableGroup();
  template <class Body>
  void Apply(Body&& Edit);

  TCustomBarSeries* Bar = nullptr;  // not owned
  bool FFilling = false;
};

// Registers "TStackBarSeriesEditor".
void RegisterStackBarSeriesEditor();
