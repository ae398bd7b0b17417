#include "chart/core/TKorCanvas.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"

#include "platform/Rounding.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TCanvas.h"
#include "platform/TGraphic.h"
#include "platform/TPicture.h"

#include <cstdlib>

TKorCanvas::TKorCanvas() {
  DetachCanvas();
}

TKorCanvas::~TKorCanvas() {
  UnlinkFont();
}

void TKorCanvas::AssignVisiblePenColor(const TPen& Pen, TColor Color) {
  if (GetMonochrome()) Color = clBlack;
  const TChartPen* ChartPen = dynamic_cast<const TChartPen*>(&Pen);
  if (ChartPen != nullptr && !ChartPen->GetVisible()) {
    FPen->SetStyle(psClear);
    return;
  }
  if (ChartPen != nullptr && IsWindowsNT && !GetSupportsFullRotation()) {
    KorSetKorPen(*FPen, *ChartPen, Color);
    return;
  }
  FPen->Assign(Pen);
  FPen->SetColor(Color);
  if (KorCheckPenWidth && FPen->GetStyle() != psSolid && FPen->GetWidth() == 1) FPen->SetWidth(0);
}

// TODO(#6): snapshot the covered pixels and blend them back in EndBlending.
std::unique_ptr<TKorBlend> TKorCanvas::BeginBlending(const TRect& R, int Transparency) {
  FTransparency = Transparency & 0x7F;
  return std::make_unique<TKorBlend>(*this, R);
}

void TKorCanvas::EndBlending(std::unique_ptr<TKorBlend>) {}

// TODO(#6): the bevel.
void TKorCanvas::Frame3D(TRect&, TColor, TColor, int) {}

int TKorCanvas::TextWidth(const QString& Text) const {
  int Width = FCanvas->TextWidth(Text);
  const TKorShadow* Shadow = FFontObject != nullptr ? FFontObject->ExistingShadow() : nullptr;
  return Shadow != nullptr ? Width + std::abs(Shadow->GetHorizSize()) : Width;
}

int TKorCanvas::TextHeight(const QString& Text) const {
  int Height = FCanvas->TextHeight(Text);
  const TKorShadow* Shadow = FFontObject != nullptr ? FFontObject->ExistingShadow() : nullptr;
  return Shadow != nullptr ? Height + std::abs(Shadow->GetVertSize()) : Height;
}

// TODO(#6): rounded, elliptic and polygonal clips.
void TKorCanvas::ClipRectangle(const TRect&, int) {}

void TKorCanvas::ClipEllipse(const TRect&, bool) {}

void TKorCanvas::ClipPolygon(const TPoint*, int) {}

// The canvas's objects are read before every primitive, so nobody needs
// their notifications while the surface changes them.
void TKorCanvas::SetCanvas(TCanvas& Canvas) {
  FCanvas = &Canvas;
  FPen = &Canvas.GetPen();
  FFont = &Canvas.GetFont();
  FBrush = &Canvas.GetBrush();
  FPen->OnChange = nullptr;
  FFont->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TKorCanvas::DetachCanvas() {
  SetCanvas(FDetached.GetCanvas());
}

void TKorCanvas::ResetState() {
  FPen->SetColor(clBlack);
  FPen->SetWidth(1);
  FPen->SetStyle(psSolid);
  FBrush->SetColor(clWhite);
  FBrush->SetStyle(bsSolid);
  FFont->SetColor(clBlack);
  FFont->SetStyle(TFontStyles());
  FFont->SetCharset(DEFAULT_CHARSET);
  FFont->SetName(GetDefaultFontName());
  FFont->SetSize(GetDefaultFontSize());
  FTransparency = 0;
  UnlinkFont();
  SetBackColor(clWhite);
  SetBackMode(cbmTransparent);
  SetTextAlign(0);
}

void TKorCanvas::AssignBrush(const TChartBrush& Brush, TColor Color) {
  AssignBrushColor(Brush, Color, Brush.GetColor());
}

void TKorCanvas::AssignBrushColor(const TChartBrush& Brush, TColor Color, TColor BackColor) {
  if (GetMonochrome()) Color = clWhite;
  const TPicture* Image = Brush.ExistingImage();
  const TGraphic* Graphic = Image != nullptr ? Image->GetGraphic() : nullptr;
  const TBitmap* Pattern = Brush.GetBitmap();
  TBitmap Converted;
  if (Graphic != nullptr) {
    if (const TBitmapGraphic* AsBitmap = dynamic_cast<const TBitmapGraphic*>(Graphic)) {
      Pattern = &AsBitmap->Bitmap();
    } else {
      Converted.SetImage(Graphic->ToImage());
      Pattern = &Converted;
    }
  }
  if (Pattern != nullptr) {
    FBrush->SetStyle(bsClear);
    FBrush->SetBitmap(Pattern);
    FCanvas->SetTextColor(Color);
    SetBackMode(cbmOpaque);
    SetBackColor(BackColor);
    return;
  }
  FBrush->SetBitmap(nullptr);
  FBrush->SetColor(Color);
  FBrush->SetStyle(Brush.GetStyle());
  if (BackColor == clNone) {
    SetBackMode(cbmTransparent);
  } else {
    SetBackMode(cbmOpaque);
    SetBackColor(BackColor);
  }
}

void TKorCanvas::AssignVisiblePen(const TPen& Pen) {
  AssignVisiblePenColor(Pen, Pen.GetColor());
}

// The surface's font takes the chart font's height in logical units, as if
// the chart font had the device's resolution; the chart font itself is
// never changed, so zoom and printing do not accumulate in it.
void TKorCanvas::AssignFont(TKorFont& Font) {
  FFont->Assign(Font);
  FFont->SetHeight(Font.GetHeight());
  if (FFontZoom != 100.0) FFont->SetSize(Round(FFont->GetSize() * FFontZoom / 100.0));
  if (GetMonochrome()) FFont->SetColor(clBlack);
  if (FCanvas->GetTextCharacterExtra() != Font.GetInterCharSize())
    FCanvas->SetTextCharacterExtra(Font.GetInterCharSize());
  if (FFontObject != &Font) {
    UnlinkFont();
    // A font records one surface only: the surface it was current on before
    // forgets it, so neither side ever points at the other after it is gone.
    if (Font.FCanvas != nullptr) Font.FCanvas->ForgetFont(Font);
    FFontObject = &Font;
  }
  Font.FCanvas = this;
}

int TKorCanvas::GetFontHeight() const {
  return TextHeight(QStringLiteral("W"));
}

// TODO(#7): the HTML-subset renderer; until then the text is drawn as is.
void TKorCanvas::TextOut(int X, int Y, const QString& Text, bool) {
  TextOut(X, Y, Text);
}

void TKorCanvas::ForgetFont(const TKorFont& Font) {
  if (FFontObject == &Font) FFontObject = nullptr;
}

void TKorCanvas::UnlinkFont() {
  if (FFontObject != nullptr && FFontObject->FCanvas == this) FFontObject->FCanvas = nullptr;
  FFontObject = nullptr;
}
