#include "analysis/Gofs2004.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

const char* const NonSequentialText = "\nA file read has a non-sequential R.  File index:  ";

ScanHeader HeaderAt(double Time) {
  ScanHeader header;
  header.TimeUsed = Time;
  return header;
}

std::string ReadFile(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Changes the working directory for one test and always changes it back.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& Dir)
      : FPrevious(std::filesystem::current_path()) {
    std::filesystem::current_path(Dir);
  }
  ~WorkingDirectory() {
    std::error_code ec;
    std::filesystem::current_path(FPrevious, ec);
  }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::filesystem::path FPrevious;
};

class ChannelDataStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { GofsErrorLog().Clear(); }
  void TearDown() override { GofsErrorLog().Clear(); }

  std::unique_ptr<ChannelDataStore> Uniform(double XMinimum, double XMaximum, int N) {
    return std::make_unique<ChannelDataStore>(&Settings, XMinimum, XMaximum, N);
  }
  // Adds a flat set of value Y on the store's own grid.
  int AddFlat(ChannelDataStore& Store, double Y, double Time) {
    const std::vector<double> y(static_cast<size_t>(Store.GetNumberOfPoints()), Y);
    return Store.AddSet(Store.GetGrid(), y.data(), Store.GetNumberOfPoints(), HeaderAt(Time), Time);
  }

  GofsSettings Settings;
};

TEST_F(ChannelDataStoreTest, ConstructionStatusAndGrid) {
  auto uniform = Uniform(0.0, 10.0, 11);
  EXPECT_EQ(uniform->Status, "Memory Initialized");
  EXPECT_EQ(uniform->GetStep(), 1.0);
  EXPECT_EQ(uniform->GetX(7), 7.0);
  EXPECT_EQ(uniform->DebugLevel, 10);
  EXPECT_EQ(uniform->GetY(999, 10), 0.0);
  EXPECT_EQ(uniform->GetError(999, 10), 0.0);

  const double x[] = {5.9, 6.0, 6.2, 6.5};
  ChannelDataStore copied(&Settings, x, 4);
  EXPECT_EQ(copied.Status, "Memory Initialized");
  EXPECT_EQ(copied.GetXMin(), 5.9);
  EXPECT_EQ(copied.GetXMax(), 6.5);
  EXPECT_EQ(copied.GetX(2), 6.2);
  EXPECT_NEAR(copied.GetStep(), 0.2, 1e-12);

  const double descending[] = {3.0, 2.0, 1.0};
  EXPECT_EQ(ChannelDataStore(&Settings, descending, 3).Status, "Bad Construct Parameters");
  EXPECT_EQ(Uniform(5.0, 5.0, 100)->Status, "Bad Construct Parameters");
  EXPECT_EQ(Uniform(NAN, 5.0, 100)->Status, "Bad Construct Parameters");
  // Too few points still gives a usable store.
  auto two = Uniform(0.0, 1.0, 2);
  EXPECT_EQ(two->Status, "Bad Construct Parameters");
  EXPECT_NE(two->GetYArray(0), nullptr);
}

TEST_F(ChannelDataStoreTest, DegenerateSizesAllocateNothingAndNeverDivideByZero) {
  for (int n : {0, -5}) {
    auto store = Uniform(0.0, 1.0, n);
    EXPECT_EQ(store->Status, "Bad Construct Parameters");
    EXPECT_EQ(store->GetNumberOfPoints(), 0);
    EXPECT_EQ(store->GetStep(), 1.0);
    EXPECT_EQ(store->GetYArray(0), nullptr);
  }
  // x is not read at all: a null array with no points is fine.
  ChannelDataStore empty(&Settings, nullptr, 0);
  EXPECT_EQ(empty.Status, "Bad Construct Parameters");
  EXPECT_EQ(empty.GetNumberOfPoints(), 0);
  const double one = 4.0;
  EXPECT_EQ(empty.AddSet(&one, &one, 1, HeaderAt(1.0), 1.0), -1);

  auto single = Uniform(2.0, 3.0, 1);
  EXPECT_EQ(single->Status, "Bad Construct Parameters");
  EXPECT_EQ(single->GetStep(), 1.0);
  EXPECT_EQ(single->GetX(0), 2.0);
}

TEST_F(ChannelDataStoreTest, ImpossibleSizeIsAMemoryError) {
  auto store = Uniform(0.0, 1.0, INT_MAX);
  EXPECT_EQ(store->Status, "Memory Error");
  EXPECT_EQ(store->GetXMin(), 0.0);
  EXPECT_EQ(store->GetXMax(), -1.0);
  EXPECT_EQ(store->GetNumberOfPoints(), 0);
  EXPECT_EQ(store->GetStep(), 1.0);
  EXPECT_EQ(GofsErrorLog().Text(),
            "\nTrouble allocating memory in ChannelDataStore::ChannelDataStore.  ");
  EXPECT_EQ(store->GetY(0, 0), 0.0);
}

TEST_F(ChannelDataStoreTest, AccessorsTestTheirRanges) {
  auto store = Uniform(0.0, 4.0, 5);
  for (int s = 0; s < 3; ++s) ASSERT_EQ(AddFlat(*store, 2.0 + s, 1.0 + s), s);
  EXPECT_EQ(store->GetX(-1), 0.0);
  EXPECT_EQ(store->GetSetX(17, 5), 0.0);
  EXPECT_EQ(store->GetY(1000, 0), 0.0);
  EXPECT_EQ(store->GetY(2, 5), 0.0);
  // Slots beyond the held sets are readable and hold zeros.
  EXPECT_EQ(store->GetY(5, 1), 0.0);
  store->SetError(3, 1, -1.0);
  EXPECT_EQ(store->GetError(3, 1), 0.0);
  store->SetError(2, 1, -1.0);
  EXPECT_EQ(store->GetError(2, 1), -1.0);
  EXPECT_EQ(store->AddToSet(1, 0.5), 5);
  EXPECT_EQ(store->GetY(1, 4), 3.5);
}

TEST_F(ChannelDataStoreTest, SetOnTheGridIsCopiedAndShortInputLeavesTaggedTail) {
  Settings.DefaultNegativeTag = -7.0;  // the tag must come from the settings
  const std::vector<double> x = {6.0, 6.01, 6.03, 6.07, 6.1};
  ChannelDataStore store(&Settings, x.data(), 5);
  const std::vector<double> y = {0.1, 0.3, 0.7, 1.1};
  ASSERT_EQ(store.AddSet(x.data(), y.data(), 4, HeaderAt(100.0), 100.0), 0);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(store.GetY(0, k), y[static_cast<size_t>(k)]);
    EXPECT_EQ(store.GetError(0, k), 0.0);
  }
  EXPECT_EQ(store.GetY(0, 4), 0.0);
  EXPECT_EQ(store.GetError(0, 4), -7.0);
  EXPECT_EQ(store.Headers[0].TimeUsed, 100.0);
}

TEST_F(ChannelDataStoreTest, LinearFunctionIsInterpolatedExactly) {
  auto store = Uniform(0.0, 10.0, 101);
  std::vector<double> x;
  std::vector<double> y;
  for (double v = 0.33; v < 9.7; v += 0.17 + 0.05 * std::sin(v)) {
    x.push_back(v);
    y.push_back(3.0 * v - 2.0);
  }
  const int count = static_cast<int>(x.size());
  ASSERT_EQ(store->AddSet(x.data(), y.data(), count, HeaderAt(1.0), 1.0), 0);
  for (int k = 0; k < 101; ++k) {
    const double g = store->GetX(k);
    if (g < x.front() || g > x.back()) {
      EXPECT_EQ(store->GetY(0, k), 0.0);
      EXPECT_EQ(store->GetError(0, k), -1e10);
    } else {
      // A few rounding steps on values below 30.
      EXPECT_NEAR(store->GetY(0, k), 3.0 * g - 2.0, 1e-12) << k;
      EXPECT_EQ(store->GetError(0, k), 0.0);
    }
  }
}

TEST_F(ChannelDataStoreTest, OutsideErrorsWithAnErrorArray) {
  auto store = Uniform(0.0, 9.0, 10);
  const double x[] = {2.0, 3.0, 4.0};
  const double y[] = {1.0, 1.0, 1.0};
  const double e[] = {0.0, 2.0, 3.0};
  ASSERT_EQ(store->AddSetWithErrors(x, y, e, 3, HeaderAt(1.0), 1.0), 0);
  // Index 0 and 1 lie below the input: negated input errors, but a zero
  // input error must not come out as a valid 0 (nor -0).
  EXPECT_EQ(store->GetError(0, 0), -1e10);
  EXPECT_EQ(store->GetError(0, 1), -2.0);
  EXPECT_EQ(store->GetError(0, 3), 2.0);
  // Beyond the input count there is no input error to negate.
  EXPECT_EQ(store->GetError(0, 5), -1e10);
}

TEST_F(ChannelDataStoreTest, RefusalsLeaveTheStoreUnchanged) {
  auto store = Uniform(0.0, 4.0, 5);
  const double x[] = {0.0, 4.0};
  const double y[] = {1.0, 1.0};
  EXPECT_EQ(store->AddSet(x, y, 2, HeaderAt(NAN), NAN), -1);
  EXPECT_EQ(store->AddSet(x, y, 2, HeaderAt(INFINITY), INFINITY), -1);
  EXPECT_EQ(store->AddSet(x, y, 0, HeaderAt(1.0), 1.0), -1);
  EXPECT_EQ(store->AddSet(x, y, -3, HeaderAt(1.0), 1.0), -1);
  EXPECT_EQ(store->Headers[0].TimeUsed, 0.0);
  ASSERT_EQ(store->AddSet(x, y, 2, HeaderAt(5.0), 5.0), 0);
  EXPECT_EQ(store->AddSet(x, y, 2, HeaderAt(5.0), 5.0), -1);
  EXPECT_EQ(store->AddSet(x, y, 2, HeaderAt(NAN), NAN), -1);
  const double far[] = {10.0, 11.0};
  EXPECT_EQ(store->AddSet(far, y, 2, HeaderAt(6.0), 6.0), -1);
  EXPECT_EQ(store->GetNumberOfSets(), 1);
  EXPECT_EQ(GofsErrorLog().Text(), "");
}

// A scan file read again replaces its set in place; a series the store
// cannot take leaves the old set whole.
TEST_F(ChannelDataStoreTest, ReplaceSetKeepsTheSlotTimeOrderAndFlag) {
  auto store = Uniform(0.0, 4.0, 5);
  ASSERT_EQ(AddFlat(*store, 1.0, 10.0), 0);
  ASSERT_EQ(AddFlat(*store, 2.0, 20.0), 1);
  ASSERT_EQ(AddFlat(*store, 3.0, 30.0), 2);
  store->Selected[1] = 1;
  const double half[] = {0.0, 1.0, 2.0};
  const double y[] = {5.0, 6.0, 7.0};
  ASSERT_EQ(store->ReplaceSet(1, half, y, 3, HeaderAt(21.0), 21.0), 1);
  EXPECT_EQ(store->GetNumberOfSets(), 3);
  EXPECT_EQ(store->Headers[1].TimeUsed, 21.0);
  EXPECT_EQ(store->Selected[1], 1);
  EXPECT_EQ(store->GetY(1, 2), 7.0);
  EXPECT_EQ(store->GetError(1, 2), 0.0);
  EXPECT_LT(store->GetError(1, 3), 0.0);  // beyond the new series: no data
  EXPECT_EQ(store->GetY(2, 0), 3.0);      // the neighbours stay

  const double far[] = {10.0, 11.0};
  for (const auto& [x, time] : {std::pair{half, 30.0}, {half, 10.0}, {half, NAN}, {far, 22.0}})
    EXPECT_EQ(store->ReplaceSet(1, x, y, 2, HeaderAt(time), time), -1);
  EXPECT_EQ(store->ReplaceSet(3, half, y, 3, HeaderAt(40.0), 40.0), -1);  // not held
  EXPECT_EQ(store->Headers[1].TimeUsed, 21.0);
  EXPECT_EQ(store->GetY(1, 1), 6.0);
  // The last set may move on in time, the first back.
  EXPECT_EQ(store->ReplaceSet(2, half, y, 3, HeaderAt(99.0), 99.0), 2);
  EXPECT_EQ(store->ReplaceSet(0, half, y, 3, HeaderAt(1.0), 1.0), 0);
}

TEST_F(ChannelDataStoreTest, OnePointInputFillsOnlyItsOwnGridValue) {
  auto store = Uniform(0.0, 2.0, 3);
  // Exactly one element, so reading past it would be caught.
  const auto x = std::make_unique<double[]>(1);
  const auto y = std::make_unique<double[]>(1);
  x[0] = 1.0;
  y[0] = 5.0;
  ASSERT_EQ(store->AddSet(x.get(), y.get(), 1, HeaderAt(1.0), 1.0), 0);
  EXPECT_EQ(store->GetY(0, 1), 5.0);
  EXPECT_EQ(store->GetError(0, 0), -1e10);
  EXPECT_EQ(store->GetError(0, 2), -1e10);
}

TEST_F(ChannelDataStoreTest, FailedInterpolationTakesTheSetBack) {
  auto store = Uniform(0.0, 3.0, 7);  // grid step 0.5
  ASSERT_EQ(AddFlat(*store, 1.0, 1.0), 0);
  // Grid value 1.0 falls between two equal radii: a division by zero.
  const double equal[] = {1.0, 1.0, 2.0, 3.0};
  const double y[] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
  EXPECT_EQ(store->AddSet(equal, y, 4, HeaderAt(2.0), 2.0), -1);
  EXPECT_EQ(store->GetNumberOfSets(), 1);
  EXPECT_EQ(GofsErrorLog().Text(), "");

  const double decreasing[] = {1.0, 1.0, 2.0, 3.0, 2.5, 3.0};
  EXPECT_EQ(store->AddSet(decreasing, y, 6, HeaderAt(2.0), 2.0), -1);
  EXPECT_EQ(GofsErrorLog().Text(), std::string(NonSequentialText) + "1  ");

  const double notANumber[] = {0.0, 1.0, NAN, 3.0};
  EXPECT_EQ(store->AddSet(notANumber, y, 4, HeaderAt(2.0), 2.0), -1);
  EXPECT_EQ(store->GetNumberOfSets(), 1);
  // The slot is free again for the next set.
  EXPECT_EQ(AddFlat(*store, 2.0, 2.0), 1);
}

// dc/dt sets carry runs of equal x at both ends (LowLogS, HighLogS) with no
// data; the interior, ascending, must interpolate normally in either case of
// interior values stopping short of the grid ends or reaching past them.
TEST_F(ChannelDataStoreTest, DcdtInputsWithFlatEndsInterpolateTheInterior) {
  const double low = Settings.LowLogS;
  const double high = Settings.HighLogS;
  for (const auto& [from, to] :
       {std::pair{low + 0.3, high - 0.4}, std::pair{low - 0.5, high + 1.0}}) {
    auto store = Uniform(low, high, 501);
    std::vector<double> x(20, low);
    std::vector<double> e(20, Settings.DefaultIgnoreTag);
    for (int i = 0; i < 1900; ++i) {
      x.push_back(from + (to - from) * i / 1899.0);
      e.push_back(Settings.DefaultPositiveError);
    }
    x.insert(x.end(), 128, high);
    e.insert(e.end(), 128, Settings.DefaultIgnoreTag);
    std::vector<double> y(x.size());
    for (size_t i = 0; i < x.size(); ++i) y[i] = e[i] > 0.0 ? 2.0 * x[i] + 80.0 : 0.0;

    ASSERT_EQ(store->AddSetWithErrors(x.data(), y.data(), e.data(), static_cast<int>(x.size()),
                                      HeaderAt(1.0), 1.0),
              0);
    EXPECT_EQ(GofsErrorLog().Text(), "");
    EXPECT_EQ(store->GetError(0, 0), Settings.DefaultIgnoreTag);
    for (int k = 1; k < 500; ++k) {
      const double g = store->GetX(k);
      if (g >= from && g <= to) {
        EXPECT_NEAR(store->GetY(0, k), 2.0 * g + 80.0, 1e-9) << k;
        EXPECT_EQ(store->GetError(0, k), Settings.DefaultPositiveError) << k;
      } else {
        EXPECT_LT(store->GetError(0, k), 0.0) << k;
      }
    }
  }
}

TEST_F(ChannelDataStoreTest, DumpFilesAtHighDebugLevel) {
  const auto dir = FreshTestDir("ChannelDataStoreDumps");
  auto store = Uniform(0.0, 2.0, 3);
  const double x[] = {0.0, 2.0};
  const double y[] = {-1.5, 2.5};
  {
    WorkingDirectory here(dir);
    store->DebugLevel = 30;
    ASSERT_EQ(store->AddSet(x, y, 2, HeaderAt(1.0), 1.0), 0);
    EXPECT_FALSE(std::filesystem::exists("AddSetoriginal.out"));
    store->DebugLevel = 31;
    ASSERT_EQ(store->AddSet(x, y, 2, HeaderAt(2.0), 2.0), 1);
  }
  EXPECT_EQ(ReadFile(dir / "AddSetoriginal.out"),
            "0.0000e+00   -1.5000e+00\n2.0000e+00   2.5000e+00\n");
  EXPECT_EQ(ReadFile(dir / "AddSetinterpolated.out"),
            "0.0000e+00   -1.5000e+00\n1.0000e+00   5.0000e-01\n2.0000e+00   2.5000e+00\n");
}

TEST_F(ChannelDataStoreTest, HoldsAtMost999SetsAndClearSetsStartsAgain) {
  auto store = Uniform(0.0, 2.0, 3);
  for (int s = 0; s < 999; ++s) ASSERT_EQ(AddFlat(*store, s, 1.0 + s), s);
  EXPECT_EQ(AddFlat(*store, 0.0, 5000.0), -1);
  EXPECT_EQ(store->GetNumberOfSets(), 999);
  EXPECT_EQ(store->Headers[999].TimeUsed, 0.0);

  store->ClearSets();
  EXPECT_EQ(store->GetY(998, 0), 998.0);  // arrays keep their content
  EXPECT_EQ(AddFlat(*store, -4.0, 0.5), 0);
  EXPECT_EQ(store->GetY(0, 2), -4.0);
  EXPECT_EQ(store->GetNumberOfSets(), 1);
}

TEST_F(ChannelDataStoreTest, CopySetFromInterpolatesOntoTheOwnGrid) {
  auto source = Uniform(0.0, 4.0, 5);
  const double x[] = {0.0, 4.0};
  const double y[] = {0.0, 8.0};
  ASSERT_EQ(source->AddSet(x, y, 2, HeaderAt(3.0), 3.0), 0);
  source->Headers[0].FileName = "a.ip1";
  auto target = Uniform(1.0, 5.0, 9);
  EXPECT_EQ(target->CopySetFrom(*source, 1), -1);
  EXPECT_EQ(target->CopySetFrom(*source, -1), -1);
  ASSERT_EQ(target->CopySetFrom(*source, 0), 0);
  EXPECT_EQ(target->Headers[0].FileName, "a.ip1");
  EXPECT_EQ(target->GetY(0, 1), 3.0);
  EXPECT_EQ(target->GetError(0, 1), 0.0);
  EXPECT_EQ(target->GetError(0, 8), -1e10);
  // Same time key again: refused.
  EXPECT_EQ(target->CopySetFrom(*source, 0), -1);
}

TEST_F(ChannelDataStoreTest, JitterRemoval) {
  auto store = Uniform(0.0, 9.0, 10);
  std::vector<double> y(10);
  for (size_t k = 0; k < 10; ++k) y[k] = 0.1 * k * k + 0.37;
  for (int s = 0; s < 3; ++s)
    ASSERT_EQ(store->AddSet(store->GetGrid(), y.data(), 10, HeaderAt(s + 1.0), s + 1.0), s);

  store->RemoveJitterAtPoint(0, 4.5);  // first grid x above 4.5 is index 5
  EXPECT_EQ(store->GetY(0, 5), 0.0);
  EXPECT_DOUBLE_EQ(store->GetY(0, 9) - store->GetY(0, 8), y[9] - y[8]);

  store->RemoveJitter(1, 4.5, 2);  // points 3..5
  EXPECT_NEAR(store->GetY(1, 4), y[4] - (y[3] + y[4] + y[5]) / 3.0, 1e-12);
  store->RemoveJitter(2, 0.5, 4);  // near the left edge: points 0..4
  EXPECT_NEAR(store->GetY(2, 0), y[0] - (y[0] + y[1] + y[2] + y[3] + y[4]) / 5.0, 1e-12);
  store->RemoveJitter(2, 0.5, -3);  // a negative width is a single point
  EXPECT_EQ(store->GetY(2, 1), 0.0);
}

TEST_F(ChannelDataStoreTest, JitterUsesOnlyPointsWithData) {
  auto store = Uniform(0.0, 9.0, 10);
  for (int s = 0; s < 2; ++s) ASSERT_EQ(AddFlat(*store, 2.0, s + 1.0), s);
  store->GetYArray(0)[4] = 100.0;
  store->SetError(0, 4, -1.0);
  store->SetError(1, 5, -1.0);

  EXPECT_EQ(store->RemoveJitterAllSets(4.5, 2), 1);  // set 1 has no data at index 5
  EXPECT_EQ(store->GetY(0, 5), 0.0);                 // 100 at index 4 left out of the mean
  EXPECT_EQ(store->GetY(1, 5), 2.0);
}

TEST_F(ChannelDataStoreTest, IntegralFringeRounding) {
  auto store = Uniform(0.0, 4.0, 5);
  const double levels[] = {0.0, 2.6, 3.1};
  for (int s = 0; s < 3; ++s) ASSERT_EQ(AddFlat(*store, levels[s], s + 1.0), s);
  store->FixIntegralFringe(0, 2.5);
  EXPECT_EQ(store->GetY(0, 0), 0.0);
  store->FixIntegralFringe(1, 2.5);
  EXPECT_DOUBLE_EQ(store->GetY(1, 0), 2.6 - 3.0);
  store->FixIntegralFringe(2, 2.5);  // now 3.1 - (-0.4) = 3.5: three fringes
  EXPECT_NEAR(store->GetY(2, 0), 0.1, 1e-12);

  auto chained = Uniform(0.0, 4.0, 5);
  const double raw[] = {0.0, 1.2, 3.3, 0.5, 0.0};
  for (int s = 0; s < 5; ++s) ASSERT_EQ(AddFlat(*chained, raw[s], s + 1.0), s);
  chained->SetError(4, 3, -1.0);
  chained->GetYArray(4)[3] = 7.0;
  chained->FixIntegralFringeAllSets(2.5);
  // Each set matches its already corrected predecessor.
  EXPECT_NEAR(chained->GetY(1, 0), 0.2, 1e-12);
  EXPECT_NEAR(chained->GetY(2, 0), 0.3, 1e-12);
  EXPECT_EQ(chained->GetY(3, 0), 0.5);  // 0.2 above: nothing
  EXPECT_EQ(chained->GetY(4, 0), 0.0);  // no data at the point: untouched

  auto half = Uniform(0.0, 4.0, 5);
  ASSERT_EQ(AddFlat(*half, 0.0, 1.0), 0);
  ASSERT_EQ(AddFlat(*half, 0.5, 2.0), 1);
  ASSERT_EQ(AddFlat(*half, 0.0, 3.0), 2);
  ASSERT_EQ(AddFlat(*half, -0.51, 4.0), 3);
  half->FixIntegralFringeAllSets(2.5);
  EXPECT_EQ(half->GetY(1, 0), 0.5);          // 0.5 rounds towards zero
  EXPECT_DOUBLE_EQ(half->GetY(3, 0), 0.49);  // -0.51 moves up one fringe
}

}  // namespace

// A scan that fills the grid leaves its slot's error pages unwritten; what
// every reader gets is the same as if the zeros had been written, whatever
// the slot held before and however the set came in.
TEST_F(ChannelDataStoreTest, ErrorsReadTheSameWhetherTheirPagesWereWrittenOrNot) {
  auto store = Uniform(0.0, 4.0, 5);
  const double tag = Settings.DefaultNegativeTag;
  const std::vector<double> whole{0, 1, 2, 3, 4};
  const std::vector<double> part{1, 2, 3};
  const std::vector<double> y{5, 6, 7, 8, 9};
  auto errors = [&](int Set) {
    std::vector<double> values;
    for (int i = 0; i < 5; ++i) values.push_back(store->GetError(Set, i));
    EXPECT_EQ(std::vector<double>(store->GetErrorArray(Set), store->GetErrorArray(Set) + 5),
              values);
    return values;
  };
  const std::vector<double> zeros(5, 0.0);
  const std::vector<double> tagged{tag, 0, 0, 0, tag};

  ASSERT_EQ(store->AddSet(whole.data(), y.data(), 5, HeaderAt(1), 1), 0);
  EXPECT_EQ(errors(0), zeros);
  ASSERT_EQ(store->AddSet(part.data(), y.data(), 3, HeaderAt(2), 2), 1);
  EXPECT_EQ(errors(1), tagged);
  // A slot that held tags, taken by a scan that fills the grid.
  store->ClearSets();
  ASSERT_EQ(store->AddSet(whole.data(), y.data(), 5, HeaderAt(1), 1), 0);
  ASSERT_EQ(store->AddSet(whole.data(), y.data(), 5, HeaderAt(2), 2), 1);
  EXPECT_EQ(errors(1), zeros);
  // Read again shorter, then whole: the set's errors follow.
  ASSERT_EQ(store->ReplaceSet(0, part.data(), y.data(), 3, HeaderAt(1), 1), 0);
  EXPECT_EQ(errors(0), tagged);
  ASSERT_EQ(store->ReplaceSet(0, whole.data(), y.data(), 5, HeaderAt(1), 1), 0);
  EXPECT_EQ(errors(0), zeros);
  store->SetError(1, 2, -3.0);
  EXPECT_EQ(errors(1), (std::vector<double>{0, 0, -3.0, 0, 0}));
  // A set with errors of its own writes them all, on a fresh slot too.
  const std::vector<double> own{0.5, 0.5, 0.5, 0.5, 0.5};
  ASSERT_EQ(store->AddSetWithErrors(whole.data(), y.data(), own.data(), 5, HeaderAt(3), 3), 2);
  EXPECT_EQ(errors(2), own);
  EXPECT_EQ(errors(700), zeros);  // a slot never used
}

// A slot's header is made when it is first written; until then it reads as
// a default header, and the array of all headers shows every one.
TEST_F(ChannelDataStoreTest, HeadersOfSlotsNeverWrittenReadAsDefaults) {
  auto store = Uniform(0.0, 4.0, 5);
  const ChannelDataStore& shown = *store;
  EXPECT_EQ(shown.Headers[998].TimeUsed, 0.0);
  EXPECT_TRUE(shown.Headers[998].FileName.empty());
  ASSERT_EQ(AddFlat(*store, 1.0, 10.0), 0);
  store->Headers[5].FileName = "00006.RA1";
  EXPECT_EQ(shown.Headers[0].TimeUsed, 10.0);
  EXPECT_EQ(shown.Headers[5].FileName, "00006.RA1");
  const ScanHeader* all = store->Headers.data();
  EXPECT_EQ(all[0].TimeUsed, 10.0);
  EXPECT_EQ(all[5].FileName, "00006.RA1");
  EXPECT_EQ(all[999].TimeUsed, 0.0);
  EXPECT_EQ(&all[5], &store->Headers[5]);
}
