#pragma once

// Number-to-pixel conversions with one fixed behaviour everywhere.

// Values outside the int range and NaN, for Round.
int RoundOutsideIntRange(double Value);

// Nearest integer, ties to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -1.5 -> -2),
// as the default floating-point rounding mode does. Values beyond the int
// range saturate to INT_MIN / INT_MAX; NaN gives 0. Inline because every
// point of every chart goes through it.
inline int Round(double Value) {
  if (Value > -2147483648.0 && Value < 2147483647.0) {  // NaN fails both
    // Adding and taking away 1.5 * 2^52 leaves no bits below the units, and
    // the default rounding mode rounds those halves to even.
    constexpr double Shift = 6755399441055744.0;
    return static_cast<int>((Value + Shift) - Shift);
  }
  return RoundOutsideIntRange(Value);
}

// Toward zero, saturating like Round; NaN gives 0.
int Trunc(double Value);

// A * B / C with a 64-bit intermediate, rounded to nearest with halves away
// from zero (MulDiv(1, 3, 2) = 2, MulDiv(-1, 3, 2) = -2). C = 0, or a result
// outside the int range, gives -1.
int MulDiv(int A, int B, int C);

// Integer division truncating toward zero, which C++ '/' already does for
// negative operands too (Div(-7, 2) = -3, not -4); spelled out where the
// rounding direction of negative coordinates matters. B = 0 gives 0 and
// INT_MIN / -1 gives INT_MAX instead of undefined behaviour.
int Div(int A, int B);
