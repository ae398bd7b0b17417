#include "chart/core/TKorFont.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorCanvas.h"
#include "chart/core/TKorFontGradient.h"
#include "chart/core/TKorShadow.h"

TKorFont::TKorFont(TNotifyEvent ChangeHandler) {
  SetColor(clBlack);
  SetCharset(DEFAULT_CHARSET);
  SetName(GetDefaultFontName());
  SetSize(GetDefaultFontSize());
  OnChange = std::move(ChangeHandler);
}

TKorFont::~TKorFont() {
  if (FCanvas != nullptr) FCanvas->ForgetFont(*this);
}

void TKorFont::Assign(const TPersistent& Source) {
  if (const TKorFont* Other = dynamic_cast<const TKorFont*>(&Source)) {
    if (Other == this) return;
    SetGradient(Other->FGradient.get());
    FInterCharSize = Other->FInterCharSize;
    SetOutLine(Other->FOutLine.get());
    SetShadow(Other->FShadow.get());
  }
  TFont::Assign(Source);
}

const TPropertyList& TKorFont::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List = [] {
    TPublishedProperty Color =
        PP::Color<TFont>(QStringLiteral("Color"), &TFont::GetColor, &TFont::SetColor);
    Color.Stored = [](const TPersistent& P) {
      const TKorFont& F = PP::As<TKorFont>(P);
      return F.GetColor() != F.GetDefaultColor();
    };
    TPublishedProperty Height =
        PP::Integer<TFont>(QStringLiteral("Height"), &TFont::GetHeight, &TFont::SetHeight);
    Height.Stored = [](const TPersistent& P) {
      return PP::As<TKorFont>(P).GetSize() != GetDefaultFontSize();
    };
    TPublishedProperty Name =
        PP::String<TFont>(QStringLiteral("Name"), &TFont::GetName, &TFont::SetName);
    Name.Stored = [](const TPersistent& P) {
      return PP::As<TKorFont>(P).GetName() != GetDefaultFontName();
    };
    TPublishedProperty Style =
        PP::Set<TFont, TFontStyles>(QStringLiteral("Style"), &TFont::GetStyle, &TFont::SetStyle,
                                    {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    Style.Stored = [](const TPersistent& P) {
      const TKorFont& F = PP::As<TKorFont>(P);
      return F.GetStyle() != F.GetDefaultStyle();
    };
    return TPropertyList(
        TFont().Properties(),
        {Color, Height, Name, Style,
         PP::Object<TKorFont, TKorFontGradient>(QStringLiteral("Gradient"), &TKorFont::GetGradient),
         PP::Integer<TKorFont>(QStringLiteral("InterCharSize"), &TKorFont::GetInterCharSize,
                               &TKorFont::SetInterCharSize, 0),
         PP::Object<TKorFont, TChartHiddenPen>(QStringLiteral("OutLine"), &TKorFont::GetOutLine),
         PP::Object<TKorFont, TKorShadow>(QStringLiteral("Shadow"), &TKorFont::GetShadow)});
  }();
  return List;
}

void TKorFont::SetInterCharSize(int Value) {
  if (FInterCharSize == Value) return;
  FInterCharSize = Value;
  Changed();
}

// The parts call the font's current handler, so a handler set after
// construction (OnChange is public) reaches them too.
TKorFontGradient* TKorFont::GetGradient() {
  if (!FGradient)
    FGradient = std::make_unique<TKorFontGradient>([this](TPersistent*) { Changed(); });
  return FGradient.get();
}

void TKorFont::SetGradient(const TKorFontGradient* Value) {
  if (Value != nullptr) {
    GetGradient()->Assign(*Value);
  } else if (FGradient) {
    FGradient.reset();
    Changed();
  }
}

TChartHiddenPen* TKorFont::GetOutLine() {
  if (!FOutLine) FOutLine = std::make_unique<TChartHiddenPen>([this](TPersistent*) { Changed(); });
  return FOutLine.get();
}

void TKorFont::SetOutLine(const TChartPen* Value) {
  if (Value != nullptr) {
    GetOutLine()->Assign(*Value);
  } else if (FOutLine) {
    FOutLine.reset();
    Changed();
  }
}

TKorShadow* TKorFont::GetShadow() {
  if (!FShadow) FShadow = std::make_unique<TKorShadow>([this](TPersistent*) { Changed(); });
  return FShadow.get();
}

void TKorFont::SetShadow(const TKorShadow* Value) {
  if (Value != nullptr) {
    GetShadow()->Assign(*Value);
  } else if (FShadow) {
    FShadow.reset();
    Changed();
  }
}
