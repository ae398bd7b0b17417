#include "platform/TMetafileRecordDevice.h"

#include "platform/Exception.h"
#include "platform/TEmfRecordWriter.h"
#include "platform/TMetafileRecordEngine.h"
#include "platform/TWmfRecordWriter.h"

#include <cmath>

namespace {

constexpr int PixelsPerInch = 96;

}  // namespace

TMetafileRecordDevice::TMetafileRecordDevice(QSize Size, bool Enhanced)
    : FSize(std::max(1, Size.width()), std::max(1, Size.height())) {
  if (Enhanced)
    FWriter = std::make_unique<TEmfRecordWriter>(FSize);
  else
    FWriter = std::make_unique<TWmfRecordWriter>(FSize);
  FEngine = std::make_unique<TMetafileRecordEngine>(*FWriter);
}

TMetafileRecordDevice::~TMetafileRecordDevice() = default;

QPaintEngine* TMetafileRecordDevice::paintEngine() const {
  return FEngine.get();
}

QByteArray TMetafileRecordDevice::Bytes() {
  if (paintingActive())
    throw EInvalidGraphic(QStringLiteral("The metafile is still being painted"));
  return FWriter->Finish();
}

int TMetafileRecordDevice::metric(PaintDeviceMetric Metric) const {
  switch (Metric) {
    case PdmWidth: return FSize.width();
    case PdmHeight: return FSize.height();
    case PdmWidthMM: return static_cast<int>(std::lround(FSize.width() * 25.4 / PixelsPerInch));
    case PdmHeightMM: return static_cast<int>(std::lround(FSize.height() * 25.4 / PixelsPerInch));
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return PixelsPerInch;
    case PdmNumColors: return 0x7FFFFFFF;
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(Metric);
  }
}
