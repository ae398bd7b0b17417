#include "analysis/KorvaleScanData.h"

#include <gtest/gtest.h>

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

}  // namespace
