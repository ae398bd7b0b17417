#include "platform/TCustomGrid.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace {

// Refuses column 3 and records every text set on a cell.
class ProbeGrid : public TCustomGrid {
 public:
  using TCustomGrid::TCustomGrid;
  QStringList Sets;

 protected:
  bool SelectCell(int ACol, int) override { return ACol != 3; }
  QString GetEditText(int ACol, int ARow) const override {
    return QString("%1,%2").arg(ACol).arg(ARow);
  }
  void SetEditText(int ACol, int ARow, const QString& Value) override {
    Sets << QString("%1,%2=%3%4").arg(ACol).arg(ARow).arg(Value).arg(GetEditorMode() ? "*" : "");
  }
};

class TCustomGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Grid.SetColCount(4);
    Grid.SetRowCount(3);
    Grid.SetColWidth(0, 30);
    Grid.SetRowHeight(0, 20);
  }
  void Press(int Key) { Grid.KeyDown(Key, TShiftState{}); }

  ProbeGrid Grid{nullptr};
};

TEST_F(TCustomGridTest, CellsAreSeparatedByOnePixelGridLines) {
  EXPECT_EQ(Grid.CellRect(0, 0), TRect(0, 0, 30, 20));
  EXPECT_EQ(Grid.CellRect(1, 1), TRect(31, 21, 95, 45));
  EXPECT_EQ(Grid.CellRect(4, 0), TRect());
  int C = 0;
  int R = 0;
  ASSERT_TRUE(Grid.MouseToCell(30, 20, C, R));  // the line belongs to the cell before it
  EXPECT_EQ(C, 0);
  EXPECT_EQ(R, 0);
  ASSERT_TRUE(Grid.MouseToCell(31, 21, C, R));
  EXPECT_EQ(C, 1);
  EXPECT_EQ(R, 1);
  EXPECT_FALSE(Grid.MouseToCell(500, 5, C, R));
}

TEST_F(TCustomGridTest, MovementStaysOnSelectableNonFixedCells) {
  EXPECT_EQ(Grid.GetCol(), 1);
  EXPECT_EQ(Grid.GetRow(), 1);
  Press(Qt::Key_Left);  // column 0 is fixed
  EXPECT_EQ(Grid.GetCol(), 1);
  Press(Qt::Key_Up);  // row 0 is fixed
  EXPECT_EQ(Grid.GetRow(), 1);
  Press(Qt::Key_Right);
  Press(Qt::Key_Right);  // column 3 refused
  EXPECT_EQ(Grid.GetCol(), 2);
  Press(Qt::Key_Down);
  EXPECT_EQ(Grid.GetRow(), 2);
  Grid.SetRowCount(2);  // shrinking keeps the current cell inside
  EXPECT_EQ(Grid.GetRow(), 1);
}

TEST_F(TCustomGridTest, EditorAcceptsOnMoveAndDropsOnEscape) {
  Press(Qt::Key_F2);
  ASSERT_TRUE(Grid.GetEditorMode());
  EXPECT_EQ(Grid.GetEditor()->text(), "1,1");
  Grid.GetEditor()->setText("x");
  Press(Qt::Key_Down);
  EXPECT_FALSE(Grid.GetEditorMode());
  EXPECT_EQ(Grid.Sets, QStringList({"1,1=x"}));
  EXPECT_EQ(Grid.GetRow(), 2);

  Press(Qt::Key_F2);
  Grid.GetEditor()->setText("y");
  Press(Qt::Key_Escape);
  EXPECT_FALSE(Grid.GetEditorMode());
  EXPECT_EQ(Grid.Sets.size(), 1);

  Grid.SetEditing(false);
  Press(Qt::Key_F2);
  EXPECT_FALSE(Grid.GetEditorMode());
}

}  // namespace
