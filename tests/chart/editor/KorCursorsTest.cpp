#include "chart/editor/KorCursors.h"

#include "chart/core/KorProcs.h"

#include <gtest/gtest.h>

#include <QComboBox>

namespace {

class KorCursorsTest : public ::testing::Test {};

TEST_F(KorCursorsTest, FillListsTheStandardNamesThenTheHandAndSelectsTheCurrent) {
  QComboBox Combo;
  Combo.addItem(QStringLiteral("stale"));
  KorFillCursors(Combo, crKorHand);
  EXPECT_EQ(Combo.count(), CursorIdents().size() + 1);
  EXPECT_EQ(Combo.itemText(0), "Default");
  EXPECT_EQ(Combo.currentText(), "KorHand");
  EXPECT_EQ(Combo.currentIndex(), Combo.count() - 1);
  KorFillCursors(Combo, crCross);
  EXPECT_EQ(Combo.currentText(), "Cross");
  KorFillCursors(Combo, 77);  // a cursor without a name
  EXPECT_EQ(Combo.currentIndex(), -1);
}

TEST_F(KorCursorsTest, NamesMapBothWaysAndUnknownNamesKeepTheDefault) {
  TCursor Cursor = crDefault;
  EXPECT_TRUE(KorIdentToCursor(QStringLiteral("crKorHand"), Cursor));
  EXPECT_EQ(Cursor, crKorHand);
  QString Name;
  EXPECT_TRUE(KorCursorToIdent(crKorHand, Name));
  EXPECT_EQ(Name, "crKorHand");
  EXPECT_TRUE(KorCursorToIdent(crHandPoint, Name));
  EXPECT_EQ(Name, "crHandPoint");
  EXPECT_FALSE(KorCursorToIdent(77, Name));

  EXPECT_EQ(KorSetCursor(crCross, QStringLiteral("KorHand")), crKorHand);
  EXPECT_EQ(KorSetCursor(crCross, QStringLiteral("HandPoint")), crHandPoint);
  EXPECT_EQ(KorSetCursor(crCross, QStringLiteral("Bogus")), crCross);
  EXPECT_EQ(KorSetCursor(crCross, QString()), crCross);
}

}  // namespace
