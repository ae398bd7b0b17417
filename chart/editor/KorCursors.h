#pragma once

#include "platform/Cursors.h"

#include <QString>

class QComboBox;

// Cursor names as editor pages show and store them: the framework's
// standard names plus "crKorHand" for the chart library's hand cursor.

// False, leaving Cursor alone, for an unknown name.
bool KorIdentToCursor(const QString& Name, TCursor& Cursor);
// False, leaving Name alone, for a cursor without a name.
bool KorCursorToIdent(TCursor Cursor, QString& Name);
// The cursor named "cr" + Name, or Default when there is none.
TCursor KorSetCursor(TCursor Default, const QString& Name);
// Fills Combo with the names without their "cr" prefix, the standard ones
// in the framework's order, then "KorHand"; selects Current's entry, or
// none when Current has no name.
void KorFillCursors(QComboBox& Combo, TCursor Current);
