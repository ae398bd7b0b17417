#pragma once

#include "platform/TRect.h"

#include <memory>

class TBitmap;
class TKorCanvas;

// Render: one transparency in progress on a surface, from BeginBlending to
// EndBlending; owned by whoever began it. It remembers the rectangle and a
// snapshot of the pixels the element is about to cover.
class TKorBlend {
 public:
  TKorBlend(TKorCanvas& ACanvas, const TRect& ARect);
  ~TKorBlend();
  TKorBlend(const TKorBlend&) = delete;
  TKorBlend& operator=(const TKorBlend&) = delete;

  TKorCanvas& GetCanvas() const { return FCanvas; }
  const TRect& GetRect() const { return FRect; }
  // False when the rectangle lies outside the surface: nothing is blended.
  bool GetValid() const { return FValid; }

 private:
  TKorCanvas& FCanvas;
  TRect FRect;
  std::unique_ptr<TBitmap> FSnapshot;  // the covered pixels (24-bit)
  bool FValid = false;
};
