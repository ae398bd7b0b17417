#include "chart/series/TGanttSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "tests/chart/series/BarTestCharts.h"

#include "platform/ClassRegistry.h"
#include "platform/TBitmap.h"
#include "platform/TStream.h"

#include <set>

namespace {

// On the bar chart: (x, y) at pixel (10 + x, 110 - y).
class TGanttSeriesTest : public TBarChartFixture {
 protected:
  TGanttSeries* Gantt() {
    auto* S = New<TGanttSeries>();
    S->GetMarks().SetVisible(false);
    S->GetConnectingPen().SetColor(clBlue);
    return S;
  }
};

TEST_F(TGanttSeriesTest, ATaskIsABarFromItsStartToItsEndOnItsRow) {
  TGanttSeries* S = Gantt();
  EXPECT_EQ(S->AddGanttColor(20, 80, 50, QStringLiteral("Scan"), clRed), 0);
  // A task that starts and ends at once: half width 0 at its start.
  S->AddGanttColor(150, 150, 20, QString(), clGreen);
  DrawAll();
  // Start pixel 30, end pixel 90, row 60, the pointer's half height 4.
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(30, 56, 161, 95));
  EXPECT_EQ(Ink(TRect(31, 57, 90, 64), clRed), 59 * 7);
  // The zero-length task: a one-pixel column (all pen) at x 160.
  for (int Y = 86; Y < 95; ++Y) EXPECT_NE(Bitmap.GetPixel(160, Y), clWhite) << Y;
  EXPECT_EQ(Ink(TRect(150, 80, 160, 100), clWhite), 10 * 20);

  EXPECT_DOUBLE_EQ(S->MaxXValue(), 150);
  S->AddGantt(0, 190, 10);
  EXPECT_DOUBLE_EQ(S->MaxXValue(), 190);
  EXPECT_DOUBLE_EQ(S->MinXValue(), 0);
  EXPECT_FALSE(S->GetYMandatory());
  EXPECT_TRUE(S->GetStartValues().GetDateTime());
  EXPECT_TRUE(S->GetEndValues().GetDateTime());
}

TEST_F(TGanttSeriesTest, TasksKeepTheirIndicesSoThatLinksStayValid) {
  TGanttSeries* S = Gantt();
  S->AddGantt(100, 120, 10);
  S->AddGantt(10, 30, 20);
  EXPECT_DOUBLE_EQ(S->GetStartValues().GetValue(0), 100);
  EXPECT_DOUBLE_EQ(S->GetEndValues().GetValue(1), 30);
  // Every adder leaves the new task unlinked.
  S->AddXY(40, 30);
  for (int I = 0; I < S->Count(); ++I) EXPECT_EQ(S->GetNextTask().GetValue(I), -1) << I;
}

TEST_F(TGanttSeriesTest, LinksBetweenTasksSurviveTheDataStream) {
  TGanttSeries* S = Gantt();
  S->AddGantt(10, 30, 20);
  S->AddGantt(40, 60, 10);
  S->GetNextTask().SetValue(0, 1);
  TGanttSeries* Copy = Gantt();
  TMemoryStream Stream;
  S->WriteData(Stream);
  Stream.Seek(0);
  Copy->ReadData(Stream);
  ASSERT_EQ(Copy->Count(), 2);
  EXPECT_EQ(Copy->GetNextTask().GetValue(0), 1);
  EXPECT_EQ(Copy->GetNextTask().GetValue(1), -1);
  EXPECT_EQ(Copy->GetEndValues().GetValue(1), 60);
}

TEST_F(TGanttSeriesTest, AnElbowLineJoinsATaskToItsValidNextTaskOnly) {
  TGanttSeries* S = Gantt();
  S->AddGanttColor(20, 60, 70, QString(), clRed);    // end pixel 70, row 40
  S->AddGanttColor(100, 150, 30, QString(), clRed);  // start pixel 110, row 80
  S->GetNextTask().SetValue(0, 1);
  DrawAll();
  // Along the row, down the middle column 90, on to the next start.
  EXPECT_TRUE(Ink(TRect(75, 40, 76, 41), clBlue));
  EXPECT_TRUE(Ink(TRect(90, 60, 91, 61), clBlue));
  EXPECT_TRUE(Ink(TRect(100, 80, 101, 81), clBlue));
  EXPECT_EQ(Ink(TRect(91, 41, 220, 79), clBlue), 0);

  for (double Next : {-1.0, 2.0, 1e300}) {
    S->GetNextTask().SetValue(0, Next);
    Frame(false);
    DrawAll();
    EXPECT_EQ(PixelProbe::Count(Bitmap, clBlue), 0) << Next;
  }
  S->GetConnectingPen().SetVisible(false);
  S->GetNextTask().SetValue(0, 1);
  Frame(false);
  DrawAll();
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlue), 0);
}

TEST_F(TGanttSeriesTest, TheWholeBarIsClickableEndsIncluded) {
  TGanttSeries* S = Gantt();
  S->AddGantt(20, 80, 50);   // pixels 30 .. 90 on row 60
  S->AddGantt(100, 60, 20);  // drawn backwards: 70 .. 110 on row 90
  Prepare();
  EXPECT_EQ(S->Clicked(30, 60), 0);
  EXPECT_EQ(S->Clicked(90, 63), 0);
  EXPECT_EQ(S->Clicked(91, 60), -1);
  EXPECT_EQ(S->Clicked(60, 64), -1);  // the pointer's half height away
  EXPECT_EQ(S->Clicked(75, 90), 1);
  EXPECT_EQ(S->Clicked(60, 90), -1);
}

TEST_F(TGanttSeriesTest, AMarkSitsInTheMiddleOfItsBar) {
  TGanttSeries* S = Gantt();
  S->GetMarks().SetVisible(true);
  S->AddGantt(20, 80, 50, QStringLiteral("Scans"));
  DrawAll();
  S->DrawMarks();
  const TSeriesMarkPosition* P = S->GetMarks().GetPositions().Get(0);
  ASSERT_NE(P, nullptr);
  // Centred on x 60 and on row 60 (within rounding of the box size).
  EXPECT_NEAR(P->LeftTop.X + P->Width / 2.0, 60, 1);
  EXPECT_NEAR(P->LeftTop.Y + P->Height / 2.0, 60, 1.5);
}

TEST_F(TGanttSeriesTest, SampleTasksLinkEachToAtMostOneLaterTaskThatStartsAfterIt) {
  TGanttSeries* S = Gantt();
  for (int Round = 0; Round < 5; ++Round) {
    S->FillSampleValues(40);
    ASSERT_GE(S->Count(), 11);
    ASSERT_LE(S->Count(), 30);
    std::set<int> Targets;
    for (int I = 0; I < S->Count(); ++I) {
      EXPECT_EQ(S->GetXLabel(I), S->GetXLabel(I % 10));
      EXPECT_GT(S->GetEndValues().GetValue(I), S->GetStartValues().GetValue(I));
      const int Next = static_cast<int>(S->GetNextTask().GetValue(I));
      if (Next == -1) continue;
      EXPECT_GT(Next, I);
      EXPECT_TRUE(Targets.insert(Next).second) << "task " << Next << " linked twice";
      EXPECT_LT(S->GetEndValues().GetValue(I), S->GetStartValues().GetValue(Next));
    }
  }
  S->FillSampleValues(3);
  EXPECT_EQ(S->Count(), 3);
  EXPECT_EQ(S->GetXLabel(2), Korconst::KorMsg_GanttSample3);
}

TEST_F(TGanttSeriesTest, PublishesItsListsAndTheConnectingPenAfterThePointSeries) {
  TGanttSeries* S = Gantt();
  const TPropertyList& P = S->Properties();
  ASSERT_GE(P.Count(), 4);
  const QStringList Tail{P.Item(P.Count() - 4).Name, P.Item(P.Count() - 3).Name,
                         P.Item(P.Count() - 2).Name, P.Item(P.Count() - 1).Name};
  EXPECT_EQ(Tail, (QStringList{"StartValues", "EndValues", "NextTask", "ConnectingPen"}));
  EXPECT_EQ(&S->GetConnectingPen(), &S->GetLinePen());
  EXPECT_EQ(S->GetEditorClass(), QStringLiteral("TGanttSeriesEditor"));
  EXPECT_TRUE(S->GetColorEachPoint());

  S->PrepareForGallery(false);
  EXPECT_FALSE(S->GetColorEachPoint());
  EXPECT_EQ(S->GetPointer().GetVertSize(), 3);
}

// -- through the series-type register, on a whole chart

class TGanttSeriesTypeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterKorSeries(TChartSeriesClass::Of<TGanttSeries>(), &Korconst::KorMsg_GalleryGantt,
                      &Korconst::KorMsg_GalleryStandard, 1);
    Chart.SetBounds(0, 0, 300, 200);
  }
  void TearDown() override { UnRegisterKorSeries({TChartSeriesClass::Of<TGanttSeries>()}); }

  TComponent Form{nullptr};
  TChart Chart{nullptr};
};

TEST_F(TGanttSeriesTypeTest, MadeByNameClonedWithItsListsAndDrawnEmptyOrWithOneTask) {
  const TClassInfo* Info = GetClass(QStringLiteral("TGanttSeries"));
  ASSERT_NE(Info, nullptr);
  auto* S = dynamic_cast<TGanttSeries*>(CreateNewSeries(&Form, &Chart, TChartSeriesClass(Info)));
  ASSERT_NE(S, nullptr);
  for (bool Is3D : {false, true}) {
    Chart.SetView3D(Is3D);
    EXPECT_NE(Chart.KorCreateBitmap(), nullptr);
  }
  S->AddGanttColor(1, 5, 2, QStringLiteral("Acceleration"), clRed);
  S->AddGantt(6, 9, 1);
  S->GetNextTask().SetValue(0, 1);
  S->GetConnectingPen().SetColor(clGreen);
  S->GetPointer().SetVertSize(7);
  auto* Clone = dynamic_cast<TGanttSeries*>(CloneChartSeries(*S));
  ASSERT_NE(Clone, nullptr);
  ASSERT_EQ(Clone->Count(), 2);
  EXPECT_DOUBLE_EQ(Clone->GetEndValues().GetValue(0), 5);
  EXPECT_DOUBLE_EQ(Clone->GetNextTask().GetValue(0), 1);
  EXPECT_EQ(Clone->GetXLabel(0), QStringLiteral("Acceleration"));
  EXPECT_EQ(Clone->GetValueColor(0), clRed);
  EXPECT_EQ(Clone->GetConnectingPen().GetColor(), clGreen);
  EXPECT_EQ(Clone->GetPointer().GetVertSize(), 7);
  EXPECT_EQ(Clone->GetEndValues().GetName(), QStringLiteral("End"));

  S->Delete(1);
  Clone->Clear();
  for (bool Is3D : {false, true}) {
    Chart.SetView3D(Is3D);
    EXPECT_NE(Chart.KorCreateBitmap(), nullptr);
  }
}

}  // namespace
