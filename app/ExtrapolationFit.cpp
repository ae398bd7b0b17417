#include "app/ExtrapolationFit.h"

#include "analysis/Gofs2004.h"
#include "analysis/Guisettings.h"
#include "analysis/Realtimegofs.h"
#include "analysis/Zoqutils.h"

#include <algorithm>
#include <cmath>

namespace {

// Values at or below this are too close to the baseline for their logarithm
// to mean anything.
constexpr double MinimumValue = 0.01;
// exp(A0) beyond this is a diverged fit, not a distribution.
constexpr double MaximumIntercept = 100.0;

}  // namespace

ExtrapolationFit::ExtrapolationFit(const GuiSettings& Gui, double IgnoreTag)
    : FCutoff(Gui.ExtrapolationCutoff),
      FMinLogS(Gui.ExtrapolationMinLogS),
      FSmoothRepetition(Gui.ExtrapolationSmoothRepetition),
      FSmoothCarSize(Gui.ExtrapolationSmoothCarSize),
      FIgnoreTag(IgnoreTag) {
  FNoValue.Error = IgnoreTag;
}

int ExtrapolationFit::Compute(const ChannelDataStore& Smoothed, int End, int Start) {
  const int sets = Smoothed.GetNumberOfSets();
  const int start = std::max(0, Start);
  const int end = std::min(End, sets - 1);
  if (sets <= 3 || end - start <= 3) return -1;

  FSets.clear();
  for (int i = start; i <= end; ++i)
    FSets.push_back({Smoothed.GetYArray(i), Smoothed.GetErrorArray(i),
                     Smoothed.Headers[static_cast<size_t>(i)].TimeUsed});
  const int count = std::min(end - start + 1, MaxFitPoints);
  FU.resize(static_cast<size_t>(count));
  FW.resize(static_cast<size_t>(count));
  FZ.resize(static_cast<size_t>(count));

  // Only grid points where the newest set of the range stands out of the
  // baseline of the whole run are extrapolated.
  const double limit = FCutoff * FindLimits(&Smoothed, -1, true).YMaximum;
  const int n = std::min(Smoothed.GetNumberOfPoints(), MaxGridPoints);
  FGrid.resize(static_cast<size_t>(n));
  FValueCount = 0;
  FFailedFits = 0;
  FBelowMinimumS = 0;
  FBelowCutoff = 0;
  FTooFewValues = 0;
  FDivergedFits = 0;
  for (int j = 0; j < n; ++j) {
    FitGridPoint(j, Smoothed.GetX(j), Smoothed.GetY(end, j), limit);
    if (FGrid[static_cast<size_t>(j)].HasValue) ++FValueCount;
  }
  return FValueCount;
}

void ExtrapolationFit::FitGridPoint(int J, double X, double EndValue, double Limit) {
  TGridExtrapolation& g = FGrid[static_cast<size_t>(J)];
  g.HasValue = false;
  g.BelowCutoff = false;
  g.Value = 0.0;
  g.Error = FIgnoreTag;
  g.A0 = g.A1 = g.A2 = 0.0;
  g.Points.clear();
  // Both conditions are the same for every set of the range.
  if (!(X > FMinLogS)) {
    ++FBelowMinimumS;
    return;
  }
  if (!(EndValue > Limit)) {
    ++FBelowCutoff;
    g.BelowCutoff = true;
    return;
  }

  int m = 0;
  const auto j = static_cast<size_t>(J);
  for (const TSetColumn& set : FSets) {
    if (m >= MaxFitPoints) break;
    const double value = set.Y[j];
    if (!(set.Error[j] >= 0.0) || !(set.T > 0.0) || !(value > MinimumValue)) continue;
    const auto k = static_cast<size_t>(m++);
    FW[k] = 1.0 / set.T;
    FU[k] = std::sqrt(FW[k]);
    FZ[k] = std::log(value / std::exp(X));
  }
  if (m > 3) BoxcarSmooth(FZ.data(), m, FSmoothRepetition, FSmoothCarSize);
  for (int k = 0; k < m; ++k) {
    const auto at = static_cast<size_t>(k);
    g.Points.push_back({FU[at], FW[at], FZ[at]});
  }
  if (m <= 3) {
    ++FTooFewValues;
    return;
  }

  double a0 = 0.0, a1 = 0.0, a2 = 0.0, det = 0.0, e0 = 0.0, e1 = 0.0, e2 = 0.0;
  if (Plateau2(FU.data(), FW.data(), FZ.data(), m, &a0, &a1, &a2, &det, &e0, &e1, &e2, false) < 0) {
    ++FFailedFits;
    return;
  }
  // Closely spaced late sets make the normal equations so nearly singular
  // that rounding turns their determinant negative: the fit is then no more
  // than noise and its standard error not a number.
  if (!std::isfinite(e0) || a0 > MaximumIntercept) {
    ++FDivergedFits;
    return;
  }
  g.HasValue = true;
  g.A0 = a0;
  g.A1 = a1;
  g.A2 = a2;
  g.Value = std::exp(a0) * std::exp(X);
  g.Error = e0 * g.Value;
}

double ExtrapolationFit::MinimumFitValue() {
  return MinimumValue;
}

const TGridExtrapolation& ExtrapolationFit::At(int J) const {
  if (J < 0 || J >= GridSize()) return FNoValue;
  return FGrid[static_cast<size_t>(J)];
}

std::vector<std::pair<double, double>> ExtrapolationFit::FitCurve(const TGridExtrapolation& G) {
  std::vector<std::pair<double, double>> curve;
  if (!G.HasValue || G.Points.empty()) return curve;
  const double last = G.Points.back().U;
  curve.reserve(CurvePoints);
  curve.emplace_back(0.0, G.A0);
  for (int k = 1; k < CurvePoints; ++k) {
    const double x = 0.05 * k * last;
    curve.emplace_back(x, G.A0 + G.A1 * x + G.A2 * x * x);
  }
  return curve;
}

double ExtrapolationFit::FitValue(const TGridExtrapolation& G, const TFitPoint& P) {
  return G.A0 + G.A1 * P.U + G.A2 * P.W;
}
