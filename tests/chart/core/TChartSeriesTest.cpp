#include "chart/core/TChartSeries.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TCustomSeriesList.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TLabelsList.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TMarksItems.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"

#include "platform/FormatSettings.h"
#include "platform/TDateTime.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <vector>

namespace {

// A series whose mandatory values are X, as horizontal bars have.
class THorizontalSeries : public TChartSeries {
 public:
  explicit THorizontalSeries(TComponent* AOwner = nullptr) : TChartSeries(AOwner) {
    SetHorizontal();
  }
};

std::vector<double> Values(const TChartValueList& List) {
  return std::vector<double>(List.Data(), List.Data() + List.Count());
}

QString RaisedText(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const ChartException& E) {
    return E.Message();
  }
  return QStringLiteral("no exception");
}

class TChartSeriesTest : public ::testing::Test {
 protected:
  void TearDown() override { SetFormatSettings(FormatSettings::English()); }

  TChartSeries Series{nullptr};
};

// -- adding

TEST_F(TChartSeriesTest, AddXYKeepsPointsSortedByXAndReturnsTheirIndex) {
  EXPECT_EQ(Series.AddXY(3, 30), 0);
  EXPECT_EQ(Series.AddXY(1, 10), 0);
  EXPECT_EQ(Series.AddXY(2, 20), 1);
  EXPECT_EQ(Values(Series.GetXValues()), std::vector<double>({1, 2, 3}));
  EXPECT_EQ(Values(Series.GetYValues()), std::vector<double>({10, 20, 30}));
  EXPECT_EQ(Series.Count(), 3);
}

TEST_F(TChartSeriesTest, AddPutsTheValueOnTheMandatoryList) {
  EXPECT_EQ(Series.Add(5), 0);
  EXPECT_EQ(Series.GetxValue(0), 0);
  EXPECT_EQ(Series.GetyValue(0), 5);
  THorizontalSeries Bars;
  Bars.Add(5);
  EXPECT_EQ(Bars.GetxValue(0), 5);
  EXPECT_EQ(Bars.GetyValue(0), 0);
  EXPECT_EQ(&Bars.GetMandatory(), &Bars.GetXValues());
  EXPECT_EQ(Bars.GetMarkValue(0), 5);
}

TEST_F(TChartSeriesTest, BeforeAddCanRefuseAPoint) {
  Series.OnBeforeAdd = [](TChartSeries*) { return false; };
  EXPECT_EQ(Series.AddXY(1, 1), -1);
  EXPECT_EQ(Series.Count(), 0);
}

TEST_F(TChartSeriesTest, AddArrayAddsInOrderAndNotifiesOnce) {
  int Added = 0;
  Series.OnAfterAdd = [&Added](TChartSeries*, int) { ++Added; };
  EXPECT_EQ(Series.AddArray({4, 5, 6}), 3);
  EXPECT_EQ(Values(Series.GetYValues()), std::vector<double>({4, 5, 6}));
  EXPECT_EQ(Added, 0);  // inside the update bracket
  EXPECT_EQ(Series.GetUpdateCount(), 0);
}

// -- null points and colours

TEST_F(TChartSeriesTest, NullPointsAndOwnColours) {
  Series.SetSeriesColor(clBlue);
  EXPECT_EQ(Series.AddNull(7), 0);
  EXPECT_EQ(Series.GetOwnColor(0), clNone);
  EXPECT_TRUE(Series.IsNull(0));
  Series.SetNull(0, false);
  EXPECT_FALSE(Series.IsNull(0));
  EXPECT_EQ(Series.GetValueColor(0), clBlue);
  Series.Add(8, "", clRed);
  EXPECT_EQ(Series.GetValueColor(1), clRed);
}

TEST_F(TChartSeriesTest, ColoursTakeNoMemoryUntilAPointHasOne) {
  Series.Add(1);
  Series.SetValueColor(0, clDefault);
  EXPECT_FALSE(Series.HasOwnColors());
  Series.Add(2, "", clGreen);
  EXPECT_TRUE(Series.HasOwnColors());
  EXPECT_EQ(Series.GetOwnColor(0), clDefault);
}

TEST_F(TChartSeriesTest, ColorRangeSkipsNullPoints) {
  Series.AddArray({1, 5, 9});
  Series.SetNull(1);
  Series.ColorRange(Series.GetYValues(), 0, 6, clYellow);
  EXPECT_EQ(Series.GetOwnColor(0), clYellow);
  EXPECT_EQ(Series.GetOwnColor(1), clNone);
  EXPECT_EQ(Series.GetOwnColor(2), clDefault);
}

TEST_F(TChartSeriesTest, SeriesColourFallsBackToTheInternalOne) {
  EXPECT_EQ(Series.GetRawSeriesColor(), clDefault);
  Series.ChangeInternalColor(clRed);
  EXPECT_EQ(Series.GetSeriesColor(), clRed);
  EXPECT_EQ(Series.GetRawSeriesColor(), clDefault);  // same as internal: nothing stored
  Series.SetSeriesColor(clLime);
  EXPECT_EQ(Series.GetRawSeriesColor(), clLime);
  EXPECT_EQ(Series.GetInternalColor(), clLime);
  EXPECT_TRUE(Series.Properties().Find("SeriesColor")->IsStored(Series));
}

// -- removing

TEST_F(TChartSeriesTest, DeleteOutsideThePointsRaisesTheBoundsMessage) {
  Series.AddArray({1, 2, 3});
  EXPECT_EQ(RaisedText([&] { Series.Delete(3); }),
            "Series Delete: ValueIndex 3 out of bounds (0 to 2).");
  EXPECT_EQ(RaisedText([&] { Series.Delete(-1); }),
            "Series Delete: ValueIndex -1 out of bounds (0 to 2).");
  EXPECT_EQ(Series.Count(), 3);
}

TEST_F(TChartSeriesTest, DeleteCutsShortColourAndLabelListsOnlyWithinTheirLength) {
  Series.Add(0, "a", clRed);
  Series.Add(1, "b");
  for (int I = 2; I < 6; ++I) Series.Add(I);
  Series.GetLabels().Clear();
  Series.SetXLabel(1, "b");  // labels: 2 slots, colours: 6 entries
  Series.Delete(4);
  EXPECT_EQ(Series.Count(), 5);
  EXPECT_EQ(Series.GetLabels().Count(), 2);
  Series.Delete(1, 10, false);
  EXPECT_EQ(Series.Count(), 1);
  EXPECT_EQ(Series.GetLabels().Count(), 1);
  EXPECT_EQ(Series.GetOwnColor(0), clRed);
  Series.Delete(-1, 3);
  Series.Delete(1, 1);
  EXPECT_EQ(Series.Count(), 1);
}

TEST_F(TChartSeriesTest, DeleteWithRemoveGapRenumbersTheNonMandatoryValues) {
  Series.AddArray({10, 11, 12, 13});
  Series.Delete(1, 2, true);
  EXPECT_EQ(Values(Series.GetXValues()), std::vector<double>({0, 1}));
  EXPECT_EQ(Values(Series.GetYValues()), std::vector<double>({10, 13}));
}

TEST_F(TChartSeriesTest, DeleteAndClearDropMarkPositionsAndItems) {
  Series.AddArray({1, 2, 3});
  TSeriesMarkPosition P;
  P.Width = 5;
  Series.GetMarks().GetPositions().Put(2, P);
  Series.GetMarks().GetItems().Get(1);
  Series.Delete(0);
  EXPECT_EQ(Series.GetMarks().GetPositions().Get(1)->Width, 5);
  EXPECT_NE(Series.GetMarks().GetItems().Existing(0), nullptr);
  int Cleared = 0;
  Series.OnClearValues = [&Cleared](TChartSeries*) { ++Cleared; };
  Series.Clear();
  EXPECT_EQ(Series.Count(), 0);
  EXPECT_EQ(Series.GetMarks().GetPositions().Count(), 0);
  EXPECT_EQ(Series.GetMarks().GetItems().Count(), 0);
  EXPECT_EQ(Cleared, 1);
}

TEST_F(TChartSeriesTest, ClearingWhileItemsLoadKeepsTheItems) {
  Series.Add(1);
  Series.GetMarks().GetItems().Get(0);
  Series.GetMarks().SetLoadingItems(true);
  Series.Clear();
  EXPECT_EQ(Series.GetMarks().GetItems().Count(), 1);
  // Once loading is over, clearing drops them as usual.
  Series.Loaded();
  Series.Clear();
  EXPECT_EQ(Series.GetMarks().GetItems().Count(), 0);
}

// -- point accessors

TEST_F(TChartSeriesTest, PointAccessorsCheckTheIndex) {
  Series.AddArray({1, 2});
  EXPECT_THROW(Series.GetxValue(2), ChartException);
  EXPECT_THROW(Series.GetyValue(-1), ChartException);
  EXPECT_THROW(Series.SetXValue(2, 0), ChartException);
  EXPECT_THROW(Series.SetYValue(5, 0), ChartException);
  EXPECT_THROW(Series.SetValueColor(2, clRed), ChartException);
  EXPECT_THROW(Series.SetNull(-1), ChartException);
  EXPECT_THROW(Series.SetXLabel(2, "x"), ChartException);
  EXPECT_THROW(Series.SetMarkText(-1, "x"), ChartException);
  EXPECT_EQ(Series.GetLabels().Count(), 0);  // never grown past the points
  EXPECT_EQ(Series.GetXLabel(1), "");        // past the label list: empty
  EXPECT_EQ(Series.GetOwnColor(7), clDefault);
}

TEST_F(TChartSeriesTest, DirectWritesRefreshStatisticsButDoNotTellLinkedSeries) {
  TChartSeries Linked(nullptr);
  Linked.SetDataSource(&Series);
  Series.Add(1);
  Series.Add(2);
  ASSERT_EQ(Linked.Count(), 2);
  Series.SetYValue(1, 50);
  EXPECT_EQ(Series.MaxYValue(), 50);
  EXPECT_EQ(Linked.GetyValue(1), 2);
}

// -- texts

TEST_F(TChartSeriesTest, MarkTextsByStyle) {
  Series.AddXY(1.5, 1234.5678, "first");
  Series.AddXY(2, 765.4322);
  TSeriesMarks& Marks = Series.GetMarks();
  Marks.SetStyle(smsValue);
  EXPECT_EQ(Series.GetMarkText(0), "1,234.568");
  Marks.SetStyle(smsLabel);
  EXPECT_EQ(Series.GetMarkText(0), "first");
  EXPECT_EQ(Series.GetMarkText(1), "765.432");
  Marks.SetStyle(smsPercent);
  EXPECT_EQ(Series.GetMarkText(0), "61.73 %");
  Marks.SetStyle(smsLabelPercentTotal);
  EXPECT_EQ(Series.GetMarkText(1), "765.432 38.27 % of 2,000");
  Marks.SetMultiLine(true);
  EXPECT_EQ(Series.GetMarkText(1), QString("765.432") + KorLineSeparator + "38.27 %\rof 2,000");
  Marks.SetMultiLine(false);
  Marks.SetStyle(smsXY);
  EXPECT_EQ(Series.GetMarkText(0), "1.5 1,234.568");
  Series.OnGetMarkText = [](TChartSeries*, int, QString& Text) { Text += "!"; };
  EXPECT_EQ(Series.GetMarkText(0), "1.5 1,234.568!");
}

TEST_F(TChartSeriesTest, MarkTextsUseTheDecimalCommaOfTheLocale) {
  SetFormatSettings(FormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany)));
  Series.AddXY(1, 1234.5678);
  Series.AddXY(2, 765.4322);
  Series.GetMarks().SetStyle(smsValue);
  EXPECT_EQ(Series.GetMarkText(0), "1.234,568");
  Series.GetMarks().SetStyle(smsPercent);
  EXPECT_EQ(Series.GetMarkText(0), "61,73 %");
}

TEST_F(TChartSeriesTest, PercentOfAZeroTotalIsAHundred) {
  Series.AddArray({0, 0});
  Series.GetMarks().SetStyle(smsPercent);
  EXPECT_EQ(Series.GetMarkText(1), "100 %");
  EXPECT_EQ(Series.LegendString(0, ltsPercent), "100 %");
}

TEST_F(TChartSeriesTest, CustomItemTextReplacesTheStyleTextOnceItsListExists) {
  Series.Add(3, "label");
  TMarksItem& Item = Series.GetMarks().GetItems().Get(0);
  EXPECT_EQ(Series.GetMarkText(0), "label");
  Item.SetText({});
  EXPECT_EQ(Series.GetMarkText(0), "");
  Item.SetText({"one", "two"});
  EXPECT_EQ(Series.GetMarkText(0), "one\r\ntwo");
}

TEST_F(TChartSeriesTest, LegendStringsByStyle) {
  Series.AddXY(2, -25, "neg");
  Series.AddXY(3, 75);
  const QString Sep(KorColumnSeparator);
  EXPECT_EQ(Series.LegendString(0, ltsPlain), "neg");
  EXPECT_EQ(Series.LegendString(0, ltsLeftValue), "-25" + Sep + "neg");
  EXPECT_EQ(Series.LegendString(1, ltsLeftValue), "75");
  EXPECT_EQ(Series.LegendString(0, ltsRightPercent), "neg" + Sep + "-25 %");
  EXPECT_EQ(Series.LegendString(1, ltsXAndValue), "3" + Sep + "75");
  EXPECT_EQ(Series.LegendString(1, ltsXAndPercent), "3" + Sep + "75 %");
}

TEST_F(TChartSeriesTest, DateTimeLegendValuesShowTheTimeWithinADayAndTheDateAcrossDays) {
  Series.GetYValues().SetDateTime(true);
  const TDateTime Day = EncodeDate(2024, 5, 1);
  const FormatSettings& Local = CurrentFormatSettings();
  Series.AddXY(1, Day + 9.5 / 24);
  Series.AddXY(2, Day + 15.25 / 24);
  // Values of one day differ in their time only: a date would make them
  // all read alike.
  EXPECT_EQ(Series.LegendString(0, ltsValue),
            FormatDateTime(Local.ShortTimeFormat, Day + 9.5 / 24));
  EXPECT_NE(Series.LegendString(0, ltsValue), Series.LegendString(1, ltsValue));
  Series.AddXY(3, Day + 3);
  EXPECT_EQ(Series.LegendString(0, ltsValue), FormatDateTime(Local.ShortDateFormat, Day));
  EXPECT_EQ(Series.LegendString(2, ltsValue), FormatDateTime(Local.ShortDateFormat, Day + 3));
}

TEST_F(TChartSeriesTest, XMarksOfAHorizontalSeriesReadTheirPositionOnTheVerticalAxis) {
  TChart Chart(nullptr);
  auto* Bars = new THorizontalSeries(nullptr);  // the chart frees its series
  Bars->SetParentChart(&Chart);
  Chart.GetBottomAxis()->SetAxisValuesFormat(QStringLiteral("0.000"));
  Chart.GetLeftAxis()->SetAxisValuesFormat(QStringLiteral("0.0"));
  // 12.5 along the bottom axis, at 3 on the left one.
  Bars->AddXY(12.5, 3);
  Bars->GetMarks().SetStyle(smsXValue);
  EXPECT_EQ(Bars->GetMarkText(0), "3.0");
  Bars->GetMarks().SetStyle(smsXY);
  EXPECT_EQ(Bars->GetMarkText(0), "3.0 12.5");
}

// -- update bracket and linked series

TEST_F(TChartSeriesTest, LinkedSeriesFollowTheirSourcePointByPoint) {
  TChartSeries Copy(nullptr);
  Copy.SetDataSource(&Series);
  EXPECT_EQ(Copy.GetDataSource(), &Series);
  Series.AddXY(1, 10, "p");
  ASSERT_EQ(Copy.Count(), 1);
  EXPECT_EQ(Copy.GetyValue(0), 10);
  EXPECT_EQ(Copy.GetXLabel(0), "p");
  Series.Delete(0);
  EXPECT_EQ(Copy.Count(), 0);
  Series.AddXY(2, 20);
  Series.Clear();
  EXPECT_EQ(Copy.Count(), 0);
}

TEST_F(TChartSeriesTest, ALinkedPointWithoutColourOrLabelKeepsTheOthersInPlace) {
  TChartSeries Copy(nullptr);
  Copy.SetDataSource(&Series);
  Series.AddXY(1, 10);
  Series.AddXY(3, 30, "c", clBlue);
  // Inserted between the two: no colour and no label of its own.
  Series.AddXY(2, 20);
  ASSERT_EQ(Copy.Count(), 3);
  EXPECT_EQ(Copy.GetOwnColor(1), clDefault);
  EXPECT_EQ(Copy.GetXLabel(1), "");
  EXPECT_EQ(Copy.GetOwnColor(2), clBlue);
  EXPECT_EQ(Copy.GetXLabel(2), "c");
  EXPECT_EQ(Copy.GetxValue(2), 3);
  // And a coloured point into a copy that had no colour list yet.
  TChartSeries Plain(nullptr);
  TChartSeries PlainCopy(nullptr);
  PlainCopy.SetDataSource(&Plain);
  Plain.AddXY(1, 10);
  Plain.AddXY(3, 30);
  Plain.AddXY(2, 20, "b", clRed);
  EXPECT_EQ(PlainCopy.GetOwnColor(0), clDefault);
  EXPECT_EQ(PlainCopy.GetOwnColor(1), clRed);
  EXPECT_EQ(PlainCopy.GetOwnColor(2), clDefault);
  EXPECT_EQ(PlainCopy.GetXLabel(1), "b");
  EXPECT_EQ(PlainCopy.GetXLabel(2), "");
}

TEST_F(TChartSeriesTest, NoDataSourceStopsFollowingEverySource) {
  TChartSeries Second(nullptr);
  TChartSeries Copy(nullptr);
  Copy.SetDataSource(&Series);
  Copy.InternalAddDataSource(&Second);
  ASSERT_EQ(Copy.GetDataSources().Count(), 2);
  Copy.SetDataSource(nullptr);
  EXPECT_EQ(Copy.GetDataSource(), nullptr);
  EXPECT_EQ(Copy.GetDataSources().Count(), 0);
  Series.AddXY(1, 10);
  Second.AddXY(2, 20);
  EXPECT_EQ(Copy.Count(), 0);
}

TEST_F(TChartSeriesTest, UpdateBracketHoldsLinkedSeriesUntilTheEnd) {
  TChartSeries Copy(nullptr);
  Copy.SetDataSource(&Series);
  Series.BeginUpdate();
  Series.AddXY(1, 1);
  Series.AddXY(2, 2);
  EXPECT_EQ(Copy.Count(), 0);
  Series.EndUpdate();
  EXPECT_EQ(Copy.Count(), 2);
  Series.EndUpdate();  // unmatched: nothing
  EXPECT_EQ(Series.GetUpdateCount(), 0);
}

TEST_F(TChartSeriesTest, RecalcOptionsChooseWhatLinkedSeriesFollow) {
  TChartSeries Copy(nullptr);
  Copy.SetDataSource(&Series);
  Copy.SetRecalcOptions(1 << rOnClear);
  Series.AddXY(1, 1);
  EXPECT_EQ(Copy.Count(), 0);
}

TEST_F(TChartSeriesTest, InvalidDataSourcesAreRefused) {
  Series.SetName("Source");
  EXPECT_EQ(RaisedText([&] { Series.SetDataSource(&Series); }),
            "No ParentChart to validate DataSource");
  TComponent NotASeries(nullptr);
  EXPECT_THROW(Series.SetDataSource(&NotASeries), ChartException);
  EXPECT_EQ(Series.GetDataSource(), nullptr);
}

TEST_F(TChartSeriesTest, FreeingEitherEndOfALinkForgetsIt) {
  auto Source = std::make_unique<TChartSeries>(nullptr);
  auto Copy = std::make_unique<TChartSeries>(nullptr);
  Copy->SetDataSource(Source.get());
  Source.reset();
  EXPECT_EQ(Copy->GetDataSource(), nullptr);

  Source = std::make_unique<TChartSeries>(nullptr);
  Copy->SetDataSource(Source.get());
  Copy.reset();
  EXPECT_EQ(Source->GetLinkedSeries().Count(), 0);
  Source->AddXY(1, 1);  // no dangling link to follow
}

TEST_F(TChartSeriesTest, AssignCopiesPointsOrTheSourceLink) {
  Series.AddXY(1, 10, "a", clRed);
  Series.AddXY(2, 20);
  Series.SetTitle("original");
  Series.SetValueFormat("0.0");
  TChartSeries Copy(nullptr);
  Copy.Assign(Series);
  EXPECT_EQ(Copy.GetTitle(), "original");
  EXPECT_EQ(Copy.GetValueFormat(), "0.0");
  EXPECT_EQ(Values(Copy.GetYValues()), std::vector<double>({10, 20}));
  EXPECT_EQ(Copy.GetXLabel(0), "a");
  EXPECT_EQ(Copy.GetOwnColor(0), clRed);

  TChartSeries Fed(nullptr);
  Fed.SetDataSource(&Series);
  TChartSeries Second(nullptr);
  Second.Assign(Fed);
  EXPECT_EQ(Second.GetDataSource(), &Series);
}

// -- sample values

TEST_F(TChartSeriesTest, SampleValuesFillTheDefaultCountAndRefuseNegativeCounts) {
  Series.FillSampleValues(0);
  EXPECT_EQ(Series.Count(), 25);
  for (int I = 0; I < Series.Count(); ++I) EXPECT_GE(Series.GetyValue(I), 0);
  Series.SetDefaultSampleCount(7);
  Series.FillSampleValues();
  EXPECT_EQ(Series.Count(), 7);
  EXPECT_EQ(RaisedText([&] { Series.FillSampleValues(-1); }),
            "FillSampleValues NumValues must be > 0");
  EXPECT_FALSE(Series.GetManualData());
}

// -- published properties

TEST_F(TChartSeriesTest, StyleIsStoredAsSixBits) {
  EXPECT_FALSE(Series.Properties().Find("Style")->IsStored(Series));
  EXPECT_TRUE(SetPropertyValue(Series, "Style", 0xFF));
  EXPECT_EQ(Series.GetStyle().Mask(), 0x3F);
  EXPECT_TRUE(Series.GetStyle().Contains(tssDenyClone));
}

}  // namespace
