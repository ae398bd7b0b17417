#include "chart/core/KorCanvas.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartPen.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPen.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

class KorCanvasTest : public ::testing::Test {
 protected:
  void TearDown() override { KorAlphaBlendUsable = true; }

  // A bitmap of one colour.
  static std::unique_ptr<TBitmap> Filled(int W, int H, TColor Color,
                                         TPixelFormat Format = pfDevice) {
    auto B = std::make_unique<TBitmap>(W, H, Format);
    B->GetCanvas().GetBrush().SetColor(Color);
    B->GetCanvas().FillRect(Rect(0, 0, W, H));
    return B;
  }
};

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

// ---------------------------------------------------------------- geometry

struct InclusionCase {
  const char* Name;
  TPoint P;
  bool Inside;
};

void PrintTo(const InclusionCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class PointInRectTest : public ::testing::TestWithParam<InclusionCase> {};

TEST_P(PointInRectTest, EveryEdgeBelongsToTheRectangle) {
  const TRect R(10, 20, 30, 40);
  EXPECT_EQ(PointInRect(R, GetParam().P), GetParam().Inside);
  EXPECT_EQ(PointInRect(R, GetParam().P.X, GetParam().P.Y), GetParam().Inside);
}

INSTANTIATE_TEST_SUITE_P(Edges, PointInRectTest,
                         ::testing::Values(InclusionCase{"TopLeft", {10, 20}, true},
                                           InclusionCase{"BottomRight", {30, 40}, true},
                                           InclusionCase{"RightEdge", {30, 25}, true},
                                           InclusionCase{"LeftOf", {9, 25}, false},
                                           InclusionCase{"RightOf", {31, 25}, false},
                                           InclusionCase{"Above", {15, 19}, false},
                                           InclusionCase{"Below", {15, 41}, false}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(KorCanvasTest, PolygonBoundsAndRectFromPolygonDifferByOnePixelAtRightAndBottom) {
  const TPoint Points[3] = {{5, -2}, {-3, 7}, {4, 1}};
  EXPECT_EQ(PolygonBounds(Points, 2), TRect(-3, -2, 5, 7));
  EXPECT_EQ(RectFromPolygon(Points, 3), TRect(-3, -2, 6, 8));
  EXPECT_EQ(RectFromTriangle({Points[0], Points[1], Points[2]}), TRect(-3, -2, 6, 8));
  EXPECT_EQ(PolygonBounds(Points, -1), KorZeroRect);
  EXPECT_EQ(RectFromPolygon(Points, 0), KorZeroRect);
}

TEST_F(KorCanvasTest, RectangleHelpers) {
  EXPECT_EQ(OrientRectangle(TRect(10, 40, 2, 5)), TRect(2, 5, 10, 40));
  int W = 0, H = 0;
  RectSize(TRect(2, 3, 12, 8), W, H);
  EXPECT_EQ(TPoint(W, H), TPoint(10, 5));
  int X = 0, Y = 0;
  RectCenter(TRect(-7, -5, 0, 0), X, Y);
  EXPECT_EQ(TPoint(X, Y), TPoint(-3, -2));  // halves toward zero
}

TEST_F(KorCanvasTest, CullingAndDistances) {
  // Clockwise on the screen (y down) faces away; collinear points do not.
  EXPECT_TRUE(KorCull({0, 0}, {10, 0}, {10, 10}));
  EXPECT_FALSE(KorCull({10, 10}, {10, 0}, {0, 0}));
  EXPECT_FALSE(KorCull({0, 0}, {5, 5}, {10, 10}));
  EXPECT_TRUE(KorCull(TFourPoints{TPoint(0, 0), TPoint(10, 0), TPoint(10, 10), TPoint(0, 10)}));
  EXPECT_DOUBLE_EQ(KorDistance(3, -4), 5.0);
  EXPECT_EQ(PointAtDistance({0, 0}, {10, 0}, 4), TPoint(6, 0));
  EXPECT_EQ(PointAtDistance({0, 0}, {30, 40}, 5), TPoint(27, 36));
  EXPECT_EQ(PointAtDistance({5, 0}, {5, 20}, 7), TPoint(5, 13));
  EXPECT_EQ(PointAtDistance({5, 30}, {5, 20}, 7), TPoint(5, 27));
}

// ---------------------------------------------------------------- blending

TEST_F(KorCanvasTest, AlphaBlendWeighsTheSourceByRoundedPercentTimes255Over100) {
  // The source is the background, the destination the element drawn over
  // it; Percent is how much of the element stays. 70 * 2.55 = 178.5 rounds
  // to even, so the background gets 77 of 255 (transparency 30); 50 * 2.55
  // is 127.49999999999999 in doubles, so at 50 the background gets 128.
  auto Background = Filled(4, 4, clWhite);
  auto Element = Filled(4, 4, clBlack);
  KorBlendBitmaps(*Background, *Element, TPoint(0, 0), 70);
  EXPECT_EQ(Element->GetPixel(2, 2), RGB(77, 77, 77));
  auto Half = Filled(4, 4, clBlack);
  KorBlendBitmaps(*Background, *Half, TPoint(0, 0), 50);
  EXPECT_EQ(Half->GetPixel(0, 0), RGB(128, 128, 128));
}

TEST_F(KorCanvasTest, ByteLoopBlendTruncatesAndTurnsWhiteDestinationsRed254First) {
  KorAlphaBlendUsable = false;
  auto Background = Filled(3, 3, RGB(0, 100, 201), pf24bit);
  auto Element = Filled(3, 3, RGB(255, 255, 255));
  KorBlendBitmaps(*Background, *Element, TPoint(0, 0), 70);
  // t = 30: red 254 + 30 * (0 - 254) / 100 = 254 - 76; green 255 - 46;
  // blue 255 - 16 (truncated toward zero each).
  EXPECT_EQ(Element->GetPixel(1, 1), RGB(178, 209, 239));
  auto Same = Filled(3, 3, clWhite);
  KorBlendBitmaps(*Filled(3, 3, clWhite), *Same, TPoint(0, 0), 50);
  EXPECT_EQ(Same->GetPixel(0, 0), RGB(254, 255, 255));
}

TEST_F(KorCanvasTest, BlendClipsToTheDestinationAndClampsNegativePositions) {
  auto Background = Filled(5, 5, clBlack);
  auto Element = Filled(6, 6, clWhite);
  KorBlendBitmaps(*Background, *Element, TPoint(3, -2), 0);  // all background
  EXPECT_EQ(PixelProbe::Count(*Element, Rect(3, 0, 6, 5), clBlack), 15);
  EXPECT_EQ(PixelProbe::Count(*Element, clBlack), 15);
  KorBlendBitmaps(*Background, *Element, TPoint(6, 0), 0);  // nothing fits
  EXPECT_EQ(PixelProbe::Count(*Element, clBlack), 15);
}

// ---------------------------------------------------------------- bitmap routines

TEST_F(KorCanvasTest, GrayScaleWeightsOrMeansAndCanInvert) {
  struct Case {
    bool Inverted;
    int Mode;
    int Grey;
  };
  // (10, 20, 30): 0.3 * 10 + 0.59 * 20 + 0.11 * 30 = 18.1; the mean is 20.
  for (Case C : {Case{false, 1, 18}, Case{false, 0, 20}, Case{true, 1, 237}, Case{true, 0, 235}}) {
    auto B = Filled(2, 2, RGB(10, 20, 30), pf24bit);
    KorGrayScale(B.get(), C.Inverted, C.Mode);
    EXPECT_EQ(B->GetPixel(1, 1), RGB(C.Grey, C.Grey, C.Grey)) << C.Inverted << C.Mode;
    EXPECT_EQ(B->GetPixelFormat(), pfDevice);
  }
  KorGrayScale(nullptr, false, 0);
}

TEST_F(KorCanvasTest, SmoothStretchKeepsFlatImagesFlatAndTheSameSizeUnchanged) {
  for (TSmoothStretchOption Option : {ssBestQuality, ssBestPerformance}) {
    for (TSize Size : {TSize(37, 11), TSize(3, 29), TSize(160, 90)}) {
      TBitmap Out(Size.cx, Size.cy);
      SmoothStretch(*Filled(23, 17, RGB(201, 37, 255)), Out, Option);
      EXPECT_EQ(PixelProbe::Count(Out, RGB(201, 37, 255)), Size.cx * Size.cy)
          << Option << " " << Size.cx << "x" << Size.cy;
    }
    TBitmap Source(9, 7);
    for (int Y = 0; Y < 7; ++Y)
      for (int X = 0; X < 9; ++X)
        Source.GetCanvas().SetPixel(X, Y, RGB(X * 28, Y * 36, 255 - X * Y));
    TBitmap Copy(9, 7);
    SmoothStretch(Source, Copy, Option);
    EXPECT_TRUE(PixelProbe::SamePixels(Copy, Source)) << Option;
  }
}

TEST_F(KorCanvasTest, SmoothStretchInterpolatesBetweenTheSourcePixels) {
  // Triangle filter, doubling 2 x 2 to 3 x 3: the new middle pixels are the
  // means of their neighbours.
  TBitmap Source(2, 2);
  Source.GetCanvas().SetPixel(0, 0, clBlack);
  Source.GetCanvas().SetPixel(1, 0, RGB(200, 200, 200));
  Source.GetCanvas().SetPixel(0, 1, clBlack);
  Source.GetCanvas().SetPixel(1, 1, RGB(200, 200, 200));
  TBitmap Out(3, 3);
  SmoothStretch(Source, Out, ssBestPerformance);
  EXPECT_EQ(Out.GetPixel(0, 1), clBlack);
  EXPECT_EQ(Out.GetPixel(1, 1), RGB(100, 100, 100));
  EXPECT_EQ(Out.GetPixel(2, 2), RGB(200, 200, 200));
}

TEST_F(KorCanvasTest, SmoothStretchRefusesBitmapsBelowTwoByTwo) {
  TBitmap Big(4, 4);
  TBitmap Thin(1, 5);
  try {
    SmoothStretch(Thin, Big);
    FAIL() << "no error";
  } catch (const KorException& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("SmoothStretch: Source bitmap too small"));
  }
  try {
    SmoothStretch(Big, Thin, ssBestPerformance);
    FAIL() << "no error";
  } catch (const KorException& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("SmoothStretch: Destination bitmap too small"));
  }
}

TEST_F(KorCanvasTest, AntiAliasReductionIsTheRoundedDownMeanOfEachTwoByTwoBlock) {
  TBitmap Large(5, 4);
  Large.GetCanvas().SetPixel(0, 0, RGB(1, 10, 255));
  Large.GetCanvas().SetPixel(1, 0, RGB(2, 10, 255));
  Large.GetCanvas().SetPixel(0, 1, RGB(2, 10, 255));
  Large.GetCanvas().SetPixel(1, 1, RGB(2, 11, 0));
  std::unique_ptr<TBitmap> Small = KorAntiAliasBitmap(Large);
  ASSERT_EQ(TSize(Small->GetWidth(), Small->GetHeight()), TSize(2, 2));
  EXPECT_EQ(Small->GetPixelFormat(), pf24bit);
  EXPECT_EQ(Small->GetPixel(0, 0), RGB(1, 10, 191));  // 7/4, 41/4, 765/4 rounded down
  EXPECT_EQ(Small->GetPixel(1, 1), clWhite);
}

}  // namespace
