#include "platform/TCanvas.h"

#include "platform/TBitmap.h"

#include <QImage>
#include <QPainter>

// Provisional: state handling only; primitives follow.
struct TCanvas::TState {
  QPainter* External = nullptr;
  TColor TextColor = clBlack;
};

namespace {
bool TextAntialiasing = true;
}

void SetTextAntialiasing(bool On) {
  TextAntialiasing = On;
}
bool GetTextAntialiasing() {
  return TextAntialiasing;
}

TCanvas::TCanvas(TBitmap& ABitmap) : FState(std::make_unique<TState>()), FBitmap(&ABitmap) {}

TCanvas::TCanvas(QPainter& APainter, int APixelsPerInch)
    : FState(std::make_unique<TState>()), FPixelsPerInch(APixelsPerInch) {
  FState->External = &APainter;
  FFont.SetPixelsPerInch(APixelsPerInch);
}

TCanvas::~TCanvas() = default;

TColor TCanvas::GetTextColor() const {
  return FState->TextColor;
}
void TCanvas::SetTextColor(TColor Value) {
  FState->TextColor = Value;
}
void TCanvas::SetMapMode(TMapMode Value) {
  FMapMode = Value;
}
void TCanvas::SetWindowOrg(int X, int Y) {
  FWindowOrg = {X, Y};
}
void TCanvas::SetWindowExt(int CX, int CY) {
  FWindowExt = {CX, CY};
}
void TCanvas::SetViewportOrg(int X, int Y) {
  FViewportOrg = {X, Y};
}
void TCanvas::SetViewportExt(int CX, int CY) {
  FViewportExt = {CX, CY};
}
TPoint TCanvas::LPtoDP(const TPoint& P) const {
  return P;
}
TPoint TCanvas::DPtoLP(const TPoint& P) const {
  return P;
}
TRect TCanvas::LPtoDP(const TRect& R) const {
  return R;
}
void TCanvas::MoveTo(int X, int Y) {
  FPenPos = {X, Y};
}
void TCanvas::LineTo(int X, int Y) {
  FPenPos = {X, Y};
}
void TCanvas::Polyline(const TPoint*, int) {}
void TCanvas::Polygon(const TPoint*, int) {}
void TCanvas::Rectangle(int, int, int, int) {}
void TCanvas::Ellipse(int, int, int, int) {}
void TCanvas::RoundRect(int, int, int, int, int, int) {}
void TCanvas::FillRect(const TRect&) {}
void TCanvas::FrameRect(const TRect&) {}
void TCanvas::Arc(int, int, int, int, int, int, int, int) {}
void TCanvas::ArcTo(int, int, int, int, int, int, int, int) {}
void TCanvas::Pie(int, int, int, int, int, int, int, int) {}
void TCanvas::Chord(int, int, int, int, int, int, int, int) {}
void TCanvas::TextOut(int, int, const QString&) {}
void TCanvas::TextRect(const TRect&, int, int, const QString&) {}
TSize TCanvas::TextExtent(const QString&) const {
  return {};
}
TColor TCanvas::GetPixel(int, int) const {
  return clNone;
}
void TCanvas::SetPixel(int, int, TColor) {}
void TCanvas::Draw(int, int, const TBitmap&) {}
void TCanvas::StretchDraw(const TRect&, const TBitmap&) {}
void TCanvas::CopyRect(const TRect&, const TCanvas&, const TRect&) {}
void TCanvas::DrawImage(const TRect&, const QImage&) {}
void TCanvas::ClipRect(const TRect&, TClipCombine) {}
void TCanvas::ClipRoundRect(const TRect&, int, int, TClipCombine) {}
void TCanvas::ClipEllipse(const TRect&, TClipCombine) {}
void TCanvas::ClipPolygon(const TPoint*, int, TClipCombine) {}
void TCanvas::RemoveClip() {}
TRect TCanvas::GetClipBox() const {
  return {};
}
void TCanvas::SaveClip() {}
bool TCanvas::RestoreClip() {
  return false;
}
void TCanvas::BeginPath() {}
void TCanvas::EndPath() {}
void TCanvas::AbortPath() {}
void TCanvas::CloseFigure() {}
bool TCanvas::StrokePath() {
  return false;
}
bool TCanvas::FillPath() {
  return false;
}
bool TCanvas::StrokeAndFillPath() {
  return false;
}
bool TCanvas::WidenPath() {
  return false;
}
bool TCanvas::SelectClipPath(TClipCombine) {
  return false;
}
void TCanvas::ClosePainter() {}
