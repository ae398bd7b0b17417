#include "chart/tools/TGridBandTool.h"

#include "chart/tools/TGridBandBrush.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorGradient.h"

#include "platform/TPen.h"

#include <algorithm>
#include <utility>

TGridBandTool::TGridBandTool(TComponent* AOwner)
    : TKorCustomToolAxis(AOwner),
      FBand1(std::make_unique<TGridBandBrush>([this](TPersistent*) { Repaint(); })),
      FBand2(std::make_unique<TGridBandBrush>([this](TPersistent*) { Repaint(); })) {}

TGridBandTool::~TGridBandTool() {
  // A freed axis has already dropped the link (and its event with it).
  if (TChartAxis* Axis = GetAxis()) Axis->OnDrawGrids = nullptr;
}

const TPropertyList& TGridBandTool::Properties() const {
  namespace PP = PublishedProperty;
  using C = TGridBandTool;
  static const TPropertyList List(
      TKorCustomToolAxis::Properties(),
      {
          PP::Object<C, TGridBandBrush>(QStringLiteral("Band1"), &C::Band1Object),
          PP::Object<C, TGridBandBrush>(QStringLiteral("Band2"), &C::Band2Object),
      });
  return List;
}

QString TGridBandTool::Description() const {
  return Korproco::KorMsg_GridBandTool;
}

void TGridBandTool::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TGridBandTool*>(&Source);
      Other != nullptr && Other != this) {
    FBand1->Assign(*Other->FBand1);
    FBand2->Assign(*Other->FBand2);
  }
  TKorCustomToolAxis::Assign(Source);
}

void TGridBandTool::SetAxis(TChartAxis* Value) {
  if (Value == GetAxis()) return;
  if (TChartAxis* Old = GetAxis()) Old->OnDrawGrids = nullptr;
  TKorCustomToolAxis::SetAxis(Value);
  if (Value != nullptr) Value->OnDrawGrids = [this](TChartAxis* Sender) { DrawGrids(Sender); };
}

void TGridBandTool::SetBand1(const TGridBandBrush& Value) {
  FBand1->Assign(Value);
}

void TGridBandTool::SetBand2(const TGridBandBrush& Value) {
  FBand2->Assign(Value);
}

void TGridBandTool::DrawGrids(TChartAxis* Axis) {
  if (!GetActive() || Axis == nullptr || Axis->GetParentChart() == nullptr) return;
  // A 3D chart draws an axis whose wall faces away a second time, over the
  // series, without its back-wall grid: the stripes lie on that wall and
  // were painted in the first pass, so painting them again would hide the
  // series.
  if (Axis->GetHideBackGrid()) return;
  const std::vector<int>& Ticks = Axis->GetTicksPositions();
  const int N = static_cast<int>(Ticks.size());
  if (N < 2) return;
  if (FBand1->GetStyle() == bsClear && FBand2->GetStyle() == bsClear) return;
  Axis->GetParentChart()->GetPanelCanvas().GetPen().SetStyle(psClear);
  bool UseFirst = true;
  const auto Next = [this, Axis, &UseFirst](int A, int B) {
    DrawBand(*Axis, UseFirst ? *FBand1 : *FBand2, A, B);
    UseFirst = !UseFirst;
  };
  // Ticks run from the axis maximum down: the first stripe lies at the
  // right end of a horizontal axis and at the top of a vertical one.
  const bool Horizontal = Axis->GetHorizontal();
  if (Horizontal && Ticks[0] < Axis->GetIEndPos()) Next(Axis->GetIEndPos() - 1, Ticks[0]);
  if (!Horizontal && Ticks[0] > Axis->GetIStartPos()) Next(Axis->GetIStartPos() + 1, Ticks[0]);
  if (N < 3) return;
  for (int I = 1; I < N; ++I) Next(Ticks[I - 1], Ticks[I]);
  const int Last = Ticks[N - 1];
  if (Horizontal && Last > Axis->GetIStartPos()) Next(Last, Axis->GetIStartPos());
  if (!Horizontal && Last < Axis->GetIEndPos()) Next(Last, Axis->GetIEndPos());
}

TRect TGridBandTool::BandRect(const TChartAxis& Axis, int A, int B) const {
  const TRect& Plot = Axis.GetParentChart()->GetPlotRect();
  const int Low = std::min(A, B);
  const int High = std::max(A, B);
  if (Axis.GetHorizontal()) return TRect(Low, Plot.Top + 1, High, Plot.Bottom);
  return TRect(Plot.Left + 1, Low, Plot.Right, High);
}

void TGridBandTool::DrawBand(const TChartAxis& Axis, const TGridBandBrush& Band, int A, int B) {
  if (Band.GetStyle() == bsClear) return;
  TCustomAxisPanel* C = Axis.GetParentChart();
  TCanvas3D& Canvas = C->GetPanelCanvas();
  const TRect R = BandRect(Axis, A, B);
  if (R.Right <= R.Left || R.Bottom <= R.Top) return;
  const bool Is3D = C->GetView3D();
  const int Z = C->GetDepth3D();
  std::unique_ptr<TKorBlend> Blend;
  if (Band.GetTransparency() > 0)
    Blend = Canvas.BeginBlending(Is3D ? Canvas.RectFromRectZ(R, Z) : R, Band.GetTransparency());
  if (Band.GetGradient().GetVisible()) {
    Band.GetGradient().Draw(Canvas, Is3D ? Canvas.CalcRect3D(R, Z) : R);
  } else {
    const TColor Back = Band.GetBackColor() == clNone ? C->GetBackColor() : Band.GetBackColor();
    Canvas.AssignBrushColor(Band, Band.GetColor(), Back);
    // Without a pen a flat rectangle stops one pixel short of its right
    // and bottom edges.
    if (Is3D)
      Canvas.RectangleWithZ(R, Z);
    else
      Canvas.Rectangle(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
  }
  if (Blend) Canvas.EndBlending(std::move(Blend));
}
