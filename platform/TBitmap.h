#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <QImage>
#include <QString>

#include <memory>

class TCanvas;

// pf24bit rows hold blue, green, red bytes per pixel (rows padded to 4
// bytes); pfDevice and pf32bit rows hold one 32-bit value 0xFFRRGGBB per
// pixel (blue first in memory). pfDevice is what screens and buffers use.
enum TPixelFormat { pfDevice, pf24bit, pf32bit };

// An image in memory with a canvas to draw on it. New pixels are white. A
// 0 x 0 bitmap is allowed; drawing on it and drawing it do nothing.
//
// Painting policy: the canvas opens its painter on the first primitive and
// keeps it open between primitives; every bitmap operation that reads,
// copies, resizes or replaces the pixels (size and format setters, ScanLine,
// Assign, SaveToFile, LoadFromFile, Image, drawing this bitmap elsewhere)
// first closes it. So the pixels are always complete when read, and the
// image memory is never reallocated under an open painter.
class TBitmap : public TPersistent {
 public:
  TBitmap();
  TBitmap(int AWidth, int AHeight, TPixelFormat AFormat = pfDevice);
  ~TBitmap() override;

  // Copies pixels, format, monochrome and transparency settings from another
  // TBitmap (the pixel memory is shared until either side changes).
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TBitmap"); }

  int GetWidth() const { return FImage.width(); }
  // New pixels are white; existing pixels keep their place.
  void SetWidth(int Value);
  int GetHeight() const { return FImage.height(); }
  void SetHeight(int Value);
  void SetSize(int AWidth, int AHeight);
  bool GetEmpty() const { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }

  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Converts the pixels to the new format.
  void SetPixelFormat(TPixelFormat Value);

  // A monochrome bitmap holds only black and white; used as a brush pattern
  // it takes the canvas's text and background colours.
  bool GetMonochrome() const { return FMonochrome; }
  void SetMonochrome(bool Value);

  // When Transparent, drawing the bitmap leaves the pixels of the
  // transparent colour out. TransparentColor clDefault (the default) means
  // the colour of the bottom-left pixel.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor Value);

  TCanvas& GetCanvas();

  // Start of pixel row Row (see TPixelFormat for the layout); nullptr for a
  // row outside the bitmap. Writing through it changes the bitmap.
  void* ScanLine(int Row);
  const void* ScanLine(int Row) const;
  int BytesPerScanLine() const;

  // Colour of one pixel (clNone outside the bitmap); drawing-free access for
  // callers that do not need a canvas.
  TColor GetPixel(int X, int Y) const;

  // BMP by default; the file extension picks another format Qt knows.
  // Throws EFileError when writing fails.
  void SaveToFile(const QString& FileName) const;
  // Throws EInvalidGraphic when the file cannot be read as an image.
  void LoadFromFile(const QString& FileName);

  // For platform/ code: the pixels (the painter is closed first) and
  // replacing them (converted to this bitmap's format).
  const QImage& Image() const;
  void SetImage(const QImage& Value);

 private:
  friend class TCanvas;
  QImage& ImageForPainting() { return FImage; }
  void ClosePainter() const;
  void Resize(int AWidth, int AHeight);

  TPixelFormat FPixelFormat = pfDevice;
  bool FMonochrome = false;
  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  QImage FImage;
  std::unique_ptr<TCanvas> FCanvas;  // created on first use
};
