#include "app/report/Richeditole.h"

#include "app/report/PasteSpecialDialog.h"
#include "app/report/ReportPicture.h"
#include "app/report/ReportTextEdit.h"
#include "app/report/Richeditolecallback.h"

#include "platform/ModalHooks.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTextCursor>

namespace {

const QString Refused = QStringLiteral("RichEdit refused to paste object.");

const QMimeData& ClipboardData() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) throw EOleError(Refused);
  return *data;
}

}  // namespace

RichEditOleSupport::RichEditOleSupport(ReportTextEdit& ARichEdit)
    : FRichEdit(&ARichEdit), FCallback(std::make_unique<RichEditOleCallback>(ARichEdit)) {
  ARichEdit.SetOleCallback(FCallback.get());
}

RichEditOleSupport::~RichEditOleSupport() {
  if (FRichEdit) {
    try {
      CloseObjects(false);
    } catch (...) {
      // Nothing may leave a destructor; there is no object to lose.
    }
    if (FRichEdit->GetOleCallback() == FCallback.get()) FRichEdit->SetOleCallback(nullptr);
  }
}

ReportTextEdit& RichEditOleSupport::Control() const {
  if (!FRichEdit) throw EOleError(QStringLiteral("RichEdit OLE interface is not valid."));
  return *FRichEdit;
}

void RichEditOleSupport::PastePicture() {
  InsertPicture(qvariant_cast<QImage>(ClipboardData().imageData()));
}

void RichEditOleSupport::InsertPicture(const QImage& Image) {
  ReportTextEdit& control = Control();
  if (Image.isNull() || control.isReadOnly() || !FCallback->QueryInsertObject())
    throw EOleError(Refused);
  QTextCursor cursor = control.textCursor();
  InsertReportPicture(cursor, Image);
  control.setTextCursor(cursor);
}

bool RichEditOleSupport::PasteSpecial() {
  ReportTextEdit& control = Control();
  const QMimeData& data = ClipboardData();
  TPasteSpecialDlg dialog(data, control.window());
  if (ShowModal(dialog) != mrOk || dialog.Selected() < 0) return false;
  switch (dialog.Entries()[dialog.Selected()].Format) {
    case TPasteFormat::pfText:
      if (!data.hasText() || control.isReadOnly()) throw EOleError(Refused);
      control.insertPlainText(data.text());
      break;
    case TPasteFormat::pfRtf:
      if (control.isReadOnly() || !control.InsertRtf(ReportTextEdit::RtfData(data)))
        throw EOleError(Refused);
      break;
    case TPasteFormat::pfDib:
    case TPasteFormat::pfBitmap: InsertPicture(qvariant_cast<QImage>(data.imageData())); break;
  }
  return true;
}

bool RichEditOleSupport::CloseObjects(bool) {
  Control();
  return true;
}
