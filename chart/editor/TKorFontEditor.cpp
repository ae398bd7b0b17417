#include "chart/editor/TKorFontEditor.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TKorShadowEditor.h"
#include "chart/editor/TPenDialog.h"

#include "chart/core/KorColorRoutines.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorFontGradient.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <functional>

namespace {

constexpr int MinInterChar = -100;
constexpr int MaxInterChar = 100;

// A framed box filled with one colour; a left click runs OnClick.
class TColorSwatch : public QFrame {
 public:
  explicit TColorSwatch(QWidget* Parent) : QFrame(Parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setCursor(Qt::PointingHandCursor);
  }

  void SetColor(TColor Value) {
    FColor = Value;
    update();
  }

  std::function<void()> OnClick;

 protected:
  void paintEvent(QPaintEvent* Event) override {
    RunGuarded([this] {
      QPainter Painter(this);
      Painter.fillRect(contentsRect(), ColorToQColor(FColor));
    });
    QFrame::paintEvent(Event);
  }
  void mouseReleaseEvent(QMouseEvent* Event) override {
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()) &&
        OnClick)
      RunGuarded([this] { OnClick(); });
  }

 private:
  TColor FColor = clBlack;
};

}  // namespace

TKorFontEditor::TKorFontEditor(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("KorFontEditor"));
  setWindowTitle(QStringLiteral("KorFont Editor"));
  BuildControls();
  Connect();
  setFixedSize(260, 160);
}

TKorFontEditor::~TKorFontEditor() = default;

void TKorFontEditor::BuildControls() {
  TFormBuilder B(*this);
  SHText = B.Add<TColorSwatch>(QStringLiteral("SHText"), QString(), 8, 10, 30, 21);
  Button3 =
      B.Add<QPushButton>(QStringLiteral("Button3"), QStringLiteral("&Font..."), 46, 8, 80, 25);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Inter-char spacing:"), 8, 46,
                         126, 13);
  Edit2 = B.Add<TEditUpDown>(QStringLiteral("Edit2"), QStringLiteral("0"), 138, 42, 56, 22);
  UDInter = Edit2->GetUpDown();
  UDInter->setObjectName(QStringLiteral("UDInter"));
  Edit2->SetMin(MinInterChar);
  Edit2->SetMax(MaxInterChar);
  Label1->setBuddy(Edit2);
  BOutline =
      B.Add<QPushButton>(QStringLiteral("BOutline"), QStringLiteral("&Outline..."), 8, 74, 80, 25);
  BShadow =
      B.Add<QPushButton>(QStringLiteral("BShadow"), QStringLiteral("&Shadow..."), 96, 74, 80, 25);
  CBOutGrad = B.Add<QCheckBox>(QStringLiteral("CBOutGrad"), QStringLiteral("O&utline gradient"), 8,
                               110, 128, 17);
  BGradient = B.Add<QPushButton>(QStringLiteral("BGradient"), QStringLiteral("&Gradient..."), 140,
                                 106, 80, 25);
  BOK = B.Add<QPushButton>(QStringLiteral("BOK"), QStringLiteral("OK"), 177, 132, 75, 25);
  BOK->setDefault(true);
}

void TKorFontEditor::Connect() {
  static_cast<TColorSwatch*>(SHText)->OnClick = [this] { SHTextClick(); };
  const auto Wire = [this](QPushButton* Button, void (TKorFontEditor::*Handler)()) {
    connect(Button, &QPushButton::clicked, this,
            [this, Handler] { RunGuarded([this, Handler] { (this->*Handler)(); }); });
  };
  Wire(Button3, &TKorFontEditor::Button3Click);
  Wire(BOutline, &TKorFontEditor::BOutlineClick);
  Wire(BShadow, &TKorFontEditor::BShadowClick);
  Wire(BGradient, &TKorFontEditor::BGradientClick);
  connect(CBOutGrad, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBOutGradClick(); }); });
  connect(Edit2, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { Edit2Change(); }); });
  connect(BOK, &QPushButton::clicked, this, [this] { done(mrOk); });
}

void TKorFontEditor::RefreshControls(TKorFont* Font) {
  FUpdating = true;
  TScopeGuard Updated([this] { FUpdating = false; });
  FFont = Font;
  if (FFont == nullptr) return;
  RefreshSwatch();
  Edit2->SetPosition(FFont->GetInterCharSize());
  const TKorFontGradient* Gradient = FFont->ExistingGradient();
  CBOutGrad->setChecked(Gradient != nullptr && Gradient->GetOutline());
}

void TKorFontEditor::RefreshSwatch() {
  static_cast<TColorSwatch*>(SHText)->SetColor(FFont != nullptr ? FFont->GetColor() : clBlack);
}

void TKorFontEditor::SHTextClick() {
  if (FFont == nullptr) return;
  TColor Color = FFont->GetColor();
  if (!EditColorDialog(this, Color)) return;
  FFont->SetColor(Color);
  RefreshSwatch();
}

void TKorFontEditor::Button3Click() {
  if (FFont == nullptr) return;
  if (EditKorFont(this, *FFont)) RefreshSwatch();
}

void TKorFontEditor::Edit2Change() {
  if (FFont != nullptr && !FUpdating && isVisible()) FFont->SetInterCharSize(Edit2->GetPosition());
}

void TKorFontEditor::BOutlineClick() {
  if (FFont != nullptr) EditChartPen(this, *FFont->GetOutLine());
}

void TKorFontEditor::BShadowClick() {
  if (FFont != nullptr) EditKorShadow(this, *FFont->GetShadow());
}

void TKorFontEditor::CBOutGradClick() {
  if (FFont != nullptr && !FUpdating) FFont->GetGradient()->SetOutline(CBOutGrad->isChecked());
}

void TKorFontEditor::BGradientClick() {
  if (FFont != nullptr) EditKorGradient(this, *FFont->GetGradient());
}

TKorFontEditor* InsertKorFontEditor(QWidget& Tab) {
  auto* Form = new TKorFontEditor(&Tab);
  Form->BOK->setVisible(false);
  AddFormTo(*Form, Tab);
  KorTranslateControl(Form);
  return Form;
}

bool EditKorFontEx(QWidget* Owner, TKorFont& Font) {
  const std::unique_ptr<TKorFontEditor> Form = KorCreateForm<TKorFontEditor>(Owner);
  Form->RefreshControls(&Font);
  KorTranslateControl(Form.get());
  return ShowModal(*Form) == mrOk;
}
