#include "app/UnitScanSelector.h"

#include "analysis/Gofs2004.h"
#include "platform/ModalHooks.h"
#include "platform/NumberText.h"
#include "platform/QtGuard.h"
#include "platform/TUpDown.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// The last value accepted from each edit, shared by every selector of the
// program: typing the value accepted last time does nothing, even in
// another viewer's selector.
int LastAccepted[3] = {0, 0, 0};  // start, end, step edit

// The C library's reading of a leading decimal integer; 0 when there is
// none (or it does not fit an int).
int LeadingInteger(const QString& Text) {
  const std::string bytes = Text.toStdString();
  std::string_view view(bytes);
  int value = 0;
  return ScanInt(view, value) ? value : 0;
}

// Buttons never act as the dialog's default, so Enter in an edit only
// takes the edit's value and does not press "OK".
QPushButton* NewButton(const QString& Caption, QWidget* Parent) {
  auto* button = new QPushButton(Caption, Parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

template <class Handler>
void OnClicked(QPushButton* Button, QObject* Context, Handler Body) {
  QObject::connect(Button, &QPushButton::clicked, Context, [Body] { RunGuarded(Body); });
}

constexpr int FormWidth = 560;
constexpr int FormHeight = 420;
constexpr int ListLeft = 8;
constexpr int ListGap = 8;  // between the panel and the list

}  // namespace

TScanSelector::TScanSelector(QWidget* AOwner) : QDialog(AOwner) {
  setObjectName(QStringLiteral("ScanSelector"));
  setWindowTitle(QStringLiteral("ScanSelector"));
  Panel = BuildPanel();
  CheckListBox1 = new QListWidget(this);
  // Items run down a column and wrap into the next, as a multi-column
  // check list does; the columns scroll sideways.
  CheckListBox1->setFlow(QListView::TopToBottom);
  CheckListBox1->setWrapping(true);
  CheckListBox1->setResizeMode(QListView::Adjust);
  CheckListBox1->setUniformItemSizes(true);
  // Scan numbers are short; a narrow column clips a long one rather than
  // turning every label into dots.
  CheckListBox1->setTextElideMode(Qt::ElideNone);
  resize(FormWidth, FormHeight);
  FormResize();
}

QWidget* TScanSelector::BuildPanel() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  LabelManual = new QLabel(QStringLiteral("Manual set"), panel);
  grid->addWidget(LabelManual, 0, 0, 1, 9);
  const struct {
    const char* Caption;
    QLineEdit*& Edit;
    TUpDown*& UpDown;
    TEditKind Kind;
  } rows[] = {{"Start with", EditStart, UpDownStart, ekStart},
              {"End with", EditEnd, UpDownEnd, ekEnd},
              {"Step", EditStep, UpDownStep, ekStep}};
  int column = 0;
  for (const auto& row : rows) {
    row.Edit = new QLineEdit(QStringLiteral("1"), panel);
    row.Edit->setMaximumWidth(60);
    row.UpDown = new TUpDown(panel);
    // The limits the form starts with, until InitScanSelector sets them.
    row.UpDown->SetMin(1);
    row.UpDown->SetMax(999);
    row.UpDown->SetPosition(1);
    WireEdit(row.Edit, row.UpDown, row.Kind);
    grid->addWidget(new QLabel(QString::fromLatin1(row.Caption), panel), 1, column);
    grid->addWidget(row.Edit, 1, column + 1);
    grid->addWidget(row.UpDown, 1, column + 2);
    column += 3;
  }
  ButtonAutomatic = NewButton(QStringLiteral("Reset Automatic"), panel);
  ButtonCancel = NewButton(QStringLiteral("Cancel"), panel);
  ButtonOK = NewButton(QStringLiteral("OK"), panel);
  ButtonSelectAll = NewButton(QStringLiteral("Select All"), panel);
  ButtonUnselectAll = NewButton(QStringLiteral("Unselect All"), panel);
  OnClicked(ButtonAutomatic, this, [this] { ButtonAutomaticClick(); });
  OnClicked(ButtonCancel, this, [this] { ButtonCancelClick(); });
  OnClicked(ButtonOK, this, [this] { ButtonOKClick(); });
  OnClicked(ButtonSelectAll, this, [this] { ButtonSelectAllClick(); });
  OnClicked(ButtonUnselectAll, this, [this] { ButtonUnselectAllClick(); });
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b :
       {ButtonAutomatic, ButtonSelectAll, ButtonUnselectAll, ButtonCancel, ButtonOK})
    buttons->addWidget(b);
  grid->addLayout(buttons, 2, 0, 1, 9);
  return panel;
}

void TScanSelector::WireEdit(QLineEdit* Edit, TUpDown* UpDown, TEditKind Kind) {
  // Leaving the edit takes its value; Enter is a key press of character 13.
  Edit->installEventFilter(this);
  connect(Edit, &QLineEdit::returnPressed, this, [this, Kind] {
    RunGuarded([&] {
      switch (Kind) {
        case ekStart: EditStartKeyPress('\r'); break;
        case ekEnd: EditEndKeyPress('\r'); break;
        case ekStep: EditStepKeyPress('\r'); break;
      }
    });
  });
  UpDown->OnClick = [this, Kind](TUpDown*, TUDBtnType) {
    switch (Kind) {
      case ekStart: UpDownStartClick(); break;
      case ekEnd: UpDownEndClick(); break;
      case ekStep: UpDownStepClick(); break;
    }
  };
}

bool TScanSelector::eventFilter(QObject* Watched, QEvent* Event) {
  // Only focus moving to another control of the dialog leaves an edit;
  // switching to another window does not.
  if (Event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(Event)->reason() != Qt::ActiveWindowFocusReason &&
      static_cast<QFocusEvent*>(Event)->reason() != Qt::PopupFocusReason) {
    if (Watched == EditStart) RunGuarded([&] { EditStartExit(); });
    if (Watched == EditEnd) RunGuarded([&] { EditEndExit(); });
    if (Watched == EditStep) RunGuarded([&] { EditStepExit(); });
  }
  return QDialog::eventFilter(Watched, Event);
}

void TScanSelector::InitScanSelector(int* AFlags, const ScanHeader* AHeaders, int ACount,
                                     int AStep) {
  Busy = true;
  Flags = AFlags;
  Headers = AHeaders;
  Count = Flags != nullptr ? std::max(0, ACount) : 0;
  // Every maximum is at least 1, so an empty viewer gives valid limits
  // (an up-down whose maximum fell below its minimum would take 0).
  const int top = std::max(1, Count);
  for (TUpDown* upDown : {UpDownStart, UpDownEnd, UpDownStep}) {
    upDown->SetMin(1);
    upDown->SetMax(top);
  }
  UpDownStep->SetPosition(std::clamp(AStep, 1, top));

  CheckListBox1->clear();
  int lastTicked = -1;
  for (int i = 0; i < Count; ++i) {
    int label =
        Headers != nullptr ? ScanNumberFromName(QString::fromStdString(Headers[i].FileName)) : 0;
    if (label == 0) label = i;
    auto* item = new QListWidgetItem(QString::number(label), CheckListBox1);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const bool ticked = Flags[i] > 0;
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    if (!ticked) continue;
    if (lastTicked < 0) {
      UpDownStart->SetPosition(i + 1);
      ShowPosition(ekStart);
    }
    lastTicked = i;
  }
  // A short run is shown whole: every scan starts ticked.
  if (Count < 25) ButtonSelectAllClick();
  UpDownEnd->SetPosition(lastTicked + 1);
  ShowPosition(ekStep);
  ShowPosition(ekEnd);
  Busy = false;
}

void TScanSelector::ButtonOKClick() {
  for (int i = 0; i < Count && i < CheckListBox1->count(); ++i)
    Flags[i] = CheckListBox1->item(i)->checkState() == Qt::Checked ? 1 : 0;
  ShownCount = CheckListBox1->count();
  Step = UpDownStep->GetPosition();
  Automatic = false;
  ForgetStore();
  done(mrOk);
}

void TScanSelector::ButtonCancelClick() {
  ShownCount = CheckListBox1->count();
  ForgetStore();
  done(mrCancel);
}

void TScanSelector::reject() {
  ButtonCancelClick();
}

void TScanSelector::ForgetStore() {
  Count = 0;
  Flags = nullptr;
  Headers = nullptr;
}

void TScanSelector::ButtonAutomaticClick() {
  Automatic = true;
}

void TScanSelector::ButtonSelectAllClick() {
  SetAllTicks(true);
}

void TScanSelector::ButtonUnselectAllClick() {
  SetAllTicks(false);
}

void TScanSelector::SetAllTicks(bool Ticked) {
  for (int i = 0; i < CheckListBox1->count(); ++i)
    CheckListBox1->item(i)->setCheckState(Ticked ? Qt::Checked : Qt::Unchecked);
}

void TScanSelector::EditStartExit() {
  EditExit(ekStart);
}

void TScanSelector::EditEndExit() {
  EditExit(ekEnd);
}

void TScanSelector::EditStepExit() {
  EditExit(ekStep);
}

void TScanSelector::EditExit(TEditKind Kind) {
  QLineEdit* edit = EditOf(Kind);
  TUpDown* upDown = UpDownOf(Kind);
  int value = LeadingInteger(edit->text());
  if (value == 0 && Kind == ekStep) value = 1;
  value = std::clamp(value, upDown->GetMin(), upDown->GetMax());
  edit->setText(QString::number(value));
  int& last = LastAccepted[Kind];
  if (value == last) return;
  last = value;
  upDown->SetPosition(value);
  ApplyStartEndStep();
}

void TScanSelector::EditStartKeyPress(char Key) {
  if (Key == '\r') EditStartExit();
}

void TScanSelector::EditEndKeyPress(char Key) {
  if (Key == '\r') EditEndExit();
}

void TScanSelector::EditStepKeyPress(char Key) {
  if (Key == '\r') EditStepExit();
}

void TScanSelector::UpDownStartClick() {
  UpDownClick(ekStart);
}

void TScanSelector::UpDownEndClick() {
  UpDownClick(ekEnd);
}

void TScanSelector::UpDownStepClick() {
  UpDownClick(ekStep);
}

void TScanSelector::UpDownClick(TEditKind Kind) {
  ShowPosition(Kind);
  ApplyStartEndStep();
}

void TScanSelector::ShowPosition(TEditKind Kind) {
  EditOf(Kind)->setText(QString::number(UpDownOf(Kind)->GetPosition()));
}

QLineEdit* TScanSelector::EditOf(TEditKind Kind) const {
  return Kind == ekStart ? EditStart : Kind == ekEnd ? EditEnd : EditStep;
}

TUpDown* TScanSelector::UpDownOf(TEditKind Kind) const {
  return Kind == ekStart ? UpDownStart : Kind == ekEnd ? UpDownEnd : UpDownStep;
}

void TScanSelector::ApplyStartEndStep() {
  if (Busy) return;
  SetAllTicks(false);
  // An empty selector still has an end of 1 (the least maximum).
  const int end = std::min(UpDownEnd->GetPosition(), CheckListBox1->count());
  for (int i = UpDownStart->GetPosition() - 1; i < end; i += std::max(1, UpDownStep->GetPosition()))
    CheckListBox1->item(i)->setCheckState(Qt::Checked);
}

void TScanSelector::FormResize() {
  Panel->setGeometry(0, 0, width(), Panel->sizeHint().height());
  const int top = Panel->height() + ListGap;
  const int listWidth = std::max(200, width() - ListLeft - 20);
  const int listHeight = std::max(200, height() - top - 40);
  CheckListBox1->setGeometry(ListLeft, top, listWidth, listHeight);
  const int columns = std::max(1, listWidth / MinColumnWidth);
  const int rowHeight = CheckListBox1->fontMetrics().height() + 4;
  // The list's frame takes a few pixels of its width.
  CheckListBox1->setGridSize(QSize((listWidth - 4) / columns, rowHeight));
}

void TScanSelector::resizeEvent(QResizeEvent* Event) {
  QDialog::resizeEvent(Event);
  RunGuarded([&] { FormResize(); });
}

int TScanSelector::ScanNumberFromName(const QString& Name) {
  const qsizetype dot = Name.indexOf(QLatin1Char('.'));
  return LeadingInteger(dot < 0 ? Name : Name.left(dot + 1));
}
