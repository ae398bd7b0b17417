#pragma once

#include "platform/TGraphic.h"

#include <QPicture>

#include <memory>

class QPainter;

// A recorded picture: drawing commands kept as a QPicture, replayed scaled
// for stretching, the print preview and the clipboard. Width and Height are
// its logical size (the canvas units it was recorded in, pixels at 96 per
// inch). Saving writes a real metafile file, enhanced or placeable as
// GetEnhanced says; reading metafile files is not available and raises
// ENotSupported.
class TMetafile : public TGraphic {
 public:
  TMetafile() = default;

  QString ClassName() const override { return QStringLiteral("TMetafile"); }
  void Assign(const TPersistent& Source) override;

  int GetWidth() const override { return FWidth; }
  void SetWidth(int Value);
  int GetHeight() const override { return FHeight; }
  void SetHeight(int Value);
  // Enhanced or plain (placeable) file form; the recording is the same.
  bool GetEnhanced() const { return FEnhanced; }
  void SetEnhanced(bool Value) { FEnhanced = Value; }

  void Draw(TCanvas& Canvas, const TRect& Rect) const override;
  void LoadFromStream(QIODevice& Stream) override;
  void SaveToStream(QIODevice& Stream) const override;
  // The metafile file SaveToStream writes.
  QByteArray SaveToBytes() const;
  // Replays the recording at its logical size (white where nothing is drawn).
  QImage ToImage() const override;
  // Replays the recording scaled to Width x Height pixels.
  QImage ToImage(int AWidth, int AHeight) const;
  std::unique_ptr<TGraphic> Clone() const override;
  QString DefaultExtension() const override {
    return FEnhanced ? QStringLiteral("emf") : QStringLiteral("wmf");
  }

  // For TMetafileCanvas.
  void SetRecording(const QPicture& Picture) {
    FPicture = Picture;
    Changed();
  }
  const QPicture& Recording() const { return FPicture; }

 private:
  void Replay(QPainter& Painter, double ScaleX, double ScaleY) const;

  QPicture FPicture;
  int FWidth = 0;
  int FHeight = 0;
  bool FEnhanced = true;
};
