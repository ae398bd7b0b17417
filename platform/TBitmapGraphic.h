#pragma once

#include "platform/TBitmap.h"
#include "platform/TGraphic.h"

// A TBitmap held as a graphic of a picture (BMP files, and the form every
// other graphic converts to when a bitmap is asked for).
class TBitmapGraphic : public TGraphic {
 public:
  TBitmapGraphic() = default;

  QString ClassName() const override { return QStringLiteral("TBitmap"); }
  void Assign(const TPersistent& Source) override;

  TBitmap& Bitmap() { return FBitmap; }
  const TBitmap& Bitmap() const { return FBitmap; }

  int GetWidth() const override { return FBitmap.GetWidth(); }
  int GetHeight() const override { return FBitmap.GetHeight(); }
  bool GetTransparent() const override { return FBitmap.GetTransparent(); }
  void SetTransparent(bool Value) override;
  void Draw(TCanvas& Canvas, const TRect& Rect) const override;
  // Any image format Qt reads; written as BMP.
  void LoadFromStream(QIODevice& Stream) override;
  void SaveToStream(QIODevice& Stream) const override;
  QImage ToImage() const override;
  std::unique_ptr<TGraphic> Clone() const override;
  QString DefaultExtension() const override { return QStringLiteral("bmp"); }

 private:
  TBitmap FBitmap;
};
