#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"

#include <QString>

#include <initializer_list>

class QFont;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle, regular and constexpr; converts to and from its bit
// mask (bit n = style n) for streams.
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> Styles) {
    for (TFontStyle S : Styles) FMask |= Bit(S);
  }
  constexpr explicit TFontStyles(int Mask) : FMask(static_cast<unsigned>(Mask) & 0xF) {}
  constexpr explicit operator int() const { return static_cast<int>(FMask); }

  constexpr bool Contains(TFontStyle S) const { return (FMask & Bit(S)) != 0; }
  constexpr bool Empty() const { return FMask == 0; }
  constexpr TFontStyles& Include(TFontStyle S) {
    FMask |= Bit(S);
    return *this;
  }
  constexpr TFontStyles& Exclude(TFontStyle S) {
    FMask &= ~Bit(S);
    return *this;
  }

  friend constexpr bool operator==(const TFontStyles&, const TFontStyles&) = default;

 private:
  static constexpr unsigned Bit(TFontStyle S) { return 1u << static_cast<unsigned>(S); }
  unsigned FMask = 0;
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };

// Numbered as the classic font quality values (4 = antialiased).
enum TFontQuality {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};

using TFontCharset = int;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;

// The text object of a canvas. The font keeps its height in pixels of the
// device it is used on; Size is in points: Height = -MulDiv(Size, PixelsPerInch,
// 72). A negative Height is the character (em) height, a positive one the
// cell height including internal leading. PixelsPerInch is 96 for screen and
// bitmaps and the printer's resolution on a printer canvas.
class TFont : public TPersistent {
 public:
  TFont() = default;

  // Copies every property; when the two fonts are for devices of different
  // resolution the point size is kept, not the pixel height.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TFont"); }
  const TPropertyList& Properties() const override;

  QString GetName() const { return FName; }
  void SetName(const QString& Value);
  int GetSize() const;
  void SetSize(int Value);
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value);
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  // Keeps the pixel height (the point size changes); no change notification.
  void SetPixelsPerInch(int Value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Direction of the text baseline in tenths of a degree, counter-clockwise.
  int GetOrientation() const { return FOrientation; }
  void SetOrientation(int Value);
  TFontQuality GetQuality() const { return FQuality; }
  void SetQuality(TFontQuality Value);

  // The Qt font for a device with this font's resolution, with its pixel
  // size set from Height (for platform/ code).
  QFont ToQFont() const;

 private:
  QString FName = QStringLiteral("Arial");
  int FHeight = -11;  // 8 points at 96 pixels per inch
  int FPixelsPerInch = 96;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FOrientation = 0;
  TFontQuality FQuality = fqDefault;
};
