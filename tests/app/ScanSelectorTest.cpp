#include "app/UnitScanSelector.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/Gofs2004.h"
#include "platform/ModalHooks.h"
#include "platform/TUpDown.h"
#include "tests/support/ModalScript.h"

namespace {

class ScanSelectorTest : public ::testing::Test {
 protected:
  // N scans named 00001.RA1, 00002.RA1, ... with the given sets flagged.
  void MakeScans(int N, const std::vector<int>& Flagged = {}) {
    Flags.assign(static_cast<size_t>(N), 0);
    Headers.assign(static_cast<size_t>(N), ScanHeader());
    for (int i = 0; i < N; ++i) {
      const std::string number = std::to_string(i + 1);
      Headers[static_cast<size_t>(i)].FileName =
          std::string(5 - number.size(), '0') + number + ".RA1";
    }
    for (int i : Flagged) Flags[static_cast<size_t>(i)] = 1;
  }
  void Init(int Step = 1) {
    Selector.InitScanSelector(Flags.data(), Headers.data(), static_cast<int>(Flags.size()), Step);
  }

  std::vector<int> Ticked() const {
    std::vector<int> ticked;
    for (int i = 0; i < Selector.CheckListBox1->count(); ++i)
      if (Selector.CheckListBox1->item(i)->checkState() == Qt::Checked) ticked.push_back(i);
    return ticked;
  }
  void Tick(int Item, bool On) {
    Selector.CheckListBox1->item(Item)->setCheckState(On ? Qt::Checked : Qt::Unchecked);
  }

  // The last value accepted from each edit is shared by all selectors and
  // so outlives a test: a different value goes in first, so that Value
  // always counts as new.
  static void TypeNew(QLineEdit* Edit, void (TScanSelector::*Exit)(), TScanSelector& Form,
                      int Value) {
    Edit->setText(Value == 1 ? QStringLiteral("2") : QStringLiteral("1"));
    (Form.*Exit)();
    Edit->setText(QString::number(Value));
    (Form.*Exit)();
  }
  void TypeStartEndStep(int Start, int End, int Step) {
    TypeNew(Selector.EditStep, &TScanSelector::EditStepExit, Selector, Step);
    TypeNew(Selector.EditEnd, &TScanSelector::EditEndExit, Selector, End);
    TypeNew(Selector.EditStart, &TScanSelector::EditStartExit, Selector, Start);
  }

  std::vector<int> Flags;
  std::vector<ScanHeader> Headers;
  TScanSelector Selector{nullptr};
};

TEST_F(ScanSelectorTest, AShortRunOpensWithEveryScanTickedAndOkWritesTheTicksBack) {
  MakeScans(24, {3, 7});
  Headers[5].FileName = "A0012.RA1";  // no leading number: the label is the index
  Init(3);
  EXPECT_EQ(Ticked().size(), 24u);
  EXPECT_EQ(Selector.CheckListBox1->item(0)->text(), "1");
  EXPECT_EQ(Selector.CheckListBox1->item(5)->text(), "5");
  // Start and end come from the flags as stored, before all were ticked.
  EXPECT_EQ(Selector.EditStart->text(), "4");
  EXPECT_EQ(Selector.EditEnd->text(), "8");
  EXPECT_EQ(Selector.EditStep->text(), "3");
  EXPECT_EQ(Selector.UpDownEnd->GetMax(), 24);

  Tick(0, false);
  ModalScript script;
  script.AnswerForm([this](QDialog&) {
    Selector.ButtonOKClick();
    return Selector.result();
  });
  EXPECT_EQ(ShowModal(Selector), mrOk);
  EXPECT_EQ(Flags[0], 0);
  EXPECT_EQ(std::count(Flags.begin(), Flags.end(), 1), 23);
  EXPECT_EQ(Selector.GetStep(), 3);
  EXPECT_EQ(Selector.GetShownCount(), 24);
  EXPECT_FALSE(Selector.GetAutomatic());
  EXPECT_EQ(Selector.GetCount(), 0);
}

TEST_F(ScanSelectorTest, ALongerRunOpensWithTheStoredFlags) {
  MakeScans(25, {3, 7});
  Init(40);
  EXPECT_EQ(Ticked(), (std::vector<int>{3, 7}));
  EXPECT_EQ(Selector.EditStep->text(), "25");  // the step is clamped to the count
}

TEST_F(ScanSelectorTest, StartEndAndStepTickEveryStepthItemUpToTheEnd) {
  MakeScans(30, {0, 1, 2, 20});
  Init();
  TypeStartEndStep(1, 10, 3);
  EXPECT_EQ(Ticked(), (std::vector<int>{0, 3, 6, 9}));
  TypeStartEndStep(2, 9, 3);
  EXPECT_EQ(Ticked(), (std::vector<int>{1, 4, 7}));

  // The arrows show their position in the edit and apply the rule at once.
  Selector.UpDownStep->Click(btNext);
  EXPECT_EQ(Selector.EditStep->text(), "4");
  EXPECT_EQ(Ticked(), (std::vector<int>{1, 5}));
  Selector.UpDownEnd->Click(btPrev);
  EXPECT_EQ(Selector.EditEnd->text(), "8");
}

TEST_F(ScanSelectorTest, TypedValuesAreReadLikeCIntegersAndClamped) {
  MakeScans(30);
  Init();
  TypeNew(Selector.EditEnd, &TScanSelector::EditEndExit, Selector, 12);
  Selector.EditEnd->setText(QStringLiteral(" 500 scans"));
  Selector.EditEndKeyPress('a');  // only Enter takes the value
  EXPECT_EQ(Selector.EditEnd->text(), " 500 scans");
  Selector.EditEndKeyPress('\r');
  EXPECT_EQ(Selector.EditEnd->text(), "30");
  EXPECT_EQ(Selector.UpDownEnd->GetPosition(), 30);

  Selector.EditStep->setText(QStringLiteral("x"));
  Selector.EditStepExit();
  EXPECT_EQ(Selector.EditStep->text(), "1");
  Selector.EditStart->setText(QStringLiteral("-4"));
  Selector.EditStartExit();
  EXPECT_EQ(Selector.EditStart->text(), "1");
}

TEST_F(ScanSelectorTest, TheSameValueTypedTwiceChangesNothingTheSecondTime) {
  MakeScans(30);
  Init();
  TypeStartEndStep(2, 30, 5);
  EXPECT_EQ(Ticked(), (std::vector<int>{1, 6, 11, 16, 21, 26}));
  Tick(0, true);
  Tick(1, false);
  Selector.EditStart->setText(QStringLiteral("2"));
  Selector.EditStartExit();
  EXPECT_EQ(Ticked(), (std::vector<int>{0, 6, 11, 16, 21, 26}));

  // The memory is shared: another viewer's selector ignores it as well.
  TScanSelector other(nullptr);
  other.InitScanSelector(Flags.data(), Headers.data(), 30, 1);
  other.ButtonUnselectAllClick();
  other.EditStart->setText(QStringLiteral("2"));
  other.EditStartExit();
  EXPECT_EQ(other.CheckListBox1->item(1)->checkState(), Qt::Unchecked);
}

TEST_F(ScanSelectorTest, CancelKeepsTheFlagsAndTheAutomaticState) {
  MakeScans(30, {2, 4});
  Init();
  Selector.ButtonSelectAllClick();
  Selector.ButtonCancelClick();
  EXPECT_EQ(Selector.result(), mrCancel);
  EXPECT_EQ(Flags[0], 0);
  EXPECT_EQ(Flags[2], 1);
  EXPECT_TRUE(Selector.GetAutomatic());
  EXPECT_EQ(Selector.GetShownCount(), 30);
  EXPECT_EQ(Selector.GetCount(), 0);

  Init();
  Selector.ButtonOKClick();
  ASSERT_FALSE(Selector.GetAutomatic());
  Init();
  Selector.ButtonAutomaticClick();
  Selector.ButtonUnselectAllClick();
  Selector.reject();  // Escape or the window's close button
  EXPECT_EQ(Selector.result(), mrCancel);
  EXPECT_TRUE(Selector.GetAutomatic());
  EXPECT_EQ(Flags[2], 1);
}

TEST_F(ScanSelectorTest, AViewerWithoutScansOpensAnEmptySelectorSafely) {
  MakeScans(0);
  Init(7);
  EXPECT_EQ(Selector.CheckListBox1->count(), 0);
  for (TUpDown* upDown : {Selector.UpDownStart, Selector.UpDownEnd, Selector.UpDownStep}) {
    EXPECT_EQ(upDown->GetMin(), 1);
    EXPECT_EQ(upDown->GetMax(), 1);
  }
  TypeNew(Selector.EditEnd, &TScanSelector::EditEndExit, Selector, 5);
  EXPECT_EQ(Selector.EditEnd->text(), "1");
  Selector.UpDownStart->Click(btNext);
  Selector.ApplyStartEndStep();
  Selector.ButtonSelectAllClick();
  Selector.ButtonOKClick();
  EXPECT_EQ(Selector.GetStep(), 1);
  EXPECT_EQ(Selector.GetShownCount(), 0);
}

TEST_F(ScanSelectorTest, EnterInAnEditTakesTheValueAndPressesNoButton) {
  MakeScans(30);
  Init();
  Selector.show();
  // Any default button would take the Enter that the edit passes on.
  for (const QPushButton* button : Selector.findChildren<QPushButton*>())
    EXPECT_FALSE(button->isDefault()) << button->text().toStdString();
  TypeNew(Selector.EditEnd, &TScanSelector::EditEndExit, Selector, 30);
  TypeNew(Selector.EditStart, &TScanSelector::EditStartExit, Selector, 1);
  TypeNew(Selector.EditStep, &TScanSelector::EditStepExit, Selector, 2);
  Selector.EditStep->setText(QStringLiteral("10"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(Selector.EditStep, &enter);
  EXPECT_EQ(Ticked(), (std::vector<int>{0, 10, 20}));
  EXPECT_TRUE(Selector.isVisible());
  EXPECT_EQ(Selector.result(), 0);
}

TEST_F(ScanSelectorTest, ScanNumberIsTheNumberThatLeadsTheName) {
  EXPECT_EQ(TScanSelector::ScanNumberFromName("00012.RA1"), 12);
  EXPECT_EQ(TScanSelector::ScanNumberFromName("A0012.RA1"), 0);
  EXPECT_EQ(TScanSelector::ScanNumberFromName("  -7.IP2"), -7);
  EXPECT_EQ(TScanSelector::ScanNumberFromName("12b34.RA1"), 12);
  EXPECT_EQ(TScanSelector::ScanNumberFromName("42"), 42);
  EXPECT_EQ(TScanSelector::ScanNumberFromName("99999999999.RA1"), 0);
  EXPECT_EQ(TScanSelector::ScanNumberFromName(""), 0);
}

}  // namespace
