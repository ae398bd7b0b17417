// Feeds arbitrary bytes to the scan for the page a report states: it must
// give a page with room for text (the default page when the bytes state no
// usable one), never crash; a report read on that page shows no picture
// wider than the page's text, and our writer states the same page again.
#include <QByteArray>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/report/ReportPage.h"
#include "app/report/RtfReader.h"
#include "app/report/RtfWriter.h"
#include "tests/fuzz/FuzzGuiApplication.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

double WidestPicture(const QTextDocument& Document) {
  double widest = 0;
  for (QTextBlock block = Document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat())
        widest = std::max(widest, it.fragment().charFormat().toImageFormat().width());
  return widest;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartGuiApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  const ReportPage page = ReportPage::FromRtf(bytes);
  Check(page.IsUsable());
  QTextDocument document;
  page.SetOn(document);
  Check(ReportPage::Of(document) == page);
  QTextCursor cursor(&document);
  RtfReader reader;
  if (!reader.Read(bytes, cursor)) return 0;
  Check(WidestPicture(document) <= page.TextWidthPixels() + 1e-9);
  Check(ReportPage::FromRtf(RtfWriter(document).Write()) == page);
  return 0;
}
