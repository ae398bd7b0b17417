#include "app/report/ReportTextEdit.h"

#include "app/report/ReportPicture.h"
#include "app/report/Richeditolecallback.h"
#include "app/report/RtfReader.h"

#include "platform/QtGuard.h"

#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const char* const RtfMimeTypes[] = {"text/rtf", "application/rtf", "text/richtext"};

}  // namespace

ReportTextEdit::ReportTextEdit(QWidget* Parent) : QTextEdit(Parent) {
  setAcceptRichText(true);
}

QByteArray ReportTextEdit::RtfData(const QMimeData& Source) {
  for (const char* type : RtfMimeTypes) {
    if (Source.hasFormat(QLatin1String(type))) return Source.data(QLatin1String(type));
  }
  return QByteArray();
}

bool ReportTextEdit::InsertRtf(const QByteArray& Data) {
  // A scratch read first: a damaged clipboard must not leave half a paste.
  QTextDocument scratch;
  QTextCursor scratchCursor(&scratch);
  RtfReader reader;
  if (!reader.Read(Data, scratchCursor)) return false;
  QTextCursor cursor = textCursor();
  reader.Read(Data, cursor);
  setTextCursor(cursor);
  return true;
}

bool ReportTextEdit::AcceptsPaste() const {
  return FCallback == nullptr ||
         FCallback->QueryAcceptData(RichEditOleCallback::TDataOrigin::doPaste);
}

bool ReportTextEdit::AcceptsDrop() const {
  return FCallback == nullptr ||
         FCallback->QueryAcceptData(RichEditOleCallback::TDataOrigin::doDrop);
}

bool ReportTextEdit::canInsertFromMimeData(const QMimeData* Source) const {
  if (Source == nullptr || !AcceptsPaste()) return false;
  const bool picture = Source->hasImage() && FCallback != nullptr;
  return picture || !RtfData(*Source).isEmpty() || Source->hasText();
}

void ReportTextEdit::insertFromMimeData(const QMimeData* Source) {
  if (Source == nullptr || isReadOnly() || !AcceptsPaste()) return;
  if (Source->hasImage() && FCallback != nullptr && FCallback->QueryInsertObject()) {
    QTextCursor cursor = textCursor();
    InsertReportPicture(cursor, qvariant_cast<QImage>(Source->imageData()));
    setTextCursor(cursor);
    return;
  }
  const QByteArray rtf = RtfData(*Source);
  if (!rtf.isEmpty() && InsertRtf(rtf)) return;
  if (Source->hasText()) insertPlainText(Source->text());
}

void ReportTextEdit::dragEnterEvent(QDragEnterEvent* Event) {
  if (!AcceptsDrop()) {
    Event->ignore();
    return;
  }
  QTextEdit::dragEnterEvent(Event);
}

void ReportTextEdit::dragMoveEvent(QDragMoveEvent* Event) {
  if (!AcceptsDrop()) {
    Event->ignore();
    return;
  }
  QTextEdit::dragMoveEvent(Event);
}

void ReportTextEdit::dropEvent(QDropEvent* Event) {
  if (!AcceptsDrop()) {
    Event->ignore();
    return;
  }
  QTextEdit::dropEvent(Event);
}

void ReportTextEdit::mousePressEvent(QMouseEvent* Event) {
  QTextEdit::mousePressEvent(Event);
  if (OnMouseDown) RunGuarded([&] { OnMouseDown(*Event); });
}
