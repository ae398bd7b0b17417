#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "analysis/MappedRegion.h"

// What one scan file says of itself; copied by value into every set of a store.
struct ScanHeader {
  ScanHeader();

  std::string FullPath;
  int Cell = 0;
  int Replicates = 0;
  // 0 none or unknown, 1 absorbance or intensity, 2 fluorescence, 3 interference.
  int Kind = 0;
  double Omega2t = 0.0;  // rad^2/s
  // Seconds the analysis uses: apparent time from Omega2t or the elapsed time;
  // for derived sets the pair or average time.
  double TimeUsed = 0.0;
  double Rpm = 0.0;
  double Temperature = 0.0;  // degrees C
  double ElapsedTime = 0.0;  // s
  double Wavelength = 0.0;   // nm
  double InterferenceValue = 0.0;
  std::string TitleLine;
  std::string HeaderLine;
  std::string ScanDescription;
  std::string FileName;
  int FirstSourceSet = 0;  // derived sets: first set of the parent store behind it
  int LastSourceSet = 0;
  std::string FluorescencePrefix;
  int LastValidPoint = 0;  // last grid index where a derived set holds full data
  int UseApparentTime = 1;

  // 0 accepted, 1 unknown type letter, 2 rotor speed or omega^2 t not positive
  // (or line 2 too short to give them), 3 a fluorescence title line without
  // "Voltage:". Any non-zero result refuses the file.
  int ParseScanHeader(double ReferenceRpm);
};

// Analysis settings: 22 named parameters. The names in KeyNames are in key
// order, which differs from the declaration order.
struct GofsSettings {
  GofsSettings();

  int JitterWindow = 10;           // grid points
  double LowLogS;                  // ln(LowS) at construction; does not follow LowS later
  double HighLogS;                 // ln(HighS) at construction
  double LowS = 1e-15;             // s
  double HighS = 1e-10;            // s
  double DefaultCellBottom = 7.2;  // cm
  double DefaultCellTop = 5.75;    // cm
  double DefaultStepSize = 0.003;  // cm
  int sGridNumberOfPoints = 501;
  double DefaultNegativeTag = -1e10;   // error of a grid point without data
  double DefaultIgnoreTag = -2e10;     // error of a point to be ignored
  double DefaultCellMidpoint = 6.475;  // cm
  int BeginningScanGroupSize = 20;
  int MinimumDataSetSize = 20;
  double DefaultMeniscusIgnore = 0.002;  // cm
  double DefaultBottomIgnore = 0.1;      // cm
  double dcdtWindowFactor = 1.0;
  double DefaultPositiveError = 1.23456789e-10;  // error of a valid computed point
  double MaxAveragingPercent = 0.2;
  int SmoothRepetition = 3;
  int SmoothCarSize = 3;
  int ComputeApparentStartTime = 1;
  std::array<std::string, 100> KeyNames;
  int KeyCount = 22;
};

// Process-wide, in-memory log of analysis diagnostics. Texts are only
// appended; nothing in the program reads them back.
class GofsErrorLogStream {
 public:
  void Append(const std::string& Text) { FText += Text; }
  const std::string& Text() const { return FText; }
  void Clear() { FText.clear(); }

 private:
  std::string FText;
};

GofsErrorLogStream& GofsErrorLog();

extern const char* const StoreStatusBadConstructParameters;  // "Bad Construct Parameters"
extern const char* const StoreStatusMemoryError;             // "Memory Error"
extern const char* const StoreStatusMemoryInitialized;       // "Memory Initialized"

// The headers of a store's 1000 slots. A slot's header is made the first
// time it is reached for writing; until then it reads as a default header,
// so a store that holds a few sets never builds (nor touches the memory
// of) a thousand.
class ScanHeaderSlots {
 public:
  static constexpr std::size_t Count = 1000;

  ScanHeaderSlots();
  ~ScanHeaderSlots();
  ScanHeaderSlots(const ScanHeaderSlots&) = delete;
  ScanHeaderSlots& operator=(const ScanHeaderSlots&) = delete;

  ScanHeader& operator[](std::size_t Slot);
  const ScanHeader& operator[](std::size_t Slot) const;
  // The Count headers in one array, every one made.
  ScanHeader* data();

 private:
  ScanHeader* FRoom = nullptr;  // room for Count headers, mapped from the kernel
  std::size_t FRoomBytes = 0;
  MappedRegion FRoomPages;
  std::array<bool, Count> FMade{};
};

// Up to 999 sets (curves) of one cell channel on one common x grid. Each set
// has a header, one y and one error value per grid point; a negative error
// marks a point without data. Always created on the heap by its owner.
class ChannelDataStore {
 public:
  static constexpr int SlotCount = 1000;
  static constexpr int MaxSets = 999;
  static_assert(ScanHeaderSlots::Count == SlotCount);

  // Uniform grid: point i = xmin + i * Step.
  ChannelDataStore(GofsSettings* Settings, double XMinimum, double XMaximum, int N);
  // Grid copied from x[0..N-1].
  ChannelDataStore(GofsSettings* Settings, const double* X, int N);
  ~ChannelDataStore();
  ChannelDataStore(const ChannelDataStore&) = delete;
  ChannelDataStore& operator=(const ChannelDataStore&) = delete;

  // Accessors return 0.0 outside their ranges; GetY/GetError test the slot
  // range 0..999, not NumberOfSets.
  double GetSetX(int Set, int I) const;
  double GetX(int I) const;
  double GetY(int Set, int I) const;
  double GetError(int Set, int I) const;
  int GetNumberOfPoints() const { return NumberOfPoints; }
  int GetNumberOfSets() const { return NumberOfSets; }
  double GetXMin() const { return XMin; }
  double GetXMax() const { return XMax; }
  double GetStep() const { return Step; }
  const double* GetGrid() const;
  // The y array of a slot; nullptr for a slot outside 0..999 or an empty grid.
  double* GetYArray(int Set);
  const double* GetYArray(int Set) const;
  const double* GetErrorArray(int Set) const;
  void SetError(int Set, int I, double Value);
  // The errors of every grid point of the set from Values.
  void SetErrors(int Set, const double* Values);
  // Adds C to every y of the set; returns the grid size.
  int AddToSet(int Set, double C);
  // Forgets the sets; arrays and headers keep their content.
  void ClearSets() { NumberOfSets = 0; }
  // Forgets the sets from Count on, as ClearSets forgets them all: a scan
  // file that changed is taken in again from its set on.
  void KeepSets(int Count) {
    NumberOfSets = Count < 0 ? 0 : Count < NumberOfSets ? Count : NumberOfSets;
  }

  // Interpolates an ascending x/y series onto the grid as a new set; runs of
  // equal x are allowed as long as no grid value needs a step of 0. Returns
  // the new set's index, or -1 when refused (time key not above the last
  // set's TimeUsed or not finite, store full, nothing filled, a failed
  // interpolation); a refused set leaves NumberOfSets unchanged.
  int AddSet(const double* X, const double* Y, int Count, ScanHeader Header, double TimeKey);
  int AddSetWithErrors(const double* X, const double* Y, const double* Errors, int Count,
                       ScanHeader Header, double TimeKey);
  int CopySetFrom(const ChannelDataStore& Other, int Set);
  // Interpolates a new series into an existing set in place (a scan file
  // that was read again), keeping its selection flag. Returns Set, or -1
  // leaving the set as it was: Set not held, a time key that would not lie
  // strictly between its neighbours' TimeUsed, nothing filled, a failed
  // interpolation.
  int ReplaceSet(int Set, const double* X, const double* Y, int Count, ScanHeader Header,
                 double TimeKey);

  // Interference corrections on whole sets. A set without data (negative
  // error) at the point at X, or whose predecessor has none there for the
  // fringe match, is left unchanged; the jitter mean takes only the points
  // with data in its window of W+1 points.
  void RemoveJitter(int Set, double X, int W);
  // Returns the number of sets corrected.
  int RemoveJitterAllSets(double X, int W);
  void RemoveJitterAtPoint(int Set, double X);
  void FixIntegralFringe(int Set, double X);
  void FixIntegralFringeAllSets(double X);

  std::array<int, SlotCount> Selected{};  // above 0: selected for plotting
  ScanHeaderSlots Headers;
  int DebugLevel = 10;  // above 30 AddSetWithErrors writes two dump files
  std::string XTitle;
  std::string YTitle;
  GofsSettings* SettingsRef = nullptr;  // not owned
  std::string Status;

 private:
  void Construct(const double* X, double XMinimum, double XMaximum, int N);
  void SetConstructFailure();
  bool ValidSlot(int Set) const { return Set >= 0 && Set < SlotCount; }
  bool ValidSet(int Set) const { return Set >= 0 && Set < NumberOfSets; }
  bool ValidPoint(int I) const { return I >= 0 && I < NumberOfPoints; }
  double* SlotY(int Set) const;
  // The y array of a slot about to be filled, its pages mapped.
  double* WriteY(int Set);
  // The error array of a slot to read: one never written holds zeros and
  // is read from the block's shared zeros, so that its own pages are never
  // touched. Writing marks the slot as written.
  const double* ReadError(int Set) const;
  // Offers the rest of the block huge pages once the sets up to Set fill
  // enough of it.
  void OfferLargePages(int Set);
  double* WriteError(int Set);
  double* SlotError(int Set) const;
  std::size_t SlotBytes(int Slots) const;
  int IndexAbove(double X) const;
  double NegativeTag() const;
  // Number of grid points filled, or -1 when an interpolation fails.
  int InterpolateOntoGrid(int Set, const double* X, const double* Y, const double* Errors,
                          int Count);
  void WriteDumpFiles(int Set, const double* X, const double* Y, int Count) const;
  bool RemoveJitterFrom(int Set, double X, int W);

  double XMin = 0.0;
  double XMax = 0.0;
  double Step = 0.0;
  int NumberOfPoints = 0;
  int NumberOfSets = 0;
  // One block of pages mapped from the kernel, which read as zeros until
  // written: the grid, the y arrays of every slot, their error arrays, and
  // one array of zeros. Untouched slots read 0 without costing memory.
  struct FreeBlock {
    std::size_t MappedBytes;
    void operator()(double* p) const;
  };
  std::unique_ptr<double, FreeBlock> FBlock;
  // The y arrays and the error arrays, each filled from slot 0 on.
  MappedRegion FYPages;
  MappedRegion FErrorPages;
  // caches: which slots' error arrays were ever written, and whether huge
  // pages were offered (both reset only with the block).
  std::array<bool, SlotCount> FErrorsWritten{};
  bool FLargePagesOffered = false;
};
