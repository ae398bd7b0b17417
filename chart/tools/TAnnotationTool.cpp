#include "chart/tools/TAnnotationTool.h"

#include "chart/tools/TAnnotationCallout.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorEngine.h"
#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorShapePosition.h"

#include "platform/Rounding.h"
#include "platform/TCanvas.h"

#include <QStringList>

namespace {

// Gaps (pixels) between a corner annotation's text and the chart's edges,
// and between the text and its box.
constexpr int CornerGap = 10;
constexpr int FarEdgeGap = 8;
constexpr int TextLeftGap = 4;
constexpr int TextTopGap = 2;
constexpr int BoxExtraWidth = 6;
constexpr int BoxExtraHeight = 4;

QStringList LinesOf(const QString& Text) {
  return (Text.isEmpty() ? QStringLiteral(" ") : Text).split(KorLineSeparator);
}

}  // namespace

TAnnotationTool::TAnnotationTool(TComponent* AOwner)
    : TKorCustomTool(AOwner),
      FCallout(std::make_unique<TAnnotationCallout>()),
      FShape(std::make_unique<TKorShapePosition>(nullptr)) {}

TAnnotationTool::~TAnnotationTool() = default;

const TPropertyList& TAnnotationTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAnnotationTool;
  static const TPropertyList List = [this] {
    // Left and Top mean something only at a custom position (reading them
    // would switch it on); the size is the drawing's own under AutoSize.
    auto atCustomPosition = [](const TPersistent& P) {
      return PP::As<C>(P).GetShape().GetCustomPosition();
    };
    auto sizedByUser = [](const TPersistent& P) { return !PP::As<C>(P).GetAutoSize(); };
    TPublishedProperty Left = PP::Integer<C>(QStringLiteral("Left"), &C::GetLeft, &C::SetLeft);
    Left.Stored = atCustomPosition;
    TPublishedProperty Top = PP::Integer<C>(QStringLiteral("Top"), &C::GetTop, &C::SetTop);
    Top.Stored = atCustomPosition;
    TPublishedProperty Width = PP::Integer<C>(QStringLiteral("Width"), &C::GetWidth, &C::SetWidth);
    Width.Stored = sizedByUser;
    TPublishedProperty Height =
        PP::Integer<C>(QStringLiteral("Height"), &C::GetHeight, &C::SetHeight);
    Height.Stored = sizedByUser;
    return TPropertyList(
        TKorCustomTool::Properties(),
        {
            PP::Boolean<C>(QStringLiteral("AutoSize"), &C::GetAutoSize, &C::SetAutoSize, true),
            PP::Object<C, TAnnotationCallout>(QStringLiteral("Callout"), &C::CalloutObject),
            PP::Cursor<C>(QStringLiteral("Cursor"), &C::CursorValue, &C::SetCursorValue, crDefault),
            PP::Enum<C, TAnnotationPosition>(
                QStringLiteral("Position"), &C::GetPosition, &C::SetPosition,
                {"ppLeftTop", "ppLeftBottom", "ppRightTop", "ppRightBottom"}, ppLeftTop),
            PP::Enum<C, TKorUnits>(QStringLiteral("PositionUnits"), &C::GetPositionUnits,
                                   &C::SetPositionUnits, {"muPercent", "muPixels"}, muPixels),
            PP::Object<C, TKorShapePosition>(QStringLiteral("Shape"), &C::ShapeObject),
            PP::String<C>(QStringLiteral("Text"), &C::GetText, &C::SetText, QString()),
            PP::Enum<C, TAlignment>(QStringLiteral("TextAlignment"), &C::GetTextAlignment,
                                    &C::SetTextAlign,
                                    {"taLeftJustify", "taRightJustify", "taCenter"}, taLeftJustify),
            Left,
            Top,
            Width,
            Height,
        });
  }();
  return List;
}

void TAnnotationTool::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TAnnotationTool*>(&Source);
  if (Other != nullptr && Other != this) {
    SetAutoSize(Other->FAutoSize);
    FCallout->Assign(*Other->FCallout);
    FCursor = Other->FCursor;
    SetPosition(Other->FPosition);
    SetPositionUnits(Other->FPositionUnits);
    FShape->Assign(*Other->FShape);
    SetText(Other->FText);
    SetTextAlign(Other->FTextAlignment);
    if (!Other->FAutoSize) {
      SetWidth(Other->GetWidth());
      SetHeight(Other->GetHeight());
    }
  }
  TKorCustomTool::Assign(Source);
}

QString TAnnotationTool::Description() const {
  return Korproco::KorMsg_AnnotationTool;
}

void TAnnotationTool::SetCallout(const TAnnotationCallout& Value) {
  FCallout->Assign(Value);
}

void TAnnotationTool::SetPosition(TAnnotationPosition Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  FShape->SetCustomPosition(false);
  Repaint();
}

void TAnnotationTool::SetPositionUnits(TKorUnits Value) {
  if (SetIfChanged(FPositionUnits, Value)) Repaint();
}

void TAnnotationTool::SetShape(const TKorShapePosition& Value) {
  FShape->Assign(Value);
}

void TAnnotationTool::SetTextAlign(TAlignment Value) {
  if (SetIfChanged(FTextAlignment, Value)) Repaint();
}

int TAnnotationTool::GetLeft() const {
  return FShape->GetLeft();
}

void TAnnotationTool::SetLeft(int Value) {
  FShape->SetLeft(Value);
}

int TAnnotationTool::GetTop() const {
  return FShape->GetTop();
}

void TAnnotationTool::SetTop(int Value) {
  FShape->SetTop(Value);
}

int TAnnotationTool::GetWidth() const {
  return FShape->GetWidth();
}

void TAnnotationTool::SetWidth(int Value) {
  if (Value == GetWidth()) return;
  FAutoSize = false;
  FShape->SetWidth(Value);
  Repaint();
}

int TAnnotationTool::GetHeight() const {
  return FShape->GetHeight();
}

void TAnnotationTool::SetHeight(int Value) {
  if (Value == GetHeight()) return;
  FAutoSize = false;
  FShape->SetHeight(Value);
  Repaint();
}

TRect TAnnotationTool::GetBounds() const {
  return FShape->GetShapeBounds();
}

void TAnnotationTool::SetBounds(const TRect& Value) {
  FShape->SetShapeBounds(Value);
  Repaint();
}

void TAnnotationTool::SetParentChart(TCustomAxisPanel* Value) {
  TKorCustomTool::SetParentChart(Value);
  FShape->SetParent(Value);
  FCallout->SetParent(Value);
  if (Value != nullptr) Repaint();
}

bool TAnnotationTool::Clicked(int X, int Y) const {
  if (GetParentChart() == nullptr) return false;
  int NumLines = 0;
  int TextX = 0;
  int TextY = 0;
  TRect Box;
  GetTextBounds(NumLines, TextX, TextY, Box);
  return PointInRect(Box, X, Y);
}

void TAnnotationTool::GetTextBounds(int& NumLines, int& X, int& Y, TRect& R) const {
  TCustomAxisPanel& Chart = *GetParentChart();
  TCanvas3D& Canvas = Chart.GetPanelCanvas();
  Canvas.AssignFont(FShape->GetFont());
  const QString Text = FText.isEmpty() ? QStringLiteral(" ") : FText;
  NumLines = static_cast<int>(LinesOf(FText).size());
  const bool Custom = FShape->GetCustomPosition();
  int TextWidth = 0;
  int TextHeight = 0;
  if (!Custom || FAutoSize) {
    TextWidth = Chart.MultiLineTextWidth(Text, NumLines);
    TextHeight = NumLines * Canvas.GetFontHeight();
  }
  const int ChartWidth = Chart.GetWidth();
  const int ChartHeight = Chart.GetHeight();
  if (Custom) {
    if (FPositionUnits == muPixels) {
      X = FShape->GetLeft() + TextLeftGap;
      Y = FShape->GetTop() + TextTopGap;
    } else {
      X = Round(FShape->GetLeft() * ChartWidth * 0.01);
      Y = Round(FShape->GetTop() * ChartHeight * 0.01);
    }
  } else {
    const bool Right = FPosition == ppRightTop || FPosition == ppRightBottom;
    const bool Bottom = FPosition == ppLeftBottom || FPosition == ppRightBottom;
    X = Right ? ChartWidth - TextWidth - FarEdgeGap : CornerGap;
    Y = Bottom ? ChartHeight - TextHeight - FarEdgeGap : CornerGap;
  }
  const int BoxWidth = FAutoSize ? TextWidth + BoxExtraWidth : FShape->GetWidth();
  const int BoxHeight = FAutoSize ? TextHeight + BoxExtraHeight : FShape->GetHeight();
  R = Bounds(X - TextLeftGap, Y - TextTopGap, BoxWidth, BoxHeight);
}

void TAnnotationTool::ChartEvent(TChartToolEvent AEvent) {
  if (AEvent == cteAfterDraw && GetParentChart() != nullptr) DrawAnnotation();
}

void TAnnotationTool::DrawAnnotation() {
  const TRect Saved = FShape->GetShapeBounds();
  int NumLines = 0;
  int X = 0;
  int Y = 0;
  TRect Box;
  GetTextBounds(NumLines, X, Y, Box);
  // The shape draws at its bounds, so it takes the box for this frame.
  FShape->SetShapeBounds(Box);
  if (FShape->GetVisible()) FShape->Draw();
  DrawTextLines(Box, NumLines, X, Y);
  if (FCallout->GetVisible() || FCallout->GetArrow().GetVisible()) DrawCallout(Box);
  if (FAutoSize) {
    // The drawn size is what Width and Height report.
    FShape->SetShapeBounds(Bounds(Saved.Left, Saved.Top, Box.Width() - 1, Box.Height() - 1));
  } else {
    FShape->SetShapeBounds(Saved);
  }
}

void TAnnotationTool::DrawTextLines(const TRect& Box, int NumLines, int X, int Y) {
  TCanvas3D& Canvas = GetParentChart()->GetPanelCanvas();
  Canvas.AssignFont(FShape->GetFont());
  Canvas.SetBackMode(cbmTransparent);
  int AtX = X;
  switch (FTextAlignment) {
    case taLeftJustify: Canvas.SetTextAlign(TA_LEFT); break;
    case taCenter:
      Canvas.SetTextAlign(TA_CENTER);
      AtX = (Box.Left + Box.Right) / 2 + 2;
      break;
    case taRightJustify:
      Canvas.SetTextAlign(TA_RIGHT);
      AtX = Box.Right - 2;
      break;
  }
  const QStringList Lines = LinesOf(FText);
  const int LineHeight = Canvas.GetFontHeight();
  for (int I = 0; I < NumLines && I < Lines.size(); ++I)
    Canvas.TextOut(AtX, Y + I * LineHeight, Lines[I]);
  Canvas.SetTextAlign(TA_LEFT);
}

void TAnnotationTool::DrawCallout(const TRect& Box) {
  TPoint To(FCallout->GetXPosition(), FCallout->GetYPosition());
  // The callout leaves the box at the point nearest to its target on each
  // axis separately: an edge the target lies beyond, else the middle.
  TPoint From((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2);
  if (To.X > Box.Right)
    From.X = Box.Right;
  else if (To.X < Box.Left)
    From.X = Box.Left;
  if (To.Y > Box.Bottom)
    From.Y = Box.Bottom;
  else if (To.Y < Box.Top)
    From.Y = Box.Top;
  if (FCallout->GetDistance() != 0) To = PointAtDistance(From, To, FCallout->GetDistance());
  FCallout->Draw(clNone, From, To, FCallout->GetZPosition());
}

void TAnnotationTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button,
                                      TShiftState Shift, int X, int Y) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return;
  if (AEvent == cmeMove) {
    if (FCursor != crDefault && Clicked(X, Y)) {
      Chart->SetCursor(FCursor);
      Chart->SetMouseCancelled(true);
    }
  } else if (AEvent == cmeDown) {
    if (OnClick && Clicked(X, Y)) OnClick(this, Button, Shift, X, Y);
  }
}
