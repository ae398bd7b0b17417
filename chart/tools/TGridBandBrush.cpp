#include "chart/tools/TGridBandBrush.h"

#include "chart/core/TKorGradient.h"

#include <utility>

TGridBandBrush::TGridBandBrush(TNotifyEvent ChangeHandler)
    : TChartBrush(std::move(ChangeHandler)),
      FGradient(std::make_unique<TKorGradient>([this](TPersistent*) { Changed(); })) {}

TGridBandBrush::~TGridBandBrush() = default;

const TPropertyList& TGridBandBrush::Properties() const {
  namespace PP = PublishedProperty;
  using C = TGridBandBrush;
  static const TPropertyList List(
      TChartBrush::Properties(),
      {
          PP::Color<C>(QStringLiteral("BackColor"), &C::GetBackColor, &C::SetBackColor, clNone),
          PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject),
          PP::Integer<C>(QStringLiteral("Transparency"), &C::GetTransparency, &C::SetTransparency,
                         0),
      });
  return List;
}

void TGridBandBrush::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TGridBandBrush*>(&Source);
      Other != nullptr && Other != this) {
    SetBackColor(Other->FBackColor);
    FGradient->Assign(*Other->FGradient);
    SetTransparency(Other->FTransparency);
  }
  TChartBrush::Assign(Source);
}

void TGridBandBrush::SetGradient(const TKorGradient& Value) {
  FGradient->Assign(Value);
}
