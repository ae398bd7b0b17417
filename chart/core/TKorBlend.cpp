#include "chart/core/TKorBlend.h"

#include "platform/TBitmap.h"

// TODO(#6): clamp the rectangle to the surface and take the snapshot.
TKorBlend::TKorBlend(TKorCanvas& ACanvas, const TRect& ARect) : FCanvas(ACanvas), FRect(ARect) {}

TKorBlend::~TKorBlend() = default;
