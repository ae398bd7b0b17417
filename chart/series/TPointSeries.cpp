#include "chart/series/TPointSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TSeriesMarks.h"

TPointSeries::TPointSeries(TComponent* AOwner) : TCustomSeries(AOwner) {
  ApplyFixedSettings();
  // Marks sit right on top of the pointer.
  GetMarks().GetCallout()->SetLength(0);
}

void TPointSeries::ApplyFixedSettings() {
  GetPointer().Show();
  SetDrawArea(false);
  SetDrawLine(false);
  SetClickableLine(false);
}

void TPointSeries::Assign(const TPersistent& Source) {
  TCustomSeries::Assign(Source);
  ApplyFixedSettings();
}

bool TPointSeries::IsOfSeriesClass(const TChartSeries* Other) const {
  return dynamic_cast<const TPointSeries*>(Other) != nullptr;
}

void TPointSeries::SetColorEachPoint(bool Value) {
  TCustomSeries::SetColorEachPoint(Value);
  if (Value) GetPointer().SetColor(clDefault);
}

TKorTransparency TPointSeries::GetTransparency() const {
  return GetPointer().GetTransparency();
}

void TPointSeries::SetTransparency(TKorTransparency Value) {
  GetPointer().SetTransparency(Value);
}

void TPointSeries::PrepareForGallery(bool IsEnabled) {
  TCustomSeries::PrepareForGallery(IsEnabled);
  const TCustomAxisPanel* Chart = GetParentChart();
  GetPointer().SetSize(Chart != nullptr && Chart->GetWidth() > 49 ? 6 : 4);
  // Two gallery series are told apart by their shape.
  if (Chart != nullptr && Chart->IndexOfSeries(this) == 1) GetPointer().SetStyle(psTriangle);
}

QStringList TPointSeries::CreateSubGallery() const {
  QStringList Items = TCustomSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Colors << Korconst::KorMsg_Marks << Korconst::KorMsg_Hollow
        << Korconst::KorMsg_NoBorder << Korconst::KorMsg_Gradient;
  if (CanDoExtra())
    Items << Korconst::KorMsg_Point2D << Korconst::KorMsg_Triangle << Korconst::KorMsg_Star
          << Korconst::KorMsg_Circle << Korconst::KorMsg_DownTri << Korconst::KorMsg_Cross
          << Korconst::KorMsg_Diamond;
  return Items;
}

void TPointSeries::SetSubGallery(int Index) {
  TSeriesPointer& P = GetPointer();
  if (Index >= 6 && !CanDoExtra()) return;
  switch (Index) {
    case 1: SetColorEachPoint(true); break;
    case 2: GetMarks().SetVisible(true); break;
    case 3: P.GetBrush().SetStyle(bsClear); break;
    case 4: P.GetPen().Hide(); break;
    case 5: P.GetGradient().SetVisible(true); break;
    case 6: P.SetDraw3D(false); break;
    case 7: P.SetStyle(psTriangle); break;
    case 8: P.SetStyle(psStar); break;
    case 9:
      P.SetStyle(psCircle);
      P.SetSize(8);
      break;
    case 10: P.SetStyle(psDownTriangle); break;
    case 11: P.SetStyle(psCross); break;
    case 12: P.SetStyle(psDiamond); break;
    default: break;
  }
}
