#include "chart/core/TKorCanvas.h"

#include "chart/core/Korhtml.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"

#include "platform/Rounding.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TCanvas.h"
#include "platform/TCanvasLayer.h"
#include "platform/TGraphic.h"
#include "platform/TPicture.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

TKorCanvas::TKorCanvas() : FFixedLayer(std::make_unique<TCanvasLayer>()) {
  DetachCanvas();
}

TKorCanvas::~TKorCanvas() {
  UnlinkFont();
}

void TKorCanvas::BeginFixedLayer() {
  FFixedLayer->Begin(*FCanvas);
}

void TKorCanvas::EndFixedLayer() {
  FFixedLayer->End();
}

bool TKorCanvas::GetFixedLayerReused() const {
  return FFixedLayer->GetReused();
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

std::unique_ptr<TKorBlend> TKorCanvas::BeginBlending(const TRect& R, int Transparency) {
  FTransparency = Transparency & 0x7F;
  return std::make_unique<TKorBlend>(*this, R);
}

void TKorCanvas::EndBlending(std::unique_ptr<TKorBlend> Blend) {
  if (Blend) Blend->Blend(FTransparency);
}

// Each ring is two one-pixel polylines whose last points are not drawn:
// the top colour runs up the left side and along the top, the bottom
// colour down the right side and back along the bottom, so the top-right
// and bottom-left corners take the bottom colour.
void TKorCanvas::Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  FPen->SetWidth(1);
  FPen->SetStyle(psSolid);
  --Rect.Right;
  --Rect.Bottom;
  for (int I = 0; I < Width; ++I) {
    const TPoint TopLeft[3] = {{Rect.Left, Rect.Bottom}, Rect.TopLeft(), {Rect.Right, Rect.Top}};
    FPen->SetColor(TopColor);
    Polyline(TopLeft, 2);
    const TPoint BottomRight[3] = {
        {Rect.Right, Rect.Top}, Rect.BottomRight(), {Rect.Left - 1, Rect.Bottom}};
    FPen->SetColor(BottomColor);
    Polyline(BottomRight, 2);
    InflateRect(Rect, -1, -1);
  }
  ++Rect.Right;
  ++Rect.Bottom;
}

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

void TKorCanvas::ClipRectangle(const TRect& R, int RoundSize) {
  ClipRoundRectangle(*FCanvas, R, RoundSize);
}

void TKorCanvas::ClipEllipse(const TRect& R, bool Inverted) {
  ::ClipEllipse(*FCanvas, R, Inverted);
}

void TKorCanvas::ClipPolygon(const TPoint* Points, int Count) {
  ::ClipPolygon(*FCanvas, Points, Count);
}

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

TColor TKorCanvas::ShadingBaseColor() const {
  return FBrush->GetStyle() == bsSolid ? FBrush->GetColor() : GetBackColor();
}

void TKorCanvas::SetShadingColor(TColor Color) {
  if (FBrush->GetStyle() == bsSolid)
    FBrush->SetColor(Color);
  else
    SetBackColor(Color);
}

void TKorCanvas::InternalDark(TColor Base, int Quantity) {
  SetShadingColor(ApplyDark(Base, Quantity));
}

void TKorCanvas::TextOut(int X, int Y, const QString& Text, bool Html) {
  if (Html)
    HtmlTextOut(*this, X, Y, Text);
  else
    TextOut(X, Y, Text);
}

namespace {

// Twice the signed area of the turn P0 -> P1 -> P2, with the sign the hull
// scan tests: negative for a corner that turns the hull's way.
long long Turn(const TPoint& Previous, const TPoint& P, const TPoint& Next) {
  return static_cast<long long>(Previous.X - P.X) * (Next.Y - P.Y) -
         static_cast<long long>(Next.X - P.X) * (Previous.Y - P.Y);
}

long long Cross(const TPoint& A, const TPoint& B) {
  return static_cast<long long>(A.X) * B.Y - static_cast<long long>(A.Y) * B.X;
}

long long SquaredLength(const TPoint& D) {
  return static_cast<long long>(D.X) * D.X + static_cast<long long>(D.Y) * D.Y;
}

}  // namespace

// Graham scan around the pivot. Every other point lies at or below the
// pivot on the screen (y down), so sorting by the direction from the pivot
// is a sort by the sign of a cross product; points in one direction come
// nearest first, so the scan drops all but the farthest.
bool TKorCanvas::ConvexHull(TPointArray& Points) {
  if (Points.size() < 3) return false;
  if (Points.size() == 3) return true;
  const auto PivotAt = std::min_element(
      Points.begin(), Points.end(),
      [](const TPoint& A, const TPoint& B) { return A.Y != B.Y ? A.Y < B.Y : A.X > B.X; });
  const TPoint Pivot = *PivotAt;
  TPointArray Others;
  for (const TPoint& P : Points)
    if (P != Pivot) Others.push_back(TPoint(P.X - Pivot.X, P.Y - Pivot.Y));
  std::sort(Others.begin(), Others.end(), [](const TPoint& A, const TPoint& B) {
    const long long C = Cross(A, B);
    return C != 0 ? C > 0 : SquaredLength(A) < SquaredLength(B);
  });
  TPointArray Hull{Pivot};
  auto Push = [&Hull](const TPoint& P, std::size_t Keep) {
    while (Hull.size() > Keep && Turn(Hull[Hull.size() - 2], Hull.back(), P) >= 0) Hull.pop_back();
    Hull.push_back(P);
  };
  for (const TPoint& D : Others) Push(TPoint(Pivot.X + D.X, Pivot.Y + D.Y), 1);
  // Closing back to the pivot: points all on one line keep both ends.
  Push(Pivot, 2);
  Hull.erase(Hull.begin());
  Points = std::move(Hull);
  return Points.size() >= 3;
}

TRect TKorCanvas::TextBox(int X, int Y, const QString& Text) const {
  const int Width = TextWidth(Text);
  const int Height = TextHeight(Text);
  const int Horizontal = GetTextAlign() & TA_CENTER;
  int Left = X;
  if (Horizontal == TA_CENTER)
    Left = X - Width / 2;
  else if (Horizontal == TA_RIGHT)
    Left = X - Width;
  return TRect(Left, Y, Left + Width, Y + Height);
}

void TKorCanvas::ForgetFont(const TKorFont& Font) {
  if (FFontObject == &Font) FFontObject = nullptr;
}

void TKorCanvas::UnlinkFont() {
  if (FFontObject != nullptr && FFontObject->FCanvas == this) FFontObject->FCanvas = nullptr;
  FFontObject = nullptr;
}
