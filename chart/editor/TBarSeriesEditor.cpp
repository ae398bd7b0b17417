#include "chart/editor/TBarSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TKorGradientEditor.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartPen.h"
#include "chart/series/TBarSeriesGradient.h"
#include "chart/series/TCustomBarSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TBarSeriesEditor::TBarSeriesEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("BarSeriesEditor"));
  BuildControls();
  Connect();
}

TBarSeriesEditor::~TBarSeriesEditor() {
  // The tab sits in the series page, not among this form's children.
  delete FStackForm.data();
}

void TBarSeriesEditor::BuildControls() {
  resize(436, 160);
  TFormBuilder B(*this);
  LStyle = B.Add<QLabel>(QStringLiteral("LStyle"), QStringLiteral("&Style:"), 8, 12, 72, 13);
  CBBarStyle = B.Add<QComboBox>(QStringLiteral("CBBarStyle"), QString(), 84, 8, 110, 22);
  CBBarStyle->addItems(
      {QStringLiteral("Rectangle"), QStringLiteral("Pyramid"), QStringLiteral("Invert. Pyramid"),
       QStringLiteral("Cylinder"), QStringLiteral("Ellipse"), QStringLiteral("Arrow"),
       QStringLiteral("Rect. Gradient"), QStringLiteral("Cone"), QStringLiteral("Bevel"),
       QStringLiteral("Slant Cube"), QStringLiteral("Diamond"), QStringLiteral("Invert. Arrow"),
       QStringLiteral("Invert. Cone")});
  // Each up-down is named after its edit: SEBarwidth's is UDBarwidth.
  const auto AddUpDown = [&B](QLabel*& Label, TEditUpDown*& Edit, const QString& Name,
                              const QString& Caption, int Top, int Min, int Max) {
    Label = B.Add<QLabel>(QLatin1Char('L') + Name.mid(2), Caption, 8, Top + 4, 72, 13);
    Edit = B.Add<TEditUpDown>(Name, QString(), 84, Top, 60, 22);
    Edit->GetUpDown()->setObjectName(QStringLiteral("UD") + Name.mid(2));
    Edit->SetMin(Min);
    Edit->SetMax(Max);
    Label->setBuddy(Edit);
  };
  AddUpDown(LBarwidth, SEBarwidth, QStringLiteral("SEBarwidth"), QStringLiteral("&Width %:"), 40, 1,
            100);
  AddUpDown(LBarOffset, SEBarOffset, QStringLiteral("SEBarOffset"), QStringLiteral("&Offset %:"),
            68, -100, 100);
  AddUpDown(LDepth, SEDepth, QStringLiteral("SEDepth"), QStringLiteral("Dept&h %:"), 96, 0, 100);
  AddUpDown(LBevel, SEBevel, QStringLiteral("SEBevel"), QStringLiteral("Be&vel size:"), 124, 0,
            100);
  LStyle->setBuddy(CBBarStyle);

  CBColorEach = B.Add<QCheckBox>(QStringLiteral("CBColorEach"), QStringLiteral("Color &Each"), 200,
                                 10, 140, 17);
  CBMarksAutoPosition = B.Add<QCheckBox>(QStringLiteral("CBMarksAutoPosition"),
                                         QStringLiteral("&Auto Mark Position"), 200, 36, 140, 17);
  CBDarkBar = B.Add<QCheckBox>(QStringLiteral("CBDarkBar"), QStringLiteral("&Dark Bar 3D Sides"),
                               200, 62, 140, 17);
  CBBarSideMargins = B.Add<QCheckBox>(QStringLiteral("CBBarSideMargins"),
                                      QStringLiteral("Bar S&ide Margins"), 200, 88, 140, 17);

  BBarPen =
      B.Add<TButtonPen>(QStringLiteral("BBarPen"), QStringLiteral("&Border..."), 344, 8, 88, 25);
  BTickLines = B.Add<TButtonPen>(QStringLiteral("BTickLines"), QStringLiteral("&Tick lines..."),
                                 344, 38, 88, 25);
  BBarColor = B.Add<TButtonColor>(QStringLiteral("BBarColor"), QStringLiteral("&Color..."), 344, 68,
                                  88, 25);
  BBarBrush = B.Add<QPushButton>(QStringLiteral("BBarBrush"), QStringLiteral("&Pattern..."), 344,
                                 98, 88, 25);
  BGradient = B.Add<QPushButton>(QStringLiteral("BGradient"), QStringLiteral("&Gradient..."), 344,
                                 128, 88, 25);
}

void TBarSeriesEditor::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TBarSeriesEditor::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (Editing()) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  Wire(CBBarStyle, &QComboBox::currentIndexChanged, &TBarSeriesEditor::CBBarStyleChange);
  Wire(SEBarwidth, &QLineEdit::textChanged, &TBarSeriesEditor::SEBarwidthChange);
  Wire(SEBarOffset, &QLineEdit::textChanged, &TBarSeriesEditor::SEBarOffsetChange);
  Wire(SEDepth, &QLineEdit::textChanged, &TBarSeriesEditor::SEDepthChange);
  Wire(SEBevel, &QLineEdit::textChanged, &TBarSeriesEditor::SEBevelChange);
  Wire(CBColorEach, &QCheckBox::toggled, &TBarSeriesEditor::CBColorEachClick);
  Wire(CBMarksAutoPosition, &QCheckBox::toggled, &TBarSeriesEditor::CBMarksAutoPositionClick);
  Wire(CBDarkBar, &QCheckBox::toggled, &TBarSeriesEditor::CBDarkBarClick);
  Wire(CBBarSideMargins, &QCheckBox::toggled, &TBarSeriesEditor::CBBarSideMarginsClick);
  Wire(BBarBrush, &QPushButton::clicked, &TBarSeriesEditor::BBarBrushClick);
  Wire(BGradient, &QPushButton::clicked, &TBarSeriesEditor::BGradientClick);
}

void TBarSeriesEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TBarSeriesEditor::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

void TBarSeriesEditor::FormShow() {
  Bar = dynamic_cast<TCustomBarSeries*>(KorFormObject(*this));
  if (Bar != nullptr) {
    LoadControls();
    if (!FStackInserted) {
      FStackInserted = true;
      FStackForm = InsertSeriesForm(*this, QStringLiteral("TStackBarSeriesEditor"),
                                    QStringLiteral("Stack"), Bar);
    }
  }
  FCreating = false;
}

void TBarSeriesEditor::LoadControls() {
  if (Bar == nullptr) return;
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBBarStyle->setCurrentIndex(static_cast<int>(Bar->GetBarStyle()));
  SEBarwidth->SetPosition(Bar->GetBarWidthPercent());
  SEBarOffset->SetPosition(Bar->GetOffsetPercent());
  SEDepth->SetPosition(Bar->GetDepthPercent());
  SEBevel->SetPosition(Bar->GetBevelSize());
  CBColorEach->setChecked(Bar->GetColorEachPoint());
  CBMarksAutoPosition->setChecked(Bar->GetAutoMarkPosition());
  CBDarkBar->setChecked(Bar->GetDark3D());
  CBBarSideMargins->setChecked(Bar->GetSideMargins());
  BBarPen->LinkPen(&Bar->GetBarPen());
  BTickLines->LinkPen(&Bar->GetTickLines());
  BBarColor->LinkProperty(Bar, QStringLiteral("SeriesColor"));
  BBarColor->setEnabled(!Bar->GetColorEachPoint());
  EnableStyleControls();
}

void TBarSeriesEditor::EnableStyleControls() {
  const int Style = CBBarStyle->currentIndex();
  const bool Bevel = Style == bsBevel;
  LBevel->setEnabled(Bevel);
  SEBevel->setEnabled(Bevel);
  BGradient->setEnabled(Style == bsRectangle || Style == bsRectGradient);
}

void TBarSeriesEditor::CBBarStyleChange() {
  if (CBBarStyle->currentIndex() < 0) return;
  Bar->SetBarStyle(static_cast<TBarStyle>(CBBarStyle->currentIndex()));
  EnableStyleControls();
}

void TBarSeriesEditor::SEBarwidthChange() {
  Bar->SetBarWidthPercent(SEBarwidth->GetPosition());
}

void TBarSeriesEditor::SEBarOffsetChange() {
  Bar->SetOffsetPercent(SEBarOffset->GetPosition());
}

void TBarSeriesEditor::SEDepthChange() {
  Bar->SetDepthPercent(SEDepth->GetPosition());
}

void TBarSeriesEditor::SEBevelChange() {
  Bar->SetBevelSize(SEBevel->GetPosition());
}

void TBarSeriesEditor::CBColorEachClick() {
  Bar->SetColorEachPoint(CBColorEach->isChecked());
  BBarColor->setEnabled(!CBColorEach->isChecked());
}

void TBarSeriesEditor::CBMarksAutoPositionClick() {
  Bar->SetAutoMarkPosition(CBMarksAutoPosition->isChecked());
}

void TBarSeriesEditor::CBDarkBarClick() {
  Bar->SetDark3d(CBDarkBar->isChecked());
}

void TBarSeriesEditor::CBBarSideMarginsClick() {
  Bar->SetSideMargins(CBBarSideMargins->isChecked());
}

void TBarSeriesEditor::BBarBrushClick() {
  EditChartBrush(this, Bar->GetBarBrush());
}

void TBarSeriesEditor::BGradientClick() {
  Bar->SetBarStyle(bsRectGradient);
  {
    const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
    FUpdating = true;
    CBBarStyle->setCurrentIndex(bsRectGradient);
  }
  EnableStyleControls();
  EditKorGradient(this, Bar->GetGradient());
}

void RegisterBarSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TBarSeriesEditor"),
                     [](QWidget* Parent) { return new TBarSeriesEditor(Parent); });
}
