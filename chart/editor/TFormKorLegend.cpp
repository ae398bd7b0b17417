#include "chart/editor/TFormKorLegend.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TFormKorShape.h"
#include "chart/editor/TSymbolEditor.h"

#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TLegendSymbol.h"
#include "chart/core/TLegendTitle.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr int CustomStep = 5;

TEditUpDown* AddEdit(QWidget& Parent, const QString& Name, const QString& UpDownName, int Left,
                     int Top, int Min, int Max, int Step = 1) {
  return AddUpDownEdit(Parent, Name, UpDownName, QRect(Left, Top, 56, 22), Min, Max, Step);
}

QLabel* AddLabel(QWidget& Parent, const QString& Name, const QString& Caption, int Left, int Top,
                 QWidget* Buddy, int Width = 100) {
  auto* Label = TFormBuilder::AddTo<QLabel>(Parent, Name, Caption, Left, Top, Width, 16);
  Label->setBuddy(Buddy);
  return Label;
}

// The memo's text as title lines: any line break separates lines, and a
// break at the very end adds no empty line.
QStringList MemoLines(const QString& Text) {
  if (Text.isEmpty()) return {};
  QStringList Lines = Text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  if (Lines.size() > 1 && Lines.last().isEmpty()) Lines.removeLast();
  return Lines;
}

int AlignmentIndex(TAlignment Value) {
  switch (Value) {
    case taLeftJustify: return 0;
    case taCenter: return 1;
    case taRightJustify: return 2;
  }
  return 1;
}

TAlignment IndexAlignment(int Index) {
  if (Index == 0) return taLeftJustify;
  return Index == 2 ? taRightJustify : taCenter;
}

}  // namespace

TFormKorLegend::TFormKorLegend(QWidget* Owner, TChartLegend& Legend)
    : QDialog(Owner), FLegend(&Legend) {
  FUpdating = true;
  setObjectName(QStringLiteral("FormKorLegend"));
  BuildControls();
  LegendShapeForm = InsertKorObjectForm(*PageControl1, FLegend);
  TitleShapeForm = InsertKorObjectForm(*PageControlTitle, &FLegend->GetTitle());
  Connect();
  resize(400, 260);
  RefreshControls();
}

TFormKorLegend::~TFormKorLegend() = default;

template <class Edit>
void TFormKorLegend::Apply(Edit&& EditBody) {
  if (FUpdating) return;
  KorGuardedEdit(std::forward<Edit>(EditBody), [this] { RefreshControls(); });
}

void TFormKorLegend::BuildControls() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(PageControl1);
  TabStyle = AddNamedTab(*PageControl1, QStringLiteral("TabStyle"), QStringLiteral("Style"));
  TabPosition =
      AddNamedTab(*PageControl1, QStringLiteral("TabPosition"), QStringLiteral("Position"));
  TabSymbols = AddNamedTab(*PageControl1, QStringLiteral("TabSymbols"), QStringLiteral("Symbols"));
  TabTitle = AddNamedTab(*PageControl1, QStringLiteral("TabTitle"), QStringLiteral("Title"));
  BuildStyleTab();
  BuildPositionTab();
  SymbolEditor = new TSymbolEditor(TabSymbols);
  AddFormTo(*SymbolEditor, *TabSymbols, &FLegend->GetSymbol());
  BuildTitleTab();
}

void TFormKorLegend::BuildStyleTab() {
  QWidget& T = *TabStyle;
  CBShow = TFormBuilder::AddTo<QCheckBox>(T, QStringLiteral("CBShow"), QStringLiteral("&Visible"),
                                          8, 8, 130, 17);
  CBInverted = TFormBuilder::AddTo<QCheckBox>(T, QStringLiteral("CBInverted"),
                                              QStringLiteral("&Inverted"), 8, 30, 130, 17);
  CBFontColor = TFormBuilder::AddTo<QCheckBox>(
      T, QStringLiteral("CBFontColor"), QStringLiteral("&Font Series Color"), 8, 52, 130, 17);
  CBLegendStyle = TFormBuilder::AddTo<QComboBox>(T, QStringLiteral("CBLegendStyle"), QString(), 250,
                                                 6, 120, 22);
  CBLegendStyle->addItems({QStringLiteral("Automatic"), QStringLiteral("Series Names"),
                           QStringLiteral("Series Values"), QStringLiteral("Last Values")});
  AddLabel(T, QStringLiteral("Label1"), QStringLiteral("Legend &Style:"), 150, 10, CBLegendStyle);
  CBLegStyle =
      TFormBuilder::AddTo<QComboBox>(T, QStringLiteral("CBLegStyle"), QString(), 250, 34, 120, 22);
  CBLegStyle->addItems({QStringLiteral("Plain"), QStringLiteral("Left Value"),
                        QStringLiteral("Right Value"), QStringLiteral("Left Percent"),
                        QStringLiteral("Right Percent"), QStringLiteral("X Value"),
                        QStringLiteral("Value"), QStringLiteral("Percent"),
                        QStringLiteral("X and Value"), QStringLiteral("X and Percent")});
  AddLabel(T, QStringLiteral("Label2"), QStringLiteral("Text St&yle:"), 150, 38, CBLegStyle);
  BDivLines = TFormBuilder::AddTo<TButtonPen>(T, QStringLiteral("BDivLines"),
                                              QStringLiteral("&Dividing Lines..."), 8, 80, 120, 25);
  EVertSpacing = AddEdit(T, QStringLiteral("EVertSpacing"), QStringLiteral("UDVertSpacing"), 250,
                         62, -10, 100);
  UDVertSpacing = EVertSpacing->GetUpDown();
  AddLabel(T, QStringLiteral("Label3"), QStringLiteral("Vert. Spacing:"), 150, 66, EVertSpacing);
  CBCheckBoxes = TFormBuilder::AddTo<QComboBox>(T, QStringLiteral("CBCheckBoxes"), QString(), 250,
                                                90, 120, 22);
  CBCheckBoxes->addItems({QStringLiteral("No check boxes"), QStringLiteral("Check boxes"),
                          QStringLiteral("Radio buttons")});
}

void TFormKorLegend::BuildPositionTab() {
  QWidget& T = *TabPosition;
  RGPosition = new TRadioGroup(QStringLiteral("Position"), &T);
  RGPosition->setObjectName(QStringLiteral("RGPosition"));
  RGPosition->setGeometry(8, 4, 130, 110);
  RGPosition->SetItems({QStringLiteral("&Left"), QStringLiteral("&Right"), QStringLiteral("&Top"),
                        QStringLiteral("&Bottom")});
  CBResizeChart = TFormBuilder::AddTo<QCheckBox>(T, QStringLiteral("CBResizeChart"),
                                                 QStringLiteral("Resi&ze Chart"), 150, 8, 130, 17);
  SETopPos = AddEdit(T, QStringLiteral("SETopPos"), QStringLiteral("UDTopPos"), 300, 30, -100, 100);
  AddLabel(T, QStringLiteral("Label4"), QStringLiteral("&Position Offset %:"), 150, 34, SETopPos,
           140);
  SEMargin =
      AddEdit(T, QStringLiteral("SEMargin"), QStringLiteral("UDMargin"), 300, 58, -1000, 1000);
  AddLabel(T, QStringLiteral("Label5"), QStringLiteral("&Margin:"), 150, 62, SEMargin);
  CBCustPos = TFormBuilder::AddTo<QCheckBox>(T, QStringLiteral("CBCustPos"),
                                             QStringLiteral("&Custom:"), 8, 124, 80, 17);
  ECustLeft = AddEdit(T, QStringLiteral("ECustLeft"), QStringLiteral("UDCustLeft"), 134, 120, -100,
                      1000, CustomStep);
  UDCustLeft = ECustLeft->GetUpDown();
  AddLabel(T, QStringLiteral("Label6"), QStringLiteral("Left:"), 96, 124, ECustLeft, 34);
  ECustTop = AddEdit(T, QStringLiteral("ECustTop"), QStringLiteral("UDCustTop"), 240, 120, -100,
                     1000, CustomStep);
  UDCustTop = ECustTop->GetUpDown();
  AddLabel(T, QStringLiteral("Label7"), QStringLiteral("Top:"), 202, 124, ECustTop, 34);
  CBPosPercent = TFormBuilder::AddTo<QCheckBox>(T, QStringLiteral("CBPosPercent"),
                                                QStringLiteral("Percent"), 300, 124, 80, 17);
}

void TFormKorLegend::BuildTitleTab() {
  PageControlTitle = new QTabWidget(TabTitle);
  PageControlTitle->setObjectName(QStringLiteral("PageControlTitle"));
  auto* Layout = new QVBoxLayout(TabTitle);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(PageControlTitle);
  TabTitleOptions = new QWidget;
  TabTitleOptions->setObjectName(QStringLiteral("TabTitleOptions"));
  PageControlTitle->addTab(TabTitleOptions, QStringLiteral("Options"));
  QWidget& T = *TabTitleOptions;
  MemoText =
      TFormBuilder::AddTo<QPlainTextEdit>(T, QStringLiteral("MemoText"), QString(), 8, 8, 220, 150);
  CBTitleVisible = TFormBuilder::AddTo<QCheckBox>(T, QStringLiteral("CBTitleVisible"),
                                                  QStringLiteral("&Visible"), 240, 8, 100, 17);
  CBTextAlign =
      TFormBuilder::AddTo<QComboBox>(T, QStringLiteral("CBTextAlign"), QString(), 240, 56, 100, 22);
  CBTextAlign->addItems(
      {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
  AddLabel(T, QStringLiteral("Label8"), QStringLiteral("&Alignment:"), 240, 36, CBTextAlign);
}

void TFormKorLegend::Connect() {
  auto Clicked = [this](QCheckBox* Box, void (TFormKorLegend::*Handler)()) {
    connect(Box, &QCheckBox::clicked, this, [this, Handler] { (this->*Handler)(); });
  };
  auto Chosen = [this](QComboBox* Box, void (TFormKorLegend::*Handler)()) {
    connect(Box, &QComboBox::activated, this, [this, Handler] { (this->*Handler)(); });
  };
  auto Typed = [this](TEditUpDown* Edit, void (TFormKorLegend::*Handler)()) {
    connect(Edit, &QLineEdit::textChanged, this, [this, Handler] { (this->*Handler)(); });
  };
  Clicked(CBShow, &TFormKorLegend::CBShowClick);
  Clicked(CBInverted, &TFormKorLegend::CBInvertedClick);
  Clicked(CBFontColor, &TFormKorLegend::CBFontColorClick);
  Chosen(CBLegendStyle, &TFormKorLegend::CBLegendStyleChange);
  Chosen(CBLegStyle, &TFormKorLegend::CBLegStyleChange);
  Typed(EVertSpacing, &TFormKorLegend::EVertSpacingChange);
  Chosen(CBCheckBoxes, &TFormKorLegend::CBCheckBoxesChange);
  RGPosition->OnClick = [this](TRadioGroup*) { RGPositionClick(); };
  Clicked(CBResizeChart, &TFormKorLegend::CBResizeChartClick);
  Typed(SETopPos, &TFormKorLegend::SETopPosChange);
  Typed(SEMargin, &TFormKorLegend::SEMarginChange);
  Clicked(CBCustPos, &TFormKorLegend::CBCustPosClick);
  Typed(ECustLeft, &TFormKorLegend::ECustLeftChange);
  Typed(ECustTop, &TFormKorLegend::ECustTopChange);
  Clicked(CBPosPercent, &TFormKorLegend::CBPosPercentClick);
  connect(MemoText, &QPlainTextEdit::textChanged, this, [this] { MemoTextChange(); });
  Chosen(CBTextAlign, &TFormKorLegend::CBTextAlignChange);
  Clicked(CBTitleVisible, &TFormKorLegend::CBTitleVisibleClick);
}

void TFormKorLegend::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  RunGuarded([this] { RefreshControls(); });
}

void TFormKorLegend::RefreshControls() {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  TChartLegend& L = *FLegend;
  CBShow->setChecked(L.GetVisible());
  CBInverted->setChecked(L.GetInverted());
  CBFontColor->setChecked(L.GetFontSeriesColor());
  CBLegendStyle->setCurrentIndex(static_cast<int>(L.GetLegendStyle()));
  CBLegStyle->setCurrentIndex(static_cast<int>(L.GetTextStyle()));
  BDivLines->LinkPen(&L.GetDividingLines());
  EVertSpacing->SetPosition(L.GetVertSpacing());
  if (!L.GetCheckBoxes())
    CBCheckBoxes->setCurrentIndex(0);
  else
    CBCheckBoxes->setCurrentIndex(L.GetCheckBoxesStyle() == cbsRadio ? 2 : 1);
  RGPosition->SetItemIndex(static_cast<int>(L.GetAlignment()));
  CBResizeChart->setChecked(L.GetResizeChart());
  SETopPos->SetPosition(L.GetTopPos());
  SEMargin->SetPosition(L.GetVertical() ? L.GetHorizMargin() : L.GetVertMargin());
  CBCustPos->setChecked(L.GetCustomPosition());
  CBPosPercent->setChecked(L.GetPositionUnits() == muPercent);
  ShowCustomPosition();
  EnableCustomPosition();
  SymbolEditor->RefreshSymbol(&L.GetSymbol());
  MemoText->setPlainText(L.GetTitle().GetText().join(QLatin1Char('\n')));
  CBTextAlign->setCurrentIndex(AlignmentIndex(L.GetTitle().GetTextAlignment()));
  CBTitleVisible->setChecked(L.GetTitle().GetVisible());
  LegendShapeForm->RefreshControls(FLegend);
  TitleShapeForm->RefreshControls(&L.GetTitle());
}

void TFormKorLegend::ShowCustomPosition() {
  const bool Percent = FLegend->GetPositionUnits() == muPercent;
  ECustLeft->SetPosition(Percent ? FLegend->GetLeftPercent() : FLegend->GetLeft());
  ECustTop->SetPosition(Percent ? FLegend->GetTopPercent() : FLegend->GetTop());
}

void TFormKorLegend::EnableCustomPosition() {
  const bool Custom = CBCustPos->isChecked();
  for (QWidget* Control : {static_cast<QWidget*>(ECustLeft), static_cast<QWidget*>(UDCustLeft),
                           static_cast<QWidget*>(ECustTop), static_cast<QWidget*>(UDCustTop),
                           static_cast<QWidget*>(CBPosPercent)})
    Control->setEnabled(Custom);
  for (QWidget* Control : {static_cast<QWidget*>(CBResizeChart), static_cast<QWidget*>(SEMargin),
                           static_cast<QWidget*>(SETopPos)})
    Control->setEnabled(!Custom);
}

void TFormKorLegend::CBShowClick() {
  Apply([this] { FLegend->SetVisible(CBShow->isChecked()); });
}

void TFormKorLegend::CBInvertedClick() {
  Apply([this] { FLegend->SetInverted(CBInverted->isChecked()); });
}

void TFormKorLegend::CBFontColorClick() {
  Apply([this] { FLegend->SetFontSeriesColor(CBFontColor->isChecked()); });
}

void TFormKorLegend::CBLegendStyleChange() {
  Apply([this] {
    if (CBLegendStyle->currentIndex() >= 0)
      FLegend->SetLegendStyle(static_cast<TLegendStyle>(CBLegendStyle->currentIndex()));
  });
}

void TFormKorLegend::CBLegStyleChange() {
  Apply([this] {
    if (CBLegStyle->currentIndex() >= 0)
      FLegend->SetTextStyle(static_cast<TLegendTextStyle>(CBLegStyle->currentIndex()));
  });
}

void TFormKorLegend::EVertSpacingChange() {
  Apply([this] {
    int Value = 0;
    if (KorTypedInt(*EVertSpacing, Value)) FLegend->SetVertSpacing(Value);
  });
}

void TFormKorLegend::CBCheckBoxesChange() {
  Apply([this] {
    const int Index = CBCheckBoxes->currentIndex();
    FLegend->SetCheckBoxes(Index > 0);
    if (Index != 0) {
      FLegend->SetCheckBoxesStyle(Index == 1 ? cbsCheck : cbsRadio);
      return;
    }
    // Without check boxes the style rests at radio buttons, but switching
    // them off must not switch series off as choosing radio buttons does.
    TCustomChart& Chart = FLegend->GetChart();
    std::vector<bool> Active;
    for (int i = 0; i < Chart.SeriesCount(); ++i) Active.push_back(Chart.GetSeries(i)->GetActive());
    FLegend->SetCheckBoxesStyle(cbsRadio);
    for (int i = 0; i < Chart.SeriesCount() && i < static_cast<int>(Active.size()); ++i)
      Chart.GetSeries(i)->SetActive(Active[i]);
  });
}

void TFormKorLegend::RGPositionClick() {
  Apply([this] {
    if (RGPosition->GetItemIndex() >= 0)
      FLegend->SetAlignment(static_cast<TLegendAlignment>(RGPosition->GetItemIndex()));
  });
}

void TFormKorLegend::CBResizeChartClick() {
  Apply([this] { FLegend->SetResizeChart(CBResizeChart->isChecked()); });
}

void TFormKorLegend::SETopPosChange() {
  Apply([this] {
    int Value = 0;
    if (KorTypedInt(*SETopPos, Value)) FLegend->SetTopPos(Value);
  });
}

void TFormKorLegend::SEMarginChange() {
  Apply([this] {
    int Value = 0;
    if (!KorTypedInt(*SEMargin, Value)) return;
    if (FLegend->GetVertical())
      FLegend->SetHorizMargin(Value);
    else
      FLegend->SetVertMargin(Value);
  });
}

void TFormKorLegend::CBCustPosClick() {
  Apply([this] {
    const bool Custom = CBCustPos->isChecked();
    FLegend->SetCustomPosition(Custom);
    if (Custom) {
      FLegend->SetResizeChart(false);
      CBResizeChart->setChecked(false);
    }
    EnableCustomPosition();
  });
}

void TFormKorLegend::ECustLeftChange() {
  Apply([this] {
    int Value = 0;
    if (!CBCustPos->isChecked() || !KorTypedInt(*ECustLeft, Value)) return;
    if (FLegend->GetPositionUnits() == muPercent)
      FLegend->SetLeftPercent(Value);
    else
      FLegend->SetLeft(Value);
  });
}

void TFormKorLegend::ECustTopChange() {
  Apply([this] {
    int Value = 0;
    if (!CBCustPos->isChecked() || !KorTypedInt(*ECustTop, Value)) return;
    if (FLegend->GetPositionUnits() == muPercent)
      FLegend->SetTopPercent(Value);
    else
      FLegend->SetTop(Value);
  });
}

void TFormKorLegend::CBPosPercentClick() {
  Apply([this] {
    FLegend->SetPositionUnits(CBPosPercent->isChecked() ? muPercent : muPixels);
    FUpdating = true;
    TScopeGuard Updated([this] { FUpdating = false; });
    ShowCustomPosition();
  });
}

void TFormKorLegend::MemoTextChange() {
  Apply([this] { FLegend->GetTitle().SetText(MemoLines(MemoText->toPlainText())); });
}

void TFormKorLegend::CBTextAlignChange() {
  Apply([this] {
    FLegend->GetTitle().SetTextAlignment(IndexAlignment(CBTextAlign->currentIndex()));
  });
}

void TFormKorLegend::CBTitleVisibleClick() {
  Apply([this] { FLegend->GetTitle().SetVisible(CBTitleVisible->isChecked()); });
}

void RegisterLegendEditorPage() {
  ChartEditorPages().Register(
      QStringLiteral("TabLegend"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        if (Editor.GetChart() == nullptr) return nullptr;
        auto* Form = new TFormKorLegend(&Page, Editor.GetChart()->GetLegend());
        Form->setWindowFlags(Qt::Widget);
        return Form;
      },
      TPageSizing::psAhead);
}
