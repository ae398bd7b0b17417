#include "chart/tools/TAxisScrollTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"

#include "platform/Cursors.h"

const TPropertyList& TAxisScrollTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAxisScrollTool;
  static const TPropertyList List(
      TKorCustomToolAxis::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("ScrollInverted"), &C::GetScrollInverted,
                         &C::SetScrollInverted, false),
      });
  return List;
}

QString TAxisScrollTool::Description() const {
  return Korproco::KorMsg_AxisScrollTool;
}

void TAxisScrollTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TAxisScrollTool*>(&Source);
      Other != nullptr && Other != this)
    FScrollInverted = Other->FScrollInverted;
  TKorCustomToolAxis::Assign(Source);
}

TChartAxis* TAxisScrollTool::AxisAt(int X, int Y) const {
  const TCustomAxisPanel& Chart = *GetParentChart();
  const auto Hit = [&](const TChartAxis* A) { return Chart.IsAxisVisible(A) && A->Clicked(X, Y); };
  if (TChartAxis* Own = GetAxis()) return Hit(Own) ? Own : nullptr;
  for (TChartAxis* A : Chart.GetAxesList())
    if (Hit(A)) return A;
  return nullptr;
}

void TAxisScrollTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button,
                                      TShiftState Shift, int X, int Y) {
  TKorCustomToolAxis::ChartMouseEvent(AEvent, Button, Shift, X, Y);
  TCustomAxisPanel* Chart = GetParentChart();
  if (!GetActive() || Chart == nullptr) return;
  // An axis freed since the press (a custom axis) ends the drag.
  if (FDragAxis != nullptr && Chart->GetAxesList().IndexOf(FDragAxis) < 0) FDragAxis = nullptr;
  switch (AEvent) {
    case cmeDown:
      FDragAxis = AxisAt(X, Y);
      FOldX = X;
      FOldY = Y;
      // A press on the axis starts the tool's drag, not a zoom.
      if (FDragAxis != nullptr) Chart->SetMouseCancelled(true);
      break;
    case cmeMove:
      if (FDragAxis != nullptr) {
        DragTo(X, Y);
      } else if (AxisAt(X, Y) != nullptr) {
        Chart->SetCursor(crHandPoint);
      } else {
        return;
      }
      Chart->SetMouseCancelled(true);
      break;
    case cmeUp: FDragAxis = nullptr; break;
  }
}

void TAxisScrollTool::DragTo(int X, int Y) {
  TChartAxis& Axis = *FDragAxis;
  const bool Horizontal = Axis.GetHorizontal();
  int Moved = Horizontal ? FOldX - X : FOldY - Y;
  if (Axis.GetInverted()) Moved = -Moved;
  // Pixels grow downwards while vertical values grow upwards.
  if (Horizontal == FScrollInverted) Moved = -Moved;
  ScrollPixels(Axis, Moved);
  const TCustomAxisPanel& Chart = *GetParentChart();
  for (TChartAxis* Other : Chart.GetAxesList()) {
    if (Other == &Axis || Other->IsDepthAxis() || Other->GetHorizontal() != Horizontal) continue;
    for (int I = 0; I < Chart.SeriesCount(); ++I) {
      const TChartSeries* S = Chart.GetSeries(I);
      if (S->AssociatedToAxis(&Axis) && S->AssociatedToAxis(Other)) {
        ScrollPixels(*Other, Moved);
        break;
      }
    }
  }
  FOldX = X;
  FOldY = Y;
}

void TAxisScrollTool::ScrollPixels(TChartAxis& Axis, int Pixels) {
  const int Size = Axis.GetIAxisSize();
  if (Size == 0) return;
  Axis.Scroll((Axis.GetMaximum() - Axis.GetMinimum()) * Pixels / Size, false);
}
