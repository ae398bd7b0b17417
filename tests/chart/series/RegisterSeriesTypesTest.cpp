#include "chart/series/RegisterSeriesTypes.h"

#include "chart/series/TAreaSeries.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TErrorBarSeries.h"
#include "chart/series/TErrorSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/THighLowSeries.h"
#include "chart/series/THorizAreaSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/THorizLineSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorSeriesTypes.h"
#include "tests/chart/core/PictureChecks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Class references are made on first use: making one builds an instance,
// which needs the library's texts, so not during static initialisation.
TChartSeriesClass FastLineClass() {
  return TChartSeriesClass::Of<TFastLineSeries>();
}

class RegisterSeriesTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterSeriesTypes(); }
  void TearDown() override { UnRegisterSeriesTypes(); }

  TChart Chart{nullptr};
  TComponent Form{nullptr};
};

TEST_F(RegisterSeriesTypesTest, FastLineIsAStandardGalleryType) {
  const int Count = KorSeriesTypes().Count();
  RegisterSeriesTypes();  // again: nothing new
  EXPECT_EQ(KorSeriesTypes().Count(), Count);
  const TKorSeriesType* Entry = KorSeriesTypes().Find(FastLineClass());
  ASSERT_NE(Entry, nullptr);
  EXPECT_EQ(Entry->DescriptionText, &Korconst::KorMsg_GalleryFastLine);
  EXPECT_EQ(Entry->GalleryPage(), QStringLiteral("Standard"));
  EXPECT_EQ(Entry->GallerySeriesCount, 2);
  EXPECT_EQ(GetClass(QStringLiteral("TFastLineSeries")), FastLineClass().Info());
  TFastLineSeries Line(nullptr);
  EXPECT_EQ(GetGallerySeriesName(Line), QStringLiteral("Fast Line"));

  UnRegisterSeriesTypes();
  EXPECT_EQ(KorSeriesTypes().Find(FastLineClass()), nullptr);
}

TEST_F(RegisterSeriesTypesTest, AClonedFastLineKeepsItsOwnSettings) {
  TChartSeries* Made = CreateNewSeries(&Form, &Chart, FastLineClass());
  auto* Line = dynamic_cast<TFastLineSeries*>(Made);
  ASSERT_NE(Line, nullptr);
  Line->SetStairs(true);
  Line->AddXY(0, 1);
  Line->AddXY(1, 4);
  auto* Clone = dynamic_cast<TFastLineSeries*>(CloneChartSeries(*Line));
  ASSERT_NE(Clone, nullptr);
  EXPECT_TRUE(Clone->GetStairs());
  EXPECT_EQ(Clone->Count(), 2);
  EXPECT_EQ(Clone->GetyValue(1), 4);
  EXPECT_EQ(Chart.SeriesCount(), 2);
}

TEST_F(RegisterSeriesTypesTest, APlainSeriesBecomesAFastLineWithItsData) {
  auto* Series = new TChartSeries(&Form);
  Series->SetName("Trace");
  Chart.AddSeries(Series);
  Series->AddXY(0, 2, QStringLiteral("a"), clRed);
  Series->AddXY(1, 3, QStringLiteral("b"));
  Series->SetSeriesColor(clBlue);
  TChartSeries* Changed = Series;
  ChangeSeriesType(Changed, FastLineClass());
  ASSERT_NE(dynamic_cast<TFastLineSeries*>(Changed), nullptr);
  EXPECT_EQ(Changed->GetName(), "Trace");
  EXPECT_EQ(Chart.IndexOfSeries(Changed), 0);
  EXPECT_EQ(Changed->Count(), 2);
  EXPECT_EQ(Changed->GetXLabel(0), QStringLiteral("a"));
  EXPECT_EQ(Changed->GetValueColor(0), clRed);
  EXPECT_EQ(Changed->GetSeriesColor(), clBlue);
}

}  // namespace

TEST_F(RegisterSeriesTypesTest, EverySeriesAndFunctionClassHasItsOwnPicture) {
  QStringList Names;
  for (int I = 0; I < KorSeriesTypes().Count(); ++I) {
    const TKorSeriesType& Type = *KorSeriesTypes().Get(I);
    Names << (Type.FunctionClassRef ? Type.FunctionClassRef.ClassName()
                                    : Type.SeriesClassRef.ClassName());
  }
  ASSERT_EQ(Names.size(), 26);
  ExpectOwnPictures(Names);
  // Gone with the types.
  UnRegisterSeriesTypes();
  TBitmap Picture;
  KorGetBitmapEditor(QStringLiteral("TLineSeries"), QString(), Picture);
  EXPECT_TRUE(Picture.GetEmpty());
  RegisterSeriesTypes();
}

TEST_F(RegisterSeriesTypesTest, EveryTypeSitsOnItsGalleryPage) {
  struct TExpected {
    TChartSeriesClass Class;
    QString Page;
    int GallerySeries;
  };
  const std::vector<TExpected> Expected = {
      {TChartSeriesClass::Of<TLineSeries>(), QStringLiteral("Standard"), 2},
      {TChartSeriesClass::Of<TAreaSeries>(), QStringLiteral("Standard"), 2},
      {TChartSeriesClass::Of<TPointSeries>(), QStringLiteral("Standard"), 2},
      {TChartSeriesClass::Of<THorizLineSeries>(), QStringLiteral("Standard"), 1},
      {TChartSeriesClass::Of<THorizAreaSeries>(), QStringLiteral("Standard"), 1},
      {TChartSeriesClass::Of<TBarSeries>(), QStringLiteral("Standard"), 2},
      {TChartSeriesClass::Of<THorizBarSeries>(), QStringLiteral("Standard"), 2},
      {TChartSeriesClass::Of<TErrorBarSeries>(), QStringLiteral("Stats"), 1},
      {TChartSeriesClass::Of<TErrorSeries>(), QStringLiteral("Stats"), 1},
      {TChartSeriesClass::Of<THighLowSeries>(), QStringLiteral("Stats"), 1},
  };
  for (const TExpected& E : Expected) {
    const TKorSeriesType* Entry = KorSeriesTypes().Find(E.Class);
    ASSERT_NE(Entry, nullptr);
    EXPECT_EQ(Entry->GalleryPage(), E.Page);
    EXPECT_EQ(Entry->GallerySeriesCount, E.GallerySeries);
  }
  UnRegisterSeriesTypes();
  for (const TExpected& E : Expected) EXPECT_EQ(KorSeriesTypes().Find(E.Class), nullptr);
}

TEST_F(RegisterSeriesTypesTest, StandardTypesComeOnceInTheGalleryOrder) {
  UnRegisterSeriesTypes();
  RegisterKorStandardSeries();
  RegisterKorStandardSeries();
  const QStringList Expected = {"TLineSeries",     "TBarSeries",       "THorizBarSeries",
                                "TAreaSeries",     "TPointSeries",     "TPieSeries",
                                "TFastLineSeries", "THorizLineSeries", "THorizAreaSeries"};
  ASSERT_EQ(KorSeriesTypes().Count(), Expected.size());
  for (int I = 0; I < KorSeriesTypes().Count(); ++I)
    EXPECT_EQ(KorSeriesTypes()[I]->SeriesClassRef.ClassName(), Expected[I]) << I;
  EXPECT_EQ(KorSeriesTypes()[2]->Description(), QStringLiteral("Horizontal\rBar"));
}
