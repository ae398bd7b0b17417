#include "chart/core/TAxisItems.h"

#include "TestCharts.h"
#include "chart/core/TAxisItem.h"
#include "chart/core/TKorFont.h"

#include <gtest/gtest.h>

namespace {

class TAxisItemsTest : public ::testing::Test {
 protected:
  bool Stored(const TPersistent& Object, const char* Name) const {
    const TPublishedProperty* P = Object.Properties().Find(QString::fromLatin1(Name));
    EXPECT_NE(P, nullptr) << Name;
    return P != nullptr && P->IsStored(Object);
  }

  TTestChart Chart;
  TAxisItems Items{&Chart};
};

TEST_F(TAxisItemsTest, AddedItemsAreTransparentLabelsAtTheirValue) {
  TAxisItem& Plain = Items.Add(2.5);
  TAxisItem& Named = Items.Add(7, QStringLiteral("seven"));
  ASSERT_EQ(Items.Count(), 2);
  EXPECT_EQ(&Items[0], &Plain);
  EXPECT_EQ(Plain.GetValue(), 2.5);
  EXPECT_TRUE(Plain.GetText().isEmpty());
  EXPECT_TRUE(Plain.GetTransparent());
  EXPECT_EQ(Named.GetText(), QStringLiteral("seven"));
  EXPECT_TRUE(Items.GetFormat().GetTransparent());
  EXPECT_FALSE(Stored(Plain, "Transparent"));
  Plain.SetTransparent(false);
  EXPECT_TRUE(Stored(Plain, "Transparent"));
}

TEST_F(TAxisItemsTest, ChangesRepaintTheChartOnlyWhenTheyChangeSomething) {
  TAxisItem& Item = Items.Add(1);
  const int Before = Chart.Invalidations;
  Item.SetValue(1);
  Item.SetText(QString());
  EXPECT_EQ(Chart.Invalidations, Before);
  Item.SetValue(2);
  Item.SetText(QStringLiteral("two"));
  EXPECT_EQ(Chart.Invalidations, Before + 2);
  Items.Clear();
  EXPECT_EQ(Items.Count(), 0);
  EXPECT_EQ(Chart.Invalidations, Before + 3);
}

TEST_F(TAxisItemsTest, CopyTakesTheFormatAndEachValueAndText) {
  TTestChart OtherChart;
  TAxisItems Source(&OtherChart);
  Source.GetFormat().GetFont().SetSize(20);
  Source.GetFormat().SetVisible(false);
  Source.Add(1, QStringLiteral("one")).SetColor(clRed);
  Source.Add(2);
  Items.Add(9);
  Items.CopyFrom(Source);
  ASSERT_EQ(Items.Count(), 2);
  EXPECT_EQ(Items[0].GetValue(), 1);
  EXPECT_EQ(Items[0].GetText(), QStringLiteral("one"));
  EXPECT_EQ(Items[0].GetColor(), clWhite);  // the items' own look stays
  EXPECT_EQ(Items[1].GetValue(), 2);
  EXPECT_EQ(Items.GetFormat().GetFont().GetSize(), 20);
  EXPECT_FALSE(Items.GetFormat().GetVisible());
  // The copies belong to this list's chart.
  EXPECT_EQ(Items[0].GetParent(), &Chart);
  Items.CopyFrom(Items);
  EXPECT_EQ(Items.Count(), 2);
}

TEST_F(TAxisItemsTest, ItemAssignCopiesTextValueAndShape) {
  TAxisItem Source(nullptr);
  Source.SetText(QStringLiteral("x"));
  Source.SetValue(-3);
  Source.SetColor(clBlue);
  TAxisItem Copy(nullptr);
  Copy.Assign(Source);
  EXPECT_EQ(Copy.GetText(), QStringLiteral("x"));
  EXPECT_EQ(Copy.GetValue(), -3);
  EXPECT_EQ(Copy.GetColor(), clBlue);
}

}  // namespace
