#include "chart/core/TKorBlend.h"

#include "chart/core/TKorCanvas3D.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// The rectangle a blend snapshots on a 60 x 40 bitmap.
class TKorBlendTest : public ::testing::Test {
 protected:
  TBitmap Bitmap{60, 40};
  TKorCanvas3D Surface{&Bitmap.GetCanvas()};
};

struct ClampCase {
  const char* Name;
  TRect Asked;
  TRect Snapshot;  // empty: not valid
};

void PrintTo(const ClampCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class TKorBlendClampTest : public TKorBlendTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(TKorBlendClampTest, RectangleIsNormalisedAndClampedToTheBitmap) {
  TKorBlend Blend(Surface, GetParam().Asked);
  EXPECT_EQ(Blend.GetValid(), !IsRectEmpty(GetParam().Snapshot));
  if (Blend.GetValid()) {
    EXPECT_EQ(Blend.GetRect(), GetParam().Snapshot);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, TKorBlendClampTest,
    ::testing::Values(ClampCase{"Inside", {5, 6, 20, 30}, {5, 6, 20, 30}},
                      ClampCase{"Reversed", {20, 30, 5, 6}, {5, 6, 20, 30}},
                      ClampCase{"NegativeCorner", {-8, -3, 10, 10}, {0, 0, 10, 10}},
                      ClampCase{"PastTheBitmap", {50, 30, 90, 70}, {50, 30, 60, 40}},
                      ClampCase{"EmptyBecomesOnePixel", {7, 7, 7, 7}, {7, 7, 8, 8}},
                      ClampCase{"AllLeftOfTheBitmap", {-30, 5, -10, 9}, {0, 5, 1, 9}},
                      ClampCase{"RightOfTheBitmap", {70, 5, 80, 9}, {}},
                      ClampCase{"BelowTheBitmap", {5, 40, 9, 45}, {}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(TKorBlendTest, MixesOnlyOnTheBitmapItWasTakenFrom) {
  TKorBlend Blend(Surface, TRect(0, 0, 10, 10));
  TBitmap Other(60, 40);
  Surface.SetCanvas(Other.GetCanvas());
  Surface.GetBrush().SetColor(clBlack);
  Surface.FillRect(TRect(0, 0, 10, 10));
  Blend.Blend(50);
  EXPECT_EQ(PixelProbe::Count(Other, clBlack), 100);
}

}  // namespace
