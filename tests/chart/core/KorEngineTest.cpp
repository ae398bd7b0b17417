#include "chart/core/KorEngine.h"

#include "chart/core/TChartDepthAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomSeriesList.h"
#include "chart/core/TKorSeriesSource.h"

#include "platform/ClassRegistry.h"
#include "platform/ModalHooks.h"
#include "platform/TStringList.h"
#include "tests/chart/core/TestCharts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A series type whose non-mandatory values carry no data (as a pie's).
class TNoXSeries : public TChartSeries {
 public:
  TNoXSeries() : TChartSeries(nullptr) { SetUseNotMandatory(false); }
};

class KorEngineTest : public ::testing::Test {
 protected:
  // X = 0, 1, ..., Count - 1.
  void FillSequence(TChartSeries& S, int Count) {
    S.BeginUpdate();
    for (int I = 0; I < Count; ++I) S.AddXY(I, I % 7);
    S.EndUpdate();
  }

  TChartSeries Series{nullptr};
};

// -- what exports write

TEST_F(KorEngineTest, NonMandatoryValuesMatterUnlessTheyAreTheIndexes) {
  EXPECT_FALSE(HasNoMandatoryValues(Series));  // empty
  FillSequence(Series, 3);
  EXPECT_FALSE(HasNoMandatoryValues(Series));
  Series.AddXY(5, 1);
  EXPECT_TRUE(HasNoMandatoryValues(Series));

  TNoXSeries Pie;
  Pie.AddXY(5, 1);
  EXPECT_FALSE(HasNoMandatoryValues(Pie));
}

TEST_F(KorEngineTest, NonMandatoryValuesAreFoundFarIntoALongSeries) {
  FillSequence(Series, 20000);
  Series.SetXValue(15000, 15000.5);  // first and last still fit the indexes
  EXPECT_TRUE(HasNoMandatoryValues(Series));
}

TEST_F(KorEngineTest, OwnColoursCountUnlessDefaultOrTheSeriesColour) {
  Series.SetSeriesColor(clBlue);
  FillSequence(Series, 12001);
  EXPECT_FALSE(HasColors(Series));
  Series.SetValueColor(3, clBlue);
  Series.SetValueColor(4, clDefault);
  EXPECT_FALSE(HasColors(Series));
  Series.SetValueColor(12000, clRed);
  EXPECT_TRUE(HasColors(Series));
}

TEST_F(KorEngineTest, ALabelOnlyOnPoint150IsFound) {
  FillSequence(Series, 200);
  EXPECT_FALSE(HasLabels(Series));
  Series.SetXLabel(20, QString());
  EXPECT_FALSE(HasLabels(Series));
  Series.SetXLabel(150, QStringLiteral("peak"));
  EXPECT_TRUE(HasLabels(Series));
}

// -- names and editor lists

TEST_F(KorEngineTest, TitleOrNameFallsBackToTheComponentName) {
  EXPECT_EQ(SeriesTitleOrName(&Series), QString());  // no chart to count in
  Series.SetName("Series7");
  EXPECT_EQ(SeriesTitleOrName(&Series), QStringLiteral("Series7"));
  Series.SetTitle(QStringLiteral("a") + KorColumnSeparator + QStringLiteral("b"));
  EXPECT_EQ(SeriesTitleOrName(&Series), QStringLiteral("a b"));
  EXPECT_EQ(SeriesTitleOrName(nullptr), QString());
}

TEST_F(KorEngineTest, AnUnnamedUntitledSeriesIsNamedByItsPlaceInTheChart) {
  TTestChart Chart;
  TChartSeries First(nullptr);
  TChartSeries Second(nullptr);
  Chart.AddSeries(&First);
  Chart.AddSeries(&Second);
  Chart.AddSeries(&Series);
  EXPECT_EQ(SeriesTitleOrName(&Series), QStringLiteral("Series3"));
  Chart.RemoveAllSeries();
}

TEST_F(KorEngineTest, FillSeriesItemsListsTheSeriesShownInEditors) {
  TChartSeries Hidden(nullptr);
  Hidden.SetShowInEditor(false);
  TChartSeries Titled(nullptr);
  Titled.SetName("Fit");
  Titled.SetTitle(QStringLiteral("g(s*)"));
  Series.SetName("Scan");
  TCustomSeriesList List;
  List.Add(&Series);
  List.Add(&Hidden);
  List.Add(&Titled);

  TStringList Items;
  int Changes = 0;
  Items.OnChange = [&Changes] { ++Changes; };
  FillSeriesItems(Items, List, true);
  ASSERT_EQ(Items.Count(), 2);
  EXPECT_EQ(Items[0], QStringLiteral("Scan"));
  EXPECT_EQ(Items[1], QStringLiteral("g(s*)"));
  EXPECT_EQ(Items.Objects(1), &Titled);
  EXPECT_EQ(Changes, 1);

  Items.Clear();
  FillSeriesItems(Items, List, false);
  EXPECT_EQ(Items[1], QStringLiteral("Fit"));
}

TEST_F(KorEngineTest, ShowMessageUserShowsAnErrorBox) {
  TMessageDialogRequest Shown;
  TMessageDialogHook Previous = SetMessageDialogHook([&Shown](const TMessageDialogRequest& R) {
    Shown = R;
    return static_cast<int>(mrOk);
  });
  ShowMessageUser(QStringLiteral("No data"));
  SetMessageDialogHook(Previous);
  EXPECT_EQ(Shown.Text, QStringLiteral("No data"));
  EXPECT_EQ(Shown.DlgType, TMsgDlgType::mtError);
  EXPECT_EQ(Shown.Buttons, mbOKOnly);
  EXPECT_TRUE(Shown.Caption.isEmpty());
}

}  // namespace

namespace {

// A data source class of a test.
class TWideChartSource : public TKorSeriesSource {
 public:
  using TKorSeriesSource::TKorSeriesSource;
  QString ClassName() const override { return QStringLiteral("TWideChartSource"); }
  QString Description() const override { return QStringLiteral("Wide"); }
};

TEST(KorEngineRegistrations, ChartPartsAreKnownToStreamsFromStartUp) {
  for (const char* Name : {"TChartAxisTitle", "TChartAxis", "TChartDepthAxis", "TSeriesMarks"}) {
    const TClassInfo* Info = GetClass(QString::fromLatin1(Name));
    ASSERT_NE(Info, nullptr) << Name;
    EXPECT_EQ(Info->Name, QString::fromLatin1(Name));
    EXPECT_FALSE(Info->IsComponent()) << Name;  // never made as a component
  }
  EXPECT_EQ(GetClass(typeid(TChartDepthAxis))->Name, QStringLiteral("TChartDepthAxis"));
}

TEST(KorEngineRegistrations, DataSourceClassesAreListedOnceAndFoundByStreams) {
  const TKorSeriesSourceClass Wide = TKorSeriesSourceClass::Of<TWideChartSource>();
  const size_t Before = KorSources().size();
  RegisterKorSeriesSource(Wide);
  RegisterKorSeriesSource(Wide);
  ASSERT_EQ(KorSources().size(), Before + 1);
  EXPECT_EQ(KorSources().back(), Wide);
  EXPECT_EQ(GetClass(QStringLiteral("TWideChartSource")), Wide.Info());
  UnRegisterKorSeriesSource(Wide);
  EXPECT_EQ(KorSources().size(), Before);
  UnRegisterClass(*Wide.Info());
}

}  // namespace
