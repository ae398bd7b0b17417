#include "tools/runsim/LammSolver.h"

#include <algorithm>
#include <cmath>

namespace {

// Bernoulli function x / (e^x - 1): the weight of the upwind and downwind
// cell in an exponentially fitted flux.
double Bernoulli(double X) {
  if (std::fabs(X) < 1e-8) return 1.0 - X / 2;
  return X / std::expm1(X);
}

// The first steps are implicit Euler, doubling from 1/256 to 1/16 of the
// step, then Crank-Nicolson steps double from 1/8 up to the full step.
constexpr int kImplicitSteps = 5;
constexpr int kStartupSteps = 8;
constexpr int kFirstStepShift = 8;

double NominalStep(int StepIndex, double MaxStep) {
  if (StepIndex < kImplicitSteps) return std::ldexp(MaxStep, StepIndex - kFirstStepShift);
  if (StepIndex < kStartupSteps) return std::ldexp(MaxStep, StepIndex - kStartupSteps);
  return MaxStep;
}

// Crank-Nicolson rings behind a sharp moving boundary when the boundary
// crosses many cells per step, so steps are kept to a Courant number of at
// most 2 at the fastest point (the bottom at full speed).
constexpr double kCourantLimit = 2;

double LimitedTimeStep(const Species& Sample, const RotorSpeed& Speed, double Bottom, double Width,
                       double MaxStep) {
  const double fastest = std::fabs(Sample.s) * Speed.FinalOmegaSquared() * Bottom;
  if (fastest <= 0) return MaxStep;
  return std::min(MaxStep, kCourantLimit * Width / fastest);
}

}  // namespace

LammSolver::LammSolver(const Species& Sample, const RotorSpeed& Speed, double Meniscus,
                       double Bottom, int Cells, double MaxTimeStep)
    : FSample(Sample),
      FSpeed(Speed),
      FMeniscus(Meniscus),
      FWidth((Bottom - Meniscus) / std::max(Cells, 2)),
      FMaxStep(LimitedTimeStep(Sample, Speed, Bottom, FWidth, MaxTimeStep)),
      FConcentration(static_cast<size_t>(std::max(Cells, 2)), Sample.c0) {
  FVolume.resize(FConcentration.size());
  for (int i = 0; i < this->Cells(); ++i) FVolume[i] = CellCentre(i) * FWidth;
}

double LammSolver::CellCentre(int Index) const {
  return FMeniscus + (Index + 0.5) * FWidth;
}

double LammSolver::CellVolume(int Index) const {
  return CellCentre(Index) * FWidth;
}

void LammSolver::AdvanceTo(double Time) {
  while (FTime < Time) {
    const double step = NominalStep(FStepCount, FMaxStep);
    // A remainder shorter than a millionth of a step is folded into this one.
    double end = FTime + step >= Time - 1e-6 * step ? Time : FTime + step;
    // A step lost in the rounding of the time would never end the loop.
    if (!(end > FTime)) end = Time;
    Step(end - FTime, FStepCount < kImplicitSteps);
    FTime = end;
  }
}

void LammSolver::Step(double Dt, bool Implicit) {
  const double theta = Implicit ? 1.0 : 0.5;
  const double omega2 = FSpeed.MeanOmegaSquared(FTime, FTime + Dt);
  if (omega2 != FOmega2) UpdateFluxCoefficients(omega2);
  if (Dt != FFactorDt || theta != FFactorTheta) FactorSystem(Dt, theta);

  const int n = Cells();
  double* c = FConcentration.data();
  const double* left = FLeft.data();
  const double* right = FRight.data();
  const double* volume = FVolume.data();
  double* rhs = FRhs.data();
  const double explicitWeight = (1 - theta) * Dt;
  // Right-hand side: V c + (1 - theta) dt (flux in - flux out); the wall
  // faces carry zero coefficients.
  rhs[0] = volume[0] * c[0] + explicitWeight * (right[1] * c[1] - left[1] * c[0]);
  for (int i = 1; i + 1 < n; ++i) {
    const double net =
        left[i] * c[i - 1] - (right[i] + left[i + 1]) * c[i] + right[i + 1] * c[i + 1];
    rhs[i] = volume[i] * c[i] + explicitWeight * net;
  }
  rhs[n - 1] = volume[n - 1] * c[n - 1] +
               explicitWeight * (left[n - 1] * c[n - 2] - right[n - 1] * c[n - 1]);
  // Forward elimination and back substitution with the cached factors.
  const double* lower = FLowerRatio.data();
  const double* inversePivot = FInversePivot.data();
  for (int i = 1; i < n; ++i) rhs[i] -= lower[i] * rhs[i - 1];
  const double upperScale = -theta * Dt;
  c[n - 1] = rhs[n - 1] * inversePivot[n - 1];
  for (int i = n - 2; i >= 0; --i)
    c[i] = (rhs[i] - upperScale * right[i + 1] * c[i + 1]) * inversePivot[i];
  ++FStepCount;
}

void LammSolver::UpdateFluxCoefficients(double Omega2) {
  const int n = Cells();
  FLeft.assign(static_cast<size_t>(n + 1), 0.0);
  FRight.assign(static_cast<size_t>(n + 1), 0.0);
  const double diffusive = FSample.D / FWidth;
  for (int j = 1; j < n; ++j) {
    const double face = FMeniscus + j * FWidth;
    // Cell Peclet number of the face: sedimentation speed times width over D.
    const double peclet = FSample.s * Omega2 * face * FWidth / FSample.D;
    FLeft[j] = face * diffusive * Bernoulli(-peclet);
    FRight[j] = face * diffusive * Bernoulli(peclet);
  }
  FOmega2 = Omega2;
  FFactorDt = -1;
}

void LammSolver::FactorSystem(double Dt, double Theta) {
  // Rows are scaled by the cell volume, which makes the matrix diagonally
  // dominant by columns: elimination without pivoting is stable.
  const int n = Cells();
  FInversePivot.resize(static_cast<size_t>(n));
  FLowerRatio.assign(static_cast<size_t>(n), 0.0);
  FRhs.resize(static_cast<size_t>(n));
  const double w = Theta * Dt;
  double pivot = FVolume[0] + w * (FRight[0] + FLeft[1]);
  FInversePivot[0] = 1 / pivot;
  for (int i = 1; i < n; ++i) {
    const double lower = -w * FLeft[i];
    const double upperAbove = -w * FRight[i];
    const double diagonal = FVolume[i] + w * (FRight[i] + FLeft[i + 1]);
    FLowerRatio[i] = lower / pivot;
    pivot = diagonal - FLowerRatio[i] * upperAbove;
    FInversePivot[i] = 1 / pivot;
  }
  FFactorDt = Dt;
  FFactorTheta = Theta;
}

double LammSolver::ValueAt(double Radius) const {
  if (Radius < FMeniscus) return 0;
  const int n = Cells();
  // Between a wall and the nearest centre the two end cells are extrapolated.
  const double u = std::min((Radius - CellCentre(0)) / FWidth, n - 0.5);
  const int i = std::clamp(static_cast<int>(std::floor(u)), 0, n - 2);
  const double fraction = u - i;
  const double a = FConcentration[i];
  const double b = FConcentration[i + 1];
  if (a > 0 && b > 0) return a * std::pow(b / a, fraction);
  if (fraction < 0) return a;
  if (fraction > 1) return b;
  return a + fraction * (b - a);
}

double LammSolver::TotalMass() const {
  double mass = 0;
  for (int i = 0; i < Cells(); ++i) mass += FVolume[i] * FConcentration[i];
  return mass;
}

double LammSolver::SecondMomentRadius(double PlateauRadius) const {
  const int n = Cells();
  const int face =
      std::clamp(static_cast<int>(std::lround((PlateauRadius - FMeniscus) / FWidth)), 1, n - 1);
  const double radius = FMeniscus + face * FWidth;
  double mass = 0;
  for (int i = 0; i < face; ++i) mass += FVolume[i] * FConcentration[i];
  const double plateau = (FConcentration[face - 1] + FConcentration[face]) / 2;
  if (plateau <= 0) return 0;
  return std::sqrt(std::max(radius * radius - 2 * mass / plateau, 0.0));
}
