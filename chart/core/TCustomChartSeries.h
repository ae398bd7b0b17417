#pragma once

#include "chart/core/TCustomChartElement.h"

// Flags of a series that editors and galleries respect.
enum TChartSeriesStyleFlag {
  tssIsTemplate,
  tssDenyChangeType,
  tssDenyDelete,
  tssDenyClone,
  tssIsPersistent,
  tssHideDataSource
};

// A set of TChartSeriesStyleFlag, bit n for flag n; regular and constexpr.
class TChartSeriesStyle {
 public:
  constexpr TChartSeriesStyle() = default;
  constexpr TChartSeriesStyle(std::initializer_list<TChartSeriesStyleFlag> Flags) {
    for (TChartSeriesStyleFlag F : Flags) FMask |= 1 << F;
  }
  // Only the six flag bits are taken.
  static constexpr TChartSeriesStyle FromMask(int Mask) {
    TChartSeriesStyle S;
    S.FMask = Mask & AllFlags;
    return S;
  }
  constexpr int Mask() const { return FMask; }
  constexpr bool Contains(TChartSeriesStyleFlag F) const { return (FMask & (1 << F)) != 0; }
  constexpr bool Empty() const { return FMask == 0; }
  friend constexpr bool operator==(const TChartSeriesStyle&, const TChartSeriesStyle&) = default;

  static constexpr int AllFlags = 0x3F;

 private:
  int FMask = 0;
};

// Data: what every series has besides its points: a title, whether it is
// listed in the legend, an identifier and the style flags. Series types
// widen the axis ranges by pixels through the margin hooks.
class TCustomChartSeries : public TCustomChartElement {
 public:
  explicit TCustomChartSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TCustomChartSeries"); }
  const TPropertyList& Properties() const override;
  // From another series: ShowInLegend, Title, Style and Identifier, then
  // the element's part.
  void Assign(const TPersistent& Source) override;

  bool GetShowInLegend() const { return FShowInLegend; }
  void SetShowInLegend(bool Value);
  const QString& GetTitle() const { return FTitle; }
  virtual void SetTitle(const QString& Value);
  const QString& GetIdentifier() const { return FIdentifier; }
  void SetIdentifier(const QString& Value) { FIdentifier = Value; }
  TChartSeriesStyle GetStyle() const { return FStyle; }
  void SetStyle(TChartSeriesStyle Value) { FStyle = Value; }

  // Pixels the axes keep free at the ends for this series (0 here).
  virtual void CalcHorizMargins(int& LeftMargin, int& RightMargin);
  virtual void CalcVerticalMargins(int& TopMargin, int& BottomMargin);
  // Called at the start of every chart drawing pass; nothing here.
  virtual void DoBeforeDrawChart() {}

 private:
  // Streams write the six style bits as one integer.
  int GetStyleMask() const { return FStyle.Mask(); }
  void SetStyleMask(int Value) { FStyle = TChartSeriesStyle::FromMask(Value); }
  QString GetIdentifierText() const { return FIdentifier; }
  QString GetTitleText() const { return FTitle; }
  void SetTitleText(const QString& Value) { SetTitle(Value); }

  bool FShowInLegend = true;
  QString FTitle;
  QString FIdentifier;
  TChartSeriesStyle FStyle;
};
