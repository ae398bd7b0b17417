#include "platform/WindowTitle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace {

// The window's icon and its three buttons, and the frame around them, in
// pixels: what title bars of the usual window systems take beside the text.
constexpr int TitleBarDecoration = 140;

}  // namespace

int TitleBarWidth(const QString& Title) {
  return QFontMetrics(QApplication::font()).horizontalAdvance(Title) + TitleBarDecoration;
}

void FitWindowToTitle(QWidget& Window) {
  const int Needed = TitleBarWidth(Window.windowTitle());
  if (Window.width() >= Needed) return;
  Window.resize(Needed, Window.height());
  Window.setMinimumWidth(std::min(Needed, Window.maximumWidth()));
}
