#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QShowEvent;
class QSlider;
class QTabWidget;
class TChartGalleryPanel;
class TCustomChart;
class TEditUpDown;
class TUpDown;

// Interaction: the chart editor's 3D page. "Options" edits the chart's 3D
// switch, depth percent, clipping and view options through their setters;
// "Views" offers six ready-made views as small charts, choosing one copies
// its 3D switch, orthogonality, ortho angle, rotation and elevation into
// the chart. A setter that refuses a value is reported and the control
// shows the chart's value again.
class TFormKor3D : public QDialog {
 public:
  // Chart is not owned and must outlive the page.
  TFormKor3D(QWidget* Owner, TCustomChart& Chart);
  ~TFormKor3D() override;

  TCustomChart& GetChart() const { return *FChart; }
  // False when the chart's canvas cannot rotate fully and its first series
  // is a pie: such a chart is only ever seen from the front.
  bool GetAllowRotation() const { return FAllowRotation; }

  // Every control of "Options" takes the chart's value, then the enabling
  // is refreshed.
  void RefreshControls();
  // Which controls the chart's state allows; makes "Options" current.
  void CheckControls();
  // Builds the views on first use and selects the one matching the chart.
  void ShowViews();
  // Copies the view of gallery chart Index into the chart.
  void ChooseView(int Index);
  // The index of the first view matching the chart, -1 when none does.
  int MatchingView() const;

  void CBView3dClick();
  void SE3dChange();
  void CBOrthogonalClick();
  void EOrthoAngleChange();
  void SBZoomChange();
  void SBRotationChange();
  void SBElevationChange();
  void SBHOffsetChange();
  void SBVOffsetChange();
  void SBPerspecChange();
  void CBZoomTextClick();
  void ETextSizeChange();
  void CBClipPointsClick();
  void PageControl1Change();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabOptions = nullptr;
  QWidget* TabViews = nullptr;

  QCheckBox* CBView3d = nullptr;
  TEditUpDown* SE3d = nullptr;
  TUpDown* UD3D = nullptr;
  QCheckBox* CBOrthogonal = nullptr;
  TEditUpDown* EOrthoAngle = nullptr;
  TUpDown* UDOrthoAngle = nullptr;
  QSlider* SBZoom = nullptr;
  QLabel* LZoom = nullptr;
  QSlider* SBRotation = nullptr;
  QLabel* LRotation = nullptr;
  QSlider* SBElevation = nullptr;
  QLabel* LElevation = nullptr;
  QSlider* SBHOffset = nullptr;
  QLabel* LHOffset = nullptr;
  QSlider* SBVOffset = nullptr;
  QLabel* LVOffset = nullptr;
  QSlider* SBPerspec = nullptr;
  QLabel* LPerspec = nullptr;
  QCheckBox* CBZoomText = nullptr;
  TEditUpDown* ETextSize = nullptr;
  TUpDown* UDTextSize = nullptr;
  QCheckBox* CBClipPoints = nullptr;

  // nullptr until "Views" is first shown.
  TChartGalleryPanel* GetGalleryPanel() const { return ChartGalleryPanel1.get(); }

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void BuildViews();
  void Connect();
  // Runs Edit unless the controls are being refreshed; a refused value is
  // reported and the controls show the chart again.
  template <class Edit>
  void Apply(Edit&& EditBody);

  TCustomChart* FChart;  // not owned
  bool FAllowRotation = true;
  bool FUpdating = false;
  std::unique_ptr<TChartGalleryPanel> ChartGalleryPanel1;
};

// Registers the 3D page of the chart editor dialog ("Tab3D").
void Register3DEditorPage();
