#pragma once

#include <vector>

#include "tools/runsim/RotorSpeed.h"
#include "tools/runsim/RunParameters.h"

// Solves the Lamm equation of one ideal species in a sector-shaped cell,
//   dc/dt = (1/r) d/dr [ r D dc/dr - s omega(t)^2 r^2 c ],
// with no flux through the meniscus and the bottom and c = c0 at the start.
//
// Finite volumes on a uniform grid (cell volume (r+^2 - r-^2)/2 per radian
// and unit height) with exponentially fitted face fluxes: a flat plateau
// decays exactly as dc/dt = -2 s omega^2 c, the sedimentation equilibrium
// profile is a steady state of the discrete equations, and the matrices stay
// M-matrices at any cell Peclet number, so steep boundaries at high s cannot
// overshoot below zero. Time steps are Crank-Nicolson, started with small
// implicit Euler steps that damp the shock of the no-flux walls at t = 0,
// and kept short enough that a boundary crosses at most two cells per step.
// Accuracy rests on the cell Peclet number s omega^2 r h / D: below about
// 0.1 the solution is within 1e-4 c0 of the converged one; higher values
// stay free of oscillations but smear the boundary (finer grids help).
// Each step uses the mean omega^2 of the step, so omega^2 t stays exact.
class LammSolver {
 public:
  LammSolver(const Species& Sample, const RotorSpeed& Speed, double Meniscus, double Bottom,
             int Cells, double MaxTimeStep);

  double Time() const { return FTime; }
  double Omega2t() const { return FSpeed.Omega2t(FTime); }
  int Cells() const { return static_cast<int>(FConcentration.size()); }
  double CellWidth() const { return FWidth; }
  double CellCentre(int Index) const;
  // Volume per radian and unit height: (r+^2 - r-^2) / 2.
  double CellVolume(int Index) const;
  const std::vector<double>& Concentration() const { return FConcentration; }
  // Largest step actually taken: the requested one or the Courant limit.
  double TimeStep() const { return FMaxStep; }

  // Integrates up to Time (no-op when Time is not later than now).
  void AdvanceTo(double Time);

  // Concentration at Radius: 0 above the meniscus (air), else interpolated
  // log-linearly between neighbouring cell centres and extrapolated from the
  // end cells up to the walls (exact for the exponential layers at the
  // walls), linearly where a value is not positive.
  double ValueAt(double Radius) const;
  // Sum of c times cell volume: conserved by the scheme.
  double TotalMass() const;
  // Second-moment boundary radius from the material above the cell face
  // nearest PlateauRadius, which must lie in a flat plateau:
  // rb^2 = rf^2 - 2 * mass(above rf) / c(rf).
  double SecondMomentRadius(double PlateauRadius) const;

 private:
  void Step(double Dt, bool Implicit);
  void UpdateFluxCoefficients(double Omega2);
  void FactorSystem(double Dt, double Theta);

  Species FSample;
  RotorSpeed FSpeed;
  double FMeniscus;
  double FWidth;
  double FMaxStep;
  double FTime = 0;
  int FStepCount = 0;
  std::vector<double> FConcentration;
  std::vector<double> FVolume;

  // caches: face coefficients for FOmega2 (flux through face j is
  // FLeft[j] * c[j-1] - FRight[j] * c[j]) and the elimination factors of the
  // step matrix for FFactorDt / FFactorTheta; reset when either changes.
  double FOmega2 = -1;
  std::vector<double> FLeft;
  std::vector<double> FRight;
  double FFactorDt = -1;
  double FFactorTheta = -1;
  std::vector<double> FInversePivot;
  std::vector<double> FLowerRatio;
  std::vector<double> FRhs;
};
