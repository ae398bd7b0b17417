#include "FunctionTestCharts.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TAddKorFunction.h"
#include "chart/series/TAverageKorFunction.h"
#include "chart/series/TCustomKorFunction.h"
#include "chart/series/TDivideKorFunction.h"
#include "chart/series/THighKorFunction.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/TLowKorFunction.h"
#include "chart/series/TMedianKorFunction.h"
#include "chart/series/TModeKorFunction.h"
#include "chart/series/TMultiplyKorFunction.h"
#include "chart/series/TSubtractKorFunction.h"

#include "chart/core/TKorSeriesTypes.h"

#include "platform/ClassRegistry.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace {

class StandardFunctionsTest : public TFunctionChartFixture {
 protected:
  // The single value a function gives over all points of Src.
  double AllPoints(TChartSeries& Src, TKorFunction* Function) {
    TChartSeries& Out = Computed({&Src}, Function);
    EXPECT_EQ(Out.Count(), 1);
    return Out.Count() > 0 ? Out.GetyValue(0) : -999;
  }
};

TEST_F(StandardFunctionsTest, AddSumsAllPointsPeriodsAndEachIndexOfSeveralSources) {
  TChartSeries& Src = Source({1, 2, 3, 4, 5});
  EXPECT_EQ(AllPoints(Src, new TAddKorFunction(&Chart)), 15);
  auto* ByPoints = new TAddKorFunction(&Chart);
  ByPoints->SetPeriod(2);
  EXPECT_EQ(Ys(Computed({&Src}, ByPoints)), std::vector<double>({3, 7}));
  auto* ByRange = new TAddKorFunction(&Chart);
  ByRange->SetPeriodStyle(psRange);
  ByRange->SetPeriod(3);
  EXPECT_EQ(Ys(Computed({&Src}, ByRange)), std::vector<double>({6, 9}));
  TAddKorFunction Add(nullptr);
  EXPECT_EQ(Add.Calculate(&Src, 3, 2), 0);

  TChartSeries& A = Source({1, 2});
  TChartSeries& B = Source({10, 20, 30});
  EXPECT_EQ(Ys(Computed({&A, &B}, new TAddKorFunction(&Chart))), std::vector<double>({11, 22, 30}));
}

TEST_F(StandardFunctionsTest, SubtractMultiplyAndDivideFoldSourcesInListOrder) {
  TChartSeries& A = Source({10, 20});
  TChartSeries& B = Source({1});
  EXPECT_EQ(Ys(Computed({&A, &B}, new TSubtractKorFunction(&Chart))), std::vector<double>({9, 20}));
  // The longer source sets the indexes even when it comes second.
  EXPECT_EQ(Ys(Computed({&B, &A}, new TSubtractKorFunction(&Chart))),
            std::vector<double>({-9, 20}));

  TChartSeries& C = Source({2, 3});
  TChartSeries& D = Source({4});
  TChartSeries& E = Source({5, 6});
  EXPECT_EQ(Ys(Computed({&C, &D, &E}, new TMultiplyKorFunction(&Chart))),
            std::vector<double>({40, 18}));

  // A zero divisor leaves the running result as it was.
  TChartSeries& N = Source({12, 8});
  TChartSeries& Z = Source({0, 2});
  TChartSeries& M = Source({3, 0});
  EXPECT_EQ(Ys(Computed({&N, &Z, &M}, new TDivideKorFunction(&Chart))),
            std::vector<double>({4, 4}));

  // One source: every period is 0; no source with the index: 0.
  EXPECT_EQ(AllPoints(A, new TSubtractKorFunction(&Chart)), 0);
  TDivideKorFunction Divide(nullptr);
  EXPECT_EQ(Divide.CalculateMany({&N, &Z}, 5), 0);
}

TEST_F(StandardFunctionsTest, HighAndLowOverPeriodsAndNegativeSources) {
  TChartSeries& Src = Source({1, 5, 2, -8, 7});
  EXPECT_EQ(AllPoints(Src, new THighKorFunction(&Chart)), 7);
  EXPECT_EQ(AllPoints(Src, new TLowKorFunction(&Chart)), -8);
  auto* High = new THighKorFunction(&Chart);
  High->SetPeriod(2);
  EXPECT_EQ(Ys(Computed({&Src}, High)), std::vector<double>({5, 2}));
  auto* Low = new TLowKorFunction(&Chart);
  Low->SetPeriodStyle(psRange);
  Low->SetPeriod(3);
  EXPECT_EQ(Ys(Computed({&Src}, Low)), std::vector<double>({1, -8}));
  EXPECT_EQ(High->Calculate(&Src, 2, 1), 0);

  // Negative values: the result starts from the first value, not from 0.
  TChartSeries& A = Source({-5});
  TChartSeries& B = Source({-3, -7});
  EXPECT_EQ(Ys(Computed({&A, &B}, new THighKorFunction(&Chart))), std::vector<double>({-3, -7}));
  EXPECT_EQ(Ys(Computed({&A, &B}, new TLowKorFunction(&Chart))), std::vector<double>({-5, -7}));
  EXPECT_EQ(High->CalculateMany({&A}, 3), 0);
}

TEST_F(StandardFunctionsTest, AverageCountsNullsOnlyWhenIncluded) {
  TChartSeries& Src = Source({2, Null, 4});
  auto* Average = new TAverageKorFunction(&Chart);
  TChartSeries& Out = Computed({&Src}, Average);
  EXPECT_EQ(Ys(Out), std::vector<double>({2}));  // the null's stored 0 counts
  Average->SetIncludeNulls(false);
  EXPECT_EQ(Ys(Out), std::vector<double>({3}));

  TChartSeries& Periods = Source({2, Null, 4, 6, Null, Null});
  Average->SetPeriod(2);
  TChartSeries& ByPeriod = Computed({&Periods}, Average);
  EXPECT_EQ(Ys(ByPeriod), std::vector<double>({2, 5, 0}));
  Average->SetIncludeNulls(true);
  EXPECT_EQ(Ys(ByPeriod), std::vector<double>({1, 5, 0}));

  TChartSeries& A = Source({2, 1});
  TChartSeries& B = Source({Null});
  TChartSeries& C = Source({7});
  auto* Many = new TAverageKorFunction(&Chart);
  TChartSeries& ManyOut = Computed({&A, &B, &C}, Many);
  EXPECT_EQ(Ys(ManyOut), std::vector<double>({3, 1}));
  Many->SetIncludeNulls(false);
  EXPECT_EQ(Ys(ManyOut), std::vector<double>({4.5, 1}));
  EXPECT_EQ(Many->CalculateMany({&B}, 0), 0);
  TChartSeries& Empty = Source({});
  EXPECT_EQ(Many->Calculate(&Empty, -1, -1), 0);
  Many->SetIncludeNulls(true);
  EXPECT_EQ(Many->Calculate(&Empty, -1, -1), 0);
}

TEST_F(StandardFunctionsTest, UserFormulaStepsXByPeriodFromStartX) {
  auto* Formula = new TCustomKorFunction(&Chart);
  TChartSeries& Out = Computed({}, Formula);
  Formula->ReCalculate();
  EXPECT_EQ(Out.Count(), 0);  // nothing to ask without a handler

  std::vector<double> Asked;
  Formula->OnCalculate = [&Asked](TCustomKorFunction*, double X, double& Y) {
    Asked.push_back(X);
    Y = X * X;
  };
  Formula->BeginUpdate();
  Formula->SetStartX(0);
  Formula->SetPeriod(0.5);
  Formula->SetNumPoints(3);
  Formula->EndUpdate();
  EXPECT_EQ(Asked, std::vector<double>({0, 0.5, 1}));
  EXPECT_EQ(Xs(Out), std::vector<double>({0, 0.5, 1}));
  EXPECT_EQ(Ys(Out), std::vector<double>({0, 0.25, 1}));
  EXPECT_EQ(Formula->GetX(), 1);

  // A refill replaces the points; a horizontal series gets (y, x).
  Formula->SetStartX(2);
  EXPECT_EQ(Xs(Out), std::vector<double>({2, 2.5, 3}));
  auto* Horizontal = new TCustomKorFunction(&Chart);
  Horizontal->OnCalculate = [](TCustomKorFunction*, double X, double& Y) { Y = X + 10; };
  TChartSeries& Bars = Computed({}, Horizontal, new THorizBarSeries(&Chart));
  Horizontal->SetNumPoints(2);
  EXPECT_EQ(Xs(Bars), std::vector<double>({10, 11}));
  EXPECT_EQ(Ys(Bars), std::vector<double>({0, 1}));
}

TEST_F(StandardFunctionsTest, PropertiesDefaultsAssignAndEditors) {
  auto Names = [](const TPersistent& P) {
    QStringList List;
    for (const TPublishedProperty& Item : P.Properties()) List << Item.Name;
    return List;
  };
  TAverageKorFunction Average(nullptr);
  TCustomKorFunction Formula(nullptr);
  TMedianKorFunction Median(nullptr);
  EXPECT_EQ(Names(Average), QStringList({"Period", "PeriodAlign", "PeriodStyle", "IncludeNulls"}));
  EXPECT_EQ(Names(Median), Names(Average));
  EXPECT_EQ(Names(Formula),
            QStringList({"Period", "PeriodAlign", "PeriodStyle", "StartX", "NumPoints"}));
  // The formula's own step of 1 is its stored default: a stored 0 must not
  // read back as 1.
  EXPECT_EQ(Formula.GetPeriod(), 1);
  EXPECT_FALSE(Formula.Properties().Find("Period")->IsStored(Formula));
  Formula.SetPeriod(0);
  EXPECT_TRUE(Formula.Properties().Find("Period")->IsStored(Formula));
  EXPECT_EQ(Formula.GetNumPoints(), 100);
  EXPECT_TRUE(Formula.GetNoSourceRequired());
  EXPECT_TRUE(Average.GetIncludeNulls());

  TAverageKorFunction Copy(nullptr);
  Average.SetIncludeNulls(false);
  Average.SetPeriod(3);
  Copy.Assign(Average);
  EXPECT_FALSE(Copy.GetIncludeNulls());
  EXPECT_EQ(Copy.GetPeriod(), 3);
  TCustomKorFunction FormulaCopy(nullptr);
  Formula.SetStartX(-2);
  Formula.SetNumPoints(7);
  FormulaCopy.Assign(Formula);
  EXPECT_EQ(FormulaCopy.GetStartX(), -2);
  EXPECT_EQ(FormulaCopy.GetNumPoints(), 7);

  EXPECT_EQ(Average.GetEditorClass(), "TAverageFuncEditor");
  EXPECT_EQ(Formula.GetEditorClass(), "TCustomFunctionEditor");
  EXPECT_EQ(Median.GetEditorClass(), "TKorFunctionEditor");
}

TEST_F(StandardFunctionsTest, TheTenFunctionsRegisterInGalleryOrder) {
  UnRegisterSeriesTypes();
  RegisterSeriesTypes();
  RegisterSeriesTypes();
  QStringList Classes;
  QStringList Texts;
  for (int I = 0; I < KorSeriesTypes().Count(); ++I) {
    const TKorSeriesType* Entry = KorSeriesTypes()[I];
    if (!Entry->FunctionClassRef) continue;
    EXPECT_FALSE(Entry->SeriesClassRef);
    EXPECT_EQ(Entry->GalleryPage(), "Standard");
    Classes << Entry->FunctionClassRef.ClassName();
    Texts << Entry->Description();
  }
  EXPECT_EQ(Classes, QStringList({"TAddKorFunction", "TSubtractKorFunction", "TMultiplyKorFunction",
                                  "TDivideKorFunction", "THighKorFunction", "TLowKorFunction",
                                  "TAverageKorFunction", "TCustomKorFunction", "TMedianKorFunction",
                                  "TModeKorFunction"}));
  EXPECT_EQ(Texts, QStringList({"Add", "Subtract", "Multiply", "Divide", "High", "Low", "Average",
                                "y = f(x)", "Median", "Mode"}));
  EXPECT_NE(GetClass(QStringLiteral("TModeKorFunction")), nullptr);

  UnRegisterSeriesTypes();
  for (int I = 0; I < KorSeriesTypes().Count(); ++I)
    EXPECT_FALSE(KorSeriesTypes()[I]->FunctionClassRef) << I;
}

}  // namespace
