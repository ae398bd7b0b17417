#include "chart/series/TChartShape.h"

#include "chart/series/TLineSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TSeriesMarks.h"
#include "tests/chart/series/BarTestCharts.h"

#include "platform/ClassRegistry.h"
#include "platform/TBitmap.h"

#include <algorithm>
#include <functional>
#include <string>

namespace {

// On the bar chart: (x, y) at pixel (10 + x, 110 - y).
class TChartShapeTest : public TBarChartFixture {
 protected:
  // A shape in pixels over (L, T)-(R, B), blue with a black pen.
  TChartShape* Shape(TChartShapeStyle Style, const TRect& R = TRect(30, 20, 90, 100)) {
    auto* S = New<TChartShape>();
    S->GetMarks().SetVisible(false);
    S->SetStyle(Style);
    S->SetShapeRectangle(R);
    S->SetSeriesColor(clBlue);
    S->GetPen().SetColor(clBlack);
    return S;
  }
  bool InkAt(int X, int Y, TColor Color) const { return Ink(TRect(X, Y, X + 1, Y + 1), Color); }
  // Bounds (right and bottom exclusive) of the pixels in Area that Match
  // takes: text is antialiased, so its pixels are told by their channels.
  TRect Box(const TRect& Area, const std::function<bool(int R, int G, int B)>& Match) const {
    TRect Found(Area.Right, Area.Bottom, Area.Left, Area.Top);
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X) {
        const TColor C = Bitmap.GetPixel(X, Y);
        if (!Match(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF)) continue;
        Found.Left = std::min(Found.Left, X);
        Found.Top = std::min(Found.Top, Y);
        Found.Right = std::max(Found.Right, X + 1);
        Found.Bottom = std::max(Found.Bottom, Y + 1);
      }
    return Found;
  }
  static bool Yellowish(int R, int G, int B) { return R > 150 && G > 150 && B < 100; }
  static bool Light(int R, int G, int B) { return R + G + B > 300; }
  // Inside the pen of the box (30, 20)-(90, 100).
  static constexpr TRect Inside{31, 21, 90, 100};
};

TEST_F(TChartShapeTest, StartsAsAWhiteCircleOverTheDefaultCornersInAxisUnits) {
  auto* S = New<TChartShape>();
  EXPECT_EQ(S->Count(), 2);
  EXPECT_EQ(S->GetStyle(), chasCircle);
  EXPECT_EQ(S->GetXYStyle(), xysAxis);
  EXPECT_EQ(S->GetBrush().GetColor(), clWhite);
  EXPECT_EQ(S->GetSeriesColor(), clWhite);
  EXPECT_DOUBLE_EQ(S->GetX1(), 100);
  EXPECT_FALSE(S->GetManualData());
  EXPECT_EQ(S->GetEditorClass(), QStringLiteral("TChartShapeEditor"));
  // Axis units, drawn upside down: the first corner is the bottom left.
  EXPECT_EQ(S->GetShapeRectangle(), TRect(10, 110, 110, 10));
  EXPECT_EQ(S->GetAdjustedRectangle(), TRect(10, 10, 110, 110));

  S->GetBrush().SetColor(clRed);
  EXPECT_EQ(S->GetSeriesColor(), clRed);
  S->SetSeriesColor(clGreen);
  EXPECT_EQ(S->GetBrush().GetColor(), clGreen);
  S->SetY0(30);
  EXPECT_TRUE(S->GetManualData());
  EXPECT_DOUBLE_EQ(S->GetYValues().GetValue(0), 30);
}

TEST_F(TChartShapeTest, WithoutItsTwoPointsItAnswersTheDefaultsAndSettersRestoreThem) {
  TChartShape* S = Shape(chasRectangle);
  S->Clear();
  EXPECT_EQ(S->Count(), 0);
  EXPECT_DOUBLE_EQ(S->GetX0(), 0);
  EXPECT_DOUBLE_EQ(S->GetY1(), 100);
  EXPECT_EQ(S->GetShapeRectangle(), TRect(0, 0, 100, 100));
  Prepare();
  EXPECT_EQ(S->Clicked(50, 50), -1);
  S->DrawAllValues();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect());

  S->SetX0(40);
  ASSERT_EQ(S->Count(), 2);
  EXPECT_EQ(S->GetShapeRectangle(), TRect(40, 0, 100, 100));

  S->Delete(1);
  EXPECT_DOUBLE_EQ(S->GetX0(), 0);  // one point is no shape
  EXPECT_EQ(S->Clicked(50, 50), -1);
  S->SetY1(50);
  ASSERT_EQ(S->Count(), 2);
  EXPECT_EQ(S->GetShapeRectangle(), TRect(0, 0, 100, 50));
  // A third point is not a corner, and the shape is not drawn.
  S->AddXY(5, 5);
  Prepare();
  S->DrawAllValues();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect());
  EXPECT_EQ(S->Clicked(50, 25), -1);
}

TEST_F(TChartShapeTest, TheThreeWaysOfReadingTheCorners) {
  TChartShape* S = Shape(chasRectangle);
  S->SetXYStyle(xysAxis);
  S->SetX0(20);
  S->SetY0(10);
  S->SetX1(60);
  S->SetY1(50);
  EXPECT_TRUE(S->UseAxis());
  EXPECT_EQ(S->GetShapeRectangle(), TRect(30, 100, 70, 60));
  EXPECT_EQ(S->GetAdjustedRectangle(), TRect(30, 60, 70, 100));
  S->SetXYStyle(xysPixels);
  EXPECT_FALSE(S->UseAxis());
  EXPECT_EQ(S->GetShapeRectangle(), TRect(20, 10, 60, 50));
  // A 50 x 20 pixel box hanging from the first point, which follows the
  // axis when it scrolls.
  S->SetXYStyle(xysAxisOrigin);
  S->SetX1(50);
  S->SetY1(20);
  EXPECT_EQ(S->GetShapeRectangle(), TRect(30, 100, 80, 120));
  Layout(*Chart.GetBottomAxis(), -10, 190);
  EXPECT_EQ(S->GetShapeRectangle(), TRect(40, 100, 90, 120));
  // The same X twice: one pixel wide.
  S->SetXYStyle(xysPixels);
  S->SetShapeRectangle(TRect(50, 40, 50, 60));
  EXPECT_EQ(S->GetAdjustedRectangle(), TRect(50, 40, 51, 60));
  S->SetStyle(chasCircle);
  DrawAll();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap).Right - PixelProbe::InkBox(Bitmap).Left, 1);
}

struct StyleCase {
  const char* Name;
  TChartShapeStyle Style;
  // Ink at the centre (60, 60), near the top-left corner (33, 23) and
  // near the bottom-left corner (33, 97) of the box (30, 20)-(90, 100).
  TColor Centre;
  TColor TopLeft;
  TColor BottomLeft;
  bool Filled;  // the hit test agrees with the fill at those points
};

class TChartShapeStyleTest : public TChartShapeTest,
                             public ::testing::WithParamInterface<StyleCase> {};

TEST_P(TChartShapeStyleTest, DrawsItsFigureWithTheTextCentredAndIsHitWhereItIsDrawn) {
  const StyleCase& C = GetParam();
  TChartShape* S = Shape(C.Style);
  Prepare();
  S->DrawAllValues();
  EXPECT_TRUE(InkAt(60, 60, C.Centre));
  EXPECT_TRUE(InkAt(33, 23, C.TopLeft));
  EXPECT_TRUE(InkAt(33, 97, C.BottomLeft));
  EXPECT_EQ(S->Clicked(60, 60), 0);
  if (C.Filled) {
    EXPECT_EQ(S->Clicked(33, 23), C.TopLeft == clBlue ? 0 : -1);
    EXPECT_EQ(S->Clicked(33, 97), C.BottomLeft == clBlue ? 0 : -1);
  }
  EXPECT_EQ(S->Clicked(150, 60), -1);

  // Then the text, yellow, on the same surface: centred around (60, 60).
  S->GetFont().SetColor(clYellow);
  S->SetText({QStringLiteral("ab"), QStringLiteral("cd")});
  S->DrawAllValues();
  const TRect Text = Box(TRect(0, 0, 220, 120), Yellowish);
  ASSERT_LT(Text.Left, Text.Right);
  // Within the glyphs' side bearings and the line's leading.
  EXPECT_NEAR((Text.Left + Text.Right) / 2.0, 60, 3);
  EXPECT_NEAR((Text.Top + Text.Bottom) / 2.0, 60, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, TChartShapeStyleTest,
    ::testing::Values(StyleCase{"Rectangle", chasRectangle, clBlue, clBlue, clBlue, true},
                      StyleCase{"Circle", chasCircle, clBlue, clWhite, clWhite, true},
                      StyleCase{"VertLine", chasVertLine, clBlack, clWhite, clWhite, false},
                      StyleCase{"HorizLine", chasHorizLine, clBlack, clWhite, clWhite, false},
                      StyleCase{"Triangle", chasTriangle, clBlue, clWhite, clBlue, true},
                      StyleCase{"InvertTriangle", chasInvertTriangle, clBlue, clBlue, clWhite,
                                true},
                      StyleCase{"Line", chasLine, clBlack, clWhite, clWhite, false},
                      StyleCase{"Diamond", chasDiamond, clBlue, clWhite, clWhite, true},
                      StyleCase{"Cube", chasCube, clBlue, clBlue, clBlue, true},
                      StyleCase{"Cross", chasCross, clBlack, clWhite, clWhite, false},
                      StyleCase{"DiagCross", chasDiagCross, clBlack, clWhite, clWhite, false},
                      StyleCase{"Star", chasStar, clBlack, clWhite, clWhite, false},
                      StyleCase{"Pyramid", chasPyramid, clBlue, clWhite, clBlue, true},
                      StyleCase{"InvertPyramid", chasInvertPyramid, clBlue, clBlue, clWhite, true}),
    [](const ::testing::TestParamInfo<StyleCase>& I) { return std::string(I.param.Name); });

TEST_F(TChartShapeTest, TheHitTestFollowsTheDrawnTriangleWhenTheCornersRunUpwards) {
  // Axis units with Y0 below Y1: the given rectangle is upside down.
  TChartShape* S = Shape(chasTriangle);
  S->SetXYStyle(xysAxis);
  S->SetX0(20);
  S->SetY0(10);
  S->SetX1(80);
  S->SetY1(90);  // box (30, 20)-(90, 100), apex at the top
  Prepare();
  S->DrawAllValues();
  EXPECT_TRUE(InkAt(33, 97, clBlue));
  EXPECT_EQ(S->Clicked(33, 97), 0);
  EXPECT_EQ(S->Clicked(33, 23), -1);
}

TEST_F(TChartShapeTest, TextIsPlacedByItsAlignmentsAndNeverInTheBrushColour) {
  TChartShape* S = Shape(chasRectangle);
  S->SetSeriesColor(clBlack);
  S->GetPen().SetColor(clRed);
  S->GetFont().SetColor(clBlack);
  S->SetText({QStringLiteral("WW")});
  S->SetAlignment(taLeftJustify);
  S->SetVertAlign(vaTop);
  Prepare();
  S->DrawAllValues();
  // Black on black would vanish: the text is white, at the top left inside
  // the pen (width 1) and 4 pixels of room (glyphs start a pixel or two in).
  const TRect White = Box(Inside, Light);
  ASSERT_LT(White.Left, White.Right);
  EXPECT_NEAR(White.Left, 30 + 1 + 4, 2);
  EXPECT_NEAR(White.Top, 20, 5);
  EXPECT_EQ(S->GetFont().GetColor(), clBlack);  // the property stays

  S->SetAlignment(taRightJustify);
  S->SetVertAlign(vaBottom);
  S->SetSeriesColor(clBlue);
  S->GetFont().SetColor(clYellow);
  S->DrawAllValues();
  const TRect Yellow = Box(Inside, Yellowish);
  ASSERT_LT(Yellow.Left, Yellow.Right);
  EXPECT_NEAR(Yellow.Right, 90 - 1 - 4, 2);
  EXPECT_NEAR(Yellow.Bottom, 100, 5);
}

TEST_F(TChartShapeTest, AShapeOutsideTheChartDrawsNeitherFigureNorText) {
  TChartShape* S = Shape(chasRectangle, TRect(215, 20, 260, 60));
  S->SetText({QStringLiteral("far away")});
  S->GetFont().SetColor(clYellow);
  Prepare();
  S->DrawAllValues();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect());
  // Overlapping the chart by one pixel column is enough.
  S->SetX0(209);
  S->DrawAllValues();
  EXPECT_NE(PixelProbe::InkBox(Bitmap), TRect());
}

TEST_F(TChartShapeTest, TransparentRoundAndGradientFills) {
  TChartShape* S = Shape(chasRectangle);
  S->SetTransparent(true);
  Prepare();
  S->DrawAllValues();
  EXPECT_TRUE(InkAt(60, 60, clWhite));
  EXPECT_TRUE(InkAt(30, 60, clBlack));

  S->SetTransparent(false);
  S->SetRoundRectangle(true);
  Frame(false);
  S->DrawAllValues();
  EXPECT_TRUE(InkAt(60, 60, clBlue));
  EXPECT_TRUE(InkAt(30, 20, clWhite));  // the corner is cut

  S->SetRoundRectangle(false);
  S->GetGradient().SetVisible(true);
  S->GetGradient().SetStartColor(clRed);
  S->GetGradient().SetEndColor(clRed);
  Frame(false);
  S->DrawAllValues();
  EXPECT_TRUE(InkAt(60, 60, clRed));
  EXPECT_TRUE(InkAt(30, 60, clBlack));
  // A circle's gradient stays inside the ellipse.
  S->SetStyle(chasCircle);
  Frame(false);
  S->DrawAllValues();
  EXPECT_TRUE(InkAt(60, 60, clRed));
  EXPECT_TRUE(InkAt(32, 22, clWhite));
}

TEST_F(TChartShapeTest, GalleryPublishedPropertiesAndSubGallery) {
  TChartShape* S = Shape(chasRectangle);
  const QStringList Items = S->CreateSubGallery();
  ASSERT_EQ(Items.size(), 15);
  EXPECT_EQ(Items.at(1), QStringLiteral("Rectangle"));
  EXPECT_EQ(Items.at(14), QStringLiteral("Hollow"));
  S->SetSubGallery(5);
  EXPECT_EQ(S->GetStyle(), chasInvertTriangle);
  S->SetSubGallery(13);
  EXPECT_EQ(S->GetStyle(), chasInvertPyramid);
  S->SetSubGallery(14);
  EXPECT_TRUE(S->GetTransparent());

  S->PrepareForGallery(true);
  EXPECT_EQ(S->GetStyle(), chasTriangle);
  EXPECT_EQ(S->GetBrush().GetColor(), clRed);
  EXPECT_EQ(S->GetText(), QStringList{QStringLiteral("123")});
  EXPECT_EQ(S->GetFont().GetSize(), 12);
  EXPECT_EQ(S->Count(), 2);

  // The figure's Style takes the place of the series' style flags; the
  // rest follow the series' properties.
  QStringList Names;
  for (const TPublishedProperty& P : S->Properties()) Names << P.Name;
  EXPECT_EQ(Names.count(QStringLiteral("Style")), 1);
  const TPublishedProperty* Style = S->Properties().Find(QStringLiteral("Style"));
  ASSERT_NE(Style, nullptr);
  EXPECT_EQ(Style->EnumNames.value(13), QStringLiteral("chasInvertPyramid"));
  const int First = static_cast<int>(Names.indexOf(QStringLiteral("XYStyle")));
  EXPECT_EQ(Names.mid(First),
            (QStringList{"XYStyle", "X0", "Y0", "X1", "Y1", "Alignment", "VertAlign", "Text",
                         "Font", "Gradient", "RoundRectangle", "Transparent"}));
}

// -- through the series-type register, on a whole chart

class TChartShapeTypeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterKorSeries(TChartSeriesClass::Of<TChartShape>(), &Korconst::KorMsg_GalleryShape,
                      &Korconst::KorMsg_GalleryStandard, 2);
    RegisterKorSeries(TChartSeriesClass::Of<TLineSeries>(), &Korconst::KorMsg_GalleryLine);
    Chart.SetBounds(0, 0, 300, 200);
  }
  void TearDown() override {
    UnRegisterKorSeries(
        {TChartSeriesClass::Of<TChartShape>(), TChartSeriesClass::Of<TLineSeries>()});
  }
  void DrawFlatAnd3D() {
    for (bool Is3D : {false, true}) {
      Chart.SetView3D(Is3D);
      EXPECT_NE(Chart.KorCreateBitmap(), nullptr);
    }
  }

  TComponent Form{nullptr};
  TChart Chart{nullptr};
};

TEST_F(TChartShapeTypeTest, MadeByNameClonedWholeAndDrawnWithTooFewPoints) {
  const TClassInfo* Info = GetClass(QStringLiteral("TChartShape"));
  ASSERT_NE(Info, nullptr);
  auto* S = dynamic_cast<TChartShape*>(CreateNewSeries(&Form, &Chart, TChartSeriesClass(Info)));
  ASSERT_NE(S, nullptr);
  S->SetStyle(chasPyramid);
  S->SetXYStyle(xysAxisOrigin);
  S->SetX1(40);
  S->SetAlignment(taRightJustify);
  S->SetVertAlign(vaBottom);
  S->SetText({QStringLiteral("run")});
  S->GetFont().SetColor(clRed);
  S->GetGradient().SetVisible(true);
  S->SetRoundRectangle(true);
  S->SetTransparent(true);
  S->SetSeriesColor(clTeal);
  DrawFlatAnd3D();
  auto* Clone = dynamic_cast<TChartShape*>(CloneChartSeries(*S));
  ASSERT_NE(Clone, nullptr);
  EXPECT_EQ(Clone->GetStyle(), chasPyramid);
  EXPECT_EQ(Clone->GetXYStyle(), xysAxisOrigin);
  EXPECT_DOUBLE_EQ(Clone->GetX1(), 40);
  EXPECT_EQ(Clone->Count(), 2);
  EXPECT_EQ(Clone->GetAlignment(), taRightJustify);
  EXPECT_EQ(Clone->GetVertAlign(), vaBottom);
  EXPECT_EQ(Clone->GetText(), QStringList{QStringLiteral("run")});
  EXPECT_EQ(Clone->GetFont().GetColor(), clRed);
  EXPECT_TRUE(Clone->GetGradient().GetVisible());
  EXPECT_TRUE(Clone->GetRoundRectangle());
  EXPECT_TRUE(Clone->GetTransparent());
  EXPECT_EQ(Clone->GetBrush().GetColor(), clTeal);

  // Empty, then one point, on both views.
  Clone->Clear();
  DrawFlatAnd3D();
  Clone->AddXY(1, 1);
  DrawFlatAnd3D();
  EXPECT_DOUBLE_EQ(Clone->GetX1(), 100);

  // A line becomes a shape without corners: the defaults stand in.
  auto* Line = new TLineSeries(&Form);
  Chart.AddSeries(Line);
  for (int I = 0; I < 5; ++I) Line->AddXY(I, I * I);
  TChartSeries* Changed = Line;
  ChangeSeriesType(Changed, TChartSeriesClass::Of<TChartShape>());
  auto* FromLine = dynamic_cast<TChartShape*>(Changed);
  ASSERT_NE(FromLine, nullptr);
  EXPECT_LT(FromLine->Count(), 2);
  EXPECT_DOUBLE_EQ(FromLine->GetY1(), 100);
  DrawFlatAnd3D();
  FromLine->SetY1(4);
  EXPECT_EQ(FromLine->Count(), 2);
  DrawFlatAnd3D();
}

}  // namespace
