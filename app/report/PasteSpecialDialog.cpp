#include "app/report/PasteSpecialDialog.h"

#include "app/report/ReportTextEdit.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool Offers(const QMimeData& Data, TPasteFormat Format) {
  switch (Format) {
    case TPasteFormat::pfText: return Data.hasText();
    case TPasteFormat::pfRtf: return !ReportTextEdit::RtfData(Data).isEmpty();
    case TPasteFormat::pfDib:
    case TPasteFormat::pfBitmap: return Data.hasImage();
  }
  return false;
}

}  // namespace

TPasteSpecialDlg::TPasteSpecialDlg(const QMimeData& Data, QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Paste Special"));
  for (const TPasteEntry& entry : KnownEntries()) {
    if (Offers(Data, entry.Format)) FEntries.append(entry);
  }
  FormatList = new QListWidget(this);
  for (const TPasteEntry& entry : FEntries) FormatList->addItem(entry.Name);
  ResultLabel = new QLabel(this);
  ResultLabel->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("As:"), this));
  layout->addWidget(FormatList, 1);
  layout->addWidget(ResultLabel);
  layout->addWidget(buttons);
  QObject::connect(FormatList, &QListWidget::currentRowChanged, this,
                   [this] { RunGuarded([this] { ShowResult(); }); });
  QObject::connect(buttons, &QDialogButtonBox::accepted, this,
                   [this] { RunGuarded([this] { OkClick(); }); });
  QObject::connect(buttons, &QDialogButtonBox::rejected, this,
                   [this] { RunGuarded([this] { CancelClick(); }); });
  if (!FEntries.isEmpty()) Select(0);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(!FEntries.isEmpty());
}

QVector<TPasteEntry> TPasteSpecialDlg::KnownEntries() {
  return {
      {TPasteFormat::pfText, QStringLiteral("Unformatted Text"),
       QStringLiteral("text without any formatting")},
      {TPasteFormat::pfRtf, QStringLiteral("Formatted Text (RTF)"),
       QStringLiteral("text with font and paragraph formatting")},
      {TPasteFormat::pfDib, QStringLiteral("Device Independent Bitmap"),
       QStringLiteral("a device independent bitmap")},
      {TPasteFormat::pfBitmap, QStringLiteral("Bitmap"), QStringLiteral("a bitmap")},
  };
}

int TPasteSpecialDlg::Selected() const {
  return FormatList->currentRow();
}

void TPasteSpecialDlg::Select(int Index) {
  FormatList->setCurrentRow(Index);
  ShowResult();
}

void TPasteSpecialDlg::OkClick() {
  done(Selected() >= 0 ? mrOk : mrCancel);
}

void TPasteSpecialDlg::CancelClick() {
  done(mrCancel);
}

void TPasteSpecialDlg::ShowResult() {
  const int row = Selected();
  ResultLabel->setText(row >= 0 ? QStringLiteral("Inserts the contents of the clipboard as ") +
                                      FEntries[row].ResultText + u'.'
                                : QString());
}
