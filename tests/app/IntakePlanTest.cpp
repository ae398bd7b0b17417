#include "app/IntakePlan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using D = IntakePlan::TDecision;

constexpr int MinimumPoints = 20;

// Scans every 120 s at the given speeds, one per element.
std::vector<IntakePlan::TEntry> Scans(const std::vector<double>& Rpms) {
  std::vector<IntakePlan::TEntry> entries;
  for (size_t i = 0; i < Rpms.size(); ++i) {
    IntakePlan::TEntry entry;
    entry.Readable = true;
    entry.Points = 400;
    entry.Time = 300.0 + 120.0 * static_cast<double>(i);
    entry.Rpm = Rpms[i];
    entries.push_back(entry);
  }
  return entries;
}

std::vector<double> Speeds(std::initializer_list<std::pair<int, double>> Stretches) {
  std::vector<double> rpms;
  for (const auto& [count, rpm] : Stretches)
    rpms.insert(rpms.end(), static_cast<size_t>(count), rpm);
  return rpms;
}

}  // namespace

class IntakePlanTest : public ::testing::Test {
 protected:
  static IntakePlan::TPlan Plan(const std::vector<IntakePlan::TEntry>& Entries, int MaxSets = 999) {
    return IntakePlan::Make(Entries, MinimumPoints, MaxSets);
  }
  static std::vector<int> Range(int First, int Last) {
    std::vector<int> range;
    for (int i = First; i <= Last; ++i) range.push_back(i);
    return range;
  }
};

TEST_F(IntakePlanTest, OneSpeedTakesEveryScanWhoseTimeRises) {
  std::vector<IntakePlan::TEntry> entries = Scans(Speeds({{6, 50000}}));
  entries[0].Points = 12;  // too short to make the grid
  entries[3].Time = 100;   // not later than the scan before
  entries[4].Readable = false;
  entries[5].Points = 5;  // short, but after the grid
  const IntakePlan::TPlan plan = Plan(entries);
  EXPECT_EQ(plan.Decisions,
            (std::vector<D>{D::Short, D::Take, D::Take, D::TimeNotRising, D::Unreadable, D::Take}));
  EXPECT_EQ(plan.Taken, (std::vector<int>{1, 2, 5}));
  EXPECT_EQ(plan.RunRpm, 50000);
}

// A check at low speed before the run must not make the run's scans look
// like another speed.
TEST_F(IntakePlanTest, TheRunsSpeedIsTheSpeedMostScansHave) {
  const IntakePlan::TPlan plan = Plan(Scans(Speeds({{2, 3000}, {8, 50000}})));
  EXPECT_EQ(plan.RunRpm, 50000);
  EXPECT_EQ(plan.Decisions[0], D::OtherSpeed);
  EXPECT_EQ(plan.Decisions[1], D::OtherSpeed);
  EXPECT_EQ(plan.Taken, Range(2, 9));
}

// A run at 35,000 rpm with an excursion to 40,000: only the longest stretch
// at the run's speed is analysed, so no pair or average spans the excursion.
TEST_F(IntakePlanTest, NoStretchOfTheAnalysisSpansAnExcursionOfSpeed) {
  const IntakePlan::TPlan plan = Plan(Scans(Speeds({{10, 35000}, {5, 40000}, {15, 35000}})));
  EXPECT_EQ(plan.RunRpm, 35000);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(plan.Decisions[static_cast<size_t>(i)], D::SpeedBreak) << i;
  for (int i = 10; i < 15; ++i)
    EXPECT_EQ(plan.Decisions[static_cast<size_t>(i)], D::OtherSpeed) << i;
  EXPECT_EQ(plan.Taken, Range(15, 29));
}

TEST_F(IntakePlanTest, TiesGoToTheLaterSpeedAndTheEarlierStretch) {
  EXPECT_EQ(Plan(Scans(Speeds({{4, 3000}, {4, 50000}}))).RunRpm, 50000);
  const IntakePlan::TPlan plan = Plan(Scans(Speeds({{5, 35000}, {2, 40000}, {5, 35000}})));
  EXPECT_EQ(plan.Taken, Range(0, 4));
  EXPECT_EQ(plan.Decisions[7], D::SpeedBreak);
}

// Speeds within 0.1 % are one speed, whatever rounding would say.
TEST_F(IntakePlanTest, SpeedsWithinATenthOfAPercentAreOneStretch) {
  const IntakePlan::TPlan plan = Plan(Scans({50000, 50040, 49980, 50030}));
  EXPECT_EQ(plan.Taken, Range(0, 3));
  EXPECT_EQ(Plan(Scans({50000, 50000, 50200})).Decisions[2], D::OtherSpeed);
}

TEST_F(IntakePlanTest, FilesThatAreNoScansDoNotBreakAStretch) {
  std::vector<IntakePlan::TEntry> entries = Scans(Speeds({{6, 50000}}));
  entries[2].Regular = false;
  entries[2].Readable = false;
  entries[3].Readable = false;
  const IntakePlan::TPlan plan = Plan(entries);
  EXPECT_EQ(plan.Decisions[2], D::NotRegular);
  EXPECT_EQ(plan.Decisions[3], D::Unreadable);
  EXPECT_EQ(plan.Taken, (std::vector<int>{0, 1, 4, 5}));
}

TEST_F(IntakePlanTest, AScanTheStoreRefusedIsUnreadableAndTheNextMakesTheGrid) {
  std::vector<IntakePlan::TEntry> entries = Scans(Speeds({{4, 50000}}));
  entries[0].StoreRefused = true;
  entries[2].StoreRefused = true;
  const IntakePlan::TPlan plan = Plan(entries);
  EXPECT_EQ(plan.Decisions, (std::vector<D>{D::Unreadable, D::Take, D::Unreadable, D::Take}));
}

TEST_F(IntakePlanTest, ScansBeyondAFullStoreAreCounted) {
  const IntakePlan::TPlan plan = Plan(Scans(Speeds({{5, 50000}})), 3);
  EXPECT_EQ(plan.Taken, Range(0, 2));
  EXPECT_EQ(plan.Decisions[3], D::StoreFull);
  EXPECT_EQ(plan.Decisions[4], D::StoreFull);
}

TEST_F(IntakePlanTest, NothingReadableTakesNothing) {
  std::vector<IntakePlan::TEntry> entries(3);
  const IntakePlan::TPlan plan = Plan(entries);
  EXPECT_TRUE(plan.Taken.empty());
  EXPECT_EQ(plan.RunRpm, 0);
  EXPECT_EQ(plan.Decisions, (std::vector<D>(3, D::Unreadable)));
}

// The taker a live viewer asks one scan at a time decides as the plan does.
TEST_F(IntakePlanTest, TheTakerDecidesScanByScanAsThePlanDoes) {
  std::vector<IntakePlan::TEntry> entries = Scans(Speeds({{8, 50000}}));
  entries[0].Points = 3;
  entries[4].Time = entries[2].Time;
  const IntakePlan::TPlan plan = Plan(entries);
  IntakePlan::TTaker taker(MinimumPoints, 999);
  for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(taker.Take(entries[i]), plan.Decisions[i]);
}
