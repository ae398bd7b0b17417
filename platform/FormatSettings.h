#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <variant>

// How numbers, dates and times are written for the user. Format texts use
// the framework's letters: "dd/mm/yyyy", "hh:nn:ss" ("n" is minutes).
struct FormatSettings {
  QChar DecimalSeparator = u'.';
  QChar ThousandSeparator = u',';
  QChar DateSeparator = u'/';
  QChar TimeSeparator = u':';
  QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
  QString LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
  QString ShortTimeFormat = QStringLiteral("hh:nn");
  QString LongTimeFormat = QStringLiteral("hh:nn:ss");
  QString TimeAMString = QStringLiteral("AM");
  QString TimePMString = QStringLiteral("PM");
  QString CurrencyString = QStringLiteral("$");
  int CurrencyDecimals = 2;
  // January first; Sunday first, as the framework's day-of-week numbers run.
  QStringList ShortMonthNames;
  QStringList LongMonthNames;
  QStringList ShortDayNames;
  QStringList LongDayNames;

  // Fixed English settings (decimal point, "," thousands, "/" dates).
  static FormatSettings English();
  // Separators, formats and names as the given locale writes them.
  static FormatSettings FromLocale(const QLocale& Locale);
};

// The settings in force: taken from the system locale on first use and
// replaceable (tests install fixed English or decimal-comma settings).
const FormatSettings& CurrentFormatSettings();
void SetFormatSettings(const FormatSettings& Settings);

// Numbers through picture formats: "0" a digit always shown, "#" a digit
// shown when significant, "." the decimal separator, "," thousands
// separators, "E+0"/"E-0" scientific notation, text in quotes copied,
// ";" separates the sections for positive;negative;zero values. Rounding is
// half away from zero on the decimal value (at most 15 significant digits).
// An empty format gives FloatToStr.
QString FormatFloat(const QString& Format, double Value);
QString FormatFloat(const QString& Format, double Value, const FormatSettings& Settings);

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General: up to Precision significant digits, fixed unless the exponent is
// below -4 or not below Precision. Exponent: "d.dddE+ddd" with Digits
// exponent digits. Fixed/Number/Currency: Digits decimals (Number adds
// thousands separators).
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                    const FormatSettings& Settings);
// General format with 15 significant digits and the current decimal separator.
QString FloatToStr(double Value);

QString IntToStr(long long Value);

// One argument of Format: an integer, a floating-point number or a text.
class FormatArg {
 public:
  FormatArg(int Value) : FValue(static_cast<long long>(Value)) {}
  FormatArg(long Value) : FValue(static_cast<long long>(Value)) {}
  FormatArg(long long Value) : FValue(Value) {}
  FormatArg(unsigned Value) : FValue(static_cast<long long>(Value)) {}
  FormatArg(double Value) : FValue(Value) {}
  FormatArg(const QString& Value) : FValue(Value) {}
  FormatArg(const char* Value) : FValue(QString::fromUtf8(Value)) {}

  const std::variant<long long, double, QString>& Value() const { return FValue; }

 private:
  std::variant<long long, double, QString> FValue;
};

// printf-like formatting: "%[index:][-][width][.precision]type" with the
// types d, u, x (integers), e, f, g, n, m (numbers), s (text) and "%%".
// Width and precision may be "*" (taken from the arguments). A specifier
// that does not fit its argument, or a missing argument, raises
// EConvertError.
QString Format(const QString& Fmt, std::initializer_list<FormatArg> Args);

// Whole-text conversions with the current decimal separator; white space
// around the number is allowed. The Str forms raise EConvertError.
int StrToInt(const QString& Text);
bool TryStrToInt(const QString& Text, int& Value);
double StrToFloat(const QString& Text);
bool TryStrToFloat(const QString& Text, double& Value);
bool TryStrToFloat(const QString& Text, double& Value, const FormatSettings& Settings);
