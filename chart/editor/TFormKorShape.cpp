#include "chart/editor/TFormKorShape.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TKorFontEditor.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TKorShadowEditor.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TKorCustomShape.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int FormWidth = 352;
constexpr int FormHeight = 276;
// The dialog's bottom panel with its OK button.
constexpr int ButtonPanelHeight = 30;
constexpr int OkFromRight = 98;

}  // namespace

TFormKorShape::TFormKorShape(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("FormKorShape"));
  BuildControls();
  Connect();
  setFixedSize(FormWidth, FormHeight);
}

TFormKorShape::~TFormKorShape() = default;

void TFormKorShape::BuildControls() {
  PageControl1 = TFormBuilder::AddTo<QTabWidget>(*this, QStringLiteral("PageControl1"), QString(),
                                                 0, 0, FormWidth, FormHeight);
  TabFormat = AddNamedTab(*PageControl1, QStringLiteral("TabFormat"), QStringLiteral("Format"));
  TabGradient =
      AddNamedTab(*PageControl1, QStringLiteral("TabGradient"), QStringLiteral("Gradient"));
  TabText = AddNamedTab(*PageControl1, QStringLiteral("TabText"), QStringLiteral("Text"));
  TabShadow = AddNamedTab(*PageControl1, QStringLiteral("TabShadow"), QStringLiteral("Shadow"));
  BuildFormatTab();
  // Bound to the shape's gradient by RefreshControls.
  GradientEditor = new TKorGradientEditor(TabGradient, nullptr);
  AddFormTo(*GradientEditor, *TabGradient);
  FontEditor = InsertKorFontEditor(*TabText);
  ShadowEditor = InsertKorShadowEditor(*TabShadow);
  PageControl1->setCurrentWidget(TabFormat);
}

void TFormKorShape::BuildFormatTab() {
  QWidget& Tab = *TabFormat;
  using B = TFormBuilder;
  BBackColor = B::AddTo<TButtonColor>(Tab, QStringLiteral("BBackColor"),
                                      QStringLiteral("&Color..."), 8, 8, 84, 25);
  Button4 = B::AddTo<TButtonPen>(Tab, QStringLiteral("Button4"), QStringLiteral("&Frame..."), 8, 40,
                                 84, 25);
  Button6 = B::AddTo<QPushButton>(Tab, QStringLiteral("Button6"), QStringLiteral("&Pattern..."), 8,
                                  72, 84, 25);
  CBRound = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBRound"), QStringLiteral("&Round Frame"), 108,
                                12, 120, 17);
  CBTransparent = B::AddTo<QCheckBox>(Tab, QStringLiteral("CBTransparent"),
                                      QStringLiteral("&Transparent"), 108, 34, 120, 17);
  Label1 =
      B::AddTo<QLabel>(Tab, QStringLiteral("Label1"), QStringLiteral("&Bevel:"), 108, 64, 50, 13);
  CBBevel = B::AddTo<QComboBox>(Tab, QStringLiteral("CBBevel"), QString(), 164, 60, 90, 22);
  CBBevel->addItems({QStringLiteral("None"), QStringLiteral("Lowered"), QStringLiteral("Raised")});
  Label2 =
      B::AddTo<QLabel>(Tab, QStringLiteral("Label2"), QStringLiteral("Siz&e:"), 108, 94, 50, 13);
  EBevWidth =
      B::AddTo<TEditUpDown>(Tab, QStringLiteral("EBevWidth"), QStringLiteral("1"), 164, 90, 56, 22);
  EBevWidth->GetUpDown()->setObjectName(QStringLiteral("UDBevWidth"));
  EBevWidth->SetMin(1);
  Label3 = B::AddTo<QLabel>(Tab, QStringLiteral("Label3"), QStringLiteral("&Transparency:"), 8, 128,
                            90, 13);
  EShadowTransp = B::AddTo<TEditUpDown>(Tab, QStringLiteral("EShadowTransp"), QStringLiteral("0"),
                                        104, 124, 56, 22);
  EShadowTransp->GetUpDown()->setObjectName(QStringLiteral("UDShadowTransp"));
  EShadowTransp->SetMin(0);
  EShadowTransp->SetMax(100);
  Label1->setBuddy(CBBevel);
  Label2->setBuddy(EBevWidth);
  Label3->setBuddy(EShadowTransp);
}

void TFormKorShape::Connect() {
  BBackColor->OnClick = [this](TKorButton*) { BBackColorClick(); };
  connect(Button6, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button6Click(); }); });
  connect(CBRound, &QCheckBox::clicked, this, [this] { RunGuarded([this] { CBRoundClick(); }); });
  connect(CBTransparent, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBTransparentClick(); }); });
  connect(CBBevel, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBBevelChange(); }); });
  connect(EBevWidth, &QLineEdit::textChanged, this,
          [this] { RunGuarded([this] { EBevWidthChange(); }); });
  connect(EShadowTransp, &QLineEdit::textChanged, this,
          [this] { RunGuarded([this] { EShadowTranspChange(); }); });
}

void TFormKorShape::RefreshControls(TKorCustomShape* Shape) {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  FShape = Shape;
  if (FShape == nullptr) {
    Button4->LinkPen(nullptr);
    GradientEditor->RefreshGradient(nullptr);
    FontEditor->RefreshControls(nullptr);
    ShadowEditor->RefreshControls(nullptr);
    return;
  }
  BBackColor->LinkProperty(FShape, QStringLiteral("Color"));
  Button4->LinkPen(&FShape->GetPen());
  CBRound->setChecked(FShape->GetShapeStyle() == fosRoundRectangle);
  CBTransparent->setChecked(FShape->GetTransparent());
  // A bevel without an item (space) selects none.
  CBBevel->setCurrentIndex(FShape->GetBevel() <= bvRaised ? static_cast<int>(FShape->GetBevel())
                                                          : -1);
  EBevWidth->SetPosition(FShape->GetBevelWidth());
  EShadowTransp->SetPosition(FShape->GetTransparency());
  EnableBevelWidth();
  GradientEditor->RefreshGradient(FShape->GetGradient());
  FontEditor->RefreshControls(&FShape->GetFont());
  ShadowEditor->RefreshControls(&FShape->GetShadow());
}

void TFormKorShape::CBVisibleChecked(const QCheckBox& Box) {
  if (FShape != nullptr) FShape->SetVisible(Box.isChecked());
}

void TFormKorShape::EnableBevelWidth() {
  const bool Bevel = CBBevel->currentIndex() > 0;
  EBevWidth->setEnabled(Bevel);
  Label2->setEnabled(Bevel);
}

void TFormKorShape::BBackColorClick() {
  // A colour is meant to be seen.
  CBTransparent->setChecked(false);
  if (FShape != nullptr) FShape->SetTransparent(false);
}

void TFormKorShape::Button6Click() {
  if (FShape != nullptr) EditChartBrush(this, FShape->GetBrush());
}

void TFormKorShape::CBRoundClick() {
  if (FShape != nullptr)
    FShape->SetShapeStyle(CBRound->isChecked() ? fosRoundRectangle : fosRectangle);
}

void TFormKorShape::CBTransparentClick() {
  if (FShape != nullptr) FShape->SetTransparent(CBTransparent->isChecked());
}

void TFormKorShape::CBBevelChange() {
  if (FUpdating || FShape == nullptr || CBBevel->currentIndex() < 0) return;
  FShape->SetBevel(static_cast<TPanelBevel>(CBBevel->currentIndex()));
  EnableBevelWidth();
}

void TFormKorShape::EBevWidthChange() {
  if (!FUpdating && FShape != nullptr) FShape->SetBevelWidth(EBevWidth->GetPosition());
}

void TFormKorShape::EShadowTranspChange() {
  if (!FUpdating && FShape != nullptr) FShape->SetTransparency(EShadowTransp->GetPosition());
}

TFormKorShape* InsertKorObjectForm(QTabWidget& PageControl, TKorCustomShape* Shape) {
  auto* Form = new TFormKorShape(&PageControl);
  // Only its tabs are seen; the form stays a hidden child of the host.
  Form->setParent(&PageControl, Qt::Widget);
  Form->hide();
  Form->RefreshControls(Shape);
  KorTranslateControl(Form);
  QTabWidget& Own = *Form->PageControl1;
  while (Own.count() > 0) {
    QWidget* Page = Own.widget(0);
    const QString Caption = Own.tabText(0);
    Own.removeTab(0);
    PageControl.addTab(Page, Caption);
  }
  PageControl.setCurrentIndex(0);
  return Form;
}

bool EditKorCustomShape(QWidget* Owner, TKorCustomShape& Shape) {
  const std::unique_ptr<TFormKorShape> Form = KorCreateForm<TFormKorShape>(Owner);
  Form->setFixedSize(FormWidth, FormHeight + ButtonPanelHeight);
  auto* Panel = TFormBuilder::AddTo<QWidget>(*Form, QStringLiteral("PanelBottom"), QString(), 0,
                                             FormHeight, FormWidth, ButtonPanelHeight);
  auto* BOK = TFormBuilder::AddTo<QPushButton>(*Panel, QStringLiteral("BOK"), QStringLiteral("OK"),
                                               FormWidth - OkFromRight, 3, 75, 25);
  BOK->setDefault(true);
  TFormKorShape* Dialog = Form.get();
  QObject::connect(BOK, &QPushButton::clicked, Dialog, [Dialog] { Dialog->done(mrOk); });
  KorPrepareForm(*Form, Owner);
  Form->RefreshControls(&Shape);
  KorTranslateControl(Form.get());
  return ShowModal(*Form) == mrOk;
}
