#pragma once

#include <utility>
#include <vector>

class ChannelDataStore;
struct GuiSettings;

// One point of a grid point's fit: U = 1/sqrt(t), W = 1/t with t in seconds,
// Z = ln(value / s*) as the fit used it (after smoothing).
struct TFitPoint {
  double U = 0.0;
  double W = 0.0;
  double Z = 0.0;
};

// The extrapolation of one s* grid point to infinite time. Without a value,
// Error holds the ignore tag and the coefficients are 0.
struct TGridExtrapolation {
  bool HasValue = false;
  // Left without a value because the ending set stands no higher than the
  // cutoff there.
  bool BelowCutoff = false;
  double Value = 0.0;
  double Error = 0.0;  // standard error of Value
  double A0 = 0.0;     // Z = A0 + A1 U + A2 W
  double A1 = 0.0;
  double A2 = 0.0;
  std::vector<TFitPoint> Points;  // in set order; kept when too few to fit
};

// Extrapolation of the smoothed corrected distributions to infinite time
// (logic role, no widgets): per s* grid point a quadratic in 1/sqrt(t) is
// fitted to the logarithms of a range of sets and read at 1/sqrt(t) = 0.
class ExtrapolationFit {
 public:
  static constexpr int MaxGridPoints = 4096;
  static constexpr int MaxFitPoints = 1000;
  static constexpr int CurvePoints = 20;

  // IgnoreTag is the error of a grid point without a value. The four
  // extrapolation settings are copied.
  ExtrapolationFit(const GuiSettings& Gui, double IgnoreTag);

  // Fits every grid point from set Start to set End of Smoothed. Returns the
  // number of grid points with a value, or -1, leaving the previous results,
  // when fewer than four sets follow Start up to End (after limiting both to
  // the store) or the store holds three sets or fewer.
  int Compute(const ChannelDataStore& Smoothed, int End, int Start);
  // Grid points of the last successful Compute (at most MaxGridPoints).
  int GridSize() const { return static_cast<int>(FGrid.size()); }
  // A point without a value for J outside 0 .. GridSize()-1.
  const TGridExtrapolation& At(int J) const;
  bool AnyValue() const { return FValueCount > 0; }
  // Grid points of the last Compute whose fit could not be solved. The fits
  // share their set times, so one bad set of times fails them all: the
  // caller reports it once instead of once per grid point.
  int FailedFits() const { return FFailedFits; }
  // Grid points of the last Compute left without a value because s* lies
  // below the smallest extrapolated, because the ending set stands no higher
  // than the cutoff there, because fewer than four sets hold a value above
  // the baseline there, or because the fit diverged.
  int BelowMinimumS() const { return FBelowMinimumS; }
  int BelowCutoff() const { return FBelowCutoff; }
  int TooFewValues() const { return FTooFewValues; }
  int DivergedFits() const { return FDivergedFits; }
  // The value every set must exceed at a grid point to take part in its fit.
  static double MinimumFitValue();

  // The fit drawn against 1/sqrt(t): (0, A0), then CurvePoints-1 points up to
  // 0.95 of the last fit point's U. Empty without a value.
  static std::vector<std::pair<double, double>> FitCurve(const TGridExtrapolation& G);
  // The fit at one of its points.
  static double FitValue(const TGridExtrapolation& G, const TFitPoint& P);

 private:
  // One set of the fitted range, looked up once per Compute.
  struct TSetColumn {
    const double* Y = nullptr;
    const double* Error = nullptr;
    double T = 0.0;  // s
  };

  void FitGridPoint(int J, double X, double EndValue, double Limit);

  double FCutoff;  // fraction of the largest smoothed value
  double FMinLogS;
  int FSmoothRepetition;
  int FSmoothCarSize;
  double FIgnoreTag;
  // caches: rebuilt by every Compute that runs; the vectors keep their
  // capacity so later Computes do not allocate.
  std::vector<TGridExtrapolation> FGrid;
  TGridExtrapolation FNoValue;
  std::vector<TSetColumn> FSets;
  std::vector<double> FU, FW, FZ;
  int FValueCount = 0;
  int FFailedFits = 0;
  int FBelowMinimumS = 0;
  int FBelowCutoff = 0;
  int FTooFewValues = 0;
  int FDivergedFits = 0;
};
