#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class TStream;

// Splits the text form of a component stream into tokens: symbols
// (identifiers, dotted names allowed), strings (quoted runs and #code
// characters glued together, as UTF-16), integers (decimal or $hex), floats
// (with an optional type letter) and single characters. Any text that does
// not form a token raises EParserError naming the line.
class TParser {
 public:
  enum class TToken { EndOfText, Symbol, String, Integer, Float, Char };

  // Takes the bytes from the stream's position to its end; the first token
  // is ready.
  explicit TParser(TStream& Stream);
  TParser(const TParser&) = delete;
  TParser& operator=(const TParser&) = delete;

  TToken Token() const { return FToken; }
  TToken NextToken();
  // For Char tokens: the character; 0 otherwise.
  char TokenChar() const { return FToken == TToken::Char ? FChar : '\0'; }
  bool TokenCharIs(char C) const { return FToken == TToken::Char && FChar == C; }
  // The symbol's text or the string's characters.
  const QString& TokenString() const { return FString; }
  std::int64_t TokenInt() const { return FInteger; }
  // Floats are carried at double precision.
  double TokenFloat() const { return FFloat; }
  // The type letter after a float ('s' single, 'c' currency, 'd' date), or
  // 0 for a plain float.
  char FloatType() const { return FFloatType; }
  // The float token as a currency amount in units of 1/10000, rounded half
  // away from zero and exact for every amount the type holds; raises
  // EParserError when the amount is beyond its range.
  std::int64_t TokenCurrency() const;
  // Case-insensitive comparison with a symbol token.
  bool TokenSymbolIs(const char* Symbol) const;

  void CheckToken(TToken Expected) const;
  void CheckTokenChar(char Expected) const;
  void CheckTokenSymbol(const char* Symbol) const;
  // With the '{' token current: the hexadecimal digit pairs up to the
  // closing '}' (blanks and line breaks allowed between them); the token
  // after the '}' is made current.
  QByteArray HexToBinary();

  int SourceLine() const { return FTokenLine; }
  // Raises EParserError naming the current token's line, or Line if given.
  [[noreturn]] void Error(const QString& Message, int Line = 0) const;

 private:
  char Peek(qsizetype Offset = 0) const;
  void SkipBlanks();
  void ReadSymbol();
  void ReadString();
  void ReadNumber();
  void ReadHexNumber();
  bool ReadInfinity();
  QString Describe() const;

  QByteArray FText;
  qsizetype FPos = 0;
  int FLine = 1;
  int FTokenLine = 1;
  TToken FToken = TToken::EndOfText;
  char FChar = '\0';
  QString FString;
  std::int64_t FInteger = 0;
  double FFloat = 0;
  char FFloatType = '\0';
  QByteArray FNumberText;  // the digits of a float token, for exact currency
};
