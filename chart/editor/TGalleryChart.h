#pragma once

#include "chart/core/TCustomChart.h"
#include "chart/core/TKorSeriesType.h"

#include <vector>

class TChartGalleryPanel;

// Render and interaction: one small live chart of the series gallery.
// Flat-looking by default (no legend, no axis labels, navy title, a
// non-orthogonal 3D view); when Smooth is on it is drawn at four times
// its size and reduced, which keeps thin lines legible at cell size.
class TGalleryChart : public TCustomChart {
 public:
  explicit TGalleryChart(TComponent* AOwner);
  ~TGalleryChart() override;

  QString ClassName() const override { return QStringLiteral("TGalleryChart"); }

  // The panel the chart sits in (nullptr when none); the panel gets the
  // chart's keys and decides the 3D rotation.
  TChartGalleryPanel* GetGalleryPanel() const { return FPanel; }
  void SetGalleryPanel(TChartGalleryPanel* Value) { FPanel = Value; }

  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  // True while the enlarged copy is drawn.
  bool GetDrawingSmooth() const { return FDrawingSmooth; }
  // Disabled charts cannot be selected (their series cannot take the
  // data of the series being changed).
  bool GetGalleryEnabled() const { return FEnabled; }
  void SetGalleryEnabled(bool Value) { FEnabled = Value; }

  // The series class the chart previews (none when made by others) and how
  // many series show it; sub-galleries and variants rebuild from these.
  TChartSeriesClass GetSeriesClassRef() const { return FSeriesClass; }
  void SetSeriesClassRef(TChartSeriesClass Value) { FSeriesClass = Value; }
  int GetGallerySeriesCount() const { return FGallerySeriesCount; }
  void SetGallerySeriesCount(int Value) { FGallerySeriesCount = Value; }

  // Focused look: gradient, raised bevel, bold black title (and the
  // focus rotation when the panel asks for it); unfocused: the plain look.
  void Focus(bool IsFocused);
  bool GetFocused() const { return FFocused; }
  // Turns the view's rotation and elevation for the panel's focus rotation.
  void CheckRotation();

  // The chart's 3D state and its first series' gallery hook.
  void SetGallery3D(bool Value);

  void Draw(TCanvas& Canvas, const TRect& R) override;
  using TCustomChart::Draw;

 protected:
  void Paint() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(int& Key, TShiftState Shift) override;

 private:
  // While alive, the chart is set up for its enlarged copy: label fonts
  // doubled, no title, a top margin of its own, no repaints scheduled.
  class TEnlargedCopyScope {
   public:
    explicit TEnlargedCopyScope(TGalleryChart& AChart);
    ~TEnlargedCopyScope();
    TEnlargedCopyScope(const TEnlargedCopyScope&) = delete;
    TEnlargedCopyScope& operator=(const TEnlargedCopyScope&) = delete;

   private:
    TGalleryChart& Chart;
    bool RepaintOnChange;
    bool TitleVisible;
    int TopMargin;
    std::vector<int> FontSizes;
  };

  void DrawSmooth(TCanvas& Canvas, const TRect& R);
  void DrawFrame3D(TColor TopLeft, TColor BottomRight);
  void DrawSubArrow(TCanvas& Canvas);

  TChartGalleryPanel* FPanel = nullptr;  // not owned
  TChartSeriesClass FSeriesClass;
  int FGallerySeriesCount = 1;
  bool FSmooth = false;
  bool FEnabled = true;
  bool FFocused = false;
  // caches
  bool FDrawingSmooth = false;
};
