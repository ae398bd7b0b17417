#include "platform/FormatSettings.h"

#include "platform/Exception.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- settings

// One run of equal letters of a Qt date/time format in the framework's letters.
QString FrameworkLetters(QChar letter, int run) {
  switch (letter.unicode()) {
    case 'd': return QString(std::min(run, 4), u'd');
    case 'M': return QString(std::min(run, 4), u'm');
    case 'y': return run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
    case 'h':
    case 'H': return run == 1 ? QStringLiteral("h") : QStringLiteral("hh");
    case 'm': return run == 1 ? QStringLiteral("n") : QStringLiteral("nn");
    case 's': return run == 1 ? QStringLiteral("s") : QStringLiteral("ss");
    case 'z': return run == 1 ? QStringLiteral("z") : QStringLiteral("zzz");
    case 'a':
    case 'A': return QStringLiteral("ampm");
    default: return QString();  // time zones and unknown letters are dropped
  }
}

QString FromQtDateTimeFormat(const QString& qt) {
  QString out;
  for (int i = 0; i < qt.size();) {
    const QChar c = qt[i];
    if (c == u'\'') {
      const int end = qt.indexOf(u'\'', i + 1);
      const QString text = qt.mid(i + 1, end < 0 ? -1 : end - i - 1);
      if (!text.isEmpty()) out += u'"' + text + u'"';
      i = end < 0 ? static_cast<int>(qt.size()) : end + 1;
      continue;
    }
    if (!c.isLetter()) {
      out += c;
      ++i;
      continue;
    }
    int run = 1;
    while (i + run < qt.size() && qt[i + run] == c) ++run;
    out += FrameworkLetters(c, run);
    i += run;
    // "AP" / "ap": the P belongs to the am/pm marker just written.
    if ((c == u'A' || c == u'a') && i < qt.size() && (qt[i] == u'P' || qt[i] == u'p')) ++i;
  }
  return out.trimmed();
}

QChar FirstSeparator(const QString& format, QChar fallback) {
  bool quoted = false;
  for (QChar c : format) {
    if (c == u'"') quoted = !quoted;
    if (!quoted && !c.isLetter() && c != u'"' && !c.isSpace()) return c;
  }
  return fallback;
}

void FillNames(FormatSettings& s, const QLocale& locale) {
  s.ShortMonthNames.clear();
  s.LongMonthNames.clear();
  s.ShortDayNames.clear();
  s.LongDayNames.clear();
  for (int m = 1; m <= 12; ++m) {
    s.ShortMonthNames << locale.monthName(m, QLocale::ShortFormat);
    s.LongMonthNames << locale.monthName(m, QLocale::LongFormat);
  }
  // Qt counts Monday as 1 and Sunday as 7; the framework starts on Sunday.
  for (int d : {7, 1, 2, 3, 4, 5, 6}) {
    s.ShortDayNames << locale.dayName(d, QLocale::ShortFormat);
    s.LongDayNames << locale.dayName(d, QLocale::LongFormat);
  }
}

FormatSettings& Current() {
  static FormatSettings settings = FormatSettings::FromLocale(QLocale::system());
  return settings;
}

// ------------------------------------------------------- decimal digits

// |value| = 0.Digits x 10^Exponent; no digits means zero.
struct Decimal {
  std::string Digits;
  int Exponent = 0;
};

void StripTrailingZeros(Decimal& d) {
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) d.Exponent = 0;
}

// The decimal form of |value| to Significant digits (at most 17), correctly
// rounded from the binary value.
Decimal ToDecimal(double value, int significant) {
  Decimal d;
  if (value == 0) return d;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, significant - 1);
  const std::string text(buffer, result.ptr);  // d.ddddde+XX
  const size_t e = text.find('e');
  for (size_t i = 0; i < e; ++i)
    if (text[i] != '.') d.Digits += text[i];
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                  exponent);
  d.Exponent = exponent + 1;
  StripTrailingZeros(d);
  return d;
}

// Keeps the first Keep digits, rounding half away from zero.
void RoundDigits(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.Digits.size())) return;
  if (keep < 0) {
    d = Decimal();
    return;
  }
  const bool up = d.Digits[static_cast<size_t>(keep)] >= '5';
  d.Digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.Digits[static_cast<size_t>(i)] == '9')
      d.Digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++d.Digits[static_cast<size_t>(i)];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  StripTrailingZeros(d);
}

// Digit I (0-based from the first significant digit), '0' past the end.
char DigitAt(const Decimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<size_t>(i)] : '0';
}

std::string IntegerDigits(const Decimal& d) {
  std::string digits;
  for (int i = 0; i < d.Exponent; ++i) digits += DigitAt(d, i);
  return digits;  // empty for |value| < 1
}

std::string FractionDigits(const Decimal& d, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += DigitAt(d, d.Exponent + i);
  return digits;
}

QString WithThousands(const std::string& digits, QChar separator) {
  QString out;
  const int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += QChar(digits[static_cast<size_t>(i)]);
  }
  return out;
}

QString NonFinite(double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// --------------------------------------------------------- FloatToStrF

QString ExponentText(int exponent, bool plusSign, int minDigits) {
  QString digits = QString::number(std::abs(exponent));
  while (digits.size() < minDigits) digits.prepend(u'0');
  if (exponent < 0) return u'-' + digits;
  return plusSign ? u'+' + digits : digits;
}

QString FixedText(const Decimal& d, int decimals, bool thousands, const FormatSettings& s) {
  std::string intDigits = IntegerDigits(d);
  if (intDigits.empty()) intDigits = "0";
  QString out = thousands ? WithThousands(intDigits, s.ThousandSeparator)
                          : QString::fromLatin1(intDigits.c_str());
  if (decimals > 0)
    out += s.DecimalSeparator + QString::fromLatin1(FractionDigits(d, decimals).c_str());
  return out;
}

QString GeneralText(double value, int precision, int digits, const FormatSettings& s) {
  precision = std::clamp(precision, 1, 15);
  Decimal d = ToDecimal(value, precision);
  const QString sign = value < 0 && !d.Digits.empty() ? QStringLiteral("-") : QString();
  if (d.Digits.empty()) return QStringLiteral("0");
  if (d.Exponent > precision || d.Exponent < -3) {
    QString mantissa(QChar(d.Digits[0]));
    if (d.Digits.size() > 1)
      mantissa += s.DecimalSeparator + QString::fromLatin1(d.Digits.c_str() + 1);
    return sign + mantissa + u'E' + ExponentText(d.Exponent - 1, false, digits);
  }
  const int decimals = std::max(0, static_cast<int>(d.Digits.size()) - d.Exponent);
  return sign + FixedText(d, decimals, false, s);
}

QString ExponentFormText(double value, int precision, int digits, const FormatSettings& s) {
  precision = std::clamp(precision, 1, 17);
  const Decimal d = ToDecimal(value, precision);
  const QString sign = value < 0 && !d.Digits.empty() ? QStringLiteral("-") : QString();
  QString mantissa(QChar(DigitAt(d, 0)));
  if (precision > 1) {
    mantissa += s.DecimalSeparator;
    for (int i = 1; i < precision; ++i) mantissa += QChar(DigitAt(d, i));
  }
  const int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
  return sign + mantissa + u'E' + ExponentText(exponent, true, std::clamp(digits, 0, 4));
}

// ---------------------------------------------------------- FormatFloat

struct Token {
  enum Kind { Digit, Point, Comma, Exponent, Literal } kind;
  QString text;  // Digit: "0" or "#"; Exponent: "E+", "e-", ...; Literal: the text
  int exponentZeros = 0;
};

struct Section {
  std::vector<Token> tokens;
  int intPlaceholders = 0;
  int minIntDigits = 0;
  int decimals = 0;
  int minDecimals = 0;
  bool thousands = false;
  bool scientific = false;
};

// Splits at ';' outside quotes; at most three sections count.
QStringList SplitSections(const QString& format) {
  QStringList sections;
  QString current;
  QChar quote;
  for (QChar c : format) {
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u';') {
      sections << current;
      current.clear();
      continue;
    }
    current += c;
  }
  sections << current;
  return sections;
}

Section ParseSection(const QString& format) {
  Section s;
  bool afterPoint = false;
  int firstZero = -1;
  for (int i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == u'"' || c == u'\'') {
      const int end = format.indexOf(c, i + 1);
      const int stop = end < 0 ? static_cast<int>(format.size()) : end;
      s.tokens.push_back({Token::Literal, format.mid(i + 1, stop - i - 1)});
      i = stop;
    } else if ((c == u'0' || c == u'#') && !s.scientific) {
      s.tokens.push_back({Token::Digit, QString(c)});
      if (afterPoint) {
        ++s.decimals;
        if (c == u'0') s.minDecimals = s.decimals;
      } else {
        if (c == u'0' && firstZero < 0) firstZero = s.intPlaceholders;
        ++s.intPlaceholders;
      }
    } else if (c == u'.' && !afterPoint && !s.scientific) {
      afterPoint = true;
      s.tokens.push_back({Token::Point, QString()});
    } else if (c == u',' && !s.scientific) {
      if (!afterPoint) s.thousands = true;
    } else if ((c == u'E' || c == u'e') && !s.scientific && i + 1 < format.size() &&
               (format[i + 1] == u'+' || format[i + 1] == u'-')) {
      Token t{Token::Exponent, format.mid(i, 2)};
      i += 2;
      while (i < format.size() && (format[i] == u'0' || format[i] == u'#')) {
        if (format[i] == u'0') ++t.exponentZeros;
        ++i;
      }
      --i;
      t.exponentZeros = std::min(t.exponentZeros, 4);
      s.tokens.push_back(t);
      s.scientific = true;
    } else {
      s.tokens.push_back({Token::Literal, QString(c)});
    }
  }
  s.minIntDigits = firstZero < 0 ? 0 : s.intPlaceholders - firstZero;
  if (s.scientific) s.thousands = false;
  return s;
}

// The rounded digits a section shows for |value|, and the exponent it writes.
struct Rounded {
  Decimal value;
  int exponent = 0;
};

Rounded RoundForSection(double value, const Section& s) {
  Rounded r;
  r.value = ToDecimal(value, 15);
  if (s.scientific) {
    RoundDigits(r.value, std::max(1, s.intPlaceholders + s.decimals));
    if (!r.value.Digits.empty()) {
      r.exponent = r.value.Exponent - s.intPlaceholders;
      r.value.Exponent = s.intPlaceholders;
    }
  } else {
    RoundDigits(r.value, r.value.Exponent + s.decimals);
  }
  return r;
}

QString RenderSection(const Section& s, const Rounded& r, bool negative, const FormatSettings& fs) {
  std::string intDigits = IntegerDigits(r.value);
  if (static_cast<int>(intDigits.size()) < s.minIntDigits)
    intDigits.insert(0, static_cast<size_t>(s.minIntDigits) - intDigits.size(), '0');
  std::string fraction = FractionDigits(r.value, s.decimals);
  while (static_cast<int>(fraction.size()) > s.minDecimals && fraction.back() == '0')
    fraction.pop_back();
  // A value that shows no digit at all ("#.##" of 0) still reads as zero.
  if (intDigits.empty() && fraction.empty() && s.intPlaceholders > 0) intDigits = "0";

  QString out = negative ? QStringLiteral("-") : QString();
  const int n = static_cast<int>(intDigits.size());
  int intPlaceholder = 0;
  int fractionPlaceholder = 0;
  bool afterPoint = false;
  auto emitIntDigit = [&](int index) {  // index into intDigits
    out += QChar(intDigits[static_cast<size_t>(index)]);
    const int fromRight = n - 1 - index;
    if (s.thousands && fromRight > 0 && fromRight % 3 == 0) out += fs.ThousandSeparator;
  };
  for (const Token& t : s.tokens) {
    switch (t.kind) {
      case Token::Digit:
        if (afterPoint) {
          if (fractionPlaceholder < static_cast<int>(fraction.size()))
            out += QChar(fraction[static_cast<size_t>(fractionPlaceholder)]);
          ++fractionPlaceholder;
        } else {
          // Placeholder p stands for the digit (k - 1 - p) places left of the
          // point; digits beyond the placeholders all go to the first one.
          const int position = s.intPlaceholders - 1 - intPlaceholder;
          if (intPlaceholder == 0)
            for (int i = 0; i < n - s.intPlaceholders; ++i) emitIntDigit(i);
          if (position < n) emitIntDigit(n - 1 - position);
          ++intPlaceholder;
        }
        break;
      case Token::Point:
        afterPoint = true;
        if (!fraction.empty()) out += fs.DecimalSeparator;
        break;
      case Token::Exponent:
        out += t.text[0];
        out += ExponentText(r.exponent, t.text[1] == u'+', t.exponentZeros);
        afterPoint = true;
        break;
      case Token::Literal: out += t.text; break;
      case Token::Comma: break;
    }
  }
  if (s.intPlaceholders == 0 && n > 0) {
    // A format without integer placeholders still shows the integer part.
    const int at = negative ? 1 : 0;
    out.insert(at, QString::fromLatin1(intDigits.c_str()));
  }
  return out;
}

// ---------------------------------------------------------------- Format

[[noreturn]] void BadFormat(const QString& fmt) {
  throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(fmt));
}

bool ReadNumber(const QString& fmt, int& i, int& value) {
  const int start = i;
  value = 0;
  while (i < fmt.size() && fmt[i].isDigit()) {
    value = std::min(value * 10 + fmt[i].digitValue(), 1000000);
    ++i;
  }
  return i > start;
}

bool ParseDecimalText(const QString& text, QChar decimalSeparator, double& value) {
  const QString trimmed = text.trimmed();
  std::string ascii;
  int i = 0;
  const int n = static_cast<int>(trimmed.size());
  if (i < n && (trimmed[i] == u'+' || trimmed[i] == u'-'))
    ascii += static_cast<char>(trimmed[i++].unicode());
  int mantissaDigits = 0;
  while (i < n && trimmed[i] >= u'0' && trimmed[i] <= u'9') {
    ascii += static_cast<char>(trimmed[i++].unicode());
    ++mantissaDigits;
  }
  if (i < n && trimmed[i] == decimalSeparator) {
    ascii += '.';
    ++i;
    while (i < n && trimmed[i] >= u'0' && trimmed[i] <= u'9') {
      ascii += static_cast<char>(trimmed[i++].unicode());
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < n && (trimmed[i] == u'e' || trimmed[i] == u'E')) {
    ascii += 'e';
    ++i;
    if (i < n && (trimmed[i] == u'+' || trimmed[i] == u'-'))
      ascii += static_cast<char>(trimmed[i++].unicode());
    int exponentDigits = 0;
    while (i < n && trimmed[i] >= u'0' && trimmed[i] <= u'9') {
      ascii += static_cast<char>(trimmed[i++].unicode());
      ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
  }
  if (i != n) return false;
  const char* begin = ascii.data() + (ascii[0] == '+' ? 1 : 0);
  double parsed = 0;
  const auto result = std::from_chars(begin, ascii.data() + ascii.size(), parsed);
  if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() ||
      !std::isfinite(parsed))
    return false;
  value = parsed;
  return true;
}

}  // namespace

// ---------------------------------------------------------------- public

FormatSettings FormatSettings::English() {
  FormatSettings s;
  FillNames(s, QLocale(QLocale::English, QLocale::UnitedStates));
  return s;
}

FormatSettings FormatSettings::FromLocale(const QLocale& Locale) {
  FormatSettings s;
  if (!Locale.decimalPoint().isEmpty()) s.DecimalSeparator = Locale.decimalPoint()[0];
  if (!Locale.groupSeparator().isEmpty()) s.ThousandSeparator = Locale.groupSeparator()[0];
  s.ShortDateFormat = FromQtDateTimeFormat(Locale.dateFormat(QLocale::ShortFormat));
  s.LongDateFormat = FromQtDateTimeFormat(Locale.dateFormat(QLocale::LongFormat));
  s.ShortTimeFormat = FromQtDateTimeFormat(Locale.timeFormat(QLocale::ShortFormat));
  s.LongTimeFormat = FromQtDateTimeFormat(Locale.timeFormat(QLocale::LongFormat));
  s.DateSeparator = FirstSeparator(s.ShortDateFormat, u'/');
  s.TimeSeparator = FirstSeparator(s.LongTimeFormat, u':');
  if (!Locale.amText().isEmpty()) s.TimeAMString = Locale.amText();
  if (!Locale.pmText().isEmpty()) s.TimePMString = Locale.pmText();
  if (!Locale.currencySymbol().isEmpty()) s.CurrencyString = Locale.currencySymbol();
  FillNames(s, Locale);
  return s;
}

const FormatSettings& CurrentFormatSettings() {
  return Current();
}

void SetFormatSettings(const FormatSettings& Settings) {
  Current() = Settings;
}

QString FormatFloat(const QString& Format, double Value) {
  return FormatFloat(Format, Value, CurrentFormatSettings());
}

namespace {

// A chart formats the same few label values many times a frame (spacing
// the labels, sizing the axis, drawing them), and each call parses the
// picture format afresh, so recent results are remembered. A text depends
// only on the format, the value's bits and the two separators. Each value
// has a set of Ways places: round label values differ only in their top
// bits, and a frame's hundred or so of them must not push each other out.
class TFormatFloatMemo {
 public:
  static TFormatFloatMemo& Instance() {
    thread_local TFormatFloatMemo Memo;
    return Memo;
  }

  // The remembered text, or nullptr.
  const QString* Find(const QString& Format, double Value, const FormatSettings& Settings) const {
    const std::uint64_t B = Bits(Value);
    const std::size_t First = SetOf(Format, B) * Ways;
    for (std::size_t W = First; W < First + Ways; ++W) {
      const TEntry& E = FEntries[W];
      if (E.Used && E.Bits == B && E.Decimal == Settings.DecimalSeparator &&
          E.Thousand == Settings.ThousandSeparator && E.Format == Format)
        return &E.Text;
    }
    return nullptr;
  }
  // Takes the set's oldest place.
  void Remember(const QString& Format, double Value, const FormatSettings& Settings,
                const QString& Text) {
    const std::size_t Set = SetOf(Format, Bits(Value));
    std::uint8_t& Next = FNextWay[Set];
    FEntries[Set * Ways + Next] = {
        true, Format, Bits(Value), Settings.DecimalSeparator, Settings.ThousandSeparator, Text};
    Next = static_cast<std::uint8_t>((Next + 1) % Ways);
  }

 private:
  struct TEntry {
    bool Used = false;
    QString Format;
    std::uint64_t Bits = 0;
    QChar Decimal;
    QChar Thousand;
    QString Text;
  };
  static constexpr int SetBits = 8;
  static constexpr std::size_t Sets = std::size_t(1) << SetBits;
  static constexpr std::size_t Ways = 4;

  static std::uint64_t Bits(double Value) { return std::bit_cast<std::uint64_t>(Value); }
  // Every bit of the value and of the format's hash stirred into the top
  // bits, which pick the set.
  static std::size_t SetOf(const QString& Format, std::uint64_t ValueBits) {
    std::uint64_t X = ValueBits ^ qHash(Format);
    X = (X ^ (X >> 30)) * 0xBF58476D1CE4E5B9ull;
    X = (X ^ (X >> 27)) * 0x94D049BB133111EBull;
    X ^= X >> 31;
    return static_cast<std::size_t>(X >> (64 - SetBits));
  }

  std::array<TEntry, Sets * Ways> FEntries;
  std::array<std::uint8_t, Sets> FNextWay{};
};

QString FormatFloatAfresh(const QString& Format, double Value, const FormatSettings& Settings) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  if (Format.isEmpty() || std::fabs(Value) >= 1e18)
    return FloatToStrF(Value, TFloatFormat::ffGeneral, 15, 0, Settings);
  const QStringList sections = SplitSections(Format);
  bool negative = Value < 0;
  int chosen = 0;
  if (negative && sections.size() >= 2 && !sections[1].isEmpty()) {
    chosen = 1;
    negative = false;  // the negative section writes its own sign
  }
  Section section = ParseSection(sections[chosen]);
  Rounded rounded = RoundForSection(Value, section);
  if (rounded.value.Digits.empty()) {
    negative = false;  // nothing is left to be negative
    if (sections.size() >= 3 && !sections[2].isEmpty()) {
      section = ParseSection(sections[2]);
      rounded = RoundForSection(0.0, section);
    }
  }
  return RenderSection(section, rounded, negative, Settings);
}

}  // namespace

QString FormatFloat(const QString& Format, double Value, const FormatSettings& Settings) {
  TFormatFloatMemo& Memo = TFormatFloatMemo::Instance();
  if (const QString* Known = Memo.Find(Format, Value, Settings)) return *Known;
  QString Text = FormatFloatAfresh(Format, Value, Settings);
  Memo.Remember(Format, Value, Settings, Text);
  return Text;
}

QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, CurrentFormatSettings());
}

QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                    const FormatSettings& Settings) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  switch (Format) {
    case TFloatFormat::ffGeneral: return GeneralText(Value, Precision, Digits, Settings);
    case TFloatFormat::ffExponent: return ExponentFormText(Value, Precision, Digits, Settings);
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency: {
      Precision = std::clamp(Precision, 1, 18);
      Digits = std::clamp(Digits, 0, 18);
      Decimal d = ToDecimal(Value, 15);
      if (d.Exponent > Precision && Format == TFloatFormat::ffFixed)
        return ExponentFormText(Value, Precision, 3, Settings);
      RoundDigits(d, d.Exponent + Digits);
      const QString sign = Value < 0 && !d.Digits.empty() ? QStringLiteral("-") : QString();
      const QString number = FixedText(d, Digits, Format != TFloatFormat::ffFixed, Settings);
      if (Format == TFloatFormat::ffCurrency) return sign + Settings.CurrencyString + number;
      return sign + number;
    }
  }
  return QString();
}

QString FloatToStr(double Value) {
  return FloatToStrF(Value, TFloatFormat::ffGeneral, 15, 0, CurrentFormatSettings());
}

QString IntToStr(long long Value) {
  return QString::number(Value);
}

QString Format(const QString& Fmt, std::initializer_list<FormatArg> Args) {
  const FormatSettings& fs = CurrentFormatSettings();
  const std::vector<FormatArg> args(Args);
  size_t next = 0;
  auto take = [&](size_t index) -> const FormatArg& {
    if (index >= args.size()) BadFormat(Fmt);
    return args[index];
  };
  auto takeInt = [&]() {
    const auto* value = std::get_if<long long>(&take(next++).Value());
    if (value == nullptr) BadFormat(Fmt);
    return static_cast<int>(std::clamp<long long>(*value, -1000000, 1000000));
  };
  QString out;
  for (int i = 0; i < Fmt.size(); ++i) {
    if (Fmt[i] != u'%') {
      out += Fmt[i];
      continue;
    }
    if (++i >= Fmt.size()) BadFormat(Fmt);
    if (Fmt[i] == u'%') {
      out += u'%';
      continue;
    }
    // [index:]
    int number = 0;
    const int save = i;
    if (ReadNumber(Fmt, i, number) && i < Fmt.size() && Fmt[i] == u':') {
      next = static_cast<size_t>(number);
      ++i;
    } else {
      i = save;
    }
    bool leftAlign = false;
    if (i < Fmt.size() && Fmt[i] == u'-') {
      leftAlign = true;
      ++i;
    }
    int width = -1;
    if (i < Fmt.size() && Fmt[i] == u'*') {
      width = takeInt();
      ++i;
    } else if (!ReadNumber(Fmt, i, width)) {
      width = -1;
    }
    int precision = -1;
    if (i < Fmt.size() && Fmt[i] == u'.') {
      ++i;
      if (i < Fmt.size() && Fmt[i] == u'*') {
        precision = takeInt();
        ++i;
      } else if (!ReadNumber(Fmt, i, precision)) {
        precision = 0;
      }
    }
    if (i >= Fmt.size()) BadFormat(Fmt);
    const QChar type = Fmt[i].toLower();
    const auto& value = take(next++).Value();
    QString text;
    if (type == u'd' || type == u'u' || type == u'x') {
      const auto* integer = std::get_if<long long>(&value);
      if (integer == nullptr || (type == u'u' && *integer < 0)) BadFormat(Fmt);
      const bool negative = *integer < 0 && type == u'd';
      const unsigned long long magnitude = negative
                                               ? 0ull - static_cast<unsigned long long>(*integer)
                                               : static_cast<unsigned long long>(*integer);
      text = QString::number(magnitude, type == u'x' ? 16 : 10).toUpper();
      if (precision > text.size()) text = QString(precision - text.size(), u'0') + text;
      if (negative) text.prepend(u'-');
    } else if (type == u'e' || type == u'f' || type == u'g' || type == u'n' || type == u'm') {
      double number = 0;
      if (const auto* real = std::get_if<double>(&value)) {
        number = *real;
      } else if (const auto* integer = std::get_if<long long>(&value)) {
        number = static_cast<double>(*integer);
      } else {
        BadFormat(Fmt);
      }
      if (type == u'e')
        text = FloatToStrF(number, TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3, fs);
      if (type == u'f')
        text = FloatToStrF(number, TFloatFormat::ffFixed, 18, precision < 0 ? 2 : precision, fs);
      if (type == u'g')
        text = FloatToStrF(number, TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 0, fs);
      if (type == u'n')
        text = FloatToStrF(number, TFloatFormat::ffNumber, 18, precision < 0 ? 2 : precision, fs);
      if (type == u'm')
        text = FloatToStrF(number, TFloatFormat::ffCurrency, 18,
                           precision < 0 ? fs.CurrencyDecimals : precision, fs);
    } else if (type == u's') {
      const auto* string = std::get_if<QString>(&value);
      if (string == nullptr) BadFormat(Fmt);
      text = precision >= 0 ? string->left(precision) : *string;
    } else {
      BadFormat(Fmt);
    }
    if (width > text.size()) {
      const QString pad(width - text.size(), u' ');
      text = leftAlign ? text + pad : pad + text;
    }
    out += text;
  }
  return out;
}

int StrToInt(const QString& Text) {
  int value = 0;
  if (!TryStrToInt(Text, value))
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Text));
  return value;
}

bool TryStrToInt(const QString& Text, int& Value) {
  QString text = Text.trimmed();
  bool negative = false;
  if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove(0, 1);
  }
  int base = 10;
  if (text.startsWith(u'$')) {
    base = 16;
    text.remove(0, 1);
  } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    text.remove(0, 2);
  }
  if (text.isEmpty()) return false;
  long long magnitude = 0;
  for (QChar c : text) {
    const int digit = c.isDigit() ? c.digitValue()
                      : (base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
                          ? c.toLower().unicode() - 'a' + 10
                          : -1;
    if (digit < 0 || c.unicode() > 127) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > 2147483648LL) return false;
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value > 2147483647LL) return false;
  Value = static_cast<int>(value);
  return true;
}

double StrToFloat(const QString& Text) {
  double value = 0;
  if (!TryStrToFloat(Text, value))
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(Text));
  return value;
}

bool TryStrToFloat(const QString& Text, double& Value) {
  return TryStrToFloat(Text, Value, CurrentFormatSettings());
}

bool TryStrToFloat(const QString& Text, double& Value, const FormatSettings& Settings) {
  return ParseDecimalText(Text, Settings.DecimalSeparator, Value);
}
