#include "chart/tools/TRectangleTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TKorShapePosition.h"

#include "platform/ScopeGuard.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// How near (pixels) the mouse must be to an edge to grab it.
constexpr int EdgeGrip = 4;

}  // namespace

TRectangleTool::TRectangleTool(TComponent* AOwner) : TAnnotationTool(AOwner) {
  SetAutoSize(false);
  TKorShapePosition& Box = GetShape();
  Box.SetCustomPosition(true);
  Box.GetShadow().SetSize(0);
  Box.SetTransparency(75);
  SetLeft(10);
  SetTop(10);
  SetWidth(50);
  SetHeight(50);
  SetPositionUnits(muPixels);
  SetCursor(crHandPoint);
}

const TPropertyList& TRectangleTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAnnotationTool;
  static const TPropertyList List = [this] {
    TPropertyList Inherited = TAnnotationTool::Properties();
    // A rectangle is sized by the user and shows the hand over itself.
    const TPublishedProperty* Cursor = Inherited.Find(QStringLiteral("Cursor"));
    TPublishedProperty HandCursor = *Cursor;
    HandCursor.Default.emplace(std::in_place_type<int>, static_cast<int>(crHandPoint));
    return TPropertyList(Inherited, {
                                        PP::Boolean<C>(QStringLiteral("AutoSize"), &C::GetAutoSize,
                                                       &C::SetAutoSize, false),
                                        HandCursor,
                                    });
  }();
  return List;
}

QString TRectangleTool::Description() const {
  return Korproco::KorMsg_RectangleTool;
}

int TRectangleTool::ClickedEdge(int X, int Y) const {
  if (!Clicked(X, Y)) return -1;
  const TRect R = GetBounds();
  if (std::abs(X - R.Left) < EdgeGrip) return 0;
  if (std::abs(Y - R.Top) < EdgeGrip) return 1;
  if (std::abs(X - R.Right) < EdgeGrip) return 2;
  if (std::abs(Y - R.Bottom) < EdgeGrip) return 3;
  return -1;
}

std::unique_ptr<TBitmap> TRectangleTool::Bitmap(bool ChartOnly) {
  TCustomAxisPanel* Chart = GetParentChart();
  if (Chart == nullptr) return nullptr;
  const TRect Box = GetBounds();
  auto Result = std::make_unique<TBitmap>(std::max(0, GetWidth()), std::max(0, GetHeight()));
  const TRect Target(0, 0, Result->GetWidth(), Result->GetHeight());
  const TRect Source(Box.Left, Box.Top, Box.Left + Target.Right, Box.Top + Target.Bottom);
  if (ChartOnly) {
    std::unique_ptr<TBitmap> Whole;
    {
      // The copy shows what lies under the box, not the box itself.
      const bool WasActive = GetActive();
      SetActive(false);
      TScopeGuard Reactivate([this, WasActive] { SetActive(WasActive); });
      Whole = Chart->KorCreateBitmap(Chart->GetColor(), Chart->GetRectangle(), pfDevice);
    }
    Result->GetCanvas().CopyRect(Target, Whole->GetCanvas(), Source);
    return Result;
  }
  auto* Surface = dynamic_cast<TKorCanvas3D*>(&Chart->GetPanelCanvas());
  if (Surface == nullptr) return Result;
  if (Surface->GetBitmap() == nullptr) Chart->Draw();
  if (Surface->GetBitmap() != nullptr)
    Result->GetCanvas().CopyRect(Target, Surface->GetBitmap()->GetCanvas(), Source);
  return Result;
}

void TRectangleTool::ChartMouseEvent(TChartMouseEvent AEvent, TMouseButton Button,
                                     TShiftState Shift, int X, int Y) {
  TAnnotationTool::ChartMouseEvent(AEvent, Button, Shift, X, Y);
  if (!GetActive() || GetParentChart() == nullptr) return;
  switch (AEvent) {
    case cmeDown:
      if (Button == mbLeft) MouseDown(X, Y);
      break;
    case cmeMove: MouseMove(X, Y); break;
    case cmeUp: MouseUp(); break;
  }
}

void TRectangleTool::MouseDown(int X, int Y) {
  FEdge = ClickedEdge(X, Y);
  const TRect R = GetBounds();
  if (FEdge == -1) {
    if (!Clicked(X, Y)) return;
    FDragging = true;
    FOffset = TPoint(X - R.Left, Y - R.Top);
  } else {
    FOffset = TPoint(X - (FEdge == 2 ? R.Right : R.Left), Y - (FEdge == 3 ? R.Bottom : R.Top));
  }
  GetParentChart()->SetMouseCancelled(true);
}

void TRectangleTool::MouseMove(int X, int Y) {
  if (FDragging) {
    TRect R = GetBounds();
    OffsetRect(R, X - FOffset.X - R.Left, Y - FOffset.Y - R.Top);
    SetBounds(R);
    if (OnDragging) OnDragging(this);
  } else if (FEdge != -1) {
    ResizeTo(X - FOffset.X, Y - FOffset.Y);
    if (OnResizing) OnResizing(this);
  } else {
    ShowEdgeCursor(X, Y);
  }
}

void TRectangleTool::ResizeTo(int X, int Y) {
  TRect R = GetBounds();
  switch (FEdge) {
    case 0: R.Left = std::min(R.Right - MinEdgeDistance, X); break;
    case 1: R.Top = std::min(R.Bottom - MinEdgeDistance, Y); break;
    case 2: R.Right = std::max(R.Left + MinEdgeDistance, X); break;
    case 3: R.Bottom = std::max(R.Top + MinEdgeDistance, Y); break;
    default: return;
  }
  SetBounds(R);
}

void TRectangleTool::ShowEdgeCursor(int X, int Y) {
  TCustomAxisPanel* Chart = GetParentChart();
  const int Edge = ClickedEdge(X, Y);
  if (Edge == 0 || Edge == 2) {
    Chart->SetCursor(crSizeWE);
  } else if (Edge == 1 || Edge == 3) {
    Chart->SetCursor(crSizeNS);
  } else if (GetCursor() != crDefault && Clicked(X, Y)) {
    Chart->SetCursor(GetCursor());
  } else {
    return;
  }
  Chart->SetMouseCancelled(true);
}

void TRectangleTool::MouseUp() {
  if (FDragging) {
    if (OnDragged) OnDragged(this);
    FDragging = false;
  } else if (FEdge != -1) {
    if (OnResized) OnResized(this);
  }
  FEdge = -1;
}
