#include "chart/editor/TGalleryChart.h"

#include "chart/editor/TChartGalleryPanel.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartWall.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TView3DOptions.h"
#include "chart/series/TPieSeries.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"

#include <QWidget>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace {

// The view's angles while the panel turns charts on focus (degrees).
constexpr int UnfocusedRotation = 335;
constexpr int FocusedRotation = 345;
constexpr int GalleryElevation = 350;
// The enlarged copy of a smooth chart is this many times the chart's size.
constexpr int SmoothFactor = 4;
// Top margin of the enlarged copy (pixels): its title is hidden, so the
// plot needs some air at the top of its own.
constexpr int SmoothTopMargin = 30;

}  // namespace

TGalleryChart::TGalleryChart(TComponent* AOwner) : TCustomChart(AOwner) {
  GetLegend().SetVisible(false);
  for (int i = 0; i < GetAxesList().Count(); ++i) GetAxesList().Get(i)->SetLabels(false);
  GetTitle().GetFont().SetColor(clNavy);
  SetAnimatedZoom(true);
  TView3DOptions& View = GetView3DOptions();
  View.SetOrthogonal(false);
  View.SetZoom(90);
  View.SetPerspective(55);
  SetChart3DPercent(100);
  SetClipPoints(false);
  GetBackWall().GetPen().SetVisible(false);
  SetBevelWidth(2);
  SetBevelOuter(bvNone);
  GetLeftWall().SetDark3D(false);
  GetBottomWall().SetDark3D(false);
  SetMarginUnits(muPixels);
}

TGalleryChart::~TGalleryChart() {
  if (FPanel != nullptr) FPanel->ForgetChart(this);
}

void TGalleryChart::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  Invalidate();
}

void TGalleryChart::CheckRotation() {
  if (FPanel == nullptr || !FPanel->GetFocusRotation()) return;
  GetView3DOptions().SetRotation(FFocused ? FocusedRotation : UnfocusedRotation);
  GetView3DOptions().SetElevation(GalleryElevation);
}

void TGalleryChart::SetGallery3D(bool Value) {
  SetView3D(Value);
  // Pies turn their view themselves when the gallery switches 3D.
  if (SeriesCount() > 0)
    if (auto* Pie = dynamic_cast<TPieSeries*>(GetSeries(0))) Pie->GalleryChanged3D(Value);
}

void TGalleryChart::Focus(bool IsFocused) {
  FFocused = IsFocused;
  TKorGradient& Gradient = *GetGradient();
  Gradient.SetVisible(IsFocused);
  TKorFont& Font = GetTitle().GetFont();
  if (IsFocused) {
    Gradient.SetDirection(gdFromTopLeft);
    Gradient.SetStartColor(clSilver);
    Gradient.SetEndColor(clKorGallery);
    Font.SetStyle(TFontStyles{fsBold});
    Font.SetColor(clBlack);
    Font.SetSize(9);
    SetBevelOuter(bvRaised);
  } else {
    Font.SetStyle(TFontStyles{});
    Font.SetColor(FEnabled ? clNavy : clGray);
    Font.SetSize(GetDefaultFontSize());
    SetBevelOuter(bvNone);
  }
  CheckRotation();
  if (IsFocused && FPanel != nullptr && FPanel->GetFocusRotation()) SetGallery3D(GetView3D());
  Invalidate();
}

void TGalleryChart::Draw(TCanvas& Canvas, const TRect& R) {
  TCustomChart::Draw(Canvas, R);
  if (!FDrawingSmooth && FSmooth && R.Width() >= SmoothFactor && R.Height() >= SmoothFactor)
    DrawSmooth(Canvas, R);
}

// The arrow belongs to the screen only, on top of every frame: the
// surface may show its buffered frame without drawing, and that frame has
// neither the arrow nor (as it is drawn outside the surface) the smoothing.
void TGalleryChart::Paint() {
  if (GetPrintingNow()) return;
  if (FSmooth)
    Draw();
  else
    TCustomChart::Paint();
  if (FFocused && FPanel != nullptr && FPanel->GetDisplaySub()) DrawSubArrow(GetCanvas());
}

// Thin lines and small texts come out legible when the chart is drawn
// four times larger and reduced with a filter. The title band stays as the
// normal frame drew it: the enlarged copy has no title, and the type's
// name is what tells the charts apart.
void TGalleryChart::DrawSmooth(TCanvas& Canvas, const TRect& R) {
  int Band = 0;
  if (GetTitle().GetVisible() && !GetTitle().GetText().isEmpty())
    Band = std::clamp(GetTitle().GetShapeBounds().Bottom + 1 - R.Top, 0, R.Height() - SmoothFactor);
  const TRect Below(R.Left, R.Top + Band, R.Right, R.Bottom);
  std::unique_ptr<TBitmap> Large;
  {
    TEnlargedCopyScope Scope(*this);
    Large = KorCreateBitmap(
        GetColor(), TRect(0, 0, SmoothFactor * Below.Width(), SmoothFactor * Below.Height()),
        pf24bit);
  }
  TBitmap Small;
  Small.SetPixelFormat(pf24bit);
  Small.SetSize(Below.Width(), Below.Height());
  SmoothStretch(*Large, Small, ssBestPerformance);
  Canvas.Draw(Below.Left, Below.Top, Small);
}

TGalleryChart::TEnlargedCopyScope::TEnlargedCopyScope(TGalleryChart& AChart)
    : Chart(AChart),
      RepaintOnChange(AChart.GetRepaintOnChange()),
      TitleVisible(AChart.GetTitle().GetVisible()),
      TopMargin(AChart.GetMarginTop()) {
  // The changes below must not schedule frames of their own.
  Chart.SetRepaintOnChange(false);
  Chart.FDrawingSmooth = true;
  for (int i = 0; i < Chart.GetAxesList().Count(); ++i) {
    TKorFont& Font = Chart.GetAxesList().Get(i)->GetLabelsFont();
    FontSizes.push_back(Font.GetSize());
    Font.SetSize(2 * Font.GetSize());
  }
  Chart.GetTitle().SetVisible(false);
  Chart.SetMarginTop(SmoothTopMargin);
}

TGalleryChart::TEnlargedCopyScope::~TEnlargedCopyScope() {
  const int Count = std::min(Chart.GetAxesList().Count(), static_cast<int>(FontSizes.size()));
  for (int i = 0; i < Count; ++i)
    Chart.GetAxesList().Get(i)->GetLabelsFont().SetSize(FontSizes[static_cast<std::size_t>(i)]);
  Chart.GetTitle().SetVisible(TitleVisible);
  Chart.SetMarginTop(TopMargin);
  Chart.FDrawingSmooth = false;
  Chart.SetRepaintOnChange(RepaintOnChange);
}

// The drop-down arrow of the sub-gallery, drawn inverting so it shows on
// any background.
void TGalleryChart::DrawSubArrow(TCanvas& Canvas) {
  int X = 4 + GetBorderWidth();
  if (FSmooth) X /= 2;
  const int Y = GetHeight() - GetBorderWidth() - GetShadow().GetSize();
  const TPoint Points[3] = {TPoint(X, Y - 8), TPoint(X + 7, Y - 8), TPoint(X + 3, Y - 4)};
  Canvas.GetPen().SetMode(pmNotXor);
  Canvas.GetPen().SetStyle(psSolid);
  Canvas.GetPen().SetColor(clBlack);
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(clBlack);
  Canvas.Polygon(Points, 3);
  Canvas.GetPen().SetMode(pmCopy);
}

void TGalleryChart::DrawFrame3D(TColor TopLeft, TColor BottomRight) {
  TCanvas& Canvas = GetCanvas();
  const int W = GetWidth() - 1;
  const int H = GetHeight() - 1;
  Canvas.GetPen().SetMode(pmCopy);
  Canvas.GetPen().SetStyle(psSolid);
  Canvas.GetPen().SetWidth(1);
  Canvas.GetPen().SetColor(TopLeft);
  Canvas.MoveTo(0, H);
  Canvas.LineTo(0, 0);
  Canvas.LineTo(W, 0);
  Canvas.GetPen().SetColor(BottomRight);
  Canvas.LineTo(W, H);
  Canvas.LineTo(0, H);
}

void TGalleryChart::MouseEnter() {
  TCustomChart::MouseEnter();
  if (FEnabled) DrawFrame3D(clWhite, clGray);
}

void TGalleryChart::MouseLeave() {
  TCustomChart::MouseLeave();
  if (FEnabled) DrawFrame3D(GetColor(), GetColor());
}

void TGalleryChart::KeyDown(int& Key, TShiftState Shift) {
  if (FPanel != nullptr && !FPanel->GetIsSubGallery() && FPanel->HandleKey(Key, Shift)) {
    Key = 0;
    return;
  }
  TCustomChart::KeyDown(Key, Shift);
}
