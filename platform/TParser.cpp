#include "platform/TParser.h"

#include "platform/Exception.h"
#include "platform/TStream.h"

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}
bool IsIdentStart(char C) {
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
}
bool IsIdentChar(char C) {
  return IsIdentStart(C) || IsDigit(C) || C == '.';
}
bool IsHexDigit(char C) {
  return IsDigit(C) || (C >= 'A' && C <= 'F') || (C >= 'a' && C <= 'f');
}
int HexValue(char C) {
  if (IsDigit(C)) return C - '0';
  return (C | 0x20) - 'a' + 10;
}

// Float text is read with the C locale whatever the process locale is, so
// a decimal comma set by the user never changes what a file means.
double ParseDouble(const QByteArray& Text) {
  static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(Text.constData(), nullptr, CLocale);
}

// Characters typed into quotes: UTF-8, or, when the bytes are not valid
// UTF-8, one character per byte (Latin-1), so that nothing is lost.
QString QuotedText(const QByteArray& Bytes) {
  const QString Text = QString::fromUtf8(Bytes);
  const bool Replaced =
      Text.contains(QChar::ReplacementCharacter) && !Bytes.contains(QByteArray("\xEF\xBF\xBD"));
  return Replaced ? QString::fromLatin1(Bytes) : Text;
}

constexpr int MaxExponent = 100000;  // far beyond any representable value

}  // namespace

TParser::TParser(TStream& Stream) {
  FText.resize(Stream.Remaining());
  Stream.ReadBuffer(FText.data(), FText.size());
  NextToken();
}

char TParser::Peek(qsizetype Offset) const {
  const qsizetype At = FPos + Offset;
  return At < FText.size() ? FText[At] : '\0';
}

void TParser::SkipBlanks() {
  while (FPos < FText.size()) {
    const char C = FText[FPos];
    if (C == '\n') {
      ++FLine;
    } else if (C != ' ' && C != '\t' && C != '\r') {
      return;
    }
    ++FPos;
  }
}

TParser::TToken TParser::NextToken() {
  SkipBlanks();
  FTokenLine = FLine;
  FString.clear();
  FFloatType = '\0';
  if (FPos >= FText.size()) return FToken = TToken::EndOfText;
  const char C = FText[FPos];
  if (IsIdentStart(C)) {
    ReadSymbol();
  } else if (C == '\'' || C == '#') {
    ReadString();
  } else if (IsDigit(C) || (C == '-' && IsDigit(Peek(1)))) {
    ReadNumber();
  } else if (C == '$') {
    ReadHexNumber();
  } else if ((C == '+' || C == '-') && ReadInfinity()) {
  } else {
    FChar = C;
    ++FPos;
    FToken = TToken::Char;
  }
  return FToken;
}

void TParser::ReadSymbol() {
  const qsizetype Start = FPos;
  while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
  FString = QString::fromLatin1(FText.constData() + Start, FPos - Start);
  FToken = TToken::Symbol;
}

void TParser::ReadString() {
  QString Result;
  for (;;) {
    const char C = Peek();
    if (C == '\'') {
      QByteArray Quoted;
      ++FPos;
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
          Error(QStringLiteral("Unterminated string"));
        if (FText[FPos] == '\'') {
          if (Peek(1) != '\'') break;
          ++FPos;  // a doubled quote stands for one
        }
        Quoted.append(FText[FPos++]);
      }
      ++FPos;
      Result += QuotedText(Quoted);
    } else if (C == '#') {
      ++FPos;
      if (!IsDigit(Peek())) Error(QStringLiteral("Character code expected after #"));
      int Code = 0;
      while (IsDigit(Peek())) {
        Code = Code * 10 + (FText[FPos++] - '0');
        if (Code > 0xFFFF) Error(QStringLiteral("Character code beyond 65535"));
      }
      Result += QChar(static_cast<char16_t>(Code));
    } else {
      break;
    }
  }
  FString = Result;
  FToken = TToken::String;
}

void TParser::ReadNumber() {
  const qsizetype Start = FPos;
  if (Peek() == '-') ++FPos;
  while (IsDigit(Peek())) ++FPos;
  bool IsFloat = false;
  if (Peek() == '.' && IsDigit(Peek(1))) {
    IsFloat = true;
    ++FPos;
    while (IsDigit(Peek())) ++FPos;
  }
  if ((Peek() == 'E' || Peek() == 'e') &&
      (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
    IsFloat = true;
    FPos += 2;
    while (IsDigit(Peek())) ++FPos;
  }
  FNumberText = FText.mid(Start, FPos - Start);
  const char Suffix = static_cast<char>(Peek() | 0x20);
  if ((Suffix == 's' || Suffix == 'c' || Suffix == 'd') && !IsIdentChar(Peek(1))) {
    IsFloat = true;
    FFloatType = Suffix;
    ++FPos;
  }
  if (IsIdentChar(Peek())) Error(QStringLiteral("Invalid number"));
  if (IsFloat) {
    FFloat = ParseDouble(FNumberText);
    FToken = TToken::Float;
    return;
  }
  const bool Negative = FNumberText.startsWith('-');
  // Accumulated as a negative number so that the most negative value fits.
  std::int64_t Value = 0;
  constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();
  for (qsizetype I = Negative ? 1 : 0; I < FNumberText.size(); ++I) {
    const int Digit = FNumberText[I] - '0';
    if (Value < (Min + Digit) / 10) Error(QStringLiteral("Integer out of range"));
    Value = Value * 10 - Digit;
  }
  if (!Negative) {
    if (Value == Min) Error(QStringLiteral("Integer out of range"));
    Value = -Value;
  }
  FInteger = Value;
  FToken = TToken::Integer;
}

void TParser::ReadHexNumber() {
  ++FPos;
  if (!IsHexDigit(Peek())) Error(QStringLiteral("Hexadecimal digits expected after $"));
  std::uint64_t Value = 0;
  int Digits = 0;
  while (IsHexDigit(Peek())) {
    if (++Digits > 16) Error(QStringLiteral("Integer out of range"));
    Value = Value << 4 | static_cast<std::uint64_t>(HexValue(FText[FPos++]));
  }
  if (IsIdentChar(Peek())) Error(QStringLiteral("Invalid number"));
  FInteger = static_cast<std::int64_t>(Value);  // 64-bit two's complement, as written
  FToken = TToken::Integer;
}

bool TParser::ReadInfinity() {
  if (Peek(1) != 'I' || Peek(2) != 'n' || Peek(3) != 'f') return false;
  qsizetype Length = 4;
  const char Suffix = static_cast<char>(Peek(4) | 0x20);
  const bool Typed = Suffix == 's' || Suffix == 'c' || Suffix == 'd';
  if (Typed) ++Length;
  if (IsIdentChar(Peek(Length))) return false;
  FFloat = Peek() == '-' ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
  FFloatType = Typed ? Suffix : '\0';
  FNumberText.clear();
  FPos += Length;
  FToken = TToken::Float;
  return true;
}

std::int64_t TParser::TokenCurrency() const {
  if (FNumberText.isEmpty()) Error(QStringLiteral("Currency value out of range"));
  // The decimal digits and a power of ten, so that amounts beyond 2^53
  // units keep every digit.
  const bool Negative = FNumberText.startsWith('-');
  QByteArray Digits;
  int Exponent = 0;
  bool AfterPoint = false;
  qsizetype I = Negative ? 1 : 0;
  for (; I < FNumberText.size() && (FNumberText[I] | 0x20) != 'e'; ++I) {
    if (FNumberText[I] == '.') {
      AfterPoint = true;
      continue;
    }
    Digits.append(FNumberText[I]);
    if (AfterPoint) --Exponent;
  }
  if (I < FNumberText.size()) {
    const int Sign = FNumberText[I + 1] == '-' ? -1 : 1;
    int Written = 0;
    for (qsizetype J = I + 1; J < FNumberText.size(); ++J)
      if (IsDigit(FNumberText[J]))
        Written = std::min(MaxExponent, Written * 10 + (FNumberText[J] - '0'));
    Exponent += Sign * Written;
  }
  while (Digits.size() > 1 && Digits[0] == '0') Digits.remove(0, 1);
  const int Shift = Exponent + 4;  // to units of 1/10000
  if (Digits == "0") return 0;
  if (Shift > 19) Error(QStringLiteral("Currency value out of range"));
  qsizetype Kept = Digits.size() + Shift;
  bool RoundUp = false;
  if (Shift < 0) {
    if (Kept < 0) return 0;
    RoundUp = Kept < Digits.size() && Digits[Kept] >= '5';
    Digits.truncate(Kept);
  } else {
    Digits.append(QByteArray(Shift, '0'));
  }
  unsigned __int128 Units = 0;
  const unsigned __int128 Limit = static_cast<unsigned __int128>(1) << 63;
  for (const char D : Digits) {
    Units = Units * 10 + static_cast<unsigned>(D - '0');
    if (Units > Limit) Error(QStringLiteral("Currency value out of range"));
  }
  if (RoundUp) ++Units;
  if (Units > Limit || (Units == Limit && !Negative))
    Error(QStringLiteral("Currency value out of range"));
  return Negative ? static_cast<std::int64_t>(-static_cast<__int128>(Units))
                  : static_cast<std::int64_t>(Units);
}

bool TParser::TokenSymbolIs(const char* Symbol) const {
  return FToken == TToken::Symbol &&
         FString.compare(QLatin1String(Symbol), Qt::CaseInsensitive) == 0;
}

QString TParser::Describe() const {
  switch (FToken) {
    case TToken::EndOfText: return QStringLiteral("the end of the text");
    case TToken::Symbol: return QStringLiteral("'%1'").arg(FString);
    case TToken::String: return QStringLiteral("a string");
    case TToken::Integer: return QStringLiteral("an integer");
    case TToken::Float: return QStringLiteral("a float");
    case TToken::Char:
      if (FChar > ' ' && FChar < 127) return QStringLiteral("'%1'").arg(QLatin1Char(FChar));
      return QStringLiteral("character #%1").arg(static_cast<unsigned char>(FChar));
  }
  return QString();
}

void TParser::CheckToken(TToken Expected) const {
  if (FToken == Expected) return;
  static const char* const Names[] = {"the end of the text", "an identifier", "a string",
                                      "an integer",          "a float",       "a character"};
  Error(QStringLiteral("%1 expected but %2 found")
            .arg(QLatin1String(Names[static_cast<int>(Expected)]), Describe()));
}

void TParser::CheckTokenChar(char Expected) const {
  if (!TokenCharIs(Expected))
    Error(QStringLiteral("'%1' expected but %2 found")
              .arg(QString(QLatin1Char(Expected)), Describe()));
}

void TParser::CheckTokenSymbol(const char* Symbol) const {
  if (!TokenSymbolIs(Symbol))
    Error(QStringLiteral("'%1' expected but %2 found").arg(QLatin1String(Symbol), Describe()));
}

QByteArray TParser::HexToBinary() {
  CheckTokenChar('{');
  QByteArray Bytes;
  for (;;) {
    SkipBlanks();
    FTokenLine = FLine;
    if (Peek() == '}') break;
    if (!IsHexDigit(Peek()) || !IsHexDigit(Peek(1)))
      Error(QStringLiteral("Pairs of hexadecimal digits expected in binary data"));
    Bytes.append(static_cast<char>(HexValue(Peek()) << 4 | HexValue(Peek(1))));
    FPos += 2;
  }
  ++FPos;
  NextToken();
  return Bytes;
}

void TParser::Error(const QString& Message, int Line) const {
  throw EParserError(
      QStringLiteral("%1 on line %2").arg(Message).arg(Line > 0 ? Line : FTokenLine));
}
