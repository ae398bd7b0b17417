#include "platform/QtGuard.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include <stdexcept>

#include "platform/Exception.h"
#include "tests/support/TestSupport.h"

namespace {

class QtGuardTest : public ::testing::Test {};

TEST_F(QtGuardTest, ExceptionsAreReportedThroughTheMessageHook) {
  MessageRecorder recorder;
  EXPECT_TRUE(RunGuarded([] {}));
  EXPECT_FALSE(RunGuarded([] { throw EConvertError("'x' is not a valid integer value"); }));
  EXPECT_FALSE(RunGuarded([] { throw std::runtime_error("disk full"); }));
  EXPECT_FALSE(RunGuarded([] { throw 42; }));
  ASSERT_EQ(recorder.Messages().size(), 3u);
  EXPECT_EQ(recorder.Messages()[0], "'x' is not a valid integer value");
  EXPECT_EQ(recorder.Messages()[1], "disk full");
  EXPECT_EQ(recorder.Messages()[2], "An unknown error occurred.");
}

TEST_F(QtGuardTest, GuardedSlotKeepsTheEventLoopRunning) {
  MessageRecorder recorder;
  int after = 0;
  QTimer::singleShot(0, [] { RunGuarded([] { throw std::logic_error("slot failed"); }); });
  QTimer::singleShot(0, [&] { ++after; });
  QCoreApplication::processEvents();
  EXPECT_EQ(after, 1);
  ASSERT_EQ(recorder.Messages().size(), 1u);
  EXPECT_EQ(recorder.Messages()[0], "slot failed");
}

}  // namespace
