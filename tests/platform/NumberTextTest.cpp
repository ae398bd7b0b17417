#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/support/TestSupport.h"

namespace {

class NumberTextTest : public ::testing::Test {};

TEST_F(NumberTextTest, ScansLikeScanfConversions) {
  std::string_view text = "  6.0123   -1.93501E-03 +4 0000177 2.3821E09";
  double a = 0, b = 0, c = 0, d = 0, e = 0;
  ASSERT_TRUE(ScanDouble(text, a) && ScanDouble(text, b) && ScanDouble(text, c) &&
              ScanDouble(text, d) && ScanDouble(text, e));
  EXPECT_DOUBLE_EQ(a, 6.0123);
  EXPECT_DOUBLE_EQ(b, -1.93501e-3);
  EXPECT_DOUBLE_EQ(c, 4.0);
  EXPECT_DOUBLE_EQ(d, 177.0);
  EXPECT_DOUBLE_EQ(e, 2.3821e9);
  EXPECT_FALSE(ScanDouble(text, a));
  EXPECT_TRUE(text.empty());
}

TEST_F(NumberTextTest, FailedScanLeavesTextAndValueUnchanged) {
  std::string_view text = " x1";
  double value = 7.0;
  EXPECT_FALSE(ScanDouble(text, value));
  EXPECT_EQ(text, " x1");
  EXPECT_EQ(value, 7.0);
  std::string_view twoSigns = "+-1";
  EXPECT_FALSE(ScanDouble(twoSigns, value));
  std::string_view huge = "1e999";
  EXPECT_FALSE(ScanDouble(huge, value));
}

TEST_F(NumberTextTest, IntegersAreDecimalEvenWithLeadingZero) {
  std::string_view text = " 010 -08 99999999999";
  int a = 0, b = 0, c = 0;
  EXPECT_TRUE(ScanInt(text, a));
  EXPECT_TRUE(ScanInt(text, b));
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, -8);
  EXPECT_FALSE(ScanInt(text, c));  // out of the int range
}

TEST_F(NumberTextTest, WordsCharsAndLiterals) {
  std::string_view text = "cm/pixel:  0.00077565631, Sample";
  std::string first, second;
  double value = 0;
  ASSERT_TRUE(ScanWord(text, first));
  ASSERT_TRUE(ScanDouble(text, value));
  ASSERT_TRUE(ScanLiteral(text, ','));
  ASSERT_TRUE(ScanWord(text, second));
  EXPECT_EQ(first, "cm/pixel:");
  EXPECT_DOUBLE_EQ(value, 0.00077565631);
  EXPECT_EQ(second, "Sample");
  std::string_view letters = "R 1";
  char c = 0;
  EXPECT_TRUE(ScanChar(letters, c));
  EXPECT_EQ(c, 'R');
  EXPECT_TRUE(ScanChar(letters, c));
  EXPECT_EQ(c, ' ');  // %c does not skip blanks
}

TEST_F(NumberTextTest, WholeTextConversionsRejectTrailingGarbage) {
  double d = 0;
  int i = 0;
  EXPECT_TRUE(TextToDouble(" 1.5 ", d));
  EXPECT_EQ(d, 1.5);
  EXPECT_FALSE(TextToDouble("1.5x", d));
  EXPECT_FALSE(TextToDouble("", d));
  EXPECT_TRUE(TextToInt("42", i));
  EXPECT_FALSE(TextToInt("4 2", i));
}

TEST_F(NumberTextTest, FormatsMatchTheCLocalePrintf) {
  EXPECT_EQ(FormatScientific(8.22467e10, 5, true), "8.22467E+10");
  EXPECT_EQ(FormatScientific(-1.5e-3, 4), "-1.5000e-03");
  EXPECT_EQ(FormatFixed(6.0125, 3), "6.013");
  EXPECT_EQ(FormatFixed(2.5, 0), "2");
  EXPECT_EQ(FormatGeneral(0.0001234, 3), "0.000123");
  EXPECT_EQ(FormatInteger(-42), "-42");
  EXPECT_EQ(PadLeft("1.0", 6), "   1.0");
  EXPECT_EQ(PadLeft("123456", 3), "123456");
  EXPECT_EQ(FormatFixed(NAN, 2), "nan");
  EXPECT_EQ(FormatScientific(-INFINITY, 2, true), "-INF");
}

TEST_F(NumberTextTest, DecimalCommaLocaleChangesNothing) {
  DecimalCommaLocale locale;
  ASSERT_TRUE(locale.Available()) << "de_DE.UTF-8 is missing: run scripts/install-deps";
  char viaPrintf[32];
  std::snprintf(viaPrintf, sizeof viaPrintf, "%.1f", 6.5);
  ASSERT_STREQ(viaPrintf, "6,5");  // proves the locale is really active
  double value = 0;
  EXPECT_TRUE(TextToDouble("6.0123", value));
  EXPECT_DOUBLE_EQ(value, 6.0123);
  EXPECT_EQ(FormatFixed(6.5, 1), "6.5");
}

}  // namespace
