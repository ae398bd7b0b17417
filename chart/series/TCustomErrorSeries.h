#pragma once

#include "chart/series/TBarSeries.h"

#include <memory>

class TChartPen;
class TChartValueList;

// Which whiskers an error series draws.
enum TErrorSeriesStyle { essLeft, essRight, essLeftRight, essTop, essBottom, essTopBottom };

// Whether ErrorWidth is a percent of the bar width or pixels.
enum TErrorWidthUnits { ewuPercent, ewuPixels };

// Render: bar series whose points carry an error amount (ErrorValues, in
// value units), drawn as whiskers with a cross cap around each point's
// value, with or without the bar itself (see TErrorSeries and
// TErrorBarSeries). The sign of an error does not matter: a whisker and
// the value range use its size. On a logarithmic axis each whisker ends at
// the pixel of the value it reaches (the two sides then differ).
class TCustomErrorSeries : public TBarSeries {
 public:
  explicit TCustomErrorSeries(TComponent* AOwner);
  ~TCustomErrorSeries() override;

  QString ClassName() const override { return QStringLiteral("TCustomErrorSeries"); }
  // From another error series its error settings, then the bar part.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TErrorSeriesEditor"); }

  TChartPen& GetErrorPen() const { return *FErrorPen; }
  virtual void SetErrorPen(const TChartPen& Value);
  TChartValueList& GetErrorValues() const { return *FErrorValues; }
  void SetErrorValues(const TChartValueList& Value);
  TErrorSeriesStyle GetErrorStyle() const { return FErrorStyle; }
  void SetErrorStyle(TErrorSeriesStyle Value);
  // Cap length; 0 makes the cap as wide as the bar.
  int GetErrorWidth() const { return FErrorWidth; }
  void SetErrorWidth(int Value);
  TErrorWidthUnits GetErrorWidthUnits() const { return FErrorWidthUnits; }
  void SetErrorWidthUnits(TErrorWidthUnits Value);
  bool GetDrawBar() const { return FDrawBar; }

  // Adds (X, Y) with the error YError; returns the new index.
  int AddErrorBar(double AX, double AY, double AYError, const QString& ALabel = QString(),
                  TColor AColor = clDefault);
  double GetErrorValue(int Index) const;
  void SetErrorValue(int Index, double Value);

  // The whiskers of ErrorStyle around (X, Y): each a line of ALength
  // pixels and a cap AWidth pixels across; at the middle depth in 3D.
  void DrawError(int X, int Y, int AWidth, int ALength, bool Draw3D);

  // The range the whiskers reach (see the .cpp).
  double MaxYValue() const override;
  double MinYValue() const override;
  // The bar margins, and at least the error pen's width on the sides
  // that have a whisker.
  void CalcHorizMargins(int& LeftMargin, int& RightMargin) override;
  void CalcVerticalMargins(int& TopMargin, int& BottomMargin) override;
  bool IsOfBarClass(const TChartSeries* Other) const override;

  void DrawBar(int ValueIndex, int StartPos, int EndPos) override;
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool IsEnabled) override;

 protected:
  void SetDrawBar(bool Value) { FDrawBar = Value; }
  // The error pen made current for point ValueIndex (-1: the series).
  void PrepareErrorPen(int ValueIndex);
  // DrawError with the whiskers toward smaller pixels (up, left) Before
  // pixels long and those toward larger pixels (down, right) After.
  void DrawWhiskers(int X, int Y, int AWidth, int Before, int After, bool Draw3D);
  // Sub-object getters for the property tables.
  TChartPen* ErrorPenObject() { return FErrorPen.get(); }
  TChartValueList* ErrorValuesObject() { return FErrorValues; }

 private:
  // Where the whiskers of one point reach: Y plus or minus the size of its
  // error; with bars, only away from the bar's base.
  double ErrorEnd(int Index, bool Upper) const;

  std::unique_ptr<TChartPen> FErrorPen;
  TChartValueList* FErrorValues = nullptr;  // owned by the series' value lists
  TErrorSeriesStyle FErrorStyle = essTopBottom;
  int FErrorWidth = 100;
  TErrorWidthUnits FErrorWidthUnits = ewuPercent;
  bool FDrawBar = false;
};
