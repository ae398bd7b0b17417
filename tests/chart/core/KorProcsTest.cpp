#include "chart/core/KorProcs.h"

#include "chart/core/TView3DOptions.h"
#include "tests/chart/core/TestPanels.h"

#include "platform/FormatSettings.h"
#include "platform/OptionsStore.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TComponent.h"
#include "platform/TDateTime.h"
#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

class KorProcsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetDefaultColorPalette();
    SetFormatSettings(FFormat);
    KorFieldsSeparator = ";";
  }

  static TDateTime At(int Year, int Month, int Day, int Hour = 0) {
    return EncodeDate(Year, Month, Day) + Hour / 24.0;
  }

  FormatSettings FFormat = CurrentFormatSettings();
};

TEST_F(KorProcsTest, PaletteIndicesWrapBothWays) {
  EXPECT_EQ(GetDefaultColor(0), clRed);
  EXPECT_EQ(GetDefaultColor(19), clMedGray);
  EXPECT_EQ(GetDefaultColor(20), clRed);
  EXPECT_EQ(GetDefaultColor(-1), clMedGray);
  EXPECT_EQ(GetDefaultColor(-20), clRed);
  EXPECT_EQ(GetDefaultColor(-41), clMedGray);
  SetDefaultColorPalette({clBlack, clWhite});
  EXPECT_EQ(GetDefaultColor(5), clWhite);
  EXPECT_EQ(GetDefaultColor(-3), clWhite);
  SetDefaultColorPalette();
  EXPECT_EQ(ColorPalette.size(), 20u);
  EXPECT_EQ(GetDefaultColor(4), clWhite);
}

TEST_F(KorProcsTest, DateTimeStepsAreFoundAndAdvanced) {
  EXPECT_DOUBLE_EQ(DateTimeStep[dtOneHour], 1.0 / 24);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(1.0 / 24), DateTimeStep[dtTwoHours]);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(0), DateTimeStep[dtOneYear]);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(1.5), DateTimeStep[dtTwoDays]);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(1000), DateTimeStep[dtOneYear]);
  EXPECT_EQ(FindDateTimeStep(0.5), dtTwelveHours);
  EXPECT_EQ(FindDateTimeStep(0.3), dtNone);
  EXPECT_EQ(FindDateTimeStep(7), dtOneWeek);
  EXPECT_EQ(FindDateTimeStep(30.0 / 86400), dtThirtySeconds);
}

TEST_F(KorProcsTest, DefaultFormatIsTheDateForStepsLongerThanADay) {
  FormatSettings S = FormatSettings::English();
  S.ShortDateFormat = "d.m.yy";
  S.ShortTimeFormat = "h:nn";
  SetFormatSettings(S);
  EXPECT_EQ(DateTimeDefaultFormat(2), "d.m.yy");
  EXPECT_EQ(DateTimeDefaultFormat(1), "h:nn");
}

TEST_F(KorProcsTest, RoundDateDropsTheTimeAndRoundsToTheStepsCalendarUnit) {
  EXPECT_DOUBLE_EQ(KorRoundDate(At(2005, 3, 20, 14), dtHalfMonth), At(2005, 3, 15));
  EXPECT_DOUBLE_EQ(KorRoundDate(At(2005, 3, 14, 14), dtHalfMonth), At(2005, 3, 1));
  EXPECT_DOUBLE_EQ(KorRoundDate(At(2005, 3, 20, 14), dtThreeMonths), At(2005, 3, 1));
  EXPECT_DOUBLE_EQ(KorRoundDate(At(2005, 3, 20, 14), dtOneYear), At(2005, 1, 1));
  EXPECT_DOUBLE_EQ(KorRoundDate(At(2005, 3, 20, 14), dtOneDay), At(2005, 3, 20));
  EXPECT_DOUBLE_EQ(KorRoundDate(At(1900, 1, 1), dtHalfMonth), At(1900, 1, 1));
  EXPECT_DOUBLE_EQ(KorRoundDate(At(1900, 1, 2, 12), dtOneYear), At(1900, 1, 1));
  EXPECT_DOUBLE_EQ(KorRoundDate(At(1800, 5, 5), dtOneYear), At(1800, 5, 5));
}

struct IncrementCase {
  const char* Name;
  TDateTime From;
  TDateTimeStep Which;
  bool Increment;
  TDateTime To;
};

TDateTime Day(int Year, int Month, int D, int Hour = 0) {
  return EncodeDate(Year, Month, D) + Hour / 24.0;
}

class KorDateTimeIncrementTest : public ::testing::TestWithParam<IncrementCase> {};

TEST_P(KorDateTimeIncrementTest, MovesByCalendarUnits) {
  const IncrementCase& C = GetParam();
  double Value = C.From;
  KorDateTimeIncrement(true, C.Increment, Value, DateTimeStep[C.Which], C.Which);
  EXPECT_DOUBLE_EQ(Value, C.To);
}

INSTANTIATE_TEST_SUITE_P(
    KorProcs, KorDateTimeIncrementTest,
    ::testing::Values(
        IncrementCase{"MonthIntoNextYear", Day(2005, 12, 31), dtOneMonth, true, Day(2006, 1, 1)},
        IncrementCase{"MonthBackIntoLastYear", Day(2006, 1, 15, 6), dtOneMonth, false,
                      Day(2005, 12, 1)},
        IncrementCase{"SixMonths", Day(2005, 9, 10), dtSixMonths, true, Day(2006, 3, 1)},
        IncrementCase{"FourMonthsBack", Day(2005, 2, 10), dtFourMonths, false, Day(2004, 10, 1)},
        IncrementCase{"HalfMonthEarlyToFifteenth", Day(2005, 3, 3), dtHalfMonth, true,
                      Day(2005, 3, 15)},
        IncrementCase{"HalfMonthLateToNextFirst", Day(2005, 3, 20), dtHalfMonth, true,
                      Day(2005, 4, 1)},
        IncrementCase{"HalfMonthFifteenthToNextFirst", Day(2005, 3, 15), dtHalfMonth, true,
                      Day(2005, 4, 1)},
        IncrementCase{"HalfMonthDecemberToJanuary", Day(2005, 12, 20), dtHalfMonth, true,
                      Day(2006, 1, 1)},
        IncrementCase{"HalfMonthBackLate", Day(2005, 3, 20), dtHalfMonth, false, Day(2005, 3, 15)},
        IncrementCase{"HalfMonthBackEarly", Day(2005, 3, 10), dtHalfMonth, false, Day(2005, 3, 1)},
        IncrementCase{"HalfMonthBackFromFirst", Day(2006, 1, 1), dtHalfMonth, false,
                      Day(2005, 12, 15)},
        IncrementCase{"YearDropsTheTime", Day(2005, 5, 5, 14), dtOneYear, true, Day(2006, 5, 5)},
        IncrementCase{"LeapDayToLastOfFebruary", Day(2004, 2, 29), dtOneYear, true,
                      Day(2005, 2, 28)},
        IncrementCase{"YearBack", Day(2005, 5, 5), dtOneYear, false, Day(2004, 5, 5)}),
    [](const ::testing::TestParamInfo<IncrementCase>& Info) { return Info.param.Name; });

TEST_F(KorProcsTest, PlainStepsAddOrSubtract) {
  double Value = 10.5;
  KorDateTimeIncrement(false, true, Value, 2, dtOneMonth);
  EXPECT_DOUBLE_EQ(Value, 12.5);
  KorDateTimeIncrement(true, false, Value, 0.25, dtSixHours);
  EXPECT_DOUBLE_EQ(Value, 12.25);
  double Far = Day(9999, 12, 20);
  KorDateTimeIncrement(true, true, Far, 30, dtOneMonth);  // past the calendar: unchanged
  EXPECT_DOUBLE_EQ(Far, Day(9999, 12, 20));
}

TEST_F(KorProcsTest, KorSortMatchesStdSortOnDataWithManyDuplicates) {
  std::mt19937 Random(12345);
  for (int Size : {1, 2, 3, 5, 17, 64, 257, 1000}) {
    for (int Run = 0; Run < 20; ++Run) {
      std::vector<int> Items(Size);
      for (int& Item : Items) Item = static_cast<int>(Random() % 7);
      std::vector<int> Expected = Items;
      std::sort(Expected.begin(), Expected.end());
      int Swaps = 0;
      KorSort(
          0, Size - 1, [&Items](int A, int B) { return Items[A] - Items[B]; },
          [&Items, &Swaps](int A, int B) {
            std::swap(Items[A], Items[B]);
            ++Swaps;
          });
      ASSERT_EQ(Items, Expected) << "size " << Size << " run " << Run;
    }
  }
  std::vector<int> Same(50, 4);
  KorSort(
      0, 49, [&](int A, int B) { return Same[A] - Same[B]; },
      [&](int A, int B) { std::swap(Same[A], Same[B]); });
  EXPECT_EQ(Same, std::vector<int>(50, 4));
  std::vector<int> Reversed;
  for (int I = 100; I > 0; --I) Reversed.push_back(I);
  KorSort(
      0, 99, [&](int A, int B) { return Reversed[A] - Reversed[B]; },
      [&](int A, int B) { std::swap(Reversed[A], Reversed[B]); });
  EXPECT_TRUE(std::is_sorted(Reversed.begin(), Reversed.end()));
}

TEST_F(KorProcsTest, UniqueNamesTakeTheFirstFreeNumber) {
  EXPECT_EQ(KorGetUniqueName(nullptr, "Series"), "Series1");
  TComponent Owner(nullptr);
  (new TComponent(&Owner))->SetName("Series1");
  (new TComponent(&Owner))->SetName("Series2");
  EXPECT_EQ(KorGetUniqueName(&Owner, "Series"), "Series3");
  (new TComponent(&Owner))->SetName("Series4");
  EXPECT_EQ(KorGetUniqueName(&Owner, "Series"), "Series3");
  EXPECT_EQ(KorGetUniqueName(&Owner, "Tool"), "Tool1");
}

TEST_F(KorProcsTest, FieldsAreCountedAndExtracted) {
  EXPECT_EQ(KorNumFields("a;b;c"), 3);
  EXPECT_EQ(KorNumFields(""), 0);
  EXPECT_EQ(KorNumFields("abc"), 1);
  EXPECT_EQ(KorExtractField("a;b;c", 1), "a");
  EXPECT_EQ(KorExtractField("a;b;c", 2), "b");
  EXPECT_EQ(KorExtractField("a;b;c", 3), "c");
  EXPECT_EQ(KorExtractField("a;b;c", 5), "c");
  EXPECT_EQ(KorExtractField("a;b;c", 0), "");
  EXPECT_EQ(KorExtractField("", 1), "");
  EXPECT_EQ(KorExtractField("a;;c", 2), "");
  // Another separator is a parameter; the default stays.
  EXPECT_EQ(KorNumFields("x, y, z", ", "), 3);
  EXPECT_EQ(KorExtractField("x, y, z", 2, ", "), "y");
  EXPECT_EQ(KorExtractField("a|b", 2, "|"), "b");
  EXPECT_EQ(KorFieldsSeparator, ";");
  EXPECT_EQ(KorExtractField("a|b", 2, ""), "a|b");
  KorFieldsSeparator = "|";
  EXPECT_EQ(KorExtractField("a|b", 2), "b");
}

TEST_F(KorProcsTest, ReplaceCharReplacesOrDeletes) {
  EXPECT_EQ(ReplaceChar("a.b.c", '.', '-'), "a-b-c");
  EXPECT_EQ(ReplaceChar("a.b.c", '.', QChar()), "abc");
  EXPECT_EQ(KorStr(-42), "-42");
}

TEST_F(KorProcsTest, FormatsSwapSeparatorsInOnePassUnderGermanSettings) {
  FormatSettings German = FormatSettings::English();
  German.DecimalSeparator = ',';
  German.ThousandSeparator = '.';
  SetFormatSettings(German);
  EXPECT_EQ(DelphiToLocalFormat("#,##0.00"), "#.##0,00");
  EXPECT_EQ(LocalToDelphiFormat("#.##0,00"), "#,##0.00");
  EXPECT_EQ(LocalToDelphiFormat(DelphiToLocalFormat("0.0,#")), "0.0,#");
  FormatSettings Swiss = FormatSettings::English();
  Swiss.ThousandSeparator = '\'';
  SetFormatSettings(Swiss);
  EXPECT_EQ(DelphiToLocalFormat("#,##0.00"), "#'##0.00");
  EXPECT_EQ(LocalToDelphiFormat("#'##0.00"), "#,##0.00");
  FormatSettings Same = FormatSettings::English();
  Same.ThousandSeparator = '.';
  SetFormatSettings(Same);
  EXPECT_EQ(DelphiToLocalFormat("#,##0.00"), "#,##0.00");
}

TEST_F(KorProcsTest, PointInLineAllowsOnePixelPlusTheTolerance) {
  EXPECT_TRUE(PointInLine(TPoint(5, 6), 0, 5, 10, 5));
  EXPECT_FALSE(PointInLine(TPoint(5, 7), 0, 5, 10, 5));
  EXPECT_TRUE(PointInLine(TPoint(5, 8), 0, 5, 10, 5, 2));
  EXPECT_TRUE(PointInLineTolerance(TPoint(5, 8), 0, 5, 10, 5, 2));
  EXPECT_TRUE(PointInLine(TPoint(10, 5), TPoint(0, 5), TPoint(10, 5)));
  EXPECT_FALSE(PointInLine(TPoint(13, 5), TPoint(0, 5), TPoint(10, 5), 1));  // past the end
  EXPECT_TRUE(PointInLine(TPoint(12, 5), TPoint(0, 5), TPoint(10, 5), 1));
  EXPECT_TRUE(PointInLine(TPoint(3, 4), 3, 3, 3, 3));  // a segment of one point
  EXPECT_TRUE(PointInLine(TPoint(6, 4), TPoint(0, 0), TPoint(10, 10), 1));   // diagonal, 1.41
  EXPECT_FALSE(PointInLine(TPoint(7, 4), TPoint(0, 0), TPoint(10, 10), 1));  // 2.12
}

TEST_F(KorProcsTest, PolygonTrianglesAndEllipses) {
  const TPoint Square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(PointInPolygon(TPoint(5, 5), Square));
  EXPECT_TRUE(PointInPolygon(TPoint(0, 0), Square));
  EXPECT_FALSE(PointInPolygon(TPoint(10, 5), Square));
  EXPECT_FALSE(PointInPolygon(TPoint(5, 10), Square));
  EXPECT_FALSE(PointInPolygon(TPoint(-1, 5), Square));
  EXPECT_FALSE(PointInPolygon(TPoint(5, 5), std::span<const TPoint>()));
  // Apex at the top (y 0), base at y 20 from x 0 to 20.
  EXPECT_TRUE(PointInTriangle(TPoint(10, 10), 0, 20, 0, 20));
  EXPECT_FALSE(PointInTriangle(TPoint(2, 5), 0, 20, 0, 20));
  EXPECT_TRUE(PointInTriangle(TPoint(2, 2), TPoint(0, 0), TPoint(10, 0), TPoint(0, 10)));
  EXPECT_FALSE(PointInTriangle(TPoint(8, 8), TPoint(0, 0), TPoint(10, 0), TPoint(0, 10)));
  // Apex at the left (x 0), base at x 20 from y 0 to 20.
  EXPECT_TRUE(PointInHorizTriangle(TPoint(15, 10), 0, 20, 0, 20));
  EXPECT_FALSE(PointInHorizTriangle(TPoint(5, 2), 0, 20, 0, 20));
  EXPECT_TRUE(PointInEllipse(TPoint(10, 5), TRect(0, 0, 20, 10)));
  EXPECT_TRUE(PointInEllipse(TPoint(0, 5), 0, 0, 20, 10));
  EXPECT_FALSE(PointInEllipse(TPoint(1, 1), 0, 0, 20, 10));
  EXPECT_FALSE(PointInEllipse(TPoint(5, 0), TRect(0, 0, 20, 0)));
  EXPECT_FALSE(PointInEllipse(TPoint(0, 0), TRect(0, 0, 1, 20)));
}

TEST_F(KorProcsTest, CrossingLinesHandlesVerticalAndParallelSegments) {
  double X = -1;
  double Y = -1;
  EXPECT_TRUE(CrossingLines(0, 0, 10, 10, 0, 10, 10, 0, X, Y));
  EXPECT_DOUBLE_EQ(X, 5);
  EXPECT_DOUBLE_EQ(Y, 5);
  EXPECT_TRUE(CrossingLines(5, -5, 5, 5, 0, 1, 10, 1, X, Y));  // vertical first segment
  EXPECT_DOUBLE_EQ(X, 5);
  EXPECT_DOUBLE_EQ(Y, 1);
  EXPECT_TRUE(CrossingLines(0, 2, 10, 2, 3, 0, 3, 8, X, Y));  // vertical second segment
  EXPECT_DOUBLE_EQ(X, 3);
  EXPECT_DOUBLE_EQ(Y, 2);
  X = Y = -1;
  EXPECT_FALSE(CrossingLines(0, 0, 10, 0, 0, 1, 10, 1, X, Y));  // parallel
  EXPECT_FALSE(CrossingLines(0, 0, 10, 0, 2, 0, 5, 0, X, Y));   // collinear
  EXPECT_FALSE(CrossingLines(3, 3, 3, 3, 0, 0, 10, 10, X, Y));  // a point
  EXPECT_DOUBLE_EQ(X, -1);
  // Lines that meet outside the segments, and segments that only touch.
  EXPECT_FALSE(CrossingLines(0, 0, 1, 1, 0, 10, 10, 0, X, Y));
  EXPECT_DOUBLE_EQ(X, 5);
  EXPECT_FALSE(CrossingLines(0, 0, 5, 5, 0, 10, 10, 0, X, Y));
}

TEST_F(KorProcsTest, EditorOptionsRoundTripThroughTheUsersStore) {
  const PrivateUserConfig Config;
  KorSaveBoolOption("KorProcsTest.Tree", true);
  KorSaveIntegerOption("KorProcsTest.Left", -17);
  EXPECT_TRUE(KorReadBoolOption("KorProcsTest.Tree", false));
  EXPECT_EQ(KorReadIntegerOption("KorProcsTest.Left", 0), -17);
  EXPECT_EQ(KorReadIntegerOption("KorProcsTest.Missing", 42), 42);
  EXPECT_TRUE(OptionsStore::User().ValueExists("SOFTWARE\\Korvale\\KorChart Pro\\Editor",
                                               "KorProcsTest.Left"));
  KorSaveBoolOption("KorProcsTest.Tree", false);
  EXPECT_FALSE(KorReadBoolOption("KorProcsTest.Tree", true));
}

TEST_F(KorProcsTest, AntiAliasAveragesTwoByTwoBlocksOfADoubleSizeDrawing) {
  TTestPanel Panel;
  Panel.SetBounds(0, 0, 40, 30);
  int FontZoom = 0;
  Panel.OnDraw = [&FontZoom](TTestPanel& P, const TRect& R) {
    FontZoom = P.GetView3DOptions().GetFontZoom();
    TCanvas3D& C = P.GetPanelCanvas();
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(clBlack);
    C.FillRect(TRect(R.Left, R.Top, R.Left + R.Width() / 4, R.Bottom));  // 20 of 80 columns
    C.FillRect(TRect(21, R.Top, 22, R.Bottom));  // one column of the large drawing
  };
  std::unique_ptr<TBitmap> Small = KorAntiAlias(Panel);
  EXPECT_EQ(FontZoom, 200);
  EXPECT_EQ(Panel.GetView3DOptions().GetFontZoom(), 100);
  EXPECT_TRUE(Panel.GetRepaintOnChange());
  EXPECT_TRUE(Panel.GetBufferedDisplay());
  ASSERT_EQ(Small->GetWidth(), 40);
  ASSERT_EQ(Small->GetHeight(), 30);
  EXPECT_EQ(Small->GetPixel(9, 15), clBlack);
  EXPECT_EQ(Small->GetPixel(10, 15), RGB(127, 127, 127));  // (0 + 0 + 255 + 255) / 4
  EXPECT_EQ(Small->GetPixel(11, 15), clWhite);
}

TEST_F(KorProcsTest, CheckBoxesShowTheirStateInThirteenPixels) {
  TBitmap B(60, 20);
  TCanvas& C = B.GetCanvas();
  C.GetPen().SetColor(clRed);
  KorDrawCheckBox(2, 3, C, false, clNone);
  KorDrawCheckBox(20, 3, C, true, clNone);
  KorDrawCheckBox(40, 3, C, true, clNone, false);
  const TColor Mark = ColorToRGB(clWindowText);
  EXPECT_EQ(PixelProbe::Count(B, TRect(3, 4, 14, 15), Mark), 0);
  EXPECT_GT(PixelProbe::Count(B, TRect(21, 4, 32, 15), Mark), 10);
  EXPECT_GT(PixelProbe::Count(B, TRect(43, 7, 48, 12), Mark), 10);
  TRect Box = PixelProbe::InkBox(B);
  EXPECT_EQ(Box.Top, 3);
  EXPECT_EQ(Box.Bottom, 16);
  EXPECT_EQ(C.GetPen().GetColor(), clRed);  // the canvas's pen is given back
}

TEST_F(KorProcsTest, HandCursorIsRegisteredByTheFirstPanel) {
  TTestPanel Panel;
  EXPECT_TRUE(IsCursorRegistered(crKorHand));
}

}  // namespace
