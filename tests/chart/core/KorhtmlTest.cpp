#include "chart/core/Korhtml.h"

#include "chart/core/TKorCanvas3D.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "platform/TGraphic.h"
#include "platform/TPicture.h"
#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QIODevice>

#include <algorithm>
#include <filesystem>

namespace {

using PixelProbe::Count;
using PixelProbe::InkBox;
using PixelProbe::SamePixels;

// Mark-up is drawn on one surface and, for comparison, the same pieces are
// drawn with plain TextOut calls on a second surface with the same font;
// positions come from that font's metrics, never from fixed glyph sizes.
class KorhtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    for (TKorCanvas3D* S : {&Surface, &Reference}) {
      S->SetCanvas(S == &Surface ? Bitmap.GetCanvas() : Expected.GetCanvas());
      S->ResetState();
      S->GetFont().SetName(QStringLiteral("DejaVu Sans"));
      S->GetFont().SetSize(10);
    }
  }
  void TearDown() override {
    SetTextAntialiasing(true);
    GraphicFileExtension = nullptr;
    GraphicDownload = &LocalGraphicDownload;
  }

  TFont& Font() { return Surface.GetFont(); }
  // Reference font set-up for measuring and drawing the expected picture.
  TFont& Ref() { return Reference.GetFont(); }
  int RefWidth(const QString& Text) { return Reference.TextWidth(Text); }
  int RefHeight() { return Reference.GetFontHeight(); }
  void Draw(const QString& Text, int X = 0, int Y = 0) { HtmlTextOut(Surface, X, Y, Text); }
  TSize Extent(const QString& Text) { return HtmlTextExtent(Surface, Text); }
  static void UsePictureFiles() {
    GraphicFileExtension = [](const QString& Ext) { return TPicture::GraphicForExtension(Ext); };
  }

  TBitmap Bitmap{320, 160};
  TBitmap Expected{320, 160};
  TKorCanvas3D Surface;
  TKorCanvas3D Reference;
};

TEST_F(KorhtmlTest, BoldRunStaysOnTheLineAndWidthsAdd) {
  const int A = RefWidth("a");
  Ref().SetStyle({fsBold});
  const int B = RefWidth("b");
  Ref().SetStyle({});
  const int C = RefWidth("c");

  EXPECT_EQ(Extent("a<B>b</B>c"), TSize(A + B + C, RefHeight()));
  Draw("a<B>b</B>c", 10, 20);
  Reference.TextOut(10, 20, "a");
  Ref().SetStyle({fsBold});
  Reference.TextOut(10 + A, 20, "b");
  Ref().SetStyle({});
  Reference.TextOut(10 + A + B, 20, "c");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
  EXPECT_TRUE(Font().GetStyle().Empty());
}

TEST_F(KorhtmlTest, EntitiesAreReplacedInOrderAndUnknownTagsAreText) {
  Draw("x&amp;y");
  Reference.TextOut(0, 0, "x&y");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
  // "&amp;" is replaced last, so an escaped entity stays an entity.
  EXPECT_EQ(Extent("&amp;lt;").cx, RefWidth("&lt;"));
  EXPECT_EQ(Extent("&lt;B&gt;&quot;").cx, RefWidth("<B>\""));

  Draw("<XYZ>", 0, 40);
  Reference.TextOut(0, 40, "<XYZ>");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
}

TEST_F(KorhtmlTest, FontColourAppliesInsideTheTagAndIsRestored) {
  Draw("<FONT color=RED>r</FONT>s");
  EXPECT_GT(Count(Bitmap, clRed), 0);
  EXPECT_EQ(Font().GetColor(), clBlack);

  Bitmap.GetCanvas().FillRect(TRect(0, 0, 320, 160));
  Draw("<FONT color=#00FF00>g</FONT><FONT color=clBlue>b</FONT>");
  EXPECT_GT(Count(Bitmap, clLime), 0);
  EXPECT_GT(Count(Bitmap, clBlue), 0);
}

TEST_F(KorhtmlTest, LineBreaksStartOneLineLowerAtTheLeftMargin) {
  const int H = RefHeight();
  const int Wide = std::max(RefWidth("a"), RefWidth("bb"));
  EXPECT_EQ(Extent("a<BR>bb"), TSize(Wide, 2 * H));
  EXPECT_EQ(Extent("a<P>bb"), TSize(Wide, 2 * H));
  EXPECT_EQ(Extent("a\r\n<B></B>bb"), TSize(Wide, 2 * H));  // a text token ending a line
  EXPECT_EQ(Extent("a<BR>"), TSize(RefWidth("a"), H));      // an empty last line adds nothing
  EXPECT_EQ(Extent("a<BR><BR>bb"), TSize(Wide, 3 * H));     // an empty line in between does

  Draw("a<BR>bb", 5, 7);
  Reference.TextOut(5, 7, "a");
  Reference.TextOut(5, 7 + H, "bb");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
}

TEST_F(KorhtmlTest, SmallerTokensShareTheBottomOfTheTallestOnTheLine) {
  Ref().SetSize(24);
  const int BigW = RefWidth("A");
  const int BigH = Reference.TextHeight("A");
  Ref().SetSize(10);
  const int SmallW = RefWidth("b");
  const int SmallH = Reference.TextHeight("b");

  // The small token comes first, before the line knows how tall it is.
  EXPECT_EQ(Extent("b<FONT size=24>A</FONT>b"), TSize(2 * SmallW + BigW, BigH));
  Draw("b<FONT size=24>A</FONT>b");
  Reference.TextOut(0, BigH - SmallH, "b");
  Ref().SetSize(24);
  Reference.TextOut(SmallW, 0, "A");
  Ref().SetSize(10);
  Reference.TextOut(SmallW + BigW, BigH - SmallH, "b");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));

  // The next line starts below the tall one.
  EXPECT_EQ(Extent("<FONT size=24>A</FONT><BR>b").cy, BigH + SmallH);
}

TEST_F(KorhtmlTest, SubscriptDropsBelowTheLineAndTheTextAfterItReturns) {
  const int H = RefHeight();
  const int WH = RefWidth("H");
  Ref().SetSize(5);
  const int SubH = Reference.GetFontHeight();
  const int W2 = RefWidth("2");
  Ref().SetSize(10);

  Draw("H<SUB>2</SUB>O");
  Reference.TextOut(0, 0, "H");
  Ref().SetSize(5);
  Reference.TextOut(WH, H, "2");  // bottom on the line's, then down by its own height
  Ref().SetSize(10);
  Reference.TextOut(WH + W2, 0, "O");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
  EXPECT_EQ(Extent("H<SUB>2</SUB>O").cy, H + SubH);
  EXPECT_EQ(Extent("x<SUPER>2</SUPER>y<BR>z").cy, 2 * H);
}

TEST_F(KorhtmlTest, MissingGreaterThanRaisesTheParserErrorAndDrawsNothing) {
  try {
    Draw("ab<FONT color=RED>c<B");
    FAIL() << "no exception";
  } catch (const HtmlParserException& E) {
    EXPECT_EQ(E.Message(), "Missing > at <B");
  }
  EXPECT_EQ(Count(Bitmap, clWhite), 320 * 160);
  EXPECT_EQ(Font().GetColor(), clBlack);
}

TEST_F(KorhtmlTest, FontAttributeErrors) {
  EXPECT_THROW(Extent("<FONT size=big>x"), HtmlParserException);
  EXPECT_THROW(Extent("<FONT size=99999999999>x"), HtmlParserException);
  EXPECT_THROW(Extent("<IMG width=wide>"), HtmlParserException);
  try {
    Extent("<FONT foo=1>");
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Unknown field in FONT: foo");
  }
  // The public attribute still takes one weight only.
  try {
    Extent("<FONT weight=BOLD, ITALIC>");
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Unknown field in FONT WEIGHT=BOLD, ITALIC");
  }
  EXPECT_THROW(Extent("<FONT color=nocolour>x"), EConvertError);
}

TEST_F(KorhtmlTest, FontAttributesSetNameSizeAndWeight) {
  Extent("<FONT name=\"DejaVu Serif\" size=12 weight=italic>x");
  EXPECT_EQ(Font().GetName(), "DejaVu Serif");
  EXPECT_EQ(Font().GetSize(), 12);
  EXPECT_EQ(Font().GetStyle(), TFontStyles({fsItalic}));
  Extent("<FONT size=+3 family=Serif>x");
  EXPECT_EQ(Font().GetSize(), 15);
  EXPECT_EQ(Font().GetName(), "Serif");
  Extent("<PRE>x");  // the quotes of the built-in name are not part of it
  EXPECT_EQ(Font().GetName(), "COURIER NEW");
  // Sizes stay at least 1.
  Extent("<FONT size=-100>x");
  EXPECT_EQ(Font().GetSize(), 1);
  Extent("<SMALL><SUB>x");
  EXPECT_EQ(Font().GetSize(), 1);
}

TEST_F(KorhtmlTest, RestoringAFontWithSeveralStylesKeepsThemAll) {
  EXPECT_NO_THROW(Draw("<B><I><U><FONT color=RED size=14>x</FONT>y"));
  EXPECT_EQ(Font().GetStyle(), TFontStyles({fsBold, fsItalic, fsUnderline}));
  EXPECT_EQ(Font().GetColor(), clBlack);
  EXPECT_EQ(Font().GetSize(), 10);
}

TEST_F(KorhtmlTest, CloseLastRestoresTheFontOrClosesTheLastStyle) {
  Extent("<FONT color=RED>r</>");  // text between keeps the font restorable
  EXPECT_EQ(Font().GetColor(), clBlack);
  Extent("<B><I>x</>");
  EXPECT_EQ(Font().GetStyle(), TFontStyles({fsBold}));
  Extent("</></></>");  // nothing left to close
  EXPECT_EQ(Font().GetStyle(), TFontStyles({fsBold}));
}

TEST_F(KorhtmlTest, TagsLeftOpenDoNotReachTheNextText) {
  Extent("<FONT color=RED size=20><B>open");
  EXPECT_EQ(Font().GetColor(), clRed);  // the canvas font is left as the tags left it
  // A later text cannot close what another text opened.
  Extent("</></FONT>x");
  EXPECT_EQ(Font().GetColor(), clRed);
  EXPECT_TRUE(Font().GetStyle().Contains(fsBold));
  EXPECT_EQ(Font().GetSize(), 20);
}

TEST_F(KorhtmlTest, SavedFontsAndTagsLiveOnlyDuringOneCall) {
  int DuringCall = -1;
  UsePictureFiles();
  GraphicDownload = [&](const QString&, QIODevice&) {
    DuringCall = HtmlLiveStackEntries();
    return 1;
  };
  Extent("<B><FONT size=9><IMG src=x.png>");
  EXPECT_EQ(DuringCall, 2);
  for (int I = 0; I < 500; ++I) {
    Draw("<B><I><FONT color=RED><BIG><SUB><H1>legend");
    EXPECT_THROW(Extent("<B><FONT size=3>x<"), HtmlParserException);
  }
  EXPECT_EQ(HtmlLiveStackEntries(), 0);
}

TEST_F(KorhtmlTest, UnloadablePictureDrawsTheCrossedMark) {
  UsePictureFiles();
  EXPECT_EQ(Extent("<IMG src=\"nothere.png\">"), TSize(40, 40));
  Draw("<IMG src=\"nothere.png\">", 10, 10);
  EXPECT_EQ(InkBox(Bitmap), TRect(10, 10, 50, 50));
  EXPECT_EQ(Bitmap.GetPixel(10, 10), clRed);
  EXPECT_EQ(Bitmap.GetPixel(49, 49), clRed);
  EXPECT_EQ(Bitmap.GetPixel(30, 30), clRed);  // both diagonals cross in the middle
  EXPECT_EQ(Bitmap.GetPixel(29, 30), clRed);
  EXPECT_EQ(Bitmap.GetPixel(49, 10), clRed);
  EXPECT_EQ(Bitmap.GetPixel(30, 15), clWhite);
  EXPECT_EQ(Count(Bitmap, TRect(11, 11, 49, 49), clRed), 2 * 38);

  // Without a hook for the format, and with a given size.
  GraphicFileExtension = nullptr;
  EXPECT_EQ(Extent("<IMG src=a.png width=12 height=30>"), TSize(12, 30));
  EXPECT_EQ(Surface.GetPen().GetColor(), clBlack);  // the caller's pen is back
}

TEST_F(KorhtmlTest, LocalPictureIsDrawnAtItsSizeOrStretched) {
  const std::filesystem::path Dir = FreshTestDir("KorhtmlPictures");
  const QString File = QString::fromStdString((Dir / "dot.bmp").string());
  TBitmap Dot(4, 3);
  Dot.GetCanvas().GetBrush().SetColor(clBlue);
  Dot.GetCanvas().FillRect(TRect(0, 0, 4, 3));
  TPicture Picture;
  Picture.Assign(Dot);
  Picture.SaveToFile(File);
  UsePictureFiles();

  EXPECT_EQ(Extent("<IMG src=\"" + File + "\">"), TSize(4, 3));
  Draw("<IMG src=\"" + File + "\">", 2, 2);
  EXPECT_EQ(Count(Bitmap, clBlue), 12);
  EXPECT_EQ(InkBox(Bitmap), TRect(2, 2, 6, 5));

  Draw("<IMG width=10 height=6 src=\"file://" + File + "\">", 50, 50);
  EXPECT_EQ(Count(Bitmap, TRect(50, 50, 60, 56), clBlue), 60);
}

TEST_F(KorhtmlTest, PicturesComeOnlyFromLocalFiles) {
  UsePictureFiles();
  QStringList Asked;
  GraphicDownload = [&](const QString& Source, QIODevice&) {
    Asked << Source;
    return 1;
  };
  for (const char* Source : {"http://example.org/a.png", "ftp://h/a.png", "//server/share/a.png",
                             "\\\\server\\share\\a.png", "file://server/a.png"})
    EXPECT_EQ(Extent(QStringLiteral("<IMG src=") + Source + ">"), TSize(40, 40)) << Source;
  EXPECT_TRUE(Asked.isEmpty()) << Asked.join(", ").toStdString();
  Extent("<IMG src=pictures/a.png>");
  EXPECT_EQ(Asked, QStringList({"pictures/a.png"}));

  const std::filesystem::path Dir = FreshTestDir("KorhtmlLocal");
  WriteTextFile(Dir / "a.png", "not a picture");
  const QString Folder = QString::fromStdString(Dir.string());
  QByteArray Read;
  QBuffer Stream(&Read);
  Stream.open(QIODevice::WriteOnly);
  EXPECT_EQ(LocalGraphicDownload(Folder + "/a.png", Stream), 0);
  EXPECT_EQ(Read, QByteArray("not a picture"));
  EXPECT_EQ(LocalGraphicDownload(Folder, Stream), 1);       // a folder
  EXPECT_EQ(LocalGraphicDownload("/dev/zero", Stream), 1);  // not a regular file
  EXPECT_EQ(LocalGraphicDownload("https://x/a.png", Stream), 1);
}

TEST_F(KorhtmlTest, RuleTakesALineOfItsOwn) {
  const int H = RefHeight();
  EXPECT_EQ(Extent("a<HR>b"), TSize(100, 3 * H));
  Draw("a<HR>b");
  const int RuleY = H + H / 2;
  EXPECT_EQ(Count(Bitmap, TRect(0, RuleY, 100, RuleY + 1), TColor(0x808080)), 100);
  EXPECT_EQ(Bitmap.GetPixel(100, RuleY), clWhite);
  EXPECT_EQ(Surface.GetPen().GetColor(), clBlack);
  Reference.TextOut(0, 0, "a");
  Reference.TextOut(0, 2 * H, "b");
  Bitmap.GetCanvas().FillRect(TRect(0, RuleY, 100, RuleY + 1));
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
}

TEST_F(KorhtmlTest, CentredTextIsCentredInTheSurfaceBounds) {
  Surface.SetUseBuffer(false);
  Surface.InitWindow(Bitmap.GetCanvas(), nullptr, clWhite, false, TRect(0, 0, 320, 160));
  const int W = RefWidth("middle");
  Draw("<CENTER>middle</CENTER>");
  Reference.TextOut(160 - W / 2, 0, "middle");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
}

}  // namespace

namespace {

TEST_F(KorhtmlTest, SurfaceTextOutTakesTheMarkUpWhenAskedTo) {
  Surface.TextOut(10, 20, "a<B>b</B>c", true);
  HtmlTextOut(Reference, 10, 20, "a<B>b</B>c");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
}

TEST_F(KorhtmlTest, SurfaceTextOutDrawsTagsAsTextOtherwise) {
  Surface.TextOut(10, 20, "a<B>b</B>c", false);
  Reference.TextOut(10, 20, "a<B>b</B>c");
  EXPECT_TRUE(SamePixels(Bitmap, Expected));
}

}  // namespace
