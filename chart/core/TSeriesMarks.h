#pragma once

#include "chart/core/TChartSeries.h"
#include "chart/core/TKorCustomShape.h"

#include "platform/TColor.h"

#include <memory>

class TChartPen;
class TKorShadow;
class TMarksCallout;
class TMarksItem;
class TMarksItems;
class TSeriesMarkPosition;
class TSeriesMarksPositions;
class TSeriesMarksSymbol;

// Data: the labelled boxes a series draws next to its points: their look
// (the shape), which text they show (Style, MultiLine), their rotation,
// which points get one (DrawEvery), the callout joining each box to its
// point, the optional colour symbol, the positions the marks were drawn at
// or moved to, and the custom items of single points. Owned by its series
// (may be none); the parent panel is the series' chart.
class TSeriesMarks : public TKorCustomShape {
 public:
  explicit TSeriesMarks(TChartSeries* ASeries);
  ~TSeriesMarks() override;

  // Copies the published properties (not positions or custom items).
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TSeriesMarks"); }
  const TPropertyList& Properties() const override;

  TChartSeries* GetSeries() const { return FSeries; }

  // Degrees the text and box are turned by.
  int GetAngle() const { return FAngle; }
  void SetAngle(int Value);
  // The callout's arrow pen and its length (pixels between point and mark);
  // setting them, and reading the pen, creates the callout. Without a
  // callout the length reads as the callout's default.
  TChartPen& GetArrow();
  void SetArrow(const TChartPen& Value);
  int GetArrowLength() const;
  void SetArrowLength(int Value);
  // Created on first use; nullptr frees it, anything else is copied in.
  TMarksCallout* GetCallout();
  const TMarksCallout* ExistingCallout() const { return FCallout.get(); }
  void SetCallout(const TMarksCallout* Value);
  // The shape colour.
  TColor GetBackColor() const { return GetColor(); }
  void SetBackColor(TColor Value) { SetColor(Value); }
  // Whether marks are clipped to the chart rectangle.
  bool GetClip() const { return FClip; }
  void SetClip(bool Value);
  // Only points whose index is a multiple of it get a mark. Kept as set (so
  // streams give back what they read), but below 1 it works as 1: use
  // EffectiveDrawEvery wherever marks are picked.
  int GetDrawEvery() const { return FDrawEvery; }
  void SetDrawEvery(int Value);
  int EffectiveDrawEvery() const;
  // Parts of combined mark texts go on separate lines.
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  TSeriesMarksStyle GetStyle() const { return FStyle; }
  // Repaints the series when the style changed.
  void SetStyle(TSeriesMarksStyle Value);
  // Created on first use; nullptr frees it, anything else is copied in.
  TSeriesMarksSymbol* GetSymbol();
  const TSeriesMarksSymbol* ExistingSymbol() const { return FSymbol.get(); }
  void SetSymbol(const TSeriesMarksSymbol* Value);
  // The depth (pixels) marks are drawn at: the series' middle depth, set by
  // the series in every drawing pass.
  int GetZPosition() const { return FZPosition; }
  void SetZPosition(int Value) { FZPosition = Value; }

  TSeriesMarksPositions& GetPositions() const { return *FPositions; }
  TMarksItems& GetItems() const { return *FItems; }
  // Set while a stream reads custom items, so that clearing the series
  // keeps them.
  bool GetLoadingItems() const;
  void SetLoadingItems(bool Value);

  // The shape the mark of point ValueIndex is drawn with: its custom item
  // when there is one, else the marks themselves.
  TKorCustomShape& MarkItem(int ValueIndex);
  // The custom item of point ValueIndex, created when missing.
  TMarksItem& GetItem(int ValueIndex);
  // Frees the positions, and the custom items unless they are being loaded.
  void Clear();
  // Every moved mark follows its point again; repaints the series.
  void ResetPositions();
  // Remembers APosition as the automatic position of point Index, or, when
  // the user moved that mark, gives APosition the stored position (keeping
  // its own arrow start when its ArrowFix is set).
  void UsePosition(int Index, TSeriesMarkPosition& APosition);
  // Moves APosition up by the callout's length and distance (nothing
  // without a callout).
  void ApplyArrowLength(TSeriesMarkPosition& APosition) const;
  // The shadow marks and their items start with: grey, 1 pixel, which is
  // also what streams compare with.
  static void InitShadow(TKorShadow& AShadow);

  // The callout, symbol and custom items take the new parent too.
  void SetParent(TCustomKorPanel* Value) override;

 protected:
  TKorGradientClass GetGradientClass() const override;

 private:
  // Repaints through the series (or the parent without one).
  void RepaintSeries();
  void SetSeriesBoolean(bool& Field, bool Value);
  void SetSeriesInteger(int& Field, int Value);
  // Sub-object getters for the property table.
  TChartPen* ArrowObject() { return &GetArrow(); }

  TChartSeries* FSeries;  // owner, not owned
  int FAngle = 0;
  std::unique_ptr<TMarksCallout> FCallout;  // created on first use
  bool FClip = false;
  int FDrawEvery = 1;
  std::unique_ptr<TMarksItems> FItems;
  bool FMultiLine = false;
  std::unique_ptr<TSeriesMarksPositions> FPositions;
  TSeriesMarksStyle FStyle = smsLabel;
  std::unique_ptr<TSeriesMarksSymbol> FSymbol;  // created on first use
  int FZPosition = 0;
};
