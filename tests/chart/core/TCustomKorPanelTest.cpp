#include "chart/core/TCustomKorPanel.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TView3DOptions.h"
#include "chart/core/TZoomPanning.h"
#include "tests/chart/core/TestPanels.h"

#include "platform/Exception.h"
#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TClipboard.h"
#include "platform/TMetafile.h"
#include "platform/TPicture.h"
#include "platform/TPrinter.h"
#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using PixelProbe::Count;

class TCustomKorPanelTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTextAntialiasing(false); }
  void TearDown() override {
    PrintKorPanel = false;
    KorClipWhenPrinting = true;
    Clipboard().Clear();
    SetTextAntialiasing(true);
  }

  QString PdfFile() const {
    return QString::fromStdString(
        (FreshTestDir(std::string("TCustomKorPanelTest.") +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name()) /
         "chart.pdf")
            .string());
  }

  static int PdfPages(const QString& File) {
    QFile F(File);
    if (!F.open(QIODevice::ReadOnly)) return -1;
    const QString Pdf = QString::fromLatin1(F.readAll());
    return static_cast<int>(Pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
  }

  TTestPanel Panel;
};

TEST_F(TCustomKorPanelTest, PercentMarginsOfTheBoundsGiveTheChartRectangle) {
  Panel.Draw();  // 400 x 250, no bevels, no border
  EXPECT_EQ(Panel.GetDrawBounds(), TRect(0, 0, 400, 250));
  EXPECT_EQ(Panel.GetPlotRect(), TRect(12, 10, 388, 240));  // 3 % and 4 %
  EXPECT_EQ(Panel.GetPlotWidth(), 376);
  EXPECT_EQ(Panel.GetPlotHeight(), 230);
  EXPECT_EQ(Panel.GetPlotCenterX(), 200);
  EXPECT_EQ(Panel.GetPlotCenterY(), 125);

  Panel.SetMarginUnits(muPixels);
  Panel.Draw();
  EXPECT_EQ(Panel.GetPlotRect(), TRect(3, 4, 397, 246));
}

TEST_F(TCustomKorPanelTest, EmptyOrInvertedChartRectangleIsWidenedAndUserRectangleKept) {
  Panel.SetMarginUnits(muPixels);
  Panel.SetMarginLeft(200);
  Panel.SetMarginRight(200);  // zero width: as wide as the panel
  Panel.SetMarginTop(200);
  Panel.SetMarginBottom(100);  // bottom above top: one pixel high
  Panel.Draw();
  EXPECT_EQ(Panel.GetPlotRect(), TRect(200, 200, 600, 201));

  Panel.SetUserChartRect(true);
  Panel.SetPlotRect(TRect(-5, -6, 50, 60));
  Panel.Draw();
  EXPECT_EQ(Panel.GetPlotRect(), TRect(-5, -6, 50, 60));
}

TEST_F(TCustomKorPanelTest, BevelsBorderAndBorderPenMoveTheChartRectangleIn) {
  Panel.SetMarginUnits(muPixels);
  for (int I = 0; I < 4; ++I) Panel.SetMargin(I, 0);
  Panel.SetBevelOuter(bvRaised);
  Panel.SetBevelInner(bvLowered);
  Panel.SetBevelWidth(2);
  Panel.SetBorderWidth(3);
  Panel.Draw();
  EXPECT_EQ(Panel.GetPlotRect(), TRect(7, 7, 393, 243));  // 2 + 3 + 2
  Panel.GetBorder().SetWidth(4);
  Panel.SetBorderStyle(bsSingle);
  Panel.Draw();
  EXPECT_EQ(Panel.GetPlotRect(), TRect(11, 11, 389, 239));
}

TEST_F(TCustomKorPanelTest, BorderPenIsDrawnInsideThePanel) {
  Panel.GetBorder().SetColor(clRed);
  Panel.SetBorderStyle(bsSingle);
  std::unique_ptr<TBitmap> Thin = Panel.KorCreateBitmap();
  EXPECT_EQ(Thin->GetPixel(0, 100), clRed);
  EXPECT_EQ(Thin->GetPixel(399, 100), clRed);
  EXPECT_EQ(Thin->GetPixel(200, 249), clRed);
  EXPECT_EQ(Thin->GetPixel(1, 100), clWhite);

  Panel.GetBorder().SetWidth(3);  // two pixels beyond one: in by one on each side
  std::unique_ptr<TBitmap> Wide = Panel.KorCreateBitmap();
  for (int X : {0, 1, 2, 397, 398, 399}) EXPECT_EQ(Wide->GetPixel(X, 100), clRed) << X;
  EXPECT_EQ(Wide->GetPixel(3, 100), clWhite);
  EXPECT_EQ(Wide->GetPixel(396, 100), clWhite);
  EXPECT_EQ(Wide->GetPixel(200, 247), clRed);
  EXPECT_EQ(Wide->GetPixel(200, 246), clWhite);
}

TEST_F(TCustomKorPanelTest, RaisedBevelIsLightAtTopLeftAndDarkAtBottomRight) {
  Panel.SetBevelOuter(bvRaised);
  Panel.SetBevelWidth(2);
  std::unique_ptr<TBitmap> B = Panel.KorCreateBitmap();
  EXPECT_EQ(B->GetPixel(0, 100), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(B->GetPixel(1, 100), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(B->GetPixel(399, 100), ColorToRGB(clBtnShadow));
  EXPECT_EQ(B->GetPixel(200, 248), ColorToRGB(clBtnShadow));
  EXPECT_EQ(B->GetPixel(2, 100), clWhite);
}

TEST_F(TCustomKorPanelTest, PrintScalePercentSetsTheLogicalDrawingSize) {
  TRect Logical;
  TSize Size;
  Panel.SetPrintScalePercent(-100);
  ASSERT_TRUE(Panel.CalcMetaBounds(TRect(100, 50, 900, 550), Logical, Size));
  EXPECT_EQ(Size, TSize(800, 500));  // twice the panel
  EXPECT_EQ(Logical, TRect(100, 50, 900, 550));
  Panel.SetPrintScalePercent(50);
  ASSERT_TRUE(Panel.CalcMetaBounds(TRect(100, 50, 900, 550), Logical, Size));
  EXPECT_EQ(Size, TSize(200, 125));  // half
  EXPECT_EQ(Logical, TRect(25, 13, 225, 138));
  Panel.SetPrintScalePercent(0);
  EXPECT_FALSE(Panel.CalcMetaBounds(TRect(100, 50, 100, 550), Logical, Size));
  EXPECT_FALSE(Panel.CalcMetaBounds(TRect(100, 50, 900, 50), Logical, Size));
}

TEST_F(TCustomKorPanelTest, EmptyPrintRectanglePrintsNothing) {
  TBitmap Page(200, 200);
  Panel.SetColor(clRed);
  PrintKorPanel = true;
  Panel.PrintPartialCanvas(Page.GetCanvas(), TRect(50, 50, 50, 150));
  EXPECT_EQ(Panel.DrawCount, 0);
  EXPECT_EQ(Count(Page, clWhite), 200 * 200);
  EXPECT_EQ(Page.GetCanvas().GetMapMode(), mmText);
}

TEST_F(TCustomKorPanelTest, PrintedChartIsScaledIntoTheRectangleWithoutPanelColour) {
  Panel.SetColor(clRed);
  Panel.OnDraw = [](TTestPanel& P, const TRect& R) {
    EXPECT_TRUE(P.GetPrintingNow());
    TCanvas3D& C = P.GetPanelCanvas();
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(clBlue);
    C.GetPen().SetStyle(psClear);
    C.FillRect(TRect(R.Left, R.Top, R.Left + 200, R.Top + 125));  // the top-left quarter
  };
  TBitmap Page(1000, 600);
  Panel.PrintPartialCanvas(Page.GetCanvas(), TRect(900, 550, 100, 50));  // unordered corners
  EXPECT_FALSE(Panel.GetPrintingNow());
  EXPECT_EQ(Page.GetCanvas().GetMapMode(), mmText);
  // The panel is 400 x 250 logical units mapped onto 800 x 500 pixels.
  EXPECT_EQ(PixelProbe::InkBox(Page), TRect(100, 50, 500, 300));
  EXPECT_EQ(Count(Page, clRed), 0);  // no panel colour on paper
  EXPECT_EQ(Count(Page, clBlue), 400 * 250);

  PrintKorPanel = true;
  TBitmap WithPanel(1000, 600);
  Panel.PrintPartialCanvas(WithPanel.GetCanvas(), TRect(100, 50, 900, 550));
  EXPECT_EQ(PixelProbe::InkBox(WithPanel), TRect(100, 50, 900, 550));
  EXPECT_EQ(Count(WithPanel, clRed), 800 * 500 - 400 * 250);
}

TEST_F(TCustomKorPanelTest, PrintClipsToTheRectangleWhenAllowed) {
  Panel.OnDraw = [](TTestPanel& P, const TRect&) {
    TCanvas3D& C = P.GetPanelCanvas();
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(clBlue);
    C.FillRect(TRect(-100, -100, 600, 400));  // far beyond the panel
  };
  TBitmap Clipped(600, 400);
  Panel.PrintPartialCanvas(Clipped.GetCanvas(), TRect(100, 100, 500, 350));
  EXPECT_EQ(PixelProbe::InkBox(Clipped), TRect(100, 100, 500, 350));
  EXPECT_FALSE(Clipped.GetCanvas().HasClip());

  KorClipWhenPrinting = false;
  TBitmap Unclipped(600, 400);
  Panel.PrintPartialCanvas(Unclipped.GetCanvas(), TRect(100, 100, 500, 350));
  EXPECT_EQ(PixelProbe::InkBox(Unclipped), TRect(0, 0, 600, 400));
}

TEST_F(TCustomKorPanelTest, ProportionalMarginsOnA4At600Dpi) {
  Printer().SetPdfOutput(PdfFile(), QSizeF(210, 297), 600);
  const double W = Printer().GetPageWidth();
  const double H = Printer().GetPageHeight();
  ASSERT_NEAR(W, 4960, 5);
  ASSERT_NEAR(H, 7016, 5);

  // Wider than high: 15 % at the sides, the chart 70 % of the page wide.
  Panel.CalcProportionalMargins();
  const int TopBottom = Round((H - 0.7 * W * 250 / 400) * 100 / H) / 2;
  EXPECT_EQ(TopBottom, 34);
  EXPECT_EQ(Panel.GetPrintMargins(), TRect(15, TopBottom, 15, TopBottom));
  const TRect Page = Panel.ChartPrintRect();
  EXPECT_EQ(Page.Left, Round(15 * W / 100));
  EXPECT_EQ(Page.Right, int(W) - Round(15 * W / 100));
  EXPECT_EQ(Page.Top, Round(TopBottom * H / 100));
  // The printed chart keeps the panel's shape (whole percents of margin
  // shift it by up to one percent of the page height).
  EXPECT_NEAR(double(Page.Width()) / Page.Height(), 400.0 / 250.0, 0.08);

  Panel.SetBounds(0, 0, 250, 400);  // higher than wide
  Panel.CalcProportionalMargins();
  const int Sides = Round((W - 0.7 * H * 250 / 400) * 100 / W) / 2;
  EXPECT_EQ(Panel.GetPrintMargins(), TRect(Sides, 15, Sides, 15));
}

TEST_F(TCustomKorPanelTest, PanelWithoutAreaKeepsFifteenPercentPrintMargins) {
  Printer().SetPdfOutput(PdfFile(), QSizeF(210, 297), 600);
  Panel.SetPrintMargins(TRect(1, 2, 3, 4));
  Panel.SetBounds(0, 0, 0, 250);
  Panel.CalcProportionalMargins();
  EXPECT_EQ(Panel.GetPrintMargins(), TRect(15, 15, 15, 15));
  Panel.SetBounds(0, 0, 400, 0);
  Panel.CalcProportionalMargins();
  EXPECT_EQ(Panel.GetPrintMargins(), TRect(15, 15, 15, 15));
}

TEST_F(TCustomKorPanelTest, PrintWritesOnePdfPageTitledWithTheName) {
  const QString File = PdfFile();
  Printer().SetPdfOutput(File, QSizeF(210, 297), 150);
  Panel.SetName("Chart1");
  Panel.SetColor(clRed);
  TRect Seen;
  Panel.OnBeforePrint = [&Seen](TCustomKorPanel*, TCanvas&, const TRect& R) { Seen = R; };
  Panel.Print();
  EXPECT_EQ(Seen, Panel.ChartPrintRect());
  EXPECT_EQ(Printer().GetTitle(), "Chart1");
  EXPECT_FALSE(Printer().GetPrinting());
  EXPECT_EQ(Panel.DrawCount, 1);
  EXPECT_EQ(PdfPages(File), 1);
}

TEST_F(TCustomKorPanelTest, FailedPrintAbortsTheJobAndPassesTheFailureOn) {
  const QString File = PdfFile();
  Printer().SetPdfOutput(File, QSizeF(210, 297), 150);
  Panel.OnDraw = [](TTestPanel&, const TRect&) { throw std::runtime_error("no paper"); };
  const TPrinterOrientation Before = Printer().GetOrientation();
  EXPECT_THROW(Panel.PrintLandscape(), std::runtime_error);
  EXPECT_FALSE(Printer().GetPrinting());
  EXPECT_FALSE(Panel.GetPrintingNow());
  EXPECT_EQ(Printer().GetOrientation(), Before);
  EXPECT_FALSE(QFile::exists(File));
  // The surface is back on the panel's own canvas: drawing goes on.
  Panel.OnDraw = nullptr;
  EXPECT_NO_THROW(Panel.Draw());
}

TEST_F(TCustomKorPanelTest, BitmapExportHasTheRectanglesSizeAndFillColour) {
  Panel.PaintBackground = false;
  std::unique_ptr<TBitmap> Red = Panel.KorCreateBitmap(clRed, TRect(0, 0, 120, 80), pfDevice);
  EXPECT_EQ(Red->GetWidth(), 120);
  EXPECT_EQ(Red->GetHeight(), 80);
  EXPECT_EQ(Count(*Red, clRed), 120 * 80);
  std::unique_ptr<TBitmap> White = Panel.KorCreateBitmap(clWhite, TRect(0, 0, 30, 20), pf24bit);
  EXPECT_EQ(White->GetPixelFormat(), pf24bit);
  EXPECT_EQ(Count(*White, clWhite), 30 * 20);

  Panel.PaintBackground = true;
  Panel.SetColor(clLime);
  std::unique_ptr<TBitmap> Own = Panel.KorCreateBitmap();
  EXPECT_EQ(Own->GetWidth(), 400);
  EXPECT_EQ(Count(*Own, clLime), 400 * 250);
  EXPECT_TRUE(Panel.GetBufferedDisplay());  // restored after the direct draw

  TPicture Picture;
  Panel.AssignTo(Picture);
  EXPECT_EQ(Picture.GetWidth(), 400);
  EXPECT_EQ(Picture.GetBitmap().GetPixel(10, 10), clLime);
}

TEST_F(TCustomKorPanelTest, FileExportsWriteBitmapsAndMetafiles) {
  const std::filesystem::path Dir = FreshTestDir("TCustomKorPanelTest.FileExports");
  const QString Bmp = QString::fromStdString((Dir / "chart.bmp").string());
  Panel.SetColor(clRed);
  Panel.SaveToBitmapFile(Bmp, TRect(0, 0, 64, 48));
  TBitmap Read;
  Read.LoadFromFile(Bmp);
  EXPECT_EQ(Read.GetWidth(), 64);
  EXPECT_EQ(Read.GetPixel(30, 20), clRed);

  std::unique_ptr<TMetafile> Recorded = Panel.KorCreateMetafile(true, TRect(0, 0, 0, 30));
  EXPECT_EQ(Recorded->GetWidth(), 1);
  EXPECT_EQ(Recorded->GetHeight(), 30);
  EXPECT_TRUE(Recorded->GetEnhanced());
  const QString Emf = QString::fromStdString((Dir / "chart.emf").string());
  const QString Wmf = QString::fromStdString((Dir / "chart.wmf").string());
  Panel.SaveToMetafileEnh(Emf);
  Panel.SaveToMetafile(Wmf);
  QFile Enhanced(Emf);
  ASSERT_TRUE(Enhanced.open(QIODevice::ReadOnly));
  EXPECT_EQ(Enhanced.readAll().mid(40, 4), QByteArray(" EMF"));
  QFile Placeable(Wmf);
  ASSERT_TRUE(Placeable.open(QIODevice::ReadOnly));
  EXPECT_EQ(Placeable.readAll().left(4), QByteArray("\xD7\xCD\xC6\x9A", 4));
}

TEST_F(TCustomKorPanelTest, ClipboardGetsABitmapOfTheRectangle) {
  Panel.SetColor(clBlue);
  Panel.CopyToClipboardBitmap(TRect(0, 0, 800, 400));
  TBitmap Pasted;
  ASSERT_TRUE(Clipboard().GetBitmap(Pasted));
  EXPECT_EQ(Pasted.GetWidth(), 800);
  EXPECT_EQ(Pasted.GetHeight(), 400);
  EXPECT_EQ(Pasted.GetPixel(400, 200), clBlue);
}

TEST_F(TCustomKorPanelTest, FramesRunInitWindowThenDrawThenShowImage) {
  std::vector<std::string> Log;
  Panel.SetInternalCanvas(std::make_unique<TRecordingCanvas>(Log));
  Panel.PaintBackground = false;
  Panel.OnDraw = [&Log](TTestPanel& P, const TRect& R) {
    Log.push_back("InternalDraw " + std::to_string(R.Right) + "x" + std::to_string(R.Bottom) +
                  " chart " + std::to_string(P.GetPlotRect().Left));
  };
  Panel.Draw();
  EXPECT_EQ(Log, (std::vector<std::string>{"InitWindow buffered", "InternalDraw 400x250 chart 12",
                                           "ShowImage"}));
  Log.clear();
  Panel.KorCreateBitmap(clWhite, TRect(0, 0, 40, 30), pfDevice);
  EXPECT_EQ(Log, (std::vector<std::string>{"InitWindow direct", "InternalDraw 40x30 chart 1",
                                           "ShowImage"}));
  EXPECT_TRUE(Panel.GetBufferedDisplay());
}

TEST_F(TCustomKorPanelTest, NewSurfaceTakesOverTheSettings) {
  Panel.SetMonochrome(true);
  std::vector<std::string> Log;
  Panel.SetInternalCanvas(std::make_unique<TRecordingCanvas>(Log));
  EXPECT_TRUE(Panel.GetMonochrome());
  EXPECT_TRUE(dynamic_cast<TRecordingCanvas*>(&Panel.GetPanelCanvas()) != nullptr);
  Panel.SetInternalCanvas(nullptr);
  EXPECT_TRUE(dynamic_cast<TRecordingCanvas*>(&Panel.GetPanelCanvas()) != nullptr);
}

TEST_F(TCustomKorPanelTest, AssignCopiesTheDecorationMarginsAndView) {
  TTestPanel Source;
  Source.SetMarginLeft(7);
  Source.SetMarginUnits(muPixels);
  Source.SetBorderRound(9);
  Source.SetBorderStyle(bsSingle);
  Source.SetPrintMargins(TRect(1, 2, 3, 4));
  Source.SetPrintScalePercent(20);
  Source.SetView3D(false);
  Source.GetView3DOptions().SetRotation(10);
  Source.SetColor(clNavy);
  Panel.Assign(Source);
  EXPECT_EQ(Panel.GetMarginLeft(), 7);
  EXPECT_EQ(Panel.GetMarginUnits(), muPixels);
  EXPECT_EQ(Panel.GetBorderRound(), 9);
  EXPECT_EQ(Panel.GetBorderStyle(), bsSingle);
  EXPECT_EQ(Panel.GetPrintMargins(), TRect(1, 2, 3, 4));
  EXPECT_EQ(Panel.GetPrintScalePercent(), 20);
  EXPECT_FALSE(Panel.GetView3D());
  EXPECT_EQ(Panel.GetView3DOptions().GetRotation(), 10);
  EXPECT_EQ(Panel.GetColor(), clNavy);
}

TEST_F(TCustomKorPanelTest, PatternBrushesStayVisibleOnTheirOwnBackColour) {
  TChartBrush Hatch;
  Hatch.SetStyle(bsCross);
  Panel.SetBrushCanvas(clRed, Hatch, clRed);
  EXPECT_EQ(Panel.GetPanelCanvas().GetBrush().GetColor(), clBlack);
  Panel.SetBrushCanvas(clBlack, Hatch, clBlack);
  EXPECT_EQ(Panel.GetPanelCanvas().GetBrush().GetColor(), clWhite);
  Panel.SetBrushCanvas(clRed, Hatch, clBlue);
  EXPECT_EQ(Panel.GetPanelCanvas().GetBrush().GetColor(), clRed);
  TChartBrush Solid;
  Panel.SetBrushCanvas(clRed, Solid, clRed);
  EXPECT_EQ(Panel.GetPanelCanvas().GetBrush().GetColor(), clRed);
}

// Paint requests of an unchanged chart copy its last frame; a change or a
// new size draws again, even with RepaintOnChange off.
TEST_F(TCustomKorPanelTest, PaintReusesACleanFrameAndRedrawsAfterAChange) {
  Panel.Paint();
  EXPECT_EQ(Panel.DrawCount, 1);
  Panel.Paint();
  EXPECT_EQ(Panel.DrawCount, 1);
  Panel.SetMarginTop(9);
  Panel.Paint();
  EXPECT_EQ(Panel.DrawCount, 2);
  Panel.SetRepaintOnChange(false);
  Panel.SetBounds(0, 0, 200, 100);
  Panel.Paint();
  EXPECT_EQ(Panel.DrawCount, 3);
  EXPECT_EQ(Panel.GetDrawBounds(), TRect(0, 0, 200, 100));
}

TEST_F(TCustomKorPanelTest, LegacyBorderStyleMakesTheBorderVisible) {
  EXPECT_TRUE(Panel.ReadLegacyProperty("BorderStyle", QString("bsSingle")));
  EXPECT_EQ(Panel.GetBorderStyle(), bsSingle);
  EXPECT_TRUE(Panel.ReadLegacyProperty("BorderStyle", QString("bsNone")));
  EXPECT_EQ(Panel.GetBorderStyle(), bsNone);
  EXPECT_FALSE(Panel.ReadLegacyProperty("Caption", QString("x")));
}

// -- listeners and mouse

class TListener : public IKorEventListener {
 public:
  TListener(std::vector<std::string>& ALog, std::string AName) : FLog(ALog), FName(AName) {}
  void KorEvent(TKorEvent& Event) override {
    std::string Kind = "event";
    if (auto* Mouse = dynamic_cast<TKorMouseEvent*>(&Event))
      Kind = Mouse->Event == meDown ? "down" : Mouse->Event == meUp ? "up" : "move";
    else if (dynamic_cast<TKorView3DEvent*>(&Event))
      Kind = "3d";
    FLog.push_back(FName + " " + Kind);
    EXPECT_TRUE(Event.Sender != nullptr);
    if (Then) Then(Event);
  }
  std::function<void(TKorEvent&)> Then;

 private:
  std::vector<std::string>& FLog;
  std::string FName;
};

TEST_F(TCustomKorPanelTest, ListenersHearEventsInOrderUntilOneCancelsTheMouse) {
  std::vector<std::string> Log;
  TListener A(Log, "A");
  TListener B(Log, "B");
  EXPECT_EQ(Panel.GetListeners().Add(&A), 0);
  EXPECT_EQ(Panel.GetListeners().Add(&B), 1);
  EXPECT_EQ(Panel.GetListeners().Add(&A), 0);
  Panel.MouseDown(mbLeft, TShiftState(), 5, 6);
  Panel.SetView3D(false);
  EXPECT_EQ(Log, (std::vector<std::string>{"A down", "B down", "A 3d", "B 3d"}));

  Log.clear();
  A.Then = [](TKorEvent& E) {
    if (dynamic_cast<TKorMouseEvent*>(&E)) E.Sender->SetMouseCancelled(true);
  };
  Panel.MouseDown(mbLeft, TShiftState(), 5, 6);
  Panel.SetView3D(true);                 // not a mouse event: everybody hears it
  Panel.MouseMove(TShiftState(), 7, 8);  // a move starts a new action
  EXPECT_EQ(Log, (std::vector<std::string>{"A down", "A 3d", "B 3d", "A move"}));
  EXPECT_TRUE(Panel.GetMouseCancelled());
}

TEST_F(TCustomKorPanelTest, ListenersMayRemoveThemselvesAndOthersWhileHearing) {
  std::vector<std::string> Log;
  TListener A(Log, "A");
  TListener B(Log, "B");
  TListener C(Log, "C");
  Panel.GetListeners().Add(&A);
  Panel.GetListeners().Add(&B);
  Panel.GetListeners().Add(&C);
  A.Then = [&](TKorEvent& E) {
    E.Sender->RemoveListener(&A);
    E.Sender->RemoveListener(&B);
  };
  Panel.MouseUp(mbLeft, TShiftState(), 1, 1);
  EXPECT_EQ(Log, (std::vector<std::string>{"A up", "C up"}));
  EXPECT_EQ(Panel.GetListeners().Count(), 1);
  EXPECT_EQ(Panel.GetListeners().Remove(&A), -1);
  EXPECT_EQ(Panel.GetListeners().Remove(&C), 0);
  Panel.MouseMove(TShiftState(), 1, 1);  // no listeners: nothing to send
  EXPECT_EQ(Log.size(), 2u);
}

TEST_F(TCustomKorPanelTest, CancelledDoubleClickSwallowsItsPress) {
  std::vector<std::string> Log;
  TListener A(Log, "A");
  Panel.GetListeners().Add(&A);
  int Clicks = 0;
  Panel.OnDblClick = [&](TCustomControl*) {
    ++Clicks;
    Panel.SetMouseCancelled(true);
  };
  Panel.DblClick();
  Panel.MouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, 3, 3);
  Panel.MouseUp(mbLeft, TShiftState(), 3, 3);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Log, (std::vector<std::string>{"A up"}));

  Panel.OnDblClick = nullptr;
  Panel.DblClick();
  Panel.MouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, 3, 3);
  EXPECT_EQ(Log.back(), "A down");
}

TEST_F(TCustomKorPanelTest, MouseLeaveRestoresTheCursorAndStopsPanning) {
  Panel.SetSavedCursor(crCross);
  Panel.SetCursor(crHandPoint);
  Panel.GetPanState().Activate(3, 4);
  Panel.MouseLeave();
  EXPECT_EQ(Panel.GetCursor(), crCross);
  EXPECT_FALSE(Panel.GetPanState().Engaged);
}

TEST_F(TCustomKorPanelTest, SetterFamilyRepaintsOnlyOnChange) {
  Panel.Draw();
  EXPECT_FALSE(static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty());
  Panel.SetMarginLeft(3);  // unchanged
  EXPECT_FALSE(static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty());
  Panel.SetMarginLeft(5);
  EXPECT_TRUE(static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty());
  Panel.Draw();
  Panel.SetRepaintOnChange(false);
  Panel.SetMarginLeft(6);
  EXPECT_FALSE(static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty());
}

TEST_F(TCustomKorPanelTest, ChangesThatReachThePanelThroughItsControlBaseRepaintItToo) {
  Panel.Draw();
  Panel.GetView3DOptions().SetElevation(300);
  EXPECT_TRUE(static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty());
  Panel.Draw();
  Panel.TCustomControl::SetColor(clRed);
  EXPECT_TRUE(static_cast<TKorCanvas3D&>(Panel.GetPanelCanvas()).GetDirty());
}

}  // namespace
