#include "chart/editor/TFormKorAxis.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TAxisIncrement.h"
#include "chart/editor/TAxisMaxMin.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TFormatEditor.h"
#include "chart/editor/TKorFontEditor.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TAxisGridPen.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisPen.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TCustomChart.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TDateTime.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

#include <cmath>

namespace {

constexpr int FormWidth = 480;
constexpr int FormHeight = 262;
constexpr int ListWidth = 100;
// Rows of the axis list before the custom axes.
constexpr int StandardAxisCount = 6;

const QString DefaultValuesFormat = QStringLiteral("#,##0.###");

// The base of natural logarithms, as the "e" box sets it. A base typed as
// text cannot hold every digit of e, so "is e" allows the last digits of a
// 15-digit text to differ.
const double BaseE = std::exp(1.0);
bool IsBaseE(double Base) {
  return std::abs(Base - BaseE) < 1e-13;
}

int Rounded(double Value) {
  return static_cast<int>(std::lround(Value));
}

// Swaps the canonical separators of a number format ("," thousands, "."
// decimals) for the user's, or back when ToLocal is false.
QString ConvertSeparators(const QString& Format, bool ToLocal) {
  const FormatSettings& S = CurrentFormatSettings();
  const QChar FromDecimal = ToLocal ? QChar(u'.') : S.DecimalSeparator;
  const QChar FromThousand = ToLocal ? QChar(u',') : S.ThousandSeparator;
  const QChar ToDecimal = ToLocal ? S.DecimalSeparator : QChar(u'.');
  const QChar ToThousand = ToLocal ? S.ThousandSeparator : QChar(u',');
  QString Result = Format;
  for (QChar& C : Result) {
    if (C == FromDecimal)
      C = ToDecimal;
    else if (C == FromThousand)
      C = ToThousand;
  }
  return Result;
}

TEditUpDown* AddUpDown(QWidget& Parent, const QString& Name, int Left, int Top, int Min, int Max,
                       int Step = 1) {
  return AddUpDownEdit(Parent, Name, QStringLiteral("UD") + Name, QRect(Left, Top, 56, 21), Min,
                       Max, Step);
}

QLabel* AddLabel(QWidget& Parent, const QString& Name, const QString& Caption, int Left, int Top,
                 QWidget* Buddy) {
  auto* Label = TFormBuilder::AddTo<QLabel>(Parent, Name, Caption, Left, Top, 0, 13);
  Label->setBuddy(Buddy);
  return Label;
}

}  // namespace

void KorAddAxes(const TCustomAxisPanel* Chart, QStringList& Items, bool WithDepth) {
  Items << Korconst::KorMsg_LeftAxis << Korconst::KorMsg_RightAxis << Korconst::KorMsg_TopAxis
        << Korconst::KorMsg_BottomAxis;
  if (WithDepth) Items << Korconst::KorMsg_DepthAxis << Korconst::KorMsg_DepthTopAxis;
  if (Chart == nullptr) return;
  for (int I = StandardAxisCount; I < Chart->GetAxesList().Count(); ++I)
    Items << QStringLiteral("Custom ") + QString::number(I - StandardAxisCount);
}

TFormKorAxis::TFormKorAxis(QWidget* Owner, TChartAxis* Axis) : QDialog(Owner), FAxis(Axis) {
  setObjectName(QStringLiteral("FormKorAxis"));
  BuildControls();
  Connect();
  setFixedSize(FormWidth, FormHeight);
}

TFormKorAxis::~TFormKorAxis() {
  // An outer editor may have taken the tab control into its own window;
  // it is ours to free.
  if (PageControl1 != nullptr && PageControl1->parent() != this) PageControl1->setParent(this);
}

// ------------------------------------------------------------ building

void TFormKorAxis::BuildControls() {
  BuildList();
  PageControl1 =
      TFormBuilder::AddTo<QTabWidget>(*this, QStringLiteral("PageControl1"), QString(),
                                      ListWidth + 4, 0, FormWidth - ListWidth - 4, FormHeight);
  TabScales = AddNamedTab(*PageControl1, QStringLiteral("TabScales"), QStringLiteral("Scales"));
  TabTitle = AddNamedTab(*PageControl1, QStringLiteral("TabTitle"), QStringLiteral("Title"));
  TabLabels = AddNamedTab(*PageControl1, QStringLiteral("TabLabels"), QStringLiteral("Labels"));
  TabTicks = AddNamedTab(*PageControl1, QStringLiteral("TabTicks"), QStringLiteral("Ticks"));
  TabMinor = AddNamedTab(*PageControl1, QStringLiteral("TabMinor"), QStringLiteral("Minor"));
  TabPosition =
      AddNamedTab(*PageControl1, QStringLiteral("TabPosition"), QStringLiteral("Position"));
  BuildScalesTab();
  BuildTitleTab();
  BuildLabelsTab();
  BuildTicksTab();
  BuildMinorTab();
  BuildPositionTab();
}

void TFormKorAxis::BuildList() {
  using B = TFormBuilder;
  LAxes = B::AddTo<QLabel>(*this, QStringLiteral("LAxes"), QStringLiteral("A&xes:"), 4, 6, 0, 13);
  LBAxes =
      B::AddTo<QListWidget>(*this, QStringLiteral("LBAxes"), QString(), 4, 22, ListWidth - 4, 150);
  LAxes->setBuddy(LBAxes);
  BAdd = B::AddTo<QPushButton>(*this, QStringLiteral("BAdd"), QStringLiteral("+"), 4, 176, 28, 23);
  BDelete =
      B::AddTo<QPushButton>(*this, QStringLiteral("BDelete"), QStringLiteral("-"), 36, 176, 28, 23);
  CBShow = B::AddTo<QCheckBox>(*this, QStringLiteral("CBShow"), QStringLiteral("Visible"), 4, 210,
                               0, 17);
  CBAxisBeh = B::AddTo<QCheckBox>(*this, QStringLiteral("CBAxisBeh"), QStringLiteral("&Behind"), 4,
                                  232, 0, 17);
}

void TFormKorAxis::BuildScalesTab() {
  using B = TFormBuilder;
  QWidget& Tab = *TabScales;
  CBVisible = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBVisible"), QStringLiteral("&Visible"), 8,
                                  8, 0, 17);
  CBAutomatic = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBAutomatic"),
                                    QStringLiteral("&Automatic"), 8, 30, 0, 17);
  CBInverted = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBInverted"), QStringLiteral("&Inverted"),
                                   8, 52, 0, 17);
  BIncre = B::AddTo<QPushButton>(Tab, QStringLiteral("BIncre"), QStringLiteral("&Change..."), 8, 78,
                                 75, 25);
  LIncre = B::AddTo<QLabel>(Tab, QStringLiteral("LIncre"), QStringLiteral("(increment)"), 8, 108,
                            140, 13);
  CBLogarithmic = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBLogarithmic"),
                                      QStringLiteral("Logarith&mic"), 8, 132, 0, 17);
  ELogBase = B::AddTo<QLineEdit>(Tab, QStringLiteral("ELogBase"), QString(), 84, 156, 50, 21);
  LLogBase =
      AddLabel(Tab, QStringLiteral("LLogBase"), QStringLiteral("L&og Base:"), 8, 160, ELogBase);
  LogE = B::AddTo<QCheckBox>(Tab, QStringLiteral("LogE"), QStringLiteral("e"), 140, 158, 0, 17);

  const auto Limit = [&](const QString& Suffix, const QString& Title, int Top, QCheckBox*& Auto,
                         const QString& AutoCaption, QPushButton*& Change,
                         const QString& ChangeCaption, QLabel*& Value, TEditUpDown*& Offset) {
    auto* Group =
        B::AddTo<QGroupBox>(Tab, QStringLiteral("GB") + Suffix, Title, 172, Top, 176, 108);
    Auto = B::AddTo<QCheckBox>(*Group, QStringLiteral("CBAuto") + Suffix.left(3), AutoCaption, 8,
                               20, 0, 17);
    Change = B::AddTo<QPushButton>(*Group, QStringLiteral("BAxis") + Suffix.left(3), ChangeCaption,
                                   80, 16, 88, 25);
    Value = B::AddTo<QLabel>(*Group, QStringLiteral("LAxis") + Suffix.left(3),
                             QStringLiteral("(") + Suffix.left(3).toLower() + u')', 8, 48, 126, 13);
    Offset = AddUpDown(*Group, QStringLiteral("E") + Suffix.left(3) + QStringLiteral("Off"), 60, 74,
                       -10000, 10000);
    AddLabel(*Group, QStringLiteral("L") + Suffix.left(3) + QStringLiteral("Off"),
             QStringLiteral("Offset:"), 8, 78, Offset);
    return Group;
  };
  GBMinimum =
      Limit(QStringLiteral("Minimum"), QStringLiteral("Minimum"), 4, CBAutoMin,
            QStringLiteral("Aut&o"), BAxisMin, QStringLiteral("Cha&nge..."), LAxisMin, EMinOff);
  GBMaximum =
      Limit(QStringLiteral("Maximum"), QStringLiteral("Maximum"), 116, CBAutoMax,
            QStringLiteral("A&uto"), BAxisMax, QStringLiteral("C&hange..."), LAxisMax, EMaxOff);
}

void TFormKorAxis::BuildTitleTab() {
  using B = TFormBuilder;
  PageControlTitle = B::AddTo<QTabWidget>(*TabTitle, QStringLiteral("PageControlTitle"), QString(),
                                          2, 2, FormWidth - ListWidth - 12, FormHeight - 34);
  TabTitleStyle =
      AddNamedTab(*PageControlTitle, QStringLiteral("TabTitleStyle"), QStringLiteral("Style"));
  TabTitleText =
      AddNamedTab(*PageControlTitle, QStringLiteral("TabTitleText"), QStringLiteral("Text"));
  QWidget& Tab = *TabTitleStyle;
  ETitle = B::AddTo<QLineEdit>(Tab, QStringLiteral("ETitle"), QString(), 60, 8, 220, 21);
  AddLabel(Tab, QStringLiteral("LTitle"), QStringLiteral("T&itle:"), 8, 12, ETitle);
  SETitleAngle = AddUpDown(Tab, QStringLiteral("SETitleAngle"), 60, 38, 0, 360, 90);
  AddLabel(Tab, QStringLiteral("LTitleAngle"), QStringLiteral("&Angle:"), 8, 42, SETitleAngle);
  SETitleSize = AddUpDown(Tab, QStringLiteral("SETitleSize"), 60, 68, 0, 1000);
  AddLabel(Tab, QStringLiteral("LTitleSize"), QStringLiteral("Si&ze:"), 8, 72, SETitleSize);
  CBTitleVisible = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBTitleVisible"),
                                       QStringLiteral("&Visible"), 8, 100, 0, 17);
  TitleFontEditor = InsertKorFontEditor(*TabTitleText);
}

void TFormKorAxis::BuildLabelsTab() {
  using B = TFormBuilder;
  PageControlLabels =
      B::AddTo<QTabWidget>(*TabLabels, QStringLiteral("PageControlLabels"), QString(), 2, 2,
                           FormWidth - ListWidth - 12, FormHeight - 34);
  TabLabelsStyle =
      AddNamedTab(*PageControlLabels, QStringLiteral("TabLabelsStyle"), QStringLiteral("Style"));
  TabLabelsFormat =
      AddNamedTab(*PageControlLabels, QStringLiteral("TabLabelsFormat"), QStringLiteral("Format"));
  TabLabelsText =
      AddNamedTab(*PageControlLabels, QStringLiteral("TabLabelsText"), QStringLiteral("Text"));
  QWidget& Tab = *TabLabelsStyle;
  const auto Box = [&](const QString& Name, const QString& Caption, int Top) {
    return B::AddTo<QCheckBox>(Tab, Name, Caption, 8, Top, 0, 17);
  };
  CBLabels = Box(QStringLiteral("CBLabels"), QStringLiteral("V&isible"), 8);
  CBMultiline = Box(QStringLiteral("CBMultiline"), QStringLiteral("Multi-lin&e"), 30);
  CBOnAxis = Box(QStringLiteral("CBOnAxis"), QStringLiteral("Label On A&xis"), 52);
  CBRoundFirst = Box(QStringLiteral("CBRoundFirst"), QStringLiteral("Ro&und First"), 74);
  CBAlternate = Box(QStringLiteral("CBAlternate"), QStringLiteral("&Alternate"), 96);
  SELabelsSize = AddUpDown(Tab, QStringLiteral("SELabelsSize"), 260, 8, 0, 1000);
  AddLabel(Tab, QStringLiteral("LLabelsSize"), QStringLiteral("Si&ze:"), 130, 12, SELabelsSize);
  SELabelsAngle = AddUpDown(Tab, QStringLiteral("SELabelsAngle"), 260, 36, 0, 360, 90);
  AddLabel(Tab, QStringLiteral("LLabelsAngle"), QStringLiteral("An&gle:"), 130, 40, SELabelsAngle);
  SESepar = AddUpDown(Tab, QStringLiteral("SESepar"), 260, 64, 0, 100, 10);
  AddLabel(Tab, QStringLiteral("LSepar"), QStringLiteral("Min. Se&paration %:"), 130, 68, SESepar);
  CBLabelStyle =
      B::AddTo<QComboBox>(Tab, QStringLiteral("CBLabelStyle"), QString(), 230, 96, 94, 22);
  CBLabelStyle->addItems({QStringLiteral("Auto"), QStringLiteral("None"), QStringLiteral("Value"),
                          QStringLiteral("Mark"), QStringLiteral("Text")});
  AddLabel(Tab, QStringLiteral("LLabelStyle"), QStringLiteral("&Style:"), 130, 100, CBLabelStyle);

  QWidget& Fmt = *TabLabelsFormat;
  CBFormat = B::AddTo<QComboBox>(Fmt, QStringLiteral("CBFormat"), QString(), 8, 26, 220, 22);
  CBFormat->setEditable(true);
  LFormat = AddLabel(Fmt, QStringLiteral("LFormat"), Korconst::KorMsg_ValuesFormat, 8, 8, CBFormat);
  Button1 =
      B::AddTo<QPushButton>(Fmt, QStringLiteral("Button1"), QStringLiteral("..."), 232, 25, 24, 24);
  CBExpo = B::AddTo<QCheckBox>(Fmt, QStringLiteral("CBExpo"), QStringLiteral("&Exponential"), 8, 58,
                               0, 17);
  CBLabelAlign = B::AddTo<QCheckBox>(Fmt, QStringLiteral("CBLabelAlign"),
                                     QStringLiteral("&Default Alignment"), 8, 80, 0, 17);
  LabelsFontEditor = InsertKorFontEditor(*TabLabelsText);
}

void TFormKorAxis::BuildTicksTab() {
  using B = TFormBuilder;
  QWidget& Tab = *TabTicks;
  const auto Pen = [&](const QString& Name, const QString& Caption, int Top) {
    return B::AddTo<TButtonPen>(Tab, Name, Caption, 8, Top, 84, 25);
  };
  BAxisPen = Pen(QStringLiteral("BAxisPen"), QStringLiteral("&Axis..."), 8);
  BTickPen = Pen(QStringLiteral("BTickPen"), QStringLiteral("T&icks..."), 40);
  BTickInner = Pen(QStringLiteral("BTickInner"), QStringLiteral("I&nner..."), 72);
  BAxisGrid = Pen(QStringLiteral("BAxisGrid"), QStringLiteral("&Grid..."), 104);
  SEAxisTickLength = AddUpDown(Tab, QStringLiteral("SEAxisTickLength"), 140, 42, 0, 1000);
  AddLabel(Tab, QStringLiteral("LTickLength"), QStringLiteral("Len:"), 104, 46, SEAxisTickLength);
  SEInnerTicksLength = AddUpDown(Tab, QStringLiteral("SEInnerTicksLength"), 140, 74, 0, 1000);
  AddLabel(Tab, QStringLiteral("LInnerLength"), QStringLiteral("Len:"), 104, 78,
           SEInnerTicksLength);
  CBTickOnLabels = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBTickOnLabels"),
                                       QStringLiteral("At Labels Onl&y"), 8, 140, 0, 17);
  CBGridCentered = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBGridCentered"),
                                       QStringLiteral("C&entered"), 104, 108, 0, 17);
  Edit2 = AddUpDown(Tab, QStringLiteral("Edit2"), 228, 106, 0, 100);
  AddLabel(Tab, QStringLiteral("LGridZ"), QStringLiteral("&Z:"), 200, 110, Edit2);
}

void TFormKorAxis::BuildMinorTab() {
  using B = TFormBuilder;
  QWidget& Tab = *TabMinor;
  BTickMinor = B::AddTo<TButtonPen>(Tab, QStringLiteral("BTickMinor"), QStringLiteral("&Ticks..."),
                                    8, 8, 84, 25);
  BMinorGrid = B::AddTo<TButtonPen>(Tab, QStringLiteral("BMinorGrid"), QStringLiteral("&Grid..."),
                                    8, 40, 84, 25);
  SEAxisMinorTickLen = AddUpDown(Tab, QStringLiteral("SEAxisMinorTickLen"), 160, 10, 0, 1000);
  AddLabel(Tab, QStringLiteral("LMinorLength"), QStringLiteral("Length:"), 104, 14,
           SEAxisMinorTickLen);
  SEMinorCount = AddUpDown(Tab, QStringLiteral("SEMinorCount"), 160, 76, 0, 1000);
  AddLabel(Tab, QStringLiteral("LMinorCount"), QStringLiteral("&Count:"), 104, 80, SEMinorCount);
}

void TFormKorAxis::BuildPositionTab() {
  using B = TFormBuilder;
  QWidget& Tab = *TabPosition;
  EPos = AddUpDown(Tab, QStringLiteral("EPos"), 90, 8, -1000, 1000);
  AddLabel(Tab, QStringLiteral("LPos"), QStringLiteral("&Position %:"), 8, 12, EPos);
  EStart = AddUpDown(Tab, QStringLiteral("EStart"), 90, 36, 0, 100);
  AddLabel(Tab, QStringLiteral("LStart"), QStringLiteral("St&art %:"), 8, 40, EStart);
  EEnd = AddUpDown(Tab, QStringLiteral("EEnd"), 90, 64, 0, 100);
  AddLabel(Tab, QStringLiteral("LEnd"), QStringLiteral("&End %:"), 8, 68, EEnd);
  Edit1 = AddUpDown(Tab, QStringLiteral("Edit1"), 90, 92, 0, 100);
  AddLabel(Tab, QStringLiteral("LZPos"), QStringLiteral("&Z %:"), 8, 96, Edit1);
  CBPosUnits = B::AddTo<QComboBox>(Tab, QStringLiteral("CBPosUnits"), QString(), 212, 8, 90, 22);
  CBPosUnits->addItems({QStringLiteral("Percent"), QStringLiteral("Pixels")});
  AddLabel(Tab, QStringLiteral("LPosUnits"), QStringLiteral("&Units:"), 156, 12, CBPosUnits);
  CBOtherSide = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBOtherSide"),
                                    QStringLiteral("&Other side"), 8, 128, 0, 17);
  CBHorizAxis = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBHorizAxis"),
                                    QStringLiteral("&Horizontal"), 8, 150, 0, 17);
}

// ------------------------------------------------------------ wiring

namespace {

template <class Form, class Handler>
void OnClick(Form* F, QAbstractButton* Button, Handler H) {
  QObject::connect(Button, &QAbstractButton::clicked, F,
                   [F, H] { RunGuarded([F, H] { (F->*H)(); }); });
}

template <class Form, class Handler>
void OnText(Form* F, QLineEdit* Edit, Handler H) {
  QObject::connect(Edit, &QLineEdit::textChanged, F, [F, H] { RunGuarded([F, H] { (F->*H)(); }); });
}

template <class Form, class Handler>
void OnIndex(Form* F, QComboBox* Combo, Handler H) {
  QObject::connect(Combo, &QComboBox::currentIndexChanged, F,
                   [F, H] { RunGuarded([F, H] { (F->*H)(); }); });
}

}  // namespace

void TFormKorAxis::Connect() {
  using F = TFormKorAxis;
  // By mouse or keyboard; the page's own selections run while updating.
  connect(LBAxes, &QListWidget::currentRowChanged, this, [this] {
    RunGuarded([this] {
      if (!FUpdating) LBAxesClick();
    });
  });
  OnClick(this, BAdd, &F::BAddClick);
  OnClick(this, BDelete, &F::BDeleteClick);
  OnClick(this, CBShow, &F::CBShowClick);
  OnClick(this, CBAxisBeh, &F::CBAxisBehClick);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
    RunGuarded([this] {
      if (!FUpdating) RefreshControls();
    });
  });
  ConnectScales();
  ConnectLabels();
  ConnectOthers();
}

void TFormKorAxis::ConnectScales() {
  using F = TFormKorAxis;
  OnClick(this, CBVisible, &F::CBVisibleClick);
  OnClick(this, CBAutomatic, &F::CBAutomaticClick);
  OnClick(this, CBInverted, &F::CBInvertedClick);
  OnClick(this, BIncre, &F::BIncreClick);
  OnClick(this, CBLogarithmic, &F::CBLogarithmicClick);
  OnText(this, ELogBase, &F::ELogBaseChange);
  OnClick(this, LogE, &F::LogEClick);
  OnClick(this, CBAutoMin, &F::CBAutoMinClick);
  OnClick(this, CBAutoMax, &F::CBAutoMaxClick);
  OnClick(this, BAxisMin, &F::BAxisMinClick);
  OnClick(this, BAxisMax, &F::BAxisMaxClick);
  OnText(this, EMinOff, &F::EMinOffChange);
  OnText(this, EMaxOff, &F::EMaxOffChange);
}

void TFormKorAxis::ConnectLabels() {
  using F = TFormKorAxis;
  OnText(this, ETitle, &F::ETitleChange);
  OnText(this, SETitleAngle, &F::SETitleAngleChange);
  OnText(this, SETitleSize, &F::SETitleSizeChange);
  OnClick(this, CBTitleVisible, &F::CBTitleVisibleClick);
  OnClick(this, CBLabels, &F::CBLabelsClick);
  OnClick(this, CBMultiline, &F::CBMultilineClick);
  OnClick(this, CBOnAxis, &F::CBOnAxisClick);
  OnClick(this, CBRoundFirst, &F::CBRoundFirstClick);
  OnClick(this, CBAlternate, &F::CBAlternateClick);
  OnText(this, SELabelsSize, &F::SELabelsSizeChange);
  OnText(this, SELabelsAngle, &F::SELabelsAngleChange);
  OnText(this, SESepar, &F::SESeparChange);
  OnIndex(this, CBLabelStyle, &F::CBLabelStyleChange);
  connect(CBFormat, &QComboBox::currentTextChanged, this,
          [this] { RunGuarded([this] { CBFormatChange(); }); });
  OnClick(this, Button1, &F::Button1Click);
  OnClick(this, CBExpo, &F::CBExpoClick);
  OnClick(this, CBLabelAlign, &F::CBLabelAlignClick);
}

void TFormKorAxis::ConnectOthers() {
  using F = TFormKorAxis;
  OnText(this, SEAxisTickLength, &F::SEAxisTickLengthChange);
  OnText(this, SEInnerTicksLength, &F::SEInnerTicksLengthChange);
  OnClick(this, CBTickOnLabels, &F::CBTickOnLabelsClick);
  OnClick(this, CBGridCentered, &F::CBGridCenteredClick);
  OnText(this, Edit2, &F::Edit2Change);
  OnText(this, SEAxisMinorTickLen, &F::SEAxisMinorTickLenChange);
  OnText(this, SEMinorCount, &F::SEMinorCountChange);
  OnText(this, EPos, &F::EPosChange);
  OnText(this, EStart, &F::EStartChange);
  OnText(this, EEnd, &F::EEndChange);
  OnText(this, Edit1, &F::Edit1Change);
  OnIndex(this, CBPosUnits, &F::CBPosUnitsChange);
  OnClick(this, CBOtherSide, &F::CBOtherSideClick);
  OnClick(this, CBHorizAxis, &F::CBHorizAxisClick);
}

// ------------------------------------------------------------ state

TCustomAxisPanel* TFormKorAxis::Chart() const {
  return FAxis != nullptr ? FAxis->GetParentChart() : nullptr;
}

bool TFormKorAxis::IsCustomAxis() const {
  return FAxis != nullptr && Chart() != nullptr &&
         Chart()->GetAxesList().IndexOf(FAxis) >= StandardAxisCount;
}

QString TFormKorAxis::AxisCaption() const {
  const QString Title = FAxis->GetTitle().GetCaption();
  if (!Title.isEmpty()) return Title;
  return LBAxes->currentItem() != nullptr ? LBAxes->currentItem()->text() : QString();
}

void TFormKorAxis::Apply(const std::function<void(TChartAxis& Axis)>& Change) {
  if (FUpdating || FAxis == nullptr) return;
  if (!RunGuarded([&] { Change(*FAxis); })) RefreshControls();
}

void TFormKorAxis::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TFormKorAxis::FormShow() {
  FillAxes();
  SelectCurrentAxis();
  if (TCustomAxisPanel* C = Chart()) {
    CBShow->setChecked(C->GetAxisVisible());
    CBAxisBeh->setChecked(C->GetAxisBehind());
  }
  PageControl1->setCurrentWidget(TabScales);
  PageControlTitle->setCurrentWidget(TabTitleStyle);
  PageControlLabels->setCurrentWidget(TabLabelsStyle);
  RefreshControls();
}

void TFormKorAxis::FillAxes() {
  const bool Updating = FUpdating;
  FUpdating = true;
  TScopeGuard Updated([this, Updating] { FUpdating = Updating; });
  QStringList Items;
  KorAddAxes(Chart(), Items, true);
  LBAxes->clear();
  LBAxes->addItems(Items);
}

void TFormKorAxis::SelectCurrentAxis() {
  TCustomAxisPanel* C = Chart();
  if (C == nullptr) return;
  const bool Updating = FUpdating;
  FUpdating = true;
  TScopeGuard Updated([this, Updating] { FUpdating = Updating; });
  const TChartAxis* Standard[StandardAxisCount] = {C->GetLeftAxis(),  C->GetRightAxis(),
                                                   C->GetTopAxis(),   C->GetBottomAxis(),
                                                   C->GetDepthAxis(), C->GetDepthTopAxis()};
  for (int I = 0; I < StandardAxisCount; ++I)
    if (Standard[I] == FAxis) {
      LBAxes->setCurrentRow(I);
      return;
    }
  LBAxes->setCurrentRow(C->GetAxesList().IndexOf(FAxis));
}

// ------------------------------------------------------------ refreshing

void TFormKorAxis::RefreshControls() {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  const bool HasAxis = FAxis != nullptr;
  PageControl1->setEnabled(HasAxis);
  BDelete->setEnabled(IsCustomAxis());
  BAdd->setEnabled(Chart() != nullptr);
  if (!HasAxis) return;
  BAxisPen->LinkPen(&FAxis->GetAxis());
  BTickPen->LinkPen(&FAxis->GetTicks());
  BTickInner->LinkPen(&FAxis->GetTicksInner());
  BAxisGrid->LinkPen(&FAxis->GetGrid());
  BTickMinor->LinkPen(&FAxis->GetMinorTicks());
  BMinorGrid->LinkPen(&FAxis->GetMinorGrid());
  // Every tab is refreshed, not just the one showing: a few dozen controls
  // cost nothing and no tab can show another axis' values.
  RefreshScales();
  RefreshTitle();
  RefreshLabels();
  RefreshTicks();
  RefreshPosition();
  CBVisible->setChecked(FAxis->GetVisible());
  CBLabelAlign->setChecked(FAxis->GetLabelsAlign() == alDefault);
  CBLabelAlign->setEnabled(!FAxis->GetHorizontal() && !FAxis->IsDepthAxis());
}

void TFormKorAxis::RefreshScales() {
  const bool DateTime = FAxis->IsDateTime();
  const QString ValuesFormat = FAxis->GetAxisValuesFormat();
  LIncre->setText(
      GetIncrementText(DateTime, FAxis->GetExactDateTime(), ValuesFormat, FAxis->GetIncrement()));
  const auto LimitText = [&](double Value) {
    if (DateTime) return Value >= 1 ? DateTimeToStr(Value) : TimeToStr(Value);
    return FormatFloat(ValuesFormat, Value);
  };
  LAxisMin->setText(LimitText(FAxis->GetMinimum()));
  LAxisMax->setText(LimitText(FAxis->GetMaximum()));
  {
    FScalesUpdating = true;
    TScopeGuard ScalesUpdated([this] { FScalesUpdating = false; });
    CBAutomatic->setChecked(FAxis->GetAutomatic());
    CBAutoMax->setChecked(FAxis->GetAutomaticMaximum());
    CBAutoMin->setChecked(FAxis->GetAutomaticMinimum());
    const bool Updating = FUpdating;
    FUpdating = true;
    EMinOff->SetPosition(FAxis->GetMinimumOffset());
    EMaxOff->SetPosition(FAxis->GetMaximumOffset());
    FUpdating = Updating;
  }
  CBLogarithmic->setChecked(FAxis->GetLogarithmic());
  CBLogarithmic->setEnabled(!FAxis->IsDepthAxis());
  RefreshLogBase();
  CBInverted->setChecked(FAxis->GetInverted());
  CBVisible->setChecked(FAxis->GetVisible());
}

void TFormKorAxis::RefreshLogBase() {
  const bool Updating = FUpdating;
  FUpdating = true;
  ELogBase->setText(FloatToStr(FAxis->GetLogarithmicBase()));
  FUpdating = Updating;
  ELogBase->setEnabled(CBLogarithmic->isChecked() && CBLogarithmic->isEnabled());
  LLogBase->setEnabled(ELogBase->isEnabled());
  ShowLogE();
}

void TFormKorAxis::ShowLogE() {
  const bool E = IsBaseE(FAxis->GetLogarithmicBase());
  LogE->setChecked(E);
  LogE->setEnabled(ELogBase->isEnabled() && !E);
}

void TFormKorAxis::RefreshTitle() {
  const TChartAxisTitle& Title = FAxis->GetTitle();
  ETitle->setText(Title.GetCaption());
  SETitleAngle->SetPosition(Title.GetAngle());
  SETitleSize->SetPosition(FAxis->GetTitleSize());
  CBTitleVisible->setChecked(Title.GetVisible());
  TitleFontEditor->RefreshControls(&FAxis->GetTitle().GetFont());
}

void TFormKorAxis::RefreshLabels() {
  CBLabels->setChecked(FAxis->GetLabels());
  CBMultiline->setChecked(FAxis->GetLabelsMultiLine());
  CBOnAxis->setChecked(FAxis->GetLabelsOnAxis());
  CBRoundFirst->setChecked(FAxis->GetRoundFirstLabel());
  CBAlternate->setChecked(FAxis->GetLabelsAlternate());
  CBLabelStyle->setCurrentIndex(static_cast<int>(FAxis->GetLabelStyle()));
  SELabelsSize->SetPosition(FAxis->GetLabelsSize());
  SELabelsAngle->SetPosition(FAxis->GetLabelsAngle());
  SESepar->SetPosition(FAxis->GetLabelsSeparation());
  CBExpo->setChecked(FAxis->GetLabelsExponent());
  RefreshFormats();
  LabelsFontEditor->RefreshControls(&FAxis->GetLabelsFont());
}

void TFormKorAxis::RefreshFormats() {
  QStringList Formats;
  QString Current;
  if (FAxis->IsDateTime()) {
    const FormatSettings& S = CurrentFormatSettings();
    const double Range = FAxis->GetMaximum() - FAxis->GetMinimum();
    if (Range > 1)
      Formats << S.ShortDateFormat << S.LongDateFormat << QStringLiteral("yyyy-mm-dd")
              << QStringLiteral("mm-dd-yyyy") << QStringLiteral("dd-mm-yyyy")
              << QStringLiteral("ddd") << QStringLiteral("dddd") << QStringLiteral("mmm")
              << QStringLiteral("mmmm");
    else
      Formats << S.ShortTimeFormat << S.LongTimeFormat << QStringLiteral("hh:nn")
              << QStringLiteral("hh:nn:ss") << QStringLiteral("hh:nn:ss.zzz");
    LFormat->setText(Korconst::KorMsg_DateTimeFormat);
    Current = FAxis->GetDateTimeFormat();
    if (Current.isEmpty()) Current = DateTimeDefaultFormat(Range);
  } else {
    QStringList Canonical;
    AddDefaultValueFormats(Canonical);
    for (const QString& F : Canonical) Formats << ConvertSeparators(F, true);
    LFormat->setText(Korconst::KorMsg_ValuesFormat);
    Current = FAxis->GetAxisValuesFormat();
    if (Current.isEmpty()) Current = DefaultValuesFormat;
    Current = ConvertSeparators(Current, true);
  }
  if (!Formats.contains(Current)) Formats << Current;
  CBFormat->clear();
  CBFormat->addItems(Formats);
  CBFormat->setCurrentText(Current);
}

void TFormKorAxis::RefreshTicks() {
  SEAxisTickLength->SetPosition(FAxis->GetTickLength());
  SEInnerTicksLength->SetPosition(FAxis->GetTickInnerLength());
  CBTickOnLabels->setChecked(FAxis->GetTickOnLabelsOnly());
  CBGridCentered->setChecked(FAxis->GetGridCentered());
  Edit2->SetPosition(Rounded(FAxis->GetGrid().GetZPosition()));
  SEAxisMinorTickLen->SetPosition(FAxis->GetMinorTickLength());
  SEMinorCount->SetPosition(FAxis->GetMinorTickCount());
}

void TFormKorAxis::RefreshPosition() {
  EPos->SetPosition(Rounded(FAxis->GetPositionPercent()));
  EStart->SetPosition(Rounded(FAxis->GetStartPosition()));
  EEnd->SetPosition(Rounded(FAxis->GetEndPosition()));
  Edit1->SetPosition(Rounded(FAxis->GetZPosition()));
  CBPosUnits->setCurrentIndex(FAxis->GetPositionUnits() == muPixels ? 1 : 0);
  const bool Custom = IsCustomAxis();
  CBOtherSide->setEnabled(Custom);
  CBHorizAxis->setEnabled(Custom);
  CBOtherSide->setChecked(FAxis->GetOtherSide());
  CBHorizAxis->setChecked(FAxis->GetHorizontal());
}

void TFormKorAxis::ShowPosition(TEditUpDown& Edit, int Value) {
  const bool Updating = FUpdating;
  FUpdating = true;
  Edit.SetPosition(Value);
  FUpdating = Updating;
}

// ------------------------------------------------------------ axis list

void TFormKorAxis::LBAxesClick() {
  TCustomAxisPanel* C = Chart();
  const int Row = LBAxes->currentRow();
  if (C == nullptr || Row < 0) return;
  switch (Row) {
    case 0: FAxis = C->GetLeftAxis(); break;
    case 1: FAxis = C->GetRightAxis(); break;
    case 2: FAxis = C->GetTopAxis(); break;
    case 3: FAxis = C->GetBottomAxis(); break;
    case 4: FAxis = C->GetDepthAxis(); break;
    case 5: FAxis = C->GetDepthTopAxis(); break;
    default:
      if (Row >= C->GetAxesList().Count()) return;
      FAxis = C->GetAxesList().Get(Row);
  }
  RefreshControls();
}

void TFormKorAxis::BAddClick() {
  TCustomAxisPanel* C = Chart();
  if (C == nullptr) return;
  FAxis = C->GetCustomAxes().Add();
  FillAxes();
  SelectCurrentAxis();
  RefreshControls();
}

void TFormKorAxis::BDeleteClick() {
  if (!IsCustomAxis()) return;
  TChartCustomAxes& Custom = Chart()->GetCustomAxes();
  const int Index = Custom.IndexOf(FAxis);
  if (Index < 0) return;
  const int Row = LBAxes->currentRow();
  // Forget the axis before it goes: nothing may reach it afterwards.
  TCustomAxisPanel* C = Chart();
  FAxis = C->GetLeftAxis();
  Custom.Delete(Index);
  // The entries after it are renumbered, as the list always shows.
  FillAxes();
  {
    FUpdating = true;
    TScopeGuard Updated([this] { FUpdating = false; });
    LBAxes->setCurrentRow(Row - 1);
  }
  LBAxesClick();
}

void TFormKorAxis::CBShowClick() {
  if (TCustomAxisPanel* C = Chart()) C->SetAxisVisible(CBShow->isChecked());
}

void TFormKorAxis::CBAxisBehClick() {
  if (TCustomAxisPanel* C = Chart()) C->SetAxisBehind(CBAxisBeh->isChecked());
}

// ------------------------------------------------------------ scales

void TFormKorAxis::CBVisibleClick() {
  Apply([this](TChartAxis& A) { A.SetVisible(CBVisible->isChecked()); });
}

void TFormKorAxis::CBAutomaticClick() {
  if (FScalesUpdating) return;
  Apply([this](TChartAxis& A) {
    A.SetAutomatic(CBAutomatic->isChecked());
    if (A.GetAutomatic()) A.AdjustMaxMin();
    RefreshScales();
  });
}

void TFormKorAxis::CBInvertedClick() {
  Apply([this](TChartAxis& A) { A.SetInverted(CBInverted->isChecked()); });
}

void TFormKorAxis::CBAutoMinClick() {
  if (FScalesUpdating) return;
  Apply([this](TChartAxis& A) {
    A.SetAutomaticMinimum(CBAutoMin->isChecked());
    A.AdjustMaxMin();
    RefreshScales();
  });
}

void TFormKorAxis::CBAutoMaxClick() {
  if (FScalesUpdating) return;
  Apply([this](TChartAxis& A) {
    A.SetAutomaticMaximum(CBAutoMax->isChecked());
    A.AdjustMaxMin();
    RefreshScales();
  });
}

void TFormKorAxis::BAxisMinClick() {
  Apply([this](TChartAxis& A) {
    auto Dialog = KorCreateForm<TAxisMaxMin>(this);
    Dialog->setWindowTitle(Korconst::KorMsg_Minimum + u' ' + AxisCaption());
    Dialog->IsDateTime = A.IsDateTime();
    Dialog->AxisValue = A.GetMinimum();
    if (ShowModal(*Dialog) != mrOk) return;
    A.SetMinimum(Dialog->AxisValue);
    CBAutoMin->setChecked(false);
    A.SetAutomaticMinimum(false);
    RefreshScales();
  });
}

void TFormKorAxis::BAxisMaxClick() {
  Apply([this](TChartAxis& A) {
    auto Dialog = KorCreateForm<TAxisMaxMin>(this);
    Dialog->setWindowTitle(Korconst::KorMsg_Maximum + u' ' + AxisCaption());
    Dialog->IsDateTime = A.IsDateTime();
    Dialog->AxisValue = A.GetMaximum();
    if (ShowModal(*Dialog) != mrOk) return;
    A.SetMaximum(Dialog->AxisValue);
    CBAutoMax->setChecked(false);
    A.SetAutomaticMaximum(false);
    RefreshScales();
  });
}

void TFormKorAxis::BIncreClick() {
  Apply([this](TChartAxis& A) {
    auto Dialog = KorCreateForm<TAxisIncrement>(this);
    Dialog->setWindowTitle(Format(Korconst::KorMsg_DesiredIncrement, {AxisCaption()}));
    Dialog->IsDateTime = A.IsDateTime();
    Dialog->IsExact = A.GetExactDateTime();
    Dialog->Increment = A.GetIncrement();
    Dialog->StepIndex = FindDateTimeStep(A.GetIncrement());
    if (ShowModal(*Dialog) != mrOk) return;
    A.SetDesiredIncrement(Dialog->Increment);
    A.SetExactDateTime(Dialog->IsExact);
    RefreshScales();
  });
}

void TFormKorAxis::EMinOffChange() {
  Apply([this](TChartAxis& A) { A.SetMinimumOffset(EMinOff->GetPosition()); });
}

void TFormKorAxis::EMaxOffChange() {
  Apply([this](TChartAxis& A) { A.SetMaximumOffset(EMaxOff->GetPosition()); });
}

void TFormKorAxis::CBLogarithmicClick() {
  if (FAxis == nullptr) return;
  try {
    FAxis->SetLogarithmic(CBLogarithmic->isChecked());
  } catch (const AxisException& Error) {
    FAxis->SetLogarithmic(false);
    CBLogarithmic->setChecked(false);
    RefreshLogBase();
    ShowMessageUser(Error.Message());
    return;
  }
  RefreshLogBase();
}

void TFormKorAxis::LogEClick() {
  if (FAxis == nullptr) return;
  // Exactly e: the text shown cannot carry every digit of it.
  Apply([](TChartAxis& A) { A.SetLogarithmicBase(BaseE); });
  RefreshLogBase();
}

void TFormKorAxis::ELogBaseChange() {
  Apply([this](TChartAxis& A) {
    double Base = A.GetLogarithmicBase();
    if (!TryStrToFloat(ELogBase->text().trimmed(), Base)) Base = A.GetLogarithmicBase();
    // A base the axis cannot take (not above 0, or 1) is left for the user
    // to finish typing; the axis keeps the one it has.
    if (Base > 0 && Base != 1 && std::isfinite(Base)) A.SetLogarithmicBase(Base);
    ShowLogE();
  });
}

// ------------------------------------------------------------ title

void TFormKorAxis::ETitleChange() {
  Apply([this](TChartAxis& A) { A.GetTitle().SetCaption(ETitle->text()); });
}

void TFormKorAxis::SETitleAngleChange() {
  Apply([this](TChartAxis& A) { A.GetTitle().SetAngle(SETitleAngle->GetPosition()); });
}

void TFormKorAxis::SETitleSizeChange() {
  Apply([this](TChartAxis& A) { A.SetTitleSize(SETitleSize->GetPosition()); });
}

void TFormKorAxis::CBTitleVisibleClick() {
  Apply([this](TChartAxis& A) { A.GetTitle().SetVisible(CBTitleVisible->isChecked()); });
}

// ------------------------------------------------------------ labels

void TFormKorAxis::CBLabelsClick() {
  Apply([this](TChartAxis& A) { A.SetLabels(CBLabels->isChecked()); });
}

void TFormKorAxis::CBMultilineClick() {
  Apply([this](TChartAxis& A) { A.SetLabelsMultiLine(CBMultiline->isChecked()); });
}

void TFormKorAxis::CBOnAxisClick() {
  Apply([this](TChartAxis& A) { A.SetLabelsOnAxis(CBOnAxis->isChecked()); });
}

void TFormKorAxis::CBRoundFirstClick() {
  Apply([this](TChartAxis& A) { A.SetRoundFirstLabel(CBRoundFirst->isChecked()); });
}

void TFormKorAxis::CBAlternateClick() {
  Apply([this](TChartAxis& A) { A.SetLabelsAlternate(CBAlternate->isChecked()); });
}

void TFormKorAxis::SELabelsSizeChange() {
  Apply([this](TChartAxis& A) { A.SetLabelsSize(SELabelsSize->GetPosition()); });
}

void TFormKorAxis::SELabelsAngleChange() {
  Apply([this](TChartAxis& A) { A.SetLabelsAngle(SELabelsAngle->GetPosition()); });
}

void TFormKorAxis::SESeparChange() {
  Apply([this](TChartAxis& A) { A.SetLabelsSeparation(SESepar->GetPosition()); });
}

void TFormKorAxis::CBLabelStyleChange() {
  const int Index = CBLabelStyle->currentIndex();
  if (Index < 0) return;
  Apply([Index](TChartAxis& A) { A.SetLabelStyle(static_cast<TAxisLabelStyle>(Index)); });
}

void TFormKorAxis::CBFormatChange() {
  Apply([this](TChartAxis& A) {
    if (A.IsDateTime())
      A.SetDateTimeFormat(CBFormat->currentText());
    else
      A.SetAxisValuesFormat(ConvertSeparators(CBFormat->currentText(), false));
  });
}

void TFormKorAxis::Button1Click() {
  if (FAxis == nullptr) return;
  const QString Result = TFormatEditor::Change(this, CBFormat->currentText(), FAxis->IsDateTime());
  // Setting the text applies it through the combo's change handler.
  CBFormat->setCurrentText(Result);
}

void TFormKorAxis::CBExpoClick() {
  Apply([this](TChartAxis& A) { A.SetLabelsExponent(CBExpo->isChecked()); });
}

void TFormKorAxis::CBLabelAlignClick() {
  Apply([this](TChartAxis& A) {
    A.SetLabelsAlign(CBLabelAlign->isChecked() ? alDefault : alOpposite);
  });
}

// ------------------------------------------------------------ ticks

void TFormKorAxis::SEAxisTickLengthChange() {
  Apply([this](TChartAxis& A) { A.SetTickLength(SEAxisTickLength->GetPosition()); });
}

void TFormKorAxis::SEInnerTicksLengthChange() {
  Apply([this](TChartAxis& A) { A.SetTickInnerLength(SEInnerTicksLength->GetPosition()); });
}

void TFormKorAxis::CBTickOnLabelsClick() {
  Apply([this](TChartAxis& A) { A.SetTickOnLabelsOnly(CBTickOnLabels->isChecked()); });
}

void TFormKorAxis::CBGridCenteredClick() {
  Apply([this](TChartAxis& A) { A.SetGridCentered(CBGridCentered->isChecked()); });
}

void TFormKorAxis::Edit2Change() {
  Apply([this](TChartAxis& A) { A.GetGrid().SetZPosition(Edit2->GetPosition()); });
}

void TFormKorAxis::SEAxisMinorTickLenChange() {
  Apply([this](TChartAxis& A) { A.SetMinorTickLength(SEAxisMinorTickLen->GetPosition()); });
}

void TFormKorAxis::SEMinorCountChange() {
  Apply([this](TChartAxis& A) { A.SetMinorTickCount(SEMinorCount->GetPosition()); });
}

// ------------------------------------------------------------ position

void TFormKorAxis::EPosChange() {
  Apply([this](TChartAxis& A) { A.SetPositionPercent(EPos->GetPosition()); });
}

void TFormKorAxis::EStartChange() {
  Apply([this](TChartAxis& A) {
    const int Value = EStart->GetPosition();
    if (Value >= A.GetEndPosition())
      ShowPosition(*EStart, Rounded(A.GetStartPosition()));
    else
      A.SetStartPosition(Value);
  });
}

void TFormKorAxis::EEndChange() {
  Apply([this](TChartAxis& A) {
    const int Value = EEnd->GetPosition();
    if (Value <= A.GetStartPosition())
      ShowPosition(*EEnd, Rounded(A.GetEndPosition()));
    else
      A.SetEndPosition(Value);
  });
}

void TFormKorAxis::Edit1Change() {
  Apply([this](TChartAxis& A) { A.SetZPosition(Edit1->GetPosition()); });
}

void TFormKorAxis::CBPosUnitsChange() {
  const int Index = CBPosUnits->currentIndex();
  if (Index < 0) return;
  Apply([Index](TChartAxis& A) { A.SetPositionUnits(Index == 1 ? muPixels : muPercent); });
}

void TFormKorAxis::CBOtherSideClick() {
  Apply([this](TChartAxis& A) { A.SetOtherSide(CBOtherSide->isChecked()); });
}

void TFormKorAxis::CBHorizAxisClick() {
  if (!IsCustomAxis()) return;
  Apply([this](TChartAxis& A) {
    A.SetHorizontal(CBHorizAxis->isChecked());
    if (OnHorizontalChanged) OnHorizontalChanged(&A);
  });
}

// ------------------------------------------------------------ register

void RegisterAxisEditorPage() {
  ChartEditorPages().Register(
      QStringLiteral("TabAxis"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        TChartAxis* Axis = Editor.GetTheAxis();
        if (Axis == nullptr && Editor.GetChart() != nullptr)
          Axis = Editor.GetChart()->GetLeftAxis();
        auto* Form = new TFormKorAxis(&Page, Axis);
        Form->setWindowFlags(Qt::Widget);
        return Form;
      },
      TPageSizing::psAhead);
}
