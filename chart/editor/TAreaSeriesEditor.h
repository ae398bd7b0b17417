#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TAreaSeries;
class TButtonColor;
class TButtonPen;
class TEditUpDown;
class TRadioGroup;

// Interaction: the "Format" page of area series: stacking, stairs, origin,
// transparency, pens, brushes and colour. The series comes from the form's
// tag when the form is shown; from then on every control writes its
// property at once. The first show also adds a "Point" tab (the pointer
// editor) and a "Gradient" tab (the area gradient) to the series page;
// both go with this form.
class TAreaSeriesEditor : public QWidget {
 public:
  explicit TAreaSeriesEditor(QWidget* Parent = nullptr);
  ~TAreaSeriesEditor() override;

  TAreaSeries* GetArea() const { return Area; }
  // The extra tabs' forms; null until inserted, or when their form class
  // is not registered or the page freed them.
  QWidget* GetPointerForm() const { return FPointerForm; }
  QWidget* GetGradientForm() const { return FGradientForm; }

  // Reads the series from the tag, fills the controls and, the first time,
  // adds the extra tabs.
  void FormShow();
  void RGMultiAreaClick();
  void CBColorEachClick();
  // Off keeps the inverted switch as it is, only disabled.
  void CBStairsClick();
  void CBInvStairsClick();
  void CBUseOriginClick();
  // The origin is a whole number.
  void EOriginChange();
  void ETransparencyChange();
  void BAreaBrushClick();
  void BTopBrushClick();

  TRadioGroup* RGMultiArea = nullptr;
  QCheckBox* CBColorEach = nullptr;
  QCheckBox* CBStairs = nullptr;
  QCheckBox* CBInvStairs = nullptr;
  QCheckBox* CBUseOrigin = nullptr;
  QLabel* LOrigin = nullptr;
  TEditUpDown* EOrigin = nullptr;
  QLabel* LTransparency = nullptr;
  TEditUpDown* ETransparency = nullptr;
  TButtonPen* BAreaLinesPen = nullptr;
  TButtonPen* BAreaLinePen = nullptr;
  QPushButton* BAreaBrush = nullptr;
  QPushButton* BTopBrush = nullptr;
  TButtonColor* BAreaColor = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadControls();
  void EnableControls();
  void InsertTabs();
  // A refused edit is reported and the controls show the series again.
  void Guarded(const std::function<void()>& Body);
  bool Editing() const { return FShown && !FUpdating && Area != nullptr; }

  TAreaSeries* Area = nullptr;  // not owned
  bool FShown = false;
  bool FUpdating = false;
  bool FTabsInserted = false;
  // Live in the series page; cleared by Qt when the page frees them first.
  QPointer<QWidget> FPointerForm;
  QPointer<QWidget> FGradientForm;
};

// Registers the form under "TAreaSeriesEditor", and the docked gradient
// editor under "TKorGradientEditor" when nothing is registered there yet
// (its "Gradient" tab is made by that name).
void RegisterAreaSeriesEditor();
