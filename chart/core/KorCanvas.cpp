#include "chart/core/KorCanvas.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartPen.h"

#include "platform/TFont.h"
#include "platform/TPen.h"
#include "platform/TStringList.h"

#include <QLocale>

#include <algorithm>

bool KorCheckPenWidth = false;
bool IsWindowsNT = true;
std::uint8_t DarkerColorQuantity = 128;
std::uint8_t DarkColorQuantity = 64;
int KorDefaultConePercent = 0;
int KorNumCylinderSides = 16;
std::uint8_t KorFontAntiAlias = 4;
std::unique_ptr<TStringList> KorCustomEditColors;
TKorSetDCColor KorSetDCBrushColor = nullptr;
TKorSetDCColor KorSetDCPenColor = nullptr;

namespace {

struct TDefaultFont {
  QString Name;
  int Size = 8;
};

// Read once, at the first use. A size text that is not a number keeps the
// framework's 8 points. Japanese systems replace the western default with
// the framework's own default font.
TDefaultFont LoadDefaultFont() {
  TDefaultFont Font;
  Font.Name = Korconst::KorMsg_DefaultFontName;
  bool Ok = false;
  int Size = Korconst::KorMsg_DefaultFontSize.toInt(&Ok);
  if (Ok) Font.Size = Size;
  if (QLocale::system().language() == QLocale::Japanese) {
    const TFont FrameworkDefault;
    if (Font.Size == 8)
      Font.Size = -(FrameworkDefault.GetHeight() * 72 / FrameworkDefault.GetPixelsPerInch());
    if (Font.Name == QStringLiteral("Arial")) Font.Name = FrameworkDefault.GetName();
  }
  return Font;
}

const TDefaultFont& DefaultFont() {
  static const TDefaultFont Font = LoadDefaultFont();
  return Font;
}

int Darken(int Channel, int HowMuch) {
  return Channel > HowMuch ? Channel - HowMuch : 0;
}

int Brighten(int Channel, int HowMuch) {
  return std::min(255, Channel + HowMuch);
}

}  // namespace

const QString& GetDefaultFontName() {
  return DefaultFont().Name;
}

int GetDefaultFontSize() {
  return DefaultFont().Size;
}

TColor ApplyDark(TColor Color, int HowMuch) {
  Color = ColorToRGB(Color);
  return RGB(Darken(GetRValue(Color), HowMuch), Darken(GetGValue(Color), HowMuch),
             Darken(GetBValue(Color), HowMuch));
}

TColor ApplyBright(TColor Color, int HowMuch) {
  Color = ColorToRGB(Color);
  return RGB(Brighten(GetRValue(Color), HowMuch), Brighten(GetGValue(Color), HowMuch),
             Brighten(GetBValue(Color), HowMuch));
}

void RGBValue(TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
  R = static_cast<std::uint8_t>(GetRValue(Color));
  G = static_cast<std::uint8_t>(GetGValue(Color));
  B = static_cast<std::uint8_t>(GetBValue(Color));
}

void KorSetKorPen(TPen& CanvasPen, const TChartPen& ChartPen, TColor Color) {
  if (ChartPen.GetSmallDots()) {
    CanvasPen.Assign(*KorCreatePenSmallDots(Color, ChartPen.GetSmallSpace()));
    CanvasPen.SetMode(ChartPen.GetMode());
    return;
  }
  CanvasPen.Assign(ChartPen);
  CanvasPen.SetColor(Color);
  if (ChartPen.GetWidth() < 2) {
    if (KorCheckPenWidth && CanvasPen.GetStyle() != psSolid && CanvasPen.GetWidth() == 1)
      CanvasPen.SetWidth(0);
    return;
  }
  switch (ChartPen.GetEndStyle()) {
    case esRound:
      CanvasPen.SetEndCap(pecRound);
      CanvasPen.SetJoin(pjRound);
      break;
    case esSquare:
      CanvasPen.SetEndCap(pecSquare);
      CanvasPen.SetJoin(pjBevel);
      break;
    case esFlat:
      CanvasPen.SetEndCap(pecFlat);
      CanvasPen.SetJoin(pjMiter);
      break;
  }
}

std::unique_ptr<TPen> KorCreatePenSmallDots(TColor Color, int Space) {
  auto Pen = std::make_unique<TPen>();
  Pen->SetColor(Color);
  Pen->SetWidth(1);
  if (Space <= 0) {
    Pen->SetStyle(psAlternate);
  } else {
    Pen->SetStyle(psUserStyle);
    Pen->SetUserDashes({0, Space + 1});
  }
  return Pen;
}
