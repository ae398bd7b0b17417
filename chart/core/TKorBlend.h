#pragma once

#include "platform/TRect.h"

#include <memory>

class TBitmap;
class TKorCanvas;

// Render: one transparency in progress on a surface, from BeginBlending to
// EndBlending; owned by whoever began it. It remembers the device pixels
// the element is about to cover, so they can be mixed back in when the
// element is drawn. Only a surface drawing on a bitmap has pixels to mix;
// on printers and recordings the element is drawn opaque.
class TKorBlend {
 public:
  // Takes the snapshot of R (logical units) as far as it lies on the
  // surface's bitmap.
  TKorBlend(TKorCanvas& ACanvas, const TRect& ARect);
  ~TKorBlend();
  TKorBlend(const TKorBlend&) = delete;
  TKorBlend& operator=(const TKorBlend&) = delete;

  TKorCanvas& GetCanvas() const { return FCanvas; }
  // Device pixels of the surface's bitmap, clamped to it.
  const TRect& GetRect() const { return FRect; }
  // False when there is nothing to mix: no bitmap under the surface, a
  // recording in progress, or a rectangle off the bitmap.
  bool GetValid() const { return FValid; }

  // Mixes what was drawn since the snapshot with the snapshot, so that the
  // drawing shows through with (100 - Transparency) % of its colour.
  // Nothing when not valid or when the surface draws elsewhere by now.
  void Blend(int Transparency);

 private:
  TKorCanvas& FCanvas;
  TRect FRect;
  std::unique_ptr<TBitmap> FSnapshot;  // the covered pixels (24-bit)
  const TBitmap* FTarget = nullptr;    // compared with, never read through
  bool FValid = false;
};
