#include "chart/core/KorTypePictures.h"

#include "platform/TBitmap.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TColor.h"
#include "platform/TPen.h"

#include <algorithm>
#include <vector>

namespace {

// The background of a picture: a colour no picture paints, left out when
// the picture is drawn.
constexpr TColor PictureBackground = 0xFE01FE;

struct TNamedPainter {
  QString ClassName;
  TKorPicturePainter Painter;
};

// Made on first use, so that registration from any start-up code finds it.
std::vector<TNamedPainter>& Painters() {
  static std::vector<TNamedPainter> List;
  return List;
}

std::vector<TNamedPainter>::iterator Find(const QString& ClassName) {
  std::vector<TNamedPainter>& List = Painters();
  return std::find_if(List.begin(), List.end(), [&](const TNamedPainter& P) {
    return P.ClassName.compare(ClassName, Qt::CaseInsensitive) == 0;
  });
}

}  // namespace

void RegisterKorPicture(const QString& ClassName, TKorPicturePainter Painter) {
  if (ClassName.isEmpty() || Painter == nullptr) return;
  const auto Found = Find(ClassName);
  if (Found != Painters().end())
    Found->Painter = Painter;
  else
    Painters().push_back({ClassName, Painter});
}

void UnRegisterKorPicture(const QString& ClassName) {
  const auto Found = Find(ClassName);
  if (Found != Painters().end()) Painters().erase(Found);
}

void RegisterKorPictures(const std::vector<TKorClassPicture>& Pictures) {
  for (const TKorClassPicture& P : Pictures) RegisterKorPicture(P.ClassName, P.Painter);
}

void UnRegisterKorPictures(const std::vector<TKorClassPicture>& Pictures) {
  for (const TKorClassPicture& P : Pictures) UnRegisterKorPicture(P.ClassName);
}

bool KorPaintPicture(const QString& ClassName, TBitmap& Bitmap) {
  if (ClassName.isEmpty()) return false;
  const auto Found = Find(ClassName);
  if (Found == Painters().end()) return false;
  TBitmap Picture(KorPictureSize, KorPictureSize, pf24bit);
  TCanvas& Canvas = Picture.GetCanvas();
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(PictureBackground);
  Canvas.FillRect(TRect(0, 0, KorPictureSize, KorPictureSize));
  Found->Painter(Canvas);
  Bitmap.Assign(Picture);
  Bitmap.SetTransparentColor(PictureBackground);
  Bitmap.SetTransparent(true);
  return true;
}

namespace KorPicture {

void Pen(TCanvas& Canvas, TColor Color, int Width) {
  TPen& P = Canvas.GetPen();
  P.SetStyle(Color == clNone ? psClear : psSolid);
  if (Color != clNone) P.SetColor(Color);
  P.SetWidth(Width);
  P.SetMode(pmCopy);
}

void Brush(TCanvas& Canvas, TColor Color) {
  TBrush& B = Canvas.GetBrush();
  B.SetStyle(Color == clNone ? bsClear : bsSolid);
  if (Color != clNone) B.SetColor(Color);
}

void Axes(TCanvas& Canvas) {
  Pen(Canvas, clGray);
  Lines(Canvas, {TPoint(1, 1), TPoint(1, 14), TPoint(14, 14)});
}

void Lines(TCanvas& Canvas, std::initializer_list<TPoint> Points) {
  if (Points.size() == 0) return;
  const TPoint* P = Points.begin();
  Canvas.MoveTo(P->X, P->Y);
  for (++P; P != Points.end(); ++P) Canvas.LineTo(P->X, P->Y);
  // A line leaves out its last pixel; a picture wants it.
  const TPoint& Last = *(Points.end() - 1);
  if (Canvas.GetPen().GetStyle() != psClear)
    Canvas.SetPixel(Last.X, Last.Y, Canvas.GetPen().GetColor());
}

void Shape(TCanvas& Canvas, std::initializer_list<TPoint> Points) {
  Canvas.Polygon(Points.begin(), static_cast<int>(Points.size()));
}

void Box(TCanvas& Canvas, const TRect& R, TColor Fill, TColor Outline) {
  Brush(Canvas, Fill);
  Pen(Canvas, Outline);
  Canvas.Rectangle(R);
}

}  // namespace KorPicture
