#include "chart/core/TColorPalettes.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTheme.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TColorPalettesTest : public ::testing::Test {
 protected:
  TChartSeries& Add(TColor Color = clDefault) {
    auto* S = new TChartSeries(&Chart);
    if (Color != clDefault) S->SetSeriesColor(Color);
    Chart.AddSeries(S);
    return *S;
  }

  std::vector<TColor> SeriesColors() const {
    std::vector<TColor> Result;
    for (int I = 0; I < Chart.SeriesCount(); ++I)
      Result.push_back(Chart.GetSeries(I)->GetSeriesColor());
    return Result;
  }

  TChart Chart{nullptr};
};

TEST_F(TColorPalettesTest, NamesAndColoursOfTheTenPalettes) {
  const TColorPalettes& Names = ColorPalettes();
  ASSERT_EQ(Names.Count(), 10);
  EXPECT_EQ(Names[0], QStringLiteral("KorChart"));
  EXPECT_EQ(Names[4], QStringLiteral("Solid"));
  EXPECT_EQ(Names[9], QStringLiteral("Win. XP"));
  const std::vector<size_t> Sizes{0, 22, 11, 14, 8, 12, 9, 14, 25, 13};
  for (int I = 0; I < 10; ++I) EXPECT_EQ(TColorPalettes::PaletteColors(I).size(), Sizes[I]) << I;
  EXPECT_TRUE(TColorPalettes::PaletteColors(10).empty());
  EXPECT_EQ(TColorPalettes::PaletteColors(8).back(), 0xFF00CCu);
}

TEST_F(TColorPalettesTest, ApplyingAPaletteRecoloursDefaultSeriesInOrder) {
  for (int I = 0; I < 3; ++I) Add();
  TChartSeries& Own = Add(clMaroon);
  TColorPalettes::ApplyPalette(Chart, 4);  // Solid
  EXPECT_EQ(Chart.GetColorPaletteIndex(), 4);
  EXPECT_EQ(Chart.GetColorPalette(), TColorPalettes::PaletteColors(4));
  EXPECT_EQ(SeriesColors(), (std::vector<TColor>{0xFF0000, 0x0000FF, 0x00FF00, clMaroon}));
  EXPECT_EQ(Own.GetRawSeriesColor(), clMaroon);
  // Colours for points and new series wrap around the eight colours.
  EXPECT_EQ(Chart.GetDefaultColor(8), 0xFF0000u);
  EXPECT_EQ(Chart.GetDefaultColor(11), 0x00CCFFu);
  EXPECT_EQ(Add().GetSeriesColor(), 0x00CCFFu);
}

TEST_F(TColorPalettesTest, ColoursUsedElsewhereAreSkippedAndTheLastTriedIsKept) {
  Add(0x123456);
  Add();
  Add();
  TColorPalettes::ApplyPalette(Chart, {0x123456, 0x654321, 0x0F0F0F}, 1);
  EXPECT_EQ(Chart.GetColorPalette(), (std::vector<TColor>{0x123456, 0x654321}));
  // The second series skips the first's colour; the third finds none free.
  EXPECT_EQ(SeriesColors(), (std::vector<TColor>{0x123456, 0x654321, 0x654321}));
  // An index past the colours takes them all; -1 takes none.
  TColorPalettes::ApplyPalette(Chart, {0x111111, 0x222222}, 5);
  EXPECT_EQ(Chart.GetColorPalette().size(), 2u);
  TColorPalettes::ApplyPalette(Chart, {0x111111, 0x222222}, -1);
  EXPECT_TRUE(Chart.GetColorPalette().empty());
}

TEST_F(TColorPalettesTest, IndexZeroReturnsDefaultSeriesToTheLibraryColours) {
  Add();
  Add(clTeal);
  Add();
  const std::vector<TColor> Library = SeriesColors();
  TColorPalettes::ApplyPalette(Chart, 1);
  EXPECT_NE(SeriesColors(), Library);
  TColorPalettes::ApplyPalette(Chart, 0);
  EXPECT_TRUE(Chart.GetColorPalette().empty());
  EXPECT_EQ(Chart.GetColorPaletteIndex(), 0);
  EXPECT_EQ(SeriesColors(), Library);
  EXPECT_EQ(Chart.GetDefaultColor(0), GetDefaultColor(0));
  // A number that names no palette is the library default too.
  TColorPalettes::ApplyPalette(Chart, 12);
  EXPECT_TRUE(Chart.GetColorPalette().empty());
  EXPECT_EQ(Chart.GetColorPaletteIndex(), 12);
}

TEST_F(TColorPalettesTest, StreamsKeepThePaletteAsAnIndex) {
  const TPublishedProperty* Index = Chart.Properties().Find(QStringLiteral("ColorPaletteIndex"));
  ASSERT_NE(Index, nullptr);
  EXPECT_FALSE(Index->IsStored(Chart));
  TColorPalettes::ApplyPalette(Chart, 3);
  EXPECT_TRUE(Index->IsStored(Chart));
  TPropertyValue Value;
  ASSERT_TRUE(GetPropertyValue(Chart, QStringLiteral("ColorPaletteIndex"), Value));
  EXPECT_EQ(std::get<int>(Value), 3);

  // Reading the index applies the palette it names.
  TChart Read(nullptr);
  TChartSeries* S = new TChartSeries(&Read);
  Read.AddSeries(S);
  ASSERT_TRUE(SetPropertyValue(Read, QStringLiteral("ColorPaletteIndex"), 7));
  EXPECT_EQ(Read.GetColorPalette(), TColorPalettes::PaletteColors(7));
  EXPECT_EQ(S->GetSeriesColor(), ModernPalette[0]);
  ASSERT_TRUE(SetPropertyValue(Read, QStringLiteral("ColorPaletteIndex"), 0));
  EXPECT_EQ(Read.GetColorPaletteIndex(), 0);
}

TEST_F(TColorPalettesTest, TheBaseThemeLeavesTheChartAsItIs) {
  TColorPalettes::ApplyPalette(Chart, 2);
  TChartTheme Theme(&Chart);
  EXPECT_EQ(Theme.GetChart(), &Chart);
  EXPECT_EQ(Theme.Description(), QStringLiteral("Default"));
  Theme.Apply();
  EXPECT_EQ(Chart.GetColorPaletteIndex(), 2);
  EXPECT_FALSE(ChartThemeSelectorHook);
}

}  // namespace
