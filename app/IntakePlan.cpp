#include "app/IntakePlan.h"

#include "analysis/Zoqutils.h"

#include <cstddef>

IntakePlan::TDecision IntakePlan::TTaker::Take(const TEntry& Entry) {
  if (FTaken == 0) {
    // Nothing before the grid tells how long a scan should be.
    if (Entry.Points < FMinimumPoints) return TDecision::Short;
  } else {
    if (FTaken >= FMaxSets) return TDecision::StoreFull;
    if (!(Entry.Time > FLastTime)) return TDecision::TimeNotRising;
  }
  if (Entry.StoreRefused) return TDecision::Unreadable;
  ++FTaken;
  FLastTime = Entry.Time;
  return TDecision::Take;
}

std::vector<IntakePlan::TStretch> IntakePlan::Stretches(const std::vector<TEntry>& Entries,
                                                        const std::vector<int>& Candidates) {
  std::vector<TStretch> stretches;
  for (size_t c = 0; c < Candidates.size(); ++c) {
    const double rpm = Entries[static_cast<size_t>(Candidates[c])].Rpm;
    if (stretches.empty() || !SameRotorSpeed(rpm, stretches.back().Rpm))
      stretches.push_back({static_cast<int>(c), 0, rpm});
    ++stretches.back().Count;
  }
  return stretches;
}

double IntakePlan::RunSpeed(const std::vector<TEntry>& Entries,
                            const std::vector<int>& Candidates) {
  struct TSpeed {
    double Rpm;
    int Count;
    int Latest;
  };
  std::vector<TSpeed> speeds;
  for (size_t c = 0; c < Candidates.size(); ++c) {
    const double rpm = Entries[static_cast<size_t>(Candidates[c])].Rpm;
    TSpeed* found = nullptr;
    for (TSpeed& speed : speeds)
      if (SameRotorSpeed(rpm, speed.Rpm)) found = &speed;
    if (found == nullptr) found = &speeds.emplace_back(TSpeed{rpm, 0, 0});
    ++found->Count;
    found->Latest = static_cast<int>(c);
  }
  const TSpeed* run = nullptr;
  for (const TSpeed& speed : speeds)
    if (run == nullptr || speed.Count > run->Count ||
        (speed.Count == run->Count && speed.Latest > run->Latest))
      run = &speed;
  return run != nullptr ? run->Rpm : 0.0;
}

IntakePlan::TPlan IntakePlan::Make(const std::vector<TEntry>& Entries, int MinimumPoints,
                                   int MaxSets) {
  TPlan plan;
  plan.Decisions.assign(Entries.size(), TDecision::Unreadable);
  std::vector<int> candidates;
  for (size_t i = 0; i < Entries.size(); ++i) {
    if (!Entries[i].Regular)
      plan.Decisions[i] = TDecision::NotRegular;
    else if (Entries[i].Readable)
      candidates.push_back(static_cast<int>(i));
  }
  if (candidates.empty()) return plan;

  plan.RunRpm = RunSpeed(Entries, candidates);
  const std::vector<TStretch> stretches = Stretches(Entries, candidates);
  const TStretch* chosen = nullptr;
  for (const TStretch& stretch : stretches)
    if (SameRotorSpeed(stretch.Rpm, plan.RunRpm) &&
        (chosen == nullptr || stretch.Count > chosen->Count))
      chosen = &stretch;

  TTaker taker(MinimumPoints, MaxSets);
  for (const TStretch& stretch : stretches)
    for (int c = stretch.First; c < stretch.First + stretch.Count; ++c) {
      const auto entry = static_cast<size_t>(candidates[static_cast<size_t>(c)]);
      TDecision& decision = plan.Decisions[entry];
      if (&stretch != chosen)
        decision = SameRotorSpeed(stretch.Rpm, plan.RunRpm) ? TDecision::SpeedBreak
                                                            : TDecision::OtherSpeed;
      else
        decision = taker.Take(Entries[entry]);
      if (decision == TDecision::Take) plan.Taken.push_back(static_cast<int>(entry));
    }
  return plan;
}
