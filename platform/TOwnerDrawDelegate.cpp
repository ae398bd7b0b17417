#include "platform/TOwnerDrawDelegate.h"

#include "platform/QtGuard.h"
#include "platform/TCanvas.h"

#include <QPainter>

#include <utility>

TOwnerDrawDelegate::TOwnerDrawDelegate(QObject* Parent, int ItemHeight, TDrawItem DrawItem)
    : QStyledItemDelegate(Parent), FItemHeight(ItemHeight), FDrawItem(std::move(DrawItem)) {}

void TOwnerDrawDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                               const QModelIndex& Index) const {
  RunGuarded([&] {
    Painter->save();
    {
      // The canvas lets go of the painter before its state is restored.
      TCanvas Canvas(*Painter, 96);
      const QRect& R = Option.rect;
      FDrawItem(Canvas, Index.row(), TRect(R.left(), R.top(), R.right() + 1, R.bottom() + 1),
                Option.state.testFlag(QStyle::State_Selected),
                Option.state.testFlag(QStyle::State_HasFocus));
    }
    Painter->restore();
  });
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& Option,
                                   const QModelIndex& Index) const {
  return QSize(QStyledItemDelegate::sizeHint(Option, Index).width(), FItemHeight);
}
