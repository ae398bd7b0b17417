#include "chart/core/TColorPalettes.h"

#include "chart/core/TCustomChart.h"

#include <algorithm>

namespace {

template <size_t N>
std::vector<TColor> ToVector(const std::array<TColor, N>& Colors) {
  return std::vector<TColor>(Colors.begin(), Colors.end());
}

}  // namespace

std::vector<TColor> TColorPalettes::PaletteColors(int Index) {
  switch (Index) {
    case 1: return ToVector(ExcelPalette);
    case 2: return ToVector(VictorianPalette);
    case 3: return ToVector(PastelsPalette);
    case 4: return ToVector(SolidPalette);
    case 5: return ToVector(ClassicPalette);
    case 6: return ToVector(WebPalette);
    case 7: return ToVector(ModernPalette);
    case 8: return ToVector(RainbowPalette);
    case 9: return ToVector(WindowsXPPalette);
    default: return {};
  }
}

void TColorPalettes::ApplyPalette(TCustomChart& Chart, int Index) {
  const std::vector<TColor> Colors = PaletteColors(Index);
  ApplyPalette(Chart, Colors, static_cast<int>(Colors.size()) - 1);
  Chart.SetColorPaletteIndex(Index);
  Chart.Invalidate();
}

void TColorPalettes::ApplyPalette(TCustomAxisPanel& Chart, const std::vector<TColor>& Colors,
                                  int LastIndex) {
  const int Last = std::min(LastIndex, static_cast<int>(Colors.size()) - 1);
  // Setting the palette recolours the series that keep the default colour.
  Chart.SetColorPalette(Last < 0 ? std::vector<TColor>()
                                 : std::vector<TColor>(Colors.begin(), Colors.begin() + Last + 1));
}

TColorPalettes& ColorPalettes() {
  static TColorPalettes Names = [] {
    TColorPalettes List;
    for (const char* Name : {"KorChart", "Excel", "Victorian", "Pastels", "Solid", "Classic", "Web",
                             "Modern", "Rainbow", "Win. XP"})
      List.Add(QString::fromLatin1(Name));
    return List;
  }();
  return Names;
}

TPublishedProperty ColorPaletteIndexProperty() {
  namespace PP = PublishedProperty;
  TPublishedProperty P;
  P.Name = QStringLiteral("ColorPaletteIndex");
  P.Kind = TPropertyKind::pkInteger;
  P.Get = [](const TPersistent& I) {
    return TPropertyValue(PP::As<TCustomChart>(I).GetColorPaletteIndex());
  };
  P.Set = [](TPersistent& I, const TPropertyValue& V) {
    auto& Chart = PP::As<TCustomChart>(I);
    const int Index = std::get<int>(V);
    Chart.SetColorPaletteIndex(Index);
    if (Index > 0) TColorPalettes::ApplyPalette(Chart, Index);
  };
  P.Stored = [](const TPersistent& I) {
    return PP::As<TCustomChart>(I).GetColorPaletteIndex() > 0;
  };
  return P;
}
