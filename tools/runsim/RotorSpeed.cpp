#include "tools/runsim/RotorSpeed.h"

#include <numbers>

RotorSpeed::RotorSpeed(double Rpm, double RampSeconds)
    : FRpm(Rpm),
      FRamp(RampSeconds > 0 ? RampSeconds : 0),
      FFinalOmega2(Rpm * Rpm * 4 * std::numbers::pi * std::numbers::pi / 3600) {}

double RotorSpeed::OmegaSquaredAt(double Time) const {
  if (Time >= FRamp) return FFinalOmega2;
  if (Time <= 0) return 0;
  const double fraction = Time / FRamp;
  return FFinalOmega2 * fraction * fraction;
}

double RotorSpeed::Omega2t(double Time) const {
  if (Time <= 0) return 0;
  // omega grows linearly, so omega^2 integrates to a cubic during the ramp.
  if (Time < FRamp) return FFinalOmega2 * Time * Time * Time / (3 * FRamp * FRamp);
  return FFinalOmega2 * (Time - FRamp + FRamp / 3);
}

double RotorSpeed::ApparentTime(double Time) const {
  return Omega2t(Time) / FFinalOmega2;
}

double RotorSpeed::MeanOmegaSquared(double Start, double End) const {
  if (Start >= FRamp || End <= Start) return OmegaSquaredAt(Start);
  return (Omega2t(End) - Omega2t(Start)) / (End - Start);
}
