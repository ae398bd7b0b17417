#include "platform/TStringList.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "tests/support/TestSupport.h"

namespace {

class TStringListTest : public ::testing::Test {
 protected:
  static QStringList Items(const TStringList& L) {
    QStringList out;
    for (int i = 0; i < L.Count(); ++i) out << L[i];
    return out;
  }
};

TEST_F(TStringListTest, SortedListKeepsOrderAndFindsByBinarySearch) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"00012.RA1", "00003.RA1", "00007.RA1", "00001.RA1"}) list.Add(s);
  EXPECT_EQ(Items(list), QStringList({"00001.RA1", "00003.RA1", "00007.RA1", "00012.RA1"}));
  int index = -1;
  EXPECT_TRUE(list.Find("00007.ra1", index));  // case ignored by default
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("00005.RA1", index));
  EXPECT_EQ(index, 2);  // where it would go
  EXPECT_EQ(list.IndexOf("00012.RA1"), 3);
  EXPECT_EQ(list.IndexOf("missing"), -1);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

TEST_F(TStringListTest, DuplicatePolicies) {
  TStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add("b"), 0);
  EXPECT_EQ(list.Add("B"), 0);  // ignored: same text without case
  EXPECT_EQ(list.Count(), 1);
  list.SetDuplicates(TStringList::TDuplicates::dupError);
  EXPECT_THROW(list.Add("b"), EStringListError);
  list.SetDuplicates(TStringList::TDuplicates::dupAccept);
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(Items(list), QStringList({"a", "b", "b"}));
  int index = -1;
  EXPECT_TRUE(list.Find("b", index));
  EXPECT_EQ(index, 1);  // the first of equals
}

TEST_F(TStringListTest, ObjectsFollowTheirStringsThroughSorting) {
  int one = 1, two = 2, three = 3;
  TStringList list;
  list.AddObject("c", &three);
  list.AddObject("a", &one);
  list.AddObject("b", &two);
  list.Sort();
  EXPECT_EQ(list.Objects(0), &one);
  EXPECT_EQ(list.Objects(2), &three);
  EXPECT_EQ(list.IndexOfObject(&two), 1);
  list.CustomSort([](const TStringList& l, int a, int b) {
    return *static_cast<int*>(l.Objects(b)) - *static_cast<int*>(l.Objects(a));
  });
  EXPECT_EQ(Items(list), QStringList({"c", "b", "a"}));
  // A comparison that is no order at all must not break the list.
  list.CustomSort([](const TStringList&, int, int) { return 1; });
  EXPECT_EQ(list.Count(), 3);
  EXPECT_THROW(list.Objects(3), EStringListError);
}

TEST_F(TStringListTest, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  for (const char* s : {"plain", "two words", "a,b", "say \"hi\"", ""}) list.Add(s);
  EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",\"\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(Items(back), Items(list));
  back.SetCommaText(" x  y,,\"z\" ,");
  EXPECT_EQ(Items(back), QStringList({"x", "y", "", "z", ""}));
  back.SetCommaText("");
  EXPECT_EQ(back.Count(), 0);
  back.SetCommaText("\"unterminated");
  EXPECT_EQ(Items(back), QStringList({"unterminated"}));
}

TEST_F(TStringListTest, TextSplitsAnyLineEndAndWritesCrLf) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(Items(list), QStringList({"one", "two", "three", "four"}));
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  list.SetText("a\r\n\r\n");
  EXPECT_EQ(Items(list), QStringList({"a", ""}));
}

TEST_F(TStringListTest, OnChangeFiresOncePerUpdate) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.Add("a");
  EXPECT_EQ(changes, 1);
  list.SetText("x\ny\nz");
  EXPECT_EQ(changes, 2);
  list.BeginUpdate();
  list.Delete(0);
  list.Exchange(0, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 3);
}

TEST_F(TStringListTest, FilesRoundTripAndMissingFileRaises) {
  const auto dir = FreshTestDir(std::string("TStringListTest.") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  const QString name = QString::fromStdString((dir / "result.txt").string());
  TStringList list;
  list.SetText(QString::fromUtf8("Run 1\ns* = 4,2 µm"));
  list.SaveToFile(name);
  TStringList back;
  back.LoadFromFile(name);
  EXPECT_EQ(Items(back), Items(list));
  EXPECT_THROW(back.LoadFromFile(name + ".missing"), EFileError);
}

}  // namespace
