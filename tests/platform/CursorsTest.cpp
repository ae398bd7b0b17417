#include "platform/Cursors.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

#include <stdexcept>

namespace {

class CursorsTest : public ::testing::Test {};

TEST_F(CursorsTest, NamesNumbersAndRegisteredCursors) {
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
}

TEST_F(CursorsTest, ScreenCursorIsRestoredOnEveryExit) {
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
