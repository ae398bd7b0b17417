#include "chart/core/TKorShadow.h"

#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using PixelProbe::InkBox;

class TKorShadowTest : public ::testing::Test {
 protected:
  // The shadow of the element (10, 10, 30, 20) on a 50 x 40 bitmap.
  const TRect Element{10, 10, 30, 20};
  TBitmap Bitmap{50, 40};
  TKorCanvas3D Surface{&Bitmap.GetCanvas()};

  bool Stored(const TKorShadow& Shadow, const char* Name) const {
    return Shadow.Properties().Find(QString::fromLatin1(Name))->IsStored(Shadow);
  }

  int Changes = 0;
  TNotifyEvent Count = [this](TPersistent*) { ++Changes; };
};

TEST_F(TKorShadowTest, SizeReadsTheLargerOffsetAndWritesBoth) {
  TKorShadow Shadow(Count);
  Shadow.SetHorizSize(2);
  Shadow.SetVertSize(-5);
  EXPECT_EQ(Shadow.GetSize(), 2);
  Shadow.SetSize(4);
  EXPECT_EQ(Shadow.GetHorizSize(), 4);
  EXPECT_EQ(Shadow.GetVertSize(), 4);
  Shadow.SetSize(4);
  EXPECT_EQ(Changes, 3);
}

TEST_F(TKorShadowTest, TransparencyStaysAPercentage) {
  TKorShadow Shadow;
  Shadow.SetTransparency(130);
  EXPECT_EQ(Shadow.GetTransparency(), 100);
  Shadow.SetTransparency(-1);
  EXPECT_EQ(Shadow.GetTransparency(), 0);
}

TEST_F(TKorShadowTest, ColourAndSizesAreStoredAgainstTheOwnersDefaults) {
  TKorShadow Shadow;
  EXPECT_EQ(Shadow.GetColor(), clSilver);
  EXPECT_TRUE(Shadow.GetSmooth());
  for (const char* Name : {"Color", "HorizSize", "VertSize", "Smooth", "Transparency"})
    EXPECT_FALSE(Stored(Shadow, Name)) << Name;
  Shadow.SetSize(3);
  EXPECT_TRUE(Stored(Shadow, "HorizSize"));
  Shadow.SetDefaultSize(3);
  Shadow.SetDefaultColor(clGray);
  EXPECT_FALSE(Stored(Shadow, "HorizSize"));
  EXPECT_FALSE(Stored(Shadow, "VertSize"));
  EXPECT_TRUE(Stored(Shadow, "Color"));
}

struct HardCase {
  const char* Name;
  int Horiz;
  int Vert;
  bool Flat;  // inside a front-plane block
  TRect Ink;
  int Pixels;
};

void PrintTo(const HardCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class TKorShadowHardTest : public TKorShadowTest, public ::testing::WithParamInterface<HardCase> {};

// A strip below (above) and a strip right (left) of the element, shifted
// by the sizes, never over the element itself.
TEST_P(TKorShadowHardTest, StripsBelowAndBeside) {
  const HardCase& C = GetParam();
  TKorShadow Shadow;
  Shadow.SetSmooth(false);
  Shadow.SetColor(clGray);
  Shadow.SetHorizSize(C.Horiz);
  Shadow.SetVertSize(C.Vert);
  if (C.Flat) Surface.FrontPlaneBegin();
  Shadow.Draw(Surface, Element);
  EXPECT_EQ(InkBox(Bitmap), C.Ink);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clGray), C.Pixels);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clGray) + PixelProbe::Count(Bitmap, clWhite), 50 * 40);
  EXPECT_EQ(PixelProbe::Count(Bitmap, Element, clGray), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TKorShadowHardTest,
    ::testing::Values(HardCase{"RightAndDown", 3, 3, false, {13, 13, 33, 23}, 81},
                      HardCase{"LeftAndUp", -3, -3, false, {7, 7, 27, 17}, 81},
                      HardCase{"LeftAndDown", -3, 4, false, {7, 14, 27, 24}, 98},
                      HardCase{"RightAndUp", 3, -4, false, {13, 6, 33, 16}, 98},
                      HardCase{"FlatRightAndDown", 3, 3, true, {13, 13, 33, 23}, 81},
                      HardCase{"FlatLeftAndUp", -3, -3, true, {7, 7, 26, 17}, 78},
                      HardCase{"FlatDownOnly", 0, 4, true, {10, 20, 29, 24}, 76},
                      HardCase{"NoSize", 0, 0, true, {}, 0}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(TKorShadowTest, SoftShadowBrightensLineByLine) {
  TKorShadow Shadow;
  Shadow.SetColor(RGB(90, 90, 90));
  Shadow.SetSize(3);  // step round((255 - 90) / 3) = 55
  Shadow.Draw(Surface, Element);
  for (int I = 0; I < 3; ++I) {
    const int Grey = 90 + 55 * I;
    EXPECT_EQ(Bitmap.GetPixel(20, 20 + I), RGB(Grey, Grey, Grey)) << "row " << I;
    EXPECT_EQ(Bitmap.GetPixel(30 + I, 15), RGB(Grey, Grey, Grey)) << "column " << I;
  }
  // Each line reaches one pixel further toward the corner.
  EXPECT_EQ(Bitmap.GetPixel(13, 20), RGB(90, 90, 90));
  EXPECT_EQ(Bitmap.GetPixel(12, 20), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(30, 20), RGB(145, 145, 145));
  EXPECT_EQ(Bitmap.GetPixel(31, 21), RGB(200, 200, 200));
  EXPECT_EQ(InkBox(Bitmap), TRect(13, 13, 33, 23));
}

TEST_F(TKorShadowTest, NothingIsPreparedForNoColourOrNoSize) {
  TKorShadow Shadow;
  Shadow.SetSize(4);
  Shadow.SetColor(clNone);
  EXPECT_FALSE(Shadow.PrepareCanvas(Surface, Element, 0));
  Shadow.Draw(Surface, Element);
  Shadow.DrawEllipse(Surface, Element);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clWhite), 50 * 40);
  Shadow.SetColor(clRed);
  EXPECT_TRUE(Shadow.PrepareCanvas(Surface, Element, 0));
  EXPECT_EQ(Surface.GetBrush().GetColor(), clRed);
  EXPECT_EQ(Surface.GetPen().GetStyle(), psClear);
}

TEST_F(TKorShadowTest, TransparentShadowLeavesTheBackgroundHalfVisible) {
  TKorShadow Shadow;
  Shadow.SetSmooth(false);
  Shadow.SetColor(clBlack);
  Shadow.SetSize(3);
  Shadow.SetTransparency(50);
  Surface.GetBrush().SetColor(clBlack);
  Shadow.Draw(Surface, Element);
  EXPECT_EQ(PixelProbe::Count(Bitmap, RGB(128, 128, 128)), 81);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 0);
  Shadow.SetTransparency(0);
  Shadow.Draw(Surface, Element);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 81);
}

TEST_F(TKorShadowTest, ShadowsFollowTheDepthOfA3DView) {
  TView3DOptions Options;  // orthogonal: depth z moves a point by (z, -z)
  TBitmap Destination(50, 40);
  Surface.InitWindow(Destination.GetCanvas(), &Options, clWhite, true, TRect(0, 0, 50, 40));
  Surface.Projection(20, TRect(0, 0, 50, 40), TRect(0, 0, 50, 40));
  TKorShadow Shadow;
  Shadow.SetSmooth(false);
  Shadow.SetColor(clGray);
  Shadow.SetSize(3);
  Shadow.Draw(Surface, Element, 5);
  EXPECT_EQ(InkBox(*Surface.GetBitmap()), TRect(18, 8, 38, 18));
}

TEST_F(TKorShadowTest, SoftEllipseFadesFromDarkToBrightInsideTheEllipse) {
  TKorShadow Shadow;
  Shadow.SetSize(4);
  // Silver: 64 at the centre, 224 at the rim, 30 rings of 160 / 30 each.
  Shadow.DrawEllipse(Surface, TRect(6, 6, 36, 36));
  EXPECT_EQ(InkBox(Bitmap), TRect(10, 10, 40, 40));
  EXPECT_EQ(Bitmap.GetPixel(12, 12), clWhite) << "outside the ellipse";
  EXPECT_EQ(Bitmap.GetPixel(25, 10), RGB(224, 224, 224));
  EXPECT_LE(GetRValue(Bitmap.GetPixel(25, 25)), 64 + 4 * 160 / 30);
  EXPECT_LT(GetRValue(Bitmap.GetPixel(25, 25)), GetRValue(Bitmap.GetPixel(25, 15)));
}

TEST_F(TKorShadowTest, HardEllipseIsTheOffsetEllipseAtTheDepth) {
  struct TRecorder : TKorCanvas3D {
    using TKorCanvas3D::TKorCanvas3D;
    void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) override {
      Box = TRect(X1, Y1, X2, Y2);
      Depth = Z;
    }
    TRect Box;
    int Depth = -1;
  } Recorder(&Bitmap.GetCanvas());
  TKorShadow Shadow;
  Shadow.SetSmooth(false);
  Shadow.SetHorizSize(2);
  Shadow.SetVertSize(-1);
  Shadow.DrawEllipse(Recorder, Element, 7);
  EXPECT_EQ(Recorder.Box, TRect(12, 9, 32, 19));
  EXPECT_EQ(Recorder.Depth, 7);
}

}  // namespace
