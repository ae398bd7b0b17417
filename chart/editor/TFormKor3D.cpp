#include "chart/editor/TFormKor3D.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartGalleryPanel.h"
#include "chart/editor/TGalleryChart.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartRightWall.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartWall.h"
#include "chart/core/TChartWalls.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TView3DOptions.h"
#include "chart/series/TPieSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QShowEvent>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int OffsetLimit = 1500;

// One ready-made view of the "Views" tab. For the walls -1 leaves the
// gallery chart's own setting, 0 hides and 1 shows; a rotation or axis depth
// (percent of the chart's depth) of -1 is left as the gallery chart has it.
struct TViewSample {
  const char* Name;
  bool View3D;
  bool Orthogonal;
  int OrthoAngle;
  int Rotation;
  int LeftWall;
  int RightWall;
  bool SeriesOnRight;
  double RightDepth;
  double LeftDepth;
};

constexpr std::array<TViewSample, 6> ViewSamples = {{
    {"2D", false, true, 45, -1, -1, -1, false, -1, -1},
    {"Ortho Right", true, true, 45, -1, -1, -1, false, -1, -1},
    {"Ortho Left", true, true, 135, -1, 0, 1, true, 0, -1},
    {"3D Front", true, false, 45, 360, 1, 1, false, 0, -1},
    {"3D Right", true, false, 45, 300, 1, 0, false, 100, -1},
    {"3D Left", true, false, 45, 45, 0, 1, false, 0, 100},
}};

// The 3D views are all seen from this elevation.
constexpr int ViewElevation = 360;

void ShowBar(QSlider& Bar, QLabel& Label, const QString& Suffix = QString()) {
  Label.setText(QString::number(Bar.value()) + Suffix);
}

// Widens Bar symmetrically when Value lies beyond it, so any stored offset
// can be shown; then shows Value.
void ShowOffset(QSlider& Bar, int Value) {
  if (std::abs(Value) > Bar.maximum()) {
    const int Limit = static_cast<int>(std::lround(std::abs(Value) * 1.5));
    Bar.setRange(-Limit, Limit);
  }
  Bar.setValue(Value);
}

}  // namespace

TFormKor3D::TFormKor3D(QWidget* Owner, TCustomChart& Chart) : QDialog(Owner), FChart(&Chart) {
  FUpdating = true;
  setObjectName(QStringLiteral("FormKor3D"));
  const bool FullRotation = FChart->GetPanelCanvas().GetSupportsFullRotation();
  const bool FirstIsPie =
      FChart->SeriesCount() > 0 && dynamic_cast<TPieSeries*>(FChart->GetSeries(0)) != nullptr;
  FAllowRotation = FullRotation || !FirstIsPie;
  BuildControls();
  Connect();
  resize(400, 260);
  RefreshControls();
}

TFormKor3D::~TFormKor3D() {
  // The views are components with widgets inside this form: free them
  // before Qt frees the form's children.
  ChartGalleryPanel1.reset();
}

template <class Edit>
void TFormKor3D::Apply(Edit&& EditBody) {
  if (FUpdating) return;
  KorGuardedEdit(std::forward<Edit>(EditBody), [this] { RefreshControls(); });
}

void TFormKor3D::BuildControls() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(PageControl1);
  TabOptions = new QWidget;
  TabOptions->setObjectName(QStringLiteral("TabOptions"));
  PageControl1->addTab(TabOptions, QStringLiteral("Options"));
  TabViews = new QWidget;
  TabViews->setObjectName(QStringLiteral("TabViews"));
  PageControl1->addTab(TabViews, QStringLiteral("Views"));

  QWidget& T = *TabOptions;
  auto Check = [&T](const char* Name, const char* Caption, int Left, int Top) {
    return TFormBuilder::AddTo<QCheckBox>(T, QString::fromLatin1(Name), QString::fromUtf8(Caption),
                                          Left, Top, 110, 17);
  };
  auto Edit = [&T](const char* Name, const char* UpDown, int Left, int Top, int Min, int Max,
                   int Step) {
    auto* E = TFormBuilder::AddTo<TEditUpDown>(T, QString::fromLatin1(Name), QStringLiteral("0"),
                                               Left, Top, 56, 22);
    E->GetUpDown()->setObjectName(QString::fromLatin1(UpDown));
    E->GetUpDown()->SetIncrement(Step);
    E->SetMin(Min);
    E->SetMax(Max);
    return E;
  };
  auto Caption = [&T](const char* Name, const char* Text, int Left, int Top, QWidget* Buddy,
                      int Width = 86) {
    auto* L = TFormBuilder::AddTo<QLabel>(T, QString::fromLatin1(Name), QString::fromUtf8(Text),
                                          Left, Top, Width, 16);
    L->setBuddy(Buddy);
  };
  auto Bar = [&T](const char* Name, const char* LabelName, int Top, int Min, int Max,
                  QLabel*& Value) {
    auto* B =
        TFormBuilder::AddTo<QSlider>(T, QString::fromLatin1(Name), QString(), 222, Top, 104, 22);
    B->setOrientation(Qt::Horizontal);
    B->setTickPosition(QSlider::TicksBelow);
    B->setRange(Min, Max);
    Value = TFormBuilder::AddTo<QLabel>(T, QString::fromLatin1(LabelName), QStringLiteral("0"), 330,
                                        Top + 3, 48, 16);
    return B;
  };

  // Left: the switches, each value under its box; right: the view's bars.
  CBView3d = Check("CBView3d", "&3 Dimensions", 8, 8);
  SE3d = Edit("SE3d", "UD3D", 56, 30, 1, 100, 5);
  UD3D = SE3d->GetUpDown();
  Caption("Label1", "3&D %:", 8, 34, SE3d, 44);
  CBOrthogonal = Check("CBOrthogonal", "&Orthogonal", 8, 58);
  EOrthoAngle = Edit("EOrthoAngle", "UDOrthoAngle", 26, 78, 0, 180, 5);
  UDOrthoAngle = EOrthoAngle->GetUpDown();
  CBZoomText = Check("CBZoomText", "Zoom &Text", 8, 106);
  ETextSize = Edit("ETextSize", "UDTextSize", 26, 126, 1, 2000, 5);
  UDTextSize = ETextSize->GetUpDown();
  CBClipPoints = Check("CBClipPoints", "&Clip Points", 8, 154);

  SBZoom = Bar("SBZoom", "LZoom", 8, 1, 500, LZoom);
  Caption("Label2", "&Zoom:", 132, 12, SBZoom);
  SBRotation = Bar("SBRotation", "LRotation", 36, 0, 360, LRotation);
  Caption("Label3", "&Rotation:", 132, 40, SBRotation);
  SBElevation = Bar("SBElevation", "LElevation", 64, 270, 360, LElevation);
  Caption("Label4", "E&levation:", 132, 68, SBElevation);
  SBHOffset = Bar("SBHOffset", "LHOffset", 92, -OffsetLimit, OffsetLimit, LHOffset);
  Caption("Label5", "&Horiz. Offset:", 132, 96, SBHOffset);
  SBVOffset = Bar("SBVOffset", "LVOffset", 120, -OffsetLimit, OffsetLimit, LVOffset);
  Caption("Label6", "&Vert. Offset:", 132, 124, SBVOffset);
  SBPerspec = Bar("SBPerspec", "LPerspec", 148, 0, 200, LPerspec);
  Caption("Label7", "&Perspective:", 132, 152, SBPerspec);
  SBHOffset->setTickPosition(QSlider::NoTicks);
  SBVOffset->setTickPosition(QSlider::NoTicks);
}

void TFormKor3D::Connect() {
  auto Clicked = [this](QCheckBox* Box, void (TFormKor3D::*Handler)()) {
    connect(Box, &QCheckBox::clicked, this, [this, Handler] { (this->*Handler)(); });
  };
  auto Typed = [this](TEditUpDown* Edit, void (TFormKor3D::*Handler)()) {
    connect(Edit, &QLineEdit::textChanged, this, [this, Handler] { (this->*Handler)(); });
  };
  auto Moved = [this](QSlider* Bar, void (TFormKor3D::*Handler)()) {
    connect(Bar, &QSlider::valueChanged, this, [this, Handler] { (this->*Handler)(); });
  };
  Clicked(CBView3d, &TFormKor3D::CBView3dClick);
  Typed(SE3d, &TFormKor3D::SE3dChange);
  Clicked(CBOrthogonal, &TFormKor3D::CBOrthogonalClick);
  Typed(EOrthoAngle, &TFormKor3D::EOrthoAngleChange);
  Moved(SBZoom, &TFormKor3D::SBZoomChange);
  Moved(SBRotation, &TFormKor3D::SBRotationChange);
  Moved(SBElevation, &TFormKor3D::SBElevationChange);
  Moved(SBHOffset, &TFormKor3D::SBHOffsetChange);
  Moved(SBVOffset, &TFormKor3D::SBVOffsetChange);
  Moved(SBPerspec, &TFormKor3D::SBPerspecChange);
  Clicked(CBZoomText, &TFormKor3D::CBZoomTextClick);
  Typed(ETextSize, &TFormKor3D::ETextSizeChange);
  Clicked(CBClipPoints, &TFormKor3D::CBClipPointsClick);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
}

void TFormKor3D::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  RunGuarded([this] { RefreshControls(); });
}

void TFormKor3D::RefreshControls() {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  const TView3DOptions& V = FChart->GetView3DOptions();
  CBView3d->setChecked(FChart->GetView3D());
  SE3d->SetPosition(FChart->GetChart3DPercent());
  CBClipPoints->setChecked(FChart->GetClipPoints());
  if (FChart->GetPanelCanvas().GetSupportsFullRotation()) {
    SBRotation->setTickInterval(20);
    SBElevation->setMinimum(0);
    SBElevation->setTickInterval(20);
  } else {
    SBRotation->setTickInterval(45);
    SBElevation->setMinimum(270);
    SBElevation->setTickInterval(10);
  }
  SBZoom->setValue(V.GetZoom());
  CBOrthogonal->setChecked(V.GetOrthogonal());
  SBRotation->setValue(V.GetRotation());
  SBElevation->setValue(V.GetElevation());
  ShowOffset(*SBHOffset, V.GetHorizOffset());
  ShowOffset(*SBVOffset, V.GetVertOffset());
  CBZoomText->setChecked(V.GetZoomText());
  SBPerspec->setValue(V.GetPerspective());
  EOrthoAngle->SetPosition(V.GetOrthoAngle());
  ETextSize->SetPosition(V.GetFontZoom());
  ShowBar(*SBZoom, *LZoom, QStringLiteral("%"));
  ShowBar(*SBRotation, *LRotation);
  ShowBar(*SBElevation, *LElevation);
  ShowBar(*SBHOffset, *LHOffset);
  ShowBar(*SBVOffset, *LVOffset);
  ShowBar(*SBPerspec, *LPerspec);
  CheckControls();
}

void TFormKor3D::CheckControls() {
  const bool Is3D = FChart->GetView3D();
  const bool Ortho = Is3D && FAllowRotation;
  CBOrthogonal->setEnabled(Ortho);
  EOrthoAngle->setEnabled(Ortho);
  UDOrthoAngle->setEnabled(Ortho);
  const bool Elevation = Is3D && (FChart->GetPanelCanvas().GetSupportsFullRotation() ||
                                  !FChart->GetView3DOptions().GetOrthogonal());
  SBElevation->setEnabled(Elevation);
  SBRotation->setEnabled(Elevation && Ortho);
  PageControl1->setCurrentWidget(TabOptions);
}

void TFormKor3D::CBView3dClick() {
  Apply([this] {
    FChart->SetView3D(CBView3d->isChecked());
    CheckControls();
  });
}

void TFormKor3D::SE3dChange() {
  if (!isVisible()) return;
  Apply([this] {
    int Value = 0;
    if (KorTypedInt(*SE3d, Value)) FChart->SetChart3DPercent(Value);
  });
}

void TFormKor3D::CBOrthogonalClick() {
  Apply([this] {
    FChart->GetView3DOptions().SetOrthogonal(CBOrthogonal->isChecked());
    CheckControls();
  });
}

void TFormKor3D::EOrthoAngleChange() {
  if (!isVisible()) return;
  Apply([this] {
    int Value = 0;
    if (KorTypedInt(*EOrthoAngle, Value)) FChart->GetView3DOptions().SetOrthoAngle(Value);
  });
}

void TFormKor3D::SBZoomChange() {
  ShowBar(*SBZoom, *LZoom, QStringLiteral("%"));
  Apply([this] { FChart->GetView3DOptions().SetZoom(SBZoom->value()); });
}

void TFormKor3D::SBRotationChange() {
  ShowBar(*SBRotation, *LRotation);
  Apply([this] { FChart->GetView3DOptions().SetRotation(SBRotation->value()); });
}

void TFormKor3D::SBElevationChange() {
  ShowBar(*SBElevation, *LElevation);
  Apply([this] { FChart->GetView3DOptions().SetElevation(SBElevation->value()); });
}

void TFormKor3D::SBHOffsetChange() {
  ShowBar(*SBHOffset, *LHOffset);
  Apply([this] { FChart->GetView3DOptions().SetHorizOffset(SBHOffset->value()); });
}

void TFormKor3D::SBVOffsetChange() {
  ShowBar(*SBVOffset, *LVOffset);
  Apply([this] { FChart->GetView3DOptions().SetVertOffset(SBVOffset->value()); });
}

void TFormKor3D::SBPerspecChange() {
  ShowBar(*SBPerspec, *LPerspec);
  Apply([this] { FChart->GetView3DOptions().SetPerspective(SBPerspec->value()); });
}

void TFormKor3D::CBZoomTextClick() {
  Apply([this] { FChart->GetView3DOptions().SetZoomText(CBZoomText->isChecked()); });
}

void TFormKor3D::ETextSizeChange() {
  if (!isVisible()) return;
  Apply([this] {
    int Value = 0;
    if (KorTypedInt(*ETextSize, Value)) FChart->GetView3DOptions().SetFontZoom(Value);
  });
}

void TFormKor3D::CBClipPointsClick() {
  Apply([this] { FChart->SetClipPoints(CBClipPoints->isChecked()); });
}

void TFormKor3D::PageControl1Change() {
  RunGuarded([this] {
    if (PageControl1->currentWidget() == TabViews)
      ShowViews();
    else if (!FUpdating)
      RefreshControls();
  });
}

// -- views

void TFormKor3D::BuildViews() {
  ChartGalleryPanel1 = std::make_unique<TChartGalleryPanel>(nullptr);
  TChartGalleryPanel& P = *ChartGalleryPanel1;
  P.SetName("ChartGalleryPanel1");
  P.SetSmooth(false);
  P.SetDisplaySub(false);
  P.SetFocusRotation(false);
  P.SetNumCols(3);
  P.SetNumRows(2);
  P.SetParentWidget(TabViews);
  P.GetWidget()->setObjectName(QStringLiteral("ChartGalleryPanel1"));
  auto* Layout = new QVBoxLayout(TabViews);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(P.GetWidget());
  if (KorSeriesTypes().Count() == 0) return;
  const TKorSeriesType& First = *KorSeriesTypes().Get(0);
  for (const TViewSample& Sample : ViewSamples) {
    TGalleryChart& C = *P.CreateChart(First);
    C.GetBackWall().SetTransparent(false);
    C.GetWalls().SetSize(5);
    for (int i = 0; i < C.SeriesCount(); ++i) C.GetSeries(i)->Clear();
    C.GetTitle().SetText({QString::fromLatin1(Sample.Name)});
    C.GetLeftAxis()->SetLabels(true);
    C.SetView3D(Sample.View3D);
    if (!Sample.View3D) continue;
    for (int i = 0; i < C.SeriesCount(); ++i)
      C.GetSeries(i)->SetVertAxis(Sample.SeriesOnRight ? aRightAxis : aBothVertAxis);
    TView3DOptions& V = C.GetView3DOptions();
    V.SetOrthogonal(Sample.Orthogonal);
    V.SetOrthoAngle(Sample.OrthoAngle);
    V.SetElevation(ViewElevation);
    if (Sample.Rotation >= 0) V.SetRotation(Sample.Rotation);
    if (Sample.LeftWall >= 0) C.GetLeftWall().SetVisible(Sample.LeftWall == 1);
    if (Sample.RightWall >= 0) C.GetRightWall().SetVisible(Sample.RightWall == 1);
    if (Sample.RightDepth >= 0) C.GetRightAxis()->SetZPosition(Sample.RightDepth);
    if (Sample.LeftDepth >= 0) C.GetLeftAxis()->SetZPosition(Sample.LeftDepth);
  }
  P.OnChangeChart = [this](TChartGalleryPanel* Panel) {
    RunGuarded([this, Panel] {
      if (!FUpdating) ChooseView(Panel->GetCharts().IndexOf(Panel->GetSelectedChart()));
    });
  };
}

int TFormKor3D::MatchingView() const {
  if (!ChartGalleryPanel1) return -1;
  const TView3DOptions& Mine = FChart->GetView3DOptions();
  for (int i = 0; i < ChartGalleryPanel1->GetCharts().Count(); ++i) {
    const TGalleryChart& C = *ChartGalleryPanel1->GetChart(i);
    const TView3DOptions& V = C.GetView3DOptions();
    if (C.GetView3D() == FChart->GetView3D() && V.GetOrthogonal() == Mine.GetOrthogonal() &&
        V.GetOrthoAngle() == Mine.GetOrthoAngle() && V.GetRotation() == Mine.GetRotation() &&
        V.GetElevation() == Mine.GetElevation())
      return i;
  }
  return -1;
}

void TFormKor3D::ShowViews() {
  if (!ChartGalleryPanel1) BuildViews();
  // The views fill the tab: lay it out now so they are placed in its size.
  TabViews->layout()->activate();
  ChartGalleryPanel1->ResizeCharts();
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  const int Index = MatchingView();
  if (Index >= 0) {
    ChartGalleryPanel1->SelectChart(ChartGalleryPanel1->GetChart(Index));
  } else {
    // No view is the chart's: none looks chosen.
    for (TGalleryChart* C : ChartGalleryPanel1->GetCharts()) C->Focus(false);
  }
}

void TFormKor3D::ChooseView(int Index) {
  if (!ChartGalleryPanel1 || Index < 0 || Index >= ChartGalleryPanel1->GetCharts().Count()) return;
  const TGalleryChart& C = *ChartGalleryPanel1->GetChart(Index);
  const TView3DOptions& V = C.GetView3DOptions();
  TView3DOptions& Mine = FChart->GetView3DOptions();
  FChart->SetView3D(C.GetView3D());
  Mine.SetOrthogonal(V.GetOrthogonal());
  Mine.SetOrthoAngle(V.GetOrthoAngle());
  Mine.SetRotation(V.GetRotation());
  Mine.SetElevation(V.GetElevation());
}

void Register3DEditorPage() {
  ChartEditorPages().Register(
      QStringLiteral("Tab3D"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        if (Editor.GetChart() == nullptr) return nullptr;
        auto* Form = new TFormKor3D(&Page, *Editor.GetChart());
        Form->setWindowFlags(Qt::Widget);
        return Form;
      },
      TPageSizing::psAhead);
}
