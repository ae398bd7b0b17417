#include "app/report/ReportFile.h"

#include "app/report/ReportPage.h"
#include "app/report/RtfReader.h"
#include "app/report/RtfWriter.h"

#include <QFile>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace {

QList<QUrl> PictureNames(const QTextDocument& Document) {
  QList<QUrl> names;
  for (QTextBlock block = Document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat())
        names.append(QUrl(it.fragment().charFormat().toImageFormat().name()));
  return names;
}

// Releases the images of Names that the document's text no longer shows.
void ReleasePictures(QTextDocument& Document, const QList<QUrl>& Names) {
  const QList<QUrl> shown = PictureNames(Document);
  for (const QUrl& name : Names)
    if (!shown.contains(name)) Document.addResource(QTextDocument::ImageResource, name, QVariant());
}

// Empties the document as clearing it would, but undoably: the one
// paragraph left loses its formats and its list.
void ClearForReading(QTextCursor& Cursor) {
  Cursor.select(QTextCursor::Document);
  Cursor.removeSelectedText();
  if (QTextList* list = Cursor.currentList()) list->remove(Cursor.block());
  Cursor.setBlockFormat(QTextBlockFormat());
  Cursor.setBlockCharFormat(QTextCharFormat());
  Cursor.setCharFormat(QTextCharFormat());
}

// A document shown in an editor lays a change out whole before the change
// returns, but lays itself out anew a part at a time while the editor goes
// on: with no page size nothing is laid out, and the page size given back
// lays the whole document out anew, the first page first.
class DeferredLayout {
 public:
  explicit DeferredLayout(QTextDocument& ADocument)
      : FDocument(ADocument), FPageSize(ADocument.pageSize()) {
    FDocument.setPageSize(QSizeF(0, 0));
  }
  ~DeferredLayout() { FDocument.setPageSize(FPageSize); }
  DeferredLayout(const DeferredLayout&) = delete;
  DeferredLayout& operator=(const DeferredLayout&) = delete;

 private:
  QTextDocument& FDocument;
  const QSizeF FPageSize;
};

}  // namespace

bool ReportFile::Load(const QString& FileName, QTextDocument& Document) {
  FErrorText.clear();
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly)) {
    FErrorText = file.errorString();
    return false;
  }
  if (file.size() > RtfReader::MaxInputSize) {
    FErrorText = QStringLiteral("The file is too large");
    return false;
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    FErrorText = file.errorString();
    return false;
  }
  // Read once, straight into the document: a file at the picture caps must
  // not be decoded twice. A read that fails is undone, so the report shown
  // stays as it was. The pictures are fitted to the page the file states.
  const DeferredLayout deferred(Document);
  const QList<QUrl> before = PictureNames(Document);
  const ReportPage shownPage = ReportPage::Of(Document);
  const bool undoing = Document.isUndoRedoEnabled();
  Document.setUndoRedoEnabled(true);
  ReportPage::FromRtf(data).SetOn(Document);
  QTextCursor cursor(&Document);
  cursor.beginEditBlock();
  ClearForReading(cursor);
  RtfReader reader;
  const bool read = reader.Read(data, cursor);
  cursor.endEditBlock();
  // Pictures are document resources, which undoing keeps: those of the
  // text that is gone are released here.
  if (read) {
    ReleasePictures(Document, before);
    // A report just opened has nothing to undo, as after clearing it.
    Document.clearUndoRedoStacks();
    Document.setModified(false);
  } else {
    FErrorText = reader.ErrorText();
    const QList<QUrl> inserted = PictureNames(Document);
    Document.undo();
    ReleasePictures(Document, inserted);
    shownPage.SetOn(Document);
    // The user's own edits can still be undone.
    Document.clearUndoRedoStacks(QTextDocument::RedoStack);
  }
  Document.setUndoRedoEnabled(undoing);
  return read;
}

bool ReportFile::Save(const QString& FileName, const QTextDocument& Document) {
  FErrorText.clear();
  QSaveFile file(FileName);
  if (!file.open(QIODevice::WriteOnly)) {
    FErrorText = file.errorString();
    return false;
  }
  const QByteArray data = RtfWriter(Document).Write();
  if (file.write(data) != data.size() || !file.commit()) {
    FErrorText = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}
