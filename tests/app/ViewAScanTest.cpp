#include "app/UnitViewAScan.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "platform/ModalHooks.h"
#include "platform/NumberText.h"
#include "platform/TBitmap.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string AbsorbanceHeader = "SegB\r\nR 2 20.0 10000 0003501 3.3160E09 280 32\r\n";
const std::string IntensityHeader = "Intensity scan\r\nI 3 20.0 40000 600 1.0E09 230 1\r\n";
constexpr TColor Background = RGB(188, 245, 213);

class ViewAScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    Dir = FreshTestDir("viewascan");
    View = std::make_unique<TViewAScan>(nullptr);
  }
  void TearDown() override {
    View.reset();
    UnRegisterSeriesTypes();
  }

  // An absorbance scan with Count points from radius 6.0 cm on.
  fs::path WriteAbsorbanceScan(const std::string& Name, int Count) {
    std::string text = AbsorbanceHeader;
    for (int i = 0; i < Count; ++i)
      text += FormatFixed(6.0 + 0.1 * i, 4) + " " + FormatFixed(0.2 + 0.1 * i, 4) + " 0.01\r\n";
    WriteTextFile(Dir / Name, text);
    return Dir / Name;
  }
  void Show(const fs::path& Path) {
    View->SetScanPath(QString::fromStdString(Path.string()));
    View->ShowScanFile();
  }
  TChartSeries& Curve() const { return *View->TransformChart->GetSeries(0); }

  fs::path Dir;
  std::unique_ptr<TViewAScan> View;
};

TEST_F(ViewAScanTest, TheChartIsAFlatGreenChartWithOneRedTemplateLine) {
  TChart& chart = *View->TransformChart;
  EXPECT_TRUE(View->GetScanPath().isEmpty());
  ASSERT_EQ(chart.SeriesCount(), 1);
  EXPECT_EQ(Curve().GetTitle(), "template");
  EXPECT_EQ(Curve().GetSeriesColor(), clRed);
  EXPECT_FALSE(chart.GetLegend().GetVisible());
  EXPECT_TRUE(chart.GetTitle().GetText().isEmpty());
  EXPECT_FALSE(chart.GetView3D());
  EXPECT_EQ(chart.GetColor(), Background);
  EXPECT_EQ(chart.GetWidget()->parentWidget(), View.get());
}

TEST_F(ViewAScanTest, AScanFileBecomesTheCurveAndItsNameIsShown) {
  Show(WriteAbsorbanceScan("00007.RA2", 5));
  ASSERT_EQ(Curve().Count(), 5);
  EXPECT_DOUBLE_EQ(Curve().GetxValue(4), 6.4);
  EXPECT_DOUBLE_EQ(Curve().GetyValue(4), 0.6);
  EXPECT_EQ(View->FileTxt->text(), "00007.RA2");

  // Intensity files show the logarithm of the ratio of their two columns.
  WriteTextFile(Dir / "00008.RI3", IntensityHeader + "6.0 800 400\r\n6.1 100 1000\r\n");
  Show(Dir / "00008.RI3");
  ASSERT_EQ(Curve().Count(), 2);
  EXPECT_NEAR(Curve().GetyValue(0), std::log10(2.0), 1e-12);
  EXPECT_NEAR(Curve().GetyValue(1), -1.0, 1e-12);
  EXPECT_EQ(View->FileTxt->text(), "00008.RI3");
}

TEST_F(ViewAScanTest, AFileThatIsGoneOrHasNoPointsIsReportedAndTheCurveStays) {
  const fs::path good = WriteAbsorbanceScan("00001.RA1", 4);
  Show(good);
  fs::remove(good);
  WriteTextFile(Dir / "00002.RA1", AbsorbanceHeader + "radius value\r\n\r\n");
  WriteTextFile(Dir / "00003.RA1", "no header\r\n");
  WriteTextFile(Dir / "notes.txt", AbsorbanceHeader + "6.0 0.5 0.01\r\n");

  ModalScript script;
  for (int i = 0; i < 4; ++i) script.AnswerMessage(mrOk);
  Show(good);
  Show(Dir / "00002.RA1");
  Show(Dir / "00003.RA1");
  Show(Dir / "notes.txt");
  ASSERT_EQ(script.Asked().size(), 4u);
  EXPECT_EQ(script.Asked()[0], "message: File not found.");
  for (int i = 1; i < 4; ++i)
    EXPECT_EQ(script.Asked()[i], "message: File could not be parsed to data points.");
  EXPECT_EQ(Curve().Count(), 4);
  EXPECT_EQ(View->FileTxt->text(), "00001.RA1");

  // No file chosen yet: nothing happens, nothing is asked.
  View->SetScanPath(QString());
  View->ShowScanFile();
  EXPECT_EQ(script.Asked().size(), 4u);
}

TEST_F(ViewAScanTest, TheCurveIsDrawnInRedOnTheGreenBackground) {
  Show(WriteAbsorbanceScan("00001.RA1", 20));
  View->resize(400, 300);
  View->show();
  ASSERT_GT(View->TransformChart->GetWidth(), 300);
  const std::unique_ptr<TBitmap> picture = View->TransformChart->KorCreateBitmap();
  EXPECT_EQ(picture->GetPixel(1, 1), Background);
  int red = 0;
  for (int y = 0; y < picture->GetHeight(); ++y)
    for (int x = 0; x < picture->GetWidth(); ++x) red += picture->GetPixel(x, y) == clRed;
  // The line crosses most of the plot's width.
  EXPECT_GT(red, picture->GetWidth() / 2);
}

}  // namespace
