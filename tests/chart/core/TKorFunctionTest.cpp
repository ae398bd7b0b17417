#include "chart/core/TKorFunction.h"

#include "TestCharts.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TDataSourcesList.h"

#include "platform/TDateTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Sums the mandatory values of a period; counts its calls.
class TSumFunction : public TKorFunction {
 public:
  using TKorFunction::TKorFunction;
  double Calculate(TChartSeries* Source, int First, int Last) override {
    ++Calls;
    if (First == -1) {
      First = 0;
      Last = Source->Count() - 1;
    }
    double Sum = 0;
    for (int I = First; I <= Last; ++I) Sum += Source->GetMandatory().GetValue(I);
    return Sum;
  }
  double CalculateMany(const std::vector<TComponent*>& Sources, int Index) override {
    double Sum = 0;
    for (TComponent* C : Sources) {
      auto* S = dynamic_cast<TChartSeries*>(C);
      if (S != nullptr && Index < S->Count()) Sum += S->GetyValue(Index);
    }
    return Sum;
  }
  int Calls = 0;
};

class TMovingSum : public TKorMovingFunction {
 public:
  using TKorMovingFunction::TKorMovingFunction;
  double Calculate(TChartSeries* Source, int First, int Last) override {
    double Sum = 0;
    for (int I = First; I <= Last; ++I) Sum += Source->GetyValue(I);
    return Sum;
  }
};

// A line-type series: a function of all points gives a segment.
class TLineLike : public TChartSeries {
 public:
  explicit TLineLike(TComponent* AOwner) : TChartSeries(AOwner) { SetSinglePointFunction(false); }
};

std::vector<double> Xs(const TChartSeries& S) {
  return std::vector<double>(S.GetXValues().Data(), S.GetXValues().Data() + S.Count());
}
std::vector<double> Ys(const TChartSeries& S) {
  return std::vector<double>(S.GetYValues().Data(), S.GetYValues().Data() + S.Count());
}

class TKorFunctionTest : public ::testing::Test {
 protected:
  TChartSeries& Series(TChartSeries* S) {
    Chart.AddSeries(S);
    return *S;
  }
  TChartSeries& Source(const std::vector<std::pair<double, double>>& Points) {
    auto& S = Series(new TChartSeries(&Chart));
    for (auto [X, Y] : Points) S.AddXY(X, Y);
    return S;
  }
  // A series computed by Function from Src.
  TChartSeries& Computed(TChartSeries& Src, TKorFunction* Function, TChartSeries* Into = nullptr) {
    TChartSeries& Out = Series(Into != nullptr ? Into : new TChartSeries(&Chart));
    Function->SetParentSeries(&Out);
    Out.SetDataSource(&Src);
    return Out;
  }

  TTestChart Chart;
};

TEST_F(TKorFunctionTest, AllPointsGiveOnePointOrASegmentAcrossTheSource) {
  TChartSeries& Src = Source({{2, 1}, {4, 2}, {6, 3}});
  TChartSeries& One = Computed(Src, new TSumFunction(&Chart));
  EXPECT_EQ(Xs(One), std::vector<double>({4}));
  EXPECT_EQ(Ys(One), std::vector<double>({6}));
  TChartSeries& Line = Computed(Src, new TSumFunction(&Chart), new TLineLike(&Chart));
  EXPECT_EQ(Xs(Line), std::vector<double>({2, 6}));
  EXPECT_EQ(Ys(Line), std::vector<double>({6, 6}));
}

TEST_F(TKorFunctionTest, PeriodsOfPointsDropAnIncompleteLastGroup) {
  TChartSeries& Src = Source({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}});
  auto* Sum = new TSumFunction(&Chart);
  Sum->SetPeriod(2);
  TChartSeries& Out = Computed(Src, Sum);
  EXPECT_EQ(Xs(Out), std::vector<double>({0.5, 2.5}));
  EXPECT_EQ(Ys(Out), std::vector<double>({3, 7}));
  Sum->SetPeriodAlign(paLast);
  EXPECT_EQ(Xs(Out), std::vector<double>({1, 3}));
}

TEST_F(TKorFunctionTest, PeriodsBelowOnePointTakeOnePointEach) {
  TChartSeries& Src = Source({{0, 1}, {1, 2}, {2, 3}});
  auto* Sum = new TSumFunction(&Chart);
  Sum->SetPeriod(0.3);
  TChartSeries& Out = Computed(Src, Sum);
  EXPECT_EQ(Ys(Out), std::vector<double>({1, 2, 3}));
  EXPECT_THROW(Sum->SetPeriod(-1), ChartException);
  EXPECT_EQ(Sum->GetPeriod(), 0.3);
}

TEST_F(TKorFunctionTest, RangePeriodsGiveAZeroPointForAnEmptyRange) {
  TChartSeries& Src = Source({{0, 1}, {1, 2}, {25, 5}});
  auto* Sum = new TSumFunction(&Chart);
  Sum->SetPeriodStyle(psRange);
  Sum->SetPeriod(10);
  Sum->SetPeriodAlign(paFirst);
  TChartSeries& Out = Computed(Src, Sum);
  EXPECT_EQ(Xs(Out), std::vector<double>({0, 10, 20}));
  EXPECT_EQ(Ys(Out), std::vector<double>({3, 0, 5}));
}

TEST_F(TKorFunctionTest, MonthPeriodsOnADateTimeAxisFollowTheCalendarBeforeAnyPaint) {
  TChartSeries& Src = Source({{EncodeDate(2021, 1, 1), 1},
                              {EncodeDate(2021, 1, 31), 2},
                              {EncodeDate(2021, 2, 15), 3},
                              {EncodeDate(2021, 3, 10), 4}});
  Src.GetXValues().SetDateTime(true);
  auto* Sum = new TSumFunction(&Chart);
  Sum->SetPeriodStyle(psRange);
  Sum->SetPeriodAlign(paFirst);
  Sum->SetPeriod(DateTimeStep[dtOneMonth]);
  // The chart has never been drawn.
  TChartSeries& Out = Computed(Src, Sum);
  EXPECT_EQ(Xs(Out), std::vector<double>(
                         {EncodeDate(2021, 1, 1), EncodeDate(2021, 2, 1), EncodeDate(2021, 3, 1)}));
  EXPECT_EQ(Ys(Out), std::vector<double>({3, 3, 4}));
}

TEST_F(TKorFunctionTest, ARangeTooSmallToMoveStops) {
  TChartSeries& Src = Source({{1e20, 1}, {2e20, 2}});
  auto* Sum = new TSumFunction(&Chart);
  Sum->SetPeriodStyle(psRange);
  Sum->SetPeriod(1e-3);
  TChartSeries& Out = Computed(Src, Sum);
  EXPECT_LE(Out.Count(), 2);
}

TEST_F(TKorFunctionTest, MovingFunctionsSlideAWindowOfPeriodPoints) {
  std::vector<std::pair<double, double>> Points;
  for (int I = 0; I < 10; ++I) Points.push_back({double(I), double(I)});
  TChartSeries& Src = Source(Points);
  auto* Moving = new TMovingSum(&Chart);
  Moving->SetPeriod(3);
  TChartSeries& Out = Computed(Src, Moving);
  ASSERT_EQ(Out.Count(), 8);
  EXPECT_EQ(Out.GetxValue(0), 2);
  EXPECT_EQ(Out.GetyValue(0), 0 + 1 + 2);
  EXPECT_EQ(Out.GetxValue(7), 9);
  Moving->SetPeriod(0);  // a window of at least one point
  EXPECT_EQ(Out.Count(), 10);
  // A period of 0 must reach a stream: a moving function starts at 1.
  EXPECT_TRUE(Moving->Properties().Find(QStringLiteral("Period"))->IsStored(*Moving));
  Moving->SetPeriod(1);
  EXPECT_FALSE(Moving->Properties().Find(QStringLiteral("Period"))->IsStored(*Moving));
}

TEST_F(TKorFunctionTest, AnUpdateBracketRecalculatesOnce) {
  TChartSeries& Src = Source({{0, 1}, {1, 2}, {2, 3}, {3, 4}});
  auto* Sum = new TSumFunction(&Chart);
  TChartSeries& Out = Computed(Src, Sum);
  Sum->Calls = 0;
  Sum->BeginUpdate();
  Sum->SetPeriod(2);
  Sum->SetPeriod(1);
  Sum->SetPeriodAlign(paFirst);
  EXPECT_EQ(Sum->Calls, 0);
  Sum->EndUpdate();
  EXPECT_EQ(Sum->Calls, 4);
  EXPECT_EQ(Out.Count(), 4);
}

// -- points added one by one

// How a function of the table below is set up.
struct TIncrementalCase {
  const char* Name;
  double Period;
  TFunctionPeriodStyle Style;
  TFunctionPeriodAlign Align;
  bool Moving;
  bool LineLike;
};

class TKorFunctionIncrementalTest : public TKorFunctionTest,
                                    public ::testing::WithParamInterface<TIncrementalCase> {
 protected:
  TKorFunction* NewFunction() {
    const TIncrementalCase& C = GetParam();
    TKorFunction* F = C.Moving ? static_cast<TKorFunction*>(new TMovingSum(&Chart))
                               : static_cast<TKorFunction*>(new TSumFunction(&Chart));
    F->SetPeriod(C.Period);
    F->SetPeriodStyle(C.Style);
    F->SetPeriodAlign(C.Align);
    return F;
  }
  TChartSeries* NewOutput() {
    return GetParam().LineLike ? new TLineLike(&Chart) : new TChartSeries(&Chart);
  }
  // Src's points as a function of them computed all at once gives them.
  void ExpectAsComputedAtOnce(TChartSeries& Src, const TChartSeries& Out) {
    TChartSeries& Copy = Series(new TChartSeries(&Chart));
    for (int I = 0; I < Src.Count(); ++I) Copy.AddXY(Src.GetxValue(I), Src.GetyValue(I));
    TChartSeries& Fresh = Computed(Copy, NewFunction(), NewOutput());
    EXPECT_EQ(Xs(Out), Xs(Fresh));
    EXPECT_EQ(Ys(Out), Ys(Fresh));
  }
};

// X values that rise unevenly, with gaps of more than a period and pairs
// on one X, so that ranges stay empty, take several points or grow.
double IncrementalX(int I) {
  return I * 3.0 + 25.0 * (I / 7) - (I % 6 == 5 ? 3.0 : 0.0);
}

TEST_P(TKorFunctionIncrementalTest, EachPointAddedGivesWhatComputingAllAtOnceGives) {
  TChartSeries& Src = Series(new TChartSeries(&Chart));
  TChartSeries& Out = Computed(Src, NewFunction(), NewOutput());
  for (int I = 0; I < 40; ++I) {
    SCOPED_TRACE(I);
    Src.AddXY(IncrementalX(I), (I * 7) % 11 - 3.0);
    ExpectAsComputedAtOnce(Src, Out);
    if (I == 20) {
      // Changes other than points at the end: a value written without
      // telling the linked series, a point taken away, one added in the
      // middle of the X order.
      Src.SetYValue(3, 100);
      Src.AddXY(IncrementalX(I) + 1, 4);
      ExpectAsComputedAtOnce(Src, Out);
      Src.Delete(5);
      ExpectAsComputedAtOnce(Src, Out);
      Src.AddXY(IncrementalX(4) + 0.5, 9);
      ExpectAsComputedAtOnce(Src, Out);
    }
  }
  // Back to the start after clearing.
  Src.Clear();
  Src.AddXY(1, 2);
  ExpectAsComputedAtOnce(Src, Out);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, TKorFunctionIncrementalTest,
    ::testing::Values(TIncrementalCase{"AllPoints", 0, psNumPoints, paCenter, false, false},
                      TIncrementalCase{"AllPointsAsASegment", 0, psNumPoints, paCenter, false,
                                       true},
                      TIncrementalCase{"ThreePointsFirst", 3, psNumPoints, paFirst, false, false},
                      TIncrementalCase{"ThreePointsCentre", 3, psNumPoints, paCenter, false, true},
                      TIncrementalCase{"RangesOfTenLast", 10, psRange, paLast, false, false},
                      TIncrementalCase{"RangesOfTenCentre", 10, psRange, paCenter, false, true},
                      TIncrementalCase{"RangesOfTwoFirst", 2, psRange, paFirst, false, false},
                      TIncrementalCase{"MovingFour", 4, psNumPoints, paCenter, true, false}),
    [](const ::testing::TestParamInfo<TIncrementalCase>& I) { return std::string(I.param.Name); });

TEST_F(TKorFunctionTest, AnAddedPointComputesOnlyThePeriodsItChanges) {
  TChartSeries& Src = Series(new TChartSeries(&Chart));
  auto* Groups = new TSumFunction(&Chart);
  Groups->SetPeriod(3);
  Computed(Src, Groups);
  auto* Ranges = new TSumFunction(&Chart);
  Ranges->SetPeriodStyle(psRange);
  Ranges->SetPeriod(10);
  Computed(Src, Ranges);
  auto* Moving = new TMovingSum(&Chart);
  Moving->SetPeriod(4);
  TChartSeries& Windows = Computed(Src, Moving);
  Groups->Calls = 0;
  Ranges->Calls = 0;
  for (int I = 0; I < 300; ++I) Src.AddXY(I, I % 3);
  // One period per completed group of three; the range that took the last
  // point again for each point, and once more when the next range opens.
  EXPECT_EQ(Groups->Calls, 100);
  EXPECT_EQ(Ranges->Calls, 300 + 29);
  EXPECT_EQ(Windows.Count(), 297);
}

TEST_F(TKorFunctionTest, AFunctionsSeriesInAnUpdateBracketComputesOnceAtItsEnd) {
  TChartSeries& Src = Source({{0, 1}, {1, 2}});
  auto* Sum = new TSumFunction(&Chart);
  TChartSeries& Out = Computed(Src, Sum);
  Sum->Calls = 0;
  Out.BeginUpdate();
  Out.BeginUpdate();
  for (int I = 2; I < 50; ++I) Src.AddXY(I, I);
  Src.Delete(0);
  Src.SetYValue(1, 7);
  Src.GetYValues().SetValue(2, 8);
  Out.EndUpdate();
  EXPECT_EQ(Sum->Calls, 0);
  Out.EndUpdate();
  EXPECT_EQ(Sum->Calls, 1);
  double Total = 0;
  for (int I = 0; I < Src.Count(); ++I) Total += Src.GetyValue(I);
  EXPECT_EQ(Ys(Out), std::vector<double>({Total}));
  // Outside a bracket each change is followed again.
  Src.AddXY(60, 1);
  EXPECT_EQ(Ys(Out), std::vector<double>({Total + 1}));
}

TEST_F(TKorFunctionTest, SeveralSourcesAreCombinedPointByPoint) {
  TChartSeries& A = Source({{0, 1}, {1, 2}});
  TChartSeries& B = Source({{0, 10}, {1, 20}, {2, 30}});
  auto* Sum = new TSumFunction(&Chart);
  TChartSeries& Out = Series(new TChartSeries(&Chart));
  Sum->SetParentSeries(&Out);
  Out.InternalSetDataSource(&A, true);
  Out.InternalSetDataSource(&B, false);
  EXPECT_EQ(Ys(Out), std::vector<double>({11, 22, 30}));
}

// -- linked series

TEST_F(TKorFunctionTest, AChainAndADiamondOfLinkedSeriesFollowEveryChange) {
  TChartSeries& A = Source({{0, 1}});
  TChartSeries& B = Series(new TChartSeries(&Chart));
  B.SetDataSource(&A);
  TChartSeries& C = Series(new TChartSeries(&Chart));
  C.SetDataSource(&B);
  auto* Sum = new TSumFunction(&Chart);
  TChartSeries& D = Series(new TChartSeries(&Chart));
  Sum->SetParentSeries(&D);
  D.InternalSetDataSource(&B, true);
  D.InternalSetDataSource(&C, false);
  A.AddXY(1, 5);
  EXPECT_EQ(Ys(C), std::vector<double>({1, 5}));
  EXPECT_EQ(Ys(D), std::vector<double>({2, 10}));
  A.Delete(0);
  EXPECT_EQ(Ys(C), std::vector<double>({5}));
  EXPECT_EQ(Ys(D), std::vector<double>({10}));
  A.Clear();
  EXPECT_EQ(C.Count(), 0);
  EXPECT_EQ(D.Count(), 0);
}

TEST_F(TKorFunctionTest, CyclesThroughASecondSourceAreRefused) {
  TChartSeries& A = Source({{0, 1}});
  TChartSeries& B = Series(new TChartSeries(&Chart));
  TChartSeries& C = Series(new TChartSeries(&Chart));
  C.SetDataSource(&A);
  auto* Sum = new TSumFunction(&Chart);
  TChartSeries& D = Series(new TChartSeries(&Chart));
  Sum->SetParentSeries(&D);
  D.InternalSetDataSource(&B, true);
  D.InternalSetDataSource(&C, false);
  EXPECT_THROW(A.SetDataSource(&D), ChartException);
  EXPECT_EQ(A.GetDataSource(), nullptr);
}

TEST_F(TKorFunctionTest, FreeingAnySourceRemovesItFromTheList) {
  TChartSeries& A = Source({{0, 1}});
  auto* B = new TChartSeries(&Chart);
  Chart.AddSeries(B);
  TChartSeries& Out = Series(new TChartSeries(&Chart));
  new TSumFunction(&Chart);
  Out.InternalSetDataSource(&A, true);
  Out.InternalSetDataSource(B, false);
  ASSERT_EQ(Out.GetDataSources().Count(), 2);
  delete B;
  EXPECT_EQ(Out.GetDataSources().Count(), 1);
  EXPECT_EQ(Out.GetDataSources().Get(0), &A);
}

TEST_F(TKorFunctionTest, FreeingTheFunctionOrItsSeriesFirstLeavesNothingDangling) {
  TChartSeries& Src = Source({{0, 1}});
  auto* Sum = new TSumFunction(&Chart);
  TChartSeries& Out = Computed(Src, Sum);
  delete Sum;
  EXPECT_EQ(Out.GetFunction(), nullptr);
  auto* Sum2 = new TSumFunction(&Chart);
  auto* Out2 = new TChartSeries(&Chart);
  Chart.AddSeries(Out2);
  Sum2->SetParentSeries(Out2);
  delete Out2;  // frees its function too
  SUCCEED();
}

}  // namespace
