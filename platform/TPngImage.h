#pragma once

#include "platform/TGraphic.h"

// A PNG picture, read and written through Qt.
class TPngImage : public TGraphic {
 public:
  TPngImage() = default;

  QString ClassName() const override { return QStringLiteral("TPngImage"); }
  // From another graphic: its pixels.
  void Assign(const TPersistent& Source) override;

  int GetWidth() const override { return FImage.width(); }
  int GetHeight() const override { return FImage.height(); }
  void LoadFromStream(QIODevice& Stream) override;
  void SaveToStream(QIODevice& Stream) const override;
  QImage ToImage() const override { return FImage; }
  std::unique_ptr<TGraphic> Clone() const override;
  QString DefaultExtension() const override { return QStringLiteral("png"); }

 private:
  QImage FImage;  // ARGB32
};
