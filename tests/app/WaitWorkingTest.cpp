#include "app/UnitWaitWorking.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>

namespace {

class WaitWorkingTest : public ::testing::Test {
 protected:
  QWidget Owner;
  TWaitWorking* Wait = new TWaitWorking(&Owner);  // freed with its owner
};

TEST_F(WaitWorkingTest, StartsHiddenAndItsTimerHidesItAgain) {
  Owner.show();
  EXPECT_FALSE(Wait->isVisible());
  EXPECT_TRUE(Wait->isWindow());
  EXPECT_EQ(Wait->Label1->text(), "Please Wait, the program is working");
  EXPECT_TRUE(Wait->Timer1->isActive());
  EXPECT_EQ(Wait->Timer1->interval(), 20000);

  Wait->show();
  ASSERT_TRUE(Wait->isVisible());
  Wait->Timer1Timer();
  EXPECT_FALSE(Wait->isVisible());
  EXPECT_TRUE(Wait->Timer1->isActive());
}

}  // namespace
