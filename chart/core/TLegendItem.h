#pragma once

#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QString>

class TCustomChartLegend;
class TLegendItems;

// Data: where the legend put one shown item (its first text column and its
// symbol, device pixels of the last frame), or, once the application has
// set a text, what the legend shows there instead.
class TLegendItem {
 public:
  explicit TLegendItem(TLegendItems* AOwner) : FOwner(AOwner) {}
  TLegendItem(const TLegendItem&) = delete;
  TLegendItem& operator=(const TLegendItem&) = delete;

  int GetLeft() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; }
  int GetTop() const { return FTop; }
  void SetTop(int Value) { FTop = Value; }
  const QString& GetText() const { return FText; }
  // Makes the whole list supply its texts and positions (CustomTexts) and
  // repaints the chart.
  void SetText(const QString& Value);
  TAlignment GetAlign() const { return FAlign; }
  void SetAlign(TAlignment Value) { FAlign = Value; }
  const TRect& GetSymbolRect() const { return FSymbolRect; }
  void SetSymbolRect(const TRect& Value) { FSymbolRect = Value; }

 private:
  friend class TCustomChartLegend;
  // What the legend computed for the item; no custom text.
  void Remember(const QString& AText, int ALeft, int ATop, TAlignment AAlign) {
    FText = AText;
    FLeft = ALeft;
    FTop = ATop;
    FAlign = AAlign;
  }

  TLegendItems* FOwner;  // not owned
  int FLeft = 0;
  int FTop = 0;
  QString FText;
  TAlignment FAlign = taLeftJustify;
  TRect FSymbolRect;
};
