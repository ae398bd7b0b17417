#include "chart/series/TPieSeries.h"

#include "chart/series/TPieShadow.h"
#include "chart/series/TSliceValueList.h"

#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorGradient.h"
#include "tests/chart/series/PieTestCharts.h"

#include "platform/ClassRegistry.h"
#include "platform/TStream.h"

#include <cmath>
#include <numbers>

namespace {

using TPieSeriesTest = TPieChartFixture;

constexpr double Pi = std::numbers::pi;

// ------------------------------------------------------------ angles

TEST_F(TPieSeriesTest, SlicesTakeTheirShareOfAbsoluteValues) {
  TPieSeries* S = Pie({1, -1, 2});
  S->CalcFirstLastVisibleIndex();
  S->CalcAngles();
  const auto& A = S->GetAngles();
  ASSERT_EQ(A.size(), 3u);
  EXPECT_DOUBLE_EQ(A[0].EndAngle, Pi / 2);
  EXPECT_DOUBLE_EQ(A[1].StartAngle, Pi / 2);
  EXPECT_DOUBLE_EQ(A[1].EndAngle, Pi);  // the negative value counts by its size
  EXPECT_DOUBLE_EQ(A[1].MidAngle, 0.75 * Pi);
  EXPECT_DOUBLE_EQ(A[2].EndAngle, 2 * Pi);
  S->SetAngleSize(180);
  S->CalcAngles();
  EXPECT_DOUBLE_EQ(S->GetAngles()[2].EndAngle, Pi);  // a half pie
}

TEST_F(TPieSeriesTest, AllZeroValuesGiveTheFirstSliceTheWholeCircle) {
  TPieSeries* S = Pie({0, 0});
  S->CalcFirstLastVisibleIndex();
  S->CalcAngles();
  EXPECT_DOUBLE_EQ(S->GetAngles()[0].StartAngle, 0);
  EXPECT_DOUBLE_EQ(S->GetAngles()[0].EndAngle, 2 * Pi);
  Draw(*S);
  EXPECT_EQ(At(110, 50), clRed);
  EXPECT_EQ(At(110, 170), clRed);
}

// ------------------------------------------------------------ pixels

TEST_F(TPieSeriesTest, AFlatPieAndADonutFillTheirHalves) {
  TPieSeries* S = Pie({1, 1});
  Draw(*S);
  EXPECT_EQ(At(110, 40), clRed);    // 0 .. 180 degrees: above the centre
  EXPECT_EQ(At(110, 180), clBlue);  // below
  EXPECT_EQ(At(5, 110), clWhite);   // outside the circle
  EXPECT_EQ(At(110, 110 - 98), clRed);

  S->SetRotationAngle(90);
  Frame(false);
  Draw(*S);
  EXPECT_EQ(At(40, 110), clRed);  // turned a quarter: now on the left
  EXPECT_EQ(At(180, 110), clBlue);

  S->SetRotationAngle(0);
  S->SetDonutPercent(50);
  Frame(false);
  Draw(*S);
  EXPECT_EQ(At(110, 110), clWhite);  // the hole
  EXPECT_EQ(At(110, 80), clWhite);
  EXPECT_EQ(At(110, 30), clRed);  // the ring
  EXPECT_EQ(At(110, 190), clBlue);
}

TEST_F(TPieSeriesTest, AHalfPieLeavesTheLowerHalfEmpty) {
  TPieSeries* S = Pie({1, 1});
  S->SetAngleSize(180);
  Draw(*S);
  EXPECT_EQ(At(160, 60), clRed);  // 0 .. 90 degrees
  EXPECT_EQ(At(60, 60), clBlue);  // 90 .. 180 degrees
  EXPECT_EQ(At(110, 180), clWhite);
}

TEST_F(TPieSeriesTest, AFlatPieFillsEachSliceWithTheGradientEndingInItsColour) {
  TPieSeries* S = Pie({1, 1});
  S->GetGradient().SetVisible(true);
  Draw(*S);
  // Red above the centre, blue below; the gradient starts white at the
  // centre and reaches the slice's colour at the rim.
  auto Red = [](TColor C) { return GetRValue(C); };
  auto Blue = [](TColor C) { return GetBValue(C); };
  EXPECT_GT(Red(At(110, 14)), 200);
  EXPECT_LT(Blue(At(110, 14)), Red(At(110, 14)));
  EXPECT_GT(Blue(At(110, 206)), 200);
  EXPECT_LT(Red(At(110, 206)), Blue(At(110, 206)));
  EXPECT_GT(Blue(At(110, 106)), 180);  // near the centre: near white
  EXPECT_GT(Red(At(110, 114)), 180);
  // A gradient, not a plain fill: only the rim of each half (of some
  // 15,700 pixels) has the slice's own colour.
  EXPECT_LT(PixelProbe::Count(Bitmap, clRed), 2000);
  EXPECT_LT(PixelProbe::Count(Bitmap, clBlue), 2000);
  EXPECT_EQ(At(5, 110), clWhite);  // nothing outside the circle
}

TEST_F(TPieSeriesTest, AThreeDPieDrawsItsTopAndDarkSides) {
  TPieSeries* S = Pie({1, 1});
  S->SetDepth(30);
  Options.SetOrthogonal(false);
  Options.SetElevation(315);
  Options.SetRotation(360);
  Options.SetPerspective(0);
  Frame(true);
  Draw(*S);
  const int Red = PixelProbe::Count(Bitmap, clRed);
  const int Blue = PixelProbe::Count(Bitmap, clBlue);
  EXPECT_GT(Red, 1000);
  EXPECT_GT(Blue, 1000);
  // The sides are shaded darker than the tops.
  const int Shaded = PixelProbe::CountIf(
      Bitmap, [](TColor C) { return C != clWhite && C != clRed && C != clBlue && C != clBlack; });
  EXPECT_GT(Shaded, 50);
}

// ------------------------------------------------------------ explosion

TEST_F(TPieSeriesTest, TheBiggestSliceIsPushedOutAndThePieShrinksForIt) {
  TPieSeries* S = Pie({10, 30, 20});
  S->SetExplodeBiggest(30);
  EXPECT_EQ(S->GetExplodedSlice().GetValue(1), 30);
  EXPECT_EQ(S->GetExplodedSlice().GetValue(0), 0);
  Draw(*S);
  EXPECT_LT(S->GetXRadius(), 100);
  const TPoint Offset = S->CalcExplodedOffset(1);
  // The middle of slice 1 (60 .. 240 degrees) points to 150 degrees.
  EXPECT_LT(Offset.X, 0);
  EXPECT_GT(Offset.Y, 0);
  EXPECT_EQ(S->CalcExplodedOffset(0), TPoint(0, 0));
  int RX = 0;
  int RY = 0;
  S->CalcExplodedRadius(1, RX, RY);
  EXPECT_EQ(RX, std::lround(S->GetXRadius() * 1.3));
}

TEST_F(TPieSeriesTest, ExplodingAnEmptySeriesDoesNothing) {
  TPieSeries* S = Pie({});
  S->SetExplodeBiggest(25);
  EXPECT_EQ(S->GetExplodedSlice().Count(), 0);
  Draw(*S);
}

TEST_F(TPieSeriesTest, PerSliceListsFollowDeletedAndSwappedPoints) {
  TPieSeries* S = Pie({1, 2, 3, 4});
  S->GetExplodedSlice().SetValue(1, 20);
  EXPECT_EQ(S->GetExplodedSlice().Count(), 2);  // padded with zeros
  S->GetSliceHeight().SetValue(0, 50);
  S->Delete(3);  // beyond both lists: they stay as they are
  EXPECT_EQ(S->GetExplodedSlice().Count(), 2);
  EXPECT_EQ(S->GetSliceHeight().Count(), 1);
  S->Delete(0);
  EXPECT_EQ(S->GetExplodedSlice().GetValue(0), 20);
  EXPECT_EQ(S->GetSliceHeight().Count(), 0);
  S->SwapValueIndex(0, 1);
  EXPECT_EQ(S->GetExplodedSlice().GetValue(1), 20);
  EXPECT_EQ(S->GetExplodedSlice().GetValue(0), 0);
  S->Delete(0, 2);
  EXPECT_EQ(S->GetExplodedSlice().Count(), 0);
  EXPECT_EQ(S->GetExplodedSlice().GetValue(5), 0);
}

TEST_F(TPieSeriesTest, SliceHeightRaisesOnlyItsSlice) {
  TPieSeries* S = Pie({1, 1});
  S->GetSliceHeight().SetValue(1, 50);
  S->SetDepth(100);
  S->CalcZOrder();
  S->CalcDepthPositions();
  ASSERT_EQ(S->GetStartZ(), 0);
  EXPECT_EQ(S->SliceEndZ(0), 100);
  EXPECT_EQ(S->SliceEndZ(1), 50);
}

// ------------------------------------------------------------ other slice

TEST_F(TPieSeriesTest, SmallValuesAreGroupedIntoOneOtherSliceThatIsNotSaved) {
  TPieSeries* S = Pie({50, 40, 5, 5});
  S->GetOtherSlice().SetStyle(poBelowPercent);
  S->GetOtherSlice().SetValue(10);
  Draw(*S);
  ASSERT_EQ(S->Count(), 5);
  EXPECT_EQ(S->GetxValue(4), TPieSeries::OtherSliceX);
  EXPECT_EQ(S->GetyValue(4), 10);
  EXPECT_EQ(S->GetXLabel(4), QStringLiteral("Other"));
  EXPECT_TRUE(S->BelongsToOtherSlice(2));
  EXPECT_TRUE(S->BelongsToOtherSlice(3));
  EXPECT_FALSE(S->BelongsToOtherSlice(4));
  EXPECT_EQ(S->CountLegendItems(), 3);
  EXPECT_EQ(S->LegendToValueIndex(2), 4);
  const auto& A = S->GetAngles();
  EXPECT_DOUBLE_EQ(A[2].StartAngle, A[2].EndAngle);  // grouped: no slice
  EXPECT_DOUBLE_EQ(A[4].EndAngle, 2 * Pi);           // counted once
  EXPECT_NEAR(A[4].EndAngle - A[4].StartAngle, 0.2 * Pi, 1e-12);
  EXPECT_EQ(At(110, 40), clRed);
  // A second pass rebuilds the slice rather than adding another.
  Draw(*S);
  EXPECT_EQ(S->Count(), 5);

  TMemoryStream Stream;
  S->WriteData(Stream);
  EXPECT_EQ(S->Count(), 4);
  EXPECT_EQ(S->GetXValues().Locate(TPieSeries::OtherSliceX), -1);
}

TEST_F(TPieSeriesTest, PercentagesOfAGroupedPieAddUpToAHundred) {
  TPieSeries* S = Pie({50, 45, 3, 2});
  S->GetOtherSlice().SetStyle(poBelowPercent);
  S->GetOtherSlice().SetValue(4);
  S->GetMarks().SetStyle(smsPercent);
  S->SetPercentFormat(QStringLiteral("0.0 %"));
  Draw(*S);
  ASSERT_EQ(S->Count(), 5);
  EXPECT_EQ(S->GetMarkText(0), QStringLiteral("50.0 %"));
  EXPECT_EQ(S->GetMarkText(1), QStringLiteral("45.0 %"));
  EXPECT_EQ(S->GetMarkText(4), QStringLiteral("5.0 %"));
  // The legend's percent texts, and the total of "x of total".
  EXPECT_EQ(S->LegendString(0, ltsPercent), QStringLiteral("50.0 %"));
  EXPECT_EQ(S->LegendString(2, ltsPercent), QStringLiteral("5.0 %"));
  EXPECT_TRUE(S->MarkPercent(0, true).endsWith(QStringLiteral("100")));
}

TEST_F(TPieSeriesTest, OtherSliceTextIsStoredOnlyWhenSet) {
  TPieOtherSlice& Other = Pie({1})->GetOtherSlice();
  const TPublishedProperty* Text = Other.Properties().Find(QStringLiteral("Text"));
  ASSERT_NE(Text, nullptr);
  EXPECT_EQ(Other.GetText(), QStringLiteral("Other"));
  EXPECT_FALSE(Text->IsStored(Other));
  Other.SetText(QStringLiteral("Rest"));
  EXPECT_TRUE(Text->IsStored(Other));
}

// ------------------------------------------------------------ several pies

TEST_F(TPieSeriesTest, SeveralPiesShareTheChartInAGrid) {
  struct TCase {
    int Pies;
    int Columns;
    int Rows;
  };
  for (const TCase& C : {TCase{3, 2, 2}, TCase{4, 2, 2}, TCase{5, 2, 3}}) {
    std::vector<TPieSeries*> Pies;
    for (int I = 0; I < C.Pies; ++I) Pies.push_back(Pie({1}));
    const int Width = 200 / C.Columns;
    const int Height = 200 / C.Rows;
    for (int K = 0; K < C.Pies; ++K) {
      Pies[static_cast<size_t>(K)]->DoBeforeDrawValues();
      const int Column = K % C.Columns;
      const int Row = K / C.Columns;
      EXPECT_EQ(Pies[static_cast<size_t>(K)]->GetCircleXCenter(), 10 + Column * Width + Width / 2)
          << C.Pies << " pies, pie " << K;
      EXPECT_EQ(Pies[static_cast<size_t>(K)]->GetCircleYCenter(), 10 + Row * Height + Height / 2)
          << C.Pies << " pies, pie " << K;
      Pies[static_cast<size_t>(K)]->DoAfterDrawValues();
      EXPECT_EQ(Chart.GetPlotRect(), TRect(10, 10, 210, 210));  // given back
    }
    for (TPieSeries* P : Pies) delete P;
  }
}

// ------------------------------------------------------------ hit test, patterns

TEST_F(TPieSeriesTest, ClickedFindsTheSliceUnderThePoint) {
  TPieSeries* S = Pie({1, 1});
  Draw(*S);
  EXPECT_EQ(S->Clicked(110, 40), 0);
  EXPECT_EQ(S->Clicked(110, 180), 1);
  EXPECT_EQ(S->Clicked(1, 1), -1);
}

TEST_F(TPieSeriesTest, PatternsCycleThroughSixBrushes) {
  TPieSeries* S = Pie({1});
  EXPECT_EQ(S->SliceBrushStyle(3), bsSolid);
  S->SetUsePatterns(true);
  EXPECT_EQ(S->SliceBrushStyle(0), bsHorizontal);
  EXPECT_EQ(S->SliceBrushStyle(7), bsVertical);
  EXPECT_EQ(S->SliceBrushStyle(-1), bsSolid);
}

// ------------------------------------------------------------ class, clone, drawing

TEST_F(TPieSeriesTest, DefaultsAndTheOrderOfThePublishedProperties) {
  TPieSeries* S = Pie({});
  EXPECT_TRUE(S->GetColorEachPoint());
  EXPECT_EQ(S->GetShadow().GetColor(), TColor(0xA0A0A0));
  EXPECT_EQ(S->GetGradient().GetDirection(), gdRadial);
  EXPECT_FALSE(S->GetGradient().GetVisible());
  EXPECT_EQ(S->GetPieValues().GetName(), QStringLiteral("Pie"));
  EXPECT_TRUE(S->GetXValues().GetName().isEmpty());
  QStringList Names;
  for (const TPublishedProperty& P : S->Properties()) Names << P.Name;
  const QStringList Own = {"AngleSize",     "AutoMarkPosition", "CircleBackColor", "ColorEachPoint",
                           "Dark3D",        "DarkPen",          "ExplodeBiggest",  "Gradient",
                           "MultiPie",      "OtherSlice",       "PiePen",          "PieValues",
                           "RotationAngle", "Shadow",           "UsePatterns"};
  int Last = -1;
  for (const char* Name : {"AngleSize", "DarkPen", "ExplodeBiggest", "Gradient", "MultiPie",
                           "OtherSlice", "PiePen", "PieValues", "Shadow", "UsePatterns"}) {
    const int Index = static_cast<int>(Names.indexOf(QString::fromLatin1(Name)));
    EXPECT_GT(Index, Last) << Name;
    Last = Index;
  }
  for (const QString& Name : Own) EXPECT_TRUE(Names.contains(Name)) << Name.toStdString();
}

TEST_F(TPieSeriesTest, MadeByNameClonedAndDrawnOnAWholeChart) {
  TComponent Form(nullptr);
  TChart Full(nullptr);
  const TClassInfo* Info = GetClass(QStringLiteral("TPieSeries"));
  ASSERT_NE(Info, nullptr);
  TChartSeries* Made = CreateNewSeries(&Form, &Full, TChartSeriesClass::Of<TPieSeries>());
  auto* S = dynamic_cast<TPieSeries*>(Made);
  ASSERT_NE(S, nullptr);
  TBitmap Picture(300, 200);
  Full.Draw(Picture.GetCanvas(), TRect(0, 0, 300, 200));  // empty
  S->AddPie(5, QStringLiteral("only"), clRed);
  Full.Draw(Picture.GetCanvas(), TRect(0, 0, 300, 200));  // one point
  EXPECT_GT(PixelProbe::Count(Picture, clRed), 100);

  S->SetAngleSize(270);
  S->SetAutoMarkPosition(false);
  S->SetDark3D(false);
  S->SetDarkPen(40);
  S->SetDonutPercent(30);
  S->SetMultiPie(mpDisabled);
  S->GetOtherSlice().SetStyle(poBelowValue);
  S->GetOtherSlice().SetValue(2);
  S->GetOtherSlice().SetText(QStringLiteral("Rest"));
  S->GetShadow().SetHorizSize(4);
  S->SetUsePatterns(true);
  S->SetExplodeBiggest(15);
  S->GetSliceHeight().SetValue(0, 60);
  S->SetCircled(true);
  S->SetCustomXRadius(33);
  S->SetRotationAngle(45);
  S->SetCircleBackColor(clYellow);
  S->GetGradient().SetVisible(true);
  auto* Clone = dynamic_cast<TPieSeries*>(CloneChartSeries(*S));
  ASSERT_NE(Clone, nullptr);
  EXPECT_EQ(Clone->ClassName(), QStringLiteral("TPieSeries"));
  EXPECT_EQ(Clone->GetAngleSize(), 270);
  EXPECT_FALSE(Clone->GetAutoMarkPosition());
  EXPECT_FALSE(Clone->GetDark3D());
  EXPECT_EQ(Clone->GetDarkPen(), 40);
  EXPECT_EQ(Clone->GetDonutPercent(), 30);
  EXPECT_EQ(Clone->GetMultiPie(), mpDisabled);
  EXPECT_EQ(Clone->GetOtherSlice().GetStyle(), poBelowValue);
  EXPECT_EQ(Clone->GetOtherSlice().GetValue(), 2);
  EXPECT_EQ(Clone->GetOtherSlice().GetText(), QStringLiteral("Rest"));
  EXPECT_EQ(Clone->GetShadow().GetHorizSize(), 4);
  EXPECT_TRUE(Clone->GetUsePatterns());
  EXPECT_EQ(Clone->GetExplodeBiggest(), 15);
  EXPECT_EQ(Clone->GetExplodedSlice().GetValue(0), 15);
  EXPECT_EQ(Clone->GetSliceHeight().GetValue(0), 60);
  EXPECT_TRUE(Clone->GetCircled());
  EXPECT_EQ(Clone->GetCustomXRadius(), 33);
  EXPECT_EQ(Clone->GetRotationAngle(), 45);
  EXPECT_EQ(Clone->GetCircleBackColor(), clYellow);
  EXPECT_TRUE(Clone->GetGradient().GetVisible());
  EXPECT_TRUE(Clone->GetColorEachPoint());
  EXPECT_EQ(Clone->Count(), 1);
  Full.SetView3D(true);
  Full.Draw(Picture.GetCanvas(), TRect(0, 0, 300, 200));  // both pies, in 3D
}

}  // namespace
