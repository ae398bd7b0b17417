#include "chart/editor/TSelectListForm.h"

#include "chart/editor/KorEditorHelpers.h"

#include "platform/QtGuard.h"
#include "platform/TBitmap.h"
#include "platform/TFormBuilder.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

TSelectListForm::TSelectListForm(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("SelectListForm"));
  BuildControls();
  LoadArrows();
  Connect();
  setFixedSize(334, 200);
}

TSelectListForm::~TSelectListForm() = default;

void TSelectListForm::BuildControls() {
  TFormBuilder B(*this);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("A&vailable:"), 8, 4, 120, 13);
  FromList = B.Add<QListWidget>(QStringLiteral("FromList"), QString(), 8, 20, 130, 172);
  Label2 = B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("&Selected: "), 184, 4, 116, 13);
  ToList = B.Add<QListWidget>(QStringLiteral("ToList"), QString(), 184, 20, 116, 172);
  for (QListWidget* List : {FromList, ToList})
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Label1->setBuddy(FromList);
  Label2->setBuddy(ToList);
  BRightOne = B.Add<QPushButton>(QStringLiteral("BRightOne"), QStringLiteral(">"), 145, 36, 32, 25);
  BRightAll =
      B.Add<QPushButton>(QStringLiteral("BRightAll"), QStringLiteral(">>"), 145, 66, 32, 25);
  BLeftOne = B.Add<QPushButton>(QStringLiteral("BLeftOne"), QStringLiteral("<"), 145, 110, 32, 25);
  BLeftAll = B.Add<QPushButton>(QStringLiteral("BLeftAll"), QStringLiteral("<<"), 145, 140, 32, 25);
  BMoveUp = B.Add<QPushButton>(QStringLiteral("BMoveUp"), QString(), 306, 66, 24, 25);
  BMoveDown = B.Add<QPushButton>(QStringLiteral("BMoveDown"), QString(), 306, 96, 24, 25);
}

void TSelectListForm::LoadArrows() {
  TBitmap Up;
  TBitmap Down;
  KorLoadArrowBitmaps(Up, Down);
  if (!Up.GetEmpty()) BMoveUp->setIcon(QPixmap::fromImage(Up.Image()));
  if (!Down.GetEmpty()) BMoveDown->setIcon(QPixmap::fromImage(Down.Image()));
}

void TSelectListForm::Connect() {
  const auto Wire = [this](QPushButton* Button, void (TSelectListForm::*Handler)()) {
    connect(Button, &QPushButton::clicked, this,
            [this, Handler] { RunGuarded([this, Handler] { (this->*Handler)(); }); });
  };
  Wire(BRightOne, &TSelectListForm::BRightOneClick);
  Wire(BRightAll, &TSelectListForm::BRightAllClick);
  Wire(BLeftOne, &TSelectListForm::BLeftOneClick);
  Wire(BLeftAll, &TSelectListForm::BLeftAllClick);
  Wire(BMoveUp, &TSelectListForm::BMoveUpClick);
  Wire(BMoveDown, &TSelectListForm::BMoveDownClick);
  connect(FromList, &QListWidget::itemDoubleClicked, this,
          [this] { RunGuarded([this] { FromListDblClick(); }); });
  connect(ToList, &QListWidget::itemDoubleClicked, this,
          [this] { RunGuarded([this] { ToListDblClick(); }); });
  connect(ToList, &QListWidget::currentRowChanged, this,
          [this] { RunGuarded([this] { EnableButtons(); }); });
}

void TSelectListForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TSelectListForm::FormShow() {
  if (FromList->count() > 0)
    FromList->setFocus();
  else
    ToList->setFocus();
  EnableButtons();
}

void TSelectListForm::EnableButtons() {
  const bool Available = FromList->count() > 0;
  const bool Selected = ToList->count() > 0;
  BRightOne->setEnabled(Available);
  BRightAll->setEnabled(Available);
  BLeftOne->setEnabled(Selected);
  BLeftAll->setEnabled(Selected);
  const int Row = ToList->currentRow();
  BMoveUp->setEnabled(Row > 0);
  BMoveDown->setEnabled(Row >= 0 && Row < ToList->count() - 1);
}

void TSelectListForm::Changed() {
  EnableButtons();
  if (OnChange) OnChange(this);
}

void TSelectListForm::BRightOneClick() {
  MoveList(*FromList, *ToList);
  if (FromList->count() == 0) ToList->setFocus();
  Changed();
}

void TSelectListForm::BRightAllClick() {
  MoveListAll(*FromList, *ToList);
  Changed();
}

void TSelectListForm::BLeftOneClick() {
  MoveList(*ToList, *FromList);
  Changed();
}

void TSelectListForm::BLeftAllClick() {
  MoveListAll(*ToList, *FromList);
  Changed();
}

void TSelectListForm::FromListDblClick() {
  BRightOneClick();
  if (ToList->count() > 0) ToList->setCurrentRow(ToList->count() - 1);
  EnableButtons();
}

void TSelectListForm::ToListDblClick() {
  BLeftOneClick();
}

void TSelectListForm::ExchangeSelected(int Step) {
  const int Row = ToList->currentRow();
  const int Target = Row + Step;
  if (Row < 0 || Target < 0 || Target >= ToList->count()) return;
  QListWidgetItem* Item = ToList->takeItem(Row);
  ToList->insertItem(Target, Item);
  ToList->clearSelection();
  ToList->setCurrentRow(Target);
  Changed();
}

void TSelectListForm::BMoveUpClick() {
  ExchangeSelected(-1);
}

void TSelectListForm::BMoveDownClick() {
  ExchangeSelected(1);
}
