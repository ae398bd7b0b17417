#include "chart/tools/TSelectorTool.h"

#include "chart/tools/TAnnotationTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorShapePosition.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Above this many visible points a series gets handles at about this many
// of them only.
constexpr int MaxSeriesHandles = 20;

}  // namespace

TSelectorTool::TSelectorTool(TComponent* AOwner) : TKorCustomTool(AOwner) {}

TSelectorTool::~TSelectorTool() {
  Destroying();
  SetAnnotationField(nullptr);
  SetSeriesField(nullptr);
}

const TPropertyList& TSelectorTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSelectorTool;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TKorCustomTool::Properties(),
        {
            PP::Boolean<C>(QStringLiteral("AllowDrag"), &C::GetAllowDrag, &C::SetAllowDrag, true),
            PP::Boolean<C>(QStringLiteral("AllowResizeChart"), &C::GetAllowResizeChart,
                           &C::SetAllowResizeChart, false),
            PP::Integer<C>(QStringLiteral("HandleSize"), &C::GetHandleSize, &C::SetHandleSize, 3),
        });
  }();
  return List;
}

void TSelectorTool::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TSelectorTool*>(&Source);
  if (Other != nullptr && Other != this) {
    SetAllowDrag(Other->FAllowDrag);
    SetAllowResizeChart(Other->FAllowResizeChart);
    SetHandleSize(Other->FHandleSize);
  }
  TKorCustomTool::Assign(Source);
}

QString TSelectorTool::Description() const {
  return Korproco::KorMsg_SelectorTool;
}

TCustomChart* TSelectorTool::Chart() const {
  return dynamic_cast<TCustomChart*>(GetParentChart());
}

// -- selection

void TSelectorTool::SetAnnotationField(TAnnotationTool* Value) {
  if (FAnnotationComponent != nullptr) FAnnotationComponent->RemoveFreeNotification(this);
  FAnnotation = Value;
  FAnnotationComponent = Value;
  if (FAnnotationComponent != nullptr) FAnnotationComponent->FreeNotification(this);
}

void TSelectorTool::SetSeriesField(TChartSeries* Value) {
  if (FSeriesComponent != nullptr) FSeriesComponent->RemoveFreeNotification(this);
  FPart.Series = Value;
  FSeriesComponent = Value;
  if (FSeriesComponent != nullptr) FSeriesComponent->FreeNotification(this);
}

void TSelectorTool::Notification(TComponent* AComponent, TOperation Operation) {
  TKorCustomTool::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || AComponent == nullptr) return;
  if (AComponent == FAnnotationComponent) {
    FAnnotation = nullptr;
    FAnnotationComponent = nullptr;
    FShape = nullptr;
  }
  if (AComponent == FSeriesComponent) {
    FPart.Series = nullptr;
    FSeriesComponent = nullptr;
  }
}

void TSelectorTool::EmptySelection() {
  FPart = TChartClickedPart();
  SetSeriesField(nullptr);
  SetAnnotationField(nullptr);
  FShape = nullptr;
  FWall = nullptr;
}

void TSelectorTool::ClearSelection() {
  if (FPart.Kind == cpNone && FPart.Series == nullptr && FPart.Axis == nullptr &&
      FAnnotation == nullptr && FShape == nullptr && FWall == nullptr)
    return;
  EmptySelection();
  DoSelected();
}

void TSelectorTool::DoSelected() {
  Repaint();
  if (OnSelected) OnSelected(this);
}

void TSelectorTool::StopDragging() {
  FDragging = false;
  FMoved = false;
  FResizing = false;
  FResized = false;
}

void TSelectorTool::SetAnnotation(TAnnotationTool* Value) {
  if (FPart.Kind == cpNone && FAnnotation == Value) return;
  EmptySelection();
  SetAnnotationField(Value);
  FShape = Value != nullptr ? &Value->GetShape() : nullptr;
  DoSelected();
}

void TSelectorTool::SetWall(TChartWall* Value) {
  if (FPart.Kind == cpNone && FWall == Value) return;
  EmptySelection();
  FWall = Value;
  const TCustomChart* C = Chart();
  if (C != nullptr && Value != nullptr && Value == &C->GetBackWall()) FPart.Kind = cpChartRect;
  DoSelected();
}

void TSelectorTool::SetSeries(TChartSeries* Value) {
  if (Value == nullptr) {
    ClearSelection();
    return;
  }
  if (FPart.Kind == cpSeries && FPart.Series == Value) return;
  // Moving to another chart drops the selection there, so move first.
  if (Value->GetParentChart() != nullptr) SetParentChart(Value->GetParentChart());
  EmptySelection();
  FPart.Kind = cpSeries;
  SetSeriesField(Value);
  FPart.ValueIndex = -1;
  DoSelected();
}

TChartTitle* TSelectorTool::SelectedTitle() const {
  TCustomChart* C = Chart();
  if (C == nullptr) return nullptr;
  switch (FPart.Kind) {
    case cpTitle: return &C->GetTitle();
    case cpSubTitle: return &C->GetSubTitle();
    case cpFoot: return &C->GetFoot();
    case cpSubFoot: return &C->GetSubFoot();
    default: return nullptr;
  }
}

void TSelectorTool::SetParentChart(TCustomAxisPanel* Value) {
  if (Value != GetParentChart()) {
    StopDragging();
    EmptySelection();
  }
  TKorCustomTool::SetParentChart(Value);
}

// -- mouse

bool TSelectorTool::ClickedCorner(int X, int Y) const {
  const TCustomAxisPanel* C = GetParentChart();
  return C != nullptr && std::abs(X - C->GetWidth()) <= ResizeGrip &&
         std::abs(Y - C->GetHeight()) <= ResizeGrip;
}

void TSelectorTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift,
                                    int X, int Y) {
  if (Chart() == nullptr || Shift.Contains(ssDouble)) return;
  switch (AEvent) {
    case cmeDown:
      if (Button == mbLeft) MouseDown(X, Y);
      break;
    case cmeMove:
      if (FDragging) DragTo(X, Y);
      if (FResizing) ResizeChartTo(X, Y);
      break;
    case cmeUp: MouseUp(); break;
  }
}

void TSelectorTool::MouseDown(int X, int Y) {
  FResizing = FAllowResizeChart && ClickedCorner(X, Y);
  if (FResizing) {
    FResized = false;
  } else {
    SelectAt(X, Y);
  }
  DoSelected();
  // A press that resizes the chart never also drags the shape selected
  // before it.
  FDragging = FAllowDrag && FShape != nullptr && !FResizing;
  if (!FDragging) return;
  FDragOffsetX = FShape->GetLeft() - X;
  FDragOffsetY = FShape->GetTop() - Y;
  FMoved = false;
}

void TSelectorTool::SelectAt(int X, int Y) {
  TCustomChart& C = *Chart();
  EmptySelection();
  const std::vector<TKorCustomTool*> Tools(C.GetTools().begin(), C.GetTools().end());
  for (TKorCustomTool* Tool : Tools) {
    auto* Annotation = dynamic_cast<TAnnotationTool*>(Tool);
    if (Annotation == nullptr || !Annotation->Clicked(X, Y)) continue;
    SetAnnotationField(Annotation);
    FShape = &Annotation->GetShape();
    return;
  }
  C.CalcClickedPart(TPoint(X, Y), FPart);
  SetSeriesField(FPart.Series);
  switch (FPart.Kind) {
    case cpLegend: FShape = &C.GetLegend(); break;
    case cpTitle:
    case cpFoot:
    case cpSubTitle:
    case cpSubFoot: FShape = SelectedTitle(); break;
    case cpChartRect: FWall = &C.GetBackWall(); break;
    default: break;
  }
}

void TSelectorTool::DragTo(int X, int Y) {
  if (FShape == nullptr) return;
  // The first move counts only beyond the threshold, so that a click does
  // not nudge the shape.
  const int NewLeft = FDragOffsetX + X;
  if (NewLeft != FShape->GetLeft() &&
      (FMoved || std::abs(NewLeft - FShape->GetLeft()) > DragThreshold)) {
    FShape->SetLeft(NewLeft);
    FMoved = true;
  }
  const int NewTop = FDragOffsetY + Y;
  if (NewTop != FShape->GetTop() &&
      (FMoved || std::abs(NewTop - FShape->GetTop()) > DragThreshold)) {
    FShape->SetTop(NewTop);
    FMoved = true;
  }
  if (OnDragging) OnDragging(this);
}

void TSelectorTool::ResizeChartTo(int X, int Y) {
  TCustomChart& C = *Chart();
  // Layout and axis code divide by the chart's size, so it never reaches 0.
  const int NewWidth = std::max(1, X);
  const int NewHeight = std::max(1, Y);
  if (NewWidth != C.GetWidth()) C.SetWidth(NewWidth);
  if (NewHeight != C.GetHeight()) C.SetHeight(NewHeight);
  FResized = true;
  if (OnResizing) OnResizing(this);
}

void TSelectorTool::MouseUp() {
  const bool Moved = FMoved;
  const bool Resized = FResized;
  StopDragging();
  if (Moved && OnDragged) OnDragged(this);
  if (Resized && OnResized) OnResized(this);
}

// -- handles

void TSelectorTool::ChartEvent(TChartToolEvent AEvent) {
  if (AEvent == cteAfterDraw) DrawHandles();
}

void TSelectorTool::DrawHandles() {
  TCustomChart* C = Chart();
  if (C == nullptr || C->GetPrintingNow() || !FShowHandles) return;
  TCanvas3D& Canvas = C->GetPanelCanvas();
  Canvas.AssignVisiblePen(GetPen());
  Canvas.AssignBrush(GetBrush(), GetBrush().GetColor());
  if (FShape != nullptr)
    DrawRectHandles(FShape->GetShapeBounds());
  else
    DrawPartHandles(*C);
}

void TSelectorTool::DrawPartHandles(TCustomChart& C) {
  switch (FPart.Kind) {
    case cpNone: {
      TRect R = C.GetClientRect();
      InflateRect(R, -FHandleSize, -FHandleSize);
      DrawRectHandles(R);
      break;
    }
    case cpLegend:
      if (C.GetLegend().GetVisible()) DrawRectHandles(C.GetLegend().GetShapeBounds());
      break;
    case cpAxis:
      // A custom axis may have been freed since it was selected.
      if (FPart.Axis != nullptr && C.GetAxesList().IndexOf(FPart.Axis) >= 0)
        DrawRectHandles(FPart.Axis->AxisRect());
      break;
    case cpSeries:
    case cpSeriesMarks:
      if (FPart.Series != nullptr && C.IndexOfSeries(FPart.Series) >= 0)
        DrawSeriesHandles(*FPart.Series, FPart.Kind == cpSeriesMarks);
      break;
    case cpTitle:
    case cpFoot:
    case cpSubTitle:
    case cpSubFoot: DrawRectHandles(SelectedTitle()->GetShapeBounds()); break;
    case cpChartRect: {
      const TRect& R = C.GetPlotRect();
      TCanvas3D& Canvas = C.GetPanelCanvas();
      const int Z = C.GetDepth3D();
      for (const TPoint& P : {TPoint(R.Left, R.Top), TPoint(R.Right, R.Top),
                              TPoint(R.Right, R.Bottom), TPoint(R.Left, R.Bottom)})
        DrawHandle(Canvas.Calculate3DPosition(P, Z));
      break;
    }
  }
}

void TSelectorTool::DrawHandle(const TPoint& P) {
  GetParentChart()->GetPanelCanvas().Rectangle(P.X - FHandleSize, P.Y - FHandleSize,
                                               P.X + FHandleSize, P.Y + FHandleSize);
}

void TSelectorTool::DrawRectHandles(const TRect& R) {
  if (R.Right - R.Left <= 0) return;
  DrawHandle(TPoint(R.Left, R.Top));
  DrawHandle(TPoint(R.Right, R.Top));
  DrawHandle(TPoint(R.Right, R.Bottom));
  DrawHandle(TPoint(R.Left, R.Bottom));
}

void TSelectorTool::DrawSeriesHandles(TChartSeries& S, bool Marks) {
  const int Count = S.Count();
  if (Count == 0) return;
  int First = S.GetFirstValueIndex();
  int Last = S.GetLastValueIndex();
  if (First < 0 || Last < 0) {
    First = 0;
    Last = Count - 1;
  }
  // The range is the one of the last drawing; points may have gone since.
  Last = std::min(Last, Count - 1);
  First = std::min(First, Last);
  const int N = First == Last ? Count : Last - First;
  // Rounded, so that 1000 points get a handle at every 50th.
  const int Step = N < MaxSeriesHandles + 1 ? 1 : (N + MaxSeriesHandles / 2) / MaxSeriesHandles;
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  const TSeriesMarks& SeriesMarks = S.GetMarks();
  for (int I = First; I <= Last; I += Step) {
    if (!Marks) {
      DrawHandle(Canvas.Calculate3DPosition(S.CalcXPos(I), S.CalcYPos(I), S.GetMiddleZ()));
      continue;
    }
    const TSeriesMarkPosition* P = SeriesMarks.GetPositions().Get(I);
    if (P == nullptr) continue;
    const TRect R = P->Bounds();
    const int Z = SeriesMarks.GetZPosition();
    for (const TPoint& Corner : {TPoint(R.Left, R.Top), TPoint(R.Right, R.Top),
                                 TPoint(R.Right, R.Bottom), TPoint(R.Left, R.Bottom)})
      DrawHandle(Canvas.Calculate3DPosition(Corner, Z));
  }
}
