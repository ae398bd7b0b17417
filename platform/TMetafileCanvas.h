#pragma once

#include <QPicture>

#include <memory>

class QPainter;
class TCanvas;
class TMetafile;

// Records drawing into a metafile: draw on Canvas() while the object lives;
// the recording replaces the metafile's picture when it is destroyed (or at
// Finish). The canvas has 96 pixels per inch and no raster operations.
class TMetafileCanvas {
 public:
  explicit TMetafileCanvas(TMetafile& AMetafile);
  ~TMetafileCanvas();
  TMetafileCanvas(const TMetafileCanvas&) = delete;
  TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

  TCanvas& Canvas();
  // Ends the recording early and hands it to the metafile; later drawing
  // on the canvas raises.
  void Finish();

 private:
  TMetafile& FMetafile;
  QPicture FPicture;
  std::unique_ptr<QPainter> FPainter;
  std::unique_ptr<TCanvas> FCanvas;
};
