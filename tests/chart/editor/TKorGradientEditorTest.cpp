#include "chart/editor/TKorGradientEditor.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TChartGalleryPanel.h"
#include "chart/editor/TGalleryChart.h"
#include "chart/editor/TPreviewGradient.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TKorCanvas3D.h"

#include "platform/TCanvas.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

#include <functional>
#include <vector>

namespace {

struct ExpectedPreset {
  const char* Name;
  TColor Start, Middle, End;
  int Balance;
  TGradientDirection Direction;
};

const std::vector<ExpectedPreset> AllPresets = {
    {"Ace", 0x000000, 0xFF8080, 0x000000, 74, gdBottomTop},
    {"Business", 0xC0C0C0, 0xFFFFFF, 0x808080, 50, gdTopBottom},
    {"Caribe Sun", 0xDDDFD2, 0xF50A97, 0x0B80F4, 50, gdTopBottom},
    {"Clear day", 0xFFF3EA, 0xE0E6E9, 0xCEDBFF, 50, gdTopBottom},
    {"Desert", 0x265FB7, 0xCE7185, 0x604457, 50, gdTopBottom},
    {"Farm", 0x006AD5, 0xFFFFFF, 0x0062C4, 4, gdBottomTop},
    {"Funky", 0xBD3881, 0x87607A, 0x52EB85, 50, gdTopBottom},
    {"Golf", 0x159902, 0xC0C0C0, 0xD9F986, 50, gdTopBottom},
    {"Hot", 0x0000FF, clNone, 0x00FFFF, 50, gdTopBottom},
    {"Night", 0xFFFFFF, 0x800040, 0x000000, 40, gdTopBottom},
    {"Pastel", 0x247489, 0x9491F6, 0xFD8B9D, 50, gdTopBottom},
    {"Rainbow", 0xA11EE8, 0x0F8355, 0xDD011A, 50, gdTopBottom},
    {"Sea", 0xFFFF80, 0xFF8080, 0x800000, 55, gdBottomTop},
    {"Sea 2", 0x4C031C, 0xBACBE1, 0x291EF9, 50, gdTopBottom},
    {"Space", 0xA50320, 0x800040, 0xFFFFFF, 50, gdFromTopLeft},
    {"Sunset", 0xB85A06, 0xA7D8AF, 0x001042, 50, gdTopBottom},
    {"Tropical", 0x9A414B, 0x732FF3, 0x20D761, 50, gdTopBottom},
};

// The editor driven on the live dialog through the modal seam; the
// gradient's change handler counts notifications as its owner would
// repaint.
class TKorGradientEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Gradient.SetVisible(true);
    Gradient.SetDirection(gdLeftRight);
    Gradient.SetStartColor(0x123456);
    Gradient.SetMidColor(0x00FF00);
    Gradient.SetEndColor(0x654321);
    Gradient.SetBalance(30);
    Gradient.SetRadialX(10);
    Gradient.SetRadialY(-20);
    Original.Assign(Gradient);
    Gradient.OnChange = [this](TPersistent*) { ++Changes; };
  }

  bool Edit(const std::function<int(TKorGradientEditor&)>& Act, bool ColorsOnly = false,
            bool HideVisible = false) {
    Script.AnswerForm([&](QDialog& D) { return Act(dynamic_cast<TKorGradientEditor&>(D)); });
    return EditKorGradient(nullptr, Gradient, ColorsOnly, HideVisible);
  }

  static void ChoosePreset(TKorGradientEditor& E, const QString& Name) {
    const QList<QListWidgetItem*> Items = E.Gallery->findItems(Name, Qt::MatchExactly);
    ASSERT_EQ(Items.size(), 1) << Name.toStdString();
    E.Gallery->setCurrentItem(Items.front());
  }

  static void ChooseDirection(TKorGradientEditor& E, int Direction) {
    E.CBDirection->setCurrentIndex(Direction);
    E.CBDirectionChange();
  }

  static void ExpectSame(const TCustomKorGradient& A, const TCustomKorGradient& B) {
    EXPECT_EQ(A.GetVisible(), B.GetVisible());
    EXPECT_EQ(A.GetDirection(), B.GetDirection());
    EXPECT_EQ(A.GetStartColor(), B.GetStartColor());
    EXPECT_EQ(A.GetMidColor(), B.GetMidColor());
    EXPECT_EQ(A.GetEndColor(), B.GetEndColor());
    EXPECT_EQ(A.GetBalance(), B.GetBalance());
    EXPECT_EQ(A.GetRadialX(), B.GetRadialX());
    EXPECT_EQ(A.GetRadialY(), B.GetRadialY());
  }

  ModalScript Script;
  TKorGradient Gradient;
  TKorGradient Original;
  int Changes = 0;
};

TEST_F(TKorGradientEditorTest, EveryPresetEditsTheGradientAndCancelRestoresAll) {
  const bool Ok = Edit([&](TKorGradientEditor& E) {
    EXPECT_EQ(E.windowTitle(), QStringLiteral("Gradient Editor"));
    EXPECT_EQ(E.PageControl1->currentWidget(), E.TabColors);
    EXPECT_EQ(E.Gallery->count(), static_cast<int>(AllPresets.size()));
    for (int i = 0; i < E.Gallery->count(); ++i) {
      const ExpectedPreset& P = AllPresets[static_cast<size_t>(i)];
      EXPECT_EQ(E.Gallery->item(i)->text(), QString::fromLatin1(P.Name));  // sorted
      E.Gallery->setCurrentRow(i);
      EXPECT_EQ(Gradient.GetStartColor(), P.Start) << P.Name;
      EXPECT_EQ(Gradient.GetMidColor(), P.Middle) << P.Name;
      EXPECT_EQ(Gradient.GetEndColor(), P.End) << P.Name;
      EXPECT_EQ(Gradient.GetBalance(), P.Balance) << P.Name;
      EXPECT_EQ(Gradient.GetDirection(), P.Direction) << P.Name;
      EXPECT_EQ(E.CBDirection->currentIndex(), static_cast<int>(P.Direction)) << P.Name;
      EXPECT_EQ(E.CBMid->isChecked(), P.Middle == clNone) << P.Name;
      EXPECT_EQ(E.SBBalance->value(), P.Balance) << P.Name;
    }
    Gradient.SetVisible(false);  // as the box would, and then Cancel
    E.CBVisible->setChecked(false);
    E.CBVisibleClick();
    const int Before = Changes;
    E.BCancel->click();
    EXPECT_EQ(Changes, Before + 1);  // one repaint for the whole restore
    return E.result();
  });
  EXPECT_FALSE(Ok);
  ExpectSame(Gradient, Original);
}

TEST_F(TKorGradientEditorTest, EveryDirectionEditsTheGradientAndCancelRestoresIt) {
  const bool Ok = Edit([&](TKorGradientEditor& E) {
    E.CBVisible->click();
    EXPECT_FALSE(Gradient.GetVisible());
    E.CBVisible->click();
    for (int d = 0; d <= gdDiagonalDown; ++d) {
      ChooseDirection(E, d);
      EXPECT_EQ(Gradient.GetDirection(), d);
    }
    if (E.Directions == nullptr) {
      ADD_FAILURE() << "no direction gallery";
      return static_cast<int>(mrCancel);
    }
    EXPECT_EQ(E.Directions->GetCharts().Count(), 10);
    for (int d = 0; d <= gdDiagonalDown; ++d) {
      ChooseDirection(E, d);
      EXPECT_EQ(E.Directions->GetSelectedChart(), E.Directions->GetChart(d));
      const TKorGradient* Wall = E.Directions->GetChart(d)->GetBackWall().ExistingGradient();
      EXPECT_TRUE(Wall != nullptr && Wall->GetDirection() == d && Wall->GetVisible());
      EXPECT_TRUE(Wall != nullptr && Wall->GetStartColor() == Gradient.GetStartColor());
    }
    // A press on a chart of the gallery picks its direction.
    QWidget* RadialChart = E.Directions->GetChart(gdRadial)->GetWidget();
    QMouseEvent Press(QEvent::MouseButtonPress, QPointF(10, 10),
                      RadialChart->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(RadialChart, &Press);
    EXPECT_EQ(Gradient.GetDirection(), gdRadial);
    EXPECT_EQ(E.CBDirection->currentIndex(), gdRadial);
    EXPECT_TRUE(E.TrackBar1->isEnabled());
    E.CBVisible->click();
    E.reject();  // Escape
    return E.result();
  });
  EXPECT_FALSE(Ok);
  ExpectSame(Gradient, Original);
}

TEST_F(TKorGradientEditorTest, OkKeepsEditsAndCancelWithoutEditsDoesNotNotify) {
  EXPECT_TRUE(Edit([&](TKorGradientEditor& E) {
    E.SBBalance->setValue(80);
    EXPECT_EQ(E.LabelBalance->text(), QStringLiteral("80 %"));
    E.TrackBar1->setValue(-150);
    EXPECT_EQ(E.LRadialX->text(), QStringLiteral("-150"));
    E.BSwap->click();
    E.BOK->click();
    return E.result();
  }));
  EXPECT_EQ(Gradient.GetBalance(), 80);
  EXPECT_EQ(Gradient.GetRadialX(), -150);
  EXPECT_EQ(Gradient.GetStartColor(), 0x654321);
  EXPECT_EQ(Gradient.GetEndColor(), 0x123456);

  const int Before = Changes;
  EXPECT_FALSE(Edit([&](TKorGradientEditor& E) {
    EXPECT_FALSE(E.GetModified());
    E.BCancel->click();
    return E.result();
  }));
  EXPECT_EQ(Changes, Before);
}

TEST_F(TKorGradientEditorTest, HotKeepsNoMiddleCheckedAndAceSetsBalanceAndDirection) {
  Edit([&](TKorGradientEditor& E) {
    EXPECT_FALSE(E.CBMid->isChecked());
    ChoosePreset(E, QStringLiteral("Hot"));
    EXPECT_TRUE(E.CBMid->isChecked());
    EXPECT_FALSE(Gradient.HasMiddleColor());
    ChoosePreset(E, QStringLiteral("Ace"));
    EXPECT_EQ(Gradient.GetBalance(), 74);
    EXPECT_EQ(Gradient.GetDirection(), gdBottomTop);
    EXPECT_EQ(E.LabelBalance->text(), QStringLiteral("74 %"));
    EXPECT_FALSE(E.CBMid->isChecked());
    return mrOk;
  });
}

TEST_F(TKorGradientEditorTest, NoMiddleBoxAndMiddleButtonFollowEachOther) {
  Gradient.SetMidColor(clNone);
  Edit([&](TKorGradientEditor& E) {
    EXPECT_TRUE(E.CBMid->isChecked());
    E.CBMid->click();  // unchecked: the middle colour the gradient kept
    EXPECT_EQ(Gradient.GetMidColor(), 0x00FF00);
    E.CBMid->click();
    EXPECT_EQ(Gradient.GetMidColor(), clNone);
    Script.AnswerColor(true, 0x0000FF);
    E.BMid->click();
    EXPECT_EQ(Gradient.GetMidColor(), 0x0000FF);
    EXPECT_FALSE(E.CBMid->isChecked());
    const TKorGradient* Preview = E.Preview->ExistingGradient();
    EXPECT_TRUE(Preview != nullptr && Preview->GetMidColor() == 0x0000FF);

    TKorGradient Fresh;  // never had a middle colour: white
    Fresh.SetVisible(true);
    E.RefreshGradient(&Fresh);
    EXPECT_TRUE(E.CBMid->isChecked());
    E.CBMid->click();
    EXPECT_EQ(Fresh.GetMidColor(), clWhite);
    E.RefreshGradient(&Gradient);
    return mrOk;
  });
}

TEST_F(TKorGradientEditorTest, RadialEnablesOffsetsAndDisablesMiddleUnlessColorsOnly) {
  for (const bool ColorsOnly : {false, true}) {
    Edit(
        [&](TKorGradientEditor& E) {
          EXPECT_FALSE(E.TrackBar1->isEnabled());
          EXPECT_TRUE(E.CBMid->isEnabled());
          ChooseDirection(E, gdRadial);
          EXPECT_TRUE(E.TrackBar1->isEnabled());
          EXPECT_TRUE(E.TrackBar2->isEnabled());
          EXPECT_TRUE(E.LRadialX->isEnabled());
          EXPECT_EQ(E.CBMid->isEnabled(), ColorsOnly);
          EXPECT_EQ(E.BMid->isEnabled(), ColorsOnly);
          EXPECT_TRUE(E.BStart->isEnabled());
          ChooseDirection(E, gdDiagonalUp);
          EXPECT_TRUE(E.CBMid->isEnabled());
          EXPECT_FALSE(E.TrackBar1->isEnabled());
          E.BCancel->click();
          return E.result();
        },
        ColorsOnly);
  }
}

TEST_F(TKorGradientEditorTest, OnlyNonRectangularDirectionsClearThePresetSelection) {
  Edit([&](TKorGradientEditor& E) {
    ChoosePreset(E, QStringLiteral("Sea"));
    const int Row = E.Gallery->currentRow();
    ChooseDirection(E, gdLeftRight);
    EXPECT_EQ(E.Gallery->currentRow(), Row);
    EXPECT_EQ(Gradient.GetStartColor(), 0xFFFF80);  // the preset is not applied again
    ChooseDirection(E, gdFromCenter);
    EXPECT_EQ(E.Gallery->currentRow(), -1);
    EXPECT_TRUE(E.Gallery->selectedItems().isEmpty());
    EXPECT_EQ(Gradient.GetDirection(), gdFromCenter);
    E.BCancel->click();
    return E.result();
  });
}

TEST_F(TKorGradientEditorTest, InvisibleGradientDisablesAllButTheVisibleBox) {
  Gradient.SetVisible(false);
  Gradient.SetDirection(gdRadial);
  const auto Editing = [](TKorGradientEditor& E) {
    return std::vector<QWidget*>{E.CBDirection,
                                 E.Gallery,
                                 E.BStart,
                                 E.BMid,
                                 E.CBMid,
                                 E.BEnd,
                                 E.BSwap,
                                 E.SBBalance,
                                 E.TrackBar1,
                                 E.TrackBar2,
                                 E.Preview->GetWidget()};
  };
  Edit([&](TKorGradientEditor& E) {
    EXPECT_TRUE(E.CBVisible->isEnabled());
    for (QWidget* W : Editing(E)) EXPECT_FALSE(W->isEnabled()) << W->objectName().toStdString();
    E.CBVisible->click();
    for (QWidget* W : Editing(E)) {
      // Radial: the offsets apply, the middle colour does not.
      const bool Middle = W == E.CBMid || W == E.BMid;
      EXPECT_EQ(W->isEnabled(), !Middle) << W->objectName().toStdString();
    }
    E.BCancel->click();
    return E.result();
  });
  EXPECT_FALSE(Gradient.GetVisible());

  Gradient.SetDirection(gdTopBottom);
  Edit(
      [&](TKorGradientEditor& E) {
        EXPECT_TRUE(E.CBVisible->isHidden());
        EXPECT_TRUE(E.BEnd->isHidden());
        EXPECT_TRUE(E.BSwap->isHidden());
        for (QWidget* W : {static_cast<QWidget*>(E.CBDirection), static_cast<QWidget*>(E.BStart),
                           static_cast<QWidget*>(E.BMid), static_cast<QWidget*>(E.CBMid)})
          EXPECT_TRUE(W->isEnabled()) << W->objectName().toStdString();
        return mrCancel;
      },
      true, true);
}

TEST_F(TKorGradientEditorTest, DockedFormEditsWithoutButtonsAndRebinds) {
  QWidget Page;
  Page.resize(400, 300);
  auto* Editor = new TKorGradientEditor(&Page, &Gradient);
  const int DialogHeight = TKorGradientEditor(nullptr).height();
  AddFormTo(*Editor, Page);
  Page.show();
  EXPECT_TRUE(Editor->GetDocked());
  EXPECT_TRUE(Editor->PanelButtons->isHidden());
  EXPECT_EQ(Editor->height(), DialogHeight - Editor->PanelButtons->height());
  EXPECT_EQ(Editor->GetGradient(), &Gradient);
  EXPECT_EQ(Editor->CBDirection->currentIndex(), gdLeftRight);

  ChooseDirection(*Editor, gdBottomTop);
  Editor->reject();  // Escape inside a page neither closes nor restores
  EXPECT_EQ(Gradient.GetDirection(), gdBottomTop);
  EXPECT_TRUE(Editor->isVisible());

  TKorGradient Other;
  Other.SetVisible(true);
  Other.SetBalance(12);
  Editor->RefreshGradient(&Other);
  EXPECT_EQ(Editor->SBBalance->value(), 12);
  EXPECT_EQ(Editor->GetBackup().GetBalance(), 12);
  Editor->SBBalance->setValue(20);
  EXPECT_EQ(Other.GetBalance(), 20);
  EXPECT_EQ(Gradient.GetBalance(), 30);
  Editor->RefreshGradient(nullptr);
  EXPECT_FALSE(Editor->BStart->isEnabled());
  EXPECT_FALSE(Editor->CBVisible->isEnabled());
  EXPECT_TRUE(Script.Asked().empty());
}

TEST_F(TKorGradientEditorTest, DockedFormWithoutGradientEditsTheFormsTag) {
  QWidget Page;
  Page.resize(400, 300);
  auto* Editor = new TKorGradientEditor(&Page, nullptr);
  AddFormTo(*Editor, Page, static_cast<TCustomKorGradient*>(&Gradient));
  Page.show();
  EXPECT_EQ(Editor->GetGradient(), &Gradient);
  EXPECT_EQ(Editor->SBBalance->value(), 30);
}

// ------------------------------------------------------------- button

class TButtonGradientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Button.resize(75, 25);
    Gradient.SetStartColor(clRed);
    Gradient.SetEndColor(clBlue);
    Button.OnClick = [this](TKorButton*) { ++Clicks; };
  }

  // The gradient drawn straight into an image of the button's size.
  QImage Expected() {
    QImage Image(Button.size(), QImage::Format_ARGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    TCanvas Canvas(Painter, 96);
    TKorCanvas3D Surface(&Canvas);
    Gradient.Draw(Surface, Button.SymbolRectangle());
    return Image;
  }

  TButtonGradient Button;
  TKorGradient Gradient;
  int Clicks = 0;
};

TEST_F(TButtonGradientTest, FaceShowsTheGradientInAFrameByVisibility) {
  Button.LinkGradient(&Gradient);
  EXPECT_EQ(Button.GetGradient(), &Gradient);
  const TRect R = Button.SymbolRectangle();
  const QImage Want = Expected();
  for (const bool Visible : {true, false}) {
    Gradient.SetVisible(Visible);
    const QImage Face = Button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // Inside the frame: the gradient as drawn on its own (red at the
    // bottom to blue at the top).
    for (int Y = R.Top + 1; Y < R.Bottom - 1; ++Y)
      for (int X = R.Left + 1; X < R.Right - 1; ++X)
        ASSERT_EQ(Face.pixel(X, Y), Want.pixel(X, Y)) << X << "," << Y;
    EXPECT_NE(Face.pixel(R.Left + 3, R.Top + 1), Face.pixel(R.Left + 3, R.Bottom - 2));
    const QRgb Frame = Visible ? qRgb(0, 0, 0) : qRgb(0x80, 0x80, 0x80);
    const int MidY = (R.Top + R.Bottom) / 2;
    const int MidX = (R.Left + R.Right) / 2;
    EXPECT_EQ(Face.pixel(R.Left, MidY), Frame);
    EXPECT_EQ(Face.pixel(R.Right - 1, MidY), Frame);
    EXPECT_EQ(Face.pixel(MidX, R.Top), Frame);
    EXPECT_EQ(Face.pixel(MidX, R.Bottom - 1), Frame);
  }
  Button.setEnabled(false);
  const QImage Disabled = Button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_NE(Disabled.pixel(R.Left, (R.Top + R.Bottom) / 2), qRgb(0x80, 0x80, 0x80));
}

TEST_F(TButtonGradientTest, ClickEditsTheLinkedGradientWithItsColorsOnlySwitch) {
  Button.LinkGradient(&Gradient);
  Button.SetColorsOnly(true);
  ModalScript Script;
  Script.AnswerForm([&](QDialog& D) {
    auto& Editor = dynamic_cast<TKorGradientEditor&>(D);
    EXPECT_EQ(Button.GetEditor(), &Editor);
    EXPECT_TRUE(Editor.GetColorsOnly());
    Editor.BSwap->click();
    Editor.BOK->click();
    return Editor.result();
  });
  Button.click();
  EXPECT_EQ(Gradient.GetStartColor(), clBlue);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Button.GetEditor(), nullptr);

  Script.AnswerForm([&](QDialog& D) {
    auto& Editor = dynamic_cast<TKorGradientEditor&>(D);
    Editor.BSwap->click();
    Editor.BCancel->click();
    return Editor.result();
  });
  Button.click();
  EXPECT_EQ(Gradient.GetStartColor(), clBlue);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(TButtonGradientTest, UnlinkedButtonIsAPlainButton) {
  ModalScript Script;
  Button.click();
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Script.Asked().empty());
}

}  // namespace
