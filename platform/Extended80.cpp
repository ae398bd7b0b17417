#include "platform/Extended80.h"

#include <bit>
#include <cstring>
#include <limits>

namespace {

constexpr int ExtendedBias = 16383;
constexpr int DoubleBias = 1023;
constexpr std::uint16_t ExtendedMaxExponent = 0x7FFF;
constexpr std::uint64_t IntegerBit = 0x8000000000000000ull;
constexpr std::uint64_t DoubleFractionMask = (1ull << 52) - 1;

TExtended80 Pack(bool Negative, std::uint16_t Exponent, std::uint64_t Significand) {
  TExtended80 Bytes{};
  for (int I = 0; I < 8; ++I) Bytes[I] = static_cast<std::uint8_t>(Significand >> (8 * I));
  const std::uint16_t SignExponent = static_cast<std::uint16_t>((Negative ? 0x8000 : 0) | Exponent);
  Bytes[8] = static_cast<std::uint8_t>(SignExponent);
  Bytes[9] = static_cast<std::uint8_t>(SignExponent >> 8);
  return Bytes;
}

double FromBits(std::uint64_t Bits) {
  double Value;
  std::memcpy(&Value, &Bits, sizeof Value);
  return Value;
}

std::uint64_t ToBits(double Value) {
  std::uint64_t Bits;
  std::memcpy(&Bits, &Value, sizeof Bits);
  return Bits;
}

// Significand >> Shift rounded to nearest, ties to even; Shift may reach 64
// and beyond (everything shifted out).
std::uint64_t ShiftRoundEven(std::uint64_t Significand, int Shift) {
  if (Shift <= 0) return Significand;
  if (Shift > 64) return 0;
  const std::uint64_t Kept = Shift == 64 ? 0 : Significand >> Shift;
  const std::uint64_t Half = 1ull << (Shift - 1);
  const std::uint64_t Rest = Shift == 64 ? Significand : Significand & ((1ull << Shift) - 1);
  if (Rest > Half || (Rest == Half && (Kept & 1) != 0)) return Kept + 1;
  return Kept;
}

double SpecialToDouble(bool Negative, std::uint64_t Significand) {
  const std::uint64_t Sign = Negative ? (1ull << 63) : 0;
  const std::uint64_t Fraction = Significand & ~IntegerBit;
  if (Fraction == 0 && (Significand & IntegerBit) != 0)
    return FromBits(Sign | (0x7FFull << 52));  // infinity
  // A quiet NaN with the top of the payload kept.
  return FromBits(Sign | (0x7FFull << 52) | (1ull << 51) | ((Fraction >> 11) & DoubleFractionMask));
}

}  // namespace

TExtended80 DoubleToExtended(double Value) {
  const std::uint64_t Bits = ToBits(Value);
  const bool Negative = (Bits >> 63) != 0;
  const int Exponent = static_cast<int>((Bits >> 52) & 0x7FF);
  const std::uint64_t Fraction = Bits & DoubleFractionMask;
  if (Exponent == 0x7FF) return Pack(Negative, ExtendedMaxExponent, IntegerBit | (Fraction << 11));
  if (Exponent == 0 && Fraction == 0) return Pack(Negative, 0, 0);
  if (Exponent == 0) {
    // A subnormal double is a normal extended number: move its leading one
    // up to the integer bit.
    const int Lead = std::countl_zero(Fraction);
    const std::uint64_t Significand = Fraction << Lead;
    const int Unbiased = -1022 - (Lead - 11);
    return Pack(Negative, static_cast<std::uint16_t>(Unbiased + ExtendedBias), Significand);
  }
  const std::uint64_t Significand = IntegerBit | (Fraction << 11);
  return Pack(Negative, static_cast<std::uint16_t>(Exponent - DoubleBias + ExtendedBias),
              Significand);
}

double ExtendedToDouble(const TExtended80& Bytes) {
  std::uint64_t Significand = 0;
  for (int I = 0; I < 8; ++I) Significand |= static_cast<std::uint64_t>(Bytes[I]) << (8 * I);
  const std::uint16_t SignExponent = static_cast<std::uint16_t>(Bytes[8] | (Bytes[9] << 8));
  const bool Negative = (SignExponent & 0x8000) != 0;
  const int Exponent = SignExponent & 0x7FFF;
  const std::uint64_t Sign = Negative ? (1ull << 63) : 0;
  if (Exponent == ExtendedMaxExponent) return SpecialToDouble(Negative, Significand);
  if (Significand == 0) return FromBits(Sign);
  // Without its integer bit a number with a non-zero exponent is an
  // "unnormal" that no arithmetic produces; it reads as not-a-number.
  if (Exponent != 0 && (Significand & IntegerBit) == 0)
    return SpecialToDouble(Negative, 1ull << 62);
  // Normalise (denormal extended numbers have exponent 0 and scale 1 - bias).
  const int Lead = std::countl_zero(Significand);
  Significand <<= Lead;
  int Unbiased = (Exponent == 0 ? 1 : Exponent) - ExtendedBias - Lead;
  if (Unbiased > DoubleBias) return FromBits(Sign | (0x7FFull << 52));
  if (Unbiased >= -1022) {
    std::uint64_t Rounded = ShiftRoundEven(Significand, 11);  // 53 bits, may carry to 54
    if (Rounded >> 53) {
      Rounded >>= 1;
      ++Unbiased;
      if (Unbiased > DoubleBias) return FromBits(Sign | (0x7FFull << 52));
    }
    return FromBits(Sign | (static_cast<std::uint64_t>(Unbiased + DoubleBias) << 52) |
                    (Rounded & DoubleFractionMask));
  }
  // Subnormal result: fewer significand bits; a carry into bit 52 gives
  // the smallest normal number, which the same bit pattern encodes.
  const std::uint64_t Rounded = ShiftRoundEven(Significand, 11 + (-1022 - Unbiased));
  return FromBits(Sign | Rounded);
}
