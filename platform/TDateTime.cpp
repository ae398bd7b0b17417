#include "platform/TDateTime.h"

#include "platform/Exception.h"
#include "platform/FormatSettings.h"

#include <QDateTime>

#include <cmath>

namespace {

constexpr long long MSecsPerDay = 86400000;
// Serial number of 1970-01-01, the epoch of the civil-day arithmetic below.
constexpr long long UnixEpochSerial = 25569;
// Serials of 0001-01-01 and 9999-12-31.
constexpr double MinSerial = -693593;
constexpr double MaxSerial = 2958465;

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// Whole days and milliseconds of the day; the time of a negative serial
// counts from its midnight forward (as the fraction's magnitude).
bool SplitSerial(TDateTime value, long long& days, long long& msec) {
  if (!std::isfinite(value) || value < MinSerial - 1 || value > MaxSerial + 1) return false;
  if (value >= 0) {
    const long long total = std::llround(value * MSecsPerDay);
    days = total / MSecsPerDay;
    msec = total % MSecsPerDay;
  } else {
    const double whole = std::trunc(value);
    days = static_cast<long long>(whole);
    msec = std::min(std::llround((whole - value) * MSecsPerDay), MSecsPerDay - 1);
  }
  return true;
}

QString Padded(int value, int width) {
  return QString::number(value).rightJustified(width, u'0');
}

bool StartsWithNoCase(const QString& text, int at, const QString& what) {
  return text.mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

bool UsesTwelveHourClock(const QString& format) {
  QChar quote;
  for (int i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (StartsWithNoCase(format, i, QStringLiteral("am/pm")) ||
               StartsWithNoCase(format, i, QStringLiteral("a/p")) ||
               StartsWithNoCase(format, i, QStringLiteral("ampm"))) {
      return true;
    }
  }
  return false;
}

struct DateTimeParts {
  int year = 0, month = 0, day = 0, dayOfWeek = 0;
  int hour = 0, minute = 0, second = 0, msec = 0;
  bool hasTime = false;
};

QString Render(const QString& format, const DateTimeParts& p, const FormatSettings& s, int depth);

QString RenderNested(const QString& format, const DateTimeParts& p, const FormatSettings& s,
                     int depth) {
  // A settings format naming itself ("c" inside the short date) must not loop.
  return depth < 3 ? Render(format, p, s, depth + 1) : QString();
}

QString Name(const QStringList& names, int index) {
  return index >= 0 && index < names.size() ? names[index] : QString();
}

QString Render(const QString& format, const DateTimeParts& p, const FormatSettings& s, int depth) {
  const bool twelveHour = UsesTwelveHourClock(format);
  const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
  const bool pm = p.hour >= 12;
  QString out;
  bool afterHour = false;
  for (int i = 0; i < format.size();) {
    const QChar c = format[i];
    const QChar lower = c.toLower();
    if (c == u'"' || c == u'\'') {
      const int end = format.indexOf(c, i + 1);
      const int stop = end < 0 ? static_cast<int>(format.size()) : end;
      out += format.mid(i + 1, stop - i - 1);
      i = stop + 1;
      continue;
    }
    if (lower == u'a') {
      if (StartsWithNoCase(format, i, QStringLiteral("am/pm"))) {
        const QString text = format.mid(i, 5);
        out += pm ? text.mid(3, 2) : text.left(2);
        i += 5;
      } else if (StartsWithNoCase(format, i, QStringLiteral("a/p"))) {
        out += pm ? format[i + 2] : format[i];
        i += 3;
      } else if (StartsWithNoCase(format, i, QStringLiteral("ampm"))) {
        out += pm ? s.TimePMString : s.TimeAMString;
        i += 4;
      } else {
        out += c;
        ++i;
      }
      continue;
    }
    int run = 1;
    while (i + run < format.size() && format[i + run].toLower() == lower) ++run;
    bool specifier = true;
    switch (lower.unicode()) {
      case 'c':
        out += RenderNested(s.ShortDateFormat, p, s, depth);
        if (p.hasTime) out += u' ' + RenderNested(s.LongTimeFormat, p, s, depth);
        break;
      case 'd':
        if (run == 1) out += QString::number(p.day);
        if (run == 2) out += Padded(p.day, 2);
        if (run == 3) out += Name(s.ShortDayNames, p.dayOfWeek - 1);
        if (run == 4) out += Name(s.LongDayNames, p.dayOfWeek - 1);
        if (run == 5) out += RenderNested(s.ShortDateFormat, p, s, depth);
        if (run >= 6) out += RenderNested(s.LongDateFormat, p, s, depth);
        break;
      case 'm':
        if (afterHour) {
          out += run == 1 ? QString::number(p.minute) : Padded(p.minute, 2);
        } else if (run <= 2) {
          out += run == 1 ? QString::number(p.month) : Padded(p.month, 2);
        } else {
          out += Name(run == 3 ? s.ShortMonthNames : s.LongMonthNames, p.month - 1);
        }
        break;
      case 'y': out += run <= 2 ? Padded(p.year % 100, 2) : Padded(p.year, 4); break;
      case 'h': {
        const int hour = twelveHour ? hour12 : p.hour;
        out += run == 1 ? QString::number(hour) : Padded(hour, 2);
        break;
      }
      case 'n': out += run == 1 ? QString::number(p.minute) : Padded(p.minute, 2); break;
      case 's': out += run == 1 ? QString::number(p.second) : Padded(p.second, 2); break;
      case 'z': out += run == 1 ? QString::number(p.msec) : Padded(p.msec, 3); break;
      case 't':
        out += RenderNested(run == 1 ? s.ShortTimeFormat : s.LongTimeFormat, p, s, depth);
        break;
      case '/': out += QString(s.DateSeparator).repeated(run); break;
      case ':': out += QString(s.TimeSeparator).repeated(run); break;
      default:
        specifier = false;
        out += format.mid(i, run);
        break;
    }
    if (specifier && lower != u'/' && lower != u':') afterHour = lower == u'h';
    i += run;
  }
  return out;
}

DateTimeParts PartsOf(TDateTime value) {
  DateTimeParts p;
  DecodeDate(value, p.year, p.month, p.day);
  DecodeTime(value, p.hour, p.minute, p.second, p.msec);
  p.dayOfWeek = DayOfWeek(value);
  p.hasTime = p.hour != 0 || p.minute != 0 || p.second != 0 || p.msec != 0;
  return p;
}

// ----------------------------------------------------------------- parsing

bool ReadUnsigned(const QString& text, int& value) {
  if (text.isEmpty() || text.size() > 9) return false;
  value = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c.unicode() - '0');
  }
  return true;
}

// Order of day, month and year in the short date format, e.g. "dmy".
QString DateOrder(const QString& format) {
  QString order;
  QChar quote;
  for (QChar c : format) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
      continue;
    }
    if (c == u'"' || c == u'\'') {
      quote = c;
      continue;
    }
    const QChar lower = c.toLower();
    if ((lower == u'd' || lower == u'm' || lower == u'y') && !order.contains(lower)) order += lower;
  }
  return order.size() == 3 ? order : QStringLiteral("dmy");
}

int WithCentury(int twoDigitYear) {
  const int now = QDate::currentDate().year();
  int year = now / 100 * 100 + twoDigitYear;
  if (year > now + 50) year -= 100;
  if (year <= now - 50) year += 100;
  return year;
}

}  // namespace

bool IsLeapYear(int Year) {
  return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Value) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      Day > DaysInMonth(Year, Month))
    return false;
  Value = static_cast<double>(DaysFromCivil(Year, Month, Day) + UnixEpochSerial);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime value = 0;
  if (!TryEncodeDate(Year, Month, Day, value))
    throw EConvertError(QStringLiteral("Invalid argument to date encode"));
  return value;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Value) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
    return false;
  Value = static_cast<double>(((Hour * 60LL + Min) * 60 + Sec) * 1000 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime value = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, value))
    throw EConvertError(QStringLiteral("Invalid argument to time encode"));
  return value;
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) {
  long long days = 0, msec = 0;
  if (!SplitSerial(Value, days, msec) || days < MinSerial || days > MaxSerial) {
    Year = Month = Day = 0;
    return;
  }
  CivilFromDays(days - UnixEpochSerial, Year, Month, Day);
}

void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) {
  long long days = 0, msec = 0;
  if (!SplitSerial(Value, days, msec)) msec = 0;
  MSec = static_cast<int>(msec % 1000);
  Sec = static_cast<int>(msec / 1000 % 60);
  Min = static_cast<int>(msec / 60000 % 60);
  Hour = static_cast<int>(msec / 3600000);
}

int DayOfWeek(TDateTime Value) {
  long long days = 0, msec = 0;
  if (!SplitSerial(Value, days, msec)) return 0;
  // Serial 0 (1899-12-30) was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return EncodeDate(d.year(), d.month(), d.day()) +
         EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

TDateTime Date() {
  return std::trunc(Now());
}

QString FormatDateTime(const QString& Format, TDateTime Value) {
  return FormatDateTime(Format, Value, CurrentFormatSettings());
}

QString FormatDateTime(const QString& Format, TDateTime Value, const FormatSettings& Settings) {
  return Render(Format.isEmpty() ? QStringLiteral("c") : Format, PartsOf(Value), Settings, 0);
}

QString DateToStr(TDateTime Value) {
  return FormatDateTime(QStringLiteral("ddddd"), Value);
}

QString TimeToStr(TDateTime Value) {
  return FormatDateTime(QStringLiteral("tt"), Value);
}

QString DateTimeToStr(TDateTime Value) {
  return FormatDateTime(QStringLiteral("c"), Value);
}

bool TryStrToDate(const QString& Text, TDateTime& Value) {
  const FormatSettings& s = CurrentFormatSettings();
  const QStringList parts = Text.trimmed().split(s.DateSeparator);
  if (parts.size() < 2 || parts.size() > 3) return false;
  QString order = DateOrder(s.ShortDateFormat);
  if (parts.size() == 2) order.remove(u'y');
  int day = 0, month = 0, year = QDate::currentDate().year();
  for (int i = 0; i < parts.size(); ++i) {
    int number = 0;
    if (!ReadUnsigned(parts[i].trimmed(), number)) return false;
    if (order[i] == u'd') day = number;
    if (order[i] == u'm') month = number;
    if (order[i] == u'y') year = parts[i].trimmed().size() <= 2 ? WithCentury(number) : number;
  }
  return TryEncodeDate(year, month, day, Value);
}

bool TryStrToTime(const QString& Text, TDateTime& Value) {
  const FormatSettings& s = CurrentFormatSettings();
  QString text = Text.trimmed();
  int pmShift = -1;  // -1: 24-hour clock, 0: am, 12: pm
  for (const auto& [marker, shift] :
       {std::pair{s.TimeAMString, 0}, std::pair{s.TimePMString, 12},
        std::pair{QStringLiteral("AM"), 0}, std::pair{QStringLiteral("PM"), 12}}) {
    if (!marker.isEmpty() && text.endsWith(marker, Qt::CaseInsensitive)) {
      pmShift = shift;
      text = text.left(text.size() - marker.size()).trimmed();
      break;
    }
  }
  QStringList parts = text.split(s.TimeSeparator);
  if (parts.isEmpty() || parts.size() > 3) return false;
  int msec = 0;
  const int decimal = parts.back().indexOf(s.DecimalSeparator);
  if (decimal >= 0) {
    const QString fraction = parts.back().mid(decimal + 1).left(3).leftJustified(3, u'0');
    if (!ReadUnsigned(fraction, msec)) return false;
    parts.back() = parts.back().left(decimal);
  }
  int values[3] = {0, 0, 0};
  for (int i = 0; i < parts.size(); ++i)
    if (!ReadUnsigned(parts[i].trimmed(), values[i])) return false;
  int hour = values[0];
  if (pmShift >= 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + pmShift;
  }
  return TryEncodeTime(hour, values[1], values[2], msec, Value);
}

bool TryStrToDateTime(const QString& Text, TDateTime& Value) {
  const QString text = Text.trimmed();
  const int blank = text.indexOf(u' ');
  TDateTime date = 0, time = 0;
  if (blank < 0) {
    if (TryStrToDate(text, date)) {
      Value = date;
      return true;
    }
    return TryStrToTime(text, Value);
  }
  if (!TryStrToDate(text.left(blank), date) || !TryStrToTime(text.mid(blank + 1), time))
    return false;
  Value = date + time;
  return true;
}

TDateTime StrToDate(const QString& Text) {
  TDateTime value = 0;
  if (!TryStrToDate(Text, value))
    throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(Text));
  return value;
}

TDateTime StrToTime(const QString& Text) {
  TDateTime value = 0;
  if (!TryStrToTime(Text, value))
    throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(Text));
  return value;
}

TDateTime StrToDateTime(const QString& Text) {
  TDateTime value = 0;
  if (!TryStrToDateTime(Text, value))
    throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(Text));
  return value;
}
