#include "chart/core/TKorSeriesTypes.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorFunction.h"

#include <gtest/gtest.h>

namespace {

class TRegLineSeries : public TChartSeries {
 public:
  explicit TRegLineSeries(TComponent* AOwner) : TChartSeries(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TRegLineSeries"); }
};

class TRegBarSeries : public TChartSeries {
 public:
  explicit TRegBarSeries(TComponent* AOwner) : TChartSeries(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TRegBarSeries"); }
};

class TRegAverage : public TKorFunction {
 public:
  explicit TRegAverage(TComponent* AOwner) : TKorFunction(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TRegAverage"); }
};

// Class references are made on first use: making one builds an instance,
// which needs the library's texts, so not during static initialisation.
TChartSeriesClass LineClass() {
  return TChartSeriesClass::Of<TRegLineSeries>();
}
TChartSeriesClass BarClass() {
  return TChartSeriesClass::Of<TRegBarSeries>();
}
TKorFunctionClass AverageClass() {
  return TKorFunctionClass::Of<TRegAverage>();
}

// The register is process-wide: every test starts and ends with it empty.
class TKorSeriesTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { KorSeriesTypes().Clear(); }
  void TearDown() override {
    KorSeriesTypes().Clear();
    for (const TClassInfo* Info : {LineClass().Info(), BarClass().Info(), AverageClass().Info()})
      UnRegisterClass(*Info);
  }

  QString LineText = QStringLiteral("Line");
  QString BarText = QStringLiteral("Bar");
  QString StatsPage = QStringLiteral("Stats");
};

TEST_F(TKorSeriesTypesTest, RegisteringTheSameSeriesTwiceKeepsOneEntry) {
  RegisterKorSeries(LineClass(), &LineText, &StatsPage, 1);
  RegisterKorSeries(LineClass(), &LineText, &StatsPage, 1);
  ASSERT_EQ(KorSeriesTypes().Count(), 1);
  const TKorSeriesType* Entry = KorSeriesTypes().Get(0);
  EXPECT_EQ(Entry->SeriesClassRef, LineClass());
  EXPECT_FALSE(Entry->FunctionClassRef.Assigned());
  EXPECT_EQ(Entry->Description(), QStringLiteral("Line"));
  EXPECT_EQ(Entry->GalleryPage(), QStringLiteral("Stats"));
  EXPECT_EQ(Entry->GallerySeriesCount, 1);
  EXPECT_THROW(KorSeriesTypes().Get(1), ChartException);
}

TEST_F(TKorSeriesTypesTest, ASeriesWithAFunctionIsAnEntryOfItsOwn) {
  RegisterKorSeries(LineClass(), &LineText);
  RegisterKorSeriesFunction(LineClass(), AverageClass(), &LineText, &StatsPage, 2);
  RegisterKorSeriesFunction(LineClass(), AverageClass(), &LineText, &StatsPage, 2);
  ASSERT_EQ(KorSeriesTypes().Count(), 2);
  EXPECT_EQ(KorSeriesTypes().Get(1)->FunctionClassRef, AverageClass());
  // Find wants the plain series entry, wherever it is.
  KorSeriesTypes().Delete(0);
  EXPECT_EQ(KorSeriesTypes().Find(LineClass()), nullptr);
  RegisterKorSeries(LineClass(), &LineText);
  EXPECT_EQ(KorSeriesTypes().Find(LineClass()), KorSeriesTypes().Get(1));
}

TEST_F(TKorSeriesTypesTest, ShortFormsGoOnTheStandardPageWithTwoGallerySeries) {
  RegisterKorSeries(BarClass(), &BarText);
  RegisterKorBasicFunction(AverageClass(), &LineText);
  ASSERT_EQ(KorSeriesTypes().Count(), 2);
  for (int I = 0; I < 2; ++I) {
    EXPECT_EQ(KorSeriesTypes().Get(I)->GalleryTab, &Korconst::KorMsg_GalleryStandard);
    EXPECT_EQ(KorSeriesTypes().Get(I)->GallerySeriesCount, 2);
  }
  const TKorSeriesType* Function = KorSeriesTypes().Get(1);
  EXPECT_FALSE(Function->SeriesClassRef.Assigned());
  EXPECT_EQ(Function->FunctionClassRef, AverageClass());
}

TEST_F(TKorSeriesTypesTest, EntriesFollowTheirTextVariables) {
  RegisterKorSeries(BarClass(), &BarText, &StatsPage, 2);
  BarText = QStringLiteral("Balken");
  StatsPage = QStringLiteral("Statistik");
  EXPECT_EQ(KorSeriesTypes().Get(0)->Description(), QStringLiteral("Balken"));
  EXPECT_EQ(KorSeriesTypes().Get(0)->GalleryPage(), QStringLiteral("Statistik"));
  TRegBarSeries Bar(nullptr);
  EXPECT_EQ(GetGallerySeriesName(Bar), QStringLiteral("Balken"));
}

TEST_F(TKorSeriesTypesTest, RegisteringMakesEveryGivenClassKnownToStreams) {
  EXPECT_EQ(GetClass(QStringLiteral("TRegLineSeries")), nullptr);
  RegisterKorSeriesFunction(LineClass(), AverageClass(), &LineText, &StatsPage, 1);
  EXPECT_EQ(GetClass(QStringLiteral("TRegLineSeries")), LineClass().Info());
  EXPECT_EQ(GetClass(QStringLiteral("TRegAverage")), AverageClass().Info());
  // Leaving the gallery does not make stored charts unreadable.
  UnRegisterKorSeries({LineClass()});
  EXPECT_EQ(GetClass(QStringLiteral("TRegLineSeries")), LineClass().Info());
}

TEST_F(TKorSeriesTypesTest, UnregisteringRemovesEveryEntryOfTheClass) {
  RegisterKorSeries(LineClass(), &LineText);
  RegisterKorSeries(BarClass(), &BarText);
  RegisterKorSeriesFunction(LineClass(), AverageClass(), &LineText, &StatsPage, 1);
  RegisterKorBasicFunction(AverageClass(), &LineText);

  UnRegisterKorSeries({TChartSeriesClass::Of<TChartSeries>()});  // never registered
  EXPECT_EQ(KorSeriesTypes().Count(), 4);
  UnRegisterKorSeries({LineClass()});
  ASSERT_EQ(KorSeriesTypes().Count(), 2);
  EXPECT_EQ(KorSeriesTypes().Get(0)->SeriesClassRef, BarClass());
  UnRegisterKorFunctions({AverageClass()});
  ASSERT_EQ(KorSeriesTypes().Count(), 1);
  EXPECT_EQ(KorSeriesTypes().Get(0)->SeriesClassRef, BarClass());
}

TEST_F(TKorSeriesTypesTest, GalleryNameFallsBackToTheClassName) {
  TRegLineSeries Line(nullptr);
  EXPECT_EQ(GetGallerySeriesName(Line), QStringLiteral("TRegLineSeries"));
  // An entry computed by a function does not name the plain series.
  RegisterKorSeriesFunction(LineClass(), AverageClass(), &BarText, &StatsPage, 1);
  EXPECT_EQ(GetGallerySeriesName(Line), QStringLiteral("TRegLineSeries"));
  RegisterKorSeries(LineClass(), &LineText);
  EXPECT_EQ(GetGallerySeriesName(Line), QStringLiteral("Line"));
}

}  // namespace
