#include "chart/series/TAreaSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/TPicture.h"

#include <algorithm>

TAreaSeries::TAreaSeries(TComponent* AOwner) : TCustomSeries(AOwner) {
  SetDrawArea(true);
  SetDrawLine(true);
  GetPointer().Hide();
  // A function of this series that gives one value shows as a segment.
  SetSinglePointFunction(false);
}

const TPropertyList& TAreaSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAreaSeries;
  static const TPropertyList List(
      TCustomSeries::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("UseYOrigin"), &C::GetUseYOrigin, &C::SetUseOrigin, false),
          PP::Double<C>(QStringLiteral("YOrigin"), &C::GetYOrigin, &C::SetOrigin, 0.0),
          PP::Enum<C, TMultiArea>(QStringLiteral("MultiArea"), &C::GetMultiArea, &C::SetMultiArea,
                                  {"maNone", "maStacked", "maStacked100"}, maNone),
      });
  return List;
}

void TAreaSeries::Assign(const TPersistent& Source) {
  TCustomSeries::Assign(Source);
  SetDrawArea(true);
  SetDrawLine(true);
  const auto* S = dynamic_cast<const TChartSeries*>(&Source);
  if (S == nullptr || S == this) return;
  const auto* Area = dynamic_cast<const TAreaSeries*>(S);
  if (Area != nullptr && (IsOfSeriesClass(Area) || Area->IsOfSeriesClass(this))) {
    FUseYOrigin = Area->FUseYOrigin;
    FYOrigin = Area->FYOrigin;
  } else {
    GetPointer().Hide();
  }
}

void TAreaSeries::SetUseOrigin(bool Value) {
  SetBooleanProperty(FUseYOrigin, Value);
}

void TAreaSeries::SetOrigin(double Value) {
  SetDoubleProperty(FYOrigin, Value);
}

TMultiArea TAreaSeries::GetMultiArea() const {
  switch (GetStacked()) {
    case cssStack: return maStacked;
    case cssStack100: return maStacked100;
    default: return maNone;
  }
}

void TAreaSeries::SetMultiArea(TMultiArea Value) {
  if (Value == GetMultiArea()) return;
  switch (Value) {
    case maNone: SetStacked(cssNone); break;
    case maStacked: SetStacked(cssStack); break;
    case maStacked100: SetStacked(cssStack100); break;
  }
}

bool TAreaSeries::IsOfSeriesClass(const TChartSeries* Other) const {
  return dynamic_cast<const TAreaSeries*>(Other) != nullptr;
}

int TAreaSeries::GetOriginPos(int ValueIndex) const {
  if (FUseYOrigin && ValueAxis() != nullptr) return ValueAxis()->CalcPosValue(FYOrigin);
  return TCustomSeries::GetOriginPos(ValueIndex);
}

double TAreaSeries::WithOrigin(double Value, bool Max) const {
  if (!FUseYOrigin) return Value;
  return Max ? std::max(Value, FYOrigin) : std::min(Value, FYOrigin);
}

double TAreaSeries::MaxYValue() const {
  const double V = TCustomSeries::MaxYValue();
  return GetYMandatory() ? WithOrigin(V, true) : V;
}

double TAreaSeries::MinYValue() const {
  const double V = TCustomSeries::MinYValue();
  return GetYMandatory() ? WithOrigin(V, false) : V;
}

double TAreaSeries::MaxXValue() const {
  const double V = TCustomSeries::MaxXValue();
  return GetYMandatory() ? V : WithOrigin(V, true);
}

double TAreaSeries::MinXValue() const {
  const double V = TCustomSeries::MinXValue();
  return GetYMandatory() ? V : WithOrigin(V, false);
}

bool TAreaSeries::DrawSeriesForward(int ValueIndex) const {
  const TChartAxis* Axis = ValueAxis();
  if (GetMultiArea() != maNone) return Axis == nullptr || !Axis->GetInverted();
  return TCustomSeries::DrawSeriesForward(ValueIndex);
}

void TAreaSeries::PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle& BrushStyle) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  BackColor = GetAreaBrushColor(C.GetBrush().GetColor());
  C.AssignVisiblePen(GetAreaLinesPen());
  BrushStyle = GetAreaBrushStyle();
}

void TAreaSeries::DrawLegendShape(int ValueIndex, const TRect& Rect) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  if (GetGradient().GetVisible()) {
    GetGradient().Draw(C, Rect);
    return;
  }
  const TPicture* Image = GetAreaChartBrush().ExistingImage();
  if (Image != nullptr && !Image->GetEmpty()) {
    const TColor Item = ValueIndex == -1 ? GetSeriesColor() : LegendItemColor(ValueIndex);
    TColor Color = GetAreaChartBrush().GetColor();
    if (Color == clDefault) Color = Item;
    C.AssignBrushColor(GetAreaChartBrush(), Color, Color == Item ? clWhite : Item);
  }
  TCustomSeries::DrawLegendShape(ValueIndex, Rect);
}

void TAreaSeries::PrepareForGallery(bool IsEnabled) {
  TCustomSeries::PrepareForGallery(IsEnabled);
  GetGradient().SetVisible(true);
  GetGradient().SetEndColor(GetSeriesColor());
}

QStringList TAreaSeries::CreateSubGallery() const {
  QStringList Items = TCustomSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Stairs << Korconst::KorMsg_Marks << Korconst::KorMsg_Colors
        << Korconst::KorMsg_Hollow << Korconst::KorMsg_NoLines << Korconst::KorMsg_Stack
        << Korconst::KorMsg_Stack100 << Korconst::KorMsg_Points << Korconst::KorMsg_Gradient;
  return Items;
}

void TAreaSeries::SetSubGallery(int Index) {
  switch (Index) {
    case 1: SetStairs(true); break;
    case 2: GetMarks().SetVisible(true); break;
    case 3: SetColorEachPoint(true); break;
    case 4: SetAreaBrushStyle(bsClear); break;
    case 5: GetAreaLinesPen().Hide(); break;
    case 6: SetMultiArea(maStacked); break;
    case 7: SetMultiArea(maStacked100); break;
    case 8: GetPointer().Show(); break;
    case 9: GetGradient().SetVisible(true); break;
    default: break;
  }
}
