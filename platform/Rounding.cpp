#include "platform/Rounding.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

int Saturate(double Value) {
  if (std::isnan(Value)) return 0;
  if (Value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (Value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(Value);
}

}  // namespace

int RoundOutsideIntRange(double Value) {
  // nearbyint honours the current rounding mode, which nothing here changes
  // from round-to-nearest-even.
  return Saturate(std::nearbyint(Value));
}

int Trunc(double Value) {
  return Saturate(std::trunc(Value));
}

int MulDiv(int A, int B, int C) {
  if (C == 0) return -1;
  std::int64_t Product = static_cast<std::int64_t>(A) * B;
  std::int64_t Divisor = C;
  bool Negative = (Product < 0) != (Divisor < 0);
  // Magnitudes fit: |A*B| <= 2^62 and |C| <= 2^31.
  std::uint64_t Num =
      Product < 0 ? static_cast<std::uint64_t>(-Product) : static_cast<std::uint64_t>(Product);
  std::uint64_t Den =
      Divisor < 0 ? static_cast<std::uint64_t>(-Divisor) : static_cast<std::uint64_t>(Divisor);
  std::uint64_t Quotient = (Num + Den / 2) / Den;
  std::int64_t Result =
      Negative ? -static_cast<std::int64_t>(Quotient) : static_cast<std::int64_t>(Quotient);
  if (Result > INT_MAX || Result < INT_MIN) return -1;
  return static_cast<int>(Result);
}

int Div(int A, int B) {
  if (B == 0) return 0;
  if (A == INT_MIN && B == -1) return INT_MAX;
  return A / B;
}
