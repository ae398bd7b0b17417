// Feeds arbitrary text to the chart-text mark-up: measuring and drawing on
// a small bitmap must either succeed or raise one of the library's own
// exceptions, keep no saved fonts or tags between calls, and never read a
// picture from anywhere but the hook below.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QIODevice>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "chart/core/Korhtml.h"
#include "chart/core/TKorCanvas3D.h"
#include "platform/Exception.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPicture.h"
#include "platform/TPngImage.h"
#include "tests/fuzz/FuzzGuiApplication.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

// A 3 x 2 PNG served for the source "a.png"; every other source fails.
QByteArray& SamplePng() {
  static QByteArray Bytes;
  return Bytes;
}

int ServeSample(const QString& Source, QIODevice& Stream) {
  if (Source != QLatin1String("a.png")) return 1;
  Stream.write(SamplePng());
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartGuiApplication(argc, argv);
  TBitmap Sample(3, 2);
  TPicture Picture;
  Picture.Assign(Sample);
  TPngImage Png;
  Png.Assign(*Picture.GetGraphic());
  QBuffer Out(&SamplePng());
  Out.open(QIODevice::WriteOnly);
  Png.SaveToStream(Out);
  GraphicFileExtension = [](const QString& Ext) { return TPicture::GraphicForExtension(Ext); };
  GraphicDownload = &ServeSample;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const QString Text =
      QString::fromUtf8(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  TBitmap Bitmap(48, 32);
  TKorCanvas3D Surface(&Bitmap.GetCanvas());
  Surface.ResetState();
  try {
    const TSize Extent = HtmlTextExtent(Surface, Text);
    Check(Extent.cx >= 0);
    Surface.ResetState();
    HtmlTextOut(Surface, 2, 3, Text);
  } catch (const Exception&) {
    // Parser errors and unknown attributes or colours are expected.
  }
  Check(HtmlLiveStackEntries() == 0);
  Check(Surface.GetFont().GetSize() >= 1);
  // The program's event loop runs between paints, and with it the font
  // system's timer that frees fonts no longer used.
  QCoreApplication::processEvents();
  return 0;
}
