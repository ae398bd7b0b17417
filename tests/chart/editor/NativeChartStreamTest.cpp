#include "chart/editor/NativeChartStream.h"

#include "chart/core/KorException.h"
#include "chart/core/KorSeriesData.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorCustomToolAxis.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TKorToolTypes.h"
#include "chart/editor/TChartChart.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/tools/RegisterToolTypes.h"
#include "platform/TStream.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

class NativeChartStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    RegisterToolTypes();
    RegisterChartChartClasses();
    Chart.SetName("Chart1");
    Chart.SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    UnRegisterChartChartClasses();
    UnRegisterToolTypes();
    UnRegisterSeriesTypes();
  }

  static QByteArray Save(TCustomChart& AChart, bool IncludeData = true, bool Text = false) {
    TMemoryStream Stream;
    SaveChartToStream(AChart, Stream, IncludeData, Text);
    return Stream.Bytes();
  }

  static void Load(TChart& AChart, const QByteArray& Bytes, TProcKorCheckStream Check = {}) {
    TMemoryStream Stream(Bytes);
    TCustomChart* Target = &AChart;
    LoadChartFromStreamCheck(Target, Stream, Check, true);
  }

  // One series of every registered type (function types compute from the
  // first series) and one tool of every registered type, set to work.
  void FillWithEverything() {
    TChartSeries* First = nullptr;
    for (int I = 0; I < KorSeriesTypes().Count(); ++I) {
      const TKorSeriesType* Type = KorSeriesTypes().Get(I);
      const TChartSeriesClass SeriesClass =
          Type->SeriesClassRef ? Type->SeriesClassRef : ClassOfInstance<TChartSeries>(*First);
      TChartSeries* Series = CreateNewSeries(&Form, &Chart, SeriesClass, Type->FunctionClassRef);
      if (Type->FunctionClassRef)
        Series->SetDataSource(First);
      else
        Series->FillSampleValues(6);
      if (First == nullptr) First = Series;
    }
    for (int I = 0; I < KorToolTypes().Count(); ++I) {
      TKorCustomTool* Tool = KorToolTypes().Get(I).Create(&Form);
      Tool->SetName("Tool" + std::to_string(I + 1));
      Tool->SetParentChart(&Chart);
      if (auto* OnSeries = dynamic_cast<TKorCustomToolSeries*>(Tool)) OnSeries->SetSeries(First);
      if (auto* OnAxis = dynamic_cast<TKorCustomToolAxis*>(Tool))
        OnAxis->SetAxis(Chart.GetLeftAxis());
    }
  }

  TComponent Form{nullptr};  // owns the series and tools of the source chart
  TChart Chart{&Form};
};

TEST_F(NativeChartStreamTest, EverySeriesAndToolTypeSavesLoadsAndSavesTheSameBytes) {
  FillWithEverything();
  ASSERT_GT(Chart.SeriesCount(), 10);
  for (const bool Text : {false, true}) {
    const QByteArray First = Save(Chart, true, Text);
    TChart Copy(nullptr);
    QStringList Problems;
    Load(Copy, First, [&Problems](const QString& M) {
      Problems << M;
      return true;
    });
    EXPECT_TRUE(Problems.isEmpty()) << Problems.join('\n').toStdString();
    EXPECT_EQ(Copy.SeriesCount(), Chart.SeriesCount());
    EXPECT_EQ(Copy.GetTools().Count(), Chart.GetTools().Count());
    EXPECT_EQ(Save(Copy, true, Text), First) << (Text ? "text" : "binary");
  }
}

TEST_F(NativeChartStreamTest, TextAndBinaryFormsLoadTheSameChart) {
  FillWithEverything();
  Chart.GetTitle().SetCaption(QStringLiteral("Sedimentation \u00b5 'run' #4"));
  const QByteArray Text = Save(Chart, true, true);
  EXPECT_TRUE(Text.startsWith("object TChart\r\n") || Text.startsWith("object TChart\n"));
  TChart FromText(nullptr);
  TChart FromBinary(nullptr);
  Load(FromText, Text);
  Load(FromBinary, Save(Chart));
  EXPECT_EQ(Save(FromText), Save(FromBinary));
  EXPECT_EQ(FromText.GetTitle().GetCaption(), Chart.GetTitle().GetCaption());
}

TEST_F(NativeChartStreamTest, TheChartIsWrittenWithoutItsNameAndKeepsIt) {
  const QByteArray Bytes = Save(Chart);
  EXPECT_EQ(Bytes.left(4), QByteArray("\x60\x30\x57\x01", 4));
  EXPECT_EQ(Bytes.mid(4, 12), QByteArray("TPF0\x06TChart\x00", 12));
  EXPECT_EQ(Chart.GetName(), "Chart1");
  TChart Other(nullptr);
  Other.SetName("Other");
  Load(Other, Bytes);
  EXPECT_EQ(Other.GetName(), "Other");
}

// Each standard axis has its own placement; a file keeps any change of it.
TEST_F(NativeChartStreamTest, StandardAxesKeepAPlacementAwayFromTheirOwn) {
  Chart.GetTopAxis()->SetHorizontal(false);
  Chart.GetDepthAxis()->SetVisible(true);
  Chart.GetRightAxis()->SetOtherSide(false);
  TChart Copy(nullptr);
  Load(Copy, Save(Chart));
  EXPECT_FALSE(Copy.GetTopAxis()->GetHorizontal());
  EXPECT_TRUE(Copy.GetDepthAxis()->GetVisible());
  EXPECT_FALSE(Copy.GetRightAxis()->GetOtherSide());
  TChart Fresh(nullptr);
  EXPECT_FALSE(Save(Fresh).contains("Horizontal"));
}

TEST_F(NativeChartStreamTest, PointsTravelOnlyWhenAsked) {
  TChartSeries* Series = CreateNewSeries(&Form, &Chart, KorSeriesTypes().Get(0)->SeriesClassRef);
  Series->FillSampleValues(5);
  Series->SetDontSaveData(true);
  TChart WithData(nullptr);
  Load(WithData, Save(Chart, true));
  ASSERT_EQ(WithData.SeriesCount(), 1);
  EXPECT_EQ(WithData.GetSeries(0)->Count(), 5);
  TChart WithoutData(nullptr);
  Load(WithoutData, Save(Chart, false));
  EXPECT_EQ(WithoutData.GetSeries(0)->Count(), 0);
  // The series' own setting is what it was before the saves.
  EXPECT_TRUE(Series->GetDontSaveData());
  EXPECT_FALSE(Series->GetForceSaveData());
}

// Older files put the points after the chart, series after series.
TEST_F(NativeChartStreamTest, PointsAfterTheChartGoIntoItsSeriesInOrder) {
  TChartSeries* First = CreateNewSeries(&Form, &Chart, KorSeriesTypes().Get(0)->SeriesClassRef);
  TChartSeries* Second = CreateNewSeries(&Form, &Chart, KorSeriesTypes().Get(0)->SeriesClassRef);
  First->FillSampleValues(3);
  Second->FillSampleValues(5);
  TMemoryStream Stream;
  SaveChartToStream(Chart, Stream, false, false);
  First->WriteData(Stream);
  Second->WriteData(Stream);
  TChart Copy(nullptr);
  Load(Copy, Stream.Bytes());
  ASSERT_EQ(Copy.SeriesCount(), 2);
  EXPECT_EQ(Copy.GetSeries(0)->Count(), 3);
  EXPECT_EQ(Copy.GetSeries(1)->Count(), 5);
  EXPECT_EQ(Copy.GetSeries(1)->GetYValues().GetValue(4), Second->GetYValues().GetValue(4));
}

// Found by fuzzing: points read before the file set their list's order
// kept the file's order, but the saved file sets the order first, so a
// second load sorted them.
TEST_F(NativeChartStreamTest, PointsTakeTheOrderTheFileSetsAfterThemAsWellAsBefore) {
  TMemoryStream Points;
  Points.WriteUInt8(tfNoMandatory);
  Points.WriteInt32(3);
  for (const double X : {3.0, 1.0, 2.0}) {
    Points.WriteDouble(X);
    Points.WriteDouble(10 * X);
  }
  const QByteArray Data = Points.Bytes().toHex().toUpper();
  auto File = [&Data](const QByteArray& Before, const QByteArray& After) {
    return "object TChart\n  object Series1: TLineSeries\n" + Before + "    Data = {\n      " +
           Data + "}\n" + After + "  end\nend\n";
  };
  const QByteArray Ascending = "    XValues.Order = loAscending\n";
  const QByteArray None = "    XValues.Order = loNone\n";
  for (const QByteArray& Text : {File(None, Ascending), File(Ascending, ""), File("", None)}) {
    QStringList Problems;
    TChart Loaded(nullptr);
    Load(Loaded, Text, [&Problems](const QString& M) {
      Problems << M;
      return true;
    });
    EXPECT_TRUE(Problems.isEmpty()) << Problems.join('\n').toStdString();
    ASSERT_EQ(Loaded.SeriesCount(), 1);
    const TChartValueList& X = Loaded.GetSeries(0)->GetXValues();
    ASSERT_EQ(Loaded.GetSeries(0)->Count(), 3);
    const bool Sorted = X.GetOrder() == loAscending;
    EXPECT_EQ(X.GetValue(0), Sorted ? 1.0 : 3.0) << Text.toStdString();
    EXPECT_EQ(X.GetValue(2), Sorted ? 3.0 : 2.0) << Text.toStdString();
    EXPECT_EQ(Loaded.GetSeries(0)->GetYValues().GetValue(0), 10 * X.GetValue(0));
    const QByteArray Once = Save(Loaded);
    TChart Again(nullptr);
    Load(Again, Once);
    EXPECT_EQ(Save(Again), Once) << Text.toStdString();
  }
  // Points of a damaged stream are still reported as the property is read.
  QStringList Problems;
  TChart Short(nullptr);
  Load(Short, File("", "").replace(Data, Data.left(Data.size() - 6)),
       [&Problems](const QString& M) {
         Problems << M;
         return true;
       });
  EXPECT_EQ(Problems.size(), 1);
  ASSERT_EQ(Short.SeriesCount(), 1);
  EXPECT_EQ(Short.GetSeries(0)->Count(), 2);
}

TEST_F(NativeChartStreamTest, ForeignEmptyAndBrokenStreamsAreRefusedAndTheChartPaintsAgain) {
  auto Message = [this](const QByteArray& Bytes) {
    try {
      Load(Chart, Bytes);
    } catch (const Exception& E) {
      EXPECT_TRUE(Chart.GetAutoRepaint());
      return E.Message();
    }
    return QStringLiteral("no error");
  };
  EXPECT_EQ(Message(QByteArray()), QStringLiteral("Empty *.kor file"));
  EXPECT_EQ(Message("PK\x03\x04"), QStringLiteral("Wrong *.kor file format"));
  const QByteArray Good = Save(Chart);
  EXPECT_NE(Message(Good.left(Good.size() - 3)), QStringLiteral("no error"));
  EXPECT_NE(Message("object TChart\n  Title.Text.Strings = ("), QStringLiteral("no error"));
  TChart Fine(nullptr);
  EXPECT_NO_THROW(Load(Fine, "Object TChart\nend\n"));
  EXPECT_NO_THROW(Load(Fine, "object TChart\n  OnClick = FormClick\n  View3D = False\nend\n"));
  EXPECT_FALSE(Fine.GetView3D());
}

// A series that fails part-way is freed with the function it already
// read; nothing of either may be touched afterwards.
TEST_F(NativeChartStreamTest, StreamsCutAnywhereLoadOrFailCleanly) {
  TChartSeries* Source = CreateNewSeries(&Form, &Chart, KorSeriesTypes().Get(0)->SeriesClassRef);
  Source->FillSampleValues(3);
  for (int I = 0; I < KorSeriesTypes().Count(); ++I)
    if (const TKorSeriesType* Type = KorSeriesTypes().Get(I); Type->FunctionClassRef) {
      CreateNewSeries(&Form, &Chart, ClassOfInstance<TChartSeries>(*Source), Type->FunctionClassRef)
          ->SetDataSource(Source);
      break;
    }
  const QByteArray Good = Save(Chart);
  for (int Cut = 4; Cut < Good.size(); ++Cut) {
    TChart Target(nullptr);
    try {
      Load(Target, Good.left(Cut));
    } catch (const Exception&) {
    }
    EXPECT_TRUE(Target.GetAutoRepaint());
  }
}

// A child its parent does not take would be owned by the chart but shown
// nowhere (and other series could take it as their source).
TEST_F(NativeChartStreamTest, AChildItsParentRefusesIsDroppedWithAMessage) {
  QStringList Problems;
  TChart Copy(nullptr);
  Load(Copy,
       "object TChart\n  object Series1: TLineSeries\n    object Series2: TBarSeries\n"
       "    end\n  end\nend\n",
       [&Problems](const QString& M) {
         Problems << M;
         return true;
       });
  EXPECT_EQ(Copy.SeriesCount(), 1);
  EXPECT_EQ(Copy.FindComponent("Series2"), nullptr);
  ASSERT_EQ(Problems.size(), 1);
  EXPECT_EQ(Problems[0], QStringLiteral("A TBarSeries cannot be placed in a TLineSeries"));
}

TEST_F(NativeChartStreamTest, ANullChartIsMadeFromTheClassTheStreamNames) {
  TChartChart Source(nullptr);
  Source.SetView3D(false);
  TMemoryStream Stream(Save(Source));
  TCustomChart* Made = nullptr;
  LoadChartFromStream(Made, Stream);
  ASSERT_NE(Made, nullptr);
  std::unique_ptr<TCustomChart> Owned(Made);
  EXPECT_EQ(Made->ClassName(), QStringLiteral("TChartChart"));
  EXPECT_FALSE(Made->GetView3D());
}

TEST_F(NativeChartStreamTest, FilesGetTheNativeExtensionAndConvertBothWays) {
  EXPECT_EQ(KorCheckExtension("run/chart"), QStringLiteral("run/chart.kor"));
  EXPECT_EQ(KorCheckExtension("run/chart.txt"), QStringLiteral("run/chart.txt"));
  QTemporaryDir Dir;
  const QString Base = Dir.filePath("chart");
  FillWithEverything();
  SaveChartToFile(Chart, Base, true, false);
  ConvertKorFileToText(Base + ".kor", Base + ".txt");
  ConvertKorFileToBinary(Base + ".txt", Base + ".bin");
  QFile Binary(Base + ".bin");
  ASSERT_TRUE(Binary.open(QIODevice::ReadOnly));
  EXPECT_EQ(Binary.readAll(), Save(Chart));
  TCustomChart* Target = &Chart;
  EXPECT_NO_THROW(LoadChartFromFile(Target, Base + ".txt"));
  EXPECT_THROW(ConvertKorFileToText(Dir.filePath("missing.kor"), Base + ".x"), Exception);
}

}  // namespace
