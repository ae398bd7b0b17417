#include "platform/TFont.h"

#include "platform/Rounding.h"

#include <QFont>
#include <QFontMetricsF>

#include <cmath>

void TFont::Assign(const TPersistent& Source) {
  const TFont* Other = dynamic_cast<const TFont*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FName = Other->FName;
  FHeight = Other->FPixelsPerInch == FPixelsPerInch ? Other->FHeight
                                                    : -MulDiv(Other->GetSize(), FPixelsPerInch, 72);
  FStyle = Other->FStyle;
  FColor = Other->FColor;
  FCharset = Other->FCharset;
  FPitch = Other->FPitch;
  FOrientation = Other->FOrientation;
  FQuality = Other->FQuality;
  Changed();
}

const TPropertyList& TFont::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List{
      PP::Integer<TFont>(QStringLiteral("Charset"), &TFont::GetCharset, &TFont::SetCharset,
                         DEFAULT_CHARSET),
      PP::Color<TFont>(QStringLiteral("Color"), &TFont::GetColor, &TFont::SetColor, clWindowText),
      PP::Integer<TFont>(QStringLiteral("Height"), &TFont::GetHeight, &TFont::SetHeight, -11),
      PP::String<TFont>(QStringLiteral("Name"), &TFont::GetName, &TFont::SetName,
                        QStringLiteral("Arial")),
      PP::Integer<TFont>(QStringLiteral("Orientation"), &TFont::GetOrientation,
                         &TFont::SetOrientation, 0),
      PP::Enum<TFont, TFontPitch>(QStringLiteral("Pitch"), &TFont::GetPitch, &TFont::SetPitch,
                                  {"fpDefault", "fpVariable", "fpFixed"}, fpDefault),
      PP::Set<TFont, TFontStyles>(QStringLiteral("Style"), &TFont::GetStyle, &TFont::SetStyle,
                                  {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
                                  TFontStyles()),
  };
  return List;
}

void TFont::SetName(const QString& Value) {
  ChangeField(FName, Value);
}

int TFont::GetSize() const {
  return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int Value) {
  SetHeight(-MulDiv(Value, FPixelsPerInch, 72));
}

void TFont::SetHeight(int Value) {
  ChangeField(FHeight, Value);
}

void TFont::SetPixelsPerInch(int Value) {
  if (Value > 0) FPixelsPerInch = Value;
}

void TFont::SetStyle(TFontStyles Value) {
  ChangeField(FStyle, Value);
}

void TFont::SetColor(TColor Value) {
  ChangeField(FColor, Value);
}

void TFont::SetCharset(TFontCharset Value) {
  ChangeField(FCharset, Value);
}

void TFont::SetPitch(TFontPitch Value) {
  ChangeField(FPitch, Value);
}

void TFont::SetOrientation(int Value) {
  ChangeField(FOrientation, Value);
}

void TFont::SetQuality(TFontQuality Value) {
  ChangeField(FQuality, Value);
}

QFont TFont::ToQFont() const {
  QFont F(FName);
  F.setBold(FStyle.Contains(fsBold));
  F.setItalic(FStyle.Contains(fsItalic));
  F.setUnderline(FStyle.Contains(fsUnderline));
  F.setStrikeOut(FStyle.Contains(fsStrikeOut));
  if (FPitch == fpFixed) F.setFixedPitch(true);
  // Height 0 means the default size; negative is the em height, positive
  // the cell height, which is scaled by em / (ascent + descent).
  int Pixels = FHeight == 0 ? MulDiv(8, FPixelsPerInch, 72) : std::abs(FHeight);
  if (FHeight > 0) {
    QFont Probe(F);
    Probe.setPixelSize(100);
    QFontMetricsF M(Probe);
    double Cell = M.ascent() + M.descent();
    if (Cell > 0) Pixels = std::max(1, Round(FHeight * 100.0 / Cell));
  }
  F.setPixelSize(std::max(1, Pixels));
  return F;
}
