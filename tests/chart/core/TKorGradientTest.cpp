#include "chart/core/TKorGradient.h"

#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorFontGradient.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

namespace {

using PixelProbe::InkBox;

class TKorGradientTest : public ::testing::Test {
 protected:
  int Changes = 0;
  TNotifyEvent Count = [this](TPersistent*) { ++Changes; };

  // Drawing on a 60 x 50 bitmap.
  TBitmap Bitmap{60, 50};
  TKorCanvas3D Surface{&Bitmap.GetCanvas()};
};

struct CurveCase {
  int Balance;
  int Index;
  int Count;
  int Grey;     // from black to white
  int Falling;  // from white to black
};

void PrintTo(const CurveCase& C, std::ostream* Out) {
  *Out << "balance " << C.Balance << ", " << C.Index << " of " << C.Count;
}

class TKorGradientCurveTest : public ::testing::TestWithParam<CurveCase> {};

// Balance 50 steps evenly, rounding toward zero (down when rising, up when
// falling); other balances follow ((i + 1) / (count + 1)) ^ (0.5 + 0.015 b).
TEST_P(TKorGradientCurveTest, ColourOfStep) {
  const CurveCase& C = GetParam();
  EXPECT_EQ(KorGradientColor(clBlack, clWhite, C.Index, C.Count, C.Balance),
            RGB(C.Grey, C.Grey, C.Grey));
  EXPECT_EQ(KorGradientColor(clWhite, clBlack, C.Index, C.Count, C.Balance),
            RGB(C.Falling, C.Falling, C.Falling));
}

INSTANTIATE_TEST_SUITE_P(
    Balances, TKorGradientCurveTest,
    ::testing::Values(CurveCase{50, 0, 4, 0, 255}, CurveCase{50, 1, 4, 63, 192},
                      CurveCase{50, 4, 4, 255, 0}, CurveCase{0, 3, 8, 170, 85},    // square root
                      CurveCase{0, 0, 8, 85, 170}, CurveCase{100, 3, 8, 50, 205},  // square
                      CurveCase{100, 8, 8, 255, 0}, CurveCase{20, 8, 8, 255, 0}));

TEST_F(TKorGradientTest, DefaultsMatchThePublishedDefaults) {
  TKorGradient Gradient;
  for (const TPublishedProperty& P : Gradient.Properties())
    EXPECT_FALSE(P.IsStored(Gradient)) << P.Name.toStdString();
  EXPECT_EQ(Gradient.GetStartColor(), clWhite);
  EXPECT_EQ(Gradient.GetEndColor(), clYellow);
  EXPECT_EQ(Gradient.GetMidColor(), clNone);
  EXPECT_EQ(Gradient.GetBalance(), 50);
  EXPECT_FALSE(Gradient.GetVisible());
}

TEST_F(TKorGradientTest, MiddleColourIsAddedRemovedAndRestored) {
  TKorGradient Gradient(Count);
  Gradient.SetMidColor(clRed);
  EXPECT_TRUE(Gradient.HasMiddleColor());
  EXPECT_EQ(Gradient.GetMidColor(), clRed);
  Gradient.SetMidColor(clNone);
  EXPECT_FALSE(Gradient.HasMiddleColor());
  EXPECT_EQ(Gradient.GetMidColor(), clNone);
  Gradient.UseMiddleColor();
  EXPECT_EQ(Gradient.GetMidColor(), clRed);
  EXPECT_EQ(Changes, 3);
}

TEST_F(TKorGradientTest, AssignCopiesEverySettingAndFontGradientsTheirOutline) {
  TKorFontGradient Source;
  Source.SetBalance(20);
  Source.SetMidColor(clLime);
  Source.SetRadialY(-4);
  Source.SetVisible(true);
  Source.SetOutline(true);
  TKorFontGradient Copy(Count);
  Copy.Assign(Source);
  EXPECT_EQ(Copy.GetBalance(), 20);
  EXPECT_EQ(Copy.GetMidColor(), clLime);
  EXPECT_EQ(Copy.GetRadialY(), -4);
  EXPECT_TRUE(Copy.GetVisible());
  EXPECT_TRUE(Copy.GetOutline());
  EXPECT_EQ(Changes, 1);
  const TPublishedProperty* Outline = Copy.Properties().Find(QStringLiteral("Outline"));
  ASSERT_NE(Outline, nullptr);
  EXPECT_TRUE(Outline->IsStored(Copy));
}

TEST_F(TKorGradientTest, MiddleColourMeetsBothHalvesAtTheCentreLine) {
  TKorGradient Gradient;
  Gradient.SetStartColor(clRed);
  Gradient.SetMidColor(clLime);
  Gradient.SetEndColor(clBlue);
  Gradient.Draw(Surface, TRect(0, 0, 60, 40));
  EXPECT_EQ(Bitmap.GetPixel(5, 39), clRed);  // start along the bottom edge
  EXPECT_EQ(Bitmap.GetPixel(5, 20), clLime);
  EXPECT_EQ(Bitmap.GetPixel(5, 19), clLime);
  EXPECT_EQ(Bitmap.GetPixel(5, 0), clBlue);
  EXPECT_EQ(Bitmap.GetPixel(5, 30), KorGradientColor(clRed, clLime, 9, 19, 50));

  Gradient.SetDirection(gdRightLeft);
  Gradient.Draw(Surface, TRect(0, 0, 60, 40));
  EXPECT_EQ(Bitmap.GetPixel(0, 5), clRed);  // start along the left edge
  EXPECT_EQ(Bitmap.GetPixel(29, 5), clLime);
  EXPECT_EQ(Bitmap.GetPixel(30, 5), clLime);
  EXPECT_EQ(Bitmap.GetPixel(59, 5), clBlue);
}

TEST_F(TKorGradientTest, MiddleColourIsIgnoredByDiagonalsAndCornerFillsUseEvenBalance) {
  auto Draw = [](TGradientDirection Direction, TColor Middle, int Balance) {
    auto B = std::make_unique<TBitmap>(30, 20);
    TKorCanvas3D On(&B->GetCanvas());
    TKorGradient Gradient;
    Gradient.SetStartColor(clRed);
    Gradient.SetEndColor(clBlue);
    Gradient.SetMidColor(Middle);
    Gradient.SetBalance(Balance);
    Gradient.SetDirection(Direction);
    Gradient.Draw(On, TRect(0, 0, 30, 20));
    return B;
  };
  EXPECT_TRUE(
      PixelProbe::SamePixels(*Draw(gdDiagonalUp, clLime, 30), *Draw(gdDiagonalUp, clNone, 30)));
  EXPECT_TRUE(
      PixelProbe::SamePixels(*Draw(gdFromTopLeft, clLime, 0), *Draw(gdFromTopLeft, clNone, 50)));
  EXPECT_FALSE(
      PixelProbe::SamePixels(*Draw(gdFromTopLeft, clNone, 0), *Draw(gdFromTopLeft, clNone, 50)));
}

TEST_F(TKorGradientTest, MonochromeSurfacesGetTheGreyOfEachColour) {
  TKorGradient Gradient;
  Gradient.SetStartColor(RGB(30, 60, 90));
  Gradient.SetEndColor(RGB(200, 0, 100));
  Surface.SetMonochrome(true);
  Gradient.Draw(Surface, TRect(0, 0, 60, 40));
  EXPECT_EQ(Bitmap.GetPixel(3, 39), RGB(60, 60, 60));
  EXPECT_EQ(Bitmap.GetPixel(3, 0), RGB(100, 100, 100));
}

TEST_F(TKorGradientTest, RoundedAndPolygonFillsAreClippedAndTheClipRemoved) {
  TKorGradient Gradient;
  Gradient.SetStartColor(clRed);
  Gradient.SetEndColor(clRed);
  Gradient.Draw(Surface, TRect(10, 10, 50, 40), 20);
  EXPECT_EQ(Bitmap.GetPixel(10, 10), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(30, 25), clRed);
  EXPECT_EQ(InkBox(Bitmap), TRect(10, 10, 50, 40));

  TBitmap Other(60, 50);
  Surface.SetCanvas(Other.GetCanvas());
  Gradient.Draw(Surface, TFourPoints{TPoint(0, 0), TPoint(40, 0), TPoint(0, 40), TPoint(0, 20)});
  EXPECT_EQ(Other.GetPixel(5, 5), clRed);
  EXPECT_EQ(Other.GetPixel(35, 35), clWhite) << "in the bounds, outside the shape";
  Surface.GetBrush().SetColor(clBlue);
  Surface.FillRect(TRect(0, 0, 60, 50));
  EXPECT_EQ(PixelProbe::Count(Other, clBlue), 60 * 50) << "the clip is gone";
}

// The outline first, then the rounded fill in the same painter session:
// the fill may cover the outline but never a pixel outside it, and leaves
// no gap inside it. Several sizes, so odd and even corners both occur.
TEST_F(TKorGradientTest, RoundedFillStaysWithinItsRoundedOutline) {
  TKorGradient Gradient;
  Gradient.SetStartColor(clRed);
  Gradient.SetEndColor(clRed);
  for (const TRect& R : {TRect(5, 4, 55, 46), TRect(6, 5, 37, 30), TRect(3, 3, 58, 48)}) {
    for (int Round : {10, 15, 24}) {
      SCOPED_TRACE(::testing::Message() << R.Width() << " x " << R.Height() << ", " << Round);
      TBitmap Shape(60, 50);
      Shape.GetCanvas().GetBrush().SetColor(clBlack);
      Shape.GetCanvas().RoundRect(R.Left, R.Top, R.Right, R.Bottom, Round, Round);

      TBitmap Drawn(60, 50);
      Surface.SetCanvas(Drawn.GetCanvas());
      Surface.GetPen().SetColor(clBlack);
      Surface.GetBrush().SetStyle(bsClear);
      Surface.RoundRect(R, Round, Round);
      Gradient.Draw(Surface, R, Round);
      int Outside = 0;
      int Gaps = 0;
      for (int Y = 0; Y < 50; ++Y) {
        for (int X = 0; X < 60; ++X) {
          const bool InShape = Shape.GetPixel(X, Y) == clBlack;
          Outside += !InShape && Drawn.GetPixel(X, Y) != clWhite;
          Gaps += InShape && Drawn.GetPixel(X, Y) == clWhite;
        }
      }
      EXPECT_EQ(Outside, 0);
      EXPECT_EQ(Gaps, 0);
    }
  }
}

TEST_F(TKorGradientTest, ProjectedFillsMoveWithDepth) {
  TView3DOptions Options;  // orthogonal: depth z moves a point by (z, -z)
  TBitmap Destination(100, 100);
  Surface.InitWindow(Destination.GetCanvas(), &Options, clWhite, true, TRect(0, 0, 100, 100));
  Surface.Projection(20, TRect(0, 0, 100, 100), TRect(0, 0, 100, 100));
  TKorGradient Gradient;
  Gradient.SetStartColor(clRed);
  Gradient.SetEndColor(clRed);
  Gradient.Draw(Surface,
                TFourPoints{TPoint(20, 30), TPoint(50, 30), TPoint(50, 60), TPoint(20, 60)}, 10);
  EXPECT_EQ(InkBox(*Surface.GetBitmap()), TRect(30, 20, 60, 50));
  TBitmap& Buffer = *Surface.GetBitmap();
  Buffer.GetCanvas().GetBrush().SetColor(clWhite);
  Buffer.GetCanvas().FillRect(TRect(0, 0, 100, 100));
  const TPointArray Triangle{{20, 30}, {50, 30}, {20, 60}};
  Gradient.Draw(Surface, Triangle, 10, false);
  EXPECT_EQ(Buffer.GetPixel(22, 32), clRed);
  EXPECT_EQ(Buffer.GetPixel(48, 58), clWhite);
  Gradient.Draw(Surface, Triangle, 10, true);
  EXPECT_EQ(Buffer.GetPixel(32, 22), clRed);
}

// Radial fill of a 20 x 20 rectangle from black to (200, 100, 50): 20 rings,
// ring n coloured start + round(n * (end - start) / 20).
TEST_F(TKorGradientTest, RadialRingsRunFromTheStartAtTheCentreToTheEndAtTheRim) {
  TKorGradient Gradient;
  Gradient.SetDirection(gdRadial);
  Gradient.SetStartColor(clBlack);
  Gradient.SetEndColor(RGB(200, 100, 50));
  Gradient.Draw(Surface, TRect(20, 10, 40, 30));
  std::set<TColor> Rings;
  for (int N = 0; N <= 20; ++N) Rings.insert(RGB(10 * N, 5 * N, Round(2.5 * N)));
  for (int Y = 10; Y < 30; ++Y)
    for (int X = 20; X < 40; ++X)
      EXPECT_TRUE(Rings.count(Bitmap.GetPixel(X, Y)) == 1) << X << "," << Y;
  EXPECT_EQ(Bitmap.GetPixel(20, 10), RGB(200, 100, 50));
  EXPECT_EQ(Bitmap.GetPixel(39, 29), RGB(200, 100, 50));
  // Rings below a pixel across draw nothing, so the middle pixel shows
  // one of the innermost rings.
  EXPECT_LE(GetRValue(Bitmap.GetPixel(30, 20)), 40);
  EXPECT_EQ(InkBox(Bitmap), TRect(20, 10, 40, 30)) << "clipped to the rectangle";
  int Previous = -1;
  for (int X = 31; X < 40; ++X) {  // the rings brighten outward
    EXPECT_GE(GetRValue(Bitmap.GetPixel(X, 20)), Previous) << X;
    Previous = GetRValue(Bitmap.GetPixel(X, 20));
  }
}

struct TinyCase {
  const char* Name;
  TRect R;
  int Start;  // pixels in the start colour
  int End;    // pixels in the end colour
};

void PrintTo(const TinyCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class TKorGradientTinyTest : public TKorGradientTest,
                             public ::testing::WithParamInterface<TinyCase> {};

TEST_P(TKorGradientTinyTest, TinyRadialRectanglesFillWithTheStartColourOrRings) {
  TKorGradient Gradient;
  Gradient.SetDirection(gdRadial);
  Gradient.SetStartColor(clRed);
  Gradient.SetEndColor(clBlue);
  Gradient.Draw(Surface, GetParam().R);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clRed), GetParam().Start);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlue), GetParam().End);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clWhite),
            60 * 50 - GetParam().R.Width() * GetParam().R.Height());
}

INSTANTIATE_TEST_SUITE_P(Rectangles, TKorGradientTinyTest,
                         ::testing::Values(TinyCase{"Empty", {5, 5, 5, 5}, 0, 0},
                                           TinyCase{"OnePixel", {5, 5, 6, 6}, 1, 0},
                                           TinyCase{"OneByZero", {5, 5, 6, 5}, 0, 0},
                                           TinyCase{"TwoByOne", {5, 5, 7, 6}, 0, 2}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
