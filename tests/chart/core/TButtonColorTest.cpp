#include "chart/core/TButtonColor.h"

#include "chart/core/KorCanvas.h"

#include "platform/TPen.h"
#include "platform/TStringList.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>

namespace {

// The swatch is checked on the button's own rendering; the colour dialog is
// answered by a script, so an unexpected dialog fails the test.
class TButtonColorTest : public ::testing::Test {
 protected:
  void TearDown() override { KorCustomEditColors.reset(); }
  static QColor Pixel(QWidget& W, int X, int Y) { return W.grab().toImage().pixelColor(X, Y); }
};

TEST_F(TButtonColorTest, SwatchFillsTheSymbolRectangleWithAFrame) {
  TButtonColor Button;
  Button.SetSymbolColor(clRed);
  const TRect R = Button.SymbolRectangle();
  EXPECT_EQ(Pixel(Button, R.Left + 3, R.Top + 3), QColor(Qt::red));
  EXPECT_EQ(Pixel(Button, R.Left, R.Top), QColor(Qt::black));
  EXPECT_EQ(Pixel(Button, R.Right - 1, R.Bottom - 1), QColor(Qt::black));

  Button.setEnabled(false);  // no frame
  EXPECT_EQ(Pixel(Button, R.Left, R.Top), QColor(Qt::red));

  Button.SetSymbolColor(clNone);
  EXPECT_NE(Pixel(Button, R.Left + 3, R.Top + 3), QColor(Qt::red));
}

TEST_F(TButtonColorTest, LinkedPropertyIsShownAndEditedDirectly) {
  TButtonColor Button;
  TPen Pen;
  Pen.SetColor(clBlue);
  Button.LinkProperty(&Pen, "Color");
  EXPECT_EQ(Button.GetSymbolColor(), clBlue);
  Button.SetSymbolColor(clGreen);
  EXPECT_EQ(Pen.GetColor(), clGreen);
  Pen.SetColor(clBtnFace);  // shown as its value
  EXPECT_EQ(Button.GetSymbolColor(), ColorToRGB(clBtnFace));
  Pen.SetColor(clBlue);

  int Clicks = 0;
  Button.OnClick = [&](TKorButton*) { ++Clicks; };
  ModalScript Script;
  Script.AnswerColor(true, clRed);
  Button.click();
  EXPECT_EQ(Pen.GetColor(), clRed);
  EXPECT_EQ(Clicks, 1);
  const TRect R = Button.SymbolRectangle();
  EXPECT_EQ(Pixel(Button, R.Left + 3, R.Top + 3), QColor(Qt::red));

  Script.AnswerColor(false, clLime);  // cancelled
  Button.click();
  Script.AnswerColor(true, clRed);  // the same colour again
  Button.click();
  EXPECT_EQ(Pen.GetColor(), clRed);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Script.Asked().size(), 3u);
}

TEST_F(TButtonColorTest, CallbackColourComesFirstAndOwnColourIsTheFallback) {
  TButtonColor Button;
  Button.SetSymbolColor(clYellow);
  EXPECT_EQ(Button.GetSymbolColor(), clYellow);
  Button.GetColorProc = [] { return clPurple; };
  EXPECT_EQ(Button.GetSymbolColor(), clPurple);
}

}  // namespace
