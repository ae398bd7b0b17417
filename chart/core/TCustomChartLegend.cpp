#include "chart/core/TCustomChartLegend.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/Korhtml.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartLegendGradient.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TLegendItem.h"
#include "chart/core/TLegendItems.h"
#include "chart/core/TLegendSymbol.h"
#include "chart/core/TLegendTitle.h"

#include "platform/Rounding.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// Runs a function however the scope is left.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F AFunction) : FFunction(std::move(AFunction)) {}
  ~TScopeExit() { FFunction(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F FFunction;
};

// Pixels of the check-box column and its gaps.
constexpr int CheckBoxIndent = 4;
constexpr int CheckBoxSize = 11;
constexpr int CheckBoxItemHeight = 17;

// Text before the first column separator, and between the first and the
// second; anything after a second separator is not shown.
std::array<QString, 2> SplitColumns(const QString& Text) {
  if (!Text.contains(KorColumnSeparator)) return {Text, QString()};
  const QStringList Parts = Text.split(KorColumnSeparator);
  return {Parts.value(0), Parts.value(1)};
}

}  // namespace

TCustomChartLegend::TCustomChartLegend(TCustomChart* AChart)
    : TKorCustomShapePosition(AChart),
      FChart(AChart),
      FDividingLines(std::make_unique<TChartHiddenPen>([this](TPersistent*) { Repaint(); })),
      FSymbol(std::make_unique<TLegendSymbol>(this)),
      FTitle(std::make_unique<TLegendTitle>(AChart)),
      FItems(std::make_unique<TLegendItems>(this)) {}

TCustomChartLegend::~TCustomChartLegend() = default;

const TPropertyList& TCustomChartLegend::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomChartLegend;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TKorCustomShapePosition::Properties(),
        {
            PP::Enum<C, TLegendAlignment>(QStringLiteral("Alignment"), &C::GetAlignment,
                                          &C::SetAlignment,
                                          {"laLeft", "laRight", "laTop", "laBottom"}, laRight),
            PP::Boolean<C>(QStringLiteral("CheckBoxes"), &C::GetCheckBoxes, &C::SetCheckBoxes,
                           false),
            PP::Enum<C, TCheckBoxesStyle>(QStringLiteral("CheckBoxesStyle"), &C::GetCheckBoxesStyle,
                                          &C::SetCheckBoxesStyle, {"cbsCheck", "cbsRadio"},
                                          cbsCheck),
            PP::Integer<C>(QStringLiteral("ColorWidth"), &C::GetColorWidth, &C::SetColorWidth, 20),
            PP::Boolean<C>(QStringLiteral("CurrentPage"), &C::GetCurrentPage, &C::SetCurrentPage,
                           true),
            PP::Object<C, TChartHiddenPen>(QStringLiteral("DividingLines"),
                                           &C::DividingLinesObject),
            PP::Integer<C>(QStringLiteral("FirstValue"), &C::GetFirstValue, &C::SetFirstValue, 0),
            PP::Boolean<C>(QStringLiteral("FontSeriesColor"), &C::GetFontSeriesColor,
                           &C::SetFontSeriesColor, false),
            PP::Integer<C>(QStringLiteral("HorizMargin"), &C::GetHorizMargin, &C::SetHorizMargin,
                           0),
            PP::Integer<C>(QStringLiteral("VertMargin"), &C::GetVertMargin, &C::SetVertMargin, 0),
            PP::Boolean<C>(QStringLiteral("Inverted"), &C::GetInverted, &C::SetInverted, false),
            PP::Integer<C>(QStringLiteral("LeftPercent"), &C::GetLeftPercent, &C::SetLeftPercent,
                           0),
            PP::Integer<C>(QStringLiteral("TopPercent"), &C::GetTopPercent, &C::SetTopPercent, 0),
            PP::Enum<C, TLegendStyle>(QStringLiteral("LegendStyle"), &C::GetLegendStyle,
                                      &C::SetLegendStyle,
                                      {"lsAuto", "lsSeries", "lsValues", "lsLastValues"}, lsAuto),
            PP::Integer<C>(QStringLiteral("MaxNumRows"), &C::GetMaxNumRows, &C::SetMaxNumRows, 10),
            PP::Enum<C, TKorUnits>(QStringLiteral("PositionUnits"), &C::GetPositionUnits,
                                   &C::SetPositionUnits, {"muPercent", "muPixels"}, muPixels),
            PP::Boolean<C>(QStringLiteral("ResizeChart"), &C::GetResizeChart, &C::SetResizeChart,
                           true),
            PP::Object<C, TLegendSymbol>(QStringLiteral("Symbol"), &C::SymbolObject),
            PP::Enum<C, TLegendTextStyle>(
                QStringLiteral("TextStyle"), &C::GetTextStyle, &C::SetTextStyle,
                {"ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent",
                 "ltsXValue", "ltsValue", "ltsPercent", "ltsXAndValue", "ltsXAndPercent"},
                ltsLeftValue),
            PP::Object<C, TLegendTitle>(QStringLiteral("Title"), &C::TitleObject),
            PP::Integer<C>(QStringLiteral("TopPos"), &C::GetTopPos, &C::SetTopPos, 10),
            PP::Integer<C>(QStringLiteral("VertSpacing"), &C::GetVertSpacing, &C::SetVertSpacing,
                           0),
        });
  }();
  return List;
}

void TCustomChartLegend::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCustomChartLegend*>(&Source);
      Other != nullptr && Other != this) {
    SetAlignment(Other->FAlignment);
    SetCheckBoxes(Other->FCheckBoxes);
    // Copying the style must not switch the series of this chart.
    SetShapeField(FCheckBoxesStyle, Other->FCheckBoxesStyle);
    SetCurrentPage(Other->FCurrentPage);
    FDividingLines->Assign(*Other->FDividingLines);
    SetFirstValue(Other->FFirstValue);
    SetFontSeriesColor(Other->FFontSeriesColor);
    SetHorizMargin(Other->FHorizMargin);
    SetVertMargin(Other->FVertMargin);
    SetInverted(Other->FInverted);
    SetLeftPercent(Other->FLeftPercent);
    SetTopPercent(Other->FTopPercent);
    SetLegendStyle(Other->FLegendStyle);
    SetMaxNumRows(Other->FMaxNumRows);
    SetPositionUnits(Other->FPositionUnits);
    SetResizeChart(Other->FResizeChart);
    FSymbol->Assign(*Other->FSymbol);
    SetTextStyle(Other->FTextStyle);
    FTitle->Assign(*Other->FTitle);
    SetTopPos(Other->FTopPos);
    SetVertSpacing(Other->FVertSpacing);
  }
  TKorCustomShapePosition::Assign(Source);
}

TKorGradientClass TCustomChartLegend::GetGradientClass() const {
  return [](TNotifyEvent ChangeHandler) -> std::unique_ptr<TKorGradient> {
    return std::make_unique<TChartLegendGradient>(std::move(ChangeHandler));
  };
}

// -- properties

void TCustomChartLegend::SetCheckBoxesStyle(TCheckBoxesStyle Value) {
  if (Value == cbsRadio) {
    bool Found = false;
    for (int I = 0; TChartSeries* S = FChart->SeriesLegend(I, false); ++I) {
      if (!S->GetActive()) continue;
      if (Found)
        S->SetActive(false);
      else
        Found = true;
    }
  }
  SetShapeField(FCheckBoxesStyle, Value);
}

int TCustomChartLegend::GetColorWidth() const {
  return FSymbol->GetWidth();
}

void TCustomChartLegend::SetColorWidth(int Value) {
  FSymbol->SetWidth(Value);
}

void TCustomChartLegend::SetDividingLines(const TChartPen& Value) {
  FDividingLines->Assign(Value);
}

void TCustomChartLegend::SetFirstValue(int Value) {
  if (Value < 0) throw LegendException(Korconst::KorMsg_LegendFirstValue);
  SetShapeField(FFirstValue, Value);
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle Value) {
  SetShapeField(FLegendStyle, Value);
  CalcLegendStyle();
}

void TCustomChartLegend::SetSymbol(const TLegendSymbol& Value) {
  FSymbol->Assign(Value);
}

void TCustomChartLegend::SetTitle(const TLegendTitle& Value) {
  FTitle->Assign(Value);
}

void TCustomChartLegend::SetSeries(TChartSeries* Value) {
  SetShapeField(FSeries, Value);
}

int TCustomChartLegend::GetColumnWidth(int Column) const {
  KorCheckListIndex(Column, 2);
  return FColumnWidths[static_cast<size_t>(Column)];
}

void TCustomChartLegend::SetColumnWidth(int Column, int Value) {
  KorCheckListIndex(Column, 2);
  FColumnWidths[static_cast<size_t>(Column)] = Value;
  FColumnWidthAuto = false;
  Repaint();
}

TCustomChart& TCustomChartLegend::GetChart() const {
  return *FChart;
}

QString TCustomChartLegend::GetColumnText(int Position, int Column) const {
  if (Position < 0 || Position >= static_cast<int>(FColumnTexts.size()) || Column < 0 || Column > 1)
    return QString();
  return FColumnTexts[static_cast<size_t>(Position)][static_cast<size_t>(Column)];
}

// -- queries

bool TCustomChartLegend::ShouldDraw() const {
  return GetVisible() && (FCheckBoxes || FChart->CountActiveSeries() > 0);
}

void TCustomChartLegend::CalcLegendStyle() {
  if (FLegendStyle != lsAuto) {
    FInternalLegendStyle = FLegendStyle;
    return;
  }
  // A single series shows its values; several series show one row each.
  FInternalLegendStyle = FCheckBoxes || FChart->CountActiveSeries() > 1 ? lsSeries : lsValues;
}

bool TCustomChartLegend::HasCheckBoxes() const {
  return FCheckBoxes && FInternalLegendStyle != lsValues;
}

TChartSeries* TCustomChartLegend::GetLegendSeries() const {
  if (FSeries != nullptr && FChart->IndexOfSeries(FSeries) >= 0) return FSeries;
  TChartSeries* First = FChart->GetASeries();
  if (First != nullptr && First->GetShowInLegend()) return First;
  if (TChartSeries* Shown = FChart->ActiveSeriesLegend(0)) return Shown;
  return First;
}

TChartSeries* TCustomChartLegend::LegendSeriesAt(int Index) const {
  return FChart->SeriesLegend(Index, !FCheckBoxes);
}

QString TCustomChartLegend::FormattedLegend(int Index) {
  QString Text;
  switch (FInternalLegendStyle) {
    case lsSeries: Text = FChart->SeriesTitleLegend(Index, !FCheckBoxes); break;
    case lsValues: Text = FChart->FormattedValueLegend(GetLegendSeries(), Index); break;
    case lsLastValues:
      if (TChartSeries* S = LegendSeriesAt(Index))
        Text = FChart->FormattedValueLegend(S, S->CountLegendItems() - 1);
      break;
    case lsAuto: break;
  }
  if (FChart->OnGetLegendText) FChart->OnGetLegendText(FChart, FInternalLegendStyle, Index, Text);
  return Text;
}

QString TCustomChartLegend::FormattedValue(TChartSeries* ASeries, int ValueIndex) {
  if (ASeries == nullptr || ValueIndex == -1) return QString();
  QString Text = ASeries->LegendString(ValueIndex, FTextStyle);
  Text.replace(KorLineSeparator, QChar(u' '));
  return Text;
}

int TCustomChartLegend::CalcItemHeight() const {
  TCanvas3D& C = FChart->GetPanelCanvas();
  C.AssignFont(GetFont());
  int Result = C.GetFontHeight();
  if (HasCheckBoxes()) Result = std::max(Result, CheckBoxItemHeight);
  Result += FVertSpacing;
  if (GetVertical() && FDividingLines->GetVisible()) Result += FDividingLines->GetWidth();
  // Rows are found by dividing by the item height: a negative spacing must
  // not bring it to zero or below.
  return std::max(1, Result);
}

int TCustomChartLegend::TitleExtraHeight() const {
  if (!FTitleDrawn) return 0;
  int Result = FTitleHeight + 2;
  if (!FTitle->GetTransparent()) Result += std::abs(FTitle->GetShadow().GetVertSize());
  return Result;
}

int TCustomChartLegend::FirstItemTop() const {
  return GetShapeBounds().Top + TitleExtraHeight();
}

int TCustomChartLegend::Clicked(int X, int Y) const {
  TRect R = GetShapeBounds();
  R.Right -= SizeHook(0);
  if (!PtInRect(R, TPoint(X, Y))) return -1;
  const int ItemHeight = CalcItemHeight();
  const int Top = FirstItemTop();
  int Row = -1;
  for (int I = 0; I < FRows; ++I) {
    const int RowTop = Top + I * ItemHeight + 1;
    if (Y >= RowTop && Y <= RowTop + ItemHeight) {
      Row = FInverted ? FRows - I - 1 : I;
      break;
    }
  }
  if (Row < 0) return -1;
  if (GetVertical()) return Row + FFirstValue;
  if (FColumns <= 0) return -1;
  const int ColumnWidth = GetWidth() / FColumns;
  const int Shown = FLastValue - FFirstValue + 1;
  for (int Column = 0; Column < FColumns; ++Column) {
    const int Left = R.Left + Column * ColumnWidth + 1;
    if (X < Left || X > Left + ColumnWidth) continue;
    int Index = Row * FColumns + Column;
    if (FInverted) {
      Index = Row * FColumns + FColumns - Column - 1;
      const int Gap = Shown % FColumns;
      if (Gap > 0) Index += Gap - FColumns;
    }
    // The empty cells of a short last row hold no item.
    if (Index < 0 || Index > FTotalLegendItems - 1) return -1;
    return Index + FFirstValue;
  }
  return -1;
}

bool TCustomChartLegend::DoMouseDown(int, int, int Index) {
  if (!HasCheckBoxes() || Index == -1) return false;
  if (FCheckBoxesStyle == cbsRadio) {
    for (int I = 0; TChartSeries* S = FChart->SeriesLegend(I, false); ++I) S->SetActive(I == Index);
  } else if (TChartSeries* S = FChart->SeriesLegend(Index, false)) {
    S->SetActive(!S->GetActive());
  }
  return true;
}

int TCustomChartLegend::SizeHook(int ASize) const {
  if (OnCalcSize) OnCalcSize(const_cast<TCustomChartLegend*>(this), ASize);
  return ASize;
}

// -- layout

int TCustomChartLegend::FrameWidth() const {
  if (GetBevel() != bvNone) return GetBevelWidth();
  return GetPen().GetVisible() ? GetPen().GetWidth() : 0;
}

void TCustomChartLegend::ApplyPercentPosition() {
  const TRect Old = GetShapeBounds();
  const int Left = Round(FLeftPercent * FChart->GetWidth() * 0.01);
  const int Top = Round(FTopPercent * FChart->GetHeight() * 0.01);
  SetShapeBounds(TRect(Left, Top, Left + Old.Width(), Top + Old.Height()));
}

int TCustomChartLegend::CountLegendEntries() const {
  if (FInternalLegendStyle != lsValues) {
    // The series LegendSeriesAt finds, counted in one pass over the list
    // (asking for each index in turn walks the list once per series).
    int Count = 0;
    for (int I = 0; I < FChart->SeriesCount(); ++I) {
      const TChartSeries* S = FChart->GetSeries(I);
      if (S->GetShowInLegend() && (FCheckBoxes || S->GetActive())) ++Count;
    }
    return Count;
  }
  const TChartSeries* S = GetLegendSeries();
  return S != nullptr && S->GetShowInLegend() ? S->CountLegendItems() : 0;
}

void TCustomChartLegend::CalcTotalItems() {
  const int PerPage = FChart->GetMaxPointsPerPage();
  const bool Paged = FInternalLegendStyle == lsValues && FCurrentPage && PerPage > 0;
  // Paging moves the first value without a repaint: this is layout state.
  if (Paged)
    FFirstValue = std::max(0, (FChart->GetPage() - 1) * PerPage);
  else if (PerPage > 0 && FInternalLegendStyle != lsValues)
    FFirstValue = 0;
  FTotalLegendItems = std::max(0, CountLegendEntries() - FFirstValue);
  if (Paged) FTotalLegendItems = std::min(FTotalLegendItems, PerPage);
}

void TCustomChartLegend::GatherTexts() {
  FColumnTexts.assign(static_cast<size_t>(std::max(0, FLastValue - FFirstValue + 1)), {});
  for (int Value = FFirstValue; Value <= FLastValue; ++Value) {
    const int Position = FInverted ? FLastValue - Value : Value - FFirstValue;
    FColumnTexts[static_cast<size_t>(Position)] = SplitColumns(FormattedLegend(Value));
  }
}

int TCustomChartLegend::CalcColumnWidths() {
  if (FColumnWidthAuto) {
    TCanvas3D& C = FChart->GetPanelCanvas();
    const bool Html = GetTextFormat() == ttfHtml;
    auto WidthOf = [&](const QString& Text) {
      if (!Html) return C.TextWidth(Text);
      const int Width = HtmlTextExtent(C, Text).cx;
      C.AssignFont(GetFont());  // the tags may have changed it
      return Width;
    };
    FColumnWidths = {0, 0};
    for (size_t P = 0; P < FColumnTexts.size(); ++P) {
      const QString& First = FItems->GetCustomTexts() ? FItems->Get(static_cast<int>(P)).GetText()
                                                      : FColumnTexts[P][0];
      FColumnWidths[0] = std::max(FColumnWidths[0], WidthOf(First));
      FColumnWidths[1] = std::max(FColumnWidths[1], WidthOf(FColumnTexts[P][1]));
    }
  }
  FTextWidth = 2 * FSpaceWidth - 1 + FColumnWidths[0] + FColumnWidths[1];
  return FTextWidth;
}

void TCustomChartLegend::LayoutVertical(TRect& R) {
  if (!GetCustomPosition()) {
    const TRect& Bounds = FChart->GetDrawBounds();
    R.Top = Bounds.Top + Round(FTopPos * Bounds.Height() * 0.01);
  }
  FColumns = 1;
  const TRect& Plot = FChart->GetPlotRect();
  const int ItemsTop = R.Top + TitleExtraHeight();
  FRows = 0;
  if (ItemsTop < Plot.Bottom) {
    const int Room = FChart->GetPlotHeight() + Plot.Top - 2 * FFrameWidth - ItemsTop;
    FRows = std::clamp(Room / FItemHeight, 0, FTotalLegendItems);
  }
  FLastValue = FFirstValue + std::min(FTotalLegendItems, FRows) - 1;
  GatherTexts();
}

void TCustomChartLegend::LayoutHorizontal(TRect& R) {
  FLastValue = FFirstValue + FTotalLegendItems - 1;
  GatherTexts();
  CalcColumnWidths();
  FSymbolWidth = FSymbol->CalcWidth(FTextWidth);
  const TRect& Plot = FChart->GetPlotRect();
  if (!GetCustomPosition()) {
    if (FAlignment == laBottom)
      R.Bottom = Plot.Bottom - SizeHook(FChart->GetShadow().GetVertSize() + FFrameWidth + 1);
    else
      R.Top = Plot.Top + FFrameWidth + 1;
  }
  // A symbol of negative pixel width must not bring the divisor to zero.
  const int ItemWidth = std::max(1, FSymbolWidth + FTextWidth + 8 + (HasCheckBoxes() ? 27 : 0));
  FColumns = 0;
  if (8 < Plot.Right) {
    // A frame wider than the chart leaves a negative room: no columns.
    const int Room = FChart->GetPlotWidth() - 2 * FFrameWidth - 8;
    FColumns = std::clamp(Room / ItemWidth, 0, FTotalLegendItems);
  }
  FRows = 0;
  if (FColumns > 0) {
    FRows = FTotalLegendItems / FColumns + (FTotalLegendItems % FColumns > 0 ? 1 : 0);
    FRows = std::clamp(FRows, 0, std::max(0, FMaxNumRows));
  }
  FLastValue = FFirstValue + std::min(FTotalLegendItems, FColumns * FRows) - 1;
}

void TCustomChartLegend::PlaceSymbolAndText(int X) {
  if (FSymbol->GetPosition() == spRight) {
    FTextX = X + 6;
    FSymbolX = X + FTextWidth + 6;
  } else {
    FSymbolX = X + 6;
    FTextX = X + FSymbolWidth + 10;
  }
}

void TCustomChartLegend::PlaceVertical(TRect& R) {
  CalcColumnWidths();
  FSymbolWidth = FSymbol->CalcWidth(FTextWidth + 10);
  int TotalWidth = SizeHook(FTextWidth + 10 + FSymbolWidth);
  if (FTitleDrawn) TotalWidth = std::max(TotalWidth, FTitle->CalcTotalWidth());
  const bool CheckBoxes = HasCheckBoxes();
  const TRect& Plot = FChart->GetPlotRect();
  if (GetCustomPosition() || FAlignment == laLeft) {
    if (!GetCustomPosition()) R.Left = Plot.Left + FFrameWidth + 1;
  } else {
    const int Right = Plot.Right - GetShadow().GetHorizSize() - FFrameWidth - 1;
    R.Left = Right - TotalWidth - (CheckBoxes ? 15 : 0);
  }
  int X = R.Left;
  if (CheckBoxes) {
    FCheckBoxX = R.Left + CheckBoxIndent;
    X = FCheckBoxX + CheckBoxSize;
  }
  R.Right = X + TotalWidth;
  PlaceSymbolAndText(X);
}

void TCustomChartLegend::PlaceHorizontal(TRect& R) {
  const bool CheckBoxes = HasCheckBoxes();
  int TotalWidth = FColumns * (FTextWidth + FSymbolWidth + 6) + 10;
  if (CheckBoxes) TotalWidth += FColumns * 13 + 8;
  if (FTitleDrawn) TotalWidth = std::max(TotalWidth, FTitle->CalcTotalWidth());
  const int HalfWidth = std::min(FChart->GetPlotWidth(), TotalWidth) / 2;
  if (!GetCustomPosition())
    R.Left = Round(FTopPos * (FChart->GetDrawBounds().Width() - 2 * HalfWidth) * 0.01) +
             FChart->GetPlotCenterX() - HalfWidth;
  R.Right = R.Left + 2 * HalfWidth;
  int X = R.Left;
  if (CheckBoxes) {
    FCheckBoxX = R.Left + CheckBoxIndent;
    X = R.Left + 15;
  }
  PlaceSymbolAndText(X);
}

void TCustomChartLegend::DrawLegend() {
  TCanvas3D& C = FChart->GetPanelCanvas();
  CalcLegendStyle();
  FFrameWidth = FrameWidth();
  if (GetCustomPosition() && FPositionUnits == muPercent) ApplyPercentPosition();
  CalcTotalItems();
  FChart->SetLegendBackColor(GetColor());
  FItemHeight = CalcItemHeight();  // leaves the legend font on the canvas
  FSpaceWidth = C.TextWidth(QStringLiteral(" "));
  FTitleDrawn = FTitle->GetVisible() && !FTitle->GetText().isEmpty();
  FTitleHeight = FTitleDrawn ? FTitle->CalcHeight() : 0;
  C.AssignFont(GetFont());
  TRect R = GetShapeBounds();
  if (GetVertical())
    LayoutVertical(R);
  else
    LayoutHorizontal(R);
  if (FLastValue < FFirstValue) return;
  const int Height = FItemHeight * FRows + 2 + 2 * Round(FItemHeight * 0.1) + TitleExtraHeight();
  if (FAlignment == laBottom && !GetCustomPosition())
    R.Top = R.Bottom - Height;
  else
    R.Bottom = R.Top + Height;
  if (GetVertical())
    PlaceVertical(R);
  else
    PlaceHorizontal(R);
  C.AssignFont(GetFont());
  if (FChart->OnGetLegendRect) FChart->OnGetLegendRect(FChart, R);
  SetShapeBounds(R);
  Draw();
  if (FTitleDrawn) {
    FTitle->DrawTitle(R);
    C.AssignFont(GetFont());
  }
  DrawItems();
  ResizeChartRect();
  FChart->ReCalcWidthHeight();
}

// -- drawing the items

int TCustomChartLegend::ItemPitch() const {
  return FTextWidth + FSymbolWidth + 6 + (HasCheckBoxes() ? 15 : 0);
}

void TCustomChartLegend::DrawItems() {
  const int Shown = FLastValue - FFirstValue + 1;
  for (int P = 0; P < Shown; ++P) DrawItem(FInverted ? FLastValue - P : FFirstValue + P, P);
}

TColor TCustomChartLegend::ItemSeriesColor(int ValueIndex) const {
  if (FInternalLegendStyle == lsValues) {
    const TChartSeries* S = GetLegendSeries();
    return S != nullptr ? S->LegendItemColor(ValueIndex) : GetFont().GetColor();
  }
  const TChartSeries* S = LegendSeriesAt(ValueIndex);
  return S != nullptr ? S->GetSeriesColor() : GetFont().GetColor();
}

bool TCustomChartLegend::RightAligned(int Column) const {
  if (FInternalLegendStyle == lsSeries) return false;
  if (Column == 0)
    return FTextStyle == ltsLeftValue || FTextStyle == ltsLeftPercent || FTextStyle == ltsXValue ||
           FTextStyle == ltsValue || FTextStyle == ltsPercent || FTextStyle == ltsXAndValue ||
           FTextStyle == ltsXAndPercent;
  return FTextStyle == ltsRightValue || FTextStyle == ltsRightPercent ||
         FTextStyle == ltsXAndValue || FTextStyle == ltsXAndPercent;
}

void TCustomChartLegend::DrawItem(int ValueIndex, int Position) {
  TCanvas3D& C = FChart->GetPanelCanvas();
  C.GetBrush().SetColor(GetColor());
  C.GetBrush().SetStyle(bsClear);
  FChart->SetLegendSymbolPen(FSymbol->GetDefaultPen() ? nullptr : &FSymbol->GetPen());
  const bool Vertical = GetVertical();
  const int Row = Vertical ? Position : Position / FColumns;
  const int Column = Vertical ? 0 : Position % FColumns;
  const int Offset = Column * ItemPitch();
  int TextX = FTextX + Offset;
  int SymbolX = FSymbolX + Offset;
  int Y = FirstItemTop() + Round(FItemHeight * 0.1) + 1 + Row * FItemHeight + FVertSpacing / 2;
  if (FChart->OnGetLegendPos) FChart->OnGetLegendPos(FChart, ValueIndex, TextX, Y, SymbolX);
  if (FFontSeriesColor) C.GetFont().SetColor(ItemSeriesColor(ValueIndex));
  DrawItemTexts(Position, TextX, Y);
  TLegendItem& Item = FItems->Get(Position);
  TRect SymbolRect = Item.GetSymbolRect();
  if (!FItems->GetCustomTexts()) {
    const int Shown = FLastValue - FFirstValue + 1;
    const int LastRow = Vertical ? Shown - 1 : (Shown - 1) / FColumns;
    // Continuous symbols join into one band: only its ends keep the gaps.
    const bool Continuous = FSymbol->GetContinuous();
    SymbolRect = TRect(SymbolX, Y, SymbolX + FSymbolWidth, Y + FItemHeight + 1);
    if (!Continuous || Row == 0) SymbolRect.Top += 2;
    if (!Continuous || Row == LastRow) SymbolRect.Bottom -= FVertSpacing + 3;
    Item.SetSymbolRect(SymbolRect);
  }
  DrawItemSymbol(ValueIndex, SymbolRect, FCheckBoxX + Offset, Y);
  DrawDividingLine(Row, Column, Offset, Y);
}

void TCustomChartLegend::DrawItemTexts(int Position, int X, int Y) {
  TCanvas3D& C = FChart->GetPanelCanvas();
  C.SetBackMode(cbmTransparent);
  const int TextY = Y + (HasCheckBoxes() ? 1 : 0);
  for (int Column = 0; Column < 2; ++Column) {
    const bool Right = RightAligned(Column);
    const int Width = FColumnWidths[static_cast<size_t>(Column)];
    if (Right) X += Width;
    QString Text = FColumnTexts[static_cast<size_t>(Position)][static_cast<size_t>(Column)];
    int TextX = X;
    int ItemY = TextY;
    TAlignment Align = Right ? taRightJustify : taLeftJustify;
    if (Column == 0) {
      TLegendItem& Item = FItems->Get(Position);
      if (FItems->GetCustomTexts()) {
        Text = Item.GetText();
        TextX = Item.GetLeft();
        ItemY = Item.GetTop();
        Align = Item.GetAlign();
      } else {
        Item.Remember(Text, TextX, ItemY, Align);
      }
    }
    if (!Text.isEmpty()) DrawColumnText(TextX, ItemY, Text, Align);
    if (!Right) X += Width;
    X += FSpaceWidth;
  }
}

void TCustomChartLegend::DrawColumnText(int X, int Y, const QString& Text, TAlignment Align) {
  TCanvas3D& C = FChart->GetPanelCanvas();
  if (GetTextFormat() != ttfHtml) {
    C.SetTextAlign(Align == taRightJustify ? TA_RIGHT : Align == taCenter ? TA_CENTER : TA_LEFT);
    C.TextOut(X, Y, Text);
    C.SetTextAlign(TA_LEFT);
    return;
  }
  // The HTML writer places every token itself, so it starts from the left
  // edge the alignment asks for; its tags may change the font, which the
  // next text must not inherit.
  const TColor Color = C.GetFont().GetColor();
  int Left = X;
  if (Align != taLeftJustify) {
    const int Width = HtmlTextExtent(C, Text).cx;
    Left = Align == taRightJustify ? X - Width : X - Width / 2;
    C.AssignFont(GetFont());
    C.GetFont().SetColor(Color);
  }
  HtmlTextOut(C, Left, Y, Text);
  C.AssignFont(GetFont());
  C.GetFont().SetColor(Color);
}

void TCustomChartLegend::DrawItemSymbol(int ValueIndex, const TRect& R, int CheckBoxX, int Y) {
  TCanvas3D& C = FChart->GetPanelCanvas();
  TChartSeries* Series = nullptr;
  if (FInternalLegendStyle == lsValues) {
    Series = GetLegendSeries();
    if (FSymbolWidth != 0) {
      if (Series != nullptr)
        Series->DrawLegend(Series->LegendToValueIndex(ValueIndex), R);
      else
        FSymbol->Draw(clWhite, R);
    }
  } else {
    Series = LegendSeriesAt(ValueIndex);
    if (HasCheckBoxes()) {
      KorDrawCheckBox(CheckBoxX, Y - 1 + (FItemHeight - FVertSpacing - 11) / 2,
                      C.GetReferenceCanvas(), Series != nullptr && Series->GetActive(), GetColor(),
                      FCheckBoxesStyle == cbsCheck);
    }
    if (Series != nullptr && FSymbolWidth != 0) Series->DrawLegend(-1, R);
  }
  if (FSymbol->OnDraw) FSymbol->OnDraw(FSymbol.get(), Series, ValueIndex, R);
}

void TCustomChartLegend::DrawDividingLine(int Row, int Column, int ColumnOffset, int Y) {
  if (!FDividingLines->GetVisible()) return;
  TCanvas3D& C = FChart->GetPanelCanvas();
  const TRect& R = GetShapeBounds();
  if (GetVertical()) {
    if (Row == 0) return;
    C.AssignVisiblePen(*FDividingLines);
    C.DoHorizLine(R.Left, R.Right, Y - FVertSpacing / 2);
    return;
  }
  // Between columns: every column but the first has a line on its left.
  if (Column == 0) return;
  C.AssignVisiblePen(*FDividingLines);
  C.DoVertLine(R.Left + ColumnOffset + 2, R.Top, R.Bottom);
}

void TCustomChartLegend::ResizeChartRect() {
  if (!FResizeChart || GetCustomPosition() || FChart->GetUserChartRect()) return;
  TRect Plot = FChart->GetPlotRect();
  const TRect& R = GetShapeBounds();
  switch (FAlignment) {
    case laLeft: Plot.Left = R.Right; break;
    case laRight: Plot.Right = R.Left; break;
    case laTop: Plot.Top = R.Bottom + FChart->GetShadow().GetVertSize(); break;
    case laBottom: Plot.Bottom = R.Top; break;
  }
  if (GetVertical()) {
    const int Margin = FHorizMargin != 0 ? FHorizMargin : 3 * FChart->GetPlotWidth() / 100;
    if (FAlignment == laLeft)
      Plot.Left += Margin;
    else
      Plot.Right -= Margin;
  } else {
    const int Margin = FVertMargin != 0 ? FVertMargin : 4 * FChart->GetPlotHeight() / 100;
    if (FAlignment == laTop)
      Plot.Top += Margin;
    else
      Plot.Bottom -= Margin;
  }
  FChart->SetPlotRect(Plot);
}

// -- painting a series' symbol anywhere

void PaintSeriesLegend(TChartSeries* ASeries, TCanvas& Canvas, const TRect& R,
                       TCustomChart* AChart) {
  if (ASeries == nullptr) return;
  std::unique_ptr<TChart> Temporary;
  if (ASeries->GetParentChart() == nullptr) {
    if (AChart == nullptr) {
      Temporary = std::make_unique<TChart>(nullptr);
      AChart = Temporary.get();
    }
    ASeries->SetParentChart(AChart);
  }
  // The temporary chart would free its series: the caller's series leaves
  // it first, whatever happens while drawing.
  TScopeExit Detach([&] {
    if (Temporary) ASeries->SetParentChart(nullptr);
  });
  TCustomAxisPanel* Panel = ASeries->GetParentChart();
  TCanvas3D& C = Panel->GetPanelCanvas();
  if (C.GetSupportsFullRotation()) return;
  auto* Chart = dynamic_cast<TCustomChart*>(Panel);
  TCanvas& Target = C.GetReferenceCanvas();
  C.SetCanvas(Canvas);
  TScopeExit Restore([&] { C.SetCanvas(Target); });
  C.GetBrush().SetStyle(bsSolid);
  if (Chart != nullptr) {
    const TCustomChartLegend& Legend = Chart->GetLegend();
    C.GetBrush().SetColor(Legend.GetColor());
    Chart->SetLegendSymbolPen(Legend.GetSymbol().GetDefaultPen() ? nullptr
                                                                 : &Legend.GetSymbol().GetPen());
  } else {
    C.GetBrush().SetColor(Panel->GetLegendBackColor());
  }
  ASeries->DrawLegend(-1, R);
}
