#include "platform/Windows1252.h"

namespace {

// The characters of bytes 0x80 to 0x9F; 0 where the code page has none.
constexpr char16_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

char16_t Windows1252::ToUnicode(unsigned char Byte) {
  return Byte >= 0x80 && Byte < 0xA0 ? High[Byte - 0x80] : char16_t(Byte);
}

bool Windows1252::FromUnicode(char16_t C, unsigned char& Byte) {
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) {
    Byte = static_cast<unsigned char>(C);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (High[i] != 0 && High[i] == C) {
      Byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}
