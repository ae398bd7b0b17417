#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QShowEvent;
class TButtonColor;
class TButtonGradient;
class TCircledSeries;
class TEditUpDown;

// Interaction: the series page's form for the settings every circled series
// shares: roundness, the chart's 3D switch, rotation, custom radii and the
// circle's background (colour, gradient or none). The series comes from the
// form's tag when the form is shown; edits go to it at once.
class TCircledSeriesEditor : public QWidget {
 public:
  explicit TCircledSeriesEditor(QWidget* Parent = nullptr);

  TCircledSeries* GetSeries() const { return FSeries; }

  // Adds a circled-series form for Series to Owner's series page (a tab of
  // its own), or inside Owner when Owner is not in a series page. nullptr
  // when the form class is not registered.
  static QWidget* CreateForm(QWidget& Owner, TCircledSeries* Series);

  // Reads the series from the tag and shows its values.
  void FormShow();
  void CBCircledClick();
  void CB3DClick();
  void Edit1Change();
  void Edit2Change();
  void Edit3Change();
  void CBAutoXRClick();
  void CBAutoYRClick();
  // Back to no background colour and no gradient.
  void CBTranspClick();
  // After a colour was picked with BBack.
  void BBackClick();
  // After the gradient dialog closed with OK.
  void BGradientClick();

  QCheckBox* CBCircled = nullptr;
  QCheckBox* CB3D = nullptr;
  QLabel* Label1 = nullptr;
  TEditUpDown* Edit1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* LabelX = nullptr;
  TEditUpDown* Edit2 = nullptr;
  QCheckBox* CBAutoXR = nullptr;
  QLabel* LabelY = nullptr;
  TEditUpDown* Edit3 = nullptr;
  QCheckBox* CBAutoYR = nullptr;
  TButtonColor* BBack = nullptr;
  QCheckBox* CBTransp = nullptr;
  TButtonGradient* BGradient = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadControls();
  void SetTransparentBox(bool Checked);
  // A radius edit's number goes to the series; its "Auto" box shows
  // whether that is the automatic 0. Text that is no number is ignored.
  void RadiusChange(const TEditUpDown& Edit, QCheckBox& Auto, void (TCircledSeries::*Set)(int));
  // Runs Body unless the controls are being filled; a refused edit is
  // reported and the controls show the series again.
  void Apply(const std::function<void()>& Body);

  TCircledSeries* FSeries = nullptr;  // not owned
  // Set while code fills the controls: changes then are not edits.
  bool FUpdating = false;
};

// Registers the form under "TCircledSeriesEditor".
void RegisterCircledSeriesEditor();
