#include "chart/core/TChartAxisTitle.h"

TChartAxisTitle::TChartAxisTitle(TCustomKorPanel* AParent) : TKorCustomShape(AParent) {}

int NormalizeAxisAngle(int Value) {
  const int Angle = Value % 360;
  return Angle < 0 ? Angle + 360 : Angle;
}

void TChartAxisTitle::Assign(const TPersistent& Source) {
  if (const TChartAxisTitle* Other = dynamic_cast<const TChartAxisTitle*>(&Source)) {
    SetAngle(Other->FAngle);
    SetCaption(Other->FCaption);
  }
  TKorCustomShape::Assign(Source);
}

const TPropertyList& TChartAxisTitle::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartAxisTitle;
  static const TPropertyList List = [this] {
    TPublishedProperty Angle = PP::Integer<C>(QStringLiteral("Angle"), &C::GetAngle, &C::SetAngle);
    Angle.Stored = [](const TPersistent& P) {
      const C& Title = PP::As<C>(P);
      return Title.GetAngle() != Title.GetDefaultAngle();
    };
    return TPropertyList(TKorCustomShape::Properties(),
                         {Angle, PP::String<C>(QStringLiteral("Caption"), &C::GetCaption,
                                               &C::SetCaption, QString())});
  }();
  return List;
}

void TChartAxisTitle::SetAngle(int Value) {
  SetShapeField(FAngle, NormalizeAxisAngle(Value));
}

void TChartAxisTitle::InitAngle(int Value) {
  FAngle = NormalizeAxisAngle(Value);
  FDefaultAngle = FAngle;
}
