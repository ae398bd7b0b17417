#include "chart/core/SeriesCreation.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TCustomSeriesList.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TKorFunction.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TSeriesMarks.h"

#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class TMakeLineSeries : public TChartSeries {
 public:
  explicit TMakeLineSeries(TComponent* AOwner) : TChartSeries(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TMakeLineSeries"); }
};

class TMakeBarSeries : public TChartSeries {
 public:
  explicit TMakeBarSeries(TComponent* AOwner) : TChartSeries(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TMakeBarSeries"); }
};

// The mean of each period's Y values.
class TMakeAverage : public TKorFunction {
 public:
  explicit TMakeAverage(TComponent* AOwner) : TKorFunction(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TMakeAverage"); }
  double Calculate(TChartSeries* Source, int First, int Last) override {
    if (First < 0) {
      First = 0;
      Last = Source->Count() - 1;
    }
    double Sum = 0;
    for (int I = First; I <= Last; ++I) Sum += Source->GetyValue(I);
    return Sum / (Last - First + 1);
  }
};

// Difference of its first and second source, point by point.
class TMakeDifference : public TKorFunction {
 public:
  explicit TMakeDifference(TComponent* AOwner) : TKorFunction(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TMakeDifference"); }
  double CalculateMany(const std::vector<TComponent*>& Sources, int ValueIndex) override {
    auto Y = [&](int S) { return static_cast<TChartSeries*>(Sources[S])->GetyValue(ValueIndex); };
    return Y(0) - Y(1);
  }
};

class TSeriesEventLog : public IKorEventListener {
 public:
  void KorEvent(TKorEvent& Event) override {
    if (auto* E = dynamic_cast<TKorSeriesEvent*>(&Event)) Events.push_back(E->Event);
  }
  std::vector<TChartSeriesEvent> Events;
};

// Class references are made on first use: making one builds an instance,
// which needs the library's texts, so not during static initialisation.
TChartSeriesClass LineClass() {
  return TChartSeriesClass::Of<TMakeLineSeries>();
}
TChartSeriesClass BarClass() {
  return TChartSeriesClass::Of<TMakeBarSeries>();
}
TKorFunctionClass AverageClass() {
  return TKorFunctionClass::Of<TMakeAverage>();
}
TKorFunctionClass DifferenceClass() {
  return TKorFunctionClass::Of<TMakeDifference>();
}

// A chart whose series belong to a form, as the program builds them; the
// form goes first, so the series leave the chart before it goes.
class SeriesCreationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterKorSeries(LineClass(), &Text);
    RegisterKorSeries(BarClass(), &Text);
    RegisterKorBasicFunction(AverageClass(), &Text);
    RegisterKorBasicFunction(DifferenceClass(), &Text);
  }
  void TearDown() override {
    UnRegisterKorSeries({LineClass(), BarClass()});
    UnRegisterKorFunctions({AverageClass(), DifferenceClass()});
  }

  TChartSeries* AddLine(const std::vector<double>& Ys) {
    TChartSeries* S = CreateNewSeries(&Form, &Chart, LineClass());
    for (size_t I = 0; I < Ys.size(); ++I)
      S->AddXY(static_cast<double>(I), Ys[I], QStringLiteral("p%1").arg(I));
    return S;
  }

  static std::vector<double> Ys(const TChartSeries& S) {
    std::vector<double> Result;
    for (int I = 0; I < S.Count(); ++I) Result.push_back(S.GetyValue(I));
    return Result;
  }

  QString Text = QStringLiteral("Type");
  TTestChart Chart;
  TComponent Form{nullptr};
};

TEST_F(SeriesCreationTest, NewSeriesNamesTakeTheFirstFreeNumber) {
  EXPECT_EQ(GetNewSeriesName(nullptr), QStringLiteral("Series1"));
  AddLine({})->SetName("Series3");
  EXPECT_EQ(GetNewSeriesName(&Form), QStringLiteral("Series1"));
  AddLine({});
  EXPECT_EQ(GetNewSeriesName(&Form), QStringLiteral("Series2"));
}

TEST_F(SeriesCreationTest, NewSeriesJoinTheChartWithAUniqueNameAndItsOwner) {
  TChartSeries* First = AddLine({});
  TChartSeries* Second = CreateNewSeries(&Form, &Chart, BarClass());
  EXPECT_EQ(First->GetName(), "Series1");
  EXPECT_EQ(Second->GetName(), "Series2");
  EXPECT_EQ(Second->ClassName(), QStringLiteral("TMakeBarSeries"));
  EXPECT_EQ(Second->GetOwner(), &Form);
  EXPECT_EQ(Chart.IndexOfSeries(Second), 1);

  // No owner: the chart owns it; from then on the chart owns every new one.
  TChartSeries* ChartOwned = CreateNewSeries(nullptr, &Chart, LineClass());
  EXPECT_EQ(ChartOwned->GetOwner(), &Chart);
  EXPECT_EQ(ChartOwned->GetName(), "Series1");  // unique among the chart's components
  EXPECT_EQ(CreateNewSeries(&Form, &Chart, LineClass())->GetOwner(), &Chart);
}

TEST_F(SeriesCreationTest, ANewSeriesWithAFunctionGetsItsOwnNamedFunction) {
  TChartSeries* Source = AddLine({1, 2, 3, 6});
  TChartSeries* Mean = CreateNewSeries(&Form, &Chart, LineClass(), AverageClass());
  TKorFunction* Function = Mean->GetFunction();
  ASSERT_NE(Function, nullptr);
  EXPECT_EQ(Function->ClassName(), QStringLiteral("TMakeAverage"));
  EXPECT_EQ(Function->GetParentSeries(), Mean);
  EXPECT_EQ(Function->GetOwner(), &Form);
  EXPECT_EQ(Function->GetName(), "KorFunction1");
  Mean->SetDataSource(Source);
  EXPECT_EQ(Ys(*Mean), std::vector<double>{3});
}

TEST_F(SeriesCreationTest, ACloneCopiesPointsLabelsColoursAndSettings) {
  TChartSeries* Original = AddLine({4, 5, 6});
  Original->SetValueColor(1, clLime);
  Original->SetSeriesColor(clNavy);
  Original->SetTitle(QStringLiteral("Scan 7"));
  Original->GetMarks().SetVisible(true);
  Original->GetMarks().SetStyle(smsValue);

  TChartSeries* Clone = CloneChartSeries(*Original);
  EXPECT_EQ(Clone->ClassName(), QStringLiteral("TMakeLineSeries"));
  EXPECT_EQ(Clone->GetOwner(), &Form);
  EXPECT_EQ(Clone->GetParentChart(), &Chart);
  EXPECT_EQ(Chart.IndexOfSeries(Clone), 1);
  EXPECT_EQ(Clone->GetName(), "Series2");
  EXPECT_EQ(Ys(*Clone), (std::vector<double>{4, 5, 6}));
  EXPECT_EQ(Clone->GetXLabel(2), QStringLiteral("p2"));
  EXPECT_EQ(Clone->GetValueColor(1), clLime);
  EXPECT_EQ(Clone->GetSeriesColor(), clNavy);
  EXPECT_EQ(Clone->GetTitle(), QStringLiteral("Scan 7"));
  EXPECT_TRUE(Clone->GetMarks().GetVisible());
  EXPECT_EQ(Clone->GetMarks().GetStyle(), smsValue);

  // Into another chart, the original left alone.
  TTestChart Other;
  TChartSeries* Moved = CloneChartSeries(*Original, &Other);
  EXPECT_EQ(Moved->GetParentChart(), &Other);
  EXPECT_EQ(Chart.SeriesCount(), 2);
  EXPECT_EQ(Original->Count(), 3);
  delete Moved;
}

TEST_F(SeriesCreationTest, ACloneOfAFunctionSeriesComputesLikeTheOriginal) {
  TChartSeries* Source = AddLine({1, 3, 5, 7});
  TChartSeries* Mean = CreateNewSeries(&Form, &Chart, LineClass(), AverageClass());
  Mean->GetFunction()->SetPeriod(2);
  Mean->SetDataSource(Source);
  ASSERT_EQ(Ys(*Mean), (std::vector<double>{2, 6}));

  TChartSeries* Clone = CloneChartSeries(*Mean);
  ASSERT_NE(Clone->GetFunction(), nullptr);
  EXPECT_NE(Clone->GetFunction(), Mean->GetFunction());
  EXPECT_EQ(Clone->GetFunction()->GetName(), "KorFunction2");
  EXPECT_EQ(Clone->GetFunction()->GetPeriod(), 2);
  EXPECT_EQ(Clone->GetDataSource(), Source);
  EXPECT_EQ(Ys(*Clone), (std::vector<double>{2, 6}));
  EXPECT_EQ(Mean->GetFunction()->GetParentSeries(), Mean);
  // Both follow their source.
  Source->AddXY(4, 9);
  Source->AddXY(5, 11);
  EXPECT_EQ(Ys(*Clone), (std::vector<double>{2, 6, 10}));
  EXPECT_EQ(Ys(*Mean), (std::vector<double>{2, 6, 10}));
}

TEST_F(SeriesCreationTest, CloningAnUnregisteredClassRaisesAndMakesNothing) {
  auto* Plain = new TChartSeries(&Form);
  Plain->SetParentChart(&Chart);
  EXPECT_THROW(CloneChartSeries(*Plain), ChartException);
  EXPECT_EQ(Chart.SeriesCount(), 1);
  EXPECT_EQ(Form.GetComponentCount(), 1);
}

TEST_F(SeriesCreationTest, ChangingTypeKeepsPlaceNameDataAndHandlers) {
  AddLine({1});
  TChartSeries* Series = AddLine({4, 5, 6});
  AddLine({2});
  Series->SetValueColor(0, clRed);
  Series->GetMarks().SetVisible(true);
  int Clicks = 0;
  int Enters = 0;
  Series->OnClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++Clicks; };
  Series->OnMouseEnter = [&](TChartSeries*) { ++Enters; };
  TSeriesEventLog Log;
  Chart.GetListeners().Add(&Log);

  TChartSeries* Old = Series;
  TChartSeries* Result = ChangeSeriesType(Series, BarClass());
  Chart.GetListeners().Remove(&Log);
  EXPECT_EQ(Result, Series);
  EXPECT_NE(Series, Old);
  EXPECT_EQ(Series->ClassName(), QStringLiteral("TMakeBarSeries"));
  EXPECT_EQ(Chart.SeriesCount(), 3);
  EXPECT_EQ(Chart.IndexOfSeries(Series), 1);
  EXPECT_EQ(Series->GetName(), "Series2");
  EXPECT_EQ(Series->GetOwner(), &Form);
  EXPECT_EQ(Form.GetComponentCount(), 3);  // the old series is gone
  EXPECT_EQ(Ys(*Series), (std::vector<double>{4, 5, 6}));
  EXPECT_EQ(Series->GetXLabel(1), QStringLiteral("p1"));
  EXPECT_EQ(Series->GetValueColor(0), clRed);
  EXPECT_TRUE(Series->GetMarks().GetVisible());
  ASSERT_TRUE(Series->OnClick);
  Series->OnClick(Series, 0, mbLeft, TShiftState(), 0, 0);
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(Series->OnMouseEnter);
  EXPECT_EQ(Enters, 0);
  EXPECT_NE(std::find(Log.Events.begin(), Log.Events.end(), seChangeTitle), Log.Events.end());
}

TEST_F(SeriesCreationTest, ChangingToTheSameClassChangesNothing) {
  TChartSeries* Series = AddLine({1, 2});
  TChartSeries* Same = Series;
  EXPECT_EQ(ChangeSeriesType(Series, LineClass()), Same);
  EXPECT_EQ(Series, Same);
  EXPECT_EQ(Series->GetName(), "Series1");
  EXPECT_EQ(Chart.SeriesCount(), 1);
}

TEST_F(SeriesCreationTest, SeriesComputedFromAChangedSeriesFollowTheNewOne) {
  TChartSeries* A = AddLine({10, 20});
  TChartSeries* B = AddLine({1, 2});
  TChartSeries* Difference = CreateNewSeries(&Form, &Chart, LineClass(), DifferenceClass());
  Difference->GetDataSources().Add(A);
  Difference->GetDataSources().Add(B);
  ASSERT_EQ(Ys(*Difference), (std::vector<double>{9, 18}));

  ChangeSeriesType(A, BarClass());
  // The new series takes the old one's place among the sources: the
  // difference keeps its sign.
  ASSERT_EQ(Difference->GetDataSources().Count(), 2);
  EXPECT_EQ(Difference->GetDataSources().Get(0), A);
  EXPECT_EQ(Difference->GetDataSources().Get(1), B);
  EXPECT_TRUE(A->GetLinkedSeries().Contains(Difference));
  A->SetYValue(0, 30);
  A->RefreshSeries();
  EXPECT_EQ(Ys(*Difference), (std::vector<double>{29, 18}));
}

TEST_F(SeriesCreationTest, AChangedFunctionSeriesKeepsItsFunctionAndSources) {
  TChartSeries* Source = AddLine({1, 3});
  TChartSeries* Mean = CreateNewSeries(&Form, &Chart, LineClass(), AverageClass());
  TKorFunction* Function = Mean->GetFunction();
  Mean->SetDataSource(Source);

  ChangeSeriesType(Mean, BarClass());
  EXPECT_EQ(Mean->GetFunction(), Function);
  EXPECT_EQ(Function->GetParentSeries(), Mean);
  EXPECT_EQ(Mean->GetDataSource(), Source);
  EXPECT_EQ(Source->GetLinkedSeries().Count(), 1);
  Source->AddXY(2, 5);
  EXPECT_EQ(Ys(*Mean), std::vector<double>{3});
}

TEST_F(SeriesCreationTest, SeriesToolsFollowTheChangedSeries) {
  TChartSeries* Series = AddLine({1});
  TChartSeries* Other = AddLine({2});
  auto* OnSeries = new TKorCustomToolSeries(&Form);
  auto* OnOther = new TKorCustomToolSeries(&Form);
  Chart.GetTools().Add(OnSeries);
  Chart.GetTools().Add(OnOther);
  OnSeries->SetSeries(Series);
  OnOther->SetSeries(Other);

  ChangeSeriesType(Series, BarClass());
  EXPECT_EQ(OnSeries->GetSeries(), Series);
  EXPECT_EQ(OnOther->GetSeries(), Other);
  delete Series;  // the tool was told to watch the new series
  EXPECT_EQ(OnSeries->GetSeries(), nullptr);
}

TEST_F(SeriesCreationTest, ChangeAllSeriesTypeChangesEverySeriesInPlace) {
  AddLine({1});
  CreateNewSeries(&Form, &Chart, BarClass());
  AddLine({3});
  ChangeAllSeriesType(Chart, BarClass());
  ASSERT_EQ(Chart.SeriesCount(), 3);
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(Chart.GetSeries(I)->ClassName(), QStringLiteral("TMakeBarSeries"));
    EXPECT_EQ(Chart.GetSeries(I)->GetName(), "Series" + std::to_string(I + 1));
  }
  EXPECT_EQ(Ys(*Chart.GetSeries(2)), std::vector<double>{3});
}

}  // namespace
