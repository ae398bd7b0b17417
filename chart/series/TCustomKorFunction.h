#pragma once

#include "chart/core/TKorFunction.h"

#include <functional>

class TCustomKorFunction;

// Gives in Y the value of the user's formula at X.
using TCalculateEvent = std::function<void(TCustomKorFunction* Sender, double X, double& Y)>;

// Data: the user formula y = f(x): needs no source; NumPoints points from
// StartX on, Period apart, each asked of OnCalculate.
class TCustomKorFunction : public TKorFunction {
 public:
  explicit TCustomKorFunction(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TCustomKorFunction"); }
  // Period is redeclared with its default of one step.
  const TPropertyList& Properties() const override;
  void Assign(const TPersistent& Source) override;

  double GetStartX() const { return FStartX; }
  void SetStartX(double Value);
  int GetNumPoints() const { return FNumPoints; }
  void SetNumPoints(int Value);
  // The x being calculated (the last one after a calculation).
  double GetX() const { return FX; }

  QString GetEditorClass() const override { return QStringLiteral("TCustomFunctionEditor"); }
  // Refills the parent from the formula; nothing without OnCalculate. The
  // source is not read.
  void AddPoints(TChartSeries* Source) override;

  TCalculateEvent OnCalculate;

 private:
  double FStartX = 0;
  int FNumPoints = 100;
  double FX = 0;
};
