#include "chart/core/TCustomChartWall.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TKorGradient.h"

#include "platform/TPicture.h"

TCustomChartWall::TCustomChartWall(TCustomChart* AChart) : TKorCustomShape(AChart) {
  SetColor(clDefault);
}

void TCustomChartWall::InitColor(TColor Value) {
  SetColor(Value);
  FDefaultColor = Value;
}

const TPropertyList& TCustomChartWall::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomChartWall;
  static const TPropertyList List = [this] {
    const TPropertyList& Shape = TKorCustomShape::Properties();
    auto Inherited = [&Shape](const char* Name) { return *Shape.Find(QString::fromLatin1(Name)); };
    TPublishedProperty Pen = Inherited("Frame");
    Pen.Name = QStringLiteral("Pen");
    TPublishedProperty Color = PP::Color<C>(QStringLiteral("Color"), &C::GetColor, &C::SetColor);
    Color.Stored = [](const TPersistent& P) {
      const C& W = PP::As<C>(P);
      return W.GetColor() != W.GetDefaultColor();
    };
    return TPropertyList{
        PP::Boolean<C>(QStringLiteral("AutoHide"), &C::GetAutoHide, &C::SetAutoHide, false),
        Inherited("Brush"),
        Color,
        PP::Boolean<C>(QStringLiteral("Dark3D"), &C::GetDark3D, &C::SetDark3D, true),
        Inherited("Gradient"),
        Pen,
        PP::Integer<C>(QStringLiteral("Size"), &C::GetSize, &C::SetSize, 0),
        Inherited("Transparency"),
        Inherited("Transparent"),
        Inherited("Visible"),
    };
  }();
  return List;
}

void TCustomChartWall::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCustomChartWall*>(&Source); Other && Other != this) {
    FDark3D = Other->FDark3D;
    FAutoHide = Other->FAutoHide;
    FSize = Other->FSize;
  }
  TKorCustomShape::Assign(Source);
}

bool TCustomChartWall::ShouldDraw() const {
  const auto* Chart = dynamic_cast<const TCustomChart*>(GetParent());
  return Chart != nullptr && Chart->GetView3DWalls() && GetVisible() && !FAutoHide;
}

bool TCustomChartWall::ApplyDark3D() const {
  const TChartBrush& Brush = GetBrush();
  const bool Picture = Brush.ExistingImage() != nullptr && !Brush.ExistingImage()->GetEmpty();
  return Brush.GetStyle() != bsClear && !Picture && FDark3D;
}

bool TCustomChartWall::HasGradient() const {
  return ExistingGradient() != nullptr && ExistingGradient()->GetVisible();
}
