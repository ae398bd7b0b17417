#include "chart/tools/TDragMarksTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"

#include "platform/Cursors.h"

TDragMarksTool::~TDragMarksTool() {
  EndDrag();
}

QString TDragMarksTool::Description() const {
  return Korproco::KorMsg_DragMarksTool;
}

void TDragMarksTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton, TShiftState, int X,
                                     int Y) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  int Index = -1;
  switch (AEvent) {
    case cmeDown:
      if (TChartSeries* Series = MarkAt(X, Y, false, Index)) {
        StartDrag(Series, Index, X, Y);
        Chart->SetMouseCancelled(true);
      }
      break;
    case cmeMove:
      if (FDragSeries != nullptr) {
        DragTo(X, Y);
        Chart->SetMouseCancelled(true);
        Repaint();
      } else if (MarkAt(X, Y, true, Index) != nullptr) {
        Chart->SetCursor(crHandPoint);
        Chart->SetMouseCancelled(true);
      }
      break;
    case cmeUp: EndDrag(); break;
  }
}

TChartSeries* TDragMarksTool::MarkAt(int X, int Y, bool OnlyVisible, int& Index) const {
  const auto Hit = [&](TChartSeries* S) {
    if (!S->GetActive() || (OnlyVisible && !S->GetMarks().GetVisible())) return false;
    Index = S->GetMarks().Clicked(X, Y);
    return Index != -1;
  };
  if (TChartSeries* Own = GetSeries()) return Hit(Own) ? Own : nullptr;
  const TCustomAxisPanel* Chart = GetParentChart();
  for (int I = Chart->SeriesCount() - 1; I >= 0; --I)
    if (Hit(Chart->GetSeries(I))) return Chart->GetSeries(I);
  Index = -1;
  return nullptr;
}

void TDragMarksTool::StartDrag(TChartSeries* Series, int Index, int X, int Y) {
  EndDrag();
  FDragSeries = Series;
  FDragComponent = Series;
  FDragComponent->FreeNotification(this);
  FDragIndex = Index;
  FOldX = X;
  FOldY = Y;
}

void TDragMarksTool::DragTo(int X, int Y) {
  // The series may have been cleared since the press: then there is no
  // stored position to move.
  if (TSeriesMarkPosition* P = FDragSeries->GetMarks().GetPositions().Get(FDragIndex)) {
    const int Dx = X - FOldX;
    const int Dy = Y - FOldY;
    P->Custom = true;
    P->LeftTop = TPoint(P->LeftTop.X + Dx, P->LeftTop.Y + Dy);
    P->ArrowTo = TPoint(P->ArrowTo.X + Dx, P->ArrowTo.Y + Dy);
  }
  FOldX = X;
  FOldY = Y;
}

void TDragMarksTool::EndDrag() {
  // The tool's own series keeps its link: the base class watches it too.
  if (FDragComponent != nullptr && FDragSeries != GetSeries())
    FDragComponent->RemoveFreeNotification(this);
  FDragSeries = nullptr;
  FDragComponent = nullptr;
  FDragIndex = -1;
}

void TDragMarksTool::Notification(TComponent* AComponent, TOperation Operation) {
  TKorCustomToolSeries::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDragComponent &&
      FDragComponent != nullptr) {
    FDragSeries = nullptr;
    FDragComponent = nullptr;
    FDragIndex = -1;
  }
}
