#pragma once

#include <vector>

// Which scan files of a channel go into the analysis, as a fresh load of the
// folder chooses them (logic role): from what each file said when it was
// last read, in name order, with no file system and no clock. A live viewer
// and a viewer opened on the finished folder ask the same question of the
// same readings and so get one answer.
//
// The run's speed is the speed most of its scans have (of two speeds with
// as many scans, the later one: the run goes on at it). The analysis takes
// the longest unbroken stretch of scans at that speed (of two as long, the
// earlier), so that no dc/dt pair and no average spans scans at another
// speed; scans at the run's speed outside that stretch are left out with
// their own reason. Within the stretch the first scan of at least the
// minimum size makes the grid; shorter ones before it are left out, and
// every later scan must come later in time than the last one taken.
class IntakePlan {
 public:
  enum class TDecision {
    Take,
    Unreadable,     // no scan in it, or one the store could not put on the grid
    NotRegular,     // a folder, pipe or device under a scan's name
    Short,          // fewer points than a grid needs, before the grid's scan
    TimeNotRising,  // not later than the scan taken before it
    StoreFull,      // beyond the scans a store holds
    OtherSpeed,     // at another rotor speed than the run's
    SpeedBreak,     // at the run's speed, but parted from the analysed scans by another speed
  };
  static constexpr int DecisionCount = 8;

  // One file in name order, as last read.
  struct TEntry {
    bool Regular = true;
    bool Readable = false;  // a header the reader took and at least one point
    int Points = 0;
    double Time = 0.0;  // s, the time the analysis uses
    double Rpm = 0.0;
    // The store refused the scan on the grid it would go on.
    bool StoreRefused = false;
  };

  // Decides, scan by scan within the analysed stretch, as the sets are
  // appended: a viewer taking new scans one at a time asks it the same
  // questions as the whole plan does.
  class TTaker {
   public:
    TTaker(int MinimumPoints, int MaxSets) : FMinimumPoints(MinimumPoints), FMaxSets(MaxSets) {}
    // Take or the reason the scan is left out; a taken scan counts.
    TDecision Take(const TEntry& Entry);
    int Taken() const { return FTaken; }

   private:
    int FMinimumPoints;
    int FMaxSets;
    int FTaken = 0;
    double FLastTime = 0.0;
  };

  struct TPlan {
    std::vector<TDecision> Decisions;  // one per entry
    std::vector<int> Taken;            // indices of the entries taken, in order
    double RunRpm = 0.0;               // 0 when no scan was readable
  };

  static TPlan Make(const std::vector<TEntry>& Entries, int MinimumPoints, int MaxSets);

 private:
  struct TStretch {
    int First = 0;  // index into the candidates
    int Count = 0;
    double Rpm = 0.0;
  };
  static std::vector<TStretch> Stretches(const std::vector<TEntry>& Entries,
                                         const std::vector<int>& Candidates);
  static double RunSpeed(const std::vector<TEntry>& Entries, const std::vector<int>& Candidates);
};
