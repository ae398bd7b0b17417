#include "platform/ObjectTextConversion.h"

#include "platform/Exception.h"
#include "platform/Extended80.h"
#include "platform/TFiler.h"
#include "platform/TStream.h"
#include "tests/support/PascalStreamConverter.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <string>

namespace {

// -- small byte helpers that spell out binary component streams by hand

QByteArray Tag(TValueType Type) {
  return QByteArray(1, static_cast<char>(Type));
}
const QByteArray End(1, '\0');

template <typename T>
QByteArray Little(T Value) {
  QByteArray Bytes(sizeof(T), '\0');
  qToLittleEndian(Value, Bytes.data());
  return Bytes;
}

QByteArray Short(const QByteArray& Text) {
  return char(Text.size()) + Text;
}
QByteArray Int8(int V) {
  return Tag(TValueType::vaInt8) + char(V);
}
QByteArray Int16(int V) {
  return Tag(TValueType::vaInt16) + Little<std::int16_t>(V);
}
QByteArray Int32(std::int32_t V) {
  return Tag(TValueType::vaInt32) + Little(V);
}
QByteArray Int64(std::int64_t V) {
  return Tag(TValueType::vaInt64) + Little(V);
}
QByteArray ExtendedBytes(const TExtended80& E) {
  return Tag(TValueType::vaExtended) + QByteArray(reinterpret_cast<const char*>(E.data()), 10);
}
QByteArray Extended(double V) {
  return ExtendedBytes(DoubleToExtended(V));
}
QByteArray ExtendedParts(std::uint64_t Significand, int SignExponent) {
  return Tag(TValueType::vaExtended) + Little(Significand) + Little<std::uint16_t>(SignExponent);
}
QByteArray String(const QByteArray& V) {
  return Tag(TValueType::vaString) + Short(V);
}
QByteArray LString(const QByteArray& V) {
  return Tag(TValueType::vaLString) + Little<std::int32_t>(V.size()) + V;
}
QByteArray WString(const QString& V) {
  QByteArray Bytes = Tag(TValueType::vaWString) + Little<std::int32_t>(V.size());
  for (const QChar C : V) Bytes += Little<std::uint16_t>(C.unicode());
  return Bytes;
}
QByteArray Utf8(const QByteArray& V) {
  return Tag(TValueType::vaUTF8String) + Little<std::int32_t>(V.size()) + V;
}
QByteArray Ident(const QByteArray& V) {
  return Tag(TValueType::vaIdent) + Short(V);
}
QByteArray BinaryData(const QByteArray& V) {
  return Tag(TValueType::vaBinary) + Little<std::int32_t>(V.size()) + V;
}
QByteArray Set(std::initializer_list<const char*> Elements) {
  QByteArray Bytes = Tag(TValueType::vaSet);
  for (const char* E : Elements) Bytes += Short(E);
  return Bytes + End;
}
QByteArray List(std::initializer_list<QByteArray> Values) {
  QByteArray Bytes = Tag(TValueType::vaList);
  for (const QByteArray& V : Values) Bytes += V;
  return Bytes + End;
}
QByteArray Item(const QByteArray& Props = {}) {
  return Tag(TValueType::vaList) + Props + End;
}
QByteArray OrderedItem(const QByteArray& Order, const QByteArray& Props = {}) {
  return Order + Props + End;
}
QByteArray Collection(std::initializer_list<QByteArray> Items) {
  QByteArray Bytes = Tag(TValueType::vaCollection);
  for (const QByteArray& I : Items) Bytes += I;
  return Bytes + End;
}
QByteArray Prop(const QByteArray& Name, const QByteArray& Value) {
  return Short(Name) + Value;
}
QByteArray Component(const QByteArray& Class, const QByteArray& Name, const QByteArray& Props,
                     const QByteArray& Children = {}, const QByteArray& Prefix = {}) {
  return Prefix + Short(Class) + Short(Name) + Props + End + Children + End;
}
QByteArray Signed(const QByteArray& Root) {
  return FilerSignature() + Root;
}

// -- conversions on byte arrays

QByteArray ToText(const QByteArray& Binary) {
  TMemoryStream In(Binary), Out;
  ObjectBinaryToText(In, Out);
  return Out.Bytes();
}

QByteArray ToBinary(const QByteArray& Text) {
  TMemoryStream In(Text), Out;
  ObjectTextToBinary(In, Out);
  return Out.Bytes();
}

QByteArray Text(std::initializer_list<const char*> Lines) {
  QByteArray Result;
  for (const char* L : Lines) Result += QByteArray(L) + '\n';
  return Result;
}

// Every kind of value the Pascal library converts both ways, as it writes
// them (smallest integer tags, short strings while they fit). Without the
// long strings for the tests that damage every byte.
QByteArray CommonStream(bool LongStrings = true) {
  QByteArray Props;
  Props += Prop("I0", Int8(0)) + Prop("I127", Int8(127)) + Prop("Im128", Int8(-128));
  Props += Prop("I128", Int16(128)) + Prop("Im32768", Int16(-32768));
  Props += Prop("I32768", Int32(32768)) + Prop("Im2p31", Int32(std::numeric_limits<int>::min()));
  Props += Prop("I2p31", Int64(2147483648LL));
  Props += Prop("IMin", Int64(std::numeric_limits<std::int64_t>::min()));
  Props += Prop("IMax", Int64(std::numeric_limits<std::int64_t>::max()));
  Props += Prop("F", Extended(1.5)) + Prop("FNeg", Extended(-2.5)) + Prop("FZero", Extended(0));
  Props += Prop("FNegZero", Extended(-0.0));
  Props += Prop("FTenth", Extended(0.1)) + Prop("FBig", Extended(1e300));
  Props += Prop("FSub", Extended(std::numeric_limits<double>::denorm_min()));
  Props += Prop("FSmall", Extended(-1.234e-300)) + Prop("FInt", Extended(123456789012.0));
  Props += Prop("S", String("hello")) + Prop("SEmpty", String("")) + Prop("Q", String("it's"));
  Props += Prop("Ctl", String("a\r\nb")) + Prop("CtlOnly", String("\r\n\t"));
  Props += Prop("Edge", String(QByteArray("~ \x7f", 3) + QByteArray(1, '\0') + "''"));
  if (LongStrings)
    Props +=
        Prop("S255", String(QByteArray(255, 'y'))) + Prop("Long", LString(QByteArray(300, 'x')));
  Props += Prop("W", WString(QString::fromUtf8("caf\u00e9"))) +
           Prop("WEuro", WString(QString::fromUtf8("x\u20ac")));
  Props += Prop("WPair", WString(QString::fromUtf8("a\U0001F600\t"))) +
           Prop("WMix", WString(QString::fromUtf8("ab\u00e9 'c'")));
  Props += Prop("Id", Ident("clRed")) + Prop("Lst.Name", Ident("A.B_2"));
  Props += Prop("B", Tag(TValueType::vaTrue)) + Prop("BF", Tag(TValueType::vaFalse));
  Props += Prop("N", Tag(TValueType::vaNil));
  Props += Prop("E", Set({})) + Prop("S1", Set({"akLeft"})) + Prop("S2", Set({"akLeft", "akTop"}));
  Props += Prop("L", List({Int8(1), Int8(2), Int8(3)})) + Prop("LEmpty", List({}));
  Props += Prop("LNested", List({Int8(5), List({Int8(6)}), List({}), Collection({Item()}),
                                 String("q"), List({List({Ident("deep")})})}));
  Props += Prop("Lst.Strings", List({String("one"), String("two")}));
  QByteArray Seventy;
  for (int I = 0; I < 70; ++I) Seventy += char(I * 7);
  Props += Prop("Bin0", BinaryData({})) + Prop("Bin70", BinaryData(Seventy)) +
           Prop("Bin32", BinaryData(QByteArray(32, '\xAB')));
  Props += Prop("Coll", Collection({Item(Prop("A", Int8(1)) + Prop("T", String("t"))), Item()}));
  Props += Prop("Empty", Collection({}));
  Props +=
      Prop("CollNested", Collection({Item(Prop("L", List({Int8(1), Int8(2)})) +
                                          Prop("C", Collection({Item(Prop("X", Int8(9)))})))}));
  QByteArray Children;
  Children += Component("TLineSeries", "Series1", Prop("X", Int8(1)),
                        Component("TMarks", "Inner", Prop("Y", Int8(2))));
  Children += Component("TFoo", "", Prop("Z", Int8(3)));
  Children += Component("TFoo", "Inh", {}, {}, "\xF1");
  Children += Component("TFoo", "Inl", {}, {}, "\xF4");
  Children += Component("TFoo", "Ch", {}, {}, "\xF3" + Int8(2));
  return Signed(Component("TChart", "", Props, Children));
}

// Order values and floats that are no number: the Pascal library writes
// them but cannot read its own text of them back.
QByteArray OrderAndSpecialsStream() {
  QByteArray Props;
  Props += Prop("Coll", Collection({OrderedItem(Int8(3), Prop("A", Int8(1))), Item(),
                                    OrderedItem(Int16(-200))}));
  Props += Prop("NaN", Extended(std::numeric_limits<double>::quiet_NaN()));
  Props += Prop("Inf", Extended(std::numeric_limits<double>::infinity()));
  Props += Prop("NInf", Extended(-std::numeric_limits<double>::infinity()));
  return Signed(Component("TChart", "Chart1", Props));
}

// Extended numbers a double cannot hold: both texts must mean the same
// double.
QByteArray ExtendedOnlyStream() {
  QByteArray Props;
  Props += Prop("Tenth", ExtendedParts(0xCCCCCCCCCCCCCCCDull, 16383 - 4));
  Props += Prop("Huge", ExtendedParts(0x8000000000000000ull, 16383 + 2000));
  Props += Prop("Tiny", ExtendedParts(0x8000000000000000ull, 16383 - 2000));
  Props += Prop("NHuge", ExtendedParts(0x8000000000000000ull, 0x8000 | (16383 + 1500)));
  return Signed(Component("TChart", "", Props));
}

// Value kinds the Pascal library does not convert: ours only.
QByteArray OwnKindsStream() {
  QByteArray Props;
  Props += Prop("Sg", Tag(TValueType::vaSingle) + Little(1.25f));
  Props +=
      Prop("SgInf", Tag(TValueType::vaSingle) + Little(-std::numeric_limits<float>::infinity()));
  Props += Prop("Cu", Tag(TValueType::vaCurrency) + Little<std::int64_t>(12345678));
  Props +=
      Prop("CuMax", Tag(TValueType::vaCurrency) + Little(std::numeric_limits<std::int64_t>::max()));
  Props +=
      Prop("CuMin", Tag(TValueType::vaCurrency) + Little(std::numeric_limits<std::int64_t>::min()));
  Props += Prop("CuZero", Tag(TValueType::vaCurrency) + Little<std::int64_t>(0));
  Props += Prop("CuSmall", Tag(TValueType::vaCurrency) + Little<std::int64_t>(-7));
  Props += Prop("Dt", Tag(TValueType::vaDate) + Little(45000.5));
  return Signed(Component("TChart", "", Props));
}

class ObjectTextConversionTest : public ::testing::Test {};

TEST_F(ObjectTextConversionTest, WritesTheTextLayout) {
  const QByteArray Binary = Signed(
      Component("TChart", "",
                Prop("Left", Int8(0)) + Prop("F", Extended(1.5)) + Prop("Ctl", String("a\r\nb")) +
                    Prop("U", WString(QString::fromUtf8("caf\u00e9"))) +
                    Prop("S", Set({"akLeft", "akTop"})) + Prop("L", List({Int8(1), List({})})) +
                    Prop("Bin", BinaryData(QByteArray::fromHex("0102"))) +
                    Prop("Coll", Collection({OrderedItem(Int8(4), Prop("A", Int8(1))), Item()})) +
                    Prop("Empty", Collection({})),
                Component("TLineSeries", "Series1", Prop("X", Int8(1)), {}, "\xF3" + Int8(2))));
  EXPECT_EQ(ToText(Binary), Text({"object TChart",
                                  "  Left = 0",
                                  "  F =  1.50000000000000000000E+0000",
                                  "  Ctl = 'a'#13#10'b'",
                                  "  U = 'caf'#233",
                                  "  S = [akLeft, akTop]",
                                  "  L = (",
                                  "    1",
                                  "    (    )",
                                  "  )",
                                  "  Bin = {",
                                  "    0102",
                                  "  }",
                                  "  Coll = <",
                                  "    item[4]",
                                  "      A = 1",
                                  "    end",
                                  "    item",
                                  "    end>",
                                  "  Empty = <>",
                                  "  inherited Series1: TLineSeries[2]",
                                  "    X = 1",
                                  "  end",
                                  "end"}));
}

TEST_F(ObjectTextConversionTest, FloatsHaveTwentyOneDigitsAndAFourDigitExponent) {
  const auto Line = [](const QByteArray& Value) {
    return ToText(Signed(Component("T", "", Prop("F", Value)))).split('\n').at(1);
  };
  EXPECT_EQ(Line(Extended(-0.0)), "  F = -0.00000000000000000000E+0000");
  EXPECT_EQ(Line(Extended(0.1)), "  F =  1.00000000000000005551E-0001");
  EXPECT_EQ(Line(Extended(std::numeric_limits<double>::denorm_min())),
            "  F =  4.94065645841246544177E-0324");
  EXPECT_EQ(Line(Extended(-1e300)), "  F = -1.00000000000000005250E+0300");
  EXPECT_EQ(Line(Extended(std::numeric_limits<double>::quiet_NaN())),
            "  F =                           Nan");
  EXPECT_EQ(Line(ExtendedParts(0x8000000000000000ull, 16383 + 2000)),
            "  F =                          +Inf");
  EXPECT_EQ(Line(Tag(TValueType::vaCurrency) + Little<std::int64_t>(12345678)),
            "  F =  1.23456780000000000000E+0003c");
  EXPECT_EQ(Line(Tag(TValueType::vaSingle) + Little(std::numeric_limits<float>::quiet_NaN())),
            "  F =                           Nan");
}

// A user's decimal comma must never reach the file, nor change its reading.
TEST_F(ObjectTextConversionTest, FloatsIgnoreTheProcessLocale) {
  const std::string Saved = std::setlocale(LC_ALL, nullptr);
  const bool German = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  const QByteArray Binary = Signed(Component("T", "", Prop("F", Extended(1.5))));
  const QByteArray Written = ToText(Binary);
  const QByteArray Read = ToBinary("object T\n  F = 2.25\n  G = 1.5d\nend\n");
  std::setlocale(LC_ALL, Saved.c_str());
  EXPECT_TRUE(German) << "the de_DE.UTF-8 locale is missing; the test ran in the C locale";
  EXPECT_TRUE(Written.contains(" 1.50000000000000000000E+0000")) << Written.toStdString();
  EXPECT_EQ(Read, Signed(Component("T", "",
                                   Prop("F", Extended(2.25)) +
                                       Prop("G", Tag(TValueType::vaDate) + Little(1.5)))));
}

TEST_F(ObjectTextConversionTest, CanonicalStreamsComeBackByteForByte) {
  for (const QByteArray& Binary : {CommonStream(), OrderAndSpecialsStream(), OwnKindsStream()}) {
    const QByteArray Written = ToText(Binary);
    EXPECT_EQ(ToBinary(Written), Binary) << Written.toStdString();
  }
}

// Tags the text form has no room for settle on the canonical ones, keeping
// the value.
TEST_F(ObjectTextConversionTest, OtherTagsComeBackAsTheCanonicalOnes) {
  const auto Converted = [](const QByteArray& Value) {
    return ToBinary(ToText(Signed(Component("T", "", Prop("P", Value)))));
  };
  const auto Expected = [](const QByteArray& Value) {
    return Signed(Component("T", "", Prop("P", Value)));
  };
  EXPECT_EQ(Converted(Int64(5)), Expected(Int8(5)));
  EXPECT_EQ(Converted(Int32(-300)), Expected(Int16(-300)));
  EXPECT_EQ(Converted(LString("abc")), Expected(String("abc")));
  EXPECT_EQ(Converted(Utf8("caf\xC3\xA9")), Expected(WString(QString::fromUtf8("caf\u00e9"))));
  EXPECT_EQ(Converted(String("a\xE9")), Expected(WString(QString::fromUtf8("a\u00e9"))));
  EXPECT_EQ(Converted(Tag(TValueType::vaDouble) + Little(0.1)), Expected(Extended(0.1)));
  EXPECT_EQ(Converted(ExtendedParts(0x8000000000000000ull, 16383 + 2000)),
            Expected(Extended(std::numeric_limits<double>::infinity())));
  EXPECT_EQ(Converted(ExtendedParts(0xCCCCCCCCCCCCCCCDull, 16383 - 4)), Expected(Extended(0.1)));
}

TEST_F(ObjectTextConversionTest, TextPicksTheSmallestIntegerAndStringTags) {
  const auto Value = [](const char* Text) {
    const QByteArray Binary = ToBinary(QByteArray("object T\n  P = ") + Text + "\nend\n");
    return Binary.mid(4 + 2 + 1 + 2, Binary.size() - 4 - 2 - 1 - 2 - 2);
  };
  EXPECT_EQ(Value("-128"), Int8(-128));
  EXPECT_EQ(Value("127"), Int8(127));
  EXPECT_EQ(Value("128"), Int16(128));
  EXPECT_EQ(Value("-129"), Int16(-129));
  EXPECT_EQ(Value("32768"), Int32(32768));
  EXPECT_EQ(Value("-2147483649"), Int64(-2147483649LL));
  EXPECT_EQ(Value("-9223372036854775808"), Int64(std::numeric_limits<std::int64_t>::min()));
  EXPECT_EQ(Value("$FF"), Int16(255));
  EXPECT_EQ(Value("$FFFFFFFFFFFFFFFF"), Int8(-1));
  EXPECT_EQ(Value(("'" + std::string(255, 'a') + "'").c_str()), String(QByteArray(255, 'a')));
  EXPECT_EQ(Value(("'" + std::string(256, 'a') + "'").c_str()), LString(QByteArray(256, 'a')));
  EXPECT_EQ(Value("'ab' +\n    'c'#0"), String(QByteArray("abc\0", 4)));
  EXPECT_EQ(Value("'x'#8364"), WString(QString::fromUtf8("x\u20ac")));
  EXPECT_EQ(Value("'caf\xC3\xA9'"), WString(QString::fromUtf8("caf\u00e9")));
  EXPECT_EQ(Value("'caf\xE9'"), WString(QString::fromUtf8("caf\u00e9")));  // not UTF-8: Latin-1
  EXPECT_EQ(Value("tRUE"), Tag(TValueType::vaTrue));
  EXPECT_EQ(Value("NIL"), Tag(TValueType::vaNil));
  EXPECT_EQ(Value("1E5"), Extended(1e5));
  EXPECT_EQ(Value("-1.5e-3"), Extended(-1.5e-3));
  EXPECT_EQ(Value("1.5s"), Tag(TValueType::vaSingle) + Little(1.5f));
  EXPECT_EQ(Value("-Infd"), Tag(TValueType::vaDate) + Little(-HUGE_VAL));
  EXPECT_EQ(Value("{ 01 0a\n FF }"), BinaryData(QByteArray::fromHex("010aff")));
}

// Currency is exact in 1/10000 units over its whole range, rounding half
// away from zero.
TEST_F(ObjectTextConversionTest, CurrencyTextIsExact) {
  const auto Units = [](const char* Text) {
    const QByteArray Binary = ToBinary(QByteArray("object T\n  P = ") + Text + "\nend\n");
    return qFromLittleEndian<std::int64_t>(Binary.constData() + 4 + 2 + 1 + 2 + 1);
  };
  EXPECT_EQ(Units("1.5c"), 15000);
  EXPECT_EQ(Units("0.00005c"), 1);
  EXPECT_EQ(Units("-0.00005c"), -1);
  EXPECT_EQ(Units("0.000049999c"), 0);
  EXPECT_EQ(Units("9.22337203685477580700E+0014c"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(Units("-9.22337203685477580800E+0014c"), std::numeric_limits<std::int64_t>::min());
  EXPECT_THROW(ToBinary("object T\n  P = 9.22337203685477580800E+0014c\nend\n"), EParserError);
  EXPECT_THROW(ToBinary("object T\n  P = 1E99999999c\nend\n"), EParserError);
  EXPECT_THROW(ToBinary("object T\n  P = +Infc\nend\n"), EParserError);
  EXPECT_THROW(ToBinary("object T\n  P = 1E39s\nend\n"), EParserError);
}

TEST_F(ObjectTextConversionTest, BadTextNamesTheLine) {
  const auto Message = [](const char* Text) -> std::string {
    try {
      ToBinary(Text);
    } catch (const EParserError& E) {
      return E.what();
    }
    return "no error";
  };
  EXPECT_NE(Message("object T\n  A = 1\n  B = =\nend\n").find("line 3"), std::string::npos);
  EXPECT_NE(Message("object T\n  A = 'open\nend\n").find("line 2"), std::string::npos);
  EXPECT_NE(Message("object T\n\n  A = 99999999999999999999\nend\n").find("line 3"),
            std::string::npos);
  EXPECT_NE(Message("object T\n  A = {0}\nend\n").find("line 2"), std::string::npos);
  EXPECT_NE(Message("thing T\nend\n").find("line 1"), std::string::npos);
  EXPECT_NE(Message("object T\n  A = [a b]\nend\n").find("line 2"), std::string::npos);
  EXPECT_NE(Message("object T\n  A = #70000\nend\n").find("line 2"), std::string::npos);
  EXPECT_NE(Message("object T\n  A = 12abc\nend\n").find("line 2"), std::string::npos);
  EXPECT_NE(Message("object T\n  A = <\n    thing\n    end>\nend\n").find("line 3"),
            std::string::npos);
  EXPECT_NE(Message("object T\n  C = <item\n    inline = 1\n  end>\nend\n").find("line 3"),
            std::string::npos);
  // A class name's length byte from 240 up would read as the prefix byte.
  EXPECT_NE(Message(("object " + std::string(240, 'T') + "\nend\n").c_str()).find("line 1"),
            std::string::npos);
  EXPECT_EQ(ToText(ToBinary(QByteArray("object ") + QByteArray(239, 'T') + "\nend\n")),
            QByteArray("object ") + QByteArray(239, 'T') + "\nend\n");
  EXPECT_EQ(Message(""), "'object' expected but the end of the text found on line 1");
}

TEST_F(ObjectTextConversionTest, CorruptBinaryRaisesReadErrors) {
  const QByteArray Big = Little<std::int32_t>(0x7FFFFFFF);
  for (const QByteArray& Bad : {
           QByteArray("TPF1") + Component("T", "", {}),
           Signed(Component("T", "", Prop("P", LString("abc").left(1) + Big + "abc"))),
           Signed(Component("T", "", Prop("P", Tag(TValueType::vaBinary) + Little(-1)))),
           Signed(Component("T", "", Prop("P", Tag(TValueType::vaWString) + Little(0x40000000)))),
           Signed(Component("T", "", Prop("P", QByteArray(1, 22)))),
           Signed(Component("T", "", Prop("P", End))),
           Signed(Component("T", "", Prop("P", Collection({Int8(1)}) + Int8(1)))),
           Signed(Component("T", "", Prop("P", Collection({String("x")})))),
           Signed(Component("", "", {})),
           Signed(Component("T", "a b", {})),
           Signed(Component("T", "", Prop("end", Int8(1)))),
           Signed(Component("T", "", Prop("9x", Int8(1)))),
           Signed(Component("T", "", Prop("P", Ident("True")))),
           Signed(Component("T", "", Prop("P", Ident("Nan")))),
           Signed(Component("T", "", Prop("P", Set({"a b"})))),
           Signed(Component("T", "", {}, {}, "\xF2" + String("x"))),
       })
    EXPECT_THROW(ToText(Bad), EReadError) << Bad.toHex().toStdString();
}

TEST_F(ObjectTextConversionTest, EveryTruncationRaisesAReadError) {
  for (const QByteArray& Binary : {CommonStream(), OrderAndSpecialsStream(), OwnKindsStream()}) {
    for (qsizetype Size = 0; Size < Binary.size(); ++Size)
      ASSERT_THROW(ToText(Binary.left(Size)), EReadError) << Size;
  }
}

// Whatever a damaged stream holds, it converts or raises the read error;
// what converts comes back as the same text.
TEST_F(ObjectTextConversionTest, FlippedBitsConvertOrRaise) {
  const QByteArray Binary = CommonStream(false);
  for (qsizetype At = 4; At < Binary.size(); ++At) {
    for (int Bit = 0; Bit < 8; ++Bit) {
      QByteArray Damaged = Binary;
      Damaged[At] = static_cast<char>(Damaged[At] ^ (1 << Bit));
      QByteArray Written;
      try {
        Written = ToText(Damaged);
      } catch (const EReadError&) {
        continue;
      }
      ASSERT_EQ(ToText(ToBinary(Written)), Written) << At << " " << Bit;
    }
  }
}

TEST_F(ObjectTextConversionTest, EveryTruncatedTextRaisesAParserError) {
  const QByteArray Written = ToText(CommonStream());
  const qsizetype LastEnd = Written.lastIndexOf("end");
  for (qsizetype Size = 0; Size < LastEnd + 2; ++Size)
    ASSERT_THROW(ToBinary(Written.left(Size)), EParserError) << Size;
}

TEST_F(ObjectTextConversionTest, DamagedTextConvertsOrRaises) {
  const QByteArray Written = ToText(CommonStream(false));
  const char Replacements[] = {'\'', '#', '(', '<', '{', '[', '=', 'x', '-', '\n', '\0'};
  for (qsizetype At = 0; At < Written.size(); ++At) {
    for (const char R : Replacements) {
      QByteArray Damaged = Written;
      Damaged[At] = R;
      QByteArray Binary;
      try {
        Binary = ToBinary(Damaged);
      } catch (const EParserError&) {
        continue;
      }
      // What our text reading makes is what our binary reading takes.
      ASSERT_EQ(ToBinary(ToText(Binary)), Binary) << At << " " << R;
    }
  }
}

TEST_F(ObjectTextConversionTest, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  const auto Nested = [](int Depth) {
    QByteArray Value = Int8(1);
    for (int I = 0; I < Depth; ++I) Value = Tag(TValueType::vaList) + Value + End;
    return Signed(Component("T", "", Prop("P", Value)));
  };
  EXPECT_NO_THROW(ToText(Nested(60)));
  EXPECT_THROW(ToText(Nested(64)), EReadError);
  EXPECT_THROW(ToText(Signed(Component("T", "", Prop("P", QByteArray(100000, 1))))), EReadError);
  QByteArray Children = Component("T", "", {});
  for (int I = 0; I < 100; ++I) Children = Component("T", "", {}, Children);
  EXPECT_THROW(ToText(Signed(Children)), EReadError);

  EXPECT_EQ(ToBinary(ToText(Nested(60))), Nested(60));
  EXPECT_THROW(ToBinary("object T\n  P = " + QByteArray(100000, '(')), EParserError);
  EXPECT_THROW(ToBinary("object T\n  P = " + QByteArray(100000, '<')), EParserError);
  QByteArray Objects;
  for (int I = 0; I < 100000; ++I) Objects += "object T\n";
  EXPECT_THROW(ToBinary(Objects), EParserError);
}

// -- against the Pascal class library, an independent reader and writer

class ObjectTextPascalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QString Why;
    ASSERT_TRUE(PascalAvailable(&Why)) << Why.toStdString();
  }

  static QByteArray PascalText(const QByteArray& Binary) {
    const std::optional<QByteArray> Text = PascalBinaryToText(Binary);
    if (!Text) ADD_FAILURE() << "the Pascal library rejected " << Binary.toHex().toStdString();
    return Text.value_or(QByteArray());
  }

  static QByteArray PascalBinary(const QByteArray& Text) {
    const std::optional<QByteArray> Binary = PascalTextToBinary(Text);
    if (!Binary) ADD_FAILURE() << "the Pascal library rejected " << Text.toStdString();
    return Binary.value_or(QByteArray());
  }
};

TEST_F(ObjectTextPascalTest, OurTextIsThePascalLibrarysText) {
  for (const QByteArray& Binary : {CommonStream(), OrderAndSpecialsStream(), ExtendedOnlyStream()})
    ExpectSamePascalText(ToText(Binary), PascalText(Binary));
}

TEST_F(ObjectTextPascalTest, ThePascalLibraryReadsOurTextToTheSameBinary) {
  const QByteArray Binary = CommonStream();
  EXPECT_EQ(PascalBinary(ToText(Binary)).toHex(), Binary.toHex());
}

TEST_F(ObjectTextPascalTest, WeReadThePascalLibrarysTextToTheSameBinary) {
  for (const QByteArray& Binary : {CommonStream(), OrderAndSpecialsStream()})
    EXPECT_EQ(ToBinary(PascalText(Binary)).toHex(), Binary.toHex());
}

// Hand-written text in the layout people edit: both libraries make the
// same bytes of it.
TEST_F(ObjectTextPascalTest, BothLibrariesMakeTheSameBinaryOfText) {
  const QByteArray Source =
      Text({"OBJECT Chart1: TChart", "  Left = -129", "  Title.Text.Strings = (",
            "    'Run ' + '1'", "    #13#10)", "  Big = $7FFFFFFF", "  F = -1.25E-1", "  G = 12",
            "  Data = {0A0b 0C}", "  S = [ a , b ]", "  C = <item A = 1 end>", "  Id = clRed",
            "  inline Sub: TPanel [3]", "  End", "END"});
  EXPECT_EQ(ToBinary(Source).toHex(), PascalBinary(Source).toHex());
}

}  // namespace
