#include "platform/TDateTime.h"

#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/FormatSettings.h"

namespace {

class TDateTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FSaved = CurrentFormatSettings();
    SetFormatSettings(FormatSettings::English());
  }
  void TearDown() override { SetFormatSettings(FSaved); }

  FormatSettings FSaved;
};

TEST_F(TDateTimeTest, SerialNumbersMatchTheEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
}

TEST_F(TDateTimeTest, EncodeDecodeRoundTripsAcrossMonthEndsAndLeapYears) {
  for (int year : {1, 1600, 1899, 1900, 2000, 2004, 2005, 2100, 9999})
    for (int month = 1; month <= 12; ++month)
      for (int day : {1, 28, DaysInMonth(year, month)}) {
        int y = 0, m = 0, d = 0;
        DecodeDate(EncodeDate(year, month, day), y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
      }
  int y = 0, m = 0, d = 0;
  DecodeDate(EncodeDate(2005, 12, 31) + 0.75, y, m, d);  // the time does not move the day
  EXPECT_EQ(y * 10000 + m * 100 + d, 20051231);
  EXPECT_EQ(EncodeDate(2006, 1, 1) - EncodeDate(2005, 12, 31), 1.0);
  EXPECT_EQ(EncodeDate(2004, 3, 1) - EncodeDate(2004, 2, 28), 2.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1) - EncodeDate(1900, 2, 28), 1.0);
}

TEST_F(TDateTimeTest, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2004));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2005));
  EXPECT_EQ(DaysInMonth(2004, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2005, 12), 31);
  EXPECT_EQ(DaysInMonth(2005, 13), 0);
}

TEST_F(TDateTimeTest, InvalidDatesAndTimesAreRefused) {
  TDateTime value = 0;
  EXPECT_FALSE(TryEncodeDate(2005, 2, 29, value));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, value));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, value));
  EXPECT_THROW(EncodeDate(2005, 4, 31), EConvertError);
  EXPECT_THROW(EncodeTime(1, 60, 0, 0), EConvertError);
  int y = 1, m = 1, d = 1;
  DecodeDate(1e300, y, m, d);
  EXPECT_EQ(y + m + d, 0);
  DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d);
  EXPECT_EQ(y + m + d, 0);
}

TEST_F(TDateTimeTest, TimesRoundToTheMillisecond) {
  int h, n, s, ms;
  DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
  DecodeTime(EncodeDate(2005, 3, 20) + 14.0 / 24, h, n, s, ms);
  EXPECT_EQ(h, 14);
  EXPECT_EQ(n + s + ms, 0);
  // Just below midnight rounds to the next day, not to 24:00.
  int y, m, d;
  const TDateTime late = EncodeDate(2005, 12, 31) + 1 - 1e-10;
  DecodeDate(late, y, m, d);
  DecodeTime(late, h, n, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20060101);
  EXPECT_EQ(h, 0);
}

TEST_F(TDateTimeTest, FormatDateTimeLetters) {
  const TDateTime t = EncodeDate(2005, 3, 7) + EncodeTime(14, 5, 9, 42);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", t), "2005-03-07");
  EXPECT_EQ(FormatDateTime("d/m/yy", t), "7/3/05");
  EXPECT_EQ(FormatDateTime("ddd dddd mmm mmmm", t), "Mon Monday Mar March");
  EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", t), "14:05:09.042");
  EXPECT_EQ(FormatDateTime("h:mm", t), "14:05");  // minutes right after an hour
  EXPECT_EQ(FormatDateTime("MM", t), "03");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", t), "2:05 pm");
  EXPECT_EQ(FormatDateTime("hh AMPM", EncodeTime(0, 30, 0, 0)), "12 AM");
  EXPECT_EQ(FormatDateTime("\"Day\" d", t), "Day 7");
  EXPECT_EQ(FormatDateTime("ddddd", t), "07/03/2005");
  EXPECT_EQ(FormatDateTime("tt", t), "14:05:09");
  EXPECT_EQ(FormatDateTime("", t), "07/03/2005 14:05:09");
  EXPECT_EQ(FormatDateTime("", EncodeDate(2005, 3, 7)), "07/03/2005");
  FormatSettings s = FormatSettings::English();
  s.DateSeparator = u'.';
  s.TimeSeparator = u'-';
  EXPECT_EQ(FormatDateTime("dd/mm hh:nn", t, s), "07.03 14-05");
}

TEST_F(TDateTimeTest, TextsReadBackInTheShortDateOrder) {
  TDateTime v = 0;
  ASSERT_TRUE(TryStrToDateTime("07/03/2005 14:05:09", v));
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", v), "2005-03-07 14:05:09");
  ASSERT_TRUE(TryStrToTime("05:00:00", v));
  EXPECT_DOUBLE_EQ(v, 5.0 / 24);
  ASSERT_TRUE(TryStrToTime("2:30 PM", v));
  EXPECT_DOUBLE_EQ(v, 14.5 / 24);
  ASSERT_TRUE(TryStrToDateTime("12:00", v));
  EXPECT_DOUBLE_EQ(v, 0.5);
  EXPECT_FALSE(TryStrToDate("31/02/2005", v));
  EXPECT_FALSE(TryStrToTime("25:00", v));
  EXPECT_FALSE(TryStrToDateTime("tomorrow", v));
  EXPECT_THROW(StrToDateTime("1/2/3/4"), EConvertError);
  FormatSettings us = FormatSettings::English();
  us.ShortDateFormat = "m/d/yyyy";
  SetFormatSettings(us);
  EXPECT_EQ(StrToDate("3/7/2005"), EncodeDate(2005, 3, 7));
}

}  // namespace
