#include "chart/editor/TPieSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TCircledSeriesEditor.h"
#include "chart/editor/TFormKorLegend.h"
#include "chart/editor/TKorShadowEditor.h"

#include "chart/core/Korconst.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"
#include "chart/series/TPieOtherSlice.h"
#include "chart/series/TPieSeries.h"
#include "chart/series/TPieShadow.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int Step = 5;

TEditUpDown* AddEdit(QWidget& Parent, const QString& Name, const QString& UpDownName, int Left,
                     int Top, int Min, int Max) {
  return AddUpDownEdit(Parent, Name, UpDownName, QRect(Left, Top, 64, 22), Min, Max, Step);
}

QLabel* AddLabel(QWidget& Parent, const QString& Name, const QString& Caption, int Left, int Top,
                 QWidget* Buddy) {
  auto* Label = TFormBuilder::AddTo<QLabel>(Parent, Name, Caption, Left, Top, 104, 16);
  Label->setBuddy(Buddy);
  return Label;
}

}  // namespace

TPieSeriesEditor::TPieSeriesEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("PieSeriesEditor"));
  BuildControls();
  Connect();
}

void TPieSeriesEditor::BuildControls() {
  resize(430, 290);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(PageControl1);
  TabOptions = AddNamedTab(*PageControl1, QStringLiteral("TabOptions"), Korconst::KorMsg_Options);
  TabGroup = AddNamedTab(*PageControl1, QStringLiteral("TabGroup"), QStringLiteral("Group Slices"));
  TabCircled =
      AddNamedTab(*PageControl1, QStringLiteral("TabCircled"), Korconst::KorMsg_GalleryCircled);
  BuildOptionsTab();
  BuildGroupTab();
}

void TPieSeriesEditor::BuildOptionsTab() {
  QWidget& Tab = *TabOptions;
  using B = TFormBuilder;
  CBDark3d = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBDark3d"), QStringLiteral("&Dark 3D"), 8, 8,
                                 180, 17);
  CBPatterns = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBPatterns"), QStringLiteral("Pa&tterns"),
                                   8, 30, 180, 17);
  CBMarksAutoPosition = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBMarksAutoPosition"),
                                            QStringLiteral("&Auto Mark Position"), 8, 52, 180, 17);
  SEExpBig = AddEdit(Tab, QStringLiteral("SEExpBig"), QStringLiteral("UDExpBig"), 116, 82, 0, 100);
  Label1 =
      AddLabel(Tab, QStringLiteral("Label1"), QStringLiteral("E&xplode biggest:"), 8, 86, SEExpBig);
  Edit1 = AddEdit(Tab, QStringLiteral("Edit1"), QStringLiteral("UDAngleSize"), 116, 110, 1, 360);
  Label2 = AddLabel(Tab, QStringLiteral("Label2"), QStringLiteral("Total a&ngle:"), 8, 114, Edit1);
  Edit2 = AddEdit(Tab, QStringLiteral("Edit2"), QStringLiteral("UDDarkPen"), 116, 138, 0, 255);
  Label3 = AddLabel(Tab, QStringLiteral("Label3"), QStringLiteral("Dar&k pen:"), 8, 142, Edit2);
  CBMultiple = B::AddTo<QComboBox>(Tab, QStringLiteral("CBMultiple"), QString(), 116, 166, 100, 22);
  CBMultiple->addItems({QStringLiteral("Automatic"), QStringLiteral("Disable")});
  Label4 = AddLabel(Tab, QStringLiteral("Label4"), QStringLiteral("&Multiple pies:"), 8, 170,
                    CBMultiple);
  BPen = B::AddTo<TButtonPen>(Tab, QStringLiteral("BPen"), QStringLiteral("&Border..."), 236, 8,
                              130, 25);
  BShadow = B::AddTo<QPushButton>(Tab, QStringLiteral("BShadow"), QStringLiteral("S&hadow..."), 236,
                                  40, 130, 25);
  BGradient = B::AddTo<TButtonGradient>(Tab, QStringLiteral("BGradient"),
                                        QStringLiteral("3D &Gradient..."), 236, 72, 130, 25);
  BGradient->SetColorsOnly(true);
  GBColors = B::AddTo<QGroupBox>(Tab, QStringLiteral("GBColors"), Korconst::KorMsg_Colors, 236, 110,
                                 170, 84);
  CBColorEach = B::AddTo<QCheckBox>(*GBColors, QStringLiteral("CBColorEach"),
                                    QStringLiteral("Color &Each slice"), 10, 24, 150, 17);
  BColor = B::AddTo<TButtonColor>(*GBColors, QStringLiteral("BColor"), QStringLiteral("&Color..."),
                                  10, 48, 120, 25);
}

void TPieSeriesEditor::BuildGroupTab() {
  QWidget& Tab = *TabGroup;
  using B = TFormBuilder;
  CBOther = B::AddTo<QComboBox>(Tab, QStringLiteral("CBOther"), QString(), 72, 8, 130, 22);
  CBOther->addItems(
      {QStringLiteral("None"), QStringLiteral("Below %"), QStringLiteral("Below Value")});
  Label5 = AddLabel(Tab, QStringLiteral("Label5"), QStringLiteral("&Style:"), 8, 12, CBOther);
  EOtherValue = B::AddTo<QLineEdit>(Tab, QStringLiteral("EOtherValue"), QString(), 72, 40, 130, 22);
  Label6 = AddLabel(Tab, QStringLiteral("Label6"), QStringLiteral("&Value:"), 8, 44, EOtherValue);
  EOtherLabel = B::AddTo<QLineEdit>(Tab, QStringLiteral("EOtherLabel"), Korconst::KorMsg_PieOther,
                                    72, 72, 200, 22);
  Label7 = AddLabel(Tab, QStringLiteral("Label7"), QStringLiteral("&Label:"), 8, 76, EOtherLabel);
  Button2 = B::AddTo<QPushButton>(Tab, QStringLiteral("Button2"), QStringLiteral("Le&gend..."), 72,
                                  108, 110, 25);
}

void TPieSeriesEditor::Connect() {
  auto Wire = [this](auto* Control, auto Signal, void (TPieSeriesEditor::*Handler)()) {
    connect(Control, Signal, this,
            [this, Handler] { Apply([this, Handler] { (this->*Handler)(); }); });
  };
  Wire(CBDark3d, &QCheckBox::toggled, &TPieSeriesEditor::CBDark3dClick);
  Wire(SEExpBig, &QLineEdit::textChanged, &TPieSeriesEditor::SEExpBigChange);
  Wire(CBPatterns, &QCheckBox::toggled, &TPieSeriesEditor::CBPatternsClick);
  Wire(Edit1, &QLineEdit::textChanged, &TPieSeriesEditor::Edit1Change);
  Wire(BShadow, &QPushButton::clicked, &TPieSeriesEditor::BShadowClick);
  Wire(CBMarksAutoPosition, &QCheckBox::toggled, &TPieSeriesEditor::CBMarksAutoPositionClick);
  Wire(Edit2, &QLineEdit::textChanged, &TPieSeriesEditor::Edit2Change);
  Wire(CBMultiple, &QComboBox::currentIndexChanged, &TPieSeriesEditor::CBMultipleChange);
  Wire(CBOther, &QComboBox::currentIndexChanged, &TPieSeriesEditor::CBOtherChange);
  Wire(EOtherValue, &QLineEdit::textChanged, &TPieSeriesEditor::EOtherValueChange);
  Wire(EOtherLabel, &QLineEdit::textChanged, &TPieSeriesEditor::EOtherLabelChange);
  Wire(Button2, &QPushButton::clicked, &TPieSeriesEditor::Button2Click);
  Wire(CBColorEach, &QCheckBox::toggled, &TPieSeriesEditor::CBColorEachClick);
}

void TPieSeriesEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TPieSeriesEditor::Apply(const std::function<void()>& Body) {
  if (FUpdating || FSeries == nullptr) return;
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

void TPieSeriesEditor::FormShow() {
  FSeries = dynamic_cast<TPieSeries*>(KorFormObject(*this));
  if (FSeries == nullptr) return;
  LoadControls();
  DockCircledForm();
}

// A pie covers its whole circle with slices, so a circle background
// (colour, gradient, or none) is never seen as such; the circle gradient
// is the slices' gradient, edited with "3D Gradient...", and making the
// circle "transparent" would switch it off.
void TPieSeriesEditor::DockCircledForm() {
  if (CircledForm == nullptr) {
    CircledForm = new TCircledSeriesEditor(TabCircled);
    ShowControls(false, {CircledForm->BBack, CircledForm->CBTransp, CircledForm->BGradient});
    // The 3D switch there decides whether "Dark 3D" means anything.
    connect(CircledForm->CB3D, &QCheckBox::toggled, this, [this] { EnableDark3D(); });
  }
  AddObjectFormTo(*CircledForm, *TabCircled, FSeries);
  CircledForm->FormShow();
}

void TPieSeriesEditor::LoadControls() {
  const TScopeGuard Restore([this, Was = FUpdating] { FUpdating = Was; });
  FUpdating = true;
  CBDark3d->setChecked(FSeries->GetDark3D());
  EnableDark3D();
  SEExpBig->SetPosition(FSeries->GetExplodeBiggest());
  CBPatterns->setChecked(FSeries->GetUsePatterns());
  BPen->LinkPen(&FSeries->GetPiePen());
  Edit1->SetPosition(FSeries->GetAngleSize());
  CBMarksAutoPosition->setChecked(FSeries->GetAutoMarkPosition());
  BGradient->LinkGradient(&FSeries->GetGradient());
  Edit2->SetPosition(FSeries->GetDarkPen());
  CBMultiple->setCurrentIndex(FSeries->GetMultiPie() == mpAutomatic ? 0 : 1);
  const TPieOtherSlice& Other = FSeries->GetOtherSlice();
  CBOther->setCurrentIndex(static_cast<int>(Other.GetStyle()));
  EOtherValue->setText(FloatToStr(Other.GetValue()));
  EOtherLabel->setText(Other.GetText());
  EnableOtherEdits();
  CBColorEach->setChecked(FSeries->GetColorEachPoint());
  BColor->LinkProperty(FSeries, QStringLiteral("SeriesColor"));
  BColor->setEnabled(!FSeries->GetColorEachPoint());
}

void TPieSeriesEditor::EnableDark3D() {
  const TCustomAxisPanel* Chart = FSeries != nullptr ? FSeries->GetParentChart() : nullptr;
  CBDark3d->setEnabled(Chart != nullptr && Chart->GetView3D());
}

void TPieSeriesEditor::EnableOtherEdits() {
  const bool Grouping = CBOther->currentIndex() > 0;
  for (QWidget* W : {static_cast<QWidget*>(EOtherValue), static_cast<QWidget*>(EOtherLabel),
                     static_cast<QWidget*>(Label6), static_cast<QWidget*>(Label7)})
    W->setEnabled(Grouping);
}

void TPieSeriesEditor::CBDark3dClick() {
  FSeries->SetDark3D(CBDark3d->isChecked());
}

void TPieSeriesEditor::SEExpBigChange() {
  int Value = 0;
  if (KorTypedInt(*SEExpBig, Value)) FSeries->SetExplodeBiggest(Value);
}

void TPieSeriesEditor::CBPatternsClick() {
  FSeries->SetUsePatterns(CBPatterns->isChecked());
}

void TPieSeriesEditor::Edit1Change() {
  int Value = 0;
  if (KorTypedInt(*Edit1, Value)) FSeries->SetAngleSize(Value);
}

void TPieSeriesEditor::BShadowClick() {
  EditKorShadow(this, FSeries->GetShadow());
}

void TPieSeriesEditor::CBMarksAutoPositionClick() {
  FSeries->SetAutoMarkPosition(CBMarksAutoPosition->isChecked());
}

void TPieSeriesEditor::Edit2Change() {
  int Value = 0;
  if (KorTypedInt(*Edit2, Value)) FSeries->SetDarkPen(Value);
}

void TPieSeriesEditor::CBMultipleChange() {
  FSeries->SetMultiPie(CBMultiple->currentIndex() == 1 ? mpDisabled : mpAutomatic);
}

void TPieSeriesEditor::CBOtherChange() {
  if (CBOther->currentIndex() < 0) return;
  FSeries->GetOtherSlice().SetStyle(static_cast<TPieOtherStyle>(CBOther->currentIndex()));
  EnableOtherEdits();
}

void TPieSeriesEditor::EOtherValueChange() {
  const QString Text = EOtherValue->text().trimmed();
  double Value = 0;
  if (!Text.isEmpty() && TryStrToFloat(Text, Value)) FSeries->GetOtherSlice().SetValue(Value);
}

void TPieSeriesEditor::EOtherLabelChange() {
  FSeries->GetOtherSlice().SetText(EOtherLabel->text());
}

void TPieSeriesEditor::Button2Click() {
  // Made on first use; none while the pie is in no chart.
  TChartLegend* Legend = FSeries->GetOtherSlice().GetLegend();
  if (Legend == nullptr) return;
  TFormKorLegend Form(window(), *Legend);
  KorPrepareForm(Form, this);
  Form.setWindowTitle(Korconst::KorMsg_Legend);
  ShowModal(Form);
}

void TPieSeriesEditor::CBColorEachClick() {
  FSeries->SetColorEachPoint(CBColorEach->isChecked());
  BColor->setEnabled(!CBColorEach->isChecked());
}

void RegisterPieSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TPieSeriesEditor"),
                     [](QWidget* Parent) { return new TPieSeriesEditor(Parent); });
}
