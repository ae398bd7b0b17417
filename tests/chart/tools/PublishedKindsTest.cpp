// The property tables of everything a chart file can hold: every
// registered series, function and tool, and the chart with all the
// sub-objects reached from them.

#include "chart/tools/RegisterToolTypes.h"

#include "chart/tools/TDrawLineTool.h"
#include "chart/tools/TDrawLines.h"

#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TLineSeries.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorCustomToolAxis.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/core/TKorFunction.h"
#include "chart/core/TKorSeriesSource.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TKorToolTypes.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TMarksItems.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/Cursors.h"
#include "platform/TComponent.h"
#include "platform/TReader.h"
#include "platform/TStream.h"
#include "platform/TWriter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class PublishedKindsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    RegisterToolTypes();
    Source = new TLineSeries(&Form);
    Source->SetName("Source");
    Chart.AddSeries(Source);
  }
  void TearDown() override {
    UnRegisterToolTypes();
    UnRegisterSeriesTypes();
  }

  // Every entry of Object's table is read once (collections item by item)
  // and every sub-object is walked in turn. A property named "Cursor" is a
  // cursor wherever it is.
  void Walk(const TPersistent& Object, const QString& Path) {
    if (!Seen.insert(&Object).second) return;
    for (const TPublishedProperty& P : Object.Properties()) {
      const QString Where = Path + u'.' + P.Name;
      SCOPED_TRACE(Where.toStdString());
      if (P.Name == QStringLiteral("Cursor")) {
        EXPECT_EQ(P.Kind, TPropertyKind::pkCursor);
      }
      if (P.Kind == TPropertyKind::pkCollection) {
        const TCollectionAccess& A = P.Collection;
        ASSERT_TRUE(A.Count && A.Item && A.Add && A.Clear);
        for (int I = 0; I < A.Count(Object); ++I) {
          const TPersistent* Item = A.Item(Object, I);
          ASSERT_NE(Item, nullptr);
          Walk(*Item, Where + u'[' + QString::number(I) + u']');
        }
        continue;
      }
      ASSERT_TRUE(P.Get);
      TPropertyValue Value;
      ASSERT_NO_THROW(Value = P.Get(Object));
      if (P.Kind != TPropertyKind::pkClass) continue;
      const TPersistent* Sub = std::get<TPersistent*>(Value);
      ASSERT_NE(Sub, nullptr);
      Walk(*Sub, Where);
    }
  }

  // Cursors, component references and collections are set and read back
  // through the table; a reference names the line series "Source".
  static void RoundTrip(TPersistent& Object) {
    for (const TPublishedProperty& P : Object.Properties()) {
      SCOPED_TRACE(P.Name.toStdString());
      if (P.Kind == TPropertyKind::pkCursor) {
        ASSERT_TRUE(P.Set);
        P.Set(Object, int(crHandPoint));
        EXPECT_EQ(std::get<int>(P.Get(Object)), crHandPoint);
        P.Set(Object, int(crDefault));
        EXPECT_EQ(std::get<int>(P.Get(Object)), crDefault);
      } else if (P.Kind == TPropertyKind::pkComponent) {
        ASSERT_TRUE(P.Set);
        P.Set(Object, QStringLiteral("Source"));
        EXPECT_EQ(std::get<QString>(P.Get(Object)), QStringLiteral("Source"));
        EXPECT_TRUE(P.IsStored(Object));
        P.Set(Object, QString());
        EXPECT_EQ(std::get<QString>(P.Get(Object)), QString());
        EXPECT_FALSE(P.IsStored(Object));
      } else if (P.Kind == TPropertyKind::pkCollection) {
        const TCollectionAccess& A = P.Collection;
        A.Clear(Object);
        EXPECT_FALSE(P.IsStored(Object));
        EXPECT_NE(A.Add(Object), nullptr);
        EXPECT_NE(A.Add(Object), nullptr);
        EXPECT_EQ(A.Count(Object), 2);
        EXPECT_TRUE(P.IsStored(Object));
        A.Clear(Object);
        EXPECT_EQ(A.Count(Object), 0);
      }
    }
  }

  static TPropertyKind KindOf(const TPersistent& Object, const char* Name) {
    const TPublishedProperty* P = Object.Properties().Find(QString::fromLatin1(Name));
    EXPECT_NE(P, nullptr) << Name;
    return P != nullptr ? P->Kind : TPropertyKind::pkClass;
  }

  TChart Chart{nullptr};
  TComponent Form{nullptr};  // owns series, functions and tools; freed before the chart
  TLineSeries* Source = nullptr;
  std::set<const TPersistent*> Seen;
};

TEST_F(PublishedKindsTest, EverySeriesAndFunctionTableReadsAndItsReferencesRoundTrip) {
  ASSERT_GT(KorSeriesTypes().Count(), 0);
  for (int I = 0; I < KorSeriesTypes().Count(); ++I) {
    const TKorSeriesType* Type = KorSeriesTypes().Get(I);
    const std::string Name = Type->SeriesClassRef.ClassName().toStdString() + "/" +
                             Type->FunctionClassRef.ClassName().toStdString();
    SCOPED_TRACE(Name);
    TChartSeries* Series =
        Type->SeriesClassRef ? Type->SeriesClassRef.Create(&Form) : new TLineSeries(&Form);
    Chart.AddSeries(Series);
    TKorFunction* Function = nullptr;
    if (Type->FunctionClassRef) {
      Function = Type->FunctionClassRef.Create(&Form);
      Series->SetFunction(Function);
    }
    EXPECT_EQ(KindOf(*Series, "Cursor"), TPropertyKind::pkCursor);
    EXPECT_EQ(KindOf(*Series, "DataSource"), TPropertyKind::pkComponent);
    EXPECT_EQ(KindOf(*Series, "DataSources"), TPropertyKind::pkStringArray);
    EXPECT_EQ(KindOf(Series->GetMarks(), "Items"), TPropertyKind::pkBinary);
    Walk(*Series, QString::fromStdString(Name));
    RoundTrip(*Series);
    if (Function != nullptr) {
      EXPECT_EQ(Series->GetFunction(), Function);
      EXPECT_EQ(KindOf(*Function, "Period"), TPropertyKind::pkDouble);
      Walk(*Function, QStringLiteral("Function"));
    }
    delete Series;
  }
}

TEST_F(PublishedKindsTest, EveryToolTableReadsAndItsReferencesRoundTrip) {
  ASSERT_GT(KorToolTypes().Count(), 0);
  for (int I = 0; I < KorToolTypes().Count(); ++I) {
    const TKorToolClass Class = KorToolTypes().Get(I);
    SCOPED_TRACE(Class.ClassName().toStdString());
    TKorCustomTool* Tool = Class.Create(&Form);
    Tool->SetParentChart(&Chart);
    if (auto* Axis = dynamic_cast<TKorCustomToolAxis*>(Tool)) Axis->SetAxis(Chart.GetLeftAxis());
    if (dynamic_cast<TKorCustomToolSeries*>(Tool) != nullptr) {
      EXPECT_EQ(KindOf(*Tool, "Series"), TPropertyKind::pkComponent);
    }
    Walk(*Tool, Class.ClassName());
    RoundTrip(*Tool);
    delete Tool;
  }
  TKorSeriesSource SeriesSource(&Form);
  EXPECT_EQ(KindOf(SeriesSource, "Series"), TPropertyKind::pkComponent);
  RoundTrip(SeriesSource);
}

TEST_F(PublishedKindsTest, TheChartTableReachesEverySubObjectAndItsCustomAxes) {
  EXPECT_EQ(KindOf(Chart, "CustomAxes"), TPropertyKind::pkCollection);
  Walk(Chart, QStringLiteral("Chart"));
  RoundTrip(Chart);
  // The custom axes come right after the clipping switch, before the
  // standard axes, so that series read later find them.
  const TPropertyList& P = Chart.Properties();
  const TPublishedProperty* Clip = P.Find(QStringLiteral("ClipPoints"));
  ASSERT_NE(Clip, nullptr);
  EXPECT_EQ((Clip + 1)->Name, QStringLiteral("CustomAxes"));
  EXPECT_EQ((Clip + 2)->Name, QStringLiteral("BottomAxis"));
}

// A chart written and read back: the references find their components
// again once loading ends, and collections and custom mark items return.
TEST_F(PublishedKindsTest, ReferencesAndCollectionsComeBackThroughAComponentStream) {
  auto* Copy = new TLineSeries(&Chart);
  Copy->SetName("Copy");
  Chart.AddSeries(Copy);
  Copy->SetDataSource(Source);
  Copy->SetCursor(crHandPoint);
  Source->SetForceSaveData(true);
  Source->AddXY(1, 2);
  Source->AddXY(2, 3);
  Source->GetMarks().GetItem(1).SetText({QStringLiteral("x")});
  Chart.GetCustomAxes().Add()->SetMinMax(5, 6);
  auto* Lines = new TDrawLineTool(&Chart);
  Lines->SetName("Lines1");
  Lines->SetParentChart(&Chart);
  Lines->SetSeries(Source);
  Lines->GetLines().Add(1, 2, 3, 4);
  TMemoryStream Stream;
  TWriter Writer(Stream);
  Writer.SetRoot(&Chart);
  Writer.WriteSignature();
  Writer.WriteComponent(Chart);

  TChart Read(nullptr);
  Stream.Seek(0);
  TReader Reader(Stream);
  Reader.ReadSignature();
  Reader.ReadRootComponent(Read);
  ASSERT_EQ(Read.SeriesCount(), 2);
  TChartSeries* ReadSource = Read.GetSeries(0);
  TChartSeries* ReadCopy = Read.GetSeries(1);
  EXPECT_EQ(ReadCopy->GetDataSource(), ReadSource);
  EXPECT_EQ(ReadCopy->GetCursor(), crHandPoint);
  // The copy's points are not stored: it takes them from its source again.
  EXPECT_EQ(ReadCopy->Count(), 2);
  ASSERT_NE(ReadSource->GetMarks().GetItems().Existing(1), nullptr);
  EXPECT_EQ(ReadSource->GetMarks().GetItems().Existing(1)->GetText(), QStringList({"x"}));
  // Loading is over: clearing the points drops their items again.
  ReadSource->Clear();
  EXPECT_EQ(ReadSource->GetMarks().GetItems().Count(), 0);
  ASSERT_EQ(Read.GetCustomAxes().Count(), 1);
  EXPECT_EQ(Read.GetCustomAxes().Get(0)->GetMaximum(), 6);
  ASSERT_EQ(Read.GetTools().Count(), 1);
  auto* ReadLines = dynamic_cast<TDrawLineTool*>(Read.GetTools().Get(0));
  ASSERT_NE(ReadLines, nullptr);
  EXPECT_EQ(ReadLines->GetSeries(), ReadSource);
  EXPECT_EQ(ReadLines->GetLines().Count(), 1);
  delete Copy;
  delete Lines;
}

}  // namespace
