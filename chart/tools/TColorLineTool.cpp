#include "chart/tools/TColorLineTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"

#include "platform/Cursors.h"
#include "platform/TColor.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

TColorLineTool::~TColorLineTool() {
  if (FOwnerChartComponent != nullptr) FOwnerChartComponent->RemoveFreeNotification(this);
}

const TPropertyList& TColorLineTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TColorLineTool;
  static const TPropertyList List(
      TKorCustomToolAxis::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("AllowDrag"), &C::GetAllowDrag, &C::SetAllowDrag, true),
          PP::Boolean<C>(QStringLiteral("DragRepaint"), &C::GetDragRepaint, &C::SetDragRepaint,
                         false),
          PP::Boolean<C>(QStringLiteral("Draw3D"), &C::GetDraw3D, &C::SetDraw3D, true),
          PP::Boolean<C>(QStringLiteral("DrawBehind"), &C::GetDrawBehind, &C::SetDrawBehind, false),
          PP::Boolean<C>(QStringLiteral("NoLimitDrag"), &C::GetNoLimitDrag, &C::SetNoLimitDrag,
                         false),
          PP::Enum<C, TColorLineStyle>(QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
                                       {QStringLiteral("clCustom"), QStringLiteral("clMaximum"),
                                        QStringLiteral("clCenter"), QStringLiteral("clMinimum")},
                                       clCustom),
          PP::Double<C>(QStringLiteral("Value"), &C::GetValue, &C::SetValue, 0.0),
      });
  return List;
}

QString TColorLineTool::Description() const {
  return Korproco::KorMsg_ColorLineTool;
}

void TColorLineTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TColorLineTool*>(&Source);
      Other != nullptr && Other != this) {
    FAllowDrag = Other->FAllowDrag;
    FDragRepaint = Other->FDragRepaint;
    FDraw3D = Other->FDraw3D;
    FDrawBehind = Other->FDrawBehind;
    FNoLimitDrag = Other->FNoLimitDrag;
    FStyle = Other->FStyle;
    FValue = Other->FValue;
  }
  TKorCustomToolAxis::Assign(Source);
}

void TColorLineTool::SetParentChart(TCustomAxisPanel* Value) {
  if (FBandLine) return;
  TKorCustomToolAxis::SetParentChart(Value);
}

void TColorLineTool::SetStyle(TColorLineStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Repaint();
}

void TColorLineTool::SetValue(double Value) {
  if (!InState(csLoading) && !InState(csReading)) FStyle = clCustom;
  if (FDragging && !FDragRepaint)
    FValue = Value;
  else
    SetDoubleProperty(FValue, Value);
}

void TColorLineTool::MakeBandLine(TColorLineToolOnDrag EndDragHook) {
  TKorCustomToolAxis::SetParentChart(nullptr);
  FBandLine = true;
  FEndDragHook = std::move(EndDragHook);
}

void TColorLineTool::SetOwnerChart(TCustomAxisPanel* Chart) {
  if (FOwnerChartComponent != nullptr) FOwnerChartComponent->RemoveFreeNotification(this);
  FOwnerChart = Chart;
  FOwnerChartComponent = Chart;
  if (FOwnerChartComponent != nullptr) FOwnerChartComponent->FreeNotification(this);
}

TCustomAxisPanel* TColorLineTool::Chart() const {
  return FOwnerChart != nullptr ? FOwnerChart : GetParentChart();
}

void TColorLineTool::Notification(TComponent* AComponent, TOperation Operation) {
  TKorCustomToolAxis::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FOwnerChartComponent &&
      AComponent != nullptr) {
    FOwnerChart = nullptr;
    FOwnerChartComponent = nullptr;
  }
}

void TColorLineTool::CanvasChanged(TPersistent*) {
  if (TCustomAxisPanel* C = Chart()) C->Invalidate();
}

// -- geometry

double TColorLineTool::CalcValue() const {
  const TChartAxis* Axis = GetAxis();
  if (Axis == nullptr) return FValue;
  switch (FStyle) {
    case clMaximum: return Axis->GetMaximum();
    case clMinimum: return Axis->GetMinimum();
    case clCenter: return (Axis->GetMaximum() + Axis->GetMinimum()) * 0.5;
    default: return FValue;
  }
}

double TColorLineTool::LimitValue(double Value) const {
  const TChartAxis* Axis = GetAxis();
  if (Axis == nullptr) return Value;
  const double A = Axis->CalcPosPoint(Axis->GetIStartPos());
  const double B = Axis->CalcPosPoint(Axis->GetIEndPos());
  return std::clamp(Value, std::min(A, B), std::max(A, B));
}

double TColorLineTool::DrawValue() const {
  if (FStyle == clCustom && FAllowDrag && !FNoLimitDrag) return LimitValue(FValue);
  return CalcValue();
}

int TColorLineTool::LinePosition() const {
  return GetAxis()->CalcPosValue(DrawValue());
}

bool TColorLineTool::Clicked(int X, int Y) const {
  const TChartAxis* Axis = GetAxis();
  const TCustomAxisPanel* C = Chart();
  if (Axis == nullptr || C == nullptr) return false;
  const int P = LinePosition();
  const TRect& R = C->GetPlotRect();
  if (Axis->GetHorizontal()) return std::abs(X - P) <= 2 && Y >= R.Top && Y <= R.Bottom;
  return std::abs(Y - P) <= 2 && X >= R.Left && X <= R.Right;
}

// -- drawing

void TColorLineTool::DrawColorLine(bool Back) {
  TCustomAxisPanel* C = Chart();
  if (C == nullptr || GetAxis() == nullptr) return;
  TCanvas3D& Canvas = C->GetPanelCanvas();
  Canvas.AssignVisiblePen(GetPen());
  Canvas.SetBackMode(cbmTransparent);
  DrawPart(Back);
}

void TColorLineTool::DrawPart(bool Back) {
  TCustomAxisPanel* C = Chart();
  TCanvas3D& Canvas = C->GetPanelCanvas();
  const int P = LinePosition();
  const TRect& R = C->GetPlotRect();
  const int W = C->GetDepth3D();
  const bool Horizontal = GetAxis()->GetHorizontal();
  if (Back) {
    if (FDraw3D) {
      if (Horizontal)
        Canvas.ZLine3D(P, R.Bottom, 0, W);
      else
        Canvas.ZLine3D(R.Left, P, 0, W);
    }
    if (FDrawBehind || FDraw3D) {
      if (Horizontal)
        Canvas.VertLine3D(P, R.Top, R.Bottom, W);
      else
        Canvas.HorizLine3D(R.Left, R.Right, P, W);
    }
    return;
  }
  if (FDraw3D) {
    if (Horizontal)
      Canvas.ZLine3D(P, R.Top, 0, W);
    else
      Canvas.ZLine3D(R.Right, P, 0, W);
  }
  if (!FDrawBehind) {
    if (Horizontal)
      Canvas.VertLine3D(P, R.Top, R.Bottom, 0);
    else
      Canvas.HorizLine3D(R.Left, R.Right, P, 0);
  }
}

void TColorLineTool::DrawInverted() {
  TCustomAxisPanel* C = Chart();
  // Asking for the window's canvas schedules the copy of the buffer to the
  // screen; the surface then draws on that buffer.
  C->GetCanvas();
  TCanvas3D& Canvas = C->GetPanelCanvas();
  // XOR works on real RGB values, never on system colours or markers: a
  // pen of the default or no colour inverts as black would.
  Canvas.AssignVisiblePenColor(GetPen(), InvertibleColor(GetPen().GetColor(), clBlack));
  Canvas.GetPen().SetMode(pmNotXor);
  Canvas.SetBackMode(cbmTransparent);
  // A flat chart puts the back and front parts on the same pixels, where
  // two inverting passes would cancel out: there one part is drawn.
  if (C->GetView3D()) {
    DrawPart(true);
    DrawPart(false);
  } else {
    DrawPart(FDrawBehind);
  }
  Canvas.GetPen().SetMode(pmCopy);
}

void TColorLineTool::ChartEvent(TChartToolEvent AEvent) {
  TKorCustomToolAxis::ChartEvent(AEvent);
  const TCustomAxisPanel* C = Chart();
  if (GetAxis() == nullptr || C == nullptr) return;
  if (AEvent == cteBeforeDrawSeries) {
    DrawColorLine(true);
  } else if (AEvent == cteAfterDraw) {
    // While an inverted line is being dragged the flat front part is what
    // the drag draws and erases itself.
    if (C->GetView3D() || !FDragging || FDragRepaint) DrawColorLine(false);
  }
}

// -- mouse

void TColorLineTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState,
                                     int X, int Y) {
  TCustomAxisPanel* C = Chart();
  if (!FAllowDrag || GetAxis() == nullptr || C == nullptr) return;
  switch (AEvent) {
    case cmeDown:
      if (Button != mbLeft || !Clicked(X, Y)) return;
      FDragging = true;
      C->SetMouseCancelled(true);
      if (OnBeginDragLine) OnBeginDragLine(this);
      return;
    case cmeMove:
      if (FDragging) {
        DragTo(X, Y);
      } else if (Clicked(X, Y)) {
        C->SetCursor(GetAxis()->GetHorizontal() ? crHSplit : crVSplit);
        C->SetMouseCancelled(true);
      }
      return;
    case cmeUp:
      if (!FDragging) return;
      if (!FDragRepaint) C->Invalidate();
      DoEndDragLine();
      FDragging = false;
      return;
  }
}

void TColorLineTool::DragTo(int X, int Y) {
  TCustomAxisPanel* C = Chart();
  const TChartAxis* Axis = GetAxis();
  double NewValue = Axis->CalcPosPoint(Axis->GetHorizontal() ? X : Y);
  if (!FNoLimitDrag) NewValue = LimitValue(NewValue);
  bool Moved = false;
  if (FDragRepaint) {
    SetValue(NewValue);
  } else if (NewValue != FValue || FStyle != clCustom) {
    DrawInverted();  // erases the line where it was
    FStyle = clCustom;
    FValue = NewValue;
    Moved = true;
  }
  C->SetMouseCancelled(true);
  if (OnDragLine) OnDragLine(this);
  if (Moved) DrawInverted();
}

void TColorLineTool::DoEndDragLine() {
  if (FEndDragHook) FEndDragHook(this);
  if (OnEndDragLine) OnEndDragLine(this);
}
