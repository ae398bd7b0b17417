#include "chart/core/TKorButton.h"

#include "chart/core/TCanvas3D.h"

#include "platform/TBrush.h"
#include "platform/TPen.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>

namespace {

// Fills its symbol rectangle in green.
class SymbolProbe : public TKorButton {
 public:
  using TKorButton::TKorButton;

 protected:
  void DrawSymbol(TCanvas3D& Canvas) override {
    Canvas.GetPen().SetStyle(psClear);
    Canvas.GetBrush().SetColor(clLime);
    Canvas.FillRect(SymbolRectangle());
  }
};

class TKorButtonTest : public ::testing::Test {
 protected:
  static QColor Pixel(QWidget& W, int X, int Y) { return W.grab().toImage().pixelColor(X, Y); }
};

TEST_F(TKorButtonTest, SymbolRectangleSitsOnTheRightOverTheMiddleHalf) {
  TKorButton Button;
  EXPECT_EQ(Button.width(), 75);
  EXPECT_EQ(Button.height(), 25);
  EXPECT_EQ(Button.SymbolRectangle(), TRect(56, 7, 69, 19));
  Button.resize(100, 42);
  EXPECT_EQ(Button.SymbolRectangle(), TRect(81, 12, 94, 32));
}

TEST_F(TKorButtonTest, SymbolIsDrawnOverTheButtonFace) {
  SymbolProbe Button;
  EXPECT_EQ(Pixel(Button, 56, 7), QColor(Qt::green));
  EXPECT_EQ(Pixel(Button, 68, 18), QColor(Qt::green));
  EXPECT_NE(Pixel(Button, 69, 12), QColor(Qt::green));
  EXPECT_NE(Pixel(Button, 55, 12), QColor(Qt::green));
}

TEST_F(TKorButtonTest, LinkKeepsTheObjectAndOnlyPublishedProperties) {
  TKorButton Button;
  TPen Pen;
  Button.LinkProperty(&Pen, "Color");
  EXPECT_EQ(Button.GetLinkedObject(), &Pen);
  EXPECT_EQ(Button.GetLinkedProperty(), "Color");
  Button.LinkProperty(nullptr, "Width");  // no object: nothing changes
  EXPECT_EQ(Button.GetLinkedObject(), &Pen);
  EXPECT_EQ(Button.GetLinkedProperty(), "Color");
  Button.LinkProperty(&Pen, "NoSuchProperty");
  EXPECT_EQ(Button.GetLinkedObject(), &Pen);
  EXPECT_TRUE(Button.GetLinkedProperty().isEmpty());
}

}  // namespace
