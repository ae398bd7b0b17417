#include "chart/core/KorSeriesData.h"

#include "chart/core/TChartAxis.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TLabelsList.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"

#include "platform/ModalHooks.h"
#include "platform/TStream.h"
#include "tests/chart/core/TestCharts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

namespace {

// A series type with Further value lists after X and Y; a horizontal one
// has X mandatory and keeps its points in the order they are added.
class TShapeSeries : public TChartSeries {
 public:
  TShapeSeries(bool Horizontal, int Further) : TChartSeries(nullptr) {
    for (int L = 0; L < Further; ++L)
      new TChartValueList(this, QStringLiteral("V%1").arg(L + 2));  // owned by the series
    if (Horizontal) {
      SetHorizontal();
      GetXValues().SetOrder(loNone);
    }
  }
};

// One shape of series content: which optional parts of a point record the
// stream has to carry.
struct TShape {
  const char* Name;
  bool Horizontal = false;
  bool NotMandatory = false;  // non-mandatory values other than 0, 1, 2, ...
  bool Colours = false;
  bool Nulls = false;
  bool Labels = false;
  int Further = 0;
  bool Marks = false;
};

void PrintTo(const TShape& Shape, std::ostream* Out) {
  *Out << Shape.Name;
}

constexpr int ShapePoints = 4;

QString ShapeLabel(int Index) {
  switch (Index) {
    case 1: return QString(255, QLatin1Char('m'));
    case 2: return QString(300, QLatin1Char('l'));
    case 3: return QStringLiteral("\u00b5m \u00e9 \u00c5");  // single-byte text
    default: return QString();
  }
}

TSeriesMarkPosition MarkPosition(int Seed, bool Custom) {
  TSeriesMarkPosition P;
  P.ArrowFrom = TPoint(Seed, -Seed);
  P.ArrowFix = Seed % 2 == 0;
  P.ArrowTo = TPoint(Seed + 1, 70000 + Seed);
  P.Custom = Custom;
  P.Height = 12 + Seed;
  P.LeftTop = TPoint(-3 * Seed, 4 * Seed);
  P.Width = 40 + Seed;
  return P;
}

void FillShape(TChartSeries& S, const TShape& Shape) {
  for (int I = 0; I < ShapePoints; ++I) {
    const double NotMandatory = Shape.NotMandatory ? I * 2.5 - 1 : I;
    const double Mandatory = 100 - 7.25 * I;
    TColor Colour = clDefault;
    if (Shape.Colours && I != 1) Colour = static_cast<TColor>(0x102030 * (I + 1));
    if (Shape.Nulls && I == 2) Colour = clNone;
    const TChartValueLists& Lists = S.GetValuesList();
    for (int L = 2; L < Lists.Count(); ++L) Lists.Get(L)->SetTempValue(L * 1000 + I + 0.125);
    const QString Label = Shape.Labels ? ShapeLabel(I) : QString();
    if (S.GetYMandatory())
      S.AddXY(NotMandatory, Mandatory, Label, Colour);
    else
      S.AddXY(Mandatory, NotMandatory, Label, Colour);
  }
  if (Shape.Marks) {
    // Point 1 was moved by the user, point 3 was drawn, 0 and 2 never were.
    S.GetMarks().GetPositions().Put(1, MarkPosition(5, true));
    S.GetMarks().GetPositions().Ensure(3) = MarkPosition(9, false);
  }
}

int LabelBytes(int Index) {
  return std::min<int>(static_cast<int>(ShapeLabel(Index).toLatin1().size()), 255);
}

// Bytes of each point record of a shape, as the layout defines them.
std::vector<int> RecordSizes(const TShape& Shape) {
  std::vector<int> Sizes;
  for (int I = 0; I < ShapePoints; ++I) {
    int Size = Shape.NotMandatory ? 16 : 8;
    if (Shape.Colours || Shape.Nulls) Size += 4;
    if (Shape.Labels) Size += 1 + LabelBytes(I);
    Size += 8 * Shape.Further;
    if (Shape.Marks) Size += 34;  // three points, two flags, two sizes
    Sizes.push_back(Size);
  }
  return Sizes;
}

int ExpectedFlags(const TShape& Shape) {
  return (Shape.NotMandatory ? tfNoMandatory : 0) | (Shape.Colours || Shape.Nulls ? tfColor : 0) |
         (Shape.Labels ? tfLabel : 0) | (Shape.Marks ? tfMarkPosition : 0);
}

QByteArray Written(const TChartSeries& S) {
  TMemoryStream Stream;
  WriteSeriesData(S, Stream);
  return Stream.Bytes();
}

void Read(TChartSeries& S, const QByteArray& Bytes) {
  TMemoryStream Stream(Bytes);
  ReadSeriesData(S, Stream);
}

void AppendInt32(QByteArray& Bytes, std::int32_t Value) {
  const std::int32_t Little = qToLittleEndian(Value);
  Bytes.append(reinterpret_cast<const char*>(&Little), sizeof Little);
}

void AppendDouble(QByteArray& Bytes, double Value) {
  quint64 Bits = 0;
  std::memcpy(&Bits, &Value, sizeof Bits);
  Bits = qToLittleEndian(Bits);
  Bytes.append(reinterpret_cast<const char*>(&Bits), sizeof Bits);
}

QByteArray Header(int Flags, std::int32_t Count) {
  QByteArray Bytes(1, static_cast<char>(Flags));
  AppendInt32(Bytes, Count);
  return Bytes;
}

void ExpectSamePosition(const TSeriesMarkPosition& A, const TSeriesMarkPosition& B) {
  EXPECT_EQ(A.ArrowFrom, B.ArrowFrom);
  EXPECT_EQ(A.ArrowFix, B.ArrowFix);
  EXPECT_EQ(A.ArrowTo, B.ArrowTo);
  EXPECT_EQ(A.Custom, B.Custom);
  EXPECT_EQ(A.Height, B.Height);
  EXPECT_EQ(A.LeftTop, B.LeftTop);
  EXPECT_EQ(A.Width, B.Width);
}

// Point Index of Read is point Index of Source, labels cut to one length
// byte and mark positions that were never placed written as zeros.
void ExpectSamePoint(const TChartSeries& Source, const TChartSeries& Read, int Index) {
  SCOPED_TRACE(Index);
  EXPECT_EQ(Read.GetxValue(Index), Source.GetxValue(Index));
  EXPECT_EQ(Read.GetyValue(Index), Source.GetyValue(Index));
  EXPECT_EQ(Read.GetOwnColor(Index), Source.GetOwnColor(Index));
  EXPECT_EQ(Read.IsNull(Index), Source.IsNull(Index));
  EXPECT_EQ(Read.GetXLabel(Index), Source.GetXLabel(Index).left(255));
  const TChartValueLists& Lists = Source.GetValuesList();
  ASSERT_EQ(Read.GetValuesList().Count(), Lists.Count());
  for (int L = 2; L < Lists.Count(); ++L)
    EXPECT_EQ(Read.GetValuesList().Get(L)->GetValue(Index), Lists.Get(L)->GetValue(Index));
  const TSeriesMarksPositions& Stored = Source.GetMarks().GetPositions();
  if (!Stored.ExistCustom()) return;
  const TSeriesMarkPosition* Expected = Stored.Get(Index);
  const TSeriesMarkPosition* Got = Read.GetMarks().GetPositions().Get(Index);
  ASSERT_NE(Got, nullptr);
  ExpectSamePosition(*Got, Expected != nullptr ? *Expected : TSeriesMarkPosition());
}

class KorSeriesDataTest : public ::testing::Test {
 protected:
  TChartSeries Series{nullptr};
};

// -- the layout

TEST_F(KorSeriesDataTest, ThreePlainPointsAreTwentyNineBytesOfYValues) {
  Series.AddArray({5, 6, 7});
  QByteArray Expected = Header(0, 3);
  for (double Y : {5.0, 6.0, 7.0}) AppendDouble(Expected, Y);
  EXPECT_EQ(Written(Series), Expected);
  EXPECT_EQ(Expected.size(), 29);
}

TEST_F(KorSeriesDataTest, XValuesThatAreNotASequenceAreStoredBeforeEachY) {
  Series.AddXY(0, 5);
  Series.AddXY(1, 6);
  Series.AddXY(5, 7);
  QByteArray Expected = Header(tfNoMandatory, 3);
  for (const auto& [X, Y] : {std::pair(0.0, 5.0), std::pair(1.0, 6.0), std::pair(5.0, 7.0)}) {
    AppendDouble(Expected, X);
    AppendDouble(Expected, Y);
  }
  EXPECT_EQ(Written(Series), Expected);
}

TEST_F(KorSeriesDataTest, AHorizontalSeriesStoresYAsTheNonMandatoryValue) {
  TShapeSeries Bars(true, 0);
  Bars.AddXY(3, 10);
  Bars.AddXY(1, 20);
  QByteArray Expected = Header(tfNoMandatory, 2);
  AppendDouble(Expected, 10);
  AppendDouble(Expected, 3);
  AppendDouble(Expected, 20);
  AppendDouble(Expected, 1);
  EXPECT_EQ(Written(Bars), Expected);

  TShapeSeries Back(true, 0);
  Read(Back, Expected);
  ASSERT_EQ(Back.Count(), 2);
  EXPECT_EQ(Back.GetyValue(0), 10);
  EXPECT_EQ(Back.GetxValue(0), 3);
  EXPECT_EQ(Back.GetyValue(1), 20);
}

// The length of a label is one byte: a longer label is cut at 255
// characters instead of keeping only the low bits of its length.
TEST_F(KorSeriesDataTest, LabelsAreLengthPrefixedAndCutAt255Characters) {
  Series.Add(1, QString(300, QLatin1Char('x')));
  Series.Add(2, QString());
  Series.Add(3, QString(255, QLatin1Char('y')));
  const QByteArray Bytes = Written(Series);
  ASSERT_EQ(Bytes.at(0), tfLabel);
  EXPECT_EQ(static_cast<unsigned char>(Bytes.at(5 + 8)), 255);
  EXPECT_EQ(Bytes.size(), 5 + 3 * 9 + 255 + 0 + 255);

  TChartSeries Back(nullptr);
  Read(Back, Bytes);
  EXPECT_EQ(Back.GetXLabel(0), QString(255, QLatin1Char('x')));
  EXPECT_EQ(Back.GetXLabel(1), QString());
  EXPECT_EQ(Back.GetXLabel(2), QString(255, QLatin1Char('y')));
  EXPECT_EQ(Back.GetyValue(2), 3);
}

// Looking only at the first points would lose labels, colours and X
// values that appear later in the series when it is saved.
TEST_F(KorSeriesDataTest, TheFlagsLookAtEveryPoint) {
  for (int I = 0; I < 200; ++I) Series.Add(I, I == 150 ? QStringLiteral("late") : QString());
  EXPECT_EQ(SeriesGuessContents(Series), tfLabel);

  TChartSeries Long(nullptr);
  Long.BeginUpdate();
  for (int I = 0; I < 10010; ++I) Long.AddXY(I == 10005 ? 10005.5 : I, 1);
  Long.EndUpdate();
  EXPECT_EQ(SeriesGuessContents(Long), tfNoMandatory);
  Long.SetValueColor(10007, clRed);
  EXPECT_EQ(SeriesGuessContents(Long), tfNoMandatory | tfColor);

  TChartSeries Back(nullptr);
  Read(Back, Written(Long));
  EXPECT_EQ(Back.GetxValue(10005), 10005.5);
  EXPECT_EQ(Back.GetOwnColor(10007), clRed);
}

TEST_F(KorSeriesDataTest, ColoursOfTheSeriesItselfAreNotStored) {
  Series.SetSeriesColor(clGreen);
  Series.Add(1, QString(), clGreen);
  Series.Add(2);
  EXPECT_EQ(SeriesGuessContents(Series), 0);
  Series.AddNull(3);
  EXPECT_EQ(SeriesGuessContents(Series), tfColor);
}

// -- round trips of every shape

class KorSeriesDataShapeTest : public ::testing::TestWithParam<TShape> {};

TEST_P(KorSeriesDataShapeTest, PointsComeBackAsTheyWereWritten) {
  const TShape& Shape = GetParam();
  TShapeSeries Source(Shape.Horizontal, Shape.Further);
  FillShape(Source, Shape);
  const QByteArray Bytes = Written(Source);
  ASSERT_EQ(static_cast<unsigned char>(Bytes.at(0)), ExpectedFlags(Shape));
  const std::vector<int> Sizes = RecordSizes(Shape);
  int Total = 5;
  for (int Size : Sizes) Total += Size;
  EXPECT_EQ(Bytes.size(), Total);

  TShapeSeries Back(Shape.Horizontal, Shape.Further);
  Back.AddArray({9, 9});  // replaced
  Read(Back, Bytes);
  ASSERT_EQ(Back.Count(), ShapePoints);
  for (int I = 0; I < ShapePoints; ++I) ExpectSamePoint(Source, Back, I);
  EXPECT_EQ(Back.GetMarks().GetPositions().Count(), Shape.Marks ? ShapePoints : 0);
  EXPECT_TRUE(Back.GetManualData());
  EXPECT_EQ(Back.GetUpdateCount(), 0);
  EXPECT_EQ(Written(Back), Bytes);
}

// A stream cut anywhere keeps the points whose records are whole, closes
// the update bracket and reports the read error.
TEST_P(KorSeriesDataShapeTest, ACutStreamKeepsTheWholePointsAndRaisesTheReadError) {
  const TShape& Shape = GetParam();
  TShapeSeries Source(Shape.Horizontal, Shape.Further);
  FillShape(Source, Shape);
  const QByteArray Bytes = Written(Source);
  const std::vector<int> Sizes = RecordSizes(Shape);
  for (int Length = 0; Length < Bytes.size(); ++Length) {
    SCOPED_TRACE(Length);
    int Whole = 0;
    for (int End = 5; Whole < ShapePoints && End + Sizes[Whole] <= Length; ++Whole)
      End += Sizes[Whole];
    TShapeSeries Back(Shape.Horizontal, Shape.Further);
    Back.AddArray({9, 9, 9});
    int Added = 0;
    Back.OnAfterAdd = [&Added](TChartSeries*, int) { ++Added; };
    EXPECT_THROW(Read(Back, Bytes.left(Length)), EReadError);
    EXPECT_EQ(Back.GetUpdateCount(), 0);
    EXPECT_EQ(Added, 0);  // the points joined inside the bracket
    ASSERT_EQ(Back.Count(), Whole);
    for (int L = 0; L < Back.GetValuesList().Count(); ++L)
      EXPECT_EQ(Back.GetValuesList().Get(L)->Count(), Whole);
    for (int I = 0; I < Whole; ++I) ExpectSamePoint(Source, Back, I);
    EXPECT_EQ(Back.GetMarks().GetPositions().Count(), Shape.Marks ? Whole : 0);
    EXPECT_TRUE(Back.GetManualData());
  }
}

const TShape Shapes[] = {
    {"Plain"},
    {"NotMandatory", false, true},
    {"Colours", false, false, true},
    {"NullPoints", false, false, false, true},
    {"Labels", false, false, false, false, true},
    {"FurtherLists", false, false, false, false, false, 2},
    {"MarkPositions", false, false, false, false, false, 0, true},
    {"Horizontal", true, true},
    {"HorizontalSequence", true, false, false, false, false, 1},
    {"Everything", false, true, true, true, true, 2, true},
    {"HorizontalEverything", true, true, true, true, true, 1, true},
};

INSTANTIATE_TEST_SUITE_P(Shapes, KorSeriesDataShapeTest, ::testing::ValuesIn(Shapes),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// -- damaged streams

TEST_F(KorSeriesDataTest, ANegativeCountIsNoPoints) {
  Series.AddArray({1, 2});
  QByteArray Bytes = Header(0, -5);
  AppendDouble(Bytes, 4);
  Read(Series, Bytes);
  EXPECT_EQ(Series.Count(), 0);
  EXPECT_TRUE(Series.GetManualData());
}

TEST_F(KorSeriesDataTest, CountsAndLengthsBeyondTheStreamKeepWhatItHolds) {
  QByteArray Huge = Header(0, 0x7FFFFFFF);
  AppendDouble(Huge, 4);
  AppendDouble(Huge, 5);
  EXPECT_THROW(Read(Series, Huge), EReadError);
  EXPECT_EQ(Series.Count(), 2);
  EXPECT_EQ(Series.GetyValue(1), 5);

  QByteArray Label = Header(tfLabel, 2);
  AppendDouble(Label, 4);
  Label.append('\x02').append("ok");
  AppendDouble(Label, 5);
  Label.append('\xC8').append("abc");  // 200 bytes announced
  EXPECT_THROW(Read(Series, Label), EReadError);
  ASSERT_EQ(Series.Count(), 1);
  EXPECT_EQ(Series.GetXLabel(0), QStringLiteral("ok"));
  EXPECT_EQ(Series.GetUpdateCount(), 0);
}

// -- mark positions

// A point refused by OnBeforeAdd takes no position, so the positions of the
// points after it stay with their points.
TEST_F(KorSeriesDataTest, ARefusedPointTakesNoMarkPosition) {
  TShape Marks{"Marks"};
  Marks.Marks = true;
  FillShape(Series, Marks);
  int Offered = 0;
  TChartSeries Back(nullptr);
  Back.OnBeforeAdd = [&Offered](TChartSeries*) { return Offered++ != 0; };
  Read(Back, Written(Series));
  ASSERT_EQ(Back.Count(), ShapePoints - 1);
  ASSERT_EQ(Back.GetMarks().GetPositions().Count(), ShapePoints - 1);
  ExpectSamePosition(*Back.GetMarks().GetPositions().Get(0), MarkPosition(5, true));
}

// -- the stream-only properties

TEST_F(KorSeriesDataTest, DataIsStoredForManualOrForcedPoints) {
  const TPublishedProperty* Data = Series.Properties().Find(QStringLiteral("Data"));
  ASSERT_NE(Data, nullptr);
  EXPECT_EQ(Data->Kind, TPropertyKind::pkBinary);
  Series.AddArray({1, 2});
  EXPECT_FALSE(Data->IsStored(Series));  // points of sample values or a source
  Series.SetManualData(true);
  EXPECT_TRUE(Data->IsStored(Series));
  Series.SetDontSaveData(true);
  EXPECT_FALSE(Data->IsStored(Series));
  Series.SetForceSaveData(true);
  EXPECT_TRUE(Data->IsStored(Series));
}

TEST_F(KorSeriesDataTest, DataPropertyCarriesThePointsAndItsReadErrors) {
  Series.AddXY(0, 5, QStringLiteral("a"));
  Series.AddXY(3, 6);
  TPropertyValue Value;
  ASSERT_TRUE(GetPropertyValue(Series, QStringLiteral("Data"), Value));
  const QByteArray Bytes = std::get<QByteArray>(Value);
  EXPECT_EQ(Bytes, Written(Series));

  TChartSeries Back(nullptr);
  EXPECT_TRUE(SetPropertyValue(Back, QStringLiteral("data"), Bytes));
  EXPECT_EQ(Back.Count(), 2);
  EXPECT_EQ(Back.GetxValue(1), 3);
  EXPECT_TRUE(Back.GetManualData());
  EXPECT_THROW(SetPropertyValue(Back, QStringLiteral("Data"), Bytes.left(Bytes.size() - 1)),
               EReadError);
  EXPECT_EQ(Back.Count(), 1);
}

TEST_F(KorSeriesDataTest, DataSourcesAreStoredByNameWhenThereAreSeveral) {
  TChartSeries A(nullptr);
  TChartSeries B(nullptr);
  A.SetName("Scan");
  B.SetName("Fit");
  const TPublishedProperty* Sources = Series.Properties().Find(QStringLiteral("DataSources"));
  ASSERT_NE(Sources, nullptr);
  Series.GetDataSources().Add(&A);
  EXPECT_FALSE(Sources->IsStored(Series));
  Series.GetDataSources().Add(&B);
  EXPECT_TRUE(Sources->IsStored(Series));
  TPropertyValue Value;
  ASSERT_TRUE(GetPropertyValue(Series, QStringLiteral("DataSources"), Value));
  EXPECT_EQ(std::get<QStringList>(Value), QStringList({"Scan", "Fit"}));

  // Read names wait for the owner's components to exist.
  TChartSeries Loading(nullptr);
  EXPECT_TRUE(SetPropertyValue(Loading, QStringLiteral("DataSources"), QStringList({"Fit"})));
  EXPECT_EQ(Loading.GetDataSourceNames(), QStringList({"Fit"}));
  EXPECT_EQ(Loading.GetDataSources().Count(), 0);
  Series.GetDataSources().Clear();
}

TEST_F(KorSeriesDataTest, DataSourceIsStoredByNameAndResolvedOnceLoadingEnds) {
  TComponent Form(nullptr);
  auto* Target = new TChartSeries(&Form);
  auto* Scan = new TChartSeries(&Form);
  Scan->SetName("Scan");
  const TPublishedProperty* Source = Target->Properties().Find(QStringLiteral("DataSource"));
  ASSERT_NE(Source, nullptr);
  EXPECT_EQ(Source->Kind, TPropertyKind::pkComponent);
  EXPECT_FALSE(Source->IsStored(*Target));
  // Outside a read the name is looked up at once.
  EXPECT_TRUE(SetPropertyValue(*Target, QStringLiteral("DataSource"), QStringLiteral("Scan")));
  EXPECT_EQ(Target->GetDataSource(), Scan);
  EXPECT_TRUE(Source->IsStored(*Target));
  EXPECT_EQ(std::get<QString>(Source->Get(*Target)), QStringLiteral("Scan"));
  EXPECT_TRUE(SetPropertyValue(*Target, QStringLiteral("DataSource"), QString()));
  EXPECT_EQ(Target->GetDataSource(), nullptr);

  // While loading, the first source and the full list wait for Loaded,
  // whichever of the two is read first; the pending name is still written.
  for (bool ListFirst : {false, true}) {
    auto* Loading = new TChartSeries(&Form);
    Loading->SetStateFlag(TComponent::csLoading, true);
    const QStringList All{QStringLiteral("Fit"), QStringLiteral("Scan")};
    if (ListFirst) SetPropertyValue(*Loading, QStringLiteral("DataSources"), All);
    EXPECT_TRUE(SetPropertyValue(*Loading, QStringLiteral("DataSource"), QStringLiteral("Fit")));
    if (!ListFirst) SetPropertyValue(*Loading, QStringLiteral("DataSources"), All);
    EXPECT_EQ(Loading->GetDataSources().Count(), 0);
    EXPECT_EQ(std::get<QString>(Source->Get(*Loading)), QStringLiteral("Fit"));
    auto* Fit = new TChartSeries(&Form);
    Fit->SetName("Fit");
    Loading->Loaded();
    ASSERT_EQ(Loading->GetDataSources().Count(), 2) << ListFirst;
    EXPECT_EQ(Loading->GetDataSources().Get(0), Fit);
    EXPECT_EQ(Loading->GetDataSources().Get(1), Scan);
    EXPECT_TRUE(Loading->GetDataSourceNames().isEmpty());
    delete Loading;
    delete Fit;
  }
}

TEST_F(KorSeriesDataTest, CustomAxesAreStoredByIndexAndUnknownIndexesIgnored) {
  TTestChart Chart;
  TChartAxis* First = Chart.GetCustomAxes().Add();
  TChartAxis* Second = Chart.GetCustomAxes().Add();
  TChartSeries Placed(nullptr);  // freed before the chart
  Chart.AddSeries(&Placed);
  const TPublishedProperty* Vert = Placed.Properties().Find(QStringLiteral("CustomVertAxis"));
  ASSERT_NE(Vert, nullptr);
  EXPECT_FALSE(Vert->IsStored(Placed));

  EXPECT_TRUE(SetPropertyValue(Placed, QStringLiteral("CustomVertAxis"), 1));
  EXPECT_EQ(Placed.GetCustomVertAxis(), Second);
  EXPECT_TRUE(Vert->IsStored(Placed));
  TPropertyValue Value;
  ASSERT_TRUE(GetPropertyValue(Placed, QStringLiteral("CustomVertAxis"), Value));
  EXPECT_EQ(std::get<int>(Value), 1);

  for (int Bad : {2, -1, 1000000}) {
    EXPECT_TRUE(SetPropertyValue(Placed, QStringLiteral("CustomVertAxis"), Bad));
    EXPECT_TRUE(SetPropertyValue(Placed, QStringLiteral("CustomHorizAxis"), Bad));
  }
  EXPECT_EQ(Placed.GetCustomVertAxis(), Second);
  EXPECT_EQ(Placed.GetCustomHorizAxis(), nullptr);
  EXPECT_TRUE(SetPropertyValue(Placed, QStringLiteral("CustomHorizAxis"), 0));
  EXPECT_EQ(Placed.GetCustomHorizAxis(), First);

  EXPECT_TRUE(SetPropertyValue(Series, QStringLiteral("CustomHorizAxis"), 0));  // no chart
  EXPECT_EQ(Series.GetCustomHorizAxis(), nullptr);
}

// -- a property old streams wrote

TEST_F(KorSeriesDataTest, AnObsoleteMultiplierOtherThanOneIsReportedAndIgnored) {
  std::vector<TMessageDialogRequest> Shown;
  TMessageDialogHook Previous = SetMessageDialogHook([&Shown](const TMessageDialogRequest& R) {
    Shown.push_back(R);
    return static_cast<int>(mrOk);
  });
  TChartValueList& Y = Series.GetYValues();
  EXPECT_TRUE(SetPropertyValue(Y, QStringLiteral("Multiplier"), 1.0));
  EXPECT_TRUE(SetPropertyValue(Y, QStringLiteral("multiplier"), 1));
  EXPECT_TRUE(Shown.empty());
  EXPECT_TRUE(SetPropertyValue(Y, QStringLiteral("Multiplier"), 2.5));
  EXPECT_TRUE(SetPropertyValue(Y, QStringLiteral("Multiplier"), 0));
  EXPECT_FALSE(SetPropertyValue(Y, QStringLiteral("Divisor"), 2.5));
  SetMessageDialogHook(Previous);
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0].Text, QStringLiteral("Error: Multiplier property is obsolete.\r"
                                          "Modify KorDefs (enable Multiplier) and recompile."));
  EXPECT_EQ(Shown[0].DlgType, TMsgDlgType::mtError);
  TPropertyValue Value;
  EXPECT_FALSE(GetPropertyValue(Y, QStringLiteral("Multiplier"), Value));  // never written
}

}  // namespace
