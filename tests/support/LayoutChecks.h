#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QWidget;

// Checks of a window's layout as a user sees it at the default font: the
// controls that show something do not lie over one another, and what
// they say fits in them.

// The controls of Root (labels, buttons, boxes, edits, lists, sliders,
// up-downs, charts' host widgets) that are shown and lie over another such
// control with the same parent, as "name/name" pairs (a widget's class
// stands in for an empty object name). Group boxes and pages are
// containers, not controls.
QStringList OverlappingControls(const QWidget& Root);

// The shown labels, check boxes, radio buttons and push buttons of Root
// whose text does not fit in them, by name.
QStringList CutCaptions(const QWidget& Root);

// The shown controls of Root that reach beyond Root's own area (cut off
// at its edge), by name.
QStringList ControlsOutside(const QWidget& Root);

// The part of Root's area (in percent, 0 .. 100) that lies above the
// topmost shown control: a page whose content starts half way down leaves
// a band of 50.
int EmptyBandAbovePercent(const QWidget& Root);

// The Alt+letter keys that the captions Root shows take ("Alt+F"), each
// with those captions: shown buttons, group boxes and tabs, labels with a
// buddy, and the titles of shown menu bars. For all that is shown at once,
// Root is the window (with what is docked in it).
QMap<QString, QStringList> ShownMnemonics(const QWidget& Root);

// Of ShownMnemonics, the keys that more than one caption takes, as
// "Alt+F: &File, &File".
QStringList RepeatedMnemonics(const QWidget& Root);

// Saves Root as it looks into the test output folder (for a person to look
// at), named Name.png; returns the file path.
QString SaveLook(QWidget& Root, const QString& Name);
