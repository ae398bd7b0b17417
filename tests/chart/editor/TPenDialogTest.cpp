#include "chart/editor/TPenDialog.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TComboFlat.h"

#include "platform/TCanvas.h"
#include "platform/TEditUpDown.h"
#include "platform/TStringList.h"
#include "platform/TUpDown.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>

#include <functional>

namespace {

QColor Rgb(TColor Color) {
  Color = ColorToRGB(Color);
  return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

// The dialog is driven on the live form through the modal seam; the pen's
// change handler counts notifications as a chart would repaint.
class TPenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Pen.SetColor(clBlue);
    Pen.SetWidth(3);
    Pen.SetStyle(psDash);
    Pen.SetEndStyle(esSquare);
    Pen.SetSmallSpace(2);
    Pen.OnChange = [this](TPersistent*) { ++Changes; };
  }
  void TearDown() override {
    IsWindowsNT = true;
    KorCustomEditColors.reset();
  }

  // Opens the dialog on Target and runs Act on it; the result of Act is
  // the modal result.
  bool Edit(TPen& Target, const std::function<int(TPenDialog&)>& Act, bool HideColor = false) {
    Script.AnswerForm([&](QDialog& D) { return Act(dynamic_cast<TPenDialog&>(D)); });
    return EditChartPen(nullptr, Target, HideColor);
  }

  static void ExpectSamePen(const TChartPen& A, const TChartPen& B) {
    EXPECT_EQ(A.GetColor(), B.GetColor());
    EXPECT_EQ(A.GetWidth(), B.GetWidth());
    EXPECT_EQ(A.GetStyle(), B.GetStyle());
    EXPECT_EQ(A.GetEndStyle(), B.GetEndStyle());
    EXPECT_EQ(A.GetSmallDots(), B.GetSmallDots());
    EXPECT_EQ(A.GetSmallSpace(), B.GetSmallSpace());
    EXPECT_EQ(A.GetVisible(), B.GetVisible());
  }

  // Changes every property through the controls.
  void EditEverything(TPenDialog& D) {
    D.CBVisible->click();
    D.SEWidth->setText(QStringLiteral("4"));
    D.UDWidth->Click(btNext);
    D.CBEndStyle->setCurrentIndex(esFlat);
    D.CBStyle->setCurrentIndex(psDot);
    Script.AnswerColor(true, clRed);
    D.BColor->click();
  }

  TChartPen Pen;
  int Changes = 0;
  ModalScript Script;
};

TEST_F(TPenDialogTest, OpensOnThePenAndEditsEveryPropertyLive) {
  const bool Ok = Edit(Pen, [&](TPenDialog& D) {
    EXPECT_EQ(D.windowTitle(), "Border Editor");
    EXPECT_TRUE(D.CBVisible->isChecked());
    EXPECT_EQ(D.CBStyle->count(), 6);
    EXPECT_EQ(D.CBStyle->itemText(5), "Small Dots");
    EXPECT_EQ(D.CBStyle->currentIndex(), psDash);
    EXPECT_EQ(D.SEWidth->text(), "3");
    EXPECT_EQ(D.CBEndStyle->currentIndex(), esSquare);
    EXPECT_FALSE(D.CBEndStyle->isHidden());
    EXPECT_FALSE(D.GetModified());  // filling the controls is not an edit
    EXPECT_EQ(Changes, 0);

    EditEverything(D);
    EXPECT_FALSE(Pen.GetVisible());
    EXPECT_EQ(Pen.GetWidth(), 5);
    EXPECT_EQ(D.SEWidth->text(), "5");
    EXPECT_EQ(Pen.GetEndStyle(), esFlat);
    EXPECT_EQ(Pen.GetStyle(), psDot);
    EXPECT_EQ(Pen.GetColor(), clRed);

    D.CBStyle->setCurrentIndex(5);
    EXPECT_TRUE(Pen.GetSmallDots());
    EXPECT_FALSE(D.SEWidth->isEnabled());
    EXPECT_FALSE(D.UDWidth->isEnabled());
    D.CBStyle->setCurrentIndex(psDashDot);
    EXPECT_FALSE(Pen.GetSmallDots());
    EXPECT_EQ(Pen.GetStyle(), psDashDot);
    EXPECT_TRUE(D.SEWidth->isEnabled());
    D.BOK->click();
    return D.result();
  });
  EXPECT_TRUE(Ok);
  EXPECT_EQ(Pen.GetWidth(), 5);
  EXPECT_EQ(Pen.GetColor(), clRed);
}

TEST_F(TPenDialogTest, CancelAndEscapeRestoreThePenExactlyWithOneRepaint) {
  Pen.SetSmallDots(true);
  TChartPen Before;
  Before.Assign(Pen);
  for (const bool Escape : {false, true}) {
    int ChangesAtCancel = 0;
    const bool Ok = Edit(Pen, [&](TPenDialog& D) {
      EXPECT_EQ(D.CBStyle->currentIndex(), 5);  // small dots selected
      EXPECT_FALSE(D.SEWidth->isEnabled());
      EditEverything(D);
      ChangesAtCancel = Changes;
      if (Escape)
        D.reject();
      else
        D.BCancel->click();
      return D.result();
    });
    EXPECT_FALSE(Ok);
    ExpectSamePen(Pen, Before);
    EXPECT_EQ(Changes, ChangesAtCancel + 1);
  }

  // Nothing changed: nothing restored, no repaint.
  const int ChangesBefore = Changes;
  EXPECT_FALSE(Edit(Pen, [](TPenDialog& D) {
    D.BCancel->click();
    return D.result();
  }));
  EXPECT_EQ(Changes, ChangesBefore);
}

TEST_F(TPenDialogTest, PlainPenHasNoVisibleBoxNorEndStyleAndColourCanBeHidden) {
  TPen Plain;
  Plain.SetWidth(2);
  Plain.SetStyle(psDashDotDot);
  EXPECT_FALSE(Edit(
      Plain,
      [](TPenDialog& D) {
        EXPECT_TRUE(D.CBVisible->isHidden());
        EXPECT_TRUE(D.CBEndStyle->isHidden());
        EXPECT_TRUE(D.BColor->isHidden());
        EXPECT_EQ(D.CBStyle->currentIndex(), psDashDotDot);
        D.CBStyle->setCurrentIndex(psSolid);
        D.BCancel->click();
        return D.result();
      },
      true));
  EXPECT_EQ(Plain.GetStyle(), psDashDotDot);
}

TEST_F(TPenDialogTest, OutsideTheNtFamilyWidePensCannotChangeStyle) {
  IsWindowsNT = false;
  Pen.SetWidth(2);
  Edit(Pen, [](TPenDialog& D) {
    EXPECT_EQ(D.CBStyle->count(), 5);
    EXPECT_TRUE(D.CBEndStyle->isHidden());
    EXPECT_FALSE(D.CBStyle->isEnabled());
    D.UDWidth->Click(btPrev);
    EXPECT_TRUE(D.CBStyle->isEnabled());
    D.BOK->click();
    return D.result();
  });
  EXPECT_EQ(Pen.GetWidth(), 1);
}

TEST_F(TPenDialogTest, StyleSampleNeverVanishesIntoTheItemBackground) {
  TPenDialog D(nullptr);
  D.SetPen(&Pen);
  D.show();
  const auto SamplePixel = [&](TColor PenColor, int Index, bool Selected) {
    Pen.SetColor(PenColor);
    QImage Image(80, 18, QImage::Format_ARGB32);
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, 96);
    D.CBStyleDrawItem(Canvas, Index, TRect(0, 0, 80, 18), Selected);
    Painter.end();
    return Image.pixelColor(2, 8);
  };
  EXPECT_EQ(SamplePixel(clBlue, psSolid, false), Rgb(clBlue));
  EXPECT_EQ(SamplePixel(clWhite, psSolid, false), QColor(Qt::black));
  EXPECT_EQ(SamplePixel(ColorToRGB(clHighlight), psSolid, true), QColor(Qt::white));
  EXPECT_EQ(SamplePixel(clRed, 5, false), Rgb(clRed));  // small dots start with a dot
}

}  // namespace
