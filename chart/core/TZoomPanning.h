#pragma once

#include "platform/TPersistent.h"

// Interaction: the rectangle of a zoom or panning drag in client pixels,
// and whether a drag is in progress.
class TZoomPanning : public TPersistent {
 public:
  TZoomPanning() = default;

  QString ClassName() const override { return QStringLiteral("TZoomPanning"); }

  // Starts a drag at (X, Y): both corners there.
  void Activate(int X, int Y);
  // Orders the corners so that StartX <= EndX and StartY <= EndY.
  void Check();

  bool Engaged = false;
  int StartX = 0;
  int StartY = 0;
  int EndX = 0;
  int EndY = 0;
};
