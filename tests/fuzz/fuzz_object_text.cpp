// Feeds arbitrary bytes to both conversions of the component stream, as a
// binary stream and as text. Each conversion must succeed or raise its own
// error (the read error, the parser error); anything else aborts. What
// converts must settle at once: binary -> text -> binary -> text gives the
// same text again and the same binary again (the first binary may use tags
// the text form does not keep, such as a long string that fits a short
// one), and a binary made from text converts back to the very same bytes.
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Exception.h"
#include "platform/ObjectTextConversion.h"
#include "platform/TStream.h"
#include "tests/fuzz/FuzzSanitizerOptions.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

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

void AsBinary(const QByteArray& Bytes) {
  QByteArray Text;
  try {
    Text = ToText(Bytes);
  } catch (const EReadError&) {
    return;
  }
  const QByteArray Binary = ToBinary(Text);
  Check(ToText(Binary) == Text);
  Check(ToBinary(Text) == Binary);
}

void AsText(const QByteArray& Bytes) {
  QByteArray Binary;
  try {
    Binary = ToBinary(Bytes);
  } catch (const EParserError&) {
    return;
  }
  Check(ToBinary(ToText(Binary)) == Binary);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QByteArray Bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  AsBinary(Bytes);
  AsText(Bytes);
  return 0;
}
