#include "chart/core/TLabelsList.h"

#include "chart/core/KorException.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

class TLabelsListTest : public ::testing::Test {
 protected:
  // Every slot of the list, empty ones included.
  QStringList Slots() const {
    QStringList Result;
    for (int I = 0; I < Labels.Count(); ++I) Result << Labels.GetLabel(I);
    return Result;
  }

  TLabelsList Labels{nullptr};
};

TEST_F(TLabelsListTest, SetLabelGrowsWithEmptySlotsUpToTheIndex) {
  Labels.SetLabel(5, QStringLiteral("x"));
  EXPECT_EQ(Slots(), QStringList({"", "", "", "", "", "x"}));
  Labels.SetLabel(2, QStringLiteral("y"));
  EXPECT_EQ(Slots(), QStringList({"", "", "y", "", "", "x"}));
  // An empty text empties a slot that exists and never grows the list.
  Labels.SetLabel(5, QString());
  Labels.SetLabel(9, QString());
  EXPECT_EQ(Slots(), QStringList({"", "", "y", "", "", ""}));
}

TEST_F(TLabelsListTest, LabelsOutsideTheListReadAsEmpty) {
  Labels.SetLabel(0, QStringLiteral("a"));
  EXPECT_EQ(Labels.GetLabel(1), QString());
  EXPECT_EQ(Labels.GetLabel(1000), QString());
  EXPECT_EQ(Labels.GetLabel(-1), QString());
}

TEST_F(TLabelsListTest, InsertLabelShiftsTheFollowingSlots) {
  Labels.InsertLabel(0, QString());  // nothing to keep in an empty list
  EXPECT_EQ(Labels.Count(), 0);
  Labels.InsertLabel(2, QStringLiteral("c"));
  EXPECT_EQ(Slots(), QStringList({"", "", "c"}));
  Labels.InsertLabel(1, QStringLiteral("b"));
  Labels.InsertLabel(0, QString());
  EXPECT_EQ(Slots(), QStringList({"", "", "b", "", "c"}));
}

TEST_F(TLabelsListTest, DeleteLabelOutsideTheListRaisesAndKeepsTheList) {
  Labels.SetLabel(1, QStringLiteral("b"));
  EXPECT_THROW(Labels.DeleteLabel(2), ChartException);
  EXPECT_THROW(Labels.DeleteLabel(-1), ChartException);
  EXPECT_EQ(Slots(), QStringList({"", "b"}));
  Labels.DeleteLabel(0);
  EXPECT_EQ(Slots(), QStringList({"b"}));
}

TEST_F(TLabelsListTest, NegativeIndexesAreRefusedWhereTheyWouldStoreSomething) {
  EXPECT_THROW(Labels.SetLabel(-1, QStringLiteral("a")), ChartException);
  EXPECT_THROW(Labels.InsertLabel(-1, QStringLiteral("a")), ChartException);
  EXPECT_THROW(Labels.Exchange(-1, 0), ChartException);
  EXPECT_EQ(Labels.Count(), 0);
}

TEST_F(TLabelsListTest, DeleteRangeRemovesOnlySlotsThatExist) {
  for (int I = 0; I < 4; ++I) Labels.SetLabel(I, QString::number(I));
  Labels.Delete(1, 2);
  EXPECT_EQ(Slots(), QStringList({"0", "3"}));
  Labels.Delete(1, 100);
  EXPECT_EQ(Slots(), QStringList({"0"}));
  Labels.Delete(5, 1);
  Labels.Delete(0, 0);
  EXPECT_EQ(Slots(), QStringList({"0"}));
}

TEST_F(TLabelsListTest, ExchangeMovesALabelPastTheEndOfTheList) {
  Labels.SetLabel(0, QStringLiteral("a"));
  Labels.SetLabel(1, QStringLiteral("b"));
  Labels.Exchange(0, 1);
  EXPECT_EQ(Slots(), QStringList({"b", "a"}));
  // Sorting points swaps label slots with points that have none yet.
  Labels.Exchange(3, 0);
  EXPECT_EQ(Slots(), QStringList({"", "a", "", "b"}));
  Labels.Exchange(7, 9);
  EXPECT_EQ(Labels.Count(), 4);
}

TEST_F(TLabelsListTest, AssignCopiesEverySlotInOrder) {
  Labels.SetLabel(0, QStringLiteral("old"));
  TLabelsList Source(nullptr);
  Source.SetLabel(2, QStringLiteral("c"));
  Source.SetLabel(3, QStringLiteral("d"));
  Labels.Assign(Source);
  EXPECT_EQ(Slots(), QStringList({"", "", "c", "d"}));
}

TEST_F(TLabelsListTest, IndexOfLabelIgnoresCaseUnlessAsked) {
  Labels.SetLabel(1, QStringLiteral("abc"));
  Labels.SetLabel(2, QStringLiteral("ABC"));
  EXPECT_EQ(Labels.IndexOfLabel(QStringLiteral("ABC")), 1);
  EXPECT_EQ(Labels.IndexOfLabel(QStringLiteral("ABC"), true), 2);
  EXPECT_EQ(Labels.IndexOfLabel(QStringLiteral("Abc"), true), -1);
  EXPECT_EQ(Labels.IndexOfLabel(QStringLiteral("zzz")), -1);
}

}  // namespace
