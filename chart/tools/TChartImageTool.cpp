#include "chart/tools/TChartImageTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TGraphic.h"
#include "platform/TPicture.h"

TChartImageTool::TChartImageTool(TComponent* AOwner)
    : TKorCustomToolSeries(AOwner), FPicture(std::make_unique<TPicture>()) {
  FPicture->OnChange = [this](TPersistent*) { Repaint(); };
}

TChartImageTool::~TChartImageTool() = default;

const TPropertyList& TChartImageTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartImageTool;
  static const TPropertyList List(
      TKorCustomToolSeries::Properties(),
      {
          PP::Object<C, TPicture>(QStringLiteral("Picture"), &C::PictureObject),
      });
  return List;
}

void TChartImageTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TChartImageTool*>(&Source)) {
    FPicture->Assign(*Other->FPicture);
    SetSeries(Other->GetSeries());
  }
  TKorCustomToolSeries::Assign(Source);
}

QString TChartImageTool::Description() const {
  return Korproco::KorMsg_ImageTool;
}

void TChartImageTool::SetPicture(const TPicture& Value) {
  FPicture->Assign(Value);
}

void TChartImageTool::SetSeries(TChartSeries* Value) {
  TKorCustomToolSeries::SetSeries(Value);
  Repaint();
}

void TChartImageTool::ChartEvent(TChartToolEvent AEvent) {
  TKorCustomToolSeries::ChartEvent(AEvent);
  if (AEvent == cteBeforeDrawSeries && !FPicture->GetEmpty() && GetParentChart() != nullptr)
    DrawPicture();
}

bool TChartImageTool::TargetRect(TRect& R) const {
  if (const TChartSeries* S = GetSeries()) {
    R = TRect(S->CalcXPosValue(S->MinXValue()), S->CalcYPosValue(S->MaxYValue()),
              S->CalcXPosValue(S->MaxXValue()), S->CalcYPosValue(S->MinYValue()));
    return true;
  }
  const TChartAxis* H = GetHorizAxis();
  const TChartAxis* V = GetVertAxis();
  if (H == nullptr || V == nullptr) return false;
  R = TRect(H->CalcPosValue(H->GetMinimum()), V->CalcPosValue(V->GetMaximum()),
            H->CalcPosValue(H->GetMaximum()), V->CalcPosValue(V->GetMinimum()));
  return true;
}

void TChartImageTool::DrawPicture() {
  TRect R;
  if (!TargetRect(R)) return;
  TCustomAxisPanel& Chart = *GetParentChart();
  TCanvas3D& C = Chart.GetPanelCanvas();
  const int Depth = Chart.GetDepth3D();
  const bool Clipped = Chart.CanClip();
  if (Clipped) C.ClipCube(Chart.GetPlotRect(), 0, Depth);
  if (!Chart.GetView3D() || Chart.GetView3DOptions().GetOrthogonal())
    C.StretchDraw(C.CalcRect3D(R, Depth), FPicture->GetGraphic());
  else
    C.StretchDraw(R, FPicture->GetGraphic(), Depth);
  if (Clipped) C.UnClipRectangle();
}
