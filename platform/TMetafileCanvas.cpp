#include "platform/TMetafileCanvas.h"

#include "platform/Exception.h"
#include "platform/TCanvas.h"
#include "platform/TMetafile.h"

#include <QPainter>

TMetafileCanvas::TMetafileCanvas(TMetafile& AMetafile)
    : FMetafile(AMetafile), FPainter(std::make_unique<QPainter>()) {
  if (!FPainter->begin(&FPicture))
    throw EInvalidGraphic(QStringLiteral("Cannot record a metafile"));
  FCanvas = std::make_unique<TCanvas>(*FPainter, 96);
}

TMetafileCanvas::~TMetafileCanvas() {
  try {
    Finish();
  } catch (...) {
    // Destructors never throw; an unfinished recording is simply dropped.
  }
}

TCanvas& TMetafileCanvas::Canvas() {
  if (!FCanvas) throw EInvalidGraphic(QStringLiteral("The metafile recording has ended"));
  return *FCanvas;
}

void TMetafileCanvas::Finish() {
  if (!FCanvas) return;
  FCanvas.reset();
  FPainter->end();
  FMetafile.SetRecording(FPicture);
}
