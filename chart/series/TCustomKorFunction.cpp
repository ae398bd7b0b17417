#include "chart/series/TCustomKorFunction.h"

#include "chart/core/TChartSeries.h"

TCustomKorFunction::TCustomKorFunction(TComponent* AOwner) : TKorFunction(AOwner) {
  SetPeriod(1);
  SetNoSourceRequired(true);
}

const TPropertyList& TCustomKorFunction::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomKorFunction;
  static const TPropertyList List(
      TKorFunction::Properties(),
      {
          PP::Double<C>(QStringLiteral("Period"), &C::GetPeriod, &C::SetPeriod, 1.0),
          PP::Double<C>(QStringLiteral("StartX"), &C::GetStartX, &C::SetStartX, 0.0),
          PP::Integer<C>(QStringLiteral("NumPoints"), &C::GetNumPoints, &C::SetNumPoints, 100),
      });
  return List;
}

void TCustomKorFunction::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCustomKorFunction*>(&Source)) {
    FStartX = Other->FStartX;
    FNumPoints = Other->FNumPoints;
  }
  TKorFunction::Assign(Source);
}

void TCustomKorFunction::SetStartX(double Value) {
  if (SetIfChanged(FStartX, Value)) ReCalculate();
}

void TCustomKorFunction::SetNumPoints(int Value) {
  if (SetIfChanged(FNumPoints, Value)) ReCalculate();
}

void TCustomKorFunction::AddPoints(TChartSeries*) {
  TChartSeries* Parent = GetParentSeries();
  if (!OnCalculate || Parent == nullptr || GetUpdating()) return;
  Parent->Clear();
  double X = FStartX;
  for (int I = 0; I < FNumPoints; ++I) {
    FX = X;
    double Y = 0;
    OnCalculate(this, X, Y);
    if (Parent->GetYMandatory())
      Parent->AddXY(X, Y);
    else
      Parent->AddXY(Y, X);
    X += GetPeriod();
  }
}
