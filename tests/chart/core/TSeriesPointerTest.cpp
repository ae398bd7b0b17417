#include "chart/core/TSeriesPointer.h"

#include "chart/core/KorException.h"
#include "chart/core/TCallout.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "tests/chart/core/TestPanels.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using TPlainValues = std::vector<std::pair<QString, TPropertyValue>>;

// Counts the repaint requests a pointer sends to its chart.
class TCountingPanel : public TTestPanel {
 public:
  void Invalidate() override {
    ++Invalidations;
    TTestPanel::Invalidate();
  }
  int Invalidations = 0;
};

// Pointers and callouts without a series on a panel that counts repaints.
class TSeriesPointerTest : public ::testing::Test {
 protected:
  void SetUp() override { Pointer.SetParent(&Panel); }

  static QString Names(const TPersistent& Object) {
    QStringList Result;
    for (const TPublishedProperty& P : Object.Properties()) Result << P.Name;
    return Result.join(u' ');
  }
  // The plain (not sub-object) properties a stream would write.
  static QStringList StoredPlain(const TPersistent& Object) {
    QStringList Result;
    for (const TPublishedProperty& P : Object.Properties())
      if (P.Kind != TPropertyKind::pkClass && P.IsStored(Object)) Result << P.Name;
    return Result;
  }
  static TPlainValues PlainValues(const TPersistent& Object) {
    TPlainValues Result;
    for (const TPublishedProperty& P : Object.Properties())
      if (P.Kind != TPropertyKind::pkClass) Result.emplace_back(P.Name, P.Get(Object));
    return Result;
  }

  TCountingPanel Panel;
  TSeriesPointer Pointer{nullptr};
};

TEST_F(TSeriesPointerTest, FreshPointersStoreNothingAndPublishTheirTables) {
  TCallout Callout(nullptr);
  TMarksCallout MarksCallout(nullptr);
  EXPECT_EQ(StoredPlain(Pointer), QStringList());
  EXPECT_EQ(StoredPlain(Callout), QStringList());
  EXPECT_EQ(StoredPlain(MarksCallout), QStringList());
  EXPECT_EQ(StoredPlain(Callout.GetArrow()), QStringList());  // white by default
  EXPECT_EQ(Names(Pointer),
            "Brush Pen Visible Style HorizSize VertSize Dark3D Draw3D InflateMargins "
            "Transparency Gradient");
  EXPECT_EQ(Names(MarksCallout), Names(Pointer) + " Arrow ArrowHead ArrowHeadSize Distance Length");
  EXPECT_FALSE(Callout.GetDraw3D());
  EXPECT_TRUE(Callout.GetVisible());
  EXPECT_FALSE(MarksCallout.GetVisible());
  EXPECT_EQ(Callout.GetColor(), clBlack);
  EXPECT_TRUE(Callout.GetKeepGradientColors());
  EXPECT_FALSE(Pointer.GetKeepGradientColors());
  EXPECT_FALSE(KorCheckMarkArrowColor);
  EXPECT_EQ(Pointer.GetMiddleZ(), 0);  // no series, no depth
}

TEST_F(TSeriesPointerTest, SizeMustBePositiveAndTheOldSizeStays) {
  Pointer.SetHorizSize(6);
  Pointer.SetVertSize(2);
  EXPECT_EQ(Pointer.GetSize(), 6);
  for (int Bad : {0, -1}) {
    try {
      Pointer.SetHorizSize(Bad);
      ADD_FAILURE() << "no exception for " << Bad;
    } catch (const ChartException& E) {
      EXPECT_EQ(E.Message(), "Pointer size must be greater than zero");
    }
    EXPECT_THROW(Pointer.SetVertSize(Bad), ChartException);
    EXPECT_THROW(Pointer.SetSize(Bad), ChartException);
  }
  EXPECT_EQ(Pointer.GetHorizSize(), 6);
  EXPECT_EQ(Pointer.GetVertSize(), 2);
  Pointer.SetSize(3);
  EXPECT_EQ(Pointer.GetHorizSize() + Pointer.GetVertSize(), 6);
}

TEST_F(TSeriesPointerTest, SettersRepaintOnChangeAndChangeMethodsDoNot) {
  Pointer.SetStyle(psRectangle);
  Pointer.SetHorizSize(4);
  EXPECT_EQ(Panel.Invalidations, 0);
  Pointer.SetStyle(psCircle);
  Pointer.SetDark3D(false);
  Pointer.SetDraw3D(false);
  Pointer.SetInflateMargins(false);
  Pointer.SetTransparency(30);
  Pointer.SetVertSize(7);
  EXPECT_EQ(Panel.Invalidations, 6);
  Pointer.ChangeStyle(psStar);
  Pointer.ChangeHorizSize(0);  // series code may set what the setter refuses
  Pointer.Change3D(true);
  EXPECT_EQ(Panel.Invalidations, 6);
  EXPECT_EQ(Pointer.GetStyle(), psStar);
  EXPECT_EQ(Pointer.GetHorizSize(), 0);
  EXPECT_TRUE(Pointer.GetDraw3D());
}

TEST_F(TSeriesPointerTest, MarginsMakeRoomOnlyForAVisibleInflatingPointer) {
  Pointer.SetHorizSize(5);
  Pointer.SetVertSize(2);
  int Left = 0, Right = 10, Top = 1, Bottom = 0;
  Pointer.CalcHorizMargins(Left, Right);
  Pointer.CalcVerticalMargins(Top, Bottom);
  EXPECT_EQ(std::vector<int>({Left, Right, Top, Bottom}), std::vector<int>({6, 10, 3, 3}));

  Left = Right = Top = Bottom = 0;
  Pointer.SetInflateMargins(false);
  Pointer.CalcHorizMargins(Left, Right);
  Pointer.CalcVerticalMargins(Top, Bottom);
  Pointer.SetInflateMargins(true);
  Pointer.SetVisible(false);
  Pointer.CalcHorizMargins(Left, Right);
  Pointer.CalcVerticalMargins(Top, Bottom);
  EXPECT_EQ(std::vector<int>({Left, Right, Top, Bottom}), std::vector<int>({0, 0, 0, 0}));
}

TEST_F(TSeriesPointerTest, AssignCopiesEveryPublishedProperty) {
  TMarksCallout Source(nullptr);
  Source.SetStyle(psDiamond);
  Source.SetHorizSize(7);
  Source.SetVertSize(3);
  Source.SetDark3D(false);
  Source.SetDraw3D(true);
  Source.SetInflateMargins(false);
  Source.SetTransparency(40);
  Source.SetVisible(true);
  Source.SetArrowHead(ahSolid);
  Source.SetArrowHeadSize(12);
  Source.SetDistance(5);
  Source.SetLength(3);
  Source.GetGradient().SetVisible(true);
  Source.GetArrow().SetColor(clRed);
  Source.GetPen().SetColor(clBlue);
  TMarksCallout Copy(nullptr);
  Copy.Assign(Source);
  EXPECT_EQ(PlainValues(Copy), PlainValues(Source));
  EXPECT_TRUE(Copy.GetGradient().GetVisible());
  EXPECT_EQ(Copy.GetArrow().GetColor(), clRed);
  EXPECT_EQ(Copy.GetPen().GetColor(), clBlue);
}

TEST_F(TSeriesPointerTest, MarksCalloutMovesAMarkUpByItsLengthAndDistance) {
  TMarksCallout Callout(nullptr);
  Callout.SetLength(10);
  Callout.SetDistance(4);
  EXPECT_EQ(StoredPlain(Callout), QStringList({"Distance", "Length"}));
  TSeriesMarkPosition P;
  P.ArrowFrom = TPoint(30, 100);
  P.ArrowTo = TPoint(30, 100);
  P.LeftTop = TPoint(20, 90);
  Callout.ApplyArrowLength(P);
  EXPECT_EQ(P.LeftTop, TPoint(20, 76));
  EXPECT_EQ(P.ArrowTo, TPoint(30, 86));
  EXPECT_EQ(P.ArrowFrom, TPoint(30, 96));
}

}  // namespace
