#include "platform/TCanvasLayer.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TScene = std::function<void(TCanvas&)>;

// Every value the scenes' calls read, set as a frame starts (a frame must
// not depend on what the one before left).
void ResetState(TCanvas& C) {
  SetTextAntialiasing(false);
  SetDirectLineDrawing(true);
  SetKeptGlyphs(true);
  C.SetMapMode(mmText);
  C.SetWindowOrg(0, 0);
  C.SetViewportOrg(0, 0);
  C.RemoveClip();
  C.GetPen().SetColor(clBlack);
  C.GetPen().SetWidth(1);
  C.GetPen().SetStyle(psSolid);
  C.GetPen().SetMode(pmCopy);
  C.GetPen().SetEndCap(pecRound);
  C.GetPen().SetJoin(pjRound);
  C.GetPen().SetUserDashes({});
  C.GetBrush().SetStyle(bsSolid);
  C.GetBrush().SetColor(clWhite);
  C.GetFont().SetName(QStringLiteral("DejaVu Sans"));
  C.GetFont().SetHeight(-11);
  C.GetFont().SetStyle({});
  C.GetFont().SetOrientation(0);
  C.GetFont().SetQuality(fqDefault);
  C.GetFont().SetColor(clNavy);
  C.SetTextColor(clNavy);
  C.SetTextCharacterExtra(0);
  C.SetTextAlign(TA_LEFT | TA_TOP);
  C.SetBkMode(bkTransparent);
  C.SetBkColor(clWhite);
  C.MoveTo(0, 0);
}

// What a layer records in the values a frame's fixed part uses (walls,
// grid, ticks, labels, a legend with a soft shadow), after an opaque fill
// of the whole bitmap unless Fill is false.
void DrawFixed(TCanvas& C, bool Fill) {
  ResetState(C);
  if (Fill) C.FillRect(TRect(0, 0, 120, 80));
  C.GetBrush().SetColor(static_cast<TColor>(0xE0F0F0));
  C.Rectangle(10, 10, 110, 70);
  C.GetPen().SetStyle(psDot);
  C.GetPen().SetColor(clGray);
  for (int X = 20; X < 110; X += 15) {
    C.MoveTo(X, 11);
    C.LineTo(X, 69);
  }
  C.GetPen().SetStyle(psSolid);
  C.GetPen().SetColor(clBlue);
  const TPoint Points[] = {TPoint(12, 60), TPoint(40, 30), TPoint(70, 45), TPoint(100, 15)};
  C.Polyline(Points, 4);
  C.GetBrush().SetColor(clYellow);
  C.Polygon(Points, 3);
  C.Ellipse(80, 50, 100, 66);
  C.RoundRect(15, 50, 40, 66, 6, 6);
  C.FrameRect(TRect(2, 2, 8, 8));
  C.SetPixel(5, 75, clRed);
  C.SetTextAlign(TA_CENTER);
  C.TextOut(60, 1, QStringLiteral("0.65"));
  C.SetTextAlign(TA_LEFT | TA_TOP);
  C.SetTextColor(clMaroon);
  C.TextOut(12, 40, QStringLiteral("Scan 1"));
  C.ClipRect(TRect(50, 20, 90, 40));
  C.GetBrush().SetColor(clGreen);
  C.FillRect(TRect(40, 10, 100, 50));
  C.RemoveClip();
}

void FixedScene(TCanvas& C) {
  DrawFixed(C, true);
}

// What a frame draws after its fixed part (its series), reading the state
// the fixed part left: the pen position, pen, font, text colour, clip.
void MovingScene(TCanvas& C) {
  C.LineTo(30, 77);
  C.TextOut(70, 60, QStringLiteral("after"));
  C.GetPen().SetColor(clRed);
  const TPoint Trace[] = {TPoint(11, 68), TPoint(50, 20), TPoint(109, 50)};
  C.Polyline(Trace, 3);
}

class TCanvasLayerTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTextAntialiasing(false); }
  void TearDown() override {
    SetTextAntialiasing(true);
    SetDirectLineDrawing(true);
    SetKeptGlyphs(true);
  }

  // One frame on Bitmap, which is first scribbled on (kept pixels must
  // not show it): Fixed recorded in the layer, Moving drawn after it.
  void Frame(TBitmap& Bitmap, const TScene& Fixed, const TScene& Moving = MovingScene) {
    Scribble(Bitmap);
    Layer.Begin(Bitmap.GetCanvas());
    Fixed(Bitmap.GetCanvas());
    Layer.End();
    Moving(Bitmap.GetCanvas());
  }

  // The same frame drawn without a layer after a frame of Before.
  static QImage Live(const TScene& Before, const TScene& Fixed, const TScene& Moving = MovingScene,
                     int Width = 120, int Height = 80) {
    TBitmap Bitmap(Width, Height);
    Before(Bitmap.GetCanvas());
    Moving(Bitmap.GetCanvas());
    Scribble(Bitmap);
    Fixed(Bitmap.GetCanvas());
    Moving(Bitmap.GetCanvas());
    return Bitmap.Image();
  }

  static void Scribble(TBitmap& Bitmap) {
    TCanvas& C = Bitmap.GetCanvas();
    const TColor Brush = C.GetBrush().GetColor();
    C.GetBrush().SetColor(clFuchsia);
    C.FillRect(TRect(0, 0, 30, 30));
    C.GetBrush().SetColor(Brush);
  }

  TCanvasLayer Layer;
};

TEST_F(TCanvasLayerTest, ARecordingDrawsWhatItsCallsDrawAndLeavesTheCanvasAsTheyDo) {
  TBitmap Bitmap(120, 80);
  Frame(Bitmap, FixedScene);
  EXPECT_FALSE(Layer.GetReused());
  EXPECT_EQ(Bitmap.Image(), Live([](TCanvas&) {}, FixedScene, MovingScene));
  EXPECT_GT(PixelProbe::Count(Bitmap, clGreen), 500);
}

// The pixels are kept once two frames in a row recorded the same, and
// given from the third on; the scribbles before each frame never show.
TEST_F(TCanvasLayerTest, TheThirdEqualFrameGetsTheKeptPixels) {
  TBitmap Bitmap(120, 80);
  const QImage Expected = Live(FixedScene, FixedScene);
  for (int N = 0; N < 4; ++N) {
    Frame(Bitmap, FixedScene);
    EXPECT_EQ(Layer.GetReused(), N >= 2) << N;
    EXPECT_EQ(Bitmap.Image(), Expected) << N;
  }
  // Another bitmap of the same size takes them too.
  TBitmap Other(120, 80);
  Frame(Other, FixedScene);
  EXPECT_TRUE(Layer.GetReused());
  EXPECT_EQ(Other.Image(), Expected);
  // One of another size does not.
  TBitmap Wider(121, 80);
  Frame(Wider, FixedScene);
  EXPECT_FALSE(Layer.GetReused());
  EXPECT_EQ(Wider.Image(), Live(FixedScene, FixedScene, MovingScene, 121, 80));
}

// A reused frame copies back only what was drawn over the kept pixels since
// the bitmap last got them, when all of that is known: whatever is drawn
// between frames, by any way of drawing or by changing the bitmap itself,
// must be gone under the next frame's fixed part.
TEST_F(TCanvasLayerTest, WhateverWasDrawnOverTheKeptPixelsIsGoneInTheNextFrame) {
  const std::vector<std::pair<const char*, TScene>> Between = {
      {"trace",
       [](TCanvas& C) {
         std::vector<TPoint> Trace;
         for (int I = 0; I < 300; ++I) Trace.emplace_back(I * 119 / 299, 40 + (I * 37) % 41 - 20);
         C.Polyline(Trace.data(), int(Trace.size()));
       }},
      {"long trace",
       [](TCanvas& C) {
         std::vector<TPoint> Trace;
         for (int I = 0; I < 20000; ++I) Trace.emplace_back((I * 7) % 120, (I * 13) % 80);
         C.Polyline(Trace.data(), int(Trace.size()));
       }},
      {"moved trace",
       [](TCanvas& C) {
         C.SetWindowOrg(-5, 7);
         const TPoint Trace[] = {TPoint(0, 0), TPoint(60, 50), TPoint(100, 10)};
         C.Polyline(Trace, 3);
         C.SetWindowOrg(0, 0);
       }},
      {"clipped trace",
       [](TCanvas& C) {
         C.ClipRect(TRect(30, 10, 70, 60));
         const TPoint Trace[] = {TPoint(0, 79), TPoint(119, 0), TPoint(0, 0)};
         C.Polyline(Trace, 3);
         C.RemoveClip();
       }},
      {"dots",
       [](TCanvas& C) {
         C.GetPen().SetStyle(psDot);
         C.MoveTo(0, 44);
         C.LineTo(119, 44);
         C.GetPen().SetStyle(psSolid);
       }},
      {"wide line",
       [](TCanvas& C) {
         C.GetPen().SetWidth(3);
         C.MoveTo(5, 5);
         C.LineTo(115, 75);
         C.GetPen().SetWidth(1);
       }},
      {"text", [](TCanvas& C) { C.TextOut(80, 65, QStringLiteral("between")); }},
      {"clipped fill",
       [](TCanvas& C) {
         C.ClipRect(TRect(90, 5, 100, 15));
         C.GetBrush().SetColor(clBlack);
         C.FillRect(TRect(0, 0, 120, 80));
         C.RemoveClip();
       }},
      {"pixel", [](TCanvas& C) { C.SetPixel(118, 78, clBlack); }},
      {"rows written",
       [](TCanvas& C) {
         auto* Row = static_cast<quint32*>(C.GetBitmap()->ScanLine(33));
         for (int X = 0; X < 120; ++X) Row[X] = 0xFF000000u;
       }},
      {"new image",
       [](TCanvas& C) {
         QImage Red(120, 80, QImage::Format_RGB32);
         Red.fill(Qt::red);
         C.GetBitmap()->SetImage(Red);
       }},
  };
  // Nothing but the scene is drawn between frames: a scribble over the
  // whole bitmap would make every pixel count as changed.
  for (const auto& [Name, Scene] : Between) {
    SCOPED_TRACE(Name);
    Layer.Clear();
    TBitmap Bitmap(120, 80);
    TBitmap Expected(120, 80);
    FixedScene(Expected.GetCanvas());
    for (int N = 0; N < 4; ++N) {
      Layer.Begin(Bitmap.GetCanvas());
      FixedScene(Bitmap.GetCanvas());
      Layer.End();
      EXPECT_EQ(Layer.GetReused(), N >= 2) << N;
      EXPECT_EQ(Bitmap.Image(), Expected.Image()) << N;
      Scene(Bitmap.GetCanvas());
    }
  }
}

// Each change of one value a recorded call reads, made before the fixed
// part is recorded, must draw the frame afresh.
struct TChange {
  const char* Name;
  std::function<void(TCanvas&)> Make;
  // False for the switches that by design draw the same pixels another way.
  bool Shows = true;
};

void PrintTo(const TChange& Change, std::ostream* Out) {
  *Out << Change.Name;
}

// The fixed scene, Change made, and calls that read what it changes.
void ChangedScene(TCanvas& C, const TChange* Change) {
  FixedScene(C);
  if (Change != nullptr) Change->Make(C);
  C.GetBrush().SetStyle(bsSolid);
  C.GetPen().SetStyle(psSolid);
  C.Rectangle(20, 20, 50, 45);
  C.TextOut(55, 52, QStringLiteral("Wj 7"));
  C.MoveTo(12, 12);
  C.LineTo(108, 30);
}

class TCanvasLayerChangeTest : public TCanvasLayerTest,
                               public ::testing::WithParamInterface<TChange> {};

TEST_P(TCanvasLayerChangeTest, AChangedValueDrawsTheFrameAfresh) {
  const TScene Changed = [](TCanvas& C) { ChangedScene(C, &GetParam()); };
  const TScene Unchanged = [](TCanvas& C) { ChangedScene(C, nullptr); };
  TBitmap Bitmap(120, 80);
  for (int N = 0; N < 3; ++N) Frame(Bitmap, Unchanged);
  ASSERT_TRUE(Layer.GetReused());
  const QImage Before = Bitmap.Image();
  Frame(Bitmap, Changed);
  EXPECT_FALSE(Layer.GetReused());
  EXPECT_EQ(Bitmap.Image(), Live(Unchanged, Changed));
  if (GetParam().Shows) {
    EXPECT_NE(Bitmap.Image(), Before) << "the change shows";
  }
  // Back to the frame before: its pixels are drawn afresh, then kept again.
  Frame(Bitmap, Unchanged);
  EXPECT_FALSE(Layer.GetReused());
  Frame(Bitmap, Unchanged);
  Frame(Bitmap, Unchanged);
  EXPECT_TRUE(Layer.GetReused());
  EXPECT_EQ(Bitmap.Image(), Before);
}

const TChange Changes[] = {
    {"PenColour", [](TCanvas& C) { C.GetPen().SetColor(clOlive); }},
    {"PenWidth", [](TCanvas& C) { C.GetPen().SetWidth(3); }},
    {"PenMode", [](TCanvas& C) { C.GetPen().SetMode(pmXor); }},
    {"PenEndCapAndJoin",
     [](TCanvas& C) {
       C.GetPen().SetWidth(5);
       C.GetPen().SetEndCap(pecFlat);
       C.GetPen().SetJoin(pjMiter);
     }},
    {"UserDashes",
     [](TCanvas& C) {
       C.GetPen().SetUserDashes({4, 2});
       C.GetPen().SetStyle(psUserStyle);
       C.LineTo(100, 70);
     }},
    {"BrushColour", [](TCanvas& C) { C.GetBrush().SetColor(clAqua); }},
    {"BrushHatch",
     [](TCanvas& C) {
       C.GetBrush().SetStyle(bsCross);
       C.FillRect(TRect(60, 60, 90, 75));
     }},
    {"FontName", [](TCanvas& C) { C.GetFont().SetName(QStringLiteral("DejaVu Serif")); }},
    {"FontHeight", [](TCanvas& C) { C.GetFont().SetHeight(-14); }},
    {"FontStyle", [](TCanvas& C) { C.GetFont().SetStyle({fsBold}); }},
    {"FontOrientation", [](TCanvas& C) { C.GetFont().SetOrientation(900); }},
    {"FontQuality", [](TCanvas& C) { C.GetFont().SetQuality(fqAntialiased); }},
    {"TextColour", [](TCanvas& C) { C.SetTextColor(clPurple); }},
    {"OpaqueText",
     [](TCanvas& C) {
       C.SetBkMode(bkOpaque);
       C.SetBkColor(clSilver);
     }},
    {"TextAlignment", [](TCanvas& C) { C.SetTextAlign(TA_RIGHT | TA_BOTTOM); }},
    {"CharacterSpacing", [](TCanvas& C) { C.SetTextCharacterExtra(2); }},
    {"Mapping",
     [](TCanvas& C) {
       C.SetMapMode(mmAnisotropic);
       C.SetWindowExt(4, 4);
       C.SetViewportExt(3, 3);
     }},
    {"WindowOrigin", [](TCanvas& C) { C.SetWindowOrg(-3, 2); }},
    {"Clip", [](TCanvas& C) { C.ClipRect(TRect(0, 0, 40, 80)); }},
    {"TextAntialiasing", [](TCanvas&) { SetTextAntialiasing(true); }},
    {"PainterLines", [](TCanvas&) { SetDirectLineDrawing(false); }, false},
    {"PainterText", [](TCanvas&) { SetKeptGlyphs(false); }, false},
};

INSTANTIATE_TEST_SUITE_P(EachValue, TCanvasLayerChangeTest, ::testing::ValuesIn(Changes),
                         [](const ::testing::TestParamInfo<TChange>& Info) {
                           return std::string(Info.param.Name);
                         });

// The calls' own values: where they draw, what they write. Varied names
// the call drawn with other values (-1: none).
void PlacedCalls(TCanvas& C, int Varied) {
  FixedScene(C);
  C.LineTo(100, Varied == 0 ? 41 : 40);
  C.TextOut(20, 20, Varied == 1 ? QStringLiteral("0.66") : QStringLiteral("0.65"));
  const TPoint P[] = {TPoint(1, 1), TPoint(50, 70), TPoint(119, Varied == 2 ? 3 : 2)};
  C.Polyline(P, 3);
  C.SetPixel(7, 7, Varied == 3 ? clLime : clRed);
  C.Ellipse(3, 3, 19, Varied == 4 ? 15 : 14);
}

TEST_F(TCanvasLayerTest, ACallWithOtherPlacesOrTextDrawsTheFrameAfresh) {
  const TScene Base = [](TCanvas& C) { PlacedCalls(C, -1); };
  for (int V = 0; V < 5; ++V) {
    SCOPED_TRACE(V);
    const TScene Varied = [V](TCanvas& C) { PlacedCalls(C, V); };
    TBitmap Bitmap(120, 80);
    Layer.Clear();
    for (int N = 0; N < 3; ++N) Frame(Bitmap, Base);
    ASSERT_TRUE(Layer.GetReused());
    Frame(Bitmap, Varied);
    EXPECT_FALSE(Layer.GetReused());
    EXPECT_EQ(Bitmap.Image(), Live(Base, Varied));
  }
}

// Without an opaque fill of the whole bitmap first, what was there before
// shows through: such recordings are drawn every time.
TEST_F(TCanvasLayerTest, RecordingsThatDoNotCoverTheWholeBitmapAreNeverReused) {
  const std::vector<TScene> Starts = {
      [](TCanvas& C) { C.FillRect(TRect(0, 0, 120, 79)); },
      [](TCanvas& C) {
        C.ClipRect(TRect(0, 0, 60, 80));
        C.FillRect(TRect(0, 0, 120, 80));
        C.RemoveClip();
      },
      [](TCanvas& C) {
        C.GetBrush().SetStyle(bsDiagCross);
        C.FillRect(TRect(0, 0, 120, 80));
        C.GetBrush().SetStyle(bsSolid);
      },
      [](TCanvas& C) { C.Rectangle(0, 0, 120, 80); },
  };
  for (size_t S = 0; S < Starts.size(); ++S) {
    SCOPED_TRACE(S);
    const TScene Scene = [&Starts, S](TCanvas& C) {
      ResetState(C);
      Starts[S](C);
      DrawFixed(C, false);
    };
    Layer.Clear();
    TBitmap Bitmap(120, 80);
    for (int N = 0; N < 4; ++N) {
      // A different scribble each time: it shows where the start does not
      // cover.
      Bitmap.GetCanvas().GetBrush().SetColor(static_cast<TColor>(0x102030 * (N + 1)));
      Bitmap.GetCanvas().FillRect(TRect(0, 0, 120, 80));
      Bitmap.GetCanvas().GetBrush().SetColor(clWhite);
      Frame(Bitmap, Scene);
      EXPECT_FALSE(Layer.GetReused());
    }
    const QImage Drawn = Bitmap.Image();
    TBitmap Check(120, 80);
    Check.GetCanvas().GetBrush().SetColor(static_cast<TColor>(0x102030 * 4));
    Check.GetCanvas().FillRect(TRect(0, 0, 120, 80));
    Scribble(Check);
    Scene(Check.GetCanvas());
    MovingScene(Check.GetCanvas());
    EXPECT_EQ(Drawn, Check.Image());
  }
}

// Calls a recording cannot hold, and reading the pixels, first draw what
// was recorded: everything lands in the order it was asked for.
TEST_F(TCanvasLayerTest, OtherCallsAndReadsFirstDrawWhatWasRecorded) {
  TBitmap Pattern(4, 4);
  Pattern.GetCanvas().GetBrush().SetColor(clRed);
  Pattern.GetCanvas().FillRect(TRect(0, 0, 2, 4));
  const std::vector<TScene> Interruptions = {
      [](TCanvas& C) { C.Arc(10, 10, 60, 60, 0, 0, 60, 60); },
      [](TCanvas& C) { C.TextRect(TRect(20, 20, 50, 30), 20, 20, QStringLiteral("cut off")); },
      [&Pattern](TCanvas& C) { C.Draw(30, 30, Pattern); },
      [&Pattern](TCanvas& C) {
        C.GetBrush().SetBitmap(&Pattern);
        C.Rectangle(40, 10, 80, 40);
        C.GetBrush().SetBitmap(nullptr);
      },
      [](TCanvas& C) {
        C.BeginPath();
        C.Rectangle(5, 5, 30, 30);
        C.EndPath();
        C.FillPath();
      },
      [](TCanvas& C) { C.SetPixel(60, 30, C.GetPixel(61, 30)); },
  };
  for (size_t I = 0; I < Interruptions.size(); ++I) {
    SCOPED_TRACE(I);
    const TScene Scene = [&Interruptions, I](TCanvas& C) {
      FixedScene(C);
      Interruptions[I](C);
      C.GetPen().SetColor(clLime);
      C.MoveTo(0, 79);
      C.LineTo(119, 0);
    };
    Layer.Clear();
    TBitmap Bitmap(120, 80);
    for (int N = 0; N < 3; ++N) {
      Frame(Bitmap, Scene);
      EXPECT_FALSE(Layer.GetReused());
    }
    EXPECT_EQ(Bitmap.Image(), Live(Scene, Scene));
  }
  // A read in the middle sees what was recorded before it.
  TBitmap Bitmap(120, 80);
  Layer.Begin(Bitmap.GetCanvas());
  FixedScene(Bitmap.GetCanvas());
  EXPECT_EQ(Bitmap.GetPixel(60, 30), clGreen);
  Layer.End();
}

// A changed font makes its colour the text colour only when text is drawn:
// a colour set for the text stays in force over a font changed and changed
// back without text in between. Neither recording the calls nor drawing
// the recording may take the colour sooner, in the fixed part or after it.
void OverriddenColourScene(TCanvas& C) {
  FixedScene(C);
  C.SetTextColor(clTeal);
  C.GetFont().SetHeight(-14);
  C.LineTo(60, 60);
  C.GetFont().SetHeight(-11);
  C.TextOut(20, 52, QStringLiteral("Wj 7"));
  C.GetFont().SetHeight(-14);
}

void OverriddenColourAfter(TCanvas& C) {
  C.GetFont().SetHeight(-11);
  C.TextOut(60, 64, QStringLiteral("after"));
}

TEST_F(TCanvasLayerTest, TheTextColourIsTakenFromTheFontOnlyWhenTextIsDrawn) {
  const QImage Expected = Live(OverriddenColourScene, OverriddenColourScene, OverriddenColourAfter);
  TBitmap Bitmap(120, 80);
  for (int N = 0; N < 4; ++N) {
    Frame(Bitmap, OverriddenColourScene, OverriddenColourAfter);
    EXPECT_EQ(Layer.GetReused(), N >= 2) << N;
    EXPECT_EQ(Bitmap.Image(), Expected) << N;
  }
  EXPECT_GT(PixelProbe::Count(Bitmap, clTeal), 40);
}

// The glyphs come from the fonts of the moment: when those may have
// changed (here: more fonts were measured than are remembered), kept
// pixels are not given.
TEST_F(TCanvasLayerTest, NewFontsBetweenFramesDrawTheFrameAfresh) {
  TBitmap Bitmap(120, 80);
  for (int N = 0; N < 3; ++N) Frame(Bitmap, FixedScene);
  ASSERT_TRUE(Layer.GetReused());
  TBitmap Scratch(10, 10);
  for (int Pixels = 6; Pixels < 300; ++Pixels) {
    Scratch.GetCanvas().GetFont().SetHeight(-Pixels);
    Scratch.GetCanvas().TextWidth(QStringLiteral("x"));
  }
  Frame(Bitmap, FixedScene);
  EXPECT_FALSE(Layer.GetReused());
  EXPECT_EQ(Bitmap.Image(), Live(FixedScene, FixedScene));
}

// Only bitmaps that hold every colour drawn keep pixels; bitmaps of fewer
// colours, and canvases drawing through a painter someone else began (a
// printer page, a recorded picture, a widget), are drawn every frame.
TEST_F(TCanvasLayerTest, OtherDevicesAreDrawnEveryFrame) {
  struct TDevice {
    const char* Name;
    TPixelFormat Format;
    bool Monochrome;
    bool Kept;
  };
  for (const TDevice& D :
       {TDevice{"32 bit", pf32bit, false, true}, TDevice{"24 bit", pf24bit, false, false},
        TDevice{"8 bit", pf8bit, false, false}, TDevice{"monochrome", pfDevice, true, false}}) {
    SCOPED_TRACE(D.Name);
    auto Make = [&D] {
      auto Made = std::make_unique<TBitmap>(120, 80, D.Format);
      Made->SetMonochrome(D.Monochrome);
      return Made;
    };
    const auto Straight = Make();
    for (int N = 0; N < 2; ++N) {
      Scribble(*Straight);
      FixedScene(Straight->GetCanvas());
      MovingScene(Straight->GetCanvas());
    }
    Layer.Clear();
    const auto Bitmap = Make();
    for (int N = 0; N < 3; ++N) Frame(*Bitmap, FixedScene);
    EXPECT_EQ(Layer.GetReused(), D.Kept);
    EXPECT_EQ(Bitmap->Image(), Straight->Image());
  }
  QImage Page(120, 80, QImage::Format_RGB32);
  QImage Straight(120, 80, QImage::Format_RGB32);
  Straight.fill(Qt::white);
  {
    QPainter Painter(&Straight);
    TCanvas Canvas(Painter, 96);
    FixedScene(Canvas);
  }
  for (int N = 0; N < 3; ++N) {
    Page.fill(Qt::black);
    QPainter Painter(&Page);
    TCanvas Canvas(Painter, 96);
    Layer.Begin(Canvas);
    FixedScene(Canvas);
    Layer.End();
    EXPECT_FALSE(Layer.GetReused());
  }
  EXPECT_EQ(Page, Straight);
}

// Pixels written, replaced or read other than through the canvas while it
// records first get what was recorded drawn: all lands in the order it was
// asked for, and the frame is drawn, not taken from kept pixels.
TEST_F(TCanvasLayerTest, PixelsTouchedBesideTheCanvasWhileRecordingLandInOrder) {
  QTemporaryDir Folder;
  ASSERT_TRUE(Folder.isValid());
  const QString File = Folder.filePath(QStringLiteral("grey.png"));
  QImage Grey(120, 80, QImage::Format_RGB32);
  Grey.fill(QColor(128, 128, 128));
  Grey.setPixelColor(60, 30, Qt::yellow);
  ASSERT_TRUE(Grey.save(File));
  TBitmap Source(120, 80);
  Source.SetImage(Grey);
  const std::vector<std::function<void(TBitmap&)>> Touches = {
      [](TBitmap& B) {
        auto* Row = static_cast<quint32*>(B.ScanLine(30));
        for (int X = 0; X < 120; X += 2) Row[X] = Row[X] ^ 0xFFFFFFu;
      },
      [&Grey](TBitmap& B) { B.SetImage(Grey); },
      [&Source](TBitmap& B) { B.Assign(Source); },
      [&File](TBitmap& B) { B.LoadFromFile(File); },
      [&Folder](TBitmap& B) { B.SaveToFile(Folder.filePath(QStringLiteral("saved.bmp"))); },
  };
  for (size_t T = 0; T < Touches.size(); ++T) {
    SCOPED_TRACE(T);
    TBitmap Straight(120, 80);
    FixedScene(Straight.GetCanvas());
    Touches[T](Straight);
    MovingScene(Straight.GetCanvas());
    Layer.Clear();
    TBitmap Bitmap(120, 80);
    for (int N = 0; N < 3; ++N) {
      Layer.Begin(Bitmap.GetCanvas());
      FixedScene(Bitmap.GetCanvas());
      Touches[T](Bitmap);
      MovingScene(Bitmap.GetCanvas());
      Layer.End();
      EXPECT_FALSE(Layer.GetReused());
    }
    EXPECT_EQ(Bitmap.Image(), Straight.Image());
  }
}

TEST_F(TCanvasLayerTest, CanvasOrLayerGoingWhileRecordingDrawsWhatWasRecorded) {
  TBitmap Drawn(120, 80);
  FixedScene(Drawn.GetCanvas());
  TBitmap Bitmap(120, 80);
  {
    TCanvasLayer Short;
    Short.Begin(Bitmap.GetCanvas());
    FixedScene(Bitmap.GetCanvas());
  }
  EXPECT_EQ(Bitmap.Image(), Drawn.Image());
  auto Owned = std::make_unique<TBitmap>(120, 80);
  Layer.Begin(Owned->GetCanvas());
  FixedScene(Owned->GetCanvas());
  Owned->SetSize(60, 40);  // keeps the pixels: drawn first
  EXPECT_EQ(Owned->Image(), Drawn.Image().copy(0, 0, 60, 40));
  Owned.reset();
  Layer.End();
  EXPECT_FALSE(Layer.GetReused());
}

}  // namespace
