#include "app/RawScanSelection.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RawScanSelectionTest : public ::testing::Test {
 protected:
  // The user's own choice of the first Shown scans (every other one), then
  // no flags for the scans that came after, up to N.
  static std::vector<int> ChosenThenArrived(int Shown, int N) {
    std::vector<int> Flags(static_cast<size_t>(N), 0);
    for (int i = 0; i < Shown; i += 2) Flags[static_cast<size_t>(i)] = 1;
    return Flags;
  }
  static std::vector<int> Drawn(const std::vector<int>& Flags) {
    std::vector<int> Result;
    for (size_t i = 0; i < Flags.size(); ++i)
      if (Flags[i] > 0) Result.push_back(static_cast<int>(i));
    return Result;
  }
};

TEST_F(RawScanSelectionTest, ScansAfterTheUsersChoiceAreThinnedDownFromTheNewest) {
  std::vector<int> Flags = ChosenThenArrived(10, 20);
  Flags[14] = 1;  // drawn by an earlier poll, not chosen
  EXPECT_EQ(RawScanSelection::ThinManualSelection(Flags.data(), 20, 3, 10), 3);
  // The choice (0 .. 10) stands; 19, 16, 13 are drawn, 14 no longer.
  EXPECT_EQ(Drawn(Flags), (std::vector<int>{0, 2, 4, 6, 8, 13, 16, 19}));
}

TEST_F(RawScanSelectionTest, AStepOfZeroDrawsEveryLaterScanAndAHugeCountWidensTheStep) {
  std::vector<int> Flags = ChosenThenArrived(4, 8);
  EXPECT_EQ(RawScanSelection::ThinManualSelection(Flags.data(), 8, 0, 4), 1);
  EXPECT_EQ(Drawn(Flags), (std::vector<int>{0, 2, 5, 6, 7}));
  // 500 scans at step 2 would draw 250: the step becomes 500 / 10.
  std::vector<int> Many = ChosenThenArrived(10, 500);
  EXPECT_EQ(RawScanSelection::ThinManualSelection(Many.data(), 500, 2, 10), 50);
  const std::vector<int> Thinned = Drawn(Many);
  ASSERT_EQ(Thinned.size(), 5u + 10u);  // the choice, then 49, 99, ..., 499
  EXPECT_EQ(Thinned[5], 49);
  EXPECT_EQ(Thinned.back(), 499);
  // Without flags only the step is worked out.
  EXPECT_EQ(RawScanSelection::ThinManualSelection(nullptr, 500, 2, 10), 50);
}

}  // namespace
