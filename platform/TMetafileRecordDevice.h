#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

class TMetafileRecordEngine;
class TMetafileRecordWriter;

// Render role: a paint device of Size pixels at 96 per inch whose painting
// becomes a metafile file, enhanced or placeable. Paint with a QPainter,
// end the painter, then take the file with Bytes().
class TMetafileRecordDevice : public QPaintDevice {
 public:
  TMetafileRecordDevice(QSize Size, bool Enhanced);
  ~TMetafileRecordDevice() override;
  TMetafileRecordDevice(const TMetafileRecordDevice&) = delete;
  TMetafileRecordDevice& operator=(const TMetafileRecordDevice&) = delete;

  QPaintEngine* paintEngine() const override;
  // The whole file; raises EInvalidGraphic while a painter is still open
  // on the device or when the file was taken already.
  QByteArray Bytes();

 protected:
  int metric(PaintDeviceMetric Metric) const override;

 private:
  QSize FSize;
  std::unique_ptr<TMetafileRecordWriter> FWriter;
  std::unique_ptr<TMetafileRecordEngine> FEngine;
};
