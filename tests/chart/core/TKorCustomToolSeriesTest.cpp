#include "chart/core/TKorCustomToolSeries.h"

#include "chart/core/TChartSeries.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TKorCustomToolSeriesTest : public ::testing::Test {
 protected:
  std::unique_ptr<TComponent> Form = std::make_unique<TComponent>(nullptr);
  TKorCustomToolSeries* Tool = new TKorCustomToolSeries(Form.get());
  std::unique_ptr<TChartSeries> Series = std::make_unique<TChartSeries>(nullptr);
};

TEST_F(TKorCustomToolSeriesTest, FreeingTheSeriesLeavesTheToolWithoutSeries) {
  Tool->SetSeries(Series.get());
  EXPECT_EQ(Tool->GetSeries(), Series.get());
  Series.reset();
  EXPECT_EQ(Tool->GetSeries(), nullptr);
  EXPECT_EQ(Form->GetComponentCount(), 1);  // the tool itself stays
  EXPECT_EQ(Tool->GetHorizAxis(), nullptr);
  EXPECT_EQ(Tool->GetVertAxis(), nullptr);
}

TEST_F(TKorCustomToolSeriesTest, FreeingTheToolFirstLeavesTheSeriesAlone) {
  Tool->SetSeries(Series.get());
  Form.reset();
  Series->AddXY(1, 1);
  EXPECT_EQ(Series->Count(), 1);
}

TEST_F(TKorCustomToolSeriesTest, AnEarlierSeriesIsNoLongerWatched) {
  Tool->SetSeries(Series.get());
  TChartSeries Other(nullptr);
  Tool->SetSeries(&Other);
  Series.reset();
  EXPECT_EQ(Tool->GetSeries(), &Other);
  Tool->SetSeries(nullptr);
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TSeriesToolEditor"));
}

}  // namespace
