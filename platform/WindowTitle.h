#pragma once

#include <QString>

class QWidget;

// Interaction: room for a window's title. A title bar shows the title
// alone (the program sets no display name for Qt to append, see
// ApplicationTitle.h) beside the window's icon and its buttons; a window
// narrower than that shows the title cut.

// The width in pixels that a title bar needs for Title, at the default font.
int TitleBarWidth(const QString& Title);

// Widens Window (a top-level window) to TitleBarWidth of its title when it
// is narrower; its height stays.
void FitWindowToTitle(QWidget& Window);
