#pragma once

#include <QString>

#include <cstdint>

class QColor;

// A colour as the chart files and the drawing code store it: 0x00BBGGRR for
// plain RGB values, 0xFF0000nn for system colour number nn, and the two
// markers clNone and clDefault, which mean "no colour" and "inherit" and are
// never drawn as such. Unsigned, so literals such as 0xFF000018 and bit
// operations (colour XOR 0xFFFFFF) need no casts.
using TColor = std::uint32_t;

// Added to a system colour index; any value with the top bit set is read as
// a system colour by ColorToRGB (older files store 0x80000000 + index).
inline constexpr TColor clSystemColor = 0xFF000000;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor RGB(int R, int G, int B) {
  return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}
constexpr int GetRValue(TColor Color) {
  return static_cast<int>(Color & 0xFF);
}
constexpr int GetGValue(TColor Color) {
  return static_cast<int>((Color >> 8) & 0xFF);
}
constexpr int GetBValue(TColor Color) {
  return static_cast<int>((Color >> 16) & 0xFF);
}

constexpr bool IsSystemColor(TColor Color) {
  return (Color & 0x80000000u) != 0;
}

// System colours become their value from a fixed classic table (the same on
// every desktop, so rendering and tests are reproducible); every other value,
// clNone and clDefault included, is returned unchanged.
TColor ColorToRGB(TColor Color);

// "clRed", "clBtnFace", ... Returns false for an unknown name.
bool IdentToColor(const QString& Ident, TColor& Color);
// The name of a named colour; false when the value has none.
bool ColorToIdent(TColor Color, QString& Ident);
// The name when the colour has one, else "$" and eight hex digits ("$00FF0000").
QString ColorToString(TColor Color);
// A colour name, "$" hex, "0x" hex or a decimal integer (negative values are
// the signed form of system colours). Throws EConvertError otherwise.
TColor StringToColor(const QString& Text);

// The only conversions between TColor and Qt, for platform/ code. clNone and
// clDefault become a fully transparent colour, so they can never paint.
QColor ColorToQColor(TColor Color);
TColor QColorToColor(const QColor& Color);
