#pragma once

#include "platform/TRect.h"

#include <QString>

class TCustomControl;

// Interaction: the program's one hint window, shown through the toolkit's
// tooltip. A control's hint (its Hint text, while its ShowHint is on)
// appears when ActivateHint asks for it, after the hint pause; a newer
// request or CancelHint replaces or hides it and drops a hint still waiting
// for its pause. A pending hint keeps its own copy of the text and forgets
// the control when the control's window goes away, so freeing a control
// never leaves a hint pointing at it.
class TApplicationHints {
 public:
  TApplicationHints() = delete;

  // Milliseconds between a request and the hint appearing; 500 at start.
  // Negative values count as 0 (at once).
  static int GetHintPause();
  static void SetHintPause(int Value);

  // Shows Control's hint at Pos (client pixels of Control) after the pause;
  // nothing when the control's ShowHint is off or its hint is empty. Any
  // hint shown or pending before is cancelled first.
  static void ActivateHint(TCustomControl& Control, const TPoint& Pos);
  // Hides the hint and drops a pending one.
  static void CancelHint();

  // The text of the hint on screen (empty when none), and whether one is
  // still waiting for its pause.
  static QString GetShownHint();
  static bool GetHintPending();
};
