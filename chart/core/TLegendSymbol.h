#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <functional>
#include <memory>

class TChartPen;
class TChartSeries;
class TCustomChartLegend;
class TKorGradient;

enum TLegendSymbolPosition { spLeft, spRight };
// Whether the symbol width is a percent of the legend's text width or pixels.
enum TLegendSymbolSize { lcsPercent, lcsPixels };

class TLegendSymbol;

using TLegendSymbolDrawEvent = std::function<void(TLegendSymbol* Sender, TChartSeries* Series,
                                                  int ValueIndex, const TRect& R)>;

// Data and render: the colour box drawn beside every legend item: its size,
// side, frame and optional gradient. Owned by its legend; every setter
// repaints the legend's chart only when the value changed.
class TLegendSymbol : public TPersistent {
 public:
  explicit TLegendSymbol(TCustomChartLegend* ALegend);
  ~TLegendSymbol() override;

  // Every property of another symbol (not the OnDraw handler).
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TLegendSymbol"); }
  const TPropertyList& Properties() const override;

  // Symbols of consecutive rows touch, forming one band.
  bool GetContinuous() const { return FContinuous; }
  void SetContinuous(bool Value) { SetField(FContinuous, Value); }
  // True: every series frames its symbol with its own pen; false: with Pen.
  bool GetDefaultPen() const { return FDefaultPen; }
  void SetDefaultPen(bool Value) { SetField(FDefaultPen, Value); }
  // Created on first use; nullptr frees it, anything else is copied in.
  TKorGradient* GetGradient();
  const TKorGradient* ExistingGradient() const { return FGradient.get(); }
  void SetGradient(const TKorGradient* Value);
  TChartPen& GetPen() const { return *FPen; }
  void SetPen(const TChartPen& Value);
  TLegendSymbolPosition GetPosition() const { return FPosition; }
  void SetPosition(TLegendSymbolPosition Value) { SetField(FPosition, Value); }
  // Square symbols: as wide as an item is high, less 5 pixels.
  bool GetSquared() const { return FSquared; }
  void SetSquared(bool Value) { SetField(FSquared, Value); }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { SetField(FVisible, Value); }
  // Percent of the text width or pixels, by WidthUnits.
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value) { SetField(FWidth, Value); }
  TLegendSymbolSize GetWidthUnits() const { return FWidthUnits; }
  void SetWidthUnits(TLegendSymbolSize Value) { SetField(FWidthUnits, Value); }

  // The symbol width in pixels for a text width of Value pixels (squared
  // symbols use the legend's item height of the last layout).
  int CalcWidth(int Value) const;
  // A box in R: the gradient ending in AColor when the gradient is
  // visible, else plain white; framed by Pen when it is visible.
  void Draw(TColor AColor, const TRect& R);

  TLegendSymbolDrawEvent OnDraw;

 private:
  TKorGradient* GradientObject() { return GetGradient(); }
  TChartPen* PenObject() { return FPen.get(); }
  void Repaint();
  template <class T>
  void SetField(T& Field, const T& Value) {
    if (SetIfChanged(Field, Value)) Repaint();
  }

  TCustomChartLegend* FLegend;  // not owned: the owner
  bool FContinuous = false;
  bool FDefaultPen = true;
  std::unique_ptr<TKorGradient> FGradient;  // created on first use
  std::unique_ptr<TChartPen> FPen;
  TLegendSymbolPosition FPosition = spLeft;
  bool FSquared = false;
  bool FVisible = true;
  int FWidth = 20;
  TLegendSymbolSize FWidthUnits = lcsPercent;
};
