#include "chart/core/TComboFlat.h"

#include "platform/TColor.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>

namespace {

class TComboFlatTest : public ::testing::Test {
 protected:
  static QColor Pixel(QWidget& W, int X, int Y) { return W.grab().toImage().pixelColor(X, Y); }
};

TEST_F(TComboFlatTest, LooksFlatUntilTheMouseIsInside) {
  TComboFlat Combo;
  Combo.resize(120, 21);
  Combo.addItems({"one", "two"});
  const QColor Face = ColorToQColor(clBtnFace);
  const QColor Window = ColorToQColor(clWindow);
  EXPECT_TRUE(Combo.LooksFlat());
  EXPECT_EQ(Pixel(Combo, 0, 0), Face);
  EXPECT_EQ(Pixel(Combo, 1, 10), Face);
  EXPECT_EQ(Pixel(Combo, 118, 10), Window);  // the line at right - 2

  Combo.MouseEnter();
  EXPECT_FALSE(Combo.LooksFlat());
  EXPECT_NE(Pixel(Combo, 118, 10), Window);
  Combo.MouseLeave();
  EXPECT_TRUE(Combo.LooksFlat());
  EXPECT_EQ(Pixel(Combo, 118, 10), Window);
  Combo.MouseEnter();
  Combo.FocusChanged();  // focus changes clear the flag too
  EXPECT_FALSE(Combo.GetMouseInside());
}

TEST_F(TComboFlatTest, DropDownWidthIsNeverBelowTheControlWidth) {
  TComboFlat Combo;
  EXPECT_EQ(Combo.height(), 21);
  Combo.resize(120, 21);
  EXPECT_EQ(Combo.GetDropDownWidth(), 120);
  Combo.SetDropDownWidth(300);
  EXPECT_EQ(Combo.GetDropDownWidth(), 300);
  Combo.SetDropDownWidth(50);
  EXPECT_EQ(Combo.GetDropDownWidth(), 120);
}

}  // namespace
