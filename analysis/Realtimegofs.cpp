#include "analysis/Realtimegofs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/MessageBox.h"

namespace {

// omega^2 in rad^2/s^2 of a rotor speed in rpm.
double OmegaSquared(double Rpm) {
  return Rpm * Rpm * 0.01096622711;
}

bool Finite(double Value) {
  return std::isfinite(Value);
}

std::unique_ptr<ChannelDataStore> StoreOnGrid(GofsSettings* Settings, const double* Grid, int N) {
  return std::make_unique<ChannelDataStore>(Settings, Grid, N);
}

}  // namespace

// Failure boxes raised inside one pass (every pair, every set) are shown once
// per pass; outside a pass every operation is its own pass.
class RealTimeGofS::PassScope {
 public:
  explicit PassScope(RealTimeGofS& Owner) : FOwner(Owner) {
    if (FOwner.FPassDepth++ == 0) FOwner.FShownThisPass.clear();
  }
  ~PassScope() { --FOwner.FPassDepth; }
  PassScope(const PassScope&) = delete;
  PassScope& operator=(const PassScope&) = delete;

 private:
  RealTimeGofS& FOwner;
};

RealTimeGofS::RealTimeGofS() = default;

RealTimeGofS::~RealTimeGofS() = default;

void RealTimeGofS::ReportFailure(const std::string& Text) {
  StatusText += "\n" + Text + "  ";
  if (FPassDepth == 0 || FShownThisPass.insert(Text).second) ShowMessageBox(Text);
}

void RealTimeGofS::DeleteStores() {
  RawStore.reset();
  DcdtStore.reset();
  AveragedStore.reset();
  CorrectedStore.reset();
  SmoothedStore.reset();
  ExtrapolationStore.reset();
}

bool RealTimeGofS::StoresReady() const {
  for (const auto* store : {RawStore.get(), DcdtStore.get(), AveragedStore.get(),
                            SmoothedStore.get(), CorrectedStore.get(), ExtrapolationStore.get()})
    if (store == nullptr || store->Status != StoreStatusMemoryInitialized) return false;
  return true;
}

// ------------------------------------------------------------------ CreateX

int RealTimeGofS::CreateX(const double* Radius, int N) {
  DeleteStores();
  Created = false;
  ++FDcdtEpoch;
  FPartnerPairsCover = -1;
  ++FAveragedEpoch;
  FFullStoreNoted = false;
  FLogRadiiMeniscus = 0.0;  // a new raw grid: no meniscus is valid for the cache
  RawStore = StoreOnGrid(&Settings, Radius, Radius != nullptr ? N : 0);
  DcdtStore = std::make_unique<ChannelDataStore>(
      &Settings, std::log(Settings.LowS), std::log(Settings.HighS), Settings.sGridNumberOfPoints);
  const double* sGrid = DcdtStore->GetGrid();
  const int sPoints = DcdtStore->GetNumberOfPoints();
  AveragedStore = StoreOnGrid(&Settings, sGrid, sPoints);
  SmoothedStore = StoreOnGrid(&Settings, sGrid, sPoints);
  CorrectedStore = StoreOnGrid(&Settings, sGrid, sPoints);
  ExtrapolationStore = StoreOnGrid(&Settings, sGrid, sPoints);
  if (!StoresReady()) {
    StatusText += "Unexpected error in CreateX.  ";
    StatusText += "\n";
    return -1;
  }

  const auto rawPoints = static_cast<size_t>(RawStore->GetNumberOfPoints());
  const auto gridPoints = static_cast<size_t>(sPoints);
  for (auto* buffer : {&FPairX, &FPairY, &FPairError}) buffer->assign(rawPoints, 0.0);
  for (auto* buffer : {&FSum, &FAverage, &FAverageError, &FValidX, &FValidY, &FValidError,
                       &FIntegral, &FCorrected})
    buffer->assign(gridPoints, 0.0);
  FCount.assign(gridPoints, 0.0);
  LastCorrectedX.assign(sGrid, sGrid + sPoints);
  LastCorrectedY.assign(gridPoints, 0.0);
  LastCorrectedError.assign(gridPoints, 0.0);
  ResetKeptCurve();

  Created = true;
  SetAxisTitles();
  return 0;
}

void RealTimeGofS::SetAxisTitles() {
  auto title = [](ChannelDataStore* store, const char* x, const char* y) {
    if (store == nullptr) return;
    store->XTitle = x;
    store->YTitle = y;
  };
  title(RawStore.get(), "Radius cm", "c");
  title(DcdtStore.get(), "s* Svedburgs", "t (dc/dt)");
  title(AveragedStore.get(), "s* Svedburgs", "t (dc/dt)");
  title(CorrectedStore.get(), "s* Svedburgs", "s g(s)");
  title(ExtrapolationStore.get(), "1/sqrt(t)", "log(t(dc/dt))");
}

// -------------------------------------------------------------- IPtransform

int RealTimeGofS::IPtransform() {
  if (RawStore == nullptr || RawStore->GetNumberOfSets() < 1) return -1;
  if (JitterCorrectionOn) RawStore->RemoveJitterAllSets(JitterPosition, Settings.JitterWindow);
  if (FringeCorrectionOn) RawStore->FixIntegralFringeAllSets(FringePosition);
  return 0;
}

int RealTimeGofS::IPtransformSet(int Set) {
  if (RawStore == nullptr || Set < 0 || Set >= RawStore->GetNumberOfSets()) return -1;
  if (JitterCorrectionOn) RawStore->RemoveJitter(Set, JitterPosition, Settings.JitterWindow);
  if (FringeCorrectionOn)
    for (int set = std::max(Set, 1); set < RawStore->GetNumberOfSets(); ++set)
      RawStore->FixIntegralFringe(set, FringePosition);
  return 0;
}

// ------------------------------------------------------- EstimateDeltaOmsqt

double RealTimeGofS::EstimateDeltaOmsqt(double Omega2t, double Meniscus, double Bottom,
                                        double /*Rpm*/, double Time) {
  // Every quantity is checked: a bad header or position must take the
  // failure path instead of spreading NaN through the pairs.
  const double mid = (Bottom + Meniscus) * 0.5;
  double result = std::numeric_limits<double>::quiet_NaN();
  bool capped = false;
  if (Omega2t > 0.0 && Meniscus > 0.0 && Time >= 0.0) {
    if (UseMolecularWeight) {
      const double s = std::pow(MolecularWeight * 0.001, 0.6666666) * 1e-13 * 0.3125;
      const double d = 9.1e10 * s / MolecularWeight;
      const double width = std::sqrt(d * Time) * 1.665;
      const double rb = Meniscus * std::exp(s * Omega2t);
      result = (std::log(rb + width) - std::log(rb)) / s;
      capped = result / Omega2t > Settings.MaxAveragingPercent && rb > mid;
    } else {
      const double s = std::log(mid / Meniscus) / Omega2t;
      const double d = 9.34e10 * s / (6270.0 * std::pow(s * 1e13, 1.5));
      const double width = std::sqrt(d * Time) * 1.665;
      result = (std::log(mid + width) - std::log(mid)) / s;
      capped = result / Omega2t > Settings.MaxAveragingPercent;
    }
  }
  if (!Finite(result) || result < 0.0) {
    ReportFailure("Failed EstimateDeltaOmsqt");
    return 0.0;
  }
  return capped ? Settings.MaxAveragingPercent * Omega2t : result;
}

// ------------------------------------------------------------- dc/dt pairs

int RealTimeGofS::PartnerOf(int I) {
  const ScanHeader& scan = RawStore->Headers[static_cast<size_t>(I)];
  const double half =
      EstimateDeltaOmsqt(scan.Omega2t, MeniscusRadius, CellBottom, scan.Rpm, scan.TimeUsed) *
      Settings.dcdtWindowFactor * 0.5;
  const double target = scan.Omega2t - half;
  for (int j = I - 2; j >= 0; --j)
    if (RawStore->Headers[static_cast<size_t>(j)].Omega2t < target) return j;
  return -1;
}

// ln(r / meniscus) of every raw grid point: the same for every pair of a
// pass, so it is worked out once per raw grid and meniscus.
const double* RealTimeGofS::LogRadii() {
  const int n = RawStore->GetNumberOfPoints();
  if (FLogRadiiMeniscus != MeniscusRadius || FLogRadii.size() != static_cast<size_t>(n)) {
    FLogRadii.resize(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
      FLogRadii[static_cast<size_t>(k)] = std::log(RawStore->GetX(k) / MeniscusRadius);
    FLogRadiiMeniscus = MeniscusRadius;
  }
  return FLogRadii.data();
}

RealTimeGofS::PairResult RealTimeGofS::AddPair(int J, int I, double W2) {
  const ScanHeader& later = RawStore->Headers[static_cast<size_t>(I)];
  const double tj = RawStore->Headers[static_cast<size_t>(J)].TimeUsed;
  const double ti = later.TimeUsed;
  const double tPair = 2.0 / (1.0 / tj + 1.0 / ti);
  const double dt = ti - tj;
  if (!(tj > 0.0 && ti > 0.0 && dt > 0.0 && W2 > 0.0) || !Finite(tPair) || !Finite(dt) ||
      !Finite(W2))
    return PairResult::Failed;

  const double low = MeniscusRadius + Settings.DefaultMeniscusIgnore;
  const double high = CellBottom - Settings.DefaultBottomIgnore;
  const int n = RawStore->GetNumberOfPoints();
  const double* radius = RawStore->GetGrid();
  const double* logRadius = LogRadii();
  const double *yj = RawStore->GetYArray(J), *yi = RawStore->GetYArray(I);
  const double *errorj = RawStore->GetErrorArray(J), *errori = RawStore->GetErrorArray(I);
  for (int k = 0; k < n; ++k) {
    const double r = radius[k];
    const auto slot = static_cast<size_t>(k);
    if (r > low && r < high) {
      FPairX[slot] = std::log(logRadius[k] / tPair / W2);
      // A scan without data at this radius must not pass for a real
      // concentration of zero.
      const bool bothHaveData = errorj[k] >= 0.0 && errori[k] >= 0.0;
      FPairY[slot] = bothHaveData ? (yj[k] - yi[k]) * tPair / dt : 0.0;
      FPairError[slot] = bothHaveData ? Settings.DefaultPositiveError : Settings.DefaultIgnoreTag;
      if (!Finite(FPairX[slot]) || !Finite(FPairY[slot])) return PairResult::Failed;
    } else {
      FPairX[slot] = r <= low ? Settings.LowLogS : Settings.HighLogS;
      FPairY[slot] = 0.0;
      FPairError[slot] = Settings.DefaultIgnoreTag;
    }
  }
  ScanHeader header = later;
  header.TimeUsed = tPair;
  header.Omega2t = W2 * tPair;
  header.FirstSourceSet = J;
  header.LastSourceSet = I;
  const int added = DcdtStore->AddSetWithErrors(FPairX.data(), FPairY.data(), FPairError.data(), n,
                                                header, tPair);
  return added >= 0 ? PairResult::Added : PairResult::Refused;
}

void RealTimeGofS::NoteFullRawStore() {
  if (FFullStoreNoted || RawStore->GetNumberOfSets() < ChannelDataStore::MaxSets) return;
  FFullStoreNoted = true;
  StatusText += "\nThe raw store holds 999 scans; later scans are left out.  ";
}

int RealTimeGofS::Refreshdcdtvss() {
  PassScope pass(*this);
  if (DcdtStore != nullptr) DcdtStore->ClearSets();
  ++FDcdtEpoch;
  FPartnerPairsCover = -1;
  if (!Created || RawStore->GetNumberOfSets() < 2 || !(MeniscusRadius > 0.0)) return -1;
  NoteFullRawStore();

  const int n = RawStore->GetNumberOfSets();
  const int last = n - 1;
  const double w2 = OmegaSquared(RawStore->Headers[static_cast<size_t>(last)].Rpm);
  const int partner = PartnerOf(last);
  // A pair that cannot be computed ends the pass; the sets made so far stay.
  auto add = [&](int j, int i, const char* refusal) {
    const PairResult result = AddPair(j, i, w2);
    if (result == PairResult::Refused) StatusText += refusal;
    if (result == PairResult::Failed) StatusText += "\nA scan pair could not be computed.  ";
    return result != PairResult::Failed;
  };

  if (n < 4) {
    add(0, last, "\n+Error adding a set.  ");
  } else if (n - 1 - partner <= partner) {
    bool complete = true;
    for (int i = 0; i < n && complete; ++i) {
      const int j = PartnerOf(i);
      complete = j < 0 || add(j, i, "\nError adding a set in Refreshdcdtvss.  ");
    }
    if (complete) FPartnerPairsCover = n;
  } else {
    const int lag = n / 2 - 1;
    for (int i = lag; i < n; ++i)
      if (!add(i - lag, i, "\nError adding a set.  ")) break;
  }
  return 0;
}

int RealTimeGofS::AddOnedcdtvss(int RawSet) {
  PassScope pass(*this);
  if (!Created || RawStore->GetNumberOfSets() < 2 || !(MeniscusRadius > 0.0)) return -1;
  const int n = RawStore->GetNumberOfSets();
  if (RawSet < 0 || RawSet >= n) return -1;
  NoteFullRawStore();

  const double w2 = OmegaSquared(RawStore->Headers[static_cast<size_t>(RawSet)].Rpm);
  const int partner = PartnerOf(RawSet);
  // Appending gives a full pass's result only for the newest scan, on a
  // store of partner pairs of every scan before it; otherwise the live
  // viewer would end with other pairs than a reload of the same files.
  if (partner < n - partner - 1 || RawSet != n - 1 || FPartnerPairsCover != RawSet) {
    Refreshdcdtvss();
    return 0;
  }
  switch (AddPair(partner, RawSet, w2)) {
    case PairResult::Added: FPartnerPairsCover = n; return 0;
    case PairResult::Refused:
      // A full pass would have gone on without this pair as well.
      FPartnerPairsCover = n;
      StatusText += "\nError adding a set in AddOnedcdtvss.  ";
      return -1;
    case PairResult::Failed: break;
  }
  ReportFailure("Failed RealTimeGofS::AddOnedcdtvss");
  return -1;
}

// ---------------------------------------------------------------- Averaging

std::vector<double> RealTimeGofS::AveragingInputs() const {
  return {MeniscusRadius,
          CellBottom,
          UseMolecularWeight ? 1.0 : 0.0,
          MolecularWeight,
          Settings.dcdtWindowFactor,
          Settings.MaxAveragingPercent,
          Settings.DefaultNegativeTag,
          Settings.DefaultPositiveError,
          static_cast<double>(RawStore != nullptr ? std::min(RawStore->GetNumberOfSets(), 2) : 0)};
}

std::vector<double> RealTimeGofS::CorrectionInputs() const {
  return {static_cast<double>(Settings.SmoothRepetition),
          static_cast<double>(Settings.SmoothCarSize), Settings.DefaultPositiveError,
          Settings.DefaultNegativeTag};
}

// True when the output store still holds exactly what the last build made
// and the source only gained sets since: appending the new sets then gives
// bit for bit what a full rebuild would.
bool RealTimeGofS::CanExtend(const BuildRecord& Record, long long Epoch, int SourceSets,
                             int OutputSets, const std::vector<double>& Inputs) const {
  return Record.SourceEpoch == Epoch && SourceSets >= Record.SourceSets &&
         OutputSets == Record.OutputSets && Inputs == Record.Inputs;
}

namespace {

// Two doubles and two 64-bit masks, as one vector register holds them on
// any target the compiler knows (two plain values where it has none).
using DoublePair = double __attribute__((vector_size(16)));
using MaskPair = long long __attribute__((vector_size(16)));

// Adds, point by point in set order, the values of the sets with a positive
// error to Sum and counts them in Count, for the 8 points from Offset. The
// sums stay in registers across the sets, and a point's value is masked
// instead of branched on: this is most of the averaging pass. Masking gives
// +0.0 for a point without data, and adding +0.0 to a sum that starts at
// +0.0 changes no bit, so every sum is what adding the valid values one set
// after the other gives.
void SumEightPoints(const double* const* Values, const double* const* Errors, int Sets, int Offset,
                    double* Sum, double* Count) {
  constexpr int pairs = 4;
  const DoublePair zero = {0.0, 0.0};
  const MaskPair one = (MaskPair)(DoublePair{1.0, 1.0});
  DoublePair sum[pairs] = {zero, zero, zero, zero};
  DoublePair count[pairs] = {zero, zero, zero, zero};
  for (int s = 0; s < Sets; ++s) {
    const double* y = Values[s] + Offset;
    const double* error = Errors[s] + Offset;
    // Each set is read a block at a time, too many streams for the
    // processor to foresee: a poll's sets come from memory, not the cache,
    // and asking for the block after next halves its averaging time.
    __builtin_prefetch(y + 16);
    __builtin_prefetch(error + 16);
    for (int p = 0; p < pairs; ++p) {
      DoublePair value;
      DoublePair tag;
      std::memcpy(&value, y + 2 * p, sizeof value);
      std::memcpy(&tag, error + 2 * p, sizeof tag);
      const MaskPair valid = (MaskPair)(tag > zero);
      sum[p] += (DoublePair)((MaskPair)value & valid);
      count[p] += (DoublePair)(one & valid);
    }
  }
  std::memcpy(Sum + Offset, sum, sizeof sum);
  std::memcpy(Count + Offset, count, sizeof count);
}

// The same for one point.
void SumOnePoint(const double* const* Values, const double* const* Errors, int Sets, int Offset,
                 double* Sum, double* Count) {
  double sum = 0.0;
  double count = 0.0;
  for (int s = 0; s < Sets; ++s) {
    const bool valid = Errors[s][Offset] > 0.0;
    sum = sum + (valid ? Values[s][Offset] : 0.0);
    count = count + (valid ? 1.0 : 0.0);
  }
  Sum[Offset] = sum;
  Count[Offset] = count;
}

}  // namespace

void RealTimeGofS::SumValidValues(int First, int Last) {
  FSetValues.clear();
  FSetErrors.clear();
  for (int s = First; s <= Last; ++s) {
    FSetValues.push_back(DcdtStore->GetYArray(s));
    FSetErrors.push_back(DcdtStore->GetErrorArray(s));
  }
  const int n = DcdtStore->GetNumberOfPoints();
  const int sets = Last - First + 1;
  int k = 0;
  for (; k + 8 <= n; k += 8)
    SumEightPoints(FSetValues.data(), FSetErrors.data(), sets, k, FSum.data(), FCount.data());
  for (; k < n; ++k)
    SumOnePoint(FSetValues.data(), FSetErrors.data(), sets, k, FSum.data(), FCount.data());
}

int RealTimeGofS::MakeAvgdcdt(int A) {
  if (!Created) return -1;
  if (RawStore->GetNumberOfSets() < 2 || !(MeniscusRadius > 0.0)) return -1;
  if (A <= 0) return 0;
  if (A >= DcdtStore->GetNumberOfSets()) return -1;

  const ScanHeader& source = DcdtStore->Headers[static_cast<size_t>(A)];
  const double w2 = OmegaSquared(source.Rpm);
  const double span =
      EstimateDeltaOmsqt(source.Omega2t, MeniscusRadius, CellBottom, source.Rpm, source.TimeUsed) *
      Settings.dcdtWindowFactor;
  const double limit = source.Omega2t - span;
  if (!Finite(span) || span < 0.0 || !Finite(limit)) {
    ReportFailure("Failed RealTimeGofS::MakeAvgdcdt");
    return -1;
  }

  // The averaged sets start one set before the span (kept: results depend on it).
  int first = 0;
  if (limit >= 0.0)
    for (int f = A; f >= 0; --f)
      if (DcdtStore->Headers[static_cast<size_t>(f)].Omega2t < limit) {
        first = f;
        break;
      }
  const int m = A - first + 1;
  double inverseTimes = 0.0;
  for (int s = first; s <= A; ++s)
    inverseTimes += 1.0 / DcdtStore->Headers[static_cast<size_t>(s)].TimeUsed;
  const double tAverage = m / inverseTimes;
  if (!Finite(inverseTimes) || !(tAverage > 0.0) || !Finite(tAverage)) {
    ReportFailure("Failed RealTimeGofS::MakeAvgdcdt");
    return -1;
  }

  const int n = DcdtStore->GetNumberOfPoints();
  SumValidValues(first, A);
  int lastFull = 0;
  for (int k = 0; k < n; ++k) {
    const auto slot = static_cast<size_t>(k);
    if (FCount[slot] == 0) {
      FAverage[slot] = 0.0;
      FAverageError[slot] = Settings.DefaultNegativeTag;
      continue;
    }
    FAverage[slot] = FSum[slot] / FCount[slot];
    FAverageError[slot] = Settings.DefaultPositiveError;
    if (FCount[slot] == m) lastFull = k;
  }

  ScanHeader header = source;
  header.FirstSourceSet = first;
  header.LastSourceSet = A;
  header.LastValidPoint = lastFull;
  header.TimeUsed = tAverage;
  header.Omega2t = w2 * tAverage;
  // A refusal (time not rising) is not reported: the set is simply left out.
  AveragedStore->AddSetWithErrors(DcdtStore->GetGrid(), FAverage.data(), FAverageError.data(), n,
                                  header, tAverage);
  return 0;
}

int RealTimeGofS::MakeAllAvgdcdt() {
  PassScope pass(*this);
  if (!Created) return -1;
  const int sources = DcdtStore->GetNumberOfSets();
  const std::vector<double> inputs = AveragingInputs();
  int from = 1;
  if (CanExtend(FAveragedBuild, FDcdtEpoch, sources, AveragedStore->GetNumberOfSets(), inputs)) {
    from = FAveragedBuild.SourceSets;
  } else {
    AveragedStore->ClearSets();
    ++FAveragedEpoch;
  }
  for (int a = std::max(from, 1); a < sources; ++a) MakeAvgdcdt(a);
  FAveragedBuild = {FDcdtEpoch, sources, AveragedStore->GetNumberOfSets(), inputs};
  return sources - 1;
}

// --------------------------------------------------------------- Correction

void RealTimeGofS::ResetKeptCurve() {
  std::fill(LastCorrectedError.begin(), LastCorrectedError.end(), Settings.DefaultNegativeTag);
  FirstCorrectedPending = true;
}

void RealTimeGofS::KeepCorrected(int C, int LastPoint) {
  const int n =
      std::min(CorrectedStore->GetNumberOfPoints(), static_cast<int>(LastCorrectedX.size()));
  const int end = FirstCorrectedPending ? n - 1 : std::min(LastPoint, n - 1);
  const auto count = static_cast<size_t>(std::max(end + 1, 0));
  if (FirstCorrectedPending) std::copy_n(CorrectedStore->GetGrid(), count, LastCorrectedX.begin());
  std::copy_n(CorrectedStore->GetYArray(C), count, LastCorrectedY.begin());
  std::copy_n(CorrectedStore->GetErrorArray(C), count, LastCorrectedError.begin());
  FirstCorrectedPending = false;
}

int RealTimeGofS::MakeCorrecteddCdT(int A) {
  if (!Created) return -1;
  if (A < 0 || A >= AveragedStore->GetNumberOfSets()) return -1;
  const int n = AveragedStore->GetNumberOfPoints();
  const ScanHeader& source = AveragedStore->Headers[static_cast<size_t>(A)];
  const double w2 = OmegaSquared(source.Rpm);
  const double t = source.TimeUsed;

  const double* grid = AveragedStore->GetGrid();
  const double* averaged = AveragedStore->GetYArray(A);
  const double* errors = AveragedStore->GetErrorArray(A);
  int m = 0;
  for (int k = 0; k < n; ++k) {
    if (errors[k] < 0.0) continue;
    const auto slot = static_cast<size_t>(m++);
    FValidX[slot] = grid[k];
    FValidY[slot] = averaged[k];
    FValidError[slot] = Settings.DefaultPositiveError;
  }
  // Fewer than two points give no integral: make no set, keep the kept curve.
  if (m < 2) return m;

  // Running integral over s of the averaged t dc/dt (exp(X) dX = ds); the
  // last step is a half step. A term that is not finite repeats the sum.
  auto term = [&](int i, double weight) {
    const auto at = static_cast<size_t>(i);
    return weight * std::exp(FValidX[at]) * FValidY[at] * (FValidX[at] - FValidX[at - 1]);
  };
  FIntegral[0] = 0.0;
  for (int i = 1; i < m; ++i) {
    const double step = term(i, i == m - 1 ? 0.5 : 1.0);
    const auto at = static_cast<size_t>(i);
    FIntegral[at] = FIntegral[at - 1] + (Finite(step) ? step : 0.0);
  }
  for (int i = 0; i < m; ++i) {
    const auto at = static_cast<size_t>(i);
    FCorrected[at] = FValidY[at] - 2.0 * w2 * t * FIntegral[at];
  }

  const int c = CorrectedStore->AddSetWithErrors(FValidX.data(), FCorrected.data(),
                                                 FValidError.data(), m, source, t);
  if (c < 0) return m;
  KeepCorrected(c, CorrectedStore->Headers[static_cast<size_t>(c)].LastValidPoint);
  const int s = SmoothedStore->CopySetFrom(*CorrectedStore, c);
  if (s >= 0)
    BoxcarSmooth(SmoothedStore->GetYArray(s), SmoothedStore->GetNumberOfPoints(),
                 Settings.SmoothRepetition, Settings.SmoothCarSize);
  // Both copies carry the averaged set's validity tags.
  CorrectedStore->SetErrors(c, errors);
  if (s >= 0) SmoothedStore->SetErrors(s, errors);
  return m;
}

int RealTimeGofS::MakeAllCorrecteddCdT() {
  PassScope pass(*this);
  if (!Created) return -1;
  const int sources = AveragedStore->GetNumberOfSets();
  const std::vector<double> inputs = CorrectionInputs();
  int from = 0;
  if (CanExtend(FCorrectedBuild, FAveragedEpoch, sources, CorrectedStore->GetNumberOfSets(),
                inputs) &&
      SmoothedStore->GetNumberOfSets() == FCorrectedBuild.OutputSets) {
    from = FCorrectedBuild.SourceSets;
  } else {
    // Nothing computed with an old meniscus or old settings may survive.
    ResetKeptCurve();
    CorrectedStore->ClearSets();
    SmoothedStore->ClearSets();
  }
  for (int a = from; a < sources; ++a) MakeCorrecteddCdT(a);
  FCorrectedBuild = {FAveragedEpoch, sources, CorrectedStore->GetNumberOfSets(), inputs};
  return sources - 1;
}

// -------------------------------------------------------- Set descriptions

std::string RealTimeGofS::GetSetDescription(const ChannelDataStore* Store, int Set) const {
  if (Store == nullptr || RawStore == nullptr || Set < 0 || Set >= ChannelDataStore::SlotCount)
    return {};
  auto headerOf = [](const ChannelDataStore* store, int set) -> const ScanHeader* {
    if (store == nullptr || set < 0 || set >= ChannelDataStore::SlotCount) return nullptr;
    return &store->Headers[static_cast<size_t>(set)];
  };
  auto rawName = [&](int set) {
    const ScanHeader* header = headerOf(RawStore.get(), set);
    return header != nullptr ? header->FileName : std::string();
  };
  // The raw scans of dc/dt set d: its first and second scan.
  auto pairNames = [&](int d) {
    const ScanHeader* pair = headerOf(DcdtStore.get(), d);
    if (pair == nullptr) return std::string(" - ");
    return rawName(pair->FirstSourceSet) + " - " + rawName(pair->LastSourceSet);
  };

  const ScanHeader& header = Store->Headers[static_cast<size_t>(Set)];
  if (Store == RawStore.get()) return rawName(Set) + "^" + header.TitleLine + header.HeaderLine;
  if (Store == DcdtStore.get())
    return rawName(header.FirstSourceSet) + " - " + rawName(header.LastSourceSet) + "^";
  if (Store != AveragedStore.get() && Store != CorrectedStore.get()) return {};

  const ScanHeader* firstPair = headerOf(DcdtStore.get(), header.FirstSourceSet);
  const ScanHeader* lastPair = headerOf(DcdtStore.get(), header.LastSourceSet);
  std::string text = (firstPair != nullptr ? rawName(firstPair->FirstSourceSet) : "") + " - " +
                     (lastPair != nullptr ? rawName(lastPair->LastSourceSet) : "") + "^";
  const int last = std::min(header.LastSourceSet, ChannelDataStore::SlotCount - 1);
  for (int d = std::max(header.FirstSourceSet, 0); d <= last; ++d) text += pairNames(d) + "  ";
  return text;
}

// ------------------------------------------------------------ Free helpers

int BoxcarSmooth(double* Values, int Count, int Repetitions, int CarSize) {
  if (Values == nullptr || Repetitions < 1 || CarSize < 1 || CarSize > Count - 1) return 0;
  // Values are addressed from 1: index 0 is never touched and the windows
  // end at Count-1.
  std::vector<double> work(static_cast<size_t>(Count), 0.0);
  for (int repetition = 0; repetition < Repetitions; ++repetition) {
    std::copy(Values + 1, Values + Count, work.begin() + 1);
    double sum = 0.0;
    for (int i = 1; i <= CarSize; ++i) sum += work[static_cast<size_t>(i)];
    int k = (CarSize + 1) / 2;
    Values[k] = sum / CarSize;
    for (int p = 2; p <= Count - CarSize; ++p) {
      sum += work[static_cast<size_t>(p + CarSize - 1)] - work[static_cast<size_t>(p - 1)];
      Values[++k] = sum / CarSize;
    }
  }
  return 0;
}

namespace {

int SaturatingTruncate(double Value) {
  if (!(Value < static_cast<double>(std::numeric_limits<int>::max())))
    return std::numeric_limits<int>::max();
  return static_cast<int>(Value);
}

}  // namespace

int Plateau2(const double* U, const double* V, const double* Y, int N, double* P0, double* Pu,
             double* Pv, double* Det, double* E0, double* Eu, double* Ev, bool ShowFailure) {
  double su = 0, sv = 0, suu = 0, suv = 0, svv = 0, sy = 0, suy = 0, svy = 0;
  for (int i = 0; i < N; ++i) {
    su += U[i];
    sv += V[i];
    suu += U[i] * U[i];
    suv += U[i] * V[i];
    svv += V[i] * V[i];
    sy += Y[i];
    suy += U[i] * Y[i];
    svy += V[i] * Y[i];
  }
  const double n = N;
  const double c1 = suu * svv - suv * suv;
  const double c2 = su * svv - suv * sv;
  const double c3 = su * suv - suu * sv;
  const double det = n * c1 - su * c2 + sv * c3;
  *Det = det;
  if (N < 1 || det == 0.0 || !Finite(det)) {
    if (ShowFailure) ShowMessageBox("Failed Plateau2");
    return -1;
  }
  const double f = suy * svv - svy * suv;
  const double m = su * svy - suy * sv;
  *P0 = (sy * c1 - su * f + sv * (suy * suv - svy * suu)) / det;
  *Pu = (n * f - sy * c2 + sv * m) / det;
  *Pv = (n * (svy * suu - suy * suv) - su * m + sy * c3) / det;

  double squares = 0.0;
  for (int i = 0; i < N; ++i) {
    const double residual = Y[i] - *P0 - *Pu * U[i] - *Pv * V[i];
    squares += residual * residual;
  }
  const double sigma = std::sqrt(squares) / (n - 1.0);
  // The slope errors come from the diagonal of the inverse normal matrix,
  // whose entries are never negative.
  *E0 = sigma * std::sqrt(c1 / det);
  *Eu = sigma * std::sqrt((n * svv - sv * sv) / det);
  *Ev = sigma * std::sqrt((n * suu - su * su) / det);
  if (!Finite(sigma) || !Finite(*P0) || !Finite(*Pu) || !Finite(*Pv)) {
    if (ShowFailure) ShowMessageBox("Failed Plateau2");
    return -1;
  }
  return SaturatingTruncate(sigma);
}
