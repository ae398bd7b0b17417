#pragma once

#include "chart/core/TChartBrush.h"

#include "platform/TColor.h"

#include <QString>

#include <memory>

class TKorGradient;

// Data: the fill of one kind of grid band stripe: a chart brush with the
// colour of its hatch gaps (clNone: the chart's back wall colour), an
// optional gradient and a transparency.
class TGridBandBrush : public TChartBrush {
 public:
  explicit TGridBandBrush(TNotifyEvent ChangeHandler = nullptr);
  ~TGridBandBrush() override;

  QString ClassName() const override { return QStringLiteral("TGridBandBrush"); }
  const TPropertyList& Properties() const override;
  // Back colour, gradient and transparency, then the brush.
  void Assign(const TPersistent& Source) override;

  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor Value) { ChangeField(FBackColor, Value); }
  TKorGradient& GetGradient() const { return *FGradient; }
  void SetGradient(const TKorGradient& Value);
  // Percent of the background showing through the stripe.
  int GetTransparency() const { return FTransparency; }
  void SetTransparency(int Value) { ChangeField(FTransparency, Value); }

 private:
  TKorGradient* GradientObject() { return FGradient.get(); }

  TColor FBackColor = clNone;
  std::unique_ptr<TKorGradient> FGradient;
  int FTransparency = 0;
};
