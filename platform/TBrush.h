#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"

#include <memory>

class TBitmap;

// Fill styles; hatches are 8-pixel patterns in the brush colour whose gaps
// take the canvas background colour in opaque background mode and stay
// untouched in transparent mode.
enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,  // lines falling from top left to bottom right
  bsBDiagonal,  // lines rising from bottom left to top right
  bsCross,
  bsDiagCross
};

// The fill object of a canvas. With a pattern bitmap the brush tiles that
// bitmap (aligned to the device origin) whatever its style; a monochrome
// pattern paints its black pixels in the canvas text colour and its white
// pixels in the background colour.
class TBrush : public TPersistent {
 public:
  TBrush();
  ~TBrush() override;

  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TBrush"); }
  const TPropertyList& Properties() const override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // The brush keeps its own copy (pixel data shared until either side
  // changes); nullptr or an empty bitmap removes the pattern.
  const TBitmap* GetBitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap* Value);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  std::unique_ptr<TBitmap> FBitmap;
};
