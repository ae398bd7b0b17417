#include "chart/core/TCustomKorPanelExtended.h"

#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TView3DOptions.h"
#include "tests/chart/core/TestPanels.h"

#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using PixelProbe::Count;

// A picture of W x H pixels in Color with an optional block of Inner in
// the middle.
std::unique_ptr<TPicture> MakePicture(int W, int H, TColor Color, TColor Inner = clNone) {
  auto Graphic = std::make_unique<TBitmapGraphic>();
  TBitmap& B = Graphic->Bitmap();
  B.SetSize(W, H);
  B.GetCanvas().GetBrush().SetColor(Color);
  B.GetCanvas().FillRect(TRect(0, 0, W, H));
  if (Inner != clNone) {
    B.GetCanvas().GetBrush().SetColor(Inner);
    B.GetCanvas().FillRect(TRect(W / 4, H / 4, W - W / 4, H - H / 4));
  }
  auto Picture = std::make_unique<TPicture>();
  Picture->SetGraphic(std::move(Graphic));
  return Picture;
}

class TCustomKorPanelExtendedTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTextAntialiasing(false); }
  void TearDown() override { SetTextAntialiasing(true); }

  // The panel drawn with only the back picture in R at depth 0.
  std::unique_ptr<TBitmap> DrawBackImage(const TRect& R) {
    Panel.PaintBackground = false;
    Panel.OnDraw = [R](TTestPanel& P, const TRect&) { P.DrawBitmap(R, 0); };
    return Panel.KorCreateBitmap(clWhite, TRect(0, 0, 100, 60), pfDevice);
  }

  TTestPanel Panel;
};

TEST_F(TCustomKorPanelExtendedTest, ReadingBackImageSettingsCreatesOnlyWhatItMust) {
  EXPECT_FALSE(Panel.GetBackImageInside());
  EXPECT_EQ(Panel.ExistingBackImage(), nullptr);
  EXPECT_FALSE(Panel.GetBackImageTransp());
  EXPECT_EQ(Panel.GetBackImageMode(), pbmStretch);
  ASSERT_NE(Panel.ExistingBackImage(), nullptr);
  EXPECT_FALSE(Panel.HasBackImage());
  Panel.SetBackImage(MakePicture(4, 4, clRed).get());
  EXPECT_TRUE(Panel.HasBackImage());
  Panel.SetBackImageInside(true);
  EXPECT_TRUE(Panel.GetBackImageInside());
  Panel.SetBackImage(nullptr);
  EXPECT_EQ(Panel.ExistingBackImage(), nullptr);
}

TEST_F(TCustomKorPanelExtendedTest, TiledPictureOfTenPixelsOverTwentyFiveIsDrawnNineTimes) {
  std::vector<std::string> Log;
  Panel.SetInternalCanvas(std::make_unique<TRecordingCanvas>(Log));
  Panel.SetBackImage(MakePicture(10, 10, clRed).get());
  Panel.SetBackImageMode(pbmTile);
  std::unique_ptr<TBitmap> B = DrawBackImage(TRect(5, 5, 30, 30));
  std::vector<std::string> Draws;
  for (const std::string& Entry : Log)
    if (Entry.rfind("Draw ", 0) == 0) Draws.push_back(Entry);
  EXPECT_EQ(Draws, (std::vector<std::string>{"Draw 5,5", "Draw 15,5", "Draw 25,5", "Draw 5,15",
                                             "Draw 15,15", "Draw 25,15", "Draw 5,25", "Draw 15,25",
                                             "Draw 25,25"}));
  // Clipped to the rectangle: the last row and column are cut at 30.
  EXPECT_EQ(PixelProbe::InkBox(*B), TRect(5, 5, 30, 30));
  EXPECT_EQ(Count(*B, clRed), 25 * 25);
}

TEST_F(TCustomKorPanelExtendedTest, StretchedPictureFillsTheRectangle) {
  Panel.SetBackImage(MakePicture(8, 8, clRed, clBlue).get());
  std::unique_ptr<TBitmap> B = DrawBackImage(TRect(10, 10, 50, 30));
  EXPECT_EQ(PixelProbe::InkBox(*B), TRect(10, 10, 50, 30));
  EXPECT_EQ(B->GetPixel(11, 11), clRed);
  EXPECT_EQ(B->GetPixel(30, 20), clBlue);
}

TEST_F(TCustomKorPanelExtendedTest, CentredAndCustomPicturesKeepTheirSizeOverThePanelColour) {
  Panel.SetColor(clYellow);
  Panel.SetBackImage(MakePicture(10, 10, clGreen).get());
  Panel.SetBackImageMode(pbmCenter);
  std::unique_ptr<TBitmap> Centre = DrawBackImage(TRect(0, 0, 30, 20));
  EXPECT_EQ(Count(*Centre, TRect(0, 0, 30, 20), clYellow), 30 * 20 - 100);
  EXPECT_EQ(Centre->GetPixel(10, 5), clGreen);
  EXPECT_EQ(Centre->GetPixel(19, 14), clGreen);
  EXPECT_EQ(Centre->GetPixel(9, 5), clYellow);
  EXPECT_EQ(Centre->GetPixel(20, 15), clYellow);

  Panel.GetBackImage()->SetMode(pbmCustom);
  Panel.GetBackImage()->SetLeft(3);
  Panel.GetBackImage()->SetTop(4);
  std::unique_ptr<TBitmap> Custom = DrawBackImage(TRect(10, 10, 40, 40));
  EXPECT_EQ(Custom->GetPixel(13, 14), clGreen);
  EXPECT_EQ(Custom->GetPixel(22, 23), clGreen);
  EXPECT_EQ(Custom->GetPixel(12, 14), clYellow);
  EXPECT_EQ(Custom->GetPixel(23, 24), clYellow);
}

TEST_F(TCustomKorPanelExtendedTest, TransparentPictureLeavesItsBackgroundColourOut) {
  Panel.SetColor(clYellow);
  Panel.SetBackImage(MakePicture(12, 12, clWhite, clRed).get());
  Panel.SetBackImageMode(pbmCenter);
  Panel.SetBackImageTransp(true);
  EXPECT_TRUE(Panel.GetBackImageTransp());
  std::unique_ptr<TBitmap> B = DrawBackImage(TRect(0, 0, 12, 12));
  EXPECT_EQ(Count(*B, TRect(0, 0, 12, 12), clWhite), 0);
  EXPECT_EQ(Count(*B, TRect(0, 0, 12, 12), clRed), 36);
  EXPECT_EQ(Count(*B, TRect(0, 0, 12, 12), clYellow), 144 - 36);
}

TEST_F(TCustomKorPanelExtendedTest, PanelPaintShowsThePictureUnlessItBelongsInside) {
  Panel.SetBackImage(MakePicture(4, 4, clRed).get());
  std::unique_ptr<TBitmap> Outside = Panel.KorCreateBitmap();
  EXPECT_EQ(Count(*Outside, clRed), 400 * 250);
  Panel.SetBackImageInside(true);
  std::unique_ptr<TBitmap> Inside = Panel.KorCreateBitmap();
  EXPECT_EQ(Count(*Inside, clWhite), 400 * 250);
}

TEST_F(TCustomKorPanelExtendedTest, GradientBackgroundRunsFromStartAtTheBottomToEndAtTheTop) {
  TKorGradient* G = Panel.GetGradient();
  G->SetStartColor(clRed);
  G->SetEndColor(clBlue);
  G->SetVisible(true);
  std::unique_ptr<TBitmap> B = Panel.KorCreateBitmap();
  EXPECT_EQ(B->GetPixel(200, 249), clRed);
  EXPECT_EQ(B->GetPixel(200, 0), clBlue);
  const TColor Middle = B->GetPixel(200, 125);
  EXPECT_NE(Middle, clRed);
  EXPECT_NE(Middle, clBlue);
  Panel.SetGradient(nullptr);
  EXPECT_EQ(Count(*Panel.KorCreateBitmap(), clWhite), 400 * 250);
}

TEST_F(TCustomKorPanelExtendedTest, PanelShadowErasesTheCornerAndShadesRightAndBottom) {
  Panel.SetColor(clYellow);
  TKorShadow& S = Panel.GetShadow();
  S.SetColor(clBlack);
  S.SetSmooth(false);
  S.SetSize(5);
  std::unique_ptr<TBitmap> B = Panel.KorCreateBitmap();
  EXPECT_EQ(B->GetPixel(200, 100), clYellow);
  EXPECT_EQ(B->GetPixel(397, 100), clBlack);
  EXPECT_EQ(B->GetPixel(200, 247), clBlack);
  EXPECT_EQ(B->GetPixel(397, 2), clYellow);  // erased with the colour around the panel
  EXPECT_EQ(B->GetPixel(394, 100), clYellow);
}

TEST_F(TCustomKorPanelExtendedTest, ZoomRectangleDrawnTwiceRestoresEveryPixel) {
  // On the background colour the rectangle shows in the zoom pen's colour.
  Panel.SetColor(clSilver);
  Panel.OnDraw = [](TTestPanel& P, const TRect&) {
    TCanvas3D& C = P.GetPanelCanvas();
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(clNavy);
    C.FillRect(TRect(50, 40, 300, 200));
    C.GetBrush().SetColor(clOlive);
    C.FillRect(TRect(120, 20, 180, 230));
  };
  Panel.Draw();
  TBitmap Before;
  Before.Assign(Panel.GetBuffer());
  TKorZoom& Z = Panel.GetZoom();
  Z.Activate(60, 30);
  Z.EndX = 250;
  Z.EndY = 210;
  Panel.DrawZoomRectangle();
  EXPECT_FALSE(PixelProbe::SamePixels(Before, Panel.GetBuffer()));
  EXPECT_EQ(Panel.GetBuffer().GetPixel(60, 35), clWhite);
  EXPECT_EQ(Panel.GetBuffer().GetPixel(100, 100), Before.GetPixel(100, 100));  // clear brush
  Panel.DrawZoomRectangle();
  EXPECT_TRUE(PixelProbe::SamePixels(Before, Panel.GetBuffer()));

  Z.GetBrush()->SetStyle(bsSolid);
  Panel.DrawZoomRectangle();
  EXPECT_NE(Panel.GetBuffer().GetPixel(100, 100), Before.GetPixel(100, 100));
  Panel.DrawZoomRectangle();
  EXPECT_TRUE(PixelProbe::SamePixels(Before, Panel.GetBuffer()));
  EXPECT_EQ(Panel.GetPanelCanvas().GetPen().GetMode(), pmCopy);
}

TEST_F(TCustomKorPanelExtendedTest, UndoZoomTellsTheOwnerAndClearsTheFlag) {
  int Calls = 0;
  Panel.OnUndoZoom = [&Calls](TCustomKorPanelExtended*) { ++Calls; };
  Panel.SetZoomedNow(true);
  Panel.UndoZoom();
  EXPECT_EQ(Calls, 1);
  EXPECT_FALSE(Panel.GetZoomedNow());
}

TEST_F(TCustomKorPanelExtendedTest, LegacyZoomPropertiesAndPrintMarginsStreaming) {
  EXPECT_TRUE(Panel.ReadLegacyProperty("AllowZoom", false));
  EXPECT_TRUE(Panel.ReadLegacyProperty("AnimatedZoom", true));
  EXPECT_TRUE(Panel.ReadLegacyProperty("AnimatedZoomSteps", 3));
  EXPECT_TRUE(Panel.ReadLegacyProperty("BorderStyle", QString("bsSingle")));
  EXPECT_FALSE(Panel.GetAllowZoom());
  EXPECT_TRUE(Panel.GetAnimatedZoom());
  EXPECT_EQ(Panel.GetAnimatedZoomSteps(), 3);
  EXPECT_EQ(Panel.GetBorderStyle(), bsSingle);
  EXPECT_FALSE(Panel.IsPrintMarginsStored());
  Panel.SetPrintMargins(TRect(15, 15, 15, 14));
  EXPECT_TRUE(Panel.IsPrintMarginsStored());
}

// Copies every stored property of Source into Dest by name, descending into
// sub-objects, as a stream writer followed by a reader would.
void CopyStoredProperties(const TPersistent& Source, TPersistent& Dest) {
  for (const TPublishedProperty& P : Source.Properties()) {
    if (!P.IsStored(Source)) continue;
    TPropertyValue Value = P.Get(Source);
    if (P.Kind == TPropertyKind::pkClass) {
      TPropertyValue Inner;
      ASSERT_TRUE(GetPropertyValue(Dest, P.Name, Inner)) << P.Name.toStdString();
      CopyStoredProperties(*std::get<TPersistent*>(Value), *std::get<TPersistent*>(Inner));
      continue;
    }
    EXPECT_TRUE(SetPropertyValue(Dest, P.Name, Value)) << P.Name.toStdString();
  }
}

QStringList Names(const TPersistent& Object) {
  QStringList List;
  for (const TPublishedProperty& P : Object.Properties()) List << P.Name;
  return List;
}

TEST_F(TCustomKorPanelExtendedTest, PublishedPropertiesRoundTripThroughTheTables) {
  const QStringList Listed = Names(Panel);
  EXPECT_EQ(Listed.mid(0, 11),
            QStringList({"Left", "Top", "Width", "Height", "Color", "Visible", "BevelInner",
                         "BevelOuter", "BevelWidth", "BorderWidth", "ApplyDepthOrder"}));
  EXPECT_EQ(Listed.mid(Listed.size() - 5),
            QStringList({"AllowPanning", "Zoom", "Gradient", "BackImage", "PrintMargins"}));

  TTestPanel Source;
  Source.SetWidth(300);
  Source.SetColor(clRed);
  Source.SetBevelInner(bvLowered);
  Source.SetView3D(false);
  Source.GetView3DOptions().SetElevation(300);
  Source.SetMarginLeft(7);
  Source.SetMarginUnits(muPixels);
  Source.SetPrintScalePercent(-100);
  Source.GetShadow().SetSize(4);
  Source.GetBorder().SetVisible(true);
  Source.SetBorderRound(5);
  Source.SetMonochrome(true);
  Source.SetAllowPanning(pmNone);
  Source.GetZoom().SetMinimumPixels(9);
  Source.GetGradient()->SetEndColor(clBlue);
  Source.GetBackImage()->SetMode(pbmTile);
  Source.SetPrintMargins(TRect(10, 20, 30, 40));
  CopyStoredProperties(Source, Panel);

  EXPECT_EQ(Panel.GetWidth(), 300);
  EXPECT_EQ(Panel.GetColor(), clRed);
  EXPECT_EQ(Panel.GetBevelInner(), bvLowered);
  EXPECT_FALSE(Panel.GetView3D());
  EXPECT_EQ(Panel.GetView3DOptions().GetElevation(), 300);
  EXPECT_EQ(Panel.GetMarginLeft(), 7);
  EXPECT_EQ(Panel.GetMarginUnits(), muPixels);
  EXPECT_EQ(Panel.GetPrintScalePercent(), -100);
  EXPECT_EQ(Panel.GetShadow().GetSize(), 4);
  EXPECT_TRUE(Panel.GetBorder().GetVisible());
  EXPECT_EQ(Panel.GetBorderRound(), 5);
  EXPECT_TRUE(Panel.GetMonochrome());
  EXPECT_EQ(Panel.GetAllowPanning(), pmNone);
  EXPECT_EQ(Panel.GetZoom().GetMinimumPixels(), 9);
  ASSERT_NE(Panel.ExistingGradient(), nullptr);
  EXPECT_EQ(Panel.ExistingGradient()->GetEndColor(), clBlue);
  ASSERT_NE(Panel.ExistingBackImage(), nullptr);
  EXPECT_EQ(Panel.ExistingBackImage()->GetMode(), pbmTile);
  EXPECT_EQ(Panel.GetPrintMargins(), TRect(10, 20, 30, 40));
}

TEST_F(TCustomKorPanelExtendedTest, DefaultsAreNotStoredAndOptionalPartsAreNotCreated) {
  TCustomKorPanelExtended Fresh(nullptr);
  for (const TPublishedProperty& P : Fresh.Properties()) {
    if (P.Kind == TPropertyKind::pkClass && P.Name != "Gradient" && P.Name != "BackImage") continue;
    const bool Bounds =
        P.Name == "Left" || P.Name == "Top" || P.Name == "Width" || P.Name == "Height";
    EXPECT_EQ(P.IsStored(Fresh), Bounds) << P.Name.toStdString();
  }
  EXPECT_EQ(Fresh.ExistingGradient(), nullptr);
  EXPECT_EQ(Fresh.ExistingBackImage(), nullptr);
  TPropertyValue Margins;
  ASSERT_TRUE(GetPropertyValue(Panel, "PrintMargins", Margins));
  EXPECT_EQ(std::get<TIntegerList>(Margins), TIntegerList({15, 15, 15, 15}));
  EXPECT_TRUE(SetPropertyValue(Panel, "PrintMargins", TIntegerList({1, 2})));  // ignored
  EXPECT_EQ(Panel.GetPrintMargins(), TRect(15, 15, 15, 15));
  EXPECT_FALSE(SetPropertyValue(Panel, "PrintMargins", 15));
}

TEST_F(TCustomKorPanelExtendedTest, SettingAnUnknownNameReachesTheLegacyReader) {
  EXPECT_TRUE(SetPropertyValue(Panel, "AllowZoom", false));
  EXPECT_TRUE(SetPropertyValue(Panel, "AnimatedZoomSteps", 3));
  EXPECT_TRUE(SetPropertyValue(Panel, "borderstyle", QString("bsSingle")));
  EXPECT_FALSE(Panel.GetAllowZoom());
  EXPECT_EQ(Panel.GetAnimatedZoomSteps(), 3);
  EXPECT_TRUE(Panel.GetBorder().GetVisible());
  EXPECT_FALSE(SetPropertyValue(Panel, "NoSuchThing", 1));
  EXPECT_EQ(Panel.Properties().Find("AllowZoom"), nullptr);  // read, never written
}

TEST_F(TCustomKorPanelExtendedTest, AssignCopiesPictureGradientPanningAndZoom) {
  TTestPanel Source;
  Source.SetBackImage(MakePicture(4, 4, clRed).get());
  Source.GetGradient()->SetVisible(true);
  Source.SetAllowPanning(pmVertical);
  Source.GetZoom().SetDirection(tzdHorizontal);
  Source.SetMarginTop(9);
  Panel.Assign(Source);
  EXPECT_TRUE(Panel.HasBackImage());
  ASSERT_NE(Panel.ExistingGradient(), nullptr);
  EXPECT_TRUE(Panel.ExistingGradient()->GetVisible());
  EXPECT_EQ(Panel.GetAllowPanning(), pmVertical);
  EXPECT_EQ(Panel.GetZoom().GetDirection(), tzdHorizontal);
  EXPECT_EQ(Panel.GetMarginTop(), 9);
  TTestPanel Plain;
  Panel.Assign(Plain);
  EXPECT_FALSE(Panel.HasBackImage());
  EXPECT_EQ(Panel.ExistingGradient(), nullptr);
}

}  // namespace

namespace {

TEST_F(TCustomKorPanelExtendedTest, StretchedPictureLiesOnTheRotatedPlaneAtItsDepth) {
  const std::unique_ptr<TPicture> Picture = MakePicture(8, 8, clRed, clBlue);
  Panel.SetBackImage(Picture.get());
  Panel.SetView3D(true);
  Panel.GetView3DOptions().SetOrthogonal(false);
  Panel.GetView3DOptions().SetRotation(330);
  Panel.GetView3DOptions().SetElevation(340);
  Panel.PaintBackground = false;
  const TRect R(20, 10, 80, 50);
  Panel.OnDraw = [R](TTestPanel& P, const TRect&) { P.DrawBitmap(R, 10); };
  const std::unique_ptr<TBitmap> Drawn =
      Panel.KorCreateBitmap(clWhite, TRect(0, 0, 100, 60), pfDevice);
  Panel.OnDraw = [R, &Picture](TTestPanel& P, const TRect&) {
    P.GetPanelCanvas().StretchDraw(R, Picture->GetGraphic(), 10);
  };
  const std::unique_ptr<TBitmap> Expected =
      Panel.KorCreateBitmap(clWhite, TRect(0, 0, 100, 60), pfDevice);
  EXPECT_GT(PixelProbe::Count(*Drawn, TRect(0, 0, 100, 60), clBlue), 0);
  EXPECT_TRUE(PixelProbe::SamePixels(*Drawn, *Expected));
}

}  // namespace
