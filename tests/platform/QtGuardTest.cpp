#include "platform/QtGuard.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include <stdexcept>

#include "platform/Cursors.h"
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

TEST_F(QtGuardTest, CursorTableAndScreenCursor) {
  TCursor c = 0;
  EXPECT_TRUE(IdentToCursor("crHourGlass", c));
  EXPECT_EQ(c, crHourGlass);
  QString name;
  EXPECT_TRUE(CursorToIdent(crHandPoint, name));
  EXPECT_EQ(name, "crHandPoint");
  EXPECT_FALSE(IdentToCursor("crKorHand", c));
  EXPECT_EQ(CursorIdents().front(), "crDefault");
  EXPECT_EQ(CursorToQCursor(crSizeWE).shape(), Qt::SizeHorCursor);
  EXPECT_FALSE(RegisterCursor(crArrow, QCursor(Qt::PointingHandCursor)));
  EXPECT_TRUE(RegisterCursor(2020, QCursor(Qt::PointingHandCursor)));
  EXPECT_EQ(CursorToQCursor(2020).shape(), Qt::PointingHandCursor);
  UnregisterCursor(2020);
  EXPECT_EQ(CursorToQCursor(2020).shape(), Qt::ArrowCursor);
  try {
    TScreenCursorScope busy(crHourGlass);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    throw std::runtime_error("save failed");
  } catch (const std::exception&) {
  }
  EXPECT_EQ(GetScreenCursor(), crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
