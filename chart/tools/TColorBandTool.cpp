#include "chart/tools/TColorBandTool.h"

#include "chart/tools/TColorLineTool.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TView3DOptions.h"
#include "chart/core/TZoomPanning.h"

#include <algorithm>
#include <utility>

TColorBandTool::TColorBandTool(TComponent* AOwner)
    : TKorCustomToolAxis(AOwner),
      FGradient(std::make_unique<TKorGradient>([this](TPersistent*) { Repaint(); })) {
  const auto MakeLine = [this] {
    auto* Line = new TColorLineTool(this);
    const TColorLineToolOnDrag Follow = [this](TColorLineTool* Sender) { LineDragged(Sender); };
    Line->MakeBandLine(Follow);
    Line->OnDragLine = Follow;
    Line->SetActive(false);
    Line->SetDragRepaint(true);
    return Line;
  };
  FStartLine = MakeLine();
  FEndLine = MakeLine();
}

// The lines are freed with the band as its components.
TColorBandTool::~TColorBandTool() = default;

const TPropertyList& TColorBandTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TColorBandTool;
  static const TPropertyList List(
      TKorCustomToolAxis::Properties(),
      {
          PP::Color<C>(QStringLiteral("Color"), &C::GetColor, &C::SetColor, clWhite),
          PP::Cursor<C>(QStringLiteral("Cursor"), &C::CursorValue, &C::SetCursorValue, crDefault),
          PP::Boolean<C>(QStringLiteral("DrawBehind"), &C::GetDrawBehind, &C::SetDrawBehind, true),
          PP::Boolean<C>(QStringLiteral("DrawBehindAxes"), &C::GetDrawBehindAxes,
                         &C::SetDrawBehindAxes, false),
          PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject),
          PP::Double<C>(QStringLiteral("StartValue"), &C::GetStartValue, &C::SetStartValue, 0.0),
          PP::Double<C>(QStringLiteral("EndValue"), &C::GetEndValue, &C::SetEndValue, 0.0),
          PP::Integer<C>(QStringLiteral("Transparency"), &C::GetTransparency, &C::SetTransparency,
                         0),
          PP::Object<C, TChartPen>(QStringLiteral("StartLinePen"), &C::StartLinePenObject),
          PP::Object<C, TChartPen>(QStringLiteral("EndLinePen"), &C::EndLinePenObject),
          PP::Boolean<C>(QStringLiteral("ResizeStart"), &C::GetResizeStart, &C::SetResizeStart,
                         false),
          PP::Boolean<C>(QStringLiteral("ResizeEnd"), &C::GetResizeEnd, &C::SetResizeEnd, false),
      });
  return List;
}

QString TColorBandTool::Description() const {
  return Korproco::KorMsg_ColorBandTool;
}

void TColorBandTool::Loaded() {
  TKorCustomToolAxis::Loaded();
  FStartLine->SetValue(FStartValue);
  FEndLine->SetValue(FEndValue);
}

void TColorBandTool::SetParentChart(TCustomAxisPanel* Value) {
  TKorCustomToolAxis::SetParentChart(Value);
  FStartLine->SetOwnerChart(Value);
  FEndLine->SetOwnerChart(Value);
}

void TColorBandTool::SetAxis(TChartAxis* Value) {
  TKorCustomToolAxis::SetAxis(Value);
  FStartLine->SetAxis(Value);
  FEndLine->SetAxis(Value);
}

void TColorBandTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TColorBandTool*>(&Source);
      Other != nullptr && Other != this) {
    SetColor(Other->FColor);
    SetCursor(Other->FCursor);
    SetDrawBehind(Other->FDrawBehind);
    SetDrawBehindAxes(Other->FDrawBehindAxes);
    SetGradient(*Other->FGradient);
    SetTransparency(Other->FTransparency);
    GetStartLinePen().Assign(Other->GetStartLinePen());
    GetEndLinePen().Assign(Other->GetEndLinePen());
    SetResizeStart(Other->GetResizeStart());
    SetResizeEnd(Other->GetResizeEnd());
    SetStartValue(Other->FStartValue);
    SetEndValue(Other->FEndValue);
  }
  TKorCustomToolAxis::Assign(Source);
}

void TColorBandTool::SetGradient(const TKorGradient& Value) {
  FGradient->Assign(Value);
}

void TColorBandTool::SetStartValue(double Value) {
  SetDoubleProperty(FStartValue, Value);
  FEndLine->SetValue(FEndValue);
  FStartLine->SetValue(FStartValue);
}

void TColorBandTool::SetEndValue(double Value) {
  SetDoubleProperty(FEndValue, Value);
  FEndLine->SetValue(FEndValue);
  FStartLine->SetValue(FStartValue);
}

void TColorBandTool::SetTransparency(int Value) {
  SetIntegerProperty(FTransparency, Value);
}

TChartPen& TColorBandTool::GetStartLinePen() const {
  return FStartLine->GetPen();
}

void TColorBandTool::SetStartLinePen(const TChartPen& Value) {
  FStartLine->SetPen(Value);
}

TChartPen& TColorBandTool::GetEndLinePen() const {
  return FEndLine->GetPen();
}

void TColorBandTool::SetEndLinePen(const TChartPen& Value) {
  FEndLine->SetPen(Value);
}

bool TColorBandTool::GetResizeStart() const {
  return FStartLine->GetActive();
}

void TColorBandTool::SetResizeStart(bool Value) {
  FStartLine->SetActive(Value);
  Repaint();
}

bool TColorBandTool::GetResizeEnd() const {
  return FEndLine->GetActive();
}

void TColorBandTool::SetResizeEnd(bool Value) {
  FEndLine->SetActive(Value);
  Repaint();
}

void TColorBandTool::LineDragged(TColorLineTool* Line) {
  if (Line == FStartLine)
    SetStartValue(Line->GetValue());
  else
    SetEndValue(Line->GetValue());
}

// -- geometry

TRect TColorBandTool::BoundsRect() const {
  const TChartAxis* Axis = GetAxis();
  const TCustomAxisPanel* C = GetParentChart();
  if (Axis == nullptr || C == nullptr) return TRect();
  const double Low = std::min(FStartValue, FEndValue);
  const double High = std::max(FStartValue, FEndValue);
  if (Low > Axis->GetMaximum() || High < Axis->GetMinimum()) return TRect();
  // First lies at the axis start (left or bottom), Second toward its end.
  const double First = Axis->GetInverted() ? High : Low;
  const double Second = Axis->GetInverted() ? Low : High;
  const bool PenVisible = GetPen().GetVisible();
  TRect R = C->GetPlotRect();
  if (Axis->GetHorizontal()) {
    R.Left = std::max(Axis->GetIStartPos(), Axis->CalcPosValue(First));
    R.Right = std::min(Axis->GetIEndPos(), Axis->CalcPosValue(Second));
    if (PenVisible) ++R.Right;
  } else {
    R.Top = std::max(Axis->GetIStartPos(), Axis->CalcPosValue(Second));
    R.Bottom = std::min(Axis->GetIEndPos(), Axis->CalcPosValue(First));
    ++R.Left;
    ++R.Bottom;
    if (!PenVisible) {
      ++R.Bottom;
      ++R.Right;
    }
  }
  return R;
}

int TColorBandTool::BandZ() const {
  return FDrawBehind ? GetParentChart()->GetDepth3D() : 0;
}

bool TColorBandTool::Clicked(int X, int Y) const {
  const TRect R = BoundsRect();
  if (R.Right - R.Left <= 0 || R.Bottom - R.Top <= 0) return false;
  const TFourPoints P = GetParentChart()->GetPanelCanvas().FourPointsFromRect(R, BandZ());
  return PointInPolygon(TPoint(X, Y), P);
}

// -- drawing

void TColorBandTool::PaintBand() {
  const TRect R = BoundsRect();
  if (R.Right - R.Left <= 0 || R.Bottom - R.Top <= 0) return;
  FillBand(R);
  // The edge lines sit on the band's plane.
  if (FEndLine->GetActive()) {
    FEndLine->SetValue(FEndValue);
    FEndLine->DrawColorLine(FDrawBehind);
  }
  if (FStartLine->GetActive()) {
    FStartLine->SetValue(FStartValue);
    FStartLine->DrawColorLine(FDrawBehind);
  }
}

void TColorBandTool::FillBand(const TRect& R) {
  TCustomAxisPanel* C = GetParentChart();
  TCanvas3D& Canvas = C->GetPanelCanvas();
  Canvas.AssignBrush(GetBrush(), FColor);
  Canvas.AssignVisiblePen(GetPen());
  const int Z = BandZ();
  const bool Is3D = C->GetView3D();
  if (FGradient->GetVisible() && (!Is3D || C->GetView3DOptions().GetOrthogonal())) {
    FGradient->Draw(Canvas, Canvas.CalcRect3D(TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), Z));
    Canvas.GetBrush().SetStyle(bsClear);
  }
  std::unique_ptr<TKorBlend> Blend;
  if (FTransparency > 0)
    Blend = Canvas.BeginBlending(Is3D ? Canvas.RectFromRectZ(R, Z) : R, FTransparency);
  if (Is3D)
    Canvas.RectangleWithZ(R, Z);
  else
    Canvas.Rectangle(R);
  if (Blend) Canvas.EndBlending(std::move(Blend));
}

void TColorBandTool::ChartEvent(TChartToolEvent AEvent) {
  TKorCustomToolAxis::ChartEvent(AEvent);
  if (GetAxis() == nullptr || GetParentChart() == nullptr) return;
  switch (AEvent) {
    case cteAfterDraw:
      if (!FDrawBehind && !FDrawBehindAxes) PaintBand();
      break;
    case cteBeforeDrawSeries:
      if (FDrawBehind && !FDrawBehindAxes) PaintBand();
      break;
    case cteBeforeDrawAxes:
      if (FDrawBehindAxes) PaintBand();
      break;
    default: break;
  }
}

// -- mouse

void TColorBandTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button,
                                     TShiftState Shift, int X, int Y) {
  TCustomAxisPanel* C = GetParentChart();
  if (C == nullptr) return;
  if (FStartLine->GetActive()) FStartLine->ChartMouseEvent(AEvent, Button, Shift, X, Y);
  if (FEndLine->GetActive() && !C->GetMouseCancelled())
    FEndLine->ChartMouseEvent(AEvent, Button, Shift, X, Y);
  if (AEvent == cmeMove) {
    if (FCursor == crDefault || C->GetMouseCancelled() || !Clicked(X, Y)) return;
    C->SetCursor(FCursor);
    if (!C->GetPanState().Engaged && !C->GetZoom().Engaged) C->SetMouseCancelled(true);
  } else if (AEvent == cmeDown && OnClick && Clicked(X, Y)) {
    OnClick(this, Button, Shift, X, Y);
  }
}
