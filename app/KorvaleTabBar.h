#pragma once

#include <QRect>
#include <QTabBar>

#include <functional>
#include <vector>

class QPainter;

// The main window's tab bar (render and interaction role): every tab is
// painted by the owner's draw function, and the tabs wrap onto as many rows
// as the width needs instead of scrolling, so every tab stays visible.
// QTabBar still holds the tabs (texts, tool tips, current index, signals);
// geometry, painting, mouse picking and tool tips use the row layout here.
class TKorvaleTabBar : public QTabBar {
 public:
  // Paints tab TabIndex into Rect (bar pixels), the whole tab's area.
  using TDrawTab = std::function<void(QPainter& Painter, int TabIndex, const QRect& Rect)>;

  TKorvaleTabBar(TDrawTab DrawTab, QWidget* Parent);

  // Tab Index's rectangle in the row layout at the current width (bar pixels);
  // empty for an index out of range.
  QRect RowTabRect(int Index) const;
  // Index of the tab under Point (bar pixels), -1 for none.
  int RowTabAt(const QPoint& Point) const;
  int RowCount() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  // A tool tip is the tab's under the pointer in the row layout.
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void tabInserted(int Index) override;
  void tabRemoved(int Index) override;
  void tabLayoutChange() override;

 private:
  // The width the rows may fill, in pixels: that of the tab widget the bar
  // sits in (which sizes the bar from sizeHint), else the bar's own.
  int WrapWidth() const;
  int RowHeight() const;
  // Every tab's rectangle, rows top-down, tabs left to right in tab order.
  std::vector<QRect> LayOutRows(int Width) const;
  // Tells the tab widget (and its layout) that the rows may have changed.
  void Relayout();

  TDrawTab FDrawTab;
};
