#include "chart/core/TSeriesMarks.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TMarksItems.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarksGradient.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/core/TSeriesMarksSymbol.h"
#include "tests/chart/core/TestCharts.h"
#include "tests/chart/core/TestPanels.h"

#include "platform/TStream.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <memory>
#include <utility>
#include <vector>

namespace {

// Counts the repaint requests the marks send to their chart.
class TCountingPanel : public TTestPanel {
 public:
  void Invalidate() override {
    ++Invalidations;
    TTestPanel::Invalidate();
  }
  int Invalidations = 0;
};

// The same for a chart that series live in.
class TCountingChart : public TTestChart {
 public:
  void Invalidate() override {
    ++Invalidations;
    TTestChart::Invalidate();
  }
  int Invalidations = 0;
};

TSeriesMarkPosition MakePosition(int X, int Y, int W, int H) {
  TSeriesMarkPosition P;
  P.ArrowFrom = TPoint(X, Y + 20);
  P.ArrowTo = TPoint(X, Y + 10);
  P.LeftTop = TPoint(X, Y);
  P.Width = W;
  P.Height = H;
  return P;
}

// Marks without a series, drawn on a panel that counts repaints.
class TSeriesMarksTest : public ::testing::Test {
 protected:
  void SetUp() override { Marks.SetParent(&Panel); }

  bool Stored(const TPersistent& Object, const char* Name) const {
    return Object.Properties().Find(QString::fromLatin1(Name))->IsStored(Object);
  }
  // The plain (not sub-object) properties a stream would write.
  static QStringList StoredPlain(const TPersistent& Object) {
    QStringList Result;
    for (const TPublishedProperty& P : Object.Properties())
      if (P.Kind != TPropertyKind::pkClass && P.IsStored(Object)) Result << P.Name;
    return Result;
  }
  // The settings: neither sub-objects nor the custom items (point data).
  static std::vector<std::pair<QString, TPropertyValue>> PlainValues(const TPersistent& Object) {
    std::vector<std::pair<QString, TPropertyValue>> Result;
    for (const TPublishedProperty& P : Object.Properties())
      if (P.Kind != TPropertyKind::pkClass && P.Kind != TPropertyKind::pkBinary)
        Result.emplace_back(P.Name, P.Get(Object));
    return Result;
  }

  TCountingPanel Panel;
  TSeriesMarks Marks{nullptr};
};

TEST_F(TSeriesMarksTest, FreshMarksStoreNothingAndPublishTheDesignOrder) {
  EXPECT_FALSE(Marks.GetVisible());
  EXPECT_EQ(Marks.GetColor(), clInfoBk);
  EXPECT_EQ(Marks.GetShadow().GetColor(), clGray);
  EXPECT_EQ(Marks.GetShadow().GetSize(), 1);
  EXPECT_EQ(StoredPlain(Marks), QStringList());
  EXPECT_EQ(StoredPlain(Marks.GetShadow()), QStringList());
  EXPECT_EQ(StoredPlain(*Marks.GetGradient()), QStringList());
  EXPECT_EQ(StoredPlain(*Marks.GetSymbol()), QStringList());
  EXPECT_EQ(StoredPlain(Marks.GetItem(0)), QStringList());
  EXPECT_EQ(StoredPlain(Marks.GetItem(0).GetShadow()), QStringList());

  QStringList Names;
  for (const TPublishedProperty& P : Marks.Properties()) Names << P.Name;
  EXPECT_EQ(Names.join(u' '),
            "Angle Arrow ArrowLength Callout BackColor Bevel BevelWidth Brush Clip Color "
            "DrawEvery Font Frame Gradient MultiLine Shadow ShapeStyle Style Symbol "
            "Transparency Transparent Visible Items");
  // Deciding what to write creates no callout.
  EXPECT_FALSE(Stored(Marks, "Arrow"));
  EXPECT_FALSE(Stored(Marks, "Callout"));
  EXPECT_EQ(Marks.ExistingCallout(), nullptr);
  EXPECT_EQ(Marks.GetArrowLength(), 8);
}

TEST_F(TSeriesMarksTest, DrawEveryBelowOneWorksAsOneAndStreamsBackAsSet) {
  for (int Value : {0, -3}) {
    Marks.SetDrawEvery(Value);
    EXPECT_EQ(Marks.GetDrawEvery(), Value);
    EXPECT_EQ(Marks.EffectiveDrawEvery(), 1);
    ASSERT_TRUE(Stored(Marks, "DrawEvery"));
    TPropertyValue Written;
    ASSERT_TRUE(GetPropertyValue(Marks, QStringLiteral("DrawEvery"), Written));
    TSeriesMarks Read(nullptr);
    ASSERT_TRUE(SetPropertyValue(Read, QStringLiteral("DrawEvery"), Written));
    EXPECT_EQ(Read.GetDrawEvery(), Value);
    EXPECT_EQ(Read.EffectiveDrawEvery(), 1);
  }
  Marks.SetDrawEvery(3);
  EXPECT_EQ(Marks.EffectiveDrawEvery(), 3);
}

TEST_F(TSeriesMarksTest, SettersRepaintOnlyOnChange) {
  Marks.SetStyle(smsLabel);
  Marks.SetClip(false);
  Marks.SetDrawEvery(1);
  EXPECT_EQ(Panel.Invalidations, 0);
  Marks.SetStyle(smsValue);
  Marks.SetClip(true);
  Marks.SetMultiLine(true);
  Marks.SetAngle(90);
  Marks.SetDrawEvery(2);
  EXPECT_EQ(Panel.Invalidations, 5);
  Marks.SetZPosition(12);  // set by the series while it draws
  EXPECT_EQ(Panel.Invalidations, 5);
  EXPECT_EQ(Marks.GetZPosition(), 12);
}

TEST_F(TSeriesMarksTest, GradientIsTheMarksGradientPresetWithoutNotice) {
  TKorGradient* G = Marks.GetGradient();
  ASSERT_NE(dynamic_cast<TSeriesMarksGradient*>(G), nullptr);
  EXPECT_EQ(G->GetDirection(), gdRightLeft);
  EXPECT_EQ(G->GetStartColor(), clSilver);
  EXPECT_EQ(G->GetEndColor(), clWhite);
  EXPECT_EQ(Panel.Invalidations, 0);
  G->SetDirection(gdTopBottom);
  EXPECT_EQ(StoredPlain(*G), QStringList{"Direction"});
  EXPECT_EQ(Panel.Invalidations, 1);
}

TEST_F(TSeriesMarksTest, PositionListGrowsWithEmptySlotsAndCopiesNoFlags) {
  TSeriesMarksPositions& Positions = Marks.GetPositions();
  TSeriesMarkPosition P = MakePosition(10, 20, 30, 15);
  P.ArrowFix = true;
  Positions.Put(3, P);
  ASSERT_EQ(Positions.Count(), 4);
  EXPECT_EQ(Positions.Get(0), nullptr);
  EXPECT_EQ(Positions.Get(4), nullptr);
  EXPECT_EQ(Positions.Get(-1), nullptr);
  const TSeriesMarkPosition* Q = Positions.Get(3);
  ASSERT_NE(Q, nullptr);
  EXPECT_TRUE(Q->Custom);
  EXPECT_FALSE(Q->ArrowFix);
  EXPECT_EQ(Q->ArrowFrom, TPoint(10, 40));
  EXPECT_EQ(Q->Bounds(), TRect(10, 20, 40, 35));
  EXPECT_TRUE(Positions.ExistCustom());
  Positions.Automatic(3);
  Positions.Automatic(9);  // no slot: nothing to do
  EXPECT_FALSE(Positions.ExistCustom());
  EXPECT_THROW(Positions.Ensure(-1), ChartException);
}

TEST_F(TSeriesMarksTest, DeletingPointsRemovesOnlyExistingSlots) {
  TSeriesMarksPositions& Positions = Marks.GetPositions();
  for (int I : {0, 1, 2}) Positions.Put(I, MakePosition(I, 0, 5, 5));
  Positions.Delete(7);
  Positions.Delete(5, 3);
  EXPECT_EQ(Positions.Count(), 3);
  Positions.Delete(0);
  ASSERT_EQ(Positions.Count(), 2);
  EXPECT_EQ(Positions.Get(0)->LeftTop.X, 1);
  Positions.Delete(1, 10);
  EXPECT_EQ(Positions.Count(), 1);

  TMarksItems& Items = Marks.GetItems();
  Items.Get(1).SetText({QStringLiteral("one")});
  Items.Get(2).SetText({QStringLiteral("two")});
  Items.Delete(4);
  Items.Delete(0, 1);
  ASSERT_EQ(Items.Count(), 2);
  EXPECT_EQ(*Items.Existing(0)->ExistingText(), QStringList{QStringLiteral("one")});
  Items.Delete(-2, 5);
  EXPECT_EQ(Items.Count(), 2);
}

TEST_F(TSeriesMarksTest, UsePositionRemembersAutomaticAndKeepsCustomPositions) {
  TSeriesMarkPosition Automatic = MakePosition(10, 10, 20, 8);
  Marks.UsePosition(2, Automatic);
  ASSERT_NE(Marks.GetPositions().Get(2), nullptr);
  EXPECT_FALSE(Marks.GetPositions().Get(2)->Custom);
  EXPECT_EQ(Marks.GetPositions().Get(2)->LeftTop, TPoint(10, 10));

  Marks.GetPositions().Put(2, MakePosition(50, 60, 20, 8));  // the user moved it
  TSeriesMarkPosition Redrawn = MakePosition(10, 10, 20, 8);
  Marks.UsePosition(2, Redrawn);
  EXPECT_EQ(Redrawn.LeftTop, TPoint(50, 60));
  EXPECT_EQ(Redrawn.ArrowFrom, TPoint(50, 80));

  TSeriesMarkPosition Fixed = MakePosition(10, 10, 20, 8);
  Fixed.ArrowFix = true;
  Marks.UsePosition(2, Fixed);
  EXPECT_EQ(Fixed.LeftTop, TPoint(50, 60));
  EXPECT_EQ(Fixed.ArrowFrom, TPoint(10, 30));  // its own point

  const int Before = Panel.Invalidations;
  Marks.ResetPositions();
  EXPECT_FALSE(Marks.GetPositions().ExistCustom());
  EXPECT_EQ(Panel.Invalidations, Before + 1);
  TSeriesMarkPosition Back = MakePosition(10, 10, 20, 8);
  Marks.UsePosition(2, Back);
  EXPECT_EQ(Back.LeftTop, TPoint(10, 10));
}

TEST_F(TSeriesMarksTest, ItemsAreCreatedOnDemandInTheMarksLook) {
  EXPECT_EQ(&Marks.MarkItem(0), &Marks);
  EXPECT_EQ(&Marks.MarkItem(-1), &Marks);
  TMarksItem& Item = Marks.GetItem(2);
  EXPECT_EQ(Marks.GetItems().Count(), 3);
  EXPECT_EQ(Marks.GetItems().Existing(1), nullptr);
  EXPECT_EQ(&Marks.MarkItem(1), &Marks);
  EXPECT_EQ(&Marks.MarkItem(2), &Item);
  EXPECT_EQ(&Marks.MarkItem(3), &Marks);
  EXPECT_EQ(Item.GetColor(), clInfoBk);
  EXPECT_EQ(Item.GetShadow().GetColor(), clGray);
  EXPECT_EQ(Item.GetShadow().GetSize(), 1);
  EXPECT_EQ(Item.GetParent(), &Panel);
  EXPECT_EQ(Panel.Invalidations, 0);
  EXPECT_THROW(Marks.GetItem(-1), ChartException);
}

TEST_F(TSeriesMarksTest, ItemTextListExistsOnlyOnceUsed) {
  TMarksItem& Item = Marks.GetItem(0);
  EXPECT_EQ(Item.ExistingText(), nullptr);
  EXPECT_TRUE(Item.GetText().isEmpty());
  ASSERT_NE(Item.ExistingText(), nullptr);  // from now on an empty text hides the mark

  Item.SetText({QStringLiteral("a"), QStringLiteral("b")});
  Item.SetText({QStringLiteral("a"), QStringLiteral("b")});
  EXPECT_EQ(Panel.Invalidations, 1);
  TPropertyValue Text;
  ASSERT_TRUE(GetPropertyValue(Item, QStringLiteral("Text"), Text));
  TMarksItem Read;
  ASSERT_TRUE(SetPropertyValue(Read, QStringLiteral("Text"), Text));
  EXPECT_EQ(Read.GetText(), Item.GetText());
  // An empty list read back still exists, so the mark stays hidden.
  TMarksItem Hidden;
  Hidden.GetText();
  ASSERT_TRUE(Stored(Hidden, "Text"));
  ASSERT_TRUE(GetPropertyValue(Hidden, QStringLiteral("Text"), Text));
  TMarksItem ReadHidden;
  ASSERT_TRUE(SetPropertyValue(ReadHidden, QStringLiteral("Text"), Text));
  ASSERT_NE(ReadHidden.ExistingText(), nullptr);
  EXPECT_TRUE(ReadHidden.ExistingText()->isEmpty());
}

TEST_F(TSeriesMarksTest, ClearKeepsItemsWhileTheyAreBeingLoaded) {
  Marks.GetPositions().Put(1, MakePosition(0, 0, 4, 4));
  Marks.GetItem(1);
  Marks.SetLoadingItems(true);
  Marks.Clear();
  EXPECT_EQ(Marks.GetPositions().Count(), 0);
  EXPECT_NE(Marks.GetItems().Existing(1), nullptr);
  Marks.SetLoadingItems(false);
  Marks.Clear();
  EXPECT_EQ(Marks.GetItems().Count(), 0);
  EXPECT_EQ(Panel.Invalidations, 1);
}

TEST_F(TSeriesMarksTest, CustomItemsStreamAsACountAndOnePropertyListPerSlot) {
  const TPublishedProperty* Items = Marks.Properties().Find(QStringLiteral("Items"));
  ASSERT_NE(Items, nullptr);
  EXPECT_FALSE(Items->IsStored(Marks));
  Marks.GetItem(2).SetText({QStringLiteral("a"), QStringLiteral("b")});
  Marks.GetItem(2).SetColor(clRed);
  Marks.GetItem(2).GetShadow().SetSize(4);
  EXPECT_TRUE(Items->IsStored(Marks));
  const QByteArray Bytes = std::get<QByteArray>(Items->Get(Marks));
  ASSERT_GE(Bytes.size(), 4);
  EXPECT_EQ(qFromLittleEndian<qint32>(Bytes.constData()), 3);
  // The empty slots were written as default items, so they now exist.
  EXPECT_NE(Marks.GetItems().Existing(0), nullptr);
  EXPECT_NE(Marks.GetItems().Existing(1), nullptr);

  TSeriesMarks Read(nullptr);
  Items->Set(Read, Bytes);
  ASSERT_EQ(Read.GetItems().Count(), 3);
  TMarksItem* Item = Read.GetItems().Existing(2);
  ASSERT_NE(Item, nullptr);
  EXPECT_EQ(Item->GetText(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
  EXPECT_EQ(Item->GetColor(), clRed);
  EXPECT_EQ(Item->GetShadow().GetSize(), 4);
  ASSERT_NE(Read.GetItems().Existing(0), nullptr);
  EXPECT_EQ(Read.GetItems().Existing(0)->ExistingText(), nullptr);
  EXPECT_EQ(Read.GetItems().Existing(0)->GetColor(), clInfoBk);
  // Read items survive the Clear that reading the points brings.
  EXPECT_TRUE(Read.GetLoadingItems());
  Read.Clear();
  EXPECT_EQ(Read.GetItems().Count(), 3);
}

TEST_F(TSeriesMarksTest, BrokenItemStreamsAreRefusedBeforeAnyItemIsMade) {
  const TPublishedProperty* Items = Marks.Properties().Find(QStringLiteral("Items"));
  ASSERT_NE(Items, nullptr);
  auto Read = [&](const QByteArray& B) { Items->Set(Marks, B); };
  auto Bytes = [](qint32 Count, const QByteArray& Tail) {
    QByteArray B(4, '\0');
    qToLittleEndian(Count, B.data());
    return B + Tail;
  };
  // Each slot needs at least its two list tags.
  EXPECT_THROW(Read(Bytes(3, QByteArray("\x01\x00\x01\x00", 4))), EReadError);
  EXPECT_THROW(Read(Bytes(-1, QByteArray())), EReadError);
  EXPECT_THROW(Read(QByteArray("\x01\x00", 2)), EReadError);
  EXPECT_EQ(Marks.GetItems().Count(), 0);
  EXPECT_FALSE(Marks.GetLoadingItems());
  // No items: nothing is kept through a Clear.
  Read(Bytes(0, QByteArray()));
  EXPECT_FALSE(Marks.GetLoadingItems());
  // A count the bytes hold, but a property name cut short.
  EXPECT_THROW(Read(Bytes(1, QByteArray("\x01\x05", 2))), EReadError);
}

TEST_F(TSeriesMarksTest, ArrowLengthIsTheCalloutsAndAppliesOnlyWithOne) {
  TSeriesMarkPosition P = MakePosition(10, 50, 20, 8);
  Marks.ApplyArrowLength(P);
  EXPECT_EQ(P.LeftTop, TPoint(10, 50));
  EXPECT_EQ(Marks.ExistingCallout(), nullptr);

  Marks.SetArrowLength(12);
  ASSERT_NE(Marks.ExistingCallout(), nullptr);
  EXPECT_EQ(Marks.GetCallout()->GetParent(), &Panel);
  EXPECT_EQ(&Marks.GetArrow(), &Marks.GetCallout()->GetArrow());
  EXPECT_TRUE(Stored(Marks, "ArrowLength"));
  Marks.ApplyArrowLength(P);
  EXPECT_EQ(P.LeftTop, TPoint(10, 38));

  Marks.SetCallout(nullptr);
  EXPECT_EQ(Marks.ExistingCallout(), nullptr);
  EXPECT_EQ(Marks.GetArrowLength(), 8);
}

TEST_F(TSeriesMarksTest, NewParentReachesCalloutSymbolAndItems) {
  Marks.GetCallout();
  Marks.GetSymbol();
  Marks.GetItem(1);
  TCountingPanel Other;
  Marks.SetParent(&Other);
  EXPECT_EQ(Marks.GetCallout()->GetParent(), &Other);
  EXPECT_EQ(Marks.GetSymbol()->GetParent(), &Other);
  EXPECT_EQ(Marks.GetItem(1).GetParent(), &Other);
  EXPECT_EQ(Marks.GetItem(4).GetParent(), &Other);
  // Without this the items would keep a chart that may be freed first.
  Marks.SetParent(nullptr);
  EXPECT_EQ(Marks.GetItem(1).GetParent(), nullptr);
}

TEST_F(TSeriesMarksTest, AssignCopiesSettingsButNotPointData) {
  TSeriesMarks Source(nullptr);
  Source.SetAngle(45);
  Source.SetClip(true);
  Source.SetDrawEvery(0);
  Source.SetMultiLine(true);
  Source.SetStyle(smsXY);
  Source.SetArrowLength(20);
  Source.GetSymbol()->SetVisible(true);
  Source.SetColor(clRed);
  Source.GetPositions().Put(0, MakePosition(1, 1, 1, 1));
  Source.GetItem(0);
  Marks.Assign(Source);
  EXPECT_EQ(PlainValues(Marks), PlainValues(Source));
  ASSERT_NE(Marks.ExistingSymbol(), nullptr);
  EXPECT_TRUE(Marks.ExistingSymbol()->GetVisible());
  EXPECT_EQ(Marks.GetPositions().Count(), 0);
  EXPECT_EQ(Marks.GetItems().Count(), 0);

  TSeriesMarks Plain(nullptr);
  Marks.Assign(Plain);  // no callout or symbol there: none here either
  EXPECT_EQ(Marks.ExistingCallout(), nullptr);
  EXPECT_EQ(Marks.ExistingSymbol(), nullptr);
}

TEST_F(TSeriesMarksTest, SymbolIsDrawnOnlyWhenVisibleAndNotTransparent) {
  TSeriesMarksSymbol& Symbol = *Marks.GetSymbol();
  EXPECT_EQ(Symbol.GetShadow().GetSize(), 1);
  EXPECT_FALSE(Symbol.ShouldDraw());
  Symbol.SetVisible(true);
  EXPECT_TRUE(Symbol.ShouldDraw());
  Symbol.SetTransparent(true);
  EXPECT_FALSE(Symbol.ShouldDraw());
}

TEST_F(TSeriesMarksTest, SeriesMarksRepaintThroughTheSeriesAndFollowItsChart) {
  TCountingChart Chart;
  TChartSeries Series(nullptr);
  TSeriesMarks& M = Series.GetMarks();
  EXPECT_EQ(M.GetSeries(), &Series);
  M.GetItem(1);
  M.GetCallout();
  Series.SetParentChart(&Chart);
  EXPECT_EQ(M.GetParent(), &Chart);
  EXPECT_EQ(M.GetItem(1).GetParent(), &Chart);
  EXPECT_EQ(M.GetCallout()->GetParent(), &Chart);

  const int Before = Chart.Invalidations;
  M.SetStyle(smsValue);
  M.SetDrawEvery(0);
  M.SetClip(true);
  M.SetStyle(smsValue);
  EXPECT_EQ(Chart.Invalidations, Before + 3);
  M.GetPositions().Put(0, MakePosition(1, 2, 3, 4));
  M.ResetPositions();
  EXPECT_EQ(Chart.Invalidations, Before + 4);

  Series.SetParentChart(nullptr);
  EXPECT_EQ(M.GetItem(1).GetParent(), nullptr);
  EXPECT_EQ(M.GetCallout()->GetParent(), nullptr);
}

TEST_F(TSeriesMarksTest, NoPartOfTheMarksRepaintsAFreedChart) {
  TChartSeries Series(nullptr);
  TSeriesMarks& M = Series.GetMarks();
  {
    TCountingChart Chart;
    Series.SetParentChart(&Chart);
    M.GetItem(0);
    M.GetSymbol();
    M.GetCallout();
    Series.SetParentChart(nullptr);
  }
  // The address sanitizer reports any repaint sent to the freed chart.
  M.GetItem(0).SetText({QStringLiteral("x")});
  M.GetSymbol()->SetColor(clRed);
  M.GetCallout()->SetLength(3);
  EXPECT_EQ(M.GetItem(0).GetParent(), nullptr);

  // Freeing the chart first frees its series with their marks.
  auto Chart = std::make_unique<TCountingChart>();
  auto* Owned = new TChartSeries(nullptr);
  Owned->SetParentChart(Chart.get());
  Owned->GetMarks().GetItem(0).SetText({QStringLiteral("y")});
  Chart.reset();
}

}  // namespace
