#include "chart/editor/TItemFaceCombo.h"

#include "platform/QtGuard.h"
#include "platform/TCanvas.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <utility>

TItemFaceCombo::TItemFaceCombo(QWidget* Parent, int ItemHeight, TDrawItem DrawItem)
    : TComboFlat(Parent), FItemHeight(ItemHeight), FDrawItem(std::move(DrawItem)) {}

void TItemFaceCombo::paintEvent(QPaintEvent* Event) {
  TComboFlat::paintEvent(Event);
  RunGuarded([this] {
    QStyleOptionComboBox Option;
    initStyleOption(&Option);
    const QRect R =
        style()->subControlRect(QStyle::CC_ComboBox, &Option, QStyle::SC_ComboBoxEditField, this);
    QPainter Painter(this);
    Painter.setClipRect(R);
    TCanvas Canvas(Painter, 96);
    const int Top = R.top() + (R.height() - FItemHeight) / 2;
    FDrawItem(Canvas, currentIndex(), TRect(R.left(), Top, R.right() + 1, Top + FItemHeight));
  });
}
