#pragma once

#include "platform/TRect.h"

#include <QStyledItemDelegate>

#include <functional>

class TCanvas;

// Paints each item of a Qt list or combo box through a handler of ours, on
// a canvas over the view's painter, so that owner-drawn items keep their
// pixel layout. Items have one fixed height.
class TOwnerDrawDelegate : public QStyledItemDelegate {
 public:
  // Rect has exclusive right and bottom edges.
  using TDrawItem = std::function<void(TCanvas& Canvas, int Index, const TRect& Rect, bool Selected,
                                       bool Focused)>;

  TOwnerDrawDelegate(QObject* Parent, int ItemHeight, TDrawItem DrawItem);

  void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
             const QModelIndex& Index) const override;
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

 private:
  int FItemHeight;
  TDrawItem FDrawItem;
};
