#include "app/ConfigEdit.h"

#include "app/Configuration.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ButtonWidth = 75;   // pixels
constexpr int ButtonHeight = 25;  // pixels
constexpr int ButtonGap = 25;     // pixels from the middle of the panel

// The memo's lines as a list: a line end after the last line adds no line.
QStringList MemoLines(const QPlainTextEdit& Memo) {
  QStringList lines = Memo.toPlainText().split(u'\n');
  if (lines.back().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

TConfigEdFrm::TConfigEdFrm(Configuration& AConfiguration, QWidget* AOwner)
    : QDialog(AOwner), FConfiguration(AConfiguration) {
  setWindowTitle(QFileInfo(AConfiguration.FileName()).fileName());
  resize(600, 450);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Panel1 = new QWidget(this);
  Panel1->setFixedHeight(PanelHeight);
  BitBtn1 = new QPushButton(QStringLiteral("OK"), Panel1);
  BitBtn2 = new QPushButton(QStringLiteral("Cancel"), Panel1);
  for (QPushButton* button : {BitBtn1, BitBtn2}) {
    button->resize(ButtonWidth, ButtonHeight);
    button->move(0, (PanelHeight - ButtonHeight) / 2);
  }
  BitBtn1->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Memo1, 1);
  layout->addWidget(Panel1);
  QObject::connect(BitBtn1, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { BitBtn1Click(); }); });
  QObject::connect(BitBtn2, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { BitBtn2Click(); }); });
}

void TConfigEdFrm::FormShow() {
  if (FMemoFilled) return;
  FMemoFilled = true;
  Memo1->setPlainText(FConfiguration.Lines().join(u'\n'));
}

void TConfigEdFrm::FormResize() {
  const int w = Panel1->width();
  BitBtn1->move(w / 2 + ButtonGap, BitBtn1->y());
  BitBtn2->move(w / 2 - BitBtn2->width() - ButtonGap, BitBtn2->y());
}

void TConfigEdFrm::BitBtn1Click() {
  FConfiguration.SetLines(MemoLines(*Memo1));
  FConfiguration.FlushNow();
  done(mrOk);
}

void TConfigEdFrm::BitBtn2Click() {
  done(mrCancel);
}

void TConfigEdFrm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  RunGuarded([this] { FormShow(); });
}

void TConfigEdFrm::resizeEvent(QResizeEvent* Event) {
  QDialog::resizeEvent(Event);
  // The layout has already given the panel its new width.
  RunGuarded([this] { FormResize(); });
}

void TConfigEdFrm::reject() {
  done(mrCancel);
}
