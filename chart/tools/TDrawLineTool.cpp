#include "chart/tools/TDrawLineTool.h"

#include "chart/tools/TDrawLines.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"

#include "platform/Cursors.h"
#include "platform/TBrush.h"
#include "platform/TColor.h"

TDrawLineTool::TDrawLineTool(TComponent* AOwner)
    : TKorCustomToolSeries(AOwner), FLines(std::make_unique<TDrawLines>(this)) {}

// The lines go first: each tells the tool when it is freed.
TDrawLineTool::~TDrawLineTool() {
  Destroying();
  FLines->Clear();
}

const TPropertyList& TDrawLineTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TDrawLineTool;
  static const TPropertyList List = [this] {
    TPublishedProperty Lines = PP::Collection(
        QStringLiteral("Lines"),
        {
            [](const TPersistent& I) { return PP::As<C>(I).GetLines().Count(); },
            [](const TPersistent& I, int Index) -> TPersistent* {
              return PP::As<C>(I).GetLines().Get(Index);
            },
            [](TPersistent& I) -> TPersistent* { return PP::As<C>(I).GetLines().Add(); },
            [](TPersistent& I) { PP::As<C>(I).GetLines().Clear(); },
        });
    return TPropertyList(
        TKorCustomToolSeries::Properties(),
        {
            PP::Enum<C, TMouseButton>(
                QStringLiteral("Button"), &C::GetButton, &C::SetButton,
                {QStringLiteral("mbLeft"), QStringLiteral("mbRight"), QStringLiteral("mbMiddle")},
                mbLeft),
            PP::Integer<C>(QStringLiteral("ClickTolerance"), &C::GetClickTolerance,
                           &C::SetClickTolerance, 0),
            PP::Boolean<C>(QStringLiteral("EnableDraw"), &C::GetEnableDraw, &C::SetEnableDraw,
                           true),
            PP::Boolean<C>(QStringLiteral("EnableSelect"), &C::GetEnableSelect, &C::SetEnableSelect,
                           true),
            Lines,
            PP::Boolean<C>(QStringLiteral("SelectNewLines"), &C::GetSelectNewLines,
                           &C::SetSelectNewLines, true),
        });
  }();
  return List;
}

void TDrawLineTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TDrawLineTool*>(&Source);
      Other != nullptr && Other != this) {
    FButton = Other->FButton;
    FClickTolerance = Other->FClickTolerance;
    FEnableDraw = Other->FEnableDraw;
    FEnableSelect = Other->FEnableSelect;
    FSelectNewLines = Other->FSelectNewLines;
    SetLines(*Other->FLines);
  }
  TKorCustomToolSeries::Assign(Source);
}

QString TDrawLineTool::Description() const {
  return Korproco::KorMsg_DrawLineTool;
}

void TDrawLineTool::SetEnableSelect(bool Value) {
  if (Value == FEnableSelect) return;
  FEnableSelect = Value;
  if (!Value && FSelected != nullptr) {
    FSelected = nullptr;
    Repaint();
  }
}

void TDrawLineTool::SetLines(const TDrawLines& Value) {
  FLines->Assign(Value);
}

void TDrawLineTool::SetSelected(TDrawLine* Value) {
  FSelected = Value;
  Repaint();
}

TPoint TDrawLineTool::AxisPoint(const TFloatPoint& P) const {
  const TChartAxis* Horiz = GetHorizAxis();
  const TChartAxis* Vert = GetVertAxis();
  if (Horiz == nullptr || Vert == nullptr) return TPoint();
  return TPoint(Horiz->CalcXPosValue(P.X), Vert->CalcYPosValue(P.Y));
}

TFloatPoint TDrawLineTool::ScreenPoint(const TPoint& P) const {
  const TChartAxis* Horiz = GetHorizAxis();
  const TChartAxis* Vert = GetVertAxis();
  if (Horiz == nullptr || Vert == nullptr) return TFloatPoint();
  return TFloatPoint{Horiz->CalcPosPoint(P.X), Vert->CalcPosPoint(P.Y)};
}

TDrawLine* TDrawLineTool::Clicked(int X, int Y) const {
  for (int Handle = 0; Handle <= 2; ++Handle)
    if (TDrawLine* Line = InternalClicked(X, Y, Handle)) return Line;
  return nullptr;
}

TDrawLine* TDrawLineTool::InternalClicked(int X, int Y, int Handle) const {
  if (const TCustomAxisPanel* Chart = GetParentChart())
    Chart->GetPanelCanvas().Calculate2DPosition(X, Y, 0);
  if (FSelected != nullptr && FSelected->Clicked(X, Y, FClickTolerance, Handle)) return FSelected;
  for (int I = 0; I < FLines->Count(); ++I) {
    TDrawLine* Line = FLines->Get(I);
    if (Line->Clicked(X, Y, FClickTolerance, Handle)) return Line;
  }
  return nullptr;
}

void TDrawLineTool::DeleteSelected() {
  FDrawing = false;
  FDragMode = 0;
  if (FSelected != nullptr) FLines->Delete(FLines->IndexOf(FSelected));
  Repaint();
}

void TDrawLineTool::LineDestroyed(const TDrawLine* Line) {
  if (Line != FSelected) return;
  FSelected = nullptr;
  FDragMode = 0;
}

// -- drawing

void TDrawLineTool::DrawLine(const TPoint& Start, const TPoint& End, TDrawLineStyle Style) const {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  switch (Style) {
    case dlHorizParallel:
      C.LineWithZ(Start.X, Start.Y, End.X, Start.Y, 0);
      C.LineWithZ(Start.X, End.Y, End.X, End.Y, 0);
      break;
    case dlVertParallel:
      C.LineWithZ(Start.X, Start.Y, Start.X, End.Y, 0);
      C.LineWithZ(End.X, Start.Y, End.X, End.Y, 0);
      break;
    default: C.LineWithZ(Start.X, Start.Y, End.X, End.Y, 0); break;
  }
}

void TDrawLineTool::DrawHandles() const {
  const TCustomAxisPanel* Chart = GetParentChart();
  if (FSelected == nullptr || Chart == nullptr) return;
  TCanvas3D& C = Chart->GetPanelCanvas();
  C.GetBrush().SetStyle(bsSolid);
  // Black handles would vanish on a black chart.
  const bool BlackChart = InvertibleColor(Chart->GetColor(), clBtnFace) == clBlack;
  C.GetBrush().SetColor(BlackChart ? clSilver : clBlack);
  C.GetPen().SetStyle(psClear);
  for (const TFloatPoint& Value : {FSelected->GetStartPos(), FSelected->GetEndPos()}) {
    const TPoint P = AxisPoint(Value);
    C.RectangleWithZ(TRect(P.X - 3, P.Y - 3, P.X + 3, P.Y + 3), 0);
  }
}

bool TDrawLineTool::ClipDrawingRegion() {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr || !Chart->CanClip()) return false;
  TRect R = Chart->GetPlotRect();
  if (GetSeries() != nullptr) {
    const TChartAxis* Horiz = GetHorizAxis();
    const TChartAxis* Vert = GetVertAxis();
    R = TRect(Horiz->GetIStartPos(), Vert->GetIStartPos(), Horiz->GetIEndPos(), Vert->GetIEndPos());
  }
  Chart->GetPanelCanvas().ClipCube(R, 0, Chart->GetDepth3D());
  return true;
}

void TDrawLineTool::PaintLines() {
  TCanvas3D& C = GetParentChart()->GetPanelCanvas();
  C.SetBackMode(cbmTransparent);
  const bool Clipped = ClipDrawingRegion();
  for (int I = 0; I < FLines->Count(); ++I) {
    const TDrawLine* Line = FLines->Get(I);
    C.AssignVisiblePen(Line->HasOwnPen() ? Line->GetPen() : GetPen());
    DrawLine(AxisPoint(Line->GetStartPos()), AxisPoint(Line->GetEndPos()), Line->GetStyle());
  }
  DrawHandles();
  if (Clipped) C.UnClipRectangle();
}

TColor TDrawLineTool::InvertingBackColor() const {
  return InvertibleColor(GetParentChart()->GetBackColor(), clBtnFace);
}

// With the pen colour XOR the complement of the background, the line shows
// in its own colour over the background, and drawing it again restores
// every pixel.
void TDrawLineTool::RedrawLine(const TDrawLine* Line) const {
  TCustomAxisPanel* Chart = GetParentChart();
  Chart->GetCanvas();
  TCanvas3D& C = Chart->GetPanelCanvas();
  const TChartPen& Pen = Line != nullptr && Line->HasOwnPen() ? Line->GetPen() : GetPen();
  const TColor Color = InvertibleColor(Pen.GetColor(), clBlack) ^ (0xFFFFFF - InvertingBackColor());
  C.AssignVisiblePenColor(Pen, Color);
  C.GetPen().SetMode(pmNotXor);
  DrawLine(FFromPoint, FToPoint, Line != nullptr ? Line->GetStyle() : dlLine);
  C.GetPen().SetMode(pmCopy);
}

void TDrawLineTool::ChartEvent(TChartToolEvent AEvent) {
  TKorCustomToolSeries::ChartEvent(AEvent);
  if (AEvent == cteAfterDraw && GetParentChart() != nullptr && FLines->Count() > 0) PaintLines();
}

// -- mouse

void TDrawLineTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState,
                                    int X, int Y) {
  if (GetParentChart() == nullptr) return;
  switch (AEvent) {
    case cmeDown:
      if (Button == FButton) MouseDown(X, Y);
      break;
    case cmeMove: MouseMove(X, Y); break;
    case cmeUp:
      if (Button == FButton) MouseUp();
      break;
  }
}

void TDrawLineTool::CancelMouse() const {
  GetParentChart()->SetMouseCancelled(true);
}

void TDrawLineTool::MouseDown(int X, int Y) {
  FDragged = false;
  FDragMode = 0;
  TDrawLine* Line = FEnableSelect ? Clicked(X, Y) : nullptr;
  if (Line == nullptr) {
    if (FSelected != nullptr) {
      FSelected = nullptr;
      // The handles go before anything is drawn inverted over the chart.
      GetParentChart()->Invalidate();
      GetParentChart()->Update();
    }
    if (FEnableDraw) {
      FDrawing = true;
      FFromPoint = TPoint(X, Y);
      FToPoint = FFromPoint;
      RedrawLine(nullptr);
    }
  } else {
    StartDrag(Line, X, Y);
  }
  CancelMouse();
}

// A line that may not be selected is not dragged either: the drag works
// on the selected line, which would take the other line's points.
void TDrawLineTool::StartDrag(TDrawLine* Line, int X, int Y) {
  if (Line != FSelected) {
    bool Allow = true;
    if (OnSelecting) OnSelecting(this, Line, Allow);
    if (!Allow) return;
    TDrawLine* Old = FSelected;
    FSelected = Line;
    if (Old != nullptr) {
      GetParentChart()->Invalidate();
      GetParentChart()->Update();
    } else {
      GetParentChart()->GetCanvas();
      DrawHandles();
    }
    if (OnSelect) OnSelect(this);
    // The handler may have freed or replaced the line.
    if (FSelected != Line) return;
  }
  FFromPoint = AxisPoint(Line->GetStartPos());
  FToPoint = AxisPoint(Line->GetEndPos());
  FLastPoint = TPoint(X, Y);
  FDragMode = 3;
  if (InternalClicked(X, Y, 1) == Line)
    FDragMode = 1;
  else if (InternalClicked(X, Y, 2) == Line)
    FDragMode = 2;
}

void TDrawLineTool::MouseMove(int X, int Y) {
  if (FDrawing || FDragMode != 0) {
    const TDrawLine* Line = FDrawing ? nullptr : FSelected;
    RedrawLine(Line);
    if (FDrawing || FDragMode == 2) {
      FToPoint = TPoint(X, Y);
    } else if (FDragMode == 1) {
      FFromPoint = TPoint(X, Y);
    } else {
      const int DX = X - FLastPoint.X;
      const int DY = Y - FLastPoint.Y;
      FFromPoint = TPoint(FFromPoint.X + DX, FFromPoint.Y + DY);
      FToPoint = TPoint(FToPoint.X + DX, FToPoint.Y + DY);
      FLastPoint = TPoint(X, Y);
    }
    RedrawLine(Line);
    CancelMouse();
    FDragged = true;
    if (OnDragLine) OnDragLine(this);
  } else if (FEnableSelect) {
    TCustomAxisPanel* Chart = GetParentChart();
    if (FSelected != nullptr &&
        (InternalClicked(X, Y, 1) == FSelected || InternalClicked(X, Y, 2) == FSelected)) {
      Chart->SetCursor(crCross);
      CancelMouse();
    } else if (Clicked(X, Y) != nullptr) {
      Chart->SetCursor(crHandPoint);
      CancelMouse();
    }
  }
}

void TDrawLineTool::MouseUp() {
  if (FDragMode != 0)
    EndDrag();
  else if (FDrawing)
    EndDrawing();
}

// Only a line that was dragged takes its values back from the pixels: a
// click that selects a line leaves its values exact.
void TDrawLineTool::EndDrag() {
  const int Mode = FDragMode;
  FDragMode = 0;
  bool Moved = false;
  if (FDragged && FSelected != nullptr) {
    TDrawLine* Line = FSelected;
    const TFloatPoint OldStart = Line->GetStartPos();
    const TFloatPoint OldEnd = Line->GetEndPos();
    if (Mode == 1 || Mode == 3) Line->SetStartPos(ScreenPoint(FFromPoint));
    if (Mode == 2 || Mode == 3) Line->SetEndPos(ScreenPoint(FToPoint));
    Moved = Line->GetStartPos() != OldStart || Line->GetEndPos() != OldEnd;
  }
  Repaint();
  if (Moved && OnDraggedLine) OnDraggedLine(this);
}

void TDrawLineTool::EndDrawing() {
  FDrawing = false;
  // The chart repaints only for a new line; a click without a move must
  // not leave the inverted dot behind.
  RedrawLine(nullptr);
  if (FFromPoint == FToPoint) return;
  const TFloatPoint Start = ScreenPoint(FFromPoint);
  const TFloatPoint End = ScreenPoint(FToPoint);
  TDrawLine* Line = FLines->Add(Start.X, Start.Y, End.X, End.Y);
  if (FSelectNewLines) FSelected = Line;
  Repaint();
  if (OnNewLine) OnNewLine(this);
}
