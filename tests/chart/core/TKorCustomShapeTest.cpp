#include "chart/core/TKorCustomShape.h"

#include "chart/core/TKorFont.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TKorShape.h"
#include "tests/chart/core/TestPanels.h"

#include "platform/TBitmap.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using PixelProbe::Count;

// Shapes drawn on a 100 x 80 white frame of a panel.
class TKorCustomShapeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Panel.PaintBackground = false;
    Shape.SetShapeBounds(TRect(20, 20, 60, 50));
    Shape.SetColor(clYellow);
    Shape.GetPen().SetColor(clBlack);
    Shape.GetShadow().SetSmooth(false);
  }
  void TearDown() override { SetTextAntialiasing(true); }

  std::unique_ptr<TBitmap> Render(double Angle = 0) {
    Panel.OnDraw = [this, Angle](TTestPanel&, const TRect&) {
      Shape.DrawRectRotated(Shape.GetShapeBounds(), Angle, 0);
    };
    return Panel.KorCreateBitmap(clWhite, TRect(0, 0, 100, 80), pfDevice);
  }

  TTestPanel Panel;
  TKorShape Shape{&Panel};
};

TEST_F(TKorCustomShapeTest, RectToFourPointsTurnsTheCornersAboutTheCentre) {
  TFourPoints P;
  RectToFourPoints(TRect(0, 0, 10, 10), 90, P);
  EXPECT_EQ(P[0], TPoint(0, 10));  // (-5, -5) from the centre becomes (-5, 5)
  EXPECT_EQ(P[1], TPoint(0, 0));
  EXPECT_EQ(P[2], TPoint(10, 0));
  EXPECT_EQ(P[3], TPoint(10, 10));
  RectToFourPoints(TRect(0, 0, 10, 10), 0, P);
  EXPECT_EQ(P[0], TPoint(0, 0));
  EXPECT_EQ(P[2], TPoint(10, 10));
}

TEST_F(TKorCustomShapeTest, FramedShapeWithHardShadow) {
  std::unique_ptr<TBitmap> B = Render();
  EXPECT_EQ(B->GetPixel(20, 30), clBlack);  // frame
  EXPECT_EQ(B->GetPixel(59, 30), clBlack);
  EXPECT_EQ(B->GetPixel(40, 35), clYellow);
  EXPECT_EQ(B->GetPixel(61, 35), clBlack);  // 3-pixel shadow right and below
  EXPECT_EQ(B->GetPixel(40, 51), clBlack);
  EXPECT_EQ(B->GetPixel(61, 21), clWhite);  // the shadow is offset downwards
  EXPECT_EQ(B->GetPixel(64, 35), clWhite);
  EXPECT_EQ(PixelProbe::InkBox(*B), TRect(20, 20, 63, 53));
}

TEST_F(TKorCustomShapeTest, TransparentShapeDrawsNothingNotEvenItsShadow) {
  Shape.SetTransparent(true);
  EXPECT_EQ(Count(*Render(), clWhite), 100 * 80);
}

TEST_F(TKorCustomShapeTest, ClearBrushHasNoShadow) {
  Shape.GetBrush().SetStyle(bsClear);
  std::unique_ptr<TBitmap> B = Render();
  EXPECT_EQ(B->GetPixel(40, 35), clWhite);
  EXPECT_EQ(B->GetPixel(61, 35), clWhite);
  EXPECT_EQ(B->GetPixel(20, 30), clBlack);
}

TEST_F(TKorCustomShapeTest, RoundRectangleLeavesTheCornersOutAndHasNoShadowObject) {
  Shape.SetShapeStyle(fosRoundRectangle);
  std::unique_ptr<TBitmap> B = Render();
  EXPECT_EQ(B->GetPixel(20, 20), clWhite);
  EXPECT_EQ(B->GetPixel(40, 20), clBlack);
  EXPECT_EQ(B->GetPixel(40, 35), clYellow);
  EXPECT_EQ(B->GetPixel(61, 35), clWhite);
}

TEST_F(TKorCustomShapeTest, GradientFillsInsteadOfTheColour) {
  TKorGradient* G = Shape.GetGradient();
  G->SetStartColor(clRed);
  G->SetEndColor(clBlue);
  G->SetVisible(true);
  std::unique_ptr<TBitmap> B = Render();
  EXPECT_EQ(Count(*B, clYellow), 0);
  // The start colour along the bottom, the end colour at the top (one band
  // in from the frame).
  EXPECT_GT(GetRValue(B->GetPixel(40, 48)), 230);
  EXPECT_LT(GetBValue(B->GetPixel(40, 48)), 25);
  EXPECT_GT(GetBValue(B->GetPixel(40, 21)), 230);
  EXPECT_LT(GetRValue(B->GetPixel(40, 21)), 25);
  EXPECT_EQ(B->GetPixel(20, 30), clBlack);  // framed over the gradient
}

TEST_F(TKorCustomShapeTest, RotatedShapeTurnsItsOutline) {
  Shape.GetShadow().SetSize(0);
  Shape.SetShapeBounds(TRect(20, 30, 80, 50));  // 60 x 20
  std::unique_ptr<TBitmap> B = Render(90);
  EXPECT_EQ(PixelProbe::InkBox(*B), TRect(40, 10, 61, 71));  // 20 x 60 about (50, 40)
  EXPECT_EQ(B->GetPixel(50, 40), clYellow);
}

TEST_F(TKorCustomShapeTest, TransparencyBlendsTheShapeWithTheBackground) {
  Shape.GetShadow().SetSize(0);
  Shape.SetColor(clRed);
  Shape.SetTransparency(50);
  std::unique_ptr<TBitmap> B = Render();
  const TColor C = B->GetPixel(40, 35);
  EXPECT_EQ(GetRValue(C), 255);
  EXPECT_NEAR(GetGValue(C), 127, 2);
  EXPECT_NEAR(GetBValue(C), 127, 2);
}

TEST_F(TKorCustomShapeTest, SizeAndShadowForwards) {
  EXPECT_EQ(Shape.GetWidth(), 41);
  Shape.SetWidth(10);
  Shape.SetHeight(5);
  EXPECT_EQ(Shape.GetShapeBounds(), TRect(20, 20, 29, 24));
  Shape.SetShadowSize(7);
  Shape.SetShadowColor(clRed);
  EXPECT_EQ(Shape.GetShadow().GetHorizSize(), 7);
  EXPECT_EQ(Shape.GetShadow().GetColor(), clRed);
  TKorShape Fresh(nullptr);
  EXPECT_EQ(Fresh.GetShadow().GetSize(), 3);
  EXPECT_EQ(Fresh.GetShadow().GetColor(), clBlack);
  EXPECT_EQ(Fresh.GetBevelWidth(), 2);
  EXPECT_EQ(Fresh.GetColor(), clWhite);
  Fresh.Assign(Shape);
  EXPECT_EQ(Fresh.GetColor(), clYellow);
  EXPECT_EQ(Fresh.GetShadow().GetSize(), 7);
  Fresh.Hide();
  EXPECT_FALSE(Fresh.GetVisible());
}

TEST_F(TKorCustomShapeTest, PenIsPublishedAsFrameAndOldShadowPropertiesAreRead) {
  const TPublishedProperty* Frame = Shape.Properties().Find("Frame");
  ASSERT_NE(Frame, nullptr);
  EXPECT_EQ(std::get<TPersistent*>(Frame->Get(Shape)), &Shape.GetPen());
  EXPECT_EQ(Shape.Properties().Find("Pen"), nullptr);
  EXPECT_EQ(Shape.Properties().Find("ShadowColor"), nullptr);  // never written

  EXPECT_TRUE(SetPropertyValue(Shape, "ShadowColor", QString("clRed")));
  EXPECT_EQ(Shape.GetShadow().GetColor(), clRed);
  EXPECT_TRUE(SetPropertyValue(Shape, "ShadowColor", 0x00FF00));
  EXPECT_EQ(Shape.GetShadow().GetColor(), clLime);
  EXPECT_FALSE(SetPropertyValue(Shape, "ShadowColor", QString("clNoSuchColour")));
  EXPECT_TRUE(SetPropertyValue(Shape, "ShadowSize", 6));
  EXPECT_EQ(Shape.GetShadow().GetSize(), 6);
  EXPECT_FALSE(Shape.Properties().Find("Gradient")->IsStored(Shape));
  EXPECT_EQ(Shape.ExistingGradient(), nullptr);
}

TEST_F(TKorCustomShapeTest, ChangesRepaintTheParentOnlyWhenTheyChangeSomething) {
  Panel.Draw();
  auto Dirty = [this] { return static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty(); };
  ASSERT_FALSE(Dirty());
  Shape.SetColor(clYellow);
  Shape.SetVisible(true);
  EXPECT_FALSE(Dirty());
  Shape.GetBrush().SetColor(clRed);
  EXPECT_TRUE(Dirty());
  Panel.Draw();
  Shape.GetFont().SetSize(20);
  EXPECT_TRUE(Dirty());
}

}  // namespace
