#include "chart/editor/TFormKorWall.h"

#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TButtonPen.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartRightWall.h"
#include "chart/core/TChartWall.h"
#include "chart/core/TChartWalls.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorGradient.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>

TFormKorWall::TFormKorWall(QWidget* Parent, TCustomChart* Chart, TCustomChartWall* Wall)
    : QWidget(Parent), FChart(Chart), FWall(Wall != nullptr ? Wall : &Chart->GetLeftWall()) {
  setObjectName(QStringLiteral("FormKorWall"));
  BuildControls();
  Connect();
}

void TFormKorWall::BuildControls() {
  resize(400, 230);
  TFormBuilder B(*this);
  TabControl1 = B.Add<QTabBar>(QStringLiteral("TabControl1"), QString(), 0, 0, 400, 24);
  for (const char* Caption : {"Left", "Right", "Bottom", "Back"})
    TabControl1->addTab(QString::fromLatin1(Caption));
  CBView3DWalls = B.Add<QCheckBox>(QStringLiteral("CBView3DWalls"),
                                   QStringLiteral("&Visible Walls"), 8, 32, 120, 17);
  CBVisible =
      B.Add<QCheckBox>(QStringLiteral("CBVisible"), QStringLiteral("V&isible"), 8, 60, 110, 17);
  CBTransparent = B.Add<QCheckBox>(QStringLiteral("CBTransparent"), QStringLiteral("&Transparent"),
                                   8, 82, 110, 17);
  CBDark3D =
      B.Add<QCheckBox>(QStringLiteral("CBDark3D"), QStringLiteral("&Dark 3D"), 8, 104, 110, 17);
  CBAutoHide =
      B.Add<QCheckBox>(QStringLiteral("CBAutoHide"), QStringLiteral("&Auto Hide"), 8, 126, 110, 17);
  B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("Size:"), 8, 154, 70, 13);
  ESize = B.Add<TEditUpDown>(QStringLiteral("ESize"), QString(), 94, 150, 50, 21);
  B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("Transparency:"), 8, 180, 84, 13);
  ETransparency = B.Add<TEditUpDown>(QStringLiteral("ETransparency"), QString(), 94, 176, 50, 21);
  ETransparency->SetMax(100);
  B.Add<QLabel>(QStringLiteral("Label3"), QStringLiteral("All walls:"), 140, 36, 60, 13);
  EAllSize = B.Add<TEditUpDown>(QStringLiteral("EAllSize"), QString(), 204, 32, 50, 21);
  for (TEditUpDown* E : {ESize, EAllSize}) E->SetMax(1000);
  BColor =
      B.Add<TButtonColor>(QStringLiteral("BColor"), QStringLiteral("&Color..."), 160, 60, 110, 25);
  BBorder =
      B.Add<TButtonPen>(QStringLiteral("BBorder"), QStringLiteral("B&order..."), 160, 90, 110, 25);
  BPattern = B.Add<QPushButton>(QStringLiteral("BPattern"), QStringLiteral("&Pattern..."), 160, 120,
                                110, 25);
  BGradient = B.Add<TButtonGradient>(QStringLiteral("BGradient"), QStringLiteral("&Gradient..."),
                                     160, 150, 110, 25);
}

void TFormKorWall::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TFormKorWall::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (!FUpdating) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  Wire(TabControl1, &QTabBar::currentChanged, &TFormKorWall::TabControl1Change);
  Wire(CBView3DWalls, &QCheckBox::toggled, &TFormKorWall::CBView3DWallsClick);
  Wire(CBVisible, &QCheckBox::toggled, &TFormKorWall::CBVisibleClick);
  Wire(CBTransparent, &QCheckBox::toggled, &TFormKorWall::CBTransparentClick);
  Wire(CBDark3D, &QCheckBox::toggled, &TFormKorWall::CBDark3DClick);
  Wire(CBAutoHide, &QCheckBox::toggled, &TFormKorWall::CBAutoHideClick);
  Wire(ESize, &QLineEdit::textChanged, &TFormKorWall::ESizeChange);
  Wire(ETransparency, &QLineEdit::textChanged, &TFormKorWall::ETransparencyChange);
  Wire(EAllSize, &QLineEdit::textChanged, &TFormKorWall::EAllSizeChange);
  Wire(BPattern, &QPushButton::clicked, &TFormKorWall::BPatternClick);
  BGradient->OnClick = [this](TKorButton*) { Guarded([this] { BGradientClick(); }); };
}

void TFormKorWall::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TFormKorWall::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

TCustomChartWall* TFormKorWall::WallAt(int Index) const {
  switch (Index) {
    case 0: return &FChart->GetLeftWall();
    case 1: return &FChart->GetRightWall();
    case 2: return &FChart->GetBottomWall();
    default: return &FChart->GetBackWall();
  }
}

void TFormKorWall::FormShow() {
  int Index = 3;
  for (int i = 0; i < 3; ++i)
    if (WallAt(i) == FWall) Index = i;
  {
    const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
    FUpdating = true;
    TabControl1->setCurrentIndex(Index);
  }
  LoadControls();
}

void TFormKorWall::LoadControls() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBView3DWalls->setChecked(FChart->GetView3DWalls());
  ESize->SetPosition(FWall->GetSize());
  CBTransparent->setChecked(FWall->GetTransparent());
  CBDark3D->setChecked(FWall->GetDark3D());
  CBDark3D->setEnabled(FWall->GetSize() > 0);
  CBVisible->setChecked(FWall->GetVisible());
  CBAutoHide->setChecked(FWall->GetAutoHide());
  ETransparency->SetPosition(FWall->GetTransparency());
  EAllSize->SetPosition(FChart->GetWalls().GetSize());
  BBorder->LinkPen(&FWall->GetPen());
  BGradient->LinkGradient(FWall->GetGradient());
  BColor->LinkProperty(FWall, QStringLiteral("Color"));
  // The floor has nothing to hide behind.
  CBAutoHide->setVisible(FWall != &FChart->GetBottomWall());
}

void TFormKorWall::TabControl1Change() {
  FWall = WallAt(TabControl1->currentIndex());
  LoadControls();
}

void TFormKorWall::CBView3DWallsClick() {
  FChart->SetView3DWalls(CBView3DWalls->isChecked());
}

void TFormKorWall::CBVisibleClick() {
  FWall->SetVisible(CBVisible->isChecked());
}

void TFormKorWall::CBTransparentClick() {
  FWall->SetTransparent(CBTransparent->isChecked());
}

void TFormKorWall::CBDark3DClick() {
  FWall->SetDark3D(CBDark3D->isChecked());
}

void TFormKorWall::CBAutoHideClick() {
  FWall->SetAutoHide(CBAutoHide->isChecked());
}

void TFormKorWall::ESizeChange() {
  FWall->SetSize(ESize->GetPosition());
  CBDark3D->setEnabled(FWall->GetSize() > 0);
}

void TFormKorWall::ETransparencyChange() {
  FWall->SetTransparency(ETransparency->GetPosition());
}

void TFormKorWall::EAllSizeChange() {
  FChart->GetWalls().SetSize(EAllSize->GetPosition());
  LoadControls();
}

void TFormKorWall::BPatternClick() {
  EditChartBrush(this, FWall->GetBrush());
}

void TFormKorWall::BGradientClick() {
  if (!FWall->GetGradient()->GetVisible()) return;
  FWall->SetTransparent(false);
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBTransparent->setChecked(false);
}
