#include "chart/core/TKorDragObject.h"

#include "chart/core/KorProcs.h"

TCursor TKorDragObject::GetDragCursor(bool Accepted, int, int) const {
  return Accepted ? crKorHand : crNo;
}

void TKorDragObject::Finished(bool, int, int) {}
