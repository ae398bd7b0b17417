#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QPushButton;
class QShowEvent;
class QTabBar;
class TButtonColor;
class TButtonGradient;
class TButtonPen;
class TCustomChart;
class TCustomChartWall;
class TEditUpDown;

// Interaction: the chart editor's page for the four walls of a chart: the
// 3D walls switch, then per wall (chosen on the tab strip) visibility,
// transparency, 3D darkening, size, colour, border, pattern and gradient.
// Every change goes straight to the wall.
class TFormKorWall : public QWidget {
 public:
  // Wall is the wall shown first (the left wall when none).
  TFormKorWall(QWidget* Parent, TCustomChart* Chart, TCustomChartWall* Wall);

  TCustomChartWall* GetWall() const { return FWall; }

  // Selects the edited wall's tab and loads the controls.
  void FormShow();
  void TabControl1Change();
  void CBView3DWallsClick();
  void CBVisibleClick();
  void CBTransparentClick();
  void CBDark3DClick();
  void CBAutoHideClick();
  void ESizeChange();
  void ETransparencyChange();
  void EAllSizeChange();
  void BPatternClick();
  // After the gradient dialog: a visible gradient is not see-through.
  void BGradientClick();

  QTabBar* TabControl1 = nullptr;
  QCheckBox* CBView3DWalls = nullptr;
  QCheckBox* CBVisible = nullptr;
  QCheckBox* CBTransparent = nullptr;
  QCheckBox* CBDark3D = nullptr;
  QCheckBox* CBAutoHide = nullptr;
  TEditUpDown* ESize = nullptr;
  TEditUpDown* ETransparency = nullptr;
  TEditUpDown* EAllSize = nullptr;
  TButtonColor* BColor = nullptr;
  TButtonPen* BBorder = nullptr;
  QPushButton* BPattern = nullptr;
  TButtonGradient* BGradient = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadControls();
  TCustomChartWall* WallAt(int Index) const;
  // A refused edit is reported and the controls show the wall again.
  void Guarded(const std::function<void()>& Body);

  TCustomChart* FChart;     // not owned
  TCustomChartWall* FWall;  // not owned
  // Set while code fills the controls: changes then are not edits.
  bool FUpdating = false;
};
