#include "chart/core/TChartAxisTitle.h"

#include <gtest/gtest.h>

namespace {

class TChartAxisTitleTest : public ::testing::Test {
 protected:
  bool Stored(const TPersistent& Object, const char* Name) const {
    const TPublishedProperty* P = Object.Properties().Find(QString::fromLatin1(Name));
    EXPECT_NE(P, nullptr) << Name;
    return P != nullptr && P->IsStored(Object);
  }

  TChartAxisTitle Title{nullptr};
};

TEST_F(TChartAxisTitleTest, AngleIsKeptModulo360) {
  Title.SetAngle(-90);
  EXPECT_EQ(Title.GetAngle(), 270);
  Title.SetAngle(720);
  EXPECT_EQ(Title.GetAngle(), 0);
  EXPECT_EQ(NormalizeAxisAngle(-721), 359);
}

TEST_F(TChartAxisTitleTest, StreamsWriteTheAngleWhenItDiffersFromTheAxisDefault) {
  EXPECT_FALSE(Stored(Title, "Angle"));
  Title.InitAngle(90);
  EXPECT_EQ(Title.GetAngle(), 90);
  EXPECT_FALSE(Stored(Title, "Angle"));
  Title.SetAngle(0);
  EXPECT_TRUE(Stored(Title, "Angle"));
  EXPECT_FALSE(Stored(Title, "Caption"));
  Title.SetCaption(QStringLiteral("Radius"));
  EXPECT_TRUE(Stored(Title, "Caption"));
}

TEST_F(TChartAxisTitleTest, AssignCopiesAngleCaptionAndShape) {
  TChartAxisTitle Source(nullptr);
  Source.SetAngle(45);
  Source.SetCaption(QStringLiteral("s*"));
  Source.SetTransparent(true);
  Title.Assign(Source);
  EXPECT_EQ(Title.GetAngle(), 45);
  EXPECT_EQ(Title.GetCaption(), QStringLiteral("s*"));
  EXPECT_TRUE(Title.GetTransparent());
}

}  // namespace
