#pragma once

// Rotor speed over a run: a linear acceleration from rest to the final speed
// over RampSeconds, then constant. Times are seconds from the start of the
// acceleration; angular speeds are rad/s.
class RotorSpeed {
 public:
  RotorSpeed(double Rpm, double RampSeconds);

  double Rpm() const { return FRpm; }
  double RampSeconds() const { return FRamp; }
  // omega^2 of the final speed: rpm^2 * 4 pi^2 / 3600.
  double FinalOmegaSquared() const { return FFinalOmega2; }

  double OmegaSquaredAt(double Time) const;
  // The integral of omega^2 dt from the start to Time (rad^2/s).
  double Omega2t(double Time) const;
  // Time at final speed that gives the same omega^2 t.
  double ApparentTime(double Time) const;
  // Mean omega^2 over [Start, End]; exactly the final value once the ramp is over.
  double MeanOmegaSquared(double Start, double End) const;

 private:
  double FRpm;
  double FRamp;
  double FFinalOmega2;
};
