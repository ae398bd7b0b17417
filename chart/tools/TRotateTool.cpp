#include "chart/tools/TRotateTool.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TBrush.h"
#include "platform/TColor.h"

#include <algorithm>

TRotateTool::TRotateTool(TComponent* AOwner) : TKorCustomTool(AOwner) {}

std::unique_ptr<TChartPen> TRotateTool::CreateChartPen() {
  // The handler comes last: setting up the defaults is no change to repaint.
  auto Pen = std::make_unique<TChartHiddenPen>();
  Pen->SetMode(pmXor);
  Pen->SetColor(clWhite);
  Pen->OnChange = [this](TPersistent* S) { CanvasChanged(S); };
  return Pen;
}

const TPropertyList& TRotateTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TRotateTool;
  static const TPropertyList List(
      TKorCustomTool::Properties(),
      {
          PP::Enum<C, TMouseButton>(
              QStringLiteral("Button"), &C::GetButton, &C::SetButton,
              {QStringLiteral("mbLeft"), QStringLiteral("mbRight"), QStringLiteral("mbMiddle")},
              mbLeft),
          PP::Boolean<C>(QStringLiteral("Inverted"), &C::GetInverted, &C::SetInverted, false),
          PP::Enum<C, TRotateToolStyles>(QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
                                         {QStringLiteral("rsAll"), QStringLiteral("rsRotation"),
                                          QStringLiteral("rsElevation")},
                                         rsAll),
      });
  return List;
}

void TRotateTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TRotateTool*>(&Source); Other != nullptr) {
    FButton = Other->FButton;
    FInverted = Other->FInverted;
    FStyle = Other->FStyle;
  }
  TKorCustomTool::Assign(Source);
}

QString TRotateTool::Description() const {
  return Korproco::KorMsg_RotateTool;
}

double TRotateTool::NewRotation(double Angle, double Delta, bool FullRotation) {
  double Result = Angle + Delta;
  if (Result > 360)
    Result -= 360;
  else if (Result < 0 && (FullRotation || Delta < 0))
    Result += 360;
  return Result;
}

double TRotateTool::NewElevation(double Angle, double Delta, bool FullRotation) {
  double Result = Angle + Delta;
  if (FullRotation) {
    if (Result > 360)
      Result -= 360;
    else if (Result < 0)
      Result += 360;
  } else if (Delta > 0) {
    Result = std::min(Result, 360.0);
  } else if (Delta < 0) {
    Result = std::max(Result, 270.0);
  }
  return Result;
}

void TRotateTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift,
                                  int X, int Y) {
  TKorCustomTool::ChartMouseEvent(AEvent, Button, Shift, X, Y);
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  switch (AEvent) {
    case cmeDown:
      if (Button != FButton) return;
      FDragging = true;
      FFirstMove = true;
      FLastPoint = TPoint(X, Y);
      Chart->SetMouseCancelled(true);
      break;
    case cmeMove:
      if (FDragging) Rotate(X, Y);
      break;
    case cmeUp:
      if (FDragging) EndDrag();
      break;
  }
}

void TRotateTool::Rotate(int X, int Y) {
  TCustomAxisPanel* Chart = GetParentChart();
  double Rotation = (X - FLastPoint.X) * 90.0 / std::max(1, Chart->GetPlotWidth());
  double Elevation = (FLastPoint.Y - Y) * 90.0 / std::max(1, Chart->GetPlotHeight());
  if (FInverted) {
    Rotation = -Rotation;
    Elevation = -Elevation;
  }
  const bool Outline = GetPen().GetVisible();
  if (Outline) {
    if (FFirstMove) {
      FOldAutoRepaint = Chart->GetAutoRepaint();
      Chart->SetAutoRepaint(false);
    } else {
      DrawOutline(false);
    }
  }
  FFirstMove = false;
  Chart->SetView3D(true);
  TView3DOptions& View = Chart->GetView3DOptions();
  View.SetOrthogonal(false);
  const bool Full = Chart->GetPanelCanvas().GetSupportsFullRotation();
  if (FStyle != rsElevation)
    View.SetRotationDouble(NewRotation(View.GetRotationDouble(), Rotation, Full));
  if (FStyle != rsRotation)
    View.SetElevationDouble(NewElevation(View.GetElevationDouble(), Elevation, Full));
  FLastPoint = TPoint(X, Y);
  Chart->SetMouseCancelled(true);
  if (Outline) DrawOutline(true);
  if (OnRotate) OnRotate(this);
}

void TRotateTool::EndDrag() {
  FDragging = false;
  // Without a move the chart was never switched off, nor drawn over.
  if (FFirstMove || !GetPen().GetVisible()) return;
  TCustomAxisPanel* Chart = GetParentChart();
  Chart->SetAutoRepaint(FOldAutoRepaint);
  Chart->Invalidate();
}

void TRotateTool::DrawOutline(bool NewAngles) {
  TCustomAxisPanel* Chart = GetParentChart();
  // Between frames the surface draws on the window's buffer.
  TCanvas& Window = Chart->GetCanvas();
  TCanvas3D& C = Chart->GetPanelCanvas();
  if (NewAngles) {
    // The surface's projection is set up only at the start of a frame; the
    // outline needs it for the angles just set. The chart repaints after
    // the drag, so the frame state this changes is never used again.
    C.InitWindow(Window, &Chart->GetView3DOptions(), Chart->GetColor(), true,
                 Chart->GetClientRect());
    C.Projection(Chart->GetDepth3D(), Chart->GetClientRect(), Chart->GetPlotRect());
  }
  C.SetCanvas(Window);
  const TChartPen& Pen = GetPen();
  C.AssignVisiblePenColor(Pen, InvertibleColor(Pen.GetColor(), clWhite));
  C.GetPen().SetMode(Pen.GetMode());
  C.GetBrush().SetStyle(bsClear);
  const TRect R = Chart->GetPlotRect();
  const int Depth = Chart->GetDepth3D();
  C.RectangleWithZ(R, 0);
  C.RectangleWithZ(R, Depth);
  C.ZLine3D(R.Left, R.Top, 0, Depth);
  C.ZLine3D(R.Right, R.Top, 0, Depth);
  C.ZLine3D(R.Right, R.Bottom, 0, Depth);
  C.ZLine3D(R.Left, R.Bottom, 0, Depth);
  C.GetPen().SetMode(pmCopy);
}
