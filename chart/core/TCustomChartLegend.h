#pragma once

#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorCustomShapePosition.h"

#include "platform/TColor.h"
#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class TChartHiddenPen;
class TChartPen;
class TLegendItems;
class TLegendSymbol;
class TLegendTitle;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum TCheckBoxesStyle { cbsCheck, cbsRadio };

class TCustomChartLegend;

// The size hook: may change a size (pixels) the legend is about to use.
using TLegendCalcSize = std::function<void(TCustomChartLegend* Sender, int& ASize)>;

// Render and interaction: the legend of a chart. It lists the chart's
// series or the values of one series, each row with a symbol the series
// draws, up to two text columns and optional check boxes; it places itself
// beside, above or below the chart rectangle and takes that room from it,
// tells which item lies under a point and switches series with its check
// boxes. The layout (rows, columns, widths, texts) is recomputed by every
// DrawLegend and kept for Clicked; lengths are pixels of the chart frame.
class TCustomChartLegend : public TKorCustomShapePosition {
 public:
  explicit TCustomChartLegend(TCustomChart* AChart);
  ~TCustomChartLegend() override;

  QString ClassName() const override { return QStringLiteral("TCustomChartLegend"); }
  const TPropertyList& Properties() const override;
  // The shape, position and every legend property of another legend (not
  // its series, items or hooks).
  void Assign(const TPersistent& Source) override;

  // -- properties

  TLegendAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TLegendAlignment Value) { SetShapeField(FAlignment, Value); }
  bool GetCheckBoxes() const { return FCheckBoxes; }
  void SetCheckBoxes(bool Value) { SetShapeField(FCheckBoxes, Value); }
  TCheckBoxesStyle GetCheckBoxesStyle() const { return FCheckBoxesStyle; }
  // Radio buttons leave only the first active series shown in the legend
  // active.
  void SetCheckBoxesStyle(TCheckBoxesStyle Value);
  // The symbol's Width.
  int GetColorWidth() const;
  void SetColorWidth(int Value);
  bool GetCurrentPage() const { return FCurrentPage; }
  void SetCurrentPage(bool Value) { SetShapeField(FCurrentPage, Value); }
  TChartHiddenPen& GetDividingLines() const { return *FDividingLines; }
  void SetDividingLines(const TChartPen& Value);
  int GetFirstValue() const { return FFirstValue; }
  // Raises LegendException for a negative value (0 is accepted).
  void SetFirstValue(int Value);
  bool GetFontSeriesColor() const { return FFontSeriesColor; }
  void SetFontSeriesColor(bool Value) { SetShapeField(FFontSeriesColor, Value); }
  // Gap between a vertical legend and the chart rectangle; 0: 3 % of the
  // chart width.
  int GetHorizMargin() const { return FHorizMargin; }
  void SetHorizMargin(int Value) { SetShapeField(FHorizMargin, Value); }
  // Gap between a horizontal legend and the chart rectangle; 0: 4 % of the
  // chart height.
  int GetVertMargin() const { return FVertMargin; }
  void SetVertMargin(int Value) { SetShapeField(FVertMargin, Value); }
  bool GetInverted() const { return FInverted; }
  void SetInverted(bool Value) { SetShapeField(FInverted, Value); }
  // Custom position in percent of the panel size (PositionUnits muPercent).
  int GetLeftPercent() const { return FLeftPercent; }
  void SetLeftPercent(int Value) { SetShapeField(FLeftPercent, Value); }
  int GetTopPercent() const { return FTopPercent; }
  void SetTopPercent(int Value) { SetShapeField(FTopPercent, Value); }
  TLegendStyle GetLegendStyle() const { return FLegendStyle; }
  void SetLegendStyle(TLegendStyle Value);
  int GetMaxNumRows() const { return FMaxNumRows; }
  void SetMaxNumRows(int Value) { SetShapeField(FMaxNumRows, Value); }
  TKorUnits GetPositionUnits() const { return FPositionUnits; }
  void SetPositionUnits(TKorUnits Value) { SetShapeField(FPositionUnits, Value); }
  bool GetResizeChart() const { return FResizeChart; }
  void SetResizeChart(bool Value) { SetShapeField(FResizeChart, Value); }
  TLegendSymbol& GetSymbol() const { return *FSymbol; }
  void SetSymbol(const TLegendSymbol& Value);
  TLegendTextStyle GetTextStyle() const { return FTextStyle; }
  void SetTextStyle(TLegendTextStyle Value) { SetShapeField(FTextStyle, Value); }
  TLegendTitle& GetTitle() const { return *FTitle; }
  void SetTitle(const TLegendTitle& Value);
  // Offset in percent of the free room: downward for vertical legends,
  // rightward for horizontal ones.
  int GetTopPos() const { return FTopPos; }
  void SetTopPos(int Value) { SetShapeField(FTopPos, Value); }
  int GetVertSpacing() const { return FVertSpacing; }
  void SetVertSpacing(int Value) { SetShapeField(FVertSpacing, Value); }

  // The series whose values a values legend lists; none: found by
  // GetLegendSeries. Not owned; ignored once it has left the chart.
  TChartSeries* GetSeries() const { return FSeries; }
  void SetSeries(TChartSeries* Value);
  TLegendItems& GetItems() const { return *FItems; }
  // Column widths are measured from the texts unless fixed here.
  bool GetColumnWidthAuto() const { return FColumnWidthAuto; }
  void SetColumnWidthAuto(bool Value) { SetShapeField(FColumnWidthAuto, Value); }
  // Column 0 or 1; setting one fixes both (ColumnWidthAuto off).
  int GetColumnWidth(int Column) const;
  void SetColumnWidth(int Column, int Value);

  TCustomChart& GetChart() const;

  // -- the layout of the last DrawLegend

  TLegendStyle GetInternalLegendStyle() const { return FInternalLegendStyle; }
  int GetTotalLegendItems() const { return FTotalLegendItems; }
  int GetLastValue() const { return FLastValue; }
  int GetColumns() const { return FColumns; }
  int GetRows() const { return FRows; }
  int GetItemHeight() const { return FItemHeight; }
  // Symbol width in pixels.
  int GetSymbolWidth() const { return FSymbolWidth; }
  bool GetTitleDrawn() const { return FTitleDrawn; }
  // Column 0 or 1 of the item at drawing position Position; empty when
  // there is none.
  QString GetColumnText(int Position, int Column) const;

  // -- methods

  // Lays out and draws the legend and, unless it is placed by the user,
  // takes its room from the chart rectangle.
  void DrawLegend();
  // Visible, and check boxes or at least one active series.
  bool ShouldDraw() const;
  // The internal style: LegendStyle, with lsAuto resolved.
  void CalcLegendStyle();
  // Check boxes on and a series legend (not lsValues).
  bool HasCheckBoxes() const;
  // Aligned left or right.
  bool GetVertical() const { return FAlignment == laLeft || FAlignment == laRight; }
  TChartSeries* GetLegendSeries() const;
  // The text of item Index (a series or a value by the internal style),
  // after the chart's OnGetLegendText.
  QString FormattedLegend(int Index);
  // The legend text of value Index of ASeries in TextStyle, on one line;
  // empty for -1.
  QString FormattedValue(TChartSeries* ASeries, int ValueIndex);
  // The height of one item with the legend font, at least 1 pixel.
  int CalcItemHeight() const;
  // Top of the first item: the legend's top, below the title when drawn.
  int FirstItemTop() const;
  // The value index (item position + FirstValue) of the item under the
  // point, or -1.
  int Clicked(int X, int Y) const;
  // Check-box click on item Index; true when it switched series.
  bool DoMouseDown(int X, int Y, int Index);

  // The size hook (see TLegendCalcSize).
  TLegendCalcSize OnCalcSize;

 protected:
  TKorGradientClass GetGradientClass() const override;

 private:
  // Sub-object getters for the property table.
  TChartHiddenPen* DividingLinesObject() { return FDividingLines.get(); }
  TLegendSymbol* SymbolObject() { return FSymbol.get(); }
  TLegendTitle* TitleObject() { return FTitle.get(); }

  // Layout steps of DrawLegend.
  int FrameWidth() const;
  void ApplyPercentPosition();
  void CalcTotalItems();
  int CountLegendEntries() const;
  void GatherTexts();
  int CalcColumnWidths();
  int TitleExtraHeight() const;
  void LayoutVertical(TRect& R);
  void LayoutHorizontal(TRect& R);
  void PlaceVertical(TRect& R);
  void PlaceHorizontal(TRect& R);
  void PlaceSymbolAndText(int X);
  int SizeHook(int ASize) const;
  // Drawing steps.
  void DrawItems();
  void DrawItem(int ValueIndex, int Position);
  void DrawItemTexts(int Position, int X, int Y);
  void DrawColumnText(int X, int Y, const QString& Text, TAlignment Align);
  void DrawItemSymbol(int ValueIndex, const TRect& R, int CheckBoxX, int Y);
  void DrawDividingLine(int Row, int Column, int ColumnOffset, int Y);
  TColor ItemSeriesColor(int ValueIndex) const;
  bool RightAligned(int Column) const;
  void ResizeChartRect();
  TChartSeries* LegendSeriesAt(int Index) const;
  int ItemPitch() const;

  TCustomChart* FChart;  // not owned: the owner
  TLegendAlignment FAlignment = laRight;
  bool FCheckBoxes = false;
  TCheckBoxesStyle FCheckBoxesStyle = cbsCheck;
  bool FCurrentPage = true;
  std::unique_ptr<TChartHiddenPen> FDividingLines;
  int FFirstValue = 0;
  bool FFontSeriesColor = false;
  int FHorizMargin = 0;
  int FVertMargin = 0;
  bool FInverted = false;
  int FLeftPercent = 0;
  int FTopPercent = 0;
  TLegendStyle FLegendStyle = lsAuto;
  int FMaxNumRows = 10;
  TKorUnits FPositionUnits = muPixels;
  bool FResizeChart = true;
  std::unique_ptr<TLegendSymbol> FSymbol;
  TLegendTextStyle FTextStyle = ltsLeftValue;
  std::unique_ptr<TLegendTitle> FTitle;
  int FTopPos = 10;
  int FVertSpacing = 0;
  TChartSeries* FSeries = nullptr;  // not owned
  std::unique_ptr<TLegendItems> FItems;
  bool FColumnWidthAuto = true;
  std::array<int, 2> FColumnWidths{0, 0};
  // caches: the layout of the last DrawLegend
  TLegendStyle FInternalLegendStyle = lsSeries;
  int FTotalLegendItems = 0;
  int FLastValue = -1;
  int FColumns = 0;
  int FRows = 0;
  int FItemHeight = 1;
  int FSymbolWidth = 0;
  int FFrameWidth = 0;
  int FSpaceWidth = 0;
  // 2 blanks - 1 plus both column widths.
  int FTextWidth = 0;
  bool FTitleDrawn = false;
  int FTitleHeight = 0;
  // Start of the first column: check boxes, text, symbol.
  int FCheckBoxX = 0;
  int FTextX = 0;
  int FSymbolX = 0;
  std::vector<std::array<QString, 2>> FColumnTexts;  // by drawing position
};

// Draws ASeries' legend symbol into R on Canvas. A series without a chart
// is attached to AChart, or to a temporary chart for the call (the series
// is detached again before that chart goes). Draws only on charts whose
// surface is flat (no full rotation).
void PaintSeriesLegend(TChartSeries* ASeries, TCanvas& Canvas, const TRect& R,
                       TCustomChart* AChart = nullptr);
