#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"

#include <QString>

#include <memory>

class TChartLegend;
class TPieSeries;

// How a pie picks the small values it groups into one "other" slice.
enum TPieOtherStyle { poNone, poBelowPercent, poBelowValue };

// Data: the settings of a pie's "other" slice: which values it takes in
// (those below Value, in percent of the absolute total or in value units),
// its colour and text, and an optional legend of its own that lists the
// grouped points. Every change repaints the owner series.
class TPieOtherSlice : public TPersistent {
 public:
  explicit TPieOtherSlice(TPieSeries& AOwner);
  ~TPieOtherSlice() override;

  QString ClassName() const override { return QStringLiteral("TPieOtherSlice"); }
  const TPropertyList& Properties() const override;
  // Colour, style, text, value, and the legend (copied, or freed when the
  // source has none).
  void Assign(const TPersistent& Source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // Created hidden on first use and bound to the owner series; nullptr
  // while the series is not in a chart that has legends.
  TChartLegend* GetLegend();
  TChartLegend* ExistingLegend() const { return FLegend.get(); }
  void SetLegend(const TChartLegend* Value);
  // The legend belongs to the chart the series is leaving: freed.
  void ForgetLegend();
  TPieOtherStyle GetStyle() const { return FStyle; }
  void SetStyle(TPieOtherStyle Value);
  // "Other" (in the user's language) while no text is set.
  QString GetText() const;
  void SetText(const QString& Value);
  double GetValue() const { return FValue; }
  void SetValue(double Value);

 private:
  QString StoredText() const { return FText; }

  TPieSeries& FOwner;
  TColor FColor = clDefault;
  std::unique_ptr<TChartLegend> FLegend;
  TPieOtherStyle FStyle = poNone;
  QString FText;
  double FValue = 0;
};
