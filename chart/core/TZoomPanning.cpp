#include "chart/core/TZoomPanning.h"

#include <utility>

void TZoomPanning::Activate(int X, int Y) {
  StartX = X;
  StartY = Y;
  EndX = X;
  EndY = Y;
  Engaged = true;
}

void TZoomPanning::Check() {
  if (StartX > EndX) std::swap(StartX, EndX);
  if (StartY > EndY) std::swap(StartY, EndY);
}
