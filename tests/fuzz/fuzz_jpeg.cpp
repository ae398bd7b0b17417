// Feeds arbitrary bytes to the JPEG reader: it must either decode a picture
// within its limits or raise EInvalidGraphic, and a decoded picture must
// save back to exactly the bytes read.
#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Exception.h"
#include "platform/TJPEGImage.h"
#include "tests/fuzz/FuzzSanitizerOptions.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  TJPEGImage jpeg;
  try {
    jpeg.LoadFromBytes(bytes);
  } catch (const EInvalidGraphic&) {
    Check(jpeg.GetWidth() == 0 && jpeg.Data().isEmpty());
    return 0;
  }
  Check(jpeg.GetWidth() > 0 && jpeg.GetHeight() > 0);
  Check(static_cast<long long>(jpeg.GetWidth()) * jpeg.GetHeight() <= TJPEGImage::MaxPixels);
  const QImage image = jpeg.ToImage();
  Check(image.width() == jpeg.GetWidth() && image.height() == jpeg.GetHeight());
  QByteArray written;
  QBuffer out(&written);
  out.open(QIODevice::WriteOnly);
  jpeg.SaveToStream(out);
  Check(written == bytes);
  return 0;
}
