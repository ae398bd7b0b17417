#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "analysis/Gofs2004.h"

// The analysis state of one data view: six set stores of one cell channel and
// the steps that turn raw concentration scans into dc/dt pairs on the ln s*
// grid, their averages, the corrected t dc/dt and g(s*) sets and their
// smoothed copies. Radii in cm, times in s, s* in seconds (1 S = 1e-13 s).
// No operation throws; failures leave texts in StatusText and negative results.
class RealTimeGofS {
 public:
  RealTimeGofS();
  ~RealTimeGofS();
  RealTimeGofS(const RealTimeGofS&) = delete;
  RealTimeGofS& operator=(const RealTimeGofS&) = delete;

  // (Re)creates the six stores on the raw radius grid and the s* grid.
  // 0, or -1 when a store could not be made.
  int CreateX(const double* Radius, int N);
  // Jitter and integral-fringe corrections of every raw set; 0, or -1.
  int IPtransform();
  // The corrections of one raw set exactly as IPtransform gives them to it
  // (jitter over the jitter window, then the fringe match to the corrected
  // set before it), for a set appended or replaced after the full pass; the
  // sets after it are matched again, each to its corrected predecessor.
  // 0, or -1 for a set not held.
  int IPtransformSet(int Set);
  // Recomputes every dc/dt set; 0, or -1 when it cannot start.
  int Refreshdcdtvss();
  // Adds the dc/dt set of one new raw scan (or redoes the whole pass while the
  // run is young); 0, or -1.
  int AddOnedcdtvss(int RawSet);
  // The omega^2 t span over which the boundary moves by one diffusion width.
  // 0 after a failure. The rotor speed is not used.
  double EstimateDeltaOmsqt(double Omega2t, double Meniscus, double Bottom, double Rpm,
                            double Time);
  bool IsCreated() const { return Created; }
  // Changes whenever dc/dt sets made before may have changed (a full pass,
  // a new grid); sets appended since leave it as it is, so a set index and
  // this number name one set's values for good.
  long long GetDcdtEpoch() const { return FDcdtEpoch; }
  void SetAxisTitles();

  // Appends the average of dc/dt set A with its predecessors; 0, or -1.
  int MakeAvgdcdt(int A);
  // Rebuilds the averaged store; returns the number of dc/dt sets - 1.
  int MakeAllAvgdcdt();
  // Appends corrected and smoothed sets made from averaged set A; returns
  // the number of valid points, or -1.
  int MakeCorrecteddCdT(int A);
  // Rebuilds the corrected and smoothed stores and the kept latest curve;
  // returns the number of averaged sets - 1.
  int MakeAllCorrecteddCdT();
  // File names of the scans behind a set; a heading, "^", then details.
  std::string GetSetDescription(const ChannelDataStore* Store, int Set) const;

  bool Created = false;
  bool FirstCorrectedPending = true;
  double MeniscusRadius = 0.0;  // cm
  double CellBottom = 0.0;      // cm
  double JitterPosition = 0.0;  // cm
  double FringePosition = 0.0;  // cm
  bool FringeCorrectionOn = false;
  bool JitterCorrectionOn = false;
  std::unique_ptr<ChannelDataStore> RawStore;
  std::unique_ptr<ChannelDataStore> DcdtStore;
  std::string ChannelMask;
  GofsSettings Settings;  // every store points here
  std::string StatusText = "Initialized with () \n";
  std::unique_ptr<ChannelDataStore> CorrectedStore;
  std::unique_ptr<ChannelDataStore> AveragedStore;
  std::unique_ptr<ChannelDataStore> ExtrapolationStore;
  std::unique_ptr<ChannelDataStore> SmoothedStore;
  // The latest corrected curve on the s* grid: each corrected set overwrites
  // it up to its last full point. Sized from the s* grid by CreateX.
  std::vector<double> LastCorrectedX;
  std::vector<double> LastCorrectedY;
  std::vector<double> LastCorrectedError;
  bool UseMolecularWeight = false;
  double MolecularWeight = 150000.0;  // g/mol

 private:
  enum class PairResult { Added, Refused, Failed };
  // What the averaged and corrected stores were last built from, so that a
  // poll that appended one set extends them instead of rebuilding them.
  struct BuildRecord {
    long long SourceEpoch = -1;
    int SourceSets = 0;
    int OutputSets = 0;
    std::vector<double> Inputs;
  };
  class PassScope;

  void DeleteStores();
  bool StoresReady() const;
  int PartnerOf(int I);
  const double* LogRadii();
  PairResult AddPair(int J, int I, double OmegaSquared);
  void NoteFullRawStore();
  void ReportFailure(const std::string& Text);
  void ResetKeptCurve();
  void KeepCorrected(int C, int LastPoint);
  // FSum and FCount of the dc/dt sets First..Last: the valid values' sum
  // and number at every grid point.
  void SumValidValues(int First, int Last);
  std::vector<double> AveragingInputs() const;
  std::vector<double> CorrectionInputs() const;
  bool CanExtend(const BuildRecord& Record, long long Epoch, int SourceSets, int OutputSets,
                 const std::vector<double>& Inputs) const;

  // caches: work arrays sized by CreateX; epochs count full rebuilds.
  std::vector<double> FPairX, FPairY, FPairError;
  std::vector<double> FLogRadii;   // ln(r / FLogRadiiMeniscus) per raw grid point
  double FLogRadiiMeniscus = 0.0;  // cm; 0 when FLogRadii is not valid
  std::vector<double> FSum, FAverage, FAverageError;
  std::vector<double> FCount;  // whole numbers, kept as doubles for vectorising
  std::vector<const double*> FSetValues, FSetErrors;  // of the sets being summed
  std::vector<double> FValidX, FValidY, FValidError, FIntegral, FCorrected;
  long long FDcdtEpoch = 0;
  // Raw sets covered by the dc/dt store when it holds exactly the pairs a
  // full pass pairing every scan with its partner makes; -1 otherwise. Only
  // then does appending the newest scan's pair give what a full pass would.
  int FPartnerPairsCover = -1;
  long long FAveragedEpoch = 0;
  BuildRecord FAveragedBuild;
  BuildRecord FCorrectedBuild;
  int FPassDepth = 0;
  std::set<std::string> FShownThisPass;
  bool FFullStoreNoted = false;
};

// Least-squares plane y = p0 + pu u + pv v over n points, with the standard
// errors of the three terms. Returns sigma truncated to an int, or -1 when the
// normal equations are singular (with a message box unless ShowFailure is
// false: a caller fitting many points reports its failures once).
int Plateau2(const double* U, const double* V, const double* Y, int N, double* P0, double* Pu,
             double* Pv, double* Det, double* E0, double* Eu, double* Ev, bool ShowFailure = true);

// Moving average in place over Values[1 .. Count-1] (index 0 is never
// touched); returns 0. Leaves the values unchanged when Repetitions < 1 or the
// car size is outside 1 .. Count-1.
int BoxcarSmooth(double* Values, int Count, int Repetitions, int CarSize);
