#pragma once

// Windows code page 1252, the 8-bit Western encoding of Windows programs
// (data role): bytes 0x80 to 0x9F hold 27 characters of their own and five
// that the code page leaves undefined; every other byte is Latin-1.
namespace Windows1252 {

// The character of Byte; 0 for one of the five undefined bytes.
char16_t ToUnicode(unsigned char Byte);
// The byte of C; false when the code page lacks it.
bool FromUnicode(char16_t C, unsigned char& Byte);

}  // namespace Windows1252
