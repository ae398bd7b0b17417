#pragma once

class ChannelDataStore;

// A position that stays within LowerLimit..UpperLimit and wraps round when
// advanced past the upper limit.
struct RangePosition {
  int GetPosition() const { return Position; }
  // Each setter keeps LowerLimit <= UpperLimit by moving the other limit, then
  // clamps the position into the range.
  void SetLowerLimit(int A);
  void SetUpperLimit(int A);
  void Advance();

  int Position = 0;
  int UpperLimit = 0;
  int LowerLimit = 0;
};

// Extremes of the data of a store; the start values (-1e308 for the maxima,
// +1e308 for the minima) remain when nothing was looked at.
struct DataLimits {
  double XMaximum = 0.0;
  double YMaximum = 0.0;
  double XMinimum = 0.0;
  double YMinimum = 0.0;
};

// Extremes of one set, or of every set when Set is not a set of the store.
// With OnlyValid only points whose error is 0 or more count, and the x
// extremes come from those points alone.
DataLimits FindLimits(const ChannelDataStore* Store, int Set, bool OnlyValid);

// X rounded to Digits significant digits (Digits below 1 count as 1); X itself
// when Digits > 9, X is 0 or X is not finite.
double RoundToSignificant(double X, int Digits);
// True when two rotor speeds (rpm) lie within 0.1 % of each other: a
// difference below that is the instrument's noise, not a change of speed.
// (Rounding both would part 50,000 from 50,050 but join 50,050 and 50,140.)
bool SameRotorSpeed(double RpmA, double RpmB);
// X rounded to a multiple of 10^E (E = -2 rounds to hundredths), halves away
// from zero.
double RoundToPowerOfTen(double X, int E);
double PadAbove(double Value, double Fraction);
double PadBelow(double Value, double Fraction);
