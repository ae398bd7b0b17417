#include "chart/core/TChartAxis.h"

#include "TestCharts.h"
#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TAxisGridPen.h"
#include "chart/core/TAxisItem.h"
#include "chart/core/TAxisItems.h"
#include "chart/core/TChartAxisPen.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TView3DOptions.h"

#include "platform/FormatSettings.h"
#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TDateTime.h"
#include "platform/TFont.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct TTextCall {
  QString Text;
  int X;
  int Y;
  int Align;
  int Angle;
};

struct TLineCall {
  int X0;
  int Y0;
  int X1;
  int Y1;
  TColor Color;
};

// A surface with fixed text metrics (5 pixels a character, 10 a line)
// that records the texts, lines and solids drawn on it; everything is
// drawn in device pixels of the projection.
class TAxisCanvas : public TKorCanvas3D {
 public:
  using TKorCanvas3D::Cube;
  using TKorCanvas3D::Polygon;
  using TKorCanvas3D::Rectangle;

  static constexpr int CharWidth = 5;
  static constexpr int LineHeight = 10;

  explicit TAxisCanvas(TCanvas* Target) : TKorCanvas3D(Target) {}

  int TextWidth(const QString& Text) const override {
    return CharWidth * static_cast<int>(Text.size());
  }
  int TextHeight(const QString&) const override { return LineHeight; }
  void TextOut(int X, int Y, const QString& Text) override {
    Texts.push_back({Text, X, Y, GetTextAlign(), GetFont().GetOrientation() / 10});
  }
  void MoveTo(int X, int Y) override { FPos = TPoint(X, Y); }
  void LineTo(int X, int Y) override {
    if (GetPen().GetStyle() != psClear)
      Lines.push_back({FPos.X, FPos.Y, X, Y, GetPen().GetColor()});
    FPos = TPoint(X, Y);
  }
  void Rectangle(int X0, int Y0, int X1, int Y1) override {
    Shapes.push_back(TRect(X0, Y0, X1, Y1));
  }
  void Polygon(const TPoint* Points, int HighIndex) override {
    Shapes.push_back(RectFromPolygon(Points, HighIndex + 1));
  }
  void Cube(int Left, int Right, int Top, int Bottom, int, int, bool) override {
    Solids.push_back("Cube " + Box(Left, Top, Right, Bottom));
  }
  void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int, int, bool) override {
    Solids.push_back(std::string(Vertical ? "Upright " : "Lying ") + Box(Left, Top, Right, Bottom));
  }

  QStringList TextsOnly() const {
    QStringList L;
    for (const TTextCall& T : Texts) L << T.Text;
    return L;
  }
  void Clear() {
    Texts.clear();
    Lines.clear();
    Shapes.clear();
    Solids.clear();
  }

  std::vector<TTextCall> Texts;
  std::vector<TLineCall> Lines;
  std::vector<TRect> Shapes;
  std::vector<std::string> Solids;

 private:
  static std::string Box(int L, int T, int R, int B) {
    return std::to_string(L) + "," + std::to_string(T) + "," + std::to_string(R) + "," +
           std::to_string(B);
  }
  TPoint FPos;
};

// The chart rectangle is (50, 10, 550, 310): the bottom axis spans pixels
// 50 .. 550 at y 310, the left axis 10 .. 310 at x 50. One series binds
// the bottom and left axes.
class TChartAxisDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetFormatSettings(FormatSettings::English());
    auto Surface = std::make_unique<TAxisCanvas>(&Target.GetCanvas());
    Canvas = Surface.get();
    Chart.SetInternalCanvas(std::move(Surface));
    Chart.SetView3D(false);
    Chart.SetChartRect(TRect(50, 10, 550, 310));
    Series = new TChartSeries(&Chart);
    Series->SetParentChart(&Chart);
    Series->AddXY(0, 0);
    Series->AddXY(1, 1);
  }
  void TearDown() override { SetFormatSettings(Saved); }

  // A fixed range over the chart rectangle, labels LabelsGap pixels out.
  void Layout(TChartAxis& Axis, double Min, double Max, double Increment = 0) {
    Axis.SetMinMax(Min, Max);
    Axis.SetIncrement(Increment);
    Axis.AdjustMaxMin();
    Axis.InternalCalcPositions();
    TRect R = Chart.GetPlotRect();
    Axis.CalcRect(R, false);
  }
  // Layout, then the axis drawn alone.
  void DrawAxis(TChartAxis& Axis, double Min, double Max, double Increment = 0) {
    Layout(Axis, Min, Max, Increment);
    Canvas->Clear();
    Axis.Draw(true);
  }
  // The recorded lines drawn across the axis at Pos along it (ticks).
  int LinesAt(const TChartAxis& Axis, int Pos) const {
    int N = 0;
    for (const TLineCall& L : Canvas->Lines)
      if (Axis.GetHorizontal() ? (L.X0 == Pos && L.X1 == Pos) : (L.Y0 == Pos && L.Y1 == Pos)) ++N;
    return N;
  }

  const FormatSettings Saved = CurrentFormatSettings();
  TBitmap Target{600, 400};
  TTestChart Chart;
  TAxisCanvas* Canvas = nullptr;
  TChartSeries* Series = nullptr;
  TChartAxis& Bottom = *Chart.GetBottomAxis();
  TChartAxis& Left = *Chart.GetLeftAxis();
};

// -- which labels

TEST_F(TChartAxisDrawTest, AxisWithoutActiveSeriesDrawsItsLineButNoLabels) {
  TChartAxis& Top = *Chart.GetTopAxis();
  EXPECT_EQ(Top.CalcLabelStyle(), talNone);
  DrawAxis(Top, 0, 10, 1);
  EXPECT_TRUE(Canvas->Texts.empty());
  EXPECT_EQ(Top.GetTickCount(), 0);
  ASSERT_EQ(Canvas->Lines.size(), 1u);
  EXPECT_EQ(Canvas->Lines[0].Y0, 10);
  EXPECT_EQ(Canvas->Lines[0].X0, 50);
  EXPECT_EQ(Canvas->Lines[0].X1, 550);
}

TEST_F(TChartAxisDrawTest, VerticalAxisLabelsRunFromTheTopDown) {
  DrawAxis(Left, 0, 1, 0.25);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"1", "0.75", "0.5", "0.25", "0"}));
  const std::vector<int> Pixels{10, 85, 160, 235, 310};
  EXPECT_EQ(Left.GetTicksPositions(), Pixels);
  for (size_t I = 0; I < Canvas->Texts.size(); ++I) {
    const TTextCall& T = Canvas->Texts[I];
    // Right-aligned beside the ticks, centred on the tick pixel.
    EXPECT_EQ(T.X, Left.GetPosLabels());
    EXPECT_EQ(T.Y, Pixels[I] - TAxisCanvas::LineHeight / 2);
    EXPECT_EQ(T.Align, TA_RIGHT);
  }
}

TEST_F(TChartAxisDrawTest, IncrementsInexactInBinaryKeepTheEndLabels) {
  DrawAxis(Left, 0, 0.3, 0.1);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"0.3", "0.2", "0.1", "0"}));
  DrawAxis(Left, -0.3, 0, 0.1);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"0", "-0.1", "-0.2", "-0.3"}));
}

TEST_F(TChartAxisDrawTest, IncrementGrowsUntilItsWidestLabelFits) {
  // 0 .. 1 over 400 pixels: "0", "0.5" and "1" would allow 0.05, whose
  // labels ("0.05", 20 pixels) would then stand 20 pixels apart.
  Series->Clear();
  for (int I = 0; I <= 50; ++I) Series->AddXY(I * 0.02, 0);  // not an index axis
  Bottom.SetEndPosition(80);
  DrawAxis(Bottom, 0, 1);
  EXPECT_DOUBLE_EQ(Bottom.CalcIncrement(), 0.1);
  ASSERT_EQ(Canvas->Texts.size(), 11u);
  for (size_t I = 1; I < Canvas->Texts.size(); ++I) {
    const int Gap = Canvas->Texts[I - 1].X - Canvas->Texts[I].X;
    const int Half =
        TAxisCanvas::CharWidth *
        static_cast<int>(Canvas->Texts[I - 1].Text.size() + Canvas->Texts[I].Text.size()) / 2;
    EXPECT_GT(Gap, Half) << I;
  }
}

TEST_F(TChartAxisDrawTest, LabelValuesBeyondTheIntegerRangeStayExact) {
  Bottom.SetLabelsSeparation(0);
  DrawAxis(Bottom, 3e10, 3e10 + 2, 1);
  EXPECT_EQ(Canvas->TextsOnly(),
            QStringList({"30,000,000,002", "30,000,000,001", "30,000,000,000"}));
}

TEST_F(TChartAxisDrawTest, TenThousandStepsOrMoreDrawNoLabels) {
  Bottom.SetLabelsSeparation(0);
  DrawAxis(Bottom, 0, 10000, 1);
  EXPECT_TRUE(Canvas->Texts.empty());
  DrawAxis(Bottom, 0, 9999, 1);
  EXPECT_EQ(Canvas->Texts.size(), 10000u);
}

TEST_F(TChartAxisDrawTest, LabelAtTheEndPixelOnlyWithLabelsOnAxis) {
  DrawAxis(Bottom, 0, 10, 5);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"10", "5", "0"}));
  Bottom.SetLabelsOnAxis(false);
  DrawAxis(Bottom, 0, 10, 5);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"5"}));
}

TEST_F(TChartAxisDrawTest, MonthlyDateLabelsFallOnTheFirstOfEachMonth) {
  Series->Clear();
  Series->GetXValues().SetDateTime(true);
  Series->AddXY(EncodeDate(2024, 1, 10), 0);
  Bottom.SetDateTimeFormat(QStringLiteral("yyyy-mm-dd"));
  DrawAxis(Bottom, EncodeDate(2024, 1, 10), EncodeDate(2024, 5, 20), DateTimeStep[dtOneMonth]);
  EXPECT_EQ(Canvas->TextsOnly(),
            QStringList({"2024-05-01", "2024-04-01", "2024-03-01", "2024-02-01"}));
}

TEST_F(TChartAxisDrawTest, ApplicationLabelsUntilStopOrAValueOutside) {
  std::vector<int> Indexes;
  Chart.OnGetNextAxisLabel = [&](TChartAxis*, int Index, double& Value, bool& Stop) {
    Indexes.push_back(Index);
    Stop = false;
    Value = Index == 0 ? 2 : Index == 1 ? 7 : 42;
  };
  DrawAxis(Bottom, 0, 10, 5);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"2", "7"}));
  EXPECT_EQ(Indexes, std::vector<int>({0, 1, 2}));
  // Stopping at once leaves the default labels.
  Chart.OnGetNextAxisLabel = [](TChartAxis*, int, double&, bool& Stop) { Stop = true; };
  DrawAxis(Bottom, 0, 10, 5);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"10", "5", "0"}));
}

TEST_F(TChartAxisDrawTest, LabelTextsPassThroughTheChartsEvent) {
  Chart.OnGetAxisLabel = [](TChartAxis*, TChartSeries* S, int Index, QString& Text) {
    EXPECT_EQ(S, nullptr);
    EXPECT_EQ(Index, -1);
    Text = Text + " s";
  };
  Bottom.SetLabelsMultiLine(true);
  EXPECT_EQ(Bottom.LabelValue(4), QStringLiteral("4") + KorLineSeparator + "s");
  // The room of the labels is the formatted values' only.
  Layout(Bottom, 0, 10, 5);
  const int WithEvent = Bottom.MaxLabelsWidth();
  Chart.OnGetAxisLabel = nullptr;
  EXPECT_EQ(Bottom.MaxLabelsWidth(), WithEvent);
}

TEST_F(TChartAxisDrawTest, LabelRoomHoldsTheWidestLabelNotOnlyTheEnds) {
  Layout(Left, 0, 7, 0.5);
  // "6.5" is wider than "0" and "7"; one blank more.
  EXPECT_EQ(Left.MaxLabelsWidth(), 4 * TAxisCanvas::CharWidth);
}

TEST_F(TChartAxisDrawTest, LogarithmicLabelsArePowersOfTheBase) {
  Left.SetLogarithmic(true);
  DrawAxis(Left, 1, 1000);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"1", "10", "100", "1,000"}));
  EXPECT_EQ(Left.GetTicksPositions(), std::vector<int>({310, 210, 110, 10}));
  // Without a power in the range: steps of the power below.
  DrawAxis(Left, 2, 8);
  ASSERT_GT(Canvas->Texts.size(), 1u);
  EXPECT_EQ(Canvas->TextsOnly().first(), QStringLiteral("2"));
  EXPECT_EQ(Canvas->TextsOnly()[1], QStringLiteral("2.1"));
}

TEST_F(TChartAxisDrawTest, LogarithmicLabelsOfABaseBelowOneEnd) {
  Left.SetLogarithmic(true);
  Left.SetLogarithmicBase(0.5);
  DrawAxis(Left, 1, 100);
  ASSERT_FALSE(Canvas->Texts.empty());
  EXPECT_LT(Canvas->Texts.size(), 100u);
}

TEST_F(TChartAxisDrawTest, LogarithmicLabelsThatWouldMeetAreLeftOut) {
  Left.SetLogarithmic(true);
  DrawAxis(Left, 150, 900);  // steps of 10: far too dense near the top
  ASSERT_GT(Canvas->Texts.size(), 3u);
  for (size_t I = 1; I < Canvas->Texts.size(); ++I)
    EXPECT_GE(Canvas->Texts[I - 1].Y - Canvas->Texts[I].Y, TAxisCanvas::LineHeight);
}

TEST_F(TChartAxisDrawTest, PointLabelsKeepTheirSeparation) {
  // One pixel a unit; labels 40 pixels wide need 80 pixels between their
  // centres with a separation of 100 %.
  Series->Clear();
  Series->AddXY(100, 0, QStringLiteral("ABCDEFGH"));
  Series->AddXY(179, 0, QStringLiteral("IJKLMNOP"));
  Series->AddXY(400, 0, QStringLiteral("QRSTUVWX"));
  Bottom.SetLabelsSeparation(100);
  ASSERT_EQ(Bottom.CalcLabelStyle(), talText);
  DrawAxis(Bottom, 50, 550);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"ABCDEFGH", "QRSTUVWX"}));
  Series->SetXValue(1, 180);
  DrawAxis(Bottom, 50, 550);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"ABCDEFGH", "IJKLMNOP", "QRSTUVWX"}));
  // The chart's event sees each point with its series.
  // (The increment's measuring asks for value labels, without a series.)
  Chart.OnGetAxisLabel = [this](TChartAxis*, TChartSeries* S, int Index, QString& Text) {
    EXPECT_EQ(S, Index >= 0 ? Series : nullptr);
    if (Index == 2) Text.clear();
  };
  DrawAxis(Bottom, 50, 550);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"ABCDEFGH", "IJKLMNOP"}));
}

TEST_F(TChartAxisDrawTest, CustomItemsReplaceTheLabels) {
  Bottom.GetItems().Add(2, QStringLiteral("two"));
  Bottom.GetItems().Add(5);
  Bottom.GetItems().Add(50, QStringLiteral("outside"));
  Bottom.GetItems().Add(8, QStringLiteral("hidden")).SetVisible(false);
  Bottom.SetTickOnLabelsOnly(false);
  DrawAxis(Bottom, 0, 10, 1);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"two", "5"}));
  EXPECT_EQ(Bottom.GetTicksPositions(), std::vector<int>({150, 300, 450}));
}

TEST_F(TChartAxisDrawTest, DepthAxisLabelsTheSeriesBesideItsLine) {
  Chart.SetView3D(true);
  Chart.CalcSize3DWalls();
  Series->SetTitle(QStringLiteral("Run"));
  TChartAxis& Depth = *Chart.GetDepthAxis();
  Depth.AdjustMaxMin();
  Depth.InternalCalcPositions();
  TRect R = Chart.GetPlotRect();
  Depth.CalcRect(R, true);
  EXPECT_EQ(R, Chart.GetPlotRect());  // no room taken
  EXPECT_EQ(Depth.GetPosLabels(), 550 + Depth.SizeTickAxis());
  Canvas->Clear();
  Depth.Draw(true);
  ASSERT_EQ(Canvas->TextsOnly(), QStringList({"Run"}));
  EXPECT_EQ(Canvas->Texts[0].Align, TA_LEFT);
}

// -- where a label goes

struct AlignCase {
  const char* Name;
  bool Horizontal;
  bool OtherSide;
  int Angle;
  int Align;
  int DX;  // anchor moved from (100, 200)
  int DY;
};

void PrintTo(const AlignCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class TChartAxisAlignTest : public TChartAxisDrawTest,
                            public ::testing::WithParamInterface<AlignCase> {};

// "ABCD" is 20 pixels wide, a line 10 high.
TEST_P(TChartAxisAlignTest, AnchorAndAlignmentFollowAngleAndSide) {
  const AlignCase& C = GetParam();
  TChartAxis& Axis = C.Horizontal ? (C.OtherSide ? *Chart.GetTopAxis() : Bottom)
                                  : (C.OtherSide ? *Chart.GetRightAxis() : Left);
  Canvas->Clear();
  Axis.DrawAxisLabel(100, 200, C.Angle, QStringLiteral("ABCD"));
  ASSERT_EQ(Canvas->Texts.size(), 1u);
  const TTextCall& T = Canvas->Texts[0];
  EXPECT_EQ(T.Align, C.Align);
  EXPECT_EQ(T.X, 100 + C.DX);
  EXPECT_EQ(T.Y, 200 + C.DY);
  EXPECT_EQ(T.Angle, C.Angle);
  EXPECT_EQ(Canvas->GetTextAlign(), TA_LEFT | TA_TOP);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, TChartAxisAlignTest,
    ::testing::Values(AlignCase{"Bottom0", true, false, 0, TA_CENTER, 0, 0},
                      AlignCase{"Top0", true, true, 0, TA_CENTER | TA_BOTTOM, 0, 0},
                      AlignCase{"Left0", false, false, 0, TA_RIGHT, 0, -5},
                      AlignCase{"Right0", false, true, 0, TA_LEFT, 0, -5},
                      AlignCase{"Bottom90", true, false, 90, TA_RIGHT, -5, 0},
                      AlignCase{"Top90", true, true, 90, TA_LEFT, -5, 0},
                      AlignCase{"Left90", false, false, 90, TA_CENTER | TA_BOTTOM, 0, 0},
                      AlignCase{"Right90", false, true, 90, TA_CENTER, 0, 0},
                      AlignCase{"Bottom180", true, false, 180, TA_CENTER | TA_BOTTOM, 0, 0},
                      AlignCase{"Left180", false, false, 180, TA_LEFT, 0, 5},
                      AlignCase{"Bottom270", true, false, 270, TA_LEFT, 5, 0},
                      AlignCase{"Top270", true, true, 270, TA_RIGHT, 5, 0},
                      AlignCase{"Left270", false, false, 270, TA_CENTER, 0, 0},
                      AlignCase{"Right270", false, true, 270, TA_CENTER | TA_BOTTOM, 0, 0},
                      // The label rises to the anchor: round (20 sin 45) = 14.
                      AlignCase{"Bottom45", true, false, 45, TA_LEFT, -14, 14},
                      AlignCase{"Left45", false, false, 45, TA_LEFT, -14, 14},
                      AlignCase{"Right45", false, true, 45, TA_LEFT, 0, 0},
                      // Back by the width of "Wj".
                      AlignCase{"Top45", true, true, 45, TA_LEFT, -10, -10},
                      AlignCase{"Bottom30", true, false, 30, TA_LEFT, 0, 0}));

TEST_F(TChartAxisDrawTest, OppositeAlignmentKeepsVerticalLabelsInTheirRoom) {
  Layout(Left, 0, 10, 1);
  Left.SetLabelsAlign(alOpposite);
  const int Room = Left.SizeLabels();
  Canvas->Clear();
  Left.DrawAxisLabel(100, 200, 0, QStringLiteral("1"));
  Chart.GetRightAxis()->SetLabelsAlign(alOpposite);
  Chart.GetRightAxis()->DrawAxisLabel(100, 200, 0, QStringLiteral("1"));
  ASSERT_EQ(Canvas->Texts.size(), 2u);
  EXPECT_EQ(Canvas->Texts[0].X, 100 - Room);
  EXPECT_EQ(Canvas->Texts[0].Align, TA_LEFT);
  EXPECT_EQ(Canvas->Texts[1].X, 100 + Chart.GetRightAxis()->SizeLabels());
  EXPECT_EQ(Canvas->Texts[1].Align, TA_RIGHT);
}

TEST_F(TChartAxisDrawTest, LinesOfALabelStackOnItsSide) {
  const QString Two = QStringLiteral("ab") + KorLineSeparator + "cd";
  auto Ys = [this] {
    std::vector<int> Y;
    for (const TTextCall& T : Canvas->Texts) Y.push_back(T.Y);
    return Y;
  };
  Canvas->Clear();
  Bottom.DrawAxisLabel(100, 200, 0, Two);
  EXPECT_EQ(Ys(), std::vector<int>({200, 210}));  // below the anchor
  Canvas->Clear();
  Chart.GetTopAxis()->DrawAxisLabel(100, 200, 0, Two);
  EXPECT_EQ(Ys(), std::vector<int>({190, 200}));  // ending at it
  Canvas->Clear();
  Left.DrawAxisLabel(100, 200, 0, Two);
  EXPECT_EQ(Ys(), std::vector<int>({190, 200}));  // centred on it (moved up by half a line)
  // Turned labels step across: upright ones to the right, at 45 degrees
  // along the text's own downward direction.
  Canvas->Clear();
  Bottom.DrawAxisLabel(100, 200, 90, Two);
  ASSERT_EQ(Canvas->Texts.size(), 2u);
  EXPECT_EQ(Canvas->Texts[1].X - Canvas->Texts[0].X, 10);
  Canvas->Clear();
  Bottom.DrawAxisLabel(100, 200, 30, Two);
  ASSERT_EQ(Canvas->Texts.size(), 2u);
  EXPECT_EQ(Canvas->Texts[1].X - Canvas->Texts[0].X, 5);
  EXPECT_EQ(Canvas->Texts[1].Y - Canvas->Texts[0].Y, 9);
}

TEST_F(TChartAxisDrawTest, ExponentIsRaisedBesideTheMantissa) {
  Left.SetLabelsExponent(true);
  Canvas->Clear();
  Chart.GetRightAxis()->SetLabelsExponent(true);
  Chart.GetRightAxis()->DrawAxisLabel(100, 200, 0, QStringLiteral("2E3"));
  ASSERT_EQ(Canvas->TextsOnly(), QStringList({"3", "2"}));
  // Left-aligned: the mantissa at the anchor, the exponent one pixel
  // after it and (10 - 1) / 2 - 2 pixels up.
  EXPECT_EQ(Canvas->Texts[1].X, 100);
  EXPECT_EQ(Canvas->Texts[0].X, 100 + 5 + 1);
  EXPECT_EQ(Canvas->Texts[0].Y, Canvas->Texts[1].Y - 2);
  // Right-aligned: the exponent ends at the anchor.
  Canvas->Clear();
  Left.DrawAxisLabel(100, 200, 0, QStringLiteral("2e3"));
  ASSERT_EQ(Canvas->Texts.size(), 2u);
  EXPECT_EQ(Canvas->Texts[0].X + 5, 100);
  EXPECT_EQ(Canvas->Texts[1].X, 100 - 11);
  // The title never splits.
  Left.GetTitle().SetCaption(QStringLiteral("Elapsed"));
  Canvas->Clear();
  Left.DrawTitle(20, 160);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"Elapsed"}));
  EXPECT_EQ(Canvas->Texts[0].Angle, 90);
  EXPECT_TRUE(Left.GetLabelsExponent());
}

TEST_F(TChartAxisDrawTest, DrawLabelEventMovesChangesOrSuppressesWithTheBackground) {
  Bottom.GetItems().GetFormat().SetTransparent(false);
  Bottom.OnDrawLabel = [](TChartAxis*, int& X, int& Y, int&, QString& Text, bool& Draw) {
    if (Text == QLatin1String("hide")) Draw = false;
    X += 7;
    Y += 3;
    Text = Text.toUpper();
  };
  Canvas->Clear();
  Bottom.DrawAxisLabel(100, 200, 0, QStringLiteral("hide"));
  EXPECT_TRUE(Canvas->Texts.empty());
  EXPECT_TRUE(Canvas->Shapes.empty());
  Bottom.DrawAxisLabel(100, 200, 0, QStringLiteral("ab"));
  ASSERT_EQ(Canvas->TextsOnly(), QStringList({"AB"}));
  EXPECT_EQ(Canvas->Texts[0].X, 107);
  EXPECT_EQ(Canvas->Texts[0].Y, 203);
  // The background: the text's box widened by half a "W" on each side.
  ASSERT_FALSE(Canvas->Shapes.empty());
  EXPECT_EQ(Canvas->Shapes.back(), TRect(107 - 5 - 2, 203, 107 + 5 + 2, 213));
}

TEST_F(TChartAxisDrawTest, AlternateLabelsMoveEveryOtherOneOutward) {
  Bottom.SetLabelsAlternate(true);
  DrawAxis(Bottom, 0, 10, 5);
  // Alternating halves the increment: twice the labels in two rows.
  ASSERT_EQ(Canvas->TextsOnly(), QStringList({"10", "7.5", "5", "2.5", "0"}));
  for (size_t I = 0; I < Canvas->Texts.size(); ++I)
    EXPECT_EQ(Canvas->Texts[I].Y,
              Bottom.GetPosLabels() + (I % 2 == 1 ? TAxisCanvas::LineHeight : 0));
}

// -- ticks, axis line and grid

TEST_F(TChartAxisDrawTest, TicksStartOnePixelOutsideTheAxisLine) {
  Bottom.GetTicksInner().SetVisible(true);
  Bottom.SetTickInnerLength(3);
  Bottom.GetMinorTicks().SetVisible(false);
  DrawAxis(Bottom, 0, 10, 5);
  int Outer = 0;
  int Inner = 0;
  for (const TLineCall& L : Canvas->Lines) {
    if (L.X0 != L.X1) continue;
    if (L.Y0 == 311 && L.Y1 == 311 + Bottom.GetTickLength()) ++Outer;
    if (L.Y0 == 309 && L.Y1 == 306) ++Inner;
  }
  EXPECT_EQ(Outer, 3);
  EXPECT_EQ(Inner, 3);
  EXPECT_EQ(LinesAt(Bottom, 300), 3);  // tick, grid, inner tick
}

TEST_F(TChartAxisDrawTest, MinorTicksLieAtTheirValuesNotBetweenRoundedPixels) {
  // 3 units over 500 pixels: major ticks at 50, 217, 383, 550.
  Bottom.GetMinorTicks().SetVisible(true);
  Bottom.SetMinorTickCount(1);
  DrawAxis(Bottom, 0, 3, 1);
  ASSERT_EQ(Bottom.GetTicksPositions(), std::vector<int>({550, 383, 217, 50}));
  std::vector<int> Minor;
  for (const TLineCall& L : Canvas->Lines)
    if (L.X0 == L.X1 && L.Y0 == 311 && L.Y1 == 311 + Bottom.GetMinorTickLength())
      Minor.push_back(L.X0);
  // 2.5, 1.5 and 0.5 at 466.67, 300 and 133.33.
  EXPECT_EQ(Minor, std::vector<int>({467, 300, 133}));
}

TEST_F(TChartAxisDrawTest, GridLinesLieInsideTheChartRectangle) {
  Left.GetMinorTicks().SetVisible(false);
  DrawAxis(Left, 0, 10, 5);
  std::vector<TLineCall> Grid;
  for (const TLineCall& L : Canvas->Lines)
    if (L.Y0 == L.Y1 && L.X1 == 550) Grid.push_back(L);
  // None at the ends; across from left + 1 to the right.
  ASSERT_EQ(Grid.size(), 1u);
  EXPECT_EQ(Grid[0].Y0, 160);
  EXPECT_EQ(Grid[0].X0, 51);
  EXPECT_EQ(Grid[0].Color, TColor(0x808080));
  Left.SetGridCentered(true);
  DrawAxis(Left, 0, 10, 2);  // ticks at 10, 70, 130, 190, 250, 310
  std::vector<int> Centred;
  for (const TLineCall& L : Canvas->Lines)
    if (L.Y0 == L.Y1 && L.X1 == 550) Centred.push_back(L.Y0);
  EXPECT_EQ(Centred, std::vector<int>({40, 100, 160, 220, 280}));
  int Fired = 0;
  Left.OnDrawGrids = [&Fired](TChartAxis*) { ++Fired; };
  Left.DrawGrids(0);
  EXPECT_EQ(Fired, 1);
}

TEST_F(TChartAxisDrawTest, Grid3DOnTheBackWallAndFloorUnlessHidden) {
  Chart.SetView3D(true);
  Chart.CalcSize3DWalls();
  const int Depth = Chart.GetDepth3D();
  ASSERT_GT(Depth, 0);
  Canvas->InitWindow(Target.GetCanvas(), &Chart.GetView3DOptions(), clWhite, true,
                     TRect(0, 0, 600, 400));
  Canvas->Projection(Depth, TRect(0, 0, 600, 400), Chart.GetPlotRect());
  Bottom.GetMinorTicks().SetVisible(false);
  auto GridLines = [this](bool HideBack, bool HideSide) {
    Bottom.SetHideBackGrid(HideBack);
    Bottom.SetHideSideGrid(HideSide);
    Canvas->Clear();
    Bottom.DrawGrids(Bottom.GetTickCount());
    return Canvas->Lines.size();
  };
  DrawAxis(Bottom, 0, 10, 5);  // one tick inside: 5
  EXPECT_EQ(GridLines(false, false), 2u);
  EXPECT_EQ(GridLines(true, false), 1u);
  EXPECT_EQ(GridLines(false, true), 1u);
  // The back wall line lies at the full depth: shifted by the view.
  GridLines(false, true);
  const TPoint Far = Canvas->Calculate3DPosition(300, 10, Depth);
  EXPECT_EQ(Canvas->Lines[0].X0, Far.X);
  EXPECT_EQ(Canvas->Lines[0].Y0, Far.Y);
}

TEST_F(TChartAxisDrawTest, AxisLineModes) {
  Bottom.GetAxis().SetLineMode(lmCylinder);
  DrawAxis(Bottom, 0, 10, 5);
  EXPECT_EQ(Canvas->Solids, std::vector<std::string>({"Lying 50,309,550,311"}));
  Left.GetAxis().SetLineMode(lmRectangle);
  DrawAxis(Left, 0, 10, 5);
  EXPECT_EQ(Canvas->Solids, std::vector<std::string>({"Cube 49,10,51,310"}));
}

// -- drawing at given places

TEST_F(TChartAxisDrawTest, CustomDrawRestoresTheAxisAlsoWhenDrawingFails) {
  Layout(Left, 0, 10, 5);
  const int Labels = Left.GetPosLabels();
  Left.GetGrid().SetVisible(true);
  const int Repaints = Chart.Invalidations;
  Canvas->Clear();
  Left.CustomDrawMinMax(400, 420, 380, false, 100, 200, 50);
  EXPECT_EQ(Canvas->TextsOnly(), QStringList({"200", "150", "100"}));
  EXPECT_EQ(Canvas->Texts[0].X, 400);
  EXPECT_EQ(Chart.Invalidations, Repaints);
  EXPECT_EQ(Left.GetMinimum(), 0);
  EXPECT_EQ(Left.GetMaximum(), 10);
  EXPECT_EQ(Left.GetIncrement(), 5);
  EXPECT_EQ(Left.GetIMaximum(), 10);
  EXPECT_EQ(Left.GetPosLabels(), Labels);
  EXPECT_TRUE(Left.GetGrid().GetVisible());

  Left.OnDrawLabel = [](TChartAxis*, int&, int&, int&, QString&, bool&) {
    throw AxisException(QStringLiteral("fails"));
  };
  EXPECT_THROW(Left.CustomDrawMinMaxStartEnd(400, 420, 380, false, 100, 200, 50, 100, 200),
               AxisException);
  EXPECT_EQ(Left.GetIMinimum(), 0);
  EXPECT_EQ(Left.GetIMaximum(), 10);
  EXPECT_EQ(Left.GetIStartPos(), 10);
  EXPECT_EQ(Left.GetIEndPos(), 310);
  EXPECT_FALSE(Left.GetAutomatic());
  EXPECT_FALSE(Left.GetAutomaticMaximum());
  EXPECT_TRUE(Left.GetGrid().GetVisible());
  EXPECT_THROW(Left.CustomDrawMinMax(400, 420, 380, false, 0, 1, -1), AxisException);
}

// -- pixels

// A 400 x 300 chart drawn by its own surface in DejaVu Sans without
// antialiasing; geometry comes from the surface's measurements.
class TChartAxisPixelDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetFormatSettings(FormatSettings::English());
    SetTextAntialiasing(false);
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.SetColor(clWhite);
    for (TChartAxis* A : {Chart.GetBottomAxis(), Chart.GetLeftAxis()}) {
      A->GetLabelsFont().SetName(QStringLiteral("DejaVu Sans"));
      A->GetLabelsFont().SetSize(9);
      A->GetGrid().SetVisible(false);
      A->GetMinorTicks().SetVisible(false);
      A->SetMinMax(0, 10);
      A->SetIncrement(2);
    }
    auto* S = new TChartSeries(&Chart);
    S->SetParentChart(&Chart);
    S->AddXY(0, 0);
    S->AddXY(10, 10);
  }
  void TearDown() override {
    SetTextAntialiasing(true);
    SetFormatSettings(Saved);
  }

  // Columns (or rows) holding black pixels inside Band, as runs; gaps of
  // up to three pixels (between the glyphs of one label) join them.
  static std::vector<std::pair<int, int>> InkRuns(const TBitmap& B, const TRect& Band,
                                                  bool Columns) {
    std::vector<std::pair<int, int>> Runs;
    const int From = Columns ? Band.Left : Band.Top;
    const int To = Columns ? Band.Right : Band.Bottom;
    for (int I = From; I < To; ++I) {
      const TRect Line =
          Columns ? TRect(I, Band.Top, I + 1, Band.Bottom) : TRect(Band.Left, I, Band.Right, I + 1);
      if (PixelProbe::Count(B, Line, clBlack) == 0) continue;
      if (!Runs.empty() && Runs.back().second >= I - 4)
        Runs.back().second = I;
      else
        Runs.push_back({I, I});
    }
    return Runs;
  }

  const FormatSettings Saved = CurrentFormatSettings();
  TTestChart Chart;
  TBitmap Frame{400, 300};
};

TEST_F(TChartAxisPixelDrawTest, TicksSitOnTheirLabelsAndLabelsKeepApart) {
  Chart.Draw(Frame.GetCanvas(), TRect(0, 0, 400, 300));
  const TChartAxis& B = *Chart.GetBottomAxis();
  const int Axis = B.GetPosAxis();
  // The two-pixel axis line covers both end pixels.
  for (int X : {B.GetIStartPos(), B.GetIEndPos()}) EXPECT_EQ(Frame.GetPixel(X, Axis), clBlack);
  ASSERT_EQ(B.GetTickCount(), 6);
  for (int T : B.GetTicksPositions()) {
    // Ticks: TickLength grey pixels from one below the line.
    for (int Y = Axis + 1; Y <= Axis + B.GetTickLength(); ++Y)
      EXPECT_EQ(Frame.GetPixel(T, Y), TColor(0x808080)) << T << "," << Y;
    EXPECT_NE(Frame.GetPixel(T, Axis + B.GetTickLength() + 1), TColor(0x808080));
  }
  // Each label's ink centred on its tick (glyph side bearings: 2 pixels),
  // the labels well apart.
  TCanvas3D& C = Chart.GetPanelCanvas();
  C.AssignFont(B.GetLabelsFont());
  const int H = C.TextHeight(QStringLiteral("W"));
  // From just left of the bottom axis' start: the left axis' labels end
  // further left.
  const int From = Chart.GetLeftAxis()->GetPosAxis() - 5;
  const auto Runs = InkRuns(Frame, TRect(From, B.GetPosLabels(), 400, B.GetPosLabels() + H), true);
  ASSERT_EQ(Runs.size(), 6u);
  std::vector<int> Ticks = B.GetTicksPositions();
  std::sort(Ticks.begin(), Ticks.end());
  for (size_t I = 0; I < Runs.size(); ++I) {
    EXPECT_NEAR((Runs[I].first + Runs[I].second) / 2.0, Ticks[I], 2.0) << I;
    if (I > 0) {
      EXPECT_GT(Runs[I].first - Runs[I - 1].second, 10);
    }
  }
}

TEST_F(TChartAxisPixelDrawTest, VerticalLabelsAreCentredBesideTheirTicks) {
  Chart.Draw(Frame.GetCanvas(), TRect(0, 0, 400, 300));
  const TChartAxis& L = *Chart.GetLeftAxis();
  const auto Rows = InkRuns(Frame, TRect(0, 0, L.GetPosLabels() + 1, 300), false);
  ASSERT_EQ(Rows.size(), 6u);
  std::vector<int> Ticks = L.GetTicksPositions();
  std::sort(Ticks.begin(), Ticks.end());
  for (size_t I = 0; I < Rows.size(); ++I)
    EXPECT_NEAR((Rows[I].first + Rows[I].second) / 2.0, Ticks[I], 2.0) << I;
  // Nothing of the labels reaches the ticks.
  const TRect Ink = PixelProbe::InkBox(Frame);
  EXPECT_GE(Ink.Left, 0);
  EXPECT_EQ(
      PixelProbe::Count(Frame, TRect(L.GetPosLabels() + 1, 0, L.GetPosAxis() - 5, 300), clBlack),
      0);
}

TEST_F(TChartAxisPixelDrawTest, UprightLabelsHangBelowTheirTicks) {
  TChartAxis& B = *Chart.GetBottomAxis();
  B.SetLabelsAngle(90);
  Chart.Draw(Frame.GetCanvas(), TRect(0, 0, 400, 300));
  TCanvas3D& C = Chart.GetPanelCanvas();
  C.AssignFont(B.GetLabelsFont());
  const int H = C.TextHeight(QStringLiteral("W"));
  const int Wide = C.TextWidth(QStringLiteral("10"));
  const int From = Chart.GetLeftAxis()->GetPosAxis() - 5;
  const TRect Band(From, B.GetPosLabels(), 400, B.GetPosLabels() + Wide + 2);
  const auto Runs = InkRuns(Frame, Band, true);
  ASSERT_EQ(Runs.size(), 6u);
  std::vector<int> Ticks = B.GetTicksPositions();
  std::sort(Ticks.begin(), Ticks.end());
  for (size_t I = 0; I < Runs.size(); ++I) {
    EXPECT_NEAR((Runs[I].first + Runs[I].second) / 2.0, Ticks[I], 2.0) << I;
    EXPECT_LE(Runs[I].second - Runs[I].first, H);
  }
  EXPECT_EQ(PixelProbe::Count(Frame, TRect(0, B.GetPosLabels() + Wide + 2, 400, 300), clBlack), 0);
}

}  // namespace
