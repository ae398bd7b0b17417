#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <QImage>
#include <QString>

#include <memory>

class QIODevice;
class TCanvas;

// The depth a bitmap holds its colours at and writes its file at. In
// memory, pf24bit rows hold blue, green, red bytes per pixel (rows padded to
// 4 bytes); every other format's rows hold one 32-bit value 0xFFRRGGBB per
// pixel (blue first in memory). pfDevice is what screens and buffers use
// and is written as 24 bits. The 1- to 16-bit formats keep only the colours
// their files can store (see ReduceToBmpDepth): what was drawn is cut back
// before the pixels are next read, so what is read is what the file gets.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

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
  // row outside the bitmap. Writing through it changes the bitmap. At the
  // 1- to 16-bit formats and when monochrome, each call first cuts back the
  // colours written before, over the whole bitmap: loops over many rows
  // belong at pfDevice, pf24bit or pf32bit.
  void* ScanLine(int Row);
  const void* ScanLine(int Row) const;
  int BytesPerScanLine() const;

  // Colour of one pixel (clNone outside the bitmap); drawing-free access for
  // callers that do not need a canvas.
  TColor GetPixel(int X, int Y) const;

  // The BMP file form at the bitmap's depth (1 bit when monochrome, 24 bits
  // for pfDevice). Throws EInvalidGraphic for an empty bitmap and EFileError
  // when the device does not take the bytes.
  void SaveToStream(QIODevice& Stream) const;
  // BMP by default and for ".bmp" (an existing file is replaced only once
  // the new one is complete); another extension picks that format of Qt's.
  // Throws EFileError when writing fails (EInvalidGraphic for an empty
  // bitmap as BMP).
  void SaveToFile(const QString& FileName) const;
  // Throws EInvalidGraphic when the file cannot be read as an image.
  void LoadFromFile(const QString& FileName);

  // For platform/ code: the pixels (the painter is closed first) and
  // replacing them (converted to this bitmap's format).
  const QImage& Image() const;
  void SetImage(const QImage& Value);
  // The pixels as drawing shows them: when Transparent, those of the
  // transparent colour fully transparent; otherwise the pixels as they are.
  QImage ShownImage() const;

 private:
  friend class TCanvas;
  // Whoever asks for it may write any colour into the pixels.
  QImage& ImageForPainting();
  // Ends the canvas's painter and cuts back what was drawn since.
  void ClosePainter() const;
  // Before the pixels are changed other than by the canvas drawing.
  void PixelsChanging();
  void Resize(int AWidth, int AHeight);
  // Whether the depth holds fewer colours than the memory layout.
  bool ColoursLimited() const;
  void ReduceColours() const;

  TPixelFormat FPixelFormat = pfDevice;
  bool FMonochrome = false;
  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  // mutable: the colours drawn at a limited depth are cut back on the next
  // read, also through const access.
  mutable QImage FImage;
  std::unique_ptr<TCanvas> FCanvas;  // created on first use
  // Set by drawing and row writes at a limited depth, reset by ReduceColours.
  mutable bool FUnreduced = false;
};
