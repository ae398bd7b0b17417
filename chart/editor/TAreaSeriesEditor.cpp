#include "chart/editor/TAreaSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TSeriesPointerEditor.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/series/TAreaSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <cmath>

namespace {

// The origin edit takes whole numbers within these bounds.
constexpr int MaxOrigin = 1000000000;

}  // namespace

TAreaSeriesEditor::TAreaSeriesEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("AreaSeriesEditor"));
  BuildControls();
  Connect();
}

TAreaSeriesEditor::~TAreaSeriesEditor() {
  // The tabs sit in the series page, not among this form's children.
  delete FPointerForm.data();
  delete FGradientForm.data();
}

void TAreaSeriesEditor::BuildControls() {
  resize(400, 236);
  RGMultiArea = new TRadioGroup(QStringLiteral("&Multiple Areas:"), this);
  RGMultiArea->setObjectName(QStringLiteral("RGMultiArea"));
  RGMultiArea->SetItems(
      {QStringLiteral("None"), QStringLiteral("Stacked"), QStringLiteral("Stacked 100%")});
  RGMultiArea->setGeometry(8, 4, 136, 88);
  TFormBuilder B(*this);
  CBColorEach = B.Add<QCheckBox>(QStringLiteral("CBColorEach"), QStringLiteral("Color &Each"), 8,
                                 100, 124, 17);
  CBStairs =
      B.Add<QCheckBox>(QStringLiteral("CBStairs"), QStringLiteral("&Stairs"), 8, 124, 124, 17);
  CBInvStairs =
      B.Add<QCheckBox>(QStringLiteral("CBInvStairs"), QStringLiteral("Inverted"), 24, 146, 108, 17);
  CBUseOrigin = B.Add<QCheckBox>(QStringLiteral("CBUseOrigin"), QStringLiteral("&Use Origin"), 156,
                                 10, 120, 17);
  LOrigin = B.Add<QLabel>(QStringLiteral("LOrigin"), QStringLiteral("&Origin:"), 156, 38, 84, 13);
  EOrigin = B.Add<TEditUpDown>(QStringLiteral("EOrigin"), QString(), 242, 34, 80, 22);
  EOrigin->GetUpDown()->setObjectName(QStringLiteral("UDOrigin"));
  EOrigin->SetMin(-MaxOrigin);
  EOrigin->SetMax(MaxOrigin);
  LTransparency = B.Add<QLabel>(QStringLiteral("LTransparency"), QStringLiteral("Tra&nsparency:"),
                                156, 70, 84, 13);
  ETransparency = B.Add<TEditUpDown>(QStringLiteral("ETransparency"), QString(), 242, 66, 56, 22);
  ETransparency->GetUpDown()->setObjectName(QStringLiteral("UDTransparency"));
  ETransparency->SetMin(0);
  ETransparency->SetMax(100);
  LOrigin->setBuddy(EOrigin);
  LTransparency->setBuddy(ETransparency);

  BAreaLinesPen = B.Add<TButtonPen>(QStringLiteral("BAreaLinesPen"),
                                    QStringLiteral("Area &Lines..."), 8, 172, 136, 25);
  BAreaLinePen = B.Add<TButtonPen>(QStringLiteral("BAreaLinePen"), QStringLiteral("&Border..."), 8,
                                   202, 136, 25);
  BAreaBrush = B.Add<QPushButton>(QStringLiteral("BAreaBrush"), QStringLiteral("&Pattern..."), 156,
                                  172, 96, 25);
  BTopBrush =
      B.Add<QPushButton>(QStringLiteral("BTopBrush"), QStringLiteral("&Top..."), 156, 202, 96, 25);
  BAreaColor = B.Add<TButtonColor>(QStringLiteral("BAreaColor"), QStringLiteral("&Color..."), 264,
                                   172, 96, 25);
}

void TAreaSeriesEditor::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TAreaSeriesEditor::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (Editing()) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  RGMultiArea->OnClick = [this](TRadioGroup*) {
    if (Editing()) Guarded([this] { RGMultiAreaClick(); });
  };
  Wire(CBColorEach, &QCheckBox::toggled, &TAreaSeriesEditor::CBColorEachClick);
  Wire(CBStairs, &QCheckBox::toggled, &TAreaSeriesEditor::CBStairsClick);
  Wire(CBInvStairs, &QCheckBox::toggled, &TAreaSeriesEditor::CBInvStairsClick);
  Wire(CBUseOrigin, &QCheckBox::toggled, &TAreaSeriesEditor::CBUseOriginClick);
  Wire(EOrigin, &QLineEdit::textChanged, &TAreaSeriesEditor::EOriginChange);
  Wire(ETransparency, &QLineEdit::textChanged, &TAreaSeriesEditor::ETransparencyChange);
  Wire(BAreaBrush, &QPushButton::clicked, &TAreaSeriesEditor::BAreaBrushClick);
  Wire(BTopBrush, &QPushButton::clicked, &TAreaSeriesEditor::BTopBrushClick);
  // The swatch shows what the area is filled with.
  BAreaColor->GetColorProc = [this] {
    if (Area == nullptr) return clBlack;
    return Area->GetAreaColor() == clDefault ? Area->GetSeriesColor() : Area->GetAreaColor();
  };
}

void TAreaSeriesEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TAreaSeriesEditor::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

void TAreaSeriesEditor::FormShow() {
  Area = dynamic_cast<TAreaSeries*>(KorFormObject(*this));
  if (Area == nullptr) return;
  LoadControls();
  FShown = true;
  InsertTabs();
}

void TAreaSeriesEditor::InsertTabs() {
  if (FTabsInserted) return;
  FTabsInserted = true;
  FPointerForm = KorInsertPointerForm(*this, &Area->GetPointer(), QStringLiteral("Point"));
  FGradientForm = InsertSeriesForm(*this, QStringLiteral("TKorGradientEditor"),
                                   QStringLiteral("Gradient"), &Area->GetGradient());
}

void TAreaSeriesEditor::LoadControls() {
  if (Area == nullptr) return;
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  RGMultiArea->SetItemIndex(static_cast<int>(Area->GetMultiArea()));
  CBColorEach->setChecked(Area->GetColorEachPoint());
  CBStairs->setChecked(Area->GetStairs());
  CBInvStairs->setChecked(Area->GetInvertedStairs());
  CBUseOrigin->setChecked(Area->GetUseYOrigin());
  EOrigin->SetPosition(static_cast<int>(std::lround(Area->GetYOrigin())));
  ETransparency->SetPosition(Area->GetTransparency());
  BAreaLinesPen->LinkPen(&Area->GetAreaLinesPen());
  BAreaLinePen->LinkPen(&Area->GetLinePen());
  BAreaColor->LinkProperty(Area, QStringLiteral("SeriesColor"));
  EnableControls();
}

void TAreaSeriesEditor::EnableControls() {
  CBInvStairs->setEnabled(CBStairs->isChecked());
  LOrigin->setEnabled(CBUseOrigin->isChecked());
  EOrigin->setEnabled(CBUseOrigin->isChecked());
}

void TAreaSeriesEditor::RGMultiAreaClick() {
  Area->SetMultiArea(static_cast<TMultiArea>(RGMultiArea->GetItemIndex()));
}

void TAreaSeriesEditor::CBColorEachClick() {
  Area->SetColorEachPoint(CBColorEach->isChecked());
  BAreaColor->update();
}

void TAreaSeriesEditor::CBStairsClick() {
  Area->SetStairs(CBStairs->isChecked());
  EnableControls();
}

void TAreaSeriesEditor::CBInvStairsClick() {
  Area->SetInvertedStairs(CBInvStairs->isChecked());
}

void TAreaSeriesEditor::CBUseOriginClick() {
  Area->SetUseOrigin(CBUseOrigin->isChecked());
  EnableControls();
}

void TAreaSeriesEditor::EOriginChange() {
  Area->SetOrigin(EOrigin->GetPosition());
}

void TAreaSeriesEditor::ETransparencyChange() {
  Area->SetTransparency(ETransparency->GetPosition());
}

void TAreaSeriesEditor::BAreaBrushClick() {
  EditChartBrush(this, Area->GetAreaChartBrush());
}

void TAreaSeriesEditor::BTopBrushClick() {
  // The series' own brush fills the top face of the area in 3D.
  EditChartBrush(this, Area->GetBrush());
}

void RegisterAreaSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TAreaSeriesEditor"),
                     [](QWidget* Parent) { return new TAreaSeriesEditor(Parent); });
  if (!IsEditorFormRegistered(QStringLiteral("TKorGradientEditor")))
    RegisterEditorForm(QStringLiteral("TKorGradientEditor"), [](QWidget* Parent) {
      // Docked: it edits the gradient its tag holds when shown.
      return new TKorGradientEditor(Parent, nullptr);
    });
}
