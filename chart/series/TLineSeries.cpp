#include "chart/series/TLineSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TSeriesMarks.h"

TLineSeries::TLineSeries(TComponent* AOwner) : TCustomSeries(AOwner) {
  SetDrawLine(true);
  GetPointer().Hide();
  // A function of this series that gives one value shows as a segment.
  SetSinglePointFunction(false);
}

void TLineSeries::Assign(const TPersistent& Source) {
  TCustomSeries::Assign(Source);
  const auto* S = dynamic_cast<const TChartSeries*>(&Source);
  if (S != nullptr && S != this && !SameClass(S)) GetPointer().Hide();
  SetDrawArea(false);
  SetDrawLine(true);
}

bool TLineSeries::IsOfSeriesClass(const TChartSeries* Other) const {
  return dynamic_cast<const TLineSeries*>(Other) != nullptr;
}

void TLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle& BrushStyle) {
  if (GetParentChart() != nullptr)
    GetParentChart()->GetPanelCanvas().AssignVisiblePen(GetLinePen());
  BrushStyle = GetLineBrush();
}

QStringList TLineSeries::CreateSubGallery() const {
  QStringList Items = TCustomSeries::CreateSubGallery();
  Items << Korconst::KorMsg_Stairs << Korconst::KorMsg_Points << Korconst::KorMsg_Height
        << Korconst::KorMsg_Hollow << Korconst::KorMsg_Colors << Korconst::KorMsg_Marks
        << Korconst::KorMsg_NoBorder << Korconst::KorMsg_Outline;
  return Items;
}

void TLineSeries::SetSubGallery(int Index) {
  switch (Index) {
    case 1: SetStairs(true); break;
    case 2: GetPointer().Show(); break;
    case 3: SetLineHeight(5); break;
    case 4: SetLineBrush(bsClear); break;
    case 5: SetColorEachPoint(true); break;
    case 6: GetMarks().SetVisible(true); break;
    case 7: GetLinePen().Hide(); break;
    case 8: GetOutLine().Show(); break;
    default: break;
  }
}
