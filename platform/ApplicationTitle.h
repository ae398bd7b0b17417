#pragma once

#include <QString>

// Interaction: the program's title, as the application object holds it.
// Message boxes without a caption of their own show it, and the window
// system groups the program's windows under it in its task bar. A window's
// caption stays its own alone: Qt appends an application display name, once
// one is set, to every window title, so the title is kept as the
// application's name and no display name is ever set.
void SetApplicationTitle(const QString& Title);
QString ApplicationTitle();
