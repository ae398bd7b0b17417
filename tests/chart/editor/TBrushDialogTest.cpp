#include "chart/editor/TBrushDialog.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBrush.h"

#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>

namespace {

QImage Pixels(const TPicture& Picture) {
  return Picture.GetGraphic() != nullptr ? Picture.GetGraphic()->ToImage() : QImage();
}

// The dialog is driven on the live form through the modal seam; the
// brush's change handler counts notifications as a chart would repaint.
class TBrushDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Brush.SetColor(clBlue);
    Brush.SetStyle(bsCross);
    Brush.OnChange = [this](TPersistent*) { ++Changes; };
  }

  // Opens the dialog on Brush and runs Act on it; Act's result is the
  // modal result.
  bool Edit(const std::function<int(TBrushDialog&)>& Act) {
    Script.AnswerForm([&](QDialog& D) { return Act(dynamic_cast<TBrushDialog&>(D)); });
    return EditChartBrush(nullptr, Brush);
  }

  static void Choose(TBrushDialog& D, int Row) { D.LStyle->setCurrentRow(Row); }

  bool HasPicture() const {
    return Brush.ExistingImage() != nullptr && Brush.ExistingImage()->GetGraphic() != nullptr;
  }

  // A picture file of another kind than a bitmap (PNG), 40 x 30, red
  // inside a white frame.
  QString WritePng() {
    QImage Image(40, 30, QImage::Format_RGB32);
    Image.fill(Qt::white);
    for (int Y = 5; Y < 25; ++Y)
      for (int X = 5; X < 35; ++X) Image.setPixelColor(X, Y, Qt::red);
    const QString Name = Dir.filePath(QStringLiteral("picture.png"));
    Image.save(Name);
    return Name;
  }

  TChartBrush Brush;
  int Changes = 0;
  ModalScript Script;
  QTemporaryDir Dir;
};

TEST_F(TBrushDialogTest, EveryStyleItemEditsTheBrushLiveAndCancelRestoresIt) {
  // ASSERT needs a function returning void.
  const auto CheckEveryRow = [&](TBrushDialog& D) {
    EXPECT_EQ(D.windowTitle(), "Pattern Color Editor");
    EXPECT_EQ(D.LStyle->count(), 27);
    EXPECT_EQ(D.LStyle->item(19)->text(), "Diag. Cross small");
    EXPECT_EQ(D.LStyle->currentRow(), bsCross);
    EXPECT_EQ(D.Button1->text(), "B&rowse...");
    EXPECT_EQ(Changes, 0);  // showing is not an edit

    for (int Row = 0; Row < TBrushDialog::FirstPattern; ++Row) {
      Choose(D, TBrushDialog::FirstTexture);  // a picture for the style to clear
      Choose(D, Row);
      EXPECT_EQ(Brush.GetStyle(), Row);
      EXPECT_FALSE(HasPicture()) << Row;
      EXPECT_EQ(D.Button1->text(), "B&rowse...");
      EXPECT_EQ(D.BColor->isEnabled(), Row != bsClear) << Row;
    }
    for (int Row = TBrushDialog::FirstPattern; Row < TBrushDialog::FirstTexture; ++Row) {
      Choose(D, Row);
      ASSERT_TRUE(HasPicture()) << Row;
      ASSERT_TRUE(Brush.ExistingImage()->HasBitmap());
      const TBitmap& Picture =
          static_cast<const TBitmapGraphic*>(Brush.ExistingImage()->GetGraphic())->Bitmap();
      TBitmap Expected;
      GetKorBrush(Row - TBrushDialog::FirstPattern, Expected);
      EXPECT_EQ(Picture.Image(), Expected.Image()) << Row;
      EXPECT_TRUE(Picture.GetTransparent());
      EXPECT_EQ(Picture.GetTransparentColor(), clWhite);
      EXPECT_EQ(D.Button1->text(), "Clea&r");
      EXPECT_FALSE(D.Image1->pixmap().isNull());
    }
    for (int Row = TBrushDialog::FirstTexture; Row < TBrushDialog::StyleCount; ++Row) {
      Choose(D, Row);
      ASSERT_TRUE(HasPicture()) << Row;
      EXPECT_EQ(Pixels(*Brush.ExistingImage()),
                Pixels(D.Texture(Row - TBrushDialog::FirstTexture)));
    }
    EXPECT_GT(Changes, 0);
  };
  const bool Ok = Edit([&](TBrushDialog& D) {
    CheckEveryRow(D);
    D.Button3->click();
    return D.result();
  });
  EXPECT_FALSE(Ok);
  EXPECT_EQ(Brush.GetStyle(), bsCross);
  EXPECT_EQ(Brush.GetColor(), clBlue);
  EXPECT_FALSE(HasPicture());
}

TEST_F(TBrushDialogTest, TexturesAreDistinctPicturesAndPatternsAreTwoColourTiles) {
  TBrushDialog D(nullptr);
  for (int I = 0; I < 7; ++I) {
    const QImage Texture = Pixels(D.Texture(I));
    ASSERT_FALSE(Texture.isNull()) << I;
    for (int J = 0; J < I; ++J) EXPECT_NE(Texture, Pixels(D.Texture(J)));
  }
  for (int I = 0; I < 12; ++I) {
    TBitmap Pattern;
    GetKorBrush(I, Pattern);
    ASSERT_FALSE(Pattern.GetEmpty()) << I;
    int Black = 0, White = 0;
    for (int Y = 0; Y < Pattern.GetHeight(); ++Y)
      for (int X = 0; X < Pattern.GetWidth(); ++X)
        (Pattern.GetPixel(X, Y) == clBlack ? Black : White)++;
    EXPECT_GT(Black, 0) << I;
    EXPECT_GT(White, 0) << I;
    EXPECT_EQ(Black + White, Pattern.GetWidth() * Pattern.GetHeight()) << I;
  }
  // The fills from 80 % down to 10 % hold less and less ink.
  int PreviousInk = 1 << 30;
  for (int I = 0; I < 5; ++I) {
    TBitmap Fill;
    GetKorBrush(I, Fill);
    int Ink = 0;
    for (int Y = 0; Y < Fill.GetHeight(); ++Y)
      for (int X = 0; X < Fill.GetWidth(); ++X) Ink += Fill.GetPixel(X, Y) == clBlack ? 1 : 0;
    EXPECT_LT(Ink, PreviousInk) << I;
    PreviousInk = Ink;
  }

  TBitmap Untouched(3, 3);
  GetKorBrush(12, Untouched);
  GetKorBrush(-1, Untouched);
  EXPECT_EQ(Untouched.GetWidth(), 3);
  EXPECT_FALSE(Untouched.GetTransparent());
}

TEST_F(TBrushDialogTest, ChoosingMetalThenCancelOrEscapeLeavesTheBrushWithOneRepaint) {
  TBitmap Own(4, 4);
  Own.GetCanvas().GetBrush().SetColor(clLime);
  Own.GetCanvas().FillRect(TRect(0, 0, 4, 4));
  Brush.GetImage()->Assign(Own);
  const QImage Before = Pixels(*Brush.ExistingImage());
  for (const bool Escape : {false, true}) {
    int ChangesAtCancel = 0;
    EXPECT_FALSE(Edit([&](TBrushDialog& D) {
      EXPECT_EQ(D.LStyle->currentRow(), -1);  // a picture selects no style
      EXPECT_EQ(D.Button1->text(), "Clea&r");
      Choose(D, 20);
      Script.AnswerColor(true, clRed);
      D.BColor->click();
      EXPECT_EQ(Brush.GetColor(), clRed);
      ChangesAtCancel = Changes;
      if (Escape)
        D.reject();
      else
        D.Button3->click();
      return D.result();
    }));
    EXPECT_EQ(Pixels(*Brush.ExistingImage()), Before);
    EXPECT_EQ(Brush.GetColor(), clBlue);
    EXPECT_EQ(Changes, ChangesAtCancel + 1);
  }
  // OK keeps the edit.
  EXPECT_TRUE(Edit([&](TBrushDialog& D) {
    Choose(D, bsClear);
    D.BOK->click();
    return D.result();
  }));
  EXPECT_EQ(Brush.GetStyle(), bsClear);
  EXPECT_FALSE(HasPicture());
}

TEST_F(TBrushDialogTest, BrowseLoadsAPictureAsBitmapAndClearRemovesIt) {
  const QString File = WritePng();
  Edit([&](TBrushDialog& D) {
    // A cancelled file dialog changes nothing.
    Script.AnswerFile(false);
    D.Button1->click();
    EXPECT_FALSE(HasPicture());
    EXPECT_EQ(Changes, 0);

    Script.AnswerFile(true, File);
    D.Button1->click();
    EXPECT_EQ(Changes, 1);
    if (!HasPicture()) {
      ADD_FAILURE() << "nothing loaded";
      return mrOk;
    }
    EXPECT_TRUE(Brush.ExistingImage()->HasBitmap());  // the PNG was drawn on a bitmap
    EXPECT_EQ(Brush.ExistingImage()->GetWidth(), 40);
    EXPECT_EQ(Brush.ExistingImage()->GetHeight(), 30);
    const QImage Loaded = Pixels(*Brush.ExistingImage());
    EXPECT_EQ(Loaded.pixelColor(20, 15), QColor(Qt::red));
    EXPECT_EQ(Loaded.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(D.Button1->text(), "Clea&r");
    EXPECT_EQ(D.LStyle->currentRow(), bsCross);

    D.Button1->click();
    EXPECT_FALSE(HasPicture());
    EXPECT_EQ(D.Button1->text(), "B&rowse...");
    EXPECT_TRUE(D.Image1->pixmap().isNull());

    // An unreadable file is reported and leaves the brush as it was.
    const QString Bad = Dir.filePath(QStringLiteral("bad.png"));
    {
      QFile F(Bad);
      F.open(QIODevice::WriteOnly);
      F.write("not a picture");
    }
    Script.AnswerFile(true, Bad);
    const MessageRecorder Reported;
    const int ChangesBefore = Changes;
    D.Button1->click();
    EXPECT_FALSE(HasPicture());
    EXPECT_EQ(Changes, ChangesBefore);
    EXPECT_EQ(Reported.Messages().size(), 1u);
    return mrOk;
  });
}

TEST_F(TBrushDialogTest, FreeRoutinesAskThroughTheHooks) {
  TFont Font;
  Font.SetSize(9);
  Script.AnswerFont([](TFont& F) {
    F.SetSize(14);
    return true;
  });
  EXPECT_TRUE(EditKorFont(nullptr, Font));
  EXPECT_EQ(Font.GetSize(), 14);
  Script.AnswerFont([](TFont&) { return false; });
  EXPECT_FALSE(EditKorFont(nullptr, Font));

  Script.AnswerFile(false, QStringLiteral("ignored.bmp"));
  EXPECT_TRUE(KorGetPictureFileName(nullptr).isEmpty());

  const QString File = WritePng();
  TPicture Picture;
  Script.AnswerFile(false);
  KorLoadClearImage(nullptr, Picture);
  EXPECT_TRUE(Picture.GetEmpty());
  Script.AnswerFile(true, File);
  KorLoadClearImage(nullptr, Picture);
  EXPECT_EQ(Picture.GetWidth(), 40);
  KorLoadClearImage(nullptr, Picture);  // holds a graphic: cleared, nothing asked
  EXPECT_EQ(Picture.GetGraphic(), nullptr);
  EXPECT_EQ(Script.Pending(), 0);
}

TEST_F(TBrushDialogTest, RowsDrawAHatchOrBitmapSwatchBesideTheText) {
  TBrushDialog D(nullptr);
  D.SetBrush(&Brush);
  TBitmap Rows(160, 16 * 4);
  {
    TCanvas& C = Rows.GetCanvas();
    D.LStyleDrawItem(C, bsClear, TRect(0, 0, 160, 16), false);
    D.LStyleDrawItem(C, bsHorizontal, TRect(0, 16, 160, 32), false);
    D.LStyleDrawItem(C, TBrushDialog::FirstTexture + 5, TRect(0, 32, 160, 48), false);  // fire
    D.LStyleDrawItem(C, bsSolid, TRect(0, 48, 160, 64), true);
  }
  auto Count = [&](int Top, const std::function<bool(TColor)>& Match) {
    int N = 0;
    for (int Y = Top + 2; Y < Top + 14; ++Y)
      for (int X = 2; X < 16; ++X) N += Match(Rows.GetPixel(X, Y)) ? 1 : 0;
    return N;
  };
  auto IsBlack = [](TColor C) { return C == clBlack; };
  EXPECT_EQ(Count(0, IsBlack), 0);                                 // "None" has no swatch
  EXPECT_GT(Count(16, IsBlack), 0);                                // hatch lines
  EXPECT_GT(Count(16, [](TColor C) { return C == clWhite; }), 0);  // on white
  EXPECT_GT(Count(32, [](TColor C) { return (C & 0xFF) > 0x80 && ((C >> 16) & 0xFF) < 0x60; }),
            12 * 14 / 2);                  // mostly red-orange fire
  EXPECT_EQ(Count(48, IsBlack), 14 * 12);  // solid black even when selected
  EXPECT_EQ(Rows.GetPixel(1, 49), ColorToRGB(clHighlight));
  // Text starts 20 pixels in.
  bool Text = false;
  for (int X = 20; X < 60 && !Text; ++X)
    for (int Y = 17; Y < 31; ++Y) Text = Text || Rows.GetPixel(X, Y) != ColorToRGB(clWindow);
  EXPECT_TRUE(Text);
}

}  // namespace
