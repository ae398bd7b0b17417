#pragma once

#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <QImage>
#include <QString>

#include <memory>

class QIODevice;
class TCanvas;

// Base of every picture kind a TPicture can hold (bitmap, JPEG, PNG,
// metafile): its size, drawing onto a canvas, and reading and writing its
// file form. Reading failures raise EInvalidGraphic and leave the graphic
// as it was; file failures raise EFileError.
class TGraphic : public TPersistent {
 public:
  QString ClassName() const override { return QStringLiteral("TGraphic"); }

  // Pixels (for a metafile: its logical size).
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual bool GetEmpty() const { return GetWidth() <= 0 || GetHeight() <= 0; }
  // Whether drawing leaves the transparent colour out (bitmaps only).
  virtual bool GetTransparent() const { return false; }
  virtual void SetTransparent(bool) {}

  // Draws the graphic scaled into Rect (logical units of Canvas); an empty
  // graphic draws nothing.
  virtual void Draw(TCanvas& Canvas, const TRect& Rect) const;

  virtual void LoadFromStream(QIODevice& Stream) = 0;
  virtual void SaveToStream(QIODevice& Stream) const = 0;
  void LoadFromFile(const QString& FileName);
  void SaveToFile(const QString& FileName) const;

  // The picture as 32-bit pixels of its own size (a null image when empty).
  virtual QImage ToImage() const = 0;
  // A copy of the same kind.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // The usual file extension, without the dot ("bmp", "jpg", ...).
  virtual QString DefaultExtension() const = 0;
};
