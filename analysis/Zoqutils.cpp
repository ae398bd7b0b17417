#include "analysis/Zoqutils.h"

#include "analysis/Gofs2004.h"

#include <algorithm>
#include <cmath>

void RangePosition::SetLowerLimit(int A) {
  LowerLimit = A;
  if (UpperLimit < A) UpperLimit = A;
  if (Position > UpperLimit) Position = UpperLimit;
  if (Position < LowerLimit) Position = LowerLimit;
}

void RangePosition::SetUpperLimit(int A) {
  UpperLimit = A;
  if (LowerLimit > A) LowerLimit = A;
  if (Position > UpperLimit) Position = UpperLimit;
  if (Position < LowerLimit) Position = LowerLimit;
}

void RangePosition::Advance() {
  // Compared before adding so that a limit of INT_MAX cannot overflow.
  Position = Position >= UpperLimit ? LowerLimit : Position + 1;
}

namespace {

void Widen(double Value, double& Maximum, double& Minimum) {
  if (Value > Maximum) Maximum = Value;
  if (Value < Minimum) Minimum = Value;
}

// Value / 10^Shift for Shift >= 0, else Value * 10^-Shift: dividing by an
// exact power of ten keeps results such as 0.0123 exact to the last digit.
double ShiftDecimal(double Value, int Shift) {
  return Shift >= 0 ? Value / std::pow(10.0, Shift) : Value * std::pow(10.0, -Shift);
}

double RoundHalfUp(double Magnitude) {
  return std::floor(Magnitude + 0.5);
}

}  // namespace

DataLimits FindLimits(const ChannelDataStore* Store, int Set, bool OnlyValid) {
  DataLimits limits;
  limits.XMaximum = limits.YMaximum = -1e308;
  limits.XMinimum = limits.YMinimum = 1e308;
  if (Store == nullptr) return limits;

  const int sets = Store->GetNumberOfSets();
  const bool oneSet = Set >= 0 && Set < sets;
  const int first = oneSet ? Set : 0;
  const int last = oneSet ? Set : sets - 1;
  const int points = Store->GetNumberOfPoints();
  for (int i = 0; i < points; ++i) {
    const double x = Store->GetX(i);
    if (!OnlyValid) Widen(x, limits.XMaximum, limits.XMinimum);
    for (int s = first; s <= last; ++s) {
      if (OnlyValid && !(Store->GetError(s, i) >= 0.0)) continue;
      Widen(Store->GetY(s, i), limits.YMaximum, limits.YMinimum);
      if (OnlyValid) Widen(x, limits.XMaximum, limits.XMinimum);
    }
  }
  return limits;
}

double RoundToSignificant(double X, int Digits) {
  if (Digits > 9 || X == 0.0 || !std::isfinite(X)) return X;
  const int digits = Digits < 1 ? 1 : Digits;
  const int f = static_cast<int>(std::ceil(std::log10(std::fabs(X))));
  const int shift = f - digits;
  const double rounded = ShiftDecimal(RoundHalfUp(ShiftDecimal(std::fabs(X), shift)), -shift);
  if (!std::isfinite(rounded)) return X;  // 10^shift beyond the double range
  return std::copysign(rounded, X);
}

bool SameRotorSpeed(double RpmA, double RpmB) {
  constexpr double SameSpeedShare = 0.001;
  return std::fabs(RpmA - RpmB) <= SameSpeedShare * std::max(std::fabs(RpmA), std::fabs(RpmB));
}

double RoundToPowerOfTen(double X, int E) {
  const double rounded = ShiftDecimal(RoundHalfUp(ShiftDecimal(std::fabs(X), E)), -E);
  return std::copysign(rounded, X);
}

double PadAbove(double Value, double Fraction) {
  return Value + std::fabs(Value) * Fraction;
}

double PadBelow(double Value, double Fraction) {
  return Value - std::fabs(Value) * Fraction;
}
