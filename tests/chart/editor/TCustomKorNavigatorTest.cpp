#include "chart/editor/TCustomKorNavigator.h"

#include "chart/editor/TChartPageNavigator.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChart.h"
#include "chart/core/TCustomKorPanelExtended.h"
#include "chart/series/TLineSeries.h"

#include "platform/MessageBox.h"
#include "platform/ModalHooks.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Messages;

void RecordMessage(const std::string& Text) {
  Messages.push_back(Text);
}

class TCustomKorNavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Messages.clear();
    PreviousMessageHook = SetMessageBoxHook(&RecordMessage);
    Nav.OnButtonClicked = [this](TCustomKorNavigator*, TKorNavigateBtn Kind) {
      Clicked.push_back(Kind);
    };
  }

  void TearDown() override {
    SetMessageBoxHook(PreviousMessageHook);
    SetShowModalHook({});
  }

  static void SendMouse(TKorNavButton* Button, QEvent::Type Type) {
    const QPointF Inside(5, 5);
    QMouseEvent Event(Type, Inside, Inside, Inside, Qt::LeftButton,
                      Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(Button->GetWidget(), &Event);
  }

  void SendKey(int Key) {
    QKeyEvent Event(QEvent::KeyPress, Key, Qt::NoModifier);
    QCoreApplication::sendEvent(Nav.GetWidget(), &Event);
  }

  // A chart of Points points, MaxPoints of them on each page.
  void MakePagedChart(int Points, int MaxPoints) {
    auto* Series = new TLineSeries(&Chart);
    Chart.AddSeries(Series);
    for (int I = 0; I < Points; ++I) Series->Add(I);
    Chart.SetMaxPointsPerPage(MaxPoints);
  }

  // First, prior, next, last enabled, as a string of 0 and 1.
  static std::string Enabled(const TCustomKorNavigator& Navigator) {
    std::string Result;
    for (TKorNavigateBtn Kind : {nbFirst, nbPrior, nbNext, nbLast})
      Result += Navigator.GetButton(Kind)->GetEnabled() ? '1' : '0';
    return Result;
  }

  TChart Chart{nullptr};
  TCustomKorNavigator Nav{nullptr};
  std::vector<TKorNavigateBtn> Clicked;
  MessageBoxHook PreviousMessageHook = nullptr;
};

TEST_F(TCustomKorNavigatorTest, FourButtonsShareTheWidthInWholePixels) {
  EXPECT_EQ(Nav.GetWidth(), 240);  // created 241 wide: 4 buttons of 60
  EXPECT_EQ(Nav.GetHeight(), 25);
  EXPECT_EQ(Nav.GetButtonWidth(), 60);
  for (int I = nbFirst; I <= nbLast; ++I) {
    const TRect R = Nav.GetButton(static_cast<TKorNavigateBtn>(I))->GetBoundsRect();
    EXPECT_EQ(R.Left, 60 * I);
    EXPECT_EQ(R.Right - R.Left, 60);
    EXPECT_EQ(R.Bottom - R.Top, 25);
  }
  for (int I = nbInsert; I <= nbCancel; ++I) {
    EXPECT_FALSE(Nav.GetButton(static_cast<TKorNavigateBtn>(I))->GetVisible());
    EXPECT_GT(Nav.GetButton(static_cast<TKorNavigateBtn>(I))->GetLeft(), 240);
  }
  // Too small: raised to the buttons' minimum.
  Nav.SetBounds(0, 0, 10, 5);
  EXPECT_EQ(Nav.GetWidth(), 80);
  EXPECT_EQ(Nav.GetHeight(), 18);
}

TEST_F(TCustomKorNavigatorTest, WithASingleBorderTheButtonsAreFourPixelsLower) {
  Nav.SetBorderStyle(bsSingle);
  EXPECT_EQ(Nav.GetHeight(), 25);
  for (int I = nbFirst; I <= nbLast; ++I) {
    const TRect R = Nav.GetButton(static_cast<TKorNavigateBtn>(I))->GetBoundsRect();
    EXPECT_EQ(R.Top, 2) << I;  // inside the border's edge
    EXPECT_EQ(R.Bottom - R.Top, 21) << I;
    EXPECT_EQ(R.Right - R.Left, 60) << I;
  }
  Nav.SetBorderStyle(bsNone);
  EXPECT_EQ(Nav.GetButton(nbFirst)->GetBoundsRect(), TRect(0, 0, 60, 25));
}

TEST_F(TCustomKorNavigatorTest, AnAlignedNavigatorSpreadsTheSparePixelsOverItsButtons) {
  Nav.SetAligned(true);
  Nav.SetWidth(243);
  EXPECT_EQ(Nav.GetWidth(), 243);
  EXPECT_EQ(Nav.GetButtonWidth(), 60);
  int Right = 0;
  for (int I = nbFirst; I <= nbLast; ++I) {
    const TRect R = Nav.GetButton(static_cast<TKorNavigateBtn>(I))->GetBoundsRect();
    EXPECT_EQ(R.Left, Right) << I;
    EXPECT_GE(R.Right - R.Left, 60);
    EXPECT_LE(R.Right - R.Left, 61);
    Right = R.Right;
  }
  EXPECT_EQ(Right, 243);
}

TEST_F(TCustomKorNavigatorTest, EveryButtonHasItsNormalAndDisabledGlyph) {
  for (int I = nbFirst; I <= nbCancel; ++I) {
    const TBitmap& Glyph = Nav.GetButton(static_cast<TKorNavigateBtn>(I))->GetGlyph();
    ASSERT_FALSE(Glyph.GetEmpty()) << I;
    EXPECT_EQ(Glyph.GetWidth(), 2 * Glyph.GetHeight()) << I;
  }
}

// Pixels of Colour in the button's painted buffer.
int CountPixels(TKorNavButton& Button, TColor Colour) {
  Button.Invalidate();
  const QImage Face = Button.GetWidget()->grab().toImage();
  const QRgb Wanted = qRgb(GetRValue(Colour), GetGValue(Colour), GetBValue(Colour)) & 0xFFFFFF;
  int Count = 0;
  for (int Y = 0; Y < Face.height(); ++Y)
    for (int X = 0; X < Face.width(); ++X)
      if ((Face.pixel(X, Y) & 0xFFFFFF) == Wanted) ++Count;
  return Count;
}

TEST_F(TCustomKorNavigatorTest, AButtonPaintsTheGlyphOfItsStateAndItsFocus) {
  TKorNavButton& Next = *Nav.GetButton(nbNext);
  // Disabled: the grey half of the glyph only.
  EXPECT_EQ(CountPixels(Next, clBlack), 0);
  EXPECT_GT(CountPixels(Next, 0x808080), 0);
  Next.SetEnabled(true);
  const int Glyph = CountPixels(Next, clBlack);
  EXPECT_GT(Glyph, 0);
  EXPECT_EQ(CountPixels(Next, 0x808080), 0);
  Next.SetShowFocus(true);
  EXPECT_GT(CountPixels(Next, clBlack), Glyph);
}

TEST_F(TCustomKorNavigatorTest, EmptyHintLinesKeepTheDefaultHints) {
  EXPECT_EQ(Nav.GetButton(nbNext)->GetHint(), Korconst::KorMsg_Next);
  Nav.GetHints().SetText(QStringLiteral("\nBack one\n\n\n\n\n\n\n\nTenth"));
  EXPECT_EQ(Nav.GetButton(nbFirst)->GetHint(), Korconst::KorMsg_First);
  EXPECT_EQ(Nav.GetButton(nbPrior)->GetHint(), QStringLiteral("Back one"));
  EXPECT_EQ(Nav.GetButton(nbNext)->GetHint(), Korconst::KorMsg_Next);
  EXPECT_EQ(Nav.GetButton(nbCancel)->GetHint(), Korconst::KorMsg_Cancel);
}

TEST_F(TCustomKorNavigatorTest, HeldButtonRepeatsAfterTheFirstDelayUntilReleased) {
  TKorNavButton* Next = Nav.GetButton(nbNext);
  Next->SetEnabled(true);
  SendMouse(Next, QEvent::MouseButtonPress);
  ASSERT_NE(Next->GetRepeatTimer(), nullptr);
  EXPECT_TRUE(Next->GetRepeatTimer()->isActive());
  EXPECT_EQ(Next->GetRepeatTimer()->interval(), TKorNavButton::InitialRepeatDelay);
  EXPECT_TRUE(Clicked.empty());
  Next->RepeatTimerFired();
  EXPECT_EQ(Next->GetRepeatTimer()->interval(), TKorNavButton::RepeatInterval);
  Next->RepeatTimerFired();
  EXPECT_EQ(Clicked, (std::vector<TKorNavigateBtn>{nbNext, nbNext}));
  SendMouse(Next, QEvent::MouseButtonRelease);
  EXPECT_FALSE(Next->GetRepeatTimer()->isActive());
  EXPECT_EQ(Clicked.size(), 3u);  // the release clicks too
  // A late tick after the release does not click.
  Next->RepeatTimerFired();
  EXPECT_EQ(Clicked.size(), 3u);
  EXPECT_EQ(Nav.GetFocusedButton(), nbNext);
}

TEST_F(TCustomKorNavigatorTest, AFailingRepeatedClickStopsTheRepeatAndIsReported) {
  TKorNavButton* Next = Nav.GetButton(nbNext);
  Next->SetEnabled(true);
  Nav.OnButtonClicked = [](TCustomKorNavigator*, TKorNavigateBtn) {
    throw ChartException(QStringLiteral("No next page"));
  };
  SendMouse(Next, QEvent::MouseButtonPress);
  EXPECT_NO_THROW(Next->RepeatTimerFired());
  EXPECT_FALSE(Next->GetRepeatTimer()->isActive());
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "No next page");
}

TEST_F(TCustomKorNavigatorTest, ArrowsMoveTheFocusAmongVisibleButtonsAndSpaceClicks) {
  for (int I = 0; I < 6; ++I) SendKey(Qt::Key_Right);
  EXPECT_EQ(Nav.GetFocusedButton(), nbLast);  // stops on the last visible one
  SendKey(Qt::Key_Left);
  EXPECT_EQ(Nav.GetFocusedButton(), nbNext);
  SendKey(Qt::Key_Space);
  EXPECT_TRUE(Clicked.empty());  // disabled
  Nav.GetButton(nbNext)->SetEnabled(true);
  SendKey(Qt::Key_Space);
  EXPECT_EQ(Clicked, std::vector<TKorNavigateBtn>{nbNext});
  for (int I = 0; I < 6; ++I) SendKey(Qt::Key_Left);
  EXPECT_EQ(Nav.GetFocusedButton(), nbFirst);
}

TEST_F(TCustomKorNavigatorTest, BindsToOnePanelAndUnbindsWhenItIsFreed) {
  auto* Other = new TChart(nullptr);
  const int Before = Chart.GetListeners().Count();
  Nav.SetPanel(&Chart);
  EXPECT_EQ(Chart.GetListeners().Count(), Before + 1);
  Nav.SetPanel(Other);
  EXPECT_EQ(Chart.GetListeners().Count(), Before);
  EXPECT_EQ(Other->GetListeners().IndexOf(&Nav), 0);
  delete Other;
  EXPECT_EQ(Nav.GetPanel(), nullptr);
  // And a navigator freed first leaves the panel without its listener.
  {
    TCustomKorNavigator Short(nullptr);
    Short.SetPanel(&Chart);
  }
  EXPECT_EQ(Chart.GetListeners().Count(), Before);
}

TEST_F(TCustomKorNavigatorTest, PageNavigatorPagesThroughTheChart) {
  MakePagedChart(25, 10);
  TChartPageNavigator Pages(nullptr);
  Pages.SetChart(&Chart);
  EXPECT_EQ(Pages.GetChart(), &Chart);
  EXPECT_EQ(Pages.PageCount(), 3);
  EXPECT_EQ(Enabled(Pages), "0011");
  Pages.BtnClick(nbNext);
  EXPECT_EQ(Chart.GetPage(), 2);
  EXPECT_EQ(Enabled(Pages), "1111");
  Pages.BtnClick(nbLast);
  EXPECT_EQ(Chart.GetPage(), 3);
  EXPECT_EQ(Enabled(Pages), "1100");
  Pages.BtnClick(nbNext);  // already on the last page
  EXPECT_EQ(Chart.GetPage(), 3);
  Pages.BtnClick(nbPrior);
  EXPECT_EQ(Chart.GetPage(), 2);
  Pages.BtnClick(nbFirst);
  EXPECT_EQ(Chart.GetPage(), 1);
  // Page changes made elsewhere are followed.
  Chart.SetPage(3);
  EXPECT_EQ(Enabled(Pages), "1100");
  Chart.SetMaxPointsPerPage(0);
  EXPECT_EQ(Enabled(Pages), "0000");
  Pages.SetEnabled(false);
  Chart.SetMaxPointsPerPage(10);
  EXPECT_EQ(Enabled(Pages), "0000");
}

TEST_F(TCustomKorNavigatorTest, PageNavigatorTakesOnlyAxisPanelsAndOffersThePageRange) {
  TChartPageNavigator Pages(nullptr);
  EXPECT_EQ(Enabled(Pages), "0000");
  Pages.Print();  // no chart: nothing
  TCustomKorPanelExtended Plain(nullptr);
  Pages.SetPanel(&Plain);
  EXPECT_EQ(Pages.GetPanel(), nullptr);
  EXPECT_EQ(Plain.GetListeners().Count(), 0);
  MakePagedChart(25, 10);
  Pages.SetPanel(&Chart);
  int Minimum = 0;
  int Maximum = 0;
  int From = 0;
  int To = 0;
  SetShowModalHook([&](QDialog& Dialog) {
    auto& Print = dynamic_cast<QPrintDialog&>(Dialog);
    Minimum = Print.minPage();
    Maximum = Print.maxPage();
    From = Print.printer()->fromPage();
    To = Print.printer()->toPage();
    return static_cast<int>(mrCancel);
  });
  Pages.Print();
  EXPECT_EQ(Minimum, 1);
  EXPECT_EQ(Maximum, 3);
  EXPECT_EQ(From, 1);
  EXPECT_EQ(To, 3);
}

}  // namespace
