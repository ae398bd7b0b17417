#include "chart/core/TKorCustomShapePosition.h"

#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorShapePosition.h"
#include "tests/chart/core/TestPanels.h"

#include <gtest/gtest.h>

namespace {

class TKorCustomShapePositionTest : public ::testing::Test {
 protected:
  bool Dirty() { return static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty(); }
  const TPublishedProperty& Property(const char* Name) {
    const TPublishedProperty* p = Shape.Properties().Find(QString::fromLatin1(Name));
    EXPECT_NE(p, nullptr) << Name;
    return *p;
  }

  TTestPanel Panel;
  TKorShapePosition Shape{&Panel};
};

TEST_F(TKorCustomShapePositionTest, MovingTheShapeMakesItsPositionCustomAndKeepsItsSize) {
  Shape.SetShapeBounds(TRect(20, 20, 60, 50));
  Panel.Draw();
  ASSERT_FALSE(Shape.GetCustomPosition());
  Shape.SetLeft(5);
  EXPECT_TRUE(Shape.GetCustomPosition());
  EXPECT_TRUE(Dirty());
  Shape.SetTop(7);
  EXPECT_EQ(Shape.GetShapeBounds(), TRect(5, 7, 45, 37));
}

TEST_F(TKorCustomShapePositionTest, AssignCopiesThePlaceOnlyWhenItIsCustom) {
  TKorShapePosition placed(&Panel);
  placed.SetShapeBounds(TRect(1, 2, 11, 12));
  Shape.SetShapeBounds(TRect(20, 20, 60, 50));
  Shape.Assign(placed);
  EXPECT_FALSE(Shape.GetCustomPosition());
  EXPECT_EQ(Shape.GetLeft(), 20);

  placed.SetLeft(30);
  placed.SetTop(40);
  Shape.Assign(placed);
  EXPECT_TRUE(Shape.GetCustomPosition());
  EXPECT_EQ(Shape.GetLeft(), 30);
  EXPECT_EQ(Shape.GetTop(), 40);
}

TEST_F(TKorCustomShapePositionTest, StreamsWriteThePlaceOnlyWhenItIsCustom) {
  EXPECT_FALSE(Property("CustomPosition").IsStored(Shape));
  EXPECT_FALSE(Property("Left").IsStored(Shape));
  Shape.SetTop(3);
  EXPECT_TRUE(Property("CustomPosition").IsStored(Shape));
  EXPECT_TRUE(Property("Left").IsStored(Shape));
  EXPECT_TRUE(Property("Top").IsStored(Shape));
  EXPECT_NE(Shape.Properties().Find(QStringLiteral("BevelWidth")), nullptr);
}

}  // namespace
