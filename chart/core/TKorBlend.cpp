#include "chart/core/TKorBlend.h"

#include "chart/core/BitmapPixels.h"
#include "chart/core/KorCanvas.h"
#include "chart/core/TKorCanvas.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"

#include <algorithm>
#include <cstdint>

namespace {

// Normalised, off-bitmap parts cut away, at least one pixel.
TRect ClampToBitmap(const TRect& Device, const TBitmap& Bitmap) {
  TRect R = OrientRectangle(Device);
  R.Left = std::max(0, R.Left);
  R.Top = std::max(0, R.Top);
  R.Right = std::max(R.Right, R.Left + 1);
  R.Bottom = std::max(R.Bottom, R.Top + 1);
  R.Right = std::min(R.Right, Bitmap.GetWidth());
  R.Bottom = std::min(R.Bottom, Bitmap.GetHeight());
  return R;
}

}  // namespace

TKorBlend::TKorBlend(TKorCanvas& ACanvas, const TRect& ARect) : FCanvas(ACanvas), FRect(ARect) {
  TCanvas& Canvas = FCanvas.GetReferenceCanvas();
  const TBitmap* Bitmap = Canvas.GetBitmap();
  if (Bitmap == nullptr || FCanvas.GetMetafiling()) return;
  FRect = ClampToBitmap(Canvas.LPtoDP(ARect), *Bitmap);
  FValid = !IsRectEmpty(FRect);
  if (!FValid) return;
  FTarget = Bitmap;
  FSnapshot = std::make_unique<TBitmap>(FRect.Width(), FRect.Height(), pf24bit);
  const int SourceSize = BitmapPixels::PixelSize(*Bitmap);
  for (int Y = 0; Y < FRect.Height(); ++Y) {
    const std::uint8_t* From = BitmapPixels::ReadRow(*Bitmap, FRect.Top + Y);
    std::uint8_t* To = BitmapPixels::WriteRow(*FSnapshot, Y);
    for (int X = 0; X < FRect.Width(); ++X)
      BitmapPixels::Set(To, X, 3, BitmapPixels::Get(From, FRect.Left + X, SourceSize));
  }
}

TKorBlend::~TKorBlend() = default;

void TKorBlend::Blend(int Transparency) {
  if (!FValid || FCanvas.GetMetafiling()) return;
  TBitmap* Target = FCanvas.GetReferenceCanvas().GetBitmap();
  if (Target == nullptr || Target != FTarget) return;
  KorBlendBitmaps(*FSnapshot, *Target, FRect.TopLeft(), 100 - Transparency);
}
