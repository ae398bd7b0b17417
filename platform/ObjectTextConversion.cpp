#include "platform/ObjectTextConversion.h"

#include "platform/Exception.h"
#include "platform/Extended80.h"
#include "platform/TFiler.h"
#include "platform/TParser.h"
#include "platform/TStream.h"

#include <QtEndian>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

// Hostile input must not exhaust the stack: objects, lists and collections
// together nest no deeper than this (real charts need a handful).
constexpr int MaxDepth = 64;
constexpr int IndentStep = 2;
constexpr int BinaryBytesPerLine = 32;
constexpr int FloatWidth = 29;  // sign, 21 digits with the point, "E", sign, 4 digits

bool IsIdentifier(const QByteArray& Name) {
  if (Name.isEmpty()) return false;
  const auto Start = [](char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
  };
  if (!Start(Name[0])) return false;
  for (const char C : Name)
    if (!Start(C) && !(C >= '0' && C <= '9') && C != '.') return false;
  return true;
}

bool IsOneOf(const QByteArray& Name, std::initializer_list<const char*> Words) {
  for (const char* Word : Words)
    if (qstricmp(Name.constData(), Word) == 0) return true;
  return false;
}

// Words that would read back as something else in the text form.
bool IsObjectKeyword(const QByteArray& Name) {
  return IsOneOf(Name, {"object", "inherited", "inline", "end"});
}
bool IsValueKeyword(const QByteArray& Name) {
  return IsOneOf(Name, {"true", "false", "nil"}) || Name == "Nan";
}

QByteArray Indentation(int Indent) {
  return QByteArray(Indent, ' ');
}

QByteArray RightAligned(const QByteArray& Text) {
  return QByteArray(std::max<qsizetype>(0, FloatWidth - Text.size()), ' ') + Text;
}

// The float layout of the text form: a sign position, 21 significant
// digits, a signed four-digit exponent. to_chars is independent of the
// process locale, so a decimal comma never gets in.
QByteArray FloatText(double Value) {
  if (std::isnan(Value)) return RightAligned("Nan");
  if (std::isinf(Value)) return RightAligned(Value > 0 ? "+Inf" : "-Inf");
  char Buffer[64];
  const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, std::fabs(Value),
                                    std::chars_format::scientific, 20);
  const std::string Digits(Buffer, Result.ptr);
  const std::size_t E = Digits.find('e');
  std::string Exponent = Digits.substr(E + 2);
  Exponent.insert(0, 4 - std::min<std::size_t>(4, Exponent.size()), '0');
  QByteArray Text(std::signbit(Value) ? "-" : " ");
  Text += QByteArray::fromStdString(Digits.substr(0, E));
  Text += 'E';
  Text += Digits[E + 1];
  Text += QByteArray::fromStdString(Exponent);
  return Text;
}

// Printable ASCII in quotes (a quote doubled), every other UTF-16 unit as
// #code, so the text stays 7-bit and loses nothing.
QByteArray StringText(const QString& Value) {
  if (Value.isEmpty()) return "''";
  QByteArray Text;
  bool Quoted = false;
  for (const QChar Unit : Value) {
    const char16_t Code = Unit.unicode();
    if (Code >= 32 && Code < 127) {
      if (!Quoted) Text += '\'';
      Quoted = true;
      Text += static_cast<char>(Code);
      if (Code == '\'') Text += '\'';
    } else {
      if (Quoted) Text += '\'';
      Quoted = false;
      Text += '#' + QByteArray::number(Code);
    }
  }
  if (Quoted) Text += '\'';
  return Text;
}

// Counts one level of nesting for as long as it lives.
class TDepthGuard {
 public:
  template <typename TFail>
  TDepthGuard(int& Depth, TFail Fail) : FDepth(Depth) {
    if (++FDepth > MaxDepth) {
      --FDepth;
      Fail();
    }
  }
  ~TDepthGuard() { --FDepth; }
  TDepthGuard(const TDepthGuard&) = delete;
  TDepthGuard& operator=(const TDepthGuard&) = delete;

 private:
  int& FDepth;
};

// -- binary to text

class TBinaryToText {
 public:
  explicit TBinaryToText(TStream& Input) : FInput(Input), FStart(Input.Position()) {}

  QByteArray Convert() {
    if (ReadBytes(4) != FilerSignature()) Fail(QStringLiteral("no component stream signature"));
    ConvertObject(0);
    return FText;
  }

 private:
  [[noreturn]] void Fail(const QString& Why) const {
    throw EReadError(QStringLiteral("Invalid component stream: %1 (at byte %2)")
                         .arg(Why)
                         .arg(FInput.Position() - FStart));
  }

  void Need(qint64 Count) const {
    if (FInput.Remaining() < Count) Fail(QStringLiteral("the stream ends early"));
  }

  std::uint8_t ReadByte() {
    Need(1);
    return FInput.ReadUInt8();
  }

  std::uint8_t PeekByte() {
    const std::uint8_t Byte = ReadByte();
    FInput.Seek(FInput.Position() - 1);
    return Byte;
  }

  QByteArray ReadBytes(qint64 Count) {
    Need(Count);
    QByteArray Bytes(Count, Qt::Uninitialized);
    FInput.ReadBuffer(Bytes.data(), Count);
    return Bytes;
  }

  template <typename T>
  T ReadLittle() {
    const QByteArray Bytes = ReadBytes(sizeof(T));
    return qFromLittleEndian<T>(Bytes.constData());
  }

  // A 32-bit count of units of UnitSize bytes, checked against what is left
  // before anything is allocated for it.
  qint64 ReadCount(int UnitSize) {
    const std::int32_t Count = ReadLittle<std::int32_t>();
    if (Count < 0 || static_cast<qint64>(Count) * UnitSize > FInput.Remaining())
      Fail(QStringLiteral("a length of %1 beyond the end of the stream").arg(Count));
    return Count;
  }

  QByteArray ReadShortString() { return ReadBytes(ReadByte()); }

  QByteArray ReadName(const QString& What, bool MayBeEmpty) {
    const QByteArray Name = ReadShortString();
    if ((Name.isEmpty() && MayBeEmpty) || IsIdentifier(Name)) return Name;
    Fail(QStringLiteral("%1 \"%2\" is not an identifier").arg(What, QString::fromLatin1(Name)));
  }

  TValueType ReadValueType() {
    const std::uint8_t Tag = ReadByte();
    if (Tag > static_cast<std::uint8_t>(TValueType::vaDouble))
      Fail(QStringLiteral("unknown value type %1").arg(Tag));
    return static_cast<TValueType>(Tag);
  }

  static bool IsInteger(TValueType Type) {
    return Type == TValueType::vaInt8 || Type == TValueType::vaInt16 ||
           Type == TValueType::vaInt32 || Type == TValueType::vaInt64;
  }

  std::int64_t ReadIntegerOf(TValueType Type) {
    switch (Type) {
      case TValueType::vaInt8: return static_cast<std::int8_t>(ReadByte());
      case TValueType::vaInt16: return ReadLittle<std::int16_t>();
      case TValueType::vaInt32: return ReadLittle<std::int32_t>();
      case TValueType::vaInt64: return ReadLittle<std::int64_t>();
      default: Fail(QStringLiteral("an integer expected"));
    }
  }

  std::int64_t ReadInteger() { return ReadIntegerOf(ReadValueType()); }

  bool AtEndMarker() { return PeekByte() == 0; }
  void SkipEndMarker() { ReadByte(); }

  void Line(int Indent, const QByteArray& Text) { FText += Indentation(Indent) + Text + '\n'; }

  void ConvertObject(int Indent) {
    TDepthGuard Guard(FDepth, [this] { Fail(QStringLiteral("nesting too deep")); });
    std::uint8_t Flags = 0;
    std::int64_t ChildPos = 0;
    if ((PeekByte() & 0xF0) == 0xF0) {
      Flags = ReadByte() & 0x0F;
      if (Flags & ffChildPos) ChildPos = ReadInteger();
    }
    const QByteArray ClassName = ReadName(QStringLiteral("class name"), false);
    const QByteArray Name = ReadName(QStringLiteral("component name"), true);
    QByteArray Header = (Flags & ffInherited) ? "inherited "
                        : (Flags & ffInline)  ? "inline "
                                              : "object ";
    Header += Name.isEmpty() ? ClassName : Name + ": " + ClassName;
    if (Flags & ffChildPos) Header += '[' + QByteArray::number(ChildPos) + ']';
    Line(Indent, Header);
    while (!AtEndMarker()) ConvertProperty(Indent + IndentStep);
    SkipEndMarker();
    while (!AtEndMarker()) ConvertObject(Indent + IndentStep);
    SkipEndMarker();
    Line(Indent, "end");
  }

  void ConvertProperty(int Indent) {
    const QByteArray Name = ReadName(QStringLiteral("property name"), false);
    if (IsObjectKeyword(Name))
      Fail(QStringLiteral("property name \"%1\"").arg(QLatin1String(Name)));
    FText += Indentation(Indent) + Name + " = ";
    ConvertValue(Indent);
    FText += '\n';
  }

  // Indent is that of the line the value starts on.
  void ConvertValue(int Indent) {
    const TValueType Type = ReadValueType();
    switch (Type) {
      case TValueType::vaNull: Fail(QStringLiteral("a value expected"));
      case TValueType::vaList: ConvertList(Indent); break;
      case TValueType::vaInt8:
      case TValueType::vaInt16:
      case TValueType::vaInt32:
      case TValueType::vaInt64: FText += QByteArray::number(ReadIntegerOf(Type)); break;
      case TValueType::vaExtended: ConvertExtended(); break;
      case TValueType::vaSingle: ConvertTyped(ReadLittle<float>(), 's'); break;
      case TValueType::vaCurrency: ConvertCurrency(); break;
      case TValueType::vaDate: ConvertTyped(ReadLittle<double>(), 'd'); break;
      // Plain doubles have no letter of their own; they come back as
      // extended numbers of the same value.
      case TValueType::vaDouble: FText += FloatText(ReadLittle<double>()); break;
      case TValueType::vaString: FText += StringText(QString::fromLatin1(ReadShortString())); break;
      case TValueType::vaLString:
        FText += StringText(QString::fromLatin1(ReadBytes(ReadCount(1))));
        break;
      case TValueType::vaWString: ConvertWideString(); break;
      case TValueType::vaUTF8String:
        FText += StringText(QString::fromUtf8(ReadBytes(ReadCount(1))));
        break;
      case TValueType::vaIdent: ConvertIdent(); break;
      case TValueType::vaFalse: FText += "False"; break;
      case TValueType::vaTrue: FText += "True"; break;
      case TValueType::vaNil: FText += "nil"; break;
      case TValueType::vaBinary: ConvertBinary(Indent); break;
      case TValueType::vaSet: ConvertSet(); break;
      case TValueType::vaCollection: ConvertCollection(Indent); break;
    }
  }

  void ConvertList(int Indent) {
    TDepthGuard Guard(FDepth, [this] { Fail(QStringLiteral("nesting too deep")); });
    FText += '(';
    bool Empty = true;
    while (!AtEndMarker()) {
      FText += '\n' + Indentation(Indent + IndentStep);
      ConvertValue(Indent + IndentStep);
      Empty = false;
    }
    SkipEndMarker();
    if (!Empty) FText += '\n';
    FText += Indentation(Indent) + ')';
  }

  void ConvertExtended() {
    TExtended80 Bytes;
    const QByteArray Raw = ReadBytes(Bytes.size());
    std::memcpy(Bytes.data(), Raw.constData(), Bytes.size());
    FText += FloatText(ExtendedToDouble(Bytes));
  }

  // A NaN has no type letter: it reads back as an extended NaN.
  void ConvertTyped(double Value, char Letter) {
    FText += FloatText(Value);
    if (!std::isnan(Value)) FText += Letter;
  }

  // Currency is a count of 1/10000 units; its digits are written exactly
  // (21 significant digits hold every 64-bit count).
  void ConvertCurrency() {
    const std::int64_t Units = ReadLittle<std::int64_t>();
    if (Units == 0) {
      FText += FloatText(0.0) + 'c';
      return;
    }
    // The magnitude in unsigned arithmetic, where the most negative count has one.
    const quint64 Magnitude =
        Units < 0 ? 0 - static_cast<quint64>(Units) : static_cast<quint64>(Units);
    QByteArray Digits = QByteArray::number(Magnitude);
    const int Exponent = static_cast<int>(Digits.size()) - 1 - 4;
    Digits += QByteArray(21 - Digits.size(), '0');
    QByteArray Text(Units < 0 ? "-" : " ");
    Text += Digits.left(1) + '.' + Digits.mid(1) + 'E' + (Exponent < 0 ? '-' : '+');
    Text += QByteArray::number(std::abs(Exponent)).rightJustified(4, '0');
    FText += Text + 'c';
  }

  void ConvertWideString() {
    const qint64 Count = ReadCount(2);
    const QByteArray Raw = ReadBytes(Count * 2);
    QString Value(Count, Qt::Uninitialized);
    for (qint64 I = 0; I < Count; ++I)
      Value[I] = QChar(qFromLittleEndian<quint16>(Raw.constData() + 2 * I));
    FText += StringText(Value);
  }

  void ConvertIdent() {
    const QByteArray Ident = ReadName(QStringLiteral("identifier"), false);
    if (IsValueKeyword(Ident)) Fail(QStringLiteral("identifier \"%1\"").arg(QLatin1String(Ident)));
    FText += Ident;
  }

  void ConvertBinary(int Indent) {
    const QByteArray Bytes = ReadBytes(ReadCount(1));
    FText += "{\n";
    for (qsizetype At = 0; At < Bytes.size(); At += BinaryBytesPerLine)
      Line(Indent + IndentStep, Bytes.mid(At, BinaryBytesPerLine).toHex().toUpper());
    FText += Indentation(Indent) + '}';
  }

  void ConvertSet() {
    FText += '[';
    bool First = true;
    for (;;) {
      const QByteArray Element = ReadShortString();
      if (Element.isEmpty()) break;
      if (!IsIdentifier(Element)) Fail(QStringLiteral("a set element is not an identifier"));
      if (!First) FText += ", ";
      FText += Element;
      First = false;
    }
    FText += ']';
  }

  // Each item: an optional order value or else the list marker, the item's
  // properties, the end marker.
  void ConvertCollection(int Indent) {
    TDepthGuard Guard(FDepth, [this] { Fail(QStringLiteral("nesting too deep")); });
    FText += '<';
    while (!AtEndMarker()) {
      FText += '\n' + Indentation(Indent + IndentStep) + "item";
      const TValueType Type = ReadValueType();
      if (IsInteger(Type)) {
        FText += '[' + QByteArray::number(ReadIntegerOf(Type)) + ']';
      } else if (Type != TValueType::vaList) {
        Fail(QStringLiteral("a collection item expected"));
      }
      FText += '\n';
      while (!AtEndMarker()) ConvertProperty(Indent + 2 * IndentStep);
      SkipEndMarker();
      FText += Indentation(Indent + IndentStep) + "end";
    }
    SkipEndMarker();
    FText += '>';
  }

  TStream& FInput;
  const qint64 FStart;
  QByteArray FText;
  int FDepth = 0;
};

// -- text to binary

class TTextToBinary {
 public:
  explicit TTextToBinary(TStream& Input) : FParser(Input) {}

  // Text after the root's "end" is not looked at, as the binary form ends
  // with the root's last end marker.
  QByteArray Convert() {
    FBinary = FilerSignature();
    ParseObject(true);
    return FBinary;
  }

 private:
  using TToken = TParser::TToken;

  void WriteByte(std::uint8_t Byte) { FBinary += static_cast<char>(Byte); }
  void WriteType(TValueType Type) { WriteByte(static_cast<std::uint8_t>(Type)); }

  template <typename T>
  void WriteLittle(T Value) {
    char Bytes[sizeof(T)];
    qToLittleEndian(Value, Bytes);
    FBinary.append(Bytes, sizeof(T));
  }

  void WriteShortString(const QString& Text) {
    if (Text.size() > 255) FParser.Error(QStringLiteral("Name longer than 255 characters"));
    WriteByte(static_cast<std::uint8_t>(Text.size()));
    FBinary += Text.toLatin1();
  }

  // The smallest tag that holds the value.
  void WriteInteger(std::int64_t Value) {
    if (Value >= std::numeric_limits<std::int8_t>::min() &&
        Value <= std::numeric_limits<std::int8_t>::max()) {
      WriteType(TValueType::vaInt8);
      WriteByte(static_cast<std::uint8_t>(Value));
    } else if (Value >= std::numeric_limits<std::int16_t>::min() &&
               Value <= std::numeric_limits<std::int16_t>::max()) {
      WriteType(TValueType::vaInt16);
      WriteLittle(static_cast<std::int16_t>(Value));
    } else if (Value >= std::numeric_limits<std::int32_t>::min() &&
               Value <= std::numeric_limits<std::int32_t>::max()) {
      WriteType(TValueType::vaInt32);
      WriteLittle(static_cast<std::int32_t>(Value));
    } else {
      WriteType(TValueType::vaInt64);
      WriteLittle(Value);
    }
  }

  // 8-bit text while every character is ASCII (short form up to 255),
  // UTF-16 otherwise.
  void WriteString(const QString& Value) {
    bool Ascii = true;
    for (const QChar Unit : Value) Ascii = Ascii && Unit.unicode() < 128;
    if (Ascii && Value.size() <= 255) {
      WriteType(TValueType::vaString);
      WriteByte(static_cast<std::uint8_t>(Value.size()));
      FBinary += Value.toLatin1();
    } else if (Ascii) {
      WriteType(TValueType::vaLString);
      WriteLittle(static_cast<std::int32_t>(Value.size()));
      FBinary += Value.toLatin1();
    } else {
      WriteType(TValueType::vaWString);
      WriteLittle(static_cast<std::int32_t>(Value.size()));
      for (const QChar Unit : Value) WriteLittle(static_cast<quint16>(Unit.unicode()));
    }
  }

  void WriteExtended(double Value) {
    WriteType(TValueType::vaExtended);
    const TExtended80 Bytes = DoubleToExtended(Value);
    FBinary.append(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
  }

  bool AtObject() const {
    return FParser.TokenSymbolIs("object") || FParser.TokenSymbolIs("inherited") ||
           FParser.TokenSymbolIs("inline");
  }

  void ParseObject(bool Root) {
    TDepthGuard Guard(FDepth, [this] { FParser.Error(QStringLiteral("Nesting too deep")); });
    if (!AtObject()) FParser.CheckTokenSymbol("object");
    std::uint8_t Flags = FParser.TokenSymbolIs("inherited") ? ffInherited
                         : FParser.TokenSymbolIs("inline")  ? ffInline
                                                            : 0;
    FParser.NextToken();
    FParser.CheckToken(TToken::Symbol);
    QString Name = FParser.TokenString();
    QString ClassName = Name;
    int ClassLine = FParser.SourceLine();
    FParser.NextToken();
    if (FParser.TokenCharIs(':')) {
      FParser.NextToken();
      FParser.CheckToken(TToken::Symbol);
      ClassName = FParser.TokenString();
      ClassLine = FParser.SourceLine();
      FParser.NextToken();
    } else {
      Name.clear();
    }
    std::int64_t ChildPos = 0;
    if (FParser.TokenCharIs('[')) {
      FParser.NextToken();
      FParser.CheckToken(TToken::Integer);
      ChildPos = FParser.TokenInt();
      FParser.NextToken();
      FParser.CheckTokenChar(']');
      FParser.NextToken();
      Flags |= ffChildPos;
    }
    // A longer class name would start with a length byte that reads as the
    // prefix byte.
    if (ClassName.size() >= 0xF0)
      FParser.Error(QStringLiteral("Class name longer than 239 characters"), ClassLine);
    if (Flags != 0) WriteByte(0xF0 | Flags);
    if (Flags & ffChildPos) WriteInteger(ChildPos);
    WriteShortString(ClassName);
    WriteShortString(Name);
    while (!AtObject() && !FParser.TokenSymbolIs("end")) ParseProperty();
    WriteByte(0);
    while (AtObject()) ParseObject(false);
    FParser.CheckTokenSymbol("end");
    WriteByte(0);
    if (!Root) FParser.NextToken();
  }

  void ParseProperty() {
    FParser.CheckToken(TToken::Symbol);
    if (IsObjectKeyword(FParser.TokenString().toLatin1()))
      FParser.Error(QStringLiteral("'%1' cannot name a property").arg(FParser.TokenString()));
    WriteShortString(FParser.TokenString());
    FParser.NextToken();
    FParser.CheckTokenChar('=');
    FParser.NextToken();
    ParseValue();
  }

  void ParseValue() {
    switch (FParser.Token()) {
      case TToken::Integer:
        WriteInteger(FParser.TokenInt());
        FParser.NextToken();
        return;
      case TToken::Float:
        ParseFloat();
        FParser.NextToken();
        return;
      case TToken::String: ParseString(); return;
      case TToken::Symbol:
        ParseSymbol();
        FParser.NextToken();
        return;
      case TToken::Char: break;
      case TToken::EndOfText:
        FParser.Error(QStringLiteral("A value expected at the end of the text"));
    }
    switch (FParser.TokenChar()) {
      case '[': ParseSet(); return;
      case '(': ParseList(); return;
      case '{':
        WriteType(TValueType::vaBinary);
        ParseBinary();
        return;
      case '<': ParseCollection(); return;
      default: FParser.Error(QStringLiteral("Invalid property value"));
    }
  }

  void ParseFloat() {
    const double Value = FParser.TokenFloat();
    switch (FParser.FloatType()) {
      case 's':
        if (std::isfinite(Value) && std::fabs(Value) > std::numeric_limits<float>::max())
          FParser.Error(QStringLiteral("Single value out of range"));
        WriteType(TValueType::vaSingle);
        WriteLittle(static_cast<float>(Value));
        return;
      case 'c':
        WriteType(TValueType::vaCurrency);
        WriteLittle(FParser.TokenCurrency());
        return;
      case 'd':
        WriteType(TValueType::vaDate);
        WriteLittle(Value);
        return;
      default: WriteExtended(Value);
    }
  }

  void ParseString() {
    QString Value = FParser.TokenString();
    while (FParser.NextToken() == TToken::Char && FParser.TokenChar() == '+') {
      FParser.NextToken();
      FParser.CheckToken(TToken::String);
      Value += FParser.TokenString();
    }
    WriteString(Value);
  }

  void ParseSymbol() {
    if (FParser.TokenSymbolIs("true")) {
      WriteType(TValueType::vaTrue);
    } else if (FParser.TokenSymbolIs("false")) {
      WriteType(TValueType::vaFalse);
    } else if (FParser.TokenSymbolIs("nil")) {
      WriteType(TValueType::vaNil);
    } else if (FParser.TokenString() == QLatin1String("Nan")) {
      WriteExtended(std::numeric_limits<double>::quiet_NaN());
    } else {
      WriteType(TValueType::vaIdent);
      WriteShortString(FParser.TokenString());
    }
  }

  void ParseSet() {
    WriteType(TValueType::vaSet);
    FParser.NextToken();
    if (!FParser.TokenCharIs(']')) {
      for (;;) {
        FParser.CheckToken(TToken::Symbol);
        WriteShortString(FParser.TokenString());
        FParser.NextToken();
        if (FParser.TokenCharIs(']')) break;
        FParser.CheckTokenChar(',');
        FParser.NextToken();
      }
    }
    WriteByte(0);
    FParser.NextToken();
  }

  void ParseList() {
    TDepthGuard Guard(FDepth, [this] { FParser.Error(QStringLiteral("Nesting too deep")); });
    WriteType(TValueType::vaList);
    FParser.NextToken();
    while (!FParser.TokenCharIs(')')) ParseValue();
    WriteByte(0);
    FParser.NextToken();
  }

  void ParseBinary() {
    const QByteArray Bytes = FParser.HexToBinary();
    WriteLittle(static_cast<std::int32_t>(Bytes.size()));
    FBinary += Bytes;
  }

  // An item's order value takes the place of its list marker.
  void ParseCollection() {
    TDepthGuard Guard(FDepth, [this] { FParser.Error(QStringLiteral("Nesting too deep")); });
    WriteType(TValueType::vaCollection);
    FParser.NextToken();
    while (!FParser.TokenCharIs('>')) {
      FParser.CheckTokenSymbol("item");
      FParser.NextToken();
      if (FParser.TokenCharIs('[')) {
        FParser.NextToken();
        FParser.CheckToken(TToken::Integer);
        WriteInteger(FParser.TokenInt());
        FParser.NextToken();
        FParser.CheckTokenChar(']');
        FParser.NextToken();
      } else {
        WriteType(TValueType::vaList);
      }
      while (!FParser.TokenSymbolIs("end")) ParseProperty();
      WriteByte(0);
      FParser.NextToken();
    }
    WriteByte(0);
    FParser.NextToken();
  }

  TParser FParser;
  QByteArray FBinary;
  int FDepth = 0;
};

}  // namespace

void ObjectBinaryToText(TStream& Input, TStream& Output) {
  const QByteArray Text = TBinaryToText(Input).Convert();
  Output.WriteBuffer(Text.constData(), Text.size());
}

void ObjectTextToBinary(TStream& Input, TStream& Output) {
  const QByteArray Binary = TTextToBinary(Input).Convert();
  Output.WriteBuffer(Binary.constData(), Binary.size());
}
