// Feeds arbitrary bytes to the report's RTF reader: it must either read the
// document within its limits or fail with an error text, never crash or
// grow without bound; a document it read must survive our own writer and
// reader with the same text, paragraphs, tables and number of pictures.
#include <QByteArray>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/report/RtfReader.h"
#include "app/report/RtfWriter.h"
#include "tests/fuzz/FuzzGuiApplication.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

int PictureCount(const QTextDocument& Document) {
  int count = 0;
  for (QTextBlock block = Document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().isImageFormat())
        count += static_cast<int>(it.fragment().text().size());
    }
  }
  return count;
}

// The paragraphs and tables of the document's top level: a paragraph's
// text, or a table's rows and columns.
QStringList Layout(const QTextDocument& Document) {
  QStringList items;
  for (auto it = Document.rootFrame()->begin(); !it.atEnd(); ++it) {
    if (const auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
      items.append(QStringLiteral("table %1 x %2").arg(table->rows()).arg(table->columns()));
    else
      items.append(it.currentBlock().text());
  }
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartGuiApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  QTextDocument document;
  QTextCursor cursor(&document);
  RtfReader reader;
  if (!reader.Read(bytes, cursor)) {
    Check(!reader.ErrorText().isEmpty());
    return 0;
  }
  Check(document.blockCount() <= RtfReader::MaxParagraphs + 1);
  const QByteArray written = RtfWriter(document).Write();
  QTextDocument again;
  QTextCursor againCursor(&again);
  Check(reader.Read(written, againCursor));
  Check(again.toPlainText() == document.toPlainText());
  Check(Layout(again) == Layout(document));
  Check(PictureCount(again) == PictureCount(document));
  return 0;
}
