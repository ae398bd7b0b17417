#include "chart/editor/TChartShapeEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TKorFontEditor.h"

#include "chart/core/Korconst.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorGradient.h"
#include "chart/series/TChartShape.h"

#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The radio items in the order shown, and what each one sets (the
// enumeration orders left, right, centre).
constexpr TAlignment HorizAlignments[] = {taLeftJustify, taCenter, taRightJustify};
constexpr TKorVertAlign VertAlignments[] = {vaTop, vaCenter, vaBottom};

int HorizAlignIndex(TAlignment Value) {
  for (int i = 0; i < 3; ++i)
    if (HorizAlignments[i] == Value) return i;
  return 1;
}

// The memo's text as lines: any line break separates lines, and a break at
// the very end adds no empty line.
QStringList MemoLines(const QString& Text) {
  if (Text.isEmpty()) return {};
  QStringList Lines = Text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  if (Lines.size() > 1 && Lines.last().isEmpty()) Lines.removeLast();
  return Lines;
}

bool IsRectangleStyle(int Index) {
  return Index == static_cast<int>(chasRectangle);
}

}  // namespace

TChartShapeEditor::TChartShapeEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("ChartShapeEditor"));
  BuildControls();
  Connect();
}

void TChartShapeEditor::BuildControls() {
  resize(430, 290);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(PageControl1);
  TabStyle = AddNamedTab(*PageControl1, QStringLiteral("TabStyle"), QStringLiteral("Style"));
  TabPosition =
      AddNamedTab(*PageControl1, QStringLiteral("TabPosition"), QStringLiteral("Position"));
  TabText = AddNamedTab(*PageControl1, QStringLiteral("TabText"), Korconst::KorMsg_Text);
  BuildStyleTab();
  BuildPositionTab();
  FontEditor = InsertKorFontEditor(*TabText);
}

void TChartShapeEditor::BuildStyleTab() {
  QWidget& Tab = *TabStyle;
  using B = TFormBuilder;
  CBStyle = B::AddTo<QComboBox>(Tab, QStringLiteral("CBStyle"), QString(), 8, 8, 130, 22);
  CBStyle->addItems(
      {QStringLiteral("Rectangle"), QStringLiteral("Circle"), QStringLiteral("Vertical Line"),
       QStringLiteral("Horiz. Line"), QStringLiteral("Triangle"),
       QStringLiteral("Invert. Triangle"), QStringLiteral("Line"), QStringLiteral("Diamond"),
       QStringLiteral("Cube"), QStringLiteral("Cross"), QStringLiteral("Diagonal Cross"),
       QStringLiteral("Star"), QStringLiteral("Pyramid"), QStringLiteral("Invert. Pyramid")});
  BShapeColor = B::AddTo<TButtonColor>(Tab, QStringLiteral("BShapeColor"),
                                       QStringLiteral("&Color..."), 8, 40, 130, 25);
  BShapePen = B::AddTo<TButtonPen>(Tab, QStringLiteral("BShapePen"), QStringLiteral("Bor&der..."),
                                   8, 70, 130, 25);
  BShapeBrush = B::AddTo<QPushButton>(Tab, QStringLiteral("BShapeBrush"),
                                      QStringLiteral("&Pattern..."), 8, 100, 130, 25);
  BGradient = B::AddTo<TButtonGradient>(Tab, QStringLiteral("BGradient"),
                                        QStringLiteral("&Gradient..."), 8, 130, 130, 25);
  CBTrans = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBTrans"), QStringLiteral("Tra&nsparent"), 8,
                                166, 140, 17);
  CBRound = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBRound"), QStringLiteral("&Round Rectangle"),
                                8, 188, 140, 17);
  MemoText = B::AddTo<QPlainTextEdit>(Tab, QStringLiteral("MemoText"), QString(), 150, 8, 268, 96);
  RGAlign = new TRadioGroup(QStringLiteral("&Horiz. Alignment"), &Tab);
  RGAlign->setObjectName(QStringLiteral("RGAlign"));
  RGAlign->SetItems({QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
  RGAlign->setGeometry(150, 112, 130, 96);
  RGVertAlign = new TRadioGroup(QStringLiteral("&Alignment"), &Tab);
  RGVertAlign->setObjectName(QStringLiteral("RGVertAlign"));
  RGVertAlign->SetItems(
      {QStringLiteral("Top"), QStringLiteral("Center"), QStringLiteral("Bottom")});
  RGVertAlign->setGeometry(288, 112, 130, 96);
}

void TChartShapeEditor::BuildPositionTab() {
  QWidget& Tab = *TabPosition;
  using B = TFormBuilder;
  const auto AddCorner = [&Tab](const QString& Name, const QString& LabelName,
                                const QString& Caption, int Top, QLabel*& Label) {
    auto* Edit = B::AddTo<QLineEdit>(Tab, Name, QString(), 56, Top, 110, 22);
    Label = B::AddTo<QLabel>(Tab, LabelName, Caption, 8, Top + 4, 44, 16);
    Label->setBuddy(Edit);
    return Edit;
  };
  SEX0 = AddCorner(QStringLiteral("SEX0"), QStringLiteral("LabelX0"), QStringLiteral("X&0:"), 8,
                   LabelX0);
  SEY0 = AddCorner(QStringLiteral("SEY0"), QStringLiteral("LabelY0"), QStringLiteral("Y0:"), 36,
                   LabelY0);
  SEX1 = AddCorner(QStringLiteral("SEX1"), QStringLiteral("LabelX1"), QStringLiteral("X&1:"), 64,
                   LabelX1);
  SEY1 = AddCorner(QStringLiteral("SEY1"), QStringLiteral("LabelY1"), QStringLiteral("Y1:"), 92,
                   LabelY1);
  CBUnits = B::AddTo<QComboBox>(Tab, QStringLiteral("CBUnits"), QString(), 56, 128, 110, 22);
  CBUnits->addItems(
      {QStringLiteral("Pixels"), QStringLiteral("Axis"), QStringLiteral("Axis Origin")});
  LabelUnits = B::AddTo<QLabel>(Tab, QStringLiteral("LabelUnits"), QStringLiteral("&Units:"), 8,
                                132, 44, 16);
  LabelUnits->setBuddy(CBUnits);
}

void TChartShapeEditor::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TChartShapeEditor::*Handler)()) {
    connect(Control, Signal, this,
            [this, Handler] { Apply([this, Handler] { (this->*Handler)(); }); });
  };
  Wire(CBStyle, &QComboBox::currentIndexChanged, &TChartShapeEditor::CBStyleChange);
  Wire(CBTrans, &QCheckBox::toggled, &TChartShapeEditor::CBTransClick);
  Wire(BShapeBrush, &QPushButton::clicked, &TChartShapeEditor::BShapeBrushClick);
  Wire(MemoText, &QPlainTextEdit::textChanged, &TChartShapeEditor::MemoTextChange);
  Wire(CBRound, &QCheckBox::toggled, &TChartShapeEditor::CBRoundClick);
  Wire(SEX0, &QLineEdit::textChanged, &TChartShapeEditor::SEX0Change);
  Wire(SEY0, &QLineEdit::textChanged, &TChartShapeEditor::SEY0Change);
  Wire(SEX1, &QLineEdit::textChanged, &TChartShapeEditor::SEX1Change);
  Wire(SEY1, &QLineEdit::textChanged, &TChartShapeEditor::SEY1Change);
  Wire(CBUnits, &QComboBox::currentIndexChanged, &TChartShapeEditor::CBUnitsChange);
  RGAlign->OnClick = [this](TRadioGroup*) { Apply([this] { RGAlignClick(); }); };
  RGVertAlign->OnClick = [this](TRadioGroup*) { Apply([this] { RGVertAlignClick(); }); };
}

void TChartShapeEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TChartShapeEditor::Apply(const std::function<void()>& Body) {
  if (FUpdating || FShape == nullptr) return;
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

void TChartShapeEditor::FormShow() {
  FShape = dynamic_cast<TChartShape*>(KorFormObject(*this));
  if (FShape != nullptr) LoadControls();
}

void TChartShapeEditor::LoadControls() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBStyle->setCurrentIndex(static_cast<int>(FShape->GetStyle()));
  BShapeColor->LinkProperty(FShape, QStringLiteral("SeriesColor"));
  BShapePen->LinkPen(&FShape->GetPen());
  BGradient->LinkGradient(&FShape->GetGradient());
  CBTrans->setChecked(FShape->GetTransparent());
  CBRound->setChecked(FShape->GetRoundRectangle());
  const TCustomAxisPanel* Chart = FShape->GetParentChart();
  CBRound->setEnabled(FShape->GetStyle() == chasRectangle &&
                      (Chart == nullptr || !Chart->GetView3D()));
  MemoText->setPlainText(FShape->GetText().join(QLatin1Char('\n')));
  RGAlign->SetItemIndex(HorizAlignIndex(FShape->GetAlignment()));
  RGVertAlign->SetItemIndex(static_cast<int>(FShape->GetVertAlign()));
  ShowCorners();
  CBUnits->setCurrentIndex(static_cast<int>(FShape->GetXYStyle()));
  FontEditor->RefreshControls(&FShape->GetFont());
}

void TChartShapeEditor::ShowCorners(const QLineEdit* Except) {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  // Fewer or more points than the two corners: the getters would answer
  // made-up defaults.
  const bool HasCorners = FShape->Count() == 2;
  const auto Show = [&](QLineEdit* Edit, double Value) {
    if (Edit != Except) Edit->setText(HasCorners ? FloatToStr(Value) : QString());
  };
  Show(SEX0, FShape->GetX0());
  Show(SEY0, FShape->GetY0());
  Show(SEX1, FShape->GetX1());
  Show(SEY1, FShape->GetY1());
}

void TChartShapeEditor::CornerChange(QLineEdit& Edit, void (TChartShape::*Set)(double)) {
  double Value = 0;
  if (!TryStrToFloat(Edit.text().trimmed(), Value)) return;
  const bool HadCorners = FShape->Count() == 2;
  (FShape->*Set)(Value);
  // Setting a corner of a shape without its two points puts them back.
  if (!HadCorners) ShowCorners(&Edit);
}

void TChartShapeEditor::SEX0Change() {
  CornerChange(*SEX0, &TChartShape::SetX0);
}

void TChartShapeEditor::SEY0Change() {
  CornerChange(*SEY0, &TChartShape::SetY0);
}

void TChartShapeEditor::SEX1Change() {
  CornerChange(*SEX1, &TChartShape::SetX1);
}

void TChartShapeEditor::SEY1Change() {
  CornerChange(*SEY1, &TChartShape::SetY1);
}

void TChartShapeEditor::CBStyleChange() {
  if (CBStyle->currentIndex() < 0) return;
  FShape->SetStyle(static_cast<TChartShapeStyle>(CBStyle->currentIndex()));
  CBRound->setEnabled(IsRectangleStyle(CBStyle->currentIndex()));
}

void TChartShapeEditor::CBTransClick() {
  FShape->SetTransparent(CBTrans->isChecked());
}

void TChartShapeEditor::BShapeBrushClick() {
  EditChartBrush(this, FShape->GetBrush());
}

void TChartShapeEditor::MemoTextChange() {
  FShape->SetText(MemoLines(MemoText->toPlainText()));
}

void TChartShapeEditor::RGAlignClick() {
  const int Index = RGAlign->GetItemIndex();
  if (Index >= 0 && Index < 3) FShape->SetAlignment(HorizAlignments[Index]);
}

void TChartShapeEditor::RGVertAlignClick() {
  const int Index = RGVertAlign->GetItemIndex();
  if (Index >= 0 && Index < 3) FShape->SetVertAlign(VertAlignments[Index]);
}

void TChartShapeEditor::CBRoundClick() {
  FShape->SetRoundRectangle(CBRound->isChecked());
}

void TChartShapeEditor::CBUnitsChange() {
  if (CBUnits->currentIndex() >= 0)
    FShape->SetXYStyle(static_cast<TChartShapeXYStyle>(CBUnits->currentIndex()));
}

void RegisterChartShapeEditor() {
  RegisterEditorForm(QStringLiteral("TChartShapeEditor"),
                     [](QWidget* Parent) { return new TChartShapeEditor(Parent); });
}
