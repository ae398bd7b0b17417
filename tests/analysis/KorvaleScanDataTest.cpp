#include "analysis/KorvaleScanData.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

class KorvaleScanDataTest : public ::testing::Test {};

TEST_F(KorvaleScanDataTest, AllocateGivesThirdColumnOnlyToKindsOneAndTwo) {
  KorvaleScanData data(nullptr);
  EXPECT_EQ(data.DataKind, 2);
  EXPECT_EQ(data.Radius(), nullptr);
  EXPECT_EQ(data.ThirdColumn(), nullptr);

  for (int kind : {0, 1, 2, 3}) {
    SCOPED_TRACE(kind);
    data.DataKind = kind;
    data.PointCount = 12;
    ASSERT_TRUE(data.Allocate(100));
    EXPECT_EQ(data.PointCount, 0);
    EXPECT_EQ(data.Capacity(), 100);
    EXPECT_NE(data.Radius(), nullptr);
    EXPECT_NE(data.Value(), nullptr);
    EXPECT_NE(data.SpareArray1(), nullptr);
    const bool third = kind == 1 || kind == 2;
    EXPECT_EQ(data.ThirdColumn() != nullptr, third);
    EXPECT_EQ(data.SpareArray2() != nullptr, third);
    // Every allocated element is writable (the sanitizer checks the bounds).
    data.Radius()[99] = data.Value()[99] = data.SpareArray1()[99] = 1.0;
    if (third) data.ThirdColumn()[99] = data.SpareArray2()[99] = 1.0;
  }
}

TEST_F(KorvaleScanDataTest, AllocatingTheSameArraysAgainKeepsThemAndAnyOtherReplacesThem) {
  KorvaleScanData data(nullptr);
  data.DataKind = 1;
  ASSERT_TRUE(data.Allocate(100));
  const double* radius = data.Radius();
  data.PointCount = 7;
  ASSERT_TRUE(data.Allocate(100));
  EXPECT_EQ(data.Radius(), radius);
  EXPECT_EQ(data.PointCount, 0);
  data.DataKind = 2;  // the same set of arrays
  ASSERT_TRUE(data.Allocate(100));
  EXPECT_EQ(data.Radius(), radius);

  data.DataKind = 3;  // no third column
  ASSERT_TRUE(data.Allocate(100));
  EXPECT_EQ(data.ThirdColumn(), nullptr);
  EXPECT_EQ(data.SpareArray2(), nullptr);
  ASSERT_TRUE(data.Allocate(2048));
  EXPECT_EQ(data.Capacity(), 2048);
  data.Radius()[2047] = data.Value()[2047] = 1.0;
  data.DataKind = 1;
  ASSERT_TRUE(data.Allocate(2048));
  ASSERT_NE(data.ThirdColumn(), nullptr);
  data.ThirdColumn()[2047] = data.SpareArray2()[2047] = 1.0;
}

// Each case runs on a thread of its own, whose spare set starts empty.
void OnFreshThread(const std::function<void()>& Body) {
  std::thread(Body).join();
}

TEST_F(KorvaleScanDataTest, ReserveKeepsArraysThatHoldEnoughAndReplacesOthers) {
  OnFreshThread([] {
    KorvaleScanData data(nullptr);
    data.DataKind = 1;
    ASSERT_TRUE(data.Reserve(100));
    EXPECT_EQ(data.Capacity(), 100);
    ASSERT_NE(data.ThirdColumn(), nullptr);
    const double* radius = data.Radius();
    data.PointCount = 5;
    ASSERT_TRUE(data.Reserve(60));
    EXPECT_EQ(data.Radius(), radius);
    EXPECT_EQ(data.Capacity(), 100);
    EXPECT_EQ(data.PointCount, 0);

    // Same number, other kind: the third columns go, and come back.
    data.DataKind = 3;
    ASSERT_TRUE(data.Reserve(100));
    EXPECT_EQ(data.Radius(), radius);
    EXPECT_EQ(data.ThirdColumn(), nullptr);
    EXPECT_EQ(data.SpareArray2(), nullptr);
    data.DataKind = 2;
    ASSERT_TRUE(data.Reserve(100));
    ASSERT_NE(data.ThirdColumn(), nullptr);
    data.ThirdColumn()[99] = data.SpareArray2()[99] = 1.0;

    ASSERT_TRUE(data.Reserve(101));
    EXPECT_EQ(data.Capacity(), 101);
    data.Radius()[100] = data.Value()[100] = data.SpareArray1()[100] = 1.0;
    data.ThirdColumn()[100] = data.SpareArray2()[100] = 1.0;
  });
}

TEST_F(KorvaleScanDataTest, ArraysGivenUpServeTheNextReserveOnTheThread) {
  OnFreshThread([] {
    const double* given = nullptr;
    {
      KorvaleScanData first(nullptr);
      first.DataKind = 1;
      ASSERT_TRUE(first.Reserve(500));
      given = first.Radius();
    }
    KorvaleScanData second(nullptr);
    second.DataKind = 3;
    ASSERT_TRUE(second.Reserve(300));
    EXPECT_EQ(second.Radius(), given);
    EXPECT_EQ(second.Capacity(), 500);
    EXPECT_EQ(second.ThirdColumn(), nullptr);

    // Allocate keeps its exact number whatever is spare.
    KorvaleScanData third(nullptr);
    ASSERT_TRUE(third.Allocate(2048));
    third.DataKind = 1;
    ASSERT_TRUE(third.Reserve(2049));  // the 2048 go spare
    KorvaleScanData exact(nullptr);
    ASSERT_TRUE(exact.Allocate(100));
    EXPECT_EQ(exact.Capacity(), 100);

    // Too little spare: fresh arrays of the number asked for.
    KorvaleScanData larger(nullptr);
    ASSERT_TRUE(larger.Reserve(3000));
    EXPECT_EQ(larger.Capacity(), 3000);
    larger.Radius()[2999] = larger.ThirdColumn()[2999] = 1.0;
  });
}

TEST_F(KorvaleScanDataTest, ArraysLargerThanAnyScanNeedsAreNotKept) {
  OnFreshThread([] {
    {
      KorvaleScanData huge(nullptr);
      ASSERT_TRUE(huge.Reserve(KorvaleScanData::SpareLimit + 1));
    }
    KorvaleScanData next(nullptr);
    ASSERT_TRUE(next.Reserve(10));
    EXPECT_EQ(next.Capacity(), 10);
  });
}

// An object of the thread's own made before its spare set is freed after
// it: its arrays are then freed, not given to the spare set that is gone
// (the sanitizer's leak check would report them).
TEST_F(KorvaleScanDataTest, DataFreedAfterTheThreadsSpareSetFreesItsArrays) {
  OnFreshThread([] {
    thread_local KorvaleScanData late(nullptr);
    late.DataKind = 1;
    ASSERT_TRUE(late.Reserve(100));
    KorvaleScanData early(nullptr);
    ASSERT_TRUE(early.Reserve(50));
  });
}

}  // namespace
