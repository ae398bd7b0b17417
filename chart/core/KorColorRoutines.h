#pragma once

#include "platform/TColor.h"

class QWidget;

// Interaction: the colour dialog of the chart editor. It remembers the
// user's custom colours in KorCustomEditColors (KorCanvas.h) for the rest
// of the run. The dialog goes through the platform's colour hook, so tests
// answer it. (The colour arithmetic, ApplyDark and friends, is in
// KorCanvas.h.)

// Color preselected; the chosen colour on OK, Color itself on Cancel.
TColor EditColor(QWidget* Owner, TColor Color);
// EditColor on Color; true, with Color replaced, only when the user chose a
// different colour.
bool EditColorDialog(QWidget* Owner, TColor& Color);
