#include "chart/editor/TArrowSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/series/TArrowSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

namespace {

// Head half sizes in pixels; the series refuses 0.
constexpr int MaxArrowSize = 1000;

}  // namespace

TArrowSeriesEditor::TArrowSeriesEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("ArrowSeriesEditor"));
  BuildControls();
  Connect();
}

void TArrowSeriesEditor::BuildControls() {
  resize(300, 150);
  TFormBuilder B(*this);
  CBColorEach = B.Add<QCheckBox>(QStringLiteral("CBColorEach"), QStringLiteral("Color &Each"), 8,
                                 10, 120, 17);
  LArrowWidth =
      B.Add<QLabel>(QStringLiteral("LArrowWidth"), QStringLiteral("&Width:"), 8, 42, 56, 13);
  SEArrowWidth = B.Add<TEditUpDown>(QStringLiteral("SEArrowWidth"), QString(), 68, 38, 60, 22);
  SEArrowWidth->GetUpDown()->setObjectName(QStringLiteral("UDArrowWidth"));
  LArrowHeight =
      B.Add<QLabel>(QStringLiteral("LArrowHeight"), QStringLiteral("&Height:"), 8, 70, 56, 13);
  SEArrowHeight = B.Add<TEditUpDown>(QStringLiteral("SEArrowHeight"), QString(), 68, 66, 60, 22);
  SEArrowHeight->GetUpDown()->setObjectName(QStringLiteral("UDArrowHeight"));
  for (TEditUpDown* Edit : {SEArrowWidth, SEArrowHeight}) {
    Edit->SetMin(1);
    Edit->SetMax(MaxArrowSize);
  }
  LArrowWidth->setBuddy(SEArrowWidth);
  LArrowHeight->setBuddy(SEArrowHeight);
  SBPercent = B.Add<QScrollBar>(QStringLiteral("SBPercent"), QString(), 8, 100, 120, 17);
  SBPercent->setOrientation(Qt::Horizontal);
  SBPercent->setRange(0, 100);
  LPercent = B.Add<QLabel>(QStringLiteral("LPercent"), QString(), 134, 102, 40, 13);

  BPen = B.Add<TButtonPen>(QStringLiteral("BPen"), QStringLiteral("&Border..."), 192, 8, 96, 25);
  BColor =
      B.Add<TButtonColor>(QStringLiteral("BColor"), QStringLiteral("&Color..."), 192, 38, 96, 25);
  BBrush =
      B.Add<QPushButton>(QStringLiteral("BBrush"), QStringLiteral("&Pattern..."), 192, 68, 96, 25);
}

void TArrowSeriesEditor::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TArrowSeriesEditor::*Handler)()) {
    connect(Control, Signal, this, [this, Handler] {
      if (Editing()) Guarded([this, Handler] { (this->*Handler)(); });
    });
  };
  Wire(CBColorEach, &QCheckBox::toggled, &TArrowSeriesEditor::CBColorEachClick);
  Wire(SEArrowWidth, &QLineEdit::textChanged, &TArrowSeriesEditor::SEArrowWidthChange);
  Wire(SEArrowHeight, &QLineEdit::textChanged, &TArrowSeriesEditor::SEArrowHeightChange);
  Wire(SBPercent, &QScrollBar::valueChanged, &TArrowSeriesEditor::SBPercentChange);
  Wire(BBrush, &QPushButton::clicked, &TArrowSeriesEditor::BBrushClick);
  // The label follows the bar also while the controls are being filled.
  connect(SBPercent, &QScrollBar::valueChanged, this, [this] { ShowPercent(); });
}

void TArrowSeriesEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TArrowSeriesEditor::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

void TArrowSeriesEditor::FormShow() {
  Arrow = dynamic_cast<TArrowSeries*>(KorFormObject(*this));
  LoadControls();
  FShown = true;
}

void TArrowSeriesEditor::LoadControls() {
  if (Arrow == nullptr) return;
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBColorEach->setChecked(Arrow->GetColorEachPoint());
  SEArrowWidth->SetPosition(Arrow->GetArrowWidth());
  SEArrowHeight->SetPosition(Arrow->GetArrowHeight());
  SBPercent->setValue(Arrow->GetArrowPercent());
  ShowPercent();
  BPen->LinkPen(&Arrow->GetPointer().GetPen());
  BColor->LinkProperty(Arrow, QStringLiteral("SeriesColor"));
  BColor->setEnabled(!Arrow->GetColorEachPoint());
}

void TArrowSeriesEditor::ShowPercent() {
  LPercent->setText(QString::number(SBPercent->value()) + QLatin1Char('%'));
}

void TArrowSeriesEditor::CBColorEachClick() {
  const bool Each = CBColorEach->isChecked();
  Arrow->SetColorEachPoint(Each);
  // A pointer colour of its own would hide the points' colours.
  if (Each) Arrow->GetPointer().SetColor(clDefault);
  BColor->setEnabled(!Each);
}

void TArrowSeriesEditor::SEArrowWidthChange() {
  Arrow->SetArrowWidth(SEArrowWidth->GetPosition());
}

void TArrowSeriesEditor::SEArrowHeightChange() {
  Arrow->SetArrowHeight(SEArrowHeight->GetPosition());
}

void TArrowSeriesEditor::SBPercentChange() {
  Arrow->SetArrowPercent(SBPercent->value());
}

void TArrowSeriesEditor::BBrushClick() {
  EditChartBrush(this, Arrow->GetPointer().GetBrush());
}

void RegisterArrowSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TArrowSeriesEditor"),
                     [](QWidget* Parent) { return new TArrowSeriesEditor(Parent); });
}
