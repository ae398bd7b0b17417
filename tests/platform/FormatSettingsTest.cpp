#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Exception.h"

namespace {

class FormatSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FSaved = CurrentFormatSettings();
    SetFormatSettings(FormatSettings::English());
  }
  void TearDown() override { SetFormatSettings(FSaved); }

  static FormatSettings German() {
    FormatSettings s = FormatSettings::English();
    s.DecimalSeparator = u',';
    s.ThousandSeparator = u'.';
    return s;
  }

  FormatSettings FSaved;
};

struct PictureCase {
  const char* Format;
  double Value;
  const char* English;
  const char* German;
};

TEST_F(FormatSettingsTest, PictureFormatsUnderBothSeparatorConventions) {
  const PictureCase cases[] = {
      {"######.####", 3.14159265, "3.1416", "3,1416"},
      {"######.####", 1234567.5, "1234567.5", "1234567,5"},
      {"######.####", 0.25, ".25", ",25"},
      {"#,###,###", 1234567, "1,234,567", "1.234.567"},
      {"#,###,###", 999.6, "1,000", "1.000"},
      {"#,##0.###", 1234.5678, "1,234.568", "1.234,568"},
      {"#,##0.###", 0, "0", "0"},
      {"0.00", 2.675, "2.68", "2,68"},  // half away from zero on the decimal value
      {"0.00", 1.005, "1.01", "1,01"},
      {"0.0", 0.05, "0.1", "0,1"},
      {"0.0", -0.05, "-0.1", "-0,1"},
      {"#.##", 0, "0", "0"},
      {"#.##", 0.001, "0", "0"},
      {"0", -0.4, "0", "0"},  // no "-0"
      {"0.###E+0", 12345, "1.235E+4", "1,235E+4"},
      {"0.###E+0", 0.000123, "1.23E-4", "1,23E-4"},
      {"00e-0", 12345, "12e3", "12e3"},
      {"#.0 \"x10\" E+0", 12345, "1.2 x10 E+4", "1,2 x10 E+4"},
      {"##0.## %", 12.5, "12.5 %", "12,5 %"},
      {"0.00 %", 7, "7.00 %", "7,00 %"},
      {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)", "(1.234,50)"},
      {"#,##0.00;(#,##0.00)", 1234.5, "1,234.50", "1.234,50"},
      {"0.0;-0.0;\"zero\"", 0.01, "zero", "zero"},  // zero after rounding
      {"0.0;;\"zero\"", -2.5, "-2.5", "-2,5"},      // empty negative section
      {"00000", 42, "00042", "00042"},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.Format);
    EXPECT_EQ(FormatFloat(c.Format, c.Value), QString::fromUtf8(c.English)) << c.Value;
    EXPECT_EQ(FormatFloat(c.Format, c.Value, German()), QString::fromUtf8(c.German)) << c.Value;
  }
}

// Recent texts are remembered: whatever the order of the calls and however
// many values pass in between, a text is that of its own format, value and
// separators.
TEST_F(FormatSettingsTest, RememberedTextsBelongToTheirFormatValueAndSeparators) {
  const QString Formats[] = {"######.####", "0.00", "#,##0.###"};
  auto Value = [](int I) { return I * 0.37 - 300.0; };
  std::vector<QString> First;
  for (int I = 0; I < 3000; ++I)
    for (const QString& Format : Formats) {
      First.push_back(FormatFloat(Format, Value(I)));
      First.push_back(FormatFloat(Format, Value(I), German()));
    }
  size_t K = First.size();
  for (int I = 2999; I >= 0; --I)
    for (int F = 2; F >= 0; --F) {
      EXPECT_EQ(FormatFloat(Formats[F], Value(I), German()), First[--K]) << I;
      EXPECT_EQ(FormatFloat(Formats[F], Value(I)), First[--K]) << I;
    }
  EXPECT_EQ(FormatFloat("0.00", Value(1000)), "70.00");
  EXPECT_EQ(FormatFloat("0.00", Value(1000), German()), "70,00");
  EXPECT_EQ(FormatFloat("#,##0.###", Value(0)), "-300");
  EXPECT_EQ(FormatFloat("######.####", 0.0), FormatFloat("######.####", -0.0));
}

TEST_F(FormatSettingsTest, NegativeNumbersKeepDigitsAndThousands) {
  EXPECT_EQ(FormatFloat("#,###,###", -1234567.4), "-1,234,567");
  EXPECT_EQ(FormatFloat("######.####", -0.00004), "0");  // rounds to nothing
  EXPECT_EQ(FormatFloat("######.####", -0.00005), "-.0001");
  EXPECT_EQ(FormatFloat("0.00", -999.995), "-1000.00");
}

TEST_F(FormatSettingsTest, EmptyFormatAndNonFiniteValues) {
  EXPECT_EQ(FormatFloat("", 0.1), "0.1");
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(FormatFloat("0.00", 1e20), "1E20");
}

TEST_F(FormatSettingsTest, FloatToStrUsesFifteenDigitsAndTheDecimalSeparator) {
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToStr(0.0001), "0.0001");
  EXPECT_EQ(FloatToStr(0.00001), "1E-5");
  EXPECT_EQ(FloatToStr(1e15), "1E15");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(-2.5e-7), "-2.5E-7");
  SetFormatSettings(German());
  EXPECT_EQ(FloatToStr(1.25), "1,25");
}

TEST_F(FormatSettingsTest, FormatSpecifiers) {
  EXPECT_EQ(Format("Page %d of %d", {2, 7}), "Page 2 of 7");
  EXPECT_EQ(Format("%s of %s", {"Cars", QString("Total")}), "Cars of Total");
  EXPECT_EQ(Format("[%5d|%-5d|%.3d]", {42, 42, 7}), "[   42|42   |007]");
  EXPECT_EQ(Format("%x %.4x", {255, 255}), "FF 00FF");
  EXPECT_EQ(Format("%.2f|%f|%8.1f", {3.14159, 2.0, -1.25}), "3.14|2.00|    -1.3");
  EXPECT_EQ(Format("%g %g", {0.5, 1e20}), "0.5 1E20");
  EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
  EXPECT_EQ(Format("%.3e", {-0.000123}), "-1.23E-004");
  EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
  EXPECT_EQ(Format("%m", {-3.5}), "-$3.50");
  EXPECT_EQ(Format("%1:s-%0:s", {"a", "b"}), "b-a");
  EXPECT_EQ(Format("%*d|%.*s", {4, 9, 2, "abc"}), "   9|ab");
  EXPECT_EQ(Format("Zoom: %d %%", {150}), "Zoom: 150 %");
  EXPECT_EQ(Format("%d bytes", {1LL << 40}), "1099511627776 bytes");
  SetFormatSettings(German());
  EXPECT_EQ(Format("%.2f %n", {1.5, 1234.5}), "1,50 1.234,50");
}

TEST_F(FormatSettingsTest, FormatMismatchRaisesConvertError) {
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%s", {1}), EConvertError);
  EXPECT_THROW(Format("%d %d", {1}), EConvertError);
  EXPECT_THROW(Format("%q", {1}), EConvertError);
  EXPECT_THROW(Format("100%", {}), EConvertError);
}

TEST_F(FormatSettingsTest, StringToNumberFailsWithoutStdExceptions) {
  EXPECT_EQ(StrToInt(" -42 "), -42);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_DOUBLE_EQ(StrToFloat("1.5e3"), 1500.0);
  int i = 7;
  EXPECT_FALSE(TryStrToInt("2147483648", i));
  EXPECT_FALSE(TryStrToInt("12a", i));
  EXPECT_FALSE(TryStrToInt("", i));
  EXPECT_EQ(i, 7);
  double d = 7;
  for (const char* bad : {"", "abc", "1,5", "1.5.5", "1e", "nan", "inf", "1e999", "--1", "."})
    EXPECT_FALSE(TryStrToFloat(bad, d)) << bad;
  EXPECT_EQ(d, 7);
  try {
    StrToFloat("x1");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x1' is not a valid floating point value");
  }
  EXPECT_THROW(StrToInt("1.0"), EConvertError);
  SetFormatSettings(German());
  EXPECT_TRUE(TryStrToFloat("1,5", d));
  EXPECT_DOUBLE_EQ(d, 1.5);
  EXPECT_FALSE(TryStrToFloat("1.5", d));
}

TEST_F(FormatSettingsTest, SettingsFromLocaleUseFrameworkLetters) {
  const FormatSettings de = FormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(de.DecimalSeparator, u',');
  EXPECT_EQ(de.ThousandSeparator, u'.');
  EXPECT_EQ(de.DateSeparator, u'.');
  EXPECT_TRUE(de.ShortDateFormat.startsWith("dd.mm.yy")) << de.ShortDateFormat.toStdString();
  EXPECT_EQ(de.LongTimeFormat.left(8), "hh:nn:ss");
  EXPECT_EQ(de.LongMonthNames.value(2), QString::fromUtf8("März"));
  EXPECT_EQ(de.LongDayNames.value(0), "Sonntag");
}

}  // namespace
