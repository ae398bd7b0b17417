#include "chart/editor/TKorPreviewPanel.h"

#include "chart/core/TKorShadow.h"
#include "tests/chart/editor/ExportTestChart.h"
#include "tests/support/OutsideProgram.h"
#include "tests/support/TestSupport.h"

#include "platform/Exception.h"
#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TPrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

namespace {

// A4 at 72 dpi: 595 x 842 printer pixels.
constexpr int PdfResolution = 72;

class TKorPreviewPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = QString::fromStdString(FreshTestDir("preview_panel").string());
    Preview.SetBounds(0, 0, 432, 312);
  }
  void TearDown() override {
    Printer().Abort();
    Printer().SetPdfPrinters({});
    Printer().SetOrientation(poPortrait);
  }

  QString UsePdfPrinter(const QString& Name = QStringLiteral("out.pdf")) {
    const QString File = Dir + "/" + Name;
    Printer().SetPdfPrinters({{QStringLiteral("PDF"), File, QSizeF(210, 297), PdfResolution}});
    return File;
  }

  // One frame of the preview into a bitmap, in one painter session.
  std::unique_ptr<TBitmap> Frame() {
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Preview.GetWidth(), Preview.GetHeight());
    Preview.NonBufferDraw(Bitmap->GetCanvas(), Preview.GetClientRect());
    return Bitmap;
  }

  QString Dir;
  TKorPreviewPanel Preview{nullptr};
};

TEST_F(TKorPreviewPanelTest, PublishesItsPropertiesWithTheirDefaults) {
  const QStringList Names = {"AllowResize", "AllowMove",   "AsBitmap",     "DragImage",
                             "Margins",     "Orientation", "Panel",        "PaperColor",
                             "PaperShadow", "ShowImage",   "SmoothBitmap", "Title"};
  QStringList Published;
  for (const TPublishedProperty& P : Preview.Properties())
    if (Names.contains(P.Name)) Published << P.Name;
  EXPECT_EQ(Published, Names);
  EXPECT_TRUE(Preview.GetMargins().GetSmallDots());
  EXPECT_EQ(Preview.GetMargins().GetStyle(), psDot);
  EXPECT_EQ(Preview.GetPaperShadow().GetColor(), TColor(0x808080));
  EXPECT_EQ(Preview.GetPaperShadow().GetSize(), 4);
  TKorPreviewPanel Fresh(nullptr);
  EXPECT_EQ(Fresh.GetWidth(), 432);
  EXPECT_EQ(Fresh.GetHeight(), 312);
}

// Without a printer the sheet takes the screen's proportions and, without
// a panel, the margins are 15 % on every side.
TEST_F(TKorPreviewPanelTest, WithoutPrinterThePaperHasTheScreensShape) {
  if (!Printer().Printers().isEmpty()) GTEST_SKIP() << "this machine has a printer";
  const QSize Screen = QGuiApplication::primaryScreen()->size();
  const TRect Paper = Preview.CalcPaperRect();
  EXPECT_NEAR(double(Paper.Width()) / Paper.Height(), double(Screen.width()) / Screen.height(),
              0.01);
  const TRect M = Preview.CalcMarginsRect(nullptr, Paper);
  EXPECT_EQ(M.Left - Paper.Left, MulDiv(15, Paper.Width(), 100));
  EXPECT_EQ(Paper.Bottom - M.Bottom, MulDiv(15, Paper.Height(), 100));
}

TEST_F(TKorPreviewPanelTest, PaperFitsThePageIntoThePreview) {
  UsePdfPrinter();
  // Portrait page, wide preview: the height is fitted.
  EXPECT_EQ(Preview.CalcPaperRect(), TRect(127, 31, 304, 281));
  // Landscape page (842 x 595) in a tall preview: the width is fitted.
  Preview.SetOrientation(ppoLandscape);
  Preview.SetBounds(0, 0, 300, 500);
  EXPECT_EQ(Preview.CalcPaperRect(), TRect(30, 165, 270, 335));
  EXPECT_EQ(Printer().GetOrientation(), poLandscape);
  Preview.OnGetPaperRect = [](TKorPreviewPanel*, TRect& R) { R.Left += 5; };
  EXPECT_EQ(Preview.CalcPaperRect().Left, 35);
}

// The sheet, its black frame, its shadow and the dotted margin lines, all
// from one frame.
TEST_F(TKorPreviewPanelTest, DrawsPaperShadowAndMarginLines) {
  UsePdfPrinter();
  Preview.SetColor(TColor(0xC0C0C0));
  Preview.SetBevelOuter(bvNone);
  const std::unique_ptr<TBitmap> PictureFrame = Frame();
  const TBitmap& Picture = *PictureFrame;
  const TRect P = Preview.GetPaperRect();
  const TRect M = Preview.GetMarginsRect();
  ASSERT_EQ(P, TRect(127, 31, 304, 281));
  EXPECT_EQ(Picture.GetPixel(P.Left, P.Top + 50), clBlack);
  EXPECT_EQ(Picture.GetPixel(P.Left + 3, P.Top + 3), clWhite);
  EXPECT_EQ(Picture.GetPixel(P.Left + 20, P.Bottom), TColor(0x808080));
  EXPECT_EQ(Picture.GetPixel(P.Left - 3, P.Top + 50), TColor(0xC0C0C0));
  int Dots = 0;
  for (int Y = P.Top + 2; Y < P.Bottom - 2; ++Y) Dots += Picture.GetPixel(M.Left - 1, Y) == clBlack;
  EXPECT_GT(Dots, P.Height() / 4);
  EXPECT_LT(Dots, P.Height());  // dotted, not solid
  // Hidden margin lines leave the column white.
  Preview.GetMargins().SetVisible(false);
  const std::unique_ptr<TBitmap> PlainFrame = Frame();
  const TBitmap& Plain = *PlainFrame;
  for (int Y = P.Top + 2; Y < P.Bottom - 2; ++Y)
    ASSERT_EQ(Plain.GetPixel(M.Left - 1, Y), clWhite) << Y;
}

TEST_F(TKorPreviewPanelTest, ChartIsDrawnInsideItsMargins) {
  UsePdfPrinter();
  TExportTestChart Sample("Preview", clYellow, clRed);
  Sample.Chart.SetPrintProportional(false);
  Sample.Chart.SetPrintMargins(TRect(10, 10, 10, 10));
  Preview.SetPanel(&Sample.Chart);
  for (bool AsBitmap : {false, true}) {
    Preview.SetAsBitmap(AsBitmap);
    const std::unique_ptr<TBitmap> PictureFrame = Frame();
    const TBitmap& Picture = *PictureFrame;
    const TRect M = Preview.GetMarginsRect();
    int RedInside = 0;
    int RedOutside = 0;
    for (int Y = 0; Y < Picture.GetHeight(); ++Y)
      for (int X = 0; X < Picture.GetWidth(); ++X) {
        const TColor C = Picture.GetPixel(X, Y);
        const bool Red = (C & 0xFF) > 200 && ((C >> 8) & 0xFF) < 80 && ((C >> 16) & 0xFF) < 80;
        if (!Red) continue;
        if (X >= M.Left && X < M.Right && Y >= M.Top && Y < M.Bottom)
          ++RedInside;
        else
          ++RedOutside;
      }
    EXPECT_GT(RedInside, 50) << AsBitmap;
    EXPECT_EQ(RedOutside, 0) << AsBitmap;
  }
  Preview.SetShowImage(false);
  const std::unique_ptr<TBitmap> EmptyFrame = Frame();
  const TBitmap& Empty = *EmptyFrame;
  const TRect M = Preview.GetMarginsRect();
  EXPECT_EQ(Empty.GetPixel((M.Left + M.Right) / 2, (M.Top + M.Bottom) / 2), clWhite);
}

TEST_F(TKorPreviewPanelTest, ZonesFollowTheMarginsRectangle) {
  UsePdfPrinter();
  Frame();
  const TRect M = Preview.GetMarginsRect();
  EXPECT_EQ(Preview.WhereIsCursor(M.Left + 3, M.Top - 4), pzTopLeft);
  EXPECT_EQ(Preview.WhereIsCursor(M.Right, M.Top), pzTopRight);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left, M.Bottom), pzBottomLeft);
  EXPECT_EQ(Preview.WhereIsCursor(M.Right - 4, M.Bottom + 4), pzBottomRight);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left - 4, M.Top + 40), pzLeft);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left + 40, M.Top + 2), pzTop);
  EXPECT_EQ(Preview.WhereIsCursor(M.Right + 1, M.Top + 40), pzRight);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left + 40, M.Bottom - 1), pzBottom);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left + 40, M.Top + 40), pzMove);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left - 5, M.Top + 40), pzNone);
  Preview.SetAllowResize(false);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left, M.Top), pzNone);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left + 40, M.Top + 40), pzMove);
  Preview.SetAllowMove(false);
  EXPECT_EQ(Preview.WhereIsCursor(M.Left + 40, M.Top + 40), pzNone);
}

TEST_F(TKorPreviewPanelTest, DraggingAnEdgeStoresTheMarginsInPercent) {
  UsePdfPrinter();
  TExportTestChart Sample("Drag", clYellow, clRed);
  Sample.Chart.SetPrintProportional(true);
  Preview.SetPanel(&Sample.Chart);
  TRect Reported;
  bool Disabled = false;
  Preview.OnChangeMargins = [&](TKorPreviewPanel*, bool Disable, const TRect& R) {
    Reported = R;
    Disabled = Disable;
  };
  Frame();
  const TRect P = Preview.GetPaperRect();
  const TRect M = Preview.GetMarginsRect();
  Preview.MouseDown(mbLeft, {}, M.Left, M.Top + 40);
  EXPECT_EQ(Preview.GetDragZone(), pzLeft);
  const int X = P.Left + P.Width() / 4;
  Preview.MouseMove({}, X, M.Top + 40);
  Preview.MouseUp(mbLeft, {}, X, M.Top + 40);
  EXPECT_EQ(Preview.GetDragZone(), pzNone);
  EXPECT_FALSE(Sample.Chart.GetPrintProportional());
  EXPECT_TRUE(Disabled);
  EXPECT_EQ(Reported, Sample.Chart.GetPrintMargins());
  EXPECT_EQ(Reported.Left, Round((X - P.Left) * 100.0 / P.Width()));

  // Beyond the right margin line the left edge stops.
  Frame();
  const TRect Before = Preview.GetMarginsRect();
  Preview.MouseDown(mbLeft, {}, Before.Left, Before.Top + 40);
  Preview.MouseMove({}, Before.Right + 10, Before.Top + 40);
  EXPECT_EQ(Preview.GetMarginsRect(), Before);
  // Right up to the line, the pair of margins still leaves something to print.
  Preview.MouseMove({}, Before.Right - 1, Before.Top + 40);
  Preview.MouseUp(mbLeft, {}, Before.Right - 1, Before.Top + 40);
  const TRect Margins = Sample.Chart.GetPrintMargins();
  EXPECT_LE(Margins.Left + Margins.Right, 99);
  EXPECT_GT(Sample.Chart.ChartPrintRect().Width(), 0);
}

TEST_F(TKorPreviewPanelTest, MovingKeepsTheSizeOnlyWhileOnThePaper) {
  UsePdfPrinter();
  Frame();
  const TRect P = Preview.GetPaperRect();
  const TRect M = Preview.GetMarginsRect();
  const TPoint Start((M.Left + M.Right) / 2, (M.Top + M.Bottom) / 2);
  Preview.MouseDown(mbLeft, {}, Start.X, Start.Y);
  ASSERT_EQ(Preview.GetDragZone(), pzMove);
  Preview.MouseMove({}, Start.X + 5, Start.Y + 7);
  EXPECT_EQ(Preview.GetMarginsRect(), TRect(M.Left + 5, M.Top + 7, M.Right + 5, M.Bottom + 7));
  // Against the left edge the rectangle stops at the paper and shrinks
  // only on the side that would leave it.
  Preview.MouseMove({}, P.Left + 1, Start.Y);
  const TRect Moved = Preview.GetMarginsRect();
  EXPECT_EQ(Moved.Left, P.Left);
  EXPECT_EQ(Moved.Top, M.Top);
  EXPECT_GE(Moved.Width(), M.Width() - (Start.X - M.Left));
  // A point outside the paper is ignored.
  Preview.MouseMove({}, P.Right + 20, Start.Y);
  EXPECT_EQ(Preview.GetMarginsRect(), Moved);
}

TEST_F(TKorPreviewPanelTest, SettingThePanelKeepsItFirstAndForgetsAFreedOne) {
  auto* First = new TExportTestChart("A", clYellow, clRed);
  TExportTestChart Second("B", clYellow, clBlue);
  Preview.AddPanel(&Second.Chart);
  Preview.SetPanel(&First->Chart);
  EXPECT_EQ(Preview.GetPanel(), &First->Chart);
  EXPECT_EQ(Preview.Panels().Count(), 1);  // the former first entry was replaced
  Preview.AddPanel(&Second.Chart);
  Preview.SetPanel(&Preview);
  EXPECT_EQ(Preview.GetPanel(), &First->Chart);
  delete First;
  EXPECT_EQ(Preview.Panels().Count(), 1);
  EXPECT_EQ(Preview.GetPanel(), &Second.Chart);
  Frame();  // nothing freed is drawn
}

// Both listed panels go on one page, each in its print rectangle; a panel
// whose margins leave nothing to print is skipped.
TEST_F(TKorPreviewPanelTest, PrintsEveryListedPanelOnOneJob) {
  const QString File = UsePdfPrinter();
  TExportTestChart Top("Top", clYellow, clRed);
  TExportTestChart Bottom("Bottom", clYellow, clBlue);
  TExportTestChart Empty("Empty", clYellow, clGreen);
  Top.Chart.SetName("TopChart");
  Top.Chart.SetPrintProportional(false);
  Top.Chart.SetPrintMargins(TRect(10, 5, 10, 55));
  Bottom.Chart.SetPrintProportional(false);
  Bottom.Chart.SetPrintMargins(TRect(10, 55, 10, 5));
  Empty.Chart.SetPrintProportional(false);
  Empty.Chart.SetPrintMargins(TRect(50, 10, 50, 10));
  Preview.SetPanel(&Top.Chart);
  Preview.AddPanel(&Bottom.Chart);
  Preview.AddPanel(&Empty.Chart);
  int AfterDraw = 0;
  Preview.OnAfterDraw = [&](TPersistent*) { ++AfterDraw; };
  Preview.Print();
  EXPECT_EQ(AfterDraw, 1);
  EXPECT_EQ(Printer().GetTitle(), "TopChart");
  EXPECT_FALSE(Printer().GetPrinting());

  const QString Pdftoppm = FindProgram("pdftoppm");
  ASSERT_FALSE(Pdftoppm.isEmpty()) << "pdftoppm (poppler-utils) is needed";
  const QString Prefix = Dir + "/page";
  const QString Error = RunProgram(Pdftoppm, {"-png", "-r", "36", File, Prefix}, 60000);
  ASSERT_TRUE(Error.isEmpty()) << Error.toStdString();
  EXPECT_FALSE(QFile::exists(Prefix + "-2.png"));
  QImage Page(Prefix + "-1.png");
  ASSERT_FALSE(Page.isNull());
  const auto Share = [&Page](double Top, double Bottom, auto Match) {
    int N = 0;
    for (int Y = int(Top * Page.height()); Y < int(Bottom * Page.height()); ++Y)
      for (int X = 0; X < Page.width(); ++X) N += Match(Page.pixelColor(X, Y));
    return N;
  };
  const auto IsRed = [](QColor C) { return C.red() > 200 && C.green() < 80 && C.blue() < 80; };
  const auto IsBlue = [](QColor C) { return C.blue() > 200 && C.red() < 80 && C.green() < 80; };
  const auto IsGreen = [](QColor C) { return C.green() > 100 && C.red() < 80 && C.blue() < 80; };
  EXPECT_GT(Share(0.0, 0.5, IsRed), 100);
  EXPECT_EQ(Share(0.5, 1.0, IsRed), 0);
  EXPECT_GT(Share(0.5, 1.0, IsBlue), 100);
  EXPECT_EQ(Share(0.0, 0.5, IsBlue), 0);
  EXPECT_EQ(Share(0.0, 1.0, IsGreen), 0);
}

TEST_F(TKorPreviewPanelTest, AFailingPrintIsAbortedAndReported) {
  Printer().SetPdfPrinters({{QStringLiteral("Nowhere"), Dir + "/missing/folder/out.pdf",
                             QSizeF(210, 297), PdfResolution}});
  TExportTestChart Sample("Fail", clYellow, clRed);
  Preview.SetPanel(&Sample.Chart);
  EXPECT_THROW(Preview.Print(), EPrinter);
  EXPECT_FALSE(Printer().GetPrinting());
  Preview.SetPanel(nullptr);
  Preview.Print();  // nothing listed: nothing happens
}

}  // namespace
