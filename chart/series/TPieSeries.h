#pragma once

#include "chart/series/TCircledSeries.h"
#include "chart/series/TPieOtherSlice.h"

#include <memory>
#include <vector>

class TPieShadow;
class TSliceValueList;

// Whether the pies of one chart share its rectangle in a grid.
enum TMultiPie { mpAutomatic, mpDisabled };

// The angles of one slice, radians from 3 o'clock counter-clockwise
// before the series' rotation.
struct TPieAngle {
  double StartAngle = 0;
  double MidAngle = 0;
  double EndAngle = 0;
};

// Render: values as slices of a pie or donut, flat or in 3D. Slice angles
// are proportional to the absolute values over AngleSize degrees; slices
// can be pushed out (exploded, percent of the radius) or stand higher in
// 3D (percent of the depth); small values can be grouped into one "other"
// slice, an added point that is rebuilt at every drawing pass and never
// saved with the data.
class TPieSeries : public TCircledSeries {
 public:
  // X value of the added "other" point; grouped points carry -1.
  static constexpr double OtherSliceX = 2147483647.0;

  explicit TPieSeries(TComponent* AOwner);
  ~TPieSeries() override;

  QString ClassName() const override { return QStringLiteral("TPieSeries"); }
  const TPropertyList& Properties() const override;
  // ColorEachPoint is on again afterwards, as a pie needs it.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TPieSeriesEditor"); }
  bool ClassIncludes(const TChartSeries* Other) const override;

  // -- properties

  // Degrees the whole pie spans (360: a full circle).
  int GetAngleSize() const { return FAngleSize; }
  void SetAngleSize(int Value);
  bool GetAutoMarkPosition() const { return FAutoMarkPosition; }
  void SetAutoMarkPosition(bool Value);
  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  // 0: the pie pen as it is; above 0 the pen takes each slice's colour,
  // darkened by 255 - DarkPen per channel.
  int GetDarkPen() const { return FDarkPen; }
  void SetDarkPen(int Value);
  // Percent 0 .. 100 of the radius: the hole of a donut (0: a full pie).
  int GetDonutPercent() const { return FDonutPercent; }
  void SetDonutPercent(int Value);
  // Percent of the radius the biggest slice is pushed out.
  int GetExplodeBiggest() const { return FExplodeBiggest; }
  void SetExplodeBiggest(int Value);
  TKorGradient& GetGradient() const { return GetCircleGradient(); }
  TMultiPie GetMultiPie() const { return FMultiPie; }
  void SetMultiPie(TMultiPie Value);
  TPieOtherSlice& GetOtherSlice() const { return *FOtherSlice; }
  void SetOtherSlice(const TPieOtherSlice& Value);
  TChartPen& GetPiePen() const { return GetPen(); }
  TChartValueList& GetPieValues() const { return GetYValues(); }
  void SetPieValues(const TChartValueList& Value) { SetYValues(Value); }
  TPieShadow& GetShadow() const { return *FShadow; }
  void SetShadow(const TPieShadow& Value);
  bool GetUsePatterns() const { return FUsePatterns; }
  void SetUsePatterns(bool Value);

  // Percent of the radius slice ValueIndex is pushed out / of the depth it
  // stands above the others.
  TSliceValueList& GetExplodedSlice() const { return *FExplodedSlice; }
  TSliceValueList& GetSliceHeight() const { return *FSliceHeights; }

  // -- points

  int AddPie(double Value, const QString& Label = QString(), TColor Color = clDefault);
  void Clear() override;
  void Delete(int ValueIndex) override;
  void Delete(int Start, int Quantity, bool RemoveGap = false) override;
  // Also exchanges the per-slice lists.
  void SwapValueIndex(int A, int B) override;
  bool BelongsToOtherSlice(int ValueIndex) const;

  // -- geometry

  // Fills the angle of every visible point (see the .cpp for the total).
  void CalcAngles();
  // Empty until the first drawing pass or CalcAngles.
  const std::vector<TPieAngle>& GetAngles() const { return FAngles; }
  // Pushes the biggest slice out by ExplodeBiggest.
  void CalcExplodeBiggest();
  // Pixels slice ValueIndex moves out (x right, y up); (0, 0) unless this
  // pass explodes slices.
  TPoint CalcExplodedOffset(int ValueIndex) const;
  // The radii grown by the slice's explode percent.
  void CalcExplodedRadius(int ValueIndex, int& AXRadius, int& AYRadius) const;
  // The depth slice ValueIndex reaches.
  int SliceEndZ(int ValueIndex) const;
  TBrushStyle SliceBrushStyle(int ValueIndex) const;

  int CalcXPos(int ValueIndex) const override;
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  void CalcZOrder() override;
  bool MoreSameZOrder() const override { return false; }
  void CalcFirstLastVisibleIndex() override;
  void WriteData(TStream& Stream) const override;

  // -- legend

  int CountLegendItems() const override;
  int LegendToValueIndex(int LegendIndex) const override;
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;

  // -- drawing

  void DoBeforeDrawChart() override;
  void DoBeforeDrawValues() override;
  void DoAfterDrawValues() override;
  void DrawAllValues() override;
  void DrawValue(int ValueIndex) override;
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
  int Clicked(int X, int Y) const override;
  void SetParentChart(TCustomAxisPanel* Value) override;

  // -- 3D view and gallery

  // The chart's view: not orthogonal, rotation 0, elevation 305.
  void DisableRotation();
  // The gallery switched the chart to 3D or back.
  void GalleryChanged3D(bool Is3D);
  int NumSampleValues() const override { return 8; }
  void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool IsEnabled) override;
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;

 protected:
  void ClearLists() override;
  void InitCustom3DOptions(TView3DOptions& Options) override;
  // Without the grouped points: the other slice holds their sum.
  double PercentTotal() const override;

 private:
  TKorGradient* GradientObject() { return &GetCircleGradient(); }
  TPieOtherSlice* OtherSliceObject() { return FOtherSlice.get(); }
  TChartPen* PiePenObject() { return &GetPen(); }
  TChartValueList* PieValuesObject() { return &GetYValues(); }
  TPieShadow* ShadowObject() { return FShadow.get(); }

  void GroupOtherSlice();
  void PreparePiePen(int ValueIndex);
  void DrawPie(int ValueIndex);
  // In 2D: the slice filled with the circle gradient ending in the canvas
  // brush's colour, the slice moved by Offset pixels.
  void DrawSliceGradient(int ValueIndex, const TPoint& Offset);
  void DrawSortedSlices();
  void DrawOtherLegend();
  // The visible point with the largest explode percent, or -1.
  int MostExploded() const;
  // The chart rectangle of this pie among the chart's active pies.
  void PlaceInGrid();

  int FAngleSize = 360;
  bool FAutoMarkPosition = true;
  bool FDark3D = true;
  int FDarkPen = 0;
  int FDonutPercent = 0;
  int FExplodeBiggest = 0;
  TMultiPie FMultiPie = mpAutomatic;
  std::unique_ptr<TPieOtherSlice> FOtherSlice;
  std::unique_ptr<TPieShadow> FShadow;
  bool FUsePatterns = false;
  std::unique_ptr<TSliceValueList> FExplodedSlice;
  std::unique_ptr<TSliceValueList> FSliceHeights;
  // caches: the current drawing pass
  std::vector<TPieAngle> FAngles;  // emptied whenever points or angles change
  bool FIsExploded = false;
  TPoint FIniPoint;      // where the next flat slice's arc starts
  double FIniAngle = 0;  // and at which angle (radians, without the rotation)
  TRect FOldChartRect;
  bool FMultiPieRect = false;      // the chart rectangle is this pie's grid cell
  bool FOtherLegendItems = false;  // the legend lists the grouped points
};
