#pragma once

#include "chart/core/TChartSeries.h"
#include "chart/core/TKorCustomShape.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>
#include <QStringList>

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

  // -- drawing and hit tests (device pixels of the parent's canvas)

  // Draws the mark of point Index with text St at APosition (which first
  // goes through UsePosition): the callout in the point's colour AColor,
  // the box in the point's shape, the symbol and the text. APosition's
  // left-top corner ends up in 2D.
  void InternalDraw(int Index, TColor AColor, const QString& St, TSeriesMarkPosition& APosition);
  // The lines of St in R in the current canvas font, centred, turned by
  // Angle.
  void DrawText(const TRect& R, const QString& St);
  // Where a box whose arrow ends at ArrowEnd is drawn on a flat text
  // surface of a 3D chart: LeftTop moved with the projection of the arrow
  // end at the marks' depth; LeftTop itself otherwise.
  TPoint ConvertTo2D(const TPoint& ArrowEnd, const TPoint& LeftTop) const;
  // The point whose stored mark (turned by Angle) holds (X, Y), edges
  // included, the last one first; -1 for none.
  int Clicked(int X, int Y) const;
  int Clicked(const TPoint& P) const { return Clicked(P.X, P.Y); }
  // Moves APosition (the mark of point ValueIndex) up or down, with its
  // arrow end, out of every stored mark of the points First .. ValueIndex
  // - 1 that its box (with frame and shadow) overlaps.
  void AntiOverlap(int First, int ValueIndex, TSeriesMarkPosition& APosition) const;
  // The widest line of point ValueIndex's mark text in the current canvas
  // font (0 without a series or chart).
  int TextWidth(int ValueIndex);

 protected:
  TKorGradientClass GetGradientClass() const override;

 private:
  // The shape of point Index's mark, without creating anything.
  const TKorCustomShape& ShapeOf(int Index) const;
  // The box a mark covers on screen: frame and shadow included, in 2D.
  TRect OverlapRect(const TSeriesMarkPosition& P, const TKorCustomShape& Shape) const;
  void DrawText(const TKorCustomShape& Shape, const TRect& R, const QString& St);
  // The symbol in AColor at the box's left, turned like the box.
  void DrawSymbol(const TRect& R, TColor AColor, int Angle);
  // Repaints through the series (or the parent without one).
  void RepaintSeries();
  void SetSeriesBoolean(bool& Field, bool Value);
  void SetSeriesInteger(int& Field, int Value);
  // Sub-object getters for the property table.
  TChartPen* ArrowObject() { return &GetArrow(); }
  // The custom items as a stream stores them ("Items"): a 32-bit count,
  // then one component-stream list of properties per slot. Writing gives
  // an empty slot a default item first. Reading raises EReadError for a
  // count the bytes cannot hold.
  bool HasCustomItems() const;
  QByteArray ItemsBytes() const;
  void SetItemsBytes(const QByteArray& Value);

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

// The lines of a mark text: split at KorLineSeparator, without the line
// feed that custom texts (joined with CR LF) leave at the start of a line.
QStringList MarkTextLines(const QString& Text);
