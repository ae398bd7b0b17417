#include "chart/core/TCustomChart.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartRightWall.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TChartWalls.h"
#include "chart/core/TColorPalettes.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TLegendSymbol.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TView3DOptions.h"
#include "chart/core/TZoomPanning.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

TCustomChart::TCustomChart(TComponent* AOwner)
    : TCustomAxisPanel(AOwner),
      FTitle(std::make_unique<TChartTitle>(this)),
      FSubTitle(std::make_unique<TChartTitle>(this)),
      FFoot(std::make_unique<TChartFootTitle>(this)),
      FSubFoot(std::make_unique<TChartFootTitle>(this)),
      FWalls(std::make_unique<TChartWalls>(this)),
      FLegend(std::make_unique<TChartLegend>(this)) {
  if (InState(csDesigning)) FTitle->SetCaption(ClassName());
}

TCustomChart::~TCustomChart() {
  Destroying();
  // The series go first (the axis chart's destructor would free them
  // later, when the legend and walls they may ask about are gone).
  FreeAllSeries();
}

const TPropertyList& TCustomChart::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomChart;
  static const TPropertyList List = [this] {
    auto Part = [](const QString& Name, auto Get) {
      TPublishedProperty P;
      P.Name = Name;
      P.Kind = TPropertyKind::pkClass;
      P.Get = [Get](const TPersistent& I) {
        return TPropertyValue(static_cast<TPersistent*>(&Get(PP::As<C>(I))));
      };
      return P;
    };
    return TPropertyList(
        TCustomAxisPanel::Properties(),
        {
            Part(QStringLiteral("BackWall"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetBackWall(); }),
            Part(QStringLiteral("BottomWall"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetBottomWall(); }),
            Part(QStringLiteral("Foot"), [](const C& Ch) -> TPersistent& { return Ch.GetFoot(); }),
            Part(QStringLiteral("Frame"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetBackWall().GetPen(); }),
            Part(QStringLiteral("LeftWall"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetLeftWall(); }),
            Part(QStringLiteral("Legend"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetLegend(); }),
            Part(QStringLiteral("RightWall"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetRightWall(); }),
            PP::Enum<C, TMouseButton>(QStringLiteral("ScrollMouseButton"), &C::GetScrollMouseButton,
                                      &C::SetScrollMouseButton, {"mbLeft", "mbRight", "mbMiddle"},
                                      mbRight),
            Part(QStringLiteral("SubFoot"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetSubFoot(); }),
            Part(QStringLiteral("SubTitle"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetSubTitle(); }),
            Part(QStringLiteral("Title"),
                 [](const C& Ch) -> TPersistent& { return Ch.GetTitle(); }),
            ColorPaletteIndexProperty(),
        });
  }();
  return List;
}

void TCustomChart::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCustomChart*>(&Source); Other && Other != this) {
    FColorPaletteIndex = Other->FColorPaletteIndex;
    FFoot->Assign(*Other->FFoot);
    FLegend->Assign(*Other->FLegend);
    FScrollMouseButton = Other->FScrollMouseButton;
    FSubFoot->Assign(*Other->FSubFoot);
    FSubTitle->Assign(*Other->FSubTitle);
    FTitle->Assign(*Other->FTitle);
    FWalls->Assign(*Other->FWalls);
  }
  TCustomAxisPanel::Assign(Source);
}

TChartBackWall& TCustomChart::GetBackWall() const {
  return FWalls->GetBack();
}

TChartWall& TCustomChart::GetLeftWall() const {
  return FWalls->GetLeft();
}

TChartWall& TCustomChart::GetBottomWall() const {
  return FWalls->GetBottom();
}

TChartRightWall& TCustomChart::GetRightWall() const {
  return FWalls->GetRight();
}

TColor TCustomChart::GetBackColor() const {
  const TChartBackWall& Back = GetBackWall();
  return Back.GetTransparent() ? GetColor() : Back.GetColor();
}

void TCustomChart::SetBackColor(TColor Value) {
  GetBackWall().SetColor(Value);
  if (!InState(csLoading) && HasParent()) GetBackWall().GetBrush().SetStyle(bsSolid);
}

bool TCustomChart::ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) {
  // Older chart files stored the back wall's colour as the chart's own.
  if (Name.compare(QStringLiteral("BackColor"), Qt::CaseInsensitive) != 0)
    return TCustomAxisPanel::ReadLegacyProperty(Name, Value);
  TColor Color = clNone;
  if (const QString* Ident = std::get_if<QString>(&Value)) {
    if (!IdentToColor(*Ident, Color)) return false;
  } else if (const int* Number = std::get_if<int>(&Value)) {
    Color = static_cast<TColor>(*Number);
  } else {
    return false;
  }
  SetBackColor(Color);
  return true;
}

// -- hooks of the axis chart

int TCustomChart::CalcWallSize(const TChartAxis* Axis) const {
  if (!GetView3D() || !GetView3DWalls()) return 0;
  const TCustomChartWall* Wall = &GetBackWall();
  if (Axis == GetLeftAxis()) Wall = &GetLeftWall();
  if (Axis == GetBottomAxis()) Wall = &GetBottomWall();
  if (Axis == GetRightAxis()) Wall = &GetRightWall();
  return Wall->GetVisible() ? Wall->GetSize() : 0;
}

bool TCustomChart::IsFreeSeriesColor(TColor AColor, bool CheckBackground,
                                     const TChartSeries* Series) const {
  for (int I = 0; I < SeriesCount(); ++I) {
    const TChartSeries* S = GetSeries(I);
    if (S != Series && S->GetSeriesColor() == AColor) return false;
  }
  return !(CheckBackground && (AColor == GetColor() || AColor == GetBackWall().GetColor()));
}

QString TCustomChart::FormattedValueLegend(TChartSeries* ASeries, int ValueIndex) {
  if (ASeries == nullptr) return QString();
  return FLegend->FormattedValue(ASeries, ValueIndex);
}

void TCustomChart::DrawLegendShape(const TRect& Rect) {
  TLegendSymbol& Symbol = FLegend->GetSymbol();
  if (Symbol.ExistingGradient() != nullptr && Symbol.ExistingGradient()->GetVisible()) {
    Symbol.Draw(GetPanelCanvas().GetBrush().GetColor(), Rect);
    return;
  }
  TCustomAxisPanel::DrawLegendShape(Rect);
}

bool TCustomChart::ActiveSeriesUseAxis() const {
  for (int I = 0; I < SeriesCount(); ++I) {
    const TChartSeries* S = GetSeries(I);
    if (S->GetActive() && S->UseAxis()) return true;
  }
  return false;
}

QString TCustomChart::AxisTitleOrName(const TChartAxis* Axis) const {
  const QString Caption = Axis->GetTitle().GetCaption();
  if (!Caption.isEmpty()) return Caption;
  if (Axis == GetDepthAxis()) return QStringLiteral("Depth Right");
  if (Axis == GetDepthTopAxis()) return QStringLiteral("Depth Top");
  if (Axis->GetHorizontal())
    return Axis->GetOtherSide() ? QStringLiteral("Top Axis") : QStringLiteral("Bottom Axis");
  return Axis->GetOtherSide() ? QStringLiteral("Right Axis") : QStringLiteral("Left Axis");
}

// -- layout

void TCustomChart::CalcWallsRect() {
  CalcSize3DWalls();
  if (!GetView3D() || !GetView3DOptions().GetOrthogonal() || GetUserChartRect()) {
    ReCalcWidthHeight();
    return;
  }
  const int S = ActiveSeriesUseAxis() ? GetBackWall().GetSize() : 0;
  TRect R = GetPlotRect();
  if (GetView3DOptions().GetOrthoAngle() <= 90) {
    R.Right -= std::abs(GetDepth3D()) + S;
    if (GetRightWall().GetVisible()) R.Right -= GetRightWall().GetSize() + 1;
  } else {
    R.Left += std::abs(GetDepth3D()) + S;
    if (GetLeftWall().GetVisible()) R.Left += GetLeftWall().GetSize() + 1;
  }
  R.Top += std::abs(GetDepthHeight3D()) + S;
  SetPlotRect(R);
  ReCalcWidthHeight();
}

void TCustomChart::DrawTitles(bool CustomPositioned) {
  for (TChartTitle* T : {FTitle.get(), FSubTitle.get(), static_cast<TChartTitle*>(FFoot.get()),
                         static_cast<TChartTitle*>(FSubFoot.get())})
    if (T->GetCustomPosition() == CustomPositioned) T->DrawTitle();
}

void TCustomChart::DrawTitlesAndLegend(bool BeforeSeries) {
  TCanvas3D& Canvas = GetPanelCanvas();
  {
    TFrontPlane Front(Canvas);
    const bool ShowLegend = FLegend->ShouldDraw();
    if (BeforeSeries) {
      if (FLegend->GetCustomPosition() || !ShowLegend) {
        DrawTitles(false);
      } else if (FLegend->GetVertical()) {
        FLegend->DrawLegend();
        DrawTitles(false);
      } else {
        DrawTitles(false);
        FLegend->DrawLegend();
      }
      return;
    }
    if (FLegend->GetCustomPosition() && ShowLegend) FLegend->DrawLegend();
    DrawTitles(true);
  }
  if (!ActiveSeriesUseAxis() || !GetView3D()) return;
  // Walls and axes whose planes face away are drawn over the series.
  auto SideAxis = [this](TChartAxis* Axis) {
    if (!IsAxisVisible(Axis)) return;
    Axis->SetHideBackGrid(true);
    Axis->Draw(false);
    Axis->SetHideBackGrid(false);
  };
  if (DrawRightWallAfter()) {
    if (GetRightWall().ShouldDraw()) DrawRightWall();
    SideAxis(GetRightAxis());
  }
  if (DrawLeftWallFirst()) {
    if (GetLeftWall().ShouldDraw()) DrawLeftWall();
    SideAxis(GetLeftAxis());
  }
  if (DrawBackWallAfter(GetDepth3D())) {
    for (TChartAxis* Axis : {GetTopAxis(), GetBottomAxis()}) {
      if (!IsAxisVisible(Axis)) continue;
      Axis->SetHideSideGrid(true);
      Axis->DrawGrids(Axis->GetTickCount());
      Axis->SetHideSideGrid(false);
    }
    if (GetBackWall().ShouldDraw()) DrawBackWall();
  }
}

// -- walls

bool TCustomChart::DrawWallFirst(int APos) {
  TCanvas3D& C = GetPanelCanvas();
  if (C.GetSupportsFullRotation()) return true;
  const TRect& R = GetPlotRect();
  const int Bottom = R.Bottom + CalcWallSize(GetBottomAxis());
  const TPoint P0 = C.Calculate3DPosition(APos, R.Top, 0);
  const TPoint P1 = C.Calculate3DPosition(APos, Bottom, 0);
  const TPoint P2 = C.Calculate3DPosition(APos, Bottom, GetBackWall().GetSize() + GetDepth3D());
  return !KorCull(P0, P1, P2);
}

bool TCustomChart::DrawRightWallAfter() {
  return !DrawWallFirst(GetPlotRect().Right);
}

bool TCustomChart::DrawLeftWallFirst() {
  return DrawWallFirst(GetPlotRect().Left);
}

void TCustomChart::PrepareWallCanvas(const TCustomChartWall& Wall) {
  TCanvas3D& C = GetPanelCanvas();
  C.AssignVisiblePen(Wall.GetPen());
  if (Wall.GetTransparent())
    C.GetBrush().SetStyle(bsClear);
  else
    SetBrushCanvas(Wall.GetColor(), Wall.GetBrush(), Wall.GetColor());
}

std::unique_ptr<TKorBlend> TCustomChart::TryDrawWall(TCustomChartWall& Wall, int APos, int Bottom) {
  if (Wall.GetTransparent()) return nullptr;
  TCanvas3D& C = GetPanelCanvas();
  const int Top = GetPlotRect().Top;
  const TFourPoints Face{
      C.Calculate3DPosition(APos, Top, 0), C.Calculate3DPosition(APos, Top, GetDepth3D()),
      C.Calculate3DPosition(APos, Bottom, GetDepth3D()), C.Calculate3DPosition(APos, Bottom, 0)};
  std::unique_ptr<TKorBlend> Blend;
  if (Wall.GetTransparency() > 0)
    Blend = C.BeginBlending(RectFromPolygon(Face.data(), 4), Wall.GetTransparency());
  if (Wall.HasGradient()) {
    Wall.ExistingGradient()->Draw(C, Face);
    C.GetBrush().SetStyle(bsClear);
  }
  return Blend;
}

void TCustomChart::DrawLeftWall() {
  TCustomChartWall& Wall = GetLeftWall();
  PrepareWallCanvas(Wall);
  TCanvas3D& C = GetPanelCanvas();
  const TRect& R = GetPlotRect();
  const int Bottom = R.Bottom + CalcWallSize(GetBottomAxis());
  std::unique_ptr<TKorBlend> Blend = TryDrawWall(Wall, R.Left, Bottom);
  if (Wall.GetSize() < 1)
    C.RectangleZ(R.Left, R.Top, Bottom, 0, GetDepth3D());
  else
    C.Cube(R.Left - Wall.GetSize(), R.Left, R.Top, Bottom, 0, GetDepth3D(), Wall.ApplyDark3D());
  if (Blend) C.EndBlending(std::move(Blend));
}

void TCustomChart::DrawRightWall() {
  TCustomChartWall& Wall = GetRightWall();
  PrepareWallCanvas(Wall);
  TCanvas3D& C = GetPanelCanvas();
  const TRect& R = GetPlotRect();
  const int Bottom = R.Bottom + CalcWallSize(GetBottomAxis());
  // The block also covers the back wall's thickness in depth.
  const int Depth = GetDepth3D() + (GetBackWall().GetVisible() ? GetBackWall().GetSize() : 0);
  std::unique_ptr<TKorBlend> Blend = TryDrawWall(Wall, R.Right, Bottom);
  if (Wall.GetSize() < 1)
    C.RectangleZ(R.Right, R.Top, Bottom, 0, GetDepth3D());
  else
    C.Cube(R.Right, R.Right + Wall.GetSize(), R.Top, Bottom, 0, Depth, Wall.ApplyDark3D());
  if (Blend) C.EndBlending(std::move(Blend));
}

void TCustomChart::DrawBackWall() {
  TChartBackWall& Wall = GetBackWall();
  PrepareWallCanvas(Wall);
  TCanvas3D& C = GetPanelCanvas();
  const TRect& R = GetPlotRect();
  const int Depth = GetDepth3D();
  std::unique_ptr<TKorBlend> Blend;
  if (!GetView3D()) {
    const TRect Back(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
    if (!Wall.GetTransparent()) {
      if (Wall.GetTransparency() > 0) Blend = C.BeginBlending(Back, Wall.GetTransparency());
      if (Wall.HasGradient()) {
        Wall.ExistingGradient()->Draw(C, Back);
        C.GetBrush().SetStyle(bsClear);
      }
    }
    C.Rectangle(Back);
    if (Blend) C.EndBlending(std::move(Blend));
    return;
  }
  if (!GetView3DWalls()) return;
  if (!Wall.GetTransparent()) {
    if (Wall.GetTransparency() > 0)
      Blend = C.BeginBlending(RectFromPolygon(C.FourPointsFromRect(R, Depth).data(), 4),
                              Wall.GetTransparency());
    if (Wall.HasGradient()) {
      if (GetView3DOptions().GetOrthogonal()) {
        const TFourPoints P = C.FourPointsFromRect(R, Depth);
        Wall.ExistingGradient()->Draw(C, TRect(P[0].X, P[0].Y, P[2].X, P[2].Y));
      } else {
        Wall.ExistingGradient()->Draw(C, C.FourPointsFromRect(R, Depth));
      }
      C.GetBrush().SetStyle(bsClear);
    }
  }
  if (Wall.GetSize() < 1) {
    C.RectangleWithZ(R, Depth);
  } else {
    const int Left = R.Left - (GetLeftWall().GetVisible() ? GetLeftWall().GetSize() : 0);
    const int Bottom = R.Bottom + (GetBottomWall().GetVisible() ? GetBottomWall().GetSize() : 0);
    const int Far = Depth < 0 ? Depth - Wall.GetSize() : Depth + Wall.GetSize();
    C.Cube(Left, R.Right, R.Top, Bottom, Depth, Far, Wall.ApplyDark3D());
  }
  if (Blend) C.EndBlending(std::move(Blend));
  if (HasBackImage() && GetBackImageInside()) {
    TRect Inside = R;
    if (Wall.GetPen().GetVisible()) {
      Inside.Left += 1;
      Inside.Top += 1;
    }
    DrawBitmap(Inside, Depth);
  }
}

void TCustomChart::DrawBottomWall() {
  TCustomChartWall& Wall = GetBottomWall();
  PrepareWallCanvas(Wall);
  TCanvas3D& C = GetPanelCanvas();
  const TRect& R = GetPlotRect();
  int Left = R.Left;
  if (GetLeftWall().GetVisible() && GetLeftWall().GetSize() > 0 && DrawLeftWallFirst())
    Left -= GetLeftWall().GetSize();
  const int Y = R.Bottom + (C.GetSupportsFullRotation() ? 1 : 0);
  std::unique_ptr<TKorBlend> Blend;
  if (!Wall.GetTransparent()) {
    const TFourPoints Face{C.Calculate3DPosition(Left, Y, 0), C.Calculate3DPosition(R.Right, Y, 0),
                           C.Calculate3DPosition(R.Right, Y, GetDepth3D()),
                           C.Calculate3DPosition(Left, Y, GetDepth3D())};
    if (Wall.GetTransparency() > 0)
      Blend = C.BeginBlending(RectFromPolygon(Face.data(), 4), Wall.GetTransparency());
    if (Wall.HasGradient()) {
      Wall.ExistingGradient()->Draw(C, Face);
      C.GetBrush().SetStyle(bsClear);
    }
  }
  if (Wall.GetSize() < 1)
    C.RectangleY(Left, Y, R.Right, 0, GetDepth3D());
  else
    C.Cube(Left, R.Right, Y, Y + Wall.GetSize(), 0, GetDepth3D(), Wall.ApplyDark3D());
  if (Blend) C.EndBlending(std::move(Blend));
}

void TCustomChart::DrawWalls() {
  if (!ActiveSeriesUseAxis()) return;
  const bool Walls3D = GetView3D() && GetView3DWalls();
  if (Walls3D && GetRightWall().GetVisible() && !DrawRightWallAfter()) DrawRightWall();
  if (GetView3DWalls() && GetBackWall().GetVisible() && !DrawBackWallAfter(GetDepth3D()))
    DrawBackWall();
  if (Walls3D) {
    if (GetLeftWall().GetVisible() && !DrawLeftWallFirst()) DrawLeftWall();
    if (GetBottomWall().GetVisible()) DrawBottomWall();
  }
  if (DrawBackWallAfter(0)) {
    for (TChartAxis* Axis : {GetTopAxis(), GetBottomAxis()})
      if (IsAxisVisible(Axis)) Axis->Draw(false);
  }
}

// -- mouse, zoom and scroll

bool KorUseMouseWheel = true;
TShiftState KorScrollKeyShift;
double AnimatedZoomFactor = 3.0;

namespace {

// Whether Shift holds every key and button of Keys.
bool HoldsAll(TShiftState Shift, TShiftState Keys) {
  for (TShiftStateFlag F : {ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble})
    if (Keys.Contains(F) && !Shift.Contains(F)) return false;
  return true;
}

// The axes as they are now: handlers called while walking them may add or
// free axes, so callers check that an axis still exists before using it.
std::vector<TChartAxis*> AxesSnapshot(const TChartAxes& Axes) {
  return std::vector<TChartAxis*>(Axes.begin(), Axes.end());
}

}  // namespace

TChartClickedPart TCustomChart::CalcNeedClickedPart(const TPoint& Pos, bool OnlyResponding) const {
  TChartClickedPart Part;
  const TChartLegend& Legend = GetLegend();
  auto LegendHit = [&] {
    const int Index = Legend.Clicked(Pos.X, Pos.Y);
    if (Index == -1) return false;
    Part.Kind = cpLegend;
    Part.ValueIndex = Index;
    return true;
  };
  if (Legend.GetVisible() && Legend.GetCustomPosition() && LegendHit()) return Part;
  for (int I = SeriesCount() - 1; I >= 0; --I) {
    TChartSeries* S = GetSeries(I);
    if (!S->GetActive()) continue;
    if (OnlyResponding && !S->OnClick && !S->OnDblClick && !OnClickSeries) continue;
    const int Index = S->Clicked(Pos.X, Pos.Y);
    if (Index != -1) return TChartClickedPart{cpSeries, Index, S, nullptr};
    if (S->GetMarks().GetVisible()) {
      const int Mark = S->GetMarks().Clicked(Pos.X, Pos.Y);
      if (Mark != -1) return TChartClickedPart{cpSeriesMarks, Mark, S, nullptr};
    }
  }
  for (TChartAxis* Axis : GetAxesList())
    if (Axis->Clicked(Pos.X, Pos.Y)) return TChartClickedPart{cpAxis, -1, nullptr, Axis};
  if (Legend.GetVisible() && !Legend.GetCustomPosition() && LegendHit()) return Part;
  for (TChartClickedPartStyle Kind : {cpTitle, cpSubTitle, cpFoot, cpSubFoot})
    if (TitleOfPart(Kind)->Clicked(Pos.X, Pos.Y))
      return TChartClickedPart{Kind, -1, nullptr, nullptr};
  const TRect& R = GetPlotRect();
  const bool InRect = Pos.X >= R.Left && Pos.X <= R.Right && Pos.Y >= R.Top && Pos.Y <= R.Bottom;
  if (InRect && CountActiveSeries() > 0) Part.Kind = cpChartRect;
  return Part;
}

void TCustomChart::CalcClickedPart(const TPoint& Pos, TChartClickedPart& Part) const {
  Part = CalcNeedClickedPart(Pos, false);
}

TChartTitle* TCustomChart::TitleOfPart(TChartClickedPartStyle Kind) const {
  switch (Kind) {
    case cpTitle: return FTitle.get();
    case cpSubTitle: return FSubTitle.get();
    case cpFoot: return FFoot.get();
    case cpSubFoot: return FSubFoot.get();
    default: return nullptr;
  }
}

void TCustomChart::BroadcastMouseEvent(TChartMouseEvent AEvent, TMouseButton Button,
                                       TShiftState Shift, int X, int Y) {
  const std::vector<TKorCustomTool*> Tools(GetTools().begin(), GetTools().end());
  for (TKorCustomTool* Tool : Tools) {
    // A tool's handler may have freed a later tool.
    if (GetTools().IndexOf(Tool) < 0 || !Tool->GetActive()) continue;
    Tool->ChartMouseEvent(AEvent, Button, Shift, X, Y);
    if (GetMouseCancelled()) return;
  }
}

void TCustomChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  EndLostDrags(Shift, &Button);
  TCustomAxisPanel::MouseDown(Button, Shift, X, Y);
  if (GetMouseCancelled() || GetZoom().Engaged || GetPanState().Engaged) return;
  BroadcastMouseEvent(cmeDown, Button, Shift, X, Y);
  if (GetMouseCancelled()) return;
  const TChartClickedPart Part = CalcNeedClickedPart(TPoint(X, Y), true);
  bool BackgroundChecked = false;
  const bool Handled = ClickedPartDown(Part, Button, Shift, X, Y, BackgroundChecked);
  // One click reaches the background handler once, also when the chart
  // rectangle was what the click hit.
  if (!Handled && !BackgroundChecked) CheckBackground(Button, Shift, X, Y);
  SetMouseCancelled(false);
}

bool TCustomChart::ClickedPartDown(const TChartClickedPart& Part, TMouseButton Button,
                                   TShiftState Shift, int X, int Y, bool& BackgroundChecked) {
  bool Handled = false;
  switch (Part.Kind) {
    case cpLegend:
      Handled = GetLegend().DoMouseDown(X, Y, Part.ValueIndex);
      if (OnClickLegend) {
        SetMouseCancelled(true);
        OnClickLegend(this, Button, Shift, X, Y);
        Handled = GetMouseCancelled();
      }
      return Handled;
    case cpAxis:
      if (OnClickAxis) {
        SetMouseCancelled(true);
        OnClickAxis(this, Part.Axis, Button, Shift, X, Y);
        Handled = GetMouseCancelled();
      }
      break;
    case cpSeries: Handled = ClickedSeries(Part, Button, Shift, X, Y); break;
    case cpTitle:
    case cpSubTitle:
    case cpFoot:
    case cpSubFoot:
      if (OnClickTitle) {
        SetMouseCancelled(true);
        OnClickTitle(this, TitleOfPart(Part.Kind), Button, Shift, X, Y);
        Handled = GetMouseCancelled();
      }
      break;
    case cpChartRect:
      BackgroundChecked = true;
      Handled = CheckBackground(Button, Shift, X, Y);
      break;
    default: return false;
  }
  return Handled || CheckZoomPanning(Button, Shift, X, Y);
}

bool TCustomChart::ClickedSeries(const TChartClickedPart& Part, TMouseButton Button,
                                 TShiftState Shift, int X, int Y) {
  SetMouseCancelled(false);
  TChartSeries* S = Part.Series;
  // A copy: the handler may free its series.
  const TSeriesClick Click = Shift.Contains(ssDouble) ? S->OnDblClick : S->OnClick;
  if (Click) Click(S, Part.ValueIndex, Button, Shift, X, Y);
  bool Handled = GetMouseCancelled();
  if (OnClickSeries && IndexOfSeries(S) >= 0) {
    SetMouseCancelled(true);
    OnClickSeries(this, S, Part.ValueIndex, Button, Shift, X, Y);
    Handled = GetMouseCancelled();
  }
  return Handled;
}

bool TCustomChart::CheckBackground(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!OnClickBackground) return false;
  SetMouseCancelled(true);
  OnClickBackground(this, Button, Shift, X, Y);
  return GetMouseCancelled();
}

bool TCustomChart::CheckZoomPanning(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The second press of a double click belongs to the double click (whose
  // handler may have opened a window that takes the release), not to a drag.
  if (!ActiveSeriesUseAxis() || Shift.Contains(ssDouble)) return false;
  TKorZoom& Zoom = GetZoom();
  const TRect& R = GetPlotRect();
  const TKorZoomDirection Direction = Zoom.GetDirection();
  if (Zoom.GetAllow() && Button == Zoom.GetMouseButton() && HoldsAll(Shift, Zoom.GetKeyShift())) {
    if (Direction == tzdVertical) X = R.Left;
    if (Direction == tzdHorizontal) Y = R.Top;
    Zoom.Activate(X, Y);
    if (Direction == tzdVertical) Zoom.EndX = R.Right;
    if (Direction == tzdHorizontal) Zoom.EndY = R.Bottom;
    DrawZoomRectangle();
  } else if (GetAllowPanning() != pmNone && Button == FScrollMouseButton &&
             HoldsAll(Shift, KorScrollKeyShift)) {
    GetPanState().Activate(X, Y);
  } else {
    return false;
  }
  SetCursor(GetSavedCursor());
  return true;
}

void TCustomChart::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomAxisPanel::MouseMove(Shift, X, Y);
  if (!InState(csDesigning)) BroadcastMouseEvent(cmeMove, mbLeft, Shift, X, Y);
  if (GetMouseCancelled()) return;
  EndLostDrags(Shift, nullptr);
  if (GetZoom().Engaged) {
    DragZoom(X, Y);
  } else if (GetPanState().Engaged) {
    DragPanning(X, Y);
  } else {
    for (int I = SeriesCount() - 1; I >= 0; --I) {
      TChartSeries* S = GetSeries(I);
      if (S->GetActive() && S->CheckMouse(X, Y)) return;
    }
    SetCursor(GetSavedCursor());
  }
}

namespace {

TShiftStateFlag HeldFlagOf(TMouseButton Button) {
  switch (Button) {
    case mbRight: return ssRight;
    case mbMiddle: return ssMiddle;
    case mbLeft: break;
  }
  return ssLeft;
}

}  // namespace

void TCustomChart::EndLostDrags(TShiftState Shift, const TMouseButton* Pressed) {
  auto lost = [&](TMouseButton DragButton) {
    return Pressed != nullptr ? *Pressed == DragButton : !Shift.Contains(HeldFlagOf(DragButton));
  };
  if (GetZoom().Engaged && lost(GetZoom().GetMouseButton())) CancelZoomDrag();
  if (GetPanState().Engaged && lost(FScrollMouseButton)) GetPanState().Engaged = false;
}

void TCustomChart::CancelZoomDrag() {
  if (!GetZoom().Engaged) return;
  GetZoom().Engaged = false;
  // A repaint (not a second inverting stroke) takes the band away: the
  // modal window that took the release may have repainted the chart.
  Invalidate();
}

void TCustomChart::CancelMouseDrags() {
  TCustomAxisPanel::CancelMouseDrags();
  CancelZoomDrag();
}

void TCustomChart::KeyDown(int& Key, TShiftState Shift) {
  TCustomAxisPanel::KeyDown(Key, Shift);
  if (Key == Qt::Key_Escape) CancelZoomDrag();
}

void TCustomChart::DragZoom(int X, int Y) {
  TKorZoom& Zoom = GetZoom();
  const TRect& R = GetPlotRect();
  if (Zoom.GetDirection() == tzdVertical) X = R.Right;
  if (Zoom.GetDirection() == tzdHorizontal) Y = R.Bottom;
  if (X == Zoom.EndX && Y == Zoom.EndY) return;
  DrawZoomRectangle();  // drawing it again erases it
  Zoom.EndX = X;
  Zoom.EndY = Y;
  DrawZoomRectangle();
}

void TCustomChart::DragPanning(int X, int Y) {
  TZoomPanning& Pan = GetPanState();
  if (!PtInRect(GetPlotRect(), TPoint(X, Y))) {
    Pan.Engaged = false;
    return;
  }
  if (X == Pan.EndX && Y == Pan.EndY) return;
  // The last point is what the axes move from. It is not put in order with
  // the start point: dragging left of or above the start would then move
  // the axes from the start instead, and they would jump.
  const int OldX = Pan.EndX;
  const int OldY = Pan.EndY;
  Pan.EndX = X;
  Pan.EndY = Y;
  SaveScalesOnce();
  const bool Horizontal = PanAxes(true, X, OldX);
  const bool Vertical = PanAxes(false, Y, OldY);
  if (!Horizontal && !Vertical) return;
  Invalidate();
  if (OnScroll) OnScroll(this);
}

bool TCustomChart::PanAxes(bool Horizontal, int New, int Old) {
  if (New == Old) return false;
  const TPanningMode Mode = Horizontal ? pmHorizontal : pmVertical;
  if (GetAllowPanning() != Mode && GetAllowPanning() != pmBoth) return false;
  for (TChartAxis* Axis : AxesSnapshot(GetAxesList())) {
    if (GetAxesList().IndexOf(Axis) < 0) continue;
    if (Axis->IsDepthAxis() || Axis->GetHorizontal() != Horizontal) continue;
    const double Delta = Axis->CalcPosPoint(Old) - Axis->CalcPosPoint(New);
    double Min = Axis->GetMinimum() + Delta;
    double Max = Axis->GetMaximum() + Delta;
    bool Allow = true;
    if (OnAllowScroll) OnAllowScroll(Axis, Min, Max, Allow);
    if (Allow && GetAxesList().IndexOf(Axis) >= 0) Axis->SetMinMax(Min, Max);
  }
  return true;
}

void TCustomChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  SetMouseCancelled(false);
  try {
    TCustomAxisPanel::MouseUp(Button, Shift, X, Y);
  } catch (...) {
    // The button is up whatever the handler did: no drag may outlive it.
    GetPanState().Engaged = false;
    if (GetZoom().Engaged) {
      GetZoom().Engaged = false;
      DrawZoomRectangle();
    }
    throw;
  }
  TKorZoom& Zoom = GetZoom();
  const bool Zooming = Zoom.Engaged && Button == Zoom.GetMouseButton();
  GetPanState().Engaged = false;
  if (Zooming) EndZoomDrag(X, Y);
  BroadcastMouseEvent(cmeUp, Button, Shift, X, Y);
}

void TCustomChart::EndZoomDrag(int X, int Y) {
  TKorZoom& Zoom = GetZoom();
  Zoom.Engaged = false;
  DrawZoomRectangle();  // erases it and leaves the pen copying
  const TKorZoomDirection Direction = Zoom.GetDirection();
  if (Direction != tzdVertical) Zoom.EndX = X;
  if (Direction != tzdHorizontal) Zoom.EndY = Y;
  const int Least = Zoom.GetMinimumPixels();
  const bool Wide = Direction == tzdVertical || std::abs(Zoom.EndX - Zoom.StartX) > Least;
  const bool High = Direction == tzdHorizontal || std::abs(Zoom.EndY - Zoom.StartY) > Least;
  Invalidate();
  if (!Wide || !High) return;
  const bool Forward =
      Zoom.GetUpLeftZooms() ||
      (Direction == tzdVertical ? Zoom.StartY < Zoom.EndY : Zoom.StartX < Zoom.EndX);
  if (Forward)
    CalcZoomPoints();
  else
    UndoZoom();
}

void TCustomChart::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) {
  TCustomAxisPanel::DoMouseWheelDown(Shift, MousePos);
  if (KorUseMouseWheel) ScrollVerticalAxes(false);
}

void TCustomChart::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) {
  TCustomAxisPanel::DoMouseWheelUp(Shift, MousePos);
  if (KorUseMouseWheel) ScrollVerticalAxes(true);
}

void TCustomChart::ScrollVerticalAxes(bool Up) {
  for (TChartAxis* Axis : AxesSnapshot(GetAxesList())) {
    // Depth axes stand for the series' order, not a value range.
    if (Axis->GetHorizontal() || Axis->IsDepthAxis()) continue;
    const double Offset = (Axis->GetMaximum() - Axis->GetMinimum()) * 3 / 100;
    Axis->Scroll(Up ? -Offset : Offset, false);
  }
}

void TCustomChart::ZoomRect(const TRect& Rect) {
  TKorZoom& Zoom = GetZoom();
  Zoom.StartX = Rect.Left;
  Zoom.StartY = Rect.Top;
  Zoom.EndX = Rect.Right;
  Zoom.EndY = Rect.Bottom;
  CalcZoomPoints();
}

void TCustomChart::CalcZoomPoints() {
  TKorZoom& Zoom = GetZoom();
  Zoom.Check();
  auto At = [](const TChartAxis* Axis, int Pixel) { return Axis->CalcPosPoint(Pixel); };
  DoZoom(At(GetTopAxis(), Zoom.StartX), At(GetTopAxis(), Zoom.EndX),
         At(GetBottomAxis(), Zoom.StartX), At(GetBottomAxis(), Zoom.EndX),
         At(GetLeftAxis(), Zoom.EndY), At(GetLeftAxis(), Zoom.StartY),
         At(GetRightAxis(), Zoom.EndY), At(GetRightAxis(), Zoom.StartY));
}

void TCustomChart::ZoomPercent(double Percent) {
  if (!(Percent > 0)) return;
  const TKorZoomDirection Direction = GetZoom().GetDirection();
  struct TRange {
    double Min;
    double Max;
  };
  auto Zoomed = [&](const TChartAxis* Axis) {
    const bool Horizontal = Axis->GetHorizontal();
    const double AtStart = Axis->CalcPosPoint(Axis->GetIStartPos());
    const double AtEnd = Axis->CalcPosPoint(Axis->GetIEndPos());
    TRange R{Horizontal ? AtStart : AtEnd, Horizontal ? AtEnd : AtStart};
    const bool Covered = Horizontal ? Direction != tzdVertical : Direction != tzdHorizontal;
    if (!Covered) return R;
    // The centre stays and the width shrinks (grows) by Percent / 100, so
    // any positive percentage gives a range of the right way round.
    const double Centre = (R.Min + R.Max) / 2;
    const double Half = (R.Max - R.Min) / 2 * (100 / Percent);
    const TRange New{Centre - Half, Centre + Half};
    if (!std::isfinite(New.Min) || !std::isfinite(New.Max)) return R;
    return New;
  };
  const TRange Top = Zoomed(GetTopAxis());
  const TRange Bottom = Zoomed(GetBottomAxis());
  const TRange Left = Zoomed(GetLeftAxis());
  const TRange Right = Zoomed(GetRightAxis());
  DoZoom(Top.Min, Top.Max, Bottom.Min, Bottom.Max, Left.Min, Left.Max, Right.Min, Right.Max);
  Repaint();
}

void TCustomChart::DoZoom(double TopMin, double TopMax, double BottomMin, double BottomMax,
                          double LeftMin, double LeftMax, double RightMin, double RightMax) {
  SaveScalesOnce();
  struct TTarget {
    TChartAxis* Axis;
    double Min;
    double Max;
  };
  const TTarget Targets[] = {
      {GetLeftAxis(), std::min(LeftMin, LeftMax), std::max(LeftMin, LeftMax)},
      {GetRightAxis(), std::min(RightMin, RightMax), std::max(RightMin, RightMax)},
      {GetTopAxis(), std::min(TopMin, TopMax), std::max(TopMin, TopMax)},
      {GetBottomAxis(), std::min(BottomMin, BottomMax), std::max(BottomMin, BottomMax)}};
  const TKorZoom& Zoom = GetZoom();
  if (Zoom.GetAnimated()) {
    for (int Step = 1; Step < Zoom.GetAnimatedSteps(); ++Step) {
      for (const TTarget& T : Targets) {
        const double Min = T.Axis->GetMinimum();
        const double Max = T.Axis->GetMaximum();
        T.Axis->SetMinMax(Min + (T.Min - Min) / AnimatedZoomFactor,
                          Max - (Max - T.Max) / AnimatedZoomFactor);
      }
      Refresh();
    }
  }
  for (const TTarget& T : Targets) T.Axis->SetMinMax(T.Min, T.Max);
  SetZoomedNow(true);
  if (OnZoom) OnZoom(this);
}

void TCustomChart::UndoZoom() {
  if (!FScalesRestored) {
    FScalesRestored = true;
    RestoreScales(FSavedScales);
  }
  TCustomAxisPanel::UndoZoom();
}

void TCustomChart::SaveScalesOnce() {
  if (!FScalesRestored) return;
  FSavedScales = SaveScales();
  FScalesRestored = false;
}

TAllAxisSavedScales TCustomChart::SaveScales() const {
  TAllAxisSavedScales Result;
  for (TChartAxis* Axis : GetAxesList()) {
    if (Axis->IsDepthAxis()) continue;
    Result.push_back(TAxisSavedScales{Axis, Axis->GetAutomatic(), Axis->GetAutomaticMinimum(),
                                      Axis->GetAutomaticMaximum(), Axis->GetMinimum(),
                                      Axis->GetMaximum()});
  }
  return Result;
}

void TCustomChart::RestoreScales(TAllAxisSavedScales& Saved) {
  TAllAxisSavedScales Scales;
  Scales.swap(Saved);
  for (const TAxisSavedScales& S : Scales) {
    TChartAxis* Axis = S.Axis;
    if (Axis == nullptr || GetAxesList().IndexOf(Axis) < 0 || Axis->IsDepthAxis()) continue;
    // The ends are stored one by one, in the order that never puts them
    // the wrong way round, so that neither the following axes nor the
    // automatic flags are touched on the way.
    const double Min = std::min(S.Min, S.Max);
    const double Max = std::max(S.Min, S.Max);
    if (Min > Axis->GetMaximum()) {
      Axis->SetMaximum(Max);
      Axis->SetMinimum(Min);
    } else {
      Axis->SetMinimum(Min);
      Axis->SetMaximum(Max);
    }
    Axis->SetAutomatic(S.Automatic);
    if (Axis->GetAutomaticMinimum() != S.AutomaticMinimum)
      Axis->SetAutomaticMinimum(S.AutomaticMinimum);
    if (Axis->GetAutomaticMaximum() != S.AutomaticMaximum)
      Axis->SetAutomaticMaximum(S.AutomaticMaximum);
  }
}

void TCustomChart::AxisRemoved(TChartAxis* Axis) {
  TCustomAxisPanel::AxisRemoved(Axis);
  std::erase_if(FSavedScales, [Axis](const TAxisSavedScales& S) { return S.Axis == Axis; });
}

void TCustomChart::FillValueSourceItems(const TChartValueList& ValueList,
                                        const TValueSourceProc& Proc) const {
  const TChartSeries* Owner = ValueList.GetOwner();
  const auto* Source =
      Owner != nullptr ? dynamic_cast<const TChartSeries*>(Owner->GetDataSource()) : nullptr;
  if (Source == nullptr) return;
  const TChartValueLists& Lists = Source->GetValuesList();
  for (int I = 0; I < Lists.Count(); ++I) Proc(Lists.Get(I)->GetName());
}

void TCustomChart::FillSeriesSourceItems(const TChartSeries&, const TValueSourceProc&) const {}

void TCustomChart::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TCustomAxisPanel::GetChildren(Proc, Root);
  for (int I = 0; I < GetTools().Count(); ++I) Proc(GetTools().Get(I));
}
