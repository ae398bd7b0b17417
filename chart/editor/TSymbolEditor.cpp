#include "chart/editor/TSymbolEditor.h"

#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TButtonPen.h"

#include "chart/core/TChartPen.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TLegendSymbol.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QShowEvent>

namespace {

constexpr int WidthStep = 5;
constexpr int MaxWidth = 1000;

}  // namespace

TSymbolEditor::TSymbolEditor(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("SymbolEditor"));
  setWindowTitle(QStringLiteral("Legend Symbol Editor"));
  BuildControls();
  Connect();
  setFixedSize(300, 150);
}

TSymbolEditor::~TSymbolEditor() = default;

void TSymbolEditor::BuildControls() {
  TFormBuilder B(*this);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Width:"), 8, 12, 76, 13);
  SEColWi = B.Add<TEditUpDown>(QStringLiteral("SEColWi"), QStringLiteral("0"), 88, 8, 56, 22);
  UDColWi = SEColWi->GetUpDown();
  UDColWi->setObjectName(QStringLiteral("UDColWi"));
  UDColWi->SetIncrement(WidthStep);
  SEColWi->SetMin(0);
  SEColWi->SetMax(MaxWidth);
  Label2 = B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("Width &Units:"), 8, 40, 76, 13);
  CBColWUnits = B.Add<QComboBox>(QStringLiteral("CBColWUnits"), QString(), 88, 36, 84, 22);
  CBColWUnits->addItems({QStringLiteral("Percent"), QStringLiteral("Pixels")});
  Label3 = B.Add<QLabel>(QStringLiteral("Label3"), QStringLiteral("&Position:"), 8, 68, 76, 13);
  CBSymbolPos = B.Add<QComboBox>(QStringLiteral("CBSymbolPos"), QString(), 88, 64, 84, 22);
  CBSymbolPos->addItems({QStringLiteral("Left"), QStringLiteral("Right")});
  Label1->setBuddy(SEColWi);
  Label2->setBuddy(CBColWUnits);
  Label3->setBuddy(CBSymbolPos);
  CBContinuous = B.Add<QCheckBox>(QStringLiteral("CBContinuous"), QStringLiteral("&Continuous"),
                                  184, 10, 110, 17);
  CBVisible =
      B.Add<QCheckBox>(QStringLiteral("CBVisible"), QStringLiteral("&Visible"), 184, 32, 110, 17);
  CBSquared =
      B.Add<QCheckBox>(QStringLiteral("CBSquared"), QStringLiteral("&Squared"), 184, 54, 110, 17);
  CBSymPen = B.Add<QCheckBox>(QStringLiteral("CBSymPen"), QStringLiteral("&Default border"), 8, 100,
                              122, 17);
  BSymPen =
      B.Add<TButtonPen>(QStringLiteral("BSymPen"), QStringLiteral("&Border..."), 132, 96, 84, 25);
  BSymGradient = B.Add<TButtonGradient>(QStringLiteral("BSymGradient"),
                                        QStringLiteral("&Gradient..."), 222, 96, 84, 25);
  // The symbol's gradient ends in each series' colour; only its colours
  // are the user's to choose.
  BSymGradient->SetColorsOnly(true);
}

void TSymbolEditor::Connect() {
  connect(SEColWi, &QLineEdit::textChanged, this,
          [this] { RunGuarded([this] { SEColWiChange(); }); });
  connect(CBColWUnits, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBColWUnitsChange(); }); });
  connect(CBSymbolPos, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBSymbolPosChange(); }); });
  connect(CBContinuous, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBContinuousClick(); }); });
  connect(CBVisible, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBVisibleClick(); }); });
  connect(CBSquared, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBSquaredClick(); }); });
  connect(CBSymPen, &QCheckBox::clicked, this, [this] { RunGuarded([this] { CBSymPenClick(); }); });
}

void TSymbolEditor::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  FShown = true;
}

void TSymbolEditor::RefreshSymbol(TLegendSymbol* Symbol) {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  FSymbol = Symbol;
  if (FSymbol == nullptr) return;
  SEColWi->SetPosition(FSymbol->GetWidth());
  CBColWUnits->setCurrentIndex(static_cast<int>(FSymbol->GetWidthUnits()));
  CBSymbolPos->setCurrentIndex(static_cast<int>(FSymbol->GetPosition()));
  CBContinuous->setChecked(FSymbol->GetContinuous());
  CBVisible->setChecked(FSymbol->GetVisible());
  CBSquared->setChecked(FSymbol->GetSquared());
  CBSymPen->setChecked(FSymbol->GetDefaultPen());
  BSymPen->LinkPen(&FSymbol->GetPen());
  BSymGradient->LinkGradient(FSymbol->GetGradient());
  EnableControls();
}

void TSymbolEditor::EnableControls() {
  BSymPen->setEnabled(!CBSymPen->isChecked());
  const bool FreeWidth = !CBSquared->isChecked();
  SEColWi->setEnabled(FreeWidth);
  UDColWi->setEnabled(FreeWidth);
  CBColWUnits->setEnabled(FreeWidth);
}

void TSymbolEditor::SEColWiChange() {
  if (Editing()) FSymbol->SetWidth(SEColWi->GetPosition());
}

void TSymbolEditor::CBColWUnitsChange() {
  if (Editing() && CBColWUnits->currentIndex() >= 0)
    FSymbol->SetWidthUnits(static_cast<TLegendSymbolSize>(CBColWUnits->currentIndex()));
}

void TSymbolEditor::CBSymbolPosChange() {
  if (Editing() && CBSymbolPos->currentIndex() >= 0)
    FSymbol->SetPosition(static_cast<TLegendSymbolPosition>(CBSymbolPos->currentIndex()));
}

void TSymbolEditor::CBContinuousClick() {
  if (Editing()) FSymbol->SetContinuous(CBContinuous->isChecked());
}

void TSymbolEditor::CBVisibleClick() {
  if (Editing()) FSymbol->SetVisible(CBVisible->isChecked());
}

void TSymbolEditor::CBSquaredClick() {
  if (Editing()) FSymbol->SetSquared(CBSquared->isChecked());
  EnableControls();
}

void TSymbolEditor::CBSymPenClick() {
  if (Editing()) FSymbol->SetDefaultPen(CBSymPen->isChecked());
  EnableControls();
}
