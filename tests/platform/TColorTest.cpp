#include "platform/TColor.h"

#include "platform/Exception.h"

#include <QColor>

#include <gtest/gtest.h>

namespace {

class TColorTest : public ::testing::Test {};

TEST_F(TColorTest, ChannelsFollowTheBlueGreenRedLayout) {
  static_assert(RGB(255, 0, 0) == clRed);
  static_assert(RGB(0, 0, 255) == clBlue);
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
  EXPECT_EQ(GetRValue(0x563412), 0x12);
  EXPECT_EQ(GetGValue(0x563412), 0x34);
  EXPECT_EQ(GetBValue(0x563412), 0x56);
}

TEST_F(TColorTest, SystemColoursResolveThroughTheFixedTable) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080u);
  EXPECT_EQ(ColorToRGB(clHighlight), 0x800000u);
  EXPECT_EQ(clInfoBk, 0xFF000018u);
  EXPECT_EQ(ColorToRGB(clInfoBk), 0xE1FFFFu);
  // The older 0x80000000-based form of the same index resolves alike.
  EXPECT_EQ(ColorToRGB(0x8000000F), ColorToRGB(clBtnFace));
  // Plain values and the two markers pass through.
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
}

TEST_F(TColorTest, NamesAndHexFormsRoundTrip) {
  for (TColor C : {clRed, clBtnFace, clNone, clDefault, clMoneyGreen, clInfoBk, TColor(0x00FF0000),
                   TColor(0x00123456), TColor(0x0A0B0C0D)}) {
    EXPECT_EQ(StringToColor(ColorToString(C)), C) << ColorToString(C).toStdString();
  }
  EXPECT_EQ(ColorToString(clRed), QStringLiteral("clRed"));
  EXPECT_EQ(ColorToString(0x00123456), QStringLiteral("$00123456"));
  EXPECT_EQ(ColorToString(clLtGray), QStringLiteral("clSilver"));
}

TEST_F(TColorTest, StringToColorReadsNamesHexAndSignedIntegers) {
  EXPECT_EQ(StringToColor(QStringLiteral("clBlue")), clBlue);
  EXPECT_EQ(StringToColor(QStringLiteral("CLBLUE")), clBlue);
  EXPECT_EQ(StringToColor(QStringLiteral("clLtGray")), clSilver);
  EXPECT_EQ(StringToColor(QStringLiteral("$00FF0000")), clBlue);
  EXPECT_EQ(StringToColor(QStringLiteral("0x0000ff")), clRed);
  EXPECT_EQ(StringToColor(QStringLiteral("255")), clRed);
  // A system colour written as a signed 32-bit integer.
  EXPECT_EQ(StringToColor(QStringLiteral("-16777192")), clInfoBk);
  for (const char* Bad : {"", "clNoSuchColour", "$", "$1FFFFFFFF", "12x", "99999999999"}) {
    EXPECT_THROW(StringToColor(QString::fromLatin1(Bad)), EConvertError) << Bad;
  }
  TColor C = clBlack;
  EXPECT_FALSE(IdentToColor(QStringLiteral("red"), C));
}

TEST_F(TColorTest, QtConversionResolvesSystemColoursAndHidesMarkers) {
  QColor Q = ColorToQColor(RGB(10, 20, 30));
  EXPECT_EQ(Q, QColor(10, 20, 30));
  EXPECT_EQ(QColorToColor(Q), RGB(10, 20, 30));
  EXPECT_EQ(ColorToQColor(clBtnFace), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(ColorToQColor(clNone).alpha(), 0);
  EXPECT_EQ(ColorToQColor(clDefault).alpha(), 0);
}

}  // namespace
