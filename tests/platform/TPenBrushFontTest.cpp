#include "platform/TBitmap.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "platform/TPen.h"

#include <QFont>

#include <gtest/gtest.h>

namespace {

// Pens, brushes and fonts share one pattern: setters notify only on change,
// Assign copies everything and notifies once.
class TPenBrushFontTest : public ::testing::Test {
 protected:
  template <class T>
  void Count(T& Object) {
    Object.OnChange = [this](TPersistent*) { ++Changes; };
  }
  int Changes = 0;
};

TEST_F(TPenBrushFontTest, PenNotifiesOnlyRealChanges) {
  TPen Pen;
  Count(Pen);
  Pen.SetColor(clBlack);
  Pen.SetWidth(1);
  Pen.SetStyle(psSolid);
  Pen.SetMode(pmCopy);
  EXPECT_EQ(Changes, 0);
  Pen.SetColor(clRed);
  Pen.SetWidth(3);
  Pen.SetMode(pmNotXor);
  Pen.SetEndCap(pecFlat);
  Pen.SetJoin(pjMiter);
  Pen.SetUserDashes({0, 3});
  EXPECT_EQ(Changes, 6);
  Pen.SetWidth(-2);
  EXPECT_EQ(Pen.GetWidth(), 3) << "negative widths are ignored";
}

TEST_F(TPenBrushFontTest, BrushKeepsItsOwnCopyOfThePattern) {
  TBrush Brush;
  Count(Brush);
  EXPECT_EQ(Brush.GetColor(), clWhite);
  EXPECT_EQ(Brush.GetStyle(), bsSolid);
  {
    TBitmap Pattern(8, 8);
    Pattern.GetCanvas().SetPixel(0, 0, clRed);
    Brush.SetBitmap(&Pattern);
  }
  ASSERT_NE(Brush.GetBitmap(), nullptr);
  EXPECT_EQ(Brush.GetBitmap()->GetPixel(0, 0), clRed);
  EXPECT_EQ(Changes, 1);

  TBrush Copy;
  Copy.Assign(Brush);
  ASSERT_NE(Copy.GetBitmap(), nullptr);
  EXPECT_NE(Copy.GetBitmap(), Brush.GetBitmap());
  EXPECT_EQ(Copy.GetBitmap()->GetWidth(), 8);

  TBitmap Empty;
  Brush.SetBitmap(&Empty);
  EXPECT_EQ(Brush.GetBitmap(), nullptr);
  EXPECT_EQ(Changes, 2);
  Brush.SetBitmap(nullptr);
  EXPECT_EQ(Changes, 2);
}

TEST_F(TPenBrushFontTest, FontSizeAndPixelHeightFollowTheResolution) {
  TFont Font;
  EXPECT_EQ(Font.GetPixelsPerInch(), 96);
  Font.SetSize(8);
  EXPECT_EQ(Font.GetHeight(), -11);  // -MulDiv(8, 96, 72)
  EXPECT_EQ(Font.GetSize(), 8);
  Font.SetSize(10);
  EXPECT_EQ(Font.GetHeight(), -13);

  TFont Printer;
  Printer.SetPixelsPerInch(600);
  Printer.SetSize(10);
  EXPECT_EQ(Printer.GetHeight(), -83);

  // Copying between resolutions keeps the point size; changing the
  // resolution of one font keeps its pixels.
  Printer.Assign(Font);
  EXPECT_EQ(Printer.GetSize(), 10);
  EXPECT_EQ(Printer.GetHeight(), -83);
  Font.SetPixelsPerInch(600);
  EXPECT_EQ(Font.GetHeight(), -13);
}

TEST_F(TPenBrushFontTest, FontAssignCopiesStyleAndDirection) {
  TFont A;
  A.SetName(QStringLiteral("DejaVu Serif"));
  A.SetStyle({fsBold, fsUnderline});
  A.SetColor(clNavy);
  A.SetOrientation(450);
  A.SetCharset(SYMBOL_CHARSET);
  A.SetPitch(fpFixed);
  A.SetQuality(fqAntialiased);
  TFont B;
  Count(B);
  B.Assign(A);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(B.GetName(), QStringLiteral("DejaVu Serif"));
  EXPECT_TRUE(B.GetStyle().Contains(fsBold));
  EXPECT_FALSE(B.GetStyle().Contains(fsItalic));
  EXPECT_EQ(B.GetColor(), clNavy);
  EXPECT_EQ(B.GetOrientation(), 450);
  EXPECT_EQ(B.GetCharset(), SYMBOL_CHARSET);
  EXPECT_EQ(B.GetPitch(), fpFixed);
  EXPECT_EQ(B.GetQuality(), fqAntialiased);
}

TEST_F(TPenBrushFontTest, QtFontTakesPixelSizeFromTheHeight) {
  TFont Font;
  Font.SetName(QStringLiteral("DejaVu Sans"));
  Font.SetHeight(-20);
  Font.SetStyle({fsBold, fsItalic});
  QFont Q = Font.ToQFont();
  EXPECT_EQ(Q.pixelSize(), 20);
  EXPECT_TRUE(Q.bold());
  EXPECT_TRUE(Q.italic());
  // A positive height is the cell height, so the em size is smaller.
  Font.SetHeight(20);
  EXPECT_LT(Font.ToQFont().pixelSize(), 20);
  EXPECT_GT(Font.ToQFont().pixelSize(), 12);
}

TEST_F(TPenBrushFontTest, PublishedPropertiesReachPenAndFontColours) {
  TPen Pen;
  EXPECT_TRUE(SetColorProperty(Pen, QStringLiteral("Color"), clRed));
  EXPECT_EQ(Pen.GetColor(), clRed);
  TFont Font;
  TPropertyValue V;
  EXPECT_TRUE(GetPropertyValue(Font, QStringLiteral("Style"), V));
  EXPECT_EQ(std::get<int>(V), 0);
  EXPECT_TRUE(SetPropertyValue(Font, QStringLiteral("Style"), 1));
  EXPECT_TRUE(Font.GetStyle().Contains(fsBold));
}

}  // namespace
