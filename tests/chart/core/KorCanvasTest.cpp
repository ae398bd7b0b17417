#include "chart/core/KorCanvas.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartPen.h"

#include "platform/TPen.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

class KorCanvasTest : public ::testing::Test {};

TEST_F(KorCanvasTest, ApplyDarkStopsEachChannelAtZero) {
  EXPECT_EQ(ApplyDark(0x808080, 128), clBlack);
  EXPECT_EQ(ApplyDark(RGB(200, 100, 50), 64), RGB(136, 36, 0));
}

TEST_F(KorCanvasTest, ApplyBrightStopsEachChannelAt255) {
  EXPECT_EQ(ApplyBright(RGB(240, 240, 240), 32), clWhite);
  EXPECT_EQ(ApplyBright(RGB(10, 20, 250), 10), RGB(20, 30, 255));
}

TEST_F(KorCanvasTest, ShadingConvertsSystemColoursButRGBValueReadsTheStoredBytes) {
  const TColor Face = ColorToRGB(clBtnFace);
  EXPECT_EQ(ApplyDark(clBtnFace, 0), Face);
  EXPECT_EQ(ApplyBright(clBtnFace, 0), Face);

  std::uint8_t R = 0, G = 0, B = 0;
  RGBValue(clBtnFace, R, G, B);
  EXPECT_EQ(R, 15);  // the system colour index
  EXPECT_EQ(G, 0);
  EXPECT_EQ(B, 0);
  RGBValue(RGB(1, 2, 3), R, G, B);
  EXPECT_EQ((std::array<int, 3>{R, G, B}), (std::array<int, 3>{1, 2, 3}));
}

TEST_F(KorCanvasTest, DefaultFontComesFromTheLibraryTexts) {
  EXPECT_EQ(GetDefaultFontName(), Korconst::KorMsg_DefaultFontName);
  EXPECT_EQ(GetDefaultFontSize(), Korconst::KorMsg_DefaultFontSize.toInt());
  EXPECT_EQ(GetDefaultFontSize(), 8);
}

TEST_F(KorCanvasTest, KorSetKorPenMapsEndStylesOfWidePensToCapsAndJoins) {
  struct Case {
    TPenEndStyle Style;
    TPenEndCap Cap;
    TPenJoin Join;
  };
  for (Case C : {Case{esRound, pecRound, pjRound}, Case{esSquare, pecSquare, pjBevel},
                 Case{esFlat, pecFlat, pjMiter}}) {
    TChartPen ChartPen;
    ChartPen.SetWidth(3);
    ChartPen.SetStyle(psDash);
    ChartPen.SetEndStyle(C.Style);
    TPen CanvasPen;
    KorSetKorPen(CanvasPen, ChartPen, clRed);
    EXPECT_EQ(CanvasPen.GetEndCap(), C.Cap);
    EXPECT_EQ(CanvasPen.GetJoin(), C.Join);
    EXPECT_EQ(CanvasPen.GetWidth(), 3);
    EXPECT_EQ(CanvasPen.GetStyle(), psDash);
    EXPECT_EQ(CanvasPen.GetColor(), clRed);
  }
}

TEST_F(KorCanvasTest, KorSetKorPenSmallDotsKeepTheChartPensMode) {
  TChartPen ChartPen;
  ChartPen.SetSmallDots(true);
  ChartPen.SetSmallSpace(2);
  ChartPen.SetWidth(4);
  ChartPen.SetMode(pmXor);
  TPen CanvasPen;
  KorSetKorPen(CanvasPen, ChartPen, clGreen);
  EXPECT_EQ(CanvasPen.GetStyle(), psUserStyle);
  EXPECT_EQ(CanvasPen.GetUserDashes(), (std::vector<int>{0, 3}));
  EXPECT_EQ(CanvasPen.GetWidth(), 1);
  EXPECT_EQ(CanvasPen.GetColor(), clGreen);
  EXPECT_EQ(CanvasPen.GetMode(), pmXor);
}

}  // namespace
