#pragma once

#include <QString>

struct FormatSettings;

// A point in time as days since 1899-12-30 00:00 (the fraction is the time of
// day), so date-time axes hold plain doubles.
using TDateTime = double;

bool IsLeapYear(int Year);
// Days of Month (1..12) in Year; 0 for a month out of range.
int DaysInMonth(int Year, int Month);

// Year 1..9999, Month 1..12, Day 1..days of that month; the Encode forms
// raise EConvertError for anything else, the Try forms return false.
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value);
// Hour 0..23, Min and Sec 0..59, MSec 0..999.
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value);

// Dates outside 0001-01-01 .. 9999-12-31 (and NaN) decode as 0, 0, 0.
// The time is rounded to the millisecond.
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec);
// Day of the week, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime Value);

// The local clock now, and today at midnight.
TDateTime Now();
TDateTime Date();

// Format letters (case does not matter): d dd ddd dddd ddddd dddddd, m mm mmm
// mmmm (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t tt,
// c, am/pm a/p ampm (12-hour clock), "/" and ":" the current separators,
// quoted text copied; anything else is copied. An empty format is "c".
QString FormatDateTime(const QString& Format, TDateTime Value);
QString FormatDateTime(const QString& Format, TDateTime Value, const FormatSettings& Settings);

// Short date; long time; short date and long time (no time at midnight).
QString DateToStr(TDateTime Value);
QString TimeToStr(TDateTime Value);
QString DateTimeToStr(TDateTime Value);

// Texts in the order of the short date format and the current separators:
// "dd/mm/yyyy", "h:nn[:ss[.zzz]] [am|pm]", a date and a time separated by
// blanks. The Str forms raise EConvertError.
bool TryStrToDate(const QString& Text, TDateTime& Value);
bool TryStrToTime(const QString& Text, TDateTime& Value);
bool TryStrToDateTime(const QString& Text, TDateTime& Value);
TDateTime StrToDate(const QString& Text);
TDateTime StrToTime(const QString& Text);
TDateTime StrToDateTime(const QString& Text);
