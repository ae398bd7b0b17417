#include "platform/TColor.h"

#include "platform/Exception.h"

#include <QColor>

#include <array>
#include <iterator>

namespace {

// Classic (grey) desktop scheme, by system colour index.
constexpr std::array<TColor, 31> SystemColors = {
    0xC8C8C8,  // scroll bar
    0x808000,  // desktop background (teal)
    0x800000,  // active caption (navy)
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application workspace
    0x800000,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3D dark shadow
    0xDFDFDF,  // 3D light
    0x000000,  // tooltip text
    0xE1FFFF,  // tooltip background
    0x000000,  // (unused index)
    0x800000,  // hot-tracked item
    0xD08410,  // active caption gradient
    0xC0C0C0,  // inactive caption gradient
    0x800000,  // menu highlight
    0xC0C0C0,  // menu bar
};

struct NamedColor {
  TColor Color;
  const char* Name;
};

constexpr NamedColor ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
};

bool ParseInteger(const QString& Text, TColor& Color) {
  QString T = Text.trimmed();
  bool Ok = false;
  if (T.startsWith(u'$')) {
    qulonglong V = T.mid(1).toULongLong(&Ok, 16);
    if (!Ok || V > 0xFFFFFFFFull) return false;
    Color = static_cast<TColor>(V);
    return true;
  }
  if (T.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
    qulonglong V = T.mid(2).toULongLong(&Ok, 16);
    if (!Ok || V > 0xFFFFFFFFull) return false;
    Color = static_cast<TColor>(V);
    return true;
  }
  // Decimal: signed values are how 32-bit colour integers of system colours
  // are written; both signed and unsigned 32-bit ranges are accepted.
  qlonglong V = T.toLongLong(&Ok, 10);
  if (!Ok || V < -2147483648LL || V > 0xFFFFFFFFLL) return false;
  Color = static_cast<TColor>(static_cast<std::uint32_t>(V));
  return true;
}

}  // namespace

TColor ColorToRGB(TColor Color) {
  if (!IsSystemColor(Color)) return Color;
  std::size_t Index = Color & 0xFF;
  return Index < SystemColors.size() ? SystemColors[Index] : clBlack;
}

bool IdentToColor(const QString& Ident, TColor& Color) {
  for (const NamedColor& N : ColorNames) {
    if (Ident.compare(QLatin1String(N.Name), Qt::CaseInsensitive) == 0) {
      Color = N.Color;
      return true;
    }
  }
  return false;
}

bool ColorToIdent(TColor Color, QString& Ident) {
  for (const NamedColor& N : ColorNames) {
    if (N.Color == Color) {
      Ident = QLatin1String(N.Name);
      return true;
    }
  }
  return false;
}

QString ColorToString(TColor Color) {
  QString Ident;
  if (ColorToIdent(Color, Ident)) return Ident;
  return QStringLiteral("$") + QStringLiteral("%1").arg(Color, 8, 16, QChar(u'0')).toUpper();
}

TColor StringToColor(const QString& Text) {
  TColor Color = clBlack;
  if (IdentToColor(Text.trimmed(), Color) || ParseInteger(Text, Color)) return Color;
  throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(Text));
}

QColor ColorToQColor(TColor Color) {
  if (Color == clNone || Color == clDefault) return QColor(0, 0, 0, 0);
  TColor C = ColorToRGB(Color);
  return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

TColor QColorToColor(const QColor& Color) {
  return RGB(Color.red(), Color.green(), Color.blue());
}
