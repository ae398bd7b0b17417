#pragma once

#include <QByteArray>

#include <cstdint>

// The value tags of the binary component stream, numbered as stored files
// number them. Every property value starts with one of these bytes.
enum class TValueType : std::uint8_t {
  vaNull = 0,  // ends a property list, a child list, a list or a collection
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,  // 10 bytes, 80-bit extended precision
  vaString = 6,    // length byte, then that many 8-bit characters
  vaIdent = 7,     // length byte, then an identifier
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,   // 32-bit length, then the bytes
  vaSet = 11,      // identifiers, each a length byte and text, ended by an empty one
  vaLString = 12,  // 32-bit length, then 8-bit characters
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,  // 32-bit count of UTF-16 units, then the units
  vaInt64 = 19,
  vaUTF8String = 20,  // 32-bit length, then UTF-8 bytes
  vaDouble = 21
};

// The four bytes every binary component stream starts with.
inline const QByteArray& FilerSignature() {
  static const QByteArray Signature("TPF0", 4);
  return Signature;
}

// Bits of the optional prefix byte before a component's class name (0xF0
// plus these bits), written for components that come from an ancestor.
enum TFilerFlag : std::uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };
