#include "platform/TCustomControl.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

#include <stdexcept>

#include "platform/TCanvas.h"
#include "tests/support/TestSupport.h"

namespace {

// Records what reaches the handlers and paints a red square.
class ProbeControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

  QStringList Calls;
  int Paints = 0;
  bool FailInPaint = false;

 protected:
  void Paint() override {
    ++Paints;
    if (FailInPaint) throw std::runtime_error("paint failed");
    TCustomControl::Paint();
    GetCanvas().GetBrush().SetColor(clRed);
    GetCanvas().FillRect(TRect(10, 10, 20, 20));
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Calls << QStringLiteral("down %1%2%3 %4,%5")
                 .arg(Button == mbLeft ? "L" : "R", Shift.Contains(ssShift) ? "+shift" : "",
                      Shift.Contains(ssDouble) ? "+double" : "")
                 .arg(X)
                 .arg(Y);
  }
  void MouseUp(TMouseButton, TShiftState Shift, int, int) override {
    Calls << (Shift.Contains(ssLeft) ? "up+left" : "up");
  }
  void DblClick() override { Calls << "dblclick"; }
  void Click() override { Calls << "click"; }
};

class TCustomControlTest : public ::testing::Test {
 protected:
  static void Send(QWidget* W, QEvent::Type Type, Qt::MouseButtons Buttons) {
    QMouseEvent e(Type, QPointF(12, 7), QPointF(12, 7), Qt::LeftButton, Buttons, Qt::ShiftModifier);
    QCoreApplication::sendEvent(W, &e);
  }
  static QRgb PixelOnScreen(TCustomControl& C, int X, int Y) {
    return C.GetWidget()->grab().toImage().pixel(X, Y);
  }
};

TEST_F(TCustomControlTest, DoubleClickArrivesInTheFrameworkOrder) {
  ProbeControl control(nullptr);
  QWidget* w = control.GetWidget();
  Send(w, QEvent::MouseButtonPress, Qt::LeftButton);
  Send(w, QEvent::MouseButtonRelease, Qt::NoButton);
  Send(w, QEvent::MouseButtonDblClick, Qt::LeftButton);
  Send(w, QEvent::MouseButtonRelease, Qt::NoButton);
  EXPECT_EQ(control.Calls, QStringList({"down L+shift 12,7", "click", "up", "dblclick",
                                        "down L+shift+double 12,7", "up"}));
}

// The right button belongs to the control (a chart scrolls with it): a
// parent's context menu never opens over it, and a right drag reaches it.
TEST_F(TCustomControlTest, NoParentContextMenuOpensOverTheControl) {
  QWidget parent;
  parent.setContextMenuPolicy(Qt::CustomContextMenu);
  int menus = 0;
  QObject::connect(&parent, &QWidget::customContextMenuRequested, [&](const QPoint&) { ++menus; });
  ProbeControl control(nullptr);
  control.SetParentWidget(&parent);
  QContextMenuEvent overControl(QContextMenuEvent::Mouse, QPoint(12, 7), QPoint(12, 7));
  QCoreApplication::sendEvent(control.GetWidget(), &overControl);
  EXPECT_EQ(menus, 0);
  QContextMenuEvent overParent(QContextMenuEvent::Mouse, QPoint(150, 150), QPoint(150, 150));
  QCoreApplication::sendEvent(&parent, &overParent);
  EXPECT_EQ(menus, 1);
}

TEST_F(TCustomControlTest, PaintGoesThroughTheBufferAndOutOfPaintDrawingStays) {
  ProbeControl control(nullptr);
  control.SetBounds(0, 0, 40, 30);
  EXPECT_EQ(PixelOnScreen(control, 15, 15), QColor(Qt::red).rgb());
  EXPECT_EQ(PixelOnScreen(control, 30, 25), QColor(Qt::white).rgb());
  EXPECT_EQ(control.Paints, 1);  // the second copy needed no Paint

  // A rubber band drawn outside a paint event shows without a repaint.
  control.GetCanvas().GetBrush().SetColor(clBlue);
  control.GetCanvas().FillRect(TRect(25, 20, 35, 28));
  EXPECT_EQ(PixelOnScreen(control, 30, 25), QColor(Qt::blue).rgb());
  EXPECT_EQ(control.Paints, 1);

  control.Invalidate();
  EXPECT_EQ(PixelOnScreen(control, 30, 25), QColor(Qt::white).rgb());
  EXPECT_EQ(control.Paints, 2);

  control.SetBounds(0, 0, 60, 50);  // a new size paints again at that size
  EXPECT_EQ(control.GetWidget()->grab().width(), 60);
  EXPECT_EQ(control.GetBuffer().GetWidth(), 60);
  EXPECT_EQ(control.Paints, 3);
  EXPECT_EQ(control.GetClientRect(), TRect(0, 0, 60, 50));
}

TEST_F(TCustomControlTest, FailingPaintIsReportedNotThrownIntoQt) {
  MessageRecorder recorder;
  ProbeControl control(nullptr);
  control.FailInPaint = true;
  control.GetWidget()->grab();
  ASSERT_EQ(recorder.Messages().size(), 1u);
  EXPECT_EQ(recorder.Messages()[0], "paint failed");
}

TEST_F(TCustomControlTest, NothingIsFreedTwiceInEitherOrder) {
  {  // Qt parent first: the control keeps living without a widget.
    auto* parent = new QWidget;
    auto* control = new ProbeControl(nullptr);
    control->SetParentWidget(parent);
    EXPECT_EQ(control->GetWidget()->parentWidget(), parent);
    delete parent;
    EXPECT_EQ(control->GetWidget(), nullptr);
    control->Invalidate();
    control->SetCursor(crHandPoint);
    delete control;
  }
  {  // Control first: its widget leaves the parent.
    QWidget parent;
    auto* control = new ProbeControl(nullptr);
    control->SetParentWidget(&parent);
    delete control;
    EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty());
  }
  {  // The component owner frees the control and with it the widget.
    QWidget parent;
    auto* owner = new TComponent(nullptr);
    auto* control = new ProbeControl(owner);
    control->SetParentWidget(&parent);
    delete owner;
    EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty());
  }
}

TEST_F(TCustomControlTest, CursorMapsToTheWidget) {
  ProbeControl control(nullptr);
  control.SetCursor(crSizeWE);
  EXPECT_EQ(control.GetWidget()->cursor().shape(), Qt::SizeHorCursor);
  control.SetCursor(crDefault);
  EXPECT_EQ(control.GetWidget()->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
