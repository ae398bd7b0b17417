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
#include "chart/core/TChartWalls.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TLegendSymbol.h"
#include "chart/core/TView3DOptions.h"

#include <cstdlib>

namespace {

// Ends a front-plane block however the scope is left.
class TFrontPlane {
 public:
  explicit TFrontPlane(TCanvas3D& ACanvas) : FCanvas(ACanvas) { FCanvas.FrontPlaneBegin(); }
  ~TFrontPlane() { FCanvas.FrontPlaneEnd(); }
  TFrontPlane(const TFrontPlane&) = delete;
  TFrontPlane& operator=(const TFrontPlane&) = delete;

 private:
  TCanvas3D& FCanvas;
};

}  // namespace

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
            PP::Color<C>(QStringLiteral("BackColor"), &C::GetBackColor, &C::SetBackColor),
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
